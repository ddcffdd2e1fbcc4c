// Dates and times: encoding and decoding of TDateTime values, the clock,
// FormatDateTime and the date and time readers.
//
// A TDateTime counts days from 1899-12-30. Before that day the value is negative
// and its fraction still counts the time forward from midnight: -1.25 is
// 1899-12-29 06:00, so the date is the value truncated toward zero and the time is
// the fraction's absolute value.
#include <QDateTime>
#include <cmath>
#include <cstdlib>

#include "platform/rtl/SysUtils.h"

namespace {

constexpr int kDateDelta = DateDelta;
constexpr Int64 kMSecsPerDay = MSecsPerDay;

const Word kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Days since 0001-01-01 counted from 1, and the milliseconds of the day.
struct TTimeStamp {
  Int64 Date;
  Int64 Time;
};

TTimeStamp ToTimeStamp(TDateTime value) {
  const Int64 ms = std::llround(value * kMSecsPerDay);
  // Division truncates toward zero: the date of a negative value with a time
  // fraction stays the truncated day.
  return {kDateDelta + ms / kMSecsPerDay, std::llabs(ms) % kMSecsPerDay};
}

bool ValidDate(TDateTime value) {
  return std::isfinite(value) && value > -693594.0 && value < 2958466.0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Encoding and decoding

bool IsLeapYear(Word Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

Word DaysInAMonth(Word AYear, Word AMonth) {
  if (AMonth < 1 || AMonth > 12) return 0;
  return kMonthDays[IsLeapYear(AYear)][AMonth - 1];
}

Word DaysInMonth(TDateTime DateTime) {
  Word y, m, d;
  DecodeDate(DateTime, y, m, d);
  return DaysInAMonth(y, m);
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
      Day > DaysInAMonth(Year, Month))
    return false;
  int days = Day;
  for (int i = 0; i < Month - 1; ++i) days += kMonthDays[IsLeapYear(Year)][i];
  const int y = Year - 1;
  Date = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + days - kDateDelta);
  return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime d;
  if (!TryEncodeDate(Year, Month, Day, d))
    throw EConvertError(QStringLiteral("Invalid argument to date encode"));
  return d;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time) {
  if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
  const Int64 ms = ((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec;
  Time = static_cast<double>(ms) / kMSecsPerDay;
  return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime t;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, t))
    throw EConvertError(QStringLiteral("Invalid argument to time encode"));
  return t;
}

bool TryEncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Min, Word Sec, Word MSec,
                       TDateTime& Value) {
  TDateTime d, t;
  if (!TryEncodeDate(Year, Month, Day, d) || !TryEncodeTime(Hour, Min, Sec, MSec, t)) return false;
  Value = d >= 0 ? d + t : d - t;
  return true;
}

TDateTime EncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Min, Word Sec,
                         Word MSec) {
  TDateTime v;
  if (!TryEncodeDateTime(Year, Month, Day, Hour, Min, Sec, MSec, v))
    throw EConvertError(QStringLiteral("Invalid argument to date encode"));
  return v;
}

bool DecodeDateFully(TDateTime Date, Word& Year, Word& Month, Word& Day, Word& DOW) {
  Year = Month = Day = DOW = 0;
  if (!ValidDate(Date)) return false;
  Int64 t = ToTimeStamp(Date).Date;
  if (t <= 0) return false;
  DOW = static_cast<Word>(t % 7 + 1);
  --t;  // days since 0001-01-01 counted from 0
  int y = 1;
  y += static_cast<int>(t / 146097) * 400;
  t %= 146097;
  Int64 i = t / 36524;
  t %= 36524;
  if (i == 4) {  // the last day of a 400-year cycle
    i = 3;
    t += 36524;
  }
  y += static_cast<int>(i) * 100;
  y += static_cast<int>(t / 1461) * 4;
  t %= 1461;
  i = t / 365;
  t %= 365;
  if (i == 4) {  // the last day of a leap year
    i = 3;
    t += 365;
  }
  y += static_cast<int>(i);
  const Word* days = kMonthDays[IsLeapYear(static_cast<Word>(y))];
  int m = 0;
  while (t >= days[m]) {
    t -= days[m];
    ++m;
  }
  Year = static_cast<Word>(y);
  Month = static_cast<Word>(m + 1);
  Day = static_cast<Word>(t + 1);
  return IsLeapYear(Year);
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
  Word dow;
  DecodeDateFully(Date, Year, Month, Day, dow);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  Hour = Min = Sec = MSec = 0;
  if (!std::isfinite(Time)) return;
  Int64 ms = ToTimeStamp(Time).Time;
  MSec = static_cast<Word>(ms % 1000);
  ms /= 1000;
  Sec = static_cast<Word>(ms % 60);
  ms /= 60;
  Min = static_cast<Word>(ms % 60);
  Hour = static_cast<Word>(ms / 60);
}

