// The update window and the main window's update action.
#include "gateway/UBoot.h"

#include <QScopedValueRollback>

#include "controls/LbButton.h"
#include "gateway/UBootJob.h"
#include "gateway/USaveBincc.h"
#include "platform/os/IdIcmpClient.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/XMLDoc.h"
#include "platform/ui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UDialogParts.h"
#include "shell/ULanguage.h"
#include "shell/UVarneltoeFirmWare.h"

TFBoot* FBoot = nullptr;

namespace {

constexpr int Client_Width = 449;
// An echo waits this long for its reply; the whole check gives up after
// Ping_Give_Up ms.
constexpr uint32_t Echo_Timeout = 400;
constexpr uint32_t Ping_Give_Up = 5000;
// Two answered echoes make a device reachable.
constexpr int Replies_Needed = 2;

}  // namespace

// ---------------------------------------------------------------------------
// Building the window

TPanel* TFBoot::New_Panel(int Height) {
  auto* p = new TPanel(this);
  p->SetParent(this);
  p->SetBevelOuter(bvNone);
  p->SetParentColor(true);
  p->SetBounds(0, 0, Client_Width, Height);
  return p;
}

TLabel* TFBoot::New_Label(TWinControl* Parent, int Left, int Top) {
  auto* l = new TLabel(this);
  l->SetParent(Parent);
  l->SetBounds(Left, Top, l->Width(), l->Height());
  return l;
}

TComboBox* TFBoot::New_Drop_List(TWinControl* Parent, int Width) {
  auto* c = new TComboBox(this);
  c->SetParent(Parent);
  c->SetStyle(csDropDownList);
  c->SetBounds(16, 21, Width, 21);
  c->SetShowHint(true);
  return c;
}

TEdit* TFBoot::New_IP_Edit(int Left) {
  auto* e = new TEdit(this);
  e->SetParent(P_IP_Address);
  e->SetBounds(Left, 21, 40, 21);
  e->SetText(QStringLiteral("0"));
  e->SetShowHint(true);
  e->OnKeyPress = [this](TObject* Sender, QChar& Key) { KeyPress(Sender, Key); };
  return e;
}

TFBoot::TFBoot(TComponent* AOwner) : TForm(AOwner) {
  Tick_Count = [] { return GetTickCount(); };
  Pause = [](uint32_t Milliseconds) {
    Sleep(Milliseconds);
    Application->ProcessMessages();
  };
  SetName(QStringLiteral("FBoot"));
  Setup_Shell_Window(this, false);
  SetClientWidth(Client_Width);
  SetClientHeight(230);
  P_Title = New_Title_Panel(this, L_SW_Code, L_SW_Desc);

  P_IP_Address = New_Panel(49);
  L_IP_Address = New_Label(P_IP_Address, 16, 4);
  E_IP1 = New_IP_Edit(16);
  L_Dot1 = New_Label(P_IP_Address, 60, 25);
  E_IP2 = New_IP_Edit(68);
  L_Dot2 = New_Label(P_IP_Address, 112, 25);
  E_IP3 = New_IP_Edit(120);
  L_Dot3 = New_Label(P_IP_Address, 164, 25);
  E_IP4 = New_IP_Edit(172);
  for (TLabel* dot : {L_Dot1, L_Dot2, L_Dot3}) dot->SetCaption(QStringLiteral("."));

  P_Eth_Search = New_Panel(160);
  L_Search_Devices = New_Label(P_Eth_Search, 16, 4);
  Btn_Search = New_Dialog_Button(this, P_Eth_Search, 16, 22, mrNone);
  L_Devices_Found = New_Label(P_Eth_Search, 16, 56);
  L_Device_Name = New_Label(P_Eth_Search, 16, 74);
  L_Device_IP = New_Label(P_Eth_Search, 220, 74);
  LB_Devices = new TListBox(this);
  LB_Devices->SetParent(P_Eth_Search);
  LB_Devices->SetBounds(16, 90, 300, 64);
  LB_Devices->SetShowHint(true);
  Btn_Use_Device = New_Dialog_Button(this, P_Eth_Search, 324, 90, mrNone);

  P_Serial = New_Panel(51);
  L_COM_Port = New_Label(P_Serial, 16, 4);
  CB_COM_Port = New_Drop_List(P_Serial, 120);
  Btn_COM_List = New_Dialog_Button(this, P_Serial, 150, 18, mrNone);
  Btn_COM_List->SetWidth(180);
  Btn_COM_List->OnClick = [this](TObject* Sender) { Btn_COM_ListClick(Sender); };

  P_Options = New_Panel(72);
  L_Update_Option = New_Label(P_Options, 16, 4);
  CB_Update_Options = New_Drop_List(P_Options, 240);
  CB_Update_Option_Read_Back = new TCheckBox(this);
  CB_Update_Option_Read_Back->SetParent(P_Options);
  CB_Update_Option_Read_Back->SetBounds(16, 48, 300, 17);
  CB_Update_Option_Read_Back->SetParentColor(true);
  CB_Update_Option_Read_Back->SetChecked(true);
  CB_Update_Option_Read_Back->SetShowHint(true);

  P_Button = New_Button_Panel(this);
  Btn_Cancel = New_Dialog_Button(this, P_Button, 16, 6, mrCancel);
  Btn_Update = New_Dialog_Button(this, P_Button, 253, 6, mrNone);
  Btn_Update->SetWidth(180);
  Btn_Update->OnClick = [this](TObject* Sender) { Btn_UpdateClick(Sender); };

  // Shown by FormShow according to the mode.
  for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Serial, P_Options}) p->SetVisible(false);

  Ping = new TIdIcmpClient(this);
  Ping->SetReceiveTimeout(static_cast<int>(Echo_Timeout));
  Ping->SetPacketSize(1024);
  Ping->OnReply = [this](TComponent* ASender, const TReplyStatus& AReplyStatus) {
    PingReply(ASender, AReplyStatus);
  };
  XML1 = new TXMLDocument(this);

  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFBoot::~TFBoot() = default;

