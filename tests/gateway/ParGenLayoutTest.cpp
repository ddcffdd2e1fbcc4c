// Layout of each panel of the communication-settings window in every state of
// its switches: which rows are shown, where they stand, how high the panel is;
// the address edits that follow the DHCP box; pictures of three variants.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QScopeGuard>
#include <functional>

#include "common/TestSupport.h"
#include "gateway/ParGenFixture.h"
#include "gateway/UParGen.h"
#include "gateway/UParGen_p.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Snapshot.h"
#include "platform/widgets/StdCtrls.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

using TMember = void (TFParGen::*)();
using TSetup = std::function<void(TFParGen*)>;

TControl* C(TFParGen* F, const QString& Name) { return dynamic_cast<TControl*>(F->FindComponent(Name)); }
void Check(TFParGen* F, const char* Name, bool On) { dynamic_cast<TCheckBox*>(C(F, Name))->SetChecked(On); }
void Pick(TFParGen* F, const char* Name, int Index) { dynamic_cast<TComboBox*>(C(F, Name))->SetItemIndex(Index); }

struct LayoutCase {
  const char* Name;
  const char* Panel;
  TMember Member;
  TSetup Setup;
  // The rows shown, by the name of their label or box, in order; empty: all.
  QStringList Shown;
  // The control whose bottom gives the height.
  const char* Lowest;
};

class ParGenLayout : public ParGenFixture, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(ParGenLayout, RowsFollowTheSwitchesAndThePanelEndsBelowTheLowest) {
  const LayoutCase& Case = GetParam();
  // A window of a variant without panels: only the member under test lays out.
  std::unique_ptr<TFParGen> F(NewForm<TFParGen>(nullptr, QStringLiteral("KR")));
  Case.Setup(F.get());
  (F.get()->*Case.Member)();

  const TParGen_Panel_Def* Def = ParGen_Panel(QString::fromLatin1(Case.Panel));
  ASSERT_NE(Def, nullptr);
  QStringList All;
  for (const TParGen_Row_Def& Row : Def->Rows) All << Row.Name;
  const QStringList Shown = Case.Shown.isEmpty() ? All : Case.Shown;
  int Index = 0;
  int Bottom = 0;
  for (const TParGen_Row_Def& Row : Def->Rows) {
    SCOPED_TRACE(Row.Name.toStdString());
    const bool Is_Shown = Shown.contains(Row.Name);
    for (const QString& Name : ParGen_Row_Controls(Row)) EXPECT_EQ(C(F.get(), Name)->Visible(), Is_Shown) << Name.toStdString();
    if (!Is_Shown) continue;
    // Shown rows follow the order expected, 28 pixels apart from y = 12.
    ASSERT_LT(Index, Shown.size());
    EXPECT_EQ(Row.Name, Shown.at(Index));
    const int Y = 12 + 28 * Index;
    EXPECT_EQ(C(F.get(), Row.Name)->Top(), Y);
    if (Row.Kind == rkEdit || Row.Kind == rkList) { EXPECT_EQ(C(F.get(), Row.Value)->Top(), Y - 3); }
    if (Row.Kind == rkOctets) { EXPECT_EQ(C(F.get(), Row.Value + "1")->Top(), Y - 3); }
    if (Row.Kind == rkBoxOctets) { EXPECT_EQ(C(F.get(), Row.Value + "4")->Top(), Y - 2); }
    if (Row.Kind == rkBoxEdit) { EXPECT_EQ(C(F.get(), Row.Value)->Top(), Y - 2); }
    for (const QString& Name : ParGen_Row_Controls(Row))
      Bottom = std::max(Bottom, C(F.get(), Name)->Top() + C(F.get(), Name)->Height());
    ++Index;
  }
  EXPECT_EQ(Index, Shown.size()) << "rows expected but not shown";
  const TControl* Lowest = C(F.get(), QString::fromLatin1(Case.Lowest));
  ASSERT_NE(Lowest, nullptr);
  EXPECT_TRUE(Lowest->Visible());
  EXPECT_EQ(Lowest->Top() + Lowest->Height(), Bottom) << "not the lowest control";
  EXPECT_EQ(F->Panel(QString::fromLatin1(Case.Panel))->Height(), Bottom + 24 + 12);
}

void None(TFParGen*) {}

const QStringList MQTT_Top = {"L_MQTT_Server", "L_MQTT_Port", "L_MQTT_ClientID", "L_MQTT_KeepAlive",
                              "CB_MQTT_CleanSession", "CB_MQTT_WillFlag"};
