#include "printing/Druck.h"

#include <algorithm>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Text.h"
#include "printing/Druckflaeche.h"

namespace davo::printing {

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
                                       "DM3", "DM4", "DM5", "DM6", "%SK", ("\x9A" "B "), "NC "};
  for (std::size_t i = 0; i < 15; ++i) Steuertabelle[60 + i] = spaete[i];
  return Steuertabelle;
}

TDruckzustand Druckzustand;

const char* const Steuercodenamen[14] = {
    "Drucker initialisieren I", "Drucker initialisieren II", "Schmalschrift ein", "Schmalschrift aus",
    "Breitschrift ein",         "Breitschrift aus",          "Unterstreichen ein", "Unterstreichen aus",
    "Fettschrift ein",          "Fettschrift aus",           "Return ( + Zeilenvorschub)", "Seitenvorschub",
    "Elite ein",                "Elite aus"};

namespace {

Druckflaeche* Flaeche() { return Druckzustand.JobOffen || Druckzustand.DirektOffen ? Drucker() : nullptr; }

void StandardEinstellungen() {
  if (Druckzustand.Druckeinstellungen.GroesseSchmal >= 4) return;
  Druckzustand.Druckeinstellungen = {7, 10, 10, 15, 20, 25};
}

enum class Modus { Schmal, Normal, Breit };

void ModusSetzen(Modus m) {
  Druckflaeche* f = Flaeche();
  // Before the first job of the run the settings hold zeros; the defaults
  // stand in for them.
  StandardEinstellungen();
  const int zeilen = Druckzustand.ZeilenProSeite * 10;
  Druckzustand.Zeileneinheit = zeilen > 0 ? Druckzustand.Nutzhoehe / zeilen : 0;
  int groesse = 0;
  switch (m) {
    case Modus::Schmal:
      Druckzustand.Spaltenbreite = Druckzustand.Nutzbreite / 130;
      groesse = Druckzustand.Druckeinstellungen.GroesseSchmal;
      Druckzustand.Zeilenschritt = Druckzustand.Druckeinstellungen.SchrittSchmal;
      Druckzustand.Schmalschrift = true;
      Druckzustand.Breitschrift = false;
      break;
    case Modus::Normal:
      Druckzustand.Spaltenbreite = Druckzustand.Nutzbreite / 80;
      groesse = Druckzustand.Druckeinstellungen.GroesseNormal;
      Druckzustand.Zeilenschritt = Druckzustand.Druckeinstellungen.SchrittNormal;
      Druckzustand.Schmalschrift = false;
      Druckzustand.Breitschrift = false;
      break;
    case Modus::Breit:
      Druckzustand.Spaltenbreite = Druckzustand.Nutzbreite / 50;
      groesse = Druckzustand.Druckeinstellungen.GroesseBreit;
      Druckzustand.Zeilenschritt = Druckzustand.Druckeinstellungen.SchrittBreit;
      Druckzustand.Breitschrift = true;
      break;
  }
  if (f) {
    f->SetzeSchriftgroesse(groesse);
    Druckzustand.Texthoehe = f->TextHoehe("Ag");
  }
  // The pixels per line unit are rounded down, on a printer of 150 or 300 dpi
  // by up to half: the nominal step would put lines closer together than the
  // font is high. The step then grows to the height of the text.
  if (Druckzustand.Zeileneinheit > 0 && Druckzustand.Texthoehe > 0) {
    const int mindestens = (Druckzustand.Texthoehe + Druckzustand.Zeileneinheit - 1) / Druckzustand.Zeileneinheit;
    Druckzustand.Zeilenschritt = std::max(Druckzustand.Zeilenschritt, mindestens);
  }
}

int X(int spalte) { return Druckzustand.RandLinks + spalte * Druckzustand.Spaltenbreite; }
int Y(int zeile) { return Druckzustand.RandOben + zeile * Druckzustand.Zeileneinheit; }

// Lines of the header box run half a line below their line position: 5
// units at the condensed step of 10, more where the step grew to the text.
int Linienlage(int zeile) { return Y(zeile + Druckzustand.Zeilenschritt / 2); }

void Waagerecht(Druckflaeche& f, int von, int bis, int zeile) {
  const int y = Linienlage(zeile);
  f.Linie(X(von) + Druckzustand.Spaltenbreite / 2, y, X(bis) + Druckzustand.Spaltenbreite / 2, y);
}

void Senkrecht(Druckflaeche& f, int spalte, int z1, int z2) {
  const int x = X(spalte) + Druckzustand.Spaltenbreite / 2;
  f.Linie(x, Linienlage(z1), x, Linienlage(z2));
}

void Seitenkopf() {
  Druckflaeche* f = Flaeche();
  if (!f) return;
  Druckzustand.KopfFaellig = false;
  Druckzustand.ImKopf = true;
  Druckzustand.Kopfzellen[4][1] = app::Kurz("Blatt: " + std::to_string(Druckzustand.Seite + 1), 50);
  const Modus vorher =
      Druckzustand.Breitschrift ? Modus::Breit : (Druckzustand.Schmalschrift ? Modus::Schmal : Modus::Normal);
  if (vorher != Modus::Schmal) ModusSetzen(Modus::Schmal);
  Waagerecht(*f, 0, 120, Druckzustand.Zeile);
  const int z0 = Druckzustand.Zeile;
  Druckzustand.Zeile += Druckzustand.Zeilenschritt;
  for (int r = 1; r <= 4; ++r) {
    DruckZelle(Druckzustand.Kopfzellen[r][1], 55);
    DruckZelle(Druckzustand.Kopfzellen[r][2], 35);
    DruckZelle(Druckzustand.Kopfzellen[r][3], 30);
    DruckSteuerung(Zeilenvorschub);
  }
  for (int spalte : {0, 55, 90, 120}) Senkrecht(*f, spalte, z0, Druckzustand.Zeile);
  Waagerecht(*f, 0, 120, Druckzustand.Zeile);
  Druckzustand.Zeile += Druckzustand.Zeilenschritt;
  if (vorher != Modus::Schmal) ModusSetzen(vorher);
  Druckzustand.ImKopf = false;
}

void NeueSeite(Druckflaeche& f) {
  ++Druckzustand.Seite;
  Druckzustand.Zeile = 0;
  Druckzustand.Spalte = 0;
  f.NeueSeite();
  Druckzustand.KopfFaellig = true;
  Druckzustand.SeiteBeschrieben = false;
}

// The header of a page is printed by its first output. A line whose text
// would reach below the bottom margin goes on a new page, at the column it
// was to start at; on a page without any of the caller's lines it stays.
Druckflaeche* VorAusgabe() {
  Druckflaeche* f = Druckzustand.JobOffen ? Drucker() : nullptr;
  if (!f || Druckzustand.ImKopf) return f;
  if (Druckzustand.KopfFaellig && !Druckzustand.OhneSeitenkopf) Seitenkopf();
  const int unten = Druckzustand.RandOben + Druckzustand.Nutzhoehe;
  if (Druckzustand.SeiteBeschrieben && Y(Druckzustand.Zeile) + Druckzustand.Texthoehe > unten) {
    const int spalte = Druckzustand.Spalte;
    NeueSeite(*f);
    if (!Druckzustand.OhneSeitenkopf) Seitenkopf();
    Druckzustand.Spalte = spalte;
  }
  Druckzustand.SeiteBeschrieben = true;
  return f;
}

}  // namespace

