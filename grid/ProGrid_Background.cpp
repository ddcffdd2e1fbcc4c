// String grid: the background picture or gradient behind the cells and in the
// empty area beyond the last column and row.
#include "grid/ProGrid_Background.h"

#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <vector>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "platform/gdi/WinGdi.h"

namespace {

// Rect filled with Steps solid strips (0 counts as 1) from FromColor to
// ToColor, left to right when Horizontal, else top to bottom; each strip one
// pixel longer than its share so that no gap remains.
void DrawStepGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& Rect,
                      int Steps) {
  if (Steps <= 0) Steps = 1;
  const TColor a = ColorToRGB(FromColor), b = ColorToRGB(ToColor);
  const int r1 = GetRValue(a), g1 = GetGValue(a), b1 = GetBValue(a);
  const int dr = GetRValue(b) - r1, dg = GetGValue(b) - g1, db = GetBValue(b) - b1;
  const int extent = Horizontal ? Rect.Width() : Rect.Height();
  if (extent <= 0) return;
  const double share = double(extent) / Steps;
  for (int i = 0; i < Steps; ++i) {
    const int start = int(i * share), stop = int((i + 1) * share) + 1;
    if (stop <= start) continue;
    const TColor c = RGB(r1 + int(std::lround(double(dr) * i / Steps)), g1 + int(std::lround(double(dg) * i / Steps)),
                         b1 + int(std::lround(double(db) * i / Steps)));
    Canvas->Pen()->SetColor(c);
    Canvas->Brush()->SetColor(c);
    Canvas->Brush()->SetStyle(bsSolid);
    const TRect strip = Horizontal ? TRect(Rect.Left + start, Rect.Top, std::min(Rect.Right, Rect.Left + stop), Rect.Bottom)
                                   : TRect(Rect.Left, Rect.Top + start, Rect.Right, std::min(Rect.Bottom, Rect.Top + stop));
    Canvas->FillRect(strip);
  }
}

TRect Intersect(const TRect& A, const TRect& B) {
  return TRect(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
               std::min(A.Bottom, B.Bottom));
}

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// The picture repeated over Area, one tile at every (OX + i * width, OY + j * height).
void TileFrom(TCanvas* Canvas, TBitmap* Pic, const TRect& Area, int OX, int OY) {
  const int w = Pic->Width(), h = Pic->Height();
  if (w <= 0 || h <= 0 || IsEmptyRect(Area)) return;
  auto floorTo = [](int v, int o, int step) {
    int k = (v - o) / step;
    if (o + k * step > v) --k;
    return o + k * step;
  };
  for (int y = floorTo(Area.Top, OY, h); y < Area.Bottom; y += h)
    for (int x = floorTo(Area.Left, OX, w); x < Area.Right; x += w) {
      const TRect dest = Intersect(TRect(x, y, x + w, y + h), Area);
      if (IsEmptyRect(dest)) continue;
      Canvas->CopyRect(dest, Pic->Canvas(),
                       TRect(dest.Left - x, dest.Top - y, dest.Right - x, dest.Bottom - y));
    }
}

}  // namespace

// ------------------------------------------------------------ TBackGround

