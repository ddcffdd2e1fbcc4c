// The grid controls on a form shown offscreen: cell store, geometry under
// scrolling, keys, painting, mouse selection, sizing and moving, scroll bars,
// the wheel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <set>
#include <tuple>

#include "platform/rtl/Classes.h"
#include "platform/ui/Forms.h"
#include "platform/grids/Grids.h"
#include "platform/ui/WinApi.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

class TTag : public TObject {};

// A string grid that records what it is asked to paint and lets the tests
// reach its protected operations.
class TTestGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  struct TCall {
    int Col, Row;
    TRect Rect;
    TGridDrawState State;
  };
  std::vector<TCall> Calls;
  using TStringGrid::DeleteRow;
  using TStringGrid::MoveColumn;

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
    Calls.push_back({ACol, ARow, ARect, AState});
    TStringGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

// A grid of 20 columns and 100 rows on a shown form, without border, at the
// form's top-left corner, holding the keyboard focus. Columns are 65 pixels
// apart (64 and a line), rows 25 (24 and a line).
class GridFixture : public testing::Test {
 protected:
  void SetUp() override {
    G = new TTestGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 400, 300);
    G->SetColCount(20);
    G->SetRowCount(100);
    F.Show();
    G->SetFocus();
  }
  void Key(Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier) { QTest::keyClick(G->View(), K, Mods); }
  // A client point of the grid in its widget's coordinates.
  QPoint At(int X, int Y) const {
    const TRect ins = G->NonClientInsets();
    return QPoint(X + ins.Left, Y + ins.Top);
  }
  QPoint CellCenter(int C, int R) const {
    const TRect r = G->CellRect(C, R);
    return At((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void Wheel(int Delta) {
    const QPoint local = At(100, 100);
    QWheelEvent e(local, G->View()->mapToGlobal(local), QPoint(), QPoint(0, Delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(G->View(), &e);
  }
  TShownForm F{500, 400};
  TTestGrid* G = nullptr;
};

// --------------------------------------------------------------- cell store

TEST(GridStringStore, SparseCellsAndObjects) {
  TStringGrid g(nullptr);
  EXPECT_EQ(g.ColCount(), 5);
  EXPECT_EQ(g.RowCount(), 5);
  g.SetColCount(1000);
  g.SetRowCount(1000000);
  EXPECT_EQ(g.Cells(999, 999999), QString());
  EXPECT_EQ(g.Objects(999, 999999), nullptr);
  EXPECT_EQ(g.CellStore().StoredCells(), 0);

  TTag tag;
  g.SetCells(3, 500000, "x");
  g.SetObjects(999, 999999, &tag);
  EXPECT_EQ(g.CellStore().StoredCells(), 2);
  EXPECT_EQ(g.Cells(3, 500000), "x");
  EXPECT_EQ(g.Objects(999, 999999), &tag);
  EXPECT_EQ(g.Objects(3, 500000), nullptr);
  g.SetCells(3, 500000, "");
  g.SetObjects(999, 999999, nullptr);
  EXPECT_EQ(g.CellStore().StoredCells(), 0);

  // Shrinking the counts keeps the cells outside them; growing shows them again.
  g.SetCells(900, 10, "kept");
  g.SetColCount(10);
  EXPECT_EQ(g.Cells(900, 10), "kept");
  g.SetColCount(1000);
  EXPECT_EQ(g.Cells(900, 10), "kept");
}

TEST(GridStringStore, RowsAndColsAsStringLists) {
  TStringGrid g(nullptr);
  TTag a, b;
  TStringList src;
  src.AddObject("one", &a);
  src.Add("");
  src.AddObject("three", &b);
  g.SetRows(1, &src);
  EXPECT_EQ(g.Cells(0, 1), "one");
  EXPECT_EQ(g.Objects(0, 1), &a);
  EXPECT_EQ(g.Cells(2, 1), "three");
  EXPECT_EQ(g.Objects(2, 1), &b);
  EXPECT_EQ(g.CellStore().StoredCells(), 2);

  // A row reads back as a list of ColCount strings with their objects.
  TStrings* row = g.Rows(1);
  EXPECT_EQ(row->Count(), 5);
  EXPECT_EQ(row->Text(), "one\r\n\r\nthree\r\n\r\n\r\n");
  TStringList copy;
  copy.Assign(row);
  EXPECT_EQ(copy.Count(), 5);
  EXPECT_EQ(copy.Objects(2), &b);
  g.SetRows(3, &copy);
  EXPECT_EQ(g.Rows(3)->CommaText(), g.Rows(1)->CommaText());
  EXPECT_EQ(g.Objects(2, 3), &b);

  // A shorter list empties the cells beyond its end; Add fills the first empty cell.
  TStringList shorter;
  shorter.Add("x");
  g.SetRows(1, &shorter);
  EXPECT_EQ(g.Rows(1)->CommaText(), "x,,,,");
  EXPECT_EQ(g.Objects(2, 1), nullptr);
  EXPECT_EQ(g.Rows(1)->Add("y"), 1);
  g.Rows(1)->SetCommaText("p,q");
  EXPECT_EQ(g.Rows(1)->CommaText(), "p,q,,,");

  // Columns work the same way down the rows.
  g.Cols(4)->SetCommaText("h,a,b");
  EXPECT_EQ(g.Cells(4, 0), "h");
  EXPECT_EQ(g.Cells(4, 2), "b");
  EXPECT_EQ(g.Cols(4)->Count(), 5);
  EXPECT_EQ(g.Cols(0)->Strings(3), "one");

  EXPECT_THROW(g.Rows(1)->Insert(0, "z"), EInvalidGridOperation);
  EXPECT_THROW(g.Cols(1)->Delete(0), EInvalidGridOperation);
  EXPECT_EQ(g.Rows(1), g.Rows(1));  // the same list each time
}

TEST(GridStringStore, CountsAndFixedCells) {
  TStringGrid g(nullptr);
  EXPECT_EQ(g.FixedCols(), 1);
  EXPECT_EQ(g.FixedRows(), 1);
  EXPECT_EQ(g.DefaultColWidth(), 64);
  EXPECT_EQ(g.DefaultRowHeight(), 24);
  EXPECT_EQ(g.GridLineWidth(), 1);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 1);
  EXPECT_THROW(g.SetFixedRows(5), EInvalidGridOperation);
  EXPECT_THROW(g.SetFixedCols(-1), EInvalidGridOperation);
  EXPECT_THROW(g.SetColWidths(5, 10), EInvalidGridOperation);
  // A count at or below the fixed count takes the fixed cells down with it.
  g.SetRowCount(1);
  EXPECT_EQ(g.FixedRows(), 0);
  EXPECT_EQ(g.Row(), 0);
  g.SetRowCount(0);
  EXPECT_EQ(g.RowCount(), 1);
  // The cursor stays inside a grid that shrinks.
  g.SetRowCount(10);
  g.SetRow(9);
  g.SetRowCount(4);
  EXPECT_EQ(g.Row(), 3);
  g.SetDefaultRowHeight(30);
  EXPECT_EQ(g.RowHeights(2), 30);
  // Scaling takes the defaults and the sizes set one by one.
  g.SetColWidths(2, 50);
  g.ChangeScale(3, 2);
  EXPECT_EQ(g.DefaultColWidth(), 96);
  EXPECT_EQ(g.ColWidths(1), 96);
  EXPECT_EQ(g.ColWidths(2), 75);
  EXPECT_EQ(g.RowHeights(0), 45);
}

TEST_F(GridFixture, MovedAndDeletedRowsTakeTheirCells) {
  std::vector<std::pair<int, int>> moved;
  G->OnRowMoved = [&](TObject*, int from, int to) { moved.push_back({from, to}); };
  for (int r = 0; r < 6; ++r) G->SetCells(1, r, QString::number(r));
  G->SetRowHeights(2, 40);
  G->DeleteRow(2);
  EXPECT_EQ(moved, (std::vector<std::pair<int, int>>{{2, 99}}));
  EXPECT_EQ(G->RowCount(), 99);
  EXPECT_EQ(G->Cells(1, 2), "3");
  EXPECT_EQ(G->RowHeights(2), 24);
  // The deleted row does not come back when the grid grows again.
  G->SetRowCount(100);
  EXPECT_EQ(G->Cells(1, 99), QString());
  EXPECT_EQ(G->RowHeights(99), 24);

  G->SetColWidths(2, 90);
  G->SetCells(2, 5, "c2");
  G->SetCol(4);
  G->MoveColumn(2, 4);
  EXPECT_EQ(G->Cells(4, 5), "c2");
  EXPECT_EQ(G->ColWidths(4), 90);
  EXPECT_EQ(G->Col(), 3);  // the current column moved left with the others
}

// ----------------------------------------------------------------- geometry

TEST_F(GridFixture, CellRectAndMouseToCellAgreeUnderScrolling) {
  G->SetColWidths(3, 30);
  G->SetColWidths(7, 150);
  G->SetRowHeights(12, 60);
  const TRect client = G->ClientRect();
  for (auto [left, top] : {std::pair{1, 1}, std::pair{3, 10}, std::pair{6, 12}, std::pair{15, 90}}) {
    SCOPED_TRACE(testing::Message() << "left " << left << " top " << top);
    G->SetLeftCol(left);
    G->SetTopRow(top);
    EXPECT_EQ(G->LeftCol(), left);
    EXPECT_EQ(G->TopRow(), top);
    TGridDrawInfo info;
    G->CalcDrawInfo(info);
    int shown = 0;
    for (int c = 0; c < G->ColCount(); ++c)
      for (int r = 0; r < G->RowCount(); ++r) {
        const TRect rc = G->CellRect(c, r);
        const bool inView = (c == 0 || c >= left) && (r == 0 || r >= top);
        if (IsRectEmpty(rc)) {
          // Only cells scrolled away or beyond the client area have no rectangle.
          ASSERT_TRUE(!inView || c > info.Horz.LastVisibleCell() || r > info.Vert.LastVisibleCell())
              << c << "," << r;
          continue;
        }
        ASSERT_TRUE(inView) << c << "," << r;
        ++shown;
        int mc = -2, mr = -2;
        G->MouseToCell((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2, mc, mr);
        ASSERT_EQ(mc, c);
        ASSERT_EQ(mr, r);
        ASSERT_EQ(G->MouseCoord(rc.Left, rc.Top), (TGridCoord{c, r}));
      }
    EXPECT_GT(shown, 10);
    // The visible counts are the scrolling cells that fit whole.
    const int lastCol = left + G->VisibleColCount() - 1;
    EXPECT_LE(G->CellRect(lastCol, 0).Right, client.Right);
    EXPECT_EQ(G->CellRect(lastCol, 0).Width(), G->ColWidths(lastCol));
    const int lastRow = top + G->VisibleRowCount() - 1;
    EXPECT_EQ(G->CellRect(0, lastRow).Height(), G->RowHeights(lastRow));
  }
  int c = 0, r = 0;
  G->MouseToCell(-5, 10, c, r);
  EXPECT_EQ(c, -1);
  EXPECT_EQ(r, 0);
}

// --------------------------------------------------------------------- keys

TEST_F(GridFixture, StandardKeyMoves) {
  struct TCase {
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    TGridCoord Start, StartTopLeft;
    TGridCoord Cell, TopLeft;
  };
  // 383 x 283 pixels of client area: 4 whole columns and 10 whole rows scroll;
  // the left column goes up to 16, the top row up to 90.
  const TCase cases[] = {
      {Qt::Key_Down, Qt::NoModifier, {2, 5}, {1, 1}, {2, 6}, {1, 1}},
      {Qt::Key_Up, Qt::NoModifier, {2, 1}, {1, 1}, {2, 1}, {1, 1}},
      {Qt::Key_Right, Qt::NoModifier, {4, 5}, {1, 1}, {5, 5}, {2, 1}},
      {Qt::Key_Left, Qt::NoModifier, {3, 5}, {3, 1}, {2, 5}, {2, 1}},
      {Qt::Key_PageDown, Qt::NoModifier, {2, 5}, {1, 1}, {2, 15}, {1, 11}},
      {Qt::Key_PageUp, Qt::NoModifier, {2, 25}, {1, 20}, {2, 15}, {1, 10}},
      {Qt::Key_PageUp, Qt::NoModifier, {2, 5}, {1, 3}, {2, 1}, {1, 1}},
      {Qt::Key_Home, Qt::NoModifier, {7, 5}, {4, 1}, {1, 5}, {1, 1}},
      {Qt::Key_End, Qt::NoModifier, {2, 5}, {1, 1}, {19, 5}, {16, 1}},
      {Qt::Key_Home, Qt::ControlModifier, {7, 50}, {4, 45}, {1, 1}, {1, 1}},
      {Qt::Key_End, Qt::ControlModifier, {2, 5}, {1, 1}, {19, 99}, {16, 90}},
      {Qt::Key_PageUp, Qt::ControlModifier, {2, 30}, {1, 25}, {2, 25}, {1, 25}},
      {Qt::Key_PageDown, Qt::ControlModifier, {2, 30}, {1, 25}, {2, 34}, {1, 25}},
      {Qt::Key_Down, Qt::ControlModifier, {2, 30}, {1, 25}, {2, 30}, {1, 26}},
      {Qt::Key_Up, Qt::ControlModifier, {2, 30}, {1, 25}, {2, 30}, {1, 24}},
      {Qt::Key_Right, Qt::ControlModifier, {2, 30}, {1, 25}, {6, 30}, {5, 25}},
      {Qt::Key_Left, Qt::ControlModifier, {12, 30}, {10, 25}, {8, 30}, {6, 25}},
      {Qt::Key_Down, Qt::NoModifier, {2, 99}, {1, 90}, {2, 99}, {1, 90}},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(testing::Message() << "key " << t.Key << " from " << t.Start.X << "," << t.Start.Y);
    G->SetSelection({t.Start.X, t.Start.Y, t.Start.X, t.Start.Y});
    G->SetLeftCol(t.StartTopLeft.X);
    G->SetTopRow(t.StartTopLeft.Y);
    ASSERT_EQ(G->LeftCol(), t.StartTopLeft.X);
    ASSERT_EQ(G->TopRow(), t.StartTopLeft.Y);
    Key(t.Key, t.Mods);
    EXPECT_EQ((TGridCoord{G->Col(), G->Row()}), t.Cell);
    EXPECT_EQ((TGridCoord{G->LeftCol(), G->TopRow()}), t.TopLeft);
    EXPECT_EQ(G->Selection(), (TGridRect{t.Cell.X, t.Cell.Y, t.Cell.X, t.Cell.Y}));
  }
}

TEST_F(GridFixture, OnKeyDownComesFirstAndMayTakeTheKey) {
  QStringList log;
  G->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
    log << QStringLiteral("key %1 at row %2").arg(key).arg(G->Row());
    if (key == VK_UP) key = 0;
  };
  G->OnClick = [&](TObject*) { log << QStringLiteral("click at row %1").arg(G->Row()); };
  Key(Qt::Key_Down);
  Key(Qt::Key_Up);
  EXPECT_EQ(log, QStringList({"key 40 at row 1", "click at row 2", "key 38 at row 2"}));
  EXPECT_EQ(G->Row(), 2);
}

TEST_F(GridFixture, TabMovesAlongTheRowOnlyWithGoTabs) {
  auto* other = new TProbe(F.Form, F.Form, "Other", nullptr);
  other->SetBounds(420, 0, 40, 40);
  G->SetSelection({19, 4, 19, 4});
  G->SetOptions(G->Options() + TGridOptions{goTabs});
  G->SetTabStops(1, false);
  Key(Qt::Key_Tab);
  EXPECT_EQ((TGridCoord{G->Col(), G->Row()}), (TGridCoord{2, 5}));
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ((TGridCoord{G->Col(), G->Row()}), (TGridCoord{19, 4}));
  EXPECT_TRUE(G->Focused());
  // Without goTabs Tab leaves the grid.
  G->SetOptions(G->Options() - TGridOptions{goTabs});
  Key(Qt::Key_Tab);
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(G->Col(), 19);
}

TEST_F(GridFixture, ShiftExtendsTheRangeFromTheAnchor) {
  G->SetCol(3);
  G->SetRow(4);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(G->Selection(), (TGridRect{2, 4, 3, 6}));
  EXPECT_EQ((TGridCoord{G->Col(), G->Row()}), (TGridCoord{2, 6}));
  Key(Qt::Key_Right);
  EXPECT_EQ(G->Selection(), (TGridRect{3, 6, 3, 6}));
  // Without goRangeSelect Shift only moves.
  G->SetOptions(G->Options() - TGridOptions{goRangeSelect});
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(G->Selection(), (TGridRect{3, 7, 3, 7}));
}

TEST_F(GridFixture, RowSelectModeSelectsWholeRows) {
  G->SetOptions(G->Options() + TGridOptions{goRowSelect});
  G->SetRow(5);
  EXPECT_EQ(G->Selection(), (TGridRect{1, 5, 19, 5}));
  EXPECT_EQ(G->Col(), 1);
  Key(Qt::Key_Left);
  EXPECT_EQ(G->Row(), 4);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  EXPECT_EQ(G->Row(), 6);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(G->Selection(), (TGridRect{1, 6, 19, 7}));
  Key(Qt::Key_End);
  EXPECT_EQ(G->Row(), 99);
  Key(Qt::Key_Home);
  EXPECT_EQ(G->Row(), 1);
  Key(Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(G->LeftCol(), 1);
}

// ----------------------------------------------------------------- painting

TEST_F(GridFixture, DrawCellIsAskedForExactlyTheVisibleCells) {
  G->SetLeftCol(3);
  G->SetTopRow(10);
  G->SetSelection({4, 11, 5, 12});  // the current cell goes to (5, 12)
  G->Calls.clear();
  G->PaintNow();
  TGridDrawInfo info;
  G->CalcDrawInfo(info);
  std::set<std::pair<int, int>> expected;
  for (int c : {0}) expected.insert({c, 0});
  for (int c = 3; c <= info.Horz.LastVisibleCell(); ++c) expected.insert({c, 0});
  for (int r = 10; r <= info.Vert.LastVisibleCell(); ++r) {
    expected.insert({0, r});
    for (int c = 3; c <= info.Horz.LastVisibleCell(); ++c) expected.insert({c, r});
  }
  std::set<std::pair<int, int>> got;
  bool normalSeen = false;
  for (const TTestGrid::TCall& call : G->Calls) {
    SCOPED_TRACE(testing::Message() << call.Col << "," << call.Row);
    EXPECT_TRUE(got.insert({call.Col, call.Row}).second) << "asked twice";
    const bool fixed = call.Col == 0 || call.Row == 0;
    EXPECT_FALSE(fixed && normalSeen) << "fixed cells come first";
    normalSeen = normalSeen || !fixed;
    EXPECT_EQ(call.State.contains(gdFixed), fixed);
    EXPECT_EQ(call.State.contains(gdSelected), !fixed && call.Col >= 4 && call.Col <= 5 && call.Row >= 11 && call.Row <= 12);
    EXPECT_EQ(call.State.contains(gdFocused), call.Col == 5 && call.Row == 12);
    const TRect rc = G->CellRect(call.Col, call.Row);
    EXPECT_EQ(call.Rect.TopLeft(), rc.TopLeft());
    EXPECT_EQ(call.Rect.Width(), G->ColWidths(call.Col));
    EXPECT_EQ(call.Rect.Height(), G->RowHeights(call.Row));
  }
  EXPECT_EQ(got, expected);

  // Without the focus no cell is drawn focused.
  auto* other = new TProbe(F.Form, F.Form, "Other", nullptr);
  other->SetBounds(420, 0, 40, 40);
  other->SetFocus();
  G->Calls.clear();
  G->PaintNow();
  for (const TTestGrid::TCall& call : G->Calls) EXPECT_FALSE(call.State.contains(gdFocused));
}

TEST_F(GridFixture, PaintsCellsAndFillsBeyondThem) {
  G->SetColCount(3);
  G->SetRowCount(3);
  G->SetCells(2, 2, "text");
  G->PaintNow();
  const QImage img = G->BackBuffer()->copy();
  auto pixel = [&](int x, int y) { return img.pixel(At(x, y)) & 0xFFFFFF; };
  auto rgb = [](TColor c) {
    const TColor v = ColorToRGB(c);
    return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF) & 0xFFFFFF;
  };
  EXPECT_EQ(pixel(300, 100), rgb(clWindow));  // right of the last column
  EXPECT_EQ(pixel(100, 200), rgb(clWindow));  // below the last row
  // A fixed cell has the fixed colour inside its raised edge, the lines between
  // normal cells are silver.
  EXPECT_EQ(pixel(30, 12), rgb(clBtnFace));
  EXPECT_EQ(pixel(129, 60), rgb(clSilver));
  // The text of cell (2, 2) is written in its top-left corner.
  bool dark = false;
  for (int x = 133; x < 190 && !dark; ++x)
    for (int y = 53; y < 70 && !dark; ++y) dark = qGray(img.pixel(At(x, y))) < 100;
  EXPECT_TRUE(dark);
}

// A cell written in view is repainted alone, one out of view not at all; while
// redrawing is off (a bulk change) a write marks nothing for repainting.
TEST_F(GridFixture, AWrittenCellIsRepaintedAloneAndNotWhileRedrawingIsOff) {
  G->PaintNow();
  G->Calls.clear();
  G->SetCells(2, 3, "in view");
  G->SetCells(2, 90, "out of view");
  G->Update();
  std::set<std::pair<int, int>> painted;
  for (const TTestGrid::TCall& call : G->Calls) painted.insert({call.Col, call.Row});
  EXPECT_EQ(painted, (std::set<std::pair<int, int>>{{2, 3}}));

  G->Calls.clear();
  G->Perform(WM_SETREDRAW, 0, 0);
  G->SetCells(3, 3, "while off");
  G->Perform(WM_SETREDRAW, 1, 0);
  G->Update();
  EXPECT_TRUE(G->Calls.empty());
  EXPECT_EQ(G->Cells(3, 3), "while off");
}

// A draw grid that writes the same texts as a string grid through the canvas's
// own TextRect: what the string grid's quicker way of writing must look like.
class TCanvasTextGrid : public TDrawGrid {
 public:
  using TDrawGrid::TDrawGrid;
  const TStringGrid* Texts = nullptr;

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
    Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Texts->Cells(ACol, ARow));
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

// Texts written by the string grid (shaped once, clipped only where they reach
// beyond the cell) look pixel for pixel as the canvas writes them: plain and
// selected cells, texts longer than their cell, texts beyond Latin-1, other
// faces, and again after a text changed.
TEST_F(GridFixture, CellTextsLookAsTheCanvasWritesThem) {
  auto* ref = new TCanvasTextGrid(F.Form);
  ref->SetParent(F.Form);
  ref->SetBorderStyle(bsNone);
  ref->SetBounds(0, 0, 400, 300);
  ref->Texts = G;
  for (TCustomGrid* g : {static_cast<TCustomGrid*>(G), static_cast<TCustomGrid*>(ref)}) {
    auto* d = static_cast<TDrawGrid*>(g);
    d->SetColCount(20);
    d->SetRowCount(100);
    d->SetColWidths(2, 20);  // too narrow for its texts
    d->SetRowHeights(3, 8);  // too low
  }
  G->SetCells(0, 0, "corner");
  G->SetCells(1, 1, "r1c1");
  G->SetCells(2, 1, "a long text in a narrow column");
  G->SetCells(3, 2, QString::fromUtf8("\u65e5\u672c \u20ac 12"));
  G->SetCells(1, 3, "low row");
  G->SetCells(4, 4, "gjpqy|");
  G->SetCells(5, 5, "1234567890123");
  G->SetSelection({1, 1, 2, 2});
  ref->SetSelection({1, 1, 2, 2});
  // Neither grid has the focus, so both draw the current cell alike.
  auto* other = new TProbe(F.Form, F.Form, "Other", nullptr);
  other->SetBounds(420, 0, 40, 40);
  other->SetFocus();
  auto same = [&](const char* what) {
    G->PaintNow();
    const QImage mine = G->BackBuffer()->copy();
    ref->PaintNow();
    const QImage theirs = ref->BackBuffer()->copy();
    ASSERT_EQ(mine.size(), theirs.size());
    int differ = 0;
    QRect where;
    for (int y = 0; y < mine.height(); ++y)
      for (int x = 0; x < mine.width(); ++x)
        if (mine.pixel(x, y) != theirs.pixel(x, y)) {
          ++differ;
          where |= QRect(x, y, 1, 1);
        }
    EXPECT_EQ(differ, 0) << what << " in " << where.x() << "," << where.y() << " " << where.width() << "x"
                         << where.height();
  };
  same("first paint");
  same("from the shaped texts");
  G->SetCells(1, 1, "changed");
  G->SetCells(4, 4, "");
  same("after a change");
  G->SetSelection({5, 5, 5, 5});
  ref->SetSelection({5, 5, 5, 5});
  same("in other colours");
  for (TCustomGrid* g : {static_cast<TCustomGrid*>(G), static_cast<TCustomGrid*>(ref)}) {
    g->Font()->SetStyle(TFontStyles{fsItalic, fsBold});
    g->Font()->SetSize(12);
  }
  same("bold italic");
  for (TCustomGrid* g : {static_cast<TCustomGrid*>(G), static_cast<TCustomGrid*>(ref)}) {
    g->Font()->SetName("Courier New");
    g->Font()->SetStyle(TFontStyles{});
  }
  same("another face");
}

// -------------------------------------------------------------------- mouse

TEST_F(GridFixture, ClickSelectsAndDragExtendsTheRange) {
  int clicks = 0;
  G->OnClick = [&](TObject*) { ++clicks; };
  QTest::mouseClick(G->View(), Qt::LeftButton, {}, CellCenter(2, 3));
  EXPECT_EQ((TGridCoord{G->Col(), G->Row()}), (TGridCoord{2, 3}));
  EXPECT_EQ(clicks, 1);
  QTest::mousePress(G->View(), Qt::LeftButton, {}, CellCenter(3, 2));
  QTest::mouseMove(G->View(), CellCenter(4, 4));
  QTest::mouseMove(G->View(), CellCenter(5, 5));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, CellCenter(5, 5));
  EXPECT_EQ(G->Selection(), (TGridRect{3, 2, 5, 5}));
  EXPECT_EQ((TGridCoord{G->Col(), G->Row()}), (TGridCoord{3, 2}));
  EXPECT_EQ(G->GridState(), gsNormal);
  EXPECT_EQ(G->LeftCol(), 2);  // the partly visible column 5 was brought into view
  QTest::mouseClick(G->View(), Qt::LeftButton, Qt::ShiftModifier, CellCenter(2, 4));
  EXPECT_EQ(G->Selection(), (TGridRect{2, 2, 3, 4}));
  // A click on a fixed cell selects nothing.
  QTest::mouseClick(G->View(), Qt::LeftButton, {}, CellCenter(4, 0));
  EXPECT_EQ(G->Selection(), (TGridRect{2, 2, 3, 4}));
}

TEST_F(GridFixture, DraggingPastTheEdgeScrollsOnTheTimer) {
  QTest::mousePress(G->View(), Qt::LeftButton, {}, CellCenter(2, 9));
  QTest::mouseMove(G->View(), At(100, 295));  // below the last row, the mouse captured
  const int top = G->TopRow();
  G->Perform(WM_TIMER, 1, 0);
  G->Perform(WM_TIMER, 1, 0);
  EXPECT_EQ(G->TopRow(), top + 2);
  EXPECT_EQ(G->Selection().Bottom, G->TopRow() + G->VisibleRowCount() - 1);
  QTest::mouseMove(G->View(), At(100, 5));  // above the scrolling rows
  G->Perform(WM_TIMER, 1, 0);
  EXPECT_EQ(G->TopRow(), top + 1);
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(100, 5));
  EXPECT_EQ(G->GridState(), gsNormal);
  // The range runs from the pressed cell to the row the timer reached.
  EXPECT_EQ(G->Selection(), (TGridRect{1, top + 1, 2, 9}));
}

TEST_F(GridFixture, ColumnAndRowSizedByDraggingAHeaderEdge) {
  G->SetOptions(G->Options() + TGridOptions{goColSizing, goRowSizing});
  // Column 2 ends at 194; grabbed 2 pixels to its right and let go 36 pixels further.
  QTest::mousePress(G->View(), Qt::LeftButton, {}, At(196, 10));
  EXPECT_EQ(G->GridState(), gsColSizing);
  QTest::mouseMove(G->View(), At(215, 12));
  QTest::mouseMove(G->View(), At(232, 12));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(232, 12));
  EXPECT_EQ(G->ColWidths(2), 100);
  EXPECT_EQ(G->ColWidths(1), 64);
  EXPECT_EQ(G->GridState(), gsNormal);
  EXPECT_EQ(G->CellRect(3, 1).Left, 65 + 65 + 101);
  // Row 3 ends at 99; dragged 20 pixels up.
  QTest::mousePress(G->View(), Qt::LeftButton, {}, At(30, 99));
  EXPECT_EQ(G->GridState(), gsRowSizing);
  QTest::mouseMove(G->View(), At(30, 79));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(30, 79));
  EXPECT_EQ(G->RowHeights(3), 4);
  // Over an edge the pointer shows the splitter.
  QTest::mouseMove(G->View(), At(230, 10));
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHSplit));
  QTest::mouseMove(G->View(), At(30, 74));
  EXPECT_EQ(GetCursor(), Screen->Cursors(crVSplit));
  QTest::mouseMove(G->View(), At(160, 160));
  EXPECT_NE(GetCursor(), Screen->Cursors(crVSplit));
  // Away from an edge, or without the option, a press does not size.
  QTest::mousePress(G->View(), Qt::LeftButton, {}, At(160, 10));
  EXPECT_EQ(G->GridState(), gsNormal);
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(160, 10));
  G->SetOptions(G->Options() - TGridOptions{goColSizing});
  QTest::mousePress(G->View(), Qt::LeftButton, {}, At(65 + 65 + 101 + 64, 10));
  EXPECT_EQ(G->GridState(), gsNormal);
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(65 + 65 + 101 + 64, 10));
}

