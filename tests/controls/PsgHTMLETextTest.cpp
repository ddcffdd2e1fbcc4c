// The mini-HTML text routines: entities, colour values, <CONTROL> tags and tag utilities.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "common/TestSupport.h"
#include "controls/PsgHTMLE.h"
#include "controls/PsgHTMLE_p.h"

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

// ------------------------------------------------------------- entities

TEST(HtmlEntities, EncodeAndDecodeExamples) {
  EXPECT_EQ(EncodeHTMLEntities(U("a&b<é>"), true), U("a&amp;b&lt;&eacute;&gt;"));
  EXPECT_EQ(EncodeHTMLEntities(U("a&b<é>"), false), U("a&amp;b&lt;é&gt;"));
  EXPECT_EQ(EncodeHTMLEntities(U("say \"hi\""), false), U("say &quot;hi&quot;"));
  EXPECT_EQ(DecodeHTMLEntities(U("&Eacute;t&eacute;"), true), U("Été"));
  EXPECT_EQ(DecodeHTMLEntities(U("&Otilde;"), true), U("Õ"));
  EXPECT_EQ(DecodeHTMLEntities(U("&Eacute;t&eacute;"), false), U("&Eacute;t&eacute;"));
  EXPECT_EQ(DecodeHTMLEntities(U("&lt;b&gt; &quot;x&quot; &amp;"), false), U("<b> \"x\" &"));
  EXPECT_EQ(DecodeHTMLEntities(U("&euro;&copy;&reg;&laquo;&raquo;"), true), U("€©®«»"));
  // Entity names are matched with their exact case; unknown ones stay.
  EXPECT_EQ(DecodeHTMLEntities(U("&LT;&nbsp;&"), true), U("&LT;&nbsp;&"));
  EXPECT_EQ(SpacesToNbsp(U("a b  c")), U("a&nbsp;b&nbsp;&nbsp;c"));
}

// Decoding takes every entity once. Repeating the replacements until none was
// left turned "&amp;amp;" (the encoding of the text "&amp;") into "&", and with
// the flag "&amp;eacute;" into "é"; now "&amp;eacute;" decodes to "&eacute;".
TEST(HtmlEntities, DecodingTakesEachEntityOnce) {
  const struct {
    const char* In;
    bool All;
    const char* Out;
  } rows[] = {
      {"&amp;amp;", false, "&amp;"},
      {"&amp;quot;", false, "&quot;"},
      {"&amp;eacute;", true, "&eacute;"},
      {"&amp;lt;b&amp;gt;", true, "&lt;b&gt;"},
      {"&&amp;", false, "&&"},
      {"&lt;&lt;", false, "<<"},
  };
  for (const auto& r : rows) EXPECT_EQ(DecodeHTMLEntities(U(r.In), r.All), U(r.Out)) << r.In;
}

// The encoder escapes "&" in one pass: a "*amp;" that the user typed stays.
TEST(HtmlEntities, TypedStarAmpStays) {
  EXPECT_EQ(EncodeHTMLEntities(U("*amp;&"), false), U("*amp;&amp;"));
  EXPECT_EQ(DecodeHTMLEntities(EncodeHTMLEntities(U("*amp;"), true), true), U("*amp;"));
}

TEST(HtmlEntities, EveryTextSurvivesEncodeAndDecode) {
  const char* texts[] = {"&amp;",  "&lt;b&gt;", "*amp;",       "&eacute;", "é è Ö ç å € © ®",
                         "\"quoted\"", "a<b>c",    "<",           ">",        "&",
                         "&&amp;;", "x&amp;y",   "a&b<c",        "",         "&Otilde; Õ &atilde;"};
  for (bool all : {false, true})
    for (const char* t : texts) {
      const QString text = U(t);
      EXPECT_EQ(DecodeHTMLEntities(EncodeHTMLEntities(text, all), all), text) << t << " all=" << all;
    }
}

