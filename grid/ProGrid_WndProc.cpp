// String grid: the window procedure (the "GridEditDone" round trip, combo
// notifications of the grid's own editors, the wheel and wheel zoom) and the
// zoom operation.
#include <QScopeGuard>
#include <cstdlib>

#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

namespace {

constexpr UINT_PTR kPanTimer = 999;

}  // namespace

bool TProStringGrid::ComboFromGrid(HWND Sender) {
  TCustomComboBox* combo = EditCombo();
  return combo != nullptr && combo->HandleAllocated() && combo->Handle() == Sender;
}

void TProStringGrid::WndProc(TMessage& Message) {
  // The window goes: no pan timer outlives it.
  if (Message.Msg == WM_DESTROY && FPanning) {
    KillTimer(Handle(), kPanTimer);
    FPanning = false;
  }
  // While the grid goes away only the framework answers.
  if (ComponentState().contains(csDestroying)) {
    TBaseGrid::WndProc(Message);
    return;
  }
  // The Office colour scheme changed.
  if ((Message.Msg == WM_OFFICETHEMECHANGE || Message.Msg == WM_THEMECHANGED) && F.AutoThemeAdapt)
    AdaptToTheme();
  // The selection before the message.
  const TGridRect before = Selection();
  // Editing finished: the grid posted this to itself after OnEditingDone.
  if (Message.Msg == GridEditDoneMessage() && Message.Msg != 0) {
    if (OnEditCellDone) OnEditCellDone(this, int(Message.WParam), int(Message.LParam));
    if (FMouseActions->EditOnDblClickOnly()) {
      HideEditor();
      FEditMode = false;
      SetOptions(Options() - goEditing);
    }
  }
  // A header move cancelled by the system ends as if it had never started.
  if (Message.Msg == WM_CANCELMODE && Screen->Cursor() == crDrag &&
      (GridState() == gsColMoving || GridState() == gsRowMoving) && F.EnhRowColMove) {
    Screen->SetCursor(crDefault);
    FMovePos = FMoveIndex;
  }
  if (Message.Msg == WM_COMMAND && HiWord(Message.WParam) == EN_CHANGE) {
    TBaseGrid::WndProc(Message);
    // Every change of the text editor reaches its cell at once, so a click
    // elsewhere, which takes the focus first, loses nothing.
    TProInplaceEdit* ed = NormalEdit();
    if (ed != nullptr && ed->HandleAllocated() && Message.LParam == reinterpret_cast<LPARAM>(ed->Handle()) &&
        FShowEditProcess && FEditMode && !FNoEditChange)
      SetEditText(Col(), Row(), ed->Text());
    return;
  }
  if (Message.Msg == WM_COMMAND) {
    TWMCommand cmd(Message);
    const WORD code = cmd.NotifyCode();
    // The grid's combo editor changed its item (the real column is reported).
    auto comboChanged = [&] {
      TCustomComboBox* combo = EditCombo();
      const int idx = combo->ItemIndex();
      const QString text = idx >= 0 ? combo->Items()->Strings(idx) : combo->Text();
      if (OnComboChange) OnComboChange(this, RealColIndex(Col()), Row(), idx, text);
      if (OnComboObjectChange)
        OnComboObjectChange(this, RealColIndex(Col()), Row(), idx, text,
                            idx >= 0 ? combo->Items()->Objects(idx) : nullptr);
    };
    if ((code == CBN_SELCHANGE || code == CBN_EDITCHANGE) && ComboFromGrid(cmd.Ctl()) && EditMode())
      comboChanged();
    // Close-up (with DirectComboClose the pick is stored and the editor
    // closes) and drop-down of the grid's combo editor (row first).
    if (code == CBN_CLOSEUP && ComboFromGrid(cmd.Ctl())) {
      if (FMouseActions->DirectComboClose()) {
        TCustomComboBox* combo = EditCombo();
        if (combo->ItemIndex() >= 0) combo->SetText(combo->Items()->Strings(combo->ItemIndex()));
        comboChanged();
        FEditControl = edComboEdit;
        FEditMode = true;
        const bool direct = FMouseActions->DirectEdit();
        FMouseActions->SetDirectEdit(false);
        auto restore = qScopeGuard([&] { FMouseActions->SetDirectEdit(direct); });
        HideInplaceEdit();
        SetFocus();
      }
      DoComboCloseUp(Row(), RealColIndex(Col()));
    }
    if (code == CBN_DROPDOWN && ComboFromGrid(cmd.Ctl())) DoComboDropDown(Row(), RealColIndex(Col()));
    // A typed change in the grid's combo editor reports its text; a
    // notification from any other control is none of the grid's business.
    if (code == CBN_EDITCHANGE && ComboFromGrid(cmd.Ctl()) && OnComboChange)
      OnComboChange(this, Col(), Row(), -1, EditCombo()->Text());
  }
  // Panning: the timer steps it, the middle button starts it, a button or a
  // key ends it.
  if (Message.Msg == WM_TIMER && Message.WParam == kPanTimer && FPanning && FIntelliPan != ipNone) {
    PanStep();
    return;
  }
  if (Message.Msg == WM_MBUTTONDOWN && !FPanning && FIntelliPan != ipNone && RowCount() > FixedRows()) {
    FPanOldCursor = TBaseGrid::Cursor();
    TBaseGrid::SetCursor(crSizeAll);
    FPanning = true;
    SetTimer(Handle(), kPanTimer, 10);
    FPanOrigin = {GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    SetMouseCapture(true);
    FPanHints = ShowHint();
    SetShowHint(false);
    InvalidateRect(TRect{FPanOrigin.X, FPanOrigin.Y, FPanOrigin.X + 32, FPanOrigin.Y + 32}, false);
    return;
  }
  if (FPanning && (Message.Msg == WM_MBUTTONDOWN || Message.Msg == WM_LBUTTONDOWN ||
                   Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_KEYDOWN))
    StopPanning();
  // The wheel moves the current row (or scrolls) by the wheel step.
  if (Message.Msg == WM_MOUSEWHEEL) {
    TWMMouseWheel wheel(Message);
    if (Parent() != nullptr && Parent()->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) != 0) {
      TBaseGrid::WndProc(Message);
      return;
    }
    const TShiftState shift = KeysToShiftState(wheel.Keys());
    const int delta = wheel.WheelDelta();
    if (shift.contains(ssCtrl) && F.IntelliZoom) {
      Zoom(delta < 0 ? 1 : -1);
      return;
    }
    if (!F.EnableWheel || (FFixedRowAlways && RowCount() == 1)) return;
    const int f =
        FMouseActions->WheelIncrement() > 0 ? FMouseActions->WheelIncrement() : Mouse->WheelScrollLines();
    int target = Row();
    if (FMouseActions->WheelAction() == waMoveSelection) {
      target = delta < 0 ? Row() + f : Row() - f;
    } else if (delta < 0) {
      if (TopRow() < RowCount() - VisibleRowCount() && TopRow() + f >= FixedRows())
        SetTopRow(std::min(TopRow() + f, RowCount() - VisibleRowCount()));
    } else {
      const int step = TopRow() - f < FixedRows() ? TopRow() - FixedRows() : f;
      if (TopRow() > FixedRows()) SetTopRow(TopRow() - step);
    }
    target = std::max(FixedRows(), std::min(target, RowCount() - FFixedFooters - 1));
    if (target >= 0 && target < RowCount() && FMouseActions->WheelAction() == waMoveSelection) {
      if (FMouseActions->DisjunctRowSelect()) ClearRowSelect();
      const int left = LeftCol();
      MoveColRow(Col(), target, true, true);
      if (Options().contains(goRowSelect) && FNavigation->KeepHorizScroll()) SetLeftCol(left);
    }
    if (FMouseActions->WheelIncrement() != 0 || FMouseActions->DisjunctRowSelect()) {
      Message.Result = 1;
      bool handled = true;
      if (delta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, shift, wheel.Pos(), handled);
      if (delta >= 0 && OnMouseWheelUp) OnMouseWheelUp(this, shift, wheel.Pos(), handled);
    }
    const TGridRect after = Selection();
    if (!(after == before)) DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
    return;
  }
  TBaseGrid::WndProc(Message);
}

