// The address chooser on a real address file: the lines in each order, the
// jump by prefix, the search, taking a line over and leaving without one.

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "addresses/DU_WaehlAdr.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "support/SkriptDialoge.h"

using davo::addresses::AdrAuswahl;
using davo::addresses::AktAdrNr;
using davo::addresses::TAdresse;
using davo::gui::TF_WaehlAdr;
using namespace davo::test;

namespace {

QListWidget* Liste(const QWidget* fenster) { return Kind<QListWidget>(fenster, QStringLiteral("ListBox1")); }

QList<QRadioButton*> Knoepfe(const QWidget* fenster, const char* gruppe) {
  return Kind<QGroupBox>(fenster, QString::fromLatin1(gruppe))->findChildren<QRadioButton*>();
}

// The record numbers (from 1) at the end of the lines shown.
QList<int> Nummern(const QListWidget* liste) {
  QList<int> nummern;
  for (int i = 0; i < liste->count(); ++i) nummern << liste->item(i)->text().section(QLatin1Char(' '), -1).toInt();
  return nummern;
}

int Markiert(const QListWidget* liste) {
  const auto markiert = liste->selectedItems();
  return markiert.isEmpty() ? -1 : liste->row(markiert.first());
}

// Typed where the user types; keyClicks carries ASCII only.
void Tippe(QLineEdit* feld, const QString& text) {
  bool ascii = true;
  for (QChar c : text) ascii = ascii && c.unicode() < 128;
  if (ascii)
    QTest::keyClicks(feld, text);
  else
    feld->setText(text);
}

void DoppelklickAuf(QListWidget* liste, int zeile) {
  QListWidgetItem* eintrag = liste->item(zeile);
  liste->scrollToItem(eintrag);
  Doppelklick(liste, eintrag);
}

struct Eigentuemer {
  const char *sortierung, *name, *strasse, *ort, *blz, *konto;
};

// Records 1 .. 6 of the test file (cp1252).
const Eigentuemer Eigentuemerliste[] = {
    {"Abel, Karl", "Karl Abel", "Hauptstr. 1", "12345 Adorf", "30050000", "4711"},
    {"Zander, Otto", "Otto Zander", "Bergweg 2", "23456 Bedorf", "10010010", "815"},
    {"abt, Anna", "Anna abt", "Am Bach 3", "34567 Cedorf", "25050180", "99"},
    {"M\xFCller, J\xF6rg", "J\xF6rg M\xFCller", "Dorfplatz 4", "45678 Dedorf", "20050550", "1234"},
    // Longer than a column: the record number moves to the right.
    {"Landwirtschaftliche Betriebsgemeinschaft", "Betriebsgemeinschaft Nord", "Feldweg 5", "56789 Edorf",
     "50010060", "5"},
    {"Abel, Karl", "Karl Abel", "Hauptstr. 1", "12345 Adorf", "30050000", "4712"},
};

}  // namespace

