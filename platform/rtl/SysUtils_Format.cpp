// Formatting of numbers: FloatToStr, FloatToStrF, FormatFloat, CurrToStr and Format.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

#include <QStringList>

#include "platform/rtl/SysUtils.h"

namespace {

// A number as decimal digits: |value| = 0.d1d2d3... * 10^Exponent. Digits has no
// trailing zeros; an empty Digits is zero.
struct TFloatDecimal {
  bool Negative = false;
  int Exponent = 0;
  std::string Digits;
  bool IsZero() const { return Digits.empty(); }
};

// Keeps the first `keep` digits, rounding half away from zero on the digit after.
void RoundDigits(std::string& digits, int& exponent, long keep) {
  if (keep >= static_cast<long>(digits.size())) return;
  if (keep < 0) {
    digits.clear();
    return;
  }
  const bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (!up) return;
  long i = keep - 1;
  while (i >= 0 && digits[i] == '9') digits[i--] = '0';
  if (i >= 0) {
    ++digits[i];
  } else {
    digits.insert(digits.begin(), '1');
    ++exponent;
  }
}

// The framework rounds on decimal digits, half away from zero: to Precision
// significant digits, then to Decimals digits after the point (INT_MAX: no limit).
// The binary value is first written with 17 digits and taken to 15 (unless more
// are asked for), so 2.675 rounds to 2.68 as a user expects, not to the 2.67 its
// binary neighbour 2.67499999999999982 would give.
TFloatDecimal FloatToDecimal(double value, int precision, int decimals) {
  TFloatDecimal r;
  r.Negative = std::signbit(value);
  value = std::fabs(value);
  if (value == 0) {
    r.Negative = false;
    return r;
  }
  const int p = std::clamp(precision, 1, 17);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.16e", value);
  // buf: "d.dddddddddddddddde+XX"
  std::string digits;
  const char* c = buf;
  for (; *c && *c != 'e'; ++c)
    if (*c >= '0' && *c <= '9') digits += *c;
  r.Exponent = std::atoi(c + 1) + 1;
  RoundDigits(digits, r.Exponent, std::max(p, 15));
  RoundDigits(digits, r.Exponent, p);
  if (decimals != INT_MAX) RoundDigits(digits, r.Exponent, static_cast<long>(r.Exponent) + decimals);
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  r.Digits = std::move(digits);
  if (r.IsZero()) {
    r.Negative = false;
    r.Exponent = 0;
  }
  return r;
}

QString Latin(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<int>(s.size())); }

// The digits before the point (no sign, no separators; "" for none).
std::string IntegerDigits(const TFloatDecimal& d) {
  if (d.Exponent <= 0) return std::string();
  std::string s = d.Digits.substr(0, std::min<std::size_t>(d.Digits.size(), d.Exponent));
  s.resize(d.Exponent, '0');
  return s;
}

// The digits after the point, without trailing zeros.
std::string FractionDigits(const TFloatDecimal& d) {
  if (d.Exponent >= static_cast<int>(d.Digits.size())) return std::string();
  if (d.Exponent >= 0) return d.Digits.substr(d.Exponent);
  return std::string(-d.Exponent, '0') + d.Digits;
}

QString GroupThousands(const std::string& digits, QChar sep) {
  QString r;
  const int n = static_cast<int>(digits.size());
  for (int i = 0; i < n; ++i) {
    r += QLatin1Char(digits[i]);
    const int left = n - 1 - i;
    if (!sep.isNull() && left > 0 && left % 3 == 0) r += sep;
  }
  return r;
}

QString ExponentText(int exponent, bool alwaysSign, int minDigits) {
  QString r;
  if (exponent < 0)
    r += u'-';
  else if (alwaysSign)
    r += u'+';
  QString n = QString::number(std::abs(exponent));
  if (n.size() < minDigits) n.prepend(QString(minDigits - n.size(), u'0'));
  return r + n;
}

QString Special(double value) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString FormatGeneral(double value, int precision, int digits, const TFormatSettings& fs) {
  const TFloatDecimal d = FloatToDecimal(value, precision, INT_MAX);
  if (d.IsZero()) return QStringLiteral("0");
  QString r = d.Negative ? QStringLiteral("-") : QString();
  const int p = std::clamp(precision, 1, 18);
  if (d.Exponent > p || d.Exponent < -3) {
    r += QLatin1Char(d.Digits[0]);
    if (d.Digits.size() > 1) r += fs.DecimalSeparator + Latin(d.Digits.substr(1));
    r += u'E' + ExponentText(d.Exponent - 1, false, std::clamp(digits, 0, 4));
    return r;
  }
  const std::string whole = IntegerDigits(d);
  const std::string frac = FractionDigits(d);
  r += whole.empty() ? QStringLiteral("0") : Latin(whole);
  if (!frac.empty()) r += fs.DecimalSeparator + Latin(frac);
  return r;
}

