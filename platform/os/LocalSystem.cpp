#include "platform/os/LocalSystem.h"

#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocale>
#include <cerrno>

namespace {

struct TPortBlock {
  const char* Prefix;
  int First;  // number of device 0
  int Count;
};

constexpr TPortBlock kBlocks[] = {
    {"ttyS", 1, 64},
    {"ttyUSB", 65, 96},
    {"ttyACM", 161, 96},
};

bool IsPresent(const QByteArray& path) {
  struct stat st {};
  if (::stat(path.constData(), &st) != 0 || !S_ISCHR(st.st_mode)) return false;
  const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  // Held by another program, or closed to this user: the port exists. A
  // device node without hardware behind it fails otherwise (EIO, ENXIO, ENODEV).
  return errno == EBUSY || errno == EACCES || errno == EPERM;
}

class TQtSystemLocale : public ISystemLocale {
 public:
  QString DecimalSeparator() override { return QLocale::system().decimalPoint(); }
};

std::unique_ptr<ISerialPortList>& PortSlot() {
  static std::unique_ptr<ISerialPortList> slot;
  return slot;
}

std::unique_ptr<ISystemLocale>& LocaleSlot() {
  static std::unique_ptr<ISystemLocale> slot;
  return slot;
}

}  // namespace

int SerialPortNumber(const QString& DeviceName) {
  QString name = DeviceName;
  if (name.startsWith(QLatin1String("/dev/"))) name = name.mid(5);
  for (const TPortBlock& b : kBlocks) {
    const QLatin1String prefix(b.Prefix);
    if (!name.startsWith(prefix)) continue;
    const QString digits = name.mid(prefix.size());
    if (digits.isEmpty() || digits.size() > 3) continue;
    bool ok = true;
    for (QChar c : digits)
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) ok = false;
    if (!ok || (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))) continue;
    const int k = digits.toInt();
    if (k < b.Count) return b.First + k;
  }
  return 0;
}

QString SerialPortDevice(int Number) {
  for (const TPortBlock& b : kBlocks)
    if (Number >= b.First && Number < b.First + b.Count)
      return QStringLiteral("/dev/%1%2").arg(QLatin1String(b.Prefix)).arg(Number - b.First);
  return QString();
}

QList<int> TDeviceSerialPortList::PresentPorts() {
  QList<int> ports;
  for (const TPortBlock& b : kBlocks)
    for (int k = 0; k < b.Count; ++k) {
      const QString path = FDeviceDir + QLatin1Char('/') + QLatin1String(b.Prefix) + QString::number(k);
      if (IsPresent(path.toLocal8Bit())) ports << b.First + k;
    }
  return ports;  // ascending: the blocks and the devices in them are in order
}

ISerialPortList& SerialPortList() {
  auto& slot = PortSlot();
  if (!slot) slot = std::make_unique<TDeviceSerialPortList>();
  return *slot;
}

std::unique_ptr<ISerialPortList> SetSerialPortList(std::unique_ptr<ISerialPortList> List) {
  return std::exchange(PortSlot(), std::move(List));
}

ISystemLocale& SystemLocale() {
  auto& slot = LocaleSlot();
  if (!slot) slot = std::make_unique<TQtSystemLocale>();
  return *slot;
}

std::unique_ptr<ISystemLocale> SetSystemLocale(std::unique_ptr<ISystemLocale> Locale) {
  return std::exchange(LocaleSlot(), std::move(Locale));
}
