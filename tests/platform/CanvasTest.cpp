// Pixel tests of the canvas and the Windows-style drawing functions on images.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "platform/gdi/Graphics.h"

namespace {

// A canvas on a white image.
struct Surface {
  QImage image;
  TCanvas canvas;
  explicit Surface(int w = 40, int h = 30) : image(w, h, QImage::Format_RGB32) {
    image.fill(Qt::white);
    canvas.SetDevice(&image);
  }
  // The device pixel (x, y), whatever the canvas's origin and clip.
  TColor At(int x, int y) {
    QRgb c = image.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
  }
  // The bounding box of the pixels that are not white (right and bottom exclusive).
  TRect Ink() {
    TRect r(image.width(), image.height(), 0, 0);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (At(x, y) != clWhite) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r;
  }
  int Count(TColor c) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += At(x, y) == c;
    return n;
  }
  QImage Snapshot() {
    canvas.ReleasePainter();
    return image.copy();
  }
};

}  // namespace

TEST(CanvasShapes, RectangleOutlineWithPenInsideWithBrushRightBottomExclusive) {
  Surface s;
  s.canvas.Pen()->SetColor(clRed);
  s.canvas.Brush()->SetColor(clBlue);
  s.canvas.Rectangle(2, 3, 10, 8);
  for (auto [x, y] : {std::pair{2, 3}, {9, 3}, {9, 7}, {2, 7}, {5, 3}, {2, 5}, {9, 5}, {5, 7}})
    EXPECT_EQ(s.At(x, y), clRed) << x << "," << y;
  EXPECT_EQ(s.At(3, 4), clBlue);
  EXPECT_EQ(s.At(8, 6), clBlue);
  EXPECT_EQ(s.Ink(), TRect(2, 3, 10, 8));
  EXPECT_EQ(s.Count(clRed), 2 * 8 + 2 * 3);
}

TEST(CanvasShapes, RectangleWithClearBrushLeavesInsideAndNullPenIsOnePixelSmaller) {
  Surface s;
  s.canvas.Brush()->SetStyle(bsClear);
  s.canvas.Rectangle(2, 2, 8, 8);
  EXPECT_EQ(s.At(2, 2), clBlack);
  EXPECT_EQ(s.At(4, 4), clWhite);

  Surface t;
  t.canvas.Pen()->SetStyle(psClear);
  t.canvas.Brush()->SetColor(clGreen);
  t.canvas.Rectangle(2, 2, 8, 8);
  EXPECT_EQ(t.Ink(), TRect(2, 2, 7, 7));
}

TEST(CanvasShapes, LineToLeavesOutEndPointInEveryDirection) {
  Surface s;
  s.canvas.MoveTo(1, 1);
  s.canvas.LineTo(6, 1);
  EXPECT_EQ(s.At(1, 1), clBlack);
  EXPECT_EQ(s.At(5, 1), clBlack);
  EXPECT_EQ(s.At(6, 1), clWhite);
  EXPECT_EQ(s.canvas.PenPos(), TPoint(6, 1));
  // A path drawn with LineTo has each corner once and leaves out the last point.
  s.canvas.LineTo(6, 6);
  s.canvas.LineTo(1, 6);
  EXPECT_EQ(s.At(6, 1), clBlack);
  EXPECT_EQ(s.At(6, 5), clBlack);
  EXPECT_EQ(s.At(6, 6), clBlack);
  EXPECT_EQ(s.At(1, 6), clWhite);
  // Diagonal up and left.
  Surface d;
  d.canvas.MoveTo(10, 10);
  d.canvas.LineTo(4, 4);
  EXPECT_EQ(d.At(10, 10), clBlack);
  EXPECT_EQ(d.At(5, 5), clBlack);
  EXPECT_EQ(d.At(4, 4), clWhite);
  EXPECT_EQ(d.Count(clBlack), 6);
}

