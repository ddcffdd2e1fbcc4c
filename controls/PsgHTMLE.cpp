// Mini-HTML text routines: entities, colour values, <CONTROL> tags, tag utilities.
#include <QStringList>
#include <array>
#include <climits>

#include "controls/PsgHTMLE.h"
#include "controls/PsgHTMLE_p.h"

namespace {

constexpr std::array<THTMLEntity, 55> kEntities = {{
    {u'\u00E9', "&eacute;"}, {u'\u00E8', "&egrave;"}, {u'\u00EB', "&euml;"},  {u'\u00EA', "&ecirc;"},
    {u'\u00F3', "&oacute;"}, {u'\u00F2', "&ograve;"}, {u'\u00F6', "&ouml;"},  {u'\u00F4', "&ocirc;"},
    {u'\u00ED', "&iacute;"}, {u'\u00EC', "&igrave;"}, {u'\u00EF', "&iuml;"},  {u'\u00EE', "&icirc;"},
    {u'\u00FA', "&uacute;"}, {u'\u00F9', "&ugrave;"}, {u'\u00FC', "&uuml;"},  {u'\u00FB', "&ucirc;"},
    {u'\u00E1', "&aacute;"}, {u'\u00E0', "&agrave;"}, {u'\u00E4', "&auml;"},  {u'\u00E2', "&acirc;"},
    {u'\u00C9', "&Eacute;"}, {u'\u00C8', "&Egrave;"}, {u'\u00CB', "&Euml;"},  {u'\u00CA', "&Ecirc;"},
    {u'\u00D3', "&Oacute;"}, {u'\u00D2', "&Ograve;"}, {u'\u00D6', "&Ouml;"},  {u'\u00D4', "&Ocirc;"},
    {u'\u00CD', "&Iacute;"}, {u'\u00CC', "&Igrave;"}, {u'\u00CF', "&Iuml;"},  {u'\u00CE', "&Icirc;"},
    {u'\u00DA', "&Uacute;"}, {u'\u00D9', "&Ugrave;"}, {u'\u00DC', "&Uuml;"},  {u'\u00DB', "&Ucirc;"},
    {u'\u00C1', "&Aacute;"}, {u'\u00C0', "&Agrave;"}, {u'\u00C4', "&Auml;"},  {u'\u00C2', "&Acirc;"},
    {u'\u00E7', "&ccedil;"}, {u'\u00C7', "&Ccedil;"}, {u'\u00F8', "&oslash;"}, {u'\u00D8', "&Oslash;"},
    {u'\u00E5', "&aring;"},  {u'\u00C5', "&Aring;"},  {u'\u00A9', "&copy;"},  {u'\u00AE', "&reg;"},
    {u'\u20AC', "&euro;"},   {u'\u00AB', "&laquo;"},  {u'\u00BB', "&raquo;"}, {u'\u00E3', "&atilde;"},
    {u'\u00C3', "&Atilde;"}, {u'\u00F5', "&otilde;"}, {u'\u00D5', "&Otilde;"},
}};

// The four entities every text may hold.
constexpr std::array<THTMLEntity, 4> kBasicEntities = {{
    {u'<', "&lt;"}, {u'>', "&gt;"}, {u'&', "&amp;"}, {u'"', "&quot;"},
}};

bool StartsAt(const QString& Text, int Pos, const char* Latin1) {
  return QStringView(Text).mid(Pos).startsWith(QLatin1StringView(Latin1));
}

// The value of a hexadecimal digit; any other character counts as 0, so that
// a pair stays within 0 to 255 and a colour within its three bytes.
int HexDigit(QChar C) {
  const int code = C.unicode();
  if (code >= '0' && code <= '9') return code - '0';
  if (code >= 'A' && code <= 'F') return code - 'A' + 10;
  if (code >= 'a' && code <= 'f') return code - 'a' + 10;
  return 0;
}

// The position of the first ">" that closes the tag starting at Lt, or -1.
int TagEnd(const QString& Text, int Lt) { return int(Text.indexOf(QLatin1Char('>'), Lt + 1)); }

// Per-character upper case by the locale's rules, keeping the length.
QString UpperKeepingLength(const QString& S) {
  QString r = S;
  for (QChar& c : r) c = c.toUpper();
  return r;
}

}  // namespace

