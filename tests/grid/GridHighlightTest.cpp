// Highlighting, error marking and checking of cell text in the string grid.
#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <functional>

#include "common/RecordingCanvas.h"
#include "controls/PsgCheck.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_Highlight.h"
#include "platform/gdi/WinGdi.h"

namespace {

TEST(GridHighlightText, WrapsMatchesAndRemovesTagsInAnyCase) {
  const QString s = QStringLiteral("Alpha beta ALPHA");
  EXPECT_EQ(HilightText(false, s, QStringLiteral("alpha")),
            QStringLiteral("<hi>Alpha</hi> beta <hi>ALPHA</hi>"));
  EXPECT_EQ(HilightText(true, s, QStringLiteral("alpha")), s);
  EXPECT_EQ(UnHilightText(QStringLiteral("<HI>a</Hi>b")), QStringLiteral("ab"));
  EXPECT_EQ(MarkText(true, QStringLiteral("xyx"), QStringLiteral("y")), QStringLiteral("x<e>y</e>x"));
  EXPECT_EQ(UnMarkText(QStringLiteral("x<E>y</e>x")), QStringLiteral("xyx"));
  EXPECT_EQ(HilightText(false, s, QString()), s);
}

TEST(GridHighlightCells, EntitiesInTheCellAndTheRoundTrip) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 1, QStringLiteral("a<b"));
  g.HilightInCell(false, 1, 1, QStringLiteral("b"));
  EXPECT_EQ(g.Cells(1, 1), QStringLiteral("a&lt;<hi>b</hi>"));
  g.UnHilightInCell(1, 1);
  EXPECT_EQ(g.Cells(1, 1), QStringLiteral("a<b"));
}

// Highlighting and removing it again leaves every cell as it was, matched or
// not, whatever entity text or tag-like text it holds; an empty search text
// changes nothing.
TEST(GridHighlightCells, AMarkedRunIsPaintedWithARedWaveUnderIt) {
  TProStringGrid g(nullptr);
  g.SetColWidths(2, 300);
  g.SetCells(2, 2, QStringLiteral("right wrong right"));
  // The red lines of the cell as painted, and the text record of "wrong".
  auto paint = [&](TDrawRecord& Wrong) {
    TRecordingCanvas rc(400, 200);
    g.PaintCell(rc.Canvas(), 2, 2, g.CellRect(2, 2), TGridDrawState{});
    for (const TDrawRecord& r : rc.ShownTexts())
      if (r.Text == QLatin1String("wrong")) Wrong = r;
    std::vector<TDrawRecord> red;
    for (const TDrawRecord& r : rc.OfKind(dkLine))
      if (r.PenColor == COLORREF(ColorToRGB(clRed))) red.push_back(r);
    return red;
  };
  TDrawRecord wrong;
  EXPECT_TRUE(paint(wrong).empty());
  g.MarkInCell(false, 2, 2, QStringLiteral("wrong"));
  const auto red = paint(wrong);
  ASSERT_FALSE(red.empty());
  ASSERT_EQ(wrong.Text, QStringLiteral("wrong"));
  int minX = 100000, maxX = -1;
  for (const TDrawRecord& r : red) {
    minX = std::min({minX, r.P1.X, r.P2.X});
    maxX = std::max({maxX, r.P1.X, r.P2.X});
    EXPECT_GE(r.P1.Y, wrong.R.Bottom - 2);  // under the run's line
  }
  const int width = g.Canvas()->TextWidth(QStringLiteral("wrong"));
  EXPECT_LE(minX, wrong.R.Left);
  EXPECT_GE(maxX, wrong.R.Left + width - 4);
  EXPECT_LT(maxX, wrong.R.Left + width + 6);
  g.UnMarkInCell(2, 2);
  EXPECT_EQ(g.Cells(2, 2), QStringLiteral("right wrong right"));
  EXPECT_TRUE(paint(wrong).empty());
}

