// Stand-ins for the windows of the communication settings, the tables and the
// exports that are not built yet. Each takes the place
// of its window in the creation order under the window's own class and
// instance name, shows the software code and applies the window's caption
// and description texts. When a window is built in its own layer, its class
// here is removed and the program block includes the real one instead.
#pragma once

#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

// A window with the title panel only.
class TPlaceholder_Window : public TForm {
 public:
  TPlaceholder_Window(TComponent* AOwner, const char* Name, int Caption_Text, int Desc_Text);

  TPanel* P_Title;
  TLabel* L_SW_Code;
  TLabel* L_SW_Desc;

  void FormCreate(TObject* Sender);
  // The window's caption and description texts.
  void Set_Lang();

 private:
  int FCaption_Text;
  int FDesc_Text;
};

#define ZIDI_PLACEHOLDER_WINDOW(Class, Instance, Caption_Text, Desc_Text)              \
  class Class : public TPlaceholder_Window {                                           \
   public:                                                                             \
    explicit Class(TComponent* AOwner)                                                 \
        : TPlaceholder_Window(AOwner, #Instance, Caption_Text, Desc_Text) {}           \
  };                                                                                   \
  extern Class* Instance;

// Building-automation and IP protocol tables.
ZIDI_PLACEHOLDER_WINDOW(TFProfinetFileName, FProfinetFileName, 1600, 1601)
ZIDI_PLACEHOLDER_WINDOW(TFBACnet_Eng_Unit, FBACnet_Eng_Unit, 1800, 1801)
ZIDI_PLACEHOLDER_WINDOW(TFBACnetSlaveSetAccess, FBACnetSlaveSetAccess, 1700, 1701)
ZIDI_PLACEHOLDER_WINDOW(TFBACnetAccess, FBACnetAccess, 2100, 2101)
ZIDI_PLACEHOLDER_WINDOW(TFImportEDEFile, FImportEDEFile, 2200, 2201)
ZIDI_PLACEHOLDER_WINDOW(TFModbus_TCP_Master_Set_Access, FModbus_TCP_Master_Set_Access, 2300, 2301)
ZIDI_PLACEHOLDER_WINDOW(TFMQTT_Set_Topic, FMQTT_Set_Topic, 2800, 2801)
ZIDI_PLACEHOLDER_WINDOW(TFTopicTemplate, FTopicTemplate, 2900, 2902)
ZIDI_PLACEHOLDER_WINDOW(TFKNXAccess, FKNXAccess, 3500, 3501)
ZIDI_PLACEHOLDER_WINDOW(TFSNMPManagerAccess, FSNMPManagerAccess, 3800, 3801)
ZIDI_PLACEHOLDER_WINDOW(TFSNMP_Trap_Access, FSNMP_Trap_Access, 3900, 3901)
ZIDI_PLACEHOLDER_WINDOW(TFEtherNetIP_Master_Access, FEtherNetIP_Master_Access, 4000, 4001)
ZIDI_PLACEHOLDER_WINDOW(TFEtherNEtIP_EDS, FEtherNEtIP_EDS, 4100, 4101)
// Fieldbus protocol tables.
ZIDI_PLACEHOLDER_WINDOW(TFReceiveCAN, FReceiveCAN, 1900, 1901)
ZIDI_PLACEHOLDER_WINDOW(TFTransmitCAN, FTransmitCAN, 2000, 2001)
ZIDI_PLACEHOLDER_WINDOW(TFSet_PDO_Access, FSet_PDO_Access, 2500, 2501)
ZIDI_PLACEHOLDER_WINDOW(TFSet_SDO_Client_Access, FSet_SDO_Client_Access, 2600, 2601)
ZIDI_PLACEHOLDER_WINDOW(TFSet_SDO_Server_Access, FSet_SDO_Server_Access, 2700, 2701)
ZIDI_PLACEHOLDER_WINDOW(TFDefOffset, FDefOffset, 3100, 3101)
ZIDI_PLACEHOLDER_WINDOW(TFDNet, FDNet, 3000, 3001)
ZIDI_PLACEHOLDER_WINDOW(TFDMXDefVal, FDMXDefVal, 3200, 3201)
ZIDI_PLACEHOLDER_WINDOW(TFReceiveJ1939, FReceiveJ1939, 3300, 3301)
ZIDI_PLACEHOLDER_WINDOW(TFTransmitJ1939, FTransmitJ1939, 3400, 3401)
ZIDI_PLACEHOLDER_WINDOW(TFReceiveNMEA, FReceiveNMEA, 3600, 3601)
ZIDI_PLACEHOLDER_WINDOW(TFTransmitNMEA, FTransmitNMEA, 3700, 3701)

#undef ZIDI_PLACEHOLDER_WINDOW
