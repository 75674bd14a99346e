// The address manager window on a real address file: its controls, the moves
// through the file, what reaches the file and what does not, the name and
// IBAN boxes, Escape and "&Abbruch", the chooser called from it, and the bulk
// actions of the main menu.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "addresses/DU_Adresse.h"
#include "addresses/DU_WaehlAdr.h"
#include "app/DU_HauptmenueKolvar3.h"
#include "app/DateiIO.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "support/SkriptDialoge.h"

using davo::addresses::TAdresse;
using davo::gui::TF_Adressen;
using namespace davo::test;

namespace {

constexpr qint64 Satzgroesse = qint64(TAdresse::Groesse);

const QString Ungueltig = QStringLiteral("Die Adresse ist ungültig. Einige Felder sind leer.");

QComboBox* Box(const QWidget* fenster, int k) { return Kind<QComboBox>(fenster, QStringLiteral("ComboBox%1").arg(k)); }
QString Text(const QWidget* fenster, int k) { return Box(fenster, k)->currentText(); }
QString Nummer(const QWidget* fenster) { return Kind<QLabel>(fenster, QStringLiteral("Ausg_LfdAdrNr"))->text(); }

TAdresse Satz(const char* name, const char* sortierung) {
  TAdresse a;
  a.SetzeText(davo::addresses::Name1, name);
  a.SetzeText(davo::addresses::Sortierung, sortierung);
  return a;
}

// The text field i of record n as stored: the length byte, then the bytes.
QByteArray Feld(const QByteArray& datei, int n, int i) {
  const qsizetype anfang = qsizetype(n) * Satzgroesse + qsizetype(TAdresse::FeldOffset(i));
  if (anfang >= datei.size()) return QByteArray("<fehlt>");
  return datei.mid(anfang + 1, static_cast<unsigned char>(datei[anfang]));
}

}  // namespace

