// The string grid's update lock, its painting while locked, and the grid
// timer: the incremental-search timeout, hover focus and blinking text.
#include <QScopeGuard>

#include "grid/ProGrid.h"

void TProStringGrid::BeginUpdate() {
  // The count is kept whether or not the grid is visible: a grid shown or
  // hidden inside a lock must come out of it with the count at 0 again.
  if (FUpdateCount++ == 0 && Visible() && HandleAllocated()) Perform(WM_SETREDRAW, 0, 0);
}

void TProStringGrid::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount != 0 || ComponentState().contains(csDestroying)) return;
  FSelChange = false;
  if (!HandleAllocated()) return;
  Perform(WM_SETREDRAW, 1, 0);
  Invalidate();
}

void TProStringGrid::WMPaint(TWMPaint& Message) {
  if (FUpdateCount > 0) {
    Message.Result = 0;
    return;
  }
  TBaseGrid::WMPaint(Message);
}

void TProStringGrid::WMSetFocus(TWMSetFocus& Message) {
  TBaseGrid::WMSetFocus(Message);
  const int rc = RealColIndex(Col());
  if (HasCheckBox(rc, Row())) return;
  const bool inView = LeftCol() <= Col() && Col() < LeftCol() + VisibleColCount() && TopRow() <= Row() &&
                      Row() < TopRow() + VisibleRowCount();
  const bool fromEditor = InplaceEditor() != nullptr && Message.FocusedWnd() == InplaceEditor()->Handle();
  if (Navigation()->AlwaysEdit() && !fromEditor && GridState() != gsColMoving && GridState() != gsRowMoving &&
      inView) {
    TEditorType kind = DefaultEditor();
    GetCellEditorType(rc, Row(), kind);
    bool can = true;
    CanEditCell(rc, Row(), can);
    if (kind == edNormal && can) {
      ShowInplaceEdit();
      Message.Result = 0;
      return;
    }
  }
  if (IsMergedCell(Col(), Row())) {
    const TPoint span = CellSpan(Col(), Row());
    RepaintRect(TRect(Col(), Row(), Col() + span.X, Row() + span.Y));
  }
}

void TProStringGrid::DoEnter() {
  auto store = qScopeGuard([this] { StoreOldCellText(Col(), Row()); });
  TBaseGrid::DoEnter();
  if (Options().contains(goEditing) || MouseActions()->RangeSelectAndEdit()) SelectCell(Col(), Row());
}

void TProStringGrid::DoExit() {
  if (FSelChange && MouseActions()->DisjunctRowSelect()) SelectionToRowSelect(false);
  FSelChange = false;
  TBaseGrid::DoExit();
}

void TProStringGrid::Click() {
  TBaseGrid::Click();
  StoreOldCellText(Col(), Row());
}

void TProStringGrid::WMTimer(TWMTimer& Message) {
  if (Message.TimerID() != GridTimerId) {
    TBaseGrid::WMTimer(Message);
    return;
  }
  GridTimerTick();
}

void TProStringGrid::GridTimerTick() {
  ++FTimerTicks;
  if (Navigation()->AutoGotoIncremental() && ++FSearchTics >= 4) {
    FSearchInc.clear();
    FSearchTics = 0;
  }
  if (FHovering && !IsDesigning() && HandleAllocated()) {
    TPoint screen;
    GetCursorPos(&screen);
    const TPoint p = ScreenToClient(screen);
    if (p.X >= 0 && p.Y >= 0 && p.X < ClientWidth() && p.Y < ClientHeight() &&
        WindowFromPoint(screen) == Handle()) {
      int c = -1, r = -1;
      MouseToCell(p.X, p.Y, c, r);
      if (c >= FixedCols() && c < ColCount() && r >= FixedRows() && r < RowCount()) {
        if (CanFocus()) SetFocus();
        SetRow(r);
        SetCol(c);
      }
    }
  }
  if (FEnableBlink) {
    FGridBlink = !FGridBlink;
    auto blinks = [this](int realCol, int r) {
      return Cells(realCol, r).toUpper().contains(QStringLiteral("<BLI"));
    };
    const int vr = VisibleRowCount(), vc = VisibleColCount();
    for (int r = TopRow(); r < TopRow() + vr && r < RowCount(); ++r)
      for (int c = LeftCol(); c < LeftCol() + vc + NumHiddenColumns() && c < TotalColCount(); ++c)
        if (blinks(c, r)) RepaintCell(DisplColIndex(c), r);
    for (int r = 0; r < FixedRows(); ++r)
      for (int c = LeftCol(); c < LeftCol() + vc && c < TotalColCount(); ++c)
        if (blinks(c, r)) RepaintCell(DisplColIndex(c), r);
    for (int c = 0; c < FixedCols(); ++c)
      for (int r = TopRow(); r < TopRow() + vr && r < RowCount(); ++r)
        if (blinks(c, r)) RepaintCell(DisplColIndex(c), r);
  }
}
