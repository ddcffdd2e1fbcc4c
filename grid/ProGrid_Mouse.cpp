// String grid: what the mouse buttons and moves do (presses, releases, double
// and right clicks, click sorting, sizing events, the start of a cell drag).
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QUrl>
#include <cstdlib>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_Anchors_p.h"
#include "grid/ProGrid_HintWindow.h"
#include "platform/os/ShellApi.h"
#include "platform/ui/Forms.h"

namespace {

bool Inside(const TRect& R, int X, int Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

}  // namespace

bool TProStringGrid::IsColumnSizingPress(int X, int Y) {
  // A press in the header within 3 pixels of the probe cell's side border sizes
  // the column rather than clicking the header.
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (r < 0 || r >= FixedRows() || !Options().contains(goColSizing)) return false;
  const int pc = FPress.Colclicked >= 0 ? FPress.Colclicked : c;
  const int pr = FPress.Rowclicked >= 0 ? FPress.Rowclicked : r;
  if (pc < 0 || pr < 0) return false;
  const TRect cr = CellRect(pc, pr);
  return std::abs(X - cr.Left) < 4 || std::abs(X - cr.Right) < 4;
}

void TProStringGrid::WMLButtonDown(TWMMouse& Message) {
  const int X = Message.XPos(), Y = Message.YPos();
  const TShiftState Shift = KeysToShiftState(Message.Keys());
  // The press state; the cell under the point and the selection before.
  FPress.DoOnClick = FPress.MouseDownMove = FPress.MouseKeepDown = true;
  FPress.ColSizeFlg = FPress.ColMoveFlg = false;
  FSpinUpClick = FSpinDnClick = false;
  int C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  const TGridRect S0 = Selection();
  // Range select and edit: a press outside the selection selects.
  if (Options().contains(goEditing) && FMouseActions->RangeSelectAndEdit()) {
    if (!(C >= S0.Left && C < S0.Right && R >= S0.Top && R < S0.Bottom)) SetOptions(Options() - goEditing);
  }
  // The application may refuse the click.
  bool Allow = true;
  if (OnCanClickCell) OnCanClickCell(this, R, C, Allow);
  if (!Allow) return;
  // Move and selection-drag state.
  FPress.SelectionClick = false;
  // Border probe: the cell left of and above the point.
  if (R != 0 && C != 0)
    MouseToCell(X - 5, Y - 4, FPress.Colclicked, FPress.Rowclicked);
  else if (R != 0 && C == 0)
    MouseToCell(X, Y - 4, FPress.Colclicked, FPress.Rowclicked);
  else
    MouseToCell(X - 5, Y, FPress.Colclicked, FPress.Rowclicked);
  // Sizes of the probe cell and the press point.
  if (FPress.Colclicked >= 0 && FPress.Rowclicked >= 0) {
    FPress.Colclickedsize = ColWidths(FPress.Colclicked);
    FPress.Rowclickedsize = RowHeights(FPress.Rowclicked);
  }
  FPress.Clickposx = X;
  FPress.Clickposy = Y;
  // A press in the fixed rows or columns.
  const bool FixedClick = (R < FixedRows() || C < FixedCols()) && C >= 0 && R >= 0;
  // No cell hit.
  if (C == -1 || R == -1) {
    HideInplaceEdit();
    if (!FFixedRowAlways) TBaseGrid::WMLButtonDown(Message);
    return;
  }
  // The base cell of a merge.
  const TPoint base = BaseCell(C, R);
  C = base.X;
  R = base.Y;
  const TRect CR = CellRect(C, R);
  // Sizing a fixed column or row by its border.
  if (FSizeFixed || FSizeFixedR) {
    FSizingFixedCol = FSizingFixedRow = -1;
    int edge = 0;
    const int n = FSizeFixed ? FixedCols() : FixedRows();
    const int at = FSizeFixed ? X : Y;
    for (int i = 0; i < n; ++i) {
      edge += (FSizeFixed ? ColWidths(i) : RowHeights(i)) + (i > 0 ? 1 : 0);
      if (std::abs(edge - at) < 3) (FSizeFixed ? FSizingFixedCol : FSizingFixedRow) = i;
    }
    if (FSizeFixed) {
      FSizingFixed = true;
      FSizeFixedX = X;
    } else {
      FSizingFixedR = true;
      FSizeFixedY = Y;
    }
    SetMouseCapture(true);
    return;
  }
  // Fixed cells close the editor.
  if (FixedClick || IsFixed(C, R)) HideInplaceEdit();
  const bool FixedInside = IsFixed(C, R) && !FixedClick;
  const int RC = RealColIndex(C);
  SpinButtonPress(C, R, CR, X, Y);
  // Drag start on a selected cell: the selection stays for the move.
  const bool selected = C >= S0.Left && C <= S0.Right && R >= S0.Top && R <= S0.Bottom;
  if ((selected || (R < FixedRows() && !F.EnhRowColMove)) && !Options().contains(goEditing) &&
      !HasCheckBox(RC, R) && FDragDropSettings->OleDropSource() &&
      !(R < FixedRows() && (FMouseActions->ColSelect() || FMouseActions->AllSelect())) && C >= FixedCols() &&
      ((X - CR.Left > 3 && CR.Right - X > 3) || !Options().contains(goColSizing))) {
    SetFocus();
    if (OnMouseDown) OnMouseDown(this, mbLeft, Shift, X, Y);
    FPress.SelectionClick = true;
    if (OnClickCell) OnClickCell(this, R, C);
    return;
  }
  // Ratings, in-cell buttons and expand hot spots.
  if (C < ColCount() && R < RowCount() && GraphicCellPress(C, R, X, Y)) return;
  // Beyond the counts: the framework alone.
  if (C >= ColCount() || R >= RowCount()) {
    TBaseGrid::WMLButtonDown(Message);
    return;
  }
  if (C == 0 && NodeGlyphPress(R, X, Shift, Y)) return;
  // The node column never selects.
  if (C == 0 && R >= FixedRows() && HasNodes() && !FMouseActions->RowSelect() &&
      !Options().contains(goRowSizing)) {
    if (OnMouseDown) OnMouseDown(this, mbLeft, Shift, X, Y);
    if (OnClickCell) OnClickCell(this, R, C);
    return;
  }
  // Offset from the probe cell's bottom-right corner.
  if (FPress.Colclicked >= 0 && FPress.Rowclicked >= 0) {
    const TRect pr = CellRect(FPress.Colclicked, FPress.Rowclicked);
    FPress.Clickposdx = X - pr.Right;
    FPress.Clickposdy = Y - pr.Bottom;
  } else {
    FPress.Clickposdx = FPress.Clickposdy = 0;
  }
  // Disjunct rows: Shift extends, Ctrl (or no Ctrl needed) toggles, a
  // plain press starts a new row selection.
  FPress.DeselectState = false;
  if (FMouseActions->DisjunctRowSelect() && R >= FixedRows() &&
      (C != 0 || !FMouseActions->HotmailRowSelect())) {
    if (Shift.contains(ssShift)) {
      TBaseGrid::WMLButtonDown(Message);
      SetSelection(
          TGridRect{std::min(C, S0.Left), std::min(R, S0.Top), std::max(C, S0.Left), std::max(R, S0.Top)});
      return;
    }
    const int rr = FMouseActions->RowSelectPersistent() ? RealRowIndex(R) : R;
    if (Shift.contains(ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl()) {
      if (RowSelect(rr)) FPress.DeselectState = true;
    } else if (!Shift.contains(ssAlt)) {
      ClearRowSelect();
    }
  }
  // Links in cells.
  if (F.URLShow && !IsFixed(C, R)) {
    const QString text = Cells(RC, R);
    if (ClassifyCellText(text, F.EnableHTML) != ctkHTML && ContainsURL(text)) {
      DoAnchorClick(C, R, text);
      return;
    }
  }
  // Anchors and inline controls of mini-HTML cells.
  if (!IsFixed(C, R) && ClassifyCellText(Cells(RC, R), F.EnableHTML) == ctkHTML &&
      HTMLCellPress(C, R, CR, X, Y))
    return;
  // Header selections replace the framework's selection.
  FPress.Movecell = -1;
  const int lastCol = ColCount() - 1, lastRow = RowCount() - 1;
  if (C < FixedCols() && R < FixedRows() && FMouseActions->AllSelect() && Options().contains(goRangeSelect) &&
      FMouseSelectMode == msAll) {
    SetFocus();
    SetSelection(TGridRect{FixedCols(), FixedRows(), lastCol, lastRow});
    FSelHidden = false;
  } else if (C < FixedCols() && R >= FixedRows() && FMouseActions->RowSelect() && FMouseSelectMode == msRow) {
    const int from = Shift.contains(ssShift) ? Selection().Top : R;
    SetSelection(TGridRect{FixedCols(), std::min(from, R), lastCol, std::max(from, R)});
    FSelHidden = false;
    FMouseSelectStart = R;
  } else if (C >= FixedCols() && R < FixedRows() && FMouseActions->ColSelect() &&
             Options().contains(goRangeSelect) && FMouseSelectMode == msColumn) {
    SetFocus();
    int left = C, right = C;
    if (Shift.contains(ssShift)) {
      if (C < S0.Left)
        right = S0.Right;
      else
        left = S0.Left;
    }
    SetSelection(TGridRect{left, FixedRows(), right, lastRow});
    FSelHidden = false;
    FMouseSelectStart = C;
  }
  // The pressed header cell for a later move.
  if (C >= FixedCols() && R < FixedRows())
    FPress.Movecell = C;
  else if (C < FixedCols() && R >= FixedRows())
    FPress.Movecell = R;
  FPress.MoveOfsX = X - CR.Left;
  FPress.MoveOfsY = Y - CR.Top;
  // Check boxes and radio buttons.
  bool CanEdit = Options().contains(goEditing) || FMouseActions->RangeSelectAndEdit();
  CanEditCell(RC, R, CanEdit);
  if (C < ColCount() && R < RowCount() &&
      (CanEdit || FControlLook->CheckAlwaysActive() || (C == 0 && FMouseActions->HotmailRowSelect())) &&
      (HasCheckBox(RC, R) || HasRadioButton(RC, R)) && IsInCheckBox(RC, R, X, Y)) {
    CheckBoxClick(C, R);
    if (OnMouseDown) OnMouseDown(this, mbLeft, Shift, X, Y);
    Click();
    return;
  }
  // Direct editing starts from a closed editor.
  const bool ComboAlways =
      C >= FixedCols() && R >= FixedRows() && FControlLook->DropDownAlwaysVisible() && HasComboBox(RC, R);
  const bool editOnDbl = FMouseActions->EditOnDblClickOnly();
  const bool direct = FMouseActions->DirectEdit() || (FControlLook->DropDownAlwaysVisible() && ComboAlways);
  if (!IsFixed(C, R) && (CanEdit || (editOnDbl && ComboAlways)) && direct) {
    HideInplaceEdit();
    SetFocus();
  }
  // A press on the current single cell.
  const TGridRect sel = Selection();
  const bool OnCurrent =
      Inside(CR, X, Y) && sel.Left == C && sel.Right == C && sel.Top == R && sel.Bottom == R;
  // Fixed cells inside the grid only click.
  if (FixedInside) {
    const bool footer = R == RowCount() - 1 && FFloatingFooter->Visible();
    if (!footer && OnClickCell) OnClickCell(this, R, C);
    return;
  }
  // The framework selects (the editor does not open by itself while the
  // press runs).
  if (!FSelHidden) {
    const bool always = FNavigation->AlwaysEdit();
    FNavigation->SetAlwaysEdit(false);
    auto restore = qScopeGuard([&] { FNavigation->SetAlwaysEdit(always); });
    TBaseGrid::WMLButtonDown(Message);
  }
  // The click, unless the press sizes a column.
  if (!(R < FixedRows() && IsColumnSizingPress(X, Y)) && OnClickCell) OnClickCell(this, R, C);
  // Direct editing opens the editor at once.
  if (X - CR.Left >= 4 && CR.Right - X >= 4 && C >= FixedCols() && R >= FixedRows() &&
      (CanEdit || (editOnDbl && ComboAlways)) && direct && !HasCheckBox(RC, R) && !HasRadioButton(RC, R)) {
    if (editOnDbl && ComboAlways && !Options().contains(goEditing)) {
      SetOptions(Options() + goEditing);
      SetFocus();
    }
    Allow = true;
    if (Row() != R && OnRowChanging) OnRowChanging(this, Row(), R, Allow);
    if (Col() != C && OnColChanging) OnColChanging(this, Col(), C, Allow);
    if ((Row() != R || Col() != C) && OnCellChanging) OnCellChanging(this, Row(), Col(), R, C, Allow);
    if (Allow) {
      SetSelection(TGridRect{C, R, C, R});
      ShowEditor();
    }
  } else if (IsMergedCell(C, R) && CanEdit && OnCurrent) {
    ShowEditor();
  }
}

void TProStringGrid::CheckBoxClick(int C, int R) {
  const int RC = RealColIndex(C);
  HideInplaceEdit();
  SetFocus();
  if (HasRadioButton(RC, R))
    DoToggleRadioButton(RC, R, true);
  else
    DoToggleCheckBox(RC, R, true);
  if (FShowModified->Enabled()) SetRowModified(R, true);
  bool state = false;
  GetCheckBoxState(RC, RealRowIndex(R), state);
  if (!FNavigation->AlwaysEdit() && C >= FixedCols() && R >= FixedRows()) MoveColRow(C, R, true, true);
  DoCheckBoxClick(C, R, state);
}

void TProStringGrid::DoCheckBoxClick(int ACol, int ARow, bool State) {
  if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

void TProStringGrid::DoClickSort(int ACol) {
  if (OnClickSort) OnClickSort(this, ACol);
}

void TProStringGrid::DoAnchorClick(int C, int R, const QString& Anchor) {
  bool AutoHandle = true;
  if (OnAnchorClick) OnAnchorClick(this, R, C, Anchor, AutoHandle);
  if (!AutoHandle) return;
  if (!Anchor.toUpper().contains(QStringLiteral("CELL://"))) {
    // Cell data is not trusted: only web, mail and file addresses are opened,
    // and only by the desktop's opener (never started as a program).
    const QUrl url(Anchor.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                          scheme == QLatin1String("mailto") || scheme == QLatin1String("file"))) {
      QString error;  // a failing open is not reported
      DocumentOpener().Open(url.toString(), error);
    }
    return;
  }
  // "CELL://R<row>C<col>", letters in any case.
  const QString ref = Anchor.mid(Anchor.toUpper().indexOf(QStringLiteral("CELL://")) + 7).toUpper();
  const int cpos = ref.indexOf(u'C');
  if (!ref.startsWith(u'R') || cpos < 2) return;
  bool okr = false, okc = false;
  const int row = ref.mid(1, cpos - 1).toInt(&okr);
  const int col = ref.mid(cpos + 1).toInt(&okc);
  if (!okr || !okc || row < 0 || col < 0 || row >= RowCount() || col >= ColCount()) return;
  SetRow(row);
  SetCol(col);
}

void TProStringGrid::WMLButtonUp(TWMMouse& Message) {
  const int X = Message.XPos(), Y = Message.YPos();
  // The press is over; a spin editor it opened has taken its step.
  FSpinUpClick = FSpinDnClick = false;
  FMouseSelectMode = msNormal;
  FMouseSelectStart = -1;
  const bool moved = FPress.ColMoveFlg, sized = FPress.ColSizeFlg;
  FPress.ColMoveFlg = FPress.ColSizeFlg = false;
  FPress.MouseKeepDown = FPress.MouseDownMove = false;
  ReleaseHTMLControlButton();
  // The end of sizing a fixed column or row.
  if (FSizingFixed || FSizingFixedR) {
    const bool cols = FSizingFixed;
    const int index = cols ? FSizingFixedCol : FSizingFixedRow;
    FSizeFixed = FSizingFixed = FSizeFixedR = FSizingFixedR = false;
    SetMouseCapture(false);
    if (index >= 0) {
      int before = 0;
      for (int i = 0; i < index; ++i) before += cols ? ColWidths(i) : RowHeights(i);
      int size = std::max(0, (cols ? X : Y) - before);
      if (cols) {
        SetColWidths(index, size);
        if (OnEndColumnSize) OnEndColumnSize(this, index);
        int w = size;
        UpdateColumnSize(index, w);
        if (w != size) SetColWidths(index, w);
      } else {
        SetRowHeights(index, size);
        if (OnEndRowSize) OnEndRowSize(this, index);
      }
    }
    if (FSizingHint != nullptr) FSizingHint->ReleaseHandle();
    return;
  }
  // The sizing hint goes with the button.
  if (FSizingHint != nullptr && (F.HintShowSizing || IsDesigning())) FSizingHint->ReleaseHandle();
  // The released cell; a pushed in-cell button clicks when released on it.
  int C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  if (GraphicCellRelease(C, R, X, Y)) return;
  // OnClick of the fixed cells.
  if (OnClick && FPress.DoOnClick && !(R >= 0 && R < FixedRows() && IsColumnSizingPress(X, Y)) &&
      ((R >= 0 && R < FixedRows()) || (C >= 0 && C < FixedCols())))
    OnClick(this);
  FPress.DoOnClick = false;
  // A press on a selected cell that did not become a drag selects it now.
  if (FPress.SelectionClick) {
    FPress.SelectionClick = false;
    if (C >= FixedCols() && R >= FixedRows()) {
      if (Options().contains(goRowSelect))
        SetSelection(TGridRect{FixedCols(), R, ColCount() - 1, R});
      else
        SetSelection(TGridRect{C, R, C, R});
    }
  }
  // Disjunct rows take the selection; a Ctrl press on a selected row
  // deselects it.
  bool deselected = false;
  if (FMouseActions->DisjunctRowSelect() && C >= 0 && R >= 0) {
    if (!(C == 0 && FMouseActions->HotmailRowSelect())) SelectionToRowSelect(false);
    if (FPress.DeselectState && R >= FixedRows() && R < RowCount() - FFixedFooters) {
      SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(R) : R, false);
      deselected = true;
    }
    FPress.DeselectState = false;
  }
  // A header dropped where it may not go, or a refused move, moves nothing.
  if (GridState() == gsColMoving || GridState() == gsRowMoving) {
    if (FMoveRefused || FDropRefused) FMovePos = FMoveIndex;
    Screen->SetCursor(crDefault);
  }
  FMoveRefused = FDropRefused = false;
  // The framework's release (OnMouseUp, the end of selecting and sizing).
  const TGridState before = GridState();
  TBaseGrid::WMLButtonUp(Message);
  FColSized = FRowSized = false;  // a sizing that changed nothing is over too
  if (before == gsColSizing || before == gsRowSizing) return;
  // After a deselection the selection did not change.
  if (deselected) FSelChange = false;
  // Nothing more after a move or size, or outside the cells.
  if (moved || sized || C < 0 || R < 0) return;
  // Check-box release event.
  const int RC = (C >= FixedCols() || FSortSettings->FixedCols()) ? RealColIndex(C) : C;
  if (HasCheckBox(RC, R)) {
    bool state = false;
    GetCheckBoxState(RC, RealRowIndex(R), state);
    if (OnCheckBoxMouseUp) OnCheckBoxMouseUp(this, RC, R, state);
  }
  // Sorting by a click on the sort row's header.
  if (FPress.DblClk) {
    FPress.DblClk = false;
    return;
  }
  ClickSort(RC, R, X);
}

void TProStringGrid::ClickSort(int C, int R, int X) {
  const TRect CR = CellRect(DisplColIndex(C), R);
  // A release on a header's side border sized the column.
  if (R == 0 && Options().contains(goColSizing) && (X - CR.Left < 4 || CR.Right - X < 4)) return;
  // The press must have been on the same row.
  int C2 = -1, R2 = -1;
  MouseToCell(FPress.Clickposx, FPress.Clickposy, C2, R2);
  // Filter glyphs at the right of the header.
  if (X > CR.Right - 16 && GetColumnFilter(C)) return;
  // A sortable release.
  const bool sortable = R == FSortSettings->Row() && R == R2 && FixedRows() > 0 && !HasCheckBox(C, R) &&
                        FSortSettings->Show() && RowCount() > 2;
  if (!sortable) return;
  bool Allow = true;
  if (OnCanSort) OnCanSort(this, C, Allow);
  if (!Allow) {
    RepaintCell(DisplColIndex(C), FSortSettings->Row());
    return;
  }
  // Sort: the same column inverts the direction (and may undo the sort).
  HideInplaceEdit();
  bool Undo = false;
  if (FSortSettings->Column() == C) {
    Undo = FSortSettings->Direction() != FSortSettings->InitSortDirection() && FSortSettings->UndoSort();
    FSortSettings->SetDirection(FSortSettings->Direction() == sdAscending ? sdDescending : sdAscending);
  } else {
    FSortSettings->SetDirection(FSortSettings->InitSortDirection());
    FSortSettings->SetColumn(C);
  }
  QElapsedTimer timer;
  timer.start();
  const int left = LeftCol();
  {
    auto keepLeft = qScopeGuard([&] {
      if (Options().contains(goRowSelect) && FNavigation->KeepHorizScroll()) SetLeftCol(left);
    });
    if (Undo) {
      QUnSort();
      FSortSettings->SetColumn(-1);
    } else {
      QSort();
    }
  }
  FSortTime = int(timer.elapsed());
  DoClickSort(FSortSettings->Column());
}

void TProStringGrid::WMLButtonDblClk(TWMMouse& Message) {
  const int X = Message.XPos(), Y = Message.YPos();
  // The cell under the point.
  int C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  // Right of the last column: the last column's header.
  if (C == -1) {
    if (FFixedRowAlways) {
      TBaseGrid::WMLButtonDblClk(Message);
      return;
    }
    C = ColCount() - 1;
    R = 0;
  }
  // A double click on a header border fits the column left of it.
  if (R >= 0 && R < FixedRows() && Options().contains(goColSizing) &&
      FMouseActions->AutoSizeColOnDblClick()) {
    const TRect CR = CellRect(C, R);
    int fit = -1;
    if (std::abs(X - CR.Left) <= 3 && C - 1 >= FixedCols())
      fit = C - 1;
    else if (std::abs(X - CR.Right) <= 3 && C >= FixedCols())
      fit = C;
    else if (X > CR.Right && C == ColCount() - 1)
      fit = C;
    if (fit >= 0) {
      FPress.DblClk = true;
      bool Allow = true;
      if (OnColumnSize) OnColumnSize(this, fit, Allow);
      if (Allow) {
        AutoSizeCol(fit, 0);
        if (OnEndColumnSize) OnEndColumnSize(this, fit);
      }
      TBaseGrid::WMLButtonDblClk(Message);
      return;
    }
  }
  if (R < 0) {
    TBaseGrid::WMLButtonDblClk(Message);
    return;
  }
  const int RC = RealColIndex(C);
  // Control cells take the double click for themselves.
  if (HasCheckBox(RC, R) || HasRadioButton(RC, R)) {
    TBaseGrid::WMLButtonDblClk(Message);
    return;
  }
  // OnDblClick first, then the cell's event.
  TBaseGrid::WMLButtonDblClk(Message);
  if (OnDblClickCell) OnDblClickCell(this, R, C);
  // Editing on a double click only.
  if (FMouseActions->EditOnDblClickOnly()) {
    const bool range = FMouseActions->RangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    auto restore = qScopeGuard([&] { FMouseActions->SetRangeSelectAndEdit(range); });
    if (IsEditable(RC, R)) {
      SetOptions(Options() + goEditing);
      ShowEditor();
    }
  }
}

void TProStringGrid::WMRButtonDown(TWMMouse& Message) {
  // The framework first (OnMouseDown).
  TBaseGrid::WMRButtonDown(Message);
  const int X = Message.XPos(), Y = Message.YPos();
  const TShiftState Shift = KeysToShiftState(Message.Keys());
  int C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  auto isSelected = [&](int c, int r) {
    const TGridRect s = Selection();
    return c >= s.Left && c <= s.Right && r >= s.Top && r <= s.Bottom;
  };
  // Selecting on a right click.
  if (FMouseActions->SelectOnRightClick() && C >= 0 && R >= 0 && !IsFixed(C, R) &&
      !(FMouseActions->DisjunctCellSelect() && isSelected(C, R))) {
    const int RC = RealColIndex(C);
    if (!HasCheckBox(RC, R) && !HasRadioButton(RC, R)) {
      if (OnRightClickCell) {
        FocusCell(C, R);
      } else {
        MouseDown(mbLeft, Shift, X, Y);
        MouseUp(mbLeft, Shift, X, Y);
      }
    }
    if (isSelected(C, R)) {
      bool can = true;
      if (OnSelectCell) OnSelectCell(this, C, R, can);  // the answer changes nothing
    } else {
      const TPoint base = BaseCell(C, R);
      const int left = LeftCol();
      MoveColRow(base.X, base.Y, true, true);
      if (FNavigation->KeepHorizScroll()) SetLeftCol(left);
    }
    if (FMouseActions->DisjunctRowSelect()) {
      if (Shift.contains(ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl()) {
        SetRowSelect(R, !RowSelect(R));
      } else if (!(RowSelectCount() > 1 && PopupMenu() != nullptr && RowSelect(R))) {
        ClearRowSelect();
        SetRowSelect(R, true);
      }
    }
  }
  // The cell's event, row first.
  if (OnRightClickCell) OnRightClickCell(this, R, C);
  // Links are edited on a right click.
  if (C >= 0 && R >= 0 && F.URLShow && FURLEdit && ContainsURL(Cells(RealColIndex(C), R))) {
    SetCol(C);
    SetRow(R);
    ShowEditor();
  }
}

void TProStringGrid::WMRButtonUp(TWMMouse& Message) {
  // While a header is moved the release shows no context menu.
  if ((GridState() == gsRowMoving || GridState() == gsColMoving) && F.EnhRowColMove) {
    Message.Result = 0;
    return;
  }
  TBaseGrid::WMRButtonUp(Message);
}

void TProStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                     int& SizingOfs, TGridDrawInfo& FixedInfo) {
  TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
  if (State == gsColSizing) {
    int c = -1, r = -1;
    MouseToCell(X - 6, Y, c, r);
    if (r >= 0 && r < FixedRows() && c >= 0) {
      bool Allow = true;
      if (OnColumnSize) OnColumnSize(this, c, Allow);
      if (!Allow) State = gsNormal;
    }
  } else if (State == gsRowSizing) {
    int c = -1, r = -1;
    MouseToCell(X, Y - 6, c, r);
    if (c >= 0 && c < FixedCols() && r >= 0) {
      bool Allow = true;
      if (OnRowSize) OnRowSize(this, r, Allow);
      if (!Allow) State = gsNormal;
    }
  }
}

void TProStringGrid::MouseMove(TShiftState Shift, int X, int Y) {
  const TGridRect before = Selection();
  int C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  // A drag of cells starts once the pointer moved more than 3 pixels.
  if (FPress.MouseDownMove && C >= 0 && R >= 0 && Shift.contains(ssLeft) &&
      (std::abs(X - FPress.Clickposx) > 3 || std::abs(Y - FPress.Clickposy) > 3) &&
      FDragDropSettings->OleDropSource() && GridState() != gsColSizing) {
    FPress.MouseDownMove = false;
    bool Allow = true;
    const int RC = RealColIndex(C);
    if (FDragDropSettings->OleColumnsOnly() && R >= FixedRows())
      Allow = false;
    else if (OnOleDrag)
      OnOleDrag(this, R, RC, Cells(RC, R), Allow);
    if (!Allow) {
      if (GridState() == gsNormal) FGridState = gsSelecting;
    } else if (OnOleDragStart) {
      OnOleDragStart(this, R, RC);
    }
  }
  // Hovered row.
  if (HoverRow() && C >= 0 && R >= 0 && R != FHoverRowIndex) {
    const int old = FHoverRowIndex;
    FHoverRowIndex = R;
    RepaintRow(R);
    if (old >= 0 && old < RowCount()) RepaintRow(old);
  }
  // Dragging over the headers extends a row or column selection.
  if (FMouseSelectStart >= 0 && FMouseActions->RowSelect() && FMouseSelectMode == msRow && R >= FixedRows() &&
      R <= RowCount() - FFixedFooters) {
    const int to = std::max(FixedRows(), std::min(R, RowCount() - 1));
    SetSelection(TGridRect{FixedCols(), std::min(FMouseSelectStart, to), ColCount() - 1,
                           std::max(FMouseSelectStart, to)});
  } else if (FMouseSelectStart >= 0 && FMouseActions->ColSelect() && FMouseSelectMode == msColumn && C >= 0) {
    const int to = std::max(FixedCols(), C);
    SetSelection(TGridRect{std::min(FMouseSelectStart, to), FixedRows(), std::max(FMouseSelectStart, to),
                           RowCount() - 1});
  }
  // Over the border of a fixed column or row (2 pixels either side).
  if (!IsDesigning()) {
    if (FSizingFixed) {
      FSizeFixedX = X;
    } else if (FSizingFixedR) {
      FSizeFixedY = Y;
    } else {
      FSizeFixed = FSizeFixedR = false;
      int edge = 0;
      for (int i = 0; i < FixedCols() && C >= 0 && R >= 0; ++i) {
        if (std::abs(edge + ColWidths(i) - X) < 3) FSizeFixed = FMouseActions->SizeFixedCol();
        edge += ColWidths(i) + 1;
      }
      edge = 0;
      for (int i = 0; i < FixedRows() && C >= 0 && R >= 0; ++i) {
        if (std::abs(edge + RowHeights(i) - Y) < 3) FSizeFixedR = FMouseActions->SizeFixedRow();
        edge += RowHeights(i) + 1;
      }
    }
  }
  // Sizing and moving.
  NoteUserSizing();
  if (GridState() == gsColSizing) FPress.ColSizeFlg = true;
  if (GridState() == gsRowSizing) FPress.ColSizeFlg = true;
  const bool moving = GridState() == gsColMoving || GridState() == gsRowMoving;
  if (moving) {
    FPress.ColMoveFlg = true;
    // The application may refuse the move once it starts.
    if (!FMoveRefused && (X != FPress.Clickposx || Y != FPress.Clickposy)) {
      bool Allow = true;
      if (GridState() == gsColMoving && OnColumnMove) OnColumnMove(this, FMoveIndex, Allow);
      if (GridState() == gsRowMoving && OnRowMove) OnRowMove(this, FMoveIndex, Allow);
      FMoveRefused = !Allow;
    }
  }
  // The select mode a press here would take.
  if (!IsDesigning()) {
    FMouseSelectMode = msNormal;
    if (C >= 0 && R >= 0) {
      if (R < FixedRows() && C < FixedCols()) {
        if (FMouseActions->AllSelect()) FMouseSelectMode = msAll;
      } else if (R < FixedRows() && FMouseActions->ColSelect() && !OnSizingBorder(X, Y)) {
        FMouseSelectMode = msColumn;
      } else if (C < FixedCols() && R >= FixedRows() &&
                 R <= RowCount() - (FFloatingFooter->Visible() ? 2 : 1) && FMouseActions->RowSelect() &&
                 !OnSizingBorder(X, Y)) {
        FMouseSelectMode = msRow;
      }
    }
  }
  // The hand over a link of a plain cell (URLShow); elsewhere the
  // program's own cursor again.
  if (!FPanning) {
    bool link = false, onAnchor = false;
    QString anchor, title;
    int linkIndex = -1;
    if (C >= 0 && R >= 0 && !IsDesigning()) {
      const QString text = Cells(RealColIndex(C), R);
      const bool html = ClassifyCellText(text, F.EnableHTML) == ctkHTML;
      link = F.URLShow && !html && ContainsURL(text);
      if (html) onAnchor = HTMLCellAnchorAt(*this, text, CellRect(C, R), X, Y, anchor, title, linkIndex);
    }
    TrackHTMLAnchor(C, R, onAnchor, anchor, title, linkIndex);
    link = link || onAnchor;
    if (link) {
      if (!FTempCursor) FGridCursor = TBaseGrid::Cursor();
      TBaseGrid::SetCursor(crHandPoint);
      FTempCursor = true;
    } else if (FTempCursor) {
      TBaseGrid::SetCursor(FGridCursor);
      FTempCursor = false;
    }
  }
  // The hint goes when the pointer leaves its cell.
  if (FLastHintCell.X != -1 || FLastHintCell.Y != -1) {
    const TPoint b = C >= 0 && R >= 0 ? BaseCell(C, R) : TPoint{-1, -1};
    if (b != FLastHintCell) {
      Application->CancelHint();
      FLastHintCell = {-1, -1};
    }
  }
  // So does the balloon.
  if (FLastBalloonPos.X >= -1 && FLastBalloonPos.Y >= -1 && FBalloonSettings->Enable()) {
    const TPoint b = C >= 0 && R >= 0 ? BaseCell(C, R) : TPoint{-1, -1};
    if (b != FLastBalloonPos) FLastBalloonPos = {-2, -2};
  }
  // The framework's move.
  TBaseGrid::MouseMove(Shift, X, Y);
  // The drop place may be refused (the no-drop cursor shows); a refused
  // move drops nowhere.
  if (GridState() == gsColMoving || GridState() == gsRowMoving) {
    if (FMoveRefused) {
      FMovePos = FMoveIndex;
    } else if (F.EnhRowColMove && FMovePos >= 0) {
      bool Allow = true;
      if (GridState() == gsColMoving && OnColumnMoving) OnColumnMoving(this, FMovePos, Allow);
      if (GridState() == gsRowMoving && OnRowMoving) OnRowMoving(this, FMovePos, Allow);
      FDropRefused = !Allow;
      Screen->SetCursor(Allow ? crDrag : crNoDrop);
    }
  }
  // Sizing events with the width or height the pointer gives.
  if (GridState() == gsColSizing && OnColumnSizing && FPress.Colclicked >= 0) {
    const TRect cr = CellRect(FPress.Colclicked, std::max(0, FPress.Rowclicked));
    OnColumnSizing(this, FPress.Colclicked, X - cr.Left - FPress.Clickposdx);
  }
  if (GridState() == gsRowSizing && OnRowSizing && FPress.Rowclicked >= 0) {
    const TRect cr = CellRect(std::max(0, FPress.Colclicked), FPress.Rowclicked);
    OnRowSizing(this, FPress.Rowclicked, Y - cr.Top - FPress.Clickposdy);
  }
  if (FSizingFixed && OnColumnSizing) OnColumnSizing(this, 0, FSizeFixedX);
  if (FSizingFixedR && OnRowSizing) OnRowSizing(this, 0, FSizeFixedY);
  // The size as a hint while sizing.
  if (IsDesigning() || F.HintShowSizing) {
    if (FSizingFixed) {
      const TRect c0 = CellRect(0, 0);
      ShowSizingHint(QStringLiteral("cw=<b>%1</b>").arg(FSizeFixedX), {c0.Left, c0.Top});
    } else if (FSizingFixedR) {
      const TRect c0 = CellRect(0, 0);
      ShowSizingHint(QStringLiteral("rh=<b>%1</b>").arg(FSizeFixedY), {c0.Left, c0.Top});
    } else if (GridState() == gsColSizing) {
      const int c = FPress.Colclicked >= 0 ? FPress.Colclicked : ColCount() - 1;
      const TRect cr = CellRect(c, FPress.Rowclicked >= 0 ? FPress.Rowclicked : 0);
      ShowSizingHint(QStringLiteral("cw=<b>%1</b>").arg(X - cr.Left - FPress.Clickposdx), {cr.Left, cr.Top});
    } else if (GridState() == gsRowSizing) {
      const int r = FPress.Rowclicked >= 0 ? FPress.Rowclicked : RowCount() - 1;
      const TRect cr = CellRect(FPress.Colclicked >= 0 ? FPress.Colclicked : 0, r);
      ShowSizingHint(QStringLiteral("rh=<b>%1</b>").arg(Y - cr.Top - FPress.Clickposdy), {cr.Left, cr.Top});
    }
  }
  // The selection moved.
  const TGridRect after = Selection();
  if (!(after == before)) DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TProStringGrid::ColumnMovedFollowUp(int From, int To, int RF, int RT) {
  if (F.EnhRowColMove) FPress.ColMoveFlg = true;
  // The sort column and the sorted columns keep pointing at their columns.
  auto follow = [&](int c) {
    if (c == RF) return RT;
    if (RF < c && c <= RT) return c - 1;
    if (RT <= c && c < RF) return c + 1;
    return c;
  };
  if (FSortSettings->Column() >= 0) FSortSettings->SetColumn(follow(FSortSettings->Column()));
  for (int i = 0; i < FSortIndexes->Count(); ++i) {
    const int v = FSortIndexes->Items(i);
    FSortIndexes->SetInteger(i, int((uint32_t(v) & 0xFFFF0000u) | uint32_t(follow(v & 0xFFFF) & 0xFFFF)));
  }
  if (FFloatingFooter->Visible() && FFooterPanel != nullptr) FFooterPanel->Invalidate();
  // The partner grid repeats the move, once.
  auto* partner = dynamic_cast<TProStringGrid*>(FSyncGrid->Grid());
  if (partner != nullptr && FSyncGrid->MoveColumn() && !FSyncedMove) {
    partner->FSyncedMove = true;
    auto reset = qScopeGuard([&] { partner->FSyncedMove = false; });
    partner->MoveColumn(From, To);
  }
}

void TProStringGrid::BalloonEnableChanged() {
  if (ComponentState().contains(csLoading)) return;
  if (FBalloonSettings->Enable())
    BalloonInit();
  else
    BalloonDone();
}

void TProStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  int C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  // Range select and edit: a click on the current cell edits it, a Shift-click
  // on another cell extends the selection.
  if (FMouseActions->RangeSelectAndEdit() && Button == mbLeft && !FMouseActions->EditOnDblClickOnly() &&
      C >= 0 && R >= 0) {
    if (C == Col() && R == Row() && !Options().contains(goEditing)) {
      if (IsEditable(RealColIndex(C), R)) {
        SetOptions(Options() + goEditing);
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        ShowEditor();
        return;
      }
    } else if (Shift.contains(ssShift) && Options().contains(goEditing) && (C != Col() || R != Row())) {
      SetOptions(Options() - goEditing);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      return;
    }
  }
  TBaseGrid::MouseDown(Button, Shift, X, Y);
}

void TProStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // The filter list opens on a release on the filter glyph of the filter row.
  int C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  const int RC = C >= 0 ? RealColIndex(C) : -1;
  const TRect cr = C >= 0 && R >= 0 ? CellRect(C, R) : TRect{};
  if (C >= 0 && R == F.FilterDropDownRow && RC != FFilterCol && X > cr.Right - 16 && X < cr.Right - 3 &&
      Y < cr.Top + 19 && GetColumnFilter(RC)) {
    ShowFilterList(RC, cr);
  } else {
    if (FDropList->Visible()) FDropList->SetVisible(false);
    FFilterCol = -1;
  }
  // A release beyond the grid while sizing cancels the sizing.
  if ((GridState() == gsColSizing && X > Width()) || (GridState() == gsRowSizing && Y > Height())) {
    FGridState = gsNormal;
    return;
  }
  const TGridRect at = Selection();
  if (Button == mbLeft || (Button == mbRight && FMouseActions->SelectOnRightClick()))
    DoSelectionChanged(at.Left, at.Top, at.Right, at.Bottom);
  TBaseGrid::MouseUp(Button, Shift, X, Y);
  const TGridRect now = Selection();
  if (!(now == at)) DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
  if (IsDesigning()) DesignHelperClick(X, Y);
}

