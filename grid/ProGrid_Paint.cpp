// The string grid's painting: the look of every cell (GetVisualProperties), the
// order of the steps that draw a cell's content, the cell borders, the focus
// rectangle and the move lines.
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/UxTheme.h"
#include "platform/ui/WinApi.h"

namespace {

bool IsLookREZOrLater(TGridLook Look) { return Look >= glREZ; }

}  // namespace

// ---------------------------------------------------------------------------
// Properties

void TProStringGrid::SetSelectionColorMixerFactor(int Value) {
  Value = std::clamp(Value, 0, 100);
  if (F.SelectionColorMixerFactor == Value) return;
  F.SelectionColorMixerFactor = Value;
  Invalidate();
}

void TProStringGrid::SetShowSelection(bool Value) {
  FShowSel = Value;
  if (F.ShowSelection == Value) return;
  F.ShowSelection = Value;
  Invalidate();
}

// ---------------------------------------------------------------------------
// Colours

TColor TProStringGrid::BlendColorProGrid(TColor Color, TColor Color2, int Percent) {
  if (Percent >= 100) return Color;
  if (Percent < 1 || Color == clNone) return Color2;
  if (Color2 == clNone) return Color;
  const uint32_t c1 = uint32_t(ColorToRGB(Color)), c2 = uint32_t(ColorToRGB(Color2));
  const double p = Percent / 100.0;
  auto channel = [&](int Shift) {
    const double v = p * ((c1 >> Shift) & 0xFF) + (1 - p) * ((c2 >> Shift) & 0xFF);
    // Rounded half to even, as the drawing routines round.
    return std::min<uint32_t>(255, uint32_t(std::nearbyint(v)));
  };
  return TColor(channel(0) | (channel(8) << 8) | (channel(16) << 16));
}

TColor TProStringGrid::MixSelectionColor(TColor Selection, TColor CellColor, bool Mixer,
                                         int Factor) {
  return Mixer ? BlendColorProGrid(Selection, CellColor, Factor) : Selection;
}

// ---------------------------------------------------------------------------
// The look of a cell

void TProStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState,
                                       TFont* AFont, TBrush* ABrush, bool Remap) {
  const bool fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
  AFont->Assign(fixed ? FixedFont() : Font());
  if (HasCellProperties(RCol, ARow)) {
    TCellProperties* p = GetCellProperties(RCol, ARow);
    if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
    if (!p->FontStyle().empty()) AFont->SetStyle(p->FontStyle());
    if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
    if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
  }
  GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

void TProStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print,
                                         bool Select, bool Remap, TBrush* ABrush,
                                         TColor& AColorTo, TColor& AMirrorColor,
                                         TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA,
                                         TVAlignment& VA, bool& WW, TCellGradientDirection& GD) {
  const bool usePrintFonts = Print && !PrintSettings()->UseDisplayFont();
  // The font of normal or fixed cells (the printer's on paper).
  if (ACol >= FixedCols() && ARow >= FixedRows())
    AFont->Assign(usePrintFonts ? PrintSettings()->Font() : Font());
  else
    AFont->Assign(usePrintFonts ? PrintSettings()->FixedFont() : FixedFont());

  // The real column and row.
  const int RC = Remap ? RealColIndex(ACol) : ACol;
  int RR = ARow;
  if ((MouseActions()->DisjunctRowSelect() && MouseActions()->RowSelectPersistent()) ||
      FUseEnabledRows)
    RR = RealRowIndex(ARow);

  // Nothing set yet; the brush takes the colour once, before the events.
  TColor brush = clNone;
  AColorTo = AMirrorColor = AMirrorColorTo = clNone;
  bool explicitColor = false;

  // The cell's own properties.
  if (TCellProperties* p = PropertiesAt(RC, ARow)) {
    brush = p->BrushColor();
    if (p->BrushColor() != clNone && CellGraphicKeepsColor(ACol, ARow)) explicitColor = true;
    if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
    if (!p->FontStyle().empty()) AFont->SetStyle(p->FontStyle());
    if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
    if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
    WW = p->WordWrap();
    AColorTo = p->BrushColorTo();
    GD = p->GradientDirection();
  }
  // Selected cells run their gradient top to bottom.
  if (AState.contains(gdSelected)) GD = GradientVertical;

  // Default colouring: the grid colour, the bands, the fixed areas.
  if (brush == clNone) {
    brush = Color();
    TBands* bands = Bands();
    if (bands->Active() && (!Print || Print == bands->Print()) && ACol >= FixedCols() &&
        ACol < ColCount() + NumHiddenColumns() - FixedRightCols() && ARow >= FixedRows() &&
        ARow < RowCount() - FixedFooters() && bands->TotalLength() > 0) {
      brush = (ARow - FixedRows()) % bands->TotalLength() < bands->PrimaryLength() ? bands->PrimaryColor()
                                                                                  : bands->SecondaryColor();
    }
    if (ACol < FixedCols() || ARow < FixedRows() ||
        DisplColIndex(ACol) >= ColCount() - FixedRightCols() ||
        ARow >= RowCount() - FixedFooters())
      brush = FixedColor();
  }

  // Fixed cells.
  const bool fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
  if (fixed && !Print && !explicitColor) {
    brush = FixedColor();
    AFont->Assign(FixedFont());
    AState.Include(gdFixed);
  }
  if (fixed && !explicitColor && IsLookREZOrLater(Look())) {
    brush = REZGradientFrom();
    AColorTo = REZGradientTo();
    AMirrorColor = REZGradientMirrorFrom();
    AMirrorColorTo = REZGradientMirrorTo();
  }

  ABrush->SetColor(brush);

  // The events.
  if (Print)
    GetCellPrintColor(RC, ARow, AState, ABrush, AFont);
  else
    GetCellColor(RC, ARow, AState, ABrush, AFont);
  if (OnGetCellGradient) {
    TColor c = ABrush->Color();
    OnGetCellGradient(this, ARow, RC, c, AColorTo, AMirrorColor, AMirrorColorTo, GD);
    ABrush->SetColor(c);
  }

  // The colours before any selection colouring.
  const TColor savedBrush = ABrush->Color(), savedFont = AFont->Color();
  auto applySelection = [&] {
    ABrush->SetColor(SelectionColor());
    AColorTo = SelectionColorTo();
    AMirrorColor = SelectionMirrorColor();
    AMirrorColorTo = SelectionMirrorColorTo();
    if (SelectionTextColor() != clNone) AFont->SetColor(SelectionTextColor());
  };
  const bool normal = ACol >= FixedCols() && ARow >= FixedRows();
  const bool selectable = normal && !Print && Select && ShowSelection() && !fixed;

  // Disjunct rows.
  if (selectable && MouseActions()->DisjunctRowSelect()) {
    const bool rowSel = RowSelect(RR);
    if ((rowSel && !(FMouseDown && ARow == Row())) ||
        (FMouseDown && !rowSel && AState.contains(gdSelected))) {
      AState = TGridDrawState{gdSelected};
      applySelection();
    } else {
      AState.Exclude(gdSelected);
    }
  }
  // Disjunct columns.
  if (selectable && MouseActions()->DisjunctColSelect()) {
    const bool colSel = ColSelect(ACol);
    if (((!FMouseDown || ACol != Col()) && colSel) ||
        (FMouseDown && !colSel && AState.contains(gdSelected))) {
      AState = TGridDrawState{gdSelected};
      applySelection();
    }
  }
  // The ordinary selection.
  const bool disjunct = MouseActions()->DisjunctRowSelect() || MouseActions()->DisjunctColSelect();
  if ((Select && !Print && ShowSelection() && !fixed && IsSelected(ACol, ARow) && !disjunct) ||
      (AState.contains(gdSelected) && FMouseDown && ShowSelection())) {
    const TColor own = ABrush->Color();
    applySelection();
    if (own != Color())
      ABrush->SetColor(MixSelectionColor(SelectionColor(), own, SelectionColorMixer(),
                                         SelectionColorMixerFactor()));
    AState.Include(gdSelected);
  }
  // Disjunct cells.
  if (MouseActions()->DisjunctCellSelect() && ShowSelection()) {
    if (FitsCellKey(ACol, ARow) && FSelectedCells->HasValue(CellKey(ACol, ARow))) {
      applySelection();
      AState.Include(gdSelected);
    } else if (ACol == Col() && ARow == Row()) {
      AState.Exclude(gdSelected);
      ABrush->SetColor(savedBrush);
      AFont->SetColor(savedFont);
    }
  }
  // Disabled rows and a disabled grid.
  if (UseDisabledFont() && ((FUseEnabledRows && !RowEnabled(RR)) || !Enabled()))
    AFont->SetColor(DisabledFontColor());
  // Selected rows other than the current one stand out a little.
  if (MouseActions()->DisjunctRowSelect() && ARow != Row() && SelectionColorTo() == clNone &&
      IsSelected(ACol, ARow))
    ABrush->SetColor(AdjustColorPercent(ABrush->Color(), 7));
  // Word wrap and alignment.
  GetCellWordWrap(RC, ARow, WW);
  CalcCellAlignment(RC, ARow, HA, VA);
}

