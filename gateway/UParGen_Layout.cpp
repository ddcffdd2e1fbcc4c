// Panel order and layout of the communication-settings window: which panels
// a variant shows, in which order and under which numbers, which rows of a
// panel are shown, where they stand and how high the panel is.
#include <map>

#include "gateway/UParGen.h"
#include "gateway/UParGen_p.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/widgets/StdCtrls.h"

// ---- the members of each variant code -----------------------------------------

#define ZIDI_VARIANT(Code)                                                                      \
  void TFParGen::Order_TAB_Panels_##Code() { Order_Panels(ParGen_Variant_Panels(QStringLiteral(#Code))); } \
  void TFParGen::RePosition_Objects_##Code() { Lay_Out_Variant(QStringLiteral(#Code)); }
ZIDI_VARIANT(KA)
ZIDI_VARIANT(KB)
ZIDI_VARIANT(KC)
ZIDI_VARIANT(KD)
ZIDI_VARIANT(KE)
ZIDI_VARIANT(KF)
ZIDI_VARIANT(KG)
ZIDI_VARIANT(KH)
ZIDI_VARIANT(KI)
ZIDI_VARIANT(KJ)
ZIDI_VARIANT(KK)
ZIDI_VARIANT(KL)
ZIDI_VARIANT(KM)
ZIDI_VARIANT(KN)
ZIDI_VARIANT(KO)
ZIDI_VARIANT(KP)
ZIDI_VARIANT(KQ)
ZIDI_VARIANT(KR)
ZIDI_VARIANT(KS)
ZIDI_VARIANT(KT)
ZIDI_VARIANT(KU)
ZIDI_VARIANT(KV)
ZIDI_VARIANT(KW)
#undef ZIDI_VARIANT

// ---- the members of each panel ---------------------------------------------------

#define ZIDI_PANEL(Name) \
  void TFParGen::RePosition_Object_##Name() { Lay_Out_Panel(*ParGen_Panel(QStringLiteral("CP_" #Name))); }
ZIDI_PANEL(Ethernet_Connection)
ZIDI_PANEL(OPC_UA_Server)
ZIDI_PANEL(Modbus_Master)
ZIDI_PANEL(NTP)
ZIDI_PANEL(Serial)
ZIDI_PANEL(Modbus_Slave)
ZIDI_PANEL(Modbus_TCP_Master)
ZIDI_PANEL(Modbus_TCP_Slave)
ZIDI_PANEL(BACnet_Master)
ZIDI_PANEL(BACnet_Slave)
ZIDI_PANEL(CAN)
ZIDI_PANEL(CANopen)
ZIDI_PANEL(DeviceNet_Master)
ZIDI_PANEL(DeviceNet_Slave)
ZIDI_PANEL(DMX)
ZIDI_PANEL(EtherNetIP_Master)
ZIDI_PANEL(EtherNetIP)
ZIDI_PANEL(J1939)
ZIDI_PANEL(KNX)
ZIDI_PANEL(MQTT)
ZIDI_PANEL(Ethernet)
ZIDI_PANEL(WiFi)
ZIDI_PANEL(TLS)
ZIDI_PANEL(NMEA2000)
ZIDI_PANEL(PROFINET)
ZIDI_PANEL(SNMP_Manager)
ZIDI_PANEL(SNMP_Agent)
#undef ZIDI_PANEL

// ---- dispatch ----------------------------------------------------------------------

