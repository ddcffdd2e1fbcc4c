// Colours, fonts, bitmaps and pictures, edges and frame controls.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QTemporaryDir>
#include <functional>

#include "platform/gdi/Graphics.h"

namespace {

TColor Px(const QImage& img, int x, int y) {
  QRgb c = img.pixel(x, y);
  return RGB(qRed(c), qGreen(c), qBlue(c));
}

}  // namespace

TEST(Colors, ColorToRGBResolvesSystemColoursOnly) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
  EXPECT_EQ(ColorToRGB(clWindowText), RGB(0, 0, 0));
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(64, 64, 64));
  EXPECT_EQ(ColorToRGB(clGradientActiveCaption), RGB(166, 202, 240));
  EXPECT_EQ(clWindow, TColor(0xFF000005));
  EXPECT_EQ(clBtnFace, TColor(0xFF00000F));
  EXPECT_EQ(clInfoBk, TColor(0xFF000018));
  // Everything else comes back as it is.
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
  EXPECT_EQ(ColorToRGB(TColor(0x123456)), TColor(0x123456));
  EXPECT_EQ(RGB(1, 2, 3), TColor(0x030201));
  EXPECT_EQ(GetRValue(clSkyBlue), 0xA6);
  EXPECT_EQ(GetGValue(clSkyBlue), 0xCA);
  EXPECT_EQ(GetBValue(clSkyBlue), 0xF0);
  EXPECT_EQ(ColorToString(clBtnFace), QStringLiteral("clBtnFace"));
  EXPECT_EQ(ColorToString(TColor(0x00123456)), QStringLiteral("$00123456"));
  EXPECT_EQ(StringToColor(QStringLiteral("clred")), clRed);
  EXPECT_EQ(StringToColor(QStringLiteral("$00FF8000")), TColor(0xFF8000));
  EXPECT_THROW(StringToColor(QStringLiteral("reddish")), EConvertError);
}

TEST(Fonts, HeightAndSizeFollowTheSignRule) {
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  f.SetHeight(-16);
  EXPECT_EQ(f.Size(), 12);
  f.SetHeight(20);  // a positive height is the cell height: negative size
  EXPECT_EQ(f.Size(), -15);
  EXPECT_EQ(changes, 3);
  f.SetHeight(20);
  EXPECT_EQ(changes, 3);

  TFont big;
  big.SetPixelsPerInch(120);
  big.SetSize(9);
  EXPECT_EQ(big.Height(), -15);
  big.SetName(QStringLiteral("Verdana"));
  big.SetStyle(TFontStyles{fsBold, fsItalic});
  big.SetColor(clRed);
  TFont copy;
  copy.Assign(&big);  // across resolutions the point size is kept
  EXPECT_EQ(copy.Size(), 9);
  EXPECT_EQ(copy.Height(), -12);
  EXPECT_EQ(copy.Name(), QStringLiteral("Verdana"));
  EXPECT_TRUE(copy.Style().contains(fsItalic));
  EXPECT_EQ(copy.Color(), clRed);
  TPen pen;
  EXPECT_THROW(copy.Assign(&pen), EConvertError);
}

TEST(Fonts, APainterSwitchingBetweenTwoFacesKeepsBothHandles) {
  TFont normal, fixed;
  fixed.SetName(QStringLiteral("Verdana"));
  fixed.SetStyle(TFontStyles{fsBold});
  TFont f;
  f.Assign(&normal);
  HFONT hNormal = f.Handle();
  f.Assign(&fixed);
  HFONT hFixed = f.Handle();
  EXPECT_NE(hFixed, hNormal);
  for (int i = 0; i < 3; ++i) {
    f.Assign(&normal);
    EXPECT_EQ(f.Handle(), hNormal);
    f.Assign(&fixed);
    EXPECT_EQ(f.Handle(), hFixed);
  }
  LOGFONT lf;
  ASSERT_TRUE(GetObject(hFixed, lf));
  EXPECT_EQ(lf.lfFaceName, QStringLiteral("Verdana"));
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  // A third face: the handles still describe their faces.
  f.SetSize(20);
  ASSERT_TRUE(GetObject(f.Handle(), lf));
  EXPECT_EQ(lf.lfHeight, -MulDiv(20, f.PixelsPerInch(), 72));
  f.Assign(&normal);
  ASSERT_TRUE(GetObject(f.Handle(), lf));
  EXPECT_EQ(lf.lfFaceName, normal.Name());
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
}

