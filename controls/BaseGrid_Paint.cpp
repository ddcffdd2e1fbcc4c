// The base grid's cell painter, and the keys and wheel steps that keep the
// cursor on the base cells of merged blocks.
#include <QScopeGuard>

#include "controls/BaseGrid.h"
#include "controls/ProUtil.h"
#include "platform/gdi/WinGdi.h"

namespace {

// The colour set of a selection style's rounded box.
struct TSelectionColors {
  TColor Color, ColorTo, ColorMirror, ColorMirrorTo, InnerTop, InnerBottom, Border, Corner;
};

TSelectionColors SelectionColors(TGridSelectionStyle Style, bool Focused) {
  if (!Focused)
    return {0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xFBFAFA, 0xF0F0F0, 0xD9D9D9, 0xEFEFEF};
  switch (Style) {
    case ssWin7:
      return {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE};
    case ssOffice2007:
      return {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF};
    default:  // ssVista
      return {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB};
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Painting

void TBaseGrid::Paint() {
  auto unfill = qScopeGuard([this] {
    FFilledBand = TRect();
    FDrawnBeyond = false;
    FPlainBand = false;
  });
  TObjStringGrid::Paint();
  ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  DoPaintCell(Canvas(), ACol, ARow, ARect, AState, true, true);
}

bool TBaseGrid::BandBackgrounds() {
  return FGridLineWidth == 1 && !HasNodes() && !UsesVCLStyles();
}

TColor TBaseGrid::BandRowColor(int) { return Color(); }

bool TBaseGrid::PaintPlainCell(TCanvas*, int, int, const TRect&, TGridDrawState) { return false; }

bool TBaseGrid::PlainCellsPossible() { return false; }

TColor TBaseGrid::PaintBandBackground(const TGridDrawInfo& Info, const TGridBand& Band, const TRect& Clip) {
  const TColor filled = TObjStringGrid::PaintBandBackground(Info, Band, Clip);
  FFilledBand = TRect();
  FDrawnBeyond = false;
  FPlainBand = false;
  if (Band.Fixed || !BandBackgrounds()) return filled;
  TRect area;
  if (!IntersectRect(area, Band.Rect, Clip)) return filled;
  TCanvas* cv = Canvas();
  cv->Brush()->SetStyle(bsSolid);
  // Each row in its plain colour, the horizontal line at its bottom; then the
  // vertical line at each column's right edge: where a cell paints them itself.
  const TGridAxisDrawInfo& h = Info.Horz;
  const TGridAxisDrawInfo& v = Info.Vert;
  const bool horz = Options().contains(goHorzLine), vert = Options().contains(goVertLine);
  int y = Band.Rect.Top;
  for (int r = Band.RowFirst; r <= Band.RowLast && y < Band.Rect.Bottom; ++r) {
    const int ht = v.GetExtent(r);
    if (ht < 0) continue;
    // (A row of no height paints nothing, as its cells do.)
    if (ht > 0) {
      cv->Brush()->SetColor(BandRowColor(r));
      cv->FillRect(TRect(Band.Rect.Left, y, Band.Rect.Right, y + ht - (horz ? 1 : 0)));
      if (horz) {
        cv->Brush()->SetColor(FGridLineColor);
        cv->FillRect(TRect(Band.Rect.Left, y + ht - 1, Band.Rect.Right, y + ht));
      }
    }
    y += ht + v.EffectiveLineWidth;
  }
  if (vert) {
    cv->Brush()->SetColor(FGridLineColor);
    int x = Band.Rect.Left;
    for (int c = Band.ColFirst; c <= Band.ColLast && x < Band.Rect.Right; ++c) {
      const int w = h.GetExtent(c);
      if (w < 0) continue;
      if (w > 0) cv->FillRect(TRect(x + w - 1, Band.Rect.Top, x + w, Band.Rect.Bottom));
      x += w + h.EffectiveLineWidth;
    }
  }
  FFilledBand = Band.Rect;
  FPlainBand = PlainCellsPossible();
  return filled;
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect,
                          TGridDrawState AState) {
  DoPaintCell(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect,
                             TGridDrawState AState) {
  DoPaintCell(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::DoPaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect,
                            TGridDrawState AState, bool DrawContent, bool OwnRect) {
  if (FPlainBand && OwnRect && DrawContent && ACanvas == Canvas() && !FDrawnBeyond && OnFilledBand(ARect) &&
      PaintPlainCell(ACanvas, ACol, ARow, ARect, AState))
    return;
  // The hidden last row shows the grid's background only.
  if (FHideLastRow && ARow == RowCount() - 1) {
    ACanvas->Brush()->SetColor(Color());
    ACanvas->Pen()->SetColor(Color());
    ACanvas->Rectangle(ARect);
    return;
  }
  // A covered cell paints its block through the base cell, once per paint pass
  // for all the covered cells of the block.
  int bc, br;
  if (!ResolveBaseCell(ACol, ARow, bc, br)) {
    TCellProperties* base = HasCellProperties(bc, br) ? GetCellProperties(bc, br) : nullptr;
    if (base != nullptr && base->PaintID() != FPaintID) {
      base->SetPaintID(FPaintID);
      PaintCell(ACanvas, bc, br, ARect, AState);
    }
    return;
  }

  const bool isFixed = IsFixed(ACol, ARow);
  if (isFixed && DrawContent) {
    AState.Include(gdFixed);
    AState.Exclude(gdSelected);
  }
  const bool fixed = AState.contains(gdFixed);
  // A cell without properties is neither merged nor holds a control: in the
  // paint pass its rectangle is the one given.
  const TRect R = !DrawContent                                   ? ARect
                  : OwnRect && !HasCellProperties(ACol, ARow) ? ARect
                                                                 : CellRect(ACol, ARow);

  // A normal cell reaching under the fixed area must not paint over it.
  HDC dc = ACanvas->Handle();
  HRGN savedClip = nullptr;
  bool hadClip = false;
  auto restoreClip = qScopeGuard([&] {
    if (savedClip == nullptr) return;
    SelectClipRgn(dc, hadClip ? savedClip : nullptr);
    DeleteObject(savedClip);
  });
  int fw = 0, fh = 0;
  if (ACol >= FixedCols())
    for (int c = 0; c < FixedCols(); ++c) fw += ColWidths(c);
  if (ARow >= FixedRows())
    for (int r = 0; r < FixedRows(); ++r) fh += RowHeights(r);
  if ((FixedCols() > 0 && ACol >= FixedCols() && R.Left < fw) ||
      (FixedRows() > 0 && ARow >= FixedRows() && R.Top < fh)) {
    savedClip = CreateRectRgn(0, 0, 0, 0);
    hadClip = GetClipRgn(dc, savedClip) == 1;
    IntersectClipRect(dc, fw, fh, Width(), Height());
  }

  ACanvas->Pen()->SetWidth(1);
  ACanvas->Font()->Assign(Font());
  // A grid that tells no colours paints its own colour.
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(Color());
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = FWordWrap;
  TCellGradientDirection gd = GradientVertical;
  const TGridDrawState stateIn = AState;
  GetVisualProperties(ACol, ARow, AState, false, true, true, ACanvas->Brush(), colorTo, mirror,
                      mirrorTo, ACanvas->Font(), ha, va, ww, gd);
  auto forgetLook = qScopeGuard([this] { FResolvedLook.Valid = false; });
  FResolvedLook = {true, ACol, ARow, isFixed, stateIn, AState, ACanvas->Brush()->Color(), colorTo, mirror, mirrorTo,
                   ACanvas->Brush()->Style(), ha, va, ww, gd};
  // The pen takes the cell's colour (set below, where the cell paints itself).
  TColor penColor = ACanvas->Brush()->Color();

  if (FHoverRow && ARow == FHoverRowIdx &&
      !(AState.contains(gdSelected) && !FHoverRowCells.contains(hcSelected)) &&
      !(fixed && !FHoverRowCells.contains(hcFixed))) {
    ACanvas->Brush()->SetColor(FHoverRowColor);
    colorTo = FHoverRowColorTo;
    mirror = clNone;
    mirrorTo = clNone;
    gd = GradientVertical;
  }
  if ((FActiveRowShow && ARow == Row() && ACol >= FixedCols() && (ACol != Col() || !FShowSel)) ||
      (!DrawContent && AState.contains(gdSelected))) {
    ACanvas->Brush()->SetColor(FActiveRowColor);
    colorTo = FActiveRowColorTo;
    mirror = FActiveRowMirrorColor;
    mirrorTo = FActiveRowMirrorColorTo;
    penColor = ACanvas->Brush()->Color();
  }

  // On a band background a single scrolling cell of the row's plain colour is
  // painted already, its lines included.
  const bool styledSelection = AState.contains(gdSelected) && FSelectionStyle != ssDefault && FShowSel;
  const bool onBand = OwnRect && DrawContent && ACanvas == Canvas() && !fixed && !styledSelection &&
                      !FDrawnBeyond && R == ARect && OnFilledBand(R) && colorTo == clNone &&
                      mirrorTo == clNone && ACanvas->Brush()->Color() == BandRowColor(ARow);
  if (!onBand) ACanvas->Pen()->SetColor(penColor);
  if (styledSelection) {
    const TGridRect sel = Selection();
    int l = sel.Left, rt = sel.Right;
    if (rt < l) std::swap(l, rt);
    int part = 0;
    if (l == ACol && ACol < rt) part = 1;
    else if (rt == ACol && ACol > l) part = 2;
    else if (l < ACol && ACol < rt) part = 3;
    TRect s = R;
    if (!Options().contains(goVertLine)) ++s.Right;
    if (!Options().contains(goHorzLine)) ++s.Bottom;
    const bool focused =
        (HandleAllocated() && GetFocus() == Handle()) || Options().contains(goDrawFocusSelected);
    const TSelectionColors sc = SelectionColors(FSelectionStyle, focused);
    DrawStyledSelection(ACanvas, sc.Color, sc.ColorTo, sc.ColorMirror, sc.ColorMirrorTo,
                        sc.InnerTop, sc.InnerBottom, sc.Border, sc.Corner, Color(), s, part);
  } else if (!onBand && !(UsesVCLStyles() && (fixed || AState.contains(gdSelected)))) {
    const TColor brush = ACanvas->Brush()->Color();
    if (mirrorTo != clNone)
      FillGradientMirror(ACanvas, R, brush, colorTo, mirror, mirrorTo, 1, clNone, false, true);
    else
      FillGradient(ACanvas, brush, colorTo, 64, R, gd == GradientHorizontal);
  }

  // The grid lines, inside the cell's rectangle.
  int h;
  if (fixed) {
    ACanvas->Pen()->SetColor(FGridFixedLineColor);
    ACanvas->Pen()->SetWidth(1);
    h = 1;
  } else {
    if (FGridLineWidth > 0) ACanvas->Pen()->SetColor(FGridLineColor);
    ACanvas->Pen()->SetWidth(FGridLineWidth);
    h = (FGridLineWidth + 1) / 2;
  }
  const TGridOptions opt = Options();
  if (!onBand && !(ACol == 0 && HasNodes()) &&
      ((opt.contains(goHorzLine) && !fixed) || (opt.contains(goFixedHorzLine) && fixed))) {
    ACanvas->MoveTo(R.Left - h + 1, R.Bottom - h);
    ACanvas->LineTo(R.Right - h + 1, R.Bottom - h);
  }
  if (!onBand && ((opt.contains(goVertLine) && !fixed) || (opt.contains(goFixedVertLine) && fixed))) {
    ACanvas->MoveTo(R.Right - h, R.Bottom - h);
    ACanvas->LineTo(R.Right - h, R.Top - h);
  }
  ACanvas->Pen()->SetWidth(1);

  TRect c = R;
  if (fixed) {
    c.Right -= 1;
    c.Bottom -= 2;
  } else {
    c = TRect(R.Left + FGridLineWidth, R.Top + FGridLineWidth, R.Right - FGridLineWidth,
              R.Bottom - FGridLineWidth);
  }
  if (DrawContent) {
    FContentInside = false;
    DrawCellContent(ACanvas, ACol, ARow, c, AState);
    if (!FContentInside) FDrawnBeyond = true;
  }

  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Pen()->SetStyle(psSolid);
}

// ---------------------------------------------------------------------------
// Keys, wheel and the current cell

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift) {
  TPoint b(Col(), Row());
  TCellProperties* p = HasCellProperties(Col(), Row()) ? GetCellProperties(Col(), Row()) : nullptr;
  TCellProperties* bp = nullptr;
  if (p != nullptr) {
    b = p->GetBaseCell(Col(), Row());
    if (HasCellProperties(b.X, b.Y)) bp = GetCellProperties(b.X, b.Y);
  }
  switch (Key) {
    case VK_NEXT:
      // With the last row in view the page step would land on the hidden row:
      // the cursor goes to the row before it and the key goes no further.
      if (FHideLastRow && RowCount() > 1 &&
          VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1) {
        SetRow(RowCount() - 2);
        Key = 0;
      }
      break;
    case VK_RIGHT:
      if (bp != nullptr) {
        const int e = b.X + bp->CellSpanX();
        if (e >= Col() && Col() < ColCount() - 1 && b.X < ColCount() - 1 && e < ColCount())
          SetCol(e);
      }
      break;
    case VK_DOWN:
      if (bp != nullptr) {
        const int e = b.Y + bp->CellSpanY();
        if (e >= Row() && Row() < RowCount() - 1 && b.Y < RowCount() - 1) SetRow(e);
      }
      break;
    // On a covered cell, Left and Up first go to the block's base column (row);
    // the framework's step then leaves the block, to the cell right before it.
    case VK_LEFT:
      if (bp != nullptr && b.X < Col() && b.X >= FixedCols()) SetCol(b.X);
      break;
    case VK_UP:
      if (bp != nullptr && b.Y < Row() && b.Y >= FixedRows()) SetRow(b.Y);
      break;
    default:
      break;
  }
  TObjStringGrid::KeyDown(Key, Shift);
  SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  const bool result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
  if (FHideLastRow && Row() - TopRow() > VisibleRowCount() && Row() < RowCount() - 1)
    SetTopRow(TopRow() + 1);
  SnapToBaseCell();
  return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  const bool result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
  SnapToBaseCell();
  return result;
}

bool TBaseGrid::SelectCell(int ACol, int ARow) {
  RepaintCell(Col(), Row());
  const bool result = TObjStringGrid::SelectCell(ACol, ARow);
  RepaintCell(ACol, ARow);
  return result;
}

void TBaseGrid::ChangeScale(int, int) {
  // The framework grid would scale every column width and row height; the grid's
  // sizes are its user's and stay. Nothing else of a windowed control scales here.
}
