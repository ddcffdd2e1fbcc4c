// What the string grid draws for cell graphics: the placement of a graphic
// beside the text, each kind once, node glyphs and tree lines, always-visible
// editor buttons, the in-cell scroll bar and the disabled looks. Checked on the
// recording canvas, with pixel probes where only pixels tell.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <set>

#include "common/RecordingCanvas.h"
#include "grid/ProGrid.h"
#include "platform/gdi/Graphics.h"
#include "platform/gdi/WinGdi.h"
#include "platform/os/ScopedService.h"
#include "tests/controls/ThemeFakes.h"
#include "tests/platform/ControlTestSupport.h"

#include <QApplication>
#include <QWidget>

namespace {

void Paint(TProStringGrid& g, TRecordingCanvas& rc, int c, int r, TGridDrawState State = {}) {
  g.PaintCell(rc.Canvas(), c, r, g.CellRect(c, r), State);
}

std::vector<TDrawRecord> TextsOf(const TRecordingCanvas& rc, const QString& T) {
  std::vector<TDrawRecord> out;
  for (const TDrawRecord& r : rc.OfKind(dkText))
    if (r.Text == T) out.push_back(r);
  return out;
}

// Where the drawn text T begins, by the alignment of its layout rectangle.
int TextStart(TRecordingCanvas& rc, const TDrawRecord& T, TAlignment HA) {
  const int w = rc.Canvas()->TextWidth(T.Text);
  return HA == taLeftJustify ? T.R.Left : HA == taRightJustify ? T.R.Right - w : T.R.Left + (T.R.Width() - w) / 2;
}

// A solid bitmap of W x H in Color.
std::unique_ptr<TBitmap> Solid(int W, int H, TColor Color) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(W, H);
  b->Canvas()->Brush()->SetColor(Color);
  b->Canvas()->FillRect(TRect(0, 0, W, H));
  return b;
}

int CountColor(const QImage& Image, const TRect& R, QRgb Color) {
  int n = 0;
  for (int y = std::max(0, R.Top); y < std::min(Image.height(), R.Bottom); ++y)
    for (int x = std::max(0, R.Left); x < std::min(Image.width(), R.Right); ++x)
      if ((Image.pixel(x, y) & 0xFFFFFF) == (Color & 0xFFFFFF)) ++n;
  return n;
}

// A grid of 4 columns of 160 pixels and 6 rows of 30 pixels.
class GraphicPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    G.SetColCount(4);
    G.SetRowCount(6);
    G.SetDefaultColWidth(160);
    G.SetDefaultRowHeight(30);
    G.SetBounds(0, 0, 690, 290);
  }
  TProStringGrid G{nullptr};
};

}  // namespace

TEST_F(GraphicPaint, BitmapBesideTextFollowsTheTextAlignment) {
  auto bmp = Solid(20, 10, clRed);
  struct Case {
    TCellHAlign where;
    TAlignment text;
  } cases[] = {{haBeforeText, taLeftJustify}, {haBeforeText, taRightJustify}, {haBeforeText, taCenter},
               {haAfterText, taLeftJustify},  {haAfterText, taRightJustify},  {haAfterText, taCenter}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "graphic " << c.where << " text " << c.text);
    G.SetCells(1, 1, "abc");
    G.SetAlignments(1, 1, c.text);
    G.AddBitmap(1, 1, bmp.get(), false, c.where, vaTop);
    TRecordingCanvas rc(700, 300);
    Paint(G, rc, 1, 1);
    ASSERT_EQ(rc.OfKind(dkBitmap).size(), 1u);
    const TRect b = rc.OfKind(dkBitmap)[0].R;
    const auto t = TextsOf(rc, "abc");
    ASSERT_EQ(t.size(), 1u);
    const int start = TextStart(rc, t[0], c.text);
    const int end = start + rc.Canvas()->TextWidth("abc");
    EXPECT_EQ(b.Width(), 20);
    if (c.where == haBeforeText) {
      // Right before the text, a few pixels apart.
      EXPECT_LE(b.Right, start);
      EXPECT_GE(b.Right, start - 5);
    } else {
      EXPECT_GE(b.Left, end - 1);
      EXPECT_LE(b.Left, end + 5);
    }
    if (c.text == taCenter) {
      // The pair is centred together in the cell.
      const TRect cr = G.CellRect(1, 1);
      const int pairMid = c.where == haBeforeText ? (b.Left + end) / 2 : (start + b.Right) / 2;
      EXPECT_NEAR(pairMid, (cr.Left + cr.Right) / 2, 4);
    }
  }
}

