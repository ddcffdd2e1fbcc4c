// The string grid's keyboard on a form shown offscreen, with real key events:
// cursor modes, Home and End, skipping fixed cells, appending, Tab, editing,
// insert, delete and clipboard keys, the update lock, auto-size and the
// incremental-search timeout driven by the grid's timer.
#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QTest>
#include <vector>

#include "grid/ProGrid.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// A string grid that counts its paints.
class TCountingGrid : public TProStringGrid {
 public:
  using TProStringGrid::TProStringGrid;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    TProStringGrid::Paint();
  }
};

// A grid of 6 columns and 20 rows (one fixed of each) on a shown form, holding
// the focus; every cell holds "c,r".
class GridKeys : public testing::Test {
 protected:
  void SetUp() override {
    G = new TCountingGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 400, 200);
    G->SetColCount(6);
    G->SetRowCount(20);
    for (int c = 0; c < 6; ++c)
      for (int r = 0; r < 20; ++r) G->SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    F.Show();
    G->SetFocus();
    // The keys heard, without the modifier keys' own presses.
    G->OnKeyDown = [this](TObject*, Word& k, TShiftState) {
      if (k != VK_SHIFT && k != VK_CONTROL && k != VK_MENU) Keys.push_back(k);
    };
  }
  // A key through the platform; the update lock is always released after it.
  void Key(Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    QTest::keyClick(G->View(), K, Mods);
    EXPECT_FALSE(G->LockUpdate()) << "lock left after key " << K;
  }
  void Type(char C) { QTest::keyClick(G->View(), C); }
  void Goto(int C, int R) { G->FocusCell(C, R); }
  TPoint Cur() const { return TPoint(G->Col(), G->Row()); }
  TShownForm F{500, 300};
  TCountingGrid* G = nullptr;
  std::vector<Word> Keys;
};

// ------------------------------------------------------------ cursor modes

TEST_F(GridKeys, ScrollOnlyModeMovesTheTopRowAlone) {
  G->Navigation()->SetMoveScrollOnly(true);
  Goto(2, 1);
  const int vis = G->VisibleRowCount();
  Key(Qt::Key_Down);
  EXPECT_EQ(G->TopRow(), 2);
  EXPECT_EQ(Cur(), TPoint(2, 1));
  EXPECT_TRUE(Keys.empty());  // OnKeyDown does not fire in this mode
  Key(Qt::Key_End);
  EXPECT_EQ(G->TopRow(), 20 - vis);
  Key(Qt::Key_Home);
  EXPECT_EQ(G->TopRow(), 1);
  // Page Up with TopRow = FixedRows + VisibleRowCount goes to FixedRows, not
  // to TopRow - VisibleRowCount.
  G->SetTopRow(1 + vis);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(G->TopRow(), 1);
  // Left and Right still move the cell.
  Key(Qt::Key_Right);
  EXPECT_EQ(Cur(), TPoint(3, 1));
}

