// The main road through the real windows, from an empty program folder: a new
// configuration, the communication settings typed into their window, three
// OPC UA variables and two Modbus rules entered in the tables, then "Update
// Device UDP" to the device at 127.0.0.1. What lands on disk (the two bank
// files and the job file) must be what the image and job builders make of the
// files the windows wrote, and hold the values entered on the way.
#include "gateway/UpdateFixture.h"

#include "gateway/UBootJob.h"
#include "gateway/UOPC_UA_Server_Access.h"
#include "gateway/UParGen.h"
#include "gateway/USetAccess.h"
#include "grid/ProCGrid.h"
#include "platform/rtl/XMLDoc.h"
#include "platform/widgets/StdCtrls.h"

namespace {

class MainRoad : public UpdateFixture {
 protected:
  void SetUp() override {
    UpdateFixture::SetUp();
    // The windows behind steps 2 to 4, registered as the program block does.
    Make(FParGen);
    Register_Program_Window(pwParGen, FParGen, [] { FParGen->Set_Lang(); });
    Make(FOPC_UA_Server_Access);
    Register_Program_Window(pwOPC_UA_Server_Access, FOPC_UA_Server_Access, [] { FOPC_UA_Server_Access->Set_Lang(); });
    Make(FSetAccess);
    Register_Program_Window(pwSetAccess, FSetAccess, [] { FSetAccess->Set_Lang(); });
  }
  void TearDown() override {
    Free(FSetAccess);
    Free(FOPC_UA_Server_Access);
    Free(FParGen);
    UpdateFixture::TearDown();
  }

  // Presses Button of the main window and runs Act in the window it shows
  // modally, which must be Window; Act must close it, with Result.
  static void Step(TLbButton* Button, TCustomForm* Window, const std::function<void()>& Act, int Result = mrOk) {
    int shown = 0;
    {
      TScopedModalHook hook([&](TCustomForm* Form) {
        ++shown;
        EXPECT_EQ(Form, Window);
        Act();
        // A window left open would keep its modal loop running.
        if (Form->ModalResult() == mrNone) {
          ADD_FAILURE() << Form->Name().toStdString() << " stayed open";
          Form->SetModalResult(mrCancel);
        }
      });
      Click(Button);
    }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Window->ModalResult(), Result) << Window->Name().toStdString();
  }
  // Clicks into Edit and types Text over its text.
  static void Type(TEdit* Edit, const char* Text) {
    Click(Edit);
    EXPECT_TRUE(Edit->Focused()) << Edit->Name().toStdString();
    Edit->SelectAll();
    QTest::keyClicks(Edit->View(), Text);
  }
};

}  // namespace

