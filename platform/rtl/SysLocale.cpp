#include "platform/rtl/SysLocale.h"

#include <QLocale>

namespace {

TSysLocale ReadSysLocale() {
  TSysLocale l;
  const QLocale sys = QLocale::system();
  l.MiddleEast = sys.textDirection() == Qt::RightToLeft;
  switch (sys.language()) {
    case QLocale::Chinese:
    case QLocale::Japanese:
    case QLocale::Korean:
      l.FarEast = true;
      break;
    default:
      break;
  }
  return l;
}

}  // namespace

TSysLocale SysLocale = ReadSysLocale();
