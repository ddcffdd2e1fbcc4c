// String grid: the focus glow, a translucent blue ring around the cell being
// edited, shown in a window of its own that follows the form when it moves.
#include <QScopedValueRollback>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "platform/ui/WinLayered.h"

namespace {

constexpr TColor kGlowColor = TColor(0xFDD397);
constexpr Byte kGlowOpacity = 230;
// The window reaches 4 pixels beyond the cell at the left and top and 5 at the
// right and bottom.
constexpr int kGlowInset = 4, kGlowGrow = 9;

// The grid whose glow follows moving windows, and the thread hook that moves
// it; user-interface thread only.
TProStringGrid* gGlowGrid = nullptr;
HHOOK gGlowHook = nullptr;
// Moving the glow window is itself a window move: it is not followed again.
bool gFollowing = false;

}  // namespace

TProStringGrid* TProStringGrid::FocusGlowGrid() { return gGlowGrid; }

LRESULT TProStringGrid::FocusGlowHook(int Code, WPARAM WParam, LPARAM LParam) {
  const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(LParam);
  // WM_MOVE is this platform's notice of a window that has moved.
  if (cwp != nullptr && gGlowGrid != nullptr && !gFollowing &&
      (cwp->message == WM_WINDOWPOSCHANGING || cwp->message == WM_WINDOWPOSCHANGED ||
       cwp->message == WM_MOVE)) {
    QScopedValueRollback<bool> following(gFollowing, true);
    gGlowGrid->FollowFocusGlow();
  }
  return CallNextHookEx(gGlowHook, Code, WParam, LParam);
}

void TProStringGrid::ShowFocusGlow(const TRect& R) {
  if (!FFocusHelper->Enabled() || IsDesigning() || !HandleAllocated()) return;
  if (gGlowHook == nullptr)
    gGlowHook = SetWindowsHookEx(WH_CALLWNDPROC, &TProStringGrid::FocusGlowHook, 0,
                                 GetCurrentThreadId());
  gGlowGrid = this;
  if (FFocusWindow == nullptr) {
    FFocusWindow = new TGridFocusWindow(this);
    FFocusWindow->SetParent(this);
  }
  QScopedValueRollback<bool> following(gFollowing, true);
  FFocusWindow->SetVisible(false);
  const int W = R.Width() + kGlowGrow, H = R.Height() + kGlowGrow;
  FFocusWindow->SetBounds(FFocusWindow->Left(), FFocusWindow->Top(), W, H);

  TBitmap mask;
  CreateRoundRectGlowMask(&mask, W, H, 3, 5, 4);
  TBitmap color(W, H);
  color.SetPixelFormat(pf24bit);
  color.Canvas()->Brush()->SetColor(kGlowColor);
  color.Canvas()->FillRect(TRect(0, 0, W, H));
  FGlowPicture = std::make_unique<TGridAlphaMask>();
  FGlowPicture->MergeMask(&mask, &color, clNone);
  FGlowPicture->SetOpacity(kGlowOpacity);

  const HWND wnd = FFocusWindow->Handle();
  SetWindowLong(wnd, GWL_EXSTYLE, GetWindowLong(wnd, GWL_EXSTYLE) | LONG(WS_EX_LAYERED));
  SetWindowPos(wnd, nullptr, 0, 0, W, H, SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  const TPoint src(0, 0);
  const TSize size(W, H);
  BLENDFUNCTION blend;
  blend.SourceConstantAlpha = FGlowPicture->Opacity();
  blend.AlphaFormat = AC_SRC_ALPHA;
  CallUpdateLayeredWindow(wnd, nullptr, nullptr, &size, FGlowPicture->Canvas()->Handle(), &src, 0,
                          &blend, ULW_ALPHA);
  // Only the ring around the cell shows.
  HRGN ring = CreateRectRgn(0, 0, W, H);
  HRGN cell = CreateRectRgn(kGlowInset, kGlowInset, kGlowInset + R.Width(), kGlowInset + R.Height());
  CombineRgn(ring, ring, cell, RGN_DIFF);
  DeleteObject(cell);
  SetWindowRgn(wnd, ring, true);

  const TPoint at = ClientToScreen(TPoint(R.Left, R.Top));
  FFocusWindow->SetBounds(at.X - kGlowInset, at.Y - kGlowInset, W, H);
  FFocusWindow->SetVisible(true);
}

void TProStringGrid::HideFocusGlow() {
  if (gGlowGrid == this) gGlowGrid = nullptr;
  if (FFocusWindow != nullptr) FFocusWindow->SetVisible(false);
}

void TProStringGrid::FollowFocusGlow() {
  if (FFocusWindow == nullptr || !HandleAllocated()) return;
  const TRect r = CellRect(Col(), Row());
  const TPoint at = ClientToScreen(TPoint(r.Left, r.Top));
  FFocusWindow->SetBounds(at.X - kGlowInset, at.Y - kGlowInset, r.Width() + kGlowGrow,
                          r.Height() + kGlowGrow);
}
