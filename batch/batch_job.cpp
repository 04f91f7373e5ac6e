#include "batch/batch_job.h"

#include <atomic>
#include <cstdlib>
#include <iterator>
#include <mutex>
#include <optional>

#include "app/app_state.h"
#include "app/messages.h"
#include "app/export_file.h"
#include "app/journal_record.h"
#include "app/export_job.h"  // Tell
#include "app/search.h"
#include "app/search_page.h"
#include "app/service.h"
#include "app/user_files.h"
#include "app/workers.h"
#include "batch/batch_progress.h"
#include "batch/batch_report.h"
#include "batch/batch_runner.h"
#include "batch/batch_texts.h"
#include "batch/captcha_pause.h"
#include "journal/entry_text.h"
#include "runtime/gbk_text.h"
#include "runtime/handles.h"
#include "runtime/threads.h"
#include "runtime/ui_thread.h"
#include "web/http_request.h"
#include "web/url.h"

namespace {

// Written by the window thread before the worker starts, then read by the worker.
struct BatchJob {
  PartyList list;
  std::wstring listPath;
  std::string code;
  UniqueHandle cancel{CreateEventW(nullptr, TRUE, FALSE, nullptr)};  // 取消, or the program closing
  std::atomic<bool> abandoned{false};                                 // the main window went
  HWND progress = nullptr;                                            // window thread only
};
BatchJob g_job;
std::atomic<bool> g_running{false};

bool BatchCancelled() { return WaitForSingleObject(g_job.cancel.get(), 0) == WAIT_OBJECT_0; }

// Every request of a batch that reached the service leaves its journal entry, as the user's
// own searches do.
void JournalBatchSearch(const PartyQuery& party, int pageNumber, const ByteSet& reply, const SearchReply& answer) {
  SearchRecord record;
  record.atUtc = UtcStampNow();
  record.replySha256 = ReplyDigest(reply);
  record.name = party.name;
  record.idNumber = party.id;
  record.page = std::to_string(pageNumber);
  record.shownInMain = false;
  const ResultPage read = ReadResultPage(answer, pageNumber);
  std::vector<std::vector<std::wstring>> rows;
  switch (read.kind) {
    case ResultPage::Kind::CaptchaRefused:
      record.outcome = kOutcomeRefused;
      break;
    case ResultPage::Kind::Failed:
      record.outcome = FailedOutcome(read.reason);
      break;
    case ResultPage::Kind::Rows:
      for (const FoundRow& row : read.rows)
        rows.push_back({GbkToWide(row.name), GbkToWide(row.date), GbkToWide(row.caseNumber)});
      record.outcome = rows.empty() ? kOutcomeNone : kOutcomeRows;
      record.total = read.total;
      record.rows = &rows;
      break;
  }
  JournalSearch(record);
}

// One search of the batch: the page-jump request with the party's ID number, so that page 1
// and the pages after it are asked for alike. One network action at a time.
SearchReply SearchService(const PartyQuery& party, int page, const std::string& code) {
  std::lock_guard<std::mutex> lock(NetworkActionLock());
  if (ProgramClosing()) return {};
  std::string headers;
  const ByteSet reply =
      HttpRequest(ServiceUrl("/findDisNew"), 1,
                  PageJumpBody(UrlEncode(party.name, false, /*utf8=*/true), FormValue(party.id), FormValue(code),
                               std::to_string(page)),
                  nullptr, nullptr, nullptr, &headers);
  // "HTTP/1.1 500 Internal Server Error": the number after the first space.
  const size_t space = headers.find(' ');
  const int status = space == std::string::npos ? 0 : std::atoi(headers.c_str() + space + 1);
  SearchReply answer{status, std::string(ReplyPage(reply))};
  JournalBatchSearch(party, page, reply, answer);
  return answer;
}

BatchServices RealServices(BatchProgress& where) {
  BatchServices s;
  s.search = SearchService;
  s.now = [] { return static_cast<uint64_t>(GetTickCount64()); };
  s.wait = [](uint64_t ms) { return WaitForSingleObject(g_job.cancel.get(), static_cast<DWORD>(ms)) != WAIT_OBJECT_0; };
  s.freshCode = [&where] {
    std::optional<std::string> code = AskForFreshCode(AppState().mainWindow, where, g_job.cancel.get());
    if (!code) SetEvent(g_job.cancel.get());  // 取消批量查询 or the pause closed: the batch ends as cancelled
    return code;
  };
  s.progress = [&where](const BatchProgress& p) {
    where = p;
    RunOnUiThread([&] { ShowBatchProgress(g_job.progress, p); });
  };
  s.cancelled = BatchCancelled;
  return s;
}

// Both files, each through a temporary name; 0 or the system's error code.
DWORD WriteFiles(const std::wstring& folder, const std::wstring& reportName, const std::vector<PartyOutcome>& outcomes,
                 BatchEnd& end) {
  end.report = folder + reportName;
  end.foundRows = folder + FoundRowsFileName(reportName);
  PendingFile report, rows;
  DWORD error = report.Open(end.report);
  if (!error) error = report.Write(ReportCsv(g_job.list, outcomes));
  if (!error) error = rows.Open(end.foundRows);
  if (!error) error = rows.Write(FoundRowsCsv(g_job.list, outcomes));
  if (!error) error = rows.Commit();
  if (!error) error = report.Commit();
  return error;
}

void RunBatchJob() {
  BatchProgress where;
  const std::vector<PartyOutcome> outcomes = RunBatch(g_job.list.parties, g_job.code, RealServices(where));

  BatchEnd end;
  end.cancelled = BatchCancelled();
  end.counts = CountStatuses(g_job.list, outcomes);
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::wstring name = ReportFileName(now);
  DWORD error = WriteFiles(ReportFolder(g_job.listPath, end.inDocuments), name, outcomes, end);
  if (error && !end.inDocuments) {
    // The list's folder took the test file but not the report (full, or changed meanwhile).
    end.inDocuments = true;
    bool ignored = false;
    error = WriteFiles(ReportFolder(L"", ignored), name, outcomes, end);
  }

  RunOnUiThread([] {
    CloseBatchProgress(g_job.progress);
    g_job.progress = nullptr;
    if (!g_job.abandoned) HoldUserSearches(false);
  });
  g_running = false;
  if (g_job.abandoned) return;  // the program is closing: the files are written, nobody to tell
  if (error) {
    Tell(L"无法写入批量查询的报告：\r\n" + end.report + L"\r\n" + SystemReason(error), kTitleFail, MB_ICONERROR);
    return;
  }
  Tell(ClosingText(end), kTitleNotice, MB_ICONINFORMATION);
}

bool CanWriteIn(const std::wstring& folder) {
  if (folder.empty()) return false;
  wchar_t probe[MAX_PATH] = {};
  if (!GetTempFileNameW(folder.c_str(), L"vb", 0, probe)) return false;
  DeleteFileW(probe);
  return true;
}

}  // namespace

