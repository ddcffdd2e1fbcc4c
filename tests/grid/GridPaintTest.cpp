// What the string grid asks to draw: the look of cells, their text with its
// flags, check-box and radio glyphs, header looks and the sort glyph.
#include <gtest/gtest.h>

#include <QScopeGuard>
#include <functional>

#include "common/RecordingCanvas.h"
#include "controls/ProUtil.h"
#include "grid/ProCGrid.h"
#include "grid/ProGrid.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/UxTheme.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// The look GetVisualProperties gives a cell.
struct TCellLook {
  TColor Brush = clNone, ColorTo = clNone;
  TColor FontColor = clNone;
  TGridDrawState State;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = false;
};

TCellLook LookOf(TProStringGrid& g, int c, int r, TGridDrawState State = {}, bool Select = true) {
  TBrush brush;
  TFont font;
  TCellLook l;
  TColor mirror = clNone, mirrorTo = clNone;
  TCellGradientDirection gd = GradientVertical;
  l.State = State;
  l.WW = g.WordWrap();
  g.GetVisualProperties(c, r, l.State, false, Select, true, &brush, l.ColorTo, mirror, mirrorTo,
                        &font, l.HA, l.VA, l.WW, gd);
  l.Brush = brush.Color();
  l.FontColor = font.Color();
  return l;
}

void Paint(TProStringGrid& g, TRecordingCanvas& rc, int c, int r, TGridDrawState State = {}) {
  g.PaintCell(rc.Canvas(), c, r, g.CellRect(c, r), State);
}

// The record of the drawn text T; fails the test when T was not drawn.
TDrawRecord TextRecord(const TRecordingCanvas& rc, const QString& T) {
  for (const TDrawRecord& r : rc.OfKind(dkText))
    if (r.Text == T) return r;
  ADD_FAILURE() << "text not drawn: " << T.toStdString();
  return {};
}

// A grid whose password cells are those of column 2.
class TPasswordGrid : public TProStringGrid {
 public:
  using TProStringGrid::TProStringGrid;
  void IsPasswordCell(int ACol, int, bool& IsPassword) override {
    if (ACol == 2) IsPassword = true;
  }
};

// A grid whose cell (2, 2) asks for a red left and bottom border.
class TBorderGrid : public TProStringGrid {
 public:
  using TProStringGrid::TProStringGrid;
  void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override {
    if (ACol != 2 || ARow != 2) return;
    APen->SetColor(clRed);
    Borders = TCellBorders{cbLeft, cbBottom};
  }
};

// A grid whose column 3 has a filter.
class TFilterGrid : public TProStringGrid {
 public:
  using TProStringGrid::TProStringGrid;
  bool GetColumnFilter(int ACol) override { return ACol == 3; }
};

// Visual styles that claim an active theme and log what they draw.
class TThemedStyles : public TNoVisualStyles {
 public:
  struct Drawn {
    QString Class;
    int Part, State;
    TRect R;
  };
  std::vector<Drawn>* Log;
  QString Opened;
  explicit TThemedStyles(std::vector<Drawn>* L) : Log(L) {}
  bool IsThemeActive() override { return true; }
  bool IsAppThemed() override { return true; }
  HTHEME OpenThemeData(HWND, const QString& ClassList) override {
    Opened = ClassList;
    return this;
  }
  bool DrawThemeBackground(HTHEME, HDC, int Part, int State, const TRect& R, const TRect*) override {
    Log->push_back({Opened, Part, State, R});
    return true;
  }
};

int CountPixels(const QImage& Image, QRgb Color) {
  int n = 0;
  for (int y = 0; y < Image.height(); ++y)
    for (int x = 0; x < Image.width(); ++x)
      if ((Image.pixel(x, y) & 0xFFFFFF) == (Color & 0xFFFFFF)) ++n;
  return n;
}

}  // namespace

// ---------------------------------------------------------------------------
// Cell looks

TEST(GridPaintLook, SelectedCellColours) {
  struct Case {
    const char* Name;
    TColor Own;  // clNone: no colour of its own
    bool Mixer;
    int Factor;
    TColor Expected;
  };
  const Case cases[] = {
      {"no own colour", clNone, true, 50, TColor(0xEACAB6)},
      {"own colour equals Color", clWindow, true, 50, TColor(0xEACAB6)},
      {"mixer off", TColor(0x0000FF), false, 50, TColor(0xEACAB6)},
      // (B6 + FF) / 2 = 218.5 rounds to even, CA / 2, EA / 2.
      {"mixer 50", TColor(0x0000FF), true, 50, TColor(0x7565DA)},
      {"mixer 100", TColor(0x0000FF), true, 100, TColor(0xEACAB6)},
      {"mixer 0", TColor(0x0000FF), true, 0, TColor(0x0000FF)},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    TProStringGrid g(nullptr);
    g.SelectCells(1, 1, 3, 4);
    if (k.Own != clNone) g.CellProperties(2, 3)->SetBrushColor(k.Own);
    g.SetSelectionColorMixer(k.Mixer);
    g.SetSelectionColorMixerFactor(k.Factor);
    const TCellLook l = LookOf(g, 2, 3);
    EXPECT_EQ(l.Brush, k.Expected);
    EXPECT_TRUE(l.State.contains(gdSelected));
    EXPECT_EQ(l.FontColor, g.SelectionTextColor());
  }
}

TEST(GridPaintLook, MixerFactorIsClamped) {
  TProStringGrid g(nullptr);
  EXPECT_EQ(g.SelectionColorMixerFactor(), 50);
  g.SetSelectionColorMixerFactor(150);
  EXPECT_EQ(g.SelectionColorMixerFactor(), 100);
  g.SetSelectionColorMixerFactor(-5);
  EXPECT_EQ(g.SelectionColorMixerFactor(), 0);
}

TEST(GridPaintLook, BlendColor) {
  EXPECT_EQ(TProStringGrid::BlendColorProGrid(TColor(0x102030), TColor(0x405060), 100), TColor(0x102030));
  EXPECT_EQ(TProStringGrid::BlendColorProGrid(TColor(0x102030), TColor(0x405060), 0), TColor(0x405060));
  EXPECT_EQ(TProStringGrid::BlendColorProGrid(clNone, TColor(0x405060), 50), TColor(0x405060));
  EXPECT_EQ(TProStringGrid::BlendColorProGrid(TColor(0x102030), clNone, 50), TColor(0x102030));
  // 25 % of 0x40 and 75 % of 0x80 = 0x70 per channel.
  EXPECT_EQ(TProStringGrid::BlendColorProGrid(TColor(0x404040), TColor(0x808080), 25), TColor(0x707070));
}

TEST(GridPaintLook, BandsRepeatPrimaryPrimarySecondary) {
  TProStringGrid g(nullptr);
  g.Bands()->SetActive(true);
  g.Bands()->SetPrimaryColor(TColor(0x111111));
  g.Bands()->SetSecondaryColor(TColor(0x222222));
  g.Bands()->SetPrimaryLength(2);
  g.Bands()->SetSecondaryLength(1);
  const TColor expected[] = {0x111111, 0x111111, 0x222222, 0x111111, 0x111111, 0x222222};
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(LookOf(g, 3, r, {}, false).Brush, expected[r - 1]) << r;
  // Fixed cells keep the fixed colour.
  EXPECT_NE(LookOf(g, 0, 2, {}, false).Brush, TColor(0x111111));
}

TEST(GridPaintLook, FixedCells) {
  TProStringGrid g(nullptr);
  g.SetLook(glStandard);
  TCellLook l = LookOf(g, 0, 2);
  EXPECT_EQ(l.Brush, g.FixedColor());
  EXPECT_TRUE(l.State.contains(gdFixed));
  // An explicit cell brush stands, and the cell is not drawn as fixed.
  g.CellProperties(0, 3)->SetBrushColor(clRed);
  l = LookOf(g, 0, 3);
  EXPECT_EQ(l.Brush, clRed);
  EXPECT_FALSE(l.State.contains(gdFixed));
  // The gradient looks give fixed cells their gradient colours.
  g.SetLook(glXP);
  g.SetREZGradientFrom(TColor(0x123456));
  g.SetREZGradientTo(TColor(0x654321));
  l = LookOf(g, 0, 2);
  EXPECT_EQ(l.Brush, TColor(0x123456));
  EXPECT_EQ(l.ColorTo, TColor(0x654321));
}