// Random texts made of entity-like pieces (seeded, so a failure can be replayed).
TEST(HtmlEntities, RandomTextsSurviveEncodeAndDecode) {
  static const char* pieces[] = {"&", "amp;", "&amp;", "lt;", "&lt;", "&gt;", "\"", "&quot;", "<", ">", "*amp;",
                                 "&eacute;", "é", "Õ", "€", "&euro;", ";", "x", " ", "&&", "&#38;"};
  constexpr int kPieces = int(sizeof(pieces) / sizeof(pieces[0]));
  for (quint32 seed = 1; seed <= 500; ++seed) {
    QRandomGenerator rng(seed);
    QString text;
    for (int i = rng.bounded(0, 12); i > 0; --i) text += U(pieces[rng.bounded(kPieces)]);
    const bool all = seed % 2 == 0;
    EXPECT_EQ(DecodeHTMLEntities(EncodeHTMLEntities(text, all), all), text) << "seed " << seed;
  }
}

// The table of 55 names agrees with the standard's names: the list written here
// is compared with python3's html.entities by the script beside the tests.
TEST(HtmlEntities, TableAgreesWithTheStandardNames) {
  ASSERT_EQ(HTMLEntityTable().size(), 55u);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString list = dir.filePath(QStringLiteral("entities.txt"));
  {
    QFile f(list);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (const auto& e : HTMLEntityTable())
      f.write(QStringLiteral("%1 %2\n").arg(QLatin1StringView(e.Name)).arg(int(e.Char)).toUtf8());
  }
  const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  // The check is part of the suite: a missing python3 fails it (scripts/setup.sh installs one).
  ASSERT_FALSE(python.isEmpty()) << "python3 is not installed";
  QProcess p;
  p.start(python, {TEST_DATA("check_html_entities.py"), list});
  ASSERT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString() << p.readAllStandardError().toStdString();
}

// ---------------------------------------------------------------- colours

TEST(HtmlColors, NamesAndHexValues) {
  EXPECT_EQ(ColorFromName(U("cl3ddkshadow")), TColor(0xFF000015));
  EXPECT_EQ(ColorFromName(U("red")), 0);
  EXPECT_EQ(ColorFromName(U("clred")), TColor(0x0000FF));
  EXPECT_EQ(ColorFromName(U("clteal")), TColor(0x808000));
  EXPECT_EQ(ColorFromName(U("clinfobk")), TColor(0xFF000018));
  EXPECT_EQ(ColorFromName(U("clblack")), 0);
  EXPECT_EQ(ColorFromName(U("clRed")), 0);  // the caller lower-cases
  EXPECT_EQ(ColorFromHex(U("#FF8000")), TColor(0x0080FF));
  EXPECT_EQ(ColorFromHex(U("#000000")), 0);
  EXPECT_EQ(ColorFromHex(U("#")), 0);
  EXPECT_EQ(HexPairValue(U("F")), 0);
  EXPECT_EQ(HexPairValue(U("")), 0);
  EXPECT_EQ(HexPairValue(U("1F")), 31);
  EXPECT_EQ(HexPairValue(U("FF")), 255);
}

TEST(HtmlColors, HexValuesStayWithinTheirThreeBytes) {
  // A character that is no hexadecimal digit counts as 0: "\uFFFF" once made a
  // pair of over a million and the colour overflowed.
  EXPECT_EQ(ColorFromHex(U("#00F\uFFFF\uFFFF\uFFFF\uFFFF")), TColor(0x00F000));
  EXPECT_EQ(HexPairValue(U("\uFFFF\uFFFF")), 0);
  EXPECT_EQ(HexPairValue(U("G!")), 0);
  EXPECT_EQ(HexPairValue(U("ff")), 255);
  EXPECT_EQ(ColorFromHex(U("#ff8000")), TColor(0x0080FF));
  EXPECT_EQ(ColorFromHex(U("#-1zz~~")), 1);  // "-", "z" and "~" count as 0
}

