#include "grid/ProGrid_ColumnSize.h"

#include "grid/ProGrid.h"

TPersistent* TColumnSize::GetOwner() { return FOwner; }

void TColumnSize::SetStretch(bool Value) {
  F.Stretch = Value;
  if (FOwner && FOwner->Parent()) FOwner->StretchColumn(F.StretchColumn);
}

void TColumnSize::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TColumnSize*>(Source)) F = src->F;
}