namespace {

using TMember = void (TFParGen::*)();

// The order and layout members of each code.
const std::map<QString, std::pair<TMember, TMember>>& Variant_Members() {
#define ZIDI_ENTRY(Code) {QStringLiteral(#Code), {&TFParGen::Order_TAB_Panels_##Code, &TFParGen::RePosition_Objects_##Code}}
  static const std::map<QString, std::pair<TMember, TMember>> Members = {
      ZIDI_ENTRY(KA), ZIDI_ENTRY(KB), ZIDI_ENTRY(KC), ZIDI_ENTRY(KD), ZIDI_ENTRY(KE), ZIDI_ENTRY(KF),
      ZIDI_ENTRY(KG), ZIDI_ENTRY(KH), ZIDI_ENTRY(KI), ZIDI_ENTRY(KJ), ZIDI_ENTRY(KK), ZIDI_ENTRY(KL),
      ZIDI_ENTRY(KM), ZIDI_ENTRY(KN), ZIDI_ENTRY(KO), ZIDI_ENTRY(KP), ZIDI_ENTRY(KQ), ZIDI_ENTRY(KR),
      ZIDI_ENTRY(KS), ZIDI_ENTRY(KT), ZIDI_ENTRY(KU), ZIDI_ENTRY(KV), ZIDI_ENTRY(KW),
  };
#undef ZIDI_ENTRY
  return Members;
}

// The layout member of each panel.
const std::map<QString, TMember>& Panel_Members() {
#define ZIDI_ENTRY(Name) {QStringLiteral("CP_" #Name), &TFParGen::RePosition_Object_##Name}
  static const std::map<QString, TMember> Members = {
      ZIDI_ENTRY(Ethernet_Connection), ZIDI_ENTRY(OPC_UA_Server), ZIDI_ENTRY(Modbus_Master),
      ZIDI_ENTRY(NTP), ZIDI_ENTRY(Serial), ZIDI_ENTRY(Modbus_Slave), ZIDI_ENTRY(Modbus_TCP_Master),
      ZIDI_ENTRY(Modbus_TCP_Slave), ZIDI_ENTRY(BACnet_Master), ZIDI_ENTRY(BACnet_Slave), ZIDI_ENTRY(CAN),
      ZIDI_ENTRY(CANopen), ZIDI_ENTRY(DeviceNet_Master), ZIDI_ENTRY(DeviceNet_Slave), ZIDI_ENTRY(DMX),
      ZIDI_ENTRY(EtherNetIP_Master), ZIDI_ENTRY(EtherNetIP), ZIDI_ENTRY(J1939), ZIDI_ENTRY(KNX),
      ZIDI_ENTRY(MQTT), ZIDI_ENTRY(Ethernet), ZIDI_ENTRY(WiFi), ZIDI_ENTRY(TLS), ZIDI_ENTRY(NMEA2000),
      ZIDI_ENTRY(PROFINET), ZIDI_ENTRY(SNMP_Manager), ZIDI_ENTRY(SNMP_Agent),
  };
#undef ZIDI_ENTRY
  return Members;
}

}  // namespace

void TFParGen::Order_TAB_Panels() {
  const auto It = Variant_Members().find(FVariant_Code);
  if (It != Variant_Members().end()) (this->*It->second.first)();
}

void TFParGen::Move_GroupBoxs() {
  const auto It = Variant_Members().find(FVariant_Code);
  if (It != Variant_Members().end()) (this->*It->second.second)();
}

void TFParGen::Lay_Out_Variant(const QString& Code) {
  for (const QString& Name : ParGen_Variant_Panels(Code)) {
    const auto It = Panel_Members().find(Name);
    if (It != Panel_Members().end()) (this->*It->second)();
  }
}

// ---- the engine --------------------------------------------------------------------

TControl* TFParGen::Control(const QString& Name) const { return dynamic_cast<TControl*>(FindComponent(Name)); }

void TFParGen::Order_Panels(const std::vector<QString>& Panels) {
  int Top = 0;
  int Number = 1;
  for (const QString& Name : Panels) {
    TCategoryPanel* P = Panel(Name);
    // The group stacks its visible panels by their tops: the top is given
    // before the panel joins them, so that it lands below the panels before it.
    P->SetTop(Top);
    P->SetVisible(true);
    Top += P->Height();
    P->SetCaption(QString::number(Number) + QStringLiteral(". ") + ParGen_Text(ParGen_Panel(Name)->Caption_Text));
    P->SetTabOrder(Number - 1);
    ++Number;
  }
}

