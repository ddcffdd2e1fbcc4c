// Menus of the desktop framework: menu items and the pop-up menu that a
// control shows on the right mouse button (its PopupMenu).
#pragma once

#include <QString>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"

// One entry of a menu; a caption of "-" is a separator. A menu item frees the
// items it holds.
class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const QString& Caption() const { return FCaption; }
  void SetCaption(const QString& Value) { FCaption = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  bool IsLine() const { return FCaption == QStringLiteral("-"); }
  // The item's identifier, unique in the program run.
  int Command() const { return FCommand; }

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const { return FParent; }
  int IndexOf(const TMenuItem* Item) const;
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out (not freed).
  void Remove(TMenuItem* Item);
  // Frees the item at Index.
  void Delete(int Index);
  void Clear();
  // Runs the item's action (OnClick) when it is enabled.
  virtual void Click();

  TNotifyEvent OnClick;

 private:
  QString FCaption;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  int FCommand;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
};

// A menu that pops up at a screen position. Popup shows it and runs the item
// chosen; in a test process the pop-up menu hook (TestHooks.h) chooses.
class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  TMenuItem* Items() const { return FItems; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
  TPoint PopupPoint() const { return FPopupPoint; }
  // Shows the menu at the screen position; returns when it has closed.
  virtual void Popup(int X, int Y);

  TNotifyEvent OnPopup;
  TNotifyEvent OnClose;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TMenuItem* FItems;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPoint FPopupPoint;
};
