#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "platform/os/ShellApi.h"
#include "platform/os/ScopedService.h"

namespace {

// Starts File and waits the way the program's own start-and-wait routine does:
// the exit code is read every 10 ms until the program ends or LimitMs passed.
struct TRunResult {
  bool Started = false;
  DWORD ExitCode = 0;
  qint64 Elapsed = 0;
};

TRunResult StartAndWait(const QString& File, const QString& Parameters, int LimitMs,
                        int Show = SW_HIDE, const QString& Directory = QString()) {
  TRunResult r;
  TShellExecuteInfo info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = File;
  info.lpParameters = Parameters;
  info.lpDirectory = Directory;
  info.nShow = Show;
  HANDLE pause = CreateEvent(nullptr, false, false, QStringLiteral("HandleCed"));
  if (!ShellExecuteEx(&info)) {
    CloseHandle(pause);
    return r;
  }
  r.Started = true;
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    GetExitCodeProcess(info.hProcess, r.ExitCode);
    if (r.ExitCode != STILL_ACTIVE) break;
    if (clock.elapsed() > LimitMs) break;
    WaitForSingleObject(pause, 10);
  }
  r.Elapsed = clock.elapsed();
  CloseHandle(pause);
  CloseHandle(info.hProcess);
  return r;
}

QString WriteScript(const QTemporaryDir& dir, const QString& name, const QByteArray& text,
                    bool executable = true) {
  const QString path = dir.filePath(name);
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text);
  f.close();
  if (executable)
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return path;
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ShellProcessStart, ProgramNamedExeEndsAndItsExitCodeAndArgumentsArrive) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString out = dir.filePath(QStringLiteral("args.txt"));
  const QString exe = WriteScript(
      dir, QStringLiteral("Ethernet_Update.exe"),
      "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > \"$OUT_FILE\"\n"
      "pwd >> \"$OUT_FILE\"\nexit 3\n");
  qputenv("OUT_FILE", out.toLocal8Bit());
  const TRunResult r = StartAndWait(exe, QStringLiteral("\\\\.\\COM3 FW \"C:\\a b\\x.sim\" \"\""),
                                    5000, SW_SHOWNORMAL, dir.path());
  qunsetenv("OUT_FILE");
  ASSERT_TRUE(r.Started) << ShellErrorMessage().toStdString();
  EXPECT_EQ(r.ExitCode, 3u);
  EXPECT_EQ(ReadAll(out), "[\\\\.\\COM3][FW][C:\\a b\\x.sim][]" +
                              QFileInfo(dir.path()).canonicalFilePath().toLocal8Bit() + "\n");
}

TEST(ShellProcessStart, ProgramOutlivingTheLimitIsLeftRunning) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString exe = WriteScript(dir, QStringLiteral("Slow.exe"), "#!/bin/sh\nsleep 2\n");
  const TRunResult r = StartAndWait(exe, QString(), 300);
  ASSERT_TRUE(r.Started);
  EXPECT_EQ(r.ExitCode, STILL_ACTIVE);
  EXPECT_GE(r.Elapsed, 300);
}

TEST(ShellProcessStart, ScriptWithoutInterpreterLineRunsInTheShell) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString exe = WriteScript(dir, QStringLiteral("plain"), "exit 7\n");
  const TRunResult r = StartAndWait(exe, QString(), 5000);
  ASSERT_TRUE(r.Started) << ShellErrorMessage().toStdString();
  EXPECT_EQ(r.ExitCode, 7u);
}

TEST(ShellProcessStart, ProgramThatCannotStartReportsWhy) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString missing = dir.filePath(QStringLiteral("Dud_ER_Odaver.exe"));
  TShellExecuteInfo info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = missing;
  EXPECT_FALSE(ShellExecuteEx(&info));
  EXPECT_EQ(info.hProcess, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(ShellErrorMessage().contains(missing));

  // A file without execute permission is no program, whatever its name.
  const QString notExe = WriteScript(dir, QStringLiteral("Ethernet_Update.exe"),
                                     "#!/bin/sh\nexit 0\n", false);
  info.lpFile = notExe;
  EXPECT_FALSE(ShellExecuteEx(&info));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(ShellErrorMessage().contains(notExe));
}

TEST(ShellProcessStart, WaitForProcessHandle) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString exe = WriteScript(dir, QStringLiteral("quick.exe"), "#!/bin/sh\nexit 5\n");
  TShellExecuteInfo info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = exe;
  info.nShow = SW_HIDE;
  ASSERT_TRUE(ShellExecuteEx(&info));
  EXPECT_GT(info.hInstApp, 32);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 5000), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(info.hProcess, code));
  EXPECT_EQ(code, 5u);
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_FALSE(GetExitCodeProcess(nullptr, code));
}

