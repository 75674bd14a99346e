#include "addresses/Adresse.h"

#include <algorithm>

#include "addresses/AdrAuswahl.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Text.h"

namespace davo::addresses {

using namespace davo::app;

Adressdatei AktiveAdressdatei;
TAdresse& AktAdresse = AktiveAdressdatei.Satz;
std::int32_t& AktAdrNr = AktiveAdressdatei.Nr;
std::int32_t& AnzahlAdressen = AktiveAdressdatei.Anzahl;
std::string& AdrDateiName = AktiveAdressdatei.Pfad;

const char* const FilterAdressdateiMenue = "Windows-Adressendatei|*.ADW|Alle Dateien|*.*";
const char* const StartordnerAdressdateiMenue = "C:\\ZQ-Soft\\Reredazo";
const char* const FilterAdressdatei = "Adressendateien|*.ADW|alle Dateien|*.*";
const char* const StartordnerAdressdatei = "c:\\ZQ-Soft\\Reredazo";

namespace {

const char* const kFeldnamen[TAdresse::AnzahlFelder] = {
    "Anrede",     "Name1",        "Name2",   "Sortierung", "Strasse", "Postfach",   "Ort",
    "Telefon",    "Feld9",        "Fax",     "EMail",      "Homepage", "Bankname",  "BLZ",
    "Kontonummer", "IBAN",        "BIC",     "MandatsNr",  "MandatsNrAlt", "Steuernummer", "UStId",
    "Feld22",     "Feld23",       "Feld24",  "Feld25",     "Feld26",  "Feld27",     "Feld28",
    "Feld29",     "Feld30"};

constexpr std::size_t kSatz = TAdresse::Groesse;

// Measures the open file.
void Messen(Adressdatei& d) {
  d.Laenge = d.Dateivariable.LaengeInBytes();
  d.Anzahl = static_cast<std::int32_t>(d.Dateivariable.Groesse());
}

// Locks the file just opened; after a failure the file is closed again
// (nothing was done with it) and the count is 0.
bool Sperren(Adressdatei& d, IOSchritte& s, bool exklusiv) {
  if (s.Pruefe()) {
    d.Dateivariable.Sperren(exklusiv);
    if (s.Pruefe()) {
      Messen(d);
      return true;
    }
  }
  if (d.Dateivariable.Offen()) {
    d.Dateivariable.Schliessen();
    VerwirfIOErgebnis();
  }
  d.Anzahl = 0;
  return false;
}

// Binds the file variable, creates the file (anlegen) or opens it for
// reading only, locks and measures it. False (count 0) when that failed.
bool OeffnenUndMessen(Adressdatei& d, IOSchritte& s, bool anlegen) {
  d.Dateivariable.Zuordnen(d.Pfad);
  s.Pruefe();
  if (anlegen)
    d.Dateivariable.Anlegen(kSatz);
  else
    d.Dateivariable.OeffnenLesen(kSatz);
  return Sperren(d, s, anlegen);
}

// Closes the file, ending its lock.
void Zumachen(Adressdatei& d, IOSchritte& s) {
  d.Dateivariable.Schliessen();
  s.Pruefe();
}

// The refusal to write into a file with a torn last record.
IOErgebnis Unbeschreibbar(const Adressdatei& d) {
  return IOErgebnis::Fehler(
      io::UngueltigeGroesse, d.Pfad,
      Kurz(UngueltigeGroesseText(d.Pfad, d.Laenge) + " Es wird nichts in sie geschrieben, bis sie gek\xFCrzt ist.",
           255));
}

// Opens the file for writing with an exclusive lock and measures it; only a
// missing file is created. Any other failure to open is the result, so an
// existing file is never truncated. A file with a torn last record is
// refused (and closed again).
bool OeffnenSonstAnlegen(Adressdatei& d, IOSchritte& s) {
  d.Dateivariable.Zuordnen(d.Pfad);
  s.Pruefe();
  d.Dateivariable.Oeffnen(kSatz);
  if (OffenesIOErgebnis() == io::DateiNichtGefunden) {
    VerwirfIOErgebnis();
    d.Dateivariable.Anlegen(kSatz);
  }
  if (!Sperren(d, s, true)) return false;
  if (d.Rest() == 0) return true;
  s.Uebernimm(Unbeschreibbar(d));
  Zumachen(d, s);
  return false;
}

// Lesen, creating the file instead of opening it when asked.
IOErgebnis LesenOderAnlegen(Adressdatei& d, std::int32_t n, bool anlegen) {
  d.Satz.Leeren();
  IOSchritte s(d.Pfad);
  if (!OeffnenUndMessen(d, s, anlegen)) return s.Ergebnis();
  if (n >= 0) {
    d.Dateivariable.Suchen(n);
    // After a failed seek the position is somewhere else: read nothing.
    if (s.Pruefe()) {
      d.Dateivariable.Lesen(d.Satz.bytes.data());
      s.Pruefe();
    }
  }
  Zumachen(d, s);
  d.Nr = n;
  return s.Ergebnis();
}

void FrageNachNeuerDatei(const std::string& pfad, bool& antwort) {
  antwort = false;
  FrageJaNein("Adressdatei: " + pfad + " nicht gefunden!", "Soll eine neue Adressendatei angelegt werden?", antwort);
}

}  // namespace

std::string TAdresse::Text(int i) const {
  if (i < 1 || i > static_cast<int>(AnzahlFelder)) return std::string();
  return LiesKurzText(bytes.data() + FeldOffset(i), FeldKapazitaet);
}

std::string_view TAdresse::TextAnsicht(int i) const {
  if (i < 1 || i > static_cast<int>(AnzahlFelder)) return {};
  const std::uint8_t* feld = bytes.data() + FeldOffset(i);
  return std::string_view(reinterpret_cast<const char*>(feld + 1), std::min<std::size_t>(feld[0], FeldKapazitaet));
}

void TAdresse::SetzeText(int i, const std::string& text) {
  if (i < 1 || i > static_cast<int>(AnzahlFelder)) return;
  SchreibeKurzText(bytes.data() + FeldOffset(i), FeldKapazitaet, text);
}

Currency TAdresse::Flaeche() const { return LiesInt64(bytes.data() + OffsetFlaeche); }
void TAdresse::SetzeFlaeche(Currency v) { SchreibeInt64(bytes.data() + OffsetFlaeche, v); }

int FeldNachName(const std::string& name) {
  for (std::size_t i = 0; i < TAdresse::AnzahlFelder; ++i)
    if (name == kFeldnamen[i]) return static_cast<int>(i) + 1;
  return 0;
}

const char* FeldName(int i) {
  if (i < 1 || i > static_cast<int>(TAdresse::AnzahlFelder)) return "";
  return kFeldnamen[i - 1];
}

void ZustandZuruecksetzen() {
  AktAdresse.Leeren();
  AktAdrNr = 0;
  AnzahlAdressen = 0;
  AdrDateiName.clear();
  AdrListeAlle.clear();
  AdrListeSuche.clear();
  GewaehlteAdrNr = 0;
  AdrAuswahl = AdrAuswahlModell{};
  AdrAuswahlFenster = nullptr;
}

std::string Adressdatei::Basis() const { return BasisVon(Pfad); }

std::string UngueltigeGroesseText(const std::string& pfad, std::int64_t bytes) {
  return Kurz("Die Datei " + pfad + " ist keine g\xFCltige Adressendatei: " + std::to_string(bytes) +
                  " Bytes sind kein Vielfaches von " + std::to_string(kSatz) + ".",
              255);
}

IOErgebnis Anlegen(Adressdatei& d) {
  IOSchritte s(d.Pfad);
  if (!OeffnenUndMessen(d, s, true)) return s.Ergebnis();
  Zumachen(d, s);
  return s.Ergebnis();
}

IOErgebnis Lesen(Adressdatei& d, std::int32_t n) { return LesenOderAnlegen(d, n, false); }

IOErgebnis Schreiben(Adressdatei& d, std::int32_t n) {
  const std::int32_t gemessen = d.Anzahl;
  IOSchritte s(d.Pfad);
  if (!OeffnenSonstAnlegen(d, s)) return s.Ergebnis();
  Datei& datei = d.Dateivariable;
  // Appended behind what the file holds now, which another program may have
  // added to since the count was taken.
  if (n == gemessen && d.Anzahl > n) {
    n = d.Anzahl;
    d.Nr = n;
  }
  const bool anhaengen = n == d.Anzahl;
  const std::int64_t vorher = d.Laenge;
  datei.Suchen(n);
  // After a failed seek a write would overwrite another record.
  if (s.Pruefe()) {
    datei.Schreiben(d.Satz.bytes.data());
    // A record appended in part is taken back out.
    if (!s.Pruefe() && anhaengen) {
      datei.Kuerzen(vorher);
      VerwirfIOErgebnis();
    }
  }
  d.Anzahl = static_cast<std::int32_t>(datei.Groesse());
  Zumachen(d, s);
  return s.Ergebnis();
}

IOErgebnis Aendern(Adressdatei& d, std::int32_t n, const std::function<bool(TAdresse&)>& aendern) {
  d.Satz.Leeren();
  IOSchritte s(d.Pfad);
  if (!OeffnenSonstAnlegen(d, s)) return s.Ergebnis();
  Datei& datei = d.Dateivariable;
  datei.Suchen(n);
  if (s.Pruefe()) {
    datei.Lesen(d.Satz.bytes.data());
    if (s.Pruefe() && aendern(d.Satz)) {
      datei.Suchen(n);
      if (s.Pruefe()) {
        datei.Schreiben(d.Satz.bytes.data());
        s.Pruefe();
      }
    }
  }
  d.Nr = n;
  Zumachen(d, s);
  return s.Ergebnis();
}

IOErgebnis Durchlaufen(Adressdatei& d, const std::function<bool(std::int32_t, TAdresse&)>& besuche, bool schreiben,
                       BeiLesefehler lesefehler) {
  IOSchritte s(d.Pfad);
  Datei& datei = d.Dateivariable;
  if (schreiben) {
    datei.Zuordnen(d.Pfad);
    s.Pruefe();
    datei.Oeffnen(kSatz);
    // Refused before anything is changed: a torn file, or one in use.
    if (!Sperren(d, s, true)) return s.Ergebnis();
    if (d.Rest() != 0) {
      s.Uebernimm(Unbeschreibbar(d));
      Zumachen(d, s);
      return s.Ergebnis();
    }
  } else if (!OeffnenUndMessen(d, s, false)) {
    return s.Ergebnis();
  }
  datei.SofortSchreiben(false);
  const std::int32_t anzahl = d.Anzahl;
  Abbruch = false;
  TAdresse satz;
  for (std::int32_t i = 0; i < anzahl; ++i) {
    datei.Lesen(satz.bytes.data());
    if (!s.Pruefe()) {
      if (lesefehler == BeiLesefehler::Aufhoeren) break;
      // On with the next record, from its own position.
      datei.Suchen(i + 1);
      if (!s.Pruefe()) break;
      continue;
    }
    const bool geaendert = besuche(i, satz);
    if (geaendert && schreiben) {
      datei.Suchen(i);
      if (!s.Pruefe()) break;
      datei.Schreiben(satz.bytes.data());
      if (!s.Pruefe()) break;
    }
    if (Abbruch) break;
  }
  Zumachen(d, s);
  return s.Ergebnis();
}

IOErgebnis DurchlaufenBehalten(Adressdatei& d, const std::function<bool(std::int32_t, const TAdresse&)>& besuche) {
  static_assert(sizeof(TAdresse) == kSatz, "records are read straight into a row of TAdresse");
  // Records read at once: a few large reads instead of one small one each.
  constexpr std::int32_t kBlock = 32;
  IOSchritte s(d.Pfad);
  if (!OeffnenUndMessen(d, s, false)) return s.Ergebnis();
  Datei& datei = d.Dateivariable;
  datei.SofortSchreiben(false);
  const std::int32_t anzahl = d.Anzahl;
  Abbruch = false;
  std::vector<TAdresse> block(static_cast<std::size_t>(std::min(anzahl, kBlock)));
  TAdresse behalten;                  // the last record kept from an earlier block
  const TAdresse* gemerkt = nullptr;  // the last record kept
  bool ende = false;
  for (std::int32_t i = 0; i < anzahl && !ende;) {
    // The record kept from the block before is copied away before the block
    // is read over.
    if (gemerkt && gemerkt != &behalten) {
      behalten = *gemerkt;
      gemerkt = &behalten;
    }
    const std::int32_t n = std::min(kBlock, anzahl - i);
    const std::size_t bytes = static_cast<std::size_t>(n) * kSatz;
    const bool ganz = datei.LesenBlock(block.data(), bytes) == bytes && OffenesIOErgebnis() == 0;
    if (!ganz) {
      // A block that fails is read again record by record, from its first
      // record, so only a record that cannot be read is left out.
      VerwirfIOErgebnis();
      datei.Suchen(i);
      if (!s.Pruefe()) break;
    }
    for (std::int32_t k = 0; k < n; ++k) {
      TAdresse& satz = block[static_cast<std::size_t>(k)];
      if (!ganz) {
        datei.Lesen(satz.bytes.data());
        if (!s.Pruefe()) {
          // On with the next record, from its own position.
          datei.Suchen(i + k + 1);
          if (!s.Pruefe()) {
            ende = true;
            break;
          }
          continue;
        }
      }
      if (besuche(i + k, satz)) gemerkt = &satz;
      if (Abbruch) {
        ende = true;
        break;
      }
    }
    i += n;
  }
  Zumachen(d, s);
  if (gemerkt) d.Satz = *gemerkt;
  return s.Ergebnis();
}

IOErgebnis SaetzeLesen(Adressdatei& d, const std::vector<std::int32_t>& nummern,
                       const std::function<void(std::int32_t, const TAdresse&)>& besuche) {
  IOSchritte s(d.Pfad);
  if (!OeffnenUndMessen(d, s, false)) return s.Ergebnis();
  Datei& datei = d.Dateivariable;
  TAdresse satz;
  std::int32_t position = 0;  // the record the file stands at; -1 unknown
  std::int32_t gelesen = -1;  // the record in satz
  for (const std::int32_t nr : nummern) {
    if (nr == gelesen) continue;
    if (nr < 0 || nr >= d.Anzahl) {
      SetzeIOErgebnis(io::LeseFehler);
      s.Pruefe();
      continue;
    }
    if (nr != position) {
      datei.Suchen(nr);
      if (!s.Pruefe()) {
        position = -1;
        continue;
      }
    }
    datei.Lesen(satz.bytes.data());
    if (!s.Pruefe()) {
      position = -1;
      continue;
    }
    position = nr + 1;
    gelesen = nr;
    besuche(nr, satz);
  }
  Zumachen(d, s);
  return s.Ergebnis();
}

AdrAnhaenger::AdrAnhaenger(Adressdatei& datei) : datei_(datei), schritte_(datei.Pfad) {
  // At the count the file has now: a count measured earlier may be stale, and
  // appending there would overwrite owners already in the file.
  if (!OeffnenSonstAnlegen(datei_, schritte_)) return;
  Datei& d = datei_.Dateivariable;
  d.SofortSchreiben(false);
  anfang_ = datei_.Laenge;
  vorher_ = datei_.Anzahl;
  d.Suchen(datei_.Anzahl);
  schritte_.Pruefe();
}

AdrAnhaenger::~AdrAnhaenger() { Schliessen(); }

void AdrAnhaenger::Zurueck() {
  datei_.Dateivariable.Kuerzen(anfang_);
  schritte_.Pruefe();
  datei_.Anzahl = vorher_;
}

bool AdrAnhaenger::Anhaengen(const TAdresse& satz) {
  if (!schritte_.Ok() || !datei_.Dateivariable.Offen()) return false;
  datei_.Dateivariable.Schreiben(satz.bytes.data());
  if (!schritte_.Pruefe()) {
    Zurueck();
    return false;
  }
  ++datei_.Anzahl;
  return true;
}

void AdrAnhaenger::Verwerfen() {
  if (!datei_.Dateivariable.Offen()) return;
  Zurueck();
  Zumachen(datei_, schritte_);
}

IOErgebnis AdrAnhaenger::Schliessen() {
  Datei& d = datei_.Dateivariable;
  if (d.Offen()) {
    // All records on the disk before the lock ends, or none of them.
    if (schritte_.Ok() && !d.Sichern()) {
      SetzeIOErgebnis(io::SchreibFehler);
      schritte_.Pruefe();
      Zurueck();
    }
    Zumachen(datei_, schritte_);
  }
  return schritte_.Ergebnis();
}

IOErgebnis AufGanzeSaetzeKuerzen(Adressdatei& d, std::string& sicherung) {
  sicherung.clear();
  IOSchritte s(d.Pfad);
  Datei& datei = d.Dateivariable;
  datei.Zuordnen(d.Pfad);
  s.Pruefe();
  datei.Oeffnen(kSatz);
  if (!Sperren(d, s, true) || d.Rest() == 0) {
    if (datei.Offen()) Zumachen(d, s);
    return s.Ergebnis();
  }
  // The copy: the file as it is, under a name not taken yet.
  std::string ziel = d.Pfad + ".sicherung";
  for (int i = 2; DateiExistiert(ziel); ++i) ziel = d.Pfad + ".sicherung" + std::to_string(i);
  s.Datei(ziel);
  {
    ErsatzDatei kopie(ziel);
    s.Pruefe();
    datei.Suchen(0);
    s.Pruefe();
    std::string block(1 << 16, '\0');
    while (s.Ok()) {
      s.Datei(d.Pfad);
      const std::size_t n = datei.LesenBlock(block.data(), block.size());
      if (!s.Pruefe() || n == 0) break;
      s.Datei(ziel);
      kopie.Schreiben(block.data(), n);
      s.Pruefe();
    }
    s.Datei(ziel);
    if (s.Ok() && kopie.Einsetzen()) sicherung = ziel;
    s.Pruefe();
  }
  s.Datei(d.Pfad);
  if (s.Ok()) {
    datei.Kuerzen(d.Laenge - d.Rest());
    if (s.Pruefe() && !datei.Sichern()) SetzeIOErgebnis(io::SchreibFehler);
    s.Pruefe();
    Messen(d);
  }
  Zumachen(d, s);
  return s.Ergebnis();
}

// --- the active file -------------------------------------------------------------

bool AdrDateiOeffnen() {
  AktAdresse.Leeren();
  AdrDateiName = Konfiguration.Adressdatei();
  IODateiName = AdrDateiName;
  bool antwort = false;
  if (!DateiExistiert(AdrDateiName)) {
    DateiDialog dialog;
    dialog.Filter = FilterAdressdatei;
    dialog.StartOrdner = StartordnerAdressdatei;
    dialog.Dateiname = Konfiguration.Adressdatei();
    auto wahl = OeffnenDialog(dialog);
    if (!wahl || !PfadDarstellbar(*wahl)) return false;
    IODateiName = wahl->Pfad;
    AdrDateiName = wahl->Pfad;
  }
  if (!DateiExistiert(AdrDateiName)) {
    FrageNachNeuerDatei(AdrDateiName, antwort);
    if (!antwort) return false;
  }
  // Measuring reads no record: the buffer stays cleared.
  IOSchritte s(AdrDateiName);
  const bool offen = OeffnenUndMessen(AktiveAdressdatei, s, antwort);
  if (offen) {
    AktiveAdressdatei.Dateivariable.Schliessen();
    s.Pruefe();
  }
  PruefeIOErgebnis(s.Ergebnis());
  if (!offen) return false;
  if (AktiveAdressdatei.Rest() != 0) {
    // Read it can be; cut back to its whole records only when the user says so.
    bool kuerzen = false;
    FrageJaNein(UngueltigeGroesseText(AdrDateiName, AktiveAdressdatei.Laenge),
                "Datei auf " + std::to_string(AnzahlAdressen) +
                    " vollst\xE4ndige Adressen k\xFCrzen? Eine Sicherungskopie wird angelegt.",
                kuerzen);
    if (kuerzen) {
      std::string sicherung;
      if (PruefeIOErgebnis(AufGanzeSaetzeKuerzen(AktiveAdressdatei, sicherung)))
        ZeigeMeldung(Kurz("Die Datei wurde auf " + std::to_string(AnzahlAdressen) +
                              " Adressen gek\xFCrzt. Sicherungskopie: " + sicherung,
                          255));
    }
  }
  AktAdrNr = 0;
  Konfiguration.SetzeAdressdatei(AdrDateiName);
  SchreibeKonfiguration();
  return true;
}

bool AdresseLesen(std::int32_t n) {
  AktAdresse.Leeren();
  IODateiName = AdrDateiName;
  bool antwort = false;
  if (!DateiExistiert(AdrDateiName)) {
    FrageNachNeuerDatei(AdrDateiName, antwort);
    if (!antwort) return false;
  }
  return PruefeIOErgebnis(LesenOderAnlegen(AktiveAdressdatei, n, antwort));
}

bool AdresseSchreiben(std::int32_t n) {
  IODateiName = AdrDateiName;
  return PruefeIOErgebnis(Schreiben(AktiveAdressdatei, n));
}

bool AdressenDurchlaufen(const std::function<bool(std::int32_t, TAdresse&)>& besuche, bool schreiben,
                         BeiLesefehler lesefehler) {
  IODateiName = AdrDateiName;
  return PruefeIOErgebnis(Durchlaufen(AktiveAdressdatei, besuche, schreiben, lesefehler));
}

namespace {

// Steps shared by both menu commands: choose the file and make it active.
// Creating asks with a save dialog, and a name typed without an extension
// gets ".ADW".
bool AdressdateiAuswaehlen(bool anlegen) {
  DateiDialog dialog;
  dialog.Filter = FilterAdressdateiMenue;
  dialog.StartOrdner = StartordnerAdressdateiMenue;
  dialog.Dateiname = Konfiguration.Adressdatei();
  if (anlegen) {
    dialog.Titel = "Neue Adressendatei anlegen";
    dialog.Knopf = "Anlegen";
  }
  auto wahl = anlegen ? SpeichernDialog(dialog) : OeffnenDialog(dialog);
  if (!wahl) return false;
  if (anlegen && wahl->Darstellbar && BasisVon(wahl->Pfad) == wahl->Pfad) {
    wahl->Pfad += ".ADW";
    wahl->PfadUtf8 += ".ADW";
  }
  if (!PfadDarstellbar(*wahl)) return false;
  IODateiName = wahl->Pfad;
  Konfiguration.SetzeAdressdatei(wahl->Pfad);
  AktAdrBasis = BasisVon(wahl->Pfad);
  AdrDateiName = wahl->Pfad;
  return true;
}

}  // namespace

void AktiveAdressendateiWaehlen() {
  if (!AdressdateiAuswaehlen(false)) return;
  SchreibeKonfiguration();
}

void NeueAdressendateiAnlegen() {
  if (!AdressdateiAuswaehlen(true)) return;
  if (DateiExistiert(AdrDateiName)) return;
  FrageJaNein(AdrDateiName, "Soll diese Adressendatei angelegt werden?", Antwort);
  if (!Antwort) return;
  IODateiName = AdrDateiName;
  PruefeIOErgebnis(Anlegen(AktiveAdressdatei));
  AnzahlAdressen = 0;
}

}  // namespace davo::addresses
