// Numbers from and to text: the framework's integer conversion, Val, real numbers
// and Booleans.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "platform/rtl/SysUtils.h"

namespace {

struct IntCase {
  const char16_t* text;
  std::optional<Int64> value;  // nullopt: no number
};

QString Q(const char16_t* s) { return QString::fromUtf16(s); }

}  // namespace

TEST(IntegerConversion, ThirtyTwoBitTable) {
  const IntCase cases[] = {
      {u"12", 12},
      {u" 12", 12},
      {u"\t\r\n 12", 12},  // every character up to ' ' is skipped in front
      {u"12 ", std::nullopt},
      {u"1 2", std::nullopt},
      {u"12a", std::nullopt},
      {u"0012", 12},
      {u"-3", -3},
      {u"+5", 5},
      {u"- 3", std::nullopt},
      {u"+-3", std::nullopt},
      {u"", std::nullopt},
      {u"   ", std::nullopt},
      {u"-", std::nullopt},
      {u"$1F", 31},
      {u"0x1f", 31},
      {u"0X1F", 31},
      {u"x1F", 31},
      {u"X1f", 31},
      {u"-$10", -16},
      {u"$", std::nullopt},
      {u"0x", std::nullopt},
      {u"$1G", std::nullopt},
      {u"1e3", std::nullopt},
      {u"\uFF11\uFF12", std::nullopt},  // full-width digits are no digits
      {u"2147483647", 2147483647},
      {u"2147483648", std::nullopt},
      {u"-2147483648", -2147483648LL},
      {u"-2147483649", std::nullopt},
      {u"99999999999999999999", std::nullopt},
      {u"$7FFFFFFF", 2147483647},
      {u"$FFFFFFFF", -1},
      {u"$80000000", -2147483648LL},
      {u"$100000000", std::nullopt},
      {u"0x0000000000FF", 255},  // leading zeros do not overflow
  };
  for (const auto& c : cases) {
    const QString s = Q(c.text);
    SCOPED_TRACE(s.toStdString());
    int v = 12345;
    const bool ok = TryStrToInt(s, v);
    ASSERT_EQ(ok, c.value.has_value());
    if (ok) {
      EXPECT_EQ(v, *c.value);
      EXPECT_EQ(StrToInt(s), *c.value);
    } else {
      EXPECT_EQ(v, 12345) << "a failed conversion leaves the target alone";
      EXPECT_EQ(StrToIntDef(s, -7), -7);
      EXPECT_THROW(StrToInt(s), EConvertError);
    }
  }
}

TEST(IntegerConversion, SixtyFourBitTable) {
  const IntCase cases[] = {
      {u"2147483648", 2147483648LL},
      {u"-2147483649", -2147483649LL},
      {u"9223372036854775807", INT64_MAX},
      {u"9223372036854775808", std::nullopt},
      {u"-9223372036854775808", INT64_MIN},
      {u"-9223372036854775809", std::nullopt},
      {u"$FFFFFFFF", 4294967295LL},
      {u"$FFFFFFFFFFFFFFFF", -1},
      {u"0x8000000000000000", INT64_MIN},
      {u"$10000000000000000", std::nullopt},
      {u" -0x1f", -31},
      {u"7 ", std::nullopt},
      {u"", std::nullopt},
  };
  for (const auto& c : cases) {
    const QString s = Q(c.text);
    SCOPED_TRACE(s.toStdString());
    Int64 v = 0;
    ASSERT_EQ(TryStrToInt64(s, v), c.value.has_value());
    if (c.value) {
      EXPECT_EQ(v, *c.value);
      EXPECT_EQ(StrToInt64(s), *c.value);
    } else {
      EXPECT_EQ(StrToInt64Def(s, 99), 99);
      EXPECT_THROW(StrToInt64(s), EConvertError);
    }
  }
}

TEST(IntegerConversion, ErrorMessageNamesTheText) {
  try {
    StrToInt(QStringLiteral("12 "));
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("'12 ' is not a valid integer value"));
  }
}

