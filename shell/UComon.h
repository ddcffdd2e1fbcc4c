// Program state shared by every window: the program's folders, the open
// configuration and the path of each window's file inside it, the texts that
// identify the software, the last values of the update window and the user's
// options; the settings file Varnelto.xml; the field validators.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Types.h"

class TStringList;
class TXMLDocument;

// The program version: shown by the about window, compared by the version check
// and written into the device image.
extern const QString Program_Version;  // "1.003"

// Folders of the program. Dir_Exe is the folder of the executable without a
// trailing separator; the other three lie directly inside it.
extern QString Dir_Exe;
extern QString Dir_Master;    // Dir_Exe + "/MASTER": the device firmware file
extern QString Dir_Projects;  // Dir_Exe + "/PROJECTS": one subfolder per configuration
extern QString Dir_Language;  // Dir_Exe + "/LANGUAGE": language files and flag pictures

// The open configuration. Both are empty when none is open; otherwise
// Dir_Project is Dir_Projects + "/" + Name_Project.
extern QString Name_Project;
extern QString Dir_Project;

// Per-window files inside Dir_Project, set together by Set_Files.
extern QString File_XML_ParGen;
extern QString File_XML_OPC_UA_Server;
extern QString File_XML_ModbusM_SetAccess;
extern QString File_XML_BACnet_Slave;
extern QString File_XML_CAN_Rec_Frames;
extern QString File_XML_CAN_Send_Frames;
extern QString File_XML_BACnet_Master_Access;
extern QString File_XML_ModbusTCPM_SetAccess;
extern QString File_XML_SDO_Server_CANopen;
extern QString File_XML_SDO_Client_CANopen;
extern QString File_XML_PDO_CANopen;
extern QString File_XML_MQTT_Set_Topic;
extern QString File_XML_DNETM_Net;
extern QString File_XML_DNETM_DefOff;
extern QString File_XML_DMX_Default_Values;
extern QString File_XML_J1939_Rec_Frames;
extern QString File_XML_J1939_Send_Frames;
extern QString File_XML_KNX_SetAccess;
extern QString File_XML_NMEA_Rec_Frames;
extern QString File_XML_NMEA_Send_Frames;
extern QString File_XML_SNMP_Manager;
extern QString File_XML_SNMP_Trap;
extern QString File_XML_EtherNetIP_Master_Rules;

// Texts identifying the software, set by the main window at start.
extern QString SW_Title;  // window title (ends with a blank)
extern QString SW_Code;   // software code shown in every window's L_SW_Code
extern QString SW_Desc;   // product description

// The fixed values the main window gives SW_Title, SW_Code and SW_Desc.
extern const QString SW_Title_Text;
extern const QString SW_Code_Text;
extern const QString SW_Desc_Text;

// Last values of the update window. Only the address is kept in the settings
// file; the option (0 firmware and configuration, 1 firmware only,
// 2 configuration only) and the read-back choice last while the program runs.
extern QString Last_IP_Address;
extern int Last_Update_Option;
extern bool Last_Read_Back;
extern const QString Default_IP_Address;  // "192.168.2.205"

// The current language: the name of its .lng file without extension.
extern QString Name_Language;

// User options, off unless the settings file turns them on.
extern bool Opt_Enable_Internet;
extern bool Opt_Enable_Update;
extern bool Opt_Jump_Field_Tables;
extern bool Opt_Double_Click_Auto_Size;

// The row clipboard: one text per copied column, and for rows copied from the
// string grid whether each of those cells is a check box. The main window
// creates the list at start.
extern std::unique_ptr<TStringList> SL_Copy_Row;
extern std::vector<bool> Copy_Row_Is_Check;

// Objects collected by the MIB export; created by the main window at start.
extern std::unique_ptr<TStringList> SL_MIB_Read;
extern std::unique_ptr<TStringList> SL_MIB_Write;

// Folder of the last imported BACnet EDE file; empty at start.
extern QString Dir_EDE_File;

// Sets the 23 per-window file paths from Dir_Project.
void Set_Files();

// ---------------------------------------------------------------------------
// The settings file Varnelto.xml in Dir_Exe:
//   <Conf_Settings>
//     <lastproj><projectname>Name_Project</projectname></lastproj>
//     <lastipadd><ipaddress>Last_IP_Address</ipaddress></lastipadd>
//     <lastlang><language>Name_Language</language></lastlang>
//     <lastinternet><enable_internet>1|0</enable_internet><enable_update>..
//       <enable_jump_field_tables>..<Double_Click_Auto_Size>..</lastinternet>
//   </Conf_Settings>
// Both routines work through the given document (the main window's XML1).

// Reads Name_Project, Last_IP_Address, Name_Language and the four options.
// Every value that is missing or unreadable takes its default; a file that is
// missing or not well-formed gives every value its default and also clears
// Dir_Project. An option is on only for the text "1".
void Read_Setting(TXMLDocument* XML1);

