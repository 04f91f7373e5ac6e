#include "app/result_menu.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/export.h"
#include "app/receipt.h"
#include "runtime/gbk_text.h"
#include "runtime/units.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x56524d31;
constexpr int kCopiedColumns = 3;  // name, filing date, case number; not the hint column
enum Command : UINT { kCopySelected = 1, kCopyPage, kExportAll, kReceipt };

// Rows are read through the list's own messages, so this works the same whether the list
// holds its rows or asks the program for them.
std::vector<int> RowsOf(HWND list, bool selectedOnly) {
  std::vector<int> rows;
  if (selectedOnly) {
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0)
      rows.push_back(row);
  } else {
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) rows.push_back(row);
  }
  return rows;
}

std::wstring ClipboardText(HWND list, const std::vector<int>& rows) {
  std::wstring text;
  for (int row : rows) {
    for (int column = 0; column < kCopiedColumns; ++column) {
      if (column) text += L'\t';
      // A tab or line break inside a cell would split it into two cells or two rows.
      for (wchar_t c : GbkToWide(ListGetCell(list, row, column))) text += (c == L'\t' || c == L'\r' || c == L'\n') ? L' ' : c;
    }
    text += L"\r\n";
  }
  return text;
}

bool PutOnClipboard(HWND owner, const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  if (void* p = GlobalLock(memory)) {
    std::memcpy(p, text.c_str(), bytes);
    GlobalUnlock(memory);
  }
  // Another program may hold the clipboard for a moment.
  bool open = false;
  for (int attempt = 0; attempt < 5 && !(open = OpenClipboard(owner)); ++attempt) Sleep(20);
  bool placed = false;
  if (open) {
    EmptyClipboard();
    placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;  // the clipboard owns it now
    CloseClipboard();
  }
  if (!placed) GlobalFree(memory);
  return placed;
}

void SelectAll(HWND list) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

void ShowMenu(HWND list, LPARAM where) {
  POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the focused row, or the list's corner
    RECT rc{LVIR_BOUNDS, 0, 0, 0};
    const int row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (row < 0 || !SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc)))
      rc = RECT{};
    at = POINT{rc.left + 8, rc.bottom};
    ClientToScreen(list, &at);
  }
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  const int selected = static_cast<int>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0));
  // An empty list: no search yet, the last one failed or found nothing, or one is under way.
  const auto state = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  AppendMenuW(menu, state(selected > 0), kCopySelected, L"复制所选行\tCtrl+C");
  AppendMenuW(menu, state(rows > 0), kCopyPage, L"复制本页全部");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, state(rows > 0 && !ExportRunning()), kExportAll, L"导出全部结果为 CSV 文件…");
  AppendMenuW(menu, state(CanSaveMainReceipt()), kReceipt, L"保存查询凭证…\tCtrl+S");
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                                       at.y, 0, GetAncestor(list, GA_ROOT), nullptr));
  DestroyMenu(menu);
  if (chosen == kCopySelected) CopyRows(list, true);
  if (chosen == kCopyPage) CopyRows(list, false);
  if (chosen == kExportAll) ExportSearchWithDialog();
  if (chosen == kReceipt) SaveMainReceiptWithDialog();
}

LRESULT CALLBACK ResultListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_CONTEXTMENU:
      ShowMenu(list, lParam);
      return 0;
    case WM_KEYDOWN:
      if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
        if (wParam == 'C') {
          CopyRows(list, true);
          return 0;
        }
        if (wParam == 'A') {
          SelectAll(list);
          return 0;
        }
      }
      break;
    case WM_CHAR:
      if (wParam == 1 || wParam == 3) return 0;  // Ctrl+A, Ctrl+C: no type-ahead search for them
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(list, ResultListProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void InstallResultMenu(HWND list) {
  if (list) SetWindowSubclass(list, ResultListProc, kSubclassId, 0);
}

bool CopyRows(HWND list, bool selectedOnly) {
  const std::vector<int> rows = RowsOf(list, selectedOnly);
  if (rows.empty()) return false;
  return PutOnClipboard(list, ClipboardText(list, rows));
}
