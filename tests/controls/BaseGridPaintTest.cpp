// The base grid's cell painter and its keys on merged blocks, on a grid shown
// offscreen.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <map>
#include <vector>

#include "controls/BaseGrid.h"
#include "platform/ui/Forms.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// Counts the content paints per cell and paints every cell in CellColor.
class TPaintGrid : public TBaseGrid {
 public:
  explicit TPaintGrid(TComponent* AOwner) : TBaseGrid(AOwner) {}
  struct TContent { int Col, Row; TRect R; };
  std::vector<TContent> Contents;
  TColor CellColor = clWhite;
  TColor FixedColor = clNone;  // clNone: fixed cells in CellColor too
  int ContentCount(int C, int R) const {
    int n = 0;
    for (const TContent& x : Contents) n += x.Col == C && x.Row == R;
    return n;
  }
  void SetHideLastRow(bool Value) { FHideLastRow = Value; }
  void SetHoverRowIdx(int Value) { FHoverRowIdx = Value; }
  void SetShowSel(bool Value) { FShowSel = Value; }
  using TBaseGrid::ChangeScale;
  using TBaseGrid::DoMouseWheelDown;
  using TBaseGrid::DoMouseWheelUp;
  using TBaseGrid::KeyDown;

 protected:
  void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect,
                       TGridDrawState AState) override {
    Contents.push_back({ACol, ARow, ARect});
    TBaseGrid::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
  }
  void GetVisualProperties(int ACol, int ARow, TGridDrawState&, bool, bool, bool, TBrush* ABrush,
                           TColor&, TColor&, TColor&, TFont*, TAlignment&, TVAlignment&, bool&,
                           TCellGradientDirection&) override {
    const bool fixed = ACol < FixedCols() || ARow < FixedRows();
    ABrush->SetColor(fixed && FixedColor != clNone ? FixedColor : CellColor);
  }
};

// A grid of 8 columns of 40 and 10 rows of 20 pixels, one fixed column and row,
// without border and without scroll bars, on a shown form, with the keyboard
// focus.
class BaseGridPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    G = new TPaintGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 340, 240);
    G->SetColCount(8);
    G->SetRowCount(10);
    G->SetDefaultColWidth(40);
    G->SetDefaultRowHeight(20);
    F.Show();
    G->SetFocus();
  }
  QImage Paint() {
    G->Contents.clear();
    G->PaintNow();
    return G->BackBuffer()->copy();
  }
  static TColor At(const QImage& Img, int X, int Y) { return FromQColor(QColor(Img.pixel(X, Y))); }
  void Key(Word K) {
    Word k = K;
    G->KeyDown(k, TShiftState());
  }
  TShownForm F{400, 300};
  TPaintGrid* G = nullptr;
};

}  // namespace

TEST_F(BaseGridPaint, MergedBlockIsPaintedOnceByItsCoveredCells) {
  G->MergeCells(2, 2, 2, 2);
  Paint();
  // The base cell paints itself when asked; of the three covered cells only the
  // first one asked paints the block again, over the block's whole rectangle.
  EXPECT_EQ(G->ContentCount(2, 2), 2);
  EXPECT_EQ(G->ContentCount(3, 2), 0);
  EXPECT_EQ(G->ContentCount(2, 3), 0);
  EXPECT_EQ(G->ContentCount(3, 3), 0);
  const TRect block = G->CellRect(2, 2);
  EXPECT_EQ(block.Width(), 80);
  for (const auto& c : G->Contents)
    if (c.Col == 2 && c.Row == 2) { EXPECT_TRUE(c.R == TRect(block.Left + 1, block.Top + 1, block.Right - 1, block.Bottom - 1)); }
  Paint();  // a new pass paints it again
  EXPECT_EQ(G->ContentCount(2, 2), 2);
}

TEST_F(BaseGridPaint, BlockWithItsBaseScrolledAwayIsPaintedOnce) {
  G->MergeCells(2, 2, 1, 3);  // rows 2..4
  G->SetTopRow(3);            // row 2 scrolls out of view
  Paint();
  EXPECT_EQ(G->ContentCount(2, 2), 1);
  EXPECT_EQ(G->ContentCount(2, 3), 0);
  EXPECT_EQ(G->ContentCount(2, 4), 0);
}

