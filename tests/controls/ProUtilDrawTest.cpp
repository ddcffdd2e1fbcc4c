// Drawing routines on offscreen bitmaps: colour arithmetic, gradients, the
// styled selection box, progress bars, the pie and the shapes.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <memory>

#include "common/RecordingCanvas.h"
#include "controls/ProUtil.h"

namespace {

// A white bitmap to draw on, read back pixel by pixel.
class DrawSurface : public ::testing::Test {
 protected:
  void Make(int W, int H, TColor Fill = clWhite) {
    bmp = std::make_unique<TBitmap>(W, H);
    bmp->SetPixelFormat(pf24bit);
    c()->Brush()->SetColor(Fill);
    c()->FillRect(TRect(0, 0, W, H));
  }
  TCanvas* c() { return bmp->Canvas(); }
  TColor At(int X, int Y) { return c()->Pixels(X, Y) & 0xFFFFFF; }
  // How many pixels of row Y have the colour.
  int CountInRow(int Y, TColor Color) {
    int n = 0;
    for (int x = 0; x < bmp->Width(); ++x) n += At(x, Y) == Color;
    return n;
  }
  std::unique_ptr<TBitmap> bmp;
};

}  // namespace

// ---------------------------------------------------------------------------
// Colour arithmetic

TEST(DrawColors, AdjustColorPercentStaysWithinTheChannel) {
  struct Case { TColor in; int pct; TColor out; };
  const Case cases[] = {
      // 200 + 100 = 300 is kept at 255: a light colour made lighter stays white
      // (keeping only the low 8 bits would give the dark $2C2C2C).
      {0xC8C8C8, 50, 0xFFFFFF},
      {0xF0E0D0, 7, 0xFFF0DF},   // the grid's +7 % on a light selection colour
      {0x808080, -50, 0x404040},
      {0x102030, -200, 0x000000},
      {0x0A0B0C, 0, 0x0A0B0C},
  };
  for (const Case& k : cases)
    EXPECT_EQ(AdjustColorPercent(k.in, k.pct), k.out) << std::hex << k.in << " " << std::dec << k.pct;
}

TEST(DrawColors, InterpolateColorAndDarken) {
  EXPECT_EQ(InterpolateColor(clBlack, clWhite, 0, 100, 50), 0x808080);  // 127.5 -> 128
  EXPECT_EQ(InterpolateColor(clBlack, clWhite, 0, 100, 0), 0x000000);
  EXPECT_EQ(InterpolateColor(clBlack, clWhite, 0, 100, 100), 0xFFFFFF);
  EXPECT_EQ(InterpolateColor(clRed, clNone, 0, 100, 50), clRed);
  // Equal bounds have no extent to interpolate over: the start colour.
  EXPECT_EQ(InterpolateColor(clRed, clBlue, 5, 5, 3), clRed);
  EXPECT_EQ(DarkenColorHalf(0x80FF41), 0x407F20);
  EXPECT_EQ(DarkenColorHalf(clWhite), 0x7F7F7F);
}

// ---------------------------------------------------------------------------
// Gradients

class DrawGradient : public DrawSurface {};

TEST_F(DrawGradient, TenPixelsGetNineStepsAndTenBands) {
  Make(14, 6);
  FillGradient(c(), clBlack, 0x0000FF, 128, TRect(2, 1, 12, 5), true);
  for (int k = 0; k < 10; ++k) {
    const int red = static_cast<int>(std::nearbyint(k * 255.0 / 9));
    for (int y = 1; y < 5; ++y) EXPECT_EQ(At(2 + k, y), red) << "column " << k << " row " << y;
  }
  EXPECT_EQ(At(1, 2), clWhite);   // nothing left of the rect
  EXPECT_EQ(At(12, 2), clWhite);  // nor on its right edge
  EXPECT_EQ(At(5, 0), clWhite);
  EXPECT_EQ(At(5, 5), clWhite);
}

TEST_F(DrawGradient, VerticalBandsAndSwappedRect) {
  Make(6, 12);
  // Bottom above top: the rows are swapped first. 5 steps over an extent of 9:
  // bands start at rows 0, 1, 3, 5, 7, 9 and are 2 rows thick, later over earlier.
  FillGradient(c(), 0x000000, 0x0000FF, 5, TRect(1, 11, 5, 1), false);
  const int expected[10] = {0, 51, 51, 102, 102, 153, 153, 204, 204, 255};
  for (int k = 0; k < 10; ++k) EXPECT_EQ(At(2, 1 + k), expected[k]) << "row " << k;
  EXPECT_EQ(At(2, 11), clWhite);
}

