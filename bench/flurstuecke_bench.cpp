// Timings of the cadastre import, the sort by owner and the transfer into an
// address file, on a generated cadastre of 200,000 parcels (about 350,000
// owner rows, 60,000 owners) in a temporary folder; and the peak memory of
// one whole run of "davo flurstuecke" in a process of its own. The files are
// written once per run and removed at the end.
//
// Reading the file into memory and counting its lines is the baseline the
// import is measured against.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "Benchhilfen.h"
#include "Benchpersonen.h"
#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "app/Text.h"
#include "parcels/Flurstuecke.h"

namespace {

namespace fs = std::filesystem;
using namespace davo;
using bench::JaDialoge;
using bench::Person;

constexpr int kFlurstuecke = 200000;
constexpr int kEigentuemer = 60000;

// The generated cadastre and a folder for the address files and the
// configuration; made on first use, removed at exit.
class Testkataster {
 public:
  static const Testkataster& Holen() {
    static Testkataster k;
    return k;
  }

  Testkataster(const Testkataster&) = delete;
  Testkataster& operator=(const Testkataster&) = delete;
  ~Testkataster() {
    std::error_code ec;
    fs::remove_all(ordner_, ec);
  }

  const fs::path& Ordner() const { return ordner_; }
  const fs::path& Datei() const { return datei_; }
  const std::string& Pfad() const { return pfad_; }  // program text
  std::uintmax_t Bytes() const { return bytes_; }
  int Eigentuemerzeilen() const { return zeilen_; }

  // An address file path in the folder, as program text.
  std::string Adressdatei(const std::string& name) const { return *app::AnsiPfad(ordner_ / name); }

 private:
  Testkataster() {
    std::random_device zufall;
    ordner_ = fs::temp_directory_path() / ("davo_flst_bench_" + std::to_string(zufall()));
    fs::create_directories(ordner_ / "konfig");
    datei_ = ordner_ / "Kataster.csv";
    const std::optional<std::string> ansi = app::AnsiPfad(datei_);
    if (!ansi) throw std::runtime_error("temporary folder not representable: " + datei_.string());
    pfad_ = *ansi;
    Schreiben();
    bytes_ = fs::file_size(datei_);
  }

  // The owners' entries without their first parts and share:
  // ", Surname, First, Street No, Postcode Town[, geb. X][, date]".
  static std::vector<std::string> Personen(std::minstd_rand& zahlen) {
    std::vector<std::string> p(kEigentuemer);
    for (std::string& e : p) e = Person(zahlen);
    return p;
  }

  void Schreiben() {
    std::minstd_rand zahlen(20240607);
    const std::vector<std::string> personen = Personen(zahlen);
    const char* const gemarkungen[] = {"Feldheim", "Großdorf", "Au", "Zell", "Oberbach"};
    const char* const bejagdbar[] = {"ZJEN", "ZJEN", "ZJEN", "ZJEN", "ZJEN Wald", "befriedet", "NJEN"};
    // The shares of one parcel's owners: 1 to 3 owners, mixed fractions,
    // some single owners without a fraction.
    const std::vector<std::vector<const char*>> teilungen = {
        {""}, {"1/1"}, {""}, {"1/2", "1/2"}, {"1/4", "3/4"}, {"1/3", "1/3", "1/3"}, {"1/2", "1/4", "1/4"}};
    const std::array<int, 20> wahl = {0, 1, 2, 0, 1, 2, 0, 1, 0,  // 45 % one owner
                                      3, 3, 3, 4, 4, 3, 4,        // 35 % two
                                      5, 5, 6, 6};                // 20 % three

    std::ofstream aus(datei_, std::ios::binary | std::ios::trunc);
    std::string block = app::Utf8NachAnsi(
        "Kennung;Gemarkung;Flur;Flurstück;Bejagdbarkeit;Fläche;Eigentümer 1;Eigentümer 2;Eigentümer 3\r\n");
    zeilen_ = 0;
    for (int i = 0; i < kFlurstuecke; ++i) {
      // Owners near the parcel's number, so owners own several parcels.
      const int basis = static_cast<int>((static_cast<std::int64_t>(i) * kEigentuemer) / kFlurstuecke);
      const std::vector<const char*>& teilung = teilungen[static_cast<std::size_t>(wahl[zahlen() % wahl.size()])];
      block += std::to_string(i + 1) + ";" + app::Utf8NachAnsi(gemarkungen[zahlen() % std::size(gemarkungen)]) + ";" +
               std::to_string(1 + zahlen() % 30) + ";" + std::to_string(1 + zahlen() % 900) + "/" +
               std::to_string(1 + zahlen() % 20) + ";" + bejagdbar[zahlen() % std::size(bejagdbar)] + ";" +
               std::to_string(50 + zahlen() % 50000) + (zahlen() % 4 == 0 ? ",5" : "");
      for (const char* anteil : teilung) {
        const auto nr = static_cast<std::size_t>((basis + static_cast<int>(zahlen() % 40)) % kEigentuemer);
        block += ";";
        block += std::to_string(1 + zahlen() % 9) + ", " + std::to_string(1000 + zahlen() % 9000) + ", Eigentum";
        if (*anteil) block += std::string(", ") + anteil;
        block += personen[nr];
        ++zeilen_;
      }
      block += "\r\n";
      if (block.size() > (1 << 20)) {
        aus.write(block.data(), static_cast<std::streamsize>(block.size()));
        block.clear();
      }
    }
    aus.write(block.data(), static_cast<std::streamsize>(block.size()));
    if (!aus.flush()) throw std::runtime_error("could not write " + datei_.string());
  }