void TProStringGrid::CalcCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA) {
  HA = DefaultAlignment();
  VA = VAlignment();
  // The text matters to numbers aligned by themselves and to formulas in cells
  // with an alignment of their own: read only then.
  const bool props = HasCellProperties(ACol, ARow);
  if (AutoNumAlign() || props) {
    const QString text = Cells(ACol, ARow);
    const bool formula = text.startsWith(u'=') ||
                         (text.size() > 3 && text.startsWith(QStringLiteral("|\\")) && text[3] == u'=');
    if (AutoNumAlign()) {
      // A formula's calculated text is its own text in the string grid.
      const TNumberTextKind k = ClassifyNumberText(text.trimmed());
      if (k == ntkInteger || k == ntkFloat || k == ntkScientific) HA = taRightJustify;
    }
    if (props && !formula) HA = GetCellProperties(ACol, ARow)->Alignment();
  }
  GetCellAlignment(ACol, ARow, HA, VA);
}

void TProStringGrid::GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                     TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                                     TVAlignment& VA, bool& WW, TCellGradientDirection& GD) {
  TGridDrawState state;
  GetVisualProperties(ACol, ARow, state, false, false, false, ABrush, AColorTo, AMirrorColor, AMirrorColorTo,
                      AFont, HA, VA, WW, GD);
  // A colour that comes from the cell's place or state stays with the place:
  // stored in the cell it would paint over the fixed look, the bands or the
  // background gradient ever after.
  const TBackGroundDisplay bg = BackGround()->Display();
  if (IsFixed(ACol, ARow) || Bands()->Active() || bg == bdGradientHorz || bg == bdGradientVert ||
      state.contains(gdSelected)) {
    ABrush->SetColor(clNone);
    AColorTo = clNone;
  }
}

// ---------------------------------------------------------------------------
// Paint and the content steps

void TProStringGrid::Paint() {
  Canvas()->Pen()->SetStyle(psSolid);
  Canvas()->Brush()->SetStyle(bsSolid);
  TBaseGrid::Paint();
  if (EditorMode()) {
    TCanvas* c = Canvas();
    c->Pen()->SetColor(GridLineWidth() > 0 ? GridLineColor() : Color());
    if (!Options().contains(goHorzLine) && !Options().contains(goVertLine))
      c->Pen()->SetColor(Color());
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(CellRect(Col(), Row()));
    c->Brush()->SetStyle(bsSolid);
  }
  Canvas()->Pen()->SetColor(clBlack);
  PaintBackground();
  PaintDesignHelper();
  if (OnPainted) OnPainted(this);
}


void TProStringGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect,
                                     TGridDrawState AState) {
  FPaintCanvas = ACanvas;
  auto forgetCanvas = qScopeGuard([this] { FPaintCanvas = nullptr; });
  // The real column; the filter row shows the filter glyph of filtered columns.
  const int RC = RealColIndex(ACol);
  const bool filterGlyph = ARow == FilterDropDownRow() && GetColumnFilter(RC);
  // The cell's graphic and its layout beside the text; an in-cell scroll bar
  // at the cell's right edge.
  FCellLayout = TCellLayout();
  FCellLayout.G = GetCellGraphicGeometry(RC, ARow, FCellLayout.GW, FCellLayout.GH, FCellLayout.TextShown,
                                         FCellLayout.GHA, FCellLayout.GVA);
  const bool scrollBar = FCellLayout.G && FCellLayout.G->CellType() == ctScrollbar;
  if (scrollBar) DrawInCellScrollBar(ACanvas, ARect, RC, ARow);
  // The cell's look.
  bool WW = WordWrap();
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  TCellGradientDirection GD = GradientVertical;
  // The look the cell painter resolved with the selection is this one too when
  // the cell is not selected and no disjunct selection can make it so; the
  // canvas font is still the one it resolved (no scroll bar drawn since).
  const TResolvedLook& known = FResolvedLook;
  if (known.Valid && known.Col == ACol && known.Row == ARow && !scrollBar && !known.StateIn.contains(gdSelected) &&
      !known.StateOut.contains(gdSelected) && AState == known.StateOut &&
      !MouseActions()->DisjunctRowSelect() && !MouseActions()->DisjunctColSelect()) {
    ACanvas->Brush()->SetColor(known.Brush);
    ACanvas->Brush()->SetStyle(known.BrushStyle);
    colorTo = known.ColorTo;
    mirror = known.Mirror;
    mirrorTo = known.MirrorTo;
    HA = known.HA;
    VA = known.VA;
    WW = known.WW;
    GD = known.GD;
  } else {
    GetVisualProperties(ACol, ARow, AState, false, false, true, ACanvas->Brush(), colorTo, mirror,
                        mirrorTo, ACanvas->Font(), HA, VA, WW, GD);
  }
  TCellGraphic* graphic = FCellLayout.G;
  auto* drawer = graphic && graphic->CellType() == ctInterface ? dynamic_cast<ICellInterface*>(graphic->CellBitmap())
                                                               : nullptr;
  // Selected without focus and no selection colour: the system's highlight;
  // the zoom; the colours kept for the end.
  if (AState.contains(gdSelected) && !AState.contains(gdFocused) && SelectionColor() == clNone)
    ACanvas->Brush()->SetColor(clHighlight);
  ApplyZoom(ACanvas->Font());
  const TColor keptBrush = ACanvas->Brush()->Color(), keptFont = ACanvas->Font()->Color();
  // Fixed, unless the hover row shows its colour over fixed cells.
  const bool fixedCell = (known.Valid && known.Col == ACol && known.Row == ARow ? known.Fixed : IsFixed(ACol, ARow)) ||
                         ACol < FixedCols() || ARow < FixedRows();
  bool fixed = fixedCell;
  if (HoverRow() && ARow == FHoverRowIdx && HoverRowCells().contains(hcFixed)) fixed = false;
  // Fixed-cell background, row indicator, list-view header, modified marker.
  TRect R = ARect;
  if (fixed)
    DrawFixedCellBackground(ACanvas, ACol, RC, ARow, R, ACanvas->Brush()->Color(), colorTo,
                            mirror, mirrorTo);
  int indicatorShift = 0;
  TBitmap* ind = RowIndicator();
  if (RC == 0 && ARow == Row() && FixedCols() > 0 && !ind->Empty() &&
      !(FixedRowAlways() && RowCount() == FixedRows())) {
    int y = ARect.Top;
    if (VAlignment() == vtaCenter) y = ARect.Top + (ARect.Height() - ind->Height()) / 2;
    if (VAlignment() == vtaBottom) y = ARect.Bottom - ind->Height();
    ind->SetTransparent(true);
    ACanvas->Draw(ARect.Left + 2, y, ind);
    indicatorShift = ind->Width() + 2;
    ARect.Left += indicatorShift;
  }
  if (fixed && Look() == glListView && !Flat()) DrawListViewHeader(ACanvas, R);
  if (ACol == 0 && ShowModified()->Enabled() && RowModified(RealRowIndex(ARow))) {
    ACanvas->Pen()->SetColor(ShowModified()->Color());
    ACanvas->Brush()->SetColor(ShowModified()->Color());
    ACanvas->Rectangle(TRect(ARect.Right - 4, ARect.Top, ARect.Right, ARect.Bottom));
    ACanvas->Brush()->SetColor(keptBrush);
  }
  if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, ACanvas, RC, ARow, AState, ARect, false);
  // The always-visible combo and spin buttons take their room off the text.
  const int rightBeforeButtons = ARect.Right;
  const bool buttons = (ControlLook()->DropDownAlwaysVisible() || ControlLook()->SpinButtonsAlwaysVisible()) &&
                       !IsFixed(ACol, ARow);
  if (buttons) DrawAlwaysVisibleButtons(ACanvas, ARect, RC, ARow);
  // The content: an object drawn before the text, then the default text unless
  // the cell is drawn by an event.
  const bool eventDraws = (OnDrawCell || OnCustomCellDraw) && NoDefaultDraw();
  TRect content = ARect;
  if (fixed && R.Right < ARect.Right) content.Right = R.Right;
  if (drawer && drawer->DrawsBeforeText())
    drawer->Draw(ACanvas, TRect(ARect.Left - 1, ARect.Top - 1, ARect.Right + 1, ARect.Bottom + 1), RC, ARow,
                 AState.contains(gdSelected), this);
  int textWidth = 0;
  if (!eventDraws && !(graphic && NoImageAndText())) {
    ACanvas->Brush()->SetColor(keptBrush);
    textWidth = DrawCellText(ACanvas, ACol, RC, ARow, content, AState, HA, VA, WW, keptBrush, keptFont,
                             filterGlyph, fixedCell);
  }
  ARect.Right = rightBeforeButtons;
  ACanvas->Brush()->SetColor(keptBrush);
  ACanvas->Font()->SetColor(keptFont);
  const bool borders = DrawCellBorders(ACanvas, RC, ARow,
                                       TRect(ARect.Left - 1, ARect.Top - 1, ARect.Right + 1, ARect.Bottom + 1));
  // The row indicator's room is given back.
  ARect.Left -= indicatorShift;
  if (fixed) DrawFixedCellEdges(ACanvas, ACol, ARow, ARect);
  // Tree lines of the rows under nodes, then the cell's graphic.
  if (RC == 0 && HasNodes() && !IsNode(ARow)) DrawNodeTreeLines(ACanvas, ARect, ARow);
  if (graphic) {
    TRect g = content;
    if (fixed) g.Top += 1;
    if (graphic->CellType() == ctNode && RC == 0)
      DrawNodeGlyph(ACanvas, g, graphic, RC, ARow, AState, fixed);
    else if (graphic->CellType() != ctInterface)
      DrawCellGraphic(ACanvas, g, graphic, RC, ARow, textWidth, HA, VA, AState);
    else if (drawer && !drawer->DrawsBeforeText())
      drawer->Draw(ACanvas, TRect(g.Left - 1, g.Top - 1, g.Right, g.Bottom), RC, ARow, AState.contains(gdSelected),
                   this);
  }
  if (OnDrawCell) {
    TRect r(ARect.Left + 1, ARect.Top + 1, ARect.Right - GridLineWidth(),
            ARect.Bottom - GridLineWidth());
    OnDrawCell(this, RC, ARow, r, AState);
  }
  if (OnCustomCellDraw) OnCustomCellDraw(this, ACanvas, RC, ARow, AState, ARect, false);
  // The focus rectangle.
  if (!HideFocusRect() && HandleAllocated() && GetFocus() == Handle()) {
    const TPoint b = BaseCell(ACol, ARow);
    if (b.X == Col() && b.Y == Row() && !Options().contains(goRowSelect) &&
        Col() >= FixedCols() && Row() >= FixedRows()) {
      const int g = GridLineWidth() - 1;
      TRect f(ARect.Left - g, ARect.Top - g, ARect.Right + g - 1, ARect.Bottom + g - 1);
      ACanvas->Brush()->SetColor(keptBrush);
      ACanvas->DrawFocusRect(f);
    }
  }
  DrawDesignColumnNumber(ACanvas, RC, ARow, ARect);
  // Text, focus rectangle, modified marker and filter glyph stay inside the
  // cell; what the other steps or the events draw may reach beyond it.
  FContentInside = !fixedCell && !graphic && !buttons && !borders && !FCellLayout.DrawnBeyond &&
                   !OnCustomCellBkgDraw && !OnDrawCell && !OnCustomCellDraw && !IsDesigning();
}

