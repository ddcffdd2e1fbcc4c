// Row and column selection, modified and disabled rows of the string grid.
#include <gtest/gtest.h>

#include <vector>

#include "grid/ProGrid.h"

namespace {

QString MessageOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const EProGridError& e) {
    return e.Message();
  }
  return QStringLiteral("(nothing raised)");
}

}  // namespace

TEST(StringGridSelection, SelectRowsSelectsTheWholeNormalRow) {
  TProStringGrid g(nullptr);
  g.SelectRows(5, 1);
  EXPECT_EQ(g.Selection(), (TGridRect{1, 5, 4, 5}));
  EXPECT_TRUE(g.RowSelect(5));
  EXPECT_FALSE(g.RowSelect(4));
  EXPECT_EQ(g.RowSelectCount(), 1);
  // A count beyond the last row is cut there.
  g.SelectRows(8, 5);
  EXPECT_EQ(g.Selection(), (TGridRect{1, 8, 4, 9}));
  g.SelectCols(2, 2);
  EXPECT_EQ(g.Selection(), (TGridRect{2, 1, 3, 9}));
  EXPECT_FALSE(g.ColSelect(2));  // only the rectangle was set
  EXPECT_EQ(g.ColSelectCount(), 2);
}

TEST(StringGridSelection, RangeErrors) {
  TProStringGrid g(nullptr);
  EXPECT_EQ(MessageOf([&] { g.RowSelect(-1); }), "Invalid row -1 accessed");
  EXPECT_EQ(MessageOf([&] { g.RowSelect(10); }), "Invalid row 10 accessed");
  EXPECT_EQ(MessageOf([&] { g.SetRowSelect(-1, true); }), "Invalid row accessed");
  EXPECT_EQ(MessageOf([&] { g.SetRowSelect(10, true); }), "Invalid row accessed");
  EXPECT_EQ(MessageOf([&] { g.ColSelect(5); }), "Invalid column accessed");
  EXPECT_EQ(MessageOf([&] { g.SetColSelect(-1, true); }), "Invalid column accessed");
  // Persistent selection reads any row.
  g.MouseActions()->SetRowSelectPersistent(true);
  g.MouseActions()->SetDisjunctRowSelect(true);
  EXPECT_FALSE(g.RowSelect(50));
  EXPECT_FALSE(g.RowSelect(-1));
}

TEST(StringGridSelection, DisjunctRowsWithTheirEvents) {
  TProStringGrid g(nullptr);
  g.MouseActions()->SetDisjunctRowSelect(true);
  std::vector<int> asked, told;
  g.OnRowDisjunctSelect = [&](TObject*, int ARow, bool, bool& Allow) {
    asked.push_back(ARow);
    Allow = ARow != 7;
  };
  g.OnRowDisjunctSelected = [&](TObject*, int ARow) { told.push_back(ARow); };
  g.SelectRows(3, 2);
  g.SetRowSelect(7, true);
  g.SetRowSelect(0, true);  // a fixed row is flagged but not listed
  EXPECT_TRUE(g.RowSelect(3) && g.RowSelect(4) && g.RowSelect(0));
  EXPECT_FALSE(g.RowSelect(7));
  EXPECT_EQ(g.RowSelectCount(), 3);
  EXPECT_EQ(g.SelectedRows()->StrValue(), "3,4");
  EXPECT_EQ(asked, (std::vector<int>{3, 4, 7, 0}));
  EXPECT_EQ(told, (std::vector<int>{3, 4, 0}));
  // Writing the same state again asks nobody.
  g.SetRowSelect(3, true);
  EXPECT_EQ(asked.size(), 4u);
  g.UnSelectRows(3, 1);
  EXPECT_EQ(g.SelectedRows()->StrValue(), "4");
  g.ClearRowSelect();
  EXPECT_EQ(g.RowSelectCount(), 0);
  EXPECT_EQ(g.SelectedRows()->Count(), 0);
}

TEST(StringGridSelection, SelectionToRowAndColumnFlags) {
  TProStringGrid g(nullptr);
  g.MouseActions()->SetDisjunctRowSelect(true);
  g.MouseActions()->SetDisjunctColSelect(true);
  g.SetRowSelect(8, true);
  g.SetSelection(TGridRect{2, 3, 3, 5});
  g.SelectionToRowSelect(false);
  EXPECT_TRUE(g.RowSelect(3) && g.RowSelect(5) && g.RowSelect(8));
  g.SelectionToRowSelect(true);
  EXPECT_FALSE(g.RowSelect(8));
  EXPECT_EQ(g.RowSelectCount(), 3);
  g.SelectionToColSelect(true);
  EXPECT_TRUE(g.ColSelect(2) && g.ColSelect(3));
  EXPECT_FALSE(g.ColSelect(1));
  EXPECT_EQ(g.ColSelectCount(), 2);
  g.UnSelectCols(2, 1);
  EXPECT_EQ(g.ColSelectCount(), 1);
  g.ClearColSelect();
  EXPECT_EQ(g.ColSelectCount(), 0);
}

TEST(StringGridSelection, CursorMovesAndSwaps) {
  TProStringGrid g(nullptr), follower(nullptr);
  g.SelectRange(1, 3, 2, 4);
  EXPECT_EQ(g.Col(), 3);
  EXPECT_EQ(g.Row(), 4);
  EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 3, 4}));
  g.FocusCell(2, 6);
  EXPECT_EQ(g.Selection(), (TGridRect{2, 6, 2, 6}));
  g.GotoCell(4, 8);
  EXPECT_EQ(g.Col(), 4);
  EXPECT_EQ(g.Row(), 8);

  g.SyncGrid()->SetGrid(&follower);
  g.SetCol(2);
  EXPECT_EQ(follower.Col(), 1);
  g.SyncGrid()->SetSelectionColumn(true);
  g.SetCol(3);
  EXPECT_EQ(follower.Col(), 3);

  g.SetCells(1, 1, "a");
  g.SetCells(2, 2, "b");
  g.SwapCells(TGridCoord{1, 1}, TGridCoord{2, 2});
  EXPECT_EQ(g.Cells(1, 1), "b");
  EXPECT_EQ(g.Cells(2, 2), "a");
}

TEST(StringGridRows, ModifiedAndDisabledRows) {
  TProStringGrid g(nullptr);
  EXPECT_FALSE(g.RowModified(3));
  g.SetRowModified(3, true);
  g.SetRowModified(5, true);
  g.SetRowModified(5, false);
  EXPECT_TRUE(g.RowModified(3));
  EXPECT_FALSE(g.RowModified(5));
  EXPECT_EQ(g.ModifiedRowCount(), 1);

  EXPECT_TRUE(g.RowEnabled(2));
  g.SetRow(1);
  g.SetRowEnabled(2, false);
  g.SetRowEnabled(1, false);
  // Disabling the current row moves the cursor to the first other enabled row.
  EXPECT_EQ(g.Row(), 3);
  EXPECT_FALSE(g.RowEnabled(1));
  EXPECT_TRUE(g.RowEnabled(40));
}
