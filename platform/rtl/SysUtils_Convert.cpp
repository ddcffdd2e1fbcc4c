// Numbers from and to text: IntToStr, IntToHex, the framework's integer
// conversion, Val, the real-number conversion and the Boolean conversion.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------
// Integers to text

QString IntToStr(int Value) { return QString::number(Value); }
QString IntToStr(long Value) { return QString::number(Value); }
QString IntToStr(long long Value) { return QString::number(Value); }
QString IntToStr(unsigned Value) { return QString::number(Value); }
QString IntToStr(unsigned long Value) { return QString::number(Value); }
QString IntToStr(unsigned long long Value) { return QString::number(Value); }
QString UIntToStr(uint32_t Value) { return QString::number(Value); }
QString UIntToStr(uint64_t Value) { return QString::number(Value); }

namespace {

QString Hex(uint64_t value, int digits) {
  QString s = QString::number(value, 16).toUpper();
  if (s.size() < digits) s.prepend(QString(digits - s.size(), u'0'));
  return s;
}

}  // namespace

QString IntToHex(int Value, int Digits) { return Hex(static_cast<uint32_t>(Value), Digits); }
QString IntToHex(long Value, int Digits) { return Hex(static_cast<unsigned long>(Value), Digits); }
QString IntToHex(long long Value, int Digits) {
  return Hex(static_cast<unsigned long long>(Value), Digits);
}
QString IntToHex(unsigned Value, int Digits) { return Hex(Value, Digits); }
QString IntToHex(unsigned long Value, int Digits) { return Hex(Value, Digits); }
QString IntToHex(unsigned long long Value, int Digits) { return Hex(Value, Digits); }

// ---------------------------------------------------------------------------
// Text to integers

