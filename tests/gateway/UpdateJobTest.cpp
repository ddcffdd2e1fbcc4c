// What the update window hands the external updaters: the serial updater's
// command line and the job file Ethernet_Update.xml.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/TestSupport.h"
#include "gateway/JobGolden.h"
#include "gateway/UBootJob.h"
#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"

namespace {

// Sets the program folders for one test and puts them back afterwards.
class Folders {
 public:
  Folders(const QString& Exe, const QString& Project)
      : FExe(Dir_Exe), FMaster(Dir_Master), FProject(Dir_Project) {
    Dir_Exe = Exe;
    Dir_Master = Exe + QStringLiteral("/MASTER");
    Dir_Project = Project;
  }
  ~Folders() {
    Dir_Exe = FExe;
    Dir_Master = FMaster;
    Dir_Project = FProject;
  }

 private:
  QString FExe, FMaster, FProject;
};

}  // namespace

TEST(UpdateJobSerial, CommandLineForEveryOption) {
  Folders F(QStringLiteral("/opt/zidi"), QStringLiteral("/opt/zidi/PROJECTS/Plant 1"));
  const QString Files = QStringLiteral(R"("/opt/zidi/MASTER/simKX.sim" "/opt/zidi/PROJECTS/Plant 1/bin/")");
  struct Case {
    int Option;
    bool Read_Back;
    const char* Expected;
  };
  const Case Cases[] = {
      {uoFirmware_Configuration, true, R"(\\.\COM3 FW FR PW PR )"},
      {uoFirmware_Configuration, false, R"(\\.\COM3 FW NO PW NO )"},
      {uoFirmware, true, R"(\\.\COM3 FW FR NO NO )"},
      {uoFirmware, false, R"(\\.\COM3 FW NO NO NO )"},
      {uoConfiguration, true, R"(\\.\COM3 NO NO PW PR )"},
      {uoConfiguration, false, R"(\\.\COM3 NO NO PW NO )"},
      {-1, true, R"(\\.\COM3 )"},
      {-1, false, R"(\\.\COM3 )"},
  };
  for (const Case& c : Cases)
    EXPECT_EQ(Serial_Command_Line(QStringLiteral("COM3"), c.Option, c.Read_Back),
              QString::fromLatin1(c.Expected) + Files)
        << c.Option << " " << c.Read_Back;
}

TEST(UpdateJobSerial, OptionsAreAppendedToTheGivenText) {
  EXPECT_EQ(Update_Options(QStringLiteral("x "), uoConfiguration, true), QStringLiteral("x NO NO PW PR "));
  EXPECT_EQ(Update_Options(QString(), 3, true), QString());
}

namespace {

QByteArray Read_All(const QString& Path) {
  QFile f(Path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST(UpdateJobFile, MatchesGoldenForEveryOption) {
  QTemporaryDir Temp;
  ASSERT_TRUE(Temp.isValid());
  Folders F(Temp.path(), QStringLiteral("/opt/zidi/PROJECTS/Plant 1"));
  Dir_Master = QStringLiteral("/opt/zidi/MASTER");
  struct Case {
    int Option;
    bool Read_Back;
    const char* Golden;
  };
  const Case Cases[] = {
      {uoFirmware_Configuration, true, "Ethernet_Update_item0_readback1.xml"},
      {uoFirmware_Configuration, false, "Ethernet_Update_item0_readback0.xml"},
      {uoFirmware, true, "Ethernet_Update_item1_readback1.xml"},
      {uoFirmware, false, "Ethernet_Update_item1_readback0.xml"},
      {uoConfiguration, true, "Ethernet_Update_item2_readback1.xml"},
      {uoConfiguration, false, "Ethernet_Update_item2_readback0.xml"},
      {-1, true, "Ethernet_Update_none.xml"},
      {-1, false, "Ethernet_Update_none.xml"},
  };
  // One document serves every job, as the update window's own document does.
  TXMLDocument XML1;
  for (const Case& c : Cases) {
    SCOPED_TRACE(c.Golden);
    Compile_XML_Parameter_New_Boot(XML1, QStringLiteral("192.168.2.205"), c.Option, c.Read_Back);
    const QByteArray Written = Read_All(Temp.path() + QStringLiteral("/Ethernet_Update.xml"));
    EXPECT_EQ(Written, Compact_Golden(TEST_DATA("") + QString::fromLatin1(c.Golden)));
    EXPECT_TRUE(Written.startsWith("<Ethernet_Update>"));
    EXPECT_FALSE(Written.contains('\n'));
  }
  EXPECT_EQ(Ethernet_Update_File_Name(), Temp.path() + QStringLiteral("/Ethernet_Update.xml"));
}

TEST(UpdateJobFile, AddressTextIsTakenAsTyped) {
  QTemporaryDir Temp;
  ASSERT_TRUE(Temp.isValid());
  Folders F(Temp.path(), QStringLiteral("/p"));
  TXMLDocument XML1;
  Compile_XML_Parameter_New_Boot(XML1, QStringLiteral("010.0.0.1 & x"), uoFirmware, false);
  EXPECT_TRUE(Read_All(Ethernet_Update_File_Name()).contains("<IP_Address_Dev>010.0.0.1 &amp; x</IP_Address_Dev>"));
}

TEST(UpdateJobFile, SaveErrorReachesTheCaller) {
  QTemporaryDir Temp;
  ASSERT_TRUE(Temp.isValid());
  Folders F(Temp.path() + QStringLiteral("/missing"), QStringLiteral("/p"));
  TXMLDocument XML1;
  EXPECT_THROW(Compile_XML_Parameter_New_Boot(XML1, QStringLiteral("1.2.3.4"), uoFirmware, true), Exception);
}
