// The commands that move data between the address file and other files:
// "export", "import", "dos-import", and "xml", which shows any XML file as
// the viewer does.

#include <array>
#include <map>
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

void Melde(std::string_view utf8) { app::ZeigeMeldung(app::Utf8NachAnsi(utf8)); }

// --- arguments ----------------------------------------------------------------------

struct Argumente {
  std::vector<std::string> Woerter;             // everything that is no option
  std::map<std::string, std::string> Optionen;  // name -> value ("" for a switch)
  std::string Fehler;                           // usage error; empty when fine
};

// Options are "--name", "--name WERT" or "--name=WERT", each at most once;
// mitWert names the options that take a value, schalter the switches.
Argumente LiesArgumente(const std::vector<std::string>& argumente, const std::vector<std::string>& mitWert,
                        const std::vector<std::string>& schalter) {
  const auto enthaelt = [](const std::vector<std::string>& liste, const std::string& name) {
    for (const std::string& n : liste)
      if (n == name) return true;
    return false;
  };
  Argumente a;
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      a.Woerter.push_back(arg);
      continue;
    }
    const std::size_t gleich = arg.find('=');
    const std::string name = arg.substr(0, gleich);
    if (a.Optionen.count(name)) {
      a.Fehler = "Die Option " + name + " ist doppelt angegeben.";
      return a;
    }
    if (enthaelt(schalter, name) && gleich == std::string::npos) {
      a.Optionen[name] = "";
    } else if (enthaelt(mitWert, name)) {
      std::string wert;
      if (gleich != std::string::npos)
        wert = arg.substr(gleich + 1);
      else if (i + 1 < argumente.size())
        wert = argumente[++i];
      if (wert.empty()) {
        a.Fehler = "Nach " + name + " fehlt der Wert.";
        return a;
      }
      a.Optionen[name] = wert;
    } else {
      a.Fehler = "Unbekannte Option " + name + ".";
      return a;
    }
  }
  return a;
}

// The path the file system uses for a program path (drive paths mapped), in UTF-8.
std::string Anzeigepfad(const std::string& ansi) {
  const std::u8string u = app::DateiPfad(ansi).u8string();
  return std::string(u.begin(), u.end());
}

