// The batch's rules with a scripted service and a clock that never sleeps.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/messages.h"
#include "batch/batch_runner.h"
#include "web/codepage.h"

namespace {

// A result page shaped as the service makes it (UTF-8): rows, then the pager.
std::string ResultPageText(const std::string& name, int page, int pages, int total) {
  std::string html = "<table>";
  const int rows = pages == 0 ? 0 : (page < pages ? 10 : total - 10 * (pages - 1));
  for (int r = 1; r <= rows; ++r) {
    html += "<tr><td>" + std::to_string(r) + "</td><td nowrap=\"nowrap\" align=\"left\"><a title=\"" + name + "\">" +
            name + "</a></td><td align=\"center\">2019年03月05日</td><td nowrap=\"nowrap\" align=\"left\">（2019）京01执" +
            std::to_string(page * 100 + r) + "号</td></tr>";
  }
  return GbkToUtf8(html + "</table><input type=\"text\" /> 页 " + std::to_string(page) + "/" + std::to_string(pages) +
                   " 共" + std::to_string(total) + "条");
}

struct Request {
  std::string name;
  int page;
  std::string code;
  uint64_t at;
  bool operator==(const Request&) const = default;
};

// The register the fake service answers from, faults queued by (name, page), a clock
// moved only by waits and by each request's own duration.
struct FakeService {
  std::map<std::string, int> totals;
  std::map<std::pair<std::string, int>, std::deque<SearchReply>> faults;
  std::vector<Request> requests;
  std::vector<uint64_t> waits;
  uint64_t clock = 0;
  uint64_t requestTime = 150;
  std::deque<std::optional<std::string>> codes;  // answers to the captcha pause
  int pauses = 0;
  size_t cancelAfterRequests = 0;                // 0: never
  size_t cancelAtParty = 0;                      // 0: never; else at the progress of that party
  std::vector<BatchProgress> progress;

  SearchReply Search(const PartyQuery& party, int page, const std::string& code) {
    requests.push_back({party.name, page, code, clock});
    clock += requestTime;
    auto fault = faults.find({party.name, page});
    if (fault != faults.end() && !fault->second.empty()) {
      SearchReply reply = fault->second.front();
      fault->second.pop_front();
      return reply;
    }
    if (code != validCode) return {200, GbkToUtf8(std::string("<span>") + kCaptchaRefused + "</span>")};
    const int total = totals[party.name];
    const int pages = (total + 9) / 10;
    return {200, ResultPageText(party.name, pages ? page : 0, pages, total)};
  }

  BatchServices Services() {
    BatchServices s;
    s.search = [this](const PartyQuery& p, int page, const std::string& code) { return Search(p, page, code); };
    s.now = [this] { return clock; };
    s.wait = [this](uint64_t ms) {
      waits.push_back(ms);
      clock += ms;
      return !Cancelled();
    };
    s.freshCode = [this]() -> std::optional<std::string> {
      ++pauses;
      if (codes.empty()) return std::nullopt;
      std::optional<std::string> code = codes.front();
      codes.pop_front();
      if (code) validCode = *code;
      return code;
    };
    s.progress = [this](const BatchProgress& p) { progress.push_back(p); };
    s.cancelled = [this] { return Cancelled(); };
    return s;
  }
  bool Cancelled() const {
    return (cancelAfterRequests && requests.size() >= cancelAfterRequests) ||
           (cancelAtParty && progress.size() > cancelAtParty);
  }

  std::string validCode = "abcd";
};

std::vector<PartyQuery> Parties(std::initializer_list<const char*> names) {
  std::vector<PartyQuery> parties;
  for (const char* name : names) parties.push_back({name, ""});
  return parties;
}

const SearchReply kRefused{200, GbkToUtf8(std::string("<span>") + kCaptchaRefused + "</span>")};
const SearchReply kNoReply{0, ""};
const SearchReply kServerError{500, "<html>Internal Server Error</html>"};

}  // namespace