TEST_F(BaseGridPaint, HiddenLastRowShowsOnlyTheBackground) {
  G->SetColor(clWhite);
  G->CellColor = clYellow;
  G->SetCells(3, 9, "hidden");
  G->SetHideLastRow(true);
  const QImage img = Paint();
  const TRect r = G->CellRect(3, 9);
  ASSERT_FALSE(r.Width() == 0);

  for (int x = r.Left; x < r.Right; ++x)
    for (int y = r.Top; y < r.Bottom; ++y) ASSERT_EQ(At(img, x, y), clWhite) << x << "," << y;
  EXPECT_EQ(G->ContentCount(3, 9), 0);
  const TRect above = G->CellRect(3, 8);
  EXPECT_EQ(At(img, above.Left + 10, above.Top + 5), clYellow);
}

TEST_F(BaseGridPaint, WideGridLinesInsetTheContent) {
  G->SetGridLineWidth(3);
  G->SetGridLineColor(clBlue);
  G->CellColor = clYellow;
  const QImage img = Paint();
  const TRect r = G->CellRect(2, 2);
  bool found = false;
  for (const auto& c : G->Contents)
    if (c.Col == 2 && c.Row == 2) {
      found = true;
      EXPECT_TRUE(c.R == TRect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3));
    }
  EXPECT_TRUE(found);
  // The 3-pixel lines lie inside the cell, offset by 2 from its right and bottom.
  const int y = r.Top + 8;
  EXPECT_EQ(At(img, r.Right - 1, y), clBlue);
  EXPECT_EQ(At(img, r.Right - 3, y), clBlue);
  EXPECT_EQ(At(img, r.Right - 4, y), clYellow);
  EXPECT_EQ(At(img, r.Left + 10, r.Bottom - 3), clBlue);
  EXPECT_EQ(At(img, r.Left + 10, r.Bottom - 4), clYellow);
  // A fixed cell keeps its 1-pixel line in the fixed line colour.
  const TRect f = G->CellRect(0, 2);
  EXPECT_EQ(At(img, f.Right - 1, f.Top + 8), G->GridFixedLineColor());
}

TEST_F(BaseGridPaint, SelectionStylesFocusedAndUnfocused) {
  G->SetSelection({1, 2, 3, 2});  // three cells of row 2; (2, 2) is the middle piece
  struct Case { TGridSelectionStyle style; TColor focusedBorder; };
  const Case cases[] = {{ssVista, 0xFDDE99}, {ssWin7, 0xCEA27D}, {ssOffice2007, 0x8DD7D3}};
  for (const Case& c : cases) {
    G->SetSelectionStyle(c.style);
    G->SetFocus();
    QImage img = Paint();
    TRect mid = G->CellRect(2, 2);
    TRect left = G->CellRect(1, 2);
    EXPECT_EQ(At(img, mid.Left, mid.Top), c.focusedBorder) << c.style;  // no rounded end
    EXPECT_EQ(At(img, left.Left, left.Top), ColorToRGB(G->Color())) << c.style;  // the left end's corner
  }
  // Focus elsewhere: the grey set, whatever the style.
  auto* other = new TProbe(F.Form, F.Form, "Other", nullptr);
  other->SetBounds(350, 0, 40, 40);
  other->SetFocus();
  G->SetSelectionStyle(ssWin7);
  QImage img = Paint();
  TRect mid = G->CellRect(2, 2);
  EXPECT_EQ(At(img, mid.Left, mid.Top), 0xD9D9D9);
  EXPECT_EQ(At(img, mid.Left + 5, mid.Top + 1), 0xFBFAFA);  // the grey inner top line
  // goDrawFocusSelected keeps the focused colours.
  G->SetOptions(G->Options() + goDrawFocusSelected);
  img = Paint();
  EXPECT_EQ(At(img, mid.Left, mid.Top), 0xCEA27D);
}

