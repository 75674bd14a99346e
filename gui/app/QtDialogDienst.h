#pragma once
// The dialogs of the desktop program: the Qt side of davo::app::DialogDienst.
// It owns the question window, the chooser, the print settings window (with
// the printer) and the message window, and converts between the program's
// Windows-1252 text and QString at this border.

#include <QPointer>
#include <QString>
#include <filesystem>
#include <memory>
#include <string>

#include "app/Dialoge.h"

class QMessageBox;
class QPrinter;
class QWidget;

namespace davo::gui {

class Tbasis;
class TF_Meldung;
class TF_Pulldown;
class TF_einstDruck;

// Program text (cp1252) <-> QString.
QString AusAnsi(const std::string& ansi);
std::string NachAnsi(const QString& text);  // characters outside cp1252 become "?"

// File-system paths <-> QString (UTF-8 on the way, as the core keeps them).
std::filesystem::path FsPfad(const QString& pfad);
QString QtPfad(const std::filesystem::path& pfad);

// "Beschreibung|*.x;*.y|..." -> "Beschreibung (*.x *.y);;...".
QString QtFilter(const std::string& filter);

// The folder a file dialog opens in: the folder of a preset name when that
// folder exists, else the start folder (drive paths mapped) or, when that is
// missing, its nearest existing parent; the home folder when nothing is left.
QString DialogOrdner(const app::DateiDialog& dialog);

class QtDialogDienst : public app::DialogDienst {
 public:
  QtDialogDienst();
  ~QtDialogDienst() override;
  QtDialogDienst(const QtDialogDienst&) = delete;
  QtDialogDienst& operator=(const QtDialogDienst&) = delete;

  // The windows, created on first use (the start-up sequence creates them in
  // its order).
  Tbasis& Basis();
  TF_Pulldown& Pulldown();
  TF_einstDruck& EinstDruck();
  // The message window while it exists, else nullptr.
  TF_Meldung* Meldungsfenster() const;
  // The printer the print dialog set up; printing code draws on it.
  QPrinter* Drucker();

  void Meldung(const std::string& text) override;
  // The same box with the warning icon.
  void Warnung(const std::string& text) override;
  app::FrageErgebnis Frage(const std::string& oben, const std::string& frage, bool jaVorgewaehlt) override;
  void Fortschritt(const std::string& text, int position) override;
  std::optional<int> Auswahl(const std::string& titel, const std::vector<std::string>& eintraege, int index) override;
  std::optional<app::DateiWahl> DateiOeffnen(const app::DateiDialog& dialog) override;
  std::optional<app::DateiWahl> DateiSpeichern(const app::DateiDialog& dialog) override;
  bool Druckdialog() override;
  // Parameters and show mode have no counterpart in the desktop's open service.
  void ShellOeffnen(const std::string& datei, const std::string& parameter, const std::string& verzeichnis,
                    int anzeige) override;
  void Piep() override;

 private:
  std::optional<app::DateiWahl> Dateidialog(const app::DateiDialog& dialog, bool speichern);

  std::unique_ptr<Tbasis> basis_;
  std::unique_ptr<TF_Pulldown> pulldown_;
  std::unique_ptr<TF_einstDruck> einstDruck_;
  // Guarded: while a modal window runs a long action the message window is
  // its child (so the modal window does not block it) and dies with it.
  QPointer<TF_Meldung> meldung_;
};

// Makes the box at least as wide as its caption needs, so the title bar does
// not cut it.
void MindestbreiteFuerTitel(QMessageBox& box);

// The installed dialog service when it is the Qt one, else nullptr.
QtDialogDienst* QtDienst();

}  // namespace davo::gui
