// Window messages of the desktop framework: the WM_ numbers of the window
// system, the framework's own CM_ (control) and CN_ (notification) messages,
// the message record TMessage and the typed views of it, and the virtual-key
// codes. Every control receives its input and notifications as these messages
// (platform/Controls.h describes the road of a message).
#pragma once

#include <cstdint>

#include "platform/rtl/Types.h"
#include "platform/gdi/WinGdi.h"

class QWidget;

// Handle of a window: the widget that stands for a windowed control.
using HWND = QWidget*;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using WORD = uint16_t;

// --------------------------------------------------------------- WM_ messages
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_CANCELMODE = 0x001F;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_MOUSEACTIVATE = 0x0021;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_GETFONT = 0x0031;
constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_HELP = 0x0053;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_STYLECHANGING = 0x007C;
constexpr UINT WM_STYLECHANGED = 0x007D;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_NCCALCSIZE = 0x0083;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_NCPAINT = 0x0085;
constexpr UINT WM_NCACTIVATE = 0x0086;
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_NCLBUTTONUP = 0x00A2;
constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr UINT WM_KEYFIRST = 0x0100;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_DEADCHAR = 0x0103;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_SYSDEADCHAR = 0x0107;
constexpr UINT WM_KEYLAST = 0x0108;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_INITMENU = 0x0116;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
constexpr UINT WM_MENUSELECT = 0x011F;
constexpr UINT WM_MENUCHAR = 0x0120;
constexpr UINT WM_ENTERIDLE = 0x0121;
constexpr UINT WM_CHANGEUISTATE = 0x0127;
constexpr UINT WM_UPDATEUISTATE = 0x0128;
constexpr UINT WM_QUERYUISTATE = 0x0129;
constexpr UINT WM_CTLCOLORMSGBOX = 0x0132;
constexpr UINT WM_CTLCOLOREDIT = 0x0133;
constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
constexpr UINT WM_CTLCOLORBTN = 0x0135;
constexpr UINT WM_CTLCOLORDLG = 0x0136;
constexpr UINT WM_CTLCOLORSCROLLBAR = 0x0137;
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
constexpr UINT WM_MOUSEFIRST = 0x0200;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_XBUTTONDOWN = 0x020B;
constexpr UINT WM_XBUTTONUP = 0x020C;
constexpr UINT WM_XBUTTONDBLCLK = 0x020D;
constexpr UINT WM_MOUSEHWHEEL = 0x020E;
constexpr UINT WM_MOUSELAST = 0x020E;
constexpr UINT WM_PARENTNOTIFY = 0x0210;
constexpr UINT WM_ENTERMENULOOP = 0x0211;
constexpr UINT WM_EXITMENULOOP = 0x0212;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_MOVING = 0x0216;
constexpr UINT WM_ENTERSIZEMOVE = 0x0231;
constexpr UINT WM_EXITSIZEMOVE = 0x0232;
constexpr UINT WM_DROPFILES = 0x0233;
constexpr UINT WM_MOUSEHOVER = 0x02A1;
constexpr UINT WM_MOUSELEAVE = 0x02A3;
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_UNDO = 0x0304;
constexpr UINT WM_PRINT = 0x0317;
constexpr UINT WM_PRINTCLIENT = 0x0318;
constexpr UINT WM_THEMECHANGED = 0x031A;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// ------------------------------------------------ framework control messages
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
constexpr UINT CM_RELEASE = CM_BASE + 33;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr UINT CM_WININICHANGE = CM_BASE + 37;
constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr UINT CM_GETDATALINK = CM_BASE + 45;
constexpr UINT CM_CHILDKEY = CM_BASE + 46;
constexpr UINT CM_DRAG = CM_BASE + 47;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;
constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_INVALIDATE = CM_BASE + 52;
constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;
constexpr UINT CM_CHANGED = CM_BASE + 55;
constexpr UINT CM_DOCKCLIENT = CM_BASE + 56;
constexpr UINT CM_UNDOCKCLIENT = CM_BASE + 57;
constexpr UINT CM_FLOAT = CM_BASE + 58;
constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;
constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;
constexpr UINT CM_ISSHORTCUT = CM_BASE + 68;
constexpr UINT CM_INVALIDATEDOCKHOST = CM_BASE + 70;
constexpr UINT CM_SETACTIVECONTROL = CM_BASE + 71;
constexpr UINT CM_POPUPHWNDDESTROY = CM_BASE + 72;
constexpr UINT CM_CREATEPOPUP = CM_BASE + 73;
constexpr UINT CM_DESTROYHANDLE = CM_BASE + 74;
constexpr UINT CM_MOUSEACTIVATE = CM_BASE + 75;
constexpr UINT CM_CONTROLLISTCHANGING = CM_BASE + 76;
constexpr UINT CM_BUFFEREDPRINTCLIENT = CM_BASE + 77;
constexpr UINT CM_UNTHEMECONTROL = CM_BASE + 78;
constexpr UINT CM_DOUBLEBUFFEREDCHANGED = CM_BASE + 79;
constexpr UINT CM_PARENTDOUBLEBUFFEREDCHANGED = CM_BASE + 80;
constexpr UINT CM_STYLECHANGED = CM_BASE + 81;

