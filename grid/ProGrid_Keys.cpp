// The string grid's keyboard: the cursor keys with their modes, Home and End,
// skipping fixed cells, appending with Down, Tab moves, the editing, check-box,
// insert, delete and clipboard keys, advancing to the next cell and the
// incremental search typed into a sorted grid.
#include <QScopeGuard>
#include <algorithm>

#include "controls/ProUtil.h"
#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"

namespace {

bool IsNavKey(Word Key) {
  return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_LEFT ||
         Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN;
}

bool KeyIsDown(int Vk) { return GetKeyState(Vk) < 0; }

}  // namespace

// ------------------------------------------------------------------ helpers

int TProStringGrid::FirstNormalCol() {
  return (FixedCols() == 0 && HasNodes()) ? 1 : FixedCols();
}

int TProStringGrid::VisibleFixedRightCols() {
  if (NumHiddenColumns() == 0) return FixedRightCols();
  int n = 0;
  const int last = ColCount() + NumHiddenColumns() - 1;
  for (int i = 0; i < FixedRightCols(); ++i)
    if (!IsHiddenColumn(last - i)) ++n;
  return n;
}

bool TProStringGrid::IsLastNormalRow() {
  return Row() == RowCount() - FixedFooters() - 1 ||
         (Row() == RowCount() - 2 && FloatingFooter()->Visible());
}

void TProStringGrid::AutoAppendRow() {
  bool canAdd = true;
  if (OnCanAddRow) OnCanAddRow(this, canAdd);
  if (!canAdd) return;
  const bool footer = FloatingFooter()->Visible();
  if (footer) {
    // The footer's row stays last: the new row opens just above it.
    InsertRows(RowCount() - 1, 1, true);
  } else {
    AppendRow();
    ClearRows(RowCount() - 1, 1);
  }
  if (footer || FixedFooters() > 0) SetRow(Row() + 1);
  if (footer) CalcFooter(-1);
  if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
}

void TProStringGrid::StoreOldCellText(int ACol, int ARow) {
  FOldCol = ACol;
  FOldRow = ARow;
  FOldCellText = (ACol >= 0 && ARow >= 0) ? Cells(RealColIndex(ACol), ARow) : QString();
}

// ------------------------------------------------------------------ WM_KEYDOWN

