// Controls: the widget of a control, the translation of Qt's input and window
// events into messages (the one place where that happens), the delivery of
// messages from the event loop, and the process-wide input state.
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QWheelEvent>
#include <array>
#include <set>
#include <vector>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiState_p.h"

// ------------------------------------------------------------ the posted event

QEvent::Type TPostedMessageEvent::EventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

// ------------------------------------------------------------ dispatch scope

int DispatchDepth() { return UiState().DispatchDepth; }
TDispatchScope::TDispatchScope() { ++UiState().DispatchDepth; }
TDispatchScope::~TDispatchScope() { --UiState().DispatchDepth; }

TTranslatedEvent* CurrentTranslatedEvent() {
  return UiState().Translated.empty() ? nullptr : UiState().Translated.back();
}

namespace {
// Makes the Qt event behind a message known to PassToNative while it is handled.
class TTranslatedScope {
 public:
  TTranslatedScope(QEvent* e, TControl* target, UINT msg, QWidget* native) {
    FData.Event = e;
    FData.Target = target;
    FData.Msg = msg;
    FData.Native = native;
    UiState().Translated.push_back(&FData);
  }
  ~TTranslatedScope() { UiState().Translated.pop_back(); }

 private:
  TTranslatedEvent FData;
};
}  // namespace

// ------------------------------------------------------------ control guard

TControlGuard::TControlGuard(TControl* C) : FControl(C) {
  if (C != nullptr) FView = TControlAccess::ViewOf(C);
}

bool TControlGuard::Alive() const {
  if (FControl == nullptr || FView.isNull()) return false;
  auto* w = static_cast<TControlWidget*>(FView.data());
  return w->Control() == FControl;
}

// ------------------------------------------------------------ delivery

void RunGuarded(TObject* Sender, const std::function<void()>& Fn) {
  try {
    Fn();
  } catch (...) {
    if (Application != nullptr) {
      try {
        Application->HandleException(Sender);
      } catch (...) {
        // The exception box itself failed; nothing more can be done here.
      }
    }
  }
}

LRESULT DeliverMessage(TControl* Control, UINT Msg, WPARAM WParam, LPARAM LParam, bool* Failed) {
  if (Failed != nullptr) *Failed = false;
  if (Control == nullptr) return 0;
  TControlGuard guard(Control);
  if (!guard.Alive()) return 0;
  TMessage m;
  m.Msg = Msg;
  m.WParam = WParam;
  m.LParam = LParam;
  m.Result = 0;
  TDispatchScope scope;
  try {
    TControlAccess::WndProcOf(Control, m);
  } catch (...) {
    if (Failed != nullptr) *Failed = true;
    if (Application != nullptr) {
      try {
        Application->HandleException(guard.Alive() ? Control : nullptr);
      } catch (...) {
      }
    }
    return 0;
  }
  return m.Result;
}

// ------------------------------------------------------------ input state

namespace {

int VkOfModifier(Qt::KeyboardModifier m) {
  switch (m) {
    case Qt::ShiftModifier: return VK_SHIFT;
    case Qt::ControlModifier: return VK_CONTROL;
    case Qt::AltModifier: return VK_MENU;
    default: return 0;
  }
}
}  // namespace

