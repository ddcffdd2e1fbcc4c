// A configuration filled through the table windows builds the device image
// that the image builder's own tests expect.
#include <gtest/gtest.h>

#include "common/TableDialogs.h"
#include "common/TestSupport.h"
#include "gateway/GoldenBytes.h"
#include "gateway/TableWindowFixture.h"
#include "gateway/UOPC_UA_Server_Access.h"
#include "gateway/USaveBincc.h"
#include "gateway/USetAccess.h"
#include "platform/rtl/XMLDoc.h"

namespace {

class TablesToDeviceImage : public ConfigurationFixture {
 protected:
  void SetUp() override {
    ConfigurationFixture::SetUp();
    FTexts.Prepare();
  }
  void TearDown() override {
    FTexts.Restore();
    ConfigurationFixture::TearDown();
  }
  // Builds and writes bank1.bin and bank2.bin; gives them back.
  std::pair<QByteArray, QByteArray> Build() {
    TXMLDocument XML;
    TDevice_Image Image;
    Image.Build_Device_Image(XML);
    Image.Write_Device_Image();
    return {Read_File(Bank1()), Read_File(Bank2())};
  }
  // Presses OK and hides the window, as the modal loop would.
  template <typename TWindow>
  void Press_OK(TWindow* F) {
    F->SetModalResult(mrNone);
    Click_Table_Button(F->Btn_OK);
    ASSERT_EQ(F->ModalResult(), mrOk);
    EXPECT_TRUE(D.Take().empty());
    F->Hide();
  }
  static void Put(TProStringGrid* G, int Row, int First_Col, const QStringList& Values) {
    for (int i = 0; i < Values.size(); ++i) G->SetCellEx(First_Col + i, Row, Values[i]);
  }

  TTableTexts FTexts;
  TTableDialogs D;
};

}  // namespace

TEST_F(TablesToDeviceImage, OpcUaVariablesTypedIntoTheWindow) {
  Write_File(File_XML_ParGen, Read_File(TEST_DATA("opcua/ParGen.xml")));
  auto F = std::unique_ptr<TFOPC_UA_Server_Access>(NewForm<TFOPC_UA_Server_Access>(nullptr));
  F->Show();
  TProStringGrid* G = F->PSG;
  const auto Type = [&](int Row, const QString& T) {
    G->SetCellEx(2, Row, T);
    F->PSGComboChange(G, 2, Row, F->VarType->IndexOf(T), T);
  };
  Type(1, QStringLiteral("Int32"));
  Put(G, 1, 3, {"100", "0", "4", "A", "Read/Write", "", "", "", "first"});
  Type(2, QStringLiteral("Double"));
  Put(G, 2, 3, {"200", "0", "8", "skipped"});
  G->SetCheckBoxState(1, 2, false);
  Type(3, QStringLiteral("Boolean"));
  Put(G, 3, 3, {"10", "3", "1", "", "Read Only"});
  for (int c : {8, 9, 10}) G->SetCheckBoxState(c, 3, true);
  G->SetCellEx(11, 3, QStringLiteral("no name"));
  Type(4, QStringLiteral("ByteString"));
  Put(G, 4, 3, {"291", "0", "10", "BC", "Read Only"});
  Press_OK(F.get());

  const auto Banks = Build();
  const QByteArray Expected = Load_Golden_Bytes(TEST_DATA("bank2_opc_ua_example.hex"));
  EXPECT_EQ(Banks.second, Expected) << Diff_Bytes(Expected, Banks.second).toStdString();
}

TEST_F(TablesToDeviceImage, ModbusRulesTypedIntoTheWindow) {
  // The rules of the image builder's tests, the third read rule shortened to
  // one point so that it fits the input array.
  QByteArray Rules = Read_File(TEST_DATA("rules/ModbusM_SetAccess.xml"));
  Rules.replace("NPoint=\"10\" PollTime=\"100000000\"", "NPoint=\"1\" PollTime=\"100000000\"");
  Write_File(File_XML_ModbusM_SetAccess, Rules);
  const auto Expected = Build();
  QFile::remove(File_XML_ModbusM_SetAccess);

  auto F = std::unique_ptr<TFSetAccess>(NewForm<TFSetAccess>(nullptr));
  F->Show();
  TProColumnGrid* R = F->PCG_Modbus_Read;
  TProColumnGrid* W = F->PCG_Modbus_Write;
  Put(R, 1, 1, {"Y", "1", "Holding Register", "100", "10", "1000", "5", "0", "", "N", "Y", "", "temperatures"});
  Put(R, 2, 1, {"N", "2", "Coil Status", "0", "8", "500", "0", "30", "0", "N", "N"});
  Put(R, 3, 1, {"Y", "247", "Coil Status", "65535", "1", "100000000", "3", "1499", "7", "Y", "N", "", "alarms"});
  Put(W, 1, 1, {"yes", "4", "Coil Status", "1", "1", "0", "N", "N", "0", "0", "0", "N", "N", "not exactly Y"});
  Put(W, 2, 1, {"Y", "3", "Holding Register", "40", "4", "0", "Y", "Y", "0", "20", "", "Y", "N", "set points"});
  Press_OK(F.get());

  const auto Banks = Build();
  EXPECT_EQ(Banks.first, Expected.first) << Diff_Bytes(Expected.first, Banks.first).toStdString();
  EXPECT_EQ(Banks.second, Expected.second) << Diff_Bytes(Expected.second, Banks.second).toStdString();
  // Against the builder's golden bytes: all but the shortened rule (the
  // second of 32 bytes) are the same.
  const QByteArray Golden = Load_Golden_Bytes(TEST_DATA("bank2_modbus_rules.hex"));
  const auto Without_Rule_2 = [](const QByteArray& Bank) { return Bank.left(32) + Bank.mid(64); };
  EXPECT_EQ(Without_Rule_2(Banks.second), Without_Rule_2(Golden));
}
