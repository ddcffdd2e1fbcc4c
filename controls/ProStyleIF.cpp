#include "controls/ProStyleIF.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <condition_variable>
#include <thread>

#include "controls/ProXPVS.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UxTheme.h"

namespace {

const QString kOffice14 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString kOffice12 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");

}  // namespace

// ---------------------------------------------------------------------------
// Version and theme tests

bool IsComCtl6() { return VisualStyles().CommonControlsMajorVersion() > 5; }

bool IsVistaOrLater() { return VisualStyles().HasLocaleInfoEx(); }

bool IsWinXPOrLater() {
  int major = 0, minor = 0;
  VisualStyles().PlatformVersion(major, minor);
  return major > 5 || (major == 5 && minor > 0);
}

QString GetDefaultFontName() {
  return IsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
}

int DetectOfficeVersion() {
  const auto reg = RegistryStore();
  if (reg->KeyExists(HKEY_CURRENT_USER, kOffice14 + QStringLiteral("\\General"))) return 2;
  if (reg->KeyExists(HKEY_CURRENT_USER, kOffice12 + QStringLiteral("\\General"))) return 1;
  return 0;
}

int DetectXPTheme() {
  if (!IsWinXPOrLater() || !LoadThemeLibrary()) return 0;
  if (!IsThemeActive() || !IsComCtl6()) return 0;
  QString file, color, size;
  if (!GetCurrentThemeName(file, color, size)) return 0;
  if (color.contains(QLatin1String("NormalColor"))) return 1;
  if (color.contains(QLatin1String("HomeStead"))) return 2;
  if (color.contains(QLatin1String("Metallic"))) return 3;
  return 0;
}

int ReadOfficeThemeValue(HKEY Root, const QString& Key) {
  uint32_t value = 0;
  if (!RegistryStore()->ReadDWord(Root, Key, QStringLiteral("Theme"), value)) return -1;
  return static_cast<int>(value);
}

TOfficeTheme DetectOfficeTheme() {
  int v = ReadOfficeThemeValue(HKEY_CURRENT_USER, kOffice14);
  if (v >= 0) {
    switch (v) {
      case 1: return ot2010Blue;
      case 2: return ot2010Silver;
      case 3: return ot2010Black;
      default: return ot2003Blue;
    }
  }
  v = ReadOfficeThemeValue(HKEY_CURRENT_USER, kOffice12);
  if (v >= 0) {
    switch (v) {
      case 1: return ot2007Blue;
      case 2: return ot2007Silver;
      case 3: return ot2007Black;
      default: return ot2003Blue;
    }
  }
  switch (DetectXPTheme()) {
    case 0: return ot2003Classic;
    case 2: return ot2003Olive;
    case 3: return ot2003Silver;
    default: return ot2003Blue;
  }
}

// ---------------------------------------------------------------------------
// THandleList

void THandleList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

int THandleList::Add(HWND Value) {
  FList.push_back(Value);
  return Count() - 1;
}

void THandleList::Insert(int Index, HWND Value) {
  if (Index < 0 || Index > Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  FList.insert(FList.begin() + Index, Value);
}

void THandleList::Delete(int Index) {
  CheckIndex(Index);
  FList.erase(FList.begin() + Index);
}

HWND THandleList::GetInteger(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)];
}

void THandleList::SetInteger(int Index, HWND Value) {
  CheckIndex(Index);
  FList[static_cast<size_t>(Index)] = Value;
}

bool THandleList::HasValue(HWND Value) const {
  return std::find(FList.begin(), FList.end(), Value) != FList.end();
}

void THandleList::DeleteValue(HWND Value) {
  auto it = std::find(FList.begin(), FList.end(), Value);
  if (it != FList.end()) FList.erase(it);
}

// ---------------------------------------------------------------------------
// TRegMonitorThread

namespace {
std::atomic<int> gRunningMonitors{0};
}

