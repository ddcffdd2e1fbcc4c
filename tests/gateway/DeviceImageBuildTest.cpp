// Building the device image from a configuration's files and writing it as
// bin/bank1.bin and bin/bank2.bin.
#include <gtest/gtest.h>

#include "common/TestSupport.h"
#include "gateway/ConfigurationFixture.h"
#include "gateway/GoldenBytes.h"
#include "gateway/USaveBincc.h"
#include "platform/rtl/XMLDoc.h"

namespace {

QByteArray Hex(const char* Text) { return QByteArray::fromHex(QByteArray(Text).replace(' ', "")); }

class DeviceImageBuild : public ConfigurationFixture {
 protected:
  void Build() { FImage->Build_Device_Image(FXML); }
  void Build_And_Write() {
    Build();
    FImage->Write_Device_Image();
  }
  QByteArray Par(int Offset, int Size) const {
    return QByteArray(reinterpret_cast<const char*>(&FImage->Par_Block[Offset]), Size);
  }
  void Expect_File(const QString& Path, const char* Golden) {
    const QByteArray Expected = Load_Golden_Bytes(TEST_DATA_PATH(Golden));
    const QByteArray Actual = Read_File(Path);
    EXPECT_EQ(Actual, Expected) << Golden << "\n" << Diff_Bytes(Expected, Actual).toStdString();
  }
  static QString TEST_DATA_PATH(const char* Name) { return TEST_DATA("") + QString::fromLatin1(Name); }

  TXMLDocument FXML;
  std::unique_ptr<TDevice_Image> FImage = std::make_unique<TDevice_Image>();
};

}  // namespace

TEST_F(DeviceImageBuild, WithoutAnyFileMatchesGolden) {
  // Through the program's own image, as the main window runs it.
  Create_Bin(FXML);
  Save_Bin();
  Expect_File(Bank1(), "bank1_no_files.hex");
  Expect_File(Bank2(), "bank2_no_files.hex");
  EXPECT_EQ(Device_Image().Bank1_Length, 2048u);
  EXPECT_EQ(Device_Image().Bank2_Length, 0x8021u);
  // Nothing but the two files lands in the bin folder.
  EXPECT_EQ(QDir(Dir_Project + QStringLiteral("/bin")).entryList(QDir::Files).size(), 2);
}

TEST_F(DeviceImageBuild, FullParGenPutsEveryValueAtItsOffset) {
  Use_Data(TEST_DATA("full"));
  Build_And_Write();
  Expect_File(Bank1(), "bank1_pargen_full.hex");
  // Port, NTP text and poll time go to the OPC UA area.
  const QByteArray Bank2_Bytes = Read_File(Bank2());
  EXPECT_EQ(Bank2_Bytes.mid(0x8000, 16), Hex("E9 12 00 00 10 80 08 00 21 80 08 00 10 0E 00 00"));
  EXPECT_EQ(Bank2_Bytes.mid(0x8020), QByteArray("\0pool.ntp.org\0", 14));
}

TEST_F(DeviceImageBuild, DefaultsOfAnEmptyParGenDifferFromAMissingOne) {
  Use_Data(TEST_DATA("empty"));
  Build_And_Write();
  Expect_File(Bank1(), "bank1_pargen_empty.hex");
  EXPECT_EQ(FImage->OPC_UA_Server.Port, 4840);
  EXPECT_EQ(FImage->OPC_UA_Server.NTP_Time, 1000u);  // 10 without the file
  EXPECT_TRUE(FImage->OPC_UA_Server.NTP.isEmpty());
}

TEST_F(DeviceImageBuild, OpcUaVariablesLandAtTheirAddresses) {
  Use_Data(TEST_DATA("opcua"));
  Build_And_Write();
  Expect_File(Bank2(), "bank2_opc_ua_example.hex");
}

TEST_F(DeviceImageBuild, ModbusRulesReadBeforeWriteOnlyExactlyEnabled) {
  Use_Data(TEST_DATA("rules"));
  Build_And_Write();
  Expect_File(Bank2(), "bank2_modbus_rules.hex");
  EXPECT_EQ(FImage->Par_U32(Par_Ofs::Modbus_Rule_Count), 3u);
  EXPECT_EQ(Read_File(Bank1()).mid(Par_Ofs::Modbus_Rule_Count, 4), Hex("03 00 00 00"));
}

TEST_F(DeviceImageBuild, BuildingTwiceGivesIdenticalFiles) {
  Use_Data(TEST_DATA("full"));
  Use_Data(TEST_DATA("rules"));
  Use_Data(TEST_DATA("opcua"));  // replaces the ParGen.xml of "full"
  Build_And_Write();
  const QByteArray First1 = Read_File(Bank1()), First2 = Read_File(Bank2());
  // A build of another configuration in between leaves nothing behind.
  const QString Saved = File_XML_ModbusM_SetAccess;
  File_XML_ModbusM_SetAccess = TEST_DATA("rules/missing.xml");
  Build();
  EXPECT_EQ(FImage->Par_U32(Par_Ofs::Modbus_Rule_Count), 0u);
  File_XML_ModbusM_SetAccess = Saved;
  Build_And_Write();
  EXPECT_EQ(Read_File(Bank1()), First1);
  EXPECT_EQ(Read_File(Bank2()), First2);
  EXPECT_EQ(First1.size(), 2048);
}

TEST_F(DeviceImageBuild, DisabledModbusRowsLeaveAnEmptyTable) {
  Write_File(File_XML_ModbusM_SetAccess,
             R"(<EtherNetIP_to_Modbus><Modbus_Read><row Enable="N" Slave_ID="1" Type="Coil Status" Address="0" NPoint="1" PollTime="1" MaxError="0" Position="0" Bit="0"/></Modbus_Read><Modbus_Write><row Enable="N" Slave_ID="1" Type="Coil Status" Address="0" NPoint="1" PollTime="0" OnChange="N" OnCMD="N" MaxError="0" Position="0" Bit="0"/></Modbus_Write></EtherNetIP_to_Modbus>)");
  Build_And_Write();
  EXPECT_EQ(FImage->Par_U32(Par_Ofs::Modbus_Rule_Count), 0u);
  EXPECT_EQ(Read_File(Bank2()).left(32768), QByteArray(32768, '\0'));
}