TEST_F(DrawGradient, OneMissingColourFillsWithTheOther) {
  Make(12, 6);
  FillGradient(c(), clNone, clRed, 128, TRect(0, 0, 10, 6), true);
  EXPECT_EQ(CountInRow(3, clRed), 10);
  Make(12, 6);
  FillGradient(c(), clBlue, clNone, 128, TRect(0, 0, 10, 6), true);
  EXPECT_EQ(CountInRow(3, clBlue), 10);
  Make(12, 6);
  FillGradient(c(), clBlue, clRed, 128, TRect(0, 3, 10, 3), true);  // no height
  EXPECT_EQ(CountInRow(3, clWhite), 12);
}

TEST_F(DrawGradient, MirrorSplitsTheRectInTwoGradients) {
  Make(20, 20);
  FillGradientMirror(c(), TRect(0, 0, 20, 20), clRed, clRed, clBlue, clBlue, 1, clBlack, false,
                     true);
  EXPECT_EQ(At(5, 5), clRed);
  EXPECT_EQ(At(5, 15), clBlue);
  EXPECT_EQ(At(0, 10), clBlack);   // the frame
  EXPECT_EQ(At(19, 10), clBlack);
  Make(20, 20);
  FillGradientMirror(c(), TRect(0, 0, 20, 20), clRed, clRed, clBlue, clBlue, 0, 0x00FF00, true,
                     true);
  EXPECT_EQ(At(5, 10), clRed);
  EXPECT_EQ(At(15, 10), clBlue);
  EXPECT_EQ(At(0, 10), 0x00FF00);  // the side lines only
  EXPECT_EQ(At(5, 0), clRed);
}

// A gradient drawn again in the same size is copied from the pixels of its
// first drawing: the copies look as drawn step by step (on a recording canvas,
// which always draws them), also after a first drawing that was partly clipped
// away, fell partly outside the bitmap or was made on an image of fewer
// colours, and leave the pen and brush in the last step's colour as drawing
// does.
TEST_F(DrawGradient, AGradientDrawnAgainLooksAsDrawnStepByStep) {
  struct TCase {
    const char* Name;
    TColor From, To;
    bool Horizontal;
    std::function<void(TCanvas*)> First;  // the first drawing, at (0, 0)
  };
  const TCase cases[] = {
      {"first drawn whole", 0x102030, 0xF0E0D0, false,
       [](TCanvas* C) { FillGradient(C, 0x102030, 0xF0E0D0, 128, TRect(0, 0, 20, 30), false); }},
      {"first drawn clipped", 0x203040, 0xE0D0C0, true,
       [](TCanvas* C) {
         IntersectClipRect(C->Handle(), 0, 0, 10, 30);
         FillGradient(C, 0x203040, 0xE0D0C0, 128, TRect(0, 0, 20, 30), true);
         SelectClipRgn(C->Handle(), nullptr);
       }},
      {"first drawn partly outside", 0x304050, 0xD0C0B0, false,
       [](TCanvas* C) { FillGradient(C, 0x304050, 0xD0C0B0, 128, TRect(-5, -4, 15, 26), false); }},
      {"first drawn on an image of fewer colours", 0x405060, 0xC0B0A0, true,
       [](TCanvas*) {
         QImage few(20, 30, QImage::Format_RGB16);
         TCanvas c;
         c.SetDevice(&few);
         FillGradient(&c, 0x405060, 0xC0B0A0, 128, TRect(0, 0, 20, 30), true);
         c.SetDevice(nullptr);
       }},
  };
  for (const TCase& k : cases) {
    SCOPED_TRACE(k.Name);
    TRecordingCanvas ref(20, 30);
    FillGradient(ref.Canvas(), k.From, k.To, 128, TRect(0, 0, 20, 30), k.Horizontal);
    const QImage want = ref.Pixels().convertToFormat(QImage::Format_RGB32);
    Make(80, 40);
    k.First(c());
    for (const int x : {25, 50}) {
      c()->Pen()->SetColor(clLime);
      c()->Brush()->SetColor(clLime);
      FillGradient(c(), k.From, k.To, 128, TRect(x, 5, x + 20, 35), k.Horizontal);
      EXPECT_EQ(c()->Pen()->Color(), k.To);
      EXPECT_EQ(c()->Brush()->Color(), k.To);
      int differ = 0;
      for (int y = 0; y < 30; ++y)
        for (int i = 0; i < 20; ++i) {
          const QRgb p = want.pixel(i, y);
          differ += At(x + i, 5 + y) != RGB(qRed(p), qGreen(p), qBlue(p));
        }
      EXPECT_EQ(differ, 0) << "at " << x;
    }
  }
}

