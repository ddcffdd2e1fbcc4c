#include <QTest>

#include "ShellFixture.h"
#include <QScopeGuard>

#include "platform/ui/Dialogs.h"
#include "platform/os/ShellApi.h"
#include "shell/UProgramWindows.h"

namespace {

using MainWindow = ShellFixture;

// A window of a layer above the shell, as the program block registers it.
struct TRegisteredWindow {
  explicit TRegisteredWindow(TProgram_Window AWhich) : Which(AWhich) {
    Form = NewForm<TForm>(nullptr);
    Register_Program_Window(AWhich, Form, [this] { ++Set_Lang_Calls; });
  }
  ~TRegisteredWindow() { delete Form; }
  TProgram_Window Which;
  TForm* Form;
  int Set_Lang_Calls = 0;
};

}  // namespace

TEST_F(MainWindow, FirstStartCreatesTheFoldersAndOpensNothing) {
  Start();
  TFVarneltoeFirmWare* f = FVarneltoeFirmWare;
  for (const char* d : {"MASTER", "PROJECTS", "LANGUAGE"}) EXPECT_TRUE(QDir(Path(d)).exists()) << d;
  EXPECT_EQ(Dir_Exe, FDir.path());
  EXPECT_EQ(Dir_Projects, FDir.path() + "/PROJECTS");
  EXPECT_EQ(f->Caption(), SW_Title_Text);
  EXPECT_EQ(f->L_SW_Code->Caption(), "ZIDI");
  EXPECT_EQ(f->L_SW_Desc->Caption(), "OPC UA Server / Modbus Master - Converter");
  EXPECT_EQ(f->L_Name_Conf->Caption(), "None Configuration Opened ");
  EXPECT_EQ(f->L_Name_Conf_L2->Caption(), "Use Step1 to open or create new configuration");
  EXPECT_EQ(Name_Project, "");
  EXPECT_EQ(Dir_Project, "");
  EXPECT_EQ(f->ClientWidth(), 694);
  EXPECT_EQ(f->ClientHeight(), 440);
  EXPECT_EQ(f->Shape1->Top(), 339);
  EXPECT_FALSE(f->Timer_Update->Enabled());
  EXPECT_EQ(f->Timer_Update->Interval(), 60000u);
  EXPECT_FALSE(f->LL_Update->Visible());
  EXPECT_TRUE(Last_Read_Back);
  ASSERT_NE(SL_Copy_Row, nullptr);
  ASSERT_NE(SL_MIB_Read, nullptr);
  ASSERT_NE(SL_MIB_Write, nullptr);
  EXPECT_FALSE(QFile::exists(Path("Varnelto.xml")));
}

TEST_F(MainWindow, StepsOfThisVariantAreShownAndTheOthersHidden) {
  Start();
  TFVarneltoeFirmWare* f = FVarneltoeFirmWare;
  struct Shown {
    TControl* Control;
    int Left, Top;
    const char* Caption;
  };
  const Shown shown[] = {
      {f->L_Begin, 16, 84, "Begin"},
      {f->L_Step_1, 16, 128, "Step 1"},
      {f->L_Step_5, 16, 304, "Step 5"},
      {f->Btn_New, 80, 112, "New Configuration"},
      {f->Btn_Open, 258, 112, "Open Configuration"},
      {f->Btn_Prm_Gen, 80, 156, "Set Communication"},
      {f->Btn_OPC_UA_Server_Access, 80, 200, "OPC UA Access"},
      {f->Btn_Modbus_Set_Access, 80, 244, "Modbus Set Access"},
      {f->Btn_CreateBin, 80, 288, "Update Device UDP"},
      {f->Btn_Info, 516, 8, ""},
      {f->Btn_Close, 632, 8, ""},
      {f->L_Tarvix, 565, 304, nullptr},
  };
  for (const Shown& s : shown) {
    EXPECT_TRUE(s.Control->Visible()) << s.Control->Name().toStdString();
    EXPECT_EQ(s.Control->Left(), s.Left) << s.Control->Name().toStdString();
    EXPECT_EQ(s.Control->Top(), s.Top) << s.Control->Name().toStdString();
    if (s.Caption) {
      EXPECT_EQ(s.Control->Caption(), s.Caption);
    }
  }
  EXPECT_EQ(f->Btn_CreateBin->Hint(), "Update the actual Firmware and/or Configuration in the device");
  EXPECT_EQ(f->Btn_Close->Hint(), "Close Configurator");
  EXPECT_FALSE(f->Btn_Modbus_Set_Access->ShowHint());
  EXPECT_TRUE(f->Btn_Prm_Gen->ShowHint());
  for (TControl* c : std::initializer_list<TControl*>{
           f->L_Step_6, f->L_Step_7, f->L_Step_8, f->Btn_CAN_Rec_Frame, f->Btn_SNMP_MIB,
           f->Btn_BACnet_SetAccess, f->Btn_EtherNetIP_Access, f->Btn_CANopen_EDS})
    EXPECT_FALSE(c->Visible());
  EXPECT_EQ(f->Btn_EtherNetIP_Access->Caption(), "EtherNet/IP Access");
}