TEST(GridPaintLook, DisjunctRowSelection) {
  TProStringGrid g(nullptr);
  g.MouseActions()->SetDisjunctRowSelect(true);
  g.SetRowSelect(1, true);  // the current row
  g.SetRowSelect(3, true);
  TCellLook cur = LookOf(g, 2, 1), other = LookOf(g, 2, 3), none = LookOf(g, 2, 4);
  EXPECT_EQ(cur.Brush, g.SelectionColor());
  EXPECT_EQ(other.Brush, AdjustColorPercent(g.SelectionColor(), 7));
  EXPECT_TRUE(other.State.contains(gdSelected));
  EXPECT_EQ(none.Brush, g.Color());
  EXPECT_FALSE(none.State.contains(gdSelected));
  // With a gradient end colour the plain selection colour stays.
  g.SetSelectionColorTo(clWhite);
  EXPECT_EQ(LookOf(g, 2, 3).Brush, g.SelectionColor());
}

TEST(GridPaintLook, DisjunctCellSelection) {
  TProStringGrid g(nullptr);
  g.MouseActions()->SetDisjunctCellSelect(true);
  g.SetSelectedCells(3, 4, true);
  EXPECT_TRUE(LookOf(g, 3, 4).State.contains(gdSelected));
  EXPECT_EQ(LookOf(g, 3, 4).Brush, g.SelectionColor());
  // The current cell is not selected unless listed.
  const TCellLook cur = LookOf(g, 1, 1, TGridDrawState{gdSelected});
  EXPECT_FALSE(cur.State.contains(gdSelected));
  EXPECT_EQ(cur.Brush, g.Color());
}

TEST(GridPaintLook, ShowSelectionOff) {
  TProStringGrid g(nullptr);
  g.SelectCells(1, 1, 3, 3);
  g.SetShowSelection(false);
  const TCellLook l = LookOf(g, 2, 2);
  EXPECT_EQ(l.Brush, g.Color());
  EXPECT_FALSE(l.State.contains(gdSelected));
}

TEST(GridPaintLook, DisabledFont) {
  TProStringGrid g(nullptr);
  g.SetUseDisabledFont(true);
  g.SetRowEnabled(4, false);
  EXPECT_EQ(LookOf(g, 2, 4).FontColor, g.DisabledFontColor());
  EXPECT_NE(LookOf(g, 2, 5).FontColor, g.DisabledFontColor());
}

TEST(GridPaintLook, CalcCellAlignment) {
  struct Case {
    const char* Text;
    bool AutoNum;
    TAlignment Expected;
  };
  const Case cases[] = {
      {"12", true, taRightJustify}, {"-1.5", true, taRightJustify}, {"1E5", true, taRightJustify},
      {"abc", true, taLeftJustify}, {"12", false, taLeftJustify},
  };
  for (const Case& k : cases) {
    TProStringGrid g(nullptr);
    g.SetAutoNumAlign(k.AutoNum);
    g.SetCells(2, 2, QString::fromLatin1(k.Text));
    TAlignment ha;
    TVAlignment va;
    g.CalcCellAlignment(2, 2, ha, va);
    EXPECT_EQ(ha, k.Expected) << k.Text;
    EXPECT_EQ(va, vtaTop);
  }
  TProStringGrid g(nullptr);
  g.SetVAlignment(vtaCenter);
  g.SetCells(2, 2, QStringLiteral("x"));
  g.CellProperties(2, 2)->SetAlignment(taCenter);
  TAlignment ha;
  TVAlignment va;
  g.CalcCellAlignment(2, 2, ha, va);
  EXPECT_EQ(ha, taCenter);
  EXPECT_EQ(va, vtaCenter);
}

// ---------------------------------------------------------------------------
// Cell text

TEST(GridPaintText, DrawTextFlagsByAlignment) {
  struct Case {
    TAlignment HA;
    TVAlignment VA;
    UINT H, V;
  };
  const Case cases[] = {
      {taLeftJustify, vtaTop, DT_LEFT, DT_TOP},
      {taCenter, vtaCenter, DT_CENTER, DT_VCENTER},
      {taRightJustify, vtaBottom, DT_RIGHT, DT_BOTTOM},
  };
  for (const Case& k : cases) {
    TProStringGrid g(nullptr);
    g.SetWordWrap(false);
    g.SetDefaultAlignment(k.HA);
    g.SetVAlignment(k.VA);
    g.SetCells(2, 2, QStringLiteral("abc"));
    TRecordingCanvas rc(400, 300);
    Paint(g, rc, 2, 2);
    const TDrawRecord t = TextRecord(rc, QStringLiteral("abc"));
    EXPECT_EQ(t.Flags & (DT_CENTER | DT_RIGHT), k.H);
    EXPECT_EQ(t.Flags & (DT_VCENTER | DT_BOTTOM), k.V);
    EXPECT_TRUE(t.Flags & DT_SINGLELINE);
    EXPECT_TRUE(t.Flags & DT_NOPREFIX);
    EXPECT_TRUE(t.Flags & DT_EXPANDTABS);
    EXPECT_FALSE(t.Flags & DT_WORDBREAK);
    // The text sits inside the cell, inset by XYOffset.
    const TRect cell = g.CellRect(2, 2);
    EXPECT_EQ(t.R.Left, cell.Left + 1 + g.XYOffset().X);
    EXPECT_EQ(t.R.Top, cell.Top + 1 + g.XYOffset().Y);
  }
}

TEST(GridPaintText, WordWrapAndMultiLineCells) {
  const QString ab = QStringLiteral("a\rb");
  {
    TProStringGrid g(nullptr);
    g.SetWordWrap(false);
    g.SetCells(2, 2, ab);
    TRecordingCanvas rc(400, 300);
    Paint(g, rc, 2, 2);
    ASSERT_EQ(rc.ShownTexts().size(), 1u);
    EXPECT_EQ(rc.ShownTexts()[0].Text, "a");
  }
  {
    TProStringGrid g(nullptr);
    g.SetWordWrap(false);
    g.SetMultilinecells(true);
    g.SetCells(2, 2, ab);
    TRecordingCanvas rc(400, 300);
    Paint(g, rc, 2, 2);
    const TDrawRecord t = TextRecord(rc, ab);
    EXPECT_TRUE(t.Flags & DT_WORDBREAK);
    EXPECT_FALSE(t.Flags & DT_SINGLELINE);
  }
  {
    TProStringGrid g(nullptr);  // word wrap is on by default
    g.SetEnhTextSize(true);
    g.SetCells(2, 2, QStringLiteral("long text"));
    TRecordingCanvas rc(400, 300);
    Paint(g, rc, 2, 2);
    const TDrawRecord t = TextRecord(rc, QStringLiteral("long text"));
    EXPECT_TRUE(t.Flags & DT_WORDBREAK);
    EXPECT_TRUE(t.Flags & DT_END_ELLIPSIS);
  }
  {
    TProStringGrid g(nullptr);
    g.SetWordWrap(false);
    g.SetEnhTextSize(true);
    g.SetCells(2, 2, QStringLiteral("long text"));
    TRecordingCanvas rc(400, 300);
    Paint(g, rc, 2, 2);
    EXPECT_TRUE(TextRecord(rc, QStringLiteral("long text")).Flags & DT_END_ELLIPSIS);
  }
}

TEST(GridPaintText, PasswordCellsAreMasked) {
  TPasswordGrid g(nullptr);
  g.SetCells(2, 2, QStringLiteral("secret"));
  g.SetCells(2, 3, QString());
  g.SetCells(3, 2, QStringLiteral("open"));
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 2, 2);
  Paint(g, rc, 2, 3);
  Paint(g, rc, 3, 2);
  std::vector<QString> shown;
  for (const TDrawRecord& t : rc.ShownTexts()) shown.push_back(t.Text);
  EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("******"), QStringLiteral("open")}));
}

