// The grid's looks, display setters, style presets, colour tones, XP schemes,
// the Office-theme adaptation and the focus glow around the edited cell.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QScopeGuard>
#include <QTest>
#include <QWidget>
#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <set>

#include "common/RecordingCanvas.h"
#include "controls/ProUtil.h"
#include "controls/ProXPVS.h"
#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_DateEditors.h"
#include "grid/ProGrid_EditBtnEditors.h"
#include "platform/os/Registry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Snapshot.h"
#include "platform/ui/UxTheme.h"
#include "tests/controls/ThemeFakes.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// A grid that counts its repaint requests and the styles applied to it.
class TCountingGrid : public TProStringGrid {
 public:
  using TProStringGrid::TProStringGrid;
  void Invalidate() override {
    ++Invalidates;
    TProStringGrid::Invalidate();
  }
  void SetStyle(TProGridStyle AStyle) override {
    Styles.push_back(AStyle);
    TProStringGrid::SetStyle(AStyle);
  }
  int Invalidates = 0;
  std::vector<TProGridStyle> Styles;
};

TColor RGB(TColor C) { return ColorToRGB(C); }

// ---------------------------------------------------------------------------
// Look

TEST(GridLookPreset, TheSameLookTwiceChangesNothing) {
  TProStringGrid g(nullptr);
  ASSERT_EQ(g.Look(), glXP);
  g.SetSelectionColor(clRed);
  g.SetBorderColor(clLime);
  g.SetLook(glXP);
  EXPECT_EQ(g.SelectionColor(), clRed);
  EXPECT_EQ(g.BorderColor(), clLime);
}

TEST(GridLookPreset, XPAfterStandardGivesTheXPColours) {
  TProStringGrid g(nullptr);
  g.SetLook(glStandard);
  EXPECT_EQ(g.SelectionColor(), clHighlight);
  EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), clBtnFace);
  EXPECT_EQ(g.ControlLook()->FixedGradientTo(), clNone);
  g.SetLook(glXP);
  EXPECT_EQ(g.SelectionColor(), TColor(0xEACAB6));
  EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), TColor(0xFFFFFF));
  EXPECT_EQ(g.ControlLook()->FixedGradientTo(), clBtnFace);
  // The control look hands the gradient on to the fixed cells.
  EXPECT_EQ(g.REZGradientFrom(), TColor(0xFFFFFF));
  EXPECT_EQ(g.REZGradientTo(), RGB(clBtnFace));
}

TEST(GridLookPreset, CustomKeepsTheColoursButForcesScrollBarsAndBorder) {
  TProStringGrid g(nullptr);
  g.SetSelectionColor(clRed);
  g.SetREZGradientFrom(TColor(0x123456));
  g.SetGridLineColor(TColor(0x010203));
  g.SetScrollType(ssMetro);
  g.SetBorderStyle(bsNone);
  g.SetBorderColor(clLime);
  g.SetLook(glCustom);
  EXPECT_EQ(g.SelectionColor(), clRed);
  EXPECT_EQ(g.REZGradientFrom(), TColor(0x123456));
  EXPECT_EQ(g.GridLineColor(), TColor(0x010203));
  EXPECT_EQ(g.ScrollType(), ssNormal);
  EXPECT_EQ(g.BorderStyle(), bsSingle);
  EXPECT_EQ(g.BorderColor(), TColor(0xB99D7F));
}

