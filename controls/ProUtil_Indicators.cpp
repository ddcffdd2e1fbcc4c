// Progress bars, the progress pie, the range indicator, cell shapes, the error
// underline, transparent bitmaps and the layered-window calls.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "controls/ProUtil.h"
#include "controls/ProUtil_p.h"
#include "platform/widgets/StdCtrls.h"

using namespace ProDraw;

// ---------------------------------------------------------------------------
// Progress bars

void DrawClassicProgress(TCanvas* Canvas, TRect R, TColor DoneColor, TColor DoneTextColor,
                         TColor OpenColor, TColor OpenTextColor, double Position, int MarginX,
                         int MarginY, double Min, double Max, const QString& Format,
                         TColor BorderColor, bool YAxisUp) {
  QString text;
  int percent;
  if (!Format.isEmpty()) {
    // A range without extent has no percentage: no bar is drawn.
    if (Max == Min) return;
    if (Format.contains(QLatin1Char('d')) || Format.contains(QLatin1Char('u')))
      text = ::Format(Format, {RoundHalfEven(Position)});
    else
      text = ::Format(Format, {Position});
    percent = RoundHalfEven((Position - Min) * 100 / (Max - Min));
  } else {
    text = QString::number(RoundHalfEven(Position)) + QLatin1Char('%');
    percent = RoundHalfEven(Position);
  }
  percent = std::clamp(percent, 0, 100);

  const TColor entryBrush = Canvas->Brush()->Color();
  SetPenAndBrush(Canvas, DoneColor);
  Canvas->Font()->SetColor(DoneTextColor);

  R = TRect(R.Left + MarginX, R.Top + MarginY, R.Right - MarginX, R.Bottom - MarginY);
  const int doneEnd = R.Left + RoundHalfEven(static_cast<double>(percent) * R.Width() / 100);
  const int tw = Canvas->TextWidth(text);
  int th = Canvas->TextHeight(text);
  if (YAxisUp) th = -th;
  const int x = R.Left + (R.Width() - tw) / 2;
  const int y = R.Top + (R.Height() - th) / 2;

  Canvas->TextRect(TRect(R.Left, R.Top, doneEnd, R.Bottom), x, y, text);
  SetPenAndBrush(Canvas, OpenColor);
  Canvas->Font()->SetColor(OpenTextColor);
  Canvas->TextRect(TRect(doneEnd, R.Top, R.Right, R.Bottom), x, y, text);

  R = TRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  if (BorderColor != clNone) {
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
  }
  R = TRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  Canvas->Brush()->SetColor(entryBrush);
  Canvas->FrameRect(R);
}

namespace {

// One segment of the themed bar: halved across the bar with gradients, or solid.
void FillSegment(TCanvas* Canvas, const TRect& S, TColor Color, TColor ColorTo,
                 const TXPProgressParams& P) {
  if (S.Width() <= 0 || S.Height() <= 0) return;
  if (!P.ShowGradient) {
    FillRectColor(Canvas, S, Color);
    return;
  }
  if (P.Vertical) {
    const int mid = S.Left + S.Width() / 2;
    FillGradient(Canvas, ColorTo, Color, P.Steps, TRect(S.Left, S.Top, mid, S.Bottom), true);
    FillGradient(Canvas, Color, ColorTo, P.Steps, TRect(mid, S.Top, S.Right, S.Bottom), true);
  } else {
    const int mid = S.Top + S.Height() / 2;
    FillGradient(Canvas, ColorTo, Color, P.Steps, TRect(S.Left, S.Top, S.Right, mid), false);
    FillGradient(Canvas, Color, ColorTo, P.Steps, TRect(S.Left, mid, S.Right, S.Bottom), false);
  }
}

}  // namespace