std::span<const THTMLEntity> HTMLEntityTable() { return kEntities; }

QString QuotedAfter(const QString& Upper, const QString& Text, const QString& Name, bool* Present) {
  const int at = int(Upper.indexOf(Name));
  if (Present) *Present = at >= 0;
  if (at < 0) return {};
  const int q1 = int(Text.indexOf(QLatin1Char('"'), at + Name.size()));
  if (q1 < 0) return {};
  const int q2 = int(Text.indexOf(QLatin1Char('"'), q1 + 1));
  if (q2 < 0) return {};
  return Text.mid(q1 + 1, q2 - q1 - 1);
}

QString UpperAscii(const QString& S) {
  QString r = S;
  for (QChar& c : r)
    if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
  return r;
}

// ------------------------------------------------------------- entities

QString DecodeHTMLEntities(const QString& Text, bool AllEntities) {
  QString out;
  out.reserve(Text.size());
  for (int i = 0; i < Text.size(); ++i) {
    if (Text[i] != QLatin1Char('&')) {
      out += Text[i];
      continue;
    }
    const THTMLEntity* hit = nullptr;
    for (const auto& e : kBasicEntities)
      if (StartsAt(Text, i, e.Name)) hit = &e;
    if (!hit && AllEntities)
      for (const auto& e : kEntities)
        if (StartsAt(Text, i, e.Name)) {
          hit = &e;
          break;
        }
    if (!hit) {
      out += Text[i];
      continue;
    }
    out += QChar(hit->Char);
    i += int(qstrlen(hit->Name)) - 1;
  }
  return out;
}

QString EncodeHTMLEntities(const QString& Text, bool AllEntities) {
  QString out;
  out.reserve(Text.size() + Text.size() / 4);
  for (QChar c : Text) {
    const char* name = nullptr;
    for (const auto& e : kBasicEntities)
      if (c == QChar(e.Char)) name = e.Name;
    if (!name && AllEntities)
      for (const auto& e : kEntities)
        if (c == QChar(e.Char)) {
          name = e.Name;
          break;
        }
    if (name)
      out += QLatin1StringView(name);
    else
      out += c;
  }
  return out;
}

QString SpacesToNbsp(const QString& Text) {
  QString r = Text;
  return r.replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
}

// ---------------------------------------------------------------- colours

TColor ColorFromName(const QString& Name) {
  static const std::pair<const char*, TColor> basic[] = {
      {"clred", clRed},         {"clblack", clBlack},   {"clblue", clBlue},     {"clgreen", clGreen},
      {"claqua", clAqua},       {"clyellow", clYellow}, {"clfuchsia", clFuchsia}, {"clwhite", clWhite},
      {"cllime", clLime},       {"clsilver", clSilver}, {"clgray", clGray},     {"clolive", clOlive},
      {"clnavy", clNavy},       {"clpurple", clPurple}, {"clteal", clTeal},     {"clmaroon", clMaroon},
  };
  static const std::pair<const char*, TColor> system[] = {
      {"clbackground", clBackground},
      {"clactivecaption", clActiveCaption},
      {"clinactivecaption", clInactiveCaption},
      {"clmenu", clMenu},
      {"clwindow", clWindow},
      {"clwindowframe", clWindowFrame},
      {"clmenutext", clMenuText},
      {"clwindowtext", clWindowText},
      {"clcaptiontext", clCaptionText},
      {"clactiveborder", clActiveBorder},
      {"clinactiveborder", clInactiveBorder},
      {"clappworkspace", clAppWorkSpace},
      {"clhighlight", clHighlight},
      {"clhighlighttext", clHighlightText},
      {"clbtnface", clBtnFace},
      {"clbtnshadow", clBtnShadow},
      {"clgraytext", clGrayText},
      {"clbtntext", clBtnText},
      {"clinactivecaptiontext", clInactiveCaptionText},
      {"clbtnhighlight", clBtnHighlight},
      {"cl3ddkshadow", cl3DDkShadow},
      {"cl3dlight", cl3DLight},
      {"clinfotext", clInfoText},
      {"clinfobk", clInfoBk},
  };
  for (const auto& [name, color] : basic)
    if (Name == QLatin1StringView(name)) return color;
  for (const auto& [name, color] : system)
    if (Name == QLatin1StringView(name)) return color;
  return clBlack;
}

