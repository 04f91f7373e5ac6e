// The export of every page: the plan made on the window thread, the worker that fetches and
// writes, the temporary file that takes the chosen name once complete, and the progress window.
#include "app/export.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
#undef FindText  // <commdlg.h> names its find dialog so; ours is the text search of web/

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <mutex>
#include <optional>
#include <vector>

#include "app/app_state.h"
#include "app/csv_table.h"
#include "app/main_units.h"
#include "app/messages.h"
#include "app/search_page.h"
#include "app/service.h"
#include "app/workers.h"
#include "runtime/fonts.h"
#include "runtime/gbk_text.h"
#include "runtime/handles.h"
#include "runtime/threads.h"
#include "runtime/ui_thread.h"
#include "runtime/units.h"
#include "web/http_request.h"
#include "web/text_ops.h"

namespace {

constexpr int kPagesWithoutAsking = 100;
// Never faster than a user paging by hand through the service.
constexpr DWORD kPauseBetweenRequests = 300;

struct SearchToExport {
  std::string name, encodedName, card, code;
  int pages = 0;  // to fetch: all, or the first 100 when the user chose so
};

// The one export that may run. Written by the window thread before the worker starts; the
// worker reads it, and the progress window reaches its cancel event.
struct ExportJob {
  SearchToExport search;
  std::wstring path;
  UniqueHandle cancel{CreateEventW(nullptr, TRUE, FALSE, nullptr)};  // 取消 or the program closing
  std::atomic<bool> finishing{false};  // the worker itself takes the progress window away
  std::atomic<bool> abandoned{false};  // the progress window went with the main window
  HWND progress = nullptr;             // window thread only
};
ExportJob g_job;
std::atomic<bool> g_running{false};

int Tell(const std::wstring& text, const std::string& title, UINT flags) {
  const std::wstring wideTitle = GbkToWide(title);
  int answer = 0;
  RunOnUiThread([&] { answer = MessageBoxW(nullptr, text.c_str(), wideTitle.c_str(), flags | MB_TASKMODAL); });
  return answer;
}

std::wstring Number(long long n) { return std::to_wstring(n); }

struct Pager {
  int current = 0, total = 0;
};

// " 2/3 共23" (or the count label's " 2/3 共23条").
Pager ReadPager(const std::string& text) {
  const size_t slash = text.find('/');  // never a GBK trail byte
  if (slash == std::string::npos) return {};
  return {ToInteger(text.substr(0, slash)), ToInteger(text.substr(slash + 1))};
}

bool Cancelled(DWORD waitMilliseconds = 0) {
  return WaitForSingleObject(g_job.cancel.get(), waitMilliseconds) == WAIT_OBJECT_0;
}

// ---------------------------------------------------------------- the file

std::wstring SystemReason(DWORD error) {
  wchar_t text[512] = {};
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                           static_cast<DWORD>(std::size(text)), nullptr);
  while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L' ' || text[n - 1] == L'.')) --n;
  return std::wstring(text, n) + (n ? L"（错误 " : L"错误 ") + Number(error) + (n ? L"）" : L"");
}

// The file being written: a temporary file beside the chosen one (one volume, so the final
// rename is atomic). The chosen name appears only complete; a file already there stays as
// it was until then, and whatever fails leaves no half-written file behind.
class PendingFile {
 public:
  PendingFile() = default;
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() { Discard(); }