const QStringList MQTT_Will = {"L_MQTT_Will_TopicName", "L_MQTT_Will_Message", "CB_MQTT_Will_Retained",
                               "L_MQTT_Will_QoS"};
const QStringList MQTT_Connection = {"L_MQTT_Connection_TopicName", "L_MQTT_Connection_Message",
                                     "CB_MQTT_Connection_Retained"};
const QStringList MQTT_Login = {"L_MQTT_Username", "L_MQTT_Password"};
const QString Publish = QStringLiteral("CB_MQTT_PublishTopicConnection");

TSetup MQTT(bool Will, bool Connection) {
  return [=](TFParGen* F) {
    Check(F, "CB_MQTT_WillFlag", Will);
    Check(F, "CB_MQTT_PublishTopicConnection", Connection);
  };
}

QStringList BACnet_IP(const QString& Side) {
  const QString P = "BACnet_IP_" + Side;
  return {"L_BACnet_" + Side + "_Type", "L_" + P + "_IP",          "L_" + P + "_SM",       "CB_" + P + "_En_GAT",
          "L_" + P + "_Port",           "L_" + P + "_Device_Name", "L_" + P + "_Device_ID"};
}
QStringList BACnet_MSTP(const QString& Side) {
  const QString P = "BACnet_MSTP_" + Side;
  return {"L_BACnet_" + Side + "_Type", "L_" + P + "_Baudrate",    "L_" + P + "_Parity",
          "L_" + P + "_Device_Name",   "L_" + P + "_MAC_Address", "L_" + P + "_Max_Master",
          "L_" + P + "_Max_Info_Frame", "L_" + P + "_Device_Instance"};
}

const QStringList TLS_Server = {"CB_TLS_Enable", "CB_TLS_En_Server_Auth"};
TSetup TLS(bool Enable, bool Server, bool Client) {
  return [=](TFParGen* F) {
    Check(F, "CB_TLS_Enable", Enable);
    Check(F, "CB_TLS_En_Server_Auth", Server);
    Check(F, "CB_TLS_En_Client_Auth", Client);
  };
}

const QStringList SNMP_Agent_Base = {"L_SNMP_Agent_IP",       "L_SNMP_Agent_SM",       "L_SNMP_Agent_GAT",
                                     "L_SNMP_Agent_NameStation", "L_SNMP_Agent_Contact", "L_SNMP_Agent_Location",
                                     "CB_SNMP_Agent_Version1", "CB_SNMP_Agent_Version2", "CB_SNMP_Agent_Version3"};
TSetup SNMP(bool V3, int Level) {
  return [=](TFParGen* F) {
    Check(F, "CB_SNMP_Agent_Version3", V3);
    Pick(F, "CB_SNMP_Agent_SecurityLevel", Level);
  };
}

const QStringList WiFi_Address = {"L_WiFi_IP", "L_WiFi_SM", "L_WiFi_GAT", "L_WiFi_DNS"};
TSetup WiFi(int Type, int Secure, bool DHCP_Server, bool Auto) {
  return [=](TFParGen* F) {
    Pick(F, "CB_WiFi_Type", Type);
    Pick(F, "CB_WiFi_SecureType", Secure);
    Check(F, "CB_WiFi_En_DHCP", DHCP_Server);
    Check(F, "CB_WiFi_IP_Auto", Auto);
  };
}
const QStringList WiFi_AP_Head = QStringList{"L_WiFi_Type"} + WiFi_Address + QStringList{"L_WiFi_Port", "L_WiFi_SSID",
                                                                                          "L_WiFi_SecureType"};
const QStringList WiFi_AP_Tail = {"L_WiFi_MaxClient", "L_WiFi_Channel"};
const QStringList WiFi_DHCP = {"L_WiFi_DHCP_First", "L_WiFi_DHCP_SM", "L_WiFi_DHCP_Lease"};

#define M(Name) &TFParGen::RePosition_Object_##Name

