// Filtering the string grid's rows.
#include <gtest/gtest.h>

#include <vector>

#include "grid/ProGrid.h"

namespace {

class StringGridFilter : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* texts[] = {"apple", "banana", "cherry", "apple pie", "date"};
    G.SetRowCount(6);
    for (int r = 1; r < 6; ++r) {
      G.SetCells(1, r, texts[r - 1]);
      G.SetCells(2, r, QString::number(r * 10));
    }
  }
  std::vector<QString> Shown() {
    std::vector<QString> v;
    for (int r = 1; r < G.RowCount(); ++r) v.push_back(G.Cells(1, r));
    return v;
  }
  TProStringGrid G{nullptr};
};

using V = std::vector<QString>;

}  // namespace

TEST_F(StringGridFilter, ConditionsCombineInOrder) {
  EXPECT_TRUE(G.MatchFilter(2));
  G.OnCustomFilter = [](TObject*, int ARow, bool& Accept) { Accept = ARow != 2; };
  EXPECT_FALSE(G.MatchFilter(2));
  G.OnCustomFilter = nullptr;

  TFilterData* a = G.Filter()->Add();
  a->SetColumn(1);
  a->SetCondition("a*");
  TFilterData* b = G.Filter()->Add();
  b->SetColumn(2);
  b->SetCondition(">20");
  EXPECT_FALSE(G.MatchFilter(1));  // apple, 10: and
  EXPECT_TRUE(G.MatchFilter(4));   // apple pie, 40
  b->SetOperation(foOR);
  EXPECT_TRUE(G.MatchFilter(1));
  EXPECT_TRUE(G.MatchFilter(3));
  a->SetOperation(foSHORT);
  EXPECT_FALSE(G.MatchFilter(3));  // a failing short condition ends it
}

TEST_F(StringGridFilter, PrefixAtTheStartAndSuffixAtTheEndOnly) {
  G.SetCells(1, 1, "$12 kg");
  TFilterData* f = G.Filter()->Add();
  f->SetColumn(1);
  f->SetPrefix("$");
  f->SetSuffix(" kg");
  f->SetCondition("12");
  EXPECT_TRUE(G.MatchFilter(1));
  G.SetCells(1, 1, "12 kg$");
  EXPECT_FALSE(G.MatchFilter(1));
}

TEST_F(StringGridFilter, FilterActiveHidesAndShowsRows) {
  TFilterData* f = G.Filter()->Add();
  f->SetColumn(1);
  f->SetCondition("*an*");
  G.SetFilterActive(true);
  EXPECT_EQ(Shown(), (V{"banana"}));
  G.SetFilterActive(false);
  EXPECT_EQ(Shown(), (V{"apple", "banana", "cherry", "apple pie", "date"}));
}

TEST_F(StringGridFilter, NarrowingDownLetterByLetterAndBack) {
  TProStringGrid fresh(nullptr);
  EXPECT_FALSE(fresh.RemoveLastFilter());
  G.NarrowDown("e", 1);
  EXPECT_EQ(Shown(), (V{"apple", "cherry", "apple pie", "date"}));
  G.NarrowDown("e ", 1);  // a blank is part of the text looked for
  EXPECT_EQ(Shown(), (V{"apple pie"}));
  G.NarrowDown("e", 1);
  EXPECT_EQ(Shown(), (V{"apple", "cherry", "apple pie", "date"}));
  G.NarrowDown("ch", 1);  // not one letter more: starts over
  EXPECT_EQ(Shown(), (V{"cherry"}));
  G.NarrowDown("", 1);
  EXPECT_EQ(Shown().size(), 5u);
}

TEST_F(StringGridFilter, ClearingTheTypedFilterKeepsRowsHiddenOtherwise) {
  G.HideRow(5);
  G.NarrowDown("c", 1);
  G.NarrowDown("", 1);
  EXPECT_EQ(Shown(), (V{"apple", "banana", "cherry", "apple pie"}));
  ASSERT_EQ(G.NumHiddenRows(), 1);
  G.UnHideRowsAll();
  EXPECT_EQ(G.Cells(1, 5), "date");
}

TEST_F(StringGridFilter, PickingFromTheFilterListsFiltersTheColumn) {
  G.SetFilterDropDownAuto(true);
  G.GetColumnFilter(1);
  const int banana = G.FilterList()->IndexOf("banana");
  ASSERT_GT(banana, 0);
  int done = 0;
  G.OnFilterDone = [&](TObject*) { ++done; };
  G.SetFilterCol(1);
  G.FilterDropListSelect(banana);
  EXPECT_EQ(Shown(), (V{"banana"}));
  EXPECT_EQ(G.FilterCol(), -1);
  EXPECT_EQ(done, 1);
  EXPECT_TRUE(G.Filter()->HasFilter(1));
  // The "(All)" entry removes the column's conditions and shows every row.
  G.SetFilterCol(1);
  G.FilterDropListSelect(0);
  EXPECT_EQ(Shown().size(), 5u);
  EXPECT_FALSE(G.Filter()->HasFilter(1));

  // Two ticked values show the rows holding either.
  G.GetColumnFilter(1);
  TDropCheckList* checks = G.DropCheckList();
  checks->Items()->Assign(G.FilterList());
  checks->SetChecked(G.FilterList()->IndexOf("cherry"), true);
  checks->SetChecked(G.FilterList()->IndexOf("date"), true);
  G.SetFilterCol(1);
  G.FilterDropCheckListSelect();
  EXPECT_EQ(Shown(), (V{"cherry", "date"}));
}
