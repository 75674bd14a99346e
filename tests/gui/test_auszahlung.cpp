// The payout window on a real address file and its settings file: controls
// and caption, the settings read on opening and written by every way of
// closing, the proposed execution date, the folder choice, the payout list
// buttons and the main menu command.

#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DU_HauptmenueKolvar3.h"
#include "app/Datum.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "payout/Adressenliste.h"
#include "payout/AuszahlungEinrichten.h"
#include "payout/DU_AdrListe.h"
#include "payout/DU_JG_ausz.h"
#include "payout/Einstellungen.h"
#include "support/SkriptDialoge.h"

using davo::addresses::TAdresse;
using davo::gui::AusAnsi;
using davo::gui::TF_AdrListe;
using davo::gui::TF_Auszahlung;
using davo::payout::TAuszahlungsEinstellungen;
using namespace davo::test;

namespace {

constexpr qsizetype Groesse = qsizetype(TAuszahlungsEinstellungen::Groesse);

QLineEdit* Feld(const QWidget* fenster, const QString& name) { return Kind<QLineEdit>(fenster, name); }

// The edits in the field order of the settings record.
const char* const Feldnamen[10] = {"LabeledEdit1", "LabeledEdit2", "LabeledEdit3", "LabeledEdit4",
                                   "LabeledEdit5", "LabeledEdit6", "LabeledEdit7", "LabeledEdit8",
                                   "LabeledEdit9", "LabeledEdit11"};

// Text field i of a settings record: the length byte, then the bytes.
QByteArray Textfeld(const QByteArray& satz, int i) {
  const qsizetype anfang = qsizetype(TAuszahlungsEinstellungen::TextOffset(i));
  if (anfang >= satz.size()) return QByteArray("<fehlt>");
  return satz.mid(anfang + 1, static_cast<unsigned char>(satz[anfang]));
}

void SetzeTextfeld(QByteArray& satz, int i, const QByteArray& text) {
  const qsizetype anfang = qsizetype(TAuszahlungsEinstellungen::TextOffset(i));
  satz[anfang] = char(text.size());
  satz.replace(anfang + 1, text.size(), text);
}

qint32 Laufnummer(const QByteArray& satz) {
  qint32 n = 0;
  for (int b = 3; b >= 0; --b)
    n = (n << 8) | static_cast<unsigned char>(satz[qsizetype(TAuszahlungsEinstellungen::OffsetLaufnummer) + b]);
  return n;
}

davo::app::DatumZeit Tag(int jahr, int monat, int tag) {
  davo::app::DatumZeit d;
  d.Jahr = jahr;
  d.Monat = monat;
  d.Tag = tag;
  d.Stunde = 10;
  d.Wochentag = davo::app::WochentagVon(jahr, monat, tag);
  return d;
}

struct Eigentuemer {
  const char* name1;
  davo::app::Currency flaeche;
  int frei, gruppe;
};

// In file order.
const Eigentuemer Eigentuemerliste[] = {
    {"Zora Zeller", 10000, 1, 0},
    {"Anton Alt", 25000, 0, 1},
    {"Maria M\xFCller", 5000, 1, 1},
};

// What the list window showed.
struct Listenanzeige {
  QString fenster, titel;
  QStringList namen, betraege;  // every row, the sum row last
  bool sepaAktiv = true;
};

}  // namespace

