#include "platform/WinLayered.h"

#include <QRegion>
#include <QWidget>

#include "platform/Controls.h"
#include "platform/DeviceContext.h"

int SetWindowRgn(HWND Wnd, HRGN Region, BOOL Redraw) {
  if (Wnd == nullptr) return 0;
  auto* rgn = GetObjectType(Region) == OBJ_REGION ? static_cast<TGdiRegion*>(Region) : nullptr;
  if (rgn == nullptr) {
    Wnd->clearMask();
  } else {
    Wnd->setMask(rgn->Rgn);
    DeleteObject(Region);
  }
  if (Redraw) Wnd->update();
  return 1;
}

BOOL SetLayeredWindowAttributes(HWND Wnd, COLORREF, Byte Alpha, DWORD Flags) {
  if (Wnd == nullptr) return false;
  if (Flags & LWA_ALPHA) Wnd->setWindowOpacity(Alpha / 255.0);
  return true;
}

void MakePopupWindow(TWinControl* Control, bool Translucent) {
  if (Control == nullptr) return;
  QWidget* w = Control->View();
  const bool shown = w->isVisible();
  w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
  w->setAttribute(Qt::WA_ShowWithoutActivating);
  if (Translucent) w->setAttribute(Qt::WA_TranslucentBackground);
  w->setGeometry(Control->Left(), Control->Top(), Control->Width(), Control->Height());
  if (shown) w->show();
}
