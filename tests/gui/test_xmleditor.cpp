// The XML viewer window: its controls, tree and rows as views over the core
// model (replaced by each import), the level guard's message after the tree,
// the search, the file name kept in the configuration, and the menu command.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "app/DU_HauptmenueKolvar3.h"
#include "app/Hauptmenue.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "letters/DU_xmlEditor.h"
#include "letters/XmlEditorEinrichten.h"
#include "support/SkriptDialoge.h"

using davo::gui::TxmlEditor;
using namespace davo::test;

namespace {

QTreeView* Baum(const QWidget* fenster) { return Kind<QTreeView>(fenster, "TreeView1"); }
QLineEdit* Pfadfeld(const QWidget* fenster) { return Kind<QLineEdit>(fenster, "LabeledEdit1"); }

// The tree as the view's model holds it, a node a line, two blanks per level.
void Zeilen(const QAbstractItemModel* m, const QModelIndex& eltern, int ebene, QStringList& aus) {
  for (int z = 0; z < m->rowCount(eltern); ++z) {
    const QModelIndex i = m->index(z, 0, eltern);
    aus << QString(2 * ebene, QLatin1Char(' ')) + i.data().toString();
    Zeilen(m, i, ebene + 1, aus);
  }
}

QStringList Knoten(const QWidget* fenster) {
  QStringList aus;
  Zeilen(Baum(fenster)->model(), QModelIndex(), 0, aus);
  return aus;
}

QStringList Rasterzeilen(const QWidget* fenster) {
  const QAbstractItemModel* m = Kind<QTableView>(fenster, "StringGrid1")->model();
  QStringList aus;
  for (int z = 0; z < m->rowCount(); ++z)
    aus << m->index(z, 0).data().toString() + "|" + m->index(z, 1).data().toString();
  return aus;
}

}  // namespace

