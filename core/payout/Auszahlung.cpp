#include "payout/Auszahlung.h"

#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "payout/Adressenliste.h"
#include "payout/Einstellungen.h"

namespace davo::payout {

using namespace davo::app;

Currency BetragProHa = 0;
Currency KleinsterBetrag = 0;
std::function<void()> AdressenlisteFenster;
std::function<bool()> FreigabeFenster;

void ZustandZuruecksetzen() {
  AuszahlungsEinstellungen.Leeren();
  BetragProHa = 0;
  KleinsterBetrag = 0;
  Adressenliste = AdressenlisteModell{};
  AdressenlisteFenster = nullptr;
  FreigabeFenster = nullptr;
}

std::optional<Currency> AuszahlungsBetrag(Currency flaeche, Currency betragProHa, Currency kleinsterBetrag) {
  const std::optional<Currency> betrag = MulDivGeprueft(flaeche, betragProHa, CurrencyEins, Rundung::HalbGerade);
  if (!betrag) return std::nullopt;
  return kleinsterBetrag > *betrag ? 0 : *betrag;
}

namespace {
// Reads the amounts in their order into aus, as far as they read.
bool BetraegeLesen(const std::string& betragProHaText, const std::string& kleinsterBetragText, Betraege& aus) {
  const Eingabe r = EingabeLesen(betragProHaText, Zahlart::Betrag);
  if (!r.Gueltig()) {
    ZeigeWarnung("Eingabefehler bei Auszahlungsbetrag / ha! " + EingabeZitat(betragProHaText, r));
    return false;
  }
  aus.ProHa = r.Wert;
  const Eingabe m = EingabeLesen(kleinsterBetragText, Zahlart::Betrag);
  if (!m.Gueltig()) {
    ZeigeWarnung("Eingabefehler kleinster auszuzahlender Betrag! " + EingabeZitat(kleinsterBetragText, m));
    return false;
  }
  aus.Kleinster = m.Wert;
  return true;
}
}  // namespace

std::optional<Betraege> EingabenLesen(const std::string& betragProHaText, const std::string& kleinsterBetragText) {
  Betraege b;
  if (!BetraegeLesen(betragProHaText, kleinsterBetragText, b)) return std::nullopt;
  return b;
}

bool EingabenPruefen(const std::string& betragProHaText, const std::string& kleinsterBetragText) {
  Betraege b;
  const bool ok = BetraegeLesen(betragProHaText, kleinsterBetragText, b);
  BetragProHa = b.ProHa;
  KleinsterBetrag = b.Kleinster;
  return ok;
}

namespace {
// Days since 1970-01-01 of a civil date and back (proleptic Gregorian).
long long TageAusDatum(int y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void DatumAusTagen(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}
}  // namespace

DatumZeit TagePlus(const DatumZeit& d, int n) {
  DatumZeit e = d;
  DatumAusTagen(TageAusDatum(d.Jahr, d.Monat, d.Tag) + n, e.Jahr, e.Monat, e.Tag);
  e.Wochentag = WochentagVon(e.Jahr, e.Monat, e.Tag);
  return e;
}

DatumZeit AusfuehrungsdatumVorschlag(const DatumZeit& heute) {
  const int wochentag = WochentagVon(heute.Jahr, heute.Monat, heute.Tag);  // 0 = Sunday
  const int tage = wochentag == 1 ? 7 : (wochentag == 2 ? 6 : 5);
  return TagePlus(heute, tage);
}

void AuszahlungsModell::Oeffnen() {
  Titel = " ZQ-Davozedizarorevodo  // " + AktAdrBasis;
  EinstellungenLesen();
  for (int i = 0; i < TAuszahlungsEinstellungen::AnzahlTexte; ++i)
    Texte[static_cast<std::size_t>(i)] = AuszahlungsEinstellungen.Feld(i);
  SepaFormatByte = AuszahlungsEinstellungen.SepaFormat();
  Ausfuehrungsdatum = AusfuehrungsdatumVorschlag(Jetzt());
}

void AuszahlungsModell::Schliessen() {
  for (int i = 0; i < TAuszahlungsEinstellungen::AnzahlTexte; ++i)
    AuszahlungsEinstellungen.SetzeFeld(i, Kurz(Texte[static_cast<std::size_t>(i)], 255));
  AuszahlungsEinstellungen.SetzeSepaFormat(SepaFormatByte);
  EinstellungenSchreiben();
}

void AuszahlungsModell::OrdnerWaehlen() {
  DateiDialog dialog;
  dialog.Dateiname = Texte[TAuszahlungsEinstellungen::SepaOrdner] + "sepa.xml";
  dialog.StartOrdner = Texte[TAuszahlungsEinstellungen::SepaOrdner];
  auto wahl = SpeichernDialog(dialog);
  if (!wahl || !PfadDarstellbar(*wahl)) return;
  const std::size_t p = wahl->Pfad.find_last_of("\\/");
  Texte[TAuszahlungsEinstellungen::SepaOrdner] = p == std::string::npos ? std::string() : wahl->Pfad.substr(0, p + 1);
}

bool AuszahlungsModell::Liste(int art) {
  if (!EingabenPruefen(Texte[TAuszahlungsEinstellungen::BetragProHaText],
                       Texte[TAuszahlungsEinstellungen::KleinsterBetragText]))
    return false;
  // A list that could not be built whole was reported; it is not shown.
  if (Adressenliste.AuszahlungslisteAufbauen(art, BetragProHa, KleinsterBetrag,
                                             Texte[TAuszahlungsEinstellungen::Belegtext1]) &&
      AdressenlisteFenster)
    AdressenlisteFenster();
  return true;
}

SepaVorgaben AuszahlungsModell::Vorgaben() const {
  using E = TAuszahlungsEinstellungen;
  SepaVorgaben v;
  v.Auftraggeber = Texte[E::Auftraggeber];
  v.Adresse = Texte[E::AuftraggeberAdresse];
  v.BIC = Texte[E::AuftraggeberBIC];
  v.IBAN = Texte[E::AuftraggeberIBAN];
  v.Ordner = Texte[E::SepaOrdner];
  v.Belegtext = Texte[E::Belegtext1];
  v.Ausfuehrung = Ausfuehrungsdatum;
  v.Format = SepaFormatAusByte(SepaFormatByte).value_or(SepaFormat::Pain09);
  return v;
}

void AuszahlungsModell::SepaDatei() {
  if (!EingabenPruefen(Texte[TAuszahlungsEinstellungen::BetragProHaText],
                       Texte[TAuszahlungsEinstellungen::KleinsterBetragText]))
    return;
  if (!SepaFormatAusByte(SepaFormatByte)) {
    ZeigeMeldung("Das SEPA-Format der Auszahlungseinstellungen ist unbekannt (" + std::to_string(SepaFormatByte) +
                 "). Bitte ein SEPA-Format w\xE4hlen.");
    return;
  }
  const SepaVorgaben v = Vorgaben();
  if (!AuftraggeberPruefen(v)) return;
  AdressenlisteModell& liste = Adressenliste;
  if (!liste.FreigabelisteAufbauen(BetragProHa, KleinsterBetrag, v.Belegtext)) return;
  if (!FreigabeFenster || !FreigabeFenster()) return;
  SepaDateiSchreiben(liste, v);
}

}  // namespace davo::payout