void TProStringGrid::DrawListViewHeader(TCanvas* ACanvas, TRect R) {
  R.Bottom += 1;
  IVisualStyles& vs = VisualStyles();
  HTHEME th = (vs.IsThemeActive() && vs.IsAppThemed()) ? vs.OpenThemeData(nullptr, QStringLiteral("header"))
                                                       : nullptr;
  if (th == nullptr) {
    ACanvas->Brush()->SetColor(clBtnFace);
    ACanvas->Pen()->SetColor(clWhite);
    ACanvas->Rectangle(R);
    return;
  }
  TPoint mouse;
  GetCursorPos(&mouse);
  mouse = ScreenToClient(mouse);
  const bool inside = mouse.X >= R.Left && mouse.X < R.Right && mouse.Y >= R.Top && mouse.Y < R.Bottom;
  // Header item right (normal), or header item pressed or hot.
  const int part = inside ? 1 : 3;
  const int state = !inside ? 1 : FMouseDownOnFixed ? 3 : 2;
  vs.DrawThemeBackground(th, ACanvas->Handle(), part, state, R, nullptr);
  vs.CloseThemeData(th);
  ACanvas->Pen()->SetColor(clWhite);
  ACanvas->MoveTo(R.Left, R.Top);
  ACanvas->LineTo(R.Right, R.Top);
}

