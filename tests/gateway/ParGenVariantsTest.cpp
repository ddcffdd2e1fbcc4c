// The communication-settings window for every variant of the product family:
// which panels each variant code shows, the texts of every panel, the layout
// of each panel in every state of its switches, and the address edits under
// DHCP. The program itself always builds the window for KB.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <functional>
#include <map>
#include <set>

#include "common/TestSupport.h"
#include "controls/LbButton.h"
#include "gateway/ParGenFixture.h"
#include "gateway/UParGen.h"
#include "gateway/UParGen_p.h"
#include "platform/rtl/Classes.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Snapshot.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/rtl/XMLDoc.h"
#include "shell/ULanguage.h"

namespace {

class ParGenVariants : public ParGenFixture {
 protected:
  static std::unique_ptr<TFParGen> Window(const QString& Code = QStringLiteral("KB")) {
    return std::unique_ptr<TFParGen>(NewForm<TFParGen>(nullptr, Code));
  }
  template <typename T>
  static T* Find(TFParGen* F, const char* Name) {
    T* C = dynamic_cast<T*>(F->FindComponent(QString::fromLatin1(Name)));
    EXPECT_NE(C, nullptr) << Name;
    return C;
  }
  static TCheckBox* Box(TFParGen* F, const char* Name) { return Find<TCheckBox>(F, Name); }
  static TComboBox* List(TFParGen* F, const char* Name) { return Find<TComboBox>(F, Name); }

