// The OPC UA server variables table: its file, the type column, the position
// check, the row buttons and what a showing resets.
#include <gtest/gtest.h>

#include "common/TestSupport.h"
#include "gateway/TableWindowFixture.h"
#include "gateway/UOPC_UA_Server_Access.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Snapshot.h"

namespace {

class OpcUaTable : public TableWindowFixture<TFOPC_UA_Server_Access> {
 protected:
  TProStringGrid* G() { return F->PSG; }
  bool Box(int Col, int Row) {
    bool State = false;
    EXPECT_TRUE(G()->GetCheckBoxState(Col, Row, State));
    return State;
  }
  bool Read_Only(int Col, int Row) {
    return G()->HasCellProperties(Col, Row) && G()->GetCellProperties(Col, Row)->ReadOnly();
  }
  // Picks a type as the user does in the Type column.
  void Pick_Type(int Row, const QString& Type) {
    G()->SetCellEx(2, Row, Type);
    F->PSGComboChange(G(), 2, Row, F->VarType->IndexOf(Type), Type);
  }
  // A variable typed in as the user does.
  void Fill(int Row, const QString& Type, const QString& Position) {
    Pick_Type(Row, Type);
    G()->SetCellEx(3, Row, Position);
  }
  QString File() { return QString::fromUtf8(Read_File(File_XML_OPC_UA_Server)); }
  // The example of the device-image tests, written back as the window writes
  // it ("y" becomes "Y": the window shows a box, not the text).
  static QByteArray Example_Written() {
    QByteArray File = Read_File(TEST_DATA("opcua/OPC_UA_Server.xml"));
    return File.replace("SwapWord=\"y\"", "SwapWord=\"Y\"").trimmed();
  }
};

}  // namespace

TEST_F(OpcUaTable, SavingReopeningAndSavingAgainGivesTheSameFile) {
  Use_Data(TEST_DATA("opcua"));
  F->Show();
  EXPECT_TRUE(D.Take().empty());
  EXPECT_EQ(G()->GetCellEx(2, 4), QStringLiteral("ByteString"));
  EXPECT_FALSE(Box(1, 2));
  EXPECT_TRUE(Box(9, 3));  // SwapWord "y"
  ASSERT_TRUE(Press_OK());
  const QByteArray First = Read_File(File_XML_OPC_UA_Server);
  EXPECT_EQ(First, Example_Written());
  Reshow();
  ASSERT_TRUE(Press_OK());
  EXPECT_EQ(Read_File(File_XML_OPC_UA_Server), First);
  EXPECT_TRUE(D.Take().empty());
}

TEST_F(OpcUaTable, AFileStartingWithACommentFailsToLoad) {
  Write_File(File_XML_OPC_UA_Server,
             "<!--SW_VERSION = 1.003--><OPC_UA_Server><OPC_UA_Server_Variables><row Type=\"Int16\" Position=\"1\"/>"
             "</OPC_UA_Server_Variables></OPC_UA_Server>");
  F->Show();
  // The framework's error report, and the window opens with a blank table.
  EXPECT_EQ(D.Take().size(), 1u);
  EXPECT_EQ(G()->GetCellEx(2, 1), QString());
  EXPECT_TRUE(F->Visible());
}

TEST_F(OpcUaTable, MissingAttributesTakeTheirDefaults) {
  Write_File(File_XML_OPC_UA_Server,
             "<OPC_UA_Server><OPC_UA_Server_Variables><row Type=\"Int16\" Position=\"1\" Length=\"7\"/>"
             "<row Enable=\"yes\" Type=\"Float\" Position=\"2\" Swap=\"x\"/><row Enable=\"N\" Type=\"Odd\" Position=\"3\"/>"
             "</OPC_UA_Server_Variables></OPC_UA_Server><!--SW_VERSION = 1.003-->");
  F->Show();
  EXPECT_TRUE(D.Take().empty());  // every attribute of this file is optional
  EXPECT_TRUE(Box(1, 1));
  EXPECT_FALSE(Box(8, 1));
  // The file's length stays, in the cell made read-only by the type.
  EXPECT_EQ(G()->GetCellEx(5, 1), QStringLiteral("7"));
  EXPECT_TRUE(Read_Only(5, 1));
  EXPECT_EQ(G()->GetCellEx(7, 1), QString());  // R/W empty in the file
  EXPECT_TRUE(Box(1, 2));
  EXPECT_TRUE(Box(8, 2));
  // A missing length replaces the type's proposal like any other.
  EXPECT_EQ(G()->GetCellEx(5, 2), QString());
  EXPECT_FALSE(Box(1, 3));
  ASSERT_TRUE(Press_OK());
  EXPECT_EQ(File().toStdString(),
            "<OPC_UA_Server><OPC_UA_Server_Variables>"
            "<row Enable=\"Y\" Type=\"Int16\" Position=\"1\" StartBit=\"\" Length=\"7\" Name=\"\" ReadWrite=\"\" "
            "Swap=\"N\" SwapWord=\"N\" SwapAll=\"N\" Mnemonic=\"\"/>"
            "<row Enable=\"Y\" Type=\"Float\" Position=\"2\" StartBit=\"\" Length=\"\" Name=\"\" ReadWrite=\"\" "
            "Swap=\"Y\" SwapWord=\"N\" SwapAll=\"N\" Mnemonic=\"\"/>"
            "<row Enable=\"N\" Type=\"Odd\" Position=\"3\" StartBit=\"\" Length=\"\" Name=\"\" ReadWrite=\"\" "
            "Swap=\"N\" SwapWord=\"N\" SwapAll=\"N\" Mnemonic=\"\"/>"
            "</OPC_UA_Server_Variables></OPC_UA_Server><!--SW_VERSION = 1.003-->");
}

