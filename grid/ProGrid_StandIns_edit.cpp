// Stand-ins for members of other families that editing calls; each answers
// what the grid answers without any application handler or cell type.
#include "grid/ProGrid.h"

void TProStringGrid::GetCellEditorType(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TProStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TProStringGrid::HasNoEditor(int ACol, int ARow) {
  if (!OnGetEditorType) return false;
  TEditorType e = edNormal;
  OnGetEditorType(this, ACol, ARow, e);
  return e == edNone;
}

void TProStringGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed) {
  if (!IsFixed) IsFixed = ACol < FixedCols() || ARow < FixedRows();
  if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TProStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit) {
  const TPoint b = BaseCell(ACol, ARow);
  if (HasCellProperties(b.X, b.Y) && CanEdit) {
    CanEdit = !GetCellProperties(b.X, b.Y)->ReadOnly();
    if (!Options().contains(goEditing) && !FEditDisable && !MouseActions()->RangeSelectAndEdit())
      CanEdit = false;
  }
  if (OnCanEditCell) OnCanEditCell(this, b.Y, b.X, CanEdit);
}

void TProStringGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword) {
  if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

bool TProStringGrid::IsControlCell(int, int) { return false; }

QString TProStringGrid::GetCurrentCell() { return Cells(RealColIndex(Col()), Row()); }

void TProStringGrid::SetCurrentCell(const QString& AValue) {
  SetEditText(Col(), Row(), AValue);
}

void TProStringGrid::StoreOldCellText(int ACol, int ARow) {
  FOldCol = ACol;
  FOldRow = ARow;
  FOldCellText = GetGridCell(RealColIndex(ACol), ARow);
  FOldCellTextWide = FOldCellText;
}

TAlignment TProStringGrid::CalcCellAlignment(int, int) { return DefaultAlignment(); }

void TProStringGrid::AdvanceToNextCell(bool, bool, bool, bool, bool) {
  if (Navigation()->AdvanceOnEnter()) NotAvailable("AdvanceToNextCell");
}

void TProStringGrid::TabAdvance(bool) { NotAvailable("TabAdvance"); }

void TProStringGrid::GetCheckTrue(int ACol, int ARow, QString& Value) {
  Value = CheckTrue();
  if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TProStringGrid::GetCheckFalse(int ACol, int ARow, QString& Value) {
  Value = CheckFalse();
  if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}