void DecodeDateTime(TDateTime AValue, Word& AYear, Word& AMonth, Word& ADay, Word& AHour,
                    Word& AMinute, Word& ASecond, Word& AMilliSecond) {
  DecodeDate(AValue, AYear, AMonth, ADay);
  DecodeTime(AValue, AHour, AMinute, ASecond, AMilliSecond);
}

int DayOfWeek(TDateTime DateTime) {
  if (!ValidDate(DateTime)) return 0;
  return static_cast<int>(ToTimeStamp(DateTime).Date % 7 + 1);
}

namespace {

// The day of Date with the time of Time, keeping the sign convention.
TDateTime ReplaceTimeOf(TDateTime Date, TDateTime Time) {
  const double day = std::trunc(Date);
  const double frac = std::fabs(Time - std::trunc(Time));
  return day >= 0 ? day + frac : day - frac;
}

}  // namespace

TDateTime IncMonth(TDateTime DateTime, int NumberOfMonths) {
  Word y, m, d;
  DecodeDate(DateTime, y, m, d);
  int months = y * 12 + (m - 1) + NumberOfMonths;
  if (months < 12) months = 12;                       // not before the year 1
  if (months > 9999 * 12 + 11) months = 9999 * 12 + 11;  // nor after 9999
  const Word ny = static_cast<Word>(months / 12);
  const Word nm = static_cast<Word>(months % 12 + 1);
  const Word nd = std::min<Word>(d, DaysInAMonth(ny, nm));
  return ReplaceTimeOf(EncodeDate(ny, nm, nd), DateTime);
}

// ---------------------------------------------------------------------------
// The clock

TDateTime Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return EncodeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(),
                        t.msec());
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
  const double n = Now();
  return n - std::trunc(n);
}

// ---------------------------------------------------------------------------
// FormatDateTime

namespace {

class DateTimeFormatter {
 public:
  DateTimeFormatter(TDateTime value, const TFormatSettings& fs) : fs_(fs) {
    DecodeDateTime(value, year_, month_, day_, hour_, min_, sec_, msec_);
    dow_ = DayOfWeek(value);
  }

