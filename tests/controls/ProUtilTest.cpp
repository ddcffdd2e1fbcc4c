// Cell text routines, run under a decimal point and a decimal comma locale.
#include <gtest/gtest.h>

#include "controls/ProUtil.h"
#include "platform/rtl/Encodings.h"
#include "tests/controls/LocaleFixture.h"

namespace {

const QChar CR = u'\r';
const QChar LF = u'\n';

QString S(const char* Utf8) { return QString::fromUtf8(Utf8); }

}  // namespace

// ---------------------------------------------------------------------------
// Text kinds and the wide-text form

class CellTextKinds : public LocaleTest {};

TEST_P(CellTextKinds, ClassifiesByLeadingCharacters) {
  struct Case { QString text; bool html; TCellTextKind kind; };
  const Case cases[] = {
      {"", true, ctkPlain},
      {"=", true, ctkFormula},
      {"=A1+B2", false, ctkFormula},
      {"<b>x</b>", true, ctkHTML},
      {"<br>", true, ctkPlain},  // the "<B" test is case-sensitive
      {"<B>x", true, ctkHTML},
      {"<B>x", false, ctkPlain},
      {"a <I>b", true, ctkHTML},
      {"<C>", true, ctkHTML},
      {"x <", true, ctkPlain},      // a "<" that ends the text starts no tag
      {"1 < 2 </", true, ctkHTML},  // the second "<" opens the tag
      {"|", true, ctkPlain},
      {"{\\rtf1 x}", true, ctkRTF},
      {"{x}", true, ctkPlain},
      {"|\\", true, ctkWide},
      {"|x", true, ctkPlain},
      {"plain", true, ctkPlain},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClassifyCellText(c.text, c.html), c.kind) << c.text.toStdString();
}

TEST_P(CellTextKinds, EncodedFormulaStaysAFormula) {
  EXPECT_EQ(ClassifyCellText(EncodeWideText("=A"), true), ctkFormula);
  EXPECT_EQ(ClassifyCellText(EncodeWideText("A="), true), ctkWide);
  // A second character above 255 makes it a wide text even after "=".
  EXPECT_EQ(ClassifyCellText(EncodeWideText(S("=Ж")), true), ctkWide);
}

TEST_P(CellTextKinds, WideTextRoundTrip) {
  const QString ab = EncodeWideText("AB");
  EXPECT_EQ(ab, QString("|\\") + QChar(0) + "A" + QChar(0) + "B");
  const QString texts[] = {"", "plain", S("Grüße €"), S("Привет мир"), S("漢字かな"),
                           S("x\xF0\x9F\x98\x80y")};  // a character outside the 16-bit plane
  for (const QString& t : texts) {
    const QString enc = EncodeWideText(t);
    EXPECT_EQ(enc.size(), 2 + 2 * t.size());
    for (qsizetype i = 0; i < enc.size(); ++i) EXPECT_LT(enc[i].unicode(), 256);
    EXPECT_EQ(DecodeWideText(enc), t) << t.toStdString();
  }
  EXPECT_EQ(DecodeWideText(S("Grüße")), S("Grüße"));  // no prefix: unchanged
  // An odd last character is ignored.
  EXPECT_EQ(DecodeWideText(QString("|\\") + QChar(0) + "A" + QChar(0)), "A");
  EXPECT_EQ(PosWide(S("мир"), S("Привет мир")), 8);
  EXPECT_EQ(PosWide("x", "abc"), 0);
}

INSTANTIATE_LOCALES(CellTextKinds);

// ---------------------------------------------------------------------------
// Numbers

class NumberTexts : public LocaleTest {};

TEST_P(NumberTexts, Classification) {
  struct Case { const char* text; TNumberTextKind kind; };
  const Case cases[] = {
      {"", ntkNone},
      {"-", ntkInteger},
      {"12", ntkInteger},
      {"-12", ntkInteger},
      {"\xD9\xA1\xD9\xA2", ntkInteger},  // Arabic-Indic digits are number characters
      {"1{d}5", ntkFloat},
      {"1{t}234{d}5", ntkFloat},
      {"1{t}234{t}567", ntkFloat},
      {"1{t}23{t}4", ntkNone},  // thousands separators too close
      {"-1{d}5", ntkFloat},
      {"1{d}2{d}3", ntkNone},
      {"-1{d}5e-3", ntkScientific},
      {"1e5", ntkScientific},
      {"1E+5", ntkScientific},
      {"1e", ntkNone},
      {"e5", ntkNone},
      {"1e5e2", ntkNone},
      {"1-2", ntkNone},
      {"--1", ntkNone},
      {"12a", ntkNone},
      {"1 2", ntkNone},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClassifyNumberText(L(c.text)), c.kind) << L(c.text).toStdString();
}

