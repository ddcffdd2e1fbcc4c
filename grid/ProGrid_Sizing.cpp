// String grid: the stretch column, what follows a column or row the user sized
// (proportional sizing of the others, the end-of-sizing events), the sizing
// edges, and the footer's repaint.
#include <QScopeGuard>
#include <cmath>

#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"

// ------------------------------------------------------------ stretching

void TProStringGrid::StretchColumn(int ACol) {
  if (ComponentState().contains(csLoading) || ComponentState().contains(csDestroying) ||
      Application->Terminated())
    return;
  // Whether stretching is on is asked first: a stretch column left beyond the
  // columns (after columns were removed) must not make every column-width
  // change fail while stretching is off.
  if (ColCount() == 0 || !FColumnSize->Stretch() || FStretching) return;
  const int index = ACol == -1 ? ColCount() - 1 : ACol;
  if (index < 0 || index >= ColCount()) throw EProGridError(QStringLiteral("Stretch column index out of range"));
  FStretching = true;
  auto done = qScopeGuard([this] { FStretching = false; });
  if (ColCount() == 1) {
    SetColWidths(0, ClientRect().Right);
  } else {
    int others = 0;
    for (int c = 0; c < ColCount(); ++c)
      if (c != index) others += ColWidths(c);
    const int cw = ClientWidth();
    if (others < cw)
      SetColWidths(index, cw - others - 1);
    else if (LeftCol() == FixedCols())
      SetColWidths(index, DefaultColWidth());
  }
  if (FFloatingFooter->Visible() && FFooterPanel != nullptr) FFooterPanel->SetAlign(alBottom);
}

void TProStringGrid::StretchRightColumn() { StretchColumn(ColCount() - 1); }

// ------------------------------------------------------------ sizing by the user

void TProStringGrid::NoteUserSizing() {
  if (GridState() == gsColSizing && !FColSized && FSizingIndex >= 0 && FSizingIndex < ColCount()) {
    FColSized = true;
    FSizedCol = FSizingIndex;
    FSizedColStart = ColWidths(FSizingIndex);
  }
  if (GridState() == gsRowSizing && !FRowSized && FSizingIndex >= 0 && FSizingIndex < RowCount()) {
    FRowSized = true;
    FSizedRow = FSizingIndex;
    FSizedRowStart = RowHeights(FSizingIndex);
  }
}

void TProStringGrid::ForgetUserSizing(bool Sized) {
  // What the user sized is taken once: the writes that follow are not user sizing.
  if (!Sized) return;
  FColSized = FRowSized = false;
  FSizedCol = FSizedRow = -1;
}

void TProStringGrid::ScaleOthers(bool Cols, int Index, int Start) {
  // Only a column or row that had a size when sizing began gives a ratio.
  const int count = Cols ? ColCount() : RowCount();
  if (Start <= 0 || Index < 0 || Index >= count) return;
  const double f = double(Cols ? ColWidths(Index) : RowHeights(Index)) / Start;
  for (int i = Cols ? FixedCols() : FixedRows(); i < count; ++i) {
    if (i == Index) continue;
    if (Cols)
      SetColWidths(i, int(std::nearbyint(ColWidths(i) * f)));
    else
      SetRowHeights(i, int(std::nearbyint(RowHeights(i) * f)));
  }
}

void TProStringGrid::ColWidthsChanged() {
  if (!FStretching) StretchColumn(FColumnSize->StretchColumn());
  if (IsDesigning()) ReleaseScrollHint();
  TBaseGrid::ColWidthsChanged();
  const bool user = FColSized;
  const int col = FSizedCol, start = FSizedColStart;
  ForgetUserSizing(user);
  if (user && FMouseActions->AllColumnSize()) ScaleOthers(true, col, start);
  if (user && col < ColCount()) {
    if (OnEndColumnSize) OnEndColumnSize(this, col);
    int w = ColWidths(col);
    UpdateColumnSize(col, w);
    if (w != ColWidths(col)) SetColWidths(col, w);
  }
  // A special editor stays over the current cell.
  if (FEditMode && FEditCtrl != nullptr && FEditCtrl->Visible()) {
    const TRect r = CellRect(Col(), Row());
    FEditCtrl->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  }
  if (HasCheckBox(RealColIndex(Col()), Row())) HideEditor();
  UpdateFooter();
  CellControlsUpdate(false);
  if (FColumnSize->Stretch() && FScrollProportional) UpdateVScrollProportional();
}

void TProStringGrid::RowHeightsChanged() {
  TBaseGrid::RowHeightsChanged();
  const bool user = FRowSized;
  const int row = FSizedRow, start = FSizedRowStart;
  ForgetUserSizing(user);
  if (user && FMouseActions->AllRowSize()) ScaleOthers(false, row, start);
  if (user && OnEndRowSize) OnEndRowSize(this, row);
  if (HasCheckBox(RealColIndex(Col()), Row())) HideEditor();
  CellControlsUpdate(false);
}

bool TProStringGrid::IsOnSizingEdge(int X, int Y) {
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (c < 0 || r < 0) return false;
  const TRect R = CellRect(c, r);
  if (r <= FixedRows() && Options().contains(goColSizing) &&
      (std::abs(X - R.Left) < 4 || std::abs(X - R.Right) < 4))
    return true;
  return c <= FixedCols() && Options().contains(goRowSizing) &&
         (std::abs(Y - R.Top) < 4 || std::abs(Y - R.Bottom) < 4);
}

// ------------------------------------------------------------ the footer

void TProStringGrid::UpdateFooter() {
  if (FFooterPanel != nullptr) FFooterPanel->Invalidate();
}

void TProStringGrid::LastRowChanged() {
  TBaseGrid::LastRowChanged();
  UpdateFooter();
}
