// The communication-settings window: the device's Ethernet connection, the
// OPC UA server's address and port, the Modbus master's serial line and timing
// and the NTP server, loaded from and saved to the configuration's ParGen.xml.
//
// The window is one window for the whole product family: its panel group holds
// a collapsible panel for every protocol any variant needs. The variant code
// chosen at creation decides which panels are shown, in which order, and how
// they are laid out; the program creates the window for "KB" (Ethernet
// connection, OPC UA server, Modbus master, NTP).
#pragma once

#include <QString>
#include <vector>

#include "platform/ui/Forms.h"

class TPanel;
class TLabel;
class TEdit;
class TComboBox;
class TCheckBox;
class TCategoryPanel;
class TCategoryPanelGroup;
class TImageList;
class TXMLDocument;
class TLbButton;
class TWinControl;

struct TParGen_Panel_Def;
struct TParGen_Row_Def;

class TFParGen : public TForm {
 public:
  // Builds every panel and runs FormCreate (through AfterConstruction).
  // Variant_Code picks the variant whose panels are shown ("KB" in the program).
  explicit TFParGen(TComponent* AOwner, const QString& Variant_Code = QStringLiteral("KB"));
  ~TFParGen() override;

  // The variant code the window was created for.
  const QString& Variant_Code() const { return FVariant_Code; }

  // ---- window parts ----
  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TCategoryPanelGroup* CPG = nullptr;
  TImageList* ImageList1 = nullptr;
  TXMLDocument* XML1 = nullptr;

  // ---- the panels of the product family ----
  TCategoryPanel* CP_Ethernet_Connection = nullptr;
  TCategoryPanel* CP_OPC_UA_Server = nullptr;
  TCategoryPanel* CP_Modbus_Master = nullptr;
  TCategoryPanel* CP_NTP = nullptr;
  TCategoryPanel* CP_Serial = nullptr;
  TCategoryPanel* CP_Modbus_Slave = nullptr;
  TCategoryPanel* CP_Modbus_TCP_Master = nullptr;
  TCategoryPanel* CP_Modbus_TCP_Slave = nullptr;
  TCategoryPanel* CP_BACnet_Master = nullptr;
  TCategoryPanel* CP_BACnet_Slave = nullptr;
  TCategoryPanel* CP_CAN = nullptr;
  TCategoryPanel* CP_CANopen = nullptr;
  TCategoryPanel* CP_DeviceNet_Master = nullptr;
  TCategoryPanel* CP_DeviceNet_Slave = nullptr;
  TCategoryPanel* CP_DMX = nullptr;
  TCategoryPanel* CP_EtherNetIP_Master = nullptr;
  TCategoryPanel* CP_EtherNetIP = nullptr;
  TCategoryPanel* CP_J1939 = nullptr;
  TCategoryPanel* CP_KNX = nullptr;
  TCategoryPanel* CP_MQTT = nullptr;
  TCategoryPanel* CP_Ethernet = nullptr;
  TCategoryPanel* CP_WiFi = nullptr;
  TCategoryPanel* CP_TLS = nullptr;
  TCategoryPanel* CP_NMEA2000 = nullptr;
  TCategoryPanel* CP_PROFINET = nullptr;
  TCategoryPanel* CP_PROFIBUS = nullptr;
  TCategoryPanel* CP_SNMP_Manager = nullptr;
  TCategoryPanel* CP_SNMP_Agent = nullptr;

  // ---- Ethernet connection ----
  TLabel* L_EthConn_Device_Name = nullptr;
  TEdit* E_EthConn_Device_Name = nullptr;
  TCheckBox* CB_EthConn_En_DHCP_Cable = nullptr;
  TCheckBox* CB_EthConn_En_DHCP_WiFi = nullptr;
  TCheckBox* CB_EthConn_Enable_DNS = nullptr;
  TLabel* L_EthConn_Primary_DNS = nullptr;
  TEdit* E_EthConn_Pri_DNS_IP1 = nullptr;
  TEdit* E_EthConn_Pri_DNS_IP2 = nullptr;
  TEdit* E_EthConn_Pri_DNS_IP3 = nullptr;
  TEdit* E_EthConn_Pri_DNS_IP4 = nullptr;
  TLabel* L_EthConn_Secondary_DNS = nullptr;
  TEdit* E_EthConn_Sec_DNS_IP1 = nullptr;
  TEdit* E_EthConn_Sec_DNS_IP2 = nullptr;
  TEdit* E_EthConn_Sec_DNS_IP3 = nullptr;
  TEdit* E_EthConn_Sec_DNS_IP4 = nullptr;

