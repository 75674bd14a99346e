// The chooser: the preset entry, a click that chooses at once, "OK" and
// closing without a choice.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <optional>

#include "app/DU_Pulldown.h"
#include "gui/ModalesFenster.h"

using davo::gui::TF_Pulldown;

using davo::test::AmModalenFenster;
using davo::test::Tastaturziel;

namespace {

// A click on the round mark: only mark and caption take clicks, and the
// button is wider than its caption.
void Klicke(QRadioButton* knopf) { QTest::mouseClick(knopf, Qt::LeftButton, {}, QPoint(6, knopf->height() / 2)); }

const QStringList Eintraege = {QStringLiteral("Liste drucken"), QStringLiteral("Überweisung kopieren"),
                               QStringLiteral("Deckblatt drucken"), QStringLiteral("Ende")};

}  // namespace

class TestPulldown : public QObject {
  Q_OBJECT

 private slots:
  void wahl_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("aktion");  // "OK", "Enter", "Klick <n>", "schliessen"
    QTest::addColumn<int>("erwartet");    // -2: no choice
    QTest::newRow("OK nimmt die Vorgabe 2") << 2 << QStringLiteral("OK") << 2;
    QTest::newRow("Enter nimmt die Vorgabe 0") << 0 << QStringLiteral("Enter") << 0;
    QTest::newRow("Klick auf den dritten") << 0 << QStringLiteral("Klick 2") << 2;
    QTest::newRow("Klick auf die Vorgabe") << 3 << QStringLiteral("Klick 3") << 3;
    QTest::newRow("Klick auf den ersten") << 3 << QStringLiteral("Klick 0") << 0;
    QTest::newRow("geschlossen") << 2 << QStringLiteral("schliessen") << -2;
    QTest::newRow("Escape") << 1 << QStringLiteral("Escape") << -2;
  }

  void wahl() {
    QFETCH(int, index);
    QFETCH(QString, aktion);
    QFETCH(int, erwartet);
    TF_Pulldown pulldown;
    int markiert = -1;
    QString titel;
    AmModalenFenster([&](QWidget* fenster) {
      const auto knoepfe = fenster->findChildren<QRadioButton*>();
      QCOMPARE(knoepfe.size(), Eintraege.size());
      for (int i = 0; i < knoepfe.size(); ++i)
        if (knoepfe[i]->isChecked()) markiert = i;
      titel = fenster->findChild<QLabel*>(QStringLiteral("Label1"))->text();
      if (aktion == QLatin1String("OK")) {
        QTest::mouseClick(fenster->findChild<QPushButton*>(QStringLiteral("endeBtn")), Qt::LeftButton);
      } else if (aktion == QLatin1String("Enter")) {
        QTest::keyClick(Tastaturziel(fenster), Qt::Key_Return);
      } else if (aktion == QLatin1String("Escape")) {
        QTest::keyClick(fenster, Qt::Key_Escape);
      } else if (aktion.startsWith(QLatin1String("Klick "))) {
        Klicke(knoepfe[aktion.mid(6).toInt()]);
      } else {
        fenster->close();
      }
    });
    const std::optional<int> ergebnis = pulldown.Waehle(QStringLiteral("SEPA-Datei"), Eintraege, index);
    QCOMPARE(markiert, index);
    QCOMPARE(titel, QStringLiteral("SEPA-Datei"));
    QCOMPARE(ergebnis.value_or(-2), erwartet);
  }

  // Used as a menu loop: each offer shows only the entries given now.
  void wiederholtesAnbietenErsetztDieEintraege() {
    TF_Pulldown pulldown;
    const QStringList kurz = {QStringLiteral("Ja"), QStringLiteral("Nein")};
    for (const QStringList& eintraege : {Eintraege, kurz, Eintraege}) {
      QStringList gesehen;
      AmModalenFenster([&](QWidget* fenster) {
        for (QRadioButton* k : fenster->findChildren<QRadioButton*>()) gesehen << k->text();
        Klicke(fenster->findChildren<QRadioButton*>().last());
      });
      QCOMPARE(pulldown.Waehle(QStringLiteral("Titel"), eintraege, 0), std::optional<int>(int(eintraege.size()) - 1));
      QCOMPARE(gesehen, eintraege);
    }
  }
};

QTEST_MAIN(TestPulldown)
#include "test_pulldown.moc"
