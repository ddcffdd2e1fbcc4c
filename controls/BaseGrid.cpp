// The base grid's cell model: cell texts with display hooks, property objects
// and their freeing, the overridable questions and the look properties.
#include "controls/BaseGrid.h"

#include "controls/ProUtil.h"
#include "platform/gdi/WinGdi.h"

// ---------------------------------------------------------------------------
// TCellProperties

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow) {
  if (FOwnerGrid) {
    FWordWrap = FOwnerGrid->WordWrap();
    FOwnerGrid->FHasCellProps = true;
    FOwnerGrid->FOwnedProps.insert(this);
  }
}

TCellProperties::~TCellProperties() {
  if (FOwnerGrid) FOwnerGrid->FOwnedProps.erase(this);
}

void TCellProperties::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCellProperties*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  FIsBaseCell = src->FIsBaseCell;
  FCellSpanX = src->FCellSpanX;
  FCellSpanY = src->FCellSpanY;
  FOwnerRow = src->FOwnerRow;
  FOwnerCol = src->FOwnerCol;
  FObject = src->FObject;
  FAlignment = src->FAlignment;
  FBorderColor = src->FBorderColor;
  FBorderWidth = src->FBorderWidth;
  FBrushColor = src->FBrushColor;
  FBrushStyle = src->FBrushStyle;
  FFontColor = src->FFontColor;
  FFontStyle = src->FFontStyle;
  FFontName = src->FFontName;
  FFontSize = src->FFontSize;
  FReadOnly = src->FReadOnly;
  FEditor = src->FEditor;
  FVAlignment = src->FVAlignment;
  FWordWrap = src->FWordWrap;
  FNodeLevel = src->FNodeLevel;
  FControl = src->FControl;
}

TPoint TCellProperties::GetBaseCell(int c, int r) const {
  if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1) return {c - FCellSpanX, r - FCellSpanY};
  return {c, r};
}

void TCellProperties::RepaintOwnerCell() {
  if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value) {
  FBrushColor = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
  FBrushColorTo = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value) {
  FWordWrap = Value;
  RepaintOwnerCell();
}

// ---------------------------------------------------------------------------
// TBaseGrid: life cycle

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner) {
  // This grid paints its own lines and cells: the framework's lines are 0 wide
  // and its default drawing is off.
  SetGridLineWidth(1);
  SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid() {
  // The undo component forgets this grid now, while the grid is whole: it may be
  // owned by the grid and be freed only by the framework's part of the
  // destruction.
  SetUndoRedo(nullptr);
  // Every property object made for this grid goes, wherever it is kept: in a cell
  // of the grid, in a hidden column beyond ColCount, in a row set aside, or
  // detached and never stored again. The framework's store forgets its slots
  // with the framework grid right after this.
  std::unordered_set<TCellProperties*> owned;
  owned.swap(FOwnedProps);
  for (TCellProperties* p : owned) {
    FreeCellGraphic(p);
    p->FOwnerGrid = nullptr;  // no need to leave the emptied set
    delete p;
  }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TObjStringGrid::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr &&
      AComponent == static_cast<TComponent*>(FUndoRedo))
    FUndoRedo = nullptr;
}

void TBaseGrid::SetUndoRedo(TProGridUndoRedo* Value) {
  if (FUndoRedo == Value) return;
  if (FUndoRedo) {
    RemoveFreeNotification(FUndoRedo);
    if (FUndoRedo->Grid() == this) FUndoRedo->SetGrid(nullptr);
  }
  FUndoRedo = Value;
  if (FUndoRedo) {
    FreeNotification(FUndoRedo);
    FUndoRedo->SetGrid(this);
  }
}

// ---------------------------------------------------------------------------
// Cell access

namespace {

TCellProperties* AsProps(TObject* Obj) { return dynamic_cast<TCellProperties*>(Obj); }

}  // namespace

TCellProperties* TBaseGrid::PropertiesOf(TObject* O, int ACol, int ARow) {
  if (ACol >= TotalColCount() || ARow >= RowCount()) return nullptr;
  return AsProps(O);
}

void TBaseGrid::SetGridCell(int ACol, int ARow, const QString& Value) {
  TStringGrid::SetCells(ACol, ARow, Value);
}

TObject* TBaseGrid::GetGridObject(int ACol, int ARow) { return TStringGrid::Objects(ACol, ARow); }

void TBaseGrid::SetGridObject(int ACol, int ARow, TObject* Value) {
  TStringGrid::SetObjects(ACol, ARow, Value);
}

