// The commands around the address chooser and the actions that change one
// field in every record: "waehlen" and "aktion".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Befehle.h"
#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "addresses/Sammelaktionen.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "payout/Flaechenaktion.h"

namespace davo::cli {

namespace {

void Melde(std::string_view utf8) { app::ZeigeMeldung(app::Utf8NachAnsi(utf8)); }

// ---------------------------------------------------------------------------
// waehlen

constexpr const char* kWaehlenAufruf = "davo waehlen DATEI.ADW [--sortierung 0-4] [--suche TEXT]";

struct WaehlenAufruf {
  std::optional<std::string> Datei;
  int Sortierung = 0;
  std::optional<std::string> Suche;
  std::string Fehler;  // usage error; empty when the line is fine
};

WaehlenAufruf LiesWaehlenAufruf(const std::vector<std::string>& argumente) {
  WaehlenAufruf a;
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    if (arg.size() < 2 || arg[0] != '-') {
      if (a.Datei || arg.empty()) {
        a.Fehler = "waehlen erwartet genau einen Dateinamen: " + std::string(kWaehlenAufruf);
        return a;
      }
      a.Datei = arg;
      continue;
    }
    const std::size_t gleich = arg.find('=');
    const std::string name = arg.substr(0, gleich);
    if (name != "--sortierung" && name != "--suche") {
      a.Fehler = "Unbekannte Option " + name + " für waehlen.";
      return a;
    }
    std::string wert;
    if (gleich != std::string::npos) {
      wert = arg.substr(gleich + 1);
    } else if (i + 1 < argumente.size()) {
      wert = argumente[++i];
    } else {
      a.Fehler = "Nach " + name + " fehlt der Wert.";
      return a;
    }
    if (name == "--suche") {
      a.Suche = wert;
    } else if (wert.size() == 1 && wert[0] >= '0' && wert[0] <= '4') {
      a.Sortierung = wert[0] - '0';
    } else {
      a.Fehler = "Die Sortierung muss eine Zahl von 0 bis 4 sein, nicht \"" + wert + "\".";
      return a;
    }
  }
  if (!a.Datei && a.Fehler.empty()) a.Fehler = "waehlen erwartet einen Dateinamen: " + std::string(kWaehlenAufruf);
  return a;
}

// ---------------------------------------------------------------------------
// aktion

using addresses::Aktionsergebnis;

using addresses::Adressdatei;

struct Aktion {
  const char* Name;
  Aktionsergebnis (*Ausfuehren)(Adressdatei&);
};

const Aktion kAktionen[] = {
    {"freigabe-ein", [](Adressdatei& d) { return addresses::AuszahlungFreiSetzen(d, 1); }},
    {"freigabe-aus", [](Adressdatei& d) { return addresses::AuszahlungFreiSetzen(d, 0); }},
    {"serienbrief-ein", [](Adressdatei& d) { return addresses::SerienbriefSetzen(d, 1); }},
    {"serienbrief-aus", [](Adressdatei& d) { return addresses::SerienbriefSetzen(d, 0); }},
    {"serienbrief-nach-flaeche", [](Adressdatei& d) { return payout::SerienbriefNachFlaeche(d); }},
    {"gruppen-null", addresses::GruppenAufNull},
    {"gruppe-aus-serienbrief", addresses::GruppeAusSerienbrief},
    {"gruppe-aus-freigabe", addresses::GruppeAusAuszahlung},
};

}  // namespace

const std::vector<std::string>& Aktionsnamen() {
  static const std::vector<std::string> namen = [] {
    std::vector<std::string> n;
    for (const Aktion& a : kAktionen) n.emplace_back(a.Name);
    return n;
  }();
  return namen;
}

int AdressenWaehlen(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  const WaehlenAufruf aufruf = LiesWaehlenAufruf(argumente);
  if (!aufruf.Fehler.empty()) return Aufruffehler(fehler, aufruf.Fehler);

  const std::optional<std::string> pfad = AnsiPfad(*aufruf.Datei);
  if (!pfad) return ExitAbgelehnt;
  std::optional<std::string> suchtext;
  if (aufruf.Suche) {
    suchtext = app::Utf8NachAnsiGenau(*aufruf.Suche);
    if (!suchtext) {
      Melde("Der Suchtext enthält Zeichen, die es im Windows-Zeichensatz nicht gibt.");
      return ExitAbgelehnt;
    }
  }
  if (!DateiVorhanden(*pfad)) return ExitAbgelehnt;

  Adressdatei datei(*pfad);
  addresses::AdrListe alle, treffer;
  if (!app::ZeigeIOErgebnis(addresses::AdrListeAufbauen(datei, aufruf.Sortierung, alle))) return ExitAbgelehnt;
  if (suchtext && !addresses::AdrListeSuchen(alle, *suchtext, treffer)) return ExitAbgelehnt;

  const addresses::AdrListe& liste = suchtext ? treffer : alle;
  for (const addresses::AdrZeile& zeile : liste) aus << Einzeilig(app::AnsiNachUtf8(zeile.Text)) << '\n';
  aus.flush();
  return ExitErledigt;
}

int AktionAusfuehren(const std::vector<std::string>& argumente, std::ostream& /*aus*/, std::ostream& fehler) {
  std::string bekannt;
  for (const std::string& n : Aktionsnamen()) bekannt += (bekannt.empty() ? "" : ", ") + n;
  if (argumente.size() != 2 || argumente[0].empty()) {
    const std::string text = "aktion erwartet einen Dateinamen und eine Aktion: davo aktion DATEI.ADW AKTION\n";
    return Aufruffehler(fehler, text + "Aktionen: " + bekannt + ".");
  }
  const Aktion* aktion = nullptr;
  for (const Aktion& a : kAktionen)
    if (argumente[1] == a.Name) aktion = &a;
  if (!aktion) return Aufruffehler(fehler, "Unbekannte Aktion \"" + argumente[1] + "\". Aktionen: " + bekannt + ".");

  const std::optional<std::string> pfad = AnsiPfad(argumente[0]);
  if (!pfad) return ExitAbgelehnt;
  if (!DateiVorhanden(*pfad)) return ExitAbgelehnt;

  Adressdatei datei(*pfad);
  switch (aktion->Ausfuehren(datei)) {
    case Aktionsergebnis::Erledigt:
      return ExitErledigt;
    case Aktionsergebnis::Abgelehnt:
      Melde("Abgebrochen.");
      return ExitAbgelehnt;
    case Aktionsergebnis::Fehler:
      break;
  }
  return ExitAbgelehnt;
}

}  // namespace davo::cli
