// The grid's date editor TGridDatePicker, for edDateEdit (drop-down calendar),
// edDateEditUpDown (up-down buttons) and edTimeEdit cells. The grid creates it
// on first use and re-uses it for every date and time cell; its button and
// frame colours and metro look are those of TPsgDateTimePicker.
#pragma once

#include "controls/PsgDateTimePicker.h"

class TProStringGrid;

class TGridDatePicker : public TPsgDateTimePicker {
 public:
  // The owner must be the grid.
  explicit TGridDatePicker(TComponent* AOwner);

  // Makes the picker ready for the next cell: the calendar closed, no digits
  // pending.
  void ReCreate();
  // After a typed digit: moves the input to the next field unless the digit
  // went into the format's last field or the picker moved on by itself.
  virtual void ShiftFieldFocus();

  // Options the calendar gets each time it drops down: a column of week
  // numbers, the "today" line and the mark on today's date.
  bool WeekNumbers() const { return FWeekNumbers; }
  void SetWeekNumbers(bool Value) { FWeekNumbers = Value; }
  bool ShowToday() const { return FShowToday; }
  void SetShowToday(bool Value) { FShowToday = Value; }
  bool ShowTodayCircle() const { return FShowTodayCircle; }
  void SetShowTodayCircle(bool Value) { FShowTodayCircle = Value; }
  // The calendar is open (between its drop-down and close-up notifications).
  bool CalendarOpen() const { return FOldDropped; }

 protected:
  void WndProc(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void DoExit() override;
  void CMWantSpecialKey(TWMKey& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void DropDown() override;
  void CloseUp() override;
  void Change() override;

 private:
  // Shows Text in the picker when it reads as a value of the picker's kind.
  void ShowText(const QString& Text);
  // Enter and Tab: the picker's text is validated; false (the key dropped)
  // when the grid refused it.
  bool ValidateText(Word& Key);
  // Two-pixel frame in the window colour over the border.
  void HideBorder();

  Word Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
  // The field the last digit was typed into.
  int FDigitField = -1;
  bool FOldDropped = false;
  bool FWeekNumbers = false;
  bool FShowToday = true;
  bool FShowTodayCircle = true;
  TProStringGrid* FGrid = nullptr;
};
