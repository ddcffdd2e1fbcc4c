// The grid's spin editor TGridSpin, for edSpinEdit (integer), edFloatSpinEdit
// (floating-point), edTimeSpinEdit and edDateSpinEdit cells. The grid creates
// it on first use and re-uses it for every spin cell; the column grid gives it
// each column's range and step.
#pragma once

#include "controls/psgspin.h"

class TProStringGrid;

class TGridSpin : public TPsgSpinEdit {
 public:
  // The owner must be the grid.
  explicit TGridSpin(TComponent* AOwner);

  // Fires the grid's spin-click event of the spin type for the current cell.
  void DoSpinClick(bool UpDown);
  // The arrow buttons: the spin edit's step, then the grid's spin click.
  void UpClick(TObject* Sender) override;
  void DownClick(TObject* Sender) override;
  // Brings a typed value beyond the bounds back to the nearest one (an
  // empty text stays empty).
  void ClampValue();

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void Change() override;
  void DoExit() override;
  void WMChar(TWMKey& Message) override;
  // The page and arrow keys go to KeyDown: in a cell they follow the grid.
  void WMKeyDown(TWMKey& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;

 private:
  friend class TProStringGrid;
  TProStringGrid* FGrid = nullptr;
  // Escape is putting the editor away: the cell gets its text back as it was.
  bool FEscaped = false;
};
