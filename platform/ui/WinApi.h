// Window-system functions of the desktop framework's platform, as the windows
// here implement them: messages, keyboard state, timers, focus, mouse capture,
// cursors, window scroll bars, window placement and system metrics. A window
// handle (HWND) is the widget of a windowed control (platform/Controls.h).
// The drawing functions (device contexts, GDI objects) are in WinGdi.h.
#pragma once

#include <QString>
#include <cstdint>

#include "platform/ui/Messages.h"
#include "platform/rtl/Types.h"
#include "platform/gdi/WinGdi.h"

using UINT_PTR = uintptr_t;
using LONG = int32_t;
using LONG_PTR = intptr_t;

// ------------------------------------------------------------ keyboard state
// The state of a key as the message being handled saw it: the high bit is set
// (the value is negative) while the key is down; the low bit is the toggle state
// of Caps Lock / Num Lock / Scroll Lock. Mouse buttons (VK_LBUTTON ...) answer too.
SmallInt GetKeyState(int VirtKey);
// The state of the key now (the same tracking; no separate hardware query).
SmallInt GetAsyncKeyState(int VirtKey);

// ----------------------------------------------------------------- messages
// Sends the message to the window's control at once and returns its result;
// 0 for a window that does not exist.
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
inline LRESULT SendMessageW(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return SendMessage(Wnd, Msg, WParam, LParam);
}
// Queues the message; the window's control receives it from the event loop,
// after the messages queued before it. A window destroyed in the meantime gets
// nothing. May be called from any thread. False for a window that does not exist.
BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
inline BOOL PostMessageW(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return PostMessage(Wnd, Msg, WParam, LParam);
}
// A message number for a name, the same for equal names (case-insensitive),
// counting from 0xC000. An empty name gives 0.
UINT RegisterWindowMessage(const QString& Name);
inline UINT RegisterWindowMessageW(const QString& Name) { return RegisterWindowMessage(Name); }

// ------------------------------------------------------------------- timers
// Starts (or restarts, for an identifier already running on the window) a timer
// that sends WM_TIMER with WParam = IDEvent to the window every Elapse ms from
// the event loop. Returns IDEvent, or 0 without a window. TimerFunc is not supported
// and must be nullptr.
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse, void* TimerFunc = nullptr);
BOOL KillTimer(HWND Wnd, UINT_PTR IDEvent);

// ---------------------------------------------------------- focus and capture
// The window that has the keyboard focus, nullptr when none of ours has it.
HWND GetFocus();
// Gives the window the keyboard focus: WM_KILLFOCUS goes to the window that had
// it, then WM_SETFOCUS to this one. Returns the window that had it.
HWND SetFocus(HWND Wnd);
// The active top-level window (the form that is active), or nullptr.
HWND GetActiveWindow();
HWND GetForegroundWindow();

// Every mouse message goes to the window until ReleaseCapture (or another
// SetCapture); the window losing the capture receives WM_CAPTURECHANGED.
// Returns the window that had the capture.
HWND SetCapture(HWND Wnd);
BOOL ReleaseCapture();
HWND GetCapture();

BOOL GetCursorPos(TPoint* Point);
BOOL SetCursorPos(int X, int Y);

// ------------------------------------------------------------------ cursors
// A mouse pointer shape. Cursors are kept for the whole run.
struct TCursorHandle;
using HCURSOR = TCursorHandle*;
using HICON = HCURSOR;

constexpr int IDC_ARROW = 32512;
constexpr int IDC_IBEAM = 32513;
constexpr int IDC_WAIT = 32514;
constexpr int IDC_CROSS = 32515;
constexpr int IDC_UPARROW = 32516;
constexpr int IDC_SIZE = 32640;
constexpr int IDC_ICON = 32641;
constexpr int IDC_SIZENWSE = 32642;
constexpr int IDC_SIZENESW = 32643;
constexpr int IDC_SIZEWE = 32644;
constexpr int IDC_SIZENS = 32645;
constexpr int IDC_SIZEALL = 32646;
constexpr int IDC_NO = 32648;
constexpr int IDC_HAND = 32649;
constexpr int IDC_APPSTARTING = 32650;
constexpr int IDC_HELP = 32651;

