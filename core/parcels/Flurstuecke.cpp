#include "parcels/Flurstuecke.h"

#include <algorithm>
#include <numeric>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Pfade.h"
#include "app/Text.h"
#include "app/Umwandlung.h"

namespace davo::parcels {

using namespace davo::app;

const char* const Spaltentitel[Flurstuecktabelle::MaxSpalten] = {
    "",         "Gemarkung", "Flur",   "Flurst\xFC" "ck", "Bejagdbarkeit", "Fl\xE4" "che", "Anteil",
    "Anteilige Fl\xE4" "che", "Nachname", "Vorname", "Stra\xDF" "e", "Ort", "", "Geburtstag", "Geb.Name",
    "", "", "", "", ""};
const char* const ExportPfad = "e:\\Jagd\\Flurstuecke-export.csv";
const char* const FilterKataster = "CSV-Datei|*.CSV|TSV-Datei|*.TSV|alle Dateien|*.*";
const char* const BeispielKataster = "beispiele/Jagdkataster-Beispiel.csv";

namespace {

using Zellen = std::array<std::string_view, Flurstuecktabelle::MaxSpalten>;

constexpr std::size_t kMaxFelder = 46;  // fields 0 .. 45
constexpr int kMaxTeile = 41;           // parts 0 .. 40
constexpr std::size_t kBlock = 1 << 16;
constexpr int kFortschrittAlle = 4096;

// The text before the next separator; rest continues behind it. When no
// separator is left, the whole rest is the last piece and rest becomes empty.
std::string_view NaechstesStueck(std::string_view& rest, char trenner, bool& ende) {
  const std::size_t p = rest.find(trenner);
  if (p == std::string_view::npos) {
    std::string_view stueck = rest;
    rest = {};
    ende = true;
    return stueck;
  }
  std::string_view stueck = rest.substr(0, p);
  rest.remove_prefix(p + 1);
  return stueck;
}

// An optionally signed decimal integer, leading blanks allowed.
bool IstGanzzahl(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (i >= t.size()) return false;
  std::size_t ziffern = 0;
  for (; i < t.size(); ++i, ++ziffern)
    if (t[i] < '0' || t[i] > '9') return false;
  return ziffern > 0 && ziffern <= 10;
}

// The first six characters of text without blanks read as a whole number.
bool PostleitzahlFolgt(std::string_view rest) {
  char ohne[6];
  std::size_t n = 0;
  for (char c : rest.substr(0, 6))
    if (c != ' ') ohne[n++] = c;
  return IstGanzzahl(std::string_view(ohne, n));
}

// Owner entry into the row's cells, column cursor as the cadastre's layout
// asks; parts placed point into the entry's text.
void EigentuemerZerlegen(std::string_view eintrag, Zellen& zellen) {
  int c = Anteil;
  std::string_view rest = eintrag;
  bool ende = false;
  for (int j = 0; j < kMaxTeile; ++j) {
    std::string_view teil = ende ? std::string_view() : NaechstesStueck(rest, ',', ende);
    if (j <= 2 || teil.empty()) continue;
    if (j == 3 && teil.find('/') == std::string_view::npos) c = Nachname;
    if (teil.find("geb.") != std::string_view::npos) {
      zellen[GebName] = teil;
      teil = {};
    }
    if (!teil.empty()) {
      const std::size_t strich = teil.find('-');
      if (strich == 5 && IstGanzzahl(teil.substr(1, 4))) {
        zellen[Geburtstag] = teil;
        teil = {};
      }
    }
    if (!ende && PostleitzahlFolgt(rest)) c = Strasse;
    if (!teil.empty() && c < Flurstuecktabelle::MaxSpalten) zellen[c] = teil;
    c = c == Anteil ? Nachname : c + 1;
  }
}

std::string ZeileAlsText(const Zellen& zellen, std::array<std::uint16_t, Flurstuecktabelle::MaxSpalten>& ende) {
  std::string text;
  std::size_t laenge = 0;
  for (const auto& z : zellen) laenge += z.size();
  text.reserve(std::min<std::size_t>(laenge, 0xFFFF));
  for (int i = 0; i < Flurstuecktabelle::MaxSpalten; ++i) {
    const std::string_view z = zellen[static_cast<std::size_t>(i)];
    const std::size_t platz = 0xFFFF - text.size();
    text.append(z.substr(0, platz));
    ende[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(text.size());
  }
  return text;
}

}  // namespace

// --- Flurstuecktabelle -------------------------------------------------------------

Flurstuecktabelle::Flurstuecktabelle() : zeilen_(5) {}

void Flurstuecktabelle::SetzeZeilenzahl(int n) { zeilen_.resize(static_cast<std::size_t>(std::max(n, 1))); }

std::string_view Flurstuecktabelle::Zelle(int spalte, int zeile) const {
  if (zeile < 0 || zeile >= Zeilenzahl() || spalte < 0 || spalte >= MaxSpalten) return {};
  const Zeile& z = zeilen_[static_cast<std::size_t>(zeile)];
  const std::size_t anfang = spalte == 0 ? 0 : z.ende[static_cast<std::size_t>(spalte - 1)];
  return std::string_view(z.text).substr(anfang, z.ende[static_cast<std::size_t>(spalte)] - anfang);
}

void Flurstuecktabelle::SetzeZelle(int spalte, int zeile, std::string_view text) {
  if (zeile < 0 || zeile >= Zeilenzahl() || spalte < 0 || spalte >= MaxSpalten) return;
  Zellen zellen;
  for (int i = 0; i < MaxSpalten; ++i) zellen[static_cast<std::size_t>(i)] = Zelle(i, zeile);
  const std::string kopie(text);  // text may point into this row
  zellen[static_cast<std::size_t>(spalte)] = kopie;
  Zeile& z = zeilen_[static_cast<std::size_t>(zeile)];
  z.text = ZeileAlsText(zellen, z.ende);
}

void Flurstuecktabelle::SetzeZeile(int zeile, const Zellen& zellen) {
  if (zeile < 0 || zeile >= Zeilenzahl()) return;
  Zeile& z = zeilen_[static_cast<std::size_t>(zeile)];
  z.text = ZeileAlsText(zellen, z.ende);
}

std::size_t Flurstuecktabelle::Textgroesse() const {
  std::size_t n = 0;
  for (const auto& z : zeilen_) n += z.text.size();
  return n;
}

// --- import ------------------------------------------------------------------------

namespace {

// Builds the rows while the file is read. A row is held back until the next
// one is known, so the fill-down from the row above (which may mark the held
// row's share with "?") and the share of the held row are done before it is
// stored; every row is then written once.
class Importeur {
 public:
  explicit Importeur(Flurstuecktabelle& t) : tabelle_(t) {}

