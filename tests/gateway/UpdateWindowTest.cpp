// The update window: the echo check and what follows it, the address and
// choices it remembers, its two modes, the job file it writes and the updater
// it runs; the main window's update action when the image cannot be written.
#include "gateway/UpdateFixture.h"

#include "common/TestSupport.h"
#include "gateway/JobGolden.h"
#include "platform/os/LocalSystem.h"
#include "platform/ui/Snapshot.h"

namespace {

using UpdateWindowEcho = UpdateFixture;
using UpdateWindowShow = UpdateFixture;
using UpdateWindowJob = UpdateFixture;
using UpdateDevice = UpdateFixture;

using TOutcome = TFakeEcho::TOutcome;

}  // namespace

TEST_F(UpdateWindowEcho, OutcomesOfTheCheck) {
  Stub_Updater();
  struct Case {
    const char* Name;
    std::function<TOutcome(int)> Script;
    int Echoes;
    bool Success;
    const char* Message;  // the box shown when the check fails
    TMsgDlgType Type;
  };
  const Case cases[] = {
      {"answers every echo", [](int) { return TOutcome::Reply; }, 2, true, "", mtCustom},
      {"answers from the third echo on", [](int n) { return n < 2 ? TOutcome::Silence : TOutcome::Reply; }, 4,
       true, "", mtCustom},
      // 13 echoes of 400 ms and a 10 ms pause each: the first reading past 5 s.
      {"never answers", [](int) { return TOutcome::Silence; }, 13, false, "Device Not Found!", mtWarning},
      // When the time runs out the last echo decides.
      {"answers only the first echo", [](int n) { return n == 0 ? TOutcome::Reply : TOutcome::Silence; }, 14,
       false, "Device Not Found!", mtWarning},
      {"reports the device unreachable", [](int) { return TOutcome::Unreachable; }, 417, false,
       "Device Not Found!", mtWarning},
      {"cannot send the echo", [](int) { return TOutcome::Failure; }, 1, false, "Error!!! Check the Ip Address",
       mtError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    QFile::remove(Path("updater.log"));
    QFile::remove(Path("Ethernet_Update.xml"));
    Last_IP_Address = Default_IP_Address;
    Echo->Hosts.clear();
    Echo->Payload_Sizes.clear();
    Echo->Script = c.Script;
    TDialogRecorder dialogs;
    if (!c.Success) dialogs.Answer(mrOk);
    const uint32_t start = Clock;
    Show_Boot([&] { Update_Loopback(); });

    EXPECT_EQ(static_cast<int>(Echo->Hosts.size()), c.Echoes);
    for (const QString& host : Echo->Hosts) EXPECT_EQ(host, "127.0.0.1");
    for (int size : Echo->Payload_Sizes) EXPECT_EQ(size, 1024);
    if (c.Success) {
      EXPECT_TRUE(dialogs.Requests().empty());
      EXPECT_EQ(Last_IP_Address, "127.0.0.1");
      EXPECT_EQ(Updater_Log(), "started 0\njob\n");
      EXPECT_EQ(FBoot->ping_res, 1);
    } else {
      ASSERT_EQ(dialogs.Requests().size(), 1u);
      EXPECT_EQ(dialogs.Requests()[0].Text, c.Message);
      EXPECT_EQ(dialogs.Requests()[0].DlgType, c.Type);
      EXPECT_EQ(dialogs.Requests()[0].Buttons, TMsgDlgButtons{mbOK});
      // Nothing is remembered, written or started.
      EXPECT_EQ(Last_IP_Address, Default_IP_Address);
      EXPECT_FALSE(QFile::exists(Path("Ethernet_Update.xml")));
      EXPECT_EQ(Updater_Log(), "");
    }
    if (c.Type == mtWarning) {
      // About 5 s: past the limit by less than one more echo.
      EXPECT_GT(Clock - start, 5000u);
      EXPECT_LT(Clock - start, 5000u + 411u);
    }
  }
}

TEST_F(UpdateWindowEcho, ChoicesAreRememberedOnlyAfterTheDeviceAnswered) {
  Stub_Updater();
  Echo->Script = [](int) { return TOutcome::Silence; };
  {
    TDialogRecorder dialogs;
    dialogs.Answer(mrOk);
    Show_Boot([] {
      FBoot->CB_Update_Options->SetItemIndex(2);
      FBoot->CB_Update_Option_Read_Back->SetChecked(false);
      Update_Loopback();
    });
  }
  EXPECT_EQ(Last_IP_Address, Default_IP_Address);
  EXPECT_EQ(Last_Update_Option, 0);
  EXPECT_TRUE(Last_Read_Back);

  Echo->Script = [](int) { return TOutcome::Reply; };
  Show_Boot([] {
    FBoot->CB_Update_Options->SetItemIndex(2);
    FBoot->CB_Update_Option_Read_Back->SetChecked(false);
    Update_Loopback();
    // The window stays open after the update.
    EXPECT_EQ(FBoot->ModalResult(), mrNone);
  });
  EXPECT_EQ(Last_IP_Address, "127.0.0.1");
  EXPECT_EQ(Last_Update_Option, 2);
  EXPECT_FALSE(Last_Read_Back);
  // The next showing starts from them.
  Show_Boot([] {
    EXPECT_EQ(FBoot->E_IP1->Text(), "127");
    EXPECT_EQ(FBoot->E_IP4->Text(), "1");
    EXPECT_EQ(FBoot->CB_Update_Options->ItemIndex(), 2);
    EXPECT_FALSE(FBoot->CB_Update_Option_Read_Back->Checked());
  });
  // The address reaches the settings file when the program closes.
  CloseAndStop();
  EXPECT_TRUE(ReadFile("Varnelto.xml").contains("<ipaddress>127.0.0.1</ipaddress>"));
}

// The window handles messages during the check: the user may press a button.
TEST_F(UpdateWindowEcho, PressesDuringTheCheck) {
  Stub_Updater();
  int pauses = 0;
  // A second press of the update button starts no second check or update.
  FBoot->Pause = [&](uint32_t Milliseconds) {
    Clock += Milliseconds;
    if (++pauses == 1) FBoot->Btn_Update->Click();
  };
  Show_Boot([] { Update_Loopback(); });
  EXPECT_EQ(Echo->Hosts.size(), 2u);
  EXPECT_EQ(Updater_Log(), "started 0\njob\n");

  // Cancel ("Exit without to do the Update") during the check ends it: no
  // further echo, no update and no message, whatever the device answers.
  for (TOutcome outcome : {TOutcome::Reply, TOutcome::Silence}) {
    SCOPED_TRACE(outcome);
    QFile::remove(Path("updater.log"));
    QFile::remove(Path("Ethernet_Update.xml"));
    Last_IP_Address = Default_IP_Address;
    Echo->Hosts.clear();
    Echo->Script = [outcome](int) { return outcome; };
    pauses = 0;
    FBoot->Pause = [&](uint32_t Milliseconds) {
      Clock += Milliseconds;
      if (++pauses == 1) FBoot->Btn_Cancel->Click();
    };
    TDialogRecorder dialogs;
    Show_Boot([] { Update_Loopback(); });
    EXPECT_EQ(FBoot->ModalResult(), mrCancel);
    EXPECT_EQ(Echo->Hosts.size(), 1u);
    EXPECT_TRUE(dialogs.Requests().empty());
    EXPECT_EQ(Updater_Log(), "");
    EXPECT_FALSE(QFile::exists(Path("Ethernet_Update.xml")));
    EXPECT_EQ(Last_IP_Address, Default_IP_Address);
  }
}

// The real echo service to the loopback address, when this process may send
// echoes at all.
TEST_F(UpdateWindowEcho, LoopbackAnswersTheRealEcho) {
  SetIcmpEcho(nullptr);
  Echo = nullptr;
  try {
    TSocketIcmpEcho().Echo(QStringLiteral("127.0.0.1"), QByteArray(8, 'x'), 0, 400);
  } catch (const EIdSocketError& e) {
    GTEST_SKIP() << e.Message().toStdString();
  }
  Stub_Updater();
  Show_Boot([] { Update_Loopback(); });
  EXPECT_EQ(FBoot->ping_res, 1);
  EXPECT_EQ(Updater_Log(), "started 0\njob\n");
}

TEST_F(UpdateWindowShow, LastAddressFillsTheEdits) {
  struct Case {
    const char* Last;
    QStringList Edits;
  };
  const QStringList zeros{"0", "0", "0", "0"};
  const Case cases[] = {
      {"192.168.2.205", {"192", "168", "2", "205"}},
      {" 10.0.0.7 ", {"10", "0", "0", "7"}},
      {"", zeros},
      {"300.1.1.1", zeros},
      {"1.2.3", zeros},
      {"1.2.3.4.5", zeros},
      {"a.b.c.d", zeros},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Last);
    // A window as created at start: the edits hold "0".
    Free_Boot();
    Make_Boot();
    Last_IP_Address = QString::fromLatin1(c.Last);
    Show_Boot([&] {
      EXPECT_EQ((QStringList{FBoot->E_IP1->Text(), FBoot->E_IP2->Text(), FBoot->E_IP3->Text(),
                             FBoot->E_IP4->Text()}),
                c.Edits);
    });
  }
  // An invalid address on a later showing leaves the edits as they were.
  Last_IP_Address = "10.1.1.9";
  Show_Boot([] {});
  Last_IP_Address = "10.1.1.x";
  Show_Boot([] { EXPECT_EQ(FBoot->IP_Address(), "10.1.1.9"); });
}