class TestXmlEditor : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<SkriptDialoge> dialoge;
  std::unique_ptr<TxmlEditor> fenster;

  QString Datei(const QString& name, const QByteArray& inhalt) {
    const QString pfad = ordner->filePath(name);
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly)) qFatal("%s nicht anlegbar", qPrintable(pfad));
    f.write(inhalt);
    return pfad;
  }

  void Importiere(const QString& pfad) {
    Pfadfeld(fenster.get())->setText(pfad);
    Klicke(fenster.get(), "BitBtn2");
  }

 private slots:
  void init() {
    QVERIFY(Einrichten(ordner, dialoge));
    fenster = std::make_unique<TxmlEditor>();
  }

  void cleanup() {
    fenster.reset();
    KeineOffenenDialoge(*dialoge);
    Abbauen(ordner, dialoge);
  }

  void steuerelemente_data() {
    const Steuerelementzeile zeilen[] = {
        {"xmlEditor", "davo::gui::TxmlEditor", "XML-Editor"},
        {"LabeledEdit1", "QLineEdit", "xml-Dateiname"},
        {"BitBtn1", "QPushButton", "Datei wählen"},
        {"TreeView1", "QTreeView", ""},
        {"StringGrid1", "QTableView", ""},
        {"BitBtn2", "QPushButton", "Datei importieren"},
        {"SuchBtn", "QPushButton", "Suchen"},
    };
    Steuerelementzeilen(zeilen);
  }

  void steuerelemente() { PruefeSteuerelement(fenster.get()); }

  // Each import replaces tree and rows; a missing file keeps them. Control
  // characters show as their symbols, UTF-8 letters byte by byte.
  void importErsetztBaumUndZeilen() {
    QAbstractItemModelTester baum(&fenster->Baum(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester raster(&fenster->Zeilen(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(Knoten(fenster.get()).isEmpty());

    const QString a = Datei(QStringLiteral("a.xml"), "<a><b>1</b></a>\n<c/>");
    Importiere(a);
    QCOMPARE(Knoten(fenster.get()),
             (QStringList{a, "  <a>  ", "    <b>  1", "    </b>  ", QStringLiteral("  </a>  \u240A")}));
    QCOMPARE(Rasterzeilen(fenster.get()), QStringList{QStringLiteral("0|<a><b>1</b></a>\u240A<c/>")});
    const QModelIndex wurzel = Baum(fenster.get())->model()->index(0, 0);
    QVERIFY(Baum(fenster.get())->isExpanded(wurzel));
    QVERIFY(Baum(fenster.get())->isExpanded(Baum(fenster.get())->model()->index(0, 0, wurzel)));

    const QString b = Datei(QStringLiteral("b.xml"), QByteArray("<n>M\xC3\xBCller</n><x>") + QByteArray(50, '-'));
    Importiere(b);
    QCOMPARE(Knoten(fenster.get()), (QStringList{b, QStringLiteral("  <n>  MÃ¼ller"), "  </n>  "}));
    QCOMPARE(Rasterzeilen(fenster.get()).size(), 2);

    Importiere(ordner->filePath(QStringLiteral("fehlt.xml")));
    QCOMPARE(Knoten(fenster.get()).size(), 3);
    QCOMPARE(Meldungen(*dialoge),
             QStringList{" xml-Datei \"" + ordner->filePath(QStringLiteral("fehlt.xml")) + "\" nicht gefunden!"});
  }

  // The tree up to the tag that would lie too deep is shown, then the message.
  void ebenengrenze() {
    Importiere(Datei(QStringLiteral("tief.xml"), QByteArray("<a>").repeated(102)));
    QCOMPARE(Knoten(fenster.get()).size(), 101);
    QCOMPARE(dialoge->Meldungen.size(), std::size_t(1));
    QVERIFY(Meldungen(*dialoge)[0].startsWith(QStringLiteral("Import abgebrochen bei Byte 300: ")));
  }

  void sucheSpringtZumNaechstenKnoten() {
    Importiere(Datei(QStringLiteral("s.xml"), "<Nm>Anna</Nm><Nm>Bernd</Nm><Nm>M\xC3\xBCller</Nm><x>"));
    QLineEdit* suche = Kind<QLineEdit>(fenster.get(), "SuchEdit");
    const auto suchen = [&](const QString& text) {
      suche->setText(text);
      QTest::keyClick(suche, Qt::Key_Return);
      return Baum(fenster.get())->currentIndex().data().toString();
    };
    QCOMPARE(suchen(QStringLiteral("bernd")), QStringLiteral("<Nm>  Bernd"));
    QCOMPARE(suchen(QStringLiteral("</NM>")), QStringLiteral("</Nm>  "));
    QCOMPARE(suchen(QStringLiteral("müller")), QStringLiteral("<Nm>  MÃ¼ller"));  // as the UTF-8 file holds it
    QCOMPARE(suchen(QStringLiteral("fehlt")), QStringLiteral("<Nm>  MÃ¼ller"));
    QCOMPARE(Meldungen(*dialoge), QStringList{QStringLiteral("\"fehlt\" wurde im Baum nicht gefunden.")});
  }

  // Opening shows XmlDatei when the edit is empty; "Datei wählen" and closing
  // keep the name in the configuration file.
  void dateinameInDerKonfiguration() {
    davo::app::Konfiguration.SetzeXmlDatei("c:\\zq-soft\\alt.xml");
    fenster->show();
    QCOMPARE(Pfadfeld(fenster.get())->text(), QStringLiteral("c:\\zq-soft\\alt.xml"));

    const QString neu = ordner->filePath(QStringLiteral("neu.xml"));
    dialoge->WaehleDatei(neu.toStdString());
    Klicke(fenster.get(), "BitBtn1");
    QCOMPARE(dialoge->Dateidialoge.at(0).Filter, std::string("xml-Datei|*.xml|alle Dateien|*.*"));
    QCOMPARE(dialoge->Dateidialoge.at(0).StartOrdner, std::string("c:\\ZQ-soft"));
    QCOMPARE(Pfadfeld(fenster.get())->text(), neu);
    QCOMPARE(QString::fromStdString(davo::app::Konfiguration.XmlDatei()), neu);

    Pfadfeld(fenster.get())->setText(QStringLiteral("/anders.xml"));
    fenster->close();
    QCOMPARE(davo::app::Konfiguration.XmlDatei(), std::string("/anders.xml"));
    QVERIFY(QFile::exists(ordner->filePath(QStringLiteral("Davozedizarorevodo.KON"))));
  }

  // "SEPA" > "Sepadatei anzeigen" opens the one viewer, which keeps its tree.
  void menuebefehlZeigtDenViewer() {
    fenster.reset();
    davo::gui::TF_Kolvar3 haupt;
    davo::gui::XmlEditorEinrichten(haupt);
    davo::gui::XmlEditorEinrichten(haupt);
    QCOMPARE(haupt.findChildren<TxmlEditor*>().size(), 1);
    const QString adressen = Datei(QStringLiteral("Mitglieder.ADW"), QByteArray());
    davo::app::Konfiguration.SetzeAdressdatei(adressen.toStdString());
    const QString xml = Datei(QStringLiteral("a.xml"), "<a>1</a><b>");

    QStringList gezeigt;
    for (int mal = 0; mal < 2; ++mal) {
      AmModalenFenster([&](QWidget* w) {
        if (mal == 0) {
          Pfadfeld(w)->setText(xml);
          Klicke(w, "BitBtn2");
        }
        gezeigt = Knoten(w);
        w->close();
      });
      haupt.Menuepunkt(davo::app::Befehl::SepaAnzeigen)->trigger();
      QCOMPARE(gezeigt, (QStringList{xml, "  <a>  1", "  </a>  "}));
    }
  }
};

QTEST_MAIN(TestXmlEditor)
#include "test_xmleditor.moc"
