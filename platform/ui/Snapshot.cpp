// Pictures of controls through Qt's widget rendering (which runs each
// control's own painting).
#include "platform/ui/Snapshot.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Forms.h"

namespace {
void PrepareWindows(TControl* c) {
  if (!c->IsWindowed()) return;
  auto* w = static_cast<TWinControl*>(c);
  w->HandleNeeded();
  for (int i = 0; i < w->ControlCount(); ++i) {
    TControl* child = w->Controls(i);
    if (child->Visible()) PrepareWindows(child);
  }
}
}  // namespace

QImage GrabControl(TControl* Control) {
  if (Control == nullptr || Control->View() == nullptr) return QImage();
  TDispatchScope scope;
  RunGuarded(Control, [Control] {
    if (Control->IsWindowed() && (Control->Parent() != nullptr || dynamic_cast<TCustomForm*>(Control) != nullptr))
      PrepareWindows(Control);
  });
  QWidget* v = Control->View();
  QImage img(v->size(), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  v->render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
  p.end();
  return img;
}

bool SaveControlToPng(TControl* Control, const QString& FileName) {
  const QImage img = GrabControl(Control);
  if (img.isNull()) return false;
  return img.save(FileName, "PNG");
}
