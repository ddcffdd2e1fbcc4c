// Highlighting, error marking and checking of cell text in the string grid.
#include <gtest/gtest.h>

#include <QStringList>

#include "common/RecordingCanvas.h"
#include "controls/PsgCheck.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_Highlight.h"

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
