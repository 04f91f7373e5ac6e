#include "batch/batch_runner.h"

#include <algorithm>

#include "app/messages.h"
#include "app/search_page.h"
#include "runtime/gbk_text.h"
#include "web/text_ops.h"

namespace {

constexpr char kNoReply[] = "查询服务没有应答";
constexpr char kUnreadable[] = "查询服务的应答无法识别";
constexpr char kWrongPage[] = "查询服务给出的不是所要的页";

std::string Status(int status) { return "查询服务出错（HTTP " + std::to_string(status) + "）"; }

// What happened to one party, and whether the batch stops there.
enum class Ending { Done, Cancelled };

class Batch {
 public:
  Batch(const BatchServices& services, std::string code) : s_(services), code_(std::move(code)) {}

  Ending Check(const PartyQuery& party, PartyOutcome& outcome) {
    for (int page = 1; page <= std::min(std::max(outcome.totalPages, 1), kMostPagesPerParty);) {
      bool retried = false;
      for (;;) {
        if (!Pace()) return Ending::Cancelled;
        ResultPage result = ReadResultPage(s_.search(party, page, code_), page);
        last_ = s_.now();
        started_ = true;
        if (s_.cancelled()) return Ending::Cancelled;  // the user asked to stop: nothing more is kept
        if (result.kind == ResultPage::Kind::CaptchaRefused) {
          // The same request again with the new code: no party skipped, none checked twice.
          std::optional<std::string> code = s_.freshCode();
          if (!code || s_.cancelled()) return Ending::Cancelled;
          code_ = std::move(*code);
          continue;
        }
        if (result.kind == ResultPage::Kind::Failed) {
          if (!retried) {
            retried = true;
            if (!s_.wait(kPauseBeforeRetry)) return Ending::Cancelled;
            continue;
          }
          outcome.status = PartyStatus::Failed;
          outcome.reason = page > 1 ? "第 " + std::to_string(page) + " 页：" + result.reason : result.reason;
          return Ending::Done;
        }
        outcome.total = result.total;
        outcome.totalPages = result.totalPages;
        outcome.pagesFetched = page;
        for (FoundRow& row : result.rows) outcome.rows.push_back(std::move(row));
        break;
      }
      ++page;
    }
    outcome.status = outcome.total > 0 || !outcome.rows.empty() ? PartyStatus::Found : PartyStatus::NotFound;
    return Ending::Done;
  }

 private:
  // At least kPauseBetweenSearches from the end of one request to the start of the next, so
  // that the service too sees them a second apart, however long each took to arrive.
  bool Pace() {
    if (s_.cancelled()) return false;
    if (!started_) return true;
    const uint64_t since = s_.now() - last_;
    return since >= kPauseBetweenSearches || s_.wait(kPauseBetweenSearches - since);
  }

  const BatchServices& s_;
  std::string code_;
  uint64_t last_ = 0;
  bool started_ = false;
};

}  // namespace

ResultPage ReadResultPage(const SearchReply& reply, int pageNumber) {
  ResultPage result;
  if (reply.status == 0 && reply.page.empty()) {
    result.reason = kNoReply;
    return result;
  }
  if (PageHolds(reply.page, kCaptchaRefused)) {
    result.kind = ResultPage::Kind::CaptchaRefused;
    return result;
  }
  if (reply.status != 0 && reply.status != 200) {
    result.reason = Status(reply.status);
    return result;
  }
  // The pager: " 2/3 共23" for page 2 of 3 holding 23 results.
  const std::string pager = ResultPagerText(reply.page);
  const size_t slash = pager.find('/');
  const int total = FindText(pager, "共");
  if (slash == std::string::npos || total == kNotFound) {
    result.reason = kUnreadable;
    return result;
  }
  result.totalPages = ToInteger(pager.substr(slash + 1));
  result.total = ToInteger(pager.substr(static_cast<size_t>(total) + 1));
  // A page past the end comes back as the last one: its rows would be counted twice.
  if (result.totalPages > 0 && ToInteger(pager.substr(0, slash)) != pageNumber) {
    result.reason = kWrongPage;
    return result;
  }
  for (const ResultCells& cells : ScrapeResultRows(reply.page)) {
    const auto cell = [&](size_t c) { return c < cells.size() ? WideToGbk(cells[c]) : std::string(); };
    result.rows.push_back({cell(0), cell(1), cell(2), pageNumber});
  }
  result.kind = ResultPage::Kind::Rows;
  return result;
}

std::vector<PartyOutcome> RunBatch(const std::vector<PartyQuery>& parties, std::string code,
                                   const BatchServices& services) {
  std::vector<PartyOutcome> outcomes(parties.size());
  Batch batch(services, std::move(code));
  const uint64_t start = services.now();
  for (size_t i = 0; i < parties.size(); ++i) {
    const uint64_t elapsed = services.now() - start;
    // Each party takes at least the pause before its search; the first ones, being quick to
    // answer, would promise less than that.
    const uint64_t each = std::max(i ? elapsed / i : 0, kPauseBetweenSearches);
    services.progress({i, parties.size(), parties[i].name, elapsed, each * (parties.size() - i)});
    if (batch.Check(parties[i], outcomes[i]) == Ending::Cancelled) {
      outcomes[i] = PartyOutcome{};
      break;
    }
  }
  return outcomes;
}
