// Filter condition matching: the expressions of the column filter and of the
// pattern search.
#include <algorithm>
#include <vector>

#include "controls/ProUtil.h"

namespace {

// Reads a number written with "." as its decimal point; the whole text must be
// the number.
bool ReadDotFloat(const QString& S, double& Value) {
  int code = 0;
  Val(S, Value, code);
  return code == 0 && !S.isEmpty();
}

// Compares V with the operand O: as numbers when both are numbers, as date-times
// when both are dates of the locale, else as texts over at most 255 characters.
int CompareOperand(const QString& V, const QString& O) {
  double vn = 0, on = 0;
  TDateTime vd = 0, od = 0;
  const bool vDate = ParseLocaleDateTime(V, vd);
  const bool oDate = ParseLocaleDateTime(O, od);
  const bool vNum = !vDate && ReadDotFloat(FloatTextToDot(V), vn);
  const bool oNum = !oDate && ReadDotFloat(FloatTextToDot(O), on);
  if (vNum && oNum) return vn < on ? -1 : (vn > on ? 1 : 0);
  if (vDate && oDate) return vd < od ? -1 : (vd > od ? 1 : 0);
  const QString a = V.left(255), b = O.left(255);
  const qsizetype n = qMin(a.size(), b.size());
  for (qsizetype i = 0; i < n; ++i)
    if (a[i] != b[i]) return a[i].unicode() < b[i].unicode() ? -1 : 1;
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// The operand after the comparison sign at index Sign of C. A leading double quote
// opens a quoted operand, in which a single blank after a character belongs to the
// operand (when KeepQuotedBlank); "&" and "|" end it outside quotes, a blank ends
// it otherwise. A closing double quote at its end is dropped.
QString ScanOperand(const QString& C, qsizetype Sign, bool& Inclusive, bool KeepQuotedBlank) {
  qsizetype i = Sign + 1;
  Inclusive = i < C.size() && C[i] == u'=';
  if (Inclusive) ++i;
  while (i < C.size() && C[i] == u' ') ++i;
  bool inQuote = false;
  if (i < C.size() && C[i] == u'"') {
    inQuote = true;
    ++i;
  }
  QString op;
  for (; i < C.size(); ++i) {
    const QChar ch = C[i];
    if (ch == u' ') {
      if (KeepQuotedBlank && inQuote && !op.isEmpty() && op.back() != u' ') {
        op += ch;
        continue;
      }
      break;
    }
    if (!inQuote && (ch == u'&' || ch == u'|')) break;
    if (ch == u'"') inQuote = !inQuote;
    op += ch;
  }
  if (op.endsWith(u'"')) op.chop(1);
  return op;
}

// Wildcard match of the pattern against V: "*" any run of characters, "?" one
// character, double quotes ignored, and the result negated when the pattern holds
// a "!". Matched in linear steps with one back-track point (the last "*"), so
// that patterns with many stars stay fast.
bool WildcardMatch(const QString& C, const QString& V) {
  bool negate = false;
  QString p;
  p.reserve(C.size());
  for (QChar ch : C) {
    if (ch == u'!') {
      negate = true;
    } else if (ch != u'"') {
      p += ch;
    }
  }
  qsizetype pi = 0, vi = 0, star = -1, starV = 0;
  const qsizetype pn = p.size(), vn = V.size();
  bool match = true;
  while (vi < vn) {
    if (pi < pn && p[pi] == u'*') {
      while (pi < pn && p[pi] == u'*') ++pi;
      star = pi;
      starV = vi;
    } else if (pi < pn && (p[pi] == u'?' || p[pi] == V[vi])) {
      ++pi;
      ++vi;
    } else if (star >= 0) {
      pi = star;
      vi = ++starV;
    } else {
      match = false;
      break;
    }
  }
  if (match) {
    while (pi < pn && p[pi] == u'*') ++pi;
    match = pi == pn;
  }
  return negate ? !match : match;
}

}  // namespace

QString FloatTextToDot(const QString& Text) {
  const QChar dec = FormatSettings.DecimalSeparator;
  const QChar th = FormatSettings.ThousandSeparator;
  QString r;
  r.reserve(Text.size());
  for (QChar c : Text) {
    if (c == dec) {
      r += u'.';
    } else if (th.isNull() || c != th) {
      r += c;
    }
  }
  return r;
}

QString RemoveBlanksOutsideQuotes(const QString& Text) {
  QString r;
  r.reserve(Text.size());
  int quotes = 0;
  for (QChar c : Text) {
    if (c == u'"') ++quotes;
    if (c == u' ' && quotes % 2 == 0) continue;
    r += c;
  }
  return r;
}

int FindClosingParen(const QString& Text) {
  int open = 0, close = 0;
  for (qsizetype i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'(') ++open;
    if (Text[i] == u')') {
      ++close;
      if (close == open) return static_cast<int>(i) + 1;  // 1-based
    }
  }
  return 0;
}