// Notifications the framework reflects back to the control they concern.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + 0x002F;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSKEYUP = CN_BASE + WM_SYSKEYUP;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

// First number handed out by RegisterWindowMessage.
constexpr UINT WM_REGISTERED_FIRST = 0xC000;

// ---------------------------------------------------------- message details
// WM_GETDLGCODE answers.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;
constexpr LRESULT DLGC_STATIC = 0x0100;
constexpr LRESULT DLGC_BUTTON = 0x2000;

// Mouse-message key flags (WParam of the mouse messages).
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
constexpr WPARAM MK_XBUTTON1 = 0x0020;
constexpr WPARAM MK_XBUTTON2 = 0x0040;

// One notch of the mouse wheel.
constexpr int WHEEL_DELTA = 120;

// WM_SIZE kinds.
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// Scroll codes of WM_HSCROLL / WM_VSCROLL.
constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_TOP = 6;
constexpr WORD SB_LEFT = 6;
constexpr WORD SB_BOTTOM = 7;
constexpr WORD SB_RIGHT = 7;
constexpr WORD SB_ENDSCROLL = 8;

// Hit-test codes (WM_NCHITTEST, WM_SETCURSOR).
constexpr int HTERROR = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;
constexpr int HTCAPTION = 2;
constexpr int HTHSCROLL = 6;
constexpr int HTVSCROLL = 7;
constexpr int HTBORDER = 18;

// Key data (LParam of the key messages): repeat count in bits 0-15, scan code
// in bits 16-23, then these flags.
constexpr LPARAM KF_EXTENDED_BIT = 0x01000000;  // extended key (not the keypad's twin)
constexpr LPARAM KF_ALTDOWN_BIT = 0x20000000;   // Alt held (context code)
constexpr LPARAM KF_REPEAT_BIT = 0x40000000;    // the key was down before (auto-repeat)
constexpr LPARAM KF_UP_BIT = static_cast<LPARAM>(0x80000000u);  // transition: key going up
// The framework's name of the Alt flag in the key data.
constexpr LPARAM AltMask = KF_ALTDOWN_BIT;

