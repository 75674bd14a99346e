#include "Befehle.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <limits>
#include <utility>

#include "app/DateiIO.h"
#include "app/Datum.h"
#include "app/Dialoge.h"
#include "app/Handbuch.h"
#include "app/Hauptmenue.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "app/Plattform.h"
#include "app/Text.h"

namespace davo::cli {

// ---------------------------------------------------------------------------
// Pieces shared by the commands

namespace {

constexpr const char* kAufrufZeilen =
    "Aufruf: davo [--konfig ORDNER] [--ja | --nein] BEFEHL [ARGUMENTE]\n"
    "Mehr dazu: davo --help\n";

std::filesystem::path PfadAusUtf8(const std::string& utf8) {
  std::u8string u8(utf8.size(), u8'\0');
  std::transform(utf8.begin(), utf8.end(), u8.begin(), [](char c) { return static_cast<char8_t>(c); });
  return std::filesystem::path(u8);
}

}  // namespace

int Aufruffehler(std::ostream& fehler, const std::string& text) {
  fehler << "davo: " << text << "\n" << kAufrufZeilen;
  fehler.flush();
  return ExitAufruf;
}

void Melde(std::string_view utf8) { app::ZeigeMeldung(app::Utf8NachAnsi(utf8)); }

std::optional<std::string> AnsiPfad(const std::string& utf8) {
  std::optional<std::string> pfad = app::Utf8NachAnsiGenau(utf8);
  if (!pfad) app::ZeigeMeldung(app::PfadNichtDarstellbarText(utf8));
  return pfad;
}

bool DateiVorhanden(const std::string& pfad) {
  if (app::DateiExistiert(pfad)) return true;
  app::ZeigeMeldung(app::IOFehlerText(app::io::DateiNichtGefunden, pfad));
  return false;
}

bool GleichOhneGrossUndKlein(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<int> EinstellungNachKommandoName(const std::string& name) {
  for (int i = 0; i < payout::TAuszahlungsEinstellungen::AnzahlTexte; ++i)
    if (GleichOhneGrossUndKlein(name, payout::EinstellungsName(i))) return i;
  return std::nullopt;
}

std::optional<std::int64_t> LiesNummer(const std::string& text) {
  std::size_t start = 0;
  bool negativ = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negativ = text[0] == '-';
    start = 1;
  }
  if (start == text.size()) return std::nullopt;
  for (std::size_t i = start; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  std::int64_t wert = 0;
  const char* anfang = text.data() + start;
  const char* ende = text.data() + text.size();
  const auto [p, ec] = std::from_chars(anfang, ende, wert);
  if (ec == std::errc::result_out_of_range)
    wert = std::numeric_limits<std::int64_t>::max();
  else if (ec != std::errc() || p != ende)
    return std::nullopt;
  return negativ ? -wert : wert;
}

std::optional<app::DatumZeit> LiesDatum(const std::string& text) {
  if (text.size() != 10 || text[2] != '.' || text[5] != '.') return std::nullopt;
  for (std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  const int tag = std::stoi(text.substr(0, 2));
  const int monat = std::stoi(text.substr(3, 2));
  const int jahr = std::stoi(text.substr(6, 4));
  static constexpr int kTage[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (jahr < 1 || monat < 1 || monat > 12 || tag < 1 || tag > kTage[monat - 1]) return std::nullopt;
  const bool schaltjahr = (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0;
  if (monat == 2 && tag == 29 && !schaltjahr) return std::nullopt;
  app::DatumZeit d;
  d.Jahr = jahr;
  d.Monat = monat;
  d.Tag = tag;
  d.Wochentag = app::WochentagVon(jahr, monat, tag);
  return d;
}

std::optional<std::vector<std::int64_t>> LiesNummernliste(const std::string& text) {
  std::vector<std::int64_t> nummern;
  for (std::size_t p = 0; p <= text.size();) {
    std::size_t e = text.find(',', p);
    if (e == std::string::npos) e = text.size();
    const std::string teil = text.substr(p, e - p);
    const std::optional<std::int64_t> nr = LiesNummer(teil);
    if (!nr || teil[0] == '+' || teil[0] == '-' || *nr < 1) return std::nullopt;
    nummern.push_back(*nr);
    p = e + 1;
  }
  return nummern;
}

std::string Einzeilig(const std::string& utf8) {
  std::string s = utf8;
  for (char& c : s)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return s;
}

void Blockausgabe::Text(std::string_view ansi) {
  // Every byte's UTF-8 sequence (a control character as a blank), its length
  // in front: one pass and one look-up per byte outside ASCII.
  static const std::array<std::array<char, 4>, 256> folgen = [] {
    std::array<std::array<char, 4>, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const std::string utf8 = b < 0x20 ? std::string(" ") : app::AnsiNachUtf8(std::string(1, static_cast<char>(b)));
      t[b][0] = static_cast<char>(utf8.size());
      std::copy(utf8.begin(), utf8.end(), t[b].begin() + 1);
    }
    return t;
  }();
  const std::size_t anfang = block_.size();
  block_.resize(anfang + 3 * ansi.size());
  char* z = block_.data() + anfang;
  const char* q = ansi.data();
  const char* const ende = q + ansi.size();
  while (q < ende) {
    // Eight printable ASCII characters at once: no byte with its high bit
    // set, and each at least 0x20 (adding 0x60 sets its high bit).
    constexpr std::uint64_t kHoch = 0x8080808080808080u;
    std::uint64_t acht = 0;
    if (ende - q >= 8 && (std::memcpy(&acht, q, 8), (acht & kHoch) == 0) &&
        ((acht + 0x6060606060606060u) & kHoch) == kHoch) {
      std::memcpy(z, q, 8);
      z += 8;
      q += 8;
      continue;
    }
    const auto b = static_cast<unsigned char>(*q++);
    if (b >= 0x20 && b < 0x80) {
      *z++ = static_cast<char>(b);
    } else {
      const std::array<char, 4>& f = folgen[b];
      std::memcpy(z, f.data() + 1, 3);
      z += f[0];
    }
  }
  block_.resize(static_cast<std::size_t>(z - block_.data()));
}

void Blockausgabe::Zeilenende() {
  block_ += '\n';
  if (block_.size() >= (std::size_t{1} << 16)) {
    aus_ << block_;
    block_.clear();
  }
}

void Blockausgabe::Ende() {
  aus_ << block_;
  block_.clear();
  aus_.flush();
}

// ---------------------------------------------------------------------------
// The checks of the values in the table

namespace {

std::string Nicht(const std::string& was, const std::string& wert) { return was + ", nicht \"" + wert + "\"."; }

std::string Dateiname(const std::string& wert) { return wert.empty() ? "Der Dateiname ist leer." : ""; }

std::string Adressennummer(const std::string& wert) {
  return LiesNummer(wert) ? "" : Nicht("Die Adressennummer muss eine Zahl sein", wert);
}

std::string Gruppe(const std::string& wert) {
  const std::optional<std::int64_t> g = LiesNummer(wert);
  if (g && wert[0] != '+' && wert[0] != '-' && *g <= 255) return "";
  return Nicht("Die Gruppe muss eine Zahl von 0 bis 255 sein", wert);
}

std::string Zuweisung(const std::string& arg, std::string& name) {
  const std::size_t gleich = arg.find('=');
  if (gleich == std::string::npos) return "Erwartet wird FELD=WERT, nicht \"" + arg + "\".";
  name = arg.substr(0, gleich);
  return "";
}

std::string Adressfeld(const std::string& arg) {
  std::string name;
  if (std::string falsch = Zuweisung(arg, name); !falsch.empty()) return falsch;
  if (FeldNachKommandoName(name)) return "";
  std::string bekannt;
  for (const std::string& n : Feldnamen()) bekannt += (bekannt.empty() ? "" : ", ") + n;
  return "Unbekanntes Feld \"" + name + "\". Bekannte Felder: " + bekannt + ".";
}

std::string Einstellungsfeld(const std::string& arg) {
  std::string name;
  if (std::string falsch = Zuweisung(arg, name); !falsch.empty()) return falsch;
  if (EinstellungNachKommandoName(name) || GleichOhneGrossUndKlein(name, "SepaFormat")) return "";
  std::string setzbar;
  for (int i = 0; i < payout::TAuszahlungsEinstellungen::AnzahlTexte; ++i)
    setzbar += std::string(payout::EinstellungsName(i)) + ", ";
  setzbar += "SepaFormat.";
  if (GleichOhneGrossUndKlein(name, "Laufnummer"))
    return "Die Laufnummer kann nicht gesetzt werden: Sie zählt die geschriebenen Sepa-Dateien. Setzbare Felder: " +
           setzbar;
  return "Unbekanntes Feld \"" + name + "\". Setzbare Felder: " + setzbar;
}

std::string Aktion(const std::string& wert) {
  const std::vector<std::string>& namen = Aktionsnamen();
  if (std::find(namen.begin(), namen.end(), wert) != namen.end()) return "";
  std::string bekannt;
  for (const std::string& n : namen) bekannt += (bekannt.empty() ? "" : ", ") + n;
  return "Unbekannte Aktion \"" + wert + "\". Aktionen: " + bekannt + ".";
}

std::string Auswahlsortierung(const std::string& wert) {
  if (wert.size() == 1 && wert[0] >= '0' && wert[0] <= '4') return "";
  return Nicht("Die Sortierung muss eine Zahl von 0 bis 4 sein", wert);
}

std::string Listenart(const std::string& wert) {
  if (wert.size() == 1 && wert[0] >= '1' && wert[0] <= '5') return "";
  return Nicht("Die Art der Liste muss eine Zahl von 1 bis 5 sein", wert);
}

std::string Listensortierung(const std::string& wert) {
  for (const char* s : {"name", "bic", "iban", "flaeche"})
    if (GleichOhneGrossUndKlein(wert, s)) return "";
  return Nicht("Die Sortierung muss name, bic, iban oder flaeche sein", wert);
}

std::string Ohne(const std::string& wert) {
  if (LiesNummernliste(wert)) return "";
  return Nicht("Nach --ohne stehen Adressennummern ab 1, durch Kommas getrennt", wert);
}

std::string Ausfuehrung(const std::string& wert) {
  return LiesDatum(wert) ? "" : Nicht("Das Ausführungsdatum muss ein Tag in der Form TT.MM.JJJJ sein", wert);
}

std::string SepaFormat(const std::string& wert) {
  return wert == "09" || wert == "03" ? "" : Nicht("Das SEPA-Format muss 09 oder 03 sein", wert);
}

std::string DosFormat(const std::string& wert) {
  return wert == "jagd" || wert == "buchhaltung" ? "" : Nicht("Das Format muss jagd oder buchhaltung sein", wert);
}

std::string Exportart(const std::string& wert) {
  return wert == "serienbrief" || wert == "bankdaten" ? ""
                                                      : Nicht("Die Art muss serienbrief oder bankdaten sein", wert);
}

std::string Importart(const std::string& wert) {
  return wert == "bankdaten" ? "" : Nicht("Die Art muss bankdaten sein", wert);
}

std::string AdresseOderGruppe(const Befehl& befehl, const Argumente& a) {
  if (a.Hat("--adresse") != a.Hat("--gruppe")) return "";
  return std::string(befehl.Name) + " erwartet entweder --adresse oder --gruppe: " + befehl.Aufruf;
}

std::string DateiNurFuerBankdaten(const Befehl&, const Argumente& a) {
  if (a.Woerter[0] != "serienbrief" || !a.Hat("--datei")) return "";
  return "Die Serienbriefdatei liegt immer neben der Adressendatei; --datei gilt nur für export bankdaten.";
}

}  // namespace

// ---------------------------------------------------------------------------
// The table

const std::vector<Befehl>& Befehlstabelle() {
  static const std::vector<Befehl> tabelle = {
      {.Name = "adressen",
       .Aufruf = "davo adressen DATEI.ADW",
       .Erwartet = "genau einen Dateinamen",
       .Woerter = {{.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei}},
       .Optionen = {},
       .Ausfuehren = AdressenAuflisten,
       .Hilfe = "  adressen DATEI.ADW\n"
                "      Listet alle Adressen der Adressendatei, eine Zeile je Adresse:\n"
                "      Nummer, Sortierung, Name, Ort und Fläche, durch Tabulatoren getrennt.\n"},
      {.Name = "adresse",
       .Aufruf = "davo adresse DATEI.ADW NR [FELD=WERT ...]",
       .Erwartet = "einen Dateinamen und eine Nummer",
       .Woerter = {{.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei},
                   {"NR", Adressennummer},
                   {"FELD=WERT", Adressfeld, true}},
       .Optionen = {},
       .Ausfuehren = AdresseBearbeiten,
       .Hilfe = "  adresse DATEI.ADW NR\n"
                "      Zeigt alle Felder der Adresse NR (gezählt ab 1) als Zeilen Feld=Wert.\n"
                "  adresse DATEI.ADW NR FELD=WERT ...\n"
                "      Setzt die genannten Felder der Adresse NR und speichert sie.\n"
                "      NR = Anzahl der Adressen + 1 hängt eine neue Adresse an; eine\n"
                "      fehlende Datei wird dabei angelegt. Name1 und Sortierung dürfen\n"
                "      nicht leer sein; Texte werden nach 50 Zeichen abgeschnitten.\n"},
      {.Name = "waehlen",
       .Aufruf = "davo waehlen DATEI.ADW [--sortierung 0-4] [--suche TEXT]",
       .Erwartet = "genau einen Dateinamen",
       .Woerter = {{.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei}},
       .Optionen = {{.Name = "--sortierung", .Pruefe = Auswahlsortierung, .Mehrfach = true},
                    {.Name = "--suche", .Mehrfach = true, .LeerErlaubt = true}},
       .Ausfuehren = AdressenWaehlen,
       .Hilfe = "  waehlen DATEI.ADW [--sortierung N] [--suche TEXT]\n"
                "      Zeigt die Zeilen der Adressenauswahl in ihrer Reihenfolge: drei\n"
                "      Spalten zu 30 Zeichen, dahinter die Nummer der Adresse. N wählt die\n"
                "      Sortierung (Vorgabe 0) und damit die Spalten:\n"
                "        0 Normal: Sortierung, Name1, Ort    1 Name: Name1, Strasse, Ort\n"
                "        2 Ort: Ort, Name1, Strasse          3 BLZ: BLZ, Name1, Ort\n"
                "        4 Kontonummer: Kontonummer, Name1, Ort\n"
                "      Mit --suche nur die Zeilen, die TEXT enthalten, ohne Unterschied\n"
                "      zwischen Groß- und Kleinschreibung; auch die Nummer wird durchsucht.\n"},
      {.Name = "aktion",
       .Aufruf = "davo aktion DATEI.ADW AKTION",
       .Erwartet = "einen Dateinamen und eine Aktion",
       .Woerter = {{.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei}, {"AKTION", Aktion}},
       .Optionen = {},
       .Ausfuehren = AktionAusfuehren,
       .Hilfe = "  aktion DATEI.ADW AKTION\n"
                "      Ändert nach einer Rückfrage ein Feld in allen Adressen der Datei:\n"
                "        freigabe-ein, freigabe-aus        AuszahlungFrei = 1 bzw. 0\n"
                "        serienbrief-ein, serienbrief-aus  SerienbriefDruck = 1 bzw. 0\n"
                "        serienbrief-nach-flaeche          SerienbriefDruck = 1, wenn die\n"
                "            Fläche die kleinste auszuzahlende Fläche erreicht (aus\n"
                "            Betrag/ha und kleinstem Betrag der Datei DATEI.JGA), sonst 0\n"
                "        gruppen-null                      Gruppe = 0\n"
                "        gruppe-aus-serienbrief            Gruppe = SerienbriefDruck\n"
                "        gruppe-aus-freigabe               Gruppe = AuszahlungFrei\n"
                "      Wird eine Rückfrage verneint, bleibt die Datei unverändert\n"
                "      (Rückgabewert 1).\n"},
      {.Name = "flurstuecke",
       .Aufruf =
           "davo flurstuecke KATASTER.CSV [--sortieren] [--export DATEI] [--tabelle] [--in-adressdatei DATEI.ADW]",
       .Erwartet = "genau einen Dateinamen",
       .Woerter = {{.Name = "KATASTER.CSV", .Pruefe = Dateiname, .Pfad = Pfadart::Datei}},
       .Optionen = {{.Name = "--sortieren", .MitWert = false},
                    {.Name = "--export", .Pfad = Pfadart::Datei},
                    {.Name = "--tabelle", .MitWert = false},
                    {.Name = "--in-adressdatei", .Pfad = Pfadart::Adressdatei}},
       .Ausfuehren = FlurstueckeVerarbeiten,
       .Hilfe = "  flurstuecke KATASTER.CSV [--sortieren] [--export DATEI] [--tabelle]\n"
                "              [--in-adressdatei DATEI.ADW]\n"
                "      Liest das Flurstücksverzeichnis des Jagdkatasters ein (Windows-\n"
                "      Zeichensatz, Felder durch \";\" getrennt, erste Zeile Überschrift):\n"
                "      eine Zeile je Eigentümer eines Flurstücks, mit seiner anteiligen\n"
                "      bejagbaren Fläche. Danach, in dieser Reihenfolge:\n"
                "        --sortieren       ordnet die Zeilen nach Eigentümer\n"
                "        --export DATEI    schreibt die Tabelle als CSV-Datei (Spalten 0\n"
                "                          bis 14, Windows-Zeichensatz)\n"
                "        --tabelle         zeigt die Zeilen, Spalten 1 bis 14 durch\n"
                "                          Tabulatoren getrennt\n"
                "        --in-adressdatei DATEI.ADW\n"
                "                          hängt je Eigentümer eine Adresse mit der\n"
                "                          Summe seiner Flächen an (aufeinanderfolgende\n"
                "                          Zeilen mit gleichem Nachnamen, Vornamen und\n"
                "                          gleicher Straße; darum meist mit --sortieren);\n"
                "                          eine fehlende Datei wird angelegt\n"},
      {.Name = "serienbrief",
       .Aufruf = "davo serienbrief VORLAGE.TXT DATEI.ADW (--adresse NR | --gruppe G) --pdf AUSGABE.PDF",
       .Erwartet = "eine Vorlage und eine Adressendatei",
       .Woerter = {{.Name = "VORLAGE.TXT", .Pruefe = Dateiname, .Pfad = Pfadart::Datei},
                   {.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei}},
       .Optionen = {{.Name = "--adresse", .Pruefe = Adressennummer},
                    {.Name = "--gruppe", .Pruefe = Gruppe},
                    {.Name = "--pdf", .Pflicht = true, .Pfad = Pfadart::Datei}},
       .Ausfuehren = SerienbriefeDrucken,
       .Hilfe = "  serienbrief VORLAGE.TXT DATEI.ADW (--adresse NR | --gruppe G)\n"
                "              --pdf AUSGABE.PDF\n"
                "      Druckt die Serienbriefvorlage (Windows-Zeichensatz) als Brief für\n"
                "      die Adresse NR (gezählt ab 1) oder für jede Adresse der Gruppe G\n"
                "      (0 bis 255) in eine PDF-Datei (A4); jeder Brief beginnt auf einer\n"
                "      neuen Seite. Die Briefe einer Gruppe folgen in der Reihenfolge der\n"
                "      Adressenliste des Serienbrieffensters (nach Sortierung), ohne\n"
                "      Rückfrage je Adresse.\n",
       .PruefeZusammen = AdresseOderGruppe},
      {.Name = "adressenliste",
       .Aufruf = "davo adressenliste DATEI.ADW --gruppe G --pdf AUSGABE.PDF",
       .Erwartet = "genau eine Adressendatei",
       .Woerter = {{.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei}},
       .Optionen = {{.Name = "--gruppe", .Pruefe = Gruppe, .Pflicht = true},
                    {.Name = "--pdf", .Pflicht = true, .Pfad = Pfadart::Datei}},
       .Ausfuehren = AdressenlisteDrucken,
       .Hilfe = "  adressenliste DATEI.ADW --gruppe G --pdf AUSGABE.PDF\n"
                "      Druckt die Adressenliste der Gruppe G wie das Serienbrieffenster\n"
                "      in eine PDF-Datei: Seitenkopf mit Blattnummer, je Adresse eine\n"
                "      Zeile Name1; Name2; Strasse; Ort.\n"
                "      PDF-Dateien schreibt nur ein davo, das mit Qt gebaut wurde; unter\n"
                "      Linux gibt davo solche Befehle an davo-pdf neben ihm weiter.\n"},
      {.Name = "einstellungen",
       .Aufruf = "davo einstellungen DATEI.ADW [FELD=WERT ...]",
       .Erwartet = "einen Dateinamen",
       .Woerter = {{.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Datei},
                   {"FELD=WERT", Einstellungsfeld, true}},
       .Optionen = {},
       .Ausfuehren = EinstellungenBearbeiten,
       .Hilfe = "  einstellungen DATEI.ADW [FELD=WERT ...]\n"
                "      Zeigt die Auszahlungseinstellungen der Adressendatei als Zeilen\n"
                "      Feld=Wert oder setzt die genannten Felder. Sie stehen in der Datei\n"
                "      neben der Adressendatei: ihr Name bis zum ersten Punkt und\n"
                "      \".JGA\". Beträge mit Dezimalkomma (z. B. 12,50). Felder: Auftraggeber,\n"
                "      AuftraggeberAdresse, Kreditinstitut, AuftraggeberBIC,\n"
                "      AuftraggeberIBAN, Kreditorennummer, BetragProHaText,\n"
                "      KleinsterBetragText, Belegtext1, SepaOrdner (je höchstens 255\n"
                "      Zeichen) und SepaFormat (09 für pain.001.001.09, die Vorgabe, oder 03\n"
                "      für pain.001.001.03); dazu wird Laufnummer gezeigt, die Zahl der\n"
                "      geschriebenen Sepa-Dateien, die sich nicht setzen lässt.\n"},
      {.Name = "auszahlungsliste",
       .Aufruf = "davo auszahlungsliste DATEI.ADW --art 1-5 [--sortierung name|bic|iban|flaeche] [--pdf AUSGABE.PDF]",
       .Erwartet = "genau eine Adressendatei",
       .Woerter = {{.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei}},
       .Optionen = {{.Name = "--art", .Pruefe = Listenart, .Pflicht = true},
                    {.Name = "--sortierung", .Pruefe = Listensortierung},
                    {.Name = "--pdf", .Pfad = Pfadart::Datei}},
       .Ausfuehren = AuszahlungslisteZeigen,
       .Hilfe = "  auszahlungsliste DATEI.ADW --art A [--sortierung S] [--pdf AUSGABE.PDF]\n"
                "      Die Auszahlungsliste mit Betrag/ha, kleinstem Betrag und Belegtext 1\n"
                "      aus den Einstellungen der Datei, für die Adressen der Art A:\n"
                "        1 alle                       2 zur Auszahlung freigegeben\n"
                "        3 nicht freigegeben          4 Gruppe 0        5 Gruppe 1\n"
                "      Sortiert nach Name, mit S nach name, bic, iban oder flaeche.\n"
                "      Zeigt Überschrift, eine Zeile je Adresse und die Summenzeile mit den\n"
                "      Spalten Name, Bic, IBAN, Fläche, Betrag, Überweisungstext1 und\n"
                "      Referenz, durch Tabulatoren getrennt; mit --pdf wird die Liste wie\n"
                "      mit \"Liste drucken\" in eine PDF-Datei gedruckt (Spalten Name bis\n"
                "      Betrag, nur mit Qt).\n"},
      {.Name = "export",
       .Aufruf = "davo export serienbrief DATEI.ADW | davo export bankdaten DATEI.ADW [--datei DATEI]",
       .Erwartet = "die Art und eine Adressendatei",
       .Woerter = {{"ART", Exportart}, {.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei}},
       .Optionen = {{.Name = "--datei", .Pfad = Pfadart::Datei}},
       .Ausfuehren = Exportieren,
       .Hilfe = "  export serienbrief DATEI.ADW\n"
                "      Schreibt die Adressen mit SerienbriefDruck = 1 in die CSV-Datei\n"
                "      neben der Adressendatei (Pfad bis zum ersten Punkt und \".csv\"),\n"
                "      für den Seriendruck einer Textverarbeitung.\n"
                "  export bankdaten DATEI.ADW [--datei DATEI]\n"
                "      Schreibt BLZ und Kontonummer jeder Adresse für den SEPA-Konverter\n"
                "      nach c:\\zq-soft\\BLZ+Konto.csv oder in DATEI.\n"
                "      Beide Exporte zeigen Datei und Anzahl der Adressen. Besteht die\n"
                "      Datei schon, wird sie überschrieben; mit --nein wird angehängt.\n",
       .PruefeZusammen = DateiNurFuerBankdaten},
      {.Name = "import",
       .Aufruf = "davo import bankdaten DATEI.ADW [--datei DATEI]",
       .Erwartet = "\"bankdaten\" und eine Adressendatei",
       .Woerter = {{"ART", Importart}, {.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei}},
       .Optionen = {{.Name = "--datei", .Pfad = Pfadart::Datei}},
       .Ausfuehren = Importieren,
       .Hilfe = "  import bankdaten DATEI.ADW [--datei DATEI]\n"
                "      Übernimmt nach einer Rückfrage BIC und IBAN aus der Ergebnisdatei\n"
                "      des Konverters (c:\\zq-soft\\Ergebnis_BLZ+Konto.csv oder DATEI) in\n"
                "      die Adressen mit gleicher BLZ und Kontonummer (Status 00) und\n"
                "      zeigt, wie viele Adressen sich geändert haben.\n"},
      {.Name = "dos-import",
       .Aufruf = "davo dos-import ALT.ADR --format jagd|buchhaltung",
       .Erwartet = "genau eine DOS-Adressdatei",
       .Woerter = {{.Name = "ALT.ADR", .Pruefe = Dateiname, .Pfad = Pfadart::Datei}},
       .Optionen = {{.Name = "--format", .Pruefe = DosFormat, .Pflicht = true}},
       .Ausfuehren = DosImportieren,
       .Hilfe = "  dos-import ALT.ADR --format jagd|buchhaltung\n"
                "      Wandelt eine Adressdatei der DOS-Version in eine Adressendatei\n"
                "      daneben um (Endung ADW, sie darf noch nicht bestehen) und zeigt\n"
                "      ihren Pfad und die Anzahl der Adressen.\n"},
      {.Name = "xml",
       .Aufruf = "davo xml DATEI [--roh]",
       .Erwartet = "genau einen Dateinamen",
       .Woerter = {{.Name = "DATEI", .Pruefe = Dateiname, .Pfad = Pfadart::Datei}},
       .Optionen = {{.Name = "--roh", .MitWert = false}},
       .Ausfuehren = XmlZeigen,
       .Hilfe = "  xml DATEI [--roh]\n"
                "      Zeigt eine XML-Datei (etwa die Sepa-Datei) als Baum wie der XML-\n"
                "      Editor: ein Knoten je Zeile, zwei Leerzeichen Einzug je Ebene. Mit\n"
                "      --roh die Datei in Zeilen zu 50 Zeichen: Offset, Tabulator, Zeichen.\n"
                "      Jedes Byte erscheint als Zeichen des Windows-Zeichensatzes; \\r, \\n,\n"
                "      \\t, \\\\ und \\xNN stehen für Steuerzeichen und Bytes ohne Zeichen.\n"},
      {.Name = "freigabeliste",
       .Aufruf = "davo freigabeliste DATEI.ADW [--ohne NR,...] [--pdf AUSGABE.PDF]",
       .Erwartet = "genau eine Adressendatei",
       .Woerter = {{.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei}},
       .Optionen = {{.Name = "--ohne", .Pruefe = Ohne, .Mehrfach = true}, {.Name = "--pdf", .Pfad = Pfadart::Datei}},
       .Ausfuehren = FreigabelisteZeigen,
       .Hilfe = "  freigabeliste DATEI.ADW [--ohne NR,...] [--pdf AUSGABE.PDF]\n"
                "      Die Freigabeliste für die Sepa-Datei: die Überschrift, dann je\n"
                "      freigegebener Adresse mit Betrag eine Zeile \"frei\", \"gesperrt\" (mit\n"
                "      --ohne ausgenommen) oder \"fehlerhaft\" (Bankdaten, Name oder\n"
                "      Überweisungstext nicht plausibel), ein Tabulator und der Eintrag\n"
                "      Betrag;Name;BIC;IBAN;Überweisungstext;Referenz. Mit --pdf wird die\n"
                "      Liste wie mit \"Liste drucken\" gedruckt (nur mit Qt).\n"},
      {.Name = "sepa",
       .Aufruf = "davo sepa DATEI.ADW [--ohne NR,...] [--ausfuehrung TT.MM.JJJJ] [--ordner ORDNER] [--format 03|09] "
                 "[--begleitzettel DATEI.PDF] [--liste DATEI.PDF] [--kopie-nach ORDNER]",
       .Erwartet = "genau eine Adressendatei",
       .Woerter = {{.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Adressdatei}},
       .Optionen = {{.Name = "--ohne", .Pruefe = Ohne, .Mehrfach = true},
                    {.Name = "--ausfuehrung", .Pruefe = Ausfuehrung},
                    {.Name = "--ordner", .Pfad = Pfadart::Datei},
                    {.Name = "--format", .Pruefe = SepaFormat},
                    {.Name = "--begleitzettel", .Pfad = Pfadart::Datei},
                    {.Name = "--liste", .Pfad = Pfadart::Datei},
                    {.Name = "--kopie-nach", .Pfad = Pfadart::Datei}},
       .Ausfuehren = SepaDateiErstellen,
       .Hilfe = "  sepa DATEI.ADW [--ohne NR,...] [--ausfuehrung TT.MM.JJJJ] [--ordner ORDNER]\n"
                "       [--format 03|09] [--begleitzettel DATEI.PDF] [--liste DATEI.PDF]\n"
                "       [--kopie-nach ORDNER]\n"
                "      Schreibt die Sepa-Datei (XML) und ihre CSV-Datei für die freien\n"
                "      Einträge der Freigabeliste (--ohne nimmt Adressen aus) und zählt die\n"
                "      Laufnummer weiter. Auftraggeber, Ordner und Format kommen aus den\n"
                "      Einstellungen, das Ausführungsdatum ist der Vorschlag des\n"
                "      Auszahlungsfensters; die Optionen ersetzen sie. Danach, wie gewählt:\n"
                "      Kopie der XML-Datei in ORDNER, Begleitzettel und Überweisungsliste\n"
                "      als PDF (nur mit Qt). Zeigt die Zeilen \"XML: \", \"CSV: \", \"Anzahl: \"\n"
                "      und \"Summe: \". Die Rückfragen beantwortet --ja.\n"},
      {.Name = "kopiere",
       .Aufruf = "davo kopiere QUELLE ZIEL",
       .Erwartet = "eine Quelle und ein Ziel",
       .Woerter = {{.Name = "QUELLE", .Pruefe = Dateiname, .Pfad = Pfadart::Datei},
                   {.Name = "ZIEL", .Pruefe = Dateiname, .Pfad = Pfadart::Datei}},
       .Optionen = {},
       .Ausfuehren = DateiKopieren,
       .Hilfe = "  kopiere QUELLE ZIEL\n"
                "      Kopiert eine Datei mit ihrem Datum; fehlende Ordner des Ziels werden\n"
                "      angelegt. Ist ZIEL ein Ordner (oder endet es mit / oder \\), behält\n"
                "      die Kopie den Namen der Quelle.\n"},
      {.Name = "kuerzen",
       .Aufruf = "davo kuerzen DATEI.ADW",
       .Erwartet = "genau eine Adressendatei",
       .Woerter = {{.Name = "DATEI.ADW", .Pruefe = Dateiname, .Pfad = Pfadart::Datei}},
       .Optionen = {},
       .Ausfuehren = AdressdateiKuerzen,
       .Hilfe = "  kuerzen DATEI.ADW\n"
                "      Eine Adressendatei, deren Länge kein Vielfaches von 2947 Bytes ist,\n"
                "      wird gelesen, aber nicht geändert. kuerzen schneidet nach einer\n"
                "      Rückfrage den unvollständigen letzten Satz ab; vorher wird die ganze\n"
                "      Datei nach DATEI.ADW.sicherung kopiert. Zeigt die Zahl der Adressen\n"
                "      und den Pfad der Kopie.\n"},
  };
  return tabelle;
}

const Befehl* SucheBefehl(std::string_view name) {
  for (const Befehl& b : Befehlstabelle())
    if (name == b.Name) return &b;
  return nullptr;
}

std::optional<std::string> Argumente::Wert(const std::string& option) const {
  const auto it = Optionen.find(option);
  if (it == Optionen.end() || it->second.empty()) return std::nullopt;
  return it->second.back();
}

std::vector<std::string> Argumente::Werte(const std::string& option) const {
  const auto it = Optionen.find(option);
  return it == Optionen.end() ? std::vector<std::string>{} : it->second;
}

std::string LiesArgumente(const Befehl& befehl, const std::vector<std::string>& argumente, Argumente& a) {
  a = Argumente();
  const std::string fuer = std::string(" für ") + befehl.Name + ".";
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    if (arg.rfind("--", 0) != 0) {
      a.Woerter.push_back(arg);
      continue;
    }
    const std::size_t gleich = arg.find('=');
    const std::string name = arg.substr(0, gleich);
    const auto option = std::find_if(befehl.Optionen.begin(), befehl.Optionen.end(),
                                     [&name](const Option& o) { return name == o.Name; });
    if (option == befehl.Optionen.end()) return "Unbekannte Option " + name + fuer;
    if (a.Hat(name) && !option->Mehrfach) return "Die Option " + name + " ist doppelt angegeben.";
    std::string wert;
    if (!option->MitWert) {
      if (gleich != std::string::npos) return "Die Option " + name + " hat keinen Wert.";
    } else {
      bool gegeben = true;
      if (gleich != std::string::npos)
        wert = arg.substr(gleich + 1);
      else if (i + 1 < argumente.size() && argumente[i + 1].rfind("--", 0) != 0)
        wert = argumente[++i];
      else
        gegeben = false;
      if (!gegeben || (wert.empty() && !option->LeerErlaubt)) return "Nach " + name + " fehlt der Wert.";
      if (option->Pruefe)
        if (std::string falsch = option->Pruefe(wert); !falsch.empty()) return falsch;
    }
    a.Optionen[name].push_back(std::move(wert));
  }

  const std::vector<Argument>& woerter = befehl.Woerter;
  const bool offen = !woerter.empty() && woerter.back().Wiederholt;
  const std::size_t mindestens = woerter.size() - (offen ? 1 : 0);
  if (a.Woerter.size() < mindestens || (!offen && a.Woerter.size() > woerter.size()))
    return std::string(befehl.Name) + " erwartet " + befehl.Erwartet + ": " + befehl.Aufruf;
  for (std::size_t k = 0; k < a.Woerter.size(); ++k) {
    const Argument& art = woerter[std::min(k, woerter.size() - 1)];
    if (art.Pruefe)
      if (std::string falsch = art.Pruefe(a.Woerter[k]); !falsch.empty()) return falsch;
  }
  for (const Option& o : befehl.Optionen)
    if (o.Pflicht && !a.Hat(o.Name)) return std::string("Es fehlt die Option ") + o.Name + ": " + befehl.Aufruf;
  if (befehl.PruefeZusammen) return befehl.PruefeZusammen(befehl, a);
  return "";
}

// ---------------------------------------------------------------------------
// Help, dispatch and the program

std::string Hilfetext() {
  std::string felder;
  for (const std::string& n : Feldnamen()) felder += (felder.empty() ? "" : ", ") + n;
  std::string umbrochen;
  std::string zeile = "   ";
  for (std::size_t p = 0; p < felder.size();) {
    std::size_t e = felder.find(' ', p);
    if (e == std::string::npos) e = felder.size();
    const std::string wort = felder.substr(p, e - p);
    if (zeile.size() + 1 + wort.size() > 78) {
      umbrochen += zeile + "\n";
      zeile = "   ";
    }
    zeile += " " + wort;
    p = e + 1;
  }
  umbrochen += zeile + "\n";

  std::string text = "Aufruf: davo [GLOBALE OPTIONEN] BEFEHL [ARGUMENTE]\n\nBefehle:\n";
  for (const Befehl& b : Befehlstabelle()) text += b.Hilfe;
  return text +
         "\n"
         "Felder der Adressen (adresse):\n" +
         umbrochen +
         "    Gruppe: 0 bis 255; AuszahlungFrei, SerienbriefDruck: 0 oder 1;\n"
         "    Flaeche: Hektar mit Dezimalkomma, z. B. 1.234,5\n"
         "\n"
         "Globale Optionen (vor dem Befehl):\n"
         "  --konfig ORDNER  Ordner der Konfigurationsdatei\n"
         "  --ja             alle Fragen mit Ja beantworten\n"
         "  --nein           alle Fragen mit Nein beantworten\n"
         "  --help, -h       diese Hilfe zeigen\n"
         "  --version        die Version zeigen\n"
         "  --handbuch       den Pfad des Handbuchs (HTML) zeigen\n"
         "\n"
         "Ohne --ja oder --nein werden Fragen am Terminal gestellt; sonst gilt\n"
         "die vorgewählte Antwort.\n"
         "\n"
         "Rückgabewert: 0 erledigt, 1 Eingabe abgelehnt oder Dateifehler,\n"
         "2 falscher Aufruf.\n";
}

namespace {

// The values of a command line that name files (UTF-8), with their kind.
std::vector<std::pair<std::string, Pfadart>> Pfade(const Befehl& befehl, const Argumente& a) {
  std::vector<std::pair<std::string, Pfadart>> pfade;
  for (std::size_t k = 0; k < a.Woerter.size() && !befehl.Woerter.empty(); ++k) {
    const Argument& art = befehl.Woerter[std::min(k, befehl.Woerter.size() - 1)];
    if (art.Pfad != Pfadart::Keiner) pfade.emplace_back(a.Woerter[k], art.Pfad);
  }
  for (const Option& o : befehl.Optionen)
    if (o.Pfad != Pfadart::Keiner)
      for (const std::string& wert : a.Werte(o.Name)) pfade.emplace_back(wert, o.Pfad);
  return pfade;
}

// A file (no folder) that exists, as program text; nothing otherwise (also
// when the name cannot be program text: the command itself says so).
std::optional<std::string> VorhandeneDatei(const std::string& utf8) {
  const std::optional<std::string> ansi = app::Utf8NachAnsiGenau(utf8);
  std::error_code ec;
  const std::filesystem::file_status st =
      ansi ? std::filesystem::status(app::DateiPfad(*ansi), ec) : std::filesystem::file_status();
  if (!ansi || ec || !std::filesystem::exists(st) || std::filesystem::is_directory(st)) return std::nullopt;
  return ansi;
}

// False (said) when two of the paths name one file: a command that wrote one
// of them would destroy what it reads from the other.
bool VerschiedeneDateien(const std::vector<std::pair<std::string, Pfadart>>& pfade) {
  for (std::size_t i = 0; i < pfade.size(); ++i) {
    const std::optional<std::string> a = VorhandeneDatei(pfade[i].first);
    if (!a) continue;
    for (std::size_t j = i + 1; j < pfade.size(); ++j) {
      const std::optional<std::string> b = VorhandeneDatei(pfade[j].first);
      if (b && app::DieselbeDatei(*a, *b)) {
        Melde(pfade[i].first + " und " + pfade[j].first +
              " sind dieselbe Datei. Ein Befehl nennt keine Datei zweimal: Er könnte sie überschreiben, "
              "während er sie liest.");
        return false;
      }
    }
  }
  return true;
}

// Says of every address file whose last record is torn that only its whole
// records are read and nothing is written to it.
void UnvollstaendigeAdressdateienMelden(const std::vector<std::pair<std::string, Pfadart>>& pfade) {
  for (const auto& [utf8, art] : pfade) {
    const std::optional<std::string> ansi = art == Pfadart::Adressdatei ? VorhandeneDatei(utf8) : std::nullopt;
    std::error_code ec;
    const std::uintmax_t bytes = ansi ? std::filesystem::file_size(app::DateiPfad(*ansi), ec) : 0;
    if (ec || bytes % addresses::TAdresse::Groesse == 0) continue;
    app::ZeigeWarnung(addresses::UngueltigeGroesseText(*ansi, static_cast<std::int64_t>(bytes)) +
                      app::Utf8NachAnsi(" Gelesen werden ihre " + std::to_string(bytes / addresses::TAdresse::Groesse) +
                                        " ganzen Adressen; geschrieben wird nichts in sie, bis sie gekürzt ist "
                                        "(davo kuerzen)."));
  }
}

}  // namespace

int BefehlAusfuehren(const std::string& befehl, const std::vector<std::string>& argumente, std::ostream& aus,
                     std::ostream& fehler) {
  const Befehl* eintrag = SucheBefehl(befehl);
  if (!eintrag) return Aufruffehler(fehler, "Unbekannter Befehl \"" + befehl + "\".");
  Argumente a;
  if (const std::string falsch = LiesArgumente(*eintrag, argumente, a); !falsch.empty())
    return Aufruffehler(fehler, falsch);
  const std::vector<std::pair<std::string, Pfadart>> pfade = Pfade(*eintrag, a);
  if (!VerschiedeneDateien(pfade)) return ExitAbgelehnt;
  UnvollstaendigeAdressdateienMelden(pfade);
  return eintrag->Ausfuehren(a, aus, fehler);
}

Aufruf LiesAufruf(const std::vector<std::string>& argumente) {
  Aufruf a;
  std::size_t i = 0;
  for (; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    if (arg == "--") {
      ++i;
      break;
    }
    if (arg.empty() || arg[0] != '-') break;
    if (arg == "--help" || arg == "-h") {
      a.Hilfe = true;
    } else if (arg == "--version") {
      a.Version = true;
    } else if (arg == "--handbuch") {
      a.Handbuch = true;
    } else if (arg == "--ja" || arg == "--nein") {
      const Vorgabe v = arg == "--ja" ? Vorgabe::Ja : Vorgabe::Nein;
      if (a.Antwort != Vorgabe::Keine && a.Antwort != v) {
        a.Fehler = "--ja und --nein schließen einander aus.";
        return a;
      }
      a.Antwort = v;
    } else if (arg == "--konfig") {
      if (i + 1 >= argumente.size() || argumente[i + 1].empty()) {
        a.Fehler = "Nach --konfig fehlt der Ordner.";
        return a;
      }
      a.KonfigOrdner = argumente[++i];
    } else if (arg.rfind("--konfig=", 0) == 0) {
      if (arg.size() == 9) {
        a.Fehler = "Nach --konfig= fehlt der Ordner.";
        return a;
      }
      a.KonfigOrdner = arg.substr(9);
    } else {
      a.Fehler = "Unbekannte Option " + arg + ".";
      return a;
    }
  }
  if (i < argumente.size()) {
    a.Befehl = argumente[i];
    a.Argumente.assign(argumente.begin() + static_cast<std::ptrdiff_t>(i) + 1, argumente.end());
  }
  return a;
}

int Hauptprogramm(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  app::SetzeZeitstempel();
  const Aufruf aufruf = LiesAufruf(argumente);
  if (!aufruf.Fehler.empty()) return Aufruffehler(fehler, aufruf.Fehler);
  if (aufruf.Hilfe) {
    aus << Hilfetext();
    aus.flush();
    return ExitErledigt;
  }
  if (aufruf.Version) {
    aus << "davo " DAVO_VERSION "\n" << app::Lizenzhinweis << "\n";
    aus.flush();
    return ExitErledigt;
  }
  if (aufruf.Handbuch) {
    const std::filesystem::path ordner = app::plattform::ProgrammDatei().parent_path();
    const std::optional<std::filesystem::path> handbuch = app::HandbuchFinden(ordner);
    if (!handbuch) {
      fehler << "davo: " << app::AnsiNachUtf8(app::HandbuchFehltText(ordner)) << "\n";
      return ExitAbgelehnt;
    }
    const std::u8string pfad = handbuch->u8string();
    aus << std::string(pfad.begin(), pfad.end()) << "\n";
    return ExitErledigt;
  }
  if (aufruf.Befehl.empty()) return Aufruffehler(fehler, "Es fehlt der Befehl.");
  if (aufruf.KonfigOrdner) app::KonfigOrdnerVorgabe = PfadAusUtf8(*aufruf.KonfigOrdner);

  TerminalDialoge dialoge = TerminalDialoge::FuerProzess(aufruf.Antwort);
  struct Installiert {
    explicit Installiert(app::DialogDienst* d) { app::InstalliereDialogDienst(d); }
    ~Installiert() { app::InstalliereDialogDienst(nullptr); }
    Installiert(const Installiert&) = delete;
    Installiert& operator=(const Installiert&) = delete;
  } installiert(&dialoge);
  return BefehlAusfuehren(aufruf.Befehl, aufruf.Argumente, aus, fehler);
}

}  // namespace davo::cli
