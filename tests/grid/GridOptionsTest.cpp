// The grid's option objects: defaults, setters that notify, and Assign.
#include <gtest/gtest.h>

#include "grid/ProGrid.h"

namespace {

// Counts the notifications of an event.
struct Counter {
  int Count = 0;
  TNotifyEvent Event() {
    return [this](TObject*) { ++Count; };
  }
};

}  // namespace

TEST(GridSearchFooter, DefaultsAndDesignCaptions) {
  TSearchFooter run(nullptr, false);
  EXPECT_FALSE(run.Visible());
  EXPECT_EQ(run.Color(), clWhite);
  EXPECT_EQ(run.ColorTo(), clBtnFace);
  for (const QString& s : {run.FindNextCaption(), run.FindPrevCaption(), run.MatchCaseCaption(),
                           run.HighLightCaption(), run.HintClose(), run.HintFindNext(),
                           run.HintFindPrev(), run.HintHighlight()})
    EXPECT_EQ(s, "");
  EXPECT_TRUE(run.ShowClose() && run.ShowFindNext() && run.ShowFindPrev() && run.ShowHighLight() &&
              run.ShowMatchCase());
  EXPECT_TRUE(run.AutoSearch());
  EXPECT_FALSE(run.AlwaysHighLight());
  EXPECT_EQ(run.SearchColumn(), -1);
  EXPECT_FALSE(run.SearchActiveColumnOnly() || run.SearchMatchStart() || run.SearchFixedCells() ||
               run.SearchHiddenRows() || run.AutoThemeAdapt());
  EXPECT_EQ(run.SearchDirection(), sdTopBottom);
  EXPECT_EQ(run.LastSearch(), "");

  TSearchFooter design(nullptr, true);
  EXPECT_EQ(design.FindNextCaption(), "Find &next");
  EXPECT_EQ(design.FindPrevCaption(), "Find &previous");
  EXPECT_EQ(design.MatchCaseCaption(), "Match case");
  EXPECT_EQ(design.HighLightCaption(), "Highlight");
  EXPECT_EQ(design.HintClose(), "Close");
  EXPECT_EQ(design.HintFindNext(), "Find next occurrence");
  EXPECT_EQ(design.HintFindPrev(), "Find previous occurrence");
  EXPECT_EQ(design.HintHighlight(), "Highlight occurrences");
}

TEST(GridSearchFooter, SettersNotifyShowAndVisibleOnlyOnChange) {
  TSearchFooter f(nullptr, false);
  Counter c;
  f.OnChange = c.Event();
  f.SetVisible(false);
  f.SetShowClose(true);
  EXPECT_EQ(c.Count, 0);
  f.SetVisible(true);
  f.SetShowMatchCase(false);
  EXPECT_EQ(c.Count, 2);
  // The other setters notify every time.
  f.SetColor(f.Color());
  f.SetFindNextCaption("x");
  f.SetSearchColumn(-1);
  f.SetAutoThemeAdapt(false);
  TFont font;
  f.SetFont(&font);
  EXPECT_EQ(c.Count, 7);
}

TEST(GridSearchFooter, AssignCopiesAllButTheSearchState) {
  TSearchFooter src(nullptr, true), dst(nullptr, false);
  src.SetVisible(true);
  src.SetColor(clRed);
  src.SetColorTo(clBlue);
  src.SetShowFindPrev(false);
  src.SetAlwaysHighLight(true);
  src.SetSearchColumn(3);
  src.SetSearchDirection(sdLeftRight);
  src.SetSearchHiddenRows(true);
  src.SetSearchActiveColumnOnly(true);
  src.SetSearchMatchStart(true);
  src.Font()->SetName("Courier New");
  src.SetAutoSearch(false);
  src.SetSearchFixedCells(true);
  src.SetAutoThemeAdapt(true);
  src.SetLastSearch("abc");
  Counter c;
  dst.OnChange = c.Event();
  dst.Assign(&src);
  EXPECT_EQ(c.Count, 0);
  EXPECT_TRUE(dst.Visible());
  EXPECT_EQ(dst.Color(), clRed);
  EXPECT_EQ(dst.ColorTo(), clBlue);
  EXPECT_EQ(dst.FindNextCaption(), "Find &next");
  EXPECT_EQ(dst.HintHighlight(), "Highlight occurrences");
  EXPECT_FALSE(dst.ShowFindPrev());
  EXPECT_TRUE(dst.AlwaysHighLight());
  EXPECT_EQ(dst.SearchColumn(), 3);
  EXPECT_EQ(dst.SearchDirection(), sdLeftRight);
  EXPECT_TRUE(dst.SearchHiddenRows() && dst.SearchActiveColumnOnly() && dst.SearchMatchStart());
  EXPECT_EQ(dst.Font()->Name(), "Courier New");
  // Not copied.
  EXPECT_TRUE(dst.AutoSearch());
  EXPECT_FALSE(dst.SearchFixedCells());
  EXPECT_FALSE(dst.AutoThemeAdapt());
  EXPECT_EQ(dst.LastSearch(), "");
}

