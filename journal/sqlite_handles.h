#pragma once
// One owner each for a SQLite connection and a prepared statement.
#include <sqlite3.h>

#include <memory>
#include <string>

struct SqliteCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using UniqueSqlite = std::unique_ptr<sqlite3, SqliteCloser>;

struct StatementFinalizer {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using UniqueStatement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// A prepared statement with binding and reading by 1-based parameter / 0-based column.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK) stmt_.reset(s);
  }
  bool Ok() const { return stmt_ != nullptr; }
  // Texts end at their first NUL, as everywhere in the program.
  void Bind(int i, const std::string& text) { sqlite3_bind_text(stmt_.get(), i, text.c_str(), -1, SQLITE_TRANSIENT); }
  void Bind(int i, long long value) { sqlite3_bind_int64(stmt_.get(), i, value); }
  // Binds the values to ?1, ?2, ... in order.
  template <class... Values>
  void BindAll(const Values&... values) {
    int i = 0;
    (Bind(++i, values), ...);
  }
  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step() { return stmt_ ? sqlite3_step(stmt_.get()) : SQLITE_MISUSE; }
  void Reset() {
    sqlite3_reset(stmt_.get());
    sqlite3_clear_bindings(stmt_.get());
  }
  // A column read as text: integers in decimal, NULL as empty.
  std::string Text(int column) const {
    const auto* p = sqlite3_column_text(stmt_.get(), column);
    return p ? std::string(reinterpret_cast<const char*>(p), sqlite3_column_bytes(stmt_.get(), column)) : std::string();
  }
  long long Int(int column) const { return sqlite3_column_int64(stmt_.get(), column); }
  int Type(int column) const { return sqlite3_column_type(stmt_.get(), column); }

 private:
  UniqueStatement stmt_;
};