void TProStringGrid::WMKeyDown(TWMKey& Message) {
  const Word key = Message.CharCode();
  // The modifiers as the keyboard holds them now (either Alt key counts: the
  // platform does not tell them apart).
  const bool ctrl = KeyIsDown(VK_CONTROL), shift = KeyIsDown(VK_SHIFT),
             alt = KeyIsDown(VK_LMENU) || KeyIsDown(VK_MENU);
  TShiftState ss;
  if (ctrl) ss.Include(ssCtrl);
  if (shift) ss.Include(ssShift);
  if (alt) ss.Include(ssAlt);
  auto fireKeyDown = [&] {
    Word k = key;
    if (OnKeyDown) OnKeyDown(this, k, ss);
  };
  auto swallow = [&] {
    fireKeyDown();
    Message.SetCharCode(0);
    Message.Result = 1;
  };

  // Every redraw switch-off taken during this key is undone on every way out.
  int locks = 0;
  auto lock = [&] {
    BeginUpdate();
    ++locks;
  };
  auto unlockAll = qScopeGuard([&] {
    while (locks-- > 0) EndUpdate();
  });

  // The state before the key.
  const int leftCol0 = LeftCol(), row0 = Row(), topRow0 = TopRow();
  FMoveSelection = Selection();
  const bool rowSelect = Options().contains(goRowSelect);
  const bool vertical = key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN;
  const bool keepScroll = vertical && rowSelect && leftCol0 != FixedCols() && Navigation()->KeepHorizScroll();
  const bool searchFooter = SearchFooter()->Visible();

  // Scroll-only mode.
  if (Navigation()->MoveScrollOnly() &&
      (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME || key == VK_UP || key == VK_DOWN)) {
    const int vis = VisibleRowCount(), top = TopRow();
    switch (key) {
      case VK_PRIOR: SetTopRow(vis + FixedRows() < top ? top - vis : FixedRows()); break;
      case VK_NEXT:
        if (top + vis < RowCount()) SetTopRow(top + vis);
        break;
      case VK_HOME: SetTopRow(FixedRows()); break;
      case VK_END: SetTopRow(RowCount() - vis); break;
      case VK_UP:
        if (top > FixedRows()) SetTopRow(top - 1);
        break;
      case VK_DOWN:
        if (top + vis < RowCount()) SetTopRow(top + 1);
        break;
    }
    Message.Result = 1;
    return;
  }

  // Editing keys that come before the moves.
  const int rc = RealColIndex(Col());
  const bool enterOrF2 = key == VK_RETURN || key == VK_F2;
  if (MouseActions()->EditOnDblClickOnly() && enterOrF2 && !Options().contains(goEditing)) {
    const bool was = MouseActions()->RangeSelectAndEdit();
    MouseActions()->SetRangeSelectAndEdit(true);
    const bool editable = IsEditable(rc, Row());
    MouseActions()->SetRangeSelectAndEdit(was);
    if (editable) SetOptions(Options() + goEditing);
  }
  if (MouseActions()->RangeSelectAndEdit() && !Options().contains(goEditing) && enterOrF2) {
    if (IsEditable(rc, Row())) {
      SetOptions(Options() + goEditing);
      ShowInplaceEdit();
    } else {
      swallow();
      return;
    }
  }
  if (enterOrF2 && Options().contains(goEditing) && !IsEditable(rc, Row())) {
    swallow();
    return;
  }
  // Enter or F2 on an HTML cell with inline controls edits its first control
  // (when the cell may be edited); the framework's editor does not open.
  if (enterOrF2 && HasControlTag(Cells(rc, Row())) &&
      ClassifyCellText(Cells(rc, Row()), EnableHTML()) == ctkHTML) {
    if (IsEditable(rc, Row())) EditFirstCellControl();
    Message.Result = 1;
    return;
  }
  if (key == VK_RETURN && !IsEditable(rc, Row())) {
    TCustomForm* form = FindParentForm(this);
    if (form != nullptr && form->KeyPreview()) {
      TBaseGrid::WMKeyDown(Message);
    } else {
      swallow();
    }
    return;
  }
  if ((key == VK_RETURN || key == VK_SPACE) && IsControlCell(rc, Row())) {
    bool canEdit = Options().contains(goEditing) || MouseActions()->RangeSelectAndEdit();
    CanEditCell(rc, Row(), canEdit);
    if ((canEdit || ControlLook()->CheckAlwaysActive()) && HasCheckBox(rc, Row()) && key == VK_SPACE) {
      DoToggleCheckBox(rc, Row(), true);
      if (ShowModified()->Enabled()) {
        SetRowModified(Row(), true);
        RepaintCell(0, Row());
      }
      bool state = false;
      GetCheckBoxState(rc, RealRowIndex(Row()), state);
      DoCheckBoxClick(rc, Row(), state);
    }
    if (canEdit && HasButton(rc, Row())) DoButtonClick(rc, Row());
    RepaintCell(Col(), Row());
  }

  // Home and End.
  const THomeEndAction he = Navigation()->HomeEndKey();
  if ((key == VK_HOME || key == VK_END) && !(FixedRowAlways() && RowCount() == 1)) {
    auto snap = [&] { SnapToBaseCell(); };
    if (he == heFirstLastCell && !ctrl) {
      if (key == VK_HOME) {
        SetCol(FixedCols());
        SetRow(FixedRows());
      } else {
        SetCol(ColCount() - 1);
        SetRow(RowCount() - 1);
      }
      snap();
      fireKeyDown();
      return;
    }
    if (he == heFirstLastRow && !ctrl) {
      const bool floating = FloatingFooter()->Visible();
      int target = FixedRows();
      if (key == VK_END) {
        target = (floating && RowCount() > 2) ? RowCount() - 2 : RowCount() - FixedFooters() - 1;
        if (FixedFooters() > 0 && !floating) SetTopRow(RowCount() - VisibleRowCount());
      }
      SetRow(target);
      snap();
      const bool disjunct = MouseActions()->DisjunctRowSelect();
      if (!shift && disjunct) {
        ClearRowSelect();
        SelectionToRowSelect(false);
      } else if (shift) {
        TGridRect r;
        r.Left = 0;
        r.Right = ColCount() - 1;
        r.Top = std::min(row0, Row());
        r.Bottom = std::max(row0, Row());
        SetSelection(r);
        if (disjunct) SelectionToRowSelect(false);
      }
      if (key == VK_END && floating) SetTopRow(RowCount() - VisibleRowCount());
      fireKeyDown();
      if (rowSelect && Navigation()->KeepHorizScroll()) {
        StartUpdate();
        SetLeftCol(leftCol0);
        ResetUpdate();
      }
      return;
    }
    if (he == heFirstLastColumn && key == VK_HOME && ctrl) {
      SetRow(FixedRows());
      const int t = FirstTabCol(Row());
      if (t >= 0) SetCol(t);
      snap();
      SetLeftCol(FirstNormalCol());
      fireKeyDown();
      return;
    }
    if (he == heFirstLastColumn && !ctrl && !rowSelect) {
      if (shift) {
        TGridRect r;
        const int to = key == VK_HOME ? FixedCols() : ColCount() - FixedRightCols() - 1;
        r.Left = std::min(Col(), to);
        r.Right = std::max(Col(), to);
        r.Top = r.Bottom = Row();
        SetSelection(r);
        RepaintRow(Row());
      } else if (key == VK_HOME) {
        const int t = FirstTabCol(Row());
        if (t >= 0) SetCol(t);
        snap();
        SetLeftCol(FirstNormalCol());
      } else {
        SetCol(ColCount() - 1);
        snap();
        SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
      }
      fireKeyDown();
      return;
    }
  }

  // Right and Left open and close a node whose row is merged at the cursor.
  if ((key == VK_RIGHT || key == VK_LEFT) && IsNode(Row()) && IsMergedCell(Col(), Row())) {
    if (key == VK_RIGHT)
      ExpandNode(RealRow());
    else
      ContractNode(RealRow());
  }

  // Horizontal scrolling in row-select mode.
  if (rowSelect && !IsNode(Row()) && ColCount() > VisibleColCount() && (key == VK_LEFT || key == VK_RIGHT)) {
    auto scroll = [&](bool left) {
      if (left && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
      if (!left && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
    };
    if (!Navigation()->LeftRightRowSelect()) {
      scroll(key == VK_LEFT);
      fireKeyDown();
      return;
    }
    if (ctrl) scroll(key == VK_LEFT);
  }

  // Tab.
  if (key == VK_TAB && Options().contains(goTabs)) {
    TabAdvance(shift);
    const TGridRect sel = Selection();
    if (!(sel == FMoveSelection)) {
      DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
      FMoveSelection = sel;
    }
    Message.Result = 1;
    return;
  }

  // Skipping fixed cells.
  if (Navigation()->SkipFixedCells()) {
    const Word k = key;
    if (k == VK_LEFT && Col() > FixedCols() && IsFixed(Col() - 1, Row())) {
      int c = Col() - 1;
      while (c >= FixedCols() && IsFixed(c, Row())) --c;
      if (c >= FixedCols()) SetCol(c);
      fireKeyDown();
      Message.SetCharCode(0);
    } else if (k == VK_RIGHT && Col() + 1 < ColCount() - FixedRightCols() && IsFixed(Col() + 1, Row())) {
      int c = Col() + 1;
      while (c < ColCount() - FixedRightCols() && IsFixed(c, Row())) ++c;
      if (c < ColCount() - FixedRightCols()) SetCol(c);
      fireKeyDown();
      Message.SetCharCode(0);
    } else if (k == VK_UP && Row() > FixedRows() && IsFixed(Col(), Row() - 1)) {
      if (rowSelect) {
        SetRow(Row() - 1);
      } else {
        int r = Row() - 1;
        while (r >= FixedRows() && IsFixed(Col(), r)) --r;
        if (r >= FixedRows()) SetRow(r);
      }
      fireKeyDown();
      Message.SetCharCode(0);
    } else if (k == VK_DOWN && Row() < RowCount() - FixedFooters() && Row() + 1 < RowCount() &&
               IsFixed(Col(), Row() + 1)) {
      const int limit = RowCount() - FixedFooters();
      if (rowSelect) {
        if (Row() + 1 < limit) SetRow(Row() + 1);
      } else {
        int r = Row() + 1;
        while (r < limit && IsFixed(Col(), r)) ++r;
        if (r < limit) SetRow(r);
      }
      fireKeyDown();
      Message.SetCharCode(0);
    }
  }

  // Append on Down.
  if (Message.CharCode() == VK_DOWN && IsLastNormalRow() && Navigation()->AppendOnArrowDown()) AutoAppendRow();

  // Near the bottom the last row stays above the search footer.
  const Word k2 = Message.CharCode();
  if (searchFooter && TopRow() >= RowCount() - VisibleRowCount()) {
    const bool atLast = Row() >= RowCount() - 1;
    if (atLast && ((k2 == VK_DOWN) || (k2 == VK_RIGHT && Col() == ColCount() - 1) ||
                   (k2 == VK_LEFT && Col() == FixedCols()))) {
      if (k2 == VK_DOWN) ScrollAboveSearchFooter();
      Message.Result = 1;
      fireKeyDown();
      return;
    }
    if (atLast) {
      if (k2 == VK_NEXT || k2 == VK_END || k2 == VK_LEFT || k2 == VK_RIGHT || k2 == VK_DOWN) lock();
    } else if (k2 != VK_SHIFT && k2 != VK_MENU && !IsNavKey(k2)) {
      lock();
    }
  }
  // Row-select mode keeps its horizontal scroll position through vertical moves.
  if (keepScroll) lock();

  // The standard processing; a key taken above (code 0) goes no further,
  // so OnKeyDown has heard it exactly once.
  if (Message.CharCode() != 0) TBaseGrid::WMKeyDown(Message);

  // After the standard moves: the scroll positions kept through the key.
  if (searchFooter && TopRow() >= RowCount() - VisibleRowCount() && k2 != VK_SHIFT && k2 != VK_MENU &&
      !IsNavKey(k2))
    SetTopRow(topRow0);
  if (keepScroll) SetLeftCol(leftCol0);

  // Clipboard, insert, select all, disjunct selection and delete.
  if (Navigation()->AllowClipboardShortCuts()) {
    auto clip = [&](const std::function<void(TObject*, bool&)>& Event, void (TProStringGrid::*Action)()) {
      bool allow = true;
      if (Event) Event(this, allow);
      if (allow) (this->*Action)();
    };
    if (ctrl && key == 'X') return clip(OnClipboardCut, &TProStringGrid::CutSelectionToClipboard);
    if (ctrl && key == 'V') return clip(OnClipboardPaste, &TProStringGrid::PasteSelectionFromClipboard);
    if (ctrl && (key == 'C' || key == VK_INSERT))
      return clip(OnClipboardCopy, &TProStringGrid::CopySelectionToClipboard);
    if (shift && key == VK_INSERT) return clip(OnClipboardPaste, &TProStringGrid::PasteSelectionFromClipboard);
    if (shift && key == VK_DELETE) return clip(OnClipboardCut, &TProStringGrid::CutSelectionToClipboard);
  }
  if (key == VK_INSERT && Navigation()->AllowInsertRow() && !ctrl && !shift && !alt) {
    bool canInsert = true;
    DoCanInsertRow(Row(), canInsert);
    if (!canInsert) return;
    // Rows are counted on the display throughout: the cursor stays on its
    // display row and the new row opens at a display position.
    int d = Row();
    const bool filter = FilterActive();
    SetFilterActive(false);
    int at = Row();
    if (Navigation()->InsertPosition() == pInsertAfter) {
      if (FixedRowAlways() && FixedRows() == RowCount()) {
        d = 1;
      } else {
        at = Row() + 1;
        if (d + 1 < RowCount()) ++d;
      }
    }
    DoInsertRow(at);
    if (OnAutoInsertRow) OnAutoInsertRow(this, at);
    SetFilterActive(filter);
    SetRow(std::min(d, RowCount() - 1));
    CalcFooter(-1);
    return;
  }
  if (ctrl && key == 'A') {
    if (!rowSelect && !Options().contains(goRangeSelect)) return;
    TGridRect r;
    r.Left = FirstNormalCol();
    r.Top = FixedRows();
    r.Right = ColCount() - FixedRightCols() - 1;
    r.Bottom = RowCount() - FixedFooters() - 1;
    if (MouseActions()->DisjunctRowSelect())
      for (int i = r.Top; i <= r.Bottom; ++i) SetRowSelect(i, true);
    SetSelection(r);
    FocusCell(r.Right, r.Bottom);
    SetSelection(r);
    return;
  }
  if (IsNavKey(key) || key == VK_SPACE) {
    const int rr = MouseActions()->RowSelectPersistent() ? RealRowIndex(Row()) : Row();
    if (MouseActions()->DisjunctRowSelect()) {
      if (key == VK_SPACE) {
        SetRowSelect(rr, !RowSelect(rr));
      } else {
        if (!shift && !ctrl) ClearRowSelect();
        if (shift) SelectionToRowSelect(true);
        else SetRowSelect(rr, true);
      }
    }
    if (MouseActions()->DisjunctColSelect()) {
      if (key == VK_SPACE) {
        SetColSelect(Col(), !ColSelect(Col()));
      } else {
        if (!shift && !ctrl) ClearColSelect();
        if (shift) SelectionToColSelect(true);
        else SetColSelect(Col(), true);
      }
    }
  }
  if (key == VK_DELETE && Navigation()->AllowDeleteRow() && !alt &&
      RowCount() - FixedFooters() - FixedRows() >= 1) {
    const int r = RealRowIndex(Row());
    const bool filter = FilterActive();
    SetFilterActive(false);
    bool canDelete = true;
    if (OnCanDeleteRow) OnCanDeleteRow(this, r, canDelete);
    if (!canDelete) {
      SetFilterActive(filter);
      return;
    }
    // The row goes at its display position (the real index only names it to
    // the application).
    DoDeleteRow(Row());
    SetFilterActive(filter);
    if (FloatingFooter()->Visible() && Row() == RowCount() - 1) SetRow(RowCount() - 2);
    StoreOldCellText(Col(), Row());
    CalcFooter(-1);
  }
  if (enterOrF2) StoreOldCellText(Col(), Row());

  // Selection-changed notification.
  const TGridRect sel = Selection();
  if (!(sel == FMoveSelection)) {
    DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
    FMoveSelection = sel;
  }
}

// ------------------------------------------------------------------ KeyDown / KeyUp

void TProStringGrid::KeyDown(Word& Key, TShiftState Shift) {
  FLastKeyCol = Col();
  FLastKeyRow = Row();
  const int rowBefore = Row();
  TBaseGrid::KeyDown(Key, Shift);
  const TGridRect sel = Selection();
  const int top = std::min(sel.Top, sel.Bottom), bottom = std::max(sel.Top, sel.Bottom);
  const bool ctrl = Shift.contains(ssCtrl);
  if (ctrl && Navigation()->CursorMoveRows()) {
    if (Key == VK_DOWN && bottom < RowCount() - 1) {
      if (top == bottom) {
        MoveRow(top, top + 1);
        SetRow(top + 1);
      } else {
        MoveRows(top, top + 1, bottom - top + 1);
        SetSelection(TGridRect{FixedCols(), top + 1, ColCount() - 1, bottom + 1});
      }
    } else if (Key == VK_UP && top > FixedRows()) {
      if (top == bottom) {
        MoveRow(top, top - 1);
        SetRow(top - 1);
      } else {
        MoveRows(top, top - 1, bottom - top + 1);
        SetSelection(TGridRect{FixedCols(), top - 1, ColCount() - 1, bottom - 1});
      }
    }
  }
  const TCursorAdvance ca = Navigation()->CursorAdvance();
  if (ca != caDefault && !ctrl) {
    const bool snake = ca == caSnake;
    const int lastNormalCol = ColCount() - FixedRightCols() - 1;
    const int lastNormalRow = RowCount() - FixedFooters() - 1;
    if (Key == VK_LEFT && FLastKeyCol == FixedCols()) {
      SetCol(lastNormalCol);
      if (snake && Row() > FixedRows()) SetRow(Row() - 1);
    } else if (Key == VK_UP && FLastKeyRow == FixedRows()) {
      SetRow(lastNormalRow);
      if (snake && Col() > FixedCols()) SetCol(Col() - 1);
    } else if (Key == VK_RIGHT && FLastKeyCol == ColCount() - 1) {
      SetCol(FixedCols());
      if (snake && Row() < lastNormalRow) SetRow(Row() + 1);
    } else if (Key == VK_DOWN && FLastKeyRow == RowCount() - 1) {
      SetRow(FixedRows());
      if (snake && Col() < lastNormalCol) SetCol(Col() + 1);
    }
  }
  if (FUseEnabledRows && Navigation()->SkipDisabledRows() && Row() == rowBefore) {
    if (Key == VK_UP) {
      for (int r = Row() - 1; r >= FixedRows(); --r)
        if (RowEnabled(r)) {
          SetRow(r);
          break;
        }
    } else if (Key == VK_DOWN) {
      for (int r = Row() + 1; r < RowCount(); ++r)
        if (RowEnabled(r)) {
          SetRow(r);
          break;
        }
    }
  }
  // The synchronised grid follows the cursor.
  if (TStringGrid* partner = SyncGrid()->Grid()) {
    if (SyncGrid()->SelectionColumn() && Col() < partner->ColCount()) partner->SetCol(Col());
    if (SyncGrid()->SelectionRow() && Row() < partner->RowCount()) partner->SetRow(Row());
  }
}

void TProStringGrid::KeyUp(Word& Key, TShiftState Shift) {
  if (IsNavKey(Key) || Key == VK_INSERT || Key == VK_DELETE) FSearchInc.clear();
  const Word key = Key;
  TBaseGrid::KeyUp(Key, Shift);
  if (Navigation()->AlwaysEdit() &&
      (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN ||
       (key == VK_TAB && Options().contains(goTabs))) &&
      !IsControlCell(RealColIndex(Col()), Row()))
    ShowInplaceEdit();
}

// ------------------------------------------------------------------ characters

void TProStringGrid::WMChar(TWMKey& Message) {
  // Characters on an HTML cell with inline controls are the controls' own.
  {
    const QString text = Cells(RealColIndex(Col()), Row());
    if (ClassifyCellText(text, EnableHTML()) == ctkHTML && HasControlTag(text)) {
      Message.Result = 1;
      return;
    }
  }
  const bool ctrl = KeyIsDown(VK_CONTROL);
  const Word ch0 = Message.CharCode();
  if (MouseActions()->EditOnDblClickOnly()) {
    bool canEdit = true;
    CanEditCell(RealColIndex(Col()), Row(), canEdit);
    if (canEdit) SetOptions(Options() + goEditing);
  }
  if (Navigation()->AllowClipboardShortCuts() && ctrl && (ch0 == 3 || ch0 == 22 || ch0 == 24)) {
    Message.SetCharCode(0);
    return;
  }
  const int rc = RealColIndex(Col());
  if (MouseActions()->RangeSelectAndEdit() && !IsControlCell(rc, Row()) && IsEditable(rc, Row()) &&
      ch0 != VK_TAB && ch0 != VK_ESCAPE && !ctrl) {
    QChar copy(ch0);
    if (OnKeyPress) OnKeyPress(this, copy);
    FStartEditChar = QChar(ch0);
    SetOptions(Options() + goEditing);
    TBaseGrid::WMChar(Message);
    return;
  }
  Word ch = ch0;
  // The keypad's decimal key (its scan code has bit 6 set, bit 22 of the key
  // data) types the locale's separator; the main keyboard's "." stays.
  if (ch == '.' && (Message.KeyData() & (1 << 22)) != 0 && FExcelStyleDecimalSeparator)
    ch = FormatSettings.DecimalSeparator.unicode();
  const bool control = IsControlCell(rc, Row());
  bool passed = false;
  if (control && ch == VK_RETURN && Navigation()->AdvanceOnEnter()) {
    Message.SetCharCode(ch);
    TBaseGrid::WMChar(Message);
    passed = true;
  }
  if (Options().contains(goEditing) && ch != VK_TAB && (ch == VK_BACK || (ch >= 32 && ch <= 255))) {
    QChar c(ch);
    if (OnKeyPress) OnKeyPress(this, c);
    FStartEditChar = c;
    if (c.unicode() != 0 && !control) ShowEditorChar(c);
    return;
  }
  if (!passed) {
    Message.SetCharCode(ch);
    TBaseGrid::WMChar(Message);
  }
}

void TProStringGrid::KeyPress(QChar& Key) {
  const bool editing = Options().contains(goEditing);
  if (Key == QChar(VK_ESCAPE)) {
    if (OnKeyPress) OnKeyPress(this, Key);
    return;
  }
  const int c = RealColIndex(Col());
  if (Key == QChar(VK_RETURN)) {
    if (!Navigation()->AdvanceOnEnter() && !IsEditable(c, Row())) {
      if (OnKeyPress) OnKeyPress(this, Key);
      Key = QChar(0);
      return;
    }
    // From an editor (it holds the focus) or on a control cell, Enter advances.
    if (!Focused() || IsControlCell(c, Row())) {
      AdvanceToNextCell(Col(), Row(), false, false, true, false, EditorMode());
      if (!Navigation()->AdvanceAutoEdit()) {
        if (OnKeyPress) OnKeyPress(this, Key);
        Key = QChar(0);
        return;
      }
      if (IsControlCell(c, Row())) {
        if (OnKeyPress) OnKeyPress(this, Key);
        if (Navigation()->AdvanceOnEnter()) ShowInplaceEdit();
        Key = QChar(0);
        return;
      }
    }
  }
  if (!editing && Navigation()->AutoGotoWhenSorted() && Key.unicode() >= 8 && Key != QChar(VK_RETURN)) {
    if (Navigation()->AutoGotoIncremental()) {
      if (Key == QChar(VK_BACK)) FSearchInc.chop(1);
      else FSearchInc += Key;
      FSearchTics = 0;
    } else {
      FSearchInc = Key;
    }
    const QString find = FSearchInc.toUpper();
    const int sc = SortSettings()->Column();
    int found = -1;
    if (!find.isEmpty())
      for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r)
        if (Cells(sc, r).toUpper().startsWith(find)) {
          found = r;
          break;
        }
    if (found >= 0) SetRow(found);
    else FSearchInc.clear();
  }
  TBaseGrid::KeyPress(Key);
}
