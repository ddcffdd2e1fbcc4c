// The framework conversions of text to numbers and dates, and Format, with
// fuzzed text and fuzzed format settings. Input lines:
//   0  characters: decimal, thousand, date, time and list separator, then
//      currency format, negative currency format, currency decimals and the
//      two-digit-year window (each the character's code, reduced to its range)
//   1  ShortDateFormat   2  LongTimeFormat   3  "AM|PM|currency"
//   4  the text converted   5  a Format / FormatFloat / FormatDateTime pattern
//   6+ Format's arguments, one per line: a type letter (i integer, j 64-bit,
//      f real, s text, u UTF-8 text, c character, b boolean, p pointer), the value
// A number read, written with 17 digits and read again gives the same number
// when the decimal separator cannot be mistaken for part of a number.
#include "FuzzSupport.h"

#include <cmath>
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace {

TFormatSettings Settings(const Fuzz::TLines& Lines) {
  TFormatSettings fs = TFormatSettings::Create();
  fs.DecimalSeparator = Lines.CharAt(0, 0, fs.DecimalSeparator);
  fs.ThousandSeparator = Lines.CharAt(0, 1, fs.ThousandSeparator);
  fs.DateSeparator = Lines.CharAt(0, 2, fs.DateSeparator);
  fs.TimeSeparator = Lines.CharAt(0, 3, fs.TimeSeparator);
  fs.ListSeparator = Lines.CharAt(0, 4, fs.ListSeparator);
  fs.CurrencyFormat = static_cast<Byte>(Lines.CharAt(0, 5, QChar(0)).unicode() % 4);
  fs.NegCurrFormat = static_cast<Byte>(Lines.CharAt(0, 6, QChar(0)).unicode() % 16);
  fs.CurrencyDecimals = static_cast<Byte>(Lines.CharAt(0, 7, QChar(2)).unicode() % 20);
  fs.TwoDigitYearCenturyWindow = Lines.CharAt(0, 8, QChar(50)).unicode();
  if (!Lines[1].isEmpty()) fs.ShortDateFormat = Lines[1];
  if (!Lines[2].isEmpty()) fs.LongTimeFormat = Lines[2];
  const QStringList words = Lines[3].split(QLatin1Char('|'));
  if (words.size() >= 3) {
    fs.TimeAMString = words[0];
    fs.TimePMString = words[1];
    fs.CurrencyString = words[2];
  }
  return fs;
}

bool PlainDecimalSeparator(QChar c) {
  return !c.isDigit() && !c.isSpace() && c.unicode() > 0x20 &&
         !QStringLiteral("+-eEinfaINFA").contains(c);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const Fuzz::TLines lines(Data, Size);
  const TFormatSettings fs = Settings(lines);
  const QString text = lines[4];
  const QString pattern = lines[5];

  int i = 0;
  Int64 i64 = 0;
  int code = 0;
  double d = 0;
  TDateTime dt = 0;
  bool b = false;
  (void)TryStrToInt(text, i);
  (void)TryStrToInt64(text, i64);
  (void)StrToIntDef(text, -1);
  Val(text, i, code);
  Val(text, i64, code);
  Val(text, d, code);
  (void)TryStrToBool(text, b);
  try {
    (void)StrToInt(text);
  } catch (const EConvertError&) {
  }
  if (TryStrToFloat(text, d, fs) && std::isfinite(d)) {
    (void)FloatToStr(d, fs);
    (void)FloatToStrF(d, ffNumber, 15, 4, fs);
    (void)FloatToStrF(d, ffCurrency, 15, 2, fs);
    (void)FloatToStrF(d, ffExponent, 15, 3, fs);
    (void)FormatFloat(pattern, d, fs);
    if (PlainDecimalSeparator(fs.DecimalSeparator)) {
      const QString written = FloatToStrF(d, ffGeneral, 17, 0, fs);
      double back = 0;
      // Compared as numbers: -0 is written "0", as the framework writes it.
      if (!TryStrToFloat(written, back, fs) || back != d)
        Fuzz::Fail("a number written with 17 digits reads back", text, written);
    }
  }
  try {
    (void)StrToFloat(text, fs);
  } catch (const EConvertError&) {
  }
  if (TryStrToDate(text, dt, fs)) {
    (void)DateToStr(dt, fs);
    (void)FormatDateTime(pattern, dt, fs);
  }
  if (TryStrToTime(text, dt, fs)) (void)TimeToStr(dt, fs);
  if (TryStrToDateTime(text, dt, fs)) (void)DateTimeToStr(dt, fs);
  try {
    (void)StrToDate(text, fs);
  } catch (const EConvertError&) {
  }

  // Format with the arguments the remaining lines give.
  std::vector<QByteArray> utf8;  // keeps the UTF-8 arguments alive
  std::vector<TVarRec> args;
  for (int n = 6; !lines[n].isEmpty() || n < 8; ++n) {
    const QString arg = lines[n];
    if (arg.isEmpty()) continue;
    const QString value = arg.mid(1);
    switch (arg.at(0).unicode()) {
      case 'i': args.emplace_back(StrToIntDef(value, 0)); break;
      case 'j': args.emplace_back(static_cast<long long>(StrToInt64Def(value, 0))); break;
      case 'f': args.emplace_back(StrToFloatDef(value, 0.0)); break;
      case 'u': utf8.push_back(value.toUtf8()); args.emplace_back(utf8.back().constData()); break;
      case 'c': args.emplace_back(value.isEmpty() ? QChar() : value.at(0)); break;
      case 'b': args.emplace_back(value == QLatin1String("1")); break;
      case 'p': args.emplace_back(reinterpret_cast<const void*>(static_cast<uintptr_t>(StrToInt64Def(value, 0)))); break;
      default: args.emplace_back(value); break;
    }
  }
  try {
    (void)Format(pattern, args, fs);
  } catch (const EConvertError&) {
  }
  return 0;
}
