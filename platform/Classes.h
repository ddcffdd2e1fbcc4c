// Object model of the framework: objects, persistent objects and components
// with owners. Lists, string lists, collections and streams join this unit.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/Types.h"

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The class's own name ("TStringList").
  QString ClassName() const { return ClassNameOf(typeid(*this)); }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// An object whose state can be copied from another with Assign.
class TPersistent : public TObject {
 public:
  // Copies Source into this object. The default asks Source to copy itself
  // into this object (AssignTo) and fails when neither side knows how.
  virtual void Assign(TPersistent* Source);

 protected:
  virtual void AssignTo(TPersistent* Dest);
  // Raises "Cannot assign a <source class> to a <this class>".
  [[noreturn]] void AssignError(TPersistent* Source);
};

enum TComponentStateItem {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
  csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateItem, 16>;

enum TOperation { opInsert, opRemove };

// A component with an owner. The owner frees the components it owns when it is
// destroyed; a component destroyed on its own leaves its owner's list. Components
// that asked for it (FreeNotification) hear of each other's destruction through
// Notification(AComponent, opRemove).
//
// C++ runs a derived destructor before the base one, so by the time ~TComponent
// frees the owned components the derived part of this object is gone and their
// removal reaches only TComponent::Notification. A derived class whose
// Notification must see its own components leave calls DestroyComponents() at
// the start of its destructor.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  const QString& Name() const { return FName; }
  virtual void SetName(const QString& NewName);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  // This component's position in its owner's list, -1 without owner.
  int ComponentIndex() const;
  // The owned component of that name (case-insensitive), or nullptr.
  TComponent* FindComponent(const QString& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  TComponentState ComponentState() const { return FComponentState; }
  // Marks the component (and the components it owns) as being destroyed.
  void Destroying();

  // AComponent will hear through Notification when this component is destroyed,
  // and this component when AComponent is.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Streaming stand-in: a window definition built in code brackets its property
  // settings with BeginLoading/EndLoading, which runs Loaded on every owned component.
  void BeginLoading();
  void EndLoading();

 protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void Loaded();
  void SetComponentState(TComponentState State) { FComponentState = State; }
  void IncludeState(TComponentStateItem Item) { FComponentState.Include(Item); }
  void ExcludeState(TComponentStateItem Item) { FComponentState.Exclude(Item); }

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  QString FName;
  int FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
};

// Frees obj and sets the pointer to nullptr.
template <typename T>
void FreeAndNil(T*& obj) {
  T* tmp = obj;
  obj = nullptr;
  delete tmp;
}
