// The cursor's select-cell hook: per-cell editability switches goEditing as
// the cursor moves, an open editor is put away and a special editor's value
// validated before the cursor leaves, and the application may veto the move.
#include "grid/ProGrid.h"

bool TProStringGrid::SelectCell(int ACol, int ARow) {
  if (Parent() == nullptr) return true;
  if (ACol < 0 || ARow < 0) return false;
  FEditText = Cells(RealColIndex(ACol), ARow);
  TGridOptions o = Options();
  // A covered part of a merged cell sends the cursor to the block's base cell.
  if (IsMergedNonBaseCell(ACol, ARow) && !o.contains(goRangeSelect)) {
    const TPoint b = BaseCell(ACol, ARow);
    MoveColRow(b.X, b.Y, true, true);
    RepaintCell(b.X, b.Y);
    if (MouseActions()->DirectEdit()) ShowInplaceEdit();
    return false;
  }
  if (Navigation()->SkipDisabledRows() && !RowEnabled(ARow)) return false;

  const int C = RealColIndex(ACol);
  QString T = Cells(C, ARow);
  if (IsControlCell(C, ARow)) {
    bool E = true;
    CanEditCell(C, ARow, E);
    if (!FEditDisable) FEditDisable = !E && (o.contains(goEditing) || MouseActions()->RangeSelectAndEdit());
    if (!o.contains(goEditing) && !o.contains(goRowSelect) && E) {
      FEditChange = true;
      SetOptions(o + TGridOptions{goEditing});
    }
  } else {
    bool E = o.contains(goEditing) || FEditDisable;
    CanEditCell(C, ARow, E);
    if (MouseActions()->DirectEdit() && E) {
      FEditControl = FDefaultEditor;
      if (HasNoEditor(C, ARow)) E = false;
    }
    if (MouseActions()->EditOnDblClickOnly()) E = false;
    if (FEditing) {
      HideInplaceEdit();
      T = Cells(C, ARow);
    }
    o = Options();
    if (E) {
      FEditDisable = false;
      if (!o.contains(goEditing)) {
        FEditChange = true;
        if (!FEditing) StoreOldCellText(ACol, ARow);
        if (o.contains(goRowSelect) && MouseActions()->RangeSelectAndEdit()) o.Exclude(goRowSelect);
        SetOptions(o + TGridOptions{goEditing});
      }
    } else if (o.contains(goEditing)) {
      FEditMode = false;
      FEditDisable = true;
      FEditChange = true;
      FEditorMode = false;
      SetOptions(o - TGridOptions{goEditing});
    }
  }

  bool answer;
  TProInplaceEdit* ed = NormalEdit();
  if (!FEditing || (ed != nullptr && ed->Focused())) {
    bool allow = true;
    CanChangeCell(ACol, ARow, allow);
    if (IsFixed(ACol, ARow) || !allow)
      answer = (allow && Options().contains(goRowSelect)) ||
               (FixedRowAlways() && RowCount() == FixedRows());
    else
      answer = TBaseGrid::SelectCell(ACol, ARow);
  } else {
    // A special editor's value is validated before the cursor leaves its cell.
    const QString S = FCellCache;
    answer = ValidateCell(CurrentCell());
    if (answer) {
      bool allow = true;
      CanChangeCell(ACol, ARow, allow);
      answer = allow && TBaseGrid::SelectCell(ACol, ARow);
    }
    if (!answer) T = S;
  }
  FCellCache = T;
  return answer;
}

void TProStringGrid::CanChangeCell(int ACol, int ARow, bool& Allow) {
  if (ARow != Row() && OnRowChanging) OnRowChanging(this, Row(), ARow, Allow);
  if (ACol != Col() && OnColChanging) OnColChanging(this, Col(), ACol, Allow);
  if ((ACol != Col() || ARow != Row()) && OnCellChanging)
    OnCellChanging(this, Row(), Col(), ARow, ACol, Allow);
}

bool TProStringGrid::IsEditable(int ACol, int ARow) {
  if (Options().contains(goEditing) || MouseActions()->RangeSelectAndEdit() || FEditDisable)
    return CheckCellEditable(ACol, ARow);
  return false;
}

bool TProStringGrid::CheckCellEditable(int ACol, int ARow) {
  TPoint b(ACol, ARow);
  if (IsMergedNonBaseCell(ACol, ARow)) b = BaseCell(ACol, ARow);
  bool E = true, X = false;
  CanEditCell(b.X, b.Y, E);
  IsFixedCell(RealColIndex(b.X), b.Y, X);
  return E && !X;
}

bool TProStringGrid::IsFixed(int ACol, int ARow) {
  int bc = RealColIndex(ACol), br = ARow;
  if (IsMergedNonBaseCell(bc, ARow)) {
    const TPoint b = BaseCell(bc, ARow);
    bc = b.X;
    br = b.Y;
  }
  bc = DisplColIndex(bc);
  if (br >= RowCount() - FixedFooters() && FixedFooters() > 0) return true;
  if (bc >= ColCount() - FixedRightCols() && bc <= ColCount() - 1 && FixedRightCols() > 0) return true;
  bool fixed = false;
  IsFixedCell(bc, br, fixed);
  return fixed;
}
