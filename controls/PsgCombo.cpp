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
    if (FFocusLabel && FLabel != nullptr) FLabel->Font()->SetStyle(FLabel->Font()->Style() + TFontStyles{fsBold});
    Invalidate();
  }
  TCustomComboBox::CMEnter(Message);
}

void TPsgCustomCombo::CMExit(TMessageView& Message) {
  FHasFocus = false;
  if (FFocusColor != clNone && FNormalColor != clNone) TCustomComboBox::SetColor(FNormalColor);
  if (FFocusLabel && FLabel != nullptr) FLabel->Font()->SetStyle(FLabel->Font()->Style() - TFontStyles{fsBold});
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

// ------------------------------------------------------------------ the label

QString TPsgCustomCombo::LabelCaption() const { return FLabel != nullptr ? FLabel->Caption() : QString(); }

void TPsgCustomCombo::SetLabelCaption(const QString& Value) {
  if (FLabel == nullptr) {
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->Font()->Assign(FLabelFont.get());
  }
  FLabel->SetCaption(Value);
  PlaceLabel();
}

void TPsgCustomCombo::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  PlaceLabel();
}

void TPsgCustomCombo::SetLabelMargin(int Value) {
  FLabelMargin = Value;
  PlaceLabel();
}

void TPsgCustomCombo::SetLabelTransparent(bool Value) {
  FLabelTransparent = Value;
  if (FLabel != nullptr) FLabel->SetTransparent(Value);
  PlaceLabel();
}

void TPsgCustomCombo::SetLabelAlwaysEnabled(bool Value) {
  FLabelAlwaysEnabled = Value;
  if (FLabel != nullptr) FLabel->SetEnabled(Value || Enabled());
  PlaceLabel();
}

void TPsgCustomCombo::SetLabelFont(TFont* Value) {
  FLabelFont->Assign(Value);
  if (FLabel != nullptr) FLabel->Font()->Assign(Value);
  PlaceLabel();
}

void TPsgCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!ComponentState().contains(csDestroying)) PlaceLabel();
}

void TPsgCustomCombo::SetEnabled(bool Value) {
  const bool changed = Value != Enabled();
  TCustomComboBox::SetEnabled(Value);
  if (changed && FLabel != nullptr && !ComponentState().contains(csLoading) &&
      !ComponentState().contains(csDesigning)) {
    FLabel->SetEnabled(Value || FLabelAlwaysEnabled);
    PlaceLabel();
  }
}

void TPsgCustomCombo::SetVisible(bool Value) {
  TCustomComboBox::SetVisible(Value);
  if (FLabel != nullptr) FLabel->SetVisible(Value);
}

void TPsgCustomCombo::PlaceLabel() {
  if (FLabel == nullptr) return;
  if (FLabel->Parent() != Parent()) FLabel->SetParent(Parent());
  FLabel->Canvas()->SetFont(FLabel->Font());
  const int w = FLabel->Canvas()->TextWidth(FLabel->Caption());
  const int lh = FLabel->Height(), lw = FLabel->Width();
  const int L = Left(), T = Top(), W = Width(), H = Height(), m = FLabelMargin;
  const int midY = T + (H - lh) / 2;
  const int midX = L + (W - lw) / 2;
  int top = T, left = L - w - m;
  switch (FLabelPosition) {
    case lpLeftTop: top = T; left = L - w - m; break;
    case lpLeftCenter: top = midY; left = L - w - m; break;
    case lpLeftBottom: top = T + H - lh; left = L - w - m; break;
    case lpTopLeft: top = T - lh - m; left = L; break;
    case lpBottomLeft: top = T + H + m; left = L; break;
    case lpLeftTopLeft: top = T; left = L - m; break;
    case lpLeftCenterLeft: top = midY; left = L - m; break;
    case lpLeftBottomLeft: top = T + H - lh; left = L - m; break;
    case lpTopCenter: top = T - lh - m; left = midX; break;
    case lpBottomCenter: top = T + H + m; left = midX; break;
    case lpRightTop: top = T; left = L + W + m; break;
    case lpRightCenter: top = midY; left = L + W + m; break;
    case lpRighBottom: top = T + H - lh; left = L + W + m; break;
  }
  FLabel->SetBounds(left, top, lw, lh);
  FLabel->SetVisible(Visible());
}