TEST_F(MainWindow, TableButtonsNeedAnOpenConfiguration) {
  Start();
  TRegisteredWindow pargen(pwParGen);
  TFVarneltoeFirmWare* f = FVarneltoeFirmWare;
  int updates = 0;
  Program_Routines.Update_Device = [&] { ++updates; };
  TDialogRecorder dialogs;
  for (int i = 0; i < 4; ++i) dialogs.Answer(mrOk);
  for (TLbButton* b : {f->Btn_Prm_Gen, f->Btn_OPC_UA_Server_Access, f->Btn_Modbus_Set_Access, f->Btn_CreateBin})
    f->Btn_Click(b);
  ASSERT_EQ(dialogs.Requests().size(), 4u);
  for (const TDialogRequest& r : dialogs.Requests()) {
    EXPECT_EQ(r.Text, "Error! Project not Valid");
    EXPECT_EQ(r.DlgType, mtError);
  }
  EXPECT_EQ(updates, 0);

  // With a configuration open the same buttons open their windows.
  MakeDir("PROJECTS/Plant");
  Name_Project = "Plant";
  Dir_Project = Dir_Projects + "/Plant";
  TCustomForm* shown = nullptr;
  {
    TScopedModalHook hook([&](TCustomForm* Form) {
      shown = Form;
      Form->SetModalResult(mrOk);
    });
    f->Btn_Click(f->Btn_Prm_Gen);
  }
  EXPECT_EQ(shown, pargen.Form);
  f->Btn_Click(f->Btn_CreateBin);
  EXPECT_EQ(updates, 1);
  Program_Routines.Update_Device = nullptr;
}

TEST_F(MainWindow, ClosingWritesTheSettingsAndTheNextStartReopens) {
  StartWithConfiguration("Plant A");
  CloseAndStop();
  EXPECT_TRUE(ReadFile("Varnelto.xml").contains("<projectname>Plant A</projectname>"));

  Start();
  EXPECT_EQ(Name_Project, "Plant A");
  EXPECT_EQ(Dir_Project, FDir.path() + "/PROJECTS/Plant A");
  EXPECT_EQ(File_XML_ParGen, FDir.path() + "/PROJECTS/Plant A/ParGen.xml");
  EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf->Caption(), "Opened Configuration of the Converter : ");
  EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf_L2->Caption(), "Plant A");
}

TEST_F(MainWindow, ADeletedConfigurationOpensNothingAndIsForgotten) {
  StartWithConfiguration("Gone");
  CloseAndStop();
  ASSERT_TRUE(QDir(Path("PROJECTS/Gone")).removeRecursively());

  Start();
  EXPECT_EQ(Name_Project, "");
  EXPECT_EQ(Dir_Project, "");
  EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf->Caption(), "None Configuration Opened ");
  // The close box saves like the close button.
  FVarneltoeFirmWare->Close();
  EXPECT_TRUE(ReadFile("Varnelto.xml").contains("<projectname/>"));
}

TEST_F(MainWindow, BothOptionsOnStartTheVersionCheckTimer) {
  WriteFile("Varnelto.xml",
            "<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
            "<enable_update>1</enable_update></lastinternet></Conf_Settings>");
  Start();
  EXPECT_TRUE(FVarneltoeFirmWare->Timer_Update->Enabled());
  EXPECT_EQ(FVarneltoeFirmWare->Timer_Update->Interval(), 60000u);
}

TEST_F(MainWindow, OptionsOkSavesAndSetsTheTimerCancelWritesNothing) {
  Start();
  TFVarneltoeFirmWare* f = FVarneltoeFirmWare;
  {
    TScopedModalHook hook([](TCustomForm*) { FSoftOptions->Btn_Cancel->Click(); });
    f->Btn_Click(f->Btn_Opz);
  }
  EXPECT_FALSE(QFile::exists(Path("Varnelto.xml")));
  {
    TScopedModalHook hook([](TCustomForm*) {
      FSoftOptions->CB_En_Con->SetChecked(true);
      FSoftOptions->CB_Update->SetChecked(true);
      FSoftOptions->Btn_OK->Click();
    });
    f->Btn_Click(f->Btn_Opz);
  }
  EXPECT_TRUE(ReadFile("Varnelto.xml").contains("<enable_update>1</enable_update>"));
  EXPECT_TRUE(f->Timer_Update->Enabled());
}

