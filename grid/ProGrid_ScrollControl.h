// Small windows of the grid: the thin "metro" scroll indicator, the floating
// caption of a dragged header, and a popup form that never takes activation.
#pragma once

#include <QString>

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

class TProStringGrid;

enum TScrollDirection { sdVertical, sdHorizontal };

// A thumb over the visible part of the rows (columns) of the grid it stands
// on; a click beside the thumb pages, a drag of the thumb scrolls. Without a
// string grid as parent it does nothing.
class TScrollControl : public TCustomControl {
 public:
  explicit TScrollControl(TComponent* AOwner);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int Value) { FScrollWidth = Value; }
  TScrollDirection Direction() const { return FDirection; }
  void SetDirection(TScrollDirection Value) { FDirection = Value; }
  // The thumb's start and length along the control ((0, 0) without a grid).
  TPoint ThumbGeometry();

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TProStringGrid* Grid() const;
  TColor FColor = TColor(0xC0C0C0);
  int FScrollWidth = 4;
  bool FDownOnScroller = false;
  int FDownPos = 0;
  int FDownRow = 0;
  TScrollDirection FDirection = sdVertical;
};

// The caption that follows the mouse while a header is dragged, drawn like
// the grid's top-left fixed cell.
class THeaderDragButton : public TCustomControl {
 public:
  THeaderDragButton(TComponent* AOwner, TProStringGrid* AGrid);
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

 private:
  TProStringGrid* FGrid;
  QString FCaption;
  bool FFlat = false;
};

// A popup form that a click does not activate.
class TNoActiveForm : public TForm {
 public:
  using TForm::TForm;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
};
