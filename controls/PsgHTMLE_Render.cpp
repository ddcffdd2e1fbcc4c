// The mini-HTML renderer: text preparation, the tag set, line layout with its
// measuring and painting passes, anchors, images and inline controls.
#include <algorithm>
#include <cmath>

#include "controls/PsgHTMLE.h"
#include "controls/PsgHTMLE_p.h"
#include "platform/ShellIcons.h"
#include "platform/WinGdi.h"

namespace {

TColor gHighlightBackground = clHighlight;
TColor gHighlightText = clHighlightText;
int gLiveRotatedFonts = 0;

// Sizes read from tags are kept within what the drawing coordinates hold.
constexpr int kMaxDimension = 32767;
constexpr int kMaxFontPoints = 1000;

int Dimension(int V) { return std::clamp(V, 0, kMaxDimension); }
int Rounded(double V) { return int(std::lrint(std::clamp(V, -1e9, 1e9))); }

enum THAlign { haLeft, haRight, haCenter };

// Line values that both passes over a line share.
struct TLineMetrics {
  int H = 0;  // height
  int Q = 0;  // superscript lift
  int R = 0;  // subscript drop
  int P = 0;  // text raise set by <IMG ALIGN>
};

// One pass of the line routine over a line.
struct TPass {
  bool Measure = true;  // measures (and hit-tests) instead of painting
  TRect Line;           // the line rectangle
  int X = 0;            // position, from Line.Left
  TRect Cursor;         // where the next run is drawn
  bool Ended = false;
  bool Full = false;
  bool LiSeen = false;
  bool FirstRun = true;
  QString Accepted;  // the runs accepted so far, as written
  int TrailingSpace = 0;
  bool AnchorHit = false;
  bool ImageHit = false;
  bool ControlHit = false;
};

// A rotated font made for <R>, deleted with its owner.
struct TFontDeleter {
  void operator()(TGdiObject* Font) const {
    DeleteObject(Font);
    --gLiveRotatedFonts;
  }
};
using TRotatedFont = std::unique_ptr<TGdiObject, TFontDeleter>;

// The text of an attribute: after its name in the upper-cased attribute text, the
// text between the next double quote and the one after it; empty without quotes.
QString QuotedAfter(const QString& Upper, const QString& Text, const QString& Name, bool* Present = nullptr) {
  int at = int(Upper.indexOf(Name));
  if (Present) *Present = at >= 0;
  if (at < 0) return {};
  int q1 = int(Text.indexOf(QLatin1Char('"'), at + Name.size()));
  if (q1 < 0) return {};
  int q2 = int(Text.indexOf(QLatin1Char('"'), q1 + 1));
  if (q2 < 0) return {};
  return Text.mid(q1 + 1, q2 - q1 - 1);
}

// The first quoted value of an attribute text (<IND x="n">, <R a="n">).
QString FirstQuoted(const QString& Text) {
  int q1 = int(Text.indexOf(QLatin1Char('"')));
  if (q1 < 0) return {};
  int q2 = int(Text.indexOf(QLatin1Char('"'), q1 + 1));
  return q2 < 0 ? QString() : Text.mid(q1 + 1, q2 - q1 - 1);
}

// A colour attribute value (upper-cased): "#RRGGBB" or a colour name.
TColor ColorValue(const QString& Value) {
  return Value.startsWith(QLatin1Char('#')) ? ColorFromHex(Value) : ColorFromName(Value.toLower());
}

bool IsNumber(const QString& S) {
  bool ok = false;
  S.toLongLong(&ok);
  return ok;
}

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

// Inline controls in the system's theme: the theme service's answer whether a
// visual style is active connects here. Until then the classic look draws them.
bool ThemedControls(HWND ThemeWindow) {
  (void)ThemeWindow;
  return false;
}

// One part of an inline control. Themed: the theme data of ThemeWindow for
// ThemeClass ("button", "combobox") draws Part in State (DrawThemeBackground);
// classic: DrawFrameControl with ClassicType and ClassicState.
void DrawControlPart(HDC DC, HWND ThemeWindow, const char* ThemeClass, int Part, int State, const TRect& R,
                     UINT ClassicType, UINT ClassicState) {
  if (ThemedControls(ThemeWindow)) {
    (void)ThemeClass;
    (void)Part;
    (void)State;
  }
  DrawFrameControl(DC, R, ClassicType, ClassicState);
}

class THTMLRenderer {
 public:
  // Inputs.
  TCanvas* C = nullptr;
  TRect Rect;
  TImageList* Images = nullptr;
  int X = 0, Y = 0;
  int FocusLink = -1, HoverLink = -1, ShadowOffset = 0;
  bool NoDraw = false, MeasureOnly = false, Print = false, Selected = false, BlinkOn = false,
       HoverStyle = false, WordWrap = false, ControlDown = false;
  double ResFactor = 1.0;
  TColor URLColor = clBlue, HoverColor = clNone, HoverFontColor = clNone, ShadowColor = clGray;
  THTMLPictureCache* Cache = nullptr;
  TPictureContainer* Container = nullptr;
  HWND ThemeWindow = nullptr;
  bool RtlReading = false;
  UINT Flags = 0;