TEST_F(GridFixture, ColumnMovedByDraggingItsHeader) {
  G->SetOptions(G->Options() + TGridOptions{goColMoving, goRowMoving});
  std::vector<std::tuple<int, int>> moved;
  G->OnColumnMoved = [&](TObject*, int from, int to) { moved.push_back({from, to}); };
  for (int c = 0; c < 6; ++c) G->SetCells(c, 0, QString("h%1").arg(c));
  G->SetColWidths(1, 50);
  QTest::mousePress(G->View(), Qt::LeftButton, {}, CellCenter(1, 0));
  EXPECT_EQ(G->GridState(), gsColMoving);
  QTest::mouseMove(G->View(), CellCenter(2, 0));
  QTest::mouseMove(G->View(), CellCenter(3, 0));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, CellCenter(3, 0));
  EXPECT_EQ(moved, (std::vector<std::tuple<int, int>>{{1, 3}}));
  EXPECT_EQ(G->Rows(0)->CommaText(), "h0,h2,h3,h1,h4,h5" + QString(14, ','));
  EXPECT_EQ(G->ColWidths(3), 50);
  EXPECT_EQ(G->ColWidths(1), 64);
  // A press that does not move moves nothing; rows move by their fixed column.
  QTest::mouseClick(G->View(), Qt::LeftButton, {}, CellCenter(2, 0));
  EXPECT_EQ(moved.size(), 1u);
  G->SetCells(1, 2, "r2");
  QTest::mousePress(G->View(), Qt::LeftButton, {}, CellCenter(0, 2));
  EXPECT_EQ(G->GridState(), gsRowMoving);
  QTest::mouseMove(G->View(), CellCenter(0, 4));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, CellCenter(0, 4));
  EXPECT_EQ(G->Cells(1, 4), "r2");
}

