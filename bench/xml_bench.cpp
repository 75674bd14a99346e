// The XML viewer's model on a credit-transfer file of 100,000 transactions
// (about 60 MB): the import (read, tree and rows built) against reading the
// file alone, and a search that runs through the whole tree.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "Benchhilfen.h"
#include "SepaBeispiel.h"
#include "app/Pfade.h"
#include "letters/XmlAnsicht.h"

namespace {

using namespace davo;
using bench::SepaBeispiel;

std::string Pfad() { return *app::AnsiPfad(SepaBeispiel::Holen().Datei()); }

void DateiLesen(benchmark::State& state) {
  const SepaBeispiel& s = SepaBeispiel::Holen();
  for (auto _ : state) {
    std::ifstream ein(s.Datei(), std::ios::binary);
    std::string inhalt((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
    benchmark::DoNotOptimize(inhalt.data());
  }
  state.counters["MB"] = static_cast<double>(s.Bytes()) / 1e6;
}
BENCHMARK(DateiLesen)->Unit(benchmark::kMillisecond)->Iterations(5);

void XmlImport(benchmark::State& state) {
  bench::JaDialoge dialoge;
  const std::string pfad = Pfad();
  std::int32_t knoten = 0;
  std::int64_t zeilen = 0;
  for (auto _ : state) {
    letters::XmlAnsicht ansicht;
    if (ansicht.Importieren(pfad) != letters::XmlAnsicht::Ergebnis::Gelesen) state.SkipWithError("import failed");
    knoten = ansicht.Knotenzahl();
    zeilen = ansicht.Zeilenzahl();
  }
  state.counters["MB"] = static_cast<double>(SepaBeispiel::Holen().Bytes()) / 1e6;
  state.counters["Knoten"] = knoten;
  state.counters["Zeilen"] = static_cast<double>(zeilen);
}
BENCHMARK(XmlImport)->Unit(benchmark::kMillisecond)->Iterations(5);

// The last owner's name, searched from the root: every caption is looked at.
void XmlSuche(benchmark::State& state) {
  bench::JaDialoge dialoge;
  letters::XmlAnsicht ansicht;
  ansicht.Importieren(Pfad());
  const std::string name = SepaBeispiel::Name(SepaBeispiel::Buchungen);
  for (auto _ : state) {
    if (ansicht.Suchen({name}, 0) < 0) state.SkipWithError("not found");
  }
}
BENCHMARK(XmlSuche)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