// A condition: alternatives separated by ",", each a list of terms separated
// by ";" that must all hold. A term compares a control's value (a check box:
// 1 checked, 0 not; a list: its item index) with "=" to one of the values
// separated by "|", or with "!=" to none of them. "never" never holds.
bool TFParGen::Condition_Holds(const QString& Condition) const {
  if (Condition.isEmpty()) return true;
  for (const QString& Alternative : Condition.split(QLatin1Char(','))) {
    bool All = true;
    for (const QString& Term : Alternative.split(QLatin1Char(';'))) {
      const QString T = Term.trimmed();
      const int Not_Pos = T.indexOf(QStringLiteral("!="));
      const int Eq_Pos = T.indexOf(QLatin1Char('='));
      if (Eq_Pos < 0) {
        All = false;  // "never"
        break;
      }
      const bool Negated = Not_Pos >= 0;
      const QString Name = T.left(Negated ? Not_Pos : Eq_Pos);
      const QStringList Values = T.mid(Eq_Pos + 1).split(QLatin1Char('|'));
      int Value = -1;
      if (const auto* Box = dynamic_cast<const TCheckBox*>(Control(Name))) Value = Box->Checked() ? 1 : 0;
      else if (const auto* List = dynamic_cast<const TComboBox*>(Control(Name))) Value = List->ItemIndex();
      const bool Listed = Values.contains(QString::number(Value));
      if (Listed == Negated) {
        All = false;
        break;
      }
    }
    if (All) return true;
  }
  return false;
}

void TFParGen::Place_Row(const TParGen_Row_Def& Row, int Index) {
  using namespace ParGen_Geometry;
  const int Y = First_Row_Y + Index * Row_Step;
  const bool Behind_Box = Row.Kind == rkBoxOctets || Row.Kind == rkBoxEdit;
  const int Value_Y = Y - (Behind_Box ? Box_Value_Raise : Value_Raise);
  Control(Row.Name)->SetTop(Y);
  for (const QString& Name : ParGen_Row_Controls(Row)) {
    if (Name == Row.Name) continue;
    // The dots between octets stand level with the label.
    Control(Name)->SetTop(Name.endsWith(QLatin1String("_Dot")) ? Value_Y + Value_Raise : Value_Y);
  }
}

void TFParGen::Lay_Out_Panel(const TParGen_Panel_Def& Def) {
  if (!Condition_Holds(Def.Lay_Out_When)) return;
  TCategoryPanel* P = Panel(Def.Name);
  // Rows: the shown ones follow one another from the top.
  int Index = 0;
  for (const TParGen_Row_Def& Row : Def.Rows) {
    const bool Shown = Condition_Holds(Row.Show_When);
    for (const QString& Name : ParGen_Row_Controls(Row)) Control(Name)->SetVisible(Shown);
    if (Row.Disabled) Control(Row.Name)->SetEnabled(false);
    if (Shown) Place_Row(Row, Index++);
  }
  // Address controls follow the Ethernet connection's DHCP box.
  if (!Def.DHCP_Controls.empty() && Condition_Holds(Def.DHCP_When)) {
    const bool DHCP = CB_EthConn_En_DHCP_Cable->Checked();
    for (const QString& Name : Def.DHCP_Controls) {
      if (Name.endsWith(QLatin1Char('#'))) {
        for (int i = 1; i <= 4; ++i) Control(Name.chopped(1) + QString::number(i))->SetEnabled(!DHCP);
      } else {
        Control(Name)->SetEnabled(!DHCP);
      }
    }
  }
  // Height: the lowest shown control's bottom, the header and a margin.
  int Bottom = 0;
  for (const TParGen_Row_Def& Row : Def.Rows)
    for (const QString& Name : ParGen_Row_Controls(Row)) {
      const TControl* C = Control(Name);
      if (C->Visible()) Bottom = std::max(Bottom, C->Top() + C->Height());
    }
  P->SetHeight(Bottom + CPG->HeaderHeight() + ParGen_Geometry::Bottom_Margin);
}