TEST_F(GridKeys, HomeAndEndByMode) {
  struct TCase {
    THomeEndAction Mode;
    Qt::Key K;
    Qt::KeyboardModifiers Mods;
    TPoint Expected;
    TGridRect Sel;  // Left < 0: the single current cell
  };
  const TCase cases[] = {
      {heFirstLastCell, Qt::Key_Home, Qt::NoModifier, {1, 1}, {-1, 0, 0, 0}},
      {heFirstLastCell, Qt::Key_End, Qt::NoModifier, {5, 19}, {-1, 0, 0, 0}},
      {heFirstLastColumn, Qt::Key_End, Qt::NoModifier, {5, 7}, {-1, 0, 0, 0}},
      {heFirstLastColumn, Qt::Key_Home, Qt::NoModifier, {1, 7}, {-1, 0, 0, 0}},
      // Ctrl+End is left to the standard moves: the last cell.
      {heFirstLastColumn, Qt::Key_End, Qt::ControlModifier, {5, 19}, {-1, 0, 0, 0}},
      {heFirstLastColumn, Qt::Key_Home, Qt::ControlModifier, {1, 1}, {-1, 0, 0, 0}},
      {heFirstLastRow, Qt::Key_End, Qt::NoModifier, {3, 19}, {-1, 0, 0, 0}},
      {heFirstLastRow, Qt::Key_Home, Qt::NoModifier, {3, 1}, {-1, 0, 0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.Mode << " key " << c.K << " mods " << c.Mods);
    G->Navigation()->SetHomeEndKey(c.Mode);
    Goto(3, 7);
    Keys.clear();
    Key(c.K, c.Mods);
    EXPECT_EQ(Cur(), c.Expected);
    EXPECT_EQ(Keys.size(), 1u);  // OnKeyDown once
  }
}

TEST_F(GridKeys, ShiftEndSelectsToTheLastNormalColumn) {
  G->SetFixedRightCols(1);
  Goto(2, 4);
  Key(Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(G->Selection(), (TGridRect{2, 4, 4, 4}));
  EXPECT_EQ(Keys.size(), 1u);
  // Plain End asks for the last column, a fixed right column: the cell
  // selection refuses fixed cells, so the cursor stays.
  Goto(2, 4);
  Key(Qt::Key_End);
  EXPECT_EQ(G->Col(), 2);
}

TEST_F(GridKeys, ArrowsJumpOverFixedCells) {
  G->OnIsFixedCell = [](TObject*, int ARow, int ACol, bool& IsFixed) {
    IsFixed = IsFixed || ((ACol == 2 || ACol == 3) && ARow >= 1) || (ACol == 1 && ARow == 5);
  };
  Goto(1, 4);
  Key(Qt::Key_Right);
  EXPECT_EQ(Cur(), TPoint(4, 4));
  EXPECT_EQ(Keys.size(), 1u);
  Key(Qt::Key_Left);
  EXPECT_EQ(Cur(), TPoint(1, 4));
  Key(Qt::Key_Down);
  EXPECT_EQ(Cur(), TPoint(1, 6));
  Key(Qt::Key_Up);
  EXPECT_EQ(Cur(), TPoint(1, 4));
  // A run reaching the fixed right columns: the column stays, the key still
  // reaches OnKeyDown once and the standard move is suppressed.
  G->SetFixedRightCols(2);
  G->OnIsFixedCell = [](TObject*, int, int ACol, bool& IsFixed) { IsFixed = IsFixed || ACol == 3; };
  Goto(2, 4);
  Keys.clear();
  Key(Qt::Key_Right);
  EXPECT_EQ(Cur(), TPoint(2, 4));
  EXPECT_EQ(Keys.size(), 1u);
}

TEST_F(GridKeys, DownOnTheLastRowAppendsOnceUnlessVetoed) {
  G->Navigation()->SetAppendOnArrowDown(true);
  std::vector<int> added;
  G->OnAutoAddRow = [&](TObject*, int ARow) { added.push_back(ARow); };
  Goto(2, 19);
  Key(Qt::Key_Down);
  EXPECT_EQ(G->RowCount(), 21);
  EXPECT_EQ(added, (std::vector<int>{20}));
  EXPECT_EQ(Cur(), TPoint(2, 20));
  EXPECT_EQ(G->Cells(2, 20), "");
  bool asked = false;
  G->OnCanAddRow = [&](TObject*, bool& CanAdd) {
    asked = true;
    CanAdd = false;
  };
  Key(Qt::Key_Down);
  EXPECT_TRUE(asked);
  EXPECT_EQ(G->RowCount(), 21);
  EXPECT_EQ(added.size(), 1u);
}

TEST_F(GridKeys, CursorAdvanceWrapsAtTheEdges) {
  G->Navigation()->SetCursorAdvance(caLoop);
  Goto(5, 4);
  Key(Qt::Key_Right);
  EXPECT_EQ(Cur(), TPoint(1, 4));
  G->Navigation()->SetCursorAdvance(caSnake);
  Goto(5, 4);
  Key(Qt::Key_Right);
  EXPECT_EQ(Cur(), TPoint(1, 5));
  Key(Qt::Key_Left);
  EXPECT_EQ(Cur(), TPoint(5, 4));
}

TEST_F(GridKeys, CtrlArrowsMoveRowsButNotPastTheEnds) {
  G->Navigation()->SetCursorMoveRows(true);
  Goto(2, 5);
  Key(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(G->Cells(2, 6), "2,5");
  EXPECT_EQ(G->Row(), 6);
  Goto(2, 19);
  Key(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(G->Cells(2, 19), "2,19");
  Goto(2, 1);
  Key(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(G->Cells(2, 1), "2,1");
}

TEST_F(GridKeys, TheSynchronisedGridFollows) {
  TStringGrid other(nullptr);
  other.SetColCount(6);
  other.SetRowCount(20);
  G->SyncGrid()->SetGrid(&other);
  G->SyncGrid()->SetSelectionRow(true);
  Goto(2, 2);
  Key(Qt::Key_Down);
  EXPECT_EQ(other.Row(), 3);
  EXPECT_EQ(other.Col(), 1);
  G->SyncGrid()->SetSelectionColumn(true);
  Key(Qt::Key_Right);
  EXPECT_EQ(other.Col(), 3);
  G->SyncGrid()->SetGrid(nullptr);
}

TEST_F(GridKeys, CtrlASelectsTheNormalCells) {
  G->SetFixedRightCols(1);
  G->SetOptions(G->Options() - goRangeSelect);
  Goto(2, 2);
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(G->Selection(), (TGridRect{2, 2, 2, 2}));  // needs range or row selection
  G->SetOptions(G->Options() + goRangeSelect);
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(G->Selection(), (TGridRect{1, 1, 4, 19}));
  EXPECT_EQ(Cur(), TPoint(4, 19));
}

TEST_F(GridKeys, SelectionChangedOncePerMove) {
  std::vector<TGridRect> seen;
  G->OnSelectionChanged = [&](TObject*, int L, int T, int R, int B) { seen.push_back(TGridRect{L, T, R, B}); };
  Goto(2, 2);
  Key(Qt::Key_Down);
  Key(Qt::Key_Right, Qt::ShiftModifier);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], (TGridRect{2, 3, 2, 3}));
  EXPECT_EQ(seen[1], (TGridRect{2, 3, 3, 3}));
}

// ------------------------------------------------------------ Tab

class GridTab : public GridKeys {
 protected:
  void SetUp() override {
    GridKeys::SetUp();
    G->SetColCount(4);
    G->SetOptions(G->Options() + goTabs + goEditing);
    G->Navigation()->SetAdvanceAutoEdit(false);
  }
};

TEST_F(GridTab, WrapToTheNextRowAsksInOrderAndMayBeRefused) {
  QStringList log;
  bool refuse = false;
  // Column 3 never takes the cursor, so Tab from column 2 wraps.
  G->OnSelectCell = [](TObject*, int ACol, int, bool& CanSelect) { CanSelect = CanSelect && ACol != 3; };
  G->OnRowChanging = [&](TObject*, int o, int n, bool& Allow) {
    log << QStringLiteral("row %1>%2").arg(o).arg(n);
    Allow = !refuse;
  };
  G->OnCellChanging = [&](TObject*, int orow, int ocol, int nrow, int ncol, bool& Allow) {
    log << QStringLiteral("cell %1,%2>%3,%4 %5").arg(ocol).arg(orow).arg(ncol).arg(nrow).arg(int(Allow));
  };
  G->OnColChanging = [&](TObject*, int o, int n, bool& Allow) {
    log << QStringLiteral("col %1>%2 %3").arg(o).arg(n).arg(int(Allow));
  };
  Goto(2, 5);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Cur(), TPoint(1, 6));
  // The Tab move asks first, in its order; then the cell selection asks again
  // for the column change and for the row change it makes.
  EXPECT_EQ(log, (QStringList{"row 5>6", "cell 2,5>1,6 1", "col 2>1 1", "col 2>1 1",
                              "cell 2,5>1,5 1", "row 5>6", "cell 1,5>1,6 1"}));
  log.clear();
  refuse = true;
  Goto(2, 5);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Cur(), TPoint(2, 5));
  EXPECT_EQ(log, (QStringList{"row 5>6", "cell 2,5>1,6 0", "col 2>1 0"}));
}

TEST_F(GridTab, AlongTheRowAndAroundTheGrid) {
  Goto(1, 5);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Cur(), TPoint(2, 5));
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(Cur(), TPoint(1, 5));
  Goto(3, 19);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Cur(), TPoint(1, 1));
  // Shift+Tab from the first cell goes to the last normal row's last column.
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(Cur(), TPoint(3, 19));
}