TEST_F(GraphicPaint, VerticalPlacementsOfAGraphic) {
  auto bmp = Solid(20, 10, clRed);
  G.SetRowHeights(1, 50);
  const TRect cr = G.CellRect(1, 1);
  const int in = G.XYOffset().Y;
  struct Case {
    TCellVAlign va;
    int top;
  } cases[] = {{vaTop, cr.Top + in},
               {vaAboveText, cr.Top + in},
               {vaBottom, cr.Bottom - in - 10},
               {vaUnderText, cr.Bottom - (in - 1) - 10},
               {vaCenter, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.va);
    G.AddBitmap(1, 1, bmp.get(), false, haLeft, c.va);
    TRecordingCanvas rc(700, 300);
    Paint(G, rc, 1, 1);
    ASSERT_EQ(rc.OfKind(dkBitmap).size(), 1u);
    const TRect b = rc.OfKind(dkBitmap)[0].R;
    if (c.va == vaCenter)
      EXPECT_NEAR(b.Top + 5, (cr.Top + cr.Bottom) / 2, 2);
    else
      EXPECT_NEAR(b.Top, c.top, 1);
  }
}

TEST_F(GraphicPaint, CheckBoxesBesideCentredTextAndDataBoxesCentred) {
  G.SetOptions(G.Options() + goEditing);
  G.SetCells(1, 1, "some text");
  G.SetAlignments(1, 1, taCenter);
  G.AddCheckBox(1, 1, true, false);
  TRecordingCanvas rc(700, 300);
  Paint(G, rc, 1, 1);
  ASSERT_EQ(rc.OfKind(dkFrameControl).size(), 1u);
  const TRect box = rc.OfKind(dkFrameControl)[0].R;
  const auto t = TextsOf(rc, "some text");
  ASSERT_EQ(t.size(), 1u);
  const int start = TextStart(rc, t[0], taCenter);
  EXPECT_LE(box.Right, start);
  EXPECT_GE(box.Right, start - 12);
  // A data check box has no text beside it: centred in the cell.
  G.SetCells(2, 1, G.CheckTrue());
  G.AddCheckBox(2, 1, true, true);
  G.SetAlignments(2, 1, taCenter);
  TRecordingCanvas rd(700, 300);
  Paint(G, rd, 2, 1);
  ASSERT_EQ(rd.OfKind(dkFrameControl).size(), 1u);
  const TRect d = rd.OfKind(dkFrameControl)[0].R;
  const TRect cr = G.CellRect(2, 1);
  EXPECT_NEAR((d.Left + d.Right) / 2, (cr.Left + cr.Right) / 2, 2);
  EXPECT_TRUE(TextsOf(rd, G.CheckTrue()).empty());
}

TEST_F(GraphicPaint, ImageKindsAreDrawnOnce) {
  TImageList images(nullptr);
  images.SetWidth(8);
  images.SetHeight(8);
  for (TColor c : {clRed, clGreen, clBlue}) {
    auto b = Solid(8, 8, c);
    images.Add(b.get(), nullptr);
  }
  G.SetGridImages(&images);
  auto bmp = Solid(12, 12, clRed);
  G.AddBitmap(0, 1, bmp.get(), true, haLeft, vaTop);
  G.AddImageIdx(1, 1, 1, haLeft, vaTop);
  G.SetCells(2, 1, "1");
  G.AddDataImage(2, 1, 1, haLeft, vaTop);  // image 1 + 1
  G.AddMultiImage(3, 1, 0, haLeft, vaTop);
  for (int i : {0, 1, 2}) G.CellImages(3, 1)->Add(i);
  // An icon.
  QImage img(16, 16, QImage::Format_ARGB32);
  img.fill(Qt::blue);
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, "PNG");
  TIcon* icon = G.CreateIcon(0, 2, haLeft, vaTop);
  icon->LoadFromBytes(bytes);
  struct Case {
    int c, r;
    size_t pictures;
  } cases[] = {{0, 1, 1}, {1, 1, 1}, {2, 1, 1}, {3, 1, 3}, {0, 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.c << "," << c.r);
    TRecordingCanvas rc(700, 300);
    Paint(G, rc, c.c, c.r);
    EXPECT_EQ(rc.OfKind(dkBitmap).size(), c.pictures);
  }
  // The multi-images lie side by side; the data image is the value's.
  TRecordingCanvas rm(700, 300);
  Paint(G, rm, 3, 1);
  const auto m = rm.OfKind(dkBitmap);
  EXPECT_EQ(m[1].R.Left - m[0].R.Left, 8);
  EXPECT_EQ(m[2].R.Left - m[1].R.Left, 8);
  TRecordingCanvas rd(700, 300);
  Paint(G, rd, 2, 1);
  const QImage px = rd.Pixels();
  EXPECT_GT(CountColor(px, rd.OfKind(dkBitmap)[0].R, qRgb(0, 0, 255)), 40);
  // The data image's text is not drawn.
  EXPECT_TRUE(TextsOf(rd, "1").empty());
  G.SetGridImages(nullptr);
}

