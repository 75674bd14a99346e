// The payout commands: "einstellungen" shows and changes the payout settings
// kept beside an address file, and "auszahlungsliste" builds one of the five
// payout lists of the payout window from them and prints it as lines or, as
// "Liste drucken" of the list window does, into a PDF file.

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Befehle.h"
#include "PdfAusgabe.h"
#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Grossspeicher.h"
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "payout/Adressenliste.h"
#include "payout/Auszahlung.h"
#include "payout/Einstellungen.h"

namespace davo::cli {

namespace {
using payout::TAuszahlungsEinstellungen;
}  // namespace

bool EinstellungenDerDatei(const addresses::Adressdatei& datei, TAuszahlungsEinstellungen& e) {
  return app::ZeigeIOErgebnis(payout::EinstellungenLesen(datei, e));
}

namespace {

// ---------------------------------------------------------------------------
// einstellungen

constexpr const char* kSepaFormat = "SepaFormat";

// The format byte as shown and set: "09" for 0, "03" for 1.
std::string FormatText(std::uint8_t byte) {
  if (byte == 0) return "09";
  if (byte == 1) return "03";
  return "unbekannt (" + std::to_string(byte) + ")";
}

// The value typed as program text; nothing, with a message, when it cannot
// be stored in a text field of the settings.
std::optional<std::string> PruefeEinstellung(int feld, const std::string& wertUtf8) {
  const std::string name = payout::EinstellungsName(feld);
  std::optional<std::string> wert = app::Utf8NachAnsiGenau(wertUtf8);
  if (!wert) {
    Melde("Der Wert für " + name + " enthält Zeichen, die es im Windows-Zeichensatz nicht gibt.");
    return std::nullopt;
  }
  if (std::any_of(wert->begin(), wert->end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
    Melde("Der Wert für " + name + " enthält Steuerzeichen (etwa einen Zeilenumbruch).");
    return std::nullopt;
  }
  if (wert->size() > 255) {
    Melde("Der Wert für " + name + " ist " + std::to_string(wert->size()) +
          " Zeichen lang; erlaubt sind höchstens 255 Zeichen.");
    return std::nullopt;
  }
  // The two amounts are read by the rule for typed numbers, as the payout
  // window reads them before every list.
  if (feld == TAuszahlungsEinstellungen::BetragProHaText || feld == TAuszahlungsEinstellungen::KleinsterBetragText) {
    const app::Eingabe betrag = app::EingabeLesen(*wert, app::Zahlart::Betrag);
    if (!betrag.Gueltig()) {
      app::ZeigeWarnung(app::EingabeFehlertext(name, *wert, betrag));
      return std::nullopt;
    }
  }
  return wert;
}

int EinstellungenZeigen(const TAuszahlungsEinstellungen& e, std::ostream& aus) {
  for (int i = 0; i < TAuszahlungsEinstellungen::AnzahlTexte; ++i)
    aus << payout::EinstellungsName(i) << '=' << Einzeilig(app::AnsiNachUtf8(e.Feld(i))) << '\n';
  aus << kSepaFormat << '=' << FormatText(e.SepaFormat()) << '\n';
  aus << "Laufnummer" << '=' << e.Laufnummer() << '\n';
  aus.flush();
  return ExitErledigt;
}

// ---------------------------------------------------------------------------
// auszahlungsliste

// The sortings of the list window, in the order of its choice.
constexpr const char* kSortierungen[] = {"name", "bic", "iban", "flaeche"};

// How many rows ahead of the one written its text is fetched.
constexpr std::size_t kVoraus = 8;

void ListeAusgeben(const payout::AdressenlisteModell& liste, std::ostream& aus) {
  Blockausgabe ausgabe(aus);
  const payout::Gitterliste& gitter = liste.Gitter;
  for (std::size_t r = 0; r < gitter.size(); ++r) {
    // The rows come in the order of the sort, their texts stand in the order
    // of the file: the text of a row a few ahead is asked for now, so its
    // turn need not wait for the memory.
    if (r + kVoraus < gitter.size()) {
      const std::string_view voraus = gitter[r + kVoraus].Text();
      for (std::size_t b = 0; b < voraus.size() + 64; b += 64) app::Vorholen(voraus.data() + b);
    }
    const payout::Gitterzeile& zeile = gitter[r];
    for (std::size_t spalte = 1; spalte < zeile.size(); ++spalte) {
      if (spalte > 1) ausgabe.Zeichen('\t');
      ausgabe.Text(zeile.Zelle(spalte));
    }
    ausgabe.Zeilenende();
  }
  ausgabe.Ende();
}

}  // namespace

int EinstellungenBearbeiten(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  const std::vector<std::string>& w = argumente.Woerter;
  const std::optional<std::string> pfad = AnsiPfad(w[0]);
  if (!pfad) return ExitAbgelehnt;

  // Every further word names a text field or the format (the table checked).
  std::vector<std::pair<int, std::string>> werte;
  std::optional<std::string> format;
  for (std::size_t i = 1; i < w.size(); ++i) {
    const std::size_t gleich = w[i].find('=');
    const std::string name = w[i].substr(0, gleich);
    if (GleichOhneGrossUndKlein(name, kSepaFormat)) {
      format = w[i].substr(gleich + 1);
      continue;
    }
    const int feld = *EinstellungNachKommandoName(name);
    const std::optional<std::string> wert = PruefeEinstellung(feld, w[i].substr(gleich + 1));
    if (!wert) return ExitAbgelehnt;
    werte.emplace_back(feld, *wert);
  }
  std::optional<std::uint8_t> formatByte;
  if (format) {
    if (*format == "09")
      formatByte = 0;
    else if (*format == "03")
      formatByte = 1;
    else {
      Melde("Ungültiges SEPA-Format: " + *format + ". Erlaubt sind 09 (pain.001.001.09) und 03 (pain.001.001.03).");
      return ExitAbgelehnt;
    }
  }

  // A settings file that exists but cannot be read is not overwritten.
  const addresses::Adressdatei datei(*pfad);
  TAuszahlungsEinstellungen e;
  if (!EinstellungenDerDatei(datei, e)) return ExitAbgelehnt;
  if (werte.empty() && !formatByte) return EinstellungenZeigen(e, aus);

  for (const auto& [feld, wert] : werte) e.SetzeFeld(feld, wert);
  if (formatByte) e.SetzeSepaFormat(*formatByte);
  return app::ZeigeIOErgebnis(payout::EinstellungenSchreiben(datei, e)) ? ExitErledigt : ExitAbgelehnt;
}

int AuszahlungslisteZeigen(const Argumente& argumente, std::ostream& aus, std::ostream& /*fehler*/) {
  const std::optional<std::string> pdf = argumente.Wert("--pdf");
  if (pdf && !PdfMoeglich()) return ExitAbgelehnt;

  const std::optional<std::string> pfad = AnsiPfad(argumente.Woerter[0]);
  if (!pfad || !DateiVorhanden(*pfad)) return ExitAbgelehnt;
  addresses::Adressdatei datei(*pfad);
  TAuszahlungsEinstellungen e;
  if (!EinstellungenDerDatei(datei, e)) return ExitAbgelehnt;

  const std::optional<payout::Betraege> betraege = payout::EingabenLesen(
      e.Feld(TAuszahlungsEinstellungen::BetragProHaText), e.Feld(TAuszahlungsEinstellungen::KleinsterBetragText));
  if (!betraege) return ExitAbgelehnt;

  payout::AdressenlisteModell liste;
  const int art = (*argumente.Wert("--art"))[0] - '0';
  // Records that cannot be read are reported and left out; the list would
  // be incomplete.
  if (!app::ZeigeIOErgebnis(liste.AuszahlungslisteAufbauen(datei, e, art, betraege->ProHa, betraege->Kleinster,
                                                           e.Feld(TAuszahlungsEinstellungen::Belegtext1))))
    return ExitAbgelehnt;
  if (const std::optional<std::string> sortierung = argumente.Wert("--sortierung"))
    for (int k = 0; k < static_cast<int>(std::size(kSortierungen)); ++k)
      if (GleichOhneGrossUndKlein(*sortierung, kSortierungen[k])) liste.SortierungWaehlen(k);

  if (pdf)
    return InPdfDrucken(*pdf, {datei.Pfad, payout::EinstellungsDatei(datei)},
                        [&liste] {
                          liste.ListeDrucken();
                          return true;
                        })
               ? ExitErledigt
               : ExitAbgelehnt;
  ListeAusgeben(liste, aus);
  return ExitErledigt;
}

}  // namespace davo::cli
