// Faces of the owner-drawn button, drawn into bitmaps and read pixel by pixel.
#include <gtest/gtest.h>

#include <memory>

#include "controls/LbButton.h"

namespace {

// Every input of the face routine, with a plain enabled button as default.
struct Face {
  int W = 100, H = 23, Step = 0, NumGlyphs = 0;
  TBitmap* Glyph = nullptr;
  bool Pressed = false, Hot = false, Enabled = true, Flat = false, WordWrap = false, Popup = false;
  TLbButtonStyle Style = bsNormal;
  TColor Color = 0xC0C0C0, WhenDown = clNone, HotColor = clNone, Light = clWhite, Shadow = clGray;
  TLbButtonLayout Layout = blGlyphLeft;
  QString Caption;
  TAlignment Alignment = taCenter;

  std::unique_ptr<TBitmap> Draw() const {
    auto bmp = std::make_unique<TBitmap>(W, H);
    bmp->Canvas()->Brush()->SetColor(clFuchsia);
    bmp->Canvas()->FillRect(Rect(0, 0, W, H));
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    DrawLbButtonFace(bmp->Canvas(), W, H, Step, NumGlyphs, Glyph, Pressed, Hot, Enabled, Flat, WordWrap,
                     Popup, Style, Color, WhenDown, HotColor, Light, Shadow, &font, Layout, Caption,
                     Alignment);
    return bmp;
  }
};

TColor At(TBitmap* b, int x, int y) { return b->Canvas()->Pixels(x, y); }

// The smallest rectangle holding the pixels of colour C inside R (empty when none).
TRect Extent(TBitmap* b, TColor C, TRect R) {
  TRect e(R.Right, R.Bottom, R.Left, R.Top);
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x)
      if (At(b, x, y) == C) {
        e.Left = std::min(e.Left, x);
        e.Top = std::min(e.Top, y);
        e.Right = std::max(e.Right, x + 1);
        e.Bottom = std::max(e.Bottom, y + 1);
      }
  return IsRectEmpty(e) ? TRect() : e;
}

bool SamePixels(TBitmap* a, TBitmap* b) {
  if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
  for (int y = 0; y < a->Height(); ++y)
    for (int x = 0; x < a->Width(); ++x)
      if (At(a, x, y) != At(b, x, y)) return false;
  return true;
}

// A strip of N images of Size x Size: a white ground (the transparent colour)
// with a square of the image's colour from (1, 1) to (Size - 1, Size - 1).
std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> Colors, int Size = 10) {
  auto b = std::make_unique<TBitmap>(int(Colors.size()) * Size, Size);
  b->Canvas()->Brush()->SetColor(clWhite);
  b->Canvas()->FillRect(Rect(0, 0, b->Width(), Size));
  int i = 0;
  for (TColor c : Colors) {
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(Rect(i * Size + 1, 1, i * Size + Size - 1, Size - 1));
    ++i;
  }
  return b;
}

int LineHeight() {
  TBitmap b(10, 10);
  b.Canvas()->Font()->SetName("Tahoma");
  b.Canvas()->Font()->SetHeight(-11);
  return b.Canvas()->TextHeight("Ag");
}

}  // namespace

TEST(LbButtonFaceColour, HotTrackBlendTruncatesAndPressedColourWins) {
  EXPECT_EQ(LbFaceColor(0x000000, 0xFFFFFF, clNone, 4, false, true), 0x7F7F7F);
  EXPECT_EQ(LbFaceColor(0x000000, 0xFFFFFF, clNone, 8, false, true), 0xFFFFFF);
  EXPECT_EQ(LbFaceColor(0x102030, 0xFFFFFF, clNone, 0, false, true), 0x102030);
  // Components blend separately: red 0 -> 255, blue 255 -> 0 at 3/8.
  EXPECT_EQ(LbFaceColor(0xFF0000, 0x0000FF, clNone, 3, false, true), 0x9F005F);
  // System colours are resolved before blending; clNone means no hot tracking.
  EXPECT_EQ(LbFaceColor(clBtnFace, clNone, clNone, 8, false, true), ColorToRGB(clBtnFace));
  EXPECT_EQ(LbFaceColor(clBtnFace, clWhite, clNone, 8, false, false), ColorToRGB(clBtnFace));
  EXPECT_EQ(LbFaceColor(0x000000, 0xFFFFFF, 0x0080FF, 8, true, true), 0x0080FF);
  EXPECT_EQ(LbFaceColor(0x000000, 0xFFFFFF, 0x0080FF, 0, true, false), 0x000000);

  Face f;
  f.Color = 0x000000;
  f.HotColor = 0xFFFFFF;
  f.Step = 4;
  auto b = f.Draw();
  EXPECT_EQ(At(b.get(), 50, 5), 0x7F7F7F);
  f.Enabled = false;
  b = f.Draw();
  EXPECT_EQ(At(b.get(), 50, 5), 0x000000);
}

