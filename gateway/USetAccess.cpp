#include "gateway/USetAccess.h"

#include "grid/ProCGrid.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/XMLDoc.h"
#include "platform/widgets/ComCtrls.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/widgets/StdCtrls.h"
#include "shell/UDialogParts.h"
#include "shell/ULanguage.h"

TFSetAccess* FSetAccess = nullptr;

namespace {

constexpr int Client_Width = 1040;
constexpr int Client_Height = 337;
// Both data arrays hold 1500 bytes.
constexpr int Data_Array_Size = 1500;

// Columns of the read grid.
enum { rd_Enable = 1, rd_Slave_ID, rd_Type, rd_Address, rd_NPoint, rd_PollTime, rd_MaxError, rd_Position, rd_Bit,
       rd_Swap, rd_SwapWord, rd_Topic, rd_Mnemonic, rd_Count };
// Columns of the write grid.
enum { wr_Enable = 1, wr_Slave_ID, wr_Type, wr_Address, wr_NPoint, wr_PollTime, wr_OnChange, wr_OnCMD, wr_MaxError,
       wr_Position, wr_Bit, wr_Swap, wr_SwapWord, wr_Mnemonic, wr_Count };

enum TKind { kText, kCheck, kList };

// One column: header text, attribute, editor, width, default when the
// attribute is missing (only optional attributes have one).
struct TColumn_Def {
  int Header;
  const char* Attribute;
  TKind Kind;
  int Width;
  const char* Default;  // nullptr: required
};

const TColumn_Def Read_Columns[rd_Count] = {
    {1516, "", kText, 40, nullptr},
    {1517, "Enable", kCheck, 50, "Y"},
    {1518, "Slave_ID", kText, 60, nullptr},
    {1519, "Type", kList, 115, nullptr},
    {1520, "Address", kText, 60, nullptr},
    {1521, "NPoint", kText, 64, nullptr},
    {1522, "PollTime", kText, 64, nullptr},
    {1523, "MaxError", kText, 64, nullptr},
    {1524, "Position", kList, 61, nullptr},
    {1525, "Bit", kList, 64, nullptr},
    {1526, "Swap", kCheck, 40, "N"},
    {1590, "SwapWord", kCheck, 80, "N"},
    {1542, "Index_Topic", kList, 120, ""},
    {1527, "Mnemonic", kText, 120, nullptr},
};

const TColumn_Def Write_Columns[wr_Count] = {
    {1528, "", kText, 40, nullptr},
    {1529, "Enable", kCheck, 50, "Y"},
    {1530, "Slave_ID", kText, 60, nullptr},
    {1531, "Type", kList, 115, nullptr},
    {1532, "Address", kText, 60, nullptr},
    {1533, "NPoint", kText, 64, nullptr},
    {1534, "PollTime", kText, 64, nullptr},
    {1535, "OnChange", kCheck, 68, nullptr},
    {1536, "OnCMD", kCheck, 56, "N"},
    {1537, "MaxError", kText, 64, nullptr},
    {1538, "Position", kList, 64, nullptr},
    {1539, "Bit", kList, 64, nullptr},
    {1540, "Swap", kCheck, 40, "N"},
    {1591, "SwapWord", kCheck, 80, "N"},
    {1541, "Mnemonic", kText, 113, nullptr},
};

constexpr int Read_Hints[] = {1543, 1544, 1545, 1546, 1547, 1548, 1549, 1550, 1551, 1552, 1592, 1553, 1554};
constexpr int Write_Hints[] = {1555, 1556, 1557, 1558, 1559, 1560, 1561, 1562, 1563, 1564, 1565, 1566, 1593, 1567};

template <size_t N>
TTable_Section Section_Of(const char* Name, const TColumn_Def (&Columns)[N]) {
  TTable_Section S;
  S.Name = QString::fromLatin1(Name);
  for (size_t c = 1; c < N; ++c) {
    const TColumn_Def& D = Columns[c];
    S.Attributes.push_back({QString::fromLatin1(D.Attribute), D.Default ? QString::fromLatin1(D.Default) : QString(),
                            D.Default != nullptr});
  }
  return S;
}

// ModbusM_SetAccess.xml.
const TTable_File& Table_File() {
  static const TTable_File File = [] {
    TTable_File F;
    F.Root = QStringLiteral("EtherNetIP_to_Modbus");
    F.Version = QStringLiteral("1.003");
    F.Sections.push_back(Section_Of("Modbus_Read", Read_Columns));
    F.Sections.push_back(Section_Of("Modbus_Write", Write_Columns));
    return F;
  }();
  return File;
}

QString T(int n) { return SL_Language->Strings(n); }

int Num(const QString& Text, int Default = -1) { return StrToIntDef(Text, Default); }

}  // namespace