TEST_F(OpcUaTable, TheTypeSetsTheLengthAndItsReadOnlyState) {
  F->Show();
  Pick_Type(1, QStringLiteral("Int32"));
  EXPECT_EQ(G()->GetCellEx(5, 1), QStringLiteral("4"));
  EXPECT_TRUE(Read_Only(5, 1));
  EXPECT_EQ(G()->GetCellEx(7, 1), QStringLiteral("Read/Write"));
  G()->SetCellEx(7, 1, QStringLiteral("Read Only"));
  Pick_Type(1, QStringLiteral("String"));
  EXPECT_EQ(G()->GetCellEx(5, 1), QStringLiteral("10"));
  EXPECT_FALSE(Read_Only(5, 1));
  EXPECT_EQ(G()->GetCellEx(7, 1), QStringLiteral("Read Only"));
  // Other columns offer no lengths.
  F->PSGComboChange(G(), 4, 1, 3, QStringLiteral("Int64"));
  EXPECT_EQ(G()->GetCellEx(5, 1), QStringLiteral("10"));
  // The pick lists of columns 2, 4 and 7; the other columns keep their editor.
  for (int c = 1; c < 12; ++c) {
    TEditorType E = edNormal;
    G()->GetCellEditor(c, 1, E);  // the grid asks the window
    EXPECT_EQ(E, (c == 2 || c == 4 || c == 7) ? edComboList : edNormal) << c;
  }
  EXPECT_EQ(F->VarType->Count(), 13);
}

TEST_F(OpcUaTable, PositionsBeyond1999AreRefusedInEnabledRows) {
  F->Show();
  Fill(1, QStringLiteral("Byte"), QStringLiteral("1999"));
  Fill(2, QStringLiteral("Byte"), QStringLiteral("5000"));
  G()->SetCheckBoxState(1, 2, false);
  Fill(7, QStringLiteral("Byte"), QStringLiteral("2000"));
  EXPECT_FALSE(F->Controllo_dati());
  EXPECT_EQ(D.Take(), std::vector<QString>{QStringLiteral("Error row 7!! Position Must be Between 0 and 1999")});
  G()->SetCellEx(7, 7, QString());
  G()->SetCellEx(2, 7, QString());
  G()->SetCellEx(3, 7, QString());
  EXPECT_TRUE(F->Controllo_dati());
  // A row after one without a type is checked all the same.
  Fill(5, QStringLiteral("Byte"), QStringLiteral("-1"));
  EXPECT_FALSE(F->Controllo_dati());
  EXPECT_EQ(D.Take(), std::vector<QString>{QStringLiteral("Error row 5!! Position Must be Between 0 and 1999")});
}

TEST_F(OpcUaTable, OkRefusesARowAfterAnEmptyTypeAndWritesNothing) {
  F->Show();
  Fill(1, QStringLiteral("Byte"), QStringLiteral("1"));
  Fill(3, QStringLiteral("Byte"), QStringLiteral("3"));
  EXPECT_FALSE(Press_OK());
  const auto Shown = D.Take();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_TRUE(Shown[0].contains(QStringLiteral("row 3"))) << Shown[0].toStdString();
  EXPECT_TRUE(Shown[0].contains(QStringLiteral("Row 2"))) << Shown[0].toStdString();
  EXPECT_FALSE(QFile::exists(File_XML_OPC_UA_Server));
  Fill(2, QStringLiteral("Byte"), QStringLiteral("2"));
  EXPECT_TRUE(Press_OK());
}

