// The panels of the communication-settings window and the panels each
// variant of the product family shows.
#include <map>

#include "gateway/UParGen_p.h"

namespace {

using Rows = std::vector<TParGen_Row_Def>;

// Address rows of a panel whose controls share the prefix P ("L_<P>_IP",
// "E_<P>_IP1" ...), from its text T on: the address and the mask, each a
// label and four octets with their hints.
Rows Address_Rows(const QString& P, int T, const QString& Show_When = QString()) {
  TParGen_Row_Def IP{rkOctets, "L_" + P + "_IP", "E_" + P + "_IP", T, T + 1};
  TParGen_Row_Def SM{rkOctets, "L_" + P + "_SM", "E_" + P + "_SM", T + 5, T + 6};
  IP.Show_When = SM.Show_When = Show_When;
  return {IP, SM};
}
// The gateway behind a check box (caption T, box hint T + 1, octets T + 2 on).
TParGen_Row_Def Gateway_Box(const QString& P, int T, const QString& Show_When = QString()) {
  TParGen_Row_Def R{rkBoxOctets, "CB_" + P + "_En_GAT", "E_" + P + "_GAT", T, T + 1};
  R.Show_When = Show_When;
  return R;
}
// The gateway as a label and octets (label T, octets T + 1 on).
TParGen_Row_Def Gateway_Label(const QString& P, int T, const QString& Show_When = QString()) {
  TParGen_Row_Def R{rkOctets, "L_" + P + "_GAT", "E_" + P + "_GAT", T, T + 1};
  R.Show_When = Show_When;
  return R;
}
std::vector<QString> Octets_Of(const QString& P) { return {"E_" + P + "_IP#", "E_" + P + "_SM#", "E_" + P + "_GAT#"}; }

Rows Join(std::initializer_list<Rows> Parts) {
  Rows R;
  for (const Rows& Part : Parts) R.insert(R.end(), Part.begin(), Part.end());
  return R;
}
TParGen_Row_Def When(TParGen_Row_Def R, const QString& Show_When) {
  R.Show_When = Show_When;
  return R;
}

const QString Serial_Items = QStringLiteral("RS232|RS485");
const QString Baud_Items = QStringLiteral("1200|2400|4800|9600|19200|38400|57600|115200");
const QString Parity_Items = QStringLiteral("NONE|ODD|EVEN");
const QString Stop_Items = QStringLiteral("1 Stop Bits|2 Stop Bits");
const QString CAN_Baud_Items = QStringLiteral("10K|20K|50K|100K|125K|250K|500K|800K|1000K");
const QString DNet_Baud_Items = QStringLiteral("125K|250K|500K");
const QString MSTP_Baud_Items = QStringLiteral("9600|19200|38400|57600|76800|115200");
const QString BACnet_Type_Items = QStringLiteral("BACnet/IP|BACnet MS/TP");

// The BACnet master and slave panels: the type list, the BACnet/IP rows and
// the MS/TP rows (from text T of the block on).
Rows BACnet_Rows(const QString& Side, int T, bool Slave) {
  const QString IP = "BACnet_IP_" + Side;
  const QString MSTP = "BACnet_MSTP_" + Side;
  const QString Type = "CB_BACnet_" + Side + "_Type";
  const QString On_IP = Type + "=0";
  const QString On_MSTP = Type + "!=0";
  Rows R = {{rkList, "L_BACnet_" + Side + "_Type", Type, T, T + 1, BACnet_Type_Items}};
  R = Join({R, Address_Rows(IP, T + 2, On_IP)});
  R.push_back(Gateway_Box(IP, T + 12, On_IP));
  int t = T + 18;
  R.push_back(When({rkEdit, "L_" + IP + "_Port", "E_" + IP + "_Port", t, t + 1}, On_IP));
  R.push_back(When({rkEdit, "L_" + IP + "_Device_Name", "E_" + IP + "_Device_Name", t + 2, t + 3}, On_IP));
  R.push_back(When({rkEdit, "L_" + IP + "_Device_ID", "E_" + IP + "_Device_ID", t + 4, t + 5}, On_IP));
  t += 6;
  if (!Slave) {
    R.push_back(When({rkEdit, "L_" + IP + "_TimeOut_Polling", "E_" + IP + "_TimeOut_Polling", t, t + 1}, On_IP));
    t += 2;
  }
  R.push_back(When({rkList, "L_" + MSTP + "_Baudrate", "CB_" + MSTP + "_Baudrate", t, t + 1, MSTP_Baud_Items}, On_MSTP));
  R.push_back(When({rkList, "L_" + MSTP + "_Parity", "CB_" + MSTP + "_Parity", t + 2, t + 3, Parity_Items}, On_MSTP));
  R.push_back(When({rkEdit, "L_" + MSTP + "_Device_Name", "E_" + MSTP + "_Device_Name", t + 4, t + 5}, On_MSTP));
  R.push_back(When({rkEdit, "L_" + MSTP + "_MAC_Address", "E_" + MSTP + "_MAC_Address", t + 6, t + 7}, On_MSTP));
  R.push_back(When({rkEdit, "L_" + MSTP + "_Max_Master", "E_" + MSTP + "_Max_Master", t + 8, t + 9}, On_MSTP));
  R.push_back(When({rkEdit, "L_" + MSTP + "_Max_Info_Frame", "E_" + MSTP + "_Max_Info_Frame", t + 10, t + 11}, On_MSTP));
  R.push_back(When({rkEdit, "L_" + MSTP + "_Device_Instance", "E_" + MSTP + "_Device_Instance", t + 12, t + 13}, On_MSTP));
  t += 14;
  if (Slave) {
    R.push_back(When({rkEdit, "L_" + MSTP + "_NetWork", "E_" + MSTP + "_NetWork", t, t + 1}, On_MSTP));
    R.push_back({rkBox, "CB_BACnet_Slave_Desc_32_Chars", {}, t + 2, t + 3});
  }
  return R;
}

std::vector<TParGen_Panel_Def> Make_Panels() {
  std::vector<TParGen_Panel_Def> P;

  // ---- the panels of this variant ----
  P.push_back({"CP_Ethernet_Connection", 1151,
               {
                   {rkEdit, "L_EthConn_Device_Name", "E_EthConn_Device_Name", 1152, 1153, {}, 31},
                   {rkBox, "CB_EthConn_En_DHCP_Cable", {}, 1154, 1155},
                   {rkBox, "CB_EthConn_En_DHCP_WiFi", {}, 1156, 1157, {}, 0, true},
                   {rkBox, "CB_EthConn_Enable_DNS", {}, 1158, 1159},
                   {rkOctets, "L_EthConn_Primary_DNS", "E_EthConn_Pri_DNS_IP", 1160, 1161},
                   {rkOctets, "L_EthConn_Secondary_DNS", "E_EthConn_Sec_DNS_IP", 1165, 1166},
               }});
  P.push_back({"CP_OPC_UA_Server", 406,
               Join({Address_Rows("OPC_UA_Server", 407),
                     {Gateway_Box("OPC_UA_Server", 417),
                      {rkEdit, "L_OPC_UA_Server_Port", "E_OPC_UA_Server_Port", 1134, 1135}}}),
               Octets_Of("OPC_UA_Server")});
  P.push_back({"CP_Modbus_Master", 879,
               {
                   {rkList, "L_ModbusMaster_Serial", "CB_ModbusMaster_Serial", 880, 881, Serial_Items},
                   {rkList, "L_ModbusMaster_Baudrate", "CB_ModbusMaster_Baudrate", 882, 883, Baud_Items},
                   {rkList, "L_ModbusMaster_Parity", "CB_ModbusMaster_Parity", 884, 885, Parity_Items},
                   {rkList, "L_ModbusMaster_StopBits", "CB_ModbusMaster_StopBits", 886, 887, Stop_Items},
                   {rkEdit, "L_ModbusMaster_TimeOut", "E_ModbusMaster_TimeOut", 888, 889},
                   {rkEdit, "L_ModbusMaster_CyclicDelay", "E_ModbusMaster_CyclicDelay", 890, 891},
               }});
  P.push_back({"CP_NTP", 564,
               {
                   {rkEdit, "L_NTP_Server_URL", "E_NTP_Server_URL", 565, 566},
                   {rkEdit, "L_NTP_Poll_Time", "E_NTP_Poll_Time", 567, 568},
               }});

  // ---- the panels of the other variants ----
  P.push_back({"CP_Serial", 913,
               {
                   {rkList, "L_Serial_Serial", "CB_Serial_Serial", 914, 915, Serial_Items},
                   {rkList, "L_Serial_Baudrate", "CB_Serial_Baudrate", 916, 917, Baud_Items},
                   {rkList, "L_Serial_Parity", "CB_Serial_Parity", 918, 919, Parity_Items},
                   {rkList, "L_Serial_StopBits", "CB_Serial_StopBits", 920, 921, Stop_Items},
               }});
  P.push_back({"CP_Modbus_Slave", 569,
               {
                   {rkList, "L_ModbusSlave_Serial", "CB_ModbusSlave_Serial", 570, 571, Serial_Items},
                   {rkList, "L_ModbusSlave_Baudrate", "CB_ModbusSlave_Baudrate", 572, 573, Baud_Items},
                   {rkList, "L_ModbusSlave_Parity", "CB_ModbusSlave_Parity", 574, 575, Parity_Items},
                   {rkList, "L_ModbusSlave_StopBits", "CB_ModbusSlave_StopBits", 576, 577, Stop_Items},
                   {rkEdit, "L_ModbusSlave_ID_Device", "E_ModbusSlave_ID_Device", 578, 579},
                   {rkBox, "CB_ModbusSlave_ReadInput", {}, 580, 581},
               }});
  P.push_back({"CP_Modbus_TCP_Master", 892,
               Join({Address_Rows("ModbusTCPMaster", 893),
                     {Gateway_Box("ModbusTCPMaster", 903),
                      {rkEdit, "L_ModbusTCPMaster_TimeOut", "E_ModbusTCPMaster_TimeOut", 909, 910},
                      {rkEdit, "L_ModbusTCPMaster_CyclicDelay", "E_ModbusTCPMaster_CyclicDelay", 911, 912}}}),
               {"E_ModbusTCPMaster_IP#", "E_ModbusTCPMaster_SM#", "E_ModbusTCPMaster_GAT#", "CB_ModbusTCPMaster_En_GAT"}});
  P.push_back({"CP_Modbus_TCP_Slave", 582,
               Join({Address_Rows("ModbusTCPSlave", 583),
                     {Gateway_Box("ModbusTCPSlave", 593),
                      {rkEdit, "L_ModbusTCPSlave_Port", "E_ModbusTCPSlave_Port", 599, 600}}}),
               {"E_ModbusTCPSlave_IP#", "E_ModbusTCPSlave_SM#", "E_ModbusTCPSlave_GAT#", "CB_ModbusTCPSlave_En_GAT"}});
  P.push_back({"CP_BACnet_Master", 795, BACnet_Rows("Master", 796, false), Octets_Of("BACnet_IP_Master"),
               "CB_BACnet_Master_Type=0"});
  P.push_back({"CP_BACnet_Slave", 836, BACnet_Rows("Slave", 837, true), Octets_Of("BACnet_IP_Slave"),
               "CB_BACnet_Slave_Type=0"});
  P.push_back({"CP_CAN", 601, {{rkList, "L_CAN_Baudrate", "CB_CAN_Baudrate", 602, 603, CAN_Baud_Items}}});
  P.push_back({"CP_CANopen", 604,
               {
                   {rkEdit, "L_CANopen_ID_Device", "E_CANopen_ID_Device", 605, 606},
                   {rkList, "L_CANopen_Baudrate", "CB_CANopen_Baudrate", 607, 608, CAN_Baud_Items},
                   {rkBox, "CB_CANopen_Operational", {}, 609, 610},
                   {rkBoxEdit, "CB_CANopen_Start_Delay", "E_CANopen_Start_Delay", 611, 612},
                   {rkEdit, "L_CANopen_SDO_Timeout", "E_CANopen_SDO_Timeout", 614, 615},
               }});
  P.push_back({"CP_DeviceNet_Master", 634,
               {
                   {rkEdit, "L_DeviceNet_Master_ID_Device", "E_DeviceNet_Master_ID_Device", 635, 636},
                   {rkList, "L_DeviceNet_Master_Baudrate", "CB_DeviceNet_Master_Baudrate", 637, 638, DNet_Baud_Items},
               }});
  P.push_back({"CP_DeviceNet_Slave", 625,
               {
                   {rkEdit, "L_DeviceNet_Slave_ID_Device", "E_DeviceNet_Slave_ID_Device", 626, 627},
                   {rkList, "L_DeviceNet_Slave_Baudrate", "CB_DeviceNet_Slave_Baudrate", 628, 629, DNet_Baud_Items},
                   {rkEdit, "L_DeviceNet_Slave_NumByteIn", "E_DeviceNet_Slave_NumByteIn", 630, 631},
                   {rkEdit, "L_DeviceNet_Slave_NumByteOut", "E_DeviceNet_Slave_NumByteOut", 632, 633},
               }});
  P.push_back({"CP_DMX", 709,
               {
                   {rkList, "L_DMX_Type", "CB_DMX_Type", 710, 711, "IN|OUT"},
                   {rkEdit, "L_DMX_ChannelNum", "E_DMX_ChannelNum", 712, 713},
               }});
  P.push_back({"CP_EtherNetIP_Master", 758,
               Join({Address_Rows("EtherNetIP_Master", 759),
                     {Gateway_Box("EtherNetIP_Master", 769),
                      {rkEdit, "L_EtherNetIP_Master_Port", "E_EtherNetIP_Master_Port", 775, 776}}}),
               Octets_Of("EtherNetIP_Master")});
  P.push_back({"CP_EtherNetIP", 639,
               Join({Address_Rows("EtherNetIP", 640),
                     {Gateway_Box("EtherNetIP", 650),
                      {rkEdit, "L_EtherNetIP_Port", "E_EtherNetIP_Port", 656, 657},
                      {rkEdit, "L_EtherNetIP_NByte_In", "E_EtherNetIP_NByte_In", 658, 659},
                      {rkEdit, "L_EtherNetIP_NByte_Out", "E_EtherNetIP_NByte_Out", 660, 661}}}),
               Octets_Of("EtherNetIP")});
  P.push_back({"CP_J1939", 616,
               {
                   {rkList, "L_J1939_Baudrate", "CB_J1939_Baudrate", 617, 618, QStringLiteral("250K|500K")},
                   {rkEdit, "L_J1939_TimeOut", "E_J1939_TimeOut", 619, 620},
                   {rkBox, "CB_J1939_Peer_To_Peer", {}, 621, 622},
                   {rkEdit, "L_J1939_ID_Device", "E_J1939_ID_Device", 623, 624},
               }});
  P.push_back({"CP_KNX", 714,
               {
                   {rkList, "L_KNX_Type", "CB_KNX_Type", 715, 716, "KNX TP|KNXnet/IP"},
                   {rkEdit, "L_KNX_IDDevice", "E_KNX_IDDevice", 717, 718},
               }});
  {
    const QString Will = QStringLiteral("CB_MQTT_WillFlag=1");
    const QString Connection = QStringLiteral("CB_MQTT_PublishTopicConnection=1");
    P.push_back({"CP_MQTT", 423,
                 {
                     {rkEdit, "L_MQTT_Server", "E_MQTT_Server", 424, 425},
                     {rkEdit, "L_MQTT_Port", "E_MQTT_Port", 426, 427},
                     {rkEdit, "L_MQTT_ClientID", "E_MQTT_ClientID", 428, 429},
                     {rkEdit, "L_MQTT_KeepAlive", "E_MQTT_KeepAlive", 430, 431},
                     {rkBox, "CB_MQTT_CleanSession", {}, 432, 433},
                     {rkBox, "CB_MQTT_WillFlag", {}, 434, 435},
                     When({rkEdit, "L_MQTT_Will_TopicName", "E_MQTT_Will_TopicName", 436, 437}, Will),
                     When({rkEdit, "L_MQTT_Will_Message", "E_MQTT_Will_Message", 438, 439}, Will),
                     When({rkBox, "CB_MQTT_Will_Retained", {}, 440, 441}, Will),
                     When({rkList, "L_MQTT_Will_QoS", "CB_MQTT_Will_QoS", 442, 443, "0|1|2"}, Will),
                     {rkBox, "CB_MQTT_PublishTopicConnection", {}, 1143, 1144},
                     When({rkEdit, "L_MQTT_Connection_TopicName", "E_MQTT_Connection_TopicName", 1145, 1146}, Connection),
                     When({rkEdit, "L_MQTT_Connection_Message", "E_MQTT_Connection_Message", 1147, 1148}, Connection),
                     When({rkBox, "CB_MQTT_Connection_Retained", {}, 1149, 1150}, Connection),
                     {rkEdit, "L_MQTT_Username", "E_MQTT_Username", 444, 445},
                     {rkEdit, "L_MQTT_Password", "E_MQTT_Password", 446, 447},
                     When({rkEdit, "L_MQTT_ASync_Send_Time", "E_MQTT_ASync_Send_Time", 448, 449}, "never"),
                 }});
  }
  {
    TParGen_Row_Def TCP{rkEdit, "L_Ethernet_TCP_Port", "E_Ethernet_TCP_Port"};
    TCP.Show_When = QStringLiteral("never");
    TCP.Caption = QStringLiteral("TCP Port");
    TParGen_Row_Def UDP = TCP;
    UDP.Name = QStringLiteral("L_Ethernet_UDP_Port");
    UDP.Value = QStringLiteral("E_Ethernet_UDP_Port");
    UDP.Caption = QStringLiteral("UDP Port");
    P.push_back({"CP_Ethernet", 450,
                 Join({Address_Rows("Ethernet", 451), {Gateway_Box("Ethernet", 461), TCP, UDP}}),
                 {"E_Ethernet_IP#", "E_Ethernet_SM#", "E_Ethernet_GAT#", "CB_Ethernet_En_GAT"}});
  }
  {
    const QString AP = QStringLiteral("CB_WiFi_Type=0");
    const QString AP_Or_Client = QStringLiteral("CB_WiFi_Type=0|1");
    const QString Address = QStringLiteral("CB_WiFi_Type=0, CB_WiFi_Type=1;CB_WiFi_IP_Auto=0");
    const QString DHCP_Server = QStringLiteral("CB_WiFi_Type=0;CB_WiFi_En_DHCP=1");
    P.push_back({"CP_WiFi", 473,
                 {
                     {rkList, "L_WiFi_Type", "CB_WiFi_Type", 474, 475, "#476-478"},
                     When({rkBox, "CB_WiFi_IP_Auto", {}, 479, 480}, "CB_WiFi_Type=1"),
                     When({rkEdit, "L_WiFi_Name", "E_WiFi_Name", 501, 502}, "CB_WiFi_Type=1;CB_WiFi_IP_Auto=1"),
                     When({rkOctets, "L_WiFi_IP", "E_WiFi_IP", 481, 482}, Address),
                     When({rkOctets, "L_WiFi_SM", "E_WiFi_SM", 486, 487}, Address),
                     When({rkOctets, "L_WiFi_GAT", "E_WiFi_GAT", 491, 492}, Address),
                     When({rkOctets, "L_WiFi_DNS", "E_WiFi_DNS", 496, 497}, Address),
                     When({rkEdit, "L_WiFi_Port", "E_WiFi_Port", 503, 504}, AP_Or_Client),
                     When({rkEdit, "L_WiFi_SSID", "E_WiFi_SSID", 505, 506}, AP_Or_Client),
                     When({rkBox, "CB_WiFi_WPS", {}, 507, 508}, "never"),
                     When({rkList, "L_WiFi_SecureType", "CB_WiFi_SecureType", 511, 512, "#513-516"}, AP),
                     When({rkEdit, "L_WiFi_Password", "E_WiFi_Password", 509, 510},
                          "CB_WiFi_Type=0;CB_WiFi_SecureType!=0, CB_WiFi_Type=1"),
                     When({rkBox, "CB_WiFi_En_DHCP", {}, 517, 518}, AP),
                     When({rkOctets, "L_WiFi_DHCP_First", "E_WiFi_DHCP_First", 519, 520}, DHCP_Server),
                     When({rkOctets, "L_WiFi_DHCP_SM", "E_WiFi_DHCP_SM", 524, 525}, DHCP_Server),
                     When({rkEdit, "L_WiFi_DHCP_Lease", "E_WiFi_DHCP_Lease", 529, 530}, DHCP_Server),
                     When({rkEdit, "L_WiFi_MaxClient", "E_WiFi_MaxClient", 531, 532}, AP),
                     When({rkList, "L_WiFi_Channel", "CB_WiFi_Channel", 533, 534, "#537-548"}, AP),
                     When({rkBox, "CB_WiFi_Hidden_SSID", {}, 535, 536}, "never"),
                 },
                 {},
                 {},
                 AP_Or_Client});
  }
  {
    const QString On = QStringLiteral("CB_TLS_Enable=1");
    P.push_back({"CP_TLS", 549,
                 {
                     {rkBox, "CB_TLS_Enable", {}, 550, 551},
                     When({rkBox, "CB_TLS_En_Server_Auth", {}, 552, 553}, On),
                     When({rkEdit, "L_TLS_Server_Cert", "E_TLS_Server_Cert", 554, 555}, On + ";CB_TLS_En_Server_Auth=1"),
                     When({rkBox, "CB_TLS_En_Client_Auth", {}, 556, 557}, On),
                     When({rkEdit, "L_TLS_Client_Cert", "E_TLS_Client_Cert", 558, 559}, On + ";CB_TLS_En_Client_Auth=1"),
                     When({rkEdit, "L_TLS_Client_Cert_Key", "E_TLS_Client_Cert_Key", 560, 561},
                          On + ";CB_TLS_En_Client_Auth=1"),
                     When({rkEdit, "L_TLS_Client_Cert_Key_Pass", "E_TLS_Client_Cert_Key_Pass", 562, 563},
                          On + ";CB_TLS_En_Client_Auth=1"),
                 }});
  }
  P.push_back({"CP_NMEA2000", 702,
               {
                   {rkList, "L_NMEA2000_Baudrate", "CB_NMEA2000_Baudrate", 703, 704, QStringLiteral("250K")},
                   {rkEdit, "L_NMEA2000_TimeOut", "E_NMEA2000_TimeOut", 705, 706},
                   {rkBox, "CB_NMEA2000_Peer_To_Peer", {}, 707, 708},
               }});
  P.push_back({"CP_PROFINET", 665,
               Join({Address_Rows("PROFINET", 666),
                     {Gateway_Label("PROFINET", 676),
                      {rkEdit, "L_PROFINET_NameStation", "E_PROFINET_NameStation", 687, 688},
                      {rkEdit, "L_PROFINET_Tunneling_Port", "E_PROFINET_Tunneling_Port", 681, 682},
                      {rkEdit, "L_PROFINET_NByte_In", "E_PROFINET_NByte_In", 683, 684},
                      {rkEdit, "L_PROFINET_NByte_Out", "E_PROFINET_NByte_Out", 685, 686},
                      When({rkBox, "CB_PROFINET_Diagnostic", {}, 689, 690}, "never"),
                      When({rkEdit, "L_PROFINET_Diagnostic_Address", "E_PROFINET_Diagnostic_Address", 691, 692},
                           "never")}}),
               Octets_Of("PROFINET")});
  {
    TParGen_Panel_Def Profibus{"CP_PROFIBUS", 693,
                               {
                                   {rkEdit, "L_PROFIBUS_ID_Device", "E_PROFIBUS_ID_Device", 694, 695},
                                   {rkList, "L_PROFIBUS_Baudrate", "CB_PROFIBUS_Baudrate", 696, 697, "Auto Baudrate"},
                                   {rkEdit, "L_PROFIBUS_NByte_In", "E_PROFIBUS_NByte_In", 698, 699},
                                   {rkEdit, "L_PROFIBUS_NByte_Out", "E_PROFIBUS_NByte_Out", 700, 701},
                               }};
    Profibus.Has_Layout = false;
    P.push_back(Profibus);
  }
  P.push_back({"CP_SNMP_Manager", 777,
               Join({Address_Rows("SNMP_Manager", 778),
                     {Gateway_Label("SNMP_Manager", 788),
                      {rkEdit, "L_SNMP_Manager_NameStation", "E_SNMP_Manager_NameStation", 793, 794}}}),
               Octets_Of("SNMP_Manager")});
  {
    const QString V3 = QStringLiteral("CB_SNMP_Agent_Version3=1");
    P.push_back({"CP_SNMP_Agent", 719,
                 Join({Address_Rows("SNMP_Agent", 720),
                       {Gateway_Label("SNMP_Agent", 730),
                        {rkEdit, "L_SNMP_Agent_NameStation", "E_SNMP_Agent_NameStation", 735, 736},
                        {rkEdit, "L_SNMP_Agent_Contact", "E_SNMP_Agent_Contact", 737, 738},
                        {rkEdit, "L_SNMP_Agent_Location", "E_SNMP_Agent_Location", 739, 740},
                        {rkBox, "CB_SNMP_Agent_Version1", {}, 741, 742},
                        {rkBox, "CB_SNMP_Agent_Version2", {}, 743, 744},
                        {rkBox, "CB_SNMP_Agent_Version3", {}, 745, 746},
                        When({rkEdit, "L_SNMP_Agent_User", "E_SNMP_Agent_User", 747, 748}, V3),
                        When({rkList, "L_SNMP_Agent_SecurityLevel", "CB_SNMP_Agent_SecurityLevel", 749, 750,
                              "NoAuthority NoPrivacy|Authority NoPrivacy|Authority Privacy"},
                             V3),
                        When({rkEdit, "L_SNMP_Agent_Authority", "E_SNMP_Agent_Authority", 751, 752},
                             V3 + ";CB_SNMP_Agent_SecurityLevel=1|2"),
                        When({rkList, "L_SNMP_Agent_AuthorityMode", "CB_SNMP_Agent_AuthorityMode", 753, 754, "MD5|SHA"},
                             V3 + ";CB_SNMP_Agent_SecurityLevel=1|2"),
                        When({rkEdit, "L_SNMP_Agent_Privacy", "E_SNMP_Agent_Privacy", 755, 756},
                             V3 + ";CB_SNMP_Agent_SecurityLevel=2"),
                        When({rkList, "L_SNMP_Agent_PrivacyMode", "CB_SNMP_Agent_PrivacyMode", 757, -1, "DES|AES"},
                             V3 + ";CB_SNMP_Agent_SecurityLevel=2")}}),
                 Octets_Of("SNMP_Agent")});
  }
  return P;
}

}  // namespace

