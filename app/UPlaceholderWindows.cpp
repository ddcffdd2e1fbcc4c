// Stand-ins for the windows not built yet.
#include "app/UPlaceholderWindows.h"

#include "platform/rtl/Classes.h"
#include "shell/UComon.h"
#include "shell/UDialogParts.h"
#include "shell/ULanguage.h"

TPlaceholder_Window::TPlaceholder_Window(TComponent* AOwner, const char* Name, int Caption_Text,
                                         int Desc_Text)
    : TForm(AOwner), FCaption_Text(Caption_Text), FDesc_Text(Desc_Text) {
  SetName(QString::fromLatin1(Name));
  Setup_Shell_Window(this, false);
  SetClientWidth(449);
  SetClientHeight(109);
  P_Title = New_Title_Panel(this, L_SW_Code, L_SW_Desc);
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

void TPlaceholder_Window::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Lang();
}

void TPlaceholder_Window::Set_Lang() {
  SetCaption(SL_Language->Strings(FCaption_Text));
  L_SW_Desc->SetCaption(SL_Language->Strings(FDesc_Text));
}

TFProfinetFileName* FProfinetFileName = nullptr;
TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;
TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;
TFBACnetAccess* FBACnetAccess = nullptr;
TFImportEDEFile* FImportEDEFile = nullptr;
TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;
TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;
TFTopicTemplate* FTopicTemplate = nullptr;
TFKNXAccess* FKNXAccess = nullptr;
TFSNMPManagerAccess* FSNMPManagerAccess = nullptr;
TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;
TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access = nullptr;
TFEtherNEtIP_EDS* FEtherNEtIP_EDS = nullptr;
TFReceiveCAN* FReceiveCAN = nullptr;
TFTransmitCAN* FTransmitCAN = nullptr;
TFSet_PDO_Access* FSet_PDO_Access = nullptr;
TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;
TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;
TFDefOffset* FDefOffset = nullptr;
TFDNet* FDNet = nullptr;
TFDMXDefVal* FDMXDefVal = nullptr;
TFReceiveJ1939* FReceiveJ1939 = nullptr;
TFTransmitJ1939* FTransmitJ1939 = nullptr;
TFReceiveNMEA* FReceiveNMEA = nullptr;
TFTransmitNMEA* FTransmitNMEA = nullptr;
