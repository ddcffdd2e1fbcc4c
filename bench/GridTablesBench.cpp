// The framework string grid, TProStringGrid and TProColumnGrid side by side with
// Qt's own tables, on the same data:
// N rows x 10 columns (N = 1,000, 100,000 and 1,000,000), texts like "r123c4" in
// the even columns and numbers as text in the odd ones. For each table:
//   Fill     every cell written one by one into an empty, shown table;
//   Read     every cell read back (its length and first character);
//   Paint    one 800 x 600 screen scrolled to the middle, through the table's
//            own paint path;
//   Render   the same screen through QWidget::render into an image;
//   PaintSideBySide (TStringGridFamily) the framework grid and the two Pro
//            grids painted in turns, for the Pro grids' paint ratios;
//   Destroy  the filled table deleted;
//   Memory   resident bytes per cell after the fill, measured in a child
//            process of its own per table (this program started again with
//            --memory-child=<table>:<rows>).
// The floor is what the data needs at least: the texts written into one UTF-16
// block with an offset table. The table printed at the end gives every figure
// with its ratio to QTableWidget (fill, read, destroy, memory), to
// QStandardItemModel + QTableView (paint, render) and to the floor.
//
// Adding a table: derive a class from TTableUnderTest below (Create makes the
// shown, empty 800 x 600 table of Rows x 10 cells; Fill/Read go through
// ForEachCellText; Paint is the table's own paint path; Widget is what
// QWidget::render paints), then add one line to kTables. The benchmarks, the
// child process and the table of ratios take it from there.
//
// Run with one thread, e.g.
//   bench_GridTablesBench --benchmark_filter='/100000/'
// The rows of the 1,000,000-row run need several gigabytes for Qt's tables.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QProcess>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <unistd.h>
#include <vector>

#include "grid/ProCGrid.h"
#include "grid/ProGrid.h"
#include "platform/grids/Grids.h"
#include "platform/ui/Forms.h"

namespace {

constexpr int kCols = 10;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
const int kRowCounts[] = {1000, 100000, 1000000};
// The rows of one 600-pixel screen of 24-pixel rows (Qt's views scroll by these).
constexpr int kPageRows = 24;

// ------------------------------------------------------------------ the data

// Calls Fn(Col, Row, Text) for every cell, row by row: "r<row>c<col>" in the
// even columns, the number row * 10 + col in the odd ones. The texts are made
// from the row's digits, kept from row to row, in a buffer that is written in
// place unless a table kept a share of it: making them costs every table the
// same few nanoseconds.
template <typename F>
void ForEachCellText(int Rows, F Fn) {
  QString buf;
  buf.reserve(24);
  char16_t digits[12] = {u'0'};  // the row number, most significant first
  int nd = 1;
  for (int r = 0; r < Rows; ++r) {
    for (int c = 0; c < kCols; ++c) {
      char16_t tmp[24];
      int n = 0;
      if (c % 2 == 0) {
        tmp[n++] = u'r';
        for (int i = 0; i < nd; ++i) tmp[n++] = digits[i];
        tmp[n++] = u'c';
      } else if (r != 0) {
        for (int i = 0; i < nd; ++i) tmp[n++] = digits[i];
      }
      tmp[n++] = static_cast<char16_t>(u'0' + c);
      buf.resize(n);
      std::copy(tmp, tmp + n, reinterpret_cast<char16_t*>(buf.data()));
      Fn(c, r, buf);
    }
    // The next row number.
    int i = nd - 1;
    while (i >= 0 && digits[i] == u'9') digits[i--] = u'0';
    if (i >= 0) {
      ++digits[i];
    } else {
      std::copy_backward(digits, digits + nd, digits + nd + 1);
      digits[0] = u'1';
      ++nd;
    }
  }
}

// What a read-back sums up: the length and the first character of each text.
struct TReadSum {
  long long Chars = 0;
  long long First = 0;
  template <typename S>
  void Add(const S& Text) {
    Chars += Text.size();
    if (!Text.isEmpty()) First += Text.front().unicode();
  }
};

// ---------------------------------------------------------- the tables

class TTableUnderTest {
 public:
  virtual ~TTableUnderTest() = default;
  // An empty table of Rows x 10 cells, shown, 800 x 600 pixels.
  virtual void Create(int Rows) = 0;
  virtual void Fill() = 0;
  virtual TReadSum Read() = 0;
  // True when Read looks at the texts without copying them; ReadCopies then
  // reads every cell back as a QString of its own.
  virtual bool ReadsWithoutCopy() const { return false; }
  virtual TReadSum ReadCopies() { return Read(); }
  // Scrolls so that the middle row is the top one.
  virtual void ScrollToMiddle() {}
  // Scrolls down by one screen (back to the middle row near the end), so that
  // the next paint shows cells not painted before.
  virtual void ScrollPage() {}
  // Paints the screen through the table's own paint path (false: no painting).
  virtual bool Paint() { return false; }
  // What QWidget::render paints (nullptr: nothing).
  virtual QWidget* Widget() { return nullptr; }
  // Marks the whole table for repainting before it is rendered.
  virtual void Invalidate() {}

