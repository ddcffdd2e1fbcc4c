// Dates, URLs, the clipboard's HTML format and mixed case.
#include <cmath>

#include "controls/ProUtil.h"

namespace {

// A plain decimal integer: optional sign and ASCII digits.
bool ReadInt(const QString& S, int& Value) {
  bool ok = false;
  if (S.isEmpty()) return false;
  for (qsizetype i = 0; i < S.size(); ++i) {
    const QChar c = S[i];
    if (!(c.isDigit() && c.unicode() < 128) && !(i == 0 && (c == u'-' || c == u'+'))) return false;
  }
  Value = S.toInt(&ok, 10);
  return ok;
}

// A year written with one or two digits lies within 50 years around the current
// year: from 50 years before it to 49 years after it.
int ExpandTwoDigitYear(int Year) {
  if (Year < 0 || Year >= 100) return Year;
  Word cy = 0, cm = 0, cd = 0;
  DecodeDate(Date(), cy, cm, cd);
  const int base = cy - 50;
  int y = base - base % 100 + Year;
  if (y < base) y += 100;
  return y;
}

// Encodes a date whose parts were read as integers; a part that does not fit a
// date raises the date conversion error, as EncodeDate does.
TDateTime EncodeDateParts(int Year, int Month, int Day) {
  if (Year < 0 || Year > 65535 || Month < 0 || Month > 65535 || Day < 0 || Day > 65535)
    return EncodeDate(0, 0, 0);  // raises
  return EncodeDate(static_cast<Word>(Year), static_cast<Word>(Month), static_cast<Word>(Day));
}

TDateTime ParseDate(const QString& Text, bool MonthFirst) {
  QChar sep;
  if (Text.contains(u'/')) {
    sep = u'/';
  } else if (Text.contains(u'.')) {
    sep = u'.';
  } else if (Text.contains(u'-')) {
    sep = u'-';
  } else {
    return 0;
  }
  const qsizetype p1 = Text.indexOf(sep);
  const qsizetype p2 = Text.indexOf(sep, p1 + 1);
  if (p2 < 0) return 0;
  int first = 0, second = 0, year = 0;
  if (!ReadInt(Text.left(p1), first) || !ReadInt(Text.mid(p1 + 1, p2 - p1 - 1), second) ||
      !ReadInt(Text.mid(p2 + 1), year))
    return 0;
  year = ExpandTwoDigitYear(year);
  return MonthFirst ? EncodeDateParts(year, first, second) : EncodeDateParts(year, second, first);
}

bool IsURLChar(QChar c) {
  const char16_t u = c.unicode();
  if (u > 255) return false;
  if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')) return true;
  switch (u) {
    case u'%': case u'(': case u')': case u'-': case u'.': case u'/': case u':':
    case u'@': case u'\\': case u'_': case u'{': case u'}':
      return true;
    default:
      return false;
  }
}

}  // namespace

TDateTime ParseDateMDY(const QString& Text) { return ParseDate(Text, true); }
TDateTime ParseDateDMY(const QString& Text) { return ParseDate(Text, false); }

TDateTime AdvanceDate(Word YearStep, Word MonthStep, Word DayStep, TDateTime Date,
                      TDateTime Increment) {
  const bool y = YearStep != 0, m = MonthStep != 0, d = DayStep != 0;
  if (d && !y && !m) return Date + DayStep;
  if (y == m || d) return Date + Increment;  // no step, or more than one kind
  Word yy = 0, mm = 0, dd = 0;
  DecodeDate(Date, yy, mm, dd);
  const double dayPart = std::trunc(Date);
  const double timePart = Date - dayPart;
  TDateTime r;
  if (y) {
    r = EncodeDateParts(yy + YearStep, mm, dd);
  } else {
    int month = mm + MonthStep;
    int year = yy;
    if (month == 0) {
      month = 12;
      --year;
    } else if (month > 12) {
      month -= 12;  // one wrap only: a larger step gives an impossible month
      ++year;
    }
    r = EncodeDateParts(year, month, dd);
  }
  return r >= 0 ? r + std::fabs(timePart) : r - std::fabs(timePart);
}

bool ContainsURL(const QString& Text) {
  return Text.contains(QStringLiteral("://")) || Text.contains(QStringLiteral("mailto:"));
}

