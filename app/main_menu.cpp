#include "app/main_menu.h"

#include <atomic>

#include "runtime/window.h"

namespace {
// Entries are added at start-up on the window thread, and only read afterwards.
std::vector<MainMenuEntry>& Entries() {
  static std::vector<MainMenuEntry> entries;
  return entries;
}
std::atomic<HWND> g_main{nullptr};

bool Enabled(const MainMenuEntry& e) { return !e.enabled || e.enabled(); }

std::wstring ShownText(const MainMenuEntry& e) {
  if (!e.ctrlKey) return e.text;
  return e.text + L"\tCtrl+" + static_cast<wchar_t>(e.ctrlKey);
}

bool TakeShortcut(const MSG& msg) {
  HWND main = g_main;
  if (msg.message != WM_KEYDOWN || !main || !msg.hwnd || GetAncestor(msg.hwnd, GA_ROOT) != main) return false;
  if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0) return false;
  for (const MainMenuEntry& e : Entries()) {
    if (e.ctrlKey && e.ctrlKey == msg.wParam) {
      if (Enabled(e) && e.action) e.action();
      return true;  // taken even when greyed: Ctrl+H is no backspace in an edit box
    }
  }
  return false;
}
}  // namespace

void AddMainMenuEntry(MainMenuEntry entry) {
  // A program started again in one process (tests) adds its entries again.
  for (const MainMenuEntry& e : Entries()) {
    if (e.text == entry.text) return;
  }
  Entries().push_back(std::move(entry));
}

void InstallMainMenu(HWND main) {
  g_main = main;
  SetShortcutHandler(&TakeShortcut);
}

void ShowMainMenu() {
  HWND main = g_main;
  if (!main) return;
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  const auto& entries = Entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].separatorBefore && i > 0) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | (Enabled(entries[i]) ? MF_ENABLED : MF_GRAYED), i + 1, ShownText(entries[i]).c_str());
  }
  // Under the button that was pressed: the cursor is on it.
  POINT at{};
  GetCursorPos(&at);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTBUTTON | TPM_NONOTIFY, at.x, at.y + 8, 0, main, nullptr));
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= entries.size() && entries[chosen - 1].action) entries[chosen - 1].action();
}

bool RunMainMenuEntry(const std::wstring& text) {
  for (const MainMenuEntry& e : Entries()) {
    if (e.text == text && Enabled(e) && e.action) {
      e.action();
      return true;
    }
  }
  return false;
}

std::vector<std::wstring> MainMenuTexts() {
  std::vector<std::wstring> texts;
  for (const MainMenuEntry& e : Entries()) texts.push_back(ShownText(e));
  return texts;
}