 protected:
  int FRows = 0;
};

// The texts in one UTF-16 block with an offset of 32 bits per cell.
class TFloor : public TTableUnderTest {
 public:
  void Create(int Rows) override {
    FRows = Rows;
    // Room for everything at once: pages never written are never resident.
    FOffsets.reserve(static_cast<size_t>(Rows) * kCols + 1);
    FChars.reserve(static_cast<size_t>(Rows) * kCols * 16);
    FOffsets.push_back(0);
  }
  void Fill() override {
    ForEachCellText(FRows, [&](int, int, const QString& s) {
      FChars.insert(FChars.end(), s.utf16(), s.utf16() + s.size());
      FOffsets.push_back(static_cast<uint32_t>(FChars.size()));
    });
  }
  TReadSum Read() override {
    TReadSum sum;
    for (size_t i = 0; i + 1 < FOffsets.size(); ++i)
      sum.Add(QStringView(FChars.data() + FOffsets[i], FChars.data() + FOffsets[i + 1]));
    return sum;
  }

 private:
  std::vector<char16_t> FChars;
  std::vector<uint32_t> FOffsets;
};

// A cell's text for a reader that only looks at it: without a copy where the
// grid has a way for that (the same program then measures older grids too).
template <typename G>
auto LookAt(const G* Grid, int ACol, int ARow) {
  if constexpr (requires { Grid->CellsView(ACol, ARow); })
    return Grid->CellsView(ACol, ARow);
  else
    return Grid->Cells(ACol, ARow);
}

// A grid of the framework's TStringGrid family on a borderless form: the
// framework grid itself, TProStringGrid and TProColumnGrid. G is the grid's own
// type, so that its own setters (ColCount, RowCount, TopRow) are the ones called.
template <typename G>
class TGridOnForm : public TTableUnderTest {
  // The Pro grids' Cells resolve merged cells and the display hooks: they are
  // read through Cells, a text of its own per cell, as a program reads them
  // (their figures compare with the framework grid's read copy).
  static constexpr bool kThroughCells = std::is_base_of_v<TBaseGrid, G>;

 public:
  void Create(int Rows) override {
    FRows = Rows;
    FForm = std::make_unique<TForm>(nullptr);
    FForm->SetBorderStyle(bsNone);
    FForm->SetBounds(0, 0, kWidth + 20, kHeight + 20);
    FGrid = new G(FForm.get());
    FGrid->SetParent(FForm.get());
    FGrid->SetBounds(0, 0, kWidth, kHeight);
    FGrid->SetColCount(kCols);
    FGrid->SetRowCount(Rows);
    FForm->Show();
  }
  void Fill() override {
    G* g = FGrid;
    ForEachCellText(FRows, [g](int c, int r, const QString& s) { g->SetCells(c, r, s); });
  }
  TReadSum Read() override {
    if constexpr (!kThroughCells) {
      TReadSum sum;
      const G* g = FGrid;
      for (int r = 0; r < FRows; ++r)
        for (int c = 0; c < kCols; ++c) sum.Add(LookAt(g, c, r));
      return sum;
    }
    return ReadCopies();
  }
  bool ReadsWithoutCopy() const override { return !kThroughCells; }
  TReadSum ReadCopies() override {
    TReadSum sum;
    G* g = FGrid;
    for (int r = 0; r < FRows; ++r)
      for (int c = 0; c < kCols; ++c) sum.Add(g->Cells(c, r));
    return sum;
  }
  void ScrollToMiddle() override { FGrid->SetTopRow(FRows / 2); }
  void ScrollPage() override {
    const int next = FGrid->TopRow() + FGrid->VisibleRowCount();
    FGrid->SetTopRow(next + FGrid->VisibleRowCount() < FRows ? next : FRows / 2);
  }
  bool Paint() override {
    FGrid->PaintNow();
    return true;
  }
  QWidget* Widget() override { return FGrid->View(); }
  void Invalidate() override { FGrid->Invalidate(); }