TEST_F(GraphicPaint, PicturesInEachStretchModeAndAFilePicture) {
  G.SetRowHeights(1, 60);
  auto bmp = Solid(100, 50, clGreen);
  TPicture pic;
  pic.SetGraphic(bmp.get());
  struct Case {
    TStretchMode mode;
    int w, h;
  } cases[] = {{noStretch, 100, 50}, {Stretch, 0, 0}, {StretchWithAspectRatio, 0, 0}, {Shrink, 0, 0},
               {ShrinkWithAspectRatio, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    G.AddPicture(1, 1, &pic, false, c.mode, 0, haLeft, vaTop);
    int gw = 0, gh = 0;
    bool shown = false;
    TCellHAlign ha;
    TCellVAlign va;
    G.GetCellGraphicGeometry(1, 1, gw, gh, shown, ha, va);
    TRecordingCanvas rc(700, 300);
    Paint(G, rc, 1, 1);
    ASSERT_EQ(rc.OfKind(dkBitmap).size(), 1u);
    const TRect b = rc.OfKind(dkBitmap)[0].R;
    EXPECT_EQ(b.Width(), c.mode == noStretch ? 100 : gw);
    EXPECT_EQ(b.Height(), c.mode == noStretch ? 50 : gh);
  }
  // A file picture reads its file and draws it into its place.
  QTemporaryDir dir;
  const QString file = dir.filePath("p.png");
  QImage img(30, 20, QImage::Format_RGB32);
  img.fill(Qt::red);
  ASSERT_TRUE(img.save(file));
  TFilePicture* fp = G.CreateFilePicture(2, 1, false, noStretch, 0, haLeft, vaTop);
  fp->SetFilename(file);
  TRecordingCanvas rf(700, 300);
  Paint(G, rf, 2, 1);
  const QImage px = rf.Pixels();
  EXPECT_GT(CountColor(px, G.CellRect(2, 1), qRgb(255, 0, 0)), 400);
}

TEST_F(GraphicPaint, RotatedTextStandsUpright) {
  G.SetRowHeights(1, 120);
  G.AddRotated(1, 1, 90, "WWWWWW");
  TRecordingCanvas rc(700, 300);
  Paint(G, rc, 1, 1);
  EXPECT_EQ(TextsOf(rc, "WWWWWW").size(), 1u);
  // The text's ink is taller than wide.
  const QImage px = rc.Pixels();
  const TRect cr = G.CellRect(1, 1);
  int minX = 9999, maxX = -1, minY = 9999, maxY = -1;
  for (int y = cr.Top; y < cr.Bottom; ++y)
    for (int x = cr.Left; x < cr.Right; ++x)
      if (qGray(px.pixel(x, y)) < 100) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
  ASSERT_GE(maxX, 0);
  EXPECT_GT(maxY - minY, 2 * (maxX - minX));
}

TEST_F(GraphicPaint, ProgressBars) {
  // Classic: without own text colours the text takes the inverted colours.
  G.SetCells(1, 1, "40");
  G.AddProgress(1, 1, TColor(0x0000FF), TColor(0xFFFFFF));
  TRecordingCanvas rc(700, 300);
  Paint(G, rc, 1, 1);
  const auto t = TextsOf(rc, "40%");
  ASSERT_FALSE(t.empty());
  std::set<COLORREF> colours;
  for (const TDrawRecord& r : t) colours.insert(r.TextColor & 0xFFFFFF);
  EXPECT_TRUE(colours.count(0xFFFF00) || colours.count(0x000000)) << "inverted colours";
  EXPECT_TRUE(TextsOf(rc, "40").empty());
  // XP progress at the minimum, the maximum and with an empty range.
  struct Case {
    int min, max;
    QString value, shown;
  } cases[] = {{10, 20, "10", "0%"}, {10, 20, "20", "100%"}, {5, 5, "5", "0%"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown.toStdString());
    G.SetCells(2, 1, c.value);
    G.AddProProgress(2, 1, c.min, c.max);
    TRecordingCanvas rx(700, 300);
    Paint(G, rx, 2, 1);
    EXPECT_FALSE(TextsOf(rx, c.shown).empty());
  }
  // The themed branch draws through the theme with the bar and its chunk.
  TFakeStyles* styles = new TFakeStyles();
  TScopedService fake(SetVisualStyles, std::unique_ptr<IVisualStyles>(styles));
  G.ControlLook()->SetControlStyle(csWinXP);
  G.ControlLook()->SetProgressXP(true);
  G.SetCells(1, 1, "50");
  TRecordingCanvas rt(700, 300);
  Paint(G, rt, 1, 1);
  std::vector<std::pair<int, int>> parts;
  for (const auto& d : styles->Log)
    if (d.ClassList == "Progress") parts.push_back({d.Part, d.State});
  EXPECT_EQ(parts, (std::vector<std::pair<int, int>>{{1, 0}, {3, 1}}));
}

TEST_F(GraphicPaint, PieRangeShapeAndComment) {
  G.AddProgressPie(1, 1, TColor(0x00FF00), 50);
  G.SetCells(2, 1, "5");
  G.AddRangeIndicator(2, 1, 10, TColor(0x0000FF), TColor(0xFF0000), false);
  G.AddShape(1, 3, csDiamond, TColor(0x00FFFF), clBlack, haLeft, vaTop);
  G.ControlLook()->SetCommentColor(clRed);
  G.AddColorComment(1, 2, "note", TColor(0xFF00FF));
  TRecordingCanvas rc(700, 300);
  for (TPoint c : {TPoint(1, 1), TPoint(2, 1), TPoint(1, 3), TPoint(1, 2)}) Paint(G, rc, c.X, c.Y);
  const QImage px = rc.Pixels();
  EXPECT_GT(CountColor(px, G.CellRect(1, 1), qRgb(0, 255, 0)), 50);   // the pie's wedge
  EXPECT_GT(CountColor(px, G.CellRect(2, 1), qRgb(0, 0, 255)), 100);  // positive values in blue
  EXPECT_GT(CountColor(px, G.CellRect(1, 3), qRgb(255, 255, 0)), 30); // the diamond's fill
  // The comment triangle at the top-right corner in its own colour.
  const TRect cr = G.CellRect(1, 2);
  bool found = false;
  for (const TDrawRecord& p : rc.OfKind(dkPolygon))
    if (p.Points == std::vector<TPoint>{TPoint(cr.Right - 7, cr.Top), TPoint(cr.Right - 2, cr.Top),
                                        TPoint(cr.Right - 2, cr.Top + 5)}) {
      found = true;
      EXPECT_EQ(p.BrushColor & 0xFFFFFF, 0xFF00FFu);
    }
  EXPECT_TRUE(found);
  // No comment colour in the look: no triangle.
  G.ControlLook()->SetCommentColor(clNone);
  TRecordingCanvas rn(700, 300);
  Paint(G, rn, 1, 2);
  EXPECT_TRUE(rn.OfKind(dkPolygon).empty());
}

TEST_F(GraphicPaint, ButtonsBitButtonsAndExpandChevrons) {
  G.SetOptions(G.Options() + goEditing);
  G.AddButton(1, 1, 40, 20, "A caption far too long", haLeft, vaTop);
  TRecordingCanvas rc(700, 300);
  Paint(G, rc, 1, 1);
  ASSERT_EQ(rc.OfKind(dkFrameControl).size(), 1u);
  const TRect b = rc.OfKind(dkFrameControl)[0].R;
  EXPECT_EQ(b.Width(), 40);
  EXPECT_EQ(G.GetCellControlRect(1, 1), b);
  const auto t = TextsOf(rc, "A caption far too long");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_NE(t[0].Flags & DT_END_ELLIPSIS, 0u);
  EXPECT_NE(t[0].Flags & DT_SINGLELINE, 0u);
  // A bit button: the glyph at the left, the caption after it.
  auto glyph = Solid(10, 10, clRed);
  G.AddBitButton(1, 2, 80, 22, "Go", glyph.get(), haLeft, vaTop);
  TRecordingCanvas rb(700, 300);
  Paint(G, rb, 1, 2);
  const TRect bb = rb.OfKind(dkFrameControl)[0].R;
  ASSERT_EQ(rb.OfKind(dkBitmap).size(), 1u);
  EXPECT_EQ(rb.OfKind(dkBitmap)[0].R.Left, bb.Left + 3);
  EXPECT_EQ(rb.OfKind(dkBitmap)[0].R.Top, bb.Top + 6);
  EXPECT_EQ(TextsOf(rb, "Go")[0].R.Left, bb.Left + 10 + 4 + 1);
  // Without caption the glyph is centred.
  G.AddBitButton(1, 3, 80, 22, "", glyph.get(), haLeft, vaTop);
  TRecordingCanvas re(700, 300);
  Paint(G, re, 1, 3);
  const TRect eb = re.OfKind(dkFrameControl)[0].R;
  EXPECT_EQ(re.OfKind(dkBitmap)[0].R.Left, eb.Left + 35);
  // The expand chevron points down when collapsed and up when expanded.
  G.AddExpand(2, 1, 60);
  for (bool expanded : {false, true}) {
    SCOPED_TRACE(expanded);
    if (expanded) G.ToggleExpand(2, 1);
    TRecordingCanvas rx(700, 300);
    Paint(G, rx, 2, 1);
    std::vector<TDrawRecord> lines;
    for (const TDrawRecord& l : rx.OfKind(dkLine))
      if (l.PenColor == 0) lines.push_back(l);
    ASSERT_GE(lines.size(), 2u);
    const TDrawRecord& first = lines[lines.size() - 2];
    EXPECT_EQ(first.P2.X - first.P1.X, 3);
    EXPECT_EQ(first.P2.Y - first.P1.Y, expanded ? -3 : 3);
  }
}

TEST_F(GraphicPaint, RatingOfTwoAndAHalf) {
  const TColor on = TColor(0x00D7FF), off = TColor(0xC0C0C0);
  G.AddRating(1, 1, 5, on, off);
  G.SetFloats(1, 1, 2.5);
  TRecordingCanvas rc(700, 300);
  Paint(G, rc, 1, 1);
  std::vector<COLORREF> fills;
  std::vector<int> lefts;
  for (const TDrawRecord& p : rc.OfKind(dkPolygon)) {
    fills.push_back(p.BrushColor & 0xFFFFFF);
    int l = 9999;
    for (TPoint q : p.Points) l = std::min(l, q.X);
    lefts.push_back(l);
  }
  // Five stars, the third with a half star over it; nothing of the text.
  ASSERT_EQ(fills.size(), 6u);
  const COLORREF ON = ColorToRGB(on) & 0xFFFFFF, OFF = ColorToRGB(off) & 0xFFFFFF;
  EXPECT_EQ(fills, (std::vector<COLORREF>{ON, ON, OFF, ON, OFF, OFF}));
  EXPECT_EQ(lefts[1] - lefts[0], 18);
  EXPECT_TRUE(TextsOf(rc, G.Cells(1, 1)).empty());
}

namespace {

// An object that draws itself and notes when, among the records drawn.
class TLoggedDrawer : public TPersistent, public ICellInterface {
 public:
  bool Before = true;
  TRecordingCanvas* Rc = nullptr;
  size_t DrawnAt = 0;
  void Draw(TCanvas*, TRect, int, int, bool, TProStringGrid*) override { DrawnAt = Rc->Records().size(); }
  int GetWidth() override { return 10; }
  int GetHeight() override { return 10; }
  bool DrawsBeforeText() override { return Before; }
};

}  // namespace

TEST_F(GraphicPaint, InterfaceObjectBeforeAndAfterTheText) {
  TLoggedDrawer obj;
  G.SetCells(1, 1, "txt");
  G.AddInterfacedCell(1, 1, &obj);
  EXPECT_EQ(G.GetCellGraphicSize(1, 1), TPoint(10, 10));
  for (bool before : {true, false}) {
    SCOPED_TRACE(before);
    obj.Before = before;
    TRecordingCanvas rc(700, 300);
    obj.Rc = &rc;
    Paint(G, rc, 1, 1);
    size_t textAt = 0;
    for (size_t i = 0; i < rc.Records().size(); ++i)
      if (rc.Records()[i].Kind == dkText && rc.Records()[i].Text == "txt") textAt = i;
    if (before)
      EXPECT_LE(obj.DrawnAt, textAt);
    else
      EXPECT_GT(obj.DrawnAt, textAt);
  }
}

TEST_F(GraphicPaint, NodeGlyphsMoveTwelvePixelsPerLevel) {
  G.SetFixedCols(0);
  G.SetColWidths(0, 60);
  G.AddNode(1, 4);
  G.AddNode(2, 2);
  auto e = Solid(9, 9, clRed), c = Solid(9, 9, clBlue);
  G.CellNode()->SetExpandGlyph(e.get());
  G.CellNode()->SetContractGlyph(c.get());
  for (TCellNodeType type : {cnFlat, cn3D, cnGlyph, cnLeaf, cnXP}) {
    SCOPED_TRACE(type);
    G.CellNode()->SetNodeType(type);
    int x[2] = {0, 0};
    for (int level : {1, 2}) {
      TRecordingCanvas rc(700, 300);
      Paint(G, rc, 0, level);
      const TDrawKind kind = type == cnFlat || type == cn3D ? dkRectangle : dkBitmap;
      const auto recs = rc.OfKind(kind);
      ASSERT_FALSE(recs.empty());
      x[level - 1] = recs.back().R.Left;
      if (type == cn3D)
        for (const TDrawRecord& r : recs)
          if (r.R.Left > G.CellRect(0, level).Left) {
            x[level - 1] = r.R.Left;
            break;
          }
    }
    EXPECT_EQ(x[1] - x[0], 12);
  }
}

TEST_F(GraphicPaint, TreeLinesReachTheTextOrTheCellEdge) {
  G.SetFixedCols(0);
  G.SetColWidths(0, 80);
  G.AddNode(1, 3);
  for (bool full : {true, false}) {
    SCOPED_TRACE(full);
    G.CellNode()->SetShowTreeFull(full);
    TRecordingCanvas rc(700, 300);
    Paint(G, rc, 0, 2);
    const TRect cr = G.CellRect(0, 2);
    const int mid = (cr.Top + cr.Bottom) / 2;
    int reach = -1;
    for (const TDrawRecord& l : rc.OfKind(dkLine))
      if (l.P1.Y == mid && l.P2.Y == mid && l.PenColor == (ColorToRGB(G.CellNode()->TreeColor()) & 0xFFFFFF))
        reach = std::max(reach, l.P2.X);
    ASSERT_GE(reach, 0);
    if (full)
      EXPECT_GE(reach, cr.Right - 4);
    else
      EXPECT_EQ(reach, G.GetNodeIndent(2) + 4);
    // The vertical line of the node runs through the row.
    bool vertical = false;
    for (const TDrawRecord& l : rc.OfKind(dkLine))
      if (l.P1.X == l.P2.X && l.P1.Y <= cr.Top + 1 && l.P2.Y >= mid) vertical = true;
    EXPECT_TRUE(vertical);
  }
  G.CellNode()->SetShowTree(false);
  TRecordingCanvas rn(700, 300);
  Paint(G, rn, 0, 2);
  for (const TDrawRecord& l : rn.OfKind(dkLine)) EXPECT_NE(l.PenColor, ColorToRGB(G.CellNode()->TreeColor()) & 0xFFFFFF);
}

// In column 0 the text of a row under nodes starts one node indent further
// right per level, plain and HTML text alike.
TEST_F(GraphicPaint, TextUnderNodesIsIndentedByLevel) {
  G.SetFixedCols(0);
  G.SetColWidths(0, 150);
  G.AddNode(1, 4);  // rows 1..4 at level 1
  G.AddNode(2, 2);  // rows 2..3 at level 2
  for (const QString& text : {QStringLiteral("t"), QStringLiteral("<b>t</b>")}) {
    SCOPED_TRACE(text.toStdString());
    int left[3] = {-1, -1, -1};
    for (const auto& [row, level] : {std::pair{5, 0}, std::pair{4, 1}, std::pair{3, 2}}) {
      G.SetCells(0, row, text);
      TRecordingCanvas rc(700, 300);
      Paint(G, rc, 0, row);
      for (const TDrawRecord& r : rc.ShownTexts())
        if (!(r.Flags & DT_CALCRECT) && r.Text == QLatin1String("t")) left[level] = r.R.Left - G.CellRect(0, row).Left;
      ASSERT_GE(left[level], 0) << "row " << row;
    }
    EXPECT_EQ(left[1] - left[0], 12);
    EXPECT_EQ(left[2] - left[0], 24);
    G.CellNode()->SetNodeIndent(20);
    int wide = -1;
    TRecordingCanvas rc(700, 300);
    Paint(G, rc, 0, 3);
    for (const TDrawRecord& r : rc.ShownTexts())
      if (!(r.Flags & DT_CALCRECT) && r.Text == QLatin1String("t")) wide = r.R.Left - G.CellRect(0, 3).Left;
    EXPECT_EQ(wide - left[0], 40);
    G.CellNode()->SetNodeIndent(12);
  }
}

// A cell-property object made for a cell (here by the node levels of column 0)
// does not take over the colour of the cell's place: the fixed cells of rows
// under nodes keep the fixed look, and cells in bands keep their band colours.
TEST_F(GraphicPaint, CellPropertiesDoNotFreezeFixedOrBandColours) {
  G.AddNode(1, 3);
  ASSERT_TRUE(G.HasCellProperties(0, 2));
  ASSERT_FALSE(G.HasCellProperties(0, 5));
  EXPECT_EQ(G.GetCellProperties(0, 2)->BrushColor(), clNone);
  const auto background = [&](int Row) {
    TRecordingCanvas rc(700, 300);
    Paint(G, rc, 0, Row);
    std::vector<std::pair<int, COLORREF>> fills;
    for (const TDrawRecord& r : rc.Records())
      if (r.Kind == dkFill || r.Kind == dkRectangle) fills.emplace_back(r.R.Height(), r.BrushColor);
    return fills;
  };
  EXPECT_FALSE(background(5).empty());
  EXPECT_EQ(background(2), background(5)) << "a row under a node paints column 0 as any fixed cell";
  // A normal cell keeps the grid colour it was made with; in bands it keeps none.
  G.SetAlignments(2, 4, taCenter);
  EXPECT_EQ(G.GetCellProperties(2, 4)->BrushColor(), G.Color());
  G.Bands()->SetActive(true);
  G.SetAlignments(3, 4, taCenter);
  EXPECT_EQ(G.GetCellProperties(3, 4)->BrushColor(), clNone);
}

TEST_F(GraphicPaint, AlwaysVisibleButtonsTakeSixteenPixelsAndTheScrollBarTheRightEdge) {
  G.SetOptions(G.Options() + goEditing);
  G.SetCells(1, 1, "abc");
  G.SetAlignments(1, 1, taRightJustify);
  auto textRight = [&] {
    TRecordingCanvas rc(700, 300);
    Paint(G, rc, 1, 1);
    const auto t = TextsOf(rc, "abc");
    return t.empty() ? -1 : t[0].R.Right;
  };
  const int plain = textRight();
  G.OnHasComboBox = [](TObject*, int c, int, bool& has) { has = c == 1; };
  G.ControlLook()->SetDropDownAlwaysVisible(true);
  EXPECT_EQ(textRight(), plain - 16);
  G.OnHasSpinEdit = [](TObject*, int c, int, bool& has) { has = c == 1; };
  G.ControlLook()->SetSpinButtonsAlwaysVisible(true);
  EXPECT_EQ(textRight(), plain - 32);
  G.ControlLook()->SetDropDownAlwaysVisible(false);
  G.ControlLook()->SetSpinButtonsAlwaysVisible(false);
  // The in-cell scroll bar at the cell's right edge, the text left of it.
  G.AddScrollBar(1, 1, false);
  G.SetScrollProp(1, 1, TScrollProp{10, 100});
  TRecordingCanvas rs(700, 300);
  Paint(G, rs, 1, 1);
  const TRect cr = G.CellRect(1, 1);
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  int arrows = 0;
  for (const TDrawRecord& f : rs.OfKind(dkFrameControl))
    if (f.Type == DFC_SCROLL) {
      ++arrows;
      EXPECT_NEAR(f.R.Right, cr.Right, 1);
      EXPECT_EQ(f.R.Width(), w);
    }
  EXPECT_EQ(arrows, 2);
  EXPECT_LE(TextsOf(rs, "abc")[0].R.Right, cr.Right - w);

  // A page as large as the range shows no bar.
  G.SetScrollProp(1, 1, TScrollProp{100, 100});
  TRecordingCanvas rp(700, 300);
  Paint(G, rp, 1, 1);
  EXPECT_TRUE(rp.OfKind(dkFrameControl).empty());
}

TEST_F(GraphicPaint, DisabledCellsDrawDisabledCheckBoxesAndButtons) {
  // Without goEditing the cells may not be edited.
  G.AddCheckBox(1, 1, true, false);
  G.AddButton(2, 1, 40, 20, "b", haLeft, vaTop);
  auto states = [&](int c) {
    TRecordingCanvas rc(700, 300);
    Paint(G, rc, c, 1);
    return rc.OfKind(dkFrameControl).at(0).State;
  };
  EXPECT_NE(states(1) & DFCS_INACTIVE, 0u);
  EXPECT_NE(states(2) & DFCS_INACTIVE, 0u);
  G.ControlLook()->SetCheckAlwaysActive(true);
  EXPECT_EQ(states(1) & DFCS_INACTIVE, 0u);
  G.ControlLook()->SetCheckAlwaysActive(false);
  G.ControlLook()->SetNoDisabledCheckRadioLook(true);
  EXPECT_EQ(states(1) & DFCS_INACTIVE, 0u);
  G.ControlLook()->SetNoDisabledButtonLook(true);
  EXPECT_EQ(states(2) & DFCS_INACTIVE, 0u);
  // An editable grid draws them enabled.
  G.ControlLook()->SetNoDisabledCheckRadioLook(false);
  G.ControlLook()->SetNoDisabledButtonLook(false);
  G.SetOptions(G.Options() + goEditing);
  EXPECT_EQ(states(1) & DFCS_INACTIVE, 0u);
  EXPECT_EQ(states(2) & DFCS_INACTIVE, 0u);
}

// A demo grid with a cell of each kind and a three-level node tree, painted in
// a shown window. With ZIDI_SCREENSHOT_DIR set, the window is saved there as
// cell-graphics.png for a look.
TEST(GraphicDemo, EveryKindAndANodeTreePaintTogether) {
  TShownForm F{760, 420};
  auto* g = new TProStringGrid(F.Form);
  g->SetParent(F.Form);
  g->SetBounds(0, 0, 760, 420);
  g->SetColCount(4);
  g->SetRowCount(13);
  g->SetDefaultRowHeight(28);
  g->SetColWidths(0, 110);
  g->SetColWidths(1, 90);
  g->SetColWidths(2, 260);
  g->SetColWidths(3, 260);
  g->SetOptions(g->Options() + goEditing);
  g->SetCells(1, 0, "Kind");
  g->SetCells(2, 0, "Graphic");
  g->SetCells(3, 0, "Graphic");
  TImageList images(nullptr);
  images.SetWidth(12);
  images.SetHeight(12);
  for (TColor c : {clRed, clGreen, clBlue}) {
    auto b = Solid(12, 12, c);
    images.Add(b.get(), nullptr);
  }
  g->SetGridImages(&images);
  auto bmp = Solid(16, 16, TColor(0x2060C0));
  // A glyph on a white ground (its corner colour is the transparent one).
  auto glyph = Solid(12, 12, clWhite);
  glyph->Canvas()->Brush()->SetColor(clGreen);
  glyph->Canvas()->FillRect(TRect(2, 2, 10, 10));
  TPicture pic;
  auto picBmp = Solid(40, 20, TColor(0x00A0FF));
  pic.SetGraphic(picBmp.get());
  int r = 1;
  auto row = [&](const QString& kind) {
    g->SetCells(1, r, kind);
    return r++;
  };
  int k = row("bitmap");
  g->SetCells(2, k, "before text");
  g->AddBitmap(2, k, bmp.get(), false, haBeforeText, vaCenter);
  g->SetCells(3, k, "image list");
  g->AddImageIdx(3, k, 1, haBeforeText, vaCenter);
  k = row("images");
  g->AddMultiImage(2, k, 0, haLeft, vaCenter);
  for (int i : {0, 1, 2}) g->CellImages(2, k)->Add(i);
  g->AddPicture(3, k, &pic, false, StretchWithAspectRatio, 2, haLeft, vaTop);
  k = row("check");
  g->SetCells(2, k, "check box");
  g->AddCheckBox(2, k, true, false);
  g->AddRadioButton(3, k, true);
  k = row("progress");
  g->SetCells(2, k, "65");
  g->AddProgress(2, k, TColor(0xC08040), clWhite);
  g->SetCells(3, k, "40");
  g->AddProProgress(3, k, 0, 100);
  k = row("pie, range");
  g->SetCells(2, k, "pie");
  g->AddProgressPie(2, k, clGreen, 70);
  g->SetCells(3, k, "-4");
  g->AddRangeIndicator(3, k, 10, clRed, clBlue, true);
  k = row("rating");
  g->SetCells(2, k, "2.5");
  g->AddRating(2, k, 5, TColor(0x00C0FF), TColor(0xC0C0C0));
  g->AddShape(3, k, csStar, TColor(0x00C0FF), clBlack, haLeft, vaTop);
  k = row("buttons");
  g->AddButton(2, k, 90, 22, "Button", haLeft, vaCenter);
  g->AddBitButton(3, k, 110, 22, "Bit button", glyph.get(), haLeft, vaCenter);
  k = row("comment");
  g->SetCells(2, k, "commented");
  g->AddComment(2, k, "a note");
  g->AddExpand(3, k, 50);
  g->SetCells(3, k, "expand");
  // The node tree: three levels.
  for (int n = r; n < 13; ++n) g->SetCells(1, n, QStringLiteral("row %1").arg(n));
  g->AddNode(r, 5);
  g->AddNode(r + 1, 4);
  g->AddNode(r + 2, 2);
  F.Show();
  QApplication::processEvents();
  const QImage shot = g->View()->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  // Something of each colour family shows.
  EXPECT_GT(CountColor(shot, TRect(0, 0, shot.width(), shot.height()), qRgb(0, 255, 0)), 20);
  if (const QByteArray dir = qgetenv("ZIDI_SCREENSHOT_DIR"); !dir.isEmpty())
    shot.save(QString::fromLocal8Bit(dir) + "/cell-graphics.png");
  g->SetGridImages(nullptr);
}
