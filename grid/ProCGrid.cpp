// The column grid: the column items, their collection, and the per-cell answers
// the grid takes from them.
#include "grid/ProCGrid.h"

#include <QScopedValueRollback>
#include <QScopeGuard>

#include "controls/ProUtil.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Menus.h"

// --------------------------------------------------------------- TGridColumnItem

TGridColumnItem::TGridColumnItem(TCollection* Collection)
    : TCollectionItem(Collection),
      FFont(std::make_unique<TFont>()),
      FComboItems(std::make_unique<TStringList>()),
      FPrintFont(std::make_unique<TFont>()),
      FBorderPen(std::make_unique<TPen>()),
      FPrintBorderPen(std::make_unique<TPen>()),
      FFilter(std::make_unique<TStringList>()),
      FHeaderFont(std::make_unique<TFont>()) {
  FBorderPen->SetWidth(1);
  FBorderPen->SetColor(TColor(0xC0C0C0));
  FPrintBorderPen->SetWidth(1);
  FPrintBorderPen->SetColor(TColor(0));
  if (TProColumnGrid* g = Grid()) {
    FFont->Assign(g->Font());
    FColor = g->Color();
    FPrintFont->Assign(g->Font());
    FHeaderFont->Assign(g->Font());
  }
  FFont->OnChange = [this](TObject*) { Changed(false); };
  FHeaderFont->OnChange = [this](TObject*) { Changed(false); };
  FBorderPen->OnChange = [this](TObject*) { Changed(false); };
  FFilter->OnChange = [this](TObject*) { Repaint(); };
}

TGridColumnItem::~TGridColumnItem() {
  FFont->OnChange = nullptr;
  FHeaderFont->OnChange = nullptr;
  FBorderPen->OnChange = nullptr;
  FFilter->OnChange = nullptr;
}

TProColumnGrid* TGridColumnItem::Grid() const {
  auto* c = dynamic_cast<TGridColumnCollection*>(Collection());
  return c ? c->Grid() : nullptr;
}

void TGridColumnItem::Repaint() {
  if (TProColumnGrid* g = Grid()) g->Invalidate();
}

QString TGridColumnItem::GetDisplayName() const {
  if (!FName.isEmpty()) return QStringLiteral("Col %1: %2").arg(Index()).arg(FName);
  return QStringLiteral("Column %1").arg(Index());
}

namespace {

// Blocks an object's change event while it is copied into.
template <typename T>
void CopyQuietly(T* Dest, T* Source) {
  auto keep = std::move(Dest->OnChange);
  Dest->OnChange = nullptr;
  Dest->Assign(Source);
  Dest->OnChange = std::move(keep);
}

}  // namespace

void TGridColumnItem::AssignVisuals(TPersistent* Source) {
  auto* src = dynamic_cast<TGridColumnItem*>(Source);
  if (!src) return;
  FAlignment = src->FAlignment;
  FHeaderAlignment = src->FHeaderAlignment;
  CopyQuietly(FBorderPen.get(), src->FBorderPen.get());
  FBorders = src->FBorders;
  FCheckFalse = src->FCheckFalse;
  FCheckTrue = src->FCheckTrue;
  FEditLength = src->FEditLength;
  FEditLink = src->FEditLink;
  FEditMask = src->FEditMask;
  FEditorType = src->FEditorType;
  FFixed = src->FFixed;
  FPassword = src->FPassword;
  FPrintBorderPen->Assign(src->FPrintBorderPen.get());
  FPrintBorders = src->FPrintBorders;
  FPrintColor = src->FPrintColor;
  FPrintFont->Assign(src->FPrintFont.get());
  FReadOnly = src->FReadOnly;
  FSortPrefix = src->FSortPrefix;
  FSortStyle = src->FSortStyle;
  FSortSuffix = src->FSortSuffix;
  FSpinMax = src->FSpinMax;
  FSpinMin = src->FSpinMin;
  FSpinStep = src->FSpinStep;
  FColumnPopup = src->FColumnPopup;
  FWidth = src->Width();
  FShowBands = src->FShowBands;
  FMinSize = src->FMinSize;
  FMaxSize = src->FMaxSize;
  FAutoMinSize = src->FAutoMinSize;
  FAutoMaxSize = src->FAutoMaxSize;
  CopyQuietly(FFilter.get(), src->FFilter.get());
  FFilterCaseSensitive = src->FFilterCaseSensitive;
  FDefIdx = src->FDefIdx;
  FFloatFormat = src->FFloatFormat;
  if (TProColumnGrid* g = Grid()) {
    FColor = g->Color();
    CopyQuietly(FFont.get(), g->Font());
  }
}

