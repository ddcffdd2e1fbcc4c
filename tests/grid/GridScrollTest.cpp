// The string grid's scroll bars and scrolling: scroll types and their bad
// values, the scroll hint and synchronous scrolling, proportional thumbs, the
// flat bars through a fake of the common controls, drag scrolling driven by
// timer ticks, the in-cell scroll bar, bringing a cell into view, the search
// footer and the dialog code.
#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QTest>
#include <cmath>

#include "grid/ProGrid.h"
#include "grid/ProGrid_ScrollControl.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WinApi.h"
#include "platform/widgets/StdCtrls.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// A borderless grid of 10 columns and 50 rows, 400 x 300 pixels, on a shown form.
class GridScroll : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 400, 300);
    G->SetColCount(10);
    G->SetRowCount(50);
    F.Show();
  }
  LRESULT VScroll(int Code, int Pos = 0, LPARAM Bar = 0) {
    return G->Perform(WM_VSCROLL, MAKEWPARAM(Code, Pos), Bar);
  }
  LRESULT HScroll(int Code, int Pos = 0) { return G->Perform(WM_HSCROLL, MAKEWPARAM(Code, Pos), 0); }
  TShownForm F{500, 400};
  TProStringGrid* G = nullptr;
};

TEST_F(GridScroll, ScrollInViewCentresOnlyACellOutOfView) {
  G->SetRow(3);
  G->ScrollInView(2, 4);
  EXPECT_EQ(G->TopRow(), 1);
  EXPECT_EQ(G->LeftCol(), 1);
  EXPECT_EQ(G->Row(), 3);  // a visible cell does not become current
  const int vis = G->VisibleRowCount();
  G->ScrollInView(2, 30);
  EXPECT_EQ(G->Row(), 30);
  EXPECT_EQ(G->TopRow(), 30 - vis / 2);
  EXPECT_EQ(G->LeftCol(), 1);
  // Beyond the grid nothing happens.
  G->ScrollInView(10, 5);
  G->ScrollInView(3, 50);
  EXPECT_EQ(G->Row(), 30);
  EXPECT_EQ(G->TopRow(), 30 - vis / 2);
}

