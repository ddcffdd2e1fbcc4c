// Hidden columns and rows of the string grid and the index translation.
#include <gtest/gtest.h>

#include <vector>

#include "grid/ProGrid.h"

namespace {

// A grid of 5 columns and 10 rows whose cells read "c,r" (real indexes).
class StringGridHidden : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int c = 0; c < 5; ++c)
      for (int r = 0; r < 10; ++r) G.SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
  }
  std::vector<QString> Column(int c) {
    std::vector<QString> v;
    for (int r = 0; r < G.RowCount(); ++r) v.push_back(G.Cells(c, r));
    return v;
  }
  TProStringGrid G{nullptr};
};

}  // namespace

TEST_F(StringGridHidden, HidingAColumnMapsIndexesAndKeepsItsWidthAndCells) {
  G.SetColWidths(2, 33);
  G.SetColWidths(3, 44);
  G.HideColumn(2);
  EXPECT_EQ(G.ColCount(), 4);
  EXPECT_EQ(G.NumHiddenColumns(), 1);
  EXPECT_TRUE(G.IsHiddenColumn(2));
  EXPECT_EQ(G.RealColIndex(2), 3);
  EXPECT_EQ(G.DisplColIndex(3), 2);
  EXPECT_EQ(G.DisplColIndex(2), 2);
  EXPECT_EQ(G.ColWidths(2), 44);
  EXPECT_EQ(G.Cells(2, 4), "2,4");
  EXPECT_EQ(G.TotalColCount(), 5);
  G.HideColumn(2);  // already hidden: nothing
  EXPECT_EQ(G.NumHiddenColumns(), 1);
  G.UnHideColumn(2);
  EXPECT_EQ(G.ColCount(), 5);
  EXPECT_EQ(G.ColWidths(2), 33);
  EXPECT_EQ(G.ColWidths(3), 44);
  EXPECT_FALSE(G.IsHiddenColumn(2));
}

TEST_F(StringGridHidden, ColumnRangesEdgesAndTheCurrentColumn) {
  G.SetCol(4);
  G.HideColumn(1);
  EXPECT_EQ(G.Col(), 3);  // the current column was the last one
  G.UnHideColumnsAll();
  G.HideColumns(0, 4);
  EXPECT_EQ(G.ColCount(), 1);
  EXPECT_EQ(G.NumHiddenColumns(), 4);
  EXPECT_FALSE(G.IsHiddenColumn(4));
  // Every entry of the table counts, columns the grid lacks included; a display
  // index beyond the visible entries maps to 0.
  EXPECT_EQ(G.RealColIndex(0), 4);
  EXPECT_EQ(G.RealColIndex(3), 7);
  EXPECT_EQ(G.RealColIndex(507), 511);
  EXPECT_EQ(G.RealColIndex(508), 0);
  EXPECT_FALSE(G.IsHiddenColumn(600));
  EXPECT_EQ(G.RealColIndex(600), 600);
  G.UnHideColumnsAll();
  EXPECT_EQ(G.ColCount(), 5);
  EXPECT_EQ(G.NumHiddenColumns(), 0);
}