TEST_F(MainWindow, LanguageChangeReachesTheRegisteredWindowsButNotTheFileNameWindow) {
  Start();
  TRegisteredWindow boot(pwBoot), eds(pwEtherNEtIP_EDS), profinet(pwProfinetFileName);
  FVarneltoeFirmWare->Change_Language();
  EXPECT_EQ(boot.Set_Lang_Calls, 1);
  EXPECT_EQ(eds.Set_Lang_Calls, 1);
  EXPECT_EQ(profinet.Set_Lang_Calls, 0);
}

TEST(ProgramWindows, ADestroyedWindowIsForgotten) {
  TForm* form = NewForm<TForm>(nullptr);
  int calls = 0;
  Register_Program_Window(pwKNXAccess, form, [&] { ++calls; });
  EXPECT_EQ(Program_Window(pwKNXAccess), form);
  Set_Lang_Program_Window(pwKNXAccess);
  delete form;
  EXPECT_EQ(Program_Window(pwKNXAccess), nullptr);
  Set_Lang_Program_Window(pwKNXAccess);
  EXPECT_EQ(calls, 1);
}

namespace {

// Records what the desktop was asked to open.
class TRecordingOpener : public IDocumentOpener {
 public:
  explicit TRecordingOpener(QStringList* Opened) : FOpened(Opened) {}
  bool Open(const QString& Target, QString&) override {
    *FOpened << Target;
    return true;
  }

 private:
  QStringList* FOpened;
};

}  // namespace

TEST_F(MainWindow, LinksOpenTheMakersPagesOnTheConfiguredServer) {
  TRegistryIniFile("Software\\Tarvix\\ZIDI").WriteString("Internet", "Web_Server", "http://127.0.0.1:9/");
  QStringList opened;
  SetDocumentOpener(std::make_unique<TRecordingOpener>(&opened));
  auto restore = qScopeGuard([] { SetDocumentOpener(nullptr); });
  Start();
  FVarneltoeFirmWare->L_TarvixClick(FVarneltoeFirmWare->L_Tarvix);
  FAbout->Label4Click(FAbout->Label4);
  FVarneltoeFirmWare->LL_UpdateLinkClick(FVarneltoeFirmWare->LL_Update, Download_Page_URL(), sltURL);
  FSoftOptions->LL_Check_UpdateLinkClick(FSoftOptions->LL_Check_Update, Download_Page_URL(), sltURL);
  EXPECT_EQ(opened, (QStringList{"http://127.0.0.1:9/HOME/default.asp?frompg=ZIDI",
                                 "http://127.0.0.1:9/HOME/default.asp?frompg=ZIDI",
                                 "http://127.0.0.1:9/Home/download/download.asp#HDKB",
                                 "http://127.0.0.1:9/Home/download/download.asp#HDKB"}));
  EXPECT_EQ(Version_Page_URL(), "http://127.0.0.1:9/home/download/GetversionSW.asp?nomesw=ZIDI");
}

TEST_F(MainWindow, TheEdsExportWritesWhereTheUserChose) {
  StartWithConfiguration("Plant");
  QStringList written;
  Program_Routines.Write_EDS_File = [&](const QString& Path) { written << Path; };
  auto restore = qScopeGuard([] { Program_Routines.Write_EDS_File = nullptr; });
  TDialogRecorder dialogs;
  dialogs.AnswerFile(Dir_Project + "/device");
  dialogs.AnswerCancel();
  FVarneltoeFirmWare->Btn_Click(FVarneltoeFirmWare->Btn_CANopen_EDS);
  FVarneltoeFirmWare->Btn_Click(FVarneltoeFirmWare->Btn_CANopen_EDS);
  EXPECT_EQ(written, QStringList{Dir_Project + "/device.eds"});
  ASSERT_EQ(dialogs.Requests().size(), 2u);
  EXPECT_EQ(dialogs.Requests()[0].Kind, dkSaveFile);
  EXPECT_EQ(dialogs.Requests()[0].InitialDir, Dir_Project);
  EXPECT_EQ(dialogs.Requests()[0].Filter, "Electronic Data Sheet (*.eds)|*.eds");
}

TEST_F(MainWindow, BACnetTypeComesFromTheCommunicationSettings) {
  StartWithConfiguration("Plant");
  EXPECT_EQ(FVarneltoeFirmWare->Get_Type_BACnet(), 0);
  const std::pair<const char*, int> files[] = {
      {"<ParGen><BACnet_Type>2</BACnet_Type></ParGen>", 2},
      {"<ParGen><BACnet_Type>two</BACnet_Type></ParGen>", 0},
      {"<ParGen><Other>2</Other></ParGen>", 0},
      {"<ParGen><BACnet_Type>", 0},
  };
  for (const auto& [xml, type] : files) {
    WriteFile("PROJECTS/Plant/ParGen.xml", xml);
    EXPECT_EQ(FVarneltoeFirmWare->Get_Type_BACnet(), type) << xml;
  }
}
