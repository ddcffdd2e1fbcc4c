// The mini-HTML renderer: text preparation, the tag set, line layout with its
// measuring and painting passes, anchors and their hit tests.
#include "controls/PsgHTMLE_Render_p.h"

namespace HtmlRender {

namespace {

TColor gHighlightBackground = clHighlight;
TColor gHighlightText = clHighlightText;
int gLiveRotatedFonts = 0;

// Text preparation: the sign entities, "&amp;" as the drawn "&&", each entity
// once from left to right.
QString DecodeSignEntities(const QString& Text) {
  if (!Text.contains(QLatin1Char('&'))) return Text;
  static const std::pair<const char*, const char16_t*> signs[] = {
      {"&AMP;", u"&&"},       {"&QUOT;", u"\""},       {"&SECT;", u"\u00A7"}, {"&PERMIL;", u"\u2030"},
      {"&REG;", u"\u00AE"},   {"&COPY;", u"\u00A9"},   {"&PARA;", u"\u00B6"}, {"&TRADE;", u"\u2122"},
      {"&EURO;", u"\u20AC"},
  };
  const QString upper = UpperAscii(Text);
  QString out;
  out.reserve(Text.size());
  for (int i = 0; i < Text.size(); ++i) {
    bool done = false;
    if (Text[i] == QLatin1Char('&'))
      for (const auto& [name, sign] : signs)
        if (QStringView(upper).mid(i).startsWith(QLatin1StringView(name))) {
          out += QString::fromUtf16(sign);
          i += int(qstrlen(name)) - 1;
          done = true;
          break;
        }
    if (!done) out += Text[i];
  }
  return out;
}

// The characters of a run: "&nbsp;", "&lt;" and "&gt;" (lower case) turned into
// theirs; a "&&" (a drawn "&") is kept whole, so "&&lt;" shows "&lt;".
QString RunCharacters(const QString& Run) {
  if (!Run.contains(QLatin1Char('&'))) return Run;
  QString out;
  out.reserve(Run.size());
  for (int i = 0; i < Run.size(); ++i) {
    QStringView rest = QStringView(Run).mid(i);
    if (rest.startsWith(u"&&")) {
      out += QStringLiteral("&&");
      ++i;
    } else if (rest.startsWith(u"&nbsp;")) {
      out += QLatin1Char(' ');
      i += 5;
    } else if (rest.startsWith(u"&lt;")) {
      out += QLatin1Char('<');
      i += 3;
    } else if (rest.startsWith(u"&gt;")) {
      out += QLatin1Char('>');
      i += 3;
    } else {
      out += Run[i];
    }
  }
  return out;
}

}  // namespace

void RotatedFontMade() { ++gLiveRotatedFonts; }
void RotatedFontReleased() { --gLiveRotatedFonts; }

QString FirstQuoted(const QString& Text) {
  int q1 = int(Text.indexOf(QLatin1Char('"')));
  if (q1 < 0) return {};
  int q2 = int(Text.indexOf(QLatin1Char('"'), q1 + 1));
  return q2 < 0 ? QString() : Text.mid(q1 + 1, q2 - q1 - 1);
}

TColor ColorValue(const QString& Value) {
  return Value.startsWith(QLatin1Char('#')) ? ColorFromHex(Value) : ColorFromName(Value.toLower());
}

void THTMLRenderer::SetBackground(TColor Color) {
  FBg = Color;
  if (Color == clNone)
    C->Brush()->SetStyle(bsClear);
  else
    C->Brush()->SetColor(Color);
}

void THTMLRenderer::FillWithPen(const TRect& R, TColor Color) {
  const TColor pen = C->Pen()->Color();
  const TColor bg = FBg;
  C->Pen()->SetColor(Color);
  C->Brush()->SetColor(Color);
  C->Rectangle(R);
  C->Pen()->SetColor(pen);
  SetBackground(bg);
}

void THTMLRenderer::Rotate(int Degrees) {
  LOGFONT lf = C->Font()->ToLogFont();
  lf.lfEscapement = lf.lfOrientation = std::clamp(Degrees, -3600, 3600) * 10;
  TRotatedFont font(CreateFontIndirect(lf));
  RotatedFontMade();
  SelectObject(C->Handle(), font.get());
  // A second <R> replaces the rotation; the canvas's own font stays the one to go back to.
  FRotated = std::move(font);
}

void THTMLRenderer::Unrotate() {
  if (!FRotated) return;
  C->Refresh();
  C->Handle();
  FRotated.reset();
}

bool THTMLRenderer::Run(const QString& Text) {
  // Text preparation.
  QString text = DecodeSignEntities(Text);
  text = UnbracketHashTags(text);
  text = LineBreaksToBRTags(text, true);

  // State of entry.
  const TColor entryPenColor = C->Pen()->Color();
  const int entryPenWidth = C->Pen()->Width();
  const TColor entryBrushColor = C->Brush()->Color();
  const TBrushStyle entryBrushStyle = C->Brush()->Style();
  FEntryBackground = entryBrushColor;
  FBase = std::make_unique<TFont>();
  FBase->Assign(C->Font());
  auto measureFont = std::make_unique<TFont>();
  measureFont->Assign(C->Font());
  auto paintFont = std::make_unique<TFont>();
  paintFont->Assign(C->Font());
  SetBackground(clNone);
  SetBkMode(C->Handle(), TRANSPARENT);

  bool result = false;
  int top = Rect.Top;
  QString rest = text;
  while (!rest.isEmpty()) {
    // Measuring pass.
    TLineMetrics m;
    FSup = FSub = false;
    C->Font()->Assign(measureFont.get());
    m.H = TextHeightGh();
    const int baseHeight = m.H;
    const bool inAnchor = FInAnchor;
    const QString anchorRef = FAnchorRef, anchorTitle = FAnchorTitle;
    const int anchorCount = FAnchorCount, listLevel = FListLevel, imageCount = FImageCount;
    TPass p1;
    p1.Measure = true;
    p1.Line = TRect(Rect.Left + 1, top, Rect.Right, Rect.Bottom);
    QString lineText;
    const auto restBefore = rest.size();
    RenderLine(p1, rest, lineText, m);
    if (rest.size() == restBefore) rest.remove(0, 1);  // every line takes something
    measureFont->Assign(C->Font());
    FInAnchor = inAnchor;
    FAnchorRef = anchorRef;
    FAnchorTitle = anchorTitle;

    // Painting rectangle.
    const int w = p1.X;
    int left = Rect.Left + 1;
    if (FAlign == haRight) left = std::max(left, Rect.Right - w);
    if (FAlign == haCenter && Rect.Right - left - w > 0) left += (Rect.Right - left - w) / 2;
    left += FIndent;
    const TRect paintRect(left, top, Rect.Right, top + m.H + m.R + m.Q);

    if (!MeasureOnly) {
      FSup = FSub = false;
      FAnchorCount = anchorCount;
      FListLevel = listLevel;
      FImageCount = imageCount;
      C->Font()->Assign(paintFont.get());
      TPass p2;
      p2.Measure = NoDraw;
      p2.Line = paintRect;
      QString again = lineText, unused;
      RenderLine(p2, again, unused, m);
      paintFont->Assign(C->Font());
      if (p2.ImageHit || p2.ControlHit) {
        result = true;
      } else if (p2.AnchorHit) {
        const int th = TextHeightGh();
        if (paintRect.Bottom - m.P - th < Y && Y < paintRect.Bottom - m.P) result = true;
      }
    }
    top += m.H + m.R + m.Q;
    YSize += m.H + m.R + m.Q;
    ++FLine;
    if (!MeasureOnly && top + baseHeight > Rect.Bottom) rest.clear();
  }
  if (YSize == 0) YSize = TextHeightGh();
  HyperLinks = FAnchorCount;

  Unrotate();
  C->Pen()->SetColor(entryPenColor);
  C->Pen()->SetWidth(entryPenWidth);
  C->Brush()->SetColor(entryBrushColor);
  C->Brush()->SetStyle(entryBrushStyle);
  C->Font()->Assign(FBase.get());
  return result;
}

void THTMLRenderer::RenderLine(TPass& P, QString& Rest, QString& LineText, TLineMetrics& M) {
  P.Cursor = TRect(P.Line.Left, P.Line.Top, P.Line.Right, P.Line.Bottom - M.R);
  if (FParaBg && !P.Measure) FillWithPen(TRect(Rect.Left, P.Line.Top, Rect.Right, P.Line.Top + M.H), FBg);
  while (!Rest.isEmpty() && !P.Ended && !P.Full) {
    TextRun(P, Rest, LineText, M);
    if (!Rest.startsWith(QLatin1Char('<'))) continue;
    if (Rest.size() <= 2) {
      Rest.clear();
      break;
    }
    const int gt = int(Rest.indexOf(QLatin1Char('>')));
    if (gt < 0) {
      Rest.clear();
      break;
    }
    const QString tag = Rest.left(gt + 1);
    if (!P.Ended) Tag(P, tag, M, !LineText.isEmpty());
    if (P.Full) break;
    LineText += tag;
    Rest.remove(0, gt + 1);
  }
  P.X -= P.TrailingSpace;
  XSize = std::max(XSize, P.X);
  // The focus rectangle of an anchor that goes on to the next line.
  if (!P.Measure && FInAnchor && FAnchorCount == FocusLink + 1 && FocusLink >= 0) {
    FFocusRect.Right = P.Cursor.Left;
    FFocusRect.Bottom = P.Cursor.Bottom;
    TRect r(FFocusRect.Left - 1, FFocusRect.Top - 1, FFocusRect.Right + 1, FFocusRect.Bottom + 1);
    C->DrawFocusRect(r);
    FFocusRect.Left = P.Line.Left + 1;
    FFocusRect.Top = r.Bottom;
  }
}

void THTMLRenderer::TextRun(TPass& P, QString& Rest, QString& LineText, TLineMetrics& M) {
  int end = int(Rest.indexOf(QLatin1Char('<')));
  if (end < 0) end = int(Rest.size());
  if (WordWrap) {
    const int space = int(Rest.indexOf(QLatin1Char(' ')));
    if (space >= 0 && space < end) end = space + 1;
  }
  if (end == 0) return;
  const QString raw = Rest.left(end);
  const QString run = RunCharacters(raw);
  const int h = C->TextHeight(run);
  if (FSub) M.R = std::max(M.R, h / 4);
  if (FSup) M.Q = std::max(M.Q, h / 4);
  M.H = std::max(M.H, h);
  if (FHidden) {
    Rest.remove(0, end);
    return;
  }
  const int xBefore = P.X;
  int width = 0;
  if (P.Measure) {
    TRect r = P.Line;
    DrawTextExW(C->Handle(), run, -1, r, Flags | DT_CALCRECT, nullptr);
    width = r.Right - r.Left;
    P.X += width;
    if (FInAnchor && !FAnchorRef.isEmpty()) {
      const int px = X - P.Line.Left;
      const int upper = RtlReading ? Rect.Right - X - P.Line.Left : px;
      if (xBefore <= px && upper <= P.X) {
        P.AnchorHit = true;
        if (Y > P.Line.Top) {
          AnchorVal = FAnchorRef;
          AnchorTitle = FAnchorTitle;
          FHovered = true;
        }
      }
    }
  } else {
    TRect r = P.Cursor;
    if (FSup) r.Bottom -= M.Q;
    if (FSub) r.Bottom += M.R;
    r.Bottom -= M.P;
    if (FShadow) {
      const TColor color = C->Font()->Color();
      TRect s(r.Left + ShadowOffset, r.Top + ShadowOffset, r.Right + ShadowOffset, r.Bottom + ShadowOffset);
      SetFontColor(ShadowColor);
      DrawTextExW(C->Handle(), run, -1, s, Flags, nullptr);
      SetFontColor(color);
    }
    DrawTextExW(C->Handle(), run, -1, r, Flags, nullptr);
    TRect calc = r;
    DrawTextExW(C->Handle(), run, -1, calc, Flags | DT_CALCRECT, nullptr);
    width = calc.Right - calc.Left;
    const int right = RtlReading ? r.Right : r.Left + width;
    if (FInAnchor && FAnchorCount - 1 == FocusLink) FocusAnchor = FAnchorRef;
    if (FErrorMark) {
      const TColor pen = C->Pen()->Color();
      C->Pen()->SetColor(clRed);
      const int b = P.Cursor.Bottom;
      int x = (r.Left / 2) * 2;
      int phase = x % 4 == 0 ? 2 : 0;
      C->MoveTo(x, b + phase - 1);
      while (x < right) {
        phase = phase == 0 ? 2 : 0;
        C->LineTo(x + 2, b + phase - 1);
        x += 2;
      }
      C->Pen()->SetColor(pen);
    }
    if (RtlReading)
      P.Cursor.Right -= width;
    else
      P.Cursor.Left = right;
  }

  // Does the run fit?
  const int avail = P.Line.Right - P.Line.Left;
  bool fits = P.X < avail || width >= avail;
  if (!fits && !P.Accepted.isEmpty() && !P.Accepted.endsWith(QLatin1Char(' '))) fits = true;
  if (fits || !WordWrap) {
    LineText += raw;
    Rest.remove(0, end);
    if (!fits && P.Measure && !P.FirstRun) Rest.clear();
    P.Accepted += raw;
    P.FirstRun = false;
    P.TrailingSpace = raw.endsWith(QLatin1Char(' ')) ? C->TextWidth(QStringLiteral(" ")) : 0;
    if (P.Measure) StripVal += run;
  } else {
    P.Ended = true;
    P.X -= width;
  }
}

void THTMLRenderer::Tag(TPass& P, const QString& T, TLineMetrics& M, bool LineHasContent) {
  if (T.size() < 3) return;  // "<>"
  if (T.size() >= 4 && T[1] == QLatin1Char('/'))
    ClosingTag(P, T, M);
  else if (T[1] != QLatin1Char('/'))
    OpeningTag(P, T, M, LineHasContent);
}

void THTMLRenderer::OpeningTag(TPass& P, const QString& T, TLineMetrics& M, bool LineHasContent) {
  const QString upperTag = UpperAscii(T);
  const QChar c1 = upperTag[1];
  const QChar c2 = upperTag[2];
  // Attributes: the text after the tag's name, up to the ">".
  int nameEnd = 1;
  while (nameEnd < T.size() - 1 && T[nameEnd] != QLatin1Char(' ')) ++nameEnd;
  const QString attrs = T.mid(nameEnd, T.size() - 1 - nameEnd);
  const QString upper = upperTag.mid(nameEnd, T.size() - 1 - nameEnd);
  const bool paints = !P.Measure;

  switch (c1.unicode()) {
    case u'A':
      AnchorStart(P, attrs, upper);
      break;
    case u'B':
      if (c2 == QLatin1Char('>')) {
        SetStyle(fsBold, true);
      } else if (c2 == QLatin1Char('R')) {
        P.Ended = true;
        if (P.Measure) StripVal += QLatin1Char('\r');
      } else if (c2 == QLatin1Char('L')) {
        if (!BlinkOn) SetFontColor(FEntryBackground);
      } else if (c2 == QLatin1Char('O')) {
        if (paints) Body(P, attrs, upper);
      }
      break;
    case u'C':
      Control(P, attrs, M, LineHasContent);
      break;
    case u'E':
      if (paints) FErrorMark = true;
      break;
    case u'F': {
      bool present = false;
      const QString face = QuotedAfter(upper, upper, QStringLiteral("FACE"), &present);
      if (present && !face.isEmpty()) C->Font()->SetName(face);
      const QString color = QuotedAfter(upper, upper, QStringLiteral(" COLOR"));
      if (!Selected && !color.isEmpty()) SetFontColor(ColorValue(color));
      const QString bg = QuotedAfter(upper, upper, QStringLiteral("BGCOLOR"), &present);
      if (present && paints && !Selected) {
        FFontBgSaved = true;
        FFontSavedBg = FBg;
        if (!bg.isEmpty()) SetBackground(ColorValue(bg));
      }
      const QString size = QuotedAfter(upper, upper, QStringLiteral("SIZE"), &present);
      if (present && !size.isEmpty()) {
        static const int sizes[] = {8, 10, 12, 14, 16};
        int n = IntPrefix(size);
        C->Font()->SetSize(n >= 1 && n <= 5 ? sizes[n - 1] : std::clamp(n, -kMaxFontPoints, kMaxFontPoints));
      }
      break;
    }
    case u'H':
      if (c2 == QLatin1Char('I')) {
        if (paints) {
          FHiSaved = true;
          FHiSavedColor = C->Font()->Color();
          FHiSavedBg = FBg;
          SetFontColor(gHighlightText);
          SetBackground(gHighlightBackground);
        }
      } else if (c2 == QLatin1Char('R')) {
        if (paints) {
          const TColor pen = C->Pen()->Color();
          C->Pen()->SetColor(clBlack);
          C->MoveTo(P.Line.Left, P.Cursor.Bottom + 1);
          C->LineTo(P.Line.Right, P.Cursor.Bottom + 1);
          C->Pen()->SetColor(pen);
        }
        P.Ended = true;
      }
      break;
    case u'I':
      if (c2 == QLatin1Char('>')) {
        SetStyle(fsItalic, true);
      } else if (c2 == QLatin1Char('N')) {
        const int n = std::clamp(IntPrefix(FirstQuoted(attrs)), -kMaxDimension, kMaxDimension);
        // Painting passes do not count text runs in X: there the cursor tells
        // where the line stands.
        const int target = Rect.Left + n;
        if (P.Measure) {
          P.X = std::max(P.X, target - P.Line.Left);
        } else if (target > P.Cursor.Left) {
          P.X += target - P.Cursor.Left;
          P.Cursor.Left = target;
        }
      } else if (c2 == QLatin1Char('M')) {
        Image(P, attrs, upper, M, LineHasContent);
      }
      break;
    case u'L':
      if (P.LiSeen && LineHasContent) {
        P.Full = true;
        break;
      }
      P.LiSeen = true;
      P.X += FListLevel * 12;
      P.Cursor.Left += (FListLevel - 1) * 12;
      if (paints) {
        const QString face = C->Font()->Name();
        C->Font()->SetName(QStringLiteral("Symbol"));
        const QString bullet = FListLevel % 2 != 0 ? QStringLiteral("\u00B7") : QStringLiteral("o");
        DrawTextW(C->Handle(), bullet, -1, P.Cursor, 0);
        C->Font()->SetName(face);
      }
      P.Cursor.Left += 12;
      break;
    case u'P': {
      bool present = false;
      const QString align = QuotedAfter(upper, upper, QStringLiteral("ALIGN"), &present);
      if (present) {
        if (align.contains(QStringLiteral("RIGHT"))) FAlign = haRight;
        if (align.contains(QStringLiteral("LEFT"))) FAlign = haLeft;
        if (align.contains(QStringLiteral("CENTER"))) FAlign = haCenter;
      }
      const QString indent = QuotedAfter(upper, upper, QStringLiteral("INDENT"), &present);
      if (present) FIndent = std::clamp(IntPrefix(indent), -kMaxDimension, kMaxDimension);
      const QString bg = QuotedAfter(upper, upper, QStringLiteral("BGCOLOR"), &present);
      if (present && paints && !bg.isEmpty()) {
        FParaSavedBg = FParaBg ? FParaSavedBg : FBg;
        FParaBg = true;
        SetBackground(ColorValue(bg));
        FillWithPen(TRect(Rect.Left, P.Line.Top, Rect.Right, P.Cursor.Bottom), FBg);
      }
      break;
    }
    case u'R':
      Rotate(IntPrefix(FirstQuoted(attrs)));
      break;
    case u'S':
      if (c2 == QLatin1Char('>'))
        SetStyle(fsStrikeOut, true);
      else if (c2 == QLatin1Char('H'))
        FShadow = true;
      else if (upperTag == QLatin1String("<SUB>"))
        FSub = true;
      else if (upperTag == QLatin1String("<SUP>"))
        FSup = true;
      break;
    case u'U':
      if (c2 == QLatin1Char('>')) {
        SetStyle(fsUnderline, true);
      } else {
        ++FListLevel;
        P.Ended = true;
      }
      break;
    case u'Z':
      FHidden = true;
      break;
    default:
      break;
  }
}

void THTMLRenderer::ClosingTag(TPass& P, const QString& T, TLineMetrics& M) {
  const QString upperTag = UpperAscii(T);
  const QChar c = upperTag[2];
  const QChar d = upperTag[3];
  const bool paints = !P.Measure;
  switch (c.unicode()) {
    case u'A':
      AnchorEnd(P, M);
      break;
    case u'B':
      if (d == QLatin1Char('>'))
        SetStyle(fsBold, false);
      else
        SetFontColor(FBase->Color());
      break;
    case u'E':
      if (paints) FErrorMark = false;
      break;
    case u'F':
      C->Font()->SetName(FBase->Name());
      C->Font()->SetHeight(FBase->Height());
      if (paints && !Selected) {
        SetFontColor(FBase->Color());
        SetBackground(FFontBgSaved ? FFontSavedBg : clNone);
      }
      break;
    case u'H':
      // Only after a <HI>: a closing tag without its opening one changes nothing.
      if (paints && FHiSaved) {
        SetFontColor(FHiSavedColor);
        SetBackground(FHiSavedBg);
        FHiSaved = false;
      }
      break;
    case u'I':
      SetStyle(fsItalic, false);
      break;
    case u'L':
      P.Ended = true;
      break;
    case u'P':
      P.Ended = true;
      if (paints && FParaBg) {
        SetBackground(FParaSavedBg);
        FParaBg = false;
      }
      break;
    case u'R':
      Unrotate();
      break;
    case u'S':
      if (d == QLatin1Char('U'))
        FSub = FSup = false;
      else if (d == QLatin1Char('H'))
        FShadow = false;
      else
        SetStyle(fsStrikeOut, false);
      break;
    case u'U':
      if (upperTag == QLatin1String("</U>")) {
        SetStyle(fsUnderline, false);
      } else if (FListLevel > 0) {
        --FListLevel;
      } else {
        SetStyle(fsUnderline, false);
      }
      break;
    case u'Z':
      FHidden = false;
      break;
    default:
      break;
  }
}

void THTMLRenderer::AnchorStart(TPass& P, const QString& Attrs, const QString& Upper) {
  const bool paints = !P.Measure;
  if (FAnchorCount == FocusLink && paints) {
    FFocusRect.Left = P.Cursor.Left;
    FFocusRect.Top = P.Line.Top;
  }
  const int n = ++FAnchorCount;
  FHoverStartX = P.X;
  FHoverStartTop = P.Line.Top;
  FHoverStartLine = FLine;
  const bool hoverOne = HoverStyle && n == HoverLink;
  FAnchorStyled = false;
  if ((!HoverStyle || n == HoverLink) && paints) {
    FAnchorStyled = true;
    SetStyle(fsUnderline, true);
    FAnchorSavedBg = FBg;
    if (HoverColor != clNone) SetBackground(HoverColor);
    FAnchorSavedColor = C->Font()->Color();
    FAnchorFontApplied = HoverFontColor != clNone;
    if (FAnchorFontApplied) SetFontColor(HoverFontColor);
  }
  if (!Selected && !(HoverFontColor != clNone && hoverOne)) SetFontColor(URLColor);
  bool present = false;
  const QString href = QuotedAfter(Upper, Attrs, QStringLiteral("HREF"), &present);
  if (present) {
    FAnchorRef = href;
    FAnchorTitle = QuotedAfter(Upper, Attrs, QStringLiteral("TITLE"));
    FInAnchor = true;
  }
}

void THTMLRenderer::AnchorEnd(TPass& P, TLineMetrics& M) {
  const int n = FAnchorCount;
  if ((!HoverStyle || n == HoverLink) && !P.Measure && FAnchorStyled) {
    SetStyle(fsUnderline, false);
    SetBackground(FAnchorSavedBg);
    if (FAnchorFontApplied) SetFontColor(FAnchorSavedColor);
    FAnchorFontApplied = false;
    FAnchorStyled = false;
  }
  if (!Selected) SetFontColor(FBase->Color());
  FInAnchor = false;
  if (FHovered) {
    const bool sameLine = FHoverStartLine == FLine;
    HoverRect = TRect(P.Line.Left + (sameLine ? FHoverStartX : 0), sameLine ? FHoverStartTop : P.Line.Top,
                      P.Line.Left + P.X, P.Cursor.Bottom);
    MouseLink = n;
    FHovered = false;
  }
  if (FocusLink >= 0 && n == FocusLink + 1) {
    FFocusRect.Right = P.Cursor.Left;
    FFocusRect.Bottom = P.Cursor.Bottom - M.P;
    FFocusRect.Top = FFocusRect.Bottom - TextHeightGh();
    FFocusRect = TRect(FFocusRect.Left - 1, FFocusRect.Top - 1, FFocusRect.Right + 1, FFocusRect.Bottom + 1);
    if (!P.Measure) C->DrawFocusRect(FFocusRect);
  }
}

}  // namespace HtmlRender

