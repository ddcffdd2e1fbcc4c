// Stand-ins for members of other families that the keyboard needs before
// those families are in. Each answers the documented default, or raises
// EProGridError naming the operation.
#include "grid/ProGrid.h"
#include "platform/ui/Clipbrd.h"

// --- cell graphics and check boxes ---

bool TProStringGrid::HasCheckBox(int, int) { return false; }
bool TProStringGrid::IsControlCell(int, int) { return false; }
bool TProStringGrid::HasButton(int, int) { return false; }
bool TProStringGrid::GetCheckBoxState(int, int, bool&) { return false; }
void TProStringGrid::DoToggleCheckBox(int, int, bool) { NotAvailable("DoToggleCheckBox"); }
void TProStringGrid::DoCheckBoxClick(int ACol, int ARow, bool State) {
  if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}
void TProStringGrid::AddCheckBox(int, int, bool, bool) { NotAvailable("AddCheckBox"); }

// --- editing ---

bool TProStringGrid::IsEditable(int ACol, int ARow) {
  if (IsFixed(DisplColIndex(ACol), ARow)) return false;
  bool can = true;
  CanEditCell(ACol, ARow, can);
  return can && Options().contains(goEditing);
}
void TProStringGrid::ShowInplaceEdit() { ShowEditor(); }
void TProStringGrid::HideInplaceEdit() { HideEditor(); }

// --- dimensions ---

// Scrolling the last row above the search footer: nothing scrolls yet.
void TProStringGrid::ScrollAboveSearchFooter() {}

// --- painting ---

TSize TProStringGrid::CalcCellTextSize(int ACol, int ARow) {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  const QString s = Cells(ACol, ARow);
  return TSize{c->TextWidth(s), c->TextHeight(s)};
}

// --- clipboard and filter services ---

void TProStringGrid::CopySelectionToClipboard() {
  const TGridRect s = Selection();
  QStringList lines;
  for (int r = s.Top; r <= s.Bottom; ++r) {
    QStringList cells;
    for (int c = s.Left; c <= s.Right; ++c) cells << Cells(RealColIndex(c), r);
    lines << cells.join(u'\t');
  }
  Clipboard()->SetAsText(lines.join(QStringLiteral("\r\n")));
}
void TProStringGrid::CutSelectionToClipboard() { NotAvailable("CutSelectionToClipboard"); }
void TProStringGrid::PasteSelectionFromClipboard() { NotAvailable("PasteSelectionFromClipboard"); }
void TProStringGrid::SetFilterActive(bool Value) {
  if (Value) NotAvailable("FilterActive");
}
