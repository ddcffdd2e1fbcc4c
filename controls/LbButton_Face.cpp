// Drawing of the owner-drawn button: the faces of the six styles, the caption
// and glyph layouts, the drop-down arrow and the colour presets.
#include <algorithm>
#include <cmath>
#include <memory>

#include "controls/LbButton.h"
#include "platform/gdi/WinGdi.h"

static void InitLbButtonResources() { Q_INIT_RESOURCE(LbButton); }

void LoadLbButtonBitmap(TBitmap* Bitmap, const QString& Name) {
  static const bool registered = (InitLbButtonResources(), true);
  (void)registered;
  Bitmap->LoadFromResourceName(HInstance, Name);
}

TLbColorPreset LbColorStylePreset(TLbColorStyle Preset) {
  TLbColorPreset p;
  auto set = [&p](TColor Color, TColor Light, TColor Shadow, TColor Down, TColor Hot) {
    p.Color = Color;
    p.LightColor = Light;
    p.ShadowColor = Shadow;
    p.ColorWhenDown = Down;
    p.HotTrackColor = Hot;
  };
  switch (Preset) {
    case lcsGold:
      set(0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF);
      p.Modern = true;
      break;
    case lcsChrome:
      set(0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone);
      p.Modern = true;
      break;
    case lcsBlue:
      set(0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone);
      p.Modern = true;
      break;
    case lcsRed:
      set(0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone);
      p.Modern = true;
      break;
    case lcsUltraFlat1:
      set(clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6);
      p.Flat = true;
      break;
    case lcsUltraFlat2:
      set(clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4);
      p.Flat = true;
      break;
    case lcsUltraFlatXP:
      // The shadow and pressed colours differ from the light colour by one step of red.
      set(0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6);
      p.Flat = true;
      break;
    case lcsAqua:
      set(0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone);
      p.Modern = true;
      break;
    case lcsQuicken:
      set(0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C);
      p.Quicken = true;
      p.FontColor = 0xFFFFFF;
      break;
    case lcsCustom:
    case lcsDefault:
      set(clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone);
      break;
  }
  return p;
}

TColor LbFaceColor(TColor Color, TColor HotTrackColor, TColor ColorWhenDown, int Step, bool Pressed,
                   bool Enabled) {
  TColor face = ColorToRGB(Color);
  if (Enabled && HotTrackColor != clNone) {
    const TColor hot = ColorToRGB(HotTrackColor);
    const double s = Step / 8.0;
    auto mix = [s](int c, int h) {
      // Eighths are exact in binary, so the truncation sees the true value (127.5 -> 127).
      return std::clamp(int(std::trunc(c * (1 - s) + h * s)), 0, 255);
    };
    face = RGB(mix(GetRValue(face), GetRValue(hot)), mix(GetGValue(face), GetGValue(hot)),
               mix(GetBValue(face), GetBValue(hot)));
  }
  if (Pressed && Enabled && ColorWhenDown != clNone) face = ColorWhenDown;
  return face;
}

void LbVerticalGradient(TCanvas* Canvas, TColor From, TColor To, int X0, int Y0, int X1, int Y1) {
  const TColor f = ColorToRGB(From), t = ColorToRGB(To);
  double r = GetRValue(f), g = GetGValue(f), b = GetBValue(f);
  const double dr = (GetRValue(t) - r) / 31, dg = (GetGValue(t) - g) / 31, db = (GetBValue(t) - b) / 31;
  const int extent = Y1 - Y0;
  const TBrushStyle oldStyle = Canvas->Brush()->Style();
  const TColor oldColor = Canvas->Brush()->Color();
  for (int i = 0; i < 32; ++i) {
    const int top = Y0 + i * extent / 31;
    const int bottom = std::min(Y1, top + extent / 31 + 1);
    Canvas->Brush()->SetColor(RGB(int(std::trunc(r)), int(std::trunc(g)), int(std::trunc(b))));
    if (bottom > top) Canvas->FillRect(Rect(X0, top, X1, bottom));
    // The components advance step by step, as the bands are drawn.
    r += dr;
    g += dg;
    b += db;
  }
  Canvas->Brush()->SetColor(oldColor);
  Canvas->Brush()->SetStyle(oldStyle);
}

