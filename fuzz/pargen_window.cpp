// The communication-settings window's ParGen.xml: Load_ParGen as the window's
// OnShow calls it, on the window the program creates (variant "KB", made once,
// offscreen, with the built-in texts). Input: the bytes of ParGen.xml. A file
// that is no XML raises EXMLDocError (the program shows the message). A file
// loaded, then saved with Save_ParGen, loads again to the same control values,
// whatever the controls held in between; saving that again writes the same bytes.
#include "FuzzSupport.h"

#include <QDir>

#include "gateway/UParGen.h"
#include "platform/rtl/XMLDoc.h"
#include "platform/widgets/StdCtrls.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

// The controls that show the settings of ParGen.xml.
const char* const Controls[] = {
    "E_EthConn_Device_Name",   "CB_EthConn_En_DHCP_Cable", "CB_EthConn_En_DHCP_WiFi", "CB_EthConn_Enable_DNS",
    "E_EthConn_Pri_DNS_IP1",   "E_EthConn_Pri_DNS_IP2",    "E_EthConn_Pri_DNS_IP3",   "E_EthConn_Pri_DNS_IP4",
    "E_EthConn_Sec_DNS_IP1",   "E_EthConn_Sec_DNS_IP2",    "E_EthConn_Sec_DNS_IP3",   "E_EthConn_Sec_DNS_IP4",
    "E_OPC_UA_Server_IP1",     "E_OPC_UA_Server_IP2",      "E_OPC_UA_Server_IP3",     "E_OPC_UA_Server_IP4",
    "E_OPC_UA_Server_SM1",     "E_OPC_UA_Server_SM2",      "E_OPC_UA_Server_SM3",     "E_OPC_UA_Server_SM4",
    "E_OPC_UA_Server_GAT1",    "E_OPC_UA_Server_GAT2",     "E_OPC_UA_Server_GAT3",    "E_OPC_UA_Server_GAT4",
    "CB_OPC_UA_Server_En_GAT", "E_OPC_UA_Server_Port",     "CB_ModbusMaster_Serial",  "CB_ModbusMaster_Baudrate",
    "CB_ModbusMaster_Parity",  "CB_ModbusMaster_StopBits", "E_ModbusMaster_TimeOut",  "E_ModbusMaster_CyclicDelay",
    "E_NTP_Server_URL",        "E_NTP_Poll_Time",
};

TFParGen* Window = nullptr;

// The values of the controls, one line each.
QString Values() {
  QString out;
  for (const char* name : Controls) {
    TComponent* c = Window->FindComponent(QLatin1String(name));
    out += QLatin1String(name) + QLatin1Char('=');
    if (auto* e = dynamic_cast<TEdit*>(c)) out += QLatin1Char('[') + e->Text() + QLatin1Char(']');
    else if (auto* b = dynamic_cast<TCheckBox*>(c)) out += b->Checked() ? QLatin1Char('1') : QLatin1Char('0');
    else if (auto* l = dynamic_cast<TComboBox*>(c)) out += QString::number(l->ItemIndex());
    out += QLatin1Char('\n');
  }
  return out;
}

// Other values in every control, so that a reload must set each of them.
void Scramble() {
  for (const char* name : Controls) {
    TComponent* c = Window->FindComponent(QLatin1String(name));
    if (auto* e = dynamic_cast<TEdit*>(c)) e->SetText(QStringLiteral("scrambled"));
    else if (auto* b = dynamic_cast<TCheckBox*>(c)) b->SetChecked(!b->Checked());
    else if (auto* l = dynamic_cast<TComboBox*>(c)) l->SetItemIndex(l->Items()->Count() - 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::InitApplication();
  Dir_Exe = Fuzz::ScratchDir();
  Dir_Master = Dir_Exe + QStringLiteral("/MASTER");
  Name_Project = QStringLiteral("Fuzz");
  Dir_Project = Dir_Exe + QStringLiteral("/PROJECTS/Fuzz");
  QDir().mkpath(Dir_Project);
  Set_Files();
  Fill_Default_Texts();
  SW_Code = QStringLiteral("ZIDI");
  Window = NewForm<TFParGen>(nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Fuzz::WriteFile(File_XML_ParGen, Fuzz::Bytes(Data, Size));
  try {
    Window->Load_ParGen();
  } catch (const EXMLDocError&) {
    return 0;  // not well-formed: the program shows the parser's message
  }
  const QString loaded = Values();
  Window->Save_ParGen();
  const QByteArray saved = Fuzz::ReadFile(File_XML_ParGen);
  Scramble();
  try {
    Window->Load_ParGen();
  } catch (const EXMLDocError& e) {
    Fuzz::Fail("a saved ParGen.xml loads again", QString::fromUtf8(saved), e.Message());
  }
  Fuzz::Check("a saved ParGen.xml loads to the same values", loaded, Values());
  Window->Save_ParGen();
  Fuzz::Check("saving the reloaded values writes the same file", QString::fromLatin1(saved.toHex()),
              QString::fromLatin1(Fuzz::ReadFile(File_XML_ParGen).toHex()));
  return 0;
}
