#include "app/export_progress.h"

#include <commctrl.h>

#include <string>

#include "app/export_job.h"
#include "runtime/small_window.h"
#include "runtime/ui_thread.h"

namespace {

constexpr wchar_t kProgressClass[] = L"VeradinExportProgress";
constexpr int kProgressText = 101, kProgressBar = 102;  // clear of IDCANCEL
constexpr int kProgressWidth = 340, kProgressHeight = 112;  // client area

void RequestCancel(HWND window) {
  SetEvent(TheExport().cancel.get());
  SetDlgItemTextW(window, kProgressText, L"正在取消……");
  EnableWindow(GetDlgItem(window, IDCANCEL), FALSE);
}

void OnCommand(HWND window, int id) {
  if (id == IDCANCEL) {  // 取消, the close box or Esc; the worker takes the window away
    RequestCancel(window);
  } else if (id == kDestroyed && !TheExport().finishing) {
    TheExport().abandoned = true;
    SetEvent(TheExport().cancel.get());
  }
}

}  // namespace

HWND CreateProgressWindow(HWND owner, int pages) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  HWND window = CreateSmallWindow(owner, kProgressClass, L"导出全部结果", kProgressWidth, kProgressHeight, OnCommand);
  if (!window) return nullptr;
  const std::wstring first = L"正在获取第 1 页，共 " + Number(pages) + L" 页";
  AddControl(window, L"Static", first, SS_LEFT | SS_NOPREFIX, kProgressText, 16, 14, 308, 22);
  HWND bar = AddControl(window, PROGRESS_CLASSW, L"", 0, kProgressBar, 16, 42, 308, 18);
  SendMessageW(bar, PBM_SETRANGE32, 0, pages);
  AddControl(window, L"Button", L"取消", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 244, 72, 80, 28);
  // Shown without taking the focus: the main window stays the one the user works in.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void ShowProgress(int page, int pages, int done) {
  const std::wstring text = L"正在获取第 " + Number(page) + L" 页，共 " + Number(pages) + L" 页";
  RunOnUiThread([&] {
    HWND window = TheExport().progress;
    if (!IsWindow(window)) return;
    if (!Cancelled()) SetDlgItemTextW(window, kProgressText, text.c_str());
    SendDlgItemMessageW(window, kProgressBar, PBM_SETRANGE32, 0, pages);
    SendDlgItemMessageW(window, kProgressBar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
  });
}
