// The sort grid at 1,000, 10,000 and 100,000 rows of 12 columns: sorting by a text, a
// numeric and a date column (beside a bare sort of the same texts), sizing the columns to
// their content with the widget set's text metrics (beside measuring every cell once
// without the grid), and painting one screen of rows in the middle of the grid.
//
// The metrics are Qt's on its offscreen platform when the Qt widget set is built, else the
// headless ones; run with --widgetset=headless to compare.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>

#include "BenchRatio.h"
#include "DateTime.h"
#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "SortGrid.h"
#ifdef XEL_BENCH_QT
#include "QtWidgetSet.h"
#endif

using namespace xel;

namespace {

constexpr Integer kCols = 12;

// Columns: 0 the row number (fixed), 1 a phrase, 2 an amount, 3 a date, 4 a distinct
// name, 5 to 11 short texts of small vocabularies, as a translation table has them.
struct TBenchGrid {
  std::unique_ptr<TForm> Form;
  TSortGrid* Grid = nullptr;
};

String Phrase(std::mt19937& random) {
  static const char* words[] = {"open", "save", "file", "language", "window", "the", "current", "value",
                                "select", "all", "translate", "text", "of", "new", "delete", "item",
                                "Einstellungen", "Sprache", "Fenster", "Datei"};
  String s;
  const int n = 1 + static_cast<int>(random() % 5);
  for (int i = 0; i < n; ++i) s += (i ? " " : "") + String(words[random() % 20]);
  return s;
}

std::unique_ptr<TBenchGrid> Build(Integer rows) {
  auto b = std::make_unique<TBenchGrid>();
  b->Form = std::make_unique<TForm>(nullptr, TCreateNew{});
  b->Form->SetBounds(0, 0, 800, 420);
  b->Grid = new TSortGrid(b->Form.get());
  b->Grid->SetParent(b->Form.get());
  b->Grid->SetBounds(0, 0, 780, 400);
  b->Grid->SetColCount(kCols);
  b->Grid->SetRowCount(rows + 1);
  std::mt19937 random(42);
  const TDateTime first = EncodeDate(2024, 1, 1);
  for (Integer r = 1; r <= rows; ++r) {
    TSortGrid* g = b->Grid;
    g->SetCells(0, r, IntToStr(r));
    g->SetCells(1, r, Phrase(random));
    g->SetCells(2, r, FloatToStrF((random() % 10000000) / 100.0L, ffFixed, 15, 2));
    g->SetCells(3, r, DateToStr(TDateTime(first.Value() + static_cast<double>(random() % 1100))));
    g->SetCells(4, r, "Component" + IntToStr(static_cast<Int64>(random() % 1000000)) + ".Caption");
    for (Integer c = 5; c < kCols; ++c) g->SetCells(c, r, "State " + IntToStr(static_cast<Int64>(random() % (c * 3))));
  }
  for (Integer c = 0; c < kCols; ++c) b->Grid->SetCells(c, 0, "Column " + IntToStr(c));
  b->Form->Show();
  return b;
}

// Freed before the widget set goes.
std::map<Integer, std::unique_ptr<TBenchGrid>> Grids;

TBenchGrid& Cached(Integer rows) {
  auto& slot = Grids[rows];
  if (!slot) slot = Build(rows);
  return *slot;
}

// A bare sort of the column's texts: what sorting costs without a grid around it.
void SortDirect(benchmark::State& state, Integer rows, Integer col) {
  TSortGrid* g = Cached(rows).Grid;
  std::vector<String> texts;
  for (Integer r = 1; r <= rows; ++r) texts.push_back(g->Cells(col, r));
  for (auto _ : state) {
    std::vector<String> copy = texts;
    std::stable_sort(copy.begin(), copy.end());
    benchmark::DoNotOptimize(copy.data());
  }
}

// Every iteration sorts the same shuffled rows: the undo of the previous sort is not timed.
void SortGrid(benchmark::State& state, Integer rows, Integer col) {
  TSortGrid* g = Cached(rows).Grid;
  for (auto _ : state) {
    state.PauseTiming();
    g->UndoSort();
    state.ResumeTiming();
    g->SortByColumn(col, {ssAutomatic, sdAscending, true});
  }
  g->UndoSort();
}

// Every cell measured once through the widget set, no cache, no formats.
void AutoSizeDirect(benchmark::State& state, Integer rows) {
  TSortGrid* g = Cached(rows).Grid;
  for (auto _ : state) {
    Integer widest = 0;
    for (Integer c = 0; c < kCols; ++c)
      for (Integer r = 0; r <= rows; ++r) widest = std::max(widest, ScreenTextExtent(*g->GetFont(), g->Cells(c, r)).X);
    benchmark::DoNotOptimize(widest);
  }
}

void AutoSizeGrid(benchmark::State& state, Integer rows) {
  TSortGrid* g = Cached(rows).Grid;
  for (auto _ : state) g->AutoSizeColumns(true, 4);
}

// One screen of rows from the middle, drawn on the headless canvas.
void PaintScreen(benchmark::State& state, Integer rows) {
  TSortGrid* g = Cached(rows).Grid;
  g->SetTopRow(rows / 2);
  for (auto _ : state) benchmark::DoNotOptimize(Headless::Paint(g).size());
}

void RegisterAll() {
  for (Integer rows : {1000, 10000, 100000}) {
    const String n = IntToStr(rows);
    const struct {
      const char* Name;
      Integer Col;
    } sorts[] = {{"SortText", 1}, {"SortNumber", 2}, {"SortDate", 3}};
    for (const auto& s : sorts) {
      const String group = String(s.Name) + "_" + n;
      benchmark::RegisterBenchmark((group + "/Direct").c_str(), SortDirect, rows, s.Col)->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark((group + "/Grid").c_str(), SortGrid, rows, s.Col)->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark(("AutoSize_" + n + "/Direct").c_str(), AutoSizeDirect, rows)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("AutoSize_" + n + "/Grid").c_str(), AutoSizeGrid, rows)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("PaintScreen_" + n).c_str(), PaintScreen, rows)->Unit(benchmark::kMicrosecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool headless = std::getenv("XEL_WIDGETSET") && std::strcmp(std::getenv("XEL_WIDGETSET"), "headless") == 0;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--widgetset=headless") == 0) {
      headless = true;
      std::memmove(argv + i, argv + i + 1, sizeof(char*) * static_cast<size_t>(argc - i));
      --argc;
      break;
    }
#ifdef XEL_BENCH_QT
  if (!headless) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    InstallQtWidgetSet();
  }
#endif
  if (!WidgetSet()) InstallHeadlessWidgetSet();
  std::printf("Text metrics of the %s widget set\n", WidgetSet()->Name().c_str());
  RegisterAll();
  int result = xel::bench::RunWithRatios(argc, argv);
  Grids.clear();
#ifdef XEL_BENCH_QT
  if (!headless) FinalizeQtWidgetSet();
#endif
  return result;
}
