// Presses and releases of the left mouse button on ratings, in-cell buttons
// and expand hot spots.
#include <QScopedValueRollback>
#include <cmath>

#include "grid/ProGrid.h"

namespace {

bool Inside(const TRect& R, int X, int Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

}  // namespace

bool TProStringGrid::GraphicCellPress(int C, int R, int X, int Y) {
  const int RC = RealColIndex(C);
  const TRect CR = CellRect(C, R);
  // A rating takes half a star per 9 pixels.
  if (HasRating(RC, R) && IsEditable(RC, R)) {
    HideInplaceEdit();
    double rate = std::trunc((X - CR.Left) / 9.0) / 2;
    if (DoRatingChange(RC, R, rate)) {
      SetFloats(RC, R, rate);
      RepaintCell(C, R);
    }
    return true;
  }
  const bool button = HasButton(RC, R);
  if (!button && !HasExpand(RC, R)) return false;
  HideInplaceEdit();
  if (!IsFixed(C, R)) {
    QScopedValueRollback<bool> force(FForceSel, true);
    if (SelectCell(C, R)) {
      SetCol(C);
      SetRow(R);
    }
  }
  const TRect B = button ? GetCellControlRect(C, R) : GetExpandRect(RC, R);
  if (!Inside(B, X, Y)) return false;
  PushButton(C, R, true);
  FPushedCellButton = TPoint(C, R);
  SetMouseCapture(true);
  if (OnClickCell) OnClickCell(this, R, C);
  return true;
}

bool TProStringGrid::GraphicCellRelease(int C, int R, int X, int Y) {
  if (FPushedCellButton.X >= 0) {
    const TPoint pushed = FPushedCellButton;
    FPushedCellButton = TPoint(-1, -1);
    SetMouseCapture(false);
    const bool isCell = C >= 0 && R >= 0 && C < ColCount() && R < RowCount();
    bool enabled = Options().contains(goEditing);
    if (isCell && !ControlLook()->NoDisabledButtonLook()) enabled = CheckCellEditable(RealColIndex(C), R);
    const bool fixedButton = pushed.X < FixedCols() || pushed.Y < FixedRows();
    if (enabled || ControlLook()->NoDisabledButtonLook() || fixedButton) {
      if (!IsNode(pushed.Y) || pushed.X != 0) PushButton(pushed.X, pushed.Y, false);
      if (isCell) {
        const TPoint b = BaseCell(C, R);
        const int BRC = RealColIndex(b.X);
        const bool fixedPass = pushed.Y < FixedRows();
        if (HasButton(BRC, b.Y) && (Inside(GetCellControlRect(b.X, b.Y), X, Y) || fixedPass))
          DoButtonClick(RealColIndex(pushed.X), pushed.Y);
        if (HasExpand(BRC, b.Y) && (Inside(GetExpandRect(BRC, b.Y), X, Y) || fixedPass))
          DoExpandClick(BRC, b.Y, ToggleExpand(BRC, b.Y));
      }
    } else {
      PushButton(pushed.X, pushed.Y, false);
    }
  }
  if (C < 0 || R < 0 || C >= ColCount() || R >= RowCount()) return false;
  const int RC = RealColIndex(C);
  return (HasButton(RC, R) && Inside(GetCellControlRect(C, R), X, Y)) ||
         (HasExpand(RC, R) && Inside(GetExpandRect(RC, R), X, Y));
}
