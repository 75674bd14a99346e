#pragma once
// A scripted stand-in for the dialogs: records every message and question and
// answers from queues filled by the test. Anything asked that the test did not
// script is noted in Unerwartet (and answered "Nein" / cancelled), so a test's
// tear-down can fail on it.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/Dialoge.h"

namespace davo::test {

struct GestellteFrage {
  std::string Oben, Frage;
  bool JaVorgewaehlt = false;
};

class SkriptDialoge : public app::DialogDienst {
 public:
  SkriptDialoge();   // installs itself
  ~SkriptDialoge() override;  // uninstalls itself

  // --- script ---
  std::deque<app::FrageErgebnis> Antworten;
  std::deque<std::optional<int>> Auswahlen;
  std::deque<std::optional<app::DateiWahl>> Dateiwahlen;  // for open and save dialogs
  std::deque<bool> Druckantworten;
  // Whether a person answers (false: answers fixed beforehand).
  bool Person = true;
  // When > 0: the progress shown that many times on is stopped by a key
  // press (Abbruch), as if its question had been answered "Ja".
  int TasteBeiFortschritt = 0;

  // Convenience: the next file dialog picks this UTF-8 path.
  void WaehleDatei(const std::string& pfadUtf8, int filterIndex = 0);
  void BrichDateidialogAb() { Dateiwahlen.push_back(std::nullopt); }

  // --- record ---
  std::vector<std::string> Meldungen;
  std::vector<GestellteFrage> Fragen;
  std::vector<std::pair<std::string, int>> Fortschritte;
  std::vector<app::DateiDialog> Dateidialoge;
  std::vector<std::string> Dateidialogarten;  // "Öffnen-Dialog" or "Speichern-Dialog", UTF-8
  std::vector<std::string> GeoeffnetMitProgramm;
  int Piepser = 0;
  std::vector<std::string> Unerwartet;

  // --- DialogDienst ---
  void Meldung(const std::string& text) override;
  app::FrageErgebnis Frage(const std::string& oben, const std::string& frage, bool jaVorgewaehlt) override;
  void Fortschritt(const std::string& text, int position) override;
  std::optional<int> Auswahl(const std::string& titel, const std::vector<std::string>& eintraege, int index) override;
  std::optional<app::DateiWahl> DateiOeffnen(const app::DateiDialog& dialog) override;
  std::optional<app::DateiWahl> DateiSpeichern(const app::DateiDialog& dialog) override;
  bool Druckdialog() override;
  void ShellOeffnen(const std::string& datei, const std::string& parameter, const std::string& verzeichnis,
                    int anzeige) override;
  void Piep() override { ++Piepser; }
  bool PersonAntwortet() override { return Person; }

  // Everything that went unscripted or stayed unused, one line each.
  std::vector<std::string> Offen() const;

 private:
  std::optional<app::DateiWahl> NaechsteDatei(const app::DateiDialog& dialog, const char* art);
};

// The one reset of the tests: the state of every core folder back at its
// start values (each folder's own reset).
void GlobalenZuruecksetzen();

}  // namespace davo::test