TEST(GridPaintText, URLsShowWithoutProtocolUnderlined) {
  TProStringGrid g(nullptr);
  g.SetURLShow(true);
  g.SetCells(2, 2, QStringLiteral("http://example.org"));
  g.SetCells(2, 3, QStringLiteral("http://example.org"));
  g.SelectCells(2, 3, 2, 3);
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 2, 2);
  TDrawRecord t = TextRecord(rc, QStringLiteral("example.org"));
  EXPECT_TRUE(t.Underline);
  EXPECT_EQ(t.TextColor, COLORREF(ColorToRGB(g.URLColor())));
  rc.Clear();
  Paint(g, rc, 2, 3);
  t = TextRecord(rc, QStringLiteral("example.org"));
  EXPECT_EQ(t.TextColor, COLORREF(ColorToRGB(g.SelectionTextColor())));
  // URLFull keeps the protocol.
  g.SetURLFull(true);
  rc.Clear();
  Paint(g, rc, 2, 2);
  EXPECT_TRUE(TextRecord(rc, QStringLiteral("http://example.org")).Underline);
}

TEST(GridPaintText, FormattedCell) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 1, QStringLiteral("2"));
  g.SetCells(1, 2, QStringLiteral("abc"));
  g.SetCells(1, 3, QStringLiteral("7"));
  EXPECT_EQ(g.GetFormattedCell(1, 1), "2");  // no event: unformatted
  int offered = 0;
  g.OnGetFloatFormat = [&](TObject*, int, int ARow, bool& IsFloat, QString& Fmt) {
    ++offered;
    Fmt = ARow == 3 ? QStringLiteral("%3d") : QStringLiteral("%.3f");
    IsFloat = true;
  };
  EXPECT_EQ(g.GetFormattedCell(1, 1), "2.000");
  EXPECT_EQ(g.GetFormattedCell(1, 3), "  7");
  EXPECT_EQ(offered, 2);
  EXPECT_EQ(g.GetFormattedCell(1, 2), "abc");
  EXPECT_EQ(offered, 2);  // a text that is no number is not offered
  // The painted text is the formatted one.
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 1, 1);
  TextRecord(rc, QStringLiteral("2.000"));
}

TEST(GridPaintText, ZoomFactorAndCellFont) {
  TProStringGrid g(nullptr);
  g.SetCells(2, 2, QStringLiteral("z"));
  g.CellProperties(2, 2)->SetFontStyle(TFontStyles{fsBold});
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 2, 2);
  const TDrawRecord plain = TextRecord(rc, QStringLiteral("z"));
  EXPECT_TRUE(plain.Bold);
  g.SetZoomFactor(4);
  rc.Clear();
  Paint(g, rc, 2, 2);
  const TDrawRecord zoomed = TextRecord(rc, QStringLiteral("z"));
  EXPECT_GT(std::abs(zoomed.FontHeight), std::abs(plain.FontHeight));
  // The font query alone gives the same font.
  TFont f;
  TBrush b;
  TGridDrawState st;
  g.GetFontProperties(2, 2, 2, st, &f, &b, true);
  EXPECT_TRUE(f.Style().contains(fsBold));
}

TEST(GridPaintText, NoDefaultDrawNeedsAnEvent) {
  TProStringGrid g(nullptr);
  g.SetNoDefaultDraw(true);
  g.SetCells(2, 2, QStringLiteral("x"));
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 2, 2);
  EXPECT_EQ(rc.ShownTexts().size(), 1u);
  int custom = 0;
  g.OnCustomCellDraw = [&](TObject*, TCanvas*, int ACol, int ARow, TGridDrawState, TRect, bool) {
    EXPECT_EQ(ACol, 2);
    EXPECT_EQ(ARow, 2);
    ++custom;
  };
  rc.Clear();
  Paint(g, rc, 2, 2);
  EXPECT_TRUE(rc.ShownTexts().empty());
  EXPECT_EQ(custom, 1);
}

TEST(GridPaintText, FocusRectOnlyWithFocus) {
  TProStringGrid g(nullptr);
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 1, 1);
  EXPECT_TRUE(rc.OfKind(dkFocusRect).empty());
}

TEST(GridPaintText, FilterGlyphOfTheFilterRow) {
  TFilterGrid g(nullptr);
  g.SetCells(3, 0, QStringLiteral("Head"));
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 3, 0);
  const auto bitmaps = rc.OfKind(dkBitmap);
  ASSERT_EQ(bitmaps.size(), 1u);
  EXPECT_EQ(bitmaps[0].Image->size(), QSize(16, 16));
  const TRect cell = g.CellRect(3, 0);
  EXPECT_LE(bitmaps[0].R.Right, cell.Right);
  EXPECT_GE(bitmaps[0].R.Left, cell.Right - 18);
  // The text keeps clear of it.
  EXPECT_LE(TextRecord(rc, QStringLiteral("Head")).R.Right, bitmaps[0].R.Left);
  rc.Clear();
  Paint(g, rc, 2, 0);
  EXPECT_TRUE(rc.OfKind(dkBitmap).empty());
}

TEST(GridPaintText, CellBorders) {
  TBorderGrid g(nullptr);
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 2, 2);
  std::vector<TDrawRecord> red;
  for (const TDrawRecord& l : rc.OfKind(dkLine))
    if (l.PenColor == COLORREF(0x0000FF)) red.push_back(l);
  ASSERT_EQ(red.size(), 2u);
  EXPECT_EQ(red[0].P1.X, red[0].P2.X);  // left: vertical
  EXPECT_EQ(red[1].P1.Y, red[1].P2.Y);  // bottom: horizontal
  EXPECT_LT(red[0].P1.X, red[1].P2.X);
  // The pen of the canvas is restored afterwards.
  rc.Clear();
  Paint(g, rc, 3, 2);
  for (const TDrawRecord& l : rc.OfKind(dkLine)) EXPECT_NE(l.PenColor, COLORREF(0x0000FF));
}

TEST(GridPaintHeaders, WindowFrameOfTheFramedLooks) {
  TProStringGrid g(nullptr);
  g.SetBounds(0, 0, 100, 50);
  g.SetBorderColor(TColor(0x00FF00));
  struct Case {
    TGridLook Look;
    bool Fit;
    size_t Lines;
    int Inset;
  };
  const Case cases[] = {{glStandard, false, 0, 0}, {glClassic, false, 0, 0},
                        {glXP, false, 4, 0},       {glSoft, true, 4, 1}};
  for (const Case& k : cases) {
    g.SetLook(k.Look);
    // A look sets its own border colour.
    g.SetBorderColor(TColor(0x00FF00));
    g.SetFitCellsInGrid(k.Fit);
    TRecordingCanvas rc(100, 50);
    g.PaintNCBorder(rc.Canvas());
    ASSERT_EQ(rc.OfKind(dkLine).size(), k.Lines) << k.Look;
    if (k.Lines == 0) continue;
    const TDrawRecord first = rc.OfKind(dkLine)[0];
    EXPECT_EQ(first.PenColor, COLORREF(0x00FF00));
    EXPECT_EQ(first.P1, TPoint(k.Inset, 49 - k.Inset));
    EXPECT_EQ(first.P2, TPoint(k.Inset, k.Inset));
  }
  g.SetFlat(true);
  TRecordingCanvas rc(100, 50);
  g.PaintNCBorder(rc.Canvas());
  EXPECT_TRUE(rc.Records().empty());
}

// ---------------------------------------------------------------------------
// Check boxes and radio buttons

