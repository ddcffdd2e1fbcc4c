// HTML cells of the string grid: painted by the mini-HTML renderer into the
// cell and measured by it for auto-sizing.
#include <gtest/gtest.h>

#include <QStringList>
#include <QTest>

#include "common/RecordingCanvas.h"
#include "grid/ProGrid.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/Forms.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

void Paint(TProStringGrid& g, TRecordingCanvas& rc, int c, int r) {
  g.PaintCell(rc.Canvas(), c, r, g.CellRect(c, r), TGridDrawState{});
}

bool Shown(const TRecordingCanvas& rc, const QString& T, TDrawRecord* Found = nullptr) {
  for (const TDrawRecord& r : rc.ShownTexts())
    if (!(r.Flags & DT_CALCRECT) && r.Text.contains(T)) {
      if (Found) *Found = r;
      return true;
    }
  return false;
}

TEST(GridHTMLCell, PaintsRunsWithoutTags) {
  TProStringGrid g(nullptr);
  g.SetColWidths(1, 300);
  g.SetCells(1, 1, QStringLiteral("<b>bold</b> and <a href=\"x\">link</a>"));
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 1, 1);
  TDrawRecord bold, link;
  ASSERT_TRUE(Shown(rc, QStringLiteral("bold"), &bold));
  EXPECT_TRUE(bold.Bold);
  ASSERT_TRUE(Shown(rc, QStringLiteral("link"), &link));
  EXPECT_TRUE(link.Underline);
  for (const TDrawRecord& r : rc.ShownTexts()) EXPECT_FALSE(r.Text.contains(u'<')) << r.Text.toStdString();
}

TEST(GridHTMLCell, HTMLOffShowsTheTags) {
  TProStringGrid g(nullptr);
  g.SetEnableHTML(false);
  g.SetCells(1, 1, QStringLiteral("<b>bold</b>"));
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 1, 1);
  EXPECT_TRUE(Shown(rc, QStringLiteral("<b>bold</b>")));
}

TEST(GridHTMLCell, MeasuresTheLaidOutText) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 1, QStringLiteral("<u>abcdef</u>"));
  g.SetCells(2, 1, QStringLiteral("abcdef"));
  g.SetCells(1, 2, QStringLiteral("<i>abc</i><br>abc"));
  const TSize html = g.GetCellTextSize(1, 1, false, false);
  const TSize plain = g.GetCellTextSize(2, 1, false, false);
  // The tags take no room: the same width as the plain text, plus the margin.
  EXPECT_NEAR(html.cx, plain.cx + 2, 2);
  EXPECT_GT(html.cy, 0);
  // A line break doubles the height.
  const TSize two = g.GetCellTextSize(1, 2, false, false);
  EXPECT_GT(two.cy, html.cy + html.cy / 2);
  EXPECT_LT(two.cx, html.cx);
}

}  // namespace

namespace {

// Clicks on anchors of HTML cells, on a shown form.
class GridHTMLAnchor : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 420, 260);
    G->SetColCount(6);
    G->SetRowCount(20);
    F.Show();
    G->SetFocus();
  }
  // A point on the first characters of the cell's text.
  QPoint TextStart(int C, int R) const {
    const TRect r = G->CellRect(C, R);
    const TRect ins = G->NonClientInsets();
    return QPoint(r.Left + G->XYOffset().X + 4 + ins.Left, r.Top + G->XYOffset().Y + 5 + ins.Top);
  }
  void Click(QPoint P) { QTest::mouseClick(G->View(), Qt::LeftButton, {}, P); }
  TShownForm F{500, 400};
  TProStringGrid* G = nullptr;
};

TEST_F(GridHTMLAnchor, ClickFiresOnAnchorClickAndFollowsCellLinks) {
  G->SetCells(2, 3, QStringLiteral("<a href=\"cell://R5C4\">go there</a>"));
  QStringList clicks;
  G->OnAnchorClick = [&](TObject*, int ARow, int ACol, const QString& Anchor, bool&) {
    clicks << QStringLiteral("%1,%2 %3").arg(ARow).arg(ACol).arg(Anchor);
  };
  Click(TextStart(2, 3));
  EXPECT_EQ(clicks, QStringList{QStringLiteral("3,2 cell://R5C4")});
  EXPECT_EQ(G->Row(), 5);
  EXPECT_EQ(G->Col(), 4);
  // AutoHandle off: the event alone.
  G->OnAnchorClick = [&](TObject*, int, int, const QString&, bool& AutoHandle) { AutoHandle = false; };
  G->SetCells(1, 1, QStringLiteral("<a href=\"cell://R7C1\">go there</a>"));
  Click(TextStart(1, 1));
  EXPECT_NE(G->Row(), 7);
}

TEST_F(GridHTMLAnchor, ClickBesideTheAnchorIsAPlainClick) {
  G->SetCells(2, 3, QStringLiteral("<a href=\"cell://R5C4\">g</a>"));
  int clicks = 0;
  G->OnAnchorClick = [&](TObject*, int, int, const QString&, bool&) { ++clicks; };
  const TRect r = G->CellRect(2, 3);
  const TRect ins = G->NonClientInsets();
  Click(QPoint(r.Right - 4 + ins.Left, r.Bottom - 3 + ins.Top));
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(G->Row(), 3);
  EXPECT_EQ(G->Col(), 2);
}

}  // namespace