namespace InputState {

void KeyDown(int Vk) {
  if (Vk <= 0 || Vk > 255) return;
  if (!UiState().KeyDown[Vk] && (Vk == VK_CAPITAL || Vk == VK_NUMLOCK || Vk == VK_SCROLL))
    UiState().KeyToggled[Vk] = !UiState().KeyToggled[Vk];
  UiState().KeyDown[Vk] = true;
  if (Vk == VK_LSHIFT || Vk == VK_RSHIFT) UiState().KeyDown[VK_SHIFT] = true;
  if (Vk == VK_LCONTROL || Vk == VK_RCONTROL) UiState().KeyDown[VK_CONTROL] = true;
  if (Vk == VK_LMENU || Vk == VK_RMENU) UiState().KeyDown[VK_MENU] = true;
}

void KeyUp(int Vk) {
  if (Vk <= 0 || Vk > 255) return;
  UiState().KeyDown[Vk] = false;
}

void SetModifiers(Qt::KeyboardModifiers Mods) {
  for (Qt::KeyboardModifier m : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
    const int vk = VkOfModifier(m);
    UiState().KeyDown[vk] = Mods.testFlag(m);
  }
}

void SetButtons(Qt::MouseButtons Buttons) {
  UiState().KeyDown[VK_LBUTTON] = Buttons.testFlag(Qt::LeftButton);
  UiState().KeyDown[VK_RBUTTON] = Buttons.testFlag(Qt::RightButton);
  UiState().KeyDown[VK_MBUTTON] = Buttons.testFlag(Qt::MiddleButton);
}

WPARAM MouseKeys() {
  WPARAM k = 0;
  if (UiState().KeyDown[VK_LBUTTON]) k |= MK_LBUTTON;
  if (UiState().KeyDown[VK_RBUTTON]) k |= MK_RBUTTON;
  if (UiState().KeyDown[VK_MBUTTON]) k |= MK_MBUTTON;
  if (UiState().KeyDown[VK_SHIFT]) k |= MK_SHIFT;
  if (UiState().KeyDown[VK_CONTROL]) k |= MK_CONTROL;
  return k;
}

TControl* MouseControl() {
  if (UiState().MouseView.isNull()) return nullptr;
  return static_cast<TControlWidget*>(UiState().MouseView.data())->Control();
}

void ForgetControl(TControl* C) {
  if (UiState().MouseControl == C) {
    UiState().MouseControl = nullptr;
    UiState().MouseView = nullptr;
  }
}

void UpdateMouseControl(const QPoint& Global) {
  TControl* now = FindDragTarget(TPoint(Global.x(), Global.y()), true);
  TControl* old = MouseControl();
  if (now == old) return;
  UiState().MouseControl = now;
  UiState().MouseView = now != nullptr ? TControlAccess::ViewOf(now) : nullptr;
  if (old != nullptr) DeliverMessage(old, CM_MOUSELEAVE, 0, 0);
  // The control under the pointer may have changed while the old one heard of it.
  if (now != nullptr && MouseControl() == now) DeliverMessage(now, CM_MOUSEENTER, 0, 0);
}

}  // namespace InputState

SmallInt GetKeyState(int VirtKey) {
  if (VirtKey <= 0 || VirtKey > 255) return 0;
  SmallInt r = 0;
  if (UiState().KeyDown[VirtKey]) r = static_cast<SmallInt>(0x8000 | r);
  if (UiState().KeyToggled[VirtKey]) r = static_cast<SmallInt>(r | 1);
  return r;
}

SmallInt GetAsyncKeyState(int VirtKey) { return GetKeyState(VirtKey); }

// ------------------------------------------------------------ key translation

