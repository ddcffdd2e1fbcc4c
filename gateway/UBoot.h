// The update window: the user confirms the device's address (Ethernet mode) or
// picks a serial port (serial mode), chooses what to transfer and whether to
// read it back, and starts the external updater. In Ethernet mode the device
// must first answer ICMP echo requests; then the choices are remembered, the
// job file Ethernet_Update.xml is written and Ethernet_Update.exe is run and
// waited for. Also the main window's "Update Device UDP" action.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

class TIdIcmpClient;
class TLbButton;
class TReplyStatus;
class TXMLDocument;

class TFBoot : public TForm {
 public:
  explicit TFBoot(TComponent* AOwner);
  ~TFBoot() override;

  // --- components ---
  TPanel* P_Title;
  TLabel* L_SW_Code;
  TLabel* L_SW_Desc;
  // Ethernet mode: the four numbers of the device's address, "0" at first.
  TPanel* P_IP_Address;
  TLabel* L_IP_Address;
  TEdit* E_IP1;
  TEdit* E_IP2;
  TEdit* E_IP3;
  TEdit* E_IP4;
  TLabel* L_Dot1;
  TLabel* L_Dot2;
  TLabel* L_Dot3;
  // A device search on the network; part of the layout, hidden in both modes.
  TPanel* P_Eth_Search;
  TLabel* L_Search_Devices;
  TLbButton* Btn_Search;
  TLabel* L_Devices_Found;
  TLabel* L_Device_Name;
  TLabel* L_Device_IP;
  TListBox* LB_Devices;
  TLbButton* Btn_Use_Device;
  // Serial mode: the port and the button that refreshes the port list.
  TPanel* P_Serial;
  TLabel* L_COM_Port;
  TComboBox* CB_COM_Port;
  TLbButton* Btn_COM_List;
  // Both modes: what to transfer and whether to read it back.
  TPanel* P_Options;
  TLabel* L_Update_Option;
  TComboBox* CB_Update_Options;
  TCheckBox* CB_Update_Option_Read_Back;
  TPanel* P_Button;
  TLbButton* Btn_Cancel;  // closes the window with Cancel
  TLbButton* Btn_Update;  // runs the update; the window stays open
  // The echo client: 400 ms receive time-out, 1024 bytes of data.
  TIdIcmpClient* Ping;
  // The document the job file is built in.
  TXMLDocument* XML1;

  // 0 serial mode (the initial value), 1 Ethernet mode; set before showing.
  int Form_Type = 0;
  // Outcome of the last echo: 0 none reported, 1 reply, 2 no reply.
  int ping_res = 0;

  // Prepares the window for Form_Type as it is shown.
  void FormShow(TObject* Sender);
  // Runs the update of the current mode; a press while an update runs, and
  // an echo check the user leaves the window during, start nothing.
  void Btn_UpdateClick(TObject* Sender);
  // The echo check of the address in the four edits: up to two answered
  // echoes, given up after 5 s or when the window is being closed. True when
  // the device counts as reachable.
  bool Send_Ping();
  // The echo client's reply handler.
  void PingReply(TComponent* ASender, const TReplyStatus& AReplyStatus);
  // "." in an address edit moves to the next one and is not typed.
  void KeyPress(TObject* Sender, QChar& Key);
  void Btn_COM_ListClick(TObject* Sender);
  // Refills the port list with the serial ports present.
  void update_ComPort();
  // Writes Ethernet_Update.xml for the address, option and read-back shown.
  void Compile_XML_Parameter_New_Boot();
  // Applies the window's texts.
  void Set_Lang();

  // The address typed: the four edits joined with ".".
  QString IP_Address() const;

  // The millisecond clock of the echo check (GetTickCount) and its pause
  // between echoes, which lets the window handle pending messages; tests
  // replace them.
  std::function<uint32_t()> Tick_Count;
  std::function<void(uint32_t Milliseconds)> Pause;

 private:
  TPanel* New_Panel(int Height);
  TLabel* New_Label(TWinControl* Parent, int Left, int Top);
  TEdit* New_IP_Edit(int Left);
  // A list to pick from under the panel's label.
  TComboBox* New_Drop_List(TWinControl* Parent, int Width);
  // Stacks the panels under the title in the given order.
  void Stack_Panels(std::initializer_list<TPanel*> Panels);

  // True while an update runs (the echo check handles messages).
  bool FUpdating = false;
};

extern TFBoot* FBoot;

// The main window's "Update Device UDP": builds the device image of the open
// configuration through the main window's XML1, writes bank1.bin and
// bank2.bin, then shows the update window in Ethernet mode. A build or write
// error propagates (the framework's error box) and the window does not open.
void Update_Device();