 protected:
  std::unique_ptr<TForm> FForm;
  G* FGrid = nullptr;  // owned by FForm
};

// Shows a Qt view 800 x 600 pixels large with the cell sizes of the framework
// grid (64 x 24 pixels), so that every table paints about the same cells.
void ShowView(QTableView* View) {
  View->horizontalHeader()->setDefaultSectionSize(64);
  View->verticalHeader()->setMinimumSectionSize(1);
  View->verticalHeader()->setDefaultSectionSize(24);
  View->resize(kWidth, kHeight);
  View->show();
}

// What Qt's tables share: scrolling by rows, painting through the viewport.
class TQtTable : public TTableUnderTest {
 public:
  void ScrollToMiddle() override { ScrollTo(FRows / 2); }
  void ScrollPage() override { ScrollTo(FTop + 2 * kPageRows < FRows ? FTop + kPageRows : FRows / 2); }
  // Repaints the viewport at once (the view's own paint path).
  bool Paint() override {
    View()->viewport()->repaint();
    return true;
  }
  QWidget* Widget() override { return View(); }

 protected:
  virtual QTableView* View() = 0;
  // Reads every cell's text through ItemAt(Row, Col), an item with text().
  template <typename F>
  TReadSum ReadItems(F ItemAt) const {
    TReadSum sum;
    for (int r = 0; r < FRows; ++r)
      for (int c = 0; c < kCols; ++c) sum.Add(ItemAt(r, c)->text());
    return sum;
  }

 private:
  void ScrollTo(int Row) {
    FTop = Row;
    View()->scrollTo(View()->model()->index(Row, 0), QAbstractItemView::PositionAtTop);
  }
  int FTop = 0;
};

class TQTableWidget : public TQtTable {
 public:
  void Create(int Rows) override {
    FRows = Rows;
    FTable = std::make_unique<QTableWidget>(Rows, kCols);
    ShowView(FTable.get());
  }
  void Fill() override {
    QTableWidget* t = FTable.get();
    ForEachCellText(FRows, [t](int c, int r, const QString& s) { t->setItem(r, c, new QTableWidgetItem(s)); });
  }
  TReadSum Read() override {
    return ReadItems([t = FTable.get()](int r, int c) { return t->item(r, c); });
  }

 protected:
  QTableView* View() override { return FTable.get(); }

 private:
  std::unique_ptr<QTableWidget> FTable;
};

class TQStandardModelView : public TQtTable {
 public:
  void Create(int Rows) override {
    FRows = Rows;
    FModel = std::make_unique<QStandardItemModel>(Rows, kCols);
    FView = std::make_unique<QTableView>();
    ShowView(FView.get());
  }
  ~TQStandardModelView() override {
    FView.reset();  // the view before its model
  }
  void Fill() override {
    QStandardItemModel* m = FModel.get();
    ForEachCellText(FRows, [m](int c, int r, const QString& s) { m->setItem(r, c, new QStandardItem(s)); });
    // The model is filled before the view shows it: filled under the shown view,
    // it takes about 80 us a cell (80 s for 100,000 rows).
    FView->setModel(m);
  }
  TReadSum Read() override {
    return ReadItems([m = FModel.get()](int r, int c) { return m->item(r, c); });
  }

 protected:
  QTableView* View() override { return FView.get(); }

