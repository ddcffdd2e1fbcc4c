// Colour arithmetic, gradients, the styled selection box and the small buttons
// drawn inside cells.
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

#include "controls/ProUtil.h"
#include "controls/ProUtil_p.h"
#include "controls/ProXPVS.h"

namespace ProDraw {

int RoundHalfEven(double V) { return static_cast<int>(std::nearbyint(V)); }

void SetPenAndBrush(TCanvas* Canvas, TColor Color) {
  Canvas->Pen()->SetColor(Color);
  Canvas->Brush()->SetColor(Color);
}

}  // namespace ProDraw

using namespace ProDraw;

namespace {

int R8(TColor C) { return C & 0xFF; }
int G8(TColor C) { return (C >> 8) & 0xFF; }
int B8(TColor C) { return (C >> 16) & 0xFF; }
TColor MakeColor(int R, int G, int B) { return TColor(R | (G << 8) | (B << 16)); }

}  // namespace

// ---------------------------------------------------------------------------
// Colour arithmetic

TColor DarkenColorHalf(TColor Color) {
  const TColor c = ColorToRGB(Color);
  return MakeColor(R8(c) >> 1, G8(c) >> 1, B8(c) >> 1);
}

TColor AdjustColorPercent(TColor Color, int Percent) {
  // Each channel is kept within 0..255: a light colour made lighter stays white
  // instead of wrapping round to a dark one.
  auto adjust = [Percent](int c) {
    return std::clamp(RoundHalfEven(c + c * Percent / 100.0), 0, 255);
  };
  return MakeColor(adjust(R8(Color)), adjust(G8(Color)), adjust(B8(Color)));
}

TColor InterpolateColor(TColor ColorA, TColor ColorB, int Min, int Max, int Pos) {
  if (ColorB == clNone || Max == Min) return ColorA;
  const TColor a = ColorToRGB(ColorA), b = ColorToRGB(ColorB);
  auto mix = [&](int ca, int cb) {
    // Multiplied before dividing, so that a half (127.5) stays exact.
    return ca + RoundHalfEven(static_cast<double>(cb - ca) * Pos / (Max - Min));
  };
  return MakeColor(mix(R8(a), R8(b)), mix(G8(a), G8(b)), mix(B8(a), B8(b))) & 0xFFFFFF;
}

// ---------------------------------------------------------------------------
// Gradients and boxes

void FillGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R,
                  bool Horizontal) {
  if (R.Top == R.Bottom) return;
  if (R.Bottom < R.Top) std::swap(R.Top, R.Bottom);
  const TColor from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
  if (from == clNone || to == clNone) {
    SetPenAndBrush(Canvas, from == clNone ? to : from);
    Canvas->Rectangle(R);
    return;
  }
  const int extent = (Horizontal ? R.Width() : R.Height()) - 1;
  const int edge = Horizontal ? R.Width() : R.Height();
  Steps = std::max(std::min(Steps, extent), 1);
  // The steps cover the whole rectangle opaquely with copying boxes whose
  // outline has their inside's colour: the same pixels every time, drawn once
  // and then copied (header cells paint the same gradients paint after paint).
  const bool copying = Canvas->Pen()->Style() == psSolid && Canvas->Pen()->Width() <= 1 &&
                       Canvas->Pen()->Mode() == pmCopy && Canvas->Brush()->Style() == bsSolid;
  const TCanvas::TPictureKey key{1, static_cast<int>(from), static_cast<int>(to), Steps, Horizontal, 0};
  if (copying && Canvas->DrawKept(key, R)) {
    SetPenAndBrush(Canvas, MakeColor(R8(to), G8(to), B8(to)));
    return;
  }
  const auto keep = qScopeGuard([&] {
    if (copying) Canvas->Keep(key, R);
  });
  const double s = static_cast<double>(extent) / Steps;
  for (int k = 0; k <= Steps; ++k) {
    const int o = static_cast<int>(k * s);
    auto comp = [&](int f, int t) { return f + RoundHalfEven(static_cast<double>(k) * (t - f) / Steps); };
    SetPenAndBrush(Canvas, MakeColor(comp(R8(from), R8(to)), comp(G8(from), G8(to)),
                                     comp(B8(from), B8(to))));
    const int end = std::min(edge, o + static_cast<int>(s + 1));
    if (Horizontal)
      Canvas->Rectangle(R.Left + o, R.Top, R.Left + end, R.Bottom);
    else
      Canvas->Rectangle(R.Left, R.Top + o, R.Right, R.Top + end);
  }
}

