// The grid library's combo box (PsgCombo.h).
#include "controls/PsgCombo.h"

#include "platform/gdi/WinGdi.h"
#include "platform/ui/UxTheme.h"
#include "platform/ui/WinApi.h"

TPsgCustomCombo::TPsgCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), FLabelFont(std::make_unique<TFont>()) {
  FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
  FIsThemed = VisualStyles().CommonControlsMajorVersion() > 5;
  // A combo made at run time is never loaded: it restores the colour it was
  // made with after the focus leaves, not the focus colour.
  FNormalColor = Color();
}

TPsgCustomCombo::~TPsgCustomCombo() = default;

void TPsgCustomCombo::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  if (HandleAllocated()) Invalidate();
}

void TPsgCustomCombo::SetButtonWidth(int Value) {
  if (Value < 14 || Value > 32) return;
  FButtonWidth = Value;
  Invalidate();
}

void TPsgCustomCombo::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  if (FFlat && FFlatParentColor && Parent() != nullptr)
    SetColor(Parent()->Color());
  else
    SetColor(FLoadedColor);
  Invalidate();
}

void TPsgCustomCombo::SetDropWidth(int Value) {
  FDropWidth = Value;
  if (Value > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

void TPsgCustomCombo::SetColor(TColor Value) {
  if (ComponentState().contains(csLoading)) FLoadedColor = Value;
  if (!FHasFocus) FNormalColor = Value;
  TCustomComboBox::SetColor(Value);
}

void TPsgCustomCombo::SelectItem(const QString& AString) {
  const int i = Items()->IndexOf(AString);
  if (i != -1) SetItemIndex(i);
}

void TPsgCustomCombo::Init() { FNormalColor = Color(); }

void TPsgCustomCombo::Loaded() {
  TCustomComboBox::Loaded();
  if (FDropWidth > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(FDropWidth), 0);
  FOldColor = FLoadedColor;
  if (!(FFlatParentColor && !FFlat)) TCustomComboBox::SetColor(FLoadedColor);
  Init();
}

void TPsgCustomCombo::CloseUp() {
  TCustomComboBox::CloseUp();
  Invalidate();
  if (OnDropUp) OnDropUp(this);
}

void TPsgCustomCombo::CMEnter(TMessageView& Message) {
  if (!ComponentState().contains(csDesigning)) {
    FHasFocus = true;
    if (FFocusColor != clNone) TCustomComboBox::SetColor(FFocusColor);
    Invalidate();
  }
  TCustomComboBox::CMEnter(Message);
}

void TPsgCustomCombo::CMExit(TMessageView& Message) {
  FHasFocus = false;
  if (FFocusColor != clNone && FNormalColor != clNone) TCustomComboBox::SetColor(FNormalColor);
  Invalidate();
  TCustomComboBox::CMExit(Message);
}

void TPsgCustomCombo::CMMouseEnter(TCMMouseEnterLeave& Message) {
  TCustomComboBox::CMMouseEnter(Message);
  if (Enabled()) FMouseInControl = true;
  if (FAutoFocus && !ComponentState().contains(csDesigning) && CanFocus()) SetFocus();
  if (FIsWinXP) Invalidate();
}

void TPsgCustomCombo::CMMouseLeave(TCMMouseEnterLeave& Message) {
  TCustomComboBox::CMMouseLeave(Message);
  FMouseInControl = false;
  FButtonHover = false;
  if (FIsWinXP) Invalidate();
}

void TPsgCustomCombo::CMEnabledChanged(TMessageView& Message) {
  // A flat combo shows its parent's colour while disabled.
  if (FFlat && !ComponentState().contains(csLoading)) {
    if (!Enabled()) {
      FOldParentColor = ParentColor();
      FOldColor = Color();
      SetParentColor(true);
    } else {
      SetParentColor(FOldParentColor);
      TCustomComboBox::SetColor(FOldColor);
    }
  }
  TCustomComboBox::CMEnabledChanged(Message);
}

// ------------------------------------------------------------------ the frame

void TPsgCustomCombo::WMPaint(TWMPaint& Message) {
  TCustomComboBox::WMPaint(Message);
  DrawFrame();
}

void TPsgCustomCombo::WMNCPaint(TMessageView& Message) {
  TCustomComboBox::WMNCPaint(Message);
  DrawFrame();
}

namespace {

void FillWith(HDC DC, const TRect& R, TColor Color) {
  HBRUSH b = CreateSolidBrush(ColorToRGB(Color));
  FillRect(DC, R, b);
  DeleteObject(b);
}

}  // namespace

void TPsgCustomCombo::DrawFrame() {
  if (!HandleAllocated()) return;
  const bool disabledThemed = !Enabled() && FIsThemed && !FDisabledBorder;
  const bool buttonColoured = ButtonColor != clNone;
  if (FIsVista && !buttonColoured && FBorderColor == clNone) return;
  if (!FFlat && !buttonColoured && FBorderColor == clNone &&
      !(FHasFocus && FFocusBorderColor != clNone) && !disabledThemed)
    return;
  HDC dc = GetWindowDC(Handle());
  const int w = Width(), h = Height();
  const int edge = (w - ClientWidth()) / 2;
  if (buttonColoured && Style() != csSimple) {
    // The drop button in the button colours, with its arrow.
    TRect r(edge + ClientWidth() - FButtonWidth + 2, 0, w, h);
    InflateRect(r, -1, -1);
    InflateRect(r, -1, -1);
    const TColor fill = FButtonDown ? ButtonColorDown : FButtonHover ? ButtonColorHot : ButtonColor;
    FillWith(dc, r, fill != clNone ? fill : ButtonColor);
    if (ButtonBorderColor != clNone) FillWith(dc, TRect(r.Left, r.Top, r.Left + 1, r.Bottom), ButtonBorderColor);
    const TColor arrow = FButtonDown && ButtonTextColorDown != clNone ? ButtonTextColorDown : ButtonTextColor;
    if (arrow != clNone) {
      // A filled triangle three pixels high.
      for (int y = 0; y < 3; ++y)
        FillWith(dc, TRect(r.Left + 4 + y, r.Top + 7 + y, r.Left + 11 - y, r.Top + 8 + y), arrow);
    }
  }
  TColor c;
  bool fromFocus = false;
  if (disabledThemed) {
    c = TColor(0xB99D7F);
  } else {
    c = FBorderColor;
    if (c == clNone || (FHasFocus && FFocusBorderColor != clNone)) {
      c = FFocusBorderColor;
      fromFocus = true;
    }
  }
  if (c != clNone && !(fromFocus && !FHasFocus)) {
    HBRUSH b = CreateSolidBrush(ColorToRGB(c));
    FrameRect(dc, TRect(0, 0, w, h), b);
    DeleteObject(b);
  }
  if (FFlat && FFlatLineColor != clNone) FillWith(dc, TRect(0, h - 1, w - FButtonWidth - 3, h), FFlatLineColor);
  ReleaseDC(Handle(), dc);
}

void TPsgCustomCombo::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FButtonDown = X > Width() - FButtonWidth;
  TCustomComboBox::MouseDown(Button, Shift, X, Y);
}

void TPsgCustomCombo::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FButtonDown = false;
  TCustomComboBox::MouseUp(Button, Shift, X, Y);
  Invalidate();
}

void TPsgCustomCombo::MouseMove(TShiftState Shift, int X, int Y) {
  const bool hover = Width() - FButtonWidth < X && X < Width();
  if (hover != FButtonHover) {
    FButtonHover = hover;
    Invalidate();
  }
  TCustomComboBox::MouseMove(Shift, X, Y);
}
