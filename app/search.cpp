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
#include "app/service.h"
#include "app/workers.h"
#include "journal/entry_text.h"
#include "runtime/units.h"
#include "web/http_request.h"
#include "web/markers.h"
#include "web/text_ops.h"
#include "web/url.h"

namespace {

constexpr char kNameLeft[] = "<td nowrap=\"nowrap\" align=\"left\"><a title=\"";
constexpr char kNameRight[] = "\">";
constexpr char kDateLeft[] = "<td align=\"center\">20";
constexpr char kCaseLeft[] = "<td nowrap=\"nowrap\" align=\"left\">";
constexpr char kCellRight[] = "</td>";
constexpr char kCountLeft[] = "type=\"text\" /> 页";
constexpr char kCountRight[] = "条";
constexpr char kDetailHint[] = "双击查看详情";

enum class SearchKind { FirstPage, PageJump };

// A page the service made from the search: it carries the pager's count or result rows.
bool IsResultPage(const std::string& page) {
  // Rows, when there are any, are found near the top; the pager only at the end.
  return FindText(page, kNameLeft, 1, true) != kNotFound || FindText(page, kCountLeft) != kNotFound;
}

// The name cell of a short name (<a title="王五">王五</a>) opens like a case-number cell and
// is short enough to pass its length rule; a cell whose text holds markup is no case number.
void DropMarkup(TextArray& items) {
  std::erase_if(items, [](const std::string& item) { return item.find('<') != std::string::npos; });
}

void FillRows(HWND list, const TextArray& names, const TextArray& dates, const TextArray& cases) {
  std::vector<std::vector<std::string>> rows;
  rows.reserve(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    // Lists of unequal length fill only the cells they have: no row borrows another's value.
    std::vector<std::string>& row = rows.emplace_back(1, names[i]);
    row.push_back(i < dates.size() ? dates[i] : std::string());
    if (i < cases.size()) {
      row.push_back(cases[i]);
      row.push_back(kDetailHint);
    }
  }
  ListReplaceRows(list, std::move(rows));
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
bool g_held = false;  // window thread only

// A result page's count, shown under the list.
void ShowResultCount(const std::string& page) {
  const std::string count = ResultPagerText(page) + kCountRight;
  {
    std::lock_guard<std::mutex> lock(StateLock());
    AppState().resultCount = count;
  }
  SetUnitText(ResultCountLabel(), count);
}

// The worker of both searches.
void RunAskedSearch() {
  std::optional<AskedSearch> asked;
  {
    std::lock_guard<std::mutex> lock(g_askedLock);
    asked.swap(g_asked);
  }
  if (!asked) return;  // an earlier worker ran this search already
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
  SearchRecord record;
  record.atUtc = UtcStampNow();
  record.replySha256 = ReplyDigest(reply);
  record.name = name;
  record.idNumber = kind == SearchKind::FirstPage ? asked->idNumber : "";  // what was sent
  record.page = kind == SearchKind::FirstPage ? "1" : asked->page;
  const std::string page = ReplyText(reply);
  ApplicationState& state = AppState();
  {
    std::lock_guard<std::mutex> lock(StateLock());
    state.encodedName = encodedName;
    state.searchedName = name;
    state.searchCode = code;
    state.searchCard = card;
    if (kind == SearchKind::FirstPage) {
      state.firstSearchReply = std::move(reply);
      state.firstSearchText = page;
    } else {
      state.pageJumpReply = std::move(reply);
      state.pageJumpText = page;
    }
  }

  // The list was emptied when this search was asked; a search that ran meanwhile may have
  // filled it since, so it is emptied again whatever this reply is.
  if (FindText(page, kCaptchaRefused) != kNotFound) {
    ListDeleteAllRows(asked->list);
    record.outcome = kOutcomeRefused;
    JournalSearch(record);
    ShowMessage(kCaptchaRefused, kTitleFail, MB_ICONERROR);
    return;
  }
  if (!IsResultPage(page)) {
    ListDeleteAllRows(asked->list);
    record.outcome = FailedOutcome(page.empty() ? "no reply from the service" : "not a result page");
    JournalSearch(record);
    ShowMessage(page.empty() ? kServiceUnreachable : kServiceUnexpected, kTitleFail, MB_ICONERROR);
    return;
  }
  ShowResultCount(page);

  TextArray names, dates, cases;
  ScrapeResultRows(page, names, dates, cases);
  FillRows(asked->list, names, dates, cases);
  record.outcome = names.empty() ? kOutcomeNone : kOutcomeRows;
  record.total = AnnouncedTotal(ResultPagerText(page));
  record.names = &names;
  record.dates = &dates;
  record.cases = &cases;
  JournalSearch(record);
  std::lock_guard<std::mutex> lock(StateLock());
  state.names = std::move(names);
  state.dates = std::move(dates);
  state.cases = std::move(cases);
}

void AskForSearch(SearchKind kind) {
  if (g_held) return;
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
  StartWorker<RunAskedSearch>();
}

}  // namespace

std::string PageJumpBody(const std::string& encodedName, const std::string& card, const std::string& code,
                         const std::string& page) {
  return "currentPage=" + FormValue(page) + "&pName=" + encodedName + "&pCardNum=" + card + "&pProvince=0&pCode=" +
         code + "&captchaId=" + CaptchaId();
}

void ScrapeResultRows(const std::string& page, TextArray& names, TextArray& dates, TextArray& cases) {
  TextBetweenAll(page, kNameLeft, kNameRight, names);
  TextBetweenAll(page, kDateLeft, kCellRight, dates, false, 18, "20");
  TextBetweenAll(page, kCaseLeft, kCellRight, cases, false, 26);
  DropMarkup(cases);
}

std::string ResultPagerText(const std::string& page) { return TextBetween(page, kCountLeft, kCountRight); }

void HoldUserSearches(bool held) {
  g_held = held;
  EnableWindow(QueryButton(), !held);
  EnableWindow(PageNumberField(), !held);
}

void FirstPageSearch() { AskForSearch(SearchKind::FirstPage); }
void PageJumpSearch() { AskForSearch(SearchKind::PageJump); }

std::vector<ResultRow> ResultRows() {
  const auto cells = ListAllRows(ResultList(), 4);
  std::vector<ResultRow> rows(cells.size());
  for (size_t r = 0; r < cells.size(); ++r)
    for (size_t c = 0; c < 4 && c < cells[r].size(); ++c) rows[r][c] = cells[r][c];
  return rows;
}
