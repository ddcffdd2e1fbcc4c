// Highlighting, error marking and checking of cell text in the string grid.
#include <gtest/gtest.h>

#include <QStringList>

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
