// Dates and times: TDateTime encoding, FormatDateTime and the date readers under
// two different settings.
#include <gtest/gtest.h>

#include <QDate>
#include <cmath>

#include "platform/rtl/SysUtils.h"

namespace {

// A German-style setting: day first, "." between date parts, 24-hour clock.
TFormatSettings German() {
  TFormatSettings s = TFormatSettings::Create();
  s.DecimalSeparator = u',';
  s.ThousandSeparator = u'.';
  s.DateSeparator = u'.';
  s.ShortDateFormat = "dd/mm/yyyy";
  s.LongDateFormat = "dddd, d. mmmm yyyy";
  s.ShortTimeFormat = "hh:nn";
  s.LongTimeFormat = "hh:nn:ss";
  s.LongMonthNames[11] = "Dezember";
  s.LongDayNames[4] = "Donnerstag";
  return s;
}

const TDateTime kSample = EncodeDateTime(2026, 12, 10, 14, 5, 9, 7);  // a Thursday

}  // namespace

TEST(DateEncoding, KnownDays) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
  EXPECT_EQ(EncodeDate(2026, 12, 10), 46366);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
  EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 10)), 5);  // Thursday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 31)), 1);  // Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);       // Monday
}

TEST(DateEncoding, LeapYearsAndInvalidDays) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2026));
  TDateTime d;
  EXPECT_TRUE(TryEncodeDate(2024, 2, 29, d));
  EXPECT_FALSE(TryEncodeDate(2026, 2, 29, d));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, d));
  EXPECT_FALSE(TryEncodeDate(2026, 4, 31, d));
  EXPECT_FALSE(TryEncodeDate(2026, 13, 1, d));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, d));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, d));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, d));
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, d));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, d));
  EXPECT_THROW(EncodeDate(2026, 2, 29), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(EncodeDate(2026, 2, 3)), 28);
}

TEST(DateEncoding, RoundTripsAgreeWithTheCalendar) {
  // Every 7th day over four centuries against Qt's calendar, plus the day before
  // and after each month end through the leap-year rules.
  const QDate epoch(1899, 12, 30);
  for (int day = -693593; day <= 2958465; day += 997) {
    Word y, m, d;
    DecodeDate(day, y, m, d);
    const QDate q = epoch.addDays(day);
    ASSERT_EQ(QDate(y, m, d), q) << day;
    ASSERT_EQ(EncodeDate(y, m, d), day);
    ASSERT_EQ(DayOfWeek(day), q.dayOfWeek() % 7 + 1) << day;
  }
  for (int year : {1600, 1700, 1900, 2000, 2023, 2024}) {
    for (int month = 1; month <= 12; ++month) {
      const Word last = DaysInAMonth(year, month);
      Word y, m, d;
      DecodeDate(EncodeDate(year, month, last), y, m, d);
      EXPECT_EQ(QDate(y, m, d), QDate(year, month, last));
      DecodeDate(EncodeDate(year, month, last) + 1, y, m, d);
      EXPECT_EQ(QDate(y, m, d), QDate(year, month, last).addDays(1));
    }
  }
}

TEST(DateEncoding, TimesBeforeTheEpochCountForward) {
  const TDateTime v = EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
  EXPECT_DOUBLE_EQ(v, -1.25);
  Word y, mo, d, h, mi, s, ms;
  DecodeDateTime(v, y, mo, d, h, mi, s, ms);
  EXPECT_EQ(QDate(y, mo, d), QDate(1899, 12, 29));
  EXPECT_EQ(h, 6);
  DecodeDateTime(-0.75, y, mo, d, h, mi, s, ms);  // the epoch day itself, 18:00
  EXPECT_EQ(QDate(y, mo, d), QDate(1899, 12, 30));
  EXPECT_EQ(h, 18);
  // Rounding to the millisecond carries into the next day.
  DecodeDateTime(EncodeDate(2026, 12, 10) + 0.9999999999, y, mo, d, h, mi, s, ms);
  EXPECT_EQ(QDate(y, mo, d), QDate(2026, 12, 11));
  EXPECT_EQ(h + mi + s + ms, 0);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
}