TEST_F(GridTab, ReadOnlyCellsArePassedOver) {
  G->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = CanEdit && ACol != 2; };
  Goto(1, 5);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Cur(), TPoint(3, 5));
}

TEST_F(GridTab, TabToNextAtEndHandsTheTabOn) {
  G->Navigation()->SetTabToNextAtEnd(true);
  Goto(3, 19);
  EXPECT_FALSE(G->TabAdvance(false));
  EXPECT_EQ(Cur(), TPoint(1, 1));
  Goto(2, 4);
  EXPECT_TRUE(G->TabAdvance(false));
  EXPECT_EQ(Cur(), TPoint(3, 4));
}

TEST_F(GridTab, AdvanceInsertAppendsOneRow) {
  G->Navigation()->SetAdvanceInsert(true);
  std::vector<int> added;
  G->OnAutoAddRow = [&](TObject*, int ARow) { added.push_back(ARow); };
  Goto(3, 19);
  Key(Qt::Key_Tab);
  EXPECT_EQ(G->RowCount(), 21);
  EXPECT_EQ(added, (std::vector<int>{20}));
  EXPECT_EQ(Cur(), TPoint(1, 20));
}

TEST_F(GridTab, OnKeyDownChangingTheKeyStopsTheMove) {
  G->OnKeyDown = [](TObject*, Word& k, TShiftState) { k = 0; };
  Goto(1, 5);
  EXPECT_TRUE(G->TabAdvance(false));
  EXPECT_EQ(Cur(), TPoint(1, 5));
}

