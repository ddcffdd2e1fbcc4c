// A fixture that runs a test under a locale with a decimal point and under one
// with a decimal comma, and text templates that name the separators:
// "{d}" decimal, "{t}" thousands, "{s}" date, "{:}" time separator.
#pragma once

#include <gtest/gtest.h>

#include <QString>

#include "platform/rtl/SysUtils.h"

enum class TestLocale { DecimalPoint, DecimalComma };

class LocaleTest : public ::testing::TestWithParam<TestLocale> {
 protected:
  void SetUp() override {
    FormatSettings = TFormatSettings::Create();
    if (GetParam() == TestLocale::DecimalComma) {
      // A European locale: 1.234,5 and 31.12.2020 (day, month, year).
      FormatSettings.DecimalSeparator = u',';
      FormatSettings.ThousandSeparator = u'.';
      FormatSettings.DateSeparator = u'.';
      FormatSettings.TimeSeparator = u':';
      FormatSettings.ShortDateFormat = QStringLiteral("dd.MM.yyyy");
    } else {
      // United States: 1,234.5 and 12/31/2020 (month, day, year).
      FormatSettings.DecimalSeparator = u'.';
      FormatSettings.ThousandSeparator = u',';
      FormatSettings.DateSeparator = u'/';
      FormatSettings.TimeSeparator = u':';
      FormatSettings.ShortDateFormat = QStringLiteral("M/d/yyyy");
    }
  }
  bool DayFirst() const { return GetParam() == TestLocale::DecimalComma; }

  // The template with the locale's separators filled in.
  static QString L(const char* Template) {
    QString s = QString::fromUtf8(Template);
    s.replace(QStringLiteral("{d}"), QString(FormatSettings.DecimalSeparator));
    s.replace(QStringLiteral("{t}"), QString(FormatSettings.ThousandSeparator));
    s.replace(QStringLiteral("{s}"), QString(FormatSettings.DateSeparator));
    s.replace(QStringLiteral("{:}"), QString(FormatSettings.TimeSeparator));
    return s;
  }
  // A date written in the locale's order: day and month are swapped for a
  // month-first locale, so that "{D}" always names the same date.
  QString D(int Day, int Month, int Year) const {
    const QChar s = FormatSettings.DateSeparator;
    return DayFirst() ? QStringLiteral("%1%2%3%4%5").arg(Day).arg(s).arg(Month).arg(s).arg(Year)
                      : QStringLiteral("%1%2%3%4%5").arg(Month).arg(s).arg(Day).arg(s).arg(Year);
  }

 private:
  // The settings of before the test come back with the fixture, however the test ends.
  TScopedFormatSettings FRestore;
};

inline std::string LocaleName(const ::testing::TestParamInfo<TestLocale>& Info) {
  return Info.param == TestLocale::DecimalComma ? "DecimalComma" : "DecimalPoint";
}

#define INSTANTIATE_LOCALES(Suite)                                                   \
  INSTANTIATE_TEST_SUITE_P(Locales, Suite,                                           \
                           ::testing::Values(TestLocale::DecimalPoint,               \
                                             TestLocale::DecimalComma),              \
                           LocaleName)
