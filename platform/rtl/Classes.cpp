#include "platform/rtl/Classes.h"

#include <algorithm>

// ---------------------------------------------------------------- TPersistent

void TPersistent::Assign(TPersistent* Source) {
  if (Source != nullptr) {
    Source->AssignTo(this);
  } else {
    AssignError(nullptr);
  }
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  const QString source = Source != nullptr ? Source->ClassName() : QStringLiteral("nil");
  throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(source, ClassName()));
}

// ----------------------------------------------------------------- TComponent

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Tell everyone that asked; each call removes the link both ways.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    other->RemoveNotification(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

TPersistent* TComponent::GetOwner() { return FOwner; }

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) throw EListError(ListIndexErrorText(Index));
  return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (FOwner == nullptr) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const QString& AName) const {
  if (AName.isEmpty()) return nullptr;
  for (TComponent* c : FComponents)
    if (c->FName.compare(AName, Qt::CaseInsensitive) == 0) return c;
  return nullptr;
}

void TComponent::SetName(const QString& NewName) {
  if (NewName == FName) return;
  if (!NewName.isEmpty() && FOwner != nullptr) {
    TComponent* other = FOwner->FindComponent(NewName);
    if (other != nullptr && other != this)
      throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
  }
  FName = NewName;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner != nullptr) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it != FComponents.end()) FComponents.erase(it);
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  // Each owned component removes itself from the list in its destructor.
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    Remove(c);
    Notification(c, opRemove);
    delete c;
  }
}

void TComponent::Destroying() {
  if (FComponentState.contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
      AComponent->FFreeNotifies.end())
    AComponent->FFreeNotifies.push_back(this);
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  RemoveNotification(AComponent);
  if (AComponent != nullptr) AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
  if (it != FFreeNotifies.end()) FFreeNotifies.erase(it);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  // Pass the news on to the owned components, as the framework does.
  if (Operation == opRemove && AComponent != nullptr) RemoveNotification(AComponent);
  for (size_t i = 0; i < FComponents.size(); ++i) {
    TComponent* c = FComponents[i];
    if (c != AComponent) c->Notification(AComponent, Operation);
  }
}

void TComponent::BeginLoading() {
  FComponentState.Include(csLoading);
  for (TComponent* c : FComponents) c->BeginLoading();
}

void TComponent::EndLoading() {
  for (TComponent* c : FComponents) c->EndLoading();
  FComponentState.Exclude(csLoading);
  Loaded();
}

void TComponent::Loaded() {}

// ---------------------------------------------------------------------- TList

QString ListIndexErrorText(int Index) {
  return QStringLiteral("List index out of bounds (%1)").arg(Index);
}

TList::~TList() { Clear(); }

void TList::Error(const QString& Msg, int Data) { throw EListError(Msg.arg(Data)); }

void TList::IndexError(int Index) { throw EListError(ListIndexErrorText(Index)); }

int TList::Add(void* Item) {
  const int result = Count();
  Insert(result, Item);
  return result;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > Count()) throw EListError(ListIndexErrorText(Index));
  if (Count() == FCapacity) SetCapacity(FCapacity < 4 ? 4 : FCapacity < 64 ? FCapacity * 2 : FCapacity + FCapacity / 4);
  FList.insert(FList.begin() + Index, Item);
  if (Item != nullptr) Notify(Item, lnAdded);
}

void TList::Delete(int Index) {
  CheckIndex(Index);
  void* item = FList[static_cast<size_t>(Index)];
  FList.erase(FList.begin() + Index);
  if (item != nullptr) Notify(item, lnDeleted);
}

int TList::Remove(void* Item) {
  const int index = IndexOf(Item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* Item) {
  const int index = IndexOf(Item);
  if (index < 0) return nullptr;
  FList.erase(FList.begin() + index);
  Notify(Item, lnExtracted);
  return Item;
}

int TList::IndexOf(void* Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Clear() {
  // Each pointer is taken out before its notification, as Delete does.
  while (!FList.empty()) Delete(Count() - 1);
  SetCapacity(0);
}

void TList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  void* item = FList[static_cast<size_t>(CurIndex)];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

void TList::SetItems(int Index, void* Item) {
  CheckIndex(Index);
  void*& slot = FList[static_cast<size_t>(Index)];
  if (slot == Item) return;
  void* old = slot;
  slot = Item;
  if (old != nullptr) Notify(old, lnDeleted);
  if (Item != nullptr) Notify(Item, lnAdded);
}

void TList::SetCount(int NewCount) {
  if (NewCount < 0) Error(QStringLiteral("List count out of bounds (%1)"), NewCount);
  if (NewCount > FCapacity) SetCapacity(NewCount);
  if (NewCount > Count()) {
    FList.resize(static_cast<size_t>(NewCount), nullptr);
  } else {
    while (Count() > NewCount) Delete(Count() - 1);
  }
}

void TList::SetCapacity(int NewCapacity) {
  if (NewCapacity < Count()) Error(QStringLiteral("List capacity out of bounds (%1)"), NewCapacity);
  FCapacity = NewCapacity;
  if (static_cast<size_t>(NewCapacity) > FList.capacity()) FList.reserve(static_cast<size_t>(NewCapacity));
  if (NewCapacity == 0) FList.shrink_to_fit();
}

void TList::Notify(void*, TListNotification) {}

void TList::Sort(const TListSortCompare& Compare) {
  if (Count() < 2) return;
  // The framework's quick sort (Hoare partition around the middle item). The
  // bounds checks on the scans only matter for a comparison that contradicts
  // itself; a sound one stops at the pivot.
  std::vector<void*>& a = FList;
  const std::function<void(int, int)> quick = [&](int L, int R) {
    int I;
    do {
      I = L;
      int J = R;
      void* P = a[static_cast<size_t>((L + R) >> 1)];
      do {
        while (I < R && Compare(a[static_cast<size_t>(I)], P) < 0) ++I;
        while (J > L && Compare(a[static_cast<size_t>(J)], P) > 0) --J;
        if (I <= J) {
          std::swap(a[static_cast<size_t>(I)], a[static_cast<size_t>(J)]);
          ++I;
          --J;
        }
      } while (I <= J);
      if (L < J) quick(L, J);
      L = I;
    } while (I < R);
  };
  quick(0, Count() - 1);
}
