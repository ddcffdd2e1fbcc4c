// The floating footer's settings and panel.
#include "grid/ProGrid_Footer.h"

#include "grid/ProGrid.h"

TFloatingFooter::TFloatingFooter(TProStringGrid* AOwner) : FOwner(AOwner) {}

TPersistent* TFloatingFooter::GetOwner() { return FOwner; }

void TFloatingFooter::Invalidate() {
  if (FOwner && FOwner->FooterPanel()) FOwner->FooterPanel()->Invalidate();
}

void TFloatingFooter::UpdateHideLastRow() {
  if (FOwner) FOwner->SetHideLastRow(FVisible && FFooterStyle == fsFixedLastRow);
}

void TFloatingFooter::SetVisible(bool Value) {
  FVisible = Value;
  if (!FOwner) return;
  if (TFooterPanel* panel = FOwner->FooterPanel()) {
    panel->SetHeight(Value ? FHeight - 1 : 0);
    panel->SetVisible(Value);
  }
  FOwner->SetFixedFooters(Value && FFooterStyle == fsFixedLastRow ? 1 : 0);
  UpdateHideLastRow();
  FOwner->Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value) {
  FFooterStyle = Value;
  UpdateHideLastRow();
  if (!FOwner) return;
  FOwner->Invalidate();
  Invalidate();
}

void TFloatingFooter::SetColor(TColor Value) {
  FColor = Value;
  Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  Invalidate();
}

void TFloatingFooter::SetColumn(int Value) {
  FColumn = Value;
  Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const QString& Value) {
  FCustomTemplate = Value;
  Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value) {
  FShowHint = Value;
  if (FOwner && FOwner->FooterPanel()) FOwner->FooterPanel()->SetShowHint(Value);
}

void TFloatingFooter::SetHeight(int Value) {
  FHeight = Value;
  if (Value > 0 && FOwner && FOwner->FooterPanel()) FOwner->FooterPanel()->SetHeight(Value - 1);
}

TColumnCalcType TFloatingFooter::ColumnCalc(int Col) const {
  if (!FOwner || FOwner->RowCount() < 1) return acNONE;
  const int row = FOwner->RowCount() - 1;
  if (!FOwner->HasCellProperties(Col, row)) return acNONE;
  return FOwner->GetCellProperties(Col, row)->CalcType();
}

void TFloatingFooter::SetColumnCalc(int Col, TColumnCalcType Value) {
  if (!FOwner || FOwner->RowCount() < 1) return;
  FOwner->GetCellProperties(Col, FOwner->RowCount() - 1)->SetCalcType(Value);
  FOwner->CalcFooter(Col);
}

void TFloatingFooter::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFloatingFooter*>(Source);
  if (!src) return;
  FCalculateHiddenRows = src->FCalculateHiddenRows;
  FColor = src->FColor;
  FColumn = src->FColumn;
  FCustomTemplate = src->FCustomTemplate;
  FFooterStyle = src->FFooterStyle;
  SetVisible(src->FVisible);
  FShowHint = src->FShowHint;
}

TFooterPanel::TFooterPanel(TProStringGrid* AOwner) : TCustomPanel(AOwner), FGrid(AOwner) {}