void TProStringGrid::CMMouseLeave(TCMMouseEnterLeave& Message) {
  TBaseGrid::CMMouseLeave(Message);
  FLastHintCell = {-1, -1};
  TrackHTMLAnchor(-1, -1, false, QString(), QString(), -1);
}

bool TProStringGrid::OnSizingBorder(int X, int Y) {
  TGridState state = gsNormal;
  int index = 0, pos = 0, ofs = 0;
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TBaseGrid::CalcSizingState(X, Y, state, index, pos, ofs, info);
  return state == gsColSizing || state == gsRowSizing;
}

void TProStringGrid::ShowSizingHint(const QString& Text, TPoint ClientCorner) {
  if (FSizingHint == nullptr) FSizingHint = new THTMLHintWindow(this);
  const TRect m = FSizingHint->CalcHintRect(200, Text, nullptr);
  const TPoint at = ClientToScreen(ClientCorner);
  FSizingHint->SetColor(F.HintColor);
  FSizingHint->ActivateHint(TRect{at.X, at.Y, at.X + m.Width(), at.Y + m.Height()}, Text);
}

void TProStringGrid::SetCursor(TCursor Value) {
  TBaseGrid::SetCursor(Value);
  FGridCursor = Value;
  FTempCursor = false;
}

void TProStringGrid::SetUseHTMLHints(bool Value) {
  FUseHTMLHints = Value;
  if (Value)
    Application->HintWindowClass = [](TComponent* Owner) -> THintWindow* {
      return new THTMLHintWindow(Owner);
    };
  else
    Application->HintWindowClass = nullptr;
}

