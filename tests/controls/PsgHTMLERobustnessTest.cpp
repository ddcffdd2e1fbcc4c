// The mini-HTML renderer on bad input: malformed texts and random tag soups.
// Every call returns, raises nothing and leaves the canvas as it found it (the
// checks of THtmlCall::Draw).
#include <QRandomGenerator>

#include "controls/PictureContainer.h"
#include "tests/controls/HtmlRenderSupport.h"

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

class HtmlBadInput : public HtmlCanvasTest {
 protected:
  void SetUp() override {
    HtmlCanvasTest::SetUp();
    Canvas.Font()->SetSize(9);
    Canvas.Font()->SetColor(clMaroon);
    Canvas.Brush()->SetColor(clInfoBk);
    Canvas.Pen()->SetColor(clTeal);
    Canvas.Pen()->SetWidth(2);
    Images = std::make_unique<TImageList>(nullptr);
    TBitmap b(16, 16);
    Images->Add(&b, nullptr);
  }

  // Paints, hit-tests and measures Text in Rect.
  void AllWays(const QString& Text, const TRect& Rect, int X = 5, int Y = 5) {
    SCOPED_TRACE(Text.toStdString());
    for (int way = 0; way < 4; ++way) {
      THtmlCall c;
      c.Rect = Rect;
      c.Images = Images.get();
      c.Container = &Container;  // the real lookup, finding nothing
      c.WordWrap = way % 2 == 0;
      c.FocusLink = 0;
      c.HoverLink = 1;
      c.HoverStyle = way == 1;
      c.HoverColor = clYellow;
      c.HoverFontColor = clRed;
      c.BlinkOn = way != 2;
      c.Selected = way == 3;
      if (way == 1) c.Hit(&Canvas, Text, X, Y, U("e"));
      if (way == 2) c.MeasureOnly = true;
      if (way != 1) c.Draw(&Canvas, Text);
      EXPECT_GE(c.XSize, 0);
      EXPECT_GT(c.YSize, 0);
    }
  }

  std::unique_ptr<TImageList> Images;
  TPictureContainer Container{nullptr};
};

TEST_F(HtmlBadInput, MalformedTexts) {
  const char* texts[] = {
      "<B>unclosed bold",
      "<FONT COLOR=\"#FF0000\">no end",
      "text<",
      "text<b",
      "<",
      "<<",
      "<<<>>>",
      "<>",
      "<>x",
      "a<>>b",
      "</>",
      "</",
      "<FONT COLOR=#FF0000 SIZE=12>unquoted",
      "<FONT SIZE=\"99999999999\">huge",
      "<FONT SIZE=\"-12\">negative",
      "<FONT SIZE=\"0\">zero",
      "<FONT SIZE=\"x\">not a number",
      "<FONT COLOR=\"#\">short hex<FONT COLOR=\"#ZZ\">",
      "<FONT FACE=\"\">empty face",
      "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"999999999\">huge width",
      "<CONTROL TYPE=\"BUTTON\" VALUE=\"v\" WIDTH=\"50\" HEIGHT=\"-100\">",
      "<CONTROL TYPE=\"EDIT\" WIDTH=\"-40\" HEIGHT=\"99999\">",
      "<CONTROL TYPE=\"CHECK\" WIDTH=\"\">",
      "<CONTROL",
      "<CONTROL TYPE=\"EDIT\" WIDTH=\"30\"",
      "<IMG SRC=\"IDX:99999999999\">",
      "<IMG SRC=\"IDX:\">",
      "<IMG SRC=\"\" WIDTH=\"-5\" HEIGHT=\"-5\">",
      "<IMG SRC=\"SSYS:\">",
      "<IMG SRC=\"LSYS:-1\">",
      "<IMG SRC=\"http://\" WIDTH=\"999999999\">",
      "<IMG SRC=\"IDX:0\" ALIGN=\"TOP\" ALIGN=\"MIDDLE\">",
      "<IND x=\"2147483647\">far<IND x=\"-2147483647\">back",
      "<P INDENT=\"2147483647\">x</P>",
      "<P INDENT=\"-99999\">x</P>",
      "<R a=\"2147483647\">x<R a=\"-99\">y",
      "<R>x</R></R></R>",
      "</A></A><A HREF=\"x\"><A HREF=\"y\">z",
      "<A HREF=\"unclosed>text",
      "<UL><UL><UL><LI></UL></UL></UL></UL></UL>",
      "<LI><LI><LI><LI>",
      "</HI></HI><HI><HI>x",
      "<SUB><SUP><SUB>x</SUP>",
      "<Z>hidden forever",
      "<BODY BGCOLOR=\"clNothing\" BACKGROUND=\"nope\">",
      "<P BGCOLOR=\"#00FF00\">no end paragraph<BR><BR><BR><BR><BR><BR><BR><BR>",
      "&&&&&amp;&amp;&;&lt&gt;&#65;&nbsp",
      "<#<#<#>",
      "\r\r\n\n\t\t<BR>",
      "<E><SHAD>x",
      "<HR><HR><HR><HR><HR><HR><HR><HR><HR><HR><HR><HR>",
      "a<IMG SRC=\"IDX:0\"><IMG SRC=\"IDX:0\"><IMG SRC=\"IDX:0\"><IMG SRC=\"IDX:0\"><IMG SRC=\"IDX:0\">",
  };
  const TRect rects[] = {TRect(0, 0, 150, 100), TRect(0, 0, 0, 0), TRect(100, 80, 10, 5), TRect(5, 5, 6, 6),
                         TRect(-50, -50, 30, 30)};
  for (const char* t : texts)
    for (const TRect& r : rects) AllWays(U(t), r);
}

