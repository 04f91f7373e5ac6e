#include "app/history_window.h"

#include <commctrl.h>
#undef FindText  // <commdlg.h> names its find dialog so

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "app/app_state.h"
#include "app/csv_table.h"
#include "app/export_file.h"
#include "app/main_units.h"
#include "app/receipt.h"
#include "app/result_menu.h"
#include "app/user_files.h"
#include "journal/entry_text.h"
#include "journal/program_journal.h"
#include "runtime/gbk_text.h"
#include "runtime/handles.h"
#include "runtime/units.h"
#include "web/codepage.h"

namespace {
constexpr wchar_t kClass[] = L"VeradinHistory";
constexpr UINT_PTR kFilterTimer = 1;
constexpr UINT kFilterDelayMs = 250;  // typing a word refills once, not per letter
constexpr int kWidth = 780, kHeight = 580;

struct History {
  HWND window = nullptr;
  UniqueFont font;
  std::vector<long long> ids;                            // the list's rows, newest first
  std::unordered_map<long long, SearchEntry> summaries;  // read as the list shows them
  long long opened = 0;                                  // the entry whose rows are shown
  std::wstring cell;                                     // text handed to the list view
};
History* g_history = nullptr;

HWND Item(int id) { return g_history ? GetDlgItem(g_history->window, id) : nullptr; }
bool FullId() { return SendMessageW(Item(kHistoryFullId), BM_GETCHECK, 0, 0) == BST_CHECKED; }
std::wstring W(const std::string& utf8) { return Utf8ToWide(utf8); }
std::string ShownId(const std::string& id) { return FullId() ? id : MaskIdNumber(id); }

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id,
           DWORD exStyle = 0) {
  HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_history->font.get()), FALSE);
  return child;
}

void AddColumns(HWND list, std::initializer_list<std::pair<const wchar_t*, int>> columns) {
  int i = 0;
  for (const auto& [title, width] : columns) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = const_cast<wchar_t*>(title);
    c.cx = width;
    SendMessageW(list, LVM_INSERTCOLUMNW, i++, reinterpret_cast<LPARAM>(&c));
  }
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
}

// A local date picked in a picker, or nothing when its box is unticked.
bool PickedDay(int id, SYSTEMTIME& day) {
  return SendMessageW(Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&day)) == GDT_VALID;
}

SearchFilter CurrentFilter() {
  SearchFilter filter;
  wchar_t text[256] = {};
  GetWindowTextW(Item(kHistoryFilter), text, 256);
  filter.text = WideToUtf8(text);
  SYSTEMTIME day;
  if (PickedDay(kHistoryFrom, day)) filter.fromUtc = UtcStampOfLocalDay(day);
  if (PickedDay(kHistoryTo, day)) {
    // Up to the end of that day: the midnight after it.
    FILETIME ft;
    SYSTEMTIME midnight{day.wYear, day.wMonth, 0, day.wDay, 0, 0, 0, 0};
    SystemTimeToFileTime(&midnight, &ft);
    ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart += 24ull * 3600 * 10000000;
    ft = FILETIME{t.LowPart, t.HighPart};
    FileTimeToSystemTime(&ft, &midnight);
    filter.toUtc = UtcStampOfLocalDay(midnight);
  }
  return filter;
}

void ShowStatus() {
  std::wstring status = L"共 " + std::to_wstring(g_history->ids.size()) + L" 条查询";
  if (!ProgramJournal()) status = L"查询记录无法打开";
  SetWindowTextW(Item(kHistoryStatus), status.c_str());
}

void Refill() {
  Journal* journal = ProgramJournal();
  g_history->ids = journal ? journal->FindSearches(CurrentFilter()) : std::vector<long long>{};
  g_history->summaries.clear();
  HWND list = Item(kHistoryEntries);
  SendMessageW(list, LVM_SETITEMCOUNT, g_history->ids.size(), 0);
  InvalidateRect(list, nullptr, TRUE);
  ShowStatus();
}

