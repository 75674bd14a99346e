// The address list window in list mode on a payout list of a real address
// file: its controls, the title row as column headers with the owners and the
// sum row below, re-sorting, the buttons and printing.

#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "addresses/Adresse.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "payout/Adressenliste.h"
#include "payout/Auszahlung.h"
#include "payout/DU_AdrListe.h"
#include "payout/Einstellungen.h"
#include "support/SkriptDialoge.h"
#include "support/TestDrucker.h"

using davo::addresses::TAdresse;
using davo::gui::TF_AdrListe;
using davo::payout::Adressenliste;
using namespace davo::test;

namespace {

QTableWidget* Gitter(const QWidget* fenster) { return Kind<QTableWidget>(fenster, QStringLiteral("StringGrid1")); }

QList<QRadioButton*> Sortierknoepfe(const QWidget* fenster) {
  return Kind<QGroupBox>(fenster, QStringLiteral("RGsortierung"))->findChildren<QRadioButton*>();
}

// Column 1 of every row shown.
QStringList Namen(const QTableWidget* gitter) {
  QStringList namen;
  for (int r = 0; r < gitter->rowCount(); ++r) namen << (gitter->item(r, 1) ? gitter->item(r, 1)->text() : QString());
  return namen;
}

QString Rechts(const char* text) { return QString::fromLatin1(text).rightJustified(12); }

struct Eigentuemer {
  const char *name1, *bic, *iban;
  davo::app::Currency flaeche;
};

// In file order; sorted by name: Alt, Mueller, Zeller; by BIC: Müller, Alt,
// Zeller; by IBAN: Zeller, Müller, Alt; by area: Müller, Zeller, Alt.
const Eigentuemer Eigentuemerliste[] = {
    {"Zora Zeller", "GENODEF1ABC", "DE02500105170137075030", 10000},
    {"Anton Alt", "COBADEFFXXX", "DE89370400440532013000", 25000},
    {"Maria M\xFCller", "BYLADEM1001", "DE44500105175407324931", 5000},
};

}  // namespace

