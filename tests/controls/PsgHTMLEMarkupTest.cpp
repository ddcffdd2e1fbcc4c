// The mini-HTML renderer: text preparation and the tags' effect on what is drawn.
#include <QFontInfo>
#include <QScopeGuard>

#include "tests/controls/HtmlRenderSupport.h"

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

class HtmlMarkup : public HtmlCanvasTest {
 protected:
  void SetUp() override {
    HtmlCanvasTest::SetUp();
    Canvas.Font()->SetColor(clNavy);
  }
};

TEST_F(HtmlMarkup, PreparedTextShows) {
  const struct {
    const char* In;
    const char* Shown;
  } rows[] = {
      {"A &amp; B", "A & B"},
      {"A & B", "A  B"},  // the "&" underlines the next character
      {"&permil;", "\u2030"},
      {"&SECT;&para;&trade;&euro;&copy;&reg;&quot;", "\u00A7\u00B6\u2122\u20AC\u00A9\u00AE\""},
      {"<#Field>", "#Field"},
      {"x <#y", "x #y"},
      {"a<b>b</b>c", "abc"},
      {"<BOLD>x", "x"},
      {"abc<", "abc"},
      {"abc<b", "abc"},
      {"a&nbsp;b &lt;c&gt;", "a b <c>"},
      {"a\r\nb", "ab"},
      {"&eacute;", "eacute;"},  // accented letters are not the renderer's: "&" underlines "e"
  };
  for (const auto& r : rows) EXPECT_EQ(Shown(U(r.In)), U(r.Shown)) << r.In;
}

// Each entity of the text is taken once: the encoded forms of "&amp;" and "&lt;"
// show as typed. Repeating the replacements showed "&&" and an underlined "<".
TEST_F(HtmlMarkup, EncodedEntitiesShowAsTyped) {
  EXPECT_EQ(Shown(U("&amp;amp;")), U("&amp;"));
  EXPECT_EQ(Shown(U("&amp;lt;")), U("&lt;"));
  EXPECT_EQ(Shown(U("R&amp;D")), U("R&D"));
}

TEST_F(HtmlMarkup, BoldItalicUnderlineStrike) {
  const auto& t = Texts(U("a<b>b</b>c<i>d</i><u>e</u><s>f</s><BOLD>g"));
  ASSERT_EQ(t.size(), 7u);
  EXPECT_FALSE(t[0].Font.bold());
  EXPECT_TRUE(t[1].Font.bold());
  EXPECT_FALSE(t[2].Font.bold());
  EXPECT_TRUE(t[3].Font.italic());
  EXPECT_TRUE(t[4].Font.underline());
  EXPECT_TRUE(t[5].Font.strikeOut());
  EXPECT_FALSE(t[6].Font.bold());
  // Runs follow each other on one baseline.
  for (size_t i = 1; i < t.size(); ++i) {
    EXPECT_GT(t[i].Baseline.x(), t[i - 1].Baseline.x());
    EXPECT_EQ(t[i].Baseline.y(), t[0].Baseline.y());
  }
}

TEST_F(HtmlMarkup, FontColours) {
  const struct {
    const char* In;
    QColor Color;
  } rows[] = {
      {"<FONT COLOR=\"#FF0000\">x", QColor(255, 0, 0)},
      {"<FONT COLOR=\"clRed\">x", QColor(255, 0, 0)},
      {"<FONT COLOR=\"red\">x", QColor(0, 0, 0)},
      {"<FONT COLOR=#FF0000>x", QColor(0, 0, 0x80)},  // unquoted: unchanged
      {"<FONT COLOR=\"\">x", QColor(0, 0, 0x80)},
      {"<FONT COLOR=\"#00ff00\">x", QColor(0, 0xFF, 0)},
      {"<FONT BGCOLOR=\"#FF0000\">x", QColor(0, 0, 0x80)},
  };
  for (const auto& r : rows) {
    const auto& t = Texts(U(r.In));
    ASSERT_EQ(t.size(), 1u) << r.In;
    EXPECT_EQ(t[0].Color, r.Color) << r.In;
  }
  // </FONT> returns to the entry colour.
  const auto& t = Texts(U("<FONT COLOR=\"#FF0000\">x</FONT>y"));
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].Color, QColor(0, 0, 0x80));
}

