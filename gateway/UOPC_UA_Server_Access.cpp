#include "gateway/UOPC_UA_Server_Access.h"

#include "grid/ProGrid.h"
#include "platform/gdi/WinGdi.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/XMLDoc.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/widgets/StdCtrls.h"
#include "shell/UDialogParts.h"
#include "shell/ULanguage.h"

TFOPC_UA_Server_Access* FOPC_UA_Server_Access = nullptr;

namespace {

constexpr int Client_Width = 1200;
constexpr int Client_Height = 337;
constexpr int Num_Cols = 12;

// Columns of the grid.
enum { col_N, col_Enable, col_Type, col_Position, col_StartBit, col_Length, col_Name, col_RW, col_Swap,
       col_SwapWord, col_SwapAll, col_Mnemonic };

// Per column: header text, width, background (red, green, blue).
struct TColumn_Def {
  int Header;
  int Width;
  int R, G, B;
};
constexpr TColumn_Def Columns[Num_Cols] = {
    {1414, 40, -1, -1, -1},    {1415, 50, 255, 216, 176},  {1416, 120, 224, 250, 254},
    {1417, 70, 168, 255, 168}, {1431, 70, 168, 255, 168},  {1418, 70, 168, 255, 168},
    {1419, 200, 252, 214, 244}, {1429, 70, 252, 214, 244}, {1432, 70, 255, 255, 168},
    {1433, 70, 255, 255, 168}, {1434, 70, 255, 255, 168},  {1420, 200, 255, 255, 255},
};
constexpr int Hint_Texts[Num_Cols - 1] = {1421, 1422, 1423, 1435, 1424, 1425, 1430, 1436, 1437, 1438, 1426};
constexpr int Check_Cols[] = {col_Enable, col_Swap, col_SwapWord, col_SwapAll};

// The types in the order of the pick list, with their lengths; 0 for the
// types whose length the user gives.
struct TVar_Type {
  const char* Name;
  int Length;
};
constexpr TVar_Type Var_Types[] = {
    {"Boolean", 1}, {"Signed Byte", 1}, {"Byte", 1},   {"Int16", 2},  {"UInt16", 2},
    {"Int32", 4},   {"UInt32", 4},      {"Int64", 8},  {"UInt64", 8}, {"Float", 4},
    {"Double", 8},  {"String", 0},      {"ByteString", 0},
};

// OPC_UA_Server.xml: every attribute optional; the boxes default to "Y"
// (Enable) and "N" (swaps).
const TTable_File& Table_File() {
  static const TTable_File File = [] {
    TTable_File F;
    F.Root = QStringLiteral("OPC_UA_Server");
    F.Version = QStringLiteral("1.003");
    TTable_Section S;
    S.Name = QStringLiteral("OPC_UA_Server_Variables");
    const char* Names[] = {"Enable", "Type",      "Position", "StartBit", "Length", "Name",
                           "ReadWrite", "Swap", "SwapWord", "SwapAll", "Mnemonic"};
    for (const char* Name : Names) {
      const QString N = QString::fromLatin1(Name);
      QString Default;
      if (N == QLatin1String("Enable")) Default = QStringLiteral("Y");
      else if (N.startsWith(QLatin1String("Swap"))) Default = QStringLiteral("N");
      S.Attributes.push_back({N, Default, true});
    }
    F.Sections.push_back(S);
    return F;
  }();
  return File;
}

bool Is_Check_Col(int Col) {
  for (int c : Check_Cols)
    if (c == Col) return true;
  return false;
}

QString T(int n) { return SL_Language->Strings(n); }

}  // namespace

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent* AOwner)
    : TForm(AOwner),
      VarType(std::make_unique<TStringList>()),
      RWType(std::make_unique<TStringList>()),
      StartBitType(std::make_unique<TStringList>()),
      Hint(std::make_unique<TStringList>()) {
  SetName(QStringLiteral("FOPC_UA_Server_Access"));
  Setup_Shell_Window(this, false);
  P_Title = New_Title_Panel(this, L_SW_Code, L_SW_Desc);
  P_Button = New_Button_Panel(this);
  FButtons = New_Table_Buttons(this, P_Button,
                               {[this](TObject* S) { Btn_OKClick(S); }, [this](TObject* S) { Btn_DelRowClick(S); },
                                [this](TObject* S) { Btn_InsRowClick(S); }, [this](TObject* S) { Btn_CopyRowClick(S); },
                                [this](TObject* S) { Btn_PasteRowClick(S); }});
  Btn_OK = FButtons.Btn_OK;
  Btn_Cancel = FButtons.Btn_Cancel;
  Btn_DelRow = FButtons.Btn_DelRow;
  Btn_InsRow = FButtons.Btn_InsRow;
  Btn_CopyRow = FButtons.Btn_CopyRow;
  Btn_PasteRow = FButtons.Btn_PasteRow;
  PSG = new TProStringGrid(this);
  PSG->SetName(QStringLiteral("PSG"));
  PSG->SetParent(this);
  Setup_Table_Grid(PSG, Num_Cols, Num_Rows + 1);
  PSG->OnGetEditorType = [this](TObject* S, int ACol, int ARow, TEditorType& AEditor) {
    PSGGetEditorType(S, ACol, ARow, AEditor);
  };
  PSG->OnComboChange = [this](TObject* S, int ACol, int ARow, int AItemIndex, const QString& ASelection) {
    PSGComboChange(S, ACol, ARow, AItemIndex, ASelection);
  };
  XML1 = new TXMLDocument(this);
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFOPC_UA_Server_Access::~TFOPC_UA_Server_Access() = default;

// ---- creation and texts ---------------------------------------------------------

void TFOPC_UA_Server_Access::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientHeight(Client_Height);
  SetClientWidth(Client_Width);
  Set_Lang();
  Init_Table();
}