void DrawXPProgress(TCanvas* Canvas, TRect R, int Percent, const TXPProgressParams& P) {
  Percent = std::clamp(Percent, 0, 100);
  const int q = (P.Vertical ? R.Height() : R.Width()) - 2;
  const TColor penColor = P.ShowBorder ? P.BorderColor : P.UnCompleteColor;
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(P.UnCompleteColor);
  Canvas->Pen()->SetColor(penColor);
  Canvas->Rectangle(R);

  // A piece of the bar from Start to Start + Len along it, Inset pixels inside
  // the bar's thickness on both sides.
  auto piece = [&](int Start, int Len, int Inset) {
    if (P.Vertical)
      return TRect(R.Left + Inset, R.Bottom - 1 - Start - Len, R.Right - Inset, R.Bottom - 1 - Start);
    return TRect(R.Left + 1 + Start, R.Top + Inset, R.Left + 1 + Start + Len, R.Bottom - Inset);
  };
  const TColor colors[4][2] = {{P.Level0Color, P.Level0ColorTo},
                               {P.Level1Color, P.Level1ColorTo},
                               {P.Level2Color, P.Level2ColorTo},
                               {P.Level3Color, P.Level3ColorTo}};
  if (Percent > 0) {
    if (P.Stacked) {
      const int l0 = RoundHalfEven(q * std::min(Percent, P.Level1Perc) / 100.0);
      FillSegment(Canvas, piece(0, l0, 1), colors[0][0], colors[0][1], P);
      int start = l0;
      if (Percent >= P.Level1Perc) {
        const int l1 = RoundHalfEven(q * (std::min(Percent, P.Level2Perc) - P.Level1Perc) / 100.0);
        FillSegment(Canvas, piece(start, l1, 1), colors[1][0], colors[1][1], P);
        start += l1;
      }
      if (Percent >= P.Level2Perc) {
        const int l2 = Percent >= 100 ? q - start
                                      : RoundHalfEven(q * (Percent - P.Level2Perc) / 100.0);
        FillSegment(Canvas, piece(start, l2, 1), colors[3][0], colors[3][1], P);
      }
    } else {
      int level = 2;
      if (Percent < P.Level1Perc) level = 0;
      else if (Percent < P.Level2Perc) level = 1;
      else if (Percent > 99) level = 3;
      const TColor c = colors[level][0], cTo = colors[level][1];
      if (P.CompletionSmooth) {
        FillSegment(Canvas, piece(0, RoundHalfEven(q * Percent / 100.0), 1), c, cTo, P);
      } else {
        const int n = RoundHalfEven(Percent * q / 100.0);
        if (n > 9) {
          for (int i = 0; i < n / 9; ++i) FillSegment(Canvas, piece(1 + 9 * i, 7, 2), c, cTo, P);
          if (n % 9 > 2) FillSegment(Canvas, piece(1 + 9 * (n / 9), n % 9 - 1, 2), c, cTo, P);
        } else if (n >= 2) {
          FillSegment(Canvas, piece(1, n - 1, 2), c, cTo, P);
        }
        Canvas->Brush()->SetStyle(bsClear);
      }
    }
  }

  if (P.ShowPercentage) {
    TFont* f = Canvas->Font();
    if (P.Font != nullptr) {
      f->SetName(P.Font->Name());
      f->SetSize(P.Font->Size());
      f->SetStyle(P.Font->Style());
    }
    f->SetColor(P.CompleteFontColor);
    Canvas->Brush()->SetStyle(bsClear);
    const QString text = QString::number(Percent) + QLatin1Char('%');
    const int tw = Canvas->TextWidth(text), th = Canvas->TextHeight(text);
    if (P.Vertical) {
      f->SetOrientation(900);
      Canvas->TextOut(R.Left + (R.Width() - th) / 2, R.Bottom - (R.Height() - tw) / 2, text);
      f->SetOrientation(0);
    } else {
      Canvas->TextOut(R.Left + (R.Width() - tw) / 2, R.Top + (R.Height() - th) / 2, text);
    }
  }
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Pen()->SetColor(penColor);
  Canvas->Rectangle(R);
  Canvas->Brush()->SetStyle(bsSolid);
}

void DrawProgressPie(TCanvas* Canvas, TRect R, TColor Color, int Percent, bool YAxisUp) {
  Percent = std::clamp(Percent, 0, 100);
  Canvas->Pen()->SetColor(0x808080);
  Canvas->Pen()->SetWidth(1);
  Canvas->Ellipse(R);
  const int w = R.Width(), h = R.Height();
  const int cx = R.Left + w / 2, cy = R.Top + h / 2;
  // The point of the rim at the angle (clockwise from 12 o'clock).
  auto rim = [&](double a) {
    return TPoint(cx + RoundHalfEven((w + 1) / 2.0 * std::sin(a)),
                  cy - RoundHalfEven((h + 1) / 2.0 * std::cos(a)));
  };
  const double end = Percent / 100.0 * 2 * std::numbers::pi;
  if (Percent == 0) {
    Canvas->MoveTo(cx, R.Top);
    Canvas->LineTo(cx, cy);
    const TPoint p = rim(end);
    Canvas->LineTo(p.X, p.Y);
    return;
  }
  // The wedge is drawn as one polygon: the centre and the rim from 12 o'clock to
  // the end angle, so it is filled exactly whatever the percentage.
  std::vector<TPoint> pts{TPoint(cx, cy)};
  const int steps = std::max(2, Percent * 2);
  for (int i = 0; i <= steps; ++i) {
    const TPoint p = rim(end * i / steps);
    if (pts.back().X != p.X || pts.back().Y != p.Y) pts.push_back(p);
  }
  (void)YAxisUp;  // the rim formula follows the sign of the rectangle's height
  Canvas->Brush()->SetColor(Color);
  Canvas->Polygon(pts);
}

