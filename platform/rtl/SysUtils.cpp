// Exceptions, format settings, string routines and ticks.
#include "platform/rtl/SysUtils.h"

#include <cxxabi.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

QString ClassNameOf(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
  QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : type.name());
  // Keep only the last name of a qualified name.
  const int sep = name.lastIndexOf(QLatin1String("::"));
  return sep >= 0 ? name.mid(sep + 2) : name;
}

const char* Exception::what() const noexcept {
  if (FUtf8.isEmpty()) FUtf8 = FMessage.toUtf8();
  return FUtf8.constData();
}

void Abort() { throw EAbort(QStringLiteral("Operation aborted")); }

// ---------------------------------------------------------------------------
// Format settings

TFormatSettings TFormatSettings::Create() {
  static const char* const shortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  static const char* const longMonths[12] = {"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};
  static const char* const shortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const longDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
  TFormatSettings s;
  s.DecimalSeparator = u'.';
  s.ThousandSeparator = u',';
  s.DateSeparator = u'/';
  s.TimeSeparator = u':';
  s.ListSeparator = u',';
  s.ShortDateFormat = QStringLiteral("M/d/yyyy");
  s.LongDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
  s.ShortTimeFormat = QStringLiteral("h:nn AMPM");
  s.LongTimeFormat = QStringLiteral("h:nn:ss AMPM");
  s.TimeAMString = QStringLiteral("AM");
  s.TimePMString = QStringLiteral("PM");
  s.CurrencyString = QStringLiteral("$");
  s.CurrencyFormat = 0;
  s.NegCurrFormat = 0;
  s.CurrencyDecimals = 2;
  s.TwoDigitYearCenturyWindow = 50;
  for (int i = 0; i < 12; ++i) {
    s.ShortMonthNames[i] = QString::fromLatin1(shortMonths[i]);
    s.LongMonthNames[i] = QString::fromLatin1(longMonths[i]);
  }
  for (int i = 0; i < 7; ++i) {
    s.ShortDayNames[i] = QString::fromLatin1(shortDays[i]);
    s.LongDayNames[i] = QString::fromLatin1(longDays[i]);
  }
  return s;
}

TFormatSettings FormatSettings = TFormatSettings::Create();

// ---------------------------------------------------------------------------
// Strings

namespace {

inline bool IsBlank(QChar c) { return c.unicode() <= u' '; }

inline char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? c - 32 : c; }
inline char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + 32 : c; }

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

QString Trim(const QString& S) {
  int first = 0;
  int last = S.size() - 1;
  while (first <= last && IsBlank(S[first])) ++first;
  while (last >= first && IsBlank(S[last])) --last;
  return (first == 0 && last == S.size() - 1) ? S : S.mid(first, last - first + 1);
}

QString TrimLeft(const QString& S) {
  int first = 0;
  while (first < S.size() && IsBlank(S[first])) ++first;
  return first == 0 ? S : S.mid(first);
}

QString TrimRight(const QString& S) {
  int last = S.size() - 1;
  while (last >= 0 && IsBlank(S[last])) --last;
  return last == S.size() - 1 ? S : S.left(last + 1);
}

QString UpperCase(const QString& S) {
  QString r = S;
  for (QChar& c : r) c = QChar(AsciiUpper(c.unicode()));
  return r;
}

QString LowerCase(const QString& S) {
  QString r = S;
  for (QChar& c : r) c = QChar(AsciiLower(c.unicode()));
  return r;
}

QString AnsiUpperCase(const QString& S) { return S.toUpper(); }
QString AnsiLowerCase(const QString& S) { return S.toLower(); }

int CompareStr(const QString& S1, const QString& S2) { return S1.compare(S2, Qt::CaseSensitive); }
bool SameStr(const QString& S1, const QString& S2) { return S1 == S2; }

int CompareText(const QString& S1, const QString& S2) {
  const int n = std::min(S1.size(), S2.size());
  for (int i = 0; i < n; ++i) {
    const int a = AsciiUpper(S1[i].unicode());
    const int b = AsciiUpper(S2[i].unicode());
    if (a != b) return a - b;
  }
  return Sign(S1.size() - S2.size());
}

