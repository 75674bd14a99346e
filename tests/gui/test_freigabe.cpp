// The SEPA file from the payout window: the format choice kept in the
// settings, the address list window in release mode (pale items, "alle",
// "keine", a list of 100,000 owners as a model), and the whole flow from
// "Sepa-Datei  für freigegebene Flächen" to the files and the run counter.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

#include "addresses/Adresse.h"
#include "app/Datum.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "payout/Adressenliste.h"
#include "payout/Auszahlung.h"
#include "payout/DU_AdrListe.h"
#include "payout/DU_JG_ausz.h"
#include "payout/Einstellungen.h"
#include "support/Sepaschema.h"
#include "support/SkriptDialoge.h"

using davo::addresses::TAdresse;
using davo::gui::TF_AdrListe;
using davo::gui::TF_Auszahlung;
using davo::payout::Adressenliste;
using davo::payout::TAuszahlungsEinstellungen;
using namespace davo::test;

namespace {

using E = TAuszahlungsEinstellungen;

QListView* Liste(const QWidget* fenster) { return Kind<QListView>(fenster, QStringLiteral("CheckListBox1")); }

// The check marks shown: x checked, . unchecked, - pale.
QString Marken(const QListView* liste) {
  QString m;
  const QAbstractItemModel* modell = liste->model();
  for (int r = 0; r < modell->rowCount(); ++r) {
    const QModelIndex i = modell->index(r, 0);
    if (!(modell->flags(i) & Qt::ItemIsEnabled))
      m += QLatin1Char('-');
    else
      m += modell->data(i, Qt::CheckStateRole).toInt() == Qt::Checked ? QLatin1Char('x') : QLatin1Char('.');
  }
  return m;
}

TAdresse Eigentuemer(const char* name, const char* bic, const char* iban, davo::app::Currency flaeche) {
  TAdresse a;
  a.SetzeText(davo::addresses::Name1, name);
  a.SetzeText(davo::addresses::BIC, bic);
  a.SetzeText(davo::addresses::IBAN, iban);
  a.SetzeFlaeche(flaeche);
  a.SetzeAuszahlungFrei(1);
  return a;
}

}  // namespace