bool TProStringGrid::DrawCellBorders(TCanvas* ACanvas, int ACol, int ARow, TRect ARect) {
  // The borders and their pen are asked for on a copy of the canvas pen: the
  // canvas pen (and its handle) changes only where borders are drawn.
  std::unique_ptr<TPen> own;
  TPen& asked = FBorderPenAsked ? *(own = std::make_unique<TPen>()) : *FBorderPen;
  QScopedValueRollback<bool> asking(FBorderPenAsked, true);
  asked.Assign(ACanvas->Pen());
  TCellBorders borders;
  GetCellBorder(ACol, ARow, &asked, borders);
  if (borders.empty() && !OnGetCellBorderProp) return false;
  // The canvas pen as it was, put back after the borders.
  TPen* pen = ACanvas->Pen();
  const TColor keptColor = pen->Color();
  const int keptWidth = pen->Width();
  const TPenStyle keptStyle = pen->Style();
  const TPenMode keptMode = pen->Mode();
  auto restore = qScopeGuard([&] {
    pen->SetColor(keptColor);
    pen->SetWidth(keptWidth);
    pen->SetStyle(keptStyle);
    pen->SetMode(keptMode);
  });
  TPen left, top, right, bottom;
  for (TPen* p : {&left, &top, &right, &bottom}) p->Assign(&asked);
  if (OnGetCellBorderProp) OnGetCellBorderProp(this, ARow, ACol, &left, &top, &right, &bottom);
  const int h = (asked.Width() + 1) / 2;
  const int L = Options().contains(goVertLine) ? h : 0;
  const int B = Options().contains(goHorzLine) ? h : 0;
  ARect.Left += L;
  ARect.Bottom -= B;
  if (borders.contains(cbLeft)) {
    ACanvas->Pen()->Assign(&left);
    ACanvas->MoveTo(std::max(0, ARect.Left), ARect.Top);
    ACanvas->LineTo(std::max(0, ARect.Left), ARect.Bottom);
  }
  ARect.Right -= L;
  if (borders.contains(cbRight)) {
    ACanvas->Pen()->Assign(&right);
    ACanvas->MoveTo(ARect.Right - 1, ARect.Top);
    ACanvas->LineTo(ARect.Right - 1, ARect.Bottom);
  }
  if (borders.contains(cbTop)) {
    ACanvas->Pen()->Assign(&top);
    ARect.Top += B;
    const int y = GridLineWidth() > 0 ? std::max(0, ARect.Top - GridLineWidth()) : ARect.Top + 1;
    ACanvas->MoveTo(ARect.Left, y);
    ACanvas->LineTo(ARect.Right, y);
  }
  if (borders.contains(cbBottom)) {
    ACanvas->Pen()->Assign(&bottom);
    ACanvas->MoveTo(ARect.Left - GridLineWidth() - 1, ARect.Bottom - 1);
    ACanvas->LineTo(ARect.Right, ARect.Bottom - 1);
  }
  return true;
}

TColor TProStringGrid::BandRowColor(int ARow) {
  TBands* bands = Bands();
  if (bands->Active() && ARow >= FixedRows() && ARow < RowCount() - FixedFooters() && bands->TotalLength() > 0)
    return (ARow - FixedRows()) % bands->TotalLength() < bands->PrimaryLength() ? bands->PrimaryColor()
                                                                               : bands->SecondaryColor();
  return Color();
}

