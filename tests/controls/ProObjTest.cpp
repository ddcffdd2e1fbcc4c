// The grid's integer, sort-index, control and line-by-line string lists.
#include <gtest/gtest.h>

#include <vector>

#include "controls/ProObj.h"
#include "platform/ui/Forms.h"

namespace {

std::vector<int> Entries(const TIntList& l) {
  std::vector<int> r;
  for (int i = 0; i < l.Count(); ++i) r.push_back(l.Items(i));
  return r;
}

// Records the OnChange reports of a list.
struct ChangeLog {
  std::vector<std::pair<int, int>> cells;
  void Attach(TIntList& l) {
    l.OnChange = [this, &l](TObject* Sender, int c, int r) {
      EXPECT_EQ(Sender, &l);
      cells.push_back({c, r});
    };
  }
};

}  // namespace

TEST(GridIntList, EditsAndReportsWithItsCell) {
  TIntList l(4, 7);
  ChangeLog log;
  log.Attach(l);
  EXPECT_EQ(l.Add(3), 0);
  l.Add(20);
  l.Insert(1, -1);  // silent
  EXPECT_EQ(Entries(l), (std::vector<int>{3, -1, 20}));
  EXPECT_EQ(l.StrValue(), "3,-1,20");
  EXPECT_EQ(log.cells.size(), 2u);
  EXPECT_EQ(log.cells[0], std::make_pair(4, 7));

  l.SetInteger(0, 5);
  l.Delete(1);
  EXPECT_EQ(log.cells.size(), 4u);
  EXPECT_EQ(Entries(l), (std::vector<int>{5, 20}));
  EXPECT_TRUE(l.HasValue(20));
  l.DeleteValue(99);  // absent: nothing, no report
  EXPECT_EQ(log.cells.size(), 4u);
  l.DeleteValue(20);
  EXPECT_EQ(log.cells.size(), 5u);
  EXPECT_FALSE(l.HasValue(20));
  l.Clear();  // silent
  EXPECT_EQ(log.cells.size(), 5u);
  EXPECT_EQ(l.StrValue(), "");
}