  // ---- OPC UA server ----
  TLabel* L_OPC_UA_Server_IP = nullptr;
  TEdit* E_OPC_UA_Server_IP1 = nullptr;
  TEdit* E_OPC_UA_Server_IP2 = nullptr;
  TEdit* E_OPC_UA_Server_IP3 = nullptr;
  TEdit* E_OPC_UA_Server_IP4 = nullptr;
  TLabel* L_OPC_UA_Server_SM = nullptr;
  TEdit* E_OPC_UA_Server_SM1 = nullptr;
  TEdit* E_OPC_UA_Server_SM2 = nullptr;
  TEdit* E_OPC_UA_Server_SM3 = nullptr;
  TEdit* E_OPC_UA_Server_SM4 = nullptr;
  TCheckBox* CB_OPC_UA_Server_En_GAT = nullptr;
  TEdit* E_OPC_UA_Server_GAT1 = nullptr;
  TEdit* E_OPC_UA_Server_GAT2 = nullptr;
  TEdit* E_OPC_UA_Server_GAT3 = nullptr;
  TEdit* E_OPC_UA_Server_GAT4 = nullptr;
  TLabel* L_OPC_UA_Server_Port = nullptr;
  TEdit* E_OPC_UA_Server_Port = nullptr;

  // ---- Modbus master ----
  TLabel* L_ModbusMaster_Serial = nullptr;
  TComboBox* CB_ModbusMaster_Serial = nullptr;
  TLabel* L_ModbusMaster_Baudrate = nullptr;
  TComboBox* CB_ModbusMaster_Baudrate = nullptr;
  TLabel* L_ModbusMaster_Parity = nullptr;
  TComboBox* CB_ModbusMaster_Parity = nullptr;
  TLabel* L_ModbusMaster_StopBits = nullptr;
  TComboBox* CB_ModbusMaster_StopBits = nullptr;
  TLabel* L_ModbusMaster_TimeOut = nullptr;
  TEdit* E_ModbusMaster_TimeOut = nullptr;
  TLabel* L_ModbusMaster_CyclicDelay = nullptr;
  TEdit* E_ModbusMaster_CyclicDelay = nullptr;

  // ---- NTP ----
  TLabel* L_NTP_Server_URL = nullptr;
  TEdit* E_NTP_Server_URL = nullptr;
  TLabel* L_NTP_Poll_Time = nullptr;
  TEdit* E_NTP_Poll_Time = nullptr;

  // ---- events ----
  // Once, at creation: software code, client size, panels hidden, panel
  // order and layout of the variant, texts.
  void FormCreate(TObject* Sender);
  // Every showing: loads ParGen.xml (or the defaults), then lays out.
  void FormShow(TObject* Sender);
  // Validates, writes ParGen.xml and closes with mrOk; stays open on a failed check.
  void Btn_OKClick(TObject* Sender);
  // Keeps the client width at 460; only the height follows the user.
  void FormResize(TObject* Sender);
  // Scrolls the panel group by the system's wheel lines when the pointer
  // (screen coordinates) is over it; elsewhere the wheel is left unhandled.
  void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
  // "." in an address octet edit moves to the next octet edit instead.
  void KeyPress(TObject* Sender, QChar& Key);
  // Check boxes that change the layout re-run it.
  void On_Click(TObject* Sender);
  // Edits and lists: changes nothing.
  void On_Change(TObject* Sender);

  // ---- operations ----
  // Applies the window's texts (400 to 1169) from the text table; panel
  // captions are left as the creation set them.
  void Set_Lang();
  // The validation of the shown settings: true when every check passes;
  // otherwise shows the first failing check's message and returns false.
  bool Controllo_Dati();
  // Fills the controls from ParGen.xml, or from the defaults without the
  // file, and lays out the panels again.
  void Load_ParGen();
  // Writes ParGen.xml from the controls as they stand (no validation).
  void Save_ParGen();

  // Panel order and layout of the window's variant: run the members of its code.
  void Order_TAB_Panels();
  void Move_GroupBoxs();

