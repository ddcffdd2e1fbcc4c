// TTrackBar: channel, thumb and ticks in the classic look; moved with the
// mouse and the keys, reported to the parent as WM_HSCROLL / WM_VSCROLL.
#include <algorithm>

#include "platform/widgets/ComCtrls.h"
#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

namespace {
constexpr UINT_PTR kPageTimer = 1;
constexpr int kThumbWidth = 11;
constexpr int kMargin = 8 + kThumbWidth / 2;
}  // namespace

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FView->setObjectName(QStringLiteral("TTrackBar"));
  SetTabStop(true);
  SetBounds(0, 0, 150, 45);
}

TTrackBar::~TTrackBar() = default;

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  if (!ComponentState().contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TTrackBar::SetMin(int Value) {
  FMin = Value;
  if (FMax < FMin) FMax = FMin;
  FPosition = std::clamp(FPosition, FMin, FMax);
  Invalidate();
}

void TTrackBar::SetMax(int Value) {
  FMax = Value;
  if (FMin > FMax) FMin = FMax;
  FPosition = std::clamp(FPosition, FMin, FMax);
  Invalidate();
}

void TTrackBar::SetPosition(int Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition) return;
  FPosition = Value;
  Invalidate();
}

void TTrackBar::SetFrequency(int Value) {
  FFrequency = std::max(1, Value);
  Invalidate();
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
  FTickStyle = Value;
  Invalidate();
}

void TTrackBar::SetTickMarks(TTickMark Value) {
  FTickMarks = Value;
  Invalidate();
}

void TTrackBar::SetSelStart(int Value) {
  FSelStart = Value;
  Invalidate();
}

void TTrackBar::SetSelEnd(int Value) {
  FSelEnd = Value;
  Invalidate();
}

void TTrackBar::SetThumbLength(int Value) {
  FThumbLength = std::max(4, Value);
  Invalidate();
}

void TTrackBar::SetSliderVisible(bool Value) {
  FSliderVisible = Value;
  Invalidate();
}

void TTrackBar::SetShowSelRange(bool Value) {
  FShowSelRange = Value;
  Invalidate();
}

void TTrackBar::SetTick(int Value) {
  FTicks.push_back(Value);
  Invalidate();
}

void TTrackBar::ClearTicks() {
  FTicks.clear();
  Invalidate();
}

void TTrackBar::Changed() {
  TControl::Changed();
  if (OnChange) OnChange(this);
}

int TTrackBar::Coord(int Pos) const {
  const bool horz = FOrientation == trHorizontal;
  const int len = (horz ? ClientWidth() : ClientHeight()) - 2 * kMargin;
  const int range = std::max(1, FMax - FMin);
  return kMargin + static_cast<int>(static_cast<int64_t>(std::max(0, len)) * (Pos - FMin) / range);
}

int TTrackBar::PosFromPoint(const TPoint& P) const {
  const bool horz = FOrientation == trHorizontal;
  const int len = std::max(1, (horz ? ClientWidth() : ClientHeight()) - 2 * kMargin);
  const int at = (horz ? P.X : P.Y) - kMargin;
  const int range = FMax - FMin;
  const int v = FMin + static_cast<int>((static_cast<int64_t>(std::clamp(at, 0, len)) * range + len / 2) / len);
  return std::clamp(v, FMin, FMax);
}

TRect TTrackBar::ThumbRect() const {
  const int c = Coord(FPosition);
  const int top = FTickMarks == tmBoth || FTickMarks == tmTopLeft ? 8 : 4;
  if (FOrientation == trHorizontal) return TRect(c - kThumbWidth / 2, top, c - kThumbWidth / 2 + kThumbWidth, top + FThumbLength);
  return TRect(top, c - kThumbWidth / 2, top + FThumbLength, c - kThumbWidth / 2 + kThumbWidth);
}

TRect TTrackBar::ChannelRect() const {
  const TRect t = ThumbRect();
  const bool horz = FOrientation == trHorizontal;
  const int mid = horz ? (t.Top + t.Bottom) / 2 : (t.Left + t.Right) / 2;
  const int a = kMargin - kThumbWidth / 2;
  const int b = (horz ? ClientWidth() : ClientHeight()) - kMargin + kThumbWidth / 2 + 1;
  if (horz) return TRect(a, mid - 2, b, mid + 2);
  return TRect(mid - 2, a, mid + 2, b);
}

void TTrackBar::Notify(WORD Code) {
  const UINT msg = FOrientation == trHorizontal ? WM_HSCROLL : WM_VSCROLL;
  const WPARAM w = MAKEWPARAM(Code, FPosition & 0xFFFF);
  if (FParent != nullptr && HandleAllocated()) FParent->Perform(msg, w, reinterpret_cast<LPARAM>(View()));
  else Perform(CN_BASE + msg, w, reinterpret_cast<LPARAM>(View()));
}

void TTrackBar::UserMove(int NewPos, WORD Code) {
  NewPos = std::clamp(NewPos, FMin, FMax);
  if (NewPos != FPosition) {
    FPosition = NewPos;
    Invalidate();
  }
  Notify(Code);
}

void TTrackBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
    Changed();
    Message.Result = 0;
    return;
  }
  TWinControl::Dispatch(Message);
}

void TTrackBar::WMGetDlgCode(TMessageView& Message) { Message.Result = DLGC_WANTARROWS; }