TFSetAccess::TFSetAccess(TComponent* AOwner)
    : TForm(AOwner),
      Hint_Modbus_Set_Access_Read(std::make_unique<TStringList>()),
      Hint_Modbus_Set_Access_Write(std::make_unique<TStringList>()),
      List_Publish_Topic(std::make_unique<TStringList>()),
      ComboItem_Topic(Num_Rows, -1) {
  SetName(QStringLiteral("FSetAccess"));
  Setup_Shell_Window(this, false);
  P_Title = New_Title_Panel(this, L_SW_Code, L_SW_Desc);
  P_Button = New_Button_Panel(this);
  FButtons = New_Table_Buttons(this, P_Button,
                               {[this](TObject* S) { bitbtn1Click(S); }, [this](TObject* S) { Btn_DelRowClick(S); },
                                [this](TObject* S) { Btn_InsertRowClick(S); },
                                [this](TObject* S) { Btn_CopyRowClick(S); },
                                [this](TObject* S) { Btn_PasteRowClick(S); }});
  Btn_OK = FButtons.Btn_OK;
  Btn_Cancel = FButtons.Btn_Cancel;
  Btn_DelRow = FButtons.Btn_DelRow;
  Btn_InsRow = FButtons.Btn_InsRow;
  Btn_CopyRow = FButtons.Btn_CopyRow;
  Btn_PasteRow = FButtons.Btn_PasteRow;

  PageControl1 = new TPageControl(this);
  PageControl1->SetName(QStringLiteral("PageControl1"));
  PageControl1->SetParent(this);
  PageControl1->SetAlign(alClient);
  TS_Modbus_Read = new TTabSheet(this);
  TS_Modbus_Read->SetName(QStringLiteral("TS_Modbus_Read"));
  TS_Modbus_Read->SetPageControl(PageControl1);
  TS_Modbus_Write = new TTabSheet(this);
  TS_Modbus_Write->SetName(QStringLiteral("TS_Modbus_Write"));
  TS_Modbus_Write->SetPageControl(PageControl1);

  PCG_Modbus_Read = new TProColumnGrid(this);
  PCG_Modbus_Read->SetName(QStringLiteral("PCG_Modbus_Read"));
  PCG_Modbus_Read->SetParent(TS_Modbus_Read);
  Setup_Grid(PCG_Modbus_Read, true);
  PCG_Modbus_Read->OnComboChange = [this](TObject* S, int ACol, int ARow, int AItemIndex, const QString& ASel) {
    ComboChange(S, ACol, ARow, AItemIndex, ASel);
  };
  PCG_Modbus_Write = new TProColumnGrid(this);
  PCG_Modbus_Write->SetName(QStringLiteral("PCG_Modbus_Write"));
  PCG_Modbus_Write->SetParent(TS_Modbus_Write);
  Setup_Grid(PCG_Modbus_Write, false);

  XML1 = new TXMLDocument(this);
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFSetAccess::~TFSetAccess() = default;

void TFSetAccess::Setup_Grid(TProColumnGrid* Grid, bool Read) {
  const TColumn_Def* Columns = Read ? Read_Columns : Write_Columns;
  const int Count = Read ? int(rd_Count) : int(wr_Count);
  Setup_Table_Grid(Grid, Count, Num_Rows + 1);
  // The column grid's own setter makes one column item per column.
  Grid->SetColCount(Count);
  Grid->SetShowHint(true);
  for (int c = 0; c < Count; ++c) {
    TGridColumnItem* Item = Grid->Columns()->Items(c);
    Item->SetWidth(Columns[c].Width);
    if (c == 0) continue;
    Item->SetEditor(Columns[c].Kind == kCheck ? edDataCheckBox : Columns[c].Kind == kList ? edComboList : edNormal);
    Item->SetCheckTrue(QStringLiteral("Y"));
    Item->SetCheckFalse(QStringLiteral("N"));
  }
  const int Type_Col = Read ? int(rd_Type) : int(wr_Type);
  const int Bit_Col = Read ? int(rd_Bit) : int(wr_Bit);
  TStringList* Types = Grid->Columns()->Items(Type_Col)->ComboItems();
  Types->Clear();
  Types->Add(QStringLiteral("Coil Status"));
  if (Read) Types->Add(QStringLiteral("Input Status"));
  Types->Add(QStringLiteral("Holding Register"));
  if (Read) Types->Add(QStringLiteral("Input Register"));
  TStringList* Bits = Grid->Columns()->Items(Bit_Col)->ComboItems();
  Bits->Clear();
  for (int b = 0; b < 8; ++b) Bits->Add(QString::number(b));

  Grid->OnClickCell = [this](TObject* S, int ARow, int ACol) { ClickCell(S, ARow, ACol); };
  Grid->OnDblClickCell = [this](TObject* S, int ARow, int ACol) { PCG_Modbus_ReadDblClickCell(S, ARow, ACol); };
  Grid->OnKeyPress = [this](TObject* S, QChar& Key) { PCG_Modbus_ReadKeyPress(S, Key); };
  Grid->OnGridHint = [this](TObject* S, int ARow, int ACol, QString& HintStr) {
    PCG_Modbus_ReadGridHint(S, ARow, ACol, HintStr);
  };
}

// ---- creation and texts ---------------------------------------------------------

void TFSetAccess::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(Client_Width);
  SetClientHeight(Client_Height);
  Set_Lang();
}