TEST(LbButtonFaceColour, PresetsSetColoursAndStyle) {
  TLbColorPreset gold = LbColorStylePreset(lcsGold);
  EXPECT_EQ(gold.Color, 0x00C0C0);
  EXPECT_EQ(gold.HotTrackColor, 0x00DFDF);
  EXPECT_EQ(gold.Style(), bsModern);
  EXPECT_FALSE(gold.Flat);
  TLbColorPreset xp = LbColorStylePreset(lcsUltraFlatXP);
  EXPECT_EQ(xp.LightColor, 0xB59284);
  EXPECT_EQ(xp.ShadowColor, 0xB59285);
  EXPECT_EQ(xp.ColorWhenDown, 0xB59285);
  EXPECT_TRUE(xp.Flat);
  EXPECT_EQ(xp.Style(), bsNormal);
  TLbColorPreset q = LbColorStylePreset(lcsQuicken);
  EXPECT_EQ(q.Style(), bsQuicken);
  EXPECT_EQ(q.FontColor, 0xFFFFFF);
  EXPECT_EQ(LbColorStylePreset(lcsUltraFlat2).FontColor, clBlack);
}

TEST(LbButtonFaceEdges, RaisedSunkenAndFlatOnlyWhenHot) {
  Face f;
  auto b = f.Draw();
  // Light top and left, shadow right and bottom; the face fills the rest.
  EXPECT_EQ(At(b.get(), 0, 0), clWhite);
  EXPECT_EQ(At(b.get(), 0, 21), clWhite);
  EXPECT_EQ(At(b.get(), 98, 0), clWhite);
  EXPECT_EQ(At(b.get(), 99, 0), clGray);
  EXPECT_EQ(At(b.get(), 99, 22), clGray);
  EXPECT_EQ(At(b.get(), 1, 22), clGray);
  EXPECT_EQ(At(b.get(), 0, 22), clWhite);  // where the light path starts
  EXPECT_EQ(At(b.get(), 1, 1), 0xC0C0C0);
  f.Pressed = true;
  b = f.Draw();
  EXPECT_EQ(At(b.get(), 0, 0), clGray);
  EXPECT_EQ(At(b.get(), 99, 22), clWhite);

  struct Case { bool Hot, Pressed, Enabled, Flat; bool Edges; };
  for (const Case& c : {Case{false, false, true, true, false}, Case{true, false, true, true, true},
                        Case{false, true, true, true, true}, Case{false, false, false, true, false},
                        Case{true, false, false, true, false}, Case{false, false, false, false, true}}) {
    Face g;
    g.Hot = c.Hot;
    g.Pressed = c.Pressed;
    g.Enabled = c.Enabled;
    g.Flat = c.Flat;
    for (TLbButtonStyle s : {bsNormal, bsEncarta, bsOld}) {
      g.Style = s;
      auto e = g.Draw();
      SCOPED_TRACE(testing::Message() << "style " << s << " hot " << c.Hot << " pressed " << c.Pressed
                                      << " enabled " << c.Enabled);
      EXPECT_EQ(At(e.get(), 50, 0) != 0xC0C0C0, c.Edges);
    }
  }
}

