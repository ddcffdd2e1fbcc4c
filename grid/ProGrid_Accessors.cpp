// String grid: per-cell settings as indexed properties, and RTF text between
// cells and rich edits.
#include "grid/ProGrid.h"
#include "platform/widgets/ComCtrls.h"

// A getter reads the cell's property object only when there is one, so that
// asking creates nothing; a setter creates it and repaints the cell.
#define PROGRID_CELL_ACCESSOR(Type, Name, Getter, Setter, Neutral)   \
  Type TProStringGrid::Name(int ACol, int ARow) {                   \
    if (!HasCellProperties(ACol, ARow)) return Neutral;             \
    return GetCellProperties(ACol, ARow)->Getter();                 \
  }                                                                 \
  void TProStringGrid::Set##Name(int ACol, int ARow, Type Value) {  \
    GetCellProperties(ACol, ARow)->Setter(Value);                   \
    RepaintCell(DisplColIndex(ACol), ARow);                         \
  }

PROGRID_CELL_ACCESSOR(TColor, Colors, BrushColor, SetBrushColor, clNone)
PROGRID_CELL_ACCESSOR(TColor, ColorsTo, BrushColorTo, SetBrushColorTo, clNone)
PROGRID_CELL_ACCESSOR(TColor, FontColors, FontColor, SetFontColor, clNone)
PROGRID_CELL_ACCESSOR(TFontStyles, FontStyles, FontStyle, SetFontStyle, TFontStyles())
PROGRID_CELL_ACCESSOR(int, FontSizes, FontSize, SetFontSize, 0)
PROGRID_CELL_ACCESSOR(TAlignment, Alignments, Alignment, SetAlignment, taLeftJustify)
PROGRID_CELL_ACCESSOR(bool, ReadOnly, ReadOnly, SetReadOnly, false)
PROGRID_CELL_ACCESSOR(TCellGradientDirection, Gradients, GradientDirection, SetGradientDirection,
                      GradientVertical)

#undef PROGRID_CELL_ACCESSOR

QString TProStringGrid::FontNames(int ACol, int ARow) {
  if (!HasCellProperties(ACol, ARow)) return QString();
  return GetCellProperties(ACol, ARow)->FontName();
}

void TProStringGrid::SetFontNames(int ACol, int ARow, const QString& Value) {
  GetCellProperties(ACol, ARow)->SetFontName(Value);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TProStringGrid::SetWordWraps(int ACol, int ARow, bool Value) {
  GetCellProperties(ACol, ARow)->SetWordWrap(Value);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TProStringGrid::SetFonts(int ACol, int ARow, TFont* Value) {
  TCellProperties* p = GetCellProperties(ACol, ARow);
  p->SetFontName(Value->Name());
  p->SetFontSize(Value->Size());
  p->SetFontStyle(Value->Style());
  p->SetFontColor(Value->Color());
  RepaintCell(DisplColIndex(ACol), ARow);
}

namespace {

// RTF is 7-bit text: a character beyond it is written as its \u escape.
QString SevenBit(const QString& Text) {
  QString out;
  out.reserve(Text.size());
  for (const QChar ch : Text) {
    if (ch.unicode() < 0x80)
      out += ch;
    else
      out += QStringLiteral("\\u%1?").arg(int(int16_t(ch.unicode())));
  }
  return out;
}

}  // namespace

void TProStringGrid::CellToRich(int ACol, int ARow, TRichEdit* Richeditor) {
  const QString text = Cells(ACol, ARow);
  if (text.isEmpty()) {
    Richeditor->Clear();
    return;
  }
  Richeditor->SetRichText(SevenBit(text));
}

QString TProStringGrid::RichToString(TRichEdit* Richeditor) {
  if (ComponentState().contains(csDestroying)) return QString();
  return SevenBit(Richeditor->RichText());
}

void TProStringGrid::RichToCell(int ACol, int ARow, TRichEdit* Richeditor) {
  SetCells(ACol, ARow, RichToString(Richeditor));
}

namespace {

// A row's background colour (or colour-to) over its normal columns; clNone
// frees the settings of cells without a graphic and clears the others.
void SetRowBrush(TProStringGrid* G, int ARow, TColor Value, void (TCellProperties::*Set)(TColor)) {
  for (int c = G->FixedCols(); c < G->AllColCount(); ++c) {
    if (Value == clNone && G->HasCellProperties(c, ARow) && G->GetCellProperties(c, ARow)->GraphicObject() == nullptr)
      G->FreeCellProps(c, ARow);
    else if (Value != clNone || G->HasCellProperties(c, ARow))
      (G->GetCellProperties(c, ARow)->*Set)(Value);
  }
  G->RepaintRow(ARow);
}

}  // namespace

void TProStringGrid::SetRowColor(int ARow, TColor Value) {
  SetRowBrush(this, ARow, Value, &TCellProperties::SetBrushColor);
}

void TProStringGrid::SetRowColorTo(int ARow, TColor Value) {
  SetRowBrush(this, ARow, Value, &TCellProperties::SetBrushColorTo);
}

void TProStringGrid::SetRowFontColor(int ARow, TColor Value) {
  for (int c = FixedCols(); c < AllColCount(); ++c) {
    if (Value != clNone)
      GetCellProperties(c, ARow)->SetFontColor(Value);
    else if (HasCellProperties(c, ARow) && Colors(c, ARow) == clNone &&
             GetCellProperties(c, ARow)->GraphicObject() == nullptr)
      FreeCellProps(c, ARow);
  }
  RepaintRow(ARow);
}

int TProStringGrid::AllColWidths(int ACol) {
  if (ACol >= 0 && ACol < kColumnTable && IsHiddenColumn(ACol)) return FAllColWidths[size_t(ACol)];
  return ColWidths(DisplColIndex(ACol));
}

void TProStringGrid::SetAllColWidths(int ACol, int Value) {
  if (ACol < 0 || ACol >= kColumnTable) return;
  FAllColWidths[size_t(ACol)] = int16_t(Value);
  if (!IsHiddenColumn(ACol)) SetColWidths(DisplColIndex(ACol), Value);
}