  void Append(const QString& fmt, int level) {
    QChar lastToken;
    const int n = static_cast<int>(fmt.size());
    int i = 0;
    while (i < n) {
      const QChar starter = fmt[i];
      QChar token = starter.unicode() < 128 ? starter.toUpper() : starter;
      if (token >= u'A' && token <= u'Z') {
        // "m" right after an hour means minutes ("h:mm").
        if (token == u'M' && lastToken == u'H') token = u'N';
        lastToken = token;
      }
      // Number of repeats of the starting character.
      int count = 1;
      auto getCount = [&] {
        while (i + count < n && fmt[i + count] == starter) ++count;
      };
      switch (token.unicode()) {
        case u'Y':
          getCount();
          if (count <= 2)
            Number(year_ % 100, 2);
          else
            Number(year_, 4);
          break;
        case u'M':
          getCount();
          if (count <= 2)
            Number(month_, count);
          else if (month_ >= 1)
            out_ += count == 3 ? fs_.ShortMonthNames[month_ - 1] : fs_.LongMonthNames[month_ - 1];
          break;
        case u'D':
          getCount();
          if (count <= 2) {
            Number(day_, count);
          } else if (count <= 4) {
            if (dow_ >= 1)
              out_ += count == 3 ? fs_.ShortDayNames[dow_ - 1] : fs_.LongDayNames[dow_ - 1];
          } else if (level < 2) {
            Append(count == 5 ? fs_.ShortDateFormat : fs_.LongDateFormat, level + 1);
          }
          break;
        case u'H': {
          getCount();
          int h = hour_;
          if (Use12HourClock(fmt, i + count)) {
            h %= 12;
            if (h == 0) h = 12;
          }
          Number(h, count >= 2 ? 2 : 1);
          break;
        }
        case u'N':
          getCount();
          Number(min_, count >= 2 ? 2 : 1);
          break;
        case u'S':
          getCount();
          Number(sec_, count >= 2 ? 2 : 1);
          break;
        case u'Z':
          getCount();
          Number(msec_, count >= 3 ? 3 : 1);
          break;
        case u'T':
          getCount();
          if (level < 2) Append(count == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, level + 1);
          break;
        case u'C':
          getCount();
          if (level < 2) {
            Append(fs_.ShortDateFormat, level + 1);
            if (hour_ || min_ || sec_ || msec_) {
              out_ += u' ';
              Append(fs_.LongTimeFormat, level + 1);
            }
          }
          break;
        case u'A':
          count = AmPm(fmt, i);
          break;
        case u'/':
          if (!fs_.DateSeparator.isNull()) out_ += fs_.DateSeparator;
          break;
        case u':':
          if (!fs_.TimeSeparator.isNull()) out_ += fs_.TimeSeparator;
          break;
        case u'\'':
        case u'"': {
          int j = i + 1;
          while (j < n && fmt[j] != starter) ++j;
          out_ += QStringView(fmt).mid(i + 1, j - i - 1);
          count = (j < n ? j + 1 : n) - i;
          break;
        }
        default:
          out_ += starter;
          break;
      }
      i += count;
    }
  }

  const QString& Result() const { return out_; }

 private:
  static bool StartsWithNoCase(const QString& fmt, int i, const char* what) {
    const QLatin1String w(what);
    return fmt.size() - i >= w.size() &&
           QStringView(fmt).mid(i, w.size()).compare(w, Qt::CaseInsensitive) == 0;
  }

  // Whether an am/pm marker follows before the next hour (outside quotes).
  static bool Use12HourClock(const QString& fmt, int from) {
    bool inQuotes = false;
    for (int p = from; p < fmt.size(); ++p) {
      const QChar c = fmt[p];
      if (c == u'\'' || c == u'"') {
        inQuotes = !inQuotes;
      } else if (!inQuotes && (c == u'h' || c == u'H')) {
        return false;
      } else if (!inQuotes && (c == u'a' || c == u'A')) {
        return StartsWithNoCase(fmt, p, "am/pm") || StartsWithNoCase(fmt, p, "a/p") ||
               StartsWithNoCase(fmt, p, "ampm");
      }
    }
    return false;
  }

  // Writes an am/pm marker at fmt[i]; returns the characters it took.
  int AmPm(const QString& fmt, int i) {
    const bool pm = hour_ >= 12;
    if (StartsWithNoCase(fmt, i, "am/pm")) {
      // The marker keeps the case it is written in.
      out_ += QStringView(fmt).mid(pm ? i + 3 : i, 2);
      return 5;
    }
    if (StartsWithNoCase(fmt, i, "a/p")) {
      out_ += fmt[pm ? i + 2 : i];
      return 3;
    }
    if (StartsWithNoCase(fmt, i, "ampm")) {
      out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
      return 4;
    }
    out_ += fmt[i];
    return 1;
  }

  void Number(int value, int digits) {
    QString s = QString::number(value);
    if (s.size() < digits) s.prepend(QString(digits - s.size(), u'0'));
    out_ += s;
  }

  const TFormatSettings& fs_;
  Word year_, month_, day_, hour_, min_, sec_, msec_;
  int dow_;
  QString out_;
};

}  // namespace

QString FormatDateTime(const QString& Format, TDateTime DateTime,
                       const TFormatSettings& AFormatSettings) {
  DateTimeFormatter f(DateTime, AFormatSettings);
  f.Append(Format.isEmpty() ? QStringLiteral("c") : Format, 0);
  return f.Result();
}

QString FormatDateTime(const QString& Format, TDateTime DateTime) {
  return FormatDateTime(Format, DateTime, FormatSettings);
}

