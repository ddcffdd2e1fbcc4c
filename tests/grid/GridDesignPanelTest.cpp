// The quick configuration panel of a grid placed in a form designer: its size,
// the items under the mouse, the clicks on them, and that it never exists at
// run time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <optional>

#include "common/RecordingCanvas.h"
#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/TestHooks.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// A grid that records the clip rectangle of each paint.
class TPanelGrid : public TProStringGrid {
 public:
  TPanelGrid(TComponent* AOwner, bool Designing) : TProStringGrid(AOwner) {
    if (Designing) IncludeState(csDesigning);
  }
  void Paint() override {
    Clips.push_back(Canvas()->ClipRect());
    TProStringGrid::Paint();
  }
  // Measurements of a panel font other than the standard one, when set.
  TDesignHelperMetrics DesignHelperMetrics() override {
    return Forced ? *Forced : TProStringGrid::DesignHelperMetrics();
  }
  void ForceFont(int LineHeight, int EditWidth) {
    Forced = TProStringGrid::DesignHelperMetrics();
    Forced->LineHeight = LineHeight;
    Forced->EditWidth = EditWidth;
  }
  std::vector<TRect> Clips;
  std::optional<TDesignHelperMetrics> Forced;
};

// The panel's line height: "gh" in Tahoma 8, plus 2.
int PanelLineHeight() {
  TBitmap b(1, 1);
  b.Canvas()->Font()->SetName(QStringLiteral("Tahoma"));
  b.Canvas()->Font()->SetSize(8);
  return b.Canvas()->TextHeight(QStringLiteral("gh")) + 2;
}

int PanelTextWidth(const QString& S) {
  TBitmap b(1, 1);
  b.Canvas()->Font()->SetName(QStringLiteral("Tahoma"));
  b.Canvas()->Font()->SetSize(8);
  return b.Canvas()->TextWidth(S);
}

class GridDesignPanel : public testing::Test {
 protected:
  void Make(bool Designing) {
    G = new TPanelGrid(F.Form, Designing);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 400, 260);
    F.Show();
    C = G->ClientRect();
    LH = PanelLineHeight();
    P = TRect(C.Right - 150, C.Bottom - 4 * LH - 10, C.Right, C.Bottom);
  }
  // A point in the middle of the line of item N (1..3), a few pixels into its text.
  TPoint ItemPoint(int N) const { return TPoint(C.Right - 140, P.Top + N * LH + 4 + LH / 2); }
  // Places the pointer over a client point; false where no pointer can be placed.
  bool PointAt(TPoint Pt) {
    Mouse->SetCursorPos(G->ClientToScreen(Pt));
    return G->ScreenToClient(Mouse->CursorPos()) == Pt;
  }
  QRgb PixelAt(TPoint Pt) {
    G->Repaint();
    return G->View()->grab().toImage().pixel(Pt.X, Pt.Y);
  }
  TShownForm F{460, 320};
  TPanelGrid* G = nullptr;
  TRect C, P;
  int LH = 0;
};

TEST_F(GridDesignPanel, IsOneHundredFiftyWideAndFourLinesHigh) {
  Make(true);
  EXPECT_EQ(G->DesignHelperRect(), P);
  EXPECT_EQ(P.Width(), 150);
  EXPECT_EQ(P.Height(), 4 * LH + 10);
  // Drawn in the info colour, outlined grey.
  const QRgb inside = PixelAt(TPoint(P.Right - 30, P.Top + LH + 8));
  EXPECT_EQ(qRed(inside) | qGreen(inside) << 8 | qBlue(inside) << 16, int(ColorToRGB(clInfoBk)));
  const QRgb edge = PixelAt(TPoint(P.Left, P.Top + LH + 8));
  EXPECT_EQ(qRed(edge), 0x80);
}

TEST_F(GridDesignPanel, HitTable) {
  Make(true);
  struct Case {
    TPoint Pt;
    int Item;
  };
  const int editEnd = C.Right - 132 + PanelTextWidth(QStringLiteral("Allow edit"));
  const Case cases[] = {
      {ItemPoint(1), 1},
      {ItemPoint(2), 2},
      {ItemPoint(3), 3},
      {TPoint(C.Right - 8, P.Top + 8), 4},
      // All bounds are exclusive.
      {TPoint(C.Right - 16, P.Top + 8), -1},
      {TPoint(C.Right - 8, P.Top), -1},
      {TPoint(C.Right - 8, P.Top + 16), -1},
      {TPoint(C.Right - 150, ItemPoint(1).Y), -1},
      {TPoint(editEnd - 1, ItemPoint(1).Y), 1},
      {TPoint(editEnd, ItemPoint(1).Y), -1},
      {TPoint(C.Right - 140, P.Top + LH + 4), -1},
      {TPoint(C.Right - 140, P.Top + LH + 5), 1},
      // The title line and the grid outside the panel.
      {TPoint(C.Right - 140, P.Top + 6), -1},
      {TPoint(10, 10), -1},
  };
  for (const Case& k : cases)
    EXPECT_EQ(G->DesignHelperHitTest(k.Pt.X, k.Pt.Y), k.Item) << k.Pt.X << "," << k.Pt.Y;
}

