// The creation order of the program's windows.
#include "app/UProgram.h"

#include "app/UPlaceholderWindows.h"
#include "gateway/UBoot.h"
#include "gateway/UOPC_UA_Server_Access.h"
#include "gateway/UParGen.h"
#include "gateway/USetAccess.h"
#include "platform/ui/Forms.h"
#include "shell/UAbout.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/UProgramWindows.h"
#include "shell/USoftOptions.h"
#include "shell/UVarneltoeFirmWare.h"

namespace {

// Creates a window of a layer above the shell and lets the main window reach it.
template <typename T>
void Create_Window(T*& Instance, TProgram_Window Which) {
  Application->CreateForm(Instance);
  T* form = Instance;
  Register_Program_Window(Which, form, [form] { form->Set_Lang(); });
}

}  // namespace

void Create_Program_Windows() {
  // The main window fills the text table and SW_Code, which every other
  // window's creation reads: it comes first.
  Application->CreateForm(FVarneltoeFirmWare);
  Application->CreateForm(FNew_Project);
  Application->CreateForm(FOpenConf);
  Application->CreateForm(FAbout);
  Application->CreateForm(FSoftOptions);
  Create_Window(FParGen, pwParGen);
  Create_Window(FOPC_UA_Server_Access, pwOPC_UA_Server_Access);
  Create_Window(FBoot, pwBoot);
  Program_Routines.Update_Device = [] { Update_Device(); };
  Create_Window(FSetAccess, pwSetAccess);
  Create_Window(FProfinetFileName, pwProfinetFileName);
  Create_Window(FBACnet_Eng_Unit, pwBACnet_Eng_Unit);
  Create_Window(FBACnetSlaveSetAccess, pwBACnetSlaveSetAccess);
  Create_Window(FReceiveCAN, pwReceiveCAN);
  Create_Window(FTransmitCAN, pwTransmitCAN);
  Create_Window(FBACnetAccess, pwBACnetAccess);
  Create_Window(FImportEDEFile, pwImportEDEFile);
  Create_Window(FModbus_TCP_Master_Set_Access, pwModbus_TCP_Master_Set_Access);
  Create_Window(FSet_PDO_Access, pwSet_PDO_Access);
  Create_Window(FSet_SDO_Client_Access, pwSet_SDO_Client_Access);
  Create_Window(FSet_SDO_Server_Access, pwSet_SDO_Server_Access);
  Create_Window(FMQTT_Set_Topic, pwMQTT_Set_Topic);
  Create_Window(FTopicTemplate, pwTopicTemplate);
  Create_Window(FDefOffset, pwDefOffset);
  Create_Window(FDNet, pwDNet);
  Create_Window(FDMXDefVal, pwDMXDefVal);
  Create_Window(FReceiveJ1939, pwReceiveJ1939);
  Create_Window(FTransmitJ1939, pwTransmitJ1939);
  Create_Window(FKNXAccess, pwKNXAccess);
  Create_Window(FReceiveNMEA, pwReceiveNMEA);
  Create_Window(FTransmitNMEA, pwTransmitNMEA);
  Create_Window(FSNMPManagerAccess, pwSNMPManagerAccess);
  Create_Window(FSNMP_Trap_Access, pwSNMP_Trap_Access);
  Create_Window(FEtherNetIP_Master_Access, pwEtherNetIP_Master_Access);
  Create_Window(FEtherNEtIP_EDS, pwEtherNEtIP_EDS);
}
