// The parcel window: its controls, the grid as a view over the parcel table
// (also for 300,000 rows), import, order, export and transfer through the
// buttons, paths that cannot be read, the preset path and the window that the
// main menu keeps between openings.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <string>

#include "addresses/Adresse.h"
#include "app/DU_HauptmenueKolvar3.h"
#include "app/Hauptmenue.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "parcels/DU_Flurstuecke.h"
#include "parcels/FlurstueckeEinrichten.h"
#include "support/SkriptDialoge.h"

using davo::gui::AusAnsi;
using davo::gui::Tf_Flurstuecke;
using davo::parcels::Flurstuecktabelle;
using namespace davo::test;

namespace {

// Windows-1252, CR LF: a parcel with two owners (1/2 each) and one with a
// single owner without a fraction.
const QByteArray Kataster =
    "Nr;Gemarkung;Flur;Flurst\xFC"
    "ck;Bejagdbarkeit;Fl\xE4"
    "che;Eigent\xFC"
    "mer 1;Eigent\xFC"
    "mer 2\r\n"
    "1;Feldheim;3;17/2;ZJEN;1234;a, b, c, 1/2, M\xFC"
    "ller, Hans, Dorfstra\xDF"
    "e 5, 31000 Feldheim;"
    "a, b, c, 1/2, Zander, Zita, Bergweg 1, 31000 Feldheim\r\n"
    "2;Feldheim;4;18;ZJEN;1000;a, b, c, Abel, Anna, Weg 2, 31001 Adorf\r\n";

// Columns 1 to 11 of the grid rows after importing Kataster, "|" between.
const QString Mueller =
    QStringLiteral("Feldheim|3|17/2|ZJEN|1234| 1/2|      617| Müller| Hans| Dorfstraße 5| 31000 Feldheim");
const QString Zander =
    QStringLiteral("Feldheim|3|17/2|ZJEN|1234| 1/2|      617| Zander| Zita| Bergweg 1| 31000 Feldheim");
const QString Abel = QStringLiteral("Feldheim|4|18|ZJEN|1000||     1000| Abel| Anna| Weg 2| 31001 Adorf");

const QStringList Titel = {QString(),
                           QStringLiteral("Gemarkung"),
                           QStringLiteral("Flur"),
                           QStringLiteral("Flurstück"),
                           QStringLiteral("Bejagdbarkeit"),
                           QStringLiteral("Fläche"),
                           QStringLiteral("Anteil"),
                           QStringLiteral("Anteilige Fläche"),
                           QStringLiteral("Nachname"),
                           QStringLiteral("Vorname"),
                           QStringLiteral("Straße"),
                           QStringLiteral("Ort"),
                           QString(),
                           QStringLiteral("Geburtstag"),
                           QStringLiteral("Geb.Name"),
                           QString(),
                           QString(),
                           QString(),
                           QString(),
                           QString()};

QTableView* Raster(const QWidget* fenster) { return Kind<QTableView>(fenster, "StringGrid1"); }
QLineEdit* Pfadfeld(const QWidget* fenster) { return Kind<QLineEdit>(fenster, "LabeledEdit1"); }

// Columns 1 to 11 of a grid row as the model shows them.
QString Zeile(const QAbstractItemModel* modell, int zeile) {
  QStringList zellen;
  for (int c = 1; c <= 11; ++c) zellen << modell->index(zeile, c).data().toString();
  return zellen.join(QLatin1Char('|'));
}

QStringList Zeilen(const QAbstractItemModel* modell) {
  QStringList zeilen;
  for (int r = 0; r < modell->rowCount(); ++r) zeilen << Zeile(modell, r);
  return zeilen;
}

QStringList Kopf(const QAbstractItemModel* modell) {
  QStringList kopf;
  for (int c = 0; c < modell->columnCount(); ++c) kopf << modell->headerData(c, Qt::Horizontal).toString();
  return kopf;
}

// Notes which rows of the model a view asks to paint.
class Zaehler : public QIdentityProxyModel {
 public:
  mutable std::set<int> zeilen;
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::DisplayRole) zeilen.insert(index.row());
    return QIdentityProxyModel::data(index, role);
  }
};

}  // namespace