TEST(CanvasShapes, WidePenIsCentredOnTheLine) {
  Surface s;
  s.canvas.Pen()->SetWidth(3);
  s.canvas.MoveTo(5, 10);
  s.canvas.LineTo(20, 10);
  EXPECT_EQ(s.At(12, 9), clBlack);
  EXPECT_EQ(s.At(12, 10), clBlack);
  EXPECT_EQ(s.At(12, 11), clBlack);
  EXPECT_EQ(s.At(12, 8), clWhite);
  EXPECT_EQ(s.At(12, 12), clWhite);
}

TEST(CanvasShapes, FillRectUsesBrushOnlyAndFrameRectOnePixelBorder) {
  Surface s;
  s.canvas.Pen()->SetColor(clRed);
  s.canvas.Brush()->SetColor(clLime);
  s.canvas.FillRect(Rect(3, 4, 9, 7));
  EXPECT_EQ(s.Ink(), TRect(3, 4, 9, 7));
  EXPECT_EQ(s.Count(clLime), 6 * 3);
  EXPECT_EQ(s.Count(clRed), 0);

  Surface f;
  f.canvas.Brush()->SetColor(clNavy);
  f.canvas.FrameRect(Rect(3, 4, 9, 9));
  EXPECT_EQ(f.Ink(), TRect(3, 4, 9, 9));
  EXPECT_EQ(f.Count(clNavy), 2 * 6 + 2 * 3);
  EXPECT_EQ(f.At(5, 6), clWhite);

  // A clear brush fills nothing.
  Surface c;
  c.canvas.Brush()->SetStyle(bsClear);
  c.canvas.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(c.Count(clWhite), 40 * 30);
}

