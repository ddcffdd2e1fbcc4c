// String grid: controls laid over cells, and what a scroll brings up to date.
#include "grid/ProGrid.h"

TControl* TProStringGrid::CellControls(int ACol, int ARow) {
  if (!HasCellProperties(ACol, ARow)) return nullptr;
  return GetCellProperties(ACol, ARow)->Control();
}

void TProStringGrid::SetCellControls(int ACol, int ARow, TControl* Value) {
  const int realRow = RealRowIndex(ARow);
  const bool had = CellControls(ACol, ARow) != nullptr;
  std::erase_if(FControlList, [&](const TCellControlEntry& e) { return e.X == ACol && e.Y == realRow; });
  if (Value == nullptr) {
    if (had) {
      FCellControlCount = std::max(0, FCellControlCount - 1);
      GetCellProperties(ACol, ARow)->SetControl(nullptr);
    }
    return;
  }
  if (!had) ++FCellControlCount;
  FControlList.push_back({ACol, realRow, Value});
  GetCellProperties(ACol, ARow)->SetControl(Value);
  Value->SetParent(this);
  const TRect r = CellRect(DisplColIndex(ACol), ARow);
  Value->SetBounds(r.Left - 1, r.Top - 1, r.Right - r.Left + 1, r.Bottom - r.Top + 1);
}

void TProStringGrid::CellControlsUpdate(bool rebuildlist) {
  if (!HandleAllocated()) return;
  // Collect the controls from the cells.
  if (rebuildlist) {
    FControlList.clear();
    for (int c = 0; c < ColCount(); ++c)
      for (int r = 0; r < RowCount(); ++r)
        if (HasCellProperties(c, r) && GetCellProperties(c, r)->Control() != nullptr)
          FControlList.push_back({c, RealRowIndex(r), GetCellProperties(c, r)->Control()});
  }
  PlaceCellScrollBar();
  if (FCellControlCount == 0) return;
  // Each control over its cell while the cell is in view.
  const int visCols = VisibleColCount(), visRows = VisibleRowCount();
  auto inView = [&](int a, int b) {
    return !(a < LeftCol() || a > LeftCol() + visCols || b < TopRow() || b > TopRow() + visRows);
  };
  for (const TCellControlEntry& e : FControlList) {
    if (IsHiddenRow(e.Y) || IsHiddenColumn(e.X)) {
      e.Control->SetVisible(false);
      continue;
    }
    const int a = DisplColIndex(e.X), b = DisplRowIndex(e.Y);
    if (b < FixedRows() || a < FixedCols()) continue;
    if (!inView(a, b)) {
      e.Control->SetVisible(false);
      continue;
    }
    const TRect r = CellRect(a, b);
    e.Control->SetBounds(r.Left - 1, r.Top - 1, r.Right - r.Left + 1, r.Bottom - r.Top + 1);
    e.Control->SetVisible(true);
  }
  // Laid out again at their places.
  for (const TCellControlEntry& e : FControlList) {
    const int a = DisplColIndex(e.X), b = DisplRowIndex(e.Y);
    if (b < FixedRows() || a < FixedCols() || !inView(a, b) || !e.Control->Visible()) continue;
    e.Control->Invalidate();
    e.Control->SetWidth(e.Control->Width() + 1);
    e.Control->SetWidth(e.Control->Width() - 1);
  }
}

void TProStringGrid::TopLeftChanged() {
  TBaseGrid::TopLeftChanged();
  ScrolledFollowUp();
  CellControlsUpdate(false);
  // A synchronised grid scrolls along.
  if (TStringGrid* other = FSyncGrid->Grid()) {
    if (FSyncGrid->ScrollVertical() && other->TopRow() != TopRow()) other->SetTopRow(TopRow());
    if (FSyncGrid->ScrollHorizontal() && other->LeftCol() != LeftCol()) other->SetLeftCol(LeftCol());
  }
}
