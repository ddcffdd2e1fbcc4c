// The row operations of the table windows with the row clipboard, Enter
// moving to the next cell and the column auto-size on the header.
#include <gtest/gtest.h>

#include <memory>

#include "common/TableDialogs.h"
#include "grid/ProCGrid.h"
#include "platform/ui/Forms.h"
#include "shell/UComon.h"

namespace {

// A column grid of 4 rules: column 1 Enable (data check box), 2 the key,
// 3 a text, 4 a text the window hides.
class ColumnGridRows : public TableTextsFixture {
 protected:
  void SetUp() override {
    TableTextsFixture::SetUp();
    G = std::make_unique<TProColumnGrid>(nullptr);
    G->SetColCount(5);
    G->SetRowCount(5);
    G->Columns()->Items(1)->SetEditor(edDataCheckBox);
    for (int r = 1; r <= 4; ++r) Fill(r, QStringLiteral("Y"), QString::number(r), QStringLiteral("t%1").arg(r),
                                      QStringLiteral("h%1").arg(r));
    G->HideColumn(4);
  }
  void Fill(int r, const QString& a, const QString& b, const QString& c, const QString& d) {
    G->SetCellEx(1, r, a);
    G->SetCellEx(2, r, b);
    G->SetCellEx(3, r, c);
    G->SetCellEx(4, r, d);
  }
  QStringList Row(int r) {
    QStringList l;
    for (int c = 0; c <= 4; ++c) l << G->GetCellEx(c, r);
    return l;
  }
  std::unique_ptr<TProColumnGrid> G;
  TTableDialogs D;
};

QStringList L(std::initializer_list<const char*> Items) {
  QStringList l;
  for (const char* s : Items) l << QString::fromUtf8(s);
  return l;
}

}  // namespace

TEST_F(ColumnGridRows, PasteIsRefusedWithoutACopyOrForAnotherWidth) {
  Copy_Row_PCG(G.get(), 1);
  EXPECT_EQ(SL_Copy_Row->Count(), 4);  // the hidden column too, never column 0
  Paste_Row_PCG(G.get(), 2, false);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1302)});
  SL_Copy_Row->Add(QStringLiteral("one too many"));
  Paste_Row_PCG(G.get(), 2, true);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1301)});
  EXPECT_EQ(Row(2), L({"", "Y", "2", "t2", "h2"}));
}

TEST_F(ColumnGridRows, PasteOverAUsedRowAsksAndOnlyYesOverwrites) {
  G->SetCellEx(1, 1, QStringLiteral("N"));
  Copy_Row_PCG(G.get(), 1);
  Paste_Row_PCG(G.get(), 3, true);  // answered No
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1300)});
  EXPECT_EQ(Row(3), L({"", "Y", "3", "t3", "h3"}));
  D.Answer(mrYes);
  Paste_Row_PCG(G.get(), 3, true);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1300)});
  EXPECT_EQ(Row(3), L({"", "N", "1", "t1", "h1"}));
}

TEST_F(ColumnGridRows, PasteOverARowOfEnableAndBlanksDoesNotAsk) {
  Fill(4, QStringLiteral("Y"), QStringLiteral("  "), QString(), QStringLiteral(" "));
  Copy_Row_PCG(G.get(), 2);
  Paste_Row_PCG(G.get(), 4, true);
  EXPECT_TRUE(D.Take().empty());
  EXPECT_EQ(Row(4), L({"", "Y", "2", "t2", "h2"}));
}

TEST_F(ColumnGridRows, DeleteMovesRowsUpAndEmptiesTheLast) {
  for (int r = 1; r <= 4; ++r) G->SetCellEx(0, r, QString::number(r));
  Del_Row_PCG(2, G.get());
  EXPECT_EQ(Row(1), L({"1", "Y", "1", "t1", "h1"}));
  EXPECT_EQ(Row(2), L({"2", "Y", "3", "t3", "h3"}));
  EXPECT_EQ(Row(3), L({"3", "Y", "4", "t4", "h4"}));
  EXPECT_EQ(Row(4), L({"4", "", "", "", ""}));
  Del_Row_PCG(4, G.get());  // the last row: only emptied
  EXPECT_EQ(Row(3), L({"3", "Y", "4", "t4", "h4"}));
}