TEST(HtmlText, IntPrefixReadsLikeVal) {
  const struct {
    const char* In;
    int Out;
  } rows[] = {{" -12abc", -12}, {"$1F", 31}, {"0x1F", 31}, {"0X1f", 31}, {"x", 0},  {"", 0},
              {"42", 42},       {"+7 ", 7},  {"12.5", 12}, {"$", 0},     {"-", 0}, {"99999999999", INT_MAX}};
  for (const auto& r : rows) EXPECT_EQ(IntPrefix(U(r.In)), r.Out) << r.In;
}

// ---------------------------------------------------------- inline controls

const char* kThree =
    "<CONTROL TYPE=\"EDIT\" ID=\"E1\" VALUE=\"a\" WIDTH=\"40\">"
    "<CONTROL TYPE=\"CHECK\" ID=\"C1\" VALUE=\"TRUE\" WIDTH=\"20\">"
    "<control type=\"edit\" id=\"E2\" value=\"b\" width=\"40\">";

TEST(HtmlControls, ParseControlTagReadsEveryAttribute) {
  TControlTag t = ParseControlTag(
      U(" type=\"combo\" ID=\"c\" VALUE=\"a&amp;b&eacute;\" WIDTH=\"80\" HEIGHT=\"30\" PROP=\"x&lt;y\" MAXLEN=\"5\""));
  EXPECT_EQ(t.Type, U("COMBO"));
  EXPECT_EQ(t.ID, U("c"));
  EXPECT_EQ(t.Value, U("a&bé"));
  EXPECT_EQ(t.Width, U("80"));
  EXPECT_EQ(t.Height, U("30"));
  EXPECT_EQ(t.Prop, U("x<y"));
  EXPECT_EQ(t.MaxLen, U("5"));
  TControlTag none = ParseControlTag(U(" TYPE=EDIT"));
  EXPECT_TRUE(none.Type.isEmpty());
  EXPECT_TRUE(none.ID.isEmpty());
  TControlTag open = ParseControlTag(U(" TYPE=\"edit\" VALUE=\"abc"));  // a value without its closing quote
  EXPECT_EQ(open.Type, U("EDIT"));
  EXPECT_TRUE(open.Value.isEmpty());
}

TEST(HtmlControls, SetControlValueRewritesTheTag) {
  QString t = U("x<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"FALSE\" WIDTH=\"20\" HEIGHT=\"30\">y");
  EXPECT_TRUE(SetControlValue(t, U("c"), U("TRUE")));
  EXPECT_EQ(t, U("x<CONTROL ID=\"c\" VALUE=\"TRUE\" WIDTH=\"20\" TYPE=\"CHECK\" HEIGHT=\"30\">y"));

  QString p = U("<CONTROL type=\"combo\" ID=\"k\" VALUE=\"\" WIDTH=\"60\" PROP=\"a&amp;b\" MAXLEN=\"3\" STYLE=\"x\">");
  EXPECT_TRUE(SetControlValue(p, U("k"), U("é<")));
  EXPECT_EQ(p, U("<CONTROL ID=\"k\" VALUE=\"&eacute;&lt;\" WIDTH=\"60\" TYPE=\"COMBO\" PROP=\"a&amp;b\" MAXLEN=\"3\">"));

  QString same = U(kThree);
  EXPECT_FALSE(SetControlValue(same, U("nope"), U("v")));
  EXPECT_FALSE(SetControlValue(same, U("e1"), U("v")));  // IDs compare with case
  EXPECT_EQ(same, U(kThree));
}

// Values go through the tag unchanged, also values that look like entities.
TEST(HtmlControls, ValuesComeBackAsTyped) {
  for (const char* v : {"a&b<c", "x&amp;y", "\"q\"", "&eacute;", "é", ""}) {
    QString t = U("<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"\" WIDTH=\"50\">");
    ASSERT_TRUE(SetControlValue(t, U("e"), U(v)));
    QString back;
    ASSERT_TRUE(GetControlValue(t, U("e"), back));
    EXPECT_EQ(back, U(v));
  }
}