  // Outputs.
  QString AnchorVal, StripVal, FocusAnchor, AnchorTitle, ControlID, ControlValue, ControlType;
  int XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = -1;
  TRect HoverRect, ControlRect;

  bool Run(const QString& Text);

 private:
  void RenderLine(TPass& P, QString& Rest, QString& LineText, TLineMetrics& M);
  void Tag(TPass& P, const QString& Tag, TLineMetrics& M, bool LineHasContent);
  void OpeningTag(TPass& P, const QString& Tag, TLineMetrics& M, bool LineHasContent);
  void ClosingTag(TPass& P, const QString& Tag, TLineMetrics& M);
  void AnchorStart(TPass& P, const QString& Attrs, const QString& Upper);
  void AnchorEnd(TPass& P, TLineMetrics& M);
  void Image(TPass& P, const QString& Attrs, const QString& Upper, TLineMetrics& M, bool LineHasContent);
  void Body(TPass& P, const QString& Attrs, const QString& Upper);
  void Control(TPass& P, const QString& Attrs, TLineMetrics& M, bool LineHasContent);
  void TextRun(TPass& P, QString& Rest, QString& LineText, TLineMetrics& M);
  void Place(TPass& P, int W, int H, TLineMetrics& M, bool LineHasContent);
  void Rotate(int Degrees);
  void Unrotate();

  void SetBackground(TColor Color);
  void SetFontColor(TColor Color) { C->Font()->SetColor(Color); }
  void SetStyle(TFontStyle S, bool On) {
    TFontStyles st = C->Font()->Style();
    if (On)
      st.Include(S);
    else
      st.Exclude(S);
    C->Font()->SetStyle(st);
  }
  void FillWithPen(const TRect& R, TColor Color);
  int TextHeightGh() { return C->TextHeight(QStringLiteral("gh")); }
  int LogPixels(int Index) { return std::max(1, GetDeviceCaps(C->Handle(), Index)); }
  std::unique_ptr<IHTMLPicture> FindPicture(const QString& UpperSrc, const QString& Src);

  std::unique_ptr<TFont> FBase;
  TColor FEntryBackground = clWhite;
  TColor FBg = clNone;

  // Anchors.
  bool FInAnchor = false;
  QString FAnchorRef, FAnchorTitle;
  int FAnchorCount = 0;
  bool FAnchorStyled = false;
  TColor FAnchorSavedBg = clNone;
  bool FAnchorFontApplied = false;
  TColor FAnchorSavedColor = clBlack;
  bool FHovered = false;
  int FHoverStartX = 0, FHoverStartTop = 0, FHoverStartLine = 0;
  TRect FFocusRect;

