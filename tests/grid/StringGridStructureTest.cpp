// Row and column structure operations of the string grid.
#include <gtest/gtest.h>

#include <vector>

#include "grid/ProGrid.h"

namespace {

std::vector<QString> Column(TProStringGrid& G, int c) {
  std::vector<QString> v;
  for (int r = 1; r < G.RowCount(); ++r) v.push_back(G.Cells(c, r));
  return v;
}
std::vector<QString> Row(TProStringGrid& G, int r) {
  std::vector<QString> v;
  for (int c = 0; c < G.ColCount(); ++c) v.push_back(G.Cells(c, r));
  return v;
}
using V = std::vector<QString>;

}  // namespace

TEST(StringGridStructure, DuplicatesWithAndWithoutLetterCase) {
  TProStringGrid g(nullptr);
  g.SetRowCount(5);
  const char* texts[] = {"Abc", "x", "abc", "x"};
  for (int r = 1; r < 5; ++r) g.SetCells(1, r, texts[r - 1]);
  TProStringGrid h(nullptr);
  h.Assign(&g);
  g.RemoveDuplicates(1, true);
  EXPECT_EQ(Column(g, 1), (V{"Abc", "x", "abc"}));
  h.RemoveDuplicates(1, false);
  EXPECT_EQ(Column(h, 1), (V{"Abc", "x"}));
}

TEST(StringGridStructure, SelectedRowsGoOrStayHidden) {
  TProStringGrid g(nullptr);
  g.SetRowCount(6);
  for (int r = 1; r < 6; ++r) g.SetCells(1, r, QString::number(r));
  g.MouseActions()->SetDisjunctRowSelect(true);
  g.SetRowSelect(2, true);
  g.SetRowSelect(4, true);
  g.RemoveSelectedRows();
  EXPECT_EQ(Column(g, 1), (V{"1", "3", "5"}));
  EXPECT_EQ(g.RowSelectCount(), 0);
  g.SetRowSelect(2, true);
  g.HideUnSelectedRows();
  EXPECT_EQ(Column(g, 1), (V{"3"}));
  g.UnHideRowsAll();
  EXPECT_EQ(Column(g, 1), (V{"1", "3", "5"}));
}

TEST(StringGridStructure, ColumnsInsertRemoveAndKeepTheirCells) {
  TProStringGrid g(nullptr);
  for (int c = 0; c < 5; ++c) g.SetCells(c, 1, QString::number(c));
  g.SetColWidths(2, 77);
  g.GetCellProperties(2, 1)->SetReadOnly(true);
  g.InsertCols(1, 2);
  EXPECT_EQ(Row(g, 1), (V{"0", "", "", "1", "2", "3", "4"}));
  EXPECT_EQ(g.ColWidths(4), 77);
  EXPECT_TRUE(g.GetCellProperties(4, 1)->ReadOnly());
  EXPECT_FALSE(g.HasCellProperties(2, 1));
  g.RemoveCols(1, 2);
  EXPECT_EQ(Row(g, 1), (V{"0", "1", "2", "3", "4"}));
  EXPECT_TRUE(g.GetCellProperties(2, 1)->ReadOnly());
  g.MergeCols(1, 2, "-");
  EXPECT_EQ(Row(g, 1), (V{"0", "1-2", "3", "4"}));
  g.AddColumn();
  EXPECT_EQ(g.ColCount(), 5);
}

TEST(StringGridStructure, UnselectedColumnsGoWhileFixedAndSelectedStay) {
  TProStringGrid g(nullptr);
  for (int c = 0; c < 5; ++c) g.SetCells(c, 0, QString("h%1").arg(c));
  g.SetSelection(TGridRect{2, 1, 3, 1});
  g.RemoveUnSelectedCols();
  EXPECT_EQ(Row(g, 0), (V{"h0", "h2", "h3"}));
}

TEST(StringGridStructure, SwapsKeepPropertiesWithTheirCellsAndLookups) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 1, "a");
  g.SetCells(1, 2, "b");
  g.GetCellProperties(1, 1)->SetReadOnly(true);
  g.SetRowHeights(1, 30);
  g.SwapRows(1, 2);
  EXPECT_EQ(g.Cells(1, 2), "a");
  EXPECT_TRUE(g.GetCellProperties(1, 2)->ReadOnly());
  EXPECT_EQ(g.RowHeights(2), 30);
  g.SortSettings()->SetColumn(1);
  g.SwapColumns(1, 3);
  EXPECT_EQ(g.Cells(3, 2), "a");
  EXPECT_TRUE(g.GetCellProperties(3, 2)->ReadOnly());
  EXPECT_EQ(g.SortSettings()->Column(), 3);

  int c = -1, r = -1;
  EXPECT_TRUE(g.IsCell("a", c, r));
  EXPECT_EQ(c, 3);
  EXPECT_EQ(r, 2);
  EXPECT_FALSE(g.IsCell("zzz", c, r));
  g.SetCells(2, 0, "Name");
  EXPECT_EQ(g.ColumnByHeader("Name"), 2);
  EXPECT_EQ(g.ColumnByHeader("none"), -1);
  EXPECT_EQ(g.ColumnPosition(7), 7);
  EXPECT_EQ(g.ColumnAtPosition(2), 2);
  g.MoveColumn(0, 2);
  EXPECT_EQ(g.ColumnPosition(0), 2);
  EXPECT_EQ(g.ColumnAtPosition(0), 1);
  EXPECT_EQ(g.ColumnPosition(9), 9);  // not in the recorded order
  g.SetWideCells(1, 1, "|\\0041");
  EXPECT_TRUE(g.IsWideCell(1, 1));
}
