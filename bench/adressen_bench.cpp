// Timings of the address chooser's list and of one action over all records,
// on a generated file of 100,000 owners (about 295 MB) in a temporary folder.
// The file is written once per run and removed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "Benchhilfen.h"
#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "addresses/Sammelaktionen.h"
#include "app/Dialoge.h"
#include "app/Pfade.h"
#include "payout/Adressenliste.h"

namespace {

namespace fs = std::filesystem;
using namespace davo;
using bench::JaDialoge;

constexpr std::int32_t kAdressen = 100000;

// The generated address file; made on first use, removed at exit.
class Testdatei {
 public:
  static const std::string& Pfad() {
    static Testdatei datei;
    return datei.pfad_;
  }

  Testdatei(const Testdatei&) = delete;
  Testdatei& operator=(const Testdatei&) = delete;
  ~Testdatei() {
    std::error_code ec;
    fs::remove_all(ordner_, ec);
  }

 private:
  Testdatei() {
    std::random_device zufall;
    ordner_ = fs::temp_directory_path() / ("davo_bench_" + std::to_string(zufall()));
    fs::create_directories(ordner_);
    const fs::path datei = ordner_ / "Gross.ADW";
    const std::optional<std::string> ansi = app::AnsiPfad(datei);
    if (!ansi) throw std::runtime_error("temporary folder not representable: " + datei.string());
    pfad_ = *ansi;
    Schreiben(datei);
  }

  // Surnames with umlauts and mixed case, so that the collation has work.
  static void Schreiben(const fs::path& datei) {
    const char* const nachnamen[] = {"M\xFCller", "Muller",  "Mueller", "Schmidt", "\xD6rtel",  "Oertel", "abt",
                                     "Abel",      "Wei\xDF", "Weiss",   "Bauer",   "Kr\xE4mer", "Kramer", "Zander"};
    const char* const vornamen[] = {"Anna", "Bernd", "Carl", "\xC4nne", "J\xFCrgen", "Eva", "Udo", "Karl"};
    const char* const orte[] = {"Au",
                                "Gro\xDF"
                                "dorf",
                                "Feld", "Zell", "Adorf"};
    std::minstd_rand zahlen(20240101);
    std::ofstream aus(datei, std::ios::binary | std::ios::trunc);
    std::vector<std::uint8_t> block;
    constexpr std::int32_t kJeBlock = 1000;
    for (std::int32_t i = 0; i < kAdressen; i += kJeBlock) {
      block.assign(static_cast<std::size_t>(kJeBlock) * addresses::TAdresse::Groesse, 0);
      for (std::int32_t k = 0; k < kJeBlock; ++k) {
        addresses::TAdresse a;
        const std::string nach = nachnamen[zahlen() % std::size(nachnamen)];
        const std::string vor = vornamen[zahlen() % std::size(vornamen)];
        const std::string ort = std::to_string(10000 + zahlen() % 90000) + " " + orte[zahlen() % std::size(orte)];
        a.SetzeText(addresses::Name1, vor + " " + nach);
        a.SetzeText(addresses::Sortierung, nach + ", " + vor);
        a.SetzeText(addresses::Strasse,
                    "Hauptstra\xDF"
                    "e " +
                        std::to_string(1 + zahlen() % 200));
        a.SetzeText(addresses::Ort, ort);
        a.SetzeText(addresses::BLZ, std::to_string(10000000 + zahlen() % 89999999));
        a.SetzeText(addresses::Kontonummer, std::to_string(zahlen()));
        a.SetzeText(addresses::IBAN, "DE" + std::to_string(10 + zahlen() % 89) +
                                         std::to_string(10000000 + zahlen() % 89999999) +
                                         std::to_string(1000000000 + zahlen() % 899999999));
        if (zahlen() % 10 != 0) a.SetzeText(addresses::BIC, "GENODEF1XYZ");
        a.SetzeGruppe(static_cast<std::uint8_t>(zahlen() % 4));
        a.SetzeAuszahlungFrei(static_cast<std::uint8_t>(zahlen() % 2));
        a.SetzeSerienbriefDruck(static_cast<std::uint8_t>(zahlen() % 2));
        a.SetzeFlaeche(static_cast<std::int64_t>(zahlen() % 1000000));
        std::copy(a.bytes.begin(), a.bytes.end(),
                  block.begin() + static_cast<std::ptrdiff_t>(k) * static_cast<std::ptrdiff_t>(a.bytes.size()));
      }
      aus.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
    }
    if (!aus.flush()) throw std::runtime_error("could not write " + datei.string());
  }

  fs::path ordner_;
  std::string pfad_;
};

void ListeAufbauen(benchmark::State& state) {
  JaDialoge dialoge;
  addresses::AdrDateiName = Testdatei::Pfad();
  for (auto _ : state) {
    addresses::AdrListeAufbauen(0);
    benchmark::DoNotOptimize(addresses::AdrListeAlle.data());
  }
  if (addresses::AdrListeAlle.size() != static_cast<std::size_t>(kAdressen) || dialoge.Meldungen != 0)
    state.SkipWithError("the list does not hold every address");
  state.counters["Adressen"] = static_cast<double>(addresses::AdrListeAlle.size());
}
BENCHMARK(ListeAufbauen)->Unit(benchmark::kMillisecond)->Iterations(5);

void ListeDurchsuchen(benchmark::State& state) {
  JaDialoge dialoge;
  addresses::AdrDateiName = Testdatei::Pfad();
  addresses::AdrListeAufbauen(0);
  for (auto _ : state) {
    addresses::AdrListeSuchen("m\xFCller, \xE4");
    benchmark::DoNotOptimize(addresses::AdrListeSuche.data());
  }
  state.counters["Treffer"] = static_cast<double>(addresses::AdrListeSuche.size());
}
BENCHMARK(ListeDurchsuchen)->Unit(benchmark::kMillisecond)->Iterations(5);

// Each timed pass finds every group at 0 and sets it to the release flag,
// so it writes back about half of the records.
void GruppeAusAuszahlung(benchmark::State& state) {
  JaDialoge dialoge;
  addresses::AdrDateiName = Testdatei::Pfad();
  for (auto _ : state) {
    state.PauseTiming();
    addresses::GruppenAufNull(addresses::AktiveAdressdatei);
    state.ResumeTiming();
    addresses::GruppeAusAuszahlung(addresses::AktiveAdressdatei);
  }
  if (dialoge.Meldungen != 0) state.SkipWithError("a file error was reported");
  state.counters["Adressen"] = static_cast<double>(addresses::AnzahlAdressen);
}
BENCHMARK(GruppeAusAuszahlung)->Unit(benchmark::kMillisecond)->Iterations(5);

// One payout list of each kind (all, released, not released, group 0,
// group 1): the file read once, the rows built with their transfer texts and
// sorted by name.
void Auszahlungsliste(benchmark::State& state) {
  JaDialoge dialoge;
  addresses::AdrDateiName = Testdatei::Pfad();
  const int art = static_cast<int>(state.range(0));
  for (auto _ : state) {
    payout::Adressenliste.AuszahlungslisteAufbauen(art, 1250000, 500000, "Jagdgeld !NAM1 !DATUM");
    benchmark::DoNotOptimize(payout::Adressenliste.Gitter.data());
  }
  if (dialoge.Meldungen != 0) state.SkipWithError("a file error was reported");
  state.counters["Zeilen"] = static_cast<double>(payout::Adressenliste.Gitter.size() - 2);
}
BENCHMARK(Auszahlungsliste)->DenseRange(1, 5)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