TEST_F(GridTab, NoCellToStopAtEndsAfterOnePass) {
  // Every cell refuses the cursor: the move ends instead of repeating forever.
  G->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
  Goto(2, 5);
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_GE(G->Col(), 0);
  EXPECT_GE(G->Row(), 0);
  // A backward wrap without an accepted column keeps the column.
  Goto(1, 5);
  G->TabAdvance(true);
  EXPECT_GE(G->Col(), G->FixedCols());
  // The cell selection switches goEditing off on read-only cells (Tab then
  // stops at any normal cell): refuse every cell through OnSelectCell too.
  G->SetFixedCols(0);
  Goto(0, 5);
  G->OnSelectCell = [](TObject*, int, int, bool& CanSelect) { CanSelect = false; };
  G->TabAdvance(true);
  EXPECT_EQ(G->Col(), 0);
}

TEST_F(GridTab, AutoEditOpensTheEditorInTheCellReached) {
  G->Navigation()->SetAdvanceAutoEdit(true);
  int downs = 0;
  G->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  Goto(1, 5);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Cur(), TPoint(2, 5));
  EXPECT_TRUE(G->EditorMode());
  EXPECT_EQ(downs, 0);  // the programmatic click stays silent
}

TEST_F(GridTab, ReadOnlyGridWithAdvanceInsertAddsOneRowAtMost) {
  G->Navigation()->SetAdvanceInsert(true);
  G->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
  int added = 0;
  G->OnAutoAddRow = [&](TObject*, int) { ++added; };
  Goto(3, 19);
  Key(Qt::Key_Tab);
  EXPECT_EQ(added, 1);
  EXPECT_EQ(G->RowCount(), 21);
}

TEST(GridAdvance, ReadOnlyGridEndsAfterOnePass) {
  TProStringGrid g(nullptr);
  g.SetColCount(4);
  g.SetRowCount(5);
  g.Navigation()->SetAdvanceOnEnter(true);
  g.OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
  g.AdvanceToNextCell(1, 1, true, false, true, false, false);
  EXPECT_GE(g.Col(), 1);
  EXPECT_GE(g.Row(), 1);
}

TEST(GridAdvance, EnterOrderAndWrap) {
  TProStringGrid g(nullptr);
  g.SetColCount(4);
  g.SetRowCount(5);
  g.SetOptions(g.Options() + goEditing);
  g.Navigation()->SetAdvanceOnEnter(true);
  g.FocusCell(3, 4);
  g.AdvanceToNextCell(3, 4, false, false, true, false, false);
  EXPECT_EQ(TPoint(g.Col(), g.Row()), TPoint(1, 1));
  bool veto = true;
  g.OnAutoAdvance = [&](TObject*, int, int, int&, int&, bool& Allow) { Allow = !veto; };
  g.AdvanceToNextCell(1, 1, false, false, true, false, false);
  EXPECT_EQ(TPoint(g.Col(), g.Row()), TPoint(1, 1));
  veto = false;
  g.AdvanceToNextCell(1, 1, false, false, true, false, false);
  EXPECT_EQ(TPoint(g.Col(), g.Row()), TPoint(2, 1));
}

// ------------------------------------------------------------ editing keys

TEST_F(GridKeys, EnterOnAReadOnlyCellIsSwallowed) {
  G->SetOptions(G->Options() + goEditing);
  G->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = CanEdit && ACol != 2; };
  Goto(2, 3);
  Key(Qt::Key_Return);
  EXPECT_EQ(Keys, (std::vector<Word>{VK_RETURN}));
  EXPECT_FALSE(G->EditorMode());
  Keys.clear();
  Key(Qt::Key_F2);
  EXPECT_EQ(Keys, (std::vector<Word>{VK_F2}));
  EXPECT_FALSE(G->EditorMode());
}