namespace {

// One image of the strip, drawn with its bottom-left pixel's colour left out.
void DrawGlyphImage(TCanvas* Canvas, TBitmap* Glyph, int Index, int GW, int GH, int X, int Y) {
  if (GW <= 0 || GH <= 0) return;
  TBitmap image(GW, GH);
  image.Canvas()->CopyRect(Rect(0, 0, GW, GH), Glyph->Canvas(), Rect(Index * GW, 0, Index * GW + GW, GH));
  image.SetTransparent(true);
  Canvas->Draw(X, Y, &image);
}

void Line(TCanvas* Canvas, TColor Color, std::initializer_list<TPoint> Points) {
  Canvas->Pen()->SetColor(Color);
  auto p = Points.begin();
  Canvas->MoveTo(p->X, p->Y);
  for (++p; p != Points.end(); ++p) Canvas->LineTo(p->X, p->Y);
}

// Continues the current path in another colour.
void LineOn(TCanvas* Canvas, TColor Color, std::initializer_list<TPoint> Points) {
  Canvas->Pen()->SetColor(Color);
  for (const TPoint& p : Points) Canvas->LineTo(p.X, p.Y);
}

}  // namespace

void DrawLbButtonFace(TCanvas* Canvas, int W, int H, int HotTrackStep, int NumGlyphs, TBitmap* Glyph,
                      bool Pressed, bool Hot, bool Enabled, bool Flat, bool WordWrap, bool HasPopup,
                      TLbButtonStyle Style, TColor Color, TColor ColorWhenDown, TColor HotTrackColor,
                      TColor LightColor, TColor ShadowColor, TFont* Font, TLbButtonLayout Layout,
                      const QString& Caption, TAlignment Alignment) {
  const bool down = Pressed && Enabled;
  const int off = down && Style != bsEncarta ? 1 : 0;
  const TColor face = LbFaceColor(Color, HotTrackColor, ColorWhenDown, HotTrackStep, down, Enabled);
  TPen* pen = Canvas->Pen();
  TBrush* brush = Canvas->Brush();
  pen->SetStyle(psSolid);
  pen->SetMode(pmCopy);
  pen->SetWidth(1);

  // Background.
  switch (Style) {
    case bsShape:
      brush->SetColor(clFuchsia);
      Canvas->FillRect(Rect(0, 0, W, H));
      break;
    case bsNormal:
    case bsEncarta:
    case bsOld:
      // The outline of this rectangle falls outside the face.
      brush->SetColor(face);
      pen->SetColor(face);
      Canvas->Rectangle(-1, -1, W + 1, H + 1);
      break;
    case bsModern:
      LbVerticalGradient(Canvas, LightColor, face, 2, 2, W - 2, H / 4 + off);
      LbVerticalGradient(Canvas, face, LightColor, 2, H / 4 + off, W - 2, H - 1);
      break;
    case bsQuicken:
      break;
  }
  brush->SetStyle(bsClear);

  // Edges.
  switch (Style) {
    case bsNormal:
    case bsEncarta:
    case bsOld: {
      const bool edges = Enabled ? !Flat || Hot || down : !Flat;
      if (!edges) break;
      if (Style == bsOld) {
        if (down)
          Line(Canvas, ShadowColor, {{1, H - 3}, {1, 1}, {W - 2, 1}});
        else
          Line(Canvas, ShadowColor, {{W - 2, 0}, {W - 2, H - 2}, {0, H - 2}});
        Line(Canvas, down ? cl3DDkShadow : LightColor, {{0, H - 1}, {0, 0}, {W - 1, 0}});
        LineOn(Canvas, down ? LightColor : cl3DDkShadow, {{W - 1, H - 1}, {-1, H - 1}});
      } else {
        Line(Canvas, down ? ShadowColor : LightColor, {{0, H - 1}, {0, 0}, {W - 1, 0}});
        LineOn(Canvas, down ? LightColor : ShadowColor, {{W - 1, H - 1}, {0, H - 1}});
      }
      break;
    }
    case bsModern:
      pen->SetColor(down ? ShadowColor : face);
      Canvas->Rectangle(1, 1, W - 1, H - 1);
      pen->SetColor(ShadowColor);
      Canvas->RoundRect(0, 0, W, H, 6, 6);
      break;
    case bsQuicken:
      brush->SetColor(face);
      pen->SetStyle(psClear);
      Canvas->RoundRect(0, 1, W, H, 4, 4);
      pen->SetStyle(psSolid);
      brush->SetStyle(bsClear);
      Line(Canvas, ShadowColor, {{4, 0}, {W - 5, 0}});
      Line(Canvas, ShadowColor, {{4, H - 1}, {W - 5, H - 1}});
      break;
    case bsShape:
      break;
  }

  // Font.
  TFont* font = Canvas->Font();
  if (Font) font->Assign(Font);
  if (Style == bsEncarta && down) font->SetStyle(font->Style() + fsBold);

  // Glyph image.
  const bool hasGlyph = Glyph && !Glyph->Empty();
  const int gw = hasGlyph && NumGlyphs > 0 ? Glyph->Width() / NumGlyphs : 0;
  const int gh = hasGlyph ? Glyph->Height() : 0;
  int image = 0;
  if (!Enabled) {
    image = 1;
  } else {
    if (Hot && NumGlyphs > 3) image = 3;
    if (down && NumGlyphs > 2) image = 2;
  }
  // A one-image strip has no disabled image: the normal one stands in.
  if (image >= NumGlyphs || (image + 1) * gw > (hasGlyph ? Glyph->Width() : 0)) image = 0;

  // Caption fitting.
  const bool sideways = Style != bsShape && (Layout == blGlyphLeft || Layout == blGlyphRight);
  int avail = W - 8;
  if (sideways && gw > 0) avail -= gw + 4;
  avail = std::max(avail, 0);
  QString caption = Caption;
  if (!WordWrap)
    while (!caption.isEmpty() && Canvas->TextWidth(caption) > avail) caption.chop(1);
  TRect calc(0, 0, avail, 0);
  DrawText(Canvas->Handle(), caption, -1, calc, DT_CALCRECT | DT_WORDBREAK);
  const int tH = calc.Height(), tW = calc.Width();
  const UINT flags = DT_WORDBREAK | (Alignment == taLeftJustify    ? DT_LEFT
                                     : Alignment == taRightJustify ? DT_RIGHT
                                                                   : DT_CENTER);

  if (Style == bsShape) {
    // Centred glyph without press offset; the caption keeps the font colour even when disabled.
    DrawGlyphImage(Canvas, Glyph, image, gw, gh, (W - gw) / 2, (H - gh) / 2);
    DrawText(Canvas->Handle(), caption, -1, Rect(off, (H - tH) / 2 + off, W, H), DT_WORDBREAK | DT_CENTER);
  } else {
    int tL = off + 4, tT = 0, gL = off + 4, gT = 0;
    if (sideways) {
      tT = (H - tH) / 2 + off;
      gT = (H - gh) / 2 + off;
      const int tw = caption.isEmpty() ? 0 : tW + 4;
      if (Layout == blGlyphLeft) {
        if (gw > 0) tL += gw + 4;
        gL = off + 4;
        if (!WordWrap) {
          if (Alignment == taRightJustify)
            gL = W - 4 - gw - tw + off;
          else if (Alignment == taCenter)
            gL = (W - gw) / 2 + off - tw / 2;
        }
      } else {
        gL = tL + tw;
        if (!WordWrap) {
          if (Alignment == taRightJustify)
            gL = W - 4 + off - gw;
          else if (Alignment == taCenter)
            gL = (W - gw) / 2 + off + tw / 2;
        }
      }
    } else {
      const int total = tH + (gh > 0 ? gh + 4 : 0);
      if (Layout == blGlyphTop) {
        gT = (H - total) / 2 + off;
        tT = (H - total) / 2 + gh + off;
      } else {
        tT = (H - total) / 2 + off;
        gT = (H - total) / 2 + tH + off;
      }
      gL = Alignment == taLeftJustify    ? off + 4
           : Alignment == taRightJustify ? W - gw - 4 + off
                                         : (W - gw) / 2 + off;
    }
    if (!Enabled) font->SetColor(TColor(0x808080));
    DrawText(Canvas->Handle(), caption, -1, Rect(tL, tT, tL + avail, tT + tH), flags);
    DrawGlyphImage(Canvas, Glyph, image, gw, gh, gL, gT);
  }

  if (HasPopup) {
    static TBitmap arrow;
    if (arrow.Empty()) {
      LoadLbButtonBitmap(&arrow, QStringLiteral("LBARROW"));
      arrow.SetTransparent(true);
    }
    Canvas->Draw(W - 11, H / 2 - 1, &arrow);
  }
}
