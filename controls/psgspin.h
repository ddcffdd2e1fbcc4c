// Spin edits: a masked edit with an up/down button pair that edits an integer,
// a floating-point number, a date or a time. The value steps with the buttons,
// the Up/Down keys and Page Up/Page Down, stays inside optional bounds (equal
// bounds mean none) and characters that cannot belong to it are refused with a
// beep.
#pragma once

#include <QString>
#include <memory>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Controls.h"
#include "platform/widgets/Buttons.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/widgets/Mask.h"

enum TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = TSet<TTimeBtnStateItem, 8>;
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TSpinDirection { spVertical, spHorizontal };
enum TPsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TEditAlign { eaLeft, eaRight, eaCenter };

class TPsgSpinButton;

// The height of a line of text in Font with the leading of an edit: the
// font's height plus a quarter of the smaller of it and the system font's.
int EditTextHeight(TFont* Font);
// The position (1-based) of Sub in Text after its first Offset characters,
// counted in the whole text; 0 when absent.
int PosAfter(const QString& Sub, const QString& Text, int Offset);
// The date moved by Years with day and month kept; 29 February becomes
// 28 February in a year without it (the time of day is kept).
TDateTime AddYearsToDate(int Years, TDateTime Date);

// A windowed holder of a control's buttons: it lays them out in its size,
// hands the focus on after a press and keeps the colours of custom-drawn
// buttons (clNone, the default, draws the standard look).
class TPsgButtonHost : public TWinControl {
 public:
  explicit TPsgButtonHost(TComponent* AOwner);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Fits the requested size and lays the buttons out in it (not while loading).
  virtual void AdjustButtonBounds(int& AWidth, int& AHeight);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value);
  TColor ButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value) { FButtonColorHot = Value; }
  TColor ButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value) { FButtonColorDown = Value; }
  // The text colours are kept; the drawing does not use them.
  TColor ButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
  TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
  TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WMSize(TWMSize& Message) override;
  // After a press: the focus goes to FocusControl when it is a tab stop that
  // can take it, otherwise to the holder when it is a tab stop.
  void FocusAfterPress();

 private:
  // Applies the adjusted size when it differs from the present one.
  void ReapplySize();
  TWinControl* FFocusControl = nullptr;
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
};

// Places a button holder at the right edge of an edit, inside its frame.
void PlaceEditButton(TCustomEdit* Edit, TWinControl* Button);

// A speed button that repeats its click while held down: with tbAllowTimer it
// clicks as it goes down, again after 400 ms, then every 100 ms until it is
// released (the release itself adds no click).
class TProTimerSpeedButton : public TSpeedButton {
 public:
  explicit TProTimerSpeedButton(TComponent* AOwner);
  ~TProTimerSpeedButton() override;

  TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
  void SetTimeBtnState(TTimeBtnState Value) { FTimeBtnState = Value; }
  TButtonDirection ButtonDirection() const { return FButtonDirection; }
  void SetButtonDirection(TButtonDirection Value) { FButtonDirection = Value; }
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value) { FIsWinXP = Value; }
  bool HasMouse() const { return FHasMouse; }
  // The repeat timer (nullptr before the first press).
  TTimer* RepeatTimer() const { return FRepeatTimer.get(); }
  // The repeat timer's tick: clicks while the button is held down with the
  // mouse captured; an exception from the click stops the timer.
  void TimerExpired(TObject* Sender);
  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TCMMouseEnterLeave& Message) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;

 private:
  void InvalidateParent();
  // Clicks; an exception stops the repeat timer and is passed on.
  void RepeatClick();
  std::unique_ptr<TTimer> FRepeatTimer;
  TTimeBtnState FTimeBtnState;
  TButtonDirection FButtonDirection = bdUp;
  bool FIsWinXP = false;
  bool FHasMouse = false;
  bool FPressClicked = false;  // the press clicked: the release does not
  bool FSuppressClick = false;
};

// The up/down button pair of a spin edit.
class TPsgSpinButton : public TPsgButtonHost {
 public:
  explicit TPsgSpinButton(TComponent* AOwner);
  ~TPsgSpinButton() override;

  TProTimerSpeedButton* UpButton() const { return FUpButton; }
  TProTimerSpeedButton* DownButton() const { return FDownButton; }
  TProTimerSpeedButton* FocusedButton() const { return FFocusedButton; }
  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  TBitmap* UpGlyph() const;
  // nullptr restores the built-in arrow.
  void SetUpGlyph(TBitmap* Value);
  TBitmap* DownGlyph() const;
  void SetDownGlyph(TBitmap* Value);
  TNumGlyphs UpNumGlyphs() const;
  void SetUpNumGlyphs(TNumGlyphs Value);
  TNumGlyphs DownNumGlyphs() const;
  void SetDownNumGlyphs(TNumGlyphs Value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  // Fits the size to the direction and lays the two buttons out in it.
  void AdjustButtonBounds(int& AWidth, int& AHeight) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void WMSetFocus(TWMSetFocus& Message) override;
  void WMKillFocus(TWMKillFocus& Message) override;

 private:
  TProTimerSpeedButton* CreateButton();
  void BtnClick(TObject* Sender);
  void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void SetFocusedButton(TProTimerSpeedButton* Button);

  TProTimerSpeedButton* FUpButton = nullptr;
  TProTimerSpeedButton* FDownButton = nullptr;
  TProTimerSpeedButton* FFocusedButton = nullptr;
  TSpinDirection FDirection = spVertical;
  bool FIsWinXP = false;
};

// The spin edit.
class TPsgSpinEdit : public TCustomMaskEdit {
 public:
  explicit TPsgSpinEdit(TComponent* AOwner);
  ~TPsgSpinEdit() override;

