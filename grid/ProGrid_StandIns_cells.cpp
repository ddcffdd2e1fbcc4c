// Stand-ins for members of other families that the cell graphics, check boxes
// and the column grid call; each is replaced when its family lands.
#include "grid/ProGrid.h"

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