void TFSetAccess::Set_Lang() {
  Set_Table_Window_Texts(this, L_SW_Desc, FButtons, 1500);
  TS_Modbus_Read->SetCaption(T(1514));
  TS_Modbus_Write->SetCaption(T(1515));
  for (int c = 0; c < rd_Count; ++c) PCG_Modbus_Read->Columns()->Items(c)->SetHeader(T(Read_Columns[c].Header));
  for (int c = 0; c < wr_Count; ++c) PCG_Modbus_Write->Columns()->Items(c)->SetHeader(T(Write_Columns[c].Header));
  Hint_Modbus_Set_Access_Read->Clear();
  for (int Text : Read_Hints) Hint_Modbus_Set_Access_Read->Add(T(Text));
  Hint_Modbus_Set_Access_Write->Clear();
  for (int Text : Write_Hints) Hint_Modbus_Set_Access_Write->Add(T(Text));
}

// ---- showing ---------------------------------------------------------------------------

void TFSetAccess::FormShow(TObject*) {
  TS_Modbus_Write->SetTabVisible(true);
  PCG_Modbus_Read->HideColumn(rd_Topic);
  PCG_Modbus_Read->UnHideColumn(rd_Position);
  PCG_Modbus_Read->UnHideColumn(rd_Bit);
  for (TProColumnGrid* Grid : {PCG_Modbus_Read, PCG_Modbus_Write}) {
    const int Last = Grid->ColCount() + Grid->NumHiddenColumns() - 1;
    for (int r = 1; r <= Num_Rows; ++r) {
      Grid->SetCellEx(0, r, QString::number(r));
      Grid->SetCellEx(1, r, QStringLiteral("Y"));
      for (int c = 2; c <= Last; ++c) Grid->SetCellEx(c, r, QString());
    }
  }
  ComboItem_Topic.assign(Num_Rows, -1);
  PageControl1->SetActivePage(TS_Modbus_Read);
  NByte_IN = Data_Array_Size;
  NByte_OUT = Data_Array_Size;
  for (TGridColumnItem* Item : {PCG_Modbus_Read->Columns()->Items(rd_Position),
                                PCG_Modbus_Write->Columns()->Items(wr_Position)}) {
    Item->ComboItems()->Clear();
    for (int p = 0; p < Data_Array_Size; ++p) Item->ComboItems()->Add(QString::number(p));
  }
  Load_Table_File(XML1, File_XML_ModbusM_SetAccess, Table_File(), Num_Rows,
                  [this](int Section, int i, const TTable_Row& V) {
                    TProColumnGrid* Grid = Section == 0 ? PCG_Modbus_Read : PCG_Modbus_Write;
                    for (int c = 1; c <= V.size(); ++c) Grid->SetCellEx(c, i + 1, V[c - 1]);
                    if (Section == 0) {
                      ComboItem_Topic[static_cast<size_t>(i)] = Num(V[rd_Topic - 1]);
                      Grid->SetCellEx(rd_Topic, i + 1, Get_Topic_From_Index(ComboItem_Topic[static_cast<size_t>(i)]));
                    }
                  });
  Do_Copy_In_Read = false;
  Do_Copy_In_Write = false;
}

// ---- topics ------------------------------------------------------------------------------

int TFSetAccess::Get_Index_From_Topic(const QString& Topic, int index) const {
  if (index >= 0 && index < List_Publish_Topic->Count() && List_Publish_Topic->Strings(index) == Topic) return index;
  return List_Publish_Topic->IndexOf(Topic);
}

