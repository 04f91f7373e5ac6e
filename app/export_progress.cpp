#include "app/export_progress.h"

#include <commctrl.h>

#include <string>

#include "app/export_job.h"
#include "runtime/fonts.h"
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

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) RequestCancel(window);
      return 0;
    case WM_CLOSE:  // the close box means 取消; the worker takes the window away
      RequestCancel(window);
      return 0;
    case WM_DESTROY:
      if (!TheExport().finishing) {
        TheExport().abandoned = true;
        SetEvent(TheExport().cancel.get());
      }
      return 0;
    case WM_NCDESTROY:
      delete reinterpret_cast<UniqueFont*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateProgressWindow(HWND owner, int pages) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ProgressProc;
  wc.hInstance = module;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kProgressClass;
  RegisterClassExW(&wc);  // already registered by an earlier export: harmless failure

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, kProgressWidth, kProgressHeight};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT over{};
  if (owner) GetWindowRect(owner, &over);
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, kProgressClass, L"导出全部结果", style,
                                over.left + (over.right - over.left - width) / 2,
                                over.top + (over.bottom - over.top - height) / 2, width, height, owner, nullptr,
                                module, nullptr);
  if (!window) return nullptr;
  auto* font = new UniqueFont(CreateUnitFont(FontSpec{}));
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(font));
  const auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD extra, int id, int x, int y, int w, int h) {
    HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | extra, x, y, w, h, window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font->get()), FALSE);
    return c;
  };
  const std::wstring first = L"正在获取第 1 页，共 " + Number(pages) + L" 页";
  child(L"Static", first.c_str(), SS_LEFT | SS_NOPREFIX, kProgressText, 16, 14, 308, 22);
  HWND bar = child(PROGRESS_CLASSW, L"", 0, kProgressBar, 16, 42, 308, 18);
  SendMessageW(bar, PBM_SETRANGE32, 0, pages);
  child(L"Button", L"取消", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 244, 72, 80, 28);
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
