#include "app/Handbuch.h"

#include <system_error>

#include "app/Dialoge.h"
#include "app/Hauptmenue.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "app/Text.h"

namespace fs = std::filesystem;

namespace davo::app {

const char* const HandbuchDatei = "handbuch.html";

namespace {

// A path as program text; characters without a place in Windows-1252 as "?".
std::string Anzeige(const fs::path& pfad) {
  if (const std::optional<std::string> ansi = AnsiPfad(pfad)) return *ansi;
  const std::u8string u = pfad.u8string();
  return Utf8NachAnsi(std::string(u.begin(), u.end()));
}

}  // namespace

std::vector<fs::path> HandbuchOrdner(const fs::path& programmOrdner) {
  const fs::path p = programmOrdner.lexically_normal();
  std::vector<fs::path> ordner = {
      p / "handbuch",
      p / ".." / "share" / "zq-davozedizarorevodo" / "handbuch",
      p / ".." / "doc" / "handbuch",
  };
  for (fs::path& o : ordner) o = o.lexically_normal();
  return ordner;
}

std::optional<fs::path> HandbuchFinden(const fs::path& programmOrdner) {
  for (const fs::path& ordner : HandbuchOrdner(programmOrdner)) {
    std::error_code ec;
    const fs::path datei = ordner / HandbuchDatei;
    if (fs::is_regular_file(datei, ec)) return datei;
  }
  return std::nullopt;
}

std::string HandbuchFehltText(const fs::path& programmOrdner) {
  std::string text = "Handbuch nicht gefunden. Gesucht wurde ";
  text += HandbuchDatei;
  text += " in:";
  for (const fs::path& ordner : HandbuchOrdner(programmOrdner)) {
    text += '\n';
    text += Anzeige(ordner);
  }
  return text;
}

void HandbuchZeigen(const fs::path& programmOrdner) {
  const std::optional<fs::path> datei = HandbuchFinden(programmOrdner);
  if (!datei) {
    ZeigeWarnung(HandbuchFehltText(programmOrdner));
    return;
  }
  const std::optional<std::string> pfad = AnsiPfad(*datei);
  if (!pfad || pfad->size() > 255) {
    const std::u8string u = datei->u8string();
    ZeigeWarnung(PfadNichtDarstellbarText(std::string(u.begin(), u.end())));
    return;
  }
  OeffneMitProgramm(*pfad, "", OrdnerVon(*pfad), AnzeigeNormal);
}

std::string UeberText(const fs::path& programmOrdner, const std::string& einstellungsdatei,
                      const std::string& startordnerAdressdateien) {
  std::string t = std::string(Anwendungstitel) + ", Version " DAVO_VERSION "\n";
  t += "Auszahlung von Jagdgeld an die Grundeigent\xFCmer.\n";
  t += std::string(Lizenzhinweis) + "\n\n";
  t += "Konfigurationsdatei: " + KonfigDateiPfad() + "\n";
  const std::string adressdatei = Konfiguration.Adressdatei();
  if (adressdatei.empty()) {
    t += "Aktive Adressendatei: noch keine gew\xE4hlt\n";
  } else {
    t += "Aktive Adressendatei: " + adressdatei + "\n";
    t += "Auszahlungseinstellungen: " + einstellungsdatei + "\n";
  }
  t += "Neue Adressendateien: die Dateiauswahl beginnt in " + Anzeige(DateiPfad(startordnerAdressdateien)) + "\n";
  t += "Sepa-Dateien: im \x84Ordner zum Speichern der Sepadatei\x93 des Fensters \x84"
       "Auszahlung\x93\n";
  const std::optional<fs::path> handbuch = HandbuchFinden(programmOrdner);
  t += "Handbuch: " + (handbuch ? Anzeige(*handbuch) : std::string("nicht gefunden"));
  return t;
}

}  // namespace davo::app