void TGridColumnItem::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TGridColumnItem*>(Source);
  if (!src) return;
  AssignVisuals(src);
  FColor = src->FColor;
  CopyQuietly(FFont.get(), src->FFont.get());
  FComboItems->Assign(src->FComboItems.get());
  FDropDownCount = src->FDropDownCount;
  CopyQuietly(FHeaderFont.get(), src->FHeaderFont.get());
  FColumnHeader = src->FColumnHeader;
  FName = src->FName;
  FTag = src->FTag;
  // A whole copy: a moved column and a column read from a stream keep these too.
  FColumnPopupType = src->FColumnPopupType;
  FPrintBorderCustom = src->FPrintBorderCustom;
  FPrintFontCustom = src->FPrintFontCustom;
}

int TGridColumnItem::Width() const {
  TProColumnGrid* g = Grid();
  if (!g) return Collection() ? FWidth : 0;
  if (Index() >= g->TotalColCount()) return FWidth;
  return g->AllColWidths(Index());
}

void TGridColumnItem::SetWidth(int Value) {
  FWidth = Value;
  TProColumnGrid* g = Grid();
  if (g && Index() < g->TotalColCount()) g->SetAllColWidths(Index(), Value);
}

void TGridColumnItem::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Repaint();
}

void TGridColumnItem::SetHeader(const QString& Value) {
  FColumnHeader = Value;
  TProColumnGrid* g = Grid();
  if (!g) return;
  if (g->FixedRows() > 0 && !g->ColMoving()) {
    g->SetCells(Index(), 0, Value);
    Changed(false);
  }
}

void TGridColumnItem::SetFont(TFont* Value) {
  FFont->Assign(Value);  // its change event notifies the collection
}

void TGridColumnItem::SetColor(TColor Value) {
  FColor = Value;
  Changed(false);
}

void TGridColumnItem::SetEditor(TEditorType Value) {
  const bool repaint = (Value == edDataCheckBox) != (FEditorType == edDataCheckBox);
  FEditorType = Value;
  if (repaint) Repaint();
}

void TGridColumnItem::SetFixed(bool Value) {
  FFixed = Value;
  Changed(false);
}

void TGridColumnItem::SetPassword(bool Value) {
  FPassword = Value;
  Changed(false);
}

void TGridColumnItem::SetBorders(TCellBorders Value) {
  FBorders = Value;
  Changed(false);
}

void TGridColumnItem::SetBorderPen(TPen* Value) {
  CopyQuietly(FBorderPen.get(), Value);
  Changed(false);
}

void TGridColumnItem::SetShowBands(bool Value) {
  FShowBands = Value;
  Changed(false);
}

void TGridColumnItem::SetColumnPopup(TPopupMenu* Value) {
  FColumnPopup = Value;
  if (Value)
    if (TProColumnGrid* g = Grid()) Value->FreeNotification(g);
}

void TGridColumnItem::SetFloatFormat(const QString& Value) {
  FFloatFormat = Value;
  Repaint();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value) {
  FHeaderAlignment = Value;
  Repaint();
}

void TGridColumnItem::SetHeaderFont(TFont* Value) {
  CopyQuietly(FHeaderFont.get(), Value);
  Repaint();
}

QString TGridColumnItem::Rows(int ARow) const {
  TProColumnGrid* g = Grid();
  return g ? g->Cells(Index(), ARow) : QString();
}

void TGridColumnItem::SetRows(int ARow, const QString& Value) {
  if (TProColumnGrid* g = Grid()) g->SetCells(Index(), ARow, Value);
}

