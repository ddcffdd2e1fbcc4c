// Row and column structure operations beyond inserting and removing rows:
// selection-driven removal and hiding, duplicates, columns, swaps and lookups.
#include "grid/ProGrid.h"

// ---------------------------------------------------------------------- rows

void TProStringGrid::RemoveSelectedRows() {
  if (FMouseActions->DisjunctRowSelect()) {
    const bool persistent = FMouseActions->RowSelectPersistent();
    std::vector<int> selected;
    for (int r = RowCount() - FFixedFooters - 1; r >= FixedRows(); --r)
      if (RowSelect(persistent ? RealRowIndex(r) : r)) selected.push_back(r);
    // Bottom up, so that a removal never shifts a row still to be removed.
    for (int r : selected) FreeAndRemoveRows(r, 1);
    ClearRowSelect();
    return;
  }
  const TGridRect s = Selection();
  for (int r = std::max(s.Top, s.Bottom); r >= std::min(s.Top, s.Bottom); --r)
    FreeAndRemoveRows(r, 1);
}

void TProStringGrid::RemoveUnSelectedRows() {
  const bool persistent = FMouseActions->RowSelectPersistent();
  for (int r = RowCount() - FFixedFooters - 1; r >= FixedRows(); --r)
    if (!RowSelect(persistent ? RealRowIndex(r) : r)) FreeAndRemoveRows(r, 1);
  if (persistent)
    SelectRows(FixedRows(), RowCount() - FixedRows());
  else
    ClearRowSelect();
}

void TProStringGrid::HideSelectedRows() {
  const bool persistent = FMouseActions->RowSelectPersistent();
  for (int r = RowCount() - 1; r >= FixedRows(); --r) {
    const int real = RealRowIndex(r);
    if (RowSelect(persistent ? real : r)) HideRows(real, real);
  }
}

void TProStringGrid::HideUnSelectedRows() {
  const bool persistent = FMouseActions->RowSelectPersistent();
  for (int r = FixedRows(); r < RowCount();) {
    const int real = RealRowIndex(r);
    if (!RowSelect(persistent ? real : r))
      HideRows(real, real);  // the next row takes this place
    else
      ++r;
  }
}

void TProStringGrid::RemoveDuplicates(int ACol, bool DoCase) {
  const int col = RealColIndex(ACol);
  std::vector<QString> seen;
  for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1;) {
    const QString text = Cells(col, r);
    const bool repeated = std::any_of(seen.begin(), seen.end(), [&](const QString& s) {
      return DoCase ? s == text : AnsiCompareText(s, text) == 0;
    });
    if (repeated) {
      FreeAndRemoveRows(r, 1);
    } else {
      seen.push_back(text);
      ++r;
    }
  }
}

void TProStringGrid::SwapRows(int ARow1, int ARow2) {
  if (ARow1 == ARow2) return;
  for (int c = 0; c < StoredColCount(); ++c) SwapCells(TGridCoord{c, ARow1}, TGridCoord{c, ARow2});
  const int h = RowHeights(ARow1);
  SetRowHeights(ARow1, RowHeights(ARow2));
  SetRowHeights(ARow2, h);
}

// ------------------------------------------------------------------- columns

void TProStringGrid::InsertCols(int ColIndex, int CCount) {
  if (CCount <= 0) return;
  ColIndex = std::clamp(ColIndex, 0, ColCount());
  SetColCount(ColCount() + CCount);
  const int total = ColCount() + FNumHidden;
  for (int i = total - 1; i >= ColIndex + CCount; --i) {
    for (int r = 0; r < RowCount(); ++r) {
      SetGridCells(i, r, GridCells(i - CCount, r));
      SetGridObjects(i, r, GridObjects(i - CCount, r));
    }
    if (i < ColCount()) SetColWidths(i, ColWidths(i - CCount));
    if (i < int(FVisibleCol.size())) FVisibleCol[size_t(i)] = FVisibleCol[size_t(i - CCount)];
  }
  for (int i = ColIndex; i < ColIndex + CCount; ++i) {
    if (i < ColCount()) SetColWidths(i, DefaultColWidth());
    if (i < int(FVisibleCol.size())) FVisibleCol[size_t(i)] = true;
    ResetColumnCells(i);  // the cells moved right: only let go of them here
  }
}

