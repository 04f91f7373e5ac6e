#pragma once
// The search journal: a SQLite file holding every search that reached the service, its rows,
// and every detail view, each entry chained to the one written before it.
//
// Searches and details take their ids from one shared sequence (the next id is one above the
// highest of both tables, taken inside the write transaction), so "the order written" is the
// order of ids across both tables, which a reader of the file can see without this program.
//
// Every call is safe from any thread: one connection, one lock. Another process may write the
// same file at the same time; its writes wait for ours through SQLite's busy timeout.
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "journal/entry.h"
#include "journal/sqlite_handles.h"

struct ChainReport {
  bool holds = false;       // every entry matches the rule
  long long entries = 0;    // entries walked
  std::string table;        // "searches" or "details": the first entry that does not hold
  long long id = 0;
  std::string error;        // set when the file could not be read at all
};

struct SearchFilter {
  std::string text;     // UTF-8; matched in name, ID number, and the rows' names and case numbers
  std::string fromUtc;  // at_utc >= this, when not empty
  std::string toUtc;    // at_utc < this, when not empty
};

class Journal {
 public:
  enum class Opened { kExisting, kReplacedCorrupt, kFailed };
  struct OpenResult {
    std::unique_ptr<Journal> journal;  // null when kFailed
    Opened how = Opened::kFailed;
    std::wstring corruptCopy;  // where the damaged file went (kReplacedCorrupt)
    std::string reason;        // why it failed (kFailed), UTF-8
  };
  // Opens or creates the file; creates the folder it lies in. A file SQLite finds damaged is
  // renamed aside to <path>.corrupt-<local date-time> and a new journal started.
  static OpenResult Open(const std::wstring& path);

  // Each writes the entry with its rows in one transaction, filling in id and chainSha256.
  // Texts are cut at their first NUL before anything is hashed or stored. False on failure
  // (LastError says why); nothing of the entry is then stored.
  bool AddSearch(SearchEntry& entry);
  bool AddDetail(DetailEntry& entry);

  ChainReport CheckChain();
  // Empties every table; the next entry starts a new chain. False on failure.
  bool Clear();
  long long CountEntries();

  // Ids of the searches that match, newest first.
  std::vector<long long> FindSearches(const SearchFilter& filter);
  std::optional<SearchEntry> ReadSearch(long long id, bool withRows = true);
  std::vector<DetailEntry> DetailsOf(long long searchId);

  // Caps the file at `pages` pages for this connection (a full disk, for tests).
  void LimitPages(long long pages);
  std::string LastError();

 private:
  explicit Journal(UniqueSqlite db) : db_(std::move(db)) {}
  bool Exec(const char* sql);
  bool Begin();
  bool Commit();
  void Rollback();
  // The chain value and id of the entry written last (the start value and 0 when none).
  bool LastEntry(std::string& chain, long long& id);
  bool Failed(const char* what);
  // The steps every entry shares: in one transaction, the next id and the chain value from
  // the entry written last, then `insert` (which stores the entry and its rows, false on
  // failure), then commit; `entry` is filled in only when all of it holds.
  template <class Entry, class Insert>
  bool AddChained(Entry& entry, Insert insert);

  std::mutex mutex_;
  UniqueSqlite db_;
  std::string lastError_;
};
