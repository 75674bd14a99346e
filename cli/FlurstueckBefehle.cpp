// The command "flurstuecke": imports the land register's cadastre into the
// parcel table and then, as the options ask, sorts it, writes its export,
// prints it and appends its owners to an address file.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Befehle.h"
#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Text.h"
#include "parcels/Flurstuecke.h"

namespace davo::cli {

namespace {

// Appends the owners to the address file, creating a missing one.
bool TabelleInAdressdatei(const parcels::Flurstuecktabelle& tabelle, const std::string& pfad) {
  addresses::Adressdatei datei(pfad);
  return parcels::UebertragungMelden(parcels::TabelleUebertragen(tabelle, datei));
}

void TabelleZeigen(const parcels::Flurstuecktabelle& tabelle, std::ostream& aus) {
  std::string zeile;
  for (int r = 1; r < tabelle.Zeilenzahl(); ++r) {
    zeile.clear();
    for (int c = parcels::Gemarkung; c <= parcels::GebName; ++c) {
      if (c > parcels::Gemarkung) zeile += '\t';
      zeile += Einzeilig(app::AnsiNachUtf8(tabelle.Zelle(c, r)));
    }
    zeile += '\n';
    aus << zeile;
  }
  aus.flush();
}

}  // namespace

int FlurstueckeVerarbeiten(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  // Every path is checked before the import, which can take a while.
  const std::optional<std::string> kataster = AnsiPfad(argumente.Woerter[0]);
  if (!kataster) return ExitAbgelehnt;
  std::optional<std::string> export_;
  if (const std::optional<std::string> wert = argumente.Wert("--export")) {
    export_ = AnsiPfad(*wert);
    if (!export_) return ExitAbgelehnt;
  }
  std::optional<std::string> adressdatei;
  if (const std::optional<std::string> wert = argumente.Wert("--in-adressdatei")) {
    adressdatei = AnsiPfad(*wert);
    if (!adressdatei) return ExitAbgelehnt;
  }

  // There is no grid from an earlier import here: the table starts without
  // data rows, so a file with only its header line gives none either.
  parcels::Flurstuecktabelle tabelle;
  tabelle.SetzeZeilenzahl(1);
  if (!parcels::DateiImportieren(tabelle, *kataster)) return ExitAbgelehnt;
  if (argumente.Hat("--sortieren")) parcels::Sortieren(tabelle);
  std::vector<std::string> gelesen = {*kataster};
  if (adressdatei) gelesen.push_back(*adressdatei);
  if (export_ && !parcels::ExportSchreiben(tabelle, *export_, gelesen)) return ExitAbgelehnt;
  if (argumente.Hat("--tabelle")) TabelleZeigen(tabelle, aus);
  if (adressdatei && !TabelleInAdressdatei(tabelle, *adressdatei)) return ExitAbgelehnt;
  return ExitErledigt;
}

}  // namespace davo::cli