TEST_F(HtmlMarkup, FontSizesAndFaces) {
  const struct {
    const char* In;
    int Points;
  } rows[] = {{"<FONT SIZE=\"1\">x", 8},   {"<FONT SIZE=\"3\">x", 12}, {"<FONT SIZE=\"5\">x", 16},
              {"<FONT SIZE=\"20\">x", 20}, {"<FONT SIZE=\"6\">x", 6},  {"<FONT SIZE=\"\">x", 10}};
  for (const auto& r : rows) {
    const auto& t = Texts(U(r.In));
    ASSERT_EQ(t.size(), 1u) << r.In;
    EXPECT_EQ(t[0].Font.pixelSize(), MulDiv(r.Points, 96, 72)) << r.In;
  }
  const auto& t = Texts(U("<FONT FACE=\"Courier New\" SIZE=\"4\">x</FONT>y"));
  ASSERT_EQ(t.size(), 2u);
  EXPECT_TRUE(QFontInfo(t[0].Font).family().contains(QStringLiteral("Mono")));
  EXPECT_EQ(t[0].Font.pixelSize(), MulDiv(14, 96, 72));
  EXPECT_EQ(t[1].Font.pixelSize(), MulDiv(10, 96, 72));
  EXPECT_FALSE(QFontInfo(t[1].Font).family().contains(QStringLiteral("Mono")));
}

TEST_F(HtmlMarkup, RightAlignmentHoldsForFollowingLines) {
  Call.Rect = TRect(0, 0, 300, 200);
  const auto& t = Texts(U("<P ALIGN=\"RIGHT\">x</P>y"));
  ASSERT_EQ(t.size(), 2u);
  for (const auto& r : t) {
    const int w = Canvas.TextWidth(r.Text);
    EXPECT_EQ(r.Baseline.x() + w, 300) << r.Text.toStdString();
  }
  EXPECT_GT(t[1].Baseline.y(), t[0].Baseline.y());
}

TEST_F(HtmlMarkup, SelectedKeepsTheCallersColours) {
  Call.Selected = true;
  for (const char* in : {"<FONT COLOR=\"#FF0000\">x", "<A HREF=\"h\">x</A>", "<FONT BGCOLOR=\"#FF0000\">x"}) {
    Device.Clear();
    const auto& t = Texts(U(in));
    ASSERT_EQ(t.size(), 1u) << in;
    EXPECT_EQ(t[0].Color, QColor(0, 0, 0x80)) << in;
    for (const auto& r : Device.Recorded().Rects) EXPECT_NE(r.Fill, QColor(255, 0, 0)) << in;
  }
}

TEST_F(HtmlMarkup, AnchorsTakeTheUrlColourAndUnderline) {
  const auto& t = Texts(U("a<A HREF=\"x\">b</A>c"));
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[1].Color, QColor(0, 0, 255));
  EXPECT_TRUE(t[1].Font.underline());
  EXPECT_EQ(t[2].Color, QColor(0, 0, 0x80));
  EXPECT_FALSE(t[2].Font.underline());
  EXPECT_EQ(Call.HyperLinks, 1);

  // With the hover style only the hovered anchor is underlined.
  Call.HoverStyle = true;
  Call.HoverLink = 2;
  const auto& h = Texts(U("<A HREF=\"1\">a</A><A HREF=\"2\">b</A>"));
  ASSERT_EQ(h.size(), 2u);
  EXPECT_FALSE(h[0].Font.underline());
  EXPECT_TRUE(h[1].Font.underline());
  EXPECT_EQ(Call.HyperLinks, 2);
}

TEST_F(HtmlMarkup, HoveredAnchorTakesTheHoverColours) {
  Call.HoverStyle = true;
  Call.HoverLink = 1;
  Call.HoverColor = clYellow;
  Call.HoverFontColor = clRed;
  const auto& t = Texts(U("<A HREF=\"1\">a</A>b<A HREF=\"2\">c</A>"));
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].Color, QColor(255, 0, 0));
  EXPECT_TRUE(t[0].Font.underline());
  EXPECT_EQ(t[1].Color, QColor(0, 0, 0x80));
  EXPECT_EQ(t[2].Color, QColor(0, 0, 255));  // not hovered: the URL colour, not underlined
  EXPECT_FALSE(t[2].Font.underline());
  int yellow = 0;
  for (const auto& r : Device.Recorded().Rects) yellow += r.Fill == QColor(255, 255, 0);
  EXPECT_EQ(yellow, 1);  // the text box of the hovered anchor only
}

