// The grid's appearance settings objects: control look, progress appearance,
// modified marker, balloons, drag and drop, grouping and drag scrolling.
#include <gtest/gtest.h>

#include <vector>

#include "dropdowns/ProDropDown.h"
#include "dropdowns/psgdd.h"
#include "grid/ProGrid.h"

namespace {

// A grid placed in the form designer.
class TDesignedGrid : public TProStringGrid {
 public:
  TDesignedGrid() : TProStringGrid(nullptr) { IncludeState(csDesigning); }
};

struct Counter {
  int Count = 0;
  TNotifyEvent Event() {
    return [this](TObject*) { ++Count; };
  }
};

// Getter and setter of one fixed-gradient colour of the control look.
struct GradientProperty {
  const char* Name;
  TColor (TControlLook::*Get)() const;
  void (TControlLook::*Set)(TColor);
  TColor Default;
};

const std::vector<GradientProperty> kGradients = {
    {"From", &TControlLook::FixedGradientFrom, &TControlLook::SetFixedGradientFrom, clNone},
    {"To", &TControlLook::FixedGradientTo, &TControlLook::SetFixedGradientTo, clNone},
    {"MirrorFrom", &TControlLook::FixedGradientMirrorFrom,
     &TControlLook::SetFixedGradientMirrorFrom, clNone},
    {"MirrorTo", &TControlLook::FixedGradientMirrorTo, &TControlLook::SetFixedGradientMirrorTo,
     clNone},
    {"HoverFrom", &TControlLook::FixedGradientHoverFrom, &TControlLook::SetFixedGradientHoverFrom,
     TColor(0xFFFFFF)},
    {"HoverTo", &TControlLook::FixedGradientHoverTo, &TControlLook::SetFixedGradientHoverTo,
     TColor(0x808080)},
    {"HoverMirrorFrom", &TControlLook::FixedGradientHoverMirrorFrom,
     &TControlLook::SetFixedGradientHoverMirrorFrom, clNone},
    {"HoverMirrorTo", &TControlLook::FixedGradientHoverMirrorTo,
     &TControlLook::SetFixedGradientHoverMirrorTo, clNone},
    {"HoverBorder", &TControlLook::FixedGradientHoverBorder,
     &TControlLook::SetFixedGradientHoverBorder, TColor(0xC0C0C0)},
    {"DownFrom", &TControlLook::FixedGradientDownFrom, &TControlLook::SetFixedGradientDownFrom,
     TColor(0xC0C0C0)},
    {"DownTo", &TControlLook::FixedGradientDownTo, &TControlLook::SetFixedGradientDownTo,
     TColor(0x808080)},
    {"DownMirrorFrom", &TControlLook::FixedGradientDownMirrorFrom,
     &TControlLook::SetFixedGradientDownMirrorFrom, clNone},
    {"DownMirrorTo", &TControlLook::FixedGradientDownMirrorTo,
     &TControlLook::SetFixedGradientDownMirrorTo, clNone},
    {"DownBorder", &TControlLook::FixedGradientDownBorder,
     &TControlLook::SetFixedGradientDownBorder, TColor(0x808080)},
};

}  // namespace

TEST(GridControlLook, DefaultsOfANewGrid) {
  TProStringGrid grid(nullptr);
  TControlLook& l = *grid.ControlLook();
  EXPECT_EQ(l.CheckSize(), 15);
  EXPECT_EQ(l.RadioSize(), 10);
  EXPECT_TRUE(l.CheckedGlyph()->Empty() && l.UnCheckedGlyph()->Empty() &&
              l.RadioOnGlyph()->Empty() && l.RadioOffGlyph()->Empty());
  EXPECT_EQ(l.ControlStyle(), csTheme);
  EXPECT_EQ(l.Color(), TColor(0));
  EXPECT_EQ(l.CommentColor(), TColor(0x0000FF));
  EXPECT_FALSE(l.FlatButton() || l.ProgressXP() || l.DropDownAlwaysVisible() ||
               l.SpinButtonsAlwaysVisible() || l.NoDisabledCheckRadioLook() ||
               l.NoDisabledButtonLook() || l.CheckAlwaysActive() || l.RadioAlwaysActive() ||
               l.FixedDropDownButton());
  EXPECT_EQ(l.ProgressMarginX(), 2);
  EXPECT_EQ(l.ProgressMarginY(), 2);
  EXPECT_EQ(l.ProgressBorderColor(), TColor(0x808080));
  EXPECT_EQ(l.DropDownCount(), 8);
  EXPECT_EQ(l.HintMaxWidth(), 0);
  EXPECT_EQ(l.DropDownHeader()->Height(), 22);
  EXPECT_TRUE(l.DropDownFooter()->SizeGrip());
  EXPECT_EQ(l.DropDownHeader()->GetOwner(), &grid);
  for (const GradientProperty& p : kGradients) EXPECT_EQ((l.*p.Get)(), p.Default) << p.Name;
  // Init gave the grid's hover and pressed mirror colours clNone, and the
  // REZ gradient starts white to the button face.
  EXPECT_EQ(grid.REZGradientHoverMirrorFrom, clNone);
  EXPECT_EQ(grid.REZGradientDownMirrorTo, clNone);
  EXPECT_EQ(grid.REZGradientFrom(), TColor(0xFFFFFF));
  EXPECT_EQ(grid.REZGradientTo(), ColorToRGB(clBtnFace));
}