TEST(HtmlControls, LookupsByID) {
  const QString t = U(kThree);
  EXPECT_EQ(GetNextControlID(t, U("")), U("E1"));
  EXPECT_EQ(GetNextControlID(t, U("E1")), U("E2"));
  EXPECT_EQ(GetNextControlID(t, U("E2")), U(""));
  EXPECT_EQ(GetNextControlID(t, U("C1")), U("E2"));
  QString v;
  EXPECT_TRUE(GetControlValue(t, U("C1"), v));
  EXPECT_EQ(v, U("TRUE"));
  v = U("kept");
  EXPECT_FALSE(GetControlValue(t, U("X"), v));
  EXPECT_EQ(v, U("kept"));
  EXPECT_TRUE(HasControlTag(U("a<control")));
  EXPECT_FALSE(HasControlTag(U("a<contro")));

  const QString m = U("<CONTROL TYPE=\"EDIT\" ID=\"m\" PROP=\"!99;1\" MAXLEN=\"12abc\" WIDTH=\"9\">"
                      "<CONTROL TYPE=\"EDIT\" ID=\"n\" MAXLEN=\"zz\" WIDTH=\"9\">");
  EXPECT_EQ(GetControlProp(m, U("m")), U("!99;1"));
  EXPECT_EQ(GetControlMaxLen(m, U("m")), 12);
  EXPECT_EQ(GetControlMaxLen(m, U("n")), 0);
  EXPECT_EQ(GetControlProp(m, U("x")), U(""));
}

TEST(HtmlControls, UnclosedControlReadsTheRestOfTheText) {
  const QString t = U("a<CONTROL TYPE=\"EDIT\" ID=\"u\" VALUE=\"v\" WIDTH=\"30\"");
  QString v;
  EXPECT_TRUE(GetControlValue(t, U("u"), v));
  EXPECT_EQ(v, U("v"));
  QString s = t;
  EXPECT_TRUE(SetControlValue(s, U("u"), U("w")));
  EXPECT_EQ(s, U("a<CONTROL ID=\"u\" VALUE=\"w\" WIDTH=\"30\" TYPE=\"EDIT\">"));
}

TEST(HtmlControls, ClearRadioControls) {
  const QString t = U("<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"16\">x"
                      "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"16\">"
                      "<CONTROL TYPE=\"radio\" ID=\"r2\" VALUE=\"TRUE\" WIDTH=\"16\">");
  const QString r = ClearRadioControls(t);
  QString v;
  ASSERT_TRUE(GetControlValue(r, U("r1"), v));
  EXPECT_EQ(v, U("FALSE"));
  ASSERT_TRUE(GetControlValue(r, U("r2"), v));
  EXPECT_EQ(v, U("FALSE"));
  ASSERT_TRUE(GetControlValue(r, U("c"), v));
  EXPECT_EQ(v, U("TRUE"));
  EXPECT_TRUE(r.contains(U(">x<")));
}

// ------------------------------------------------------------ tag utilities

TEST(HtmlTags, StripHTMLTags) {
  EXPECT_EQ(StripHTMLTags(U("a<b>b</b><br>c")), U("ab\r\nc"));
  EXPECT_EQ(StripHTMLTags(U("a<b")), U("a<b"));
  EXPECT_EQ(StripHTMLTags(U("x<HR>y<i>z</i>")), U("x\r\nyz"));
  EXPECT_EQ(StripHTMLTags(U("1 &lt; 2")), U("1 &lt; 2"));
  EXPECT_EQ(StripHTMLTags(U("<a><b")), U("<b"));
}