// -------------------------------------------------------- virtual-key codes
constexpr WORD VK_LBUTTON = 0x01;
constexpr WORD VK_RBUTTON = 0x02;
constexpr WORD VK_CANCEL = 0x03;
constexpr WORD VK_MBUTTON = 0x04;
constexpr WORD VK_XBUTTON1 = 0x05;
constexpr WORD VK_XBUTTON2 = 0x06;
constexpr WORD VK_BACK = 0x08;
constexpr WORD VK_TAB = 0x09;
constexpr WORD VK_CLEAR = 0x0C;
constexpr WORD VK_RETURN = 0x0D;
constexpr WORD VK_SHIFT = 0x10;
constexpr WORD VK_CONTROL = 0x11;
constexpr WORD VK_MENU = 0x12;
constexpr WORD VK_PAUSE = 0x13;
constexpr WORD VK_CAPITAL = 0x14;
constexpr WORD VK_ESCAPE = 0x1B;
constexpr WORD VK_SPACE = 0x20;
constexpr WORD VK_PRIOR = 0x21;
constexpr WORD VK_NEXT = 0x22;
constexpr WORD VK_END = 0x23;
constexpr WORD VK_HOME = 0x24;
constexpr WORD VK_LEFT = 0x25;
constexpr WORD VK_UP = 0x26;
constexpr WORD VK_RIGHT = 0x27;
constexpr WORD VK_DOWN = 0x28;
constexpr WORD VK_SELECT = 0x29;
constexpr WORD VK_PRINT = 0x2A;
constexpr WORD VK_EXECUTE = 0x2B;
constexpr WORD VK_SNAPSHOT = 0x2C;
constexpr WORD VK_INSERT = 0x2D;
constexpr WORD VK_DELETE = 0x2E;
constexpr WORD VK_HELP = 0x2F;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A.
constexpr WORD VK_LWIN = 0x5B;
constexpr WORD VK_RWIN = 0x5C;
constexpr WORD VK_APPS = 0x5D;
constexpr WORD VK_NUMPAD0 = 0x60;
constexpr WORD VK_NUMPAD1 = 0x61;
constexpr WORD VK_NUMPAD2 = 0x62;
constexpr WORD VK_NUMPAD3 = 0x63;
constexpr WORD VK_NUMPAD4 = 0x64;
constexpr WORD VK_NUMPAD5 = 0x65;
constexpr WORD VK_NUMPAD6 = 0x66;
constexpr WORD VK_NUMPAD7 = 0x67;
constexpr WORD VK_NUMPAD8 = 0x68;
constexpr WORD VK_NUMPAD9 = 0x69;
constexpr WORD VK_MULTIPLY = 0x6A;
constexpr WORD VK_ADD = 0x6B;
constexpr WORD VK_SEPARATOR = 0x6C;
constexpr WORD VK_SUBTRACT = 0x6D;
constexpr WORD VK_DECIMAL = 0x6E;
constexpr WORD VK_DIVIDE = 0x6F;
constexpr WORD VK_F1 = 0x70;
constexpr WORD VK_F2 = 0x71;
constexpr WORD VK_F3 = 0x72;
constexpr WORD VK_F4 = 0x73;
constexpr WORD VK_F5 = 0x74;
constexpr WORD VK_F6 = 0x75;
constexpr WORD VK_F7 = 0x76;
constexpr WORD VK_F8 = 0x77;
constexpr WORD VK_F9 = 0x78;
constexpr WORD VK_F10 = 0x79;
constexpr WORD VK_F11 = 0x7A;
constexpr WORD VK_F12 = 0x7B;
constexpr WORD VK_F13 = 0x7C;
constexpr WORD VK_F24 = 0x87;
constexpr WORD VK_NUMLOCK = 0x90;
constexpr WORD VK_SCROLL = 0x91;
constexpr WORD VK_LSHIFT = 0xA0;
constexpr WORD VK_RSHIFT = 0xA1;
constexpr WORD VK_LCONTROL = 0xA2;
constexpr WORD VK_RCONTROL = 0xA3;
constexpr WORD VK_LMENU = 0xA4;
constexpr WORD VK_RMENU = 0xA5;
constexpr WORD VK_OEM_1 = 0xBA;       // ';:'
constexpr WORD VK_OEM_PLUS = 0xBB;    // '=+'
constexpr WORD VK_OEM_COMMA = 0xBC;   // ',<'
constexpr WORD VK_OEM_MINUS = 0xBD;   // '-_'
constexpr WORD VK_OEM_PERIOD = 0xBE;  // '.>'
constexpr WORD VK_OEM_2 = 0xBF;       // '/?'
constexpr WORD VK_OEM_3 = 0xC0;       // '`~'
constexpr WORD VK_OEM_4 = 0xDB;       // '[{'
constexpr WORD VK_OEM_5 = 0xDC;       // '\|'
constexpr WORD VK_OEM_6 = 0xDD;       // ']}'
constexpr WORD VK_OEM_7 = 0xDE;       // quote
constexpr WORD VK_OEM_102 = 0xE2;     // '<>' of the 102-key keyboard