QString DateToStr(TDateTime Date, const TFormatSettings& AFormatSettings) {
  return FormatDateTime(QStringLiteral("ddddd"), Date, AFormatSettings);
}
QString DateToStr(TDateTime Date) { return DateToStr(Date, FormatSettings); }

QString TimeToStr(TDateTime Time, const TFormatSettings& AFormatSettings) {
  return FormatDateTime(QStringLiteral("tt"), Time, AFormatSettings);
}
QString TimeToStr(TDateTime Time) { return TimeToStr(Time, FormatSettings); }

QString DateTimeToStr(TDateTime DateTime, const TFormatSettings& AFormatSettings) {
  return FormatDateTime(QStringLiteral("c"), DateTime, AFormatSettings);
}
QString DateTimeToStr(TDateTime DateTime) { return DateTimeToStr(DateTime, FormatSettings); }

// ---------------------------------------------------------------------------
// Reading dates and times

namespace {

enum TDateOrder { doMDY, doDMY, doYMD };

// The order of day, month and year in a short date format: the first of the
// three letters decides.
TDateOrder GetDateOrder(const QString& fmt) {
  for (QChar c : fmt) {
    switch (c.toUpper().unicode()) {
      case u'E':
      case u'Y':
        return doYMD;
      case u'M':
        return doMDY;
      case u'D':
        return doDMY;
      default:
        break;
    }
  }
  return doMDY;
}

class Scanner {
 public:
  explicit Scanner(const QString& s) : s_(s) {}

  void Blanks() {
    while (pos_ < s_.size() && s_[pos_] == u' ') ++pos_;
  }

  // Digits after blanks; false without any.
  bool Number(int& value, int& digits) {
    Blanks();
    const int start = pos_;
    int v = 0;
    while (pos_ < s_.size() && s_[pos_] >= u'0' && s_[pos_] <= u'9' && v < 100000) {
      v = v * 10 + (s_[pos_].unicode() - u'0');
      ++pos_;
    }
    digits = pos_ - start;
    if (digits == 0) return false;
    value = v;
    return true;
  }

