// TCollection and TCollectionItem: owned lists of items of one class.
#include "platform/rtl/Classes.h"

// ------------------------------------------------------------ TCollectionItem

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
  if (FCollection != nullptr) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection != nullptr) FCollection->RemoveItem(this);
  if (Value != nullptr) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  return FCollection != nullptr ? FCollection->FItems.IndexOf(const_cast<TCollectionItem*>(this)) : -1;
}

void TCollectionItem::SetIndex(int Value) {
  const int cur = Index();
  if (cur >= 0 && cur != Value) {
    FCollection->FItems.Move(cur, Value);
    Changed(true);
  }
}

void TCollectionItem::SetDisplayName(const QString&) { Changed(false); }

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection != nullptr && FCollection->FUpdateCount == 0)
    FCollection->Update(AllItems ? nullptr : this);
}

// ---------------------------------------------------------------- TCollection

TCollection::TCollection(TCollectionItemClass ItemClass) : FItemClass(std::move(ItemClass)) {}

TCollection::~TCollection() {
  // No notifications while the items go.
  FUpdateCount = 1;
  while (FItems.Count() > 0) FreeItem(static_cast<TCollectionItem*>(FItems.Last()));
}

TCollectionItem* TCollection::Add() {
  // The item joins the list in its constructor; the collection hears of it
  // (Notify, Update) only once the whole item, derived part included, exists.
  FAdding = true;
  TCollectionItem* item;
  try {
    item = FItemClass.Create(this);
  } catch (...) {
    FAdding = false;
    throw;
  }
  FAdding = false;
  if (item->FCollection != this) item->SetCollection(this);
  Notify(item, cnAdded);
  Changed();
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  // Checked first: an item added and then refused its place would stay at the end.
  if (Index < 0 || Index > Count()) throw EListError(ListIndexErrorText(Index));
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  Notify(item, cnDeleting);
  FreeItem(item);
}

void TCollection::FreeItem(TCollectionItem* Item) {
  // Taken out while the whole item still exists, so that Notify and Update see
  // an intact item; its destructor then finds no collection to leave.
  RemoveItem(Item);
  delete Item;
}

void TCollection::Clear() {
  if (FItems.Count() == 0) return;
  DuringUpdate(this, [&] {
    while (FItems.Count() > 0) FreeItem(static_cast<TCollectionItem*>(FItems.Last()));
  });
}

void TCollection::ClearAndResetID() {
  Clear();
  FNextID = 0;
}

void TCollection::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCollection*>(Source);
  if (src == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  DuringUpdate(this, [&] {
    Clear();
    for (int i = 0; i < src->Count(); ++i) Add()->Assign(src->Items(i));
  });
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (int i = 0; i < FItems.Count(); ++i) {
    auto* item = static_cast<TCollectionItem*>(FItems.Items(i));
    if (item->FID == ID) return item;
  }
  return nullptr;
}

void TCollection::SetItems(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.Add(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  if (FAdding) return;  // Add tells of the item once it is built
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  FItems.Extract(Item);
  Item->FCollection = nullptr;
  Changed();
}