namespace {

struct TKeyInfo {
  int Vk = 0;
  bool Extended = false;
};

TKeyInfo KeyInfoOf(const QKeyEvent* e) {
  const int key = e->key();
  const bool keypad = e->modifiers().testFlag(Qt::KeypadModifier);
  TKeyInfo r;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    r.Vk = 'A' + (key - Qt::Key_A);
    return r;
  }
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    r.Vk = keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : '0' + (key - Qt::Key_0);
    return r;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
    r.Vk = VK_F1 + (key - Qt::Key_F1);
    return r;
  }
  auto nav = [&](int vk) {
    r.Vk = vk;
    r.Extended = !keypad;  // the keypad's twins of these keys are not extended
  };
  switch (key) {
    case Qt::Key_Return: r.Vk = VK_RETURN; break;
    case Qt::Key_Enter: r.Vk = VK_RETURN; r.Extended = true; break;
    case Qt::Key_Escape: r.Vk = VK_ESCAPE; break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: r.Vk = VK_TAB; break;
    case Qt::Key_Backspace: r.Vk = VK_BACK; break;
    case Qt::Key_Space: r.Vk = VK_SPACE; break;
    case Qt::Key_Insert: nav(VK_INSERT); break;
    case Qt::Key_Delete: nav(VK_DELETE); break;
    case Qt::Key_Home: nav(VK_HOME); break;
    case Qt::Key_End: nav(VK_END); break;
    case Qt::Key_PageUp: nav(VK_PRIOR); break;
    case Qt::Key_PageDown: nav(VK_NEXT); break;
    case Qt::Key_Left: nav(VK_LEFT); break;
    case Qt::Key_Up: nav(VK_UP); break;
    case Qt::Key_Right: nav(VK_RIGHT); break;
    case Qt::Key_Down: nav(VK_DOWN); break;
    case Qt::Key_Clear: r.Vk = VK_CLEAR; break;
    case Qt::Key_Shift: r.Vk = VK_SHIFT; break;
    case Qt::Key_Control: r.Vk = VK_CONTROL; break;
    case Qt::Key_Alt: r.Vk = VK_MENU; break;
    case Qt::Key_AltGr: r.Vk = VK_MENU; r.Extended = true; break;
    case Qt::Key_Meta: r.Vk = VK_LWIN; r.Extended = true; break;
    case Qt::Key_Menu: r.Vk = VK_APPS; r.Extended = true; break;
    case Qt::Key_CapsLock: r.Vk = VK_CAPITAL; break;
    case Qt::Key_NumLock: r.Vk = VK_NUMLOCK; r.Extended = true; break;
    case Qt::Key_ScrollLock: r.Vk = VK_SCROLL; break;
    case Qt::Key_Pause: r.Vk = VK_PAUSE; break;
    case Qt::Key_Print: r.Vk = VK_SNAPSHOT; r.Extended = true; break;
    case Qt::Key_Help: r.Vk = VK_HELP; break;
    case Qt::Key_Asterisk: r.Vk = keypad ? VK_MULTIPLY : '8'; break;
    case Qt::Key_Plus: r.Vk = keypad ? VK_ADD : VK_OEM_PLUS; break;
    case Qt::Key_Minus: r.Vk = keypad ? VK_SUBTRACT : VK_OEM_MINUS; break;
    case Qt::Key_Slash:
      if (keypad) {
        r.Vk = VK_DIVIDE;
        r.Extended = true;
      } else {
        r.Vk = VK_OEM_2;
      }
      break;
    case Qt::Key_Period: r.Vk = keypad ? VK_DECIMAL : VK_OEM_PERIOD; break;
    case Qt::Key_Comma: r.Vk = keypad ? VK_DECIMAL : VK_OEM_COMMA; break;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: r.Vk = VK_OEM_1; break;
    case Qt::Key_Equal: r.Vk = VK_OEM_PLUS; break;
    case Qt::Key_Less:
    case Qt::Key_Greater: r.Vk = key == Qt::Key_Less ? VK_OEM_COMMA : VK_OEM_PERIOD; break;
    case Qt::Key_Underscore: r.Vk = VK_OEM_MINUS; break;
    case Qt::Key_Question: r.Vk = VK_OEM_2; break;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: r.Vk = VK_OEM_3; break;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: r.Vk = VK_OEM_4; break;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: r.Vk = VK_OEM_5; break;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: r.Vk = VK_OEM_6; break;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: r.Vk = VK_OEM_7; break;
    case Qt::Key_Exclam: r.Vk = '1'; break;
    case Qt::Key_At: r.Vk = '2'; break;
    case Qt::Key_NumberSign: r.Vk = '3'; break;
    case Qt::Key_Dollar: r.Vk = '4'; break;
    case Qt::Key_Percent: r.Vk = '5'; break;
    case Qt::Key_AsciiCircum: r.Vk = '6'; break;
    case Qt::Key_Ampersand: r.Vk = '7'; break;
    case Qt::Key_ParenLeft: r.Vk = '9'; break;
    case Qt::Key_ParenRight: r.Vk = '0'; break;
    default: {
      // A character key the table does not name: its letter or digit when ASCII.
      const QString t = e->text();
      if (t.size() == 1) {
        const QChar c = t.at(0).toUpper();
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
          r.Vk = c.unicode();
      }
      break;
    }
  }
  return r;
}