TEST_P(NumberTexts, Normalisation) {
  struct Case { const char* text; const char* plain; };
  const Case cases[] = {
      {"", ""},
      {" (12) ", "-12"},
      {"$1{t}234{d}50", "1234.50"},
      {"($ 1{t}234{d}50)", "-1234.50"},
      {"-$5", "-5"},
      {"12abc", "12"},
      {"\xE2\x82\xAC 1{d}5", "1.5"},
      {"+3", "3"},
      {"-1{d}5e-3", "-1.5e-3"},
      {"x", ""},  // a single character is never stripped, and ends the scan
  };
  for (const Case& c : cases)
    EXPECT_EQ(NormalizeNumberText(L(c.text)), QString(c.plain)) << L(c.text).toStdString();
}

TEST_P(NumberTexts, CharacterClassesFollowTheLocale) {
  const QChar dec = FormatSettings.DecimalSeparator, th = FormatSettings.ThousandSeparator;
  EXPECT_TRUE(IsFloatChar(dec));
  EXPECT_TRUE(IsFloatChar(th));
  EXPECT_FALSE(IsFloatChar(u'+'));
  EXPECT_TRUE(IsSignedFloatChar(u'+'));
  EXPECT_TRUE(IsIntChar(u'-'));
  EXPECT_FALSE(IsIntChar(dec));
  EXPECT_TRUE(IsNumberTextChar(u'.'));  // always "." whatever the locale
  EXPECT_FALSE(IsNumberTextChar(u','));
  EXPECT_TRUE(IsNumChar(QChar(0x0663)));
  for (QChar c : QString(" ',-.")) EXPECT_TRUE(IsWordSeparator(c));
  EXPECT_FALSE(IsWordSeparator(u'_'));
}

TEST_P(NumberTexts, WithoutThousandsSeparator) {
  FormatSettings.ThousandSeparator = QChar();
  EXPECT_EQ(ClassifyNumberText(L("1{d}5")), ntkFloat);
  EXPECT_EQ(NormalizeNumberText(L("1{d}5")), "1.5");
  EXPECT_FALSE(IsFloatChar(QChar(0)));
}

TEST_P(NumberTexts, SmallNumericRoutines) {
  EXPECT_EQ(ApplySizeLimits(50, 0, 40), 40);
  EXPECT_EQ(ApplySizeLimits(5, 10, 0), 10);
  EXPECT_EQ(ApplySizeLimits(5, 10, 10), 5);
  EXPECT_EQ(ApplySizeLimits(5, -3, -1), 5);
  EXPECT_EQ(ApplySizeLimits(5, 10, 8), 10);  // value below both: the minimum
  EXPECT_EQ(ApplySizeLimits(50, 10, 40), 40);
  EXPECT_EQ(IntMax(-2, 3), 3);
  EXPECT_EQ(IntMin(-2, 3), -2);
  const TGridRect r{1, 2, 3, 4};
  EXPECT_TRUE(CellInGridRect(r, 1, 2));
  EXPECT_TRUE(CellInGridRect(r, 3, 4));
  EXPECT_FALSE(CellInGridRect(r, 0, 2));
  EXPECT_FALSE(CellInGridRect(r, 3, 5));
}

INSTANTIATE_LOCALES(NumberTexts);

// ---------------------------------------------------------------------------
// Searching, cutting and line breaks

class TextEditing : public LocaleTest {};