void DruckReset() {
  Druckzustand.OhneSeitenkopf = false;
  Druckzustand.GespeicherteZeilenProSeite = 90;
  Druckzustand.Steuertabelle = NeueSteuertabelle();
}

void DruckBeginn() {
  app::Abbruch = false;
  Druckzustand.Zeile = 0;
  Druckzustand.Spalte = 0;
  Druckzustand.Seite = 0;
  Druckzustand.ZeilenProSeite = Druckzustand.GespeicherteZeilenProSeite;
  Druckflaeche* f = Drucker();
  if (f && f->Querformat()) Druckzustand.ZeilenProSeite = Druckzustand.ZeilenProSeite * 2 / 3;
  if (!f || !app::ZeigeDruckdialog()) {
    app::Abbruch = true;
    return;
  }
  StandardEinstellungen();
  f->SetzeQuerformat(false);
  f->SetzeTitel("Velmora");
  if (!Druckzustand.Druckerschrift.Name.empty()) {
    f->SetzeSchrift(Druckzustand.Druckerschrift.Name);
    f->SetzeFett(Druckzustand.Druckerschrift.Fett);
  }
  const int w = f->SeitenBreite();
  const int h = f->SeitenHoehe();
  Druckzustand.RandLinks = w / 12;
  Druckzustand.RandRechts = w / 50;
  Druckzustand.RandUnten = h / 50;
  Druckzustand.RandOben = h / 50;
  Druckzustand.Nutzbreite = w - (Druckzustand.RandLinks + Druckzustand.RandRechts);
  Druckzustand.Nutzhoehe = h - (Druckzustand.RandOben + Druckzustand.RandUnten);
  f->DokumentBeginnen();
  Druckzustand.JobOffen = true;
  Druckzustand.SeiteBeschrieben = false;
  ModusSetzen(Modus::Schmal);
  Druckzustand.KopfFaellig = true;
}