bool SameText(const QString& S1, const QString& S2) {
  return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

int AnsiCompareText(const QString& S1, const QString& S2) {
  return Sign(S1.compare(S2, Qt::CaseInsensitive));
}

int AnsiCompareStr(const QString& S1, const QString& S2) {
  const int r = S1.compare(S2, Qt::CaseInsensitive);
  if (r != 0) return Sign(r);
  // Same letters: the first difference in case decides, lower case first.
  for (int i = 0; i < S1.size() && i < S2.size(); ++i) {
    const QChar a = S1[i];
    const QChar b = S2[i];
    if (a == b) continue;
    if (a.isLower() && !b.isLower()) return -1;
    if (!a.isLower() && b.isLower()) return 1;
    return Sign(a.unicode() - b.unicode());
  }
  return Sign(S1.size() - S2.size());
}

bool AnsiSameStr(const QString& S1, const QString& S2) { return S1 == S2; }
bool AnsiSameText(const QString& S1, const QString& S2) { return AnsiCompareText(S1, S2) == 0; }

QString StringReplace(const QString& S, const QString& OldPattern, const QString& NewPattern,
                      TReplaceFlags Flags) {
  if (OldPattern.isEmpty()) return S;
  const Qt::CaseSensitivity cs =
      Flags.contains(rfIgnoreCase) ? Qt::CaseInsensitive : Qt::CaseSensitive;
  QString result;
  int from = 0;
  for (;;) {
    const int at = S.indexOf(OldPattern, from, cs);
    if (at < 0) break;
    result += QStringView(S).mid(from, at - from);
    result += NewPattern;
    from = at + OldPattern.size();
    if (!Flags.contains(rfReplaceAll)) break;
  }
  if (from == 0) return S;
  result += QStringView(S).mid(from);
  return result;
}

QString QuotedStr(const QString& S) { return AnsiQuotedStr(S, u'\''); }

QString AnsiQuotedStr(const QString& S, QChar Quote) {
  QString r;
  r.reserve(S.size() + 2);
  r += Quote;
  for (QChar c : S) {
    r += c;
    if (c == Quote) r += c;
  }
  r += Quote;
  return r;
}

QString AnsiDequotedStr(const QString& S, QChar Quote) {
  if (S.isEmpty() || S[0] != Quote) return S;
  QString r;
  for (int i = 1; i < S.size(); ++i) {
    if (S[i] == Quote) {
      if (i + 1 < S.size() && S[i + 1] == Quote) {
        r += Quote;
        ++i;
        continue;
      }
      return r;
    }
    r += S[i];
  }
  return S;  // no closing quote
}

int Pos(const QString& Substr, const QString& S) { return PosEx(Substr, S, 1); }

int Pos(QChar C, const QString& S) { return S.indexOf(C) + 1; }

int PosEx(const QString& Substr, const QString& S, int Offset) {
  if (Substr.isEmpty() || Offset < 1 || Offset > S.size()) return 0;
  // 1-based Offset to the 0-based index and back.
  return S.indexOf(Substr, Offset - 1) + 1;
}

int AnsiPos(const QString& Substr, const QString& S) { return Pos(Substr, S); }

QString Copy(const QString& S, int Index, int Count) {
  // 1-based Index to the 0-based start.
  const int start = Index < 1 ? 0 : Index - 1;
  if (start >= S.size() || Count <= 0) return QString();
  return S.mid(start, std::min<qsizetype>(Count, S.size() - start));
}

QString StringOfChar(QChar Ch, int Count) { return Count > 0 ? QString(Count, Ch) : QString(); }

int LastDelimiter(const QString& Delimiters, const QString& S) {
  for (int i = S.size() - 1; i >= 0; --i)
    if (Delimiters.contains(S[i])) return i + 1;
  return 0;
}

bool IsDelimiter(const QString& Delimiters, const QString& S, int Index) {
  if (Index < 1 || Index > S.size()) return false;
  return Delimiters.contains(S[Index - 1]);
}

QString AdjustLineBreaks(const QString& S, TTextLineBreakStyle Style) {
  const QString brk = Style == tlbsCRLF ? QStringLiteral("\r\n") : QStringLiteral("\n");
  QString r;
  r.reserve(S.size() + S.size() / 16);
  for (int i = 0; i < S.size(); ++i) {
    const QChar c = S[i];
    if (c == u'\r' || c == u'\n') {
      // A CR LF or LF CR pair is one break.
      if (i + 1 < S.size() && (S[i + 1] == u'\r' || S[i + 1] == u'\n') && S[i + 1] != c) ++i;
      r += brk;
    } else {
      r += c;
    }
  }
  return r;
}

// ---------------------------------------------------------------------------
// Ticks

uint64_t GetTickCount64() {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint32_t GetTickCount() { return static_cast<uint32_t>(GetTickCount64()); }

void Sleep(uint32_t Milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}