void TTrackBar::PaintTrack(HDC DC) {
  const bool horz = FOrientation == trHorizontal;
  TRect ch = ChannelRect();
  DrawEdge(DC, ch, EDGE_SUNKEN, BF_RECT);
  if (FShowSelRange && FSelEnd > FSelStart) {
    TRect sel = ch;
    InflateRect(sel, -2, -2);
    if (horz) {
      sel.Left = Coord(std::max(FSelStart, FMin));
      sel.Right = Coord(std::min(FSelEnd, FMax));
    } else {
      sel.Top = Coord(std::max(FSelStart, FMin));
      sel.Bottom = Coord(std::min(FSelEnd, FMax));
    }
    FillColor(DC, sel, clHighlight);
  }
  // Ticks.
  if (FTickStyle != tsNone) {
    std::vector<int> at;
    if (FTickStyle == tsAuto) {
      for (int v = FMin; v <= FMax; v += FFrequency) at.push_back(v);
      if (at.empty() || at.back() != FMax) at.push_back(FMax);
    } else {
      at = FTicks;
      at.push_back(FMin);
      at.push_back(FMax);
    }
    const TRect t = ThumbRect();
    HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(clBtnText)));
    HGDIOBJ old = SelectObject(DC, pen);
    for (int v : at) {
      if (v < FMin || v > FMax) continue;
      const int c = Coord(v);
      const int len = (v == FMin || v == FMax) ? 4 : 3;
      if (FTickMarks != tmTopLeft) {
        if (horz) {
          MoveToEx(DC, c, t.Bottom + 2, nullptr);
          LineTo(DC, c, t.Bottom + 2 + len);
        } else {
          MoveToEx(DC, t.Right + 2, c, nullptr);
          LineTo(DC, t.Right + 2 + len, c);
        }
      }
      if (FTickMarks != tmBottomRight) {
        if (horz) {
          MoveToEx(DC, c, t.Top - 2 - len, nullptr);
          LineTo(DC, c, t.Top - 2);
        } else {
          MoveToEx(DC, t.Left - 2 - len, c, nullptr);
          LineTo(DC, t.Left - 2, c);
        }
      }
    }
    SelectObject(DC, old);
    DeleteObject(pen);
  }
  if (FSliderVisible) {
    TRect t = ThumbRect();
    DrawFrameControl(DC, t, DFC_BUTTON, DFCS_BUTTONPUSH | (FDragging ? DFCS_PUSHED : 0u) | (Enabled() ? 0u : DFCS_INACTIVE));
  }
  if (Focused()) {
    TRect f = ClientRect();
    SetTextColor(DC, 0);
    SetBkColor(DC, 0xFFFFFF);
    ::DrawFocusRect(DC, f);
  }
}

void TTrackBar::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (Message.WParam != 0) PaintTrack(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_LBUTTONDOWN: {
      if (!Focused() && CanFocus()) SetFocus();
      const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      const TRect t = ThumbRect();
      if (FSliderVisible && PtInRect(t, p)) {
        FDragging = true;
        FDragOffset = (FOrientation == trHorizontal ? p.X - (t.Left + t.Right) / 2 : p.Y - (t.Top + t.Bottom) / 2);
        Invalidate();
        return;
      }
      const int c = Coord(FPosition);
      const int at = FOrientation == trHorizontal ? p.X : p.Y;
      FPageDir = at < c ? -1 : 1;
      UserMove(FPosition + FPageDir * FPageSize, FPageDir < 0 ? TB_PAGEUP : TB_PAGEDOWN);
      if (HandleAllocated()) SetTimer(View(), kPageTimer, 400);
      return;
    }
    case WM_MOUSEMOVE:
      if (FDragging) {
        TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        if (FOrientation == trHorizontal) p.X -= FDragOffset;
        else p.Y -= FDragOffset;
        const int v = PosFromPoint(p);
        if (v != FPosition) UserMove(v, TB_THUMBTRACK);
      }
      break;
    case WM_TIMER:
      if (Message.WParam == kPageTimer) {
        if (FPageDir == 0) {
          KillTimer(View(), kPageTimer);
          return;
        }
        SetTimer(View(), kPageTimer, 100);
        TPoint p;
        GetCursorPos(&p);
        p = ScreenToClient(p);
        const int at = FOrientation == trHorizontal ? p.X : p.Y;
        const int c = Coord(FPosition);
        if ((FPageDir < 0 && at < c - kThumbWidth / 2) || (FPageDir > 0 && at > c + kThumbWidth / 2))
          UserMove(FPosition + FPageDir * FPageSize, FPageDir < 0 ? TB_PAGEUP : TB_PAGEDOWN);
        return;
      }
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (FDragging) {
        FDragging = false;
        Invalidate();
        Notify(TB_THUMBPOSITION);
        Notify(TB_ENDTRACK);
      } else if (FPageDir != 0) {
        FPageDir = 0;
        if (HandleAllocated()) KillTimer(View(), kPageTimer);
        Notify(TB_ENDTRACK);
      }
      break;
    case WM_KEYDOWN: {
      int v = FPosition;
      WORD code = 0xFFFF;
      switch (Message.WParam) {
        case VK_LEFT:
        case VK_UP: v -= FLineSize; code = TB_LINEUP; break;
        case VK_RIGHT:
        case VK_DOWN: v += FLineSize; code = TB_LINEDOWN; break;
        case VK_PRIOR: v -= FPageSize; code = TB_PAGEUP; break;
        case VK_NEXT: v += FPageSize; code = TB_PAGEDOWN; break;
        case VK_HOME: v = FMin; code = TB_TOP; break;
        case VK_END: v = FMax; code = TB_BOTTOM; break;
        default: break;
      }
      if (code != 0xFFFF) {
        UserMove(v, code);
        return;
      }
      break;
    }
    case WM_KEYUP:
      switch (Message.WParam) {
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END: Notify(TB_ENDTRACK); return;
        default: break;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    case TBM_GETPOS: Message.Result = FPosition; return;
    case TBM_SETPOS: SetPosition(static_cast<int>(Message.LParam)); return;
    default:
      break;
  }
  TWinControl::DefaultHandler(Message);
}