void DrawRangeIndicator(TCanvas* Canvas, TRect R, int Value, int Range, bool ShowValue,
                        TColor NegativeColor, TColor PositiveColor) {
  if (Range == 0) return;
  Range = std::abs(Range);
  R = TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
  const int h = R.Width() / 2;
  Value = std::clamp(Value, -Range, Range);
  const int len = RoundHalfEven(static_cast<double>(Value) * h / Range);
  if (Value < 0) {
    SetPenAndBrush(Canvas, NegativeColor);
    Canvas->Rectangle(R.Left + h + len, R.Top, R.Left + h, R.Bottom);
  } else {
    SetPenAndBrush(Canvas, PositiveColor);
    Canvas->Rectangle(R.Left + h, R.Top, R.Left + h + len, R.Bottom);
  }
  if (ShowValue) {
    // The value sits beside the middle on the side the bar leaves free (right
    // of it for a negative value, left of it otherwise), so that the bar never
    // covers the sign or the digits; in the canvas's font.
    const QString text = QString::number(Value);
    const int w = Canvas->TextWidth(text);
    const int x = Value < 0 ? R.Left + h + 2 : R.Left + h - 2 - w;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut(x, R.Top + (R.Height() - Canvas->TextHeight(text)) / 2, text);
    Canvas->Brush()->SetStyle(bsSolid);
  }
}

// ---------------------------------------------------------------------------
// Shapes

void DrawCellShape(TCanvas* Canvas, int X, int Y, int W, int H, TCellShape Shape,
                   TColor BrushColor, TColor PenColor) {
  Canvas->Brush()->SetColor(BrushColor);
  Canvas->Pen()->SetColor(PenColor);
  if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) W = H = std::min(W, H);
  const int cx = W / 2, cy = H / 2;
  const int we = W - W % 2, he = H - H % 2;
  const int w4 = we / 4, h4 = he / 4;
  auto star = [&](int k) {
    const double a = k * 36 * std::numbers::pi / 180;
    const double rx = k % 2 == 0 ? cx : cx / 3.0, ry = k % 2 == 0 ? cy : cy / 3.0;
    return TPoint(X + cx + RoundHalfEven(std::sin(a) * rx), Y + cy - RoundHalfEven(std::cos(a) * ry));
  };
  switch (Shape) {
    case csRectangle:
    case csSquare: Canvas->Rectangle(X + 1, Y + 1, X + W - 1, Y + H - 1); break;
    case csCircle:
    case csEllips: Canvas->Ellipse(X, Y, X + W, Y + H); break;
    case csRoundRect:
    case csRoundSquare: Canvas->RoundRect(X, Y, X + W, Y + H, 10, 10); break;
    case csTriangleLeft:
      Canvas->Polygon({TPoint(X + W, Y), TPoint(X + W, Y + H), TPoint(X, Y + cy)});
      break;
    case csTriangleRight:
      Canvas->Polygon({TPoint(X, Y), TPoint(X, Y + H), TPoint(X + W, Y + cy)});
      break;
    case csTriangleUp:
      Canvas->Polygon({TPoint(X, Y + H), TPoint(X + W, Y + H), TPoint(X + cx, Y)});
      break;
    case csTriangleDown:
      Canvas->Polygon({TPoint(X, Y), TPoint(X + W, Y), TPoint(X + cx, Y + H)});
      break;
    case csDiamond:
      Canvas->Polygon({TPoint(X, Y + cy), TPoint(X + cx, Y), TPoint(X + 2 * cx, Y + cy),
                       TPoint(X + cx, Y + 2 * cy)});
      break;
    case csLineVert: Canvas->Rectangle(X + cx, Y, X + cx + 1, Y + H); break;
    case csLineHorz: Canvas->Rectangle(X, Y + cy, X + W, Y + cy + 1); break;
    case csStar: {
      std::vector<TPoint> pts;
      for (int k = 0; k < 10; ++k) pts.push_back(star(k));
      Canvas->Polygon(pts);
      break;
    }
    case csHalfStar:
      Canvas->Polygon({star(0), star(5), star(6), star(7), star(8), star(9)});
      break;
    case csArrowUp:
      Canvas->Polygon({TPoint(X, Y + cy), TPoint(X + we / 2, Y), TPoint(X + we, Y + cy),
                       TPoint(X + 3 * w4, Y + cy), TPoint(X + 3 * w4, Y + H),
                       TPoint(X + w4, Y + H), TPoint(X + w4, Y + cy)});
      break;
    case csArrowDown:
      Canvas->Polygon({TPoint(X, Y + cy), TPoint(X + we / 2, Y + H), TPoint(X + we, Y + cy),
                       TPoint(X + 3 * w4, Y + cy), TPoint(X + 3 * w4, Y), TPoint(X + w4, Y),
                       TPoint(X + w4, Y + cy)});
      break;
    case csArrowLeft:
      Canvas->Polygon({TPoint(X, Y + he / 2), TPoint(X + cx, Y), TPoint(X + cx, Y + h4),
                       TPoint(X + W, Y + h4), TPoint(X + W, Y + 3 * h4),
                       TPoint(X + cx, Y + 3 * h4), TPoint(X + cx, Y + he)});
      break;
    case csArrowRight:
      Canvas->Polygon({TPoint(X + W, Y + he / 2), TPoint(X + cx, Y), TPoint(X + cx, Y + h4),
                       TPoint(X, Y + h4), TPoint(X, Y + 3 * h4), TPoint(X + cx, Y + 3 * h4),
                       TPoint(X + cx, Y + he)});
      break;
  }
}