// ---------------------------------------------------------------------------
// The styled selection box

class DrawSelection : public DrawSurface {
 protected:
  static constexpr TColor Fill = 0x101010, InTop = 0x202020, InBottom = 0x303030,
                          Border = 0x404040, Corner = 0x505050, Back = 0x606060;
  // A box 30 x 20 at (5, 5): L 5, T 5, R 34, B 23, M 14.
  void Draw(int Part) {
    Make(40, 30);
    DrawStyledSelection(c(), Fill, clNone, clNone, clNone, InTop, InBottom, Border, Corner, Back,
                        TRect(5, 5, 35, 25), Part);
  }
};

TEST_F(DrawSelection, WholeBoxHasBothRoundedEnds) {
  Draw(0);
  EXPECT_EQ(At(5, 5), Back);     // outer corner pixel
  EXPECT_EQ(At(6, 5), Corner);
  EXPECT_EQ(At(5, 6), Corner);
  EXPECT_EQ(At(5, 23), Back);
  EXPECT_EQ(At(33, 5), Back);    // right corner at R - 1
  EXPECT_EQ(At(32, 5), Corner);
  EXPECT_EQ(At(10, 5), Border);  // top border
  EXPECT_EQ(At(10, 23), Border); // bottom border at B
  EXPECT_EQ(At(5, 12), Border);  // left border
  EXPECT_EQ(At(33, 12), Border); // right border at R - 1
  EXPECT_EQ(At(10, 6), InTop);   // inner top line
  EXPECT_EQ(At(10, 22), InBottom);
  EXPECT_EQ(At(6, 10), InTop);   // inner left line, upper half
  EXPECT_EQ(At(6, 18), InBottom);
  EXPECT_EQ(At(15, 12), Fill);
  EXPECT_EQ(At(10, 24), clWhite);  // the last row of the rect stays free
}

TEST_F(DrawSelection, PiecesOfARowLeaveOutTheirInnerEnds) {
  Draw(3);  // middle piece: borders run to both edges, no ends
  EXPECT_EQ(At(5, 5), Border);
  EXPECT_EQ(At(5, 12), Fill);
  EXPECT_EQ(At(33, 12), Fill);
  EXPECT_EQ(At(5, 6), InTop);
  Draw(1);  // left end: rounded on the left only
  EXPECT_EQ(At(5, 5), Back);
  EXPECT_EQ(At(5, 12), Border);
  EXPECT_EQ(At(33, 12), Fill);
  EXPECT_EQ(At(33, 5), Border);
  Draw(2);  // right end
  EXPECT_EQ(At(5, 5), Border);
  EXPECT_EQ(At(5, 12), Fill);
  EXPECT_EQ(At(33, 5), Back);
  EXPECT_EQ(At(33, 12), Border);
}

TEST_F(DrawSelection, MirrorFillsTheHalvesSeparately) {
  Make(40, 30);
  DrawStyledSelection(c(), clRed, clRed, clBlue, clBlue, InTop, InBottom, Border, Corner, Back,
                      TRect(5, 5, 35, 25), 0);
  EXPECT_EQ(At(15, 9), clRed);
  EXPECT_EQ(At(15, 19), clBlue);
}

// ---------------------------------------------------------------------------
// Progress bars and the pie

class DrawProgress : public DrawSurface {
 protected:
  // A bar 102 pixels wide, so that its extent inside the frame is 100.
  int Blocks(int Percent) {
    Make(110, 20);
    TXPProgressParams p;
    p.ShowPercentage = false;
    p.Level0Color = clGreen;
    DrawXPProgress(c(), TRect(2, 2, 104, 16), Percent, p);
    return CountInRow(9, clGreen);
  }
  // A smooth bar without text in one colour.
  static TXPProgressParams Smooth(TColor Color) {
    TXPProgressParams p;
    p.ShowPercentage = false;
    p.CompletionSmooth = true;
    p.Level0Color = Color;
    return p;
  }
};

