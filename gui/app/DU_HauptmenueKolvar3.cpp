#include "app/DU_HauptmenueKolvar3.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include "addresses/Adresse.h"
#include "addresses/Adressexporte.h"
#include "addresses/Sammelaktionen.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "letters/DosUmwandlung.h"

namespace davo::gui {

TF_Kolvar3::TF_Kolvar3(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("F_Kolvar3"));
  resize(696, 480);

  app::ProgrammStart(FsPfad(QCoreApplication::applicationFilePath()));
  app::LiesKonfiguration();

  QMenuBar* leiste = menuBar();
  leiste->setObjectName(QStringLiteral("MainMenu1"));
  for (const app::MenuEintrag& eintrag : app::Hauptmenue()) {
    if (eintrag.Unterpunkte.empty()) {
      leiste->addAction(Menuepunkt(eintrag, leiste));
    } else {
      QMenu* menue = leiste->addMenu(AusAnsi(eintrag.Titel));
      menue->setObjectName(QString::fromStdString(eintrag.Name));
      menue->menuAction()->setObjectName(QString::fromStdString(eintrag.Name));
      menue->setEnabled(eintrag.Aktiv);
      MenueAufbauen(menue, eintrag.Unterpunkte);
    }
  }

  Verbinde(app::Befehl::AdressdateiWaehlen, [] { addresses::AktiveAdressendateiWaehlen(); });
  Verbinde(app::Befehl::AdressdateiAnlegen, [] { addresses::NeueAdressendateiAnlegen(); });
  // The bulk actions on all addresses; each asks before it changes the file.
  Verbinde(app::Befehl::AuszahlungFreigebenAus, [] { addresses::AuszahlungFreiSetzen(0); });
  Verbinde(app::Befehl::AuszahlungFreigebenEin, [] { addresses::AuszahlungFreiSetzen(1); });
  Verbinde(app::Befehl::SerienbriefDruckenAus, [] { addresses::SerienbriefSetzen(0); });
  Verbinde(app::Befehl::SerienbriefDruckenEin, [] { addresses::SerienbriefSetzen(1); });
  Verbinde(app::Befehl::SerienbriefNachFlaeche, [] { addresses::SerienbriefNachFlaeche(); });
  Verbinde(app::Befehl::GruppenNull, [] { addresses::GruppenAufNull(); });
  Verbinde(app::Befehl::GruppeAusSerienbrief, [] { addresses::GruppeAusSerienbrief(); });
  Verbinde(app::Befehl::GruppeAusAuszahlung, [] { addresses::GruppeAusAuszahlung(); });
  // The exchanges with other programs and the conversion of DOS files.
  Verbinde(app::Befehl::ExportSerienbrief, [] { addresses::SerienbriefCsvExport(); });
  Verbinde(app::Befehl::ExportBlzKonto, [] { addresses::BlzKontoExport(); });
  Verbinde(app::Befehl::SepadatenImportieren, [] { addresses::BlzKontoImport(); });
  Verbinde(app::Befehl::DosImport, [] { letters::DosAdressdateiImportieren(); });

  TitelSetzen();
}

TF_Kolvar3::~TF_Kolvar3() = default;

void TF_Kolvar3::MenueAufbauen(QMenu* menue, const std::vector<app::MenuEintrag>& eintraege) {
  for (const app::MenuEintrag& eintrag : eintraege) {
    if (eintrag.Titel == "-") {
      menue->addSeparator();
    } else if (eintrag.Unterpunkte.empty()) {
      menue->addAction(Menuepunkt(eintrag, menue));
    } else {
      QMenu* unter = menue->addMenu(AusAnsi(eintrag.Titel));
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
