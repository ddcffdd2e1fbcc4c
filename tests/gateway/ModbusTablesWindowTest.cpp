// The Modbus master read and write tables: the file, the limits of each
// check, the row buttons on the active tab and the grids' events.
#include <gtest/gtest.h>

#include <QTest>

#include "common/TestSupport.h"
#include "gateway/TableWindowFixture.h"
#include "gateway/USetAccess.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Snapshot.h"
#include "platform/widgets/ComCtrls.h"
#include "tests/grid/GridKeyInput.h"

namespace {

// The rules of the device-image tests with the third read rule shortened to
// one point, so that it fits the input array (ten points from bit 7 of byte
// 1499 would run past it).
QByteArray Rules_That_Fit(const QByteArray& Rules) {
  QByteArray File = Rules;
  return File.replace("NPoint=\"10\" PollTime=\"100000000\"", "NPoint=\"1\" PollTime=\"100000000\"").trimmed();
}

class ModbusTables : public TableWindowFixture<TFSetAccess> {
 protected:
  TProColumnGrid* R() { return F->PCG_Modbus_Read; }
  TProColumnGrid* W() { return F->PCG_Modbus_Write; }
  // A read rule: slave, type, address, points, poll time, max error, position, bit.
  void Read_Rule(int Row, QStringList Values) {
    for (int c = 0; c < Values.size(); ++c) R()->SetCellEx(c + 2, Row, Values[c]);
  }
  // A write rule: slave, type, address, points, poll time, on change, on cmd,
  // max error, position, bit.
  void Write_Rule(int Row, QStringList Values) {
    for (int c = 0; c < Values.size(); ++c) W()->SetCellEx(c + 2, Row, Values[c]);
  }
  // The message of the check, "" when every rule passes.
  QString Check() {
    const bool Ok = F->Controllo_dati();
    const auto Shown = D.Take();
    EXPECT_EQ(Ok, Shown.empty());
    return Shown.empty() ? QString() : Shown.front();
  }
  QString Fails(int Row, int Text, const QString& Limit = QString()) {
    return QStringLiteral("Error row ") + QString::number(Row) + SL_Language->Strings(Text) + Limit;
  }
};

// A rule, the text its check shows (0: passes) and the limit appended.
struct Limit_Case {
  QStringList Rule;
  int Text;
  QString Limit;
};
// Rule with one value changed.
QStringList With(QStringList Rule, int Index, const char* Value) {
  Rule[Index] = QString::fromLatin1(Value);
  return Rule;
}

const QStringList Holding = {"1", "Holding Register", "0", "10", "1000", "0", "0", ""};
const QStringList Coils = {"1", "Coil Status", "0", "10", "1000", "0", "0", "0"};

}  // namespace

TEST_F(ModbusTables, SavingReopeningAndSavingAgainGivesTheSameFile) {
  const QByteArray Input = Rules_That_Fit(Read_File(TEST_DATA("rules/ModbusM_SetAccess.xml")));
  Write_File(File_XML_ModbusM_SetAccess, Input);
  F->Show();
  EXPECT_TRUE(D.Take().empty());
  // A loaded value goes into its cell unchanged: "yes" is an unchecked box
  // that is not checked and is written back as it stands.
  EXPECT_EQ(W()->GetCellEx(1, 1), QStringLiteral("yes"));
  EXPECT_EQ(R()->GetCellEx(13, 3), QStringLiteral("alarms"));
  ASSERT_TRUE(Press_OK());
  EXPECT_EQ(Read_File(File_XML_ModbusM_SetAccess), Input);
  Reshow();
  ASSERT_TRUE(Press_OK());
  EXPECT_EQ(Read_File(File_XML_ModbusM_SetAccess), Input);
}

