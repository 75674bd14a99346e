#include "app/DU_HauptmenueKolvar3.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "addresses/Adresse.h"
#include "addresses/Adressexporte.h"
#include "addresses/Sammelaktionen.h"
#include "app/Handbuch.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "letters/DosUmwandlung.h"
#include "payout/Einstellungen.h"
#include "payout/Flaechenaktion.h"

namespace davo::gui {

namespace {

// The captions of one menu level, each with a keyboard mnemonic ("&Adressen"
// for Alt+A): the first letter of a word that no caption before it on this
// level took, else any such letter or digit. The text shown stays the same; a
// caption that brings its own "&" keeps it.
QStringList MitTastenkuerzeln(const std::vector<app::MenuEintrag>& eintraege) {
  QStringList titel;
  QString vergeben;
  for (const app::MenuEintrag& e : eintraege) {
    const QString t = AusAnsi(e.Titel);
    const qsizetype eigenes = t.indexOf(QLatin1Char('&'));
    if (eigenes >= 0 && eigenes + 1 < t.size()) vergeben += t[eigenes + 1].toLower();
  }
  for (const app::MenuEintrag& e : eintraege) {
    QString t = AusAnsi(e.Titel);
    if (t.contains(QLatin1Char('&')) || e.Titel == "-") {
      titel << t;
      continue;
    }
    qsizetype wahl = -1;
    for (int durchgang = 0; durchgang < 2 && wahl < 0; ++durchgang) {
      for (qsizetype i = 0; i < t.size() && wahl < 0; ++i) {
        const bool wortanfang = i == 0 || !t[i - 1].isLetterOrNumber();
        if (t[i].isLetterOrNumber() && (durchgang == 1 || wortanfang) && !vergeben.contains(t[i].toLower())) wahl = i;
      }
    }
    if (wahl >= 0) {
      vergeben += t[wahl].toLower();
      t.insert(wahl, QLatin1Char('&'));
    }
    titel << t;
  }
  return titel;
}

// "Über ZQ-Davozedizarorevodo": longer than a message may be, so a box of its own.
void UeberZeigen(QWidget* eltern) {
  const QString titel = QStringLiteral("Über ") + QString::fromLatin1(app::Anwendungstitel);
  // The settings file of the address file the configuration names (before
  // any command has opened it).
  const std::string adressdatei = app::Konfiguration.Adressdatei();
  const std::string einstellungen =
      adressdatei.empty() ? std::string() : payout::EinstellungsDatei(addresses::Adressdatei(adressdatei));
  const std::string text = app::UeberText(FsPfad(QCoreApplication::applicationDirPath()), einstellungen,
                                          addresses::StartordnerAdressdateiMenue);
  QMessageBox box(QMessageBox::Information, titel, AusAnsi(text), QMessageBox::Ok, eltern);
  box.setObjectName(QStringLiteral("UeberBox"));
  box.setTextFormat(Qt::PlainText);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  MindestbreiteFuerTitel(box);
  box.exec();
}

}  // namespace

TF_Kolvar3::TF_Kolvar3(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("F_Kolvar3"));
  resize(696, 480);

  app::ProgrammStart(FsPfad(QCoreApplication::applicationFilePath()));
  app::LiesKonfiguration();

  QMenuBar* leiste = menuBar();
  leiste->setObjectName(QStringLiteral("MainMenu1"));
  const QStringList titel = MitTastenkuerzeln(app::Hauptmenue());
  for (std::size_t i = 0; i < app::Hauptmenue().size(); ++i) {
    const app::MenuEintrag& eintrag = app::Hauptmenue()[i];
    if (eintrag.Unterpunkte.empty()) {
      QAction* punkt = Menuepunkt(eintrag, leiste);
      punkt->setText(titel[static_cast<qsizetype>(i)]);
      leiste->addAction(punkt);
    } else {
      QMenu* menue = leiste->addMenu(titel[static_cast<qsizetype>(i)]);
      menue->setObjectName(QString::fromStdString(eintrag.Name));
      menue->menuAction()->setObjectName(QString::fromStdString(eintrag.Name));
      menue->setEnabled(eintrag.Aktiv);
      MenueAufbauen(menue, eintrag.Unterpunkte);
    }
  }