TEST_F(GridScroll, MetroBarsReplaceTheWindowsBarsAndGoBack) {
  G->SetScrollType(ssMetro);
  EXPECT_EQ(G->ScrollBars(), ssNone);
  TScrollControl* v = G->MetroScrollBar(true);
  TScrollControl* h = G->MetroScrollBar(false);
  ASSERT_NE(v, nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(v->Width(), 6);
  EXPECT_EQ(v->Align(), alRight);
  EXPECT_EQ(h->Height(), 6);
  EXPECT_EQ(h->Align(), alBottom);
  EXPECT_TRUE(v->Visible() && h->Visible());
  EXPECT_EQ(v->Parent(), G);
  G->SetScrollType(ssNormal);
  EXPECT_EQ(G->MetroScrollBar(true), nullptr);
  EXPECT_EQ(G->MetroScrollBar(false), nullptr);
  EXPECT_EQ(G->ScrollBars(), ssBoth);
}

TEST(GridScrollTypes, ATypeSetBeforeTheWindowTakesEffectWhenItComes) {
  TShownForm f;
  auto* g = new TProStringGrid(f.Form);
  g->SetScrollType(ssMetro);
  EXPECT_EQ(g->MetroScrollBar(true), nullptr);
  g->SetScrollBars(ssNone);
  g->SetParent(f.Form);
  f.Show();
  ASSERT_NE(g->MetroScrollBar(true), nullptr);
  EXPECT_EQ(g->MetroScrollBar(false)->Height(), 6);
}

TEST_F(GridScroll, BadScrollSettingsAreRefusedAndChangeNothing) {
  G->SetScrollType(ssMetro);
  for (int bad : {-1, 4, 99}) {
    try {
      G->SetScrollType(TScrollType(bad));
      ADD_FAILURE() << "no error for " << bad;
    } catch (const EProGridError& e) {
      EXPECT_EQ(e.Message(), QStringLiteral("Invalid scroll type %1").arg(bad));
    }
    EXPECT_EQ(G->ScrollType(), ssMetro);
    EXPECT_EQ(G->ScrollBars(), ssNone);
    EXPECT_NE(G->MetroScrollBar(true), nullptr);
  }
  for (int bad : {-1, -40}) {
    try {
      G->SetScrollWidth(bad);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const EProGridError& e) {
      EXPECT_EQ(e.Message(), QStringLiteral("Invalid scroll width %1: it cannot be negative").arg(bad));
    }
    EXPECT_EQ(G->ScrollWidth(), 17);
  }
  G->SetScrollWidth(0);
  EXPECT_EQ(G->ScrollWidth(), 0);
}

TEST_F(GridScroll, TheThumbHintShowsTheRowAndGoesAtTheEnd) {
  G->SetScrollHints(shVertical);
  const int r = MulDiv(64, 50 - G->VisibleRowCount() - 1, 127) + 1;
  VScroll(SB_THUMBTRACK, 64);
  ASSERT_NE(G->ScrollHintWindow(), nullptr);
  EXPECT_TRUE(G->ScrollHintShown());
  EXPECT_TRUE(G->ScrollHintWindow()->Visible());
  EXPECT_EQ(G->ScrollHintWindow()->Caption(), QStringLiteral("Row : %1").arg(r));
  EXPECT_EQ(G->TopRow(), 1);  // without ScrollSynch the grid waits for the release
  // The application may change the text; the number it gets is the row.
  int asked = -1;
  G->OnScrollHint = [&](TObject*, int ARow, QString& Text) {
    asked = ARow;
    Text = QStringLiteral("<b>%1</b>").arg(ARow);
  };
  VScroll(SB_THUMBTRACK, 127);
  EXPECT_EQ(asked, 50 - G->VisibleRowCount());
  EXPECT_EQ(G->ScrollHintWindow()->Caption(), QStringLiteral("<b>%1</b>").arg(asked));
  VScroll(SB_ENDSCROLL);
  EXPECT_FALSE(G->ScrollHintShown());
  EXPECT_FALSE(G->ScrollHintWindow()->Visible());
  // A horizontal thumb shows no hint with shVertical, a column with shBoth.
  asked = -1;
  HScroll(SB_THUMBTRACK, 127);
  EXPECT_FALSE(G->ScrollHintShown());
  G->OnScrollHint = nullptr;
  G->SetScrollHints(shBoth);
  HScroll(SB_THUMBTRACK, 0);
  EXPECT_EQ(G->ScrollHintWindow()->Caption(), "Col : 1");
  HScroll(SB_ENDSCROLL);
  EXPECT_FALSE(G->ScrollHintShown());
}

TEST_F(GridScroll, ScrollSynchFollowsTheThumb) {
  G->SetScrollSynch(true);
  VScroll(SB_THUMBTRACK, 64);
  EXPECT_EQ(G->TopRow(), MulDiv(64, 50 - G->VisibleRowCount() - 1, 127) + 1);
  HScroll(SB_THUMBTRACK, 127);
  EXPECT_EQ(G->LeftCol(), 10 - G->VisibleColCount());
}

TEST_F(GridScroll, ProportionalThumbsFollowTheFormulas) {
  // Rows of 24 and a 1-pixel line: fixed 1 + 25, total 1 + 49 * 25 = 1226 in a
  // 300-pixel grid: v = 274 / 1226, nMax = round((v + 127) / (1 - v)) = 164.
  G->SetDefaultRowHeight(24);
  ASSERT_EQ(G->RowHeights(0), 24);
  G->SetScrollProportional(true);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(G->Handle(), SB_VERT, &si));
  EXPECT_EQ(si.nMax, 164);
  EXPECT_EQ(si.nPage, 38u);
  EXPECT_EQ(si.nPos, 0);
  // Columns of 64: fixed 66, total 586 in 400 pixels: nMax 297, nPage 171.
  si = SCROLLINFO();
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(G->Handle(), SB_HORZ, &si));
  EXPECT_EQ(si.nMax, 297);
  EXPECT_EQ(si.nPage, 171u);
  EXPECT_EQ(si.nPos, 1);  // 1 / 186 * 128 rounded
  // Ten rows further down: above = 1 + 10 * 25, position 251 / 926 * 128.
  G->SetTopRow(11);
  G->SetScrollProportional(true);
  si = SCROLLINFO();
  si.fMask = SIF_ALL;
  GetScrollInfo(G->Handle(), SB_VERT, &si);
  EXPECT_EQ(si.nPos, 35);
}

