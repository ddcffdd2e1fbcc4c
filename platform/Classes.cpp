#include "platform/Classes.h"

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

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
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
