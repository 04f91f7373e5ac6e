#pragma once
// The program menu behind the main-menu button of the main window's caption. Each feature
// adds its own entries (with an optional Ctrl shortcut that works wherever the focus is in
// the main window); the menu shows them in the order added.
#include <windows.h>

#include <string>
#include <vector>

struct MainMenuEntry {
  std::wstring text;             // as shown; "…" when the entry asks something first
  UINT ctrlKey = 0;              // virtual key pressed with Ctrl, 0 for none
  void (*action)() = nullptr;    // runs on the window thread
  bool (*enabled)() = nullptr;   // greyed when it returns false; null: always enabled
  bool separatorBefore = false;
};

void AddMainMenuEntry(MainMenuEntry entry);

// Window thread, once the main window is skinned: the caption button and the shortcuts.
void InstallMainMenu(HWND main);

// Opens the menu under the caption button (the button's callback).
void ShowMainMenu();

// The entry shown as `text`, run as a click on it would; false when there is none or it is
// greyed. (Tests; a popup menu cannot be clicked from outside its modal loop.)
bool RunMainMenuEntry(const std::wstring& text);
std::vector<std::wstring> MainMenuTexts();
