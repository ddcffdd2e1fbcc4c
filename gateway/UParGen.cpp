// The communication-settings window: its frame, its panels built from the
// panel table, its texts and its input behaviour.
#include "gateway/UParGen.h"

#include <QStringList>

#include "controls/LbButton.h"
#include "gateway/UParGen_p.h"
#include "platform/rtl/Classes.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/Messages.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFParGen* FParGen = nullptr;

QString ParGen_Text(int n) {
  if (!SL_Language || n < 0 || n >= SL_Language->Count()) return QString();
  return SL_Language->Strings(n);
}

static void Init_ParGen_Resources() { Q_INIT_RESOURCE(UParGen); }

namespace {

constexpr int Client_Width = 460;
constexpr int Client_Height = 700;
constexpr TColor Window_Color = TColor(0x00EDF7F8);   // red 248, green 247, blue 237
constexpr TColor Header_Color = TColor(0x00D8D8E7);   // red 231, green 216, blue 216
constexpr TColor Button_Down_Color = TColor(0x000080FF);  // orange: red 255, green 128

}  // namespace

TFParGen::TFParGen(TComponent* AOwner, const QString& Variant_Code)
    : TForm(AOwner), FVariant_Code(Variant_Code) {
  Build_Window();
  Build_Panels();
  Bind_Controls();
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnResize = [this](TObject* Sender) { FormResize(Sender); };
  OnMouseWheel = [this](TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled) {
    FormMouseWheel(Sender, Shift, WheelDelta, MousePos, Handled);
  };
}

TFParGen::~TFParGen() {
  if (FParGen == this) FParGen = nullptr;
}

// ---- building ----------------------------------------------------------------

void TFParGen::Build_Window() {
  SetName(QStringLiteral("FParGen"));
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetScaled(false);
  SetColor(Window_Color);
  Font()->SetName(QStringLiteral("Verdana"));
  Font()->SetHeight(-11);
  SetShowHint(true);
  SetClientWidth(Client_Width);
  SetClientHeight(Client_Height);

  ImageList1 = new TImageList(this);
  ImageList1->SetName(QStringLiteral("ImageList1"));
  static const bool Resources_Registered = (Init_ParGen_Resources(), true);
  (void)Resources_Registered;
  // Image 0 marks an expanded panel, image 1 a collapsed one.
  for (const char* Name : {"ParGen_Expanded", "ParGen_Collapsed"}) {
    TBitmap Bmp;
    Bmp.LoadFromResourceName(HInstance, QString::fromLatin1(Name));
    ImageList1->AddMasked(&Bmp, clFuchsia);
  }

  XML1 = new TXMLDocument(this);
  XML1->SetName(QStringLiteral("XML1"));

  // The title along the top and the buttons along the bottom.
  auto Make_Panel = [this](const char* Name, TAlign Align, int Top, int Height) {
    TPanel* P = new TPanel(this);
    P->SetName(QString::fromLatin1(Name));
    P->SetParent(this);
    P->SetBounds(0, Top, Client_Width, Height);
    P->SetAlign(Align);
    P->SetBevelOuter(bvNone);
    P->SetCaption(QString());
    return P;
  };
  P_Title = Make_Panel("P_Title", alTop, 0, 69);
  P_Button = Make_Panel("P_Button", alBottom, Client_Height - 40, 40);
  // Grey Verdana texts of the title.
  auto Make_Title_Label = [this](const char* Name, int Top, int Font_Height, TFontStyles Style) {
    TLabel* L = new TLabel(this);
    L->SetName(QString::fromLatin1(Name));
    L->SetParent(P_Title);
    L->SetLeft(16);
    L->SetTop(Top);
    L->Font()->SetName(QStringLiteral("Verdana"));
    L->Font()->SetHeight(-Font_Height);
    L->Font()->SetColor(clGray);
    L->Font()->SetStyle(Style);
    return L;
  };
  L_SW_Code = Make_Title_Label("L_SW_Code", 8, 32, TFontStyles());
  L_SW_Desc = Make_Title_Label("L_SW_Desc", 42, 11, TFontStyles{fsBold});

  auto Make_Button = [this](const char* Name, int Left) {
    TLbButton* B = new TLbButton(this);
    B->SetName(QString::fromLatin1(Name));
    B->SetParent(P_Button);
    B->SetBounds(Left, 6, 110, 28);
    B->SetAnchors(TAnchors{akTop, akRight});
    B->SetStyle(bsEncarta);
    B->SetColorWhenDown(Button_Down_Color);
    B->SetHotTrackColor(clYellow);
    return B;
  };
  Btn_OK = Make_Button("Btn_OK", 219);
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
  Btn_Cancel = Make_Button("Btn_Cancel", 335);
  Btn_Cancel->SetModalResult(mrCancel);

  CPG = new TCategoryPanelGroup(this);
  CPG->SetName(QStringLiteral("CPG"));
  CPG->SetParent(this);
  CPG->SetAlign(alClient);
  CPG->VertScrollBar()->SetTracking(true);
  CPG->SetGradientBaseColor(Header_Color);
  CPG->SetGradientColor(Header_Color);
  CPG->HeaderFont()->SetName(QStringLiteral("Verdana"));
  CPG->HeaderFont()->SetHeight(-15);
  CPG->HeaderFont()->SetStyle(TFontStyles{fsBold});
  CPG->HeaderFont()->SetColor(clGray);
  CPG->SetChevronHotColor(clRed);
  CPG->SetImages(ImageList1);
}