TEST(GridPaintGlyphs, CheckBoxByStyleAndState) {
  struct Case {
    const char* Name;
    TGridControlStyle Style;
    bool Checked, Enabled, Grayed;
    UINT FrameState;  // of the frame control; 0xFFFF: no frame control
    int BitmapSize;   // of the picture drawn; 0: none
  };
  const UINT none = 0xFFFF;
  const Case cases[] = {
      {"classic checked", csClassic, true, true, false, DFCS_BUTTONCHECK | DFCS_CHECKED, 0},
      {"classic disabled", csClassic, false, false, false, DFCS_BUTTONCHECK | DFCS_INACTIVE, 0},
      {"classic grayed", csClassic, false, true, true, DFCS_CHECKED | DFCS_BUTTON3STATE, 0},
      {"flat", csFlat, true, true, false, DFCS_CHECKED | DFCS_FLAT, 0},
      // No visual styles here: the themed style is the classic one.
      {"theme", csTheme, true, true, false, DFCS_BUTTONCHECK | DFCS_CHECKED, 0},
      {"winxp", csWinXP, true, true, false, none, 16},
      {"rez", csREZ, false, false, false, none, 20},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    TProStringGrid g(nullptr);
    TRecordingCanvas rc(100, 100);
    g.DrawCheckBoxGlyph(rc.Canvas(), TRect(10, 10, 40, 30), k.Checked, k.Enabled, k.Grayed,
                        k.Style, false, cbUnchecked);
    const auto frames = rc.OfKind(dkFrameControl);
    const auto bitmaps = rc.OfKind(dkBitmap);
    if (k.FrameState != none) {
      ASSERT_EQ(frames.size(), 1u);
      EXPECT_EQ(frames[0].State, k.FrameState);
      // CheckSize 15, centred in the 30 x 20 rectangle.
      EXPECT_EQ(frames[0].R, TRect(17, 12, 32, 27));
    } else {
      EXPECT_TRUE(frames.empty());
    }
    if (k.BitmapSize > 0) {
      ASSERT_EQ(bitmaps.size(), 1u);
      EXPECT_EQ(bitmaps[0].R, TRect(10, 10, 10 + k.BitmapSize, 10 + k.BitmapSize));
    }
  }
}

TEST(GridPaintGlyphs, CellCheckBoxesAreDrawnInTheirCells) {
  // A data check-box column shows its state as a box and not as text.
  TProColumnGrid g(nullptr);
  g.Columns()->Items(2)->SetEditor(edDataCheckBox);
  g.Columns()->Items(2)->SetCheckTrue("Y");
  g.SetCells(2, 1, "Y");
  g.SetCells(2, 2, "N");
  for (int r : {1, 2}) {
    SCOPED_TRACE(r);
    TRecordingCanvas rc(400, 300);
    Paint(g, rc, 2, r);
    const auto frames = rc.OfKind(dkFrameControl);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ((frames[0].State & DFCS_CHECKED) != 0, r == 1);
    EXPECT_TRUE(PtInRect(g.CellRect(2, r), frames[0].R.TopLeft()));
    for (const TDrawRecord& t : rc.OfKind(dkText)) EXPECT_NE(t.Text, g.Cells(2, r));
  }
  // A check box with text keeps the text; a read-only column shows it disabled.
  TProStringGrid s(nullptr);
  s.SetCells(1, 1, "abc");
  s.AddCheckBox(1, 1, true, false);
  TRecordingCanvas rc(400, 300);
  Paint(s, rc, 1, 1);
  ASSERT_EQ(rc.OfKind(dkFrameControl).size(), 1u);
  EXPECT_NE(rc.OfKind(dkFrameControl)[0].State & DFCS_CHECKED, 0u);
  TextRecord(rc, "abc");
  g.Columns()->Items(2)->SetReadOnly(true);
  TRecordingCanvas ro(400, 300);
  Paint(g, ro, 2, 1);
  ASSERT_EQ(ro.OfKind(dkFrameControl).size(), 1u);
  EXPECT_NE(ro.OfKind(dkFrameControl)[0].State & DFCS_INACTIVE, 0u);
}

TEST(GridPaintGlyphs, BitmapGlyphsShowTheirState) {
  const QRgb mark = qRgb(33, 161, 33), greyMark = qRgb(150, 150, 150);
  struct Case {
    bool Checked, Enabled, AlwaysActive;
    bool Green, Grey;
  };
  const Case cases[] = {
      {true, true, false, true, false},
      {false, true, false, false, false},
      {true, false, false, false, true},
      // CheckAlwaysActive draws a disabled cell's box as enabled.
      {true, false, true, true, false},
  };
  for (const Case& k : cases) {
    TProStringGrid g(nullptr);
    g.ControlLook()->SetCheckAlwaysActive(k.AlwaysActive);
    TRecordingCanvas rc(60, 60);
    g.DrawCheckBoxGlyph(rc.Canvas(), TRect(4, 4, 30, 30), k.Checked, k.Enabled, false, csWinXP,
                        false, cbUnchecked);
    const QImage img = rc.Pixels();
    EXPECT_EQ(CountPixels(img, mark) > 0, k.Green) << k.Checked << k.Enabled << k.AlwaysActive;
    EXPECT_EQ(CountPixels(img, greyMark) > 0, k.Grey) << k.Checked << k.Enabled << k.AlwaysActive;
    // The olive ground is transparent.
    EXPECT_EQ(CountPixels(img, qRgb(128, 128, 0)), 0);
  }
}

TEST(GridPaintGlyphs, TriStateAndUserGlyphs) {
  TProStringGrid g(nullptr);
  {
    TRecordingCanvas rc(100, 100);
    g.DrawCheckBoxGlyph(rc.Canvas(), TRect(0, 0, 20, 20), false, true, false, csClassic, true,
                        cbGrayed);
    ASSERT_EQ(rc.OfKind(dkFrameControl).size(), 1u);
    EXPECT_TRUE(rc.OfKind(dkFrameControl)[0].State & DFCS_BUTTON3STATE);
  }
  {
    // A grayed box in a bitmap style is an unchecked box.
    TRecordingCanvas rc(100, 100);
    g.DrawCheckBoxGlyph(rc.Canvas(), TRect(0, 0, 20, 20), true, true, false, csWinXP, true,
                        cbGrayed);
    EXPECT_EQ(CountPixels(rc.Pixels(), qRgb(33, 161, 33)), 0);
  }
  {
    // csGlyph with an empty unchecked glyph draws nothing.
    TRecordingCanvas rc(100, 100);
    g.DrawCheckBoxGlyph(rc.Canvas(), TRect(0, 0, 20, 20), false, true, false, csGlyph, false,
                        cbUnchecked);
    EXPECT_TRUE(rc.Records().empty());
  }
  {
    // csBorland: a face, its edges and, when checked, the tick in ControlLook.Color.
    TRecordingCanvas rc(100, 100);
    g.ControlLook()->SetColor(clRed);
    g.DrawCheckBoxGlyph(rc.Canvas(), TRect(0, 0, 15, 15), true, true, false, csBorland, false,
                        cbUnchecked);
    ASSERT_EQ(rc.OfKind(dkRectangle).size(), 1u);
    int red = 0;
    for (const TDrawRecord& l : rc.OfKind(dkLine))
      if (l.PenColor == COLORREF(ColorToRGB(clRed))) ++red;
    EXPECT_EQ(red, 4);
  }
}

TEST(GridPaintGlyphs, ThemedSystemsDrawThemeParts) {
  std::vector<TThemedStyles::Drawn> log;
  SetVisualStyles(std::make_unique<TThemedStyles>(&log));
  auto restore = qScopeGuard([] { SetVisualStyles(nullptr); });
  TProStringGrid g(nullptr);
  TRecordingCanvas rc(100, 100);
  struct Case {
    bool Checked, Enabled, Grayed;
    int State;
  };
  const Case cases[] = {{false, true, false, 1}, {false, false, false, 4}, {true, true, false, 5},
                        {true, false, false, 8}, {false, true, true, 9},   {false, false, true, 12}};
  for (const Case& k : cases) {
    log.clear();
    g.DrawCheckBoxGlyph(rc.Canvas(), TRect(10, 10, 40, 40), k.Checked, k.Enabled, k.Grayed, csTheme,
                        false, cbUnchecked);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Class, "button");
    EXPECT_EQ(log[0].Part, 3);
    EXPECT_EQ(log[0].State, k.State);
    EXPECT_EQ(log[0].R, TRect(10, 10, 25, 25));  // CheckSize square at the top-left
  }
  EXPECT_TRUE(rc.OfKind(dkFrameControl).empty());
  log.clear();
  g.DrawRadioGroup(rc.Canvas(), TRect(0, 0, 100, 60), 2, 1, false, false, nullptr, false, 1, 1,
                   csTheme, 1.0, false);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].Part, 2);
  EXPECT_EQ(log[0].State, 1);
  EXPECT_EQ(log[1].State, 5);
}