TEST(Pens, AssignCopiesAndTellsOnlyOfAChange) {
  TPen from;
  from.SetColor(clRed);
  from.SetWidth(3);
  from.SetStyle(psDot);
  from.SetMode(pmXor);
  TPen to;
  int changes = 0;
  to.OnChange = [&](TObject*) { ++changes; };
  to.Assign(&from);
  EXPECT_EQ(to.Color(), clRed);
  EXPECT_EQ(to.Width(), 3);
  EXPECT_EQ(to.Style(), psDot);
  EXPECT_EQ(to.Mode(), pmXor);
  EXPECT_EQ(changes, 1);
  // The same pen again changes nothing and keeps the handle made for it.
  HPEN h = to.Handle();
  to.Assign(&from);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(to.Handle(), h);
  // Each field alone is a change.
  const std::function<void(TPen&)> edits[] = {[](TPen& p) { p.SetColor(clBlue); },
                                              [](TPen& p) { p.SetWidth(1); },
                                              [](TPen& p) { p.SetStyle(psSolid); },
                                              [](TPen& p) { p.SetMode(pmCopy); }};
  for (const auto& edit : edits) {
    TPen other;
    other.Assign(&from);
    edit(other);
    const int before = changes;
    to.Assign(&other);
    EXPECT_EQ(changes, before + 1);
    to.Assign(&from);
  }
  LOGPEN lp;
  ASSERT_TRUE(GetObject(to.Handle(), lp));
  EXPECT_EQ(lp.lopnWidth.X, 3);
}

TEST(Fonts, NamedFontsMapToInstalledOnesAndHandlesRoundTrip) {
  for (const char* name : {"Verdana", "Tahoma", "MS Sans Serif", "Segoe UI", "Symbol", "Arial", "Courier New"}) {
    TFont f;
    f.SetName(QString::fromLatin1(name));
    LOGFONT lf;
    ASSERT_TRUE(GetObject(f.Handle(), lf));
    EXPECT_EQ(lf.lfFaceName, QString::fromLatin1(name));
    TBitmap b(80, 20);
    b.Canvas()->Font()->Assign(&f);
    EXPECT_GT(b.Canvas()->TextWidth(QStringLiteral("Hello")), 10) << name;
  }
  // The Symbol face's codes show its signs: 0xB7 is a bullet, "a" an alpha.
  TBitmap b(40, 20);
  TCanvas* c = b.Canvas();
  int bullet = c->TextWidth(QString(QChar(0x2022))), alpha = c->TextWidth(QString(QChar(0x3B1)));
  EXPECT_NE(c->TextWidth(QString(QChar(0xB7))), bullet);
  c->Font()->SetName(QStringLiteral("Symbol"));
  EXPECT_EQ(c->TextWidth(QString(QChar(0xB7))), bullet);
  EXPECT_EQ(c->TextWidth(QStringLiteral("a")), alpha);
  // A rotated copy made through the font's description, as the grid does it.
  TFont f;
  LOGFONT lf;
  GetObject(f.Handle(), lf);
  lf.lfEscapement = lf.lfOrientation = 900;
  HFONT rotated = CreateFontIndirect(lf);
  TFont g;
  g.SetHandle(rotated);
  EXPECT_EQ(g.Orientation(), 900);
  EXPECT_EQ(g.Height(), -11);
  DeleteObject(rotated);
}

TEST(Fonts, RotatedTextRunsUpwards) {
  TBitmap b(40, 80);
  TCanvas* c = b.Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetOrientation(900);
  c->TextOut(10, 70, QStringLiteral("WWWW"));
  QImage img = b.ToImage();
  int top = 80, bottom = 0, right = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 40; ++x)
      if (Px(img, x, y) != clWhite) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        right = std::max(right, x);
      }
  EXPECT_LE(bottom, 70);
  EXPECT_GT(70 - top, 25);  // the text runs up from (10, 70)
  EXPECT_LT(right, 10 + 16);
}

