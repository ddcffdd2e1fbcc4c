#include <gtest/gtest.h>

#include <QList>

#include "platform/rtl/Classes.h"
#include "platform/os/LocalSystem.h"
#include "platform/os/ScopedService.h"
#include "shell/UComon.h"

namespace {

class FakePorts : public ISerialPortList {
 public:
  explicit FakePorts(QList<int> ports) : FPorts(std::move(ports)) {}
  QList<int> PresentPorts() override { return FPorts; }

 private:
  QList<int> FPorts;
};

class FakeLocale : public ISystemLocale {
 public:
  explicit FakeLocale(QString sep) : FSep(std::move(sep)) {}
  QString DecimalSeparator() override { return FSep; }

 private:
  QString FSep;
};

}  // namespace

TEST(Validators, SplitIpAddress) {
  struct Case { const char* text; bool ok; const char* parts[4]; };
  const Case cases[] = {
      {"192.168.1.10", true, {"192", "168", "1", "10"}},
      {" 192.168.1.10 ", true, {"192", "168", "1", "10"}},
      {"192. 168 .1.10", true, {"192", "168", "1", "10"}},
      {"0.0.0.0", true, {"0", "0", "0", "0"}},
      {"255.255.255.255", true, {"255", "255", "255", "255"}},
      {"$C0.168.1.10", true, {"$C0", "168", "1", "10"}},
      {"192.168.1", false, {"192", "168", "", ""}},
      {"192.168.1.10.5", false, {"192", "168", "1", "10.5"}},
      {"192.168.1.256", false, {"192", "168", "1", "256"}},
      {"192.168.-1.1", false, {"192", "168", "-1", "1"}},
      {"a.b.c.d", false, {"a", "b", "c", "d"}},
      {"", false, {"", "", "", ""}},
      {"192168110", false, {"", "", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    QString p[4];
    EXPECT_EQ(Split_IP_Address(QString::fromUtf8(c.text), p[0], p[1], p[2], p[3]), c.ok);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(p[i], QString::fromUtf8(c.parts[i])) << i;
  }
}

TEST(Validators, ConvIpToBytesReportsErrors) {
  struct Case { const char* text; bool error; Byte b[4]; };
  const Case cases[] = {
      {"10.0.0.1", false, {10, 0, 0, 1}},
      {" 10.0.0.1", false, {10, 0, 0, 1}},
      {"10 .0.0.1", true, {0, 0, 0, 1}},
      {"10.0.0", true, {10, 0, 0, 0}},
      {"10.0.0.1.5", true, {10, 0, 0, 0}},
      {"300.1.2.3", true, {0, 1, 2, 3}},
      {"1.2.3.x", true, {1, 2, 3, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Byte b[4] = {9, 9, 9, 9};
    EXPECT_EQ(Conv_IP_To_Bytes(QString::fromUtf8(c.text), b[0], b[1], b[2], b[3]), c.error);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(b[i], c.b[i]) << i;
  }
  Byte b[4] = {7, 7, 7, 7};
  EXPECT_TRUE(Conv_IP_To_Bytes(QString(), b[0], b[1], b[2], b[3]));
  EXPECT_EQ(b[0], 7);  // an empty text leaves the bytes alone
}

TEST(Validators, ConvIpPort) {
  struct Case { const char* text; bool ok; Byte b[4]; Word port; };
  const Case cases[] = {
      {"10.0.0.1: 502", true, {10, 0, 0, 1}, 502},
      {"192.168.0.15:47808", true, {192, 168, 0, 15}, 47808},
      {" 1 . 2 . 3 . 4 : 65535 ", true, {1, 2, 3, 4}, 65535},
      {"10.0.0.1", false, {}, 0},
      {"10.0.0.1:65536", false, {}, 0},
      {"10.0.0.256:80", false, {}, 0},
      {"10.0.0:80", false, {}, 0},
      {"10.0.0.1:", false, {}, 0},
      {"", false, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Byte b[4] = {9, 9, 9, 9};
    Word port = 9;
    EXPECT_EQ(Conv_IP_Port(QString::fromUtf8(c.text), b[0], b[1], b[2], b[3], port), c.ok);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(b[i], c.b[i]) << i;
    EXPECT_EQ(port, c.port);
  }
}

TEST(Validators, KnxAddresses) {
  struct Case { const char* text; bool group; bool allowZero; int result; };
  const Case cases[] = {
      {"0/0/0", true, true, 1},     {"0/0", true, true, 1},       {"31/7/255", true, true, 0},
      {"31/2047", true, true, 0},   {"4660", true, true, 0},      {"32/0/1", true, true, 1},
      {"1/8/1", true, true, 1},     {"1/2048", true, true, 1},    {"1/2/256", true, true, 1},
      {"1/2/3/4", true, true, 1},   {"1.2/3", true, true, 1},     {"0", true, true, 1},
      {"65536", true, true, 1},     {"1 / 2 / 3", true, true, 0},
      {"15.15.255", false, true, 0}, {"0.0.0", false, true, 0},   {"0.0.0", false, false, 1},
      {"1/2/3", false, true, 1},    {"16.1.1", false, true, 1},   {"1.16.1", false, true, 1},
      {"1.1.256", false, true, 1},  {"1.1.1.1", false, true, 1},  {"1.2", false, true, 1},
      {"4660", false, true, 0},     {"0", false, true, 1},        {"1. 1 .20", false, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Check_KNX_Address(QString::fromUtf8(c.text), c.group, c.allowZero), c.result);
  }
  EXPECT_TRUE(Is_Group_Address("1/2/3"));
  EXPECT_TRUE(Is_Group_Address("4660"));
  EXPECT_FALSE(Is_Group_Address("1.1.20"));
}

TEST(Validators, CheckOid) {
  struct Case { QString text; int code; };
  const Case cases[] = {
      {"1.3.6.1.4.1", 0},
      {"4294967295", 0},
      {".1.3", 3},
      {"1.3.", 4},
      {"1..3", 5},
      {"1.3a", 2},
      {"1.3 ", 2},
      {"1.4294967296", 6},
      {"1.99999999999999999999999", 6},
      {QString(129, QLatin1Char('1')), 1},
      {QString(128, QLatin1Char('1')), 6},
      {"1." + QString(126, QLatin1Char('0')), 0},
      {"", 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(Check_OID(c.text), c.code);
  }
}

TEST(Validators, SecurityLevel) {
  const std::pair<const char*, int> cases[] = {
      {"Auth NoPriv", 1}, {"  auth priv \t", 3}, {"AUTH PRIV", 3}, {"NoAuth NoPriv", 0},
      {"", -1},           {"   ", -1},           {"Auth  Priv", 0}};
  for (const auto& [text, level] : cases) EXPECT_EQ(Get_Security_Level(text), level) << text;
}

TEST(Validators, DecimalSeparatorAndFloatConversion) {
  const std::pair<const char*, char> seps[] = {{",", ','}, {".", '.'}, {"", ','}, {";", ','}, {".x", '.'}};
  for (const auto& [system, expected] : seps) {
    const TScopedService locale(SetSystemLocale, std::make_unique<FakeLocale>(QString::fromUtf8(system)));
    EXPECT_EQ(Get_Decimal_Separator(), QLatin1Char(expected)) << system;
  }

  struct Case { const char* text; char sep; bool ok; float value; };
  const Case cases[] = {
      {"1,5", '.', true, 1.5f},  {"1.5", '.', true, 1.5f},  {"-0,25", '.', true, -0.25f},
      {"1,5", ',', true, 1.5f},  {"1.5", ',', true, 1.5f},  {"10", ',', true, 10.0f},
      {"abc", '.', false, 1.0f}, {"abc", ',', false, 1.0f}, {"", '.', false, 1.0f},
      {"1.2.3", '.', false, 1.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " sep " + c.sep);
    float v = 42.0f;
    EXPECT_EQ(Conv_Str_To_Float(QString::fromUtf8(c.text), QLatin1Char(c.sep), v), c.ok);
    EXPECT_FLOAT_EQ(v, c.value);
  }
}

TEST(Validators, ComListComesFromThePlatformPortList) {
  {
    const TScopedService ports(SetSerialPortList, std::make_unique<FakePorts>(QList<int>{1, 3, 65, 256}));
    std::unique_ptr<TStringList> list = Get_COM_List();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->ToStringList(), QStringList({"1", "3", "65", "256"}));
  }
  const TScopedService none(SetSerialPortList, std::make_unique<FakePorts>(QList<int>{}));
  EXPECT_EQ(Get_COM_List()->Count(), 0);
}