void TProStringGrid::Zoom(int x) {
  if (ZoomFactor() + x < -10 || ZoomFactor() + x > 10) return;
  SetZoomFactor(ZoomFactor() + x);
  for (int c = 0; c < ColCount(); ++c)
    if (ColWidths(c) > 0 && ColWidths(c) + x > 0) SetColWidths(c, ColWidths(c) + x);
  for (int r = 0; r < RowCount(); ++r)
    if (RowHeights(r) > 0 && RowHeights(r) + x > 0) SetRowHeights(r, RowHeights(r) + x);
}

bool TProStringGrid::WheelThroughFramework(bool Down, TShiftState Shift, TPoint MousePos) {
  if (FMouseActions->WheelAction() == waScroll || !F.EnableWheel) {
    bool handled = false;
    const auto& event = Down ? OnMouseWheelDown : OnMouseWheelUp;
    if (event) event(this, Shift, MousePos, handled);
    return handled;
  }
  // A wheel move never starts direct editing.
  const bool direct = FMouseActions->DirectEdit();
  FMouseActions->SetDirectEdit(false);
  auto restore = qScopeGuard([&] { FMouseActions->SetDirectEdit(direct); });
  const int left = LeftCol();
  bool result = true;  // outside the grid a move up is only reported as handled
  if (Down)
    result = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
  else if (Col() < ColCount() && Row() < RowCount())
    result = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
  if (Options().contains(goRowSelect) && FNavigation->KeepHorizScroll()) SetLeftCol(left);
  return result;
}