TEST_F(UpdateWindowShow, PanelsOfTheTwoModes) {
  struct TPorts : ISerialPortList {
    QList<int> PresentPorts() override { return {3, 5}; }
  };
  SetSerialPortList(std::make_unique<TPorts>());
  auto visible = [] {
    std::vector<TPanel*> panels;
    for (TPanel* p : {FBoot->P_IP_Address, FBoot->P_Eth_Search, FBoot->P_Serial, FBoot->P_Options})
      if (p->Visible()) panels.push_back(p);
    return panels;
  };
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    Show_Boot([&] {
      EXPECT_EQ(FBoot->Caption(), "Update Device by Ethernet (UDP)");
      EXPECT_EQ(FBoot->L_SW_Desc->Caption(), "Update Device Using the Ethernet Port");
      EXPECT_EQ(FBoot->L_SW_Code->Caption(), SW_Code);
      EXPECT_EQ(FBoot->ClientWidth(), 449);
      EXPECT_EQ(FBoot->ClientHeight(), 230);
      EXPECT_EQ(visible(), (std::vector<TPanel*>{FBoot->P_IP_Address, FBoot->P_Options}));
      EXPECT_EQ(FBoot->P_IP_Address->Top(), 69);
      EXPECT_EQ(FBoot->P_Options->Top(), 69 + 49);
      EXPECT_EQ(FBoot->P_Button->Top(), 190);
      EXPECT_TRUE(FBoot->E_IP1->Focused());
      EXPECT_EQ(FBoot->CB_Update_Options->Items()->Text(), "Firmware + Configuration\r\nFirmware\r\nConfiguration\r\n");
    });
    Show_Boot(
        [&] {
          EXPECT_EQ(FBoot->Caption(), "Update Device by Serial");
          EXPECT_EQ(FBoot->L_SW_Desc->Caption(), "Update Device Using the Serial Port");
          EXPECT_EQ(FBoot->ClientHeight(), 232);
          EXPECT_EQ(visible(), (std::vector<TPanel*>{FBoot->P_Serial, FBoot->P_Options}));
          EXPECT_EQ(FBoot->P_Serial->Top(), 69);
          EXPECT_EQ(FBoot->P_Options->Top(), 69 + 51);
          EXPECT_EQ(FBoot->CB_COM_Port->Items()->Text(), "COM3\r\nCOM5\r\n");
          EXPECT_EQ(FBoot->CB_COM_Port->ItemIndex(), 0);
          EXPECT_TRUE(FBoot->CB_COM_Port->Focused());
        },
        0);
  }
  SetSerialPortList(nullptr);
}