TEST_F(GridFixture, WheelMovesTheCurrentRowAndScrolls) {
  Wheel(-120);
  EXPECT_EQ(G->Row(), 2);
  Wheel(-360);
  EXPECT_EQ(G->Row(), 5);
  Wheel(120);
  EXPECT_EQ(G->Row(), 4);
  for (int i = 0; i < 20; ++i) Wheel(-120);
  EXPECT_EQ(G->Row(), 24);
  EXPECT_EQ(G->TopRow(), 24 - G->VisibleRowCount() + 1);
  // A handler that takes the wheel keeps the grid where it is.
  G->OnMouseWheelDown = [](TObject*, TShiftState, TPoint, bool& handled) { handled = true; };
  Wheel(-120);
  EXPECT_EQ(G->Row(), 24);
}

// -------------------------------------------------------------- scroll bars

TEST_F(GridFixture, ScrollBarsFollowTheGridAndMoveIt) {
  HWND h = G->Handle();
  EXPECT_NE(G->WindowStyle() & WS_VSCROLL, 0u);
  EXPECT_NE(G->WindowStyle() & WS_HSCROLL, 0u);
  int lo = -1, hi = -1;
  GetScrollRange(h, SB_VERT, &lo, &hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 127);
  const int visible = G->VisibleRowCount();
  const int maxTop = G->RowCount() - visible;
  G->SetTopRow(50);
  EXPECT_EQ(GetScrollPos(h, SB_VERT), GridScrollPos(50, 1, 100, visible));
  struct TCase {
    int Code, Pos, Top;
  };
  for (TCase t : {TCase{SB_LINEDOWN, 0, 51}, TCase{SB_LINEUP, 0, 50}, TCase{SB_PAGEDOWN, 0, 50 + visible},
                  TCase{SB_PAGEUP, 0, 50}, TCase{SB_THUMBTRACK, 127, 50}, TCase{SB_THUMBPOSITION, 127, maxTop},
                  TCase{SB_TOP, 0, 1}, TCase{SB_BOTTOM, 0, maxTop}}) {
    G->Perform(WM_VSCROLL, MAKEWPARAM(t.Code, t.Pos), 0);
    EXPECT_EQ(G->TopRow(), t.Top) << t.Code;
  }
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 127);
  G->SetOptions(G->Options() + TGridOptions{goThumbTracking});
  G->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
  EXPECT_EQ(G->TopRow(), 1);
  G->Perform(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(G->LeftCol(), 2);
  // A grid whose cells all fit has no bars and shows its first cells.
  G->SetTopRow(40);
  G->SetRowCount(5);
  G->SetColCount(3);
  EXPECT_EQ(G->WindowStyle() & (WS_VSCROLL | WS_HSCROLL), 0u);
  EXPECT_EQ(G->TopRow(), 1);
  EXPECT_EQ(G->LeftCol(), 1);
}

}  // namespace

