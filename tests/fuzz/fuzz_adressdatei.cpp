// Address file bytes as the program finds them: counted, read record by
// record, listed in the chooser's orders and searched, a bulk action run over
// them, the payout list built from them, a torn file cut back. Properties: a
// record written back leaves the file's bytes as they were; a bulk action
// changes one byte per record and nothing else; a torn file is never written
// to, and cutting it keeps the whole records and a copy of all bytes.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "Fuzzhilfe.h"
#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "addresses/Sammelaktionen.h"
#include "app/Plattform.h"
#include "payout/Adressenliste.h"
#include "payout/Einstellungen.h"

namespace {
namespace a = davo::addresses;
constexpr std::size_t G = a::TAdresse::Groesse;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
  if (n > 40 * G) return -1;
  const auto ordner = davo::fuzz::Vorbereiten();
  const auto pfad = ordner / "A.ADW";
  davo::fuzz::Schreibe(pfad, daten, n);
  const std::string vorher = davo::fuzz::Lies(pfad);

  a::Adressdatei datei(pfad.string());
  DAVO_PRUEFE(a::Lesen(datei, -1).Ok());
  DAVO_PRUEFE(static_cast<std::size_t>(datei.Anzahl) == n / G);
  DAVO_PRUEFE(static_cast<std::size_t>(datei.Rest()) == n % G);

  // Each record read and written back: the same bytes (a torn file refuses
  // the write and keeps them too).
  for (std::int32_t i = 0; i < datei.Anzahl; ++i) {
    DAVO_PRUEFE(a::Lesen(datei, i).Ok());
    DAVO_PRUEFE(std::memcmp(datei.Satz.bytes.data(), vorher.data() + static_cast<std::size_t>(i) * G, G) == 0);
    DAVO_PRUEFE(a::Schreiben(datei, i).Ok() == (datei.Rest() == 0));
  }
  DAVO_PRUEFE(davo::fuzz::Lies(pfad) == vorher);

  // The chooser's lists and a search for a piece of the first name.
  for (int sortierung = 0; sortierung < 5; ++sortierung) {
    a::AdrListe liste;
    DAVO_PRUEFE(a::AdrListeAufbauen(datei, sortierung, liste).Ok());
    DAVO_PRUEFE(liste.size() == static_cast<std::size_t>(datei.Anzahl));
    for (std::size_t k = 1; k < liste.size(); ++k)
      DAVO_PRUEFE(!(davo::app::plattform::Sortierschluessel(liste[k].Text) <
                    davo::app::plattform::Sortierschluessel(liste[k - 1].Text)));
    if (!liste.empty()) {
      a::AdrListe treffer;
      const std::string text = liste[0].Text.substr(0, 3);
      if (a::AdrListeSuchen(liste, text, treffer)) DAVO_PRUEFE(!treffer.empty());
      DAVO_PRUEFE(a::AdrListeSprung(liste, text) <= liste.size());
    }
  }

  // The payout list: built or refused with a reason, never wrapped sums.
  davo::payout::TAuszahlungsEinstellungen e;
  davo::payout::AdressenlisteModell liste;
  const std::int64_t proHa = n > 0 ? static_cast<std::int64_t>(daten[0]) * 99991 : 0;
  for (int art = 1; art <= 5; ++art) liste.AuszahlungslisteAufbauen(datei, e, art, proHa, 0, "Jagdgeld !NAM1");
  liste.FreigabelisteAufbauen(datei, e, proHa, 0, "Jagdgeld");

  // A bulk action: only the flag byte of each record, set to 1.
  const a::Aktionsergebnis r = a::SerienbriefSetzen(datei, 1);
  const std::string nachher = davo::fuzz::Lies(pfad);
  DAVO_PRUEFE(nachher.size() == vorher.size());
  if (datei.Rest() != 0) {
    DAVO_PRUEFE(r != a::Aktionsergebnis::Erledigt && nachher == vorher);
  } else {
    DAVO_PRUEFE(r == a::Aktionsergebnis::Erledigt);
    for (std::size_t k = 0; k < n; ++k)
      DAVO_PRUEFE(k % G == a::TAdresse::OffsetSerienbriefDruck ? nachher[k] == 1 : nachher[k] == vorher[k]);
  }

  // A torn file cut back: its whole records, and a copy of every byte.
  if (datei.Rest() != 0) {
    std::string sicherung;
    DAVO_PRUEFE(a::AufGanzeSaetzeKuerzen(datei, sicherung).Ok());
    DAVO_PRUEFE(davo::fuzz::Lies(pfad) == vorher.substr(0, n / G * G));
    DAVO_PRUEFE(davo::fuzz::Lies(sicherung) == vorher);
  }
  return 0;
}
