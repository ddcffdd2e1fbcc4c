// The main window: its components, the start-up work and the configuration labels.
#include "shell/UVarneltoeFirmWare.h"

#include "controls/LbButton.h"
#include "platform/ui/Dialogs.h"
#include "platform/os/IdHTTP.h"
#include "platform/rtl/SysUtils.h"
#include "platform/gdi/WinGdi.h"
#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"
#include "shell/UDialogParts.h"
#include "shell/ULanguage.h"

TFVarneltoeFirmWare* FVarneltoeFirmWare = nullptr;

namespace {

QString& Program_Folder_Override() {
  static QString folder;
  return folder;
}

constexpr TColor Pressed_Color = RGB(255, 128, 0);

// Step rows: the buttons of step n stand at Step_Top(n), its label 16 lower.
constexpr int Step_Top(int n) { return 112 + 44 * (n - 1); }

TLabel* New_Label(TCustomForm* Form, int Left, int Top, bool Bold) {
  auto* l = new TLabel(Form);
  l->SetParent(Form);
  l->SetBounds(Left, Top, l->Width(), l->Height());
  l->Font()->SetColor(clGray);
  if (Bold) l->Font()->SetStyle(TFontStyles{fsBold});
  return l;
}

}  // namespace

QString Program_Folder() {
  if (!Program_Folder_Override().isEmpty()) return Program_Folder_Override();
  return ExcludeTrailingPathDelimiter(ExtractFilePath(Application->ExeName()));
}

void Set_Program_Folder(const QString& Folder) { Program_Folder_Override() = Folder; }

TLbButton* TFVarneltoeFirmWare::New_Button(int Left, int Top, TColor HotTrack, const char* Picture) {
  auto* b = new TLbButton(this);
  b->SetParent(this);
  b->SetStyle(bsEncarta);
  b->SetAlignment(taLeftJustify);
  b->SetHotTrackColor(HotTrack);
  b->SetColorWhenDown(Pressed_Color);
  b->SetColor(Shell_Window_Color);
  b->SetBounds(Left, Top, 170, 36);
  b->SetShowHint(true);
  if (Picture) {
    TBitmap glyph;
    glyph.LoadFromResourceName(0, QString::fromLatin1(Picture));
    b->SetGlyph(&glyph);
  }
  b->OnClick = [this](TObject* Sender) { Btn_Click(Sender); };
  return b;
}

