#include <gtest/gtest.h>

#include <QImage>

#include "platform/Graphics.h"

namespace {

// A canvas on a white 40 x 30 image.
struct Surface {
  QImage image{40, 30, QImage::Format_RGB32};
  TCanvas canvas;
  Surface() {
    image.fill(Qt::white);
    canvas.SetDevice(&image);
  }
  TColor At(int x, int y) { return canvas.Pixels(x, y); }
};

}  // namespace

TEST(CanvasShapes, RectangleOutlineWithPenInsideWithBrushRightBottomExclusive) {
  Surface s;
  s.canvas.Pen()->SetColor(clRed);
  s.canvas.Brush()->SetColor(clBlue);
  s.canvas.Rectangle(2, 3, 10, 8);
  EXPECT_EQ(s.At(2, 3), clRed);
  EXPECT_EQ(s.At(9, 3), clRed);
  EXPECT_EQ(s.At(9, 7), clRed);
  EXPECT_EQ(s.At(2, 7), clRed);
  EXPECT_EQ(s.At(3, 4), clBlue);
  EXPECT_EQ(s.At(8, 6), clBlue);
  EXPECT_EQ(s.At(10, 5), clWhite);
  EXPECT_EQ(s.At(5, 8), clWhite);
  EXPECT_EQ(s.At(1, 5), clWhite);
}

TEST(CanvasShapes, LineToLeavesOutEndPoint) {
  Surface s;
  s.canvas.MoveTo(1, 1);
  s.canvas.LineTo(6, 1);
  EXPECT_EQ(s.At(1, 1), clBlack);
  EXPECT_EQ(s.At(5, 1), clBlack);
  EXPECT_EQ(s.At(6, 1), clWhite);
  EXPECT_EQ(s.canvas.PenPos(), TPoint(6, 1));
}
