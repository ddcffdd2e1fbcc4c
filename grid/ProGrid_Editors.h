// The grid's editor controls: the text editor TProInplaceEdit, the combo
// editor TGridCombo and the check-box editor TGridCheckBox. The grid owns one of
// each and re-uses it for every cell; what they do with a cell's value is the
// grid's (ProGrid_Edit.cpp).
#pragma once

#include <QString>

#include "controls/PsgCombo.h"
#include "platform/grids/Grids.h"
#include "platform/widgets/StdCtrls.h"

class TProStringGrid;

// What the grid's growing-while-typing does: the row grows with the typed
// lines (Height), the column with the typed text (Width).
class TSizeWhileTyping : public TPersistent {
 public:
  void Assign(TPersistent* Source) override;
  bool Height() const { return FHeight; }
  void SetHeight(bool Value) { FHeight = Value; }
  bool Width() const { return FWidth; }
  void SetWidth(bool Value) { FWidth = Value; }

 private:
  bool FHeight = false;
  bool FWidth = false;
};

// The text editor placed over every cell of a text kind. It filters typed and
// pasted characters by the cell's kind, validates on Enter and Tab, puts the
// cell's text back on Escape and reports the end of editing when it loses the
// focus.
class TProInplaceEdit : public TInplaceEdit {
 public:
  // The owner must be the grid.
  explicit TProInplaceEdit(TComponent* AOwner);

  // Right-aligned text.
  bool VAlign() const { return FValign; }
  void SetVAlign(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // Longest text taken (0 or less: none).
  int LengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(int Value) { FLengthLimit = Value; }
  // Completes the text from the grid's lookup items.
  void DoChange();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void UpdateContents() override;
  void BoundsChanged() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void Change() override;
  void WMKeyDown(TWMKey& Message) override;
  void WMChar(TWMKey& Message) override;
  void WMSetFocus(TWMSetFocus& Message) override;
  void WMKillFocus(TWMKillFocus& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void WndProc(TMessage& Message) override;

 private:
  // Whether a typed character is taken for the cell's kind; a refused one
  // beeps unless Silent comes back true.
  bool AcceptChar(QChar& Ch, bool Ctrl, bool& Silent);
  // The text with Pasted in place of the selection, and where the selection goes.
  QString InsertPastedText(const QString& Pasted, int& SelFrom, int& SelLen) const;
  void WMPaste();
  // After a refused validation: the validated text, selected or with the caret at the end.
  void ShowRejected(const QString& OldCellText);

  TProStringGrid* FProGrid = nullptr;
  int FSelKeyDown = 0;
  int FOldSelStart = 0;
  int FLengthLimit = 0;
  bool FValign = false;
  bool FWordWrap = false;
  bool GotKey = false;
  bool FGotFocus = false;
  bool Workmode = true;
  int FColE = -1;
  int FRowE = -1;
  bool FAltBack = false;
  // A refused Enter: its character is dropped too.
  bool FDropReturn = false;
};

// The combo editor of edComboEdit (free text with a list) and edComboList
// (one of the items) cells.
class TGridCombo : public TPsgComboBox {
 public:
  // The owner must be the grid.
  explicit TGridCombo(TComponent* AOwner);

  // Widens the list to its widest item.
  void SizeDropDownWidth();
  // Completes the text from the items and the grid's lookup items.
  void DoChange();

  // Fired when Enter is pressed in the combo.
  TNotifyEvent OnReturnKey;

  bool Forced = false;
  bool WorkMode = true;
  int ItemIdx = -1;
  bool ItemChange = false;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void Change() override;
  void DoExit() override;
  void WMSetFocus(TWMSetFocus& Message) override;
  void CMWantSpecialKey(TWMKey& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;

 private:
  TProStringGrid* FGrid = nullptr;
};

// The check-box editor of edCheckBox cells, captioned with the cell's text.
class TGridCheckBox : public TCheckBox {
 public:
  // The owner must be the grid.
  explicit TGridCheckBox(TComponent* AOwner);

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoExit() override;
  void WMGetDlgCode(TMessageView& Message) override;

 private:
  TProStringGrid* FGrid = nullptr;
};
