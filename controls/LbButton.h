// The owner-drawn push button of the configurator's windows (TLbButton) and
// its faces: six drawing styles with caption, glyph strip and drop-down arrow,
// hot tracking that blends the face towards a hot colour, and colour presets.
#pragma once

#include <QString>
#include <memory>

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/gdi/Graphics.h"
#include "platform/widgets/Buttons.h"

class TTimer;

// The value names and their order are those the window definitions store.
enum TLbButtonKind {
  bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll
};
// The framework's glyph layout, so that the button and the framework's
// buttons can be named in one unit.
using TLbButtonLayout = TButtonLayout;
enum TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum TLbColorStyle {
  lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2, lcsUltraFlatXP,
  lcsAqua, lcsDefault, lcsQuicken
};

// The colours and flags a colour preset gives a button. Every preset makes the
// font black (lcsQuicken white) and the style bsModern, bsQuicken or bsNormal.
struct TLbColorPreset {
  TColor Color = clBtnFace;
  TColor LightColor = clWhite;
  TColor ShadowColor = clGray;
  TColor ColorWhenDown = clNone;
  TColor HotTrackColor = clNone;
  TColor FontColor = clBlack;
  bool Modern = false;
  bool Quicken = false;
  bool Flat = false;
  TLbButtonStyle Style() const { return Modern ? bsModern : Quicken ? bsQuicken : bsNormal; }
};
// The preset of a colour style; lcsCustom (which a button never applies) gives
// the plain button's colours.
TLbColorPreset LbColorStylePreset(TLbColorStyle Preset);

// The face colour for a hot-track step (0..8): each component blended from
// Color towards HotTrackColor by Step/8 and truncated. Disabled buttons and
// HotTrackColor clNone keep Color; a pressed face (Pressed: pressed and
// enabled) takes ColorWhenDown unless that is clNone. The result is a direct colour
// except when ColorWhenDown is a system colour.
TColor LbFaceColor(TColor Color, TColor HotTrackColor, TColor ColorWhenDown, int Step, bool Pressed,
                   bool Enabled);

// Fills the rows Y0..Y1 (Y1 left out) between X0 and X1 (left out) with a
// vertical gradient from From to To in 32 bands, as the modern style draws it.
void LbVerticalGradient(TCanvas* Canvas, TColor From, TColor To, int X0, int Y0, int X1, int Y1);

// Draws a button face of W x H pixels at (0, 0) of Canvas, changing its pen,
// brush and font. Pressed counts only when Enabled; Hot means the pointer is on
// the button or the button has the focus. Glyph (may be nullptr) is a strip of
// NumGlyphs images: normal, disabled, pressed, hot; an image the strip lacks
// shows image 0. Each image is drawn with its bottom-left pixel's colour left out.
void DrawLbButtonFace(TCanvas* Canvas, int W, int H, int HotTrackStep, int NumGlyphs, TBitmap* Glyph,
                      bool Pressed, bool Hot, bool Enabled, bool Flat, bool WordWrap, bool HasPopup,
                      TLbButtonStyle Style, TColor Color, TColor ColorWhenDown, TColor HotTrackColor,
                      TColor LightColor, TColor ShadowColor, TFont* Font, TLbButtonLayout Layout,
                      const QString& Caption, TAlignment Alignment);

// The bitmap of a button picture of the program ("LBOK" ... "LBALL", "LBARROW");
// EResNotFound for an unknown name.
void LoadLbButtonBitmap(TBitmap* Bitmap, const QString& Name);