TEST(GridControlLook, GradientSettersPassColoursOnToTheGrid) {
  TProStringGrid grid(nullptr);
  TControlLook& l = *grid.ControlLook();
  l.SetFixedGradientFrom(clRed);
  EXPECT_EQ(grid.REZGradientFrom(), clRed);
  l.SetFixedGradientFrom(clNone);
  EXPECT_EQ(l.FixedGradientFrom(), clNone);
  EXPECT_EQ(grid.REZGradientFrom(), clRed);  // clNone is not passed on
  l.SetFixedGradientTo(clBtnFace);
  EXPECT_EQ(grid.REZGradientTo(), ColorToRGB(clBtnFace));
  l.SetFixedGradientMirrorFrom(clBlue);
  EXPECT_EQ(grid.REZGradientMirrorFrom(), clBlue);
  l.SetFixedGradientMirrorFrom(clNone);
  EXPECT_EQ(grid.REZGradientMirrorFrom(), clNone);  // the mirror always is
  l.SetFixedGradientHoverFrom(clLime);
  l.SetFixedGradientHoverFrom(clNone);
  EXPECT_EQ(grid.REZGradientHoverFrom, clLime);
  l.SetFixedGradientDownBorder(clYellow);
  EXPECT_EQ(grid.REZGradientDownBorder, clYellow);
  l.SetFixedGradientDownMirrorTo(clAqua);
  EXPECT_EQ(grid.REZGradientDownMirrorTo, clAqua);
  l.SetFixedGradientDownMirrorTo(clNone);
  EXPECT_EQ(grid.REZGradientDownMirrorTo, clNone);
}

TEST(GridControlLook, AssignCopiesTheListedSettingsOnly) {
  TProStringGrid a(nullptr), b(nullptr);
  TControlLook& src = *a.ControlLook();
  TControlLook& dst = *b.ControlLook();
  TColor c = TColor(0x010101);
  for (const GradientProperty& p : kGradients) {
    (src.*p.Set)(c);
    c += 0x010101;
  }
  src.SetCheckSize(20);
  src.SetRadioSize(12);
  src.SetControlStyle(csFlat);
  src.CheckedGlyph()->SetSize(3, 4);
  src.SetProgressMarginX(5);
  src.SetCommentColor(clGreen);
  src.SetColor(clMaroon);
  src.SetProgressBorderColor(clTeal);
  src.SetCheckAlwaysActive(true);
  src.SetDropDownAlwaysVisible(true);
  src.SetDropDownCount(12);
  src.DropDownHeader()->SetCaption("Head");
  src.DropDownFooter()->SetHeight(30);
  src.SetHintMaxWidth(200);
  src.SetFlatButton(true);
  src.SetProgressXP(true);
  src.SetNoDisabledButtonLook(true);
  src.SetFixedDropDownButton(true);
  const TColor gridFrom = b.REZGradientFrom(), gridHover = b.REZGradientHoverFrom;

  dst.Assign(&src);
  for (const GradientProperty& p : kGradients) EXPECT_EQ((dst.*p.Get)(), (src.*p.Get)()) << p.Name;
  // Stored only: the target grid keeps its own gradient colours.
  EXPECT_EQ(b.REZGradientFrom(), gridFrom);
  EXPECT_EQ(b.REZGradientHoverFrom, gridHover);
  EXPECT_EQ(dst.CheckSize(), 20);
  EXPECT_EQ(dst.RadioSize(), 12);
  EXPECT_EQ(dst.ControlStyle(), csFlat);
  EXPECT_EQ(dst.CheckedGlyph()->Width(), 3);
  EXPECT_EQ(dst.ProgressMarginX(), 5);
  EXPECT_EQ(dst.CommentColor(), clGreen);
  EXPECT_EQ(dst.Color(), clMaroon);
  EXPECT_EQ(dst.ProgressBorderColor(), clTeal);
  EXPECT_TRUE(dst.CheckAlwaysActive());
  EXPECT_TRUE(dst.DropDownAlwaysVisible());
  EXPECT_EQ(dst.DropDownCount(), 12);
  EXPECT_EQ(dst.DropDownHeader()->Caption(), "Head");
  EXPECT_EQ(dst.DropDownFooter()->Height(), 30);
  EXPECT_EQ(dst.HintMaxWidth(), 200);
  EXPECT_FALSE(dst.FlatButton() || dst.ProgressXP() || dst.NoDisabledButtonLook() ||
               dst.FixedDropDownButton());
}

