// The cell text of the string grid: the text step of the content painter (plain
// text with its DrawText flags, URLs, password cells, the selection rectangle,
// the sort glyph's place), the formatted display text, text measuring and the
// small placement routines shared with the print engine.
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

#include "controls/ProUtil.h"
#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_Glyphs_p.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/WinApi.h"

namespace {

UINT HorzFlag(TAlignment HA) {
  switch (HA) {
    case taRightJustify:
      return DT_RIGHT;
    case taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

UINT VertFlag(TVAlignment VA) {
  switch (VA) {
    case vtaCenter:
      return DT_VCENTER;
    case vtaBottom:
      return DT_BOTTOM;
    default:
      return DT_TOP;
  }
}

int SortGlyphY(TVAlignment VA, const TRect& R) {
  switch (VA) {
    case vtaCenter:
      return R.Top + (R.Bottom - R.Top) / 2;
    case vtaBottom:
      return R.Bottom - 8;
    default:
      return R.Top + 8;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Display text

QString TProStringGrid::GetFormattedCell(int ACol, int ARow) {
  QString text = Cells(ACol, ARow);  // not const: returned by a move
  if (!OnGetFloatFormat) return text;
  const TNumberTextKind kind = ClassifyNumberText(text);
  if (kind != ntkInteger && kind != ntkFloat && kind != ntkScientific) return text;
  bool isFloat = true;
  QString fmt = FloatFormat();
  OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
  if (!isFloat || fmt.isEmpty()) return text;
  try {
    if (fmt.contains(u'd')) return Format(fmt, {Ints(ACol, ARow)});
    return Format(fmt, {Floats(ACol, ARow)});
  } catch (const Exception&) {
    return text;
  }
}

// ---------------------------------------------------------------------------
// The text step of the content painter

void TProStringGrid::ApplyZoom(TFont* AFont) {
  if (ZoomFactor() != 0) AFont->SetSize(AFont->Size() + ZoomFactor());
}

bool TProStringGrid::HasSortIndicator(int RC, int ARow) {
  TSortSettings* s = SortSettings();
  if (!s->Show() || RowCount() <= FixedRows() + 1 || FixedRows() <= 0) return false;
  int lastRow = ARow;
  if (IsMergedCell(RC, ARow)) lastRow = FullCell(RC, ARow).Bottom;
  if (ARow != s->Row() && lastRow != s->Row()) return false;
  const int idx = SortIndexes()->FindIndex(RC);
  if (RC != s->Column() && idx < 0) return false;
  if (RC < FixedCols() && !s->FixedCols()) return false;
  return idx < 1 || s->IndexShow();
}

int TProStringGrid::DrawCellText(TCanvas* ACanvas, int ACol, int RC, int ARow, TRect ARect,
                                 TGridDrawState AState, TAlignment HA, TVAlignment VA, bool WW,
                                 TColor KeptBrush, TColor KeptFont, bool FilterGlyph, bool Fixed) {
  const int DC = ACol;
  const bool fixed = Fixed;
  int RR = ARow;
  if (MouseActions()->DisjunctRowSelect() && MouseActions()->RowSelectPersistent())
    RR = RealRowIndex(ARow);
  // The selection colours of a selected cell or row.
  TColor U = URLColor();
  const bool rowSelected = Options().contains(goRowSelect) && RC >= FixedCols() &&
                           RC < ColCount() - FixedRightCols() && RR >= 0 &&
                           RR < RowCount() && RowSelect(RR);
  if ((AState.contains(gdSelected) || rowSelected) && !fixed) {
    if (ShowSelection()) {
      if (SelectionColor() != clNone) ACanvas->Brush()->SetColor(SelectionColor());
      if (SelectionTextColor() != clNone && Enabled())
        ACanvas->Font()->SetColor(SelectionTextColor());
      U = SelectionTextColor();
    }
    const bool focused = HandleAllocated() && GetFocus() == Handle();
    if ((!focused || HasCheckBox(RC, ARow)) && !ShowSelection()) {
      ACanvas->Brush()->SetColor(KeptBrush);
      ACanvas->Font()->SetColor(KeptFont);
      U = URLColor();
    }
  }
  // The text and its kind.
  QString text = GetFormattedCell(RC, ARow);
  const QString raw = text;
  TCellTextKind kind = ClassifyCellText(text, EnableHTML());
  // A formula shows its calculated text, which is its own text in the string grid.
  // The error marker of the cell's graphic.
  const int errPos = FCellLayout.G ? FCellLayout.G->CellErrFrom() : 0;
  const int errLen = FCellLayout.G ? FCellLayout.G->CellErrLen() : 0;
  // Password cells.
  bool password = false;
  IsPasswordCell(RC, ARow, password);
  if (password) MaskText(text, PasswordChar());
  TRect R = ARect;
  if (fixed) {
    R.Left += GridLineWidth();
    R.Top += GridLineWidth();
  }
  // The in-cell scroll position moves the text up, clipped to the cell.
  const int scrollPos = FCellLayout.ScrollPos;
  HRGN clip = nullptr;
  if (scrollPos > 0) {
    clip = CreateRectRgn(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    SelectClipRgn(ACanvas->Handle(), clip);
    R.Top -= scrollPos;
  }
  auto unclip = qScopeGuard([&] {
    if (!clip) return;
    SelectClipRgn(ACanvas->Handle(), nullptr);
    DeleteObject(clip);
  });
  // The filter glyph of the filter row.
  if (FilterGlyph) {
    TBitmap* glyph = Filter()->HasFilter(RC) ? FilterDropDown()->GlyphActive()
                                             : FilterDropDown()->Glyph();
    if (glyph == nullptr || glyph->Empty()) {
      InitProGridGlyphResources();
      DrawResourceBitmap(ACanvas, FixedColor(), TRect(R.Right - 16, R.Top, R.Right, R.Top + 16),
                         QStringLiteral("PSGFILT"));
    } else {
      glyph->SetTransparent(true);
      ACanvas->Draw(R.Right - 16, R.Top, glyph);
    }
  }
  // Disjunct modes: a cell not in the selected rows or columns shows its own colours.
  if (!fixed && !FMouseDown &&
      ((MouseActions()->DisjunctRowSelect() && !RowSelect(RR)) ||
       (MouseActions()->DisjunctColSelect() && !ColSelect(DC)))) {
    U = URLColor();
    ACanvas->Brush()->SetColor(Color());
    ACanvas->Font()->SetColor(Font()->Color());
    GetCellColor(RC, ARow, AState, ACanvas->Brush(), ACanvas->Font());
    ApplyZoom(ACanvas->Font());
  }
  // The cell's share of the background picture or gradient.
  DrawCellBackground(ACanvas, DC, RC, ARow, R, AState);
  // The selection rectangle.
  const TGridRect sel = Selection();
  if (SelectionRectangle() && !fixed && CellInGridRect(sel, DC, ARow)) {
    FCellLayout.DrawnBeyond = true;
    ACanvas->Pen()->SetColor(SelectionRectangleColor());
    ACanvas->Pen()->SetWidth(2);
    TGridRect S = sel;
    if (IsMergedCell(S.Left, S.Top)) {
      const TPoint b = BaseCell(S.Left, S.Top);
      S = TGridRect{b.X, b.Y, b.X, b.Y};
    }
    const int L = GridLineWidth();
    const int right = S.Right == DC ? R.Right - 1 : R.Right;
    if (S.Left == DC) {
      ACanvas->MoveTo(R.Left - L + 1, R.Bottom);
      ACanvas->LineTo(R.Left - L + 1, R.Top - L);
    }
    if (S.Right == DC) {
      ACanvas->MoveTo(R.Right - 1, R.Bottom);
      ACanvas->LineTo(R.Right - 1, R.Top - L);
    }
    if (S.Top == ARow) {
      ACanvas->MoveTo(R.Left - L, R.Top - L + 1);
      ACanvas->LineTo(right, R.Top - L + 1);
    }
    if (S.Bottom == ARow) {
      ACanvas->MoveTo(R.Left - L, R.Bottom);
      ACanvas->LineTo(right, R.Bottom);
    }
    if (SelectionResizer() && S.Right == DC && S.Bottom == ARow) {
      const TColor keep = ACanvas->Brush()->Color();
      ACanvas->Brush()->SetColor(SelectionRectangleColor());
      ACanvas->Pen()->SetWidth(1);
      ACanvas->Rectangle(TRect(R.Right - 4, R.Bottom - 4, R.Right, R.Bottom));
      ACanvas->Brush()->SetColor(keep);
    }
    ACanvas->Pen()->SetWidth(1);
  }
  // A graphic that shows no text ends the step here.
  if (!FCellLayout.TextShown) return 0;
  // The text rectangle: the graphic's room beside, above or under the text,
  // and the node indent of the rows under nodes.
  OffsetTextRect(R);
  // The line height, for the error underline of a marker on a plain graphic only.
  const bool errorUnderline = errLen > 0 && FCellLayout.G &&
                              (FCellLayout.G->CellType() == ctEmpty || FCellLayout.G->CellType() == ctValue);
  const int lineH = errorUnderline ? ACanvas->TextHeight(QStringLiteral("hg")) : 0;
  if (FCellLayout.G) {
    if (FCellLayout.GHA == haBeforeText) R.Left += FCellLayout.GW;
    if (FCellLayout.GHA == haAfterText) R.Right -= FCellLayout.GW;
    if (FCellLayout.GVA == vaAboveText) R.Top += FCellLayout.GH;
    if (FCellLayout.GVA == vaUnderText) R.Bottom -= FCellLayout.GH;
  }
  const int sortOffset =
      FCellLayout.GHA == haLeft || (FCellLayout.GHA == haBeforeText && HA == taLeftJustify) ? FCellLayout.GW : 0;
  if (RC == 0 && HasNodes() && !IsNode(ARow)) R.Left += GetNodeIndent(ARow);
  const bool sortCell = HasSortIndicator(RC, ARow);
  if (sortCell) FCellLayout.DrawnBeyond = true;
  int textWidth = 0;
  switch (kind) {
    case ctkHTML: {
      FCellLayout.DrawnBeyond = true;
      if (FilterGlyph) R.Right -= 18;
      R.Left -= 1;
      if (sortCell) R.Right -= 10;
      textWidth = DrawHTMLCellText(ACanvas, RC, ARow, text, R, U);
      if (sortCell) DrawSortGlyph(ACanvas, RC, R.Right + 2, SortGlyphY(VA, R));
      return textWidth;
    }
    case ctkRTF: {
      ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());
      ACanvas->Rectangle(R);
      ACanvas->Brush()->SetStyle(bsClear);
      DrawRichTextCell(RC, ARow, R, ACanvas);
      ACanvas->Brush()->SetStyle(bsSolid);
      ACanvas->Font()->SetColor(clBlack);
      return 0;
    }
    default:
      break;
  }
  // Plain text.
  if (HA == taCenter && ARow == SortSettings()->Row() && SortSettings()->Show() &&
      RC == SortSettings()->Column())
    R.Left += 10;
  const bool url = URLShow() && ContainsURL(raw);
  if (url) {
    if (!URLFull()) StripURLProtocol(text);
    TFontStyles st = ACanvas->Font()->Style();
    st.Include(fsUnderline);
    ACanvas->Font()->SetStyle(st);
    ACanvas->Font()->SetColor(U);
  }
  const UINT flags = PlainTextFlags(text, HA, VA, WW);
  HDC dc = ACanvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  if (FilterGlyph) R.Right -= 16;
  // The text's width places the cell's graphic beside it: measured only where
  // there is a graphic.
  if (!text.isEmpty() && FCellLayout.G) {
    TRect calc = R;
    DrawTextEx(dc, text, -1, calc, flags | DT_CALCRECT, nullptr);
    textWidth = calc.Right - R.Left + 2;
  }
  // On the grid's own canvas, the cell's place in view keeps what was drawn
  // there (drawn again from it when nothing changed).
  TTextPlace* place = ACanvas == Canvas() ? TextPlaceOf(ACol, ARow) : nullptr;
  if (place != nullptr)
    DrawTextPlaced(dc, text, R, flags, *place);
  else
    DrawTextEx(dc, text, -1, R, flags, nullptr);
  // The error underline of a marker on a plain graphic.
  if (errorUnderline) DrawErrorUnderline(this, ACanvas, text, R, lineH, errPos, errLen);
  R = ARect;
  if (FilterGlyph) R.Right -= 16;
  // The sort indicator.
  if (sortCell) {
    const int W = std::max(0, std::min(R.Right - R.Left - 16, ACanvas->TextWidth(text)));
    int x = R.Left + 8;
    if (HA == taLeftJustify) x = R.Left + W + sortOffset + 10;
    if (HA == taRightJustify) x = R.Right - W - 10;
    DrawSortGlyph(ACanvas, RC, x, SortGlyphY(VA, R));
  }
  if (url) {
    TFontStyles st = ACanvas->Font()->Style();
    st.Exclude(fsUnderline);
    ACanvas->Font()->SetStyle(st);
  }
  return textWidth;
}

void TProStringGrid::OffsetTextRect(TRect& R) {
  if (!XYOffsetTopLeftOnly()) R.Right -= XYOffset().X;
  R.Left += XYOffset().X;
  R.Top += XYOffset().Y;
}

UINT TProStringGrid::PlainTextFlags(QString& Text, TAlignment HA, TVAlignment VA, bool WW) {
  UINT flags = DT_EDITCONTROL;
  if (CountCellLines(Text, Multilinecells()) == 1 && !WW) {
    Text = CutFirstLine(Text, false);
    flags = DT_SINGLELINE;
    if (EnhTextSize()) flags |= DT_END_ELLIPSIS;
  }
  if (WW && !Multilinecells() && EnhTextSize()) flags |= DT_END_ELLIPSIS;
  flags |= DT_EXPANDTABS | DT_NOPREFIX | HorzFlag(HA) | VertFlag(VA);
  FVAlignFlag = VertFlag(VA);
  if (WW || Multilinecells())
    flags |= DT_WORDBREAK | DT_EDITCONTROL;
  else
    flags |= DT_SINGLELINE;
  return DrawTextBiDiModeFlags(flags);
}

// The mini-HTML text of a cell, painted into R; answers the width it takes.
int TProStringGrid::DrawHTMLCellText(TCanvas* ACanvas, int RC, int ARow, const QString& Text, TRect R,
                                     TColor URLColor) {
  QString anchor, strip, focusAnchor, anchorTitle, controlID, controlValue, controlType;
  int xSize = 0, ySize = 0, links = 0, mouseLink = -1;
  TRect hoverRect, controlRect;
  const bool hoverCell = RC == FHTMLHoverCell.X && ARow == FHTMLHoverCell.Y;
  // <BLINK> text is hidden in the off phase of blinking only: without
  // EnableBlink the phase never turns and the text stays shown.
  const bool blinkOn = FGridBlink || !FEnableBlink;
  DrawHTMLText(ACanvas, Text, R, GetCellImageList(), R.Left, R.Top, -1, hoverCell ? FHTMLHoverLink : -1,
               1, false, false, false, false, blinkOn, URLUnderlineOnHover(), !EnhTextSize(),
               FHTMLControlDown, 1.0, URLColor, clNone, clNone, TColor(0x808080), anchor, strip,
               focusAnchor, anchorTitle, xSize, ySize, links, mouseLink, hoverRect, controlRect,
               controlID, controlValue, controlType, ImageCache(), PictureContainer(),
               HandleAllocated() ? Handle() : nullptr, BiDiMode());
  return xSize + 2;
}

// A rich-text cell: drawn once the hidden rich editor renders into canvases.
void TProStringGrid::DrawRichTextCell(int, int, TRect, TCanvas*) {}

// ---------------------------------------------------------------------------
// Measuring

TSize TProStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB) {
  return CalcCellTextSize(ACol, DisplColIndex(ACol), ARow, VS, SB);
}

TSize TProStringGrid::CalcCellTextSize(int ACol, int DCol, int ARow, bool VS, bool SB) {
  TCanvas* c = Canvas();
  QString text = GetFormattedCell(ACol, ARow);
  const TCellTextKind kind = ClassifyCellText(text, EnableHTML());
  TGridDrawState state;
  GetFontProperties(DCol, ACol, ARow, state, c->Font(), c->Brush(), true);
  if ((ARow < FixedRows() || DCol < FixedCols()) && ActiveCellShow() &&
      ActiveCellFont()->Style().contains(fsBold)) {
    TFontStyles st = c->Font()->Style();
    st.Include(fsBold);
    c->Font()->SetStyle(st);
  }
  ApplyZoom(c->Font());
  TRect R = CellRect(DCol, ARow);
  if (XYOffsetTopLeftOnly()) {
    R.Left += XYOffset().X;
    R.Top += XYOffset().Y;
  } else {
    R.Left += XYOffset().X;
    R.Right -= XYOffset().X;
    R.Top += XYOffset().Y;
    R.Bottom -= XYOffset().Y;
  }
  if (SB) R.Right -= 17;
  TSize result{0, 0};
  if (kind == ctkHTML) {
    // Measured by the HTML renderer; unless the height is sought, the lines are
    // laid out without a right or bottom bound.
    if (!VS) {
      R.Right = 65535;
      R.Bottom = 65535;
    }
    QString anchor, strip, focusAnchor, anchorTitle, controlID, controlValue, controlType;
    int xSize = 0, ySize = 0, links = 0, mouseLink = -1;
    TRect hoverRect, controlRect;
    DrawHTMLText(c, text, R, GetCellImageList(), 0, 0, -1, -1, 1, true, false, false, false, true,
                 false, !EnhTextSize(), false, 1.0, URLColor(), clNone, clNone, TColor(0x808080),
                 anchor, strip, focusAnchor, anchorTitle, xSize, ySize, links, mouseLink, hoverRect,
                 controlRect, controlID, controlValue, controlType, ImageCache(), PictureContainer(),
                 HandleAllocated() ? Handle() : nullptr, BiDiMode());
    return TSize{xSize + 2, ySize + 2};
  }
  if (VS) {
    R = TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    if (EditorMode() && ACol == RealColIndex(Col()) && ARow == Row() && text.endsWith(u'\n'))
      text += u'w';
    result.cy = DrawTextEx(c->Handle(), text, -1, R,
                           DT_CALCRECT | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK,
                           nullptr);
    result.cx = R.Right - R.Left;
  } else {
    if (URLShow() && !URLFull() && kind == ctkPlain && ContainsURL(text)) StripURLProtocol(text);
    int lines = 0, widest = 0;
    QString rest = text;
    do {
      const QString line = CutFirstLine(rest, Multilinecells());
      widest = std::max(widest, c->TextWidth(line));
      ++lines;
    } while (!rest.isEmpty());
    result.cx = widest;
    result.cy = c->TextHeight(QStringLiteral("gh")) * lines;
  }
  return result;
}

// ---------------------------------------------------------------------------
// Offsets, line counts and placement

int TProStringGrid::GetTotalXOffset() const {
  return XYOffsetTopLeftOnly() ? XYOffset().X : 2 * XYOffset().X;
}

int TProStringGrid::GetTotalYOffset() const {
  return XYOffsetTopLeftOnly() ? XYOffset().Y : 2 * XYOffset().Y;
}

int TProStringGrid::GetMaxColTextLen(int ACol) {
  int result = 0;
  for (int r = 0; r < RowCount(); ++r) {
    QString rest = Cells(ACol, r);
    do {
      const QString line = CutFirstLine(rest, Multilinecells());
      result = std::max(result, int(line.size()));
    } while (!rest.isEmpty());
  }
  return result;
}

int TProStringGrid::MaxLinesInRow(int ARow) {
  if (ColCount() == 0 || !Multilinecells()) return 1;
  int result = 1;
  // Display columns 0 .. ColCount - hidden columns, as the grid counts them.
  for (int c = 0; c <= ColCount() - NumHiddenColumns() && c < ColCount(); ++c)
    result = std::max(result, CountCellLines(Cells(RealColIndex(c), ARow), true));
  return result;
}

void AdjustRotatedTextRect(TRect& R, int HA, int VA, int Angle, int CW, int SH, int SW, int CH) {
  const int quarter = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle > 270 ? 4 : 3;
  const int W = R.Right - R.Left;
  const int vOver = (SW + R.Top + CH - R.Bottom) / 2;
  int left = R.Left, top = R.Top;
  switch (quarter) {
    case 1:
      left = HA == 0 ? R.Left : HA == 1 ? R.Right - CW - SH : R.Left + (W - SH - CW) / 2;
      top = VA == 0 ? R.Top + SW : VA == 2 ? R.Bottom - CH : R.Top + SW - vOver;
      break;
    case 2:
      left = HA == 0 ? R.Left + CW : HA == 1 ? R.Right - SH : R.Right - (SH + W - CW) / 2;
      top = VA == 0 ? R.Top + CH + SW : VA == 2 ? R.Bottom : R.Top + CH + SW - vOver;
      break;
    case 3:
      left = HA == 0 ? R.Left + SH + CW : HA == 1 ? R.Right : R.Right - (W - SH - CW) / 2;
      top = VA == 0 ? R.Top + CH : VA == 2 ? R.Bottom - SW : R.Top + CH - vOver;
      break;
    default:
      left = HA == 0 ? R.Left + SH : HA == 1 ? R.Right - CW : R.Left + (SH + W - CW) / 2;
      top = VA == 0 ? R.Top : VA == 2 ? R.Bottom - CH - SW : R.Top - vOver;
      break;
  }
  R.Left = left;
  R.Top = top;
}

void TProStringGrid::CalcRotatedTextPos(TRect& R, int Angle, const QString& Text, TAlignment HA,
                                        TVAlignment VA) {
  const TSize ext = Canvas()->TextExtent(Text);
  R = TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
  const double e = Angle * M_PI / 180.0;
  const int CW = std::abs(int(std::trunc(std::cos(e) * ext.cx)));
  const int SH = std::abs(int(std::trunc(std::sin(e) * ext.cy)));
  const int SW = std::abs(int(std::trunc(std::sin(e) * ext.cx)));
  const int CH = std::abs(int(std::trunc(std::cos(e) * ext.cy)));
  // The alignment codes of the placement rule: 0 left, 1 right, 2 centre.
  const int ha = HA == taLeftJustify ? 0 : HA == taRightJustify ? 1 : 2;
  const int va = VA == vtaTop ? 0 : VA == vtaCenter ? 1 : 2;
  AdjustRotatedTextRect(R, ha, va, Angle, CW, SH, SW, CH);
}

void TProStringGrid::InvalidateCellRange(const TGridRect& Range) {
  if (!HandleAllocated()) return;
  const TRect a = CellRect(Range.Left, Range.Top), b = CellRect(Range.Right, Range.Bottom);
  InvalidateRect(TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top),
                       std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)),
                 false);
}