std::wstring ReportFolder(const std::wstring& listPath, bool& inDocuments) {
  wchar_t full[MAX_PATH * 4] = {};
  wchar_t* fileName = nullptr;
  const DWORD n = listPath.empty() ? 0 : GetFullPathNameW(listPath.c_str(), static_cast<DWORD>(std::size(full)), full,
                                                          &fileName);
  if (n > 0 && n < std::size(full) && fileName) {
    const std::wstring folder(full, static_cast<size_t>(fileName - full));
    if (CanWriteIn(folder)) {
      inDocuments = false;
      return folder;
    }
  }
  inDocuments = true;
  const std::wstring documents = DocumentsFolder();
  return documents.empty() ? documents : documents + L"\\";
}

bool StartBatch(PartyList list, const std::wstring& listPath, const std::string& code) {
  if (list.problem != ListProblem::None || g_running.exchange(true)) return false;
  g_job.list = std::move(list);
  g_job.listPath = listPath;
  g_job.code = code;
  ResetEvent(g_job.cancel.get());
  g_job.abandoned = false;
  HoldUserSearches(true);
  g_job.progress = CreateBatchProgress(
      AppState().mainWindow, g_job.list.parties.size(), [] { SetEvent(g_job.cancel.get()); },
      [] {
        g_job.abandoned = true;
        SetEvent(g_job.cancel.get());
      });
  if (!StartThread(RunBatchJob)) {
    CloseBatchProgress(g_job.progress);
    g_job.progress = nullptr;
    HoldUserSearches(false);
    g_running = false;
    return false;
  }
  return true;
}

bool BatchRunning() { return g_running; }