TEST(ShellEvents, AutoResetAndManualReset) {
  HANDLE autoEv = CreateEvent(nullptr, false, false, QStringLiteral("a"));
  EXPECT_EQ(WaitForSingleObject(autoEv, 0), WAIT_TIMEOUT);
  SetEvent(autoEv);
  EXPECT_EQ(WaitForSingleObject(autoEv, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(autoEv, 0), WAIT_TIMEOUT);  // reset by the wait

  HANDLE manual = CreateEvent(nullptr, true, true, QString());
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  ResetEvent(manual);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(CloseHandle(autoEv));
  EXPECT_TRUE(CloseHandle(manual));
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
}

TEST(ShellCommandLine, SplitsLikeTheDesktopShell) {
  const struct {
    const char* line;
    QStringList args;
  } cases[] = {
      {"", {}},
      {"   ", {}},
      {"a  b\tc", {"a", "b", "c"}},
      {"\"a b\" c", {"a b", "c"}},
      {"x\"a b\"y", {"xa by"}},
      {"\"\"", {""}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"\"C:\\bin\\\" next", {"C:\\bin\\", "next"}},
      {"\"open end", {"open end"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SplitCommandLine(QString::fromLatin1(c.line)), c.args) << c.line;
}

// Replacement services that record what they were asked.
struct TFakeLauncher : IProcessLauncher {
  struct TFakeProcess : IProcess {
    bool Finished(DWORD& Code) override { Code = 0; return true; }
    bool WaitFor(DWORD) override { return true; }
  };
  QString *file, *params;
  int* show;
  TFakeLauncher(QString* f, QString* p, int* s) : file(f), params(p), show(s) {}
  std::unique_ptr<IProcess> Start(const QString& File, const QString& Parameters, const QString&,
                                  int ShowCmd, DWORD&, QString&) override {
    *file = File;
    *params = Parameters;
    *show = ShowCmd;
    return std::make_unique<TFakeProcess>();
  }
};

struct TFakeOpener : IDocumentOpener {
  QStringList* opened;
  bool ok;
  TFakeOpener(QStringList* o, bool k) : opened(o), ok(k) {}
  bool Open(const QString& Target, QString& ErrorMessage) override {
    *opened << Target;
    if (!ok) ErrorMessage = QStringLiteral("no browser");
    return ok;
  }
};

TEST(ShellServices, ReplaceableLauncherAndOpener) {
  TShellExecuteInfo info;
  {
    QString file, params;
    int show = -1;
    const TScopedService launcher(SetProcessLauncher, std::make_unique<TFakeLauncher>(&file, &params, &show));
    QStringList opened;
    const TScopedService opener(SetDocumentOpener, std::make_unique<TFakeOpener>(&opened, true));

    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = QStringLiteral("/nowhere/Ethernet_Update.exe");
    info.lpParameters = QStringLiteral("-x");
    info.nShow = SW_HIDE;
    EXPECT_TRUE(ShellExecuteEx(&info));
    DWORD code = STILL_ACTIVE;
    EXPECT_TRUE(GetExitCodeProcess(info.hProcess, code));
    EXPECT_EQ(code, 0u);
    CloseHandle(info.hProcess);
    EXPECT_EQ(file, QStringLiteral("/nowhere/Ethernet_Update.exe"));
    EXPECT_EQ(params, QStringLiteral("-x"));
    EXPECT_EQ(show, SW_HIDE);

    // Web addresses and documents go to the desktop's opener.
    EXPECT_GT(ShellExecute(0, QStringLiteral("open"), QStringLiteral("http://example.invalid/HOME/x.asp?a=1"),
                           QString(), QString(), SW_SHOWNORMAL), 32);
    QTemporaryDir dir;
    const QString doc = WriteScript(dir, QStringLiteral("readme.txt"), "text", false);
    EXPECT_GT(ShellExecute(0, QStringLiteral("open"), doc, QString(), QString(), SW_SHOWNORMAL), 32);
    EXPECT_EQ(opened, QStringList({QStringLiteral("http://example.invalid/HOME/x.asp?a=1"), doc}));

    // A missing document never reaches the opener; a failing opener is reported.
    EXPECT_EQ(ShellExecute(0, QStringLiteral("open"), dir.filePath(QStringLiteral("gone.txt")),
                           QString(), QString(), SW_SHOWNORMAL),
              HINSTANCE(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(opened.size(), 2);
    const TScopedService failing(SetDocumentOpener, std::make_unique<TFakeOpener>(&opened, false));
    EXPECT_EQ(ShellExecute(0, QStringLiteral("open"), QStringLiteral("http://example.invalid/"),
                           QString(), QString(), SW_SHOWNORMAL),
              SE_ERR_NOASSOC);
    EXPECT_EQ(ShellErrorMessage(), QStringLiteral("no browser"));
  }
  // The real launcher is back: a missing program fails again.
  info.lpFile = QStringLiteral("/nowhere/Ethernet_Update.exe");
  EXPECT_FALSE(ShellExecuteEx(&info));
}

}  // namespace