TEST_F(UpdateWindowShow, DotMovesToTheNextEdit) {
  Last_IP_Address = "10.20.30.40";
  Show_Boot([] {
    FBoot->E_IP2->SetFocus();
    QTest::keyClick(FBoot->E_IP2->View(), '.');
    EXPECT_TRUE(FBoot->E_IP3->Focused());
    EXPECT_EQ(FBoot->E_IP2->Text(), "20");
    QTest::keyClick(FBoot->E_IP3->View(), '.');
    EXPECT_TRUE(FBoot->E_IP4->Focused());
    QTest::keyClick(FBoot->E_IP4->View(), '.');
    EXPECT_TRUE(FBoot->E_IP4->Focused());
    EXPECT_EQ(FBoot->IP_Address(), "10.20.30.40");
    // Other keys reach the edit; the edits take any text.
    FBoot->E_IP4->SelectAll();
    QTest::keyClicks(FBoot->E_IP4->View(), "x9");
    EXPECT_EQ(FBoot->E_IP4->Text(), "x9");
  });
}

TEST_F(UpdateWindowShow, LanguageChangeRefillsTheOptions) {
  Last_Update_Option = 1;
  Show_Boot([] {});
  // The main window's language change re-applies the window's texts: the
  // list is refilled and its first item selected.
  FVarneltoeFirmWare->Change_Language();
  EXPECT_EQ(FBoot->CB_Update_Options->Items()->Count(), 3);
  EXPECT_EQ(FBoot->CB_Update_Options->ItemIndex(), 0);
  EXPECT_EQ(FBoot->Btn_Update->GetCaption(), "Execute Update Firmware");
  EXPECT_EQ(FBoot->E_IP3->Hint(), "Insert third byte of IP Address");
  Show_Boot([] { EXPECT_EQ(FBoot->CB_Update_Options->ItemIndex(), 1); });
}