TEST(BatchRunner, EveryPageUpToTwentyOneSearchASecondApart) {
  FakeService service;
  service.totals = {{"王五", 2}, {"李明", 23}, {"大户", 350}};
  const auto parties = Parties({"王五", "李明", "无名氏", "大户"});
  const auto outcomes = RunBatch(parties, "abcd", service.Services());

  const struct {
    PartyStatus status;
    long long total;
    int pages, fetched;
    size_t rows;
  } expected[] = {{PartyStatus::Found, 2, 1, 1, 2},
                  {PartyStatus::Found, 23, 3, 3, 23},
                  {PartyStatus::NotFound, 0, 0, 1, 0},
                  {PartyStatus::Found, 350, 35, kMostPagesPerParty, 200}};
  ASSERT_EQ(outcomes.size(), 4u);
  for (size_t i = 0; i < outcomes.size(); ++i) {
    SCOPED_TRACE(parties[i].name);
    EXPECT_EQ(outcomes[i].status, expected[i].status);
    EXPECT_EQ(outcomes[i].total, expected[i].total);
    EXPECT_EQ(outcomes[i].totalPages, expected[i].pages);
    EXPECT_EQ(outcomes[i].pagesFetched, expected[i].fetched);
    EXPECT_EQ(outcomes[i].rows.size(), expected[i].rows);
  }
  EXPECT_EQ(outcomes[1].rows[22].page, 3);
  EXPECT_EQ(outcomes[1].rows[22].caseNumber, "（2019）京01执303号");
  EXPECT_EQ(outcomes[1].rows[22].date, "2019年03月05日");

  ASSERT_EQ(service.requests.size(), 1u + 3 + 1 + 20);
  EXPECT_EQ(service.requests[2], (Request{"李明", 2, "abcd", service.requests[2].at}));
  for (size_t i = 1; i < service.requests.size(); ++i)
    EXPECT_EQ(service.requests[i].at - service.requests[i - 1].at, service.requestTime + kPauseBetweenSearches) << i;
  EXPECT_EQ(service.requests[0].at, 0u);  // the first search waits for nothing

  // Progress before each party; the time left is a second a party at the least.
  ASSERT_EQ(service.progress.size(), 4u);
  EXPECT_EQ(service.progress[0].remaining, 4 * kPauseBetweenSearches);
  EXPECT_EQ(service.progress[2].name, "无名氏");
  EXPECT_EQ(service.progress[2].party, 2u);
  EXPECT_EQ(service.progress[1].remaining, 3 * kPauseBetweenSearches);  // 王五 took 150 ms
  EXPECT_EQ(service.progress[2].remaining, service.progress[2].elapsed);  // two done, two left
}

TEST(BatchRunner, RefusedCaptchaPausesAndRetriesTheSameRequest) {
  FakeService service;
  service.totals = {{"王五", 2}, {"李明", 23}, {"赵建国", 3}};
  service.faults[{"李明", 2}] = {kRefused};
  service.codes = {"wxyz"};
  const auto outcomes = RunBatch(Parties({"王五", "李明", "赵建国"}), "abcd", service.Services());

  EXPECT_EQ(service.pauses, 1);
  std::vector<std::pair<std::string, int>> asked;
  for (const Request& r : service.requests) asked.push_back({r.name + "/" + r.code, r.page});
  const std::vector<std::pair<std::string, int>> expected = {
      {"王五/abcd", 1}, {"李明/abcd", 1}, {"李明/abcd", 2}, {"李明/wxyz", 2}, {"李明/wxyz", 3}, {"赵建国/wxyz", 1}};
  EXPECT_EQ(asked, expected);
  EXPECT_EQ(outcomes[1].rows.size(), 23u);  // none of the refused page's rows, none twice
  EXPECT_EQ(outcomes[2].status, PartyStatus::Found);
}

