// The main window: the numbered steps that lead the user from creating or
// opening a configuration to updating the device, the state of the open
// configuration, and the start-up work of the whole program (text table,
// program folders, settings file, texts, last configuration, file paths).
// One click handler serves every button; the other windows are reached through
// their instances (the shell's own) or through the windows and routines the
// program block registers (UProgramWindows.h).
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

class TLbButton;
class TSaveDialog;
class TXMLDocument;
class TIdHTTP;

class TFVarneltoeFirmWare : public TForm {
 public:
  explicit TFVarneltoeFirmWare(TComponent* AOwner);
  ~TFVarneltoeFirmWare() override;

  // --- components ---
  TLabel* L_SW_Code;
  TLabel* L_SW_Desc;
  TLabel* L_Begin;
  TShape* Shape2;
  TLabel* L_Name_Conf;
  TLabel* L_Name_Conf_L2;
  TLbButton* Btn_Info;
  TLbButton* Btn_Opz;
  TLbButton* Btn_Close;
  TLabel* L_Step_1;
  TLabel* L_Step_2;
  TLabel* L_Step_3;
  TLabel* L_Step_4;
  TLabel* L_Step_5;
  TLabel* L_Step_6;
  TLabel* L_Step_7;
  TLabel* L_Step_8;
  TLbButton* Btn_New;
  TLbButton* Btn_Open;
  TLbButton* Btn_Prm_Gen;
  TLbButton* Btn_OPC_UA_Server_Access;
  TLbButton* Btn_Modbus_Set_Access;
  TLbButton* Btn_CreateBin;
  TLabel* L_Tarvix;
  TShape* Shape1;
  TLinkLabel* LL_Update;
  // The step buttons of the sibling variants, hidden in this one.
  TLbButton* Btn_CAN_Rec_Frame;
  TLbButton* Btn_CAN_Send_Frame;
  TLbButton* Btn_SDO_Server_CANopen;
  TLbButton* Btn_SDO_Client_CANopen;
  TLbButton* Btn_PDO_CANopen;
  TLbButton* Btn_CANopen_EDS;
  TLbButton* Btn_DNet_Net;
  TLbButton* Btn_DNet_Offset;
  TLbButton* Btn_DMX_Default;
  TLbButton* Btn_KNX_Access;
  TLbButton* Btn_MQTT_Set_Topic;
  TLbButton* Btn_PROFINET_XML;
  TLbButton* Btn_SNMP_Trap;
  TLbButton* Btn_SNMP_MIB;
  TLbButton* Btn_SNMP_Manager_Access;
  TLbButton* Btn_BACnet_SetAccess;
  TLbButton* Btn_BACnet_EDE_File;
  TLbButton* Btn_EtherNetIP_Access;
  // Runs the version check: disabled, 60000 ms until the first tick.
  TTimer* Timer_Update;
  TSaveDialog* SD1;      // CSV files of the BACnet EDE export
  TSaveDialog* SaveEDS;  // CANopen EDS files
  TSaveDialog* SaveMIB;  // SNMP MIB files
  // The settings file and the files the image builder and the exporters
  // read, one at a time.
  TXMLDocument* XML1;
  // The version check's client: HTTP/1.0, fixed Accept and User-Agent.
  TIdHTTP* HTTP1;

  // --- start and close ---
  // The start-up work of the program; runs once, as the window is created.
  void FormCreate(TObject* Sender);
  // Writes the settings file whenever the window closes.
  void FormClose(TObject* Sender, TCloseAction& Action);
  // Applies texts 0 to 68 and shows the configuration state in the two labels.
  void Set_Lang();

  // --- actions ---
  // The one click handler of every button of the window.
  void Btn_Click(TObject* Sender);
  // Shows the new-configuration window; on OK the new configuration is open.
  void Create_New_Project();
  // Shows the open-configuration window; on OK opens the name it picked.
  void Open_Project();
  // Builds the device image and opens the update window (registered routine).
  void Update_Device();
  // The exports of the sibling variants (registered routines).
  void BACnet_EDE_File();
  void PROFINET_XML();
  void Build_MIB_File();
  // Asks for a file in the configuration folder and writes the EDS file there.
  void Build_EDS_File();
  // Opens the maker's home page.
  void L_TarvixClick(TObject* Sender);
  // Re-applies the texts of this window and of 31 other windows.
  void Change_Language();
  // Starts the program file NomeSW with the command line Parameter (shown
  // normally for tipo 0, hidden otherwise) and waits until it ends, or at most
  // 150 s; window messages are not handled meanwhile. A program that cannot be
  // started gets the shell's error message.
  void Start_Program(const QString& NomeSW, const QString& Parameter, uint8_t tipo);
  // BACnet_Type of the open configuration's ParGen.xml; 0 when it is missing
  // or not a number.
  int Get_Type_BACnet();

  // --- version check ---
  // The tick of Timer_Update: runs the check and shows or hides LL_Update;
  // the next tick comes 7200 s later.
  void Timer_UpdateTimer(TObject* Sender);
  // Opens LL_Update's link.
  void LL_UpdateLinkClick(TObject* Sender, const QString& Link, TSysLinkType LinkType);
  // Enables Timer_Update exactly when internet access and the update check
  // are both allowed.
  void Apply_Update_Timer();

  // The clock of Start_Program, milliseconds since an arbitrary start
  // (GetTickCount); tests replace it.
  std::function<uint32_t()> Tick_Count;

 private:
  // The two configuration labels, from Name_Project.
  void Show_Configuration();
  // Shows Form modally; the result is ignored.
  static void Show_Window(TCustomForm* Form);
  TLbButton* New_Button(int Left, int Top, TColor HotTrack, const char* Picture);
};

// The folder of the program file; tests put the program into another.
QString Program_Folder();
// "" restores the folder of the program file.
void Set_Program_Folder(const QString& Folder);

extern TFVarneltoeFirmWare* FVarneltoeFirmWare;