// -------------------------------------------------------------------- editor

class GridEditor : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    G->SetOptions(G->Options() + TGridOptions{goEditing});
    G->SetCells(2, 3, "abc");
    G->SetCol(2);
    G->SetRow(3);
    G->OnSetEditText = [this](TObject*, int c, int r, const QString& v) {
      Stored << QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(v);
    };
  }
  TInplaceEdit* Editor() const { return G->InplaceEditor(); }
  bool EditorShown() const { return Editor() != nullptr && Editor()->Visible(); }
  void Type(Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    QTest::keyClick(Editor()->View(), K, Mods);
    QApplication::processEvents();
  }
  QStringList Stored;
};

TEST_F(GridEditor, F2OpensTheEditorAndEnterStoresTheText) {
  EXPECT_FALSE(EditorShown());
  Key(Qt::Key_F2);
  ASSERT_TRUE(EditorShown());
  EXPECT_TRUE(G->EditorMode());
  EXPECT_TRUE(Editor()->Focused());
  EXPECT_EQ(Editor()->Text(), "abc");
  EXPECT_EQ(Editor()->SelStart(), 3);  // F2 puts the caret at the end
  EXPECT_EQ(Editor()->SelLength(), 0);
  EXPECT_EQ(Editor()->BoundsRect(), G->CellRect(2, 3));
  Type(Qt::Key_D);
  EXPECT_EQ(Editor()->Text(), "abcd");
  EXPECT_EQ(G->Cells(2, 3), "abc");  // nothing reaches the cell before the editor closes
  Type(Qt::Key_Return);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_FALSE(EditorShown());
  EXPECT_TRUE(G->Focused());
  EXPECT_EQ(G->Cells(2, 3), "abcd");
  EXPECT_EQ(Stored, QStringList({"2,3=abcd"}));
  // Enter on the grid opens the editor again, with the whole text selected.
  Key(Qt::Key_Return);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->SelLength(), 4);
}

