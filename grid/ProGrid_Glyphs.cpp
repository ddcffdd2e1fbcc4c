// Check boxes and radio buttons of the string grid in its seven control styles,
// the fixed-cell looks (gradients, hover, drop-down part, active-cell and sorted
// headers, raised edges) and the sort indicator glyph.
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_Glyphs_p.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/UxTheme.h"

void InitProGridGlyphResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(ProGrid_Glyphs);
    return true;
  }();
  (void)done;
}

namespace {

// Whether the platform draws with visual styles; elsewhere csTheme is classic.
bool ThemedSystem() {
  IVisualStyles& vs = VisualStyles();
  return vs.CommonControlsMajorVersion() >= 6 && vs.IsThemeActive() && vs.IsAppThemed();
}

// A bitmap resource of the grid drawn transparent (colour of its bottom-left
// pixel) with its top-left at (X, Y).
void DrawGlyphResource(TCanvas* Canvas, int X, int Y, const char* Name) {
  InitProGridGlyphResources();
  TBitmap bmp;
  bmp.LoadFromResourceName(HInstance, QString::fromLatin1(Name));
  bmp.SetTransparent(true);
  Canvas->Draw(X, Y, &bmp);
}

void DrawUserGlyph(TCanvas* Canvas, int X, int Y, TBitmap* Glyph) {
  if (Glyph == nullptr || Glyph->Empty()) return;
  Glyph->SetTransparent(true);
  Canvas->Draw(X, Y, Glyph);
}

void DrawThemePart(TCanvas* Canvas, const QString& ClassName, int Part, int State, const TRect& R) {
  IVisualStyles& vs = VisualStyles();
  HTHEME th = vs.OpenThemeData(nullptr, ClassName);
  if (th == nullptr) return;
  vs.DrawThemeBackground(th, Canvas->Handle(), Part, State, R, nullptr);
  vs.CloseThemeData(th);
}

}  // namespace

// ---------------------------------------------------------------------------
// Check boxes

void TProStringGrid::DrawCheckBoxGlyph(TRect ARect, bool Checked, bool Enabled, bool Grayed,
                                       TGridControlStyle Style, bool TriState,
                                       TCheckBoxState State) {
  DrawCheckBoxGlyph(FPaintCanvas ? FPaintCanvas : Canvas(), ARect, Checked, Enabled, Grayed, Style,
                    TriState, State);
}