  // Order of a variant's panels: each made visible, stacked from the top,
  // captioned "1. ", "2. " ... and the panel's caption text, tab order 0, 1 ...
  // KR and KT do nothing.
  void Order_TAB_Panels_KA();
  void Order_TAB_Panels_KB();
  void Order_TAB_Panels_KC();
  void Order_TAB_Panels_KD();
  void Order_TAB_Panels_KE();
  void Order_TAB_Panels_KF();
  void Order_TAB_Panels_KG();
  void Order_TAB_Panels_KH();
  void Order_TAB_Panels_KI();
  void Order_TAB_Panels_KJ();
  void Order_TAB_Panels_KK();
  void Order_TAB_Panels_KL();
  void Order_TAB_Panels_KM();
  void Order_TAB_Panels_KN();
  void Order_TAB_Panels_KO();
  void Order_TAB_Panels_KP();
  void Order_TAB_Panels_KQ();
  void Order_TAB_Panels_KR();
  void Order_TAB_Panels_KS();
  void Order_TAB_Panels_KT();
  void Order_TAB_Panels_KU();
  void Order_TAB_Panels_KV();
  void Order_TAB_Panels_KW();

  // Layout of a variant: the layouts of its panels, in their order.
  void RePosition_Objects_KA();
  void RePosition_Objects_KB();
  void RePosition_Objects_KC();
  void RePosition_Objects_KD();
  void RePosition_Objects_KE();
  void RePosition_Objects_KF();
  void RePosition_Objects_KG();
  void RePosition_Objects_KH();
  void RePosition_Objects_KI();
  void RePosition_Objects_KJ();
  void RePosition_Objects_KK();
  void RePosition_Objects_KL();
  void RePosition_Objects_KM();
  void RePosition_Objects_KN();
  void RePosition_Objects_KO();
  void RePosition_Objects_KP();
  void RePosition_Objects_KQ();
  void RePosition_Objects_KR();
  void RePosition_Objects_KS();
  void RePosition_Objects_KT();
  void RePosition_Objects_KU();
  void RePosition_Objects_KV();
  void RePosition_Objects_KW();

  // Layout of a panel: shows the rows its switches ask for and hides the
  // others, puts the shown rows 28 pixels apart from the top, disables the
  // address edits while the Ethernet connection's DHCP box is checked, and
  // makes the panel end 12 pixels below its lowest shown control.
  void RePosition_Object_Ethernet_Connection();
  void RePosition_Object_OPC_UA_Server();
  void RePosition_Object_Modbus_Master();
  void RePosition_Object_NTP();
  void RePosition_Object_Serial();
  void RePosition_Object_Modbus_Slave();
  void RePosition_Object_Modbus_TCP_Master();
  void RePosition_Object_Modbus_TCP_Slave();
  void RePosition_Object_BACnet_Master();
  void RePosition_Object_BACnet_Slave();
  void RePosition_Object_CAN();
  void RePosition_Object_CANopen();
  void RePosition_Object_DeviceNet_Master();
  void RePosition_Object_DeviceNet_Slave();
  void RePosition_Object_DMX();
  void RePosition_Object_EtherNetIP_Master();
  void RePosition_Object_EtherNetIP();
  void RePosition_Object_J1939();
  void RePosition_Object_KNX();
  void RePosition_Object_MQTT();
  void RePosition_Object_Ethernet();
  void RePosition_Object_WiFi();
  void RePosition_Object_TLS();
  void RePosition_Object_NMEA2000();
  void RePosition_Object_PROFINET();
  void RePosition_Object_SNMP_Manager();
  void RePosition_Object_SNMP_Agent();

  // The panel of the given name, nullptr when the window has none.
  TCategoryPanel* Panel(const QString& Name) const;

 private:
  void Build_Window();
  void Build_Panels();
  void Build_Panel(const TParGen_Panel_Def& Def);
  void Bind_Controls();
  void Order_Panels(const std::vector<QString>& Panels);
  void Lay_Out_Variant(const QString& Code);
  void Lay_Out_Panel(const TParGen_Panel_Def& Def);
  void Place_Row(const TParGen_Row_Def& Row, int Index);
  bool Condition_Holds(const QString& Condition) const;
  TControl* Control(const QString& Name) const;
  void Set_Lang_Panel(const TParGen_Panel_Def& Def);
  TWinControl* Next_Octet(TWinControl* Edit) const;

  QString FVariant_Code;
  // The octet edits in the order "." moves along them, panel by panel; a
  // nullptr ends a chain.
  std::vector<TWinControl*> FOctet_Chain;
};

// The single instance, created at start by the program block.
extern TFParGen* FParGen;
