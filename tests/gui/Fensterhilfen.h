#pragma once
// What the window tests share: finding, clicking and checking the controls of
// a window, the folder and the scripted dialogs a test works with, and the
// address file it writes there.

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "support/SkriptDialoge.h"

namespace davo::test {

// --- controls ---------------------------------------------------------------

// The child of fenster called name; a missing one ends the test program.
template <class T>
T* Kind(const QWidget* fenster, const QString& name) {
  T* kind = fenster->findChild<T*>(name);
  if (!kind) qFatal("Steuerelement %s fehlt", qPrintable(name));
  return kind;
}

inline void Klicke(const QWidget* fenster, const QString& knopf) {
  QTest::mouseClick(Kind<QPushButton>(fenster, knopf), Qt::LeftButton);
}

// As the desktop delivers a double-click on a line: a click, then the second
// press as double-click.
inline void Doppelklick(QListWidget* liste, const QListWidgetItem* eintrag) {
  const QPoint mitte = liste->visualItemRect(eintrag).center();
  QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, mitte);
  QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, mitte);
}

// The caption the user reads at a control: the title of the window itself, a
// button's text, a group's title, a page's tab or the label that names it.
inline QString Beschriftung(const QWidget* fenster, const QWidget* w) {
  if (w == fenster) return w->windowTitle();
  if (auto* knopf = qobject_cast<const QAbstractButton*>(w)) return knopf->text();
  if (auto* gruppe = qobject_cast<const QGroupBox*>(w)) return gruppe->title();
  if (auto* seiten = qobject_cast<const QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr)) {
    const int i = seiten->indexOf(const_cast<QWidget*>(w));
    if (i >= 0) return seiten->tabText(i);
  }
  for (const QLabel* label : fenster->findChildren<QLabel*>())
    if (label->buddy() == w) return label->text();
  return QString();
}

// The same for a window whose labels are fixed texts: a label's caption is
// its own text.
inline QString LabeltextOderBeschriftung(const QWidget* fenster, const QWidget* w) {
  if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  return Beschriftung(fenster, w);
}

// A control as a row of a test's table: its object name, class and caption.
struct Steuerelementzeile {
  const char *name, *klasse, *beschriftung;
};

// The columns "name", "klasse" and "beschriftung" and a row per control,
// tagged with its name.
inline void Steuerelementzeilen(std::span<const Steuerelementzeile> zeilen) {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("klasse");
  QTest::addColumn<QString>("beschriftung");
  for (const Steuerelementzeile& z : zeilen)
    QTest::newRow(z.name) << QString::fromLatin1(z.name) << QString::fromLatin1(z.klasse)
                          << QString::fromUtf8(z.beschriftung);
}

// Checks the current row of the columns "name", "klasse" and "beschriftung":
// the control of that object name is fenster itself or exactly one of its
// children, of that class, and regel gives it that caption. Returns the
// control when every check held, else nullptr.
inline const QWidget* PruefeSteuerelement(const QWidget* fenster,
                                          QString (*regel)(const QWidget*, const QWidget*) = Beschriftung) {
  const QWidget* gefunden = nullptr;
  [&] {
    QFETCH(QString, name);
    QFETCH(QString, klasse);
    QFETCH(QString, beschriftung);
    const QWidget* w = fenster;
    if (name != fenster->objectName()) {
      const auto treffer = fenster->findChildren<QWidget*>(name);
      QCOMPARE(treffer.size(), 1);
      w = treffer.first();
    }
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), klasse);
    QCOMPARE(regel(fenster, w), beschriftung);
    gefunden = w;
  }();
  return gefunden;
}

// --- folder and dialogs -----------------------------------------------------

// A fresh folder of the test's own below the system's temporary folder.
inline std::unique_ptr<QTemporaryDir> NeuerTestordner() {
  return std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/davo-XXXXXX"));
}

// Where the program keeps its configuration during a test.
enum class KonfigOrdner { Testordner, Programmvorgabe };

// The start of a test in a folder of its own: the program's globals at their
// start values, a fresh folder (by default also the configuration's) and the
// scripted dialogs in place. False when the folder cannot be made.
inline bool Einrichten(std::unique_ptr<QTemporaryDir>& ordner, std::unique_ptr<SkriptDialoge>& dialoge,
                       KonfigOrdner konfig = KonfigOrdner::Testordner) {
  GlobalenZuruecksetzen();
  ordner = NeuerTestordner();
  if (!ordner->isValid()) return false;
  if (konfig == KonfigOrdner::Testordner) app::KonfigOrdnerVorgabe = gui::FsPfad(ordner->path());
  dialoge = std::make_unique<SkriptDialoge>();
  return true;
}

// The end of such a test: the dialogs and the folder gone, the globals back
// at their start values.
inline void Abbauen(std::unique_ptr<QTemporaryDir>& ordner, std::unique_ptr<SkriptDialoge>& dialoge) {
  dialoge.reset();
  ordner.reset();
  GlobalenZuruecksetzen();
}

// Fails when anything was asked that the test did not script, or a scripted
// answer went unused; each such line is shown.
inline void KeineOffenenDialoge(const SkriptDialoge& dialoge) {
  const auto offen = dialoge.Offen();
  for (const auto& zeile : offen) qWarning("%s", zeile.c_str());
  QVERIFY(offen.empty());
}

// The messages shown so far, as the user read them.
inline QStringList Meldungen(const SkriptDialoge& dialoge) {
  QStringList m;
  for (const std::string& s : dialoge.Meldungen) m << gui::AusAnsi(s);
  return m;
}

// --- address file -----------------------------------------------------------

// Writes the address file pfad anew with the records in order; false when it
// cannot be opened.
inline bool SchreibeAdressdatei(const QString& pfad, const std::vector<addresses::TAdresse>& saetze) {
  QFile f(pfad);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  for (const addresses::TAdresse& a : saetze)
    f.write(reinterpret_cast<const char*>(a.bytes.data()), qint64(a.bytes.size()));
  return true;
}

}  // namespace davo::test