void TFParGen::Build_Panels() {
  for (const TParGen_Panel_Def& Def : ParGen_Panels()) Build_Panel(Def);
}

void TFParGen::Build_Panel(const TParGen_Panel_Def& Def) {
  using namespace ParGen_Geometry;
  TCategoryPanel* P = new TCategoryPanel(this);
  P->SetName(Def.Name);
  P->SetParent(CPG);
  P->SetCaption(QString());
  P->SetExpandedImageIndex(0);
  P->SetCollapsedImageIndex(1);
  P->SetVisible(false);

  auto Make_Label = [&](const QString& Name, int Left) {
    TLabel* L = new TLabel(this);
    L->SetName(Name);
    L->SetParent(P);
    L->SetLeft(Left);
    L->Font()->SetColor(clBlack);
    return L;
  };
  auto Make_Edit = [&](const QString& Name, int Left, int Width, int Max_Length) {
    TEdit* E = new TEdit(this);
    E->SetName(Name);
    E->SetParent(P);
    E->SetBounds(Left, 0, Width, Edit_Height);
    E->SetText(QString());
    E->SetMaxLength(Max_Length);
    E->OnChange = [this](TObject* Sender) { On_Change(Sender); };
    return E;
  };
  auto Make_Box = [&](const QString& Name, int Width) {
    TCheckBox* B = new TCheckBox(this);
    B->SetName(Name);
    B->SetParent(P);
    B->SetBounds(Label_X, 0, Width, Box_Height);
    B->SetCaption(QString());
    B->OnClick = [this](TObject* Sender) { On_Click(Sender); };
    return B;
  };
  auto Make_Octets = [&](const QString& Base) {
    for (int i = 1; i <= 4; ++i) {
      const QString Name = Base + QString::number(i);
      const int Left = Value_X + (i - 1) * Octet_Step;
      TEdit* E = Make_Edit(Name, Left, Octet_Width, 0);
      E->OnKeyPress = [this](TObject* Sender, QChar& Key) { KeyPress(Sender, Key); };
      FOctet_Chain.push_back(E);
      if (i < 4) Make_Label(Name + QStringLiteral("_Dot"), Left + Octet_Width + 1)->SetCaption(QStringLiteral("."));
    }
  };

  int Index = 0;
  for (const TParGen_Row_Def& R : Def.Rows) {
    switch (R.Kind) {
      case rkEdit:
        Make_Label(R.Name, Label_X);
        Make_Edit(R.Value, Value_X, Value_Width, R.Max_Length);
        break;
      case rkList: {
        Make_Label(R.Name, Label_X);
        TComboBox* C = new TComboBox(this);
        C->SetName(R.Value);
        C->SetParent(P);
        C->SetBounds(Value_X, 0, Value_Width, List_Height);
        C->SetStyle(csDropDownList);
        // Items taken from the text table come with Set_Lang.
        if (!R.Items.startsWith(QLatin1Char('#')))
          for (const QString& Item : R.Items.split(QLatin1Char('|'))) C->Items()->Add(Item);
        C->SetItemIndex(0);
        C->OnChange = [this](TObject* Sender) { On_Change(Sender); };
        break;
      }
      case rkBox:
        Make_Box(R.Name, Box_Width);
        break;
      case rkOctets:
        Make_Label(R.Name, Label_X);
        Make_Octets(R.Value);
        break;
      case rkBoxOctets:
        Make_Box(R.Name, Box_Value_Width);
        Make_Octets(R.Value);
        break;
      case rkBoxEdit:
        Make_Box(R.Name, Box_Value_Width);
        Make_Edit(R.Value, Value_X, Value_Width, R.Max_Length);
        break;
    }
    if (!R.Caption.isEmpty()) Control(R.Name)->SetCaption(R.Caption);
    if (R.Disabled) Control(R.Name)->SetEnabled(false);
    Place_Row(R, Index++);
  }
  // "." goes no further than the panel's last octet edit.
  if (!FOctet_Chain.empty() && FOctet_Chain.back() != nullptr) FOctet_Chain.push_back(nullptr);
}