class TestAuszahlung : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<davo::test::SkriptDialoge> dialoge;
  std::unique_ptr<TF_AdrListe> liste;
  std::unique_ptr<TF_Auszahlung> fenster;
  QString adressdatei;

  QString Einstellungsdatei() const { return ordner->filePath(QStringLiteral("Jagd.JGA")); }

  // A settings record with the run number 3 and marks in the reserved areas.
  static QByteArray Satz() {
    QByteArray satz(Groesse, '\0');
    satz[4096] = 3;
    satz[2560] = 'R';
    satz[Groesse - 1] = 'S';
    return satz;
  }

  void SchreibeEinstellungen(const QByteArray& satz) {
    QFile f(Einstellungsdatei());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(satz), satz.size());
  }

  QByteArray Einstellungen() const {
    QFile f(Einstellungsdatei());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  // Clicks a list button of the open payout window and reads the list window
  // it opens.
  Listenanzeige Liste(const QString& knopf) {
    Listenanzeige anzeige;
    AmModalenFenster([&anzeige](QWidget* modal) {
      anzeige.fenster = modal->objectName();
      anzeige.titel = modal->windowTitle();
      anzeige.sepaAktiv = Kind<QPushButton>(modal, QStringLiteral("BitBtn2"))->isEnabled();
      const QTableWidget* g = Kind<QTableWidget>(modal, QStringLiteral("StringGrid1"));
      for (int r = 0; r < g->rowCount(); ++r) {
        anzeige.namen << g->item(r, 1)->text();
        anzeige.betraege << g->item(r, 5)->text().trimmed();
      }
    });
    Klicke(fenster.get(), knopf);
    return anzeige;
  }

 private slots:
  void init() {
    QVERIFY(Einrichten(ordner, dialoge));
    davo::payout::AuszahlungsEinstellungen.Leeren();
    davo::payout::Adressenliste = davo::payout::AdressenlisteModell{};
    adressdatei = ordner->filePath(QStringLiteral("Jagd.ADW"));
    std::vector<TAdresse> saetze;
    for (const Eigentuemer& e : Eigentuemerliste) {
      TAdresse& a = saetze.emplace_back();
      a.SetzeText(davo::addresses::Name1, e.name1);
      a.SetzeText(davo::addresses::BIC, "COBADEFFXXX");
      a.SetzeText(davo::addresses::IBAN, "DE89370400440532013000");
      a.SetzeFlaeche(e.flaeche);
      a.SetzeAuszahlungFrei(std::uint8_t(e.frei));
      a.SetzeGruppe(std::uint8_t(e.gruppe));
    }
    QVERIFY(SchreibeAdressdatei(adressdatei, saetze));
    davo::addresses::AdrDateiName = adressdatei.toStdString();
    davo::app::AktAdrBasis = ordner->filePath(QStringLiteral("Jagd")).toStdString();
    davo::app::Uhr = [] { return Tag(2024, 5, 15); };  // a Wednesday
    liste = std::make_unique<TF_AdrListe>();
    fenster = std::make_unique<TF_Auszahlung>();
  }

  void cleanup() {
    fenster.reset();
    liste.reset();
    QVERIFY(!davo::payout::AdressenlisteFenster);
    KeineOffenenDialoge(*dialoge);
    davo::payout::AuszahlungsEinstellungen.Leeren();
    davo::payout::Adressenliste = davo::payout::AdressenlisteModell{};
    Abbauen(ordner, dialoge);
  }

  void steuerelement_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("klasse");
    QTest::addColumn<QString>("beschriftung");  // own text, title or the label naming it
    QTest::addColumn<QString>("gruppe");        // title of the group box holding it
    const struct {
      const char *name, *klasse, *beschriftung, *gruppe;
    } zeilen[] = {
        {"LabeledEdit1", "QLineEdit", "Auftraggeber", "Sepa Einstellungen"},
        {"LabeledEdit2", "QLineEdit", "Adresse Auftraggeber", "Sepa Einstellungen"},
        {"LabeledEdit3", "QLineEdit", "Name: Kreditinstitut", "Sepa Einstellungen"},
        {"LabeledEdit4", "QLineEdit", "BIC", "Sepa Einstellungen"},
        {"LabeledEdit5", "QLineEdit", "IBAN", "Sepa Einstellungen"},
        {"LabeledEdit6", "QLineEdit", "Kreditorennummer", "Sepa Einstellungen"},
        {"LabeledEdit11", "QLineEdit", "Ordner zum Speichern der Sepadatei", "Sepa Einstellungen"},
        {"BitBtn1", "QPushButton", "Ordner Sepa-Datei wählen", "Sepa Einstellungen"},
        {"DateTimePicker1", "QDateEdit", "Ausführungsdatum der Sepa-Datei", "Sepa Einstellungen"},
        {"LabeledEdit7", "QLineEdit", "Auszahlungsbetrag / ha", "GroupBox2"},
        {"LabeledEdit8", "QLineEdit", "Kleinster auszuzahlender Betrag", "GroupBox2"},
        {"LabeledEdit9", "QLineEdit", "Belegtext 1", "GroupBox2"},
        {"Button1", "QPushButton", "Auszahlungsliste für alle Flächen", "Aktionen"},
        {"Button2", "QPushButton", "Auszahlungsliste für freigegebene Flächen", "Aktionen"},
        {"Button3", "QPushButton", "Auszahlungsliste für nicht freigegebene Flächen", "Aktionen"},
        {"Button5", "QPushButton", "Auszahlungsliste für alle  Adressen Gruppe 0", "Aktionen"},
        {"Button6", "QPushButton", "Auszahlungsliste für alle  Adressen Gruppe 1", "Aktionen"},
        {"Button4", "QPushButton", "Sepa-Datei  für freigegebene Flächen", "Aktionen"},
    };
    for (const auto& z : zeilen)
      QTest::newRow(z.name) << QString::fromLatin1(z.name) << QString::fromLatin1(z.klasse)
                            << QString::fromUtf8(z.beschriftung) << QString::fromUtf8(z.gruppe);
  }

  void steuerelement() {
    QFETCH(QString, gruppe);
    QCOMPARE(fenster->objectName(), QStringLiteral("F_Auszahlung"));
    const QWidget* w = PruefeSteuerelement(fenster.get());
    if (!w) return;
    QString umgebend;
    for (QWidget* p = w->parentWidget(); p && umgebend.isEmpty(); p = p->parentWidget())
      if (auto* box = qobject_cast<QGroupBox*>(p)) umgebend = box->title();
    QCOMPARE(umgebend, gruppe);
    QVERIFY(w->isEnabled());
  }

  void titelUndLeereFelderOhneEinstellungsdatei() {
    fenster->show();
    QCOMPARE(fenster->windowTitle(),
             QStringLiteral(" ZQ-Davozedizarorevodo  // ") + ordner->filePath(QStringLiteral("Jagd")));
    for (const char* name : Feldnamen) QVERIFY2(Feld(fenster.get(), QString::fromLatin1(name))->text().isEmpty(), name);
    fenster->close();
    // Closing creates the file: texts as typed, run number 0, the rest zero.
    const QByteArray satz = Einstellungen();
    QCOMPARE(satz, QByteArray(Groesse, '\0'));
    QVERIFY(Meldungen(*dialoge).isEmpty());
  }

  void feld_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("gespeichert");  // cp1252
    QTest::addColumn<QString>("gezeigt");
    QTest::newRow("Auftraggeber") << "LabeledEdit1" << 0 << QByteArray("Jagdgenossenschaft S\xFC" "dfeld")
                                  << "Jagdgenossenschaft Südfeld";
    QTest::newRow("Adresse") << "LabeledEdit2" << 1 << QByteArray("Dorfstra\xDF" "e 1, 12345 Adorf")
                             << "Dorfstraße 1, 12345 Adorf";
    QTest::newRow("Kreditinstitut") << "LabeledEdit3" << 2 << QByteArray("Raiffeisenbank Adorf")
                                    << "Raiffeisenbank Adorf";
    QTest::newRow("BIC") << "LabeledEdit4" << 3 << QByteArray("GENODEF1ADF") << "GENODEF1ADF";
    QTest::newRow("IBAN") << "LabeledEdit5" << 4 << QByteArray("DE12 3456 7890 1234 5678 90")
                          << "DE12 3456 7890 1234 5678 90";
    QTest::newRow("Kreditorennummer") << "LabeledEdit6" << 5 << QByteArray("DE98ZZZ09999999999")
                                      << "DE98ZZZ09999999999";
    QTest::newRow("Betrag / ha") << "LabeledEdit7" << 6 << QByteArray("150,00 \x80") << "150,00 €";
    QTest::newRow("Kleinster Betrag") << "LabeledEdit8" << 7 << QByteArray("5,00") << "5,00";
    QTest::newRow("Belegtext") << "LabeledEdit9" << 8 << QByteArray("Jagdgeld 2024") << "Jagdgeld 2024";
    QTest::newRow("Ordner") << "LabeledEdit11" << 9 << QByteArray("C:\\Sepa\\") << "C:\\Sepa\\";
  }

  // Each field is shown in its own edit when the window opens, and what is
  // typed there lands in its place of the record when it closes.
  void feld() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QByteArray, gespeichert);
    QFETCH(QString, gezeigt);
    QByteArray satz = Satz();
    SetzeTextfeld(satz, index, gespeichert);
    SchreibeEinstellungen(satz);

    fenster->show();
    QStringList texte;
    for (const char* n : Feldnamen) texte << Feld(fenster.get(), QString::fromLatin1(n))->text();
    for (int i = 0; i < 10; ++i) QCOMPARE(texte[i], i == index ? gezeigt : QString());

    Feld(fenster.get(), name)->setText(gezeigt + QStringLiteral(" ä"));
    fenster->close();
    const QByteArray danach = Einstellungen();
    QCOMPARE(danach.size(), Groesse);
    for (int i = 0; i < 10; ++i)
      QCOMPARE(Textfeld(danach, i), i == index ? gespeichert + QByteArray(" \xE4") : QByteArray());
    QVERIFY(Meldungen(*dialoge).isEmpty());
  }

  void schliessen_data() {
    QTest::addColumn<QString>("wie");
    QTest::newRow("Titelleiste") << "schliessen";
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("reject") << "reject";
    QTest::newRow("accept") << "accept";
    QTest::newRow("modal, Titelleiste") << "modal";
  }

  // Every way of closing writes the edits; the run number and the reserved
  // bytes stay as they were. A second close writes nothing more.
  void schliessen() {
    QFETCH(QString, wie);
    SchreibeEinstellungen(Satz());
    const auto eingeben = [](QWidget* w) {
      Feld(w, QStringLiteral("LabeledEdit1"))->setText(QStringLiteral("Jagdgenossenschaft Adorf"));
      Feld(w, QStringLiteral("LabeledEdit7"))->setText(QStringLiteral("12,50"));
    };
    if (wie == QLatin1String("modal")) {
      AmModalenFenster(eingeben);
      fenster->exec();
    } else {
      fenster->show();
      eingeben(fenster.get());
      if (wie == QLatin1String("schliessen"))
        fenster->close();
      else if (wie == QLatin1String("Escape"))
        QTest::keyClick(fenster.get(), Qt::Key_Escape);
      else if (wie == QLatin1String("reject"))
        fenster->reject();
      else
        fenster->accept();
    }
    QVERIFY(!fenster->isVisible());
    QByteArray erwartet = Satz();
    SetzeTextfeld(erwartet, 0, "Jagdgenossenschaft Adorf");
    SetzeTextfeld(erwartet, 6, "12,50");
    QCOMPARE(Einstellungen(), erwartet);
    QCOMPARE(Laufnummer(Einstellungen()), 3);

    QVERIFY(QFile::remove(Einstellungsdatei()));
    fenster->reject();
    QVERIFY(!QFile::exists(Einstellungsdatei()));
  }

  // The settings are read afresh at every opening.
  void wiederOeffnenLiestNeu() {
    fenster->show();
    Feld(fenster.get(), QStringLiteral("LabeledEdit9"))->setText(QStringLiteral("erste"));
    fenster->close();
    QByteArray satz = Einstellungen();
    SetzeTextfeld(satz, 8, "von au\xDF" "en");
    SchreibeEinstellungen(satz);
    fenster->show();
    QCOMPARE(Feld(fenster.get(), QStringLiteral("LabeledEdit9"))->text(), QStringLiteral("von außen"));
    fenster->close();
  }

  void ausfuehrungsdatum_data() {
    QTest::addColumn<int>("jahr");
    QTest::addColumn<int>("monat");
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("gezeigt");
    QTest::newRow("Mittwoch: nächster Montag") << 2024 << 5 << 15 << "20.05.2024";
    QTest::newRow("Montag über den Jahreswechsel") << 2024 << 12 << 30 << "06.01.2025";
  }

  void ausfuehrungsdatum() {
    QFETCH(int, jahr);
    QFETCH(int, monat);
    QFETCH(int, tag);
    QFETCH(QString, gezeigt);
    davo::app::Uhr = [=] { return Tag(jahr, monat, tag); };
    auto* datum = Kind<QDateEdit>(fenster.get(), QStringLiteral("DateTimePicker1"));
    fenster->show();
    QCOMPARE(datum->text(), gezeigt);
    QVERIFY(datum->calendarPopup());
    fenster->close();
  }

  void ordnerWaehlen_data() {
    QTest::addColumn<QString>("vorher");   // typed into the folder edit
    QTest::addColumn<QString>("gewaehlt");  // UTF-8 path chosen, "" to cancel
    QTest::addColumn<QString>("nachher");
    QTest::newRow("Linux-Pfad") << "/alt/" << "/daten/sepa/lauf.xml" << "/daten/sepa/";
    QTest::newRow("Umlaut") << "/alt/" << "/daten/Südfeld/x.xml" << "/daten/Südfeld/";
    QTest::newRow("Abbruch") << "/alt/" << "" << "/alt/";
  }

  // The save dialog starts with the folder typed + "sepa.xml"; only the path
  // up to its last separator is kept.
  void ordnerWaehlen() {
    QFETCH(QString, vorher);
    QFETCH(QString, gewaehlt);
    QFETCH(QString, nachher);
    if (gewaehlt.isEmpty())
      dialoge->BrichDateidialogAb();
    else
      dialoge->WaehleDatei(gewaehlt.toStdString());
    fenster->show();
    QLineEdit* feld = Feld(fenster.get(), QStringLiteral("LabeledEdit11"));
    feld->setText(vorher);
    Feld(fenster.get(), QStringLiteral("LabeledEdit1"))->setText(QStringLiteral("bleibt"));
    Klicke(fenster.get(), QStringLiteral("BitBtn1"));
    QCOMPARE(dialoge->Dateidialoge.size(), std::size_t(1));
    QCOMPARE(AusAnsi(dialoge->Dateidialoge.front().Dateiname), vorher + QStringLiteral("sepa.xml"));
    QCOMPARE(feld->text(), nachher);
    QCOMPARE(Feld(fenster.get(), QStringLiteral("LabeledEdit1"))->text(), QStringLiteral("bleibt"));
    fenster->close();
    QCOMPARE(AusAnsi(Textfeld(Einstellungen(), 9).toStdString()), nachher);
    QVERIFY(Meldungen(*dialoge).isEmpty());
  }

  void listenknopf_data() {
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<QString>("titel");
    QTest::addColumn<QStringList>("namen");  // sorted by name; the sum row last
    QTest::addColumn<QStringList>("betraege");
    const QString summe;
    QTest::newRow("alle") << "Button1" << "  3 Adressen wurden in der Adressenverwaltung erfasst!"
                          << QStringList{"Anton Alt", "Maria Mueller", "Zora Zeller", summe}
                          << QStringList{"250,00", "50,00", "100,00", "400,00"};
    QTest::newRow("freigegeben") << "Button2"
                                 << "  2 Adressen wurden in der Adressenverwaltung für eine Auszahlung freigegeben!"
                                 << QStringList{"Maria Mueller", "Zora Zeller", summe}
                                 << QStringList{"50,00", "100,00", "150,00"};
    QTest::newRow("nicht freigegeben")
        << "Button3" << "  1 Adressen wurden in der Adressenverwaltung für eine Auszahlung nicht freigegeben!"
        << QStringList{"Anton Alt", summe} << QStringList{"250,00", "250,00"};
    QTest::newRow("Gruppe 0") << "Button5" << "Adressenliste" << QStringList{"Zora Zeller", summe}
                              << QStringList{"100,00", "100,00"};
    QTest::newRow("Gruppe 1") << "Button6" << "Adressenliste" << QStringList{"Anton Alt", "Maria Mueller", summe}
                              << QStringList{"250,00", "50,00", "300,00"};
  }

  // Each list button opens the list window on its selection with the amounts
  // as typed (not as saved); "Liste in Sepa-Datei speichern" is off.
  void listenknopf() {
    QFETCH(QString, knopf);
    QFETCH(QString, titel);
    QFETCH(QStringList, namen);
    QFETCH(QStringList, betraege);
    QByteArray satz = Satz();
    SetzeTextfeld(satz, 6, "1,00");
    SchreibeEinstellungen(satz);
    fenster->show();
    Feld(fenster.get(), QStringLiteral("LabeledEdit7"))->setText(QStringLiteral("100,00"));
    Feld(fenster.get(), QStringLiteral("LabeledEdit8"))->setText(QStringLiteral("0"));
    const Listenanzeige anzeige = Liste(knopf);
    QCOMPARE(anzeige.fenster, QStringLiteral("F_AdrListe"));
    QCOMPARE(anzeige.titel, titel);
    QCOMPARE(anzeige.namen, namen);
    QCOMPARE(anzeige.betraege, betraege);
    QVERIFY(!anzeige.sepaAktiv);
    QVERIFY(fenster->isVisible());
    QVERIFY(Meldungen(*dialoge).isEmpty());
    fenster->close();
  }

  void falscherBetrag_data() {
    QTest::addColumn<QString>("proHa");
    QTest::addColumn<QString>("kleinster");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("Betrag / ha") << "12.50"
                                 << "0"
                                 << "Eingabefehler bei Auszahlungsbetrag / ha! „12.50“ – bitte mit Komma schreiben, "
                                    "z. B. 12,50";
    QTest::newRow("kleinster Betrag") << "100,00"
                                      << "5,5,5"
                                      << "Eingabefehler kleinster auszuzahlender Betrag! „5,5,5“ – bitte mit Komma "
                                         "schreiben, z. B. 12,50";
  }

  // A bad amount stops the list with its message; no list window opens.
  void falscherBetrag() {
    QFETCH(QString, proHa);
    QFETCH(QString, kleinster);
    QFETCH(QString, meldung);
    int listenfenster = 0;
    davo::payout::AdressenlisteFenster = [&listenfenster] { ++listenfenster; };
    fenster->show();
    Feld(fenster.get(), QStringLiteral("LabeledEdit7"))->setText(proHa);
    Feld(fenster.get(), QStringLiteral("LabeledEdit8"))->setText(kleinster);
    for (const char* knopf : {"Button1", "Button2", "Button3", "Button5", "Button6"})
      Klicke(fenster.get(), QString::fromLatin1(knopf));
    QCOMPARE(listenfenster, 0);
    QCOMPARE(Meldungen(*dialoge), QStringList(5, meldung));
    QVERIFY(davo::payout::Adressenliste.Gitter.empty());
    QVERIFY(fenster->isVisible());
    fenster->close();
    davo::payout::AdressenlisteFenster = nullptr;
  }

  // The main menu command opens the file and the payout window; its lists
  // open the list window over it.
  void hauptmenue() {
    fenster.reset();
    liste.reset();
    davo::gui::TF_Kolvar3 haupt;  // reads the configuration: name the file afterwards
    davo::gui::AuszahlungEinrichten(haupt);
    davo::app::Konfiguration.SetzeAdressdatei(adressdatei.toStdString());
    davo::app::AktAdrBasis = ordner->filePath(QStringLiteral("Jagd")).toStdString();

    QString auszahlung, titel;
    QStringList namen;
    AmModalenFenster([&](QWidget* modal) {
      auszahlung = modal->objectName();
      Feld(modal, QStringLiteral("LabeledEdit7"))->setText(QStringLiteral("100,00"));
      AmModalenFenster([&](QWidget* listenfenster) {
        titel = listenfenster->windowTitle();
        const auto* g = Kind<QTableWidget>(listenfenster, QStringLiteral("StringGrid1"));
        for (int r = 0; r < g->rowCount(); ++r) namen << g->item(r, 1)->text();
      });
      Klicke(modal, QStringLiteral("Button1"));
    });
    QAction* punkt = haupt.Menuepunkt(davo::app::Befehl::Auszahlung);
    QVERIFY(punkt);
    punkt->trigger();

    QCOMPARE(auszahlung, QStringLiteral("F_Auszahlung"));
    QCOMPARE(titel, QStringLiteral("  3 Adressen wurden in der Adressenverwaltung erfasst!"));
    QCOMPARE(namen, (QStringList{"Anton Alt", "Maria Mueller", "Zora Zeller", QString()}));
    QCOMPARE(Textfeld(Einstellungen(), 6), QByteArray("100,00"));
    QVERIFY(Meldungen(*dialoge).isEmpty());
  }
};

QTEST_MAIN(TestAuszahlung)
#include "test_auszahlung.moc"
