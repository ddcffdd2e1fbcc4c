// Menus: menu items and the pop-up menu (a QMenu while it is shown).
#include "platform/ui/Menus.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <functional>

#include "platform/ui/TestHooks.h"

namespace {
int g_nextCommand = 1;
}

// ---------------------------------------------------------------- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(g_nextCommand++) {}

TMenuItem::~TMenuItem() {
  Clear();
  if (FParent != nullptr) FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item == nullptr) return;
  if (Item->FParent != nullptr) throw EInvalidOperation(QStringLiteral("Menu inserted twice"));
  if (Index < 0 || Index > Count()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  Remove(item);
  delete item;
}

void TMenuItem::Clear() {
  while (!FItems.empty()) Delete(Count() - 1);
}

void TMenuItem::Click() {
  if (FEnabled && OnClick) OnClick(this);
}

// --------------------------------------------------------------- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu() { delete FItems; }

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
  FPopupPoint = TPoint(X, Y);
  if (OnPopup) OnPopup(this);
  TMenuItem* chosen = nullptr;
  if (TestHooks::PopupMenuHook()) {
    chosen = TestHooks::PopupMenuHook()(this, X, Y);
  } else if (!TestHooks::TestMode()) {
    QMenu menu;
    std::function<void(QMenu*, TMenuItem*)> fill = [&](QMenu* m, TMenuItem* parent) {
      for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
          m->addSeparator();
          continue;
        }
        if (item->Count() > 0) {
          QMenu* sub = m->addMenu(QString(item->Caption()).replace(QLatin1Char('&'), QStringLiteral("&")));
          sub->setEnabled(item->Enabled());
          fill(sub, item);
          continue;
        }
        QAction* a = m->addAction(item->Caption());
        a->setEnabled(item->Enabled());
        a->setCheckable(item->Checked());
        a->setChecked(item->Checked());
        a->setData(item->Command());
      }
    };
    fill(&menu, FItems);
    QAction* a = menu.exec(QPoint(X, Y));
    if (a != nullptr) {
      const int cmd = a->data().toInt();
      std::function<TMenuItem*(TMenuItem*)> find = [&](TMenuItem* p) -> TMenuItem* {
        for (int i = 0; i < p->Count(); ++i) {
          TMenuItem* it = p->Items(i);
          if (it->Command() == cmd) return it;
          if (TMenuItem* r = find(it)) return r;
        }
        return nullptr;
      };
      chosen = find(FItems);
    }
  }
  if (OnClose) OnClose(this);
  if (chosen != nullptr) chosen->Click();
}
