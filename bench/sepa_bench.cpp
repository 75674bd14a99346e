// Timings of the SEPA run on a generated address file of 100,000 released
// owners with plausible bank data (about 295 MB) in a temporary folder: the
// release list alone, and the release list with the XML and CSV files
// written; and the peak memory and time of one whole "davo sepa" in a
// process of its own, against that of a davo that only starts. The files
// are written once per run and removed at the end.

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
#include "addresses/Adresse.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "payout/Adressenliste.h"
#include "payout/Einstellungen.h"
#include "payout/Sepa.h"

namespace {

namespace fs = std::filesystem;
using namespace davo;
using bench::JaDialoge;

constexpr std::int32_t kEigentuemer = 100000;

// A German IBAN for a bank code and an account number, with its check digits.
std::string Iban(const std::string& blz, const std::string& konto) {
  const std::string zahl = blz + konto + "131400";  // "DE" as 13 14, check digits 00
  int rest = 0;
  for (char c : zahl) rest = (rest * 10 + (c - '0')) % 97;
  const int pruef = 98 - rest;
  return std::string("DE") + static_cast<char>('0' + pruef / 10) + static_cast<char>('0' + pruef % 10) + blz + konto;
}

class Testlauf {
 public:
  static const Testlauf& Holen() {
    static Testlauf lauf;
    return lauf;
  }
  Testlauf(const Testlauf&) = delete;
  Testlauf& operator=(const Testlauf&) = delete;
  ~Testlauf() {
    std::error_code ec;
    fs::remove_all(ordner_, ec);
  }

  const fs::path& Ordner() const { return ordner_; }
  fs::path Adressen() const { return ordner_ / "Gross.ADW"; }
  fs::path Ausgabe() const { return ordner_ / "sepa"; }
  std::string Ansi(const fs::path& p) const {
    const std::optional<std::string> a = app::AnsiPfad(p);
    if (!a) throw std::runtime_error("path not representable: " + p.string());
    return *a;
  }

  // The settings beside the file, with the run counter at 0, made active.
  void EinstellungenSetzen() const {
    app::AktAdrBasis = Ansi(ordner_ / "Gross");
    addresses::AdrDateiName = Ansi(Adressen());
    fs::remove(ordner_ / "Gross.JGA");
    payout::AuszahlungsEinstellungen.Leeren();
    using E = payout::TAuszahlungsEinstellungen;
    payout::AuszahlungsEinstellungen.SetzeFeld(E::Auftraggeber,
                                               "Jagdgenossenschaft Gro\xDF"
                                               "dorf");
    payout::AuszahlungsEinstellungen.SetzeFeld(E::AuftraggeberIBAN, "DE44 5001 0517 5407 3249 31");
    payout::AuszahlungsEinstellungen.SetzeFeld(E::AuftraggeberBIC, "COBADEFFXXX");
    payout::AuszahlungsEinstellungen.SetzeFeld(E::BetragProHaText, "12,50");
    payout::AuszahlungsEinstellungen.SetzeFeld(E::KleinsterBetragText, "1,00");
    payout::AuszahlungsEinstellungen.SetzeFeld(E::Belegtext1, "Jagdpacht 2026 !NAM1");
    payout::AuszahlungsEinstellungen.SetzeFeld(E::SepaOrdner, Ansi(Ausgabe()) + "/");
    if (!payout::EinstellungenSchreiben()) throw std::runtime_error("settings not written");
  }

  payout::SepaVorgaben Vorgaben() const {
    using E = payout::TAuszahlungsEinstellungen;
    const E& e = payout::AuszahlungsEinstellungen;
    payout::SepaVorgaben v;
    v.Auftraggeber = e.Feld(E::Auftraggeber);
    v.IBAN = e.Feld(E::AuftraggeberIBAN);
    v.BIC = e.Feld(E::AuftraggeberBIC);
    v.Belegtext = e.Feld(E::Belegtext1);
    v.Ordner = e.Feld(E::SepaOrdner);
    v.Ausfuehrung.Jahr = 2026;
    v.Ausfuehrung.Monat = 12;
    v.Ausfuehrung.Tag = 14;
    return v;
  }

  void AusgabeLeeren() const {
    fs::remove_all(Ausgabe());
    fs::create_directories(Ausgabe());
  }

 private:
  Testlauf() {
    std::random_device zufall;
    ordner_ = fs::temp_directory_path() / ("davo_sepa_bench_" + std::to_string(zufall()));
    fs::create_directories(ordner_);
    Schreiben();
    EinstellungenSetzen();
  }

  void Schreiben() const {
    const char* const nachnamen[] = {"M\xFCller", "Schmidt", "\xD6rtel", "Wei\xDF", "Bauer", "Kr\xE4mer", "Zander"};
    const char* const vornamen[] = {"Anna", "Bernd", "Carl", "\xC4nne", "J\xFCrgen", "Eva", "Udo"};
    const char* const bics[] = {"GENODEF1XYZ", "COBADEFF", "BYLADEM1001"};
    std::minstd_rand zahlen(20261206);
    std::ofstream aus(Adressen(), std::ios::binary | std::ios::trunc);
    std::vector<std::uint8_t> block;
    constexpr std::int32_t kJeBlock = 1000;
    for (std::int32_t i = 0; i < kEigentuemer; i += kJeBlock) {
      block.assign(static_cast<std::size_t>(kJeBlock) * addresses::TAdresse::Groesse, 0);
      for (std::int32_t k = 0; k < kJeBlock; ++k) {
        addresses::TAdresse a;
        a.SetzeText(addresses::Name1, std::string(vornamen[zahlen() % std::size(vornamen)]) + " " +
                                          nachnamen[zahlen() % std::size(nachnamen)]);
        a.SetzeText(addresses::IBAN, Iban(std::to_string(10000000 + zahlen() % 89999999),
                                          std::to_string(1000000000 + zahlen() % 899999999)));
        a.SetzeText(addresses::BIC, bics[zahlen() % std::size(bics)]);
        a.SetzeAuszahlungFrei(1);
        a.SetzeFlaeche(static_cast<std::int64_t>(10000 + zahlen() % 400000));
        std::copy(a.bytes.begin(), a.bytes.end(),
                  block.begin() + static_cast<std::ptrdiff_t>(k) * static_cast<std::ptrdiff_t>(a.bytes.size()));
      }
      aus.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
    }
    if (!aus.flush()) throw std::runtime_error("could not write the address file");
  }