TEST_F(UpdateWindowJob, MatchesTheOptionAndReadBackChosen) {
  Open_Configuration("Plant 1");
  Stub_Updater();
  struct Case {
    int Option;
    bool Read_Back;
    const char* Golden;
  };
  const Case cases[] = {
      {0, true, "Ethernet_Update_item0_readback1.xml"},  {0, false, "Ethernet_Update_item0_readback0.xml"},
      {1, true, "Ethernet_Update_item1_readback1.xml"},  {1, false, "Ethernet_Update_item1_readback0.xml"},
      {2, true, "Ethernet_Update_item2_readback1.xml"},  {2, false, "Ethernet_Update_item2_readback0.xml"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Golden);
    Show_Boot([&] {
      FBoot->CB_Update_Options->SetItemIndex(c.Option);
      FBoot->CB_Update_Option_Read_Back->SetChecked(c.Read_Back);
      Update_Loopback();
    });
    QByteArray golden = Compact_Golden(TEST_DATA("") + QString::fromLatin1(c.Golden));
    golden.replace("192.168.2.205", "127.0.0.1").replace("/opt/zidi", FDir.path().toUtf8());
    EXPECT_EQ(ReadFile("Ethernet_Update.xml"), golden);
  }
}

TEST_F(UpdateWindowJob, TheUpdaterIsWaitedFor) {
  Open_Configuration("Plant 1");
  Script("Ethernet_Update.exe", "sleep 0.3\necho done > \"" + Path("done").toUtf8() + "\"\n");
  Show_Boot([&] {
    Update_Loopback();
    // The script wrote its marker just before it ended.
    EXPECT_EQ(ReadFile("done"), "done\n");
  });
}

TEST_F(UpdateWindowJob, AMissingUpdaterGetsTheShellsMessage) {
  Open_Configuration("Plant 1");
  TDialogRecorder dialogs;
  dialogs.Answer(mrOk);
  Show_Boot([&] {
    Update_Loopback();
    EXPECT_EQ(FBoot->ModalResult(), mrNone);
  });
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  EXPECT_TRUE(dialogs.Requests()[0].Text.contains("Ethernet_Update.exe"));
  // The job was written before the updater was asked for.
  EXPECT_TRUE(QFile::exists(Path("Ethernet_Update.xml")));
}

TEST_F(UpdateWindowJob, SerialModeRunsTheSerialUpdater) {
  struct TPorts : ISerialPortList {
    QList<int> PresentPorts() override { return {3}; }
  };
  SetSerialPortList(std::make_unique<TPorts>());
  Open_Configuration("Plant 1");
  Script("Dud_ER_Odaver.exe", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + Path("serial.log").toUtf8() + "\"\n");
  Show_Boot(
      [] {
        FBoot->CB_Update_Options->SetItemIndex(0);
        FBoot->CB_Update_Option_Read_Back->SetChecked(true);
        Click(FBoot->Btn_Update);
      },
      0);
  SetSerialPortList(nullptr);
  EXPECT_TRUE(Echo->Hosts.empty());
  const QString expected = QStringList{"\\\\.\\COM3", "FW", "FR", "PW", "PR", Dir_Master + "/simKX.sim",
                                       Dir_Project + "/bin/", ""}
                               .join('\n');
  EXPECT_EQ(QString::fromUtf8(ReadFile("serial.log")), expected);
  EXPECT_EQ(Last_Update_Option, 0);
  EXPECT_FALSE(QFile::exists(Path("Ethernet_Update.xml")));
}

