#pragma once
// The journal's entries as the program hands them over and reads them back. Every text is
// UTF-8 (the journal's own form, so that characters GBK cannot hold survive); the program
// converts its GBK texts at the boundary.
#include <string>
#include <vector>

struct JournalRow {
  std::string name, filed, caseNumber;
};

struct SearchEntry {
  long long id = 0;            // given by the journal when written
  std::string atUtc;           // YYYY-MM-DDTHH:MM:SS.mmmZ, when the reply ended
  std::string name, idNumber;  // as typed
  std::string host;            // host[:port] of the service
  long long page = 1;
  long long total = -1;        // the count the page announced, -1 when none
  std::string outcome;         // rows | none | refused-captcha | failed: <reason>
  std::string replySha256;     // of the reply bytes as received; empty without a reply
  std::string chainSha256;     // given by the journal when written
  std::vector<JournalRow> rows;
};

struct DetailEntry {
  long long id = 0;
  std::string atUtc;
  long long searchId = 0;  // the search whose row was opened; 0 when none is known
  std::string recordId, caseNumber;
  std::string text;  // the twelve lines as shown
  std::string replySha256;
  std::string chainSha256;
};
