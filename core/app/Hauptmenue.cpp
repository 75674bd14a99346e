#include "app/Hauptmenue.h"

#include <map>

#include "app/Konfiguration.h"

namespace davo::app {

const char* const Anwendungstitel = "ZQ-Davozedizarorevodo";

const char* const Lizenzhinweis =
    "Lizenz: GPL-3.0-or-later (GNU General Public License, Version 3 oder neuer).\n"
    "Freie Software ohne jede Garantie; Weitergabe nach den Bedingungen dieser Lizenz.";

namespace {

// Object name as the form designer derives it: the caption's letters and
// digits, then a running number per name.
std::string Objektname(const std::string& titel, std::map<std::string, int>& vergeben) {
  std::string name;
  for (char c : titel)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) name.push_back(c);
  if (name.empty()) name.push_back('N');
  return name + std::to_string(++vergeben[name]);
}

MenuEintrag E(const std::string& titel, Befehl befehl, bool aktiv = true) {
  MenuEintrag e;
  e.Titel = titel;
  e.Aktiv = aktiv;
  e.Kommando = befehl;
  return e;
}

MenuEintrag U(const std::string& titel, std::vector<MenuEintrag> unter) {
  MenuEintrag e;
  e.Titel = titel;
  e.Unterpunkte = std::move(unter);
  return e;
}

void Benennen(std::vector<MenuEintrag>& eintraege, std::map<std::string, int>& vergeben) {
  for (auto& e : eintraege) {
    e.Name = Objektname(e.Titel, vergeben);
    Benennen(e.Unterpunkte, vergeben);
  }
}

std::vector<MenuEintrag> Aufbauen() {
  std::vector<MenuEintrag> menue = {
      U("Adressen",
        {
            E("Erfassen/Bearbeiten", Befehl::AdressenBearbeiten),
            U("Alle Adressen",
              {
                  E("Aktion \"Auszahlung freigeben\" ausschalten", Befehl::AuszahlungFreigebenAus),
                  E("Aktion \"Auszahlung freigeben\" einschalten", Befehl::AuszahlungFreigebenEin),
                  E("Aktion \"Serienbrief drucken\" ausschalten", Befehl::SerienbriefDruckenAus),
                  E("Aktion \"Serienbrief drucken\" einschalten", Befehl::SerienbriefDruckenEin),
                  E("Adressen mit Auszahlung \"Serienbrief drucken\" einschalten", Befehl::SerienbriefNachFlaeche),
              }),
            U("Filtern",
              {
                  E("Alle Gruppennummern --> 0", Befehl::GruppenNull),
                  E("Aktion: Serienbrief  -->1 ", Befehl::GruppeAusSerienbrief),
                  E("Aktion: Auszahlung freigegeben -->1", Befehl::GruppeAusAuszahlung),
              }),
            U("Serienbrief",
              {
                  E("Serienbrief bearbeiten", Befehl::SerienbriefBearbeiten),
                  E("Serienbrief drucken", Befehl::SerienbriefDrucken),
              }),
            E("Exportdatei Adressen f\xFCr Serienbriefe erstellen ", Befehl::ExportSerienbrief),
            E("Exportdatei  BLZ+Kontonr. erstellen", Befehl::ExportBlzKonto),
            E("Sepadaten importieren", Befehl::SepadatenImportieren),
            E("Adressdatei von DOS-Version importieren", Befehl::DosImport),
            E("Aktive Adressendatei w\xE4hlen", Befehl::AdressdateiWaehlen),
            E("Neue Adressendatei anlegen", Befehl::AdressdateiAnlegen),
        }),
      U("Flurst\xFC"
        "cke",
        {E("CSV-Datei einlesen", Befehl::FlurstueckeEinlesen)}),
      U("SEPA",
        {
            E("Konten", Befehl::SepaKonten, false),
            E("\xDC"
              "berweisungen",
              Befehl::Keiner, false),
            E("Sepadatei anzeigen", Befehl::SepaAnzeigen),
        }),
      E("Auszahlung", Befehl::Auszahlung),
      U("Hilfe",
        {
            E("Handbuch", Befehl::Handbuch),
            E("\xDC"
              "ber ZQ-Davozedizarorevodo",
              Befehl::Ueber),
        }),
  };
  std::map<std::string, int> vergeben;
  Benennen(menue, vergeben);
  return menue;
}

}  // namespace

const std::vector<MenuEintrag>& Hauptmenue() {
  static const std::vector<MenuEintrag> menue = Aufbauen();
  return menue;
}

bool BrauchtAdressdatei(Befehl befehl) {
  switch (befehl) {
    case Befehl::Keiner:
    case Befehl::DosImport:
    case Befehl::AdressdateiWaehlen:
    case Befehl::AdressdateiAnlegen:
    case Befehl::FlurstueckeEinlesen:
    case Befehl::SerienbriefNachFlaeche:  // asks its own question first, then opens
    case Befehl::Handbuch:
    case Befehl::Ueber:
      return false;
    default:
      return true;
  }
}

std::string HauptfensterTitel() { return std::string(" ") + Anwendungstitel + "  // " + AktAdrBasis; }

}  // namespace davo::app