TEST(GridPaintGlyphs, RadioGroups) {
  TProStringGrid g(nullptr);
  TStringList options;
  options.Add(QStringLiteral("One"));
  options.Add(QStringLiteral("Two"));
  options.Add(QStringLiteral("Three"));
  g.SetCells(2, 2, QStringLiteral("Two"));
  auto chosen = [](const TRecordingCanvas& rc) {
    std::vector<bool> r;
    for (const TDrawRecord& f : rc.OfKind(dkFrameControl)) r.push_back(f.State & DFCS_CHECKED);
    return r;
  };
  {
    TRecordingCanvas rc(300, 100);
    g.DrawRadioGroup(rc.Canvas(), TRect(0, 0, 300, 60), 3, -1, false, false, &options, false, 2, 2,
                     csClassic, 1.0, false);
    EXPECT_EQ(chosen(rc), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(rc.Texts(), (std::vector<QString>{"One", "Two", "Three"}));
  }
  {
    g.SetCells(2, 2, QStringLiteral("Four"));
    TRecordingCanvas rc(300, 100);
    g.DrawRadioGroup(rc.Canvas(), TRect(0, 0, 300, 60), 3, -1, false, false, &options, false, 2, 2,
                     csClassic, 1.0, false);
    EXPECT_EQ(chosen(rc), (std::vector<bool>{false, false, false}));
  }
  {
    // Horizontal: each text right after its glyph, left to right.
    TRecordingCanvas rc(300, 100);
    g.DrawRadioGroup(rc.Canvas(), TRect(0, 0, 300, 20), 3, 0, true, false, &options, false, 2, 2,
                     csClassic, 1.0, false);
    const auto frames = rc.OfKind(dkFrameControl);
    const auto texts = rc.OfKind(dkText);
    ASSERT_EQ(frames.size(), 3u);
    ASSERT_EQ(texts.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(texts[i].P1.X, frames[i].R.Left + g.ControlLook()->RadioSize());
      if (i > 0) {
        EXPECT_GT(frames[i].R.Left, texts[i - 1].P1.X);
      }
    }
    EXPECT_EQ(chosen(rc), (std::vector<bool>{true, false, false}));
  }
}

// ---------------------------------------------------------------------------
// Headers

TEST(GridPaintHeaders, XPHeaderGradient) {
  TProStringGrid g(nullptr);
  g.SetLook(glXP);
  g.SetREZGradientFrom(TColor(0xFFFFFF));
  g.SetREZGradientTo(TColor(0xC0C0C0));
  g.SetCells(2, 0, QStringLiteral("Head"));
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 2, 0);
  TextRecord(rc, QStringLiteral("Head"));
  // Only pixels tell a gradient: the top of the header is lighter than its bottom.
  const QImage img = rc.Pixels();
  const TRect cell = g.CellRect(2, 0);
  const int x = cell.Left + 4;
  const int top = qGray(img.pixel(x, cell.Top + 3)), bottom = qGray(img.pixel(x, cell.Bottom - 4));
  EXPECT_GT(top, bottom);
  // The raised edge: a white line along the top inside.
  bool white = false;
  for (const TDrawRecord& l : rc.OfKind(dkLine))
    if (l.PenColor == 0xFFFFFF && l.P1.Y == l.P2.Y && l.P1.Y <= cell.Top + 2) white = true;
  EXPECT_TRUE(white);
  // A flat grid draws no raised edges.
  g.SetFlat(true);
  rc.Clear();
  Paint(g, rc, 2, 0);
  for (const TDrawRecord& l : rc.OfKind(dkLine)) EXPECT_NE(l.PenColor, COLORREF(0xFFFFFF));
}

TEST(GridPaintHeaders, SortGlyph) {
  TProStringGrid g(nullptr);
  g.SetLook(glStandard);
  g.SetCells(2, 0, QStringLiteral("Name"));
  g.SortSettings()->SetColumn(2);
  g.SortSettings()->SetShow(true);
  g.SortSettings()->SetDirection(sdAscending);
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 2, 0);
  // The up-pointing outline: white base, white right side, grey left side.
  std::vector<TDrawRecord> lines;
  for (const TDrawRecord& l : rc.OfKind(dkLine))
    if (l.PenColor == 0xFFFFFF || l.PenColor == 0x808080) lines.push_back(l);
  ASSERT_GE(lines.size(), 3u);
  const TDrawRecord& base = lines[lines.size() - 3];
  const TDrawRecord& apex = lines[lines.size() - 2];
  EXPECT_EQ(base.P2.X - base.P1.X, 8);
  EXPECT_EQ(apex.P2.Y, base.P1.Y - 8);
  EXPECT_EQ(lines.back().PenColor, COLORREF(0x808080));
  // It stands right of the text.
  const TDrawRecord t = TextRecord(rc, QStringLiteral("Name"));
  EXPECT_GT(base.P1.X, t.R.Left);

  // The index glyph shows the position in the sort list.
  g.SortSettings()->SetIndexShow(true);
  g.SortIndexes()->AddIndex(3, true);
  g.SortIndexes()->AddIndex(2, false);
  rc.Clear();
  g.DrawSortGlyph(rc.Canvas(), 2, 50, 10);
  ASSERT_EQ(rc.OfKind(dkPolygon).size(), 1u);
  EXPECT_EQ(rc.OfKind(dkPolygon)[0].Points,
            (std::vector<TPoint>{TPoint(43, 5), TPoint(57, 5), TPoint(50, 18)}));
  EXPECT_EQ(rc.Texts(), (std::vector<QString>{"2"}));
}

// The colours of the fills and filled rectangles of a paint, in order.
std::vector<COLORREF> FillColors(const TRecordingCanvas& rc) {
  std::vector<COLORREF> r;
  for (const TDrawRecord& f : rc.Records())
    if (f.Kind == dkFill || f.Kind == dkRectangle) r.push_back(f.BrushColor);
  return r;
}

bool Filled(const TRecordingCanvas& rc, TColor C) {
  const auto f = FillColors(rc);
  return std::find(f.begin(), f.end(), COLORREF(ColorToRGB(C))) != f.end();
}

TEST(GridPaintHeaders, ActiveCellAndSortedColumnHeaders) {
  TProStringGrid g(nullptr);
  g.SetLook(glXP);
  g.SetREZGradientFrom(TColor(0xF0F0F0));
  g.SetFixedCols(2);
  g.SetFixedRows(2);
  g.SetRow(4);
  g.SetCol(3);
  g.SetActiveCellShow(true);
  g.SetActiveCellColor(TColor(0x0000AA));
  struct Case {
    int Col, Row;
    bool Active;
  };
  // Only the last fixed column of the current row and the last fixed row of
  // the current column.
  const Case cases[] = {{1, 4, true}, {0, 4, false}, {3, 1, true}, {3, 0, false},
                        {1, 5, false}, {4, 1, false}};
  for (const Case& k : cases) {
    TRecordingCanvas rc(600, 400);
    Paint(g, rc, k.Col, k.Row);
    EXPECT_EQ(Filled(rc, TColor(0x0000AA)), k.Active) << k.Col << "," << k.Row;
  }
  // The sorted column's header colour, in the last fixed row only.
  g.SetActiveCellShow(false);
  g.SortSettings()->SetColumn(4);
  TRecordingCanvas rc(600, 400);
  Paint(g, rc, 4, 1);
  EXPECT_FALSE(Filled(rc, TColor(0x00AA00)));  // no header colour set
  g.SortSettings()->SetHeaderColor(TColor(0x00AA00));
  for (int r : {0, 1}) {
    TRecordingCanvas rc2(600, 400);
    Paint(g, rc2, 4, r);
    EXPECT_EQ(Filled(rc2, TColor(0x00AA00)), r == 1) << r;
  }
}

