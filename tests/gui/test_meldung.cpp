// The message window as the program drives it through ZeigeFortschritt: text
// and bar, taking it down, and the key press that aborts a long action.

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "app/DU_Meldung.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/QtDialogDienst.h"
#include "gui/ModalesFenster.h"
#include "support/SkriptDialoge.h"

using davo::gui::TF_Meldung;

using davo::test::AmModalenFenster;
using davo::test::Fokusname;
using davo::test::Tastaturziel;

namespace {

// Answers the question window: "Enter", "Escape", "Ja" (button) or "schliessen".
void Beantworte(QWidget* frage, const QString& wie) {
  QWidget* ziel = Tastaturziel(frage);
  if (wie == QLatin1String("Enter"))
    QTest::keyClick(ziel, Qt::Key_Return);
  else if (wie == QLatin1String("Escape"))
    QTest::keyClick(ziel, Qt::Key_Escape);
  else if (wie == QLatin1String("Ja"))
    QTest::mouseClick(frage->findChild<QPushButton*>(QStringLiteral("JaBtn")), Qt::LeftButton);
  else
    frage->close();
}

void Klick(QWidget* ziel, QEvent::Type typ) {
  QCoreApplication::postEvent(
      ziel, new QMouseEvent(typ, QPointF(5, 5), ziel->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                            typ == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
}

}  // namespace

class TestMeldung : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<davo::gui::QtDialogDienst> dienst;

  TF_Meldung* Fenster() const { return dienst->Meldungsfenster(); }
  QString Text() const { return Fenster()->findChild<QLabel*>(QStringLiteral("Label1"))->text(); }
  QProgressBar* Balken() const { return Fenster()->findChild<QProgressBar*>(QStringLiteral("ProgressBar1")); }

 private slots:
  void init() {
    davo::test::GlobalenZuruecksetzen();
    dienst = std::make_unique<davo::gui::QtDialogDienst>();
    davo::app::InstalliereDialogDienst(dienst.get());
  }

  void cleanup() {
    davo::app::InstalliereDialogDienst(nullptr);
    dienst.reset();
    davo::test::GlobalenZuruecksetzen();
  }

  void anzeige_data() {
    QTest::addColumn<QByteArray>("text");  // cp1252
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("angezeigt");
    QTest::addColumn<bool>("balken");
    QTest::addColumn<int>("wert");
    const QByteArray hundert = QByteArray("0123456789").repeated(10);
    QTest::newRow("100 Zeichen, ohne Balken") << hundert << 0 << QString::fromLatin1(hundert.left(80)) << false << 0;
    QTest::newRow("Balken halb voll") << QByteArray("Adressen werden gelesen") << 50
                                      << QStringLiteral("Adressen werden gelesen") << true << 50;
    QTest::newRow("Umlaute") << QByteArray(
                                    "Fl\xE4"
                                    "che f\xFCr M\xFCller \x80")
                             << 100 << QStringLiteral("Fläche für Müller €") << true << 100;
    QTest::newRow("über 100") << QByteArray("Satz") << 150 << QStringLiteral("Satz") << true << 100;
  }

  void anzeige() {
    QFETCH(QByteArray, text);
    QFETCH(int, position);
    QFETCH(QString, angezeigt);
    QFETCH(bool, balken);
    QFETCH(int, wert);
    davo::app::ZeigeFortschritt(text.toStdString(), position);
    QVERIFY(Fenster());
    QVERIFY(Fenster()->isVisible());
    QCOMPARE(Text(), angezeigt);
    QCOMPARE(Balken()->isVisible(), balken);
    if (balken) QCOMPARE(Balken()->value(), wert);
  }

  void folgeanzeigeBenutztDasselbeFensterUndVerstecktDenBalken() {
    davo::app::ZeigeFortschritt("Satz 1", 30);
    QPointer<TF_Meldung> erstes = Fenster();
    davo::app::ZeigeFortschritt("fertig", 0);
    QCOMPARE(Fenster(), erstes.data());
    QCOMPARE(Text(), QStringLiteral("fertig"));
    QVERIFY(!Balken()->isVisible());
  }

  void leererTextNimmtDasFensterWeg() {
    davo::app::ZeigeFortschritt(std::string(), 0);  // none there: nothing happens
    QVERIFY(!Fenster());
    davo::app::ZeigeFortschritt("Satz 1", 30);
    QPointer<TF_Meldung> fenster = Fenster();
    QVERIFY(fenster);
    davo::app::ZeigeFortschritt(std::string(), 0);
    QVERIFY(!Fenster());
    QVERIFY(fenster.isNull());
    davo::app::ZeigeFortschritt("wieder da", 0);
    QVERIFY(Fenster());
    QCOMPARE(Text(), QStringLiteral("wieder da"));
  }

  void tastendruckFragtNachAbbruch_data() {
    QTest::addColumn<QString>("antwort");
    QTest::addColumn<bool>("abbruch");
    QTest::newRow("Enter (Nein vorgewählt)") << QStringLiteral("Enter") << false;
    QTest::newRow("Ja") << QStringLiteral("Ja") << true;
    QTest::newRow("Escape") << QStringLiteral("Escape") << false;
    QTest::newRow("Frage geschlossen") << QStringLiteral("schliessen") << true;
  }

  void tastendruckFragtNachAbbruch() {
    QFETCH(QString, antwort);
    QFETCH(bool, abbruch);
    davo::app::ZeigeFortschritt("Adressen werden gelesen", 10);
    QString oben, frage, fokus;
    AmModalenFenster([&](QWidget* fenster) {
      oben = fenster->findChild<QLabel*>(QStringLiteral("Label1"))->text();
      frage = fenster->findChild<QLabel*>(QStringLiteral("Label2"))->text();
      fokus = Fokusname(fenster);
      Beantworte(fenster, antwort);
    });
    QTest::keyClick(Fenster(), Qt::Key_A);
    QCOMPARE(oben, QStringLiteral("Sie haben eine Taste gedrückt!"));
    QCOMPARE(frage, QStringLiteral("Wollen Sie die Aktion abbrechen?"));
    QCOMPARE(fokus, QStringLiteral("NeinBtn"));
    QCOMPARE(davo::app::Abbruch, abbruch);
  }

  // A long action only calls ZeigeFortschritt; the key pressed meanwhile must
  // still reach the window during that call.
  void tasteWaehrendLangerAktionBrichtAb() {
    davo::app::ZeigeFortschritt("Satz 1", 10);
    QCoreApplication::postEvent(Fenster(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
    AmModalenFenster([](QWidget* fenster) { Beantworte(fenster, QStringLiteral("Ja")); });
    davo::app::ZeigeFortschritt("Satz 2", 20);
    QVERIFY(davo::app::Abbruch);
  }

  void klicksAnderswoWaehrendLangerAktion_data() {
    QTest::addColumn<bool>("meldungAktiv");
    QTest::addColumn<int>("klicks");
    QTest::newRow("ohne Meldung kommt der Klick an") << false << 1;
    QTest::newRow("während der Meldung verworfen") << true << 0;
  }

  // No second command may start while one runs: input to other windows
  // during the message window's turn of the event loop is dropped.
  void klicksAnderswoWaehrendLangerAktion() {
    QFETCH(bool, meldungAktiv);
    QFETCH(int, klicks);
    QPushButton anderes(QStringLiteral("Erfassen"));
    anderes.show();
    QVERIFY(QTest::qWaitForWindowExposed(&anderes));
    QSignalSpy spion(&anderes, &QPushButton::clicked);
    if (meldungAktiv) davo::app::ZeigeFortschritt("Satz 1", 10);
    Klick(&anderes, QEvent::MouseButtonPress);
    Klick(&anderes, QEvent::MouseButtonRelease);
    if (meldungAktiv) davo::app::ZeigeFortschritt("Satz 2", 20);
    QCoreApplication::processEvents();
    QCOMPARE(spion.count(), klicks);
  }
};

QTEST_MAIN(TestMeldung)
#include "test_meldung.moc"
