// The SEPA commands: "freigabeliste" shows or prints the release list of the
// payout window's SEPA button, "sepa" writes the SEPA file and its CSV twin
// from it and then performs the chooser's actions asked for, and "kopiere"
// copies a file with its date as the chooser's copy does.

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "Befehle.h"
#include "PdfAusgabe.h"
#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dateikopie.h"
#include "app/Datum.h"
#include "app/Dialoge.h"
#include "app/Pfade.h"
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "payout/Adressenliste.h"
#include "payout/Auszahlung.h"
#include "payout/Einstellungen.h"
#include "payout/Sepa.h"

namespace davo::cli {

namespace {

using payout::TAuszahlungsEinstellungen;

void Melde(std::string_view utf8) { app::ZeigeMeldung(app::Utf8NachAnsi(utf8)); }

constexpr const char* kFreigabeAufruf = "davo freigabeliste DATEI.ADW [--ohne NR,...] [--pdf AUSGABE.PDF]";
constexpr const char* kSepaAufruf =
    "davo sepa DATEI.ADW [--ohne NR,...] [--ausfuehrung TT.MM.JJJJ] [--ordner ORDNER] [--format 03|09] "
    "[--begleitzettel DATEI.PDF] [--liste DATEI.PDF] [--kopie-nach ORDNER]";
constexpr const char* kKopiereAufruf = "davo kopiere QUELLE ZIEL";

// ---------------------------------------------------------------------------
// The command lines

struct SepaAufruf {
  std::optional<std::string> Datei;  // UTF-8
  std::vector<std::int64_t> Ohne;    // record numbers from 1
  std::optional<app::DatumZeit> Ausfuehrung;
  std::optional<std::string> Ordner;  // UTF-8
  std::optional<payout::SepaFormat> Format;
  std::optional<std::string> Begleitzettel, Liste, KopieNach, Pdf;  // UTF-8
  std::string Fehler;                                               // usage error; empty when the line is fine
};

// A date written TT.MM.JJJJ that exists in the calendar.
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

// The options of "sepa" (mitSepa) or of "freigabeliste".
SepaAufruf LiesSepaAufruf(const std::string& befehl, const std::string& aufruf,
                          const std::vector<std::string>& argumente, bool mitSepa) {
  SepaAufruf a;
  const auto falsch = [&a](std::string text) {
    a.Fehler = std::move(text);
    return a;
  };
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    if (arg.size() < 2 || arg[0] != '-') {
      if (arg.empty()) return falsch("Der Dateiname ist leer.");
      if (a.Datei) return falsch(befehl + " erwartet genau eine Adressendatei: " + aufruf);
      a.Datei = arg;
      continue;
    }
    const std::size_t gleich = arg.find('=');
    const std::string name = arg.substr(0, gleich);
    const bool bekannt =
        name == "--ohne" || (mitSepa ? name == "--ausfuehrung" || name == "--ordner" || name == "--format" ||
                                           name == "--begleitzettel" || name == "--liste" || name == "--kopie-nach"
                                     : name == "--pdf");
    if (!bekannt) return falsch("Unbekannte Option " + name + " für " + befehl + ".");
    std::string wert;
    if (gleich != std::string::npos)
      wert = arg.substr(gleich + 1);
    else if (i + 1 < argumente.size() && argumente[i + 1].rfind("--", 0) != 0)
      wert = argumente[++i];
    if (wert.empty()) return falsch("Nach " + name + " fehlt der Wert.");

    const auto einmal = [&](std::optional<std::string>& ziel) {
      if (ziel) return false;
      ziel = wert;
      return true;
    };
    const std::string doppelt = "Die Option " + name + " ist doppelt angegeben.";
    if (name == "--ohne") {
      for (std::size_t p = 0; p <= wert.size();) {
        std::size_t e = wert.find(',', p);
        if (e == std::string::npos) e = wert.size();
        const std::string teil = wert.substr(p, e - p);
        const std::optional<std::int64_t> nr = LiesNummer(teil);
        if (!nr || teil[0] == '+' || teil[0] == '-' || *nr < 1)
          return falsch("Nach --ohne stehen Adressennummern ab 1, durch Kommas getrennt, nicht \"" + wert + "\".");
        a.Ohne.push_back(*nr);
        p = e + 1;
      }
    } else if (name == "--ausfuehrung") {
      if (a.Ausfuehrung) return falsch(doppelt);
      a.Ausfuehrung = LiesDatum(wert);
      if (!a.Ausfuehrung)
        return falsch("Das Ausführungsdatum muss ein Tag in der Form TT.MM.JJJJ sein, nicht \"" + wert + "\".");
    } else if (name == "--format") {
      if (a.Format) return falsch(doppelt);
      if (wert == "09")
        a.Format = payout::SepaFormat::Pain09;
      else if (wert == "03")
        a.Format = payout::SepaFormat::Pain03;
      else
        return falsch("Das SEPA-Format muss 09 oder 03 sein, nicht \"" + wert + "\".");
    } else if (name == "--ordner") {
      if (!einmal(a.Ordner)) return falsch(doppelt);
    } else if (name == "--begleitzettel") {
      if (!einmal(a.Begleitzettel)) return falsch(doppelt);
    } else if (name == "--liste") {
      if (!einmal(a.Liste)) return falsch(doppelt);
    } else if (name == "--kopie-nach") {
      if (!einmal(a.KopieNach)) return falsch(doppelt);
    } else {
      if (!einmal(a.Pdf)) return falsch(doppelt);
    }
  }
  if (!a.Datei) return falsch(befehl + " erwartet eine Adressendatei: " + aufruf);
  return a;
}

// ---------------------------------------------------------------------------
// The release list

// The address file argument as program text, when it exists, and its
// settings read into e. Nothing (message shown) when either fails.
std::optional<std::string> DateiUndEinstellungen(const SepaAufruf& aufruf, TAuszahlungsEinstellungen& e) {
  std::optional<std::string> pfad = AnsiPfad(*aufruf.Datei);
  if (!pfad || !DateiVorhanden(*pfad) || !EinstellungenDerDatei(addresses::Adressdatei(*pfad), e)) return std::nullopt;
  return pfad;
}

// Checks the amounts of the settings and builds the release list from the
// address file. False (message shown) when that cannot be done.
bool FreigabeAufbauen(addresses::Adressdatei& datei, TAuszahlungsEinstellungen& e, payout::AdressenlisteModell& liste) {
  const std::optional<payout::Betraege> b = payout::EingabenLesen(
      e.Feld(TAuszahlungsEinstellungen::BetragProHaText), e.Feld(TAuszahlungsEinstellungen::KleinsterBetragText));
  // Records that cannot be read are reported and left out; the list would
  // be incomplete.
  return b && app::ZeigeIOErgebnis(liste.FreigabelisteAufbauen(datei, e, b->ProHa, b->Kleinster,
                                                               e.Feld(TAuszahlungsEinstellungen::Belegtext1)));
}

// Unchecks the owners of --ohne; a number the file does not have is a usage
// error (the text comes back).
std::string Ausnehmen(const std::vector<std::int64_t>& ohne, std::int32_t anzahl, payout::AdressenlisteModell& liste) {
  const std::set<std::int64_t> nummern(ohne.begin(), ohne.end());
  for (std::int64_t nr : nummern)
    if (nr > anzahl)
      return "Die Adresse Nr. " + std::to_string(nr) + " gibt es nicht: Die Datei enthält " + std::to_string(anzahl) +
             (anzahl == 1 ? " Adresse." : " Adressen.");
  for (payout::Freigabeposten& p : liste.Freigabe)
    if (nummern.count(static_cast<std::int64_t>(p.Nr) + 1)) p.Markiert = false;
  return {};
}

#if DAVO_MIT_PDF

// Prints into a new PDF file whatever drucken prints; the files read are
// kept from being overwritten.
template <typename Drucken>
bool InPdf(const std::string& pdfUtf8, const std::vector<std::string>& gelesen, Drucken drucken) {
  const std::optional<std::string> ausgabe = PdfAusgabeAnlegen(pdfUtf8, gelesen);
  if (!ausgabe) return false;
  {
    const QtSitzung qt;
    const PdfDrucker drucker(QtPfad(*ausgabe));
    drucken();
  }
  return PdfGeschrieben(*ausgabe);
}

#endif

std::string Zustand(const payout::Freigabeposten& p) {
  if (!p.Aktiv) return "fehlerhaft";
  return p.Markiert ? "frei" : "gesperrt";
}

}  // namespace