TEST(DateEncoding, IncMonthClampsTheDayAndKeepsTheTime) {
  const TDateTime t = EncodeTime(10, 30, 0, 0);
  EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2024, 1, 31) + t), EncodeDate(2024, 2, 29) + t);
  EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2023, 1, 31)), EncodeDate(2023, 2, 28));
  EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2025, 12, 15), 1), EncodeDate(2026, 1, 15));
  EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2026, 3, 31), -1), EncodeDate(2026, 2, 28));
  EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2026, 1, 10), -13), EncodeDate(2024, 12, 10));
  EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2026, 5, 5), 24), EncodeDate(2028, 5, 5));
}

TEST(DateEncoding, ClockIsLocalAndConsistent) {
  const TDateTime before = Now();
  const TDateTime today = Date();
  const TDateTime now = Now();
  EXPECT_GE(now, before);
  EXPECT_LE(std::trunc(before), today);
  EXPECT_LE(today, now);
  EXPECT_EQ(today, std::trunc(today));
  const QDate q = QDate::currentDate();
  EXPECT_NEAR(today, EncodeDate(q.year(), q.month(), q.day()), 1);
  const TDateTime tod = Time();
  EXPECT_GE(tod, 0);
  EXPECT_LT(tod, 1);
  const uint64_t t0 = GetTickCount64();
  Sleep(5);
  EXPECT_GE(GetTickCount64() - t0, 5u);
}

TEST(FormatDateTimeText, PatternLettersUnderUsSettings) {
  const TFormatSettings us = TFormatSettings::Create();
  struct {
    const char* format;
    const char* expected;
  } cases[] = {
      {"c", "12/10/2026 2:05:09 PM"},
      {"", "12/10/2026 2:05:09 PM"},
      {"ddddd", "12/10/2026"},
      {"dddddd", "Thursday, December 10, 2026"},
      {"d/m/yy", "10/12/26"},
      {"dd.mm.yyyy", "10.12.2026"},
      {"dd mmm yyyy", "10 Dec 2026"},
      {"ddd dddd", "Thu Thursday"},
      {"mmmm", "December"},
      {"hh:nn:ss.zzz", "14:05:09.007"},
      {"h:n:s.z", "14:5:9.7"},
      {"h:mm", "14:05"},  // "m" after an hour is the minute
      {"h:mm am/pm", "2:05 pm"},
      {"h:mm AM/PM", "2:05 PM"},
      {"h a/p", "2 p"},
      {"hh ampm", "02 PM"},
      {"H 'am/pm' hh", "14 am/pm 14"},  // quoted markers do not switch the clock
      {"t", "2:05 PM"},
      {"tt", "2:05:09 PM"},
      {"yyyy-mm-dd'T'hh:nn", "2026-12-10T14:05"},
      {"\"Day\" d", "Day 10"},
      {"YYYY MM DD", "2026 12 10"},
      {"x'open", "xopen"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(FormatDateTime(QString::fromLatin1(c.format), kSample, us), c.expected);
  }
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2026, 12, 10), us), "12/10/2026");  // no time
  EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(0, 7, 0, 0), us), "12:07 am");
  EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(12, 7, 0, 0), us), "12:07 pm");
}

TEST(FormatDateTimeText, SeparatorsAndNamesComeFromTheSettings) {
  const TFormatSettings de = German();
  EXPECT_EQ(FormatDateTime("c", kSample, de), "10.12.2026 14:05:09");
  EXPECT_EQ(FormatDateTime("d/m/yyyy", kSample, de), "10.12.2026");
  EXPECT_EQ(FormatDateTime("dddddd", kSample, de), "Donnerstag, 10. Dezember 2026");
  EXPECT_EQ(DateToStr(kSample, de), "10.12.2026");
  EXPECT_EQ(TimeToStr(kSample, de), "14:05:09");
  EXPECT_EQ(DateTimeToStr(kSample, de), "10.12.2026 14:05:09");

  // The global settings are read at each call.
  EXPECT_EQ(DateToStr(kSample), "12/10/2026");
  {
    const TScopedFormatSettings german(de);
    EXPECT_EQ(DateToStr(kSample), "10.12.2026");
    EXPECT_EQ(StrToDate("10.12.2026"), EncodeDate(2026, 12, 10));
  }
  EXPECT_EQ(TimeToStr(kSample), "2:05:09 PM");
}