TEST(BatchRunner, FailedRequestRetriedOnceAfterFiveSecondsThenMarked) {
  const struct {
    const char* what;
    std::deque<SearchReply> faults;
    PartyStatus status;
    const char* reason;
    size_t requests;
  } cases[] = {
      {"once", {kNoReply}, PartyStatus::Found, "", 3},
      {"no reply twice", {kNoReply, kNoReply}, PartyStatus::Failed, "查询服务没有应答", 3},
      {"server error twice", {kServerError, kServerError}, PartyStatus::Failed, "查询服务出错（HTTP 500）", 3},
      {"garbled twice", {{200, "<html>busy</html>"}, {200, "x"}}, PartyStatus::Failed, "查询服务的应答无法识别", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeService service;
    service.totals = {{"王五", 2}, {"李明", 5}, {"赵建国", 3}};
    service.faults[{"李明", 1}] = c.faults;
    const auto outcomes = RunBatch(Parties({"王五", "李明", "赵建国"}), "abcd", service.Services());
    EXPECT_EQ(outcomes[1].status, c.status);
    EXPECT_EQ(outcomes[1].reason, c.reason);
    EXPECT_EQ(outcomes[0].status, PartyStatus::Found);
    EXPECT_EQ(outcomes[2].status, PartyStatus::Found);
    EXPECT_EQ(service.requests.size(), c.requests + 1);
    EXPECT_EQ(std::count(service.waits.begin(), service.waits.end(), kPauseBeforeRetry), 1);
    EXPECT_EQ(service.requests[2].at - service.requests[1].at, service.requestTime + kPauseBeforeRetry);
  }
  // A later page that fails says which.
  FakeService service;
  service.totals = {{"李明", 23}};
  service.faults[{"李明", 3}] = {kNoReply, kNoReply};
  const auto outcomes = RunBatch(Parties({"李明"}), "abcd", service.Services());
  EXPECT_EQ(outcomes[0].status, PartyStatus::Failed);
  EXPECT_EQ(outcomes[0].reason, "第 3 页：查询服务没有应答");
  EXPECT_EQ(outcomes[0].pagesFetched, 2);
}

TEST(BatchRunner, CancelLeavesTheRestUnchecked) {
  const struct {
    const char* what;
    size_t atParty, afterRequests;
    std::deque<std::optional<std::string>> codes;
  } cases[] = {
      {"after two parties", 2, 0, {}},
      {"while a page of the third is on its way", 0, 4, {}},  // 李明's second page: not kept
      {"at the captcha pause", 0, 0, {std::nullopt}},
  };
  const size_t done = 2;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeService service;
    service.totals = {{"王五", 2}, {"李明", 23}, {"赵建国", 3}};
    service.cancelAtParty = c.atParty;
    service.cancelAfterRequests = c.afterRequests;
    service.codes = c.codes;
    if (!c.codes.empty()) service.faults[{"李明", 1}] = {kRefused};
    const auto outcomes = RunBatch(Parties({"王五", "赵建国", "李明", "孙志强"}), "abcd", service.Services());
    ASSERT_EQ(outcomes.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(outcomes[i].status == PartyStatus::NotChecked, i >= done) << i;
    for (size_t i = done; i < 4; ++i) EXPECT_TRUE(outcomes[i].rows.empty()) << i;
  }
}

TEST(BatchRunner, ResultPagesAreReadByTheirMarkers) {
  const struct {
    const char* what;
    SearchReply reply;
    int page;
    ResultPage::Kind kind;
    long long total;
    size_t rows;
  } cases[] = {
      {"rows", {200, ResultPageText("王五", 1, 1, 2)}, 1, ResultPage::Kind::Rows, 2, 2},
      {"no result", {200, ResultPageText("x", 0, 0, 0)}, 1, ResultPage::Kind::Rows, 0, 0},
      {"refused, also with an error status", {403, GbkToUtf8(std::string("<b>") + kCaptchaRefused)}, 1,
       ResultPage::Kind::CaptchaRefused, 0, 0},
      {"not the page asked for", {200, ResultPageText("李明", 3, 3, 23)}, 4, ResultPage::Kind::Failed, 23, 0},
      {"no pager", {200, "<td nowrap=\"nowrap\" align=\"left\"><a title=\"x\">"}, 1, ResultPage::Kind::Failed, 0, 0},
      {"a status that is not 200", {502, ResultPageText("王五", 1, 1, 2)}, 1, ResultPage::Kind::Failed, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ResultPage page = ReadResultPage(c.reply, c.page);
    EXPECT_EQ(page.kind, c.kind);
    EXPECT_EQ(page.total, c.total);
    EXPECT_EQ(page.rows.size(), c.rows);
    EXPECT_EQ(page.reason.empty(), c.kind != ResultPage::Kind::Failed);
  }
}