const std::vector<TParGen_Panel_Def>& ParGen_Panels() {
  static const std::vector<TParGen_Panel_Def> Panels = Make_Panels();
  return Panels;
}

const TParGen_Panel_Def* ParGen_Panel(const QString& Name) {
  for (const TParGen_Panel_Def& Def : ParGen_Panels())
    if (Def.Name == Name) return &Def;
  return nullptr;
}

namespace {

// Every variant but KQ shows the Ethernet connection, the OPC UA server, its
// own protocol and NTP; KR and KT show nothing.
const std::map<QString, std::vector<const char*>>& Variant_Protocols() {
  static const std::map<QString, std::vector<const char*>> Protocols = {
      {"KA", {"CP_Serial"}},
      {"KB", {"CP_Modbus_Master"}},
      {"KC", {"CP_Modbus_Slave"}},
      {"KD", {"CP_Modbus_TCP_Master"}},
      {"KE", {"CP_Modbus_TCP_Slave"}},
      {"KF", {"CP_BACnet_Master"}},
      {"KG", {"CP_BACnet_Slave"}},
      {"KH", {"CP_CAN"}},
      {"KI", {"CP_CANopen"}},
      {"KJ", {"CP_DeviceNet_Master"}},
      {"KK", {"CP_DeviceNet_Slave"}},
      {"KL", {"CP_DMX"}},
      {"KM", {"CP_EtherNetIP_Master"}},
      {"KN", {"CP_EtherNetIP"}},
      {"KO", {"CP_J1939"}},
      {"KP", {"CP_KNX"}},
      {"KQ", {"CP_MQTT", "CP_Ethernet", "CP_WiFi", "CP_TLS"}},
      {"KR", {}},
      {"KS", {"CP_NMEA2000"}},
      {"KT", {}},
      {"KU", {"CP_PROFINET"}},
      {"KV", {"CP_SNMP_Manager"}},
      {"KW", {"CP_SNMP_Agent"}},
  };
  return Protocols;
}

}  // namespace

