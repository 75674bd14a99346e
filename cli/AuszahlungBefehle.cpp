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
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "payout/Adressenliste.h"
#include "payout/Auszahlung.h"
#include "payout/Einstellungen.h"

namespace davo::cli {

namespace {

using payout::TAuszahlungsEinstellungen;

void Melde(std::string_view utf8) { app::ZeigeMeldung(app::Utf8NachAnsi(utf8)); }

bool GleichOhneGrossUndKlein(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

bool EinstellungenDerDatei(const addresses::Adressdatei& datei, TAuszahlungsEinstellungen& e) {
  return app::ZeigeIOErgebnis(payout::EinstellungenLesen(datei, e));
}

namespace {

// ---------------------------------------------------------------------------
// einstellungen

constexpr const char* kEinstellungenAufruf = "davo einstellungen DATEI.ADW [FELD=WERT ...]";
constexpr const char* kLaufnummer = "Laufnummer";
constexpr const char* kSepaFormat = "SepaFormat";

// The format byte as shown and set: "09" for 0, "03" for 1.
std::string FormatText(std::uint8_t byte) {
  if (byte == 0) return "09";
  if (byte == 1) return "03";
  return "unbekannt (" + std::to_string(byte) + ")";
}

std::string Einstellungsnamen() {
  std::string namen;
  for (int i = 0; i < TAuszahlungsEinstellungen::AnzahlTexte; ++i)
    namen += (namen.empty() ? "" : ", ") + std::string(payout::EinstellungsName(i));
  return namen;
}

std::optional<int> EinstellungNachKommandoName(const std::string& name) {
  for (int i = 0; i < TAuszahlungsEinstellungen::AnzahlTexte; ++i)
    if (GleichOhneGrossUndKlein(name, payout::EinstellungsName(i))) return i;
  return std::nullopt;
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
  aus << kLaufnummer << '=' << e.Laufnummer() << '\n';
  aus.flush();
  return ExitErledigt;
}

// ---------------------------------------------------------------------------
// auszahlungsliste

constexpr const char* kListeAufruf =
    "davo auszahlungsliste DATEI.ADW --art 1-5 [--sortierung name|bic|iban|flaeche] [--pdf AUSGABE.PDF]";

// The sortings of the list window, in the order of its choice.
constexpr const char* kSortierungen[] = {"name", "bic", "iban", "flaeche"};

struct ListenAufruf {
  std::optional<std::string> Datei;  // UTF-8
  int Art = 0;                       // 0: not given
  std::optional<int> Sortierung;     // index of the list window's choice
  std::optional<std::string> Pdf;    // UTF-8
  std::string Fehler;                // usage error; empty when the line is fine
};

ListenAufruf LiesListenAufruf(const std::vector<std::string>& argumente) {
  ListenAufruf a;
  const auto falsch = [&a](std::string text) {
    a.Fehler = std::move(text);
    return a;
  };
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    if (arg.size() < 2 || arg[0] != '-') {
      if (arg.empty()) return falsch("Der Dateiname ist leer.");
      if (a.Datei) return falsch("auszahlungsliste erwartet genau eine Adressendatei: " + std::string(kListeAufruf));
      a.Datei = arg;
      continue;
    }
    const std::size_t gleich = arg.find('=');
    const std::string name = arg.substr(0, gleich);
    if (name != "--art" && name != "--sortierung" && name != "--pdf")
      return falsch("Unbekannte Option " + name + " für auszahlungsliste.");
    std::string wert;
    if (gleich != std::string::npos)
      wert = arg.substr(gleich + 1);
    else if (i + 1 < argumente.size() && argumente[i + 1].rfind("--", 0) != 0)
      wert = argumente[++i];
    if (wert.empty()) return falsch("Nach " + name + " fehlt der Wert.");

    if (name == "--art") {
      if (a.Art != 0) return falsch("Die Option --art ist doppelt angegeben.");
      if (wert.size() != 1 || wert[0] < '1' || wert[0] > '5')
        return falsch("Die Art der Liste muss eine Zahl von 1 bis 5 sein, nicht \"" + wert + "\".");
      a.Art = wert[0] - '0';
    } else if (name == "--sortierung") {
      if (a.Sortierung) return falsch("Die Option --sortierung ist doppelt angegeben.");
      for (int k = 0; k < static_cast<int>(std::size(kSortierungen)); ++k)
        if (GleichOhneGrossUndKlein(wert, kSortierungen[k])) a.Sortierung = k;
      if (!a.Sortierung)
        return falsch("Die Sortierung muss name, bic, iban oder flaeche sein, nicht \"" + wert + "\".");
    } else {
      if (a.Pdf) return falsch("Die Option --pdf ist doppelt angegeben.");
      a.Pdf = wert;
    }
  }
  if (!a.Datei) return falsch("auszahlungsliste erwartet eine Adressendatei: " + std::string(kListeAufruf));
  if (a.Art == 0) return falsch("Es fehlt die Option --art: " + std::string(kListeAufruf));
  return a;
}

void ListeAusgeben(const payout::AdressenlisteModell& liste, std::ostream& aus) {
  for (const payout::AdressenlisteModell::Gitterzeile& zeile : liste.Gitter) {
    for (std::size_t spalte = 1; spalte < zeile.size(); ++spalte)
      aus << (spalte > 1 ? "\t" : "") << Einzeilig(app::AnsiNachUtf8(zeile[spalte]));
    aus << '\n';
  }
  aus.flush();
}

#if DAVO_MIT_PDF

int ListePdf(payout::AdressenlisteModell& liste, const std::string& pdfUtf8, const addresses::Adressdatei& datei) {
  const std::optional<std::string> ausgabe = PdfAusgabeAnlegen(pdfUtf8, {datei.Pfad, payout::EinstellungsDatei(datei)});
  if (!ausgabe) return ExitAbgelehnt;
  {
    const QtSitzung qt;
    const PdfDrucker drucker(QtPfad(*ausgabe));
    liste.ListeDrucken();
  }
  return PdfGeschrieben(*ausgabe) ? ExitErledigt : ExitAbgelehnt;
}

#endif

}  // namespace

int EinstellungenBearbeiten(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  if (argumente.empty() || argumente[0].empty())
    return Aufruffehler(fehler, "einstellungen erwartet einen Dateinamen: " + std::string(kEinstellungenAufruf));

  // Usage first: every further argument must name a text field or the format.
  std::vector<std::pair<int, std::string>> zuweisungen;
  std::optional<std::string> format;
  for (std::size_t i = 1; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    const std::size_t gleich = arg.find('=');
    if (gleich == std::string::npos) return Aufruffehler(fehler, "Erwartet wird FELD=WERT, nicht \"" + arg + "\".");
    const std::string name = arg.substr(0, gleich);
    if (GleichOhneGrossUndKlein(name, kLaufnummer))
      return Aufruffehler(fehler,
                          "Die Laufnummer kann nicht gesetzt werden: Sie zählt die geschriebenen Sepa-Dateien. "
                          "Setzbare Felder: " +
                              Einstellungsnamen() + ", " + kSepaFormat + ".");
    if (GleichOhneGrossUndKlein(name, kSepaFormat)) {
      format = arg.substr(gleich + 1);
      continue;
    }
    const std::optional<int> feld = EinstellungNachKommandoName(name);
    if (!feld)
      return Aufruffehler(fehler, "Unbekanntes Feld \"" + name + "\". Setzbare Felder: " + Einstellungsnamen() + ", " +
                                      kSepaFormat + ".");
    zuweisungen.emplace_back(*feld, arg.substr(gleich + 1));
  }

  const std::optional<std::string> pfad = AnsiPfad(argumente[0]);
  if (!pfad) return ExitAbgelehnt;

  std::vector<std::pair<int, std::string>> werte;
  for (const auto& [feld, wertUtf8] : zuweisungen) {
    const std::optional<std::string> wert = PruefeEinstellung(feld, wertUtf8);
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

int AuszahlungslisteZeigen(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  const ListenAufruf aufruf = LiesListenAufruf(argumente);
  if (!aufruf.Fehler.empty()) return Aufruffehler(fehler, aufruf.Fehler);

#if !DAVO_MIT_PDF
  if (aufruf.Pdf) return OhnePdf();
#endif

  const std::optional<std::string> pfad = AnsiPfad(*aufruf.Datei);
  if (!pfad || !DateiVorhanden(*pfad)) return ExitAbgelehnt;
  addresses::Adressdatei datei(*pfad);
  TAuszahlungsEinstellungen e;
  if (!EinstellungenDerDatei(datei, e)) return ExitAbgelehnt;

  const std::optional<payout::Betraege> betraege = payout::EingabenLesen(
      e.Feld(TAuszahlungsEinstellungen::BetragProHaText), e.Feld(TAuszahlungsEinstellungen::KleinsterBetragText));
  if (!betraege) return ExitAbgelehnt;

  payout::AdressenlisteModell liste;
  // Records that cannot be read are reported and left out; the list would
  // be incomplete.
  if (!app::ZeigeIOErgebnis(liste.AuszahlungslisteAufbauen(datei, e, aufruf.Art, betraege->ProHa, betraege->Kleinster,
                                                           e.Feld(TAuszahlungsEinstellungen::Belegtext1))))
    return ExitAbgelehnt;
  if (aufruf.Sortierung) liste.SortierungWaehlen(*aufruf.Sortierung);

#if DAVO_MIT_PDF
  if (aufruf.Pdf) return ListePdf(liste, *aufruf.Pdf, datei);
#endif
  ListeAusgeben(liste, aus);
  return ExitErledigt;
}

}  // namespace davo::cli
