#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "platform/os/LocalSystem.h"
#include "platform/os/ScopedService.h"
#include "platform/rtl/SysUtils.h"

namespace {

TEST(SerialPorts, DeviceNamesMapToFixedNumbers) {
  const struct {
    const char* device;
    int number;
  } cases[] = {
      {"ttyS0", 1},         {"/dev/ttyS63", 64},  {"ttyS64", 0},      {"ttyUSB0", 65},
      {"/dev/ttyUSB95", 160}, {"ttyUSB96", 0},    {"ttyACM0", 161},   {"ttyACM95", 256},
      {"ttyS01", 0},        {"ttyS", 0},          {"ttyS1a", 0},      {"tty0", 0},
      {"/dev/ttyAMA0", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SerialPortNumber(QLatin1String(c.device)), c.number) << c.device;
    if (c.number) {
      EXPECT_EQ(SerialPortDevice(c.number),
                QStringLiteral("/dev/") + QLatin1String(c.device).toString().section('/', -1));
    }
  }
  EXPECT_EQ(SerialPortDevice(0), QString());
  EXPECT_EQ(SerialPortDevice(257), QString());
}

TEST(SerialPorts, OnlyCharacterDevicesThatOpenArePresent) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // /dev/null stands in for a port that opens.
  for (const char* name : {"ttyUSB1", "ttyS0", "ttyACM2", "ttyS5"})
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), dir.filePath(QLatin1String(name))));
  ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("missing")), dir.filePath(QStringLiteral("ttyS1"))));
  QFile plain(dir.filePath(QStringLiteral("ttyS2")));  // a plain file is no port
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  TDeviceSerialPortList ports(dir.path());
  EXPECT_EQ(ports.PresentPorts(), QList<int>({1, 6, 66, 163}));
}

TEST(SystemFacts, ReplaceableAndRestored) {
  struct TPorts : ISerialPortList {
    QList<int> PresentPorts() override { return {3, 4}; }
  };
  struct TLocale : ISystemLocale {
    QString DecimalSeparator() override { return QStringLiteral(","); }
  };
  {
    const TScopedService ports(SetSerialPortList, std::make_unique<TPorts>());
    const TScopedService locale(SetSystemLocale, std::make_unique<TLocale>());
    EXPECT_EQ(SerialPortList().PresentPorts(), QList<int>({3, 4}));
    EXPECT_EQ(SystemLocale().DecimalSeparator(), QStringLiteral(","));
  }
  EXPECT_EQ(SystemLocale().DecimalSeparator(), QLocale::system().decimalPoint());
  const QList<int> real = SerialPortList().PresentPorts();
  EXPECT_TRUE(std::is_sorted(real.begin(), real.end()));
}

}  // namespace

// A replaced service and changed regional settings come back however the scope
// is left, an exception included; nested replacements unwind in order.
TEST(SystemFacts, ScopedReplacementsUnwindAlsoOnExceptions) {
  struct TLocale : ISystemLocale {
    explicit TLocale(QString S) : Sep(std::move(S)) {}
    QString DecimalSeparator() override { return Sep; }
    QString Sep;
  };
  const QString real = SystemLocale().DecimalSeparator();
  const QChar decimal = FormatSettings.DecimalSeparator;
  try {
    const TScopedService outer(SetSystemLocale, std::make_unique<TLocale>(QStringLiteral(";")));
    const TScopedFormatSettings settings;
    FormatSettings.DecimalSeparator = u'#';
    {
      const TScopedService inner(SetSystemLocale, std::make_unique<TLocale>(QStringLiteral("|")));
      EXPECT_EQ(SystemLocale().DecimalSeparator(), "|");
    }
    EXPECT_EQ(SystemLocale().DecimalSeparator(), ";");
    throw std::runtime_error("test failed half-way");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(SystemLocale().DecimalSeparator(), real);
  EXPECT_EQ(FormatSettings.DecimalSeparator, decimal);
}
