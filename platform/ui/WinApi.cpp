// Window-system functions on the controls' widgets: messages, timers, focus,
// capture, cursors, window placement and system values.
#include "platform/ui/WinApi.h"
#include "platform/ui/TestHooks.h"

#include <QApplication>
#include <QCursor>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QStyleHints>
#include <map>
#include <mutex>
#include <set>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Forms.h"

// ------------------------------------------------------------ live windows

namespace {

std::mutex& LiveMutex() {
  static std::mutex m;
  return m;
}
std::set<const QWidget*>& LiveViews() {
  static std::set<const QWidget*> s;
  return s;
}

QPointer<QWidget> g_focus;

TControlWidget* ViewOf(HWND h) {
  if (h == nullptr) return nullptr;
  {
    std::lock_guard<std::mutex> lock(LiveMutex());
    if (LiveViews().count(h) == 0) return nullptr;
  }
  auto* w = static_cast<TControlWidget*>(h);
  return w->Control() != nullptr ? w : nullptr;
}

}  // namespace

// The widget of a control registers itself so that messages can be posted to
// it from any thread while it exists.
void RegisterLiveView(const QWidget* View) {
  std::lock_guard<std::mutex> lock(LiveMutex());
  LiveViews().insert(View);
}

void UnregisterLiveView(const QWidget* View) {
  std::lock_guard<std::mutex> lock(LiveMutex());
  LiveViews().erase(View);
}

// ------------------------------------------------------------ messages

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TControlWidget* v = ViewOf(Wnd);
  if (v == nullptr) return 0;
  return v->Control()->Perform(Msg, WParam, LParam);
}

BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Wnd == nullptr) return false;
  std::lock_guard<std::mutex> lock(LiveMutex());
  if (LiveViews().count(Wnd) == 0) return false;
  QCoreApplication::postEvent(Wnd, new TPostedMessageEvent(Msg, WParam, LParam));
  return true;
}

UINT RegisterWindowMessage(const QString& Name) {
  if (Name.isEmpty()) return 0;
  static std::mutex m;
  static QHash<QString, UINT> names;
  static UINT next = WM_REGISTERED_FIRST;
  std::lock_guard<std::mutex> lock(m);
  const QString key = Name.toCaseFolded();
  auto it = names.find(key);
  if (it != names.end()) return it.value();
  const UINT id = next++;
  names.insert(key, id);
  return id;
}

// ------------------------------------------------------------ timers

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse, void*) {
  TControlWidget* v = ViewOf(Wnd);
  if (v == nullptr) return 0;
  auto old = v->QtTimerIds.find(IDEvent);
  if (old != v->QtTimerIds.end()) {
    v->killTimer(old->second);
    v->TimerIds.erase(old->second);
    v->QtTimerIds.erase(old);
  }
  // The window system's shortest timer interval is 10 ms.
  const int qtId = v->startTimer(static_cast<int>(std::max<UINT>(Elapse, 10)), Qt::PreciseTimer);
  if (qtId == 0) return 0;
  v->TimerIds[qtId] = IDEvent;
  v->QtTimerIds[IDEvent] = qtId;
  return IDEvent == 0 ? 1 : IDEvent;
}

BOOL KillTimer(HWND Wnd, UINT_PTR IDEvent) {
  TControlWidget* v = ViewOf(Wnd);
  if (v == nullptr) return false;
  auto it = v->QtTimerIds.find(IDEvent);
  if (it == v->QtTimerIds.end()) return false;
  v->killTimer(it->second);
  v->TimerIds.erase(it->second);
  v->QtTimerIds.erase(it);
  return true;
}

// ------------------------------------------------------------ focus

HWND GetFocus() {
  if (g_focus.isNull()) return nullptr;
  auto* w = static_cast<TControlWidget*>(g_focus.data());
  return w->Control() != nullptr ? g_focus.data() : nullptr;
}

