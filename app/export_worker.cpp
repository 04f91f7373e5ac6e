#include "app/export_worker.h"

#include <algorithm>
#include <mutex>
#include <string>

#include "app/csv_table.h"
#include "app/export_file.h"
#include "app/export_job.h"
#include "app/export_progress.h"
#include "app/journal_record.h"
#include "app/messages.h"
#include "app/search_page.h"
#include "app/service.h"
#include "app/workers.h"
#include "journal/entry_text.h"
#include "runtime/gbk_text.h"
#include "runtime/ui_thread.h"
#include "web/http_request.h"

namespace {

// Never faster than a user paging by hand through the service.
constexpr DWORD kPauseBetweenRequests = 300;

// Why page k cannot be used, or "" when it is page k of the results.
std::wstring PageProblem(std::string_view page, int k) {
  if (page.empty()) return GbkToWide(kServiceUnreachable);
  if (PageHolds(page, kCaptchaRefused)) return GbkToWide(kCaptchaRefused);
  // A page other than the one asked for (the service shows the last page for one past the
  // end) would repeat rows: the results changed under the export.
  if (ReadPager(ResultPagerText(page)).current != k) return GbkToWide(kServiceUnexpected);
  return {};
}

}  // namespace

void RunExport() {
  const SearchToExport search = TheExport().search;
  const std::wstring path = TheExport().path;
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
    ByteSet reply;
    {
      // One network action at a time; held for this request only, so that a search or page
      // jump of the user's can go between two pages of a long export. The ID number of the
      // search goes with it (the page jump sends none), so the file holds the rows the user
      // searched for and not every record of that name.
      std::lock_guard<std::mutex> lock(NetworkActionLock());
      if (!Cancelled())
        reply = HttpRequest(ServiceUrl("/findDisNew"), 1,
                            PageJumpBody(search.encodedName, search.card, search.code, std::to_string(k)));
    }
    SearchRecord record;  // every page that reached the service goes into the journal
    record.atUtc = UtcStampNow();
    record.replySha256 = ReplyDigest(reply);
    record.name = search.name;
    record.idNumber = search.card;  // as sent (an ID number's digits need no form encoding)
    record.page = std::to_string(k);
    record.shownInMain = false;
    if (Cancelled()) {  // the page that was on its way is not kept: the user asked to stop
      cancelled = true;
      break;
    }
    const std::string_view page = ReplyPage(reply);
    problem = PageProblem(page, k);
    if (!problem.empty()) {
      record.outcome = PageHolds(page, kCaptchaRefused) ? kOutcomeRefused
                       : page.empty()                   ? FailedOutcome("no reply from the service")
                                                        : FailedOutcome("not the page asked for");
      JournalSearch(record);
      failedPage = k;
      break;
    }
    const std::vector<ResultCells> found = ScrapeResultRows(page);
    record.outcome = found.empty() ? kOutcomeNone : kOutcomeRows;
    record.total = AnnouncedTotal(ResultPagerText(page));
    record.rows = &found;
    JournalSearch(record);
    std::string csv;
    for (const ResultCells& row : found) {
      // Rows give only the cells the page has, as in the result list; not the hint.
      const auto cell = [&](size_t c) { return c < row.size() ? WideToGbk(row[c]) : std::string(); };
      csv += CsvRow({cell(0), cell(1), cell(2), std::to_string(k)});
    }
    error = file.Write(csv);
    if (error) break;
    rows += static_cast<long long>(found.size());
    pagesWritten = k;
    totalPages = ReadPager(ResultPagerText(page)).total;
    pages = std::min(pages, totalPages);  // fewer results than planned
    ShowProgress(k, pages, k);
  }

  TheExport().finishing = true;
  RunOnUiThread([] {
    if (IsWindow(TheExport().progress)) DestroyWindow(TheExport().progress);
    TheExport().progress = nullptr;
  });
  if (TheExport().abandoned) {  // the program is closing: nobody asked for a partial file
    TheExport().running = false;
    return;
  }
  const bool complete = !error && !cancelled && !failedPage;
  if (!error && (complete || rows > 0)) error = file.Commit();
  if (error) file.Discard();
  TheExport().running = false;

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
