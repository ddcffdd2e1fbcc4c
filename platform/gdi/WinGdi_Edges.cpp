// Three-dimensional edges and frame controls (push buttons, check boxes, radio
// buttons, scroll arrows, the combo-box button) in the classic Windows look,
// drawn from the system colours.
#include <algorithm>

#include "platform/gdi/DeviceContext_p.h"
#include "platform/gdi/WinGdi.h"

namespace {

QColor Sys(int Index) { return QColorOf(GetSysColor(Index)); }

void Fill(QPainter* P, int X, int Y, int W, int H, const QColor& C) {
  if (P && W > 0 && H > 0) P->fillRect(QRect(X, Y, W, H), C);
}

// One ring of an edge: the top and left sides in TopLeft, the right and bottom
// sides in BottomRight (which own the top-right and bottom-left corner pixels).
void Ring(QPainter* P, TRect& R, UINT Sides, const QColor& TopLeft, const QColor& BottomRight) {
  int w = R.Width(), h = R.Height();
  if (w <= 0 || h <= 0) return;
  bool right = Sides & BF_RIGHT, bottom = Sides & BF_BOTTOM;
  if (Sides & BF_TOP) Fill(P, R.Left, R.Top, right ? w - 1 : w, 1, TopLeft);
  if (Sides & BF_LEFT) Fill(P, R.Left, R.Top, 1, bottom ? h - 1 : h, TopLeft);
  if (right) Fill(P, R.Right - 1, R.Top, 1, h, BottomRight);
  if (bottom) Fill(P, R.Left, R.Bottom - 1, w, 1, BottomRight);
  if (Sides & BF_LEFT) ++R.Left;
  if (Sides & BF_TOP) ++R.Top;
  if (right) --R.Right;
  if (bottom) --R.Bottom;
}

void EdgeOn(QPainter* P, TRect& R, UINT Edge, UINT Flags) {
  UINT sides = Flags & BF_RECT;
  bool soft = Flags & BF_SOFT;
  bool flat = Flags & BF_FLAT, mono = Flags & BF_MONO;
  UINT outer = Edge & BDR_OUTER, inner = Edge & BDR_INNER;
  if (outer) {
    if (mono)
      Ring(P, R, sides, Sys(COLOR_WINDOWFRAME), Sys(COLOR_WINDOWFRAME));
    else if (flat)
      Ring(P, R, sides, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW));
    else if (outer & BDR_RAISEDOUTER)
      Ring(P, R, sides, Sys(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW));
    else
      Ring(P, R, sides, Sys(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
  }
  if (inner) {
    if (mono)
      Ring(P, R, sides, Sys(COLOR_WINDOW), Sys(COLOR_WINDOW));
    else if (flat)
      Ring(P, R, sides, Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE));
    else if (inner & BDR_RAISEDINNER)
      Ring(P, R, sides, Sys(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
    else
      Ring(P, R, sides, Sys(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW), Sys(COLOR_3DLIGHT));
  }
  if (Flags & BF_MIDDLE) Fill(P, R.Left, R.Top, R.Width(), R.Height(), Sys(mono ? COLOR_WINDOW : COLOR_BTNFACE));
}

// The classic check mark, 7 x 7.
const char* const CheckMark[7] = {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."};

void DrawCheckMark(QPainter* P, int X, int Y, int Scale, const QColor& C) {
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 7; ++c)
      if (CheckMark[r][c] == '#') Fill(P, X + c * Scale, Y + r * Scale, Scale, Scale, C);
}

enum class Dir { Up, Down, Left, Right };

// A filled triangle of N rows pointing in direction D, centred on (CX, CY).
void DrawArrow(QPainter* P, int CX, int CY, int N, Dir D, const QColor& C) {
  for (int i = 0; i < N; ++i) {
    int half = (D == Dir::Down || D == Dir::Right) ? N - 1 - i : i;
    int pos = i - N / 2;
    if (D == Dir::Up || D == Dir::Down)
      Fill(P, CX - half, CY + pos, 2 * half + 1, 1, C);
    else
      Fill(P, CX + pos, CY - half, 1, 2 * half + 1, C);
  }
}

void PushFace(QPainter* P, TRect& R, UINT State) {
  bool pushed = State & (DFCS_PUSHED | DFCS_CHECKED);
  if (State & DFCS_MONO) {
    EdgeOn(P, R, BDR_OUTER, BF_RECT | BF_MONO | BF_MIDDLE);
  } else if (State & DFCS_FLAT) {
    EdgeOn(P, R, BDR_OUTER, BF_RECT | BF_FLAT);
    Fill(P, R.Left, R.Top, R.Width(), R.Height(), Sys(COLOR_BTNFACE));
  } else if (pushed) {
    // The pressed classic button: a dark frame with a shadow frame inside.
    Ring(P, R, BF_RECT, Sys(COLOR_3DDKSHADOW), Sys(COLOR_3DDKSHADOW));
    Ring(P, R, BF_RECT, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW));
    Fill(P, R.Left, R.Top, R.Width(), R.Height(), Sys(COLOR_BTNFACE));
  } else {
    EdgeOn(P, R, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
  }
}

void CheckBox(QPainter* P, const TRect& R, UINT State) {
  int s = std::min(R.Width(), R.Height());
  if (s <= 0) return;
  TRect box = Bounds(R.Left + (R.Width() - s) / 2, R.Top + (R.Height() - s) / 2, s, s);
  bool inactive = State & DFCS_INACTIVE;
  bool three = (State & 0xFF) == DFCS_BUTTON3STATE;
  if (State & DFCS_MONO)
    Ring(P, box, BF_RECT, Sys(COLOR_WINDOWFRAME), Sys(COLOR_WINDOWFRAME));
  else if (State & DFCS_FLAT)
    Ring(P, box, BF_RECT, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW));
  else
    EdgeOn(P, box, EDGE_SUNKEN, BF_RECT);
  bool grey = inactive || (State & DFCS_PUSHED) || (three && (State & DFCS_CHECKED));
  Fill(P, box.Left, box.Top, box.Width(), box.Height(), Sys(grey ? COLOR_BTNFACE : COLOR_WINDOW));
  if (State & DFCS_CHECKED) {
    int inner = box.Width();
    int scale = std::max(1, inner / 9);
    int off = (inner - 7 * scale) / 2;
    QColor c = Sys(inactive ? COLOR_GRAYTEXT : three ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
    DrawCheckMark(P, box.Left + off, box.Top + off, scale, c);
  }
}

void RadioButton(QPainter* P, const TRect& R, UINT State) {
  int s = std::min(R.Width(), R.Height());
  if (s <= 2) return;
  int x = R.Left + (R.Width() - s) / 2, y = R.Top + (R.Height() - s) / 2;
  bool inactive = State & DFCS_INACTIVE;
  P->save();
  P->setBrush(Qt::NoBrush);
  QRectF outer(x + 0.5, y + 0.5, s - 1, s - 1), inner(x + 1.5, y + 1.5, s - 3, s - 3);
  // Top-left halves from 45 to 225 degrees, bottom-right halves from 225 to 405.
  auto arcs = [&](const QRectF& r, const QColor& tl, const QColor& br) {
    P->setPen(QPen(tl, 0));
    P->drawArc(r, 45 * 16, 180 * 16);
    P->setPen(QPen(br, 0));
    P->drawArc(r, 225 * 16, 180 * 16);
  };
  P->setPen(Qt::NoPen);
  P->setBrush(Sys((inactive || (State & DFCS_PUSHED)) ? COLOR_BTNFACE : COLOR_WINDOW));
  P->drawEllipse(QRectF(x + 1, y + 1, s - 2, s - 2));
  P->setBrush(Qt::NoBrush);
  if (State & (DFCS_FLAT | DFCS_MONO)) {
    QColor c = Sys((State & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
    arcs(outer, c, c);
  } else {
    arcs(outer, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
    arcs(inner, Sys(COLOR_3DDKSHADOW), Sys(COLOR_3DLIGHT));
  }
  if (State & DFCS_CHECKED) {
    int d = std::max(2, s / 3);
    P->setPen(Qt::NoPen);
    P->setBrush(Sys(inactive ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    double c0 = (s - d) / 2.0;
    P->drawEllipse(QRectF(x + c0, y + c0, d, d));
  }
  P->restore();
}

void ScrollButton(QPainter* P, const TRect& Outer, UINT State) {
  bool pushed = State & DFCS_PUSHED;
  TRect R = Outer;
  if (pushed && !(State & DFCS_FLAT)) {
    // A pressed arrow button is flat with a shadow frame.
    Ring(P, R, BF_RECT, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW));
    Fill(P, R.Left, R.Top, R.Width(), R.Height(), Sys(COLOR_BTNFACE));
  } else {
    PushFace(P, R, State & ~(DFCS_PUSHED | DFCS_CHECKED));
  }
  // The glyph is placed and sized in the whole button.
  R = Outer;
  UINT kind = State & 0xFF;
  int w = R.Width(), h = R.Height();
  int off = pushed ? 1 : 0;
  int cx = R.Left + (w - 1) / 2 + off, cy = R.Top + (h - 1) / 2 + off;
  if (kind == DFCS_SCROLLSIZEGRIP) {
    for (int i = 0; i < 3; ++i) {
      int d = 4 * i + 2;
      for (int k = 0; k < 2; ++k) {
        QColor c = Sys(k == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
        P->setPen(QPen(c, 0));
        P->drawLine(R.Right - 1 - d - k, R.Bottom - 1, R.Right - 1, R.Bottom - 1 - d - k);
      }
    }
    return;
  }
  Dir d = kind == DFCS_SCROLLUP ? Dir::Up
          : kind == DFCS_SCROLLLEFT ? Dir::Left
          : kind == DFCS_SCROLLRIGHT ? Dir::Right
                                     : Dir::Down;
  int n = std::max(2, std::min(w, h) / 4);
  if (State & DFCS_INACTIVE) {
    DrawArrow(P, cx + 1, cy + 1, n, d, Sys(COLOR_BTNHIGHLIGHT));
    DrawArrow(P, cx, cy, n, d, Sys(COLOR_BTNSHADOW));
  } else {
    DrawArrow(P, cx, cy, n, d, Sys(COLOR_BTNTEXT));
  }
}

}  // namespace

BOOL DrawEdge(HDC DC, TRect& R, UINT Edge, UINT Flags) {
  if (!DC) return false;
  TRect r = R;
  // Without anything to draw on the rectangle still shrinks as the edge would.
  QPainter* p = DC->Painter();
  if (p) p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  EdgeOn(p, r, Edge, Flags);
  if (Flags & BF_ADJUST) R = r;
  return true;
}

BOOL DrawEdge(HDC DC, const TRect& R, UINT Edge, UINT Flags) {
  TRect r = R;
  return DrawEdge(DC, r, Edge, Flags & ~BF_ADJUST);
}

BOOL DrawFrameControl(HDC DC, TRect& R, UINT Type, UINT State) {
  if (!DC) return false;
  if (DC->Recorder) {
    TDrawRecord r = StateRecord(DC, dkFrameControl);
    r.R = R;
    r.Type = Type;
    r.State = State;
    Record(DC, std::move(r));
  }
  QPainter* p = DC->Painter();
  if (p) {
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    switch (Type) {
      case DFC_BUTTON: {
        UINT kind = State & 0xFF;
        if (kind & DFCS_BUTTONPUSH) {
          TRect r = R;
          PushFace(p, r, State);
        } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
          RadioButton(p, R, State);
        } else {
          CheckBox(p, R, State);
        }
        break;
      }
      case DFC_SCROLL:
        ScrollButton(p, R, State);
        break;
      case DFC_CAPTION: {
        TRect r = R;
        PushFace(p, r, State);
        break;
      }
      case DFC_MENU:
        if ((State & 0xFF) == DFCS_MENUCHECK)
          DrawCheckMark(p, R.Left + (R.Width() - 7) / 2, R.Top + (R.Height() - 7) / 2, 1,
                        Sys(COLOR_MENUTEXT));
        else if ((State & 0xFF) == DFCS_MENUARROW)
          DrawArrow(p, R.Left + R.Width() / 2, R.Top + (R.Height() - 1) / 2, 4, Dir::Right, Sys(COLOR_MENUTEXT));
        break;
      default:
        return false;
    }
  }
  if ((State & DFCS_ADJUSTRECT) && (Type == DFC_BUTTON || Type == DFC_SCROLL || Type == DFC_CAPTION))
    InflateRect(R, -2, -2);
  return true;
}

BOOL DrawFrameControl(HDC DC, const TRect& R, UINT Type, UINT State) {
  TRect r = R;
  return DrawFrameControl(DC, r, Type, State & ~DFCS_ADJUSTRECT);
}
