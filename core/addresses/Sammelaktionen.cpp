#include "addresses/Sammelaktionen.h"

#include <cstdio>
#include <functional>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Umwandlung.h"
#include "payout/Auszahlung.h"
#include "payout/Einstellungen.h"

namespace davo::addresses {

using namespace davo::app;

namespace {

// The walk all actions share. aendern returns true when it changed the
// record; schluss gives the closing message (none when empty), shown whenever
// the walk ran, also after a file error on the way.
Aktionsergebnis Sammelaktion(const std::string& oben, const std::string& frage,
                             const std::function<bool(TAdresse&)>& aendern,
                             const std::function<std::string()>& schluss = {}) {
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

KleinsteFlaeche KleinsteAuszahlungsflaeche(const std::string& betragProHaText, const std::string& kleinsterBetragText) {
  KleinsteFlaeche k;
  const BetragErgebnis r = BetragEinlesen(betragProHaText);
  const BetragErgebnis m = BetragEinlesen(kleinsterBetragText);
  if (r.Fehler || m.Fehler || m.Wert <= 0) return k;
  if (r.Wert == 0) {
    k.Berechenbar = false;
    return k;
  }
  k.Flaeche = MulDiv(m.Wert, CurrencyEins, r.Wert, Rundung::HalbGerade);
  return k;
}

Aktionsergebnis SerienbriefNachFlaeche() {
  bool antwort = false;
  FrageJaNein("Bitte erfassen Sie unter Auszahlung den Betrag/ha und den kleinsten Auszahlungsbetrag",
              "Soll die Serienbrieffunktion f\xFCr alle Adressen mit Auszahlung aktiviert werden?", antwort);
  if (!antwort) return Aktionsergebnis::Abgelehnt;
  if (!AdrDateiOeffnen()) return Aktionsergebnis::Abgelehnt;
  payout::EinstellungenLesen();
  using E = payout::TAuszahlungsEinstellungen;
  // The stored texts are checked as the payout window checks them.
  if (!payout::EingabenPruefen(payout::AuszahlungsEinstellungen.Feld(E::BetragProHaText),
                               payout::AuszahlungsEinstellungen.Feld(E::KleinsterBetragText)))
    return Aktionsergebnis::Fehler;
  const KleinsteFlaeche k = KleinsteAuszahlungsflaeche(payout::AuszahlungsEinstellungen.Feld(E::BetragProHaText),
                                                       payout::AuszahlungsEinstellungen.Feld(E::KleinsterBetragText));
  if (!k.Berechenbar) {
    ZeigeMeldung(
        "Der Auszahlungsbetrag / ha ist 0. Die kleinste auszuzahlende Fl\xE4" "che kann nicht berechnet werden.");
    return Aktionsergebnis::Fehler;
  }
  // The area with a decimal point and 4 decimals, right-aligned in 8.
  std::string text = SepaBetragText(BetragKompakt(k.Flaeche, 20, 4));
  if (text.size() < 8) text.insert(0, 8 - text.size(), ' ');
  ZeigeMeldung("Die kleinste auszuzahlende Fl\xE4" "che betr\xE4gt " + text + " ha");
  std::int32_t anzahl = 0;
  return Sammelaktion(
      "Sollen alle Adressen mit Auszahlungsbetrg bei Aktion \"Serienbrief drucken\" markiert werden?", "",
      [&](TAdresse& a) {
        const std::uint8_t neu = a.Flaeche() >= k.Flaeche ? 1 : 0;
        if (neu) ++anzahl;
        return SetzeByte(a.SerienbriefDruck(), neu, [&](std::uint8_t v) { a.SetzeSerienbriefDruck(v); });
      },
      [&] { return "Aktion \"Serienbrief drucken\" wurde f\xFCr " + std::to_string(anzahl) + " Adressen einschaltet!"; });
}

}  // namespace davo::addresses
