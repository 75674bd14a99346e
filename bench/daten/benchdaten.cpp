// Writes the generated files the whole-program benchmark (bench/run) works
// on, always the same for the same size:
//
//   davo_benchdaten kataster ZEILEN DATEI.csv   a cadastre of ZEILEN parcel
//       lines with 1 to 3 owners each (about 1.75 owner rows per line); the
//       owners (about 0.3 per line) own several parcels near each other
//   davo_benchdaten adressen ANZAHL DATEI.ADW   an address file of ANZAHL
//       owners, all in group 1 and released, with an area, plausible bank
//       data (every 10th without BIC) and names with umlauts and mixed case

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "Benchpersonen.h"
#include "addresses/Adresse.h"
#include "app/Text.h"

namespace {

using namespace davo;
using bench::Eins;
using bench::kNachnamen;
using bench::kOrte;
using bench::kStrassen;
using bench::kVornamen;
using bench::Person;

void Schreiben(std::ofstream& aus, std::string& block, bool zuletzt) {
  if (block.size() < (std::size_t{1} << 20) && !zuletzt) return;
  aus.write(block.data(), static_cast<std::streamsize>(block.size()));
  block.clear();
}

bool Kataster(std::int64_t zeilen, const std::string& datei) {
  std::minstd_rand zahlen(20240607);
  const std::int64_t eigentuemer = std::max<std::int64_t>(1, zeilen * 3 / 10);
  std::vector<std::string> personen(static_cast<std::size_t>(eigentuemer));
  for (std::string& p : personen) p = Person(zahlen);
  const char* const gemarkungen[] = {"Feldheim", "Großdorf", "Au", "Zell", "Oberbach"};
  const char* const bejagdbar[] = {"ZJEN", "ZJEN", "ZJEN", "ZJEN", "ZJEN Wald", "befriedet", "NJEN"};
  // The shares of one parcel's owners: 45 % one owner, 35 % two, 20 % three.
  const std::vector<std::vector<const char*>> teilungen = {
      {""}, {"1/1"}, {""}, {"1/2", "1/2"}, {"1/4", "3/4"}, {"1/3", "1/3", "1/3"}, {"1/2", "1/4", "1/4"}};
  const std::array<int, 20> wahl = {0, 1, 2, 0, 1, 2, 0, 1, 0, 3, 3, 3, 4, 4, 3, 4, 5, 5, 6, 6};

  std::ofstream aus(datei, std::ios::binary | std::ios::trunc);
  std::string block = app::Utf8NachAnsi(
      "Kennung;Gemarkung;Flur;Flurstück;Bejagdbarkeit;Fläche;Eigentümer 1;Eigentümer 2;Eigentümer 3\r\n");
  for (std::int64_t i = 0; i < zeilen; ++i) {
    // Owners near the parcel's number, so owners own several parcels.
    const std::int64_t basis = i * eigentuemer / zeilen;
    const auto& teilung = teilungen[static_cast<std::size_t>(wahl[zahlen() % wahl.size()])];
    block += std::to_string(i + 1) + ";" + app::Utf8NachAnsi(gemarkungen[zahlen() % std::size(gemarkungen)]) + ";" +
             std::to_string(1 + zahlen() % 30) + ";" + std::to_string(1 + zahlen() % 900) + "/" +
             std::to_string(1 + zahlen() % 20) + ";" + bejagdbar[zahlen() % std::size(bejagdbar)] + ";" +
             std::to_string(50 + zahlen() % 50000) + (zahlen() % 4 == 0 ? ",5" : "");
    for (const char* anteil : teilung) {
      const auto nr = static_cast<std::size_t>((basis + static_cast<std::int64_t>(zahlen() % 40)) % eigentuemer);
      block += ';';
      block += std::to_string(1 + zahlen() % 9);
      block += ", ";
      block += std::to_string(1000 + zahlen() % 9000);
      block += ", Eigentum";
      if (*anteil) block += std::string(", ") + anteil;
      block += personen[nr];
    }
    block += "\r\n";
    Schreiben(aus, block, false);
  }
  Schreiben(aus, block, true);
  return static_cast<bool>(aus.flush());
}

// A German IBAN with correct check digits (ISO 13616) from bank code and
// account number.
std::string Iban(const std::string& blz, const std::string& konto) {
  const std::string zahl = blz + konto + "131400";
  int rest = 0;
  for (char c : zahl) rest = (rest * 10 + (c - '0')) % 97;
  const int pruef = 98 - rest;
  return std::string("DE") + static_cast<char>('0' + pruef / 10) + static_cast<char>('0' + pruef % 10) + blz + konto;
}

bool Adressen(std::int64_t anzahl, const std::string& datei) {
  std::minstd_rand zahlen(20240101);
  std::ofstream aus(datei, std::ios::binary | std::ios::trunc);
  std::string block;
  for (std::int64_t i = 0; i < anzahl; ++i) {
    addresses::TAdresse a;
    const std::string nach = Eins(kNachnamen, zahlen);
    const std::string vor = Eins(kVornamen, zahlen);
    a.SetzeText(addresses::Anrede, zahlen() % 2 ? "Herrn" : "Frau");
    a.SetzeText(addresses::Name1, vor + " " + nach);
    if (zahlen() % 8 == 0) a.SetzeText(addresses::Name2, "Erbengemeinschaft");
    a.SetzeText(addresses::Sortierung, nach + "; " + vor);
    a.SetzeText(addresses::Strasse, Eins(kStrassen, zahlen) + " " + std::to_string(1 + zahlen() % 200));
    a.SetzeText(addresses::Ort, std::to_string(10000 + zahlen() % 90000) + " " + Eins(kOrte, zahlen));
    std::string blz = std::to_string(10000000 + zahlen() % 89999999);
    std::string konto = std::to_string(1000000000 + zahlen() % 899999999);
    a.SetzeText(addresses::Bankname, "Raiffeisenbank");
    a.SetzeText(addresses::BLZ, blz);
    a.SetzeText(addresses::Kontonummer, konto);
    a.SetzeText(addresses::IBAN, Iban(blz, konto));
    if (zahlen() % 10 != 0) a.SetzeText(addresses::BIC, "GENODEF1XYZ");
    a.SetzeGruppe(1);
    a.SetzeAuszahlungFrei(1);
    a.SetzeSerienbriefDruck(1);
    a.SetzeFlaeche(static_cast<std::int64_t>(1000 + zahlen() % 1000000));
    block.append(reinterpret_cast<const char*>(a.bytes.data()), a.bytes.size());
    Schreiben(aus, block, false);
  }
  Schreiben(aus, block, true);
  return static_cast<bool>(aus.flush());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string art = argc == 4 ? argv[1] : "";
  const std::int64_t n = argc == 4 ? std::atoll(argv[2]) : 0;
  if ((art != "kataster" && art != "adressen") || n < 1) {
    std::cerr << "Aufruf: davo_benchdaten kataster ZEILEN DATEI.csv | davo_benchdaten adressen ANZAHL DATEI.ADW\n";
    return 2;
  }
  const bool ok = art == "kataster" ? Kataster(n, argv[3]) : Adressen(n, argv[3]);
  if (!ok) std::cerr << "davo_benchdaten: " << argv[3] << " konnte nicht geschrieben werden\n";
  return ok ? 0 : 1;
}