TEST(HtmlTags, MatchTagsExamplesAndRoundTrip) {
  const QString tagged = InsertMatchTags(U("ab<b>cd</b>"), U("bc"), U("hi"), false);
  EXPECT_EQ(tagged, U("a<hi>b<b>c</hi>d</b>"));
  EXPECT_EQ(RemoveMatchTags(tagged, U("hi")), U("ab<b>cd</b>"));

  const struct {
    const char* Html;
    const char* Search;
    bool Case;
    const char* Out;
  } rows[] = {
      {"abcabc", "BC", false, "a<hi>bc</hi>a<hi>bc</hi>"},
      {"abcabc", "BC", true, "abcabc"},
      {"aaaa", "aa", false, "<hi>aa</hi><hi>aa</hi>"},
      {"xyz", "z", false, "xy<hi>z</hi>"},
      {"a<b", "b", false, "a&lt;<hi>b</hi>"},
      {"<i>q</i>", "q", false, "<i><hi>q</i></hi>"},
      {"none", "zz", false, "none"},
      {"abc", "", false, "abc"},
  };
  for (const auto& r : rows) {
    const QString out = InsertMatchTags(U(r.Html), U(r.Search), U("hi"), r.Case);
    EXPECT_EQ(out, U(r.Out)) << r.Html;
  }
  // The cell with "a<b" highlighted for b reads as before once the tags go.
  EXPECT_EQ(RemoveMatchTags(InsertMatchTags(U("a<b"), U("b"), U("hi"), false), U("hi")), U("a<b"));
  EXPECT_EQ(RemoveMatchTags(U("<HI>x</Hi> &lt;&gt;"), U("hi")), U("x <>"));
}

TEST(HtmlTags, PositionsAndReplacements) {
  EXPECT_EQ(CaselessPos(U("bC"), U("aBc")), 2);
  EXPECT_EQ(CaselessPos(U("z"), U("aBc")), 0);
  int pos = -1;
  EXPECT_EQ(PosStore(U("c"), U("abc"), pos), 3);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(PosStoreUpper(U("BC"), U("abc"), pos), 2);
  EXPECT_EQ(pos, 2);
  QString t = U("One two ONE");
  EXPECT_TRUE(ReplaceFirstCaseless(U("one"), U("1"), t));
  EXPECT_EQ(t, U("1 two ONE"));
  EXPECT_FALSE(ReplaceFirstCaseless(U("three"), U("3"), t));
  EXPECT_EQ(UnbracketHashTags(U("x <#y> <#Field>z")), U("x #y #Fieldz"));
  EXPECT_EQ(UnbracketHashTags(U("x <#y")), U("x #y"));
  EXPECT_EQ(LineBreaksToBRTags(U("a\r\nb\nc"), true), U("a<BR>bc"));
  EXPECT_EQ(LineBreaksToBRTags(U("a\r\nb"), false), U("a\rb"));
  EXPECT_EQ(PasswordMask(U("abc")), U("***"));
}

// Random texts of tag pieces (seeded): the routines never fail, and a control
// value that was written reads back as written.
TEST(HtmlTags, RandomTextsNeverFail) {
  const QString alphabet = U("<<>>/\"\"= aAcCoOnNtTrRlLiIdDvVeEyYpPwWhH&;#\r\n09-xX$é");
  const QStringList words = {U("<CONTROL "), U("TYPE="), U("ID="), U("VALUE="), U("WIDTH="), U("\"EDIT\""),
                             U("\"RADIO\""), U("\"e\""), U("<hi>"), U("</hi>"), U("&lt;"), U("&amp;"), U("<BR>")};
  for (quint32 seed = 1; seed <= 1000; ++seed) {
    QRandomGenerator rng(seed);
    QString s;
    for (int i = rng.bounded(0, 25); i > 0; --i)
      s += rng.bounded(3) == 0 ? words[rng.bounded(int(words.size()))] : QString(alphabet[rng.bounded(int(alphabet.size()))]);
    QString t = s;
    if (SetControlValue(t, U("e"), U("x&y<\"é"))) {
      QString v;
      EXPECT_TRUE(GetControlValue(t, U("e"), v)) << "seed " << seed;
      EXPECT_EQ(v, U("x&y<\"é")) << "seed " << seed;
    }
    GetNextControlID(s, U("e"));
    ClearRadioControls(s);
    StripHTMLTags(s);
    UnbracketHashTags(s);
    RemoveMatchTags(InsertMatchTags(s, s.mid(int(rng.bounded(4)), 2), U("hi"), seed % 2), U("hi"));
  }
}

}  // namespace