void FillGradientMirror(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo,
                        TColor ColorMirror, TColor ColorMirrorTo, int Direction,
                        TColor BorderColor, bool SidesOnly, bool Fill) {
  const bool horizontal = Direction == 0;
  if (Fill && Color != clNone) {
    if (ColorMirror == clNone && ColorTo == clNone) {
      Canvas->Pen()->SetStyle(psSolid);
      Canvas->Pen()->SetWidth(1);
      Canvas->Brush()->SetStyle(bsSolid);
      SetPenAndBrush(Canvas, Color);
      Canvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom + 1);
    } else if (ColorMirror == clNone) {
      FillGradient(Canvas, Color, ColorTo, 128, R, horizontal);
    } else if (horizontal) {
      const int mid = R.Left + R.Width() / 2;
      FillGradient(Canvas, Color, ColorTo, 128, TRect(R.Left, R.Top, mid, R.Bottom), true);
      FillGradient(Canvas, ColorMirror, ColorMirrorTo, 128, TRect(mid, R.Top, R.Right, R.Bottom),
                   true);
    } else {
      const int mid = R.Top + R.Height() / 2;
      FillGradient(Canvas, Color, ColorTo, 128, TRect(R.Left, R.Top, R.Right, mid), false);
      FillGradient(Canvas, ColorMirror, ColorMirrorTo, 128, TRect(R.Left, mid, R.Right, R.Bottom),
                   false);
    }
  }
  if (BorderColor == clNone) return;
  if (SidesOnly) {
    Canvas->Pen()->SetColor(BorderColor);
    Canvas->MoveTo(R.Left, R.Top);
    Canvas->LineTo(R.Left, R.Bottom);
    Canvas->MoveTo(R.Right - 1, R.Top);
    Canvas->LineTo(R.Right - 1, R.Bottom);
  } else {
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
  }
}

void DrawStyledSelection(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor ColorMirror,
                         TColor ColorMirrorTo, TColor InnerTopColor, TColor InnerBottomColor,
                         TColor BorderColor, TColor CornerColor, TColor BackgroundColor, TRect R,
                         int Part) {
  const int L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 2;
  const int M = T + (B - T) / 2;
  const bool leftEnd = Part == 0 || Part == 1;
  const bool rightEnd = Part == 0 || Part == 2;
  auto line = [Canvas](int x1, int y1, int x2, int y2) {
    Canvas->MoveTo(x1, y1);
    Canvas->LineTo(x2, y2);
  };
  Canvas->Pen()->SetColor(InnerTopColor);
  line(L, T + 1, Rt, T + 1);
  if (leftEnd) line(L + 1, T + 1, L + 1, M);
  if (rightEnd) line(Rt - 2, T + 1, Rt - 2, M);
  Canvas->Pen()->SetColor(InnerBottomColor);
  line(L, B - 1, Rt, B - 1);
  if (leftEnd) line(L + 1, M, L + 1, B - 1);
  if (rightEnd) line(Rt - 2, M, Rt - 2, B - 1);

  const int li = (Part == 2 || Part == 3) ? 0 : 2;
  const int ri = (Part == 1 || Part == 3) ? 0 : 2;
  Canvas->Pen()->SetColor(BorderColor);
  line(L + li, T, Rt - ri, T);
  line(L + li, B, Rt - ri, B);
  if (rightEnd) line(Rt - 1, T + 2, Rt - 1, B - 1);
  if (leftEnd) line(L, T + 2, L, B - 1);

  if (leftEnd) {
    for (const TPoint& p : {TPoint(L + 1, T), TPoint(L + 1, T + 1), TPoint(L, T + 1),
                            TPoint(L + 1, B), TPoint(L + 1, B - 1), TPoint(L, B - 1)})
      Canvas->SetPixels(p.X, p.Y, CornerColor);
    Canvas->SetPixels(L, T, BackgroundColor);
    Canvas->SetPixels(L, B, BackgroundColor);
  }
  if (rightEnd) {
    for (const TPoint& p : {TPoint(Rt - 2, T), TPoint(Rt - 2, T + 1), TPoint(Rt - 1, T + 1),
                            TPoint(Rt - 2, B), TPoint(Rt - 2, B - 1), TPoint(Rt - 1, B - 1)})
      Canvas->SetPixels(p.X, p.Y, CornerColor);
    Canvas->SetPixels(Rt - 1, T, BackgroundColor);
    Canvas->SetPixels(Rt - 1, B, BackgroundColor);
  }

  const TRect inside(L + li, T + 2, Rt - ri, B - 1);
  if (ColorTo == clNone) {
    SetPenAndBrush(Canvas, Color);
    Canvas->Rectangle(inside);
  } else if (ColorMirror == clNone) {
    FillGradient(Canvas, Color, ColorTo, 16, inside, false);
  } else {
    FillGradient(Canvas, Color, ColorTo, 16, TRect(inside.Left, inside.Top, inside.Right, M), false);
    FillGradient(Canvas, ColorMirror, ColorMirrorTo, 16,
                 TRect(inside.Left, M, inside.Right, inside.Bottom), false);
  }
}

