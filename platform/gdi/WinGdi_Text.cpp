// Fonts and text: resolving font descriptions to installed fonts (fontconfig
// picks a substitute for a missing face, e.g. DejaVu Sans for "Tahoma"),
// metrics, TextOut, ExtTextOut and DrawText with its layout flags.
#include <QCoreApplication>
#include <QFontInfo>
#include <QScopeGuard>
#include <QTextLayout>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>

#include "platform/gdi/DeviceContext_p.h"
#include "platform/gdi/WinGdi.h"

namespace {

QString FontKey(const LOGFONT& L) {
  return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
      .arg(L.lfFaceName.toLower())
      .arg(L.lfHeight)
      .arg(L.lfWeight)
      .arg(int(L.lfItalic))
      .arg(int(L.lfUnderline))
      .arg(int(L.lfStrikeOut))
      .arg(L.lfEscapement)
      .arg(int(L.lfPitchAndFamily))
      .arg(L.lfWidth);
}

QFont BaseFont(const LOGFONT& L) {
  QString face = L.lfFaceName.isEmpty() ? QStringLiteral("Tahoma") : L.lfFaceName;
  QFont f(face);
  if ((L.lfPitchAndFamily & 3) == FIXED_PITCH) f.setStyleHint(QFont::Monospace);
  f.setWeight(QFont::Weight(std::clamp(L.lfWeight == FW_DONTCARE ? FW_NORMAL : L.lfWeight, 100, 900)));
  f.setItalic(L.lfItalic != 0);
  f.setUnderline(L.lfUnderline != 0);
  f.setStrikeOut(L.lfStrikeOut != 0);
  f.setKerning(false);
  // Text is drawn without smoothing, like the system's standard (non-ClearType) text.
  f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

}  // namespace

namespace {
std::map<QString, std::shared_ptr<const TFontInfo>>& FontCache() {
  static std::map<QString, std::shared_ptr<const TFontInfo>> cache;
  return cache;
}
// Resolved fonts are dropped with the application object, before Qt's font
// database goes.
void ClearFontCache() { FontCache().clear(); }
}  // namespace

std::shared_ptr<const TFontInfo> ResolveFont(const LOGFONT& Log) {
  auto& cache = FontCache();
  static const bool registered = [] {
    qAddPostRoutine(ClearFontCache);
    return true;
  }();
  (void)registered;
  QString key = FontKey(Log);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;

  auto info = std::make_shared<TFontInfo>();
  static std::atomic<uint64_t> serials{0};
  info->Serial = ++serials;
  info->Log = Log;
  info->SymbolFace = Log.lfFaceName.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
  QFont f = BaseFont(Log);
  int em;
  if (Log.lfHeight < 0) {
    em = -Log.lfHeight;
  } else if (Log.lfHeight > 0) {
    // A positive height is the cell height (ascent + descent).
    QFont probe = f;
    probe.setPixelSize(100);
    QFontMetrics m(probe);
    double ratio = (m.ascent() + m.descent()) / 100.0;
    em = std::max(1, int(std::lround(Log.lfHeight / (ratio > 0 ? ratio : 1.0))));
  } else {
    em = 13;
  }
  f.setPixelSize(std::max(1, em));
  info->Font = f;
  info->Upright = !f.italic() && !f.underline() && !f.strikeOut() && !f.overline();
  info->Metrics = std::make_unique<QFontMetrics>(f);
  const QFontMetrics& m = *info->Metrics;
  TEXTMETRIC& tm = info->Tm;
  tm.tmAscent = m.ascent();
  tm.tmDescent = m.descent();
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max(0, tm.tmHeight - em);
  tm.tmExternalLeading = std::max(0, m.leading());
  tm.tmAveCharWidth = m.averageCharWidth();
  tm.tmMaxCharWidth = m.maxWidth();
  tm.tmWeight = Log.lfWeight;
  tm.tmItalic = Log.lfItalic;
  tm.tmUnderlined = Log.lfUnderline;
  tm.tmStruckOut = Log.lfStrikeOut;
  tm.tmCharSet = Log.lfCharSet;
  tm.tmPitchAndFamily = QFontInfo(f).fixedPitch() ? 0 : 1;  // the system's bit 0 means variable pitch
  cache.emplace(key, info);
  return info;
}

namespace {

const TFontInfo* FontOf(HDC DC) { return DC && DC->S.Font ? DC->S.Font.get() : nullptr; }

// The "Symbol" face puts Greek letters and signs on the codes of Latin letters;
// the installed substitute has them at their Unicode places, so the text is
// translated for that face (codes without a known sign stay as they are).
QString FaceText(const TFontInfo& F, const QString& S) {
  if (!F.SymbolFace) return S;
  static const char16_t upper[26] = {0x391, 0x392, 0x3A7, 0x394, 0x395, 0x3A6, 0x393, 0x397, 0x399,
                                     0x3D1, 0x39A, 0x39B, 0x39C, 0x39D, 0x39F, 0x3A0, 0x398, 0x3A1,
                                     0x3A3, 0x3A4, 0x3A5, 0x3C2, 0x3A9, 0x39E, 0x3A8, 0x396};
  static const char16_t lower[26] = {0x3B1, 0x3B2, 0x3C7, 0x3B4, 0x3B5, 0x3C6, 0x3B3, 0x3B7, 0x3B9,
                                     0x3D5, 0x3BA, 0x3BB, 0x3BC, 0x3BD, 0x3BF, 0x3C0, 0x3B8, 0x3C1,
                                     0x3C3, 0x3C4, 0x3C5, 0x3D6, 0x3C9, 0x3BE, 0x3C8, 0x3B6};
  // 0xA1 .. 0xDF.
  static const char16_t high[63] = {
      0x3D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190,
      0x2191, 0x2192, 0x2193, 0xB0, 0xB1, 0x2033, 0x2265, 0xD7, 0x221D, 0x2202, 0x2022, 0xF7,
      0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118, 0x2297,
      0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, 0x2220,
      0x2207, 0xAE, 0xA9, 0x2122, 0x220F, 0x221A, 0x22C5, 0xAC, 0x2227, 0x2228, 0x21D4, 0x21D0,
      0x21D1, 0x21D2, 0x21D3};
  QString out = S;
  for (QChar& c : out) {
    char16_t u = c.unicode();
    if (u >= 'A' && u <= 'Z')
      c = QChar(upper[u - 'A']);
    else if (u >= 'a' && u <= 'z')
      c = QChar(lower[u - 'a']);
    else if (u >= 0xA1 && u <= 0xDF)
      c = QChar(high[u - 0xA1]);
    else if (u == 0x22)
      c = QChar(0x2200);
    else if (u == 0x24)
      c = QChar(0x2203);
    else if (u == 0x2D)
      c = QChar(0x2212);
    else if (u == 0xE5)
      c = QChar(0x2211);
  }
  return out;
}

int Advance(const TFontInfo& F, const QString& S) {
  if (S.isEmpty()) return 0;
  // Enough for the texts of several screens of cells.
  constexpr qsizetype kKept = 8192;
  if (auto it = F.Advances.constFind(S); it != F.Advances.cend()) return *it;
  if (F.Advances.size() >= kKept) F.Advances.clear();
  const int w = F.Metrics->horizontalAdvance(S);
  F.Advances.insert(S, w);
  return w;
}

// Draws S with the left end of its baseline at At, in the painter's pen and
// F's font (set on the painter). Plain upright text without decorations, on
// an unscaled image painter (not a printer's or a recording one) that is not
// set right-to-left, is shaped once and its glyphs drawn again (the same
// pixels as drawText); anything else is drawn by drawText.
void DrawShaped(QPainter* P, const TFontInfo& F, QPoint At, const QString& S) {
  bool plain = F.Upright && P->layoutDirection() != Qt::RightToLeft &&
               P->transform().type() <= QTransform::TxTranslate && P->paintEngine() != nullptr &&
               P->paintEngine()->type() == QPaintEngine::Raster;
  for (qsizetype i = 0; plain && i < S.size(); ++i) plain = S[i].unicode() >= 0x20;
  if (!plain) {
    P->drawText(At, S);
    return;
  }
  constexpr qsizetype kKept = 8192;
  auto it = F.Shaped.constFind(S);
  if (it == F.Shaped.cend()) {
    if (F.Shaped.size() >= kKept) F.Shaped.clear();
    QTextLayout layout(S, F.Font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setNumColumns(int(S.size()) + 1);
    layout.endLayout();
    it = F.Shaped.insert(S, {layout.glyphRuns(), line.ascent()});
  }
  const QPointF origin(At.x(), At.y() - it->Ascent);
  for (const QGlyphRun& run : it->Runs) P->drawGlyphRun(origin, run);
}

// The smallest rectangle holding every pixel of Image that is not fully
// transparent (empty for none).
QRect InkedArea(const QImage& Image) {
  int left = Image.width(), right = -1, top = Image.height(), bottom = -1;
  for (int y = 0; y < Image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(Image.constScanLine(y));
    for (int x = 0; x < Image.width(); ++x)
      if (qAlpha(line[x]) != 0) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Whether P draws F's lines from their images at all (see DrawWritten).
bool WritesFromImages(QPainter* P, const TFontInfo& F) {
  return F.Upright && P->layoutDirection() != Qt::RightToLeft && DrawsPixelForPixel(P);
}

// Draws the plain line S in Color with its top-left corner at (X, Y) from its
// written image (see TFontInfo::Written), clipped to Clip where its glyphs
// could reach beyond it. False, having drawn nothing, where the image would not
// give the very pixels of the glyphs: a decorated or slanted face, control
// characters, a painter that scales, turns, fades, writes right to left or is
// not a raster one on whole device pixels; and the first time a line is drawn,
// so that texts drawn once make no images. Known: S's entry, found already;
// Width: S's width where known, kept with the entry; Writes: the caller found
// that P writes F's lines from images already.
bool DrawWritten(QPainter* P, const TFontInfo& F, int X, int Y, QStringView S, const QColor& Color,
                 const QRect* Clip, TFontInfo::TWritten* Known = nullptr, int Width = -1, bool Writes = false) {
  if (S.isEmpty() || !(Writes || WritesFromImages(P, F))) return false;
  for (const QChar c : S)
    if (c.unicode() < 0x20) return false;
  if (Known == nullptr) {
    auto it = F.Written.find(S);
    if (it == F.Written.end()) {
      if (F.Written.size() >= TFontInfo::kWrittenKept) F.EmptyWritten();
      TFontInfo::TWritten& made = F.Written.try_emplace(S.toString()).first->second;
      made.Seen = true;
      made.Advance = Width;
      return false;
    }
    Known = &it->second;
  }
  TFontInfo::TWritten& w = *Known;
  if (w.Advance < 0) w.Advance = Width;
  // A text kept for its layout only is drawn directly this first time.
  if (!w.Seen) {
    w.Seen = true;
    return false;
  }
  const int hints = int(P->renderHints() & (QPainter::Antialiasing | QPainter::TextAntialiasing));
  const int ascent = F.Tm.tmAscent;
  if (!w.Made || w.Color != Color.rgba() || w.Hints != hints) {
    w.Made = true;
    const QString text = S.toString();
    // The line's box with a margin for glyphs that reach a little beyond it.
    const QRect area = F.Metrics->boundingRect(text).translated(0, ascent).adjusted(-2, -2, 2, 2);
    w.Image = QImage(std::max(1, area.width()), std::max(1, area.height()), QImage::Format_ARGB32_Premultiplied);
    w.Image.fill(Qt::transparent);
    w.Offset = area.topLeft();
    w.Color = Color.rgba();
    w.Hints = hints;
    {
      QPainter ip(&w.Image);
      ip.setRenderHints(QPainter::RenderHints(hints));
      ip.setFont(F.Font);
      ip.setPen(Color);
      DrawShaped(&ip, F, QPoint(-w.Offset.x(), ascent - w.Offset.y()), text);
    }
    // Kept down to the pixels the glyphs touched: a smaller copy, and a clip
    // only where those pixels reach beyond the rectangle.
    const QRect inked = InkedArea(w.Image);
    w.Image = inked.isEmpty() ? QImage() : w.Image.copy(inked);
    w.Offset += inked.topLeft();
    w.Ink = QRect(w.Offset, inked.size());
  }
  if (w.Ink.isEmpty()) return true;  // blanks only
  P->setCompositionMode(QPainter::CompositionMode_SourceOver);
  // Where glyphs reach beyond the clip, only the part of the image inside it
  // is copied (on whole pixels unscaled, the same as clipping).
  const QRect at = w.Ink.translated(X, Y);
  if (Clip != nullptr && !Clip->contains(at)) {
    const QRect part = at.intersected(*Clip);
    if (!part.isEmpty()) P->drawImage(part.topLeft(), w.Image, part.translated(-at.topLeft()));
  } else {
    P->drawImage(at.topLeft(), w.Image);
  }
  return true;
}

// One line of text to draw: the text, the position of the character to
// underline (the accelerator, -1 for none).
struct TextLine {
  QString Text;
  int Underline = -1;
};

// Width of a line; tabs advance to the next multiple of TabWidth when TabWidth > 0.
int LineWidth(const TFontInfo& F, const QString& S, int TabWidth) {
  if (TabWidth <= 0 || !S.contains(QLatin1Char('\t'))) return Advance(F, S);
  int pos = 0;
  int start = 0;
  for (int i = 0; i <= S.size(); ++i) {
    if (i == S.size() || S[i] == QLatin1Char('\t')) {
      pos += Advance(F, S.mid(start, i - start));
      if (i < S.size()) pos = (pos / TabWidth + 1) * TabWidth;
      start = i + 1;
    }
  }
  return pos;
}

// Draws a line with its cell's top-left at (X, Y): the background of the cell
// when Opaque, the text in the context's text colour, and the accelerator's underline.
void DrawLine(HDC DC, QPainter* P, const TFontInfo& F, int X, int Y, const TextLine& L, int TabWidth,
              bool Opaque, bool PrefixOnly) {
  const TEXTMETRIC& tm = F.Tm;
  QColor text = QColorOf(DC->S.TextColor);
  P->setCompositionMode(QPainter::CompositionMode_SourceOver);
  P->setFont(F.Font);
  P->setPen(text);
  int width = LineWidth(F, L.Text, TabWidth);
  if (Opaque && !PrefixOnly && width > 0) P->fillRect(QRect(X, Y, width, tm.tmHeight), QColorOf(DC->S.BkColor));
  int pos = 0, start = 0;
  const QString& s = L.Text;
  for (int i = 0; i <= s.size(); ++i) {
    bool tab = i < s.size() && TabWidth > 0 && s[i] == QLatin1Char('\t');
    if (i == s.size() || tab) {
      QString seg = s.mid(start, i - start);
      if (!seg.isEmpty() && !PrefixOnly) DrawShaped(P, F, QPoint(X + pos, Y + tm.tmAscent), seg);
      if (L.Underline >= start && L.Underline < i) {
        int ux = X + pos + Advance(F, seg.left(L.Underline - start));
        int uw = Advance(F, seg.mid(L.Underline - start, 1));
        int uy = Y + tm.tmAscent + std::max(1, F.Metrics->underlinePos());
        P->fillRect(QRect(ux, uy, std::max(1, uw), std::max(1, F.Metrics->lineWidth())), text);
      }
      pos += Advance(F, seg);
      if (tab) pos = (pos / TabWidth + 1) * TabWidth;
      start = i + 1;
    }
  }
}

// Removes the accelerator marks: "&x" underlines x, "&&" is a plain "&".
TextLine StripPrefix(const QString& S, bool Keep) {
  TextLine r;
  if (Keep) {
    r.Text = S;
    return r;
  }
  r.Text.reserve(S.size());
  for (int i = 0; i < S.size(); ++i) {
    if (S[i] == QLatin1Char('&')) {
      if (i + 1 < S.size() && S[i + 1] == QLatin1Char('&')) {
        r.Text += QLatin1Char('&');
        ++i;
        continue;
      }
      if (i + 1 < S.size()) r.Underline = int(r.Text.size());
      continue;
    }
    r.Text += S[i];
  }
  return r;
}

// Greedy word wrap within MaxWidth: lines break at spaces (the spaces at a break
// vanish); a word wider than the line stays whole on its own line unless
// BreakWords, which cuts it between characters.
std::vector<TextLine> WrapParagraph(const TFontInfo& F, const TextLine& P, int MaxWidth, int TabWidth,
                                    bool BreakWords) {
  std::vector<TextLine> out;
  const QString& s = P.Text;
  auto emitLine = [&](int start, int end) {
    TextLine l;
    l.Text = s.mid(start, end - start);
    if (P.Underline >= start && P.Underline < end) l.Underline = P.Underline - start;
    out.push_back(l);
  };
  auto isSpace = [&](int i) { return s[i] == QLatin1Char(' '); };
  int n = int(s.size());
  int lineStart = 0;
  int lineEnd = -1;  // end of the last word on the line; -1 while the line is empty
  int i = 0;
  while (i < n) {
    // Next word: [ws, we), preceded by spaces from i.
    int ws = i;
    while (ws < n && isSpace(ws)) ++ws;
    if (ws == n) break;
    int we = ws;
    while (we < n && !isSpace(we)) ++we;
    if (lineEnd < 0) {
      // First word of the line (leading spaces of the paragraph kept on its first line).
      int from = out.empty() ? lineStart : ws;
      lineStart = from;
      if (BreakWords && LineWidth(F, s.mid(from, we - from), TabWidth) > MaxWidth) {
        int k = from;
        while (k < we) {
          int e = k + 1;
          while (e < we && LineWidth(F, s.mid(k, e + 1 - k), TabWidth) <= MaxWidth) ++e;
          if (e >= we) {
            lineStart = k;
            break;
          }
          emitLine(k, e);
          k = e;
          lineStart = k;
        }
        if (k >= we) {
          lineEnd = -1;
          i = we;
          continue;
        }
      }
      lineEnd = we;
      i = we;
      continue;
    }
    if (LineWidth(F, s.mid(lineStart, we - lineStart), TabWidth) <= MaxWidth) {
      lineEnd = we;
      i = we;
      continue;
    }
    emitLine(lineStart, lineEnd);
    lineEnd = -1;
    lineStart = ws;
    i = ws;
  }
  if (lineEnd >= 0)
    emitLine(lineStart, lineEnd);
  else if (out.empty())
    emitLine(0, 0);
  return out;
}

// Shortens a line to MaxWidth with "..." at its end (or, for a path, in its middle).
void Ellipsize(const TFontInfo& F, TextLine& L, int MaxWidth, int TabWidth, bool Path) {
  if (LineWidth(F, L.Text, TabWidth) <= MaxWidth) return;
  const QString dots = QStringLiteral("...");
  if (Path) {
    int sep = std::max(int(L.Text.lastIndexOf(QLatin1Char('\\'))), int(L.Text.lastIndexOf(QLatin1Char('/'))));
    if (sep > 0) {
      QString tail = L.Text.mid(sep);
      for (int k = sep - 1; k >= 0; --k) {
        QString cand = L.Text.left(k) + dots + tail;
        if (LineWidth(F, cand, TabWidth) <= MaxWidth || k == 0) {
          if (LineWidth(F, cand, TabWidth) > MaxWidth) break;  // not even the name fits: cut at the end
          if (L.Underline >= k) L.Underline = L.Underline >= sep ? L.Underline - sep + k + 3 : -1;
          L.Text = cand;
          return;
        }
      }
    }
  }
  int k = int(L.Text.size());
  while (k > 0 && LineWidth(F, L.Text.left(k) + dots, TabWidth) > MaxWidth) --k;
  if (L.Underline >= k) L.Underline = -1;
  L.Text = L.Text.left(k) + dots;
}

// The lines S is drawn in with Format within MaxW pixels: paragraphs at line
// breaks (one line for DT_SINGLELINE), each wrapped for DT_WORDBREAK, the
// accelerator marks taken out unless DT_NOPREFIX (their underline dropped for
// DT_HIDEPREFIX), and shortened for the ellipsis flags.
std::vector<TextLine> LayOut(const TFontInfo& F, const QString& S, UINT Format, int MaxW, int TabW) {
  const bool noPrefix = Format & DT_NOPREFIX;
  std::vector<TextLine> lines;
  const bool breaks = S.contains(QLatin1Char('\n')) || S.contains(QLatin1Char('\r'));
  if (Format & DT_SINGLELINE) {
    QString one = S;
    if (breaks) {
      one.remove(QLatin1Char('\r'));
      one.remove(QLatin1Char('\n'));
    }
    lines.push_back(StripPrefix(one, noPrefix));
  } else {
    QString norm = S;
    if (breaks) {
      norm.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      norm.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    const QStringList paras = breaks ? norm.split(QLatin1Char('\n')) : QStringList{norm};
    for (const QString& p : paras) {
      TextLine tl = StripPrefix(p, noPrefix);
      if (Format & DT_WORDBREAK) {
        auto wrapped = WrapParagraph(F, tl, MaxW, TabW, Format & DT_EDITCONTROL);
        lines.insert(lines.end(), wrapped.begin(), wrapped.end());
      } else {
        lines.push_back(tl);
      }
    }
  }
  if (Format & DT_HIDEPREFIX)
    for (auto& l : lines) l.Underline = -1;
  if (Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
    for (auto& l : lines) Ellipsize(F, l, MaxW, TabW, Format & DT_PATH_ELLIPSIS);
  return lines;
}

// Keeps in Place what was drawn there: the text S in F's font and Color in R
// with Format, answered by Result, in Lines.
void KeepPlace(TTextPlace& Place, const TFontInfo& F, COLORREF Color, const TRect& R, UINT Format, const QString& S,
               int Result, const std::vector<TTextPlace::TLine>& Lines) {
  Place.Font = F.Serial;
  Place.Generation = F.WrittenGeneration;
  Place.R = R;
  Place.Format = Format;
  Place.Color = Color;
  Place.Result = Result;
  Place.Length = int(S.size());
  std::memcpy(Place.Text, S.constData(), size_t(S.size()) * sizeof(char16_t));
  Place.Lines = int(Lines.size());
  std::copy(Lines.begin(), Lines.end(), Place.Line);
}

}  // namespace

// What a text was laid out in (see TFontInfo::TWritten).
struct TFontInfo::TLaidOut {
  UINT Flags = 0;
  int Width = 0, TabWidth = 0;
  std::vector<TextLine> Lines;
};

int DrawTextImpl(HDC DC, const QString& Text, int Count, TRect& R, UINT Format, DRAWTEXTPARAMS* Params,
                 QString* Shown, TTextPlace* Place) {
  const TFontInfo* F = FontOf(DC);
  if (!F) return 0;
  if (DC->Recorder && !(Format & DT_CALCRECT)) {
    TDrawRecord r = StateRecord(DC, dkText);
    r.R = R;
    r.Text = Count < 0 ? Text : Text.left(Count);
    r.Flags = Format;
    Record(DC, std::move(r));
  }
  // A place is kept only for the whole text, not translated, whose lines were
  // all drawn from their images (see below): the same text drawn there the
  // same way again goes to the same positions from the same entries.
  if (Place != nullptr && (Count >= 0 || F->SymbolFace || Params != nullptr || Shown != nullptr))
    Place = nullptr;
  if (Place != nullptr && Place->Font == F->Serial && Place->Generation == F->WrittenGeneration &&
      Place->Format == Format && Place->R == R && Place->Color == DC->S.TextColor && DC->S.BkMode != OPAQUE &&
      Place->Length == Text.size() &&
      std::memcmp(Place->Text, Text.constData(), size_t(Place->Length) * sizeof(char16_t)) == 0) {
    // Every line of a kept place was drawn from its image: with the painter
    // and font still drawing from images, each one is again.
    QPainter* p = DC->Painter();
    if (p != nullptr && WritesFromImages(p, *F)) {
      const QRect clip(R.Left, R.Top, R.Width(), R.Height());
      const QColor color = QColorOf(DC->S.TextColor);
      for (int i = 0; i < Place->Lines; ++i) {
        const TTextPlace::TLine& l = Place->Line[i];
        DrawWritten(p, *F, l.X, l.Y, QStringView(Text).mid(l.Start, l.Count), color,
                    (Format & DT_NOCLIP) ? nullptr : &clip, static_cast<TFontInfo::TWritten*>(l.Kept), -1, true);
      }
      return Place->Result;
    }
  }
  // The text itself unless it is cut or translated (no copy to keep).
  QString faced;
  if (Count >= 0 || F->SymbolFace) faced = FaceText(*F, Count < 0 ? Text : Text.left(Count));
  const QString& s = Count >= 0 || F->SymbolFace ? faced : Text;
  const TEXTMETRIC& tm = F->Tm;
  int lineH = tm.tmHeight + ((Format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  int tabChars = (Params && Params->iTabLength > 0) ? Params->iTabLength : 8;
  int tabW = (Format & DT_EXPANDTABS) ? tabChars * std::max(1, tm.tmAveCharWidth) : 0;
  int lm = Params ? Params->iLeftMargin : 0, rm = Params ? Params->iRightMargin : 0;
  int x0 = R.Left + lm, x1 = R.Right - rm;
  int maxW = x1 - x0;
  bool single = Format & DT_SINGLELINE;
  bool calc = Format & DT_CALCRECT;
  bool noPrefix = Format & DT_NOPREFIX;
  // Where a line of width W starts, and where the line of a single-line text is.
  const auto lineLeft = [&](int W) {
    return (Format & DT_CENTER) ? x0 + (maxW - W) / 2 : (Format & DT_RIGHT) ? x1 - W : x0;
  };
  const int top = !single ? R.Top
                  : (Format & DT_VCENTER) ? R.Top + (R.Height() - lineH) / 2
                  : (Format & DT_BOTTOM)  ? R.Bottom - lineH
                                          : R.Top;

  // The rectangle text is clipped to (none for DT_NOCLIP), and the text colour.
  const QRect clip(R.Left, R.Top, R.Width(), R.Height());
  const QRect* textClip = (Format & DT_NOCLIP) ? nullptr : &clip;
  const QColor color = QColorOf(DC->S.TextColor);

  // What is kept of this text (its width, image and layout), looked up once.
  const auto found = F->Written.find(s);
  TFontInfo::TWritten* kept = found != F->Written.end() ? &found->second : nullptr;
  // The layout this text was given last time, where it still holds.
  const UINT layoutFlags = Format & (DT_SINGLELINE | DT_NOPREFIX | DT_HIDEPREFIX | DT_WORDBREAK | DT_EDITCONTROL |
                                     DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
  const auto keptLayout = [&]() -> std::shared_ptr<const TFontInfo::TLaidOut> {
    if (kept != nullptr && kept->Layout != nullptr && kept->Layout->Flags == layoutFlags &&
        kept->Layout->Width == maxW && kept->Layout->TabWidth == tabW)
      return kept->Layout;
    return nullptr;
  };
  // A text wrapped on several lines before (a grid's cell too wide for its
  // column) is not tried as one line again.
  std::shared_ptr<const TFontInfo::TLaidOut> laidOut;
  if (!single && (Format & DT_WORDBREAK) && !calc) laidOut = keptLayout();
  const bool severalLines = laidOut != nullptr && laidOut->Lines.size() > 1;

  // A plain text that stays one line as it stands (a grid's cell, usually):
  // drawn from its written image without laying it out.
  bool triedWritten = false;
  if (!calc && !severalLines && Params == nullptr && Shown == nullptr && !s.isEmpty() &&
      DC->S.BkMode != OPAQUE && !(Format & (DT_RTLREADING | DT_PREFIXONLY)) &&
      (noPrefix || !s.contains(QLatin1Char('&')))) {
    bool plain = true;
    for (const QChar c : s) plain = plain && c.unicode() >= 0x20;
    const int w = plain && kept != nullptr && kept->Advance >= 0 ? kept->Advance : plain ? Advance(*F, s) : 0;
    const bool fits = w <= maxW;
    const bool ellipsis = Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
    // Word wrap keeps a text that fits on one line, less its trailing blanks.
    const bool asItStands = single || !(Format & DT_WORDBREAK) || (fits && !s.endsWith(QLatin1Char(' ')));
    QPainter* p = plain && asItStands && (fits || !ellipsis) ? DC->Painter() : nullptr;
    if (p != nullptr) {
      triedWritten = true;
      // Without an entry, drawing makes one (and may empty the table first).
      if (DrawWritten(p, *F, lineLeft(w), top, s, color, textClip, kept, w)) {
        const int result = single && (Format & (DT_VCENTER | DT_BOTTOM)) ? top - R.Top + lineH : lineH;
        if (Place != nullptr && kept != nullptr && s.size() <= TTextPlace::kLength)
          KeepPlace(*Place, *F, DC->S.TextColor, R, Format, s, result, {{lineLeft(w), top, 0, int(s.size()), kept}});
        return result;
      }
    }
  }

  // Paragraphs, lines: as laid out before, when nothing they depend on changed.
  if (laidOut == nullptr && kept != nullptr) laidOut = keptLayout();
  if (laidOut == nullptr) {
    auto laid = std::make_shared<TFontInfo::TLaidOut>();
    laid->Flags = layoutFlags;
    laid->Width = maxW;
    laid->TabWidth = tabW;
    laid->Lines = LayOut(*F, s, Format, maxW, tabW);
    if (F->Written.size() >= TFontInfo::kWrittenKept && F->Written.find(s) == F->Written.end())
      F->EmptyWritten();
    F->Written[s].Layout = laid;
    laidOut = std::move(laid);
  }
  const std::vector<TextLine>& lines = laidOut->Lines;
  if (Shown && single) *Shown = lines.front().Text;
  if (Params) Params->uiLengthDrawn = UINT(s.size());

  int total = s.isEmpty() && !single ? 0 : int(lines.size()) * lineH;

  if (calc) {
    int widest = 0;
    for (const auto& l : lines) widest = std::max(widest, LineWidth(*F, l.Text, tabW));
    R.Right = R.Left + lm + widest + rm;
    R.Bottom = R.Top + total;
    return total;
  }

  int result = (single && (Format & (DT_VCENTER | DT_BOTTOM))) ? top - R.Top + lineH : total;
  if (s.isEmpty()) return result;

  QPainter* p = DC->Painter();
  if (!p) return result;
  bool opaque = DC->S.BkMode == OPAQUE;
  // The painter is clipped (and set right to left) for the lines drawn
  // directly, from the first of them on; a line from its image copies only
  // what lies inside the rectangle.
  bool prepared = false;
  const auto prepare = [&] {
    if (prepared) return;
    prepared = true;
    p->save();
    if (textClip != nullptr) p->setClipRect(clip, Qt::IntersectClip);
    if (Format & DT_RTLREADING) p->setLayoutDirection(Qt::RightToLeft);
  };
  const auto restore = qScopeGuard([&] {
    if (prepared) p->restore();
  });
  if (Format & DT_RTLREADING) prepare();
  // A place keeps the lines of a short text without accelerators or ellipsis
  // when each came from its image (and the table kept every entry meanwhile).
  std::vector<TTextPlace::TLine> placed;
  const uint32_t generation = F->WrittenGeneration;
  bool placing = Place != nullptr && s.size() <= TTextPlace::kLength && (Format & DT_NOPREFIX) &&
                 !(Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS));
  int y = top, from = 0;
  for (size_t i = 0; i < lines.size(); ++i, y += lineH) {
    if ((Format & DT_EDITCONTROL) && i > 0 && y + lineH > R.Bottom) break;
    const TextLine& l = lines[i];
    // A left-aligned line needs no width.
    const int x = (Format & (DT_CENTER | DT_RIGHT)) ? lineLeft(LineWidth(*F, l.Text, tabW)) : x0;
    // A plain line drawn before comes from its image; a text tried for its
    // image above was not drawn before.
    if (!opaque && l.Underline < 0 && !(Format & DT_PREFIXONLY) && !(triedWritten && lines.size() == 1)) {
      const auto found = placing ? F->Written.find(l.Text) : F->Written.end();
      TFontInfo::TWritten* entry = found != F->Written.end() ? &found->second : nullptr;
      const bool seen = entry != nullptr && entry->Seen;
      if (DrawWritten(p, *F, x, y, l.Text, color, textClip, entry)) {
        const int start = placing ? int(s.indexOf(l.Text, from)) : -1;
        placing = placing && seen && start >= 0 && placed.size() < size_t(TTextPlace::kLines);
        if (placing) {
          placed.push_back({x, y, start, int(l.Text.size()), entry});
          from = start + int(l.Text.size());
        }
        continue;
      }
    }
    placing = false;
    prepare();
    DrawLine(DC, p, *F, x, y, l, tabW, opaque, Format & DT_PREFIXONLY);
  }
  if (placing && !placed.empty() && F->WrittenGeneration == generation)
    KeepPlace(*Place, *F, DC->S.TextColor, R, Format, s, result, placed);
  return result;
}

int DrawText(HDC DC, const QString& Text, int Count, TRect& R, UINT Format) {
  return DrawTextImpl(DC, Text, Count, R, Format, nullptr, nullptr);
}
int DrawText(HDC DC, const QString& Text, int Count, const TRect& R, UINT Format) {
  TRect r = R;
  return DrawTextImpl(DC, Text, Count, r, Format, nullptr, nullptr);
}
int DrawTextPlaced(HDC DC, const QString& Text, TRect& R, UINT Format, TTextPlace& Place) {
  return DrawTextImpl(DC, Text, -1, R, Format, nullptr, nullptr, &Place);
}

int DrawTextEx(HDC DC, const QString& Text, int Count, TRect& R, UINT Format, DRAWTEXTPARAMS* Params) {
  return DrawTextImpl(DC, Text, Count, R, Format, Params, nullptr);
}
int DrawTextEx(HDC DC, const QString& Text, int Count, const TRect& R, UINT Format, DRAWTEXTPARAMS* Params) {
  TRect r = R;
  return DrawTextImpl(DC, Text, Count, r, Format, Params, nullptr);
}

BOOL ExtTextOut(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const QString& Text, int Count,
                const int* Dx) {
  const TFontInfo* F = FontOf(DC);
  if (!F) return false;
  if (DC->Recorder) {
    TDrawRecord r = StateRecord(DC, dkText);
    r.P1 = TPoint(X, Y);
    if (Rect) r.R = *Rect;
    r.Text = Count < 0 ? Text : Text.left(Count);
    Record(DC, std::move(r));
  }
  QString s = FaceText(*F, Count < 0 ? Text : Text.left(Count));
  const TEXTMETRIC& tm = F->Tm;
  UINT align = DC->S.TextAlign;
  if (align & TA_UPDATECP) {
    X = DC->S.PenPos.X;
    Y = DC->S.PenPos.Y;
  }
  int width = 0;
  if (Dx)
    for (int i = 0; i < s.size(); ++i) width += Dx[i];
  else
    width = Advance(*F, s);
  if (align & TA_UPDATECP) DC->S.PenPos.X += width;

  QPainter* p = DC->Painter();
  if (!p) return true;
  p->save();
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (Rect && (Options & ETO_OPAQUE))
    p->fillRect(QRect(Rect->Left, Rect->Top, Rect->Width(), Rect->Height()), QColorOf(DC->S.BkColor));
  if (Rect && (Options & ETO_CLIPPED))
    p->setClipRect(QRect(Rect->Left, Rect->Top, Rect->Width(), Rect->Height()), Qt::IntersectClip);
  if (Options & ETO_RTLREADING) p->setLayoutDirection(Qt::RightToLeft);
  // The reference point, then the cell's top-left relative to it.
  int ox = 0, oy = 0;
  UINT h = align & TA_CENTER;
  if (h == TA_RIGHT)
    ox = -width;
  else if (h == TA_CENTER)
    ox = -width / 2;
  UINT v = align & TA_BASELINE;
  if (v == TA_BASELINE)
    oy = -tm.tmAscent;
  else if (v == TA_BOTTOM)
    oy = -tm.tmHeight;
  p->translate(X, Y);
  if (F->Log.lfEscapement != 0) p->rotate(-F->Log.lfEscapement / 10.0);
  p->setFont(F->Font);
  p->setPen(QColorOf(DC->S.TextColor));
  if (DC->S.BkMode == OPAQUE && width > 0) p->fillRect(QRect(ox, oy, width, tm.tmHeight), QColorOf(DC->S.BkColor));
  if (Dx) {
    int x = ox;
    for (int i = 0; i < s.size(); ++i) {
      p->drawText(QPoint(x, oy + tm.tmAscent), QString(s[i]));
      x += Dx[i];
    }
  } else if (!s.isEmpty()) {
    p->drawText(QPoint(ox, oy + tm.tmAscent), s);
  }
  p->restore();
  return true;
}

BOOL TextOut(HDC DC, int X, int Y, const QString& Text, int Count) {
  return ExtTextOut(DC, X, Y, 0, nullptr, Text, Count, nullptr);
}

BOOL GetTextExtentPoint32(HDC DC, const QString& Text, int Count, TSize* Out) {
  const TFontInfo* F = FontOf(DC);
  if (!F || !Out) return false;
  QString s = FaceText(*F, Count < 0 ? Text : Text.left(Count));
  *Out = TSize(Advance(*F, s), F->Tm.tmHeight);
  return true;
}
BOOL GetTextExtentPoint(HDC DC, const QString& Text, int Count, TSize* Out) {
  return GetTextExtentPoint32(DC, Text, Count, Out);
}

BOOL GetTextMetrics(HDC DC, TEXTMETRIC* Out) {
  const TFontInfo* F = FontOf(DC);
  if (!F || !Out) return false;
  *Out = F->Tm;
  return true;
}

int GetTextFace(HDC DC, QString* Out) {
  const TFontInfo* F = FontOf(DC);
  if (!F) return 0;
  QString face = F->Log.lfFaceName;
  if (Out) *Out = face;
  return int(face.size()) + 1;
}
