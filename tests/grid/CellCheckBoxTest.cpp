// Check boxes, three-state boxes, radio buttons and radio groups in cells of the
// string grid.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "grid/ProGrid.h"

namespace {

QString MessageOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return QStringLiteral("(nothing raised)");
}

// A grid that records every OnCheckBoxChange.
class CellCheckBox : public ::testing::Test {
 protected:
  void SetUp() override {
    G.OnCheckBoxChange = [this](TObject*, int c, int r, bool s) { Changes.emplace_back(c, r, s); };
  }
  TProStringGrid G{nullptr};
  std::vector<std::tuple<int, int, bool>> Changes;
};

}  // namespace

TEST_F(CellCheckBox, DataCheckBoxKeepsACheckTextAndWritesOneOtherwise) {
  G.SetCells(1, 1, QStringLiteral("N"));
  G.AddCheckBox(1, 1, true, true);
  EXPECT_EQ(G.Cells(1, 1), "N");
  EXPECT_FALSE(G.IsChecked(1, 1));
  G.AddCheckBox(1, 2, true, true);
  EXPECT_EQ(G.Cells(1, 2), "Y");
  EXPECT_TRUE(G.IsChecked(1, 2));
  G.SetCells(1, 3, QStringLiteral("maybe"));
  G.AddCheckBox(1, 3, false, true);
  EXPECT_EQ(G.Cells(1, 3), "N");
  EXPECT_EQ(G.GetCellType(1, 3), ctDataCheckBox);
  // The text decides the state afterwards.
  G.SetCells(1, 3, QStringLiteral("Y"));
  EXPECT_TRUE(G.IsChecked(1, 3));
}

TEST_F(CellCheckBox, StateQueriesWithoutACheckBoxLeaveTheVariable) {
  bool b = true;
  EXPECT_FALSE(G.GetCheckBoxState(2, 2, b));
  EXPECT_TRUE(b);
  TCheckBoxState s = cbGrayed;
  EXPECT_FALSE(G.GetCheckBoxState(2, 2, s));
  EXPECT_EQ(s, cbGrayed);
  EXPECT_FALSE(G.SetCheckBoxState(2, 2, true));
  EXPECT_EQ(G.Cells(2, 2), QString());
}

TEST_F(CellCheckBox, SetCheckBoxStateFiresNothingAUserToggleFires) {
  G.AddCheckBox(1, 1, false, false);
  G.AddCheckBox(2, 1, false, true);
  EXPECT_TRUE(G.SetCheckBoxState(1, 1, true));
  EXPECT_TRUE(G.SetCheckBoxState(2, 1, true));
  EXPECT_TRUE(G.IsChecked(1, 1));
  EXPECT_EQ(G.Cells(2, 1), "Y");
  // Writing the text is no toggle either.
  G.SetCells(2, 1, QStringLiteral("N"));
  EXPECT_TRUE(Changes.empty());

  G.SetOptions(G.Options() + TGridOptions{goEditing});
  EXPECT_TRUE(G.DoToggleCheckBox(1, 1, true));
  EXPECT_TRUE(G.DoToggleCheckBox(2, 1, true));
  EXPECT_EQ(G.Cells(2, 1), "Y");
  ASSERT_EQ(Changes.size(), 2u);
  EXPECT_EQ(Changes[0], std::make_tuple(1, 1, false));
  EXPECT_EQ(Changes[1], std::make_tuple(2, 1, true));
}

TEST_F(CellCheckBox, UserToggleIsRefusedWhereTheCellMayNotBeEdited) {
  G.AddCheckBox(2, 1, false, true);
  G.GetCellProperties(2, 1)->SetReadOnly(true);
  G.SetOptions(G.Options() + TGridOptions{goEditing});
  EXPECT_FALSE(G.DoToggleCheckBox(2, 1, true));
  EXPECT_EQ(G.Cells(2, 1), "N");
  // The program's toggle is not asked about editing, nor is it with CheckAlwaysActive.
  EXPECT_TRUE(G.ToggleCheckBox(2, 1));
  EXPECT_EQ(G.Cells(2, 1), "Y");
  G.ControlLook()->SetCheckAlwaysActive(true);
  EXPECT_TRUE(G.DoToggleCheckBox(2, 1, true));
  EXPECT_EQ(G.Cells(2, 1), "N");
}

