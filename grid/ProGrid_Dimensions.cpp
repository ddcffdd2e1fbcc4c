// Row and column counts, fixed rows and columns, default sizes and word wrap.
#include "grid/ProGrid.h"
#include "platform/ui/WinApi.h"

void TProStringGrid::SetRowCount(int Value) {
  const int oldCount = RowCount();
  if (oldCount == FixedRows() && FFixedRowAlways && FSelHidden) UnHideSelection();
  TBaseGrid::SetRowCount(Value);
  if (FFixedRowAlways && FFixedRowsMin < RowCount() && TBaseGrid::FixedRows() != FFixedRowsMin)
    TBaseGrid::SetFixedRows(FFixedRowsMin);
  FMaxRowCount = std::max(FMaxRowCount, RowCount());
  FNormalRowCount = RowCount();
  // The floating footer shows the last row: its cells move to the new last row.
  if (FFloatingFooter && FFloatingFooter->Visible() && RowCount() != oldCount && oldCount > 0 &&
      oldCount - 1 < RowCount()) {
    const int from = oldCount - 1, to = RowCount() - 1;
    for (int c = 0; c < TotalColCount(); ++c) {
      SetGridCells(c, to, GridCells(c, from));
      SetGridObjects(c, to, GridObjects(c, from));
    }
    ResetRowCells(from);
  }
}

void TProStringGrid::SetColCount(int Value) {
  TBaseGrid::SetColCount(Value);
  if (FFixedColAlways && FFixedColsMin < ColCount() && TBaseGrid::FixedCols() != FFixedColsMin)
    TBaseGrid::SetFixedCols(FFixedColsMin);
  FMaxColCount = std::max(FMaxColCount, ColCount());
  // The bounds again, so that the integral height follows a scroll bar that
  // comes or goes.
  SetBounds(Left(), Top(), Width(), Height());
}

void TProStringGrid::SetFixedRows(int Value) {
  TBaseGrid::SetFixedRows(Value >= RowCount() && FFixedRowAlways ? RowCount() - 1 : Value);
  if (!ComponentState().contains(csLoading)) FFixedRowsMin = Value;
}

void TProStringGrid::SetFixedCols(int Value) {
  TBaseGrid::SetFixedCols(Value >= ColCount() && FFixedColAlways ? ColCount() - 1 : Value);
  if (!ComponentState().contains(csLoading)) FFixedColsMin = Value;
}

void TProStringGrid::SetDefaultRowHeight(int Value) {
  TBaseGrid::SetDefaultRowHeight(Value);
  if (IsDesigning()) FFixedRowHeight = Value;
  // The footer panel follows only while it is shown.
  if (!FFloatingFooter) return;
  if (FFloatingFooter->Visible())
    FFloatingFooter->SetHeight(Value);
  else
    FFloatingFooter->FHeight = Value;
}

void TProStringGrid::SetFixedRowHeight(int Value) {
  FFixedRowHeight = Value;
  if (ComponentState().contains(csLoading)) return;
  if (Value == DefaultRowHeight()) {
    SetDefaultRowHeight(Value);
    return;
  }
  for (int r = 0; r < TBaseGrid::FixedRows(); ++r) SetRowHeights(r, Value);
}

void TProStringGrid::SetFixedColWidth(int Value) {
  if (ComponentState().contains(csLoading) || Value == DefaultColWidth()) return;
  for (int c = 0; c < TBaseGrid::FixedCols(); ++c) SetColWidths(c, Value);
}

void TProStringGrid::SetFixedFooters(int Value) {
  FFixedFooters = Value;
  Invalidate();
}

void TProStringGrid::SetFixedRightCols(int Value) {
  FFixedRightCols = Value;
  Invalidate();
}

void TProStringGrid::SetDefaultAlignment(TAlignment Value) {
  if (FDefaultAlignment == Value) return;
  FDefaultAlignment = Value;
  Invalidate();
}

void TProStringGrid::SetVAlignment(TVAlignment Value) {
  if (FVAlignment == Value) return;
  FVAlignment = Value;
  Invalidate();
}

void TProStringGrid::SetWordWrap(bool Value) {
  TBaseGrid::SetWordWrap(Value);
  FWordWrapEx = Value;
  Invalidate();
}

void TProStringGrid::SetBorderColor(TColor Value) {
  F.BorderColor = Value;
  if (Parent() && Parent()->HandleAllocated()) Invalidate();
}

void TProStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const int rowHeight = DefaultRowHeight();
  if (FIntegralHeight && rowHeight > 0) {
    const int s = VisibleColCount() + TBaseGrid::FixedCols() < ColCount()
                      ? GetSystemMetrics(SM_CYHSCROLL)
                      : 0;
    const int b = BorderStyle() == bsSingle ? 2 : 0;
    const int h = AHeight - s - b;
    AHeight = s + (h - h % rowHeight) + 2 * b;
  }
  TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TProStringGrid::SetSpreadSheet(bool Value) {
  FSpreadSheet = Value;
  if (!Value) return;
  SetSelectionRectangle(true);
  SetSelectionResizer(true);
  FNavigation->SetAllowSmartClipboard(true);
  SetOptions(Options() + TGridOptions{goRangeSelect, goEditing});
  FMouseActions->SetRangeSelectAndEdit(true);
}

void TProStringGrid::SetAutoSize(bool Value) {
  F.AutoSize = Value;
  if (Value && !ComponentState().contains(csLoading)) AutoSizeColumns(false, 10);
}
