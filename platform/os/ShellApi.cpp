#include "platform/os/ShellApi.h"

#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

extern char** environ;

namespace {

thread_local DWORD gLastError = ERROR_SUCCESS;
thread_local QString gShellMessage;

void SetLastFailure(DWORD code, const QString& message = QString()) {
  gLastError = code;
  if (!message.isNull()) gShellMessage = message;
}

DWORD ErrnoToError(int err) {
  switch (err) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case ENOEXEC: return ERROR_BAD_FORMAT;
    default: return ERROR_INVALID_PARAMETER;
  }
}

// ---------------------------------------------------------------------------
// Real program start on posix_spawn.

class TSpawnedProcess : public IProcess {
 public:
  explicit TSpawnedProcess(pid_t pid) : FPid(pid) {
#ifdef SYS_pidfd_open
    FPidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#endif
  }

  ~TSpawnedProcess() override {
    if (FPidFd >= 0) ::close(FPidFd);
    if (!FEnded) {
      // The program runs on; collect its exit status when it ends so that it
      // does not stay behind as a zombie.
      const pid_t pid = FPid;
      std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
      }).detach();
    }
  }

  bool Finished(DWORD& Code) override {
    if (!FEnded) {
      int status = 0;
      pid_t r;
      do {
        r = ::waitpid(FPid, &status, WNOHANG);
      } while (r < 0 && errno == EINTR);
      if (r == FPid) {
        FEnded = true;
        if (WIFEXITED(status))
          FCode = static_cast<DWORD>(WEXITSTATUS(status));
        else if (WIFSIGNALED(status))
          FCode = 128 + static_cast<DWORD>(WTERMSIG(status));
        else
          FCode = 0;
      } else if (r < 0) {
        // Collected elsewhere: the program is gone, its code unknown.
        FEnded = true;
        FCode = 0;
      }
    }
    if (FEnded) Code = FCode;
    return FEnded;
  }

  bool WaitFor(DWORD Milliseconds) override {
    DWORD code = 0;
    if (Finished(code)) return true;
    using Clock = std::chrono::steady_clock;
    const bool unlimited = Milliseconds == INFINITE;
    const auto deadline = Clock::now() + std::chrono::milliseconds(unlimited ? 0 : Milliseconds);
    for (;;) {
      int left = 0;
      if (!unlimited) {
        left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                    deadline - Clock::now()).count());
        if (left <= 0) return Finished(code);
      }
      if (FPidFd >= 0) {
        pollfd pfd{FPidFd, POLLIN, 0};
        ::poll(&pfd, 1, unlimited ? -1 : left);
      } else {
        // Without a process descriptor: look again every 2 ms.
        ::usleep(static_cast<useconds_t>(1000 * (unlimited ? 2 : std::min(left, 2))));
      }
      if (Finished(code)) return true;
    }
  }

 private:
  pid_t FPid;
  int FPidFd = -1;
  bool FEnded = false;
  DWORD FCode = 0;
};

class TSpawnLauncher : public IProcessLauncher {
 public:
  std::unique_ptr<IProcess> Start(const QString& File, const QString& Parameters,
                                  const QString& Directory, int ShowCmd, DWORD& ErrorCode,
                                  QString& ErrorMessage) override {
    ErrorCode = ERROR_SUCCESS;
    QStringList args = SplitCommandLine(Parameters);
    QString path = File;
    const bool searchPath = !File.contains(QLatin1Char('/'));
    if (File.isEmpty()) return Fail(ERROR_FILE_NOT_FOUND, File, ENOENT, ErrorCode, ErrorMessage);

    QByteArray dir = Directory.toLocal8Bit();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (ShowCmd == SW_HIDE) {
      // A hidden program shows nothing: its console output goes nowhere.
      posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
      posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
      posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    if (!Directory.isEmpty()) posix_spawn_file_actions_addchdir_np(&actions, dir.constData());

    auto spawn = [&](const QString& program, const QStringList& argv, bool usePath, pid_t& pid) {
      std::vector<QByteArray> store;
      store.push_back(program.toLocal8Bit());
      for (const QString& a : argv) store.push_back(a.toLocal8Bit());
      std::vector<char*> cargv;
      for (QByteArray& b : store) cargv.push_back(b.data());
      cargv.push_back(nullptr);
      return usePath ? posix_spawnp(&pid, cargv[0], &actions, nullptr, cargv.data(), environ)
                     : posix_spawn(&pid, cargv[0], &actions, nullptr, cargv.data(), environ);
    };

    pid_t pid = 0;
    int err = spawn(path, args, searchPath, pid);
    if (err == ENOEXEC) {
      // A script without an interpreter line runs in the standard shell.
      QStringList shArgs = args;
      shArgs.prepend(path);
      err = spawn(QStringLiteral("/bin/sh"), shArgs, false, pid);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) return Fail(ErrnoToError(err), File, err, ErrorCode, ErrorMessage);
    return std::make_unique<TSpawnedProcess>(pid);
  }

 private:
  static std::unique_ptr<IProcess> Fail(DWORD code, const QString& file, int err,
                                        DWORD& ErrorCode, QString& ErrorMessage) {
    ErrorCode = code;
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
      ErrorMessage = QStringLiteral("Cannot find '%1'. Make sure you typed the name correctly, "
                                    "and then try again.").arg(file);
    else
      ErrorMessage = QStringLiteral("'%1' cannot be started: %2.")
                         .arg(file, QString::fromLocal8Bit(std::strerror(err)));
    return nullptr;
  }
};

class TDesktopOpener : public IDocumentOpener {
 public:
  bool Open(const QString& Target, QString& ErrorMessage) override {
    const QUrl url = HasScheme(Target) ? QUrl(Target) : QUrl::fromLocalFile(Target);
    if (!url.isValid()) {
      ErrorMessage = QStringLiteral("'%1' is no valid address.").arg(Target);
      return false;
    }
    if (QDesktopServices::openUrl(url)) return true;
    ErrorMessage = QStringLiteral("No program is associated with '%1'.").arg(Target);
    return false;
  }