// Every look, set on a grid whose colours were spoiled first.
TEST(GridLookPreset, ColourWritesOfEveryLook) {
  // The fixed-cell hover and pressed colours: From, To, MirrorFrom, MirrorTo.
  using TFour = std::array<TColor, 4>;
  struct Case {
    TGridLook Look;
    TColor GradFrom, GradTo;      // of the control look
    TColor MirrorFrom, MirrorTo;  // of the control look and the grid's REZ mirror
    TColor Selection, SelectionTo, SelectionText;
    TColor ActiveCell, ActiveCellTo;
    TGridSelectionStyle SelStyle;
    TColor FooterFrom, FooterTo;
    TColor GridLine, FixedLine;
    std::optional<TColor> Fixed;
    TColor HeaderColor;  // of the sort settings
    TFour Hover, Down;
  };
  const TColor N = clNone, R = clRed, xpFace = RGB(clBtnFace);
  // What the spoiling left: the looks that do not write a colour keep it.
  const TFour spoilt = {R, R, R, R};
  // glREZ and glXP give the fixed cells grey hover and pressed colours.
  const TFour xpHover = {0xCFD0D1, 0xBEC6C8, 0xBEC6C8, 0xABBCBF};
  const TFour xpDown = {0x868788, 0x737C7E, 0x737C7E, 0x627376};
  const Case cases[] = {
      {glStandard, clBtnFace, N, N, N, clHighlight, R, clHighlightText, 0x808080, N, ssDefault,
       clBtnFace, clBtnFace, 0xC0C0C0, 0x808080, clBtnFace, N, spoilt, spoilt},
      {glSoft, clBtnFace, N, N, N, clHighlight, R, clHighlightText, 0x808080, N, ssDefault,
       clBtnFace, clBtnFace, 0xC0C0C0, 0x808080, clBtnFace, N, spoilt, spoilt},
      {glClassic, clBtnFace, N, N, N, clHighlight, R, clHighlightText, 0x808080, N, ssDefault,
       clBtnFace, clBtnFace, 0xC0C0C0, 0x808080, clBtnFace, N, spoilt, spoilt},
      {glREZ, 0xFFFFFF, 0xC0C0C0, N, N, 0xEACAB6, N, 0, 0xEACAB6, N, ssDefault, 0xFFFFFF, xpFace,
       0xC0C0C0, 0x808080, std::nullopt, N, xpHover, xpDown},
      {glXP, 0xFFFFFF, clBtnFace, N, N, 0xEACAB6, N, 0, 0xEACAB6, N, ssDefault, 0xFFFFFF, xpFace,
       0xC0C0C0, 0x808080, std::nullopt, N, xpHover, xpDown},
      {glListView, 0xFFFFFF, clBtnFace, N, N, clHighlight, R, clHighlightText, 0x808080, N,
       ssDefault, clBtnFace, clBtnFace, 0xC0C0C0, 0x808080, std::nullopt, N, spoilt, spoilt},
      // The three style looks take their style's colours, the mirror halves and
      // sorted header colours included.
      {glVista, N, N, 0xFAF8F7, 0xF4F2F1, 0xEACAB6, N, 0, 0xFDF8F1, 0xFCEFD5, ssVista, 0xFFFFFF,
       0xF4F2F1, 0xECECF0, 0xD4D2D1, std::nullopt, 0xFCF9F2,
       TFour{0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7}, TFour{0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A}},
      {glWin7, N, N, 0xF4E6DC, 0xF7E9DD, 0xEACAB6, N, 0, 0xFCEBDC, 0xFCDBC1, ssWin7, 0xFDFCFA,
       0xF7E9DD, 0xECECF0, 0xD4D2D1, std::nullopt, 0xFCF9F2,
       TFour{0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1}, TFour{0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF}},
      {glOffice2007, 0xFBF9F6, 0xE8DBD2, N, N, 0x5EC1F1, N, 0, 0x9DD8F9, 0x5EC1F1, ssOffice2007,
       0xFBF9F6, N, 0xF1EDEB, 0xD1BBA4, std::nullopt, N,
       TFour{0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC}, TFour{0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D}},
  };
  for (const Case& k : cases) {
    TProStringGrid g(nullptr);
    g.SetLook(glCustom);
    TControlLook* cl = g.ControlLook();
    g.SetSelectionColor(R);
    g.SetSelectionColorTo(R);
    g.SetSelectionTextColor(R);
    g.SetActiveCellColor(R);
    g.SetActiveCellColorTo(R);
    g.SetGridLineColor(R);
    g.SetGridFixedLineColor(R);
    g.SetFixedColor(R);
    g.SearchFooter()->SetColor(R);
    g.SearchFooter()->SetColorTo(R);
    cl->SetFixedGradientMirrorFrom(R);
    cl->SetFixedGradientMirrorTo(R);
    cl->SetFixedGradientHoverFrom(R);
    cl->SetFixedGradientHoverTo(R);
    cl->SetFixedGradientHoverMirrorFrom(R);
    cl->SetFixedGradientHoverMirrorTo(R);
    cl->SetFixedGradientDownFrom(R);
    cl->SetFixedGradientDownTo(R);
    cl->SetFixedGradientDownMirrorFrom(R);
    cl->SetFixedGradientDownMirrorTo(R);
    g.SortSettings()->SetHeaderColor(R);
    g.SetScrollType(ssMetro);
    g.SetBorderStyle(bsNone);
    g.SetBorderColor(R);
    ASSERT_EQ(g.REZGradientMirrorFrom(), R);

    g.SetLook(k.Look);
    SCOPED_TRACE(k.Look);
    EXPECT_EQ(g.Look(), k.Look);
    EXPECT_EQ(cl->FixedGradientFrom(), k.GradFrom);
    EXPECT_EQ(cl->FixedGradientTo(), k.GradTo);
    EXPECT_EQ(cl->FixedGradientMirrorFrom(), k.MirrorFrom);
    EXPECT_EQ(cl->FixedGradientMirrorTo(), k.MirrorTo);
    EXPECT_EQ(g.REZGradientMirrorFrom(), k.MirrorFrom);
    EXPECT_EQ(g.REZGradientMirrorTo(), k.MirrorTo);
    EXPECT_EQ(g.SelectionColor(), k.Selection);
    EXPECT_EQ(g.SelectionColorTo(), k.SelectionTo);
    EXPECT_EQ(g.SelectionTextColor(), k.SelectionText);
    EXPECT_EQ(g.ActiveCellColor(), k.ActiveCell);
    EXPECT_EQ(g.ActiveCellColorTo(), k.ActiveCellTo);
    EXPECT_EQ(g.SelectionStyle(), k.SelStyle);
    EXPECT_EQ(g.SearchFooter()->Color(), k.FooterFrom);
    EXPECT_EQ(g.SearchFooter()->ColorTo(), k.FooterTo);
    EXPECT_EQ(g.GridLineColor(), k.GridLine);
    EXPECT_EQ(g.GridFixedLineColor(), k.FixedLine);
    EXPECT_EQ(g.FixedColor(), k.Fixed.value_or(R));
    EXPECT_EQ(g.SortSettings()->HeaderColor(), k.HeaderColor);
    EXPECT_EQ((TFour{cl->FixedGradientHoverFrom(), cl->FixedGradientHoverTo(),
                     cl->FixedGradientHoverMirrorFrom(), cl->FixedGradientHoverMirrorTo()}),
              k.Hover);
    EXPECT_EQ((TFour{cl->FixedGradientDownFrom(), cl->FixedGradientDownTo(),
                     cl->FixedGradientDownMirrorFrom(), cl->FixedGradientDownMirrorTo()}),
              k.Down);
    // Every look ends with standard scroll bars and a single border.
    EXPECT_EQ(g.ScrollType(), ssNormal);
    EXPECT_EQ(g.BorderStyle(), bsSingle);
    EXPECT_EQ(g.BorderColor(), TColor(0xB99D7F));
  }
}

TEST(GridLookPreset, NamesAndCaptions) {
  struct Case {
    TGridLook Look;
    const char* Name;
    const char* Caption;
  };
  const Case cases[] = {
      {glStandard, "glStandard", "Standard"}, {glSoft, "glSoft", "Soft"},
      {glClassic, "glClassic", "Classic"},    {glREZ, "glREZ", "REZ"},
      {glXP, "glXP", "Windows XP"},           {glListView, "glListView", "ListView"},
      {glVista, "glVista", "Windows Vista"},  {glWin7, "glWin7", "Windows 7"},
      {glOffice2007, "glOffice2007", "Office2007"}, {glCustom, "given", "given"},
  };
  for (const Case& k : cases) {
    QString name = QStringLiteral("given"), caption = QStringLiteral("given");
    TProStringGrid::LookToString(k.Look, name);
    TProStringGrid::LookToCaption(k.Look, caption);
    EXPECT_EQ(name, QLatin1String(k.Name));
    EXPECT_EQ(caption, QLatin1String(k.Caption));
  }
}

// A value outside an enumeration is refused and the grid stays as it was.
TEST(GridLookPreset, ValuesOutsideTheirEnumerationAreRefused) {
  TProStringGrid g(nullptr);
  g.SetSelectionColor(clRed);
  g.SetScrollType(ssMetro);
  g.SetActiveCellColor(clLime);
  g.SortSettings()->SetHeaderColor(clLime);
  const TColor rez = g.REZGradientFrom(), hover = g.ControlLook()->FixedGradientHoverFrom();
  const auto unchanged = [&] {
    EXPECT_EQ(g.Look(), glXP);
    EXPECT_EQ(g.SelectionColor(), clRed);
    EXPECT_EQ(g.ActiveCellColor(), clLime);
    EXPECT_EQ(g.SortSettings()->HeaderColor(), clLime);
    EXPECT_EQ(g.REZGradientFrom(), rez);
    EXPECT_EQ(g.ControlLook()->FixedGradientHoverFrom(), hover);
    EXPECT_EQ(g.ScrollType(), ssMetro);
    EXPECT_EQ(g.ComponentStyle(), tsCustom);
  };
  struct Case {
    std::function<void()> Set;
    const char* Message;
  };
  const Case cases[] = {
      {[&] { g.SetLook(static_cast<TGridLook>(10)); }, "Invalid look value 10"},
      {[&] { g.SetLook(static_cast<TGridLook>(-1)); }, "Invalid look value -1"},
      {[&] { g.SetStyle(static_cast<TProGridStyle>(16)); }, "Invalid style value 16"},
      {[&] { g.SetStyle(static_cast<TProGridStyle>(-1)); }, "Invalid style value -1"},
      {[&] { g.SetComponentStyle(static_cast<TProStyle>(16)); }, "Invalid style value 16"},
      {[&] { g.SetComponentStyle(static_cast<TProStyle>(-3)); }, "Invalid style value -3"},
      {[&] { g.SetTheme(static_cast<TXPColorScheme>(5)); }, "Invalid colour scheme value 5"},
      {[&] { g.SetTheme(static_cast<TXPColorScheme>(-1)); }, "Invalid colour scheme value -1"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Message);
    try {
      k.Set();
      ADD_FAILURE() << "no error";
    } catch (const EProGridError& E) {
      EXPECT_EQ(E.Message(), QLatin1String(k.Message));
    }
    unchanged();
  }
}

