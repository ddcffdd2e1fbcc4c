// The cell check hook: the base class of cell checkers (word correction or error
// marking) that a string grid is connected to through its CellChecker property.
// The base changes nothing; descendants override the four operations.
#pragma once

#include <QString>

#include "platform/rtl/Classes.h"

class TProStringGridCheck : public TComponent {
 public:
  explicit TProStringGridCheck(TComponent* AOwner) : TComponent(AOwner) {}

  // S with its errors marked ("<e>" spans); the base returns S.
  virtual QString MarkError(int ACol, int ARow, const QString& S);
  // S corrected; the base returns S.
  virtual QString Correct(int ACol, int ARow, const QString& S);
  // Called before and after a range of cells is checked.
  virtual void StartCheck();
  virtual void StopCheck();

  // The check moves the grid's cursor to each cell it checks.
  bool GotoCell() const { return FGotoCell; }
  void SetGotoCell(bool Value) { FGotoCell = Value; }
  // An edited cell's text is corrected / error-marked when it is stored.
  bool AutoCorrect() const { return FAutoCorrect; }
  void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
  bool AutoMarkError() const { return FAutoMarkError; }
  void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
  // CheckCell applies Correct / MarkError.
  bool UseCorrect() const { return FUseCorrect; }
  void SetUseCorrect(bool Value) { FUseCorrect = Value; }
  bool UseMarkError() const { return FUseMarkError; }
  void SetUseMarkError(bool Value) { FUseMarkError = Value; }

 private:
  bool FGotoCell = false, FAutoCorrect = false, FAutoMarkError = false, FUseCorrect = false,
       FUseMarkError = false;
};
