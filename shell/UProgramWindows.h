// The windows and routines of the layers above the shell that the main window
// reaches. The shell cannot name their classes, so the program block, which
// creates every window, registers each of these instances here as it creates
// it, with the operation that re-applies its texts; the routines behind some
// of the main window's buttons are registered the same way. A window that is
// destroyed is forgotten at once.
#pragma once

#include <QString>
#include <functional>

class TCustomForm;

// The windows of the layers above the shell, in the order in which the main
// window's language change re-applies their texts.
enum TProgram_Window {
  pwBoot,
  pwParGen,
  pwOPC_UA_Server_Access,
  pwSetAccess,
  pwBACnetSlaveSetAccess,
  pwBACnet_Eng_Unit,
  pwReceiveCAN,
  pwTransmitCAN,
  pwBACnetAccess,
  pwImportEDEFile,
  pwModbus_TCP_Master_Set_Access,
  pwSet_PDO_Access,
  pwSet_SDO_Client_Access,
  pwSet_SDO_Server_Access,
  pwMQTT_Set_Topic,
  pwTopicTemplate,
  pwDNet,
  pwDefOffset,
  pwDMXDefVal,
  pwReceiveJ1939,
  pwTransmitJ1939,
  pwKNXAccess,
  pwReceiveNMEA,
  pwTransmitNMEA,
  pwSNMPManagerAccess,
  pwSNMP_Trap_Access,
  pwEtherNetIP_Master_Access,
  pwEtherNEtIP_EDS,
  // Its texts are applied only when it is created.
  pwProfinetFileName,
  pwCount
};

// Registers the instance of a window and the operation that re-applies its
// texts (empty for a window that takes none). Form nullptr forgets the window.
void Register_Program_Window(TProgram_Window Which, TCustomForm* Form,
                             std::function<void()> Set_Lang);

// The registered instance, or nullptr.
TCustomForm* Program_Window(TProgram_Window Which);

// Re-applies the texts of the registered window; nothing when none is.
void Set_Lang_Program_Window(TProgram_Window Which);

// Routines of the layers above the shell behind buttons of the main window;
// a routine that is not registered does nothing.
struct TProgram_Routines {
  // Builds and writes the device image and opens the update window.
  std::function<void()> Update_Device;
  // The exports of the BACnet EDE file, the PROFINET GSDML file and the SNMP MIB.
  std::function<void()> BACnet_EDE_File;
  std::function<void()> PROFINET_XML;
  std::function<void()> Build_MIB_File;
  // Writes the CANopen EDS description of the open configuration to Path.
  std::function<void(const QString& Path)> Write_EDS_File;
};
extern TProgram_Routines Program_Routines;
