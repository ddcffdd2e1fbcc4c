// The mini-HTML renderer: lines, sizes, lists, alignment, rules and anchor hit tests.
#include <QScopeGuard>

#include "tests/controls/HtmlRenderSupport.h"

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

using HtmlLayout = HtmlCanvasTest;

TEST_F(HtmlLayout, EmptyTextLaysOutNoLine) {
  EXPECT_TRUE(Texts(U("")).empty());
  EXPECT_EQ(Call.YSize, Gh);
  EXPECT_EQ(Call.XSize, 0);
  EXPECT_FALSE(Call.Result);
  EXPECT_EQ(Call.MouseLink, -1);
}

TEST_F(HtmlLayout, LinesAndSizes) {
  const struct {
    const char* In;
    int Lines;  // line count, each Gh high
    const char* Widest;
  } rows[] = {
      {"a<BR><BR>b", 3, "a"},     {"ab", 1, "ab"},           {"a\rbc", 2, "bc"}, {"<HR>", 1, ""},
      {"x</P>y", 2, "x"},         {"x</LI>y", 2, "x"},       {"a<UL>b", 2, "a"}, {"ab </B>", 1, "ab"},
      {"<Z>zz</Z>a", 1, "a"},
  };
  for (const auto& r : rows) {
    Texts(U(r.In));
    EXPECT_EQ(Call.YSize, r.Lines * Gh) << r.In;
    EXPECT_EQ(Call.XSize, W(r.Widest)) << r.In;
  }
  const auto& t = Texts(U("a<BR><BR>b"));
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].Baseline.y() - t[0].Baseline.y(), 2 * Gh);
  EXPECT_EQ(t[0].Baseline.x(), 1);  // lines start one pixel right of Rect's left
}

TEST_F(HtmlLayout, WordWrapBreaksAfterTheLastSpaceThatFits) {
  Call.WordWrap = true;
  Call.Rect = TRect(0, 0, 100, 200);
  const QString sentence = U("one two three four five six seven");
  const auto& t = Texts(sentence);
  std::map<int, QString> lines;
  for (const auto& r : t) lines[r.Baseline.y()] += r.Text;
  ASSERT_GT(lines.size(), 1u);
  QString joined;
  for (const auto& [y, line] : lines) {
    const QString trimmed = line.trimmed();
    EXPECT_LT(Canvas.TextWidth(trimmed), 100) << trimmed.toStdString();
    joined += line;
  }
  EXPECT_EQ(joined.simplified(), sentence);
  // Each line takes as many words as fit: the next line's first word did not.
  QString prev;
  for (const auto& [y, line] : lines) {
    if (!prev.isEmpty()) {
      EXPECT_GE(Canvas.TextWidth(prev + line.section(QLatin1Char(' '), 0, 0)), 99);
    }
    prev = line;
  }
  // A word longer than the line is taken whole; what follows starts the next line.
  const auto& l = Texts(U("averyveryveryverylongword b"));
  ASSERT_EQ(l.size(), 2u);
  EXPECT_LT(l[0].Baseline.y(), l[1].Baseline.y());
  EXPECT_EQ(l[1].Baseline.x(), 1);
  EXPECT_GT(Call.XSize, 100);
}

TEST_F(HtmlLayout, WithoutWordWrapTheFirstOverflowingLineIsTheLast) {
  Call.Rect = TRect(0, 0, 100, 200);
  const auto& both = Texts(U("first<BR>second"));
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[1].Text, U("second"));

  // The second run overflows but is narrower than the line.
  const auto& cut = Texts(U("abcdefghij <B>klmnopq</B> r<BR>second"));
  EXPECT_FALSE(Device.AllText().contains(U("second")));
  ASSERT_GE(cut.size(), 2u);
  EXPECT_TRUE(cut[1].Text.endsWith(U("...")));
  EXPECT_EQ(Call.YSize, Gh);
}

TEST_F(HtmlLayout, Lists) {
  const auto& t = Texts(U("<UL><LI>a<LI>b</UL>"));
  // Bullets are drawn in the "Symbol" face (a filled bullet for odd levels).
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0].Text, U("\u2022"));
  EXPECT_EQ(t[1].Text, U("a"));
  EXPECT_EQ(t[3].Text, U("b"));
  EXPECT_EQ(t[1].Baseline.x(), 1 + 12);
  EXPECT_EQ(t[3].Baseline.x(), 1 + 12);
  EXPECT_EQ(t[3].Baseline.y() - t[1].Baseline.y(), Gh);
  EXPECT_EQ(Call.YSize, 3 * Gh);  // an empty line opens the list

  const auto& n = Texts(U("<UL><UL><LI>x</UL></UL>"));
  ASSERT_EQ(n.size(), 2u);
  EXPECT_EQ(n[0].Text, U("\u03BF"));  // "o" in the "Symbol" face
  EXPECT_EQ(n[1].Baseline.x(), 1 + 24);
}

TEST_F(HtmlLayout, CentringIgnoresATrailingSpace) {
  Call.Rect = TRect(0, 0, 201, 100);
  const auto& t = Texts(U("<P ALIGN=\"CENTER\">ab </P>"));
  ASSERT_EQ(t.size(), 1u);
  const int w = W("ab");
  EXPECT_EQ(t[0].Baseline.x(), 1 + (201 - 1 - w) / 2);
  const auto& i = Texts(U("<P INDENT=\"7\">a</P>b"));
  ASSERT_EQ(i.size(), 2u);
  EXPECT_EQ(i[0].Baseline.x(), 8);
  EXPECT_EQ(i[1].Baseline.x(), 8);
  const auto& ind = Texts(U("a<IND x=\"50\">b<IND x=\"10\">c"));
  ASSERT_EQ(ind.size(), 3u);
  EXPECT_EQ(ind[1].Baseline.x(), 50);
  EXPECT_EQ(ind[2].Baseline.x(), 50 + W("b"));
}