TEST(GridNavigation, Defaults) {
  TNavigation n;
  EXPECT_FALSE(n.AllowInsertRow() || n.AllowDeleteRow() || n.AlwaysEdit() || n.AdvanceOnEnter() ||
               n.AdvanceInsert() || n.AdvanceAuto() || n.AutoGotoWhenSorted() ||
               n.AutoGotoIncremental() || n.AutoComboDropSize() || n.AllowClipboardShortCuts() ||
               n.AllowSmartClipboard() || n.AllowRTFClipboard() || n.AllowFmtClipboard() ||
               n.AllowClipboardAlways() || n.AppendOnArrowDown() || n.CursorWalkEditor() ||
               n.CursorMoveRows() || n.MoveRowOnSort() || n.KeepScrollOnSort() ||
               n.MoveScrollOnly() || n.ImproveMaskSel() || n.KeepHorizScroll() ||
               n.LineFeedOnEnter() || n.TabToNextAtEnd());
  EXPECT_TRUE(n.AdvanceOnEnterLoop() && n.AdvanceAutoEdit() && n.AdvanceSkipReadOnlyCells() &&
              n.AllowCtrlEnter() && n.AllowClipboardRowGrow() && n.AllowClipboardColGrow() &&
              n.EditSelectAll() && n.ComboGetUpDown() && n.CursorWalkAlwaysEdit() &&
              n.LeftRightRowSelect() && n.CopyHTMLTagsToClipboard() && n.SkipFixedCells() &&
              n.SkipDisabledRows());
  EXPECT_EQ(n.AdvanceDirection(), adLeftRight);
  EXPECT_EQ(n.TabAdvanceDirection(), adLeftRight);
  EXPECT_EQ(n.InsertPosition(), pInsertBefore);
  EXPECT_EQ(n.ClipboardPasteAction(), paReplace);
  EXPECT_EQ(n.CursorAdvance(), caDefault);
  EXPECT_EQ(n.HomeEndKey(), heFirstLastColumn);
}

TEST(GridNavigation, SettersWithSideEffects) {
  TNavigation n;
  Counter c;
  n.OnChange = c.Event();
  n.SetAdvanceDirection(adLeftRight);
  n.SetAdvanceInsert(false);
  EXPECT_EQ(c.Count, 0);
  n.SetAdvanceDirection(adTopBottom);
  n.SetAdvanceInsert(true);
  EXPECT_EQ(c.Count, 2);
  n.SetAdvanceAuto(true);
  EXPECT_TRUE(n.AdvanceOnEnter());
  EXPECT_EQ(c.Count, 2);
  n.SetAdvanceOnEnter(false);
  n.SetAdvanceAuto(false);
  EXPECT_FALSE(n.AdvanceOnEnter());
}

TEST(GridNavigation, AssignCopiesAllButKeepScrollOnSort) {
  TNavigation src, dst;
  src.SetTabAdvanceDirection(adTopBottomInCol);
  src.SetAdvanceDirection(adTopBottom);
  src.SetHomeEndKey(heFirstLastCell);
  src.SetAllowFmtClipboard(true);
  src.SetSkipDisabledRows(false);
  src.SetKeepScrollOnSort(true);
  Counter c;
  dst.OnChange = c.Event();
  dst.Assign(&src);
  EXPECT_EQ(c.Count, 1);  // AdvanceDirection changed
  EXPECT_EQ(dst.TabAdvanceDirection(), adTopBottomInCol);
  EXPECT_EQ(dst.AdvanceDirection(), adTopBottom);
  EXPECT_EQ(dst.HomeEndKey(), heFirstLastCell);
  EXPECT_TRUE(dst.AllowFmtClipboard());
  EXPECT_FALSE(dst.SkipDisabledRows());
  EXPECT_FALSE(dst.KeepScrollOnSort());
}