 private:
  std::unique_ptr<QStandardItemModel> FModel;
  std::unique_ptr<QTableView> FView;
};

struct TTableKind {
  const char* Name;
  std::function<std::unique_ptr<TTableUnderTest>()> Make;
};

// The tables compared; the first two are the references of the ratios.
const char* const kWidgetRef = "QTableWidget";
const char* const kViewRef = "QStandardItemModel+QTableView";
const char* const kFloorRef = "floor";
const TTableKind kTables[] = {
    {kFloorRef, [] { return std::make_unique<TFloor>(); }},
    {"TStringGrid", [] { return std::make_unique<TGridOnForm<TStringGrid>>(); }},
    {"TProStringGrid", [] { return std::make_unique<TGridOnForm<TProStringGrid>>(); }},
    {"TProColumnGrid", [] { return std::make_unique<TGridOnForm<TProColumnGrid>>(); }},
    {kWidgetRef, [] { return std::make_unique<TQTableWidget>(); }},
    {kViewRef, [] { return std::make_unique<TQStandardModelView>(); }},
};

const TTableKind* FindTable(const std::string& Name) {
  for (const TTableKind& t : kTables)
    if (Name == t.Name) return &t;
  return nullptr;
}

// ------------------------------------------------------------ the figures

enum TFigure { fFill, fRead, fReadCopy, fPaint, fPaintNew, fRender, fDestroy, fMemory, fPaintSide, fFigureCount };

// Seconds per run (bytes per cell for fMemory), by table, rows and figure.
std::map<std::string, std::map<int, std::map<int, double>>>& Figures() {
  static std::map<std::string, std::map<int, std::map<int, double>>> f;
  return f;
}

// The table being measured: made by Fill, used by Read, Paint and Render,
// deleted by Destroy.
std::unique_ptr<TTableUnderTest>& Current() {
  static std::unique_ptr<TTableUnderTest> t;
  return t;
}

using TClock = std::chrono::steady_clock;

template <typename F>
double Seconds(F Fn) {
  const auto t0 = TClock::now();
  Fn();
  return std::chrono::duration<double>(TClock::now() - t0).count();
}

void Record(const TTableKind& T, int Rows, TFigure F, double Value) { Figures()[T.Name][Rows][F] = Value; }

void BM_Fill(benchmark::State& State, const TTableKind* T, int Rows) {
  for (auto _ : State) {
    Current().reset();
    std::unique_ptr<TTableUnderTest> t = T->Make();
    t->Create(Rows);
    const double s = Seconds([&] { t->Fill(); });
    State.SetIterationTime(s);
    Record(*T, Rows, fFill, s);
    Current() = std::move(t);
  }
  State.SetItemsProcessed(State.iterations() * Rows * kCols);
}

// Runs Op once an iteration, after the untimed Prepare, and records its best time.
template <typename P, typename F>
void MeasureBest(benchmark::State& State, const TTableKind* T, int Rows, TFigure Figure, P Prepare, F Op) {
  double best = 0;
  for (auto _ : State) {
    State.PauseTiming();
    Prepare();
    State.ResumeTiming();
    const double s = Seconds(Op);
    State.SetIterationTime(s);
    best = best == 0 ? s : std::min(best, s);
  }
  Record(*T, Rows, Figure, best);
}

void Nothing() {}

void BM_Read(benchmark::State& State, const TTableKind* T, int Rows) {
  MeasureBest(State, T, Rows, fRead, Nothing, [] { benchmark::DoNotOptimize(Current()->Read()); });
  State.SetItemsProcessed(State.iterations() * Rows * kCols);
}

void BM_ReadCopies(benchmark::State& State, const TTableKind* T, int Rows) {
  MeasureBest(State, T, Rows, fReadCopy, Nothing, [] { benchmark::DoNotOptimize(Current()->ReadCopies()); });
  State.SetItemsProcessed(State.iterations() * Rows * kCols);
}

// The table being measured, scrolled so that its middle row is the top one.
TTableUnderTest* ScrolledToMiddle() {
  TTableUnderTest* t = Current().get();
  t->ScrollToMiddle();
  QApplication::processEvents();
  return t;
}

void BM_Paint(benchmark::State& State, const TTableKind* T, int Rows) {
  TTableUnderTest* t = ScrolledToMiddle();
  MeasureBest(State, T, Rows, fPaint, Nothing, [t] { t->Paint(); });
}

// A paint of cells not painted before: each time one screen further down.
void BM_PaintNew(benchmark::State& State, const TTableKind* T, int Rows) {
  TTableUnderTest* t = ScrolledToMiddle();
  MeasureBest(State, T, Rows, fPaintNew, [t] { t->ScrollPage(); }, [t] { t->Paint(); });
}

void BM_Render(benchmark::State& State, const TTableKind* T, int Rows) {
  TTableUnderTest* t = ScrolledToMiddle();
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  MeasureBest(State, T, Rows, fRender, Nothing, [t, &image] {
    t->Invalidate();
    t->Widget()->render(&image);
  });
}

void BM_Destroy(benchmark::State& State, const TTableKind* T, int Rows) {
  for (auto _ : State) {
    const double s = Seconds([&] { Current().reset(); });
    State.SetIterationTime(s);
    Record(*T, Rows, fDestroy, s);
  }
}

// The framework grid family painted in turns: each round paints every grid
// twice, the second paint timed (starting with a different grid each round),
// so that the three timed paints of a round meet the same state of the
// machine. The figure recorded for a Pro grid is the median, over the rounds,
// of its paint time divided by the framework grid's in the same round
// (fPaintSide, a ratio): on a machine whose speed drifts from one tenth of a
// second to the next, separate runs would compare paints made at different
// speeds.
void BM_PaintSideBySide(benchmark::State& State, int Rows) {
  const std::vector<const TTableKind*> kinds = {FindTable("TStringGrid"), FindTable("TProStringGrid"),
                                                FindTable("TProColumnGrid")};
  std::vector<std::unique_ptr<TTableUnderTest>> grids;
  for (const TTableKind* k : kinds) {
    grids.push_back(k->Make());
    grids.back()->Create(Rows);
    grids.back()->Fill();
    grids.back()->ScrollToMiddle();
  }
  QApplication::processEvents();
  std::vector<std::vector<double>> ratios(kinds.size());
  size_t first = 0;
  for (auto _ : State) {
    std::vector<double> t(kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i) {
      const size_t g = (first + i) % kinds.size();
      // An untimed paint first: the timed one finds the grid's own caches as
      // a paint after a paint of the same grid does, not as the other grids
      // left them.
      grids[g]->Paint();
      t[g] = Seconds([&] { grids[g]->Paint(); });
    }
    first = (first + 1) % kinds.size();
    State.SetIterationTime(t[0]);
    for (size_t g = 1; g < kinds.size(); ++g) ratios[g].push_back(t[g] / t[0]);
  }
  for (size_t g = 1; g < kinds.size(); ++g) {
    std::vector<double>& r = ratios[g];
    if (r.empty()) continue;
    std::nth_element(r.begin(), r.begin() + r.size() / 2, r.end());
    const double median = r[r.size() / 2];
    State.counters[std::string(kinds[g]->Name) + "_x"] = median;
    Record(*kinds[g], Rows, fPaintSide, median);
  }
}

// Resident bytes of this process.
double ResidentBytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// In the child: the resident bytes a filled table adds to the empty, shown one.
int MemoryChild(const std::string& Request) {
  const size_t colon = Request.find(':');
  const TTableKind* kind = FindTable(Request.substr(0, colon));
  if (kind == nullptr || colon == std::string::npos) return 2;
  const int rows = std::stoi(Request.substr(colon + 1));
  std::unique_ptr<TTableUnderTest> t = kind->Make();
  t->Create(rows);
  QApplication::processEvents();
  const double before = ResidentBytes();
  t->Fill();
  QApplication::processEvents();
  const double after = ResidentBytes();
  std::printf("%.3f\n", (after - before) / (static_cast<double>(rows) * kCols));
  std::fflush(stdout);
  std::_Exit(0);  // the table is not destroyed: only its size was wanted
}

void BM_Memory(benchmark::State& State, const TTableKind* T, int Rows) {
  for (auto _ : State) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory-child=%1:%2").arg(QLatin1String(T->Name)).arg(Rows)});
    child.waitForFinished(-1);
    const double perCell = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble();
    State.counters["bytes_per_cell"] = perCell;
    Record(*T, Rows, fMemory, perCell);
    State.SetIterationTime(1e-9);
  }
}

