// The fixed-cell editors: their text reaches the fixed cell through the
// grid's validation.
#include "grid/ProGrid_TransEdits.h"

#include "grid/ProGrid.h"

namespace {

// The value of a fixed-cell editor handed to its cell; see StopEdit.
bool StopFixedCellEdit(TWinControl* Editor, TProStringGrid* Grid, int ACol, int ARow, const QString& Text) {
  if (Grid == nullptr) {
    Editor->SetVisible(false);
    return true;
  }
  QString V = Text;
  bool Valid = true;
  if (Grid->OnCellValidate) Grid->OnCellValidate(Grid, ACol, ARow, V, Valid);
  if (!Valid) {
    // The cursor goes as near to the cell as it may: fixed columns and rows
    // cannot hold it.
    const int dc = Grid->DisplColIndex(ACol);
    if (dc >= Grid->FixedCols() && dc < Grid->ColCount()) Grid->SetCol(dc);
    if (ARow >= Grid->FixedRows() && ARow < Grid->RowCount()) Grid->SetRow(ARow);
    if (Editor->CanFocus()) Editor->SetFocus();
    return false;
  }
  if (Grid->OnEditingDone) Grid->OnEditingDone(Grid);
  Grid->SetCells(ACol, ARow, V);
  Editor->SetVisible(false);
  return true;
}

// Enter typed into a fixed-cell editor is dropped; true when it was.
bool DropReturn(QChar& Key) {
  if (Key != QChar(u'\r')) return false;
  Key = QChar();
  return true;
}

}  // namespace

TGridTransEdit::TGridTransEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  SetBorderStyle(bsNone);
}

bool TGridTransEdit::StopEdit() { return StopFixedCellEdit(this, FGrid, FCol, FRow, Text()); }

void TGridTransEdit::DoExit() {
  TCustomEdit::DoExit();
  if (Visible()) StopEdit();
}

void TGridTransEdit::KeyPress(QChar& Key) {
  if (!DropReturn(Key)) TCustomEdit::KeyPress(Key);
}

TGridTransCombo::TGridTransCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {}

bool TGridTransCombo::StopEdit() { return StopFixedCellEdit(this, FGrid, FCol, FRow, Text()); }

void TGridTransCombo::DoExit() {
  TCustomComboBox::DoExit();
  if (Visible()) StopEdit();
}

void TGridTransCombo::KeyPress(QChar& Key) {
  if (!DropReturn(Key)) TCustomComboBox::KeyPress(Key);
}
