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

// Binds the file variable, creates the file (anlegen) or opens it for
// reading and writing, and measures it. False (count 0) when the open or
// create failed.
bool OeffnenUndMessen(Adressdatei& d, IOSchritte& s, bool anlegen) {
  d.Dateivariable.Zuordnen(d.Pfad);
  s.Pruefe();
  if (anlegen)
    d.Dateivariable.Anlegen(kSatz);
  else
    d.Dateivariable.Oeffnen(kSatz);
  if (!s.Pruefe()) {
    d.Anzahl = 0;
    return false;
  }
  d.Anzahl = static_cast<std::int32_t>(d.Dateivariable.Groesse());
  return true;
}

// Opens the file for writing; only a missing file is created. Any other
// failure to open is the result, so an existing file is never truncated.
bool OeffnenSonstAnlegen(Adressdatei& d, IOSchritte& s) {
  d.Dateivariable.Zuordnen(d.Pfad);
  s.Pruefe();
  d.Dateivariable.Oeffnen(kSatz);
  if (OffenesIOErgebnis() == io::DateiNichtGefunden) {
    VerwirfIOErgebnis();
    d.Dateivariable.Anlegen(kSatz);
  }
  if (!s.Pruefe()) {
    d.Anzahl = 0;
    return false;
  }
  return true;
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
  d.Dateivariable.Schliessen();
  s.Pruefe();
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

IOErgebnis Anlegen(Adressdatei& d) {
  IOSchritte s(d.Pfad);
  if (!OeffnenUndMessen(d, s, true)) return s.Ergebnis();
  d.Dateivariable.Schliessen();
  s.Pruefe();
  return s.Ergebnis();
}

IOErgebnis Lesen(Adressdatei& d, std::int32_t n) { return LesenOderAnlegen(d, n, false); }

IOErgebnis Schreiben(Adressdatei& d, std::int32_t n) {
  IOSchritte s(d.Pfad);
  if (!OeffnenSonstAnlegen(d, s)) return s.Ergebnis();
  d.Dateivariable.Suchen(n);
  // After a failed seek a write would overwrite another record.
  if (s.Pruefe()) {
    d.Dateivariable.Schreiben(d.Satz.bytes.data());
    s.Pruefe();
  }
  d.Anzahl = static_cast<std::int32_t>(d.Dateivariable.Groesse());
  d.Dateivariable.Schliessen();
  s.Pruefe();
  return s.Ergebnis();
}

IOErgebnis Durchlaufen(Adressdatei& d, const std::function<bool(std::int32_t, TAdresse&)>& besuche, bool schreiben,
                       BeiLesefehler lesefehler) {
  IOSchritte s(d.Pfad);
  Datei& datei = d.Dateivariable;
  datei.Zuordnen(d.Pfad);
  s.Pruefe();
  if (schreiben) datei.Oeffnen(kSatz);
  else datei.OeffnenLesen(kSatz);
  if (!s.Pruefe()) {
    d.Anzahl = 0;
    return s.Ergebnis();
  }
  datei.SofortSchreiben(false);
  const auto anzahl = static_cast<std::int32_t>(datei.Groesse());
  d.Anzahl = anzahl;
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
  datei.Schliessen();
  s.Pruefe();
  return s.Ergebnis();
}

AdrAnhaenger::AdrAnhaenger(Adressdatei& datei) : datei_(datei), schritte_(datei.Pfad) {
  if (!OeffnenSonstAnlegen(datei_, schritte_)) return;
  Datei& d = datei_.Dateivariable;
  d.SofortSchreiben(false);
  // At the count the file has now: a count measured earlier may be stale, and
  // appending there would overwrite owners already in the file.
  datei_.Anzahl = static_cast<std::int32_t>(d.Groesse());
  d.Suchen(datei_.Anzahl);
  schritte_.Pruefe();
}

AdrAnhaenger::~AdrAnhaenger() { Schliessen(); }

bool AdrAnhaenger::Anhaengen(const TAdresse& satz) {
  if (!schritte_.Ok() || !datei_.Dateivariable.Offen()) return false;
  datei_.Dateivariable.Schreiben(satz.bytes.data());
  if (!schritte_.Pruefe()) return false;
  ++datei_.Anzahl;
  return true;
}

IOErgebnis AdrAnhaenger::Schliessen() {
  if (datei_.Dateivariable.Offen()) {
    datei_.Dateivariable.Schliessen();
    schritte_.Pruefe();
  }
  return schritte_.Ergebnis();
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