TColor ColorFromHex(const QString& Text) {
  int r = HexPairValue(Text.mid(1, 2));
  int g = HexPairValue(Text.mid(3, 2));
  int b = HexPairValue(Text.mid(5, 2));
  return TColor(r + g * 256 + b * 65536);
}

int HexPairValue(const QString& Text) {
  if (Text.size() < 2) return 0;
  return 16 * HexDigit(Text[0]) + HexDigit(Text[1]);
}

// ---------------------------------------------------------- inline controls

TControlTag ParseControlTag(const QString& TagText) {
  const QString upper = UpperAscii(TagText);
  TControlTag t;
  t.Type = UpperAscii(QuotedAfter(upper, TagText, QStringLiteral("TYPE=")));
  t.Width = QuotedAfter(upper, TagText, QStringLiteral("WIDTH="));
  t.Height = QuotedAfter(upper, TagText, QStringLiteral("HEIGHT="));
  t.ID = QuotedAfter(upper, TagText, QStringLiteral("ID="));
  t.Value = DecodeHTMLEntities(QuotedAfter(upper, TagText, QStringLiteral("VALUE=")), true);
  t.Prop = DecodeHTMLEntities(QuotedAfter(upper, TagText, QStringLiteral("PROP=")), true);
  t.MaxLen = QuotedAfter(upper, TagText, QStringLiteral("MAXLEN="));
  return t;
}

bool HasControlTag(const QString& Text) { return CaselessPos(QStringLiteral("<CONTROL"), Text) > 0; }

std::vector<TControlSpan> FindControlTags(const QString& Text) {
  static const QString kOpen = QStringLiteral("<CONTROL ");
  std::vector<TControlSpan> spans;
  const QString upper = UpperAscii(Text);
  int from = 0;
  for (;;) {
    int at = int(upper.indexOf(kOpen, from));
    if (at < 0) break;
    int gt = TagEnd(Text, at);
    TControlSpan s;
    s.Start = at;
    s.End = gt < 0 ? int(Text.size()) : gt + 1;
    int attrFrom = at + int(kOpen.size()) - 1;
    s.Tag = ParseControlTag(Text.mid(attrFrom, (gt < 0 ? int(Text.size()) : gt) - attrFrom));
    spans.push_back(s);
    from = s.End;
  }
  return spans;
}

QString GetNextControlID(const QString& Text, const QString& ID) {
  bool passed = ID.isEmpty();
  for (const auto& s : FindControlTags(Text)) {
    const QString& type = s.Tag.Type;
    if (passed && type != QLatin1String("BUTTON") && type != QLatin1String("CHECK") &&
        type != QLatin1String("RADIO"))
      return s.Tag.ID;
    if (s.Tag.ID == ID) passed = true;
  }
  return {};
}

QString ClearRadioControls(const QString& Text) {
  QStringList ids;
  for (const auto& s : FindControlTags(Text))
    if (s.Tag.Type == QLatin1String("RADIO")) ids << s.Tag.ID;
  QString r = Text;
  for (const QString& id : ids) SetControlValue(r, id, QStringLiteral("FALSE"));
  return r;
}

namespace {
const TControlSpan* FindControl(const std::vector<TControlSpan>& Spans, const QString& ID) {
  for (const auto& s : Spans)
    if (s.Tag.ID == ID) return &s;
  return nullptr;
}
}  // namespace