TEST(LbButtonFaceEdges, OldStyleHasDarkOuterAndShadowInnerLines) {
  Face f;
  f.Style = bsOld;
  auto b = f.Draw();
  EXPECT_EQ(At(b.get(), 0, 0), clWhite);
  EXPECT_EQ(At(b.get(), 99, 5), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(At(b.get(), 0, 22), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(At(b.get(), 98, 5), clGray);
  EXPECT_EQ(At(b.get(), 5, 21), clGray);
  f.Pressed = true;
  b = f.Draw();
  EXPECT_EQ(At(b.get(), 0, 5), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(At(b.get(), 1, 5), clGray);
  EXPECT_EQ(At(b.get(), 5, 1), clGray);
  EXPECT_EQ(At(b.get(), 99, 5), clWhite);
}

TEST(LbButtonFaceModern, GradientBandsAndRoundedOutline) {
  // Light black, face $F8F8F8: the 32 bands step by 8 in each component.
  Face f;
  f.Style = bsModern;
  f.Color = 0xF8F8F8;
  f.Light = 0x000000;
  f.Shadow = 0x0000FF;
  auto b = f.Draw();
  auto grey = [](int v) { return RGB(v, v, v); };
  // Light to face between rows 2 and 5: each row shows the last band drawn on it.
  EXPECT_EQ(At(b.get(), 50, 2), grey(80));
  EXPECT_EQ(At(b.get(), 50, 3), grey(160));
  EXPECT_EQ(At(b.get(), 50, 4), grey(240));
  // Face back to light between rows 5 and 22.
  EXPECT_EQ(At(b.get(), 50, 5), grey(240));
  EXPECT_EQ(At(b.get(), 50, 20), grey(16));
  EXPECT_EQ(At(b.get(), 2, 10), At(b.get(), 97, 10));
  // Inner outline in the face colour, rounded outline in the shadow colour;
  // the corners keep what lay below.
  EXPECT_EQ(At(b.get(), 1, 10), 0xF8F8F8);
  EXPECT_EQ(At(b.get(), 0, 10), 0x0000FF);
  EXPECT_EQ(At(b.get(), 50, 22), 0x0000FF);
  EXPECT_EQ(At(b.get(), 0, 0), clFuchsia);
  f.Pressed = true;
  b = f.Draw();
  EXPECT_EQ(At(b.get(), 1, 10), 0x0000FF);
  // The band border moves down by the press offset.
  EXPECT_EQ(At(b.get(), 50, 5), grey(240));
  EXPECT_EQ(At(b.get(), 50, 6), grey(240));

  // A tall face: bands of two rows overlapping by one.
  Face t = f;
  t.Pressed = false;
  t.H = 200;
  b = t.Draw();
  EXPECT_EQ(At(b.get(), 50, 2), grey(0));
  EXPECT_EQ(At(b.get(), 50, 3), grey(8));
}

TEST(LbButtonFaceModern, QuickenAndShapeFaces) {
  Face f;
  f.Style = bsQuicken;
  f.Color = 0x603000;
  f.Shadow = 0xC0C0C0;
  auto b = f.Draw();
  EXPECT_EQ(At(b.get(), 50, 0), 0xC0C0C0);
  EXPECT_EQ(At(b.get(), 3, 0), clFuchsia);
  EXPECT_EQ(At(b.get(), 94, 0), 0xC0C0C0);
  EXPECT_EQ(At(b.get(), 95, 0), clFuchsia);
  EXPECT_EQ(At(b.get(), 50, 10), 0x603000);
  EXPECT_EQ(At(b.get(), 0, 0), clFuchsia);

  Face s;
  s.Style = bsShape;
  auto glyph = Strip({clRed});
  s.Glyph = glyph.get();
  s.NumGlyphs = 1;
  s.Pressed = true;
  b = s.Draw();
  // Transparent ground, the glyph centred and not moved by the press.
  EXPECT_EQ(At(b.get(), 0, 0), clFuchsia);
  EXPECT_EQ(At(b.get(), 50, 0), clFuchsia);
  EXPECT_EQ(Extent(b.get(), clRed, Rect(0, 0, 100, 23)), Rect(46, 7, 54, 15));
}

TEST(LbButtonFaceCaption, EncartaBoldWithoutOffsetNormalMovesByOne) {
  Face f;
  f.Caption = "OK";
  f.Style = bsEncarta;
  const TRect area(2, 2, 98, 21);
  TRect up = Extent(f.Draw().get(), clBlack, area);
  ASSERT_FALSE(IsRectEmpty(up));
  EXPECT_NEAR((up.Left + up.Right) / 2, 50, 2);
  f.Pressed = true;
  TRect down = Extent(f.Draw().get(), clBlack, area);
  EXPECT_EQ(down.Top, up.Top);
  EXPECT_GT(down.Width(), up.Width());  // bold

  Face n;
  n.Caption = "OK";
  TRect nUp = Extent(n.Draw().get(), clBlack, area);
  EXPECT_EQ(nUp, up);
  n.Pressed = true;
  TRect nDown = Extent(n.Draw().get(), clBlack, area);
  EXPECT_EQ(nDown, Rect(up.Left + 1, up.Top + 1, up.Right + 1, up.Bottom + 1));

  // Disabled: grey text, no offset and no bold.
  n.Enabled = false;
  auto b = n.Draw();
  EXPECT_TRUE(IsRectEmpty(Extent(b.get(), clBlack, area)));
  EXPECT_EQ(Extent(b.get(), clGray, area), up);
}

TEST(LbButtonFaceCaption, ShortenedToTheRoomLeftWithoutEllipsis) {
  Face f;
  f.W = 40;
  f.Caption = "Wiederholen";
  f.Alignment = taLeftJustify;
  auto full = f.Draw();
  // The caption is cut to the longest start that fits 40 - 8 pixels.
  TBitmap probe(10, 10);
  probe.Canvas()->Font()->SetName("Tahoma");
  probe.Canvas()->Font()->SetHeight(-11);
  int k = f.Caption.size();
  while (k > 0 && probe.Canvas()->TextWidth(f.Caption.left(k)) > 32) --k;
  ASSERT_GT(k, 0);
  ASSERT_LT(k, f.Caption.size());
  Face cut = f;
  cut.Caption = f.Caption.left(k);
  EXPECT_TRUE(SamePixels(full.get(), cut.Draw().get()));
  EXPECT_LE(Extent(full.get(), clBlack, Rect(1, 1, 39, 22)).Right, 36);

  // Narrower than 8 pixels: nothing is left of the caption.
  Face tiny = f;
  tiny.W = 7;
  Face none = tiny;
  none.Caption.clear();
  EXPECT_TRUE(SamePixels(tiny.Draw().get(), none.Draw().get()));

  // With word wrap the caption breaks into lines instead.
  Face wrap;
  wrap.W = 60;
  wrap.H = 40;
  wrap.Caption = "Alle Zeilen";
  wrap.WordWrap = true;
  TRect e = Extent(wrap.Draw().get(), clBlack, Rect(1, 1, 59, 39));
  EXPECT_GT(e.Height(), LineHeight());
}

TEST(LbButtonFaceGlyph, ImageChoiceAndDisabledFallback) {
  auto two = Strip({clRed, clBlue});
  auto one = Strip({clRed});
  auto three = Strip({clRed, clBlue, clLime});
  auto four = Strip({clRed, clBlue, clLime, clYellow});
  struct Case { TBitmap* Glyph; int Num; bool Enabled, Hot, Pressed; TColor Shown; };
  const Case cases[] = {
      {two.get(), 2, true, false, false, clRed},     {two.get(), 2, false, false, false, clBlue},
      {one.get(), 1, false, false, false, clRed},    {four.get(), 4, true, true, false, clYellow},
      {four.get(), 4, true, true, true, clLime},     {four.get(), 4, false, true, true, clBlue},
      {three.get(), 3, true, true, false, clRed},    {three.get(), 3, true, false, true, clLime},
      {two.get(), 2, true, true, true, clRed},
  };
  for (const Case& c : cases) {
    Face f;
    f.Glyph = c.Glyph;
    f.NumGlyphs = c.Num;
    f.Enabled = c.Enabled;
    f.Hot = c.Hot;
    f.Pressed = c.Pressed;
    f.Alignment = taLeftJustify;
    SCOPED_TRACE(testing::Message() << "images " << c.Num << " enabled " << c.Enabled << " hot " << c.Hot
                                    << " pressed " << c.Pressed);
    auto b = f.Draw();
    const int off = c.Enabled && c.Pressed ? 1 : 0;
    // Image at (4, 6) plus the press offset; its white ground is left out.
    EXPECT_EQ(At(b.get(), 4 + off + 4, 6 + off + 4), c.Shown);
    EXPECT_EQ(At(b.get(), 4 + off, 6 + off), 0xC0C0C0);
  }
}

TEST(LbButtonFaceGlyph, FourLayouts) {
  auto glyph = Strip({clRed}, 12);
  const int th = LineHeight();
  struct Case { TLbButtonLayout Layout; TAlignment Align; bool Caption; TRect Glyph; };
  const int gtC = (23 - 12) / 2;
  const int gtTop = (60 - (th + 16)) / 2;
  const Case cases[] = {
      {blGlyphLeft, taLeftJustify, true, Bounds(4, gtC, 12, 12)},
      {blGlyphLeft, taRightJustify, false, Bounds(100 - 4 - 12, gtC, 12, 12)},
      {blGlyphLeft, taCenter, false, Bounds(44, gtC, 12, 12)},
      {blGlyphRight, taRightJustify, true, Bounds(100 - 4 - 12, gtC, 12, 12)},
      {blGlyphRight, taCenter, false, Bounds(44, gtC, 12, 12)},
      {blGlyphTop, taCenter, true, Bounds(44, gtTop, 12, 12)},
      {blGlyphTop, taLeftJustify, true, Bounds(4, gtTop, 12, 12)},
      {blGlyphBottom, taRightJustify, true, Bounds(100 - 12 - 4, gtTop + th, 12, 12)},
  };
  for (const Case& c : cases) {
    Face f;
    f.H = c.Layout == blGlyphTop || c.Layout == blGlyphBottom ? 60 : 23;
    f.Glyph = glyph.get();
    f.NumGlyphs = 1;
    f.Layout = c.Layout;
    f.Alignment = c.Align;
    if (c.Caption) f.Caption = "OK";
    SCOPED_TRACE(testing::Message() << "layout " << c.Layout << " alignment " << c.Align);
    auto b = f.Draw();
    TRect g = Extent(b.get(), clRed, Rect(0, 0, f.W, f.H));
    EXPECT_EQ(g, Rect(c.Glyph.Left + 1, c.Glyph.Top + 1, c.Glyph.Right - 1, c.Glyph.Bottom - 1));
    TRect t = Extent(b.get(), clBlack, Rect(1, 1, f.W - 1, f.H - 1));
    if (!c.Caption) continue;
    ASSERT_FALSE(IsRectEmpty(t));
    switch (c.Layout) {
      case blGlyphLeft:  // text starts right of the glyph
        EXPECT_GE(t.Left, 4 + 12 + 4);
        break;
      case blGlyphRight:  // text ends before the glyph
        EXPECT_LE(t.Right, c.Glyph.Left);
        break;
      case blGlyphTop:  // text in the line below the glyph
        EXPECT_GE(t.Top, gtTop + 12);
        EXPECT_LE(t.Bottom, gtTop + 12 + th);
        break;
      case blGlyphBottom:
        EXPECT_GE(t.Top, gtTop);
        EXPECT_LE(t.Bottom, gtTop + th);
        break;
    }
  }
  // A caption beside a centred glyph: glyph left of the centre, text right of it.
  Face f;
  f.Glyph = glyph.get();
  f.NumGlyphs = 1;
  f.Caption = "OK";
  auto b = f.Draw();
  TRect g = Extent(b.get(), clRed, Rect(0, 0, 100, 23));
  TRect t = Extent(b.get(), clBlack, Rect(1, 1, 99, 22));
  EXPECT_LT(g.Right, t.Left);
  EXPECT_NEAR((g.Left - 1 + t.Right) / 2, 50, 4);
}

TEST(LbButtonFaceGlyph, PopupArrowElevenPixelsFromTheRight) {
  Face f;
  f.Popup = true;
  auto b = f.Draw();
  EXPECT_EQ(Extent(b.get(), clBlack, Rect(0, 0, 100, 23)), Rect(89, 10, 94, 13));
  EXPECT_EQ(At(b.get(), 89, 11), 0xC0C0C0);  // the white ground is left out
  EXPECT_EQ(At(b.get(), 91, 12), clBlack);
  f.H = 40;
  b = f.Draw();
  EXPECT_EQ(Extent(b.get(), clBlack, Rect(0, 0, 100, 40)), Rect(89, 19, 94, 22));
}

TEST(LbButtonFaceGlyph, KindPicturesAreTwoImageStrips) {
  for (const char* name : {"LBOK", "LBCANCEL", "LBHELP", "LBYES", "LBNO", "LBCLOSE", "LBABORT", "LBRETRY",
                           "LBIGNORE", "LBALL"}) {
    SCOPED_TRACE(name);
    TBitmap b;
    LoadLbButtonBitmap(&b, name);
    EXPECT_EQ(b.Width(), 36);
    EXPECT_EQ(b.Height(), QString(name) == "LBALL" ? 19 : 18);
    // Both images share the transparent ground colour in their bottom-left pixel.
    EXPECT_EQ(At(&b, 0, b.Height() - 1), At(&b, 18, b.Height() - 1));
  }
  TBitmap arrow;
  LoadLbButtonBitmap(&arrow, "LBARROW");
  EXPECT_EQ(arrow.Width(), 5);
  EXPECT_EQ(arrow.Height(), 3);
  TBitmap none;
  EXPECT_THROW(LoadLbButtonBitmap(&none, "LBNOTHING"), EResNotFound);
}