QChar FindCharOutsideQuotes(const QString& Set, const QString& Text, int& Pos) {
  bool inQuote = false;
  for (qsizetype i = 0; i < Text.size(); ++i) {
    const QChar c = Text[i];
    if (c == u'"') {
      inQuote = !inQuote;
      continue;
    }
    if (!inQuote && Set.contains(c)) {
      Pos = static_cast<int>(i);
      return c;
    }
  }
  Pos = -1;
  return QChar();
}

bool ParseLocaleDateTime(const QString& Text, TDateTime& DateTime) {
  const QString fmt = FormatSettings.ShortDateFormat.toUpper();
  const QChar sep = FormatSettings.DateSeparator;
  // Place of day, month and year in the written order.
  struct Field { int at; int* value; };
  int day = 0, month = 0, year = 0;
  std::vector<Field> order = {{static_cast<int>(fmt.indexOf(u'D')), &day},
                              {static_cast<int>(fmt.indexOf(u'M')), &month},
                              {static_cast<int>(fmt.indexOf(u'Y')), &year}};
  std::stable_sort(order.begin(), order.end(), [](const Field& a, const Field& b) {
    // A letter missing from the format goes last.
    const int x = a.at < 0 ? 1000 : a.at, y = b.at < 0 ? 1000 : b.at;
    return x < y;
  });
  const qsizetype p1 = Text.indexOf(sep);
  if (p1 < 0) return false;
  const qsizetype p2 = Text.indexOf(sep, p1 + 1);
  if (p2 < 0) return false;
  QString third = Trim(Text.mid(p2 + 1));
  QString timePart;
  const qsizetype blank = third.indexOf(u' ');
  if (blank >= 0) {
    timePart = third.mid(blank);
    third = third.left(blank);
  }
  if (!TryStrToInt(Text.left(p1), *order[0].value) ||
      !TryStrToInt(Text.mid(p1 + 1, p2 - p1 - 1), *order[1].value) ||
      !TryStrToInt(third, *order[2].value))
    return false;
  if (day > 31 || month > 12 || day < 0 || month < 0 || year < 0 || year > 9999) return false;
  TDateTime date = 0;
  if (!TryEncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day), date))
    return false;
  if (timePart.isEmpty()) {
    DateTime = date;
    return true;
  }
  const QChar tsep = FormatSettings.TimeSeparator;
  const QString t = Trim(timePart);
  const qsizetype t1 = t.indexOf(tsep);
  if (t1 < 0) {
    DateTime = date;  // the date is kept, the answer is false
    return false;
  }
  int hour = 0, minute = 0, second = 0;
  if (!TryStrToInt(Trim(t.left(t1)), hour) || hour > 23 || hour < 0) return false;
  const qsizetype t2 = t.indexOf(tsep, t1 + 1);
  if (t2 >= 0) {
    if (!TryStrToInt(Trim(t.mid(t1 + 1, t2 - t1 - 1)), minute) ||
        !TryStrToInt(Trim(t.mid(t2 + 1)), second))
      return false;
  } else if (!TryStrToInt(Trim(t.mid(t1 + 1)), minute)) {
    return false;
  }
  if (second > 60 || minute > 59 || second < 0 || minute < 0) return false;
  TDateTime time = 0;
  if (!TryEncodeTime(static_cast<Word>(hour), static_cast<Word>(minute), static_cast<Word>(second), 0,
                     time))
    return false;
  DateTime = date >= 0 ? date + time : date - time;
  return true;
}

