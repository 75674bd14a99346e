#include "addresses/Adresse.h"

#include <algorithm>

#include "addresses/AdrAuswahl.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Text.h"

namespace davo::addresses {

using namespace davo::app;

TAdresse AktAdresse;
std::int32_t AktAdrNr = 0;
std::int32_t AnzahlAdressen = 0;
std::string AdrDateiName;

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

// Binds the file, creates it (anlegen) or opens it, and measures it. False
// (count 0) when the open or create failed; the failure was reported.
bool OeffnenUndMessen(Datei& datei, bool anlegen) {
  datei.Zuordnen(AdrDateiName);
  PruefeIO();
  if (anlegen) datei.Anlegen(kSatz);
  else datei.Oeffnen(kSatz);
  PruefeIO();
  if (IOFehler) {
    AnzahlAdressen = 0;
    return false;
  }
  AnzahlAdressen = static_cast<std::int32_t>(datei.Groesse());
  return true;
}

// Opens the file for writing; only a missing file is created. Any other
// failure to open is reported, so an existing file is never truncated.
bool OeffnenSonstAnlegen(Datei& datei) {
  datei.Zuordnen(AdrDateiName);
  PruefeIO();
  datei.Oeffnen(kSatz);
  LiesIOErgebnis();
  if (IOFehler && IOCode == io::DateiNichtGefunden) {
    datei.Anlegen(kSatz);
    PruefeIO();
  } else {
    ZeigeIOFehler();
  }
  if (IOFehler) AnzahlAdressen = 0;
  return !IOFehler;
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
  Datei datei;
  if (!OeffnenUndMessen(datei, antwort)) return false;
  datei.Schliessen();
  PruefeIO();
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
  bool ok = true;
  auto pruefe = [&ok] {
    PruefeIO();
    ok = ok && !IOFehler;
  };
  Datei datei;
  if (!OeffnenUndMessen(datei, antwort)) return false;
  if (n >= 0) {
    datei.Suchen(n);
    pruefe();
    // After a failed seek the position is somewhere else: read nothing.
    if (ok) {
      datei.Lesen(AktAdresse.bytes.data());
      pruefe();
    }
  }
  datei.Schliessen();
  pruefe();
  AktAdrNr = n;
  return ok;
}

bool AdresseSchreiben(std::int32_t n) {
  IODateiName = AdrDateiName;
  bool ok = true;
  auto pruefe = [&ok] {
    PruefeIO();
    ok = ok && !IOFehler;
  };
  Datei datei;
  if (!OeffnenSonstAnlegen(datei)) return false;
  datei.Suchen(n);
  pruefe();
  // After a failed seek a write would overwrite another record.
  if (ok) {
    datei.Schreiben(AktAdresse.bytes.data());
    pruefe();
  }
  AnzahlAdressen = static_cast<std::int32_t>(datei.Groesse());
  datei.Schliessen();
  pruefe();
  return ok;
}

bool AdressenDurchlaufen(const std::function<bool(std::int32_t, TAdresse&)>& besuche, bool schreiben,
                         BeiLesefehler lesefehler) {
  return AdressenDurchlaufen(AdrDateiName, besuche, schreiben, lesefehler);
}

bool AdressenDurchlaufen(const std::string& pfad, const std::function<bool(std::int32_t, TAdresse&)>& besuche,
                         bool schreiben, BeiLesefehler lesefehler) {
  IODateiName = pfad;
  Datei datei;
  datei.Zuordnen(pfad);
  PruefeIO();
  if (schreiben) datei.Oeffnen(kSatz);
  else datei.OeffnenLesen(kSatz);
  PruefeIO();
  if (IOFehler) {
    AnzahlAdressen = 0;
    return false;
  }
  datei.SofortSchreiben(false);
  const auto anzahl = static_cast<std::int32_t>(datei.Groesse());
  AnzahlAdressen = anzahl;
  bool ok = true;
  Abbruch = false;
  TAdresse satz;
  for (std::int32_t i = 0; i < anzahl; ++i) {
    datei.Lesen(satz.bytes.data());
    PruefeIO();
    if (IOFehler) {
      ok = false;
      if (lesefehler == BeiLesefehler::Aufhoeren) break;
      // On with the next record, from its own position.
      datei.Suchen(i + 1);
      PruefeIO();
      if (IOFehler) break;
      continue;
    }
    const bool geaendert = besuche(i, satz);
    if (geaendert && schreiben) {
      datei.Suchen(i);
      PruefeIO();
      if (IOFehler) {
        ok = false;
        break;
      }
      datei.Schreiben(satz.bytes.data());
      PruefeIO();
      if (IOFehler) {
        ok = false;
        break;
      }
    }
    if (Abbruch) break;
  }
  datei.Schliessen();
  PruefeIO();
  return ok && !IOFehler;
}

struct AdrAnhaenger::Offen {
  Datei datei;
};

AdrAnhaenger::AdrAnhaenger() : offen_(new Offen) {
  IODateiName = AdrDateiName;
  Datei& d = offen_->datei;
  ok_ = OeffnenSonstAnlegen(d);
  if (!ok_) return;
  d.SofortSchreiben(false);
  // Appending starts at the count measured by the last access.
  d.Suchen(std::min<std::int64_t>(AnzahlAdressen, d.Groesse()));
  PruefeIO();
  ok_ = !IOFehler;
}

AdrAnhaenger::~AdrAnhaenger() {
  Schliessen();
  delete offen_;
}

bool AdrAnhaenger::Anhaengen(const TAdresse& satz) {
  if (!ok_ || !offen_->datei.Offen()) return false;
  IODateiName = AdrDateiName;
  offen_->datei.Schreiben(satz.bytes.data());
  PruefeIO();
  if (IOFehler) {
    ok_ = false;
    return false;
  }
  ++AnzahlAdressen;
  return true;
}

bool AdrAnhaenger::Schliessen() {
  if (!offen_->datei.Offen()) return ok_;
  IODateiName = AdrDateiName;
  offen_->datei.Schliessen();
  PruefeIO();
  if (IOFehler) ok_ = false;
  return ok_;
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
  Datei datei;
  datei.Zuordnen(AdrDateiName);
  PruefeIO();
  datei.Anlegen(kSatz);
  PruefeIO();
  AnzahlAdressen = 0;
  if (datei.Offen()) {
    datei.Schliessen();
    PruefeIO();
  }
}

}  // namespace davo::addresses