// What the watching thread shares with the object; the thread holds it until it
// ends, so the object may be freed while the thread still winds down.
struct TRegMonitorThread::TState {
  mutable std::mutex Lock;
  std::condition_variable Event;
  bool Signalled = false;
  bool Terminated = false;
  HKEY RootKey = HKEY_CURRENT_USER;
  QString Key;
  bool WatchSub = true;
  int Filter = 0;
  HWND Wnd = nullptr;
  THandleList WinList;
  QString Error;
};

TRegMonitorThread::TRegMonitorThread() : FState(std::make_shared<TState>()) {}

TRegMonitorThread::~TRegMonitorThread() { Stop(); }

HKEY TRegMonitorThread::RootKey() const {
  std::lock_guard<std::mutex> l(FState->Lock);
  return FState->RootKey;
}
void TRegMonitorThread::SetRootKey(HKEY Value) {
  std::lock_guard<std::mutex> l(FState->Lock);
  FState->RootKey = Value;
}
const QString& TRegMonitorThread::Key() const { return FState->Key; }
void TRegMonitorThread::SetKey(const QString& Value) {
  std::lock_guard<std::mutex> l(FState->Lock);
  FState->Key = Value;
}
bool TRegMonitorThread::WatchSub() const { return FState->WatchSub; }
void TRegMonitorThread::SetWatchSub(bool Value) {
  std::lock_guard<std::mutex> l(FState->Lock);
  FState->WatchSub = Value;
}
int TRegMonitorThread::Filter() const {
  std::lock_guard<std::mutex> l(FState->Lock);
  return FState->Filter == 0 ? 15 : FState->Filter;
}
void TRegMonitorThread::SetFilter(int Value) {
  std::lock_guard<std::mutex> l(FState->Lock);
  FState->Filter = Value;
}
HWND TRegMonitorThread::Wnd() const {
  std::lock_guard<std::mutex> l(FState->Lock);
  return FState->Wnd;
}
void TRegMonitorThread::SetWnd(HWND Value) {
  std::lock_guard<std::mutex> l(FState->Lock);
  FState->Wnd = Value;
}

void TRegMonitorThread::AddWindow(HWND Wnd) {
  std::lock_guard<std::mutex> l(FState->Lock);
  if (!FState->WinList.HasValue(Wnd)) FState->WinList.Add(Wnd);
}

void TRegMonitorThread::RemoveWindow(HWND Wnd) {
  std::lock_guard<std::mutex> l(FState->Lock);
  FState->WinList.DeleteValue(Wnd);
}

bool TRegMonitorThread::HasWindow(HWND Wnd) const {
  std::lock_guard<std::mutex> l(FState->Lock);
  return FState->WinList.HasValue(Wnd);
}

int TRegMonitorThread::WindowCount() const {
  std::lock_guard<std::mutex> l(FState->Lock);
  return FState->WinList.Count();
}

QString TRegMonitorThread::ErrorMessage() const {
  std::lock_guard<std::mutex> l(FState->Lock);
  return FState->Error;
}

int TRegMonitorThread::RunningCount() { return gRunningMonitors.load(); }

void TRegMonitorThread::Resume() {
  if (FStarted) return;
  FStarted = true;
  ++gRunningMonitors;
  std::thread([S = FState] {
    Execute(S);
    --gRunningMonitors;
  }).detach();
}

void TRegMonitorThread::Stop() {
  std::lock_guard<std::mutex> l(FState->Lock);
  FState->Terminated = true;
  FState->Signalled = true;
  FState->Event.notify_all();
}

