// Writes a small journal through the program's own store, for the checks that read the file
// from outside the program (the chain script, the sqlite3 tool): three searches, one with
// texts GBK cannot hold, and a detail view. Usage: journal_sample <file>
#include <windows.h>

#include <cstdio>

#include "journal/journal.h"
#include "journal/sha256.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  DeleteFileW(argv[1]);
  auto opened = Journal::Open(argv[1]);
  if (!opened.journal) {
    std::printf("cannot open: %s\n", opened.reason.c_str());
    return 1;
  }
  const char* names[] = {"张三", "O'Brien \"Ltd\"\r\nline two", "\xF0\xA0\x80\x80\xE4\xB6\xAE"};
  long long page = 1;
  for (const char* name : names) {
    SearchEntry e;
    e.atUtc = "2026-12-09T08:00:00.000Z";
    e.name = name;
    e.idNumber = "110101199003077777";
    e.host = "127.0.0.1:8080";
    e.page = page++;
    e.total = page == 3 ? -1 : 12;
    e.outcome = page == 3 ? "none" : "rows";
    e.replySha256 = Sha256Hex(std::string(name));
    e.rows = {{name, "2019-01-02", "(2019)京01执1号"}};
    if (!opened.journal->AddSearch(e)) return 1;
  }
  DetailEntry d;
  d.atUtc = "2026-12-09T08:01:00.000Z";
  d.searchId = 1;
  d.recordId = "1234";
  d.caseNumber = "(2019)京01执1号";
  d.text = "姓名：张三\r\n年龄：30\r\n";
  return opened.journal->AddDetail(d) ? 0 : 1;
}
