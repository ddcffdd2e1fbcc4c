// Row and column selection, modified and disabled rows, repainting.
#include "grid/ProGrid.h"

namespace {

// The flag of Index, growing the list with cleared flags to reach it.
std::vector<bool>::reference Flag(std::vector<bool>& List, int Index) {
  if (int(List.size()) <= Index) List.resize(size_t(Index) + 1, false);
  return List[size_t(Index)];
}

}  // namespace

void TProStringGrid::SetCol(int Value) {
  TBaseGrid::SetCol(Value);
  if (FSyncGrid->Grid() && FSyncGrid->SelectionColumn()) FSyncGrid->Grid()->SetCol(Value);
}

// ----------------------------------------------------------------- row selection

bool TProStringGrid::RowSelect(int ARow) {
  if (!FMouseActions->RowSelectPersistent() && (ARow < 0 || ARow >= RowCount() + NumHiddenRows()))
    throw EProGridError(QStringLiteral("Invalid row %1 accessed").arg(ARow));
  if (FMouseActions->DisjunctRowSelect()) return ARow >= 0 && Flag(FRowSelect, ARow);
  const TGridRect sel = Selection();
  return ARow >= std::min(sel.Top, sel.Bottom) && ARow <= std::max(sel.Top, sel.Bottom);
}

void TProStringGrid::SetRowSelect(int ARow, bool Value) {
  if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > FixedRows()))
    throw EProGridError(QStringLiteral("Invalid row accessed"));
  bool allow = true;
  if (OnRowDisjunctSelect && (ARow >= int(FRowSelect.size()) || FRowSelect[size_t(ARow)] != Value))
    OnRowDisjunctSelect(this, ARow, Value, allow);
  if (!allow) return;
  auto flag = Flag(FRowSelect, ARow);
  if (flag != Value) RepaintRow(ARow);
  flag = Value;
  if (Value) {
    if (!FSelectedRows->HasValue(ARow) && ARow >= FixedRows()) FSelectedRows->Add(ARow);
  } else {
    FSelectedRows->DeleteValue(ARow);
  }
  if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

int TProStringGrid::RowSelectCount() {
  if (FMouseActions->DisjunctRowSelect()) {
    const int n = std::min(RowCount() + NumHiddenRows(), int(FRowSelect.size()));
    return int(std::count(FRowSelect.begin(), FRowSelect.begin() + n, true));
  }
  const TGridRect sel = Selection();
  return std::abs(sel.Bottom - sel.Top) + 1;
}

// Flags RCount rows from RowIndex (by real row with persistent selection).
static void FlagRows(TProStringGrid& G, int RowIndex, int RCount, bool Value) {
  for (int r = RowIndex; r < RowIndex + RCount; ++r) {
    const int row = G.MouseActions()->RowSelectPersistent() ? G.RealRowIndex(r) : r;
    if (row < G.RowCount()) G.SetRowSelect(row, Value);
  }
}