void TRegMonitorThread::Execute(std::shared_ptr<TState> S) {
  // Asks the store to signal the event at the next change; false when the key
  // cannot be opened.
  auto arm = [S]() {
    HKEY root;
    QString key;
    bool sub;
    int filter;
    {
      std::lock_guard<std::mutex> l(S->Lock);
      root = S->RootKey;
      key = S->Key;
      sub = S->WatchSub;
      filter = S->Filter == 0 ? 15 : S->Filter;
    }
    std::weak_ptr<TState> weak = S;
    return RegistryStore()->NotifyChange(root, key, sub, filter, [weak] {
      if (auto s = weak.lock()) {
        std::lock_guard<std::mutex> l(s->Lock);
        s->Signalled = true;
        s->Event.notify_all();
      }
    });
  };
  if (!arm()) {
    std::lock_guard<std::mutex> l(S->Lock);
    S->Error = QStringLiteral("Unable to open registry key ") + S->Key;
    return;
  }
  for (;;) {
    std::vector<HWND> targets;
    HKEY root;
    QString key;
    {
      std::unique_lock<std::mutex> l(S->Lock);
      S->Event.wait(l, [&] { return S->Signalled; });
      if (S->Terminated) return;
      // The list is copied under the lock: registering a window from the
      // user-interface thread never meets a half-walked list.
      targets.push_back(S->Wnd);
      for (int i = 0; i < S->WinList.Count(); ++i) targets.push_back(S->WinList.GetInteger(i));
      root = S->RootKey;
      key = S->Key;
    }
    // Synchronous sends, handled by the user-interface thread in its own loop.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
          for (HWND w : targets) {
            {
              std::lock_guard<std::mutex> l(S->Lock);
              if (S->Terminated) return;
            }
            if (w != nullptr && IsWindow(w))
              SendMessage(w, WM_OFFICETHEMECHANGE, root, reinterpret_cast<LPARAM>(&key));
          }
        },
        Qt::BlockingQueuedConnection);
    {
      std::lock_guard<std::mutex> l(S->Lock);
      if (S->Terminated) return;
      S->Signalled = false;
    }
    if (!arm()) return;
  }
}

// ---------------------------------------------------------------------------
// TThemeNotifierWindow, TThemeNotifier

void TThemeNotifierWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_OFFICETHEMECHANGE && FOnOfficeThemeChange) FOnOfficeThemeChange(this);
  TWinControl::WndProc(Message);
}

namespace {
TThemeNotifier* gThemeNotifier = nullptr;
}

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner) {
  if (ComponentState().contains(csDesigning)) return;
  const int version = DetectOfficeVersion();
  if (version != 1 && version != 2) return;
  // The hidden window needs a windowed parent to exist; without one nothing
  // could hear of a change, so nothing is watched.
  auto* parent = dynamic_cast<TWinControl*>(AOwner);
  if (parent == nullptr) return;
  FNotifier = new TThemeNotifierWindow(this);
  FNotifier->SetVisible(false);
  FNotifier->SetParent(parent);
  FNotifier->FOnOfficeThemeChange = [this](TObject* Sender) { OfficeThemeChanged(Sender); };
  FRegMonitorThread = std::make_unique<TRegMonitorThread>();
  FRegMonitorThread->SetWnd(FNotifier->Handle());
  FRegMonitorThread->SetFilter(REG_NOTIFY_CHANGE_LAST_SET);
  FRegMonitorThread->SetKey(version == 2 ? kOffice14 : kOffice12);
  FRegMonitorThread->SetRootKey(HKEY_CURRENT_USER);
  FRegMonitorThread->SetWatchSub(true);
  FRegMonitorThread->Resume();
}

TThemeNotifier::~TThemeNotifier() {
  if (FRegMonitorThread) FRegMonitorThread->Stop();
  FRegMonitorThread.reset();
  if (gThemeNotifier == this) gThemeNotifier = nullptr;
  // The hidden window goes first, while this notifier is whole.
  DestroyComponents();
}

void TThemeNotifier::RegisterWindow(HWND Hwnd) {
  if (FRegMonitorThread) FRegMonitorThread->AddWindow(Hwnd);
}

void TThemeNotifier::UnRegisterWindow(HWND Hwnd) {
  if (FRegMonitorThread) FRegMonitorThread->RemoveWindow(Hwnd);
}

void TThemeNotifier::OfficeThemeChanged(TObject*) {
  if (OnOfficeThemeChange) OnOfficeThemeChange(this);
}

TThemeNotifier* GetThemeNotifier(TComponent* Owner) {
  if (gThemeNotifier == nullptr) {
    TComponent* owner = Owner;
    if (Application != nullptr && Application->MainForm() != nullptr &&
        Application->MainForm()->HandleAllocated())
      owner = Application->MainForm();
    gThemeNotifier = new TThemeNotifier(owner);
  }
  return gThemeNotifier;
}
