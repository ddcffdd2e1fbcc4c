// Drawing on device contexts: lines and shapes with the pen and brush, pixels
// and flood fill, rectangles and regions filled or framed, blits and raster operations.
#include "platform/gdi/WinGdi.h"

#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/DeviceContext_p.h"

// ------------------------------------------------------------ pen drawing

QPainter::CompositionMode CompositionOfRop2(int Rop2, COLORREF& Color, bool& Skip) {
  Skip = false;
  switch (Rop2) {
    case R2_BLACK: Color = 0; return QPainter::CompositionMode_Source;
    case R2_WHITE: Color = 0xFFFFFF; return QPainter::CompositionMode_Source;
    case R2_NOP: Skip = true; return QPainter::CompositionMode_SourceOver;
    case R2_NOT: return QPainter::RasterOp_NotDestination;
    case R2_XORPEN: return QPainter::RasterOp_SourceXorDestination;
    case R2_NOTXORPEN: return QPainter::RasterOp_NotSourceXorDestination;
    case R2_MERGEPEN: return QPainter::RasterOp_SourceOrDestination;
    case R2_MASKPEN: return QPainter::RasterOp_SourceAndDestination;
    case R2_NOTCOPYPEN: return QPainter::RasterOp_NotSource;
    case R2_MASKNOTPEN: return QPainter::RasterOp_NotSourceAndDestination;
    case R2_MERGENOTPEN: return QPainter::RasterOp_NotSourceOrDestination;
    case R2_MASKPENNOT: return QPainter::RasterOp_SourceAndNotDestination;
    case R2_MERGEPENNOT: return QPainter::RasterOp_SourceOrNotDestination;
    case R2_NOTMERGEPEN: return QPainter::RasterOp_NotSourceAndNotDestination;
    case R2_NOTMASKPEN: return QPainter::RasterOp_NotSourceOrNotDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

QBrush QBrushOf(const LOGBRUSH& B, const QImage& Pattern) {
  switch (B.lbStyle) {
    case BS_SOLID: return QBrush(QColorOf(B.lbColor));
    case BS_HATCHED: {
      static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::BDiagPattern,
                                               Qt::FDiagPattern, Qt::CrossPattern,
                                               Qt::DiagCrossPattern};
      int h = int(B.lbHatch);
      return QBrush(QColorOf(B.lbColor), h >= 0 && h <= 5 ? hatches[h] : Qt::SolidPattern);
    }
    case BS_PATTERN:
      return Pattern.isNull() ? QBrush() : QBrush(Pattern);
    default:
      return QBrush();
  }
}

namespace {

int PenStyle(const LOGPEN& P) { return int(P.lopnStyle & PS_STYLE_MASK); }
int PenWidth(const LOGPEN& P) { return std::max(1, P.lopnWidth.X); }
bool PenIsNull(const TDcState& S) { return PenStyle(S.Pen) == PS_NULL; }
// A wide pen is drawn by Qt's stroker; a pen of one pixel pixel by pixel.
bool PenIsWide(const LOGPEN& P) { return P.lopnWidth.X > 1; }

// Dash pattern of a one-pixel styled pen (on, off, on, off ...), empty when solid.
std::vector<int> DashPattern(int Style) {
  switch (Style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    default: return {};
  }
}

// Draws a path of single pixels (logical coordinates) with the pen of DC:
// its colour, raster operation and dash style (gaps in the background colour
// when the background mode is opaque). Consecutive pixels on one row or column
// are merged into runs.
class PixelPen {
 public:
  explicit PixelPen(HDC DC) : dc_(DC) {
    p_ = DC->Painter();
    color_ = DC->S.Pen.lopnColor;
    mode_ = CompositionOfRop2(DC->S.Rop2, color_, skip_);
    gapColor_ = DC->S.BkColor;
    bool dummy = false;
    CompositionOfRop2(DC->S.Rop2, gapColor_, dummy);
    dash_ = DashPattern(PenStyle(DC->S.Pen));
    opaqueGaps_ = DC->S.BkMode == OPAQUE;
    if (p_ && !skip_) p_->setCompositionMode(mode_);
  }
  ~PixelPen() {
    Flush();
    if (p_) p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  bool Active() const { return p_ && !skip_ && PenStyle(dc_->S.Pen) != PS_NULL; }

  void Plot(int X, int Y) {
    bool on = true;
    if (!dash_.empty()) {
      on = (dashIndex_ % 2) == 0;
      if (++dashCount_ >= dash_[dashIndex_]) {
        dashCount_ = 0;
        dashIndex_ = (dashIndex_ + 1) % int(dash_.size());
      }
      if (!on && !opaqueGaps_) {
        Flush();
        return;
      }
    }
    AddToRun(X, Y, on);
  }
  // Plots the line from (X0, Y0) to (X1, Y1) without its end point.
  void Line(int X0, int Y0, int X1, int Y1) {
    int dx = std::abs(X1 - X0), dy = std::abs(Y1 - Y0);
    int sx = X0 < X1 ? 1 : -1, sy = Y0 < Y1 ? 1 : -1;
    int steps = std::max(dx, dy);
    if (dx >= dy) {
      // x-major: y advances when the accumulated error passes half a step.
      int err = 2 * dy - dx;
      int y = Y0;
      for (int i = 0, x = X0; i < steps; ++i, x += sx) {
        Plot(x, y);
        if (err > 0) { y += sy; err -= 2 * dx; }
        err += 2 * dy;
      }
    } else {
      int err = 2 * dx - dy;
      int x = X0;
      for (int i = 0, y = Y0; i < steps; ++i, y += sy) {
        Plot(x, y);
        if (err > 0) { x += sx; err -= 2 * dy; }
        err += 2 * dx;
      }
    }
  }

 private:
  void AddToRun(int X, int Y, bool On) {
    if (haveRun_ && On == runOn_) {
      if (Y == runY0_ && runY1_ == runY0_ && (X == runX1_ + 1 || X == runX0_ - 1)) {
        runX0_ = std::min(runX0_, X);
        runX1_ = std::max(runX1_, X);
        return;
      }
      if (X == runX0_ && runX1_ == runX0_ && (Y == runY1_ + 1 || Y == runY0_ - 1)) {
        runY0_ = std::min(runY0_, Y);
        runY1_ = std::max(runY1_, Y);
        return;
      }
    }
    Flush();
    haveRun_ = true;
    runOn_ = On;
    runX0_ = runX1_ = X;
    runY0_ = runY1_ = Y;
  }
  void Flush() {
    if (!haveRun_) return;
    haveRun_ = false;
    if (!p_ || skip_) return;
    p_->fillRect(QRect(runX0_, runY0_, runX1_ - runX0_ + 1, runY1_ - runY0_ + 1),
                 QColorOf(runOn_ ? color_ : gapColor_));
  }

  HDC dc_;
  QPainter* p_ = nullptr;
  COLORREF color_ = 0, gapColor_ = 0;
  QPainter::CompositionMode mode_ = QPainter::CompositionMode_SourceOver;
  bool skip_ = false;
  bool opaqueGaps_ = false;
  std::vector<int> dash_;
  int dashIndex_ = 0, dashCount_ = 0;
  bool haveRun_ = false, runOn_ = true;
  int runX0_ = 0, runX1_ = 0, runY0_ = 0, runY1_ = 0;
};

// A Qt pen for the strokes that Qt draws (wide pens, curves).
QPen QPenOf(const TDcState& S, COLORREF Color, bool Square) {
  int style = PenStyle(S.Pen);
  if (style == PS_NULL) return QPen(Qt::NoPen);
  QPen pen(QColorOf(Color));
  int w = PenWidth(S.Pen);
  pen.setWidth(w);
  pen.setCosmetic(w <= 1);
  if (w <= 1) {
    switch (style) {
      case PS_DASH: pen.setStyle(Qt::DashLine); break;
      case PS_DOT: case PS_ALTERNATE: pen.setStyle(Qt::DotLine); break;
      case PS_DASHDOT: pen.setStyle(Qt::DashDotLine); break;
      case PS_DASHDOTDOT: pen.setStyle(Qt::DashDotDotLine); break;
      default: break;
    }
  }
  UINT cap = S.Pen.lopnStyle & PS_ENDCAP_MASK, join = S.Pen.lopnStyle & PS_JOIN_MASK;
  pen.setCapStyle(cap == PS_ENDCAP_FLAT ? Qt::FlatCap : cap == PS_ENDCAP_SQUARE ? Qt::SquareCap : Qt::RoundCap);
  pen.setJoinStyle(Square ? Qt::MiterJoin
                          : join == PS_JOIN_MITER ? Qt::MiterJoin
                                                  : join == PS_JOIN_BEVEL ? Qt::BevelJoin : Qt::RoundJoin);
  return pen;
}

// Prepares the painter for a Qt-drawn shape with the DC's pen and brush.
struct ShapeScope {
  QPainter* p = nullptr;
  bool skip = false;
  explicit ShapeScope(HDC DC, bool Square = false) {
    p = DC->Painter();
    if (!p) return;
    COLORREF pc = DC->S.Pen.lopnColor;
    auto mode = CompositionOfRop2(DC->S.Rop2, pc, skip);
    LOGBRUSH b = DC->S.Brush;
    bool dummy;
    CompositionOfRop2(DC->S.Rop2, b.lbColor, dummy);
    p->setCompositionMode(mode);
    p->setPen(QPenOf(DC->S, pc, Square));
    p->setBrush(QBrushOf(b, DC->S.BrushPattern));
    p->setBackgroundMode(DC->S.BkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    p->setBackground(QColorOf(DC->S.BkColor));
  }
  ~ShapeScope() {
    if (p) {
      p->setCompositionMode(QPainter::CompositionMode_SourceOver);
      p->setBackgroundMode(Qt::TransparentMode);
    }
  }
};

bool BrushIsNull(const TDcState& S) { return S.Brush.lbStyle == BS_NULL; }

}  // namespace

BOOL MoveToEx(HDC DC, int X, int Y, TPoint* Old) {
  if (!DC) return false;
  if (Old) *Old = DC->S.PenPos;
  DC->S.PenPos = TPoint(X, Y);
  return true;
}
BOOL GetCurrentPositionEx(HDC DC, TPoint* Out) {
  if (!DC || !Out) return false;
  *Out = DC->S.PenPos;
  return true;
}

static void StrokeLine(HDC DC, int X0, int Y0, int X1, int Y1) {
  if (PenIsNull(DC->S)) return;
  // A solid one-pixel line along a row or column (grid lines, cell edges): the
  // same pixels, the end point left out, in one fill.
  const int style = PenStyle(DC->S.Pen);
  if (!PenIsWide(DC->S.Pen) && (style == PS_SOLID || style == PS_INSIDEFRAME) && DC->S.Rop2 == R2_COPYPEN &&
      (X0 == X1 || Y0 == Y1)) {
    if (X0 == X1 && Y0 == Y1) return;
    QPainter* p = DC->Painter();
    if (!p) return;
    QRect run;
    if (Y0 == Y1)
      run = X0 < X1 ? QRect(X0, Y0, X1 - X0, 1) : QRect(X1 + 1, Y0, X0 - X1, 1);
    else
      run = Y0 < Y1 ? QRect(X0, Y0, 1, Y1 - Y0) : QRect(X0, Y1 + 1, 1, Y0 - Y1);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->fillRect(run, QColorOf(DC->S.Pen.lopnColor));
    return;
  }
  if (!PenIsWide(DC->S.Pen)) {
    PixelPen pen(DC);
    if (pen.Active()) pen.Line(X0, Y0, X1, Y1);
    return;
  }
  ShapeScope sc(DC);
  if (!sc.p || sc.skip) return;
  sc.p->drawLine(QPointF(X0 + 0.5, Y0 + 0.5), QPointF(X1 + 0.5, Y1 + 0.5));
}

BOOL LineTo(HDC DC, int X, int Y) {
  if (!DC) return false;
  if (DC->Recorder) {
    TDrawRecord r = StateRecord(DC, dkLine);
    r.P1 = DC->S.PenPos;
    r.P2 = TPoint(X, Y);
    Record(DC, std::move(r));
  }
  StrokeLine(DC, DC->S.PenPos.X, DC->S.PenPos.Y, X, Y);
  DC->S.PenPos = TPoint(X, Y);
  return true;
}

BOOL Polyline(HDC DC, const TPoint* Points, int Count) {
  if (!DC || Count < 2) return false;
  if (DC->Recorder)
    for (int i = 1; i < Count; ++i) {
      TDrawRecord r = StateRecord(DC, dkLine);
      r.P1 = Points[i - 1];
      r.P2 = Points[i];
      Record(DC, std::move(r));
    }
  if (PenIsWide(DC->S.Pen)) {
    ShapeScope sc(DC);
    if (sc.p && !sc.skip) {
      QPolygonF poly;
      for (int i = 0; i < Count; ++i) poly << QPointF(Points[i].X + 0.5, Points[i].Y + 0.5);
      sc.p->drawPolyline(poly);
    }
    return true;
  }
  PixelPen pen(DC);
  if (!pen.Active()) return true;
  for (int i = 1; i < Count; ++i) pen.Line(Points[i - 1].X, Points[i - 1].Y, Points[i].X, Points[i].Y);
  return true;
}

BOOL PolylineTo(HDC DC, const TPoint* Points, int Count) {
  if (!DC || Count < 1) return false;
  std::vector<TPoint> pts;
  pts.push_back(DC->S.PenPos);
  pts.insert(pts.end(), Points, Points + Count);
  Polyline(DC, pts.data(), int(pts.size()));
  DC->S.PenPos = Points[Count - 1];
  return true;
}

BOOL Polygon(HDC DC, const TPoint* Points, int Count) {
  if (!DC || Count < 2) return false;
  if (DC->Recorder) {
    TDrawRecord r = StateRecord(DC, dkPolygon);
    r.Points.assign(Points, Points + Count);
    Record(DC, std::move(r));
  }
  QPolygon poly;
  for (int i = 0; i < Count; ++i) poly << QPoint(Points[i].X, Points[i].Y);
  bool wide = PenIsWide(DC->S.Pen);
  {
    ShapeScope sc(DC);
    if (!sc.p || sc.skip) return true;
    Qt::FillRule rule = DC->S.PolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    if (!BrushIsNull(DC->S)) {
      QPen keep = sc.p->pen();
      sc.p->setPen(Qt::NoPen);
      sc.p->drawPolygon(poly, rule);
      sc.p->setPen(keep);
    }
    if (wide) {
      sc.p->setBrush(Qt::NoBrush);
      sc.p->drawPolygon(QPolygonF(poly).translated(0.5, 0.5), rule);
    }
  }
  if (!wide && !PenIsNull(DC->S)) {
    PixelPen pen(DC);
    if (pen.Active())
      for (int i = 0; i < Count; ++i) {
        const TPoint& a = Points[i];
        const TPoint& b = Points[(i + 1) % Count];
        pen.Line(a.X, a.Y, b.X, b.Y);
      }
  }
  return true;
}

BOOL Rectangle(HDC DC, int Left, int Top, int Right, int Bottom) {
  if (!DC) return false;
  if (Right < Left) std::swap(Left, Right);
  if (Bottom < Top) std::swap(Top, Bottom);
  int w = Right - Left, h = Bottom - Top;
  if (w <= 0 || h <= 0) return true;
  if (DC->Recorder) {
    TDrawRecord r = StateRecord(DC, dkRectangle);
    r.R = TRect(Left, Top, Right, Bottom);
    Record(DC, std::move(r));
  }
  const TDcState& S = DC->S;
  bool nullPen = PenIsNull(S);
  bool wide = PenIsWide(S.Pen);
  int pw = PenWidth(S.Pen);
  bool inside = PenStyle(S.Pen) == PS_INSIDEFRAME;
  // A solid box whose one-pixel outline has the colour of its inside (cell
  // backgrounds, gradient steps): the same pixels in one fill.
  if (!wide && (PenStyle(S.Pen) == PS_SOLID || inside) && S.Rop2 == R2_COPYPEN && S.Brush.lbStyle == BS_SOLID &&
      S.Brush.lbColor == S.Pen.lopnColor) {
    if (QPainter* p = DC->Painter()) {
      p->setCompositionMode(QPainter::CompositionMode_SourceOver);
      p->fillRect(QRect(Left, Top, w, h), QColorOf(S.Pen.lopnColor));
    }
    return true;
  }
  ShapeScope sc(DC, true);
  if (!sc.p || sc.skip) return true;
  // The inside: with a null pen the rectangle is one pixel smaller.
  if (!BrushIsNull(S)) {
    QRect in = nullPen ? QRect(Left, Top, w - 1, h - 1) : QRect(Left + 1, Top + 1, w - 2, h - 2);
    if (in.width() > 0 && in.height() > 0) sc.p->fillRect(in, sc.p->brush());
  }
  if (nullPen) return true;
  if (wide) {
    sc.p->setBrush(Qt::NoBrush);
    if (inside)
      sc.p->drawRect(QRectF(Left + pw / 2.0, Top + pw / 2.0, w - pw, h - pw));
    else
      sc.p->drawRect(QRectF(Left + 0.5, Top + 0.5, w - 1, h - 1));
    return true;
  }
  sc.p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  // One-pixel outline: top left to right, right side down, bottom right to left,
  // left side up, each pixel once.
  PixelPen pen(DC);
  if (!pen.Active()) return true;
  int r = Right - 1, b = Bottom - 1;
  for (int x = Left; x <= r; ++x) pen.Plot(x, Top);
  for (int y = Top + 1; y <= b; ++y) pen.Plot(r, y);
  if (b > Top)
    for (int x = r - 1; x >= Left; --x) pen.Plot(x, b);
  if (r > Left)
    for (int y = b - 1; y > Top; --y) pen.Plot(Left, y);
  return true;
}

namespace {
// Pixels cut from each end of every row of a w x h rounded rectangle whose corners
// are quarters of a cw x ch ellipse. A pixel belongs to the shape when its centre
// lies inside the corner ellipse; rows are mirrored top to bottom and each row is
// cut equally at both ends, so the four corners are exact mirror images.
std::vector<int> RoundRectInsets(int w, int h, int cw, int ch) {
  std::vector<int> inset(static_cast<std::size_t>(h), 0);
  cw = std::min(std::abs(cw), w);
  ch = std::min(std::abs(ch), h);
  if (cw < 2 || ch < 2) return inset;
  const double rx = cw / 2.0, ry = ch / 2.0;
  for (int y = 0; y < h; ++y) {
    const double dy = ry - (std::min(y, h - 1 - y) + 0.5);
    if (dy <= 0) continue;
    const double t = dy / ry;
    const double dx = rx * (1.0 - std::sqrt(std::max(0.0, 1.0 - t * t)));
    inset[static_cast<std::size_t>(y)] =
        std::clamp(static_cast<int>(std::ceil(dx - 0.5)), 0, (w - 1) / 2);
  }
  return inset;
}
}  // namespace

BOOL RoundRect(HDC DC, int Left, int Top, int Right, int Bottom, int W, int H) {
  if (!DC) return false;
  if (Right < Left) std::swap(Left, Right);
  if (Bottom < Top) std::swap(Top, Bottom);
  if (Right - Left <= 1 || Bottom - Top <= 1) return true;
  const TDcState& S = DC->S;
  if (PenIsWide(S.Pen)) {
    ShapeScope sc(DC);
    if (!sc.p || sc.skip) return true;
    sc.p->drawRoundedRect(QRectF(Left + 0.5, Top + 0.5, Right - Left - 1, Bottom - Top - 1),
                          std::abs(W) / 2.0, std::abs(H) / 2.0);
    return true;
  }
  // As with Rectangle, a null pen makes the shape one pixel smaller.
  const bool nullPen = PenIsNull(S);
  const int w = Right - Left - (nullPen ? 1 : 0);
  const int h = Bottom - Top - (nullPen ? 1 : 0);
  if (w <= 0 || h <= 0) return true;
  const std::vector<int> inset = RoundRectInsets(w, h, W, H);
  auto cut = [&](int y) { return y < 0 || y >= h ? w : inset[static_cast<std::size_t>(y)]; };
  // Per row: the outline run at each end (pixels with an outside neighbour),
  // the inside between them.
  auto outlineEnd = [&](int y) {
    if (nullPen) return cut(y) - 1;
    if (y == 0 || y == h - 1) return w - 1 - cut(y);
    return std::max(cut(y), std::max(cut(y - 1), cut(y + 1)) - 1);
  };
  ShapeScope sc(DC, true);
  if (!sc.p || sc.skip) return true;
  if (!BrushIsNull(S)) {
    for (int y = 0; y < h; ++y) {
      const int from = outlineEnd(y) + 1, to = w - 1 - from;  // inclusive
      if (to >= from) sc.p->fillRect(QRect(Left + from, Top + y, to - from + 1, 1), sc.p->brush());
    }
  }
  if (nullPen) return true;
  sc.p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  PixelPen pen(DC);
  if (!pen.Active()) return true;
  for (int y = 0; y < h; ++y) {
    const int a = cut(y), e = std::min(outlineEnd(y), w - 1 - a);
    for (int x = a; x <= e; ++x) pen.Plot(Left + x, Top + y);
    for (int x = std::max(w - 1 - e, e + 1); x <= w - 1 - a; ++x) pen.Plot(Left + x, Top + y);
  }
  return true;
}

BOOL Ellipse(HDC DC, int Left, int Top, int Right, int Bottom) {
  if (!DC) return false;
  if (Right < Left) std::swap(Left, Right);
  if (Bottom < Top) std::swap(Top, Bottom);
  if (Right - Left <= 1 || Bottom - Top <= 1) return true;
  ShapeScope sc(DC);
  if (!sc.p || sc.skip) return true;
  sc.p->drawEllipse(QRectF(Left + 0.5, Top + 0.5, Right - Left - 1, Bottom - Top - 1));
  return true;
}

namespace {
enum class ArcKind { Arc, Pie, Chord };
BOOL DrawArcShape(HDC DC, int L, int T, int R, int B, int X1, int Y1, int X2, int Y2, ArcKind Kind) {
  if (!DC) return false;
  if (R < L) std::swap(L, R);
  if (B < T) std::swap(T, B);
  if (R - L <= 1 || B - T <= 1) return true;
  QRectF box(L + 0.5, T + 0.5, R - L - 1, B - T - 1);
  double cx = (L + R) / 2.0, cy = (T + B) / 2.0;
  // Angles as Qt counts them: counter-clockwise from three o'clock, on screen.
  double a1 = std::atan2(-(Y1 - cy), X1 - cx) * 180.0 / M_PI;
  double a2 = std::atan2(-(Y2 - cy), X2 - cx) * 180.0 / M_PI;
  double span = a2 - a1;
  while (span <= 0) span += 360.0;
  int start = int(std::lround(a1 * 16)), sweep = int(std::lround(span * 16));
  ShapeScope sc(DC);
  if (!sc.p || sc.skip) return true;
  switch (Kind) {
    case ArcKind::Arc: sc.p->drawArc(box, start, sweep); break;
    case ArcKind::Pie: sc.p->drawPie(box, start, sweep); break;
    case ArcKind::Chord: sc.p->drawChord(box, start, sweep); break;
  }
  return true;
}
}  // namespace

BOOL Arc(HDC DC, int L, int T, int R, int B, int X1, int Y1, int X2, int Y2) {
  return DrawArcShape(DC, L, T, R, B, X1, Y1, X2, Y2, ArcKind::Arc);
}
BOOL Pie(HDC DC, int L, int T, int R, int B, int X1, int Y1, int X2, int Y2) {
  return DrawArcShape(DC, L, T, R, B, X1, Y1, X2, Y2, ArcKind::Pie);
}
BOOL Chord(HDC DC, int L, int T, int R, int B, int X1, int Y1, int X2, int Y2) {
  return DrawArcShape(DC, L, T, R, B, X1, Y1, X2, Y2, ArcKind::Chord);
}

// ------------------------------------------------------------------ pixels

COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color) {
  if (!DC) return CLR_INVALID;
  QPoint d = DC->ToDevice(X, Y);
  if (!DC->PixelVisible(d)) return CLR_INVALID;
  if (QImage* img = DC->Image()) {
    img->setPixel(d, RgbOf(Color));
    DC->Drawn();
    return ColorRefOf(img->pixel(d));
  }
  if (QPainter* p = DC->Painter()) p->fillRect(QRect(X, Y, 1, 1), QColorOf(Color));
  return Color & 0xFFFFFF;
}
BOOL SetPixelV(HDC DC, int X, int Y, COLORREF Color) { return SetPixel(DC, X, Y, Color) != CLR_INVALID; }

COLORREF GetPixel(HDC DC, int X, int Y) {
  if (!DC || !DC->Image()) return CLR_INVALID;
  QPoint d = DC->ToDevice(X, Y);
  if (!DC->PixelVisible(d)) return CLR_INVALID;
  return ColorRefOf(DC->Image()->pixel(d));
}

BOOL ExtFloodFill(HDC DC, int X, int Y, COLORREF Color, UINT Type) {
  if (!DC || !DC->Image()) return false;
  QImage& img = *DC->Image();
  QPoint start = DC->ToDevice(X, Y);
  if (!DC->PixelVisible(start)) return false;
  QRgb key = RgbOf(Color) & 0xFFFFFF;
  auto at = [&](int x, int y) { return img.pixel(x, y) & 0xFFFFFF; };
  auto inside = [&](int x, int y) {
    bool same = at(x, y) == key;
    return Type == FLOODFILLSURFACE ? same : !same;
  };
  if (!inside(start.x(), start.y())) return false;
  QRegion vis = DC->DrawableRegion();
  QRect bounds = vis.boundingRect();
  int w = img.width();
  std::vector<uint8_t> seen(size_t(w) * img.height(), 0);
  std::vector<QPoint> stack{start};
  QRegion fill;
  std::vector<QRect> spans;
  while (!stack.empty()) {
    QPoint p = stack.back();
    stack.pop_back();
    int y = p.y();
    if (seen[size_t(y) * w + p.x()]) continue;
    int x0 = p.x(), x1 = p.x();
    while (x0 - 1 >= bounds.left() && vis.contains(QPoint(x0 - 1, y)) && !seen[size_t(y) * w + x0 - 1] &&
           inside(x0 - 1, y))
      --x0;
    while (x1 + 1 <= bounds.right() && vis.contains(QPoint(x1 + 1, y)) && !seen[size_t(y) * w + x1 + 1] &&
           inside(x1 + 1, y))
      ++x1;
    for (int x = x0; x <= x1; ++x) seen[size_t(y) * w + x] = 1;
    spans.emplace_back(x0, y, x1 - x0 + 1, 1);
    for (int ny : {y - 1, y + 1}) {
      if (ny < bounds.top() || ny > bounds.bottom()) continue;
      for (int x = x0; x <= x1; ++x)
        if (!seen[size_t(ny) * w + x] && vis.contains(QPoint(x, ny)) && inside(x, ny)) stack.emplace_back(x, ny);
    }
  }
  QPainter* p = DC->Painter();
  if (!p) return false;
  QBrush brush = QBrushOf(DC->S.Brush, DC->S.BrushPattern);
  p->save();
  p->resetTransform();
  for (const QRect& r : spans) p->fillRect(r, brush);
  p->restore();
  return true;
}
BOOL FloodFill(HDC DC, int X, int Y, COLORREF Color) { return ExtFloodFill(DC, X, Y, Color, FLOODFILLBORDER); }

// -------------------------------------------------------------- rectangles

static TGdiBrush* BrushOf(HBRUSH B) {
  if (!TGdiObject::IsLive(B) || B->Kind != OBJ_BRUSH) return nullptr;
  return static_cast<TGdiBrush*>(B);
}

int FillRect(HDC DC, const TRect& R, HBRUSH Brush) {
  TGdiBrush* b = BrushOf(Brush);
  if (!DC || !b) return 0;
  if (b->Data.lbStyle == BS_NULL || IsRectEmpty(R)) return 1;
  if (DC->Recorder) {
    TDrawRecord r = StateRecord(DC, dkFill);
    r.R = R;
    r.BrushColor = b->Data.lbColor;
    Record(DC, std::move(r));
  }
  QPainter* p = DC->Painter();
  if (!p) return 1;
  p->setBackgroundMode(Qt::OpaqueMode);
  p->setBackground(QColorOf(DC->S.BkColor));
  p->fillRect(QRect(R.Left, R.Top, R.Width(), R.Height()), QBrushOf(b->Data, b->Pattern));
  p->setBackgroundMode(Qt::TransparentMode);
  return 1;
}

int FrameRect(HDC DC, const TRect& R, HBRUSH Brush) {
  TGdiBrush* b = BrushOf(Brush);
  if (!DC || !b) return 0;
  if (b->Data.lbStyle == BS_NULL || IsRectEmpty(R)) return 1;
  QPainter* p = DC->Painter();
  if (!p) return 1;
  QBrush qb = QBrushOf(b->Data, b->Pattern);
  int w = R.Width(), h = R.Height();
  p->fillRect(QRect(R.Left, R.Top, w, 1), qb);
  if (h > 1) p->fillRect(QRect(R.Left, R.Bottom - 1, w, 1), qb);
  if (h > 2) {
    p->fillRect(QRect(R.Left, R.Top + 1, 1, h - 2), qb);
    if (w > 1) p->fillRect(QRect(R.Right - 1, R.Top + 1, 1, h - 2), qb);
  }
  return 1;
}

BOOL FillRgn(HDC DC, HRGN Rgn, HBRUSH Brush) {
  QRegion* r = RegionOf(Rgn);
  TGdiBrush* b = BrushOf(Brush);
  if (!DC || !r || !b) return false;
  QPainter* p = DC->Painter();
  if (!p) return true;
  QBrush qb = QBrushOf(b->Data, b->Pattern);
  for (const QRect& rc : *r) p->fillRect(rc, qb);
  return true;
}

BOOL FrameRgn(HDC DC, HRGN Rgn, HBRUSH Brush, int W, int H) {
  QRegion* r = RegionOf(Rgn);
  TGdiBrush* b = BrushOf(Brush);
  if (!DC || !r || !b) return false;
  QRegion inner = *r;
  inner &= r->translated(W, 0);
  inner &= r->translated(-W, 0);
  inner &= r->translated(0, H);
  inner &= r->translated(0, -H);
  QRegion frame = *r - inner;
  QPainter* p = DC->Painter();
  if (!p) return true;
  QBrush qb = QBrushOf(b->Data, b->Pattern);
  for (const QRect& rc : frame) p->fillRect(rc, qb);
  return true;
}

// ------------------------------------------------------------------ blits

QImage OpaqueCopy(const QImage& Source, const QRect& R) {
  QImage part = Source.copy(R);
  if (part.hasAlphaChannel()) {
    part = part.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < part.height(); ++y) {
      auto* row = reinterpret_cast<uint32_t*>(part.scanLine(y));
      for (int x = 0; x < part.width(); ++x) row[x] |= 0xFF000000u;
    }
  }
  return part.convertToFormat(QImage::Format_RGB32);
}

namespace {

// The result of a ternary raster operation on 24-bit colours: for every bit,
// bit (P*4 + S*2 + D) of the operation's index.
uint32_t Rop3(uint32_t P, uint32_t S, uint32_t D, uint8_t Code) {
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i)
    if (Code & (1 << i)) r |= ((i & 4) ? P : ~P) & ((i & 2) ? S : ~S) & ((i & 1) ? D : ~D);
  return r & 0xFFFFFF;
}
uint8_t RopIndex(DWORD Rop) { return uint8_t((Rop >> 16) & 0xFF); }
bool RopUsesSource(uint8_t C) { return ((C >> 2) & 0x33) != (C & 0x33); }

// Applies a raster operation pixel by pixel on an image device. Source (may be
// null) is an RGB32 image of the device rectangle's size.
void ApplyRop(HDC DC, const QRect& DevRect, const QImage* Source, uint8_t Code) {
  QImage* img = DC->Image();
  if (!img) return;
  DC->Painter();  // keeps the image unshared while the painter is open
  QRegion area = DC->DrawableRegion() & DevRect;
  uint32_t pat = RgbOf(DC->S.Brush.lbColor) & 0xFFFFFF;
  bool nullBrush = DC->S.Brush.lbStyle == BS_NULL;
  if (nullBrush) pat = 0;
  for (const QRect& r : area) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) {
        uint32_t s = Source ? (Source->pixel(x - DevRect.left(), y - DevRect.top()) & 0xFFFFFF) : 0;
        uint32_t d = img->pixel(x, y) & 0xFFFFFF;
        img->setPixel(x, y, 0xFF000000u | Rop3(pat, s, d, Code));
      }
    }
  }
}

}  // namespace

