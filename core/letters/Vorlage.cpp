#include "letters/Vorlage.h"

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Datum.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "printing/Druck.h"
#include "printing/Druckflaeche.h"

namespace davo::letters {

using namespace davo::app;
using addresses::AktAdresse;

const std::array<const char*, 32> Platzhalter = {
    "!ANRE", "!NAM1", "!NAM2", "!STRA", "!POFA", "!ORT", "!TELE", "!BANA", "!BLZ", "!KONR", "!IBAN",
    "!BIC",  "!MDNR", "!HA",   "!DATUM", "!STNR", "!USID", "",     "",      "",     "",      "!INI",
    "KB",    "KE",    "GB",    "GE",    "UB",    "UE",    "FB",    "FE",    "LF",   "FF"};

const char* const FilterVorlageLaden = "Windows-Text|*.txt|DOS- Text|*.txt|alle Dateien|*.*";
const char* const StartordnerVorlageLaden = "c:\\zq-soft\\Reredazo";
const char* const FilterVorlageSpeichern = "Textdatei|*.txt";
const char* const StartordnerVorlageSpeichern = "C:\\zq-soft\\Reredazo";

namespace {

std::string Wert(std::size_t i, const addresses::TAdresse& adresse) {
  static constexpr int kFeld[13] = {addresses::Anrede,   addresses::Name1,    addresses::Name2,  addresses::Strasse,
                                    addresses::Postfach, addresses::Ort,      addresses::Telefon, addresses::Bankname,
                                    addresses::BLZ,      addresses::Kontonummer, addresses::IBAN, addresses::BIC,
                                    addresses::MandatsNr};
  if (i < 13) return adresse.Text(kFeld[i]);
  if (i == 13) return BetragFormatieren(adresse.Flaeche(), 12, 4);
  if (i == 14) return DatumHeute;
  return std::string();
}

}  // namespace

std::string ErsetzePlatzhalter(const std::string& zeile) { return ErsetzePlatzhalter(zeile, AktAdresse); }

std::string ErsetzePlatzhalter(const std::string& zeile, const addresses::TAdresse& adresse) {
  static const std::array<std::string_view, 32> kTokens = [] {
    std::array<std::string_view, 32> t;
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = Platzhalter[i];
    return t;
  }();
  // Room for a replacement or two (a field holds at most 50 characters).
  std::string z;
  z.reserve(zeile.size() + 64);
  z = zeile;
  // The bytes that may stand in z (all it held and all put in since): a
  // token whose first two bytes are not among them is not searched for.
  std::array<bool, 256> da{};
  const auto merke = [&da](std::string_view t) {
    for (const char c : t) da[static_cast<unsigned char>(c)] = true;
  };
  merke(z);
  for (std::size_t i = 0; i < kTokens.size(); ++i) {
    const std::string_view token = kTokens[i];
    if (token.empty() || !da[static_cast<unsigned char>(token[0])] || !da[static_cast<unsigned char>(token[1])])
      continue;
    std::size_t pos = z.find(token);
    while (pos != std::string::npos) {
      if (i >= 21) printing::DruckSteuerung(static_cast<int>(i) - 20);
      const std::string ersatz = Wert(i, adresse);
      merke(ersatz);
      z.replace(pos, token.size(), ersatz);
      pos = z.find(token, pos + ersatz.size());
    }
  }
  return z;
}

bool HatPlatzhalter(std::string_view zeile) {
  for (const char* token : Platzhalter)
    if (*token && zeile.find(token) != std::string_view::npos) return true;
  return false;
}

std::string DosNachWindows(const std::string& zeile) {
  std::string z = zeile;
  for (char& c : z) {
    switch (static_cast<unsigned char>(c)) {
      case 0x15:
      case 0xF5: c = '\xA7'; break;
      case 0x81: c = '\xFC'; break;
      case 0x84: c = '\xE4'; break;
      case 0x8E: c = '\xC4'; break;
      case 0x94: c = '\xF6'; break;
      case 0x99: c = '\xD6'; break;
      case 0x9A: c = '\xDC'; break;
      case 0xE1: c = '\xDF'; break;
      default: break;
    }
  }
  return z;
}

Leseergebnis TextdateiLesen(const std::string& pfad, bool vonDos, std::vector<std::string>& zeilen) {
  IODateiName = pfad;
  Datei datei;
  datei.Zuordnen(pfad);
  PruefeIO();
  datei.OeffnenLesen(1);
  PruefeIO();
  if (IOFehler) return Leseergebnis::NichtGeoeffnet;
  bool ok = true;
  std::string inhalt;
  std::string block(1 << 16, '\0');
  for (;;) {
    const std::size_t n = datei.LesenBlock(block.data(), block.size());
    PruefeIO();
    if (IOFehler) {
      ok = false;
      break;
    }
    if (n == 0) break;
    inhalt.append(block.data(), n);
  }
  std::size_t anfang = 0;
  while (anfang < inhalt.size()) {
    std::size_t lf = inhalt.find('\n', anfang);
    if (lf == std::string::npos) lf = inhalt.size();
    std::size_t ende = lf;
    if (ende > anfang && inhalt[ende - 1] == '\r') --ende;
    std::string zeile = Kurz(std::string_view(inhalt).substr(anfang, ende - anfang), 255);
    zeilen.push_back(vonDos ? DosNachWindows(zeile) : zeile);
    anfang = lf + 1;
  }
  datei.Schliessen();
  PruefeIO();
  return ok ? Leseergebnis::Gelesen : Leseergebnis::Lesefehler;
}

bool TextdateiSchreiben(const std::string& pfad, const std::vector<std::string>& zeilen) {
  IODateiName = pfad;
  if (!PruefeIOErgebnis(TextzielPruefen(pfad))) return false;
  std::string inhalt;
  for (const auto& z : zeilen) {
    inhalt += z;
    inhalt += "\r\n";
  }
  DateiErsetzen(pfad, inhalt.data(), inhalt.size());
  PruefeIO();
  return !IOFehler;
}

void EditorModell::Laden() {
  DateiDialog dialog;
  dialog.Filter = FilterVorlageLaden;
  dialog.StartOrdner = StartordnerVorlageLaden;
  dialog.Dateiname = Konfiguration.Serienbriefdatei();
  auto wahl = OeffnenDialog(dialog);
  if (!wahl || !PfadDarstellbar(*wahl)) return;
  Konfiguration.SetzeSerienbriefdatei(wahl->Pfad);
  SchreibeKonfiguration();
  bool dos = false;
  if (wahl->FilterIndex == 1)
    FrageJaNein("Dateiname: " + wahl->Pfad, "Soll die Textdatei von Dos zu Windows umgewandelt werden?", dos);
  std::vector<std::string> neu;
  // A file that cannot be opened leaves the editor's text; a read error keeps
  // the lines read so far.
  if (TextdateiLesen(wahl->Pfad, dos, neu) != Leseergebnis::NichtGeoeffnet) Zeilen = std::move(neu);
}

void EditorModell::Speichern() {
  DateiDialog dialog;
  dialog.Filter = FilterVorlageSpeichern;
  dialog.StartOrdner = StartordnerVorlageSpeichern;
  dialog.Dateiname = Konfiguration.Serienbriefdatei();
  auto wahl = SpeichernDialog(dialog);
  if (!wahl || !PfadDarstellbar(*wahl)) return;
  TextdateiSchreiben(wahl->Pfad, Zeilen);
  Konfiguration.SetzeSerienbriefdatei(wahl->Pfad);
  SchreibeKonfiguration();
}

void EditorModell::SchriftMerken(const std::string& name, int hoehe, int groesse) {
  Konfiguration.SetzeSchriftname(name);
  Konfiguration.SetzeSchrifthoehe(hoehe);
  Konfiguration.SetzeSchriftgroesse(groesse);
  SchreibeKonfiguration();
}

void EditorModell::Drucken(const std::string& schriftname, int schriftgroesse) {
  if (!ZeigeDruckdialog()) return;
  printing::Druckflaeche* f = printing::Drucker();
  if (!f) return;
  printing::DirektdruckBeginnen();
  f->SetzeSchrift(schriftname);
  if (schriftgroesse > 0) f->SetzeSchriftgroesse(schriftgroesse);
  for (std::size_t n = 0; n < Zeilen.size(); ++n) {
    const std::string zeile = Kurz(ErsetzePlatzhalter(Kurz(Zeilen[n], 255)), 255);
    const int y = Konfiguration.DruckOben() + static_cast<int>(n) * f->TextHoehe(zeile);
    f->Text(Konfiguration.DruckLinks(), y, zeile);
  }
  printing::DirektdruckBeenden();
}

}  // namespace davo::letters