TEST_F(ModbusTables, TopicIndexesAreLoadedAndWrittenEmptyAgain) {
  Write_File(File_XML_ModbusM_SetAccess,
             "<EtherNetIP_to_Modbus><Modbus_Read><row Enable=\"N\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" "
             "NPoint=\"1\" PollTime=\"1\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Index_Topic=\"3\" Mnemonic=\"\"/>"
             "</Modbus_Read><Modbus_Write/></EtherNetIP_to_Modbus><!--SW_VERSION = 1.003-->");
  F->Show();
  EXPECT_EQ(F->ComboItem_Topic[0], 3);
  EXPECT_EQ(F->ComboItem_Topic[1], -1);
  ASSERT_TRUE(Press_OK());
  EXPECT_TRUE(QString::fromUtf8(Read_File(File_XML_ModbusM_SetAccess))
                  .contains(QStringLiteral("Swap=\"N\" SwapWord=\"N\" Index_Topic=\"\" Mnemonic=\"\"")));
}

TEST_F(ModbusTables, ARowLackingAValueLoadsEmptyThereAndKeepsTheRowsAfterIt) {
  Write_File(File_XML_ModbusM_SetAccess,
             "<EtherNetIP_to_Modbus><Modbus_Read>"
             "<row Enable=\"Y\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" PollTime=\"1\" "
             "MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"a\"/>"
             "<row Enable=\"Y\" Slave_ID=\"2\" Type=\"Coil Status\" NPoint=\"1\" PollTime=\"1\" "
             "MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"b\"/>"
             "<row Slave_ID=\"3\" Type=\"Coil Status\" Address=\"5\" NPoint=\"1\" PollTime=\"1\" "
             "MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"c\"/>"
             "</Modbus_Read><Modbus_Write>"
             "<row Slave_ID=\"4\" Type=\"Coil Status\" Address=\"1\" NPoint=\"1\" PollTime=\"0\" MaxError=\"0\" "
             "Position=\"0\" Bit=\"0\" Mnemonic=\"d\"/>"
             "</Modbus_Write></EtherNetIP_to_Modbus>");
  F->Show();
  const auto Shown = D.Take();
  ASSERT_EQ(Shown.size(), 1u);  // told once, naming both rows
  EXPECT_TRUE(Shown[0].contains(QStringLiteral("Modbus_Read row 2"))) << Shown[0].toStdString();
  EXPECT_TRUE(Shown[0].contains(QStringLiteral("Modbus_Write row 1"))) << Shown[0].toStdString();
  EXPECT_FALSE(Shown[0].contains(QStringLiteral("row 3")));
  EXPECT_EQ(R()->GetCellEx(4, 2), QString());
  EXPECT_EQ(R()->GetCellEx(13, 2), QStringLiteral("b"));
  EXPECT_EQ(R()->GetCellEx(4, 3), QStringLiteral("5"));
  EXPECT_EQ(R()->GetCellEx(1, 3), QStringLiteral("Y"));  // optional: its default
  EXPECT_EQ(W()->GetCellEx(7, 1), QString());           // OnChange missing
  EXPECT_EQ(W()->GetCellEx(8, 1), QStringLiteral("N")); // OnCMD optional
  EXPECT_EQ(W()->GetCellEx(14, 1), QStringLiteral("d"));
  // The empty address is caught by the check, not lost by a save.
  EXPECT_FALSE(Press_OK());
  EXPECT_EQ(D.Take(), std::vector<QString>{Fails(2, 1571)});
}

TEST_F(ModbusTables, UnreadableFilesAndMissingSectionsStopTheLoadingWithAReport) {
  struct Case {
    const char* File;
    int Read_Rows;
  };
  const Case Cases[] = {
      {"<!--SW_VERSION = 1.003--><EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\"/></Modbus_Read>"
       "<Modbus_Write/></EtherNetIP_to_Modbus>", 0},
      {"<?xml version=\"1.0\"?><EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\"/></Modbus_Read>"
       "<Modbus_Write/></EtherNetIP_to_Modbus>", 0},
      {"<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\"/></Modbus_Read>", 0},
      {"<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"7\" Enable=\"Y\"/></Modbus_Read></EtherNetIP_to_Modbus>", 1},
  };
  for (const Case& C : Cases) {
    Write_File(File_XML_ModbusM_SetAccess, C.File);
    Reshow();
    const auto Shown = D.Take();
    // The framework's report, and the incomplete rows read before it.
    EXPECT_GE(Shown.size(), 1u) << C.File;
    EXPECT_EQ(R()->GetCellEx(2, 1), C.Read_Rows ? QStringLiteral("7") : QString()) << C.File;
    EXPECT_EQ(W()->GetCellEx(2, 1), QString());
    EXPECT_TRUE(F->Visible());
  }
}

