// Program state shared by every window: the program's folders, the open
// configuration and the path of each window's file inside it, the texts that
// identify the software, the last values of the update window and the user's
// options; the settings file Varnelto.xml; the field validators.
#pragma once

#include <QString>
#include <vector>

#include "platform/Types.h"

// The program version: shown by the about window, compared by the version check
// and written into the device image.
extern const QString Program_Version;  // "1.003"

// Folders of the program. Dir_Exe is the folder of the executable without a
// trailing separator; the other three lie directly inside it.
extern QString Dir_Exe;
extern QString Dir_Master;    // Dir_Exe + "/MASTER": the device firmware file
extern QString Dir_Projects;  // Dir_Exe + "/PROJECTS": one subfolder per configuration
extern QString Dir_Language;  // Dir_Exe + "/LANGUAGE": language files and flag pictures

// The open configuration. Both are empty when none is open; otherwise
// Dir_Project is Dir_Projects + "/" + Name_Project.
extern QString Name_Project;
extern QString Dir_Project;

// Per-window files inside Dir_Project, set together by Set_Files.
extern QString File_XML_ParGen;
extern QString File_XML_OPC_UA_Server;
extern QString File_XML_ModbusM_SetAccess;
extern QString File_XML_BACnet_Slave;
extern QString File_XML_CAN_Rec_Frames;
extern QString File_XML_CAN_Send_Frames;
extern QString File_XML_BACnet_Master_Access;
extern QString File_XML_ModbusTCPM_SetAccess;
extern QString File_XML_SDO_Server_CANopen;
extern QString File_XML_SDO_Client_CANopen;
extern QString File_XML_PDO_CANopen;
extern QString File_XML_MQTT_Set_Topic;
extern QString File_XML_DNETM_Net;
extern QString File_XML_DNETM_DefOff;
extern QString File_XML_DMX_Default_Values;
extern QString File_XML_J1939_Rec_Frames;
extern QString File_XML_J1939_Send_Frames;
extern QString File_XML_KNX_SetAccess;
extern QString File_XML_NMEA_Rec_Frames;
extern QString File_XML_NMEA_Send_Frames;
extern QString File_XML_SNMP_Manager;
extern QString File_XML_SNMP_Trap;
extern QString File_XML_EtherNetIP_Master_Rules;

// Texts identifying the software, set by the main window at start.
extern QString SW_Title;  // window title (ends with a blank)
extern QString SW_Code;   // software code shown in every window's L_SW_Code
extern QString SW_Desc;   // product description

// The fixed values the main window gives SW_Title, SW_Code and SW_Desc.
extern const QString SW_Title_Text;
extern const QString SW_Code_Text;
extern const QString SW_Desc_Text;

// Last values of the update window. Only the address is kept in the settings
// file; the option (0 firmware and configuration, 1 firmware only,
// 2 configuration only) and the read-back choice last while the program runs.
extern QString Last_IP_Address;
extern int Last_Update_Option;
extern bool Last_Read_Back;
extern const QString Default_IP_Address;  // "192.168.2.205"

// The current language: the name of its .lng file without extension.
extern QString Name_Language;

// User options, off unless the settings file turns them on.
extern bool Opt_Enable_Internet;
extern bool Opt_Enable_Update;
extern bool Opt_Jump_Field_Tables;
extern bool Opt_Double_Click_Auto_Size;

// Check-box flags of the row in the row clipboard, one per copied column.
extern std::vector<bool> Copy_Row_Is_Check;

// Folder of the last imported BACnet EDE file; empty at start.
extern QString Dir_EDE_File;

// Sets the 23 per-window file paths from Dir_Project.
void Set_Files();