QString FormatExponent(double value, int precision, int digits, const TFormatSettings& fs) {
  const int p = std::clamp(precision, 1, 18);
  const TFloatDecimal d = FloatToDecimal(value, p, INT_MAX);
  std::string all = d.Digits;
  all.resize(p, '0');
  QString r = d.Negative ? QStringLiteral("-") : QString();
  r += QLatin1Char(all[0]);
  if (p > 1) r += fs.DecimalSeparator + Latin(all.substr(1));
  r += u'E' + ExponentText(d.IsZero() ? 0 : d.Exponent - 1, true, std::clamp(digits, 0, 4));
  return r;
}

// The number with Digits decimals; thousand separators when `grouped`. `negative`
// tells whether the rounded value is below zero. Returns false when the number has
// more digits before the point than `limit`.
bool FixedBody(double value, int precision, int digits, bool grouped, int limit,
               const TFormatSettings& fs, QString& body, bool& negative) {
  digits = std::clamp(digits, 0, 18);
  const TFloatDecimal d = FloatToDecimal(value, precision, digits);
  if (d.Exponent > limit) return false;
  const std::string whole = IntegerDigits(d);
  std::string frac = FractionDigits(d);
  frac.resize(digits, '0');
  body = whole.empty() ? QStringLiteral("0")
                       : (grouped ? GroupThousands(whole, fs.ThousandSeparator) : Latin(whole));
  if (digits > 0) body += fs.DecimalSeparator + Latin(frac);
  negative = d.Negative;
  return true;
}

QString CurrencyText(const QString& body, bool negative, const TFormatSettings& fs) {
  const QString& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 1: return body + c;
      case 2: return c + u' ' + body;
      case 3: return body + u' ' + c;
      default: return c + body;
    }
  }
  switch (fs.NegCurrFormat) {
    case 1: return u'-' + c + body;
    case 2: return c + u'-' + body;
    case 3: return c + body + u'-';
    case 4: return u'(' + body + c + u')';
    case 5: return u'-' + body + c;
    case 6: return body + u'-' + c;
    case 7: return body + c + u'-';
    case 8: return u'-' + body + u' ' + c;
    case 9: return u'-' + c + u' ' + body;
    case 10: return body + u' ' + c + u'-';
    case 11: return c + u' ' + body + u'-';
    case 12: return c + u' ' + u'-' + body;
    case 13: return body + u'-' + u' ' + c;
    case 14: return u'(' + c + u' ' + body + u')';
    case 15: return u'(' + body + u' ' + c + u')';
    default: return u'(' + c + body + u')';
  }
}

// FloatToStrF with a separate limit of digits before the point for the fixed forms
// (Format rounds to 15 digits but writes up to 18 before the point).
QString FloatToText(double value, TFloatFormat format, int precision, int digits, int fixedLimit,
                    const TFormatSettings& fs) {
  if (!std::isfinite(value)) return Special(value);
  switch (format) {
    case ffExponent:
      return FormatExponent(value, precision, digits, fs);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      QString body;
      bool negative = false;
      if (!FixedBody(value, precision, digits, format != ffFixed, fixedLimit, fs, body, negative))
        return FormatGeneral(value, precision, 0, fs);
      if (format == ffCurrency) return CurrencyText(body, negative, fs);
      return negative ? u'-' + body : body;
    }
    default:
      return FormatGeneral(value, precision, digits, fs);
  }
}

}  // namespace

QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                    const TFormatSettings& AFormatSettings) {
  return FloatToText(Value, Format, Precision, Digits, std::clamp(Precision, 1, 18),
                     AFormatSettings);
}

QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

QString FloatToStr(double Value, const TFormatSettings& AFormatSettings) {
  return FloatToStrF(Value, ffGeneral, 15, 0, AFormatSettings);
}

QString FloatToStr(double Value) { return FloatToStr(Value, FormatSettings); }

QString CurrToStr(double Value, const TFormatSettings& AFormatSettings) {
  // A currency keeps four decimals.
  return FloatToText(std::round(Value * 10000) / 10000, ffGeneral, 15, 0, 18, AFormatSettings);
}

QString CurrToStr(double Value) { return CurrToStr(Value, FormatSettings); }

QString CurrToStrF(double Value, TFloatFormat Format, int Digits,
                   const TFormatSettings& AFormatSettings) {
  return FloatToText(std::round(Value * 10000) / 10000, Format, 15, Digits, 18, AFormatSettings);
}

