// The grid library's combo box (PsgCombo.h).
#include "controls/PsgCombo.h"

#include "platform/ui/WinApi.h"

TPsgCustomCombo::TPsgCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), FLabelFont(std::make_unique<TFont>()) {
  FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
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
