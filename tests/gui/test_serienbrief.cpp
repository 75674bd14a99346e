// The form-letter window: its controls, the list of owners it keeps in order,
// letters for the current owner and for the list (one job each, after the
// question), the printed list, and the windows opened from the main menu.

#include <QCheckBox>
#include <QFile>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "app/DU_Einstdruck.h"
#include "app/DU_HauptmenueKolvar3.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "gui/PdfDrucker.h"
#include "letters/DU_Serienbrief.h"
#include "letters/SerienbriefEinrichten.h"
#include "printing/Druck.h"
#include "printing/QtDrucker.h"
#include "support/SkriptDialoge.h"

using davo::app::FrageErgebnis;
using davo::gui::TF_Serienbrief;
using namespace davo::test;

namespace {

struct Eigentuemer {
  const char *sortierung, *name1, *name2, *strasse, *ort;
  int gruppe;
};

// Records 0 .. 2 (cp1252); the list orders them Abel, Bach, Müller.
const Eigentuemer Bestand[] = {
    {"Bach, Bernd", "Bernd Bach", "", "Allee 2", "Bdorf", 0},
    {"Abel, Anna", "Anna Abel", "Hof", "Weg 1", "Adorf", 3},
    {"M\xFCller, Carl", "Carl M\xFCller", "Zusatz", "Ring 3", "Cdorf", 0},
};

QString Name(int nr) { return davo::gui::AusAnsi(Bestand[nr].name1); }

}  // namespace

