// Typed values, column and row calculations and the floating footer's values.
#include <gtest/gtest.h>

#include "grid/ProGrid.h"

namespace {

// Column 1 holds the numbers given in rows 1, 2, ...
void Fill(TProStringGrid& G, std::initializer_list<const char*> Texts) {
  G.SetRowCount(int(Texts.size()) + 1);
  int r = 1;
  for (const char* t : Texts) G.SetCells(1, r++, t);
}

}  // namespace

TEST(StringGridFloats, ReadsDisplayedNumbersAndWritesTheFloatFormat) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 1, "(1,234.50)");
  EXPECT_DOUBLE_EQ(g.Floats(1, 1), -1234.5);
  g.SetCells(1, 2, "abc");
  EXPECT_DOUBLE_EQ(g.Floats(1, 2), 0);
  g.SetCells(1, 3, "1-2");
  EXPECT_THROW(g.Floats(1, 3), EProGridError);
  g.SetFloats(1, 4, 3.14159);
  EXPECT_EQ(g.Cells(1, 4), "3.14");
  g.HideRow(4);
  EXPECT_DOUBLE_EQ(g.AllFloats(1, 4), 3.14);
}

TEST(StringGridCalc, ColumnStatistics) {
  TProStringGrid g(nullptr);
  Fill(g, {"1", "2", ""});
  EXPECT_DOUBLE_EQ(g.ColumnSum(1, -1, -1), 3);
  EXPECT_DOUBLE_EQ(g.ColumnAvg(1, -1, -1), 1);  // 3 over 3 rows
  EXPECT_DOUBLE_EQ(g.ColumnMin(1, 1, 3), 0);
  EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 3), 2);
  Fill(g, {"a", "A", "b", ""});
  EXPECT_DOUBLE_EQ(g.ColumnDistinct(1, -1, -1), 3);
  Fill(g, {"2", "4", "4", "4", "5", "5", "7", "9"});
  EXPECT_DOUBLE_EQ(g.ColumnStdDev(1, -1, -1), 2);
  Fill(g, {"1-2", "1"});
  EXPECT_THROW(g.ColumnMin(1, 1, 2), EProGridError);
  EXPECT_THROW(g.ColumnStdDev(1, 1, 2), EProGridError);
  g.OnColumnCalc = [](TObject*, int, int, int, double& Res) { Res = 42; };
  EXPECT_DOUBLE_EQ(g.ColumnCustomCalc(1, 1, 2), 42);
}

TEST(StringGridCalc, MergedCellsCountOnceAndRows) {
  TProStringGrid g(nullptr);
  Fill(g, {"5", "5", "1"});
  g.MergeCells(1, 1, 1, 2);  // row 2 is covered by row 1
  EXPECT_DOUBLE_EQ(g.ColumnSum(1, -1, -1), 6);
  g.SetCells(1, 3, "1");
  g.SetCells(2, 3, "2");
  g.SetCells(3, 3, "x");
  EXPECT_DOUBLE_EQ(g.RowSum(3, 1, 3), 3);
  EXPECT_DOUBLE_EQ(g.RowAvg(3, 1, 3), 1);
  EXPECT_DOUBLE_EQ(g.RowAvg(3, 3, 1), 0);
  EXPECT_DOUBLE_EQ(g.RowMax(3, 1, 3), 2);
  EXPECT_DOUBLE_EQ(g.RowMin(3, 1, 2), 1);
}

// With one hidden row the footer's range ends exactly at the last row shown:
// the hidden row counts and the footer's own value does not.
TEST(StringGridCalc, FooterSumsAllOtherRowsHiddenOnesIncluded) {
  TProStringGrid g(nullptr);
  Fill(g, {"1", "2", "3", "4", ""});  // row 5 is the footer row
  g.FloatingFooter()->SetVisible(true);
  g.HideRow(2);
  g.FloatingFooter()->SetColumnCalc(1, acSUM);
  g.FloatingFooter()->SetColumnCalc(2, acCOUNT);
  EXPECT_EQ(g.Cells(1, g.RowCount() - 1), "10.00");
  EXPECT_EQ(g.Cells(2, g.RowCount() - 1), "4");
  g.FloatingFooter()->SetCalculateHiddenRows(false);
  g.CalcFooter(-1);
  EXPECT_EQ(g.Cells(1, g.RowCount() - 1), "8.00");
  g.FloatingFooter()->SetColumnCalc(3, acCUSTOM);
  g.OnFooterCalc = [](TObject*, int ACol, int, QString& Value) {
    Value = QString("col %1").arg(ACol);
  };
  g.CalcFooter(3);
  EXPECT_EQ(g.Cells(3, g.RowCount() - 1), "col 3");
}