TBackGround::TBackGround(TProStringGrid* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

TPersistent* TBackGround::GetOwner() { return FGrid; }

void TBackGround::Changed() {
  if (FGrid != nullptr) FGrid->Invalidate();
}

void TBackGround::SetTop(int Value) {
  FTop = Value;
  Changed();
}

void TBackGround::SetLeft(int Value) {
  FLeft = Value;
  Changed();
}

void TBackGround::SetDisplay(TBackGroundDisplay Value) {
  if (Value < bdTile || Value > bdGradientVert)
    throw EProGridError(QStringLiteral("Invalid background display %1").arg(int(Value)));
  FDisplay = Value;
  Changed();
}

void TBackGround::SetCells(TBackGroundCells Value) {
  if (Value < bcNormal || Value > bcAll)
    throw EProGridError(QStringLiteral("Invalid background cells %1").arg(int(Value)));
  FBackgroundCells = Value;
  Changed();
}

void TBackGround::SetColorTo(TColor Value) {
  FColorTo = Value;
  Changed();
}

void TBackGround::SetColor(TColor Value) {
  FColor = Value;
  Changed();
}

void TBackGround::SetBitmap(TBitmap* Value) {
  if (Value == nullptr)
    FBitmap = std::make_unique<TBitmap>();
  else
    FBitmap->Assign(Value);
  Changed();
}

void TBackGround::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TBackGround*>(Source);
  if (src == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FTop = src->FTop;
  FLeft = src->FLeft;
  FDisplay = src->FDisplay;
  FBackgroundCells = src->FBackgroundCells;
  FColorTo = src->FColorTo;
  FColor = src->FColor;
  FBitmap->Assign(src->FBitmap.get());
  Changed();
}

// ------------------------------------------------------------ drawing

void TProStringGrid::DrawBackgroundBitmapAt(TCanvas* ACanvas, const TRect& R) {
  TBitmap* pic = FBackGround->Bitmap();
  const int l = FBackGround->Left(), t = FBackGround->Top();
  const TRect dest = Intersect(R, TRect(l, t, l + pic->Width(), t + pic->Height()));
  if (IsEmptyRect(dest)) return;
  ACanvas->CopyRect(dest, pic->Canvas(), TRect(dest.Left - l, dest.Top - t, dest.Right - l, dest.Bottom - t));
}

namespace {

// Where the tiles of the grid-wide pattern start: one pixel above and left of
// the first counted cell (column FixedCols and row FixedRows for bcNormal,
// else column 0 and row 0) as it would stand unscrolled, moved with the scroll.
TPoint TileOrigin(TProStringGrid& G, TBackGroundCells Cells) {
  // The cells follow each other at their size plus the lines drawn between them.
  TGridDrawInfo info;
  G.CalcDrawInfo(info);
  const int lx = info.Horz.EffectiveLineWidth, ly = info.Vert.EffectiveLineWidth;
  const int firstCol = Cells == bcNormal ? G.FixedCols() : 0;
  const int firstRow = Cells == bcNormal ? G.FixedRows() : 0;
  auto advance = [](int Size, int Line) { return Size < 0 ? 0 : Size + Line; };  // hidden: none
  int x = 0, y = 0;
  for (int c = 0; c < firstCol; ++c) x += advance(G.ColWidths(c), lx);
  for (int r = 0; r < firstRow; ++r) y += advance(G.RowHeights(r), ly);
  for (int c = G.FixedCols(); c < G.LeftCol(); ++c) x -= advance(G.ColWidths(c), lx);
  for (int r = G.FixedRows(); r < G.TopRow(); ++r) y -= advance(G.RowHeights(r), ly);
  return TPoint(x - 1, y - 1);
}

}  // namespace

void TProStringGrid::PaintBackground() {
  TBackGround* bg = FBackGround.get();
  const bool gradient = bg->Display() == bdGradientHorz || bg->Display() == bdGradientVert;
  if (!bg->HasPicture() && !gradient) return;
  // The cells cover the whole client area.
  if (TopRow() + VisibleRowCount() < RowCount() && LeftCol() + VisibleColCount() < ColCount()) return;
  if (gradient && bg->ColorTo() == clNone) return;
  const int lw = GridLineWidth();
  const TRect client = ClientRect();
  std::vector<TRect> strips;
  const TRect lastCol = CellRect(ColCount() - 1, 0);
  if (!IsEmptyRect(lastCol) && lastCol.Right + lw < client.Right)
    strips.push_back(TRect(lastCol.Right + lw, client.Top, client.Right, client.Bottom));
  const TRect lastRow = CellRect(0, RowCount() - 1);
  if (!IsEmptyRect(lastRow) && lastRow.Bottom + lw < client.Bottom)
    strips.push_back(TRect(client.Left, lastRow.Bottom + lw, client.Right, client.Bottom));
  if (strips.empty()) return;
  // The search and floating footers are left out.
  TRect K = client;
  if (FSearchFooter->Visible()) K.Bottom -= SearchPanelHeight();
  if (FFloatingFooter->Visible() && FFooterPanel != nullptr) K.Bottom -= FFooterPanel->Height();
  TCanvas* cv = Canvas();
  const HDC dc = cv->Handle();
  for (const TRect& strip : strips) {
    const TRect area = Intersect(strip, K);
    if (IsEmptyRect(area)) continue;
    const int saved = SaveDC(dc);
    auto restore = qScopeGuard([&] { RestoreDC(dc, saved); });
    IntersectClipRect(dc, area.Left, area.Top, area.Right, area.Bottom);
    if (!bg->HasPicture()) {
      DrawStepGradient(cv, bg->Color(), bg->ColorTo(), bg->Display() == bdGradientHorz, K, 128);
    } else if (bg->Display() != bdTile) {
      DrawBackgroundBitmapAt(cv, K);
    } else if (bg->Cells() != bcFixed) {
      const TPoint o = TileOrigin(*this, bg->Cells());
      TileFrom(cv, bg->Bitmap(), area, o.X, o.Y);
    }
  }
}

void TProStringGrid::DrawCellBackground(TCanvas* ACanvas, int, int RC, int ARow, const TRect& T,
                                        TGridDrawState AState) {
  TBackGround* bg = FBackGround.get();
  const bool gradient = bg->Display() == bdGradientHorz || bg->Display() == bdGradientVert;
  if (!bg->HasPicture() && !gradient) return;
  const bool fixed = AState.contains(gdFixed);
  const bool kindMatches = fixed ? bg->Cells() != bcNormal : bg->Cells() != bcFixed;
  if (!kindMatches) return;
  const bool ownColor = Colors(RC, ARow) != clNone;
  const int lw = GridLineWidth();
  if (bg->HasPicture()) {
    if (ownColor || (ShowSelection() && AState.contains(gdSelected))) return;
    const TRect R(T.Left - lw + 1, T.Top - lw + 1, T.Right, T.Bottom);
    if (bg->Display() == bdTile) {
      const TPoint o = TileOrigin(*this, bg->Cells());
      TileFrom(ACanvas, bg->Bitmap(), R, o.X, o.Y);
    } else {
      DrawBackgroundBitmapAt(ACanvas, R);
    }
    return;
  }
  if (bg->ColorTo() == clNone) return;
  const bool control = HasCheckBox(RC, ARow) || HasRadioButton(RC, ARow) || IsRadio(RC, ARow);
  if (ownColor && !control) return;
  const bool selected = AState.contains(gdSelected), focused = AState.contains(gdFocused);
  const bool show = !ShowSelection() ||
                    ((!selected || focused) && !(focused && Options().contains(goDrawFocusSelected)));
  if (!show) return;
  const TRect R(T.Left - 1, T.Top - lw, T.Right, T.Bottom + lw - 1);
  if (bg->Display() == bdGradientVert) {
    const TColor c1 = InterpolateColor(bg->Color(), bg->ColorTo(), 0, Height(), R.Top);
    const TColor c2 = InterpolateColor(bg->Color(), bg->ColorTo(), 0, Height(), R.Bottom);
    DrawStepGradient(ACanvas, c1, c2, false, R, 128);
  } else {
    const TColor c1 = InterpolateColor(bg->Color(), bg->ColorTo(), 0, Width(), R.Left);
    const TColor c2 = InterpolateColor(bg->Color(), bg->ColorTo(), 0, Width(), R.Right);
    DrawStepGradient(ACanvas, c1, c2, true, R, 128);
  }
}
