// Filter conditions, the filter drop-down look and the filter lists.
#include "grid/ProGrid_Filter.h"

#include "grid/ProGrid.h"
#include "platform/ui/Messages.h"

// ------------------------------------------------------------ conditions

void TFilterData::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFilterData*>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  FColumn = src->FColumn;
  FCondition = src->FCondition;
  FCaseSensitive = src->FCaseSensitive;
  FData = src->FData;
  FPrefix = src->FPrefix;
  FSuffix = src->FSuffix;
  FOperation = src->FOperation;
}

TFilter::TFilter(TProStringGrid* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClass<TFilterData>()), FGrid(AOwner) {}

TFilterData* TFilter::Add() {
  auto* item = static_cast<TFilterData*>(TCollection::Add());
  item->SetOperation(Count() == 1 ? foNONE : foAND);
  return item;
}

TFilterData* TFilter::Insert(int Index) {
  return static_cast<TFilterData*>(TCollection::Insert(Index));
}

TFilterData* TFilter::GetColFilter(int Col) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column() == Col) return Items(i);
  TFilterData* item = Add();
  item->SetColumn(Col);
  return item;
}

bool TFilter::HasFilter(int Col) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column() == Col) return true;
  return false;
}

void TFilter::RemoveColumnFilter(int Col) {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->Column() == Col) Delete(i);
  if (FGrid) FGrid->RepaintCell(Col, 0);
}

// ------------------------------------------------------------ drop-down look

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>()),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphActive(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
  FGlyphActive->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TFilterDropDown::~TFilterDropDown() {
  FGlyph->OnChange = nullptr;
  FGlyphActive->OnChange = nullptr;
}

void TFilterDropDown::GlyphChanged(TObject*) {
  if (OnChange) OnChange(this);
}

void TFilterDropDown::SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
void TFilterDropDown::SetGlyphActive(TBitmap* Value) { FGlyphActive->Assign(Value); }

void TFilterDropDown::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFilterDropDown*>(Source);
  if (!src) return;
  FColor = src->FColor;
  FColumnWidth = src->FColumnWidth;
  FFont->Assign(src->FFont.get());
  FHeight = src->FHeight;
  FWidth = src->FWidth;
  FGlyph->Assign(src->FGlyph.get());
  FGlyphActive->Assign(src->FGlyphActive.get());
}

// ------------------------------------------------------------ filter lists

void TDropList::Pick() {
  SetVisible(false);
  if (OnSelect) OnSelect(this, ItemIndex());
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseUp(Button, Shift, X, Y);
  Pick();
}

void TDropList::KeyDown(Word& Key, TShiftState Shift) {
  TListBox::KeyDown(Key, Shift);
  if (Key == VK_RETURN) Pick();
}

void TDropCheckList::ClickCheck() {
  if (OnSelect) OnSelect(this, -1);
}
