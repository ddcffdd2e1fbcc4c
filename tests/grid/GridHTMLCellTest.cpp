// HTML cells of the string grid: painted by the mini-HTML renderer into the
// cell and measured by it for auto-sizing.
#include <gtest/gtest.h>

#include <QStringList>

#include "common/RecordingCanvas.h"
#include "grid/ProGrid.h"
#include "platform/gdi/WinGdi.h"

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

TEST(GridHTMLCell, AnchorRunsTakeTheURLColourOutsideTheSelection) {
  TProStringGrid g(nullptr);
  g.SetColWidths(1, 300);
  g.SetColWidths(2, 300);
  g.SetSelectionTextColor(clRed);
  const QString html = QStringLiteral("plain <a href=\"x\">link</a>");
  g.SetCells(2, 2, html);
  g.SetCells(1, 1, html);  // the current cell, painted selected
  for (const auto& [col, anchor] : {std::pair{2, clBlue}, std::pair{1, clRed}}) {
    TRecordingCanvas rc(700, 300);
    Paint(g, rc, col, col);
    TDrawRecord link, plain;
    ASSERT_TRUE(Shown(rc, QStringLiteral("link"), &link));
    ASSERT_TRUE(Shown(rc, QStringLiteral("plain"), &plain));
    EXPECT_EQ(link.TextColor, COLORREF(ColorToRGB(anchor))) << col;
    // The selected cell shows all its text, anchors too, in the selection's colour.
    EXPECT_EQ(plain.TextColor == link.TextColor, col == 1) << col;
  }
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

// A <FONT COLOR> run is drawn in its colour, the rest of the cell in the cell's.
TEST(GridHTMLCell, FontColourRunsAreDrawnInTheirColour) {
  TProStringGrid g(nullptr);
  g.SetColWidths(2, 300);
  g.SetCells(2, 2, QStringLiteral("plain <FONT COLOR=\"clRed\">red</FONT> and <font color=\"#0000FF\">blue</font>"));
  TRecordingCanvas rc(400, 300);
  Paint(g, rc, 2, 2);
  TDrawRecord plain, red, blue;
  ASSERT_TRUE(Shown(rc, QStringLiteral("plain"), &plain));
  ASSERT_TRUE(Shown(rc, QStringLiteral("red"), &red));
  ASSERT_TRUE(Shown(rc, QStringLiteral("blue"), &blue));
  EXPECT_EQ(red.TextColor, COLORREF(ColorToRGB(clRed)));
  EXPECT_EQ(blue.TextColor, COLORREF(ColorToRGB(clBlue)));
  EXPECT_EQ(plain.TextColor, COLORREF(ColorToRGB(g.Font()->Color())));
}

// Painting reads the cell texts and never writes them: anchors, inline controls,
// highlights, marks, blinking runs and node rows with their group count are all
// stored as they were after every cell was drawn in every state.
TEST(GridHTMLCell, DrawingACellNeverChangesItsStoredText) {
  TProStringGrid g(nullptr);
  g.SetColCount(4);
  g.SetRowCount(10);
  for (int c = 0; c < 4; ++c) g.SetColWidths(c, 160);
  const QStringList texts = {
      QStringLiteral("<a href=\"cell://R3C2\" title=\"t\">go</a> &amp; more"),
      QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"20\"> ok"),
      QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"a&amp;b&lt;c\" WIDTH=\"60\">"),
      QStringLiteral("<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"one\" WIDTH=\"60\">"),
      QStringLiteral("<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">"),
      QStringLiteral("a <hi>match</hi> &lt;here&gt;"),
      QStringLiteral("a <e>wrong</e> word"),
      QStringLiteral("<blink>on</blink> and off"),
      QStringLiteral("<b>bold<i>unclosed"),
      QStringLiteral("R&amp;D <font color=\"clRed\">&eacute;</font>"),
      QStringLiteral("<ul><li>one<li>two</ul>"),
      QStringLiteral("plain < text"),
  };
  int i = 0;
  for (int r = 1; r < 10 && i < texts.size(); ++r)
    for (int c = 1; c < 4 && i < texts.size(); ++c) g.SetCells(c, r, texts[i++]);
  g.SetCells(1, 8, QStringLiteral("node <b>row</b>"));
  g.AddNode(8, 2);
  g.Grouping()->SetShowGroupCount(true);
  g.SetEnableBlink(true);
  g.SetURLShow(true);
  g.SetURLShowInText(true);
  g.SetCells(2, 9, QStringLiteral("see http://example.org now"));
  QStringList before;
  for (int c = 0; c < g.ColCount(); ++c)
    for (int r = 0; r < g.RowCount(); ++r) before << g.AllGridCells(c, r);
  for (const TGridDrawState state : {TGridDrawState{}, TGridDrawState{gdSelected}, TGridDrawState{gdFocused},
                                     TGridDrawState{gdFixed}})
    for (int c = 0; c < g.ColCount(); ++c)
      for (int r = 0; r < g.RowCount(); ++r) {
        TRecordingCanvas rc(700, 400);
        g.PaintCell(rc.Canvas(), c, r, g.CellRect(c, r), state);
      }
  QStringList after;
  for (int c = 0; c < g.ColCount(); ++c)
    for (int r = 0; r < g.RowCount(); ++r) after << g.AllGridCells(c, r);
  EXPECT_EQ(after, before);
}

}  // namespace