TEST(GridMouseActions, Defaults) {
  TMouseActions m(nullptr);
  EXPECT_FALSE(m.RowSelect() || m.ColSelect() || m.AllSelect() || m.SizeFixedCol() ||
               m.SizeFixedRow() || m.AllColumnSize() || m.AllRowSize() || m.CheckAllCheck() ||
               m.DirectComboDrop() || m.DirectDateDrop() || m.DirectComboClose() ||
               m.DirectDateClose() || m.DirectEdit() || m.DisjunctRowSelect() ||
               m.DisjunctColSelect() || m.DisjunctCellSelect() || m.DisjunctRowSelectNoCtrl() ||
               m.EditOnDblClickOnly() || m.HotmailRowSelect() || m.MoveRowOnNodeClick() ||
               m.NoScrollOnPartialRow() || m.PreciseCheckBoxCheck() || m.RangeSelectAndEdit() ||
               m.RowSelectPersistent() || m.SelectOnRightClick() || m.CaretPositioning() ||
               m.NoAutoRangeScroll() || m.NodeAllExpandContract() || m.DisjunctRowSelectDirect());
  EXPECT_TRUE(m.AutoSizeColOnDblClick() && m.PreciseNodeClick());
  EXPECT_EQ(m.FixedRowsEdit(), fceNone);
  EXPECT_EQ(m.FixedColsEdit(), fceNone);
  EXPECT_EQ(m.FixedRowsEditor(), fceEdit);
  EXPECT_EQ(m.FixedColsEditor(), fceEdit);
  EXPECT_EQ(m.FixedComboValues()->Count(), 0);
  EXPECT_EQ(m.WheelAction(), waMoveSelection);
  EXPECT_EQ(m.WheelIncrement(), 0);
}

TEST(GridMouseActions, DisjunctSelectionsExcludeEachOtherOnlyInTheDesigner) {
  TMouseActions m(nullptr);
  bool designing = false;
  m.OnIsDesigning = [&](TObject*) { return designing; };
  m.SetDisjunctRowSelect(true);
  m.SetDisjunctCellSelect(true);
  EXPECT_TRUE(m.DisjunctRowSelect());
  EXPECT_TRUE(m.DisjunctCellSelect());
  designing = true;
  m.SetDisjunctColSelect(true);
  EXPECT_FALSE(m.DisjunctRowSelect());
  EXPECT_FALSE(m.DisjunctCellSelect());
  EXPECT_TRUE(m.DisjunctColSelect());
  // Switching one off touches nothing else.
  m.SetDisjunctRowSelect(true);
  m.SetDisjunctRowSelect(false);
  EXPECT_FALSE(m.DisjunctColSelect());
}

TEST(GridMouseActions, SettersWithSideEffects) {
  TMouseActions m(nullptr);
  Counter invalidate, disable, change;
  m.OnInvalidate = invalidate.Event();
  m.OnDisableEdit = disable.Event();
  m.OnChange = change.Event();
  m.SetHotmailRowSelect(true);
  EXPECT_TRUE(m.DisjunctRowSelect());
  EXPECT_TRUE(m.CheckAllCheck());
  EXPECT_EQ(invalidate.Count, 1);
  m.SetHotmailRowSelect(false);
  EXPECT_TRUE(m.DisjunctRowSelect());
  EXPECT_TRUE(m.CheckAllCheck());
  EXPECT_EQ(invalidate.Count, 2);
  m.SetEditOnDblClickOnly(false);
  EXPECT_EQ(disable.Count, 0);
  m.SetEditOnDblClickOnly(true);
  EXPECT_EQ(disable.Count, 1);
  m.SetWheelAction(waMoveSelection);
  EXPECT_EQ(change.Count, 0);
  m.SetWheelAction(waScroll);
  EXPECT_EQ(change.Count, 1);
  TStringList values;
  values.Add("a");
  m.SetFixedComboValues(&values);
  values.Add("b");
  EXPECT_EQ(m.FixedComboValues()->Count(), 1);
}

