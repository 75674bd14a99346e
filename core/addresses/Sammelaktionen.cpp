#include "addresses/Sammelaktionen.h"

#include <cstdio>
#include <functional>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"

namespace davo::addresses {

using namespace davo::app;

Aktionsergebnis Sammelaktion(const std::string& oben, const std::string& frage,
                             const std::function<bool(TAdresse&)>& aendern,
                             const std::function<std::string()>& schluss) {
  AktAdresse.Leeren();
  IODateiName = AdrDateiName;
  if (!DateiExistiert(AdrDateiName)) {
    ZeigeMeldung("Adressdatei: " + AdrDateiName + " nicht gefunden!");
    return Aktionsergebnis::Fehler;
  }
  bool antwort = false;
  FrageJaNein(oben, frage, antwort);
  if (!antwort) return Aktionsergebnis::Abgelehnt;
  const bool ok = AdressenDurchlaufen(
      [&](std::int32_t, TAdresse& satz) {
        const bool geaendert = aendern(satz);
        AktAdresse = satz;
        return geaendert;
      },
      true);
  if (schluss) ZeigeMeldung(schluss());
  return ok ? Aktionsergebnis::Erledigt : Aktionsergebnis::Fehler;
}

namespace {

bool SetzeByte(std::uint8_t alt, std::uint8_t neu, const std::function<void(std::uint8_t)>& setzen) {
  if (alt == neu) return false;
  setzen(neu);
  return true;
}

}  // namespace

Aktionsergebnis AuszahlungFreiSetzen(std::uint8_t wert) {
  const std::string oben = wert ? "Sollen alle Adressen mit der Aktion \"Auszahlung freigegeben\" markiert werden?"
                                : "Sollen alle Adressen mit der Aktion \"Auszahlung nicht freigegeben\" markiert werden?";
  return Sammelaktion(
      oben, "",
      [&](TAdresse& a) {
        return SetzeByte(a.AuszahlungFrei(), wert, [&](std::uint8_t v) { a.SetzeAuszahlungFrei(v); });
      },
      [&] {
        return std::string(wert ? "Aktion \"Auszahlung freigeben\" wurde f\xFCr alle Adressen eingeschaltet!"
                                : "Aktion \"Auszahlung freigeben\" wurde f\xFCr alle Adressen ausgeschaltet!");
      });
}

Aktionsergebnis SerienbriefSetzen(std::uint8_t wert) {
  const std::string oben = wert ? "Sollen alle Adressen mit der Aktion \"Serienbrief drucken\" markiert werden?"
                                : "Sollen alle Adressen mit der Aktion \"Serienbrief nicht drucken\" markiert werden?";
  return Sammelaktion(
      oben, "",
      [&](TAdresse& a) {
        return SetzeByte(a.SerienbriefDruck(), wert, [&](std::uint8_t v) { a.SetzeSerienbriefDruck(v); });
      },
      [&] {
        return std::string(wert ? "Aktion \"Serienbrief drucken\" wurde f\xFCr alle Adressen eingeschaltet!"
                                : "Aktion \"Serienbrief drucken\" wurde f\xFCr alle Adressen ausgeschaltet!");
      });
}

Aktionsergebnis GruppenAufNull() {
  return Sammelaktion("Sollen alle Adressen die Gruppennummer 0 erhalten?", "", [](TAdresse& a) {
    return SetzeByte(a.Gruppe(), 0, [&](std::uint8_t v) { a.SetzeGruppe(v); });
  });
}

Aktionsergebnis GruppeAusSerienbrief() {
  return Sammelaktion("Sollen alle Adressen mit der Aktion \"Serienbrief drucken\" als Gruppe 1 markiert werden?",
               "(Die anderen werden Gruppe 0)", [](TAdresse& a) {
                 return SetzeByte(a.Gruppe(), a.SerienbriefDruck(), [&](std::uint8_t v) { a.SetzeGruppe(v); });
               });
}

Aktionsergebnis GruppeAusAuszahlung() {
  return Sammelaktion("Sollen alle Adressen mit der Aktion \"Auszahlung freigegeben\" als Gruppe 1 markiert werden?",
               "(Die anderen werden Gruppe 0)", [](TAdresse& a) {
                 return SetzeByte(a.Gruppe(), a.AuszahlungFrei(), [&](std::uint8_t v) { a.SetzeGruppe(v); });
               });
}

}  // namespace davo::addresses