TEST_F(BaseGridPaint, ArrowKeysStepOverABlock) {
  G->MergeCells(2, 2, 3, 2);  // columns 2..4, rows 2..3
  struct Case { const char* what; int col, row; Word key; int toCol, toRow; };
  const Case cases[] = {
      {"right from the base: the first column after the block", 2, 2, VK_RIGHT, 5, 2},
      {"down from the base: the first row below the block", 2, 2, VK_DOWN, 2, 4},
      {"into the block from its right: onto the base cell", 5, 3, VK_LEFT, 2, 2},
      {"into the block from above: onto the base cell", 3, 1, VK_DOWN, 2, 2},
      // A covered cell made current in code (the cursor normally stands on base
      // cells): Left and Up leave the block to the cell right before it.
      {"left from a covered cell", 4, 3, VK_LEFT, 1, 3},
      {"up from a covered cell", 3, 3, VK_UP, 3, 1},
      {"right from a covered cell", 3, 3, VK_RIGHT, 5, 3},
  };
  for (const Case& c : cases) {
    G->SetCol(c.col);
    G->SetRow(c.row);
    Key(c.key);
    EXPECT_EQ(G->Col(), c.toCol) << c.what;
    EXPECT_EQ(G->Row(), c.toRow) << c.what;
  }
}

TEST_F(BaseGridPaint, WheelSnapsOntoTheBaseCell) {
  G->MergeCells(2, 3, 2, 2);  // columns 2..3, rows 3..4
  G->SetCol(3);
  G->SetRow(2);
  G->DoMouseWheelDown(TShiftState(), TPoint(10, 10));
  EXPECT_EQ(G->Col(), 2);
  EXPECT_EQ(G->Row(), 3);
  G->SetCol(3);
  G->SetRow(5);
  G->DoMouseWheelUp(TShiftState(), TPoint(10, 10));
  EXPECT_EQ(G->Col(), 2);
  EXPECT_EQ(G->Row(), 3);
}

TEST_F(BaseGridPaint, PageDownStopsBeforeTheHiddenLastRow) {
  G->SetRowCount(8);  // all rows in view
  G->SetHideLastRow(true);
  G->SetRow(3);
  Key(VK_NEXT);
  EXPECT_EQ(G->Row(), 6);
}

TEST_F(BaseGridPaint, ScalingKeepsColumnWidthsAndRowHeights) {
  G->SetColWidths(2, 55);
  G->ChangeScale(3, 2);
  EXPECT_EQ(G->ColWidths(2), 55);
  EXPECT_EQ(G->RowHeights(1), 20);
}

TEST_F(BaseGridPaint, HoverAndActiveRowColours) {
  G->CellColor = clWhite;
  G->FixedColor = clGray;
  G->SetOptions(G->Options() - goVertLine - goHorzLine);
  G->SetHoverRow(true);
  G->SetHoverRowColor(clYellow);
  G->SetHoverRowIdx(4);
  G->SetActiveRowShow(true);
  G->SetActiveRowColor(clAqua);
  G->SetCol(3);
  G->SetRow(6);
  const QImage img = Paint();
  auto mid = [&](int C, int R) {
    const TRect r = G->CellRect(C, R);
    return At(img, (r.Left + r.Right) / 2, r.Top + 3);
  };
  EXPECT_EQ(mid(2, 4), clYellow);  // the row under the mouse
  EXPECT_EQ(mid(0, 4), clGray);    // fixed cells are not hovered by default
  EXPECT_EQ(mid(2, 6), clAqua);    // the current row
  EXPECT_EQ(mid(3, 6), clWhite);   // but not its current cell
  EXPECT_EQ(mid(2, 5), clWhite);
  // With hcFixed the fixed cell of the hovered row joins in; with the selection
  // hidden the current cell takes the active row colour.
  G->SetHoverRowCells(THoverRowCells{hcNormal, hcFixed, hcSelected});
  G->SetShowSel(false);
  const QImage img2 = Paint();
  const TRect f = G->CellRect(0, 4), cur = G->CellRect(3, 6);
  EXPECT_EQ(At(img2, (f.Left + f.Right) / 2, f.Top + 3), clYellow);
  EXPECT_EQ(At(img2, (cur.Left + cur.Right) / 2, cur.Top + 3), clAqua);
}