TEST_F(StringGridHidden, HidingRowsAroundAHiddenOneAndShowingThemAll) {
  G.SetRowHeights(3, 30);
  G.SetRowHeights(4, 40);
  G.SetRowHeights(5, 50);
  G.HideRow(4);
  EXPECT_EQ(G.RowCount(), 9);
  EXPECT_EQ(G.Cells(1, 4), "1,5");
  G.HideRows(3, 5);
  EXPECT_EQ(G.RowCount(), 7);
  EXPECT_EQ(G.NumHiddenRows(), 3);
  EXPECT_EQ(G.TotalRowCount(), 10);
  EXPECT_TRUE(G.IsHiddenRow(3) && G.IsHiddenRow(4) && G.IsHiddenRow(5));
  EXPECT_EQ(G.Cells(1, 3), "1,6");
  EXPECT_EQ(G.RealRowIndex(3), 6);
  EXPECT_EQ(G.DisplRowIndex(6), 3);
  EXPECT_EQ(G.DisplRowIndex(4), 3);  // where it would reappear
  // The hidden-row list stays in ascending order.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(G.GridItems()->Items(i)->Idx(), 3 + i);
  G.HideRows(3, 5);  // all hidden already
  EXPECT_EQ(G.RowCount(), 7);

  G.UnHideRowsAll();
  EXPECT_EQ(G.RowCount(), 10);
  EXPECT_EQ(G.NumHiddenRows(), 0);
  for (int r = 0; r < 10; ++r) EXPECT_EQ(G.Cells(2, r), QStringLiteral("2,%1").arg(r));
  EXPECT_EQ(G.RowHeights(3), 30);
  EXPECT_EQ(G.RowHeights(4), 40);
  EXPECT_EQ(G.RowHeights(5), 50);
}

TEST_F(StringGridHidden, RowTranslationEdges) {
  EXPECT_EQ(G.RealRowIndex(-1), -1);
  G.HideRow(0);
  EXPECT_EQ(G.RealRowIndex(0), 1);
  EXPECT_EQ(G.RealRowIndex(-1), -1);
  EXPECT_EQ(G.RealRowIndex(20), 21);  // beyond the last row still maps
  G.UnHideRow(7);                     // not hidden: no row changes
  EXPECT_EQ(G.RowCount(), 9);
  G.UnHideRow(0);
  EXPECT_EQ(G.Cells(3, 0), "3,0");
  EXPECT_EQ(G.Cells(3, 1), "3,1");
}

TEST_F(StringGridHidden, HiddenRowsKeepTheirCellObjects) {
  // Property objects travel with their hidden row; those still hidden when
  // the grid goes are freed with it (the sanitizer build reports a leak).
  G.GetCellProperties(2, 6)->SetReadOnly(true);
  G.HideRow(6);
  EXPECT_FALSE(G.HasCellProperties(2, 6));
  G.UnHideRow(6);
  ASSERT_TRUE(G.HasCellProperties(2, 6));
  EXPECT_TRUE(G.GetCellProperties(2, 6)->ReadOnly());
  G.GetCellProperties(1, 8)->SetReadOnly(true);
  G.HideRows(7, 8);
}

TEST_F(StringGridHidden, NestedFilterLevels) {
  TIntList first(0, 0), second(0, 0);
  first.SetStrValue("2,5,7");
  G.HideRowList(&first);
  EXPECT_EQ(G.FilterLevel(), 1);
  EXPECT_EQ(G.RowCount(), 7);
  EXPECT_EQ(Column(1), (std::vector<QString>{"1,0", "1,1", "1,3", "1,4", "1,6", "1,8", "1,9"}));
  second.SetStrValue("1,6");
  G.HideRowList(&second);
  EXPECT_EQ(G.RowCount(), 5);
  EXPECT_EQ(Column(1), (std::vector<QString>{"1,0", "1,3", "1,4", "1,6", "1,8"}));

  G.UnHideRowList();  // the top level only
  EXPECT_EQ(Column(1), (std::vector<QString>{"1,0", "1,1", "1,3", "1,4", "1,6", "1,8", "1,9"}));
  EXPECT_EQ(G.NumHiddenRows(), 3);
}

TEST(StringGridRowProperty, RowUpdatesTopRowLimitsAndSyncedGrid) {
  TProStringGrid g(nullptr), follower(nullptr);
  std::vector<std::pair<int, int>> updates;
  g.OnRowUpdate = [&](TObject*, int OldRow, int NewRow) { updates.push_back({OldRow, NewRow}); };
  g.SetRow(1);
  EXPECT_TRUE(updates.empty());
  g.SetRow(4);
  g.SetRow(6);
  EXPECT_EQ(updates, (std::vector<std::pair<int, int>>{{1, 4}, {4, 6}}));
  g.SyncGrid()->SetGrid(&follower);
  g.SyncGrid()->SetSelectionRow(true);
  g.SetRow(3);
  EXPECT_EQ(follower.Row(), 3);

  g.SetTopRow(0);
  EXPECT_EQ(g.TopRow(), 1);
  g.SetTopRow(10);
  EXPECT_EQ(g.TopRow(), 1);
}

