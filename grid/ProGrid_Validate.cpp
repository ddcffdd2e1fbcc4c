// Validation of an edited value and the grid's change reports.
#include <QScopeGuard>

#include "grid/ProGrid.h"

bool TProStringGrid::ValidateCell(const QString& NewValue) {
  if (!FEditing || FValidating) return true;
  HideInvalidEntry();
  FEditing = false;
  FValidating = true;
  bool Valid = true;
  const int C = RealColIndex(FOldCol);
  const int R = FOldRow;
  FNewCellText = NewValue;
  // Whatever happens, the cell now current is the entered one and no
  // validation is running any more.
  auto finish = qScopeGuard([this, &Valid] {
    StoreOldCellText(Col(), Row());
    FValidating = false;
    if (Valid) HideFocusGlow();
  });
  if (NewValue == FOldCellText && !FAlwaysValidate) return Valid;

  const bool Changed = NewValue != FOldCellText;
  const bool advance = Navigation()->AdvanceOnEnter();
  Navigation()->SetAdvanceOnEnter(false);
  auto restoreAdvance = qScopeGuard([this, advance] { Navigation()->SetAdvanceOnEnter(advance); });
  QString V = NewValue;
  if (OnCellValidate) OnCellValidate(this, C, R, V, Valid);
  // Only a text that reaches the cell marks it: a refused value the handler
  // left alone is replaced by the old text.
  const QString stored = Valid || V != NewValue ? V : FOldCellText;
  if (stored != FOldCellText) {
    FModified = true;
    if (FixedCols() > 0) SetRowModified(FOldRow, true);
  }
  if (Valid) CellValueChanged(C, R);
  if (Valid && UndoRedo() != nullptr) UndoRedo()->RegisterChange(C, R, FOldCellText, V);
  if (Valid && Changed) DoCellsChanged(TRect(C, R, C, R));
  restoreAdvance.dismiss();
  Navigation()->SetAdvanceOnEnter(advance);
  FNewCellText = V;

  if (Valid) {
    if (!IsBaseCell(C, R)) SetGridCell(C, R, V);
    SetCellEx(C, R, V);
  } else {
    FLastValidation = false;
    const QString put = V != NewValue ? V : FOldCellText;
    // The editor shows again what the cell holds now.
    FNewCellText = put;
    if (V == NewValue && FEditMode) FValidating = false;
    ReopenRejected(C, R, put, V == NewValue);
    ShowInvalidEntry();
    FOldCellText = GetGridCell(C, R);
  }
  return Valid;
}

bool TProStringGrid::ValidateCellWide(const QString& NewValue) {
  if (!FEditing || FValidating) return true;
  FEditing = false;
  FValidating = true;
  bool Valid = true;
  const int C = RealColIndex(FOldCol);
  const int R = FOldRow;
  // Protected like the narrow form: a throwing handler leaves no validation running.
  auto finish = qScopeGuard([this, &Valid] {
    StoreOldCellText(Col(), Row());
    FValidating = false;
    if (Valid) HideFocusGlow();
  });
  if (NewValue == FOldCellTextWide && !FAlwaysValidate) return Valid;
  CellValueChanged(C, R);
  QString V = NewValue;
  if (OnCellValidateWide) OnCellValidateWide(this, C, R, V, Valid);
  const QString stored = Valid || V != NewValue ? V : FOldCellTextWide;
  if (stored != FOldCellTextWide) {
    FModified = true;
    if (FixedCols() > 0 && ShowModified()->Enabled()) SetRowModified(FOldRow, true);
  }
  if (Valid) {
    SetCells(C, R, V);
  } else {
    ReopenRejected(C, R, V != NewValue ? V : FOldCellTextWide, V == NewValue);
  }
  FOldCellTextWide = GetGridCell(C, R);
  return Valid;
}

void TProStringGrid::ReopenRejected(int C, int R, const QString& Put, bool Unchanged) {
  HideEditor();
  SetCells(C, R, Put);
  if (FOldCol >= 0 && FOldCol < ColCount() && R >= 0 && R < RowCount())
    MoveColRow(FOldCol, R, true, true);
  FValidating = false;
  FEditing = true;
  ShowInplaceEdit();
  if (Unchanged && Col() != FOldCol) InvalidateEditor();
}

void TProStringGrid::ShowInvalidEntry() {
  if (FInvalidEntryTitle.isEmpty() && FInvalidEntryText.isEmpty()) return;
  TWinControl* anchor = !FSpecialEditor && FEditMode ? NormalEdit() : FEditCtrl;
  if (anchor == nullptr || !anchor->Visible()) return;
  // The platform's edits have no balloons: a hint window under the editor
  // shows the title and the text.
  if (FInvalidEntryHint == nullptr) FInvalidEntryHint = new THintWindow(this);
  QString text = FInvalidEntryTitle;
  if (!text.isEmpty() && !FInvalidEntryText.isEmpty()) text += u'\n';
  text += FInvalidEntryText;
  TRect r = FInvalidEntryHint->CalcHintRect(300, text, nullptr);
  const TPoint p = anchor->ClientToScreen(TPoint(0, anchor->Height()));
  OffsetRect(r, p.X, p.Y);
  FInvalidEntryHint->ActivateHint(r, text);
}

void TProStringGrid::HideInvalidEntry() {
  if (FInvalidEntryHint != nullptr && FInvalidEntryHint->Visible()) FInvalidEntryHint->ReleaseHandle();
}

void TProStringGrid::CellValueChanged(int ACol, int) { CalcFooter(ACol); }

void TProStringGrid::CellsLoaded() { CalcFooter(-1); }
