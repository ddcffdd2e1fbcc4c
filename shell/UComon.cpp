#include "shell/UComon.h"

const QString Program_Version = QStringLiteral("1.003");

QString Dir_Exe;
QString Dir_Master;
QString Dir_Projects;
QString Dir_Language;

QString Name_Project;
QString Dir_Project;

QString File_XML_ParGen;
QString File_XML_OPC_UA_Server;
QString File_XML_ModbusM_SetAccess;
QString File_XML_BACnet_Slave;
QString File_XML_CAN_Rec_Frames;
QString File_XML_CAN_Send_Frames;
QString File_XML_BACnet_Master_Access;
QString File_XML_ModbusTCPM_SetAccess;
QString File_XML_SDO_Server_CANopen;
QString File_XML_SDO_Client_CANopen;
QString File_XML_PDO_CANopen;
QString File_XML_MQTT_Set_Topic;
QString File_XML_DNETM_Net;
QString File_XML_DNETM_DefOff;
QString File_XML_DMX_Default_Values;
QString File_XML_J1939_Rec_Frames;
QString File_XML_J1939_Send_Frames;
QString File_XML_KNX_SetAccess;
QString File_XML_NMEA_Rec_Frames;
QString File_XML_NMEA_Send_Frames;
QString File_XML_SNMP_Manager;
QString File_XML_SNMP_Trap;
QString File_XML_EtherNetIP_Master_Rules;

QString SW_Title;
QString SW_Code;
QString SW_Desc;

const QString SW_Title_Text =
    QStringLiteral("Tarvix - Configurator ZIDI - OPC UA Server / Modbus Master ");
const QString SW_Code_Text = QStringLiteral("ZIDI");
const QString SW_Desc_Text = QStringLiteral("OPC UA Server / Modbus Master - Converter");

QString Last_IP_Address;
int Last_Update_Option = 0;
bool Last_Read_Back = true;
const QString Default_IP_Address = QStringLiteral("192.168.2.205");

QString Name_Language;

bool Opt_Enable_Internet = false;
bool Opt_Enable_Update = false;
bool Opt_Jump_Field_Tables = false;
bool Opt_Double_Click_Auto_Size = false;

std::vector<bool> Copy_Row_Is_Check;

QString Dir_EDE_File;

void Set_Files() {
  const QString base = Dir_Project + QLatin1Char('/');
  File_XML_ParGen = base + QLatin1String("ParGen.xml");
  File_XML_OPC_UA_Server = base + QLatin1String("OPC_UA_Server.xml");
  File_XML_ModbusM_SetAccess = base + QLatin1String("ModbusM_SetAccess.xml");
  File_XML_BACnet_Slave = base + QLatin1String("BACnet_Slave.xml");
  File_XML_CAN_Rec_Frames = base + QLatin1String("CAN_Rec_Frames.xml");
  File_XML_CAN_Send_Frames = base + QLatin1String("CAN_Send_Frames.xml");
  File_XML_BACnet_Master_Access = base + QLatin1String("BACnet_Master_Access.xml");
  File_XML_ModbusTCPM_SetAccess = base + QLatin1String("ModbusTCPM_SetAccess.xml");
  File_XML_SDO_Server_CANopen = base + QLatin1String("SDO_Server_CANopen.xml");
  File_XML_SDO_Client_CANopen = base + QLatin1String("SDO_Client_CANopen.xml");
  File_XML_PDO_CANopen = base + QLatin1String("PDO_CANopen.xml");
  File_XML_MQTT_Set_Topic = base + QLatin1String("MQTT_Set_Topic.xml");
  File_XML_DNETM_Net = base + QLatin1String("DNETM_Net.xml");
  File_XML_DNETM_DefOff = base + QLatin1String("DNETM_DefOff.xml");
  File_XML_DMX_Default_Values = base + QLatin1String("DMX_Default_Values.xml");
  File_XML_J1939_Rec_Frames = base + QLatin1String("J1939_Rec_Frames.xml");
  File_XML_J1939_Send_Frames = base + QLatin1String("J1939_Send_Frames.xml");
  File_XML_KNX_SetAccess = base + QLatin1String("KNX_SetAccess.xml");
  File_XML_NMEA_Rec_Frames = base + QLatin1String("NMEA_Rec_Frames.xml");
  File_XML_NMEA_Send_Frames = base + QLatin1String("NMEA_Send_Frames.xml");
  File_XML_SNMP_Manager = base + QLatin1String("SNMP_Manager.xml");
  File_XML_SNMP_Trap = base + QLatin1String("SNMP_Trap.xml");
  File_XML_EtherNetIP_Master_Rules = base + QLatin1String("EtherNetIP_Master_Rules.xml");
}
