// The canvas keeps font, pen and brush objects across changes and remembers
// shaped texts: what is drawn after a change must still be what was asked for.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/gdi/Graphics.h"

namespace {

// A canvas on a white image.
struct Surface {
  QImage image;
  TCanvas canvas;
  explicit Surface(int w = 60, int h = 30) : image(w, h, QImage::Format_RGB32) {
    image.fill(Qt::white);
    canvas.SetDevice(&image);
  }
  TColor At(int x, int y) {
    canvas.ReleasePainter();
    const QRgb c = image.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
  }
  QImage Snapshot() {
    canvas.ReleasePainter();
    return image.copy();
  }
};

}  // namespace

// A painter switching colours cell after cell: every line and box has the
// colour, width and style set just before it, also when a colour comes back.
TEST(CanvasReuse, PenAndBrushChangesBetweenDrawsAreEachDrawnAsSet) {
  Surface s;
  const TColor colors[] = {clRed, clBlue, clRed, clGreen, clBlue};
  for (int i = 0; i < 5; ++i) {
    s.canvas.Pen()->SetColor(colors[i]);
    s.canvas.MoveTo(0, i * 2);
    s.canvas.LineTo(20, i * 2);
    // A box whose outline and inside share the colour, one whose do not.
    s.canvas.Brush()->SetColor(colors[i]);
    s.canvas.Rectangle(22 + i * 6, 0, 26 + i * 6, 4);
    s.canvas.Pen()->SetColor(clBlack);
    s.canvas.Brush()->SetColor(colors[(i + 1) % 5]);
    s.canvas.Rectangle(22 + i * 6, 10, 26 + i * 6, 14);
  }
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(s.At(10, i * 2), colors[i]) << i;
    EXPECT_EQ(s.At(19, i * 2), colors[i]) << i;
    EXPECT_EQ(s.At(20, i * 2), clWhite) << i;
    EXPECT_EQ(s.At(22 + i * 6, 0), colors[i]) << i;
    EXPECT_EQ(s.At(23 + i * 6, 1), colors[i]) << i;
    EXPECT_EQ(s.At(22 + i * 6, 10), clBlack) << i;
    EXPECT_EQ(s.At(23 + i * 6, 11), colors[(i + 1) % 5]) << i;
  }
  // Then a dotted pen, a wide one, a hatched brush, a clear one and a solid
  // one: the same pixels as on a canvas that drew nothing before.
  auto more = [](TCanvas& c) {
    c.Brush()->SetColor(clWhite);
    c.Pen()->SetColor(clRed);
    c.Pen()->SetStyle(psDot);
    c.MoveTo(0, 17);
    c.LineTo(30, 17);
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetWidth(3);
    c.MoveTo(0, 25);
    c.LineTo(30, 25);
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psClear);
    c.Brush()->SetColor(clBlue);
    c.Brush()->SetStyle(bsCross);
    c.FillRect(TRect(40, 16, 56, 30));
    c.Brush()->SetStyle(bsClear);
    c.Rectangle(40, 16, 56, 30);
    c.Brush()->SetColor(clGreen);
    c.FillRect(TRect(50, 24, 56, 30));
  };
  more(s.canvas);
  Surface fresh;
  more(fresh.canvas);
  const QRect below(0, 16, 60, 14);
  EXPECT_EQ(s.Snapshot().copy(below), fresh.Snapshot().copy(below));
  EXPECT_EQ(s.At(10, 24), clRed);
  EXPECT_EQ(s.At(53, 27), clGreen);
}

// A new text colour with the same face, and a face changed and changed back,
// draw the text as a canvas that never drew before would.
TEST(CanvasReuse, FontColourAndFaceChangesDrawLikeAFreshCanvas) {
  auto draw = [](TCanvas& c, TColor Color, bool Bold) {
    c.Font()->SetColor(Color);
    c.Font()->SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{});
    c.Brush()->SetStyle(bsClear);
    c.TextOut(2, 2, QStringLiteral("r12c3"));
  };
  for (const bool bold : {false, true}) {
    Surface fresh;
    draw(fresh.canvas, clRed, bold);
    Surface reused;
    draw(reused.canvas, clBlue, !bold);
    draw(reused.canvas, clGreen, bold);
    reused.image.fill(Qt::white);
    draw(reused.canvas, clRed, bold);
    EXPECT_EQ(reused.Snapshot(), fresh.Snapshot()) << bold;
  }
  // Assigning an equal font with another colour changes the colour only.
  Surface a;
  TFont red;
  red.SetColor(clRed);
  a.canvas.Font()->Assign(&red);
  a.canvas.Brush()->SetStyle(bsClear);
  a.canvas.TextOut(2, 2, QStringLiteral("W"));
  TFont green;
  green.SetColor(clGreen);
  a.canvas.Font()->Assign(&green);
  a.canvas.TextOut(30, 2, QStringLiteral("W"));
  bool sawRed = false, sawGreen = false;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) {
      sawRed = sawRed || (x < 30 && a.At(x, y) == clRed);
      sawGreen = sawGreen || (x >= 30 && a.At(x, y) == clGreen);
    }
  EXPECT_TRUE(sawRed);
  EXPECT_TRUE(sawGreen);
}

// DrawText draws a text it has shaped before with the pixels TextOut draws it
// with, the first time and again, plain, bold and not in Latin script.
TEST(CanvasReuse, DrawTextOfAShapedTextMatchesTextOut) {
  const QString texts[] = {QStringLiteral("r123c4"), QStringLiteral("12345671"), QStringLiteral("fi AV To, x"),
                           QString::fromUtf8("K\u00e9vin \u00fc\u00df"), QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd"),
                           QString::fromUtf8("\u4e2d\u6587 1")};
  for (const bool bold : {false, true})
    for (const QString& t : texts) {
      Surface ref(120, 30);
      ref.canvas.Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
      ref.canvas.Brush()->SetStyle(bsClear);
      ref.canvas.TextOut(3, 4, t);
      const QImage expected = ref.Snapshot();
      Surface s(120, 30);
      s.canvas.Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
      s.canvas.Brush()->SetStyle(bsClear);
      for (int pass = 0; pass < 2; ++pass) {
        s.image.fill(Qt::white);
        TRect r(3, 4, 120, 30);
        DrawText(s.canvas.Handle(), t, -1, r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        EXPECT_EQ(s.Snapshot(), expected) << t.toStdString() << " bold " << bold << " pass " << pass;
      }
    }
}