TEST_F(GridEditor, TypingOpensTheEditorWithTheCharacter) {
  QStringList pressed;
  G->OnKeyPress = [&](TObject*, QChar& c) { pressed << QString(c); };
  Key(Qt::Key_X);
  QApplication::processEvents();
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "x");  // the character replaces the cell's text
  Type(Qt::Key_Y);
  Type(Qt::Key_Return);
  EXPECT_EQ(G->Cells(2, 3), "xy");
  EXPECT_EQ(pressed, QStringList({"x", "y", "\r"}));
  // Without goEditing a typed character opens nothing.
  G->SetOptions(G->Options() - TGridOptions{goEditing});
  Key(Qt::Key_Z);
  QApplication::processEvents();
  EXPECT_FALSE(EditorShown());
}

TEST_F(GridEditor, EscapePutsTheTextBackAndCloses) {
  std::vector<Word> keys;
  G->OnKeyDown = [&](TObject*, Word& k, TShiftState) { keys.push_back(k); };
  Key(Qt::Key_F2);
  Type(Qt::Key_Backspace);
  Type(Qt::Key_Z);
  EXPECT_EQ(Editor()->Text(), "abz");
  Type(Qt::Key_Escape);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(G->Cells(2, 3), "abc");
  EXPECT_TRUE(G->Focused());
  // The grid heard of every key, the editor's ones included.
  EXPECT_EQ(keys, (std::vector<Word>{VK_F2, VK_BACK, 'Z', VK_ESCAPE}));
}

