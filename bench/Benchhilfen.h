#pragma once
// What the benchmarks share: a dialog service that lets a timed run go
// through without anyone at the keyboard.

#include <optional>
#include <string>
#include <vector>

#include "app/Dialoge.h"

namespace davo::bench {

// Answers every question with "Ja" and keeps quiet otherwise; counts the
// messages. Installs itself while it lives.
class JaDialoge : public app::DialogDienst {
 public:
  JaDialoge() { app::InstalliereDialogDienst(this); }
  ~JaDialoge() override { app::InstalliereDialogDienst(nullptr); }
  JaDialoge(const JaDialoge&) = delete;
  JaDialoge& operator=(const JaDialoge&) = delete;

  int Meldungen = 0;
  void Meldung(const std::string&) override { ++Meldungen; }
  app::FrageErgebnis Frage(const std::string&, const std::string&, bool) override { return app::FrageErgebnis::Ja; }
  void Fortschritt(const std::string&, int) override {}
  std::optional<int> Auswahl(const std::string&, const std::vector<std::string>&, int index) override { return index; }
  std::optional<app::DateiWahl> DateiOeffnen(const app::DateiDialog&) override { return std::nullopt; }
  std::optional<app::DateiWahl> DateiSpeichern(const app::DateiDialog&) override { return std::nullopt; }
  bool Druckdialog() override { return false; }
  void ShellOeffnen(const std::string&, const std::string&, const std::string&, int) override {}
};

}  // namespace davo::bench