bool TProStringGrid::PlainCellsPossible() {
  // The places of the cells in view (the first fixed columns and rows, then
  // the scrolling cells), kept from paint to paint while the number of cells
  // in view stays.
  constexpr int kFixedPlaces = 4;
  const int fixedCols = std::min(FixedCols(), kFixedPlaces), fixedRows = std::min(FixedRows(), kFixedPlaces);
  const int cols = fixedCols + VisibleColCount() + 2, rows = fixedRows + VisibleRowCount() + 2;
  if (cols != FPlainPlaceCols || fixedCols != FPlainPlaceFixedCols || fixedRows != FPlainPlaceFixedRows ||
      FPlainPlaces.size() != size_t(cols) * size_t(rows)) {
    FPlainPlaceCols = cols;
    FPlainPlaceFixedCols = fixedCols;
    FPlainPlaceFixedRows = fixedRows;
    FPlainPlaces.assign(size_t(cols) * size_t(rows), TTextPlace());
  }
  FPlainPlaceLeft = LeftCol();
  FPlainPlaceTop = TopRow();
  const auto* mouse = MouseActions();
  const TBackGround* bg = BackGround();
  return !IsDesigning() && NumHiddenColumns() == 0 && !FUseEnabledRows && !mouse->DisjunctRowSelect() &&
         !mouse->DisjunctColSelect() && !mouse->DisjunctCellSelect() && !SelectionRectangle() &&
         !ShowModified()->Enabled() && !ControlLook()->DropDownAlwaysVisible() &&
         !ControlLook()->SpinButtonsAlwaysVisible() && !bg->HasPicture() && bg->Display() != bdGradientHorz &&
         bg->Display() != bdGradientVert && !OnGetCellGradient && !OnCustomCellBkgDraw && !OnDrawCell &&
         !OnCustomCellDraw;
}

TTextPlace* TProStringGrid::TextPlaceOf(int ACol, int ARow) {
  // A fixed cell among the first fixed ones, or a scrolling cell from the
  // top-left one in view on (-1: no place).
  const int c = ACol < FixedCols()        ? (ACol < FPlainPlaceFixedCols ? ACol : -1)
                : ACol >= FPlainPlaceLeft ? FPlainPlaceFixedCols + ACol - FPlainPlaceLeft
                                          : -1;
  const int r = ARow < FixedRows()       ? (ARow < FPlainPlaceFixedRows ? ARow : -1)
                : ARow >= FPlainPlaceTop ? FPlainPlaceFixedRows + ARow - FPlainPlaceTop
                                         : -1;
  if (c < 0 || r < 0 || c >= FPlainPlaceCols) return nullptr;
  const size_t place = size_t(r) * size_t(FPlainPlaceCols) + size_t(c);
  return place < FPlainPlaces.size() ? &FPlainPlaces[place] : nullptr;
}

