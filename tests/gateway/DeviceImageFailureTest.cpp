// A build that cannot be done and a write that fails: the error names the
// file or the limit, and no image file changes.
#include <gtest/gtest.h>

#include "common/TestSupport.h"
#include "gateway/ConfigurationFixture.h"
#include "gateway/USaveBincc.h"
#include "platform/rtl/XMLDoc.h"

namespace {

class DeviceImageFailure : public ConfigurationFixture {
 protected:
  // A first good image on disk, against which "nothing changed" is checked.
  void SetUp() override {
    ConfigurationFixture::SetUp();
    Use_Data(TEST_DATA("rules"));
    FImage->Build_Device_Image(FXML);
    FImage->Write_Device_Image();
    FOld1 = Read_File(Bank1());
    FOld2 = Read_File(Bank2());
    ASSERT_EQ(FOld1.size(), 2048);
  }
  // Builds and expects an error whose message holds every one of Words; then
  // checks that the image cannot be written and the files did not change.
  void Expect_Build_Fails(std::initializer_list<const char*> Words) {
    try {
      FImage->Build_Device_Image(FXML);
      ADD_FAILURE() << "the build succeeded";
    } catch (const Exception& E) {
      for (const char* W : Words)
        EXPECT_TRUE(E.Message().contains(QString::fromUtf8(W))) << E.Message().toStdString() << " lacks " << W;
    }
    EXPECT_FALSE(FImage->Built());
    EXPECT_THROW(FImage->Write_Device_Image(), EDevice_Image_Error);
    EXPECT_EQ(Read_File(Bank1()), FOld1);
    EXPECT_EQ(Read_File(Bank2()), FOld2);
  }

  TXMLDocument FXML;
  std::unique_ptr<TDevice_Image> FImage = std::make_unique<TDevice_Image>();
  QByteArray FOld1, FOld2;
};

const char* const Read_Row =
    R"(<row Enable="Y" Slave_ID="1" Type="Coil Status" Address="0" NPoint="1" PollTime="1" MaxError="0"/>)";

QByteArray Modbus_File(const QByteArray& Read_Rows, const QByteArray& Write_Rows) {
  return "<EtherNetIP_to_Modbus><Modbus_Read>" + Read_Rows + "</Modbus_Read><Modbus_Write>" + Write_Rows +
         "</Modbus_Write></EtherNetIP_to_Modbus>";
}

}  // namespace

TEST_F(DeviceImageFailure, MalformedFiles) {
  Write_File(File_XML_ParGen, "<Par_Gen><ModbusM_TIMEOUT>1</Par_Gen>");
  Expect_Build_Fails({"ParGen.xml"});
  Write_File(File_XML_ParGen, "<Par_Gen/>");
  Write_File(File_XML_OPC_UA_Server, "<OPC_UA_Server><OPC_UA_Server_Variables>");
  Expect_Build_Fails({"OPC_UA_Server.xml"});
  QFile::remove(File_XML_OPC_UA_Server);
  Write_File(File_XML_ModbusM_SetAccess, "<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write/>");
  Expect_Build_Fails({"ModbusM_SetAccess.xml"});
}

TEST_F(DeviceImageFailure, MissingSections) {
  Write_File(File_XML_ModbusM_SetAccess, "<EtherNetIP_to_Modbus><Modbus_Write/></EtherNetIP_to_Modbus>");
  Expect_Build_Fails({"ModbusM_SetAccess.xml", "Modbus_Read"});
  Write_File(File_XML_ModbusM_SetAccess,
             QByteArray("<EtherNetIP_to_Modbus><Modbus_Read>") + Read_Row + "</Modbus_Read></EtherNetIP_to_Modbus>");
  Expect_Build_Fails({"ModbusM_SetAccess.xml", "Modbus_Write"});
  // The first node is the root: a leading comment hides both sections.
  Write_File(File_XML_ModbusM_SetAccess, "<!--x-->" + Modbus_File(Read_Row, ""));
  Expect_Build_Fails({"Modbus_Read"});
  Write_File(File_XML_ModbusM_SetAccess, Modbus_File(Read_Row, ""));

  Write_File(File_XML_OPC_UA_Server, "<OPC_UA_Server><Variables/></OPC_UA_Server>");
  Expect_Build_Fails({"OPC_UA_Server.xml", "OPC_UA_Server_Variables"});
  Write_File(File_XML_OPC_UA_Server, "<OPC_UA><OPC_UA_Server_Variables/></OPC_UA>");
  Expect_Build_Fails({"OPC_UA_Server.xml", "\"OPC_UA_Server\""});
}

TEST_F(DeviceImageFailure, ModbusRowWithoutRequiredValue) {
  struct Case {
    const char* Read_Rows;
    const char* Write_Rows;
    const char* Section;
    const char* Row;
    const char* Word;
  };
  const Case Cases[] = {
      {R"(<row Enable="Y" Slave_ID="1" Type="Coil Status" Address="0" PollTime="1" MaxError="0"/>)", "",
       "Modbus_Read", "row 1", "NPoint"},
      {R"(<row Enable="N"/><row Enable="Y" Slave_ID="1" Type="Coil Status" Address="0" NPoint="abc" PollTime="1" MaxError="0"/>)",
       "", "Modbus_Read", "row 2", "abc"},
      {R"(<row Enable="Y" Slave_ID="1" Address="0" NPoint="1" PollTime="1" MaxError="0"/>)", "", "Modbus_Read",
       "row 1", "Type"},
      {"", R"(<row Enable="Y" Slave_ID="1" Type="Coil Status" Address="0" NPoint="1" PollTime="0" MaxError="0" Position="0" Bit="0"/>)",
       "Modbus_Write", "row 1", "OnChange"},
      {"", R"(<row Enable="Y" Slave_ID="1" Type="Coil Status" Address="0" NPoint="1" PollTime="0" OnChange="N" MaxError="0" Position="0"/>)",
       "Modbus_Write", "row 1", "Bit"},
      {"", R"(<row Enable="Y" Slave_ID="1" Type="Coil Status" Address="0" NPoint="1" PollTime="0" OnChange="N" MaxError="0" Position="0" Bit="x"/>)",
       "Modbus_Write", "row 1", "x"},
      {"", R"(<row Enable="Y" Slave_ID="1" Type="Coil Status" Address="0" NPoint="1" PollTime="0" OnChange="N" MaxError="0" Position="" Bit="0"/>)",
       "Modbus_Write", "row 1", "ModbusM_SetAccess.xml"},
  };
  for (const Case& c : Cases) {
    SCOPED_TRACE(std::string(c.Read_Rows) + c.Write_Rows);
    Write_File(File_XML_ModbusM_SetAccess, Modbus_File(c.Read_Rows, c.Write_Rows));
    Expect_Build_Fails({c.Section, c.Row, c.Word});
  }
}

