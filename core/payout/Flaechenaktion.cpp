#include "payout/Flaechenaktion.h"

#include "addresses/Adresse.h"
#include "app/Dialoge.h"
#include "app/Umwandlung.h"
#include "payout/Auszahlung.h"
#include "payout/Einstellungen.h"

namespace davo::payout {

using namespace davo::app;
using addresses::Aktionsergebnis;
using addresses::TAdresse;

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

namespace {

bool ErsteFrage() {
  bool antwort = false;
  FrageJaNein("Bitte erfassen Sie unter Auszahlung den Betrag/ha und den kleinsten Auszahlungsbetrag",
              "Soll die Serienbrieffunktion f\xFCr alle Adressen mit Auszahlung aktiviert werden?", antwort);
  return antwort;
}

using E = TAuszahlungsEinstellungen;

// Everything after the settings are read and their amounts checked.
Aktionsergebnis NachFlaecheSetzen(addresses::Adressdatei& datei, const TAuszahlungsEinstellungen& e) {
  const KleinsteFlaeche k = KleinsteAuszahlungsflaeche(e.Feld(E::BetragProHaText), e.Feld(E::KleinsterBetragText));
  if (!k.Berechenbar) {
    ZeigeMeldung(
        "Der Auszahlungsbetrag / ha ist 0. Die kleinste auszuzahlende Fl\xE4"
        "che kann nicht berechnet werden.");
    return Aktionsergebnis::Fehler;
  }
  // The area with a decimal point and 4 decimals, right-aligned in 8.
  std::string text = SepaBetragText(BetragKompakt(k.Flaeche, 20, 4));
  if (text.size() < 8) text.insert(0, 8 - text.size(), ' ');
  ZeigeMeldung(
      "Die kleinste auszuzahlende Fl\xE4"
      "che betr\xE4gt " +
      text + " ha");
  std::int32_t anzahl = 0;
  return addresses::Sammelaktion(
      datei, "Sollen alle Adressen mit Auszahlungsbetrg bei Aktion \"Serienbrief drucken\" markiert werden?", "",
      [&](TAdresse& a) {
        const std::uint8_t neu = a.Flaeche() >= k.Flaeche ? 1 : 0;
        if (neu) ++anzahl;
        if (a.SerienbriefDruck() == neu) return false;
        a.SetzeSerienbriefDruck(neu);
        return true;
      },
      [&] {
        return "Aktion \"Serienbrief drucken\" wurde f\xFCr " + std::to_string(anzahl) + " Adressen einschaltet!";
      });
}

}  // namespace

Aktionsergebnis SerienbriefNachFlaeche() {
  if (!ErsteFrage()) return Aktionsergebnis::Abgelehnt;
  if (!addresses::AdrDateiOeffnen()) return Aktionsergebnis::Abgelehnt;
  EinstellungenLesen();
  const TAuszahlungsEinstellungen& e = AuszahlungsEinstellungen;
  // The stored texts are checked as the payout window checks them.
  if (!EingabenPruefen(e.Feld(E::BetragProHaText), e.Feld(E::KleinsterBetragText))) return Aktionsergebnis::Fehler;
  return NachFlaecheSetzen(addresses::AktiveAdressdatei, e);
}

Aktionsergebnis SerienbriefNachFlaeche(addresses::Adressdatei& datei) {
  if (!ErsteFrage()) return Aktionsergebnis::Abgelehnt;
  TAuszahlungsEinstellungen e;
  ZeigeIOErgebnis(EinstellungenLesen(datei, e));
  if (!EingabenLesen(e.Feld(E::BetragProHaText), e.Feld(E::KleinsterBetragText))) return Aktionsergebnis::Fehler;
  return NachFlaecheSetzen(datei, e);
}

}  // namespace davo::payout