void FillRectColor(TCanvas* Canvas, TRect R, TColor Color) {
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

void DrawArrowDown(TCanvas* Canvas, int X, int Y, TColor Color) {
  SetPenAndBrush(Canvas, Color);
  Canvas->Polygon({TPoint(X - 3, Y), TPoint(X + 3, Y), TPoint(X, Y + 3)});
}

// ---------------------------------------------------------------------------
// Cell buttons

namespace {

const TColorTone& ToneOf(const TColorTones& Tones, TCellButtonState State) {
  switch (State) {
    case cbsHot: return Tones.Hover;
    case cbsDown: return Tones.Selected;
    case cbsDisabled: return Tones.Disabled;
    default: return Tones.Background;
  }
}

// The themed look where the system draws it; false when the classic look must
// stand in.
bool DrawThemed(TCanvas* Canvas, HWND Wnd, const QString& ClassList, int Part, int State,
                const TRect& R) {
  return DrawThemedPart(Wnd, ClassList, Canvas->Handle(), Part, State, R);
}

UINT FlatFlag(TCellButtonLook Look) { return Look == cblFlat ? UINT(DFCS_FLAT) : 0u; }

}  // namespace

void DrawComboButton(TCanvas* Canvas, HWND Wnd, TRect R, TCellButtonLook Look,
                     TCellButtonState State, const TColorTones& Tones) {
  TRect r(R.Right - 19, R.Top + 1, R.Right - 2, R.Bottom - 1);
  if (Look == cblTones) {
    r.Left += 3;
    SetPenAndBrush(Canvas, ToneOf(Tones, State).BrushColor);
    Canvas->Rectangle(r);
    Canvas->Pen()->SetColor(Tones.Background.BorderColor);
    Canvas->MoveTo(r.Left, r.Top);
    Canvas->LineTo(r.Left, r.Bottom);
    SetPenAndBrush(Canvas, Tones.Background.TextColor);
    Canvas->Polygon({TPoint(r.Left + 5, r.Top + 8), TPoint(r.Left + 11, r.Top + 8),
                     TPoint(r.Left + 8, r.Top + 11)});
    return;
  }
  if (Look == cblThemed &&
      DrawThemed(Canvas, Wnd, QStringLiteral("combobox"), 1, State == cbsDisabled ? 4 : 1, r))
    return;
  UINT state = DFCS_SCROLLCOMBOBOX | FlatFlag(Look);
  if (State == cbsDisabled) state |= DFCS_INACTIVE;
  DrawFrameControl(Canvas->Handle(), r, DFC_SCROLL, state);
}

void DrawPushButton(TCanvas* Canvas, HWND Wnd, TRect R, TCellButtonLook Look,
                    TCellButtonState State, const TColorTones& Tones) {
  if (Look == cblTones) {
    const TColorTone& tone = ToneOf(Tones, State);
    Canvas->Brush()->SetColor(tone.BrushColor);
    Canvas->Pen()->SetColor(tone.BorderColor);
    Canvas->Rectangle(R);
    return;
  }
  static const int kThemeState[] = {1, 2, 3, 4};
  if (Look == cblThemed &&
      DrawThemed(Canvas, Wnd, QStringLiteral("button"), 1, kThemeState[State], R))
    return;
  UINT state = DFCS_BUTTONPUSH | FlatFlag(Look);
  if (State == cbsHot) state |= DFCS_HOT;
  if (State == cbsDown) state |= DFCS_PUSHED;
  if (State == cbsDisabled) state |= DFCS_INACTIVE;
  DrawFrameControl(Canvas->Handle(), R, DFC_BUTTON, state);
}

void DrawSpinButtons(TCanvas* Canvas, HWND Wnd, TRect R, TCellButtonLook Look,
                     TCellButtonState State, const TColorTones& Tones) {
  const TRect r(R.Right - 16, R.Top - 1, R.Right - 1, R.Bottom - 1);
  const int mid = r.Top + r.Height() / 2;
  const TRect up(r.Left, r.Top, r.Right, mid);
  const TRect down(r.Left, mid + 1, r.Right, r.Bottom);
  if (Look == cblTones) {
    const TColorTone& tone = ToneOf(Tones, State);
    SetPenAndBrush(Canvas, tone.BrushColor);
    Canvas->Rectangle(up);
    Canvas->Rectangle(down);
    SetPenAndBrush(Canvas, tone.TextColor);
    const int cx = r.Left + r.Width() / 2;
    const int uy = up.Top + up.Height() / 2, dy = down.Top + down.Height() / 2;
    Canvas->Polygon({TPoint(cx - 3, uy + 1), TPoint(cx + 3, uy + 1), TPoint(cx, uy - 2)});
    Canvas->Polygon({TPoint(cx - 3, dy - 1), TPoint(cx + 3, dy - 1), TPoint(cx, dy + 2)});
    return;
  }
  if (Look == cblThemed) {
    const int st = State == cbsDisabled ? 4 : 1;
    if (DrawThemed(Canvas, Wnd, QStringLiteral("spin"), 1, st, up) &&
        DrawThemed(Canvas, Wnd, QStringLiteral("spin"), 2, st, down))
      return;
  }
  UINT state = FlatFlag(Look);
  if (State == cbsDisabled) state |= DFCS_INACTIVE;
  DrawFrameControl(Canvas->Handle(), up, DFC_SCROLL, DFCS_SCROLLUP | state);
  DrawFrameControl(Canvas->Handle(), down, DFC_SCROLL, DFCS_SCROLLDOWN | state);
}