class TestSerienbrief : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<davo::test::SkriptDialoge> dialoge;
  std::unique_ptr<davo::gui::TF_einstDruck> einstellungen;
  std::unique_ptr<davo::gui::QtDrucker> drucker;
  std::unique_ptr<TF_Serienbrief> fenster;
  QStringList auftraege;

  QString Pfad(const char* name) const { return ordner->filePath(QString::fromLatin1(name)); }
  QListWidget* Liste() const { return Kind<QListWidget>(fenster.get(), "ListBox1"); }
  void Klicke(const char* knopf) { davo::test::Klicke(fenster.get(), knopf); }

  // The record numbers (from 1) at the end of the lines shown.
  QList<int> Nummern() const {
    QList<int> n;
    for (int i = 0; i < Liste()->count(); ++i) n << Liste()->item(i)->text().section(QLatin1Char(' '), -1).toInt();
    return n;
  }

  void Einfuegen(const QList<int>& nummern) {
    for (int nr : nummern) {
      QVERIFY(davo::addresses::AdresseLesen(nr));
      Klicke("EinfuegenBtn");
    }
  }

  // The names in the letters handed on, in order.
  QStringList Briefe() const {
    QStringList namen;
    for (const QString& auftrag : auftraege) {
      const qsizetype von = auftrag.indexOf(QStringLiteral("Herrn "));
      namen << (von < 0 ? QStringLiteral("?") : auftrag.mid(von + 6, auftrag.indexOf(QLatin1Char(','), von) - von - 6));
    }
    return namen;
  }

 private slots:
  void init() {
    QVERIFY(Einrichten(ordner, dialoge));

    std::vector<davo::addresses::TAdresse> saetze;
    for (const Eigentuemer& e : Bestand) {
      davo::addresses::TAdresse& a = saetze.emplace_back();
      a.SetzeText(davo::addresses::Anrede, "Herrn");
      a.SetzeText(davo::addresses::Sortierung, e.sortierung);
      a.SetzeText(davo::addresses::Name1, e.name1);
      a.SetzeText(davo::addresses::Name2, e.name2);
      a.SetzeText(davo::addresses::Strasse, e.strasse);
      a.SetzeText(davo::addresses::Postfach, "PF 9");
      a.SetzeText(davo::addresses::Ort, e.ort);
      a.SetzeText(davo::addresses::Telefon, "0123");
      a.SetzeText(davo::addresses::Feld9, "F9");
      a.SetzeGruppe(static_cast<std::uint8_t>(e.gruppe));
    }
    QVERIFY(SchreibeAdressdatei(Pfad("Mitglieder.ADW"), saetze));
    davo::addresses::AdrDateiName = Pfad("Mitglieder.ADW").toStdString();
    davo::app::AktAdrBasis = Pfad("Mitglieder").toStdString();

    QFile vorlage(Pfad("brief.txt"));
    QVERIFY(vorlage.open(QIODevice::WriteOnly));
    vorlage.write(
        "Sehr geehrte(r) !ANRE !NAM1,\r\nmit freundlichen Gr\xFC\xDF"
        "en\r\n");
    vorlage.close();
    davo::app::Konfiguration.SetzeSerienbriefdatei(Pfad("brief.txt").toStdString());

    PdfDruckerEinrichten(einstellungen, drucker, Pfad("ausgabe.pdf"));
    AuftraegeMitschreiben(*drucker, auftraege);
    fenster = std::make_unique<TF_Serienbrief>();
    fenster->show();  // activation: the template path, the caption
  }

  void cleanup() {
    fenster.reset();
    drucker.reset();
    einstellungen.reset();
    Abbauen(ordner, dialoge);
  }

  void steuerelement_data() {
    const Steuerelementzeile zeilen[] = {
        {"Edit1", "QLineEdit", "Serienbriefdatei"},
        {"VorlageBtn", "QPushButton", "Serienbriefdatei wählen"},
        {"AdresseBtn", "QPushButton", "Adresse wählen"},
        {"Memo1", "QPlainTextEdit", "Aktuelle Adresse"},
        {"BriefBtn", "QPushButton", "Serienbrief für aktuelle Adresse drucken"},
        {"EinfuegenBtn", "QPushButton", "Adresse in Liste einfügen"},
        {"SpinEdit1", "QSpinBox", "Aktive Adressengruppe"},
        {"GruppeBtn", "QPushButton", "Adressengruppe in Adressenliste"},
        {"LeerenBtn", "QPushButton", "Adressenliste leeren"},
        {"ListBox1", "QListWidget", "Adressenliste "},
        {"LoeschenBtn", "QPushButton", "Zeile löschen"},
        {"BriefeBtn", "QPushButton", "Serienbriefe für  Adressenliste drucken"},
        {"ListeBtn", "QPushButton", "Adressenliste drucken"},
        {"EndeBtn", "QPushButton", "Ende"},
        {"VorschauCheck", "QCheckBox", "Vor dem Drucken Vorschau zeigen"},
        {"EinAuftragCheck", "QCheckBox", "Alle Briefe ohne Rückfrage in einem Druckauftrag"},
    };
    Steuerelementzeilen(zeilen);
  }

  void steuerelement() {
    QCOMPARE(fenster->objectName(), QStringLiteral("F_Serienbrief"));
    PruefeSteuerelement(fenster.get());
  }

  // Activation: caption with the address file, the template path, the group
  // range; "Ende" closes with OK.
  void aktivierung() {
    QCOMPARE(fenster->windowTitle(), QStringLiteral(" Serienbrief // ") + Pfad("Mitglieder.ADW"));
    QCOMPARE(Kind<QLineEdit>(fenster.get(), "Edit1")->text(), Pfad("brief.txt"));
    auto* gruppe = Kind<QSpinBox>(fenster.get(), "SpinEdit1");
    QCOMPARE(gruppe->minimum(), 0);
    QCOMPARE(gruppe->maximum(), 255);
    QVERIFY(Kind<QPlainTextEdit>(fenster.get(), "Memo1")->isReadOnly());
    QVERIFY(QFontInfo(Liste()->font()).fixedPitch());
    fenster->hide();
    AmModalenFenster([](QWidget* modal) {
      if (auto* ende = modal->findChild<QPushButton*>(QStringLiteral("EndeBtn"))) ende->click();
    });
    QCOMPARE(fenster->exec(), int(QDialog::Accepted));
  }

  // "Adresse wählen": the chosen owner's fields 1 to 9 except the sort name.
  void adresseWaehlen() {
    davo::addresses::AdrAuswahlFenster = [] {
      davo::addresses::AktAdrNr = 2;
      davo::addresses::GewaehlteAdrNr = 2;
      return true;
    };
    Klicke("AdresseBtn");
    QCOMPARE(Kind<QPlainTextEdit>(fenster.get(), "Memo1")->toPlainText(),
             QStringLiteral("Herrn\nCarl Müller\nZusatz\nRing 3\nPF 9\nCdorf\n0123\nF9"));
  }

  void listeInOrdnung_data() {
    QTest::addColumn<QList<int>>("eingefuegt");  // record numbers, in order
    QTest::addColumn<QList<int>>("gezeigt");     // numbers from 1, top to bottom
    QTest::newRow("in Dateifolge") << QList<int>{0, 1, 2} << QList<int>{2, 1, 3};
    QTest::newRow("rückwärts") << QList<int>{2, 1, 0} << QList<int>{2, 1, 3};
    QTest::newRow("doppelt") << QList<int>{1, 0, 1} << QList<int>{2, 2, 1};
  }

  // "Adresse in Liste einfügen" puts the current owner in alphabetical place.
  void listeInOrdnung() {
    QFETCH(QList<int>, eingefuegt);
    QFETCH(QList<int>, gezeigt);
    Einfuegen(eingefuegt);
    QCOMPARE(Nummern(), gezeigt);
  }

  void listeBearbeiten_data() {
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<int>("markiert");  // -1: no line selected
    QTest::addColumn<QList<int>>("bleibt");
    QTest::newRow("erste Zeile löschen") << "LoeschenBtn" << 0 << QList<int>{1, 3};
    QTest::newRow("letzte Zeile löschen") << "LoeschenBtn" << 2 << QList<int>{2, 1};
    QTest::newRow("ohne Markierung") << "LoeschenBtn" << -1 << QList<int>{2, 1, 3};
    QTest::newRow("leeren") << "LeerenBtn" << 1 << QList<int>{};
  }

  void listeBearbeiten() {
    QFETCH(QString, knopf);
    QFETCH(int, markiert);
    QFETCH(QList<int>, bleibt);
    Einfuegen({0, 1, 2});
    if (markiert >= 0) {
      QListWidgetItem* zeile = Liste()->item(markiert);
      QTest::mouseClick(Liste()->viewport(), Qt::LeftButton, {}, Liste()->visualItemRect(zeile).center());
      QVERIFY(zeile->isSelected());
    }
    Klicke(qPrintable(knopf));
    QCOMPARE(Nummern(), bleibt);
  }

  void gruppe_data() {
    QTest::addColumn<QList<int>>("vorher");
    QTest::addColumn<int>("gruppe");
    QTest::addColumn<QList<int>>("gezeigt");
    QTest::newRow("Gruppe 0") << QList<int>{} << 0 << QList<int>{1, 3};
    QTest::newRow("leere Gruppe") << QList<int>{} << 7 << QList<int>{};
    QTest::newRow("zu vorhandenen Zeilen") << QList<int>{1, 2} << 0 << QList<int>{2, 1, 3, 3};
  }

  // "Adressengruppe in Adressenliste" adds every owner of the group in the
  // spin field, without looking at lines already there.
  void gruppe() {
    QFETCH(QList<int>, vorher);
    QFETCH(int, gruppe);
    QFETCH(QList<int>, gezeigt);
    Einfuegen(vorher);
    Kind<QSpinBox>(fenster.get(), "SpinEdit1")->setValue(gruppe);
    Klicke("GruppeBtn");
    QCOMPARE(Nummern(), gezeigt);
    QCOMPARE(davo::addresses::AktAdrNr, 2);  // the walk ends on the last record
  }

  void briefeFuerListe_data() {
    QTest::addColumn<QList<int>>("antworten");  // FrageErgebnis per line
    QTest::addColumn<QList<bool>>("druckdialog");
    QTest::addColumn<QStringList>("briefe");
    const int ja = int(FrageErgebnis::Ja), nein = int(FrageErgebnis::Nein);
    QTest::newRow("alle") << QList<int>{ja, ja, ja} << QList<bool>{true, true, true}
                          << QStringList{Name(1), Name(0), Name(2)};
    QTest::newRow("Nein zur zweiten") << QList<int>{ja, nein, ja} << QList<bool>{true, true}
                                      << QStringList{Name(1), Name(2)};
    QTest::newRow("Frage geschlossen") << QList<int>{int(FrageErgebnis::Geschlossen), nein, ja} << QList<bool>{true}
                                       << QStringList{Name(2)};
    QTest::newRow("Druckdialog abgebrochen")
        << QList<int>{ja, ja, ja} << QList<bool>{false, true, false} << QStringList{Name(0)};
  }

  // One question per line in list order, one job per letter answered yes
  // whose print dialog was confirmed.
  void briefeFuerListe() {
    QFETCH(QList<int>, antworten);
    QFETCH(QList<bool>, druckdialog);
    QFETCH(QStringList, briefe);
    Einfuegen({0, 1, 2});
    for (int a : antworten) dialoge->Antworten.push_back(FrageErgebnis(a));
    for (bool d : druckdialog) dialoge->Druckantworten.push_back(d);
    Klicke("BriefeBtn");
    QStringList gefragt;
    for (const auto& f : dialoge->Fragen) {
      gefragt << davo::gui::AusAnsi(f.Oben);
      QCOMPARE(QString::fromStdString(f.Frage), QStringLiteral("Adresse drucken? "));
      QVERIFY(f.JaVorgewaehlt);
    }
    QCOMPARE(gefragt, (QStringList{Name(1), Name(0), Name(2)}));
    QCOMPARE(Briefe(), briefe);
    QCOMPARE(drucker->Auftraege(), int(briefe.size()));
    KeineOffenenDialoge(*dialoge);
  }

  // Checked (it starts unchecked): one question, one print dialog, one job
  // with a page per letter.
  void briefeInEinemAuftrag() {
    auto* check = Kind<QCheckBox>(fenster.get(), "EinAuftragCheck");
    QVERIFY(!check->isChecked());
    check->setChecked(true);
    Einfuegen({0, 1, 2});
    dialoge->Antworten.push_back(FrageErgebnis::Ja);
    dialoge->Druckantworten.push_back(true);
    Klicke("BriefeBtn");
    QCOMPARE(dialoge->Fragen.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(dialoge->Fragen[0].Frage), QStringLiteral("3 Briefe drucken?"));
    QCOMPARE(drucker->Auftraege(), 1);
    QCOMPARE(auftraege.size(), 1);
    QCOMPARE(auftraege[0].count(QStringLiteral("Sehr geehrte(r) Herrn")), 3);
    QCOMPARE(auftraege[0].count(QStringLiteral("neue-seite")), 2);
    KeineOffenenDialoge(*dialoge);
  }

  void druckbefehl_data() {
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<QString>("vorlage");  // typed into Edit1
    QTest::addColumn<QList<bool>>("druckdialog");
    QTest::addColumn<QStringList>("gedruckt");  // texts of the one job, in order
    QTest::addColumn<QString>("meldung");       // "<tmp>": the test's folder
    const QStringList liste{QStringLiteral("Blatt: 1"), QStringLiteral("Anna Abel; Hof; Weg 1; Adorf"),
                            QStringLiteral("Bernd Bach; ; Allee 2; Bdorf"),
                            QStringLiteral("Carl Müller; Zusatz; Ring 3; Cdorf")};
    const QString keinHtm = QStringLiteral("Datei: <tmp>/Mitglieder.htm nicht gefunden!");
    QTest::newRow("Brief") << "BriefBtn"
                           << "brief.txt" << QList<bool>{true}
                           << QStringList{QStringLiteral("Herrn Carl Müller,"), QStringLiteral("Grüßen")} << QString();
    QTest::newRow("Brief, Druckdialog abgebrochen") << "BriefBtn"
                                                    << "brief.txt" << QList<bool>{false} << QStringList{} << QString();
    QTest::newRow("Brief, Vorlage fehlt") << "BriefBtn"
                                          << "fehlt.txt" << QList<bool>{} << QStringList{}
                                          << QStringLiteral("Bitte Datei für Serienbriefausgabe wählen!");
    QTest::newRow("Liste") << "ListeBtn"
                           << "" << QList<bool>{true} << liste << keinHtm;
    QTest::newRow("Liste, Druckdialog abgebrochen") << "ListeBtn"
                                                    << "" << QList<bool>{false} << QStringList{} << keinHtm;
  }

  // A letter for the owner read last (no page header), or the list with a
  // line per list line in list order (with the header); nothing after a
  // cancelled print dialog.
  void druckbefehl() {
    QFETCH(QString, knopf);
    QFETCH(QString, vorlage);
    QFETCH(QList<bool>, druckdialog);
    QFETCH(QStringList, gedruckt);
    QFETCH(QString, meldung);
    Einfuegen({0, 2, 1});
    QVERIFY(davo::addresses::AdresseLesen(2));
    if (!vorlage.isEmpty()) Kind<QLineEdit>(fenster.get(), "Edit1")->setText(Pfad(qPrintable(vorlage)));
    for (bool d : druckdialog) dialoge->Druckantworten.push_back(d);
    Klicke(qPrintable(knopf));
    QCOMPARE(auftraege.size(), gedruckt.isEmpty() ? 0 : 1);
    qsizetype stelle = 0;
    for (const QString& text : gedruckt) {
      stelle = auftraege[0].indexOf(text, stelle);
      QVERIFY2(stelle > 0, qPrintable(text));
    }
    if (knopf == QLatin1String("BriefBtn") && !auftraege.isEmpty())
      QVERIFY(!auftraege[0].contains(QStringLiteral("Blatt")));
    QCOMPARE(Meldungen(*dialoge),
             meldung.isEmpty() ? QStringList{} : QStringList{meldung.replace(QStringLiteral("<tmp>"), ordner->path())});
    KeineOffenenDialoge(*dialoge);
  }

  void hauptmenue_data() {
    QTest::addColumn<int>("befehl");
    QTest::addColumn<QString>("objekt");
    QTest::newRow("Serienbrief bearbeiten")
        << int(davo::app::Befehl::SerienbriefBearbeiten) << QStringLiteral("F_serienbriefeditor");
    QTest::newRow("Serienbrief drucken") << int(davo::app::Befehl::SerienbriefDrucken)
                                         << QStringLiteral("F_Serienbrief");
  }

  // The menu commands open their window, created once however often the
  // windows are set up.
  void hauptmenue() {
    QFETCH(int, befehl);
    QFETCH(QString, objekt);
    fenster.reset();
    davo::gui::TF_Kolvar3 haupt;
    davo::app::Konfiguration.SetzeAdressdatei(Pfad("Mitglieder.ADW").toStdString());
    davo::gui::SerienbriefEinrichten(haupt);
    davo::gui::SerienbriefEinrichten(haupt);
    QCOMPARE(haupt.findChildren<QDialog*>(objekt).size(), 1);
    QString offen;
    AmModalenFenster([&offen](QWidget* modal) {
      offen = modal->objectName();
      modal->close();
    });
    haupt.Menuepunkt(davo::app::Befehl(befehl))->trigger();
    QCOMPARE(offen, objekt);
  }
};

QTEST_MAIN(TestSerienbrief)
#include "test_serienbrief.moc"