TEST(GridPaintHeaders, ModifiedRowMarkerAndRowIndicator) {
  TProStringGrid g(nullptr);
  g.SetLook(glStandard);
  g.ShowModified()->SetEnabled(true);
  g.ShowModified()->SetColor(TColor(0x0080FF));
  g.SetRowModified(3, true);
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 0, 3);
  const auto rects = rc.OfKind(dkRectangle);
  bool marker = false;
  for (const TDrawRecord& r : rects)
    if (r.BrushColor == COLORREF(0x0080FF) && r.R.Width() == 4) marker = true;
  EXPECT_TRUE(marker);
  rc.Clear();
  Paint(g, rc, 0, 4);
  for (const TDrawRecord& r : rc.OfKind(dkRectangle)) EXPECT_NE(r.BrushColor, COLORREF(0x0080FF));

  // The row indicator in column 0 of the current row, the text after it.
  TBitmap ind;
  ind.SetSize(8, 8);
  g.SetRowIndicator(&ind);
  g.SetCells(0, 1, QStringLiteral("1"));
  rc.Clear();
  Paint(g, rc, 0, 1);
  const auto bitmaps = rc.OfKind(dkBitmap);
  ASSERT_EQ(bitmaps.size(), 1u);
  // Two pixels into the cell's content rectangle.
  const TRect cell = g.CellRect(0, 1);
  EXPECT_GE(bitmaps[0].R.Left, cell.Left + 2);
  EXPECT_LE(bitmaps[0].R.Left, cell.Left + 3);
  EXPECT_GE(TextRecord(rc, QStringLiteral("1")).R.Left, bitmaps[0].R.Right);
}

TEST(GridPaintText, SelectionRectangle) {
  TProStringGrid g(nullptr);
  g.SetSelectionRectangle(true);
  g.SetSelectionResizer(true);
  g.SetSelectionRectangleColor(TColor(0x00FF00));
  g.SelectCells(1, 1, 2, 2);
  auto outline = [&](int c, int r) {
    TRecordingCanvas rc(400, 300);
    Paint(g, rc, c, r);
    int lines = 0, squares = 0;
    for (const TDrawRecord& l : rc.OfKind(dkLine))
      if (l.PenColor == 0x00FF00) {
        EXPECT_EQ(l.PenWidth, 2);
        ++lines;
      }
    for (const TDrawRecord& q : rc.OfKind(dkRectangle))
      if (q.BrushColor == 0x00FF00) ++squares;
    return std::pair(lines, squares);
  };
  EXPECT_EQ(outline(1, 1), std::pair(2, 0));  // left and top
  EXPECT_EQ(outline(2, 2), std::pair(2, 1));  // right and bottom, and the resize handle
  EXPECT_EQ(outline(3, 3), std::pair(0, 0));
}

TEST(GridPaintHeaders, ListViewHeadersWithoutVisualStyles) {
  TProStringGrid g(nullptr);
  g.SetLook(glListView);
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 2, 0);
  bool face = false;
  for (const TDrawRecord& r : rc.OfKind(dkRectangle))
    if (r.BrushColor == COLORREF(ColorToRGB(clBtnFace)) && r.PenColor == 0xFFFFFF) face = true;
  EXPECT_TRUE(face);
  {
    // With visual styles: the header item, the mouse being away.
    std::vector<TThemedStyles::Drawn> log;
    SetVisualStyles(std::make_unique<TThemedStyles>(&log));
    auto restore = qScopeGuard([] { SetVisualStyles(nullptr); });
    rc.Clear();
    Paint(g, rc, 2, 0);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Class, "header");
    EXPECT_EQ(log[0].Part, 3);
    EXPECT_EQ(log[0].State, 1);
  }
  g.SetFlat(true);
  rc.Clear();
  Paint(g, rc, 2, 0);
  for (const TDrawRecord& r : rc.OfKind(dkRectangle))
    EXPECT_FALSE(r.BrushColor == COLORREF(ColorToRGB(clBtnFace)) && r.PenColor == 0xFFFFFF);
}

TEST(GridPaintHeaders, HoverFixedCells) {
  TProStringGrid g(nullptr);
  EXPECT_FALSE(g.IsHoverFixedCell(0, 0));
  g.SetHoverFixedCells(hfFixedRows);
  EXPECT_TRUE(g.IsHoverFixedCell(2, 0));
  EXPECT_FALSE(g.IsHoverFixedCell(0, 3));
  g.SetHoverFixedCells(hfAll);
  EXPECT_TRUE(g.IsHoverFixedCell(0, 3));
  EXPECT_FALSE(g.IsHoverFixedCell(2, 3));
}

// ---------------------------------------------------------------------------
// A whole table, set up like the program's variable tables

namespace {

// RGB as a TColor (low byte red).
constexpr TColor Rgb(int R, int G, int B) { return TColor(R | (G << 8) | (B << 16)); }

// The check columns hold their state apart from the cell text, as the
// variables table does; Checked[r] is the state of row r in all four columns.
void SetUpVariablesTable(TProStringGrid& g, const std::vector<bool>& Checked) {
  struct Column {
    const char* Header;
    int Width;
    TColor Color;
  };
  const Column columns[] = {
      {"N", 40, clNone},
      {"Enable", 50, Rgb(255, 216, 176)},
      {"Type", 120, Rgb(224, 250, 254)},
      {"Position", 70, Rgb(168, 255, 168)},
      {"Start Bit", 70, Rgb(168, 255, 168)},
      {"Length", 70, Rgb(168, 255, 168)},
      {"Name", 200, Rgb(252, 214, 244)},
      {"R/W", 70, Rgb(252, 214, 244)},
      {"Swap", 70, Rgb(255, 255, 168)},
      {"Swap Word", 70, Rgb(255, 255, 168)},
      {"Swap All", 70, Rgb(255, 255, 168)},
      {"Mnemonic", 200, Rgb(255, 255, 255)},
  };
  g.SetBounds(0, 0, 1200, 337);
  g.SetColCount(12);
  g.SetRowCount(14);
  g.SetDefaultRowHeight(22);
  g.SetOptions(g.Options() + TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
                                          goRangeSelect, goEditing});
  // The gradient of the XP look's headers (its preset is not part of this test).
  g.SetLook(glXP);
  g.SetREZGradientFrom(Rgb(252, 252, 252));
  g.SetREZGradientTo(Rgb(224, 226, 230));
  for (int c = 0; c < 12; ++c) {
    g.SetColWidths(c, columns[c].Width);
    g.SetCells(c, 0, QString::fromLatin1(columns[c].Header));
    for (int r = 1; r < g.RowCount() && columns[c].Color != clNone; ++r)
      g.CellProperties(c, r)->SetBrushColor(columns[c].Color);
  }
  const char* types[] = {"Boolean", "Word", "Float", "String", "Double"};
  for (int r = 1; r < g.RowCount(); ++r) {
    g.SetCells(0, r, QString::number(r));
    for (int c : {1, 8, 9, 10}) g.CellProperties(c, r)->SetAlignment(taCenter);
    if (r > 5) continue;
    g.SetCells(2, r, QString::fromLatin1(types[r - 1]));
    g.SetCells(3, r, QString::number((r - 1) * 2));
    g.SetCells(4, r, QStringLiteral("0"));
    g.SetCells(5, r, r == 4 ? QStringLiteral("10") : QString::number(r == 1 ? 1 : 2 * (r - 1)));
    g.SetCells(6, r, QStringLiteral("Variable_%1").arg(r));
    g.SetCells(7, r, r % 2 ? QStringLiteral("Read/Write") : QStringLiteral("Read Only"));
    g.SetCells(11, r, QStringLiteral("Tank level %1").arg(r));
  }
  // The check-box columns show their boxes (drawn by the event until cell
  // graphics draw them).
  g.OnCustomCellDraw = [&g, Checked](TObject*, TCanvas* C, int ACol, int ARow, TGridDrawState,
                                     TRect R, bool) {
    const bool box = ARow > 0 && (ACol == 1 || ACol >= 8) && ACol <= 10;
    if (box)
      g.DrawCheckBoxGlyph(C, R, Checked[size_t(ARow)], true, false, csClassic, false, cbUnchecked);
  };
}