TEST_F(GridKeys, F2AndEnterStartAndEndAnEdit) {
  G->SetOptions(G->Options() + goEditing);
  Goto(2, 3);
  Key(Qt::Key_F2);
  ASSERT_TRUE(G->EditorMode());
  ASSERT_NE(G->InplaceEditor(), nullptr);
  QTest::keyClick(G->InplaceEditor()->View(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(G->InplaceEditor()->View(), "new");
  QTest::keyClick(G->InplaceEditor()->View(), Qt::Key_Return);
  EXPECT_FALSE(G->InplaceEditor()->Visible());
  EXPECT_EQ(G->Cells(2, 3), "new");
}

TEST_F(GridKeys, TypingOpensTheEditorWithTheCharacter) {
  G->SetOptions(G->Options() + goEditing);
  std::vector<QChar> pressed;
  // OnKeyPress may change the character that opens the editor.
  G->OnKeyPress = [&](TObject*, QChar& c) {
    pressed.push_back(c);
    if (c == QChar('a')) c = QChar('b');
  };
  Goto(2, 3);
  Type('a');
  QCoreApplication::processEvents();
  ASSERT_FALSE(pressed.empty());
  EXPECT_EQ(pressed.front(), QChar('a'));
  ASSERT_TRUE(G->EditorMode());
  EXPECT_EQ(G->InplaceEditor()->Text(), "b");
  QTest::keyClick(G->InplaceEditor()->View(), Qt::Key_Return);
  EXPECT_EQ(G->Cells(2, 3), "b");
}

TEST_F(GridKeys, TheKeypadDecimalKeyTypesTheLocaleSeparator) {
  const QChar was = FormatSettings.DecimalSeparator;
  auto restore = qScopeGuard([was] { FormatSettings.DecimalSeparator = was; });
  FormatSettings.DecimalSeparator = u',';
  G->SetOptions(G->Options() + goEditing);
  G->SetExcelStyleDecimalSeparator(true);
  struct TCase {
    Qt::KeyboardModifiers Mods;
    bool Excel;
    const char* Typed;
  };
  for (const TCase& c : {TCase{Qt::KeypadModifier, true, ","}, TCase{Qt::NoModifier, true, "."},
                         TCase{Qt::KeypadModifier, false, "."}}) {
    SCOPED_TRACE(c.Typed);
    G->SetExcelStyleDecimalSeparator(c.Excel);
    Goto(2, 3);
    QTest::keyClick(G->View(), Qt::Key_Period, c.Mods);
    QCoreApplication::processEvents();
    ASSERT_TRUE(G->EditorMode());
    EXPECT_EQ(G->InplaceEditor()->Text(), c.Typed);
    QTest::keyClick(G->InplaceEditor()->View(), Qt::Key_Escape);
  }
}

TEST_F(GridKeys, EnterInTheEditorAdvancesWithAdvanceOnEnter) {
  G->SetOptions(G->Options() + goEditing);
  G->Navigation()->SetAdvanceOnEnter(true);
  Goto(5, 3);
  Key(Qt::Key_F2);
  ASSERT_TRUE(G->EditorMode());
  QTest::keyClick(G->InplaceEditor()->View(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(G->InplaceEditor()->View(), "x");
  QTest::keyClick(G->InplaceEditor()->View(), Qt::Key_Return);
  EXPECT_EQ(G->Cells(5, 3), "x");
  EXPECT_EQ(Cur(), TPoint(1, 4));  // the next row's first normal column
}

TEST_F(GridKeys, SpaceTogglesADataCheckBoxOnce) {
  G->SetOptions(G->Options() + goEditing);
  G->ShowModified()->SetEnabled(true);
  G->AddCheckBox(3, 4, false, true);
  G->HideColumn(1);  // display column 2 is real column 3
  std::vector<std::tuple<int, int, bool>> clicks;
  G->OnCheckBoxClick = [&](TObject*, int c, int r, bool s) { clicks.emplace_back(c, r, s); };
  Goto(2, 4);
  Key(Qt::Key_Space);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], std::make_tuple(3, 4, true));
  EXPECT_EQ(G->Cells(3, 4), G->CheckTrue());
  EXPECT_TRUE(G->RowModified(4));
  // Enter does not toggle it.
  Key(Qt::Key_Return);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(GridKeys, InsertOpensARowAtTheCursor) {
  G->Navigation()->SetAllowInsertRow(true);
  std::vector<int> told;
  G->OnAutoInsertRow = [&](TObject*, int ARow) { told.push_back(ARow); };
  G->Navigation()->SetInsertPosition(pInsertAfter);
  Goto(2, 3);
  Key(Qt::Key_Insert);
  EXPECT_EQ(G->RowCount(), 21);
  EXPECT_EQ(G->Cells(2, 4), "");
  EXPECT_EQ(G->Cells(2, 5), "2,4");
  EXPECT_EQ(G->Row(), 4);
  G->Navigation()->SetInsertPosition(pInsertBefore);
  Goto(2, 3);
  Key(Qt::Key_Insert);
  EXPECT_EQ(G->Cells(2, 3), "");
  EXPECT_EQ(G->Cells(2, 4), "2,3");
  EXPECT_EQ(G->Row(), 3);
  EXPECT_EQ(told, (std::vector<int>{4, 3}));
  // A refusal changes nothing.
  G->OnCanInsertRow = [](TObject*, int, bool& CanInsert) { CanInsert = false; };
  Key(Qt::Key_Insert);
  EXPECT_EQ(G->RowCount(), 22);
}

TEST_F(GridKeys, InsertWithHiddenRowsStaysOnTheDisplayRow) {
  G->Navigation()->SetAllowInsertRow(true);
  G->HideRows(1, 2);  // display row 3 is real row 5
  Goto(2, 3);
  ASSERT_EQ(G->Cells(2, 3), "2,5");
  Key(Qt::Key_Insert);
  EXPECT_EQ(G->Row(), 3);
  EXPECT_EQ(G->Cells(2, 3), "");
  EXPECT_EQ(G->Cells(2, 4), "2,5");
  EXPECT_EQ(G->Cells(2, 2), "2,4");
}

TEST_F(GridKeys, DeleteRemovesTheCursorRowUnlessRefused) {
  G->Navigation()->SetAllowDeleteRow(true);
  std::vector<int> asked;
  bool allow = false;
  G->OnCanDeleteRow = [&](TObject*, int ARow, bool& CanDelete) {
    asked.push_back(ARow);
    CanDelete = allow;
  };
  G->HideRows(1, 1);  // display row 3 is real row 4
  Goto(2, 3);
  Key(Qt::Key_Delete);
  EXPECT_EQ(G->Cells(2, 3), "2,4");
  allow = true;
  Key(Qt::Key_Delete);
  EXPECT_EQ(G->Cells(2, 3), "2,5");
  EXPECT_EQ(G->RowCount(), 18);
  EXPECT_EQ(asked, (std::vector<int>{4, 4}));
}

TEST_F(GridKeys, CtrlCCopiesTheSelectionAsText) {
  Clipboard()->SetAsText("before");
  G->SetSelection(TGridRect{1, 2, 2, 3});
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard()->AsText(), "before");  // shortcuts are off by default
  G->Navigation()->SetAllowClipboardShortCuts(true);
  int copies = 0;
  G->OnClipboardCopy = [&](TObject*, bool&) { ++copies; };
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(Clipboard()->AsText(), "1,2\t2,2\r\n1,3\t2,3");
  G->OnClipboardCopy = [&](TObject*, bool& Allow) { Allow = false; };
  G->SetSelection(TGridRect{4, 4, 4, 4});
  Key(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(Clipboard()->AsText(), "1,2\t2,2\r\n1,3\t2,3");
}

// ------------------------------------------------------------ update lock

TEST_F(GridKeys, NestedLocksRepaintOnce) {
  QTest::qWait(20);
  G->Paints = 0;
  G->BeginUpdate();
  G->BeginUpdate();
  G->SetCells(2, 2, "x");
  G->Invalidate();
  QCoreApplication::processEvents();
  G->EndUpdate();
  G->Invalidate();
  QCoreApplication::processEvents();
  EXPECT_EQ(G->Paints, 0);
  EXPECT_TRUE(G->LockUpdate());
  G->EndUpdate();
  QTest::qWait(20);
  EXPECT_EQ(G->Paints, 1);
  EXPECT_FALSE(G->LockUpdate());
}

TEST_F(GridKeys, HidingTheGridInsideALockKeepsItBalanced) {
  // A hidden grid's lock counts as well.
  G->SetVisible(false);
  G->BeginUpdate();
  EXPECT_TRUE(G->LockUpdate());
  G->EndUpdate();
  EXPECT_FALSE(G->LockUpdate());
  G->SetVisible(true);
  // An unmatched EndUpdate leaves the count at 0 and repaints.
  QTest::qWait(20);
  G->Paints = 0;
  G->EndUpdate();
  QTest::qWait(20);
  EXPECT_FALSE(G->LockUpdate());
  EXPECT_EQ(G->Paints, 1);
  G->BeginUpdate();
  G->SetVisible(false);
  G->BeginUpdate();
  G->SetVisible(true);
  G->EndUpdate();
  G->EndUpdate();
  EXPECT_FALSE(G->LockUpdate());
  G->Paints = 0;
  G->Invalidate();
  QTest::qWait(20);
  EXPECT_GE(G->Paints, 1);
}

TEST_F(GridKeys, EveryKeyReleasesTheLock) {
  G->SearchFooter()->SetVisible(true);
  G->Navigation()->SetKeepHorizScroll(true);
  G->SetOptions(G->Options() + goRowSelect);
  G->SetColCount(30);
  G->SetLeftCol(3);
  Goto(1, 19);
  for (Qt::Key k : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Home,
                    Qt::Key_Left, Qt::Key_Right, Qt::Key_A, Qt::Key_F5})
    Key(k);
  G->SetOptions(G->Options() - goRowSelect);
  Goto(2, 19);
  for (Qt::Key k : {Qt::Key_Down, Qt::Key_Right, Qt::Key_PageDown, Qt::Key_F5, Qt::Key_Left}) Key(k);
}

TEST_F(GridKeys, AlwaysEditOpensTheEditorWhenTheGridIsFocused) {
  TEdit* other = new TEdit(F.Form);
  other->SetParent(F.Form);
  other->SetBounds(0, 250, 80, 20);
  G->SetOptions(G->Options() + goEditing);
  G->Navigation()->SetAlwaysEdit(true);
  Goto(2, 2);
  other->SetFocus();
  G->SetFocus();
  EXPECT_TRUE(G->EditorMode());
}

// ------------------------------------------------------------ auto-size

TEST_F(GridKeys, AutoSizeFitsTheWidestText) {
  G->SetCells(2, 7, "a much longer text than the others");
  G->Canvas()->Font()->Assign(G->Font());
  const int text = G->Canvas()->TextWidth("a much longer text than the others");
  G->AutoSizeCol(2);
  // Text, twice the offset of 2, twice the line width of 1, and 2.
  EXPECT_EQ(G->ColWidths(2), text + 4 + 2 + 2);
  // Grow-only never narrows; otherwise a short column shrinks.
  G->SetCells(2, 7, "");
  G->SetSizeGrowOnly(true);
  G->AutoSizeCol(2);
  EXPECT_EQ(G->ColWidths(2), text + 8);
  G->SetSizeGrowOnly(false);
  G->AutoSizeCol(2, 5);
  EXPECT_LT(G->ColWidths(2), text);
  // The bounds apply, and equal bounds are ignored.
  G->SetMinColWidth(90);
  G->AutoSizeCol(2);
  EXPECT_EQ(G->ColWidths(2), 90);
  G->SetMaxColWidth(90);
  G->AutoSizeCol(2);
  EXPECT_LT(G->ColWidths(2), 90);
}

TEST_F(GridKeys, AutoFitColumnsFillsTheRoomAndSurvivesEmptyColumns) {
  G->SetScrollBars(ssNone);
  G->AutoFitColumns(true);
  int sum = 0;
  for (int c = 0; c < G->ColCount(); ++c) sum += G->ColWidths(c);
  EXPECT_EQ(sum, G->Width() - 4);
  // Columns without any width give nothing to share out: nothing changes.
  for (int c = 0; c < G->ColCount(); ++c) G->SetColWidths(c, 0);
  G->AutoFitColumns(true);
  for (int c = 0; c < G->ColCount(); ++c) EXPECT_EQ(G->ColWidths(c), 0);
}

TEST_F(GridKeys, RowsFitTheirTextAndTheControlFitsItsCells) {
  G->Canvas()->Font()->Assign(G->Font());
  const int line = G->Canvas()->TextHeight("gh");
  G->SetCells(2, 3, "tall");
  G->SetRowHeights(3, 80);
  G->AutoSizeRow(3);
  EXPECT_EQ(G->RowHeights(3), G->Canvas()->TextHeight("tall") + 4 + 2);
  G->SetMinRowHeight(40);
  G->AutoSizeRow(3, 3);
  EXPECT_EQ(G->RowHeights(3), 43);
  // Without word wrap, rows take the lines of their most-lined cell.
  G->SetMinRowHeight(0);
  G->SetWordWrap(false);
  G->SetMultilinecells(true);
  G->SetCells(4, 5, "one\rtwo\rthree");
  G->AutoSizeRows(false, 2);
  EXPECT_EQ(G->RowHeights(5), 2 + 3 * (line + line / 8));
  EXPECT_EQ(G->RowHeights(6), 2 + line + line / 8);
  // The control takes the size of its columns and rows.
  int w = 0, h = 0;
  for (int c = 0; c < G->ColCount(); ++c) w += G->ColWidths(c);
  for (int r = 0; r < G->RowCount(); ++r) h += G->RowHeights(r);
  G->SizeToCells();
  EXPECT_EQ(G->ClientWidth(), w);
  EXPECT_EQ(G->ClientHeight(), h);
  EXPECT_EQ(G->ScrollBars(), ssBoth);
}

TEST(GridAutoNumber, AscendingAndDescending) {
  TProStringGrid g(nullptr);
  g.SetRowCount(5);
  g.AutoNumberCol(1);
  EXPECT_EQ((QStringList{g.Cells(1, 1), g.Cells(1, 2), g.Cells(1, 3), g.Cells(1, 4)}),
            (QStringList{"1", "2", "3", "4"}));
  g.SetAutoNumberDirection(sdDescending);
  g.AutoNumberCol(2);
  EXPECT_EQ((QStringList{g.Cells(2, 1), g.Cells(2, 2), g.Cells(2, 3), g.Cells(2, 4)}),
            (QStringList{"4", "3", "2", "1"}));
  // Start and offset: the numbering begins further down and counts on from there.
  g.SetAutoNumberDirection(sdAscending);
  g.SetAutoNumberStart(1);
  g.SetAutoNumberOffset(10);
  g.AutoNumberCol(3);
  EXPECT_EQ((QStringList{g.Cells(3, 1), g.Cells(3, 2), g.Cells(3, 3), g.Cells(3, 4)}),
            (QStringList{"", "12", "13", "14"}));
  g.AutoNumberRow(2);
  EXPECT_EQ((QStringList{g.Cells(1, 2), g.Cells(2, 2), g.Cells(3, 2), g.Cells(4, 2)}),
            (QStringList{"2", "12", "13", "14"}));
}

// ------------------------------------------------------------ timer

TEST_F(GridKeys, IncrementalSearchForgetsAfterFourTicks) {
  G->Navigation()->SetAutoGotoWhenSorted(true);
  G->Navigation()->SetAutoGotoIncremental(true);
  G->SortSettings()->SetColumn(1);
  G->SetCells(1, 5, "Abel");
  G->SetCells(1, 9, "Abbot");
  G->SetCells(1, 12, "cat");
  // The test drives the grid's clock itself: the window's own timer is stopped.
  ASSERT_TRUE(KillTimer(G->Handle(), TProStringGrid::GridTimerId));
  auto tick = [this] { G->Perform(WM_TIMER, TProStringGrid::GridTimerId, 0); };
  Type('a');
  Type('b');
  EXPECT_EQ(G->SearchInc(), "ab");
  EXPECT_EQ(G->Row(), 5);
  Type('b');
  EXPECT_EQ(G->Row(), 9);
  tick();
  tick();
  tick();
  EXPECT_EQ(G->SearchInc(), "abb");
  tick();
  EXPECT_EQ(G->SearchInc(), "");
  Type('c');
  EXPECT_EQ(G->SearchInc(), "c");
  EXPECT_EQ(G->Row(), 12);
  // A typed key starts the count again.
  tick();
  tick();
  tick();
  Type('a');
  tick();
  EXPECT_EQ(G->SearchInc(), "ca");
}

TEST_F(GridKeys, HoveringMakesTheCellUnderThePointerCurrent) {
  auto tick = [this] { G->Perform(WM_TIMER, TProStringGrid::GridTimerId, 0); };
  // Puts the pointer on a cell's centre; false when the platform cannot.
  auto pointAt = [this](int C, int R) {
    const TRect r = G->CellRect(C, R);
    const TPoint p = G->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    SetCursorPos(p.X, p.Y);
    TPoint where;
    GetCursorPos(&where);
    return where == p;
  };
  Goto(1, 1);
  if (!pointAt(3, 5)) GTEST_SKIP() << "the platform cannot place the pointer";
  tick();
  EXPECT_EQ(Cur(), TPoint(1, 1));  // hovering is off
  G->SetHovering(true);
  tick();
  EXPECT_EQ(Cur(), TPoint(3, 5));
  pointAt(0, 7);  // a fixed cell changes nothing
  tick();
  EXPECT_EQ(Cur(), TPoint(3, 5));
}

TEST_F(GridKeys, BlinkingCellsAreRepaintedOnTicks) {
  auto tick = [this] { G->Perform(WM_TIMER, TProStringGrid::GridTimerId, 0); };
  G->SetCells(2, 2, "<blink>on</blink>");
  QTest::qWait(20);
  G->Paints = 0;
  tick();
  QTest::qWait(20);
  EXPECT_EQ(G->Paints, 0);  // blinking is off
  G->SetEnableBlink(true);
  tick();
  QTest::qWait(20);
  EXPECT_GE(G->Paints, 1);
  // Out of view, nothing is repainted.
  G->SetTopRow(10);
  QTest::qWait(20);
  G->Paints = 0;
  tick();
  QTest::qWait(20);
  EXPECT_EQ(G->Paints, 0);
}

}  // namespace

TEST_F(GridKeys, RightAndLeftOnAMergedNodeRowExpandAndContractIt) {
  G->AddNode(2, 4);
  G->MergeCells(1, 2, 5, 1);
  Goto(1, 2);
  Key(Qt::Key_Left);
  EXPECT_TRUE(G->GetNodeState(2));
  EXPECT_EQ(G->RowCount(), 17);
  EXPECT_EQ(G->Cells(1, 3), "1,6");
  Key(Qt::Key_Right);
  EXPECT_FALSE(G->GetNodeState(2));
  EXPECT_EQ(G->RowCount(), 20);
  EXPECT_EQ(G->Cells(1, 3), "1,3");
}

TEST_F(GridKeys, InsertAndDeleteInsideANodeWidenAndNarrowIt) {
  G->Navigation()->SetAllowInsertRow(true);
  G->Navigation()->SetAllowDeleteRow(true);
  G->AddNode(2, 4);  // rows 2..5
  Goto(1, 3);
  Key(Qt::Key_Insert);
  EXPECT_EQ(G->RowCount(), 21);
  EXPECT_EQ(G->GetNodeSpan(2), 5);
  EXPECT_EQ(G->GetNodeIndent(3), 12);
  EXPECT_EQ(G->Cells(1, 4), "1,3");
  Goto(1, 3);
  Key(Qt::Key_Delete);
  EXPECT_EQ(G->RowCount(), 20);
  EXPECT_EQ(G->GetNodeSpan(2), 4);
  // Outside every node the node stays as it is.
  Goto(1, 10);
  Key(Qt::Key_Insert);
  EXPECT_EQ(G->RowCount(), 21);
  EXPECT_EQ(G->GetNodeSpan(2), 4);
  EXPECT_EQ(G->GetNodeIndent(10), 0);
  Key(Qt::Key_Delete);
  EXPECT_EQ(G->RowCount(), 20);
  EXPECT_EQ(G->Cells(1, 10), "1,10");
}