TEST_F(OpcUaTable, RowButtonsMoveBoxesAndReadOnlyFlagsWithTheRows) {
  F->Show();
  Fill(1, QStringLiteral("Int16"), QStringLiteral("1"));
  Fill(2, QStringLiteral("String"), QStringLiteral("2"));
  G()->SetCellEx(5, 2, QStringLiteral("32"));
  G()->SetCheckBoxState(8, 2, true);
  G()->SetCheckBoxState(1, 2, false);

  // Paste is refused until a row was copied in this showing.
  G()->SetRow(3);
  Click_Table_Button(F->Btn_PasteRow);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1302)});

  // A String row of length 32 pasted over an Int16 row keeps 32, editable.
  G()->SetRow(2);
  Click_Table_Button(F->Btn_CopyRow);
  EXPECT_TRUE(F->Do_Copy);
  G()->SetRow(1);
  D.Answer(mrYes);
  Click_Table_Button(F->Btn_PasteRow);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1300)});
  EXPECT_EQ(G()->GetCellEx(2, 1), QStringLiteral("String"));
  EXPECT_EQ(G()->GetCellEx(5, 1), QStringLiteral("32"));
  EXPECT_FALSE(Read_Only(5, 1));
  EXPECT_TRUE(Box(8, 1));
  EXPECT_FALSE(Box(1, 1));

  // Insert at row 1: everything moves down, the new row is blank and enabled.
  Pick_Type(1, QStringLiteral("Double"));
  Click_Table_Button(F->Btn_InsRow);
  EXPECT_EQ(G()->GetCellEx(2, 1), QString());
  EXPECT_TRUE(Box(1, 1));
  EXPECT_FALSE(Read_Only(5, 1));
  EXPECT_EQ(G()->GetCellEx(2, 2), QStringLiteral("Double"));
  EXPECT_TRUE(Read_Only(5, 2));
  EXPECT_FALSE(Box(1, 2));

  // Delete asks with the row number; only Yes deletes.
  Click_Table_Button(F->Btn_DelRow);
  EXPECT_EQ(D.Take(), std::vector<QString>{QStringLiteral("Are you sure to delete the Row number 1")});
  EXPECT_EQ(G()->GetCellEx(2, 2), QStringLiteral("Double"));
  D.Answer(mrYes);
  Click_Table_Button(F->Btn_DelRow);
  D.Take();
  EXPECT_EQ(G()->GetCellEx(2, 1), QStringLiteral("Double"));
  EXPECT_TRUE(Read_Only(5, 1));
  EXPECT_FALSE(Box(1, 1));
  EXPECT_TRUE(Box(1, 250));
  EXPECT_FALSE(Read_Only(5, 250));

  // A new showing forgets the copy.
  Reshow();
  G()->SetRow(1);
  Click_Table_Button(F->Btn_PasteRow);
  EXPECT_EQ(D.Take(), std::vector<QString>{Text(1302)});
}

TEST_F(OpcUaTable, SwapBoxesTickedBeforeACancelAreClearedByTheNextShowing) {
  F->Show();
  for (int c : {8, 9, 10}) G()->SetCheckBoxState(c, 5, true);
  G()->SetCheckBoxState(1, 5, false);
  Click_Table_Button(F->Btn_Cancel);
  EXPECT_EQ(F->ModalResult(), mrCancel);
  Reshow();
  for (int c : {8, 9, 10}) EXPECT_FALSE(Box(c, 5)) << c;
  EXPECT_TRUE(Box(1, 5));
  Fill(1, QStringLiteral("Byte"), QStringLiteral("0"));
  Fill(2, QStringLiteral("Byte"), QStringLiteral("0"));
  Fill(3, QStringLiteral("Byte"), QStringLiteral("0"));
  Fill(4, QStringLiteral("Byte"), QStringLiteral("0"));
  Fill(5, QStringLiteral("Byte"), QStringLiteral("0"));
  ASSERT_TRUE(Press_OK());
  EXPECT_FALSE(File().contains(QStringLiteral("Swap=\"Y\"")));
}

TEST_F(OpcUaTable, TheWindowAsBuilt) {
  F->Show();
  EXPECT_EQ(F->Caption(), QStringLiteral("Definition of OPC UA Server Variables"));
  EXPECT_EQ(F->ClientWidth(), 1200);
  EXPECT_EQ(F->ClientHeight(), 337);
  EXPECT_EQ(G()->ColCount(), 12);
  EXPECT_EQ(G()->RowCount(), 251);
  EXPECT_EQ(G()->GetCellEx(4, 0), QStringLiteral("Start Bit"));
  EXPECT_EQ(G()->GetCellEx(0, 250), QStringLiteral("250"));
  EXPECT_EQ(F->Hint->Strings(3), Text(1435));
  EXPECT_EQ(G()->GetCellProperties(2, 9)->BrushColor(), TColor(0x00FEFAE0));  // RGB 224, 250, 254
  EXPECT_EQ(G()->GetCellProperties(8, 9)->Alignment(), taCenter);
  const QString Shot = qEnvironmentVariable("ZIDI_SHOT_DIR");
  if (!Shot.isEmpty()) { EXPECT_TRUE(SaveControlToPng(F.get(), Shot + QStringLiteral("/opc_ua_table.png"))); }
}

TEST_F(OpcUaTable, AFileThatCannotBeWrittenIsReportedAndTheWindowStaysOpen) {
  F->Show();
  Fill(1, QStringLiteral("Byte"), QStringLiteral("1"));
  File_XML_OPC_UA_Server = Dir_Project + QStringLiteral("/gone/OPC_UA_Server.xml");
  EXPECT_FALSE(Press_OK());
  EXPECT_EQ(D.Take().size(), 1u);
  EXPECT_EQ(G()->GetCellEx(2, 1), QStringLiteral("Byte"));
}