bool GetControlValue(const QString& Text, const QString& ID, QString& Value) {
  auto spans = FindControlTags(Text);
  const TControlSpan* s = FindControl(spans, ID);
  if (!s) return false;
  Value = s->Tag.Value;
  return true;
}

QString GetControlProp(const QString& Text, const QString& ID) {
  auto spans = FindControlTags(Text);
  const TControlSpan* s = FindControl(spans, ID);
  return s ? s->Tag.Prop : QString();
}

int GetControlMaxLen(const QString& Text, const QString& ID) {
  auto spans = FindControlTags(Text);
  const TControlSpan* s = FindControl(spans, ID);
  return s ? IntPrefix(s->Tag.MaxLen) : 0;
}

bool SetControlValue(QString& Text, const QString& ID, const QString& Value) {
  auto spans = FindControlTags(Text);
  const TControlSpan* s = FindControl(spans, ID);
  if (!s) return false;
  const TControlTag& t = s->Tag;
  QString tag = QStringLiteral("<CONTROL ID=\"%1\" VALUE=\"%2\" WIDTH=\"%3\" TYPE=\"%4\"")
                    .arg(t.ID, EncodeHTMLEntities(Value, true), t.Width, t.Type);
  if (!t.Prop.isEmpty()) tag += QStringLiteral(" PROP=\"%1\"").arg(EncodeHTMLEntities(t.Prop, true));
  if (!t.MaxLen.isEmpty()) tag += QStringLiteral(" MAXLEN=\"%1\"").arg(t.MaxLen);
  if (!t.Height.isEmpty()) tag += QStringLiteral(" HEIGHT=\"%1\"").arg(t.Height);
  tag += QLatin1Char('>');
  Text = Text.left(s->Start) + tag + Text.mid(s->End);
  return true;
}

// ------------------------------------------------------------ tag utilities

namespace {

// Removes every tag (from a "<" to the first ">" after it); a "<" without a ">"
// after it stays with the rest of the text.
QString RemoveTags(const QString& Text) {
  QString out;
  out.reserve(Text.size());
  int i = 0;
  while (i < Text.size()) {
    if (Text[i] == QLatin1Char('<')) {
      int gt = TagEnd(Text, i);
      if (gt < 0) {
        out += QStringView(Text).mid(i);
        break;
      }
      i = gt + 1;
      continue;
    }
    out += Text[i++];
  }
  return out;
}

QString ReplaceCaseless(const QString& Text, const QString& Find, const QString& Replace) {
  QString r = Text;
  return r.replace(Find, Replace, Qt::CaseInsensitive);
}

}  // namespace

QString StripHTMLTags(const QString& Text) {
  QString t = ReplaceCaseless(Text, QStringLiteral("<BR>"), QStringLiteral("\r\n"));
  t = ReplaceCaseless(t, QStringLiteral("<HR>"), QStringLiteral("\r\n"));
  return RemoveTags(t);
}

QString InsertMatchTags(const QString& HTML, const QString& Search, const QString& Tag,
                        bool CaseSensitive) {
  if (Search.isEmpty()) return HTML;
  QString html = HTML;
  QString search = Search;
  const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
  QString plain = RemoveTags(html);
  if (html.contains(search, cs) &&
      (plain.contains(QLatin1Char('<')) || plain.contains(QLatin1Char('>')))) {
    auto escape = [](QString s) {
      return s.replace(QLatin1Char('<'), QStringLiteral("&lt;")).replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    };
    html = escape(plain);
    search = escape(search);
    plain = html;
  }
  // Index in html of every character outside tags.
  std::vector<int> at;
  at.reserve(plain.size());
  for (int i = 0; i < html.size();) {
    if (html[i] == QLatin1Char('<')) {
      int gt = TagEnd(html, i);
      if (gt >= 0) {
        i = gt + 1;
        continue;
      }
      for (; i < html.size(); ++i) at.push_back(i);
      break;
    }
    at.push_back(i++);
  }
  const QString hay = CaseSensitive ? plain : UpperKeepingLength(plain);
  const QString needle = CaseSensitive ? search : UpperKeepingLength(search);
  std::vector<std::pair<int, QString>> inserts;  // html index, text
  const QString open = QLatin1Char('<') + Tag + QLatin1Char('>');
  const QString close = QStringLiteral("</") + Tag + QLatin1Char('>');
  for (int from = 0;;) {
    int m = int(hay.indexOf(needle, from));
    if (m < 0) break;
    int e = m + int(needle.size());
    inserts.emplace_back(at[m], open);
    inserts.emplace_back(e < int(at.size()) ? at[e] : int(html.size()), close);
    from = e;
  }
  for (auto it = inserts.rbegin(); it != inserts.rend(); ++it) html.insert(it->first, it->second);
  return html;
}