  // A web address ("http://...", "mailto:x") as opposed to a file path; a
  // single letter before the colon is a drive letter, not a scheme.
  static bool HasScheme(const QString& t) {
    const int colon = t.indexOf(QLatin1Char(':'));
    if (colon < 2) return false;
    for (int i = 0; i < colon; ++i) {
      const QChar c = t.at(i);
      if (!(c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('-') ||
            c == QLatin1Char('.')))
        return false;
    }
    return true;
  }
};

std::unique_ptr<IProcessLauncher>& LauncherSlot() {
  static std::unique_ptr<IProcessLauncher> slot;
  return slot;
}

std::unique_ptr<IDocumentOpener>& OpenerSlot() {
  static std::unique_ptr<IDocumentOpener> slot;
  return slot;
}

// ---------------------------------------------------------------------------
// Handles

class TProcessHandle : public THandleObject {
 public:
  explicit TProcessHandle(std::unique_ptr<IProcess> p) : Process(std::move(p)) {}
  std::unique_ptr<IProcess> Process;
};

class TEventHandle : public THandleObject {
 public:
  TEventHandle(bool manualReset, bool initial, const QString& name)
      : ManualReset(manualReset), Signalled(initial), Name(name) {}
  std::mutex Lock;
  std::condition_variable Changed;
  bool ManualReset;
  bool Signalled;
  QString Name;
};

// True when the file is to be started as a program rather than opened.
bool IsProgramFile(const QString& file) {
  if (file.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) return true;
  const QFileInfo fi(file);
  // A bare name that is no file here is a program looked up in the search path.
  if (!file.contains(QLatin1Char('/')) && !fi.exists()) return true;
  return fi.isFile() && fi.isExecutable();
}

}  // namespace

IProcessLauncher& ProcessLauncher() {
  auto& slot = LauncherSlot();
  if (!slot) slot = std::make_unique<TSpawnLauncher>();
  return *slot;
}

std::unique_ptr<IProcessLauncher> SetProcessLauncher(std::unique_ptr<IProcessLauncher> Launcher) {
  return std::exchange(LauncherSlot(), std::move(Launcher));
}

IDocumentOpener& DocumentOpener() {
  auto& slot = OpenerSlot();
  if (!slot) slot = std::make_unique<TDesktopOpener>();
  return *slot;
}

std::unique_ptr<IDocumentOpener> SetDocumentOpener(std::unique_ptr<IDocumentOpener> Opener) {
  return std::exchange(OpenerSlot(), std::move(Opener));
}