QString CurrToStrF(double Value, TFloatFormat Format, int Digits) {
  return CurrToStrF(Value, Format, Digits, FormatSettings);
}

// ---------------------------------------------------------------------------
// FormatFloat

namespace {

// One section of a FormatFloat pattern and what its placeholders ask for.
struct TFloatSection {
  QString Text;
  int IntCount = 0;       // digit placeholders before the point
  int MinInt = 0;         // digits forced before the point (from the first '0')
  int FracCount = 0;      // digit placeholders after the point
  int MinFrac = 0;        // up to the last '0' after the point
  bool Thousands = false;
  bool Scientific = false;

  explicit TFloatSection(const QString& text) : Text(text) {
    int firstZero = -1;
    bool point = false;
    for (int i = 0; i < Text.size(); ++i) {
      const QChar c = Text[i];
      if (c == u'\'' || c == u'"') {
        const int close = Text.indexOf(c, i + 1);
        i = close < 0 ? Text.size() : close;
      } else if (c == u'0' || c == u'#') {
        if (point) {
          ++FracCount;
          if (c == u'0') MinFrac = FracCount;
        } else {
          if (c == u'0' && firstZero < 0) firstZero = IntCount;
          ++IntCount;
        }
      } else if (c == u'.') {
        point = true;
      } else if (c == u',') {
        Thousands = true;
      } else if ((c == u'E' || c == u'e') && i + 1 < Text.size() &&
                 (Text[i + 1] == u'+' || Text[i + 1] == u'-')) {
        Scientific = true;
        break;  // what follows is the exponent and literal text
      }
    }
    MinInt = firstZero < 0 ? 0 : IntCount - firstZero;
  }
};

// Splits a pattern at the ';' outside quotes (three sections at most are used).
QStringList SplitSections(const QString& format) {
  QStringList r;
  QString cur;
  QChar quote;
  for (QChar c : format) {
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == u'\'' || c == u'"') {
      quote = c;
    } else if (c == u';') {
      r << cur;
      cur.clear();
      continue;
    }
    cur += c;
  }
  r << cur;
  return r;
}

