// Inside of the controls, for the platform layer's own .cpp files only (it
// includes QtWidgets): the widget that stands for a control, the translation of
// Qt's events into messages, and the process-wide input state (focus, capture,
// keys, the control under the mouse).
#pragma once

#include <QCursor>
#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

#include "platform/ui/Controls.h"
#include "platform/gdi/DeviceContext_p.h"

class QScrollBar;
class TCustomForm;

// A queued message (PostMessage).
class TPostedMessageEvent : public QEvent {
 public:
  static QEvent::Type EventType();
  TPostedMessageEvent(UINT AMsg, WPARAM AWParam, LPARAM ALParam)
      : QEvent(EventType()), Msg(AMsg), WParam(AWParam), LParam(ALParam) {}
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
};

// The widget of a control. It lives as long as its control; a control destroyed
// while events are being handled detaches it and leaves its deletion to the
// event loop.
class TControlWidget : public QWidget {
 public:
  explicit TControlWidget(TControl* Control);
  ~TControlWidget() override;
  TControl* Control() const { return FControl; }
  void Detach();

  // Timers of the window (SetTimer): the window's identifier by Qt's identifier.
  std::map<int, UINT_PTR> TimerIds;
  std::map<UINT_PTR, int> QtTimerIds;

 protected:
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;

 private:
  TControl* FControl;
};

// Everything a windowed control keeps for painting: its back buffer, the
// invalid area, the device contexts of the client area and of the window, the
// window's scroll bars.
struct TPaintState {
  QImage Image;                 // window-sized, ARGB premultiplied
  QRegion Invalid;              // client coordinates
  bool EraseNeeded = true;
  bool FrameNeeded = true;
  bool Redraw = true;           // WM_SETREDRAW
  int PaintDepth = 0;           // inside BeginPaint ... EndPaint
  bool BeganPaint = false;      // BeginPaint ran during the current WM_PAINT
  QSize LastClient;             // the client size last reported
  bool LastClientKnown = false;
  std::unique_ptr<TDeviceContext> ClientDC;   // persistent client DC (canvas outside paint)
  std::unique_ptr<TDeviceContext> PaintDC;    // the DC of the running paint
  QScrollBar* Bars[2] = {nullptr, nullptr};
  SCROLLINFO BarInfo[2];
  bool BarDisabled[2] = {false, false};
  bool InScrollMessage = false;
};

// A pointer to a control that tells whether the control still exists.
class TControlGuard {
 public:
  explicit TControlGuard(TControl* C);
  bool Alive() const;
  TControl* Get() const { return Alive() ? FControl : nullptr; }

 private:
  TControl* FControl;
  QPointer<QWidget> FView;
};

// Access to the protected members of the controls for the platform's own code.
struct TControlAccess {
  static void WndProcOf(TControl* C, TMessage& M) { C->WindowProc(M); }
  static TControlWidget* ViewOf(const TControl* C) { return C->FView; }
  static TPaintState* PaintOf(TWinControl* C);
  static void EnsureBackBuffer(TWinControl* C);
  static void PaintWindowNow(TWinControl* C);
  static void ClientDCChanged(TWinControl* C);
  static TDeviceContext* ClientDC(TWinControl* C);
  static TRect Insets(const TWinControl* C) { return C->NonClientInsets(); }
  static void SyncFromView(TControl* C);
  static bool PassToNative(TWinControl* C, TMessage& M) { return C->PassToNative(M); }
  static QWidget* Native(const TWinControl* C) { return C->FNative; }
  static void ApplyStyle(TWinControl* C) { C->ApplyStyleToView(); }
  static void ScrollBarAction(TWinControl* C, int Bar, int Action);
  static void ScrollBarReleased(TWinControl* C, int Bar);
  static void LayoutScrollBars(TWinControl* C);
  static bool IsTopLevel(const TControl* C);
};

// ---------------------------------------------------------- message delivery

// The number of Qt events being handled by our widgets right now (nested).
int DispatchDepth();
// Counts an event being handled while alive.
class TDispatchScope {
 public:
  TDispatchScope();
  ~TDispatchScope();
};

// Sends a message to the control's WindowProc from the event loop: an exception
// goes to Application->HandleException. The result, 0 after an exception or
// for a control that no longer exists.
LRESULT DeliverMessage(TControl* Control, UINT Msg, WPARAM WParam, LPARAM LParam,
                       bool* Failed = nullptr);
// Runs Fn the same way (exceptions shown, never thrown into Qt).
void RunGuarded(TObject* Sender, const std::function<void()>& Fn);

// Translates one Qt event that reached a widget of Control (its own widget, or
// its native widget when FromNative) into messages. True when the event was
// taken (Qt must not handle it any further).
bool TranslateEvent(TControl* Control, QWidget* Receiver, QEvent* Event, bool FromNative);

// True while PassToNative hands an event to a native widget: what the widget
// does not take must not come back through its parent's translation.
bool PassingToNative();

// The Qt event behind the message being handled, for PassToNative.
struct TTranslatedEvent {
  QEvent* Event = nullptr;
  TControl* Target = nullptr;
  UINT Msg = 0;
  QWidget* Native = nullptr;
};
TTranslatedEvent* CurrentTranslatedEvent();

// Process-wide input state.
namespace InputState {
// Key state tracking for GetKeyState.
void KeyDown(int Vk);
void KeyUp(int Vk);
void SetModifiers(Qt::KeyboardModifiers Mods);
void SetButtons(Qt::MouseButtons Buttons);
WPARAM MouseKeys();
// The control under the pointer (CM_MOUSEENTER / CM_MOUSELEAVE follow it).
void UpdateMouseControl(const QPoint& Global);
void ForgetControl(TControl* C);
TControl* MouseControl();
}  // namespace InputState

// The widgets that exist, for messages posted from any thread (WinApi.cpp).
void RegisterLiveView(const QWidget* View);
void UnregisterLiveView(const QWidget* View);

// Drops the keyboard focus without messages when it is in View (a window
// being destroyed hears nothing more).
void ForgetFocusIn(QWidget* View);
// True on the offscreen platform of the tests (no raising or grabbing there).
bool OffscreenPlatform();
// The window size of a control: its frame for a child window; the client
// area for a top-level window (its frame belongs to the window system).
QSize WindowSizeOf(const TWinControl* C);

// Shared by the units of Controls: the anchors each alignment stands for, the
// error of a control without parent window, and the size within the limits of
// ConstrainedResize (0 = no limit; the minimum wins) and never below zero.
extern const TAnchors kAnchorAlign[];
[[noreturn]] void RaiseNoParent(const TControl* c);
void ConstrainSize(int MinW, int MinH, int MaxW, int MaxH, int& Width, int& Height);

// Form activation and focus (Forms.cpp).
void ActivateForm(TCustomForm* Form);
void FormHidden(TCustomForm* Form);
void QtActivatedForm(TCustomForm* Form);
TCustomForm* ActiveFormOfModel();

// Hints (Forms.cpp).
void HintCancelForInput();

// The cursor shape of a cursor number (Screen->Cursors), and its Qt cursor.
HCURSOR CursorOf(TCursor Cursor);
QCursor QCursorOf(HCURSOR Cursor);