// ---------------------------------------------------------------------------
// Texts and showing

void TFBoot::Set_Lang() {
  const TStringList& t = *SL_Language;
  if (Form_Type == 0) {
    SetCaption(t[1200]);
    L_SW_Desc->SetCaption(t[1201]);
  } else if (Form_Type == 1) {
    SetCaption(t[1202]);
    L_SW_Desc->SetCaption(t[1203]);
  }
  L_IP_Address->SetCaption(t[1206]);
  L_COM_Port->SetCaption(t[1207]);
  L_Update_Option->SetCaption(t[1214]);
  CB_Update_Options->Items()->Clear();
  for (int n : {1215, 1216, 1217}) CB_Update_Options->Items()->Add(t[n]);
  CB_Update_Options->SetItemIndex(0);
  CB_Update_Option_Read_Back->SetCaption(t[1218]);
  Btn_Cancel->SetCaption(t[1219]);
  Btn_Update->SetCaption(t[1220]);
  E_IP1->SetHint(t[1221]);
  E_IP2->SetHint(t[1222]);
  E_IP3->SetHint(t[1223]);
  E_IP4->SetHint(t[1224]);
  CB_COM_Port->SetHint(t[1225]);
  Btn_COM_List->SetHint(t[1227]);
  CB_Update_Options->SetHint(t[1232]);
  CB_Update_Option_Read_Back->SetHint(t[1233]);
  Btn_Cancel->SetHint(t[1234]);
  Btn_Update->SetHint(t[1235]);
  // The search panel.
  L_Search_Devices->SetCaption(t[1209]);
  L_Devices_Found->SetCaption(t[1210]);
  Btn_Search->SetCaption(t[1211]);
  L_Device_Name->SetCaption(t[1212]);
  L_Device_IP->SetCaption(t[1213]);
  Btn_Search->SetHint(t[1229]);
  LB_Devices->SetHint(t[1230]);
  Btn_Use_Device->SetHint(t[1231]);
}

void TFBoot::Stack_Panels(std::initializer_list<TPanel*> Panels) {
  // Tops rising in the given order below the title: the top alignment keeps
  // that order.
  int top = P_Title->Height();
  for (TPanel* p : Panels) {
    p->SetTop(top++);
    p->SetAlign(alTop);
  }
}

void TFBoot::FormShow(TObject*) {
  Set_Lang();
  L_SW_Code->SetCaption(SW_Code);
  for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Options, P_Serial}) {
    p->SetVisible(false);
    p->SetAlign(alNone);
  }
  auto restore_choices = [this] {
    CB_Update_Options->SetItemIndex(Last_Update_Option);
    CB_Update_Option_Read_Back->SetChecked(Last_Read_Back);
  };
  if (Form_Type == 1) {
    P_IP_Address->SetVisible(true);
    P_Options->SetVisible(true);
    SetClientWidth(Client_Width);
    Stack_Panels({P_IP_Address, P_Eth_Search, P_Options});
    SetClientHeight(P_Title->Height() + P_IP_Address->Height() + P_Options->Height() + P_Button->Height());
    int order = 0;
    for (TWinControl* c : {P_Title, P_IP_Address, P_Eth_Search, P_Options, P_Button, P_Serial})
      c->SetTabOrder(order++);
    QString ip1, ip2, ip3, ip4;
    if (!Last_IP_Address.isEmpty() && Split_IP_Address(Last_IP_Address, ip1, ip2, ip3, ip4)) {
      E_IP1->SetText(ip1);
      E_IP2->SetText(ip2);
      E_IP3->SetText(ip3);
      E_IP4->SetText(ip4);
    }
    restore_choices();
    if (E_IP1->CanFocus()) E_IP1->SetFocus();
  } else if (Form_Type == 0) {
    P_Options->SetVisible(true);
    P_Serial->SetVisible(true);
    SetClientWidth(Client_Width);
    Stack_Panels({P_Serial, P_Options});
    SetClientHeight(P_Title->Height() + P_Serial->Height() + P_Options->Height() + P_Button->Height());
    int order = 0;
    for (TWinControl* c : {P_Title, P_Serial, P_Options, P_Button, P_IP_Address, P_Eth_Search})
      c->SetTabOrder(order++);
    restore_choices();
    update_ComPort();
    if (CB_COM_Port->CanFocus()) CB_COM_Port->SetFocus();
  } else {
    SetClientHeight(P_Title->Height() + P_Button->Height());
  }
}

