#include "runtime/small_window.h"

#include <memory>

#include "runtime/fonts.h"
#include "runtime/handles.h"

namespace {

struct SmallWindowRecord {
  UniqueFont font;
  CommandHandler onCommand;
};

SmallWindowRecord* RecordOf(HWND window) {
  return reinterpret_cast<SmallWindowRecord*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK SmallWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CLOSE:
      if (SmallWindowRecord* record = RecordOf(window); record && record->onCommand) {
        // A copy: the handler may destroy the window, and the record with it.
        const CommandHandler handler = record->onCommand;
        handler(window, message == WM_CLOSE ? IDCANCEL : LOWORD(wParam));
      }
      return 0;
    case WM_TIMER:
      if (SmallWindowRecord* record = RecordOf(window); record && record->onCommand) record->onCommand(window, kTimerTick);
      return 0;
    case WM_DESTROY:
      if (SmallWindowRecord* record = RecordOf(window); record && record->onCommand) record->onCommand(window, kDestroyed);
      break;
    case WM_NCDESTROY:
      delete RecordOf(window);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateSmallWindow(HWND owner, const wchar_t* className, const std::wstring& title, int clientWidth,
                       int clientHeight, CommandHandler onCommand) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = SmallWindowProc;
  wc.hInstance = module;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  RegisterClassExW(&wc);  // registered by an earlier window of the class: harmless failure

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &over);
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, className, title.c_str(), style,
                                over.left + (over.right - over.left - width) / 2,
                                over.top + (over.bottom - over.top - height) / 2, width, height, owner, nullptr,
                                module, nullptr);
  if (!window) return nullptr;
  auto record = std::make_unique<SmallWindowRecord>();
  record->font = CreateUnitFont(FontSpec{});
  record->onCommand = std::move(onCommand);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record.release()));
  return window;
}

HWND AddControl(HWND window, const wchar_t* controlClass, const std::wstring& text, DWORD style, int id, int x, int y,
                int width, int height) {
  const DWORD exStyle = wcscmp(controlClass, L"Edit") == 0 ? WS_EX_CLIENTEDGE : 0;
  HWND control = CreateWindowExW(exStyle, controlClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                 height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (SmallWindowRecord* record = RecordOf(window); control && record)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(record->font.get()), FALSE);
  return control;
}

void RunModal(HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (IsWindow(window)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
      break;
    }
    // Tab between the controls, Enter for the default button, Esc for IDCANCEL.
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (owner) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
}

void SetControlText(HWND window, int id, const std::wstring& text) { SetDlgItemTextW(window, id, text.c_str()); }

std::wstring ControlText(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}
