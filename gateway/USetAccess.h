// The Modbus master read and write tables: the requests the gateway sends as
// Modbus master on its serial line, kept in the configuration's
// ModbusM_SetAccess.xml. Two column grids on two tabs.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "controls/BaseGrid.h"
#include "platform/ui/Forms.h"
#include "shell/UComon.h"

class TPanel;
class TLabel;
class TLbButton;
class TProColumnGrid;
class TStringList;
class TXMLDocument;
class TPageControl;
class TTabSheet;

class TFSetAccess : public TForm {
 public:
  explicit TFSetAccess(TComponent* AOwner);
  ~TFSetAccess() override;

  // Rules per table (rows below the header).
  static constexpr int Num_Rows = 512;

  // ---- window parts ----
  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLbButton* Btn_DelRow = nullptr;
  TLbButton* Btn_InsRow = nullptr;
  TLbButton* Btn_CopyRow = nullptr;
  TLbButton* Btn_PasteRow = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TS_Modbus_Read = nullptr;
  TTabSheet* TS_Modbus_Write = nullptr;
  TProColumnGrid* PCG_Modbus_Read = nullptr;
  TProColumnGrid* PCG_Modbus_Write = nullptr;
  TXMLDocument* XML1 = nullptr;

  // A row was copied from the read / the write table during this showing.
  bool Do_Copy_In_Read = false;
  bool Do_Copy_In_Write = false;
  // Column hints, entry i for real column i + 1.
  std::unique_ptr<TStringList> Hint_Modbus_Set_Access_Read;
  std::unique_ptr<TStringList> Hint_Modbus_Set_Access_Write;
  // Sizes in bytes of the input and output data arrays; set by FormShow.
  int NByte_IN = 0;
  int NByte_OUT = 0;
  // The publish topics of the Topic column; empty in this product.
  std::unique_ptr<TStringList> List_Publish_Topic;
  // Per read row, the index of its topic in List_Publish_Topic, -1 for none.
  std::vector<int> ComboItem_Topic;

  // ---- events ----
  // Once: software code, size, texts, columns of both grids.
  void FormCreate(TObject* Sender);
  // Every showing: columns, blank rows, the file, the read tab, flags reset.
  void FormShow(TObject* Sender);
  // Checks, writes ModbusM_SetAccess.xml and closes with OK; stays open on a failure.
  void bitbtn1Click(TObject* Sender);
  void Btn_DelRowClick(TObject* Sender);
  void Btn_InsertRowClick(TObject* Sender);
  void Btn_CopyRowClick(TObject* Sender);
  void Btn_PasteRowClick(TObject* Sender);
  // Both grids: a click on column 0 selects that row.
  void ClickCell(TObject* Sender, int ARow, int ACol);
  // Both grids: the header's double click fits the column.
  void PCG_Modbus_ReadDblClickCell(TObject* Sender, int ARow, int ACol);
  // Both grids: Enter moves to the next cell when the option is on.
  void PCG_Modbus_ReadKeyPress(TObject* Sender, QChar& Key);
  // Both grids: the column hint on the header row.
  void PCG_Modbus_ReadGridHint(TObject* Sender, int ARow, int ACol, QString& HintStr);
  // Read grid: a topic picked in column 12 is remembered by its index.
  void ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);

  // Texts of block 1500-1593.
  void Set_Lang();
  // True when every enabled used row of both tables passes its checks.
  bool Controllo_dati();
  // Index when it points at Topic in List_Publish_Topic, else the first entry
  // equal to Topic; -1 when none.
  int Get_Index_From_Topic(const QString& Topic, int index) const;
  // The entry at Index; empty outside the list.
  QString Get_Topic_From_Index(int Index) const;

 private:
  // The grid of the active tab.
  TProColumnGrid* Active_Grid() const;
  void Setup_Grid(TProColumnGrid* Grid, bool Read);
  TTable_Buttons FButtons;
};

extern TFSetAccess* FSetAccess;
