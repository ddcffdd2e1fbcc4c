// The owner-drawn push button of the configurator's windows (TLbButton) and
// its faces: six drawing styles with caption, glyph strip and drop-down arrow,
// hot tracking that blends the face towards a hot colour, and colour presets.
#pragma once

#include <QString>

#include "platform/Graphics.h"

#if __has_include("platform/Controls.h")
#include "platform/Controls.h"
#else
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
#endif

// The value names and their order are those the window definitions store.
enum TLbButtonKind {
  bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll
};
enum TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
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