const LayoutCase Layout_Cases[] = {
    // Panels without switches: every row shown.
    {"EthernetConnection", "CP_Ethernet_Connection", M(Ethernet_Connection), None, {}, "E_EthConn_Sec_DNS_IP4"},
    {"OpcUaServer", "CP_OPC_UA_Server", M(OPC_UA_Server), None, {}, "E_OPC_UA_Server_Port"},
    {"ModbusMaster", "CP_Modbus_Master", M(Modbus_Master), None, {}, "E_ModbusMaster_CyclicDelay"},
    {"Ntp", "CP_NTP", M(NTP), None, {}, "E_NTP_Poll_Time"},
    {"Serial", "CP_Serial", M(Serial), None, {}, "CB_Serial_StopBits"},
    {"ModbusSlave", "CP_Modbus_Slave", M(Modbus_Slave), None, {}, "CB_ModbusSlave_ReadInput"},
    {"ModbusTcpMaster", "CP_Modbus_TCP_Master", M(Modbus_TCP_Master), None, {}, "E_ModbusTCPMaster_CyclicDelay"},
    {"ModbusTcpSlave", "CP_Modbus_TCP_Slave", M(Modbus_TCP_Slave), None, {}, "E_ModbusTCPSlave_Port"},
    {"EtherNetIpMaster", "CP_EtherNetIP_Master", M(EtherNetIP_Master), None, {}, "E_EtherNetIP_Master_Port"},
    {"EtherNetIp", "CP_EtherNetIP", M(EtherNetIP), None, {}, "E_EtherNetIP_NByte_Out"},
    {"SnmpManager", "CP_SNMP_Manager", M(SNMP_Manager), None, {}, "E_SNMP_Manager_NameStation"},
    {"Can", "CP_CAN", M(CAN), None, {}, "CB_CAN_Baudrate"},
    {"CanOpen", "CP_CANopen", M(CANopen), None, {}, "E_CANopen_SDO_Timeout"},
    {"DeviceNetMaster", "CP_DeviceNet_Master", M(DeviceNet_Master), None, {}, "CB_DeviceNet_Master_Baudrate"},
    {"DeviceNetSlave", "CP_DeviceNet_Slave", M(DeviceNet_Slave), None, {}, "E_DeviceNet_Slave_NumByteOut"},
    {"Dmx", "CP_DMX", M(DMX), None, {}, "E_DMX_ChannelNum"},
    {"J1939", "CP_J1939", M(J1939), None, {}, "E_J1939_ID_Device"},
    {"Knx", "CP_KNX", M(KNX), None, {}, "E_KNX_IDDevice"},
    {"Nmea2000", "CP_NMEA2000", M(NMEA2000), None, {}, "CB_NMEA2000_Peer_To_Peer"},
    // Rows hidden for good.
    {"EthernetWithoutPorts", "CP_Ethernet", M(Ethernet), None, {"L_Ethernet_IP", "L_Ethernet_SM", "CB_Ethernet_En_GAT"},
     "E_Ethernet_GAT4"},
    {"ProfinetWithoutDiagnostic", "CP_PROFINET", M(PROFINET), None,
     {"L_PROFINET_IP", "L_PROFINET_SM", "L_PROFINET_GAT", "L_PROFINET_NameStation", "L_PROFINET_Tunneling_Port",
      "L_PROFINET_NByte_In", "L_PROFINET_NByte_Out"},
     "E_PROFINET_NByte_Out"},
    // MQTT: will and connection boxes; the send time never shows.
    {"MqttPlain", "CP_MQTT", M(MQTT), MQTT(false, false), MQTT_Top + QStringList{Publish} + MQTT_Login, "E_MQTT_Password"},
    {"MqttWill", "CP_MQTT", M(MQTT), MQTT(true, false), MQTT_Top + MQTT_Will + QStringList{Publish} + MQTT_Login,
     "E_MQTT_Password"},
    {"MqttConnection", "CP_MQTT", M(MQTT), MQTT(false, true),
     MQTT_Top + QStringList{Publish} + MQTT_Connection + MQTT_Login, "E_MQTT_Password"},
    {"MqttBoth", "CP_MQTT", M(MQTT), MQTT(true, true),
     MQTT_Top + MQTT_Will + QStringList{Publish} + MQTT_Connection + MQTT_Login, "E_MQTT_Password"},
    // BACnet: the MS/TP rows take the place of the IP rows.
    {"BacnetMasterIp", "CP_BACnet_Master", M(BACnet_Master), [](TFParGen* F) { Pick(F, "CB_BACnet_Master_Type", 0); },
     BACnet_IP("Master") + QStringList{"L_BACnet_IP_Master_TimeOut_Polling"}, "E_BACnet_IP_Master_TimeOut_Polling"},
    {"BacnetMasterMstp", "CP_BACnet_Master", M(BACnet_Master), [](TFParGen* F) { Pick(F, "CB_BACnet_Master_Type", 1); },
     BACnet_MSTP("Master"), "E_BACnet_MSTP_Master_Device_Instance"},
    {"BacnetSlaveIp", "CP_BACnet_Slave", M(BACnet_Slave), [](TFParGen* F) { Pick(F, "CB_BACnet_Slave_Type", 0); },
     BACnet_IP("Slave") + QStringList{"CB_BACnet_Slave_Desc_32_Chars"}, "CB_BACnet_Slave_Desc_32_Chars"},
    {"BacnetSlaveMstp", "CP_BACnet_Slave", M(BACnet_Slave), [](TFParGen* F) { Pick(F, "CB_BACnet_Slave_Type", 1); },
     BACnet_MSTP("Slave") + QStringList{"L_BACnet_MSTP_Slave_NetWork", "CB_BACnet_Slave_Desc_32_Chars"},
     "CB_BACnet_Slave_Desc_32_Chars"},
    // TLS.
    {"TlsOff", "CP_TLS", M(TLS), TLS(false, true, true), {"CB_TLS_Enable"}, "CB_TLS_Enable"},
    {"TlsOn", "CP_TLS", M(TLS), TLS(true, false, false), TLS_Server + QStringList{"CB_TLS_En_Client_Auth"},
     "CB_TLS_En_Client_Auth"},
    {"TlsServer", "CP_TLS", M(TLS), TLS(true, true, false),
     TLS_Server + QStringList{"L_TLS_Server_Cert", "CB_TLS_En_Client_Auth"}, "CB_TLS_En_Client_Auth"},
    {"TlsClient", "CP_TLS", M(TLS), TLS(true, false, true),
     TLS_Server + QStringList{"CB_TLS_En_Client_Auth", "L_TLS_Client_Cert", "L_TLS_Client_Cert_Key",
                              "L_TLS_Client_Cert_Key_Pass"},
     "E_TLS_Client_Cert_Key_Pass"},
    {"TlsBoth", "CP_TLS", M(TLS), TLS(true, true, true),
     TLS_Server + QStringList{"L_TLS_Server_Cert", "CB_TLS_En_Client_Auth", "L_TLS_Client_Cert",
                              "L_TLS_Client_Cert_Key", "L_TLS_Client_Cert_Key_Pass"},
     "E_TLS_Client_Cert_Key_Pass"},
    // SNMP agent.
    {"SnmpV3Off", "CP_SNMP_Agent", M(SNMP_Agent), SNMP(false, 2), SNMP_Agent_Base, "CB_SNMP_Agent_Version3"},
    {"SnmpLevel0", "CP_SNMP_Agent", M(SNMP_Agent), SNMP(true, 0),
     SNMP_Agent_Base + QStringList{"L_SNMP_Agent_User", "L_SNMP_Agent_SecurityLevel"}, "CB_SNMP_Agent_SecurityLevel"},
    {"SnmpLevel1", "CP_SNMP_Agent", M(SNMP_Agent), SNMP(true, 1),
     SNMP_Agent_Base + QStringList{"L_SNMP_Agent_User", "L_SNMP_Agent_SecurityLevel", "L_SNMP_Agent_Authority",
                                   "L_SNMP_Agent_AuthorityMode"},
     "CB_SNMP_Agent_AuthorityMode"},
    {"SnmpLevel2", "CP_SNMP_Agent", M(SNMP_Agent), SNMP(true, 2),
     SNMP_Agent_Base + QStringList{"L_SNMP_Agent_User", "L_SNMP_Agent_SecurityLevel", "L_SNMP_Agent_Authority",
                                   "L_SNMP_Agent_AuthorityMode", "L_SNMP_Agent_Privacy", "L_SNMP_Agent_PrivacyMode"},
     "CB_SNMP_Agent_PrivacyMode"},
    // Wi-Fi as access point and as client.
    {"WifiAccessPointOpen", "CP_WiFi", M(WiFi), WiFi(0, 0, false, true),
     WiFi_AP_Head + QStringList{"CB_WiFi_En_DHCP"} + WiFi_AP_Tail, "CB_WiFi_Channel"},
    {"WifiAccessPointSecure", "CP_WiFi", M(WiFi), WiFi(0, 3, false, false),
     WiFi_AP_Head + QStringList{"L_WiFi_Password", "CB_WiFi_En_DHCP"} + WiFi_AP_Tail, "CB_WiFi_Channel"},
    {"WifiAccessPointDhcp", "CP_WiFi", M(WiFi), WiFi(0, 1, true, false),
     WiFi_AP_Head + QStringList{"L_WiFi_Password", "CB_WiFi_En_DHCP"} + WiFi_DHCP + WiFi_AP_Tail, "CB_WiFi_Channel"},
    {"WifiClientFixedAddress", "CP_WiFi", M(WiFi), WiFi(1, 2, true, false),
     QStringList{"L_WiFi_Type", "CB_WiFi_IP_Auto"} + WiFi_Address + QStringList{"L_WiFi_Port", "L_WiFi_SSID", "L_WiFi_Password"},
     "E_WiFi_Password"},
    {"WifiClientAutomaticAddress", "CP_WiFi", M(WiFi), WiFi(1, 0, false, true),
     {"L_WiFi_Type", "CB_WiFi_IP_Auto", "L_WiFi_Name", "L_WiFi_Port", "L_WiFi_SSID", "L_WiFi_Password"},
     "E_WiFi_Password"},
};

