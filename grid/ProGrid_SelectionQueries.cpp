// Questions about the string grid's selection in every selection mode: whether a
// cell is selected, the selected text, the disjunct cell list and the counts of
// selected cells, columns and rows.
#include <algorithm>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"

void TProStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow) {
  SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

bool TProStringGrid::IsSelected(int ACol, int ARow) {
  if (ARow < FixedRows() || ACol < FixedCols()) return false;
  TMouseActions* m = MouseActions();
  if (m->DisjunctCellSelect())
    return FitsCellKey(ACol, ARow) && FSelectedCells->HasValue(CellKey(ACol, ARow));
  if (m->DisjunctRowSelect())
    return RowSelect(m->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
  if (m->DisjunctColSelect()) return ColSelect(ACol);
  const TGridRect s = Selection();
  return s.Left <= ACol && ACol <= s.Right && s.Top <= ARow && ARow <= s.Bottom;
}

QString TProStringGrid::SelectedText() {
  TGridRect R = Selection();
  if (Options().contains(goRowSelect) && DragDropSettings()->OleEntireRows()) {
    R.Left = 0;
    R.Right = ColCount() - 1;
  }
  std::vector<int> rows;
  TMouseActions* m = MouseActions();
  if (m->DisjunctRowSelect()) {
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (RowSelect(m->RowSelectPersistent() ? RealRowIndex(r) : r)) rows.push_back(r);
  } else {
    for (int r = R.Top; r <= R.Bottom; ++r) rows.push_back(r);
  }
  QStringList lines;
  for (int r : rows) {
    QStringList cells;
    for (int c = R.Left; c <= R.Right; ++c) {
      QString t = Cells(RealColIndex(c), r);
      // Rich text gives its plain text once the hidden rich editor is part of
      // the grid; until then the text goes as it is stored.
      if (ExcelClipboardFormat() && CountCellLines(t, Multilinecells()) > 1)
        t = EncodeExcelMultiLine(t);
      cells << t;
    }
    lines << cells.join(u'\t');
  }
  return lines.join(QStringLiteral("\r\n"));
}

// ---------------------------------------------------------------------------
// Disjunct cells and counts

int TProStringGrid::SelectedCellsCount() {
  if (MouseActions()->DisjunctCellSelect()) return FSelectedCells->Count();
  FSelectedCells->Clear();
  const TGridRect s = Selection();
  if (s.Left == s.Right && s.Top == s.Bottom) {
    FSelectedCells->Add(CellKey(Col(), Row()));
  } else {
    for (int c = std::min(s.Left, s.Right); c <= std::max(s.Left, s.Right); ++c)
      for (int r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
        FSelectedCells->Add(CellKey(c, r));
  }
  return FSelectedCells->Count();
}

TGridCoord TProStringGrid::SelectedCell(int i) {
  const uint32_t v = uint32_t(FSelectedCells->Items(i));
  return TGridCoord{int(v & 0xFFFF), int(v >> 16)};
}

bool TProStringGrid::SelectedCells(int i, int j) {
  if (MouseActions()->DisjunctCellSelect())
    return FitsCellKey(i, j) && FSelectedCells->HasValue(CellKey(i, j));
  const TGridRect s = Selection();
  return std::min(s.Left, s.Right) <= i && i <= std::max(s.Left, s.Right) &&
         std::min(s.Top, s.Bottom) <= j && j <= std::max(s.Top, s.Bottom);
}

void TProStringGrid::SetSelectedCells(int i, int j, bool Value) {
  if (!FitsCellKey(i, j)) return;
  const int key = CellKey(i, j);
  if (Value == FSelectedCells->HasValue(key)) return;
  if (Value)
    FSelectedCells->Add(key);
  else
    FSelectedCells->DeleteValue(key);
  RepaintCell(i, j);
}

int TProStringGrid::SelectedColCount() {
  if (MouseActions()->DisjunctColSelect()) return ColSelectCount();
  const TGridRect s = Selection();
  const int L = s.Left, R = s.Right, T = s.Top;
  if (IsXMergedCell(L, T)) {
    const int span = CellSpan(L, T).X;
    return R < L + span ? span + 1 : std::abs(L - R) + 1;
  }
  if (IsXMergedCell(R, T)) return std::abs(L - R) + CellSpan(R, T).X + 1;
  return std::abs(L - R) + 1;
}

int TProStringGrid::SelectedRowCount() {
  if (MouseActions()->DisjunctRowSelect()) return SelectedRows()->Count();
  const TGridRect s = Selection();
  const int L = s.Left, T = s.Top;
  int B = s.Bottom;
  if (FixedFooters() > 0 && B > RowCount() - FixedFooters() - 1) B = RowCount() - FixedFooters() - 1;
  if (IsYMergedCell(L, T)) {
    const int span = CellSpan(L, T).Y;
    return B < T + span ? span + 1 : std::abs(T - B) + 1;
  }
  if (IsYMergedCell(L, B)) return std::abs(T - B) + CellSpan(L, B).Y + 1;
  return std::abs(T - B) + 1;
}

int TProStringGrid::SelectedRow(int i) {
  if (MouseActions()->DisjunctRowSelect())
    return i >= 0 && i < SelectedRows()->Count() ? SelectedRows()->Items(i) : -1;
  const TGridRect s = Selection();
  const int lo = std::min(s.Top, s.Bottom), hi = std::max(s.Top, s.Bottom);
  // A negative index would name a row above the selection.
  return i >= 0 && lo + i <= hi ? lo + i : -1;
}

void TProStringGrid::ClearSelectedCells() {
  SetSelection(TGridRect{FixedCols(), FixedRows(), FixedCols(), FixedRows()});
  FSelectedCells->Clear();
  Invalidate();
}

void TProStringGrid::ClearModifiedRows() {
  FModifiedRows->Clear();
  Invalidate();
}
