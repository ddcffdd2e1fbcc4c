// Spin edits: the repeating speed button, the button pair and the spin edit.
#include "controls/psgspin.h"

#include <QScopeGuard>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/gdi/WinGdi.h"
#include "platform/ui/UxTheme.h"
#include "platform/ui/WinApi.h"

// Registers the arrow pictures (outside any namespace, as the resource
// initialiser is declared there).
static void InitSpinResources() { Q_INIT_RESOURCE(psgspin); }

namespace {

void LoadSpinGlyph(TBitmap* Bitmap, const QString& Name) {
  static const bool registered = (InitSpinResources(), true);
  (void)registered;
  Bitmap->LoadFromResourceName(HInstance, Name);
}

bool IsNumberChar(QChar C) { return C >= u'0' && C <= u'9'; }

}  // namespace

int EditTextHeight(TFont* Font) {
  HDC dc = CreateCompatibleDC(nullptr);
  const auto release = qScopeGuard([dc] { DeleteDC(dc); });
  TEXTMETRIC sys{}, metrics{};
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  GetTextMetrics(dc, &sys);
  SelectObject(dc, Font->Handle());
  GetTextMetrics(dc, &metrics);
  const int f = metrics.tmHeight;
  return f + std::min(f, static_cast<int>(sys.tmHeight)) / 4;
}

int PosAfter(const QString& Sub, const QString& Text, int Offset) {
  if (Sub.isEmpty() || Offset < 0 || Offset > Text.size()) return 0;
  return static_cast<int>(Text.indexOf(Sub, Offset)) + 1;
}

TDateTime AddYearsToDate(int Years, TDateTime Date) {
  Word y = 0, m = 0, d = 0;
  DecodeDate(Date, y, m, d);
  const int year = y + Years;
  if (year < 1 || year > 9999) throw EConvertError(QStringLiteral("Invalid argument to date encode"));
  // 29 February goes to 28 February in a year without it, as a month step does.
  if (m == 2 && d == 29 && !IsLeapYear(static_cast<Word>(year))) d = 28;
  const double time = std::fabs(Date - std::trunc(Date));
  const TDateTime day = EncodeDate(static_cast<Word>(year), m, d);
  return day >= 0 ? day + time : day - time;
}

// ============================================================ TPsgButtonHost

TPsgButtonHost::TPsgButtonHost(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle.Exclude(csAcceptsControls);
  FControlStyle.Exclude(csSetCaption);
  FControlStyle.Include(csOpaque);
}

void TPsgButtonHost::AdjustButtonBounds(int&, int&) {}

void TPsgButtonHost::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  int w = AWidth, h = AHeight;
  AdjustButtonBounds(w, h);
  TWinControl::SetBounds(ALeft, ATop, w, h);
}

void TPsgButtonHost::ReapplySize() {
  int w = Width(), h = Height();
  AdjustButtonBounds(w, h);
  if (w != Width() || h != Height()) TWinControl::SetBounds(Left(), Top(), w, h);
}

void TPsgButtonHost::WMSize(TWMSize& Message) {
  TWinControl::WMSize(Message);
  ReapplySize();
  Message.Result = 0;
}

void TPsgButtonHost::Loaded() {
  TWinControl::Loaded();
  ReapplySize();
}