void TFParGen::Bind_Controls() {
  // Every control of the tables is owned by the window under its name.
#define ZIDI_BIND(Field) Field = dynamic_cast<std::remove_pointer_t<decltype(Field)>*>(FindComponent(QStringLiteral(#Field)))
  ZIDI_BIND(CP_Ethernet_Connection);
  ZIDI_BIND(CP_OPC_UA_Server);
  ZIDI_BIND(CP_Modbus_Master);
  ZIDI_BIND(CP_NTP);
  ZIDI_BIND(CP_Serial);
  ZIDI_BIND(CP_Modbus_Slave);
  ZIDI_BIND(CP_Modbus_TCP_Master);
  ZIDI_BIND(CP_Modbus_TCP_Slave);
  ZIDI_BIND(CP_BACnet_Master);
  ZIDI_BIND(CP_BACnet_Slave);
  ZIDI_BIND(CP_CAN);
  ZIDI_BIND(CP_CANopen);
  ZIDI_BIND(CP_DeviceNet_Master);
  ZIDI_BIND(CP_DeviceNet_Slave);
  ZIDI_BIND(CP_DMX);
  ZIDI_BIND(CP_EtherNetIP_Master);
  ZIDI_BIND(CP_EtherNetIP);
  ZIDI_BIND(CP_J1939);
  ZIDI_BIND(CP_KNX);
  ZIDI_BIND(CP_MQTT);
  ZIDI_BIND(CP_Ethernet);
  ZIDI_BIND(CP_WiFi);
  ZIDI_BIND(CP_TLS);
  ZIDI_BIND(CP_NMEA2000);
  ZIDI_BIND(CP_PROFINET);
  ZIDI_BIND(CP_PROFIBUS);
  ZIDI_BIND(CP_SNMP_Manager);
  ZIDI_BIND(CP_SNMP_Agent);

  ZIDI_BIND(L_EthConn_Device_Name);
  ZIDI_BIND(E_EthConn_Device_Name);
  ZIDI_BIND(CB_EthConn_En_DHCP_Cable);
  ZIDI_BIND(CB_EthConn_En_DHCP_WiFi);
  ZIDI_BIND(CB_EthConn_Enable_DNS);
  ZIDI_BIND(L_EthConn_Primary_DNS);
  ZIDI_BIND(E_EthConn_Pri_DNS_IP1);
  ZIDI_BIND(E_EthConn_Pri_DNS_IP2);
  ZIDI_BIND(E_EthConn_Pri_DNS_IP3);
  ZIDI_BIND(E_EthConn_Pri_DNS_IP4);
  ZIDI_BIND(L_EthConn_Secondary_DNS);
  ZIDI_BIND(E_EthConn_Sec_DNS_IP1);
  ZIDI_BIND(E_EthConn_Sec_DNS_IP2);
  ZIDI_BIND(E_EthConn_Sec_DNS_IP3);
  ZIDI_BIND(E_EthConn_Sec_DNS_IP4);

  ZIDI_BIND(L_OPC_UA_Server_IP);
  ZIDI_BIND(E_OPC_UA_Server_IP1);
  ZIDI_BIND(E_OPC_UA_Server_IP2);
  ZIDI_BIND(E_OPC_UA_Server_IP3);
  ZIDI_BIND(E_OPC_UA_Server_IP4);
  ZIDI_BIND(L_OPC_UA_Server_SM);
  ZIDI_BIND(E_OPC_UA_Server_SM1);
  ZIDI_BIND(E_OPC_UA_Server_SM2);
  ZIDI_BIND(E_OPC_UA_Server_SM3);
  ZIDI_BIND(E_OPC_UA_Server_SM4);
  ZIDI_BIND(CB_OPC_UA_Server_En_GAT);
  ZIDI_BIND(E_OPC_UA_Server_GAT1);
  ZIDI_BIND(E_OPC_UA_Server_GAT2);
  ZIDI_BIND(E_OPC_UA_Server_GAT3);
  ZIDI_BIND(E_OPC_UA_Server_GAT4);
  ZIDI_BIND(L_OPC_UA_Server_Port);
  ZIDI_BIND(E_OPC_UA_Server_Port);

  ZIDI_BIND(L_ModbusMaster_Serial);
  ZIDI_BIND(CB_ModbusMaster_Serial);
  ZIDI_BIND(L_ModbusMaster_Baudrate);
  ZIDI_BIND(CB_ModbusMaster_Baudrate);
  ZIDI_BIND(L_ModbusMaster_Parity);
  ZIDI_BIND(CB_ModbusMaster_Parity);
  ZIDI_BIND(L_ModbusMaster_StopBits);
  ZIDI_BIND(CB_ModbusMaster_StopBits);
  ZIDI_BIND(L_ModbusMaster_TimeOut);
  ZIDI_BIND(E_ModbusMaster_TimeOut);
  ZIDI_BIND(L_ModbusMaster_CyclicDelay);
  ZIDI_BIND(E_ModbusMaster_CyclicDelay);

  ZIDI_BIND(L_NTP_Server_URL);
  ZIDI_BIND(E_NTP_Server_URL);
  ZIDI_BIND(L_NTP_Poll_Time);
  ZIDI_BIND(E_NTP_Poll_Time);
#undef ZIDI_BIND
}

