// Sorting the string grid's rows.
#include <gtest/gtest.h>

#include <vector>

#include "grid/ProGrid.h"

namespace {

// A grid whose column 1 holds the texts given (rows 1, 2, ...) and whose
// column 2 names each row by its first position.
class StringGridSort : public ::testing::Test {
 protected:
  void Fill(std::initializer_list<const char*> Texts) {
    G.SetRowCount(int(Texts.size()) + 1);
    int r = 1;
    for (const char* t : Texts) {
      G.SetCells(1, r, t);
      G.SetCells(2, r, QString("r%1").arg(r));
      ++r;
    }
  }
  std::vector<QString> Column(int c) {
    std::vector<QString> v;
    for (int r = 1; r < G.RowCount(); ++r) v.push_back(G.Cells(c, r));
    return v;
  }
  TProStringGrid G{nullptr};
};

using V = std::vector<QString>;

}  // namespace

TEST_F(StringGridSort, NumbersAndTextsAndTheUnsortedGrid) {
  Fill({"9", "10", "2"});
  G.QSort();  // Column -1: nothing
  EXPECT_EQ(Column(1), (V{"9", "10", "2"}));
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(1), (V{"2", "9", "10"}));
  G.SortSettings()->SetAutoFormat(false);
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(1), (V{"10", "2", "9"}));
  G.SortSettings()->SetAutoFormat(true);
  G.Sort(1, sdDescending);
  EXPECT_EQ(Column(1), (V{"10", "9", "2"}));
  EXPECT_EQ(Column(2), (V{"r2", "r1", "r3"}));  // whole rows move
}

TEST_F(StringGridSort, BlanksGoWhereBlankPosSaysInBothDirections) {
  Fill({"b", "", "a", "c"});
  G.SortSettings()->SetIgnoreBlanks(true);
  G.SortSettings()->SetBlankPos(blLast);
  G.SortSettings()->SetAutoFormat(false);
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(1), (V{"a", "b", "c", ""}));
  G.Sort(1, sdDescending);
  EXPECT_EQ(Column(1), (V{"c", "b", "a", ""}));
  G.SortSettings()->SetIgnoreBlanks(false);
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(1), (V{"", "a", "b", "c"}));
}

TEST_F(StringGridSort, EqualRowsAreOrderedByTheNextColumnsAndUnsortRestores) {
  Fill({"x", "a", "x", "a"});
  G.SetCells(3, 1, "2");
  G.SetCells(3, 3, "1");
  G.SetRowHeights(1, 40);
  G.Sort(1, sdAscending);
  // Column 2 decides between equal texts.
  EXPECT_EQ(Column(2), (V{"r2", "r4", "r1", "r3"}));
  EXPECT_EQ(G.RowHeights(3), 40);  // heights go with their rows
  G.Sort(3, sdAscending);
  G.QUnSort();
  EXPECT_EQ(Column(2), (V{"r1", "r2", "r3", "r4"}));
  EXPECT_EQ(G.RowHeights(1), 40);
  EXPECT_EQ(G.SortRowXRef()->StrValue(), "0,1,2,3,4");
}

TEST_F(StringGridSort, IndexSortWithoutFullComparesTheFirstColumnOnly) {
  Fill({"b", "a", "b", "a"});
  G.SetCells(3, 1, "2");
  G.SetCells(3, 3, "1");
  G.SortIndexes()->AddIndex(1, true);
  G.SortIndexes()->AddIndex(3, false);
  G.QSortIndexed();
  EXPECT_EQ(Column(2), (V{"r2", "r4", "r1", "r3"}));  // 3 descending: "2" before "1"
  G.SortSettings()->SetFull(false);
  G.SortIndexes()->Clear();
  G.SortIndexes()->AddIndex(1, false);
  G.QSortIndexed();
  EXPECT_EQ(Column(1), (V{"b", "b", "a", "a"}));
  G.SortIndexes()->Clear();
  EXPECT_THROW(G.QSortIndexed(), EProGridError);
}

TEST_F(StringGridSort, NormalCellsOnlyAndTheCurrentRow) {
  Fill({"c", "a", "b"});
  for (int r = 1; r < 4; ++r) G.SetCells(0, r, QString::number(r));
  G.SortSettings()->SetNormalCellsOnly(true);
  G.SetRow(1);
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(0), (V{"1", "2", "3"}));
  EXPECT_EQ(Column(1), (V{"a", "b", "c"}));
  EXPECT_EQ(G.Row(), 1);  // without MoveRowOnSort the row number stays
  G.Navigation()->SetMoveRowOnSort(true);
  G.Sort(1, sdDescending);
  EXPECT_EQ(G.Cells(1, G.Row()), "a");  // the current row follows its data
}

TEST_F(StringGridSort, TextFormSortsTheGrid) {
  Fill({"1", "3", "2"});
  for (int r = 1; r < 4; ++r) G.SetCells(3, r, G.Cells(1, r));
  G.SortSettings()->LoadFromString("d3");
  EXPECT_TRUE(G.SortSettings()->Show());
  EXPECT_EQ(Column(3), (V{"3", "2", "1"}));
  EXPECT_EQ(G.SortSettings()->SaveToString(), "d3");
}

TEST_F(StringGridSort, FooterRowsStayInPlace) {
  Fill({"b", "a", "total"});
  G.SetFixedFooters(1);
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(1), (V{"a", "b", "total"}));
}
