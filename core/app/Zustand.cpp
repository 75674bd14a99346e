#include "app/Zustand.h"

#include "app/DateiIO.h"
#include "app/Datum.h"
#include "app/Dialoge.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"

namespace davo::app {

void ZustandZuruecksetzen() {
  LiesIOErgebnis();  // drops a pending result
  IODateiName.clear();
  IOCode = 0;
  IOFehler = false;
  SetzeIOStoerung(nullptr);
  SetzeSperrWartezeit(SperrWartezeitVorgabe);
  Antwort = false;
  Abbruch = false;
  for (std::string& t : Auswahltexte) t.clear();
  Konfiguration.Leeren();
  AktAdrBasis.clear();
  KonfigOrdnerVorgabe.reset();
  HomeOrdnerFuerTests.reset();
  UhrZuruecksetzen();
}

}  // namespace davo::app
