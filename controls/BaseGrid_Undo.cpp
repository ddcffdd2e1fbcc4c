// Undo and redo of cell text changes.
#include "controls/BaseGrid.h"

void TUndoRedoItem::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TUndoRedoItem*>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  FRow = src->FRow;
  FCol = src->FCol;
  FValue = src->FValue;
  FOrigValue = src->FOrigValue;
  FSequenceStart = src->FSequenceStart;
  FSequenceStop = src->FSequenceStop;
}

TProGridUndoRedo::TProGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>()) {}

TProGridUndoRedo::~TProGridUndoRedo() {
  if (FGrid && FGrid->UndoRedo() == this) FGrid->SetUndoRedo(nullptr);
}

void TProGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr &&
      AComponent == static_cast<TComponent*>(FGrid))
    FGrid = nullptr;
}

void TProGridUndoRedo::SetGrid(TBaseGrid* Value) { FGrid = Value; }

void TProGridUndoRedo::Append(int ACol, int ARow, const QString& Value, const QString& OrigValue,
                              bool Start, bool Stop) {
  if (FMaxLevel > 0) {
    while (FItems->Count() >= FMaxLevel) FItems->Delete(0);
  }
  TUndoRedoItem* item = FItems->Add();
  item->SetCol(ACol);
  item->SetRow(ARow);
  item->SetValue(Value);
  item->SetOrigValue(OrigValue);
  item->SetSequenceStart(Start);
  item->SetSequenceStop(Stop);
  FLevel = FItems->Count();
}

void TProGridUndoRedo::RegisterChange(int ACol, int ARow, const QString& OldValue,
                                      const QString& NewValue) {
  Append(ACol, ARow, NewValue, OldValue, false, false);
}

void TProGridUndoRedo::StartSequence() { Append(-1, -1, QString(), QString(), true, false); }

void TProGridUndoRedo::StopSequence() { Append(-1, -1, QString(), QString(), false, true); }

void TProGridUndoRedo::Reset() {
  FItems->Clear();
  FLevel = 0;
}

void TProGridUndoRedo::Restore(TUndoRedoItem* Item, const QString& V,
                               const TProGridUndoRedoEvent& Event) {
  if (Item->IsMarker()) return;  // a marker never changes a cell
  const int c = Item->Col(), r = Item->Row();
  if (Event) Event(this, FGrid, c, r, FGrid->Cells(c, r), V);
  FGrid->SetCells(c, r, V);
  // The cursor follows the change when the cell is one it can stand on (a normal
  // cell still inside the grid).
  const int dc = FGrid->DisplColIndex(c);
  if (dc >= FGrid->FixedCols() && dc < FGrid->ColCount() && r >= FGrid->FixedRows() &&
      r < FGrid->RowCount()) {
    FGrid->SetCol(dc);
    FGrid->SetRow(r);
  }
}

void TProGridUndoRedo::Undo() {
  if (!FGrid || FLevel <= 0 || FLevel > FItems->Count()) return;
  TUndoRedoItem* last = FItems->Items(FLevel - 1);
  if (last->SequenceStop()) {
    // A whole sequence, from its last change back to its first. A history
    // trimmed by MaxLevel may have lost the start marker; the walk then ends at
    // the oldest entry.
    --FLevel;
    while (FLevel > 0 && !FItems->Items(FLevel - 1)->SequenceStart()) {
      Restore(FItems->Items(FLevel - 1), FItems->Items(FLevel - 1)->OrigValue(), OnUndo);
      --FLevel;
    }
    if (FLevel > 0) --FLevel;  // over the start marker
    FGrid->Invalidate();
  } else {
    Restore(last, last->OrigValue(), OnUndo);
    FGrid->RepaintCell(FGrid->Col(), FGrid->Row());
    --FLevel;
  }
}

void TProGridUndoRedo::Redo() {
  if (!FGrid || FLevel >= FItems->Count()) return;
  const int i = FLevel;
  FLevel = i + 1;
  TUndoRedoItem* item = FItems->Items(i);
  if (item->SequenceStart()) {
    // A whole sequence, from its first change to its last; Level ends past the
    // stop marker, or at the end of the history when the sequence was not closed.
    const int count = FItems->Count();
    ++FLevel;
    while (FLevel <= count) {
      TUndoRedoItem* e = FItems->Items(FLevel - 1);
      if (e->SequenceStop()) break;
      Restore(e, e->Value(), OnRedo);
      ++FLevel;
    }
    if (FLevel > count) FLevel = count;
    FGrid->Invalidate();
  } else {
    Restore(item, item->Value(), OnRedo);
  }
}
