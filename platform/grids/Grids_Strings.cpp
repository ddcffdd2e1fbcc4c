// The string grid: a text and an object per cell, rows and columns as string lists (Grids.h).
#include "platform/grids/Grids.h"

namespace {
const char* const kInvalidStringGridOp = "Cannot insert or delete rows from grid";
}

// --------------------------------------------------------- TStringGridStrings

TStringGridStrings::TStringGridStrings(TStringGrid* AGrid, bool IsRow, int AIndex)
    : FGrid(AGrid), FIsRow(IsRow), FIndex(AIndex) {}

int TStringGridStrings::GetCount() const { return FIsRow ? FGrid->ColCount() : FGrid->RowCount(); }

QString TStringGridStrings::Get(int Index) const {
  return FIsRow ? FGrid->Cells(Index, FIndex) : FGrid->Cells(FIndex, Index);
}

TObject* TStringGridStrings::GetObject(int Index) const {
  return FIsRow ? FGrid->Objects(Index, FIndex) : FGrid->Objects(FIndex, Index);
}

void TStringGridStrings::Put(int Index, const QString& S) {
  if (FIsRow)
    FGrid->SetCells(Index, FIndex, S);
  else
    FGrid->SetCells(FIndex, Index, S);
}

void TStringGridStrings::PutObject(int Index, TObject* AObject) {
  if (FIsRow)
    FGrid->SetObjects(Index, FIndex, AObject);
  else
    FGrid->SetObjects(FIndex, Index, AObject);
}

int TStringGridStrings::Add(const QString& S) { return AddObject(S, nullptr); }

int TStringGridStrings::AddObject(const QString& S, TObject* AObject) {
  const int n = GetCount();
  for (int i = 0; i < n; ++i) {
    if (Get(i).isEmpty() && GetObject(i) == nullptr) {
      Put(i, S);
      PutObject(i, AObject);
      return i;
    }
  }
  return -1;
}

void TStringGridStrings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TStrings*>(Source);
  if (src == nullptr) {
    TStrings::Assign(Source);
    return;
  }
  if (src == this) return;
  // Cell by cell; the cells beyond the end of the list are emptied.
  const int n = GetCount();
  const int m = src->Count();
  for (int i = 0; i < n; ++i) {
    Put(i, i < m ? src->Strings(i) : QString());
    PutObject(i, i < m ? src->Objects(i) : nullptr);
  }
}

void TStringGridStrings::Clear() {
  const int n = GetCount();
  for (int i = 0; i < n; ++i) {
    Put(i, QString());
    PutObject(i, nullptr);
  }
}

void TStringGridStrings::Delete(int) { throw EInvalidGridOperation(kInvalidStringGridOp); }

void TStringGridStrings::Insert(int, const QString&) { throw EInvalidGridOperation(kInvalidStringGridOp); }

// ---------------------------------------------------------------- TStringGrid

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) { FData.SetRowReserve(ColCount()); }

TStringGrid::~TStringGrid() = default;

void TStringGrid::SetCells(int ACol, int ARow, const QString& Value) {
  FData.SetText(ACol, ARow, Value);
  CellChanged(ACol, ARow);
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
  FData.SetObject(ACol, ARow, Value);
  CellChanged(ACol, ARow);
}

void TStringGrid::CellChanged(int ACol, int ARow) {
  if (ACol == Col() && ARow == Row() && FEditUpdate == 0) InvalidateEditor();
  InvalidateCell(ACol, ARow);
}

TStrings* TStringGrid::Rows(int Index) {
  std::unique_ptr<TStringGridStrings>& s = FRowStrings[Index];
  if (!s) s = std::make_unique<TStringGridStrings>(this, true, Index);
  return s.get();
}

void TStringGrid::SetRows(int Index, TStrings* Value) { Rows(Index)->Assign(Value); }

TStrings* TStringGrid::Cols(int Index) {
  std::unique_ptr<TStringGridStrings>& s = FColStrings[Index];
  if (!s) s = std::make_unique<TStringGridStrings>(this, false, Index);
  return s.get();
}

void TStringGrid::SetCols(int Index, TStrings* Value) { Cols(Index)->Assign(Value); }

void TStringGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  if (DefaultDrawing()) DrawCellText(ACol, ARow, ARect, ARect.Left + 2, ARect.Top + 2, CellsView(ACol, ARow));
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

QString TStringGrid::GetEditText(int ACol, int ARow) {
  QString result = Cells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, result);
  return result;
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString& Value) {
  // The editor's own cell is written without reloading the editor.
  ++FEditUpdate;
  try {
    if (Value != Cells(ACol, ARow)) SetCells(ACol, ARow, Value);
  } catch (...) {
    --FEditUpdate;
    throw;
  }
  --FEditUpdate;
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  FData.SetRowReserve(ColCount());
  TDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  FData.MoveColumn(FromIndex, ToIndex);
  TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
  FData.MoveRow(FromIndex, ToIndex);
  TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::DeleteColumn(int ACol) {
  const int before = ColCount();
  TDrawGrid::DeleteColumn(ACol);
  // The removed column's cells do not come back when the grid grows again.
  if (ColCount() < before) FData.ClearColumn(before - 1);
}

void TStringGrid::DeleteRow(int ARow) {
  const int before = RowCount();
  TDrawGrid::DeleteRow(ARow);
  if (RowCount() < before) FData.ClearRow(before - 1);
}