int FreigabelisteZeigen(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  const SepaAufruf aufruf = LiesSepaAufruf("freigabeliste", kFreigabeAufruf, argumente, false);
  if (!aufruf.Fehler.empty()) return Aufruffehler(fehler, aufruf.Fehler);
#if !DAVO_MIT_PDF
  if (aufruf.Pdf) return OhnePdf();
#endif
  TAuszahlungsEinstellungen e;
  const std::optional<std::string> pfad = DateiUndEinstellungen(aufruf, e);
  if (!pfad) return ExitAbgelehnt;
  addresses::Adressdatei datei(*pfad);
  payout::AdressenlisteModell liste;
  if (!FreigabeAufbauen(datei, e, liste)) return ExitAbgelehnt;
  if (const std::string falsch = Ausnehmen(aufruf.Ohne, datei.Anzahl, liste); !falsch.empty())
    return Aufruffehler(fehler, falsch);

#if DAVO_MIT_PDF
  if (aufruf.Pdf)
    return InPdf(*aufruf.Pdf, {*pfad, payout::EinstellungsDatei(datei)}, [&liste] { liste.ListeDrucken(); })
               ? ExitErledigt
               : ExitAbgelehnt;
#endif
  aus << app::AnsiNachUtf8(liste.Titel) << '\n';
  for (const payout::Freigabeposten& p : liste.Freigabe)
    aus << Zustand(p) << '\t' << Einzeilig(app::AnsiNachUtf8(p.Text)) << '\n';
  aus.flush();
  return ExitErledigt;
}