// ---------------------------------------------------------------------------
// Display setters

TEST(GridDisplaySetters, URLColourRepaintsOnlyWhileURLsShow) {
  TCountingGrid g(nullptr);
  g.Invalidates = 0;
  g.SetURLColor(clRed);
  EXPECT_EQ(g.URLColor(), clRed);
  EXPECT_EQ(g.Invalidates, 0);
  g.SetURLShow(true);
  EXPECT_EQ(g.Invalidates, 1);
  g.SetURLColor(clGreen);
  EXPECT_EQ(g.Invalidates, 2);
  g.SetURLColor(clGreen);  // no change, no repaint
  EXPECT_EQ(g.Invalidates, 2);
}

TEST(GridDisplaySetters, HighlightColoursReachHighlightedTextOfAnyGrid) {
  auto restore = qScopeGuard([] { SetHTMLHighlightColors(clHighlight, clHighlightText); });
  TProStringGrid setter(nullptr), painter(nullptr);
  setter.SetHighlightColor(TColor(0x00FF00));
  setter.SetHighlightTextColor(TColor(0x0000FF));
  painter.SetColWidths(1, 200);
  painter.SetCells(1, 1, QStringLiteral("a<HI>bee</HI>c"));
  TRecordingCanvas rc(400, 300);
  painter.PaintCell(rc.Canvas(), 1, 1, painter.CellRect(1, 1), {});
  bool text = false, back = false;
  for (const TDrawRecord& r : rc.Records()) {
    if (r.Kind != dkText || r.Text != "bee") continue;
    text = r.TextColor == COLORREF(0x0000FF);
    back = r.BrushColor == COLORREF(0x00FF00);
  }
  EXPECT_TRUE(text);
  EXPECT_TRUE(back);
}

TEST(GridDisplaySetters, XYOffsetRepaintsAndTheUpdateStoresOnly) {
  TCountingGrid g(nullptr);
  g.Invalidates = 0;
  g.SetXYOffset(TPoint(3, 4));
  EXPECT_EQ(g.Invalidates, 1);
  g.UpdateXYOffset(5, 6);
  EXPECT_EQ(g.XYOffset(), TPoint(5, 6));
  EXPECT_EQ(g.Invalidates, 1);
}

// ---------------------------------------------------------------------------
// Styles

// The hover and pressed colours of the fixed cells: From, To, MirrorFrom,
// MirrorTo, Border; the sorted header colours: Color, To, Mirror, MirrorTo.
using TFive = std::array<TColor, 5>;
using THeader = std::array<TColor, 4>;

struct StyleCase {
  TGridLook Look;
  TColor REZFrom, REZTo, MirrorFrom, MirrorTo;
  TColor LookFrom, LookTo;              // the control look's pair afterwards
  TColor LookMirrorFrom, LookMirrorTo;  // and its mirror pair
  TColor ActiveFrom, ActiveTo;
  TColor Selection, SelectionTo, SelectionText;
  TGridSelectionStyle SelStyle;
  TColor GridLine, FixedLine;
  TColor FooterFrom, FooterTo;
  TFive Hover, Down;
  THeader Header;
};

