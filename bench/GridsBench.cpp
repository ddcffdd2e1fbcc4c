// The string grid with a million rows: filling it, reading it back and
// painting one screen of it. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "platform/ui/Forms.h"
#include "platform/grids/Grids.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

// A shown form holding a grid of 1,000,000 x 10 cells, 800 x 600 pixels.
struct TBenchGrid {
  TBenchGrid() : Form(new TForm(nullptr)) {
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(0, 0, 820, 620);
    Grid = new TStringGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 800, 600);
    Grid->SetColCount(kCols);
    Grid->SetRowCount(kRows);
    Form->Show();
  }
  void Fill() {
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) Grid->SetCells(c, r, QString::number(r * kCols + c));
  }
  std::unique_ptr<TForm> Form;
  TStringGrid* Grid;
};

TBenchGrid& FilledGrid() {
  static TBenchGrid* g = [] {
    auto* b = new TBenchGrid;
    b->Fill();
    return b;
  }();
  return *g;
}

void BM_StringGridFill(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto g = std::make_unique<TBenchGrid>();
    State.ResumeTiming();
    g->Fill();
    State.PauseTiming();
    g.reset();
    State.ResumeTiming();
  }
  State.SetItemsProcessed(State.iterations() * kRows * kCols);
}
BENCHMARK(BM_StringGridFill)->Unit(benchmark::kMillisecond)->Iterations(2);

// Writing every cell of the filled grid again: the store's own cost, with the
// memory of the replaced texts used again (a first fill also pays for taking
// about a gigabyte of fresh memory from the system).
void BM_StringGridOverwrite(benchmark::State& State) {
  TBenchGrid& g = FilledGrid();
  for (auto _ : State) g.Fill();
  State.SetItemsProcessed(State.iterations() * kRows * kCols);
}
BENCHMARK(BM_StringGridOverwrite)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_StringGridReadBack(benchmark::State& State) {
  TStringGrid* grid = FilledGrid().Grid;
  for (auto _ : State) {
    qsizetype chars = 0;
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) chars += grid->Cells(c, r).size();
    benchmark::DoNotOptimize(chars);
  }
  State.SetItemsProcessed(State.iterations() * kRows * kCols);
}
BENCHMARK(BM_StringGridReadBack)->Unit(benchmark::kMillisecond);

void BM_StringGridPaintScreen(benchmark::State& State) {
  TStringGrid* grid = FilledGrid().Grid;
  grid->SetTopRow(kRows / 2);
  for (auto _ : State) grid->PaintNow();
  State.counters["cells"] = (grid->VisibleColCount() + 2) * (grid->VisibleRowCount() + 2);
}
BENCHMARK(BM_StringGridPaintScreen)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Application->Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Application->Finalize();
  return 0;
}
