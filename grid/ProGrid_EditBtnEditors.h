// The grid's edit-with-button editors: TGridEditBtn for edEditBtn,
// edNumericEditBtn, edFloatEditBtn and edMaskEditBtn cells, and
// TGridUnitEditBtn (a value and a unit chosen from a menu) for edUnitEditBtn,
// edNumericUnitEditBtn and edFloatUnitEditBtn cells. The grid creates one of
// each with itself and re-uses it for every such cell; their button asks the
// application (OnEllipsClick) for the text. The button part's colours
// (Button()->ButtonColor, ButtonColorHot, ButtonColorDown, ButtonBorderColor)
// are the ones a colour scheme sets.
#pragma once

#include "controls/PSGEdit.h"

class TProStringGrid;

class TGridEditBtn : public TPsgEditBtn {
 public:
  // The owner must be the grid.
  explicit TGridEditBtn(TComponent* AOwner);

  // After a button click the editor is put away (the grid takes the focus).
  bool StopEditAfterClick() const { return FStopEditAfterClick; }
  void SetStopEditAfterClick(bool Value) { FStopEditAfterClick = Value; }

  // The button: the application's answer to OnEllipsClick becomes the text,
  // selected.
  void ButtonClick();
  // Completes the text before the caret from the grid's lookup items.
  void DoLookup();

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void Change() override;
  void DoExit() override;
  void WMChar(TWMKey& Message) override;
  void WMLButtonDblClk(TWMMouse& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void CMWantSpecialKey(TWMKey& Message) override;
  void WndProc(TMessage& Message) override;

 private:
  // The clipboard's text at the caret, as the application allows it.
  void WMPaste();
  // Right at the end or Left at the start moves to the neighbouring cell.
  bool WalkToNeighbour(bool Right);

  bool WorkMode = true;
  int FSelKeyDown = 0;
  TProStringGrid* FGrid = nullptr;
  bool FStopEditAfterClick = false;
};

class TGridUnitEditBtn : public TPsgUnitEditBtn {
 public:
  // The owner must be the grid.
  explicit TGridUnitEditBtn(TComponent* AOwner);

  // The button: the application's answer to OnEllipsClick becomes the text,
  // selected; then the units are offered.
  void ButtonClick();
  // Shows a cell's text: split into value and unit when one of the units ends
  // it, else the whole text with no unit.
  void ShowCellText(const QString& Value);

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoExit() override;
  void WMChar(TWMKey& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void CMWantSpecialKey(TWMKey& Message) override;

 private:
  TProStringGrid* FGrid = nullptr;
};