class TestAdrListe : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<davo::test::SkriptDialoge> dialoge;
  std::unique_ptr<TF_AdrListe> fenster;

  // The payout list of all owners at 100,00 per hectare, then the window
  // opened the way the payout window opens it; schritt runs in it.
  int Zeige(std::function<void(QWidget*)> schritt) {
    Adressenliste.AuszahlungslisteAufbauen(1, 100 * davo::app::CurrencyEins, 0, "Jagdgeld 2024");
    return ZeigeWieAufgebaut(std::move(schritt));
  }

  int ZeigeWieAufgebaut(std::function<void(QWidget*)> schritt) {
    int ergebnis = -1;
    AmModalenFenster([&ergebnis, schritt = std::move(schritt)](QWidget* modal) {
      schritt(modal);
      ergebnis = static_cast<QDialog*>(modal)->isVisible() ? -1 : static_cast<QDialog*>(modal)->result();
    });
    davo::payout::AdressenlisteFenster();
    return ergebnis;
  }

 private slots:
  void init() {
    QVERIFY(Einrichten(ordner, dialoge, KonfigOrdner::Programmvorgabe));
    davo::payout::AuszahlungsEinstellungen.Leeren();
    Adressenliste = davo::payout::AdressenlisteModell{};
    const QString datei = ordner->filePath(QStringLiteral("Jagd.ADW"));
    std::vector<TAdresse> saetze;
    for (const Eigentuemer& e : Eigentuemerliste) {
      TAdresse& a = saetze.emplace_back();
      a.SetzeText(davo::addresses::Name1, e.name1);
      a.SetzeText(davo::addresses::BIC, e.bic);
      a.SetzeText(davo::addresses::IBAN, e.iban);
      a.SetzeFlaeche(e.flaeche);
    }
    QVERIFY(SchreibeAdressdatei(datei, saetze));
    davo::addresses::AdrDateiName = datei.toStdString();
    davo::app::AktAdrBasis = ordner->filePath(QStringLiteral("Jagd")).toStdString();
    fenster = std::make_unique<TF_AdrListe>();
  }

  void cleanup() {
    fenster.reset();
    QVERIFY(!davo::payout::AdressenlisteFenster);
    KeineOffenenDialoge(*dialoge);
    Adressenliste = davo::payout::AdressenlisteModell{};
    Abbauen(ordner, dialoge);
  }

  void steuerelement_data() {
    const Steuerelementzeile zeilen[] = {
        {"StringGrid1", "QTableWidget", ""},
        {"RGsortierung", "QGroupBox", "Sortierug"},
        {"Panel2", "QLabel", "Blass geschriebene Einträge sind nicht plausibel. "},
        {"BitBtn1", "QPushButton", "Liste drucken"},
        {"BitBtn2", "QPushButton", "Liste in Sepa-Datei speichern"},
        {"BitBtn3", "QPushButton", "Ende"},
    };
    Steuerelementzeilen(zeilen);
  }

  void steuerelement() {
    QCOMPARE(fenster->objectName(), QStringLiteral("F_AdrListe"));
    QCOMPARE(fenster->windowTitle(), QStringLiteral("Adressenliste"));
    PruefeSteuerelement(fenster.get(), LabeltextOderBeschriftung);
  }

  // Four choices side by side; "Name" is marked at every opening, whatever
  // was chosen before.
  void sortierauswahl() {
    QStringList texte;
    QList<int> hoehen;
    int markiert = -1;
    Zeige([](QWidget* modal) { Sortierknoepfe(modal)[2]->click(); });
    Zeige([&](QWidget* modal) {
      const auto knoepfe = Sortierknoepfe(modal);
      for (int i = 0; i < knoepfe.size(); ++i) {
        texte << knoepfe[i]->text();
        hoehen << knoepfe[i]->geometry().top();
        if (knoepfe[i]->isChecked()) markiert = i;
      }
    });
    QCOMPARE(texte, (QStringList{"Name", "BIC", "IBAN", "Fläche"}));
    QCOMPARE(hoehen, QList<int>(4, hoehen.value(0)));
    QCOMPARE(markiert, 0);
  }

  void gitter_data() {
    QTest::addColumn<int>("zeile");
    QTest::addColumn<QStringList>("zellen");  // columns 1 .. 7
    // Sorted by name; the references follow the file order.
    QTest::newRow("Alt") << 0
                         << QStringList{"Anton Alt",    "COBADEFFXXX",   "DE89370400440532013000", Rechts("2,5000"),
                                        Rechts("250,00"), "Jagdgeld 2024", "00001.00002"};
    QTest::newRow("Müller als Mueller")
        << 1
        << QStringList{"Maria Mueller", "BYLADEM1001", "DE44500105175407324931", Rechts("0,5000"), Rechts("50,00"),
                       "Jagdgeld 2024", "00001.00003"};
    QTest::newRow("Zeller") << 2
                            << QStringList{"Zora Zeller",    "GENODEF1ABC",   "DE02500105170137075030", Rechts("1,0000"),
                                           Rechts("100,00"), "Jagdgeld 2024", "00001.00001"};
    QTest::newRow("Summe") << 3 << QStringList{"", "", "Summe:", Rechts("4,0000"), Rechts("400,00"), "", ""};
  }

  // The title row is the header; the owners and the sum row are the rows.
  void gitter() {
    QFETCH(int, zeile);
    QFETCH(QStringList, zellen);
    QStringList kopf, gezeigt;
    int zeilen = 0;
    bool nullVersteckt = false;
    Zeige([&](QWidget* modal) {
      QTableWidget* g = Gitter(modal);
      zeilen = g->rowCount();
      nullVersteckt = g->isColumnHidden(0);
      for (int c = 1; c < g->columnCount(); ++c) {
        kopf << g->horizontalHeaderItem(c)->text();
        gezeigt << (g->item(zeile, c) ? g->item(zeile, c)->text() : QStringLiteral("<leer>"));
      }
    });
    QCOMPARE(zeilen, 4);
    QVERIFY(nullVersteckt);
    QCOMPARE(kopf, (QStringList{"Name", "Bic", "IBAN", "Fläche", "Betrag", "Überweisungstext1", "Referenz"}));
    QCOMPARE(gezeigt, zellen);
  }

  void sortieren_data() {
    QTest::addColumn<QList<int>>("klicks");
    QTest::addColumn<QStringList>("namen");
    const QString summe;
    QTest::newRow("Name") << QList<int>{0} << QStringList{"Anton Alt", "Maria Mueller", "Zora Zeller", summe};
    QTest::newRow("BIC") << QList<int>{1} << QStringList{"Maria Mueller", "Anton Alt", "Zora Zeller", summe};
    QTest::newRow("IBAN") << QList<int>{2} << QStringList{"Zora Zeller", "Maria Mueller", "Anton Alt", summe};
    QTest::newRow("Fläche") << QList<int>{3} << QStringList{"Maria Mueller", "Zora Zeller", "Anton Alt", summe};
    QTest::newRow("IBAN, dann Name")
        << QList<int>{2, 0} << QStringList{"Anton Alt", "Maria Mueller", "Zora Zeller", summe};
  }

  // A click re-sorts the rows shown at once; the sum row stays last.
  void sortieren() {
    QFETCH(QList<int>, klicks);
    QFETCH(QStringList, namen);
    QStringList gezeigt;
    QString summenzeile;
    Zeige([&](QWidget* modal) {
      for (int k : klicks) Sortierknoepfe(modal)[k]->click();
      QTableWidget* g = Gitter(modal);
      gezeigt = Namen(g);
      summenzeile = g->item(g->rowCount() - 1, 3)->text();
    });
    QCOMPARE(gezeigt, namen);
    QCOMPARE(summenzeile, QStringLiteral("Summe:"));
    QCOMPARE(Adressenliste.Sortierung, klicks.last());
  }

  void knoepfe_data() {
    QTest::addColumn<bool>("sepaAktiv");
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<int>("ergebnis");
    QTest::newRow("Liste: Ende") << false << "BitBtn3" << int(QDialog::Rejected);
    QTest::newRow("Freigabe: speichern") << true << "BitBtn2" << int(QDialog::Accepted);
    QTest::newRow("Freigabe: Ende") << true << "BitBtn3" << int(QDialog::Rejected);
  }

  // "Liste in Sepa-Datei speichern" follows the model (off for every payout
  // list); it and "Ende" close the window with their results.
  void knoepfe() {
    QFETCH(bool, sepaAktiv);
    QFETCH(QString, knopf);
    QFETCH(int, ergebnis);
    Adressenliste.AuszahlungslisteAufbauen(1, 0, 0, "");
    QVERIFY(!Adressenliste.SepaSpeichernAktiv);
    Adressenliste.SepaSpeichernAktiv = sepaAktiv;
    bool aktiv = !sepaAktiv;
    bool geschlossen = false;
    const int r = ZeigeWieAufgebaut([&](QWidget* modal) {
      aktiv = Kind<QPushButton>(modal, QStringLiteral("BitBtn2"))->isEnabled();
      Klicke(modal, knopf);
      geschlossen = !modal->isVisible();
    });
    QCOMPARE(aktiv, sepaAktiv);
    QVERIFY(geschlossen);
    QCOMPARE(r, ergebnis);
  }

  void drucken_data() {
    QTest::addColumn<int>("sortierung");
    QTest::addColumn<QStringList>("namen");
    QTest::newRow("Name") << 0 << QStringList{"Anton Alt", "Maria Mueller", "Zora Zeller"};
    QTest::newRow("IBAN") << 2 << QStringList{"Zora Zeller", "Maria Mueller", "Anton Alt"};
  }

  // "Liste drucken" prints the caption and the rows in the order shown.
  void drucken() {
    QFETCH(int, sortierung);
    QFETCH(QStringList, namen);
    davo::test::Druckaufbau druck;
    dialoge->Druckantworten.push_back(true);
    Zeige([&](QWidget* modal) {
      Sortierknoepfe(modal)[sortierung]->click();
      Klicke(modal, QStringLiteral("BitBtn1"));
    });
    const QString text = QString::fromStdString(druck.band.AlsText());
    QVERIFY2(text.contains(QStringLiteral("3 Adressen wurden in der Adressenverwaltung erfasst!")), qPrintable(text));
    QList<qsizetype> stellen;
    for (const QString& name : namen) stellen << text.indexOf(name);
    QVERIFY2(!stellen.contains(-1), qPrintable(text));
    QVERIFY2(std::is_sorted(stellen.begin(), stellen.end()), qPrintable(text));
    QVERIFY(text.indexOf(QStringLiteral("Summe:")) > stellen.last());
  }
};

QTEST_MAIN(TestAdrListe)
#include "test_adrliste.moc"
