// String routines: trimming, case, comparison, replacing, quoting, positions.
#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"

namespace {
QString Q(const char16_t* s) { return QString::fromUtf16(s); }
int Sgn(int v) { return (v > 0) - (v < 0); }
}  // namespace

TEST(StringRoutines, TrimRemovesBlanksAndControlCharacters) {
  struct {
    const char16_t* in;
    const char16_t* both;
    const char16_t* left;
    const char16_t* right;
  } cases[] = {
      {u"  ab c \t", u"ab c", u"ab c \t", u"  ab c"},
      {u"\r\n\x01x\x1f", u"x", u"x\x1f", u"\r\n\x01x"},
      {u"   ", u"", u"", u""},
      {u"", u"", u"", u""},
      {u"\u00A0a\u00A0", u"\u00A0a\u00A0", u"\u00A0a\u00A0", u"\u00A0a\u00A0"},  // not <= ' '
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Trim(Q(c.in)), Q(c.both));
    EXPECT_EQ(TrimLeft(Q(c.in)), Q(c.left));
    EXPECT_EQ(TrimRight(Q(c.in)), Q(c.right));
  }
}

TEST(StringRoutines, CaseAndComparison) {
  EXPECT_EQ(UpperCase(Q(u"abz\u00e4")), Q(u"ABZ\u00e4"));  // ASCII letters only
  EXPECT_EQ(LowerCase(Q(u"ABZ\u00c4")), Q(u"abz\u00c4"));
  EXPECT_EQ(AnsiUpperCase(Q(u"ab\u00e4")), Q(u"AB\u00c4"));
  EXPECT_EQ(AnsiLowerCase(Q(u"AB\u00c4")), Q(u"ab\u00e4"));

  struct {
    const char16_t* a;
    const char16_t* b;
    int str, text, ansiStr, ansiText;
  } cases[] = {
      {u"abc", u"abc", 0, 0, 0, 0},
      {u"abc", u"ABC", 1, 0, -1, 0},
      {u"a", u"B", 1, -1, -1, -1},  // ordinal: 'a' > 'B'; ignoring case: a < b
      {u"ab", u"abc", -1, -1, -1, -1},
      {u"\u00e4", u"\u00c4", 1, 1, -1, 0},  // CompareText ignores ASCII case only
      {u"", u"", 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Q(c.a).toStdString() + " / " + Q(c.b).toStdString());
    EXPECT_EQ(Sgn(CompareStr(Q(c.a), Q(c.b))), c.str);
    EXPECT_EQ(Sgn(CompareText(Q(c.a), Q(c.b))), c.text);
    EXPECT_EQ(Sgn(AnsiCompareStr(Q(c.a), Q(c.b))), c.ansiStr);
    EXPECT_EQ(Sgn(AnsiCompareText(Q(c.a), Q(c.b))), c.ansiText);
    EXPECT_EQ(SameText(Q(c.a), Q(c.b)), c.text == 0);
    EXPECT_EQ(AnsiSameText(Q(c.a), Q(c.b)), c.ansiText == 0);
  }
}

TEST(StringRoutines, StringReplaceFlags) {
  const QString s = QStringLiteral("aXbxcX");
  EXPECT_EQ(StringReplace(s, "x", "-", {}), "aXb-cX");
  EXPECT_EQ(StringReplace(s, "x", "-", rfReplaceAll), "aXb-cX");
  EXPECT_EQ(StringReplace(s, "x", "-", rfIgnoreCase), "a-bxcX");
  EXPECT_EQ(StringReplace(s, "x", "-", {rfReplaceAll, rfIgnoreCase}), "a-b-c-");
  EXPECT_EQ(StringReplace("aaa", "aa", "a", rfReplaceAll), "aa");  // no rescanning
  EXPECT_EQ(StringReplace("abc", "", "z", rfReplaceAll), "abc");
  EXPECT_EQ(StringReplace("abc", "q", "z", rfReplaceAll), "abc");
}

TEST(StringRoutines, Quoting) {
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(QuotedStr(""), "''");
  EXPECT_EQ(AnsiQuotedStr("a\"b", u'"'), "\"a\"\"b\"");
  EXPECT_EQ(AnsiDequotedStr("\"a\"\"b\"", u'"'), "a\"b");
  EXPECT_EQ(AnsiDequotedStr("'x'", u'\''), "x");
  EXPECT_EQ(AnsiDequotedStr("''", u'\''), "");
  EXPECT_EQ(AnsiDequotedStr("plain", u'\''), "plain");
  EXPECT_EQ(AnsiDequotedStr("'open", u'\''), "'open");  // no closing quote: unchanged
  EXPECT_EQ(AnsiDequotedStr("'ab'cd", u'\''), "ab");
}

TEST(StringRoutines, OneBasedPositions) {
  EXPECT_EQ(Pos("b", "abcb"), 2);
  EXPECT_EQ(Pos("z", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
  EXPECT_EQ(Pos(QChar(u'c'), "abc"), 3);
  EXPECT_EQ(PosEx("b", "abcb", 3), 4);
  EXPECT_EQ(PosEx("b", "abcb", 5), 0);
  EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Copy("abcdef", 0, 2), "ab");  // index below 1 counts as 1
  EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
  EXPECT_EQ(Copy("abcdef", 7, 1), "");
  EXPECT_EQ(Copy("abcdef", 2, -1), "");
  EXPECT_EQ(StringOfChar(u'-', 3), "---");
  EXPECT_EQ(StringOfChar(u'-', -1), "");
  EXPECT_EQ(LastDelimiter("/\\", "a/b\\c.txt"), 4);
  EXPECT_EQ(LastDelimiter(".", "abc"), 0);
  EXPECT_TRUE(IsDelimiter(",;", "a;b", 2));
  EXPECT_FALSE(IsDelimiter(",;", "a;b", 1));
  EXPECT_FALSE(IsDelimiter(",;", "a;b", 4));
}

TEST(StringRoutines, AdjustLineBreaks) {
  const QString s = QStringLiteral("a\rb\nc\r\nd\n\re\n\nf");
  EXPECT_EQ(AdjustLineBreaks(s), "a\r\nb\r\nc\r\nd\r\ne\r\n\r\nf");
  EXPECT_EQ(AdjustLineBreaks(s, tlbsLF), "a\nb\nc\nd\ne\n\nf");
}