TEST(DateTimeReading, DatesUnderTwoSettings) {
  const TFormatSettings us = TFormatSettings::Create();
  const TFormatSettings de = German();
  const int year = QDate::currentDate().year();
  struct {
    const char* text;
    const TFormatSettings* fs;
    double expected;  // -1: not a date
  } cases[] = {
      {"12/10/2026", &us, 46366},
      {" 12 / 10 / 2026 ", &us, 46366},
      {"10.12.2026", &de, 46366},
      {"10/12/2026", &de, -1},  // wrong separator
      {"13/10/2026", &us, -1},  // no month 13
      {"2/29/2026", &us, -1},
      {"2/29/2024", &us, EncodeDate(2024, 2, 29)},
      {"12/10/80", &us, EncodeDate(1980, 12, 10)},
      {"12/10/26", &us, EncodeDate(2026, 12, 10)},
      {"12/10/0026", &us, EncodeDate(26, 12, 10)},  // four digits are taken as written
      {"12/10", &us, EncodeDate(year, 12, 10)},
      {"10.12", &de, EncodeDate(year, 12, 10)},
      {"12/10/2026x", &us, -1},
      {"12/10/2026 10:00", &us, -1},  // a date only
      {"12", &us, -1},
      {"", &us, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TDateTime v = -5;
    const bool ok = TryStrToDate(QString::fromLatin1(c.text), v, *c.fs);
    EXPECT_EQ(ok, c.expected != -1);
    if (ok) { EXPECT_EQ(v, c.expected); }
  }
  try {
    StrToDate("31/31/2026", us);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'31/31/2026' is not a valid date");
  }
  // A year-first format reads year-first.
  TFormatSettings iso = us;
  iso.ShortDateFormat = "yyyy-mm-dd";
  iso.DateSeparator = u'-';
  EXPECT_EQ(StrToDate("2026-12-10", iso), 46366);
  EXPECT_EQ(DateToStr(46366, iso), "2026-12-10");
}

TEST(DateTimeReading, TimesAndDateTimes) {
  const TFormatSettings us = TFormatSettings::Create();
  struct {
    const char* text;
    double expected;  // -1: not a time
  } cases[] = {
      {"14:05:09", EncodeTime(14, 5, 9, 0)},
      {"2:05 PM", EncodeTime(14, 5, 0, 0)},
      {"2:05pm", EncodeTime(14, 5, 0, 0)},
      {"PM 2:05", EncodeTime(14, 5, 0, 0)},
      {"12:00 AM", 0},
      {"12:30 PM", EncodeTime(12, 30, 0, 0)},
      {"14", EncodeTime(14, 0, 0, 0)},
      {"14:05:09.5", EncodeTime(14, 5, 9, 500)},
      {"14:05:09.123", EncodeTime(14, 5, 9, 123)},
      {"13:00 PM", -1},
      {"0:10 AM", -1},
      {"25:00", -1},
      {"10:60", -1},
      {"14-05", -1},
      {"14:", -1},
      {"", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TDateTime v = -5;
    const bool ok = TryStrToTime(QString::fromLatin1(c.text), v, us);
    EXPECT_EQ(ok, c.expected != -1);
    if (ok) { EXPECT_DOUBLE_EQ(v, c.expected); }
  }
  EXPECT_THROW(StrToTime("x", us), EConvertError);

  EXPECT_DOUBLE_EQ(StrToDateTime("12/10/2026 2:05:09 PM", us),
                   EncodeDateTime(2026, 12, 10, 14, 5, 9, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("12/10/2026", us), 46366);
  EXPECT_DOUBLE_EQ(StrToDateTime("2:05 PM", us), EncodeTime(14, 5, 0, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("12/29/1899 6:00", us), -1.25);
  EXPECT_THROW(StrToDateTime("12/10/2026 x", us), EConvertError);
  // What DateTimeToStr writes reads back (to the second) under either setting.
  const TDateTime whole = EncodeDateTime(2026, 12, 10, 14, 5, 9, 0);
  EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(whole, us), us), whole);
  EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(whole, German()), German()), whole);
}