TEST_F(ModbusTables, ReadLimits) {
  F->Show();
  const Limit_Case Cases[] = {
      {Holding, 0, {}},
      {With(Holding, 3, "126"), 1572, "125"},
      {With(Holding, 3, "125"), 0, {}},
      {With(Coils, 3, "2000"), 0, {}},
      {With(Coils, 3, "2001"), 1572, "2000"},
      {With(Holding, 0, "0"), 1569, {}},
      {With(Holding, 0, "248"), 1569, {}},
      {With(Holding, 1, ""), 1570, {}},
      {With(Holding, 2, "65536"), 1571, {}},
      {With(Holding, 4, "0"), 1573, {}},
      {With(Holding, 5, "-1"), 1574, {}},
      {With(Holding, 6, "1500"), 1575, "1499"},
      {With(With(Holding, 6, "1490"), 3, "5"), 0, {}},
      {With(With(Holding, 6, "1491"), 3, "5"), 1577, {}},
      {{"1", "Input Status", "0", "1", "1", "0", "1499", "7"}, 0, {}},
      {{"1", "Input Status", "0", "2", "1", "0", "1499", "7"}, 1577, {}},
      {With(Coils, 7, ""), 1576, {}},
      {With(Holding, 2, " 12 "), 1571, {}},  // trailing blanks: no number
  };
  for (const Limit_Case& C : Cases) {
    Read_Rule(3, C.Rule);
    for (int r : {1, 2}) Read_Rule(r, Coils);
    EXPECT_EQ(Check(), C.Text ? Fails(3, C.Text, C.Limit) : QString()) << C.Rule.join(QLatin1Char('|')).toStdString();
  }
  // A disabled rule is not checked.
  Read_Rule(3, With(Holding, 3, "126"));
  R()->SetCellEx(1, 3, QStringLiteral("N"));
  EXPECT_EQ(Check(), QString());
  R()->SetCellEx(1, 3, QStringLiteral(" Y "));
  EXPECT_EQ(Check(), Fails(3, 1572, QStringLiteral("125")));
  // A rule after the first empty slave is neither checked nor written.
  R()->SetCellEx(2, 2, QStringLiteral(" "));
  EXPECT_EQ(Check(), QString());
}

TEST_F(ModbusTables, WriteLimits) {
  F->Show();
  const QStringList Holding_W = {"1", "Holding Register", "0", "10", "0", "N", "N", "0", "0", ""};
  const QStringList Coils_W = {"1", "Coil Status", "0", "1968", "0", "N", "N", "0", "0", "0"};
  const Limit_Case Cases[] = {
      {Holding_W, 0, {}},  // Poll Time 0 is allowed here
      {Coils_W, 0, {}},
      {With(Coils_W, 3, "1969"), 1582, "1968"},
      {With(Holding_W, 3, "124"), 1582, "123"},
      {With(Holding_W, 4, "-1"), 1583, {}},
      {With(Holding_W, 8, "1500"), 1585, "1499"},
      {With(Coils_W, 9, ""), 1586, {}},
      {With(With(Holding_W, 8, "1499"), 3, "1"), 1587, {}},
  };
  // The read rule of the same number does not matter.
  Read_Rule(1, With(Holding, 3, "999"));
  R()->SetCellEx(1, 1, QStringLiteral("N"));
  for (const Limit_Case& C : Cases) {
    Write_Rule(1, C.Rule);
    EXPECT_EQ(Check(), C.Text ? Fails(1, C.Text, C.Limit) : QString()) << C.Rule.join(QLatin1Char('|')).toStdString();
  }
  // Poll Time 0 is refused in a read rule.
  Write_Rule(1, Holding_W);
  R()->SetCellEx(1, 1, QStringLiteral("Y"));
  Read_Rule(1, With(Holding, 4, "0"));
  EXPECT_EQ(Check(), Fails(1, 1573));
}