// Starting from a fresh grid (glXP, white to button face).
TEST(GridStylePresets, EveryStyleWithEveryPropertyItSets) {
  const TColor N = clNone, white = 0xFFFFFF, face = RGB(clBtnFace);
  const TColor gold = 0x94E6FB, orange = 0x1595EE;
  // The fresh control look after Init, where a style leaves them.
  const TFive initHover = {0xFFFFFF, 0x808080, N, N, 0xC0C0C0};
  const TFive initDown = {0xC0C0C0, 0x808080, N, N, 0x808080};
  const THeader noHeader = {N, N, N, N};
  // Office 2007 Luna's, which the Office 2007 look applies first.
  const TFive lunaHover = {0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87};
  const TFive lunaDown = {0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D};
  // The three Office 2010 styles share them.
  const TFive o10Hover = {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8};
  const TFive o10Down = {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2};
  const THeader winHeader = {0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8};
  const std::map<TProGridStyle, StyleCase> cases = {
      {gsOffice2003Blue,
       {glXP, 0xFCE1CB, 0xE0A57D, N, N, 0xFCE1CB, 0xE0A57D, N, N, gold, orange, gold, orange, 0,
        ssDefault, 0xC0C0C0, 0x808080, 0xFCE1CB, N, initHover, initDown, noHeader}},
      {gsOffice2003Silver,
       {glXP, 0xECE2E1, 0xB39698, N, N, 0xECE2E1, 0xB39698, N, N, gold, orange, gold, orange, 0,
        ssDefault, 0xC0C0C0, 0x808080, 0xECE2E1, N, initHover, initDown, noHeader}},
      {gsOffice2003Olive,
       {glXP, 0xCFF0EA, 0x8CC0B1, N, N, 0xCFF0EA, 0x8CC0B1, N, N, gold, orange, gold, orange, 0,
        ssDefault, 0xC0C0C0, 0x808080, 0xCFF0EA, N, initHover, initDown, noHeader}},
      {gsOffice2003Classic,
       {glXP, white, 0xCCD4D8, N, N, N, N, N, N, 0xD8D5D4, 0xD8D5D4, clHighlight, N,
        clHighlightText, ssDefault, 0xC0C0C0, 0x808080, white, N, initHover, initDown, noHeader}},
      {gsOffice2007Luna,
       {glOffice2007, 0xFBF9F6, 0xE8DBD2, N, N, 0xFBF9F6, 0xE8DBD2, N, N, 0x9DD8F9, 0x5EC1F1,
        0x5EC1F1, N, 0, ssOffice2007, 0xF1EDEB, 0xD1BBA4, 0xFBF9F6, N, lunaHover, lunaDown,
        noHeader}},
      // The Office 2007 look applies Luna first: its selection style and its
      // hover and pressed colours stay where this style names none.
      {gsOffice2007Obsidian,
       {glOffice2007, 0xF7F7F7, 0xDEDEDE, N, N, 0xF7F7F7, 0xDEDEDE, N, N, 0x9DD8F9, 0x5EC1F1,
        0x5EC1F1, N, 0, ssOffice2007, 0xE5D7D0, 0x808080, 0xF7F7F7, N, lunaHover, lunaDown,
        noHeader}},
      {gsWindowsXP,
       {glXP, face, face, N, N, N, N, N, N, clBtnFace, clBtnFace, clHighlight, N, clHighlightText,
        ssDefault, 0xC0C0C0, 0x808080, clBtnFace, N, initHover, initDown, noHeader}},
      {gsWhidbey,
       {glXP, white, face, N, N, N, N, N, N, gold, orange, clHighlight, N, clHighlightText,
        ssDefault, 0xC0C0C0, 0x808080, white, N, initHover, initDown, noHeader}},
      {gsOffice2007Silver,
       {glOffice2007, 0xF3F3F1, 0xCAC9C8, N, N, 0xF3F3F1, 0xCAC9C8, N, N, 0x99CCFF, 0x699CFF,
        0x95C7F5, N, 0, ssOffice2007, 0xE5D7D0, 0x808080, 0xF3F3F1, N, lunaHover, lunaDown,
        noHeader}},
      // The control look's pair is cleared after the colours were passed on;
      // its mirror pair keeps them.
      {gsWindowsVista,
       {glVista, white, white, 0xFAF8F7, 0xF4F2F1, N, N, 0xFAF8F7, 0xF4F2F1, 0xFDF8F1, 0xFCEFD5,
        0xEACAB6, N, 0, ssVista, 0xECECF0, 0xD4D2D1, white, 0xF4F2F1,
        TFive{0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993},
        TFive{0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F}, winHeader}},
      {gsWindows7,
       {glWin7, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, N, N, 0xF4E6DC, 0xF7E9DD, 0xFCEBDC,
        0xFCDBC1, 0xEACAB6, N, 0, ssWin7, 0xECECF0, 0xD4D2D1, 0xFDFCFA, 0xF7E9DD,
        TFive{0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3},
        TFive{0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA}, winHeader}},
      {gsOffice2010Blue,
       {glOffice2007, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, N, N, 0xF5E7DA, 0xF5E7DA, 0x5BD5FF,
        0x71EFFF, 0xFFDBB7, N, 0, ssOffice2007, 0xC0C0C0, 0xC7B0A0, 0xF5E7DA, 0xF5E7DA, o10Hover,
        o10Down, THeader{0xD6CEC7, 0xD6CEC7, 0xD6CEC7, 0xD6CEC7}}},
      {gsOffice2010Silver,
       {glOffice2007, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, N, N, 0xE8E3DF, 0xE8E3DF, 0x5BD5FF,
        0x71EFFF, 0xFFDBB7, N, 0, ssOffice2007, 0xC0C0C0, 0xBAB5B1, 0xE8E3DF, 0xE8E3DF, o10Hover,
        o10Down, THeader{0xAAAAAA, 0xAAAAAA, 0xAAAAAA, 0xAAAAAA}}},
      {gsOffice2010Black,
       {glOffice2007, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, N, N, 0x6A6A6A, 0x6A6A6A, 0x5BD5FF,
        0x71EFFF, 0xFFDBB7, N, 0, ssOffice2007, 0xC0C0C0, 0x444444, 0x6A6A6A, 0x6A6A6A, o10Hover,
        o10Down, THeader{0xBABABA, 0xBABABA, 0xBABABA, 0xBABABA}}},
  };
  for (const auto& [style, k] : cases) {
    SCOPED_TRACE(style);
    TProStringGrid g(nullptr);
    g.SetStyle(style);
    TControlLook* cl = g.ControlLook();
    EXPECT_EQ(g.Look(), k.Look);
    EXPECT_EQ(g.REZGradientFrom(), RGB(k.REZFrom));
    EXPECT_EQ(g.REZGradientTo(), RGB(k.REZTo));
    EXPECT_EQ(g.REZGradientMirrorFrom(), RGB(k.MirrorFrom));
    EXPECT_EQ(g.REZGradientMirrorTo(), RGB(k.MirrorTo));
    EXPECT_EQ(cl->FixedGradientFrom(), k.LookFrom);
    EXPECT_EQ(cl->FixedGradientTo(), k.LookTo);
    EXPECT_EQ(cl->FixedGradientMirrorFrom(), k.LookMirrorFrom);
    EXPECT_EQ(cl->FixedGradientMirrorTo(), k.LookMirrorTo);
    EXPECT_EQ(g.ActiveCellColor(), k.ActiveFrom);
    EXPECT_EQ(g.ActiveCellColorTo(), k.ActiveTo);
    EXPECT_EQ(g.SelectionColor(), k.Selection);
    EXPECT_EQ(g.SelectionColorTo(), k.SelectionTo);
    EXPECT_EQ(g.SelectionTextColor(), k.SelectionText);
    EXPECT_EQ(g.SelectionStyle(), k.SelStyle);
    EXPECT_EQ(g.GridLineColor(), k.GridLine);
    EXPECT_EQ(g.GridFixedLineColor(), k.FixedLine);
    EXPECT_EQ(g.SearchFooter()->Color(), k.FooterFrom);
    EXPECT_EQ(g.SearchFooter()->ColorTo(), k.FooterTo);
    const TFive hover = {cl->FixedGradientHoverFrom(), cl->FixedGradientHoverTo(),
                         cl->FixedGradientHoverMirrorFrom(), cl->FixedGradientHoverMirrorTo(),
                         cl->FixedGradientHoverBorder()};
    const TFive down = {cl->FixedGradientDownFrom(), cl->FixedGradientDownTo(),
                        cl->FixedGradientDownMirrorFrom(), cl->FixedGradientDownMirrorTo(),
                        cl->FixedGradientDownBorder()};
    EXPECT_EQ(hover, k.Hover);
    EXPECT_EQ(down, k.Down);
    // Colours a style writes through the control look also reach the grid's own.
    if (k.Hover != initHover) {
      EXPECT_EQ((TFive{g.REZGradientHoverFrom, g.REZGradientHoverTo, g.REZGradientHoverMirrorFrom,
                       g.REZGradientHoverMirrorTo, g.REZGradientHoverBorder}),
                k.Hover);
      EXPECT_EQ((TFive{g.REZGradientDownFrom, g.REZGradientDownTo, g.REZGradientDownMirrorFrom,
                       g.REZGradientDownMirrorTo, g.REZGradientDownBorder}),
                k.Down);
    }
    const TSortSettings* ss = g.SortSettings();
    EXPECT_EQ((THeader{ss->HeaderColor(), ss->HeaderColorTo(), ss->HeaderMirrorColor(),
                       ss->HeaderMirrorColorTo()}),
              k.Header);
  }
  // Every style but Custom and Terminal, which have their own tests.
  EXPECT_EQ(cases.size(), 14u);
}

TEST(GridStylePresets, TerminalSetsTheStandardLookOnly) {
  TProStringGrid g(nullptr);
  g.SetStyle(gsTerminal);
  EXPECT_EQ(g.Look(), glStandard);
  EXPECT_EQ(g.FixedColor(), clBtnFace);
  EXPECT_EQ(g.SelectionColor(), clHighlight);
}

