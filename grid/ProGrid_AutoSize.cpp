// Fitting the string grid's column widths to their cells, stretching the
// columns over the control, and numbering a column or a row.
#include <QScopeGuard>
#include <cmath>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"

void TProStringGrid::UpdateColumnSize(int ACol, int& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

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
    int w = CalcCellTextSize(rc, ACol, r, false, false).cx;
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

void TProStringGrid::DoAutoSizeRow(int ARow, bool GrowOnly, int) {
  int highest = 0;
  for (int c = 0; c < ColCount(); ++c) {
    if (IsYMergedCell(c, ARow) && !IsBaseCell(c, ARow)) continue;
    const int rc = RealColIndex(c);
    int h = GetCellTextSize(rc, ARow, WordWrap(), false).cy;
    if (IsMergedNonBaseCell(c, ARow)) h = 0;
    if (HasCheckBox(rc, ARow)) h = DefaultRowHeight();
    highest = std::max(highest, h);
  }
  const int height = highest + 2 * XYOffset().Y + 2 * GridLineWidth();
  if (!GrowOnly || RowHeights(ARow) < height)
    SetRowHeights(ARow, ApplySizeLimits(height, MinRowHeight(), MaxRowHeight()));
}

void TProStringGrid::AutoSizeRow(int ARow, int Padding) {
  DoAutoSizeRow(ARow, SizeGrowOnly(), Padding);
  if (Padding != 0)
    SetRowHeights(ARow, ApplySizeLimits(RowHeights(ARow) + Padding, MinRowHeight(), MaxRowHeight()));
}

void TProStringGrid::SizeRowToLines(int ARow, int Lines, int Extra) {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(ARow < FixedRows() ? FixedFont() : Font());
  const int h = canvas->TextHeight(QStringLiteral("gh"));
  SetRowHeights(ARow, ApplySizeLimits(Extra + Lines * (h + h / 8), MinRowHeight(), MaxRowHeight()));
}

void TProStringGrid::AutoSizeRows(bool DoFixedRows, int Padding) {
  if (RowCount() == 0) return;
  const int first = DoFixedRows ? 0 : FixedRows();
  ExportNotification(esExportStart, first);
  for (int r = first; r < RowCount(); ++r) {
    ExportNotification(esExportNextRow, r);
    if (WordWrap()) {
      AutoSizeRow(r, 0);
      if (Padding != 0)
        SetRowHeights(r, ApplySizeLimits(RowHeights(r) + Padding, MinRowHeight(), MaxRowHeight()));
    } else {
      SizeRowToLines(r, MaxLinesInRow(r), Padding);
    }
  }
  ExportNotification(esExportDone, -1);
}

void TProStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY) {
  BeginUpdate();
  auto unlock = qScopeGuard([this] { EndUpdate(); });
  for (int c = DoFixedCells ? 0 : FixedCols(); c < ColCount(); ++c) {
    int widest = SizeGrowOnly() ? ColWidths(c) : 0;
    for (int r = DoFixedCells ? 0 : FixedRows(); r < RowCount(); ++r) {
      const TSize text = CalcCellTextSize(RealColIndex(c), c, r, false, false);
      int w = text.cx + PaddingX + XYOffset().X;
      int h = text.cy + PaddingY + XYOffset().Y;
      if (!IsXMergedCell(c, r) && w > widest) {
        w = ApplySizeLimits(w, MinColWidth(), MaxColWidth());
        if (w > widest) {
          SetColWidths(c, w);
          widest = w;
        }
      }
      if (!IsYMergedCell(c, r) && h > RowHeights(r)) {
        h = ApplySizeLimits(h, MinRowHeight(), MaxRowHeight());
        if (h > RowHeights(r)) SetRowHeights(r, h);
      }
    }
  }
}

void TProStringGrid::SizeToCols() {
  int sum = 0;
  for (int c = 0; c < ColCount(); ++c) sum += ColWidths(c);
  SetClientWidth(sum);
}

void TProStringGrid::SizeToRows() {
  int sum = 0;
  for (int r = 0; r < RowCount(); ++r) sum += RowHeights(r);
  SetClientHeight(sum);
}

void TProStringGrid::SizeToCells() {
  const TScrollStyle bars = ScrollBars();
  SetScrollBars(ssNone);
  SizeToCols();
  SizeToRows();
  SetScrollBars(bars);
}
