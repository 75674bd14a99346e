#include "payout/Einstellungen.h"

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Text.h"

namespace davo::payout {

using namespace davo::app;

TAuszahlungsEinstellungen AuszahlungsEinstellungen;

namespace {
const char* const kNamen[TAuszahlungsEinstellungen::AnzahlTexte] = {
    "Auftraggeber",     "AuftraggeberAdresse", "Kreditinstitut",      "AuftraggeberBIC", "AuftraggeberIBAN",
    "Kreditorennummer", "BetragProHaText",     "KleinsterBetragText", "Belegtext1",      "SepaOrdner"};
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

const char* EinstellungsName(int i) { return i >= 0 && i < TAuszahlungsEinstellungen::AnzahlTexte ? kNamen[i] : ""; }

int EinstellungNachName(const std::string& name) {
  for (int i = 0; i < TAuszahlungsEinstellungen::AnzahlTexte; ++i)
    if (name == kNamen[i]) return i;
  return -1;
}

std::string EinstellungsDatei(const addresses::Adressdatei& adressdatei) { return adressdatei.Basis() + ".JGA"; }

namespace {

// Where earlier versions kept the settings: the address file's path cut at
// its first "." even when that stood in a folder name. Empty when that gives
// the same name (or none).
std::string BisherigeEinstellungsDatei(const addresses::Adressdatei& adressdatei) {
  const std::string basis = adressdatei.Basis();
  const std::size_t punkt = basis.find('.');
  if (punkt == std::string::npos || punkt == 0) return std::string();
  return basis.substr(0, punkt) + ".JGA";
}

// Reads the one record of a settings file into e; e is cleared when that
// fails.
IOErgebnis SatzLesen(const std::string& pfad, TAuszahlungsEinstellungen& e) {
  IOSchritte s(pfad);
  Datei datei;
  datei.Zuordnen(pfad);
  s.Pruefe();
  datei.OeffnenLesen(TAuszahlungsEinstellungen::Groesse);
  if (!s.Pruefe()) return s.Ergebnis();
  datei.Lesen(e.bytes.data());
  if (!s.Pruefe()) e.Leeren();
  datei.Schliessen();
  s.Pruefe();
  return s.Ergebnis();
}

// The settings of an address file in a folder whose name holds a "." are
// taken over once from the file earlier versions shared between all address
// files of that folder (which stays as it is).
IOErgebnis Uebernehmen(const std::string& alt, const std::string& neu, TAuszahlungsEinstellungen& e) {
  if (const IOErgebnis gelesen = SatzLesen(alt, e); !gelesen.Ok()) return gelesen;
  IOSchritte s(neu);
  DateiErsetzen(neu, e.bytes.data(), e.bytes.size());
  if (!s.Pruefe()) return s.Ergebnis();
  ZeigeMeldung(Kurz("Die Auszahlungseinstellungen wurden aus " + alt + " in die Datei " + neu +
                        " \xFC"
                        "bernommen, die zu dieser Adressendatei geh\xF6rt.",
                    255));
  return s.Ergebnis();
}

}  // namespace

IOErgebnis EinstellungenLesen(const addresses::Adressdatei& adressdatei, TAuszahlungsEinstellungen& e) {
  e.Leeren();
  const std::string pfad = EinstellungsDatei(adressdatei);
  if (DateiExistiert(pfad)) return SatzLesen(pfad, e);
  const std::string alt = BisherigeEinstellungsDatei(adressdatei);
  if (alt.empty() || !DateiExistiert(alt)) return IOErgebnis();
  return Uebernehmen(alt, pfad, e);
}

std::optional<std::int32_t> LaufnummerDerDatei(const addresses::Adressdatei& adressdatei) {
  const std::string pfad = EinstellungsDatei(adressdatei);
  if (!DateiExistiert(pfad)) return std::nullopt;
  // A quiet look: a failure pending from before stays pending.
  const int vorher = OffenesIOErgebnis();
  VerwirfIOErgebnis();
  TAuszahlungsEinstellungen satz;
  const bool gelesen = SatzLesen(pfad, satz).Ok();
  if (vorher != 0) SetzeIOErgebnis(vorher);
  if (!gelesen) return std::nullopt;
  return satz.Laufnummer();
}

IOErgebnis EinstellungenSchreiben(const addresses::Adressdatei& adressdatei, TAuszahlungsEinstellungen& e) {
  const std::string pfad = EinstellungsDatei(adressdatei);
  // The run number of the file is never lowered: a file whose number cannot
  // be read is left as it is (one too short to hold a whole record is
  // replaced).
  if (DateiExistiert(pfad)) {
    TAuszahlungsEinstellungen inDatei;
    const IOErgebnis gelesen = SatzLesen(pfad, inDatei);
    if (!gelesen.Ok() && gelesen.Code != io::LeseFehler) return gelesen;
    if (gelesen.Ok() && inDatei.Laufnummer() > e.Laufnummer()) e.SetzeLaufnummer(inDatei.Laufnummer());
  }
  IOSchritte s(pfad);
  DateiErsetzen(pfad, e.bytes.data(), e.bytes.size());
  s.Pruefe();
  return s.Ergebnis();
}

// --- the active address file ----------------------------------------------------------

std::string EinstellungsDatei() { return EinstellungsDatei(addresses::AktiveAdressdatei); }

bool EinstellungenLesen() {
  IODateiName = EinstellungsDatei();
  return PruefeIOErgebnis(EinstellungenLesen(addresses::AktiveAdressdatei, AuszahlungsEinstellungen));
}

bool EinstellungenSchreiben() {
  IODateiName = EinstellungsDatei();
  return PruefeIOErgebnis(EinstellungenSchreiben(addresses::AktiveAdressdatei, AuszahlungsEinstellungen));
}

std::optional<std::int32_t> LaufnummerDerDatei() { return LaufnummerDerDatei(addresses::AktiveAdressdatei); }

}  // namespace davo::payout
