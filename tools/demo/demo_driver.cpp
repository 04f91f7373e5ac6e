// Plays a short session with a running veradin.exe from outside, as a user would, and
// writes screenshots: the disclaimer, the result list and a record's detail window. Used
// by scripts/run.sh on machines without a display. Units are found by their control ids
// (100 + their place in the window's template).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>

#include "tools/demo/screenshot.h"
#include "tools/demo/user_input.h"

namespace {

constexpr int kName = 101, kCode = 103, kQuery = 107, kList = 108;      // main window
constexpr int kDetailText = 101, kDetailCode = 103, kContinue = 104, kShape = 106;  // detail window

std::wstring g_dir;

bool WaitFor(const std::function<bool()>& condition, DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  while (!condition()) {
    if (GetTickCount64() > end) return false;
    Sleep(50);
  }
  return true;
}

bool Fail(const char* step) {
  std::printf("demo: %s\n", step);
  return false;
}

void Shot(HWND window, const wchar_t* name) {
  const std::wstring file = g_dir + L"\\" + name + L".png";
  std::printf("demo: screenshot %ls %s\n", name, SaveWindowScreenshot(window, file) ? "written" : "FAILED");
}

HWND DetailWindow(HWND main) {
  HWND found = nullptr;
  while ((found = FindWindowExW(nullptr, found, L"VeradinWindow", nullptr)) != nullptr) {
    if (found != main && IsWindowVisible(found)) return found;
  }
  return nullptr;
}

bool Play() {
  HWND main = nullptr, box = nullptr;
  if (!WaitFor([&] { return (main = FindWindowW(L"VeradinWindow", L"Veradin_Veradin Search_2.0.2017")); }, 30000))
    return Fail("the main window did not appear");
  if (!WaitFor([&] { return (box = FindWindowW(L"#32770", L"提示")); }, 10000)) return Fail("no disclaimer");
  Sleep(300);
  Shot(box, L"disclaimer");
  PostMessageW(box, WM_COMMAND, IDYES, 0);
  Sleep(1500);  // the captcha arrives

  SetDlgItemTextW(main, kName, L"李明");
  SetDlgItemTextW(main, kCode, L"abcd");
  SendMessageW(GetDlgItem(main, kQuery), BM_CLICK, 0, 0);
  HWND list = GetDlgItem(main, kList);
  if (!WaitFor([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0; }, 15000)) return Fail("no rows");
  Sleep(500);
  Shot(main, L"result_list");

  SetForegroundWindow(main);
  RECT rc;
  GetWindowRect(list, &rc);
  MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&rc), 2);
  HWND detail = nullptr;
  ClickAt(main, rc.left + 60, rc.top + 36, /*doubleClick=*/true);  // the first row, under the header
  if (!WaitFor([&] { return (detail = DetailWindow(main)); }, 10000)) return Fail("no detail window");
  Sleep(1500);
  HWND shape = GetDlgItem(detail, kShape);
  SetDlgItemTextW(shape, kDetailCode, L"abcd");
  SendMessageW(GetDlgItem(shape, kContinue), BM_CLICK, 0, 0);
  HWND text = GetDlgItem(shape, kDetailText);
  if (!WaitFor([&] { return SendMessageW(text, WM_GETTEXTLENGTH, 0, 0) > 0; }, 15000)) {
    Shot(detail, L"detail_failed");
    if (HWND message = FindWindowW(L"#32770", nullptr)) Shot(message, L"detail_message");
    return Fail("no record text");
  }
  Sleep(500);
  Shot(detail, L"detail_window");
  PostMessageW(detail, WM_CLOSE, 0, 0);
  Sleep(500);
  PostMessageW(main, WM_CLOSE, 0, 0);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  g_dir = argc > 1 ? argv[1] : L".";
  return Play() ? 0 : 1;
}
