#include "app/Dateikopie.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Pfade.h"

namespace davo::app {

namespace {

constexpr std::size_t kPuffer = 64005;

bool IstTrenner(char c) { return c == '\\' || c == '/'; }

// Whether the result codes of a look-up say the drive cannot be used.
bool LaufwerkUnbrauchbar(int code) {
  switch (code) {
    case 15:
    case 21:
    case 150:
    case 151:
    case 152:
    case 156:
    case 157:
    case 158:
    case 161:
    case 162:
      return true;
    default:
      return false;
  }
}

enum class Versuch { Fertig, Voll, Gescheitert };

// One pass over the whole file into the temporary target.
Versuch Kopieren(const std::string& quelle, const std::string& temporaer, const std::string& ziel,
                 std::vector<char>& puffer) {
  Datei ein;
  IODateiName = quelle;
  ein.Zuordnen(quelle);
  ein.OeffnenLesen(1);
  PruefeIO();
  if (IOFehler) return Versuch::Gescheitert;

  Datei aus;
  IODateiName = ziel;
  aus.Zuordnen(temporaer);
  aus.Anlegen(1);
  PruefeIO();
  if (IOFehler) {
    ein.Schliessen();
    if (aus.Offen()) aus.Schliessen();
    LiesIOErgebnis();
    DateiLoeschen(temporaer);
    IOFehler = true;
    return Versuch::Gescheitert;
  }

  const auto verwerfen = [&] {
    if (ein.Offen()) ein.Schliessen();
    if (aus.Offen()) aus.Schliessen();
    LiesIOErgebnis();
    DateiLoeschen(temporaer);
  };
  for (;;) {
    IODateiName = quelle;
    const std::size_t gelesen = ein.LesenBlock(puffer.data(), puffer.size());
    PruefeIO();
    if (IOFehler) {
      const std::int32_t code = IOCode;
      verwerfen();
      IOCode = code;
      IOFehler = true;
      return Versuch::Gescheitert;
    }
    if (gelesen == 0) break;
    IODateiName = ziel;
    const std::size_t geschrieben = aus.SchreibenBlock(puffer.data(), gelesen);
    PruefeIO();
    // A short write, whatever its reason, counts as a full medium.
    if (geschrieben < gelesen) {
      verwerfen();
      IOFehler = true;
      IOCode = io::DiskVoll;
      return Versuch::Voll;
    }
  }
  IODateiName = ziel;
  const bool gesichert = aus.Sichern();
  aus.Schliessen();
  if (!gesichert) SetzeIOErgebnis(io::SchreibFehler);
  PruefeIO();
  const bool fehler = IOFehler;
  ein.Schliessen();
  LiesIOErgebnis();
  if (fehler) {
    DateiLoeschen(temporaer);
    IOFehler = true;
    return Versuch::Gescheitert;
  }
  DateizeitUebernehmen(quelle, temporaer);
  Umbenennen(temporaer, ziel);
  PruefeIO();
  if (IOFehler) {
    DateiLoeschen(temporaer);
    return Versuch::Gescheitert;
  }
  return Versuch::Fertig;
}

}  // namespace

bool KopiereDatei(const std::string& quelle, const std::string& ziel) {
  std::vector<char> puffer(kPuffer);
  const std::string temporaer = ziel + ".neu";
  for (;;) {
    if (!DateiExistiert(quelle)) {
      ZeigeMeldung("Quelldatei nicht gefunden!");
      Abbruch = true;
      return false;
    }
    if (quelle == ziel || (DateiExistiert(ziel) && DieselbeDatei(quelle, ziel))) {
      ZeigeMeldung("Datei kann nicht in sich selbst kopiert werden!");
      Abbruch = true;
      return false;
    }
    ZeigeFortschritt("kopiere Datei: " + quelle, 0);
    switch (Kopieren(quelle, temporaer, ziel, puffer)) {
      case Versuch::Fertig:
        return true;
      case Versuch::Gescheitert:
        Abbruch = true;
        return false;
      case Versuch::Voll:
        break;
    }
    // Without a person to change the medium the question would come back
    // for ever: the full medium ends the copy.
    bool weiter = true;
    if (PersonAntwortet())
      FrageJaNein("Die Diskette ist voll! Bitte eine neue einlegen!", "Datensicherung fortsetzen?", weiter);
    else
      weiter = false;
    if (!weiter || !LegePfadAn(ziel)) {
      Abbruch = true;
      ZeigeFortschritt(std::string(), 0);
      return false;
    }
  }
}

bool LegePfadAn(const std::string& pfad) {
  for (;;) {
    std::string rest = pfad;
    std::string gebaut;
    bool nochmal = false;
    while (rest.find_first_of("\\/") != std::string::npos && !(rest.size() == 1 && IstTrenner(rest[0]))) {
      const std::size_t p = rest.find_first_of("\\/");
      gebaut += rest.substr(0, p);
      const char trenner = rest[p];
      rest.erase(0, p + 1);
      IODateiName = gebaut;
      if (gebaut.size() > 2) {
        const int code = Nachschlagen(gebaut);
        if (LaufwerkUnbrauchbar(code)) {
          bool aufgeben = true;
          if (PersonAntwortet())
            FrageJaNein("Das Ziellaufwerk ist nicht OK!", "Kopiervorgang abbrechen?", aufgeben);
          else
            ZeigeMeldung("Das Ziellaufwerk ist nicht OK!");
          if (aufgeben) {
            Abbruch = true;
            return false;
          }
          nochmal = true;  // the user may have set the drive right
          break;
        }
        if (code == io::DateiNichtGefunden) {
          OrdnerAnlegen(gebaut);
          PruefeIO();
        }
      }
      gebaut.push_back(trenner);
    }
    if (!nochmal) return true;
  }
}

}  // namespace davo::app