const std::vector<QString>& ParGen_Variant_Codes() {
  static const std::vector<QString> Codes = [] {
    std::vector<QString> C;
    for (const auto& Entry : Variant_Protocols()) C.push_back(Entry.first);
    return C;
  }();
  return Codes;
}

std::vector<QString> ParGen_Variant_Panels(const QString& Variant_Code) {
  const auto It = Variant_Protocols().find(Variant_Code);
  if (It == Variant_Protocols().end() || It->second.empty()) return {};
  std::vector<QString> Panels = {QStringLiteral("CP_Ethernet_Connection"), QStringLiteral("CP_OPC_UA_Server")};
  for (const char* Name : It->second) Panels.push_back(QString::fromLatin1(Name));
  Panels.push_back(QStringLiteral("CP_NTP"));
  return Panels;
}

std::vector<QString> ParGen_Row_Controls(const TParGen_Row_Def& Row) {
  std::vector<QString> Names = {Row.Name};
  switch (Row.Kind) {
    case rkEdit:
    case rkList:
    case rkBoxEdit:
      Names.push_back(Row.Value);
      break;
    case rkBox:
      break;
    case rkOctets:
    case rkBoxOctets:
      for (int i = 1; i <= 4; ++i) {
        Names.push_back(Row.Value + QString::number(i));
        if (i < 4) Names.push_back(Row.Value + QString::number(i) + QStringLiteral("_Dot"));
      }
      break;
  }
  return Names;
}
