#pragma once
// Form-letter printing: a template printed as one letter per owner through
// the report engine, for the current owner or for each owner of a list put
// together by hand or by group; and the printed list itself.

#include <cstdint>
#include <string>
#include <vector>

#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"

namespace davo::letters {

// The list line of a record: Sortierung, Name1 and Postfach each padded to
// 32 characters, then the record number from 1.
std::string Listenzeile(const addresses::TAdresse& adresse, std::int32_t nr);

// Prints a template file line by line through the report engine, with the
// placeholders replaced from the record (AktAdresse when none is given) and
// "!" printer keys applied. False when the template could not be read
// completely (reported).
bool VorlageAusgeben(const std::string& dateiname);
bool VorlageAusgeben(const std::string& dateiname, const addresses::TAdresse& adresse);
// One letter for the record (AktAdresse when none is given) as its own print
// job, without page header; false as VorlageAusgeben.
bool SerienbriefDrucken(const std::string& vorlage);
bool SerienbriefDrucken(const std::string& vorlage, const addresses::TAdresse& adresse);

extern const char* const FilterSerienbrief;
extern const char* const StartordnerSerienbrief;

// The form-letter window's state and commands.
class SerienbriefModell {
 public:
  std::string Vorlage;            // Edit1
  std::vector<std::string> Memo;  // the current address
  addresses::AdrListe Liste;      // ListBox1, kept in order
  int Gruppe = 0;                 // SpinEdit1, 0..255
  // "Alle Briefe ohne Rückfrage in einem Druckauftrag": the letters of the
  // list after one question and one print dialog as one job, each letter
  // from a new page.
  bool EinAuftrag = false;
  std::string Titel;

  void Aktivieren();
  void VorlageWaehlen();
  void AdresseWaehlen();
  void AdresseEinfuegen();
  // Adds the lines of the group's records, from the active file; false when a
  // record could not be read (shown and kept as PruefeIO does).
  bool GruppeEinfuegen();
  // The same from an address file, whose record buffer is left with its last
  // record.
  app::IOErgebnis GruppeEinfuegen(addresses::Adressdatei& datei);
  void ZeileLoeschen(int index);
  void ListeLeeren() { Liste.clear(); }
  void BriefAktuell();
  void BriefeListe();
  // "Liste drucken": the listed records of the active file (or of datei),
  // then the page of the address file's base name + ".htm" in the browser.
  // A record that cannot be read is printed empty; the first such failure
  // is shown (on the active file) or handed back.
  void ListeDrucken();
  app::IOErgebnis ListeDrucken(addresses::Adressdatei& datei);

 private:
  void Einfuegen(const addresses::TAdresse& adresse, std::int32_t nr);
  void BriefeInEinemAuftrag(const addresses::AdrListe& liste);
  bool VorlageVorhanden();
};

}  // namespace davo::letters
