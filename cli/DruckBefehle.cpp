// The printing commands: "serienbrief" prints form letters and "adressenliste"
// the address list of the form-letter window, both into one PDF file. The
// letters and the list go through the report engine exactly as in the desktop
// program; only the printer is a PDF writer and the print dialog is answered
// with yes. Builds without Qt refuse both commands.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

// ---------------------------------------------------------------------------
// The command lines

constexpr const char* kSerienbriefAufruf =
    "davo serienbrief VORLAGE.TXT DATEI.ADW (--adresse NR | --gruppe G) --pdf AUSGABE.PDF";
constexpr const char* kAdressenlisteAufruf = "davo adressenliste DATEI.ADW --gruppe G --pdf AUSGABE.PDF";

struct DruckAufruf {
  std::vector<std::string> Dateien;  // the file arguments in order (UTF-8)
  std::optional<std::int64_t> Adresse;
  std::optional<int> Gruppe;
  std::optional<std::string> Pdf;
  std::string Fehler;  // usage error; empty when the line is fine
};

// Reads FILE arguments and the options; mitAdresse: whether --adresse is
// allowed. The counts and combinations are checked by the caller.
DruckAufruf LiesDruckAufruf(const std::string& befehl, const std::vector<std::string>& argumente, bool mitAdresse) {
  DruckAufruf a;
  const auto falsch = [&a](std::string text) {
    a.Fehler = std::move(text);
    return a;
  };
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    if (arg.size() < 2 || arg[0] != '-') {
      if (arg.empty()) return falsch("Ein Dateiname ist leer.");
      a.Dateien.push_back(arg);
      continue;
    }
    const std::size_t gleich = arg.find('=');
    const std::string name = arg.substr(0, gleich);
    const bool bekannt = name == "--gruppe" || name == "--pdf" || (mitAdresse && name == "--adresse");
    if (!bekannt) return falsch("Unbekannte Option " + name + " für " + befehl + ".");
    std::string wert;
    if (gleich != std::string::npos)
      wert = arg.substr(gleich + 1);
    else if (i + 1 < argumente.size() && argumente[i + 1].rfind("--", 0) != 0)
      wert = argumente[++i];
    if (wert.empty()) return falsch("Nach " + name + " fehlt der Wert.");

    if (name == "--pdf") {
      if (a.Pdf) return falsch("Die Option --pdf ist doppelt angegeben.");
      a.Pdf = wert;
    } else if (name == "--adresse") {
      if (a.Adresse) return falsch("Die Option --adresse ist doppelt angegeben.");
      a.Adresse = LiesNummer(wert);
      if (!a.Adresse) return falsch("Die Adressennummer muss eine Zahl sein, nicht \"" + wert + "\".");
    } else {
      if (a.Gruppe) return falsch("Die Option --gruppe ist doppelt angegeben.");
      const std::optional<std::int64_t> g = LiesNummer(wert);
      if (!g || wert[0] == '+' || wert[0] == '-' || *g > 255)
        return falsch("Die Gruppe muss eine Zahl von 0 bis 255 sein, nicht \"" + wert + "\".");
      a.Gruppe = static_cast<int>(*g);
    }
  }
  return a;
}

#if DAVO_MIT_PDF

void Melde(std::string_view utf8) { app::ZeigeMeldung(app::Utf8NachAnsi(utf8)); }

std::string KeineGruppeText(int gruppe) {
  return "Keine Adresse der Datei gehört zur Gruppe " + std::to_string(gruppe) +
         "; es wurde keine PDF-Datei geschrieben.";
}

// ---------------------------------------------------------------------------
// The commands

int SerienbriefePdf(const std::string& vorlage, const std::string& adressdatei, const DruckAufruf& aufruf) {
  addresses::Adressdatei datei(adressdatei);

  // The letters in printing order: one record, or the list of the group.
  std::vector<std::int32_t> saetze;
  if (aufruf.Adresse) {
    if (!app::ZeigeIOErgebnis(addresses::Lesen(datei, -1))) return ExitAbgelehnt;
    const std::int64_t nr = *aufruf.Adresse;
    const std::int32_t anzahl = datei.Anzahl;
    if (nr < 1 || nr > anzahl) {
      Melde("Die Adresse Nr. " + std::to_string(nr) + " gibt es nicht: Die Datei enthält " + std::to_string(anzahl) +
            (anzahl == 1 ? " Adresse." : " Adressen."));
      return ExitAbgelehnt;
    }
    saetze.push_back(static_cast<std::int32_t>(nr - 1));
  } else {
    letters::SerienbriefModell modell;
    modell.Gruppe = *aufruf.Gruppe;
    if (!app::ZeigeIOErgebnis(modell.GruppeEinfuegen(datei))) return ExitAbgelehnt;
    if (modell.Liste.empty()) {
      Melde(KeineGruppeText(*aufruf.Gruppe));
      return ExitAbgelehnt;
    }
    for (const addresses::AdrZeile& z : modell.Liste) saetze.push_back(z.Nr);
  }

  const std::optional<std::string> ausgabe = PdfAusgabeAnlegen(*aufruf.Pdf, {vorlage, adressdatei});
  if (!ausgabe) return ExitAbgelehnt;

  bool ok = true;
  {
    const QtSitzung qt;
    const PdfDrucker drucker(QtPfad(*ausgabe));
    for (const std::int32_t nr : saetze) {
      ok = app::ZeigeIOErgebnis(addresses::Lesen(datei, nr)) && ok;
      ok = letters::SerienbriefDrucken(vorlage, datei.Satz) && ok;
    }
  }
  return PdfGeschrieben(*ausgabe) && ok ? ExitErledigt : ExitAbgelehnt;
}

