#include "addresses/Satzauswahl.h"

namespace davo::addresses {

using namespace davo::app;

IOErgebnis SaetzeLesen(Adressdatei& d, const std::vector<std::int32_t>& nummern,
                       const std::function<void(std::int32_t, const TAdresse&)>& besuche) {
  IOSchritte s(d.Pfad);
  Datei& datei = d.Dateivariable;
  datei.Zuordnen(d.Pfad);
  s.Pruefe();
  datei.OeffnenLesen(TAdresse::Groesse);
  if (s.Pruefe()) {
    // Shared: other readers may go on, a writer waits until the list is read.
    datei.Sperren(false);
    if (!s.Pruefe()) {
      datei.Schliessen();
      VerwirfIOErgebnis();
    }
  }
  if (!datei.Offen()) {
    d.Anzahl = 0;
    return s.Ergebnis();
  }
  d.Laenge = datei.LaengeInBytes();
  d.Anzahl = static_cast<std::int32_t>(datei.Groesse());
  TAdresse satz;
  std::int32_t position = 0;  // the record the file stands at; -1 unknown
  std::int32_t gelesen = -1;  // the record in satz
  for (const std::int32_t nr : nummern) {
    if (nr == gelesen) continue;
    if (nr < 0 || nr >= d.Anzahl) {
      SetzeIOErgebnis(io::LeseFehler);
      s.Pruefe();
      continue;
    }
    if (nr != position) {
      datei.Suchen(nr);
      if (!s.Pruefe()) {
        position = -1;
        continue;
      }
    }
    datei.Lesen(satz.bytes.data());
    if (!s.Pruefe()) {
      position = -1;
      continue;
    }
    position = nr + 1;
    gelesen = nr;
    besuche(nr, satz);
  }
  datei.Schliessen();
  s.Pruefe();
  return s.Ergebnis();
}

}  // namespace davo::addresses