void TProStringGrid::DrawCheckBoxGlyph(TCanvas* C, TRect ARect, bool Checked, bool Enabled,
                                       bool Grayed, TGridControlStyle Style, bool TriState,
                                       TCheckBoxState State) {
  TControlLook* look = ControlLook();
  const bool E = look->NoDisabledCheckRadioLook() || look->CheckAlwaysActive() || Enabled;
  if (Style == csTheme && !ThemedSystem()) Style = csClassic;
  if (TriState) {
    Checked = State == cbChecked;
    Grayed = Grayed || State == cbGrayed;
  }
  const int size = look->CheckSize();
  switch (Style) {
    case csWinXP:
      DrawGlyphResource(C, ARect.Left, ARect.Top,
                        Checked ? (E ? "PSGCHK05" : "PSGCHK07") : (E ? "PSGCHK06" : "PSGCHK08"));
      break;
    case csREZ:
      DrawGlyphResource(C, ARect.Left, ARect.Top,
                        Checked ? (E ? "PSGCHK01" : "PSGCHK03") : (E ? "PSGCHK02" : "PSGCHK04"));
      break;
    case csGlyph:
      DrawUserGlyph(C, ARect.Left, ARect.Top, Checked ? look->CheckedGlyph() : look->UnCheckedGlyph());
      break;
    case csBorland: {
      C->Brush()->SetColor(E ? clBtnFace : clBtnShadow);
      C->Pen()->SetColor(clBtnFace);
      C->Rectangle(ARect);
      C->Pen()->SetColor(clBtnHighlight);
      C->MoveTo(ARect.Left, ARect.Bottom);
      C->LineTo(ARect.Left, ARect.Top);
      C->LineTo(ARect.Right, ARect.Top);
      C->Pen()->SetColor(clBtnShadow);
      C->LineTo(ARect.Right, ARect.Bottom);
      C->LineTo(ARect.Left, ARect.Bottom);
      if (Checked) {
        C->Pen()->SetColor(E ? look->Color() : TColor(0x808080));
        C->Pen()->SetWidth(1);
        const int T = ARect.Top - 1, B = ARect.Bottom - 1, half = size / 2;
        C->MoveTo(ARect.Left + 2, ARect.Top + half);
        C->LineTo(ARect.Left + 2, B - 1);
        C->MoveTo(ARect.Left + 3, T + half);
        C->LineTo(ARect.Left + 3, B - 2);
        C->MoveTo(ARect.Left + 2, B - 1);
        C->LineTo(ARect.Right - 2, T + 3);
        C->MoveTo(ARect.Left + 3, B - 1);
        C->LineTo(ARect.Right - 1, T + 3);
      }
      break;
    }
    case csTheme: {
      int state = Grayed ? 9 : Checked ? 5 : 1;
      if (!E) state += 3;
      DrawThemePart(C, QStringLiteral("button"), 3, state,
                    TRect(ARect.Left, ARect.Top, ARect.Left + size, ARect.Top + size));
      break;
    }
    case csClassic:
    case csFlat: {
      const int l = ARect.Left + (ARect.Width() - size) / 2;
      const int t = ARect.Top + (ARect.Height() - size) / 2;
      UINT flags = DFCS_BUTTONCHECK;
      if (Checked) flags |= DFCS_CHECKED;
      if (Grayed) flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
      if (Style == csFlat) flags |= DFCS_FLAT;
      if (!E) flags |= DFCS_INACTIVE;
      DrawFrameControl(C->Handle(), TRect(l, t, l + size, t + size), DFC_BUTTON, flags);
      break;
    }
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// Radio groups

void TProStringGrid::DrawRadioGroup(TCanvas* C, TRect R, int Count, int Index, bool Horizontal,
                                    bool Disabled, TStrings* Strings, bool Selected, int ACol,
                                    int ARow, TGridControlStyle Style, double Scale, bool Upward) {
  TControlLook* look = ControlLook();
  if (look->NoDisabledCheckRadioLook() || look->RadioAlwaysActive()) Disabled = false;
  const int dir = Upward ? -1 : 1;
  int P = 0;
  SetBkMode(C->Handle(), TRANSPARENT);
  if (Count <= 0) return;
  const int radio = look->RadioSize();
  if (Style == csTheme && !ThemedSystem()) Style = csClassic;
  const QString cellText = (Index == -1 && Strings != nullptr) ? Cells(ACol, ARow) : QString();
  for (int r = 1; r <= Count; ++r) {
    const QString text = (Strings != nullptr && Strings->Count() >= r) ? Strings->Strings(r - 1)
                                                                        : QString();
    const bool chosen = r == Index + 1 || (Index == -1 && Strings != nullptr && text == cellText);
    if (Strings != nullptr && Selected && ShowSelection())
      C->Font()->SetColor(SelectionTextColor());
    if (Style == csClassic || Style == csFlat) {
      UINT flags = DFCS_BUTTONRADIO;
      if (look->ControlStyle() == csFlat) flags |= DFCS_FLAT;
      if (Disabled) flags |= DFCS_INACTIVE;
      if (chosen) flags |= DFCS_CHECKED;
      const int S = int(std::lround(Scale * (Style == csFlat ? radio + 2 : radio)));
      int x, y;
      if (Horizontal) {
        x = R.Left + 2 + P + (r - 1) * radio;
        y = R.Top + (R.Bottom - R.Top - radio) / 2;
        DrawFrameControl(C->Handle(), TRect(x, y, x + S, y + S), DFC_BUTTON, flags);
        C->TextOut(x + int(std::lround(Scale * radio)), y - 2, text);
        P += C->TextWidth(text);
      } else {
        const int H = C->TextHeight(QStringLiteral("gh"));
        y = R.Top + H * (r - 1) * dir + 2;
        if (!text.isEmpty()) {
          x = R.Left + 2;
          DrawFrameControl(C->Handle(), TRect(x, y, x + S, y + S), DFC_BUTTON, flags);
          C->TextOut(x + int(std::lround(Scale * (radio + 4))), y - 2, text);
        } else {
          x = R.Left + (R.Right - R.Left - int(std::lround(Scale * radio))) / 2;
          DrawFrameControl(C->Handle(), TRect(x, y, x + S, y + S), DFC_BUTTON, flags);
        }
      }
      continue;
    }
    // The other styles use a 16-pixel slot.
    const bool drawnStyle = Style == csBorland || Style == csTheme;
    int x, y;
    if (Horizontal) {
      x = R.Left + P + r * 16 - 14;
      y = R.Top + (R.Bottom - R.Top - 16) / 2;
    } else {
      const int H = std::max(16, C->TextHeight(QStringLiteral("gh")));
      y = R.Top + H * (r - 1) * dir + 2;
      x = text.isEmpty() ? R.Left + (R.Right - R.Left - 16) / 2 : R.Left + 2;
    }
    switch (Style) {
      case csBorland: {
        const TColor keep = C->Brush()->Color();
        C->Brush()->SetColor(clBtnFace);
        C->Pen()->SetColor(clBtnFace);
        C->Polygon({TPoint(x + 2, y + 8), TPoint(x + 8, y + 2), TPoint(x + 14, y + 8),
                    TPoint(x + 8, y + 14)});
        C->Pen()->SetColor(chosen ? TColor(0x808080) : clWhite);
        C->MoveTo(x + 8, y + 14);
        C->LineTo(x + 2, y + 8);
        C->LineTo(x + 8, y + 2);
        C->Pen()->SetColor(chosen ? clWhite : TColor(0x808080));
        C->LineTo(x + 14, y + 8);
        C->LineTo(x + 8, y + 14);
        if (chosen) {
          C->Pen()->SetColor(look->Color());
          C->Brush()->SetColor(look->Color());
          C->Polygon({TPoint(x + 6, y + 8), TPoint(x + 8, y + 6), TPoint(x + 10, y + 8),
                      TPoint(x + 8, y + 10)});
        }
        C->Brush()->SetColor(keep);
        break;
      }
      case csTheme:
        DrawThemePart(C, QStringLiteral("button"), 2, chosen ? (Disabled ? 8 : 5) : (Disabled ? 4 : 1),
                      TRect(x, y, x + 16, y + 16));
        break;
      case csWinXP:
        DrawGlyphResource(C, x, y,
                          chosen ? (Disabled ? "PSGRAD07" : "PSGRAD05")
                                 : (Disabled ? "PSGRAD08" : "PSGRAD06"));
        break;
      case csREZ:
        DrawGlyphResource(C, x, y,
                          chosen ? (Disabled ? "PSGRAD03" : "PSGRAD01")
                                 : (Disabled ? "PSGRAD04" : "PSGRAD02"));
        break;
      case csGlyph:
        DrawUserGlyph(C, x, y, chosen ? look->RadioOnGlyph() : look->RadioOffGlyph());
        break;
      default:
        break;
    }
    if (Horizontal) {
      C->TextOut(x + 16, drawnStyle ? y - 2 : y + 1, text);
      P += C->TextWidth(text);
    } else if (!text.isEmpty()) {
      C->TextOut(drawnStyle ? R.Left + 20 : R.Left + 18, drawnStyle ? y - 2 : y + 1, text);
    }
  }
}

// ---------------------------------------------------------------------------
// Fixed-cell looks

bool TProStringGrid::IsHoverFixedCell(int ACol, int ARow) {
  const THoverFixedCells h = HoverFixedCells();
  if (h == hfNone) return false;
  if (ACol < FixedCols() && (h == hfAll || h == hfFixedColumns)) return true;
  return ARow < FixedRows() && (h == hfAll || h == hfFixedRows);
}

bool TProStringGrid::CanShowFixedDropDown(int ACol) {
  bool canShow = true;
  if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, canShow);
  return canShow;
}

void TProStringGrid::DrawFixedCellBackground(TCanvas* C, int DC, int RC, int ARow, TRect& R,
                                             TColor Brush, TColor ColorTo, TColor Mirror,
                                             TColor MirrorTo) {
  const TGridLook look = Look();
  if (look != glREZ && look != glXP && look != glVista && look != glWin7 && look != glOffice2007)
    return;
  const bool moving = GridState() == gsColMoving;
  const bool hot = IsHoverFixedCell(DC, ARow) && !IsDesigning() &&
                   ((FHoverFixedCell == TPoint(DC, ARow) && !moving) ||
                    (moving && FHoverFixedCell.X == DC));
  const bool dropDown = ControlLook()->FixedDropDownButton() && CanShowFixedDropDown(RC);
  if (hot) {
    R.Bottom += 1;
    auto hover = [&](TRect r) {
      FillGradientMirror(C, r, REZGradientHoverFrom, REZGradientHoverTo,
                         REZGradientHoverMirrorFrom, REZGradientHoverMirrorTo, 1,
                         REZGradientHoverBorder, false, true);
    };
    auto down = [&](TRect r) {
      FillGradientMirror(C, r, REZGradientDownFrom, REZGradientDownTo, REZGradientDownMirrorFrom,
                         REZGradientDownMirrorTo, 1, REZGradientDownBorder, false, true);
    };
    if (!FMouseDownOnFixed && !moving) {
      hover(R);
    } else if (dropDown) {
      const TRect left(R.Left, R.Top, R.Right - 16, R.Bottom), right(R.Right - 16, R.Top, R.Right, R.Bottom);
      if (FFixedDropDownDown) {
        down(right);
        hover(left);
      } else {
        down(left);
        hover(right);
      }
    } else {
      down(R);
    }
    if (dropDown) {
      C->Pen()->SetColor(FMouseDownOnFixed ? REZGradientDownBorder : REZGradientHoverBorder);
      C->MoveTo(R.Right - 16, R.Top);
      C->LineTo(R.Right - 16, R.Bottom);
      DrawArrowDown(C, R.Right - 8, R.Top + 8, clBlack);
      R.Right -= 16;
    }
    return;
  }
  if (ActiveCellShow() && ((DC + 1 == FixedCols() && FixedCols() > 0 && ARow == Row()) ||
                           (ARow + 1 == FixedRows() && FixedRows() > 0 && DC == Col()))) {
    FillGradientMirror(C, R, ActiveCellColor(), ActiveCellColorTo(), clNone, clNone, 1, clNone,
                       false, true);
    return;
  }
  TSortSettings* s = SortSettings();
  if (s->Column() != -1 && s->HeaderColor() != clNone && RC == s->Column() &&
      ARow + 1 == FixedRows() && (DC >= FixedCols() || s->FixedCols())) {
    FillGradientMirror(C, R, s->HeaderColor(), s->HeaderColorTo(), s->HeaderMirrorColor(),
                       s->HeaderMirrorColorTo(), 1, clNone, true, true);
    return;
  }
  if (!Flat())
    FillGradientMirror(C, R, Brush, ColorTo, Mirror, MirrorTo, 1,
                       look == glVista ? clWhite : clNone, true, true);
}

void TProStringGrid::DrawFixedCellEdges(TCanvas* C, int DC, int ARow, TRect R) {
  const TGridOptions opt = Options();
  const TColor dark = DarkenColorHalf(FixedColor());
  // The dark bottom line, then the white top and left lines from x = TopFrom.
  auto horzEdges = [&](const TRect& E, int TopFrom) {
    C->Pen()->SetColor(dark);
    C->MoveTo(E.Left, E.Bottom - 1);
    C->LineTo(E.Right - 1, E.Bottom - 1);
    C->Pen()->SetColor(clWhite);
    C->MoveTo(TopFrom, E.Top + 1);
    C->LineTo(E.Left + 1, E.Top + 1);
    C->LineTo(E.Left + 1, E.Bottom - 1);
  };
  if (!Flat()) {
    switch (Look()) {
      case glClassic: {
        R.Top -= 1;
        R.Bottom += 1;
        R.Left += 1;
        TRect e = R;
        DrawEdge(C->Handle(), e, BDR_RAISEDINNER, BF_LEFT);
        DrawEdge(C->Handle(), e, BDR_RAISEDINNER, BF_TOP);
        DrawEdge(C->Handle(), e, BDR_RAISEDINNER | BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
        C->Pen()->SetColor(clBlack);
        C->MoveTo(R.Right - 1, R.Top);
        C->LineTo(R.Right - 1, R.Bottom - 1);
        C->LineTo(R.Left - 1, R.Bottom - 1);
        break;
      }
      case glREZ:
      case glXP:
        R.Bottom += 1;
        if (opt.contains(goFixedHorzLine)) horzEdges(R, R.Right - 2);
        break;
      case glSoft:
        R.Right += 1;
        R.Bottom += 1;
        if (opt.contains(goFixedHorzLine)) horzEdges(R, R.Right);
        if (opt.contains(goFixedVertLine)) {
          C->Pen()->SetColor(dark);
          C->MoveTo(R.Right - 2, R.Top);
          C->LineTo(R.Right - 2, R.Bottom - 1);
          C->Pen()->SetColor(clWhite);
          C->MoveTo(R.Right - 1, R.Top);
          C->LineTo(R.Right - 1, R.Bottom - 1);
        }
        break;
      default:
        break;
    }
    return;
  }
  // The lines of the fixed right columns of a flat grid.
  if (Look() != glClassic && FixedRightCols() > 0 &&
      DC >= ColCount() + NumHiddenColumns() - FixedRightCols()) {
    C->Pen()->SetColor(TColor(0x808080));
    C->Pen()->SetWidth(1);
    if (opt.contains(goFixedHorzLine)) {
      C->MoveTo(R.Left - 1, R.Top - 1);
      C->LineTo(R.Right + 1, R.Top - 1);
      C->MoveTo(R.Left - 1, R.Bottom + 1);
      C->LineTo(R.Right + 1, R.Bottom + 1);
    }
    if (opt.contains(goFixedVertLine)) {
      C->MoveTo(R.Left - 1, R.Top - 1);
      C->LineTo(R.Left - 1, R.Bottom + 1);
      C->MoveTo(R.Right + 1, R.Top - 1);
      C->LineTo(R.Right + 1, R.Bottom + 1);
    }
  }
}

// ---------------------------------------------------------------------------
// The sort indicator

void TProStringGrid::DrawSortGlyph(TCanvas* C, int ACol, int X, int Y) {
  TSortSettings* s = SortSettings();
  if (s->IndexShow()) {
    const int P = SortIndexes()->FindIndex(ACol);
    if (P < 0) return;
    C->Brush()->SetColor(s->IndexColor());
    SetBkMode(C->Handle(), TRANSPARENT);
    C->Font()->SetColor(clBlack);
    C->Font()->SetSize(6);
    const bool noGlyphs = s->IndexUpGlyph()->Empty() || s->IndexDownGlyph()->Empty();
    const bool descending = !SortIndexes()->SortDirections(P);
    const QString number = QString::number(P + 1);
    if (descending) {
      if (noGlyphs)
        C->Polygon({TPoint(X - 7, Y - 5), TPoint(X + 7, Y - 5), TPoint(X, Y + 8)});
      else
        DrawUserGlyph(C, X - 7, Y - 7, s->IndexDownGlyph());
      C->TextOut(X - 2, Y - 4, number);
    } else {
      if (noGlyphs)
        C->Polygon({TPoint(X - 6, Y + 8), TPoint(X + 6, Y + 8), TPoint(X, Y - 4)});
      else
        DrawUserGlyph(C, X - 7, Y - 7, s->IndexUpGlyph());
      C->TextOut(X - 2, Y - 2, number);
    }
    return;
  }
  const bool noGlyphs = s->UpGlyph()->Empty() || s->DownGlyph()->Empty();
  if (s->Direction() == sdDescending) {
    if (noGlyphs) {
      C->Pen()->SetColor(clWhite);
      C->Pen()->SetWidth(1);
      C->MoveTo(X + 4, Y - 4);
      C->LineTo(X, Y + 4);
      C->Pen()->SetColor(TColor(0x808080));
      C->LineTo(X - 4, Y - 4);
      C->LineTo(X + 4, Y - 4);
      C->Pen()->SetColor(clBlack);
    } else {
      DrawUserGlyph(C, X - 4, Y - 4, s->DownGlyph());
      C->Brush()->SetColor(FixedColor());
    }
  } else {
    if (noGlyphs) {
      C->Pen()->SetColor(clWhite);
      C->Pen()->SetWidth(1);
      C->MoveTo(X - 4, Y + 4);
      C->LineTo(X + 4, Y + 4);
      C->LineTo(X, Y - 4);
      C->Pen()->SetColor(TColor(0x808080));
      C->LineTo(X - 4, Y + 4);
      C->Pen()->SetColor(clBlack);
    } else {
      DrawUserGlyph(C, X - 4, Y - 4, s->UpGlyph());
      C->Brush()->SetColor(FixedColor());
    }
  }
}
