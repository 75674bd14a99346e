#include "addresses/AdrAuswahl.h"

#include <algorithm>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Plattform.h"
#include "app/Text.h"

namespace davo::addresses {

using namespace davo::app;

AdrListe AdrListeAlle;
AdrListe AdrListeSuche;
std::int32_t GewaehlteAdrNr = 0;
AdrAuswahlModell AdrAuswahl;
std::function<bool()> AdrAuswahlFenster;

const char* const Sortierungen[5] = {"Normal", "Name", "Ort", "BLZ", "Kontonummer"};

namespace {

constexpr int kSpalten[5][3] = {
    {Sortierung, Name1, Ort}, {Name1, Strasse, Ort},     {Ort, Name1, Strasse},
    {BLZ, Name1, Ort},        {Kontonummer, Name1, Ort},
};

void Spalte(std::string& zeile, const std::string& text) {
  zeile += text;
  if (text.size() < 30) zeile.append(30 - text.size(), ' ');
}

bool VorHer(const AdrZeile& a, const AdrZeile& b) { return a.Schluessel < b.Schluessel; }

}  // namespace

std::string AdrZeileText(const TAdresse& adresse, int sortierung, std::int32_t nr) {
  if (sortierung < 0 || sortierung > 4) sortierung = 0;
  std::string zeile;
  zeile.reserve(96);
  for (int f : kSpalten[sortierung]) Spalte(zeile, adresse.Text(f));
  zeile += std::to_string(nr + 1);
  return zeile;
}

IOErgebnis AdrListeAufbauen(Adressdatei& datei, int sortierung, AdrListe& liste) {
  liste.clear();
  const IOErgebnis ergebnis = Durchlaufen(
      datei,
      [&](std::int32_t nr, TAdresse& satz) {
        AdrZeile z;
        z.Text = AdrZeileText(satz, sortierung, nr);
        z.Nr = nr;
        z.Schluessel = plattform::Sortierschluessel(z.Text);
        liste.push_back(std::move(z));
        datei.Satz = satz;
        return false;
      },
      false, BeiLesefehler::Aufhoeren);
  // A sorted list puts a new line before the equal ones already in it.
  std::reverse(liste.begin(), liste.end());
  std::stable_sort(liste.begin(), liste.end(), VorHer);
  return ergebnis;
}

bool AdrListeAufbauen(int sortierung) {
  AdrListeAlle.clear();
  AdrListeSuche.clear();
  IODateiName = AdrDateiName;
  AdrListe zeilen;
  const IOErgebnis ergebnis = AdrListeAufbauen(AktiveAdressdatei, sortierung, zeilen);
  AdrListeAlle = std::move(zeilen);
  return PruefeIOErgebnis(ergebnis);
}

std::size_t AdrListeSprung(const AdrListe& liste, const std::string& text) {
  AdrZeile suche;
  suche.Schluessel = plattform::Sortierschluessel(text);
  return static_cast<std::size_t>(std::lower_bound(liste.begin(), liste.end(), suche, VorHer) - liste.begin());
}

bool AdrListeSuchen(const AdrListe& alle, const std::string& text, AdrListe& treffer) {
  if (text.empty()) {
    ZeigeMeldung("Bitte geben Sie den zu suchenden Text ein");
    return false;
  }
  treffer.clear();
  const std::string gesucht = Grossschrift(text);
  for (const auto& z : alle)
    if (Grossschrift(z.Text).find(gesucht) != std::string::npos) treffer.push_back(z);
  return true;
}

bool AdrListeSuchen(const std::string& text) { return AdrListeSuchen(AdrListeAlle, text, AdrListeSuche); }

const AdrListe& AdrAuswahlModell::Angezeigt() const { return zeigtSuche_ ? AdrListeSuche : AdrListeAlle; }

void AdrAuswahlModell::Oeffnen() {
  AdrListeAufbauen(Sortierung);
  // The list box starts with all addresses; the radio group keeps its place.
  zeigtSuche_ = false;
  Auswahl = -1;
}

void AdrAuswahlModell::SortierungWaehlen(int index) {
  if (index < 0 || index > 4) return;
  Sortierung = index;
  AdrListeAufbauen(index);
  zeigtSuche_ = false;
  Auswahl = -1;
}

void AdrAuswahlModell::AktiveListeWaehlen(int index) {
  AktiveListe = index == 1 ? 1 : 0;
  zeigtSuche_ = AktiveListe == 1;
  GeheZuGeaendert(GeheZu);
}

void AdrAuswahlModell::GeheZuGeaendert(const std::string& text) {
  GeheZu = text;
  const AdrListe& liste = Angezeigt();
  const std::size_t i = AdrListeSprung(liste, text);
  Auswahl = i < liste.size() ? static_cast<int>(i) : -1;
}

void AdrAuswahlModell::SucheStarten() {
  if (!AdrListeSuchen(Suchtext)) return;
  AktiveListeWaehlen(1);
}

bool AdrAuswahlModell::UebernehmenZeile(int index) {
  const AdrListe& liste = Angezeigt();
  if (index < 0 || index >= static_cast<int>(liste.size())) return false;
  GewaehlteAdrNr = liste[static_cast<std::size_t>(index)].Nr;
  AktAdrNr = GewaehlteAdrNr;
  return true;
}

bool AdrAuswahlModell::Uebernehmen() { return UebernehmenZeile(Auswahl); }

void AdresseWaehlen() {
  AdrAuswahl.Oeffnen();
  if (AdrAuswahlFenster) AdrAuswahlFenster();
}

}  // namespace davo::addresses
