// The plain edit and combo with which a grid's fixed cells are edited. The
// grid creates one of each, hidden, and places it over the fixed cell being
// edited; leaving it stores its text in that cell once the grid's
// OnCellValidate accepted it.
#pragma once

#include "platform/widgets/StdCtrls.h"

class TProStringGrid;

// The fixed cell a fixed-cell editor edits (real column).
class TFixedCellEditTarget {
 public:
  int Col() const { return FCol; }
  int Row() const { return FRow; }
  void SetCell(int ACol, int ARow) {
    FCol = ACol;
    FRow = ARow;
  }

 protected:
  int FRow = -1;
  int FCol = -1;
};

class TGridTransEdit : public TCustomEdit, public TFixedCellEditTarget {
 public:
  // AOwner is the grid whose fixed cells are edited (or nullptr).
  explicit TGridTransEdit(TComponent* AOwner);
  // Offers the text to OnCellValidate: refused, the grid's cursor goes to the
  // cell and the edit stays up with the focus (false); accepted, OnEditingDone
  // fires, the cell gets the text and the edit hides (true).
  bool StopEdit();

 protected:
  void DoExit() override;
  // Enter is dropped.
  void KeyPress(QChar& Key) override;

 private:
  TProStringGrid* FGrid = nullptr;
};

class TGridTransCombo : public TCustomComboBox, public TFixedCellEditTarget {
 public:
  explicit TGridTransCombo(TComponent* AOwner);

  // As TGridTransEdit::StopEdit.
  bool StopEdit();

 protected:
  void DoExit() override;
  void KeyPress(QChar& Key) override;

 private:
  TProStringGrid* FGrid = nullptr;
};
