#pragma once
// The list of parties a batch checks, read from the bytes of a CSV or plain-text file.
#include <cstddef>
#include <string>
#include <vector>

// Longest name a list line may carry, in characters. The register's longest organisation
// names stay well below it; a longer cell is a sentence or a pasted paragraph, not a name.
inline constexpr size_t kLongestPartyName = 60;
// More parties than this are refused; more than kPartiesWithoutAsking ask first.
inline constexpr size_t kMostParties = 2000;
inline constexpr size_t kPartiesWithoutAsking = 200;
// Larger files are refused unread: 2,000 lines of names and numbers are far below it.
inline constexpr size_t kLargestListFile = 4u << 20;

// One search of the batch: a name and an optional ID number or organisation code (GBK).
struct PartyQuery {
  std::string name, id;
  bool operator==(const PartyQuery&) const = default;
};

enum class SkipReason { Empty, NameMissing, NameTooLong };

// One line (record) of the file that names a party.
struct ListLine {
  int lineNumber = 0;  // 1-based line of the file where the record starts
  PartyQuery input;    // as written, spaces trimmed
  size_t party = 0;    // index into PartyList::parties: duplicates share one
};

enum class ListProblem { None, Unreadable, Empty, Binary, TooLarge, NoParties, TooMany };

struct PartyList {
  ListProblem problem = ListProblem::None;
  enum class Encoding { Utf8, Gbk, Utf16 } encoding = Encoding::Utf8;
  bool headerSkipped = false;
  std::vector<ListLine> lines;        // in file order
  std::vector<PartyQuery> parties;    // each distinct party once, in order of first line
  size_t skippedEmpty = 0, skippedNameMissing = 0, skippedNameTooLong = 0;
  size_t DuplicateLines() const { return lines.size() - parties.size(); }
};

// Reads the file's bytes: UTF-8 (with or without a byte-order mark), else GBK, or UTF-16
// with its byte-order mark; CSV (RFC 4180 quoting, comma or tab between cells, the first
// two cells are name and ID) or one name a line; a header row is recognised and skipped.
PartyList ReadPartyList(const std::string& bytes);

// Reads the file; a file that cannot be opened or read gives ListProblem::Unreadable.
PartyList ReadPartyListFile(const std::wstring& path);