TEST_F(GridScroll, AProportionalThumbWithoutScrollingColumnsChangesNothing) {
  G->SetGridLineWidth(0);
  for (int c = 1; c < 10; ++c) G->SetColWidths(c, 0);
  SCROLLINFO before;
  before.fMask = SIF_ALL;
  GetScrollInfo(G->Handle(), SB_HORZ, &before);
  G->SetScrollProportional(true);
  SCROLLINFO after;
  after.fMask = SIF_ALL;
  GetScrollInfo(G->Handle(), SB_HORZ, &after);
  EXPECT_EQ(after.nMax, before.nMax);
  EXPECT_EQ(after.nPage, before.nPage);
  EXPECT_EQ(after.nPos, before.nPos);
}

// ------------------------------------------------------------ flat scroll bars

// Records what the grid asks of the flat-scroll-bar functions.
struct TFlatFake {
  QStringList Calls;
  std::map<int, int> Props;
  TFlatScrollBarApi Api() {
    TFlatScrollBarApi a;
    a.InitializeFlatSB = [this](HWND) {
      Calls << "init";
      return BOOL(1);
    };
    a.UninitializeFlatSB = [this](HWND) { Calls << "done"; };
    a.FlatSB_SetScrollProp = [this](HWND, int Index, int Value, BOOL) {
      Props[Index] = Value;
      return BOOL(1);
    };
    a.FlatSB_ShowScrollBar = [this](HWND, int Bar, BOOL Show) {
      Calls << QStringLiteral("show %1 %2").arg(Bar == SB_VERT ? "v" : "h").arg(Show ? 1 : 0);
      return BOOL(1);
    };
    a.FlatSB_SetScrollInfo = [this](HWND, int Bar, const SCROLLINFO&, BOOL) {
      Calls << QStringLiteral("sync %1").arg(Bar == SB_VERT ? "v" : "h");
      return 0;
    };
    return a;
  }
};

TEST_F(GridScroll, WithoutFlatFunctionsTheStandardBarsStay) {
  for (TScrollType t : {ssFlat, ssEncarta}) {
    G->SetScrollType(t);
    EXPECT_FALSE(G->FlatScrollBarsActive());
    EXPECT_EQ(G->ScrollBars(), ssBoth);
    EXPECT_NE(GetWindowLong(G->Handle(), GWL_STYLE) & WS_VSCROLL, 0);
  }
  G->SetScrollColor(clRed);
  G->SetScrollWidth(9);
  EXPECT_EQ(G->ScrollWidth(), 9);
}