// ---------------------------------------------------------------------------
// Error underline and bitmaps

void DrawErrorUnderline(TWinControl* Owner, TCanvas* Canvas, const QString& Text, TRect R,
                        int YOffset, int Start, int Length) {
  int sx, sy, ex, ey;
  {
    // A hidden single-line edit over the cell tells where each character stands.
    auto edit = std::make_unique<TEdit>(nullptr);
    edit->SetVisible(false);
    edit->SetParent(Owner);
    edit->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    edit->SetText(Text);
    auto pos = [&](int Index, int& X, int& Y) {
      const LRESULT p = edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0);
      X = static_cast<int16_t>(p & 0xFFFF);
      Y = static_cast<int16_t>((p >> 16) & 0xFFFF);
    };
    const int len = static_cast<int>(Text.size());
    if (Start < len) {
      pos(Start, sx, sy);
    } else {
      pos(std::max(len - 1, 0), sx, sy);
      sx += 4;
    }
    if (Start + Length < len) {
      pos(Start + Length - 1, ex, ey);
    } else {
      pos(std::max(len - 1, 0), ex, ey);
      ex += 4;
      ey = sy;
    }
  }
  Canvas->Pen()->SetColor(clRed);
  Canvas->Pen()->SetWidth(2);
  Canvas->MoveTo(R.Left + sx, R.Top + sy + YOffset + 3);
  int x = sx;
  int d = 0;
  while (x <= ex) {
    Canvas->LineTo(R.Left + x + 3, R.Top + ey + YOffset + d);
    d = d == 0 ? 3 : 0;
    x += 3;
  }
  Canvas->LineTo(R.Left + x + 3, R.Top + ey + YOffset + d);
  Canvas->Pen()->SetWidth(1);
}

void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, TRect R) {
  if (Bitmap == nullptr || Bitmap->Empty()) return;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  const TRect src(0, 0, w, h);
  TBitmap tmp(w, h);
  tmp.Canvas()->Brush()->SetColor(BackgroundColor);
  tmp.Canvas()->BrushCopy(src, Bitmap, src, Bitmap->Canvas()->Pixels(0, 0));
  Canvas->CopyRect(TRect(R.Left, R.Top, R.Left + w, R.Top + h), tmp.Canvas(), src);
}

void DrawResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, TRect R,
                        const QString& ResourceName) {
  TBitmap bmp;
  bmp.LoadFromResourceName(HInstance, ResourceName);
  DrawBitmapTransparent(Canvas, &bmp, BackgroundColor, R);
}

// ---------------------------------------------------------------------------
// Layered windows

BOOL CallUpdateLayeredWindow(HWND Wnd, HDC Dst, const TPoint* DstPos, const TSize* Size, HDC Src,
                             const TPoint* SrcPos, COLORREF Key, const BLENDFUNCTION* Blend,
                             DWORD Flags) {
  return UpdateLayeredWindow(Wnd, Dst, DstPos, Size, Src, SrcPos, Key, Blend, Flags);
}

BOOL CallSetLayeredWindowAttributes(HWND Wnd, COLORREF Key, Byte Alpha, DWORD Flags) {
  return SetLayeredWindowAttributes(Wnd, Key, Alpha, Flags);
}