  fs::path ordner_;
};

// The release list of every owner: the file read once, each item built with
// its transfer text and checked.
void Freigabeliste(benchmark::State& state) {
  JaDialoge dialoge;
  const Testlauf& t = Testlauf::Holen();
  t.EinstellungenSetzen();
  for (auto _ : state) {
    payout::Adressenliste.FreigabelisteAufbauen(125000, 10000, "Jagdpacht 2026 !NAM1");
    benchmark::DoNotOptimize(payout::Adressenliste.Freigabe.data());
  }
  std::size_t frei = 0;
  for (const auto& p : payout::Adressenliste.Freigabe) frei += p.Markiert ? 1 : 0;
  if (frei != static_cast<std::size_t>(kEigentuemer) || dialoge.Meldungen != 0)
    state.SkipWithError("not every owner is on the list and checked");
  state.counters["Posten"] = static_cast<double>(frei);
}
BENCHMARK(Freigabeliste)->Unit(benchmark::kMillisecond)->Iterations(3);

// The whole run in one process: the release list, then both files written,
// each synced to the disk, and the run counter saved.
void SepaLauf(benchmark::State& state) {
  JaDialoge dialoge;
  const Testlauf& t = Testlauf::Holen();
  std::uintmax_t groesse = 0;
  for (auto _ : state) {
    state.PauseTiming();
    t.EinstellungenSetzen();
    t.AusgabeLeeren();
    state.ResumeTiming();
    payout::Adressenliste.FreigabelisteAufbauen(125000, 10000, "Jagdpacht 2026 !NAM1");
    payout::SepaLauf lauf;
    if (payout::SepaDateienErstellen(payout::Adressenliste, t.Vorgaben(), lauf) != payout::SepaErgebnis::Geschrieben ||
        lauf.Anzahl != kEigentuemer)
      state.SkipWithError("the SEPA file was not written");
    state.PauseTiming();
    groesse = fs::file_size(t.Ausgabe() / lauf.DateiName);
    state.ResumeTiming();
  }
  state.counters["XML_MB"] = static_cast<double>(groesse) / 1e6;
}
BENCHMARK(SepaLauf)->Unit(benchmark::kMillisecond)->Iterations(3);

#if defined(__linux__)
// Peak resident memory and wall-clock time of a command under /usr/bin/time.
struct Messung {
  double SpitzeKB = 0, Sekunden = 0;
  bool Ok = false;
};

Messung Messen(const std::string& befehl) {
  Messung m;
  std::FILE* p = popen(("/usr/bin/time -v " + befehl + " 2>&1 >/dev/null").c_str(), "r");
  if (!p) return m;
  std::array<char, 512> zeile{};
  while (std::fgets(zeile.data(), static_cast<int>(zeile.size()), p)) {
    const std::string z = zeile.data();
    const std::string rss = "Maximum resident set size (kbytes): ";
    const std::string uhr = "Elapsed (wall clock) time (h:mm:ss or m:ss): ";
    if (const std::size_t a = z.find(rss); a != std::string::npos) m.SpitzeKB = std::atof(z.c_str() + a + rss.size());
    if (const std::size_t a = z.find(uhr); a != std::string::npos) {
      const std::string t = z.substr(a + uhr.size());
      const std::size_t doppelpunkt = t.rfind(':');
      m.Sekunden = std::atof(t.substr(0, doppelpunkt).c_str()) * 60 + std::atof(t.c_str() + doppelpunkt + 1);
    }
  }
  m.Ok = pclose(p) == 0;
  return m;
}

// "davo --ja sepa" on the file, against "davo --version": the memory the run
// needs beyond the program itself. davo is taken from DAVO_CLI or from the
// build tree beside this program.
void SpitzenspeicherSepa(benchmark::State& state) {
  const Testlauf& t = Testlauf::Holen();
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
  const auto gequotet = [](const fs::path& p) {
    std::string q = "'";
    q += p.string();
    q += "'";
    return q;
  };
  const std::string programm = gequotet(davo);
  const std::string sepa = programm + " --ja --konfig " + gequotet(t.Ordner()) + " sepa " + gequotet(t.Adressen()) +
                           " --ausfuehrung 14.12.2026";
  Messung lauf, leer;
  for (auto _ : state) {
    t.EinstellungenSetzen();
    t.AusgabeLeeren();
    lauf = Messen(sepa);
    leer = Messen(programm + " --version");
    if (!lauf.Ok || !leer.Ok) state.SkipWithError("davo failed");
  }
  state.counters["Spitze_MB"] = lauf.SpitzeKB * 1024 / 1e6;
  state.counters["Programm_MB"] = leer.SpitzeKB * 1024 / 1e6;
  state.counters["Lauf_MB"] = (lauf.SpitzeKB - leer.SpitzeKB) * 1024 / 1e6;
  state.counters["Laufzeit_s"] = lauf.Sekunden;
}
BENCHMARK(SpitzenspeicherSepa)->Unit(benchmark::kMillisecond)->Iterations(1);
#endif

}  // namespace
