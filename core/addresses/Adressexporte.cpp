#include "addresses/Adressexporte.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Text.h"
#include "app/Umwandlung.h"

namespace davo::addresses {

using namespace davo::app;

const char* const BlzKontoDatei = "c:\\zq-soft\\BLZ+Konto.csv";
const char* const BlzKontoErgebnisDatei = "c:\\zq-soft\\Ergebnis_BLZ+Konto.csv";
const char* const SerienbriefCsvKopf = "Anrede;Name1;Name2;Strasse;Postfach;Ort;Telefon;IBAN;BIC;Flaeche";

namespace {

constexpr const char* kZeilenende = "\r\n";
constexpr std::size_t kZeilenlaenge = 255;  // a line of the result file is read up to here
constexpr std::size_t kFeldlaenge = 30;     // the key counts this much of each field

Uebertragung Mit(Aktionsergebnis ergebnis, std::int32_t anzahl = 0) { return {ergebnis, anzahl}; }

// Overwrite (true) or append (false) when the file exists; nothing when the
// question was closed without an answer.
std::optional<bool> Ueberschreiben(const std::string& ziel) {
  if (!DateiExistiert(ziel)) return true;
  bool antwort = true;
  FrageJaNein("Die Datei: " + ziel + " existiert bereits!", "Vorhandene Daten verwerfen?", antwort);
  if (Abbruch) return std::nullopt;
  return antwort;
}

// The whole file as bytes.
IOErgebnis DateiLesen(const std::string& pfad, std::string& inhalt) {
  IOSchritte s(pfad);
  Datei datei;
  datei.Zuordnen(pfad);
  s.Pruefe();
  datei.OeffnenLesen(1);
  if (!s.Pruefe()) return s.Ergebnis();
  std::string block(1 << 16, '\0');
  for (;;) {
    const std::size_t n = datei.LesenBlock(block.data(), block.size());
    if (!s.Pruefe() || n == 0) break;
    inhalt.append(block.data(), n);
  }
  datei.Schliessen();
  s.Pruefe();
  return s.Ergebnis();
}

// Replaces the file whole with its old content (when appending) and the new
// lines. After a failure the file is as it was.
IOErgebnis TextSchreiben(const std::string& ziel, bool ueberschreiben, const std::string& neu) {
  std::string inhalt;
  if (!ueberschreiben) {
    const IOErgebnis gelesen = DateiLesen(ziel, inhalt);
    if (!gelesen.Ok()) return gelesen;
  }
  inhalt += neu;
  IOSchritte s(ziel);
  DateiErsetzen(ziel, inhalt.data(), inhalt.size());
  s.Pruefe();
  return s.Ergebnis();
}

// Collects one line per record as zeile gives it (nothing: no line). A file
// error ends the walk.
IOErgebnis ZeilenSammeln(Adressdatei& adressdatei, std::string& text, std::int32_t& anzahl,
                         const std::function<std::optional<std::string>(const TAdresse&)>& zeile) {
  return Durchlaufen(
      adressdatei,
      [&](std::int32_t, TAdresse& a) {
        if (const std::optional<std::string> z = zeile(a)) {
          text += *z;
          text += kZeilenende;
          ++anzahl;
        }
        return false;
      },
      false, BeiLesefehler::Aufhoeren);
}

// A failure shown, and the transfer's result for it.
Uebertragung Fehlschlag(const IOErgebnis& ergebnis, std::int32_t anzahl = 0) {
  ZeigeIOErgebnis(ergebnis);
  return Mit(Aktionsergebnis::Fehler, anzahl);
}

std::string Zeilenanfang(std::string_view zeile) {
  return std::string(zeile.substr(0, std::min(zeile.size(), kZeilenlaenge)));
}

// The lines of a text file, each cut at 255 characters, without line ends.
std::vector<std::string> Zeilen(const std::string& inhalt) {
  std::vector<std::string> zeilen;
  std::size_t anfang = 0;
  while (anfang < inhalt.size()) {
    std::size_t lf = inhalt.find('\n', anfang);
    if (lf == std::string::npos) lf = inhalt.size();
    std::size_t ende = lf;
    if (ende > anfang && inhalt[ende - 1] == '\r') --ende;
    zeilen.push_back(Zeilenanfang(std::string_view(inhalt).substr(anfang, ende - anfang)));
    anfang = lf + 1;
  }
  return zeilen;
}

// Order without regard to case (Windows-1252 upper case), byte by byte.
bool KleinerOhneGross(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(GrossBuchstabe(x)) < static_cast<unsigned char>(GrossBuchstabe(y));
  });
}

}  // namespace