bool TProStringGrid::PaintPlainCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect,
                                    TGridDrawState AState) {
  // Not a fixed, selected, hovered or merged cell, nor one of the current row
  // (row indicator, active row, focus rectangle), the hidden last row, the
  // filter row or the row of the sort glyphs; no graphic.
  const TSortSettings* sort = SortSettings();
  if (AState.contains(gdSelected) || AState.contains(gdFocused) || ARow == Row() || ACol < FixedCols() ||
      ARow < FixedRows() || ACol >= ColCount() - FixedRightCols() || ARow >= RowCount() - FixedFooters() ||
      (FHideLastRow && ARow == RowCount() - 1) || (FHoverRow && ARow == FHoverRowIdx) ||
      ARow == FilterDropDownRow() || (sort->Show() && ARow == sort->Row()) || PropertiesAt(ACol, ARow) != nullptr)
    return false;
  // (Without properties or hidden columns, outside the footer and the right
  // fixed columns, the cell is fixed when the fixed-cell question says so.)
  bool fixed = false;
  IsFixedCell(ACol, ARow, fixed);
  if (fixed || IsSelected(ACol, ARow) || (Options().contains(goRowSelect) && RowSelect(ARow)) ||
      GetCellGraphic(ACol, ARow) != nullptr)
    return false;
  // Plain text only (no HTML, rich text or link).
  QString text = GetFormattedCell(ACol, ARow);
  const TCellTextKind kind = ClassifyCellText(text, EnableHTML());
  if (kind == ctkHTML || kind == ctkRTF || (URLShow() && ContainsURL(text))) return false;
  // The row's plain colour, unless the cell's colour question says otherwise.
  TFont* font = ACanvas->Font();
  TBrush* brush = ACanvas->Brush();
  const TColor band = BandRowColor(ARow);
  font->Assign(Font());
  brush->SetStyle(bsSolid);
  brush->SetColor(band);
  GetCellColor(ACol, ARow, AState, brush, font);
  if (brush->Color() != band || brush->Style() != bsSolid) return false;

  // From here on the cell is painted; the canvas is left as the whole painter
  // leaves a cell on the band.
  FPaintCanvas = ACanvas;
  auto done = qScopeGuard([this, ACanvas] {
    FPaintCanvas = nullptr;
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Pen()->SetStyle(psSolid);
  });
  if (UseDisabledFont() && !Enabled()) font->SetColor(DisabledFontColor());
  bool ww = FWordWrap;
  GetCellWordWrap(ACol, ARow, ww);
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  CalcCellAlignment(ACol, ARow, ha, va);
  ApplyZoom(font);
  ACanvas->Pen()->SetColor(FGridLineColor);
  ACanvas->Pen()->SetWidth(1);
  bool password = false;
  IsPasswordCell(ACol, ARow, password);
  if (password) MaskText(text, PasswordChar());
  // The content rectangle inside the grid lines, then the text offsets.
  TRect R(ARect.Left + 1, ARect.Top + 1, ARect.Right - 1, ARect.Bottom - 1);
  OffsetTextRect(R);
  const UINT flags = PlainTextFlags(text, ha, va, ww);
  HDC dc = ACanvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  if (TTextPlace* place = TextPlaceOf(ACol, ARow))
    DrawTextPlaced(dc, text, R, flags, *place);
  else
    DrawTextEx(dc, text, -1, R, flags, nullptr);
  // The borders, on the cell's rectangle as the whole painter gives it (its
  // content rectangle grown by the grid line).
  if (DrawCellBorders(ACanvas, ACol, ARow, ARect)) FDrawnBeyond = true;
  return true;
}

void TProStringGrid::PaintNCBorder() {
  if (!HandleAllocated()) return;
  HDC dc = GetWindowDC(Handle());
  if (dc == nullptr) return;
  TCanvas c;
  c.SetHandle(dc);
  PaintNCBorder(&c);
  c.SetHandle(nullptr);
  ReleaseDC(Handle(), dc);
}

void TProStringGrid::PaintNCBorder(TCanvas* ACanvas) {
  const TGridLook look = Look();
  if (look == glStandard || look == glClassic || look == glCustom) return;
  if (BorderStyle() == bsNone || BorderColor() == clNone || Flat()) return;
  const int W = Width(), H = Height();
  auto frame = [&](int In) {
    ACanvas->Polyline({TPoint(In, H - 1 - In), TPoint(In, In), TPoint(W - 1 - In, In),
                       TPoint(W - 1 - In, H - 1 - In), TPoint(In, H - 1 - In)});
  };
  ACanvas->Pen()->SetColor(BorderColor());
  if (FitCellsInGrid()) {
    frame(1);
    if (Parent() != nullptr) {
      ACanvas->Pen()->SetColor(Parent()->Color());
      frame(0);
    }
  } else if (VisualStyles().CommonControlsMajorVersion() >= 6) {
    frame(0);
  }
}

// A dotted black XOR line, the canvas pen kept.
static void DrawMoveLine(TCanvas* C, TPoint From, TPoint To) {
  TPen keep;
  keep.Assign(C->Pen());
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetStyle(psDot);
  C->Pen()->SetMode(pmXor);
  C->Pen()->SetWidth(1);
  C->MoveTo(From.X, From.Y);
  C->LineTo(To.X, To.Y);
  C->Pen()->Assign(&keep);
}

void TProStringGrid::DrawVertMoveLine(int X) {
  DrawMoveLine(Canvas(), TPoint(X, 0),
               TPoint(X, std::max(Height(), CellRect(0, RowCount() - 1).Bottom)));
}

void TProStringGrid::DrawHorzMoveLine(int Y) {
  DrawMoveLine(Canvas(), TPoint(0, Y),
               TPoint(std::max(Width(), CellRect(ColCount() - 1, 0).Right), Y));
}

bool TProStringGrid::CellGraphicKeepsColor(int ACol, int ARow) {
  const TCellType kind = GetCellType(ACol, ARow);
  return kind == ctNone || kind == ctRotated || kind == ctEmpty;
}