class TestFlurstuecke : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<davo::test::SkriptDialoge> dialoge;
  std::unique_ptr<Tf_Flurstuecke> fenster;

  QString SchreibeKataster(const QString& name = QStringLiteral("kataster.csv")) {
    const QString pfad = ordner->filePath(name);
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly)) qFatal("%s nicht anlegbar", qPrintable(pfad));
    f.write(Kataster);
    return pfad;
  }

  // Chooses the file through "CSV-Datei auswählen" and imports it.
  void Importiere(const QString& pfad) {
    dialoge->WaehleDatei(pfad.toStdString());
    Klicke(fenster.get(), "BitBtn1");
    Klicke(fenster.get(), "BitBtn2");
  }

  const QAbstractItemModel* Modell() const { return Raster(fenster.get())->model(); }

 private slots:
  void init() {
    QVERIFY(Einrichten(ordner, dialoge));
    davo::app::HomeOrdnerFuerTests = davo::gui::FsPfad(ordner->filePath(QStringLiteral("home")));
    QVERIFY(QDir(ordner->path()).mkdir(QStringLiteral("home")));
    fenster = std::make_unique<Tf_Flurstuecke>();
  }

  void cleanup() {
    fenster.reset();
    KeineOffenenDialoge(*dialoge);
    Abbauen(ordner, dialoge);
  }

  void steuerelemente_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("klasse");
    QTest::addColumn<QString>("beschriftung");
    QTest::newRow("Fenster") << "f_Flurstuecke"
                             << "davo::gui::Tf_Flurstuecke"
                             << "Flurstücke";
    QTest::newRow("Pfad") << "LabeledEdit1"
                          << "QLineEdit"
                          << "CSV-Datei zum Importieren von Flurstücken";
    QTest::newRow("Auswählen") << "BitBtn1"
                               << "QPushButton"
                               << "CSV-Datei auswählen";
    QTest::newRow("Raster") << "StringGrid1"
                            << "QTableView"
                            << "";
    QTest::newRow("Importieren") << "BitBtn2"
                                 << "QPushButton"
                                 << "Datei importieren";
    QTest::newRow("Sortieren") << "BitBtn3"
                               << "QPushButton"
                               << "Sortieren";
    QTest::newRow("Export") << "BitBtn4"
                            << "QPushButton"
                            << "Exportdatei schreiben";
    QTest::newRow("Übertragen") << "ImportBtn"
                                << "QPushButton"
                                << "Tabelle in Adressendatei  importieren";
  }

  void steuerelemente() { PruefeSteuerelement(fenster.get()); }

  // Before any import: the empty table of 13 columns and 5 rows (4 below the
  // titles), no titles, nothing asked; the model passes Qt's checks.
  void vorDemImport() {
    QAbstractItemModelTester pruefer(&fenster->Modell(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(Modell()->rowCount(), 4);
    QCOMPARE(Modell()->columnCount(), 13);
    QCOMPARE(Kopf(Modell()), QStringList(13, QString()));
    QCOMPARE(Zeilen(Modell()), QStringList(4, QStringLiteral("||||||||||")));
    QVERIFY(Pfadfeld(fenster.get())->text().endsWith(QStringLiteral("Jagdkataster-Beispiel.csv")));
    QVERIFY(dialoge->Meldungen.empty());
    QVERIFY(dialoge->Dateidialoge.empty());
  }

  // The sample is found in the program folder or up to three folders above,
  // or in the data folder of an installed package.
  void beispielpfad_data() {
    QTest::addColumn<QString>("programmOrdner");
    QTest::addColumn<QString>("ablage");
    QTest::addColumn<bool>("gefunden");
    const QString quelle = QStringLiteral("beispiele");
    const QString paket = QStringLiteral("usr/share/zq-davozedizarorevodo/beispiele");
    QTest::newRow("im Programmordner") << "" << quelle << true;
    QTest::newRow("eine Stufe") << "build" << quelle << true;
    QTest::newRow("drei Stufen") << "build/gui/Debug" << quelle << true;
    QTest::newRow("vier Stufen") << "build/gui/Debug/x" << quelle << false;
    QTest::newRow("Paket") << "usr/bin" << paket << true;
    QTest::newRow("Paket, anderer Ordner") << "usr/lib" << paket << true;
    QTest::newRow("Paket, zu tief") << "usr/bin/x" << paket << false;
  }

  void beispielpfad() {
    QFETCH(QString, programmOrdner);
    QFETCH(QString, ablage);
    QFETCH(bool, gefunden);
    QDir wurzel(ordner->filePath(QStringLiteral("quelle")));
    QVERIFY(wurzel.mkpath(ablage));
    QVERIFY(wurzel.mkpath(programmOrdner.isEmpty() ? QStringLiteral(".") : programmOrdner));
    QFile beispiel(wurzel.filePath(ablage + QStringLiteral("/Jagdkataster-Beispiel.csv")));
    QVERIFY(beispiel.open(QIODevice::WriteOnly));
    beispiel.close();

    const QString pfad = davo::gui::Beispielkataster(wurzel.filePath(programmOrdner));
    if (gefunden)
      QCOMPARE(QDir::fromNativeSeparators(pfad), QDir::cleanPath(beispiel.fileName()));
    else
      QCOMPARE(pfad, QStringLiteral("beispiele/Jagdkataster-Beispiel.csv"));
  }

  // The file dialog is offered with the cadastre filter and the path box's
  // text; the chosen file lands in the box and its owners in the grid.
  void importieren_data() {
    QTest::addColumn<int>("zeile");
    QTest::addColumn<QString>("zellen");
    QTest::newRow("erster Eigentümer") << 0 << Mueller;
    QTest::newRow("Miteigentümer mit den Daten des Flurstücks") << 1 << Zander;
    QTest::newRow("Alleineigentümer ohne Bruch") << 2 << Abel;
  }

  void importieren() {
    QFETCH(int, zeile);
    QFETCH(QString, zellen);
    const QString vorher = Pfadfeld(fenster.get())->text();
    const QString pfad = SchreibeKataster();
    Importiere(pfad);

    QCOMPARE(dialoge->Dateidialoge.size(), std::size_t(1));
    QCOMPARE(dialoge->Dateidialoge[0].Filter, std::string(davo::parcels::FilterKataster));
    QCOMPARE(AusAnsi(dialoge->Dateidialoge[0].Dateiname), vorher);
    QCOMPARE(Pfadfeld(fenster.get())->text(), pfad);
    QVERIFY(dialoge->Meldungen.empty());
    QCOMPARE(Modell()->rowCount(), 3);
    QCOMPARE(Modell()->columnCount(), 20);
    QCOMPARE(Zeile(Modell(), zeile), zellen);
    QCOMPARE(Modell()->index(zeile, 0).data().toString(), QString());
    QCOMPARE(Kind<QLabel>(fenster.get(), QStringLiteral("StatusLabel"))->text(),
             QStringLiteral("2 Flurstückszeilen mit 3 Eigentümern eingelesen."));
  }

  // The titles row is the grid's header; Qt's checks hold across the reset.
  void spaltentitel() {
    QAbstractItemModelTester pruefer(&fenster->Modell(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    Importiere(SchreibeKataster());
    QCOMPARE(Kopf(Modell()), Titel);
    QCOMPARE(Raster(fenster.get())->verticalHeader()->count(), 3);
    QCOMPARE(Raster(fenster.get())->horizontalHeader()->count(), 20);
  }

  void sortieren() {
    Importiere(SchreibeKataster());
    QCOMPARE(Zeilen(Modell()), (QStringList{Mueller, Zander, Abel}));
    Klicke(fenster.get(), "BitBtn3");
    QCOMPARE(Zeilen(Modell()), (QStringList{Abel, Mueller, Zander}));
    QCOMPARE(Kopf(Modell()), Titel);
  }

  // Cells cannot be edited; a range of cells can be selected; columns start
  // 150 wide and can be resized.
  void raster() {
    Importiere(SchreibeKataster());
    QTableView* raster = Raster(fenster.get());
    fenster->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenster.get()));

    const QModelIndex zelle = Modell()->index(1, 8);
    QVERIFY(!(Modell()->flags(zelle) & Qt::ItemIsEditable));
    QTest::mouseDClick(raster->viewport(), Qt::LeftButton, {}, raster->visualRect(zelle).center());
    QTest::keyClick(raster->viewport(), Qt::Key_F2);
    QVERIFY(raster->viewport()->findChildren<QLineEdit*>().isEmpty());
    QCOMPARE(zelle.data().toString(), QStringLiteral(" Zander"));

    QTest::mouseClick(raster->viewport(), Qt::LeftButton, {}, raster->visualRect(Modell()->index(0, 8)).center());
    QTest::mouseClick(raster->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      raster->visualRect(Modell()->index(2, 10)).center());
    QCOMPARE(raster->selectionModel()->selectedIndexes().size(), 9);

    QHeaderView* spalten = raster->horizontalHeader();
    QCOMPARE(spalten->sectionSize(3), 150);
    QCOMPARE(spalten->sectionResizeMode(3), QHeaderView::Interactive);
  }

  // Titles and rows in the grid's order, into e:\Jagd in the home folder.
  void exportdatei() {
    Importiere(SchreibeKataster());
    Klicke(fenster.get(), "BitBtn3");
    Klicke(fenster.get(), "BitBtn4");
    QVERIFY(dialoge->Meldungen.empty());

    QFile datei(ordner->filePath(QStringLiteral("home/Jagd/Flurstuecke-export.csv")));
    QVERIFY(datei.open(QIODevice::ReadOnly));
    QList<QByteArray> zeilen = datei.readAll().split('\n');
    QCOMPARE(zeilen.size(), 5);
    QCOMPARE(zeilen.takeLast(), QByteArray());
    QCOMPARE(zeilen[0], QByteArray(";Gemarkung;Flur;Flurst\xFC"
                                   "ck;Bejagdbarkeit;Fl\xE4"
                                   "che;Anteil;Anteilige Fl\xE4"
                                   "che;Nachname;Vorname;Stra\xDF"
                                   "e;Ort;;Geburtstag;Geb.Name;\r"));
    QList<QByteArray> namen;
    for (const QByteArray& zeile : zeilen.mid(1)) namen << zeile.split(';').value(8);
    QCOMPARE(namen, (QList<QByteArray>{" Abel",
                                       " M\xFC"
                                       "ller",
                                       " Zander"}));
  }

  void eingeleseneDatei_data() {
    QTest::addColumn<QString>("knopf");
    QTest::newRow("Export") << "BitBtn4";
    QTest::newRow("Übertragen") << "ImportBtn";
  }

  // The cadastre read is neither the export nor the address file: the
  // command is refused and the file stays as it was.
  void eingeleseneDatei() {
    QFETCH(QString, knopf);
    QVERIFY(QDir(ordner->path()).mkpath(QStringLiteral("home/Jagd")));
    const QString pfad = SchreibeKataster(QStringLiteral("home/Jagd/Flurstuecke-export.csv"));
    davo::app::Konfiguration.SetzeAdressdatei(pfad.toStdString());
    Importiere(pfad);
    Klicke(fenster.get(), knopf.toLatin1().constData());
    QCOMPARE(dialoge->Meldungen.size(), std::size_t{1});
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::ReadOnly));
    QCOMPARE(datei.readAll(), Kataster);
  }

  // One record per owner appended to the active address file.
  void uebertragen() {
    const QString adressdatei = ordner->filePath(QStringLiteral("Eigner.ADW"));
    QVERIFY(SchreibeAdressdatei(adressdatei, {}));
    davo::app::Konfiguration.SetzeAdressdatei(adressdatei.toStdString());
    davo::app::AktAdrBasis = ordner->filePath(QStringLiteral("Eigner")).toStdString();

    Importiere(SchreibeKataster());
    Klicke(fenster.get(), "ImportBtn");
    QCOMPARE(Meldungen(*dialoge), QStringList{QStringLiteral("Import abgeschlossen!")});

    QFile datei(adressdatei);
    QVERIFY(datei.open(QIODevice::ReadOnly));
    const QByteArray inhalt = datei.readAll();
    constexpr qsizetype Satz = qsizetype(davo::addresses::TAdresse::Groesse);
    QCOMPARE(inhalt.size(), 3 * Satz);
    QStringList namen;
    QList<qint64> flaechen;
    for (qsizetype i = 0; i < inhalt.size(); i += Satz) {
      davo::addresses::TAdresse a;
      std::copy_n(inhalt.constData() + i, Satz, reinterpret_cast<char*>(a.bytes.data()));
      namen << AusAnsi(a.Text(davo::addresses::Name1));
      flaechen << qint64(a.Flaeche());
    }
    QCOMPARE(namen,
             (QStringList{QStringLiteral("Hans Müller"), QStringLiteral("Zita Zander"), QStringLiteral("Anna Abel")}));
    QCOMPARE(flaechen, (QList<qint64>{617, 617, 1000}));
    QCOMPARE(Kind<QLabel>(fenster.get(), QStringLiteral("StatusLabel"))->text(),
             QStringLiteral("3 Eigentümer wurden an die Adressendatei angehängt."));
    QCOMPARE(Modell()->rowCount(), 3);
  }

  // A path that cannot be read gets one message and leaves the grid alone.
  void pfadFehler_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("fehlende Datei") << "fehlt.csv"
                                    << "Datei %1/fehlt.csv nicht gefunden";
    QTest::newRow("Zeichen außerhalb von Windows-1252")
        << "Кадастр.csv"
        << "Der Pfad %1/???????.csv enthält Zeichen, die das Programm nicht speichern kann. Bitte wählen Sie "
           "einen Ordner und einen Dateinamen ohne solche Zeichen.";
  }

  void pfadFehler() {
    QFETCH(QString, name);
    QFETCH(QString, meldung);
    Importiere(SchreibeKataster());
    Klicke(fenster.get(), "BitBtn3");
    const QStringList vorher = Zeilen(Modell());

    Pfadfeld(fenster.get())->setText(ordner->filePath(name));
    Klicke(fenster.get(), "BitBtn2");
    QCOMPARE(Meldungen(*dialoge), QStringList{meldung.arg(ordner->path())});
    QCOMPARE(Zeilen(Modell()), vorher);
    QCOMPARE(Kopf(Modell()), Titel);
  }

  // 300,000 owners: the grid asks only for the rows it shows, at the top and
  // after a jump to the end.
  void grosseTabelle() {
    constexpr int Anzahl = 300000;
    QTableView* raster = Raster(fenster.get());
    Zaehler zaehler;
    zaehler.setSourceModel(&fenster->Modell());
    raster->setModel(&zaehler);

    fenster->Modell().Veraendern([](Flurstuecktabelle& t) {
      t.SetzeSpaltenzahl(Flurstuecktabelle::MaxSpalten);
      t.SetzeZeilenzahl(Anzahl + 1);
      std::array<std::string_view, Flurstuecktabelle::MaxSpalten> zellen{};
      for (int c = 0; c < Flurstuecktabelle::MaxSpalten; ++c) zellen[std::size_t(c)] = davo::parcels::Spaltentitel[c];
      t.SetzeZeile(0, zellen);
      zellen = {};
      zellen[davo::parcels::Gemarkung] = "Feldheim";
      for (int r = 1; r <= Anzahl; ++r) {
        const std::string name = "Eigner " + std::to_string(r);
        zellen[davo::parcels::Nachname] = name;
        t.SetzeZeile(r, zellen);
      }
    });
    QCOMPARE(zaehler.rowCount(), Anzahl);
    QVERIFY(zaehler.zeilen.empty());

    fenster->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenster.get()));
    QTRY_VERIFY(!zaehler.zeilen.empty());
    QCOMPARE(*zaehler.zeilen.begin(), 0);
    QVERIFY2(*zaehler.zeilen.rbegin() < 100, qPrintable(QString::number(*zaehler.zeilen.rbegin())));

    zaehler.zeilen.clear();
    raster->scrollToBottom();
    QTRY_VERIFY(zaehler.zeilen.count(Anzahl - 1) == 1);
    QVERIFY2(*zaehler.zeilen.begin() > Anzahl - 100, qPrintable(QString::number(*zaehler.zeilen.begin())));
    QCOMPARE(zaehler.index(Anzahl - 1, davo::parcels::Nachname).data().toString(), QStringLiteral("Eigner 300000"));
    QCOMPARE(zaehler.headerData(davo::parcels::Nachname, Qt::Horizontal).toString(), QStringLiteral("Nachname"));
  }

  // The main menu shows the one window; its table survives closing it.
  void fensterBleibtBestehen() {
    fenster.reset();
    davo::gui::TF_Kolvar3 haupt;
    davo::gui::FlurstueckeEinrichten(haupt);
    davo::gui::FlurstueckeEinrichten(haupt);
    QCOMPARE(haupt.findChildren<Tf_Flurstuecke*>().size(), 1);
    QAction* punkt = haupt.Menuepunkt(davo::app::Befehl::FlurstueckeEinlesen);
    QVERIFY(punkt);

    const QString pfad = SchreibeKataster();
    QString titel;
    AmModalenFenster([&](QWidget* w) {
      titel = w->objectName();
      Pfadfeld(w)->setText(pfad);
      Klicke(w, "BitBtn2");
      w->close();
    });
    punkt->trigger();
    QCOMPARE(titel, QStringLiteral("f_Flurstuecke"));

    QStringList gezeigt;
    AmModalenFenster([&](QWidget* w) {
      gezeigt = Zeilen(Raster(w)->model());
      w->close();
    });
    punkt->trigger();
    QCOMPARE(gezeigt, (QStringList{Mueller, Zander, Abel}));
  }
};

QTEST_MAIN(TestFlurstuecke)
#include "test_flurstuecke.moc"
