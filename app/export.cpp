// The export of every page: the plan made on the window thread and the start of the worker
// (export_worker.cpp), which writes a temporary file (export_file.cpp) while a progress
// window (export_progress.cpp) shows how far it is.
#include "app/export.h"

#include <algorithm>
#include <cwchar>
#include <mutex>
#include <optional>
#include <vector>

#include "app/app_state.h"
#include "app/export_job.h"
#include "app/export_progress.h"
#include "app/export_worker.h"
#include "app/main_units.h"
#include "app/user_files.h"
#include "app/messages.h"
#include "runtime/gbk_text.h"
#include "runtime/threads.h"
#include "runtime/ui_thread.h"
#include "runtime/units.h"
#include "web/text_ops.h"

namespace {

constexpr int kPagesWithoutAsking = 100;

ExportJob g_job;

// The last search, when the list shows its rows (a failed search or one under way leaves
// the list empty). Asks before more than 100 pages.
std::optional<SearchToExport> PlanExport() {
  if (TheExport().running) return std::nullopt;
  if (ListRowCount(ResultList()) == 0) return std::nullopt;
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
  if (TheExport().running.exchange(true)) return;
  wchar_t full[MAX_PATH * 4] = {};
  const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
  TheExport().path = (n > 0 && n < std::size(full)) ? std::wstring(full, n) : path;
  TheExport().search = std::move(search);
  ResetEvent(TheExport().cancel.get());
  TheExport().finishing = false;
  TheExport().abandoned = false;
  TheExport().progress = CreateProgressWindow(AppState().mainWindow, TheExport().search.pages);
  if (!StartThread(RunExport)) {
    TheExport().finishing = true;
    if (TheExport().progress) DestroyWindow(TheExport().progress);
    TheExport().progress = nullptr;
    TheExport().running = false;
  }
}

}  // namespace

ExportJob& TheExport() { return g_job; }

int Tell(const std::wstring& text, const std::string& title, UINT flags) {
  const std::wstring wideTitle = GbkToWide(title);
  int answer = 0;
  RunOnUiThread([&] { answer = MessageBoxW(nullptr, text.c_str(), wideTitle.c_str(), flags | MB_TASKMODAL); });
  return answer;
}

bool Cancelled(DWORD waitMilliseconds) {
  return WaitForSingleObject(g_job.cancel.get(), waitMilliseconds) == WAIT_OBJECT_0;
}

Pager ReadPager(const std::string& text) {
  const size_t slash = text.find('/');  // never a GBK trail byte
  if (slash == std::string::npos) return {};
  return {ToInteger(text.substr(0, slash)), ToInteger(text.substr(slash + 1))};
}

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
  const std::wstring file = AskFileToSave({AppState().mainWindow, L"导出全部结果为 CSV 文件", kCsvFilter,
                                           DefaultExportFileName(search->name, today), L"csv"});
  if (file.empty()) return;
  BeginExport(std::move(*search), file);
}

void ExportSearchTo(const std::wstring& path) {
  if (std::optional<SearchToExport> search = PlanExport()) BeginExport(std::move(*search), path);
}

bool ExportRunning() { return TheExport().running; }
