// ParGen.xml of the communication-settings window: loading the controls from
// it (or from the defaults), checking the settings and writing the file.
#include <array>
#include <optional>

#include "gateway/UParGen.h"
#include "gateway/UParGen_p.h"
#include "platform/ui/Dialogs.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"

namespace {

// One setting of ParGen.xml: its element, the control showing it and the
// control's default (an edit's text, a list's item index; boxes default to
// unchecked).
struct TParGen_Element {
  const char* Element;
  const char* Control;
  const char* Default;
};

// The settings in the order they are written.
constexpr TParGen_Element Elements[] = {
    {"Eth_Conn_Device_Name", "E_EthConn_Device_Name", ""},
    {"Eth_Conn_DHCP_Cable", "CB_EthConn_En_DHCP_Cable", ""},
    {"Eth_Conn_DHCP_WiFi", "CB_EthConn_En_DHCP_WiFi", ""},
    {"Eth_Conn_Enable_DNS", "CB_EthConn_Enable_DNS", ""},
    {"Eth_Conn_Primary_DNS1", "E_EthConn_Pri_DNS_IP1", "8"},
    {"Eth_Conn_Primary_DNS2", "E_EthConn_Pri_DNS_IP2", "8"},
    {"Eth_Conn_Primary_DNS3", "E_EthConn_Pri_DNS_IP3", "8"},
    {"Eth_Conn_Primary_DNS4", "E_EthConn_Pri_DNS_IP4", "8"},
    {"Eth_Conn_Secondary_DNS1", "E_EthConn_Sec_DNS_IP1", "8"},
    {"Eth_Conn_Secondary_DNS2", "E_EthConn_Sec_DNS_IP2", "8"},
    {"Eth_Conn_Secondary_DNS3", "E_EthConn_Sec_DNS_IP3", "8"},
    {"Eth_Conn_Secondary_DNS4", "E_EthConn_Sec_DNS_IP4", "8"},
    {"OPC_UA_Server_IP1", "E_OPC_UA_Server_IP1", "192"},
    {"OPC_UA_Server_IP2", "E_OPC_UA_Server_IP2", "168"},
    {"OPC_UA_Server_IP3", "E_OPC_UA_Server_IP3", "0"},
    {"OPC_UA_Server_IP4", "E_OPC_UA_Server_IP4", "10"},
    {"OPC_UA_Server_SM1", "E_OPC_UA_Server_SM1", "255"},
    {"OPC_UA_Server_SM2", "E_OPC_UA_Server_SM2", "255"},
    {"OPC_UA_Server_SM3", "E_OPC_UA_Server_SM3", "255"},
    {"OPC_UA_Server_SM4", "E_OPC_UA_Server_SM4", "0"},
    {"OPC_UA_Server_GAT1", "E_OPC_UA_Server_GAT1", "192"},
    {"OPC_UA_Server_GAT2", "E_OPC_UA_Server_GAT2", "168"},
    {"OPC_UA_Server_GAT3", "E_OPC_UA_Server_GAT3", "0"},
    {"OPC_UA_Server_GAT4", "E_OPC_UA_Server_GAT4", "1"},
    {"OPC_UA_Server_EN_GAT", "CB_OPC_UA_Server_En_GAT", ""},
    {"OPC_UA_Server_Port", "E_OPC_UA_Server_Port", "4840"},
    {"ModbusM_SERIAL", "CB_ModbusMaster_Serial", "0"},
    {"ModbusM_BAUDRATE", "CB_ModbusMaster_Baudrate", "7"},
    {"ModbusM_PARITY", "CB_ModbusMaster_Parity", "0"},
    {"ModbusM_STOPBITS", "CB_ModbusMaster_StopBits", "0"},
    {"ModbusM_TIMEOUT", "E_ModbusMaster_TimeOut", "1000"},
    {"ModbusM_CYCLIC", "E_ModbusMaster_CyclicDelay", "100"},
    {"NTP_Server_URL", "E_NTP_Server_URL", ""},
    {"NTP_Poll_Time", "E_NTP_Poll_Time", ""},
};

// Text of the root's child element Name; nothing when there is no such
// element or it holds more than text.
std::optional<QString> Element_Text(const IXMLNode& Root, const QString& Name) {
  if (!Root) return std::nullopt;
  const IXMLNode Node = Root->ChildNodes().FindNode(Name);
  if (!Node || Node->NodeType() != ntElement) return std::nullopt;
  try {
    return Node->Text();
  } catch (const EXMLDocError&) {
    return std::nullopt;
  }
}

QString Latin1(const char* S) { return QString::fromLatin1(S); }

}  // namespace

// ---- loading -----------------------------------------------------------------

