// The communication-settings window: loading ParGen.xml, its checks, the file
// it writes, the address edits and the DHCP box, the frame and the texts.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <functional>

#include "common/TestSupport.h"
#include "controls/LbButton.h"
#include "gateway/ParGenFixture.h"
#include "gateway/GoldenBytes.h"
#include "gateway/UParGen.h"
#include "gateway/USaveBincc.h"
#include "platform/rtl/Classes.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Snapshot.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/ui/TestHooks.h"
#include "platform/rtl/XMLDoc.h"
#include "shell/ULanguage.h"

namespace {

QString T(int n) { return SL_Language->Strings(n); }

// The file the window writes with its defaults and the poll time 3600.
const char* const Default_File =
    "<Par_Gen><Eth_Conn_Device_Name/><Eth_Conn_DHCP_Cable>0</Eth_Conn_DHCP_Cable>"
    "<Eth_Conn_DHCP_WiFi>0</Eth_Conn_DHCP_WiFi><Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS>"
    "<Eth_Conn_Primary_DNS1>8</Eth_Conn_Primary_DNS1><Eth_Conn_Primary_DNS2>8</Eth_Conn_Primary_DNS2>"
    "<Eth_Conn_Primary_DNS3>8</Eth_Conn_Primary_DNS3><Eth_Conn_Primary_DNS4>8</Eth_Conn_Primary_DNS4>"
    "<Eth_Conn_Secondary_DNS1>8</Eth_Conn_Secondary_DNS1><Eth_Conn_Secondary_DNS2>8</Eth_Conn_Secondary_DNS2>"
    "<Eth_Conn_Secondary_DNS3>8</Eth_Conn_Secondary_DNS3><Eth_Conn_Secondary_DNS4>8</Eth_Conn_Secondary_DNS4>"
    "<OPC_UA_Server_IP1>192</OPC_UA_Server_IP1><OPC_UA_Server_IP2>168</OPC_UA_Server_IP2>"
    "<OPC_UA_Server_IP3>0</OPC_UA_Server_IP3><OPC_UA_Server_IP4>10</OPC_UA_Server_IP4>"
    "<OPC_UA_Server_SM1>255</OPC_UA_Server_SM1><OPC_UA_Server_SM2>255</OPC_UA_Server_SM2>"
    "<OPC_UA_Server_SM3>255</OPC_UA_Server_SM3><OPC_UA_Server_SM4>0</OPC_UA_Server_SM4>"
    "<OPC_UA_Server_GAT1>192</OPC_UA_Server_GAT1><OPC_UA_Server_GAT2>168</OPC_UA_Server_GAT2>"
    "<OPC_UA_Server_GAT3>0</OPC_UA_Server_GAT3><OPC_UA_Server_GAT4>1</OPC_UA_Server_GAT4>"
    "<OPC_UA_Server_EN_GAT>0</OPC_UA_Server_EN_GAT><OPC_UA_Server_Port>4840</OPC_UA_Server_Port>"
    "<ModbusM_SERIAL>0</ModbusM_SERIAL><ModbusM_BAUDRATE>7</ModbusM_BAUDRATE>"
    "<ModbusM_PARITY>0</ModbusM_PARITY><ModbusM_STOPBITS>0</ModbusM_STOPBITS>"
    "<ModbusM_TIMEOUT>1000</ModbusM_TIMEOUT><ModbusM_CYCLIC>100</ModbusM_CYCLIC>"
    "<NTP_Server_URL/><NTP_Poll_Time>3600</NTP_Poll_Time></Par_Gen><!--SW_VERSION = 1.003-->";

class ParGenWindow : public ParGenFixture {
 protected:
  void SetUp() override {
    ParGenFixture::SetUp();
    FSaved_Code = SW_Code;
    SW_Code = QStringLiteral("ZIDI");
    F.reset(NewForm<TFParGen>(nullptr));
  }
  void TearDown() override {
    if (F) F->Hide();
    F.reset();
    SW_Code = FSaved_Code;
    ParGenFixture::TearDown();
  }

  // Presses OK and gives back the message it showed ("" when none).
  QString Press_OK() {
    QString Shown;
    TScopedDialogResponder Responder([&](const TDialogRequest& R) {
      EXPECT_TRUE(Shown.isEmpty()) << "a second message: " << R.Text.toStdString();
      EXPECT_EQ(R.DlgType, mtError);
      EXPECT_EQ(R.Buttons, TMsgDlgButtons{mbOK});
      Shown = R.Text;
      return TDialogAnswer::Button(mrOk);
    });
    F->SetModalResult(mrNone);
    F->Btn_OK->Click();
    return Shown;
  }
  QString ParGen_File() const { return QString::fromUtf8(Read_File(File_XML_ParGen)); }
  std::vector<TEdit*> OPC_UA_Octets() const {
    return {F->E_OPC_UA_Server_IP1, F->E_OPC_UA_Server_IP2, F->E_OPC_UA_Server_IP3, F->E_OPC_UA_Server_IP4,
            F->E_OPC_UA_Server_SM1, F->E_OPC_UA_Server_SM2, F->E_OPC_UA_Server_SM3, F->E_OPC_UA_Server_SM4,
            F->E_OPC_UA_Server_GAT1, F->E_OPC_UA_Server_GAT2, F->E_OPC_UA_Server_GAT3, F->E_OPC_UA_Server_GAT4};
  }

