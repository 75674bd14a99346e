#pragma once
// The main window's menu as data: captions exactly as shown, enabled states and
// the command each item starts. The desktop program builds its menu bar from
// this table; commands that are not built yet have no handler and do nothing.

#include <string>
#include <vector>

namespace davo::app {

enum class Befehl {
  Keiner,  // no command at all
  AdressenBearbeiten,
  AuszahlungFreigebenAus,
  AuszahlungFreigebenEin,
  SerienbriefDruckenAus,
  SerienbriefDruckenEin,
  SerienbriefNachFlaeche,
  GruppenNull,
  GruppeAusSerienbrief,
  GruppeAusAuszahlung,
  SerienbriefBearbeiten,
  SerienbriefDrucken,
  ExportSerienbrief,
  ExportBlzKonto,
  SepadatenImportieren,
  DosImport,
  AdressdateiWaehlen,
  AdressdateiAnlegen,
  FlurstueckeEinlesen,
  SepaKonten,
  SepaUeberweisungen,
  SepaAnzeigen,
  Auszahlung,
  Handbuch,
  Ueber,
};

struct MenuEintrag {
  std::string Titel;  // cp1252, with "&" accelerators where the window has them
  std::string Name;   // object name of the item
  bool Aktiv = true;
  Befehl Kommando = Befehl::Keiner;
  std::vector<MenuEintrag> Unterpunkte;
};

// The top-level entries of the main menu, in order.
const std::vector<MenuEintrag>& Hauptmenue();

// Whether the command first opens the active address file.
bool BrauchtAdressdatei(Befehl befehl);

// Caption of the main window: " ZQ-Davozedizarorevodo  // " + AktAdrBasis.
std::string HauptfensterTitel();
extern const char* const Anwendungstitel;  // "ZQ-Davozedizarorevodo"
// The licence in two lines (ASCII only), for the version output of both programs.
extern const char* const Lizenzhinweis;

}  // namespace davo::app