TEST_F(DrawProgress, XPBlocksOfSevenWithGapsOfTwo) {
  EXPECT_EQ(Blocks(50), 5 * 7 + 4);  // five full blocks and one of four pixels
  EXPECT_EQ(Blocks(5), 4);           // one block of four pixels
  EXPECT_EQ(Blocks(1), 0);           // no block
  Blocks(50);
  EXPECT_EQ(At(3, 9), clWhite);      // the first block starts 2 pixels inside
  EXPECT_EQ(At(4, 9), clGreen);
  EXPECT_EQ(At(10, 9), clGreen);
  EXPECT_EQ(At(11, 9), clWhite);     // the gap
  EXPECT_EQ(At(13, 9), clGreen);
  EXPECT_EQ(At(6, 3), clWhite);      // blocks keep 2 pixels off the frame
  EXPECT_EQ(At(6, 4), clGreen);
  EXPECT_EQ(At(2, 9), clBlack);      // the outline
}

TEST_F(DrawProgress, XPLevelsPickTheColour) {
  TXPProgressParams p = Smooth(clGreen);
  p.Level1Color = clYellow;
  p.Level2Color = clBlue;
  p.Level3Color = clRed;
  const std::pair<int, TColor> cases[] = {{30, clGreen}, {75, clYellow}, {95, clBlue}, {100, clRed}};
  for (auto [pct, color] : cases) {
    Make(110, 20);
    DrawXPProgress(c(), TRect(2, 2, 104, 16), pct, p);
    EXPECT_EQ(CountInRow(9, color), pct) << pct;
  }
  // Stacked: one segment per level, the last one filling the bar at 100.
  p.Stacked = true;
  Make(110, 20);
  DrawXPProgress(c(), TRect(2, 2, 104, 16), 100, p);
  EXPECT_EQ(CountInRow(9, clGreen), 70);
  EXPECT_EQ(CountInRow(9, clYellow), 20);
  EXPECT_EQ(CountInRow(9, clRed), 10);
}

TEST_F(DrawProgress, ClassicPositionAboveHundredFillsTheBar) {
  Make(60, 20);
  DrawClassicProgress(c(), TRect(2, 2, 58, 18), clBlue, clWhite, clYellow, clBlack, 150, 1, 1, 0,
                      100, "", clBlack, false);
  EXPECT_EQ(At(4, 4), clBlue);    // done colour at both ends
  EXPECT_EQ(At(55, 4), clBlue);
  EXPECT_EQ(CountInRow(4, clYellow), 0);
  EXPECT_EQ(At(2, 10), clBlack);  // the border one pixel outside the shrunk rect
  Make(60, 20);
  DrawClassicProgress(c(), TRect(2, 2, 58, 18), clBlue, clWhite, clYellow, clBlack, 25, 1, 1, 0,
                      100, "", clNone, false);
  EXPECT_EQ(At(4, 4), clBlue);
  EXPECT_EQ(At(55, 4), clYellow);
  // With a format and no range nothing is drawn.
  Make(60, 20);
  DrawClassicProgress(c(), TRect(2, 2, 58, 18), clBlue, clWhite, clYellow, clBlack, 5, 1, 1, 3, 3,
                      "%d", clBlack, false);
  EXPECT_EQ(CountInRow(4, clWhite), 60);
}

TEST_F(DrawProgress, PieFillsExactlyItsWedge) {
  // A small percentage: the wedge is a thin slice right of 12 o'clock; the rest of
  // the disc keeps the canvas's brush.
  Make(50, 50);
  c()->Brush()->SetColor(clWhite);
  DrawProgressPie(c(), TRect(4, 4, 45, 45), clRed, 5, false);
  EXPECT_EQ(At(27, 9), clRed);       // inside the slice near the rim
  EXPECT_EQ(At(15, 15), clWhite);    // upper left of the disc
  EXPECT_EQ(At(35, 30), clWhite);    // lower right
  EXPECT_EQ(At(1, 1), clWhite);      // outside the disc
  // Three quarters: everything but the upper left quarter.
  Make(50, 50);
  c()->Brush()->SetColor(clWhite);
  DrawProgressPie(c(), TRect(4, 4, 45, 45), clRed, 75, false);
  EXPECT_EQ(At(35, 15), clRed);
  EXPECT_EQ(At(35, 35), clRed);
  EXPECT_EQ(At(12, 35), clRed);
  EXPECT_EQ(At(15, 15), clWhite);
  EXPECT_EQ(At(1, 48), clWhite);
}

