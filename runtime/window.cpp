#include "runtime/window.h"

#include <commctrl.h>

#include <cstring>

#include "runtime/gbk_text.h"
#include "runtime/ui_thread.h"
#include "runtime/window_record.h"

namespace {

constexpr wchar_t kWindowClass[] = L"VeradinWindow";
constexpr wchar_t kRecordProp[] = L"VeradinWindowRecord";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void RegisterWindowClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);  // already registered by an earlier load: harmless failure
}

UnitRecord* UnitByWindow(WindowRecord& record, HWND unit) {
  for (auto& u : record.units) {
    if (u->window == unit) return u.get();
  }
  return nullptr;
}

thread_local HWND t_eventWindow = nullptr;

void Fire(HWND window, EventRoutine routine) {
  if (!routine) return;
  HWND outer = t_eventWindow;
  t_eventWindow = window;
  routine();
  t_eventWindow = outer;
}

void Fire(const WindowRecord& record, EventRoutine routine) {
  if (record.ready) Fire(record.window, routine);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* record = static_cast<WindowRecord*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    record->window = window;
    SetPropW(window, kRecordProp, record);
  }
  WindowRecord* record = RecordOfWindow(window);
  if (!record) return DefWindowProcW(window, message, wParam, lParam);

  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam) {
        if (UnitRecord* unit = UnitByWindow(*record, reinterpret_cast<HWND>(lParam));
            unit && unit->design->kind == UnitKind::Button) {
          Fire(*record, unit->design->onEvent);
        }
      }
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (AnswerListDisplayInfo(header)) return 0;
      if (header->code == NM_DBLCLK) {
        if (UnitRecord* unit = UnitByWindow(*record, header->hwndFrom);
            unit && unit->design->kind == UnitKind::ListView) {
          unit->activatedRow = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
          Fire(*record, unit->design->onEvent);
        }
      }
      return 0;
    }
    case WM_TIMER:
      for (auto& unit : record->units) {
        if (unit->timerId == wParam) Fire(*record, unit->design->onEvent);
      }
      return 0;
    case WM_SIZE:
      // A minimised window keeps its size; only real changes of size are reported.
      if (wParam != SIZE_MINIMIZED) Fire(*record, record->design->onSized);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
      LRESULT result = 0;
      if (ColorUnit(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), result))
        return result;
      break;
    }
    case WM_CLOSE:
      // The owner comes back before the modal window goes, so activation returns to it.
      if (record->modalOwner) EnableWindow(record->modalOwner, TRUE);
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      for (auto& unit : record->units) {
        if (unit->timerId) KillTimer(window, unit->timerId);
      }
      if (record->quitOnDestroy) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      RemovePropW(window, kRecordProp);
      delete record;
      return DefWindowProcW(window, message, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool IsEditBox(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return _wcsicmp(name, L"Edit") == 0;
}

// The Esc rule. An edit box claims every key (DLGC_WANTALLKEYS) but has no use for Esc, so
// its claim does not keep the window open.
bool HandleEscape(MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE || !msg.hwnd) return false;
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  if (!RecordOfWindow(top)) return false;
  if (msg.hwnd != top) {
    const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&msg));
    if ((code & DLGC_WANTMESSAGE) && !IsEditBox(msg.hwnd)) return false;
  }
  PostMessageW(top, WM_CLOSE, 0, 0);
  return true;
}

ShortcutHandler g_shortcuts = nullptr;

void DispatchOne(MSG& msg) {
  if (HandleEscape(msg)) return;
  if (g_shortcuts && msg.message == WM_KEYDOWN && g_shortcuts(msg)) return;
  // Tab and the arrow keys move between units as in a dialog.
  HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (top && RecordOfWindow(top) && msg.message == WM_KEYDOWN && msg.wParam == VK_TAB &&
      IsDialogMessageW(top, &msg)) {
    return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

POINT CentredOrigin(int width, int height, HWND owner) {
  RECT area{};
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  return POINT{area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2};
}

HWND CreateFromTemplate(const WindowSpec& design, HWND owner, bool quitOnDestroy, bool modal) {
  RegisterWindowClass();
  auto* record = new WindowRecord;
  record->design = &design;
  record->quitOnDestroy = quitOnDestroy;
  if (modal) record->modalOwner = owner;

  const POINT at = CentredOrigin(design.width, design.height, owner);
  // No system border or caption: the program draws its own; minimise but no maximise box.
  const DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
  const std::wstring caption = design.caption ? GbkToWide(design.caption) : std::wstring();
  HWND window = CreateWindowExW(0, kWindowClass, caption.c_str(), style, at.x, at.y, design.width,
                                design.height, owner, nullptr, GetModuleHandleW(nullptr), record);
  if (!window) {
    delete record;  // WM_NCCREATE never ran, so nobody else owns it
    return nullptr;
  }
  if (design.withIcon) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    record->bigIcon.reset(static_cast<HICON>(LoadImageW(module, L"DEFAULT_ICON", IMAGE_ICON,
        GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    record->smallIcon.reset(static_cast<HICON>(LoadImageW(module, L"DEFAULT_ICON", IMAGE_ICON,
        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(record->bigIcon.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(record->smallIcon.get()));
  }
  CreateUnits(*record);
  record->ready = true;
  Fire(window, design.onReady);  // e.g. a new look, so that the window shows once, in it
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return window;
}

}  // namespace

void SetShortcutHandler(ShortcutHandler handler) { g_shortcuts = handler; }

WindowRecord* RecordOfWindow(HWND window) {
  return window ? static_cast<WindowRecord*>(GetPropW(window, kRecordProp)) : nullptr;
}

HWND LoadWindow(const WindowSpec& design, HWND owner, bool quitOnDestroy) {
  HWND window = CreateFromTemplate(design, owner, quitOnDestroy, false);
  if (window) Fire(window, design.onCreated);
  return window;
}

void ShowModalWindow(const WindowSpec& design, HWND owner) {
  // As a dialog box does: the owner takes no click from the moment the window can be seen.
  if (owner) EnableWindow(owner, FALSE);
  HWND window = CreateFromTemplate(design, owner, false, true);
  if (!window) {
    if (owner) EnableWindow(owner, TRUE);
    return;
  }
  Fire(window, design.onCreated);
  MSG msg;
  while (IsWindow(window)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      break;
    }
    if (got < 0) break;
    DispatchOne(msg);
  }
  if (owner) EnableWindow(owner, TRUE);
  if (IsWindow(window)) DestroyWindow(window);
}

int RunMessageLoop() {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got < 0) return -1;
    DispatchOne(msg);
  }
  return static_cast<int>(msg.wParam);
}

HWND FindUnit(HWND window, const char* name) {
  HWND found = nullptr;
  // The record belongs to the window thread, which may be destroying the window right now.
  RunOnUiThread([&] {
    WindowRecord* record = IsWindow(window) ? RecordOfWindow(window) : nullptr;
    if (!record || !name) return;
    for (auto& unit : record->units) {
      if (std::strcmp(unit->design->name, name) == 0) found = unit->window;
    }
  });
  return found;
}

HWND EventWindow() { return t_eventWindow; }

void FireUnitEvent(HWND unit, EventRoutine routine) { Fire(WindowOfUnit(unit), routine); }

HWND WindowOfUnit(HWND unit) { return unit ? GetAncestor(unit, GA_ROOT) : nullptr; }

UnitRecord* RecordOfUnit(HWND unit) {
  WindowRecord* record = RecordOfWindow(WindowOfUnit(unit));
  return record ? UnitByWindow(*record, unit) : nullptr;
}
