#include "platform/ui/WinLayered.h"

#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include "platform/ui/Controls.h"
#include "platform/gdi/DeviceContext_p.h"

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

namespace {

// Shows the picture given by UpdateLayeredWindow in place of the window's own
// painting; one per layered window, owned by its widget.
class TLayeredPicture : public QObject {
 public:
  explicit TLayeredPicture(QWidget* W) : QObject(W) {
    setObjectName(Name());
    W->installEventFilter(this);
  }
  static QString Name() { return QStringLiteral("zidi-layered-picture"); }
  QImage Picture;  // premultiplied
  qreal Opacity = 1.0;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() != QEvent::Paint) return false;
    auto* w = static_cast<QWidget*>(Watched);
    QPainter p(w);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(w->rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setOpacity(Opacity);
    p.drawImage(0, 0, Picture);
    return true;
  }
};

}  // namespace

BOOL UpdateLayeredWindow(HWND Wnd, HDC, const TPoint* DstPos, const TSize* Size, HDC Src,
                         const TPoint* SrcPos, COLORREF, const BLENDFUNCTION* Blend, DWORD Flags) {
  if (Wnd == nullptr || Src == nullptr) return false;
  const QImage* from = Src->SelectedBitmap != nullptr ? &Src->SelectedBitmap->Image : Src->Image();
  if (from == nullptr || from->isNull()) return false;
  ReleaseDevicePainters(Src->Device());
  const TPoint sp = SrcPos != nullptr ? *SrcPos : TPoint();
  const QSize size = Size != nullptr ? QSize(Size->cx, Size->cy) : from->size();
  QImage pic = from->copy(sp.X, sp.Y, size.width(), size.height());
  const bool alpha = (Flags & ULW_ALPHA) && Blend != nullptr && (Blend->AlphaFormat & AC_SRC_ALPHA);
  if (alpha) {
    // The bytes already hold premultiplied colours: read them as such.
    pic = pic.convertToFormat(QImage::Format_ARGB32);
    pic = QImage(pic.constBits(), pic.width(), pic.height(), pic.bytesPerLine(),
                 QImage::Format_ARGB32_Premultiplied).copy();
  } else {
    pic = pic.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  auto* layer = static_cast<TLayeredPicture*>(
      Wnd->findChild<QObject*>(TLayeredPicture::Name(), Qt::FindDirectChildrenOnly));
  if (layer == nullptr) layer = new TLayeredPicture(Wnd);
  layer->Picture = pic;
  layer->Opacity = (Flags & ULW_ALPHA) && Blend != nullptr ? Blend->SourceConstantAlpha / 255.0 : 1.0;
  Wnd->setAttribute(Qt::WA_TranslucentBackground);
  if (TWinControl* c = FindControl(Wnd)) {
    const int x = DstPos != nullptr ? DstPos->X : c->Left();
    const int y = DstPos != nullptr ? DstPos->Y : c->Top();
    c->SetBounds(x, y, size.width(), size.height());
  }
  Wnd->update();
  return true;
}