const SearchEntry* Summary(int row) {
  if (row < 0 || static_cast<size_t>(row) >= g_history->ids.size()) return nullptr;
  const long long id = g_history->ids[row];
  auto found = g_history->summaries.find(id);
  if (found == g_history->summaries.end()) {
    Journal* journal = ProgramJournal();
    auto entry = journal ? journal->ReadSearch(id, /*withRows=*/false) : std::nullopt;
    if (!entry) return nullptr;
    found = g_history->summaries.emplace(id, std::move(*entry)).first;
  }
  return &found->second;
}

std::wstring EntryCell(const SearchEntry& e, int column) {
  switch (column) {
    case 0: return W(LocalTimeText(e.atUtc));
    case 1: return W(e.name);
    case 2: return W(ShownId(e.idNumber));
    case 3: return std::to_wstring(e.page);
    case 4: return e.total < 0 ? L"" : std::to_wstring(e.total);
    default: return W(e.outcome);
  }
}

void OpenEntry(long long id) {
  g_history->opened = id;
  HWND rows = Item(kHistoryRows);
  SendMessageW(rows, WM_SETREDRAW, FALSE, 0);
  SendMessageW(rows, LVM_DELETEALLITEMS, 0, 0);
  std::wstring details;
  if (Journal* journal = ProgramJournal(); journal && id) {
    if (auto entry = journal->ReadSearch(id)) {
      for (size_t r = 0; r < entry->rows.size(); ++r) {
        const std::wstring cells[] = {W(entry->rows[r].name), W(entry->rows[r].filed), W(entry->rows[r].caseNumber)};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<wchar_t*>(cells[0].c_str());
        const int at = static_cast<int>(SendMessageW(rows, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        for (int c = 1; c < 3; ++c) {
          item.iSubItem = c;
          item.pszText = const_cast<wchar_t*>(cells[c].c_str());
          SendMessageW(rows, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&item));
        }
      }
    }
    for (const DetailEntry& d : journal->DetailsOf(id)) {
      details += L"【详细信息 " + W(LocalTimeText(d.atUtc)) + L" " + W(d.caseNumber) + L"】\r\n" + W(d.text) + L"\r\n";
    }
  }
  SendMessageW(rows, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(rows, nullptr, TRUE);
  SetWindowTextW(Item(kHistoryDetails), details.c_str());
  for (int button : {kHistoryCopy, kHistoryReceipt, kHistoryResearch}) EnableWindow(Item(button), id != 0);
}

std::vector<long long> SelectedIds() {
  std::vector<long long> ids;
  HWND list = Item(kHistoryEntries);
  int row = -1;
  while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0) {
    if (static_cast<size_t>(row) < g_history->ids.size()) ids.push_back(g_history->ids[row]);
  }
  return ids;
}

// 重新查询: the entry's query goes back into the main form; the captcha is the user's to type.
void Research() {
  Journal* journal = ProgramJournal();
  const auto entry = journal ? journal->ReadSearch(g_history->opened, false) : std::nullopt;
  HWND main = AppState().mainWindow;
  if (!entry || !main) return;
  SetWindowTextW(NameField(), W(entry->name).c_str());
  SetWindowTextW(IdNumberField(), W(entry->idNumber).c_str());
  SetWindowTextW(CaptchaCodeField(), L"");
  SetForegroundWindow(main);
  SetFocus(CaptchaCodeField());
}

void ExportWithDialog() {
  const std::vector<long long> ids = SelectedIds();
  if (ids.empty()) {
    ShowMessage("请先在列表中选择要导出的查询记录。", "提示", MB_ICONINFORMATION);
    return;
  }
  const std::wstring file = AskFileToSave({g_history->window, L"导出所选查询记录",
                                           kCsvFilter, L"查询记录.csv", L"csv"});
  if (file.empty()) return;
  if (const DWORD error = ExportHistoryTo(file, ids, FullId()))
    ShowMessage("查询记录没有导出：\r\n" + WideToGbk(SystemReason(error)), "Fail!", MB_ICONERROR);
}

void OnCommand(int id, int code) {
  switch (id) {
    case kHistoryFilter:
      if (code == EN_CHANGE) SetTimer(g_history->window, kFilterTimer, kFilterDelayMs, nullptr);
      break;
    case kHistoryFullId:
      InvalidateRect(Item(kHistoryEntries), nullptr, FALSE);
      break;
    case kHistoryCopy: {
      HWND rows = Item(kHistoryRows);
      CopyRows(rows, SendMessageW(rows, LVM_GETSELECTEDCOUNT, 0, 0) > 0);
      break;
    }
    case kHistoryReceipt:
      if (g_history->opened) SaveEntryReceiptWithDialog(g_history->window, g_history->opened, FullId());
      break;
    case kHistoryResearch:
      Research();
      break;
    case kHistoryExport:
      ExportWithDialog();
      break;
    default:
      break;
  }
}

LRESULT OnNotify(const NMHDR& header, LPARAM lParam) {
  if (header.idFrom == kHistoryEntries) {
    if (header.code == LVN_GETDISPINFOW) {
      auto& info = *reinterpret_cast<NMLVDISPINFOW*>(lParam);
      if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
        const SearchEntry* e = Summary(info.item.iItem);
        g_history->cell = e ? EntryCell(*e, info.item.iSubItem) : L"";
        lstrcpynW(info.item.pszText, g_history->cell.c_str(), info.item.cchTextMax);
      }
    } else if (header.code == LVN_ITEMCHANGED) {
      const auto& change = *reinterpret_cast<NMLISTVIEW*>(lParam);
      if ((change.uNewState & LVIS_FOCUSED) && !(change.uOldState & LVIS_FOCUSED) && change.iItem >= 0 &&
          static_cast<size_t>(change.iItem) < g_history->ids.size())
        OpenEntry(g_history->ids[change.iItem]);
    }
  } else if ((header.idFrom == kHistoryFrom || header.idFrom == kHistoryTo) && header.code == DTN_DATETIMECHANGE) {
    Refill();
  }
  return 0;
}