TCategoryPanel* TFParGen::Panel(const QString& Name) const {
  return dynamic_cast<TCategoryPanel*>(FindComponent(Name));
}

// ---- events ------------------------------------------------------------------

void TFParGen::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(Client_Width);
  SetClientHeight(Client_Height);
  for (int i = 0; i < CPG->PanelCount(); ++i) CPG->Panels(i)->SetVisible(false);
  Order_TAB_Panels();
  Move_GroupBoxs();
  Set_Lang();
}

void TFParGen::FormShow(TObject*) { Load_ParGen(); }

void TFParGen::FormResize(TObject*) {
  if (ClientWidth() != Client_Width) SetClientWidth(Client_Width);
}

void TFParGen::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint MousePos, bool& Handled) {
  const TPoint P = CPG->ScreenToClient(MousePos);
  const TRect R = CPG->ClientRect();
  if (P.X < R.Left || P.X >= R.Right || P.Y < R.Top || P.Y >= R.Bottom) {
    Handled = false;
    return;
  }
  Handled = true;
  const int Lines = Mouse->WheelScrollLines();
  for (int i = 0; i < Lines; ++i) {
    CPG->Perform(WM_VSCROLL, WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    CPG->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
  }
}

TWinControl* TFParGen::Next_Octet(TWinControl* Edit) const {
  for (size_t i = 0; i + 1 < FOctet_Chain.size(); ++i)
    if (FOctet_Chain[i] == Edit) return FOctet_Chain[i + 1];
  return nullptr;
}

void TFParGen::KeyPress(TObject* Sender, QChar& Key) {
  if (Key != QLatin1Char('.')) return;
  Key = QChar(0);
  TWinControl* Next = Next_Octet(dynamic_cast<TWinControl*>(Sender));
  if (Next != nullptr && Next->CanFocus()) Next->SetFocus();
}

void TFParGen::On_Click(TObject* Sender) {
  // The boxes on which a layout depends.
  static const QStringList Layout_Boxes = {
      QStringLiteral("CB_EthConn_En_DHCP_Cable"), QStringLiteral("CB_EthConn_En_DHCP_WiFi"),
      QStringLiteral("CB_MQTT_WillFlag"),         QStringLiteral("CB_TLS_Enable"),
      QStringLiteral("CB_TLS_En_Server_Auth"),    QStringLiteral("CB_TLS_En_Client_Auth"),
      QStringLiteral("CB_WiFi_IP_Auto"),          QStringLiteral("CB_WiFi_En_DHCP"),
      QStringLiteral("CB_SNMP_Agent_Version3"),   QStringLiteral("CB_MQTT_PublishTopicConnection")};
  const auto* Box = dynamic_cast<const TComponent*>(Sender);
  if (Box != nullptr && Layout_Boxes.contains(Box->Name())) Move_GroupBoxs();
}

void TFParGen::On_Change(TObject*) {}

// ---- texts -------------------------------------------------------------------

void TFParGen::Set_Lang() {
  SetCaption(ParGen_Text(400));
  L_SW_Desc->SetCaption(ParGen_Text(401));
  Btn_OK->SetCaption(ParGen_Text(402));
  Btn_Cancel->SetCaption(ParGen_Text(403));
  Btn_OK->SetHint(ParGen_Text(404));
  Btn_Cancel->SetHint(ParGen_Text(405));
  for (const TParGen_Panel_Def& Def : ParGen_Panels()) Set_Lang_Panel(Def);
}

void TFParGen::Set_Lang_Panel(const TParGen_Panel_Def& Def) {
  auto Set_Hint = [this](const QString& Name, int Text) {
    if (Text >= 0) Control(Name)->SetHint(ParGen_Text(Text));
  };
  auto Octet_Hints = [&](const QString& Base, int First) {
    for (int i = 1; i <= 4; ++i) Set_Hint(Base + QString::number(i), First + i - 1);
  };
  for (const TParGen_Row_Def& R : Def.Rows) {
    if (R.Text >= 0) Control(R.Name)->SetCaption(ParGen_Text(R.Text));
    switch (R.Kind) {
      case rkEdit:
        Set_Hint(R.Value, R.Hint);
        break;
      case rkList: {
        Set_Hint(R.Value, R.Hint);
        if (R.Items.startsWith(QLatin1Char('#'))) {
          // "#first-last": the items are texts of the table.
          const QStringList Range = R.Items.mid(1).split(QLatin1Char('-'));
          auto* List = dynamic_cast<TComboBox*>(Control(R.Value));
          List->Items()->Clear();
          for (int n = Range.at(0).toInt(); n <= Range.at(1).toInt(); ++n) List->Items()->Add(ParGen_Text(n));
          List->SetItemIndex(0);
        }
        break;
      }
      case rkBox:
        Set_Hint(R.Name, R.Hint);
        break;
      case rkOctets:
        Octet_Hints(R.Value, R.Hint);
        break;
      case rkBoxOctets:
        Set_Hint(R.Name, R.Hint);
        Octet_Hints(R.Value, R.Hint + 1);
        break;
      case rkBoxEdit:
        Set_Hint(R.Name, R.Hint);
        Set_Hint(R.Value, R.Hint + 1);
        break;
    }
  }
}
