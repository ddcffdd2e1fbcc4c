// The call-window-procedure hooks of the user-interface thread.
#include <gtest/gtest.h>

#include <QStringList>

#include "platform/ui/Controls.h"
#include "platform/ui/WinApi.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

QStringList gSeen;
HHOOK gFirst = nullptr, gSecond = nullptr;

LRESULT FirstHook(int Code, WPARAM W, LPARAM L) {
  gSeen << QStringLiteral("first %1").arg(reinterpret_cast<CWPSTRUCT*>(L)->message);
  return CallNextHookEx(gFirst, Code, W, L);
}

LRESULT SecondHook(int Code, WPARAM W, LPARAM L) {
  const auto* cwp = reinterpret_cast<CWPSTRUCT*>(L);
  gSeen << QStringLiteral("second %1 %2").arg(cwp->message).arg(cwp->wParam);
  return CallNextHookEx(gSecond, Code, W, L);
}

TEST(WindowHooks, SeeSentMessagesNewestFirstUntilRemoved) {
  TShownForm f;
  f.Show();
  EXPECT_EQ(SetWindowsHookEx(WH_CALLWNDPROC + 1, &FirstHook, 0, GetCurrentThreadId()), nullptr);
  EXPECT_EQ(SetWindowsHookEx(WH_CALLWNDPROC, &FirstHook, 0, GetCurrentThreadId() + 1), nullptr);
  gFirst = SetWindowsHookEx(WH_CALLWNDPROC, &FirstHook, 0, GetCurrentThreadId());
  gSecond = SetWindowsHookEx(WH_CALLWNDPROC, &SecondHook, 0, GetCurrentThreadId());
  ASSERT_NE(gFirst, nullptr);
  ASSERT_NE(gSecond, nullptr);
  gSeen.clear();
  SendMessage(f.Form->Handle(), WM_NULL, 7, 0);
  EXPECT_EQ(gSeen, (QStringList{"second 0 7", "first 0"}));
  // A moved form tells the hooks.
  gSeen.clear();
  f.Form->SetBounds(f.Form->Left() + 5, f.Form->Top(), f.Form->Width(), f.Form->Height());
  EXPECT_TRUE(gSeen.contains(QStringLiteral("first %1").arg(WM_MOVE)));
  EXPECT_TRUE(UnhookWindowsHookEx(gSecond));
  EXPECT_FALSE(UnhookWindowsHookEx(gSecond));
  gSeen.clear();
  f.Form->Perform(WM_NULL, 1, 0);
  EXPECT_EQ(gSeen, QStringList{"first 0"});
  EXPECT_TRUE(UnhookWindowsHookEx(gFirst));
  EXPECT_FALSE(CallWndProcHooksInstalled());
  gSeen.clear();
  f.Form->Perform(WM_NULL, 1, 0);
  EXPECT_TRUE(gSeen.isEmpty());
}

}  // namespace
