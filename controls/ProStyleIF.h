// The look of the running system as the grid library sees it: the style and
// colour-tone types shared by the styled components, the version and theme
// tests, the Office colour scheme, and the process-wide notifier that follows
// changes of that scheme while the program runs.
//
// The tests go through the platform's visual-styles service (platform/UxTheme.h)
// and registry store (platform/Registry.h). On this system there are no visual
// styles and no Office keys: the Office scheme reads as ot2003Classic and the
// notifier watches nothing.
#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/gdi/Graphics.h"
#include "platform/os/Registry.h"

enum TOfficeTheme {
  ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black,
  ot2010Blue, ot2010Silver, ot2010Black, otUnknown
};

enum TProStyle {
  tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic,
  tsOffice2007Luna, tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver,
  tsWindowsVista, tsWindows7, tsTerminal, tsOffice2010Blue, tsOffice2010Silver,
  tsOffice2010Black
};

// The colours of one state of a tones-look element.
struct TColorTone {
  TColor BrushColor = clNone;
  TColor BorderColor = clNone;
  TColor TextColor = clNone;
};

struct TColorTones {
  TColorTone Background;
  TColorTone Foreground;
  TColorTone Selected;
  TColorTone Hover;
  TColorTone Disabled;
};

// Implemented by components that take a style preset.
class IProStyle {
 public:
  virtual ~IProStyle() = default;
  virtual void SetComponentStyle(TProStyle AStyle) = 0;
};

// Implemented by components that take a set of colour tones.
class IProTones {
 public:
  virtual ~IProTones() = default;
  virtual void SetColorTones(const TColorTones& ATones) = 0;
};

// The message the notifier sends when the Office scheme changed: WParam the root
// key, LParam the watched key path (a QString*).
constexpr UINT WM_OFFICETHEMECHANGE = 2993;

// --- version and theme tests ---------------------------------------------------

// The common controls are version 6 or later.
bool IsComCtl6();
// The system offers the Vista-or-later locale functions.
bool IsVistaOrLater();
// The platform version is 5.1 or later.
bool IsWinXPOrLater();
// "Segoe UI" on Vista or later, else "Tahoma".
QString GetDefaultFontName();
// 2 with the Office 2010 keys, 1 with the Office 2007 keys, else 0.
int DetectOfficeVersion();
// The running visual style's colour scheme: 1 "NormalColor", 2 "HomeStead",
// 3 "Metallic", 0 anything else or no active theme.
int DetectXPTheme();
// The DWORD value "Theme" of Key under Root; -1 when the key or the value is missing.
int ReadOfficeThemeValue(HKEY Root, const QString& Key);
// The Office scheme of the user: Office 2010's, else Office 2007's, else the one
// that matches the visual style.
TOfficeTheme DetectOfficeTheme();

// --- the notifier ------------------------------------------------------------------

// A list of window handles.
class THandleList : public TObject {
 public:
  int Add(HWND Value);
  void Insert(int Index, HWND Value);
  void Delete(int Index);
  HWND GetInteger(int Index) const;
  void SetInteger(int Index, HWND Value);
  bool HasValue(HWND Value) const;
  // Removes the first entry equal to Value; nothing when it is absent.
  void DeleteValue(HWND Value);
  int Count() const { return static_cast<int>(FList.size()); }

 private:
  void CheckIndex(int Index) const;
  std::vector<HWND> FList;
};

// Watches a registry key from a thread of its own and sends WM_OFFICETHEMECHANGE
// to FWnd and then to every registered window at each change, synchronously, on
// the user-interface thread. The thread keeps what it needs alive until it ends:
// after Stop the object may go at once.
class TRegMonitorThread {
 public:
  TRegMonitorThread();
  ~TRegMonitorThread();

  HKEY RootKey() const;
  void SetRootKey(HKEY Value);
  const QString& Key() const;
  void SetKey(const QString& Value);
  bool WatchSub() const;
  void SetWatchSub(bool Value);
  // The notify filter; 0 reads as 15 (every kind of change).
  int Filter() const;
  void SetFilter(int Value);
  HWND Wnd() const;
  void SetWnd(HWND Value);

  // The further windows that hear of changes; guarded, so that registering from
  // the user-interface thread never meets the watching thread half-way.
  void AddWindow(HWND Wnd);
  void RemoveWindow(HWND Wnd);
  bool HasWindow(HWND Wnd) const;
  int WindowCount() const;

  // Starts watching (once).
  void Resume();
  // Ends the watching; the thread ends by itself right after.
  void Stop();
  // Why the thread ended early ("Unable to open registry key ..."), else empty.
  QString ErrorMessage() const;
  // Watching threads that have not ended yet, in the whole process.
  static int RunningCount();

 private:
  struct TState;
  static void Execute(std::shared_ptr<TState> S);
  std::shared_ptr<TState> FState;
  bool FStarted = false;
};

// The hidden window that receives the monitor's message for the notifier.
class TThemeNotifierWindow : public TWinControl {
 public:
  explicit TThemeNotifierWindow(TComponent* AOwner) : TWinControl(AOwner) {}
  TNotifyEvent FOnOfficeThemeChange;

 protected:
  void WndProc(TMessage& Message) override;
};

// Follows the Office colour scheme: with Office 2007 or 2010 present it watches
// the scheme's key and fires OnOfficeThemeChange (and tells the registered
// windows) when it changes. Without Office it watches nothing.
class TThemeNotifier : public TComponent {
 public:
  explicit TThemeNotifier(TComponent* AOwner);
  ~TThemeNotifier() override;

  // Adds a window that hears of changes (once); nothing without a watch.
  void RegisterWindow(HWND Hwnd);
  void UnRegisterWindow(HWND Hwnd);
  // The watch, nullptr when nothing is watched.
  TRegMonitorThread* RegMonitorThread() const { return FRegMonitorThread.get(); }

  TNotifyEvent OnOfficeThemeChange;

 private:
  void OfficeThemeChanged(TObject* Sender);
  std::unique_ptr<TRegMonitorThread> FRegMonitorThread;
  TThemeNotifierWindow* FNotifier = nullptr;
};

// The process-wide notifier, made on the first call: owned by the application's
// main form when it has a window, else by Owner. Freeing it clears the
// process-wide reference, so a later call makes a new one.
TThemeNotifier* GetThemeNotifier(TComponent* Owner);