TEST_F(MainRoad, WindowsFilledFromAnEmptyProgramFolderUpdateTheDevice) {
  Use_Real_Echo_When_Allowed();
  EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files), QStringList{});
  EXPECT_EQ(QDir(Dir_Projects).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
  FVarneltoeFirmWare->Show();

  // Step 1: a new configuration.
  ASSERT_NO_FATAL_FAILURE(New_Configuration("Line 7"));
  EXPECT_FALSE(QFile::exists(File_XML_ParGen));

  // Step 2: the communication settings.
  TFParGen* P = FParGen;
  Step(FVarneltoeFirmWare->Btn_Prm_Gen, P, [&] {
    EXPECT_EQ(P->Caption(), "Set Communication");
    Type(P->E_EthConn_Device_Name, "Line7-GW");
    // The address typed in one go: "." ends an octet and moves on to the
    // next edit, the keys go wherever the focus is.
    Type(P->E_OPC_UA_Server_IP1, "");
    for (const char c : std::string("10.20.30.40")) QTest::keyClick(P->ActiveControl()->View(), c);
    EXPECT_TRUE(P->E_OPC_UA_Server_IP4->Focused());
    EXPECT_EQ(P->E_OPC_UA_Server_IP1->Text(), "10");
    Click(P->CB_OPC_UA_Server_En_GAT);
    EXPECT_TRUE(P->CB_OPC_UA_Server_En_GAT->Checked());
    Type(P->E_OPC_UA_Server_Port, "4850");
    P->CB_ModbusMaster_Baudrate->SetItemIndex(5);  // 38400
    Type(P->E_ModbusMaster_TimeOut, "750");
    Type(P->E_NTP_Server_URL, "pool.ntp.org");
    Type(P->E_NTP_Poll_Time, "3600");
    Click(P->Btn_OK);
  });
  EXPECT_TRUE(QFile::exists(File_XML_ParGen));

  // Step 3: three OPC UA variables.
  TFOPC_UA_Server_Access* O = FOPC_UA_Server_Access;
  Step(FVarneltoeFirmWare->Btn_OPC_UA_Server_Access, O, [&] {
    TProStringGrid* G = O->PSG;
    // A type picked in column 2 applies its length and access.
    const auto Variable = [&](int Row, const QString& Kind, const char* Position, const char* Name) {
      G->SetCellEx(2, Row, Kind);
      O->PSGComboChange(G, 2, Row, O->VarType->IndexOf(Kind), Kind);
      G->SetCellEx(3, Row, QString::fromLatin1(Position));
      G->SetCellEx(6, Row, QString::fromLatin1(Name));
    };
    Variable(1, "Int32", "0", "Temperature");
    Variable(2, "Float", "4", "Pressure");
    EXPECT_TRUE(G->SetCheckBoxState(8, 2, true));  // Swap
    Variable(3, "Boolean", "8", "Alarm");
    G->SetCellEx(4, 3, "3");  // start bit
    G->SetCellEx(7, 1, "Read Only");
    Click_Table_Button(O->Btn_OK);
  });

  // Step 4: a read rule that fills the first two variables and a write rule
  // that sends the third on change.
  TFSetAccess* M = FSetAccess;
  Step(FVarneltoeFirmWare->Btn_Modbus_Set_Access, M, [&] {
    TProColumnGrid* R = M->PCG_Modbus_Read;
    TProColumnGrid* W = M->PCG_Modbus_Write;
    const auto Put = [](TProColumnGrid* Grid, int First_Col, const QStringList& Values) {
      for (int c = 0; c < Values.size(); ++c) Grid->SetCellEx(First_Col + c, 1, Values[c]);
    };
    // Slave, type, address, points, poll time, max error, position, bit.
    Put(R, 2, {"1", "Holding Register", "100", "4", "1000", "5", "0", ""});
    EXPECT_TRUE(R->SetCheckBoxState(10, 1, true));  // Swap
    // Slave, type, address, points, poll time; then max error, position, bit.
    Put(W, 2, {"2", "Coil Status", "10", "1", "0"});
    EXPECT_TRUE(W->SetCheckBoxState(7, 1, true));   // OnChange
    EXPECT_TRUE(W->SetCheckBoxState(8, 1, false));  // OnCMD
    Put(W, 9, {"0", "8", "3"});
    Click_Table_Button(M->Btn_OK);
  });

  // Step 5: the update of the configuration alone, without read-back.
  Stub_Updater();
  Step(FVarneltoeFirmWare->Btn_CreateBin, FBoot, [&] {
    EXPECT_EQ(FBoot->Form_Type, 1);
    EXPECT_TRUE(QFile::exists(Dir_Project + "/bin/bank2.bin"));
    FBoot->CB_Update_Options->SetItemIndex(uoConfiguration);
    FBoot->CB_Update_Option_Read_Back->SetChecked(false);
    Update_Loopback();
    EXPECT_EQ(Updater_Log(), "started 0\njob\n");
    Click(FBoot->Btn_Cancel);
  }, mrCancel);
  if (Echo) {
    EXPECT_EQ(Echo->Hosts, (std::vector<QString>{"127.0.0.1", "127.0.0.1"}));
  }
  EXPECT_EQ(Last_IP_Address, "127.0.0.1");

  // The banks are what the builder makes of the files the windows wrote.
  TDevice_Image image;
  TXMLDocument xml;
  image.Build_Device_Image(xml);
  const QByteArray bank1 = ReadFile("PROJECTS/Line 7/bin/bank1.bin");
  const QByteArray bank2 = ReadFile("PROJECTS/Line 7/bin/bank2.bin");
  ASSERT_EQ(bank1.size(), Par_Block_Size);
  EXPECT_EQ(bank1, Bytes(image.Bank1_Buffer, image.Bank1_Length));
  EXPECT_EQ(bank2, Bytes(image.Bank2_Buffer, image.Bank2_Length));

  // The communication settings in the parameter block.
  EXPECT_EQ(bank1.mid(Par_Ofs::Device_Name, 9), QByteArray("Line7-GW\0", 9));
  EXPECT_EQ(bank1.mid(Par_Ofs::IP_Address, 4), QByteArray("\x0A\x14\x1E\x28"));
  EXPECT_EQ(bank1.mid(Par_Ofs::Gateway, 4), QByteArray("\xC0\xA8\x00\x01", 4));  // enabled: not FF FF FF FF
  EXPECT_EQ(image.Par_U32(Par_Ofs::Modbus_Baud_Rate), 38400u);
  EXPECT_EQ(image.Par_U32(Par_Ofs::Modbus_Timeout), 750u);
  EXPECT_EQ(image.OPC_UA_Server.NTP, "pool.ntp.org");
  EXPECT_EQ(image.OPC_UA_Server.NTP_Time, 3600u);
  EXPECT_EQ(bank2.mid(Modbus_Rules_Size, 2), QByteArray("\xF2\x12"));  // port 4850

  // The three variables.
  ASSERT_EQ(image.OPC_UA_Server.Num_Var, 3);
  const TOPC_UA_Var* v = image.OPC_UA_Server.Variables.data();
  EXPECT_EQ(v[0].Name, "Temperature");
  EXPECT_EQ(v[0].VarType, Get_OPC_UA_Var_Type("Int32"));
  EXPECT_EQ(v[0].Length, 4);
  EXPECT_EQ(v[0].Options, 0);  // read only
  EXPECT_EQ(v[1].Name, "Pressure");
  EXPECT_EQ(v[1].Position, 4);
  EXPECT_EQ(v[1].Options, OPC_UA_Opt_Read_Write | OPC_UA_Opt_Swap);
  EXPECT_EQ(v[2].Name, "Alarm");
  EXPECT_EQ(v[2].VarType, Get_OPC_UA_Var_Type("Boolean"));
  EXPECT_EQ(v[2].Position, 8);
  EXPECT_EQ(v[2].BitStart, 3);
  for (const char* name : {"Temperature", "Pressure", "Alarm"}) EXPECT_TRUE(bank2.contains(name)) << name;

  // The two rules, read rules first.
  EXPECT_EQ(image.Par_U32(Par_Ofs::Modbus_Rule_Count), 2u);
  EXPECT_EQ(bank2.mid(8, 4), QByteArray("\x01\x03\x64\x00", 4));  // slave 1, function 3, address 100
  const TModbus_Rule& read = image.Modbus_Rule[0];
  EXPECT_EQ(read.NPoint, 4);
  EXPECT_EQ(read.Poll_Time, 1000u);
  EXPECT_EQ(read.Max_Error, 5u);
  EXPECT_EQ(read.Flags & Rule_Flag_Swap, Rule_Flag_Swap);
  EXPECT_EQ(bank2.mid(Modbus_Rule_Size + 8, 4), QByteArray("\x02\x05\x0A\x00", 4));  // slave 2, function 5, address 10
  const TModbus_Rule& write = image.Modbus_Rule[1];
  EXPECT_EQ(write.Position, 8);
  EXPECT_EQ(write.Bit, 3);
  EXPECT_EQ(write.Flags & (Rule_Flag_On_Change | Rule_Flag_On_CMD), Rule_Flag_On_Change);
  EXPECT_EQ(bank2.mid(2 * Modbus_Rule_Size, Modbus_Rule_Size), QByteArray(Modbus_Rule_Size, '\0'));

  // The job: the two banks to 127.0.0.1 without read-back, as the job
  // builder writes it for the choices made.
  const QByteArray job = ReadFile("Ethernet_Update.xml");
  EXPECT_TRUE(job.contains("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"));
  EXPECT_EQ(job.count("<Operation>"), 2);
  EXPECT_EQ(job.count("<Ope_Read_Back>0</Ope_Read_Back>"), 2);
  EXPECT_TRUE(job.contains("<Ope_FileName>" + (Dir_Project + "/bin/bank1.bin").toUtf8() + "</Ope_FileName>"));
  EXPECT_TRUE(job.contains("<Ope_FileName>" + (Dir_Project + "/bin/bank2.bin").toUtf8() + "</Ope_FileName>"));
  TXMLDocument job_xml;
  Compile_XML_Parameter_New_Boot(job_xml, "127.0.0.1", uoConfiguration, false);
  EXPECT_EQ(ReadFile("Ethernet_Update.xml"), job);
}
