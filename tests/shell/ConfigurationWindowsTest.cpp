#include <QTest>

#include "ShellFixture.h"
#include "platform/ui/Dialogs.h"

namespace {

using NewConfiguration = ShellFixture;
using OpenConfiguration = ShellFixture;

// Runs the main window's New button; Name is typed into the window and OK
// pressed; the window is closed with Cancel when it stays open.
void NewWithName(const QString& Name) {
  TScopedModalHook hook([&](TCustomForm*) {
    FNew_Project->E_New_Proj->SetText(Name);
    FNew_Project->Btn_OK->Click();
    if (!FNew_Project->ModalResult()) FNew_Project->Btn_Cancel->Click();
  });
  FVarneltoeFirmWare->Btn_Click(FVarneltoeFirmWare->Btn_New);
}

// Runs the main window's Open button; Act works in the window.
void Open(const std::function<void()>& Act) {
  TScopedModalHook hook([&](TCustomForm*) { Act(); });
  FVarneltoeFirmWare->Btn_Click(FVarneltoeFirmWare->Btn_Open);
}

QStringList Listed() {
  QStringList names;
  for (int i = 0; i < FOpenConf->ListBox1->Items()->Count(); ++i)
    names << FOpenConf->ListBox1->Items()->Strings(i);
  return names;
}

}  // namespace

TEST_F(NewConfiguration, CreatesTheFolderWithBinAndOpensIt) {
  Start();
  NewWithName("Plant 7");
  EXPECT_TRUE(QDir(Path("PROJECTS/Plant 7/bin")).exists());
  EXPECT_EQ(Name_Project, "Plant 7");
  EXPECT_EQ(Dir_Project, FDir.path() + "/PROJECTS/Plant 7");
  EXPECT_EQ(File_XML_ModbusM_SetAccess, FDir.path() + "/PROJECTS/Plant 7/ModbusM_SetAccess.xml");
  EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf->Caption(), "Opened Configuration of the Converter : ");
  EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf_L2->Caption(), "Plant 7");
  EXPECT_EQ(QDir(Path("PROJECTS/Plant 7")).entryList(QDir::Files).size(), 0);
}

TEST_F(NewConfiguration, RefusedNamesCreateNothingAndKeepTheWindowOpen) {
  MakeDir("PROJECTS/Existing");
  Start();
  struct Case {
    const char* name;
    const char* error;
  };
  const Case cases[] = {
      {"", "Error! Name Project is not valid"},
      {"Existing", "Error! Name project is not valid because directory already exists"},
      // A name must stay a single folder inside PROJECTS.
      {"../Outside", "Error! Name Project is not valid"},
      {"a/b", "Error! Name Project is not valid"},
      {"a\\b", "Error! Name Project is not valid"},
      {".", "Error! Name Project is not valid"},
      {"..", "Error! Name Project is not valid"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDialogRecorder dialogs;
    dialogs.Answer(mrOk);
    NewWithName(QString::fromUtf8(c.name));
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].Text, c.error);
    EXPECT_EQ(dialogs.Requests()[0].DlgType, mtError);
    EXPECT_EQ(Name_Project, "");
    EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf->Caption(), "None Configuration Opened ");
  }
  EXPECT_FALSE(QFileInfo::exists(Path("Outside")));
  EXPECT_FALSE(QFileInfo::exists(Path("PROJECTS/a")));
  EXPECT_EQ(QDir(Path("PROJECTS")).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Existing"});
  EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
            (QStringList{"LANGUAGE", "MASTER", "PROJECTS"}));
}

TEST_F(NewConfiguration, EnterInTheNameFieldActsAsOk) {
  Start();
  TScopedModalHook hook([&](TCustomForm*) {
    FNew_Project->E_New_Proj->SetText("ByEnter");
    QTest::keyClick(FNew_Project->E_New_Proj->View(), Qt::Key_Return);
  });
  EXPECT_EQ(FNew_Project->ShowModal(), mrOk);
  EXPECT_TRUE(QDir(Path("PROJECTS/ByEnter/bin")).exists());
}

TEST_F(NewConfiguration, ShowingEmptiesTheNameField) {
  Start();
  FNew_Project->E_New_Proj->SetText("left over");
  TScopedModalHook hook([&](TCustomForm*) {
    EXPECT_EQ(FNew_Project->E_New_Proj->Text(), "");
    FNew_Project->Btn_Cancel->Click();
  });
  EXPECT_EQ(FNew_Project->ShowModal(), mrCancel);
  EXPECT_EQ(Name_Project, "");
}

