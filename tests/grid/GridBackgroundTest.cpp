// The string grid's background picture and gradient, checked on the pixels of
// the grid as it is drawn on a form shown offscreen.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Snapshot.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// A colour per Block x Block square of a picture, different for neighbours.
TColor PatternColor(int X, int Y, int Block) {
  const int bx = X / Block, by = Y / Block;
  return RGB((bx * 53) % 256, (by * 71) % 256, ((bx + by) * 37 + 20) % 256);
}

std::unique_ptr<TBitmap> Pattern(int W, int H, int Block) {
  auto b = std::make_unique<TBitmap>(W, H);
  for (int y = 0; y < H; y += Block)
    for (int x = 0; x < W; x += Block) {
      b->Canvas()->Brush()->SetColor(PatternColor(x, y, Block));
      b->Canvas()->FillRect(TRect(x, y, x + Block, y + Block));
    }
  return b;
}

TColor PixelAt(const QImage& Img, int X, int Y) {
  const QRgb p = Img.pixel(X, Y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

bool Near(TColor A, TColor B, int Tolerance) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= Tolerance && std::abs(GetGValue(A) - GetGValue(B)) <= Tolerance &&
         std::abs(GetBValue(A) - GetBValue(B)) <= Tolerance;
}

// A borderless grid of 3 x 3 empty cells in a 400 x 300 grid, so that the
// empty area lies right of and below the cells; the selection is not shown.
class GridBackground : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 400, 300);
    G->SetColCount(3);
    G->SetRowCount(3);
    G->SetShowSelection(false);
    F.Show();
  }
  // The pixels inside the normal cells other than the current one, and the
  // empty area (above Bottom).
  std::vector<TPoint> Probes(int Bottom) {
    std::vector<TPoint> pts;
    for (TPoint cell : {TPoint(2, 1), TPoint(1, 2), TPoint(2, 2)}) {
      const TRect r = G->CellRect(cell.X, cell.Y);
      for (int y = r.Top + 1; y < r.Bottom - 1; y += 3)
        for (int x = r.Left + 1; x < r.Right - 1; x += 5) pts.push_back(TPoint(x, y));
    }
    const TRect last = G->CellRect(2, 2);
    for (int y = 2; y < Bottom; y += 7)
      for (int x = last.Right + 2; x < 400; x += 9) pts.push_back(TPoint(x, y));
    for (int y = last.Bottom + 2; y < Bottom; y += 7)
      for (int x = 0; x < 400; x += 9) pts.push_back(TPoint(x, y));
    return pts;
  }
  TShownForm F{450, 350};
  TProStringGrid* G = nullptr;
};

TEST_F(GridBackground, TheDefaultsDrawNothing) {
  EXPECT_EQ(G->BackGround()->Display(), bdTile);
  EXPECT_EQ(G->BackGround()->Cells(), bcNormal);
  EXPECT_FALSE(G->BackGround()->HasPicture());
  const QImage img = GrabControl(G);
  const TColor grid = ColorToRGB(G->Color());
  for (const TPoint p : Probes(300)) ASSERT_EQ(PixelAt(img, p.X, p.Y), grid) << p.X << "," << p.Y;
}

TEST_F(GridBackground, ATiledPictureIsOnePatternOverTheCellsAndTheEmptyArea) {
  auto pic = Pattern(16, 16, 4);
  G->BackGround()->SetBitmap(pic.get());
  const QImage img = GrabControl(G);
  // One tiled image, starting one pixel above and left of the first normal cell.
  const TRect first = G->CellRect(1, 1);
  const int ox = first.Left - 1, oy = first.Top - 1;
  for (const TPoint p : Probes(300)) {
    const int px = ((p.X - ox) % 16 + 16) % 16, py = ((p.Y - oy) % 16 + 16) % 16;
    ASSERT_EQ(PixelAt(img, p.X, p.Y), PatternColor(px, py, 4)) << p.X << "," << p.Y;
  }
  // The fixed cells keep their own look.
  const TRect fixed = G->CellRect(1, 0);
  EXPECT_NE(PixelAt(img, fixed.Left + 3, fixed.Top + 3),
            PatternColor(((fixed.Left + 3 - ox) % 16 + 16) % 16, ((fixed.Top + 3 - oy) % 16 + 16) % 16, 4));
}

TEST_F(GridBackground, TheTiledPatternScrollsWithTheCells) {
  auto pic = Pattern(16, 16, 4);
  G->BackGround()->SetBitmap(pic.get());
  G->SetRowCount(40);
  G->SetTopRow(7);
  const QImage img = GrabControl(G);
  // Where the first normal cell would stand unscrolled, from the rows in view.
  const TRect top = G->CellRect(2, 7), next = G->CellRect(2, 8);
  const int advance = next.Top - top.Top;
  const int ox = G->CellRect(1, 7).Left - 1, oy = top.Top - 6 * advance - 1;
  std::vector<TPoint> pts;
  for (int y = next.Top + 1; y < next.Bottom - 1; y += 2)
    for (int x = next.Left + 1; x < next.Right - 1; x += 3) pts.push_back(TPoint(x, y));
  for (int y = 2; y < G->ClientHeight(); y += 11)
    for (int x = next.Right + 3; x < G->ClientWidth(); x += 7) pts.push_back(TPoint(x, y));
  for (const TPoint p : pts) {
    const int px = ((p.X - ox) % 16 + 16) % 16, py = ((p.Y - oy) % 16 + 16) % 16;
    ASSERT_EQ(PixelAt(img, p.X, p.Y), PatternColor(px, py, 4)) << p.X << "," << p.Y;
  }
}

