// The main window's actions: the one click handler, configurations, the
// language change, the version-check tick, starting an external program and
// the links to the maker's web server.
#include "controls/LbButton.h"
#include "platform/ui/Dialogs.h"
#include "platform/os/ShellApi.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/XMLDoc.h"
#include "shell/UAbout.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/UProgramWindows.h"
#include "shell/USoftOptions.h"
#include "shell/UVarneltoeFirmWare.h"

void TFVarneltoeFirmWare::Show_Window(TCustomForm* Form) {
  if (Form) Form->ShowModal();
}

void TFVarneltoeFirmWare::Btn_Click(TObject* Sender) {
  if (Sender == Btn_New) {
    Create_New_Project();
    return;
  }
  if (Sender == Btn_Open) {
    Open_Project();
    return;
  }
  if (Sender == Btn_Close) {
    Close();
    return;
  }
  if (Sender == Btn_Info) {
    Show_Window(FAbout);
    return;
  }
  if (Sender == Btn_Opz) {
    if (FSoftOptions && FSoftOptions->ShowModal() == mrOk) {
      Save_Setting(XML1);
      Apply_Update_Timer();
    }
    return;
  }

  // Every other button needs an open configuration.
  if (Dir_Project.isEmpty()) {
    MessageDlg(SL_Language->Strings(18), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  const std::pair<TLbButton*, TProgram_Window> windows[] = {
      {Btn_Prm_Gen, pwParGen},
      {Btn_OPC_UA_Server_Access, pwOPC_UA_Server_Access},
      {Btn_Modbus_Set_Access, pwSetAccess},
      {Btn_BACnet_SetAccess, pwBACnetAccess},
      {Btn_CAN_Rec_Frame, pwReceiveCAN},
      {Btn_CAN_Send_Frame, pwTransmitCAN},
      {Btn_PDO_CANopen, pwSet_PDO_Access},
      {Btn_SDO_Client_CANopen, pwSet_SDO_Client_Access},
      {Btn_SDO_Server_CANopen, pwSet_SDO_Server_Access},
      {Btn_MQTT_Set_Topic, pwMQTT_Set_Topic},
      {Btn_DNet_Net, pwDNet},
      {Btn_DNet_Offset, pwDefOffset},
      {Btn_DMX_Default, pwDMXDefVal},
      {Btn_KNX_Access, pwKNXAccess},
      {Btn_SNMP_Manager_Access, pwSNMPManagerAccess},
      {Btn_EtherNetIP_Access, pwEtherNetIP_Master_Access},
      {Btn_SNMP_Trap, pwSNMP_Trap_Access},
  };
  for (const auto& [button, window] : windows)
    if (Sender == button) {
      Show_Window(Program_Window(window));
      return;
    }
  if (Sender == Btn_BACnet_EDE_File) BACnet_EDE_File();
  else if (Sender == Btn_CANopen_EDS) Build_EDS_File();
  else if (Sender == Btn_PROFINET_XML) PROFINET_XML();
  else if (Sender == Btn_SNMP_MIB) Build_MIB_File();
  else if (Sender == Btn_CreateBin) Update_Device();
}

void TFVarneltoeFirmWare::Create_New_Project() {
  if (FNew_Project && FNew_Project->ShowModal() == mrOk) Show_Configuration();
}

void TFVarneltoeFirmWare::Open_Project() {
  if (!FOpenConf || FOpenConf->ShowModal() != mrOk) return;
  Name_Project = FOpenConf->Name_Conf;
  if (Name_Project.isEmpty())
    Dir_Project.clear();
  else
    Dir_Project = Dir_Projects + QLatin1Char('/') + Name_Project;
  Show_Configuration();
  Set_Files();
}

void TFVarneltoeFirmWare::Update_Device() {
  if (Program_Routines.Update_Device) Program_Routines.Update_Device();
}

void TFVarneltoeFirmWare::BACnet_EDE_File() {
  if (Program_Routines.BACnet_EDE_File) Program_Routines.BACnet_EDE_File();
}

void TFVarneltoeFirmWare::PROFINET_XML() {
  if (Program_Routines.PROFINET_XML) Program_Routines.PROFINET_XML();
}

void TFVarneltoeFirmWare::Build_MIB_File() {
  if (Program_Routines.Build_MIB_File) Program_Routines.Build_MIB_File();
}

void TFVarneltoeFirmWare::Build_EDS_File() {
  SaveEDS->SetInitialDir(Dir_Project);
  if (SaveEDS->Execute() && Program_Routines.Write_EDS_File)
    Program_Routines.Write_EDS_File(SaveEDS->FileName());
}

void TFVarneltoeFirmWare::L_TarvixClick(TObject*) {
  ShellExecute(nullptr, QStringLiteral("open"), Home_Page_URL(), QString(), QString(), SW_SHOWNORMAL);
}

void TFVarneltoeFirmWare::Change_Language() {
  Set_Lang();
  if (FNew_Project) FNew_Project->Set_Lang();
  if (FOpenConf) FOpenConf->Set_Lang();
  if (FSoftOptions) FSoftOptions->Set_Lang();
  // The windows of the layers above, in their order; the PROFINET file-name
  // window keeps the texts it was created with.
  for (int w = 0; w < pwProfinetFileName; ++w) Set_Lang_Program_Window(static_cast<TProgram_Window>(w));
}

void TFVarneltoeFirmWare::Start_Program(const QString& NomeSW, const QString& Parameter, uint8_t tipo) {
  TShellExecuteInfo info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = NomeSW;
  info.lpParameters = Parameter;
  info.nShow = tipo == 0 ? SW_SHOWNORMAL : SW_HIDE;
  // Nothing signals the event: waiting on it is a pause.
  HANDLE pause = CreateEvent(nullptr, false, false, QStringLiteral("HandleCed"));
  bool started = false;
  try {
    started = ShellExecuteEx(&info);
  } catch (const Exception&) {
    started = false;
  }
  if (!started) {
    CloseHandle(pause);
    if (!ShellErrorMessage().isEmpty()) MessageDlg(ShellErrorMessage(), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  const uint32_t start = Tick_Count();
  for (;;) {
    DWORD code = 0;
    if (!GetExitCodeProcess(info.hProcess, code) || code != STILL_ACTIVE) break;
    if (Tick_Count() - start > 149999) break;
    WaitForSingleObject(pause, 10);
  }
  CloseHandle(pause);
  CloseHandle(info.hProcess);
}

int TFVarneltoeFirmWare::Get_Type_BACnet() {
  if (!FileExists(File_XML_ParGen)) return 0;
  try {
    XML1->LoadFromFile(File_XML_ParGen);
    const IXMLNode root = XML1->ChildNodes()[0];
    const IXMLNode node = root->ChildNodes().FindNode(QStringLiteral("BACnet_Type"));
    return node ? StrToIntDef(node->Text(), 0) : 0;
  } catch (const Exception&) {
    return 0;
  }
}

void TFVarneltoeFirmWare::Timer_UpdateTimer(TObject*) {
  Timer_Update->SetEnabled(false);
  if (FSoftOptions && FSoftOptions->Check_Version()) {
    LL_Update->SetCaption(QStringLiteral("<a href=\"%1\">%2</a>")
                              .arg(Download_Page_URL(), SL_Language->Strings(19)));
    LL_Update->SetVisible(true);
  } else {
    LL_Update->SetVisible(false);
  }
  Timer_Update->SetInterval(7200000);
  Timer_Update->SetEnabled(true);
}

void TFVarneltoeFirmWare::LL_UpdateLinkClick(TObject*, const QString& Link, TSysLinkType) {
  ShellExecute(nullptr, QStringLiteral("open"), Link, QString(), QString(), SW_SHOWNORMAL);
}