void TPsgButtonHost::SetButtonColor(TColor Value) {
  FButtonColor = Value;
  Invalidate();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

void TPsgButtonHost::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TPsgButtonHost::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TPsgButtonHost::FocusAfterPress() {
  if (FFocusControl != nullptr && FFocusControl->TabStop() && FFocusControl->CanFocus() &&
      !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (TabStop() && !Focused() && CanFocus())
    SetFocus();
}

void PlaceEditButton(TCustomEdit* Edit, TWinControl* Button) {
  // New-style 3-D controls: the button stands inside the frame.
  const int b = Edit->BorderStyle() == bsNone ? 4 : 0;
  Button->SetBounds(Edit->Width() + b - Button->Width() - 5, 0, Button->Width(), Edit->Height() + b - 5);
}

// ============================================================ TProTimerSpeedButton

TProTimerSpeedButton::TProTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TProTimerSpeedButton::~TProTimerSpeedButton() = default;

void TProTimerSpeedButton::InvalidateParent() {
  if (Parent() != nullptr) Parent()->Invalidate();
}

void TProTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  const bool repeating = FTimeBtnState.contains(tbAllowTimer);
  if (repeating) {
    if (!FRepeatTimer) {
      FRepeatTimer = std::make_unique<TTimer>(nullptr);
      FRepeatTimer->SetEnabled(false);
      FRepeatTimer->OnTimer = [this](TObject* Sender) { TimerExpired(Sender); };
    }
    FRepeatTimer->SetInterval(400);
    FRepeatTimer->SetEnabled(true);
  }
  InvalidateParent();
  // A repeating button clicks as it goes down; its release adds no click.
  if (repeating && Button == mbLeft && FState == bsDown) {
    FPressClicked = true;
    RepeatClick();
  }
}

void TProTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  {
    const QScopedValueRollback<bool> suppress(FSuppressClick, FPressClicked && Button == mbLeft);
    TSpeedButton::MouseUp(Button, Shift, X, Y);
  }
  if (Button == mbLeft) FPressClicked = false;
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  InvalidateParent();
}

void TProTimerSpeedButton::Click() {
  if (!FSuppressClick) TSpeedButton::Click();
}

void TProTimerSpeedButton::RepeatClick() {
  try {
    Click();
  } catch (...) {
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TProTimerSpeedButton::TimerExpired(TObject*) {
  FRepeatTimer->SetInterval(100);
  if (FState == bsDown && MouseCapture()) RepeatClick();
}

void TProTimerSpeedButton::CMMouseEnter(TCMMouseEnterLeave& Message) {
  TSpeedButton::CMMouseEnter(Message);
  FHasMouse = true;
  Invalidate();
}

void TProTimerSpeedButton::CMMouseLeave(TCMMouseEnterLeave& Message) {
  TSpeedButton::CMMouseLeave(Message);
  FHasMouse = false;
  Invalidate();
}

void TProTimerSpeedButton::Paint() {
  auto* pair = dynamic_cast<TPsgSpinButton*>(Owner());
  const TRect r = ClientRect();
  const bool down = FState == bsDown;
  TCanvas* c = Canvas();
  if (pair != nullptr && pair->ButtonColor() != clNone) {
    const TColor fill = down ? pair->ButtonColorDown() : (FHasMouse ? pair->ButtonColorHot() : pair->ButtonColor());
    c->Pen()->SetColor(fill);
    c->Brush()->SetColor(fill);
    c->Rectangle(r);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clBlack);
    const int l = r.Left, t = r.Top;
    switch (FButtonDirection) {
      case bdLeft: c->Polygon({TPoint(l + 5, t + 5), TPoint(l + 3, t + 7), TPoint(l + 5, t + 9)}); break;
      case bdRight: c->Polygon({TPoint(l + 3, t + 5), TPoint(l + 5, t + 7), TPoint(l + 3, t + 9)}); break;
      case bdUp: c->Polygon({TPoint(l + 4, t + 4), TPoint(l + 8, t + 4), TPoint(l + 6, t + 2)}); break;
      case bdDown: c->Polygon({TPoint(l + 4, t + 2), TPoint(l + 8, t + 2), TPoint(l + 6, t + 4)}); break;
    }
    return;
  }
  if (FIsWinXP && pair != nullptr) {
    if (HTHEME theme = VisualStyles().OpenThemeData(pair->Handle(), QStringLiteral("spin"))) {
      auto closeTheme = qScopeGuard([theme] { VisualStyles().CloseThemeData(theme); });
      static const int parts[] = {4, 3, 1, 2};  // bdLeft, bdRight, bdUp, bdDown
      const int state = down ? 3 : (FHasMouse ? 2 : 1);
      VisualStyles().DrawThemeBackground(theme, c->Handle(), parts[FButtonDirection], state, r, nullptr);
      return;
    }
  }
  if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
    UINT state = FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
    if (down) state |= DFCS_PUSHED;
    if (Flat()) state |= DFCS_FLAT;
    DrawFrameControl(c->Handle(), r, DFC_SCROLL, state);
    return;
  }
  TSpeedButton::Paint();
}

