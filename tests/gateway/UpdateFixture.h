// The program with its update window in a program folder of its own: the main
// window and the shell's windows, then the update window, as the program block
// creates them. A fake echo service and a fake clock stand in for the device
// and the time; the Ethernet updater is a small script that records its start.
#pragma once

#include <QTest>
#include <functional>
#include <vector>

#include "controls/LbButton.h"
#include "gateway/UBoot.h"
#include "gateway/USaveBincc.h"
#include "platform/os/IdIcmpClient.h"
#include "platform/ui/Dialogs.h"
#include "shell/ShellFixture.h"
#include "shell/UProgramWindows.h"

// Answers echoes by a script and moves a fake clock by the time each echo
// takes: 1 ms for an answered echo, the whole time-out for one without reply.
class TFakeEcho : public IIcmpEcho {
 public:
  enum TOutcome { Reply, Silence, Unreachable, Failure };

  // The outcome of echo n (0-based).
  std::function<TOutcome(int n)> Script = [](int) { return Reply; };
  explicit TFakeEcho(uint32_t& Clock) : Now(Clock) {}
  uint32_t& Now;
  std::vector<QString> Hosts;
  std::vector<int> Payload_Sizes;

  TReplyStatus Echo(const QString& Host, const QByteArray& Payload, uint16_t Sequence, int Timeout) override {
    const int n = static_cast<int>(Hosts.size());
    Hosts.push_back(Host);
    Payload_Sizes.push_back(static_cast<int>(Payload.size()));
    TReplyStatus s;
    s.SetToIpAddress(Host);
    s.SetSequenceId(Sequence);
    switch (Script(n)) {
      case Reply:
        Now += 1;
        s.SetReplyStatusType(rsEcho);
        s.SetBytesReceived(8 + static_cast<int>(Payload.size()));
        s.SetFromIpAddress(Host);
        break;
      case Silence:
        Now += static_cast<uint32_t>(Timeout);
        s.SetReplyStatusType(rsTimeOut);
        break;
      case Unreachable:
        Now += 2;
        s.SetReplyStatusType(rsErrorUnreachable);
        break;
      case Failure:
        throw EIdSocketError(QStringLiteral("Host not found: ") + Host);
    }
    return s;
  }
};

// The first Length bytes of an image buffer.
inline QByteArray Bytes(const TBin_Buffer& Buffer, uint32_t Length) {
  return QByteArray(reinterpret_cast<const char*>(Buffer.data()), static_cast<qsizetype>(Length));
}

inline void Click(TControl* Control) {
  QTest::mouseClick(Control->View(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

// Types the address into the update window's four edits.
inline void Type_Address(const char* A, const char* B, const char* C, const char* D) {
  FBoot->E_IP1->SetText(QString::fromLatin1(A));
  FBoot->E_IP2->SetText(QString::fromLatin1(B));
  FBoot->E_IP3->SetText(QString::fromLatin1(C));
  FBoot->E_IP4->SetText(QString::fromLatin1(D));
}

// Types 127.0.0.1 and presses the update button.
inline void Update_Loopback() {
  Type_Address("127", "0", "0", "1");
  Click(FBoot->Btn_Update);
}

class UpdateFixture : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    auto echo = std::make_unique<TFakeEcho>(Clock);
    Echo = echo.get();
    SetIcmpEcho(std::move(echo));
    Start();
    Make_Boot();
    Program_Routines.Update_Device = [] { Update_Device(); };
  }
  void TearDown() override {
    Program_Routines.Update_Device = nullptr;
    Free_Boot();
    SetIcmpEcho(nullptr);
    Echo = nullptr;
    Last_IP_Address = Default_IP_Address;
    Last_Update_Option = 0;
    Last_Read_Back = true;
    ShellFixture::TearDown();
  }

  // The update window as the program creates it, driven by the fake clock.
  void Make_Boot() {
    FBoot = new TFBoot(nullptr);
    FBoot->AfterConstruction();
    Register_Program_Window(pwBoot, FBoot, [] { FBoot->Set_Lang(); });
    FBoot->Tick_Count = [this] { return Clock; };
    FBoot->Pause = [this](uint32_t Milliseconds) { Clock += Milliseconds; };
  }
  void Free_Boot() {
    if (!FBoot) return;
    FBoot->BeforeDestruction();
    delete FBoot;
    FBoot = nullptr;
  }

  // Makes the configuration Name through the main window's New button.
  void New_Configuration(const QString& Name) {
    {
      TScopedModalHook hook([&](TCustomForm* Form) {
        ASSERT_EQ(Form, FNew_Project);
        FNew_Project->E_New_Proj->SetText(Name);
        Click(FNew_Project->Btn_OK);
      });
      Click(FVarneltoeFirmWare->Btn_New);
    }
    ASSERT_EQ(Dir_Project, FDir.path() + "/PROJECTS/" + Name);
    EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf_L2->Caption(), Name);
  }

  // A configuration folder with its bin folder, open.
  void Open_Configuration(const QString& Name) {
    MakeDir("PROJECTS/" + Name + "/bin");
    Name_Project = Name;
    Dir_Project = Dir_Projects + "/" + Name;
    Set_Files();
  }

  // An executable script in the program folder.
  void Script(const QString& Name, const QByteArray& Body) {
    WriteFile(Name, "#!/bin/sh\n" + Body);
    QFile::setPermissions(Path(Name), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  // The Ethernet updater: appends "started" and what it found of its job to
  // the file "updater.log".
  void Stub_Updater() {
    const QByteArray log = Path("updater.log").toUtf8();
    const QByteArray job = Path("Ethernet_Update.xml").toUtf8();
    Script("Ethernet_Update.exe", "echo \"started $#\" >> \"" + log + "\"\n" + "test -s \"" + job +
                                      "\" && echo job >> \"" + log + "\"\n");
  }
  QByteArray Updater_Log() const { return ReadFile("updater.log"); }

  // Uses the real echo service when this process may send echoes to the
  // loopback address; keeps the fake one, which answers as the loopback
  // would, otherwise.
  void Use_Real_Echo_When_Allowed() {
    try {
      TSocketIcmpEcho().Echo(QStringLiteral("127.0.0.1"), QByteArray(8, 'x'), 0, 400);
      SetIcmpEcho(nullptr);
      Echo = nullptr;
    } catch (const EIdSocketError& e) {
      GTEST_LOG_(INFO) << "fake echo service: " << e.Message().toStdString();
    }
  }

  // Shows the update window (in Ethernet mode unless told otherwise), runs Act in it, then closes it
  // with Cancel when Act left it open.
  void Show_Boot(const std::function<void()>& Act, int Form_Type = 1) {
    int shown = 0;
    {
      TScopedModalHook hook([&](TCustomForm* Form) {
        ++shown;
        ASSERT_EQ(Form, FBoot);
        Act();
        if (FBoot->ModalResult() == mrNone) FBoot->Btn_Cancel->Click();
      });
      FBoot->Form_Type = Form_Type;
      FBoot->ShowModal();
    }
    ASSERT_EQ(shown, 1);
  }
  // The fake millisecond clock of the echo check.
  uint32_t Clock = 100000;
  TFakeEcho* Echo = nullptr;
};