#undef M

INSTANTIATE_TEST_SUITE_P(Cases, ParGenLayout, ::testing::ValuesIn(Layout_Cases),
                         [](const ::testing::TestParamInfo<LayoutCase>& I) { return std::string(I.param.Name); });

// ---- Wi-Fi Direct ---------------------------------------------------------------------

class ParGenLayoutWiFi : public ParGenFixture {};

TEST_F(ParGenLayoutWiFi, DirectChangesNothing) {
  std::unique_ptr<TFParGen> F(NewForm<TFParGen>(nullptr, QStringLiteral("KR")));
  WiFi(1, 0, false, true)(F.get());
  F->RePosition_Object_WiFi();
  auto Snapshot = [&] {
    QStringList S;
    for (const TParGen_Row_Def& Row : ParGen_Panel(QStringLiteral("CP_WiFi"))->Rows)
      for (const QString& Name : ParGen_Row_Controls(Row))
        S << QStringLiteral("%1 %2 %3").arg(Name).arg(int(C(F.get(), Name)->Visible())).arg(C(F.get(), Name)->Top());
    S << QString::number(F->CP_WiFi->Height());
    return S;
  };
  const QStringList Before = Snapshot();
  Pick(F.get(), "CB_WiFi_Type", 2);
  Check(F.get(), "CB_WiFi_IP_Auto", false);
  F->RePosition_Object_WiFi();
  EXPECT_EQ(Snapshot(), Before);
}

