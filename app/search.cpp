// The search form, sent as a first-page search or a page jump, and the scraping of the
// result page into the result list.
#include "app/search.h"

#include <windows.h>

#include <mutex>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "app/journal_record.h"
#include "app/main_units.h"
#include "app/messages.h"
#include "app/result_rows.h"
#include "app/search_page.h"
#include "app/search_stages.h"
#include "app/service.h"
#include "app/workers.h"
#include "journal/entry_text.h"
#include "runtime/ui_thread.h"
#include "runtime/units.h"
#include "web/http_request.h"
#include "web/url.h"

namespace {

constexpr char kCountRight[] = "条";

enum class SearchKind { FirstPage, PageJump };

long long Tick() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
  const auto count = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(count(kernel) + count(user)) / 1e7;
}

std::mutex g_stagesLock;
SearchStages g_stages;

void Stamp(long long SearchStages::*stage) {
  std::lock_guard<std::mutex> lock(g_stagesLock);
  g_stages.*stage = Tick();
}

// A search as the user asked for it: the form as it was at the click or the Enter.
struct AskedSearch {
  SearchKind kind = SearchKind::FirstPage;
  std::string name, idNumber, code, page;
  HWND list = nullptr;
};

// The search asked last and not yet taken by a worker. Searches asked faster than the
// service answers replace each other here, so the one asked last is the one that runs
// last, and the list ends showing it.
std::mutex g_askedLock;
std::optional<AskedSearch> g_asked;
bool g_held = false;  // window thread only: a batch runs

// A result page's count, as the label under the list shows it.
std::string ResultCount(std::string_view page) {
  const std::string count = ResultPagerText(page) + kCountRight;
  std::lock_guard<std::mutex> lock(StateLock());
  AppState().resultCount = count;
  return count;
}