HWND SetFocus(HWND Wnd) {
  HWND old = GetFocus();
  if (Wnd == old) return old;
  TWinControl* target = nullptr;
  if (Wnd != nullptr) {
    target = FindControl(Wnd);
    if (target == nullptr) return old;
    // Focusing a window of another form activates that form first.
    TCustomForm* form = GetParentForm(target);
    if (form != nullptr && form->Visible() && ActiveFormOfModel() != form) {
      ActivateForm(form);
      if (GetFocus() == Wnd) return old;
      old = GetFocus();
    }
  }
  g_focus = Wnd;
  if (old != nullptr) DeliverMessage(FindControl(old), WM_KILLFOCUS, reinterpret_cast<WPARAM>(Wnd), 0);
  // The window that lost the focus may have moved it elsewhere meanwhile.
  if (g_focus.data() != Wnd) return old;
  if (Wnd != nullptr) {
    if (FindControl(Wnd) == nullptr) return old;
    Wnd->setFocus(Qt::OtherFocusReason);
    DeliverMessage(FindControl(Wnd), WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  } else if (QWidget* qf = QApplication::focusWidget()) {
    if (FindControlOfView(qf) != nullptr) qf->clearFocus();
  }
  return old;
}

void ForgetFocusIn(QWidget* View) {
  if (View == nullptr || g_focus.isNull()) return;
  if (g_focus.data() == View || View->isAncestorOf(g_focus.data())) {
    QWidget* f = g_focus.data();
    g_focus = nullptr;
    f->clearFocus();
  }
}

bool OffscreenPlatform() {
  static const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
  return offscreen;
}

HWND GetActiveWindow() {
  TCustomForm* f = ActiveFormOfModel();
  return f != nullptr ? f->View() : nullptr;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

// ------------------------------------------------------------ capture

HWND SetCapture(HWND Wnd) {
  TControl* old = GetCaptureControl();
  HWND prev = old != nullptr ? old->View() : nullptr;
  TControlWidget* v = ViewOf(Wnd);
  SetCaptureControl(v != nullptr ? v->Control() : nullptr);
  return prev;
}

BOOL ReleaseCapture() {
  SetCaptureControl(nullptr);
  return true;
}

HWND GetCapture() {
  TControl* c = GetCaptureControl();
  return c != nullptr ? c->View() : nullptr;
}

BOOL GetCursorPos(TPoint* Point) {
  if (Point == nullptr) return false;
  const QPoint p = QCursor::pos();
  *Point = TPoint(p.x(), p.y());
  return true;
}

BOOL SetCursorPos(int X, int Y) {
  QCursor::setPos(X, Y);
  return true;
}

// ------------------------------------------------------------ cursors

struct TCursorHandle {
  QCursor Cursor;
};

namespace {

std::vector<TCursorHandle*>& CursorStore() {
  // Cursors stay for the whole run.
  static auto* store = new std::vector<TCursorHandle*>();
  return *store;
}

HCURSOR NewCursor(const QCursor& c) {
  auto* h = new TCursorHandle{c};
  CursorStore().push_back(h);
  return h;
}

HCURSOR ShapeCursor(Qt::CursorShape shape) {
  static std::map<int, HCURSOR> cache;
  auto it = cache.find(shape);
  if (it != cache.end()) return it->second;
  HCURSOR h = NewCursor(QCursor(shape));
  cache[shape] = h;
  return h;
}

HCURSOR g_currentCursor = nullptr;

HCURSOR CursorFromImage(const QImage& img) {
  if (img.isNull()) return nullptr;
  bool okX = false, okY = false;
  int hx = img.text(QStringLiteral("HotX")).toInt(&okX);
  int hy = img.text(QStringLiteral("HotY")).toInt(&okY);
  if (!okX) hx = img.width() / 2;
  if (!okY) hy = img.height() / 2;
  return NewCursor(QCursor(QPixmap::fromImage(img), hx, hy));
}

}  // namespace

QCursor QCursorOf(HCURSOR Cursor) {
  if (Cursor == nullptr) return QCursor(Qt::ArrowCursor);
  return Cursor->Cursor;
}

HCURSOR CursorOf(TCursor Cursor) {
  switch (Cursor) {
    case crDefault:
    case crArrow: return ShapeCursor(Qt::ArrowCursor);
    case crNone: return ShapeCursor(Qt::BlankCursor);
    case crCross: return ShapeCursor(Qt::CrossCursor);
    case crIBeam: return ShapeCursor(Qt::IBeamCursor);
    case crSizeNESW: return ShapeCursor(Qt::SizeBDiagCursor);
    case crSizeNS: return ShapeCursor(Qt::SizeVerCursor);
    case crSizeNWSE: return ShapeCursor(Qt::SizeFDiagCursor);
    case crSizeWE: return ShapeCursor(Qt::SizeHorCursor);
    case crUpArrow: return ShapeCursor(Qt::UpArrowCursor);
    case crHourGlass:
    case crSQLWait: return ShapeCursor(Qt::WaitCursor);
    case crDrag:
    case crMultiDrag: return ShapeCursor(Qt::DragCopyCursor);
    case crNoDrop:
    case crNo: return ShapeCursor(Qt::ForbiddenCursor);
    case crHSplit: return ShapeCursor(Qt::SplitHCursor);
    case crVSplit: return ShapeCursor(Qt::SplitVCursor);
    case crAppStart: return ShapeCursor(Qt::BusyCursor);
    case crHelp: return ShapeCursor(Qt::WhatsThisCursor);
    case crHandPoint: return ShapeCursor(Qt::PointingHandCursor);
    case crSizeAll: return ShapeCursor(Qt::SizeAllCursor);
    default:
      if (Cursor > 0 && Screen != nullptr) {
        HCURSOR h = Screen->Cursors(Cursor);
        if (h != nullptr) return h;
      }
      return ShapeCursor(Qt::ArrowCursor);
  }
}

HCURSOR LoadCursor(HINSTANCE Instance, int Id) {
  if (Instance == 0) {
    switch (Id) {
      case IDC_ARROW: return ShapeCursor(Qt::ArrowCursor);
      case IDC_IBEAM: return ShapeCursor(Qt::IBeamCursor);
      case IDC_WAIT: return ShapeCursor(Qt::WaitCursor);
      case IDC_CROSS: return ShapeCursor(Qt::CrossCursor);
      case IDC_UPARROW: return ShapeCursor(Qt::UpArrowCursor);
      case IDC_SIZE:
      case IDC_SIZEALL: return ShapeCursor(Qt::SizeAllCursor);
      case IDC_SIZENWSE: return ShapeCursor(Qt::SizeFDiagCursor);
      case IDC_SIZENESW: return ShapeCursor(Qt::SizeBDiagCursor);
      case IDC_SIZEWE: return ShapeCursor(Qt::SizeHorCursor);
      case IDC_SIZENS: return ShapeCursor(Qt::SizeVerCursor);
      case IDC_NO: return ShapeCursor(Qt::ForbiddenCursor);
      case IDC_HAND: return ShapeCursor(Qt::PointingHandCursor);
      case IDC_APPSTARTING: return ShapeCursor(Qt::BusyCursor);
      case IDC_HELP: return ShapeCursor(Qt::WhatsThisCursor);
      default: return nullptr;
    }
  }
  return LoadCursorFromFile(QStringLiteral(":/cursors/%1.png").arg(Id));
}

HCURSOR LoadCursorFromFile(const QString& FileName) {
  QImage img(FileName);
  return CursorFromImage(img);
}

HCURSOR CreateCursorFromImageData(const QByteArray& Png, int HotX, int HotY) {
  QImage img = QImage::fromData(Png);
  if (img.isNull()) return nullptr;
  return NewCursor(QCursor(QPixmap::fromImage(img), HotX, HotY));
}

HCURSOR SetCursor(HCURSOR Cursor) {
  HCURSOR old = g_currentCursor;
  g_currentCursor = Cursor;
  // The pointer's shape belongs to the widget under it.
  TControl* c = InputState::MouseControl();
  if (c != nullptr && c->View() != nullptr) c->View()->setCursor(QCursorOf(Cursor));
  return old;
}

HCURSOR GetCursor() { return g_currentCursor; }

BOOL DestroyCursor(HCURSOR) { return true; }

// ------------------------------------------------------------ window styles

LONG GetWindowLong(HWND Wnd, int Index) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return 0;
  switch (Index) {
    case GWL_STYLE: return static_cast<LONG>(c->WindowStyle());
    case GWL_EXSTYLE: return static_cast<LONG>(c->WindowExStyle());
    default: return 0;
  }
}

LONG SetWindowLong(HWND Wnd, int Index, LONG Value) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return 0;
  const LONG old = GetWindowLong(Wnd, Index);
  if (Index == GWL_STYLE) c->SetWindowStyle(static_cast<DWORD>(Value), c->WindowExStyle());
  else if (Index == GWL_EXSTYLE) c->SetWindowStyle(c->WindowStyle(), static_cast<DWORD>(Value));
  return old;
}