// The address file argument as program text, when it exists.
std::optional<std::string> Adressdatei(const std::string& utf8) {
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

int Exportieren(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  constexpr const char* kAufruf = "davo export serienbrief DATEI.ADW | davo export bankdaten DATEI.ADW [--datei DATEI]";
  const Argumente a = LiesArgumente(argumente, {"--datei"}, {});
  if (!a.Fehler.empty()) return Aufruffehler(fehler, a.Fehler);
  if (a.Woerter.size() != 2 || a.Woerter[1].empty() || (a.Woerter[0] != "serienbrief" && a.Woerter[0] != "bankdaten"))
    return Aufruffehler(fehler, std::string("export erwartet die Art und eine Adressendatei: ") + kAufruf);
  const bool serienbrief = a.Woerter[0] == "serienbrief";
  if (serienbrief && a.Optionen.count("--datei"))
    return Aufruffehler(fehler,
                        "Die Serienbriefdatei liegt immer neben der Adressendatei; --datei gilt nur für "
                        "export bankdaten.");

  const std::optional<std::string> pfad = Adressdatei(a.Woerter[1]);
  if (!pfad) return ExitAbgelehnt;
  std::optional<std::string> ziel;
  if (serienbrief)
    ziel = SerienbriefZiel(*pfad, a.Woerter[1]);
  else if (a.Optionen.count("--datei"))
    ziel = AnsiPfad(a.Optionen.at("--datei"));
  else
    ziel = addresses::BlzKontoDatei;
  if (!ziel) return ExitAbgelehnt;

  addresses::Adressdatei datei(*pfad);
  const addresses::Uebertragung u =
      serienbrief ? addresses::SerienbriefCsvSchreiben(datei, *ziel) : addresses::BlzKontoSchreiben(datei, *ziel);
  if (u.Ergebnis == Aktionsergebnis::Erledigt) DateiUndAnzahl(aus, *ziel, u.Anzahl);
  return Abschluss(u);
}

int Importieren(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  const Argumente a = LiesArgumente(argumente, {"--datei"}, {});
  if (!a.Fehler.empty()) return Aufruffehler(fehler, a.Fehler);
  if (a.Woerter.size() != 2 || a.Woerter[0] != "bankdaten" || a.Woerter[1].empty())
    return Aufruffehler(fehler,
                        "import erwartet \"bankdaten\" und eine Adressendatei: davo import bankdaten DATEI.ADW "
                        "[--datei DATEI]");
  const std::optional<std::string> pfad = Adressdatei(a.Woerter[1]);
  if (!pfad) return ExitAbgelehnt;
  const std::optional<std::string> quelle =
      a.Optionen.count("--datei") ? AnsiPfad(a.Optionen.at("--datei")) : addresses::BlzKontoErgebnisDatei;
  if (!quelle) return ExitAbgelehnt;

  addresses::Adressdatei datei(*pfad);
  const addresses::Uebertragung u = addresses::BlzKontoEinlesen(datei, *quelle);
  if (u.Ergebnis == Aktionsergebnis::Erledigt) {
    aus << "Aktualisiert: " << u.Anzahl << '\n';
    aus.flush();
  } else if (u.Ergebnis == Aktionsergebnis::Fehler && u.Anzahl > 0) {
    Melde("Vor dem Fehler wurden " + std::to_string(u.Anzahl) + " Adressen geändert.");
  }
  return Abschluss(u);
}

int DosImportieren(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  constexpr const char* kAufruf = "davo dos-import ALT.ADR --format jagd|buchhaltung";
  const Argumente a = LiesArgumente(argumente, {"--format"}, {});
  if (!a.Fehler.empty()) return Aufruffehler(fehler, a.Fehler);
  if (a.Woerter.size() != 1 || a.Woerter[0].empty())
    return Aufruffehler(fehler, std::string("dos-import erwartet genau eine DOS-Adressdatei: ") + kAufruf);
  const auto format = a.Optionen.find("--format");
  if (format == a.Optionen.end() || (format->second != "jagd" && format->second != "buchhaltung"))
    return Aufruffehler(fehler, std::string("dos-import braucht --format jagd oder --format buchhaltung: ") + kAufruf);

  const std::optional<std::string> pfad = Adressdatei(a.Woerter[0]);
  if (!pfad) return ExitAbgelehnt;
  const letters::DosErgebnis e = letters::DosAdressdateiUmwandeln(
      *pfad, format->second == "jagd" ? letters::DosFormat::Jagd : letters::DosFormat::Buchhaltung);
  if (e.Ergebnis != Aktionsergebnis::Erledigt) return ExitAbgelehnt;
  DateiUndAnzahl(aus, e.Ziel, e.Anzahl);
  return ExitErledigt;
}

int XmlZeigen(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  const Argumente a = LiesArgumente(argumente, {}, {"--roh"});
  if (!a.Fehler.empty()) return Aufruffehler(fehler, a.Fehler);
  if (a.Woerter.size() != 1 || a.Woerter[0].empty())
    return Aufruffehler(fehler, "xml erwartet genau einen Dateinamen: davo xml DATEI [--roh]");
  const std::optional<std::string> pfad = AnsiPfad(a.Woerter[0]);
  if (!pfad) return ExitAbgelehnt;

  letters::XmlAnsicht ansicht;
  using E = letters::XmlAnsicht::Ergebnis;
  const E ergebnis = ansicht.Importieren(*pfad);
  if (ergebnis == E::NichtGefunden || ergebnis == E::NichtGeoeffnet || ergebnis == E::ZuGross) return ExitAbgelehnt;
  if (a.Optionen.count("--roh"))
    ZeilenAusgeben(ansicht, aus);
  else
    BaumAusgeben(ansicht, aus);
  aus.flush();
  if (!ansicht.Abbruchmeldung().empty()) app::ZeigeMeldung(ansicht.Abbruchmeldung());
  return ergebnis == E::Gelesen ? ExitErledigt : ExitAbgelehnt;
}

}  // namespace davo::cli
