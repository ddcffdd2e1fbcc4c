// The check list box of the desktop framework: a list box with a check box
// before each item.
#pragma once

#include "platform/widgets/StdCtrls.h"

// A list box whose items carry a check box. A click on an item's box (after
// the click has selected the item) or the space bar toggles it (unchecked ->
// grayed with AllowGrayed, or checked; checked -> unchecked; grayed -> checked)
// and fires OnClickCheck; setting Checked or State in code fires nothing.
class TCheckListBox : public TCustomListBox {
 public:
  explicit TCheckListBox(TComponent* AOwner);
  ~TCheckListBox() override;

  bool Checked(int Index) const;
  void SetChecked(int Index, bool Value);
  TCheckBoxState State(int Index) const;
  void SetState(int Index, TCheckBoxState Value);
  bool ItemEnabled(int Index) const;
  void SetItemEnabled(int Index, bool Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  void CheckAll(TCheckBoxState AState, bool AllowGrayed = true, bool AllowDisabled = true);
  // Width of the check box column.
  int CheckWidth() const { return 16; }

  TNotifyEvent OnClickCheck;

 protected:
  virtual void ClickCheck();
  void ToggleClickCheck(int Index);
  void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
  int ItemTextOffset() const override { return 0; }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyPress(QChar& Key) override;

  bool FAllowGrayed = false;
  bool FFlat = true;
};