// The PC keyboard's scan code of a virtual key (set 1), 0 when unknown.
int ScanCodeOf(int vk) {
  static const char* const rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static const int starts[] = {0x10, 0x1E, 0x2C};
  if (vk >= 'A' && vk <= 'Z') {
    for (int r = 0; r < 3; ++r)
      for (int i = 0; rows[r][i] != 0; ++i)
        if (rows[r][i] == vk) return starts[r] + i;
  }
  if (vk >= '1' && vk <= '9') return 0x02 + (vk - '1');
  if (vk == '0') return 0x0B;
  if (vk >= VK_F1 && vk <= VK_F1 + 9) return 0x3B + (vk - VK_F1);
  switch (vk) {
    case VK_ESCAPE: return 0x01;
    case VK_OEM_MINUS: return 0x0C;
    case VK_OEM_PLUS: return 0x0D;
    case VK_BACK: return 0x0E;
    case VK_TAB: return 0x0F;
    case VK_OEM_4: return 0x1A;
    case VK_OEM_6: return 0x1B;
    case VK_RETURN: return 0x1C;
    case VK_CONTROL: return 0x1D;
    case VK_OEM_1: return 0x27;
    case VK_OEM_7: return 0x28;
    case VK_OEM_3: return 0x29;
    case VK_SHIFT: return 0x2A;
    case VK_OEM_5: return 0x2B;
    case VK_OEM_COMMA: return 0x33;
    case VK_OEM_PERIOD: return 0x34;
    case VK_OEM_2: return 0x35;
    case VK_MULTIPLY: return 0x37;
    case VK_MENU: return 0x38;
    case VK_SPACE: return 0x39;
    case VK_CAPITAL: return 0x3A;
    case VK_NUMLOCK: return 0x45;
    case VK_SCROLL: return 0x46;
    case VK_HOME: case VK_NUMPAD7: return 0x47;
    case VK_UP: case VK_NUMPAD8: return 0x48;
    case VK_PRIOR: case VK_NUMPAD9: return 0x49;
    case VK_SUBTRACT: return 0x4A;
    case VK_LEFT: case VK_NUMPAD4: return 0x4B;
    case VK_CLEAR: case VK_NUMPAD5: return 0x4C;
    case VK_RIGHT: case VK_NUMPAD6: return 0x4D;
    case VK_ADD: return 0x4E;
    case VK_END: case VK_NUMPAD1: return 0x4F;
    case VK_DOWN: case VK_NUMPAD2: return 0x50;
    case VK_NEXT: case VK_NUMPAD3: return 0x51;
    case VK_INSERT: case VK_NUMPAD0: return 0x52;
    case VK_DELETE: case VK_DECIMAL: return 0x53;
    case VK_F11: return 0x57;
    case VK_F12: return 0x58;
    default: return 0;
  }
}

// The characters a key press types, as the window system's translation of
// key messages gives them.
QString CharsOf(const QKeyEvent* e, int vk) {
  const Qt::KeyboardModifiers m = e->modifiers();
  const bool ctrl = m.testFlag(Qt::ControlModifier);
  const bool alt = m.testFlag(Qt::AltModifier);
  if (vk == VK_DELETE || vk == VK_INSERT || vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU)
    return {};
  if (ctrl && !alt) {
    if (vk >= 'A' && vk <= 'Z') return QString(QChar(vk - 'A' + 1));
    switch (vk) {
      case VK_OEM_4: return QString(QChar(27));
      case VK_OEM_5: return QString(QChar(28));
      case VK_OEM_6: return QString(QChar(29));
      case VK_RETURN: return QString(QChar(10));
      case VK_BACK: return QString(QChar(127));
      case VK_SPACE: return QStringLiteral(" ");
      case VK_ESCAPE: return QString(QChar(27));
      case VK_TAB: return {};
      default: return {};
    }
  }
  switch (vk) {
    case VK_RETURN: return QString(QChar(13));
    case VK_ESCAPE: return QString(QChar(27));
    case VK_BACK: return QString(QChar(8));
    case VK_TAB: return QString(QChar(9));
    default: break;
  }
  QString t = e->text();
  // Control characters besides those above come from no key of the PC keyboard.
  QString out;
  for (QChar c : t)
    if (c.unicode() >= 32 && c.unicode() != 127) out.append(c);
  return out;
}