// ---------------------------------------------------------------------------
// Address edits and serial ports

QString TFBoot::IP_Address() const {
  return E_IP1->Text() + QLatin1Char('.') + E_IP2->Text() + QLatin1Char('.') + E_IP3->Text() +
         QLatin1Char('.') + E_IP4->Text();
}

void TFBoot::KeyPress(TObject* Sender, QChar& Key) {
  if (Key != QLatin1Char('.')) return;
  TEdit* next = Sender == E_IP1 ? E_IP2 : Sender == E_IP2 ? E_IP3 : Sender == E_IP3 ? E_IP4 : nullptr;
  if (next && next->CanFocus()) next->SetFocus();
  Key = QChar(0);
}

void TFBoot::Btn_COM_ListClick(TObject*) { update_ComPort(); }

void TFBoot::update_ComPort() {
  const std::unique_ptr<TStringList> ports = Get_COM_List();
  CB_COM_Port->Items()->Clear();
  for (int i = 0; i < ports->Count(); ++i) CB_COM_Port->Items()->Add(QStringLiteral("COM") + ports->Strings(i));
  CB_COM_Port->SetItemIndex(0);
}

// ---------------------------------------------------------------------------
// The update

void TFBoot::PingReply(TComponent*, const TReplyStatus& AReplyStatus) {
  ping_res = AReplyStatus.BytesReceived() > 0 ? 1 : 2;
}

bool TFBoot::Send_Ping() {
  ping_res = 0;
  const uint32_t start = Tick_Count();
  Ping->SetHost(IP_Address());
  int replies = 0;
  try {
    for (;;) {
      const uint32_t sent = Tick_Count();
      Ping->Ping(QString(), 0);
      // The reply handler has run; the pause lets the window breathe.
      do {
        Pause(10);
      } while (ping_res == 0 && Tick_Count() - sent <= Echo_Timeout);
      if (ping_res == 1) ++replies;
      if (replies >= Replies_Needed || Tick_Count() - start > Ping_Give_Up) break;
      // The user closed the window meanwhile.
      if (ModalResult() != mrNone) break;
    }
  } catch (const Exception&) {
    // An unknown host, a failed send or no permission to send echoes.
    return false;
  }
  return ping_res == 1;
}

void TFBoot::Compile_XML_Parameter_New_Boot() {
  ::Compile_XML_Parameter_New_Boot(*XML1, IP_Address(), CB_Update_Options->ItemIndex(),
                                   CB_Update_Option_Read_Back->Checked());
}

void TFBoot::Btn_UpdateClick(TObject*) {
  // The window handles messages during the echo check: a second press of the
  // button meanwhile starts no second update.
  if (FUpdating) return;
  const QScopedValueRollback<bool> updating(FUpdating, true);
  const TStringList& t = *SL_Language;
  if (Form_Type == 0) {
    Last_Update_Option = CB_Update_Options->ItemIndex();
    Last_Read_Back = CB_Update_Option_Read_Back->Checked();
    const QString line = Serial_Command_Line(CB_COM_Port->Text(), Last_Update_Option, Last_Read_Back);
    FVarneltoeFirmWare->Start_Program(Serial_Update_Program(), line, 0);
    return;
  }
  if (Form_Type != 1) return;
  const bool reachable = Send_Ping();
  // The user left the window while the device was being checked: no update
  // and no message.
  if (ModalResult() != mrNone) return;
  if (reachable) {
    Last_IP_Address = IP_Address();
    Last_Update_Option = CB_Update_Options->ItemIndex();
    Last_Read_Back = CB_Update_Option_Read_Back->Checked();
    Compile_XML_Parameter_New_Boot();
    FVarneltoeFirmWare->Start_Program(Ethernet_Update_Program(), QString(), 0);
  } else if (ping_res == 2) {
    MessageDlg(t[1236], mtWarning, TMsgDlgButtons{mbOK});
  } else {
    MessageDlg(t[1237], mtError, TMsgDlgButtons{mbOK});
  }
}

// ---------------------------------------------------------------------------
// The main window's action

void Update_Device() {
  Create_Bin(*FVarneltoeFirmWare->XML1);
  Save_Bin();
  FBoot->Form_Type = 1;
  FBoot->ShowModal();
}
