// The grid's push-button editor TGridButton of edButton cells, captioned with
// the cell's text. A release over it lets the application change the caption
// (OnEllipsClick), writes the caption to the cell and then clicks
// (OnButtonClick).
#pragma once

#include "platform/widgets/StdCtrls.h"

class TProStringGrid;

class TGridButton : public TButton {
 public:
  // The owner must be the grid.
  explicit TGridButton(TComponent* AOwner);

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoExit() override;
  void WMLButtonUp(TWMMouse& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;

 private:
  // Asks the application for the caption and writes it to the cell.
  void TakeCaption();
  // Hides the button and gives the focus back to the grid.
  void Leave();
  TProStringGrid* FGrid = nullptr;
};
