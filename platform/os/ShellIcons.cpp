// Shell icons from Qt's file icon provider (the desktop's icon theme, or the
// style's standard file and folder icons when there is no theme).
#include "platform/os/ShellIcons.h"

#include <utility>

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>

#include "platform/gdi/Graphics.h"

namespace {

class TQtShellIcons : public IShellIcons {
 public:
  std::unique_ptr<TIcon> Icon(const QString& Name, int Size) override {
    if (Name.isEmpty() || Size <= 0) return nullptr;
    QFileIconProvider provider;
    QFileInfo info(Name);
    QIcon icon;
    if (info.exists()) {
      icon = provider.icon(info);
    } else {
      const QMimeType mime = QMimeDatabase().mimeTypeForFile(Name, QMimeDatabase::MatchExtension);
      icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
      if (icon.isNull()) icon = provider.icon(QAbstractFileIconProvider::File);
    }
    if (icon.isNull()) return nullptr;
    QImage image = icon.pixmap(Size, Size).toImage();
    if (image.isNull()) return nullptr;
    if (image.width() != Size || image.height() != Size)
      image = image.scaled(Size, Size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    auto result = std::make_unique<TIcon>();
    result->SetImage(image.convertToFormat(QImage::Format_ARGB32));
    return result;
  }
};

std::unique_ptr<IShellIcons>& Current() {
  static std::unique_ptr<IShellIcons> icons = std::make_unique<TQtShellIcons>();
  return icons;
}

}  // namespace

IShellIcons& ShellIcons() { return *Current(); }

std::unique_ptr<IShellIcons> SetShellIcons(std::unique_ptr<IShellIcons> Icons) {
  return std::exchange(Current(), Icons ? std::move(Icons) : std::make_unique<TQtShellIcons>());
}
