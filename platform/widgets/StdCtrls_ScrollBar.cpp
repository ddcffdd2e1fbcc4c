// TScrollBar: the scroll bar control (arrows, track and thumb drawn in the
// classic look; its use reported to the parent as WM_HSCROLL / WM_VSCROLL).
#include <algorithm>

#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
bool RectEmpty(const TRect& R) { return R.Width() <= 0 || R.Height() <= 0; }
}

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csFramed, csDoubleClicks, csOpaque};
  FView->setObjectName(QStringLiteral("TScrollBar"));
  SetTabStop(true);
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

TScrollBar::~TScrollBar() = default;

void TScrollBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  if (!ComponentState().contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TScrollBar::SetPageSize(int Value) {
  if (FPageSize == Value) return;
  if (Value < 0 || Value > FMax - FMin + 1)
    throw EInvalidOperation(QStringLiteral("Scroll bar property out of range"));
  FPageSize = Value;
  Invalidate();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin || AMax < FPageSize) throw EInvalidOperation(QStringLiteral("Scroll bar property out of range"));
  APosition = std::clamp(APosition, AMin, AMax);
  if (FMin != AMin || FMax != AMax) {
    FMin = AMin;
    FMax = AMax;
    Invalidate();
  }
  if (FPosition != APosition) {
    FPosition = APosition;
    Invalidate();
    Change();
  }
}

void TScrollBar::Change() {
  TControl::Changed();
  if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
  if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
    TWMScroll m(Message);
    DoScroll(m);
    return;
  }
  TWinControl::Dispatch(Message);
}

void TScrollBar::CNHScroll(TWMScroll& Message) { DoScroll(Message); }
void TScrollBar::CNVScroll(TWMScroll& Message) { DoScroll(Message); }

void TScrollBar::DoScroll(TWMScroll& Message) {
  int pos = FPosition;
  const int code = Message.ScrollCode();
  switch (code) {
    case SB_LINEUP: pos -= FSmallChange; break;
    case SB_LINEDOWN: pos += FSmallChange; break;
    case SB_PAGEUP: pos -= FLargeChange; break;
    case SB_PAGEDOWN: pos += FLargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = FTrackPos; break;
    case SB_TOP: pos = FMin; break;
    case SB_BOTTOM: pos = FMax; break;
    default: break;
  }
  pos = std::clamp(pos, FMin, FMax);
  int scrollPos = pos;
  TControlGuard self(this);
  Scroll(static_cast<TScrollCode>(std::clamp(code, 0, 8)), scrollPos);
  if (self.Alive()) SetPosition(scrollPos);
}

int TScrollBar::MaxPos() const {
  if (FPageSize > 0) return std::max(FMin, FMax - FPageSize + 1);
  return FMax;
}

void TScrollBar::PartRects(TRect& First, TRect& Before, TRect& Thumb, TRect& After, TRect& Second) const {
  const TRect cr = ClientRect();
  const bool vert = FKind == sbVertical;
  const int len = vert ? cr.Height() : cr.Width();
  const int thick = vert ? cr.Width() : cr.Height();
  int arrow = thick;
  if (2 * arrow > len) arrow = len / 2;
  const int track = std::max(0, len - 2 * arrow);
  const int range = FMax - FMin;
  int thumb = 0;
  int thumbPos = 0;
  if (range > 0 && Enabled() && track > 0) {
    if (FPageSize > 0) thumb = std::max(8, static_cast<int>(static_cast<int64_t>(track) * FPageSize / (range + 1)));
    else thumb = std::min(thick, track);
    thumb = std::min(thumb, track);
    const int span = std::max(1, MaxPos() - FMin);
    const int p = std::clamp(FPressedPart == 3 ? FTrackPos : FPosition, FMin, MaxPos());
    thumbPos = static_cast<int>(static_cast<int64_t>(track - thumb) * (p - FMin) / span);
  }
  auto seg = [&](int a, int b) { return vert ? TRect(0, a, thick, b) : TRect(a, 0, b, thick); };
  First = seg(0, arrow);
  Second = seg(len - arrow, len);
  if (thumb > 0) {
    Before = seg(arrow, arrow + thumbPos);
    Thumb = seg(arrow + thumbPos, arrow + thumbPos + thumb);
    After = seg(arrow + thumbPos + thumb, len - arrow);
  } else {
    Before = seg(arrow, len - arrow);
    Thumb = TRect();
    After = TRect();
  }
}