TEST_F(GridEditor, MovingOnStoresTheTextFirst) {
  Key(Qt::Key_F2);
  Type(Qt::Key_1);
  // Down goes to the grid: the text reaches its cell, then the cursor moves.
  std::vector<QString> atMove;
  G->OnSelectCell = [&](TObject*, int c, int r, bool&) { atMove.push_back(G->Cells(2, 3) + QStringLiteral("@%1,%2").arg(c).arg(r)); };
  Type(Qt::Key_Down);
  EXPECT_EQ(G->Cells(2, 3), "abc1");
  EXPECT_EQ(G->Row(), 4);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_FALSE(EditorShown());
  ASSERT_EQ(atMove.size(), 1u);
  // A click on the current cell opens the editor, a click elsewhere closes it.
  G->SetCells(2, 4, "def");
  QTest::mouseClick(G->View(), Qt::LeftButton, {}, CellCenter(2, 4));
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->SelLength(), 3);
  Type(Qt::Key_Q);
  QTest::mouseClick(G->View(), Qt::LeftButton, {}, CellCenter(4, 6));
  EXPECT_EQ(G->Cells(2, 4), "q");
  EXPECT_EQ((TGridCoord{G->Col(), G->Row()}), (TGridCoord{4, 6}));
  EXPECT_FALSE(EditorShown());
  // A refused move keeps the editor open on its cell.
  Key(Qt::Key_F2);
  G->OnSelectCell = [](TObject*, int, int, bool& can) { can = false; };
  Type(Qt::Key_Up);
  EXPECT_EQ(G->Row(), 6);
  EXPECT_TRUE(EditorShown());
}