// --------------------------------------------------------- TGridColumnCollection

TGridColumnCollection::TGridColumnCollection(TProColumnGrid* AOwner)
    : TCollection(CollectionItemClass<TGridColumnItem>()), FOwner(AOwner) {}

TPersistent* TGridColumnCollection::GetOwner() { return FOwner; }

TGridColumnItem* TGridColumnCollection::Add() {
  auto* item = static_cast<TGridColumnItem*>(TCollection::Add());
  if (Count() >= 2) item->AssignVisuals(Items(Count() - 2));
  return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int Index) {
  return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
}

void TGridColumnCollection::Update(TCollectionItem*) {
  if (UpdateCount() > 0 || FNoRecursiveUpdate || !FOwner ||
      FOwner->ComponentState().contains(csLoading))
    return;
  const int n = Count() - FOwner->NumHiddenColumns();
  if (n != FOwner->ColCount() && n > FOwner->FixedCols()) FOwner->SetColCount(n);
  if (FOwner->FixedRows() > 0) {
    for (int i = 0; i < Count(); ++i) {
      TGridColumnItem* item = Items(i);
      if (item->FColumnHeader.isEmpty() && !FOwner->Cells(i, 0).isEmpty())
        item->FColumnHeader = FOwner->Cells(i, 0);
    }
  }
  FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization() {
  if (FOwner) {
    QScopedValueRollback<bool> quiet(FNoRecursiveUpdate, true);
    FOwner->UpdateColumnItems();
  }
  for (int i = 0; i < Count(); ++i) Items(i)->SetDefIdx(i);
}

void TGridColumnCollection::ResetOrganization() {
  if (!FOwner) return;
  bool moved = true;
  while (moved) {
    moved = false;
    for (int i = 0; i < Count(); ++i) {
      const int target = Items(i)->DefIdx();
      if (target < i && target >= 0) {
        FOwner->MoveColumn(FOwner->DisplColIndex(i), FOwner->DisplColIndex(target));
        moved = true;
      }
    }
  }
}

// ---------------------------------------------------------------- TProColumnGrid

TProColumnGrid::TProColumnGrid(TComponent* AOwner) : TProStringGrid(AOwner) {
  FColumnCollection.reset(CreateColumns());
  {
    QScopedValueRollback<bool> quiet(FColumnCollection->FNoRecursiveUpdate, true);
    UpdateColumnItems();
  }
  FCellGraphic = std::make_unique<TCellGraphic>();
  FSaveCol = std::make_unique<TGridColumnItem>(nullptr);
}

TProColumnGrid::~TProColumnGrid() {
  // The items point back at this grid: let them go before it goes.
  FColumnCollection.reset();
}

TGridColumnCollection* TProColumnGrid::CreateColumns() { return new TGridColumnCollection(this); }

int TProColumnGrid::GetVersionNr() const { return 0x03010301; }

void TProColumnGrid::UpdateColumnItems() {
  const int want = ColCount() + NumHiddenColumns();
  while (FColumnCollection->Count() < want) FColumnCollection->Add();
  while (FColumnCollection->Count() > want) FColumnCollection->Delete(FColumnCollection->Count() - 1);
  if (IsDesigning()) {
    for (int i = 0; i < ColCount(); ++i)
      SetCells(i, FixedRows(), QStringLiteral("Column %1").arg(RealColIndex(i)));
  }
}

void TProColumnGrid::SetColCount(int Value) {
  TProStringGrid::SetColCount(Value);
  QScopedValueRollback<bool> quiet(FColumnCollection->FNoRecursiveUpdate, true);
  UpdateColumnItems();
}

TGridColumnItem* TProColumnGrid::ColumnByName(const QString& AValue) const {
  for (int i = 0; i < FColumnCollection->Count(); ++i)
    if (FColumnCollection->Items(i)->Name() == AValue) return FColumnCollection->Items(i);
  return nullptr;
}

void TProColumnGrid::Loaded() {
  TProStringGrid::Loaded();
  {
    // Items made here must not size the grid back to a half-built collection.
    QScopedValueRollback<bool> quiet(FColumnCollection->FNoRecursiveUpdate, true);
    UpdateColumnItems();
  }
  FColumnCollection->SetOrganization();
}

bool TProColumnGrid::IsNormalItemCell(int ACol, int ARow) const {
  const int total = TProStringGrid::ColCount() + NumHiddenColumns();
  return ACol >= 0 && ACol < FColumnCollection->Count() && ACol >= FixedCols() &&
         ACol < total - FixedRightCols() && ARow >= FixedRows() && ARow < RowCount() - FixedFooters();
}

// --------------------------------------------------------------- per-cell answers

TCellType TProColumnGrid::GetCellType(int ACol, int ARow) {
  const TCellType t = TProStringGrid::GetCellType(ACol, ARow);
  // (The column's editor first: most columns have none of these.)
  const TGridColumnItem* item = ItemOf(ACol);
  if (t == ctEmpty && item && item->Editor() == edDataCheckBox && IsNormalItemCell(ACol, ARow))
    return ctDataCheckBox;
  return t;
}

TCellGraphic* TProColumnGrid::GetCellGraphic(int ACol, int ARow) {
  TCellGraphic* g = TProStringGrid::GetCellGraphic(ACol, ARow);
  if (g || !FCellGraphic || ComponentState().contains(csDestroying)) return g;
  const TGridColumnItem* item = ItemOf(ACol);
  if (item && item->Editor() == edDataCheckBox && IsNormalItemCell(ACol, ARow)) {
    FCellGraphic->SetCellType(ctVirtCheckBox);
    FCellGraphic->SetCellTransparent(ControlLook()->ControlStyle() == csFlat);
    return FCellGraphic.get();
  }
  return nullptr;
}

void TProColumnGrid::GetCheckTrue(int ACol, int ARow, QString& Value) {
  TProStringGrid::GetCheckTrue(ACol, ARow, Value);
  if (IsNormalItemCell(ACol, ARow)) Value = ItemOf(ACol)->CheckTrue();
}

void TProColumnGrid::GetCheckFalse(int ACol, int ARow, QString& Value) {
  TProStringGrid::GetCheckFalse(ACol, ARow, Value);
  if (IsNormalItemCell(ACol, ARow)) Value = ItemOf(ACol)->CheckFalse();
}

void TProColumnGrid::CanEditCell(int ACol, int ARow, bool& CanEdit) {
  CanEdit = false;
  if (!ComponentState().contains(csLoading) && ACol >= FixedCols() && ARow >= FixedRows()) {
    if (TGridColumnItem* item = ItemOf(ACol)) CanEdit = !(item->ReadOnly() || item->Fixed());
  }
  if (CanEdit && ACol >= 0 && ARow >= 0 && HasCellProperties(ACol, ARow))
    CanEdit = !GetCellProperties(ACol, ARow)->ReadOnly();
  if (OnCanEditCell) {
    const TPoint b = BaseCell(ACol, ARow);
    OnCanEditCell(this, b.Y, b.X, CanEdit);
  }
}

void TProColumnGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
  TGridColumnItem* item = ItemOf(ACol);
  if (item && ACol >= FixedCols() && ARow >= FixedRows()) {
    AEditor = item->Editor();
    // The combo editor offers the column's items.
    EditCombo()->Items()->Assign(item->ComboItems());
    EditCombo()->SetDropDownCount(item->DropDownCount());
    ControlLook()->SetDropDownCount(item->DropDownCount());
    SetEditLink(item->EditLink());
    // The spin editor steps within the column's range.
    if (AEditor == edSpinEdit || AEditor == edFloatSpinEdit) {
      TGridSpin* sp = SpinEdit();
      sp->SetMinValue(item->SpinMin());
      sp->SetMaxValue(item->SpinMax());
      sp->SetIncrement(item->SpinStep());
      sp->SetMinFloatValue(item->SpinMin());
      sp->SetMaxFloatValue(item->SpinMax());
      sp->SetIncrementFloat(item->SpinStep());
    }
  }
  // The handler sees the column's number format as the grid's; the grid-wide
  // format is given back afterwards, so that other columns keep theirs.
  if (!item || item->FloatFormat().isEmpty()) {
    TProStringGrid::GetCellEditor(ACol, ARow, AEditor);
    return;
  }
  const QString gridFormat = FloatFormat();
  auto restore = qScopeGuard([&] { SetFloatFormat(gridFormat); });
  SetFloatFormat(item->FloatFormat());
  TProStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

void TProColumnGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed) {
  const int real = RealColIndex(ACol);
  if (real < FColumnCollection->Count() && ACol >= FixedCols() && ARow >= FixedRows())
    IsFixed = FColumnCollection->Items(real)->Fixed();
  TProStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TProColumnGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword) {
  if (TGridColumnItem* item = ItemOf(ACol)) IsPassword = item->Password();
  TProStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

bool TProColumnGrid::HasComboBox(int ACol, int ARow) {
  bool has = false;
  TGridColumnItem* item = ItemOf(ACol);
  if (item && ACol >= FixedCols() && ARow >= FixedRows())
    has = item->Editor() == edComboEdit || item->Editor() == edComboList;
  return has;
}

void TProColumnGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  if (TGridColumnItem* item = ItemOf(ACol)) {
    HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
    if (HasCellProperties(ACol, ARow)) HAlign = GetCellProperties(ACol, ARow)->Alignment();
  }
  TProStringGrid::GetCellAlignment(ACol, ARow, HAlign, VAlign);
}