void PaintAll(TProStringGrid& g, TRecordingCanvas& rc) {
  for (int r = 0; r < g.RowCount(); ++r)
    for (int c = 0; c < g.ColCount(); ++c) g.PaintCell(rc.Canvas(), c, r, g.CellRect(c, r), {});
}

}  // namespace

TEST(GridPaintTable, VariablesTableLooksRight) {
  TProStringGrid g(nullptr);
  std::vector<bool> checked(14, false);
  checked[1] = checked[3] = checked[5] = true;
  SetUpVariablesTable(g, checked);
  TRecordingCanvas rc(1200, 337);
  PaintAll(g, rc);
  // Every header text and the cell texts are drawn, and the boxes of the four
  // check columns.
  for (const char* h : {"N", "Enable", "Type", "Name", "Swap Word", "Mnemonic", "Variable_3",
                        "Read/Write", "13"})
    TextRecord(rc, QString::fromLatin1(h));
  int ticked = 0;
  for (const TDrawRecord& f : rc.OfKind(dkFrameControl))
    if (f.State & DFCS_CHECKED) ++ticked;
  EXPECT_EQ(ticked, 4 * 3);
  EXPECT_EQ(rc.OfKind(dkFrameControl).size(), size_t(4 * 13));
  const QImage img = rc.Pixels();
  // A body cell shows its column's colour; a header its gradient.
  const TRect name = g.CellRect(6, 8);
  EXPECT_EQ(img.pixel(name.Left + 20, name.Top + 10) & 0xFFFFFF, qRgb(252, 214, 244) & 0xFFFFFF);
  const TRect head = g.CellRect(6, 0);
  EXPECT_GT(qGray(img.pixel(head.Left + 100, head.Top + 3)),
            qGray(img.pixel(head.Left + 100, head.Bottom - 4)));
  if (qEnvironmentVariableIsSet("ZIDI_SCREENSHOT_DIR"))
    img.save(qEnvironmentVariable("ZIDI_SCREENSHOT_DIR") + QStringLiteral("/variables-table.png"));
}

// A shown grid paints every pixel of its client area itself (it is not erased
// first): whatever stood in its back buffer is painted over everywhere, with
// bands, a footer, a merged block whose base cell has scrolled away, a hidden
// column, header gradients and room beyond the last column.
TEST(GridPaintWhole, APaintCoversTheWholeClient) {
  struct TCase {
    const char* Name;
    std::function<void(TProStringGrid&)> Setup;
  };
  const TCase cases[] = {
      {"defaults", [](TProStringGrid&) {}},
      {"bands, footer, merged block, hidden column",
       [](TProStringGrid& g) {
         g.Bands()->SetActive(true);
         g.SetFixedFooters(1);
         g.MergeCells(2, 3, 2, 5);
         g.HideColumn(4);
         g.SetTopRow(6);
       }},
      {"a look of gradients", [](TProStringGrid& g) { g.SetLook(glOffice2007); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TShownForm f{500, 300};
    auto* g = new TProStringGrid(f.Form);
    g->SetParent(f.Form);
    g->SetBorderStyle(bsNone);
    g->SetBounds(0, 0, 480, 260);
    g->SetColCount(6);
    g->SetRowCount(30);
    for (int r = 0; r < 30; ++r)
      for (int col = 0; col < 6; ++col) g->SetCells(col, r, QStringLiteral("r%1c%2").arg(r).arg(col));
    c.Setup(*g);
    f.Show();
    g->PaintNow();
    g->BackBuffer()->fill(Qt::magenta);
    g->PaintNow();
    const QImage img = g->BackBuffer()->copy();
    int stale = 0;
    const TRect cr = g->ClientRect();
    for (int y = 0; y < cr.Bottom; ++y)
      for (int x = 0; x < cr.Right; ++x) stale += img.pixel(x, y) == QColor(Qt::magenta).rgba();
    EXPECT_EQ(stale, 0);
  }
}

namespace {

// A grid whose paint shortcuts can be switched off: the band backgrounds under
// plain cells and the content step's reuse of the look the cell painter
// resolved. Without them every cell resolves its look twice and fills itself.
template <class G>
class TShortcutGrid : public G {
 public:
  using G::G;
  bool Shortcuts = true;
  bool BandBackgrounds() override { return Shortcuts && G::BandBackgrounds(); }
  void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
    if (!Shortcuts) this->FResolvedLook.Valid = false;
    G::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
  }
};

// The pixels of a shown grid of 12 x 40 texts, set up by Setup, painted with or
// without the shortcuts.
template <class G>
QImage PaintedWith(bool Shortcuts, const std::function<void(G&)>& Setup) {
  TShownForm f{560, 330};
  auto* g = new TShortcutGrid<G>(f.Form);
  g->Shortcuts = Shortcuts;
  g->SetParent(f.Form);
  g->SetBorderStyle(bsNone);
  g->SetBounds(0, 0, 540, 310);
  g->SetColCount(12);
  g->SetRowCount(40);
  for (int r = 0; r < 40; ++r)
    for (int c = 0; c < 12; ++c)
      g->SetCells(c, r, c % 3 == 2 ? QString::number(r * 37 - c) : QStringLiteral("r%1c%2").arg(r).arg(c));
  f.Show();
  Setup(*g);
  g->PaintNow();
  return g->BackBuffer()->copy();
}

// Where two paints differ: "" when they do not, else the first pixel.
QString FirstDifference(const QImage& A, const QImage& B) {
  if (A.size() != B.size()) return QStringLiteral("sizes differ");
  for (int y = 0; y < A.height(); ++y)
    for (int x = 0; x < A.width(); ++x)
      if (A.pixel(x, y) != B.pixel(x, y))
        return QStringLiteral("(%1, %2): %3 against %4").arg(x).arg(y).arg(A.pixel(x, y), 0, 16).arg(B.pixel(x, y), 0, 16);
  return {};
}

template <class G>
struct TShortcutCase {
  const char* Name;
  std::function<void(G&)> Setup;
};

template <class G>
void ExpectShortcutsChangeNoPixel(const std::vector<TShortcutCase<G>>& Cases) {
  for (const TShortcutCase<G>& c : Cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(FirstDifference(PaintedWith<G>(true, c.Setup), PaintedWith<G>(false, c.Setup)), QString());
  }
}

}  // namespace

// The band backgrounds and the reused look are shortcuts only: whatever the
// cells show, the grid looks the same as when every cell resolves its look
// twice and fills itself - also where a cell draws beyond its rectangle into
// the cells painted after it.
TEST(GridPaintShortcuts, PaintTheSamePixelsAsCellByCell) {
  using G = TProStringGrid;
  ExpectShortcutsChangeNoPixel<G>({
      {"defaults", [](G&) {}},
      {"scrolled, numbers aligned, focused",
       [](G& g) {
         g.SetTopRow(7);
         g.SetLeftCol(2);
         g.SetAutoNumAlign(true);
         g.SetFocus();
       }},
      {"bands, own colours, a gradient cell, fonts",
       [](G& g) {
         g.Bands()->SetActive(true);
         g.CellProperties(3, 4)->SetBrushColor(clYellow);
         g.CellProperties(4, 4)->SetBrushColor(g.Bands()->PrimaryColor());
         g.CellProperties(2, 5)->SetBrushColor(clAqua);
         g.CellProperties(2, 5)->SetBrushColorTo(clBlue);
         g.CellProperties(5, 6)->SetFontColor(clRed);
       }},
      {"a range selected, focused",
       [](G& g) {
         g.SetFocus();
         g.SetSelection(TGridRect{2, 3, 5, 8});
       }},
      {"a disabled grid's selection keeps the cells' text colour",
       [](G& g) {
         g.SetSelectionTextColor(clRed);
         g.SetSelection(TGridRect{2, 3, 5, 8});
         g.SetEnabled(false);
       }},
      {"styled selection in the grid's colour",
       [](G& g) {
         g.SetSelectionStyle(ssVista);
         g.SetSelectionColor(g.Color());
         g.SetSelection(TGridRect{2, 3, 4, 5});
       }},
      {"the active row",
       [](G& g) {
         g.SetActiveRowShow(true);
         g.SetSelection(TGridRect{2, 3, 2, 3});
       }},
      {"merged blocks and the selection rectangle",
       [](G& g) {
         g.MergeCells(1, 2, 2, 3);
         g.MergeCells(4, 6, 3, 1);
         g.SetSelectionRectangle(true);
         g.SetSelection(TGridRect{6, 2, 7, 4});
       }},
      {"thick borders",
       [](G& g) {
         g.OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen* APen, TCellBorders& Borders) {
           if (ACol != 3 || ARow != 9) return;
           APen->SetWidth(4);
           APen->SetColor(clRed);
           Borders = TCellBorders{cbRight, cbBottom};
         };
       }},
      {"HTML, word wrap, a check box and an in-cell scroll bar",
       [](G& g) {
         g.SetRowHeights(6, 40);
         g.SetCells(5, 6, QStringLiteral("line 1\nline 2\nline 3\nline 4\nline 5"));
         g.AddScrollBar(5, 6, true);
         g.SetCells(2, 3, QStringLiteral("<b>bold</b> and <font color=\"clred\">red</font> text running far on"));
         g.SetCells(3, 4, QStringLiteral("a long text that wraps within its cell"));
         g.CellProperties(3, 4)->SetWordWrap(true);
         g.AddCheckBox(4, 5, true, false);
       }},
      {"disjunct rows and cells",
       [](G& g) {
         g.MouseActions()->SetDisjunctRowSelect(true);
         g.SetRowSelect(4, true);
         g.SetRowSelect(6, true);
       }},
      {"events colour and shade cells",
       [](G& g) {
         g.OnGetCellColor = [](TObject*, int ARow, int ACol, TGridDrawState, TBrush* ABrush, TFont* AFont) {
           if ((ARow + ACol) % 5 == 0) ABrush->SetColor(clLime);
           if (ARow % 4 == 0) AFont->SetColor(clBlue);
         };
         g.OnGetCellGradient = [](TObject*, int ARow, int ACol, TColor& From, TColor& To, TColor&, TColor&,
                                  TCellGradientDirection&) {
           if (ARow == 5 && ACol > 3) {
             From = clWhite;
             To = clGray;
           }
         };
       }},
      {"no grid lines", [](G& g) { g.SetOptions(g.Options() - TGridOptions{goHorzLine, goVertLine}); }},
      {"rows and a column of no size",
       [](G& g) {
         g.SetRowHeights(1, 0);
         g.SetRowHeights(4, 0);
         g.SetColWidths(3, 0);
       }},
      {"right fixed column, footer, hidden last row",
       [](G& g) {
         g.SetFixedRightCols(1);
         g.SetFixedFooters(1);
         g.SetHideLastRow(true);
         g.SetTopRow(30);
       }},
      {"thick grid lines", [](G& g) { g.SetGridLineWidth(3); }},
      {"password cells, links, alignments asked for",
       [](G& g) {
         g.OnIsPasswordCell = [](TObject*, int, int ACol, bool& Password) { Password = ACol == 4; };
         g.SetURLShow(true);
         g.SetCells(3, 5, QStringLiteral("http://example.com/a"));
         g.OnGetAlignment = [](TObject*, int, int ACol, TAlignment& HA, TVAlignment& VA) {
           if (ACol != 5) return;
           HA = taRightJustify;
           VA = vtaCenter;
         };
       }},
      {"text offsets, ellipsis, zoom, no word wrap",
       [](G& g) {
         g.SetXYOffset(TPoint{5, 4});
         g.SetEnhTextSize(true);
         g.SetWordWrap(false);
         g.SetZoomFactor(2);
         g.SetCells(2, 6, QStringLiteral("a text much longer than its cell"));
       }},
      {"a hidden column, a disabled grid's font",
       [](G& g) {
         g.HideColumn(3);
         g.SetUseDisabledFont(true);
         g.SetEnabled(false);
       }},
  });
}

