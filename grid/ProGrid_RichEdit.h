// The grid's rich edit: the in-place editor of edRichEdit cells, and, hidden,
// the measure of rich text. Its selection can be raised or lowered (super- and
// subscript) by 40 twips.
#pragma once

#include "platform/widgets/ComCtrls.h"

class TProStringGrid;

class TProRichEdit : public TRichEdit {
 public:
  // The owner must be the grid.
  explicit TProRichEdit(TComponent* AOwner);

  // Makes the editor ready for the next cell.
  void ReCreate();
  // The selection's vertical offset: 0, -40 or +40 twips.
  void SelNormal();
  void SelSubscript();
  void SelSuperscript();
  bool IsSelNormal();
  bool IsSelSubscript();
  bool IsSelSuperscript();
  void SetSelectionOffset(int Offset);
  // While locked, resize requests do not size the grid's row.
  void Lock() { FLocked = true; }
  void Unlock() { FLocked = false; }
  // The size the text needs, from the last resize request.
  int ReqHeight() const { return FReqHeight; }
  int ReqWidth() const { return FReqWidth; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  // With goTabs a Tab moves the grid's cursor: its character is not typed.
  void KeyPress(QChar& Key) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void WMKillFocus(TWMKillFocus& Message) override;
  void RequestSize(const TRect& Rect) override;

 private:
  int SelectionOffset();

  TProStringGrid* FGrid = nullptr;
  int FReqHeight = 0;
  int FReqWidth = 0;
  bool FLocked = false;
};
