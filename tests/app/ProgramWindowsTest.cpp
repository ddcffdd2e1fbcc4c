#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "app/UPlaceholderWindows.h"
#include "app/UProgram.h"
#include "gateway/UParGen.h"
#include "gateway/USetAccess.h"
#include "controls/LbButton.h"
#include "platform/ui/Dialogs.h"
#include "platform/rtl/IniFiles.h"
#include "platform/ui/Snapshot.h"
#include "platform/ui/TestHooks.h"
#include "shell/UAbout.h"
#include "shell/UComon.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/UProgramWindows.h"
#include "shell/USoftOptions.h"
#include "shell/UVarneltoeFirmWare.h"

namespace {

// The program's 34 windows created by the program block in a program folder of
// their own.
class ProgramWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FDir.isValid());
    Set_Program_Folder(FDir.path());
    TRegistryIniFile::SetStoreFileName(FDir.filePath(QStringLiteral("registry.ini")));
  }
  void TearDown() override {
    Application->Finalize();
    FNew_Project = nullptr;
    FOpenConf = nullptr;
    FAbout = nullptr;
    FSoftOptions = nullptr;
    Set_Program_Folder(QString());
    TRegistryIniFile::SetStoreFileName(QString());
  }
  void WriteFile(const QString& Relative, const QByteArray& Bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(FDir.filePath(Relative)).path()));
    QFile f(FDir.filePath(Relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Bytes);
  }
  QTemporaryDir FDir;
};

// The windows in their creation order.
std::vector<TCustomForm*> Windows() {
  std::vector<TCustomForm*> forms;
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (auto* f = dynamic_cast<TCustomForm*>(Application->Components(i))) forms.push_back(f);
  return forms;
}

}  // namespace

TEST_F(ProgramWindows, AreCreatedInTheirOrderWithTheMainWindowFirst) {
  Create_Program_Windows();
  const char* names[] = {
      "FVarneltoeFirmWare", "FNew_Project", "FOpenConf", "FAbout", "FSoftOptions", "FParGen",
      "FOPC_UA_Server_Access", "FBoot", "FSetAccess", "FProfinetFileName", "FBACnet_Eng_Unit",
      "FBACnetSlaveSetAccess", "FReceiveCAN", "FTransmitCAN", "FBACnetAccess", "FImportEDEFile",
      "FModbus_TCP_Master_Set_Access", "FSet_PDO_Access", "FSet_SDO_Client_Access", "FSet_SDO_Server_Access",
      "FMQTT_Set_Topic", "FTopicTemplate", "FDefOffset", "FDNet", "FDMXDefVal", "FReceiveJ1939",
      "FTransmitJ1939", "FKNXAccess", "FReceiveNMEA", "FTransmitNMEA", "FSNMPManagerAccess",
      "FSNMP_Trap_Access", "FEtherNetIP_Master_Access", "FEtherNEtIP_EDS"};
  const std::vector<TCustomForm*> forms = Windows();
  ASSERT_EQ(forms.size(), std::size(names));
  for (size_t i = 0; i < forms.size(); ++i) {
    EXPECT_EQ(forms[i]->Name(), names[i]);
    EXPECT_FALSE(forms[i]->Visible()) << names[i];
  }
  EXPECT_EQ(Application->MainForm(), FVarneltoeFirmWare);
  EXPECT_EQ(Program_Window(pwParGen), FParGen);
  EXPECT_EQ(Program_Window(pwEtherNEtIP_EDS), FEtherNEtIP_EDS);
  // Every window shows the software code and its own texts.
  EXPECT_EQ(FParGen->L_SW_Code->Caption(), "ZIDI");
  EXPECT_EQ(FParGen->Caption(), "Set Communication");
  EXPECT_EQ(FSetAccess->Caption(), "Set Modbus Access");
  EXPECT_EQ(FTopicTemplate->L_SW_Desc->Caption(), "Set Topic");
  EXPECT_EQ(FReceiveCAN->Caption(), "Receive CAN Frames Set Access");
}

TEST_F(ProgramWindows, APickedLanguageReachesEveryWindowAtOnce) {
  // A language that renames the caption text of every window.
  QByteArray file;
  const int numbers[] = {0, 100, 200, 300, 400, 1200, 1400, 1500, 1600, 1700, 1800, 1900, 2000, 2100, 2200,
                         2300, 2500, 2600, 2700, 2800, 2900, 3000, 3100, 3200, 3300, 3400, 3500, 3600,
                         3700, 3800, 3900, 4000, 4100};
  for (int n : numbers) file += "STR" + QByteArray::number(n) + " = Text " + QByteArray::number(n) + "\r\n";
  WriteFile("LANGUAGE/Test.lng", file);
  Create_Program_Windows();
  TDialogRecorder dialogs;
  dialogs.Answer(mrYes);
  {
    TScopedModalHook hook([](TCustomForm*) {
      FSoftOptions->L_L1->Click();
      FSoftOptions->Btn_Cancel->Click();
    });
    FVarneltoeFirmWare->Btn_Click(FVarneltoeFirmWare->Btn_Opz);
  }
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  int renamed = 0;
  for (TCustomForm* f : Windows()) {
    if (f == FVarneltoeFirmWare) {
      EXPECT_EQ(FVarneltoeFirmWare->L_Begin->Caption(), "Text 0");
      EXPECT_EQ(f->Caption(), SW_Title_Text);
    } else if (f == FAbout) {
      EXPECT_EQ(f->Caption(), "About...");
    } else if (f == FProfinetFileName) {
      // Its texts are those of the start until the program restarts.
      EXPECT_EQ(f->Caption(), "PROFINET XML File Name");
    } else {
      EXPECT_TRUE(f->Caption().startsWith("Text ")) << f->Name().toStdString() << ": " << f->Caption().toStdString();
      ++renamed;
    }
  }
  EXPECT_EQ(renamed, 31);
  EXPECT_EQ(Name_Language, "English");
}

TEST_F(ProgramWindows, PictureOfTheMainWindow) {
  Create_Program_Windows();
  const QImage img = GrabControl(FVarneltoeFirmWare);
  EXPECT_EQ(img.width(), 694);
  EXPECT_EQ(img.height(), 440);
  EXPECT_EQ(img.pixelColor(690, 420), QColor(248, 247, 237));
  // ZIDI_SCREENSHOT names a file for the picture.
  const QByteArray target = qgetenv("ZIDI_SCREENSHOT");
  if (!target.isEmpty()) {
    EXPECT_TRUE(img.save(QString::fromLocal8Bit(target), "PNG"));
  }
}