TEST_F(DrawProgress, RangeIndicatorGrowsFromTheMiddle) {
  Make(50, 10);
  DrawRangeIndicator(c(), TRect(0, 0, 44, 10), -50, 100, false, clRed, clGreen);
  // Inner width 40, half 20: -50 of 100 is 10 pixels left of the middle.
  EXPECT_EQ(CountInRow(5, clRed), 10);
  EXPECT_EQ(At(21, 5), clRed);
  EXPECT_EQ(At(22, 5), clWhite);
  Make(50, 10);
  DrawRangeIndicator(c(), TRect(0, 0, 44, 10), 500, 100, false, clRed, clGreen);
  EXPECT_EQ(CountInRow(5, clGreen), 20);  // clamped to the range
  Make(50, 10);
  DrawRangeIndicator(c(), TRect(0, 0, 44, 10), 5, 0, false, clRed, clGreen);
  EXPECT_EQ(CountInRow(5, clWhite), 50);
}

// The value is written beside the middle, on the side the bar leaves free.
TEST_F(DrawProgress, RangeIndicatorValueStaysOffTheBar) {
  for (const int value : {-4, 4, 0}) {
    SCOPED_TRACE(value);
    Make(204, 24);
    c()->Font()->SetColor(clBlack);
    DrawRangeIndicator(c(), TRect(0, 0, 204, 24), value, 10, true, clRed, clGreen);
    // Inner rectangle 2..202, its middle at 102.
    int left = 0, right = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 204; ++x)
        if (At(x, y) != clWhite && At(x, y) != clRed && At(x, y) != clGreen) (x < 102 ? left : right) += 1;
    if (value < 0) {
      EXPECT_EQ(left, 0);
      EXPECT_GT(right, 0);
    } else {
      EXPECT_GT(left, 0);
      EXPECT_EQ(right, 0);
    }
  }
}

// ---------------------------------------------------------------------------
// Shapes

class DrawShapes : public DrawSurface {};

TEST_F(DrawShapes, CircleUsesTheSmallerSide) {
  Make(30, 20);
  DrawCellShape(c(), 2, 2, 20, 10, csCircle, clRed, clBlack);
  EXPECT_EQ(At(7, 7), clRed);      // the centre of a 10 x 10 circle
  EXPECT_EQ(At(13, 7), clWhite);   // nothing beyond its diameter
  EXPECT_EQ(At(18, 7), clWhite);
  Make(30, 20);
  DrawCellShape(c(), 2, 2, 20, 10, csEllips, clRed, clBlack);
  EXPECT_EQ(At(18, 7), clRed);     // the ellipse takes the full width
}

TEST_F(DrawShapes, OutlinesAndFills) {
  Make(30, 30);
  DrawCellShape(c(), 0, 0, 20, 20, csRectangle, clRed, clBlack);
  EXPECT_EQ(At(0, 5), clWhite);
  EXPECT_EQ(At(1, 5), clBlack);
  EXPECT_EQ(At(10, 10), clRed);
  EXPECT_EQ(At(18, 5), clBlack);
  EXPECT_EQ(At(19, 5), clWhite);
  Make(30, 30);
  DrawCellShape(c(), 0, 0, 20, 20, csTriangleUp, clRed, clRed);
  EXPECT_EQ(At(10, 15), clRed);
  EXPECT_EQ(At(2, 3), clWhite);
  Make(30, 30);
  DrawCellShape(c(), 0, 0, 20, 20, csStar, clRed, clRed);
  EXPECT_EQ(At(10, 10), clRed);   // the centre
  EXPECT_EQ(At(10, 1), clRed);    // the top point
  EXPECT_EQ(At(2, 2), clWhite);
  Make(30, 30);
  DrawCellShape(c(), 0, 0, 20, 20, csHalfStar, clRed, clRed);
  EXPECT_EQ(At(8, 10), clRed);
  EXPECT_EQ(At(14, 10), clWhite);  // the right half stays empty
  Make(30, 30);
  DrawCellShape(c(), 0, 0, 20, 20, csLineVert, clRed, clRed);
  EXPECT_EQ(CountInRow(10, clRed), 1);
  EXPECT_EQ(At(10, 10), clRed);
}