class TestWaehlAdr : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<davo::test::SkriptDialoge> dialoge;
  std::unique_ptr<TF_WaehlAdr> fenster;

  // Opens the chooser the way the program does and runs schritt in it.
  void Waehle(std::function<void(QWidget*)> schritt) {
    AmModalenFenster(std::move(schritt));
    davo::addresses::AdresseWaehlen();
  }

 private slots:
  void init() {
    QVERIFY(Einrichten(ordner, dialoge, KonfigOrdner::Programmvorgabe));
    AdrAuswahl = davo::addresses::AdrAuswahlModell{};
    const QString datei = ordner->filePath(QStringLiteral("Jagd.ADW"));
    std::vector<TAdresse> saetze;
    for (const Eigentuemer& e : Eigentuemerliste) {
      TAdresse& a = saetze.emplace_back();
      a.SetzeText(davo::addresses::Sortierung, e.sortierung);
      a.SetzeText(davo::addresses::Name1, e.name);
      a.SetzeText(davo::addresses::Strasse, e.strasse);
      a.SetzeText(davo::addresses::Ort, e.ort);
      a.SetzeText(davo::addresses::BLZ, e.blz);
      a.SetzeText(davo::addresses::Kontonummer, e.konto);
    }
    QVERIFY(SchreibeAdressdatei(datei, saetze));
    davo::addresses::AdrDateiName = datei.toStdString();
    fenster = std::make_unique<TF_WaehlAdr>();
  }

  void cleanup() {
    fenster.reset();
    QVERIFY(!davo::addresses::AdrAuswahlFenster);
    Abbauen(ordner, dialoge);
  }

  void steuerelement_data() {
    const Steuerelementzeile zeilen[] = {
        {"ListBox1", "QListWidget", ""},
        {"RadioGroup1", "QGroupBox", "Sortierung"},
        {"edit1", "QLineEdit", "Gehe zu"},
        {"Edit2", "QLineEdit", "Suche"},
        {"SucheBtn", "QPushButton", "Suche starten"},
        {"RadioGroup2", "QGroupBox", "Aktive Liste"},
        {"UebernehmenBtn", "QPushButton", "Adresse übernehmen"},
        {"AbbruchBtn", "QPushButton", "Abbruch"},
    };
    Steuerelementzeilen(zeilen);
  }

  void steuerelement() {
    QCOMPARE(fenster->objectName(), QStringLiteral("F_WaehlAdr"));
    PruefeSteuerelement(fenster.get());
  }

  void radiogruppe_data() {
    QTest::addColumn<QString>("gruppe");
    QTest::addColumn<QStringList>("eintraege");
    QTest::newRow("Sortierung") << "RadioGroup1"
                                << QStringList{"Normal", "Name", "Ort", "BLZ", "Kontonummer"};
    QTest::newRow("Aktive Liste") << "RadioGroup2" << QStringList{"Alle Adressen", "Suchergebnisse"};
  }

  // The items in order, the first one marked at the first opening.
  void radiogruppe() {
    QFETCH(QString, gruppe);
    QFETCH(QStringList, eintraege);
    QStringList texte;
    int markiert = -1;
    Waehle([&](QWidget* modal) {
      const auto knoepfe = Knoepfe(modal, qPrintable(gruppe));
      for (int i = 0; i < knoepfe.size(); ++i) {
        texte << knoepfe[i]->text();
        if (knoepfe[i]->isChecked()) markiert = i;
      }
    });
    QCOMPARE(texte, eintraege);
    QCOMPARE(markiert, 0);
  }

  void zeilenJeSortierung_data() {
    QTest::addColumn<int>("sortierung");
    QTest::addColumn<QList<int>>("nummern");
    // Records 1 and 6 agree in every column; the number puts 1 first.
    QTest::newRow("Normal") << 0 << QList<int>{1, 6, 3, 5, 4, 2};
    QTest::newRow("Name") << 1 << QList<int>{3, 5, 4, 1, 6, 2};
    QTest::newRow("Ort") << 2 << QList<int>{1, 6, 2, 3, 4, 5};
    QTest::newRow("BLZ") << 3 << QList<int>{2, 4, 3, 1, 6, 5};
    QTest::newRow("Kontonummer") << 4 << QList<int>{4, 1, 6, 5, 2, 3};
  }

  // A click on an order shows all lines in it.
  void zeilenJeSortierung() {
    QFETCH(int, sortierung);
    QFETCH(QList<int>, nummern);
    QList<int> gezeigt;
    Waehle([&](QWidget* modal) {
      const auto knoepfe = Knoepfe(modal, "RadioGroup1");
      QCOMPARE(knoepfe.size(), 5);
      knoepfe[sortierung]->click();
      gezeigt = Nummern(Liste(modal));
    });
    QCOMPARE(gezeigt, nummern);
    QCOMPARE(AdrAuswahl.Sortierung, sortierung);
  }

  // Three columns of 30 characters and the record number; umlauts shown as
  // such; a long first column pushes the number out instead of cutting it.
  void zeilentext_data() {
    QTest::addColumn<int>("zeile");
    QTest::addColumn<QString>("text");
    const auto spalten = [](const char* a, const char* b, const char* c, const char* nr) {
      return QString::fromUtf8(a).leftJustified(30) + QString::fromUtf8(b).leftJustified(30) +
             QString::fromUtf8(c).leftJustified(30) + QString::fromLatin1(nr);
    };
    QTest::newRow("erste") << 0 << spalten("Abel, Karl", "Karl Abel", "12345 Adorf", "1");
    QTest::newRow("lang") << 3 << spalten("Landwirtschaftliche Betriebsgemeinschaft", "Betriebsgemeinschaft Nord",
                                          "56789 Edorf", "5");
    QTest::newRow("Umlaute") << 4 << spalten("Müller, Jörg", "Jörg Müller", "45678 Dedorf", "4");
  }

  void zeilentext() {
    QFETCH(int, zeile);
    QFETCH(QString, text);
    QString gezeigt;
    Waehle([&](QWidget* modal) { gezeigt = Liste(modal)->item(zeile)->text(); });
    QCOMPARE(gezeigt, text);
  }

  void geheZu_data() {
    QTest::addColumn<QString>("suche");  // search first, "" for none
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<int>("zeile");  // selected line, -1 none
    QTest::newRow("a") << "" << "a" << 0;
    QTest::newRow("ABT, groß") << "" << "ABT" << 2;
    QTest::newRow("Präfix") << "" << "Lan" << 3;
    QTest::newRow("Umlaut") << "" << "Mü" << 4;
    QTest::newRow("hinter allen") << "" << "zz" << -1;
    QTest::newRow("in Suchergebnissen") << "dorf" << "zan" << 5;
    QTest::newRow("nur Suchergebnisse") << "Otto" << "abel" << 0;
  }

  // Each letter typed in "Gehe zu" selects the line, in the list shown,
  // without any message.
  void geheZu() {
    QFETCH(QString, suche);
    QFETCH(QString, getippt);
    QFETCH(int, zeile);
    int markiert = -2;
    QString fokus;
    Waehle([&](QWidget* modal) {
      fokus = Fokusname(modal);
      if (!suche.isEmpty()) {
        Kind<QLineEdit>(modal, QStringLiteral("Edit2"))->setText(suche);
        Klicke(modal, "SucheBtn");
      }
      Tippe(Kind<QLineEdit>(modal, QStringLiteral("edit1")), getippt);
      markiert = Markiert(Liste(modal));
    });
    QCOMPARE(fokus, QStringLiteral("edit1"));
    QCOMPARE(markiert, zeile);
    QVERIFY(Meldungen(*dialoge).isEmpty());
  }

  void uebernehmen_data() {
    QTest::addColumn<QString>("suche");
    QTest::addColumn<QString>("aktion");  // "Doppelklick <zeile>", "Klick <zeile>", "Gehe zu <text>", "Knopf", ...
    QTest::addColumn<bool>("offen");      // the window stayed open after the action
    QTest::addColumn<int>("aktAdrNr");
    QTest::newRow("Doppelklick") << "" << "Doppelklick 5" << false << 1;
    QTest::newRow("Doppelklick, langer Text") << "" << "Doppelklick 3" << false << 4;
    QTest::newRow("Doppelklick in Suchergebnissen") << "Zander" << "Doppelklick 0" << false << 1;
    QTest::newRow("Klick, Knopf") << "" << "Klick 1" << false << 5;
    QTest::newRow("Gehe zu, Knopf") << "" << "Gehe zu abt" << false << 2;
    QTest::newRow("ohne Markierung") << "" << "Knopf" << true << 3;
    QTest::newRow("Abbruch") << "" << "Abbruch" << false << 3;
    QTest::newRow("Escape") << "" << "Escape" << false << 3;
    QTest::newRow("Titelleiste") << "" << "schliessen" << false << 3;
  }

  void uebernehmen() {
    QFETCH(QString, suche);
    QFETCH(QString, aktion);
    QFETCH(bool, offen);
    QFETCH(int, aktAdrNr);
    AktAdrNr = 3;
    const auto gewaehlt = davo::addresses::GewaehlteAdrNr;
    bool nochOffen = false;
    Waehle([&](QWidget* modal) {
      QListWidget* liste = Liste(modal);
      if (!suche.isEmpty()) {
        Kind<QLineEdit>(modal, QStringLiteral("Edit2"))->setText(suche);
        Klicke(modal, "SucheBtn");
      }
      if (aktion.startsWith(QLatin1String("Doppelklick "))) {
        DoppelklickAuf(liste, aktion.section(QLatin1Char(' '), 1).toInt());
      } else if (aktion.startsWith(QLatin1String("Klick "))) {
        QListWidgetItem* eintrag = liste->item(aktion.section(QLatin1Char(' '), 1).toInt());
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(eintrag).center());
        Klicke(modal, "UebernehmenBtn");
      } else if (aktion.startsWith(QLatin1String("Gehe zu "))) {
        Tippe(Kind<QLineEdit>(modal, QStringLiteral("edit1")), aktion.mid(8));
        Klicke(modal, "UebernehmenBtn");
      } else if (aktion == QLatin1String("Knopf")) {
        Klicke(modal, "UebernehmenBtn");
      } else if (aktion == QLatin1String("Abbruch")) {
        Klicke(modal, "AbbruchBtn");
      } else if (aktion == QLatin1String("Escape")) {
        QTest::keyClick(modal, Qt::Key_Escape);
      } else {
        modal->close();
      }
      nochOffen = modal->isVisible();
    });
    QCOMPARE(nochOffen, offen);
    QCOMPARE(AktAdrNr, aktAdrNr);
    QCOMPARE(davo::addresses::GewaehlteAdrNr, aktAdrNr == 3 ? gewaehlt : aktAdrNr);
    QVERIFY(Meldungen(*dialoge).isEmpty());
  }

  // "Aktive Liste" switches between all lines and the search results; it
  // keeps its place for the next opening, whose list starts with all lines.
  void aktiveListe() {
    QList<int> nachSuche, alle, wiederSuche;
    bool suchergebnisseMarkiert = false;
    Waehle([&](QWidget* modal) {
      Kind<QLineEdit>(modal, QStringLiteral("Edit2"))->setText(QStringLiteral("abel"));
      Klicke(modal, "SucheBtn");
      nachSuche = Nummern(Liste(modal));
      suchergebnisseMarkiert = Knoepfe(modal, "RadioGroup2")[1]->isChecked();
      Knoepfe(modal, "RadioGroup2")[0]->click();
      alle = Nummern(Liste(modal));
      Knoepfe(modal, "RadioGroup2")[1]->click();
      wiederSuche = Nummern(Liste(modal));
      Klicke(modal, "AbbruchBtn");
    });
    QCOMPARE(nachSuche, (QList<int>{1, 6}));
    QVERIFY(suchergebnisseMarkiert);
    QCOMPARE(alle.size(), 6);
    QCOMPARE(wiederSuche, (QList<int>{1, 6}));

    int zeilen = 0;
    bool markiert = false;
    Waehle([&](QWidget* modal) {
      zeilen = Liste(modal)->count();
      markiert = Knoepfe(modal, "RadioGroup2")[1]->isChecked();
    });
    QCOMPARE(zeilen, 6);
    QVERIFY(markiert);
  }
};

QTEST_MAIN(TestWaehlAdr)
#include "test_waehladr.moc"