TEST(GridStylePresets, CustomOnlyResetsSelectionHeaderAndControlLook) {
  TProStringGrid g(nullptr);
  g.SetStyle(gsWindows7);
  g.SetSelectionColor(clRed);
  g.SetSelectionTextColor(clRed);
  g.ControlLook()->SetFixedGradientHoverFrom(clRed);
  const TColor rez = g.REZGradientFrom(), lines = g.GridLineColor(), active = g.ActiveCellColor(),
               footer = g.SearchFooter()->Color();
  g.SetStyle(gsCustom);
  EXPECT_EQ(g.SelectionColor(), clHighlight);
  EXPECT_EQ(g.SelectionTextColor(), clHighlightText);
  EXPECT_EQ(g.SelectionStyle(), ssDefault);
  EXPECT_EQ(g.SortSettings()->HeaderColor(), clNone);
  EXPECT_EQ(g.ControlLook()->FixedGradientHoverFrom(), TColor(0xFFFFFF));
  EXPECT_EQ(g.Look(), glWin7);
  EXPECT_EQ(g.REZGradientFrom(), rez);
  EXPECT_EQ(g.GridLineColor(), lines);
  EXPECT_EQ(g.ActiveCellColor(), active);
  EXPECT_EQ(g.SearchFooter()->Color(), footer);
}

TEST(GridStylePresets, VistaGivesWhiteFixedCellsWithALightGreyMirrorHalf) {
  TProStringGrid g(nullptr);
  g.SetLook(glVista);
  g.SetSelectionStyle(ssDefault);
  g.SetREZGradientFrom(clRed);
  g.SetStyle(gsWindowsVista);
  EXPECT_EQ(g.Look(), glVista);
  EXPECT_EQ(g.SelectionStyle(), ssVista);
  EXPECT_EQ(g.REZGradientFrom(), TColor(0xFFFFFF));
  EXPECT_EQ(g.REZGradientTo(), TColor(0xFFFFFF));
  EXPECT_EQ(g.REZGradientMirrorFrom(), TColor(0xFAF8F7));
  EXPECT_EQ(g.REZGradientMirrorTo(), TColor(0xF4F2F1));
}

TEST(GridStylePresets, ComponentStyleLeavesMetroScrollBarsExceptForCustom) {
  struct Case {
    TProStyle Style;
    TScrollType After;
  };
  const Case cases[] = {{tsWindowsXP, ssNormal}, {tsCustom, ssMetro}, {tsOffice2010Blue, ssNormal}};
  for (const Case& k : cases) {
    TCountingGrid g(nullptr);
    g.SetScrollType(ssMetro);
    g.SetComponentStyle(k.Style);
    EXPECT_EQ(g.ScrollType(), k.After) << k.Style;
    EXPECT_EQ(g.ComponentStyle(), k.Style);
    ASSERT_FALSE(g.Styles.empty());
    EXPECT_EQ(int(g.Styles.front()), int(k.Style));
  }
}

// ---------------------------------------------------------------------------
// Colour tones

TEST(GridColorTones, FlatLookGlyphsEditorsAndFooters) {
  TProStringGrid g(nullptr);
  TGridSpin* spin = g.SpinEdit();
  ASSERT_NE(g.EditCombo(), nullptr);
  TColorTones t;
  t.Background = {TColor(0xFAFAFA), TColor(0xB0B0B0), TColor(0x202020)};
  t.Foreground = {TColor(0x808080), TColor(0x707070), TColor(0xFFFFFF)};
  t.Selected = {TColor(0xE0A040), TColor(0xC08020), TColor(0x101010)};
  t.Hover = {TColor(0xF0D0A0), TColor(0xE0C090), TColor(0x303030)};
  g.SetColorTones(t);

  EXPECT_EQ(g.Look(), glClassic);
  EXPECT_TRUE(g.Flat());
  EXPECT_EQ(g.ScrollType(), ssMetro);
  EXPECT_EQ(g.FixedColor(), t.Foreground.BrushColor);
  EXPECT_EQ(g.FixedFont()->Color(), t.Foreground.TextColor);
  EXPECT_EQ(g.FixedFont()->Name(), GetDefaultFontName());
  EXPECT_EQ(g.Font()->Name(), GetDefaultFontName());
  EXPECT_EQ(g.Color(), t.Background.BrushColor);
  EXPECT_EQ(g.Font()->Color(), t.Background.TextColor);
  EXPECT_EQ(g.SelectionColor(), t.Selected.BrushColor);
  EXPECT_EQ(g.SelectionTextColor(), t.Selected.TextColor);
  EXPECT_EQ(g.SelectionColorTo(), clNone);
  EXPECT_EQ(g.GridLineColor(), TColor(0xE6E6E6));
  // 20 percent darker than the foreground: $80 * 0.8 = $66.
  EXPECT_EQ(g.GridFixedLineColor(), TColor(0x666666));
  EXPECT_EQ(g.BorderStyle(), bsNone);

  TControlLook* cl = g.ControlLook();
  EXPECT_EQ(cl->ControlStyle(), csGlyph);
  EXPECT_TRUE(cl->FlatButton());
  for (TBitmap* b : {cl->CheckedGlyph(), cl->UnCheckedGlyph(), cl->RadioOnGlyph(), cl->RadioOffGlyph()}) {
    EXPECT_EQ(b->Width(), 16);
    EXPECT_EQ(b->Height(), 16);
  }
  EXPECT_EQ(g.FloatingFooter()->Color(), t.Foreground.BrushColor);
  EXPECT_EQ(g.SearchFooter()->Color(), t.Foreground.BrushColor);
  EXPECT_EQ(g.SearchFooter()->ColorTo(), t.Foreground.BrushColor);
  EXPECT_EQ(g.CellNode()->NodeType(), cnFlat);
  EXPECT_EQ(g.ColorTones().Hover.BrushColor, t.Hover.BrushColor);

  // The inline editors that exist take the button colours.
  TPsgSpinButton* sb = spin->Button();
  EXPECT_EQ(sb->ButtonColor(), t.Background.BrushColor);
  EXPECT_EQ(sb->ButtonColorHot(), t.Hover.BrushColor);
  EXPECT_EQ(sb->ButtonColorDown(), t.Selected.BrushColor);
  EXPECT_EQ(sb->ButtonBorderColor(), t.Background.BorderColor);
  TGridCombo* combo = g.EditCombo();
  EXPECT_EQ(combo->ButtonColor, t.Background.BrushColor);
  EXPECT_EQ(combo->ButtonColorHot, t.Hover.BrushColor);
  EXPECT_EQ(combo->ButtonColorDown, t.Selected.BrushColor);
  EXPECT_EQ(combo->ButtonBorderColor, t.Background.BorderColor);
  EXPECT_EQ(combo->BorderColor(), g.Color());
  EXPECT_TRUE(combo->Flat());
  // So do the edit-with-button, unit and date editors; the date editor also
  // takes the metro look and the background as its border.
  for (TPsgButtonHost* b : {static_cast<TPsgButtonHost*>(g.EditBtn()->Button()),
                            static_cast<TPsgButtonHost*>(g.UnitEditBtn()->Button())}) {
    EXPECT_EQ(b->ButtonColor(), t.Background.BrushColor);
    EXPECT_EQ(b->ButtonColorHot(), t.Hover.BrushColor);
    EXPECT_EQ(b->ButtonColorDown(), t.Selected.BrushColor);
    EXPECT_EQ(b->ButtonBorderColor(), t.Background.BorderColor);
  }
  TGridDatePicker* dp = g.DateEditor();
  EXPECT_EQ(dp->ButtonColor(), t.Background.BrushColor);
  EXPECT_EQ(dp->ButtonColorHot(), t.Hover.BrushColor);
  EXPECT_EQ(dp->ButtonColorDown(), t.Selected.BrushColor);
  EXPECT_EQ(dp->ButtonBorderColor(), t.Background.BorderColor);
  EXPECT_EQ(dp->BorderColor(), t.Background.BrushColor);
  EXPECT_TRUE(dp->MetroStyle());
}