void TProColumnGrid::GetCellFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix) {
  if (TGridColumnItem* item = ItemOf(ACol)) {
    AStyle = item->SortStyle();
    APrefix = item->SortPrefix();
    ASuffix = item->SortSuffix();
  }
  TProStringGrid::GetCellFormat(ACol, AStyle, APrefix, ASuffix);
}

QString TProColumnGrid::GetCellFloatFormat(int ACol, int ARow) {
  TGridColumnItem* item = ItemOf(ACol);
  if (item && !item->FloatFormat().isEmpty()) return item->FloatFormat();
  return TProStringGrid::GetCellFloatFormat(ACol, ARow);
}

void TProColumnGrid::GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush,
                                     TColor& AColorTo, TColor& AMirrorColor,
                                     TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD) {
  TGridColumnItem* item = ItemOf(ACol);
  if (!item) {
    TProStringGrid::GetCellDefaults(ACol, ARow, AFont, ABrush, AColorTo, AMirrorColor,
                                    AMirrorColorTo, HA, VA, WW, GD);
    return;
  }
  AFont->Assign(item->Font());
  ABrush->SetColor(item->Color());
  AColorTo = clNone;
  HA = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
  VA = VAlignment();
  WW = WordWrap();
  GD = GradientVertical;
  const bool fixed = ACol < FixedCols() || ARow < FixedRows();
  if (fixed || (item->ShowBands() && Bands()->Active())) {
    ABrush->SetColor(clNone);
    AColorTo = clNone;
  }
}

