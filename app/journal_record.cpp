#include "app/journal_record.h"

#include <atomic>
#include <cctype>

#include "app/service.h"
#include "journal/program_journal.h"
#include "journal/sha256.h"
#include "runtime/gbk_text.h"
#include "runtime/ui_thread.h"
#include "runtime/units.h"
#include "web/codepage.h"
#include "web/text_ops.h"

namespace {
std::atomic<long long> g_shown{0};

long long PageNumber(const std::string& text) {
  long long n = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c)) || n > 100000000) return n;
    n = n * 10 + (c - '0');
  }
  return n;
}

// Posted, not waited for: the worker that met the trouble goes on with its search.
void ShowNotice(const std::string& text) {
  PostToUiThread([text] { ShowMessage(text, "提示：", MB_ICONWARNING); });
}
}  // namespace

std::string ReplyDigest(const ByteSet& reply) {
  return reply.empty() ? std::string() : Sha256Hex(reply.data(), reply.size());
}

std::string FailedOutcome(const std::string& reason) { return "failed: " + reason; }

long long AnnouncedTotal(const std::string& pagerText) {
  // " 2/3 共23": the count follows 共.
  const int at = FindText(pagerText, "共");  // steps over GBK characters whole
  if (at == kNotFound) return -1;
  long long n = -1;
  for (size_t i = static_cast<size_t>(at) - 1 + std::string("共").size(); i < pagerText.size(); ++i) {
    const char c = pagerText[i];
    if (c == ' ' && n < 0) continue;
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    n = (n < 0 ? 0 : n) * 10 + (c - '0');
    if (n > 1000000000) return -1;
  }
  return n;
}

long long JournalSearch(const SearchRecord& s) {
  SearchEntry e;
  e.atUtc = s.atUtc;
  e.name = GbkToUtf8(s.name);
  e.idNumber = GbkToUtf8(s.idNumber);
  e.host = ServiceHost();
  e.page = PageNumber(s.page);
  e.total = s.total;
  e.outcome = s.outcome;
  e.replySha256 = s.replySha256;
  if (s.rows) {
    for (const std::vector<std::wstring>& cells : *s.rows) {
      const auto cell = [&](size_t c) { return c < cells.size() ? WideToUtf8(cells[c]) : std::string(); };
      e.rows.push_back(JournalRow{cell(0), cell(1), cell(2)});
    }
  }
  const long long id = RecordSearch(e) ? e.id : 0;
  // A receipt proves a check that gave an answer: a refused or failed search has none.
  const bool answered = s.outcome == kOutcomeRows || s.outcome == kOutcomeNone;
  if (s.shownInMain) g_shown = answered ? id : 0;
  return id;
}

long long JournalDetail(const std::string& recordId, const std::string& caseNumber, const std::string& text,
                        const std::string& replySha256, const std::string& atUtc) {
  DetailEntry d;
  d.atUtc = atUtc;
  d.searchId = g_shown;
  d.recordId = GbkToUtf8(recordId);
  d.caseNumber = GbkToUtf8(caseNumber);
  d.text = GbkToUtf8(text);
  d.replySha256 = replySha256;
  return RecordDetail(d) ? d.id : 0;
}

long long ShownSearchEntry() { return g_shown; }
void ForgetShownSearch() { g_shown = 0; }

void InstallJournalNotice() { SetJournalNotice(&ShowNotice); }