namespace {

// Reads S as the framework's Val does for an integer of `bits` bits. Returns -1 on
// success, else the 0-based index of the character that does not fit (S.size()
// when the text ends too early); value then holds what was read before it.
int ParseInteger(const QString& S, int bits, Int64& value) {
  const int n = static_cast<int>(S.size());
  int i = 0;
  value = 0;
  while (i < n && S[i].unicode() <= u' ') ++i;
  bool negative = false;
  if (i < n && (S[i] == u'-' || S[i] == u'+')) {
    negative = S[i] == u'-';
    ++i;
  }
  bool hex = false;
  if (i + 1 < n && S[i] == u'0' && (S[i + 1] == u'x' || S[i + 1] == u'X')) {
    hex = true;
    i += 2;
  } else if (i < n && (S[i] == u'$' || S[i] == u'x' || S[i] == u'X')) {
    hex = true;
    ++i;
  }
  const uint64_t fullMask = bits == 64 ? ~0ULL : ((1ULL << bits) - 1);
  // Largest magnitude of a decimal number: 2^(bits-1) - 1, one more when negative.
  const uint64_t decimalLimit = (1ULL << (bits - 1)) - (negative ? 0 : 1);
  uint64_t magnitude = 0;
  bool any = false;
  auto signedValue = [&](uint64_t m) {
    uint64_t v = negative ? (0 - m) : m;
    v &= fullMask;
    // Sign-extend the `bits`-wide pattern.
    if (bits < 64 && (v >> (bits - 1)) & 1) v |= ~fullMask;
    return static_cast<Int64>(v);
  };
  for (; i < n; ++i) {
    const char16_t c = S[i].unicode();
    int digit;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (hex && c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (hex && c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else {
      break;
    }
    uint64_t next;
    if (hex) {
      if (magnitude > (fullMask >> 4)) return i;
      next = (magnitude << 4) | static_cast<uint64_t>(digit);
    } else {
      if (magnitude > (decimalLimit - static_cast<uint64_t>(digit)) / 10) return i;
      next = magnitude * 10 + static_cast<uint64_t>(digit);
    }
    magnitude = next;
    any = true;
    value = signedValue(magnitude);
  }
  if (!any || i < n) return i;
  value = signedValue(magnitude);
  return -1;
}

[[noreturn]] void RaiseInvalidInteger(const QString& S) {
  throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(S));
}

// The conversions below for int (32 bits) and Int64 (64 bits) alike.
template <typename TInt>
constexpr int kBitsOf = static_cast<int>(sizeof(TInt) * 8);

template <typename TInt>
bool TryStrToIntOf(const QString& S, TInt& Value) {
  Int64 v;
  if (ParseInteger(S, kBitsOf<TInt>, v) >= 0) return false;
  Value = static_cast<TInt>(v);
  return true;
}

template <typename TInt>
TInt StrToIntOf(const QString& S) {
  TInt v;
  if (!TryStrToIntOf(S, v)) RaiseInvalidInteger(S);
  return v;
}

template <typename TInt>
TInt StrToIntDefOf(const QString& S, TInt Default) {
  TInt v;
  return TryStrToIntOf(S, v) ? v : Default;
}

template <typename TInt>
void ValOf(const QString& S, TInt& Value, int& Code) {
  Int64 v;
  const int at = ParseInteger(S, kBitsOf<TInt>, v);
  Value = static_cast<TInt>(v);
  Code = at + 1;  // 0-based index to the 1-based position; -1 becomes 0
}

}  // namespace

bool TryStrToInt(const QString& S, int& Value) { return TryStrToIntOf(S, Value); }
int StrToInt(const QString& S) { return StrToIntOf<int>(S); }
int StrToIntDef(const QString& S, int Default) { return StrToIntDefOf(S, Default); }

bool TryStrToInt64(const QString& S, Int64& Value) { return TryStrToIntOf(S, Value); }
Int64 StrToInt64(const QString& S) { return StrToIntOf<Int64>(S); }
Int64 StrToInt64Def(const QString& S, Int64 Default) { return StrToIntDefOf(S, Default); }

void Val(const QString& S, int& Value, int& Code) { ValOf(S, Value, Code); }
void Val(const QString& S, Int64& Value, int& Code) { ValOf(S, Value, Code); }

// ---------------------------------------------------------------------------
// Text to real numbers

namespace {

// Reads a real number from S starting at i: sign, digits, the decimal point `point`,
// digits, an exponent "E"/"e" with sign and digits. Returns the index after the
// number, or the index of the offending character as a negative number - 1.
// Stores the number in ASCII form ("-12.5e3") in `ascii`.
int ScanReal(const QString& S, int i, QChar point, std::string& ascii) {
  const int n = static_cast<int>(S.size());
  ascii.clear();
  if (i < n && (S[i] == u'-' || S[i] == u'+')) {
    if (S[i] == u'-') ascii += '-';
    ++i;
  }
  int digits = 0;
  while (i < n && S[i] >= u'0' && S[i] <= u'9') {
    ascii += static_cast<char>(S[i].unicode());
    ++digits;
    ++i;
  }
  if (i < n && S[i] == point) {
    ascii += '.';
    ++i;
    while (i < n && S[i] >= u'0' && S[i] <= u'9') {
      ascii += static_cast<char>(S[i].unicode());
      ++digits;
      ++i;
    }
  }
  if (digits == 0) return -(i + 1);
  if (i < n && (S[i] == u'e' || S[i] == u'E')) {
    ascii += 'e';
    ++i;
    if (i < n && (S[i] == u'-' || S[i] == u'+')) {
      ascii += static_cast<char>(S[i].unicode());
      ++i;
    }
    int expDigits = 0;
    while (i < n && S[i] >= u'0' && S[i] <= u'9') {
      ascii += static_cast<char>(S[i].unicode());
      ++expDigits;
      ++i;
    }
    if (expDigits == 0) return -(i + 1);
  }
  return i;
}

// Converts the ASCII form; false on overflow. Values too small for a double read as 0.
bool AsciiToDouble(const std::string& ascii, double& value) {
  const char* first = ascii.data();
  const char* last = first + ascii.size();
  const bool negative = !ascii.empty() && ascii[0] == '-';
  if (negative) ++first;
  double v = 0;
  const auto res = std::from_chars(first, last, v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Decide between overflow and underflow by the magnitude's decimal exponent.
    std::string mantissa;
    long exp10 = 0;
    const auto e = ascii.find('e');
    // strtol saturates at LONG_MAX / LONG_MIN; kept well inside, the digits
    // before the point can be added below without overflow.
    if (e != std::string::npos)
      exp10 = std::clamp(std::strtol(ascii.c_str() + e + 1, nullptr, 10), -1000000L, 1000000L);
    mantissa = ascii.substr(negative ? 1 : 0, e == std::string::npos ? std::string::npos
                                                                     : e - (negative ? 1 : 0));
    const auto dot = mantissa.find('.');
    const std::string whole = mantissa.substr(0, dot);
    const auto firstNonZero = whole.find_first_not_of('0');
    if (firstNonZero != std::string::npos) exp10 += static_cast<long>(whole.size() - firstNonZero);
    if (exp10 > 0) return false;
    v = 0;
  } else if (res.ec != std::errc() || !std::isfinite(v)) {
    return false;
  }
  value = negative ? -v : v;
  return true;
}

}  // namespace

bool TryStrToFloat(const QString& S, double& Value, const TFormatSettings& AFormatSettings) {
  const QString t = Trim(S);
  if (t.isEmpty()) return false;
  // The framework writes infinities and not-a-number this way; read them back.
  if (t.compare(QLatin1String("INF"), Qt::CaseInsensitive) == 0 ||
      t.compare(QLatin1String("+INF"), Qt::CaseInsensitive) == 0) {
    Value = std::numeric_limits<double>::infinity();
    return true;
  }
  if (t.compare(QLatin1String("-INF"), Qt::CaseInsensitive) == 0) {
    Value = -std::numeric_limits<double>::infinity();
    return true;
  }
  if (t.compare(QLatin1String("NAN"), Qt::CaseInsensitive) == 0) {
    Value = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  std::string ascii;
  const int end = ScanReal(t, 0, AFormatSettings.DecimalSeparator, ascii);
  if (end != t.size()) return false;
  double v;
  if (!AsciiToDouble(ascii, v)) return false;
  Value = v;
  return true;
}

bool TryStrToFloat(const QString& S, double& Value) {
  return TryStrToFloat(S, Value, FormatSettings);
}

double StrToFloat(const QString& S, const TFormatSettings& AFormatSettings) {
  double v;
  if (!TryStrToFloat(S, v, AFormatSettings))
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(S));
  return v;
}

double StrToFloat(const QString& S) { return StrToFloat(S, FormatSettings); }

double StrToFloatDef(const QString& S, double Default, const TFormatSettings& AFormatSettings) {
  double v;
  return TryStrToFloat(S, v, AFormatSettings) ? v : Default;
}

double StrToFloatDef(const QString& S, double Default) {
  return StrToFloatDef(S, Default, FormatSettings);
}

void Val(const QString& S, double& Value, int& Code) {
  const int n = static_cast<int>(S.size());
  int i = 0;
  while (i < n && S[i].unicode() <= u' ') ++i;
  std::string ascii;
  const int end = ScanReal(S, i, u'.', ascii);
  Value = 0;
  if (end < 0) {
    Code = -end;  // the 0-based index -end - 1 as a 1-based position
    return;
  }
  if (!AsciiToDouble(ascii, Value)) {
    Value = 0;
    Code = end + 1;
    return;
  }
  Code = end < n ? end + 1 : 0;
}

// ---------------------------------------------------------------------------
// Booleans

QString BoolToStr(bool B, bool UseBoolStrs) {
  if (UseBoolStrs) return B ? QStringLiteral("True") : QStringLiteral("False");
  return B ? QStringLiteral("-1") : QStringLiteral("0");
}

bool TryStrToBool(const QString& S, bool& Value) {
  if (AnsiSameText(S, QStringLiteral("True"))) {
    Value = true;
    return true;
  }
  if (AnsiSameText(S, QStringLiteral("False"))) {
    Value = false;
    return true;
  }
  double d;
  if (!TryStrToFloat(S, d)) return false;
  Value = d != 0;
  return true;
}

bool StrToBool(const QString& S) {
  bool b;
  if (!TryStrToBool(S, b))
    throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(S));
  return b;
}

bool StrToBoolDef(const QString& S, bool Default) {
  bool b;
  return TryStrToBool(S, b) ? b : Default;
}
