// Payout settings files (.JGA) and configuration files (.KON) of any content
// and size: read, written back, read again. Properties: a settings file of the
// right size is written back byte for byte; any other is read as far as it
// goes and then replaced whole; the configuration keeps every byte it read
// but the two print margins it sets.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "Fuzzhilfe.h"
#include "addresses/Adresse.h"
#include "app/Konfiguration.h"
#include "payout/Einstellungen.h"

namespace {
namespace pay = davo::payout;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
  if (n > 3 * pay::TAuszahlungsEinstellungen::Groesse) return -1;
  const auto ordner = davo::fuzz::Vorbereiten();
  davo::addresses::Adressdatei adressen((ordner / "A.ADW").string());
  const std::string pfad = pay::EinstellungsDatei(adressen);
  davo::fuzz::Schreibe(pfad, daten, n);

  pay::TAuszahlungsEinstellungen e;
  const bool gelesen = pay::EinstellungenLesen(adressen, e).Ok();
  if (n >= pay::TAuszahlungsEinstellungen::Groesse) {
    DAVO_PRUEFE(gelesen);
    DAVO_PRUEFE(std::equal(e.bytes.begin(), e.bytes.end(), daten));
  }
  for (int i = 0; i < pay::TAuszahlungsEinstellungen::AnzahlTexte; ++i) {
    const std::string feld = e.Feld(i);
    DAVO_PRUEFE(feld.size() <= 255);
    pay::TAuszahlungsEinstellungen kopie = e;
    kopie.SetzeFeld(i, feld);
    DAVO_PRUEFE(kopie.Feld(i) == feld);
  }

  DAVO_PRUEFE(pay::EinstellungenSchreiben(adressen, e).Ok());
  const std::string geschrieben = davo::fuzz::Lies(pfad);
  DAVO_PRUEFE(geschrieben.size() == pay::TAuszahlungsEinstellungen::Groesse);
  DAVO_PRUEFE(std::memcmp(e.bytes.data(), geschrieben.data(), e.bytes.size()) == 0);
  if (gelesen && n == pay::TAuszahlungsEinstellungen::Groesse)
    DAVO_PRUEFE(geschrieben == std::string(reinterpret_cast<const char*>(daten), n));

  pay::TAuszahlungsEinstellungen wieder;
  DAVO_PRUEFE(pay::EinstellungenLesen(adressen, wieder).Ok() && wieder.bytes == e.bytes);

  davo::app::KonfigOrdnerVorgabe = ordner;
  const std::string kon = davo::app::KonfigDateiPfad();
  davo::fuzz::Schreibe(kon, daten, n);
  davo::app::LiesKonfiguration();
  const bool ganz = n >= davo::app::TKonfiguration::Groesse && !davo::app::IOFehler;
  davo::app::VerwirfIOErgebnis();
  davo::app::IOFehler = false;
  DAVO_PRUEFE(davo::app::SchreibeKonfiguration());
  const std::string k = davo::fuzz::Lies(kon);
  DAVO_PRUEFE(k.size() == davo::app::TKonfiguration::Groesse);
  DAVO_PRUEFE(std::memcmp(k.data(), davo::app::Konfiguration.bytes.data(), k.size()) == 0);
  if (ganz) {
    const davo::app::TKonfiguration gelesen = davo::app::Konfiguration;
    davo::app::TKonfiguration roh;
    std::memcpy(roh.bytes.data(), daten, roh.bytes.size());
    roh.SetzeDruckLinks(gelesen.DruckLinks());
    roh.SetzeDruckOben(gelesen.DruckOben());
    DAVO_PRUEFE(roh.bytes == gelesen.bytes);
  }
  return 0;
}
