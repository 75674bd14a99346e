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

constexpr const char* kFlurstueckeAufruf =
    "davo flurstuecke KATASTER.CSV [--sortieren] [--export DATEI] [--tabelle] [--in-adressdatei DATEI.ADW]";

struct FlurstueckeAufruf {
  std::optional<std::string> Kataster;  // all paths UTF-8 as typed
  bool Sortieren = false;
  bool Tabelle = false;
  std::optional<std::string> Export;
  std::optional<std::string> Adressdatei;
  std::string Fehler;  // usage error; empty when the line is fine
};

FlurstueckeAufruf LiesFlurstueckeAufruf(const std::vector<std::string>& argumente) {
  FlurstueckeAufruf a;
  const auto falsch = [&a](const std::string& text) {
    a.Fehler = text;
    return a;
  };
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    if (arg.size() < 2 || arg[0] != '-') {
      if (a.Kataster || arg.empty())
        return falsch("flurstuecke erwartet genau einen Dateinamen: " + std::string(kFlurstueckeAufruf));
      a.Kataster = arg;
      continue;
    }
    const std::size_t gleich = arg.find('=');
    const std::string name = arg.substr(0, gleich);
    if (name == "--sortieren" || name == "--tabelle") {
      if (gleich != std::string::npos) return falsch("Die Option " + name + " hat keinen Wert.");
      (name == "--sortieren" ? a.Sortieren : a.Tabelle) = true;
      continue;
    }
    if (name != "--export" && name != "--in-adressdatei")
      return falsch("Unbekannte Option " + name + " für flurstuecke.");
    std::optional<std::string>& ziel = name == "--export" ? a.Export : a.Adressdatei;
    if (ziel) return falsch("Die Option " + name + " ist doppelt angegeben.");
    std::string wert;
    if (gleich != std::string::npos)
      wert = arg.substr(gleich + 1);
    else if (i + 1 < argumente.size() && argumente[i + 1].rfind("--", 0) != 0)
      wert = argumente[++i];
    if (wert.empty()) return falsch("Nach " + name + " fehlt der Dateiname.");
    ziel = std::move(wert);
  }
  if (!a.Kataster) return falsch("flurstuecke erwartet einen Dateinamen: " + std::string(kFlurstueckeAufruf));
  return a;
}

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

int FlurstueckeVerarbeiten(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  const FlurstueckeAufruf aufruf = LiesFlurstueckeAufruf(argumente);
  if (!aufruf.Fehler.empty()) return Aufruffehler(fehler, aufruf.Fehler);

  // Every path is checked before the import, which can take a while.
  const std::optional<std::string> kataster = AnsiPfad(*aufruf.Kataster);
  if (!kataster) return ExitAbgelehnt;
  std::optional<std::string> export_;
  if (aufruf.Export) {
    export_ = AnsiPfad(*aufruf.Export);
    if (!export_) return ExitAbgelehnt;
  }
  std::optional<std::string> adressdatei;
  if (aufruf.Adressdatei) {
    adressdatei = AnsiPfad(*aufruf.Adressdatei);
    if (!adressdatei) return ExitAbgelehnt;
  }

  // There is no grid from an earlier import here: the table starts without
  // data rows, so a file with only its header line gives none either.
  parcels::Flurstuecktabelle tabelle;
  tabelle.SetzeZeilenzahl(1);
  if (!parcels::DateiImportieren(tabelle, *kataster)) return ExitAbgelehnt;
  if (aufruf.Sortieren) parcels::Sortieren(tabelle);
  if (export_ && !parcels::ExportSchreiben(tabelle, *export_)) return ExitAbgelehnt;
  if (aufruf.Tabelle) TabelleZeigen(tabelle, aus);
  if (adressdatei && !TabelleInAdressdatei(tabelle, *adressdatei)) return ExitAbgelehnt;
  return ExitErledigt;
}

}  // namespace davo::cli
