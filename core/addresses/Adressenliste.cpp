#include "addresses/Adressenliste.h"

#include <algorithm>
#include <numeric>

#include "addresses/Adresse.h"
#include "app/Datum.h"
#include "app/Konfiguration.h"
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "letters/Vorlage.h"
#include "payout/Auszahlung.h"
#include "payout/Einstellungen.h"
#include "printing/Druck.h"
#include "printing/Druckflaeche.h"

namespace davo::addresses {

using namespace davo::app;

AdressenlisteModell Adressenliste;
const char* const Sortierungen_Liste[4] = {"Name", "BIC", "IBAN", "Fl\xE4" "che"};

namespace {

bool Gewaehlt(int art, const TAdresse& a) {
  switch (art) {
    case 1: return true;
    case 2: return a.AuszahlungFrei() == 1;
    case 3: return a.AuszahlungFrei() == 0;
    case 4: return a.Gruppe() == 0;
    case 5: return a.Gruppe() == 1;
    default: return false;
  }
}

std::string Fuenfstellig(std::int64_t n) {
  std::string s = std::to_string(n);
  if (s.size() < 5) s.insert(0, 5 - s.size(), '0');
  return s;
}

}  // namespace

bool AdressenlisteModell::AuszahlungslisteAufbauen(int art, Currency betragProHa, Currency kleinsterBetrag,
                                                   const std::string& belegtext) {
  Sortierung = 0;
  SepaSpeichernAktiv = false;
  Gitter.clear();
  Gitter.push_back({"", "Name", "Bic", "IBAN", "Fl\xE4" "che", "Betrag", "\xDC" "berweisungstext1", "Referenz"});
  Currency flaechen = 0;
  Currency betraege = 0;
  std::int64_t referenz = 0;
  const std::int64_t lauf = static_cast<std::int64_t>(payout::AuszahlungsEinstellungen.Laufnummer()) + 1;
  const bool gelesen = AdressenDurchlaufen([&](std::int32_t, TAdresse& a) {
    if (!Gewaehlt(art, a)) return false;
    AktAdresse = a;  // the placeholders are filled from the record buffer
    flaechen += a.Flaeche();
    const Currency betrag = payout::AuszahlungsBetrag(a.Flaeche(), betragProHa, kleinsterBetrag);
    betraege += betrag;
    Gitterzeile z;
    z[1] = SepaText(a.Text(Name1)) + SepaText(a.Text(Name2));
    z[2] = a.Text(BIC);
    z[3] = a.Text(IBAN);
    z[4] = BetragFormatieren(a.Flaeche(), 12, 4);
    z[5] = BetragFormatieren(betrag, 12, 2);
    z[6] = SepaText(Kurz(letters::ErsetzePlatzhalter(belegtext), 255));
    if (betrag > 0) {
      if (z[1].empty() || z[2].empty() || z[3].empty()) z[7] = "Fehler!";
      else z[7] = Fuenfstellig(lauf) + "." + Fuenfstellig(++referenz);
    }
    Gitter.push_back(std::move(z));
    return false;
  });
  Gitterzeile summe;
  summe[3] = "Summe:";
  summe[4] = BetragFormatieren(flaechen, 12, 4);
  summe[5] = BetragFormatieren(betraege, 12, 2);
  Gitter.push_back(std::move(summe));
  Kopfzeile =
      "Datum: " + DatumDeutsch(Jetzt()) + "   Auszahlungsbetrag / ha: " + BetragKompakt(betragProHa, 18, 2) + " Euro";
  const std::string c = std::to_string(Gitter.size() - 2);
  switch (art) {
    case 1: Titel = "  " + c + " Adressen wurden in der Adressenverwaltung erfasst!"; break;
    case 2: Titel = "  " + c + " Adressen wurden in der Adressenverwaltung f\xFCr eine Auszahlung freigegeben!"; break;
    case 3:
      Titel = "  " + c + " Adressen wurden in der Adressenverwaltung f\xFCr eine Auszahlung nicht freigegeben!";
      break;
    default: break;
  }
  GitterSortieren(1);
  return gelesen;
}

void AdressenlisteModell::GitterSortieren(int k) {
  if (k < 1 || k > 7 || Gitter.size() < 4) return;
  std::stable_sort(Gitter.begin() + 1, Gitter.end() - 1, [k](const Gitterzeile& a, const Gitterzeile& b) {
    return a[static_cast<std::size_t>(k)] < b[static_cast<std::size_t>(k)];
  });
}

void AdressenlisteModell::SortierungWaehlen(int index) {
  if (index < 0 || index > 3) return;
  Sortierung = index;
  GitterSortieren(index + 1);
}

void DruckZeileDirekt(const std::string& text, int& zeile) {
  printing::Druckflaeche* f = printing::Drucker();
  if (!f || !printing::DokumentOffen()) return;
  f->Text(Konfiguration.DruckLinks(), zeile * f->TextHoehe(text) + Konfiguration.DruckOben(), text);
  ++zeile;
}

void AdressenlisteModell::ListeDrucken() {
  printing::DruckBeginn();
  printing::DruckText(Titel);
  printing::DruckSteuerung(printing::Zeilenvorschub);
  if (!Kopfzeile.empty()) {
    printing::DruckText(Kopfzeile);
    printing::DruckSteuerung(printing::Zeilenvorschub);
  }
  // The owner rows show their IBAN in groups of four; the sum row keeps its
  // "Summe:".
  const auto zelle = [this](std::size_t r, std::size_t c) {
    const bool iban = c == 3 && r > 0 && r + 1 < Gitter.size();
    return iban ? IbanGruppieren(Gitter[r][c]) : Gitter[r][c];
  };
  std::array<std::size_t, 6> breiten = {0, 40, 15, 27, 15, 15};
  for (std::size_t r = 1; r + 1 < Gitter.size(); ++r) breiten[3] = std::max(breiten[3], zelle(r, 3).size());
  const auto zeile = [&](std::size_t r) {
    for (std::size_t c = 1; c <= 5; ++c) {
      const std::size_t breite = breiten[c];
      std::string t = Kurz(zelle(r, c), breite);
      if (t.size() < breite) {
        if (c == 1) t.append(breite - t.size(), ' ');
        else t.insert(0, breite - t.size(), ' ');
      }
      if (c > 1) t.insert(0, 1, ' ');
      printing::DruckText(t);
    }
    printing::DruckSteuerung(printing::Zeilenvorschub);
  };
  if (!Gitter.empty()) zeile(0);
  for (std::size_t r = 1; r < Gitter.size(); ++r) {
    if (r % 60 == 0) {
      printing::DruckSteuerung(printing::Seitenvorschub);
      zeile(0);
    }
    zeile(r);
  }
  printing::DruckEnde();
}

}  // namespace davo::addresses