TEST_F(DrawProgress, XPVerticalGrowsFromTheBottom) {
  Make(20, 110);
  TXPProgressParams p = Smooth(clGreen);
  p.Vertical = true;
  DrawXPProgress(c(), TRect(2, 2, 16, 104), 30, p);  // extent 100
  int n = 0;
  for (int y = 0; y < 110; ++y) n += At(9, y) == clGreen;
  EXPECT_EQ(n, 30);
  EXPECT_EQ(At(9, 102), clGreen);  // the bottom inside the frame
  EXPECT_EQ(At(9, 73), clGreen);   // 30 rows: 73..102
  EXPECT_EQ(At(9, 72), clWhite);
}

TEST_F(DrawProgress, XPGradientHalvesTheBarAcross) {
  Make(110, 22);
  TXPProgressParams p = Smooth(clBlack);
  p.ShowGradient = true;
  p.Level0ColorTo = clWhite;
  DrawXPProgress(c(), TRect(2, 2, 104, 22), 50, p);
  // Inside the frame rows 3..20, halved at 12: ColorTo -> Color above, Color ->
  // ColorTo below, so the middle is dark and the edges light.
  EXPECT_EQ(At(20, 3), clWhite);
  EXPECT_EQ(At(20, 12), clBlack);
  EXPECT_EQ(At(20, 20), clWhite);
}

TEST_F(DrawProgress, XPShowsThePercentageInItsFont) {
  Make(110, 20);
  TXPProgressParams p;
  p.Level0Color = clWhite;  // the bar stays white: only the text is dark
  p.CompleteFontColor = clBlack;
  p.ShowBorder = false;
  DrawXPProgress(c(), TRect(2, 2, 104, 18), 0, p);
  int dark = 0;
  for (int x = 30; x < 80; ++x)
    for (int y = 3; y < 17; ++y) dark += At(x, y) == clBlack;
  EXPECT_GT(dark, 10);
  EXPECT_EQ(At(10, 10), clWhite);
}

TEST_F(DrawProgress, ClassicFormatTakesIntegersOrReals) {
  // "%d" gets the rounded position: the text differs from the one of "%.1f".
  auto draw = [&](const QString& Fmt) {
    Make(80, 20);
    DrawClassicProgress(c(), TRect(0, 0, 80, 20), clWhite, clBlack, clWhite, clBlack, 42.4, 0, 0, 0,
                        100, Fmt, clNone, false);
    return bmp->ToImage();
  };
  const QImage d = draw("%d"), f = draw("%.1f"), d2 = draw("%d");
  EXPECT_TRUE(d == d2);
  EXPECT_FALSE(d == f);
}

class DrawCellButtons : public DrawSurface {};

TEST_F(DrawCellButtons, ClassicLooksAreTheSystemFrameControls) {
  // What the routines draw equals the frame controls in their areas.
  auto expect = [&](const std::function<void(TCanvas*)>& Routine,
                    const std::function<void(TCanvas*)>& Reference) {
    Make(60, 24);
    Routine(c());
    const QImage got = bmp->ToImage();
    Make(60, 24);
    Reference(c());
    EXPECT_TRUE(got == bmp->ToImage());
  };
  const TColorTones tones;
  expect([&](TCanvas* C) { DrawComboButton(C, nullptr, TRect(0, 0, 60, 24), cblFlat, cbsNormal, tones); },
         [](TCanvas* C) {
           DrawFrameControl(C->Handle(), TRect(41, 1, 58, 23), DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
         });
  expect([&](TCanvas* C) { DrawPushButton(C, nullptr, TRect(2, 2, 50, 20), cblClassic, cbsDown, tones); },
         [](TCanvas* C) {
           DrawFrameControl(C->Handle(), TRect(2, 2, 50, 20), DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
         });
  expect([&](TCanvas* C) { DrawSpinButtons(C, nullptr, TRect(0, 0, 60, 24), cblClassic, cbsDisabled, tones); },
         [](TCanvas* C) {
           DrawFrameControl(C->Handle(), TRect(44, -1, 59, 11), DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
           DrawFrameControl(C->Handle(), TRect(44, 12, 59, 23), DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
         });
}

TEST_F(DrawCellButtons, SmallHelpers) {
  Make(20, 20);
  FillRectColor(c(), TRect(2, 2, 6, 6), clRed);
  EXPECT_EQ(At(2, 2), clRed);
  EXPECT_EQ(At(6, 6), clWhite);
  DrawArrowDown(c(), 12, 10, clBlue);
  EXPECT_EQ(At(12, 11), clBlue);   // inside the triangle
  EXPECT_EQ(At(12, 9), clWhite);   // above its top edge
  EXPECT_EQ(At(8, 12), clWhite);   // beside its tip
}