void StripURLProtocol(QString& Text) {
  qsizetype p = Text.indexOf(QStringLiteral("://"));
  if (p >= 0) {
    Text.remove(0, p + 3);
    return;
  }
  p = Text.indexOf(QStringLiteral("mailto:"));
  if (p >= 0) Text.remove(0, p + 7);
}

bool LinkifyURL(const QString& Text, const QString& Prefix, QString& Html) {
  if (Prefix.isEmpty() || !UpperCase(Text).contains(Prefix)) return false;
  QString h = Text;
  h.replace(u'<', QStringLiteral("&lt;")).replace(u'>', QStringLiteral("&gt;"));
  const qsizetype start = UpperCase(h).indexOf(Prefix);
  qsizetype end = start;
  while (end < h.size() && IsURLChar(h[end])) ++end;
  const QString url = h.mid(start, end - start);
  h.insert(end, QStringLiteral("</a>"));
  h.insert(start, QStringLiteral("<a href=\"") + url + QStringLiteral("\">"));
  Html = h;
  return true;
}

QString ColorToHTMLHex(TColor Color) {
  const uint32_t c = static_cast<uint32_t>(Color);
  return QStringLiteral("%1%2%3")
      .arg(c & 0xFF, 2, 16, QChar(u'0'))
      .arg((c >> 8) & 0xFF, 2, 16, QChar(u'0'))
      .arg((c >> 16) & 0xFF, 2, 16, QChar(u'0'))
      .toUpper();
}

void BuildClipboardHTML(QString& Html) {
  // The header's numbers are byte offsets into the UTF-8 form of the whole text.
  // Each is written with eight digits, so the header's length does not depend on
  // them and can be measured with placeholders first.
  const QByteArray head =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
      "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\">"
      "</head><body><!--StartFragment-->";
  const QByteArray tail = "<!--EndFragment--></body></html>";
  const QByteArray fragment = Html.toUtf8();
  auto header = [](qsizetype startHtml, qsizetype endHtml, qsizetype startFrag,
                   qsizetype endFrag) {
    return QStringLiteral("Version:1.0\r\nStartHTML:%1\r\nEndHTML:%2\r\nStartFragment:%3\r\n"
                          "EndFragment:%4\r\n")
        .arg(startHtml, 8, 10, QChar(u'0'))
        .arg(endHtml, 8, 10, QChar(u'0'))
        .arg(startFrag, 8, 10, QChar(u'0'))
        .arg(endFrag, 8, 10, QChar(u'0'))
        .toUtf8();
  };
  const qsizetype headerLen = header(0, 0, 0, 0).size();
  const qsizetype startFrag = headerLen + head.size();
  const qsizetype endFrag = startFrag + fragment.size();
  const qsizetype endHtml = endFrag + tail.size();
  Html = QString::fromUtf8(header(headerLen, endHtml, startFrag, endFrag) + head + fragment + tail);
}

QString MakeMixedCase(const QString& Text) {
  QString r = Text;
  bool wordStart = true;
  for (QChar& c : r) {
    if (IsWordSeparator(c)) {
      wordStart = true;
    } else if (c.isLetter()) {
      c = wordStart ? c.toUpper() : c.toLower();
      wordStart = false;
    }
  }
  // The letter after a leading "Mc", or after the first " Mc", is a capital too.
  if (r.startsWith(QStringLiteral("Mc")) && r.size() > 2 && r[2].isLetter()) r[2] = r[2].toUpper();
  const qsizetype mc = r.indexOf(QStringLiteral(" Mc"));
  if (mc >= 0 && mc + 3 < r.size() && r[mc + 3].isLetter()) r[mc + 3] = r[mc + 3].toUpper();
  // Roman numerals at the end: a letter among the last three that follows " I" or
  // " II" ("Henry III").
  for (qsizetype i = qMax<qsizetype>(0, r.size() - 3); i < r.size(); ++i) {
    if (!r[i].isLetter()) continue;
    if ((i >= 2 && r.mid(i - 2, 2) == QStringLiteral(" I")) || (i >= 3 && r.mid(i - 3, 3) == QStringLiteral(" II")))
      r[i] = r[i].toUpper();
  }
  return r;
}