  void Zeile(std::string_view zeile) {
    ++n_;
    if (n_ == 1) return;  // header
    titel_ = true;
    NeueZeile();
    std::string_view rest = zeile;
    bool ende = false;
    for (std::size_t f = 0; f < kMaxFelder && !ende; ++f) {
      const std::string_view feld = NaechstesStueck(rest, ';', ende);
      if (f >= 1 && f <= 5) {
        zellen_[f] = feld;
      } else if (f >= 6 && !feld.empty()) {
        if (f > 6) {
          Abschliessen();
          ++n_;
          NeueZeile();
        }
        EigentuemerZerlegen(feld, zellen_);
      }
    }
    Abschliessen();
  }

  // Stores the held row and the titles. False when no data row was read.
  bool Ende() {
    if (!titel_) return false;
    if (gehalten_ >= 1) Speichern();
    tabelle_.SetzeSpaltenzahl(Flurstuecktabelle::MaxSpalten);
    for (int i = 0; i < Flurstuecktabelle::MaxSpalten; ++i) tabelle_.SetzeZelle(i, 0, Spaltentitel[i]);
    return true;
  }

  int Zeilen() const { return n_; }

 private:
  void NeueZeile() {
    zeile_ = n_ - 1;
    zellen_ = Zellen();
  }

  // The current row is complete: fill it down from the held row, then store
  // the held row and hold the current one.
  void Abschliessen() {
    if (gehalten_ >= 1) {
      int m = Flaeche;
      if (oben_[Anteil].empty() && zellen_[Gemarkung].empty()) {
        oben_[Anteil].assign(1, '?');
        m = Anteil;
      }
      for (int c = 1; c <= m; ++c)
        if (zellen_[static_cast<std::size_t>(c)].empty()) zellen_[static_cast<std::size_t>(c)] = oben_[static_cast<std::size_t>(c)];
      Speichern();
    }
    for (std::size_t c = 0; c < zellen_.size(); ++c) oben_[c].assign(zellen_[c]);
    gehalten_ = zeile_;
  }