QString TBaseGrid::GetCellEx(int ACol, int ARow) {
  int bc = ACol, br = ARow;
  if (TCellProperties* p = PropertiesAt(ACol, ARow)) {
    const TPoint b = p->GetBaseCell(ACol, ARow);
    bc = b.X;
    br = b.Y;
  }
  QString value = GetGridCell(bc, br);
  if (br < FNormalRowCount) {
    DoGetDisplText(bc, br, value);
    if (OnGetDisplWideText) {
      QString wide = DecodeWideText(value);
      DoGetDisplWideText(bc, br, wide);
      value = EncodeWideText(wide);
    }
  }
  return value;
}

void TBaseGrid::SetCellEx(int ACol, int ARow, const QString& Value) {
  if (HasCellProperties(ACol, ARow)) {
    const TPoint b = AsProps(GetGridObject(ACol, ARow))->GetBaseCell(ACol, ARow);
    SetGridCell(b.X, b.Y, Value);
    CellChanged(b.X, b.Y);
    if (Parent() != nullptr) RepaintCell(ACol, ARow);
  } else {
    SetGridCell(ACol, ARow, Value);
  }
  if (FHideLastRow && ARow == RowCount() - 1) LastRowChanged();
}

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow) {
  if (TCellProperties* p = AsProps(GetGridObject(ACol, ARow))) return p;
  auto* p = new TCellProperties(this, ACol, ARow);
  SetGridObject(ACol, ARow, p);
  TFont font;
  TBrush brush;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = FWordWrap;
  TCellGradientDirection gd = GradientVertical;
  GetCellDefaults(ACol, ARow, &font, &brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
  p->SetCalcType(acNONE);
  p->SetAlignment(ha);
  p->SetVAlignment(va);
  p->SetWordWrap(ww);
  p->SetFontName(font.Name());
  p->SetFontSize(font.Size());
  p->SetFontStyle(font.Style());
  p->SetFontColor(font.Color());
  p->SetBrushColor(brush.Color());
  p->SetBrushColorTo(colorTo);
  p->SetGradientDirection(gd);
  return p;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties* Value) {
  TCellProperties* old = AsProps(GetGridObject(ACol, ARow));
  if (old == Value) return;  // freeing it would leave the slot pointing at nothing
  SetGridObject(ACol, ARow, Value);
  if (old) {
    // The old object's graphic goes with it, unless the new object took it over.
    if (!Value || Value->GraphicObject() != old->GraphicObject()) FreeCellGraphic(old);
    delete old;
  }
}

TObject* TBaseGrid::GetObjectEx(int ACol, int ARow) {
  TCellProperties* p = AsProps(GetGridObject(ACol, ARow));
  return p ? p->CellObject() : nullptr;
}

void TBaseGrid::SetObjectEx(int ACol, int ARow, TObject* Value) {
  // An empty cell gets a blank while its property object is made, and is
  // emptied again afterwards, so that its text stays empty.
  const bool wasEmpty = GetCellEx(ACol, ARow).isEmpty();
  if (wasEmpty) SetCellEx(ACol, ARow, QStringLiteral(" "));
  GetCellProperties(ACol, ARow)->SetCellObject(Value);
  if (wasEmpty) SetCellEx(ACol, ARow, QString());
}

TObject* TBaseGrid::GetGraphicObjectEx(int ACol, int ARow) {
  TCellProperties* p = AsProps(GetGridObject(ACol, ARow));
  return p ? p->GraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int ACol, int ARow, TObject* Value) {
  if (ComponentState().contains(csDestroying)) return;
  const bool wasEmpty = GetCellEx(ACol, ARow).isEmpty();
  if (wasEmpty) SetCellEx(ACol, ARow, QStringLiteral(" "));
  GetCellProperties(ACol, ARow)->SetGraphicObject(Value);
  if (wasEmpty) SetCellEx(ACol, ARow, QString());
}

// ---------------------------------------------------------------------------
// Freeing and resetting

void TBaseGrid::FreeCellGraphic(TCellProperties* Props) {
  TObject* g = Props->GraphicObject();
  if (g && g->ClassName() == QLatin1String("TCellGraphic")) {
    Props->SetGraphicObject(nullptr);
    delete g;
  }
}

void TBaseGrid::FreeCellPropsRange(int FromCol, int FromRow, int ToCol, int ToRow) {
  if (!FHasCellProps) return;
  // The slots are emptied first and each object freed once, also when it sits in
  // two slots of the block.
  std::unordered_set<TCellProperties*> objects;
  for (int c = FromCol; c <= ToCol; ++c) {
    for (int r = FromRow; r <= ToRow; ++r) {
      TCellProperties* p = AsProps(GetGridObject(c, r));
      if (!p) continue;
      SetGridObject(c, r, nullptr);
      objects.insert(p);
    }
  }
  for (TCellProperties* p : objects) {
    FreeCellGraphic(p);
    delete p;
  }
}

void TBaseGrid::FreeCellProps(int ACol, int ARow) { FreeCellPropsRange(ACol, ARow, ACol, ARow); }

void TBaseGrid::FreeAllCellProps() {
  if (!FHasCellProps) return;
  // Every stored cell, hidden columns beyond ColCount included. The slots are
  // collected first (the store must not change while it is walked), and an object
  // that sits in two slots is freed once.
  std::vector<std::pair<TGridCoord, TCellProperties*>> stored;
  CellStore().ForEach([&](int c, int r, const QString&, TObject* obj) {
    if (TCellProperties* p = AsProps(obj)) stored.push_back({{c, r}, p});
  });
  std::unordered_set<TCellProperties*> objects;
  for (const auto& [cell, p] : stored) {
    SetGridObject(cell.X, cell.Y, nullptr);
    objects.insert(p);
  }
  for (TCellProperties* p : objects) {
    FreeCellGraphic(p);
    delete p;
  }
}

void TBaseGrid::ResetColumnCells(int ACol) {
  for (int r = 0; r < RowCount(); ++r) {
    SetGridObject(ACol, r, nullptr);
    SetCellEx(ACol, r, QString());
  }
}

void TBaseGrid::ResetRowCells(int ARow) {
  for (int c = 0; c < ColCount(); ++c) {
    SetGridObject(c, ARow, nullptr);
    SetCellEx(c, ARow, QString());
  }
}

void TBaseGrid::ResetCell(int ACol, int ARow) {
  SetCellEx(ACol, ARow, QString());
  SetGridObject(ACol, ARow, nullptr);
}

void TBaseGrid::RepaintCell(int c, int r) {
  if (HandleAllocated()) InvalidateRect(CellRect(c, r), true);
}

// ---------------------------------------------------------------------------
// Overridable questions and hooks

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::GetNodeIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }

void TBaseGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect,
                                TGridDrawState) {
  DrawText(ACanvas->Handle(), GetCellEx(ACol, ARow), -1, ARect,
           DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  // Drawn text is clipped to its rectangle.
  FContentInside = true;
}

void TBaseGrid::LastRowChanged() {}

void TBaseGrid::DoGetDisplWideText(int ACol, int ARow, QString& Value) {
  if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetCellDefaults(int, int, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                                TVAlignment& VA, bool& WW, TCellGradientDirection& GD) {
  AFont->Assign(Font());
  ABrush->SetColor(Color());
  AColorTo = clNone;
  AMirrorColor = clNone;
  AMirrorColorTo = clNone;
  HA = taLeftJustify;
  VA = vtaTop;
  WW = FWordWrap;
  GD = GradientVertical;
}

void TBaseGrid::CellChanged(int, int) {}
bool TBaseGrid::HasCellBorderEvent() { return false; }
bool TBaseGrid::UsesVCLStyles() { return false; }

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool, TBrush*, TColor&,
                                    TColor&, TColor&, TFont*, TAlignment&, TVAlignment&, bool&,
                                    TCellGradientDirection&) {}

int TBaseGrid::DisplColIndex(int ACol) { return ACol; }
int TBaseGrid::TotalColCount() { return ColCount(); }

QString TBaseGrid::GetEditText(int ACol, int ARow) { return TObjStringGrid::GetEditText(ACol, ARow); }

void TBaseGrid::SetEditText(int ACol, int ARow, const QString& Value) {
  TObjStringGrid::SetEditText(ACol, ARow, Value);
}

// ---------------------------------------------------------------------------
// Look properties

void TBaseGrid::SetDefaultDrawing(bool Value) {
  FDefaultDrawing = Value;
  TObjStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int Value) {
  FGridLineWidth = Value;
  TObjStringGrid::SetGridLineWidth(0);
  Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value) {
  FGridLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value) {
  FGridFixedLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value) {
  if (FSelectionStyle == Value) return;
  FSelectionStyle = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowShow(bool Value) {
  if (FActiveRowShow == Value) return;
  FActiveRowShow = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowColor(TColor Value) {
  if (FActiveRowColor == Value) return;
  FActiveRowColor = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowColorTo(TColor Value) {
  if (FActiveRowColorTo == Value) return;
  FActiveRowColorTo = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColor(TColor Value) {
  if (FActiveRowMirrorColor == Value) return;
  FActiveRowMirrorColor = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value) {
  if (FActiveRowMirrorColorTo == Value) return;
  FActiveRowMirrorColorTo = Value;
  Invalidate();
}