void DruckText(const std::string& text) {
  Druckflaeche* f = VorAusgabe();
  if (!f) return;
  f->Text(X(Druckzustand.Spalte), Y(Druckzustand.Zeile), text);
  Druckzustand.Spalte += static_cast<int>(text.size());
}

void DruckZelle(const std::string& text, int breite) {
  Druckflaeche* f = VorAusgabe();
  if (!f) return;
  // The longest beginning of the text that fits the cell: the whole text
  // when it fits, else found by halving (widths grow with the length).
  const int platz = breite * Druckzustand.Spaltenbreite;
  std::size_t passt = text.size();
  if (passt > 0 && f->TextBreite(text) > platz) {
    std::size_t zuLang = passt;
    passt = 0;
    while (zuLang - passt > 1) {
      const std::size_t mitte = passt + (zuLang - passt) / 2;
      if (f->TextBreite(text.substr(0, mitte)) > platz)
        zuLang = mitte;
      else
        passt = mitte;
    }
  }
  if (passt > 0) f->Text(X(Druckzustand.Spalte + 1), Y(Druckzustand.Zeile), text.substr(0, passt));
  Druckzustand.Spalte += breite;
}

void DruckZeichen(const std::string& text) {
  Druckflaeche* f = VorAusgabe();
  if (!f) return;
  for (char c : text) {
    f->Text(X(Druckzustand.Spalte), Y(Druckzustand.Zeile), std::string(1, c));
    ++Druckzustand.Spalte;
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
      Druckzustand.Zeile += Druckzustand.Zeilenschritt;
      Druckzustand.Spalte = 0;
      break;
    case Seitenvorschub:
      NeueSeite(*f);
      break;
    default: break;
  }
}

void DruckEnde() {
  if (!Druckzustand.JobOffen) return;
  Druckzustand.JobOffen = false;
  if (Druckflaeche* f = Drucker()) f->DokumentBeenden();
}

void DruckZeileBei(int x, const std::string& text) {
  Druckflaeche* f = VorAusgabe();
  if (!f) return;
  f->Text(x, Y(Druckzustand.Zeile), text);
  DruckSteuerung(Zeilenvorschub);
}

void DruckNeuerTeil() {
  Druckflaeche* f = Druckzustand.JobOffen ? Drucker() : nullptr;
  if (!f) return;
  DruckSteuerung(Seitenvorschub);
  Druckzustand.Seite = 0;
  f->SetzeFett(!Druckzustand.Druckerschrift.Name.empty() && Druckzustand.Druckerschrift.Fett);
  ModusSetzen(Modus::Schmal);
}

bool DokumentOffen() { return Druckzustand.JobOffen || Druckzustand.DirektOffen; }

void DirektdruckBeginnen() {
  Druckflaeche* f = Drucker();
  if (!f) return;
  f->DokumentBeginnen();
  Druckzustand.DirektOffen = true;
}

void DirektdruckBeenden() {
  if (!Druckzustand.DirektOffen) return;
  Druckzustand.DirektOffen = false;
  if (Druckflaeche* f = Drucker()) f->DokumentBeenden();
}

void DruckZuruecksetzen() { Druckzustand = TDruckzustand(); }

bool IstSteuerkennung(const std::string& kennung) {
  std::string k = kennung;
  while (k.size() < 3) k.push_back(' ');
  k = app::Grossschrift(k);
  int treffer = -1;
  for (std::size_t i = 0; i < Druckzustand.Steuertabelle.size(); ++i)
    // The table is compared upper-cased too, so the key with the DOS byte 9A
    // (which upper-casing would change) can match.
    if (!Druckzustand.Steuertabelle[i].empty() && app::Grossschrift(Druckzustand.Steuertabelle[i]) == k)
      treffer = static_cast<int>(i);
  if (treffer < 0) return false;
  DruckSteuerung(treffer);
  return true;
}

}  // namespace davo::printing