  void Speichern() {
    if (tabelle_.Zeilenzahl() <= gehalten_) tabelle_.SetzeZeilenzahl(gehalten_ + 1);
    const Currency a = AnteilsFlaeche(oben_[Bejagdbarkeit], oben_[Flaeche], oben_[Anteil]);
    const std::string qm = Rechtsbuendig(MulDiv(a, 1, CurrencyEins, Rundung::HalbWegVonNull), 9);
    Zellen z;
    for (std::size_t c = 0; c < z.size(); ++c) z[c] = oben_[c];
    z[AnteiligeFlaeche] = qm;
    tabelle_.SetzeZeile(gehalten_, z);
  }

  Flurstuecktabelle& tabelle_;
  int n_ = 0;
  int zeile_ = 0;
  int gehalten_ = 0;  // row held back (0: none)
  bool titel_ = false;
  Zellen zellen_{};
  std::array<std::string, Flurstuecktabelle::MaxSpalten> oben_;
};

void Auffuellen(Flurstuecktabelle& t) {
  for (int r = 2; r < t.Zeilenzahl(); ++r) {
    int m = Flaeche;
    if (t.Zelle(Anteil, r - 1).empty() && t.Zelle(Gemarkung, r).empty()) {
      t.SetzeZelle(Anteil, r - 1, "?");
      m = Anteil;
    }
    for (int c = 1; c <= m; ++c)
      if (t.Zelle(c, r).empty()) t.SetzeZelle(c, r, t.Zelle(c, r - 1));
  }
}

}  // namespace

bool DateiImportieren(Flurstuecktabelle& tabelle, const std::string& pfad) {
  Abbruch = false;
  IODateiName = Kurz(pfad, 255);
  Datei datei;
  datei.Zuordnen(IODateiName);
  PruefeIO();
  datei.OeffnenLesen(1);
  PruefeIO();
  if (IOFehler) return false;

  const std::int64_t gesamt = datei.LaengeInBytes();
  Importeur importeur(tabelle);
  std::string puffer;
  std::string block(kBlock, '\0');
  std::int64_t gelesen = 0;
  bool ok = true;
  int seitMeldung = 0;
  while (!Abbruch) {
    const std::size_t n = datei.LesenBlock(block.data(), block.size());
    PruefeIO();
    if (IOFehler) {
      ok = false;
      break;
    }
    gelesen += static_cast<std::int64_t>(n);
    const bool dateiende = n == 0;
    puffer.append(block.data(), n);
    std::size_t anfang = 0;
    for (;;) {
      std::size_t lf = puffer.find('\n', anfang);
      if (lf == std::string::npos) {
        if (!dateiende || anfang >= puffer.size()) break;
        lf = puffer.size();  // the last line without a line end
      }
      std::size_t e = lf;
      if (e > anfang && puffer[e - 1] == '\r') --e;
      importeur.Zeile(std::string_view(puffer).substr(anfang, e - anfang));
      anfang = lf + 1;
      if (++seitMeldung >= kFortschrittAlle) {
        seitMeldung = 0;
        const int prozent = gesamt > 0 ? static_cast<int>(gelesen * 100 / gesamt) : 0;
        ZeigeFortschritt("Flurst\xFC" "cke werden eingelesen: " + std::to_string(importeur.Zeilen()) + " Zeilen",
                         std::max(1, prozent));
        if (Abbruch) break;
      }
    }
    puffer.erase(0, std::min(anfang, puffer.size()));
    if (dateiende) break;
  }
  datei.Schliessen();
  PruefeIO();
  if (importeur.Ende()) {
    tabelle.SetzeZeilenzahl(std::max(importeur.Zeilen(), 1));
  } else {
    // Only a header: the table stays, and its rows are filled down and their
    // shares computed again.
    Auffuellen(tabelle);
    for (int r = 1; r < tabelle.Zeilenzahl(); ++r) BerechneAnteil(tabelle, r);
  }
  ZeigeFortschritt("", 0);
  return ok;
}

// --- shares ------------------------------------------------------------------------

Currency AnteilsFlaeche(std::string_view bejagdbarkeit, std::string_view flaeche, std::string_view anteil) {
  Currency a = TextNachCurrency(flaeche, true).value_or(0);
  Currency z = CurrencyEins;
  Currency n = CurrencyEins;
  std::size_t erstes = anteil.find_first_not_of(' ');
  std::size_t letztes = anteil.find_last_not_of(' ');
  const bool fragezeichen = erstes != std::string_view::npos && erstes == letztes && anteil[erstes] == '?';
  if (fragezeichen) a = 0;
  if (bejagdbarkeit.find("ZJEN") == std::string_view::npos) a = 0;
  const std::size_t strich = anteil.find('/');
  if (strich != std::string_view::npos) {
    z = TextNachCurrency(anteil.substr(0, strich), true).value_or(0);
    n = TextNachCurrency(anteil.substr(strich + 1), true).value_or(0);
  }
  if (n > 0 && z > 0) return MulDiv(a, z, n, Rundung::HalbGerade);
  return 0;
}

void BerechneAnteil(Flurstuecktabelle& t, int zeile) {
  if (zeile < 0 || zeile >= t.Zeilenzahl()) return;
  const Currency a = AnteilsFlaeche(t.Zelle(Bejagdbarkeit, zeile), t.Zelle(Flaeche, zeile), t.Zelle(Anteil, zeile));
  const std::int64_t qm = MulDiv(a, 1, CurrencyEins, Rundung::HalbWegVonNull);
  t.SetzeZelle(AnteiligeFlaeche, zeile, Rechtsbuendig(qm, 9));
}

// --- order -------------------------------------------------------------------------

void Sortieren(Flurstuecktabelle& t) {
  const int zeilen = t.Zeilenzahl();
  if (zeilen <= 2) return;
  // All keys in one buffer: upper-cased columns 8 to 12, cut to 255.
  std::string puffer;
  std::vector<std::uint32_t> anfang(static_cast<std::size_t>(zeilen) + 1, 0);
  for (int r = 1; r < zeilen; ++r) {
    anfang[static_cast<std::size_t>(r)] = static_cast<std::uint32_t>(puffer.size());
    std::size_t laenge = 0;
    for (int c = Nachname; c <= Weiteres && laenge < 255; ++c) {
      const std::string_view zelle = t.Zelle(c, r).substr(0, 255 - laenge);
      for (char ch : zelle) puffer.push_back(GrossBuchstabe(ch));
      laenge += zelle.size();
    }
  }
  anfang[static_cast<std::size_t>(zeilen)] = static_cast<std::uint32_t>(puffer.size());
  auto schluessel = [&](int r) {
    const auto i = static_cast<std::size_t>(r);
    return std::string_view(puffer).substr(anfang[i], anfang[i + 1] - anfang[i]);
  };
  std::vector<int> reihenfolge(static_cast<std::size_t>(zeilen - 1));
  std::iota(reihenfolge.begin(), reihenfolge.end(), 1);
  std::stable_sort(reihenfolge.begin(), reihenfolge.end(), [&](int a, int b) { return schluessel(a) < schluessel(b); });
  // Rows into their new places by following the cycles of the permutation.
  std::vector<bool> fertig(static_cast<std::size_t>(zeilen), false);
  for (int ziel = 1; ziel < zeilen; ++ziel) {
    if (fertig[static_cast<std::size_t>(ziel)]) continue;
    int i = ziel;
    Flurstuecktabelle::Zeile gemerkt = std::move(t.zeilen_[static_cast<std::size_t>(i)]);
    for (;;) {
      fertig[static_cast<std::size_t>(i)] = true;
      const int quelle = reihenfolge[static_cast<std::size_t>(i - 1)];
      if (quelle == ziel) {
        t.zeilen_[static_cast<std::size_t>(i)] = std::move(gemerkt);
        break;
      }
      t.zeilen_[static_cast<std::size_t>(i)] = std::move(t.zeilen_[static_cast<std::size_t>(quelle)]);
      i = quelle;
    }
  }
}

// --- export ------------------------------------------------------------------------

bool ExportSchreiben(const Flurstuecktabelle& t, const std::string& pfad) {
  IODateiName = pfad;
  OrdnerFuerDateiAnlegen(pfad);
  PruefeIO();
  if (IOFehler) return false;
  Datei datei;
  datei.Zuordnen(pfad);
  PruefeIO();
  datei.Anlegen(1);
  PruefeIO();
  if (IOFehler) return false;
  datei.SofortSchreiben(false);
  bool ok = true;
  std::string puffer;
  for (int r = 0; r < t.Zeilenzahl() && ok; ++r) {
    std::string zeile;
    for (int c = 0; c <= GebName; ++c) {
      zeile += t.Zelle(c, r);
      zeile += ';';
    }
    puffer += Kurz(zeile, 255);
    puffer += "\r\n";
    if (puffer.size() >= kBlock || r + 1 == t.Zeilenzahl()) {
      datei.SchreibenBlock(puffer.data(), puffer.size());
      PruefeIO();
      ok = !IOFehler;
      puffer.clear();
    }
  }
  datei.Schliessen();
  PruefeIO();
  return ok && !IOFehler;
}

// --- transfer ----------------------------------------------------------------------

bool TabelleUebertragen(const Flurstuecktabelle& t) {
  // The record count must be the file's: appending at a stale count would
  // overwrite owners already in the file.
  if (!addresses::AdrDateiOeffnen()) return false;
  Abbruch = false;
  auto schluessel = [&](int r) {
    std::string k(t.Zelle(Nachname, r));
    k += ", ";
    k += t.Zelle(Vorname, r);
    k += t.Zelle(Strasse, r);
    return Kurz(k, 255);
  };
  addresses::AdrAnhaenger anhaenger;
  bool ok = true;
  bool abgebrochen = false;
  Currency summe = 0;
  const int letzte = t.Zeilenzahl() - 1;
  std::string k = letzte >= 1 ? schluessel(1) : std::string();
  int seitMeldung = 0;
  auto leer = [&](int r) {
    for (int c = 0; c < Flurstuecktabelle::MaxSpalten; ++c)
      if (!t.Zelle(c, r).empty()) return false;
    return true;
  };
  for (int r = 1; r <= letzte; ++r) {
    // The empty rows of a table that was never filled are no owners.
    if (leer(r)) {
      k = r < letzte ? schluessel(r + 1) : std::string();
      continue;
    }
    summe += TextNachCurrency(t.Zelle(AnteiligeFlaeche, r), true).value_or(0);
    std::string naechster = r < letzte ? schluessel(r + 1) : std::string();
    if (naechster != k) {
      addresses::TAdresse& a = addresses::AktAdresse;
      a.Leeren();
      std::string name(t.Zelle(Vorname, r));
      name += ' ';
      name += t.Zelle(Nachname, r);
      a.SetzeText(addresses::Name1, name);
      std::string sortierung(t.Zelle(Nachname, r));
      sortierung += "; ";
      sortierung += t.Zelle(Vorname, r);
      a.SetzeText(addresses::Sortierung, sortierung);
      a.SetzeText(addresses::Strasse, std::string(t.Zelle(Strasse, r)));
      a.SetzeText(addresses::Ort, std::string(t.Zelle(Ort, r)));
      a.SetzeFlaeche(MulDiv(summe, 1, CurrencyEins, Rundung::HalbGerade));
      if (!anhaenger.Anhaengen(a)) {
        ok = false;
        break;
      }
      summe = 0;
    }
    k = std::move(naechster);
    if (++seitMeldung >= kFortschrittAlle) {
      seitMeldung = 0;
      ZeigeFortschritt("Adressen werden angelegt: Zeile " + std::to_string(r) + " von " + std::to_string(letzte),
                       std::max(1, static_cast<int>(static_cast<std::int64_t>(r) * 100 / letzte)));
      if (Abbruch) {
        abgebrochen = true;
        break;
      }
    }
  }
  if (!anhaenger.Schliessen()) ok = false;
  ZeigeFortschritt("", 0);
  if (abgebrochen) ZeigeMeldung("Import abgebrochen!");
  else if (ok) ZeigeMeldung("Import abgeschlossen!");
  return ok && !abgebrochen;
}

}  // namespace davo::parcels