void TProStringGrid::ShowFilterList(int RC, const TRect& CellR) {
  FFilterCol = RC;
  TCustomListBox* list = F.FilterDropDownCheck ? static_cast<TCustomListBox*>(FDropCheckList)
                                               : static_cast<TCustomListBox*>(FDropList);
  list->SetColor(FFilterDropDown->Color());
  list->Font()->Assign(FFilterDropDown->Font());
  list->Items()->Clear();
  int widest = 0;
  for (int i = 0; i < FFilterList->Count(); ++i) {
    const QString entry = FFilterList->Strings(i);
    const int eq = entry.indexOf(u'=');
    const QString shown = eq >= 0 ? entry.left(eq) : entry;
    list->Items()->Add(shown);
    widest = std::max(widest, Canvas()->TextWidth(shown) + 8);
  }
  if (!F.FilterDropDownCheck && list->Items()->Count() > 0) list->SetItemIndex(0);
  int w = FFilterDropDown->Width(), h = FFilterDropDown->Height();
  if (FFilterDropDown->AutoSize()) {
    const int edge = 2;  // the system's edge size
    h = list->Items()->Count() * list->ItemHeight() + 2 * edge;
    w = widest + 2 * edge;
  }
  int left = CellR.Right - 16;
  if (FFilterDropDown->ColumnWidth()) {
    w = CellR.Right - CellR.Left;
    left = CellR.Left;
  }
  if (left + w > Width()) left = std::max(0, CellRect(DisplColIndex(RC), 0).Right - w);
  list->SetBounds(left, CellR.Top + 16, w, h);
  list->SetParent(this);
  list->SetVisible(true);
  if (list->CanFocus()) list->SetFocus();
}