// Writes `value` (not negative) through one section, with a leading "-" when `sign`
// asks for it and the value does not round to zero; roundedZero tells whether it did.
QString ApplySection(const TFloatSection& sec, double value, bool sign, bool& roundedZero,
                     const TFormatSettings& fs) {
  std::string whole;
  std::string frac;
  int exponent = 0;
  if (sec.Scientific) {
    const int sig = std::max(1, sec.IntCount + sec.FracCount);
    const TFloatDecimal d = FloatToDecimal(value, std::min(sig, 15), INT_MAX);
    roundedZero = d.IsZero();
    if (!d.IsZero()) {
      const std::size_t intCount = static_cast<std::size_t>(std::max(0, sec.IntCount));
      whole = d.Digits.substr(0, std::min(d.Digits.size(), intCount));
      whole.resize(intCount, '0');
      if (d.Digits.size() > intCount) frac = d.Digits.substr(intCount);
      exponent = d.Exponent - sec.IntCount;
    } else if (sec.IntCount > 0) {
      whole.assign(1, '0');  // zero in scientific notation is "0E0" even with "#"
    }
  } else {
    const TFloatDecimal d = FloatToDecimal(value, 15, sec.FracCount);
    roundedZero = d.IsZero();
    whole = IntegerDigits(d);
    frac = FractionDigits(d);
  }
  if (static_cast<int>(whole.size()) < sec.MinInt) whole.insert(0, sec.MinInt - whole.size(), '0');
  if (static_cast<int>(frac.size()) < sec.MinFrac) frac.resize(sec.MinFrac, '0');

  QString out;
  if (sign && !roundedZero) out += u'-';
  const int len = static_cast<int>(whole.size());
  auto putIntDigit = [&](int k) {
    out += QLatin1Char(whole[k]);
    const int left = len - 1 - k;
    if (sec.Thousands && !fs.ThousandSeparator.isNull() && left > 0 && left % 3 == 0)
      out += fs.ThousandSeparator;
  };
  bool wholeWritten = false;
  auto putWholeExcess = [&](int upto) {
    for (int k = 0; k < upto; ++k) putIntDigit(k);
    wholeWritten = true;
  };
  int intPos = 0;
  int fracPos = 0;
  bool point = false;
  const QString& t = sec.Text;
  for (int i = 0; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c == u'\'' || c == u'"') {
      const int close = t.indexOf(c, i + 1);
      const int end = close < 0 ? t.size() : close;
      out += QStringView(t).mid(i + 1, end - i - 1);
      i = end;
    } else if ((c == u'0' || c == u'#') && !point) {
      if (!wholeWritten) putWholeExcess(std::max(0, len - sec.IntCount));
      const int k = len - (sec.IntCount - intPos);
      if (k >= 0) putIntDigit(k);
      ++intPos;
    } else if ((c == u'0' || c == u'#') && point) {
      if (fracPos < static_cast<int>(frac.size())) out += QLatin1Char(frac[fracPos]);
      ++fracPos;
    } else if (c == u'.' && !point) {
      point = true;
      if (!wholeWritten) putWholeExcess(len);
      if (!frac.empty()) out += fs.DecimalSeparator;
    } else if (c == u',') {
      // only asks for thousand separators
    } else if (sec.Scientific && (c == u'E' || c == u'e') && i + 1 < t.size() &&
               (t[i + 1] == u'+' || t[i + 1] == u'-')) {
      if (!wholeWritten) putWholeExcess(len);
      int zeros = 0;
      int j = i + 2;
      while (j < t.size() && t[j] == u'0') {
        ++zeros;
        ++j;
      }
      out += c;
      out += ExponentText(exponent, t[i + 1] == u'+', std::min(zeros, 4));
      i = j - 1;
      // Digit placeholders after the exponent are literal text.
      for (++i; i < t.size(); ++i) {
        const QChar e = t[i];
        if (e == u'\'' || e == u'"') {
          const int close = t.indexOf(e, i + 1);
          const int end = close < 0 ? t.size() : close;
          out += QStringView(t).mid(i + 1, end - i - 1);
          i = end;
        } else {
          out += e;
        }
      }
      break;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

QString FormatFloat(const QString& Format, double Value, const TFormatSettings& AFormatSettings) {
  if (!std::isfinite(Value)) return Special(Value);
  const QStringList sections = SplitSections(Format);
  auto section = [&](int i) { return i < sections.size() ? sections[i] : QString(); };
  if (section(0).isEmpty() && sections.size() == 1)
    return FloatToStrF(Value, ffGeneral, 15, 0, AFormatSettings);

  int chosen = 0;
  if (Value < 0 && !section(1).isEmpty()) chosen = 1;
  if (Value == 0 && !section(2).isEmpty()) chosen = 2;
  const bool sign = chosen == 0 && Value < 0;
  bool roundedZero = false;
  const QString out = ApplySection(TFloatSection(section(chosen)), std::fabs(Value), sign,
                                   roundedZero, AFormatSettings);
  // A value that rounds to zero takes the zero section.
  if (roundedZero && chosen != 2 && !section(2).isEmpty()) {
    bool dummy;
    return ApplySection(TFloatSection(section(2)), 0.0, false, dummy, AFormatSettings);
  }
  return out;
}

QString FormatFloat(const QString& Format, double Value) {
  return FormatFloat(Format, Value, FormatSettings);
}

// ---------------------------------------------------------------------------
// Format

namespace {

[[noreturn]] void InvalidFormat(const QString& fmt) {
  throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(fmt));
}

QString PadDigits(QString digits, int precision) {
  if (precision > digits.size()) digits.prepend(QString(precision - digits.size(), u'0'));
  return digits;
}

}  // namespace

QString Format(const QString& Fmt, const TVarRec* Args, int Count,
               const TFormatSettings& AFormatSettings) {
  QString out;
  const int n = static_cast<int>(Fmt.size());
  int argIndex = 0;
  auto nextArg = [&]() -> const TVarRec& {
    if (argIndex >= Count)
      throw EConvertError(QStringLiteral("No argument for format '%1'").arg(Fmt));
    return Args[argIndex++];
  };
  int i = 0;
  while (i < n) {
    const QChar c = Fmt[i];
    if (c != u'%') {
      const int next = Fmt.indexOf(u'%', i);
      const int end = next < 0 ? n : next;
      out += QStringView(Fmt).mid(i, end - i);
      i = end;
      continue;
    }
    ++i;
    if (i < n && Fmt[i] == u'%') {
      out += u'%';
      ++i;
      continue;
    }
    // %[index:][-][width][.precision]type; index, width and precision may be "*".
    auto readNumber = [&]() -> int {
      if (i < n && Fmt[i] == u'*') {
        ++i;
        const TVarRec& a = nextArg();
        if (a.VType == TVarRec::vtInteger) return a.VInteger;
        if (a.VType == TVarRec::vtInt64) return static_cast<int>(a.VInt64);
        InvalidFormat(Fmt);
      }
      int v = -1;
      while (i < n && Fmt[i] >= u'0' && Fmt[i] <= u'9') {
        v = (v < 0 ? 0 : v) * 10 + (Fmt[i].unicode() - u'0');
        if (v > 100000) InvalidFormat(Fmt);
        ++i;
      }
      return v;
    };
    int number = readNumber();
    if (i < n && Fmt[i] == u':') {
      ++i;
      argIndex = number < 0 ? 0 : number;
      number = -1;
    }
    bool left = false;
    if (number < 0) {
      if (i < n && Fmt[i] == u'-') {
        left = true;
        ++i;
      }
      number = readNumber();
    }
    const int width = number;
    int precision = -1;
    if (i < n && Fmt[i] == u'.') {
      ++i;
      precision = std::max(0, readNumber());
    }
    if (i >= n) InvalidFormat(Fmt);
    const char16_t type = Fmt[i].toUpper().unicode();
    ++i;
    const TVarRec& a = nextArg();
    const bool isInt = a.VType == TVarRec::vtInteger || a.VType == TVarRec::vtInt64;
    QString text;
    switch (type) {
      case u'D': {
        if (!isInt) InvalidFormat(Fmt);
        const Int64 v = a.VType == TVarRec::vtInteger ? a.VInteger : a.VInt64;
        const QString digits = PadDigits(QString::number(v < 0 ? 0 - static_cast<uint64_t>(v)
                                                               : static_cast<uint64_t>(v)),
                                         precision);
        text = v < 0 ? u'-' + digits : digits;
        break;
      }
      case u'U':
      case u'X': {
        // Unsigned, in decimal or in upper-case hexadecimal.
        if (!isInt) InvalidFormat(Fmt);
        const uint64_t v = a.VType == TVarRec::vtInteger ? static_cast<uint32_t>(a.VInteger)
                                                         : static_cast<uint64_t>(a.VInt64);
        text = PadDigits(QString::number(v, type == u'X' ? 16 : 10).toUpper(), precision);
        break;
      }
      case u'E':
      case u'F':
      case u'G':
      case u'N':
      case u'M': {
        if (a.VType != TVarRec::vtExtended) InvalidFormat(Fmt);
        const double v = a.VExtended;
        const TFloatFormat format = type == u'E'   ? ffExponent
                                    : type == u'F' ? ffFixed
                                    : type == u'G' ? ffGeneral
                                    : type == u'N' ? ffNumber
                                                   : ffCurrency;
        if (type == u'E' || type == u'G') {
          // The precision counts significant digits (15 when not given, 18 at most).
          text = FloatToText(v, format, precision < 0 ? 15 : std::min(precision, 18), 3, 18,
                             AFormatSettings);
        } else {
          // The precision counts decimals (2, or the currency's, when not given).
          const int decimals =
              precision >= 0 ? precision : (type == u'M' ? AFormatSettings.CurrencyDecimals : 2);
          text = FloatToText(v, format, 15, decimals, 18, AFormatSettings);
        }
        break;
      }
      case u'P':
        if (a.VType != TVarRec::vtPointer) InvalidFormat(Fmt);
        text = PadDigits(QString::number(reinterpret_cast<quintptr>(a.VPointer), 16).toUpper(),
                         static_cast<int>(sizeof(void*) * 2));
        break;
      case u'S':
        switch (a.VType) {
          case TVarRec::vtString: text = a.VString; break;
          case TVarRec::vtPChar: text = a.VPChar ? QString::fromUtf8(a.VPChar) : QString(); break;
          case TVarRec::vtChar: text = QChar(a.VChar); break;
          default: InvalidFormat(Fmt);
        }
        if (precision >= 0 && precision < text.size()) text.truncate(precision);
        break;
      default:
        InvalidFormat(Fmt);
    }
    if (width > text.size()) {
      const QString pad(width - text.size(), u' ');
      text = left ? text + pad : pad + text;
    }
    out += text;
  }
  return out;
}

QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args,
               const TFormatSettings& AFormatSettings) {
  return Format(Fmt, Args.begin(), static_cast<int>(Args.size()), AFormatSettings);
}

QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args) {
  return Format(Fmt, Args.begin(), static_cast<int>(Args.size()), FormatSettings);
}

QString Format(const QString& Fmt, const std::vector<TVarRec>& Args,
               const TFormatSettings& AFormatSettings) {
  return Format(Fmt, Args.data(), static_cast<int>(Args.size()), AFormatSettings);
}

QString Format(const QString& Fmt, const std::vector<TVarRec>& Args) {
  return Format(Fmt, Args.data(), static_cast<int>(Args.size()), FormatSettings);
}