TEST_P(TextEditing, SearchingAndCutting) {
  EXPECT_EQ(LocateChar(u'b', "abc"), 2);
  EXPECT_EQ(LocateChar(u'x', "abc"), 0);
  int pos = 7;
  EXPECT_EQ(LocateCharOut(u'x', "abc", pos), 0);
  EXPECT_EQ(pos, 7);  // untouched when absent
  EXPECT_EQ(LocateCharOut(u'c', "abc", pos), 3);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(LocateSubStrOut("x", "abc", pos), 0);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(LocateSubStrOut("bc", "abc", pos), 2);
  EXPECT_EQ(PosInUpperCase("WORLD", "Hello world"), 7);

  QString t = "key=value=x";
  EXPECT_EQ(CutFirstToken(t, "="), "key");
  EXPECT_EQ(t, "value=x");
  EXPECT_EQ(CutFirstToken(t, ";"), "");
  EXPECT_EQ(t, "value=x");

  QString m = "secret";
  MaskText(m, u'*');
  EXPECT_EQ(m, "******");

  TStringList list;
  list.Add("a");
  list.Add("bc");
  EXPECT_EQ(ConcatStrings(&list), "abc");

  EXPECT_TRUE(LooksLikeDate(L("1{s}2{s}2020")));
  EXPECT_FALSE(LooksLikeDate(L("{s}1{s}2")));
  EXPECT_FALSE(LooksLikeDate(L("1{s}{s}2")));
  EXPECT_FALSE(LooksLikeDate(L("12{s}2020")));
}

TEST_P(TextEditing, CellReferences) {
  struct Case { const char* text; bool ok; int col; int row; };
  const Case cases[] = {
      {"R2C3", true, 3, 2}, {"r10c1", true, 1, 10}, {"R2", false, 0, 0},
      {"RxC3", false, 0, 0}, {"R2C", false, 0, 0},  {"A2C3", false, 0, 0},
      {"R2X3", false, 0, 0}, {"R1C2C", false, 0, 0},
  };
  for (const Case& c : cases) {
    TPoint p{-1, -1};
    EXPECT_EQ(ParseCellRef(c.text, p), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(p, TPoint(c.col, c.row)) << c.text;
    }
  }
}