TEST_F(GridBackground, AFixedPictureShowsThroughTheCellsThatShowTheBackground) {
  auto pic = Pattern(360, 270, 10);
  G->BackGround()->SetBitmap(pic.get());
  G->BackGround()->SetDisplay(bdFixed);
  G->SetColors(2, 2, clYellow);
  const QImage img = GrabControl(G);
  const TRect own = G->CellRect(2, 2);
  for (const TPoint p : Probes(270)) {
    const bool inOwn = p.X >= own.Left && p.X < own.Right && p.Y >= own.Top && p.Y < own.Bottom;
    if (p.X >= 360) continue;
    ASSERT_EQ(PixelAt(img, p.X, p.Y), inOwn ? TColor(ColorToRGB(clYellow)) : PatternColor(p.X, p.Y, 10))
        << p.X << "," << p.Y;
  }
  // Beyond the picture the grid's colour stays.
  EXPECT_EQ(PixelAt(img, 380, 290), TColor(ColorToRGB(G->Color())));
}

TEST_F(GridBackground, AVerticalGradientRunsFromTopToBottom) {
  G->BackGround()->SetDisplay(bdGradientVert);
  G->BackGround()->SetColor(clWhite);
  G->BackGround()->SetColorTo(RGB(0, 0, 160));
  const QImage img = GrabControl(G);
  // The empty area and the cells take the colour of their height in the grid.
  for (const TPoint p : {TPoint(390, 2), TPoint(390, 150), TPoint(390, 297), TPoint(200, 250),
                         TPoint(G->CellRect(2, 1).Left + 10, G->CellRect(2, 1).Top + 5),
                         TPoint(G->CellRect(1, 2).Left + 10, G->CellRect(1, 2).Bottom - 3)}) {
    const TColor want = InterpolateColor(clWhite, RGB(0, 0, 160), 0, 300, p.Y);
    EXPECT_TRUE(Near(PixelAt(img, p.X, p.Y), want, 4))
        << p.X << "," << p.Y << ": " << std::hex << PixelAt(img, p.X, p.Y) << " want " << want;
  }
  // Without an end colour nothing is drawn.
  G->BackGround()->SetColorTo(clNone);
  const QImage plain = GrabControl(G);
  EXPECT_EQ(PixelAt(plain, 390, 297), TColor(ColorToRGB(G->Color())));
}

TEST_F(GridBackground, TheFootersAreLeftOutOfTheEmptyArea) {
  auto pic = Pattern(16, 16, 4);
  G->BackGround()->SetBitmap(pic.get());
  G->SearchFooter()->SetVisible(true);
  const QImage img = GrabControl(G);
  // The bottom 32 pixels belong to the search bar: no picture there.
  const TRect first = G->CellRect(1, 1);
  const int ox = first.Left - 1, oy = first.Top - 1;
  int pattern = 0;
  for (int y = 300 - 32; y < 300; y += 3)
    for (int x = 0; x < 400; x += 7)
      if (PixelAt(img, x, y) == PatternColor(((x - ox) % 16 + 16) % 16, ((y - oy) % 16 + 16) % 16, 4)) ++pattern;
  EXPECT_LT(pattern, 20);  // only chance matches of the search bar's own pixels
  EXPECT_EQ(PixelAt(img, 380, 300 - 40), PatternColor(((380 - ox) % 16 + 16) % 16, ((260 - oy) % 16 + 16) % 16, 4));
  // The gradient ends where the floating footer begins.
  G->SearchFooter()->SetVisible(false);
  G->BackGround()->SetBitmap(nullptr);
  G->BackGround()->SetDisplay(bdGradientVert);
  G->BackGround()->SetColor(clWhite);
  G->BackGround()->SetColorTo(RGB(0, 0, 160));
  G->FloatingFooter()->SetVisible(true);
  const int panel = G->FooterPanel()->Height();
  ASSERT_GT(panel, 0);
  const QImage grad = GrabControl(G);
  EXPECT_TRUE(Near(PixelAt(grad, 390, 300 - panel - 1), RGB(0, 0, 160), 4))
      << std::hex << PixelAt(grad, 390, 300 - panel - 1);
}

TEST(GridBackGroundSettings, BadValuesAreRefusedAndAssignCopiesEverything) {
  TProStringGrid g(nullptr);
  TBackGround* b = g.BackGround();
  EXPECT_THROW(b->SetDisplay(TBackGroundDisplay(4)), EProGridError);
  EXPECT_THROW(b->SetCells(TBackGroundCells(-1)), EProGridError);
  EXPECT_EQ(b->Display(), bdTile);
  EXPECT_EQ(b->Cells(), bcNormal);
  TProStringGrid other(nullptr);
  auto pic = Pattern(8, 8, 4);
  other.BackGround()->SetBitmap(pic.get());
  other.BackGround()->SetDisplay(bdFixed);
  other.BackGround()->SetCells(bcAll);
  other.BackGround()->SetLeft(5);
  other.BackGround()->SetTop(6);
  other.BackGround()->SetColor(clRed);
  other.BackGround()->SetColorTo(clBlue);
  g.SetBackGround(other.BackGround());
  EXPECT_EQ(b->Display(), bdFixed);
  EXPECT_EQ(b->Cells(), bcAll);
  EXPECT_EQ(b->Left(), 5);
  EXPECT_EQ(b->Top(), 6);
  EXPECT_EQ(b->Color(), clRed);
  EXPECT_EQ(b->ColorTo(), clBlue);
  ASSERT_EQ(b->Bitmap()->Width(), 8);
  EXPECT_EQ(b->Bitmap()->Canvas()->Pixels(5, 1), PatternColor(5, 1, 4));
}

}  // namespace
