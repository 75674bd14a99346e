#include "printing/Druck.h"

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Text.h"
#include "printing/Druckflaeche.h"

namespace davo::printing {

namespace {
std::array<std::string, 75> NeueSteuertabelle() {
  std::array<std::string, 75> Steuertabelle;
  static const char* const feste[] = {"I1 ", "I2 ", "KB ", "KE ", "GB ", "GE ", "UB ", "UE ", "FB ", "FE ",
                                       "LF ", "FF ", "EB ", "EE ", "S1 ", "S2 ", "S3 ", "S4 ", "S5 ", "S6 "};
  for (std::size_t i = 0; i < 20; ++i) Steuertabelle[i] = feste[i];
  for (int i = 0; i < 10; ++i) {
    const char ziffer = static_cast<char>('0' + i);
    Steuertabelle[static_cast<std::size_t>(20 + i)] = {'R', ziffer, ' '};
    Steuertabelle[static_cast<std::size_t>(30 + i)] = {'T', ziffer, ' '};
    Steuertabelle[static_cast<std::size_t>(40 + i)] = {'Z', ziffer, ' '};
    Steuertabelle[static_cast<std::size_t>(50 + i)].clear();
  }
  static const char* const spaete[] = {"DA ", "NR ", "RN ", "DAR", "DA1", "DA2", "DM1", "DM2",
                                       "DM3", "DM4", "DM5", "DM6", "%SK", "\x9A" "B ", "NC "};
  for (std::size_t i = 0; i < 15; ++i) Steuertabelle[60 + i] = spaete[i];
  return Steuertabelle;
}
}  // namespace

std::array<std::string, 75> Steuertabelle = NeueSteuertabelle();
int Seite = 0, Zeile = 0, Spalte = 0;
int Zeilenschritt = 0, Spaltenbreite = 0, Zeileneinheit = 0;
int RandLinks = 0, RandRechts = 0, RandOben = 0, RandUnten = 0;
int Nutzbreite = 0, Nutzhoehe = 0;
int ZeilenProSeite = 0;
bool Schmalschrift = false, Breitschrift = false;
bool KopfFaellig = false;
bool OhneSeitenkopf = false;
std::array<std::array<std::string, 4>, 5> Kopfzellen;
TDruckeinstellungen Druckeinstellungen;
TDruckerschrift Druckerschrift;

const char* const Steuercodenamen[14] = {
    "Drucker initialisieren I", "Drucker initialisieren II", "Schmalschrift ein", "Schmalschrift aus",
    "Breitschrift ein",         "Breitschrift aus",          "Unterstreichen ein", "Unterstreichen aus",
    "Fettschrift ein",          "Fettschrift aus",           "Return ( + Zeilenvorschub)", "Seitenvorschub",
    "Elite ein",                "Elite aus"};

namespace {

int gespeicherteZeilenProSeite = 90;
bool jobOffen = false;
bool direktOffen = false;

Druckflaeche* Flaeche() { return jobOffen || direktOffen ? Drucker() : nullptr; }

void StandardEinstellungen() {
  if (Druckeinstellungen.GroesseSchmal >= 4) return;
  Druckeinstellungen = {7, 10, 10, 15, 20, 25};
}

enum class Modus { Schmal, Normal, Breit };

void ModusSetzen(Modus m) {
  Druckflaeche* f = Flaeche();
  // Before the first job of the run the settings hold zeros; the defaults
  // stand in for them.
  StandardEinstellungen();
  const int zeilen = ZeilenProSeite * 10;
  Zeileneinheit = zeilen > 0 ? Nutzhoehe / zeilen : 0;
  int groesse = 0;
  switch (m) {
    case Modus::Schmal:
      Spaltenbreite = Nutzbreite / 130;
      groesse = Druckeinstellungen.GroesseSchmal;
      Zeilenschritt = Druckeinstellungen.SchrittSchmal;
      Schmalschrift = true;
      Breitschrift = false;
      break;
    case Modus::Normal:
      Spaltenbreite = Nutzbreite / 80;
      groesse = Druckeinstellungen.GroesseNormal;
      Zeilenschritt = Druckeinstellungen.SchrittNormal;
      Schmalschrift = false;
      Breitschrift = false;
      break;
    case Modus::Breit:
      Spaltenbreite = Nutzbreite / 50;
      groesse = Druckeinstellungen.GroesseBreit;
      Zeilenschritt = Druckeinstellungen.SchrittBreit;
      Breitschrift = true;
      break;
  }
  if (f) f->SetzeSchriftgroesse(groesse);
}

int X(int spalte) { return RandLinks + spalte * Spaltenbreite; }
int Y(int zeile) { return RandOben + zeile * Zeileneinheit; }

void Waagerecht(Druckflaeche& f, int von, int bis, int zeile) {
  const int y = RandOben + (zeile + 5) * Zeileneinheit;
  f.Linie(X(von) + Spaltenbreite / 2, y, X(bis) + Spaltenbreite / 2, y);
}

void Senkrecht(Druckflaeche& f, int spalte, int z1, int z2) {
  const int x = X(spalte) + Spaltenbreite / 2;
  f.Linie(x, RandOben + (z1 + 5) * Zeileneinheit, x, RandOben + (z2 + 5) * Zeileneinheit);
}

void Seitenkopf() {
  Druckflaeche* f = Flaeche();
  if (!f) return;
  KopfFaellig = false;
  Kopfzellen[4][1] = app::Kurz("Blatt: " + std::to_string(Seite + 1), 50);
  const Modus vorher = Breitschrift ? Modus::Breit : (Schmalschrift ? Modus::Schmal : Modus::Normal);
  if (vorher != Modus::Schmal) ModusSetzen(Modus::Schmal);
  Waagerecht(*f, 0, 120, Zeile);
  const int z0 = Zeile;
  Zeile += Zeilenschritt;
  for (int r = 1; r <= 4; ++r) {
    DruckZelle(Kopfzellen[r][1], 55);
    DruckZelle(Kopfzellen[r][2], 35);
    DruckZelle(Kopfzellen[r][3], 30);
    DruckSteuerung(Zeilenvorschub);
  }
  for (int spalte : {0, 55, 90, 120}) Senkrecht(*f, spalte, z0, Zeile);
  Waagerecht(*f, 0, 120, Zeile);
  Zeile += Zeilenschritt;
  if (vorher != Modus::Schmal) ModusSetzen(vorher);
}

// The header of a page is printed by its first output.
Druckflaeche* VorAusgabe() {
  Druckflaeche* f = jobOffen ? Drucker() : nullptr;
  if (f && KopfFaellig && !OhneSeitenkopf) Seitenkopf();
  return f;
}

}  // namespace

void DruckReset() {
  OhneSeitenkopf = false;
  gespeicherteZeilenProSeite = 90;
  Steuertabelle = NeueSteuertabelle();
}

void DruckBeginn() {
  app::Abbruch = false;
  Zeile = 0;
  Spalte = 0;
  Seite = 0;
  ZeilenProSeite = gespeicherteZeilenProSeite;
  Druckflaeche* f = Drucker();
  if (f && f->Querformat()) ZeilenProSeite = ZeilenProSeite * 2 / 3;
  if (!f || !app::ZeigeDruckdialog()) {
    app::Abbruch = true;
    return;
  }
  StandardEinstellungen();
  f->SetzeQuerformat(false);
  f->SetzeTitel("Velmora");
  if (!Druckerschrift.Name.empty()) {
    f->SetzeSchrift(Druckerschrift.Name);
    f->SetzeFett(Druckerschrift.Fett);
  }
  const int w = f->SeitenBreite();
  const int h = f->SeitenHoehe();
  RandLinks = w / 12;
  RandRechts = w / 50;
  RandUnten = h / 50;
  RandOben = h / 50;
  Nutzbreite = w - (RandLinks + RandRechts);
  Nutzhoehe = h - (RandOben + RandUnten);
  f->DokumentBeginnen();
  jobOffen = true;
  ModusSetzen(Modus::Schmal);
  KopfFaellig = true;
}

void DruckText(const std::string& text) {
  Druckflaeche* f = VorAusgabe();
  if (!f) return;
  f->Text(X(Spalte), Y(Zeile), text);
  Spalte += static_cast<int>(text.size());
}

void DruckZelle(const std::string& text, int breite) {
  Druckflaeche* f = VorAusgabe();
  if (!f) return;
  std::string t = text;
  while (!t.empty() && f->TextBreite(t) > breite * Spaltenbreite) t.pop_back();
  if (!t.empty()) f->Text(X(Spalte + 1), Y(Zeile), t);
  Spalte += breite;
}

void DruckZeichen(const std::string& text) {
  Druckflaeche* f = VorAusgabe();
  if (!f) return;
  for (char c : text) {
    f->Text(X(Spalte), Y(Zeile), std::string(1, c));
    ++Spalte;
  }
}

void DruckRechts(const std::string& text, int breite) {
  std::string t = text;
  if (static_cast<int>(t.size()) < breite) t.insert(0, static_cast<std::size_t>(breite) - t.size(), ' ');
  DruckZeichen(t);
}

void DruckSteuerung(int code) {
  Druckflaeche* f = Flaeche();
  if (!f) return;
  switch (code) {
    case SchmalEin: ModusSetzen(Modus::Schmal); break;
    case SchmalAus:
    case BreitAus: ModusSetzen(Modus::Normal); break;
    case BreitEin: ModusSetzen(Modus::Breit); break;
    case FettEin: f->SetzeFett(true); break;
    case FettAus: f->SetzeFett(false); break;
    case Zeilenvorschub:
      Zeile += Zeilenschritt;
      Spalte = 0;
      break;
    case Seitenvorschub:
      ++Seite;
      Zeile = 0;
      Spalte = 0;
      f->NeueSeite();
      KopfFaellig = true;
      break;
    default: break;
  }
}

void DruckEnde() {
  if (!jobOffen) return;
  jobOffen = false;
  if (Druckflaeche* f = Drucker()) f->DokumentBeenden();
}

void DruckNeuerTeil() {
  Druckflaeche* f = jobOffen ? Drucker() : nullptr;
  if (!f) return;
  DruckSteuerung(Seitenvorschub);
  Seite = 0;
  f->SetzeFett(!Druckerschrift.Name.empty() && Druckerschrift.Fett);
  ModusSetzen(Modus::Schmal);
}

bool DokumentOffen() { return jobOffen || direktOffen; }

void DirektdruckBeginnen() {
  Druckflaeche* f = Drucker();
  if (!f) return;
  f->DokumentBeginnen();
  direktOffen = true;
}

void DirektdruckBeenden() {
  if (!direktOffen) return;
  direktOffen = false;
  if (Druckflaeche* f = Drucker()) f->DokumentBeenden();
}

void DruckZuruecksetzen() {
  jobOffen = direktOffen = false;
  Seite = Zeile = Spalte = 0;
  Zeilenschritt = Spaltenbreite = Zeileneinheit = 0;
  RandLinks = RandRechts = RandOben = RandUnten = 0;
  Nutzbreite = Nutzhoehe = 0;
  ZeilenProSeite = 0;
  Schmalschrift = Breitschrift = KopfFaellig = false;
  for (auto& zeile : Kopfzellen) zeile.fill(std::string());
  Druckeinstellungen = TDruckeinstellungen();
  Druckerschrift = TDruckerschrift();
  DruckReset();
}

bool IstSteuerkennung(const std::string& kennung) {
  std::string k = kennung;
  while (k.size() < 3) k.push_back(' ');
  k = app::Grossschrift(k);
  int treffer = -1;
  for (std::size_t i = 0; i < Steuertabelle.size(); ++i)
    // The table is compared upper-cased too, so the key with the DOS byte 9A
    // (which upper-casing would change) can match.
    if (!Steuertabelle[i].empty() && app::Grossschrift(Steuertabelle[i]) == k) treffer = static_cast<int>(i);
  if (treffer < 0) return false;
  DruckSteuerung(treffer);
  return true;
}

}  // namespace davo::printing
