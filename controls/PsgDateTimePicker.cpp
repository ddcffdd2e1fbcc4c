// TPsgDateTimePicker: frame, drop button and the mouse state they follow.
#include "controls/PsgDateTimePicker.h"

#include <QScopeGuard>

#include "controls/ProXPVS.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/UxTheme.h"
#include "platform/ui/WinApi.h"

namespace {

// The frame colour of a disabled themed control.
constexpr TColor DisabledFrameColor = TColor(0xB99D7F);

TColor Either(TColor Preferred, TColor Fallback) { return Preferred != clNone ? Preferred : Fallback; }

}  // namespace

TPsgDateTimePicker::TPsgDateTimePicker(TComponent* AOwner) : TDateTimePicker(AOwner) {
  FIsThemed = VisualStyles().CommonControlsMajorVersion() > 5;
  FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
  int major = 0, minor = 0;
  VisualStyles().PlatformVersion(major, minor);
  FIsWinXP = major > 5 || (major == 5 && minor != 0);
  SetDoubleBuffered(true);
  SetParentCtl3D(false);
  SetCtl3D(true);
}

QString TPsgDateTimePicker::Version() const {
  const uint32_t v = static_cast<uint32_t>(GetVersionNr());
  return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

int TPsgDateTimePicker::GetVersionNr() const { return 0x01000000; }

void TPsgDateTimePicker::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  RepaintWithFrame();
}

void TPsgDateTimePicker::SetMetroStyle(bool Value) {
  if (FMetroStyle == Value) return;
  FMetroStyle = Value;
  RepaintWithFrame();
}

void TPsgDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  FBorderStyle = Value;
  RepaintWithFrame();
}

void TPsgDateTimePicker::RepaintWithFrame() {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
  else Invalidate();
}

bool TPsgDateTimePicker::MetroActive() const {
  return FMetroStyle && !ComponentState().contains(csDesigning);
}

TRect TPsgDateTimePicker::DropButtonRect() const {
  TRect r(ClientWidth() - FButtonWidth + 2, 0, ClientWidth(), ClientHeight());
  InflateRect(r, -1, -1);
  return r;
}

// ------------------------------------------------------------ painting

void TPsgDateTimePicker::WndProc(TMessage& Message) {
  TDateTimePicker::WndProc(Message);
  if (Message.Msg != WM_NCPAINT || !HandleAllocated()) return;
  DrawBorder();
  const bool disabledThemed = !Enabled() && FIsThemed && !FDisabledBorder;
  if (disabledThemed || (FFocusBorderColor != clNone && GetFocus() == Handle()) || FBorderColor != clNone)
    DrawFrame();
}

void TPsgDateTimePicker::WMPaint(TWMPaint& Message) {
  TDateTimePicker::WMPaint(Message);
  if (!HandleAllocated() || (!MetroActive() && Ctl3D())) return;
  if (!VisualStyles().HasLocaleInfoEx()) return;  // before Vista the system look stays
  // Up-down buttons are left to the picker: the drop button belongs to the calendar mode.
  if (MetroActive() && Kind() == dtkDate && DateMode() == dmComboBox) {
    HDC dc = GetDC(Handle());
    if (dc == nullptr) return;
    const auto release = qScopeGuard([&] { ReleaseDC(Handle(), dc); });
    if (VisualStyles().CommonControlsMajorVersion() >= 6) {
      const TRect cr = ClientRect();
      TRect clear = IsThemeActive() ? TRect(cr.Right - FButtonWidth - 15, 1, cr.Right, cr.Bottom)
                                    : TRect(cr.Right - FButtonWidth - 2, 4, cr.Right - 2, cr.Bottom - 4);
      ::FillRect(dc, clear, Brush()->Handle());
    }
    DrawButton(dc);
  }
  DrawFrame();
}

void TPsgDateTimePicker::DrawButton(HDC DC) {
  TRect b = DropButtonRect();
  if (FButtonColor != clNone) {
    const bool down = FButtonHover && (GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0);
    const TColor fill = down ? Either(FButtonColorDown, FButtonColor)
                             : FButtonHover ? Either(FButtonColorHot, FButtonColor) : FButtonColor;
    const TColor arrow = down ? Either(FButtonTextColorDown, Either(FButtonTextColor, clBtnText))
                              : Either(FButtonTextColor, clBtnText);
    TCanvas c;
    c.SetHandle(DC);
    c.Brush()->SetColor(fill);
    c.Pen()->SetColor(fill);
    c.Rectangle(b.Left + 2, b.Top, b.Right, b.Bottom);
    if (FButtonBorderColor != clNone) {
      c.Pen()->SetColor(FButtonBorderColor);
      c.MoveTo(b.Left, b.Top);
      c.LineTo(b.Left, b.Bottom);
    }
    c.Brush()->SetColor(arrow);
    c.Pen()->SetColor(arrow);
    c.Polygon({TPoint(b.Left + 5, b.Top + 7), TPoint(b.Left + 11, b.Top + 7), TPoint(b.Left + 8, b.Top + 10)});
    c.SetHandle(nullptr);
    return;
  }
  if (FIsThemed && IsThemeActive()) {
    int state = 1;
    if (!Enabled()) state = 4;
    else if (DroppedDown()) state = 3;
    else if (FButtonHover) state = 2;
    if (DrawThemedPart(Handle(), QStringLiteral("combobox"), DC, 1, state, b)) return;
  }
  b.Left -= 4;
  b.Top += 1;
  b.Bottom -= 1;
  DrawFrameControl(DC, b, DFC_SCROLL, Enabled() ? 0x4005 : 0x105);
}

