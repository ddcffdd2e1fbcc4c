// Hiding the selection, moving columns and rows, and the objects that follow
// the grid.
#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"

// ------------------------------------------------------------------- selection

void TProStringGrid::SetSelection(const TGridRect& Value) {
  TBaseGrid::SetSelection(Value);
  if (F.ActiveCellShow) {
    InvalidateRow(0);
    InvalidateCol(0);
  }
  if (ActiveRowShow()) RepaintRow(Value.Bottom);
}

void TProStringGrid::HideSelection() {
  FSavedSelection = Selection();
  TBaseGrid::SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
  FSelHidden = true;
}

void TProStringGrid::UnHideSelection() {
  FSelHidden = false;
  if (FSavedSelection.Top < RowCount() && FSavedSelection.Left < ColCount()) {
    SetSelection(FSavedSelection);
    return;
  }
  const int top = FFixedRowAlways && FixedRows() == RowCount() ? 0 : FixedRows();
  const int left = FFixedColAlways && FixedCols() == ColCount() ? 0 : FixedCols();
  SetSelection(TGridRect{left, top, left, top});
}

// ------------------------------------------------------------------------ moves

void TProStringGrid::SetColumnOrder() {
  FColumnOrder->Clear();
  for (int c = 0; c < ColCount(); ++c) FColumnOrder->Add(c);
}

void TProStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  TBaseGrid::ColumnMoved(FromIndex, ToIndex);
  // The visibility entries and stored widths move with the column.
  const int from = RealColIndex(FromIndex), to = RealColIndex(ToIndex);
  if (from >= 0 && to >= 0 && from < 512 && to < 512 && from != to) {
    auto move = [&](auto& Table) {
      auto value = Table[size_t(from)];
      if (from < to)
        for (int i = from; i < to; ++i) Table[size_t(i)] = Table[size_t(i) + 1];
      else
        for (int i = from; i > to; --i) Table[size_t(i)] = Table[size_t(i) - 1];
      Table[size_t(to)] = value;
    };
    move(FVisibleCol);
    move(FAllColWidths);
  }
  // The recorded order follows the column.
  if (FromIndex < FColumnOrder->Count() && ToIndex < FColumnOrder->Count())
    FColumnOrder->Move(FromIndex, ToIndex);
  ColumnMovedFollowUp(FromIndex, ToIndex, from, to);
}

void TProStringGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FColumnOrder->Count() == 0) SetColumnOrder();
  TBaseGrid::MoveColumn(FromIndex, ToIndex);
}

void TProStringGrid::MoveRow(int FromIndex, int ToIndex) { TBaseGrid::MoveRow(FromIndex, ToIndex); }

void TProStringGrid::MoveRows(int FromIndex, int ToIndex, int Count) {
  if (FromIndex == ToIndex || Count == 0) return;
  struct Cell {
    QString Text;
    TObject* Object;
  };
  std::vector<std::vector<Cell>> rows;
  for (int r = FromIndex; r < FromIndex + Count; ++r) {
    std::vector<Cell> cells;
    for (int c = 0; c < StoredColCount(); ++c)
      cells.push_back({GridCells(c, r), GridObjects(c, r)});
    rows.push_back(std::move(cells));
  }
  if (FromIndex + Count < ToIndex) ToIndex -= Count;
  RemoveRowsEx(FromIndex, Count);
  InsertRows(ToIndex, Count, true);
  for (int i = 0; i < Count; ++i)
    for (int c = 0; c < int(rows[size_t(i)].size()); ++c) {
      SetGridCells(c, ToIndex + i, rows[size_t(i)][size_t(c)].Text);
      SetGridObjects(c, ToIndex + i, rows[size_t(i)][size_t(c)].Object);
    }
}

void TProStringGrid::RemoveRowsEx(int RowIndex, int RCount) {
  if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
  RCount = std::min(RCount, RowCount() - RowIndex);
  const int lastCol = ColCount() - 1, lastWidth = ColWidths(lastCol);
  const int current = Row(), top = TopRow();
  const int oldCount = RowCount();
  for (int i = RowIndex; i < oldCount; ++i) {
    const bool from = i + RCount < oldCount;
    for (int c = 0; c < StoredColCount(); ++c) {
      SetGridCells(c, i, from ? GridCells(c, i + RCount) : QString());
      SetGridObjects(c, i, from ? GridObjects(c, i + RCount) : nullptr);
    }
  }
  if (FMouseActions->DisjunctRowSelect())
    for (int i = 0; i < RCount && RowIndex < int(FRowSelect.size()); ++i)
      FRowSelect.erase(FRowSelect.begin() + RowIndex);
  TBaseGrid::SetRowCount(oldCount - RCount);
  FNormalRowCount = RowCount();
  FMaxRowCount = std::max(RowCount(), FMaxRowCount - RCount);
  SetColWidths(std::min(lastCol, ColCount() - 1), lastWidth);
  if (current < RowCount()) {
    TBaseGrid::SetTopRow(std::clamp(top, TBaseGrid::FixedRows(), RowCount() - 1));
    TBaseGrid::SetRow(current);
  } else if (TBaseGrid::FixedRows() < RowCount()) {
    TBaseGrid::SetTopRow(TBaseGrid::FixedRows());
    TBaseGrid::SetRow(TBaseGrid::FixedRows());
  }
  // Hidden rows behind the range keep pointing at the same rows.
  for (int i = 0; i < FGridItems->Count(); ++i)
    if (FGridItems->Items(i)->Idx() > RowIndex + RCount - 1)
      FGridItems->Items(i)->SetIdx(FGridItems->Items(i)->Idx() - RCount);
  DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

TCustomForm* TProStringGrid::FindParentForm(TControl* Control) {
  for (TControl* c = Control; c; c = c->Parent())
    if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
  return nullptr;
}

// ---------------------------------------------------------------------- listeners

void TProStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier) {
  if (ANotifier &&
      std::find(FNotifierList.begin(), FNotifierList.end(), ANotifier) == FNotifierList.end())
    FNotifierList.push_back(ANotifier);
}

void TProStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier) {
  FNotifierList.erase(std::remove(FNotifierList.begin(), FNotifierList.end(), ANotifier),
                      FNotifierList.end());
}

void TProStringGrid::DoCellsChanged(const TRect& R) {
  if (OnCellsChanged) OnCellsChanged(this, R);
  for (TGridChangeNotifier* n : FNotifierList) n->CellsChanged(R);
  CalcFooter(-1);
}

void TProStringGrid::DoCanAddRow(bool& CanAdd) {
  if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void TProStringGrid::DoCanInsertRow(int ARow, bool& CanInsert) {
  if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}
