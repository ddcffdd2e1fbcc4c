// Merged cells: creating and splitting blocks, resolving a cell to its block,
// the rectangle of a cell or block, span comparisons, and scrolling.
#include "controls/BaseGrid.h"

namespace {

TCellProperties* AsProps(TObject* Obj) { return dynamic_cast<TCellProperties*>(Obj); }

}  // namespace

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany) {
  // A block must be inside the grid: nothing is recorded for cells outside it,
  // and an empty block records nothing at all.
  if (spanx < 1 || spany < 1 || c < 0 || r < 0) return;
  if (static_cast<long long>(c) + spanx > TotalColCount() ||
      static_cast<long long>(r) + spany > RowCount())
    return;
  ++FMergeCount;
  for (int i = c; i < c + spanx; ++i) {
    for (int j = r; j < r + spany; ++j) {
      TCellProperties* p = GetCellProperties(i, j);
      if (i == c && j == r) {
        p->SetIsBaseCell(true);
        p->SetCellSpanX(spanx - 1);
        p->SetCellSpanY(spany - 1);
      } else {
        p->SetIsBaseCell(false);
        p->SetCellSpanX(i - c);
        p->SetCellSpanY(j - r);
      }
    }
  }
  for (int i = c; i < c + spanx; ++i)
    for (int j = r; j < r + spany; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r) {
  if (c < 0 || r < 0 || c >= TotalColCount() || r >= RowCount()) return;
  const TPoint b = GetCellProperties(c, r)->GetBaseCell(c, r);
  int sx = -1, sy = -1;
  if (b.X >= 0 && b.Y >= 0 && b.X < TotalColCount() && b.Y < RowCount()) {
    TCellProperties* bp = GetCellProperties(b.X, b.Y);
    sx = bp->CellSpanX();
    sy = bp->CellSpanY();
  }
  // An unmerged cell (spans -1) has nothing to split and is not counted.
  if (sx < 0 || sy < 0) return;
  const int lastCol = std::min(b.X + sx, TotalColCount() - 1);
  const int lastRow = std::min(b.Y + sy, RowCount() - 1);
  for (int i = b.X; i <= lastCol; ++i) {
    for (int j = b.Y; j <= lastRow; ++j) {
      TCellProperties* p = GetCellProperties(i, j);
      p->SetIsBaseCell(true);
      p->SetCellSpanX(-1);
      p->SetCellSpanY(-1);
    }
  }
  for (int i = b.X; i <= lastCol; ++i)
    for (int j = b.Y; j <= lastRow; ++j) RepaintCell(i, j);
  if (FMergeCount > 0) --FMergeCount;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) {
  TCellProperties* p = PropertiesAt(ACol, ARow);
  return p ? p->GetBaseCell(ACol, ARow) : TPoint{ACol, ARow};
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) {
  TCellProperties* p = PropertiesAt(ACol, ARow);
  return !p || p->IsBaseCell();
}

bool TBaseGrid::ResolveBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) {
  BaseCol = ACol;
  BaseRow = ARow;
  TCellProperties* p = PropertiesAt(ACol, ARow);
  if (!p) return true;
  if (p->IsBaseCell()) return true;
  const TPoint b = p->GetBaseCell(ACol, ARow);
  BaseCol = b.X;
  BaseRow = b.Y;
  return false;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) {
  TCellProperties* p = PropertiesAt(ACol, ARow);
  if (!p) return {0, 0};
  if (p->CellSpanX() == -1 || p->CellSpanY() == -1) return {0, 0};
  const TPoint b = p->GetBaseCell(ACol, ARow);
  TCellProperties* bp = PropertiesAt(b.X, b.Y);
  if (!bp) return {0, 0};  // the base cell was freed
  return {bp->CellSpanX(), bp->CellSpanY()};
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) {
  TCellProperties* p = PropertiesAt(ACol, ARow);
  if (!p) return {0, 0};
  if (p->CellSpanX() == -1 || p->CellSpanY() == -1) return {0, 0};
  const TPoint b = p->GetBaseCell(ACol, ARow);
  TCellProperties* bp = PropertiesAt(b.X, b.Y);
  if (!bp) return {0, 0};
  return {b.X + bp->CellSpanX() - ACol, b.Y + bp->CellSpanY() - ARow};
}

TRect TBaseGrid::FullCell(int c, int r) {
  const TPoint b = BaseCell(c, r);
  const TPoint s = CellSpan(c, r);
  return {b.X, b.Y, b.X + s.X, b.Y + s.Y};
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) {
  TCellProperties* p = PropertiesAt(ACol, ARow);
  if (!p) return false;
  return p->CellSpanX() > 0 || p->CellSpanY() > 0;
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) {
  TCellProperties* p = PropertiesAt(ACol, ARow);
  return p && (p->CellSpanX() > 0 || p->CellSpanY() > 0) && !p->IsBaseCell();
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) { return CellSpan(ACol, ARow).X > 0; }

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) { return CellSpan(ACol, ARow).Y > 0; }

