#include <gtest/gtest.h>

#include "shell/UComon.h"

namespace {

struct PathCase {
  const QString* path;
  const char* file;
};

}  // namespace

TEST(ProgramState, SetFilesPutsEveryWindowFileInTheConfigurationFolder) {
  Dir_Projects = QStringLiteral("/opt/zidi/PROJECTS");
  Name_Project = QStringLiteral("Plant A 2");
  Dir_Project = Dir_Projects + QLatin1Char('/') + Name_Project;
  Set_Files();
  const PathCase cases[] = {
      {&File_XML_ParGen, "ParGen.xml"},
      {&File_XML_OPC_UA_Server, "OPC_UA_Server.xml"},
      {&File_XML_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
      {&File_XML_BACnet_Slave, "BACnet_Slave.xml"},
      {&File_XML_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
      {&File_XML_CAN_Send_Frames, "CAN_Send_Frames.xml"},
      {&File_XML_BACnet_Master_Access, "BACnet_Master_Access.xml"},
      {&File_XML_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
      {&File_XML_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
      {&File_XML_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
      {&File_XML_PDO_CANopen, "PDO_CANopen.xml"},
      {&File_XML_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
      {&File_XML_DNETM_Net, "DNETM_Net.xml"},
      {&File_XML_DNETM_DefOff, "DNETM_DefOff.xml"},
      {&File_XML_DMX_Default_Values, "DMX_Default_Values.xml"},
      {&File_XML_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
      {&File_XML_J1939_Send_Frames, "J1939_Send_Frames.xml"},
      {&File_XML_KNX_SetAccess, "KNX_SetAccess.xml"},
      {&File_XML_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
      {&File_XML_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
      {&File_XML_SNMP_Manager, "SNMP_Manager.xml"},
      {&File_XML_SNMP_Trap, "SNMP_Trap.xml"},
      {&File_XML_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules.xml"},
  };
  ASSERT_EQ(std::size(cases), 23u);
  for (const PathCase& c : cases)
    EXPECT_EQ(*c.path, QStringLiteral("/opt/zidi/PROJECTS/Plant A 2/") + QLatin1String(c.file));
  Name_Project.clear();
  Dir_Project.clear();
}

TEST(ProgramState, StartValuesOfTheUpdateWindowState) {
  EXPECT_EQ(Last_Update_Option, 0);
  EXPECT_TRUE(Last_Read_Back);
  EXPECT_EQ(Program_Version, QStringLiteral("1.003"));
  EXPECT_TRUE(SW_Title_Text.endsWith(QLatin1Char(' ')));
}
