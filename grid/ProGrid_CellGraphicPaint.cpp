// Painting the check boxes that cell graphics put into cells: placed by the
// graphic's and the text's alignment, drawn enabled when the cell is editable.
#include <algorithm>

#include "grid/ProGrid.h"

namespace {

bool IsCheckBoxKind(TCellType Kind) {
  return Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctVirtCheckBox ||
         Kind == ctRowCheckBox || Kind == ctTriStateCheckBox;
}

// The kinds whose state is the cell's text, or that stand alone: no text beside them.
bool HidesText(TCellType Kind) {
  return Kind == ctDataCheckBox || Kind == ctVirtCheckBox || Kind == ctRowCheckBox;
}

}  // namespace

bool TProStringGrid::CellGraphicHidesText(int ACol, int ARow) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return false;
  return NoImageAndText() || HidesText(g->CellType());
}

bool TProStringGrid::DrawCellCheckBoxGraphic(TCanvas* ACanvas, int RC, int ARow, TRect R,
                                             TAlignment HA, TVAlignment VA, bool Fixed) {
  TCellGraphic* g = GetCellGraphic(RC, ARow);
  if (!g || !IsCheckBoxKind(g->CellType())) return false;
  const TCellType kind = g->CellType();
  if (Fixed) R.Top += 1;
  R = TRect(R.Left + XYOffset().X - 1, R.Top + XYOffset().Y - 1, R.Right - XYOffset().X + 1,
            R.Bottom - XYOffset().Y + 1);
  const int size = ControlLook()->CheckSize();
  // Vertical place: the cell's own vertical alignment wins over the graphic's
  // when it differs from the grid's.
  TCellVAlign gva = g->CellVAlign();
  if (VA != VAlignment()) gva = VA == vtaTop ? vaTop : VA == vtaCenter ? vaCenter : vaBottom;
  TRect B;
  switch (gva) {
    case vaBottom:
      B.Bottom = R.Bottom - 1;
      B.Top = B.Bottom - size;
      break;
    case vaCenter:
      B.Top = size < R.Bottom - R.Top ? R.Top + (R.Bottom - R.Top - size) / 2 : R.Top + 1;
      B.Bottom = B.Top + size;
      break;
    case vaUnderText:
      B.Top = R.Bottom - size;
      B.Bottom = R.Bottom;
      break;
    case vaFull:
      B.Top = R.Top;
      B.Bottom = R.Bottom;
      break;
    default:
      B.Top = R.Top + 1;
      B.Bottom = B.Top + size;
  }
  // Horizontal place by the text alignment; a box beside text keeps clear of it.
  const bool besideText = !HidesText(kind);
  const int TW = besideText ? ACanvas->TextWidth(Cells(RC, ARow)) : 0;
  switch (HA) {
    case taRightJustify:
      B.Left = (besideText ? R.Right - TW : R.Right) - size - 1;
      break;
    case taCenter:
      B.Left = besideText && TW >= 1 ? R.Left + std::max(0, R.Right - TW - R.Left) / 2 - size
                                     : R.Left + std::max(0, R.Right - size - R.Left) / 2;
      break;
    default:
      B.Left = R.Left + 1;
  }
  if (B.Left < R.Left) B.Left = R.Left + 1;
  B.Right = B.Left + size;
  bool enabled = true;
  CanEditCell(RC, ARow, enabled);
  if (ControlLook()->CheckAlwaysActive()) enabled = true;
  bool checked = g->CellBoolean();
  if (kind == ctDataCheckBox || kind == ctVirtCheckBox) {
    QString yes;
    GetCheckTrue(RC, ARow, yes);
    checked = Cells(RC, ARow) == yes;
  }
  const bool grayed = kind == ctRowCheckBox && g->CellAngle() > 0;
  DrawCheckBoxGlyph(ACanvas, B, checked, enabled, grayed, ControlLook()->ControlStyle(),
                    kind == ctTriStateCheckBox, g->CellCheckBoxState());
  return true;
}
