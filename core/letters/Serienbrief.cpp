#include "letters/Serienbrief.h"

#include <algorithm>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "app/Plattform.h"
#include "app/Text.h"
#include "letters/Vorlage.h"
#include "printing/Druck.h"

namespace davo::letters {

using namespace davo::app;
using addresses::AktAdresse;

const char* const FilterSerienbrief = "Textdateien|*.txt|alle Dateien|*.*";
const char* const StartordnerSerienbrief = "C:\\zq-soft\\virezizo";

namespace {

void Spalte32(std::string& zeile, const std::string& text) {
  zeile += text;
  if (text.size() < 32) zeile.append(32 - text.size(), ' ');
}

const char* const kKeineVorlage = "Bitte Datei f\xFCr Serienbriefausgabe w\xE4hlen!";

}  // namespace

std::string Listenzeile(const addresses::TAdresse& a, std::int32_t nr) {
  std::string zeile;
  Spalte32(zeile, a.Text(addresses::Sortierung));
  Spalte32(zeile, a.Text(addresses::Name1));
  Spalte32(zeile, a.Text(addresses::Postfach));
  zeile += std::to_string(static_cast<std::int64_t>(nr) + 1);
  return zeile;
}

bool VorlageAusgeben(const std::string& dateiname) { return VorlageAusgeben(dateiname, AktAdresse); }

bool VorlageAusgeben(const std::string& dateiname, const addresses::TAdresse& adresse) {
  std::vector<std::string> zeilen;
  const bool gelesen = TextdateiLesen(dateiname, false, zeilen) == Leseergebnis::Gelesen;
  for (const std::string& gelesen : zeilen) {
    std::string z = Kurz(ErsetzePlatzhalter(gelesen, adresse), 255);
    for (;;) {
      const std::size_t p = z.find('!');
      if (p == std::string::npos) break;
      // A "!" before a blank or among the last two characters ends the keys.
      if ((p + 1 < z.size() && z[p + 1] == ' ') || z.size() < p + 3) break;
      printing::DruckZelle(z.substr(0, p), static_cast<int>(p));
      z.erase(0, p + 1);
      const std::string kennung = z.substr(0, 3);
      if (printing::IstSteuerkennung(kennung)) z.erase(0, kennung.size());
      else printing::DruckZelle("!", 1);
    }
    printing::DruckZelle(z, static_cast<int>(z.size()));
    printing::DruckSteuerung(printing::Zeilenvorschub);
  }
  return gelesen;
}

bool SerienbriefDrucken(const std::string& vorlage) { return SerienbriefDrucken(vorlage, AktAdresse); }

bool SerienbriefDrucken(const std::string& vorlage, const addresses::TAdresse& adresse) {
  printing::DruckReset();
  printing::DruckBeginn();
  printing::Druckzustand.OhneSeitenkopf = true;
  const bool gelesen = VorlageAusgeben(vorlage, adresse);
  printing::DruckEnde();
  return gelesen;
}

void SerienbriefModell::Aktivieren() {
  Gruppe = std::clamp(Gruppe, 0, 255);
  addresses::AdrListeAufbauen(0);
  Titel = " Serienbrief // " + addresses::AdrDateiName;
  Vorlage = Konfiguration.Serienbriefdatei();
}

void SerienbriefModell::VorlageWaehlen() {
  DateiDialog dialog;
  dialog.Filter = FilterSerienbrief;
  dialog.StartOrdner = StartordnerSerienbrief;
  dialog.Dateiname = Vorlage;
  auto wahl = OeffnenDialog(dialog);
  if (!wahl || !PfadDarstellbar(*wahl)) return;
  Vorlage = wahl->Pfad;
  Konfiguration.SetzeSerienbriefdatei(wahl->Pfad);
  SchreibeKonfiguration();
}

void SerienbriefModell::AdresseWaehlen() {
  addresses::AdresseWaehlen();
  addresses::AdresseLesen(addresses::GewaehlteAdrNr);
  Memo.clear();
  for (int f : {addresses::Anrede, addresses::Name1, addresses::Name2, addresses::Strasse, addresses::Postfach,
                addresses::Ort, addresses::Telefon, addresses::Feld9})
    Memo.push_back(AktAdresse.Text(f));
}

void SerienbriefModell::Einfuegen(const addresses::TAdresse& adresse, std::int32_t nr) {
  addresses::AdrListeEinfuegen(Liste, {Listenzeile(adresse, nr), nr});
}

void SerienbriefModell::AdresseEinfuegen() { Einfuegen(AktAdresse, addresses::AktAdrNr); }

bool SerienbriefModell::GruppeEinfuegen() {
  IODateiName = addresses::AdrDateiName;
  return PruefeIOErgebnis(GruppeEinfuegen(addresses::AktiveAdressdatei));
}

IOErgebnis SerienbriefModell::GruppeEinfuegen(addresses::Adressdatei& datei) {
  const int g = std::clamp(Gruppe, 0, 255);
  std::int32_t letzte = -1;
  addresses::AdrListe neue;
  const IOErgebnis gelesen = addresses::Durchlaufen(datei, [&](std::int32_t nr, addresses::TAdresse& a) {
    if (a.Gruppe() == g) neue.push_back({Listenzeile(a, nr), nr});
    // Like a walk record by record, the buffer is left with the last record
    // read; only that one is copied.
    if (nr + 1 == datei.Anzahl) datei.Satz = a;
    letzte = nr;
    return false;
  });
  if (letzte >= 0) {
    if (letzte + 1 < datei.Anzahl) addresses::Lesen(datei, letzte);  // the last records could not be read
    datei.Nr = letzte;
  }
  // The group's lines sorted once and merged into the list, each behind the
  // lines equal to it, as adding them one by one puts them.
  addresses::AdrListeEinordnen(Liste, std::move(neue));
  return gelesen;
}

void SerienbriefModell::ZeileLoeschen(int index) {
  if (index < 0 || index >= static_cast<int>(Liste.size())) return;
  Liste.erase(Liste.begin() + index);
}

bool SerienbriefModell::VorlageVorhanden() {
  if (!Vorlage.empty() && DateiExistiert(Vorlage)) return true;
  ZeigeMeldung(kKeineVorlage);
  return false;
}

void SerienbriefModell::BriefAktuell() {
  if (VorlageVorhanden()) SerienbriefDrucken(Vorlage);
}

void SerienbriefModell::BriefeListe() {
  if (!VorlageVorhanden()) return;
  const addresses::AdrListe liste = Liste;
  if (EinAuftrag) {
    BriefeInEinemAuftrag(liste);
    return;
  }
  for (const auto& z : liste) {
    addresses::AdresseLesen(z.Nr);
    bool antwort = true;
    FrageJaNein(AktAdresse.Text(addresses::Name1), "Adresse drucken? ", antwort);
    if (antwort) SerienbriefDrucken(Vorlage);
  }
}

void SerienbriefModell::BriefeInEinemAuftrag(const addresses::AdrListe& liste) {
  if (liste.empty()) return;
  bool antwort = true;
  const std::string anzahl = liste.size() == 1 ? "1 Brief" : std::to_string(liste.size()) + " Briefe";
  FrageJaNein("Vorlage: " + Vorlage, anzahl + " drucken?", antwort);
  if (!antwort) return;
  printing::DruckReset();
  printing::DruckBeginn();
  if (Abbruch) return;
  printing::Druckzustand.OhneSeitenkopf = true;
  bool erster = true;
  for (const auto& z : liste) {
    // A record that cannot be read was reported; it gets no letter.
    if (!addresses::AdresseLesen(z.Nr)) continue;
    if (!erster) printing::DruckNeuerTeil();
    erster = false;
    // A template that cannot be read is reported once, not for every letter.
    if (!VorlageAusgeben(Vorlage)) break;
  }
  printing::DruckEnde();
}

void SerienbriefModell::ListeDrucken() {
  IODateiName = addresses::AdrDateiName;
  PruefeIOErgebnis(ListeDrucken(addresses::AktiveAdressdatei));
}

IOErgebnis SerienbriefModell::ListeDrucken(addresses::Adressdatei& datei) {
  if (Liste.empty()) return IOErgebnis();
  IOSchritte schritte(datei.Pfad);
  printing::DruckReset();
  printing::DruckBeginn();
  printing::DruckSteuerung(printing::SchmalEin);
  // The printed line of every listed record, read with one forward pass over
  // the file and kept in one buffer; a record that cannot be read prints its
  // line with empty fields, as an empty record would.
  std::vector<std::int32_t> nummern;
  nummern.reserve(Liste.size());
  for (const auto& z : Liste) nummern.push_back(z.Nr);
  std::sort(nummern.begin(), nummern.end());
  nummern.erase(std::unique(nummern.begin(), nummern.end()), nummern.end());
  const auto stelle = [&nummern](std::int32_t nr) {
    return static_cast<std::size_t>(std::lower_bound(nummern.begin(), nummern.end(), nr) - nummern.begin());
  };
  const auto druckzeile = [](const addresses::TAdresse& a) {
    return a.Text(addresses::Name1) + "; " + a.Text(addresses::Name2) + "; " + a.Text(addresses::Strasse) + "; " +
           a.Text(addresses::Ort);
  };
  const std::string leer = druckzeile(addresses::TAdresse());
  constexpr std::size_t kFehlt = static_cast<std::size_t>(-1);
  std::string texte;
  std::vector<std::size_t> anfang(nummern.size(), kFehlt);
  std::vector<std::size_t> laenge(nummern.size(), 0);
  const std::int32_t letzteZeile = Liste.back().Nr;
  bool letzteGelesen = false;
  schritte.Uebernimm(addresses::SaetzeLesen(datei, nummern, [&](std::int32_t nr, const addresses::TAdresse& a) {
    const std::size_t i = stelle(nr);
    anfang[i] = texte.size();
    texte += druckzeile(a);
    laenge[i] = texte.size() - anfang[i];
    if (nr == letzteZeile) {
      datei.Satz = a;
      letzteGelesen = true;
    }
  }));
  for (const auto& z : Liste) {
    const std::size_t i = stelle(z.Nr);
    printing::DruckText(anfang[i] == kFehlt ? leer : texte.substr(anfang[i], laenge[i]));
    printing::DruckSteuerung(printing::Zeilenvorschub);
  }
  // The buffer is left with the record of the last line, as reading line by
  // line leaves it.
  if (!letzteGelesen) datei.Satz.Leeren();
  datei.Nr = letzteZeile;
  printing::DruckSteuerung(printing::SchmalAus);
  printing::DruckEnde();
  const std::string htm = datei.Basis() + ".htm";
  if (DateiExistiert(htm)) OeffneMitProgramm(htm, "", OrdnerVon(htm), AnzeigeMaximiert);
  else ZeigeMeldung("Datei: " + htm + " nicht gefunden!");
  return schritte.Ergebnis();
}

}  // namespace davo::letters