TEST(GridHighlightCells, HighlightThenRemoveGivesBackEveryCell) {
  const QStringList texts = {QStringLiteral("R&amp;D"), QStringLiteral("&lt;b&gt;"), QStringLiteral("a<b"),
                             QStringLiteral("x &amp; y"), QStringLiteral("<hi>typed x"),
                             QStringLiteral("&lt;x"), QStringLiteral("plain"), QString()};
  for (const bool mark : {false, true})
    for (const QString& search : {QStringLiteral("x"), QString()}) {
      TProStringGrid g(nullptr);
      g.SetColCount(3);
      g.SetRowCount(texts.size() + 1);
      for (int i = 0; i < texts.size(); ++i) g.SetCells(1, i + 1, texts[i]);
      if (mark)
        g.MarkInGrid(false, false, search);
      else
        g.HilightInGrid(false, false, search);
      for (int i = 0; i < texts.size(); ++i) {
        const bool matched = !search.isEmpty() && texts[i].contains(search);
        if (!matched) {
          EXPECT_EQ(g.Cells(1, i + 1), texts[i]) << "untouched without a match";
        }
      }
      if (mark)
        g.UnMarkInGrid(false);
      else
        g.UnHilightInGrid(false);
      for (int i = 0; i < texts.size(); ++i) {
        // Typed "<hi>" in a cell that was never highlighted reads as a tag.
        if (!mark && search.isEmpty() && texts[i].startsWith(QStringLiteral("<hi>"))) continue;
        EXPECT_EQ(g.Cells(1, i + 1), texts[i]) << texts[i].toStdString() << " mark " << mark;
      }
    }
}

TEST(GridHighlightCells, FixedCellsOnlyWithDoFixed) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 0, QStringLiteral("ab"));
  g.SetCells(1, 1, QStringLiteral("ab"));
  g.HilightInCol(false, false, 1, QStringLiteral("b"));
  EXPECT_EQ(g.Cells(1, 0), QStringLiteral("ab"));
  EXPECT_EQ(g.Cells(1, 1), QStringLiteral("a<hi>b</hi>"));
  g.UnHilightInCol(false, 1);
  EXPECT_EQ(g.Cells(1, 1), QStringLiteral("ab"));
  g.HilightInCol(true, false, 1, QStringLiteral("a"));
  EXPECT_EQ(g.Cells(1, 0), QStringLiteral("<hi>a</hi>b"));
  EXPECT_EQ(g.Cells(1, 1), QStringLiteral("<hi>a</hi>b"));
  g.UnHilightInCol(false, 1);
  EXPECT_EQ(g.Cells(1, 0), QStringLiteral("<hi>a</hi>b"));
  EXPECT_EQ(g.Cells(1, 1), QStringLiteral("ab"));
  g.UnHilightInCol(true, 1);
  EXPECT_EQ(g.Cells(1, 0), QStringLiteral("ab"));
}

// Highlighting the grid reaches the cells of hidden columns; marking it, as
// the mark operations always did, stops at the shown ones; removal reaches both.
TEST(GridHighlightCells, HiddenColumnsByOperation) {
  TProStringGrid g(nullptr);
  g.SetColCount(4);
  g.SetRowCount(3);
  for (int c = 1; c < 4; ++c) g.SetAllCells(c, 1, QStringLiteral("x"));
  g.HideColumn(3);
  g.HilightInGrid(false, false, QStringLiteral("x"));
  EXPECT_EQ(g.AllCells(3, 1), QStringLiteral("<hi>x</hi>"));
  g.UnHilightInGrid(false);
  EXPECT_EQ(g.AllCells(3, 1), QStringLiteral("x"));
  g.MarkInGrid(false, false, QStringLiteral("x"));
  EXPECT_EQ(g.AllCells(1, 1), QStringLiteral("<e>x</e>"));
  EXPECT_EQ(g.AllCells(3, 1), QStringLiteral("x"));
  g.UnMarkInGrid(false);
  EXPECT_EQ(g.AllCells(1, 1), QStringLiteral("x"));
}