TEST_F(GridScroll, WithFlatFunctionsTheGridSetsTheBarProperties) {
  TFlatFake fake;
  const TFlatScrollBarApi old = SetFlatScrollBarApi(fake.Api());
  auto restore = qScopeGuard([&] { SetFlatScrollBarApi(old); });
  G->SetScrollType(ssFlat);
  EXPECT_TRUE(G->FlatScrollBarsActive());
  EXPECT_EQ(fake.Calls.value(0), "init");
  EXPECT_TRUE(fake.Calls.contains("show v 1"));
  EXPECT_TRUE(fake.Calls.contains("show h 1"));
  EXPECT_TRUE(fake.Calls.contains("sync v"));
  struct Case {
    int Prop, Value;
  };
  for (const Case c : {Case{WSB_PROP_VSTYLE, FSB_FLAT_MODE}, Case{WSB_PROP_HSTYLE, FSB_FLAT_MODE},
                       Case{WSB_PROP_CXVSCROLL, 17}, Case{WSB_PROP_CYHSCROLL, 17}})
    EXPECT_EQ(fake.Props[c.Prop], c.Value) << c.Prop;
  EXPECT_EQ(fake.Props.count(WSB_PROP_VBKGCOLOR), 0u);  // ScrollColor clNone sets no colour
  G->SetScrollColor(clRed);
  G->SetScrollWidth(12);
  for (const Case c : {Case{WSB_PROP_VBKGCOLOR, 0x0000FF}, Case{WSB_PROP_HBKGCOLOR, 0x0000FF},
                       Case{WSB_PROP_CXVSCROLL, 12}, Case{WSB_PROP_CYHSCROLL, 12}})
    EXPECT_EQ(fake.Props[c.Prop], c.Value) << c.Prop;
  G->SetScrollType(ssEncarta);
  EXPECT_EQ(fake.Props[WSB_PROP_VSTYLE], FSB_ENCARTA_MODE);
  EXPECT_EQ(fake.Props[WSB_PROP_HSTYLE], FSB_ENCARTA_MODE);
  // Back to the normal bars: the flat ones are released.
  G->SetScrollType(ssNormal);
  EXPECT_FALSE(G->FlatScrollBarsActive());
  EXPECT_EQ(fake.Calls.back(), "done");
  // A vertical-only grid shows and syncs no flat horizontal bar.
  fake.Calls.clear();
  G->SetScrollBars(ssVertical);
  G->SetScrollType(ssFlat);
  EXPECT_FALSE(fake.Calls.contains("show h 1"));
  EXPECT_FALSE(fake.Calls.contains("sync h"));
}

TEST_F(GridScroll, FlatBarsReportThumbPositionsOverTheWholeRange) {
  const int vis = G->VisibleColCount();
  HScroll(SB_THUMBPOSITION, 32);
  EXPECT_EQ(G->LeftCol(), MulDiv(32, 10 - vis - 1, 127) + 1);
  G->SetLeftCol(1);
  TFlatFake fake;
  const TFlatScrollBarApi old = SetFlatScrollBarApi(fake.Api());
  auto restore = qScopeGuard([&] { SetFlatScrollBarApi(old); });
  G->SetScrollType(ssFlat);
  // The position is stretched by 127 / (128 - the visible share of 128).
  const int v = int(std::nearbyint(vis * 128.0f / 10));
  const int pos = int(std::nearbyint(32 * 127.0f / (128 - v)));
  HScroll(SB_THUMBPOSITION, 32);
  EXPECT_EQ(G->LeftCol(), MulDiv(pos, 10 - vis - 1, 127) + 1);
  EXPECT_NE(pos, 32);
}

TEST_F(GridScroll, ScreenPointsBecomeCells) {
  const TRect r = G->CellRect(3, 4);
  int c = 0, w = 0;
  G->ScreenToCell(G->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)), c, w);
  EXPECT_EQ(c, 3);
  EXPECT_EQ(w, 4);
  G->SetColCount(3);
  G->ScreenToCell(G->ClientToScreen(TPoint(395, 5)), c, w);
  EXPECT_EQ(c, -1);
}

TEST(GridFlatScrollBars, AFlatTypeSetBeforeTheWindowIsAppliedWhenItComes) {
  TFlatFake fake;
  const TFlatScrollBarApi old = SetFlatScrollBarApi(fake.Api());
  auto restore = qScopeGuard([&] { SetFlatScrollBarApi(old); });
  TShownForm f;
  auto* g = new TProStringGrid(f.Form);
  g->SetRowCount(100);
  g->SetScrollType(ssEncarta);
  EXPECT_FALSE(fake.Calls.contains("init"));
  g->SetParent(f.Form);
  f.Show();
  EXPECT_TRUE(fake.Calls.contains("init"));
  EXPECT_TRUE(fake.Calls.contains("show v 1"));
  EXPECT_EQ(fake.Props[WSB_PROP_VSTYLE], FSB_ENCARTA_MODE);
}

