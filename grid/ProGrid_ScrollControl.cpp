// The metro scroll control, the header drag button and the non-activating form.
#include "grid/ProGrid_ScrollControl.h"

#include <cmath>

#include "grid/ProGrid.h"
#include "controls/PsgHTMLE.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/WinApi.h"

namespace {

// Rounds to the nearest integer, halves to even.
int RoundEven(double V) { return int(std::nearbyint(V)); }

}  // namespace

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}

TProStringGrid* TScrollControl::Grid() const { return dynamic_cast<TProStringGrid*>(Parent()); }

void TScrollControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Invalidate();
}

TPoint TScrollControl::ThumbGeometry() {
  TProStringGrid* g = Grid();
  if (g == nullptr) return {0, 0};
  const bool vert = FDirection == sdVertical;
  const int fixed = vert ? g->FixedRows() : g->FixedCols();
  const int count = vert ? g->RowCount() : g->ColCount();
  const int first = vert ? g->TopRow() : g->LeftCol();
  const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
  const int extent = vert ? Height() : Width();
  auto size = [&](int i) { return vert ? g->RowHeights(i) : g->ColWidths(i); };
  // Track: the control less the fixed cells and the footer rows (columns).
  int O = 0;
  for (int i = 0; i < fixed; ++i) O += size(i);
  int footers = 0;
  for (int i = std::max(fixed, count - g->FixedFooters()); i < count; ++i) footers += size(i);
  const int T = extent - O - footers;
  // A grid without scrolling rows has nothing to divide by: the thumb stays at the start.
  const int P0 = count - fixed > 0 ? O + RoundEven(double(T) * (first - fixed) / (count - fixed)) : O;
  int L = count > 0 ? RoundEven(double(T) * visible / count) : T;
  L = std::max(L, 20);
  const int P = P0 + L > extent ? extent - L : P0;
  return {P, L};
}

void TScrollControl::Paint() {
  TProStringGrid* g = Grid();
  if (g == nullptr) return;
  const TPoint t = ThumbGeometry();
  Canvas()->Pen()->SetColor(FColor);
  Canvas()->Brush()->SetColor(FColor);
  if (FDirection == sdVertical) {
    if (g->VisibleRowCount() < g->RowCount() - g->FixedRows())
      Canvas()->Rectangle(0, t.X, FScrollWidth, t.X + t.Y);
  } else if (g->VisibleColCount() < g->ColCount() - g->FixedCols()) {
    Canvas()->Rectangle(t.X, 0, t.X + t.Y, FScrollWidth);
  }
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TProStringGrid* g = Grid();
  if (g == nullptr) return;
  const TPoint t = ThumbGeometry();
  const int P = t.X, L = t.Y;
  if (FDirection == sdVertical) {
    if (Y < P)
      g->SetTopRow(std::max(g->FixedRows(), g->TopRow() - g->VisibleRowCount()));
    else if (Y > P + L)
      g->SetTopRow(std::min(g->TopRow() + g->VisibleRowCount(), g->RowCount() - g->VisibleRowCount()));
    else {
      FDownOnScroller = true;
      FDownPos = Y;
      FDownRow = g->TopRow();
    }
  } else {
    if (X < P)
      g->SetLeftCol(std::max(g->FixedCols(), g->LeftCol() - g->VisibleColCount()));
    else if (X > P + L)
      g->SetLeftCol(std::min(g->LeftCol() + g->VisibleColCount(), g->ColCount() - g->VisibleColCount()));
    else {
      FDownOnScroller = true;
      FDownPos = X;
      FDownRow = g->LeftCol();
    }
  }
}

void TScrollControl::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  TProStringGrid* g = Grid();
  if (g == nullptr || !FDownOnScroller) return;
  const bool vert = FDirection == sdVertical;
  // A control no longer than the first row (column) gives no scale: no scroll.
  const int span = vert ? Height() - g->RowHeights(0) : Width() - g->ColWidths(0);
  if (span <= 0) return;
  const int count = vert ? g->RowCount() : g->ColCount();
  const int moved = vert ? Y - FDownPos : X - FDownPos;
  int N = RoundEven(double(moved) / span * count) + FDownRow;
  N = std::min(N, count - (vert ? g->VisibleRowCount() : g->VisibleColCount()));
  N = std::max(vert ? g->FixedRows() : g->FixedCols(), N);
  if (vert)
    g->SetTopRow(N);
  else
    g->SetLeftCol(N);
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FDownOnScroller = false;
}

THeaderDragButton::THeaderDragButton(TComponent* AOwner, TProStringGrid* AGrid)
    : TCustomControl(AOwner), FGrid(AGrid) {}

void THeaderDragButton::SetCaption(const QString& Value) {
  FCaption = Value;
  Invalidate();
}

void THeaderDragButton::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.WindowClassStyle |= CS_SAVEBITS;
  SetColor(clBtnFace);
}

void THeaderDragButton::Paint() {
  TRect R = ClientRect();
  if (FGrid != nullptr) FGrid->PaintCellExt(Canvas(), 0, 0, R, TGridDrawState());
  Canvas()->Brush()->SetStyle(bsClear);
  if (!FCaption.contains(QStringLiteral("</"))) {
    DrawText(Canvas()->Handle(), FCaption, -1, R, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  } else {
    // An HTML caption shows the grid's images; (2, 2) is only the renderer's hit point.
    QString anchor, strip, focusAnchor, anchorTitle, controlID, controlValue, controlType;
    int xSize = 0, ySize = 0, links = 0, mouseLink = -1;
    TRect hoverRect, controlRect;
    DrawHTMLText(Canvas(), FCaption, R, FGrid != nullptr ? FGrid->GridImages() : nullptr, 2, 2, -1, -1, 2, false,
                 false, false, false, false, false, false, false, 1.0, clBlue, clNone, clNone, clGray, anchor,
                 strip, focusAnchor, anchorTitle, xSize, ySize, links, mouseLink, hoverRect, controlRect,
                 controlID, controlValue, controlType, nullptr, nullptr, HandleAllocated() ? Handle() : nullptr,
                 bdLeftToRight);
  }
}

void TNoActiveForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style = WS_POPUP | WS_DISABLED | WS_BORDER;
  Params.WindowClassStyle |= CS_SAVEBITS;
}

void TNoActiveForm::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = 3;  // MA_NOACTIVATE, without the framework's handling
    return;
  }
  TForm::WndProc(Message);
  if (Message.Msg == WM_ACTIVATE) Message.Result = 1;
}