namespace {

bool IsClNone(TColor c) { return c == clNone; }

}  // namespace

void TProColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                  TFont* AFont) {
  TGridColumnItem* item = ItemOf(ACol);
  const int total = ColCount() + NumHiddenColumns();
  if (item && ACol >= FixedCols() && ACol < total - FixedRightCols() &&
      ARow < RowCount() - FixedFooters()) {
    if (item->Fixed()) ABrush->SetColor(FixedColor());
    else if (ARow >= FixedRows() && !(item->ShowBands() && Bands()->Active()))
      ABrush->SetColor(item->Color());
    AFont->Assign(ARow < FixedRows() ? item->HeaderFont() : item->Font());
    if (HasCellProperties(ACol, ARow)) {
      TCellProperties* p = GetCellProperties(ACol, ARow);
      if (!IsClNone(p->BrushColor())) ABrush->SetColor(p->BrushColor());
      if (!IsClNone(p->FontColor())) AFont->SetColor(p->FontColor());
    }
  }
  TProStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TProColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                       TFont* AFont) {
  TGridColumnItem* item = ItemOf(ACol);
  const int total = ColCount() + NumHiddenColumns();
  const bool fixedArea = ACol < FixedCols() || ARow < FixedRows() ||
                         ACol >= total - FixedRightCols() || ARow >= RowCount() - FixedFooters();
  if (fixedArea) {
    AFont->Assign(PrintSettings()->FixedFont());
  } else if (item) {
    TCellProperties* p = HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow) : nullptr;
    if (item->Fixed()) ABrush->SetColor(FixedColor());
    else if (!(item->ShowBands() && Bands()->Active() && Bands()->Print()))
      ABrush->SetColor(item->PrintColor());
    if (p && !IsClNone(p->BrushColor())) ABrush->SetColor(p->BrushColor());
    if (item->PrintFontCustom()) {
      AFont->Assign(item->PrintFont());
      if (p) {
        if (!IsClNone(p->FontColor())) AFont->SetColor(p->FontColor());
        if (!p->FontStyle().empty()) AFont->SetStyle(p->FontStyle());
        if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
        if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
      }
    } else {
      AFont->Assign(PrintSettings()->Font());
    }
  }
  TProStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TProColumnGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  TGridColumnItem* item = ItemOf(ACol);
  if (item && ACol >= FixedCols() && ARow >= FixedRows()) {
    Borders = item->Borders();
    APen->Assign(item->BorderPen());
  }
  TProStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TProColumnGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  TGridColumnItem* item = ItemOf(ACol);
  if (item && item->PrintBorderCustom() && ACol >= FixedCols() && ARow >= FixedRows()) {
    Borders = item->PrintBorders();
    APen->Assign(item->PrintBorderPen());
  }
  TProStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TProColumnGrid::UpdateColumnSize(int ACol, int& AWidth) {
  if (TGridColumnItem* item = ItemOf(ACol)) {
    if (item->MinSize() > 0 && AWidth < item->MinSize()) AWidth = item->MinSize();
    if (item->MaxSize() > 0 && AWidth > item->MaxSize()) AWidth = item->MaxSize();
  }
  TProStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TProColumnGrid::UpdateAutoColumnSize(int ACol, int& AWidth) {
  if (TGridColumnItem* item = ItemOf(ACol)) {
    if (item->AutoMinSize() > 0 && AWidth < item->AutoMinSize()) AWidth = item->AutoMinSize();
    if (item->AutoMaxSize() > 0 && AWidth > item->AutoMaxSize()) AWidth = item->AutoMaxSize();
  }
  TProStringGrid::UpdateAutoColumnSize(ACol, AWidth);
}

void TProColumnGrid::CellsLoaded() {
  TProStringGrid::CellsLoaded();
  QScopedValueRollback<bool> quiet(FColumnCollection->FNoRecursiveUpdate, true);
  UpdateColumnItems();
}

QString TProColumnGrid::GetFormattedCell(int ACol, int ARow) {
  TGridColumnItem* item = ItemOf(ACol);
  if (!item) return TProStringGrid::GetFormattedCell(ACol, ARow);
  QString text = Cells(ACol, ARow);  // not const: returned by a move
  // Without a format and without the event there is nothing to format.
  if (item->FloatFormat().isEmpty() && !OnGetFloatFormat) return text;
  QString format = item->FloatFormat();
  const TNumberTextKind kind = ClassifyNumberText(text);
  bool isFloat = kind == ntkInteger || kind == ntkFloat;
  if (OnGetFloatFormat) OnGetFloatFormat(this, ACol, ARow, isFloat, format);
  if (format.isEmpty() || !isFloat) return text;
  try {
    return Format(format, {Floats(ACol, ARow)});
  } catch (const Exception&) {
    // A format that does not take a number (such as "%d") shows the text as it is.
    return text;
  }
}

void TProColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TProStringGrid::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft && Button != mbRight) return;
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (c < 0 || r < 0) return;
  TGridColumnItem* item = ItemOf(RealColIndex(c));
  if (!item || !item->ColumnPopup()) return;
  const TColumnPopupType t = item->ColumnPopupType();
  const bool left = t == cpFixedCellsLClick || t == cpNormalCellsLClick || t == cpAllCellsLClick;
  if (left != (Button == mbLeft)) return;
  TPopupMenu* menu = item->ColumnPopup();
  if (OnColumnPopup) OnColumnPopup(this, c, r, menu);
  const bool fixedRow = r < FixedRows();
  const bool rowNamed = t == cpAllCellsLClick || t == cpAllCellsRClick ||
                        ((t == cpFixedCellsLClick || t == cpFixedCellsRClick) == fixedRow);
  // The handler may have dropped the menu.
  if (!rowNamed || !item->ColumnPopup()) return;
  const TRect R = CellRect(c, r);
  const TPoint p = ClientToScreen(TPoint{R.Left, R.Bottom});
  item->ColumnPopup()->Popup(p.X, p.Y);
}

void TProColumnGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TProStringGrid::Notification(AComponent, Operation);
  if (Operation != opRemove || !FColumnCollection) return;
  for (int i = 0; i < FColumnCollection->Count(); ++i) {
    TGridColumnItem* item = FColumnCollection->Items(i);
    if (item->FColumnPopup && static_cast<TComponent*>(item->FColumnPopup) == AComponent)
      item->FColumnPopup = nullptr;
  }
}

// ------------------------------------------------------------ column operations

void TProColumnGrid::ColumnMoved(int FromIndex, int ToIndex) {
  QScopedValueRollback<bool> quiet(FColumnCollection->FNoRecursiveUpdate, true);
  const int top = RealRowIndex(TopRow());
  const int from = RealColIndex(FromIndex), to = RealColIndex(ToIndex);
  TProStringGrid::ColumnMoved(FromIndex, ToIndex);
  FColumnCollection->BeginUpdate();
  {
    QScopedValueRollback<bool> moving(FColMoving, true);
    if (from >= 0 && from < FColumnCollection->Count() && to >= 0 && to < FColumnCollection->Count()) {
      // Copy the item aside, take it out and put the copy in at its new place.
      TGridColumnItem copy(nullptr);
      copy.Assign(FColumnCollection->Items(from));
      FColumnCollection->Delete(from);
      FColumnCollection->Insert(to)->Assign(&copy);
    }
    const int shown = DisplRowIndex(top);
    if (shown >= FixedRows() && shown < RowCount()) SetTopRow(shown);
  }
  FColumnCollection->EndUpdate();
  if (OnAfterColumnMoved) OnAfterColumnMoved(this, from, to);
}