QString TFSetAccess::Get_Topic_From_Index(int Index) const {
  return Index >= 0 && Index < List_Publish_Topic->Count() ? List_Publish_Topic->Strings(Index) : QString();
}

// ---- checking and saving ------------------------------------------------------------------

bool TFSetAccess::Controllo_dati() {
  // The first failing check: text 1568, the row, the check's text and the
  // limit where the text ends in "between ... and ".
  const auto Fail = [](int Row, int Text, int Limit = -1) {
    QString Msg = T(1568) + QString::number(Row) + T(Text);
    if (Limit >= 0) Msg += QString::number(Limit);
    Error_Table(Msg);
    return false;
  };
  const auto In = [](const QString& Text, int Low, int High) {
    const int v = Num(Text);
    return v >= Low && v <= High;
  };
  // The last byte a rule touches; nothing when a bit rule lacks its start bit.
  const auto Last_Byte = [](bool Bits, int Position, int NPoint, const QString& Start_Bit) -> int {
    if (!Bits) return Position + 2 * NPoint - 1;
    return Position + (NPoint + Num(Start_Bit, 0) - 1) / 8;
  };

  TProColumnGrid* G = PCG_Modbus_Read;
  for (int r = 1; r <= Num_Rows && !G->GetCellEx(rd_Slave_ID, r).trimmed().isEmpty(); ++r) {
    if (G->GetCellEx(rd_Enable, r).trimmed() != QLatin1String("Y")) continue;
    const QString Type = G->GetCellEx(rd_Type, r).trimmed().toUpper();
    const bool Bits = Type == QLatin1String("INPUT STATUS") || Type == QLatin1String("COIL STATUS");
    const int Max_Points = Bits ? 2000 : 125;
    if (!In(G->GetCellEx(rd_Slave_ID, r), 1, 247)) return Fail(r, 1569);
    if (G->GetCellEx(rd_Type, r).isEmpty()) return Fail(r, 1570);
    if (!In(G->GetCellEx(rd_Address, r), 0, 65535)) return Fail(r, 1571);
    if (!In(G->GetCellEx(rd_NPoint, r), 1, Max_Points)) return Fail(r, 1572, Max_Points);
    if (!In(G->GetCellEx(rd_PollTime, r), 1, 100000000)) return Fail(r, 1573);
    if (!In(G->GetCellEx(rd_MaxError, r), 0, 100000000)) return Fail(r, 1574);
    if (!In(G->GetCellEx(rd_Position, r), 0, NByte_IN - 1)) return Fail(r, 1575, NByte_IN - 1);
    if (Bits && G->GetCellEx(rd_Bit, r).isEmpty()) return Fail(r, 1576);
    if (Last_Byte(Bits, Num(G->GetCellEx(rd_Position, r)), Num(G->GetCellEx(rd_NPoint, r)), G->GetCellEx(rd_Bit, r)) >
        NByte_IN - 1)
      return Fail(r, 1577);
    if (!G->IsHiddenColumn(rd_Topic) && G->GetCellEx(rd_Topic, r).trimmed().isEmpty()) return Fail(r, 1578);
  }

  G = PCG_Modbus_Write;
  for (int r = 1; r <= Num_Rows && !G->GetCellEx(wr_Slave_ID, r).trimmed().isEmpty(); ++r) {
    if (G->GetCellEx(wr_Enable, r).trimmed() != QLatin1String("Y")) continue;
    const bool Bits = G->GetCellEx(wr_Type, r).trimmed().toUpper() == QLatin1String("COIL STATUS");
    const int Max_Points = Bits ? 1968 : 123;
    if (!In(G->GetCellEx(wr_Slave_ID, r), 1, 247)) return Fail(r, 1579);
    if (G->GetCellEx(wr_Type, r).isEmpty()) return Fail(r, 1580);
    if (!In(G->GetCellEx(wr_Address, r), 0, 65535)) return Fail(r, 1581);
    if (!In(G->GetCellEx(wr_NPoint, r), 1, Max_Points)) return Fail(r, 1582, Max_Points);
    if (!In(G->GetCellEx(wr_PollTime, r), 0, 100000000)) return Fail(r, 1583);
    if (!In(G->GetCellEx(wr_MaxError, r), 0, 100000000)) return Fail(r, 1584);
    if (!In(G->GetCellEx(wr_Position, r), 0, NByte_OUT - 1)) return Fail(r, 1585, NByte_OUT - 1);
    if (Bits && G->GetCellEx(wr_Bit, r).isEmpty()) return Fail(r, 1586);
    if (Last_Byte(Bits, Num(G->GetCellEx(wr_Position, r)), Num(G->GetCellEx(wr_NPoint, r)), G->GetCellEx(wr_Bit, r)) >
        NByte_OUT - 1)
      return Fail(r, 1587);
  }
  return true;
}

