#pragma once
// The rules of a batch: one search at a time, at least a second apart; every page of a
// result up to kMostPagesPerParty; a refused captcha pauses on that party until a fresh
// code comes, then the same request again; a failed request once more after five seconds,
// then the party is marked failed and the batch goes on. The network, the clock and the
// user are reached through BatchServices, so the rules run the same under test.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/party_list.h"

inline constexpr int kMostPagesPerParty = 20;
inline constexpr uint64_t kPauseBetweenSearches = 1000;  // milliseconds
inline constexpr uint64_t kPauseBeforeRetry = 5000;

struct FoundRow {
  std::string name, date, caseNumber;
  int page = 0;
};

enum class PartyStatus { NotChecked, Found, NotFound, Failed };

struct PartyOutcome {
  PartyStatus status = PartyStatus::NotChecked;
  std::string reason;  // GBK, when failed
  long long total = 0;  // results the service counted
  int totalPages = 0, pagesFetched = 0;
  std::vector<FoundRow> rows;
};

struct BatchProgress {
  size_t party = 0, parties = 0;  // 0-based index of the party being checked, of how many
  std::string name;
  uint64_t elapsed = 0, remaining = 0;  // milliseconds; remaining is an estimate
};

// The reply to one request: the HTTP status (0 when no reply came) and the page as the
// service sent it (UTF-8, up to the first NUL).
struct SearchReply {
  int status = 0;
  std::string page;
};

struct BatchServices {
  // One request for `page` of the party's search.
  std::function<SearchReply(const PartyQuery& party, int page, const std::string& code)> search;
  std::function<uint64_t()> now;  // milliseconds on a steady clock
  // Waits, unless cancelled meanwhile; false when cancelled.
  std::function<bool(uint64_t milliseconds)> wait;
  // The captcha was refused: a fresh code from the user, nullopt when the user cancels.
  std::function<std::optional<std::string>()> freshCode;
  std::function<void(const BatchProgress&)> progress;
  std::function<bool()> cancelled;
};

// Checks the parties in order and returns one outcome for each; after a cancel the parties
// not finished are NotChecked.
std::vector<PartyOutcome> RunBatch(const std::vector<PartyQuery>& parties, std::string code,
                                   const BatchServices& services);

// What a result page says, for the request of page `page`.
struct ResultPage {
  enum class Kind { Rows, CaptchaRefused, Failed } kind = Kind::Failed;
  std::string reason;  // GBK, when failed
  long long total = 0;
  int totalPages = 0;
  std::vector<FoundRow> rows;
};
ResultPage ReadResultPage(const SearchReply& reply, int pageNumber);
