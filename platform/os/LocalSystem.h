// Facts about the local system that the program asks for: the serial ports
// present and the system's decimal separator.
//
// Each stands behind a small interface with one process-wide instance; tests
// replace it with SetSerialPortList / SetSystemLocale and restore the real one
// by passing nullptr.
#pragma once

#include <QList>
#include <QString>
#include <memory>

// Serial ports are known by number ("COM<n>"). The Linux devices map to the
// numbers in fixed blocks, so that a port keeps its number whatever else is
// plugged in:
//   /dev/ttyS0   .. /dev/ttyS63    -> 1 .. 64
//   /dev/ttyUSB0 .. /dev/ttyUSB95  -> 65 .. 160
//   /dev/ttyACM0 .. /dev/ttyACM95  -> 161 .. 256
// Devices beyond these blocks have no number.

// The port number of a device name ("ttyUSB0" or "/dev/ttyUSB0"), 0 if none.
int SerialPortNumber(const QString& DeviceName);
// The device path of a port number ("/dev/ttyUSB0" for 65), empty if none.
QString SerialPortDevice(int Number);

class ISerialPortList {
 public:
  virtual ~ISerialPortList() = default;
  // The numbers of the ports present, ascending.
  virtual QList<int> PresentPorts() = 0;
};

// The real list: a port is present when its device in DeviceDir (normally
// /dev) is a character device that opens for reading and writing, or that
// exists but is held by another program or closed to this user. Each device
// is opened only for the moment of the test.
class TDeviceSerialPortList : public ISerialPortList {
 public:
  explicit TDeviceSerialPortList(const QString& DeviceDir = QStringLiteral("/dev"))
      : FDeviceDir(DeviceDir) {}
  QList<int> PresentPorts() override;

 private:
  QString FDeviceDir;
};

// The process-wide port list. Setting nullptr restores the real one; the setter
// hands back the list it replaces (see TScopedService for tests).
ISerialPortList& SerialPortList();
std::unique_ptr<ISerialPortList> SetSerialPortList(std::unique_ptr<ISerialPortList> List);

class ISystemLocale {
 public:
  virtual ~ISystemLocale() = default;
  // The system's decimal separator as the system states it (normally "," or
  // "."); may be empty when unknown.
  virtual QString DecimalSeparator() = 0;
};

// The process-wide locale service, replaced as the port list is.
ISystemLocale& SystemLocale();
std::unique_ptr<ISystemLocale> SetSystemLocale(std::unique_ptr<ISystemLocale> Locale);
