// What the update window hands the external updaters: the serial updater's
// command line and the job file Ethernet_Update.xml.
#include <gtest/gtest.h>

#include "common/TestSupport.h"
#include "gateway/UBootJob.h"
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