// ------------------------------------------------------------ drag scrolling

TEST_F(GridScroll, DraggingOverTheTopScrollsUpByTimerTicks) {
  G->DragScrollOptions()->SetActive(true);
  G->SetTopRow(4);
  bool accept = false;
  G->DragOver(nullptr, 100, 20, dsDragEnter, accept);
  TTimer* t = G->DragScrollTimer();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Interval(), 1000u);
  EXPECT_TRUE(t->Enabled());
  EXPECT_EQ(G->TopRow(), 4);  // nothing before the first tick
  std::vector<int> tops;
  for (int i = 0; i < 5; ++i) {
    t->OnTimer(t);
    tops.push_back(G->TopRow());
    EXPECT_EQ(t->Interval(), 250u);
  }
  EXPECT_EQ(tops, (std::vector<int>{3, 2, 1, 1, 1}));  // never above FixedRows
  // Moving on within the margin puts the first delay back.
  G->DragOver(nullptr, 100, 10, dsDragMove, accept);
  EXPECT_EQ(G->DragScrollTimer()->Interval(), 1000u);
  // Leaving the margins, or the grid, stops it.
  G->DragOver(nullptr, 200, 150, dsDragMove, accept);
  EXPECT_EQ(G->DragScrollTimer(), nullptr);
  G->DragOver(nullptr, 100, 20, dsDragMove, accept);
  G->DragOver(nullptr, 100, 20, dsDragLeave, accept);
  EXPECT_EQ(G->DragScrollTimer(), nullptr);
}

TEST_F(GridScroll, OnDragScrollDecidesEachStep) {
  G->DragScrollOptions()->SetActive(true);
  bool accept = false;
  // Bottom right corner: down and right.
  G->DragOver(nullptr, 390, 290, dsDragMove, accept);
  TTimer* t = G->DragScrollTimer();
  ASSERT_NE(t, nullptr);
  std::vector<TDragScrollDirection> seen;
  bool allow = false;
  G->OnDragScroll = [&](TObject*, int, int, TDragScrollDirection& Dir, bool& CanScroll) {
    seen.push_back(Dir);
    CanScroll = allow;
  };
  t->OnTimer(t);
  EXPECT_EQ(G->TopRow(), 1);
  EXPECT_EQ(G->LeftCol(), 1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], (TDragScrollDirection{dsdDown, dsdRight}));
  allow = true;
  t->OnTimer(t);
  EXPECT_EQ(G->TopRow(), 2);
  EXPECT_EQ(G->LeftCol(), 2);
  // The handler may turn the step round.
  G->OnDragScroll = [](TObject*, int, int, TDragScrollDirection& Dir, bool&) { Dir = TDragScrollDirection{dsdUp}; };
  t->OnTimer(t);
  EXPECT_EQ(G->TopRow(), 1);
  EXPECT_EQ(G->LeftCol(), 2);
  // Switched off meanwhile: the next tick stops the timer.
  G->DragScrollOptions()->SetActive(false);
  t->OnTimer(t);
  EXPECT_FALSE(t->Enabled());
  EXPECT_EQ(G->TopRow(), 1);
  // Without Active a drag starts no timer.
  G->DragOver(nullptr, 100, 10, dsDragMove, accept);
  EXPECT_EQ(G->DragScrollTimer(), nullptr);
}

// ------------------------------------------------------------ in-cell scroll bar