std::string BlzKontoSchluessel(const std::string& blz, const std::string& kontonummer) {
  const std::string b = OhneLeerzeichen(Kurz(blz, kFeldlaenge));
  std::string k = OhneLeerzeichen(Kurz(kontonummer, kFeldlaenge));
  if (b.size() != 8) return std::string();
  if (k.size() < 10) k.insert(0, 10 - k.size(), '0');
  return b + ";" + k;
}

bool SchluesselGueltig(const std::string& schluessel) {
  const std::string s = OhneLeerzeichen(schluessel);
  return s.size() > 9 && s.find(';') == 8;
}

Uebertragung SerienbriefCsvSchreiben(Adressdatei& adressdatei, const std::string& ziel) {
  if (const IOErgebnis erlaubt = TextzielPruefen(ziel, {adressdatei.Pfad}); !erlaubt.Ok()) return Fehlschlag(erlaubt);
  const std::optional<bool> ueberschreiben = Ueberschreiben(ziel);
  if (!ueberschreiben) return Mit(Aktionsergebnis::Abgelehnt);
  std::string text = std::string(SerienbriefCsvKopf) + kZeilenende;
  std::int32_t anzahl = 0;
  const IOErgebnis gelesen =
      ZeilenSammeln(adressdatei, text, anzahl, [](const TAdresse& a) -> std::optional<std::string> {
        if (a.SerienbriefDruck() == 0) return std::nullopt;
        std::string zeile;
        for (int feld : {Anrede, Name1, Name2, Strasse, Postfach, Ort, Telefon, IBAN, BIC}) zeile += a.Text(feld) + ";";
        return zeile + BetragKompakt(a.Flaeche(), 13, 4);
      });
  if (!gelesen.Ok()) return Fehlschlag(gelesen);
  if (const IOErgebnis geschrieben = TextSchreiben(ziel, *ueberschreiben, text); !geschrieben.Ok())
    return Fehlschlag(geschrieben);
  ZeigeMeldung(" Datei: \"" + ziel + "\" wurde erstellt!");
  return Mit(Aktionsergebnis::Erledigt, anzahl);
}

Uebertragung BlzKontoSchreiben(Adressdatei& adressdatei, const std::string& ziel) {
  if (const IOErgebnis erlaubt = TextzielPruefen(ziel, {adressdatei.Pfad}); !erlaubt.Ok()) return Fehlschlag(erlaubt);
  const std::optional<bool> ueberschreiben = Ueberschreiben(ziel);
  if (!ueberschreiben) return Mit(Aktionsergebnis::Abgelehnt);
  std::string text;
  std::int32_t anzahl = 0;
  const IOErgebnis gelesen =
      ZeilenSammeln(adressdatei, text, anzahl, [](const TAdresse& a) -> std::optional<std::string> {
        std::string schluessel = BlzKontoSchluessel(a.Text(BLZ), a.Text(Kontonummer));
        if (!SchluesselGueltig(schluessel)) return std::nullopt;
        return schluessel;
      });
  if (!gelesen.Ok()) return Fehlschlag(gelesen);
  IOSchritte ordner(ziel);
  OrdnerFuerDateiAnlegen(ziel);
  if (!ordner.Pruefe()) return Fehlschlag(ordner.Ergebnis());
  if (const IOErgebnis geschrieben = TextSchreiben(ziel, *ueberschreiben, text); !geschrieben.Ok())
    return Fehlschlag(geschrieben);
  return Mit(Aktionsergebnis::Erledigt, anzahl);
}