// Writes the settings file from the current state, replacing it. Raises the
// framework's error when the file cannot be written.
void Save_Setting(TXMLDocument* XML1);

// ---------------------------------------------------------------------------
// Field validators. They keep no state and show no messages. Numbers are read
// with the framework's integer conversion (leading blanks, sign, decimal or
// "$"/"x"/"0x" hexadecimal; anything else gives the stated default).

// True when Text, trimmed, is a dotted IPv4 address of four parts 0 to 255
// (each part trimmed). Each part found is handed back at once, so a false
// result may leave some of them set.
bool Split_IP_Address(const QString& Text, QString& IP1, QString& IP2, QString& IP3,
                      QString& IP4);

// Error flag: false when Text is four parts 0 to 255 separated by "." (parts
// are not trimmed), with the bytes in B1..B4; true otherwise (a bad part's byte
// becomes 0; an empty Text leaves the bytes untouched).
bool Conv_IP_To_Bytes(const QString& Text, Byte& B1, Byte& B2, Byte& B3, Byte& B4);

// True when Text is "a.b.c.d:port" (parts trimmed) with bytes 0 to 255 and a
// port 0 to 65535; the out parameters are 0 unless the result is true.
bool Conv_IP_Port(const QString& Text, Byte& B1, Byte& B2, Byte& B3, Byte& B4, Word& Port);

// 0 when Text is a valid KNX address, 1 otherwise. Individual addresses are
// area.line.device (0-15, 0-15, 0-255; all three 0 only when AllowAllZero) or
// one number 1 to 65535; group addresses are main/sub (0-31, 0-2047),
// main/middle/sub (0-31, 0-7, 0-255), not all zero, or one number 1 to 65535.
int Check_KNX_Address(const QString& Text, bool Group, bool AllowAllZero);

// True when Text holds no "." (so it is read as a group address).
bool Is_Group_Address(const QString& Text);

// 0 for a valid SNMP object identifier, else the first fault: 1 longer than
// 128 characters, 2 a character other than digits and ".", 3 starts with ".",
// 4 ends with ".", 5 two dots together, 6 a component above 4294967295 (an
// empty text counts as one empty component, which is no number: 6).
int Check_OID(const QString& Text);

// The SNMPv3 security level: "AUTH NOPRIV" 1, "AUTH PRIV" 3 (compared trimmed
// and in upper case), -1 for an empty text, 0 for anything else.
int Get_Security_Level(const QString& Text);

// The system's decimal separator when it is "," or "."; "," otherwise.
QChar Get_Decimal_Separator();

// Converts Text to a number with Sep as the decimal separator, after turning
// every "," or "." of Text into Sep. True and the value on success; false and
// 1.0 otherwise.
bool Conv_Str_To_Float(const QString& Text, QChar Sep, float& Value);

// The numbers of the serial ports present (1 to 256), ascending, as texts.
std::unique_ptr<TStringList> Get_COM_List();

// ---------------------------------------------------------------------------
// Row operations of the table windows and the row clipboard. Rows are real
// row indexes 1 to RowCount - 1; all loops run over the real columns 1 to
// ColCount + NumHiddenColumns - 1, hidden columns included. The _PCG family
// serves column grids, whose check boxes are "Y"/"N" cell texts; the _PSG
// family serves the plain string grid, whose check boxes keep their state
// apart from the text and whose cells carry read-only flags that move with
// the rows.

class TProStringGrid;
class TProColumnGrid;
class TCustomForm;
class TWinControl;
class TPanel;
class TLbButton;
class TLabel;
class TObject;

// The clipboard := the texts of the row.
void Copy_Row_PCG(TProColumnGrid* Grid, int Row);
// The clipboard into the row. Refused with text 1302 unless Copied (the
// table's flag), with text 1301 when the clipboard is of another width; a row
// holding text outside its check-box columns is overwritten only after a Yes
// to text 1300.
void Paste_Row_PCG(TProColumnGrid* Grid, int Row, bool Copied);
// Removes the row; the rows below move up and the last row is emptied.
void Del_Row_PCG(int Row, TProColumnGrid* Grid);
// An empty row at Row ("Y" in column 1 when Enable); the rows from there move
// down and the last row's content is lost.
void Ins_Row_PCG(int Row, TProColumnGrid* Grid, bool Enable);

// The clipboard := the texts of the row, check boxes as "Y"/"N", and which
// cells are check boxes.
void Copy_Row_PSG(TProStringGrid* Grid, int Row);
// As Paste_Row_PCG; check boxes take their state from the clipboard.
void Paste_Row_PSG(TProStringGrid* Grid, int Row, bool Copied);
// As Del_Row_PCG, moving check states and read-only flags with the rows. The
// emptied last row is editable; its column-1 box is checked when Enable.
void Del_Row_PSG(int Row, TProStringGrid* Grid, bool Enable);
// As Ins_Row_PCG, moving check states and read-only flags with the rows; the
// new row is editable, its column-1 box checked when Enable.
void Ins_Row_PSG(int Row, TProStringGrid* Grid, bool Enable);