// With Instance 0: the system cursor IDC_xxx. With the program's instance
// (HInstance): the program's cursor resource number Id, the Qt resource
// ":/cursors/<Id>.png" whose hot spot is given by the PNG text keys "HotX" and
// "HotY" (default: the image's centre). nullptr when there is no such cursor.
HCURSOR LoadCursor(HINSTANCE Instance, int Id);
// A cursor from a Qt resource or file (PNG; hot spot as above).
HCURSOR LoadCursorFromFile(const QString& FileName);
// A cursor from pixels: the image's encoded bytes (PNG) and the hot spot.
HCURSOR CreateCursorFromImageData(const QByteArray& Png, int HotX, int HotY);
// Shows the cursor over the window under the pointer; returns the previous one.
HCURSOR SetCursor(HCURSOR Cursor);
HCURSOR GetCursor();
// Cursors live for the whole run; this does nothing and answers true.
BOOL DestroyCursor(HCURSOR Cursor);

// ----------------------------------------------------------- window styles
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;

constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD WS_EX_LAYERED = 0x00080000;
constexpr DWORD WS_EX_NOACTIVATE = 0x08000000;

// Window-class styles.
constexpr DWORD CS_VREDRAW = 0x0001;
constexpr DWORD CS_HREDRAW = 0x0002;
constexpr DWORD CS_DBLCLKS = 0x0008;
constexpr DWORD CS_SAVEBITS = 0x0800;
constexpr DWORD CS_DROPSHADOW = 0x00020000;

constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_ID = -12;
// The window's style (GWL_STYLE) or extended style (GWL_EXSTYLE).
LONG GetWindowLong(HWND Wnd, int Index);
// Changes the style; the frame and scroll bars follow. Returns the old value.
LONG SetWindowLong(HWND Wnd, int Index, LONG Value);

// ----------------------------------------------------------- windows
BOOL IsWindow(HWND Wnd);
BOOL IsWindowVisible(HWND Wnd);
BOOL IsWindowEnabled(HWND Wnd);
BOOL EnableWindow(HWND Wnd, BOOL Enable);
HWND GetParent(HWND Wnd);
// The deepest visible window of ours under the screen point, or nullptr.
HWND WindowFromPoint(TPoint Point);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
// Shows or hides the window itself (the control's Visible is not changed).
BOOL ShowWindow(HWND Wnd, int CmdShow);

// The insert-after windows of SetWindowPos.
extern const HWND HWND_TOP;
extern const HWND HWND_BOTTOM;
extern const HWND HWND_TOPMOST;
extern const HWND HWND_NOTOPMOST;
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
// Moves, sizes, stacks, shows or hides the window (not the control's properties
// for position: a control's window follows its Left/Top/Width/Height).
BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int CX, int CY, UINT Flags);

// Client rectangle (0, 0, client width, client height) and window rectangle (screen).
BOOL GetClientRect(HWND Wnd, TRect* Rect);
BOOL GetWindowRect(HWND Wnd, TRect* Rect);
BOOL ClientToScreen(HWND Wnd, TPoint* Point);
BOOL ScreenToClient(HWND Wnd, TPoint* Point);
// Converts points from one window's client coordinates into another's
// (nullptr: the screen). Returns the horizontal offset in the low word and the
// vertical offset in the high word.
int MapWindowPoints(HWND From, HWND To, TPoint* Points, UINT Count);

// Marks the client rectangle (nullptr: all of it) for repainting from the event loop.
BOOL InvalidateRect(HWND Wnd, const TRect* Rect, BOOL Erase);
BOOL ValidateRect(HWND Wnd, const TRect* Rect);
// Paints what is marked for repainting now.
BOOL UpdateWindow(HWND Wnd);
constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;
BOOL RedrawWindow(HWND Wnd, const TRect* Rect, HRGN Region, UINT Flags);

// A device context drawing on the window's client area (GetDC) or on the whole
// window including its frame (GetWindowDC), outside of painting. Give it back
// with ReleaseDC.
HDC GetDC(HWND Wnd);
HDC GetWindowDC(HWND Wnd);
int ReleaseDC(HWND Wnd, HDC DC);