TEST(StringGridRowWorkers, InsertAndRemoveKeepHeightsAndFlags) {
  TProStringGrid g(nullptr);
  for (int r = 0; r < 10; ++r) g.SetCells(1, r, QString::number(r));
  g.SetRowHeights(5, 40);
  g.SetRowModified(6, true);
  g.DoInsertRows(3, 2, true);
  EXPECT_EQ(g.RowCount(), 12);
  EXPECT_EQ(g.Cells(1, 3), "");
  EXPECT_EQ(g.Cells(1, 5), "3");
  EXPECT_EQ(g.RowHeights(7), 40);
  EXPECT_EQ(g.RowHeights(3), 22);
  EXPECT_TRUE(g.RowModified(8));
  g.DoRemoveRows(3, 2, true);
  EXPECT_EQ(g.RowCount(), 10);
  EXPECT_EQ(g.Cells(1, 3), "3");
  EXPECT_EQ(g.RowHeights(5), 40);
  EXPECT_TRUE(g.RowModified(6));
  // Removing rows in front of a hidden row lowers its index.
  g.HideRow(8);
  g.DoRemoveRows(2, 2, true);
  EXPECT_EQ(g.GridItems()->Items(0)->Idx(), 6);
  g.UnHideRowsAll();
  EXPECT_EQ(g.Cells(1, 6), "8");
}

TEST(StringGridRowWorkers, RemovingRowsKeepsTheCursorHiddenRowsAndFlagsInStep) {
  TProStringGrid g(nullptr);
  for (int r = 0; r < 10; ++r) g.SetCells(1, r, QString::number(r));
  g.SetRow(9);
  g.RemoveRows(8, 2);
  EXPECT_EQ(g.RowCount(), 8);
  EXPECT_EQ(g.Row(), 7);  // the new last normal row

  // A hidden row behind the removed range still holds its own data.
  g.HideRow(6);
  g.GetCellProperties(1, 3)->SetReadOnly(true);  // freed with its row
  g.MouseActions()->SetDisjunctRowSelect(true);
  g.SetRowSelect(4, true);
  ASSERT_TRUE(g.RowSelect(4));
  g.RemoveRows(2, 2);
  EXPECT_EQ(g.RowSelectCount(), 1);
  EXPECT_EQ(g.GridItems()->Items(0)->Idx(), 4);
  EXPECT_TRUE(g.RowSelect(2));  // the flag moved up with its row
  EXPECT_EQ(g.Cells(1, 2), "4");
  g.UnHideRowsAll();
  EXPECT_EQ(g.Cells(1, 4), "6");

  // Removing every normal row of a grid that keeps its header hides the selection.
  g.SetFixedRowAlways(true);
  g.RemoveRows(1, g.RowCount() - 1);
  EXPECT_EQ(g.RowCount(), 1);
  EXPECT_TRUE(g.SelectionHidden());
}

TEST(StringGridRowWorkers, AddRowAppendsAnEmptyRowBeforeTheFooter) {
  TProStringGrid g(nullptr);
  g.AddRow();
  EXPECT_EQ(g.RowCount(), 11);
  g.SetCells(1, 10, "total");
  g.FloatingFooter()->SetVisible(true);
  g.AddRow();
  EXPECT_EQ(g.RowCount(), 12);
  EXPECT_EQ(g.Cells(1, 11), "total");
  EXPECT_EQ(g.Cells(1, 10), "");
}