// ------------------------------------------------------------ windows

const HWND HWND_TOP = nullptr;
const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);

BOOL IsWindow(HWND Wnd) { return ViewOf(Wnd) != nullptr; }

BOOL IsWindowVisible(HWND Wnd) {
  TControlWidget* v = ViewOf(Wnd);
  return v != nullptr && v->isVisible();
}

BOOL IsWindowEnabled(HWND Wnd) {
  TControlWidget* v = ViewOf(Wnd);
  return v != nullptr && v->isEnabled();
}

BOOL EnableWindow(HWND Wnd, BOOL Enable) {
  TControlWidget* v = ViewOf(Wnd);
  if (v == nullptr) return false;
  const bool wasDisabled = !v->isEnabled();
  v->setEnabled(Enable);
  return wasDisabled;
}

HWND GetParent(HWND Wnd) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr || c->Parent() == nullptr) return nullptr;
  return c->Parent()->View();
}

HWND WindowFromPoint(TPoint Point) {
  TControl* c = FindDragTarget(Point, true);
  while (c != nullptr && !c->IsWindowed()) c = c->Parent();
  return c != nullptr ? c->View() : nullptr;
}

BOOL ShowWindow(HWND Wnd, int CmdShow) {
  TControlWidget* v = ViewOf(Wnd);
  if (v == nullptr) return false;
  const bool was = v->isVisible();
  switch (CmdShow) {
    case SW_HIDE: v->hide(); break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
    case SW_SHOWMINNOACTIVE:
      v->setAttribute(Qt::WA_ShowWithoutActivating);
      v->show();
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE: v->showMinimized(); break;
    case SW_SHOWMAXIMIZED: v->showMaximized(); break;
    case SW_RESTORE: v->showNormal(); break;
    default: v->show(); break;
  }
  return was;
}

BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int CX, int CY, UINT Flags) {
  TControlWidget* v = ViewOf(Wnd);
  if (v == nullptr) return false;
  TControl* c = v->Control();
  int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
  if (!(Flags & SWP_NOMOVE)) {
    l = X;
    t = Y;
  }
  if (!(Flags & SWP_NOSIZE)) {
    w = CX;
    h = CY;
  }
  if (!(Flags & SWP_NOMOVE) || !(Flags & SWP_NOSIZE)) c->SetBounds(l, t, w, h);
  if (!(Flags & SWP_NOZORDER)) {
    if (InsertAfter == HWND_BOTTOM) {
      v->lower();
    } else if (InsertAfter == HWND_TOPMOST || InsertAfter == HWND_NOTOPMOST) {
      if (v->isWindow()) {
        const bool vis = v->isVisible();
        v->setWindowFlag(Qt::WindowStaysOnTopHint, InsertAfter == HWND_TOPMOST);
        if (vis) v->show();
      }
      v->raise();
    } else if (InsertAfter == HWND_TOP) {
      v->raise();
    } else if (QWidget* other = ViewOf(InsertAfter)) {
      v->stackUnder(other);
    }
  }
  if (Flags & SWP_SHOWWINDOW) ShowWindow(Wnd, (Flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (Flags & SWP_HIDEWINDOW) v->hide();
  if (Flags & SWP_FRAMECHANGED) RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return true;
}

BOOL GetClientRect(HWND Wnd, TRect* Rect) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr || Rect == nullptr) return false;
  *Rect = c->ClientRect();
  return true;
}

BOOL GetWindowRect(HWND Wnd, TRect* Rect) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr || Rect == nullptr) return false;
  const TRect ins = c->NonClientInsets();
  TPoint o = c->ClientOrigin();
  o.X -= ins.Left;
  o.Y -= ins.Top;
  if (auto* f = dynamic_cast<TCustomForm*>(c); f != nullptr && f->Parent() == nullptr) {
    const TRect cr = c->ClientRect();
    const int fl = (c->Width() - cr.Right) / 2;
    const int ft = c->Height() - cr.Bottom - fl;
    o.X -= fl;
    o.Y -= ft;
  }
  *Rect = TRect(o.X, o.Y, o.X + c->Width(), o.Y + c->Height());
  return true;
}

BOOL ClientToScreen(HWND Wnd, TPoint* Point) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr || Point == nullptr) return false;
  *Point = c->ClientToScreen(*Point);
  return true;
}

BOOL ScreenToClient(HWND Wnd, TPoint* Point) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr || Point == nullptr) return false;
  *Point = c->ScreenToClient(*Point);
  return true;
}

int MapWindowPoints(HWND From, HWND To, TPoint* Points, UINT Count) {
  TPoint of, ot;
  if (TWinControl* f = FindControl(From)) of = f->ClientOrigin();
  if (TWinControl* t = FindControl(To)) ot = t->ClientOrigin();
  const int dx = of.X - ot.X;
  const int dy = of.Y - ot.Y;
  for (UINT i = 0; i < Count && Points != nullptr; ++i) {
    Points[i].X += dx;
    Points[i].Y += dy;
  }
  return static_cast<int>(MAKELPARAM(dx, dy));
}

// ------------------------------------------------------------ system values

int GetSystemMetrics(int Index) {
  switch (Index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
      return Screen != nullptr ? Screen->Width() : 800;
    case SM_CYSCREEN:
    case SM_CYFULLSCREEN:
      return Screen != nullptr ? Screen->Height() : 600;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 17;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 16;
    case SM_CYMENU: return 19;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_MOUSEWHEELPRESENT: return 1;
    default: return 0;
  }
}

UINT GetDoubleClickTime() {
  if (QGuiApplication::instance() == nullptr) return 500;
  return static_cast<UINT>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

BOOL SystemParametersInfo(UINT Action, UINT, void* Param, UINT) {
  if (Param == nullptr) return false;
  switch (Action) {
    case SPI_GETWHEELSCROLLLINES:
      *static_cast<UINT*>(Param) = 3;
      return true;
    case SPI_GETWORKAREA:
      *static_cast<TRect*>(Param) = Screen != nullptr ? Screen->WorkAreaRect() : TRect(0, 0, 800, 600);
      return true;
    default:
      return false;
  }
}

BOOL MessageBeep(UINT) {
  TestHooks::CountBeep();
  if (QGuiApplication::instance() != nullptr) QApplication::beep();
  return true;
}