void TFOPC_UA_Server_Access::Set_Lang() {
  Set_Table_Window_Texts(this, L_SW_Desc, FButtons, 1400);
  for (int c = 0; c < Num_Cols; ++c) PSG->SetCellEx(c, 0, T(Columns[c].Header));
  Hint->Clear();
  for (int Text : Hint_Texts) Hint->Add(T(Text));
}

void TFOPC_UA_Server_Access::Init_Table() {
  PSG->SetColCount(Num_Cols);
  PSG->SetRowCount(Num_Rows + 1);
  for (int c = 0; c < Num_Cols; ++c) {
    PSG->SetCellEx(c, 0, T(Columns[c].Header));
    PSG->SetColWidths(c, Columns[c].Width);
  }
  for (int c : Check_Cols) PSG->AddCheckBoxColumn(c, false, false);
  for (int r = 1; r <= Num_Rows; ++r) {
    PSG->SetCellEx(col_N, r, QString::number(r));
    for (int c = 1; c < Num_Cols; ++c) {
      TCellProperties* P = PSG->GetCellProperties(c, r);
      P->SetBrushColor(TColor(RGB(Columns[c].R, Columns[c].G, Columns[c].B)));
      if (Is_Check_Col(c)) P->SetAlignment(taCenter);
    }
  }
  VarType->Clear();
  for (const TVar_Type& V : Var_Types) VarType->Add(QString::fromLatin1(V.Name));
  RWType->Clear();
  RWType->Add(QStringLiteral("Read Only"));
  RWType->Add(QStringLiteral("Read/Write"));
  StartBitType->Clear();
  for (int b = 0; b < 8; ++b) StartBitType->Add(QString::number(b));
}

// ---- grid events -------------------------------------------------------------------

void TFOPC_UA_Server_Access::PSGGetEditorType(TObject*, int ACol, int, TEditorType& AEditor) {
  TStringList* Items = ACol == col_Type ? VarType.get()
                       : ACol == col_StartBit ? StartBitType.get()
                       : ACol == col_RW ? RWType.get()
                                        : nullptr;
  if (Items == nullptr) return;
  AEditor = edComboList;
  PSG->ClearComboString();
  for (int i = 0; i < Items->Count(); ++i) PSG->AddComboString(Items->Strings(i));
}

void TFOPC_UA_Server_Access::PSGComboChange(TObject*, int ACol, int ARow, int, const QString& ASelection) {
  if (ACol == col_Type) VarSetLength(ASelection, ACol, ARow);
}

void TFOPC_UA_Server_Access::VarSetLength(const QString& ASelection, int, int ARow) {
  for (const TVar_Type& V : Var_Types) {
    if (ASelection != QLatin1String(V.Name)) continue;
    PSG->SetCellEx(col_Length, ARow, V.Length > 0 ? QString::number(V.Length) : QStringLiteral("10"));
    PSG->GetCellProperties(col_Length, ARow)->SetReadOnly(V.Length > 0);
    break;
  }
  if (PSG->GetCellEx(col_RW, ARow).isEmpty()) PSG->SetCellEx(col_RW, ARow, QStringLiteral("Read/Write"));
}

// ---- showing ---------------------------------------------------------------------------