// ------------------------------------------------------------- scroll bars
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_LTUP = 0x0001;
constexpr UINT ESB_DISABLE_RTDN = 0x0002;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
using TScrollInfo = SCROLLINFO;

// The window's own scroll bars (SB_HORZ at the bottom, SB_VERT at the right edge,
// inside the window and outside its client area). A bar is shown while the
// window's style holds WS_HSCROLL / WS_VSCROLL; using one of its arrows, its
// track or its thumb sends WM_HSCROLL / WM_VSCROLL with the SB_ codes.
int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO& Info, BOOL Redraw);
BOOL GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info);
int SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw);
int GetScrollPos(HWND Wnd, int Bar);
BOOL SetScrollRange(HWND Wnd, int Bar, int Min, int Max, BOOL Redraw);
BOOL GetScrollRange(HWND Wnd, int Bar, int* Min, int* Max);
BOOL ShowScrollBar(HWND Wnd, int Bar, BOOL Show);
BOOL EnableScrollBar(HWND Wnd, UINT Bar, UINT Arrows);

// ----------------------------------------------------------- system values
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXFIXEDFRAME = 7;
constexpr int SM_CYFIXEDFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_CXMIN = 28;
constexpr int SM_CYMIN = 29;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXSIZEFRAME = 32;
constexpr int SM_CYSIZEFRAME = 33;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_MOUSEWHEELPRESENT = 75;
// The classic values: scroll bars 17, caption 18, borders 1, edges 2, frames 3 and 4.
int GetSystemMetrics(int Index);
UINT GetDoubleClickTime();

constexpr UINT SPI_GETWORKAREA = 0x0030;
constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;
// SPI_GETWHEELSCROLLLINES (Param: UINT*, 3) and SPI_GETWORKAREA (Param: TRect*).
BOOL SystemParametersInfo(UINT Action, UINT UIParam, void* Param, UINT WinIni);

// A short sound (MB_OK, MB_ICONERROR ...).
BOOL MessageBeep(UINT Type);

// ----------------------------------------------------------- message boxes
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;
constexpr UINT MB_DEFMASK = 0x00000F00;
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_SYSTEMMODAL = 0x00001000;
constexpr UINT MB_TASKMODAL = 0x00002000;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_TOPMOST = 0x00040000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDCLOSE = 8;

// The system's message box (text, caption, MB_ flags); returns the ID of the
// button chosen. Goes through the platform's dialog responder in tests
// (platform/TestHooks.h).
int MessageBox(HWND Wnd, const QString& Text, const QString& Caption, UINT Type);
inline int MessageBoxW(HWND Wnd, const QString& Text, const QString& Caption, UINT Type) {
  return MessageBox(Wnd, Text, Caption, Type);
}

// --- thread window hooks -------------------------------------------------------
// A call-window-procedure hook sees every message sent to a control of the
// user-interface thread (SendMessage, Perform) before the control's window
// procedure does. LParam of the hook procedure points to a CWPSTRUCT.
constexpr int WH_CALLWNDPROC = 4;
struct CWPSTRUCT {
  LPARAM lParam;
  WPARAM wParam;
  UINT message;
  HWND hwnd;
};
using HHOOK = void*;
using HOOKPROC = LRESULT (*)(int Code, WPARAM WParam, LPARAM LParam);
// Only WH_CALLWNDPROC for the current thread is offered; nullptr otherwise.
HHOOK SetWindowsHookEx(int IdHook, HOOKPROC Proc, HINSTANCE Module, DWORD ThreadId);
BOOL UnhookWindowsHookEx(HHOOK Hook);
// Passes the message to the hook installed before Hook; 0 at the end.
LRESULT CallNextHookEx(HHOOK Hook, int Code, WPARAM WParam, LPARAM LParam);
DWORD GetCurrentThreadId();
// Runs the installed call-window-procedure hooks for a message (the platform's
// message road calls it).
void RunCallWndProcHooks(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
bool CallWndProcHooksInstalled();