TEST(GridPaintShortcuts, ColumnGridPaintsTheSamePixels) {
  using G = TProColumnGrid;
  ExpectShortcutsChangeNoPixel<G>({
      {"defaults", [](G&) {}},
      {"column colours, fonts and thick borders",
       [](G& g) {
         g.Columns()->Items(2)->SetColor(clYellow);
         g.Columns()->Items(3)->Font()->SetColor(clRed);
         g.Columns()->Items(5)->SetBorders(TCellBorders{cbRight, cbBottom});
         g.Columns()->Items(5)->BorderPen()->SetWidth(3);
         g.Columns()->Items(5)->BorderPen()->SetColor(clBlue);
       }},
      {"column passwords, alignment, a number format",
       [](G& g) {
         g.Columns()->Items(2)->SetPassword(true);
         g.Columns()->Items(4)->SetAlignment(taCenter);
         g.Columns()->Items(8)->SetFloatFormat(QStringLiteral("%.2f"));
       }},
      {"a fixed column, check boxes",
       [](G& g) {
         g.Columns()->Items(3)->SetEditor(edDataCheckBox);
         g.Columns()->Items(6)->SetFixed(true);
       }},
  });
}

// The cells in view keep what their texts drew, fixed cells too, and draw it
// again where nothing changed: a grid painted, changed and painted again looks
// as a grid painted once with the change made.
TEST(GridPaintShortcuts, ARepaintAfterAChangeLooksAsAFreshPaint) {
  using G = TProStringGrid;
  struct TCase {
    const char* Name;
    std::function<void(G&)> Change;
  };
  const std::vector<TCase> cases = {
      {"fixed and scrolling texts changed",
       [](G& g) {
         g.SetCells(0, 3, QStringLiteral("new"));
         g.SetCells(4, 0, QStringLiteral("header"));
         g.SetCells(5, 5, QStringLiteral("r5c5 again"));
       }},
      {"texts swapped between fixed and scrolling cells",
       [](G& g) {
         g.SetCells(0, 2, QStringLiteral("r2c3"));
         g.SetCells(3, 2, QStringLiteral("r2c0"));
       }},
      {"scrolled right and down",
       [](G& g) {
         g.SetLeftCol(3);
         g.SetTopRow(9);
       }},
      {"more fixed columns and rows",
       [](G& g) {
         g.SetFixedCols(2);
         g.SetFixedRows(2);
       }},
      {"fixed font colour and alignment",
       [](G& g) {
         g.FixedFont()->SetColor(clRed);
         g.SetAlignments(0, 4, taRightJustify);
       }},
      {"a wider fixed column", [](G& g) { g.SetColWidths(0, 90); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const QImage repainted = PaintedWith<G>(true, [&](G& g) {
      g.PaintNow();
      c.Change(g);
    });
    EXPECT_EQ(FirstDifference(repainted, PaintedWith<G>(true, c.Change)), QString());
  }
}

// Without zoom a cell's text is drawn in the grid's font as it is: a height in
// pixels that is no whole point size is not rounded to one; a zoom adds points.
TEST(GridPaintZoom, ZoomChangesTheFontOnlyWhenSet) {
  TProStringGrid g(nullptr);
  g.Font()->SetHeight(-14);
  g.SetCells(1, 1, QStringLiteral("cell"));
  for (const auto& [zoom, height] : {std::pair{0, -14}, std::pair{2, -17}}) {
    SCOPED_TRACE(zoom);
    g.SetZoomFactor(zoom);
    TRecordingCanvas rc(200, 100);
    Paint(g, rc, 1, 1);
    EXPECT_EQ(TextRecord(rc, QStringLiteral("cell")).FontHeight, height);
  }
}