LPARAM KeyDataOf(int vk, bool extended, bool alt, bool up, bool repeat) {
  uint32_t d = 1;  // repeat count
  d |= static_cast<uint32_t>(ScanCodeOf(vk) & 0xFF) << 16;
  if (extended) d |= 0x01000000u;
  if (alt) d |= 0x20000000u;
  if (up || repeat) d |= 0x40000000u;
  if (up) d |= 0x80000000u;
  return static_cast<LPARAM>(static_cast<int32_t>(d));
}

// The windowed control that gets the keys of a window: the focused control
// when it stands in the same top-level window, otherwise the receiver.
TWinControl* KeyTarget(TControl* receiver) {
  TWinControl* focused = FindControl(GetFocus());
  QWidget* rv = TControlAccess::ViewOf(receiver);
  if (focused != nullptr && rv != nullptr) {
    QWidget* fv = TControlAccess::ViewOf(focused);
    if (fv != nullptr && fv->window() == rv->window()) return focused;
  }
  TControl* c = receiver;
  while (c != nullptr && !c->IsWindowed()) c = c->Parent();
  return static_cast<TWinControl*>(c);
}

bool TranslateKey(TControl* receiver, QKeyEvent* e, QWidget* native) {
  TWinControl* target = KeyTarget(receiver);
  if (target == nullptr) return false;
  const bool press = e->type() == QEvent::KeyPress;
  const TKeyInfo info = KeyInfoOf(e);
  InputState::SetModifiers(e->modifiers());
  if (!press && e->isAutoRepeat()) return true;  // repeats come as key downs only
  if (info.Vk != 0) {
    if (press) InputState::KeyDown(info.Vk);
    else InputState::KeyUp(info.Vk);
  }
  // Alt alone or Alt with another key (not AltGr, which types characters).
  const bool altHeld = (e->modifiers().testFlag(Qt::AltModifier) || (press && info.Vk == VK_MENU)) &&
                       !e->modifiers().testFlag(Qt::ControlModifier);
  const bool sys = altHeld || info.Vk == VK_F10 || (!press && info.Vk == VK_MENU);
  if (press) HintCancelForInput();
  TControlGuard guard(target);
  if (info.Vk != 0) {
    const LPARAM data = KeyDataOf(info.Vk, info.Extended, altHeld, !press, e->isAutoRepeat());
    const UINT msg = press ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    // The focused control may claim the key (CN_ message) before it is dispatched.
    if (DeliverMessage(target, CN_BASE + msg, info.Vk, data) != 0) return true;
    if (!guard.Alive()) return true;
    TTranslatedScope ctx(e, target, msg, native);
    DeliverMessage(target, msg, info.Vk, data);
  }
  if (!press || !guard.Alive()) return true;
  const QString chars = CharsOf(e, info.Vk);
  const LPARAM data = KeyDataOf(info.Vk, info.Extended, altHeld, false, e->isAutoRepeat());
  for (QChar c : chars) {
    if (!guard.Alive()) break;
    const UINT msg = altHeld ? WM_SYSCHAR : WM_CHAR;
    if (DeliverMessage(target, CN_BASE + msg, c.unicode(), data) != 0) continue;
    if (!guard.Alive()) break;
    TTranslatedScope ctx(e, target, msg, native);
    DeliverMessage(target, msg, c.unicode(), data);
  }
  return true;
}