// The ranges of every operation, on a grid of 8 real columns (fixed column 0,
// fixed right column 7, column 3 hidden) and 6 rows (fixed row 0, footer row 5).
// Each operation runs on cells that all hold a match (or all hold the tags, for
// a removal); the cells it changed are compared with the expected columns and rows.
TEST(GridHighlightCells, RangesOfEveryOperation) {
  using Op = std::function<void(TProStringGrid&)>;
  const QString x = QStringLiteral("x");
  const std::vector<int> one{4}, shownNormal{1, 2, 4, 5, 6}, allNormal{1, 2, 3, 4, 5, 6},
      shownAll{0, 1, 2, 4, 5, 6, 7}, all{0, 1, 2, 3, 4, 5, 6, 7};
  struct Case {
    const char* name;
    const char* tag;  // "hi" or "e"
    bool removes;
    Op op;
    std::vector<int> cols;  // real columns changed
    int fromRow, toRow;
  } cases[] = {
      {"HilightInCell", "hi", false, [&](auto& g) { g.HilightInCell(false, 4, 2, x); }, one, 2, 2},
      {"MarkInCell", "e", false, [&](auto& g) { g.MarkInCell(false, 4, 2, x); }, one, 2, 2},
      {"UnHilightInCell", "hi", true, [&](auto& g) { g.UnHilightInCell(4, 2); }, one, 2, 2},
      {"UnMarkInCell", "e", true, [&](auto& g) { g.UnMarkInCell(4, 2); }, one, 2, 2},
      {"HilightInCol", "hi", false, [&](auto& g) { g.HilightInCol(false, false, 4, x); }, one, 1, 4},
      {"HilightInCol fixed", "hi", false, [&](auto& g) { g.HilightInCol(true, false, 4, x); }, one, 0, 5},
      {"MarkInCol", "e", false, [&](auto& g) { g.MarkInCol(false, false, 4, x); }, one, 1, 4},
      {"MarkInCol fixed", "e", false, [&](auto& g) { g.MarkInCol(true, false, 4, x); }, one, 0, 5},
      {"UnHilightInCol", "hi", true, [&](auto& g) { g.UnHilightInCol(false, 4); }, one, 1, 4},
      {"UnHilightInCol fixed", "hi", true, [&](auto& g) { g.UnHilightInCol(true, 4); }, one, 0, 5},
      {"UnMarkInCol", "e", true, [&](auto& g) { g.UnMarkInCol(false, 4); }, one, 1, 4},
      {"UnMarkInCol fixed", "e", true, [&](auto& g) { g.UnMarkInCol(true, 4); }, one, 0, 5},
      {"HilightInRow", "hi", false, [&](auto& g) { g.HilightInRow(false, false, 2, x); }, shownNormal, 2, 2},
      {"HilightInRow fixed", "hi", false, [&](auto& g) { g.HilightInRow(true, false, 2, x); }, shownAll, 2, 2},
      {"MarkInRow", "e", false, [&](auto& g) { g.MarkInRow(false, false, 2, x); }, shownNormal, 2, 2},
      {"MarkInRow fixed", "e", false, [&](auto& g) { g.MarkInRow(true, false, 2, x); }, shownAll, 2, 2},
      {"UnHilightInRow", "hi", true, [&](auto& g) { g.UnHilightInRow(false, 2); }, allNormal, 2, 2},
      {"UnHilightInRow fixed", "hi", true, [&](auto& g) { g.UnHilightInRow(true, 2); }, all, 2, 2},
      {"UnMarkInRow", "e", true, [&](auto& g) { g.UnMarkInRow(false, 2); }, allNormal, 2, 2},
      {"UnMarkInRow fixed", "e", true, [&](auto& g) { g.UnMarkInRow(true, 2); }, all, 2, 2},
      {"HilightInGrid", "hi", false, [&](auto& g) { g.HilightInGrid(false, false, x); }, allNormal, 1, 4},
      {"HilightInGrid fixed", "hi", false, [&](auto& g) { g.HilightInGrid(true, false, x); }, all, 0, 5},
      {"MarkInGrid", "e", false, [&](auto& g) { g.MarkInGrid(false, false, x); }, shownNormal, 1, 4},
      {"MarkInGrid fixed", "e", false, [&](auto& g) { g.MarkInGrid(true, false, x); }, shownAll, 0, 5},
      {"UnHilightInGrid", "hi", true, [&](auto& g) { g.UnHilightInGrid(false); }, allNormal, 1, 4},
      {"UnHilightInGrid fixed", "hi", true, [&](auto& g) { g.UnHilightInGrid(true); }, all, 0, 5},
      {"UnMarkInGrid", "e", true, [&](auto& g) { g.UnMarkInGrid(false); }, allNormal, 1, 4},
      {"UnMarkInGrid fixed", "e", true, [&](auto& g) { g.UnMarkInGrid(true); }, all, 0, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString tagged = QStringLiteral("<%1>x</%1>").arg(QLatin1String(c.tag));
    const QString before = c.removes ? tagged : x, after = c.removes ? x : tagged;
    TProStringGrid g(nullptr);
    g.SetColCount(8);
    g.SetRowCount(6);
    g.SetFixedRightCols(1);
    g.SetFixedFooters(1);
    for (int col = 0; col < 8; ++col)
      for (int row = 0; row < 6; ++row) g.SetAllCells(col, row, before);
    g.HideColumn(3);
    ASSERT_EQ(g.ColCount(), 7);
    c.op(g);
    for (int col = 0; col < 8; ++col)
      for (int row = 0; row < 6; ++row) {
        const bool in = std::find(c.cols.begin(), c.cols.end(), col) != c.cols.end() && row >= c.fromRow &&
                        row <= c.toRow;
        EXPECT_EQ(g.AllGridCells(col, row), in ? after : before) << "column " << col << " row " << row;
      }
  }
}

// A merged block is highlighted once, at its base cell; the cells it covers keep
// what they hold.
TEST(GridHighlightCells, MergedCellsAreHighlightedOnceAtTheirBaseCell) {
  TProStringGrid g(nullptr);
  g.SetColWidths(1, 100);
  g.SetColWidths(2, 100);
  for (int c = 1; c <= 2; ++c)
    for (int r = 1; r <= 2; ++r) g.SetAllGridCells(c, r, QStringLiteral("x"));
  g.MergeCells(1, 1, 2, 2);
  g.HilightInGrid(false, false, QStringLiteral("x"));
  EXPECT_EQ(g.AllGridCells(1, 1), QStringLiteral("<hi>x</hi>"));
  for (const auto& [c, r] : {std::pair{2, 1}, std::pair{1, 2}, std::pair{2, 2}})
    EXPECT_EQ(g.AllGridCells(c, r), QStringLiteral("x")) << c << "," << r;
  // Painted once: the merged cell shows one highlighted run.
  TRecordingCanvas rc(400, 300);
  g.PaintCell(rc.Canvas(), 1, 1, g.CellRect(1, 1), TGridDrawState{});
  int runs = 0;
  for (const TDrawRecord& r : rc.ShownTexts())
    if (!(r.Flags & DT_CALCRECT) && r.Text == QLatin1String("x")) ++runs;
  EXPECT_EQ(runs, 1);
  g.UnHilightInGrid(false);
  for (int c = 1; c <= 2; ++c)
    for (int r = 1; r <= 2; ++r) EXPECT_EQ(g.AllGridCells(c, r), QStringLiteral("x"));
}

class TUpperChecker : public TProStringGridCheck {
 public:
  using TProStringGridCheck::TProStringGridCheck;
  QString Correct(int, int, const QString& S) override { return S.toUpper(); }
  void StartCheck() override { ++Starts; }
  void StopCheck() override { ++Stops; }
  int Starts = 0, Stops = 0;
};

TEST(GridCheck, CorrectingCheckerAndTheCursor) {
  TProStringGrid g(nullptr);
  EXPECT_TRUE(g.CheckGrid(false)) << "no checker: passes";
  TUpperChecker checker(nullptr);
  checker.SetUseCorrect(true);
  g.SetCellChecker(&checker);
  g.SetCells(1, 1, QStringLiteral("abc"));
  EXPECT_FALSE(g.CheckCell(1, 1));
  EXPECT_EQ(g.Cells(1, 1), QStringLiteral("ABC"));
  EXPECT_TRUE(g.CheckCell(1, 1));
  g.SetCells(2, 2, QStringLiteral("x"));
  checker.SetGotoCell(true);
  g.SetCol(3);
  g.SetRow(3);
  EXPECT_FALSE(g.CheckGrid(false));
  EXPECT_EQ(g.Cells(2, 2), QStringLiteral("X"));
  EXPECT_EQ(g.Col(), 3);
  EXPECT_EQ(g.Row(), 3);
  EXPECT_EQ(checker.Starts, 1);
  EXPECT_EQ(checker.Stops, 1);
}

TEST(GridCheck, BaseCheckerChangesNothing) {
  TProStringGrid g(nullptr);
  TProStringGridCheck checker(nullptr);
  checker.SetUseCorrect(true);
  checker.SetUseMarkError(true);
  g.SetCellChecker(&checker);
  g.SetCells(1, 1, QStringLiteral("a<e>b</e>"));
  EXPECT_TRUE(g.CheckCells(0, 0, g.ColCount() - 1, g.RowCount() - 1));
  EXPECT_EQ(g.Cells(1, 1), QStringLiteral("ab")) << "earlier marks are cleared";
}

}  // namespace