TEST_F(CellCheckBox, CheckAllFiresOncePerRealChange) {
  G.AddCheckBoxColumn(1);
  G.SetCheckBoxState(1, 3, true);
  G.CheckAll(1);
  EXPECT_EQ(Changes.size(), 8u);  // rows 1..9 but row 3
  for (int r = 1; r < 10; ++r) EXPECT_TRUE(G.IsChecked(1, r)) << r;
  Changes.clear();
  G.UnCheckAll(1);
  EXPECT_EQ(Changes.size(), 9u);
}

TEST_F(CellCheckBox, ThreeStateCyclesOnOrdinaryAndNodeRows) {
  G.AddCheckBox(1, 5, cbUnchecked);
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    G.ToggleCheckBox(1, 5);
    TCheckBoxState s = cbUnchecked;
    ASSERT_TRUE(G.GetCheckBoxState(1, 5, s));
    seen.push_back(s);
  }
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
  // Only the three-state overload writes a three-state box.
  EXPECT_FALSE(G.SetCheckBoxState(1, 5, true));
  EXPECT_TRUE(G.SetCheckBoxState(1, 5, cbGrayed));

  G.Grouping()->SetAutoCheckGroup(true);
  G.AddNode(1, 4);
  G.AddCheckBoxColumn(2);
  EXPECT_EQ(G.GetCellType(2, 1), ctTriStateCheckBox);
  seen.clear();
  for (int i = 0; i < 2; ++i) {
    G.ToggleCheckBox(2, 1);
    TCheckBoxState s = cbGrayed;
    G.GetCheckBoxState(2, 1, s);
    seen.push_back(s);
  }
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));
}

TEST_F(CellCheckBox, AutoCheckGroupFollowsTheChildren) {
  G.Grouping()->SetAutoCheckGroup(true);
  G.AddNode(1, 4);  // node row 1, children 2..4
  G.AddCheckBoxColumn(1);
  TCheckBoxState s = cbChecked;
  G.ToggleCheckBox(1, 3);
  G.GetCheckBoxState(1, 1, s);
  EXPECT_EQ(s, cbGrayed);
  G.ToggleCheckBox(1, 2);
  G.ToggleCheckBox(1, 4);
  G.GetCheckBoxState(1, 1, s);
  EXPECT_EQ(s, cbChecked);
  // Unchecking the node unchecks every child.
  G.ToggleCheckBox(1, 1);
  for (int r = 2; r <= 4; ++r) EXPECT_FALSE(G.IsChecked(1, r)) << r;
  // A row outside the node leaves it alone.
  G.ToggleCheckBox(1, 6);
  G.GetCheckBoxState(1, 1, s);
  EXPECT_EQ(s, cbUnchecked);
}

TEST_F(CellCheckBox, InvalidCellsAreRefused) {
  const struct {
    int Col, Row;
  } cells[] = {{5, 1}, {1, 10}, {-1, 1}, {1, -1}};
  for (const auto& c : cells) {
    EXPECT_EQ(MessageOf([&] { G.AddCheckBox(c.Col, c.Row, true, false); }), "Invalid cell")
        << c.Col << "," << c.Row;
    EXPECT_EQ(MessageOf([&] { G.AddCheckBox(c.Col, c.Row, cbChecked); }), "Invalid cell");
    EXPECT_EQ(MessageOf([&] { G.AddRadioButton(c.Col, c.Row, true); }), "Invalid cell");
  }
  EXPECT_EQ(G.GetCellType(4, 9), ctEmpty);
  EXPECT_EQ(MessageOf([&] { G.AddCheckBox(4, 9, true, false); }), "(nothing raised)");
}

