// Row operations of the table windows, the row clipboard, Enter moving to the
// next cell and the column auto-size by a double click on the header.
#include "grid/ProCGrid.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

QString Text(int n) { return SL_Language->Strings(n); }

// The last real column: hidden columns are moved with the others.
int Last_Col(TProStringGrid* Grid) { return Grid->ColCount() + Grid->NumHiddenColumns() - 1; }

bool Read_Only(TProStringGrid* Grid, int Col, int Row) {
  return Grid->HasCellProperties(Col, Row) && Grid->GetCellProperties(Col, Row)->ReadOnly();
}

void Set_Read_Only(TProStringGrid* Grid, int Col, int Row, bool Value) {
  // A cell without properties is editable: none is created to say so again.
  if (Value || Grid->HasCellProperties(Col, Row)) Grid->GetCellProperties(Col, Row)->SetReadOnly(Value);
}

// The checks before a paste; false when nothing may be pasted.
bool May_Paste(bool Copied, int Last, const std::function<bool(int Col)>& Used) {
  if (!Copied) {
    Error_Table(Text(1302));
    return false;
  }
  if (SL_Copy_Row->Count() != Last) {
    Error_Table(Text(1301));
    return false;
  }
  for (int c = 1; c <= Last; ++c)
    if (Used(c)) return Confirm_Table(Text(1300));
  return true;
}

// Cell (Col, To) takes the check state or text of cell (Col, From) and its
// read-only flag.
void Move_Cell_PSG(TProStringGrid* Grid, int Col, int From, int To) {
  bool State = false;
  if (Grid->GetCheckBoxState(Col, From, State)) Grid->SetCheckBoxState(Col, To, State);
  else Grid->SetCellEx(Col, To, Grid->GetCellEx(Col, From));
  Set_Read_Only(Grid, Col, To, Read_Only(Grid, Col, From));
}

// Empties an editable row: texts cleared, boxes unchecked but column 1's box
// checked when Enable.
void Blank_Row_PSG(TProStringGrid* Grid, int Row, bool Enable) {
  for (int c = 1; c <= Last_Col(Grid); ++c) {
    if (Grid->HasCheckBox(c, Row)) Grid->SetCheckBoxState(c, Row, c == 1 && Enable);
    else Grid->SetCellEx(c, Row, QString());
    Set_Read_Only(Grid, c, Row, false);
  }
}

}  // namespace

bool Confirm_Table(const QString& Text) {
  return MessageDlg(Text, mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) == mrYes;
}

void Error_Table(const QString& Text) { MessageDlg(Text, mtError, TMsgDlgButtons{mbOK}, 0); }

// ---- column grids ------------------------------------------------------------

void Copy_Row_PCG(TProColumnGrid* Grid, int Row) {
  SL_Copy_Row->Clear();
  for (int c = 1; c <= Last_Col(Grid); ++c) SL_Copy_Row->Add(Grid->GetCellEx(c, Row));
}

void Paste_Row_PCG(TProColumnGrid* Grid, int Row, bool Copied) {
  const int Last = Last_Col(Grid);
  const auto Used = [&](int c) {
    return Grid->Columns()->Items(c)->Editor() != edDataCheckBox && !Grid->GetCellEx(c, Row).trimmed().isEmpty();
  };
  if (!May_Paste(Copied, Last, Used)) return;
  for (int c = 1; c <= Last; ++c) Grid->SetCellEx(c, Row, SL_Copy_Row->Strings(c - 1));
}

void Del_Row_PCG(int Row, TProColumnGrid* Grid) {
  const int Last = Last_Col(Grid), n = Grid->RowCount();
  for (int r = Row; r <= n - 2; ++r)
    for (int c = 1; c <= Last; ++c) Grid->SetCellEx(c, r, Grid->GetCellEx(c, r + 1));
  for (int c = 1; c <= Last; ++c) Grid->SetCellEx(c, n - 1, QString());
}

void Ins_Row_PCG(int Row, TProColumnGrid* Grid, bool Enable) {
  const int Last = Last_Col(Grid), n = Grid->RowCount();
  for (int r = n - 2; r >= Row; --r)
    for (int c = 1; c <= Last; ++c) Grid->SetCellEx(c, r + 1, Grid->GetCellEx(c, r));
  for (int c = 1; c <= Last; ++c)
    Grid->SetCellEx(c, Row, c == 1 && Enable ? QStringLiteral("Y") : QString());
}

// ---- the string grid -----------------------------------------------------------

void Copy_Row_PSG(TProStringGrid* Grid, int Row) {
  const int Last = Last_Col(Grid);
  SL_Copy_Row->Clear();
  Copy_Row_Is_Check.assign(static_cast<size_t>(Last), false);
  for (int c = 1; c <= Last; ++c) {
    bool State = false;
    if (Grid->GetCheckBoxState(c, Row, State)) {
      Copy_Row_Is_Check[static_cast<size_t>(c - 1)] = true;
      SL_Copy_Row->Add(State ? QStringLiteral("Y") : QStringLiteral("N"));
    } else {
      SL_Copy_Row->Add(Grid->GetCellEx(c, Row));
    }
  }
}

void Paste_Row_PSG(TProStringGrid* Grid, int Row, bool Copied) {
  const int Last = Last_Col(Grid);
  const auto Used = [&](int c) { return !Grid->HasCheckBox(c, Row) && !Grid->GetCellEx(c, Row).isEmpty(); };
  if (!May_Paste(Copied, Last, Used)) return;
  // A clipboard filled by the column-grid copy says nothing of check boxes.
  Copy_Row_Is_Check.resize(static_cast<size_t>(Last), false);
  for (int c = 1; c <= Last; ++c) {
    const QString Value = SL_Copy_Row->Strings(c - 1);
    if (Copy_Row_Is_Check[static_cast<size_t>(c - 1)])
      Grid->SetCheckBoxState(c, Row, Value == QLatin1String("Y"));
    else
      Grid->SetCellEx(c, Row, Value);
  }
}

void Del_Row_PSG(int Row, TProStringGrid* Grid, bool Enable) {
  const int Last = Last_Col(Grid), n = Grid->RowCount();
  for (int r = Row; r <= n - 2; ++r)
    for (int c = 1; c <= Last; ++c) Move_Cell_PSG(Grid, c, r + 1, r);
  // The emptied last row stays open to the user, as an inserted row is.
  Blank_Row_PSG(Grid, n - 1, Enable);
}

void Ins_Row_PSG(int Row, TProStringGrid* Grid, bool Enable) {
  const int Last = Last_Col(Grid), n = Grid->RowCount();
  for (int r = n - 2; r >= Row; --r)
    for (int c = 1; c <= Last; ++c) Move_Cell_PSG(Grid, c, r, r + 1);
  Blank_Row_PSG(Grid, Row, Enable);
}

// ---- keys and double clicks ------------------------------------------------------

void DblClick_Auto_Size(TProStringGrid* Grid, int Row, int Col) {
  if (Opt_Double_Click_Auto_Size && Row == 0) Grid->AutoSizeCol(Col, 0);
}

void Enter_Next_Cell(TProStringGrid* Grid, QChar& Key) {
  if (!Opt_Jump_Field_Tables || Key != QChar(13)) return;
  if (Grid->Col() >= 1 && Grid->Row() >= 1) {
    if (Grid->Col() < Grid->ColCount() - 1) {
      Grid->SetCol(Grid->Col() + 1);
    } else {
      Grid->SetCol(1);
      Grid->SetRow(Grid->Row() < Grid->RowCount() - 1 ? Grid->Row() + 1 : 1);
    }
  }
  Key = QChar(0);
}