TEST_F(GridScroll, TheInCellScrollBarMovesAndReportsItsPosition) {
  TScrollBar* bar = G->CellScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Kind(), sbVertical);
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(G->CellScrollBar(), bar);  // made once
  bar->SetParams(0, 0, 250);
  bar->SetVisible(true);
  bar->HandleNeeded();
  G->SetCol(2);
  G->SetRow(3);
  std::vector<std::vector<int>> events;
  G->OnScrollCell = [&](TObject*, int ACol, int ARow, int Pos, int Min, int Max) {
    events.push_back({ACol, ARow, Pos, Min, Max});
  };
  const LPARAM h = LPARAM(bar->Handle());
  const int top = G->TopRow();
  EXPECT_EQ(VScroll(SB_PAGEDOWN, 0, h), 1);
  EXPECT_EQ(bar->Position(), 100);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0], (std::vector<int>{2, 3, 100, 0, 250}));
  struct Case {
    int Code, Pos, Expected;
  };
  for (const Case c : {Case{SB_LINEDOWN, 0, 110}, Case{SB_LINEUP, 0, 100}, Case{SB_PAGEDOWN, 0, 200},
                       Case{SB_PAGEDOWN, 0, 250}, Case{SB_THUMBTRACK, 40, 40}, Case{SB_PAGEUP, 0, 0}})
  {
    VScroll(c.Code, c.Pos, h);
    EXPECT_EQ(bar->Position(), c.Expected) << c.Code;
  }
  // A step that moves nothing reports nothing; the grid itself never scrolls.
  const size_t n = events.size();
  EXPECT_EQ(VScroll(SB_LINEUP, 0, h), 0);
  EXPECT_EQ(events.size(), n);
  EXPECT_EQ(G->TopRow(), top);
}

TEST_F(GridScroll, TheInCellScrollBarStandsAtTheCurrentCellsRightEdge) {
  TScrollBar* bar = G->CellScrollBar();
  bar->SetWidth(12);
  bar->SetVisible(true);
  G->SetCol(2);
  G->SetRow(3);
  G->CellControlsUpdate(false);
  const TRect r = G->CellRect(2, 3);
  EXPECT_EQ(bar->BoundsRect(), TRect(r.Right - 12, r.Top, r.Right, r.Bottom));
  // Scrolled out of view it takes no height.
  G->SetTopRow(20);
  EXPECT_EQ(bar->Height(), 0);
  G->SetTopRow(1);
  EXPECT_EQ(bar->Height(), r.Height());
}

// ------------------------------------------------------------ search footer and keys

TEST_F(GridScroll, TheLastRowIsBroughtAboveTheSearchFooter) {
  G->SearchFooter()->SetVisible(true);
  G->SetTopRow(50 - G->VisibleRowCount());
  EXPECT_FALSE(G->LastRowAboveSearchFooter());
  G->ScrollAboveSearchFooter();
  EXPECT_TRUE(G->LastRowAboveSearchFooter());
  EXPECT_LE(G->CellRect(0, 49).Bottom, G->ClientHeight() - 32 - 2);
  // A line down now is swallowed.
  const int top = G->TopRow();
  EXPECT_EQ(VScroll(SB_LINEDOWN), 1);
  EXPECT_EQ(G->TopRow(), top);
  // ScrollInView keeps a cell above the bar too.
  G->SetTopRow(1);
  G->ScrollInView(1, 49);
  EXPECT_LE(G->CellRect(0, 49).Bottom, G->Height() - 32 - GetSystemMetrics(SM_CYHSCROLL));
}

TEST_F(GridScroll, TypedCharactersAreWantedWithoutEditing) {
  struct Case {
    TGridOptions Add;
    bool AutoGoto, Wanted;
  };
  for (const Case c : {Case{{}, false, true}, Case{{goEditing}, false, true},
                       Case{{goRowSelect}, false, true}, Case{{goEditing, goRowSelect}, false, false},
                       Case{{goEditing, goRowSelect}, true, true}}) {
    G->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine} + c.Add);
    G->Navigation()->SetAutoGotoWhenSorted(c.AutoGoto);
    EXPECT_EQ((G->Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) != 0, c.Wanted);
    EXPECT_NE(G->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, 0);
  }
}

}  // namespace