int TScrollBar::HitPart(const TPoint& P) const {
  TRect a, b, t, c, d;
  PartRects(a, b, t, c, d);
  if (PtInRect(a, P)) return 1;
  if (PtInRect(d, P)) return 5;
  if (!RectEmpty(t)) {
    if (PtInRect(t, P)) return 3;
    if (PtInRect(b, P)) return 2;
    if (PtInRect(c, P)) return 4;
  }
  return 0;
}

void TScrollBar::SendScroll(int Code, int Pos) {
  const UINT msg = FKind == sbVertical ? WM_VSCROLL : WM_HSCROLL;
  const WPARAM w = MAKEWPARAM(Code, Pos & 0xFFFF);
  if (FParent != nullptr && HandleAllocated()) {
    FParent->Perform(msg, w, reinterpret_cast<LPARAM>(View()));
  } else {
    Perform(FKind == sbVertical ? CN_VSCROLL : CN_HSCROLL, w, reinterpret_cast<LPARAM>(View()));
  }
}

void TScrollBar::PaintBar(HDC DC) {
  TRect first, before, thumb, after, second;
  PartRects(first, before, thumb, after, second);
  const bool vert = FKind == sbVertical;
  const bool active = Enabled() && FMax > FMin;
  UINT s1 = vert ? DFCS_SCROLLUP : DFCS_SCROLLLEFT;
  UINT s2 = vert ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT;
  if (!active) {
    s1 |= DFCS_INACTIVE;
    s2 |= DFCS_INACTIVE;
  }
  if (FPressedPart == 1 && FPressedIn) s1 |= DFCS_PUSHED;
  if (FPressedPart == 5 && FPressedIn) s2 |= DFCS_PUSHED;
  FillColor(DC, before, (FPressedPart == 2 && FPressedIn) ? cl3DDkShadow : clScrollBar);
  if (!RectEmpty(after)) FillColor(DC, after, (FPressedPart == 4 && FPressedIn) ? cl3DDkShadow : clScrollBar);
  if (!RectEmpty(thumb)) DrawFrameControl(DC, thumb, DFC_BUTTON, DFCS_BUTTONPUSH);
  DrawFrameControl(DC, first, DFC_SCROLL, s1);
  DrawFrameControl(DC, second, DFC_SCROLL, s2);
}