// A short, wide panel font makes "Allow edit" reach into the close box's area:
// where both areas hold a point, it counts as the item.
TEST_F(GridDesignPanel, AnItemOverlappingTheCloseBoxWins) {
  Make(true);
  // In the standard font the two areas lie apart.
  ASSERT_GT(LH, 11);
  const TPoint both(C.Right - 8, P.Top + 15);
  EXPECT_EQ(G->DesignHelperHitTest(both.X, both.Y), 4);
  // A line of 10 pixels and "Allow edit" 130 pixels wide: the item's area runs
  // from P.Top + 14 to P.Top + 24 and up to C.Right - 2.
  G->ForceFont(10, 130);
  const TRect p = G->DesignHelperRect();
  ASSERT_EQ(p.Top, C.Bottom - 50);
  struct Case {
    TPoint Pt;
    int Item;
  };
  const Case cases[] = {
      {TPoint(C.Right - 8, p.Top + 15), 1},  // in both areas
      {TPoint(C.Right - 3, p.Top + 15), 1},
      {TPoint(C.Right - 8, p.Top + 14), 4},  // above the item's area
      {TPoint(C.Right - 8, p.Top + 8), 4},
      {TPoint(C.Right - 2, p.Top + 15), 4},  // right of the item's area
      {TPoint(C.Right - 8, p.Top + 16), 1},  // below the close box's area
  };
  for (const Case& k : cases)
    EXPECT_EQ(G->DesignHelperHitTest(k.Pt.X, k.Pt.Y), k.Item) << k.Pt.X << "," << k.Pt.Y;
  // A click there acts on the item, not on the close box.
  G->SetOptions(G->Options() + goEditing);
  G->DesignHelperClick(C.Right - 8, p.Top + 15);
  EXPECT_FALSE(G->Options().contains(goEditing));
  EXPECT_TRUE(G->ShowDesignHelper());
}

TEST_F(GridDesignPanel, AllowEditTogglesEditingAndTheFormWidthComesBack) {
  Make(true);
  std::vector<int> widths;
  F.Form->OnResize = [&](TObject*) { widths.push_back(F.Form->Width()); };
  const int w = F.Form->Width();
  G->SetOptions(G->Options() + goEditing);
  G->DesignHelperClick(ItemPoint(1).X, ItemPoint(1).Y);
  EXPECT_FALSE(G->Options().contains(goEditing));
  EXPECT_EQ(widths, (std::vector<int>{w - 1, w}));
  // A click of the mouse reaches the panel at design time.
  QTest::mouseClick(G->View(), Qt::LeftButton, {}, QPoint(ItemPoint(1).X, ItemPoint(1).Y));
  EXPECT_TRUE(G->Options().contains(goEditing));
  EXPECT_EQ(F.Form->Width(), w);
}

// Row 0 shows the real column numbers in grey while the designer shows them.
TEST(GridDesignColumnNumbers, DrawnInTheFirstRowAtDesignTimeOnly) {
  for (bool designing : {true, false}) {
    TPanelGrid g(nullptr, designing);
    g.SetCells(2, 0, QStringLiteral("Head"));
    TRecordingCanvas rc(400, 300);
    g.PaintCell(rc.Canvas(), 2, 0, g.CellRect(2, 0), {});
    g.PaintCell(rc.Canvas(), 2, 1, g.CellRect(2, 1), {});
    int numbers = 0;
    for (const TDrawRecord& r : rc.ShownTexts())
      if (r.Text == "2") {
        ++numbers;
        EXPECT_EQ(r.TextColor, COLORREF(0x808080));
        EXPECT_EQ(r.Flags & (DT_SINGLELINE | DT_BOTTOM | DT_RIGHT), UINT(DT_SINGLELINE | DT_BOTTOM | DT_RIGHT));
      }
    EXPECT_EQ(numbers, designing ? 1 : 0);
  }
}

