#include "app/QtDialogDienst.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpacerItem>
#include <QStringList>
#include <QUrl>
#include <system_error>

#include "app/DU_Einstdruck.h"
#include "app/DU_Meldung.h"
#include "app/DU_Pulldown.h"
#include "app/DU_basis.h"
#include "app/Hauptmenue.h"
#include "app/Pfade.h"
#include "app/Text.h"

namespace fs = std::filesystem;

namespace davo::gui {

QString AusAnsi(const std::string& ansi) { return QString::fromStdString(app::AnsiNachUtf8(ansi)); }

std::string NachAnsi(const QString& text) { return app::Utf8NachAnsi(text.toStdString()); }

fs::path FsPfad(const QString& pfad) {
  const QByteArray utf8 = pfad.toUtf8();
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

QString QtPfad(const fs::path& pfad) {
  const std::u8string utf8 = pfad.u8string();
  return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()), static_cast<qsizetype>(utf8.size()));
}

QString QtFilter(const std::string& filter) {
  const QStringList teile = AusAnsi(filter).split(QLatin1Char('|'));
  QStringList eintraege;
  for (qsizetype i = 0; i + 1 < teile.size(); i += 2) {
    QStringList muster = teile[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& m : muster) m = m.trimmed();
    eintraege << teile[i] + QStringLiteral(" (") + muster.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return eintraege.join(QStringLiteral(";;"));
}

namespace {

// The path itself or its nearest ancestor that is a folder; empty when none.
fs::path VorhandenerOrdner(fs::path pfad) {
  std::error_code ec;
  while (!pfad.empty()) {
    if (fs::is_directory(pfad, ec)) return pfad;
    fs::path hoeher = pfad.parent_path();
    if (hoeher == pfad) break;
    pfad = std::move(hoeher);
  }
  return {};
}

bool HatOrdner(const std::string& ansiPfad) { return ansiPfad.find_first_of("\\/") != std::string::npos; }

std::string DateinameVon(const std::string& ansiPfad) {
  const auto pos = ansiPfad.find_last_of("\\/");
  return pos == std::string::npos ? ansiPfad : ansiPfad.substr(pos + 1);
}

// Modal windows opened from a modal window belong to it; otherwise to the
// window the user works in.
QWidget* Elternfenster() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

QString DialogOrdner(const app::DateiDialog& dialog) {
  fs::path ordner;
  if (HatOrdner(dialog.Dateiname)) {
    std::error_code ec;
    fs::path voreingestellt = app::DateiPfad(dialog.Dateiname).parent_path();
    if (fs::is_directory(voreingestellt, ec)) ordner = std::move(voreingestellt);
  }
  if (ordner.empty() && !dialog.StartOrdner.empty()) ordner = VorhandenerOrdner(app::DateiPfad(dialog.StartOrdner));
  if (ordner.empty() || ordner.is_relative()) return QDir::homePath();
  return QtPfad(ordner);
}

QtDialogDienst::QtDialogDienst() = default;

QtDialogDienst::~QtDialogDienst() { delete meldung_.data(); }

Tbasis& QtDialogDienst::Basis() {
  if (!basis_) basis_ = std::make_unique<Tbasis>();
  return *basis_;
}

TF_Pulldown& QtDialogDienst::Pulldown() {
  if (!pulldown_) pulldown_ = std::make_unique<TF_Pulldown>();
  return *pulldown_;
}

TF_einstDruck& QtDialogDienst::EinstDruck() {
  if (!einstDruck_) einstDruck_ = std::make_unique<TF_einstDruck>();
  return *einstDruck_;
}

TF_Meldung* QtDialogDienst::Meldungsfenster() const { return meldung_.data(); }

QPrinter* QtDialogDienst::Drucker() { return EinstDruck().Drucker(); }

namespace {

// The information box; wide enough that its caption is never cut.
void Nachricht(QMessageBox::Icon symbol, const std::string& text) {
  QMessageBox box(symbol, QString::fromLatin1(app::Anwendungstitel), AusAnsi(text), QMessageBox::Ok, Elternfenster());
  box.setObjectName(QStringLiteral("Meldungsbox"));
  box.setTextFormat(Qt::PlainText);
  MindestbreiteFuerTitel(box);
  box.exec();
}

}  // namespace

void MindestbreiteFuerTitel(QMessageBox& box) {
  // The title bar's font is the desktop's; the application font stands in for
  // it, with room for the window's icon and buttons.
  const int breite = QFontMetrics(QApplication::font()).horizontalAdvance(box.windowTitle()) + 160;
  if (auto* raster = qobject_cast<QGridLayout*>(box.layout()))
    raster->addItem(new QSpacerItem(breite, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), raster->rowCount(), 0, 1,
                    raster->columnCount());
}

void QtDialogDienst::Meldung(const std::string& text) { Nachricht(QMessageBox::Information, text); }

void QtDialogDienst::Warnung(const std::string& text) { Nachricht(QMessageBox::Warning, text); }

app::FrageErgebnis QtDialogDienst::Frage(const std::string& oben, const std::string& frage, bool jaVorgewaehlt) {
  return Basis().Frage(AusAnsi(oben), AusAnsi(frage), jaVorgewaehlt);
}

void QtDialogDienst::Fortschritt(const std::string& text, int position) {
  if (text.empty()) {
    delete meldung_.data();
    meldung_.clear();
    return;
  }
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == meldung_.data()) modal = nullptr;
  if (!meldung_) {
    meldung_ = new TF_Meldung(modal);
  } else if (modal && meldung_->parentWidget() != modal) {
    meldung_->setParent(modal, meldung_->windowFlags());
  }
  meldung_->Zeige(AusAnsi(text), position);
}

std::optional<int> QtDialogDienst::Auswahl(const std::string& titel, const std::vector<std::string>& eintraege,
                                           int index) {
  QStringList liste;
  for (const std::string& e : eintraege) liste << AusAnsi(e);
  return Pulldown().Waehle(AusAnsi(titel), liste, index);
}

std::optional<app::DateiWahl> QtDialogDienst::DateiOeffnen(const app::DateiDialog& dialog) {
  return Dateidialog(dialog, false);
}

std::optional<app::DateiWahl> QtDialogDienst::DateiSpeichern(const app::DateiDialog& dialog) {
  return Dateidialog(dialog, true);
}

std::optional<app::DateiWahl> QtDialogDienst::Dateidialog(const app::DateiDialog& dialog, bool speichern) {
  const QString filter = QtFilter(dialog.Filter);
  const QStringList filterListe = filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);

  QFileDialog fenster(Elternfenster(), AusAnsi(dialog.Titel), DialogOrdner(dialog), filter);
  fenster.setObjectName(speichern ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
  fenster.setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Typing a name that does not exist yet is allowed in both: the commands
  // then offer to create the file. They also ask before overwriting.
  fenster.setFileMode(QFileDialog::AnyFile);
  fenster.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (dialog.FilterIndex >= 0 && dialog.FilterIndex < filterListe.size())
    fenster.selectNameFilter(filterListe[dialog.FilterIndex]);
  if (!dialog.Dateiname.empty()) fenster.selectFile(AusAnsi(DateinameVon(dialog.Dateiname)));
  if (!dialog.Knopf.empty()) fenster.setLabelText(QFileDialog::Accept, AusAnsi(dialog.Knopf));

  if (fenster.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList gewaehlt = fenster.selectedFiles();
  if (gewaehlt.isEmpty()) return std::nullopt;

  app::DateiWahl wahl;
  const QString pfad = QDir::toNativeSeparators(gewaehlt.first());
  wahl.PfadUtf8 = pfad.toStdString();
  const auto ansi = app::Utf8NachAnsiGenau(wahl.PfadUtf8);
  wahl.Darstellbar = ansi.has_value();
  wahl.Pfad = ansi.value_or(std::string());
  wahl.FilterIndex = static_cast<int>(std::max<qsizetype>(0, filterListe.indexOf(fenster.selectedNameFilter())));
  return wahl;
}

bool QtDialogDienst::Druckdialog() {
  QPrintDialog fenster(Drucker(), Elternfenster());
  fenster.setObjectName(QStringLiteral("PrintDialog1"));
  // A printout is drawn whole before it goes to the printer (or the preview);
  // a range of pages is not offered. Printing into a PDF file is.
  fenster.setOption(QAbstractPrintDialog::PrintPageRange, false);
  fenster.setOption(QAbstractPrintDialog::PrintToFile, true);
  return fenster.exec() == QDialog::Accepted;
}

void QtDialogDienst::ShellOeffnen(const std::string& datei, const std::string&, const std::string&, int) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QtPfad(app::DateiPfad(datei))));
}

void QtDialogDienst::Piep() { QApplication::beep(); }

QtDialogDienst* QtDienst() { return dynamic_cast<QtDialogDienst*>(app::AktuellerDialogDienst()); }

}  // namespace davo::gui
