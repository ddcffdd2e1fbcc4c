// Shell and process services of the desktop framework: starting a program and
// waiting for it, opening a document or web address with the desktop's default
// program, wait objects and handles.
//
// The services stand behind two small interfaces, IProcessLauncher and
// IDocumentOpener, with one process-wide instance each. Tests replace an
// instance with SetProcessLauncher / SetDocumentOpener and restore the real one
// by passing nullptr.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

// HWND (a control's window; the shell services here do not use the owner
// window) and the show modes SW_HIDE, SW_SHOWNORMAL, SW_NORMAL, SW_SHOW.
#include "platform/ui/WinApi.h"

using DWORD = uint32_t;
using BOOL = bool;
using UINT = uint32_t;
// The result of ShellExecute: above 32 on success, else an error code.
using HINSTANCE = std::intptr_t;

// A kernel object reached through a handle (a started process, an event).
// Handles are released with CloseHandle.
class THandleObject {
 public:
  THandleObject() = default;
  THandleObject(const THandleObject&) = delete;
  THandleObject& operator=(const THandleObject&) = delete;
  virtual ~THandleObject() = default;
};
using HANDLE = THandleObject*;

// Exit code reported while a process is still running.
constexpr DWORD STILL_ACTIVE = 259;

// Results of WaitForSingleObject.
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD INFINITE = 0xFFFFFFFF;

// Error codes (GetLastError, ShellExecute).
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_BAD_FORMAT = 11;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr HINSTANCE SE_ERR_NOASSOC = 31;

// Flags of TShellExecuteInfo::fMask.
constexpr UINT SEE_MASK_NOCLOSEPROCESS = 0x40;
constexpr UINT SEE_MASK_FLAG_NO_UI = 0x400;

// ---------------------------------------------------------------------------
// Replaceable services

// A program started by an IProcessLauncher. Destroying the object releases it;
// a program that still runs then runs on (and is reaped when it ends).
class IProcess {
 public:
  virtual ~IProcess() = default;
  // True once the program has ended; Code is then its exit code (a program
  // ended by a signal reports 128 + the signal number).
  virtual bool Finished(DWORD& Code) = 0;
  // Waits up to Milliseconds (INFINITE: without limit) for the program to end;
  // true when it has ended.
  virtual bool WaitFor(DWORD Milliseconds) = 0;
};

class IProcessLauncher {
 public:
  virtual ~IProcessLauncher() = default;
  // Starts the program file File with the command line Parameters in the folder
  // Directory (empty: the current one). ShowCmd SW_HIDE starts it hidden. On
  // failure returns nullptr with the error code and the message a user would
  // be shown.
  virtual std::unique_ptr<IProcess> Start(const QString& File, const QString& Parameters,
                                          const QString& Directory, int ShowCmd,
                                          DWORD& ErrorCode, QString& ErrorMessage) = 0;
};

class IDocumentOpener {
 public:
  virtual ~IDocumentOpener() = default;
  // Opens Target (a web address or a file) with the desktop's default program.
  // On failure returns false with a message.
  virtual bool Open(const QString& Target, QString& ErrorMessage) = 0;
};

// The process-wide instances. Passing nullptr restores the real service; the
// setters hand back the service they replace (see TScopedService for tests).
IProcessLauncher& ProcessLauncher();
std::unique_ptr<IProcessLauncher> SetProcessLauncher(std::unique_ptr<IProcessLauncher> Launcher);
IDocumentOpener& DocumentOpener();
std::unique_ptr<IDocumentOpener> SetDocumentOpener(std::unique_ptr<IDocumentOpener> Opener);

// Splits a command line the way the desktop shell does: blanks and tabs
// separate the arguments, double quotes group blanks into one argument and
// are removed ("" inside quotes gives one quote); backslashes are ordinary
// characters.
QStringList SplitCommandLine(const QString& CommandLine);

// ---------------------------------------------------------------------------
// Framework calls

struct TShellExecuteInfo {
  DWORD cbSize = 60;
  UINT fMask = 0;
  HWND hwnd = nullptr;
  QString lpVerb;        // empty or "open": start the program / open the document
  QString lpFile;
  QString lpParameters;  // the command line handed to a program
  QString lpDirectory;
  int nShow = SW_SHOWNORMAL;
  HINSTANCE hInstApp = 0;   // above 32 on success, else the error code
  HANDLE hProcess = nullptr;  // set with SEE_MASK_NOCLOSEPROCESS when a program started
};

// Runs the request: a program file (any executable file, whatever its name;
// "Updater.exe" is started like any other) is started with the command line;
// any other file or a web address is opened with the desktop's default program.
// Returns false on failure; GetLastError and ShellErrorMessage then tell why.
// The message is not shown here: the caller shows it.
BOOL ShellExecuteEx(TShellExecuteInfo* Info);

// Opens or starts File like ShellExecuteEx without keeping a handle. Returns a
// value above 32 on success, else an error code (ERROR_FILE_NOT_FOUND,
// SE_ERR_NOASSOC ...). Operation "open" or empty.
HINSTANCE ShellExecute(HWND hwnd, const QString& Operation, const QString& File,
                       const QString& Parameters, const QString& Directory, int ShowCmd);

// The error code of the last failed call of this unit on this thread.
DWORD GetLastError();
// The message of the last failed ShellExecute/ShellExecuteEx on this thread,
// worded for the user ("Cannot find '...'. Make sure ...").
QString ShellErrorMessage();

// The exit code of a process, STILL_ACTIVE while it runs. False for a handle
// that is no process.
BOOL GetExitCodeProcess(HANDLE hProcess, DWORD& ExitCode);

// A wait object. Auto-reset events return to non-signalled when a wait ends on
// them. The name is kept for reference only: events are local to the process.
HANDLE CreateEvent(void* EventAttributes, BOOL ManualReset, BOOL InitialState,
                   const QString& Name);
BOOL SetEvent(HANDLE hEvent);
BOOL ResetEvent(HANDLE hEvent);

// Waits for an event to be signalled or a process to end, up to Milliseconds.
// WAIT_OBJECT_0, WAIT_TIMEOUT, or WAIT_FAILED for an invalid handle.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD Milliseconds);

// Releases a handle (nullptr is refused with false).
BOOL CloseHandle(HANDLE hObject);