TEST(Bitmaps, ScanLineLayoutIsBgrOrBgra) {
  TBitmap b(5, 3);
  EXPECT_EQ(b.Canvas()->Pixels(4, 2), clWhite);  // new pixels are white
  b.SetPixelFormat(pf24bit);
  b.Canvas()->SetPixels(2, 1, RGB(10, 20, 30));
  Byte* row = b.ScanLine(1);
  EXPECT_EQ(row[6], 30);  // B
  EXPECT_EQ(row[7], 20);  // G
  EXPECT_EQ(row[8], 10);  // R
  row = b.ScanLine(2);
  row[0] = 0xFF;  // blue
  row[1] = 0;
  row[2] = 0;
  EXPECT_EQ(b.Canvas()->Pixels(0, 2), clBlue);
  EXPECT_NE(b.ScanLine(1), b.ScanLine(0));
  EXPECT_THROW(b.ScanLine(3), EInvalidGraphicOperation);

  b.SetPixelFormat(pf32bit);
  row = b.ScanLine(1);
  EXPECT_EQ(row[8], 30);
  EXPECT_EQ(row[9], 20);
  EXPECT_EQ(row[10], 10);
  // Resizing keeps the pixels that stay inside.
  b.SetSize(8, 8);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), RGB(10, 20, 30));
  EXPECT_EQ(b.Canvas()->Pixels(7, 7), clWhite);
}

TEST(Bitmaps, SidesSetOneAtATimeMakeTheBitmap) {
  // Width first, then height (and the other way round): the first side is kept
  // while the bitmap has no pixels yet.
  for (bool widthFirst : {true, false}) {
    TBitmap b;
    if (widthFirst) {
      b.SetWidth(8);
      EXPECT_EQ(b.Width(), 8);
      EXPECT_TRUE(b.Empty());
      b.SetHeight(6);
    } else {
      b.SetHeight(6);
      b.SetWidth(8);
    }
    EXPECT_EQ(b.Width(), 8);
    EXPECT_EQ(b.Height(), 6);
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(b.Canvas()->Pixels(7, 5), clWhite);
    EXPECT_FALSE(b.SaveToBytes().isEmpty());
  }
  TBitmap b(4, 4);
  b.SetHeight(0);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 4);
  b.SetHeight(2);
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Height(), 2);
}

TEST(Bitmaps, TransparentDrawingLeavesOutTheBottomLeftColour) {
  TBitmap glyph(4, 4);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
  glyph.Canvas()->SetPixels(1, 1, clRed);
  glyph.Canvas()->SetPixels(2, 2, clBlack);
  EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
  glyph.SetTransparent(true);
  TBitmap target(10, 10);
  target.Canvas()->Brush()->SetColor(clGreen);
  target.Canvas()->FillRect(Rect(0, 0, 10, 10));
  target.Canvas()->Draw(3, 3, &glyph);
  QImage img = target.ToImage();
  EXPECT_EQ(Px(img, 4, 4), clRed);
  EXPECT_EQ(Px(img, 5, 5), clBlack);
  EXPECT_EQ(Px(img, 3, 3), clGreen);
  EXPECT_EQ(Px(img, 6, 6), clGreen);
  // A fixed transparent colour, and opaque drawing.
  glyph.SetTransparentColor(clRed);
  EXPECT_EQ(glyph.TransparentMode(), tmFixed);
  target.Canvas()->Draw(0, 0, &glyph);
  img = target.ToImage();
  EXPECT_EQ(Px(img, 1, 1), clGreen);
  EXPECT_EQ(Px(img, 0, 0), clFuchsia);
  glyph.SetTransparent(false);
  target.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &glyph);
  img = target.ToImage();
  EXPECT_EQ(Px(img, 2, 2), clRed);
  EXPECT_EQ(Px(img, 3, 3), clRed);
}