// ---- the DHCP box ------------------------------------------------------------------------

struct DhcpCase {
  const char* Code;
  const char* Prefix;      // of the octet edits "E_<Prefix>_IP1" ...
  const char* Gateway_Box; // disabled with them, or nullptr
  const char* Box_Left_Alone;  // a gateway box that stays enabled, or nullptr
};

const DhcpCase Dhcp_Cases[] = {
    {"KB", "OPC_UA_Server", nullptr, "CB_OPC_UA_Server_En_GAT"},
    {"KD", "ModbusTCPMaster", "CB_ModbusTCPMaster_En_GAT", nullptr},
    {"KE", "ModbusTCPSlave", "CB_ModbusTCPSlave_En_GAT", nullptr},
    {"KQ", "Ethernet", "CB_Ethernet_En_GAT", nullptr},
    {"KM", "EtherNetIP_Master", nullptr, "CB_EtherNetIP_Master_En_GAT"},
    {"KN", "EtherNetIP", nullptr, "CB_EtherNetIP_En_GAT"},
    {"KV", "SNMP_Manager", nullptr, nullptr},
    {"KW", "SNMP_Agent", nullptr, nullptr},
    {"KU", "PROFINET", nullptr, nullptr},
    {"KF", "BACnet_IP_Master", nullptr, "CB_BACnet_IP_Master_En_GAT"},
    {"KG", "BACnet_IP_Slave", nullptr, "CB_BACnet_IP_Slave_En_GAT"},
};

class ParGenDhcp : public ParGenFixture {};