TEST(CanvasShapes, PolygonEllipseAndPixels) {
  Surface s;
  s.canvas.Brush()->SetColor(clYellow);
  s.canvas.Polygon({TPoint(2, 2), TPoint(12, 2), TPoint(12, 12), TPoint(2, 12)});
  // The outline runs through the vertices, both ends included.
  EXPECT_EQ(s.Ink(), TRect(2, 2, 13, 13));
  EXPECT_EQ(s.At(7, 7), clYellow);

  Surface e;
  e.canvas.Ellipse(5, 5, 25, 15);
  TRect ink = e.Ink();
  EXPECT_EQ(ink, TRect(5, 5, 25, 15));
  e.canvas.SetPixels(0, 0, clRed);
  e.canvas.SetPixels(1, 0, clBtnFace);
  EXPECT_EQ(e.At(0, 0), clRed);
  EXPECT_EQ(e.At(1, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(e.canvas.Pixels(1, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(e.canvas.Pixels(-1, 0), TColor(CLR_INVALID));
}

// Small rounded corners are where an anti-aliasing-free path drawing goes lopsided:
// the four corners must mirror each other, the box is exact, a null pen shrinks the
// shape by one pixel, and an XOR outline touches each pixel once.
TEST(CanvasShapes, RoundRectCornersMirrorEachOther) {
  struct Case { int l, t, r, b, cw, ch; };
  for (Case c : {Case{0, 1, 14, 8, 4, 4}, Case{3, 2, 30, 20, 9, 7}, Case{2, 2, 12, 12, 20, 20}}) {
    for (bool nullPen : {false, true}) {
      Surface s;
      s.canvas.Pen()->SetColor(clRed);
      s.canvas.Pen()->SetStyle(nullPen ? psClear : psSolid);
      s.canvas.Brush()->SetColor(clBlue);
      s.canvas.RoundRect(c.l, c.t, c.r, c.b, c.cw, c.ch);
      const int shrink = nullPen ? 1 : 0;
      EXPECT_EQ(s.Ink(), TRect(c.l, c.t, c.r - shrink, c.b - shrink)) << c.l << " " << nullPen;
      const int w = c.r - shrink - c.l, h = c.b - shrink - c.t;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const TColor p = s.At(c.l + x, c.t + y);
          ASSERT_EQ(p, s.At(c.l + w - 1 - x, c.t + y)) << x << "," << y;
          ASSERT_EQ(p, s.At(c.l + x, c.t + h - 1 - y)) << x << "," << y;
        }
      EXPECT_EQ(s.At(c.l, c.t), clWhite);  // the corner pixel is cut off
      EXPECT_EQ(s.At(c.l + w / 2, c.t + h / 2), clBlue);
      if (!nullPen) {
        EXPECT_EQ(s.At(c.l + w / 2, c.t), clRed);
      }
    }
  }
  // The XOR outline covers the same pixels as the copied one, none of them twice.
  Surface copy, x;
  copy.canvas.Pen()->SetColor(clRed);
  copy.canvas.Brush()->SetStyle(bsClear);
  copy.canvas.RoundRect(2, 2, 20, 16, 6, 6);
  x.canvas.Pen()->SetMode(pmXor);
  x.canvas.Pen()->SetColor(clWhite);
  x.canvas.Brush()->SetStyle(bsClear);
  x.canvas.RoundRect(2, 2, 20, 16, 6, 6);
  EXPECT_GT(copy.Count(clRed), 0);
  EXPECT_EQ(x.Count(clBlack), copy.Count(clRed));
}

TEST(CanvasModes, XorPenDrawnTwiceRestoresAndFocusRectToo) {
  Surface s;
  s.canvas.Brush()->SetColor(clTeal);
  s.canvas.FillRect(Rect(0, 0, 20, 30));
  QImage before = s.Snapshot();
  s.canvas.Pen()->SetMode(pmXor);
  s.canvas.Pen()->SetColor(clWhite);
  for (int pass = 0; pass < 2; ++pass) {
    s.canvas.MoveTo(0, 5);
    s.canvas.LineTo(39, 25);
    s.canvas.MoveTo(10, 0);
    s.canvas.LineTo(10, 29);
    if (pass == 0) {
      EXPECT_EQ(s.At(10, 3), TColor(clTeal ^ 0xFFFFFF));
    }
  }
  EXPECT_EQ(s.Snapshot(), before);

  s.canvas.DrawFocusRect(Rect(2, 2, 30, 20));
  QImage once = s.Snapshot();
  EXPECT_NE(once, before);
  // Every other pixel of the frame is inverted.
  EXPECT_NE(s.At(2, 2) == s.At(3, 2) ? 1 : 0, 1);
  s.canvas.DrawFocusRect(Rect(2, 2, 30, 20));
  EXPECT_EQ(s.Snapshot(), before);
}

TEST(CanvasModes, BitBltRasterOperations) {
  TBitmap src(4, 4);
  src.Canvas()->Brush()->SetColor(TColor(0x00F0F0));
  src.Canvas()->FillRect(Rect(0, 0, 4, 4));
  Surface s;
  s.canvas.Brush()->SetColor(TColor(0x0F0FFF));
  s.canvas.FillRect(Rect(0, 0, 40, 30));
  HDC dst = s.canvas.Handle();
  HDC from = src.Canvas()->Handle();
  struct Case {
    DWORD rop;
    TColor expect;
  };
  for (const Case& c : {Case{SRCCOPY, 0x00F0F0}, Case{SRCAND, 0x00F0F0 & 0x0F0FFF}, Case{SRCPAINT, 0x0FFFFF},
                        Case{SRCINVERT, 0x00F0F0 ^ 0x0F0FFF}, Case{NOTSRCCOPY, 0xFF0F0F},
                        Case{DSTINVERT, 0xF0F000}}) {
    s.canvas.FillRect(Rect(0, 0, 40, 30));
    BitBlt(dst, 5, 5, 4, 4, from, 0, 0, c.rop);
    EXPECT_EQ(s.At(6, 6), c.expect) << std::hex << c.rop;
    EXPECT_EQ(s.At(9, 9), TColor(0x0F0FFF)) << std::hex << c.rop;
  }
  // CopyRect follows CopyMode.
  s.canvas.FillRect(Rect(0, 0, 40, 30));
  s.canvas.SetCopyMode(cmSrcInvert);
  s.canvas.CopyRect(Rect(0, 0, 8, 8), src.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(s.At(7, 7), TColor(0x00F0F0 ^ 0x0F0FFF));
}

TEST(CanvasClip, RegionLimitsDrawingAndCanBeRemoved) {
  Surface s;
  HDC dc = s.canvas.Handle();
  HRGN rgn = CreateRectRgn(5, 5, 15, 10);
  HRGN other = CreateRectRgn(20, 5, 25, 10);
  CombineRgn(rgn, rgn, other, RGN_OR);
  SelectClipRgn(dc, rgn);
  DeleteObject(rgn);
  DeleteObject(other);
  ExcludeClipRect(dc, 7, 7, 9, 9);
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.FillRect(Rect(0, 0, 40, 30));
  EXPECT_EQ(s.Count(clRed), 10 * 5 + 5 * 5 - 4);
  EXPECT_EQ(s.At(7, 7), clWhite);
  EXPECT_EQ(s.At(4, 5), clWhite);
  EXPECT_EQ(s.canvas.ClipRect(), TRect(5, 5, 25, 10));
  // Text and lines obey the clip as well.
  s.canvas.MoveTo(0, 20);
  s.canvas.LineTo(40, 20);
  s.canvas.TextOut(0, 15, QStringLiteral("WWWW"));
  EXPECT_EQ(s.Count(clBlack), 0);
  IntersectClipRect(dc, 0, 0, 6, 6);
  EXPECT_EQ(s.canvas.ClipRect(), TRect(5, 5, 6, 6));
  SelectClipRgn(dc, nullptr);
  s.canvas.FillRect(Rect(0, 0, 40, 30));
  EXPECT_EQ(s.Count(clRed), 40 * 30);
}

TEST(CanvasClip, SaveAndRestoreWithMovedOrigin) {
  Surface s;
  HDC dc = s.canvas.Handle();
  int level = SaveDC(dc);
  MoveWindowOrg(dc, 10, 5);
  IntersectClipRect(dc, 0, 0, 4, 4);
  s.canvas.Brush()->SetColor(clBlue);
  s.canvas.FillRect(Rect(0, 0, 8, 8));
  EXPECT_EQ(s.Ink(), TRect(10, 5, 14, 9));
  TPoint org;
  GetWindowOrgEx(dc, &org);
  EXPECT_EQ(org, TPoint(-10, -5));
  EXPECT_EQ(s.canvas.Pixels(0, 0), clBlue);  // logical coordinates
  EXPECT_TRUE(RestoreDC(dc, level));
  GetWindowOrgEx(dc, &org);
  EXPECT_EQ(org, TPoint(0, 0));
  s.canvas.FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(s.At(0, 0), clBlue);
  EXPECT_EQ(s.At(20, 20), clWhite);
  // Nested levels: restoring an outer level drops the inner ones.
  int a = SaveDC(dc);
  SetViewportOrgEx(dc, 3, 3, nullptr);
  SaveDC(dc);
  SetViewportOrgEx(dc, 7, 7, nullptr);
  RestoreDC(dc, a);
  TPoint vp;
  GetViewportOrgEx(dc, &vp);
  EXPECT_EQ(vp, TPoint(0, 0));
  EXPECT_FALSE(RestoreDC(dc, -1));
}

TEST(CanvasText, SingleLineCentredWithinAPixel) {
  for (const char* text : {"Hg", "OK", "Abc def"}) {
    Surface s(120, 41);
    s.canvas.Brush()->SetColor(clAqua);  // opaque text background shows the text's box
    HDC dc = s.canvas.Handle();
    TRect r(0, 0, 120, 41);
    DrawText(dc, QString::fromLatin1(text), -1, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    TRect box = s.Ink();
    TSize ext = s.canvas.TextExtent(QString::fromLatin1(text));
    EXPECT_EQ(box.Width(), ext.cx) << text;
    EXPECT_EQ(box.Height(), ext.cy) << text;
    EXPECT_LE(std::abs(box.Left - (120 - box.Right)), 1) << text;
    EXPECT_LE(std::abs(box.Top - (41 - box.Bottom)), 1) << text;
  }
}

TEST(CanvasText, CalcRectWordBreakKeepsLinesWithinWidthAndGrowsHeight) {
  Surface s;
  HDC dc = s.canvas.Handle();
  TEXTMETRIC tm;
  ASSERT_TRUE(GetTextMetrics(dc, &tm));
  int lineH = tm.tmHeight;
  QString text = QStringLiteral("one two three four five six seven");
  TRect one(0, 0, 1000, 0);
  int h1 = DrawText(dc, text, -1, one, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(h1, lineH);
  EXPECT_EQ(one.Right, s.canvas.TextWidth(text));
  TRect r(10, 20, 70, 20);
  int h = DrawText(dc, text, -1, r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_GT(h, 2 * lineH);
  EXPECT_EQ(h % lineH, 0);
  EXPECT_EQ(r.Top, 20);
  EXPECT_EQ(r.Bottom, 20 + h);
  EXPECT_LE(r.Width(), 60);
  EXPECT_GE(r.Width(), s.canvas.TextWidth(QStringLiteral("three")));
  EXPECT_EQ(s.Count(clWhite), 40 * 30);  // measuring draws nothing
  // A word wider than the rectangle widens it; edit-control breaking keeps the width.
  TRect narrow(0, 0, 10, 0);
  DrawText(dc, QStringLiteral("abcdefgh"), -1, narrow, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(narrow.Right, s.canvas.TextWidth(QStringLiteral("abcdefgh")));
  TRect cut(0, 0, 20, 0);
  int hc = DrawText(dc, QStringLiteral("abcdefgh"), -1, cut, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL);
  EXPECT_LE(cut.Right, 20);
  EXPECT_GT(hc, lineH);
  // Line breaks in the text start new lines; the single-line form ignores them.
  TRect two(0, 0, 500, 0);
  EXPECT_EQ(DrawText(dc, QStringLiteral("a\r\nb"), -1, two, DT_CALCRECT), 2 * lineH);
  TRect flat(0, 0, 500, 0);
  EXPECT_EQ(DrawText(dc, QStringLiteral("a\r\nb"), -1, flat, DT_CALCRECT | DT_SINGLELINE), lineH);
}

TEST(CanvasText, AmpersandPrefix) {
  Surface s;
  HDC dc = s.canvas.Handle();
  auto width = [&](const char* t, UINT f) {
    TRect r(0, 0, 500, 0);
    DrawText(dc, QString::fromLatin1(t), -1, r, DT_CALCRECT | DT_SINGLELINE | f);
    return r.Width();
  };
  EXPECT_EQ(width("&File", 0), s.canvas.TextWidth(QStringLiteral("File")));
  EXPECT_EQ(width("&File", DT_NOPREFIX), s.canvas.TextWidth(QStringLiteral("&File")));
  EXPECT_EQ(width("A&&B", 0), s.canvas.TextWidth(QStringLiteral("A&B")));

  auto draw = [](const char* t, UINT f) {
    Surface d(60, 20);
    d.canvas.Brush()->SetStyle(bsClear);
    TRect r(0, 0, 60, 20);
    DrawText(d.canvas.Handle(), QString::fromLatin1(t), -1, r, DT_SINGLELINE | f);
    return d.Snapshot();
  };
  QImage plain = draw("ii", 0);
  QImage prefixed = draw("i&i", 0);
  QImage hidden = draw("i&i", DT_HIDEPREFIX);
  EXPECT_EQ(hidden, plain);
  EXPECT_NE(prefixed, plain);  // the accelerator is underlined
  // The underline lies below the glyphs, under the second letter only.
  int firstInkCol = -1, underlineRow = -1;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x)
      if (prefixed.pixel(x, y) != plain.pixel(x, y)) {
        if (underlineRow < 0) underlineRow = y;
        if (firstInkCol < 0 || x < firstInkCol) firstInkCol = x;
      }
  EXPECT_GE(firstInkCol, s.canvas.TextWidth(QStringLiteral("i")));
  EXPECT_EQ(draw("&&", 0), draw("&", DT_NOPREFIX));
}

TEST(CanvasText, EndEllipsisFitsTheRectangle) {
  Surface s(200, 20);
  QString text = QStringLiteral("A rather long caption for a narrow cell");
  TRect r(0, 0, 80, 20);
  QString shown = text;
  s.canvas.TextRect(r, shown, TTextFormat{tfSingleLine, tfEndEllipsis, tfModifyString});
  EXPECT_TRUE(shown.endsWith(QStringLiteral("..."))) << shown.toStdString();
  EXPECT_TRUE(text.startsWith(shown.left(shown.size() - 3)));
  EXPECT_LE(s.canvas.TextWidth(shown), 80);
  EXPECT_GT(s.canvas.TextWidth(shown.left(shown.size() - 3) + text[shown.size() - 3] + QStringLiteral("...")),
            80);
  EXPECT_LE(s.Ink().Right, 80);
  // A text that fits stays as it is.
  QString fits = QStringLiteral("OK");
  TRect wide(0, 0, 80, 20);
  s.canvas.TextRect(wide, fits, TTextFormat{tfSingleLine, tfEndEllipsis, tfModifyString});
  EXPECT_EQ(fits, QStringLiteral("OK"));
  // Without DT_NOCLIP the text is clipped to the rectangle.
  Surface c(200, 20);
  TRect small(0, 0, 30, 20);
  DrawText(c.canvas.Handle(), text, -1, small, DT_SINGLELINE);
  EXPECT_LE(c.Ink().Right, 30);
  Surface n(200, 20);
  DrawText(n.canvas.Handle(), text, -1, small, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(n.Ink().Right, 30);
}

TEST(CanvasText, TextOutBackgroundFollowsBrushAndMetricsFollowTheFont) {
  Surface s(100, 30);
  s.canvas.Brush()->SetColor(clYellow);
  s.canvas.Font()->SetColor(clRed);
  s.canvas.TextOut(2, 3, QStringLiteral("Hi"));
  TSize ext = s.canvas.TextExtent(QStringLiteral("Hi"));
  EXPECT_EQ(s.Ink(), TRect(2, 3, 2 + ext.cx, 3 + ext.cy));
  EXPECT_GT(s.Count(clRed), 0);
  EXPECT_EQ(s.canvas.PenPos(), TPoint(2 + ext.cx, 3));
  Surface t(100, 30);
  t.canvas.Brush()->SetStyle(bsClear);
  t.canvas.TextOut(2, 3, QStringLiteral("Hi"));
  EXPECT_EQ(t.Count(clYellow), 0);

  TEXTMETRIC tm;
  GetTextMetrics(s.canvas.Handle(), &tm);
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);  // Height -11 is the em size
  int small = s.canvas.TextHeight(QStringLiteral("X"));
  s.canvas.Font()->SetSize(20);
  EXPECT_GT(s.canvas.TextHeight(QStringLiteral("X")), 2 * small - 4);
  int normal = s.canvas.TextWidth(QStringLiteral("Wide text"));
  s.canvas.Font()->SetStyle(TFontStyles{fsBold});
  EXPECT_GT(s.canvas.TextWidth(QStringLiteral("Wide text")), normal);
}

TEST(CanvasDevices, SeveralContextsDrawOnOneImageInTurn) {
  Surface s;
  TCanvas second;
  second.SetDevice(&s.image);
  HDC third = CreateDeviceContext(&s.image);
  s.canvas.Brush()->SetColor(clRed);
  second.Brush()->SetColor(clBlue);
  for (int i = 0; i < 3; ++i) {
    s.canvas.FillRect(Rect(i * 6, 0, i * 6 + 3, 5));
    second.FillRect(Rect(i * 6 + 3, 0, i * 6 + 6, 5));
    SetPixel(third, i, 20, clGreen);
    MoveToEx(third, 0, 25 + i, nullptr);
    LineTo(third, 39, 25 + i);
  }
  EXPECT_EQ(s.Count(clRed), 3 * 3 * 5);
  EXPECT_EQ(s.Count(clBlue), 3 * 3 * 5);
  EXPECT_EQ(s.At(2, 20), clGreen);
  // Whoever shows the image ends the open painter first; drawing goes on afterwards.
  ReleaseDevicePainters(&s.image);
  {
    QPainter outside(&s.image);
    EXPECT_TRUE(outside.isActive());
    outside.fillRect(QRect(30, 10, 2, 2), Qt::yellow);
  }
  s.canvas.FillRect(Rect(30, 20, 32, 22));
  EXPECT_EQ(s.At(30, 10), clYellow);
  EXPECT_EQ(s.At(31, 21), clRed);
  DeleteDC(third);
  // A canvas without a device measures text and draws nothing.
  TCanvas loose;
  EXPECT_GT(loose.TextWidth(QStringLiteral("abc")), 0);
  loose.Rectangle(0, 0, 10, 10);
  EXPECT_EQ(loose.Pixels(1, 1), TColor(CLR_INVALID));
}

TEST(CanvasText, AlignmentTabsMarginsAndPathEllipsis) {
  // With an opaque background the ink is exactly the text's box.
  struct Case {
    UINT flags;
    int left, top;  // expected box corner; -1: at the far edge
  };
  const QString text = QStringLiteral("Cell");
  for (const Case& c : {Case{DT_SINGLELINE, 0, 0}, Case{DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, -1, -1},
                        Case{DT_SINGLELINE | DT_BOTTOM, 0, -1}, Case{DT_RIGHT, -1, 0},
                        Case{DT_BOTTOM | DT_WORDBREAK, 0, 0}}) {  // vertical placement needs a single line
    Surface s(100, 40);
    s.canvas.Brush()->SetColor(clAqua);
    TSize ext = s.canvas.TextExtent(text);
    DrawText(s.canvas.Handle(), text, -1, Rect(5, 5, 95, 35), c.flags);
    TRect box = s.Ink();
    EXPECT_EQ(box.Left, c.left < 0 ? 95 - ext.cx : 5 + c.left) << c.flags;
    EXPECT_EQ(box.Top, c.top < 0 ? 35 - ext.cy : 5 + c.top) << c.flags;
  }
  Surface s(200, 40);
  HDC dc = s.canvas.Handle();
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  TRect r(0, 0, 500, 0);
  DrawText(dc, QStringLiteral("a\tb"), -1, r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(r.Right, 8 * tm.tmAveCharWidth + s.canvas.TextWidth(QStringLiteral("b")));
  DRAWTEXTPARAMS params;
  params.iLeftMargin = 7;
  params.iRightMargin = 3;
  TRect m(0, 0, 500, 0);
  DrawTextEx(dc, QStringLiteral("abc"), -1, m, DT_CALCRECT | DT_SINGLELINE, &params);
  EXPECT_EQ(m.Right, 10 + s.canvas.TextWidth(QStringLiteral("abc")));
  // A path keeps its file name and loses the middle.
  QString path = QStringLiteral("C:\\Program Files\\Gateway\\Configurations\\device.xml");
  TRect p(0, 0, s.canvas.TextWidth(QStringLiteral("C:\\Pro...\\device.xml")) + 1, 20);
  QString shown = path;
  s.canvas.TextRect(p, shown, TTextFormat{tfSingleLine, tfPathEllipsis, tfModifyString});
  EXPECT_TRUE(shown.endsWith(QStringLiteral("...\\device.xml"))) << shown.toStdString();
  EXPECT_TRUE(shown.startsWith(QStringLiteral("C:\\")));
  EXPECT_LE(s.canvas.TextWidth(shown), p.Width());
}

// Objects selected over and over are recognised quickly as live; one deleted
// right after it was selected is no object any more (selecting or deleting it
// again does nothing), while the objects around it stay usable.
TEST(GdiObjects, ADeletedObjectIsNoObjectEvenRightAfterItWasSelected) {
  Surface s;
  HDC dc = s.canvas.Handle();
  HPEN keep = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
  HPEN gone = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ first = SelectObject(dc, keep);
  ASSERT_EQ(SelectObject(dc, gone), keep);
  ASSERT_EQ(SelectObject(dc, keep), gone);
  EXPECT_TRUE(DeleteObject(gone));
  EXPECT_EQ(GetObjectType(gone), 0);
  EXPECT_FALSE(DeleteObject(gone));
  EXPECT_EQ(SelectObject(dc, gone), nullptr);
  EXPECT_EQ(GetObjectType(keep), OBJ_PEN);
  EXPECT_EQ(SelectObject(dc, first), keep);
  EXPECT_TRUE(DeleteObject(keep));
  EXPECT_EQ(GetObjectType(keep), 0);
}