void TFParGen::Load_ParGen() {
  // Puts an element's text, or the default when the element is missing, into
  // its control.
  auto Put = [this](const TParGen_Element& E, const std::optional<QString>& Value) {
    TComponent* C = FindComponent(Latin1(E.Control));
    if (auto* Edit = dynamic_cast<TEdit*>(C)) {
      Edit->SetText(Value.value_or(Latin1(E.Default)));
    } else if (auto* Box = dynamic_cast<TCheckBox*>(C)) {
      Box->SetChecked(Value && *Value == QLatin1String("1"));
    } else if (auto* List = dynamic_cast<TComboBox*>(C)) {
      const int Default = StrToInt(Latin1(E.Default));
      int Index = Value ? StrToIntDef(*Value, Default) : Default;
      // An index the list does not hold would leave it without a selection,
      // which the next save would store as -1: take the default item instead.
      if (Index < 0 || Index >= List->Items()->Count()) Index = Default;
      List->SetItemIndex(Index);
    }
  };

  IXMLNode Root;
  const bool Have_File = FileExists(File_XML_ParGen);
  if (Have_File) {
    XML1->LoadFromFile(File_XML_ParGen);
    // The document's first node is taken as the root whatever its name.
    Root = XML1->ChildNodes().First();
  }
  for (const TParGen_Element& E : Elements) {
    const QString Name = Latin1(E.Element);
    if (Name == QLatin1String("Eth_Conn_DHCP_WiFi")) {
      // The Wi-Fi DHCP box is always off.
      CB_EthConn_En_DHCP_WiFi->SetChecked(false);
      continue;
    }
    if (Name == QLatin1String("OPC_UA_Server_Port") && Have_File) {
      // Files of earlier versions keep the primary DNS and its switch here.
      const std::array<TEdit*, 4> DNS = {E_EthConn_Pri_DNS_IP1, E_EthConn_Pri_DNS_IP2, E_EthConn_Pri_DNS_IP3,
                                         E_EthConn_Pri_DNS_IP4};
      for (int i = 0; i < 4; ++i)
        if (const auto Old = Element_Text(Root, QStringLiteral("OPC_UA_Server_DNS%1").arg(i + 1)))
          DNS[i]->SetText(*Old);
      if (const auto Old = Element_Text(Root, QStringLiteral("OPC_UA_Server_EN_DNS")))
        CB_EthConn_Enable_DNS->SetChecked(*Old == QLatin1String("1"));
    }
    Put(E, Have_File ? Element_Text(Root, Name) : std::nullopt);
  }
  Move_GroupBoxs();
}

// ---- checking ----------------------------------------------------------------

bool TFParGen::Controllo_Dati() {
  auto Number = [](const TEdit* E) { return StrToIntDef(E->Text(), -1); };
  auto Fail = [](int Message) {
    MessageDlg(ParGen_Text(Message), mtError, TMsgDlgButtons{mbOK}, 0);
    return false;
  };
  // Four octets 0 to 255; the messages of the four follow one another.
  auto Octets = [&](std::array<const TEdit*, 4> Edits, int First_Message) {
    for (int i = 0; i < 4; ++i) {
      const int V = Number(Edits[i]);
      if (V < 0 || V > 255) return Fail(First_Message + i);
    }
    return true;
  };

  if (CB_EthConn_Enable_DNS->Checked()) {
    if (!Octets({E_EthConn_Pri_DNS_IP1, E_EthConn_Pri_DNS_IP2, E_EthConn_Pri_DNS_IP3, E_EthConn_Pri_DNS_IP4}, 1170))
      return false;
    if (!Octets({E_EthConn_Sec_DNS_IP1, E_EthConn_Sec_DNS_IP2, E_EthConn_Sec_DNS_IP3, E_EthConn_Sec_DNS_IP4}, 1174))
      return false;
  }
  // The address octets are checked even while DHCP disables them.
  if (!Octets({E_OPC_UA_Server_IP1, E_OPC_UA_Server_IP2, E_OPC_UA_Server_IP3, E_OPC_UA_Server_IP4}, 922))
    return false;
  if (!Octets({E_OPC_UA_Server_SM1, E_OPC_UA_Server_SM2, E_OPC_UA_Server_SM3, E_OPC_UA_Server_SM4}, 926))
    return false;
  if (CB_OPC_UA_Server_En_GAT->Checked() &&
      !Octets({E_OPC_UA_Server_GAT1, E_OPC_UA_Server_GAT2, E_OPC_UA_Server_GAT3, E_OPC_UA_Server_GAT4}, 930))
    return false;
  // Port 10000 belongs to the device's own application.
  const int Port = Number(E_OPC_UA_Server_Port);
  if (Port < 0 || Port > 65535 || Port == 10000) return Fail(1136);
  if (CB_ModbusMaster_StopBits->ItemIndex() > 0 && CB_ModbusMaster_Parity->ItemIndex() > 0) return Fail(935);
  const int Time_Out = Number(E_ModbusMaster_TimeOut);
  if (Time_Out < 0 || Time_Out > 100000) return Fail(936);
  const int Cyclic = Number(E_ModbusMaster_CyclicDelay);
  if (Cyclic < 0 || Cyclic > 10000) return Fail(937);
  const int Poll = Number(E_NTP_Poll_Time);
  if (Poll < 0 || Poll > 10000000) return Fail(1092);
  return true;
}

// ---- saving ------------------------------------------------------------------

void TFParGen::Save_ParGen() {
  // Start from an empty document; one left inactive by a failed load must not
  // reload that file here.
  if (!XML1->Active()) {
    XML1->SetFileName(QString());
    XML1->SetActive(true);
  }
  XML1->ChildNodes().Clear();
  const IXMLNode Root = XML1->AddChild(QStringLiteral("Par_Gen"));
  XML1->ChildNodes().Add(XML1->CreateNode(QStringLiteral("SW_VERSION = ") + Program_Version, ntComment));
  for (const TParGen_Element& E : Elements) {
    TComponent* C = FindComponent(Latin1(E.Control));
    QString Value;
    if (auto* Edit = dynamic_cast<TEdit*>(C)) Value = Edit->Text();
    else if (auto* Box = dynamic_cast<TCheckBox*>(C)) Value = Box->Checked() ? QStringLiteral("1") : QStringLiteral("0");
    else if (auto* List = dynamic_cast<TComboBox*>(C)) Value = QString::number(List->ItemIndex());
    Root->AddChild(Latin1(E.Element))->SetText(Value);
  }
  XML1->SaveToFile(File_XML_ParGen);
}

void TFParGen::Btn_OKClick(TObject*) {
  if (!Controllo_Dati()) return;
  Save_ParGen();
  SetModalResult(mrOk);
}