void TPsgDateTimePicker::DrawFrame() {
  if (!MetroActive() || !HandleAllocated()) return;
  if (Enabled() && FBorderColor == clNone && FFocusBorderColor == clNone) return;
  HDC dc = GetWindowDC(Handle());
  if (dc == nullptr) return;
  const auto release = qScopeGuard([&] { ReleaseDC(Handle(), dc); });
  const TColor parentColor = FParent != nullptr ? FParent->Color() : clBtnFace;
  auto frame = [dc](const TRect& R, TColor Color) {
    HBRUSH br = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color)));
    ::FrameRect(dc, R, br);
    DeleteObject(br);
  };
  const bool hot = FMouseInControl || FHasFocus;
  TRect r(0, 0, Width(), Height());

  TColor c = clNone;
  bool fromFocus = false;
  if (!Enabled() && FIsThemed && !FDisabledBorder) {
    c = DisabledFrameColor;
  } else {
    c = FBorderColor;
    if (c == clNone || (FHasFocus && FFocusBorderColor != clNone)) {
      c = FFocusBorderColor;
      fromFocus = true;
    }
  }
  if (c == clNone) {
    if (FFocusBorder && !ComponentState().contains(csDesigning) && hot) {
      DrawEdge(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
      frame(r, clBtnFace);
      InflateRect(r, -1, -1);
      frame(r, Color());
    } else {
      frame(r, parentColor);
      InflateRect(r, -1, -1);
      frame(TRect(r.Left, r.Top, Width() - FButtonWidth - 1, r.Bottom), parentColor);
      InflateRect(r, -1, -1);
      frame(r, Color());
    }
  } else if (!fromFocus || FHasFocus) {
    frame(r, c);
  }

  if (FIsWinXP && FIsThemed) return;
  TRect b(ClientWidth() - FButtonWidth - 2, 0, Width(), Height());
  InflateRect(b, -2, -2);
  if (hot) DrawEdge(dc, b, EDGE_RAISED, BF_RECT | (DroppedDown() ? BF_FLAT : 0u));
  else ::FillRect(dc, b, GetSysColorBrush(COLOR_BTNFACE));
}

void TPsgDateTimePicker::DrawBorder() {
  if (Ctl3D() || FBorderColor == clNone) return;
  HDC dc = GetWindowDC(Handle());
  if (dc == nullptr) return;
  const auto release = qScopeGuard([&] { ReleaseDC(Handle(), dc); });
  const TColor parentColor = FParent != nullptr ? FParent->Color() : clBtnFace;
  const int w = Width(), h = Height();
  TCanvas c;
  c.SetHandle(dc);
  c.Pen()->SetColor(FBorderStyle == bsNone ? parentColor : FIsThemed ? DisabledFrameColor : FBorderColor);
  c.MoveTo(0, h);
  c.LineTo(0, 0);
  c.LineTo(w - 1, 0);
  c.LineTo(w - 1, h - 1);
  c.LineTo(0, h - 1);
  if ((FBorderStyle == bsNone || FBorderStyle == bsSingle) && FParent != nullptr) {
    c.Pen()->SetColor(parentColor);
    c.MoveTo(1, h - 2);
    c.LineTo(1, 1);
    c.LineTo(w - 1, 1);
  }
  c.SetHandle(nullptr);
}

// ------------------------------------------------------------ focus and mouse

void TPsgDateTimePicker::CMEnter(TMessageView& Message) {
  if (!ComponentState().contains(csDesigning)) {
    FHasFocus = true;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME);
  }
  TDateTimePicker::CMEnter(Message);
}

void TPsgDateTimePicker::CMExit(TMessageView& Message) {
  if (!ComponentState().contains(csDesigning)) {
    FHasFocus = false;
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME);
  }
  TDateTimePicker::CMExit(Message);
}

void TPsgDateTimePicker::CMMouseEnter(TCMMouseEnterLeave& Message) {
  TDateTimePicker::CMMouseEnter(Message);
  if (ComponentState().contains(csDesigning) || !HandleAllocated()) return;
  if (Enabled()) FMouseInControl = true;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME);
  if (FIsWinXP) Invalidate();
}

void TPsgDateTimePicker::CMMouseLeave(TCMMouseEnterLeave& Message) {
  TDateTimePicker::CMMouseLeave(Message);
  if (ComponentState().contains(csDesigning) || !HandleAllocated()) return;
  FMouseInControl = false;
  FButtonHover = false;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME);
  if (FIsWinXP) Invalidate();
}

void TPsgDateTimePicker::WMMouseMove(TWMMouse& Message) {
  TDateTimePicker::WMMouseMove(Message);
  const int x = Message.XPos();
  const bool hover = Width() - FButtonWidth < x && x < Width();
  if (hover == FButtonHover) return;
  FButtonHover = hover;
  Invalidate();
}

void TPsgDateTimePicker::WMLButtonUp(TWMMouse& Message) {
  TDateTimePicker::WMLButtonUp(Message);
  // The button leaves its pressed colours.
  if (MetroActive() && FButtonColor != clNone) Invalidate();
}

void TPsgDateTimePicker::CMCtl3DChanged(TMessageView& Message) {
  TDateTimePicker::CMCtl3DChanged(Message);
  RepaintWithFrame();
}