// A double click on a header cell fits that column to its texts when the
// option Opt_Double_Click_Auto_Size is on.
void DblClick_Auto_Size(TProStringGrid* Grid, int Row, int Col);
// With the option Opt_Jump_Field_Tables on, Enter moves to the next cell
// (wrapping to column 1 of the next row, and from the last row to row 1) and
// is swallowed.
void Enter_Next_Cell(TProStringGrid* Grid, QChar& Key);

// ---------------------------------------------------------------------------
// Table files and the parts every table window shares.
//
// A table file holds its root element, then the comment "SW_VERSION = " and
// the file's version at document level; the root holds one section element
// per table, a section one "row" element per used row, in row order; a row
// carries one attribute per data column. Written in UTF-8 without
// indentation.

// One attribute of a row: its name and the value a row without it gets.
struct TTable_Attribute {
  QString Name;
  QString Default;
  // A missing optional attribute is normal; a missing required one makes the
  // row incomplete, which the user is told about after loading.
  bool Optional = false;
};

// One table: its section element and its attributes in column order.
struct TTable_Section {
  QString Name;
  std::vector<TTable_Attribute> Attributes;
};

// One table file.
struct TTable_File {
  QString Root;
  QString Version;  // e.g. "1.003"
  std::vector<TTable_Section> Sections;
};

// The values of one row, in attribute order.
using TTable_Row = QStringList;

// Reads Path into XML1 and hands each row of each section to Put_Row
// (section index, row index from 0, values with a missing attribute's
// default). The document's first node is taken as the root; a section that
// is not found, or a file that cannot be read, stops the loading with the
// framework's error report, after the rows handed over so far. Rows beyond
// Max_Rows of a section are ignored. Rows lacking a required attribute are
// loaded all the same and named once in an error box after loading. A
// missing file hands over nothing. Result: false when the loading stopped.
bool Load_Table_File(TXMLDocument* XML1, const QString& Path, const TTable_File& File, int Max_Rows,
                     const std::function<void(int Section, int Row, const TTable_Row& Values)>& Put_Row);

// Rebuilds XML1 from scratch with the given rows per section and saves it to
// Path, replacing the file. Raises the framework's error when it cannot be
// written.
void Save_Table_File(TXMLDocument* XML1, const QString& Path, const TTable_File& File,
                     const std::vector<std::vector<TTable_Row>>& Rows);

// The texts of the data rows of a column grid from row 1 up to the first row
// whose key column, trimmed, is empty: real columns 1 to the last.
std::vector<TTable_Row> Table_Rows(TProStringGrid* Grid, int Key_Col);

// Nothing after the first unused row (key column, trimmed, empty) would be
// saved: when a later row has a key, shows an error naming that row and the
// unused one before it and gives false. Table_Name opens the message ("" for
// a window of one table).
bool Check_Table_Gaps(TProStringGrid* Grid, int Key_Col, const QString& Table_Name);

// A table grid as the table windows use it: Cols visible columns, Rows rows
// with the fixed header row and row-number column, editing, range selection.
void Setup_Table_Grid(TProStringGrid* Grid, int Cols, int Rows);

// The six row buttons of a table window along its button panel:
// Btn_OK, Btn_Cancel (modal result Cancel), Btn_DelRow, Btn_InsRow,
// Btn_CopyRow, Btn_PasteRow, 110 x 28, 118 pixels apart.
struct TTable_Buttons {
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLbButton* Btn_DelRow = nullptr;
  TLbButton* Btn_InsRow = nullptr;
  TLbButton* Btn_CopyRow = nullptr;
  TLbButton* Btn_PasteRow = nullptr;
};
// The click handlers of the five buttons without a modal result.
struct TTable_Button_Handlers {
  std::function<void(TObject* Sender)> OK, DelRow, InsRow, CopyRow, PasteRow;
};
TTable_Buttons New_Table_Buttons(TCustomForm* Form, TPanel* P_Button, const TTable_Button_Handlers& Handlers);
// Clicks a button as the user does (its handler, then its modal result).
void Click_Table_Button(TLbButton* Button);

// The texts of a table window's block starting at First: caption First,
// description First + 1, button captions First + 2 to First + 7, button hints
// First + 8 to First + 13.
void Set_Table_Window_Texts(TCustomForm* Form, TLabel* L_SW_Desc, const TTable_Buttons& Buttons, int First);

// A confirmation with Yes and No; true only for Yes.
bool Confirm_Table(const QString& Text);
// An error box with one OK button.
void Error_Table(const QString& Text);