TEST_F(ParGenDhcp, TheBoxDisablesTheMarkedAddressEditsOfEveryVariant) {
  for (const DhcpCase& Case : Dhcp_Cases) {
    SCOPED_TRACE(Case.Code);
    std::unique_ptr<TFParGen> F(NewForm<TFParGen>(nullptr, QString::fromLatin1(Case.Code)));
    std::vector<TControl*> Follow;
    for (const char* Part : {"_IP", "_SM", "_GAT"})
      for (int i = 1; i <= 4; ++i)
        Follow.push_back(C(F.get(), QStringLiteral("E_%1%2%3").arg(QLatin1String(Case.Prefix), QLatin1String(Part)).arg(i)));
    if (Case.Gateway_Box != nullptr) Follow.push_back(C(F.get(), QString::fromLatin1(Case.Gateway_Box)));
    for (TControl* E : Follow) ASSERT_NE(E, nullptr);
    // The box's click lays out the variant's panels again.
    F->CB_EthConn_En_DHCP_Cable->SetChecked(true);
    for (TControl* E : Follow) EXPECT_FALSE(E->Enabled()) << E->Name().toStdString();
    if (Case.Box_Left_Alone != nullptr) { EXPECT_TRUE(C(F.get(), QString::fromLatin1(Case.Box_Left_Alone))->Enabled()); }
    F->CB_EthConn_En_DHCP_Cable->SetChecked(false);
    for (TControl* E : Follow) EXPECT_TRUE(E->Enabled()) << E->Name().toStdString();
  }
}

TEST_F(ParGenDhcp, BacnetOctetsFollowTheBoxOnlyOverIp) {
  std::unique_ptr<TFParGen> F(NewForm<TFParGen>(nullptr, QStringLiteral("KF")));
  Pick(F.get(), "CB_BACnet_Master_Type", 1);
  F->CB_EthConn_En_DHCP_Cable->SetChecked(true);
  EXPECT_TRUE(C(F.get(), QStringLiteral("E_BACnet_IP_Master_IP1"))->Enabled());
  Pick(F.get(), "CB_BACnet_Master_Type", 0);
  F->Move_GroupBoxs();
  EXPECT_FALSE(C(F.get(), QStringLiteral("E_BACnet_IP_Master_IP1"))->Enabled());
  // Back to MS/TP, the octets keep the state they had.
  Pick(F.get(), "CB_BACnet_Master_Type", 1);
  F->CB_EthConn_En_DHCP_Cable->SetChecked(false);
  EXPECT_FALSE(C(F.get(), QStringLiteral("E_BACnet_IP_Master_IP1"))->Enabled());
}

// ---- pictures ----------------------------------------------------------------------------

// ZIDI_SCREENSHOT_DIR names a folder for the pictures of three variants.
class ParGenPictures : public ParGenFixture {};

TEST_F(ParGenPictures, VariantsKqKfKw) {
  const QString Saved_Code = SW_Code;
  SW_Code = QStringLiteral("ZIDI");
  const auto Restore = qScopeGuard([&] { SW_Code = Saved_Code; });
  const QString Dir = QString::fromLocal8Bit(qgetenv("ZIDI_SCREENSHOT_DIR"));
  const std::vector<std::pair<const char*, TSetup>> Variants = {
      {"KQ",
       [](TFParGen* F) {
         for (const char* Name : {"CB_MQTT_CleanSession", "CB_MQTT_WillFlag", "CB_MQTT_Will_Retained",
                                  "CB_MQTT_PublishTopicConnection", "CB_MQTT_Connection_Retained",
                                  "CB_Ethernet_En_GAT", "CB_WiFi_En_DHCP", "CB_TLS_Enable", "CB_TLS_En_Server_Auth",
                                  "CB_TLS_En_Client_Auth"})
           Check(F, Name, true);
         Pick(F, "CB_WiFi_SecureType", 3);
       }},
      {"KF", [](TFParGen* F) { Pick(F, "CB_BACnet_Master_Type", 1); }},
      {"KW",
       [](TFParGen* F) {
         Check(F, "CB_SNMP_Agent_Version3", true);
         Pick(F, "CB_SNMP_Agent_SecurityLevel", 2);
       }},
  };
  for (const auto& [Code, Setup] : Variants) {
    std::unique_ptr<TFParGen> F(NewForm<TFParGen>(nullptr, QString::fromLatin1(Code)));
    Setup(F.get());
    F->Move_GroupBoxs();
    // Tall enough for every panel of the variant.
    int Total = 0;
    for (int i = 0; i < F->CPG->PanelCount(); ++i)
      if (F->CPG->Panels(i)->Visible()) Total += F->CPG->Panels(i)->Height();
    F->SetClientHeight(Total + 69 + 40);
    const QImage Img = GrabControl(F.get());
    EXPECT_FALSE(Img.isNull());
    if (!Dir.isEmpty()) { EXPECT_TRUE(Img.save(Dir + QStringLiteral("/ParGen_%1.png").arg(QLatin1String(Code)), "PNG")); }
  }
}

}  // namespace