// ============================================================ TPsgSpinButton

TPsgSpinButton::TPsgSpinButton(TComponent* AOwner) : TPsgButtonHost(AOwner) {
  FUpButton = CreateButton();
  FDownButton = CreateButton();
  SetUpGlyph(nullptr);
  SetDownGlyph(nullptr);
  FUpButton->SetButtonDirection(bdUp);
  FDownButton->SetButtonDirection(bdDown);
  SetBounds(0, 0, 15, 25);
  FFocusedButton = FUpButton;
}

TPsgSpinButton::~TPsgSpinButton() = default;

TProTimerSpeedButton* TPsgSpinButton::CreateButton() {
  auto* b = new TProTimerSpeedButton(this);
  b->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
  b->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    BtnMouseDown(Sender, Button, Shift, X, Y);
  };
  b->SetVisible(true);
  b->SetEnabled(true);
  b->SetTimeBtnState(TTimeBtnState{tbAllowTimer});
  b->SetParent(this);
  return b;
}

void TPsgSpinButton::AdjustButtonBounds(int& AWidth, int& AHeight) {
  if (FUpButton == nullptr || FDownButton == nullptr || ComponentState().contains(csLoading)) return;
  if (FDirection == spHorizontal) {
    AWidth = std::max(AWidth, 20);
    const int half = AWidth / 2;
    FDownButton->SetBounds(0, 0, half, AHeight);
    FUpButton->SetBounds(half + 1, 0, half, AHeight);
  } else {
    AWidth = std::max(AWidth, 15);
    const int upHeight = AHeight / 2;
    FUpButton->SetBounds(0, 0, AWidth, upHeight);
    // The two buttons share one pixel row.
    FDownButton->SetBounds(0, upHeight - 1, AWidth, AHeight - upHeight + 1);
  }
}

void TPsgSpinButton::SetDirection(TSpinDirection Value) {
  if (Value == FDirection) return;
  FDirection = Value;
  if (HandleAllocated()) RecreateWnd();
  if (FDirection == spHorizontal) {
    FUpButton->SetButtonDirection(bdRight);
    FDownButton->SetButtonDirection(bdLeft);
    SetWidth(20);
  } else {
    FUpButton->SetButtonDirection(bdUp);
    FDownButton->SetButtonDirection(bdDown);
    SetWidth(15);
  }
  int w = Width(), h = Height();
  AdjustButtonBounds(w, h);
}

TBitmap* TPsgSpinButton::UpGlyph() const { return FUpButton->Glyph(); }
TBitmap* TPsgSpinButton::DownGlyph() const { return FDownButton->Glyph(); }

void TPsgSpinButton::SetUpGlyph(TBitmap* Value) {
  if (Value != nullptr) {
    FUpButton->SetGlyph(Value);
    return;
  }
  TBitmap b;
  LoadSpinGlyph(&b, QStringLiteral("PsgSpinUp"));
  FUpButton->SetGlyph(&b);
  FUpButton->SetNumGlyphs(1);
  FUpButton->Invalidate();
}

void TPsgSpinButton::SetDownGlyph(TBitmap* Value) {
  if (Value != nullptr) {
    FDownButton->SetGlyph(Value);
    return;
  }
  TBitmap b;
  LoadSpinGlyph(&b, QStringLiteral("PsgSpinDown"));
  FDownButton->SetGlyph(&b);
  FDownButton->SetNumGlyphs(1);
  FDownButton->Invalidate();
}

TNumGlyphs TPsgSpinButton::UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
void TPsgSpinButton::SetUpNumGlyphs(TNumGlyphs Value) { FUpButton->SetNumGlyphs(Value); }
TNumGlyphs TPsgSpinButton::DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
void TPsgSpinButton::SetDownNumGlyphs(TNumGlyphs Value) { FDownButton->SetNumGlyphs(Value); }