TEST_F(HtmlLayout, HorizontalRule) {
  Texts(U("<HR>"));
  EXPECT_EQ(Call.YSize, Gh);
  bool rule = false;
  for (const auto& r : Device.Recorded().Rects)
    if (r.Fill == QColor(0, 0, 0) && r.R.top() == Gh + 1 && r.R.height() == 1 && r.R.left() == 1 && r.R.right() == 299)
      rule = true;
  EXPECT_TRUE(rule);
}

TEST_F(HtmlLayout, ParagraphBackgroundFillsEachLineOfIt) {
  QImage image(300, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  TCanvas c;
  c.SetDevice(&image);
  c.Font()->Assign(Canvas.Font());
  THtmlCall call;
  call.Draw(&c, U("<P BGCOLOR=\"#00FF00\">a<BR>b</P>c"));
  c.SetDevice(nullptr);
  const QRgb green = qRgb(0, 255, 0);
  EXPECT_EQ(image.pixel(150, 1), green);
  EXPECT_EQ(image.pixel(298, Gh - 2), green);
  EXPECT_EQ(image.pixel(150, Gh + 2), green);
  EXPECT_EQ(image.pixel(150, 2 * Gh + 2), qRgb(255, 255, 255));  // "c" is outside the paragraph
}

TEST_F(HtmlLayout, LinesThatStartBelowTheRectangleAreDropped) {
  Call.Rect = TRect(0, 0, 300, Gh + Gh / 2);
  const auto& t = Texts(U("a<BR>b<BR>c"));
  EXPECT_EQ(t.size(), 1u);
  EXPECT_EQ(Call.YSize, Gh);
  Call.MeasureOnly = true;
  Texts(U("a<BR>b<BR>ccc"));
  EXPECT_TRUE(Device.Recorded().Texts.empty());
  EXPECT_EQ(Call.YSize, 3 * Gh);
  EXPECT_EQ(Call.XSize, W("ccc"));
  EXPECT_FALSE(Call.Result);
}

// Hit tests: the grid's calls for mouse movement and clicks.
TEST_F(HtmlLayout, AnchorHitTests) {
  const QString text = U("ab <A HREF=\"http://x\" TITLE=\"The Title\">link</A> cd");
  const int left = 1 + W("ab ");
  const int right = left + W("link");
  const struct {
    int X, Y;
    bool Hit;
  } rows[] = {
      {left + 2, Gh / 2, true}, {right - 1, Gh - 1, true}, {left - 3, Gh / 2, false},
      {right + 3, Gh / 2, false}, {left + 2, Gh + 2, false}, {left + 2, 0, false},
  };
  for (const auto& r : rows) {
    THtmlCall c;
    EXPECT_EQ(c.Hit(&Canvas, text, r.X, r.Y), r.Hit) << r.X << "," << r.Y;
    if (r.Hit) {
      EXPECT_EQ(c.AnchorVal, U("http://x"));
      EXPECT_EQ(c.AnchorTitle, U("The Title"));
      EXPECT_EQ(c.MouseLink, 1);
      EXPECT_EQ(c.HoverRect, TRect(left, 0, right, Gh));
    }
  }
  // An anchor without HREF is styled but not hit.
  THtmlCall c;
  EXPECT_FALSE(c.Hit(&Canvas, U("<A>link</A>"), 5, Gh / 2));
  EXPECT_EQ(c.HyperLinks, 1);
}

TEST_F(HtmlLayout, HitOnTheSecondLineOfAWrappedAnchor) {
  Call.WordWrap = true;
  Call.Rect = TRect(0, 0, 4 + W("words anchor "), 200);
  const QString text = U("words <A HREF=\"h\">anchor wraps</A>");
  const auto& t = Texts(text);
  ASSERT_EQ(t.size(), 3u);
  ASSERT_EQ(t[2].Text, U("wraps"));
  ASSERT_EQ(t[2].Baseline.x(), 1);
  THtmlCall c = Call;
  EXPECT_TRUE(c.Hit(&Canvas, text, 3, Gh + Gh / 2));
  EXPECT_EQ(c.AnchorVal, U("h"));
  EXPECT_EQ(c.MouseLink, 1);
  EXPECT_EQ(c.HoverRect, TRect(1, Gh, 1 + W("wraps"), 2 * Gh));
  EXPECT_FALSE(c.Hit(&Canvas, text, 3, Gh / 2));
}

TEST_F(HtmlLayout, FocusedAnchorGetsAFocusRectangle) {
  Call.FocusLink = 1;
  Texts(U("<A HREF=\"a\">one</A> <A HREF=\"b\">two</A>"));
  EXPECT_EQ(Call.FocusAnchor, U("b"));
  Call.FocusLink = -1;
  Texts(U("<A HREF=\"a\">one</A>"));
  EXPECT_EQ(Call.FocusAnchor, U(""));
}

TEST_F(HtmlLayout, StripValHoldsTheRuns) {
  Texts(U("a<B>b</B><BR>c"));
  EXPECT_EQ(Call.StripVal, U("ab\rc"));
}

TEST_F(HtmlLayout, RightToLeftInAMiddleEasternLocale) {
  const TSysLocale saved = SysLocale;
  auto restore = qScopeGuard([&] { SysLocale = saved; });
  SysLocale.MiddleEast = true;
  Call.BiDi = bdRightToLeft;
  const auto& t = Texts(U("ab"));
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].Baseline.x() + W("ab"), 300);
  SysLocale.MiddleEast = false;
  const auto& l = Texts(U("ab"));
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0].Baseline.x(), 1);
}

}  // namespace