void TProStringGrid::RemoveCols(int ColIndex, int CCount) {
  const int total = ColCount() + FNumHidden;
  CCount = std::min(CCount, total - ColIndex);
  if (ColIndex < 0 || CCount <= 0) return;
  ClearCols(ColIndex, CCount);
  int hidden = 0;
  for (int i = ColIndex; i < ColIndex + CCount; ++i)
    if (IsHiddenColumn(i)) ++hidden;
  for (int i = ColIndex; i < total; ++i) {
    const int from = i + CCount;
    for (int r = 0; r < RowCount(); ++r) {
      SetGridCells(i, r, from < total ? GridCells(from, r) : QString());
      SetGridObjects(i, r, from < total ? GridObjects(from, r) : nullptr);
    }
    if (i < ColCount() && from < ColCount()) SetColWidths(i, ColWidths(from));
    if (i < int(FVisibleCol.size()))
      FVisibleCol[size_t(i)] = from < int(FVisibleCol.size()) ? FVisibleCol[size_t(from)] : true;
  }
  FNumHidden -= hidden;
  SetColCount(ColCount() - (CCount - hidden));
  DoCellsChanged(TRect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}

void TProStringGrid::RemoveSelectedCols() {
  if (FMouseActions->DisjunctColSelect()) {
    for (int c = ColCount() - 1; c >= FixedCols(); --c) {
      if (!ColSelect(c)) continue;
      RemoveCols(c, 1);
      if (c < int(FColSelect.size())) FColSelect.erase(FColSelect.begin() + c);
    }
    return;
  }
  const TGridRect s = Selection();
  for (int c = std::max(s.Left, s.Right); c >= std::min(s.Left, s.Right); --c) RemoveCols(c, 1);
}

void TProStringGrid::RemoveUnSelectedCols() {
  if (FMouseActions->DisjunctColSelect()) {
    for (int c = ColCount() - 1; c >= FixedCols(); --c)
      if (!ColSelect(c)) RemoveCols(c, 1);
  } else {
    const TGridRect s = Selection();
    const int a = std::min(s.Left, s.Right), b = std::max(s.Left, s.Right);
    if (b + 1 <= ColCount() - 1) RemoveCols(b + 1, ColCount() - 1 - b);
    if (a > FixedCols()) RemoveCols(FixedCols(), a - FixedCols());
  }
  ClearColSelect();
}

void TProStringGrid::MergeCols(int ColIndex1, int ColIndex2, const QString& Separator) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    SetCells(ColIndex1, r, Trim(Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)));
  RemoveCols(ColIndex2, 1);
}

void TProStringGrid::SwapColumns(int ACol1, int ACol2) {
  if (ACol1 == ACol2) return;
  for (int r = 0; r < RowCount(); ++r) SwapCells(TGridCoord{ACol1, r}, TGridCoord{ACol2, r});
  const int w = ColWidths(ACol1);
  SetColWidths(ACol1, ColWidths(ACol2));
  SetColWidths(ACol2, w);
  if (FSortSettings->Column() == ACol1)
    FSortSettings->SetColumn(ACol2);
  else if (FSortSettings->Column() == ACol2)
    FSortSettings->SetColumn(ACol1);
}

// ------------------------------------------------------------------- lookups

bool TProStringGrid::IsCell(const QString& SubStr, int& ACol, int& ARow) {
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (GridCells(c, r) == SubStr) {
        ACol = c;
        ARow = r;
        return true;
      }
  return false;
}

int TProStringGrid::ColumnByHeader(const QString& AValue) {
  for (int c = 0; c < TotalColCount(); ++c)
    if (Cells(c, 0) == AValue) return c;
  return -1;
}

int TProStringGrid::ColumnPosition(int ACol) {
  if (FColumnOrder->Count() == 0) return ACol;
  const int p = FColumnOrder->IndexOf(ACol);
  return p >= 0 ? p : ACol;
}

int TProStringGrid::ColumnAtPosition(int ACol) {
  if (FColumnOrder->Count() == 0) SetColumnOrder();
  if (ACol < 0 || ACol >= FColumnOrder->Count()) return ACol;
  return FColumnOrder->Items(ACol);
}
