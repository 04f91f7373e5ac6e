// A modal window and its owner: the owner takes no input from before the modal window is
// first seen until it is closed, as with a dialog box.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "runtime/ui_thread.h"
#include "runtime/window.h"

namespace {

HWND g_owner = nullptr;
std::vector<bool> g_ownerEnabledAtShow;

// Sees every message sent to the thread's windows before they do.
LRESULT CALLBACK WatchShows(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == WM_SHOWWINDOW && sent->wParam &&
      GetWindow(sent->hwnd, GW_OWNER) == g_owner) {
    g_ownerEnabledAtShow.push_back(IsWindowEnabled(g_owner) != FALSE);
    PostMessageW(sent->hwnd, WM_CLOSE, 0, 0);  // ends the modal loop once it runs
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(ModalWindow, OwnerIsDisabledBeforeTheWindowShowsAndEnabledAfter) {
  ASSERT_TRUE(StartUiThread());
  WindowSpec ownerSpec;
  ownerSpec.caption = "owner";
  ownerSpec.width = 300;
  ownerSpec.height = 200;
  g_owner = LoadWindow(ownerSpec);
  ASSERT_NE(g_owner, nullptr);
  WindowSpec modalSpec;
  modalSpec.caption = "modal";
  modalSpec.width = 200;
  modalSpec.height = 120;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, WatchShows, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  g_ownerEnabledAtShow.clear();
  ShowModalWindow(modalSpec, g_owner);
  UnhookWindowsHookEx(hook);
  ASSERT_EQ(g_ownerEnabledAtShow.size(), 1u) << "the modal window was shown once";
  EXPECT_FALSE(g_ownerEnabledAtShow[0]) << "the owner took clicks while the modal window showed";
  EXPECT_TRUE(IsWindowEnabled(g_owner));
  DestroyWindow(g_owner);
  StopUiThread();
}