void TFOPC_UA_Server_Access::FormShow(TObject*) {
  for (int r = 1; r <= Num_Rows; ++r) {
    PSG->SetCellEx(col_N, r, QString::number(r));
    PSG->SetCheckBoxState(col_Enable, r, true);
    for (int c = 2; c < Num_Cols; ++c) PSG->SetCellEx(c, r, QString());
    // Boxes ticked in a showing that ended with Cancel would otherwise be
    // written with the row once it is filled.
    for (int c : {col_Swap, col_SwapWord, col_SwapAll}) PSG->SetCheckBoxState(c, r, false);
  }
  const auto Box = [this](int Col, int Row, const QString& Value) {
    PSG->SetCheckBoxState(Col, Row, Value != QLatin1String("N"));
  };
  Load_Table_File(XML1, File_XML_OPC_UA_Server, Table_File(), Num_Rows,
                  [&](int, int i, const TTable_Row& V) {
                    const int r = i + 1;
                    Box(col_Enable, r, V[0]);
                    PSG->SetCellEx(col_Type, r, V[1]);
                    VarSetLength(V[1], col_Type, r);
                    PSG->SetCellEx(col_Position, r, V[2]);
                    PSG->SetCellEx(col_StartBit, r, V[3]);
                    PSG->SetCellEx(col_Length, r, V[4]);
                    PSG->SetCellEx(col_Name, r, V[5]);
                    PSG->SetCellEx(col_RW, r, V[6]);
                    Box(col_Swap, r, V[7]);
                    Box(col_SwapWord, r, V[8]);
                    Box(col_SwapAll, r, V[9]);
                    PSG->SetCellEx(col_Mnemonic, r, V[10]);
                  });
  Do_Copy = false;
}

// ---- checking and saving ------------------------------------------------------------------

bool TFOPC_UA_Server_Access::Controllo_dati() {
  for (int r = 1; r <= Num_Rows; ++r) {
    if (PSG->GetCellEx(col_Type, r).trimmed().isEmpty()) continue;
    bool Enabled = false;
    PSG->GetCheckBoxState(col_Enable, r, Enabled);
    if (!Enabled) continue;
    const int Position = StrToIntDef(PSG->GetCellEx(col_Position, r), -1);
    if (Position < 0 || Position > Max_Position) {
      Error_Table(Format(T(1427), {r, Max_Position}));
      return false;
    }
  }
  return true;
}

void TFOPC_UA_Server_Access::Btn_OKClick(TObject*) {
  if (!Controllo_dati() || !Check_Table_Gaps(PSG, col_Type, QString())) return;
  const auto Box = [this](int Col, int Row) {
    bool State = false;
    return PSG->GetCheckBoxState(Col, Row, State) && State ? QStringLiteral("Y") : QStringLiteral("N");
  };
  std::vector<TTable_Row> Rows;
  for (int r = 1; r <= Num_Rows && !PSG->GetCellEx(col_Type, r).trimmed().isEmpty(); ++r) {
    TTable_Row V;
    V << Box(col_Enable, r);
    for (int c = col_Type; c <= col_RW; ++c) V << PSG->GetCellEx(c, r);
    V << Box(col_Swap, r) << Box(col_SwapWord, r) << Box(col_SwapAll, r) << PSG->GetCellEx(col_Mnemonic, r);
    Rows.push_back(V);
  }
  try {
    Save_Table_File(XML1, File_XML_OPC_UA_Server, Table_File(), {Rows});
  } catch (...) {
    Application->HandleException(this);
    return;
  }
  SetModalResult(mrOk);
}

// ---- row buttons --------------------------------------------------------------------------

void TFOPC_UA_Server_Access::Btn_DelRowClick(TObject*) {
  const int Row = PSG->Row();
  if (Confirm_Table(Format(T(1428), {Row}))) Del_Row_PSG(Row, PSG, true);
}

void TFOPC_UA_Server_Access::Btn_InsRowClick(TObject*) { Ins_Row_PSG(PSG->Row(), PSG, true); }

void TFOPC_UA_Server_Access::Btn_CopyRowClick(TObject*) {
  Copy_Row_PSG(PSG, PSG->Row());
  Do_Copy = true;
}

void TFOPC_UA_Server_Access::Btn_PasteRowClick(TObject*) {
  const int Row = PSG->Row();
  Paste_Row_PSG(PSG, Row, Do_Copy);
  // The row keeps its length while the Length cell's state follows its type.
  const QString Length = PSG->GetCellEx(col_Length, Row);
  VarSetLength(PSG->GetCellEx(col_Type, Row), col_Type, Row);
  PSG->SetCellEx(col_Length, Row, Length);
}