  std::unique_ptr<TFParGen> F;
  QString FSaved_Code;
};

// ---- loading -------------------------------------------------------------------

TEST_F(ParGenWindow, MissingFileShowsTheDefaultsAndOkAsksForThePollTime) {
  F->Show();
  EXPECT_EQ(F->E_EthConn_Device_Name->Text(), QString());
  EXPECT_FALSE(F->CB_EthConn_En_DHCP_Cable->Checked());
  EXPECT_FALSE(F->CB_EthConn_Enable_DNS->Checked());
  EXPECT_EQ(F->E_EthConn_Pri_DNS_IP1->Text(), QStringLiteral("8"));
  EXPECT_EQ(F->E_EthConn_Sec_DNS_IP4->Text(), QStringLiteral("8"));
  EXPECT_EQ(F->E_OPC_UA_Server_IP4->Text(), QStringLiteral("10"));
  EXPECT_EQ(F->E_OPC_UA_Server_SM3->Text(), QStringLiteral("255"));
  EXPECT_EQ(F->E_OPC_UA_Server_GAT4->Text(), QStringLiteral("1"));
  EXPECT_FALSE(F->CB_OPC_UA_Server_En_GAT->Checked());
  EXPECT_EQ(F->E_OPC_UA_Server_Port->Text(), QStringLiteral("4840"));
  EXPECT_EQ(F->CB_ModbusMaster_Serial->ItemIndex(), 0);
  EXPECT_EQ(F->CB_ModbusMaster_Baudrate->Text(), QStringLiteral("115200"));
  EXPECT_EQ(F->CB_ModbusMaster_Parity->ItemIndex(), 0);
  EXPECT_EQ(F->CB_ModbusMaster_StopBits->ItemIndex(), 0);
  EXPECT_EQ(F->E_ModbusMaster_TimeOut->Text(), QStringLiteral("1000"));
  EXPECT_EQ(F->E_ModbusMaster_CyclicDelay->Text(), QStringLiteral("100"));
  EXPECT_EQ(F->E_NTP_Server_URL->Text(), QString());
  EXPECT_EQ(F->E_NTP_Poll_Time->Text(), QString());

  EXPECT_EQ(Press_OK(), T(1092));
  EXPECT_EQ(F->ModalResult(), mrNone);
  EXPECT_FALSE(QFile::exists(File_XML_ParGen));

  F->E_NTP_Poll_Time->SetText(QStringLiteral("3600"));
  EXPECT_EQ(Press_OK(), QString());
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_EQ(ParGen_File(), QString::fromLatin1(Default_File));
}

TEST_F(ParGenWindow, EveryShowingReloadsTheFile) {
  Write_File(File_XML_ParGen, "<Par_Gen><NTP_Poll_Time>60</NTP_Poll_Time></Par_Gen>");
  F->Show();
  F->E_NTP_Poll_Time->SetText(QStringLiteral("typed, then cancelled"));
  F->Hide();
  F->Show();
  EXPECT_EQ(F->E_NTP_Poll_Time->Text(), QStringLiteral("60"));
}

TEST_F(ParGenWindow, EmptyMissingAndForeignElementsLoadAsStated) {
  Write_File(File_XML_ParGen,
             "<Settings><Eth_Conn_Device_Name></Eth_Conn_Device_Name><Eth_Conn_DHCP_Cable>yes</Eth_Conn_DHCP_Cable>"
             "<Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi><OPC_UA_Server_EN_GAT>1</OPC_UA_Server_EN_GAT>"
             "<OPC_UA_Server_IP1/><ModbusM_BAUDRATE/><ModbusM_PARITY>2</ModbusM_PARITY>"
             "<DMX_Num_Channels>12</DMX_Num_Channels></Settings>");
  F->Show();
  // The root's name is not checked; an empty element gives an empty edit.
  EXPECT_EQ(F->E_OPC_UA_Server_IP1->Text(), QString());
  EXPECT_EQ(F->E_OPC_UA_Server_IP2->Text(), QStringLiteral("168"));
  // A switch is on only for "1"; the Wi-Fi DHCP box never.
  EXPECT_FALSE(F->CB_EthConn_En_DHCP_Cable->Checked());
  EXPECT_FALSE(F->CB_EthConn_En_DHCP_WiFi->Checked());
  EXPECT_FALSE(F->CB_EthConn_En_DHCP_WiFi->Enabled());
  EXPECT_TRUE(F->CB_OPC_UA_Server_En_GAT->Checked());
  // An empty list value takes the list's default item.
  EXPECT_EQ(F->CB_ModbusMaster_Baudrate->ItemIndex(), 7);
  EXPECT_EQ(F->CB_ModbusMaster_Parity->ItemIndex(), 2);
}

TEST_F(ParGenWindow, FileNotStartingWithItsRootGivesEveryDefault) {
  Write_File(File_XML_ParGen,
             "<?xml version=\"1.0\"?><Par_Gen><OPC_UA_Server_Port>4841</OPC_UA_Server_Port></Par_Gen>");
  F->Show();
  EXPECT_EQ(F->E_OPC_UA_Server_Port->Text(), QStringLiteral("4840"));
}

TEST_F(ParGenWindow, FileThatIsNotXmlRaisesTheParseError) {
  Write_File(File_XML_ParGen, "<Par_Gen><NTP_Poll_Time>");
  EXPECT_THROW(F->Load_ParGen(), EDOMParseError);
}

// A list index in the file that the list does not hold.
struct ListIndexCase {
  const char* Text;
  int Baud_Index;  // the baud-rate list's default is 7
};

class ParGenListIndex : public ParGenWindow, public ::testing::WithParamInterface<ListIndexCase> {};

TEST_P(ParGenListIndex, OutOfRangeLoadsTheDefaultItemAndIsNeverSavedAsMinusOne) {
  const ListIndexCase& C = GetParam();
  Write_File(File_XML_ParGen, QByteArray("<Par_Gen><ModbusM_BAUDRATE>") + C.Text +
                                  "</ModbusM_BAUDRATE><ModbusM_SERIAL>" + C.Text +
                                  "</ModbusM_SERIAL><NTP_Poll_Time>1</NTP_Poll_Time></Par_Gen>");
  F->Show();
  EXPECT_EQ(F->CB_ModbusMaster_Baudrate->ItemIndex(), C.Baud_Index);
  EXPECT_GE(F->CB_ModbusMaster_Serial->ItemIndex(), 0);
  ASSERT_EQ(Press_OK(), QString());
  EXPECT_TRUE(ParGen_File().contains(QStringLiteral("<ModbusM_BAUDRATE>%1<").arg(C.Baud_Index)));
  EXPECT_FALSE(ParGen_File().contains(QStringLiteral(">-1<")));
}

INSTANTIATE_TEST_SUITE_P(Cases, ParGenListIndex,
                         ::testing::Values(ListIndexCase{"3", 3}, ListIndexCase{"0", 0}, ListIndexCase{"8", 7},
                                           ListIndexCase{"-1", 7}, ListIndexCase{"99", 7},
                                           ListIndexCase{"abc", 7}, ListIndexCase{"", 7}));

// ---- checks --------------------------------------------------------------------

struct CheckCase {
  const char* Name;
  std::function<void(TFParGen*)> Change;
  int Message;  // 0: passes
};

class ParGenCheck : public ParGenWindow, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(ParGenCheck, EachCheckReportsItsMessageAtItsBoundary) {
  F->Show();
  F->E_NTP_Poll_Time->SetText(QStringLiteral("3600"));
  GetParam().Change(F.get());
  const QString Shown = Press_OK();
  if (GetParam().Message == 0) {
    EXPECT_EQ(Shown, QString());
    EXPECT_EQ(F->ModalResult(), mrOk);
    EXPECT_TRUE(QFile::exists(File_XML_ParGen));
  } else {
    EXPECT_EQ(Shown, T(GetParam().Message));
    EXPECT_EQ(F->ModalResult(), mrNone);
    EXPECT_FALSE(QFile::exists(File_XML_ParGen));
  }
}

void Set(TEdit* E, const char* Text) { E->SetText(QString::fromLatin1(Text)); }

const CheckCase Check_Cases[] = {
    {"Defaults", [](TFParGen*) {}, 0},
    {"DnsOffAcceptsAnyOctet", [](TFParGen* f) { Set(f->E_EthConn_Pri_DNS_IP1, "300"); Set(f->E_EthConn_Sec_DNS_IP4, "x"); }, 0},
    {"DnsOnPrimary1", [](TFParGen* f) { f->CB_EthConn_Enable_DNS->SetChecked(true); Set(f->E_EthConn_Pri_DNS_IP1, "256"); }, 1170},
    {"DnsOnPrimary4", [](TFParGen* f) { f->CB_EthConn_Enable_DNS->SetChecked(true); Set(f->E_EthConn_Pri_DNS_IP4, "-1"); }, 1173},
    {"DnsOnSecondary1", [](TFParGen* f) { f->CB_EthConn_Enable_DNS->SetChecked(true); Set(f->E_EthConn_Sec_DNS_IP1, ""); }, 1174},
    {"DnsOnSecondary3", [](TFParGen* f) { f->CB_EthConn_Enable_DNS->SetChecked(true); Set(f->E_EthConn_Sec_DNS_IP3, "abc"); }, 1176},
    {"DnsOnBounds", [](TFParGen* f) { f->CB_EthConn_Enable_DNS->SetChecked(true); Set(f->E_EthConn_Pri_DNS_IP1, "0"); Set(f->E_EthConn_Sec_DNS_IP4, "255"); }, 0},
    {"DnsBeforeAddress", [](TFParGen* f) { f->CB_EthConn_Enable_DNS->SetChecked(true); Set(f->E_EthConn_Sec_DNS_IP2, "256"); Set(f->E_OPC_UA_Server_IP1, "256"); }, 1175},
    {"Address1", [](TFParGen* f) { Set(f->E_OPC_UA_Server_IP1, "256"); }, 922},
    {"Address4", [](TFParGen* f) { Set(f->E_OPC_UA_Server_IP4, "abc"); }, 925},
    {"AddressBounds", [](TFParGen* f) { Set(f->E_OPC_UA_Server_IP1, "0"); Set(f->E_OPC_UA_Server_IP4, "255"); }, 0},
    {"AddressCheckedUnderDhcp", [](TFParGen* f) { f->CB_EthConn_En_DHCP_Cable->SetChecked(true); Set(f->E_OPC_UA_Server_IP3, "-1"); }, 924},
    {"Mask2", [](TFParGen* f) { Set(f->E_OPC_UA_Server_SM2, "-1"); }, 927},
    {"Mask4", [](TFParGen* f) { Set(f->E_OPC_UA_Server_SM4, "1000"); }, 929},
    {"GatewayOffAcceptsAnyOctet", [](TFParGen* f) { Set(f->E_OPC_UA_Server_GAT1, "999"); }, 0},
    {"GatewayOn1", [](TFParGen* f) { f->CB_OPC_UA_Server_En_GAT->SetChecked(true); Set(f->E_OPC_UA_Server_GAT1, "999"); }, 930},
    {"GatewayOn4", [](TFParGen* f) { f->CB_OPC_UA_Server_En_GAT->SetChecked(true); Set(f->E_OPC_UA_Server_GAT4, "256"); }, 933},
    {"Port0", [](TFParGen* f) { Set(f->E_OPC_UA_Server_Port, "0"); }, 0},
    {"Port65535", [](TFParGen* f) { Set(f->E_OPC_UA_Server_Port, "65535"); }, 0},
    {"Port65536", [](TFParGen* f) { Set(f->E_OPC_UA_Server_Port, "65536"); }, 1136},
    {"PortMinus1", [](TFParGen* f) { Set(f->E_OPC_UA_Server_Port, "-1"); }, 1136},
    {"Port10000", [](TFParGen* f) { Set(f->E_OPC_UA_Server_Port, "10000"); }, 1136},
    {"Port9999", [](TFParGen* f) { Set(f->E_OPC_UA_Server_Port, "9999"); }, 0},
    {"Port10001", [](TFParGen* f) { Set(f->E_OPC_UA_Server_Port, "10001"); }, 0},
    {"PortEmpty", [](TFParGen* f) { Set(f->E_OPC_UA_Server_Port, ""); }, 1136},
    {"TwoStopBitsNone", [](TFParGen* f) { f->CB_ModbusMaster_StopBits->SetItemIndex(1); }, 0},
    {"TwoStopBitsOdd", [](TFParGen* f) { f->CB_ModbusMaster_StopBits->SetItemIndex(1); f->CB_ModbusMaster_Parity->SetItemIndex(1); }, 935},
    {"TwoStopBitsEven", [](TFParGen* f) { f->CB_ModbusMaster_StopBits->SetItemIndex(1); f->CB_ModbusMaster_Parity->SetItemIndex(2); }, 935},
    {"OneStopBitEven", [](TFParGen* f) { f->CB_ModbusMaster_Parity->SetItemIndex(2); }, 0},
    {"TimeOut100000", [](TFParGen* f) { Set(f->E_ModbusMaster_TimeOut, "100000"); }, 0},
    {"TimeOut100001", [](TFParGen* f) { Set(f->E_ModbusMaster_TimeOut, "100001"); }, 936},
    {"TimeOutEmpty", [](TFParGen* f) { Set(f->E_ModbusMaster_TimeOut, ""); }, 936},
    {"Cyclic10000", [](TFParGen* f) { Set(f->E_ModbusMaster_CyclicDelay, "10000"); }, 0},
    {"Cyclic10001", [](TFParGen* f) { Set(f->E_ModbusMaster_CyclicDelay, "10001"); }, 937},
    {"Poll0", [](TFParGen* f) { Set(f->E_NTP_Poll_Time, "0"); }, 0},
    {"Poll10000000", [](TFParGen* f) { Set(f->E_NTP_Poll_Time, "10000000"); }, 0},
    {"Poll10000001", [](TFParGen* f) { Set(f->E_NTP_Poll_Time, "10000001"); }, 1092},
    {"PollTrailingBlank", [](TFParGen* f) { Set(f->E_NTP_Poll_Time, "60 "); }, 1092},
};

INSTANTIATE_TEST_SUITE_P(Cases, ParGenCheck, ::testing::ValuesIn(Check_Cases),
                         [](const ::testing::TestParamInfo<CheckCase>& I) { return std::string(I.param.Name); });

// ---- the written file ------------------------------------------------------------

TEST_F(ParGenWindow, WrittenFileHoldsTheSettingsInOrderThenTheVersionComment) {
  Write_File(File_XML_ParGen, Read_File(TEST_DATA("full/ParGen.xml")));
  F->Show();
  F->CB_ModbusMaster_Parity->SetItemIndex(0);  // two stop bits need parity NONE
  F->E_OPC_UA_Server_IP2->SetText(QStringLiteral("020"));
  ASSERT_EQ(Press_OK(), QString());

  TXMLDocument Doc;
  Doc.LoadFromFile(File_XML_ParGen);
  ASSERT_EQ(Doc.ChildNodes().Count(), 2);
  const IXMLNode Root = Doc.ChildNodes().First();
  EXPECT_EQ(Root->NodeName(), QStringLiteral("Par_Gen"));
  EXPECT_EQ(Doc.ChildNodes().Last()->NodeType(), ntComment);
  EXPECT_EQ(Doc.ChildNodes().Last()->Text(), QStringLiteral("SW_VERSION = 1.003"));
  const QStringList Expected = {
      "Eth_Conn_Device_Name=Gateway-7", "Eth_Conn_DHCP_Cable=1", "Eth_Conn_DHCP_WiFi=0", "Eth_Conn_Enable_DNS=1",
      "Eth_Conn_Primary_DNS1=1", "Eth_Conn_Primary_DNS2=0", "Eth_Conn_Primary_DNS3=0", "Eth_Conn_Primary_DNS4=1",
      "Eth_Conn_Secondary_DNS1=9", "Eth_Conn_Secondary_DNS2=9", "Eth_Conn_Secondary_DNS3=9",
      "Eth_Conn_Secondary_DNS4=10", "OPC_UA_Server_IP1=10", "OPC_UA_Server_IP2=020", "OPC_UA_Server_IP3=30",
      "OPC_UA_Server_IP4=40", "OPC_UA_Server_SM1=255", "OPC_UA_Server_SM2=255", "OPC_UA_Server_SM3=0",
      "OPC_UA_Server_SM4=0", "OPC_UA_Server_GAT1=10", "OPC_UA_Server_GAT2=20", "OPC_UA_Server_GAT3=0",
      "OPC_UA_Server_GAT4=254", "OPC_UA_Server_EN_GAT=1", "OPC_UA_Server_Port=4841", "ModbusM_SERIAL=0",
      "ModbusM_BAUDRATE=4", "ModbusM_PARITY=0", "ModbusM_STOPBITS=1", "ModbusM_TIMEOUT=2500", "ModbusM_CYCLIC=250",
      "NTP_Server_URL=pool.ntp.org", "NTP_Poll_Time=3600"};
  QStringList Actual;
  for (const IXMLNode& N : Root->ChildNodes()) Actual << N->NodeName() + QLatin1Char('=') + N->Text();
  EXPECT_EQ(Actual, Expected);
}

TEST_F(ParGenWindow, EarlierDnsElementsLoadAndAreGoneAfterTheNextSave) {
  Write_File(File_XML_ParGen,
             "<Par_Gen><Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS>"
             "<Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1><Eth_Conn_Primary_DNS2>1</Eth_Conn_Primary_DNS2>"
             "<Eth_Conn_Primary_DNS3>1</Eth_Conn_Primary_DNS3><Eth_Conn_Primary_DNS4>1</Eth_Conn_Primary_DNS4>"
             "<OPC_UA_Server_DNS1>4</OPC_UA_Server_DNS1><OPC_UA_Server_DNS2>3</OPC_UA_Server_DNS2>"
             "<OPC_UA_Server_DNS4>2</OPC_UA_Server_DNS4><OPC_UA_Server_EN_DNS>1</OPC_UA_Server_EN_DNS>"
             "<NTP_Poll_Time>10</NTP_Poll_Time></Par_Gen>");
  F->Show();
  EXPECT_TRUE(F->CB_EthConn_Enable_DNS->Checked());
  EXPECT_EQ(F->E_EthConn_Pri_DNS_IP1->Text(), QStringLiteral("4"));
  EXPECT_EQ(F->E_EthConn_Pri_DNS_IP2->Text(), QStringLiteral("3"));
  EXPECT_EQ(F->E_EthConn_Pri_DNS_IP3->Text(), QStringLiteral("1"));  // no earlier element: kept
  EXPECT_EQ(F->E_EthConn_Pri_DNS_IP4->Text(), QStringLiteral("2"));
  ASSERT_EQ(Press_OK(), QString());
  const QString File = ParGen_File();
  EXPECT_FALSE(File.contains(QStringLiteral("OPC_UA_Server_DNS")));
  EXPECT_FALSE(File.contains(QStringLiteral("OPC_UA_Server_EN_DNS")));
  EXPECT_TRUE(File.contains(QStringLiteral("<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>"
                                           "<Eth_Conn_Primary_DNS1>4</Eth_Conn_Primary_DNS1>"
                                           "<Eth_Conn_Primary_DNS2>3</Eth_Conn_Primary_DNS2>"
                                           "<Eth_Conn_Primary_DNS3>1</Eth_Conn_Primary_DNS3>"
                                           "<Eth_Conn_Primary_DNS4>2</Eth_Conn_Primary_DNS4>")));
}

TEST_F(ParGenWindow, WrittenFileBuildsTheExpectedDeviceImage) {
  // The OPC UA example: the window fills in every missing setting with its
  // default; the OPC UA area comes out as the image tests expect.
  Use_Data(TEST_DATA("opcua"));
  F->Show();
  ASSERT_EQ(Press_OK(), QString());
  TXMLDocument XML;
  Create_Bin(XML);
  Save_Bin();
  EXPECT_EQ(Read_File(Bank2()), Load_Golden_Bytes(TEST_DATA("bank2_opc_ua_example.hex")));

  // The full settings, with the two values the window cannot keep: the Wi-Fi
  // DHCP switch is always off and two stop bits need parity NONE.
  Write_File(File_XML_ParGen, Read_File(TEST_DATA("full/ParGen.xml")));
  F->Hide();
  F->Show();
  EXPECT_EQ(Press_OK(), T(935));
  F->CB_ModbusMaster_Parity->SetItemIndex(0);
  ASSERT_EQ(Press_OK(), QString());
  Create_Bin(XML);
  Save_Bin();
  QByteArray Expected = Load_Golden_Bytes(TEST_DATA("bank1_pargen_full.hex"));
  Expected[Par_Ofs::DHCP_Flags] = 0x01;
  Expected[Par_Ofs::Modbus_Parity] = 0x00;
  uint32_t Sum = 0;
  for (int i = 0; i < Par_Ofs::Checksum; ++i) Sum += static_cast<uint8_t>(Expected[i]);
  for (int i = 0; i < 4; ++i) Expected[Par_Ofs::Checksum + i] = static_cast<char>((Sum >> (8 * i)) & 0xFF);
  EXPECT_EQ(Read_File(Bank1()), Expected) << Diff_Bytes(Expected, Read_File(Bank1())).toStdString();
}

// ---- the window -------------------------------------------------------------------

TEST_F(ParGenWindow, ShowsTheFourPanelsNumberedAndStacked) {
  const std::vector<std::pair<TCategoryPanel*, const char*>> Shown = {
      {F->CP_Ethernet_Connection, "1. Ethernet Connection"},
      {F->CP_OPC_UA_Server, "2. OPC UA Server"},
      {F->CP_Modbus_Master, "3. Modbus Master"},
      {F->CP_NTP, "4. NTP (Network Time Protocol)"}};
  const int Heights[] = {206, 150, 206, 94};
  int Top = 0;
  for (size_t i = 0; i < Shown.size(); ++i) {
    TCategoryPanel* P = Shown[i].first;
    EXPECT_TRUE(P->Visible()) << Shown[i].second;
    EXPECT_EQ(P->Caption(), QString::fromLatin1(Shown[i].second));
    EXPECT_EQ(P->Height(), Heights[i]) << Shown[i].second;
    EXPECT_EQ(P->Top(), Top - F->CPG->VertScrollBar()->Position()) << Shown[i].second;
    EXPECT_EQ(P->TabOrder(), static_cast<int>(i));
    Top += Heights[i];
  }
  EXPECT_EQ(F->CPG->PanelCount(), 28);
  int Visible = 0;
  for (int i = 0; i < F->CPG->PanelCount(); ++i) Visible += F->CPG->Panels(i)->Visible() ? 1 : 0;
  EXPECT_EQ(Visible, 4);
  // The four panels need more than the group shows: it scrolls.
  EXPECT_GT(656, F->CPG->ClientHeight());
  EXPECT_GT(F->CPG->VertScrollBar()->Range(), F->CPG->ClientHeight());
}

TEST_F(ParGenWindow, RowsSitWhereTheLayoutPutsThem) {
  struct Place {
    TControl* C;
    int Left, Top, Width, Height;
  };
  const Place Places[] = {
      {F->L_EthConn_Device_Name, 14, 12, -1, -1},  {F->E_EthConn_Device_Name, 191, 9, 238, 21},
      {F->CB_EthConn_En_DHCP_Cable, 14, 40, 415, -1}, {F->CB_EthConn_Enable_DNS, 14, 96, 415, -1},
      {F->E_EthConn_Pri_DNS_IP1, 191, 121, 55, 21}, {F->E_EthConn_Pri_DNS_IP2, 252, 121, 55, 21},
      {F->E_EthConn_Pri_DNS_IP3, 313, 121, 55, 21}, {F->E_EthConn_Sec_DNS_IP4, 374, 149, 55, 21},
      {F->L_OPC_UA_Server_SM, 14, 40, -1, -1},      {F->CB_OPC_UA_Server_En_GAT, 14, 68, 175, -1},
      {F->E_OPC_UA_Server_GAT1, 191, 66, 55, 21},   {F->E_OPC_UA_Server_Port, 191, 93, 238, 21},
      {F->CB_ModbusMaster_Parity, 191, 65, 238, -1}, {F->E_ModbusMaster_CyclicDelay, 191, 149, 238, 21},
      {F->L_NTP_Poll_Time, 14, 40, -1, -1},
  };
  for (const Place& P : Places) {
    SCOPED_TRACE(P.C->Name().toStdString());
    EXPECT_EQ(P.C->Left(), P.Left);
    EXPECT_EQ(P.C->Top(), P.Top);
    if (P.Width >= 0) { EXPECT_EQ(P.C->Width(), P.Width); }
    if (P.Height >= 0) { EXPECT_EQ(P.C->Height(), P.Height); }
  }
  // A list's height follows its font (the closed drop-down list of the platform).
  EXPECT_EQ(F->E_EthConn_Device_Name->MaxLength(), 31);
  EXPECT_EQ(F->CB_ModbusMaster_StopBits->Style(), csDropDownList);
  EXPECT_EQ(F->CB_ModbusMaster_StopBits->Items()->CommaText(), QStringLiteral("\"1 Stop Bits\",\"2 Stop Bits\""));
  // The tab order inside a panel follows the rows.
  EXPECT_EQ(F->E_OPC_UA_Server_IP1->TabOrder(), 0);
  EXPECT_EQ(F->CB_OPC_UA_Server_En_GAT->TabOrder(), 8);
  EXPECT_EQ(F->E_OPC_UA_Server_GAT4->TabOrder(), 12);
  EXPECT_EQ(F->E_OPC_UA_Server_Port->TabOrder(), 13);
}

TEST_F(ParGenWindow, DhcpBoxDisablesAndEnablesTheTwelveAddressEdits) {
  F->Show();
  F->E_OPC_UA_Server_IP1->SetText(QStringLiteral("7"));
  QTest::mouseClick(F->CB_EthConn_En_DHCP_Cable->View(), Qt::LeftButton, {}, QPoint(6, 8));
  ASSERT_TRUE(F->CB_EthConn_En_DHCP_Cable->Checked());
  for (TEdit* E : OPC_UA_Octets()) EXPECT_FALSE(E->Enabled()) << E->Name().toStdString();
  EXPECT_EQ(F->E_OPC_UA_Server_IP1->Text(), QStringLiteral("7"));
  EXPECT_TRUE(F->E_OPC_UA_Server_Port->Enabled());
  EXPECT_TRUE(F->CB_OPC_UA_Server_En_GAT->Enabled());
  EXPECT_TRUE(F->E_EthConn_Pri_DNS_IP1->Enabled());
  QTest::mouseClick(F->CB_EthConn_En_DHCP_Cable->View(), Qt::LeftButton, {}, QPoint(6, 8));
  for (TEdit* E : OPC_UA_Octets()) EXPECT_TRUE(E->Enabled()) << E->Name().toStdString();

  // The gateway and DNS boxes change no other control.
  F->CB_OPC_UA_Server_En_GAT->SetChecked(false);
  F->CB_EthConn_Enable_DNS->SetChecked(false);
  EXPECT_TRUE(F->E_OPC_UA_Server_GAT1->Enabled());
  EXPECT_TRUE(F->E_EthConn_Sec_DNS_IP1->Enabled());

  // A file with DHCP on loads with the address edits disabled.
  Write_File(File_XML_ParGen, "<Par_Gen><Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable></Par_Gen>");
  F->Hide();
  F->Show();
  for (TEdit* E : OPC_UA_Octets()) EXPECT_FALSE(E->Enabled()) << E->Name().toStdString();
}

TEST_F(ParGenWindow, DotMovesAlongTheAddressEdits) {
  F->Show();
  struct Move {
    TEdit* From;
    TEdit* To;
  };
  const Move Moves[] = {
      {F->E_OPC_UA_Server_IP3, F->E_OPC_UA_Server_IP4}, {F->E_OPC_UA_Server_IP4, F->E_OPC_UA_Server_SM1},
      {F->E_OPC_UA_Server_SM4, F->E_OPC_UA_Server_GAT1}, {F->E_OPC_UA_Server_GAT4, F->E_OPC_UA_Server_GAT4},
      {F->E_EthConn_Pri_DNS_IP1, F->E_EthConn_Pri_DNS_IP2}, {F->E_EthConn_Pri_DNS_IP4, F->E_EthConn_Sec_DNS_IP1},
      {F->E_EthConn_Sec_DNS_IP4, F->E_EthConn_Sec_DNS_IP4},
  };
  for (const Move& M : Moves) {
    SCOPED_TRACE(M.From->Name().toStdString());
    const QString From_Text = M.From->Text();
    const QString To_Text = M.To->Text();
    M.From->SetFocus();
    QTest::keyClick(M.From->View(), Qt::Key_Period);
    EXPECT_EQ(F->ActiveControl(), M.To);
    EXPECT_EQ(M.From->Text(), From_Text);
    EXPECT_EQ(M.To->Text(), To_Text);
  }
  // Other characters reach the edit.
  F->E_OPC_UA_Server_IP1->SetFocus();
  F->E_OPC_UA_Server_IP1->SelectAll();
  QTest::keyClicks(F->E_OPC_UA_Server_IP1->View(), QStringLiteral("1a"));
  EXPECT_EQ(F->E_OPC_UA_Server_IP1->Text(), QStringLiteral("1a"));
  // A disabled successor keeps the focus where it is.
  F->E_EthConn_Pri_DNS_IP2->SetEnabled(false);
  F->E_EthConn_Pri_DNS_IP1->SetFocus();
  QTest::keyClick(F->E_EthConn_Pri_DNS_IP1->View(), Qt::Key_Period);
  EXPECT_EQ(F->ActiveControl(), F->E_EthConn_Pri_DNS_IP1);
}

TEST_F(ParGenWindow, FrameKeepsItsWidthAndScrollsWithTheWheelOverThePanels) {
  EXPECT_EQ(F->ClientWidth(), 460);
  EXPECT_EQ(F->ClientHeight(), 700);
  EXPECT_EQ(F->P_Title->Height(), 69);
  EXPECT_EQ(F->P_Button->Height(), 40);
  EXPECT_EQ(F->CPG->Top(), 69);
  EXPECT_EQ(F->CPG->Height(), 700 - 69 - 40);
  EXPECT_EQ(F->L_SW_Code->Caption(), QStringLiteral("ZIDI"));
  EXPECT_EQ(F->Btn_OK->Left(), 219);
  EXPECT_EQ(F->Btn_Cancel->Left(), 335);
  F->Show();
  F->SetWidth(F->Width() + 140);
  EXPECT_EQ(F->ClientWidth(), 460);
  F->SetHeight(F->Height() - 100);
  EXPECT_EQ(F->ClientWidth(), 460);
  EXPECT_EQ(F->ClientHeight(), 600);
  EXPECT_EQ(F->CPG->Height(), 600 - 69 - 40);

  bool Handled = true;
  const TPoint Over_Title = F->P_Title->ClientToScreen(TPoint(50, 20));
  F->FormMouseWheel(F.get(), TShiftState(), -120, Over_Title, Handled);
  EXPECT_FALSE(Handled);
  EXPECT_EQ(F->CPG->VertScrollBar()->Position(), 0);
  const TPoint Over_Panels = F->CPG->ClientToScreen(TPoint(50, 50));
  F->FormMouseWheel(F.get(), TShiftState(), -120, Over_Panels, Handled);
  EXPECT_TRUE(Handled);
  const int Down = F->CPG->VertScrollBar()->Position();
  EXPECT_GT(Down, 0);
  F->FormMouseWheel(F.get(), TShiftState(), 120, Over_Panels, Handled);
  EXPECT_TRUE(Handled);
  EXPECT_EQ(F->CPG->VertScrollBar()->Position(), 0);
}

TEST_F(ParGenWindow, TurnedWheelScrollsOnlyOverThePanels) {
  F->Show();
  auto Turn = [](TControl* Over, int Delta) {
    const QPoint Local(5, 5);
    QWheelEvent E(Local, Over->View()->mapToGlobal(Local), QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(Over->View(), &E);
  };
  Turn(F->P_Title, -120);
  Turn(F->P_Button, -120);
  EXPECT_EQ(F->CPG->VertScrollBar()->Position(), 0);
  Turn(F->E_EthConn_Device_Name, -120);
  EXPECT_GT(F->CPG->VertScrollBar()->Position(), 0);
  Turn(F->E_EthConn_Device_Name, 120);
  EXPECT_EQ(F->CPG->VertScrollBar()->Position(), 0);
}

TEST_F(ParGenWindow, LanguageChangeLeavesThePanelCaptions) {
  EXPECT_EQ(F->Caption(), QStringLiteral("Set Communication"));
  EXPECT_EQ(F->L_SW_Desc->Caption(), T(401));
  EXPECT_EQ(F->Btn_OK->Caption(), QStringLiteral("OK"));
  EXPECT_EQ(F->Btn_Cancel->Hint(), T(405));
  EXPECT_EQ(F->L_EthConn_Device_Name->Caption(), T(1152));
  EXPECT_EQ(F->E_EthConn_Device_Name->Hint(), T(1153));
  EXPECT_EQ(F->CB_EthConn_En_DHCP_WiFi->Hint(), T(1157));
  EXPECT_EQ(F->E_EthConn_Sec_DNS_IP3->Hint(), T(1168));
  EXPECT_EQ(F->E_OPC_UA_Server_IP2->Hint(), T(409));
  EXPECT_EQ(F->CB_OPC_UA_Server_En_GAT->Caption(), T(417));
  EXPECT_EQ(F->CB_OPC_UA_Server_En_GAT->Hint(), T(418));
  EXPECT_EQ(F->E_OPC_UA_Server_GAT4->Hint(), T(422));
  EXPECT_EQ(F->E_OPC_UA_Server_Port->Hint(), T(1135));
  EXPECT_EQ(F->CB_ModbusMaster_StopBits->Hint(), T(887));
  EXPECT_EQ(F->L_NTP_Poll_Time->Caption(), T(567));

  // Every text of the window's block in another language.
  for (int n = 400; n <= 1169; ++n) SL_Language->SetStrings(n, QStringLiteral("L%1").arg(n));
  F->Set_Lang();
  EXPECT_EQ(F->Caption(), QStringLiteral("L400"));
  EXPECT_EQ(F->L_EthConn_Device_Name->Caption(), QStringLiteral("L1152"));
  EXPECT_EQ(F->E_OPC_UA_Server_GAT4->Hint(), QStringLiteral("L422"));
  EXPECT_EQ(F->L_ModbusMaster_Serial->Caption(), QStringLiteral("L880"));
  EXPECT_EQ(F->E_NTP_Server_URL->Hint(), QStringLiteral("L566"));
  EXPECT_EQ(F->CP_Ethernet_Connection->Caption(), QStringLiteral("1. Ethernet Connection"));
  EXPECT_EQ(F->CP_NTP->Caption(), QStringLiteral("4. NTP (Network Time Protocol)"));
  // List items are fixed texts.
  EXPECT_EQ(F->CB_ModbusMaster_Parity->Items()->Strings(2), QStringLiteral("EVEN"));
}

TEST_F(ParGenWindow, ModalOkWritesAndCancelDiscards) {
  {
    TScopedModalHook Hook([&](TCustomForm*) {
      F->E_NTP_Poll_Time->SetText(QStringLiteral("5"));
      QTest::mouseClick(F->Btn_Cancel->View(), Qt::LeftButton);
    });
    EXPECT_EQ(F->ShowModal(), mrCancel);
  }
  EXPECT_FALSE(QFile::exists(File_XML_ParGen));
  {
    TScopedModalHook Hook([&](TCustomForm*) {
      EXPECT_EQ(F->E_NTP_Poll_Time->Text(), QString());
      F->E_NTP_Poll_Time->SetText(QStringLiteral("5"));
      QTest::mouseClick(F->Btn_OK->View(), Qt::LeftButton);
    });
    EXPECT_EQ(F->ShowModal(), mrOk);
  }
  EXPECT_TRUE(ParGen_File().contains(QStringLiteral("<NTP_Poll_Time>5</NTP_Poll_Time>")));
}

TEST_F(ParGenWindow, PictureOfTheWindow) {
  Write_File(File_XML_ParGen, Read_File(TEST_DATA("full/ParGen.xml")));
  F->Show();
  const QImage Img = GrabControl(F.get());
  EXPECT_EQ(Img.width(), F->ClientWidth());
  // ZIDI_SCREENSHOT names a file for the picture.
  const QByteArray Target = qgetenv("ZIDI_SCREENSHOT");
  if (!Target.isEmpty()) { EXPECT_TRUE(Img.save(QString::fromLocal8Bit(Target), "PNG")); }
}

}  // namespace
