// Window shapes and see-through windows: the window region (only the region's
// pixels show and take the mouse), the constant opacity of a layered window, and
// pop-up windows of their own (WS_POPUP) that float above the program's windows
// without ever taking the focus.
#pragma once

#include "platform/rtl/Types.h"
#include "platform/ui/WinApi.h"
#include "platform/gdi/WinGdi.h"

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

constexpr Byte AC_SRC_OVER = 0x00;
constexpr Byte AC_SRC_ALPHA = 0x01;
struct BLENDFUNCTION {
  Byte BlendOp = AC_SRC_OVER;
  Byte BlendFlags = 0;
  Byte SourceConstantAlpha = 255;
  Byte AlphaFormat = 0;  // AC_SRC_ALPHA: the source's colours are premultiplied by its alpha
};
constexpr DWORD ULW_COLORKEY = 0x1;
constexpr DWORD ULW_ALPHA = 0x2;
constexpr DWORD ULW_OPAQUE = 0x4;
// Gives a layered window its whole picture: the Size pixels of Src from SrcPos,
// shown with their alpha (ULW_ALPHA with AC_SRC_ALPHA) and the constant alpha of
// Blend, at DstPos (screen) when given. From then on the window shows that
// picture instead of painting itself. Dst, Key and the colour key are ignored.
// False for a window that does not exist or a source without pixels.
BOOL UpdateLayeredWindow(HWND Wnd, HDC Dst, const TPoint* DstPos, const TSize* Size, HDC Src,
                         const TPoint* SrcPos, COLORREF Key, const BLENDFUNCTION* Blend,
                         DWORD Flags);

// Makes the control's window a pop-up of its own: frameless, shown without
// being activated, placed by Left/Top in screen coordinates, and (Translucent)
// showing the alpha of its picture. The control's window is created first.
void MakePopupWindow(TWinControl* Control, bool Translucent);
