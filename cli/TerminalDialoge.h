#pragma once
// The dialogs of the command line front end: messages go to the error stream
// in UTF-8, questions are answered by the options --ja / --nein, by the user
// at a terminal, or else with the preselected answer. File dialogs count as
// cancelled and nothing is printed.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/Dialoge.h"

namespace davo::cli {

// The answer fixed on the command line for every question.
enum class Vorgabe { Keine, Ja, Nein };

class TerminalDialoge : public app::DialogDienst {
 public:
  // ein: where answers are read; aus: where messages and questions go.
  // interaktiv: ask on ein (a terminal) instead of taking the preselected
  // answer; fortschrittZeigen: print progress lines on aus.
  TerminalDialoge(Vorgabe vorgabe, std::FILE* ein, std::FILE* aus, bool interaktiv, bool fortschrittZeigen);

  // Reads the situation of the running process: stdin and stderr, each
  // checked for being a terminal.
  static TerminalDialoge FuerProzess(Vorgabe vorgabe);

  void Meldung(const std::string& text) override;
  app::FrageErgebnis Frage(const std::string& oben, const std::string& frage, bool jaVorgewaehlt) override;
  void Fortschritt(const std::string& text, int position) override;
  std::optional<int> Auswahl(const std::string& titel, const std::vector<std::string>& eintraege, int index) override;
  std::optional<app::DateiWahl> DateiOeffnen(const app::DateiDialog& dialog) override;
  std::optional<app::DateiWahl> DateiSpeichern(const app::DateiDialog& dialog) override;
  bool Druckdialog() override;
  void ShellOeffnen(const std::string& datei, const std::string& parameter, const std::string& verzeichnis,
                    int anzeige) override;
  void Piep() override {}
  // Only someone at a terminal answers; --ja and --nein answer beforehand.
  bool PersonAntwortet() override { return vorgabe_ == Vorgabe::Keine && interaktiv_; }

  // Number of messages shown so far.
  int AnzahlMeldungen() const { return meldungen_; }
  // The answer to the print dialog: no printer (false) unless a command
  // prints into a file.
  void SetzeDruckdialog(bool drucken) { drucken_ = drucken; }

 private:
  void Schreibe(const std::string& utf8);
  Vorgabe vorgabe_;
  std::FILE* ein_;
  std::FILE* aus_;
  bool interaktiv_;
  bool fortschrittZeigen_;
  int meldungen_ = 0;
  bool drucken_ = false;
};

// How a typed answer reads: Ja, Nein, or nothing when it is neither (an empty
// answer is handled by the caller).
std::optional<app::FrageErgebnis> LiesAntwort(const std::string& eingabe);

}  // namespace davo::cli