TEST(GridIntList, IndexErrors) {
  TIntList l(0, 0);
  l.Add(1);
  EXPECT_THROW(l.GetInteger(1), EListError);
  EXPECT_THROW(l.SetInteger(-1, 0), EListError);
  EXPECT_THROW(l.Delete(1), EListError);
  EXPECT_THROW(l.Insert(2, 0), EListError);
  l.Insert(1, 2);  // at the end is allowed
  try {
    l.Items(5);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
}

TEST(GridIntList, CommaTextValue) {
  TIntList l(0, 0);
  ChangeLog log;
  log.Attach(l);
  l.Add(9);
  log.cells.clear();
  l.SetStrValue("1, 2 ,3");
  EXPECT_EQ(Entries(l), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(log.cells.size(), 3u);  // one report per item, none for the clearing
  l.SetStrValue("\"4\" 5");
  EXPECT_EQ(Entries(l), (std::vector<int>{4, 5}));
  l.SetStrValue("");
  EXPECT_EQ(l.Count(), 0);
  EXPECT_THROW(l.SetStrValue("1,x,3"), EConvertError);
  EXPECT_EQ(Entries(l), (std::vector<int>{1}));  // the items before the bad one
}

TEST(GridIntList, OrderOperations) {
  TIntList l(0, 0);
  for (int v : {5, 1, 4, 1}) l.Add(v);
  l.Sort([](int a, int b) { return a - b; });
  EXPECT_EQ(Entries(l), (std::vector<int>{1, 1, 4, 5}));
  l.Exchange(0, 3);
  l.Move(0, 2);
  EXPECT_EQ(Entries(l), (std::vector<int>{1, 4, 5, 1}));
  EXPECT_EQ(l.IndexOf(1), 0);
}

TEST(GridSortIndexList, TextFormAndDirections) {
  TSortIndexList l;
  ChangeLog log;
  log.Attach(l);
  l.AddIndex(2, true);
  l.AddIndex(5, false);
  EXPECT_EQ(l.SaveToString(), "u2;d5");
  EXPECT_EQ(l.FindIndex(5), 1);
  EXPECT_EQ(l.FindIndex(7), -1);
  EXPECT_LT(l.Items(1), 0);
  EXPECT_EQ(l.SortColumns(1), 5);
  EXPECT_FALSE(l.SortDirections(1));

  log.cells.clear();
  l.ToggleIndex(5);
  EXPECT_EQ(log.cells.size(), 1u);
  EXPECT_EQ(l.SaveToString(), "u2;u5");
  l.ToggleIndex(7);  // not listed: nothing
  EXPECT_EQ(log.cells.size(), 1u);

  l.SetSortDirections(0, false);
  l.SetSortColumns(0, 9);
  EXPECT_EQ(l.SaveToString(), "d9;u5");
  l.SetSortColumns(0, -1);  // only bits 0-30 are taken, the direction stays
  EXPECT_EQ(l.SortColumns(0), 0x7FFFFFFF);
  EXPECT_FALSE(l.SortDirections(0));
}

TEST(GridSortIndexList, LoadFromString) {
  TSortIndexList l;
  ChangeLog log;
  log.Attach(l);
  l.AddIndex(1, true);
  log.cells.clear();
  l.LoadFromString("u3;D4;x;d");
  ASSERT_EQ(l.Count(), 2);
  EXPECT_EQ(log.cells.size(), 2u);
  EXPECT_EQ(l.SortColumns(0), 3);
  EXPECT_TRUE(l.SortDirections(0));
  EXPECT_EQ(l.SortColumns(1), 4);
  EXPECT_FALSE(l.SortDirections(1));  // only a lower-case "u" is ascending

  l.LoadFromString("u12ab;dx;U7");
  EXPECT_EQ(l.SaveToString(), "u12;d0;d7");
  l.LoadFromString("");
  EXPECT_EQ(l.Count(), 0);
  EXPECT_EQ(l.SaveToString(), "");

  l.AddIndex(65537, true);  // only the low 16 bits are written
  EXPECT_EQ(l.SaveToString(), "u1");
}

TEST(GridFileStringList, WritesAndReadsLineByLine) {
  TFileStringList l;
  l.Write("a");
  l.Write("b");
  l.WriteLn("c");
  l.WriteLn("second");
  ASSERT_EQ(l.Count(), 2);
  EXPECT_EQ(l.Strings(0), "abc");
  l.Reset();
  QString s;
  EXPECT_FALSE(l.Eof());
  l.ReadLn(s);
  EXPECT_EQ(s, "abc");
  l.ReadLn(s);
  EXPECT_EQ(s, "second");
  EXPECT_TRUE(l.Eof());
  EXPECT_THROW(l.ReadLn(s), EListError);
  l.Reset();
  l.ReadLn(s);
  EXPECT_EQ(s, "abc");
}

TEST(GridControlList, FindsItemsByCellAndWindow) {
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  auto* a = new TCustomControl(form.get());
  a->SetParent(form.get());
  auto* b = new TCustomControl(form.get());
  b->SetParent(form.get());
  auto* windowless = new TGraphicControl(form.get());
  windowless->SetParent(form.get());
  {
    TControlList list;
    list.AddControl(1, 2, a);
    list.AddControl(1, 2, windowless);
    list.AddControl(3, 4, b);
    EXPECT_EQ(list.ControlIndex(1, 2), 0);  // the first item of the cell
    EXPECT_EQ(list.ControlIndex(3, 4), 2);
    EXPECT_EQ(list.ControlIndex(2, 1), -1);
    EXPECT_EQ(list.GetControl(1)->Control(), windowless);
    EXPECT_EQ(list.GetControl(2)->X(), 3);
    EXPECT_THROW(list.GetControl(3), EListError);

    EXPECT_TRUE(list.HasHandle(a->Handle()));
    EXPECT_TRUE(list.HasHandle(b->Handle()));
    EXPECT_FALSE(list.HasHandle(form->Handle()));
    list.RemoveControl(0);  // the item goes, its control stays
    EXPECT_FALSE(list.HasHandle(a->Handle()));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.ControlIndex(1, 2), 0);
    EXPECT_THROW(list.RemoveControl(5), EListError);
  }
  // The list is gone with its items; the controls are the form's.
  EXPECT_EQ(a->Parent(), form.get());
  EXPECT_EQ(windowless->Parent(), form.get());
}