TEST_P(TextEditing, LineBreakForms) {
  const QString ab = QString("a") + CR + LF + "b";
  struct Case { const char* name; QString got; QString want; };
  const Case cases[] = {
      {"html", LineBreaksToHTML(ab), QString("a<br>") + LF + "b"},
      {"html none", LineBreaksToHTML("a\nb"), "a\nb"},
      {"unescape", UnescapeLineBreaks("a\\nb\\n"), QString("a") + CR + "b" + CR},
      {"escape", EscapeLineBreaks(ab), "a\\nb"},
      {"pack", PackLineBreaks(ab + QChar(0)), QString("a") + QChar(9) + QChar(8) + "b" + QChar(1)},
      {"pack none", PackLineBreaks(QString("a\tb") + QChar(0)), QString("a\tb") + QChar(0)},
      {"unpack", UnpackLineBreaks(PackLineBreaks(ab), true), ab},
      {"unpack first", UnpackLineBreaks(PackLineBreaks(ab), false), "a"},
      {"unpack tab", UnpackLineBreaks("a\tb", true), "a\tb"},
      {"excel", EncodeExcelMultiLine(ab), QString("\"a") + QChar(11) + "b\""},
      {"excel back", DecodeExcelMultiLine(QString("a") + QChar(11) + "b"), ab},
      {"crlf", CRLFToLF(ab + CR), QString("a\nb") + CR},
      {"tilde", LineBreaksToTilde(ab), "a~b"},
      {"tilde back", TildeToLineBreaks("a~b"), ab},
      {"caret", TildeToLineBreaks("^"), ""},
      {"caret inside", TildeToLineBreaks("^^"), "^^"},
      {"remove cr", RemoveCR(ab), "a\nb"},
      {"cr to lf", CRToLF(ab), "a\n\nb"},
      {"quotes", DoubleQuoteChars("say \"hi\""), "say \"\"hi\"\""},
      {"collapse", CollapseDoubledChar("a\"\"b\"c\"\"\"", u'"'), "a\"b\"c\"\""},
      {"collapse none", CollapseDoubledChar("abc", u'"'), "abc"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.name;

  EXPECT_EQ(CountCellLines(ab + CR + "c", true), 3);
  EXPECT_EQ(CountCellLines(ab, false), 1);
  EXPECT_EQ(CountChar(u'"', "\"a\"\""), 3);
}

TEST_P(TextEditing, CutFirstLine) {
  const QString ab = QString("a") + CR + LF + "b";
  QString t = ab;
  EXPECT_EQ(CutFirstLine(t, true), "a");
  EXPECT_EQ(t, "b");
  t = ab;
  EXPECT_EQ(CutFirstLine(t, false), "a");
  EXPECT_EQ(t, "");
  t = QString("a") + CR + CR + "b";  // only one LF would be taken with the CR
  EXPECT_EQ(CutFirstLine(t, true), "a");
  EXPECT_EQ(t, QString(CR) + "b");
  t = "single";
  EXPECT_EQ(CutFirstLine(t, true), "single");
  EXPECT_EQ(t, "");
}

TEST_P(TextEditing, UnpairedQuotes) {
  struct Case { const char* text; int pos; int count; };
  const Case cases[] = {
      {"", 0, 0},          {"abc", 0, 0},          {"\"", 1, 1},
      {"\"\"", 0, 0},      {"a\"\"b", 0, 0},       {"\"abc\"", 1, 2},
      {"\"a\"\"b\"", 1, 2}, {"a\"\"\"b", 4, 1},     {"x\"", 2, 1},
  };
  for (const Case& c : cases) {
    int pos = -1;
    EXPECT_EQ(FindUnpairedChar(u'"', c.text, pos), c.pos) << c.text;
    EXPECT_EQ(pos, c.pos) << c.text;
    EXPECT_EQ(CountUnpairedChar(u'"', c.text), c.count) << c.text;
  }
}

TEST_P(TextEditing, OemCodePage) {
  QString t = S("Grüße é");
  ConvertToOem(t);
  // CP850 puts ü at $81, ß at $E1 and é at $82; here they are read in the ANSI code page.
  const QByteArray bytes = TEncoding::ANSI()->GetBytes(t);
  EXPECT_EQ(bytes, QByteArray("Gr\x81\xE1" "e \x82"));
  ConvertFromOem(t);
  EXPECT_EQ(t, S("Grüße é"));
}

INSTANTIATE_LOCALES(TextEditing);

// ---------------------------------------------------------------------------
// Dates

class DateTexts : public LocaleTest {};

TEST_P(DateTexts, ParsesDayMonthYearAndMonthDayYear) {
  EXPECT_EQ(ParseDateDMY("31/12/99"), EncodeDate(1999, 12, 31));
  EXPECT_EQ(ParseDateDMY("1.2.05"), EncodeDate(2005, 2, 1));
  EXPECT_EQ(ParseDateDMY("1/2/2021"), EncodeDate(2021, 2, 1));
  EXPECT_EQ(ParseDateDMY("1-2-2021"), EncodeDate(2021, 2, 1));
  EXPECT_EQ(ParseDateMDY("12/31/99"), EncodeDate(1999, 12, 31));
  EXPECT_EQ(ParseDateMDY("2.1.2021"), EncodeDate(2021, 2, 1));
  EXPECT_EQ(ParseDateDMY("1/2/150"), EncodeDate(150, 2, 1));  // 100 and more: as written
  const char* zero[] = {"1/2", "", "abc", "a/b/c", "1/2/x", "1 / 2 / 2020", "12"};
  for (const char* t : zero) {
    EXPECT_EQ(ParseDateDMY(t), 0) << t;
    EXPECT_EQ(ParseDateMDY(t), 0) << t;
  }
  EXPECT_THROW(ParseDateDMY("31/4/2020"), EConvertError);
  EXPECT_THROW(ParseDateMDY("13/1/2020"), EConvertError);
  EXPECT_THROW(ParseDateDMY("1/-2/2020"), EConvertError);
}

TEST_P(DateTexts, TwoDigitYearsFallWithinFiftyYearsOfToday) {
  Word y = 0, m = 0, d = 0;
  DecodeDate(Date(), y, m, d);
  const int last = y + 49, first = y - 50;
  auto twoDigits = [](int year) { return QStringLiteral("1/1/%1").arg(year % 100, 2, 10, QChar(u'0')); };
  EXPECT_EQ(ParseDateDMY(twoDigits(last)), EncodeDate(last, 1, 1));
  EXPECT_EQ(ParseDateDMY(twoDigits(first)), EncodeDate(first, 1, 1));
  EXPECT_EQ(ParseDateDMY(twoDigits(y)), EncodeDate(y, 1, 1));
  // "26" is no longer read as 1926.
  EXPECT_EQ(ParseDateDMY("1/1/26"), EncodeDate(y <= 2076 ? 2026 : 2126, 1, 1));
}

TEST_P(DateTexts, DateSeries) {
  const TDateTime d = EncodeDate(2020, 11, 30) + 0.25;
  EXPECT_EQ(AdvanceDate(0, 0, 3, d, 99), d + 3);
  EXPECT_EQ(AdvanceDate(2, 0, 0, d, 99), EncodeDate(2022, 11, 30) + 0.25);
  EXPECT_EQ(AdvanceDate(0, 1, 0, d, 99), EncodeDate(2020, 12, 30) + 0.25);
  EXPECT_EQ(AdvanceDate(0, 2, 0, EncodeDate(2020, 11, 15), 99), EncodeDate(2021, 1, 15));
  EXPECT_EQ(AdvanceDate(1, 1, 0, d, 7), d + 7);
  EXPECT_EQ(AdvanceDate(0, 0, 0, d, 7), d + 7);
  EXPECT_THROW(AdvanceDate(0, 3, 0, d, 0), EConvertError);   // 30 February
  EXPECT_THROW(AdvanceDate(0, 14, 0, d, 0), EConvertError);  // one wrap only
  EXPECT_THROW(AdvanceDate(1, 0, 0, EncodeDate(2020, 2, 29), 0), EConvertError);
}

INSTANTIATE_LOCALES(DateTexts);

// ---------------------------------------------------------------------------
// URLs, clipboard HTML and mixed case

class WebTexts : public LocaleTest {};

TEST_P(WebTexts, UrlsBecomeAnchors) {
  EXPECT_TRUE(ContainsURL("see http://x.org"));
  EXPECT_TRUE(ContainsURL("mailto:a@b.c"));
  EXPECT_FALSE(ContainsURL("www.x.org"));
  QString t = "go http://x.org/a";
  StripURLProtocol(t);
  EXPECT_EQ(t, "x.org/a");
  t = "mailto:a@b.c";
  StripURLProtocol(t);
  EXPECT_EQ(t, "a@b.c");
  t = "plain";
  StripURLProtocol(t);
  EXPECT_EQ(t, "plain");

  QString html = "untouched";
  EXPECT_FALSE(LinkifyURL("no link here", "HTTP://", html));
  EXPECT_EQ(html, "untouched");
  ASSERT_TRUE(LinkifyURL("see Http://x.org/a/b?q=1&r=2 now", "HTTP://", html));
  EXPECT_EQ(html, "see <a href=\"Http://x.org/a/b\">Http://x.org/a/b</a>?q=1&r=2 now");
  ASSERT_TRUE(LinkifyURL("<www.x.com>", "WWW.", html));
  EXPECT_EQ(html, "&lt;<a href=\"www.x.com\">www.x.com</a>&gt;");
  ASSERT_TRUE(LinkifyURL(S("mailto:jo@x.de~ü"), "MAILTO:", html));
  EXPECT_EQ(html, S("<a href=\"mailto:jo@x.de\">mailto:jo@x.de</a>~ü"));
}

TEST_P(WebTexts, ColorHex) {
  EXPECT_EQ(ColorToHTMLHex(0x00FF8040), "4080FF");
  EXPECT_EQ(ColorToHTMLHex(0), "000000");
  EXPECT_EQ(ColorToHTMLHex(0x000000FF), "FF0000");
}

TEST_P(WebTexts, ClipboardHtmlOffsetsPointIntoTheUtf8Bytes) {
  const QString fragments[] = {"<table><tr><td>1</td></tr></table>", S("<b>Grüße € 漢字</b>"), ""};
  for (const QString& fragment : fragments) {
    QString html = fragment;
    BuildClipboardHTML(html);
    const QByteArray bytes = html.toUtf8();
    auto number = [&](const char* key) {
      const qsizetype p = bytes.indexOf(key);
      EXPECT_GE(p, 0) << key;
      return bytes.mid(p + qstrlen(key), 8).toInt();
    };
    ASSERT_TRUE(bytes.startsWith("Version:1.0\r\nStartHTML:"));
    const int startHtml = number("StartHTML:"), endHtml = number("EndHTML:");
    const int startFrag = number("StartFragment:"), endFrag = number("EndFragment:");
    EXPECT_TRUE(bytes.mid(startHtml).startsWith("<!DOCTYPE"));
    EXPECT_EQ(endHtml, bytes.size());
    EXPECT_TRUE(bytes.left(startFrag).endsWith("<!--StartFragment-->"));
    EXPECT_TRUE(bytes.mid(endFrag).startsWith("<!--EndFragment-->"));
    EXPECT_EQ(bytes.mid(startFrag, endFrag - startFrag), fragment.toUtf8());
    EXPECT_TRUE(bytes.endsWith("</body></html>"));
    EXPECT_TRUE(bytes.contains("charset=utf-8"));
  }
}

TEST_P(WebTexts, MixedCase) {
  struct Case { const char* in; const char* out; };
  const Case cases[] = {
      {"hello WORLD", "Hello World"},
      {"mcdonald", "McDonald"},
      {"ronald mcdonald", "Ronald McDonald"},
      {"henry iii", "Henry III"},
      {"louis iv", "Louis IV"},
      {"pope john ii", "Pope John II"},
      {"o'neil-smith jr.x", "O'Neil-Smith Jr.X"},
      {"\xC3\x89" "COLE \xC3\xA9t\xC3\xA9", "\xC3\x89" "cole \xC3\x89t\xC3\xA9"},
      {"1abc", "1Abc"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeMixedCase(S(c.in)), S(c.out)) << c.in;
}

INSTANTIATE_LOCALES(WebTexts);

// ---------------------------------------------------------------------------
// Filter condition matching

class FilterMatching : public LocaleTest {};

TEST_P(FilterMatching, ResultsTable) {
  struct Case { const char* expr; const char* value; bool match; };
  const Case cases[] = {
      {">10", "12", true},
      {">10", "9", false},
      {">10", "abc", true},  // text comparison: "ABC" follows "10"
      {"> 10", "12", true},  // blanks outside quotes carry no meaning
      {">=10&<=20", "20", true},
      {">=10&<=20", "21", false},
      {">=10&<=20", "9", false},
      {"<10", "9{d}5", true},
      {">1{d}5", "1{d}75", true},
      {">1{d}5", "1{d}25", false},
      {">1{t}000", "999", false},
      {">1{t}000", "1{t}500", true},
      {"10|20", "20", true},
      {"10;20", "10", true},
      {"10^20", "30", false},
      {"*5*", "1{d}500", true},
      {"abc*", "ABCDEF", true},
      {"a?c", "abc", true},
      {"a?c", "abbc", false},
      {"a?c", "ac", false},
      {"!abc*", "xyz", true},
      {"!abc*", "abcd", false},
      {"\"new york\"", "New York", true},
      {"new york", "New York", false},
      {">\"a b\"", "a a", false},
      {">\"a b\"", "a c", true},
      {"=abc", "abc", true},
      {"", "", true},
      {"", "x", false},
      {"a|b&c", "a", false},  // strictly left to right: (a or b) and c
      {"(a|b)&c", "a", false},
      {"a*&(*b|*c)", "ab", true},
      {"a*&(*b|*c)", "ad", false},
      {"(a)b", "a", true},
      {"(a)b", "b", false},
      {"x*|(a)", "a", true},
      {"*", "", true},
      {"**", "anything", true},
      {"a*b*c", "aXbYc", true},
      {"a*b*c", "aXbY", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchFilterExpression(L(c.expr), L(c.value), false), c.match)
        << L(c.expr).toStdString() << " against " << L(c.value).toStdString();
}

TEST_P(FilterMatching, CaseSensitivity) {
  EXPECT_FALSE(MatchFilterExpression("abc", "ABC", true));
  EXPECT_TRUE(MatchFilterExpression("abc", "ABC", false));
  EXPECT_TRUE(MatchFilterExpression(S("ä*"), S("ÄRGER"), false));
  EXPECT_FALSE(MatchFilterExpression(S("ä*"), S("ÄRGER"), true));
  EXPECT_FALSE(MatchFilterTerm(">b", "C", true));  // "C" comes before "b" by code
  EXPECT_TRUE(MatchFilterTerm(">b", "C", false));
}

TEST_P(FilterMatching, DatesInTheLocaleOrder) {
  const QString from = ">=" + D(1, 2, 2020);
  EXPECT_TRUE(MatchFilterExpression(from, D(5, 2, 2020), false));
  EXPECT_FALSE(MatchFilterExpression(from, D(1, 3, 2019), false));
  EXPECT_TRUE(MatchFilterExpression(from, D(1, 2, 2020), false));
  EXPECT_TRUE(MatchFilterExpression("<" + D(1, 2, 2020), D(31, 1, 2020), false));
  // With a time, quoted so that its blank stays.
  const QString at = ">\"" + D(1, 2, 2020) + L(" 10{:}00\"");
  EXPECT_TRUE(MatchFilterExpression(at, D(1, 2, 2020) + L(" 11{:}00"), false));
  EXPECT_FALSE(MatchFilterExpression(at, D(1, 2, 2020) + L(" 09{:}30"), false));
}

TEST_P(FilterMatching, MalformedExpressionsEnd) {
  EXPECT_FALSE(MatchFilterExpression("(abc", "abc", false));
  EXPECT_FALSE(MatchFilterExpression("((a)", "a", false));
  EXPECT_FALSE(MatchFilterExpression("x|(abc", "x", false));
  EXPECT_TRUE(MatchFilterExpression("a(b", "a", false));
  EXPECT_TRUE(MatchFilterExpression("abc)", "abc)", false));
  // Many stars against a text that almost matches: answered at once.
  QString pattern, value(4000, u'a');
  for (int i = 0; i < 200; ++i) pattern += "*a";
  EXPECT_FALSE(MatchFilterExpression(pattern + "*b", value, false));
  EXPECT_TRUE(MatchFilterExpression(pattern + "*", value, false));
  // Groups nest up to 64 levels; deeper ones match nothing, as an unclosed
  // group does, instead of copying the expression once per level (20000
  // levels took minutes and most of the stack).
  const auto nested = [](int levels) { return QString(levels, u'(') + "a" + QString(levels, u')'); };
  EXPECT_TRUE(MatchFilterExpression(nested(64), "a", false));
  EXPECT_FALSE(MatchFilterExpression(nested(65), "a", false));
  EXPECT_FALSE(MatchFilterExpression(nested(20000), "a", false));
  EXPECT_TRUE(MatchFilterExpression(nested(20000) + "|a", "a", false));
}

TEST_P(FilterMatching, Helpers) {
  EXPECT_EQ(FloatTextToDot(L("1{t}234{d}5")), "1234.5");
  EXPECT_EQ(RemoveBlanksOutsideQuotes("a b \"c d\" e"), "ab\"c d\"e");
  EXPECT_EQ(FindClosingParen("(a(b))c"), 6);
  EXPECT_EQ(FindClosingParen("(a(b)"), 0);
  EXPECT_EQ(FindClosingParen("abc"), 0);
  int pos = 99;
  EXPECT_EQ(FindCharOutsideQuotes("&|", "a\"&\"|b", pos), u'|');
  EXPECT_EQ(pos, 4);
  EXPECT_TRUE(FindCharOutsideQuotes("&|", "a\"&|\"", pos).isNull());
  EXPECT_EQ(pos, -1);
}

TEST_P(FilterMatching, LocaleDates) {
  TDateTime dt = 0;
  ASSERT_TRUE(ParseLocaleDateTime(D(31, 12, 2020), dt));
  EXPECT_EQ(dt, EncodeDate(2020, 12, 31));
  ASSERT_TRUE(ParseLocaleDateTime(D(31, 12, 2020) + L(" 23{:}59{:}59"), dt));
  EXPECT_DOUBLE_EQ(dt, EncodeDateTime(2020, 12, 31, 23, 59, 59, 0));
  ASSERT_TRUE(ParseLocaleDateTime(D(1, 2, 2020) + L(" 7{:}05"), dt));
  EXPECT_DOUBLE_EQ(dt, EncodeDateTime(2020, 2, 1, 7, 5, 0, 0));
  ASSERT_TRUE(ParseLocaleDateTime(D(1, 2, 20), dt));  // no century added
  EXPECT_EQ(dt, EncodeDate(20, 2, 1));

  dt = 0;
  EXPECT_FALSE(ParseLocaleDateTime(D(1, 2, 2020) + " 10", dt));
  EXPECT_EQ(dt, EncodeDate(2020, 2, 1));  // the date is stored all the same
  const QString bad[] = {D(32, 1, 2020), D(1, 13, 2020), D(30, 2, 2020), L("1{s}2"), "",
                         D(1, 2, 2020) + L(" 24{:}00"), D(1, 2, 2020) + L(" 10{:}60"),
                         D(1, 2, 2020) + L(" 10{:}00{:}61"), D(1, 2, 2020) + L(" x{:}00")};
  for (const QString& t : bad) EXPECT_FALSE(ParseLocaleDateTime(t, dt)) << t.toStdString();
}

INSTANTIATE_LOCALES(FilterMatching);
