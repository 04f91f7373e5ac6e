#include "app/main_menu.h"

#include <windows.h>

#include <iterator>

#include "app/app_state.h"
#include "batch/batch_job.h"
#include "batch/batch_start.h"

namespace {

struct MenuEntry {
  const wchar_t* text;
  void (*run)();
  bool (*available)();  // nullptr: always
};

bool NoBatchRunning() { return !BatchRunning(); }

// One line per entry, in menu order.
const MenuEntry kEntries[] = {
    {L"批量查询…", OpenBatchWithDialog, NoBatchRunning},
};

}  // namespace

void ShowProgramMenu() {
  HWND main = AppState().mainWindow;
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (size_t i = 0; i < std::size(kEntries); ++i) {
    const bool on = !kEntries[i].available || kEntries[i].available();
    AppendMenuW(menu, MF_STRING | (on ? 0u : MF_GRAYED), i + 1, kEntries[i].text);
  }
  POINT at{};
  GetCursorPos(&at);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                                       at.y, 0, main, nullptr));
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= std::size(kEntries)) kEntries[chosen - 1].run();
}