TEST(IntegerConversion, ValReportsTheFirstBadPosition) {
  struct {
    const char* text;
    int value;
    int code;
  } cases[] = {
      {"123", 123, 0}, {" 7", 7, 0},   {"12ab", 12, 3}, {"", 0, 1},
      {"-", 0, 2},     {"$1Fz", 31, 4}, {"12 ", 12, 3},  {"2147483648", 214748364, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    int v = -1, code = -1;
    Val(QString::fromLatin1(c.text), v, code);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(v, c.value);
  }
  double d = 0;
  int code = -1;
  Val(QStringLiteral(" 1.5e2"), d, code);
  EXPECT_EQ(code, 0);
  EXPECT_DOUBLE_EQ(d, 150);
  Val(QStringLiteral("1,5"), d, code);  // Val's decimal point is always "."
  EXPECT_EQ(code, 2);
  Val(QStringLiteral("abc"), d, code);
  EXPECT_EQ(code, 1);
}

TEST(IntegerConversion, IntToStrAndIntToHex) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(Int64(-9223372036854775807LL - 1)), "-9223372036854775808");
  EXPECT_EQ(IntToStr(4294967295u), "4294967295");
  EXPECT_EQ(UIntToStr(uint64_t(18446744073709551615ULL)), "18446744073709551615");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDE, 2), "ABCDE");  // never cut
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(Int64(-2), 1), "FFFFFFFFFFFFFFFE");
  EXPECT_EQ(IntToHex(0, 0), "0");
}

TEST(RealConversion, ReadsWithTheSettingsSeparator) {
  TFormatSettings comma = TFormatSettings::Create();
  comma.DecimalSeparator = u',';
  comma.ThousandSeparator = u'.';
  struct {
    const char* text;
    bool dot;        // reads with "." settings
    bool commaOk;    // reads with "," settings
    double value;
  } cases[] = {
      {"1.5", true, false, 1.5},
      {"1,5", false, true, 1.5},
      {" -2.5e3 ", true, false, -2500},
      {"+7", true, true, 7},
      {".5", true, false, 0.5},
      {"5.", true, false, 5},
      {"1E-2", true, true, 0.01},
      {".", false, false, 0},
      {"", false, false, 0},
      {"-", false, false, 0},
      {"1e", false, false, 0},
      {"1e+", false, false, 0},
      {"1,000.5", false, false, 0},  // no thousand separators
      {"1e400", false, false, 0},    // overflow
      {"1e-400", true, true, 0},     // too small reads as 0
      {"12abc", false, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const QString s = QString::fromLatin1(c.text);
    double v = -99;
    EXPECT_EQ(TryStrToFloat(s, v, TFormatSettings::Create()), c.dot);
    if (c.dot) { EXPECT_DOUBLE_EQ(v, c.value); }
    v = -99;
    EXPECT_EQ(TryStrToFloat(s, v, comma), c.commaOk);
    if (c.commaOk) { EXPECT_DOUBLE_EQ(v, c.value); }
  }
  EXPECT_THROW(StrToFloat(QStringLiteral("x")), EConvertError);
  EXPECT_DOUBLE_EQ(StrToFloatDef(QStringLiteral("x"), 2.5), 2.5);
  EXPECT_TRUE(std::isinf(StrToFloat(QStringLiteral("-INF"))));
  EXPECT_TRUE(std::isnan(StrToFloat(QStringLiteral("NAN"))));
}

TEST(RealConversion, GlobalSettingsAreReadAtEachUse) {
  {
    const TScopedFormatSettings restore;
    FormatSettings.DecimalSeparator = u',';
    EXPECT_DOUBLE_EQ(StrToFloat(QStringLiteral("2,25")), 2.25);
    double v;
    EXPECT_FALSE(TryStrToFloat(QStringLiteral("2.25"), v));
  }
  EXPECT_DOUBLE_EQ(StrToFloat(QStringLiteral("2.25")), 2.25);
}

TEST(BooleanConversion, TextAndNumbers) {
  EXPECT_EQ(BoolToStr(true), "-1");
  EXPECT_EQ(BoolToStr(false), "0");
  EXPECT_EQ(BoolToStr(true, true), "True");
  EXPECT_TRUE(StrToBool(QStringLiteral("true")));
  EXPECT_FALSE(StrToBool(QStringLiteral("FALSE")));
  EXPECT_TRUE(StrToBool(QStringLiteral("-1")));
  EXPECT_TRUE(StrToBool(QStringLiteral("2")));
  EXPECT_FALSE(StrToBool(QStringLiteral("0")));
  EXPECT_THROW(StrToBool(QStringLiteral("yes")), EConvertError);
  EXPECT_TRUE(StrToBoolDef(QStringLiteral("yes"), true));
}