class TestAdressenmanager : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<davo::test::SkriptDialoge> dialoge;
  QString datei;

  void Schreibe(const std::vector<TAdresse>& saetze) { QVERIFY(SchreibeAdressdatei(datei, saetze)); }

  QByteArray Inhalt() const {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  static void Aktivieren(QWidget& fenster) {
    fenster.show();
    fenster.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fenster));
  }

 private slots:
  void init() {
    QVERIFY(Einrichten(ordner, dialoge));
    davo::addresses::AdrAuswahl = davo::addresses::AdrAuswahlModell{};
    datei = ordner->filePath(QStringLiteral("Jagd.ADW"));
    Schreibe({});
    davo::app::Konfiguration.SetzeAdressdatei(datei.toStdString());
    davo::app::AktAdrBasis = ordner->filePath(QStringLiteral("Jagd")).toStdString();
  }

  void cleanup() { Abbauen(ordner, dialoge); }

  void steuerelement_data() {
    const Steuerelementzeile zeilen[] = {
        {"PageControl1", "QTabWidget", ""},
        {"TabSheet1", "QWidget", "Adresse"},
        {"TabSheet2", "QWidget", "Filter"},
        {"TabSheet3", "QWidget", "Bemerkungen"},
        {"TabSheet4", "QWidget", "Aktionen"},
        {"TabSheet5", "QWidget", "Rechnungen"},
        {"TabSheet6", "QWidget", "Datum"},
        {"ComboBox1", "QComboBox", "Anrede"},
        {"ComboBox2", "QComboBox", "Name"},
        {"ComboBox3", "QComboBox", "Ergänzung"},
        {"ComboBox4", "QComboBox", "Sortierung"},
        {"ComboBox5", "QComboBox", "Straße"},
        {"ComboBox6", "QComboBox", "Postfach"},
        {"ComboBox7", "QComboBox", "PLZ Ort"},
        {"ComboBox8", "QComboBox", "Telefon"},
        {"ComboBox9", "QComboBox", "Fax"},
        {"ComboBox10", "QComboBox", "e-Mail"},
        {"ComboBox11", "QComboBox", "Hompage"},
        {"ComboBox12", "QComboBox", "Bankname"},
        {"ComboBox13", "QComboBox", "BLZ"},
        {"ComboBox14", "QComboBox", "Kontonr."},
        {"ComboBox15", "QComboBox", "IBAN"},
        {"ComboBox16", "QComboBox", "BIC"},
        {"ComboBox17", "QComboBox", "aktuelle MandatsNr."},
        {"ComboBox18", "QComboBox", "zuletzt verwendete Mandatsnr."},
        {"ComboBox19", "QComboBox", "Fläche"},
        {"ComboBox20", "QComboBox", "Steuernummer"},
        {"ComboBox21", "QComboBox", "Umsatzsteuer ID"},
        {"GroupBox1", "QGroupBox", "Aktionen"},
        {"CheckBox1", "QCheckBox", "Serienbrief drucken"},
        {"CheckBox2", "QCheckBox", "Auszahlung freigegeben"},
        {"Label23", "QLabel", ""},
        {"Ausg_LfdAdrNr", "QLabel", ""},
        {"Label1", "QLabel", ""},
        {"WeiterBtn", "QPushButton", "&Weiter"},
        {"ZurueckBtn", "QPushButton", "&Zurück"},
        {"NeuBtn", "QPushButton", "&Neu"},
        {"SuchenBtn", "QPushButton", "Adresse suchen"},
        {"EndeBtn", "QPushButton", "&Ende"},
        {"AbbruchBtn", "QPushButton", "&Abbruch"},
    };
    Steuerelementzeilen(zeilen);
  }

  void steuerelement() {
    TF_Adressen fenster;
    QCOMPARE(fenster.objectName(), QStringLiteral("F_Adressen"));
    PruefeSteuerelement(&fenster);
  }

  void anredeHatVorgabenUndFreienText() {
    TF_Adressen fenster;
    QComboBox* anrede = Box(&fenster, 1);
    QStringList eintraege;
    for (int i = 0; i < anrede->count(); ++i) eintraege << anrede->itemText(i);
    QCOMPARE(eintraege, (QStringList{QStringLiteral("An Herrn"), QStringLiteral("An Frau"), QStringLiteral("An Firma"),
                                     QStringLiteral("An"), QStringLiteral("An die"), QStringLiteral("An Landwirt")}));
    for (int k = 1; k <= 21; ++k) QVERIFY2(Box(&fenster, k)->isEditable(), qPrintable(QString::number(k)));
  }

  void leereDateiZeigtNeueAdresseEins() {
    TF_Adressen fenster;
    fenster.show();
    QCOMPARE(fenster.windowTitle(), QStringLiteral(" Adressenmanager  // ") + ordner->filePath(QStringLiteral("Jagd")));
    QCOMPARE(Nummer(&fenster), QStringLiteral("Adressennr: 1"));
    QCOMPARE(Kind<QLabel>(&fenster, QStringLiteral("Label23"))->text(), QStringLiteral("Zugewiesene Gruppe=     0"));
    for (int k = 1; k <= 18; ++k) QVERIFY2(Text(&fenster, k).isEmpty(), qPrintable(QString::number(k)));
    QVERIFY(!Kind<QCheckBox>(&fenster, QStringLiteral("CheckBox1"))->isChecked());
    QVERIFY(!Kind<QCheckBox>(&fenster, QStringLiteral("CheckBox2"))->isChecked());
    QCOMPARE(Inhalt().size(), 0);
  }

  // Only "Adresse" can be seen, whatever was shown last time.
  void nurSeiteAdresseBeimOeffnen() {
    TF_Adressen fenster;
    auto* seiten = Kind<QTabWidget>(&fenster, QStringLiteral("PageControl1"));
    fenster.show();
    seiten->setTabVisible(3, true);
    seiten->setCurrentIndex(3);
    fenster.hide();
    fenster.show();
    QCOMPARE(seiten->currentIndex(), 0);
    for (int i = 0; i < seiten->count(); ++i) QCOMPARE(seiten->isTabVisible(i), i == 0);
  }

  void neueAdresseMitWeiter_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("gespeichert");  // cp1252
    QTest::addColumn<QString>("wiederGezeigt");
    QTest::newRow("ASCII") << QStringLiteral("Anna Schulte") << QByteArray("Anna Schulte")
                           << QStringLiteral("Anna Schulte");
    QTest::newRow("Umlaute") << QStringLiteral("Jürgen Weiß") << QByteArray("J\xFCrgen Wei\xDF")
                             << QStringLiteral("Jürgen Weiß");
    QTest::newRow("Euro") << QStringLiteral("Bau € GmbH") << QByteArray("Bau \x80 GmbH")
                          << QStringLiteral("Bau € GmbH");
    QTest::newRow("nicht in cp1252") << QStringLiteral("Łukasz Nowak") << QByteArray("?ukasz Nowak")
                                     << QStringLiteral("?ukasz Nowak");
  }

  void neueAdresseMitWeiter() {
    QFETCH(QString, name);
    QFETCH(QByteArray, gespeichert);
    QFETCH(QString, wiederGezeigt);
    TF_Adressen fenster;
    fenster.show();
    Box(&fenster, 2)->setEditText(name);
    Box(&fenster, 4)->setEditText(QStringLiteral("Schulte"));
    Klicke(&fenster, "WeiterBtn");

    const QByteArray inhalt = Inhalt();
    QCOMPARE(inhalt.size(), Satzgroesse);
    QCOMPARE(Feld(inhalt, 0, davo::addresses::Name1), gespeichert);
    QCOMPARE(Nummer(&fenster), QStringLiteral("Adressennr: 2"));
    QVERIFY(Text(&fenster, 2).isEmpty());

    Klicke(&fenster, "ZurueckBtn");
    QCOMPARE(Nummer(&fenster), QStringLiteral("Adressennr: 1"));
    QCOMPARE(Text(&fenster, 2), wiederGezeigt);
    QCOMPARE(Kind<QLabel>(&fenster, QStringLiteral("Label1"))->text(), wiederGezeigt + QStringLiteral("  "));
    QVERIFY(Meldungen(*dialoge).isEmpty());
    // The empty record left behind was not stored.
    QCOMPARE(Inhalt().size(), Satzgroesse);
  }

  void aktionenUndGruppe_data() {
    QTest::addColumn<bool>("serienbrief");
    QTest::addColumn<bool>("auszahlung");
    QTest::newRow("Serienbrief") << true << false;
    QTest::newRow("Auszahlung") << false << true;
  }

  // The check boxes reach the flags; the group number is kept and shown.
  void aktionenUndGruppe() {
    QFETCH(bool, serienbrief);
    QFETCH(bool, auszahlung);
    TAdresse a = Satz("Otto Alt", "Alt, Otto");
    a.SetzeGruppe(42);
    Schreibe({a});
    TF_Adressen fenster;
    fenster.show();
    QCOMPARE(Kind<QLabel>(&fenster, QStringLiteral("Label23"))->text(), QStringLiteral("Zugewiesene Gruppe=    42"));
    Kind<QCheckBox>(&fenster, QStringLiteral("CheckBox1"))->setChecked(serienbrief);
    Kind<QCheckBox>(&fenster, QStringLiteral("CheckBox2"))->setChecked(auszahlung);
    Klicke(&fenster, "WeiterBtn");
    const QByteArray inhalt = Inhalt();
    QCOMPARE(inhalt.size(), Satzgroesse);
    QCOMPARE(int(inhalt[TAdresse::OffsetSerienbriefDruck]), serienbrief ? 1 : 0);
    QCOMPARE(int(inhalt[TAdresse::OffsetAuszahlungFrei]), auszahlung ? 1 : 0);
    QCOMPARE(int(inhalt[TAdresse::OffsetGruppe]), 42);
    Klicke(&fenster, "ZurueckBtn");
    QCOMPARE(Kind<QCheckBox>(&fenster, QStringLiteral("CheckBox1"))->isChecked(), serienbrief);
    QCOMPARE(Kind<QCheckBox>(&fenster, QStringLiteral("CheckBox2"))->isChecked(), auszahlung);
  }

  void schliessenOhneSpeichern_data() {
    QTest::addColumn<QString>("wie");
    QTest::newRow("Abbruch") << QStringLiteral("Abbruch");
    QTest::newRow("Titelleiste") << QStringLiteral("schliessen");
  }

  // "&Abbruch" discards without asking; the title bar asks first ("Nein").
  void schliessenOhneSpeichern() {
    QFETCH(QString, wie);
    Schreibe({Satz("Otto Alt", "Alt, Otto")});
    const QByteArray vorher = Inhalt();
    TF_Adressen fenster;
    int ergebnis = -1;
    const bool frage = wie != QLatin1String("Abbruch");
    if (frage) dialoge->Antworten.push_back(davo::app::FrageErgebnis::Nein);
    AmModalenFenster([&](QWidget* modal) {
      QCOMPARE(Text(modal, 2), QStringLiteral("Otto Alt"));
      Box(modal, 2)->setEditText(QStringLiteral("Otto Neu"));
      Box(modal, 4)->setEditText(QStringLiteral("Neu, Otto"));
      if (wie == QLatin1String("Abbruch"))
        Klicke(modal, "AbbruchBtn");
      else
        modal->close();
      QVERIFY(!modal->isVisible());
    });
    ergebnis = fenster.exec();
    QCOMPARE(ergebnis, int(QDialog::Rejected));
    QCOMPARE(Inhalt(), vorher);
    QVERIFY(Meldungen(*dialoge).isEmpty());
    QCOMPARE(dialoge->Fragen.size(), std::size_t(frage ? 1 : 0));
    KeineOffenenDialoge(*dialoge);
  }

  void ungueltigeAdresse_data() {
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sortierung");
    QTest::addColumn<QString>("flaeche");
    QTest::addColumn<QStringList>("meldungen");
    const QStringList meldung{Ungueltig};
    const QStringList punkt{
        QStringLiteral("Fläche: „12.5“ ist keine gültige Zahl – bitte mit Komma schreiben, z. B. 12,5")};
    QTest::newRow("Weiter, leer") << "WeiterBtn"
                                  << ""
                                  << ""
                                  << "" << meldung;
    QTest::newRow("Weiter, nur Leerzeichen") << "WeiterBtn"
                                             << "   "
                                             << "  "
                                             << "" << meldung;
    QTest::newRow("Weiter, ohne Sortierung") << "WeiterBtn"
                                             << "Anna"
                                             << ""
                                             << "" << meldung;
    QTest::newRow("Neu, ohne Name") << "NeuBtn"
                                    << ""
                                    << "Schulte"
                                    << "" << meldung;
    QTest::newRow("Zurück") << "ZurueckBtn"
                            << ""
                            << "Schulte"
                            << "" << QStringList();
    QTest::newRow("Adresse suchen") << "SuchenBtn"
                                    << "Anna"
                                    << " "
                                    << "" << QStringList();
    QTest::newRow("Ende") << "EndeBtn"
                          << ""
                          << ""
                          << "" << QStringList();
    // A refused area stops every button, the cursor goes to it.
    for (const char* knopf : {"WeiterBtn", "ZurueckBtn", "NeuBtn", "SuchenBtn", "EndeBtn"})
      QTest::newRow(qPrintable(QStringLiteral("Fläche, ") + QLatin1String(knopf))) << knopf << "Anna Schulte"
                                                                                   << "Schulte, Anna"
                                                                                   << "12.5" << punkt;
  }

  // Nothing reaches the file; only "&Weiter" and "&Neu" say why a record is
  // invalid, every button says why an area is refused.
  void ungueltigeAdresse() {
    QFETCH(QString, knopf);
    QFETCH(QString, name);
    QFETCH(QString, sortierung);
    QFETCH(QString, flaeche);
    QFETCH(QStringList, meldungen);
    TF_Adressen fenster;
    Aktivieren(fenster);
    Box(&fenster, 2)->setEditText(name);
    Box(&fenster, 4)->setEditText(sortierung);
    Box(&fenster, 19)->setEditText(flaeche);
    Klicke(&fenster, qPrintable(knopf));
    QCOMPARE(Meldungen(*dialoge), meldungen);
    QVERIFY(fenster.isVisible());
    QCOMPARE(Inhalt().size(), 0);
    QCOMPARE(Nummer(&fenster), QStringLiteral("Adressennr: 1"));
    QCOMPARE(Text(&fenster, 2), name);
    if (!flaeche.isEmpty()) QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Box(&fenster, 19)));
  }

  void speichernScheitert_data() {
    QTest::addColumn<QString>("knopf");  // empty: Escape, "Ja" to saving
    for (const char* knopf : {"WeiterBtn", "ZurueckBtn", "NeuBtn", "SuchenBtn", "EndeBtn", ""})
      QTest::newRow(*knopf ? knopf : "Escape") << QString::fromLatin1(knopf);
  }

  // A record that cannot be written is said once; the window stays on it
  // with the edits, nothing moves on or closes.
  void speichernScheitert() {
    QFETCH(QString, knopf);
    Schreibe({Satz("Otto Alt", "Alt, Otto"), Satz("Anna Alt", "Alt, Anna")});
    const QByteArray vorher = Inhalt();
    TF_Adressen fenster;
    Aktivieren(fenster);
    davo::app::SetzeIOStoerung([](davo::app::IOOperation op, const std::filesystem::path&) {
      return op == davo::app::IOOperation::Schreiben ? davo::app::io::SchreibFehler : 0;
    });
    Box(&fenster, 2)->setEditText(QStringLiteral("Anna Neu"));
    if (knopf.isEmpty()) {
      dialoge->Antworten.push_back(davo::app::FrageErgebnis::Ja);
      QTest::keyClick(Box(&fenster, 3), Qt::Key_Escape);
    } else {
      Klicke(&fenster, qPrintable(knopf));
    }
    davo::app::SetzeIOStoerung(nullptr);
    QCOMPARE(Meldungen(*dialoge), QStringList{QStringLiteral("Fehler beim Schreiben! Datei: ") + datei});
    QVERIFY(fenster.isVisible());
    QCOMPARE(Nummer(&fenster), QStringLiteral("Adressennr: 2"));
    QCOMPARE(Text(&fenster, 2), QStringLiteral("Anna Neu"));
    QCOMPARE(Inhalt(), vorher);
    KeineOffenenDialoge(*dialoge);
  }

  void escape_data() {
    QTest::addColumn<QString>("sortierung");
    QTest::addColumn<bool>("geaendert");
    QTest::addColumn<int>("antwort");  // FrageErgebnis
    QTest::addColumn<bool>("geschlossen");
    QTest::addColumn<qint64>("dateigroesse");
    QTest::addColumn<QStringList>("meldungen");
    using F = davo::app::FrageErgebnis;
    QTest::newRow("nichts geändert: schließt ohne Frage") << "" << false << -1 << true << qint64(0) << QStringList();
    QTest::newRow("Ja, gültig: speichert und schließt")
        << "Schulte, Anna" << true << int(F::Ja) << true << Satzgroesse << QStringList();
    QTest::newRow("Ja, ungültig: bleibt offen")
        << "" << true << int(F::Ja) << false << qint64(0) << QStringList{Ungueltig};
    QTest::newRow("Nein: verwirft und schließt")
        << "Schulte, Anna" << true << int(F::Nein) << true << qint64(0) << QStringList();
    QTest::newRow("Frage geschlossen: bleibt offen")
        << "Schulte, Anna" << true << int(F::Geschlossen) << false << qint64(0) << QStringList();
  }

  // Escape closes as the title bar does: unsaved edits are offered for
  // saving, "Ja" preselected.
  void escape() {
    QFETCH(QString, sortierung);
    QFETCH(bool, geaendert);
    QFETCH(int, antwort);
    QFETCH(bool, geschlossen);
    QFETCH(qint64, dateigroesse);
    QFETCH(QStringList, meldungen);
    if (antwort >= 0) dialoge->Antworten.push_back(davo::app::FrageErgebnis(antwort));
    TF_Adressen fenster;
    Aktivieren(fenster);
    if (geaendert) {
      Box(&fenster, 2)->setEditText(QStringLiteral("Anna Schulte"));
      Box(&fenster, 4)->setEditText(sortierung);
    }
    QTest::keyClick(Box(&fenster, 3), Qt::Key_Escape);
    QCOMPARE(!fenster.isVisible(), geschlossen);
    QCOMPARE(dialoge->Fragen.size(), std::size_t(antwort >= 0 ? 1 : 0));
    if (antwort >= 0) {
      QCOMPARE(dialoge->Fragen[0].Frage, std::string("\xC4nderungen speichern?"));
      QVERIFY(dialoge->Fragen[0].JaVorgewaehlt);
    }
    const QByteArray inhalt = Inhalt();
    QCOMPARE(qint64(inhalt.size()), dateigroesse);
    if (dateigroesse > 0) {
      QCOMPARE(fenster.result(), int(QDialog::Accepted));
      QCOMPARE(Feld(inhalt, 0, davo::addresses::Name1), QByteArray("Anna Schulte"));
    }
    QCOMPARE(Meldungen(*dialoge), meldungen);
    KeineOffenenDialoge(*dialoge);
  }

  // "&Neu" stores the record and puts the cursor into "Anrede".
  void neuSetztCursorInAnrede() {
    TF_Adressen fenster;
    Aktivieren(fenster);
    Box(&fenster, 2)->setEditText(QStringLiteral("Anna Schulte"));
    Box(&fenster, 4)->setEditText(QStringLiteral("Schulte, Anna"));
    Box(&fenster, 19)->setFocus();
    Klicke(&fenster, "NeuBtn");
    QCOMPARE(Nummer(&fenster), QStringLiteral("Adressennr: 2"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Box(&fenster, 1)));
  }

  void sortierungAusName_data() {
    QTest::addColumn<QString>("name");  // typed, ASCII
    QTest::addColumn<QString>("vorher");
    QTest::addColumn<QString>("nachher");
    QTest::newRow("Vornamen und Name") << "Anna Maria Schulte" << "" << "Schulte, Anna Maria";
    QTest::newRow("ein Wort") << "Landwirtschaftsbetrieb" << "" << "Landwirtschaftsbetrieb";
    QTest::newRow("Leerzeichen am Ende") << "Schulte " << "" << "";
    QTest::newRow("Sortierung schon da") << "Anna Schulte" << "Eigene" << "Eigene";
  }

  // Leaving the name box with Tab fills an empty sort key.
  void sortierungAusName() {
    QFETCH(QString, name);
    QFETCH(QString, vorher);
    QFETCH(QString, nachher);
    TF_Adressen fenster;
    Aktivieren(fenster);
    Box(&fenster, 4)->setEditText(vorher);
    QComboBox* nameBox = Box(&fenster, 2);
    nameBox->setFocus();
    QTest::keyClicks(nameBox, name);
    QCOMPARE(Text(&fenster, 4), vorher);
    QTest::keyClick(nameBox, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Box(&fenster, 3));
    QCOMPARE(Text(&fenster, 2), name);
    QCOMPARE(Text(&fenster, 4), nachher);
  }

  void grossschreibung_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QString>("beimTippen");
    QTest::addColumn<QString>("nachVerlassen");
    QTest::newRow("IBAN") << 15 << "de89370400440532013000" << "DE89370400440532013000"
                          << "DE89 3704 0044 0532 0130 00";
    QTest::newRow("IBAN, Leerzeichen wild") << 15 << "de8937 04004405 32013 000" << "DE8937 04004405 32013 000"
                                            << "DE89 3704 0044 0532 0130 00";
    QTest::newRow("BIC") << 16 << "noladE21hik" << "NOLADE21HIK" << "NOLADE21HIK";
    QTest::newRow("Bankname bleibt klein") << 12 << "sparkasse" << "sparkasse" << "sparkasse";
  }

  void grossschreibung() {
    QFETCH(int, box);
    QFETCH(QString, getippt);
    QFETCH(QString, beimTippen);
    QFETCH(QString, nachVerlassen);
    TF_Adressen fenster;
    Aktivieren(fenster);
    QComboBox* ziel = Box(&fenster, box);
    ziel->setFocus();
    QTest::keyClicks(ziel, getippt);
    QCOMPARE(ziel->currentText(), beimTippen);
    QTest::keyClick(ziel, Qt::Key_Tab);
    QCOMPARE(ziel->currentText(), nachVerlassen);
  }

  void ibanHinweis_data() {
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QString>("hinweis");
    QTest::newRow("richtig") << "de89 3704 0044 0532 0130 00"
                             << "";
    QTest::newRow("Prüfziffer falsch") << "DE89370400440532013001"
                                       << "IBAN nicht plausibel";
    QTest::newRow("Schweiz") << "CH9300762011623852957"
                             << "IBAN nicht plausibel";
    QTest::newRow("leer") << ""
                          << "";
  }

  // A wrong IBAN is shown as a hint beside the box while typing; it is stored
  // all the same.
  void ibanHinweis() {
    QFETCH(QString, getippt);
    QFETCH(QString, hinweis);
    Schreibe({Satz("Anna Berg", "Berg, Anna")});
    TF_Adressen fenster;
    Aktivieren(fenster);
    QComboBox* iban = Box(&fenster, 15);
    iban->setFocus();
    QTest::keyClicks(iban, getippt);
    QCOMPARE(Kind<QLabel>(&fenster, QStringLiteral("IbanHinweis"))->text(), hinweis);
    Klicke(&fenster, "EndeBtn");
    QCOMPARE(QString::fromLatin1(Feld(Inhalt(), 0, davo::addresses::IBAN)).remove(QLatin1Char(' ')),
             getippt.toUpper().remove(QLatin1Char(' ')));
    QVERIFY(Meldungen(*dialoge).isEmpty());
  }

  void namenslaenge_data() {
    QTest::addColumn<QString>("gespeichert");  // name in the file, "" for an empty file
    QTest::addColumn<QString>("getippt");      // typed at the end
    QTest::addColumn<QString>("erwartet");
    const QString dreissig = QStringLiteral("Landwirtschaftliche Betriebsge");
    const QString lang = QStringLiteral("Landwirtschaftliche Betriebsgemeinschaft Nord");
    QTest::newRow("Tippen hält bei 30") << "" << dreissig + QStringLiteral("meinschaft") << dreissig;
    QTest::newRow("langer Name bleibt ganz") << lang << "" << lang;
    QTest::newRow("langer Name wächst nicht") << lang << "x" << lang;
  }

  // At most 30 characters can be typed; a longer name from the file is kept
  // and stored back whole.
  void namenslaenge() {
    QFETCH(QString, gespeichert);
    QFETCH(QString, getippt);
    QFETCH(QString, erwartet);
    if (!gespeichert.isEmpty()) Schreibe({Satz(gespeichert.toLatin1().constData(), "Nord")});
    TF_Adressen fenster;
    Aktivieren(fenster);
    QComboBox* nameBox = Box(&fenster, 2);
    nameBox->setFocus();
    QTest::keyClick(nameBox, Qt::Key_End);
    QTest::keyClicks(nameBox, getippt);
    QCOMPARE(nameBox->currentText(), erwartet);
    Box(&fenster, 4)->setEditText(QStringLiteral("Nord"));
    Klicke(&fenster, "EndeBtn");
    QVERIFY(!fenster.isVisible());
    QCOMPARE(Feld(Inhalt(), 0, davo::addresses::Name1), erwartet.toLatin1());
  }

  // Top to bottom down the left column, then the right one, the actions and
  // the buttons from left to right.
  void tabulatorReihenfolge() {
    TF_Adressen fenster;
    Aktivieren(fenster);
    Box(&fenster, 1)->setFocus();
    QStringList erwartet;
    for (int k = 2; k <= 21; ++k) erwartet << QStringLiteral("ComboBox%1").arg(k);
    erwartet << "CheckBox1" << "CheckBox2" << "WeiterBtn" << "ZurueckBtn" << "NeuBtn" << "SuchenBtn" << "EndeBtn"
             << "AbbruchBtn" << "ComboBox1";
    QStringList reihe;
    for (qsizetype i = 0; i < erwartet.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      reihe << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(reihe, erwartet);
  }

  void adresseSuchen_data() {
    QTest::addColumn<QString>("wahl");  // sort key of the line double-clicked, "" to cancel
    QTest::addColumn<QString>("nummer");
    QTest::addColumn<QString>("name");
    QTest::newRow("zweite Adresse") << "Berta" << "Adressennr: 2" << "Berta Beck";
    QTest::newRow("erste Adresse") << "Anton" << "Adressennr: 1" << "Anton Arndt";
    QTest::newRow("Abbruch") << "" << "Adressennr: 3" << "Carl Clausen";
  }

  // "Adresse suchen" stores the shown record, opens the chooser and shows the
  // address taken over there.
  void adresseSuchen() {
    QFETCH(QString, wahl);
    QFETCH(QString, nummer);
    QFETCH(QString, name);
    Schreibe({Satz("Anton Arndt", "Anton"), Satz("Berta Beck", "Berta"), Satz("Carl Clausen", "Carl")});
    davo::gui::TF_WaehlAdr waehlAdr;
    TF_Adressen fenster;
    fenster.show();
    QCOMPARE(Nummer(&fenster), QStringLiteral("Adressennr: 3"));
    Box(&fenster, 3)->setEditText(QStringLiteral("geändert"));
    int zeilen = -1;
    AmModalenFenster([&](QWidget* modal) {
      QCOMPARE(modal->objectName(), QStringLiteral("F_WaehlAdr"));
      auto* liste = Kind<QListWidget>(modal, QStringLiteral("ListBox1"));
      zeilen = liste->count();
      if (wahl.isEmpty()) {
        Klicke(modal, "AbbruchBtn");
        return;
      }
      const auto treffer = liste->findItems(wahl, Qt::MatchStartsWith);
      QCOMPARE(treffer.size(), 1);
      Doppelklick(liste, treffer.first());
    });
    Klicke(&fenster, "SuchenBtn");
    QCOMPARE(zeilen, 3);
    QCOMPARE(Nummer(&fenster), nummer);
    QCOMPARE(Text(&fenster, 2), name);
    QCOMPARE(Feld(Inhalt(), 2, davo::addresses::Name2), QByteArray("ge\xE4ndert"));
    QVERIFY(Meldungen(*dialoge).isEmpty());
  }

  void menuebefehl_data() {
    using davo::app::Befehl;
    QTest::addColumn<int>("befehl");
    QTest::addColumn<int>("antworten");  // questions answered "Ja"; -1: the first one "Nein"
    QTest::addColumn<int>("offset");
    QTest::addColumn<QList<int>>("werte");  // the byte at offset in records 0 and 1
    QTest::addColumn<QString>("schluss");   // last message, "" when none
    const int grp = int(TAdresse::OffsetGruppe), aus = int(TAdresse::OffsetAuszahlungFrei),
              ser = int(TAdresse::OffsetSerienbriefDruck);
    QTest::newRow("Auszahlung ein") << int(Befehl::AuszahlungFreigebenEin) << 1 << aus << QList<int>{1, 1}
                                    << "Aktion \"Auszahlung freigeben\" wurde für alle Adressen eingeschaltet!";
    QTest::newRow("Auszahlung aus") << int(Befehl::AuszahlungFreigebenAus) << 1 << aus << QList<int>{0, 0}
                                    << "Aktion \"Auszahlung freigeben\" wurde für alle Adressen ausgeschaltet!";
    QTest::newRow("Serienbrief ein") << int(Befehl::SerienbriefDruckenEin) << 1 << ser << QList<int>{1, 1}
                                     << "Aktion \"Serienbrief drucken\" wurde für alle Adressen eingeschaltet!";
    QTest::newRow("Serienbrief aus") << int(Befehl::SerienbriefDruckenAus) << 1 << ser << QList<int>{0, 0}
                                     << "Aktion \"Serienbrief drucken\" wurde für alle Adressen ausgeschaltet!";
    QTest::newRow("Serienbrief nach Fläche") << int(Befehl::SerienbriefNachFlaeche) << 2 << ser << QList<int>{1, 1}
                                             << "Aktion \"Serienbrief drucken\" wurde für 2 Adressen einschaltet!";
    QTest::newRow("Gruppen 0") << int(Befehl::GruppenNull) << 1 << grp << QList<int>{0, 0} << "";
    QTest::newRow("Gruppe aus Serienbrief") << int(Befehl::GruppeAusSerienbrief) << 1 << grp << QList<int>{1, 0} << "";
    QTest::newRow("Gruppe aus Auszahlung") << int(Befehl::GruppeAusAuszahlung) << 1 << grp << QList<int>{0, 1} << "";
    QTest::newRow("abgelehnt") << int(Befehl::GruppenNull) << -1 << grp << QList<int>{7, 3} << "";
  }

  // The bulk actions of the menu "Adressen" on a file of two owners.
  void menuebefehl() {
    QFETCH(int, befehl);
    QFETCH(int, antworten);
    QFETCH(int, offset);
    QFETCH(QList<int>, werte);
    QFETCH(QString, schluss);
    TAdresse a = Satz("Anton Arndt", "Anton"), b = Satz("Berta Beck", "Berta");
    a.SetzeGruppe(7);
    a.SetzeSerienbriefDruck(1);
    b.SetzeGruppe(3);
    b.SetzeAuszahlungFrei(1);
    Schreibe({a, b});
    davo::gui::TF_Kolvar3 hauptfenster;  // reads the configuration: name the file afterwards
    davo::app::Konfiguration.SetzeAdressdatei(datei.toStdString());
    for (int i = 0; i < antworten; ++i) dialoge->Antworten.push_back(davo::app::FrageErgebnis::Ja);
    if (antworten < 0) dialoge->Antworten.push_back(davo::app::FrageErgebnis::Nein);

    QAction* punkt = hauptfenster.Menuepunkt(davo::app::Befehl(befehl));
    QVERIFY(punkt);
    punkt->trigger();

    const QByteArray inhalt = Inhalt();
    QCOMPARE(inhalt.size(), 2 * Satzgroesse);
    QCOMPARE((QList<int>{int(inhalt[offset]), int(inhalt[Satzgroesse + offset])}), werte);
    QCOMPARE(Meldungen(*dialoge).isEmpty() ? QString() : Meldungen(*dialoge).last(), schluss);
    KeineOffenenDialoge(*dialoge);
  }
};

QTEST_MAIN(TestAdressenmanager)
#include "test_adressenmanager.moc"
