#include "app/enter_key.h"

#include <atomic>

#include "app/app_state.h"

namespace {

std::atomic<bool> g_enterPressed{false};

bool InMainWindow() {
  HWND main = AppState().mainWindow;
  if (!main || GetForegroundWindow() != main) return false;
  HWND focus = GetFocus();
  return !focus || GetAncestor(focus, GA_ROOT) == main;
}

LRESULT CALLBACK WatchKeys(int code, WPARAM key, LPARAM flags) {
  // Bit 31 of the flags is the transition state: clear when the key goes down (autorepeat
  // included, so a held key keeps counting).
  const bool goesDown = (static_cast<DWORD>(flags) & 0x80000000u) == 0;
  if (code == HC_ACTION && key == VK_RETURN && goesDown && InMainWindow()) g_enterPressed = true;
  return CallNextHookEx(nullptr, code, key, flags);
}

}  // namespace

EnterKeyWatch::EnterKeyWatch() : hook_(SetWindowsHookExW(WH_KEYBOARD, WatchKeys, nullptr, GetCurrentThreadId())) {
  g_enterPressed = false;
}

EnterKeyWatch::~EnterKeyWatch() {
  if (hook_) UnhookWindowsHookEx(hook_);
}

bool TakeEnterPress() { return g_enterPressed.exchange(false); }
