// The search form, sent as a first-page search or a page jump, and the scraping of the
// result page into the result list.
#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/main_units.h"
#include "app/messages.h"
#include "app/routines.h"
#include "app/search_page.h"
#include "app/service.h"
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
  return FindText(page, kCountLeft) != kNotFound || FindText(page, kNameLeft, 1, true) != kNotFound;
}

// The name cell of a short name (<a title="王五">王五</a>) opens like a case-number cell and
// is short enough to pass its length rule; a cell whose text holds markup is no case number.
void DropMarkup(TextArray& items) {
  std::erase_if(items, [](const std::string& item) { return item.find('<') != std::string::npos; });
}

void FillRows(const TextArray& names, const TextArray& dates, const TextArray& cases) {
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
  ListAppendRows(MainUnit("超级列表框1"), rows);
}

void Search(SearchKind kind) {
  ListDeleteAllRows(MainUnit("超级列表框1"));
  const std::string name = GetUnitText(MainUnit("Name"));
  const std::string encodedName = UrlEncode(name, false, /*utf8=*/true);
  const std::string code = FormValue(GetUnitText(MainUnit("Code")));
  // The page jump sends no ID number: its pages are those of the name alone.
  const std::string card = kind == SearchKind::FirstPage ? FormValue(GetUnitText(MainUnit("IDNum"))) : "";
  std::string body;
  if (kind == SearchKind::FirstPage) {
    body = "pName=" + encodedName + "&pCardNum=" + card + "&pProvince=0&pCode=" + code + "&captchaId=" + CaptchaId();
  } else {
    body = PageJumpBody(encodedName, "", code, GetUnitText(MainUnit("跳转页码")));
  }
  ByteSet reply = HttpRequest(ServiceUrl("/findDisNew"), 1, body);
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

  if (FindText(page, kCaptchaRefused) != kNotFound) {
    ShowMessage(kCaptchaRefused, kTitleFail, MB_ICONERROR);
    return;
  }
  if (!IsResultPage(page)) {
    ShowMessage(page.empty() ? kServiceUnreachable : kServiceUnexpected, kTitleFail, MB_ICONERROR);
    return;
  }
  ShowResultCount(page);

  TextArray names, dates, cases;
  ScrapeResultRows(page, names, dates, cases);
  FillRows(names, dates, cases);
  std::lock_guard<std::mutex> lock(StateLock());
  state.names = std::move(names);
  state.dates = std::move(dates);
  state.cases = std::move(cases);
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

void FirstPageSearch() { Search(SearchKind::FirstPage); }
void PageJumpSearch() { Search(SearchKind::PageJump); }

void ShowResultCount(const std::string& page) {
  const std::string count = ResultPagerText(page) + kCountRight;
  {
    std::lock_guard<std::mutex> lock(StateLock());
    AppState().resultCount = count;
  }
  SetUnitText(MainUnit("透明标签4"), count);
}