int SepaDateiErstellen(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  const SepaAufruf aufruf = LiesSepaAufruf("sepa", kSepaAufruf, argumente, true);
  if (!aufruf.Fehler.empty()) return Aufruffehler(fehler, aufruf.Fehler);
#if !DAVO_MIT_PDF
  if (aufruf.Begleitzettel || aufruf.Liste) return OhnePdf();
#endif

  // The settings, with the options in place of what they give.
  TAuszahlungsEinstellungen e;
  const std::optional<std::string> adressdatei = DateiUndEinstellungen(aufruf, e);
  if (!adressdatei) return ExitAbgelehnt;
  addresses::Adressdatei datei(*adressdatei);
  payout::SepaVorgaben v;
  v.Auftraggeber = e.Feld(TAuszahlungsEinstellungen::Auftraggeber);
  v.Adresse = e.Feld(TAuszahlungsEinstellungen::AuftraggeberAdresse);
  v.BIC = e.Feld(TAuszahlungsEinstellungen::AuftraggeberBIC);
  v.IBAN = e.Feld(TAuszahlungsEinstellungen::AuftraggeberIBAN);
  v.Belegtext = e.Feld(TAuszahlungsEinstellungen::Belegtext1);
  v.Ordner = e.Feld(TAuszahlungsEinstellungen::SepaOrdner);
  if (aufruf.Ordner) {
    const std::optional<std::string> ordner = AnsiPfad(*aufruf.Ordner);
    if (!ordner) return ExitAbgelehnt;
    v.Ordner = *ordner;
  }
  v.Ausfuehrung = aufruf.Ausfuehrung.value_or(payout::AusfuehrungsdatumVorschlag(app::Jetzt()));
  if (aufruf.Format) {
    v.Format = *aufruf.Format;
  } else if (const auto format = payout::SepaFormatAusByte(e.SepaFormat())) {
    v.Format = *format;
  } else {
    Melde("Das SEPA-Format in " + app::AnsiNachUtf8(payout::EinstellungsDatei(datei)) + " ist unbekannt (Wert " +
          std::to_string(e.SepaFormat()) +
          "). Bitte mit --format 09 oder 03 wählen oder mit \"davo einstellungen "
          "DATEI.ADW SepaFormat=09\" setzen.");
    return ExitAbgelehnt;
  }
  std::optional<std::string> kopieNach;
  if (aufruf.KopieNach) {
    kopieNach = AnsiPfad(*aufruf.KopieNach);
    if (!kopieNach) return ExitAbgelehnt;
  }
  if (!payout::AuftraggeberPruefen(v)) return ExitAbgelehnt;

  payout::AdressenlisteModell liste;
  if (!FreigabeAufbauen(datei, e, liste)) return ExitAbgelehnt;
  if (const std::string falsch = Ausnehmen(aufruf.Ohne, datei.Anzahl, liste); !falsch.empty())
    return Aufruffehler(fehler, falsch);

  payout::SepaLauf lauf;
  const payout::SepaErgebnis ergebnis = payout::SepaDateienErstellen(liste, datei, e, v, lauf);
  if (ergebnis == payout::SepaErgebnis::Verneint)
    Melde("Es wurde keine Sepa-Datei erstellt: Eine Frage wurde mit Nein beantwortet.");
  if (ergebnis != payout::SepaErgebnis::Geschrieben && ergebnis != payout::SepaErgebnis::LaufnummerNichtGespeichert)
    return ExitAbgelehnt;
  aus << "XML: " << app::AnsiNachUtf8(lauf.XmlPfad) << '\n'
      << "CSV: " << app::AnsiNachUtf8(lauf.CsvPfad) << '\n'
      << "Anzahl: " << lauf.Anzahl << '\n'
      << "Summe: " << app::SepaBetrag(lauf.Summe) << '\n';
  aus.flush();

  bool ok = ergebnis == payout::SepaErgebnis::Geschrieben;
  if (kopieNach) {
    app::Abbruch = false;
    ok = payout::SepaDateiKopierenNach(lauf, *kopieNach) && ok;
  }
#if DAVO_MIT_PDF
  const std::vector<std::string> gelesen = {*adressdatei, payout::EinstellungsDatei(datei), lauf.XmlPfad, lauf.CsvPfad};
  if (aufruf.Begleitzettel)
    ok = InPdf(*aufruf.Begleitzettel, gelesen, [&] { payout::BegleitzettelDrucken(lauf, v); }) && ok;
  if (aufruf.Liste) ok = InPdf(*aufruf.Liste, gelesen, [&liste] { liste.ListeDrucken(); }) && ok;
#endif
  if (!ok) {
    Melde("Die Sepa-Dateien wurden geschrieben und bleiben bestehen: " + app::AnsiNachUtf8(lauf.XmlPfad) + " und " +
          app::AnsiNachUtf8(lauf.CsvPfad) + ".");
    return ExitAbgelehnt;
  }
  return ExitErledigt;
}

