#include "ShellFixture.h"
#include "platform/ui/Dialogs.h"

namespace {

class StartProgram : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    Start();
  }
  // An executable script in the program folder.
  QString Script(const char* Name, const QByteArray& Body) {
    WriteFile(Name, "#!/bin/sh\n" + Body);
    QFile::setPermissions(Path(Name), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return Path(Name);
  }
};

}  // namespace

TEST_F(StartProgram, ReturnsOnceTheProgramHasEnded) {
  const QString marker = Path("ended");
  const QString program = Script("Ethernet_Update.exe", "sleep 0.3\necho \"$1\" > \"" + marker.toUtf8() + "\"\n");
  FVarneltoeFirmWare->Start_Program(program, QStringLiteral("job"), 0);
  // The script wrote its marker just before it ended: Start_Program waited for it.
  EXPECT_EQ(ReadFile("ended"), "job\n");
}

TEST_F(StartProgram, GivesUpAfter150SecondsWhileTheProgramRunsOn) {
  const QString program = Script("Forever.exe", "sleep 3\necho late > \"" + Path("late").toUtf8() + "\"\n");
  // A clock that jumps 40 s at every reading.
  uint32_t now = 1000;
  std::vector<uint32_t> readings;
  FVarneltoeFirmWare->Tick_Count = [&] {
    readings.push_back(now);
    now += 40000;
    return readings.back();
  };
  FVarneltoeFirmWare->Start_Program(program, QString(), 1);
  // Start, then readings at 40, 80, 120 and 160 s: the last is past the limit.
  ASSERT_EQ(readings.size(), 5u);
  EXPECT_EQ(readings.back() - readings.front(), 160000u);
  EXPECT_FALSE(QFile::exists(Path("late")));
}

TEST_F(StartProgram, AProgramThatCannotStartGetsTheShellsMessage) {
  TDialogRecorder dialogs;
  dialogs.Answer(mrOk);
  FVarneltoeFirmWare->Start_Program(Path("Missing.exe"), QString(), 0);
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  EXPECT_TRUE(dialogs.Requests()[0].Text.contains("Missing.exe")) << dialogs.Requests()[0].Text.toStdString();
}