bool MatchFilterCondition(const QString& Condition, const QString& Value) {
  const QString& C = Condition;
  bool gtResult = true, ltResult = true, gtSeen = false, ltSeen = false;
  const qsizetype gt = C.indexOf(u'>');
  if (gt >= 0) {
    bool inclusive = false;
    const QString op = ScanOperand(C, gt, inclusive, true);
    const int cmp = CompareOperand(Value, op);
    gtResult = inclusive ? cmp >= 0 : cmp > 0;
    gtSeen = true;
  }
  const qsizetype lt = C.indexOf(u'<');
  if (lt >= 0) {
    bool inclusive = false;
    const QString op = ScanOperand(C, lt, inclusive, false);
    const int cmp = CompareOperand(Value, op);
    ltResult = inclusive ? cmp <= 0 : cmp < 0;
    ltSeen = true;
  }
  if (C.contains(u'!')) {
    if (gt < 0) gtSeen = true;
    if (lt < 0) ltSeen = true;
  }
  if (C.contains(u'^') && (gtSeen || ltSeen)) return gtResult || ltResult;
  if (C.contains(u'&') && gtSeen && ltSeen) return gtResult && ltResult;
  if (gt >= 0 && gtResult) return true;
  if (lt >= 0 && ltResult) return true;
  return WildcardMatch(C, Value);
}

bool MatchFilterTerm(const QString& Term, const QString& Value, bool CaseSensitive) {
  if (CaseSensitive) return MatchFilterCondition(Term, Value);
  return MatchFilterCondition(AnsiUpperCase(Term), AnsiUpperCase(Value));
}

namespace {

// Deeper groups match nothing: each level copies the rest of the expression,
// so thousands of nested parentheses would take seconds (and the stack).
constexpr int kMaxFilterDepth = 64;

bool MatchFilterGroup(const QString& Expression, const QString& Value, bool CaseSensitive, int Depth) {
  if (Depth > kMaxFilterDepth) return false;
  QString e = RemoveBlanksOutsideQuotes(Trim(Expression));
  if (e.startsWith(u'=')) e.remove(0, 1);
  const QString ops = QStringLiteral("(;^&|");
  bool result = true;
  QChar pending;  // none
  auto combine = [&](bool d) {
    if (pending.isNull()) {
      result = d;
    } else if (pending == u'&') {
      result = result && d;
    } else if (pending != u'(') {
      result = result || d;  // ";", "^" and "|" all mean "or"
    }
  };
  int pos = -1;
  for (QChar op = FindCharOutsideQuotes(ops, e, pos); !op.isNull();
       op = FindCharOutsideQuotes(ops, e, pos)) {
    if (e.startsWith(u'(')) {
      const int close = FindClosingParen(e);
      // A group that is never closed matches nothing.
      if (close == 0) return false;
      // The group's inside lies between the 1-based positions 2 and close - 1.
      const bool d = MatchFilterGroup(e.mid(1, close - 2), Value, CaseSensitive, Depth + 1);
      e.remove(0, close);
      combine(d);
      pending = u'(';
    } else {
      const bool d = MatchFilterTerm(e.left(pos), Value, CaseSensitive);
      e.remove(0, pos + 1);
      combine(d);
      pending = op;
    }
  }
  combine(MatchFilterTerm(e, Value, CaseSensitive));
  return result;
}

}  // namespace

bool MatchFilterExpression(const QString& Expression, const QString& Value, bool CaseSensitive) {
  return MatchFilterGroup(Expression, Value, CaseSensitive, 0);
}