void TProStringGrid::SelectRows(int RowIndex, int RCount) {
  if (RowIndex + RCount > RowCount()) RCount = RowCount() - RowIndex;
  if (!FMouseActions->DisjunctRowSelect())
    SetSelection(TGridRect{FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
  else
    FlagRows(*this, RowIndex, RCount, true);
  if (!FRowIndicator->Empty()) InvalidateCol(0);
  FSelChange = false;
}

void TProStringGrid::UnSelectRows(int RowIndex, int RCount) {
  if (RowIndex + RCount > RowCount()) RCount = RowCount() - RowIndex;
  if (FMouseActions->DisjunctRowSelect()) FlagRows(*this, RowIndex, RCount, false);
  FSelChange = false;
}

void TProStringGrid::ClearRowSelect() {
  for (size_t r = 0; r < FRowSelect.size(); ++r)
    if (FRowSelect[r]) RepaintRow(int(r));
  std::fill(FRowSelect.begin(), FRowSelect.end(), false);
  FSelectedRows->Clear();
}

void TProStringGrid::SelectionToRowSelect(bool AllRows) {
  TGridRect sel = Selection();
  sel.Bottom = std::min(sel.Bottom, RowCount() - FFixedFooters - 1);
  for (int r = FixedRows(); r < RowCount(); ++r) {
    const bool inside = r >= sel.Top && r <= sel.Bottom;
    if (!AllRows && !inside) continue;
    SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, inside);
  }
  if (NumHiddenRows() > 0) Invalidate();
}

// -------------------------------------------------------------- column selection

bool TProStringGrid::ColSelect(int ACol) {
  if (ACol < 0 || ACol >= ColCount())
    throw EProGridError(QStringLiteral("Invalid column accessed"));
  return Flag(FColSelect, ACol);
}

void TProStringGrid::SetColSelect(int ACol, bool Value) {
  if (ACol < 0 || ACol >= ColCount())
    throw EProGridError(QStringLiteral("Invalid column accessed"));
  auto flag = Flag(FColSelect, ACol);
  if (flag != Value) RepaintCol(ACol);
  flag = Value;
}

int TProStringGrid::ColSelectCount() {
  if (FMouseActions->DisjunctColSelect())
    return int(std::count(FColSelect.begin(), FColSelect.end(), true));
  const TGridRect sel = Selection();
  return sel.Right - sel.Left + 1;
}

void TProStringGrid::SelectCols(int ColIndex, int CCount) {
  if (!FMouseActions->DisjunctColSelect()) {
    SetSelection(TGridRect{ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
    return;
  }
  for (int c = ColIndex; c < ColIndex + CCount && c < ColCount(); ++c) SetColSelect(c, true);
}

void TProStringGrid::UnSelectCols(int ColIndex, int CCount) {
  if (!FMouseActions->DisjunctColSelect()) return;
  for (int c = ColIndex; c < ColIndex + CCount && c < ColCount(); ++c) SetColSelect(c, false);
}

void TProStringGrid::ClearColSelect() {
  for (size_t c = 0; c < FColSelect.size(); ++c)
    if (FColSelect[c]) RepaintCol(int(c));
  std::fill(FColSelect.begin(), FColSelect.end(), false);
}

void TProStringGrid::SelectionToColSelect(bool AllCols) {
  const TGridRect sel = Selection();
  for (int c = FixedCols(); c < ColCount(); ++c) {
    const bool inside = c >= sel.Left && c <= sel.Right;
    if (AllCols || inside) SetColSelect(c, inside);
  }
}

// ------------------------------------------------------------ moving the cursor

void TProStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow) {
  SetRow(ToRow);
  SetCol(ToCol);
  SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TProStringGrid::FocusCell(int ACol, int ARow) {
  SetSelection(TGridRect{ACol, ARow, ACol, ARow});
}

void TProStringGrid::GotoCell(int ACol, int ARow) {
  SetRow(ARow);
  SetCol(ACol);
}

void TProStringGrid::SwapCells(const TGridCoord& FromCell, const TGridCoord& ToCell) {
  const QString text = GridCells(FromCell.X, FromCell.Y);
  TObject* object = GridObjects(FromCell.X, FromCell.Y);
  SetGridCells(FromCell.X, FromCell.Y, GridCells(ToCell.X, ToCell.Y));
  SetGridObjects(FromCell.X, FromCell.Y, GridObjects(ToCell.X, ToCell.Y));
  SetGridCells(ToCell.X, ToCell.Y, text);
  SetGridObjects(ToCell.X, ToCell.Y, object);
}

void TProStringGrid::MoveToColRow(int ACol, int ARow) { MoveColRow(ACol, ARow, true, true); }

// ------------------------------------------------------- modified and enabled rows

bool TProStringGrid::RowModified(int ARow) const {
  return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->Items(ARow) == 1;
}

void TProStringGrid::SetRowModified(int ARow, bool Value) {
  if (ARow < 0) return;
  while (FModifiedRows->Count() <= ARow) FModifiedRows->Add(0);
  FModifiedRows->SetItems(ARow, Value ? 1 : 0);
  RepaintCell(0, ARow);
}

int TProStringGrid::ModifiedRowCount() const {
  int n = 0;
  for (int i = 0; i < FModifiedRows->Count(); ++i)
    if (FModifiedRows->Items(i) == 1) ++n;
  return n;
}

bool TProStringGrid::RowEnabled(int ARow) const {
  return ARow < 0 || ARow >= FEnabledRows->Count() || FEnabledRows->Items(ARow) == 0;
}

void TProStringGrid::SetRowEnabled(int ARow, bool Value) {
  if (ARow < 0) return;
  if (ARow == Row()) {
    for (int r = FixedRows(); r < RowCount(); ++r) {
      if (r != ARow && RowEnabled(r)) {
        SetRow(r);
        break;
      }
    }
  }
  FUseEnabledRows = true;
  while (FEnabledRows->Count() <= ARow) FEnabledRows->Add(0);
  FEnabledRows->SetItems(ARow, Value ? 0 : 1);
  RepaintRow(ARow);
}

// ---------------------------------------------------------------- repainting

void TProStringGrid::RepaintRow(int ARow) {
  if (!HandleAllocated()) return;
  const int last = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
  TRect r1 = CellRect(0, ARow), r2 = CellRect(last, ARow);
  InvalidateRect(TRect(r1.Left, r1.Top, r2.Right, r1.Bottom), false);
}

void TProStringGrid::RepaintCol(int ACol) {
  if (!HandleAllocated()) return;
  const int last = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
  TRect r1 = CellRect(ACol, TopRow()), r2 = CellRect(ACol, last);
  InvalidateRect(TRect(r1.Left, r1.Top, r1.Right, r2.Bottom), false);
}

void TProStringGrid::RepaintRect(const TRect& R) {
  if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0) return;
  if (!HandleAllocated()) return;
  const TRect r1 = CellRect(R.Left, R.Top);
  const TRect r2 = CellRect(std::min(VisibleColCount() + FixedCols(), R.Right), R.Bottom);
  if (r1.Width() <= 0 || r1.Height() <= 0 || r2.Width() <= 0 || r2.Height() <= 0) {
    Invalidate();
    return;
  }
  InvalidateRect(TRect(std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top),
                       std::max(r1.Right, r2.Right), std::max(r1.Bottom, r2.Bottom)),
                 true);
}