TEST_F(CellCheckBox, RadioButtonsAreExclusiveInTheirColumnFixedRowsIncluded) {
  G.AddRadioButton(2, 0, true);
  G.AddRadioButtonColumn(2);
  G.SetRadioButtonColumnIndex(2, 4);
  EXPECT_EQ(G.GetRadioButtonColumnIndex(2), 4);
  EXPECT_TRUE(G.IsRadioButtonChecked(2, 0));
  EXPECT_TRUE(G.DoToggleRadioButton(2, 7, false));
  EXPECT_TRUE(G.IsRadioButtonChecked(2, 7));
  EXPECT_FALSE(G.IsRadioButtonChecked(2, 4));
  EXPECT_FALSE(G.IsRadioButtonChecked(2, 0));
  EXPECT_EQ(G.GetRadioButtonColumnIndex(2), 7);
  // Choosing the chosen one again changes nothing and answers True.
  EXPECT_TRUE(G.DoToggleRadioButton(2, 7, false));
  EXPECT_FALSE(G.DoToggleRadioButton(3, 7, false));
  // SetRadioButtonState touches only its own button.
  EXPECT_TRUE(G.SetRadioButtonState(2, 3, true));
  EXPECT_TRUE(G.IsRadioButtonChecked(2, 7));
  EXPECT_FALSE(G.SetRadioButtonState(3, 3, true));
  G.RemoveRadioButtonColumn(2);
  EXPECT_FALSE(G.HasRadioButton(2, 3));
  EXPECT_TRUE(G.HasRadioButton(2, 0));
}

TEST_F(CellCheckBox, RadioGroupCyclesThroughItsOptions) {
  TStrings* options = G.CreateRadio(1, 1, 0, 2);
  options->Add(QStringLiteral("a"));
  options->Add(QStringLiteral("b"));
  options->Add(QStringLiteral("c"));
  EXPECT_TRUE(G.IsRadio(1, 1));
  EXPECT_EQ(G.GetRadioStrings(1, 1), options);
  EXPECT_FALSE(G.CycleRadio(1, 1, false));
  int idx = -5;
  EXPECT_TRUE(G.GetRadioIdx(1, 1, idx));
  EXPECT_EQ(idx, 0);
  EXPECT_EQ(G.Cells(1, 1), "a");
  G.CycleRadio(1, 1, false);
  EXPECT_EQ(G.Cells(1, 1), "b");
  // A group that keeps its choice in the text steps from the text.
  G.SetRadioIdx(1, 1, -2);
  G.CycleRadio(1, 1, false);
  EXPECT_EQ(G.Cells(1, 1), "c");
  EXPECT_TRUE(G.GetRadioIdx(1, 1, idx));
  EXPECT_EQ(idx, -2);
  // -1 clears the text.
  EXPECT_TRUE(G.SetRadioIdx(1, 1, -1));
  EXPECT_EQ(G.Cells(1, 1), QString());
  idx = 9;
  EXPECT_FALSE(G.GetRadioIdx(2, 2, idx));
  EXPECT_EQ(idx, 9);
}

TEST_F(CellCheckBox, RowCheckBoxToggleSelectsTheRowAndLeavesItsText) {
  G.MouseActions()->SetHotmailRowSelect(true);
  G.SetCells(0, 3, QStringLiteral("3"));
  EXPECT_TRUE(G.HasCheckBox(0, 3));
  EXPECT_TRUE(G.HasDataCheckBox(0, 3));
  EXPECT_TRUE(G.ToggleCheckBox(0, 3));
  EXPECT_TRUE(G.RowSelect(3));
  EXPECT_EQ(G.Cells(0, 3), "3");
  ASSERT_EQ(Changes.size(), 1u);
  EXPECT_EQ(Changes[0], std::make_tuple(0, 3, true));
  EXPECT_TRUE(G.ToggleCheckBox(0, 3));
  EXPECT_FALSE(G.RowSelect(3));
  EXPECT_EQ(G.Cells(0, 3), "3");
  // The state reads and writes follow the selection.
  EXPECT_TRUE(G.SetCheckBoxState(0, 5, true));
  EXPECT_TRUE(G.IsChecked(0, 5));
  EXPECT_TRUE(G.RowSelect(5));
}