TEST_F(GridDesignPanel, ColumnNumbersAndTheCloseBox) {
  Make(true);
  ASSERT_TRUE(G->ShowColNrs());
  G->DesignHelperClick(ItemPoint(2).X, ItemPoint(2).Y);
  EXPECT_FALSE(G->ShowColNrs());
  G->DesignHelperClick(C.Right - 8, P.Top + 8);
  EXPECT_FALSE(G->ShowDesignHelper());
}

TEST_F(GridDesignPanel, LookMenuThroughThePopupHook) {
  Make(true);
  G->SetLook(glCustom);
  G->SetBorderStyle(bsNone);  // the look gave the grid its border
  // "Set look: " alone: its hit area ends after those letters.
  const int end = C.Right - 150 + PanelTextWidth(QStringLiteral("Set look: "));
  EXPECT_EQ(G->DesignHelperHitTest(end - 1, ItemPoint(3).Y), 3);
  EXPECT_EQ(G->DesignHelperHitTest(end, ItemPoint(3).Y), -1);
  QStringList captions;
  int checked = 0;
  TestHooks::SetPopupMenuHook([&](TPopupMenu* M, int, int) -> TMenuItem* {
    TMenuItem* pick = nullptr;
    for (int i = 0; i < M->Items()->Count(); ++i) {
      TMenuItem* it = M->Items()->Items(i);
      captions << it->Caption();
      checked += it->Checked();
      if (it->Caption() == "Office 2007") pick = it;
    }
    return pick;
  });
  auto restore = qScopeGuard([] { TestHooks::SetPopupMenuHook(nullptr); });
  const int w = F.Form->Width();
  G->DesignHelperClick(ItemPoint(3).X, ItemPoint(3).Y);
  EXPECT_EQ(captions, (QStringList{"Standard", "Soft", "Classic", "REZ", "ListView", "Office 2007",
                                   "Windows XP", "Windows Vista", "Windows 7"}));
  EXPECT_EQ(checked, 0);
  EXPECT_EQ(G->Look(), glOffice2007);
  EXPECT_EQ(F.Form->Width(), w);
  // The current look is checked; closing the menu without a choice changes nothing.
  captions.clear();
  TestHooks::SetPopupMenuHook([&](TPopupMenu* M, int, int) -> TMenuItem* {
    for (int i = 0; i < M->Items()->Count(); ++i)
      if (M->Items()->Items(i)->Checked()) captions << M->Items()->Items(i)->Caption();
    return nullptr;
  });
  G->DesignHelperClick(ItemPoint(3).X, ItemPoint(3).Y);
  EXPECT_EQ(captions, QStringList{"Office 2007"});
  EXPECT_EQ(G->Look(), glOffice2007);
  EXPECT_EQ(F.Form->Width(), w);
}

TEST_F(GridDesignPanel, HitTestMessageAnswersForItemsAndRepaintsExactlyThePanel) {
  Make(true);
  if (!PointAt(TPoint(10, 10))) GTEST_SKIP() << "no pointer to place here";
  EXPECT_EQ(G->Perform(CM_DESIGNHITTEST, 0, 0), 0);
  G->Update();
  G->Clips.clear();
  ASSERT_TRUE(PointAt(ItemPoint(1)));
  EXPECT_EQ(G->Perform(CM_DESIGNHITTEST, 0, 0), 1);
  G->Update();
  ASSERT_EQ(G->Clips.size(), 1u);
  EXPECT_EQ(G->Clips[0], P);
  // The same item again: nothing to repaint.
  G->Clips.clear();
  EXPECT_EQ(G->Perform(CM_DESIGNHITTEST, 0, 0), 1);
  G->Update();
  EXPECT_TRUE(G->Clips.empty());
}

TEST_F(GridDesignPanel, NothingAtRunTime) {
  Make(false);
  const QRgb inside = PixelAt(TPoint(P.Right - 30, P.Top + LH + 8));
  EXPECT_NE(qRed(inside) | qGreen(inside) << 8 | qBlue(inside) << 16, int(ColorToRGB(clInfoBk)));
  if (!PointAt(ItemPoint(1))) GTEST_SKIP() << "no pointer to place here";
  G->Update();
  G->Clips.clear();
  EXPECT_EQ(G->Perform(CM_DESIGNHITTEST, 0, 0), 0);
  G->Update();
  EXPECT_TRUE(G->Clips.empty());
  // A click on the panel's place is a click on the grid.
  G->SetOptions(G->Options() + goEditing);
  QTest::mouseClick(G->View(), Qt::LeftButton, {}, QPoint(ItemPoint(1).X, ItemPoint(1).Y));
  EXPECT_TRUE(G->Options().contains(goEditing));
}

}  // namespace