TEST_F(ModbusTables, OkRefusesARuleAfterAnEmptySlaveAndWritesNothing) {
  F->Show();
  Read_Rule(1, Coils);
  Write_Rule(1, {"1", "Coil Status", "0", "1", "0", "N", "N", "0", "0", "0"});
  Write_Rule(4, {"1", "Coil Status", "0", "1", "0", "N", "N", "0", "0", "0"});
  EXPECT_FALSE(Press_OK());
  const auto Shown = D.Take();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_TRUE(Shown[0].startsWith(Text(1515))) << Shown[0].toStdString();
  EXPECT_TRUE(Shown[0].contains(QStringLiteral("row 4"))) << Shown[0].toStdString();
  EXPECT_FALSE(QFile::exists(File_XML_ModbusM_SetAccess));
  Click_Table_Button(F->Btn_Cancel);
  EXPECT_EQ(F->ModalResult(), mrCancel);
}

TEST_F(ModbusTables, RowButtonsWorkOnTheActiveTab) {
  F->Show();
  Read_Rule(1, Coils);
  Write_Rule(1, {"9", "Coil Status", "0", "1", "0", "N", "Y", "0", "0", "0"});
  R()->SetRow(1);
  Click_Table_Button(F->Btn_CopyRow);
  EXPECT_TRUE(F->Do_Copy_In_Read);
  // Pasted on the write tab: refused.
  F->PageControl1->SetActivePage(F->TS_Modbus_Write);
  W()->SetRow(2);
  Click_Table_Button(F->Btn_PasteRow);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1302)});
  Click_Table_Button(F->Btn_CopyRow);
  EXPECT_FALSE(F->Do_Copy_In_Read);
  EXPECT_TRUE(F->Do_Copy_In_Write);
  W()->SetRow(1);
  Click_Table_Button(F->Btn_PasteRow);  // blank row 2 copied over a used row: No
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1300)});
  EXPECT_EQ(W()->GetCellEx(2, 1), QStringLiteral("9"));
  Click_Table_Button(F->Btn_InsRow);
  EXPECT_EQ(W()->GetCellEx(1, 1), QStringLiteral("Y"));
  EXPECT_EQ(W()->GetCellEx(2, 2), QStringLiteral("9"));
  D.Answer(mrYes);
  Click_Table_Button(F->Btn_DelRow);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1588) + QStringLiteral("1")});
  EXPECT_EQ(W()->GetCellEx(2, 1), QStringLiteral("9"));
  EXPECT_EQ(R()->GetCellEx(2, 1), QStringLiteral("1"));  // the read tab untouched
  // The next showing opens on the read tab with the flags reset.
  Reshow();
  EXPECT_EQ(F->PageControl1->ActivePage(), F->TS_Modbus_Read);
  EXPECT_FALSE(F->Do_Copy_In_Write);
}

TEST_F(ModbusTables, GridEventsSelectHintAndMoveOnEnter) {
  F->Show();
  // The hidden Topic column: display column 12 is the real Mnemonic column.
  EXPECT_TRUE(R()->IsHiddenColumn(12));
  QString Hint = QStringLiteral("proposed");
  F->PCG_Modbus_ReadGridHint(R(), 0, 12, Hint);
  EXPECT_EQ(Hint, Text(1554));
  Hint = QStringLiteral("proposed");
  F->PCG_Modbus_ReadGridHint(R(), 3, 12, Hint);
  EXPECT_EQ(Hint, QStringLiteral("proposed"));
  F->PCG_Modbus_ReadGridHint(W(), 0, 7, Hint);
  EXPECT_EQ(Hint, Text(1561));

  F->ClickCell(W(), 5, 0);
  EXPECT_TRUE(W()->RowSelect(5));
  F->ClickCell(R(), 6, 1);
  EXPECT_FALSE(R()->RowSelect(6));

  Opt_Jump_Field_Tables = true;
  R()->SetRow(512);
  R()->SetCol(R()->ColCount() - 1);
  QChar Key(13);
  F->PCG_Modbus_ReadKeyPress(R(), Key);
  EXPECT_EQ(Key, QChar(0));
  EXPECT_EQ(R()->Row(), 1);
  EXPECT_EQ(R()->Col(), 1);
}