// The push button of the configurator's windows. It draws its own face (Style,
// colours, glyph, caption), takes the focus, reacts to Enter as a dialog's
// Default button and to Escape as its Cancel button, to the "&" accelerator of
// its caption, lights up while the pointer is over it (HotTrackColor) and, with
// SlowDecease, fades back in eight steps of 30 ms. A click runs OnClick, then
// gives the form the button's ModalResult, then pops up the PopupMenu.
class TLbButton : public TCustomControl {
 public:
  explicit TLbButton(TComponent* AOwner);
  ~TLbButton() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  // Reads lcsCustom always; setting another value applies that preset.
  TLbColorStyle ColorStyle() const { return FDummyStyle; }
  void SetColorStyle(TLbColorStyle Value);
  TColor ColorWhenDown() const { return FColorWhenDown; }
  void SetColorWhenDown(TColor Value) { FColorWhenDown = Value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // The image strip (owned; setting copies). Setting it makes NumGlyphs its
  // width divided by its height and Kind bkCustom.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TColor HotTrackColor() const { return FHotTrackColor; }
  void SetHotTrackColor(TColor Value) { FHotTrackColor = Value; }
  TFont* HotTrackFont() const { return FHTFont.get(); }
  void SetHotTrackFont(TFont* Value) { FHTFont->Assign(Value); }
  TLbButtonKind Kind() const { return FKind; }
  // A predefined kind sets two glyph images, the modal result, the glyph and the caption.
  void SetKind(TLbButtonKind Value);
  TLbButtonLayout Layout() const { return FLayout; }
  void SetLayout(TLbButtonLayout Value);
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor Value);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value);
  bool SlowDecease() const { return FSlowDecease; }
  void SetSlowDecease(bool Value);
  TLbButtonStyle Style() const { return FStyle; }
  void SetStyle(TLbButtonStyle Value);
  bool UseHotTrackFont() const { return FUseHTFont; }
  void SetUseHotTrackFont(bool Value) { FUseHTFont = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  // The caption (the control text); a new caption, however it is set,
  // repaints the button (CM_TEXTCHANGED).
  QString GetCaption() const { return Caption(); }
  void SetEnabled(bool Value) override;

  // Presses and clicks the button (as a release of the mouse would).
  void Click() override;
  // The click itself, for a visible, enabled, pressed button: OnClick, the
  // modal result for the form, the popup menu below the button.
  void FireClick();
  // One step of the fading hot colour (the fade timer's tick).
  void HotTrackTick(TObject* Sender);

  // Intensity of the hot colour, 0..8 (8: the full hot colour).
  int HotTrackStep() const { return FHotTrackStep; }
  // The fade ticker (its OnTimer is HotTrackTick); nullptr once SlowDecease is switched off.
  const TTimer* FadeTicker() const { return FThread.get(); }
  bool Pressed() const { return bDown; }
  bool CursorOnButton() const { return bCursorOnButton; }

  // OnClick and OnMouseEnter are the control's; the button adds its exit event.
  TNotifyEvent OnMouseExit;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TCMMouseEnterLeave& Message) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;
  void CMFocusChanged(TCMFocusChanged& Message) override;
  void CMTextChanged(TMessageView& Message) override;
  void CNKeyDown(TWMKey& Message) override;
  void CNKeyUp(TWMKey& Message) override;
  void CMDialogChar(TWMKey& Message) override;
  void CMDialogKey(TWMKey& Message) override;
  void WMEraseBkgnd(TWMEraseBkgnd& Message) override;

 private:
  bool HotForDrawing();
  // The styles whose face leaves what lies below visible around its shape.
  bool Shaped() const;
  bool ParentShowing() const;
  // The first form up the owner chain.
  TCustomForm* FindOwnerForm() const;
  void StopFade();

  TAlignment FAlignment = taCenter;
  TColor FShadowColor = 0x808080;
  TColor FColorWhenDown = clNone;
  bool FEnabled = true;  // the last value given to SetEnabled
  bool FFlat = false;
  bool FWordWrap = false;
  std::unique_ptr<TBitmap> FGlyph;
  TColor FHotTrackColor = clNone;
  std::unique_ptr<TFont> FHTFont;
  TLbButtonKind FKind = bkCustom;
  TLbButtonLayout FLayout = blGlyphLeft;
  TColor FLightColor = 0xFFFFFF;
  TModalResult FModalResult = mrNone;
  int FNumGlyphs = 0;
  bool FUseHTFont = false;
  TLbColorStyle FDummyStyle = lcsCustom;
  TLbButtonStyle FStyle = bsNormal;
  bool FDefault = false;
  bool FCancel = false;
  bool FSlowDecease = false;
  bool bDown = false;
  bool bCursorOnButton = false;
  // The fade ticker: runs every 30 ms on the user-interface thread while the
  // hot colour fades; stopped otherwise.
  std::unique_ptr<TTimer> FThread;
  int FHotTrackStep = 0;
  // Cleared when the button is destroyed; handlers that run events check it
  // before they touch the button again.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
