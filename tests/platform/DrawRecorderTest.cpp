// The draw recorder of the device contexts: what a canvas draws, in order.
#include <gtest/gtest.h>

#include "common/RecordingCanvas.h"
#include "platform/gdi/WinGdi.h"

TEST(DrawRecorder, RecordsWhatTheCanvasDraws) {
  TRecordingCanvas rc(100, 60);
  TCanvas* c = rc.Canvas();
  c->Pen()->SetColor(clRed);
  c->MoveTo(1, 2);
  c->LineTo(30, 2);
  c->Brush()->SetColor(clBlue);
  c->Rectangle(TRect(5, 6, 20, 30));
  c->FillRect(TRect(0, 0, 4, 4));
  TFontStyles st;
  st.Include(fsUnderline);
  c->Font()->SetStyle(st);
  c->Font()->SetColor(clGreen);
  TRect r(10, 10, 90, 50);
  DrawText(c->Handle(), QStringLiteral("abc"), -1, r, DT_CENTER | DT_SINGLELINE);
  // Measuring draws nothing.
  DrawText(c->Handle(), QStringLiteral("abc"), -1, r, DT_CALCRECT);
  TBitmap bmp;
  bmp.SetSize(8, 6);
  c->Draw(40, 20, &bmp);

  const auto& rec = rc.Records();
  ASSERT_EQ(rec.size(), 5u);
  EXPECT_EQ(rec[0].Kind, dkLine);
  EXPECT_EQ(rec[0].P1, TPoint(1, 2));
  EXPECT_EQ(rec[0].P2, TPoint(30, 2));
  EXPECT_EQ(rec[0].PenColor, COLORREF(0x0000FF));
  EXPECT_EQ(rec[1].Kind, dkRectangle);
  EXPECT_EQ(rec[1].R, TRect(5, 6, 20, 30));
  EXPECT_EQ(rec[1].BrushColor, COLORREF(0xFF0000));
  EXPECT_EQ(rec[2].Kind, dkFill);
  EXPECT_EQ(rec[3].Kind, dkText);
  EXPECT_EQ(rec[3].Text, "abc");
  EXPECT_EQ(rec[3].Flags, UINT(DT_CENTER | DT_SINGLELINE));
  EXPECT_TRUE(rec[3].Underline);
  EXPECT_EQ(rec[3].TextColor, COLORREF(ColorToRGB(clGreen)));
  EXPECT_EQ(rec[4].Kind, dkBitmap);
  EXPECT_EQ(rec[4].R, TRect(40, 20, 48, 26));
  // Detached, nothing more is recorded.
  SetDrawRecorder(c->Handle(), nullptr);
  c->LineTo(5, 5);
  EXPECT_EQ(rc.Records().size(), 5u);
  SetDrawRecorder(c->Handle(), &rc.Recorder());
}
