#include "letters/DosUmwandlung.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Pfade.h"
#include "app/Text.h"
#include "letters/Vorlage.h"

namespace davo::letters {

using namespace davo::app;
using addresses::Aktionsergebnis;
using addresses::TAdresse;

const char* const FilterDosAdressdatei = "Adressdatei Davozedizarorevodo|*.ADR|Adressdatei Revizizuziradi|*.ADR";
const char* const StartordnerDosAdressdatei = "c:\\zq-soft\\reredazo";

namespace {

constexpr std::size_t kTextKapazitaet = 30;
constexpr std::size_t kTextSchritt = kTextKapazitaet + 1;
constexpr std::size_t kOffsetSortierung = 434;
constexpr std::size_t kSortierungKapazitaet = 12;
constexpr std::size_t kOffsetGruppe = 447;
constexpr std::size_t kOffsetFlaeche = 448;
constexpr int kTextBemerkung = 9;
// The record fields of the old texts 1 to 13 (text 9 goes to Bemerkung).
constexpr int kZielfeld[13] = {addresses::Anrede,   addresses::Name1,    addresses::Name2,
                               addresses::Strasse,  addresses::Postfach, addresses::Ort,
                               addresses::Telefon,  addresses::Feld9,    0,
                               addresses::Bankname, addresses::BLZ,      addresses::Kontonummer,
                               addresses::IBAN};
// 100,000,000 ha in square metres.
constexpr std::uint64_t kGroessteFlaeche = 1000000000000ULL;
// The value of a 6-byte real is its 40-bit mantissa times 2^(exponent - 168).
constexpr unsigned kExponentEinheit = 168;
constexpr std::size_t kMeldungLaenge = 255;

std::string DosText(const std::uint8_t* feld, std::size_t kapazitaet) {
  return DosNachWindows(LiesKurzText(feld, kapazitaet));
}

// The message for the records whose area was taken as 0, cut so that it
// keeps its end.
std::string FlaechenMeldung(const std::vector<std::int32_t>& nummern) {
  const std::string anfang =
      "Die Fl\xE4"
      "che ist negativ oder gr\xF6\xDF"
      "er als 100.000.000 ha und wurde als 0 "
      "\xFC"
      "bernommen: Adresse Nr. ";
  std::string liste;
  for (std::size_t i = 0; i < nummern.size(); ++i) {
    const std::string teil = (i == 0 ? "" : ", ") + std::to_string(nummern[i]);
    const std::string rest = " und " + std::to_string(nummern.size() - i) + " weitere";
    if (anfang.size() + liste.size() + teil.size() + rest.size() + 1 > kMeldungLaenge)
      return anfang + liste + rest + ".";
    liste += teil;
  }
  return anfang + liste + ".";
}

void TemporaereDateiEntfernen(const std::string& pfad) {
  std::error_code ec;
  std::filesystem::remove(DateiPfad(pfad), ec);
}

}  // namespace

std::optional<Currency> Real48NachFlaeche(const std::uint8_t* r) {
  const unsigned exponent = r[0];
  if (exponent == 0) return Currency{0};
  if ((r[5] & 0x80) != 0) return std::nullopt;
  // The hidden leading bit, then the 39 bits of the fraction (sign bit cleared).
  std::uint64_t mantisse = 0x80u | (r[5] & 0x7Fu);
  for (int i = 4; i >= 1; --i) mantisse = (mantisse << 8) | r[i];
  std::uint64_t wert = 0;
  if (exponent > kExponentEinheit) return std::nullopt;  // at least 2^40 m²
  if (exponent == kExponentEinheit) {
    wert = mantisse;
  } else {
    const unsigned schritt = kExponentEinheit - exponent;
    // Below 2^(schritt - 1) the value is less than half a square metre.
    if (schritt <= 40) wert = (mantisse >> schritt) + ((mantisse >> (schritt - 1)) & 1);
  }
  if (wert > kGroessteFlaeche) return std::nullopt;
  return static_cast<Currency>(wert);
}

std::string DosZielpfad(const std::string& quelle) {
  return quelle.substr(0, quelle.size() < 3 ? 0 : quelle.size() - 3) + "ADW";
}

TAdresse DosSatzUmwandeln(const std::uint8_t* alt, DosFormat format, bool* flaecheUngueltig) {
  TAdresse a;
  for (int text = 1; text <= 13; ++text) {
    const std::string wert = DosText(alt + static_cast<std::size_t>(text - 1) * kTextSchritt, kTextKapazitaet);
    if (text == kTextBemerkung) {
      for (std::size_t i = 0; i < wert.size(); ++i)
        a.bytes[TAdresse::OffsetBemerkung + 1 + i] = static_cast<std::uint8_t>(wert[i]);
    } else {
      a.SetzeText(kZielfeld[text - 1], wert);
    }
  }
  a.SetzeText(addresses::Sortierung, DosText(alt + kOffsetSortierung, kSortierungKapazitaet));
  a.SetzeGruppe(alt[kOffsetGruppe]);
  bool ungueltig = false;
  if (format == DosFormat::Jagd) {
    const std::optional<Currency> flaeche = Real48NachFlaeche(alt + kOffsetFlaeche);
    ungueltig = !flaeche;
    a.SetzeFlaeche(flaeche.value_or(0));
  }
  if (flaecheUngueltig) *flaecheUngueltig = ungueltig;
  return a;
}

DosErgebnis DosAdressdateiUmwandeln(const std::string& quelle, DosFormat format) {
  DosErgebnis ergebnis;
  ergebnis.Ziel = DosZielpfad(quelle);
  const std::string& ziel = ergebnis.Ziel;
  if (DateiExistiert(ziel)) {
    ZeigeMeldung("Abbruch! Windowsdatei existiert bereits!");
    return ergebnis;
  }
  ZeigeMeldung("Datei " + ziel + "wird erstellt");

  const std::size_t groesse = DosSatzgroesse(format);
  IODateiName = quelle;
  Datei alt;
  alt.Zuordnen(quelle);
  PruefeIO();
  alt.OeffnenLesen(groesse);
  PruefeIO();
  if (IOFehler) return ergebnis;

  // Written beside the target and renamed when complete.
  const std::string neuPfad = ziel + ".neu";
  IODateiName = ziel;
  Datei neu;
  neu.Zuordnen(neuPfad);
  PruefeIO();
  neu.Anlegen(TAdresse::Groesse);
  PruefeIO();
  bool ok = !IOFehler;
  neu.SofortSchreiben(false);

  // A short last record is read too, so that it fails instead of being lost.
  const auto bytes = static_cast<std::uint64_t>(alt.LaengeInBytes());
  const std::uint64_t saetze = (bytes + groesse - 1) / groesse;
  std::vector<std::uint8_t> satz(groesse);
  std::vector<std::int32_t> ungueltig;
  for (std::uint64_t i = 0; ok && i < saetze; ++i) {
    IODateiName = quelle;
    alt.Lesen(satz.data());
    PruefeIO();
    if (IOFehler) {
      ok = false;
      break;
    }
    bool flaecheUngueltig = false;
    const TAdresse a = DosSatzUmwandeln(satz.data(), format, &flaecheUngueltig);
    if (flaecheUngueltig) ungueltig.push_back(static_cast<std::int32_t>(i + 1));
    IODateiName = ziel;
    neu.Schreiben(a.bytes.data());
    PruefeIO();
    if (IOFehler)
      ok = false;
    else
      ++ergebnis.Anzahl;
  }
  IODateiName = quelle;
  alt.Schliessen();
  PruefeIO();
  ok = ok && !IOFehler;

  IODateiName = ziel;
  if (neu.Offen()) {
    if (ok && !neu.Sichern()) SetzeIOErgebnis(io::SchreibFehler);
    neu.Schliessen();
    PruefeIO();
    ok = ok && !IOFehler;
  }
  if (ok && DateiExistiert(ziel)) {
    ZeigeMeldung("Abbruch! Windowsdatei existiert bereits!");
    ok = false;
  }
  if (ok) {
    DateiUmbenennen(neuPfad, ziel);
    PruefeIO();
    ok = !IOFehler;
  }
  if (!ok) {
    TemporaereDateiEntfernen(neuPfad);
    ergebnis.Anzahl = 0;
    return ergebnis;
  }
  if (!ungueltig.empty()) ZeigeMeldung(FlaechenMeldung(ungueltig));
  ergebnis.Ergebnis = Aktionsergebnis::Erledigt;
  return ergebnis;
}

DosErgebnis DosAdressdateiImportieren() {
  DosErgebnis ergebnis;
  ergebnis.Ergebnis = Aktionsergebnis::Abgelehnt;
  DateiDialog dialog;
  dialog.Filter = FilterDosAdressdatei;
  dialog.StartOrdner = StartordnerDosAdressdatei;
  const std::optional<DateiWahl> wahl = OeffnenDialog(dialog);
  if (!wahl || !PfadDarstellbar(*wahl)) return ergebnis;
  IODateiName = wahl->Pfad;
  const DosFormat format = wahl->FilterIndex == 1 ? DosFormat::Buchhaltung : DosFormat::Jagd;
  FrageJaNein("Dateiname: " + wahl->Pfad,
              format == DosFormat::Jagd
                  ? "Soll die Reredazo-Adressendatei an die Windowsversion angepasst werden?"
                  : "Soll die Revizizuziradi-Adressendatei an die Windowsversion angepasst werden?",
              Antwort);
  if (!Antwort) return ergebnis;
  return DosAdressdateiUmwandeln(wahl->Pfad, format);
}

}  // namespace davo::letters
