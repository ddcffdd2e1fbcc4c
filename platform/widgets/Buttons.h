// Buttons of the desktop framework: the speed button (a light button without
// a window, with a glyph, that can stay down within a group).
#pragma once

#include <QString>
#include <memory>

#include "platform/ui/Controls.h"
#include "platform/gdi/Graphics.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int;

// A speed button. A click (press and release over it, or its accelerator) fires
// OnClick; with a GroupIndex the button stays down after a click, and the other
// buttons of its group on the same parent go up (with AllowAllUp a second click
// brings it up again). Setting Down in code fires nothing. Glyph holds NumGlyphs
// pictures side by side: up, disabled, pressed, down; its bottom-left pixel's
// colour is transparent. A Flat button shows its edge only while the mouse is
// over it or it is down.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool MouseInControl() const { return FMouseInControl; }
  void Click() override;
  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TCMMouseEnterLeave& Message) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;
  void CMEnabledChanged(TMessageView& Message) override;
  void CMTextChanged(TMessageView& Message) override;
  void CMDialogChar(TWMKey& Message) override;
  // Tells the other buttons of the group that this one went down.
  void UpdateExclusive();
  virtual void CMButtonPressed(TMessage& Message);
  // Draws the face, glyph and caption for a state.
  void DrawButton(TCanvas* Canvas, TButtonState State);

  TButtonState FState = bsUp;
  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FFlat = false;
  bool FDragging = false;
  bool FMouseInControl = false;
  std::unique_ptr<TBitmap> FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FTransparent = true;
};