void Register() {
  for (int rows : kRowCounts) {
    benchmark::RegisterBenchmark(("TStringGridFamily/" + std::to_string(rows) + "/PaintSideBySide").c_str(),
                                 BM_PaintSideBySide, rows)
        ->UseManualTime()->Unit(benchmark::kMillisecond);
    for (const TTableKind& t : kTables) {
      const std::string prefix = std::string(t.Name) + "/" + std::to_string(rows) + "/";
      const bool drawn = std::string(t.Name) != kFloorRef;
      benchmark::RegisterBenchmark((prefix + "Fill").c_str(), BM_Fill, &t, rows)
          ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark((prefix + "Read").c_str(), BM_Read, &t, rows)
          ->UseManualTime()->Unit(benchmark::kMillisecond);
      if (t.Make()->ReadsWithoutCopy())
        benchmark::RegisterBenchmark((prefix + "ReadCopies").c_str(), BM_ReadCopies, &t, rows)
            ->UseManualTime()->Unit(benchmark::kMillisecond);
      if (drawn) {
        benchmark::RegisterBenchmark((prefix + "Paint").c_str(), BM_Paint, &t, rows)
            ->UseManualTime()->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "PaintNew").c_str(), BM_PaintNew, &t, rows)
            ->UseManualTime()->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "Render").c_str(), BM_Render, &t, rows)
            ->UseManualTime()->Unit(benchmark::kMillisecond);
      }
      benchmark::RegisterBenchmark((prefix + "Destroy").c_str(), BM_Destroy, &t, rows)
          ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark((prefix + "Memory").c_str(), BM_Memory, &t, rows)
          ->UseManualTime()->Iterations(1);
    }
  }
}