TEST(GridProgressAppearance, DefaultsNotifyOnChangeOnlyAndAssignOnce) {
  TGridProgressAppearance p;
  EXPECT_EQ(p.CompleteColor(), TColor(0x0000FF));
  EXPECT_EQ(p.CompleteFontColor(), TColor(0xFF0000));
  EXPECT_EQ(p.UnCompleteColor(), clNone);
  EXPECT_EQ(p.UnCompleteFontColor(), clWindowText);
  EXPECT_EQ(p.Level0Color(), TColor(0x00FF00));
  EXPECT_EQ(p.Level0ColorTo(), TColor(0xE1FFE1));
  EXPECT_EQ(p.Level1Color(), TColor(0x00FFFF));
  EXPECT_EQ(p.Level1ColorTo(), TColor(0xCAFFFF));
  EXPECT_EQ(p.Level2Color(), TColor(0x53A9FF));
  EXPECT_EQ(p.Level2ColorTo(), TColor(0xA8D3FF));
  EXPECT_EQ(p.Level3Color(), TColor(0x0000FF));
  EXPECT_EQ(p.Level3ColorTo(), TColor(0xCACAFF));
  EXPECT_EQ(p.Level1Perc(), 70);
  EXPECT_EQ(p.Level2Perc(), 90);
  EXPECT_EQ(p.BorderColor(), TColor(0));
  EXPECT_FALSE(p.ShowBorder() || p.Stacked());
  EXPECT_TRUE(p.ShowPercentage() && p.CompletionSmooth() && p.ShowGradient());
  EXPECT_EQ(p.Steps(), 11);
  EXPECT_EQ(p.Style(), psXP);

  Counter c;
  p.OnChange = c.Event();
  p.SetSteps(11);
  p.SetShowBorder(false);
  EXPECT_EQ(c.Count, 0);
  p.SetSteps(20);
  p.SetStyle(psClassic);
  EXPECT_EQ(c.Count, 2);

  TGridProgressAppearance q;
  Counter qc;
  q.OnChange = qc.Event();
  q.Assign(&p);
  EXPECT_EQ(qc.Count, 1);
  EXPECT_EQ(q.Steps(), 20);
  EXPECT_EQ(q.Style(), psClassic);
}

TEST(GridShowModifiedAndBalloon, DefaultsEventsAndAssign) {
  TShowModified m;
  EXPECT_FALSE(m.Enabled());
  EXPECT_EQ(m.Color(), TColor(0x00FFFF));
  Counter mc;
  m.OnChange = mc.Event();
  m.SetEnabled(true);
  m.SetColor(clRed);
  EXPECT_EQ(mc.Count, 1);
  TShowModified m2;
  m2.Assign(&m);
  EXPECT_TRUE(m2.Enabled());
  EXPECT_EQ(m2.Color(), clRed);

  TBalloonSettings b;
  EXPECT_FALSE(b.Enable());
  EXPECT_EQ(b.AutoHideDelay(), -1);
  EXPECT_EQ(b.InitialDelay(), -1);
  EXPECT_EQ(b.ReshowDelay(), -1);
  EXPECT_EQ(b.BackgroundColor(), clNone);
  EXPECT_EQ(b.TextColor(), clNone);
  EXPECT_EQ(b.Transparency(), 0);
  b.SetTransparency(100);
  b.SetInitialDelay(300);
  b.SetTextColor(clRed);
  Counter enable;
  b.OnEnableChange = enable.Event();
  b.SetEnable(true);
  EXPECT_EQ(enable.Count, 1);
  TBalloonSettings b2;
  Counter enable2;
  b2.OnEnableChange = enable2.Event();
  b2.Assign(&b);
  EXPECT_EQ(enable2.Count, 0);
  EXPECT_TRUE(b2.Enable());
  EXPECT_EQ(b2.InitialDelay(), 300);
  EXPECT_EQ(b2.TextColor(), clRed);
  EXPECT_EQ(b2.Transparency(), 0);
}