TRect TBaseGrid::UnclippedCellRect(int c, int r) {
  // Places are computed relative to the first scrolled column and row, whose
  // client position the framework knows; the sums run only over the columns and
  // rows between, so a cell far down a long grid costs no more than a near one.
  auto colSpan = [this](int from, int to) {  // widths of the columns from..to-1
    long long s = 0;
    for (int i = from; i < to; ++i) s += ColWidths(i);
    return s;
  };
  auto rowSpan = [this](int from, int to) {
    long long s = 0;
    for (int i = from; i < to; ++i) s += RowHeights(i);
    return s;
  };
  long long x, y;
  if (c < FixedCols()) {
    x = colSpan(0, c);
  } else {
    const int left = TStringGrid::CellRect(LeftCol(), TopRow()).Left;
    x = left + (c >= LeftCol() ? colSpan(LeftCol(), c) : -colSpan(c, LeftCol()));
  }
  if (r < FixedRows()) {
    y = rowSpan(0, r);
  } else {
    const int top = TStringGrid::CellRect(LeftCol(), TopRow()).Top;
    y = top + (r >= TopRow() ? rowSpan(TopRow(), r) : -rowSpan(r, TopRow()));
  }
  const int X = static_cast<int>(x), Y = static_cast<int>(y);
  return {X, Y, X + ColWidths(c), Y + RowHeights(r)};
}

TRect TBaseGrid::CellRect(int c, int r) {
  TCellProperties* p = PropertiesAt(c, r);
  if (p && (p->CellSpanX() != -1 || p->CellSpanY() != -1)) {
    const TPoint b = p->GetBaseCell(c, r);
    if (HasCellProperties(b.X, b.Y)) {
      TCellProperties* bp = AsProps(GetGridObject(b.X, b.Y));
      TRect r1 = UnclippedCellRect(b.X, b.Y);
      if (r1.Width() == 0) r1.Right += 1;
      // The block's bottom-right cell; a zero-width first or last column is
      // widened by a pixel so that the union keeps it.
      TRect r2 = UnclippedCellRect(b.X + std::max(bp->CellSpanX(), 0),
                                   b.Y + std::max(bp->CellSpanY(), 0));
      if (r2.Width() == 0) r2.Left -= 1;
      TRect u;
      UnionRect(u, r1, r2);
      return u;
    }
  }
  if (p && p->Control()) return UnclippedCellRect(c, r);
  const TRect f = TStringGrid::CellRect(c, r);
  return {f.Left, f.Top, f.Left + ColWidths(c), f.Top + RowHeights(r)};
}

TPoint TBaseGrid::CellSize(int c, int r) {
  TCellProperties* p = PropertiesAt(c, r);
  if (p && (p->CellSpanX() != -1 || p->CellSpanY() != -1)) {
    const TPoint b = p->GetBaseCell(c, r);
    if (HasCellProperties(b.X, b.Y)) {
      TCellProperties* bp = AsProps(GetGridObject(b.X, b.Y));
      TRect u;
      UnionRect(u, UnclippedCellRect(b.X, b.Y),
                UnclippedCellRect(b.X + std::max(bp->CellSpanX(), 0),
                                  b.Y + std::max(bp->CellSpanY(), 0)));
      return {u.Width(), u.Height()};
    }
  }
  const TRect u = UnclippedCellRect(c, r);
  return {u.Width(), u.Height()};
}

int TBaseGrid::MinRowSpan(int ARow) {
  int v = RowCount();
  for (int col = 0; col < ColCount(); ++col) {
    const int y = CellSpan(col, ARow).Y;
    if (y > 0 && y < v) v = y;
  }
  return v;
}

int TBaseGrid::MaxRowSpan(int ARow) {
  int v = 0;
  for (int col = 0; col < ColCount(); ++col) v = std::max(v, CellSpan(col, ARow).Y);
  return v;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) {
  bool found = false;
  for (int col = 0; col < ColCount(); ++col) {
    if (CellSpan(col, ARow1).Y > 0 && CellSpan(col, ARow2).Y > 0) {
      if (BaseCell(col, ARow1).Y != BaseCell(col, ARow2).Y) return false;
      found = true;
    }
  }
  return found;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) {
  bool found = false;
  for (int row = 0; row < RowCount(); ++row) {
    const int x1 = CellSpan(ACol1, row).X, x2 = CellSpan(ACol2, row).X;
    if (x1 > 0 && x2 > 0) {
      if (BaseCell(ACol1, row).X != BaseCell(ACol2, row).X) return false;
      found = true;
    } else if (x1 != x2) {
      return false;  // only one of the two lies in a horizontal merge
    }
  }
  return found;
}

void TBaseGrid::SnapToBaseCell() {
  if (!HasCellProperties(Col(), Row())) return;
  const TPoint b = BaseCell(Col(), Row());
  if (b.X != Col()) SetCol(b.X);
  if (b.Y != Row()) SetRow(b.Y);
}

void TBaseGrid::TopLeftChanged() {
  TObjStringGrid::TopLeftChanged();
  // A merged block in the fixed area may reach into the scrolled part, so its
  // painted text moves with the scrolling.
  if (FixedCols() > 0) {
    for (int col = 0; col < FixedCols(); ++col)
      for (int row = TopRow(); row <= TopRow() + VisibleRowCount(); ++row)
        if (IsMergedCell(col, row)) RepaintCell(col, row);
  }
  if (FixedRows() > 0) {
    for (int row = 0; row < FixedRows(); ++row)
      for (int col = LeftCol(); col <= LeftCol() + VisibleColCount(); ++col)
        if (IsMergedCell(col, row)) RepaintCell(col, row);
  }
}
