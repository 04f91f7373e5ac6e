#include "journal/journal.h"

#include <windows.h>

#include "journal/chain.h"
#include "runtime/gbk_text.h"

namespace {
const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS searches(id INTEGER PRIMARY KEY, at_utc TEXT, name TEXT, id_number TEXT,"
    " host TEXT, page INTEGER, total INTEGER, outcome TEXT, reply_sha256 TEXT, chain_sha256 TEXT);"
    "CREATE TABLE IF NOT EXISTS result_rows(search_id INTEGER, row INTEGER, name TEXT, filed TEXT,"
    " case_number TEXT);"
    "CREATE TABLE IF NOT EXISTS details(id INTEGER PRIMARY KEY, at_utc TEXT, search_id INTEGER,"
    " record_id TEXT, case_number TEXT, text TEXT, reply_sha256 TEXT, chain_sha256 TEXT);"
    // The history window filters by date and opens an entry's rows and detail views.
    "CREATE INDEX IF NOT EXISTS searches_at_utc ON searches(at_utc);"
    "CREATE INDEX IF NOT EXISTS result_rows_search ON result_rows(search_id, row);"
    "CREATE INDEX IF NOT EXISTS details_search ON details(search_id);";

std::string CutAtNul(const std::string& s) { return s.substr(0, s.find('\0')); }

bool IsDamage(int code) {
  code &= 0xFF;
  return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

std::string Reason(sqlite3* db, int code) {
  std::string reason = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
  DWORD os = db ? static_cast<DWORD>(sqlite3_system_errno(db)) : 0;
  if (os != 0) reason += " (Windows error " + std::to_string(os) + ")";
  return reason;
}

// Opens the connection and brings the schema in; SQLITE_OK or the first error.
int Prepare(const std::wstring& path, UniqueSqlite& out, std::string& reason) {
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(WideToUtf8(path).c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  UniqueSqlite db(raw);
  if (rc != SQLITE_OK) {
    reason = Reason(raw, rc);
    return rc;
  }
  sqlite3_extended_result_codes(raw, 1);
  // Two running copies of the program write the same file: wait for the other's write.
  sqlite3_busy_timeout(raw, 5000);
  // FULL even in WAL mode: a committed entry survives a power cut, not only a killed process.
  const char* setup[] = {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", kSchema};
  for (const char* sql : setup) {
    rc = sqlite3_exec(raw, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      reason = Reason(raw, rc);
      return rc;
    }
  }
  // A damaged page elsewhere in the file shows only when read: look once at opening.
  Statement check(raw, "PRAGMA quick_check(1)");
  rc = check.Step();
  if (rc != SQLITE_ROW) {
    reason = Reason(raw, rc);
    return rc == SQLITE_DONE ? SQLITE_CORRUPT : rc;
  }
  if (check.Text(0) != "ok") {
    reason = check.Text(0);
    return SQLITE_CORRUPT;
  }
  out = std::move(db);
  return SQLITE_OK;
}

// Moves the damaged file (and its WAL and shared-memory files) to a free name beside it.
bool MoveAside(const std::wstring& path, std::wstring& copy) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t stamp[40];
  swprintf(stamp, 40, L".corrupt-%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
           now.wSecond);
  for (int n = 1; n < 100; ++n) {
    copy = path + stamp + (n > 1 ? L"-" + std::to_wstring(n) : L"");
    if (MoveFileExW(path.c_str(), copy.c_str(), 0)) {
      for (const wchar_t* side : {L"-wal", L"-shm"}) {
        if (!MoveFileExW((path + side).c_str(), (copy + side).c_str(), 0)) DeleteFileW((path + side).c_str());
      }
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

void CreateFolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos || slash == 0) return;
  const std::wstring folder = path.substr(0, slash);
  if (GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  CreateFolderOf(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
}
}  // namespace

Journal::OpenResult Journal::Open(const std::wstring& path) {
  OpenResult result;
  CreateFolderOf(path);
  UniqueSqlite db;
  int rc = Prepare(path, db, result.reason);
  if (IsDamage(rc)) {
    if (!MoveAside(path, result.corruptCopy)) {
      result.reason += "; the damaged file could not be renamed (Windows error " + std::to_string(GetLastError()) + ")";
      return result;
    }
    result.reason.clear();
    rc = Prepare(path, db, result.reason);
    if (rc == SQLITE_OK) result.how = Opened::kReplacedCorrupt;
  } else if (rc == SQLITE_OK) {
    result.how = Opened::kExisting;
  }
  if (rc == SQLITE_OK) result.journal.reset(new Journal(std::move(db)));
  return result;
}

bool Journal::Failed(const char* what) {
  lastError_ = std::string(what) + ": " + Reason(db_.get(), sqlite3_errcode(db_.get()));
  return false;
}

bool Journal::Exec(const char* sql) {
  return sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK || Failed(sql);
}

// IMMEDIATE: the last entry is read and the next one written under one write lock, so two
// processes never chain two entries to the same predecessor.
bool Journal::Begin() { return Exec("BEGIN IMMEDIATE"); }
bool Journal::Commit() { return Exec("COMMIT"); }
void Journal::Rollback() {
  if (!sqlite3_get_autocommit(db_.get())) sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

bool Journal::LastEntry(std::string& chain, long long& id) {
  chain = kChainStart;
  id = 0;
  for (const char* sql : {"SELECT id, chain_sha256 FROM searches ORDER BY id DESC LIMIT 1",
                          "SELECT id, chain_sha256 FROM details ORDER BY id DESC LIMIT 1"}) {
    Statement s(db_.get(), sql);
    const int rc = s.Step();
    if (rc == SQLITE_ROW && s.Int(0) > id) {
      id = s.Int(0);
      chain = s.Text(1);
    } else if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
      return Failed("reading the last entry");
    }
  }
  return true;
}

namespace {
// Texts are stored and hashed as the page shows them: up to their first NUL.
void CutTexts(SearchEntry& e) {
  for (std::string* s : {&e.atUtc, &e.name, &e.idNumber, &e.host, &e.outcome, &e.replySha256}) *s = CutAtNul(*s);
}
void CutTexts(DetailEntry& e) {
  for (std::string* s : {&e.atUtc, &e.recordId, &e.caseNumber, &e.text, &e.replySha256}) *s = CutAtNul(*s);
}
}  // namespace

template <class Entry, class Insert>
bool Journal::AddChained(Entry& entry, Insert insert) {
  std::lock_guard lock(mutex_);
  Entry e = entry;
  CutTexts(e);
  std::string previous;
  long long lastId = 0;
  if (!Begin()) return false;
  if (!LastEntry(previous, lastId)) return Rollback(), false;
  e.id = lastId + 1;
  e.chainSha256 = ChainHash(previous, e);
  if (!insert(e) || !Commit()) return Rollback(), false;
  entry = std::move(e);
  return true;
}

bool Journal::AddSearch(SearchEntry& entry) {
  return AddChained(entry, [this](const SearchEntry& e) {
    Statement insert(db_.get(),
                     "INSERT INTO searches(id, at_utc, name, id_number, host, page, total, outcome, reply_sha256,"
                     " chain_sha256) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    insert.BindAll(e.id, e.atUtc, e.name, e.idNumber, e.host, e.page, e.total, e.outcome, e.replySha256,
                   e.chainSha256);
    if (insert.Step() != SQLITE_DONE) return Failed("writing the search");
    Statement row(db_.get(),
                  "INSERT INTO result_rows(search_id, row, name, filed, case_number) VALUES(?1, ?2, ?3, ?4, ?5)");
    for (std::size_t i = 0; i < e.rows.size(); ++i) {
      row.Reset();
      row.BindAll(e.id, static_cast<long long>(i + 1), e.rows[i].name, e.rows[i].filed, e.rows[i].caseNumber);
      if (row.Step() != SQLITE_DONE) return Failed("writing a row");
    }
    return true;
  });
}

bool Journal::AddDetail(DetailEntry& entry) {
  return AddChained(entry, [this](const DetailEntry& e) {
    Statement insert(db_.get(),
                     "INSERT INTO details(id, at_utc, search_id, record_id, case_number, text, reply_sha256,"
                     " chain_sha256) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
    insert.BindAll(e.id, e.atUtc, e.searchId, e.recordId, e.caseNumber, e.text, e.replySha256, e.chainSha256);
    return insert.Step() == SQLITE_DONE || Failed("writing the detail");
  });
}

ChainReport Journal::CheckChain() {
  std::lock_guard lock(mutex_);
  ChainReport report;
  // Read as one snapshot, so that a write by another process does not land half-way.
  if (!Exec("BEGIN")) {
    report.error = lastError_;
    return report;
  }
  Statement s(db_.get(),
              "SELECT 'searches', id, at_utc, name, id_number, host, page, total, outcome, reply_sha256, chain_sha256"
              " FROM searches UNION ALL"
              " SELECT 'details', id, at_utc, record_id, case_number, text, search_id, NULL, NULL, reply_sha256,"
              " chain_sha256 FROM details ORDER BY 2");
  std::string previous = kChainStart;
  int rc;
  while ((rc = s.Step()) == SQLITE_ROW) {
    ++report.entries;
    const std::string table = s.Text(0);
    std::string expected;
    if (table == "searches") {
      SearchEntry e;
      e.atUtc = s.Text(2), e.name = s.Text(3), e.idNumber = s.Text(4), e.host = s.Text(5);
      e.page = s.Int(6), e.total = s.Int(7), e.outcome = s.Text(8), e.replySha256 = s.Text(9);
      // Page and total are written as integers: one edited into text or NULL counts as edited.
      const bool integers = s.Type(6) == SQLITE_INTEGER && s.Type(7) == SQLITE_INTEGER;
      expected = integers ? ChainHash(previous, e) : std::string();
    } else {
      DetailEntry e;
      e.atUtc = s.Text(2), e.recordId = s.Text(3), e.caseNumber = s.Text(4), e.text = s.Text(5);
      e.replySha256 = s.Text(9);
      expected = ChainHash(previous, e);
    }
    const std::string stored = s.Text(10);
    if (stored != expected) {
      report.table = table;
      report.id = s.Int(1);
      Rollback();
      return report;
    }
    previous = stored;
  }
  if (rc != SQLITE_DONE) report.error = Reason(db_.get(), rc);
  else report.holds = true;
  Rollback();
  return report;
}

bool Journal::Clear() {
  std::lock_guard lock(mutex_);
  if (!Begin()) return false;
  if (!Exec("DELETE FROM result_rows; DELETE FROM details; DELETE FROM searches;") || !Commit())
    return Rollback(), false;
  return true;
}

long long Journal::CountEntries() {
  std::lock_guard lock(mutex_);
  Statement s(db_.get(), "SELECT (SELECT count(*) FROM searches) + (SELECT count(*) FROM details)");
  return s.Step() == SQLITE_ROW ? s.Int(0) : -1;
}

std::vector<long long> Journal::FindSearches(const SearchFilter& filter) {
  std::lock_guard lock(mutex_);
  // Only the conditions asked for stand in the query, so that a date range can use its index
  // and the rows are scanned once, not once per search.
  std::vector<std::string> values;
  const auto parameter = [&values](std::string value) {
    values.push_back(std::move(value));
    return "?" + std::to_string(values.size());
  };
  std::string sql = "SELECT id FROM searches WHERE 1";
  if (!filter.fromUtc.empty()) sql += " AND at_utc >= " + parameter(filter.fromUtc);
  if (!filter.toUtc.empty()) sql += " AND at_utc < " + parameter(filter.toUtc);
  if (!filter.text.empty()) {
    std::string pattern = "%";
    for (char c : CutAtNul(filter.text)) {
      if (c == '%' || c == '_' || c == '\\') pattern += '\\';
      pattern += c;
    }
    const std::string like = " LIKE " + parameter(pattern + "%") + " ESCAPE '\\'";
    sql += " AND (name" + like + " OR id_number" + like + " OR id IN (SELECT search_id FROM result_rows WHERE name" +
           like + " OR case_number" + like + "))";
  }
  Statement s(db_.get(), (sql + " ORDER BY id DESC").c_str());
  for (std::size_t i = 0; i < values.size(); ++i) s.Bind(static_cast<int>(i + 1), values[i]);
  std::vector<long long> ids;
  while (s.Step() == SQLITE_ROW) ids.push_back(s.Int(0));
  return ids;
}

std::optional<SearchEntry> Journal::ReadSearch(long long id, bool withRows) {
  std::lock_guard lock(mutex_);
  Statement s(db_.get(),
              "SELECT at_utc, name, id_number, host, page, total, outcome, reply_sha256, chain_sha256"
              " FROM searches WHERE id = ?1");
  s.Bind(1, id);
  if (s.Step() != SQLITE_ROW) return std::nullopt;
  SearchEntry e;
  e.id = id;
  e.atUtc = s.Text(0), e.name = s.Text(1), e.idNumber = s.Text(2), e.host = s.Text(3);
  e.page = s.Int(4), e.total = s.Int(5);
  e.outcome = s.Text(6), e.replySha256 = s.Text(7), e.chainSha256 = s.Text(8);
  if (withRows) {
    Statement r(db_.get(), "SELECT name, filed, case_number FROM result_rows WHERE search_id = ?1 ORDER BY row");
    r.Bind(1, id);
    while (r.Step() == SQLITE_ROW) e.rows.push_back({r.Text(0), r.Text(1), r.Text(2)});
  }
  return e;
}

std::vector<DetailEntry> Journal::DetailsOf(long long searchId) {
  std::lock_guard lock(mutex_);
  Statement s(db_.get(),
              "SELECT id, at_utc, record_id, case_number, text, reply_sha256, chain_sha256 FROM details"
              " WHERE search_id = ?1 ORDER BY id");
  s.Bind(1, searchId);
  std::vector<DetailEntry> details;
  while (s.Step() == SQLITE_ROW) {
    DetailEntry d;
    d.id = s.Int(0), d.searchId = searchId;
    d.atUtc = s.Text(1), d.recordId = s.Text(2), d.caseNumber = s.Text(3), d.text = s.Text(4);
    d.replySha256 = s.Text(5), d.chainSha256 = s.Text(6);
    details.push_back(std::move(d));
  }
  return details;
}

void Journal::LimitPages(long long pages) {
  std::lock_guard lock(mutex_);
  Exec(("PRAGMA max_page_count=" + std::to_string(pages)).c_str());
}

std::string Journal::LastError() {
  std::lock_guard lock(mutex_);
  return lastError_;
}
