// Panel order and layout of the communication-settings window: which panels
// a variant shows, in which order and under which numbers, and how high each
// panel is.
#include "gateway/UParGen.h"
#include "gateway/UParGen_p.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

void TFParGen::Order_TAB_Panels() {
  if (FVariant_Code == QLatin1String("KB")) Order_TAB_Panels_KB();
}

void TFParGen::Move_GroupBoxs() {
  if (FVariant_Code == QLatin1String("KB")) RePosition_Objects_KB();
}

void TFParGen::Order_TAB_Panels_KB() { Order_Panels(ParGen_Variant_Panels(QStringLiteral("KB"))); }

void TFParGen::RePosition_Objects_KB() {
  RePosition_Object_Ethernet_Connection();
  RePosition_Object_OPC_UA_Server();
  RePosition_Object_Modbus_Master();
  RePosition_Object_NTP();
}

void TFParGen::RePosition_Object_Ethernet_Connection() {
  Lay_Out_Panel(*ParGen_Panel(QStringLiteral("CP_Ethernet_Connection")));
}

void TFParGen::RePosition_Object_OPC_UA_Server() { Lay_Out_Panel(*ParGen_Panel(QStringLiteral("CP_OPC_UA_Server"))); }

void TFParGen::RePosition_Object_Modbus_Master() { Lay_Out_Panel(*ParGen_Panel(QStringLiteral("CP_Modbus_Master"))); }

void TFParGen::RePosition_Object_NTP() { Lay_Out_Panel(*ParGen_Panel(QStringLiteral("CP_NTP"))); }

void TFParGen::Order_Panels(const std::vector<QString>& Panels) {
  int Top = 0;
  int Number = 1;
  for (const QString& Name : Panels) {
    TCategoryPanel* P = Panel(Name);
    const TParGen_Panel_Def* Def = ParGen_Panel(Name);
    // The group stacks its visible panels by their tops: the top is given
    // before the panel joins them, so that it lands below the panels before it.
    P->SetTop(Top);
    P->SetVisible(true);
    Top += P->Height();
    P->SetCaption(QString::number(Number) + QStringLiteral(". ") + ParGen_Text(Def->Caption_Text));
    P->SetTabOrder(Number - 1);
    ++Number;
  }
}

void TFParGen::Lay_Out_Panel(const TParGen_Panel_Def& Def) {
  TCategoryPanel* P = Panel(QString::fromLatin1(Def.Name));
  // Controls that are never enabled.
  for (const TParGen_Row_Def& R : Def.Rows)
    if (R.Disabled) dynamic_cast<TControl*>(FindComponent(QString::fromLatin1(R.Name)))->SetEnabled(false);
  // Address octets follow the Ethernet connection's DHCP box.
  const bool DHCP = CB_EthConn_En_DHCP_Cable->Checked();
  for (const char* Base : Def.DHCP_Octets)
    for (int i = 1; i <= 4; ++i)
      dynamic_cast<TControl*>(FindComponent(QString::fromLatin1(Base) + QString::number(i)))->SetEnabled(!DHCP);
  // Height: the lowest control's bottom, the header and a margin.
  if (Def.Height_Control != nullptr) {
    const TControl* Lowest = dynamic_cast<TControl*>(FindComponent(QString::fromLatin1(Def.Height_Control)));
    P->SetHeight(Lowest->Top() + Lowest->Height() + CPG->HeaderHeight() + ParGen_Geometry::Bottom_Margin);
  }
}
