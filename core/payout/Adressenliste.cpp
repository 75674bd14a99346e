#include "payout/Adressenliste.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <optional>
#include <utility>

#include "addresses/Adresse.h"
#include "app/Bankdaten.h"
#include "app/Datum.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Reihenfolge.h"
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "letters/Vorlage.h"
#include "payout/Auszahlung.h"
#include "payout/Einstellungen.h"
#include "printing/Druck.h"
#include "printing/Druckflaeche.h"

namespace davo::payout {

using namespace davo::app;
using addresses::TAdresse;

AdressenlisteModell Adressenliste;
const char* const Listensortierungen[4] = {"Name", "BIC", "IBAN",
                                           ("Fl\xE4"
                                            "che")};

namespace {

bool Gewaehlt(int art, const TAdresse& a) {
  switch (art) {
    case 1:
      return true;
    case 2:
      return a.AuszahlungFrei() == 1;
    case 3:
      return a.AuszahlungFrei() == 0;
    case 4:
      return a.Gruppe() == 0;
    case 5:
      return a.Gruppe() == 1;
    default:
      return false;
  }
}

std::string Fuenfstellig(std::int64_t n) {
  std::string s = std::to_string(n);
  if (s.size() < 5) s.insert(0, 5 - s.size(), '0');
  return s;
}

bool Leer(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// The amount rounded to cents as it is shown (halves away from zero);
// nothing at the very top of the range, where that does not fit.
std::optional<Currency> AufCent(Currency betrag) {
  const Currency rest = betrag % 100;
  const Currency cent = betrag - rest;
  if (rest >= 50) return Summe(cent, 100);
  if (rest <= -50) return Summe(cent, -100);
  return cent;
}

// The failure of a list whose sums do not fit: stopped at record nr.
IOErgebnis SummeZuGross(const addresses::Adressdatei& datei, std::int32_t nr, const TAdresse& a) {
  return IOErgebnis::Fehler(
      io::SummeZuGross, datei.Pfad,
      Kurz("Summe zu gro\xDF: Mit der Adresse Nr. " + std::to_string(static_cast<std::int64_t>(nr) + 1) + " (" +
               a.Text(addresses::Name1) +
               ") werden die Fl\xE4"
               "chen oder Betr\xE4ge gr\xF6\xDF"
               "er, als das Programm rechnen kann. Bitte ihre Fl\xE4"
               "che und den Betrag je Hektar pr\xFC"
               "fen.",
           255));
}

// The item from its six fields. The transfer text gives way so that the item
// keeps within 255 characters and its reference stays whole; the other five
// fields need at most about 220 (amount, a name of 70, BIC and IBAN of the
// record's 50 characters, the IBAN in groups, the reference).
Freigabeposten Posten(std::array<std::string, 6> felder) {
  std::size_t uebrige = 5;
  for (std::size_t k = 0; k < 6; ++k)
    if (k != 4) uebrige += felder[k].size();
  const std::size_t platz = uebrige < 255 ? 255 - uebrige : 0;
  felder[4] = Kurz(felder[4], std::min(platz, kTextgrenze));
  Freigabeposten p;
  for (std::size_t k = 0; k < 6; ++k) {
    if (k > 0) {
      p.Trenner[k - 1] = static_cast<std::uint8_t>(p.Text.size());
      p.Text.push_back(';');
    }
    p.Text += felder[k];
  }
  return p;
}

}  // namespace

std::string_view Gitterzeile::Zelle(std::size_t k) const {
  if (k >= Spalten) return {};
  const std::size_t anfang = k == 0 ? 0 : ende_[k - 1];
  return {text_ + anfang, ende_[k] - anfang};
}

bool operator==(const Gitterzeile& a, const Gitterzeile& b) { return a.Enden() == b.Enden() && a.Text() == b.Text(); }

namespace {

// The cells one after the other into ziel (room for their length, at most
// 0xFFFF), their ends into ende; the rest of the cells stay empty. A row
// keeps at most what its ends can count; no row comes near it.
std::size_t Zeilenlaenge(std::initializer_list<std::string_view> zellen) {
  std::size_t laenge = 0;
  for (const std::string_view z : zellen) laenge += z.size();
  return std::min<std::size_t>(laenge, 0xFFFF);
}

void Zellen(std::initializer_list<std::string_view> zellen, char* ziel,
            std::array<std::uint16_t, Gitterzeile::Spalten>& ende) {
  std::size_t k = 0;
  std::size_t stand = 0;
  for (const std::string_view z : zellen) {
    if (k == Gitterzeile::Spalten) break;
    const std::size_t n = std::min<std::size_t>(z.size(), 0xFFFF - stand);
    if (n > 0) std::memcpy(ziel + stand, z.data(), n);
    stand += n;
    ende[k++] = static_cast<std::uint16_t>(stand);
  }
  for (; k < Gitterzeile::Spalten; ++k) ende[k] = static_cast<std::uint16_t>(stand);
}

}  // namespace

Einzelzeile::Einzelzeile(std::initializer_list<std::string_view> zellen) {
  text_.resize(Zeilenlaenge(zellen));
  Zellen(zellen, text_.data(), ende_);
}

void Einzelzeile::Setze(std::size_t k, std::string_view text) {
  if (k >= Spalten) return;
  const std::size_t anfang = k == 0 ? 0 : ende_[k - 1];
  const std::size_t alt = ende_[k] - anfang;
  // A cell keeps at most what the row can count; no cell comes near it.
  text = text.substr(0, std::min<std::size_t>(text.size(), 0xFFFF - (text_.size() - alt)));
  text_.replace(anfang, alt, text);
  const auto verschiebung = static_cast<std::ptrdiff_t>(text.size()) - static_cast<std::ptrdiff_t>(alt);
  for (std::size_t i = k; i < Spalten; ++i) ende_[i] = static_cast<std::uint16_t>(ende_[i] + verschiebung);
}

namespace {
// Rows are kept in blocks of this size (a longer row in one of its own).
constexpr std::size_t kBlock = std::size_t{1} << 20;
}  // namespace

Gitterliste::Gitterliste(const std::vector<Einzelzeile>& zeilen) {
  zeilen_.reserve(zeilen.size());
  for (const Einzelzeile& z : zeilen) push_back(z);
}

Gitterliste::Gitterliste(const Gitterliste& andere) {
  zeilen_.reserve(andere.size());
  for (const Gitterzeile& z : andere) push_back(z);
}

Gitterliste::Gitterliste(Gitterliste&& andere) noexcept
    : zeilen_(std::move(andere.zeilen_)),
      bloecke_(std::move(andere.bloecke_)),
      frei_(std::exchange(andere.frei_, nullptr)),
      rest_(std::exchange(andere.rest_, 0)) {
  andere.clear();
}

Gitterliste& Gitterliste::operator=(const Gitterliste& andere) {
  if (this != &andere) *this = Gitterliste(andere);
  return *this;
}

Gitterliste& Gitterliste::operator=(Gitterliste&& andere) noexcept {
  if (this != &andere) {
    zeilen_ = std::move(andere.zeilen_);
    bloecke_ = std::move(andere.bloecke_);
    frei_ = std::exchange(andere.frei_, nullptr);
    rest_ = std::exchange(andere.rest_, 0);
    andere.clear();
  }
  return *this;
}

void Gitterliste::clear() {
  zeilen_.clear();
  bloecke_.clear();
  frei_ = nullptr;
  rest_ = 0;
}

char* Gitterliste::Platz(std::size_t n) {
  if (n > rest_) {
    const std::size_t groesse = std::max(n, kBlock);
    bloecke_.push_back(std::make_unique_for_overwrite<char[]>(groesse));
    frei_ = bloecke_.back().get();
    rest_ = groesse;
  }
  char* p = frei_;
  frei_ += n;
  rest_ -= n;
  return p;
}

void Gitterliste::Hinzu(std::initializer_list<std::string_view> zellen) {
  std::array<std::uint16_t, Gitterzeile::Spalten> ende{};
  char* ziel = Platz(Zeilenlaenge(zellen));
  Zellen(zellen, ziel, ende);
  zeilen_.emplace_back(ziel, ende);
}

void Gitterliste::push_back(const Gitterzeile& zeile) {
  const std::string_view text = zeile.Text();
  char* ziel = Platz(text.size());
  if (!text.empty()) std::memcpy(ziel, text.data(), text.size());
  zeilen_.emplace_back(ziel, zeile.Enden());
}

void Gitterliste::Kuerzen(std::size_t n) {
  if (n < zeilen_.size()) zeilen_.resize(n);
}

void Gitterliste::Umordnen(std::size_t erster, const std::vector<app::Schluesselsatz::Eintrag>& reihenfolge) {
  std::vector<Gitterzeile> neu(reihenfolge.size());
  for (std::size_t i = 0; i < reihenfolge.size(); ++i) neu[i] = zeilen_[reihenfolge[i].Index];
  std::copy(neu.begin(), neu.end(), zeilen_.begin() + static_cast<std::ptrdiff_t>(erster));
}

bool operator==(const Gitterliste& a, const Gitterliste& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

std::string_view Freigabeposten::Feld(int k) const {
  if (k < 1 || k > 6) return {};
  const std::string_view t = Text;
  const std::size_t anfang = k == 1 ? 0 : std::size_t{Trenner[static_cast<std::size_t>(k - 2)]} + 1;
  const std::size_t ende = k == 6 ? t.size() : Trenner[static_cast<std::size_t>(k - 1)];
  return t.substr(anfang, ende - anfang);
}

namespace {
// The run number the references of a list are built with: the one after
// the settings' counter, which first takes up a greater one the settings
// file of the address file holds by now (a run made meanwhile elsewhere).
std::int64_t NaechsterLauf(const addresses::Adressdatei& datei, TAuszahlungsEinstellungen& e) {
  if (const std::optional<std::int32_t> inDatei = LaufnummerDerDatei(datei); inDatei && *inDatei > e.Laufnummer())
    e.SetzeLaufnummer(*inDatei);
  return static_cast<std::int64_t>(e.Laufnummer()) + 1;
}
}  // namespace

bool AdressenlisteModell::AuszahlungslisteAufbauen(int art, Currency betragProHa, Currency kleinsterBetrag,
                                                   const std::string& belegtext) {
  IODateiName = addresses::AdrDateiName;
  return PruefeIOErgebnis(AuszahlungslisteAufbauen(addresses::AktiveAdressdatei, AuszahlungsEinstellungen, art,
                                                   betragProHa, kleinsterBetrag, belegtext));
}

bool AdressenlisteModell::FreigabelisteAufbauen(Currency betragProHa, Currency kleinsterBetrag,
                                                const std::string& belegtext) {
  IODateiName = addresses::AdrDateiName;
  return PruefeIOErgebnis(FreigabelisteAufbauen(addresses::AktiveAdressdatei, AuszahlungsEinstellungen, betragProHa,
                                                kleinsterBetrag, belegtext));
}

IOErgebnis AdressenlisteModell::AuszahlungslisteAufbauen(addresses::Adressdatei& datei, TAuszahlungsEinstellungen& e,
                                                         int art, Currency betragProHa, Currency kleinsterBetrag,
                                                         const std::string& belegtext) {
  Ansicht = Modus::Liste;
  Freigabe.clear();
  Sortierung = 0;
  SepaSpeichernAktiv = false;
  Gitter.clear();
  Gitter.Hinzu({"", "Name", "Bic", "IBAN",
                "Fl\xE4"
                "che",
                "Betrag",
                "\xDC"
                "berweisungstext1",
                "Referenz"});
  Currency flaechen = 0;
  Currency betraege = 0;
  std::int64_t referenz = 0;
  const std::string laufText = Fuenfstellig(NaechsterLauf(datei, e)) + ".";
  IOSchritte schritte(datei.Pfad);
  // A transfer text without placeholders is the same for every row.
  const bool mitPlatzhaltern = letters::HatPlatzhalter(belegtext);
  const std::string festerText = mitPlatzhaltern ? std::string() : SepaText(Kurz(belegtext, 255));
  std::string text;  // the transfer text of a row; its room serves them all
  // The buffer is left with the last record listed (kept).
  const IOErgebnis gelesen = addresses::DurchlaufenBehalten(datei, [&](std::int32_t nr, const TAdresse& a) {
    if (!Gewaehlt(art, a)) return false;
    if (Gitter.size() == 1) Gitter.reserve(static_cast<std::size_t>(datei.Anzahl) + 2);
    const std::optional<Currency> betragOderNichts = AuszahlungsBetrag(a.Flaeche(), betragProHa, kleinsterBetrag);
    const std::optional<Currency> f = Summe(flaechen, a.Flaeche());
    const std::optional<Currency> b = betragOderNichts ? Summe(betraege, *betragOderNichts) : std::nullopt;
    if (!f || !b) {
      // Stopped rather than wrapped around.
      schritte.Uebernimm(SummeZuGross(datei, nr, a));
      Abbruch = true;
      return true;
    }
    flaechen = *f;
    betraege = *b;
    const Currency betrag = *betragOderNichts;
    std::string name = SepaText(a.TextAnsicht(addresses::Name1));
    if (const std::string_view name2 = a.TextAnsicht(addresses::Name2); !name2.empty()) name += SepaText(name2);
    const std::string_view bic = a.TextAnsicht(addresses::BIC);
    const std::string_view iban = a.TextAnsicht(addresses::IBAN);
    std::string referenzText;
    if (betrag > 0) {
      if (name.empty() || !BicPlausibel(bic) || !IbanPlausibel(iban))
        referenzText = "Fehler!";
      else
        referenzText = laufText + Fuenfstellig(++referenz);
    }
    std::string_view ueberweisung = festerText;
    if (mitPlatzhaltern) {
      text = SepaText(std::string_view(letters::ErsetzePlatzhalter(belegtext, a)).substr(0, 255));
      ueberweisung = text;
    }
    std::array<char, 12> fPuffer, bPuffer;
    const std::optional<std::string_view> fSchnell = Zwoelfstellig(a.Flaeche(), 4, fPuffer);
    const std::optional<std::string_view> bSchnell = Zwoelfstellig(betrag, 2, bPuffer);
    Gitter.Hinzu({"", name, bic, iban, fSchnell ? *fSchnell : BetragFormatieren(a.Flaeche(), 12, 4),
                  bSchnell ? *bSchnell : BetragFormatieren(betrag, 12, 2), ueberweisung, referenzText});
    return true;
  });
  Abbruch = false;
  if (!schritte.Ok()) Gitter.Kuerzen(1);
  Einzelzeile summe;
  summe.Setze(3, "Summe:");
  summe.Setze(4, BetragFormatieren(flaechen, 12, 4));
  summe.Setze(5, BetragFormatieren(betraege, 12, 2));
  Gitter.push_back(summe);
  Kopfzeile =
      "Datum: " + DatumDeutsch(Jetzt()) + "   Auszahlungsbetrag / ha: " + BetragKompakt(betragProHa, 18, 2) + " Euro";
  const std::string c = std::to_string(Gitter.size() - 2);
  switch (art) {
    case 1:
      Titel = "  " + c + " Adressen wurden in der Adressenverwaltung erfasst!";
      break;
    case 2:
      Titel = "  " + c + " Adressen wurden in der Adressenverwaltung f\xFCr eine Auszahlung freigegeben!";
      break;
    case 3:
      Titel = "  " + c + " Adressen wurden in der Adressenverwaltung f\xFCr eine Auszahlung nicht freigegeben!";
      break;
    default:
      break;
  }
  GitterSortieren(1);
  IOSchritte ergebnis(datei.Pfad);
  ergebnis.Uebernimm(gelesen);
  ergebnis.Uebernimm(schritte.Ergebnis());
  return ergebnis.Ergebnis();
}

IOErgebnis AdressenlisteModell::FreigabelisteAufbauen(addresses::Adressdatei& datei, TAuszahlungsEinstellungen& e,
                                                      Currency betragProHa, Currency kleinsterBetrag,
                                                      const std::string& belegtext) {
  Ansicht = Modus::Freigabe;
  Gitter.clear();
  Freigabe.clear();
  Freigabe.shrink_to_fit();
  const std::int64_t lauf = NaechsterLauf(datei, e);
  FreigabeLauf = static_cast<std::int32_t>(lauf);
  const std::string laufText = Fuenfstellig(lauf) + ".";
  std::int64_t folge = 0;
  bool reserviert = false;
  Currency summe = 0;
  IOSchritte schritte(datei.Pfad);
  const IOErgebnis gelesen = addresses::Durchlaufen(datei, [&](std::int32_t nr, TAdresse& a) {
    if (!reserviert) {
      Freigabe.reserve(static_cast<std::size_t>(datei.Anzahl));
      reserviert = true;
    }
    if (a.AuszahlungFrei() != 1) return false;
    const std::optional<Currency> betragOderNichts = AuszahlungsBetrag(a.Flaeche(), betragProHa, kleinsterBetrag);
    const std::optional<Currency> neueSumme =
        betragOderNichts ? Summe(summe, *betragOderNichts) : std::optional<Currency>();
    if (!neueSumme) {
      schritte.Uebernimm(SummeZuGross(datei, nr, a));
      Abbruch = true;
      return false;
    }
    summe = *neueSumme;
    const Currency betrag = *betragOderNichts;
    if (betrag <= 0) return false;
    // The placeholders are filled from the record buffer, with the IBAN in
    // groups (only there, not in the file).
    std::array<std::string, 6> felder;
    felder[3] = IbanGruppieren(a.Text(addresses::IBAN));
    datei.Satz = a;
    datei.Satz.SetzeText(addresses::IBAN, felder[3]);
    felder[0] = BetragFormatieren(betrag, 12, 2);
    felder[1] = Kurz(SepaText(a.Text(addresses::Name1)) + " " + SepaText(a.Text(addresses::Name2)), kNamensgrenze);
    felder[2] = a.Text(addresses::BIC);
    felder[4] = SepaText(Kurz(letters::ErsetzePlatzhalter(belegtext, datei.Satz), 255));
    felder[5] = laufText + Fuenfstellig(++folge);
    Freigabeposten p = Posten(std::move(felder));
    p.Nr = nr;
    const BetragErgebnis zurueck = BetragEinlesen(p.Feld(1));
    p.Aktiv = BicPlausibel(p.Feld(3)) && IbanPlausibel(p.Feld(4)) && !Leer(p.Feld(2)) && !Leer(p.Feld(5)) &&
              !zurueck.Fehler && AufCent(betrag) == zurueck.Wert;
    p.Markiert = p.Aktiv;
    Freigabe.push_back(std::move(p));
    return false;
  });
  Abbruch = false;
  IOSchritte ergebnis(datei.Pfad);
  ergebnis.Uebernimm(gelesen);
  // Nothing of a list that cannot be summed goes on to a transfer file.
  if (!ergebnis.Uebernimm(schritte.Ergebnis())) Freigabe.clear();
  Titel = "  " + std::to_string(Freigabe.size()) +
          " Adressen wurden in der Adressenverwaltung f\xFCr eine \xDC"
          "berweisung freigegeben!";
  SepaSpeichernAktiv = schritte.Ok();
  return ergebnis.Ergebnis();
}

void AdressenlisteModell::Alle() {
  for (Freigabeposten& p : Freigabe)
    if (p.Aktiv) p.Markiert = true;
}

void AdressenlisteModell::Keine() {
  for (Freigabeposten& p : Freigabe) p.Markiert = false;
}

void AdressenlisteModell::GitterSortieren(int k) {
  if (k < 1 || k > 7 || Gitter.size() < 4) return;
  // The column's texts sorted in one buffer, then the rows moved once.
  const auto spalte = static_cast<std::size_t>(k);
  app::Schluesselsatz s;
  s.Reservieren(Gitter.size() - 2, 24);
  for (std::size_t i = 1; i + 1 < Gitter.size(); ++i) s.Hinzu(Gitter[i].Zelle(spalte), i);
  Gitter.Umordnen(1, s.Sortiert());
}

void AdressenlisteModell::SortierungWaehlen(int index) {
  if (index < 0 || index > 3) return;
  Sortierung = index;
  GitterSortieren(index + 1);
}

std::optional<std::string_view> Zwoelfstellig(Currency wert, int stellen, std::array<char, 12>& puffer) {
  if (wert < 0 || (stellen != 2 && stellen != 4)) return std::nullopt;
  auto einheiten = static_cast<std::uint64_t>(wert);
  if (stellen == 2) {
    // Rounded to cents, halves up.
    const std::uint64_t rest = einheiten % 100;
    einheiten += rest >= 50 ? 100 - rest : 0;
    einheiten -= rest >= 50 ? 0 : rest;
  }
  std::uint64_t ganz = einheiten / 10000;
  if (ganz >= 1000000) return std::nullopt;
  // From the right: the decimals, the comma, the whole part with a point
  // before its last three digits when it has four or more, blanks.
  std::size_t i = puffer.size();
  std::uint64_t nachkomma = einheiten % 10000;
  if (stellen == 2) nachkomma /= 100;
  for (int k = 0; k < stellen; ++k) {
    puffer[--i] = static_cast<char>('0' + nachkomma % 10);
    nachkomma /= 10;
  }
  puffer[--i] = ',';
  int ziffern = 0;
  do {
    if (ziffern == 3) puffer[--i] = '.';
    puffer[--i] = static_cast<char>('0' + ganz % 10);
    ganz /= 10;
    ++ziffern;
  } while (ganz > 0);
  while (i > 0) puffer[--i] = ' ';
  return std::string_view(puffer.data(), puffer.size());
}

void DruckZeileDirekt(const std::string& text, int& zeile) {
  printing::Druckflaeche* f = printing::Drucker();
  if (!f || !printing::DokumentOffen()) return;
  // Within a job of the report engine the line takes its place among the
  // engine's lines: counted from the top of the page it would be drawn into
  // the page header and over the lines printed before it.
  if (printing::Druckzustand.JobOffen)
    printing::DruckZeileBei(Konfiguration.DruckLinks(), text);
  else
    f->Text(Konfiguration.DruckLinks(), zeile * f->TextHoehe(text) + Konfiguration.DruckOben(), text);
  ++zeile;
}

bool AdressenlisteModell::ListeDrucken() {
  if (Ansicht == Modus::Freigabe) {
    // The sums of the sections: all amounts that read must add up.
    Currency alle = 0;
    for (const Freigabeposten& p : Freigabe) {
      const BetragErgebnis b = BetragEinlesen(p.Feld(1));
      const std::optional<Currency> s = b.Fehler ? alle : app::Summe(alle, b.Wert);
      if (!s) {
        ZeigeWarnung(
            "Summe zu gro\xDF: Die Betr\xE4ge der Liste lassen sich nicht zusammenz\xE4hlen. Es wird nichts "
            "gedruckt.");
        return false;
      }
      alle = *s;
    }
  }
  printing::DruckBeginn();
  printing::DruckText(Titel);
  printing::DruckSteuerung(printing::Zeilenvorschub);
  if (Ansicht == Modus::Liste)
    GitterDrucken();
  else
    FreigabeDrucken();
  printing::DruckEnde();
  return true;
}

void AdressenlisteModell::GitterDrucken() {
  if (!Kopfzeile.empty()) {
    printing::DruckText(Kopfzeile);
    printing::DruckSteuerung(printing::Zeilenvorschub);
  }
  // The owner rows show their IBAN in groups of four; the sum row keeps its
  // "Summe:".
  const auto zelle = [this](std::size_t r, std::size_t c) {
    const bool iban = c == 3 && r > 0 && r + 1 < Gitter.size();
    return iban ? IbanGruppieren(Gitter[r][c]) : Gitter[r][c];
  };
  std::array<std::size_t, 6> breiten = {0, 40, 15, 27, 15, 15};
  for (std::size_t r = 1; r + 1 < Gitter.size(); ++r) breiten[3] = std::max(breiten[3], zelle(r, 3).size());
  const auto zeile = [&](std::size_t r) {
    for (std::size_t c = 1; c <= 5; ++c) {
      const std::size_t breite = breiten[c];
      std::string t = Kurz(zelle(r, c), breite);
      if (t.size() < breite) {
        if (c == 1)
          t.append(breite - t.size(), ' ');
        else
          t.insert(0, breite - t.size(), ' ');
      }
      if (c > 1) t.insert(0, 1, ' ');
      printing::DruckText(t);
    }
    printing::DruckSteuerung(printing::Zeilenvorschub);
  };
  if (!Gitter.empty()) zeile(0);
  for (std::size_t r = 1; r < Gitter.size(); ++r) {
    if (r % 60 == 0) {
      printing::DruckSteuerung(printing::Seitenvorschub);
      zeile(0);
    }
    zeile(r);
  }
}

void AdressenlisteModell::FreigabeDrucken() {
  using printing::DruckSteuerung;
  using printing::DruckZeichen;
  // The items of one section with their amounts read back; an item whose
  // amount does not read is unchecked and left out.
  struct Abschnitt {
    std::vector<const Freigabeposten*> Posten;
    Currency Summe = 0;
  };
  const auto sammeln = [this](auto gehoertDazu) {
    Abschnitt a;
    for (Freigabeposten& p : Freigabe) {
      if (!gehoertDazu(p)) continue;
      const BetragErgebnis b = BetragEinlesen(p.Feld(1));
      if (b.Fehler) {
        p.Markiert = false;
        continue;
      }
      // Within the sum of all items, which ListeDrucken checked.
      a.Summe = app::Summe(a.Summe, b.Wert).value_or(a.Summe);
      a.Posten.push_back(&p);
    }
    return a;
  };
  const auto summe = [](const Abschnitt& a) { return "Summe: " + BetragFormatieren(a.Summe, 12, 2) + "Euro"; };
  // Long sections go on on a new page every 60 lines.
  const auto umbruch = [](std::size_t zeilen) {
    if (zeilen > 0 && zeilen % 60 == 0) DruckSteuerung(printing::Seitenvorschub);
  };
  int zeile = 1;

  const Abschnitt frei = sammeln([](const Freigabeposten& p) { return p.Markiert; });
  if (!frei.Posten.empty()) {
    DruckZeileDirekt(std::to_string(frei.Posten.size()) +
                         " Adressen wurden f\xFCr eine \xDC"
                         "berweisung freigegeben!",
                     zeile);
    DruckZeileDirekt(summe(frei), zeile);
    for (std::size_t i = 0; i < frei.Posten.size(); ++i) {
      umbruch(i);
      const std::string& t = frei.Posten[i]->Text;
      const auto& tr = frei.Posten[i]->Trenner;
      const auto stueck = [&](int k) {
        const std::size_t anfang = k == 0 ? 0 : std::size_t{tr[static_cast<std::size_t>(k - 1)]} + 1;
        const std::size_t ende = k == 5 ? t.size() : std::size_t{tr[static_cast<std::size_t>(k)]} + 1;
        return t.substr(anfang, ende - anfang);
      };
      DruckZeichen(stueck(0));
      printing::DruckZelle(stueck(1), 31);
      printing::DruckZelle(stueck(2), 17);
      printing::DruckRechts(stueck(3), 26);
      printing::DruckZelle(stueck(4), 30);
      DruckZeichen(stueck(5));
      DruckSteuerung(printing::Zeilenvorschub);
    }
  }

  const Abschnitt gesperrt = sammeln([](const Freigabeposten& p) { return p.Aktiv && !p.Markiert; });
  if (!gesperrt.Posten.empty()) {
    DruckZeichen(std::to_string(gesperrt.Posten.size()) +
                 " Adressen wurden f\xFCr eine \xDC"
                 "berweisung gesperrt!");
    DruckSteuerung(printing::Zeilenvorschub);
    DruckZeichen(summe(gesperrt));
    DruckSteuerung(printing::Zeilenvorschub);
    for (const Freigabeposten* p : gesperrt.Posten) {
      if (zeile % 60 == 0) {
        DruckSteuerung(printing::Seitenvorschub);
        zeile = 1;
      }
      DruckZeileDirekt(p->Text, zeile);
    }
  }

  const Abschnitt fehlerhaft = sammeln([](const Freigabeposten& p) { return !p.Aktiv; });
  if (!fehlerhaft.Posten.empty()) {
    DruckZeichen(std::to_string(fehlerhaft.Posten.size()) + " Adressen sind fehlerhaft!");
    DruckSteuerung(printing::Zeilenvorschub);
    DruckZeichen(summe(fehlerhaft));
    DruckSteuerung(printing::Zeilenvorschub);
    for (std::size_t i = 0; i < fehlerhaft.Posten.size(); ++i) {
      umbruch(i);
      DruckZeichen(fehlerhaft.Posten[i]->Text);
      DruckSteuerung(printing::Zeilenvorschub);
    }
  }
}

}  // namespace davo::payout