Uebertragung BlzKontoEinlesen(Adressdatei& adressdatei, const std::string& ergebnisdatei) {
  if (!DateiExistiert(ergebnisdatei)) {
    ZeigeMeldung(
        " \xDC"
        "bergabedatei nicht gefunden!");
    return Mit(Aktionsergebnis::Fehler);
  }
  bool antwort = false;
  FrageJaNein("Dateiname: " + adressdatei.Pfad, "Sollen BIC und IBAM in die Adressendatei importiert an werden?",
              antwort);
  if (!antwort) return Mit(Aktionsergebnis::Abgelehnt);
  std::string inhalt;
  if (const IOErgebnis gelesen = DateiLesen(ergebnisdatei, inhalt); !gelesen.Ok()) return Fehlschlag(gelesen);
  std::vector<std::string> zeilen = Zeilen(inhalt);
  inhalt.clear();
  std::stable_sort(zeilen.begin(), zeilen.end(), KleinerOhneGross);

  std::int32_t geaendert = 0;
  const IOErgebnis ergebnis = Durchlaufen(
      adressdatei,
      [&](std::int32_t, TAdresse& a) {
        const std::string schluessel = BlzKontoSchluessel(a.Text(BLZ), a.Text(Kontonummer));
        if (schluessel.empty()) return false;
        // The first line of this account in the sorted list; "key;" so that a
        // longer account number that begins with this one is not taken.
        const std::string anfang = schluessel + ";";
        const auto it = std::lower_bound(zeilen.begin(), zeilen.end(), anfang, KleinerOhneGross);
        if (it == zeilen.end() || it->compare(0, anfang.size(), anfang) != 0) return false;
        const std::string_view rest = std::string_view(*it).substr(anfang.size());
        const std::size_t nachBic = rest.find(';');
        if (nachBic == std::string_view::npos) return false;
        const std::size_t nachIban = rest.find(';', nachBic + 1);
        if (nachIban == std::string_view::npos) return false;
        if (rest.substr(nachIban + 1) != "00") return false;
        const std::string bic = Kurz(rest.substr(0, nachBic), TAdresse::FeldKapazitaet);
        const std::string iban = Kurz(rest.substr(nachBic + 1, nachIban - nachBic - 1), TAdresse::FeldKapazitaet);
        if (a.Text(BIC) == bic && a.Text(IBAN) == iban) return false;
        a.SetzeText(BIC, bic);
        a.SetzeText(IBAN, iban);
        ++geaendert;
        return true;
      },
      true);
  if (!ergebnis.Ok()) return Fehlschlag(ergebnis, geaendert);
  return Mit(Aktionsergebnis::Erledigt, geaendert);
}

Uebertragung SerienbriefCsvExport() {
  bool antwort = false;
  FrageJaNein(
      "Alle Adressen bei denen die Option \"Serienbrief\" gew\xE4hlt wurde, k\xF6nnen in einer CSV-Datei gespeichert "
      "werden!",
      "Soll die Datei jetzt erstellt werden?", antwort);
  if (!antwort) return Mit(Aktionsergebnis::Abgelehnt);
  return SerienbriefCsvSchreiben(AktiveAdressdatei, AktAdrBasis + ".csv");
}

Uebertragung BlzKontoExport() { return BlzKontoSchreiben(AktiveAdressdatei, BlzKontoDatei); }

Uebertragung BlzKontoImport() { return BlzKontoEinlesen(AktiveAdressdatei, BlzKontoErgebnisDatei); }

}  // namespace davo::addresses