// ------------------------------------------------------------ mouse translation

TControl* MouseTarget(TControl* receiver, const QPoint& global, bool pressOrDouble) {
  if (TControl* cap = GetCaptureControl()) return cap;
  if (pressOrDouble) return receiver;
  // Without a capture the messages go to the control under the pointer, even
  // while Qt still sends them to the widget that saw the press.
  if (QApplication::mouseButtons() != Qt::NoButton || QWidget::mouseGrabber() != nullptr) {
    TControl* under = FindDragTarget(TPoint(global.x(), global.y()), false);
    return under;
  }
  return receiver;
}

bool TranslateMouse(TControl* receiver, QMouseEvent* e, QWidget* native) {
  const QPoint global = e->globalPosition().toPoint();
  InputState::SetModifiers(e->modifiers());
  InputState::SetButtons(e->buttons());
  const QEvent::Type t = e->type();
  const bool press = t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick;
  if (t == QEvent::MouseMove) InputState::UpdateMouseControl(global);
  if (press) HintCancelForInput();
  TControl* target = MouseTarget(receiver, global, press);
  if (target == nullptr) return true;
  if (!target->Enabled() && GetCaptureControl() != target) {
    // A disabled control takes no mouse input; its parent gets it.
    TControl* p = target->Parent();
    while (p != nullptr && !p->Enabled()) p = p->Parent();
    if (p == nullptr) return true;
    target = p;
  }
  const TPoint client = target->ScreenToClient(TPoint(global.x(), global.y()));
  const LPARAM pos = MAKELPARAM(client.X, client.Y);
  const WPARAM keys = InputState::MouseKeys();
  UINT msg = 0;
  const Qt::MouseButton b = e->button();
  const bool dbl = t == QEvent::MouseButtonDblClick &&
                   target->ControlStyle().contains(csDoubleClicks);
  if (t == QEvent::MouseMove) {
    msg = WM_MOUSEMOVE;
  } else if (b == Qt::LeftButton) {
    msg = t == QEvent::MouseButtonRelease ? WM_LBUTTONUP : (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
  } else if (b == Qt::RightButton) {
    msg = t == QEvent::MouseButtonRelease ? WM_RBUTTONUP : (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN);
  } else if (b == Qt::MiddleButton) {
    msg = t == QEvent::MouseButtonRelease ? WM_MBUTTONUP : (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN);
  } else {
    return true;
  }
  TControlGuard guard(target);
  if (msg == WM_MOUSEMOVE && GetCaptureControl() == nullptr && target->IsWindowed()) {
    // The window under the pointer chooses the cursor first.
    auto* w = static_cast<TWinControl*>(target);
    DeliverMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(w->View()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    if (!guard.Alive()) return true;
  } else if (msg == WM_MOUSEMOVE && GetCaptureControl() == nullptr) {
    // A control without a window: its parent window chooses the cursor.
    TWinControl* p = target->Parent();
    if (p != nullptr)
      DeliverMessage(p, WM_SETCURSOR, reinterpret_cast<WPARAM>(p->View()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    if (!guard.Alive()) return true;
  }
  TTranslatedScope ctx(e, target, msg, native);
  DeliverMessage(target, msg, keys, pos);
  return true;
}

bool TranslateWheel(TControl* receiver, QWheelEvent* e) {
  InputState::SetModifiers(e->modifiers());
  InputState::SetButtons(e->buttons());
  HintCancelForInput();
  // The wheel goes to a window: a control without one passes it to its parent.
  TControl* target = receiver;
  while (target != nullptr && !target->IsWindowed()) target = target->Parent();
  if (target == nullptr) return true;
  const QPoint global = e->globalPosition().toPoint();
  const QPoint delta = e->angleDelta();
  const WPARAM keys = InputState::MouseKeys();
  const LPARAM pos = MAKELPARAM(global.x(), global.y());
  if (delta.y() != 0)
    DeliverMessage(target, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(keys), delta.y()), pos);
  if (delta.x() != 0 && TControlGuard(target).Alive())
    DeliverMessage(target, WM_MOUSEHWHEEL, MAKEWPARAM(static_cast<int>(keys), -delta.x()), pos);
  return true;
}

bool IsInputEvent(QEvent::Type t) {
  switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool TranslateEvent(TControl* Control, QWidget* Receiver, QEvent* Event, bool FromNative) {
  QWidget* native = FromNative ? Receiver : nullptr;
  const QEvent::Type t = Event->type();
  if (t == TPostedMessageEvent::EventType()) {
    auto* pm = static_cast<TPostedMessageEvent*>(Event);
    DeliverMessage(Control, pm->Msg, pm->WParam, pm->LParam);
    return true;
  }
  switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return TranslateKey(Control, static_cast<QKeyEvent*>(Event), native);
    case QEvent::ShortcutOverride:
      // Every key goes through the messages; Qt's shortcuts never take it first.
      Event->accept();
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      return TranslateMouse(Control, static_cast<QMouseEvent*>(Event), native);
    case QEvent::Wheel:
      return TranslateWheel(Control, static_cast<QWheelEvent*>(Event));
    case QEvent::Enter:
    case QEvent::Leave:
      InputState::UpdateMouseControl(QCursor::pos());
      return false;
    case QEvent::ContextMenu:
      // The context menu comes from the right button's release (WM_CONTEXTMENU).
      Event->accept();
      return true;
    case QEvent::Timer: {
      auto* te = static_cast<QTimerEvent*>(Event);
      auto* view = TControlAccess::ViewOf(Control);
      if (view == nullptr || FromNative) return false;
      auto it = view->TimerIds.find(te->timerId());
      if (it == view->TimerIds.end()) return false;
      DeliverMessage(Control, WM_TIMER, it->second, 0);
      return true;
    }
    case QEvent::FocusIn:
      if (FromNative && Control->IsWindowed()) {
        // The native widget took the focus by itself (a click): the window has it.
        HWND h = static_cast<TWinControl*>(Control)->View();
        if (GetFocus() != h) ::SetFocus(h);
      }
      return false;
    case QEvent::Close:
      if (!FromNative && TControlAccess::IsTopLevel(Control)) {
        Event->ignore();  // the form decides whether it closes (WM_CLOSE)
        DeliverMessage(Control, WM_CLOSE, 0, 0);
        return true;
      }
      return false;
    case QEvent::WindowActivate:
      if (!FromNative) {
        if (auto* form = dynamic_cast<TCustomForm*>(Control)) QtActivatedForm(form);
      }
      return false;
    case QEvent::Resize:
      if (!FromNative && TControlAccess::IsTopLevel(Control)) TControlAccess::SyncFromView(Control);
      return false;
    default:
      return false;
  }
}

// ------------------------------------------------------------ TControlWidget

TControlWidget::TControlWidget(TControl* Control) : FControl(Control) {
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  setAutoFillBackground(false);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  RegisterLiveView(this);
}

TControlWidget::~TControlWidget() { UnregisterLiveView(this); }

void TControlWidget::Detach() {
  UnregisterLiveView(this);
  FControl = nullptr;
  for (auto& [qtId, id] : TimerIds) killTimer(qtId);
  TimerIds.clear();
  QtTimerIds.clear();
}

bool TControlWidget::event(QEvent* Event) {
  if (FControl == nullptr) {
    // The control is gone; the widget only waits for its deletion.
    if (IsInputEvent(Event->type())) return true;
    return QWidget::event(Event);
  }
  if (PassingToNative() && (IsInputEvent(Event->type()) || Event->type() == QEvent::ShortcutOverride)) {
    Event->accept();
    return true;
  }
  TDispatchScope scope;
  if (TranslateEvent(FControl, this, Event, false)) return true;
  return QWidget::event(Event);
}
