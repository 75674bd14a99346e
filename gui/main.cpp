// Start of the desktop program: German throughout, the dialog service, the
// windows in their fixed order, then the event loop until the main window
// closes.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "addresses/DU_Adresse.h"
#include "addresses/DU_WaehlAdr.h"
#include "app/DU_HauptmenueKolvar3.h"
#include "app/Datum.h"
#include "app/Dialoge.h"
#include "app/Hauptmenue.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "app/Text.h"
#include "letters/SerienbriefEinrichten.h"
#include "letters/XmlEditorEinrichten.h"
#include "parcels/FlurstueckeEinrichten.h"
#include "payout/AuszahlungEinrichten.h"
#include "printing/QtDrucker.h"

namespace {

// Qt's own texts (buttons, file and print dialogs) in German: from Qt's
// translations folder, or from a "translations" folder beside the program.
void QtDeutschLaden(QApplication& anwendung, QTranslator& uebersetzer) {
  const QString name = QStringLiteral("qtbase_de");
  if (uebersetzer.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      uebersetzer.load(name, QCoreApplication::applicationDirPath() + QStringLiteral("/translations")))
    anwendung.installTranslator(&uebersetzer);
}

}  // namespace

int main(int argc, char* argv[]) {
  davo::app::SetzeZeitstempel();

  QApplication anwendung(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(davo::app::Anwendungstitel));
  // --version shows the licence too (printed, or a message box on Windows).
  QApplication::setApplicationVersion(QStringLiteral(DAVO_VERSION "\n") +
                                      QString::fromLatin1(davo::app::Lizenzhinweis));
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QTranslator qtDeutsch;
  QtDeutschLaden(anwendung, qtDeutsch);

  QCommandLineParser optionen;
  optionen.setApplicationDescription(QStringLiteral("Auszahlung von Jagdgeld an die Grundeigentümer"));
  optionen.addHelpOption();
  optionen.addVersionOption();
  const QCommandLineOption konfig(QStringLiteral("konfig"),
                                  QStringLiteral("Ordner der Konfigurationsdatei Davozedizarorevodo.KON."),
                                  QStringLiteral("ORDNER"));
  optionen.addOption(konfig);
  // For checking an installation: start, show the main window, quit. The exit
  // code says whether the main window was visible.
  const QCommandLineOption probelauf(
      QStringLiteral("probelauf"),
      QStringLiteral("Hauptfenster zeigen und sofort wieder beenden (Prüfung einer Installation)."));
  optionen.addOption(probelauf);
  optionen.process(anwendung);
  if (optionen.isSet(konfig))
    davo::app::KonfigOrdnerVorgabe = davo::gui::FsPfad(QFileInfo(optionen.value(konfig)).absoluteFilePath());

  davo::gui::QtDialogDienst dialoge;
  davo::app::InstalliereDialogDienst(&dialoge);

  // The windows, each once, in their order; the main window first (it reads
  // the configuration).
  davo::gui::TF_Kolvar3 F_Kolvar3;
  davo::gui::XmlEditorEinrichten(F_Kolvar3);
  davo::app::ZeigeFortschritt(davo::app::Utf8NachAnsi("Programm wird gestartet"), 20);
  dialoge.Basis();
  davo::gui::TF_WaehlAdr F_WaehlAdr;
  davo::gui::TF_Adressen F_Adressen;
  F_Kolvar3.Verbinde(davo::app::Befehl::AdressenBearbeiten, [&F_Adressen] { F_Adressen.exec(); });
  davo::gui::FlurstueckeEinrichten(F_Kolvar3);
  davo::gui::AuszahlungEinrichten(F_Kolvar3);
  // Every print job is recorded and then goes to the printer or the preview.
  davo::gui::QtDrucker drucker(dialoge.EinstDruck());
  davo::gui::SerienbriefEinrichten(F_Kolvar3);
  dialoge.Pulldown();

  F_Kolvar3.show();
  // Once the loop runs the main window is up and the start message can go.
  QTimer::singleShot(0, &F_Kolvar3, [] { davo::app::ZeigeFortschritt(std::string(), 0); });
  if (optionen.isSet(probelauf))
    QTimer::singleShot(0, &F_Kolvar3, [&F_Kolvar3] {
      const bool sichtbar = F_Kolvar3.isVisible();
      std::printf("Probelauf: Hauptfenster \"%s\" %s\n", F_Kolvar3.windowTitle().toUtf8().constData(),
                  sichtbar ? "angezeigt" : "NICHT angezeigt");
      std::fflush(stdout);
      QApplication::exit(sichtbar ? 0 : 1);
    });

  const int ergebnis = QApplication::exec();
  davo::app::InstalliereDialogDienst(nullptr);
  return ergebnis;
}