void TPsgSpinButton::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FUpButton->SetIsWinXP(Value);
  FDownButton->SetIsWinXP(Value);
}

void TPsgSpinButton::KeyDown(Word& Key, TShiftState Shift) {
  switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP:
      SetFocusedButton(FUpButton);
      FUpButton->Click();
      break;
    case VK_DOWN:
      SetFocusedButton(FDownButton);
      FDownButton->Click();
      break;
    default: break;
  }
  TPsgButtonHost::KeyDown(Key, Shift);
}

void TPsgSpinButton::WMGetDlgCode(TMessageView& Message) { Message.Result = 1; }

void TPsgSpinButton::WMSetFocus(TWMSetFocus& Message) {
  TPsgButtonHost::WMSetFocus(Message);
  TTimeBtnState s = FFocusedButton->TimeBtnState();
  FFocusedButton->SetTimeBtnState(s.Include(tbFocusRect));
  FFocusedButton->Invalidate();
}

void TPsgSpinButton::WMKillFocus(TWMKillFocus& Message) {
  TPsgButtonHost::WMKillFocus(Message);
  TTimeBtnState s = FFocusedButton->TimeBtnState();
  FFocusedButton->SetTimeBtnState(s.Exclude(tbFocusRect));
  FFocusedButton->Invalidate();
}

void TPsgSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft) return;
  SetFocusedButton(static_cast<TProTimerSpeedButton*>(Sender));
  FocusAfterPress();
}

void TPsgSpinButton::SetFocusedButton(TProTimerSpeedButton* Button) {
  if (!TabStop() || !CanFocus() || Button == FFocusedButton) return;
  TTimeBtnState s = FFocusedButton->TimeBtnState();
  FFocusedButton->SetTimeBtnState(s.Exclude(tbFocusRect));
  FFocusedButton = Button;
  if (Focused()) {
    s = FFocusedButton->TimeBtnState();
    FFocusedButton->SetTimeBtnState(s.Include(tbFocusRect));
    Invalidate();
  }
}

void TPsgSpinButton::BtnClick(TObject* Sender) {
  if (Sender == FUpButton) {
    if (OnUpClick) OnUpClick(this);
  } else if (OnDownClick) {
    OnDownClick(this);
  }
}

// ============================================================ TPsgSpinEdit

TPsgSpinEdit::TPsgSpinEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FButton = new TPsgSpinButton(this);
  FButton->SetWidth(15);
  FButton->SetHeight(17);
  FButton->SetVisible(true);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  FButton->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
  FButton->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
  SetText(QStringLiteral("0"));
  FControlStyle.Exclude(csSetCaption);
}

TPsgSpinEdit::~TPsgSpinEdit() { FButton = nullptr; }

void TPsgSpinEdit::Loaded() {
  TCustomMaskEdit::Loaded();
  if (FSpinType == sptDate) SetText(DateToStr(FDateValue));
  if (FSpinType == sptTime)
    SetText(FShowSeconds ? TimeToStr(FTimeValue) : FormatDateTime(QStringLiteral("h:nn"), FTimeValue));
  SetSpinType(FSpinType);
}

void TPsgSpinEdit::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  Params.Style &= ~(ES_RIGHT | ES_CENTER);
  if (FEditAlign == eaRight) Params.Style |= ES_RIGHT;
  else if (FEditAlign == eaCenter) Params.Style |= ES_CENTER;
}

void TPsgSpinEdit::CreateWnd() {
  TCustomMaskEdit::CreateWnd();
  SetEditRect();
}

