// The rich edit's RTF reader and writer: text and sub-/superscript offsets.
#include <gtest/gtest.h>

#include <vector>

#include "platform/widgets/ComCtrls.h"

namespace {

struct TRtfCase {
  const char* Name;
  QString Rtf;
  QString Text;
  std::vector<int16_t> Offsets;  // empty: all 0
};

TEST(RichEditRtf, ReaderCases) {
  const QString sup2 = QStringLiteral("{\\rtf1\\ansi x\\up4 2\\up0  + H\\dn4 2\\up0 O}");
  const TRtfCase cases[] = {
      {"not RTF stays as it is", QStringLiteral("plain {text}\\"), QStringLiteral("plain {text}\\"), {}},
      {"raised and lowered characters", sup2, QStringLiteral("x2 + H2O"), {0, 40, 0, 0, 0, 0, -40, 0}},
      {"super and sub with nosupersub", QStringLiteral("{\\rtf1 a\\super b\\nosupersub c\\sub d}"),
       QStringLiteral("abcd"), {0, 40, 0, -40}},
      {"an offset ends with its group", QStringLiteral("{\\rtf1 a{\\up2 b}c}"), QStringLiteral("abc"), {0, 20, 0}},
      {"tables and starred groups are skipped",
       QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\*\\generator x;}{\\colortbl;\\red0;}Hi}"), QStringLiteral("Hi"), {}},
      {"escaped symbols, code page and unicode characters",
       QStringLiteral("{\\rtf1 \\{\\}\\\\ caf\\'e9 \\u8364?\\tab\\~x}"),
       QStringLiteral("{}\\ caf\u00e9 \u20ac\t\u00a0x"), {}},
      {"paragraphs become line breaks, the last one is dropped",
       QStringLiteral("{\\rtf1 one\\par\r\ntwo\\par\r\n}"), QStringLiteral("one\r\ntwo"), {}},
      {"unbalanced braces end the text without harm", QStringLiteral("{\\rtf1 a}}}b{{c"), QStringLiteral("abc"), {}},
      {"an offset too large for the record is limited",
       QStringLiteral("{\\rtf1\\up2000000000 a\\dn99999 b}"), QStringLiteral("ab"), {32760, -32760}},
      {"a control word at the very end", QStringLiteral("{\\rtf1 a\\"), QStringLiteral("a"), {}},
  };
  for (const TRtfCase& c : cases) {
    SCOPED_TRACE(c.Name);
    QString text;
    std::vector<int16_t> offsets;
    ParseRtf(c.Rtf, text, offsets);
    EXPECT_EQ(text, c.Text);
    std::vector<int16_t> expected = c.Offsets;
    if (expected.empty()) expected.assign(static_cast<size_t>(c.Text.size()), 0);
    EXPECT_EQ(offsets, expected);
  }
}

TEST(RichEditRtf, WrittenRtfReadsBackToTheSameTextAndOffsets) {
  // Braces, backslash, tab, line breaks, a code-page letter, a letter outside the
  // code page and one outside the basic plane (two UTF-16 units).
  const QString text = QStringLiteral("x2 {a}\\b\tc\r\ncaf\u00e9 \u03a9 \U0001D11E H2O");
  std::vector<int16_t> offsets(static_cast<size_t>(text.size()), 0);
  offsets[1] = 40;
  offsets[static_cast<size_t>(text.size() - 2)] = -40;
  const QString rtf = MakeRtf(text, offsets, QStringLiteral("Verdana"), 9);
  EXPECT_TRUE(rtf.startsWith(QLatin1String("{\\rtf1\\ansi")));
  EXPECT_TRUE(rtf.contains(QLatin1String("\\fs18 ")));
  EXPECT_TRUE(rtf.contains(QLatin1String("caf\\'e9")));
  QString back;
  std::vector<int16_t> backOffsets;
  ParseRtf(rtf, back, backOffsets);
  EXPECT_EQ(back, text);
  EXPECT_EQ(backOffsets, offsets);
}

}  // namespace