TEST(GridDragDropSettings, DefaultsSwitchesAndAssign) {
  TProStringGrid grid(nullptr);
  TDragDropSettings& d = *grid.DragDropSettings();
  EXPECT_FALSE(d.OleDropTarget() || d.OleDropSource() || d.OleAppendRows() || d.OleInsertRows() ||
               d.OleRemoveRows() || d.OleEntireRows() || d.OleCopyAlways() ||
               d.OleColumnDragDrop() || d.OleColumnReorder() || d.OleColumnsOnly() ||
               d.OleDropRTF());
  EXPECT_TRUE(d.OleAcceptFiles() && d.OleAcceptText() && d.OleAcceptURLs() && d.ShowCells());

  d.SetOleDropRTF(true);
  EXPECT_TRUE(RTFDragDrop());
  d.SetOleDropRTF(false);
  EXPECT_FALSE(RTFDragDrop());

  // The drop target is not part of this build: switching it on at run time
  // says so instead of pretending to work; in the designer nothing is registered.
  EXPECT_THROW(d.SetOleDropTarget(true), EProGridError);
  d.SetOleDropTarget(false);
  TDesignedGrid designed;
  designed.DragDropSettings()->SetOleDropTarget(true);
  EXPECT_TRUE(designed.DragDropSettings()->OleDropTarget());

  TDragDropSettings copy(nullptr);
  copy.Assign(designed.DragDropSettings());
  EXPECT_TRUE(copy.OleDropTarget());
  EXPECT_TRUE(copy.ShowCells());
}

TEST(GridGrouping, DefaultsAndAssignLeavesOutSummaryAndLines) {
  TGrouping g;
  EXPECT_FALSE(g.MergeHeader() || g.MergeSummary() || g.Summary() || g.HeaderUnderline() ||
               g.SummaryLine() || g.ShowGroupCount() || g.AutoSelectGroup() || g.AutoCheckGroup());
  EXPECT_EQ(g.HeaderColor(), clNone);
  EXPECT_EQ(g.SummaryTextColor(), clNone);
  EXPECT_EQ(g.HeaderLineColor(), TColor(0xFF0000));
  EXPECT_EQ(g.SummaryLineColor(), TColor(0xFF0000));
  EXPECT_EQ(g.HeaderLineWidth(), 2);
  EXPECT_EQ(g.SummaryLineWidth(), 2);
  EXPECT_EQ(g.GroupCountFormat(), "");

  TGrouping src;
  src.SetGroupCountFormat("(%d)");
  src.SetHeaderColor(clRed);
  src.SetAutoCheckGroup(true);
  src.SetSummary(true);
  src.SetHeaderLineColor(clBlue);
  src.SetSummaryLineWidth(5);
  g.Assign(&src);
  EXPECT_EQ(g.GroupCountFormat(), "(%d)");
  EXPECT_EQ(g.HeaderColor(), clRed);
  EXPECT_TRUE(g.AutoCheckGroup());
  EXPECT_FALSE(g.Summary());
  EXPECT_EQ(g.HeaderLineColor(), TColor(0xFF0000));
  EXPECT_EQ(g.SummaryLineWidth(), 2);
}

TEST(GridDragScrollOptions, DefaultsAndAssign) {
  TDragScrollOptions o;
  EXPECT_FALSE(o.Active());
  EXPECT_EQ(o.Delays()->InitialDelay(), 1000);
  EXPECT_EQ(o.Delays()->RepeatDelay(), 250);
  EXPECT_EQ(o.Margins()->TopMargin(), 50);
  EXPECT_EQ(o.Margins()->RightMargin(), 50);
  TDragScrollOptions src;
  src.SetActive(true);
  src.Delays()->SetRepeatDelay(100);
  src.Margins()->SetLeftMargin(7);
  TProStringGrid grid(nullptr);
  grid.SetDragScrollOptions(&src);
  EXPECT_TRUE(grid.DragScrollOptions()->Active());
  EXPECT_EQ(grid.DragScrollOptions()->Delays()->RepeatDelay(), 100);
  EXPECT_EQ(grid.DragScrollOptions()->Margins()->LeftMargin(), 7);
}
