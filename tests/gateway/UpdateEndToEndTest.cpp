// The main road from an empty program folder: a new configuration made in the
// main window, its settings and tables in place, "Update Device UDP", the
// device at 127.0.0.1 answering, the job file written and the updater run.
#include "gateway/UpdateFixture.h"

#include "common/TestSupport.h"
#include "platform/rtl/XMLDoc.h"

namespace {

using UpdateEndToEnd = UpdateFixture;

void Copy(const QString& From, const QString& To) {
  QFile::remove(To);
  ASSERT_TRUE(QFile::copy(From, To)) << From.toStdString();
}

}  // namespace

TEST_F(UpdateEndToEnd, FromAnEmptyProgramFolderToTheUpdater) {
  Use_Real_Echo_When_Allowed();
  EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files), QStringList{});
  FVarneltoeFirmWare->Show();

  // Step 1: a new configuration.
  ASSERT_NO_FATAL_FAILURE(New_Configuration("Line 4"));

  // Steps 2 to 4: the files of the communication settings and the two tables.
  Copy(TEST_DATA("full/ParGen.xml"), File_XML_ParGen);
  Copy(TEST_DATA("opcua/OPC_UA_Server.xml"), File_XML_OPC_UA_Server);
  Copy(TEST_DATA("rules/ModbusM_SetAccess.xml"), File_XML_ModbusM_SetAccess);
  Stub_Updater();

  // Step 5: the update, the address typed number by number.
  int shown = 0;
  {
    TScopedModalHook hook([&](TCustomForm* Form) {
      ++shown;
      ASSERT_EQ(Form, FBoot);
      EXPECT_EQ(FBoot->Form_Type, 1);
      EXPECT_EQ(FBoot->Caption(), "Update Device by Ethernet (UDP)");
      // The bank files are on disk before the window opens.
      EXPECT_TRUE(QFile::exists(Dir_Project + "/bin/bank1.bin"));
      TEdit* const edits[] = {FBoot->E_IP1, FBoot->E_IP2, FBoot->E_IP3, FBoot->E_IP4};
      const char* const typed[] = {"127.", "0.", "0.", "1"};
      for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(edits[i]->Focused()) << i;
        edits[i]->SelectAll();
        QTest::keyClicks(edits[i]->View(), typed[i]);
      }
      EXPECT_EQ(FBoot->IP_Address(), "127.0.0.1");
      Click(FBoot->Btn_Update);
      Click(FBoot->Btn_Cancel);
    });
    Click(FVarneltoeFirmWare->Btn_CreateBin);
  }
  EXPECT_EQ(shown, 1);
  if (Echo) {
    EXPECT_EQ(Echo->Hosts, (std::vector<QString>{"127.0.0.1", "127.0.0.1"}));
  }

  // The image on disk is the one its files make.
  TDevice_Image image;
  TXMLDocument xml;
  image.Build_Device_Image(xml);
  const QByteArray bank1 = ReadFile("PROJECTS/Line 4/bin/bank1.bin");
  const QByteArray bank2 = ReadFile("PROJECTS/Line 4/bin/bank2.bin");
  EXPECT_EQ(bank1.size(), 2048);
  EXPECT_EQ(bank1, Bytes(image.Bank1_Buffer, image.Bank1_Length));
  EXPECT_EQ(bank2, Bytes(image.Bank2_Buffer, image.Bank2_Length));
  EXPECT_EQ(bank1.mid(Par_Ofs::IP_Address, 4), QByteArray("\x0A\x14\x1E\x28"));
  EXPECT_EQ(image.Par_U32(Par_Ofs::Modbus_Rule_Count), 3u);
  EXPECT_EQ(image.OPC_UA_Server.Num_Var, 3);
  EXPECT_EQ(bank2.mid(Modbus_Rules_Size, 2), QByteArray("\xE9\x12"));  // port 4841

  // The job: configuration and firmware to the loopback address.
  const QByteArray job = ReadFile("Ethernet_Update.xml");
  EXPECT_TRUE(job.contains("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"));
  EXPECT_TRUE(job.contains("<Ope_FileName>" + (Dir_Project + "/bin/bank1.bin").toUtf8() +
                           "</Ope_FileName><Ope_Start_Address>0x07000</Ope_Start_Address>"));
  EXPECT_TRUE(job.contains("<Ope_FileName>" + (Dir_Project + "/bin/bank2.bin").toUtf8() +
                           "</Ope_FileName><Ope_Start_Address>0x80000</Ope_Start_Address>"));
  EXPECT_EQ(job.count("<Operation>"), 3);
  EXPECT_EQ(Updater_Log(), "started 0\njob\n");

  // Closing keeps the configuration and the address for the next start.
  CloseAndStop();
  const QByteArray settings = ReadFile("Varnelto.xml");
  EXPECT_TRUE(settings.contains("<projectname>Line 4</projectname>"));
  EXPECT_TRUE(settings.contains("<ipaddress>127.0.0.1</ipaddress>"));
}