TEST_F(BaseGridPaint, ActiveRowMirrorGradient) {
  G->SetOptions(G->Options() - goVertLine - goHorzLine);
  G->SetActiveRowShow(true);
  G->SetActiveRowColor(clRed);
  G->SetActiveRowColorTo(clRed);
  G->SetActiveRowMirrorColor(clBlue);
  G->SetActiveRowMirrorColorTo(clBlue);
  G->SetCol(1);
  G->SetRow(3);
  const QImage img = Paint();
  const TRect r = G->CellRect(4, 3);
  EXPECT_EQ(At(img, r.Left + 10, r.Top + 2), clRed);      // upper half
  EXPECT_EQ(At(img, r.Left + 10, r.Bottom - 3), clBlue);  // lower half
}

TEST_F(BaseGridPaint, BlockScrolledUnderTheFixedColumnLeavesItAlone) {
  G->CellColor = clYellow;
  G->FixedColor = clGreen;
  G->SetOptions(G->Options() - goVertLine - goHorzLine - goFixedVertLine - goFixedHorzLine);
  G->MergeCells(1, 3, 3, 1);  // columns 1..3
  G->SetLeftCol(2);           // column 1 scrolls away: the block reaches under column 0
  const QImage img = Paint();
  const TRect fixed = G->CellRect(0, 3);
  for (int x = fixed.Left; x < fixed.Right; ++x)
    ASSERT_EQ(At(img, x, fixed.Top + 5), clGreen) << x;
  const TRect covered = G->CellRect(2, 3);  // the block's rectangle
  EXPECT_LT(covered.Left, fixed.Right);
  EXPECT_EQ(At(img, fixed.Right + 2, fixed.Top + 5), clYellow);
  EXPECT_EQ(G->ContentCount(1, 3), 1);
}

TEST_F(BaseGridPaint, PaintCellExtDrawsTheLookOnly) {
  G->CellColor = clYellow;
  G->MergeCells(2, 2, 2, 2);
  // Beyond the fixed column's and row's extent (40 x 20), which a normal cell
  // never paints over.
  TBitmap bmp(120, 60);
  const TRect where(50, 30, 90, 50);
  G->Contents.clear();
  G->PaintCellExt(bmp.Canvas(), 2, 2, where, TGridDrawState());
  EXPECT_TRUE(G->Contents.empty());
  EXPECT_EQ(bmp.Canvas()->Pixels(60, 35), clYellow);
  EXPECT_EQ(bmp.Canvas()->Pixels(100, 35), clWhite);  // ARect as given, not the block
  // Selected without content: the active row colours stand for the selection.
  G->PaintCellExt(bmp.Canvas(), 2, 2, where, TGridDrawState{gdSelected});
  EXPECT_EQ(bmp.Canvas()->Pixels(60, 35), ColorToRGB(clInfoBk));
  G->PaintCell(bmp.Canvas(), 2, 2, where, TGridDrawState());
  EXPECT_EQ(G->ContentCount(2, 2), 1);
}

// The grid paints every pixel of its client area itself, so nothing is erased
// before a paint: whatever stood in the back buffer is painted over everywhere,
// also under a merged block whose base cell has scrolled out of view and in the
// room beyond the last column and row.
TEST_F(BaseGridPaint, PaintCoversTheWholeClientWithoutErasing) {
  struct TCase {
    const char* Name;
    int Rows, TopRow;
    TGridRect Merge;  // Left, Top, Right, Bottom; Right < Left for none
  };
  const TCase cases[] = {
      {"plain, room beyond the cells", 10, 1, {0, 0, -1, 0}},
      {"merged block, base cell scrolled away", 30, 6, {2, 4, 4, 9}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    G->SetRowCount(c.Rows);
    if (c.Merge.Right >= c.Merge.Left)
      G->MergeCells(c.Merge.Left, c.Merge.Top, c.Merge.Right - c.Merge.Left + 1,
                    c.Merge.Bottom - c.Merge.Top + 1);
    G->SetTopRow(c.TopRow);
    Paint();
    G->BackBuffer()->fill(Qt::magenta);
    const QImage img = Paint();
    int stale = 0;
    const TRect cr = G->ClientRect();
    for (int y = 0; y < cr.Bottom; ++y)
      for (int x = 0; x < cr.Right; ++x) stale += img.pixel(x, y) == QColor(Qt::magenta).rgba();
    EXPECT_EQ(stale, 0);
  }
}