void TScrollBar::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (Message.WParam != 0) PaintBar(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!Enabled() || FMax <= FMin) return;
      const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      FPressedPart = HitPart(p);
      FPressedIn = true;
      if (FPressedPart == 0) return;
      SetMouseCapture(true);
      if (TabStop() && CanFocus() && !Focused()) SetFocus();
      if (FPressedPart == 3) {
        TRect a, b, t, c, d;
        PartRects(a, b, t, c, d);
        FDragOffset = FKind == sbVertical ? p.Y - t.Top : p.X - t.Left;
        FTrackPos = FPosition;
        Invalidate();
        return;
      }
      static const int codes[] = {0, SB_LINEUP, SB_PAGEUP, 0, SB_PAGEDOWN, SB_LINEDOWN};
      SendScroll(codes[FPressedPart], 0);
      if (HandleAllocated()) SetTimer(View(), kRepeatTimer, 400);
      Invalidate();
      return;
    }
    case WM_MOUSEMOVE: {
      if (FPressedPart == 0) break;
      const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      if (FPressedPart == 3) {
        TRect a, b, t, c, d;
        PartRects(a, b, t, c, d);
        const bool vert = FKind == sbVertical;
        const int track = (vert ? d.Top - a.Bottom : d.Left - a.Right) - (vert ? t.Height() : t.Width());
        const int at = (vert ? p.Y : p.X) - FDragOffset - (vert ? a.Bottom : a.Right);
        int pos = FMin;
        if (track > 0)
          pos = FMin + static_cast<int>((static_cast<int64_t>(std::clamp(at, 0, track)) * (MaxPos() - FMin) + track / 2) /
                                        track);
        if (pos != FTrackPos) {
          FTrackPos = pos;
          Invalidate();
          SendScroll(SB_THUMBTRACK, pos);
        }
        return;
      }
      const bool in = HitPart(p) == FPressedPart;
      if (in != FPressedIn) {
        FPressedIn = in;
        Invalidate();
      }
      return;
    }
    case WM_TIMER:
      if (Message.WParam == kRepeatTimer) {
        if (FPressedPart == 0 || FPressedPart == 3) {
          KillTimer(View(), kRepeatTimer);
          return;
        }
        SetTimer(View(), kRepeatTimer, 50);
        if (FPressedIn) {
          static const int codes[] = {0, SB_LINEUP, SB_PAGEUP, 0, SB_PAGEDOWN, SB_LINEDOWN};
          TPoint p;
          GetCursorPos(&p);
          // The page parts stop once the thumb has reached the pointer.
          if (FPressedPart == 2 || FPressedPart == 4) {
            if (HitPart(ScreenToClient(p)) != FPressedPart) return;
          }
          SendScroll(codes[FPressedPart], 0);
        }
        return;
      }
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE: {
      if (FPressedPart == 0) break;
      const int part = FPressedPart;
      FPressedPart = 0;
      if (HandleAllocated()) KillTimer(View(), kRepeatTimer);
      if (MouseCapture()) SetMouseCapture(false);
      Invalidate();
      if (part == 3) SendScroll(SB_THUMBPOSITION, FTrackPos);
      SendScroll(SB_ENDSCROLL, 0);
      return;
    }
    case WM_KEYDOWN: {
      int code = -1;
      const bool vert = FKind == sbVertical;
      switch (Message.WParam) {
        case VK_UP: if (vert) code = SB_LINEUP; break;
        case VK_LEFT: if (!vert) code = SB_LINEUP; break;
        case VK_DOWN: if (vert) code = SB_LINEDOWN; break;
        case VK_RIGHT: if (!vert) code = SB_LINEDOWN; break;
        case VK_PRIOR: code = SB_PAGEUP; break;
        case VK_NEXT: code = SB_PAGEDOWN; break;
        case VK_HOME: code = SB_TOP; break;
        case VK_END: code = SB_BOTTOM; break;
        default: break;
      }
      if (code >= 0) {
        SendScroll(code, 0);
        SendScroll(SB_ENDSCROLL, 0);
        return;
      }
      break;
    }
    case SBM_GETPOS: Message.Result = FPosition; return;
    case SBM_SETPOS: SetPosition(static_cast<int>(Message.WParam)); return;
    case SBM_GETRANGE:
      if (Message.WParam != 0) *reinterpret_cast<int*>(Message.WParam) = FMin;
      if (Message.LParam != 0) *reinterpret_cast<int*>(Message.LParam) = FMax;
      return;
    case SBM_SETRANGE: SetParams(FPosition, static_cast<int>(Message.WParam), static_cast<int>(Message.LParam)); return;
    case SBM_GETSCROLLINFO:
      if (Message.LParam != 0) {
        auto* si = reinterpret_cast<SCROLLINFO*>(Message.LParam);
        si->nMin = FMin;
        si->nMax = FMax;
        si->nPage = static_cast<UINT>(FPageSize);
        si->nPos = FPosition;
        si->nTrackPos = FTrackPos;
      }
      Message.Result = 1;
      return;
    default:
      break;
  }
  TWinControl::DefaultHandler(Message);
}