// A figure of one table at one row count; -1 when it was not measured.
double FigureOf(const char* Table, int Rows, TFigure F) {
  auto& byRows = Figures()[Table];
  auto it = byRows.find(Rows);
  if (it == byRows.end()) return -1;
  auto jt = it->second.find(F);
  return jt == it->second.end() ? -1 : jt->second;
}

// The figures of every table with their ratios to the references.
void PrintRatios() {
  auto& f = Figures();
  for (int rows : kRowCounts) {
    bool any = false;
    for (const TTableKind& t : kTables) any = any || f[t.Name].count(rows) != 0;
    if (!any) continue;
    std::printf("\n%d rows x %d columns (time in ms, memory in bytes per cell; "
                "x W: ratio to QTableWidget, x V: to QTableView, x F: to the floor)\n",
                rows, kCols);
    std::printf("%-30s %10s %7s %7s %9s %7s %7s %9s %7s %8s %7s %9s %7s %8s %7s %9s %7s %10s %7s %7s\n", "table",
                "fill", "x W", "x F", "read", "x W", "x F", "read copy", "x W", "paint", "x V", "new cells", "x V", "render", "x V", "destroy", "x W",
                "memory", "x W", "x F");
    auto value = [rows](const char* name, TFigure fig) { return FigureOf(name, rows, fig); };
    auto cell = [](double v, double scale) {
      if (v < 0) return std::string("-");
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.2f", v * scale);
      return std::string(buf);
    };
    auto ratio = [](double v, double ref) {
      if (v < 0 || ref <= 0) return std::string("-");
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.3f", v / ref);
      return std::string(buf);
    };
    for (const TTableKind& t : kTables) {
      if (f[t.Name].count(rows) == 0) continue;
      const double ms = 1000.0;
      std::printf("%-30s %10s %7s %7s %9s %7s %7s %9s %7s %8s %7s %9s %7s %8s %7s %9s %7s %10s %7s %7s\n", t.Name,
                  cell(value(t.Name, fFill), ms).c_str(), ratio(value(t.Name, fFill), value(kWidgetRef, fFill)).c_str(),
                  ratio(value(t.Name, fFill), value(kFloorRef, fFill)).c_str(),
                  cell(value(t.Name, fRead), ms).c_str(), ratio(value(t.Name, fRead), value(kWidgetRef, fRead)).c_str(),
                  ratio(value(t.Name, fRead), value(kFloorRef, fRead)).c_str(),
                  cell(value(t.Name, fReadCopy), ms).c_str(),
                  ratio(value(t.Name, fReadCopy), value(kWidgetRef, fRead)).c_str(),
                  cell(value(t.Name, fPaint), ms).c_str(), ratio(value(t.Name, fPaint), value(kViewRef, fPaint)).c_str(),
                  cell(value(t.Name, fPaintNew), ms).c_str(),
                  ratio(value(t.Name, fPaintNew), value(kViewRef, fPaintNew)).c_str(),
                  cell(value(t.Name, fRender), ms).c_str(), ratio(value(t.Name, fRender), value(kViewRef, fRender)).c_str(),
                  cell(value(t.Name, fDestroy), ms).c_str(),
                  ratio(value(t.Name, fDestroy), value(kWidgetRef, fDestroy)).c_str(),
                  cell(value(t.Name, fMemory), 1).c_str(), ratio(value(t.Name, fMemory), value(kWidgetRef, fMemory)).c_str(),
                  ratio(value(t.Name, fMemory), value(kFloorRef, fMemory)).c_str());
    }
  }
}