TFVarneltoeFirmWare::TFVarneltoeFirmWare(TComponent* AOwner) : TForm(AOwner) {
  Tick_Count = [] { return GetTickCount(); };
  SetName(QStringLiteral("FVarneltoeFirmWare"));
  Setup_Shell_Window(this, false);

  L_SW_Code = New_Label(this, 16, 8, false);
  L_SW_Code->Font()->SetHeight(-27);
  L_SW_Desc = New_Label(this, 16, 42, true);
  L_Begin = New_Label(this, 16, 84, true);
  Shape2 = new TShape(this);
  Shape2->SetParent(this);
  Shape2->Pen()->SetColor(clSilver);
  Shape2->Brush()->SetStyle(bsClear);
  L_Name_Conf = New_Label(this, 87, 75, false);
  L_Name_Conf_L2 = New_Label(this, 87, 88, false);

  Btn_Info = New_Button(516, 8, clYellow, "BTN_INFO");
  Btn_Opz = New_Button(574, 8, clYellow, "BTN_OPTIONS");
  Btn_Close = New_Button(632, 8, clYellow, "BTN_CLOSE");
  for (TLbButton* b : {Btn_Info, Btn_Opz, Btn_Close}) {
    b->SetAlignment(taCenter);
    b->SetBounds(b->Left(), b->Top(), 50, 50);
  }

  TLabel** steps[] = {&L_Step_1, &L_Step_2, &L_Step_3, &L_Step_4, &L_Step_5, &L_Step_6, &L_Step_7, &L_Step_8};
  for (int n = 1; n <= 8; ++n) *steps[n - 1] = New_Label(this, 16, Step_Top(n) + 16, true);

  Btn_New = New_Button(80, Step_Top(1), clSkyBlue, "STEP_NEW");
  Btn_Open = New_Button(258, Step_Top(1), clSkyBlue, "STEP_OPEN");
  Btn_Prm_Gen = New_Button(80, Step_Top(2), clYellow, "STEP_COMM");
  Btn_OPC_UA_Server_Access = New_Button(80, Step_Top(3), clYellow, "STEP_TABLE");
  Btn_Modbus_Set_Access = New_Button(80, Step_Top(4), clYellow, "STEP_TABLE");
  Btn_CreateBin = New_Button(80, Step_Top(5), clSkyBlue, "STEP_UPDATE");

  L_Tarvix = New_Label(this, 565, 0, true);
  L_Tarvix->SetCursor(crHandPoint);
  L_Tarvix->OnClick = [this](TObject* Sender) { L_TarvixClick(Sender); };
  Shape1 = new TShape(this);
  Shape1->SetParent(this);
  Shape1->Pen()->SetColor(clSilver);
  LL_Update = new TLinkLabel(this);
  LL_Update->SetParent(this);
  LL_Update->SetAutoSize(false);
  LL_Update->SetBounds(208, 19, 294, 17);
  LL_Update->OnLinkClick = [this](TObject* Sender, const QString& Link, TSysLinkType Type) {
    LL_UpdateLinkClick(Sender, Link, Type);
  };

  TLbButton** siblings[] = {
      &Btn_CAN_Rec_Frame, &Btn_CAN_Send_Frame, &Btn_SDO_Server_CANopen, &Btn_SDO_Client_CANopen,
      &Btn_PDO_CANopen, &Btn_CANopen_EDS, &Btn_DNet_Net, &Btn_DNet_Offset, &Btn_DMX_Default,
      &Btn_KNX_Access, &Btn_MQTT_Set_Topic, &Btn_PROFINET_XML, &Btn_SNMP_Trap, &Btn_SNMP_MIB,
      &Btn_SNMP_Manager_Access, &Btn_BACnet_SetAccess, &Btn_BACnet_EDE_File, &Btn_EtherNetIP_Access};
  for (TLbButton** b : siblings) *b = New_Button(80, 0, clYellow, "STEP_TABLE");
  // Their hint texts are set but never shown.
  for (TLbButton* b : {Btn_Modbus_Set_Access, Btn_BACnet_SetAccess, Btn_BACnet_EDE_File, Btn_DMX_Default,
                       Btn_KNX_Access, Btn_SNMP_Trap, Btn_SNMP_MIB})
    b->SetShowHint(false);

  Timer_Update = new TTimer(this);
  Timer_Update->SetEnabled(false);
  Timer_Update->SetInterval(60000);
  Timer_Update->OnTimer = [this](TObject* Sender) { Timer_UpdateTimer(Sender); };
  SD1 = new TSaveDialog(this);
  SD1->SetFilter(QStringLiteral("CSV (MS-DOS) (*.csv)|*.csv"));
  SaveEDS = new TSaveDialog(this);
  SaveEDS->SetFilter(QStringLiteral("Electronic Data Sheet (*.eds)|*.eds"));
  SaveEDS->SetDefaultExt(QStringLiteral("eds"));
  SaveMIB = new TSaveDialog(this);
  SaveMIB->SetFilter(QStringLiteral("Management Information Base (*.mib)|*.mib"));
  SaveMIB->SetDefaultExt(QStringLiteral("mib"));
  XML1 = new TXMLDocument(this);
  HTTP1 = new TIdHTTP(this);
  HTTP1->SetProtocolVersion(pv1_0);
  HTTP1->SetHandleRedirects(false);
  HTTP1->Request()->SetAccept(
      QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
  HTTP1->Request()->SetUserAgent(QStringLiteral("Mozilla/3.0 (compatible; Indy Library)"));

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
}

TFVarneltoeFirmWare::~TFVarneltoeFirmWare() {
  if (FVarneltoeFirmWare == this) FVarneltoeFirmWare = nullptr;
}

void TFVarneltoeFirmWare::FormCreate(TObject*) {
  // 1. The text table, empty until the texts are loaded.
  SL_Language = std::make_unique<TStringList>();

  // 2. The layout: the steps of this variant shown, the others hidden.
  for (TLabel* l : {L_Step_6, L_Step_7, L_Step_8}) l->SetVisible(false);
  for (TLbButton* b : {Btn_CAN_Rec_Frame, Btn_CAN_Send_Frame, Btn_SDO_Server_CANopen, Btn_SDO_Client_CANopen,
                       Btn_PDO_CANopen, Btn_CANopen_EDS, Btn_DNet_Net, Btn_DNet_Offset, Btn_DMX_Default,
                       Btn_KNX_Access, Btn_MQTT_Set_Topic, Btn_PROFINET_XML, Btn_SNMP_Trap, Btn_SNMP_MIB,
                       Btn_SNMP_Manager_Access, Btn_BACnet_SetAccess, Btn_BACnet_EDE_File,
                       Btn_EtherNetIP_Access})
    b->SetVisible(false);
  LL_Update->SetVisible(false);
  Shape2->SetBounds(80, 70, 348, 36);
  L_Tarvix->SetTop(L_Step_5->Top());

  // 3. The window's size follows the last step.
  SetClientWidth(694);
  SetClientHeight(Btn_CreateBin->Top() + 152);
  Shape1->SetBounds(10, Btn_CreateBin->Top() + 51, 674, 1);

  // 4. The program folders; one that cannot be created is not reported.
  Dir_Exe = Program_Folder();
  Dir_Master = Dir_Exe + QStringLiteral("/MASTER");
  Dir_Projects = Dir_Exe + QStringLiteral("/PROJECTS");
  Dir_Language = Dir_Exe + QStringLiteral("/LANGUAGE");
  for (const QString& d : {Dir_Master, Dir_Projects, Dir_Language})
    if (!DirectoryExists(d)) CreateDir(d);

  // 5.-7. The settings file and the version-check timer.
  Name_Project.clear();
  Last_Read_Back = true;
  Read_Setting(XML1);
  Apply_Update_Timer();

  // 8. The texts identifying the software.
  SW_Title = SW_Title_Text;
  SW_Code = SW_Code_Text;
  SW_Desc = SW_Desc_Text;
  SetCaption(SW_Title);
  L_SW_Code->SetCaption(SW_Code);
  L_SW_Desc->SetCaption(SW_Desc);
  L_Tarvix->SetCaption(QStringLiteral("www.tarvix.com"));

  // 9. The texts of the chosen language.
  Load_Language();

  // 10. The last configuration, when its folder is still there.
  if (!Name_Project.isEmpty() && DirectoryExists(Dir_Projects + QLatin1Char('/') + Name_Project)) {
    Dir_Project = Dir_Projects + QLatin1Char('/') + Name_Project;
  } else {
    Name_Project.clear();
    Dir_Project.clear();
  }

  // 11.-13.
  Set_Lang();
  Set_Files();
  SL_Copy_Row = std::make_unique<TStringList>();
  SL_MIB_Read = std::make_unique<TStringList>();
  SL_MIB_Write = std::make_unique<TStringList>();
}

void TFVarneltoeFirmWare::FormClose(TObject*, TCloseAction&) { Save_Setting(XML1); }

void TFVarneltoeFirmWare::Apply_Update_Timer() {
  Timer_Update->SetEnabled(Opt_Enable_Internet && Opt_Enable_Update);
}

void TFVarneltoeFirmWare::Show_Configuration() {
  if (Name_Project.isEmpty()) {
    L_Name_Conf->SetCaption(SL_Language->Strings(9));
    L_Name_Conf_L2->SetCaption(SL_Language->Strings(10));
  } else {
    L_Name_Conf->SetCaption(SL_Language->Strings(11));
    L_Name_Conf_L2->SetCaption(Name_Project);
  }
}

void TFVarneltoeFirmWare::Set_Lang() {
  const TStringList& t = *SL_Language;
  L_Begin->SetCaption(t[0]);
  TLabel* steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
  for (int n = 1; n <= 8; ++n) steps[n - 1]->SetCaption(t[n]);
  Btn_Info->SetHint(t[12]);
  Btn_Opz->SetHint(t[13]);
  Btn_Close->SetHint(t[14]);

  // Caption and hint numbers of every step button.
  struct TStep_Texts {
    TLbButton* Button;
    int Caption;
    int Hint;
  };
  const TStep_Texts buttons[] = {
      {Btn_New, 15, 22},
      {Btn_Open, 16, 23},
      {Btn_CreateBin, 17, 26},
      {Btn_Prm_Gen, 20, 24},
      {Btn_OPC_UA_Server_Access, 21, 25},
      {Btn_Modbus_Set_Access, 27, 28},
      {Btn_CAN_Rec_Frame, 29, 31},
      {Btn_CAN_Send_Frame, 30, 32},
      {Btn_SDO_Server_CANopen, 37, 38},
      {Btn_SDO_Client_CANopen, 39, 40},
      {Btn_PDO_CANopen, 41, 42},
      {Btn_CANopen_EDS, 43, 44},
      {Btn_DNet_Net, 45, 46},
      {Btn_DNet_Offset, 47, 48},
      {Btn_DMX_Default, 49, 50},
      {Btn_KNX_Access, 51, 52},
      {Btn_MQTT_Set_Topic, 53, 54},
      {Btn_PROFINET_XML, 55, 56},
      {Btn_SNMP_Trap, 57, 58},
      {Btn_SNMP_MIB, 59, 60},
      {Btn_SNMP_Manager_Access, 61, 62},
      {Btn_BACnet_SetAccess, 63, 64},
      {Btn_BACnet_EDE_File, 65, 66},
      {Btn_EtherNetIP_Access, 67, 68},
  };
  for (const TStep_Texts& s : buttons) {
    s.Button->SetCaption(t[s.Caption]);
    s.Button->SetHint(t[s.Hint]);
  }
  Show_Configuration();
}