  Verbinde(app::Befehl::AdressdateiWaehlen, [] { addresses::AktiveAdressendateiWaehlen(); });
  Verbinde(app::Befehl::AdressdateiAnlegen, [] { addresses::NeueAdressendateiAnlegen(); });
  // The bulk actions on all addresses of the active file; each asks before
  // it changes the file.
  using addresses::AktiveAdressdatei;
  Verbinde(app::Befehl::AuszahlungFreigebenAus, [] { addresses::AuszahlungFreiSetzen(AktiveAdressdatei, 0); });
  Verbinde(app::Befehl::AuszahlungFreigebenEin, [] { addresses::AuszahlungFreiSetzen(AktiveAdressdatei, 1); });
  Verbinde(app::Befehl::SerienbriefDruckenAus, [] { addresses::SerienbriefSetzen(AktiveAdressdatei, 0); });
  Verbinde(app::Befehl::SerienbriefDruckenEin, [] { addresses::SerienbriefSetzen(AktiveAdressdatei, 1); });
  Verbinde(app::Befehl::SerienbriefNachFlaeche, [] { payout::SerienbriefNachFlaeche(); });
  Verbinde(app::Befehl::GruppenNull, [] { addresses::GruppenAufNull(AktiveAdressdatei); });
  Verbinde(app::Befehl::GruppeAusSerienbrief, [] { addresses::GruppeAusSerienbrief(AktiveAdressdatei); });
  Verbinde(app::Befehl::GruppeAusAuszahlung, [] { addresses::GruppeAusAuszahlung(AktiveAdressdatei); });
  // The exchanges with other programs and the conversion of DOS files.
  Verbinde(app::Befehl::ExportSerienbrief, [] { addresses::SerienbriefCsvExport(); });
  Verbinde(app::Befehl::ExportBlzKonto, [] { addresses::BlzKontoExport(); });
  Verbinde(app::Befehl::SepadatenImportieren, [] { addresses::BlzKontoImport(); });
  Verbinde(app::Befehl::DosImport, [] { letters::DosAdressdateiImportieren(); });
  // The help menu: the guide in the browser, and what and where the program is.
  Verbinde(app::Befehl::Handbuch, [] { app::HandbuchZeigen(FsPfad(QCoreApplication::applicationDirPath())); });
  Verbinde(app::Befehl::Ueber, [this] { UeberZeigen(this); });

  TitelSetzen();
}

TF_Kolvar3::~TF_Kolvar3() = default;

void TF_Kolvar3::MenueAufbauen(QMenu* menue, const std::vector<app::MenuEintrag>& eintraege) {
  const QStringList titel = MitTastenkuerzeln(eintraege);
  for (std::size_t i = 0; i < eintraege.size(); ++i) {
    const app::MenuEintrag& eintrag = eintraege[i];
    if (eintrag.Titel == "-") {
      menue->addSeparator();
    } else if (eintrag.Unterpunkte.empty()) {
      QAction* punkt = Menuepunkt(eintrag, menue);
      punkt->setText(titel[static_cast<qsizetype>(i)]);
      menue->addAction(punkt);
    } else {
      QMenu* unter = menue->addMenu(titel[static_cast<qsizetype>(i)]);
      unter->setObjectName(QString::fromStdString(eintrag.Name));
      unter->menuAction()->setObjectName(QString::fromStdString(eintrag.Name));
      unter->setEnabled(eintrag.Aktiv);
      MenueAufbauen(unter, eintrag.Unterpunkte);
    }
  }
}

QAction* TF_Kolvar3::Menuepunkt(const app::MenuEintrag& eintrag, QWidget* ziel) {
  auto* punkt = new QAction(AusAnsi(eintrag.Titel), ziel);
  punkt->setObjectName(QString::fromStdString(eintrag.Name));
  punkt->setEnabled(eintrag.Aktiv);
  const app::Befehl befehl = eintrag.Kommando;
  if (befehl != app::Befehl::Keiner) {
    menuepunkte_[befehl] = punkt;
    connect(punkt, &QAction::triggered, this, [this, befehl] { BefehlAusfuehren(befehl); });
  }
  return punkt;
}

QAction* TF_Kolvar3::Menuepunkt(app::Befehl befehl) const {
  const auto it = menuepunkte_.find(befehl);
  return it == menuepunkte_.end() ? nullptr : it->second;
}

void TF_Kolvar3::Verbinde(app::Befehl befehl, std::function<void()> handler) { befehle_[befehl] = std::move(handler); }

void TF_Kolvar3::BefehlAusfuehren(app::Befehl befehl) {
  const bool offen = !app::BrauchtAdressdatei(befehl) || addresses::AdrDateiOeffnen();
  if (offen) {
    const auto it = befehle_.find(befehl);
    if (it != befehle_.end() && it->second) it->second();
  }
  // Offscreen and on some desktops no activation follows a modal window, so
  // the caption is brought up to date here as well.
  TitelSetzen();
}

void TF_Kolvar3::TitelSetzen() { setWindowTitle(AusAnsi(app::HauptfensterTitel())); }

bool TF_Kolvar3::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) TitelSetzen();
  return QMainWindow::event(event);
}

void TF_Kolvar3::closeEvent(QCloseEvent* event) {
  app::SchreibeKonfiguration();
  event->accept();
}

}  // namespace davo::gui
