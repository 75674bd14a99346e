#include "addresses/AdrAuswahl.h"

#include <algorithm>
#include <optional>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Plattform.h"
#include "app/Reihenfolge.h"
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

void Spalte(std::string& zeile, std::string_view text) {
  zeile += text;
  if (text.size() < 30) zeile.append(30 - text.size(), ' ');
}

}  // namespace

void AdrListeSortieren(AdrListe& liste) {
  app::Schluesselsatz s;
  s.Reservieren(liste.size(), 128);
  for (std::size_t i = 0; i < liste.size(); ++i) s.HinzuSortiert(liste[i].Text, i);
  app::Umordnen(liste, 0, s.Sortiert());
}

void AdrListeEinordnen(AdrListe& liste, AdrListe neue) {
  if (neue.empty()) return;
  AdrListeSortieren(neue);
  // Both ordered lists with their keys in one buffer, merged; on equal keys
  // the line already in the list goes first.
  const std::size_t n = liste.size();
  app::Schluesselsatz s;
  s.Reservieren(n + neue.size(), 128);
  for (std::size_t i = 0; i < n; ++i) s.HinzuSortiert(liste[i].Text, i);
  for (std::size_t j = 0; j < neue.size(); ++j) s.HinzuSortiert(neue[j].Text, n + j);
  const auto& e = s.Eintraege();
  AdrListe zusammen;
  zusammen.reserve(e.size());
  std::size_t i = 0, j = n;
  while (i < n || j < e.size()) {
    if (i == n || (j < e.size() && s.Vergleich(e[j], e[i]) < 0))
      zusammen.push_back(std::move(neue[j++ - n]));
    else
      zusammen.push_back(std::move(liste[i++]));
  }
  liste = std::move(zusammen);
}

void AdrListeEinfuegen(AdrListe& liste, AdrZeile zeile) {
  const std::string schluessel = plattform::Sortierschluessel(zeile.Text);
  const auto pos = std::partition_point(liste.begin(), liste.end(), [&](const AdrZeile& z) {
    return plattform::Sortierschluessel(z.Text) <= schluessel;
  });
  liste.insert(pos, std::move(zeile));
}

namespace {
void ZeileAnhaengen(std::string& ziel, const TAdresse& adresse, int sortierung, std::int32_t nr) {
  if (sortierung < 0 || sortierung > 4) sortierung = 0;
  for (int f : kSpalten[sortierung]) Spalte(ziel, adresse.TextAnsicht(f));
  ziel += std::to_string(nr + 1);
}
}  // namespace

std::string AdrZeileText(const TAdresse& adresse, int sortierung, std::int32_t nr) {
  std::string zeile;
  zeile.reserve(96);
  ZeileAnhaengen(zeile, adresse, sortierung, nr);
  return zeile;
}

IOErgebnis AdrZeilenAufbauen(Adressdatei& datei, int sortierung, AdrZeilen& zeilen) {
  zeilen = AdrZeilen();
  std::vector<AdrZeilen::Zeile>& z = zeilen.zeilen_;
  std::int32_t letzte = -1;
  const IOErgebnis ergebnis = Durchlaufen(
      datei,
      [&](std::int32_t nr, TAdresse& satz) {
        if (z.empty()) {
          z.reserve(static_cast<std::size_t>(datei.Anzahl));
          zeilen.text_.reserve(static_cast<std::size_t>(datei.Anzahl) * 100);
        }
        const std::size_t anfang = zeilen.text_.size();
        ZeileAnhaengen(zeilen.text_, satz, sortierung, nr);
        z.push_back({anfang, static_cast<std::uint32_t>(zeilen.text_.size() - anfang), nr});
        // The buffer is left with the last record read, as reading record by
        // record leaves it; only that one is copied.
        if (nr + 1 == datei.Anzahl) datei.Satz = satz;
        letzte = nr;
        return false;
      },
      false, BeiLesefehler::Aufhoeren);
  if (letzte >= 0 && letzte + 1 < datei.Anzahl) {
    // The walk stopped at a record it could not read: the one before it.
    const std::int32_t nr = datei.Nr;
    Lesen(datei, letzte);
    datei.Nr = nr;
  }
  // A sorted list puts a new line before the equal ones already in it: the
  // later line has the smaller place among equals.
  const std::size_t n = z.size();
  app::Schluesselsatz s;
  s.Reservieren(n, 128);
  for (std::size_t i = 0; i < n; ++i) s.HinzuSortiert(zeilen.Text(i), n - 1 - i);
  std::vector<AdrZeilen::Zeile> geordnet;
  geordnet.reserve(n);
  for (const auto& e : s.Sortiert()) geordnet.push_back(z[n - 1 - e.Index]);
  z = std::move(geordnet);
  return ergebnis;
}

IOErgebnis AdrListeAufbauen(Adressdatei& datei, int sortierung, AdrListe& liste) {
  AdrZeilen zeilen;
  const IOErgebnis ergebnis = AdrZeilenAufbauen(datei, sortierung, zeilen);
  liste.clear();
  liste.reserve(zeilen.size());
  for (std::size_t i = 0; i < zeilen.size(); ++i) liste.push_back({std::string(zeilen.Text(i)), zeilen.Nr(i)});
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
  const std::string schluessel = plattform::Sortierschluessel(text);
  const auto pos = std::partition_point(
      liste.begin(), liste.end(), [&](const AdrZeile& z) { return plattform::Sortierschluessel(z.Text) < schluessel; });
  return static_cast<std::size_t>(pos - liste.begin());
}

namespace {
// The upper-cased search text, or nothing (with the message) when it is empty.
std::optional<std::string> Suchtext(const std::string& text) {
  if (text.empty()) {
    ZeigeMeldung("Bitte geben Sie den zu suchenden Text ein");
    return std::nullopt;
  }
  return Grossschrift(text);
}

bool Enthaelt(std::string_view zeile, const std::string& gesucht) {
  return Grossschrift(zeile).find(gesucht) != std::string::npos;
}
}  // namespace

bool AdrListeSuchen(const AdrListe& alle, const std::string& text, AdrListe& treffer) {
  const std::optional<std::string> gesucht = Suchtext(text);
  if (!gesucht) return false;
  treffer.clear();
  for (const auto& z : alle)
    if (Enthaelt(z.Text, *gesucht)) treffer.push_back(z);
  return true;
}

bool AdrZeilenSuchen(AdrZeilen& zeilen, const std::string& text) {
  const std::optional<std::string> gesucht = Suchtext(text);
  if (!gesucht) return false;
  std::erase_if(zeilen.zeilen_, [&](const AdrZeilen::Zeile& z) {
    return !Enthaelt(std::string_view(zeilen.text_).substr(z.Anfang, z.Laenge), *gesucht);
  });
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