  // Each returns 0 or the system's error code.
  DWORD Open(const std::wstring& target) {
    target_ = target;
    temp_ = target + L"." + Number(GetCurrentProcessId()) + L".tmp";
    file_.reset(CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file_.get() != INVALID_HANDLE_VALUE) return 0;
    const DWORD error = GetLastError();
    file_.reset();
    temp_.clear();
    return error;
  }
  DWORD Write(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
      DWORD written = 0;
      if (!WriteFile(file_.get(), bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
      if (written == 0) return ERROR_DISK_FULL;
      done += written;
    }
    return 0;
  }
  DWORD Commit() {
    if (!FlushFileBuffers(file_.get())) return GetLastError();
    file_.reset();
    if (!MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return GetLastError();
    temp_.clear();
    return 0;
  }
  void Discard() {
    file_.reset();
    if (!temp_.empty()) DeleteFileW(temp_.c_str());
    temp_.clear();
  }

 private:
  std::wstring target_, temp_;
  UniqueHandle file_;
};

// ---------------------------------------------------------------- the progress window

constexpr wchar_t kProgressClass[] = L"VeradinExportProgress";
constexpr int kProgressText = 101, kProgressBar = 102;  // clear of IDCANCEL
constexpr int kProgressWidth = 340, kProgressHeight = 112;  // client area

void RequestCancel(HWND window) {
  SetEvent(g_job.cancel.get());
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
      if (!g_job.finishing) {
        g_job.abandoned = true;
        SetEvent(g_job.cancel.get());
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

// Worker: page k of n, the bar at the pages done.
void ShowProgress(int page, int pages, int done) {
  const std::wstring text = L"正在获取第 " + Number(page) + L" 页，共 " + Number(pages) + L" 页";
  RunOnUiThread([&] {
    HWND window = g_job.progress;
    if (!IsWindow(window)) return;
    if (!Cancelled()) SetDlgItemTextW(window, kProgressText, text.c_str());
    SendDlgItemMessageW(window, kProgressBar, PBM_SETRANGE32, 0, pages);
    SendDlgItemMessageW(window, kProgressBar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
  });
}

// ---------------------------------------------------------------- the worker

// Why page k cannot be used, or "" when it is page k of the results.
std::wstring PageProblem(const std::string& page, int k) {
  if (page.empty()) return GbkToWide(kServiceUnreachable);
  if (FindText(page, kCaptchaRefused) != kNotFound) return GbkToWide(kCaptchaRefused);
  // A page other than the one asked for (the service shows the last page for one past the
  // end) would repeat rows: the results changed under the export.
  if (ReadPager(ResultPagerText(page)).current != k) return GbkToWide(kServiceUnexpected);
  return {};
}

void RunExport() {
  const SearchToExport search = g_job.search;
  const std::wstring path = g_job.path;
  PendingFile file;
  DWORD error = file.Open(path);
  if (!error) error = file.Write(kUtf8Bom + CsvRow({"被执行人/单位名", "立案时间", "案号", "页码"}));

  int pages = search.pages, totalPages = search.pages, pagesWritten = 0, failedPage = 0;
  long long rows = 0;
  bool cancelled = false;
  std::wstring problem;
  for (int k = 1; !error && k <= pages; ++k) {
    if (Cancelled(k > 1 ? kPauseBetweenRequests : 0)) {
      cancelled = true;
      break;
    }
    ShowProgress(k, pages, k - 1);
    std::string page;
    {
      // One network action at a time; held for this request only, so that a search or page
      // jump of the user's can go between two pages of a long export. The ID number of the
      // search goes with it (the page jump sends none), so the file holds the rows the user
      // searched for and not every record of that name.
      std::lock_guard<std::mutex> lock(NetworkActionLock());
      if (!Cancelled())
        page = ReplyText(HttpRequest(ServiceUrl("/findDisNew"), 1,
                                     PageJumpBody(search.encodedName, search.card, search.code, std::to_string(k))));
    }
    if (Cancelled()) {  // the page that was on its way is not kept: the user asked to stop
      cancelled = true;
      break;
    }
    problem = PageProblem(page, k);
    if (!problem.empty()) {
      failedPage = k;
      break;
    }
    TextArray names, dates, cases;
    ScrapeResultRows(page, names, dates, cases);
    std::string csv;
    for (size_t i = 0; i < names.size(); ++i) {
      // Lists of unequal length give only the cells they have, as in the result list.
      csv += CsvRow({names[i], i < dates.size() ? dates[i] : std::string(), i < cases.size() ? cases[i] : std::string(),
                     std::to_string(k)});
    }
    error = file.Write(csv);
    if (error) break;
    rows += static_cast<long long>(names.size());
    pagesWritten = k;
    totalPages = ReadPager(ResultPagerText(page)).total;
    pages = std::min(pages, totalPages);  // fewer results than planned
    ShowProgress(k, pages, k);
  }

  g_job.finishing = true;
  RunOnUiThread([] {
    if (IsWindow(g_job.progress)) DestroyWindow(g_job.progress);
    g_job.progress = nullptr;
  });
  if (g_job.abandoned) {  // the program is closing: nobody asked for a partial file
    g_running = false;
    return;
  }
  const bool complete = !error && !cancelled && !failedPage;
  if (!error && (complete || rows > 0)) error = file.Commit();
  if (error) file.Discard();
  g_running = false;

  if (error) {
    Tell(L"无法写入文件：\r\n" + path + L"\r\n" + SystemReason(error), kTitleFail, MB_ICONERROR);
    return;
  }
  const std::wstring holds = L"文件中是前 " + Number(pagesWritten) + L" 页的 " + Number(rows) + L" 行结果：\r\n" + path;
  if (failedPage) {
    Tell(L"第 " + Number(failedPage) + L" 页获取失败：" + problem + L"\r\n导出已停止。" +
             (rows > 0 ? holds : std::wstring(L"没有写入文件。")),
         kTitleFail, MB_ICONERROR);
  } else if (cancelled) {
    Tell(L"已取消导出。" + (rows > 0 ? holds : std::wstring(L"没有写入文件。")), kTitleNotice, MB_ICONINFORMATION);
  } else {
    const std::wstring which = pagesWritten < totalPages
                                   ? L"已导出前 " + Number(pagesWritten) + L" 页（共 " + Number(totalPages) + L" 页）"
                                   : L"已导出全部 " + Number(pagesWritten) + L" 页";
    Tell(which + L"，共 " + Number(rows) + L" 行结果，保存在：\r\n" + path, kTitleNotice, MB_ICONINFORMATION);
  }
}

// ---------------------------------------------------------------- starting

// The last search, when the list shows its rows (a failed search or one under way leaves
// the list empty). Asks before more than 100 pages.
std::optional<SearchToExport> PlanExport() {
  if (g_running) return std::nullopt;
  if (ListRowCount(MainUnit("超级列表框1")) == 0) return std::nullopt;
  SearchToExport search;
  {
    std::lock_guard<std::mutex> lock(StateLock());
    const ApplicationState& state = AppState();
    search.name = state.searchedName;
    search.encodedName = state.encodedName;
    search.card = state.searchCard;
    search.code = state.searchCode;
    search.pages = ReadPager(state.resultCount).total;
  }
  if (search.pages <= 0) return std::nullopt;
  if (search.pages > kPagesWithoutAsking) {
    const std::wstring all = Number(search.pages);
    const int answer = Tell(L"这次查询的结果共有 " + all + L" 页。导出会一页一页地向查询服务获取，每两次请求之间至少间隔 0.3 秒。\r\n\r\n"
                            L"是：导出全部 " + all + L" 页\r\n否：只导出前 100 页\r\n取消：不导出",
                            kTitleNotice, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO) search.pages = kPagesWithoutAsking;
    else if (answer != IDYES) return std::nullopt;
  }
  return search;
}

void BeginExport(SearchToExport search, const std::wstring& path) {
  if (g_running.exchange(true)) return;
  wchar_t full[MAX_PATH * 4] = {};
  const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
  g_job.path = (n > 0 && n < std::size(full)) ? std::wstring(full, n) : path;
  g_job.search = std::move(search);
  ResetEvent(g_job.cancel.get());
  g_job.finishing = false;
  g_job.abandoned = false;
  g_job.progress = CreateProgressWindow(AppState().mainWindow, g_job.search.pages);
  if (!StartThread(RunExport)) {
    g_job.finishing = true;
    if (g_job.progress) DestroyWindow(g_job.progress);
    g_job.progress = nullptr;
    g_running = false;
  }
}

}  // namespace

std::wstring DefaultExportFileName(const std::string& searchedName, const SYSTEMTIME& day) {
  constexpr size_t kLongestName = 100;
  std::wstring name;
  for (wchar_t c : GbkToWide(searchedName)) name += (c < 32 || std::wcschr(L"\\/:*?\"<>|", c)) ? L'_' : c;
  if (name.size() > kLongestName) name.resize(kLongestName);
  wchar_t date[16] = {};
  std::swprintf(date, std::size(date), L"%04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
  return L"失信被执行人_" + name + L"_" + date + L".csv";
}

void ExportSearchWithDialog() {
  std::optional<SearchToExport> search = PlanExport();
  if (!search) return;
  SYSTEMTIME today;
  GetLocalTime(&today);
  const std::wstring name = DefaultExportFileName(search->name, today);
  std::vector<wchar_t> file(32768, L'\0');
  std::copy(name.begin(), name.end(), file.begin());
  wchar_t documents[MAX_PATH] = {};
  const bool haveDocuments = SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents));

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = AppState().mainWindow;
  ofn.lpstrFilter = L"CSV 文件 (*.csv)\0*.csv\0所有文件 (*.*)\0*.*\0";
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = haveDocuments ? documents : nullptr;
  ofn.lpstrTitle = L"导出全部结果为 CSV 文件";
  ofn.lpstrDefExt = L"csv";
  ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&ofn)) return;
  BeginExport(std::move(*search), file.data());
}

void ExportSearchTo(const std::wstring& path) {
  if (std::optional<SearchToExport> search = PlanExport()) BeginExport(std::move(*search), path);
}

bool ExportRunning() { return g_running; }
