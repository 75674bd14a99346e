// The address commands: "adressen" lists the records of an address file,
// "adresse" shows or changes one, "waehlen" gives the lines of the address
// chooser, and "aktion" runs one of the actions that change a field in every
// record.

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Befehle.h"
#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "addresses/Sammelaktionen.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Grossspeicher.h"
#include "app/Pfade.h"
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "payout/Flaechenaktion.h"

namespace davo::cli {

namespace {

using addresses::Adressdatei;
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
// adressen and adresse

std::string Adressenzahl(std::int64_t n) { return std::to_string(n) + (n == 1 ? " Adresse" : " Adressen"); }

// Measures the address file. Nothing when it could not be opened (the
// message was shown).
std::optional<std::int32_t> ZaehleAdressen(Adressdatei& datei) {
  if (!app::ZeigeIOErgebnis(addresses::Lesen(datei, -1))) return std::nullopt;
  return datei.Anzahl;
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
        Melde("Ungültige Gruppe: " + wertUtf8 + ". Erlaubt sind die Zahlen 0 bis 255.");
        return std::nullopt;
      }
      ae.Zahl = zahl;
      return ae;
    }
    case Art::AuszahlungFrei:
    case Art::SerienbriefDruck:
      if (*wert != "0" && *wert != "1") {
        Melde("Ungültiger Wert für " + name + ": " + wertUtf8 + ". Erlaubt sind 0 und 1.");
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

int AdresseZeigen(const std::string& pfad, std::int64_t nr, std::ostream& aus) {
  if (!DateiVorhanden(pfad)) return ExitAbgelehnt;
  addresses::Adressdatei datei(pfad);
  const std::optional<std::int32_t> anzahl = ZaehleAdressen(datei);
  if (!anzahl) return ExitAbgelehnt;
  if (nr < 1 || nr > *anzahl) {
    Melde("Die Adresse Nr. " + std::to_string(nr) + " gibt es nicht: Die Datei enthält " + Adressenzahl(*anzahl) + ".");
    return ExitAbgelehnt;
  }
  if (!app::ZeigeIOErgebnis(addresses::Lesen(datei, static_cast<std::int32_t>(nr - 1)))) return ExitAbgelehnt;

  const TAdresse& a = datei.Satz;
  for (const FeldBeschreibung& f : kFelder) aus << f.Name << '=' << Utf8Zeile(FeldWert(a, f)) << '\n';
  aus.flush();
  return ExitErledigt;
}

int AdresseAendern(const std::string& pfad, std::int64_t nr, const std::vector<Aenderung>& aenderungen) {
  addresses::Adressdatei datei(pfad);
  std::int32_t anzahl = 0;
  if (app::DateiExistiert(pfad)) {
    const std::optional<std::int32_t> gemessen = ZaehleAdressen(datei);
    if (!gemessen) return ExitAbgelehnt;
    anzahl = *gemessen;
  }
  if (nr < 1 || nr > static_cast<std::int64_t>(anzahl) + 1) {
    Melde("Die Adresse Nr. " + std::to_string(nr) + " kann nicht geschrieben werden: Die Datei enthält " +
          Adressenzahl(anzahl) + ", möglich sind die Nummern 1 bis " + std::to_string(anzahl + 1) + ".");
    return ExitAbgelehnt;
  }

  // The changes on the record; false (said) when it would be invalid: the
  // address manager keeps no owner without a name and a sort key.
  bool gueltig = true;
  const auto aendern = [&](TAdresse& a) {
    TAdresse neu = a;
    for (const Aenderung& ae : aenderungen) Anwenden(neu, ae);
    gueltig = !app::OhneLeerzeichen(neu.Text(addresses::Name1)).empty() &&
              !app::OhneLeerzeichen(neu.Text(addresses::Sortierung)).empty();
    if (!gueltig) {
      Melde("Die Adresse ist ungültig. Einige Felder sind leer.");
      return false;
    }
    a = neu;
    return true;
  };

  const auto satz = static_cast<std::int32_t>(nr - 1);
  // A record of the file is read and written back under one lock, so that
  // no other program changes it in between; a new one is appended.
  app::IOErgebnis ergebnis;
  if (satz < anzahl) {
    ergebnis = addresses::Aendern(datei, satz, aendern);
  } else {
    datei.Satz.Leeren();
    if (!aendern(datei.Satz)) return ExitAbgelehnt;
    ergebnis = addresses::Schreiben(datei, satz);
  }
  return app::ZeigeIOErgebnis(ergebnis) && gueltig ? ExitErledigt : ExitAbgelehnt;
}
// ---------------------------------------------------------------------------
// aktion

using addresses::Aktionsergebnis;

using addresses::Adressdatei;

struct Aktion {
  const char* Name;
  Aktionsergebnis (*Ausfuehren)(Adressdatei&);
};

const Aktion kAktionen[] = {
    {"freigabe-ein", [](Adressdatei& d) { return addresses::AuszahlungFreiSetzen(d, 1); }},
    {"freigabe-aus", [](Adressdatei& d) { return addresses::AuszahlungFreiSetzen(d, 0); }},
    {"serienbrief-ein", [](Adressdatei& d) { return addresses::SerienbriefSetzen(d, 1); }},
    {"serienbrief-aus", [](Adressdatei& d) { return addresses::SerienbriefSetzen(d, 0); }},
    {"serienbrief-nach-flaeche", [](Adressdatei& d) { return payout::SerienbriefNachFlaeche(d); }},
    {"gruppen-null", addresses::GruppenAufNull},
    {"gruppe-aus-serienbrief", addresses::GruppeAusSerienbrief},
    {"gruppe-aus-freigabe", addresses::GruppeAusAuszahlung},
};

}  // namespace

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
int AdressenAuflisten(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  const std::optional<std::string> pfad = AnsiPfad(argumente.Woerter[0]);
  if (!pfad) return ExitAbgelehnt;
  if (!DateiVorhanden(*pfad)) return ExitAbgelehnt;

  Adressdatei datei(*pfad);
  const app::IOErgebnis gelesen = addresses::Durchlaufen(datei, [&aus](std::int32_t nr, TAdresse& a) {
    aus << (nr + 1) << '\t' << Utf8Zeile(a.Text(addresses::Sortierung)) << '\t' << Utf8Zeile(a.Text(addresses::Name1))
        << '\t' << Utf8Zeile(a.Text(addresses::Ort)) << '\t' << app::AnsiNachUtf8(FlaecheText(a.Flaeche())) << '\n';
    return false;
  });
  aus.flush();
  return app::ZeigeIOErgebnis(gelesen) ? ExitErledigt : ExitAbgelehnt;
}

int AdresseBearbeiten(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  const std::vector<std::string>& w = argumente.Woerter;
  const std::int64_t nr = *LiesNummer(w[1]);
  const std::optional<std::string> pfad = AnsiPfad(w[0]);
  if (!pfad) return ExitAbgelehnt;
  if (w.size() == 2) return AdresseZeigen(*pfad, nr, aus);

  std::vector<Aenderung> aenderungen;
  for (std::size_t i = 2; i < w.size(); ++i) {
    const std::size_t gleich = w[i].find('=');
    const FeldBeschreibung& feld = kFelder[*FeldNachKommandoName(w[i].substr(0, gleich))];
    const std::optional<Aenderung> ae = PruefeWert(feld, w[i].substr(gleich + 1));
    if (!ae) return ExitAbgelehnt;
    aenderungen.push_back(*ae);
  }
  return AdresseAendern(*pfad, nr, aenderungen);
}

const std::vector<std::string>& Aktionsnamen() {
  static const std::vector<std::string> namen = [] {
    std::vector<std::string> n;
    for (const Aktion& a : kAktionen) n.emplace_back(a.Name);
    return n;
  }();
  return namen;
}

int AdressenWaehlen(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  const std::optional<std::string> pfad = AnsiPfad(argumente.Woerter[0]);
  if (!pfad) return ExitAbgelehnt;
  const int sortierung = argumente.Wert("--sortierung").value_or("0")[0] - '0';
  std::optional<std::string> suchtext;
  if (const std::optional<std::string> suche = argumente.Wert("--suche")) {
    suchtext = app::Utf8NachAnsiGenau(*suche);
    if (!suchtext) {
      Melde("Der Suchtext enthält Zeichen, die es im Windows-Zeichensatz nicht gibt.");
      return ExitAbgelehnt;
    }
  }
  if (!DateiVorhanden(*pfad)) return ExitAbgelehnt;

  Adressdatei datei(*pfad);
  addresses::AdrZeilen zeilen;
  if (!app::ZeigeIOErgebnis(addresses::AdrZeilenAufbauen(datei, sortierung, zeilen))) return ExitAbgelehnt;
  if (suchtext && !addresses::AdrZeilenSuchen(zeilen, *suchtext)) return ExitAbgelehnt;

  Blockausgabe ausgabe(aus);
  for (std::size_t i = 0; i < zeilen.size(); ++i) {
    // The lines lie in the file's order: the next ones are fetched early.
    if (i + 8 < zeilen.size()) app::Vorholen(zeilen.Text(i + 8).data());
    ausgabe.Text(zeilen.Text(i));
    ausgabe.Zeilenende();
  }
  ausgabe.Ende();
  return ExitErledigt;
}

int AdressdateiKuerzen(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  const std::optional<std::string> pfad = AnsiPfad(argumente.Woerter[0]);
  if (!pfad || !DateiVorhanden(*pfad)) return ExitAbgelehnt;
  Adressdatei datei(*pfad);
  if (!app::ZeigeIOErgebnis(addresses::Lesen(datei, -1))) return ExitAbgelehnt;
  if (datei.Rest() == 0) {
    aus << "Die Datei ist vollständig: " << Adressenzahl(datei.Anzahl) << ". Es gibt nichts zu kürzen.\n";
    aus.flush();
    return ExitErledigt;
  }
  bool kuerzen = false;
  app::FrageJaNein(addresses::UngueltigeGroesseText(*pfad, datei.Laenge),
                   app::Utf8NachAnsi("Datei auf " + std::to_string(datei.Anzahl) +
                                     " vollständige Adressen kürzen? Eine Sicherungskopie wird angelegt."),
                   kuerzen);
  if (!kuerzen) {
    Melde("Abgebrochen.");
    return ExitAbgelehnt;
  }
  std::string sicherung;
  if (!app::ZeigeIOErgebnis(addresses::AufGanzeSaetzeKuerzen(datei, sicherung))) return ExitAbgelehnt;
  const std::u8string kopie = app::DateiPfad(sicherung).u8string();
  aus << "Adressen: " << datei.Anzahl << "\nSicherungskopie: " << std::string(kopie.begin(), kopie.end()) << '\n';
  aus.flush();
  return ExitErledigt;
}

int AktionAusfuehren(const Argumente& argumente, std::ostream& /*aus*/, std::ostream& /*fehler*/) {
  const Aktion* aktion = nullptr;
  for (const Aktion& a : kAktionen)
    if (argumente.Woerter[1] == a.Name) aktion = &a;

  const std::optional<std::string> pfad = AnsiPfad(argumente.Woerter[0]);
  if (!pfad) return ExitAbgelehnt;
  if (!DateiVorhanden(*pfad)) return ExitAbgelehnt;

  Adressdatei datei(*pfad);
  switch (aktion->Ausfuehren(datei)) {
    case Aktionsergebnis::Erledigt:
      return ExitErledigt;
    case Aktionsergebnis::Abgelehnt:
      Melde("Abgebrochen.");
      return ExitAbgelehnt;
    case Aktionsergebnis::Fehler:
      break;
  }
  return ExitAbgelehnt;
}

}  // namespace davo::cli
