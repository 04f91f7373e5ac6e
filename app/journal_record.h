#pragma once
// What the workers hand the journal: each search that reached the service (first page, page
// jump, export page) and each detail view. Texts arrive in the program's GBK and go to the
// journal in UTF-8. Worker threads; trouble with the journal never reaches the search.
#include <string>
#include <vector>

#include "web/types.h"

// The outcome words of the journal.
inline constexpr char kOutcomeRows[] = "rows";
inline constexpr char kOutcomeNone[] = "none";
inline constexpr char kOutcomeRefused[] = "refused-captcha";
std::string FailedOutcome(const std::string& reason);  // "failed: <reason>"

struct SearchRecord {
  std::string name, idNumber;  // GBK, as sent
  std::string page;            // the page asked for, as typed ("1" for a first search)
  std::string replySha256;     // ReplyDigest of the reply as received
  std::string atUtc;           // when the reply ended
  std::string outcome;
  long long total = -1;
  // The rows as shown: name, filing date and case number, each in UTF-16 (a row may be shorter).
  const std::vector<std::vector<std::wstring>>* rows = nullptr;
  bool shownInMain = true;     // its rows are the ones the main window shows (not an export)
};

// Writes the entry; returns its id, 0 when it was not written.
long long JournalSearch(const SearchRecord& search);
long long JournalDetail(const std::string& recordId, const std::string& caseNumber, const std::string& text,
                        const std::string& replySha256, const std::string& atUtc);

// The hex SHA-256 of a reply's bytes; empty when there was no reply.
std::string ReplyDigest(const ByteSet& reply);

// The journal entry of the search whose answer the main window shows; 0 when none (also
// after a refused or failed search).
long long ShownSearchEntry();
// After the journal was cleared: that entry is gone.
void ForgetShownSearch();

// The count a pager text announces (23 of " 2/3 共23"), -1 when it announces none.
long long AnnouncedTotal(const std::string& pagerText);

// Window thread, at start-up: journal notices become message boxes.
void InstallJournalNotice();
