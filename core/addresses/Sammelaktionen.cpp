#include "addresses/Sammelaktionen.h"

#include <cstdio>
#include <functional>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"

namespace davo::addresses {

using namespace davo::app;

Aktionsergebnis Sammelaktion(Adressdatei& datei, const std::string& oben, const std::string& frage,
                             const std::function<bool(TAdresse&)>& aendern,
                             const std::function<std::string()>& schluss) {
  datei.Satz.Leeren();
  if (!DateiExistiert(datei.Pfad)) {
    ZeigeMeldung("Adressdatei: " + datei.Pfad + " nicht gefunden!");
    return Aktionsergebnis::Fehler;
  }
  bool antwort = false;
  FrageJaNein(oben, frage, antwort);
  if (!antwort) return Aktionsergebnis::Abgelehnt;
  const IOErgebnis ergebnis = Durchlaufen(
      datei,
      [&](std::int32_t, TAdresse& satz) {
        const bool geaendert = aendern(satz);
        datei.Satz = satz;
        return geaendert;
      },
      true);
  // The closing sentence says that every record was done: only then.
  if (!ZeigeIOErgebnis(ergebnis)) return Aktionsergebnis::Fehler;
  if (schluss) ZeigeMeldung(schluss());
  return Aktionsergebnis::Erledigt;
}

namespace {

bool SetzeByte(std::uint8_t alt, std::uint8_t neu, const std::function<void(std::uint8_t)>& setzen) {
  if (alt == neu) return false;
  setzen(neu);
  return true;
}

}  // namespace

Aktionsergebnis AuszahlungFreiSetzen(Adressdatei& datei, std::uint8_t wert) {
  const std::string oben = wert ? "Sollen alle Adressen mit der Aktion \"Auszahlung freigegeben\" markiert werden?"
                                : "Sollen alle Adressen mit der Aktion \"Auszahlung nicht freigegeben\" markiert werden?";
  return Sammelaktion(
      datei, oben, "",
      [&](TAdresse& a) {
        return SetzeByte(a.AuszahlungFrei(), wert, [&](std::uint8_t v) { a.SetzeAuszahlungFrei(v); });
      },
      [&] {
        return std::string(wert ? "Aktion \"Auszahlung freigeben\" wurde f\xFCr alle Adressen eingeschaltet!"
                                : "Aktion \"Auszahlung freigeben\" wurde f\xFCr alle Adressen ausgeschaltet!");
      });
}

Aktionsergebnis SerienbriefSetzen(Adressdatei& datei, std::uint8_t wert) {
  const std::string oben = wert ? "Sollen alle Adressen mit der Aktion \"Serienbrief drucken\" markiert werden?"
                                : "Sollen alle Adressen mit der Aktion \"Serienbrief nicht drucken\" markiert werden?";
  return Sammelaktion(
      datei, oben, "",
      [&](TAdresse& a) {
        return SetzeByte(a.SerienbriefDruck(), wert, [&](std::uint8_t v) { a.SetzeSerienbriefDruck(v); });
      },
      [&] {
        return std::string(wert ? "Aktion \"Serienbrief drucken\" wurde f\xFCr alle Adressen eingeschaltet!"
                                : "Aktion \"Serienbrief drucken\" wurde f\xFCr alle Adressen ausgeschaltet!");
      });
}

Aktionsergebnis GruppenAufNull(Adressdatei& datei) {
  return Sammelaktion(datei, "Sollen alle Adressen die Gruppennummer 0 erhalten?", "",
                      [](TAdresse& a) { return SetzeByte(a.Gruppe(), 0, [&](std::uint8_t v) { a.SetzeGruppe(v); }); });
}

Aktionsergebnis GruppeAusSerienbrief(Adressdatei& datei) {
  return Sammelaktion(datei,
                      "Sollen alle Adressen mit der Aktion \"Serienbrief drucken\" als Gruppe 1 markiert werden?",
                      "(Die anderen werden Gruppe 0)", [](TAdresse& a) {
                        return SetzeByte(a.Gruppe(), a.SerienbriefDruck(), [&](std::uint8_t v) { a.SetzeGruppe(v); });
                      });
}

Aktionsergebnis GruppeAusAuszahlung(Adressdatei& datei) {
  return Sammelaktion(
      datei, "Sollen alle Adressen mit der Aktion \"Auszahlung freigegeben\" als Gruppe 1 markiert werden?",
      "(Die anderen werden Gruppe 0)",
      [](TAdresse& a) { return SetzeByte(a.Gruppe(), a.AuszahlungFrei(), [&](std::uint8_t v) { a.SetzeGruppe(v); }); });
}

}  // namespace davo::addresses