TEST_F(ColumnGridRows, InsertMovesRowsDownAndDropsTheLast) {
  Ins_Row_PCG(1, G.get(), true);
  EXPECT_EQ(Row(1), L({"", "Y", "", "", ""}));
  EXPECT_EQ(Row(2), L({"", "Y", "1", "t1", "h1"}));
  EXPECT_EQ(Row(4), L({"", "Y", "3", "t3", "h3"}));
  Ins_Row_PCG(4, G.get(), false);  // the last row: only emptied
  EXPECT_EQ(Row(4), L({"", "", "", "", ""}));
  EXPECT_EQ(Row(3), L({"", "Y", "2", "t2", "h2"}));
}

// ---- the string grid with stored check boxes and read-only cells ----------------------

namespace {

// Columns 1 and 3 are check boxes with their own state; column 2 the key.
class StringGridRows : public TableTextsFixture {
 protected:
  void SetUp() override {
    TableTextsFixture::SetUp();
    G = std::make_unique<TProStringGrid>(nullptr);
    G->SetColCount(5);
    G->SetRowCount(5);
    G->AddCheckBoxColumn(1);
    G->AddCheckBoxColumn(3);
    for (int r = 1; r <= 4; ++r) {
      G->SetCheckBoxState(1, r, r % 2 == 1);
      G->SetCellEx(2, r, QStringLiteral("k%1").arg(r));
      G->SetCheckBoxState(3, r, r >= 3);
      G->SetCellEx(4, r, QStringLiteral("len%1").arg(r));
      G->GetCellProperties(4, r)->SetReadOnly(r == 2);
    }
  }
  // "k2 Y N len2 ro": key, boxes, text and the read-only flag of column 4.
  QString Row(int r) {
    bool A = false, B = false;
    EXPECT_TRUE(G->GetCheckBoxState(1, r, A));
    EXPECT_TRUE(G->GetCheckBoxState(3, r, B));
    const bool RO = G->HasCellProperties(4, r) && G->GetCellProperties(4, r)->ReadOnly();
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(G->GetCellEx(2, r), A ? QStringLiteral("Y") : QStringLiteral("N"), B ? QStringLiteral("Y") : QStringLiteral("N"),
             G->GetCellEx(4, r), RO ? QStringLiteral("ro") : QStringLiteral("rw"));
  }
  std::unique_ptr<TProStringGrid> G;
  TTableDialogs D;
};

}  // namespace

TEST_F(StringGridRows, CopyAndPasteCarryTheBoxStates) {
  Copy_Row_PSG(G.get(), 3);
  EXPECT_EQ(SL_Copy_Row->Count(), 4);
  EXPECT_EQ(Copy_Row_Is_Check, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(SL_Copy_Row->Strings(0), QStringLiteral("Y"));
  EXPECT_EQ(SL_Copy_Row->Strings(2), QStringLiteral("Y"));
  Paste_Row_PSG(G.get(), 2, false);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1302)});
  D.Answer(mrYes);
  Paste_Row_PSG(G.get(), 2, true);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1300)});
  // The cell's read-only flag is the row's own, not pasted.
  EXPECT_EQ(Row(2), QStringLiteral("k3 Y Y len3 ro"));
}

TEST_F(StringGridRows, PasteAsksWhenATextCellHoldsBlanksOnly) {
  for (int c : {2, 4}) G->SetCellEx(c, 4, QString());
  Copy_Row_PSG(G.get(), 1);
  Paste_Row_PSG(G.get(), 4, true);
  EXPECT_TRUE(D.Take().empty());
  EXPECT_EQ(Row(4), QStringLiteral("k1 Y N len1 rw"));
  G->SetCellEx(4, 4, QStringLiteral(" "));
  Paste_Row_PSG(G.get(), 4, true);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1300)});
  EXPECT_EQ(G->GetCellEx(4, 4), QStringLiteral(" "));  // answered No
}