  fs::path ordner_;
  fs::path datei_;
  std::string pfad_;
  std::uintmax_t bytes_ = 0;
  int zeilen_ = 0;
};

// The imported table, for the benchmarks that start behind the import.
const parcels::Flurstuecktabelle& Importiert(bool sortiert) {
  static const std::array<parcels::Flurstuecktabelle, 2> tabellen = [] {
    JaDialoge dialoge;
    std::array<parcels::Flurstuecktabelle, 2> t;
    t[0].SetzeZeilenzahl(1);
    if (!parcels::DateiImportieren(t[0], Testkataster::Holen().Pfad())) throw std::runtime_error("import failed");
    t[1] = t[0];
    parcels::Sortieren(t[1]);
    return t;
  }();
  return tabellen[sortiert ? 1 : 0];
}

// Makes name a fresh, empty address file and the active one; the
// configuration goes into the temporary folder.
void FrischeAdressdatei(const std::string& name) {
  const Testkataster& k = Testkataster::Holen();
  app::KonfigOrdnerVorgabe = k.Ordner() / "konfig";
  const std::string pfad = k.Adressdatei(name);
  std::ofstream(k.Ordner() / name, std::ios::binary | std::ios::trunc).flush();
  app::Konfiguration.SetzeAdressdatei(pfad);
  app::AktAdrBasis = app::BasisVon(pfad);
}

void Lesen(benchmark::State& state) {
  const Testkataster& k = Testkataster::Holen();
  std::int64_t zeilen = 0;
  for (auto _ : state) {
    std::string inhalt(static_cast<std::size_t>(fs::file_size(k.Datei())), '\0');
    std::FILE* f = std::fopen(k.Datei().string().c_str(), "rb");
    if (!f || std::fread(inhalt.data(), 1, inhalt.size(), f) != inhalt.size()) state.SkipWithError("read failed");
    if (f) std::fclose(f);
    zeilen = 0;
    for (char c : inhalt) zeilen += c == '\n';
    benchmark::DoNotOptimize(zeilen);
  }
  state.counters["Zeilen"] = static_cast<double>(zeilen);
  state.counters["MB"] = static_cast<double>(k.Bytes()) / 1e6;
}
BENCHMARK(Lesen)->Unit(benchmark::kMillisecond)->Iterations(10);

void Importieren(benchmark::State& state) {
  JaDialoge dialoge;
  const Testkataster& k = Testkataster::Holen();
  std::size_t zeilen = 0;
  std::size_t text = 0;
  for (auto _ : state) {
    parcels::Flurstuecktabelle t;
    t.SetzeZeilenzahl(1);
    if (!parcels::DateiImportieren(t, k.Pfad())) state.SkipWithError("import failed");
    zeilen = static_cast<std::size_t>(t.Zeilenzahl() - 1);
    text = t.Textgroesse();
    state.PauseTiming();  // the table's destruction is not part of the import
    t = parcels::Flurstuecktabelle();
    state.ResumeTiming();
  }
  if (zeilen != static_cast<std::size_t>(k.Eigentuemerzeilen())) state.SkipWithError("wrong number of rows");
  state.counters["Zeilen"] = static_cast<double>(zeilen);
  state.counters["Text_MB"] = static_cast<double>(text) / 1e6;
}
BENCHMARK(Importieren)->Unit(benchmark::kMillisecond)->Iterations(5);

void Sortieren(benchmark::State& state) {
  const parcels::Flurstuecktabelle& quelle = Importiert(false);
  for (auto _ : state) {
    state.PauseTiming();
    parcels::Flurstuecktabelle t = quelle;
    state.ResumeTiming();
    parcels::Sortieren(t);
    benchmark::DoNotOptimize(t.Zelle(parcels::Nachname, 1).data());
    state.PauseTiming();
    t = parcels::Flurstuecktabelle();
    state.ResumeTiming();
  }
  state.counters["Zeilen"] = static_cast<double>(quelle.Zeilenzahl() - 1);
}
BENCHMARK(Sortieren)->Unit(benchmark::kMillisecond)->Iterations(5);

void Uebertragen(benchmark::State& state) {
  const parcels::Flurstuecktabelle& t = Importiert(true);
  JaDialoge dialoge;
  for (auto _ : state) {
    state.PauseTiming();
    FrischeAdressdatei("Uebertragen.ADW");
    dialoge.Meldungen = 0;
    state.ResumeTiming();
    if (!parcels::TabelleUebertragen(t) || dialoge.Meldungen != 1) state.SkipWithError("transfer failed");
  }
  state.counters["Adressen"] = static_cast<double>(addresses::AnzahlAdressen);
}
BENCHMARK(Uebertragen)->Unit(benchmark::kMillisecond)->Iterations(3);

void Gesamtlauf(benchmark::State& state) {
  JaDialoge dialoge;
  const Testkataster& k = Testkataster::Holen();
  for (auto _ : state) {
    state.PauseTiming();
    FrischeAdressdatei("Gesamt.ADW");
    dialoge.Meldungen = 0;
    state.ResumeTiming();
    parcels::Flurstuecktabelle t;
    t.SetzeZeilenzahl(1);
    if (!parcels::DateiImportieren(t, k.Pfad())) state.SkipWithError("import failed");
    parcels::Sortieren(t);
    if (!parcels::TabelleUebertragen(t) || dialoge.Meldungen != 1) state.SkipWithError("transfer failed");
  }
  state.counters["Adressen"] = static_cast<double>(addresses::AnzahlAdressen);
}
BENCHMARK(Gesamtlauf)->Unit(benchmark::kMillisecond)->Iterations(3);

#if defined(__linux__)
// One whole run of "davo flurstuecke FILE --sortieren --in-adressdatei X"
// under /usr/bin/time: its peak resident memory against the table's text.
// davo is taken from DAVO_CLI or from the build tree beside this program.
void SpitzenspeicherDavo(benchmark::State& state) {
  const Testkataster& k = Testkataster::Holen();
  fs::path davo;
  if (const char* pfad = std::getenv("DAVO_CLI"))
    davo = pfad;
  else
    davo = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "cli" / "davo";
  if (!fs::exists(davo) || !fs::exists("/usr/bin/time")) {
    state.SkipWithError("davo or /usr/bin/time not found (set DAVO_CLI)");
    for (auto _ : state) {
    }
    return;
  }
  const std::size_t text = Importiert(false).Textgroesse();
  double spitzeKB = 0;
  double sekunden = 0;
  for (auto _ : state) {
    const fs::path adr = k.Ordner() / "Davo.ADW";
    fs::remove(adr);
    const std::string befehl = "/usr/bin/time -v '" + davo.string() + "' --konfig '" +
                               (k.Ordner() / "konfig").string() + "' flurstuecke '" + k.Datei().string() +
                               "' --sortieren --in-adressdatei '" + adr.string() + "' 2>&1 >/dev/null";
    std::FILE* p = popen(befehl.c_str(), "r");
    if (!p) {
      state.SkipWithError("could not start davo");
      break;
    }
    std::array<char, 512> zeile{};
    while (std::fgets(zeile.data(), static_cast<int>(zeile.size()), p)) {
      const std::string z = zeile.data();
      const std::string rss = "Maximum resident set size (kbytes): ";
      const std::string uhr = "Elapsed (wall clock) time (h:mm:ss or m:ss): ";
      if (const std::size_t a = z.find(rss); a != std::string::npos) spitzeKB = std::atof(z.c_str() + a + rss.size());
      if (const std::size_t a = z.find(uhr); a != std::string::npos) {
        const std::string t = z.substr(a + uhr.size());
        const std::size_t doppelpunkt = t.rfind(':');
        sekunden = std::atof(t.substr(0, doppelpunkt).c_str()) * 60 + std::atof(t.c_str() + doppelpunkt + 1);
      }
    }
    if (pclose(p) != 0) state.SkipWithError("davo failed");
  }
  state.counters["Spitze_MB"] = spitzeKB * 1024 / 1e6;
  state.counters["Text_MB"] = static_cast<double>(text) / 1e6;
  state.counters["Spitze_je_Text"] = spitzeKB * 1024 / static_cast<double>(text);
  state.counters["Laufzeit_s"] = sekunden;
}
BENCHMARK(SpitzenspeicherDavo)->Unit(benchmark::kMillisecond)->Iterations(1);
#endif

}  // namespace
