// The graphics interface as the layers above the platform see it: Graphics.h
// alone, without Qt's GUI headers.
#include <gtest/gtest.h>

#include "platform/gdi/Graphics.h"

TEST(GraphicsApi, UsableWithoutQtGuiHeaders) {
  TBitmap b(10, 10);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(Rect(0, 0, 10, 10));
  c->Pen()->SetColor(clRed);
  c->MoveTo(0, 0);
  c->LineTo(10, 0);
  EXPECT_EQ(c->Pixels(9, 0), clRed);
  EXPECT_EQ(c->Pixels(5, 5), ColorToRGB(clBtnFace));
  TRect r(0, 0, 100, 0);
  DrawText(c->Handle(), QStringLiteral("x"), -1, r, DT_CALCRECT);
  EXPECT_GT(r.Bottom, 0);
  TImageList list(nullptr);
  list.SetWidth(5);
  list.SetHeight(10);
  list.Add(&b, nullptr);
  EXPECT_EQ(list.Count(), 2);
  TPicture pic;
  pic.SetGraphic(&b);
  EXPECT_EQ(pic.Width(), 10);
}