TEST(Bitmaps, FilesAndResources) {
  QTemporaryDir dir;
  TBitmap b(6, 4);
  b.SetPixelFormat(pf24bit);
  b.Canvas()->SetPixels(5, 3, clRed);
  for (const char* name : {"/a.bmp", "/a.png"}) {
    QString path = dir.path() + QLatin1String(name);
    b.SaveToFile(path);
    TBitmap c;
    c.LoadFromFile(path);
    EXPECT_EQ(c.Width(), 6);
    EXPECT_EQ(c.Height(), 4);
    EXPECT_EQ(c.Canvas()->Pixels(5, 3), clRed) << name;
  }
  TBitmap d;
  d.LoadFromFile(dir.path() + QStringLiteral("/a.bmp"));
  EXPECT_EQ(d.PixelFormat(), pf24bit);
  EXPECT_THROW(d.LoadFromFile(dir.path() + QStringLiteral("/missing.bmp")), EFOpenError);
  QFile junk(dir.path() + QStringLiteral("/junk.bmp"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("not a picture");
  junk.close();
  EXPECT_THROW(d.LoadFromFile(junk.fileName()), EInvalidGraphic);
  EXPECT_EQ(d.Width(), 6);  // a failed load leaves the bitmap as it was
  EXPECT_THROW(d.LoadFromResourceName(HInstance, QStringLiteral("NOSUCHBITMAP")), EResNotFound);

  TMemoryStream stream;
  b.SaveToStream(&stream);
  stream.SetPosition(0);
  TBitmap e;
  e.LoadFromStream(&stream);
  EXPECT_EQ(e.Canvas()->Pixels(5, 3), clRed);

  TPicture pic;
  int changes = 0;
  pic.OnChange = [&](TObject*) { ++changes; };
  pic.LoadFromFile(dir.path() + QStringLiteral("/a.png"));
  EXPECT_NE(dynamic_cast<TPngImage*>(pic.Graphic()), nullptr);
  EXPECT_EQ(pic.Width(), 6);
  pic.LoadFromFile(dir.path() + QStringLiteral("/a.bmp"));
  EXPECT_NE(dynamic_cast<TBitmap*>(pic.Graphic()), nullptr);
  EXPECT_EQ(changes, 2);
  EXPECT_THROW(pic.LoadFromFile(dir.path() + QStringLiteral("/a.xyz")), EInvalidGraphic);
  TPicture other;
  other.Assign(&pic);
  EXPECT_EQ(other.Bitmap()->Canvas()->Pixels(5, 3), clRed);
}

TEST(Bitmaps, ImageListAddsMaskedImagesAndDrawsThem) {
  TImageList list(nullptr);
  list.SetWidth(4);
  list.SetHeight(4);
  TBitmap strip(8, 4);
  strip.Canvas()->Brush()->SetColor(clFuchsia);
  strip.Canvas()->FillRect(Rect(0, 0, 8, 4));
  strip.Canvas()->SetPixels(1, 1, clBlue);
  strip.Canvas()->SetPixels(5, 2, clNavy);
  EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);
  TBitmap target(10, 10);
  list.Draw(target.Canvas(), 2, 2, 1);
  QImage img = target.ToImage();
  EXPECT_EQ(Px(img, 3, 4), clNavy);
  EXPECT_EQ(Px(img, 2, 2), clWhite);
  // Disabled: grey embossed.
  list.Draw(target.Canvas(), 2, 2, 0, false);
  img = target.ToImage();
  EXPECT_EQ(Px(img, 3, 3), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(img, 4, 4), ColorToRGB(clBtnHighlight));
  TBitmap out;
  ASSERT_TRUE(list.GetBitmap(0, &out));
  EXPECT_EQ(out.Width(), 4);
  EXPECT_EQ(out.Canvas()->Pixels(1, 1), clBlue);
  EXPECT_FALSE(list.GetBitmap(5, &out));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(Edges, RaisedEdgeColoursAndAdjust) {
  TBitmap b(10, 8);
  HDC dc = b.Canvas()->Handle();
  TRect r(0, 0, 10, 8);
  DrawEdge(dc, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  EXPECT_EQ(r, TRect(2, 2, 8, 6));
  QImage img = b.ToImage();
  EXPECT_EQ(Px(img, 0, 0), ColorToRGB(cl3DLight));
  EXPECT_EQ(Px(img, 5, 0), ColorToRGB(cl3DLight));
  EXPECT_EQ(Px(img, 0, 4), ColorToRGB(cl3DLight));
  EXPECT_EQ(Px(img, 9, 0), ColorToRGB(cl3DDkShadow));  // the top-right corner belongs to the right side
  EXPECT_EQ(Px(img, 0, 7), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(Px(img, 9, 7), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(Px(img, 1, 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(img, 4, 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(img, 8, 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(img, 8, 6), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(img, 4, 6), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(img, 4, 4), clWhite);  // no BF_MIDDLE
  // Sunken is the mirror image; a single side draws only that side.
  TBitmap s(10, 8);
  DrawEdge(s.Canvas()->Handle(), Rect(0, 0, 10, 8), EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
  img = s.ToImage();
  EXPECT_EQ(Px(img, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(img, 9, 7), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(img, 1, 1), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(Px(img, 8, 6), ColorToRGB(cl3DLight));
  EXPECT_EQ(Px(img, 4, 4), ColorToRGB(clBtnFace));
  TBitmap one(10, 8);
  DrawEdge(one.Canvas()->Handle(), Rect(0, 0, 10, 8), BDR_SUNKENOUTER, BF_BOTTOM);
  img = one.ToImage();
  EXPECT_EQ(Px(img, 4, 7), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(img, 0, 0), clWhite);
  EXPECT_EQ(Px(img, 4, 6), clWhite);
}

TEST(Edges, CheckedCheckBoxShowsTheMark) {
  auto draw = [](UINT state) {
    TBitmap b(13, 13);
    DrawFrameControl(b.Canvas()->Handle(), Rect(0, 0, 13, 13), DFC_BUTTON, DFCS_BUTTONCHECK | state);
    return b.ToImage();
  };
  auto count = [](const QImage& img, TColor c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) n += Px(img, x, y) == c;
    return n;
  };
  QImage off = draw(0), on = draw(DFCS_CHECKED);
  // Sunken box with a white inside; the mark in the window text colour.
  EXPECT_EQ(Px(off, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(off, 12, 12), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(off, 6, 6), ColorToRGB(clWindow));
  EXPECT_EQ(count(off, clBlack), 0);
  int mark = count(on, ColorToRGB(clWindowText)) - count(off, ColorToRGB(clWindowText));
  EXPECT_EQ(mark, 21);
  EXPECT_EQ(Px(on, 3, 5), clBlack);   // left end of the tick
  EXPECT_EQ(Px(on, 9, 3), clBlack);   // right end
  EXPECT_EQ(Px(on, 5, 9), clBlack);   // bottom point
  EXPECT_EQ(Px(on, 3, 3), clWhite);
  // Inactive: grey mark on the face colour; flat: a one-pixel shadow frame.
  QImage grey = draw(DFCS_CHECKED | DFCS_INACTIVE);
  EXPECT_EQ(Px(grey, 5, 9), ColorToRGB(clGrayText));
  EXPECT_EQ(Px(grey, 3, 3), ColorToRGB(clBtnFace));
  QImage flat = draw(DFCS_FLAT);
  EXPECT_EQ(Px(flat, 1, 1), ColorToRGB(clWindow));
  EXPECT_EQ(Px(flat, 12, 12), ColorToRGB(clBtnShadow));
}

TEST(Edges, PushButtonRadioAndScrollArrows) {
  TBitmap b(17, 17);
  HDC dc = b.Canvas()->Handle();
  DrawFrameControl(dc, Rect(0, 0, 17, 17), DFC_BUTTON, DFCS_BUTTONPUSH);
  QImage img = b.ToImage();
  EXPECT_EQ(Px(img, 0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(img, 16, 16), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(Px(img, 8, 8), ColorToRGB(clBtnFace));
  DrawFrameControl(dc, Rect(0, 0, 17, 17), DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  img = b.ToImage();
  EXPECT_EQ(Px(img, 0, 0), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(Px(img, 1, 1), ColorToRGB(clBtnShadow));

  // The combo-box button: a down arrow in the button text colour, centred.
  DrawFrameControl(dc, Rect(0, 0, 17, 17), DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
  img = b.ToImage();
  int top = 17, bottom = -1, widest = 0, widestRow = -1;
  for (int y = 0; y < 17; ++y) {
    int n = 0;
    for (int x = 0; x < 17; ++x) n += Px(img, x, y) == clBlack;
    if (n) {
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
    if (n > widest) {
      widest = n;
      widestRow = y;
    }
  }
  EXPECT_EQ(widest, 7);
  EXPECT_EQ(widestRow, top);  // widest at the top: pointing down
  EXPECT_EQ(bottom - top, 3);
  DrawFrameControl(dc, Rect(0, 0, 17, 17), DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
  img = b.ToImage();
  int dark = 0;
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 17; ++x) dark += Px(img, x, y) == clBlack;
  EXPECT_EQ(dark, 0);

  TBitmap r(13, 13);
  DrawFrameControl(r.Canvas()->Handle(), Rect(0, 0, 13, 13), DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  img = r.ToImage();
  EXPECT_EQ(Px(img, 6, 6), clBlack);
  EXPECT_EQ(Px(img, 4, 8), ColorToRGB(clWindow));
  TRect adj(0, 0, 20, 20);
  DrawFrameControl(dc, adj, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
  EXPECT_EQ(adj, TRect(2, 2, 18, 18));
}
