// The panels of the communication-settings window and the panels each
// variant of the product family shows.
#include <map>

#include "gateway/UParGen_p.h"

namespace {

std::vector<TParGen_Panel_Def> Make_Panels() {
  std::vector<TParGen_Panel_Def> P;
  P.push_back({"CP_Ethernet_Connection", 1151,
               {
                   {rkEdit, "L_EthConn_Device_Name", "E_EthConn_Device_Name", 1152, 1153, nullptr, 31},
                   {rkBox, "CB_EthConn_En_DHCP_Cable", nullptr, 1154, 1155},
                   {rkBox, "CB_EthConn_En_DHCP_WiFi", nullptr, 1156, 1157, nullptr, 0, true},
                   {rkBox, "CB_EthConn_Enable_DNS", nullptr, 1158, 1159},
                   {rkOctets, "L_EthConn_Primary_DNS", "E_EthConn_Pri_DNS_IP", 1160, 1161},
                   {rkOctets, "L_EthConn_Secondary_DNS", "E_EthConn_Sec_DNS_IP", 1165, 1166},
               },
               "E_EthConn_Sec_DNS_IP4",
               {}});
  P.push_back({"CP_OPC_UA_Server", 406,
               {
                   {rkOctets, "L_OPC_UA_Server_IP", "E_OPC_UA_Server_IP", 407, 408},
                   {rkOctets, "L_OPC_UA_Server_SM", "E_OPC_UA_Server_SM", 412, 413},
                   {rkBoxOctets, "CB_OPC_UA_Server_En_GAT", "E_OPC_UA_Server_GAT", 417, 418},
                   {rkEdit, "L_OPC_UA_Server_Port", "E_OPC_UA_Server_Port", 1134, 1135},
               },
               "E_OPC_UA_Server_Port",
               {"E_OPC_UA_Server_IP", "E_OPC_UA_Server_SM", "E_OPC_UA_Server_GAT"}});
  P.push_back({"CP_Modbus_Master", 879,
               {
                   {rkList, "L_ModbusMaster_Serial", "CB_ModbusMaster_Serial", 880, 881, "RS232|RS485"},
                   {rkList, "L_ModbusMaster_Baudrate", "CB_ModbusMaster_Baudrate", 882, 883,
                    "1200|2400|4800|9600|19200|38400|57600|115200"},
                   {rkList, "L_ModbusMaster_Parity", "CB_ModbusMaster_Parity", 884, 885, "NONE|ODD|EVEN"},
                   {rkList, "L_ModbusMaster_StopBits", "CB_ModbusMaster_StopBits", 886, 887,
                    "1 Stop Bits|2 Stop Bits"},
                   {rkEdit, "L_ModbusMaster_TimeOut", "E_ModbusMaster_TimeOut", 888, 889},
                   {rkEdit, "L_ModbusMaster_CyclicDelay", "E_ModbusMaster_CyclicDelay", 890, 891},
               },
               "E_ModbusMaster_CyclicDelay",
               {}});
  P.push_back({"CP_NTP", 564,
               {
                   {rkEdit, "L_NTP_Server_URL", "E_NTP_Server_URL", 565, 566},
                   {rkEdit, "L_NTP_Poll_Time", "E_NTP_Poll_Time", 567, 568},
               },
               "E_NTP_Poll_Time",
               {}});
  // The panels of the other variants.
  const std::pair<const char*, int> Others[] = {
      {"CP_Serial", 913},         {"CP_Modbus_Slave", 569},      {"CP_Modbus_TCP_Master", 892},
      {"CP_Modbus_TCP_Slave", 582}, {"CP_BACnet_Master", 795},   {"CP_BACnet_Slave", 836},
      {"CP_CAN", 601},            {"CP_CANopen", 604},           {"CP_DeviceNet_Master", 634},
      {"CP_DeviceNet_Slave", 625}, {"CP_DMX", 709},              {"CP_EtherNetIP_Master", 758},
      {"CP_EtherNetIP", 639},     {"CP_J1939", 616},             {"CP_KNX", 714},
      {"CP_MQTT", 423},           {"CP_Ethernet", 450},          {"CP_WiFi", 473},
      {"CP_TLS", 549},            {"CP_NMEA2000", 702},          {"CP_PROFINET", 665},
      {"CP_PROFIBUS", 693},       {"CP_SNMP_Manager", 777},      {"CP_SNMP_Agent", 719},
  };
  for (const auto& [Name, Caption] : Others) P.push_back({Name, Caption, {}, nullptr, {}});
  return P;
}

}  // namespace

const std::vector<TParGen_Panel_Def>& ParGen_Panels() {
  static const std::vector<TParGen_Panel_Def> Panels = Make_Panels();
  return Panels;
}

const TParGen_Panel_Def* ParGen_Panel(const QString& Name) {
  for (const TParGen_Panel_Def& Def : ParGen_Panels())
    if (Name == QLatin1String(Def.Name)) return &Def;
  return nullptr;
}

std::vector<QString> ParGen_Variant_Panels(const QString& Variant_Code) {
  // Every variant but KQ shows the Ethernet connection, the OPC UA server, its
  // own protocol and NTP; KR and KT show nothing.
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
      {"KS", {"CP_NMEA2000"}},
      {"KU", {"CP_PROFINET"}},
      {"KV", {"CP_SNMP_Manager"}},
      {"KW", {"CP_SNMP_Agent"}},
  };
  const auto It = Protocols.find(Variant_Code);
  if (It == Protocols.end()) return {};
  std::vector<QString> Panels = {QStringLiteral("CP_Ethernet_Connection"), QStringLiteral("CP_OPC_UA_Server")};
  for (const char* Name : It->second) Panels.push_back(QString::fromLatin1(Name));
  Panels.push_back(QStringLiteral("CP_NTP"));
  return Panels;
}
