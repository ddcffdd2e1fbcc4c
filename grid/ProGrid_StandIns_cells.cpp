// Stand-ins for members of other families that the cell graphics, check boxes
// and the column grid call; each is replaced when its family lands.
#include "grid/ProGrid.h"

// ------------------------------------------------------------ per-cell queries

void TProStringGrid::GetCheckTrue(int ACol, int ARow, QString& Value) {
  Value = CheckTrue();
  if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TProStringGrid::GetCheckFalse(int ACol, int ARow, QString& Value) {
  Value = CheckFalse();
  if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

void TProStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit) {
  const TPoint b = BaseCell(ACol, ARow);
  if (HasCellProperties(b.X, b.Y) && CanEdit) {
    CanEdit = !GetCellProperties(b.X, b.Y)->ReadOnly();
    if (!Options().contains(goEditing) && !MouseActions()->RangeSelectAndEdit()) CanEdit = false;
  }
  if (b.X < ColCount() + NumHiddenColumns()) DoCanEditCell(b.X, b.Y, CanEdit);
  else CanEdit = true;
}

void TProStringGrid::DoCanEditCell(int ACol, int ARow, bool& CanEdit) {
  if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TProStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TProStringGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed) {
  if (!IsFixed) IsFixed = ACol < FixedCols() || ARow < FixedRows();
}

void TProStringGrid::IsPasswordCell(int, int, bool&) {}

bool TProStringGrid::HasComboBox(int, int) { return false; }

void TProStringGrid::GetCellAlignment(int ACol, int, TAlignment& HAlign, TVAlignment&) {
  if (ACol == 0 && MouseActions()->HotmailRowSelect()) HAlign = taCenter;
}

void TProStringGrid::GetCellFormat(int, TSortStyle&, QString&, QString&) {}

void TProStringGrid::GetCellColor(int, int, TGridDrawState, TBrush*, TFont*) {}

void TProStringGrid::GetCellPrintColor(int, int, TGridDrawState, TBrush*, TFont*) {}

void TProStringGrid::GetCellBorder(int, int, TPen*, TCellBorders&) {}

void TProStringGrid::GetCellPrintBorder(int, int, TPen*, TCellBorders&) {}

void TProStringGrid::UpdateColumnSize(int, int&) {}

void TProStringGrid::UpdateAutoColumnSize(int, int&) {}

void TProStringGrid::CellsLoaded() {}

// ------------------------------------------------------------------ typed access

QString TProStringGrid::GetCellFloatFormat(int, int) { return FloatFormat(); }

double TProStringGrid::Floats(int ACol, int ARow) { return StrToFloatDef(Cells(ACol, ARow), 0); }

// ------------------------------------------------------------- cell text painting

QString TProStringGrid::GetFormattedCell(int ACol, int ARow) { return Cells(ACol, ARow); }

// ---------------------------------------------------- hidden columns and moves

int TProStringGrid::AllColWidths(int ACol) {
  if (IsHiddenColumn(ACol)) return FAllColWidths[size_t(ACol)];
  return ColWidths(DisplColIndex(ACol));
}

void TProStringGrid::SetAllColWidths(int ACol, int Value) {
  if (IsHiddenColumn(ACol)) FAllColWidths[size_t(ACol)] = int16_t(Value);
  else SetColWidths(DisplColIndex(ACol), Value);
}

void TProStringGrid::ResetColumnOrder() { UnHideColumnsAll(); }

void TProStringGrid::SaveColPositions() { NotAvailable("SaveColPositions"); }

void TProStringGrid::LoadColPositions() { NotAvailable("LoadColPositions"); }

// ------------------------------------------------------------------------- nodes

void TProStringGrid::AddNode(int ARow, int Span) {
  TCellGraphic* g = CreateCellGraphic(0, ARow);
  g->SetCellType(ctNode);
  g->SetCellIndex(Span);
  g->SetCellBoolean(false);
  g->SetCellAngle(ARow);
  g->SetCellVar(-1);
  for (int r = ARow; r < ARow + Span && r < RowCount(); ++r) {
    TCellProperties* p = GetCellProperties(0, r);
    p->SetNodeLevel(p->NodeLevel() + 1);
  }
  ++FNumNodes;
}

bool TProStringGrid::IsNode(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctNode; }

bool TProStringGrid::IsSummary(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctSummary; }

bool TProStringGrid::GetNodeState(int ARow) { return IsNode(ARow) && GetCellGraphic(0, ARow)->CellBoolean(); }

int TProStringGrid::GetNodeSpan(int ARow) { return IsNode(ARow) ? GetCellGraphic(0, ARow)->CellIndex() : -1; }

int TProStringGrid::GetParentRow(int ARow) {
  if (FNumNodes == 0) return -1;
  const bool node = IsNode(ARow);
  const int own = node ? GetCellProperties(0, ARow)->NodeLevel() : 65535;
  int hidden = 0;
  for (int r = ARow; r >= FixedRows(); --r) {
    if (!IsNode(r) || GetCellProperties(0, r)->NodeLevel() >= own) continue;
    if (GetNodeState(r)) hidden += GetNodeSpan(r) - 1;
    if (ARow < r + GetNodeSpan(r) - hidden) return r;
  }
  return node ? ARow : -1;
}