// The goals of the grids, each with its ratio and whether it is met.
void PrintTargets() {
  const char* const kGrid = "TStringGrid";
  const char* const kProGrids[] = {"TProStringGrid", "TProColumnGrid"};
  std::printf("\nTargets (ratio measured, at most, met)\n");
  auto line = [](const std::string& What, double Value, double Ref, double Limit) {
    if (Value < 0 || Ref <= 0) return;
    const double ratio = Value / Ref;
    std::printf("  %-72s %7.3f %6.2f  %s\n", What.c_str(), ratio, Limit, ratio <= Limit ? "met" : "NOT MET");
  };
  for (int rows : kRowCounts) {
    // The goals are set for large grids; at 1,000 rows fixed costs weigh most.
    if (rows < 100000) continue;
    const std::string at = " at " + std::to_string(rows) + " rows";
    line("TStringGrid fill / QTableWidget" + at, FigureOf(kGrid, rows, fFill), FigureOf(kWidgetRef, rows, fFill), 0.07);
    line("TStringGrid read / QTableWidget" + at, FigureOf(kGrid, rows, fRead), FigureOf(kWidgetRef, rows, fRead), 0.2);
    line("TStringGrid memory / QTableWidget" + at, FigureOf(kGrid, rows, fMemory),
         FigureOf(kWidgetRef, rows, fMemory), 0.15);
    line("TStringGrid paint / QTableView" + at, FigureOf(kGrid, rows, fPaint), FigureOf(kViewRef, rows, fPaint), 0.25);
    for (const char* pro : kProGrids) {
      const std::string name(pro);
      line(name + " fill / TStringGrid" + at, FigureOf(pro, rows, fFill), FigureOf(kGrid, rows, fFill), 1.3);
      line(name + " read (Cells) / TStringGrid read copy" + at, FigureOf(pro, rows, fRead),
           FigureOf(kGrid, rows, fReadCopy), 1.3);
      line(name + " paint / TStringGrid" + at, FigureOf(pro, rows, fPaint), FigureOf(kGrid, rows, fPaint), 1.3);
      line(name + " paint / TStringGrid, painted in turns" + at, FigureOf(pro, rows, fPaintSide), 1, 1.3);
      line(name + " render / TStringGrid" + at, FigureOf(pro, rows, fRender), FigureOf(kGrid, rows, fRender), 1.3);
    }
  }
  // The paint of one screen does not grow with the rows: the largest grid
  // against the smallest, "within noise" taken as 1.25 x.
  const int fewest = kRowCounts[0];
  const int most = kRowCounts[std::size(kRowCounts) - 1];
  for (const char* g : {kGrid, kProGrids[0], kProGrids[1]})
    line(std::string(g) + " paint " + std::to_string(most) + " / " + std::to_string(fewest) + " rows",
         FigureOf(g, most, fPaint), FigureOf(g, fewest, fPaint), 1.25);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Application->Initialize();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--memory-child=", 0) == 0) return MemoryChild(arg.substr(15));
  }
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Current().reset();
  PrintRatios();
  PrintTargets();
  Application->Finalize();
  return 0;
}