// The worker of both searches.
void RunAskedSearch() {
  std::optional<AskedSearch> asked;
  {
    std::lock_guard<std::mutex> lock(g_askedLock);
    asked.swap(g_asked);
  }
  if (!asked) return;  // an earlier worker ran this search already
  const double cpuAtStart = ThreadCpuSeconds();
  Stamp(&SearchStages::workerStarted);
  const SearchKind kind = asked->kind;
  const std::string& name = asked->name;
  const std::string encodedName = UrlEncode(name, false, /*utf8=*/true);
  const std::string code = FormValue(asked->code);
  // The page jump sends no ID number: its pages are those of the name alone.
  const std::string card = kind == SearchKind::FirstPage ? FormValue(asked->idNumber) : "";
  std::string body;
  if (kind == SearchKind::FirstPage) {
    body = "pName=" + encodedName + "&pCardNum=" + card + "&pProvince=0&pCode=" + code + "&captchaId=" + CaptchaId();
  } else {
    body = PageJumpBody(encodedName, "", code, asked->page);
  }
  ByteSet reply = HttpRequest(ServiceUrl("/findDisNew"), 1, body);
  Stamp(&SearchStages::replyEnd);
  SearchRecord record;
  record.atUtc = UtcStampNow();
  record.replySha256 = ReplyDigest(reply);
  record.name = name;
  record.idNumber = kind == SearchKind::FirstPage ? asked->idNumber : "";  // what was sent
  record.page = kind == SearchKind::FirstPage ? "1" : asked->page;
  // The page is read where it lies: the reply moves into the state, and its bytes stay put.
  const std::string_view page = ReplyPage(reply);
  const std::size_t replyBytes = reply.size();
  ApplicationState& state = AppState();
  {
    std::lock_guard<std::mutex> lock(StateLock());
    state.encodedName = encodedName;
    state.searchedName = name;
    state.searchCode = code;
    state.searchCard = card;
    if (kind == SearchKind::FirstPage) {
      state.firstSearchReply = std::move(reply);
      state.firstSearchText.reset();
    } else {
      state.pageJumpReply = std::move(reply);
      state.pageJumpText.reset();
    }
  }
  const auto finish = [&](long long SearchStages::*last) {
    Stamp(last);
    std::lock_guard<std::mutex> lock(g_stagesLock);
    g_stages.replyBytes = replyBytes;
    g_stages.workerCpuSeconds = ThreadCpuSeconds() - cpuAtStart;
  };

  // The list was emptied when this search was asked; a search that ran meanwhile may have
  // filled it since, so it is emptied again whatever this reply is.
  if (PageHolds(page, kCaptchaRefused)) {
    ListDeleteAllRows(asked->list);
    finish(&SearchStages::text);
    record.outcome = kOutcomeRefused;
    JournalSearch(record);
    ShowMessage(kCaptchaRefused, kTitleFail, MB_ICONERROR);
    return;
  }
  if (!IsResultPage(page)) {
    ListDeleteAllRows(asked->list);
    finish(&SearchStages::text);
    record.outcome = FailedOutcome(page.empty() ? "no reply from the service" : "not a result page");
    JournalSearch(record);
    ShowMessage(page.empty() ? kServiceUnreachable : kServiceUnexpected, kTitleFail, MB_ICONERROR);
    return;
  }
  const std::string count = ResultCount(page);
  Stamp(&SearchStages::text);
  // A later search replaces this reply only once it holds the network lock, which this
  // worker holds: the page's bytes stay valid to the end.
  WideRows rows = ScrapeResultRows(page);
  Stamp(&SearchStages::cells);
  record.outcome = rows.empty() ? kOutcomeNone : kOutcomeRows;
  record.total = AnnouncedTotal(ResultPagerText(page));
  record.rows = &rows;
  JournalSearch(record);  // before the rows move to the list
  record.rows = nullptr;
  // The count and the rows in one visit to the window thread, which may be busy painting:
  // the worker waits for it once, and both show in the same repaint.
  RunOnUiThread([&] {
    SetUnitText(ResultCountLabel(), count);
    ListReplaceRows(asked->list, std::move(rows));
  });
  finish(&SearchStages::rowsHanded);
}

void AskForSearch(SearchKind kind) {
  if (g_held) return;
  {
    std::lock_guard<std::mutex> lock(g_stagesLock);
    g_stages = SearchStages{};
  }
  Stamp(&SearchStages::asked);
  AskedSearch asked;
  asked.kind = kind;
  // Read and emptied here on the window thread, so that the worker goes straight to the
  // request.
  asked.list = ResultList();
  ListDeleteAllRows(asked.list);
  asked.name = GetUnitText(NameField());
  asked.code = GetUnitText(CaptchaCodeField());
  if (kind == SearchKind::PageJump) {
    asked.page = GetUnitText(PageNumberField());
  } else {
    asked.idNumber = GetUnitText(IdNumberField());
  }
  {
    std::lock_guard<std::mutex> lock(g_askedLock);
    g_asked = std::move(asked);
  }
  Stamp(&SearchStages::formRead);
  StartWorker<RunAskedSearch>();
}

}  // namespace

void FirstPageSearch() { AskForSearch(SearchKind::FirstPage); }
void PageJumpSearch() { AskForSearch(SearchKind::PageJump); }

void HoldUserSearches(bool held) {
  g_held = held;
  EnableWindow(QueryButton(), !held);
  EnableWindow(PageNumberField(), !held);
}

SearchStages LastSearchStages() {
  std::lock_guard<std::mutex> lock(g_stagesLock);
  return g_stages;
}

std::vector<ResultRow> ResultRows() {
  const auto cells = ListAllRows(ResultList(), 4);
  std::vector<ResultRow> rows(cells.size());
  for (size_t r = 0; r < cells.size(); ++r)
    for (size_t c = 0; c < 4 && c < cells[r].size(); ++c) rows[r][c] = cells[r][c];
  return rows;
}
