// The OPC UA server variables table: the variables the gateway's OPC UA
// server publishes (type, byte position in the data array, start bit,
// length, name, access, byte-order swaps, description), kept in the
// configuration's OPC_UA_Server.xml. A string grid whose columns are built in
// code; its check boxes keep their state apart from the cell text.
#pragma once

#include <QString>
#include <memory>

#include "controls/BaseGrid.h"
#include "platform/ui/Forms.h"
#include "shell/UComon.h"

class TPanel;
class TLabel;
class TLbButton;
class TProStringGrid;
class TStringList;
class TXMLDocument;

class TFOPC_UA_Server_Access : public TForm {
 public:
  explicit TFOPC_UA_Server_Access(TComponent* AOwner);
  ~TFOPC_UA_Server_Access() override;

  // Number of variables (rows below the header).
  static constexpr int Num_Rows = 250;
  // The last byte position a variable may take.
  static constexpr int Max_Position = 1999;

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
  TProStringGrid* PSG = nullptr;
  TXMLDocument* XML1 = nullptr;

  // The 13 type names, the access choices and the start bits offered by the
  // pick lists; the column hints (entry i for column i + 1).
  std::unique_ptr<TStringList> VarType;
  std::unique_ptr<TStringList> RWType;
  std::unique_ptr<TStringList> StartBitType;
  std::unique_ptr<TStringList> Hint;
  // A row was copied from this table during this showing.
  bool Do_Copy = false;

  // ---- events ----
  // Once: software code, size, texts, the grid's columns.
  void FormCreate(TObject* Sender);
  // Every showing: blank rows, the file, the copy flag reset.
  void FormShow(TObject* Sender);
  // Checks, writes OPC_UA_Server.xml and closes with OK; stays open on a failure.
  void Btn_OKClick(TObject* Sender);
  void Btn_DelRowClick(TObject* Sender);
  void Btn_InsRowClick(TObject* Sender);
  void Btn_CopyRowClick(TObject* Sender);
  void Btn_PasteRowClick(TObject* Sender);
  // Columns 2, 4 and 7 pick from VarType, StartBitType and RWType.
  void PSGGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
  // A type picked in column 2 applies its length.
  void PSGComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);

  // Texts of block 1400-1438: caption, description, buttons, headers, hints.
  void Set_Lang();
  // Builds the grid: 12 columns, 251 rows, check-box columns, colours.
  void Init_Table();
  // Applies type ASelection to row ARow: a fixed-size type writes its length
  // into a read-only Length cell, "String" and "ByteString" an editable "10";
  // an empty R/W cell becomes "Read/Write".
  void VarSetLength(const QString& ASelection, int ACol, int ARow);
  // True when every enabled row with a type has a position 0 to 1999.
  bool Controllo_dati();

 private:
  TTable_Buttons FButtons;
};

extern TFOPC_UA_Server_Access* FOPC_UA_Server_Access;