// --------------------------------------------------------- word helpers
constexpr WORD LoWord(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HiWord(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr WORD LOWORD(uintptr_t v) { return LoWord(v); }
constexpr WORD HIWORD(uintptr_t v) { return HiWord(v); }
constexpr int16_t GET_X_LPARAM(LPARAM l) { return static_cast<int16_t>(l & 0xFFFF); }
constexpr int16_t GET_Y_LPARAM(LPARAM l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return static_cast<LPARAM>(static_cast<uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) {
  return static_cast<WPARAM>(static_cast<uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr LPARAM PointToLParam(int x, int y) { return MAKELPARAM(x, y); }

// ------------------------------------------------------------ the message
// One message as a window procedure receives it.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  WORD WParamLo() const { return LoWord(WParam); }
  WORD WParamHi() const { return HiWord(WParam); }
  WORD LParamLo() const { return LoWord(static_cast<uintptr_t>(LParam)); }
  WORD LParamHi() const { return HiWord(static_cast<uintptr_t>(LParam)); }
  WORD ResultLo() const { return LoWord(static_cast<uintptr_t>(Result)); }
};

// Typed views of a TMessage. A view refers to the message it was made from:
// the whole-word parts (Msg, WParam, LParam, Result) are references into it,
// the packed parts are read and written through accessors. A view converts
// back to the TMessage it stands for, so a handler hands the same message on
// to the base class's handler or to DefaultHandler.
class TMessageView {
 public:
  explicit TMessageView(TMessage& m) : Msg(m.Msg), WParam(m.WParam), LParam(m.LParam), Result(m.Result), FMessage(&m) {}
  TMessageView(const TMessageView&) = default;
  TMessageView& operator=(const TMessageView&) = delete;
  TMessage& Message() const { return *FMessage; }
  operator TMessage&() const { return *FMessage; }  // NOLINT: a view is its message

  UINT& Msg;
  WPARAM& WParam;
  LPARAM& LParam;
  LRESULT& Result;

 private:
  TMessage* FMessage;
};

// WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, their CN_ twins and
// CM_DIALOGKEY / CM_WANTSPECIALKEY / CM_CHILDKEY: the virtual key and the key data.
class TWMKey : public TMessageView {
 public:
  using TMessageView::TMessageView;
  WORD CharCode() const { return LoWord(WParam); }
  void SetCharCode(WORD v) { WParam = v; }
  int32_t KeyData() const { return static_cast<int32_t>(LParam); }
  void SetKeyData(int32_t v) { LParam = static_cast<LPARAM>(v); }
};
// WM_CHAR, WM_SYSCHAR, CN_CHAR, CM_DIALOGCHAR: CharCode is the UTF-16 unit typed.
using TWMChar = TWMKey;
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMSysKeyDown = TWMKey;
using TWMSysChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;
using TCMChildKey = TWMKey;

// Mouse-button and mouse-move messages: key flags and the client position.
class TWMMouse : public TMessageView {
 public:
  using TMessageView::TMessageView;
  WPARAM Keys() const { return WParam; }
  int XPos() const { return GET_X_LPARAM(LParam); }
  int YPos() const { return GET_Y_LPARAM(LParam); }
  TPoint Pos() const { return {XPos(), YPos()}; }
  void SetPos(int x, int y) { LParam = MAKELPARAM(x, y); }
};
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMMButtonDown = TWMMouse;
using TWMMButtonUp = TWMMouse;
using TWMMouseMove = TWMMouse;

// WM_MOUSEWHEEL and CM_MOUSEWHEEL: key flags, wheel delta (+ away from the
// user) and the screen position of the pointer.
class TWMMouseWheel : public TMessageView {
 public:
  using TMessageView::TMessageView;
  WORD Keys() const { return LoWord(WParam); }
  int WheelDelta() const { return static_cast<int16_t>(HiWord(WParam)); }
  int XPos() const { return GET_X_LPARAM(LParam); }
  int YPos() const { return GET_Y_LPARAM(LParam); }
  TPoint Pos() const { return {XPos(), YPos()}; }
};
using TCMMouseWheel = TWMMouseWheel;

// WM_SIZE: kind and the new client size.
class TWMSize : public TMessageView {
 public:
  using TMessageView::TMessageView;
  WPARAM SizeType() const { return WParam; }
  int Width() const { return LoWord(static_cast<uintptr_t>(LParam)); }
  int Height() const { return HiWord(static_cast<uintptr_t>(LParam)); }
};

// WM_MOVE: the new client origin in the parent.
class TWMMove : public TMessageView {
 public:
  using TMessageView::TMessageView;
  int XPos() const { return GET_X_LPARAM(LParam); }
  int YPos() const { return GET_Y_LPARAM(LParam); }
};

// WM_TIMER: the timer's identifier.
class TWMTimer : public TMessageView {
 public:
  using TMessageView::TMessageView;
  WPARAM TimerID() const { return WParam; }
};

// WM_SETFOCUS: the window that lost the focus; WM_KILLFOCUS: the one that gets it.
class TWMSetFocus : public TMessageView {
 public:
  using TMessageView::TMessageView;
  HWND FocusedWnd() const { return reinterpret_cast<HWND>(WParam); }
};
class TWMKillFocus : public TMessageView {
 public:
  using TMessageView::TMessageView;
  HWND FocusedWnd() const { return reinterpret_cast<HWND>(WParam); }
};

// WM_PAINT / WM_ERASEBKGND: the device context (0: the control's own).
class TWMPaint : public TMessageView {
 public:
  using TMessageView::TMessageView;
  HDC DC() const { return reinterpret_cast<HDC>(WParam); }
};
using TWMEraseBkgnd = TWMPaint;

// WM_HSCROLL / WM_VSCROLL.
class TWMScroll : public TMessageView {
 public:
  using TMessageView::TMessageView;
  int ScrollCode() const { return static_cast<int16_t>(LoWord(WParam)); }
  int Pos() const { return static_cast<int16_t>(HiWord(WParam)); }
  HWND ScrollBar() const { return reinterpret_cast<HWND>(LParam); }
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

// WM_SETCURSOR: the window under the pointer, hit-test code, mouse message.
class TWMSetCursor : public TMessageView {
 public:
  using TMessageView::TMessageView;
  HWND CursorWnd() const { return reinterpret_cast<HWND>(WParam); }
  int HitTest() const { return static_cast<int16_t>(LoWord(static_cast<uintptr_t>(LParam))); }
  WORD MouseMsg() const { return HiWord(static_cast<uintptr_t>(LParam)); }
};

// WM_NCHITTEST: screen position; Result is the hit-test code.
class TWMNCHitTest : public TMessageView {
 public:
  using TMessageView::TMessageView;
  int XPos() const { return GET_X_LPARAM(LParam); }
  int YPos() const { return GET_Y_LPARAM(LParam); }
};

// WM_GETDLGCODE: Result holds the DLGC_ flags.
using TWMGetDlgCode = TMessageView;
using TWMNoParams = TMessageView;
using TWMCancelMode = TMessageView;

// WM_COMMAND: notification code, identifier and the sending control's window.
class TWMCommand : public TMessageView {
 public:
  using TMessageView::TMessageView;
  WORD ItemID() const { return LoWord(WParam); }
  WORD NotifyCode() const { return HiWord(WParam); }
  HWND Ctl() const { return reinterpret_cast<HWND>(LParam); }
};

// WM_CONTEXTMENU: the window and the screen position (-1, -1 from the keyboard).
class TWMContextMenu : public TMessageView {
 public:
  using TMessageView::TMessageView;
  HWND hWnd() const { return reinterpret_cast<HWND>(WParam); }
  int XPos() const { return GET_X_LPARAM(LParam); }
  int YPos() const { return GET_Y_LPARAM(LParam); }
  TPoint Pos() const { return {XPos(), YPos()}; }
};

// WM_CAPTURECHANGED: the window that takes the capture (or nullptr).
class TWMCaptureChanged : public TMessageView {
 public:
  using TMessageView::TMessageView;
  HWND NewCapture() const { return reinterpret_cast<HWND>(LParam); }
};

// The header of a WM_NOTIFY (LParam points to it, or to a larger record that
// begins with it): the window that sends it, its identifier and the code.
struct NMHDR {
  HWND hwndFrom = nullptr;
  uintptr_t idFrom = 0;
  UINT code = 0;
};
using TNMHdr = NMHDR;

// WM_NOTIFY / CN_NOTIFY.
class TWMNotify : public TMessageView {
 public:
  using TMessageView::TMessageView;
  int IDCtrl() const { return static_cast<int>(WParam); }
  NMHDR* NMHdr() const { return reinterpret_cast<NMHDR*>(LParam); }
};

class TControl;
class TWinControl;

// CM_FOCUSCHANGED: the control that now has the focus.
class TCMFocusChanged : public TMessageView {
 public:
  using TMessageView::TMessageView;
  TWinControl* Sender() const { return reinterpret_cast<TWinControl*>(LParam); }
};

// CM_MOUSEENTER / CM_MOUSELEAVE: LParam is 0 for the control itself, the
// child control when a parent hears of a child's entry or exit.
class TCMMouseEnterLeave : public TMessageView {
 public:
  using TMessageView::TMessageView;
  TControl* Control() const { return reinterpret_cast<TControl*>(LParam); }
};

// CM_HITTEST: client position; Result non-zero when the control is hit there.
class TCMHitTest : public TMessageView {
 public:
  using TMessageView::TMessageView;
  int XPos() const { return GET_X_LPARAM(LParam); }
  int YPos() const { return GET_Y_LPARAM(LParam); }
  TPoint Pos() const { return {XPos(), YPos()}; }
};
using TCMDesignHitTest = TCMHitTest;