int AdressenlistePdf(const std::string& adressdatei, const DruckAufruf& aufruf) {
  addresses::Adressdatei datei(adressdatei);
  letters::SerienbriefModell modell;
  modell.Gruppe = *aufruf.Gruppe;
  if (!app::ZeigeIOErgebnis(modell.GruppeEinfuegen(datei))) return ExitAbgelehnt;
  if (modell.Liste.empty()) {
    Melde(KeineGruppeText(*aufruf.Gruppe));
    return ExitAbgelehnt;
  }

  const std::optional<std::string> ausgabe = PdfAusgabeAnlegen(*aufruf.Pdf, {adressdatei});
  if (!ausgabe) return ExitAbgelehnt;
  {
    const QtSitzung qt;
    const PdfDrucker drucker(QtPfad(*ausgabe));
    // Its closing step reports the missing ".htm" file beside the address
    // file as a message; that is no failure of the list.
    modell.ListeDrucken(datei);
  }
  return PdfGeschrieben(*ausgabe) ? ExitErledigt : ExitAbgelehnt;
}

#endif

}  // namespace

int SerienbriefeDrucken(const std::vector<std::string>& argumente, std::ostream& /*aus*/, std::ostream& fehler) {
  const DruckAufruf aufruf = LiesDruckAufruf("serienbrief", argumente, true);
  if (!aufruf.Fehler.empty()) return Aufruffehler(fehler, aufruf.Fehler);
  if (aufruf.Dateien.size() != 2)
    return Aufruffehler(fehler,
                        "serienbrief erwartet eine Vorlage und eine Adressendatei: " + std::string(kSerienbriefAufruf));
  if (aufruf.Adresse.has_value() == aufruf.Gruppe.has_value())
    return Aufruffehler(fehler,
                        "serienbrief erwartet entweder --adresse oder --gruppe: " + std::string(kSerienbriefAufruf));
  if (!aufruf.Pdf) return Aufruffehler(fehler, "Es fehlt die Option --pdf: " + std::string(kSerienbriefAufruf));

#if DAVO_MIT_PDF
  const std::optional<std::string> vorlage = AnsiPfad(aufruf.Dateien[0]);
  if (!vorlage) return ExitAbgelehnt;
  if (!app::DateiExistiert(*vorlage)) {
    Melde("Bitte Datei für Serienbriefausgabe wählen!");
    return ExitAbgelehnt;
  }
  const std::optional<std::string> adressdatei = AnsiPfad(aufruf.Dateien[1]);
  if (!adressdatei || !DateiVorhanden(*adressdatei)) return ExitAbgelehnt;
  return SerienbriefePdf(*vorlage, *adressdatei, aufruf);
#else
  return OhnePdf();
#endif
}

int AdressenlisteDrucken(const std::vector<std::string>& argumente, std::ostream& /*aus*/, std::ostream& fehler) {
  const DruckAufruf aufruf = LiesDruckAufruf("adressenliste", argumente, false);
  if (!aufruf.Fehler.empty()) return Aufruffehler(fehler, aufruf.Fehler);
  if (aufruf.Dateien.size() != 1)
    return Aufruffehler(fehler,
                        "adressenliste erwartet genau eine Adressendatei: " + std::string(kAdressenlisteAufruf));
  if (!aufruf.Gruppe) return Aufruffehler(fehler, "Es fehlt die Option --gruppe: " + std::string(kAdressenlisteAufruf));
  if (!aufruf.Pdf) return Aufruffehler(fehler, "Es fehlt die Option --pdf: " + std::string(kAdressenlisteAufruf));

#if DAVO_MIT_PDF
  const std::optional<std::string> adressdatei = AnsiPfad(aufruf.Dateien[0]);
  if (!adressdatei || !DateiVorhanden(*adressdatei)) return ExitAbgelehnt;
  return AdressenlistePdf(*adressdatei, aufruf);
#else
  return OhnePdf();
#endif
}

}  // namespace davo::cli