void BlitImage(HDC DC, const TRect& Dest, const QImage& Source, DWORD Rop) {
  if (!DC || Dest.Width() == 0 || Dest.Height() == 0 || Source.isNull()) return;
  if (DC->Recorder) {
    TDrawRecord r = StateRecord(DC, dkBitmap);
    r.R = Dest;
    r.Image = std::make_shared<const QImage>(Source);
    Record(DC, std::move(r));
  }
  QImage src = Source;
  // Negative sizes mirror the picture.
  TRect d = Dest;
  bool mirrorX = d.Width() < 0, mirrorY = d.Height() < 0;
  if (mirrorX) std::swap(d.Left, d.Right);
  if (mirrorY) std::swap(d.Top, d.Bottom);
  if (mirrorX || mirrorY) src = src.mirrored(mirrorX, mirrorY);
  if (src.width() != d.Width() || src.height() != d.Height())
    src = src.scaled(d.Width(), d.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  uint8_t code = RopIndex(Rop);
  QPainter* p = DC->Painter();
  if (!p) return;
  if (code == 0xCC || !DC->Image()) {
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(QPoint(d.Left, d.Top), src.hasAlphaChannel() ? OpaqueCopy(src, src.rect()) : src);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return;
  }
  QImage s32 = OpaqueCopy(src, src.rect());
  QRect dev(DC->ToDevice(d.Left, d.Top), QSize(d.Width(), d.Height()));
  ApplyRop(DC, dev, &s32, code);
}

BOOL BitBlt(HDC Dest, int X, int Y, int W, int H, HDC Src, int SX, int SY, DWORD Rop) {
  return StretchBlt(Dest, X, Y, W, H, Src, SX, SY, W, H, Rop);
}

BOOL StretchBlt(HDC Dest, int X, int Y, int W, int H, HDC Src, int SX, int SY, int SW, int SH, DWORD Rop) {
  if (!Dest) return false;
  uint8_t code = RopIndex(Rop);
  if (!RopUsesSource(code)) return PatBlt(Dest, X, Y, W, H, Rop);
  if (!Src || !Src->Image()) return false;
  // The source rectangle in device coordinates; parts outside the source read black.
  QRect sr(Src->ToDevice(std::min(SX, SX + SW), std::min(SY, SY + SH)), QSize(std::abs(SW), std::abs(SH)));
  QImage part(sr.size(), QImage::Format_RGB32);
  part.fill(Qt::black);
  {
    QRect inside = sr & Src->Image()->rect();
    if (!inside.isEmpty()) {
      QImage piece = OpaqueCopy(*Src->Image(), inside);
      QPainter pp(&part);
      pp.setCompositionMode(QPainter::CompositionMode_Source);
      pp.drawImage(inside.topLeft() - sr.topLeft(), piece);
    }
  }
  bool mirrorX = (SW < 0) != (W < 0), mirrorY = (SH < 0) != (H < 0);
  if (mirrorX || mirrorY) part = part.mirrored(mirrorX, mirrorY);
  TRect d(std::min(X, X + W), std::min(Y, Y + H), std::max(X, X + W), std::max(Y, Y + H));
  BlitImage(Dest, d, part, Rop);
  return true;
}

BOOL PatBlt(HDC DC, int X, int Y, int W, int H, DWORD Rop) {
  if (!DC) return false;
  TRect r(std::min(X, X + W), std::min(Y, Y + H), std::max(X, X + W), std::max(Y, Y + H));
  if (IsRectEmpty(r)) return true;
  uint8_t code = RopIndex(Rop);
  QPainter* p = DC->Painter();
  if (!p) return true;
  QRect q(r.Left, r.Top, r.Width(), r.Height());
  switch (code) {
    case 0xF0:  // PATCOPY
      if (DC->S.Brush.lbStyle != BS_NULL) p->fillRect(q, QBrushOf(DC->S.Brush, DC->S.BrushPattern));
      return true;
    case 0x00:  // BLACKNESS
      p->fillRect(q, Qt::black);
      return true;
    case 0xFF:  // WHITENESS
      p->fillRect(q, Qt::white);
      return true;
    default:
      break;
  }
  if (!DC->Image()) return true;
  ApplyRop(DC, QRect(DC->ToDevice(r.Left, r.Top), QSize(r.Width(), r.Height())), nullptr, code);
  return true;
}

BOOL InvertRect(HDC DC, const TRect& R) {
  return PatBlt(DC, R.Left, R.Top, R.Width(), R.Height(), DSTINVERT);
}

BOOL TransparentBlt(HDC Dest, int X, int Y, int W, int H, HDC Src, int SX, int SY, int SW, int SH,
                    UINT Transparent) {
  if (!Dest || !Src || !Src->Image() || W <= 0 || H <= 0 || SW <= 0 || SH <= 0) return false;
  QRect sr(Src->ToDevice(SX, SY), QSize(SW, SH));
  QImage part = OpaqueCopy(*Src->Image(), sr).convertToFormat(QImage::Format_ARGB32);
  QRgb key = RgbOf(COLORREF(Transparent)) & 0xFFFFFF;
  for (int y = 0; y < part.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(part.scanLine(y));
    for (int x = 0; x < part.width(); ++x)
      if ((row[x] & 0xFFFFFF) == key) row[x] = 0;
  }
  if (Dest->Recorder) {
    TDrawRecord r = StateRecord(Dest, dkBitmap);
    r.R = TRect(X, Y, X + W, Y + H);
    r.Image = std::make_shared<const QImage>(part);
    Record(Dest, std::move(r));
  }
  if (part.size() != QSize(W, H)) part = part.scaled(W, H, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  QPainter* p = Dest->Painter();
  if (!p) return true;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawImage(QPoint(X, Y), part);
  return true;
}

BOOL DrawFocusRect(HDC DC, const TRect& R) {
  if (!DC || IsRectEmpty(R)) return false;
  if (DC->Recorder) {
    TDrawRecord r = StateRecord(DC, dkFocusRect);
    r.R = R;
    Record(DC, std::move(r));
  }
  // Every other pixel of the one-pixel frame is inverted, on a checkerboard of
  // device coordinates, so that drawing the frame twice restores the pixels.
  QRect dev(DC->ToDevice(R.Left, R.Top), QSize(R.Width(), R.Height()));
  std::vector<QPoint> pts;
  int l = dev.left(), t = dev.top(), r = dev.right(), b = dev.bottom();
  for (int x = l; x <= r; ++x) {
    pts.emplace_back(x, t);
    if (b != t) pts.emplace_back(x, b);
  }
  for (int y = t + 1; y < b; ++y) {
    pts.emplace_back(l, y);
    if (r != l) pts.emplace_back(r, y);
  }
  if (QImage* img = DC->Image()) {
    DC->Painter();
    for (const QPoint& p : pts)
      if (((p.x() + p.y()) & 1) == 0 && DC->PixelVisible(p)) img->setPixel(p, img->pixel(p) ^ 0x00FFFFFFu);
    return true;
  }
  QPainter* p = DC->Painter();
  if (!p) return true;
  p->save();
  p->resetTransform();
  p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  for (const QPoint& q : pts)
    if (((q.x() + q.y()) & 1) == 0) p->fillRect(QRect(q, QSize(1, 1)), Qt::white);
  p->restore();
  return true;
}

void DrawImageOver(HDC DC, const TRect& Dest, const QImage& Source) {
  if (!DC || Source.isNull() || IsRectEmpty(Dest)) return;
  if (DC->Recorder) {
    TDrawRecord r = StateRecord(DC, dkBitmap);
    r.R = Dest;
    r.Image = std::make_shared<const QImage>(Source);
    Record(DC, std::move(r));
  }
  QPainter* p = DC->Painter();
  if (!p) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  QRect target(Dest.Left, Dest.Top, Dest.Width(), Dest.Height());
  if (target.size() == Source.size())
    p->drawImage(target.topLeft(), Source);
  else
    p->drawImage(target, Source);
}
