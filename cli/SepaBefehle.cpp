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

// ---------------------------------------------------------------------------
// The release list

// The address file argument as program text, when it exists, and its
// settings read into e. Nothing (message shown) when either fails.
std::optional<std::string> DateiUndEinstellungen(const std::string& dateiUtf8, TAuszahlungsEinstellungen& e) {
  std::optional<std::string> pfad = AnsiPfad(dateiUtf8);
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

// Unchecks the owners of every --ohne; a number the file does not have is a
// usage error (the text comes back).
std::string Ausnehmen(const Argumente& argumente, std::int32_t anzahl, payout::AdressenlisteModell& liste) {
  std::set<std::int64_t> nummern;
  for (const std::string& wert : argumente.Werte("--ohne")) {
    const std::vector<std::int64_t> liste = LiesNummernliste(wert).value_or(std::vector<std::int64_t>{});
    nummern.insert(liste.begin(), liste.end());
  }
  for (std::int64_t nr : nummern)
    if (nr > anzahl)
      return "Die Adresse Nr. " + std::to_string(nr) + " gibt es nicht: Die Datei enthält " + std::to_string(anzahl) +
             (anzahl == 1 ? " Adresse." : " Adressen.");
  for (payout::Freigabeposten& p : liste.Freigabe)
    if (nummern.count(static_cast<std::int64_t>(p.Nr) + 1)) p.Markiert = false;
  return {};
}

std::string Zustand(const payout::Freigabeposten& p) {
  if (!p.Aktiv) return "fehlerhaft";
  return p.Markiert ? "frei" : "gesperrt";
}

bool ListeDrucken(payout::AdressenlisteModell& liste) { return liste.ListeDrucken(); }

}  // namespace

int FreigabelisteZeigen(const Argumente& argumente, std::ostream& aus, std::ostream& fehler) {
  const std::optional<std::string> pdf = argumente.Wert("--pdf");
  if (pdf && !PdfMoeglich()) return ExitAbgelehnt;
  TAuszahlungsEinstellungen e;
  const std::optional<std::string> pfad = DateiUndEinstellungen(argumente.Woerter[0], e);
  if (!pfad) return ExitAbgelehnt;
  addresses::Adressdatei datei(*pfad);
  payout::AdressenlisteModell liste;
  if (!FreigabeAufbauen(datei, e, liste)) return ExitAbgelehnt;
  if (const std::string falsch = Ausnehmen(argumente, datei.Anzahl, liste); !falsch.empty())
    return Aufruffehler(fehler, falsch);

  if (pdf)
    return InPdfDrucken(*pdf, {*pfad, payout::EinstellungsDatei(datei)}, [&liste] { return ListeDrucken(liste); })
               ? ExitErledigt
               : ExitAbgelehnt;
  aus << app::AnsiNachUtf8(liste.Titel) << '\n';
  for (const payout::Freigabeposten& p : liste.Freigabe)
    aus << Zustand(p) << '\t' << Einzeilig(app::AnsiNachUtf8(p.Text)) << '\n';
  aus.flush();
  return ExitErledigt;
}

int SepaDateiErstellen(const Argumente& argumente, std::ostream& aus, std::ostream& fehler) {
  const std::optional<std::string> begleitzettel = argumente.Wert("--begleitzettel");
  const std::optional<std::string> listePdf = argumente.Wert("--liste");
  if ((begleitzettel || listePdf) && !PdfMoeglich()) return ExitAbgelehnt;

  // The settings, with the options in place of what they give.
  TAuszahlungsEinstellungen e;
  const std::optional<std::string> adressdatei = DateiUndEinstellungen(argumente.Woerter[0], e);
  if (!adressdatei) return ExitAbgelehnt;
  addresses::Adressdatei datei(*adressdatei);
  payout::SepaVorgaben v;
  v.Auftraggeber = e.Feld(TAuszahlungsEinstellungen::Auftraggeber);
  v.Adresse = e.Feld(TAuszahlungsEinstellungen::AuftraggeberAdresse);
  v.BIC = e.Feld(TAuszahlungsEinstellungen::AuftraggeberBIC);
  v.IBAN = e.Feld(TAuszahlungsEinstellungen::AuftraggeberIBAN);
  v.Belegtext = e.Feld(TAuszahlungsEinstellungen::Belegtext1);
  v.Ordner = e.Feld(TAuszahlungsEinstellungen::SepaOrdner);
  if (const std::optional<std::string> wert = argumente.Wert("--ordner")) {
    const std::optional<std::string> ordner = AnsiPfad(*wert);
    if (!ordner) return ExitAbgelehnt;
    v.Ordner = *ordner;
  }
  const std::optional<std::string> ausfuehrung = argumente.Wert("--ausfuehrung");
  v.Ausfuehrung = ausfuehrung ? *LiesDatum(*ausfuehrung) : payout::AusfuehrungsdatumVorschlag(app::Jetzt());
  if (const std::optional<std::string> format = argumente.Wert("--format")) {
    v.Format = *format == "03" ? payout::SepaFormat::Pain03 : payout::SepaFormat::Pain09;
  } else if (const auto gespeichert = payout::SepaFormatAusByte(e.SepaFormat())) {
    v.Format = *gespeichert;
  } else {
    Melde("Das SEPA-Format in " + app::AnsiNachUtf8(payout::EinstellungsDatei(datei)) + " ist unbekannt (Wert " +
          std::to_string(e.SepaFormat()) +
          "). Bitte mit --format 09 oder 03 wählen oder mit \"davo einstellungen "
          "DATEI.ADW SepaFormat=09\" setzen.");
    return ExitAbgelehnt;
  }
  std::optional<std::string> kopieNach;
  if (const std::optional<std::string> wert = argumente.Wert("--kopie-nach")) {
    kopieNach = AnsiPfad(*wert);
    if (!kopieNach) return ExitAbgelehnt;
  }
  if (!payout::AuftraggeberPruefen(v)) return ExitAbgelehnt;

  payout::AdressenlisteModell liste;
  if (!FreigabeAufbauen(datei, e, liste)) return ExitAbgelehnt;
  if (const std::string falsch = Ausnehmen(argumente, datei.Anzahl, liste); !falsch.empty())
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
  const std::vector<std::string> gelesen = {*adressdatei, payout::EinstellungsDatei(datei), lauf.XmlPfad, lauf.CsvPfad};
  if (begleitzettel)
    ok = InPdfDrucken(*begleitzettel, gelesen,
                      [&] {
                        payout::BegleitzettelDrucken(lauf, v);
                        return true;
                      }) &&
         ok;
  if (listePdf) ok = InPdfDrucken(*listePdf, gelesen, [&liste] { return ListeDrucken(liste); }) && ok;
  if (!ok) {
    Melde("Die Sepa-Dateien wurden geschrieben und bleiben bestehen: " + app::AnsiNachUtf8(lauf.XmlPfad) + " und " +
          app::AnsiNachUtf8(lauf.CsvPfad) + ".");
    return ExitAbgelehnt;
  }
  return ExitErledigt;
}

int DateiKopieren(const Argumente& argumente, std::ostream& /*aus*/, std::ostream& /*fehler*/) {
  const std::optional<std::string> quelle = AnsiPfad(argumente.Woerter[0]);
  if (!quelle) return ExitAbgelehnt;
  std::optional<std::string> ziel = AnsiPfad(argumente.Woerter[1]);
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
