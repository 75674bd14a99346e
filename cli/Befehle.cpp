#include "Befehle.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Datum.h"
#include "app/Dialoge.h"
#include "app/Hauptmenue.h"
#include "app/Handbuch.h"
#include "app/Konfiguration.h"
#include "app/Plattform.h"
#include "app/Text.h"
#include "app/Umwandlung.h"

namespace davo::cli {

namespace {

using addresses::TAdresse;

// ---------------------------------------------------------------------------
// Field table

enum class Art { Text, Gruppe, AuszahlungFrei, SerienbriefDruck, Flaeche };

struct FeldBeschreibung {
  const char* Name;
  Art Typ;
  int Index;  // text field index for Art::Text
};

const FeldBeschreibung kFelder[] = {
    {"Anrede", Art::Text, addresses::Anrede},
    {"Name1", Art::Text, addresses::Name1},
    {"Name2", Art::Text, addresses::Name2},
    {"Sortierung", Art::Text, addresses::Sortierung},
    {"Strasse", Art::Text, addresses::Strasse},
    {"Postfach", Art::Text, addresses::Postfach},
    {"Ort", Art::Text, addresses::Ort},
    {"Telefon", Art::Text, addresses::Telefon},
    {"Feld9", Art::Text, addresses::Feld9},
    {"Fax", Art::Text, addresses::Fax},
    {"EMail", Art::Text, addresses::EMail},
    {"Homepage", Art::Text, addresses::Homepage},
    {"Bankname", Art::Text, addresses::Bankname},
    {"BLZ", Art::Text, addresses::BLZ},
    {"Kontonummer", Art::Text, addresses::Kontonummer},
    {"IBAN", Art::Text, addresses::IBAN},
    {"BIC", Art::Text, addresses::BIC},
    {"MandatsNr", Art::Text, addresses::MandatsNr},
    {"MandatsNrAlt", Art::Text, addresses::MandatsNrAlt},
    {"Steuernummer", Art::Text, addresses::Steuernummer},
    {"UStId", Art::Text, addresses::UStId},
    {"Gruppe", Art::Gruppe, 0},
    {"AuszahlungFrei", Art::AuszahlungFrei, 0},
    {"SerienbriefDruck", Art::SerienbriefDruck, 0},
    {"Flaeche", Art::Flaeche, 0},
};

// The area as the address manager shows it.
std::string FlaecheText(app::Currency wert) { return app::BetragKompakt(wert, 13, 4); }

// The value of a field as program text (Windows-1252).
std::string FeldWert(const TAdresse& a, const FeldBeschreibung& f) {
  switch (f.Typ) {
    case Art::Text:
      return a.Text(f.Index);
    case Art::Gruppe:
      return std::to_string(a.Gruppe());
    case Art::AuszahlungFrei:
      return std::to_string(a.AuszahlungFrei());
    case Art::SerienbriefDruck:
      return std::to_string(a.SerienbriefDruck());
    case Art::Flaeche:
      return FlaecheText(a.Flaeche());
  }
  return {};
}

// A checked new value for one field.
struct Aenderung {
  const FeldBeschreibung* Feld = nullptr;
  std::string Text;       // Art::Text
  std::int64_t Zahl = 0;  // all other kinds
};

void Anwenden(TAdresse& a, const Aenderung& ae) {
  switch (ae.Feld->Typ) {
    case Art::Text:
      a.SetzeText(ae.Feld->Index, ae.Text);
      break;
    case Art::Gruppe:
      a.SetzeGruppe(static_cast<std::uint8_t>(ae.Zahl));
      break;
    case Art::AuszahlungFrei:
      a.SetzeAuszahlungFrei(static_cast<std::uint8_t>(ae.Zahl));
      break;
    case Art::SerienbriefDruck:
      a.SetzeSerienbriefDruck(static_cast<std::uint8_t>(ae.Zahl));
      break;
    case Art::Flaeche:
      a.SetzeFlaeche(ae.Zahl);
      break;
  }
}

// ---------------------------------------------------------------------------
// Messages

// Shows a message written here in UTF-8 through the dialog service.
void Melde(std::string_view utf8) { app::ZeigeMeldung(app::Utf8NachAnsi(utf8)); }

// Shows a message of which only some parts are UTF-8 literals; the parts
// marked as program text are passed unchanged.
struct Ansi {
  std::string Text;
};
std::string Teil(std::string_view utf8) { return app::Utf8NachAnsi(utf8); }
std::string Teil(const Ansi& ansi) { return ansi.Text; }
template <typename... T>
void MeldeTeile(const T&... teile) {
  std::string text;
  ((text += Teil(teile)), ...);
  app::ZeigeMeldung(text);
}

constexpr const char* kAufrufZeilen =
    "Aufruf: davo [--konfig ORDNER] [--ja | --nein] BEFEHL [ARGUMENTE]\n"
    "Mehr dazu: davo --help\n";

}  // namespace

int Aufruffehler(std::ostream& fehler, const std::string& text) {
  fehler << "davo: " << text << "\n" << kAufrufZeilen;
  fehler.flush();
  return ExitAufruf;
}

namespace {

std::string Adressenzahl(std::int64_t n) { return std::to_string(n) + (n == 1 ? " Adresse" : " Adressen"); }

}  // namespace

// ---------------------------------------------------------------------------
// Files

std::optional<std::string> AnsiPfad(const std::string& utf8) {
  std::optional<std::string> pfad = app::Utf8NachAnsiGenau(utf8);
  if (!pfad) app::ZeigeMeldung(app::PfadNichtDarstellbarText(utf8));
  return pfad;
}

bool DateiVorhanden(const std::string& pfad) {
  if (app::DateiExistiert(pfad)) return true;
  app::IODateiName = pfad;
  app::ZeigeMeldung(app::IOFehlerText(app::io::DateiNichtGefunden, pfad));
  return false;
}

bool AktiveDateiSetzen(const std::string& pfad, const std::string& utf8) {
  if (pfad.size() > 255) {
    app::ZeigeMeldung(app::PfadNichtDarstellbarText(utf8));
    return false;
  }
  if (app::DateiExistiert(app::KonfigDateiPfad())) app::LiesKonfiguration();
  app::Konfiguration.SetzeAdressdatei(pfad);
  app::AktAdrBasis = app::BasisVon(pfad);
  return true;
}

namespace {

// Makes the path the file of the access operations and measures it.
// Nothing when the file could not be opened (the message was shown).
std::optional<std::int32_t> ZaehleAdressen(const std::string& pfad) {
  addresses::AdrDateiName = pfad;
  if (!addresses::AdresseLesen(-1)) return std::nullopt;
  return addresses::AnzahlAdressen;
}

bool HatSteuerzeichen(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// Checks one "Feld=Wert" value; shows the refusal and returns nothing when the
// value cannot be stored.
std::optional<Aenderung> PruefeWert(const FeldBeschreibung& feld, const std::string& wertUtf8) {
  const std::string name = feld.Name;
  const std::optional<std::string> wert = app::Utf8NachAnsiGenau(wertUtf8);
  if (!wert) {
    Melde("Der Wert für " + name + " enthält Zeichen, die es im Windows-Zeichensatz nicht gibt.");
    return std::nullopt;
  }
  if (HatSteuerzeichen(*wert)) {
    Melde("Der Wert für " + name + " enthält Steuerzeichen (etwa einen Zeilenumbruch).");
    return std::nullopt;
  }
  Aenderung ae;
  ae.Feld = &feld;
  switch (feld.Typ) {
    case Art::Text:
      ae.Text = *wert;
      return ae;
    case Art::Gruppe: {
      unsigned zahl = 0;
      const char* anfang = wert->data();
      const char* ende = anfang + wert->size();
      const bool nurZiffern = !wert->empty() && std::all_of(anfang, ende, [](char c) { return c >= '0' && c <= '9'; });
      const auto [p, ec] = std::from_chars(anfang, ende, zahl);
      if (!nurZiffern || ec != std::errc() || p != ende || zahl > 255) {
        MeldeTeile("Ungültige Gruppe: ", Ansi{*wert}, ". Erlaubt sind die Zahlen 0 bis 255.");
        return std::nullopt;
      }
      ae.Zahl = zahl;
      return ae;
    }
    case Art::AuszahlungFrei:
    case Art::SerienbriefDruck:
      if (*wert != "0" && *wert != "1") {
        MeldeTeile("Ungültiger Wert für " + name + ": ", Ansi{*wert}, ". Erlaubt sind 0 und 1.");
        return std::nullopt;
      }
      ae.Zahl = *wert == "1" ? 1 : 0;
      return ae;
    case Art::Flaeche: {
      const app::Eingabe flaeche = app::EingabeLesen(*wert, app::Zahlart::Flaeche);
      if (!flaeche.Gueltig()) {
        app::ZeigeWarnung(app::EingabeFehlertext(name, *wert, flaeche));
        return std::nullopt;
      }
      ae.Zahl = flaeche.Wert;
      return ae;
    }
  }
  return std::nullopt;
}

std::string Utf8Zeile(const std::string& ansi) { return Einzeilig(app::AnsiNachUtf8(ansi)); }

std::filesystem::path PfadAusUtf8(const std::string& utf8) {
  std::u8string u8(utf8.size(), u8'\0');
  std::transform(utf8.begin(), utf8.end(), u8.begin(), [](char c) { return static_cast<char8_t>(c); });
  return std::filesystem::path(u8);
}

// ---------------------------------------------------------------------------
// adresse: show and change

int AdresseZeigen(const std::string& pfad, std::int64_t nr, std::ostream& aus) {
  if (!DateiVorhanden(pfad)) return ExitAbgelehnt;
  const std::optional<std::int32_t> anzahl = ZaehleAdressen(pfad);
  if (!anzahl) return ExitAbgelehnt;
  if (nr < 1 || nr > *anzahl) {
    Melde("Die Adresse Nr. " + std::to_string(nr) + " gibt es nicht: Die Datei enthält " + Adressenzahl(*anzahl) + ".");
    return ExitAbgelehnt;
  }
  if (!addresses::AdresseLesen(static_cast<std::int32_t>(nr - 1))) return ExitAbgelehnt;

  const TAdresse& a = addresses::AktAdresse;
  for (const FeldBeschreibung& f : kFelder) aus << f.Name << '=' << Utf8Zeile(FeldWert(a, f)) << '\n';
  aus.flush();
  return ExitErledigt;
}

int AdresseAendern(const std::string& pfad, std::int64_t nr, const std::vector<Aenderung>& aenderungen) {
  std::int32_t anzahl = 0;
  if (app::DateiExistiert(pfad)) {
    const std::optional<std::int32_t> gemessen = ZaehleAdressen(pfad);
    if (!gemessen) return ExitAbgelehnt;
    anzahl = *gemessen;
  }
  if (nr < 1 || nr > static_cast<std::int64_t>(anzahl) + 1) {
    Melde("Die Adresse Nr. " + std::to_string(nr) + " kann nicht geschrieben werden: Die Datei enthält " +
          Adressenzahl(anzahl) + ", möglich sind die Nummern 1 bis " + std::to_string(anzahl + 1) + ".");
    return ExitAbgelehnt;
  }

  addresses::AdrDateiName = pfad;
  const auto satz = static_cast<std::int32_t>(nr - 1);
  if (satz < anzahl) {
    if (!addresses::AdresseLesen(satz)) return ExitAbgelehnt;
  } else {
    addresses::AktAdresse.Leeren();
  }

  TAdresse neu = addresses::AktAdresse;
  for (const Aenderung& ae : aenderungen) Anwenden(neu, ae);

  // The address manager keeps no owner without a name and a sort key.
  if (app::OhneLeerzeichen(neu.Text(addresses::Name1)).empty() ||
      app::OhneLeerzeichen(neu.Text(addresses::Sortierung)).empty()) {
    Melde("Die Adresse ist ungültig. Einige Felder sind leer.");
    return ExitAbgelehnt;
  }

  addresses::AktAdresse = neu;
  return addresses::AdresseSchreiben(satz) ? ExitErledigt : ExitAbgelehnt;
}

}  // namespace

// ---------------------------------------------------------------------------
// Public pieces

const std::vector<std::string>& Feldnamen() {
  static const std::vector<std::string> namen = [] {
    std::vector<std::string> n;
    for (const FeldBeschreibung& f : kFelder) n.emplace_back(f.Name);
    return n;
  }();
  return namen;
}

std::optional<std::size_t> FeldNachKommandoName(const std::string& name) {
  const auto gleich = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
  };
  for (std::size_t i = 0; i < std::size(kFelder); ++i)
    if (gleich(name, kFelder[i].Name)) return i;
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

std::string Einzeilig(const std::string& utf8) {
  std::string s = utf8;
  for (char& c : s)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return s;
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

  return "Aufruf: davo [GLOBALE OPTIONEN] BEFEHL [ARGUMENTE]\n"
         "\n"
         "Befehle:\n"
         "  adressen DATEI.ADW\n"
         "      Listet alle Adressen der Adressendatei, eine Zeile je Adresse:\n"
         "      Nummer, Sortierung, Name, Ort und Fläche, durch Tabulatoren getrennt.\n"
         "  adresse DATEI.ADW NR\n"
         "      Zeigt alle Felder der Adresse NR (gezählt ab 1) als Zeilen Feld=Wert.\n"
         "  adresse DATEI.ADW NR FELD=WERT ...\n"
         "      Setzt die genannten Felder der Adresse NR und speichert sie.\n"
         "      NR = Anzahl der Adressen + 1 hängt eine neue Adresse an; eine\n"
         "      fehlende Datei wird dabei angelegt. Name1 und Sortierung dürfen\n"
         "      nicht leer sein; Texte werden nach 50 Zeichen abgeschnitten.\n"
         "  waehlen DATEI.ADW [--sortierung N] [--suche TEXT]\n"
         "      Zeigt die Zeilen der Adressenauswahl in ihrer Reihenfolge: drei\n"
         "      Spalten zu 30 Zeichen, dahinter die Nummer der Adresse. N wählt die\n"
         "      Sortierung (Vorgabe 0) und damit die Spalten:\n"
         "        0 Normal: Sortierung, Name1, Ort    1 Name: Name1, Strasse, Ort\n"
         "        2 Ort: Ort, Name1, Strasse          3 BLZ: BLZ, Name1, Ort\n"
         "        4 Kontonummer: Kontonummer, Name1, Ort\n"
         "      Mit --suche nur die Zeilen, die TEXT enthalten, ohne Unterschied\n"
         "      zwischen Groß- und Kleinschreibung; auch die Nummer wird durchsucht.\n"
         "  aktion DATEI.ADW AKTION\n"
         "      Ändert nach einer Rückfrage ein Feld in allen Adressen der Datei:\n"
         "        freigabe-ein, freigabe-aus        AuszahlungFrei = 1 bzw. 0\n"
         "        serienbrief-ein, serienbrief-aus  SerienbriefDruck = 1 bzw. 0\n"
         "        serienbrief-nach-flaeche          SerienbriefDruck = 1, wenn die\n"
         "            Fläche die kleinste auszuzahlende Fläche erreicht (aus\n"
         "            Betrag/ha und kleinstem Betrag der Datei DATEI.JGA), sonst 0;\n"
         "            die Datei wird dabei als aktive Adressendatei in der\n"
         "            Konfiguration gespeichert\n"
         "        gruppen-null                      Gruppe = 0\n"
         "        gruppe-aus-serienbrief            Gruppe = SerienbriefDruck\n"
         "        gruppe-aus-freigabe               Gruppe = AuszahlungFrei\n"
         "      Wird eine Rückfrage verneint, bleibt die Datei unverändert\n"
         "      (Rückgabewert 1).\n"
         "  flurstuecke KATASTER.CSV [--sortieren] [--export DATEI] [--tabelle]\n"
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
         "                          eine fehlende Datei wird angelegt, die Datei\n"
         "                          wird als aktive Adressendatei in der\n"
         "                          Konfiguration gespeichert\n"
         "  serienbrief VORLAGE.TXT DATEI.ADW (--adresse NR | --gruppe G)\n"
         "              --pdf AUSGABE.PDF\n"
         "      Druckt die Serienbriefvorlage (Windows-Zeichensatz) als Brief für\n"
         "      die Adresse NR (gezählt ab 1) oder für jede Adresse der Gruppe G\n"
         "      (0 bis 255) in eine PDF-Datei (A4); jeder Brief beginnt auf einer\n"
         "      neuen Seite. Die Briefe einer Gruppe folgen in der Reihenfolge der\n"
         "      Adressenliste des Serienbrieffensters (nach Sortierung), ohne\n"
         "      Rückfrage je Adresse.\n"
         "  adressenliste DATEI.ADW --gruppe G --pdf AUSGABE.PDF\n"
         "      Druckt die Adressenliste der Gruppe G wie das Serienbrieffenster\n"
         "      in eine PDF-Datei: Seitenkopf mit Blattnummer, je Adresse eine\n"
         "      Zeile Name1; Name2; Strasse; Ort.\n"
         "      PDF-Dateien schreibt nur ein davo, das mit Qt gebaut wurde.\n"
         "  einstellungen DATEI.ADW [FELD=WERT ...]\n"
         "      Zeigt die Auszahlungseinstellungen der Adressendatei als Zeilen\n"
         "      Feld=Wert oder setzt die genannten Felder. Sie stehen in der Datei\n"
         "      neben der Adressendatei: ihr Name bis zum ersten Punkt und\n"
         "      \".JGA\". Beträge mit Dezimalkomma (z. B. 12,50). Felder: Auftraggeber,\n"
         "      AuftraggeberAdresse, Kreditinstitut, AuftraggeberBIC,\n"
         "      AuftraggeberIBAN, Kreditorennummer, BetragProHaText,\n"
         "      KleinsterBetragText, Belegtext1, SepaOrdner (je höchstens 255\n"
         "      Zeichen) und SepaFormat (09 für pain.001.001.09, die Vorgabe, oder 03\n"
         "      für pain.001.001.03); dazu wird Laufnummer gezeigt, die Zahl der\n"
         "      geschriebenen Sepa-Dateien, die sich nicht setzen lässt.\n"
         "  auszahlungsliste DATEI.ADW --art A [--sortierung S] [--pdf AUSGABE.PDF]\n"
         "      Die Auszahlungsliste mit Betrag/ha, kleinstem Betrag und Belegtext 1\n"
         "      aus den Einstellungen der Datei, für die Adressen der Art A:\n"
         "        1 alle                       2 zur Auszahlung freigegeben\n"
         "        3 nicht freigegeben          4 Gruppe 0        5 Gruppe 1\n"
         "      Sortiert nach Name, mit S nach name, bic, iban oder flaeche.\n"
         "      Zeigt Überschrift, eine Zeile je Adresse und die Summenzeile mit den\n"
         "      Spalten Name, Bic, IBAN, Fläche, Betrag, Überweisungstext1 und\n"
         "      Referenz, durch Tabulatoren getrennt; mit --pdf wird die Liste wie\n"
         "      mit \"Liste drucken\" in eine PDF-Datei gedruckt (Spalten Name bis\n"
         "      Betrag, nur mit Qt).\n"
         "  export serienbrief DATEI.ADW\n"
         "      Schreibt die Adressen mit SerienbriefDruck = 1 in die CSV-Datei\n"
         "      neben der Adressendatei (Pfad bis zum ersten Punkt und \".csv\"),\n"
         "      für den Seriendruck einer Textverarbeitung.\n"
         "  export bankdaten DATEI.ADW [--datei DATEI]\n"
         "      Schreibt BLZ und Kontonummer jeder Adresse für den SEPA-Konverter\n"
         "      nach c:\\zq-soft\\BLZ+Konto.csv oder in DATEI.\n"
         "      Beide Exporte zeigen Datei und Anzahl der Adressen. Besteht die\n"
         "      Datei schon, wird sie überschrieben; mit --nein wird angehängt.\n"
         "  import bankdaten DATEI.ADW [--datei DATEI]\n"
         "      Übernimmt nach einer Rückfrage BIC und IBAN aus der Ergebnisdatei\n"
         "      des Konverters (c:\\zq-soft\\Ergebnis_BLZ+Konto.csv oder DATEI) in\n"
         "      die Adressen mit gleicher BLZ und Kontonummer (Status 00) und\n"
         "      zeigt, wie viele Adressen sich geändert haben.\n"
         "  dos-import ALT.ADR --format jagd|buchhaltung\n"
         "      Wandelt eine Adressdatei der DOS-Version in eine Adressendatei\n"
         "      daneben um (Endung ADW, sie darf noch nicht bestehen) und zeigt\n"
         "      ihren Pfad und die Anzahl der Adressen.\n"
         "  xml DATEI [--roh]\n"
         "      Zeigt eine XML-Datei (etwa die Sepa-Datei) als Baum wie der XML-\n"
         "      Editor: ein Knoten je Zeile, zwei Leerzeichen Einzug je Ebene. Mit\n"
         "      --roh die Datei in Zeilen zu 50 Zeichen: Offset, Tabulator, Zeichen.\n"
         "      Jedes Byte erscheint als Zeichen des Windows-Zeichensatzes; \\r, \\n,\n"
         "      \\t, \\\\ und \\xNN stehen für Steuerzeichen und Bytes ohne Zeichen.\n"
         "  freigabeliste DATEI.ADW [--ohne NR,...] [--pdf AUSGABE.PDF]\n"
         "      Die Freigabeliste für die Sepa-Datei: die Überschrift, dann je\n"
         "      freigegebener Adresse mit Betrag eine Zeile \"frei\", \"gesperrt\" (mit\n"
         "      --ohne ausgenommen) oder \"fehlerhaft\" (Bankdaten, Name oder\n"
         "      Überweisungstext nicht plausibel), ein Tabulator und der Eintrag\n"
         "      Betrag;Name;BIC;IBAN;Überweisungstext;Referenz. Mit --pdf wird die\n"
         "      Liste wie mit \"Liste drucken\" gedruckt (nur mit Qt).\n"
         "  sepa DATEI.ADW [--ohne NR,...] [--ausfuehrung TT.MM.JJJJ] [--ordner ORDNER]\n"
         "       [--format 03|09] [--begleitzettel DATEI.PDF] [--liste DATEI.PDF]\n"
         "       [--kopie-nach ORDNER]\n"
         "      Schreibt die Sepa-Datei (XML) und ihre CSV-Datei für die freien\n"
         "      Einträge der Freigabeliste (--ohne nimmt Adressen aus) und zählt die\n"
         "      Laufnummer weiter. Auftraggeber, Ordner und Format kommen aus den\n"
         "      Einstellungen, das Ausführungsdatum ist der Vorschlag des\n"
         "      Auszahlungsfensters; die Optionen ersetzen sie. Danach, wie gewählt:\n"
         "      Kopie der XML-Datei in ORDNER, Begleitzettel und Überweisungsliste\n"
         "      als PDF (nur mit Qt). Zeigt die Zeilen \"XML: \", \"CSV: \", \"Anzahl: \"\n"
         "      und \"Summe: \". Die Rückfragen beantwortet --ja.\n"
         "  kopiere QUELLE ZIEL\n"
         "      Kopiert eine Datei mit ihrem Datum; fehlende Ordner des Ziels werden\n"
         "      angelegt. Ist ZIEL ein Ordner (oder endet es mit / oder \\), behält\n"
         "      die Kopie den Namen der Quelle.\n"
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

int AdressenAuflisten(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  if (argumente.size() != 1 || argumente[0].empty())
    return Aufruffehler(fehler, "adressen erwartet genau einen Dateinamen: davo adressen DATEI.ADW");
  const std::optional<std::string> pfad = AnsiPfad(argumente[0]);
  if (!pfad) return ExitAbgelehnt;
  if (!DateiVorhanden(*pfad)) return ExitAbgelehnt;

  addresses::AdrDateiName = *pfad;
  const bool gelesen = addresses::AdressenDurchlaufen([&aus](std::int32_t nr, TAdresse& a) {
    aus << (nr + 1) << '\t' << Utf8Zeile(a.Text(addresses::Sortierung)) << '\t' << Utf8Zeile(a.Text(addresses::Name1))
        << '\t' << Utf8Zeile(a.Text(addresses::Ort)) << '\t' << app::AnsiNachUtf8(FlaecheText(a.Flaeche())) << '\n';
    return false;
  });
  aus.flush();
  return gelesen ? ExitErledigt : ExitAbgelehnt;
}

int AdresseBearbeiten(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  if (argumente.size() < 2 || argumente[0].empty())
    return Aufruffehler(fehler,
                        "adresse erwartet einen Dateinamen und eine Nummer: davo adresse DATEI.ADW NR [FELD=WERT ...]");
  const std::optional<std::int64_t> nr = LiesNummer(argumente[1]);
  if (!nr) return Aufruffehler(fehler, "Die Adressennummer muss eine Zahl sein, nicht \"" + argumente[1] + "\".");

  // Usage first: every further argument must name a known field.
  std::vector<std::pair<const FeldBeschreibung*, std::string>> zuweisungen;
  for (std::size_t i = 2; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    const std::size_t gleich = arg.find('=');
    if (gleich == std::string::npos) return Aufruffehler(fehler, "Erwartet wird FELD=WERT, nicht \"" + arg + "\".");
    const std::optional<std::size_t> feld = FeldNachKommandoName(arg.substr(0, gleich));
    if (!feld) {
      std::string bekannt;
      for (const std::string& n : Feldnamen()) bekannt += (bekannt.empty() ? "" : ", ") + n;
      return Aufruffehler(fehler,
                          "Unbekanntes Feld \"" + arg.substr(0, gleich) + "\". Bekannte Felder: " + bekannt + ".");
    }
    zuweisungen.emplace_back(&kFelder[*feld], arg.substr(gleich + 1));
  }

  const std::optional<std::string> pfad = AnsiPfad(argumente[0]);
  if (!pfad) return ExitAbgelehnt;
  if (zuweisungen.empty()) return AdresseZeigen(*pfad, *nr, aus);

  std::vector<Aenderung> aenderungen;
  for (const auto& [feld, wert] : zuweisungen) {
    const std::optional<Aenderung> ae = PruefeWert(*feld, wert);
    if (!ae) return ExitAbgelehnt;
    aenderungen.push_back(*ae);
  }
  return AdresseAendern(*pfad, *nr, aenderungen);
}

int BefehlAusfuehren(const std::string& befehl, const std::vector<std::string>& argumente, std::ostream& aus,
                     std::ostream& fehler) {
  if (befehl == "adressen") return AdressenAuflisten(argumente, aus, fehler);
  if (befehl == "adresse") return AdresseBearbeiten(argumente, aus, fehler);
  if (befehl == "waehlen") return AdressenWaehlen(argumente, aus, fehler);
  if (befehl == "aktion") return AktionAusfuehren(argumente, aus, fehler);
  if (befehl == "flurstuecke") return FlurstueckeVerarbeiten(argumente, aus, fehler);
  if (befehl == "serienbrief") return SerienbriefeDrucken(argumente, aus, fehler);
  if (befehl == "adressenliste") return AdressenlisteDrucken(argumente, aus, fehler);
  if (befehl == "einstellungen") return EinstellungenBearbeiten(argumente, aus, fehler);
  if (befehl == "auszahlungsliste") return AuszahlungslisteZeigen(argumente, aus, fehler);
  if (befehl == "export") return Exportieren(argumente, aus, fehler);
  if (befehl == "import") return Importieren(argumente, aus, fehler);
  if (befehl == "dos-import") return DosImportieren(argumente, aus, fehler);
  if (befehl == "xml") return XmlZeigen(argumente, aus, fehler);
  if (befehl == "freigabeliste") return FreigabelisteZeigen(argumente, aus, fehler);
  if (befehl == "sepa") return SepaDateiErstellen(argumente, aus, fehler);
  if (befehl == "kopiere") return DateiKopieren(argumente, aus, fehler);
  return Aufruffehler(fehler, "Unbekannter Befehl \"" + befehl + "\".");
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
