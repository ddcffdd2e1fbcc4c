// Window shapes and see-through windows: the window region (only the region's
// pixels show and take the mouse), the constant opacity of a layered window, and
// pop-up windows of their own (WS_POPUP) that float above the program's windows
// without ever taking the focus.
#pragma once

#include "platform/Types.h"
#include "platform/WinApi.h"
#include "platform/WinGdi.h"

class TWinControl;

// Gives the window a region in its own window coordinates; the window owns the
// region afterwards (it is deleted here). A null region removes the shape.
// 0 for a window that does not exist.
int SetWindowRgn(HWND Wnd, HRGN Region, BOOL Redraw);

constexpr DWORD LWA_COLORKEY = 0x1;
constexpr DWORD LWA_ALPHA = 0x2;
// With LWA_ALPHA the whole window is drawn with the opacity Alpha (0..255); the
// colour key is not supported and ignored. False for a window that does not exist.
BOOL SetLayeredWindowAttributes(HWND Wnd, COLORREF Key, Byte Alpha, DWORD Flags);

// Makes the control's window a pop-up of its own: frameless, shown without
// being activated, placed by Left/Top in screen coordinates, and (Translucent)
// showing the alpha of its picture. The control's window is created first.
void MakePopupWindow(TWinControl* Control, bool Translucent);
