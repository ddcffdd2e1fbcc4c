// Clearing, trimming, colouring, merging and splitting ranges of cells.
#include <gtest/gtest.h>

#include "grid/ProGrid.h"

TEST(StringGridClear, RowsIncludeHiddenColumnsAndPropertiesGo) {
  TProStringGrid g(nullptr);
  for (int c = 0; c < 5; ++c) g.SetCells(c, 2, "x");
  g.HideColumn(3);
  g.GetCellProperties(1, 2)->SetReadOnly(true);
  g.ClearRows(2, 1);
  g.UnHideColumn(3);
  for (int c = 0; c < 5; ++c) EXPECT_EQ(g.Cells(c, 2), "") << c;
  EXPECT_FALSE(g.HasCellProperties(1, 2));
}

TEST(StringGridClear, DetachingLeavesThePropertiesAlive) {
  TProStringGrid g(nullptr);
  TCellProperties* p = g.GetCellProperties(1, 1);
  p->SetReadOnly(true);
  g.SetNilObjects(true);
  g.ClearRect(1, 1, 1, 1);
  g.SetNilObjects(false);
  EXPECT_FALSE(g.HasCellProperties(1, 1));
  g.SetGridObjects(2, 2, p);  // still a live object the grid keeps
  EXPECT_TRUE(g.GetCellProperties(2, 2)->ReadOnly());
  g.SetSearchInc("ab");
  g.SetCells(0, 0, "corner");
  g.Clear();
  EXPECT_EQ(g.SearchInc(), "");
  EXPECT_EQ(g.Cells(0, 0), "");
  EXPECT_FALSE(g.HasCellProperties(2, 2));
}

TEST(StringGridClear, NormalCellsSelectionAndHiddenRows) {
  TProStringGrid g(nullptr);
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 5; ++c) g.SetCells(c, r, "v");
  g.SetSelection(TGridRect{2, 3, 3, 4});
  g.ClearSelection();
  EXPECT_EQ(g.Cells(2, 3), "");
  EXPECT_EQ(g.Cells(1, 3), "v");
  g.ClearNormalCells();
  EXPECT_EQ(g.Cells(1, 1), "");
  EXPECT_EQ(g.Cells(0, 1), "v");
  EXPECT_EQ(g.Cells(1, 0), "v");
  g.HideRow(0);
  g.ClearAll();
  g.UnHideRowsAll();
  EXPECT_EQ(g.Cells(1, 0), "");
}

TEST(StringGridClear, TrimAndColour) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 1, "  a b ");
  g.TrimRow(1);
  EXPECT_EQ(g.Cells(1, 1), "a b");
  g.ColorRect(1, 1, 2, 2, clRed);
  EXPECT_EQ(g.GetCellProperties(2, 2)->BrushColor(), clRed);
}

TEST(StringGridMerge, RunsOfEqualCellsAndLevels) {
  TProStringGrid g(nullptr);
  g.SetColCount(6);
  const char* row[] = {"a", "b", "b", "c"};
  for (int c = 1; c <= 4; ++c) g.SetCells(c, 1, row[c - 1]);
  g.SetColCount(5);
  g.MergeRowCells(1, true);
  EXPECT_TRUE(g.IsMergedCell(2, 1));
  EXPECT_EQ(g.CellSpan(2, 1).X, 1);
  EXPECT_FALSE(g.IsMergedCell(1, 1));
  EXPECT_FALSE(g.IsMergedCell(4, 1));

  // Column 2's equal cells merge only inside column 1's merges without MainMerge.
  const char* outer[] = {"x", "x", "y", "y"};
  const char* inner[] = {"1", "1", "1", "2"};
  for (int r = 2; r <= 5; ++r) {
    g.SetCells(1, r, outer[r - 2]);
    g.SetCells(2, r, inner[r - 2]);
  }
  g.MergeColumnCells(1, true);  // rows 2-3 and 4-5 (row 1 differs)
  g.MergeColumnCells(2, false);
  EXPECT_TRUE(g.IsYMergedCell(2, 2));
  EXPECT_EQ(g.FullCell(2, 2).Bottom, 3);  // not across into row 4
  EXPECT_FALSE(g.IsMergedCell(2, 4));

  g.SplitColumnCells(2);
  EXPECT_FALSE(g.IsMergedCell(2, 2));
  EXPECT_TRUE(g.IsMergedCell(2, 1));  // a merge across columns stays
  g.SplitRowCells(1);
  EXPECT_FALSE(g.IsMergedCell(2, 1));
  g.SplitAllCells();
  EXPECT_FALSE(g.IsMergedCell(1, 2));
}