  int FLine = 0;  // number of the line being laid out
  int FImageCount = 0;
  int FHitImage = -1;
  bool FSup = false, FSub = false, FShadow = false, FHidden = false, FErrorMark = false;
  bool FParaBg = false;
  TColor FParaSavedBg = clNone;
  bool FHiSaved = false;
  TColor FHiSavedColor = clBlack, FHiSavedBg = clNone;
  bool FFontBgSaved = false;
  TColor FFontSavedBg = clNone;
  int FListLevel = 0;
  THAlign FAlign = haLeft;
  int FIndent = 0;
  TRotatedFont FRotated;
};

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
  ++gLiveRotatedFonts;
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

std::unique_ptr<IHTMLPicture> THTMLRenderer::FindPicture(const QString& UpperSrc, const QString& Src) {
  std::unique_ptr<IHTMLPicture> pic;
  if (!UpperSrc.contains(QLatin1Char(':')) && Container)
    pic = HTMLPictureSource().ContainerPicture(Container, Src);
  else if (UpperSrc.contains(QStringLiteral("://")) && Cache)
    pic = HTMLPictureSource().CachePicture(Cache, Src);
  if (pic && pic->Empty()) pic.reset();
  return pic;
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

// Places an image or control of W x H at the position: the line is full when it
// does not fit on a line that already holds something.
void THTMLRenderer::Place(TPass& P, int W, int H, TLineMetrics& M, bool LineHasContent) {
  const int lineWidth = P.Line.Right - P.Line.Left;
  if (lineWidth < P.X + W && W < lineWidth && LineHasContent) {
    P.Full = true;
    return;
  }
  P.X += W;
  P.Cursor.Left += W;
  M.H = std::max(M.H, H);
}

void THTMLRenderer::Image(TPass& P, const QString& Attrs, const QString& Upper, TLineMetrics& M,
                          bool LineHasContent) {
  const bool paints = !P.Measure;
  ++FImageCount;
  QString src = QuotedAfter(Upper, Attrs, QStringLiteral("SRC"));
  bool hasAlt = false;
  const QString alt = QuotedAfter(Upper, Attrs, QStringLiteral("ALT"), &hasAlt);
  if (hasAlt && FImageCount == FHitImage) src = alt;
  const QString upperSrc = UpperAscii(src);
  bool hasWidth = false, hasHeight = false;
  const int width = Dimension(IntPrefix(QuotedAfter(Upper, Upper, QStringLiteral("WIDTH"), &hasWidth)));
  const int height = Dimension(IntPrefix(QuotedAfter(Upper, Upper, QStringLiteral("HEIGHT"), &hasHeight)));
  hasWidth = hasWidth && width > 0;
  hasHeight = hasHeight && height > 0;
  const int dpiX = LogPixels(LOGPIXELSX), dpiY = LogPixels(LOGPIXELSY);
  const int L = P.Cursor.Left, T = P.Cursor.Top;
  int w = 0, h = 0;

  if (upperSrc.startsWith(QStringLiteral("IDX:"))) {
    const int n = IntPrefix(upperSrc.mid(4));
    if (Images && n >= 0 && n < Images->Count()) {
      w = MulDiv(Images->Width(), dpiX, 96);
      h = MulDiv(Images->Height(), dpiY, 96);
      if (paints) {
        if (!Print) {
          Images->Draw(C, L, T, n, true);
        } else {
          TBitmap bmp;
          Images->GetBitmap(n, &bmp);
          C->StretchDraw(TRect(L, T, L + Rounded(Images->Width() * ResFactor), T + Rounded(Images->Height() * ResFactor)),
                         &bmp);
        }
      }
    }
  } else if (upperSrc.startsWith(QStringLiteral("SSYS:")) || upperSrc.startsWith(QStringLiteral("LSYS:"))) {
    const int size = upperSrc[0] == QLatin1Char('S') ? SmallShellIconSize : LargeShellIconSize;
    // The path as written: file names keep their case. A number would be an index
    // into the system's image list, which this system does not have.
    const QString name = src.mid(5);
    std::unique_ptr<TIcon> icon;
    if (!name.isEmpty() && !IsNumber(name)) icon = ShellIcons().Icon(name, size);
    if (icon && !icon->Empty()) {
      w = MulDiv(size, dpiX, 96);
      h = MulDiv(size, dpiY, 96);
      if (paints) {
        if (!Print)
          C->Draw(L, T, icon.get());
        else
          C->StretchDraw(TRect(L, T, L + Rounded(size * ResFactor), T + Rounded(size * ResFactor)), icon.get());
      }
    }
  } else if (auto pic = FindPicture(upperSrc, src)) {
    int dw = pic->Width(), dh = pic->Height();
    if (hasWidth && hasHeight) {
      dw = width;
      dh = height;
    } else if (hasWidth) {
      dw = width;
      dh = pic->Width() > 0 ? Dimension(Rounded(double(width) * pic->Height() / pic->Width())) : 0;
    } else if (hasHeight) {
      dh = height;
      dw = pic->Height() > 0 ? Dimension(Rounded(double(height) * pic->Width() / pic->Height())) : 0;
    }
    if (paints) {
      if (hasWidth || hasHeight) {
        pic->SetStretch(true);
        pic->Draw(C, TRect(L, T, L + dw, T + dh));
      } else {
        if (pic->FrameCount() > 1) FillWithPen(TRect(L, T, L + pic->MaxWidth(), T + pic->MaxHeight()), FEntryBackground);
        const int fx = L + pic->FrameXPos(), fy = T + pic->FrameYPos();
        pic->Draw(C, TRect(fx, fy, fx + pic->Width(), fy + pic->Height()));
      }
    }
    if (hasWidth || hasHeight) {
      w = MulDiv(dw, dpiX, 96);
      h = MulDiv(dh, dpiY, 96);
    } else {
      w = MulDiv(pic->MaxWidth(), dpiX, 96);
      h = MulDiv(pic->MaxHeight(), dpiY, 96);
    }
  }

  const int px = X - P.Line.Left;
  if (P.X < px && px < P.X + w && P.Line.Top < Y && Y < P.Line.Top + h && FInAnchor && !FAnchorRef.isEmpty()) {
    P.ImageHit = true;
    AnchorVal = FAnchorRef;
    AnchorTitle = FAnchorTitle;
    FHitImage = FImageCount;
  }
  Place(P, w, h, M, LineHasContent);
  if (Upper.contains(QStringLiteral("ALIGN"))) {
    if (Upper.contains(QStringLiteral("\"TOP")))
      M.P = M.H - TextHeightGh();
    else if (Upper.contains(QStringLiteral("\"MIDDLE")))
      M.P = (M.H - TextHeightGh()) / 2;
  }
}

void THTMLRenderer::Body(TPass& P, const QString& Attrs, const QString& Upper) {
  const QString src = QuotedAfter(Upper, Attrs, QStringLiteral("BACKGROUND"));
  if (!src.isEmpty()) {
    auto pic = FindPicture(UpperAscii(src), src);
    if (pic && pic->Width() > 0 && pic->Height() > 0) {
      // Tiles clipped to Rect; the caller's clip comes back afterwards.
      HDC dc = C->Handle();
      HRGN saved = CreateRectRgn(0, 0, 0, 0);
      const bool hadClip = GetClipRgn(dc, saved) == 1;
      IntersectClipRect(dc, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
      const int pw = pic->Width(), ph = pic->Height();
      for (int y = Rect.Top; y < Rect.Bottom; y += ph)
        for (int x = Rect.Left; x < Rect.Right; x += pw) pic->Draw(C, TRect(x, y, x + pw, y + ph));
      SelectClipRgn(C->Handle(), hadClip ? saved : nullptr);
      DeleteObject(saved);
    }
  }
  const QString bg = QuotedAfter(Upper, Upper, QStringLiteral("BGCOLOR"));
  TColor color = clNone;
  if (bg.contains(QStringLiteral("CL")))
    color = ColorFromName(bg.toLower());
  else if (bg.contains(QLatin1Char('#')))
    color = ColorFromHex(bg);
  if (color != clNone) {
    FFontBgSaved = true;
    FFontSavedBg = color;
    SetBackground(color);
    FillWithPen(Rect, color);
  }
}

void THTMLRenderer::Control(TPass& P, const QString& Attrs, TLineMetrics& M, bool LineHasContent) {
  const TControlTag t = ParseControlTag(Attrs);
  bool ok = false;
  int height = t.Height.toInt(&ok);
  if (!ok) height = 25;
  height = std::clamp(height, -kMaxDimension, kMaxDimension);
  if (t.Width.isEmpty()) return;
  const int width = Dimension(IntPrefix(t.Width));
  int w = width;
  int h = TextHeightGh() + 10;
  const QString& type = t.Type;
  const bool box = type == QLatin1String("CHECK") || type == QLatin1String("RADIO");
  int s = box ? 16 : 23;
  if (height > 25) s = height - 2;
  M.H = std::max(M.H, s);

  if (!P.Measure) {
    const int B = P.Cursor.Bottom, L = P.Cursor.Left;
    const bool hot = L - 2 < X && X < L + w - 2 && B - h - 2 < Y && Y < B - 2;
    if (type == QLatin1String("EDIT") || type == QLatin1String("PASSWORD") || type == QLatin1String("MASK") ||
        type == QLatin1String("COMBO")) {
      const TColor pen = C->Pen()->Color();
      C->Pen()->SetColor(ThemedControls(ThemeWindow) ? TColor(0xB99D7F) : TColor(0x808080));
      C->Brush()->SetColor(clWhite);
      C->Rectangle(L, B - s + 4, L + width, B + 2);
      C->Pen()->SetColor(pen);
      C->Brush()->SetStyle(bsClear);
      HDC dc = C->Handle();
      if (type == QLatin1String("COMBO")) {
        DrawTextW(dc, t.Value, -1, TRect(L + 4, B - s + 4, L + width - 18, B), DT_SINGLELINE | DT_VCENTER);
        DrawControlPart(dc, ThemeWindow, "combobox", 1, hot ? 2 : 1,
                        TRect(L + width - 18, B - s + 5, L + width - 1, B + 1), DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
      } else {
        const QString shown = type == QLatin1String("PASSWORD") ? PasswordMask(t.Value) : t.Value;
        DrawTextW(dc, shown, -1, TRect(L + 2, B - s + 4, L + width, B), DT_SINGLELINE | DT_VCENTER);
      }
      SetBackground(FBg);
    } else if (box) {
      // Check boxes and radio buttons always show their normal look, never hot or pressed.
      const bool checked = t.Value.toUpper() == QLatin1String("TRUE");
      if (type == QLatin1String("CHECK"))
        DrawControlPart(C->Handle(), ThemeWindow, "button", 3, checked ? 5 : 1, TRect(L + 2, B - 15, L + 15, B),
                        DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? UINT(DFCS_CHECKED) : 0u));
      else
        DrawControlPart(C->Handle(), ThemeWindow, "button", 2, checked ? 5 : 1, TRect(L + 2, B - 14, L + 14, B),
                        DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT | (checked ? UINT(DFCS_CHECKED) : 0u));
    } else if (type == QLatin1String("BUTTON")) {
      const bool buttonHot = L - 2 < X && X < L + w - 2 && B - 24 - 2 < Y && Y < B - 2;
      TRect r(L + 2, B - height, L + width - 2, B);
      DrawControlPart(C->Handle(), ThemeWindow, "button", 1, ControlDown ? 3 : buttonHot ? 2 : 1, r, DFC_BUTTON,
                      DFCS_BUTTONPUSH | (buttonHot && ControlDown ? UINT(DFCS_PUSHED) : 0u));
      r = TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
      DrawTextW(C->Handle(), t.Value, -1, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
  }
  if (type == QLatin1String("BUTTON") || type == QLatin1String("COMBO")) h = 25;
  if (box) w = h = 16;

  const int px = X - P.Line.Left;
  const bool under = P.X < px && px < P.X + w && P.Line.Top < Y && Y < P.Line.Top + h;
  // A control sought by its ID (hit tests without drawing) needs an ID to match.
  const bool sought = NoDraw && !ControlID.isEmpty() && t.ID == ControlID;
  if (under || sought) {
    P.ControlHit = true;
    AnchorVal = QStringLiteral("ctrl");
    FHitImage = FImageCount;
    ControlRect = TRect(P.Line.Left + P.X, P.Line.Top, P.Line.Left + P.X + w, P.Line.Top + h);
    ControlValue = t.Value;
    ControlID = t.ID;
    ControlType = t.Type;
  }
  Place(P, w, h, M, LineHasContent);
}

}  // namespace

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
