#pragma once
// What the batch tells the user: the preview of a list, the refusals, the time a batch
// takes and the closing message.
#include <cstdint>
#include <string>

#include "batch/batch_report.h"
#include "batch/party_list.h"

// "45 秒", "3 分 20 秒", "1 小时 5 分".
std::wstring DurationText(uint64_t milliseconds);

// The time `parties` searches take at the least: one a second.
uint64_t LeastDuration(size_t parties);

// Why nothing starts ("" when the list can be checked).
std::wstring ListProblemText(const PartyList& list, const std::wstring& path);

// The question before a list of more than kPartiesWithoutAsking parties.
std::wstring LongListQuestion(const PartyList& list);

// Parties read, lines skipped by reason, duplicates, header, the least time.
std::wstring PreviewText(const PartyList& list);

struct BatchEnd {
  bool cancelled = false;
  StatusCounts counts;
  std::wstring report, foundRows;  // where they were written
  bool inDocuments = false;         // the list's folder could not be written
};
std::wstring ClosingText(const BatchEnd& end);
