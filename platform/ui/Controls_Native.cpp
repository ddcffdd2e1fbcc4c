// Controls: native Qt widgets wrapped by a windowed control (their events take
// the control's message road first, PassToNative hands them on).
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiState_p.h"

// ------------------------------------------------------------ native widgets

namespace {

class TNativeFilter : public QObject {
 public:
  TNativeFilter(TWinControl* C, QObject* Parent) : QObject(Parent), FGuard(C) {}

 protected:
  bool eventFilter(QObject* Obj, QEvent* E) override {
    if (!Obj->isWidgetType() || Obj == UiState().PassingTo) return false;
    TControl* c = FGuard.Get();
    if (c == nullptr) return false;
    switch (E->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::FocusIn:
      case QEvent::Enter:
      case QEvent::Leave:
      case QEvent::ContextMenu: {
        TDispatchScope scope;
        return TranslateEvent(c, static_cast<QWidget*>(Obj), E, true);
      }
      default:
        return false;
    }
  }

 private:
  TControlGuard FGuard;
};

int QtKeyOfVk(int vk) {
  if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
  if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + (vk - VK_NUMPAD0);
  if (vk >= VK_F1 && vk <= VK_F24) return Qt::Key_F1 + (vk - VK_F1);
  switch (vk) {
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_TAB: return Qt::Key_Tab;
    case VK_BACK: return Qt::Key_Backspace;
    case VK_SPACE: return Qt::Key_Space;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_HOME: return Qt::Key_Home;
    case VK_END: return Qt::Key_End;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    default: return Qt::Key_unknown;
  }
}

}  // namespace

void TWinControl::SetNativeWidget(QWidget* Native) {
  if (FNative == Native) return;
  delete FNative;
  FNative = Native;
  if (Native == nullptr) {
    FView->setFocusProxy(nullptr);
    return;
  }
  Native->setParent(FView);
  auto* filter = new TNativeFilter(this, Native);
  Native->installEventFilter(filter);
  for (QWidget* child : Native->findChildren<QWidget*>()) child->installEventFilter(filter);
  Native->setMouseTracking(true);
  FView->setFocusProxy(Native);
  UpdateViewGeometry();
  Native->show();
}

bool TWinControl::PassToNative(TMessage& Message) {
  TTranslatedEvent* te = CurrentTranslatedEvent();
  if (FNative == nullptr || te == nullptr || te->Target != this || te->Msg != Message.Msg) return false;
  QWidget* dest = te->Native != nullptr ? te->Native : FNative;
  const QScopedValueRollback passing(UiState().PassingTo, dest);

  QEvent* e = te->Event;
  switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      auto* ke = static_cast<QKeyEvent*>(e);
      const bool down = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN;
      const int key = QtKeyOfVk(static_cast<int>(Message.WParam));
      const int qtKey = key == Qt::Key_unknown ? ke->key() : key;
      // The characters follow as WM_CHAR; the key itself carries none.
      QKeyEvent copy(down ? QEvent::KeyPress : QEvent::KeyRelease, qtKey, ke->modifiers(), QString(),
                     ke->isAutoRepeat());
      QCoreApplication::sendEvent(dest, &copy);
      return true;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      auto* ke = static_cast<QKeyEvent*>(e);
      const QChar ch(static_cast<char16_t>(Message.WParam));
      QKeyEvent copy(QEvent::KeyPress, Qt::Key_unknown, ke->modifiers() & ~Qt::ControlModifier,
                     QString(ch), ke->isAutoRepeat());
      QCoreApplication::sendEvent(dest, &copy);
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE: {
      std::unique_ptr<QEvent> copy(e->clone());
      QCoreApplication::sendEvent(dest, copy.get());
      return true;
    }
    default:
      return false;
  }
}