TEST_F(HtmlMarkup, HighlightBlinkShadowHidden) {
  SetHTMLHighlightColors(clYellow, clRed);
  auto restore = qScopeGuard([] { SetHTMLHighlightColors(clHighlight, clHighlightText); });
  const auto& t = Texts(U("a<HI>b</HI>c"));
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[1].Color, QColor(255, 0, 0));
  EXPECT_EQ(t[2].Color, QColor(0, 0, 0x80));
  bool yellow = false;
  for (const auto& r : Device.Recorded().Rects) yellow |= r.Fill == QColor(255, 255, 0);
  EXPECT_TRUE(yellow);

  Call.BlinkOn = false;
  const auto& b = Texts(U("a<BLINK>b</BLINK>c"));
  ASSERT_EQ(b.size(), 3u);
  EXPECT_EQ(b[1].Color, QColor(255, 255, 255));  // the entry background
  EXPECT_EQ(b[2].Color, QColor(0, 0, 0x80));
  Call.BlinkOn = true;
  EXPECT_EQ(Texts(U("a<BLINK>b</BLINK>c"))[1].Color, QColor(0, 0, 0x80));

  Call.ShadowOffset = 2;
  const auto& s = Texts(U("<SHAD>x</SHAD>y"));
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0].Color, QColor(0x80, 0x80, 0x80));
  EXPECT_EQ(s[0].Baseline, s[1].Baseline + QPoint(2, 2));

  EXPECT_EQ(Shown(U("a<Z>hidden</Z>b")), U("ab"));
}

// A closing tag without its opening tag changes nothing: "a</HR>b" and "a</R>b"
// draw like "ab". Before, </H...> restored colours that no <HI> had saved.
TEST_F(HtmlMarkup, ClosingTagWithoutOpeningChangesNothing) {
  auto picture = [&](const QString& Text) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas c;
    c.SetDevice(&image);
    c.Font()->Assign(Canvas.Font());
    c.Brush()->SetColor(clWhite);
    THtmlCall call;
    call.Draw(&c, Text);
    c.SetDevice(nullptr);
    return image;
  };
  const QImage plain = picture(U("ab"));
  EXPECT_EQ(picture(U("a</HR>b")), plain);
  EXPECT_EQ(picture(U("a</R>b")), plain);
  EXPECT_EQ(picture(U("a</HI>b")), plain);
}

// </P> and </A> give back only the background that their own opening tag set.
TEST_F(HtmlMarkup, ClosingParagraphOrAnchorKeepsAFontBackground) {
  for (const char* in : {"<FONT BGCOLOR=\"#FF0000\">a</P>b", "<FONT BGCOLOR=\"#FF0000\">a</A>b"}) {
    Texts(U(in));
    int red = 0;
    for (const auto& r : Device.Recorded().Rects) red += r.Fill == QColor(255, 0, 0);
    EXPECT_EQ(red, 2) << in;  // the text boxes of "a" and "b"
  }
}

// A second <R> replaces the rotation; no rotated font outlives the call, and the
// canvas's own font is selected on return (checked by every Draw).
TEST_F(HtmlMarkup, RotatedFontsAreReleased) {
  for (const char* in : {"<R a=\"90\">x<R a=\"45\">y</R>z", "<R a=\"90\">x<R a=\"45\">y", "<R a=\"90\">x</R></R>y",
                         "<R a=\"30\"><B>x</B></R>y<BR><R a=\"10\">z"}) {
    Texts(U(in));
    EXPECT_EQ(HTMLLiveRotatedFonts(), 0) << in;
  }
  EXPECT_EQ(Shown(U("<R a=\"90\">x<R a=\"45\">y</R>z")), U("xyz"));
}

TEST_F(HtmlMarkup, SubAndSuperscript) {
  const auto& t = Texts(U("x<SUP>2</SUP>y<SUB>3</SUB>"));
  ASSERT_EQ(t.size(), 4u);
  const int q = Gh / 4;
  EXPECT_EQ(t[1].Baseline.y(), t[0].Baseline.y() - q);
  EXPECT_EQ(t[2].Baseline.y(), t[0].Baseline.y());
  EXPECT_EQ(t[3].Baseline.y(), t[0].Baseline.y() + q);
  EXPECT_EQ(Call.YSize, Gh + q + q);
}

TEST_F(HtmlMarkup, ErrorMarkingDrawsARedWave) {
  Texts(U("a<E>wrong</E>b"));
  int red = 0;
  int minX = 1000, maxX = -1;
  int minY = 1000, maxY = -1;
  // One-pixel pens are drawn as runs of pixels.
  for (const auto& r : Device.Recorded().Rects)
    if (r.Fill == QColor(255, 0, 0)) {
      ++red;
      minX = std::min(minX, r.R.left());
      maxX = std::max(maxX, r.R.right());
      minY = std::min(minY, r.R.top());
      maxY = std::max(maxY, r.R.bottom());
    }
  const auto& t = Device.Recorded().Texts;
  ASSERT_EQ(t.size(), 3u);
  const int left = t[1].Baseline.x(), right = left + Canvas.TextWidth(QStringLiteral("wrong"));
  EXPECT_GT(red, 3);
  EXPECT_LE(minX, left);
  EXPECT_GE(maxX, right);
  EXPECT_LT(maxX, right + 4);
  EXPECT_EQ(maxY - minY, 2);  // a wave two pixels high under the line's bottom
  EXPECT_EQ(maxY, Gh + 1);
}

}  // namespace
