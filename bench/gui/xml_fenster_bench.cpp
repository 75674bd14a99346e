// The XML-Editor window on a credit-transfer file of 100,000 transactions
// (about 60 MB): "Datei importieren" pressed until tree and rows are painted,
// and the rows scrolled to the end. Runs without a display (offscreen).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>
#include <cstdlib>

#include "Benchhilfen.h"
#include "SepaBeispiel.h"
#include "app/QtDialogDienst.h"
#include "letters/DU_xmlEditor.h"

namespace {

using namespace davo;

void ImportierenUndZeigen(benchmark::State& state) {
  bench::JaDialoge dialoge;
  gui::TxmlEditor fenster;
  fenster.show();
  fenster.findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"))
      ->setText(gui::QtPfad(bench::SepaBeispiel::Holen().Datei()));
  auto* knopf = fenster.findChild<QPushButton*>(QStringLiteral("BitBtn2"));
  auto* raster = fenster.findChild<QTableView*>(QStringLiteral("StringGrid1"));
  for (auto _ : state) {
    knopf->click();
    QApplication::processEvents();
    benchmark::DoNotOptimize(fenster.grab());  // lays out and paints both views
  }
  state.counters["Zeilen"] = raster->model()->rowCount();
}
BENCHMARK(ImportierenUndZeigen)->Unit(benchmark::kMillisecond)->Iterations(3);

void ZeilenBisZumEnde(benchmark::State& state) {
  bench::JaDialoge dialoge;
  gui::TxmlEditor fenster;
  fenster.show();
  fenster.findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"))
      ->setText(gui::QtPfad(bench::SepaBeispiel::Holen().Datei()));
  fenster.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
  auto* raster = fenster.findChild<QTableView*>(QStringLiteral("StringGrid1"));
  for (auto _ : state) {
    raster->scrollToTop();
    raster->scrollToBottom();
    benchmark::DoNotOptimize(raster->grab());
  }
}
BENCHMARK(ZeilenBisZumEnde)->Unit(benchmark::kMillisecond)->Iterations(5);

// The last owner found through the search box: the whole tree searched, the
// payment node with its 200,000 children opened and the node shown.
void SuchenUndSpringen(benchmark::State& state) {
  bench::JaDialoge dialoge;
  gui::TxmlEditor fenster;
  fenster.show();
  fenster.findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"))
      ->setText(gui::QtPfad(bench::SepaBeispiel::Holen().Datei()));
  fenster.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
  auto* baum = fenster.findChild<QTreeView*>(QStringLiteral("TreeView1"));
  fenster.findChild<QLineEdit*>(QStringLiteral("SuchEdit"))
      ->setText(QString::fromStdString(bench::SepaBeispiel::Name(bench::SepaBeispiel::Buchungen)));
  auto* suchen = fenster.findChild<QPushButton*>(QStringLiteral("SuchBtn"));
  for (auto _ : state) {
    baum->collapseAll();
    baum->setCurrentIndex(QModelIndex());
    suchen->click();
    benchmark::DoNotOptimize(baum->grab());
  }
  if (baum->currentIndex().data().toString().indexOf(QStringLiteral("Eigentuemer")) < 0)
    state.SkipWithError("not found");
}
BENCHMARK(SuchenUndSpringen)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication anwendung(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