QString RemoveMatchTags(const QString& HTML, const QString& Tag) {
  QString r = HTML;
  r.remove(QLatin1Char('<') + Tag + QLatin1Char('>'), Qt::CaseInsensitive);
  r.remove(QStringLiteral("</") + Tag + QLatin1Char('>'), Qt::CaseInsensitive);
  r.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
  r.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  return r;
}

int CaselessPos(const QString& Sub, const QString& Text) {
  return int(UpperAscii(Text).indexOf(UpperAscii(Sub))) + 1;
}

int PosStore(const QString& Sub, const QString& Text, int& Pos) {
  Pos = int(Text.indexOf(Sub)) + 1;
  return Pos;
}

int PosStoreUpper(const QString& UpperSub, const QString& Text, int& Pos) {
  Pos = int(UpperKeepingLength(Text).indexOf(UpperSub)) + 1;
  return Pos;
}

bool ReplaceFirstCaseless(const QString& Find, const QString& Replace, QString& Text) {
  int p = CaselessPos(Find, Text);
  if (p <= 0 || Find.isEmpty()) return false;
  Text.replace(p - 1, Find.size(), Replace);
  return true;
}

int IntPrefix(const QString& Text) {
  int i = 0;
  const int n = int(Text.size());
  while (i < n && Text[i] == QLatin1Char(' ')) ++i;
  bool negative = false;
  if (i < n && (Text[i] == QLatin1Char('-') || Text[i] == QLatin1Char('+'))) negative = Text[i++] == QLatin1Char('-');
  int base = 10;
  if (i < n && Text[i] == QLatin1Char('$')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && Text[i] == QLatin1Char('0') && (Text[i + 1] == QLatin1Char('x') || Text[i + 1] == QLatin1Char('X'))) {
    base = 16;
    i += 2;
  }
  auto digit = [base](QChar C) {
    const char16_t u = C.unicode();
    if (u >= u'0' && u <= u'9') return int(u - u'0');
    if (base == 16 && u >= u'a' && u <= u'f') return int(u - u'a' + 10);
    if (base == 16 && u >= u'A' && u <= u'F') return int(u - u'A' + 10);
    return -1;
  };
  long long v = 0;
  for (int d; i < n && (d = digit(Text[i])) >= 0; ++i) {
    v = v * base + d;
    if (v > INT_MAX) {
      v = INT_MAX;
      break;
    }
  }
  return int(negative ? -v : v);
}

QString UnbracketHashTags(const QString& Text) {
  QString r = Text;
  int from = 0;
  for (;;) {
    int at = int(r.indexOf(QStringLiteral("<#"), from));
    if (at < 0) break;
    r.remove(at, 1);
    int gt = int(r.indexOf(QLatin1Char('>'), at));
    if (gt >= 0) r.remove(gt, 1);
    from = at + 1;
  }
  return r;
}

QString LineBreaksToBRTags(const QString& Text, bool ToTags) {
  QString r;
  r.reserve(Text.size());
  for (QChar c : Text) {
    if (c == QLatin1Char('\n')) continue;
    if (c == QLatin1Char('\r') && ToTags)
      r += QStringLiteral("<BR>");
    else
      r += c;
  }
  return r;
}

QString PasswordMask(const QString& Text) { return QString(Text.size(), QLatin1Char('*')); }
