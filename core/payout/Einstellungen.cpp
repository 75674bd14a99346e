#include "payout/Einstellungen.h"

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Text.h"

namespace davo::payout {

using namespace davo::app;

TAuszahlungsEinstellungen AuszahlungsEinstellungen;

namespace {
const char* const kNamen[TAuszahlungsEinstellungen::AnzahlTexte] = {
    "Auftraggeber",    "AuftraggeberAdresse", "Kreditinstitut",      "AuftraggeberBIC", "AuftraggeberIBAN",
    "Kreditorennummer", "BetragProHaText",    "KleinsterBetragText", "Belegtext1",      "SepaOrdner"};
}

std::string TAuszahlungsEinstellungen::Feld(int i) const {
  if (i < 0 || i >= AnzahlTexte) return std::string();
  return LiesKurzText(bytes.data() + TextOffset(i), 255);
}

void TAuszahlungsEinstellungen::SetzeFeld(int i, const std::string& text) {
  if (i < 0 || i >= AnzahlTexte) return;
  SchreibeKurzText(bytes.data() + TextOffset(i), 255, text);
}

std::int32_t TAuszahlungsEinstellungen::Laufnummer() const { return LiesInt32(bytes.data() + OffsetLaufnummer); }
void TAuszahlungsEinstellungen::SetzeLaufnummer(std::int32_t n) { SchreibeInt32(bytes.data() + OffsetLaufnummer, n); }

const char* EinstellungsName(int i) {
  return i >= 0 && i < TAuszahlungsEinstellungen::AnzahlTexte ? kNamen[i] : "";
}

int EinstellungNachName(const std::string& name) {
  for (int i = 0; i < TAuszahlungsEinstellungen::AnzahlTexte; ++i)
    if (name == kNamen[i]) return i;
  return -1;
}

std::string EinstellungsDatei() { return AktAdrBasis + ".JGA"; }

namespace {

// Where earlier versions kept the settings: the address file's path cut at
// its first "." even when that stood in a folder name. Empty when that gives
// the same name (or none).
std::string BisherigeEinstellungsDatei() {
  const std::size_t punkt = AktAdrBasis.find('.');
  if (punkt == std::string::npos || punkt == 0) return std::string();
  return AktAdrBasis.substr(0, punkt) + ".JGA";
}

// The settings of an address file in a folder whose name holds a "." are
// taken over once from the file earlier versions shared between all address
// files of that folder (which stays as it is).
bool Uebernehmen(const std::string& alt, const std::string& neu) {
  IODateiName = alt;
  Datei datei;
  datei.Zuordnen(alt);
  PruefeIO();
  datei.OeffnenLesen(TAuszahlungsEinstellungen::Groesse);
  PruefeIO();
  if (IOFehler) return false;
  datei.Lesen(AuszahlungsEinstellungen.bytes.data());
  PruefeIO();
  const bool gelesen = !IOFehler;
  datei.Schliessen();
  PruefeIO();
  if (!gelesen) {
    AuszahlungsEinstellungen.Leeren();
    return false;
  }
  IODateiName = neu;
  DateiErsetzen(neu, AuszahlungsEinstellungen.bytes.data(), AuszahlungsEinstellungen.bytes.size());
  PruefeIO();
  if (IOFehler) return false;
  ZeigeMeldung(Kurz("Die Auszahlungseinstellungen wurden aus " + alt + " in die Datei " + neu +
                        " \xFC"
                        "bernommen, die zu dieser Adressendatei geh\xF6rt.",
                    255));
  return true;
}

}  // namespace

bool EinstellungenLesen() {
  AuszahlungsEinstellungen.Leeren();
  IODateiName = EinstellungsDatei();
  if (!DateiExistiert(IODateiName)) {
    const std::string alt = BisherigeEinstellungsDatei();
    if (alt.empty() || !DateiExistiert(alt)) return true;
    return Uebernehmen(alt, EinstellungsDatei());
  }
  Datei datei;
  datei.Zuordnen(IODateiName);
  PruefeIO();
  datei.OeffnenLesen(TAuszahlungsEinstellungen::Groesse);
  PruefeIO();
  if (IOFehler) return false;
  datei.Lesen(AuszahlungsEinstellungen.bytes.data());
  PruefeIO();
  const bool gelesen = !IOFehler;
  if (!gelesen) AuszahlungsEinstellungen.Leeren();
  datei.Schliessen();
  PruefeIO();
  return gelesen && !IOFehler;
}

std::optional<std::int32_t> LaufnummerDerDatei() {
  const std::string pfad = EinstellungsDatei();
  if (!DateiExistiert(pfad)) return std::nullopt;
  // A quiet look: whatever is pending and the fetched result stay as they are.
  const std::int32_t code = IOCode;
  const bool fehler = IOFehler;
  const int vorher = OffenesIOErgebnis();
  LiesIOErgebnis();
  TAuszahlungsEinstellungen satz;
  {
    Datei datei;
    datei.Zuordnen(pfad);
    datei.OeffnenLesen(TAuszahlungsEinstellungen::Groesse);
    if (OffenesIOErgebnis() == 0) datei.Lesen(satz.bytes.data());
    if (datei.Offen()) datei.Schliessen();
  }
  const bool gelesen = OffenesIOErgebnis() == 0;
  LiesIOErgebnis();
  if (vorher != 0) SetzeIOErgebnis(vorher);
  IOCode = code;
  IOFehler = fehler;
  if (!gelesen) return std::nullopt;
  return satz.Laufnummer();
}

bool EinstellungenSchreiben() {
  const std::optional<std::int32_t> inDatei = LaufnummerDerDatei();
  if (inDatei && *inDatei > AuszahlungsEinstellungen.Laufnummer()) AuszahlungsEinstellungen.SetzeLaufnummer(*inDatei);
  IODateiName = EinstellungsDatei();
  DateiErsetzen(IODateiName, AuszahlungsEinstellungen.bytes.data(), AuszahlungsEinstellungen.bytes.size());
  PruefeIO();
  return !IOFehler;
}

}  // namespace davo::payout
