// Cell text kinds, wide text, numbers, searching and line breaks.
#include "controls/ProUtil.h"

#include "platform/rtl/Encodings.h"

namespace {

constexpr QChar CR = u'\r';
constexpr QChar LF = u'\n';

bool IsThousandSep(QChar Ch) {
  const QChar t = FormatSettings.ThousandSeparator;
  return !t.isNull() && Ch == t;
}

bool IsDecimalSep(QChar Ch) { return Ch == FormatSettings.DecimalSeparator; }

// Reads a plain decimal integer (optional sign, ASCII digits, nothing else).
bool ReadDecimal(const QString& S, int& Value) {
  if (S.isEmpty()) return false;
  int i = 0;
  bool neg = false;
  if (S[0] == u'-' || S[0] == u'+') {
    neg = S[0] == u'-';
    i = 1;
  }
  if (i >= S.size()) return false;
  long long v = 0;
  for (; i < S.size(); ++i) {
    const char16_t c = S[i].unicode();
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
    if (v > 2147483648LL) return false;
  }
  if (neg) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) return false;
  Value = static_cast<int>(v);
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// Locale settings

QChar GetDecimalSeparator() { return FormatSettings.DecimalSeparator; }
QChar GetThousandSeparator() { return FormatSettings.ThousandSeparator; }
QChar GetDateSeparator() { return FormatSettings.DateSeparator; }
QChar GetTimeSeparator() { return FormatSettings.TimeSeparator; }
QString GetShortDateFormat() { return FormatSettings.ShortDateFormat; }

// ---------------------------------------------------------------------------
// Text kinds and wide text

TCellTextKind ClassifyCellText(const QString& Text, bool HTMLAllowed) {
  // The tests below read up to five characters; beyond the text they read a
  // blank, so that a one-character text still has a second one (0-based
  // indexes here). Called for every cell painted: nothing is copied.
  const qsizetype n = Text.size();
  auto at = [&](qsizetype i) { return i < n ? Text[i] : QChar(u' '); };
  if (n == 0) return ctkPlain;
  if (at(0) == u'=') return ctkFormula;
  if (at(0) == u'|' && at(1) == u'\\') {
    // An encoded text whose first character is "=" and whose second one is below
    // 256 is a formula.
    if (n >= 4 && at(3) == u'=' && at(4) == QChar(0)) return ctkFormula;
    return ctkWide;
  }
  if (at(0) == u'{' && at(1) == u'\\') return ctkRTF;
  if (!HTMLAllowed) return ctkPlain;
  // "</", "<B", "<I" or "<C" anywhere.
  for (qsizetype i = Text.indexOf(u'<'); i >= 0 && i + 1 < n; i = Text.indexOf(u'<', i + 1)) {
    const QChar next = Text[i + 1];
    if (next == u'/' || next == u'B' || next == u'I' || next == u'C') return ctkHTML;
  }
  return ctkPlain;
}

QString EncodeWideText(const QString& WideText) {
  QString r;
  r.reserve(2 + WideText.size() * 2);
  r += QStringLiteral("|\\");
  for (QChar c : WideText) {
    r += QChar(c.unicode() >> 8);
    r += QChar(c.unicode() & 0xFF);
  }
  return r;
}

QString DecodeWideText(const QString& Text) {
  if (!Text.startsWith(QStringLiteral("|\\"))) return Text;
  QString r;
  r.reserve((Text.size() - 2) / 2);
  for (qsizetype i = 2; i + 1 < Text.size(); i += 2)
    r += QChar(static_cast<char16_t>(((Text[i].unicode() & 0xFF) << 8) | (Text[i + 1].unicode() & 0xFF)));
  return r;
}

int PosWide(const QString& Needle, const QString& Haystack) {
  if (Needle.isEmpty()) return 0;
  return static_cast<int>(Haystack.indexOf(Needle)) + 1;
}

// ---------------------------------------------------------------------------
// Numbers

bool IsNumChar(QChar Ch) { return Ch.isNumber(); }
bool IsIntChar(QChar Ch) { return IsNumChar(Ch) || Ch == u'-'; }
bool IsFloatChar(QChar Ch) {
  return IsNumChar(Ch) || IsThousandSep(Ch) || IsDecimalSep(Ch) || Ch == u'e' || Ch == u'E';
}
bool IsSignedFloatChar(QChar Ch) { return IsFloatChar(Ch) || Ch == u'+' || Ch == u'-'; }
bool IsNumberTextChar(QChar Ch) {
  return IsNumChar(Ch) || Ch == u'-' || Ch == u'.' || Ch == u'e' || Ch == u'E' || Ch == u'+';
}
bool IsWordSeparator(QChar Ch) {
  return Ch == u' ' || Ch == u'\'' || Ch == u',' || Ch == u'-' || Ch == u'.';
}

TNumberTextKind ClassifyNumberText(const QString& Text) {
  const int n = static_cast<int>(Text.size());
  if (n == 0) return ntkNone;
  bool isInt = true, isFloat = true, isSci = true, hasE = false;
  int lastThousand = -1, decimals = 0, minus = 0;
  // i is the 1-based position of the character, as the separator-distance test
  // counts positions.
  for (int i = 1; i <= n; ++i) {
    const QChar ch = Text[i - 1];
    const bool isE = ch == u'e' || ch == u'E';
    if (!IsIntChar(ch)) isInt = false;
    if (isE) {
      if (hasE) isSci = false;
      hasE = true;
    }
    if (ch == u'-' && i > 1) isInt = isFloat = false;
    if (isE && i == 1) isSci = false;
    if (i == n && (isE || ch == u'+' || ch == u'-')) isSci = false;
    if (!IsNumChar(ch) && ch != u'-' && !IsThousandSep(ch) && !IsDecimalSep(ch)) isFloat = false;
    if (!IsSignedFloatChar(ch) || IsThousandSep(ch)) isSci = false;
    if (IsThousandSep(ch)) {
      if (lastThousand != -1 && i - lastThousand < 4) isFloat = false;
      lastThousand = i;
    }
    if (IsDecimalSep(ch)) ++decimals;
    if (ch == u'-') ++minus;
  }
  TNumberTextKind r = ntkNone;
  if (isInt) {
    r = ntkInteger;
  } else if (isFloat && !hasE) {
    r = ntkFloat;
  } else if (isSci && hasE) {
    r = ntkScientific;
    if (minus == 2) minus = 1;  // the mantissa's and the exponent's sign
  }
  if (minus > 1 || decimals > 1) r = ntkNone;
  return r;
}

QString NormalizeNumberText(const QString& Text) {
  if (Text.isEmpty()) return QString();
  QString s = Trim(Text);
  bool negative = s.startsWith(u'(') && s.endsWith(u')');
  while (s.size() >= 2 && !IsFloatChar(s[0])) {
    if (s[0] == u'-') negative = true;
    s.remove(0, 1);
  }
  QString r;
  for (QChar ch : s) {
    if (IsThousandSep(ch)) continue;
    if (IsDecimalSep(ch)) {
      r += u'.';
    } else if (IsNumberTextChar(ch)) {
      r += ch;
    } else {
      break;
    }
  }
  if (negative) r.prepend(u'-');
  return r;
}

int ApplySizeLimits(int Value, int Min, int Max) {
  if (Min == Max) return Value;
  if (Max < Value && Max > 0) return Max;
  if (Value < Min && Min > 0) return Min;
  return Value;
}

int IntMax(int A, int B) { return A > B ? A : B; }
int IntMin(int A, int B) { return A < B ? A : B; }

bool CellInGridRect(const TGridRect& Rect, int Col, int Row) {
  return Rect.Left <= Col && Col <= Rect.Right && Rect.Top <= Row && Row <= Rect.Bottom;
}

// ---------------------------------------------------------------------------
// Searching and cutting

int LocateChar(QChar Ch, const QString& Text) { return static_cast<int>(Text.indexOf(Ch)) + 1; }

int LocateCharOut(QChar Ch, const QString& Text, int& Pos) {
  const int p = LocateChar(Ch, Text);
  if (p > 0) Pos = p;
  return p;
}

int LocateSubStrOut(const QString& Sub, const QString& Text, int& Pos) {
  Pos = Sub.isEmpty() ? 0 : static_cast<int>(Text.indexOf(Sub)) + 1;
  return Pos;
}

int PosInUpperCase(const QString& Needle, const QString& Text) {
  return ::Pos(Needle, UpperCase(Text));
}

QString CutFirstToken(QString& Text, const QString& Delimiter) {
  const qsizetype p = Delimiter.isEmpty() ? -1 : Text.indexOf(Delimiter);
  if (p < 0) return QString();
  QString r = Text.left(p);
  Text.remove(0, p + 1);
  return r;
}

bool ParseCellRef(const QString& Text, TPoint& Point) {
  const QString u = UpperCase(Text);
  if (u.size() <= 3 || u[0] != u'R') return false;
  const qsizetype c = u.indexOf(u'C', 1);
  if (c < 0) return false;
  int row = 0, col = 0;
  if (!ReadDecimal(u.mid(1, c - 1), row) || !ReadDecimal(u.mid(c + 1), col)) return false;
  Point.X = col;
  Point.Y = row;
  return true;
}

QString ConcatStrings(const TStrings* Strings) {
  QString r;
  if (!Strings) return r;
  for (int i = 0; i < Strings->Count(); ++i) r += Strings->Strings(i);
  return r;
}

void MaskText(QString& Text, QChar Ch) { Text.fill(Ch); }

bool LooksLikeDate(const QString& Text) {
  const QChar sep = GetDateSeparator();
  const qsizetype p = Text.indexOf(sep);
  if (p < 1) return false;  // at 1-based position 2 or later
  return Text.indexOf(sep, p + 1) - (p + 1) >= 1;
}

// ---------------------------------------------------------------------------
// Line breaks

QString LineBreaksToHTML(const QString& Text) {
  if (!Text.contains(CR)) return Text;
  QString r = Text;
  return r.replace(CR, QStringLiteral("<br>"));
}

QString UnescapeLineBreaks(const QString& Text) {
  QString r = Text;
  return r.replace(QStringLiteral("\\n"), QString(CR));
}

QString EscapeLineBreaks(const QString& Text) {
  QString r;
  r.reserve(Text.size());
  for (QChar c : Text) {
    if (c == CR) {
      r += QStringLiteral("\\n");
    } else if (c != LF) {
      r += c;
    }
  }
  return r;
}

QString PackLineBreaks(const QString& Text) {
  if (!Text.contains(CR)) return Text;
  QString r = Text;
  for (QChar& c : r) {
    if (c == CR) {
      c = QChar(9);
    } else if (c == LF) {
      c = QChar(8);
    } else if (c == QChar(0)) {
      c = QChar(1);
    }
  }
  return r;
}

QString UnpackLineBreaks(const QString& Text, bool MultiLine) {
  QString r = Text;
  if (r.contains(QChar(8))) {
    for (QChar& c : r) {
      if (c == QChar(9)) {
        c = CR;
      } else if (c == QChar(8)) {
        c = LF;
      } else if (c == QChar(1)) {
        c = QChar(0);
      }
    }
  }
  if (MultiLine) return r;
  return CutFirstLine(r, false);
}

QString CutFirstLine(QString& Text, bool KeepRest) {
  const qsizetype p = Text.indexOf(CR);
  if (p < 0) {
    QString r = Text;
    Text.clear();
    return r;
  }
  QString r = Text.left(p);
  qsizetype cut = p + 1;
  if (cut < Text.size() && Text[cut] == LF) ++cut;
  if (KeepRest) {
    Text.remove(0, cut);
  } else {
    Text.clear();
  }
  return r;
}

int CountCellLines(const QString& Text, bool MultiLine) {
  return MultiLine ? 1 + static_cast<int>(Text.count(CR)) : 1;
}

QString EncodeExcelMultiLine(const QString& Text) {
  QString r = Text;
  r.replace(QStringLiteral("\r\n"), QString(QChar(11)));
  return u'"' + r + u'"';
}

QString DecodeExcelMultiLine(const QString& Text) {
  QString r = Text;
  return r.replace(QChar(11), QStringLiteral("\r\n"));
}

QString CRLFToLF(const QString& Text) {
  QString r = Text;
  return r.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString LineBreaksToTilde(const QString& Text) {
  QString r;
  r.reserve(Text.size());
  for (QChar c : Text) {
    if (c == CR) {
      r += u'~';
    } else if (c != LF) {
      r += c;
    }
  }
  return r;
}

QString TildeToLineBreaks(const QString& Text) {
  QString r = Text;
  r.replace(u'~', QStringLiteral("\r\n"));
  if (r == QStringLiteral("^")) r.clear();
  return r;
}

QString RemoveCR(const QString& Text) {
  QString r = Text;
  return r.remove(CR);
}

QString CRToLF(const QString& Text) {
  QString r = Text;
  return r.replace(CR, LF);
}

QString DoubleQuoteChars(const QString& Text) {
  QString r = Text;
  return r.replace(u'"', QStringLiteral("\"\""));
}

QString CollapseDoubledChar(const QString& Text, QChar Ch) {
  if (!Text.contains(Ch)) return Text;
  QString r = Text;
  return r.replace(QString(2, Ch), QString(Ch));
}

int FindUnpairedChar(QChar Ch, const QString& Text, int& Pos) {
  Pos = 0;
  const qsizetype n = Text.size();
  qsizetype i = 0;
  while (i < n) {
    if (Text[i] != Ch) {
      ++i;
      continue;
    }
    qsizetype j = i;
    while (j < n && Text[j] == Ch) ++j;
    if ((j - i) % 2 == 1) {
      Pos = static_cast<int>(j);  // 1-based position of the run's last character
      return Pos;
    }
    i = j;
  }
  return 0;
}

int CountUnpairedChar(QChar Ch, const QString& Text) {
  int count = 0;
  QString rest = Text;
  int p = 0;
  while (FindUnpairedChar(Ch, rest, p) > 0) {
    ++count;
    rest.remove(0, p);
  }
  return count;
}

int CountChar(QChar Ch, const QString& Text) { return static_cast<int>(Text.count(Ch)); }

void ConvertToOem(QString& Text) {
  Text = TEncoding::ANSI()->GetString(TEncoding::OEM()->GetBytes(Text));
}

void ConvertFromOem(QString& Text) {
  Text = TEncoding::OEM()->GetString(TEncoding::ANSI()->GetBytes(Text));
}
