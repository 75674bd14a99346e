#include "payout/Einstellungen.h"

#include "app/DateiIO.h"
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

bool EinstellungenLesen() {
  AuszahlungsEinstellungen.Leeren();
  IODateiName = EinstellungsDatei();
  if (!DateiExistiert(IODateiName)) return true;
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

bool EinstellungenSchreiben() {
  IODateiName = EinstellungsDatei();
  DateiErsetzen(IODateiName, AuszahlungsEinstellungen.bytes.data(), AuszahlungsEinstellungen.bytes.size());
  PruefeIO();
  return !IOFehler;
}

}  // namespace davo::payout