TEST_F(GridEditor, TheEditorClosesWhenTheFocusLeaves) {
  auto* other = new TProbe(F.Form, F.Form, "Other", nullptr);
  other->SetBounds(420, 0, 40, 40);
  Key(Qt::Key_F2);
  Type(Qt::Key_9);
  other->SetFocus();
  EXPECT_FALSE(G->EditorMode());
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(G->Cells(2, 3), "abc9");
  EXPECT_TRUE(other->Focused());
}

TEST_F(GridEditor, EditTextHooksAndCellWritesWhileEditing) {
  G->OnGetEditText = [](TObject*, int, int, QString& v) { v = "[" + v + "]"; };
  Key(Qt::Key_F2);
  EXPECT_EQ(Editor()->Text(), "[abc]");
  // Writing the edited cell from the program loads the editor again.
  G->SetCells(2, 3, "new");
  EXPECT_EQ(Editor()->Text(), "[new]");
  // The editor follows its cell when the grid scrolls, and hides while the cell is out of view.
  G->SetLeftCol(2);
  EXPECT_EQ(Editor()->BoundsRect(), G->CellRect(2, 3));
  G->SetTopRow(20);
  EXPECT_FALSE(Editor()->Visible());
  EXPECT_TRUE(G->EditorMode());
  G->SetTopRow(1);
  EXPECT_TRUE(Editor()->Visible());
  EXPECT_EQ(Editor()->BoundsRect(), G->CellRect(2, 3));
  G->SetEditorMode(false);
  EXPECT_EQ(G->Cells(2, 3), "[new]");
  EXPECT_EQ(Stored.back(), "2,3=[new]");
}