class TestFreigabe : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<davo::test::SkriptDialoge> dialoge;
  std::unique_ptr<TF_AdrListe> liste;
  std::unique_ptr<TF_Auszahlung> fenster;

  QString Einstellungsdatei() const { return ordner->filePath(QStringLiteral("Jagd.JGA")); }
  QByteArray Einstellungen() const {
    QFile f(Einstellungsdatei());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void SchreibeEinstellungen(std::uint8_t format, std::int32_t lauf) {
    E e;
    e.SetzeFeld(E::Auftraggeber,
                "Jagdgenossenschaft Eulenbr\xFC"
                "ck");
    e.SetzeFeld(E::AuftraggeberIBAN, "DE44 5001 0517 5407 3249 31");
    e.SetzeFeld(E::AuftraggeberBIC, "COBADEFFXXX");
    e.SetzeFeld(E::BetragProHaText, "100,00");
    e.SetzeFeld(E::Belegtext1, "Pacht !NAM1");
    e.SetzeFeld(E::SepaOrdner, ordner->filePath(QStringLiteral("sepa")).toStdString());
    e.SetzeLaufnummer(lauf);
    e.SetzeSepaFormat(format);
    QFile f(Einstellungsdatei());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(reinterpret_cast<const char*>(e.bytes.data()), qint64(e.bytes.size()));
  }
  static int Lauf(const QByteArray& satz) { return static_cast<unsigned char>(satz.at(4096)); }

 private slots:
  void init() {
    QVERIFY(Einrichten(ordner, dialoge));
    davo::payout::AuszahlungsEinstellungen.Leeren();
    Adressenliste = davo::payout::AdressenlisteModell{};
    const QString datei = ordner->filePath(QStringLiteral("Jagd.ADW"));
    QVERIFY(
        SchreibeAdressdatei(datei, {Eigentuemer("Zora Zeller", "GENODEF1ABC", "DE02500105170137075030", 10000),
                                    Eigentuemer("Anton Alt", "COBADEFFXX", "DE89370400440532013000", 25000),
                                    Eigentuemer("Maria M\xFCller", "BYLADEM1001", "DE44500105175407324931", 5000)}));
    davo::addresses::AdrDateiName = datei.toStdString();
    davo::app::AktAdrBasis = ordner->filePath(QStringLiteral("Jagd")).toStdString();
    QVERIFY(QDir(ordner->path()).mkdir(QStringLiteral("sepa")));
    davo::app::Uhr = [] {
      davo::app::DatumZeit d;
      d.Jahr = 2026, d.Monat = 12, d.Tag = 2, d.Stunde = 9, d.Wochentag = 3;  // a Wednesday
      return d;
    };
    liste = std::make_unique<TF_AdrListe>();
    fenster = std::make_unique<TF_Auszahlung>();
  }

  void cleanup() {
    fenster.reset();
    liste.reset();
    QVERIFY(!davo::payout::FreigabeFenster);
    KeineOffenenDialoge(*dialoge);
    davo::payout::AuszahlungsEinstellungen.Leeren();
    Adressenliste = davo::payout::AdressenlisteModell{};
    Abbauen(ordner, dialoge);
  }

  void formatwahl_data() {
    QTest::addColumn<int>("gespeichert");
    QTest::addColumn<int>("gezeigt");
    QTest::addColumn<int>("gewaehlt");  // -1: nothing chosen
    QTest::addColumn<int>("danach");
    QTest::newRow("09 bleibt") << 0 << 0 << -1 << 0;
    QTest::newRow("03 gewählt") << 0 << 0 << 1 << 1;
    QTest::newRow("03 gespeichert") << 1 << 1 << 0 << 0;
    QTest::newRow("unbekannt bleibt") << 7 << -1 << -1 << 7;
  }

  // "SEPA-Format" shows the byte behind the run counter and stores the choice.
  void formatwahl() {
    QFETCH(int, gespeichert);
    QFETCH(int, gezeigt);
    QFETCH(int, gewaehlt);
    QFETCH(int, danach);
    SchreibeEinstellungen(std::uint8_t(gespeichert), 3);
    fenster->show();
    auto* format = Kind<QComboBox>(fenster.get(), QStringLiteral("SepaFormat"));
    QCOMPARE(Beschriftung(fenster.get(), format), QStringLiteral("SEPA-Format"));
    QCOMPARE(format->itemText(0), QStringLiteral("pain.001.001.09 (Standard)"));
    QCOMPARE(format->itemText(1), QStringLiteral("pain.001.001.03 (nur für Banken, die es noch annehmen)"));
    QCOMPARE(format->currentIndex(), gezeigt);
    if (gewaehlt >= 0) format->setCurrentIndex(gewaehlt);
    fenster->close();
    QCOMPARE(int(static_cast<unsigned char>(Einstellungen().at(4100))), danach);
  }

  // The release list in the list window: pale items, "alle" and "keine".
  void freigabemodus() {
    Adressenliste.FreigabelisteAufbauen(100 * davo::app::CurrencyEins, 0, "Pacht");
    QString titel, vorher, nachKeine, nachAlle, nachKlick, text;
    bool gitter = true, sortierung = true, speichern = false;
    bool ergebnis = false;
    AmModalenFenster([&](QWidget* modal) {
      titel = modal->windowTitle();
      gitter = Kind<QTableWidget>(modal, QStringLiteral("StringGrid1"))->isVisible();
      sortierung = Kind<QWidget>(modal, QStringLiteral("RGsortierung"))->isVisible();
      speichern = Kind<QPushButton>(modal, QStringLiteral("BitBtn2"))->isEnabled();
      QListView* l = Liste(modal);
      text = l->model()->data(l->model()->index(2, 0)).toString();
      vorher = Marken(l);
      Klicke(modal, QStringLiteral("ChkKeine"));
      nachKeine = Marken(l);
      // A click on the pale item's box checks nothing.
      for (int r : {1, 2}) {
        const QRect rect = l->visualRect(l->model()->index(r, 0));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          QPoint(rect.left() + rect.height() / 2, rect.center().y()));
      }
      nachKlick = Marken(l);
      Klicke(modal, QStringLiteral("ChkAlle"));
      nachAlle = Marken(l);
      Klicke(modal, QStringLiteral("BitBtn2"));
    });
    ergebnis = davo::payout::FreigabeFenster();
    QCOMPARE(titel, QStringLiteral("  3 Adressen wurden in der Adressenverwaltung für eine Überweisung freigegeben!"));
    QVERIFY(!gitter && !sortierung && speichern);
    QCOMPARE(text,
             QStringLiteral("       50,00;Maria Mueller ;BYLADEM1001;DE44 5001 0517 5407 3249 31;Pacht;00001.00003"));
    QCOMPARE(vorher, QStringLiteral("x-x"));
    QCOMPARE(nachKeine, QStringLiteral(".-."));
    QCOMPARE(nachKlick, QStringLiteral(".-x"));
    QCOMPARE(nachAlle, QStringLiteral("x-x"));
    QVERIFY(ergebnis);
    QVERIFY(Adressenliste.Freigabe[0].Markiert && !Adressenliste.Freigabe[1].Markiert);
  }

  // 100,000 items are a model behind the view, not widgets.
  void grosseListe() {
    Adressenliste.FreigabelisteAufbauen(0, 0, "");
    davo::payout::Freigabeposten p;
    p.Text = "      100,00;Name ;GENODEF1ABC;DE02 5001 0517 0137 0750 30;Pacht;00001.00001";
    p.Trenner = {12, 18, 30, 58, 64};
    p.Aktiv = p.Markiert = true;
    Adressenliste.Freigabe.assign(100000, p);
    int zeilen = 0, kinder = 0;
    QString letzte;
    AmModalenFenster([&](QWidget* modal) {
      QListView* l = Liste(modal);
      zeilen = l->model()->rowCount();
      kinder = int(l->findChildren<QWidget*>().size());
      Klicke(modal, QStringLiteral("ChkKeine"));
      letzte = l->model()->data(l->model()->index(99999, 0), Qt::CheckStateRole).toInt() == Qt::Checked ? "x" : ".";
      Klicke(modal, QStringLiteral("BitBtn3"));
    });
    QVERIFY(!davo::payout::FreigabeFenster());
    QCOMPARE(zeilen, 100000);
    QVERIFY2(kinder < 20, qPrintable(QString::number(kinder)));
    QCOMPARE(letzte, QStringLiteral("."));
  }

  // From the button to the files: the list, the questions, the chooser; the
  // run counter is saved at once and stays when the window closes.
  void sepaKnopf() {
    SchreibeEinstellungen(1, 3);
    fenster->show();
    Kind<QLineEdit>(fenster.get(), QStringLiteral("LabeledEdit7"))->setText(QStringLiteral("100,00"));
    QString listentitel;
    AmModalenFenster([&](QWidget* modal) {
      listentitel = modal->windowTitle();
      Klicke(modal, QStringLiteral("BitBtn2"));
    });
    dialoge->Antworten = {davo::app::FrageErgebnis::Ja, davo::app::FrageErgebnis::Ja};
    dialoge->Auswahlen = {3};
    Klicke(fenster.get(), QStringLiteral("Button4"));
    QCOMPARE(listentitel,
             QStringLiteral("  3 Adressen wurden in der Adressenverwaltung für eine Überweisung freigegeben!"));
    const QStringList dateien = QDir(ordner->filePath(QStringLiteral("sepa"))).entryList(QDir::Files, QDir::Name);
    QCOMPARE(dateien, (QStringList{"SEPA-JG-00004-2026-12-02T090000.csv", "SEPA-JG-00004-2026-12-02T090000.xml"}));
    const std::filesystem::path xml = davo::gui::FsPfad(ordner->filePath(QStringLiteral("sepa/") + dateien[1]));
    QCOMPARE(QString::fromStdString(SchemaFehler(xml, "pain.001.001.03")), QString());
    QCOMPARE(Lauf(Einstellungen()), 4);
    QVERIFY(Meldungen(*dialoge).isEmpty());

    // A run made meanwhile elsewhere is not undone by closing the window.
    SchreibeEinstellungen(1, 7);
    fenster->close();
    QCOMPARE(Lauf(Einstellungen()), 7);
  }

  // The ordering party is checked before the list opens.
  void falscherAuftraggeber() {
    SchreibeEinstellungen(0, 3);
    fenster->show();
    Kind<QLineEdit>(fenster.get(), QStringLiteral("LabeledEdit5"))->setText(QStringLiteral("DE44 5001"));
    int geoeffnet = 0;
    davo::payout::FreigabeFenster = [&geoeffnet] { return ++geoeffnet > 0; };
    Klicke(fenster.get(), QStringLiteral("Button4"));
    QCOMPARE(geoeffnet, 0);
    QCOMPARE(Meldungen(*dialoge).size(), 1);
    QVERIFY(Meldungen(*dialoge)[0].startsWith(QStringLiteral("Die IBAN des Auftraggebers ist nicht plausibel")));
    fenster->close();
    davo::payout::FreigabeFenster = nullptr;
  }
};

QTEST_MAIN(TestFreigabe)
#include "test_freigabe.moc"