int DateiKopieren(const std::vector<std::string>& argumente, std::ostream& /*aus*/, std::ostream& fehler) {
  if (argumente.size() != 2 || argumente[0].empty() || argumente[1].empty() || argumente[0].rfind("--", 0) == 0 ||
      argumente[1].rfind("--", 0) == 0)
    return Aufruffehler(fehler, "kopiere erwartet eine Quelle und ein Ziel: " + std::string(kKopiereAufruf));
  const std::optional<std::string> quelle = AnsiPfad(argumente[0]);
  if (!quelle) return ExitAbgelehnt;
  std::optional<std::string> ziel = AnsiPfad(argumente[1]);
  if (!ziel) return ExitAbgelehnt;
  // Into a folder under the source's own name.
  std::error_code ec;
  const char letztes = ziel->back();
  if (letztes == '\\' || letztes == '/' || std::filesystem::is_directory(app::DateiPfad(*ziel), ec)) {
    const std::size_t p = quelle->find_last_of("\\/");
    *ziel = payout::OrdnerMitTrenner(*ziel) + (p == std::string::npos ? *quelle : quelle->substr(p + 1));
  }
  app::Abbruch = false;
  const bool kopiert = app::LegePfadAn(*ziel) && app::KopiereDatei(*quelle, *ziel);
  app::ZeigeFortschritt(std::string(), 0);
  return kopiert ? ExitErledigt : ExitAbgelehnt;
}

}  // namespace davo::cli
