// Helpers shared by the standard controls' .cpp files of the platform layer.
#pragma once

#include <QPoint>
#include <QString>
#include <functional>

class QObject;

#include "platform/ui/Controls.h"
#include "platform/gdi/WinGdi.h"

namespace StdCtrlsPrivate {

// A device context for measuring text outside of painting (a screen DC in the
// framework). It is shared; select what you need into it before each use.
HDC MeasureDC();

// Sends a WM_COMMAND notification of the control to its parent window (which
// hands it back as CN_COMMAND), only once the control's window exists.
void NotifyParent(TWinControl* Control, WORD Code);

// Sends a WM_NOTIFY to the parent window with Header (hwndFrom = the control).
LRESULT NotifyParentHeader(TWinControl* Control, void* Header);

// Fills R with a colour.
void FillColor(HDC DC, const TRect& R, TColor Color);

// Draws text as a disabled caption: light copy moved by one pixel, then shadow.
void DrawTextLook(HDC DC, const QString& Text, TRect R, UINT Format, bool Enabled, TColor Color);

// Height of the font's text cell (tmHeight).
int FontHeight(TFont* Font);

// While a pop-up (a drop-down list, a month calendar) is shown: a mouse press
// anywhere outside it (Inside answers false for its screen point) runs Close and
// is not passed on, nor is its release. Returns the filter; RemovePopupCloser
// takes it away (it may be called from within Close).
QObject* InstallPopupCloser(std::function<bool(const QPoint&)> Inside, std::function<void()> Close);
void RemovePopupCloser(QObject* Closer);

// Shows or hides the sunken edge (WS_EX_CLIENTEDGE) of a control's window once
// the window exists; before that, the control's CreateParams gives it the edge.
inline void SetClientEdge(TWinControl* Control, bool On) {
  if (!Control->HandleAllocated()) return;
  DWORD ex = Control->WindowExStyle();
  if (On) ex |= WS_EX_CLIENTEDGE;
  else ex &= ~WS_EX_CLIENTEDGE;
  Control->SetWindowStyle(Control->WindowStyle(), ex);
}

// Raises the list error of a bad item index (list and combo box items).
[[noreturn]] void ListIndexError(int Index);

// The key state of the message being handled.
bool ShiftDown();
bool CtrlDown();

}  // namespace StdCtrlsPrivate