// ---------------------------------------------------------------------------
// XP schemes

TEST(GridXPSchemes, EverySchemeAsATable) {
  struct Case {
    TXPColorScheme Scheme;
    TColor From, To, MirrorFrom, MirrorTo, ActiveFrom, ActiveTo, LookFrom, LookTo, FooterFrom,
        FooterTo;
  };
  const TColor N = clNone, gold = 0x94E6FB, orange = 0x1595EE;
  const Case cases[] = {
      {xpNone, 0xFFFFFF, RGB(clBtnFace), N, N, 0xFFFFFF, 0xFFD9B3, N, N, 0xFFFFFF, 0xFFD9B3},
      {xpBlue, 0xFCE1CB, 0xE0A57D, N, N, gold, orange, 0xFCE1CB, 0xE0A57D, 0xFCE1CB, 0xE0A57D},
      {xpGreen, 0xCFF0EA, 0x8CC0B1, N, N, gold, orange, 0xCFF0EA, 0x8CC0B1, 0xCFF0EA, 0x8CC0B1},
      {xpGray, 0xECE2E1, 0xB39698, N, N, gold, orange, 0xECE2E1, 0xB39698, 0xECE2E1, 0xB39698},
      {vistaAero, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, gold, orange, 0xFFFFFF, 0xFFFFFF,
       0xECE2E1, 0xB39698},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Scheme);
    TProStringGrid g(nullptr);
    g.SetTheme(k.Scheme);
    EXPECT_EQ(g.REZGradientFrom(), k.From);
    EXPECT_EQ(g.REZGradientTo(), k.To);
    EXPECT_EQ(g.REZGradientMirrorFrom(), RGB(k.MirrorFrom));
    EXPECT_EQ(g.REZGradientMirrorTo(), RGB(k.MirrorTo));
    EXPECT_EQ(g.ActiveCellColor(), k.ActiveFrom);
    EXPECT_EQ(g.ActiveCellColorTo(), k.ActiveTo);
    EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), k.LookFrom);
    EXPECT_EQ(g.ControlLook()->FixedGradientTo(), k.LookTo);
    EXPECT_EQ(g.SearchFooter()->Color(), k.FooterFrom);
    EXPECT_EQ(g.SearchFooter()->ColorTo(), k.FooterTo);
  }
}

// ---------------------------------------------------------------------------
// Office-theme adaptation

const QString k14 = "Software\\Microsoft\\Office\\14.0\\Common";
const QString k12 = "Software\\Microsoft\\Office\\12.0\\Common";

// A registry of the current user with the keys and "Theme" values a test sets;
// it never announces a change.
class TThemeRegistry : public IRegistryStore {
 public:
  std::map<QString, std::map<QString, uint32_t>> Keys;
  bool KeyExists(HKEY Root, const QString& Key) override {
    std::lock_guard<std::mutex> l(Lock);
    return Root == HKEY_CURRENT_USER && Keys.count(Key) > 0;
  }
  bool ReadDWord(HKEY Root, const QString& Key, const QString& Name, uint32_t& Value) override {
    std::lock_guard<std::mutex> l(Lock);
    if (Root != HKEY_CURRENT_USER || Keys.count(Key) == 0) return false;
    auto it = Keys[Key].find(Name);
    if (it == Keys[Key].end()) return false;
    Value = it->second;
    return true;
  }
  bool NotifyChange(HKEY, const QString&, bool, int, std::function<void()>) override { return false; }
  void Set(const QString& Key, int Theme) {
    std::lock_guard<std::mutex> l(Lock);
    Keys.clear();
    Keys[Key + "\\General"];
    Keys[Key]["Theme"] = uint32_t(Theme);
  }
  void Clear() {
    std::lock_guard<std::mutex> l(Lock);
    Keys.clear();
  }
  std::mutex Lock;
};

class GridThemeAdapt : public testing::Test {
 protected:
  TScopedThemeFakes<TThemeRegistry> Fakes;
  TThemeRegistry* Reg = Fakes.Reg;
  TFakeStyles* Styles = Fakes.Styles;
};

TEST_F(GridThemeAdapt, EachSchemeOnceAndOnlyOnChange) {
  struct Case {
    const char* Name;
    std::function<void()> Force;
    TProGridStyle Expected;
  };
  const Case cases[] = {
      {"0 luna", [&] { Reg->Clear(); Styles->Active = true; Styles->ColorName = "NormalColor"; },
       gsOffice2003Blue},
      {"1 metallic", [&] { Reg->Clear(); Styles->ColorName = "Metallic"; }, gsOffice2003Silver},
      {"2 homestead", [&] { Reg->Clear(); Styles->ColorName = "HomeStead"; }, gsOffice2003Olive},
      {"3 classic", [&] { Reg->Clear(); Styles->Active = false; }, gsOffice2003Classic},
      {"4 2007 blue", [&] { Reg->Set(k12, 1); }, gsOffice2007Luna},
      {"5 2007 silver", [&] { Reg->Set(k12, 2); }, gsOffice2007Silver},
      {"6 2007 black", [&] { Reg->Set(k12, 3); }, gsOffice2007Obsidian},
      {"7 2010 blue", [&] { Reg->Set(k14, 1); }, gsOffice2010Blue},
      {"8 2010 silver", [&] { Reg->Set(k14, 2); }, gsOffice2010Silver},
      {"9 2010 black", [&] { Reg->Set(k14, 3); }, gsOffice2010Black},
  };
  TCountingGrid g(nullptr);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    k.Force();
    g.Styles.clear();
    g.AdaptToTheme();
    ASSERT_FALSE(g.Styles.empty());
    EXPECT_EQ(g.Styles.front(), k.Expected);
    // The same scheme again: nothing.
    g.Styles.clear();
    g.AdaptToTheme();
    EXPECT_TRUE(g.Styles.empty());
  }
}