TEST_F(DeviceImageFailure, MoreRulesThanTheTableHolds) {
  QByteArray Rows;
  for (int i = 0; i < 1024; ++i) Rows += Read_Row;
  Write_File(File_XML_ModbusM_SetAccess, Modbus_File(Rows, ""));
  FImage->Build_Device_Image(FXML);
  EXPECT_EQ(FImage->Par_U32(Par_Ofs::Modbus_Rule_Count), 1024u);
  Write_File(File_XML_ModbusM_SetAccess, Modbus_File(Rows, Read_Row));
  Expect_Build_Fails({"1024"});
}

TEST_F(DeviceImageFailure, OpcUaAreaBeyondTheBuffer) {
  // Header 16, one entry 16, the shared NUL and the NTP text with its NUL.
  const QByteArray Fits(OPC_UA_Area_Max_Size - 16 - 16 - 1 - 1, 'n');
  Write_File(File_XML_ParGen, "<Par_Gen><NTP_Server_URL>" + Fits + "</NTP_Server_URL></Par_Gen>");
  FImage->Build_Device_Image(FXML);
  EXPECT_EQ(FImage->Bank2_Length, static_cast<uint32_t>(Bin_Buffer_Size));

  Write_File(File_XML_ParGen, "<Par_Gen><NTP_Server_URL>" + Fits + "n</NTP_Server_URL></Par_Gen>");
  Expect_Build_Fails({"98304"});

  // Long variable names overflow the same way.
  QByteArray Rows;
  const QByteArray Name(1000, 'v');
  for (int i = 0; i < 100; ++i) Rows += R"(<row Enable="Y" Type="Int16" Name=")" + Name + R"("/>)";
  Write_File(File_XML_ParGen, "<Par_Gen/>");
  Write_File(File_XML_OPC_UA_Server, "<OPC_UA_Server><OPC_UA_Server_Variables>" + Rows +
                                         "</OPC_UA_Server_Variables></OPC_UA_Server>");
  Expect_Build_Fails({"98304"});
}

TEST_F(DeviceImageFailure, WriteCreatesAMissingBinFolder) {
  ASSERT_TRUE(QDir(Dir_Project + QStringLiteral("/bin")).removeRecursively());
  FImage->Build_Device_Image(FXML);
  FImage->Write_Device_Image();
  EXPECT_EQ(Read_File(Bank1()), FOld1);
  EXPECT_EQ(Read_File(Bank2()), FOld2);
}

TEST_F(DeviceImageFailure, WriteErrorsNameTheFileAndKeepTheOtherOne) {
  // A new configuration without Modbus rules, so that new files would differ.
  QFile::remove(File_XML_ModbusM_SetAccess);
  FImage->Build_Device_Image(FXML);

  // bank1.bin cannot be replaced: bank2.bin keeps its old content.
  ASSERT_TRUE(QFile::remove(Bank1()));
  ASSERT_TRUE(QDir().mkdir(Bank1()));
  try {
    FImage->Write_Device_Image();
    ADD_FAILURE() << "the write succeeded";
  } catch (const EDevice_Image_Error& E) {
    EXPECT_TRUE(E.Message().contains(QLatin1String("bank1.bin"))) << E.Message().toStdString();
  }
  EXPECT_EQ(Read_File(Bank2()), FOld2);

  // bank2.bin cannot be replaced: bank1.bin is not replaced either.
  ASSERT_TRUE(QDir().rmdir(Bank1()));
  Write_File(Bank1(), FOld1);
  ASSERT_TRUE(QFile::remove(Bank2()));
  ASSERT_TRUE(QDir().mkdir(Bank2()));
  try {
    FImage->Write_Device_Image();
    ADD_FAILURE() << "the write succeeded";
  } catch (const EDevice_Image_Error& E) {
    EXPECT_TRUE(E.Message().contains(QLatin1String("bank2.bin"))) << E.Message().toStdString();
  }
  EXPECT_EQ(Read_File(Bank1()), FOld1);
  // No temporary file is left behind by the failed writes.
  EXPECT_EQ(QDir(Dir_Project + QStringLiteral("/bin")).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("bank1.bin")});

  // A file where the bin folder belongs.
  ASSERT_TRUE(QDir(Dir_Project + QStringLiteral("/bin")).removeRecursively());
  Write_File(Dir_Project + QStringLiteral("/bin"), "x");
  try {
    FImage->Write_Device_Image();
    ADD_FAILURE() << "the write succeeded";
  } catch (const EDevice_Image_Error& E) {
    EXPECT_TRUE(E.Message().contains(Dir_Project + QStringLiteral("/bin"))) << E.Message().toStdString();
  }
}