void TPsgSpinEdit::SetEditRect() {
  if (FButton == nullptr || !HandleAllocated()) return;
  const int m = BorderStyle() == bsNone ? 3 : 0;
  TRect r(m, m, ClientWidth() - FButton->Width() - m - 2, ClientHeight() + 1);
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

int TPsgSpinEdit::GetMinHeight() {
  int h = EditTextHeight(Font()) + 2;
  if (BorderStyle() == bsSingle) h += GetSystemMetrics(SM_CYBORDER) * 4;
  return h;
}

void TPsgSpinEdit::WMSize(TWMSize& Message) {
  TCustomMaskEdit::WMSize(Message);
  const int minHeight = GetMinHeight();
  if (Height() < minHeight) {
    SetHeight(minHeight);
  } else if (FButton != nullptr) {
    PlaceEditButton(this, FButton);
    SetEditRect();
  }
}

void TPsgSpinEdit::ReLayout() {
  SetWidth(Width() + 1);
  SetWidth(Width() - 1);
}

void TPsgSpinEdit::SetDirection(TSpinDirection Value) {
  FDirection = Value;
  FButton->SetDirection(Value);
  ReLayout();
}

void TPsgSpinEdit::SetSpinFlat(bool Value) {
  FSpinFlat = Value;
  FButton->UpButton()->SetFlat(Value);
  FButton->DownButton()->SetFlat(Value);
  ReLayout();
}

void TPsgSpinEdit::SetSpinTransparent(bool Value) {
  FSpinTransparent = Value;
  FButton->UpButton()->SetTransparent(Value);
  FButton->DownButton()->SetTransparent(Value);
  ReLayout();
}

void TPsgSpinEdit::SetEditAlign(TEditAlign Value) {
  if (FEditAlign == Value) return;
  FEditAlign = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TPsgSpinEdit::SetPrecision(int Value) {
  FPrecision = Value;
  if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

void TPsgSpinEdit::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FButton->SetIsWinXP(Value);
}

// ------------------------------------------------------------ values

int TPsgSpinEdit::CheckValue(int NewValue) const {
  if (FMinValue == FMaxValue) return NewValue;
  return std::clamp(NewValue, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
}

// Bounds given the wrong way round clamp as the integer bounds do: into the
// range between them, so that a value checked once passes the next check.
double TPsgSpinEdit::CheckFloatValue(double NewValue) const {
  if (FMinFloatValue == FMaxFloatValue) return NewValue;
  const double lo = std::min(FMinFloatValue, FMaxFloatValue), hi = std::max(FMinFloatValue, FMaxFloatValue);
  if (NewValue < lo) return lo;
  if (NewValue > hi) return hi;
  return NewValue;
}

TDateTime TPsgSpinEdit::CheckDateValue(TDateTime NewValue) const {
  if (FMinDateValue == FMaxDateValue) return NewValue;
  const TDateTime lo = std::min(FMinDateValue, FMaxDateValue), hi = std::max(FMinDateValue, FMaxDateValue);
  if (NewValue < lo) return lo;
  if (NewValue > hi) return hi;
  return NewValue;
}

int TPsgSpinEdit::Value() const {
  const QString t = Text().trimmed();
  if (t.isEmpty()) return 0;
  int v = 0;
  if (TryStrToInt(t, v)) return v;
  // A number too long for an integer reads as the nearest integer, so that
  // the bounds clamp it instead of it reading as the minimum.
  Int64 wide = 0;
  if (t.size() <= 18 && TryStrToInt64(t, wide))
    return wide < 0 ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  return FMinValue;
}

void TPsgSpinEdit::SetValue(int Value) {
  SetText(IntToStr(CheckValue(Value)));
  if (!FEditorEnabled && HandleAllocated()) SelectAll();
}

double TPsgSpinEdit::FloatValue() const {
  double v = 0;
  return TryStrToFloat(Text(), v) ? v : FMinFloatValue;
}

void TPsgSpinEdit::SetFloatValue(double Value) {
  const double v = CheckFloatValue(Value);
  QString text = FPrecision != 0 ? FloatToStrF(v, ffFixed, 15, FPrecision) : FloatToStr(v);
  // Rounding to the digits shown can carry a value at a bound past it (0.25
  // with one decimal shows 0.3); such a value is written with the digits it
  // needs to read back as itself.
  double shown = 0;
  if (TryStrToFloat(text, shown) && CheckFloatValue(shown) != shown) {
    for (int digits = 15; digits <= 17; ++digits) {
      text = FloatToStrF(v, ffGeneral, digits, 0);
      if (TryStrToFloat(text, shown) && shown == v) break;
    }
  }
  SetText(text);
}

TDateTime TPsgSpinEdit::DateValue() const {
  const QString t = Text();
  if (t.isEmpty() || t == QStringLiteral("0")) return Now();
  TDateTime v = 0;
  return TryStrToDate(t, v) ? v : FMinDateValue;
}

void TPsgSpinEdit::SetTextKeepCaret(const QString& Value) {
  const int caret = HandleAllocated() ? SelStart() : 0;
  SetText(Value);
  if (HandleAllocated()) SetSelStart(std::min(caret, static_cast<int>(Value.size())));
}

void TPsgSpinEdit::SetDateValue(TDateTime Value) {
  FDateValue = Value;
  if (ComponentState().contains(csLoading)) return;
  SetTextKeepCaret(DateToStr(CheckDateValue(Value)));
}

TDateTime TPsgSpinEdit::TimeValue() const {
  TDateTime v = 0;
  return TryStrToTime(Text(), v) ? v : 0;
}

void TPsgSpinEdit::SetTimeValue(TDateTime Value) {
  FTimeValue = Value;
  if (ComponentState().contains(csLoading)) return;
  const TDateTime v = CheckDateValue(Value);
  SetTextKeepCaret(FShowSeconds ? TimeToStr(v) : FormatDateTime(QStringLiteral("h:nn"), v));
}

void TPsgSpinEdit::SetSpinType(TPsgSpinType AValue) {
  FSpinType = AValue;
  switch (FSpinType) {
    case sptNormal: SetValue(Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
  }
}

// ------------------------------------------------------------ stepping

void TPsgSpinEdit::Step(bool Up, bool Page) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  const int sign = Up ? 1 : -1;
  switch (FSpinType) {
    case sptNormal: SetValue(Value() + sign * FIncrement); break;
    case sptFloat: SetFloatValue(FloatValue() + sign * (Page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: {
      const QString format = FormatSettings.ShortDateFormat.toUpper();
      FUsDates = format.indexOf(u'M') < format.indexOf(u'D');
      const QString t = Text();
      const QString sep(FormatSettings.DateSeparator);
      const int p = SelStart();
      const int s1 = PosAfter(sep, t, 0);
      const int s2 = PosAfter(sep, t, s1);
      const TDateTime d = DateValue();
      TDateTime n;
      if (p < s1) n = FUsDates ? IncMonth(d, sign) : d + sign;
      else if (p < s2) n = FUsDates ? d + sign : IncMonth(d, sign);
      else n = AddYearsToDate(sign, d);
      SetDateValue(n);
      break;
    }
    case sptTime: {
      const QString t = Text();
      const QString sep(FormatSettings.TimeSeparator);
      const int p = SelStart();
      const int t1 = PosAfter(sep, t, 0);
      const int t2 = PosAfter(sep, t, t1);
      TDateTime step;
      if (p < t1) step = FIncrementHours / 24.0;
      else if (FShowSeconds && t2 > 0 && p >= t2) step = FIncrementSeconds / 86400.0;
      else step = FIncrementMinutes / 1440.0;
      if (Up) {
        SetTimeValue(TimeValue() + step);
      } else {
        // Down wraps around midnight.
        TDateTime v = TimeValue() + 1 - step;
        if (v > 1) v -= 1;
        SetTimeValue(v);
      }
      break;
    }
  }
}

void TPsgSpinEdit::StepUp(bool Page) { Step(true, Page); }
void TPsgSpinEdit::StepDown(bool Page) { Step(false, Page); }
void TPsgSpinEdit::UpClick(TObject*) { StepUp(false); }
void TPsgSpinEdit::DownClick(TObject*) { StepDown(false); }

// ------------------------------------------------------------ keys

void TPsgSpinEdit::WMKeyDown(TWMKey& Message) {
  switch (Message.CharCode()) {
    case VK_PRIOR: StepUp(true); return;
    case VK_NEXT: StepDown(true); return;
    case VK_UP: StepUp(false); return;
    case VK_DOWN: StepDown(false); return;
    default: break;
  }
  TCustomMaskEdit::WMKeyDown(Message);
}

void TPsgSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    // A Tab arrives later as a key the form moves the focus with (the
    // control-notification step of a key, which offers it as a dialog key).
    PostMessage(Handle(), CN_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
  TCustomMaskEdit::KeyDown(Key, Shift);
}

void TPsgSpinEdit::WMChar(TWMKey& Message) {
  if (FExcelStyleDecimalSeparator && Message.CharCode() == u'.' &&
      (static_cast<uint32_t>(Message.KeyData()) & 0x400000u) != 0)
    Message.SetCharCode(FormatSettings.DecimalSeparator.unicode());
  TCustomMaskEdit::WMChar(Message);
}

void TPsgSpinEdit::KeyPress(QChar& Key) {
  if (!IsValidChar(Key)) {
    Key = QChar(0);
    MessageBeep(0);
  }
  TCustomMaskEdit::KeyPress(Key);
}

bool TPsgSpinEdit::IsValidChar(QChar& Key) {
  const QChar d = FormatSettings.DecimalSeparator;
  const QChar t = FormatSettings.ThousandSeparator;
  const QChar s = FormatSettings.TimeSeparator;
  const QChar c = FormatSettings.DateSeparator;
  const ushort k = Key.unicode();
  // Backspace corrects what was typed in every spin type; only a spin that
  // cannot be typed in refuses it.
  if (k == VK_BACK) return FEditorEnabled;
  bool r = Key == d || Key == t || Key == s || Key == c || IsNumberChar(Key) || Key == u'-' ||
           (k < 32 && k != VK_RETURN);
  if ((Key == s && FSpinType != sptTime) || (Key == c && FSpinType != sptDate)) {
    if (Key == d || Key == t || Key == u'-' || Key == u'+')
      r = r && (FSpinType == sptNormal || FSpinType == sptFloat);
    else
      r = false;
  }
  const QString text = Text();
  if (Key == u'-') {
    if (!text.contains(u'-') || SelText().contains(u'-')) r = r && SelStart() == 0;
    else r = false;
  }
  if (FSpinType == sptNormal) r = r && (IsNumberChar(Key) || Key == u'-');
  if (FSpinType == sptFloat && k != VK_ESCAPE && k != VK_RETURN) {
    if (Key == t) r = false;
    const int dpos = static_cast<int>(text.indexOf(d));
    if (Key == d) r = r && (dpos < 0 || SelText().contains(d));
    if (r && FPrecision > 0 && dpos >= 0 && SelStart() > dpos && SelLength() == 0)
      r = text.size() < dpos + 1 + FPrecision;
  }
  if (FSpinType == sptTime && Key == s && text.count(s) >= 2) r = false;
  if (!FEditorEnabled && r && k >= 32) r = false;
  return r;
}

void TPsgSpinEdit::DefaultHandler(TMessage& Message) {
  if ((Message.Msg == WM_PASTE || Message.Msg == WM_CUT) && (!FEditorEnabled || ReadOnly())) return;
  TCustomMaskEdit::DefaultHandler(Message);
}

void TPsgSpinEdit::CMEnter(TMessageView& Message) {
  if (AutoSelect() && !(GetKeyState(VK_LBUTTON) < 0 && Enabled())) SelectAll();
  TCustomMaskEdit::CMEnter(Message);
}

void TPsgSpinEdit::CMExit(TMessageView& Message) {
  TCustomMaskEdit::CMExit(Message);
  ClampToBounds();
}

void TPsgSpinEdit::ClampToBounds() {
  switch (FSpinType) {
    case sptNormal: {
      const int v = Value();
      if (CheckValue(v) != v) SetValue(v);
      break;
    }
    case sptFloat: {
      const double v = FloatValue();
      if (CheckFloatValue(v) != v) SetFloatValue(v);
      break;
    }
    case sptDate: {
      const TDateTime v = DateValue();
      if (CheckDateValue(v) != v) SetDateValue(v);
      break;
    }
    case sptTime: {
      const TDateTime v = TimeValue();
      if (CheckDateValue(v) != v) SetTimeValue(v);
      break;
    }
  }
}
