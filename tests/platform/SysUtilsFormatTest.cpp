// Formatting: Format, FormatFloat, FloatToStr and FloatToStrF under two settings.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "platform/rtl/SysUtils.h"

namespace {

TFormatSettings German() {
  TFormatSettings s = TFormatSettings::Create();
  s.DecimalSeparator = u',';
  s.ThousandSeparator = u'.';
  s.CurrencyString = QString::fromUtf8("\u20ac");
  s.CurrencyFormat = 3;  // "1 €"
  s.NegCurrFormat = 8;   // "-1 €"
  return s;
}

QString ConvertErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return QStringLiteral("(no error)");
}

}  // namespace

TEST(FormatRoutine, IntegerDirectives) {
  const struct {
    QString got;
    const char* expected;
  } cases[] = {
      {Format("%d", {42}), "42"},
      {Format("%5d|", {42}), "   42|"},
      {Format("%-5d|", {42}), "42   |"},
      {Format("%.4d", {-42}), "-0042"},
      {Format("%6.3d", {7}), "   007"},
      {Format("%1d", {-123}), "-123"},  // never cut
      {Format("%d", {Int64(5000000000LL)}), "5000000000"},
      {Format("%d", {4294967295u}), "4294967295"},
      {Format("%u", {-1}), "4294967295"},
      {Format("%x", {255}), "FF"},
      {Format("%.4x", {255}), "00FF"},
      {Format("%X", {-1}), "FFFFFFFF"},
      {Format("%x", {Int64(-1)}), "FFFFFFFFFFFFFFFF"},
      {Format("%d items", {Word(3)}), "3 items"},
      {Format("100%%", {}), "100%"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(FormatRoutine, TextPointerAndIndexDirectives) {
  const QString abc = QStringLiteral("abc");
  EXPECT_EQ(Format("%s", {abc}), "abc");
  EXPECT_EQ(Format("%s|%s", {"utf-8 \xc3\xa4", QChar(u'x')}), QString::fromUtf8("utf-8 \xc3\xa4|x"));
  EXPECT_EQ(Format("%.2s", {abc}), "ab");
  EXPECT_EQ(Format("[%5s][%-5s]", {"ab", "cd"}), "[   ab][cd   ]");
  EXPECT_EQ(Format("%s", {QLatin1String("lat")}), "lat");
  EXPECT_EQ(Format("%p", {nullptr}), "0000000000000000");
  int x = 0;
  EXPECT_EQ(Format("%p", {&x}).size(), 16);
  EXPECT_EQ(Format("%0:s-%1:s-%0:s", {"a", "b"}), "a-b-a");
  EXPECT_EQ(Format("%1:s %s", {"a", "b", "c"}), "b c");  // goes on after the index
  EXPECT_EQ(Format("%*d|%-*d|", {5, 42, 4, 7}), "   42|7   |");
  EXPECT_EQ(Format("%.*f", {1, 2.25}), "2.3");
  const std::vector<TVarRec> args{1, QStringLiteral("two")};
  EXPECT_EQ(Format("%d %s", args), "1 two");
}

TEST(FormatRoutine, RealDirectives) {
  const struct {
    QString got;
    const char* expected;
  } cases[] = {
      {Format("%f", {3.14159}), "3.14"},
      {Format("%.3f", {2.0}), "2.000"},
      {Format("%.0f", {2.5}), "3"},
      {Format("%.2f", {2.675}), "2.68"},  // decimal rounding, half away from zero
      {Format("%.2f", {-2.675}), "-2.68"},
      {Format("%.2f", {-0.001}), "0.00"},
      {Format("%8.2f|", {3.14159}), "    3.14|"},
      {Format("%.2f", {1e16}), "10000000000000000.00"},
      {Format("%n", {1234567.891}), "1,234,567.89"},
      {Format("%.0n", {1234.5}), "1,235"},
      {Format("%n", {-1234.5}), "-1,234.50"},
      {Format("%g", {1.5}), "1.5"},
      {Format("%g", {0.0001}), "0.0001"},
      {Format("%g", {1e20}), "1E020"},
      {Format("%g", {1e-5}), "1E-005"},
      {Format("%.3g", {1234.5}), "1.23E003"},
      {Format("%e", {1234.5}), "1.23450000000000E+003"},
      {Format("%.3e", {-0.000123456}), "-1.23E-004"},
      {Format("%m", {1234.5}), "$1,234.50"},
      {Format("%m", {-1234.5}), "($1,234.50)"},
      {Format("%.0m", {7.0}), "$7"},
      {Format("%f", {std::numeric_limits<double>::infinity()}), "INF"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);

  const TFormatSettings de = German();
  EXPECT_EQ(Format("%.2f", {1234.5}, de), "1234,50");
  EXPECT_EQ(Format("%n", {1234.5}, de), "1.234,50");
  EXPECT_EQ(Format("%m|%m", {1234.5, -2.0}, de), QString::fromUtf8("1.234,50 \u20ac|-2,00 \u20ac"));
  {
    const TScopedFormatSettings german(de);
    EXPECT_EQ(Format("%.1f", {0.25}), "0,3");
  }
  EXPECT_EQ(Format("%.1f", {0.25}), "0.3");
}

TEST(FormatRoutine, BadArgumentsAndDirectives) {
  EXPECT_EQ(ConvertErrorOf([] { Format("%d", {"abc"}); }),
            "Format '%d' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format("%f", {5}); }),
            "Format '%f' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format("%s", {5}); }),
            "Format '%s' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format("%d", {true}); }),
            "Format '%d' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format("%x", {1.5}); }),
            "Format '%x' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format("%q", {1}); }),
            "Format '%q' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format("abc %", {1}); }),
            "Format 'abc %' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format("%*d", {"w", 1}); }),
            "Format '%*d' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format("%d %d", {1}); }), "No argument for format '%d %d'");
  EXPECT_EQ(ConvertErrorOf([] { Format("%3:d", {1}); }), "No argument for format '%3:d'");
}

TEST(FormatFloat, PatternTable) {
  // The framework's own table of patterns, and cases around it.
  const struct {
    const char* format;
    double value;
    const char* expected;
  } cases[] = {
      {"0", 1234, "1234"},
      {"0", 0.5, "1"},
      {"0.00", -1234, "-1234.00"},
      {"0.00", 0.5, "0.50"},
      {"#.##", 1234, "1234"},
      {"#.##", 0.5, ".5"},
      {"#.##", 0, ""},
      {"#,##0.00", 1234, "1,234.00"},
      {"#,##0.00", -1234, "-1,234.00"},
      {"#,##0.00;(#,##0.00)", -1234, "(1,234.00)"},
      {"#,##0.00;(#,##0.00)", 0.5, "0.50"},
      {"#,##0.00;;Zero", 0, "Zero"},
      {"#,##0.00;;Zero", -1234, "-1,234.00"},
      {"0.00;-0.00;\"nil\"", 0.001, "nil"},  // rounds to zero: the zero section
      {"0.000E+00", 1234, "1.234E+03"},
      {"0.000E+00", 0.5, "5.000E-01"},
      {"0.000E+00", 0, "0.000E+00"},
      {"#.###E-0", 1234, "1.234E3"},
      {"#.###E-0", 0.5, "5E-1"},
      {"#.###E-0", 0, "0E0"},
      {"00.0E+0", 1234.5, "12.3E+2"},
      {"0.00", 1.005, "1.01"},
      {"0.00", -0.001, "0.00"},
      {"00000", 42, "00042"},
      {"#,##0", 1234567, "1,234,567"},
      {"#,##0", 999.5, "1,000"},
      {"0", 123456789, "123456789"},  // more digits than placeholders
      {"\"$\"#,##0.00", -5, "-$5.00"},
      {"0.0 'kg'", 2.25, "2.3 kg"},
      {"0-00", 1234, "12-34"},
      {"", 1.5, "1.5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(FormatFloat(QString::fromLatin1(c.format), c.value, TFormatSettings::Create()),
              c.expected);
  }
  const TFormatSettings de = German();
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.5, de), "1.234.567,50");
  EXPECT_EQ(FormatFloat("0.0", 0.25, de), "0,3");
}

TEST(FloatToText, FloatToStrAndFloatToStrF) {
  const struct {
    QString got;
    const char* expected;
  } cases[] = {
      {FloatToStr(0), "0"},
      {FloatToStr(1.5), "1.5"},
      {FloatToStr(-1.5), "-1.5"},
      {FloatToStr(0.1), "0.1"},
      {FloatToStr(1.0 / 3), "0.333333333333333"},
      {FloatToStr(2.0 / 3), "0.666666666666667"},
      {FloatToStr(123456789012345.0), "123456789012345"},
      {FloatToStr(1e15), "1E15"},
      {FloatToStr(1e20), "1E20"},
      {FloatToStr(0.0001), "0.0001"},
      {FloatToStr(0.00001), "1E-5"},
      {FloatToStr(-1.25e-300), "-1.25E-300"},
      {FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN"},
      {FloatToStr(-std::numeric_limits<double>::infinity()), "-INF"},
      {FloatToStrF(1234.5, ffExponent, 4, 2), "1.235E+03"},
      {FloatToStrF(0, ffExponent, 3, 2), "0.00E+00"},
      {FloatToStrF(1234.5, ffFixed, 15, 2), "1234.50"},
      {FloatToStrF(1234567, ffFixed, 4, 2), "1.235E6"},
      {FloatToStrF(-0.004, ffFixed, 15, 2), "0.00"},
      {FloatToStrF(0.5, ffFixed, 15, 0), "1"},
      {FloatToStrF(1234567.891, ffNumber, 15, 2), "1,234,567.89"},
      {FloatToStrF(-1234.5, ffCurrency, 15, 2), "($1,234.50)"},
      {FloatToStrF(1.5, ffGeneral, 1, 0), "2"},
      {FloatToStrF(123456, ffGeneral, 3, 0), "1.23E5"},
      {FloatToStrF(0.1, ffGeneral, 17, 0), "0.10000000000000001"},
      {CurrToStr(1.23456), "1.2346"},
      {CurrToStr(2), "2"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);

  const TFormatSettings de = German();
  EXPECT_EQ(FloatToStr(1.5, de), "1,5");
  EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2, de), QString::fromUtf8("-1.234,50 \u20ac"));
  // What FloatToStr writes reads back.
  for (double v : {0.1, -2.5e-7, 123456.789, 1e300}) {
    EXPECT_DOUBLE_EQ(StrToFloat(FloatToStr(v, de), de), v);
  }
}
