// The printing commands: "serienbrief" prints form letters and "adressenliste"
// the address list of the form-letter window, both into one PDF file. The
// letters and the list go through the report engine exactly as in the desktop
// program; only the printer is a PDF writer and the print dialog is answered
// with yes. Builds without Qt refuse both commands.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Befehle.h"
#include "PdfAusgabe.h"
#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Text.h"
#include "letters/Serienbrief.h"

namespace davo::cli {

namespace {

std::string KeineGruppeText(int gruppe) {
  return "Keine Adresse der Datei gehört zur Gruppe " + std::to_string(gruppe) +
         "; es wurde keine PDF-Datei geschrieben.";
}

// The group of "--gruppe" (checked by the table).
int GruppeVon(const Argumente& argumente) { return static_cast<int>(*LiesNummer(*argumente.Wert("--gruppe"))); }

}  // namespace

int SerienbriefeDrucken(const Argumente& argumente, std::ostream& /*aus*/, std::ostream& /*fehler*/) {
  if (!PdfMoeglich()) return ExitAbgelehnt;
  const std::optional<std::string> vorlage = AnsiPfad(argumente.Woerter[0]);
  if (!vorlage) return ExitAbgelehnt;
  if (!app::DateiExistiert(*vorlage)) {
    Melde("Bitte Datei für Serienbriefausgabe wählen!");
    return ExitAbgelehnt;
  }
  const std::optional<std::string> adressdatei = AnsiPfad(argumente.Woerter[1]);
  if (!adressdatei || !DateiVorhanden(*adressdatei)) return ExitAbgelehnt;
  addresses::Adressdatei datei(*adressdatei);

  // The letters in printing order: one record, or the list of the group.
  std::vector<std::int32_t> saetze;
  if (const std::optional<std::string> adresse = argumente.Wert("--adresse")) {
    if (!app::ZeigeIOErgebnis(addresses::Lesen(datei, -1))) return ExitAbgelehnt;
    const std::int64_t nr = *LiesNummer(*adresse);
    const std::int32_t anzahl = datei.Anzahl;
    if (nr < 1 || nr > anzahl) {
      Melde("Die Adresse Nr. " + std::to_string(nr) + " gibt es nicht: Die Datei enthält " + std::to_string(anzahl) +
            (anzahl == 1 ? " Adresse." : " Adressen."));
      return ExitAbgelehnt;
    }
    saetze.push_back(static_cast<std::int32_t>(nr - 1));
  } else {
    letters::SerienbriefModell modell;
    modell.Gruppe = GruppeVon(argumente);
    if (!app::ZeigeIOErgebnis(modell.GruppeEinfuegen(datei))) return ExitAbgelehnt;
    if (modell.Liste.empty()) {
      Melde(KeineGruppeText(modell.Gruppe));
      return ExitAbgelehnt;
    }
    for (const addresses::AdrZeile& z : modell.Liste) saetze.push_back(z.Nr);
  }

  const bool gedruckt = InPdfDrucken(*argumente.Wert("--pdf"), {*vorlage, *adressdatei}, [&] {
    bool ok = true;
    for (const std::int32_t nr : saetze) {
      ok = app::ZeigeIOErgebnis(addresses::Lesen(datei, nr)) && ok;
      ok = letters::SerienbriefDrucken(*vorlage, datei.Satz) && ok;
    }
    return ok;
  });
  return gedruckt ? ExitErledigt : ExitAbgelehnt;
}

int AdressenlisteDrucken(const Argumente& argumente, std::ostream& /*aus*/, std::ostream& /*fehler*/) {
  if (!PdfMoeglich()) return ExitAbgelehnt;
  const std::optional<std::string> adressdatei = AnsiPfad(argumente.Woerter[0]);
  if (!adressdatei || !DateiVorhanden(*adressdatei)) return ExitAbgelehnt;
  addresses::Adressdatei datei(*adressdatei);
  letters::SerienbriefModell modell;
  modell.Gruppe = GruppeVon(argumente);
  if (!app::ZeigeIOErgebnis(modell.GruppeEinfuegen(datei))) return ExitAbgelehnt;
  if (modell.Liste.empty()) {
    Melde(KeineGruppeText(modell.Gruppe));
    return ExitAbgelehnt;
  }
  const bool gedruckt = InPdfDrucken(*argumente.Wert("--pdf"), {*adressdatei}, [&] {
    // Its closing step reports a missing ".htm" file beside the address file
    // as a message; that is no failure of the list. A record it could not
    // read is.
    return app::ZeigeIOErgebnis(modell.ListeDrucken(datei));
  });
  return gedruckt ? ExitErledigt : ExitAbgelehnt;
}

}  // namespace davo::cli