TEST_F(CellCheckBox, StateOfAHiddenRowIsReadAndWrittenWhereItIsKept) {
  G.AddCheckBox(1, 4, true, false);
  G.AddCheckBox(2, 4, false, true);
  G.HideRow(4);
  bool s = false;
  EXPECT_TRUE(G.GetCheckBoxState(1, 4, s));
  EXPECT_TRUE(s);
  EXPECT_TRUE(G.SetCheckBoxState(2, 4, true));
  // A hidden row without a box of its own has none, whatever row is shown in its place.
  G.AddCheckBox(1, 6, false, false);
  G.HideRow(5);
  EXPECT_FALSE(G.SetCheckBoxState(1, 5, true));
  EXPECT_FALSE(G.IsChecked(1, 6));
  G.UnHideRow(4);
  EXPECT_EQ(G.Cells(2, 4), "Y");
  EXPECT_TRUE(G.IsChecked(1, 4));
}

TEST_F(CellCheckBox, HitTestOfThePreciseCheckBox) {
  G.AddCheckBox(1, 1, false, false);
  EXPECT_TRUE(G.IsInCheckBox(1, 1, -100, -100));  // anywhere without precise checking
  EXPECT_FALSE(G.IsInCheckBox(2, 1, 0, 0));
  G.MouseActions()->SetPreciseCheckBoxCheck(true);
  const TRect R = G.CellRect(1, 1);
  EXPECT_TRUE(G.IsInCheckBox(1, 1, R.Left + 2, R.Top + 2));
  EXPECT_TRUE(G.IsInCheckBox(1, 1, R.Left + 16, R.Top + 16));
  EXPECT_FALSE(G.IsInCheckBox(1, 1, R.Left + 17, R.Top + 2));
  EXPECT_FALSE(G.IsInCheckBox(1, 1, R.Left + 1, R.Top + 2));
}

TEST_F(CellCheckBox, CheckBoxColumnSkipsSummaryRowsAndGivesNodesThreeStates) {
  G.AddNode(2, 3);
  G.CreateCellGraphic(0, 6)->SetCellType(ctSummary);
  G.AddCheckBoxColumn(1, true, true);
  EXPECT_EQ(G.GetCellType(1, 0), ctEmpty);  // from FixedRows without CheckAllCheck
  EXPECT_EQ(G.GetCellType(1, 1), ctDataCheckBox);
  EXPECT_EQ(G.Cells(1, 1), "Y");
  EXPECT_EQ(G.GetCellType(1, 2), ctTriStateCheckBox);
  EXPECT_EQ(G.GetCellType(1, 6), ctEmpty);
  G.RemoveCheckBoxColumn(1);
  for (int r = 0; r < 10; ++r) EXPECT_FALSE(G.HasCheckBox(1, r)) << r;
  G.MouseActions()->SetCheckAllCheck(true);
  G.AddTriStateCheckBoxColumn(3, cbGrayed);
  TCheckBoxState s = cbUnchecked;
  EXPECT_TRUE(G.GetCheckBoxState(3, 0, s));
  EXPECT_EQ(s, cbGrayed);
}

TEST_F(CellCheckBox, UserToggleIsRecordedForUndo) {
  TProGridUndoRedo undo(nullptr);
  G.SetUndoRedo(&undo);
  G.AddCheckBox(1, 2, false, true);
  G.ToggleCheckBox(1, 2);
  ASSERT_EQ(undo.Items()->Count(), 1);
  EXPECT_EQ(undo.Items()->Items(0)->OrigValue(), "N");
  EXPECT_EQ(undo.Items()->Items(0)->Value(), "Y");
  undo.Undo();
  EXPECT_EQ(G.Cells(1, 2), "N");
  G.SetUndoRedo(nullptr);
}