  TPsgSpinButton* Button() const { return FButton; }
  TPsgSpinType SpinType() const { return FSpinType; }
  void SetSpinType(TPsgSpinType Value);

  // The text as an integer: 0 when empty, MinValue when not a number; a
  // number beyond the integer range reads as the range's nearest end.
  int Value() const;
  void SetValue(int Value);
  // The text as a number: MinFloatValue when not a number.
  double FloatValue() const;
  void SetFloatValue(double Value);
  // The text as a date: now when empty or "0", MinDateValue when not a date.
  TDateTime DateValue() const;
  void SetDateValue(TDateTime Value);
  // The text as a time of day: 0 when not a time.
  TDateTime TimeValue() const;
  void SetTimeValue(TDateTime Value);

  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value) { FMinValue = Value; }
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value) { FMaxValue = Value; }
  double MinFloatValue() const { return FMinFloatValue; }
  void SetMinFloatValue(double Value) { FMinFloatValue = Value; }
  double MaxFloatValue() const { return FMaxFloatValue; }
  void SetMaxFloatValue(double Value) { FMaxFloatValue = Value; }
  // Bounds of dates and of times.
  TDateTime MinDateValue() const { return FMinDateValue; }
  void SetMinDateValue(TDateTime Value) { FMinDateValue = Value; }
  TDateTime MaxDateValue() const { return FMaxDateValue; }
  void SetMaxDateValue(TDateTime Value) { FMaxDateValue = Value; }
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  double IncrementFloat() const { return FIncrementFloat; }
  void SetIncrementFloat(double Value) { FIncrementFloat = Value; }
  // The float step of Page Up and Page Down.
  double IncrementFloatPage() const { return FIncrementFloatPage; }
  void SetIncrementFloatPage(double Value) { FIncrementFloatPage = Value; }
  int IncrementHours() const { return FIncrementHours; }
  void SetIncrementHours(int Value) { FIncrementHours = Value; }
  int IncrementMinutes() const { return FIncrementMinutes; }
  void SetIncrementMinutes(int Value) { FIncrementMinutes = Value; }
  int IncrementSeconds() const { return FIncrementSeconds; }
  void SetIncrementSeconds(int Value) { FIncrementSeconds = Value; }
  // Decimals of a float spin; 0 writes the general format.
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value);
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool Value) { FShowSeconds = Value; }
  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  TEditAlign EditAlign() const { return FEditAlign; }
  void SetEditAlign(TEditAlign Value);
  // Off: the text cannot be typed in, only stepped.
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  // Enter moves on as Tab does.
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  // The keypad's decimal key types the locale's decimal separator.
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  bool AllowEmptyValue() const { return FAllowEmptyValue; }
  void SetAllowEmptyValue(bool Value) { FAllowEmptyValue = Value; }
  bool SpinFlat() const { return FSpinFlat; }
  void SetSpinFlat(bool Value);
  bool SpinTransparent() const { return FSpinTransparent; }
  void SetSpinTransparent(bool Value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  // Set by date stepping: the locale writes the month before the day.
  bool UsDates() const { return FUsDates; }

  // Steps the value up or down (Page: the page step of a float spin).
  virtual void StepUp(bool Page);
  virtual void StepDown(bool Page);
  // Whether Key may be typed at the caret.
  virtual bool IsValidChar(QChar& Key);
  virtual void UpClick(TObject* Sender);
  virtual void DownClick(TObject* Sender);

  // The smallest height that shows the font.
  int GetMinHeight();
  // Sets the formatting rectangle of the text beside the buttons.
  void SetEditRect();

 protected:
  void Loaded() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void DefaultHandler(TMessage& Message) override;
  void WMSize(TWMSize& Message) override;
  void WMChar(TWMKey& Message) override;
  void WMKeyDown(TWMKey& Message) override;
  void CMEnter(TMessageView& Message) override;
  void CMExit(TMessageView& Message) override;

  int CheckValue(int NewValue) const;
  double CheckFloatValue(double NewValue) const;
  TDateTime CheckDateValue(TDateTime NewValue) const;
  // Writes the value of the spin type back clamped when it lies beyond the bounds.
  void ClampToBounds();

 private:
  void Step(bool Up, bool Page);
  void ReLayout();
  // Writes a text and puts the caret back where it was.
  void SetTextKeepCaret(const QString& Value);

  int FMinValue = 0;
  int FMaxValue = 100;
  double FMinFloatValue = 0;
  double FMaxFloatValue = 100.0;
  TDateTime FMinDateValue = 0;
  TDateTime FMaxDateValue = 0;
  TDateTime FDateValue = 0;
  TDateTime FTimeValue = 0;
  int FIncrement = 1;
  double FIncrementFloat = 0.1;
  TPsgSpinButton* FButton = nullptr;
  bool FEditorEnabled = true;
  TSpinDirection FDirection = spVertical;
  TPsgSpinType FSpinType = sptNormal;
  int FPrecision = 0;
  bool FReturnIsTab = false;
  bool FIsWinXP = false;
  bool FExcelStyleDecimalSeparator = false;
  bool FUsDates = false;
  bool FShowSeconds = true;
  int FIncrementSeconds = 1;
  int FIncrementMinutes = 1;
  int FIncrementHours = 1;
  TEditAlign FEditAlign = eaLeft;
  bool FSpinFlat = false;
  bool FSpinTransparent = false;
  bool FAllowEmptyValue = false;
  double FIncrementFloatPage = 1.0;
};