TEST_F(GridThemeAdapt, AutoThemeAdaptRegistersWithTheNotifier) {
  Reg->Set(k12, 2);
  TShownForm f;
  auto* g = new TCountingGrid(f.Form);
  g->SetParent(f.Form);
  f.Show();
  g->SetAutoThemeAdapt(true);
  // Applied at once.
  ASSERT_FALSE(g->Styles.empty());
  EXPECT_EQ(g->Styles.front(), gsOffice2007Silver);
  EXPECT_TRUE(g->SearchFooter()->AutoThemeAdapt());
  TThemeNotifier* n = GetThemeNotifier(nullptr);
  ASSERT_NE(n->RegMonitorThread(), nullptr);
  EXPECT_TRUE(n->RegMonitorThread()->HasWindow(g->Handle()));
  // The notifier's message adapts the grid to the new scheme.
  Reg->Set(k14, 3);
  g->Styles.clear();
  g->Perform(WM_OFFICETHEMECHANGE, 0, 0);
  ASSERT_FALSE(g->Styles.empty());
  EXPECT_EQ(g->Styles.front(), gsOffice2010Black);
  g->SetAutoThemeAdapt(false);
  EXPECT_FALSE(n->RegMonitorThread()->HasWindow(g->Handle()));
  // Switched off, the message changes nothing.
  Reg->Set(k14, 1);
  g->Styles.clear();
  g->Perform(WM_OFFICETHEMECHANGE, 0, 0);
  EXPECT_TRUE(g->Styles.empty());
}

// A grid read from a window definition follows the theme once loaded.
class TLoadingGrid : public TCountingGrid {
 public:
  using TCountingGrid::TCountingGrid;
  void Load() {
    IncludeState(csLoading);
    SetAutoThemeAdapt(true);
    ExcludeState(csLoading);
    Loaded();
  }
};

TEST_F(GridThemeAdapt, LoadingRegistersTheGridWithTheNotifier) {
  Reg->Set(k14, 2);
  TShownForm f;
  auto* g = new TLoadingGrid(f.Form);
  g->SetParent(f.Form);
  f.Show();
  g->Load();
  ASSERT_FALSE(g->Styles.empty());
  EXPECT_EQ(g->Styles.front(), gsOffice2010Silver);
  TThemeNotifier* n = GetThemeNotifier(nullptr);
  ASSERT_NE(n->RegMonitorThread(), nullptr);
  EXPECT_TRUE(n->RegMonitorThread()->HasWindow(g->Handle()));
  g->SetAutoThemeAdapt(false);
  EXPECT_FALSE(n->RegMonitorThread()->HasWindow(g->Handle()));
}

// ---------------------------------------------------------------------------
// Focus glow

class GridFocusGlow : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(20, 30, 400, 250);
    G->SetColCount(5);
    G->SetOptions(G->Options() + goEditing);
    G->FocusHelper()->SetEnabled(true);
    F.Show();
    G->SetFocus();
    G->SetCol(2);
    G->SetRow(3);
  }
  void Open() { PressKey(G, Qt::Key_F2); }
  TShownForm F{520, 360};
  TProStringGrid* G = nullptr;
};

TEST_F(GridFocusGlow, OpeningAnEditorShowsTheRingAroundTheCell) {
  EXPECT_EQ(G->FocusWindow(), nullptr);
  Open();
  ASSERT_TRUE(G->EditorMode());
  TGridFocusWindow* w = G->FocusWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(TProStringGrid::FocusGlowGrid(), G);
  const TRect cell = G->CellRect(2, 3);
  const TPoint at = G->ClientToScreen(TPoint(cell.Left, cell.Top));
  EXPECT_TRUE(w->Visible());
  EXPECT_EQ(w->Left(), at.X - 4);
  EXPECT_EQ(w->Top(), at.Y - 4);
  EXPECT_EQ(w->Width(), cell.Width() + 9);
  EXPECT_EQ(w->Height(), cell.Height() + 9);
  EXPECT_TRUE(w->WindowExStyle() & WS_EX_LAYERED);
  // Only the ring shows: 4 pixels left and top, 5 right and bottom.
  const QRegion mask = w->View()->mask();
  EXPECT_EQ(mask, QRegion(0, 0, w->Width(), w->Height()) -
                      QRegion(4, 4, cell.Width(), cell.Height()));
  // The picture: the glow colour, shown at opacity 230.
  TGridAlphaMask* pic = G->FocusGlowPicture();
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->Opacity(), 230);
  int strongest = 0, sx = 0, sy = 0;
  for (int y = 0; y < pic->Height(); ++y)
    for (int x = 0; x < pic->Width(); ++x)
      if (pic->ScanLine(y)[4 * x + 3] > strongest) {
        strongest = pic->ScanLine(y)[4 * x + 3];
        sx = x;
        sy = y;
      }
  ASSERT_GT(strongest, 40);
  const Byte* px = pic->ScanLine(sy) + 4 * sx;
  // $FDD397 is blue $FD, green $D3, red $97; the bytes run blue, green, red.
  EXPECT_NEAR(px[0] * 255 / strongest, 0xFD, 4);
  EXPECT_NEAR(px[1] * 255 / strongest, 0xD3, 4);
  EXPECT_NEAR(px[2] * 255 / strongest, 0x97, 4);
  // The glow takes no focus.
  EXPECT_NE(GetFocus(), w->Handle());
  EXPECT_TRUE(w->View()->windowFlags() & Qt::WindowDoesNotAcceptFocus);
  EXPECT_TRUE(w->WindowStyle() & WS_DISABLED);
}

TEST_F(GridFocusGlow, FollowsTheFormAndHidesOnValidation) {
  Open();
  TGridFocusWindow* w = G->FocusWindow();
  ASSERT_NE(w, nullptr);
  const int left = w->Left(), top = w->Top();
  F.Form->SetBounds(F.Form->Left() + 30, F.Form->Top() + 12, F.Form->Width(), F.Form->Height());
  EXPECT_EQ(w->Left(), left + 30);
  EXPECT_EQ(w->Top(), top + 12);
  TypeKeys(G, QStringLiteral("x"));
  PressKey(G, Qt::Key_Return);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_FALSE(w->Visible());
  EXPECT_EQ(TProStringGrid::FocusGlowGrid(), nullptr);
  // With no grid editing, moves leave the window where it is.
  const int hiddenLeft = w->Left();
  F.Form->SetBounds(F.Form->Left() + 10, F.Form->Top(), F.Form->Width(), F.Form->Height());
  EXPECT_EQ(w->Left(), hiddenLeft);
}

TEST_F(GridFocusGlow, NoGlowWithoutTheFocusHelper) {
  G->FocusHelper()->SetEnabled(false);
  Open();
  ASSERT_TRUE(G->EditorMode());
  EXPECT_EQ(G->FocusWindow(), nullptr);
  EXPECT_EQ(TProStringGrid::FocusGlowGrid(), nullptr);
}

// ---------------------------------------------------------------------------
// Pictures

// Fills a small grid with a header, a sorted column, an active cell and a
// selected block, so that a look shows its fixed, sorted, active and selected
// colours.
void FillSampleGrid(TProStringGrid* G) {
  G->SetColCount(5);
  G->SetRowCount(7);
  G->SetDefaultRowHeight(20);
  const int widths[] = {24, 64, 48, 56, 52};
  for (int c = 0; c < 5; ++c) G->SetColWidths(c, widths[c]);
  const char* header[] = {"", "Name", "Qty", "Price", "Code"};
  const char* names[] = {"Apples", "Pears", "Plums", "Figs", "Limes", "Dates"};
  for (int c = 1; c < 5; ++c) G->SetCells(c, 0, QLatin1String(header[c]));
  for (int r = 1; r < 7; ++r) {
    G->SetCells(0, r, QString::number(r));
    G->SetCells(1, r, QLatin1String(names[r - 1]));
    G->SetCells(2, r, QString::number(r * 7 % 11));
    G->SetCells(3, r, QStringLiteral("%1.50").arg(r * 3));
    G->SetCells(4, r, QStringLiteral("K-%1").arg(100 + r));
  }
  G->SetActiveCellShow(true);
  G->SortSettings()->SetShow(true);
  G->SortSettings()->SetColumn(2);
  G->SetSelection(TGridRect{2, 2, 3, 4});
}