// A device image that cannot be built or written: the error is shown in the
// framework's error box and the update window does not open.
TEST_F(UpdateDevice, AnImageThatCannotBeMadeOpensNoWindow) {
  Stub_Updater();
  struct Case {
    const char* Name;
    // Spoils the open configuration; false when this process cannot see the case.
    std::function<bool(const QString& Bin)> Spoil;
    const char* Named;  // what the message names: the bin folder, or this file
  };
  const Case cases[] = {
      {"read-only bin folder",
       [](const QString& Bin) {
         QFile::setPermissions(Bin, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
         // A process that may write anyway (root) cannot see this case.
         QFile probe(Bin + "/probe");
         const bool writable = probe.open(QIODevice::WriteOnly);
         if (writable) probe.remove();
         return !writable;
       },
       nullptr},
      {"bank1.bin is a folder", [](const QString& Bin) { return QDir().mkpath(Bin + "/bank1.bin"); }, nullptr},
      {"bin is a file",
       [](const QString& Bin) {
         QDir(Bin).removeRecursively();
         QFile f(Bin);
         return f.open(QIODevice::WriteOnly) && f.write("x") == 1;
       },
       nullptr},
      {"ParGen.xml is not well-formed",
       [](const QString&) {
         QFile f(File_XML_ParGen);
         return f.open(QIODevice::WriteOnly) && f.write("<Par_Gen>") == 9;
       },
       "ParGen.xml"},
  };
  FVarneltoeFirmWare->Show();
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Open_Configuration(QStringLiteral("Plant %1").arg(++n));
    const QString bin = Dir_Project + "/bin";
    if (!c.Spoil(bin)) {
      GTEST_LOG_(INFO) << c.Name << ": not possible for this process";
      continue;
    }
    int opened = 0;
    TScopedModalHook hook([&](TCustomForm* Form) {
      ++opened;
      Form->SetModalResult(mrCancel);
    });
    TDialogRecorder dialogs;
    dialogs.Answer(mrOk);
    Click(FVarneltoeFirmWare->Btn_CreateBin);
    EXPECT_EQ(opened, 0);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    const QString text = dialogs.Requests()[0].Text;
    EXPECT_TRUE(dialogs.Requests()[0].MessageBoxFlags & MB_ICONSTOP);
    EXPECT_TRUE(text.contains(c.Named ? QString::fromLatin1(c.Named) : bin)) << text.toStdString();
    EXPECT_FALSE(QFile::exists(bin + "/bank2.bin"));
    QFile::setPermissions(bin, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  EXPECT_EQ(Updater_Log(), "");
}

// The window as the user sees it in Ethernet mode. ZIDI_SCREENSHOT names a
// file for the picture.
TEST_F(UpdateWindowShow, PictureOfTheEthernetMode) {
  Show_Boot([] {
    const QImage img = GrabControl(FBoot);
    ASSERT_EQ(img.size(), QSize(449, 230));
    // The white title panel, the white inside of an address edit, the window's
    // colour between the panels' controls and behind the check box.
    EXPECT_EQ(img.pixelColor(300, 10), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(FBoot->E_IP1->Left() + 30, 69 + FBoot->E_IP1->Top() + 10), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(440, 69 + 45), QColor(248, 247, 237));
    TCheckBox* const read_back = FBoot->CB_Update_Option_Read_Back;
    EXPECT_EQ(img.pixelColor(read_back->Left() + read_back->Width() - 5, 69 + 49 + read_back->Top() + 8),
              QColor(248, 247, 237));
    const QByteArray target = qgetenv("ZIDI_SCREENSHOT");
    if (!target.isEmpty()) {
      EXPECT_TRUE(img.save(QString::fromLocal8Bit(target), "PNG"));
    }
  });
}