TEST_F(OpenConfiguration, ListsFoldersAndPreselectsTheOpenOneIgnoringCase) {
  for (const char* d : {"alpha", "Beta", "gamma", ".hidden"}) MakeDir(QStringLiteral("PROJECTS/") + d);
  WriteFile("PROJECTS/file.xml", "<x/>");
  Start();
  // The open name differs from the folder on disk only in letter case.
  Name_Project = "BETA";
  Dir_Project = Dir_Projects + "/BETA";
  Open([] {
    EXPECT_EQ(Listed().size(), 3);
    EXPECT_TRUE(Listed().contains("alpha") && Listed().contains("Beta") && Listed().contains("gamma"));
    EXPECT_EQ(FOpenConf->ListBox1->Items()->Strings(FOpenConf->ListBox1->ItemIndex()), "Beta");
    FOpenConf->Btn_OK->Click();
  });
  EXPECT_EQ(Name_Project, "Beta");
  EXPECT_EQ(Dir_Project, FDir.path() + "/PROJECTS/Beta");
  EXPECT_EQ(File_XML_ParGen, FDir.path() + "/PROJECTS/Beta/ParGen.xml");
  EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf_L2->Caption(), "Beta");
}

TEST_F(OpenConfiguration, WithNothingOpenTheFirstIsPreselectedAndAClickPicks) {
  for (const char* d : {"one", "two"}) MakeDir(QStringLiteral("PROJECTS/") + d);
  Start();
  Open([] {
    EXPECT_EQ(FOpenConf->ListBox1->ItemIndex(), 0);
    EXPECT_EQ(FOpenConf->Name_Conf, Listed().at(0));
    FOpenConf->ListBox1->SetItemIndex(1);
    FOpenConf->ListBox1Click(FOpenConf->ListBox1);
    FOpenConf->Btn_OK->Click();
  });
  EXPECT_EQ(Name_Project, Listed().at(1));
}

TEST_F(OpenConfiguration, CancelChangesNothing) {
  MakeDir("PROJECTS/one");
  Start();
  Open([] { FOpenConf->Btn_Cancel->Click(); });
  EXPECT_EQ(Name_Project, "");
  EXPECT_EQ(Dir_Project, "");
}

TEST_F(OpenConfiguration, AnEmptyListPicksNothingAndOkLeavesNoConfigurationOpen) {
  MakeDir("PROJECTS/only");
  Start();
  // Picked once, then its folder goes away.
  Open([] { FOpenConf->Btn_OK->Click(); });
  ASSERT_EQ(Name_Project, "only");
  ASSERT_TRUE(QDir(Path("PROJECTS/only")).removeRecursively());
  Open([] {
    EXPECT_EQ(FOpenConf->ListBox1->Items()->Count(), 0);
    EXPECT_EQ(FOpenConf->ListBox1->ItemIndex(), -1);
    FOpenConf->ListBox1Click(FOpenConf->ListBox1);
    FOpenConf->Btn_OK->Click();
  });
  EXPECT_EQ(Name_Project, "");
  EXPECT_EQ(Dir_Project, "");
  EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf->Caption(), "None Configuration Opened ");
  EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf_L2->Caption(), "Use Step1 to open or create new configuration");
  // The table buttons answer text 18 again.
  TDialogRecorder dialogs;
  dialogs.Answer(mrOk);
  FVarneltoeFirmWare->Btn_Click(FVarneltoeFirmWare->Btn_Prm_Gen);
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  EXPECT_EQ(dialogs.Requests()[0].Text, "Error! Project not Valid");
}

TEST_F(OpenConfiguration, WindowSizesAndTexts) {
  Start();
  EXPECT_EQ(FOpenConf->ClientWidth(), 377);
  EXPECT_EQ(FOpenConf->ClientHeight(), 351);
  EXPECT_EQ(FOpenConf->Caption(), "Open Configuration");
  EXPECT_EQ(FOpenConf->L_SW_Code->Caption(), "ZIDI");
  EXPECT_EQ(FNew_Project->ClientWidth(), 331);
  EXPECT_EQ(FNew_Project->ClientHeight(), 162);
  EXPECT_EQ(FNew_Project->Caption(), "Create New Configuration");
  EXPECT_EQ(FNew_Project->E_New_Proj->Hint(), "Insert here the name of new configuration");
}