  bool Char(QChar c) {
    Blanks();
    if (c.isNull() || pos_ >= s_.size() || s_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  bool Text(const QString& text) {
    Blanks();
    if (text.isEmpty() || s_.size() - pos_ < text.size()) return false;
    if (QStringView(s_).mid(pos_, text.size()).compare(text, Qt::CaseInsensitive) != 0)
      return false;
    pos_ += static_cast<int>(text.size());
    return true;
  }

  bool AtEnd() const { return pos_ >= s_.size(); }
  int pos_ = 0;

 private:
  const QString& s_;
};

int CurrentYear() { return QDate::currentDate().year(); }

bool ScanDate(Scanner& sc, TDateTime& date, const TFormatSettings& fs) {
  const TDateOrder order = GetDateOrder(fs.ShortDateFormat);
  int n1, n2, n3, l1, l2, l3;
  if (!(sc.Number(n1, l1) && sc.Char(fs.DateSeparator) && sc.Number(n2, l2))) return false;
  int y, m, d, yearDigits;
  if (sc.Char(fs.DateSeparator)) {
    if (!sc.Number(n3, l3)) return false;
    switch (order) {
      case doMDY: y = n3; yearDigits = l3; m = n1; d = n2; break;
      case doDMY: y = n3; yearDigits = l3; m = n2; d = n1; break;
      default:    y = n1; yearDigits = l1; m = n2; d = n3; break;
    }
    if (yearDigits <= 2) {
      // A two-digit year falls into the window of years around now.
      const int base = CurrentYear() - fs.TwoDigitYearCenturyWindow;
      y += base / 100 * 100;
      if (fs.TwoDigitYearCenturyWindow > 0 && y < base) y += 100;
    }
  } else {
    y = CurrentYear();
    if (order == doDMY) {
      d = n1;
      m = n2;
    } else {
      m = n1;
      d = n2;
    }
  }
  sc.Blanks();
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  return TryEncodeDate(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(d), date);
}

bool ScanTime(Scanner& sc, TDateTime& time, const TFormatSettings& fs) {
  int baseHour = -1;
  auto scanAmPm = [&] {
    if (sc.Text(fs.TimeAMString) || sc.Text(QStringLiteral("AM")))
      baseHour = 0;
    else if (sc.Text(fs.TimePMString) || sc.Text(QStringLiteral("PM")))
      baseHour = 12;
  };
  scanAmPm();
  int hour, min = 0, sec = 0, msec = 0, digits;
  if (!sc.Number(hour, digits)) return false;
  if (sc.Char(fs.TimeSeparator)) {
    if (!sc.Number(min, digits)) return false;
    if (sc.Char(fs.TimeSeparator)) {
      if (!sc.Number(sec, digits)) return false;
      if (sc.Char(fs.DecimalSeparator)) {
        if (!sc.Number(msec, digits)) return false;
        // The digits are a fraction of a second: ".5" is 500 ms.
        for (; digits < 3; ++digits) msec *= 10;
        for (; digits > 3; --digits) msec /= 10;
      }
    }
  }
  if (baseHour < 0) scanAmPm();
  if (baseHour >= 0) {
    if (hour == 0 || hour > 12) return false;
    if (hour == 12) hour = 0;
    hour += baseHour;
  }
  sc.Blanks();
  if (hour > 23 || min > 59 || sec > 59 || msec > 999) return false;
  return TryEncodeTime(static_cast<Word>(hour), static_cast<Word>(min), static_cast<Word>(sec),
                       static_cast<Word>(msec), time);
}

}  // namespace

bool TryStrToDate(const QString& S, TDateTime& Value, const TFormatSettings& AFormatSettings) {
  Scanner sc(S);
  TDateTime d;
  if (!ScanDate(sc, d, AFormatSettings) || !sc.AtEnd()) return false;
  Value = d;
  return true;
}
bool TryStrToDate(const QString& S, TDateTime& Value) {
  return TryStrToDate(S, Value, FormatSettings);
}

bool TryStrToTime(const QString& S, TDateTime& Value, const TFormatSettings& AFormatSettings) {
  Scanner sc(S);
  TDateTime t;
  if (!ScanTime(sc, t, AFormatSettings) || !sc.AtEnd()) return false;
  Value = t;
  return true;
}
bool TryStrToTime(const QString& S, TDateTime& Value) {
  return TryStrToTime(S, Value, FormatSettings);
}

bool TryStrToDateTime(const QString& S, TDateTime& Value, const TFormatSettings& AFormatSettings) {
  Scanner sc(S);
  TDateTime d, t = 0;
  if (!ScanDate(sc, d, AFormatSettings) ||
      !(sc.AtEnd() || (ScanTime(sc, t, AFormatSettings) && sc.AtEnd())))
    return TryStrToTime(S, Value, AFormatSettings);  // a time alone
  Value = d >= 0 ? d + t : d - t;
  return true;
}
bool TryStrToDateTime(const QString& S, TDateTime& Value) {
  return TryStrToDateTime(S, Value, FormatSettings);
}

TDateTime StrToDate(const QString& S, const TFormatSettings& AFormatSettings) {
  TDateTime v;
  if (!TryStrToDate(S, v, AFormatSettings))
    throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(S));
  return v;
}
TDateTime StrToDate(const QString& S) { return StrToDate(S, FormatSettings); }

TDateTime StrToTime(const QString& S, const TFormatSettings& AFormatSettings) {
  TDateTime v;
  if (!TryStrToTime(S, v, AFormatSettings))
    throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(S));
  return v;
}
TDateTime StrToTime(const QString& S) { return StrToTime(S, FormatSettings); }

TDateTime StrToDateTime(const QString& S, const TFormatSettings& AFormatSettings) {
  TDateTime v;
  if (!TryStrToDateTime(S, v, AFormatSettings))
    throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(S));
  return v;
}
TDateTime StrToDateTime(const QString& S) { return StrToDateTime(S, FormatSettings); }

TDateTime StrToDateDef(const QString& S, TDateTime Default) {
  TDateTime v;
  return TryStrToDate(S, v) ? v : Default;
}
TDateTime StrToTimeDef(const QString& S, TDateTime Default) {
  TDateTime v;
  return TryStrToTime(S, v) ? v : Default;
}
TDateTime StrToDateTimeDef(const QString& S, TDateTime Default) {
  TDateTime v;
  return TryStrToDateTime(S, v) ? v : Default;
}