using namespace HtmlRender;

void SetHTMLHighlightColors(TColor Background, TColor Text) {
  gHighlightBackground = Background;
  gHighlightText = Text;
}

int HTMLLiveRotatedFonts() { return gLiveRotatedFonts; }

bool DrawHTMLText(TCanvas* Canvas, const QString& Text, TRect Rect, TImageList* Images, int X, int Y,
                  int FocusLink, int HoverLink, int ShadowOffset, bool NoDraw, bool MeasureOnly,
                  bool Print, bool Selected, bool BlinkOn, bool HoverStyle, bool WordWrap,
                  bool ControlDown, double ResFactor, TColor URLColor, TColor HoverColor,
                  TColor HoverFontColor, TColor ShadowColor, QString& AnchorVal, QString& StripVal,
                  QString& FocusAnchor, QString& AnchorTitle, int& XSize, int& YSize, int& HyperLinks,
                  int& MouseLink, TRect& HoverRect, TRect& ControlRect, QString& ControlID,
                  QString& ControlValue, QString& ControlType, THTMLPictureCache* PictureCache,
                  TPictureContainer* Container, HWND ThemeWindow, TBiDiMode BiDiMode) {
  StripVal.clear();
  AnchorTitle.clear();
  FocusAnchor.clear();
  ControlValue.clear();
  ControlType.clear();
  if (!NoDraw) ControlID.clear();
  ControlRect = TRect(0, 0, 0, 0);
  XSize = YSize = HyperLinks = 0;
  MouseLink = -1;
  if (!Canvas) return false;

  THTMLRenderer r;
  r.C = Canvas;
  r.Rect = Rect;
  r.Images = Images;
  r.X = X;
  r.Y = Y;
  r.FocusLink = FocusLink;
  r.HoverLink = HoverLink;
  r.ShadowOffset = ShadowOffset;
  r.NoDraw = NoDraw;
  r.MeasureOnly = MeasureOnly;
  r.Print = Print;
  r.Selected = Selected;
  r.BlinkOn = BlinkOn;
  r.HoverStyle = HoverStyle;
  r.WordWrap = WordWrap;
  r.ControlDown = ControlDown;
  r.ResFactor = ResFactor;
  r.URLColor = URLColor;
  r.HoverColor = HoverColor;
  r.HoverFontColor = HoverFontColor;
  r.ShadowColor = ShadowColor;
  r.Cache = PictureCache;
  r.Container = Container;
  r.ThemeWindow = ThemeWindow;
  r.AnchorVal = AnchorVal;
  r.ControlID = ControlID;
  r.HoverRect = HoverRect;
  r.Flags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
  if (SysLocale.MiddleEast && BiDiMode == bdRightToLeft) r.Flags |= DT_RIGHT;
  if (SysLocale.MiddleEast && BiDiMode != bdLeftToRight) {
    r.Flags |= DT_RTLREADING;
    r.RtlReading = true;
  }
  if (!WordWrap) r.Flags |= DT_END_ELLIPSIS;

  const bool result = r.Run(Text);
  AnchorVal = r.AnchorVal;
  StripVal = r.StripVal;
  FocusAnchor = r.FocusAnchor;
  AnchorTitle = r.AnchorTitle;
  XSize = r.XSize;
  YSize = r.YSize;
  HyperLinks = r.HyperLinks;
  MouseLink = r.MouseLink;
  HoverRect = r.HoverRect;
  ControlRect = r.ControlRect;
  ControlID = r.ControlID;
  ControlValue = r.ControlValue;
  ControlType = r.ControlType;
  return result;
}
