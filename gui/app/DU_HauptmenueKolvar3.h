#pragma once
// The main window F_Kolvar3: only the main menu. Every command either runs in
// a window of its own or as a bulk action; the window routes the menu items
// to them and shows the active address file in its caption.

#include <QMainWindow>
#include <functional>
#include <map>

#include "app/Hauptmenue.h"

class QAction;
class QMenu;

namespace davo::gui {

class TF_Kolvar3 : public QMainWindow {
  Q_OBJECT

 public:
  // Finds the program folder and reads the configuration file.
  explicit TF_Kolvar3(QWidget* parent = nullptr);
  ~TF_Kolvar3() override;

  // What a menu command does once the address file is open (for the commands
  // that need it). Connecting a command again replaces its handler.
  void Verbinde(app::Befehl befehl, std::function<void()> handler);

  // The menu item of a command (nullptr when the menu has none).
  QAction* Menuepunkt(app::Befehl befehl) const;

  // " ZQ-Davozedizarorevodo  // " + the active file's base name.
  void TitelSetzen();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void MenueAufbauen(QMenu* menue, const std::vector<app::MenuEintrag>& eintraege);
  QAction* Menuepunkt(const app::MenuEintrag& eintrag, QWidget* ziel);
  void BefehlAusfuehren(app::Befehl befehl);

  std::map<app::Befehl, std::function<void()>> befehle_;
  std::map<app::Befehl, QAction*> menuepunkte_;
};

}  // namespace davo::gui
