// Fitting the string grid's column widths to their cells, stretching the
// columns over the control, and numbering a column or a row.
#include <cmath>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"

void TProStringGrid::UpdateAutoColumnSize(int ACol, int& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TProStringGrid::DoAutoSizeCol(int ACol, bool GrowOnly) {
  const int rc = RealColIndex(ACol);
  int first = 0, last = RowCount() - 1;
  switch (ColumnSize()->Rows()) {
    case arNormal:
      first = FixedRows();
      last = RowCount() - FixedFooters() - 1;
      break;
    case arFixed: last = FixedRows() - 1; break;
    default: break;
  }
  int widest = 0;
  for (int r = first; r <= last; ++r) {
    if (IsXMergedCell(ACol, r)) continue;
    int w = CalcCellTextSize(rc, r).cx;
    if (ControlLook()->DropDownAlwaysVisible() && HasComboBox(rc, r)) w += 16;
    if (SortSettings()->Show() && r == FixedRows() - 1 && ACol == SortSettings()->Column()) w += 10;
    widest = std::max(widest, w);
  }
  int width = widest + 2 * XYOffset().X + 2 * GridLineWidth() + 2;
  if (!GrowOnly || ColWidths(ACol) < width) {
    UpdateAutoColumnSize(ACol, width);
    SetColWidths(ACol, ApplySizeLimits(width, MinColWidth(), MaxColWidth()));
  }
}

void TProStringGrid::AutoSizeCol(int ACol, int Padding) {
  DoAutoSizeCol(ACol, SizeGrowOnly());
  if (Padding != 0) SetColWidths(ACol, ApplySizeLimits(ColWidths(ACol) + Padding, MinColWidth(), MaxColWidth()));
}

void TProStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding) {
  const int from = DoFixedCols ? 0 : FixedCols();
  const int to = DoFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
  for (int c = from; c <= to; ++c) AutoSizeCol(c, Padding);
}

void TProStringGrid::AutoFitColumns(bool DoFixedCells) {
  const bool needsVert = ScrollBarAlways() == saVert ||
                         (ScrollBars() != ssNone && ScrollBars() != ssHorizontal &&
                          VisibleRowCount() + FixedRows() < RowCount());
  const int v = needsVert ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  const int b = BorderStyle() == bsSingle ? 4 : 0;
  int from = 0, to = ColCount() - 1, room = Width();
  if (!DoFixedCells) {
    from = FixedCols();
    to = ColCount() - FixedRightCols() - 1;
    for (int c = 0; c < FixedCols(); ++c) room -= ColWidths(c);
    for (int c = ColCount() - FixedRightCols(); c < ColCount(); ++c) room -= ColWidths(c);
  }
  int lines = 0;
  if (Options().contains(goVertLine)) lines = GridLineWidth() * (ColCount() - FixedCols() - FixedRightCols());
  if (Options().contains(goFixedVertLine) && DoFixedCells) lines += FixedCols() + FixedRightCols();
  if (ColCount() < 2) {
    SetColWidths(0, Width() - v - 5);
    return;
  }
  if (to < from) return;
  long long sum = 0;
  for (int c = from; c <= to; ++c) sum += ColWidths(c);
  const int target = room - v - b;
  if (sum == target) return;
  // Columns of no width at all give no proportions to stretch by.
  if (sum <= 0) return;
  const double e = double(target - lines) / double(sum);
  long long t = 0;
  for (int c = from; c <= to; ++c) t += std::lround(e * ColWidths(c));
  for (int c = from; c <= to; ++c) SetColWidths(c, int(std::lround(double(ColWidths(c)) * double(t) / double(sum))));
  long long newSum = 0;
  int widest = from;
  for (int c = from; c <= to; ++c) {
    newSum += ColWidths(c);
    if (ColWidths(c) > ColWidths(widest)) widest = c;
  }
  long long rest = target - newSum;
  const int n = to - from + 1;
  if (rest > n && n >= 2) {
    const long long each = rest / n;
    for (int c = from; c <= to; ++c) SetColWidths(c, int(ColWidths(c) + each));
    rest -= n * each;
  }
  SetColWidths(widest, int(ColWidths(widest) + rest));
}

void TProStringGrid::AutoNumberCol(int ACol) {
  if (RowCount() <= 0) return;
  const int last = RowCount() - FixedFooters() - 1;
  for (int a = FixedRows() + AutoNumberStart(); a <= last; ++a) {
    const int value = a - FixedRows() + 1 + AutoNumberOffset();
    const int r = AutoNumberDirection() == sdAscending ? a : FixedRows() + last - a;
    SetCells(ACol, r, QString::number(value));
  }
}

void TProStringGrid::AutoNumberRow(int ARow) {
  if (ColCount() <= 0) return;
  const int last = ColCount() - FixedRightCols() - 1;
  for (int a = FixedCols() + AutoNumberStart(); a <= last; ++a) {
    const int value = a - FixedCols() + 1 + AutoNumberOffset();
    const int c = AutoNumberDirection() == sdAscending ? a : FixedCols() + last - a;
    SetCells(c, ARow, QString::number(value));
  }
}