// Random tag soups from a fixed seed: a failure names its seed, so it can be replayed.
TEST_F(HtmlBadInput, RandomTagSoups) {
  static const char* pieces[] = {
      "<", ">", "</", "\"", "=", " ", "a", "word ", "&amp;", "&lt;", "&nbsp;", "&", "\r\n", "<BR>",
      "<B>", "</B>", "<I>", "<U>", "</U>", "<S>", "<SUB>", "<SUP>", "</SU>", "<SHAD>", "</SHAD>",
      "<Z>", "</Z>", "<E>", "</E>", "<HI>", "</HI>", "</HR>", "<HR>", "<UL>", "</UL>", "<LI>", "</LI>",
      "<BLINK>", "</BLINK>", "<A HREF=\"h\" TITLE=\"t\">", "<A>", "</A>", "<FONT ", "COLOR=", "SIZE=",
      "BGCOLOR=", "FACE=", "\"#FF00FF\"", "\"clRed\"", "\"3\"", "\"-7\"", "\"40\"", "\"99999\"", "</FONT>",
      "<P ", "ALIGN=", "\"RIGHT\"", "\"CENTER\"", "INDENT=", "</P>", "<IND x=", "<R a=", "</R>",
      "<IMG SRC=\"IDX:0\"", "<IMG SRC=\"logo\"", " WIDTH=", " HEIGHT=", " ALT=\"IDX:0\"", "<CONTROL TYPE=\"",
      "EDIT\"", "CHECK\"", "RADIO\"", "BUTTON\"", "COMBO\"", "PASSWORD\"", " ID=\"e\"", " VALUE=\"v&amp;\"",
      "<BODY BGCOLOR=", "<#", "\t",
  };
  constexpr int kPieces = int(sizeof(pieces) / sizeof(pieces[0]));
  TScopedPictureSource pictures;
  auto& logo = pictures.Source->Named[U("LOGO")];
  logo.Width = 20;
  logo.Height = 10;
  for (quint32 seed = 1; seed <= 400; ++seed) {
    QRandomGenerator rng(seed);
    QString soup;
    const int n = rng.bounded(1, 40);
    for (int i = 0; i < n; ++i) soup += QString::fromUtf8(pieces[rng.bounded(kPieces)]);
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    const int w = rng.bounded(-20, 220), h = rng.bounded(-20, 140);
    AllWays(soup, TRect(rng.bounded(-10, 20), rng.bounded(-10, 20), w, h), rng.bounded(-5, 200),
            rng.bounded(-5, 120));
  }
}

}  // namespace