void TProColumnGrid::ColWidthsChanged() {
  TProStringGrid::ColWidthsChanged();
  if (ComponentState().contains(csLoading) || ComponentState().contains(csDestroying) ||
      !FColumnCollection)
    return;
  for (int i = 0; i < ColCount(); ++i) {
    const int real = RealColIndex(i);
    if (real < FColumnCollection->Count()) FColumnCollection->Items(real)->FWidth = ColWidths(i);
  }
}

QString TProColumnGrid::GetEditMask(int ACol, int ARow) {
  QString mask;
  const int real = RealColIndex(ACol);
  if (real < FColumnCollection->Count() && ACol >= FixedCols())
    mask = FColumnCollection->Items(real)->EditMask();
  const QString own = TProStringGrid::GetEditMask(ACol, ARow);
  return own.isEmpty() ? mask : own;
}

int TProColumnGrid::GetEditLimit() {
  const int real = RealColIndex(Col());
  if (real < FColumnCollection->Count() && Col() >= FixedCols())
    return FColumnCollection->Items(real)->EditLength();
  return TProStringGrid::GetEditLimit();
}

void TProColumnGrid::ChangeScale(int M, int D) {
  TProStringGrid::ChangeScale(M, D);
  if (IsDesigning() || M == D || !FColumnCollection) return;
  for (int i = 0; i < ColCount(); ++i) {
    TGridColumnItem* item = ItemOf(RealColIndex(i));
    if (!item) continue;
    item->Font()->SetSize(MulDiv(item->Font()->Size(), M, D));
    item->HeaderFont()->SetSize(MulDiv(item->HeaderFont()->Size(), M, D));
  }
}
