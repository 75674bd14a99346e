// The commands that move data between the address file and other files:
// "export", "import", "dos-import", and "xml", which shows any XML file as
// the viewer does.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Befehle.h"
#include "addresses/Adresse.h"
#include "addresses/Adressexporte.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "app/Text.h"
#include "letters/DosUmwandlung.h"
#include "letters/XmlAnsicht.h"

namespace davo::cli {

namespace {

using addresses::Aktionsergebnis;

// The path the file system uses for a program path (drive paths mapped), in UTF-8.
std::string Anzeigepfad(const std::string& ansi) {
  const std::u8string u = app::DateiPfad(ansi).u8string();
  return std::string(u.begin(), u.end());
}

// The address file argument as program text, when it exists.
std::optional<std::string> Adressdateipfad(const std::string& utf8) {
  std::optional<std::string> pfad = AnsiPfad(utf8);
  if (pfad && !DateiVorhanden(*pfad)) return std::nullopt;
  return pfad;
}

// The form-letter file beside the address file: its path up to the first "."
// plus ".csv". Refused when that "." is not in the file name.
std::optional<std::string> SerienbriefZiel(const std::string& pfad, const std::string& utf8) {
  const std::size_t punkt = pfad.find('.');
  const std::size_t trenner = pfad.find_last_of("\\/");
  if (punkt != std::string::npos && (trenner == std::string::npos || punkt > trenner))
    return app::BasisVon(pfad) + ".csv";
  Melde("Die Exportdatei hat den Pfad von " + utf8 +
        " bis zum ersten Punkt und \".csv\"; dieser Punkt muss im Dateinamen stehen (etwa DATEI.ADW).");
  return std::nullopt;
}

int Abschluss(const addresses::Uebertragung& u) {
  if (u.Ergebnis == Aktionsergebnis::Abgelehnt) Melde("Abgebrochen.");
  return u.Ergebnis == Aktionsergebnis::Erledigt ? ExitErledigt : ExitAbgelehnt;
}

void DateiUndAnzahl(std::ostream& aus, const std::string& ziel, std::int32_t anzahl) {
  aus << "Datei: " << Anzeigepfad(ziel) << "\nAnzahl: " << anzahl << '\n';
  aus.flush();
}

// --- xml ----------------------------------------------------------------------------------

// Each byte as the text shows it: Windows-1252 in UTF-8; CR, LF, tab and the
// backslash as \r, \n, \t and a doubled backslash, the other control bytes
// and the five bytes without a character as \xNN.
const std::array<std::string, 256>& Zeichentabelle() {
  static const std::array<std::string, 256> tabelle = [] {
    std::array<std::string, 256> t;
    constexpr char kHex[] = "0123456789ABCDEF";
    for (int b = 0; b < 256; ++b) {
      const bool ohneZeichen = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
      if (b == '\r')
        t[b] = "\\r";
      else if (b == '\n')
        t[b] = "\\n";
      else if (b == '\t')
        t[b] = "\\t";
      else if (b == '\\')
        t[b] = "\\\\";
      else if (b < 0x20 || ohneZeichen)
        t[b] = std::string("\\x") + kHex[b >> 4] + kHex[b & 15];
      else
        t[b] = app::AnsiNachUtf8(std::string(1, static_cast<char>(b)));
    }
    return t;
  }();
  return tabelle;
}

void Sichtbar(std::string& ziel, std::string_view bytes) {
  const auto& tabelle = Zeichentabelle();
  for (char c : bytes) ziel += tabelle[static_cast<unsigned char>(c)];
}

void BaumAusgeben(const letters::XmlAnsicht& ansicht, std::ostream& aus) {
  std::vector<std::uint8_t> ebene(static_cast<std::size_t>(ansicht.Knotenzahl()), 0);
  std::string puffer;
  for (std::int32_t k = 0; k < ansicht.Knotenzahl(); ++k) {
    if (k > 0) ebene[static_cast<std::size_t>(k)] = ebene[static_cast<std::size_t>(ansicht.Eltern(k))] + 1;
    puffer.append(2 * static_cast<std::size_t>(ebene[static_cast<std::size_t>(k)]), ' ');
    Sichtbar(puffer, ansicht.Titel(k));
    puffer += '\n';
    if (puffer.size() > (1 << 16)) {
      aus << puffer;
      puffer.clear();
    }
  }
  aus << puffer;
}

void ZeilenAusgeben(const letters::XmlAnsicht& ansicht, std::ostream& aus) {
  std::string puffer;
  for (std::int64_t z = 0; z < ansicht.Zeilenzahl(); ++z) {
    puffer += std::to_string(letters::XmlAnsicht::Offset(z));
    puffer += '\t';
    Sichtbar(puffer, ansicht.Zeile(z));
    puffer += '\n';
    if (puffer.size() > (1 << 16)) {
      aus << puffer;
      puffer.clear();
    }
  }
  aus << puffer;
}

}  // namespace

int Exportieren(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  const std::string& art = argumente.Woerter[0];
  const bool serienbrief = art == "serienbrief";
  const std::optional<std::string> pfad = Adressdateipfad(argumente.Woerter[1]);
  if (!pfad) return ExitAbgelehnt;
  std::optional<std::string> ziel;
  if (serienbrief)
    ziel = SerienbriefZiel(*pfad, argumente.Woerter[1]);
  else if (const std::optional<std::string> datei = argumente.Wert("--datei"))
    ziel = AnsiPfad(*datei);
  else
    ziel = addresses::BlzKontoDatei;
  if (!ziel) return ExitAbgelehnt;

  addresses::Adressdatei datei(*pfad);
  const addresses::Uebertragung u =
      serienbrief ? addresses::SerienbriefCsvSchreiben(datei, *ziel) : addresses::BlzKontoSchreiben(datei, *ziel);
  if (u.Ergebnis == Aktionsergebnis::Erledigt) DateiUndAnzahl(aus, *ziel, u.Anzahl);
  return Abschluss(u);
}

int Importieren(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  const std::optional<std::string> pfad = Adressdateipfad(argumente.Woerter[1]);
  if (!pfad) return ExitAbgelehnt;
  const std::optional<std::string> datei = argumente.Wert("--datei");
  const std::optional<std::string> quelle = datei ? AnsiPfad(*datei) : addresses::BlzKontoErgebnisDatei;
  if (!quelle) return ExitAbgelehnt;

  addresses::Adressdatei adressdatei(*pfad);
  const addresses::Uebertragung u = addresses::BlzKontoEinlesen(adressdatei, *quelle);
  if (u.Ergebnis == Aktionsergebnis::Erledigt) {
    aus << "Aktualisiert: " << u.Anzahl << '\n';
    aus.flush();
  } else if (u.Ergebnis == Aktionsergebnis::Fehler && u.Anzahl > 0) {
    Melde("Vor dem Fehler wurden " + std::to_string(u.Anzahl) + " Adressen geändert.");
  }
  return Abschluss(u);
}

int DosImportieren(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  const std::optional<std::string> pfad = Adressdateipfad(argumente.Woerter[0]);
  if (!pfad) return ExitAbgelehnt;
  const bool jagd = *argumente.Wert("--format") == "jagd";
  const letters::DosErgebnis e =
      letters::DosAdressdateiUmwandeln(*pfad, jagd ? letters::DosFormat::Jagd : letters::DosFormat::Buchhaltung);
  if (e.Ergebnis != Aktionsergebnis::Erledigt) return ExitAbgelehnt;
  DateiUndAnzahl(aus, e.Ziel, e.Anzahl);
  return ExitErledigt;
}

int XmlZeigen(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  const std::optional<std::string> pfad = AnsiPfad(argumente.Woerter[0]);
  if (!pfad) return ExitAbgelehnt;

  letters::XmlAnsicht ansicht;
  using E = letters::XmlAnsicht::Ergebnis;
  const E ergebnis = ansicht.Importieren(*pfad);
  if (ergebnis == E::NichtGefunden || ergebnis == E::NichtGeoeffnet || ergebnis == E::ZuGross) return ExitAbgelehnt;
  if (argumente.Hat("--roh"))
    ZeilenAusgeben(ansicht, aus);
  else
    BaumAusgeben(ansicht, aus);
  aus.flush();
  if (!ansicht.Abbruchmeldung().empty()) app::ZeigeMeldung(ansicht.Abbruchmeldung());
  return ergebnis == E::Gelesen ? ExitErledigt : ExitAbgelehnt;
}

}  // namespace davo::cli