TEST_F(StringGridRows, DeleteMovesStatesAndReadOnlyFlagsAndLeavesAnEditableLastRow) {
  G->GetCellProperties(4, 4)->SetReadOnly(true);
  Del_Row_PSG(1, G.get(), true);
  EXPECT_EQ(Row(1), QStringLiteral("k2 N N len2 ro"));
  EXPECT_EQ(Row(2), QStringLiteral("k3 Y Y len3 rw"));
  EXPECT_EQ(Row(3), QStringLiteral("k4 N Y len4 ro"));
  // The blank last row: Enable ticked, other boxes cleared, open for typing.
  EXPECT_EQ(Row(4), QStringLiteral(" Y N  rw"));
  Del_Row_PSG(4, G.get(), false);
  EXPECT_EQ(Row(4), QStringLiteral(" N N  rw"));
}

TEST_F(StringGridRows, InsertMovesStatesAndReadOnlyFlagsDown) {
  Ins_Row_PSG(2, G.get(), true);
  EXPECT_EQ(Row(1), QStringLiteral("k1 Y N len1 rw"));
  EXPECT_EQ(Row(2), QStringLiteral(" Y N  rw"));
  EXPECT_EQ(Row(3), QStringLiteral("k2 N N len2 ro"));
  EXPECT_EQ(Row(4), QStringLiteral("k3 Y Y len3 rw"));  // k4 dropped
}

// ---- Enter and the double click ---------------------------------------------------------

TEST_F(StringGridRows, EnterMovesToTheNextCellOnlyWithTheOption) {
  G->SetRowCount(4);
  G->HideColumn(3);  // ColCount 4: visible columns 0, 1, 2, 4
  struct Case {
    int Col, Row, Want_Col, Want_Row;
  };
  const Case Cases[] = {{1, 1, 2, 1}, {3, 1, 1, 2}, {3, 3, 1, 1}, {2, 2, 3, 2}};
  Opt_Jump_Field_Tables = true;
  for (const Case& C : Cases) {
    G->SetRow(C.Row);
    G->SetCol(C.Col);
    QChar Key(13);
    Enter_Next_Cell(G.get(), Key);
    EXPECT_EQ(Key, QChar(0));
    EXPECT_EQ(G->Col(), C.Want_Col) << C.Col << "," << C.Row;
    EXPECT_EQ(G->Row(), C.Want_Row) << C.Col << "," << C.Row;
  }
  QChar Other('a');
  Enter_Next_Cell(G.get(), Other);
  EXPECT_EQ(Other, QChar('a'));
  Opt_Jump_Field_Tables = false;
  QChar Key(13);
  G->SetCol(1);
  Enter_Next_Cell(G.get(), Key);
  EXPECT_EQ(Key, QChar(13));  // the grid's own Enter
  EXPECT_EQ(G->Col(), 1);
}

TEST_F(StringGridRows, DoubleClickSizesNothingButAHeaderWithTheOption) {
  const int Width = G->ColWidths(4);
  Opt_Double_Click_Auto_Size = false;
  EXPECT_NO_THROW(DblClick_Auto_Size(G.get(), 0, 4));
  Opt_Double_Click_Auto_Size = true;
  EXPECT_NO_THROW(DblClick_Auto_Size(G.get(), 2, 4));
  EXPECT_EQ(G->ColWidths(4), Width);
}

TEST_F(StringGridRows, DoubleClickOnTheHeaderFitsTheColumn) {
  G->SetCellEx(4, 1, QStringLiteral("a rather long text that does not fit"));
  const int Width = G->ColWidths(4);
  Opt_Double_Click_Auto_Size = true;
  DblClick_Auto_Size(G.get(), 0, 4);
  EXPECT_GT(G->ColWidths(4), Width);
}