TEST_F(ModbusTables, TheWindowAsBuilt) {
  F->Show();
  EXPECT_EQ(F->Caption(), QStringLiteral("Set Modbus Access"));
  EXPECT_EQ(F->ClientWidth(), 1040);
  EXPECT_EQ(F->ClientHeight(), 337);
  EXPECT_EQ(R()->ColCount(), 13);  // 14 with the hidden Topic column
  EXPECT_EQ(W()->ColCount(), 15);
  EXPECT_EQ(R()->RowCount(), 513);
  EXPECT_EQ(R()->GetCellEx(11, 0), QStringLiteral("SwapWord"));
  EXPECT_EQ(R()->GetCellEx(13, 0), QStringLiteral("Mnemonic"));  // real column, after the hidden Topic
  EXPECT_EQ(R()->Columns()->Items(8)->ComboItems()->Count(), 1500);
  EXPECT_EQ(W()->Columns()->Items(3)->ComboItems()->Count(), 2);
  EXPECT_EQ(W()->Columns()->Items(7)->Editor(), edDataCheckBox);
  TEditorType E = edNormal;
  R()->GetCellEditor(3, 1, E);
  EXPECT_EQ(E, edComboList);
  EXPECT_EQ(R()->GetCellEx(1, 512), QStringLiteral("Y"));
  const QString Shot = qEnvironmentVariable("ZIDI_SHOT_DIR");
  if (!Shot.isEmpty()) {
    R()->SetCellEx(2, 1, QStringLiteral("1"));
    R()->SetCellEx(3, 1, QStringLiteral("Holding Register"));
    EXPECT_TRUE(SaveControlToPng(F.get(), Shot + QStringLiteral("/modbus_tables.png")));
  }
}

// ---- through the keyboard, as the user types -----------------------------------------------

TEST_F(ModbusTables, EnterFromTheKeyboardMovesToTheNextCellWithTheOption) {
  F->Show();
  Opt_Jump_Field_Tables = true;
  R()->SetRow(1);
  R()->SetCol(2);
  R()->SetFocus();
  QTest::keyClick(R()->View(), Qt::Key_Return);
  EXPECT_EQ(R()->Col(), 3);
  EXPECT_EQ(R()->Row(), 1);
}

// The user clicks a cell and types: the text reaches the cell.
TEST_F(ModbusTables, TypedValuesReachTheCell) {
  F->Show();
  R()->SetFocus();
  const TRect Cell = R()->CellRect(2, 1);
  QTest::mouseClick(R()->View(), Qt::LeftButton, Qt::NoModifier,
                    QPoint((Cell.Left + Cell.Right) / 2, (Cell.Top + Cell.Bottom) / 2));
  // Keys go where the focus is: the first opens the editor, the rest reach it.
  TypeKeys(R(), QStringLiteral("17"));
  PressKey(R(), Qt::Key_Return);
  EXPECT_EQ(R()->GetCellEx(2, 1), QStringLiteral("17"));
}

// A pick of the Type list writes the chosen item into the cell: the list
// opens on its first item (the empty cell holds none), Down takes the next.
TEST_F(ModbusTables, ATypePickedFromTheListReachesTheCell) {
  F->Show();
  R()->SetRow(1);
  R()->SetCol(3);
  R()->SetFocus();
  PressKey(R(), Qt::Key_F2);
  PressKey(R(), Qt::Key_Down);
  PressKey(R(), Qt::Key_Return);
  EXPECT_EQ(R()->GetCellEx(3, 1), QStringLiteral("Input Status"));
}
