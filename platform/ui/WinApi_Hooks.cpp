// Thread window hooks: the call-window-procedure hooks of the user-interface
// thread, run for every message sent to a control.
#include <QThread>
#include <algorithm>
#include <vector>

#include "platform/ui/WinApi.h"

namespace {

struct THookEntry {
  HOOKPROC Proc;
};

// Newest first, as the system calls them. User-interface thread only.
std::vector<THookEntry*>& Hooks() {
  static std::vector<THookEntry*> hooks;
  return hooks;
}

}  // namespace

DWORD GetCurrentThreadId() {
  return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(QThread::currentThreadId()));
}

HHOOK SetWindowsHookEx(int IdHook, HOOKPROC Proc, HINSTANCE, DWORD ThreadId) {
  if (IdHook != WH_CALLWNDPROC || Proc == nullptr || ThreadId != GetCurrentThreadId()) return nullptr;
  auto* e = new THookEntry{Proc};
  Hooks().insert(Hooks().begin(), e);
  return e;
}

BOOL UnhookWindowsHookEx(HHOOK Hook) {
  auto& hooks = Hooks();
  auto it = std::find(hooks.begin(), hooks.end(), static_cast<THookEntry*>(Hook));
  if (it == hooks.end()) return false;
  delete *it;
  hooks.erase(it);
  return true;
}

LRESULT CallNextHookEx(HHOOK Hook, int Code, WPARAM WParam, LPARAM LParam) {
  auto& hooks = Hooks();
  auto it = std::find(hooks.begin(), hooks.end(), static_cast<THookEntry*>(Hook));
  if (it == hooks.end() || ++it == hooks.end()) return 0;
  return (*it)->Proc(Code, WParam, LParam);
}

bool CallWndProcHooksInstalled() { return !Hooks().empty(); }

void RunCallWndProcHooks(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto& hooks = Hooks();
  if (hooks.empty()) return;
  CWPSTRUCT cwp{LParam, WParam, Msg, Wnd};
  // The first hook passes the message on to the others itself.
  hooks.front()->Proc(0, 0, reinterpret_cast<LPARAM>(&cwp));
}