void Create(HWND window) {
  g_history->window = window;
  g_history->font.reset(CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                                    L"Microsoft YaHei UI"));
  Child(window, L"STATIC", L"筛选：", SS_CENTERIMAGE, 10, 10, 44, 24, -1);
  Child(window, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, 56, 10, 190, 24, kHistoryFilter, WS_EX_CLIENTEDGE);
  Child(window, L"STATIC", L"日期：", SS_CENTERIMAGE, 258, 10, 44, 24, -1);
  HWND from = Child(window, DATETIMEPICK_CLASSW, L"", DTS_SHORTDATEFORMAT | DTS_SHOWNONE | WS_TABSTOP, 302, 10, 130,
                    24, kHistoryFrom);
  Child(window, L"STATIC", L"至", SS_CENTERIMAGE | SS_CENTER, 432, 10, 24, 24, -1);
  HWND to = Child(window, DATETIMEPICK_CLASSW, L"", DTS_SHORTDATEFORMAT | DTS_SHOWNONE | WS_TABSTOP, 456, 10, 130,
                  24, kHistoryTo);
  for (HWND picker : {from, to}) SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0);  // no limit at first
  Child(window, L"BUTTON", L"显示完整证件号", BS_AUTOCHECKBOX | WS_TABSTOP, 600, 10, 160, 24, kHistoryFullId);
  HWND entries = Child(window, WC_LISTVIEWW, L"",
                       LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, 10, 42, 750, 250,
                       kHistoryEntries);
  AddColumns(entries, {{L"时间（本地）", 150}, {L"姓名/名称", 150}, {L"证件号", 160}, {L"页码", 50}, {L"总数", 60},
                       {L"结果", 170}});
  Child(window, L"STATIC", L"所选查询的结果行与详细信息：", SS_CENTERIMAGE, 10, 298, 400, 22, -1);
  HWND rows = Child(window, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, 10, 322,
                    460, 180, kHistoryRows);
  AddColumns(rows, {{L"被执行人\\单位名", 190}, {L"立案时间", 100}, {L"案号", 160}});
  Child(window, L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, 480, 322, 280,
        180, kHistoryDetails, WS_EX_CLIENTEDGE);
  Child(window, L"BUTTON", L"复制所选行", WS_TABSTOP, 10, 512, 100, 28, kHistoryCopy);
  Child(window, L"BUTTON", L"保存查询凭证", WS_TABSTOP, 118, 512, 110, 28, kHistoryReceipt);
  Child(window, L"BUTTON", L"重新查询", WS_TABSTOP, 236, 512, 90, 28, kHistoryResearch);
  Child(window, L"BUTTON", L"导出所选为 CSV…", WS_TABSTOP, 334, 512, 140, 28, kHistoryExport);
  Child(window, L"STATIC", L"", SS_CENTERIMAGE | SS_RIGHT, 490, 512, 270, 28, kHistoryStatus);
  OpenEntry(0);
  Refill();
}