bool TProStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  return WheelThroughFramework(true, Shift, MousePos);
}

bool TProStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  return WheelThroughFramework(false, Shift, MousePos);
}

void TProStringGrid::StopPanning() {
  SetMouseCapture(false);
  KillTimer(Handle(), kPanTimer);
  TBaseGrid::SetCursor(FPanOldCursor);
  SetShowHint(FPanHints);
  FPanning = false;
  InvalidateRect(TRect{FPanOrigin.X, FPanOrigin.Y, FPanOrigin.X + 32, FPanOrigin.Y + 32}, false);
}

void TProStringGrid::PanStep() {
  // The direction: more than 5 pixels from the press point.
  const TPoint p = ScreenToClient(Mouse->CursorPos());
  int v = p.Y < FPanOrigin.Y - 5 ? -1 : (p.Y > FPanOrigin.Y + 5 ? 1 : 0);
  int h = p.X < FPanOrigin.X - 5 ? -1 : (p.X > FPanOrigin.X + 5 ? 1 : 0);
  if (FIntelliPan == ipHorizontal) v = 0;
  if (FIntelliPan == ipVertical) h = 0;
  const TGridRect before = Selection();
  // The current cell back into the normal cells.
  const int lastRow = RowCount() - FFixedFooters - 1, lastCol = ColCount() - FFixedRightCols - 1;
  if (Row() > lastRow) SetRow(lastRow);
  if (Row() < FixedRows()) SetRow(FixedRows());
  if (Col() > lastCol) SetCol(lastCol);
  if (Col() < FixedCols()) SetCol(FixedCols());
  if (FMouseActions->WheelAction() == waScroll) {
    if (h < 0 && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
    if (h > 0 && LeftCol() < ColCount() - VisibleColCount()) SetLeftCol(LeftCol() + 1);
    if (v < 0 && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
    if (v > 0 && TopRow() < RowCount() - VisibleRowCount()) SetTopRow(TopRow() + 1);
  } else {
    const int c = Col() + h, r = Row() + v;
    if (h != 0 && c >= FixedCols() && c <= lastCol) SetCol(c);
    if (v != 0 && r >= FixedRows() && r <= lastRow) SetRow(r);
  }
  // The cursor shows the direction.
  TCursor cursor = crSizeAll;
  if (h != 0 && v == 0) cursor = crSizeWE;
  if (v != 0 && h == 0) cursor = crSizeNS;
  if (v != 0 && h != 0) cursor = v == h ? crSizeNWSE : crSizeNESW;
  TBaseGrid::SetCursor(cursor);
  const TGridRect after = Selection();
  if (!(after == before)) DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}
