// The question window: which answer Enter, Escape, the buttons and
// closing the window give, depending on the preselected button.

#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include "app/DU_basis.h"
#include "gui/ModalesFenster.h"

using davo::app::FrageErgebnis;
using davo::gui::Tbasis;

Q_DECLARE_METATYPE(davo::app::FrageErgebnis)

using davo::test::AmModalenFenster;
using davo::test::Fokusname;
using davo::test::Tastaturziel;

class TestBasis : public QObject {
  Q_OBJECT

 private slots:
  void antwort_data() {
    QTest::addColumn<bool>("jaVorgewaehlt");
    QTest::addColumn<int>("taste");  // 0: the window is closed instead
    QTest::addColumn<int>("modifikator");
    QTest::addColumn<FrageErgebnis>("erwartet");
    const int ohne = Qt::NoModifier;
    QTest::newRow("Enter, Ja vorgewählt") << true << int(Qt::Key_Return) << ohne << FrageErgebnis::Ja;
    QTest::newRow("Enter, Nein vorgewählt") << false << int(Qt::Key_Return) << ohne << FrageErgebnis::Nein;
    QTest::newRow("Zifferblock-Enter, Ja")
        << true << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << FrageErgebnis::Ja;
    QTest::newRow("Escape, Ja vorgewählt") << true << int(Qt::Key_Escape) << ohne << FrageErgebnis::Nein;
    QTest::newRow("Escape, Nein vorgewählt") << false << int(Qt::Key_Escape) << ohne << FrageErgebnis::Nein;
    QTest::newRow("Leertaste, Ja vorgewählt") << true << int(Qt::Key_Space) << ohne << FrageErgebnis::Ja;
    QTest::newRow("geschlossen, Ja vorgewählt") << true << 0 << ohne << FrageErgebnis::Geschlossen;
    QTest::newRow("geschlossen, Nein vorgewählt") << false << 0 << ohne << FrageErgebnis::Geschlossen;
  }

  void antwort() {
    QFETCH(bool, jaVorgewaehlt);
    QFETCH(int, taste);
    QFETCH(int, modifikator);
    QFETCH(FrageErgebnis, erwartet);
    Tbasis basis;
    QString fokusName;
    AmModalenFenster([&](QWidget* fenster) {
      fokusName = Fokusname(fenster);
      if (taste == 0)
        fenster->close();
      else
        QTest::keyClick(Tastaturziel(fenster), Qt::Key(taste), Qt::KeyboardModifiers(modifikator));
    });
    QCOMPARE(basis.Frage(QStringLiteral("oben"), QStringLiteral("Frage?"), jaVorgewaehlt), erwartet);
    QCOMPARE(fokusName, jaVorgewaehlt ? QStringLiteral("JaBtn") : QStringLiteral("NeinBtn"));
  }

  // The window is used again and again: each question sets its own default.
  void vorgabeGiltNurFuerDieseFrage() {
    Tbasis basis;
    for (bool ja : {true, false, true}) {
      AmModalenFenster([](QWidget* fenster) { QTest::keyClick(Tastaturziel(fenster), Qt::Key_Return); });
      QCOMPARE(basis.Frage(QStringLiteral("oben"), QStringLiteral("Frage?"), ja),
               ja ? FrageErgebnis::Ja : FrageErgebnis::Nein);
    }
  }

  void knopfGegenVorgabe_data() {
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<bool>("jaVorgewaehlt");
    QTest::addColumn<FrageErgebnis>("erwartet");
    QTest::newRow("Ja gegen Nein-Vorgabe") << QStringLiteral("JaBtn") << false << FrageErgebnis::Ja;
    QTest::newRow("Nein gegen Ja-Vorgabe") << QStringLiteral("NeinBtn") << true << FrageErgebnis::Nein;
  }

  void knopfGegenVorgabe() {
    QFETCH(QString, knopf);
    QFETCH(bool, jaVorgewaehlt);
    QFETCH(FrageErgebnis, erwartet);
    Tbasis basis;
    AmModalenFenster([&](QWidget* fenster) {
      auto* k = fenster->findChild<QPushButton*>(knopf);
      QVERIFY(k);
      QTest::mouseClick(k, Qt::LeftButton);
    });
    QCOMPARE(basis.Frage(QStringLiteral("oben"), QStringLiteral("Frage?"), jaVorgewaehlt), erwartet);
  }
};

QTEST_MAIN(TestBasis)
#include "test_basis.moc"