TEST(GridMouseActions, AssignLeavesOutFourSettings) {
  TMouseActions src(nullptr), dst(nullptr);
  src.SetEditOnDblClickOnly(true);
  src.FixedComboValues()->Add("x");
  src.SetHotmailRowSelect(true);  // also DisjunctRowSelect and CheckAllCheck
  src.SetSizeFixedRow(true);
  src.SetSizeFixedCol(true);
  src.SetWheelIncrement(3);
  src.SetFixedColsEditor(fceComboList);
  src.SetNodeAllExpandContract(true);
  dst.Assign(&src);
  EXPECT_FALSE(dst.EditOnDblClickOnly());
  EXPECT_EQ(dst.FixedComboValues()->Count(), 0);
  EXPECT_FALSE(dst.HotmailRowSelect());
  EXPECT_FALSE(dst.SizeFixedRow());
  EXPECT_TRUE(dst.DisjunctRowSelect());
  EXPECT_TRUE(dst.CheckAllCheck());
  EXPECT_TRUE(dst.SizeFixedCol());
  EXPECT_EQ(dst.WheelIncrement(), 3);
  EXPECT_EQ(dst.FixedColsEditor(), fceComboList);
  EXPECT_TRUE(dst.NodeAllExpandContract());
}

TEST(GridSyncGrid, NeverFollowsItselfAndAssignsAllSeven) {
  TProStringGrid owner(nullptr), other(nullptr);
  TSyncGrid& s = *owner.SyncGrid();
  EXPECT_EQ(s.Grid(), nullptr);
  EXPECT_FALSE(s.ScrollVertical() || s.ScrollHorizontal() || s.SelectionColumn() ||
               s.SelectionRow() || s.MoveColumn() || s.MoveRow());
  s.SetGrid(&other);
  s.SetGrid(&owner);
  EXPECT_EQ(s.Grid(), &other);

  TSyncGrid src(nullptr);
  src.SetGrid(&owner);  // its own owner is another grid
  src.SetScrollVertical(true);
  src.SetMoveRow(true);
  s.Assign(&src);
  EXPECT_EQ(s.Grid(), &other);  // through the setter: the owner is refused
  EXPECT_TRUE(s.ScrollVertical());
  EXPECT_TRUE(s.MoveRow());
  EXPECT_FALSE(s.SelectionRow());
}

TEST(GridBands, DefaultsAndNotificationsWhileActive) {
  TBands b;
  EXPECT_FALSE(b.Active());
  EXPECT_EQ(b.PrimaryColor(), clInfoBk);
  EXPECT_EQ(b.SecondaryColor(), clWindow);
  EXPECT_EQ(b.PrimaryLength(), 1);
  EXPECT_EQ(b.SecondaryLength(), 1);
  EXPECT_EQ(b.TotalLength(), 2);
  EXPECT_FALSE(b.Print());
  Counter c;
  b.OnChange = c.Event();
  b.SetPrimaryLength(3);
  b.SetPrimaryColor(clRed);
  EXPECT_EQ(b.TotalLength(), 4);
  EXPECT_EQ(c.Count, 0);
  b.SetActive(true);
  b.SetActive(true);
  EXPECT_EQ(c.Count, 1);
  b.SetSecondaryLength(2);
  b.SetSecondaryLength(2);
  b.SetSecondaryColor(clWindow);
  b.SetSecondaryColor(clBlue);
  EXPECT_EQ(c.Count, 3);
  EXPECT_EQ(b.TotalLength(), 5);
}

TEST(GridBands, AssignCopiesLengthsPrintAndTheirTotal) {
  TBands src, dst;
  src.SetPrimaryLength(2);
  src.SetSecondaryLength(5);
  src.SetPrint(true);
  src.SetActive(true);
  Counter c;
  dst.OnChange = c.Event();
  dst.Assign(&src);
  EXPECT_EQ(c.Count, 0);
  EXPECT_TRUE(dst.Print());
  EXPECT_TRUE(dst.Active());
  EXPECT_EQ(dst.PrimaryLength(), 2);
  EXPECT_EQ(dst.SecondaryLength(), 5);
  // The total follows the copied lengths, so bands paint with the new period.
  EXPECT_EQ(dst.TotalLength(), 7);
}

TEST(GridFocusHelper, DefaultAndAssign) {
  TFocusHelper a(nullptr), b(nullptr);
  EXPECT_FALSE(a.Enabled());
  a.SetEnabled(true);
  b.Assign(&a);
  EXPECT_TRUE(b.Enabled());
  TBands other;
  b.SetEnabled(false);
  b.Assign(&other);
  EXPECT_FALSE(b.Enabled());
}