  // The visible panels in the order the group stacks them.
  static std::vector<TCategoryPanel*> Shown_Panels(TFParGen* F) {
    std::vector<TCategoryPanel*> Shown;
    for (int i = 0; i < F->CPG->PanelCount(); ++i)
      if (F->CPG->Panels(i)->Visible()) Shown.push_back(dynamic_cast<TCategoryPanel*>(F->CPG->Panels(i)));
    std::sort(Shown.begin(), Shown.end(), [](TControl* A, TControl* B) { return A->Top() < B->Top(); });
    return Shown;
  }
  static QStringList Shown_Names(TFParGen* F) {
    QStringList Names;
    for (TCategoryPanel* P : Shown_Panels(F)) Names << P->Name();
    return Names;
  }
};

const QStringList KB_Panels = {"CP_Ethernet_Connection", "CP_OPC_UA_Server", "CP_Modbus_Master", "CP_NTP"};

// ---- the program's window -----------------------------------------------------------

TEST_F(ParGenVariants, ProgramWindowShowsOnlyItsFourPanelsWhateverHappens) {
  auto F = Window();
  auto Expect_KB = [&](const char* After) {
    SCOPED_TRACE(After);
    EXPECT_EQ(Shown_Names(F.get()), KB_Panels);
    const QStringList Captions = {"1. Ethernet Connection", "2. OPC UA Server", "3. Modbus Master",
                                  "4. NTP (Network Time Protocol)"};
    const std::vector<TCategoryPanel*> Shown = Shown_Panels(F.get());
    for (size_t i = 0; i < Shown.size() && i < 4; ++i) EXPECT_EQ(Shown[i]->Caption(), Captions[int(i)]);
  };
  Expect_KB("creation");
  F->Show();
  Expect_KB("missing file");
  F->Hide();
  Write_File(File_XML_ParGen, "<Par_Gen/><!--SW_VERSION = 1.003-->");
  F->Show();
  Expect_KB("file of defaults");
  F->Hide();
  Write_File(File_XML_ParGen,
             "<Par_Gen><DMX_Num_Channels>12</DMX_Num_Channels><BACnet_Type>1</BACnet_Type>"
             "<PROFINET_NAME_STA>x</PROFINET_NAME_STA><NTP_Poll_Time>5</NTP_Poll_Time></Par_Gen>");
  F->Show();
  Expect_KB("file with keys of other variants");
  F->Set_Lang();
  Expect_KB("language change");
  for (const char* Name : {"CB_MQTT_WillFlag", "CB_TLS_Enable", "CB_TLS_En_Server_Auth", "CB_TLS_En_Client_Auth",
                           "CB_WiFi_IP_Auto", "CB_WiFi_En_DHCP", "CB_SNMP_Agent_Version3",
                           "CB_MQTT_PublishTopicConnection"}) {
    Box(F.get(), Name)->SetChecked(!Box(F.get(), Name)->Checked());
    Expect_KB(Name);
  }
  // No control of a hidden panel is written to ParGen.xml.
  F->E_NTP_Poll_Time->SetText(QStringLiteral("5"));
  F->Btn_OK->Click();
  const QByteArray File = Read_File(File_XML_ParGen);
  EXPECT_FALSE(File.contains("DMX")) << File.toStdString();
  TXMLDocument Doc;
  Doc.LoadFromFile(File_XML_ParGen);
  EXPECT_EQ(Doc.ChildNodes().First()->ChildNodes().Count(), 34);
}

// ---- texts ------------------------------------------------------------------------

// The text blocks of the panels.
const std::map<QString, std::vector<std::pair<int, int>>> Panel_Blocks = {
    {"CP_Ethernet_Connection", {{1152, 1169}}},
    {"CP_OPC_UA_Server", {{407, 422}, {1134, 1135}}},
    {"CP_Modbus_Master", {{880, 891}}},
    {"CP_NTP", {{565, 568}}},
    {"CP_Serial", {{914, 921}}},
    {"CP_Modbus_Slave", {{570, 581}}},
    {"CP_Modbus_TCP_Master", {{893, 912}}},
    {"CP_Modbus_TCP_Slave", {{583, 600}}},
    {"CP_BACnet_Master", {{796, 835}}},
    {"CP_BACnet_Slave", {{837, 878}}},
    {"CP_CAN", {{602, 603}}},
    {"CP_CANopen", {{605, 615}}},
    {"CP_DeviceNet_Master", {{635, 638}}},
    {"CP_DeviceNet_Slave", {{626, 633}}},
    {"CP_DMX", {{710, 713}}},
    {"CP_EtherNetIP_Master", {{759, 776}}},
    {"CP_EtherNetIP", {{640, 661}}},
    {"CP_J1939", {{617, 624}}},
    {"CP_KNX", {{715, 718}}},
    {"CP_MQTT", {{424, 449}, {1143, 1150}}},
    {"CP_Ethernet", {{451, 466}}},
    {"CP_WiFi", {{474, 548}}},
    {"CP_TLS", {{550, 563}}},
    {"CP_NMEA2000", {{703, 708}}},
    {"CP_PROFINET", {{666, 692}}},
    {"CP_PROFIBUS", {{694, 701}}},
    {"CP_SNMP_Manager", {{778, 794}}},
    {"CP_SNMP_Agent", {{720, 757}}},
};

// Every text number that a control shows, once per place (caption, hint, list item).
std::multiset<int> Texts_Of(TControl* C) {
  static const QRegularExpression Numbered(QStringLiteral("^T(\\d+)$"));
  std::multiset<int> Found;
  auto Take = [&](const QString& S) {
    const QRegularExpressionMatch M = Numbered.match(S);
    if (M.hasMatch()) Found.insert(M.captured(1).toInt());
  };
  // The text of an edit or list is its content, not a caption.
  if (!dynamic_cast<TEdit*>(C) && !dynamic_cast<TComboBox*>(C)) Take(C->Caption());
  Take(C->Hint());
  if (auto* L = dynamic_cast<TComboBox*>(C))
    for (int i = 0; i < L->Items()->Count(); ++i) Take(L->Items()->Strings(i));
  return Found;
}

TEST_F(ParGenVariants, EveryTextOfAPanelBlockLandsOnceOnThatPanel) {
  auto F = Window();
  for (int n = 0; n < SL_Language->Count(); ++n) SL_Language->SetStrings(n, QStringLiteral("T%1").arg(n));
  F->Set_Lang();

  std::multiset<int> All = Texts_Of(F.get());
  for (int i = 0; i < F->ComponentCount(); ++i)
    if (auto* C = dynamic_cast<TControl*>(F->Components(i))) {
      const std::multiset<int> T = Texts_Of(C);
      All.insert(T.begin(), T.end());
    }
  EXPECT_EQ(All.size(), 514u);
  EXPECT_EQ(std::set<int>(All.begin(), All.end()).size(), 514u) << "a text was assigned twice";
  for (int n = 400; n <= 405; ++n) EXPECT_EQ(All.count(n), 1u) << n;
  for (int n = 922; n <= 1133; ++n) EXPECT_EQ(All.count(n), 0u) << "message " << n;
  EXPECT_EQ(All.count(1136), 0u);

  ASSERT_EQ(Panel_Blocks.size(), 28u);
  for (const auto& [Name, Blocks] : Panel_Blocks) {
    SCOPED_TRACE(Name.toStdString());
    TCategoryPanel* P = F->Panel(Name);
    ASSERT_NE(P, nullptr);
    std::multiset<int> On_Panel;
    for (int i = 0; i < P->ControlCount(); ++i) {
      const std::multiset<int> T = Texts_Of(P->Controls(i));
      On_Panel.insert(T.begin(), T.end());
    }
    std::multiset<int> Expected;
    for (const auto& [First, Last] : Blocks)
      for (int n = First; n <= Last; ++n) Expected.insert(n);
    EXPECT_EQ(On_Panel, Expected);
    EXPECT_EQ(All.count(ParGen_Panel(Name)->Caption_Text), 0u) << "panel caption text";
  }

  // The Wi-Fi lists take their items from the table, the first selected.
  const std::vector<std::tuple<const char*, int, int>> Lists = {
      {"CB_WiFi_Type", 476, 478}, {"CB_WiFi_SecureType", 513, 516}, {"CB_WiFi_Channel", 537, 548}};
  for (const auto& [Name, First, Last] : Lists) {
    TComboBox* L = List(F.get(), Name);
    L->SetItemIndex(1);
    F->Set_Lang();
    ASSERT_EQ(L->Items()->Count(), Last - First + 1) << Name;
    for (int n = First; n <= Last; ++n) EXPECT_EQ(L->Items()->Strings(n - First), QStringLiteral("T%1").arg(n));
    EXPECT_EQ(L->ItemIndex(), 0) << Name;
  }
}

// ---- order of the panels per variant ---------------------------------------------------

struct VariantCase {
  const char* Code;
  std::vector<const char*> Panels;
};

const std::vector<const char*> Around(const char* Protocol) {
  return {"CP_Ethernet_Connection", "CP_OPC_UA_Server", Protocol, "CP_NTP"};
}

const VariantCase Variant_Cases[] = {
    {"KA", Around("CP_Serial")},
    {"KB", Around("CP_Modbus_Master")},
    {"KC", Around("CP_Modbus_Slave")},
    {"KD", Around("CP_Modbus_TCP_Master")},
    {"KE", Around("CP_Modbus_TCP_Slave")},
    {"KF", Around("CP_BACnet_Master")},
    {"KG", Around("CP_BACnet_Slave")},
    {"KH", Around("CP_CAN")},
    {"KI", Around("CP_CANopen")},
    {"KJ", Around("CP_DeviceNet_Master")},
    {"KK", Around("CP_DeviceNet_Slave")},
    {"KL", Around("CP_DMX")},
    {"KM", Around("CP_EtherNetIP_Master")},
    {"KN", Around("CP_EtherNetIP")},
    {"KO", Around("CP_J1939")},
    {"KP", Around("CP_KNX")},
    {"KQ", {"CP_Ethernet_Connection", "CP_OPC_UA_Server", "CP_MQTT", "CP_Ethernet", "CP_WiFi", "CP_TLS", "CP_NTP"}},
    {"KR", {}},
    {"KS", Around("CP_NMEA2000")},
    {"KT", {}},
    {"KU", Around("CP_PROFINET")},
    {"KV", Around("CP_SNMP_Manager")},
    {"KW", Around("CP_SNMP_Agent")},
};

TEST_F(ParGenVariants, EachCodeShowsItsPanelsNumberedAndStacked) {
  EXPECT_EQ(ParGen_Variant_Codes().size(), std::size(Variant_Cases));
  for (const VariantCase& C : Variant_Cases) {
    SCOPED_TRACE(C.Code);
    auto F = Window(QString::fromLatin1(C.Code));
    const std::vector<TCategoryPanel*> Shown = Shown_Panels(F.get());
    ASSERT_EQ(Shown.size(), C.Panels.size());
    int Top = 0;
    for (size_t i = 0; i < Shown.size(); ++i) {
      TCategoryPanel* P = Shown[i];
      EXPECT_EQ(P->Name(), QString::fromLatin1(C.Panels[i]));
      EXPECT_EQ(P->Caption(), QStringLiteral("%1. ").arg(i + 1) + SL_Language->Strings(ParGen_Panel(P->Name())->Caption_Text));
      EXPECT_EQ(P->Top(), Top);
      EXPECT_EQ(P->TabOrder(), static_cast<int>(i));
      Top += P->Height();
    }
    if (QLatin1String(C.Code) == QLatin1String("KQ")) { EXPECT_EQ(Shown[2]->Caption(), QStringLiteral("3. MQTT ")); }
  }
}

TEST_F(ParGenVariants, VariantLayoutGivesTheHeightsOfItsPanelMembersInOrder) {
  using TMember = void (TFParGen::*)();
  const std::map<QString, TMember> Members = {
      {"KA", &TFParGen::RePosition_Objects_KA}, {"KB", &TFParGen::RePosition_Objects_KB},
      {"KC", &TFParGen::RePosition_Objects_KC}, {"KD", &TFParGen::RePosition_Objects_KD},
      {"KE", &TFParGen::RePosition_Objects_KE}, {"KF", &TFParGen::RePosition_Objects_KF},
      {"KG", &TFParGen::RePosition_Objects_KG}, {"KH", &TFParGen::RePosition_Objects_KH},
      {"KI", &TFParGen::RePosition_Objects_KI}, {"KJ", &TFParGen::RePosition_Objects_KJ},
      {"KK", &TFParGen::RePosition_Objects_KK}, {"KL", &TFParGen::RePosition_Objects_KL},
      {"KM", &TFParGen::RePosition_Objects_KM}, {"KN", &TFParGen::RePosition_Objects_KN},
      {"KO", &TFParGen::RePosition_Objects_KO}, {"KP", &TFParGen::RePosition_Objects_KP},
      {"KQ", &TFParGen::RePosition_Objects_KQ}, {"KR", &TFParGen::RePosition_Objects_KR},
      {"KS", &TFParGen::RePosition_Objects_KS}, {"KT", &TFParGen::RePosition_Objects_KT},
      {"KU", &TFParGen::RePosition_Objects_KU}, {"KV", &TFParGen::RePosition_Objects_KV},
      {"KW", &TFParGen::RePosition_Objects_KW},
  };
  const std::map<QString, TMember> Panel_Members = {
      {"CP_Ethernet_Connection", &TFParGen::RePosition_Object_Ethernet_Connection},
      {"CP_OPC_UA_Server", &TFParGen::RePosition_Object_OPC_UA_Server},
      {"CP_NTP", &TFParGen::RePosition_Object_NTP},
      {"CP_Serial", &TFParGen::RePosition_Object_Serial},
      {"CP_Modbus_Master", &TFParGen::RePosition_Object_Modbus_Master},
      {"CP_Modbus_Slave", &TFParGen::RePosition_Object_Modbus_Slave},
      {"CP_Modbus_TCP_Master", &TFParGen::RePosition_Object_Modbus_TCP_Master},
      {"CP_Modbus_TCP_Slave", &TFParGen::RePosition_Object_Modbus_TCP_Slave},
      {"CP_BACnet_Master", &TFParGen::RePosition_Object_BACnet_Master},
      {"CP_BACnet_Slave", &TFParGen::RePosition_Object_BACnet_Slave},
      {"CP_CAN", &TFParGen::RePosition_Object_CAN},
      {"CP_CANopen", &TFParGen::RePosition_Object_CANopen},
      {"CP_DeviceNet_Master", &TFParGen::RePosition_Object_DeviceNet_Master},
      {"CP_DeviceNet_Slave", &TFParGen::RePosition_Object_DeviceNet_Slave},
      {"CP_DMX", &TFParGen::RePosition_Object_DMX},
      {"CP_EtherNetIP_Master", &TFParGen::RePosition_Object_EtherNetIP_Master},
      {"CP_EtherNetIP", &TFParGen::RePosition_Object_EtherNetIP},
      {"CP_J1939", &TFParGen::RePosition_Object_J1939},
      {"CP_KNX", &TFParGen::RePosition_Object_KNX},
      {"CP_MQTT", &TFParGen::RePosition_Object_MQTT},
      {"CP_Ethernet", &TFParGen::RePosition_Object_Ethernet},
      {"CP_WiFi", &TFParGen::RePosition_Object_WiFi},
      {"CP_TLS", &TFParGen::RePosition_Object_TLS},
      {"CP_NMEA2000", &TFParGen::RePosition_Object_NMEA2000},
      {"CP_PROFINET", &TFParGen::RePosition_Object_PROFINET},
      {"CP_SNMP_Manager", &TFParGen::RePosition_Object_SNMP_Manager},
      {"CP_SNMP_Agent", &TFParGen::RePosition_Object_SNMP_Agent},
  };
  auto F = Window(QStringLiteral("KR"));  // nothing laid out at creation
  for (const char* Name : {"CB_MQTT_WillFlag", "CB_TLS_Enable", "CB_TLS_En_Client_Auth", "CB_SNMP_Agent_Version3"})
    Box(F.get(), Name)->SetChecked(true);
  List(F.get(), "CB_BACnet_Slave_Type")->SetItemIndex(1);
  for (const VariantCase& C : Variant_Cases) {
    SCOPED_TRACE(C.Code);
    std::vector<int> By_Variant, By_Panels;
    for (int i = 0; i < F->CPG->PanelCount(); ++i) F->CPG->Panels(i)->SetHeight(30);
    (F.get()->*Members.at(QString::fromLatin1(C.Code)))();
    for (int i = 0; i < F->CPG->PanelCount(); ++i) By_Variant.push_back(F->CPG->Panels(i)->Height());
    for (int i = 0; i < F->CPG->PanelCount(); ++i) F->CPG->Panels(i)->SetHeight(30);
    for (const char* Panel : C.Panels) (F.get()->*Panel_Members.at(QString::fromLatin1(Panel)))();
    for (int i = 0; i < F->CPG->PanelCount(); ++i) By_Panels.push_back(F->CPG->Panels(i)->Height());
    EXPECT_EQ(By_Variant, By_Panels);
    int Changed = 0;
    for (int H : By_Variant) Changed += H != 30 ? 1 : 0;
    EXPECT_EQ(Changed, static_cast<int>(C.Panels.size()));
  }
}

}  // namespace