LRESULT CALLBACK HistoryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Create(window);
      return 0;
    case WM_COMMAND:
      if (g_history) OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return g_history ? OnNotify(*reinterpret_cast<NMHDR*>(lParam), lParam) : 0;
    case WM_TIMER:
      if (wParam == kFilterTimer) {
        KillTimer(window, kFilterTimer);
        Refill();
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      // Labels on the window's white, not the grey of dialogs.
      if (reinterpret_cast<HWND>(lParam) != GetDlgItem(window, kHistoryDetails)) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      delete g_history;
      g_history = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

void OpenHistoryWindow() {
  if (g_history) {
    ShowWindow(g_history->window, SW_RESTORE);
    SetForegroundWindow(g_history->window);
    Refill();
    return;
  }
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HistoryProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kClass;
    return RegisterClassExW(&wc) != 0;
  }();
  if (!registered) return;
  g_history = new History;
  HWND main = AppState().mainWindow;
  RECT frame{0, 0, kWidth, kHeight};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = CreateWindowExW(0, kClass, L"查询记录", style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, main, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) {
    delete g_history;
    g_history = nullptr;
    return;
  }
  ShowWindow(window, SW_SHOW);
}

HWND HistoryWindow() { return g_history ? g_history->window : nullptr; }

void RefreshHistoryWindow() {
  if (!g_history) return;
  OpenEntry(0);
  Refill();
}

DWORD ExportHistoryTo(const std::wstring& path, const std::vector<long long>& entryIds, bool fullId) {
  Journal* journal = ProgramJournal();
  if (!journal) return ERROR_OPEN_FAILED;
  const auto gbk = [](const std::string& utf8) { return Utf8ToGbk(utf8); };
  std::string csv = kUtf8Bom;
  csv += CsvRow({"时间（本地）", "姓名/名称", "证件号", "页码", "总数", "结果", "被执行人/单位名", "立案时间", "案号",
                 "记录编号", "chain_sha256"});
  for (long long id : entryIds) {
    const auto e = journal->ReadSearch(id);
    if (!e) continue;
    const std::vector<std::string> query = {gbk(LocalTimeText(e->atUtc)), gbk(e->name),
                                            gbk(fullId ? e->idNumber : MaskIdNumber(e->idNumber)),
                                            std::to_string(e->page), e->total < 0 ? "" : std::to_string(e->total),
                                            gbk(e->outcome)};
    const std::vector<JournalRow> rows = e->rows.empty() ? std::vector<JournalRow>(1) : e->rows;
    for (const JournalRow& r : rows) {
      std::vector<std::string> cells = query;
      cells.insert(cells.end(), {gbk(r.name), gbk(r.filed), gbk(r.caseNumber), std::to_string(e->id), e->chainSha256});
      csv += CsvRow(cells);
    }
  }
  PendingFile file;
  DWORD error = file.Open(path);
  if (!error) error = file.Write(csv);
  if (!error) error = file.Commit();
  return error;
}
