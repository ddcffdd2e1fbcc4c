// Clearing, trimming, colouring, merging and splitting ranges of cells.
#include "grid/ProGrid.h"

// ------------------------------------------------------------------------ clearing

void TProStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  const bool destroying = ComponentState().contains(csDestroying);
  for (int r = ARow1; r <= ARow2; ++r) {
    for (int c = ACol1; c <= ACol2; ++c) {
      const int col = F.SaveHiddenCells ? RealColIndex(c) : c;
      if (!FClearTextOnly && HasCellProperties(col, r)) {
        if (FNilObjects)
          SetGridObjects(col, r, nullptr);
        else
          FreeCellProps(col, r);
      }
      if (!destroying && !GridCells(col, r).isEmpty()) {
        SetGridCells(col, r, QString());
        if (col != c) RepaintCell(c, r);
      }
    }
  }
  if (ACol1 == 0 && ARow1 == 0 && ACol2 >= TotalColCount() - 1 && ARow2 >= RowCount() - 1)
    FHasCellProps = false;
  if (!destroying && !FBlockCellChange) {
    const int c1 = F.SaveHiddenCells ? RealColIndex(ACol1) : ACol1;
    const int c2 = F.SaveHiddenCells ? RealColIndex(ACol2) : ACol2;
    DoCellsChanged(TRect(c1, ARow1, c2, ARow2));
  }
}

void TProStringGrid::ClearRows(int RowIndex, int RCount) {
  if (RowCount() > 0 && ColCount() > 0 && RCount > 0)
    ClearRect(0, RowIndex, ColCount() + NumHiddenColumns() - 1, RowIndex + RCount - 1);
}

void TProStringGrid::ClearCols(int ColIndex, int CCount) {
  if (RowCount() > 0 && ColCount() > 0 && CCount > 0)
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TProStringGrid::ClearNormalRows(int RowIndex, int RCount) {
  if (RowCount() > 0 && ColCount() > 0 && RCount > 0)
    ClearRect(FixedCols(), RowIndex, ColCount() + NumHiddenColumns() - FFixedRightCols - 1,
              RowIndex + RCount - 1);
}

void TProStringGrid::ClearNormalCols(int ColIndex, int CCount) {
  if (RowCount() > 0 && ColCount() > 0 && CCount > 0)
    ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TProStringGrid::ClearNormalCells() {
  ClearRect(FixedCols(), FixedRows(), ColCount() - FFixedRightCols - 1,
            RowCount() - FFixedFooters - 1);
}

void TProStringGrid::Clear() {
  if (RowCount() > 0 && ColCount() > 0) ClearRect(0, 0, TotalColCount() - 1, RowCount() - 1);
  FSearchInc.clear();
  if (FNumHidden > 0) Invalidate();
}

void TProStringGrid::ClearAll() {
  Clear();
  for (int i = 0; i < FGridItems->Count(); ++i) {
    TStrings* cells = FGridItems->Items(i)->Items();
    for (int c = 0; c < cells->Count(); ++c) cells->SetStrings(c, QString());
  }
}

void TProStringGrid::ClearSelection() {
  if (FMouseActions->DisjunctRowSelect()) {
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) ClearRows(r, 1);
  } else if (FMouseActions->DisjunctColSelect()) {
    for (int c = FixedCols(); c < ColCount(); ++c)
      if (ColSelect(c)) ClearCols(c, 1);
  } else {
    const TGridRect s = Selection();
    ClearRect(s.Left, s.Top, s.Right, s.Bottom);
  }
}

// ------------------------------------------------------------ trimming, colouring

void TProStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  for (int r = ARow1; r <= ARow2; ++r)
    for (int c = ACol1; c <= ACol2; ++c) {
      const int col = F.SaveHiddenCells ? RealColIndex(c) : c;
      const QString text = Cells(col, r), trimmed = Trim(text);
      if (trimmed != text) SetCells(col, r, trimmed);
    }
}

void TProStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor) {
  for (int r = ARow1; r <= ARow2; ++r)
    for (int c = ACol1; c <= ACol2; ++c) GetCellProperties(c, r)->SetBrushColor(AColor);
}

// ---------------------------------------------------------------- merging, splitting

void TProStringGrid::MergeColumnCells(int ColIndex, bool MainMerge) {
  const int last = RowCount() - FFixedFooters - 1;
  int start = FixedRows();
  auto close = [&](int End) {
    if (End - start + 1 >= 2) MergeCells(ColIndex, start, 1, End - start + 1);
  };
  for (int r = FixedRows() + 1; r <= last; ++r) {
    const bool continues = Cells(ColIndex, r) == Cells(ColIndex, r - 1) &&
                           (MainMerge || RowSpanIdentical(r - 1, r));
    if (continues) continue;
    close(r - 1);
    start = r;
  }
  close(last);
}

void TProStringGrid::MergeRowCells(int RowIndex, bool MainMerge) {
  const int last = ColCount() - FFixedRightCols - 1;
  int start = FixedCols();
  auto close = [&](int End) {
    if (End - start + 1 >= 2) MergeCells(start, RowIndex, End - start + 1, 1);
  };
  for (int c = FixedCols() + 1; c <= last; ++c) {
    const bool continues = Cells(c, RowIndex) == Cells(c - 1, RowIndex) &&
                           (MainMerge || ColSpanIdentical(c - 1, c));
    if (continues) continue;
    close(c - 1);
    start = c;
  }
  close(last);
}

void TProStringGrid::SplitColumnCells(int ColIndex) {
  for (int r = 0; r < RowCount() - FFixedFooters - 1;) {
    if (IsYMergedCell(ColIndex, r)) {
      const TRect block = FullCell(ColIndex, r);
      SplitCells(ColIndex, r);
      r = block.Bottom + 1;
    } else {
      ++r;
    }
  }
}

void TProStringGrid::SplitRowCells(int RowIndex) {
  for (int c = 0; c <= ColCount() - FFixedRightCols - 2;) {
    if (IsMergedCell(c, RowIndex)) {
      const TRect block = FullCell(c, RowIndex);
      SplitCells(c, RowIndex);
      c = block.Right + 1;
    } else {
      ++c;
    }
  }
}

void TProStringGrid::SplitAllCells() {
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (IsMergedCell(c, r)) SplitCells(c, r);
}