// One small grid in each of the ten looks and each of the sixteen styles,
// labelled, on one sheet; written to ZIDI_SCREENSHOT_DIR when that names a
// folder. Each grid starts fresh, so a style that keeps colours (Custom) shows
// what it keeps of a new grid.
TEST(GridLookSheet, EveryLookAndEveryStyleOnOneSheet) {
  struct Tile {
    QString Name;
    std::function<void(TProStringGrid*)> Apply;
  };
  std::vector<Tile> tiles;
  for (int l = glStandard; l <= glCustom; ++l) {
    QString name = QStringLiteral("glCustom");
    TProStringGrid::LookToString(TGridLook(l), name);
    // Through glCustom, so that a new grid's own look (glXP) is applied too.
    tiles.push_back({QStringLiteral("Look ") + name, [l](TProStringGrid* G) {
                       G->SetLook(glCustom);
                       G->SetLook(TGridLook(l));
                     }});
  }
  const char* styles[] = {"Office2003Blue",   "Office2003Silver", "Office2003Olive",
                          "Office2003Classic", "Office2007Luna",  "Office2007Obsidian",
                          "WindowsXP",         "Whidbey",         "Custom",
                          "Office2007Silver",  "WindowsVista",    "Windows7",
                          "Terminal",          "Office2010Blue",  "Office2010Silver",
                          "Office2010Black"};
  static_assert(std::size(styles) == gsOffice2010Black + 1);
  for (int st = gsOffice2003Blue; st <= gsOffice2010Black; ++st)
    tiles.push_back({QStringLiteral("Style gs") + QLatin1String(styles[st]),
                     [st](TProStringGrid* G) { G->SetStyle(TProGridStyle(st)); }});
  ASSERT_EQ(tiles.size(), 26u);

  // The grid shows all its cells without scroll bars.
  const int gw = 264, gh = 164, label = 18, gap = 10, across = 6;
  const int downs = (int(tiles.size()) + across - 1) / across;
  QImage sheet(gap + across * (gw + gap), gap + downs * (label + gh + gap), QImage::Format_RGB32);
  sheet.fill(QColor(0xF0, 0xF0, 0xF0));
  QPainter p(&sheet);
  QFont font = p.font();
  font.setPixelSize(12);
  p.setFont(font);
  TShownForm f{gw + 20, gh + 20};
  f.Show();
  std::set<QByteArray> distinct;
  for (int i = 0; i < int(tiles.size()); ++i) {
    SCOPED_TRACE(tiles[i].Name.toStdString());
    auto* g = new TProStringGrid(f.Form);
    g->SetParent(f.Form);
    g->SetBounds(0, 0, gw, gh);
    FillSampleGrid(g);
    tiles[i].Apply(g);
    // Focused, so that the selection styles show their focused colours.
    g->SetFocus();
    QApplication::processEvents();
    const QImage shot = GrabControl(g).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(gw, gh));
    distinct.insert(QByteArray(reinterpret_cast<const char*>(shot.constBits()), shot.sizeInBytes()));
    const int x = gap + (i % across) * (gw + gap), y = gap + (i / across) * (label + gh + gap);
    p.setPen(Qt::black);
    p.drawText(QRect(x, y, gw, label), Qt::AlignLeft | Qt::AlignVCenter, tiles[i].Name);
    p.drawImage(x, y + label, shot);
    delete g;
  }
  p.end();
  // The presets show: hardly two of them look alike (the custom look and
  // style keep a new grid's colours, and some styles share their look's).
  EXPECT_GE(distinct.size(), 20u);
  const QString dir = qEnvironmentVariable("ZIDI_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    EXPECT_TRUE(sheet.save(dir + QStringLiteral("/grid-looks-and-styles.png"), "PNG"));
  }
}

// The glow around an edited cell: as the screen shows it (a build without
// per-pixel translucency may show it otherwise) and as the glow picture
// blended over the grid, side by side and enlarged; written to
// ZIDI_SCREENSHOT_DIR when that names a folder.
TEST_F(GridFocusGlow, APictureOfTheGlow) {
  G->SetCells(2, 3, QStringLiteral("edited"));
  Open();
  TGridFocusWindow* w = G->FocusWindow();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(w->Visible());
  QApplication::processEvents();
  const TRect cell = G->CellRect(2, 3);
  // The area around the cell, 20 pixels each way.
  const TRect area(cell.Left - 20, cell.Top - 20, cell.Right + 20, cell.Bottom + 20);
  const TPoint at = G->ClientToScreen(TPoint(area.Left, area.Top));
  QImage screen = QGuiApplication::primaryScreen()
                      ->grabWindow(0, at.X, at.Y, area.Width(), area.Height())
                      .toImage()
                      .convertToFormat(QImage::Format_RGB32);
  // The grid with the glow window's own picture blended over it, cut to the
  // window's region.
  QImage blended = GrabControl(G).convertToFormat(QImage::Format_RGB32);
  {
    QPainter p(&blended);
    const TPoint wAt = G->ScreenToClient(TPoint(w->Left(), w->Top()));
    p.setClipRegion(w->View()->mask().translated(wAt.X, wAt.Y));
    p.drawImage(wAt.X, wAt.Y, GrabControl(w));
  }
  blended = blended.copy(area.Left, area.Top, area.Width(), area.Height());
  // The ring is the glow's colour: more blue than red, where the cell's
  // neighbours are white, grey or black.
  const QRgb ring = blended.pixel(20 - 2, 20 + cell.Height() / 2);
  EXPECT_GT(qBlue(ring), qRed(ring) + 20) << std::hex << ring;
  const int zoom = 4, label = 18;
  QImage sheet(2 * area.Width() * zoom + 30, area.Height() * zoom + label + 20, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  p.drawText(QRect(10, 4, area.Width() * zoom, label), Qt::AlignLeft, QStringLiteral("On the screen"));
  p.drawText(QRect(20 + area.Width() * zoom, 4, area.Width() * zoom, label), Qt::AlignLeft,
             QStringLiteral("Glow picture over the grid"));
  if (!screen.isNull())
    p.drawImage(QRect(10, label + 8, area.Width() * zoom, area.Height() * zoom), screen);
  p.drawImage(QRect(20 + area.Width() * zoom, label + 8, area.Width() * zoom, area.Height() * zoom),
              blended);
  p.end();
  const QString dir = qEnvironmentVariable("ZIDI_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    EXPECT_TRUE(sheet.save(dir + QStringLiteral("/grid-focus-glow.png"), "PNG"));
  }
}

}  // namespace