QStringList SplitCommandLine(const QString& CommandLine) {
  QStringList result;
  QString current;
  bool inArg = false;
  bool quoted = false;
  const int n = CommandLine.size();
  for (int i = 0; i < n; ++i) {
    const QChar c = CommandLine.at(i);
    if (c == QLatin1Char('"')) {
      inArg = true;
      if (quoted && i + 1 < n && CommandLine.at(i + 1) == QLatin1Char('"')) {
        current += c;  // "" inside quotes: one quote
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
      if (inArg) {
        result << current;
        current.clear();
        inArg = false;
      }
    } else {
      current += c;
      inArg = true;
    }
  }
  if (inArg) result << current;
  return result;
}

BOOL ShellExecuteEx(TShellExecuteInfo* Info) {
  if (!Info) {
    SetLastFailure(ERROR_INVALID_PARAMETER, QStringLiteral("Invalid request."));
    return false;
  }
  Info->hProcess = nullptr;
  const QString verb = Info->lpVerb.trimmed().toLower();
  if (!verb.isEmpty() && verb != QLatin1String("open")) {
    Info->hInstApp = SE_ERR_NOASSOC;
    SetLastFailure(ERROR_INVALID_PARAMETER,
                   QStringLiteral("The action '%1' is not available.").arg(Info->lpVerb));
    return false;
  }
  if (Info->lpFile.isEmpty()) {
    Info->hInstApp = ERROR_FILE_NOT_FOUND;
    SetLastFailure(ERROR_FILE_NOT_FOUND, QStringLiteral("No file name given."));
    return false;
  }

  if (!TDesktopOpener::HasScheme(Info->lpFile) && IsProgramFile(Info->lpFile)) {
    DWORD code = ERROR_SUCCESS;
    QString message;
    std::unique_ptr<IProcess> process = ProcessLauncher().Start(
        Info->lpFile, Info->lpParameters, Info->lpDirectory, Info->nShow, code, message);
    if (!process) {
      Info->hInstApp = static_cast<HINSTANCE>(code ? code : ERROR_FILE_NOT_FOUND);
      SetLastFailure(code ? code : ERROR_FILE_NOT_FOUND, message);
      return false;
    }
    Info->hInstApp = 33;
    if (Info->fMask & SEE_MASK_NOCLOSEPROCESS)
      Info->hProcess = new TProcessHandle(std::move(process));
    return true;
  }

  if (!TDesktopOpener::HasScheme(Info->lpFile) && !QFileInfo::exists(Info->lpFile)) {
    Info->hInstApp = ERROR_FILE_NOT_FOUND;
    SetLastFailure(ERROR_FILE_NOT_FOUND,
                   QStringLiteral("Cannot find '%1'. Make sure you typed the name correctly, "
                                  "and then try again.").arg(Info->lpFile));
    return false;
  }
  QString message;
  if (!DocumentOpener().Open(Info->lpFile, message)) {
    Info->hInstApp = SE_ERR_NOASSOC;
    SetLastFailure(ERROR_FILE_NOT_FOUND, message);
    return false;
  }
  Info->hInstApp = 33;
  return true;
}

HINSTANCE ShellExecute(HWND hwnd, const QString& Operation, const QString& File,
                       const QString& Parameters, const QString& Directory, int ShowCmd) {
  TShellExecuteInfo info;
  info.hwnd = hwnd;
  info.lpVerb = Operation;
  info.lpFile = File;
  info.lpParameters = Parameters;
  info.lpDirectory = Directory;
  info.nShow = ShowCmd;
  ShellExecuteEx(&info);
  return info.hInstApp;
}

DWORD GetLastError() { return gLastError; }

QString ShellErrorMessage() { return gShellMessage; }

BOOL GetExitCodeProcess(HANDLE hProcess, DWORD& ExitCode) {
  auto* p = dynamic_cast<TProcessHandle*>(hProcess);
  if (!p) {
    SetLastFailure(ERROR_INVALID_HANDLE);
    return false;
  }
  DWORD code = 0;
  ExitCode = p->Process->Finished(code) ? code : STILL_ACTIVE;
  return true;
}

HANDLE CreateEvent(void*, BOOL ManualReset, BOOL InitialState, const QString& Name) {
  return new TEventHandle(ManualReset, InitialState, Name);
}

BOOL SetEvent(HANDLE hEvent) {
  auto* e = dynamic_cast<TEventHandle*>(hEvent);
  if (!e) {
    SetLastFailure(ERROR_INVALID_HANDLE);
    return false;
  }
  {
    std::lock_guard<std::mutex> guard(e->Lock);
    e->Signalled = true;
  }
  e->Changed.notify_all();
  return true;
}

BOOL ResetEvent(HANDLE hEvent) {
  auto* e = dynamic_cast<TEventHandle*>(hEvent);
  if (!e) {
    SetLastFailure(ERROR_INVALID_HANDLE);
    return false;
  }
  std::lock_guard<std::mutex> guard(e->Lock);
  e->Signalled = false;
  return true;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD Milliseconds) {
  if (auto* e = dynamic_cast<TEventHandle*>(hHandle)) {
    std::unique_lock<std::mutex> guard(e->Lock);
    auto signalled = [e] { return e->Signalled; };
    if (Milliseconds == INFINITE)
      e->Changed.wait(guard, signalled);
    else if (!e->Changed.wait_for(guard, std::chrono::milliseconds(Milliseconds), signalled))
      return WAIT_TIMEOUT;
    if (!e->ManualReset) e->Signalled = false;
    return WAIT_OBJECT_0;
  }
  if (auto* p = dynamic_cast<TProcessHandle*>(hHandle))
    return p->Process->WaitFor(Milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
  SetLastFailure(ERROR_INVALID_HANDLE);
  return WAIT_FAILED;
}

BOOL CloseHandle(HANDLE hObject) {
  if (!hObject) {
    SetLastFailure(ERROR_INVALID_HANDLE);
    return false;
  }
  delete hObject;
  return true;
}