void TFSetAccess::bitbtn1Click(TObject*) {
  if (!Controllo_dati() || !Check_Table_Gaps(PCG_Modbus_Read, rd_Slave_ID, T(1514)) ||
      !Check_Table_Gaps(PCG_Modbus_Write, wr_Slave_ID, T(1515)))
    return;
  std::vector<TTable_Row> Read = Table_Rows(PCG_Modbus_Read, rd_Slave_ID);
  for (size_t i = 0; i < Read.size(); ++i) {
    QString& Topic = Read[i][rd_Topic - 1];
    Topic = PCG_Modbus_Read->IsHiddenColumn(rd_Topic)
                ? QString()
                : QString::number(Get_Index_From_Topic(Topic, ComboItem_Topic[i]));
  }
  try {
    Save_Table_File(XML1, File_XML_ModbusM_SetAccess, Table_File(), {Read, Table_Rows(PCG_Modbus_Write, wr_Slave_ID)});
  } catch (...) {
    Application->HandleException(this);
    return;
  }
  SetModalResult(mrOk);
}

// ---- row buttons and grid events ------------------------------------------------------------

TProColumnGrid* TFSetAccess::Active_Grid() const {
  return PageControl1->ActivePage() == TS_Modbus_Write ? PCG_Modbus_Write : PCG_Modbus_Read;
}

void TFSetAccess::Btn_DelRowClick(TObject*) {
  TProColumnGrid* Grid = Active_Grid();
  if (Confirm_Table(T(1588) + QString::number(Grid->Row()))) Del_Row_PCG(Grid->Row(), Grid);
}

void TFSetAccess::Btn_InsertRowClick(TObject*) {
  TProColumnGrid* Grid = Active_Grid();
  Ins_Row_PCG(Grid->Row(), Grid, true);
}

void TFSetAccess::Btn_CopyRowClick(TObject*) {
  TProColumnGrid* Grid = Active_Grid();
  Copy_Row_PCG(Grid, Grid->Row());
  Do_Copy_In_Read = Grid == PCG_Modbus_Read;
  Do_Copy_In_Write = Grid == PCG_Modbus_Write;
}

void TFSetAccess::Btn_PasteRowClick(TObject*) {
  TProColumnGrid* Grid = Active_Grid();
  Paste_Row_PCG(Grid, Grid->Row(), Grid == PCG_Modbus_Read ? Do_Copy_In_Read : Do_Copy_In_Write);
}

void TFSetAccess::ClickCell(TObject* Sender, int ARow, int ACol) {
  if (ACol == 0) static_cast<TProColumnGrid*>(Sender)->SelectRows(ARow, 1);
}

void TFSetAccess::PCG_Modbus_ReadDblClickCell(TObject* Sender, int ARow, int ACol) {
  DblClick_Auto_Size(static_cast<TProColumnGrid*>(Sender), ARow, ACol);
}

void TFSetAccess::PCG_Modbus_ReadKeyPress(TObject* Sender, QChar& Key) {
  // The grid's combo editor reports its key presses with itself as Sender;
  // it stands on its grid.
  auto* Grid = dynamic_cast<TProColumnGrid*>(Sender);
  if (Grid == nullptr)
    if (auto* Editor = dynamic_cast<TControl*>(Sender)) Grid = dynamic_cast<TProColumnGrid*>(Editor->Parent());
  if (Grid != nullptr) Enter_Next_Cell(Grid, Key);
}

void TFSetAccess::PCG_Modbus_ReadGridHint(TObject* Sender, int ARow, int ACol, QString& HintStr) {
  auto* Grid = static_cast<TProColumnGrid*>(Sender);
  const TStringList* Hints =
      Grid == PCG_Modbus_Write ? Hint_Modbus_Set_Access_Write.get() : Hint_Modbus_Set_Access_Read.get();
  const int Real = Grid->RealColIndex(ACol);
  if (ARow == 0 && Real >= 1 && Real - 1 < Hints->Count()) HintStr = Hints->Strings(Real - 1);
}

void TFSetAccess::ComboChange(TObject*, int ACol, int ARow, int AItemIndex, const QString&) {
  if (ACol == rd_Topic && ARow >= 1 && ARow <= Num_Rows) ComboItem_Topic[static_cast<size_t>(ARow - 1)] = AItemIndex;
}
