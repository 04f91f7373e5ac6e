// The journal store: the chain and its check, concurrent writers, files that cannot be
// opened or are damaged, a full disk, texts that must come back unchanged, and masking.
// Built with UTF-8 narrow literals (see CMakeLists.txt): UTF-8 is the journal's own form.
#include <gtest/gtest.h>
#include <windows.h>

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "journal/chain.h"
#include "journal/entry_text.h"
#include "journal/journal.h"
#include "journal/program_journal.h"
#include "journal/sha256.h"

namespace fs = std::filesystem;

namespace {
// A fresh, empty folder in the temporary directory.
fs::path Scratch(const std::string& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const fs::path folder = fs::path(temp) / ("veradin-journal-" + name);
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder);
  return folder;
}

SearchEntry Search(const std::string& name, long long page = 1) {
  SearchEntry e;
  e.atUtc = "2026-12-09T08:00:0" + std::to_string(page) + ".123Z";
  e.name = name;
  e.idNumber = "110101199003077777";
  e.host = "127.0.0.1:8080";
  e.page = page;
  e.total = 3;
  e.outcome = "rows";
  e.replySha256 = Sha256Hex(name);
  e.rows = {{name, "2019-01-02", "(2019)京01执1号"}, {name + "2", "2019-01-03", "(2019)京01执2号"}};
  return e;
}

DetailEntry Detail(long long searchId) {
  DetailEntry d;
  d.atUtc = "2026-12-09T08:01:00.000Z";
  d.searchId = searchId;
  d.recordId = "1234";
  d.caseNumber = "(2019)京01执1号";
  d.text = "姓名：张三\r\n年龄：30\r\n";
  d.replySha256 = Sha256Hex(std::string("{}x"));
  return d;
}

std::unique_ptr<Journal> OpenOk(const fs::path& file) {
  auto opened = Journal::Open(file.wstring());
  EXPECT_NE(opened.how, Journal::Opened::kFailed) << opened.reason;
  return std::move(opened.journal);
}

// Three searches and a detail view of the second: ids 1, 2, 3 (searches) and 4 (detail).
void WriteSample(Journal& journal) {
  for (const char* name : {"张三", "李四", "王五"}) {
    SearchEntry e = Search(name);
    ASSERT_TRUE(journal.AddSearch(e)) << journal.LastError();
  }
  DetailEntry d = Detail(2);
  ASSERT_TRUE(journal.AddDetail(d)) << journal.LastError();
}

void RawSql(const fs::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(reinterpret_cast<const char*>(file.u8string().c_str()), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}
}  // namespace

TEST(JournalSha256, MatchesKnownDigests) {
  EXPECT_EQ(Sha256Hex(std::string()), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Hex(std::string("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(JournalChain, FreshJournalHoldsAndEachEntryChainsToThePrevious) {
  const fs::path file = Scratch("chain") / "journal.db";
  auto journal = OpenOk(file);
  ASSERT_TRUE(journal);
  WriteSample(*journal);
  const ChainReport report = journal->CheckChain();
  EXPECT_TRUE(report.holds);
  EXPECT_EQ(report.entries, 4);
  // The rule, spelt out once for the first entry: 64 zeros, then the fields line by line.
  const auto first = journal->ReadSearch(1);
  ASSERT_TRUE(first);
  const std::string text = std::string(64, '0') + "\n2026-12-09T08:00:01.123Z\n" + first->name +
                           "\n110101199003077777\n127.0.0.1:8080\n1\n3\nrows\n" + first->replySha256;
  EXPECT_EQ(first->chainSha256, Sha256Hex(text));
  const auto details = journal->DetailsOf(2);
  ASSERT_EQ(details.size(), 1u);
  EXPECT_EQ(details[0].id, 4);
  EXPECT_EQ(details[0].chainSha256, ChainHash(journal->ReadSearch(3)->chainSha256, details[0]));
}

TEST(JournalChain, CheckNamesTheFirstEntryEditedBehindItsBack) {
  struct Case {
    const char* edit;
    const char* table;
    long long id;
  } cases[] = {
      {"UPDATE searches SET name = '张三丰' WHERE id = 2", "searches", 2},
      {"UPDATE searches SET total = 4 WHERE id = 3", "searches", 3},
      {"UPDATE searches SET total = NULL WHERE id = 1", "searches", 1},
      {"UPDATE details SET text = 'x' WHERE id = 4", "details", 4},
      {"UPDATE result_rows SET name = 'x'; UPDATE searches SET outcome = 'none' WHERE id = 1", "searches", 1},
      {"DELETE FROM searches WHERE id = 2", "searches", 3},  // the one after the gap
      {"UPDATE searches SET chain_sha256 = upper(chain_sha256) WHERE id = 1", "searches", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.edit);
    const fs::path file = Scratch("tamper") / "journal.db";
    {
      auto journal = OpenOk(file);
      ASSERT_TRUE(journal);
      WriteSample(*journal);
    }
    RawSql(file, c.edit);
    auto journal = OpenOk(file);
    ASSERT_TRUE(journal);
    const ChainReport report = journal->CheckChain();
    EXPECT_FALSE(report.holds);
    EXPECT_EQ(report.table, c.table);
    EXPECT_EQ(report.id, c.id);
  }
}

TEST(JournalChain, ClearingStartsANewChain) {
  auto journal = OpenOk(Scratch("clear") / "journal.db");
  ASSERT_TRUE(journal);
  WriteSample(*journal);
  EXPECT_EQ(journal->CountEntries(), 4);
  ASSERT_TRUE(journal->Clear());
  EXPECT_EQ(journal->CountEntries(), 0);
  SearchEntry e = Search("赵六");
  ASSERT_TRUE(journal->AddSearch(e));
  EXPECT_EQ(e.id, 1);
  EXPECT_EQ(e.chainSha256, ChainHash(kChainStart, e));
  EXPECT_TRUE(journal->CheckChain().holds);
}

// Two programs writing at once: two connections to one file, each from its own thread.
TEST(JournalWriters, TwoConnectionsWritingAtOnceKeepOneUnbrokenChain) {
  const fs::path file = Scratch("writers") / "journal.db";
  auto a = OpenOk(file);
  auto b = OpenOk(file);
  ASSERT_TRUE(a && b);
  constexpr int kEach = 25;
  int failures = 0;
  auto write = [&failures](Journal& j, const std::string& who) {
    for (int i = 0; i < kEach; ++i) {
      SearchEntry e = Search(who + std::to_string(i), i % 3 + 1);
      if (!j.AddSearch(e)) ++failures;
      if (i % 5 == 0) {
        DetailEntry d = Detail(e.id);
        if (!j.AddDetail(d)) ++failures;
      }
    }
  };
  std::thread ta(write, std::ref(*a), "甲");
  std::thread tb(write, std::ref(*b), "乙");
  ta.join();
  tb.join();
  EXPECT_EQ(failures, 0) << a->LastError() << b->LastError();
  EXPECT_EQ(a->CountEntries(), 2 * (kEach + 5));
  const ChainReport report = b->CheckChain();
  EXPECT_TRUE(report.holds) << report.table << " " << report.id;
  EXPECT_EQ(report.entries, 2 * (kEach + 5));
}

TEST(JournalFiles, AJournalThatCannotBeOpenedSaysWhy) {
  const fs::path folder = Scratch("unwritable");
  std::ofstream(folder / "file") << "not a folder";
  fs::create_directories(folder / "journal.db");
  // A folder in the way of the file, and a file in the way of the folder. (A folder without
  // write permission cannot be made here: Wine runs as root, whom permissions do not stop.)
  for (const fs::path& path : {folder / "journal.db", folder / "file" / "Veradin" / "journal.db"}) {
    SCOPED_TRACE(path.string());
    const auto opened = Journal::Open(path.wstring());
    EXPECT_EQ(opened.how, Journal::Opened::kFailed);
    EXPECT_FALSE(opened.journal);
    EXPECT_FALSE(opened.reason.empty());
  }
}

TEST(JournalFiles, ADamagedFileIsMovedAsideAndANewJournalStarted) {
  struct Case {
    const char* what;
    bool keepHeader;  // a real journal with a page overwritten, else not a database at all
  } cases[] = {{"garbage", false}, {"damaged page", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = Scratch("corrupt");
    const fs::path file = folder / "journal.db";
    if (c.keepHeader) {
      {
        auto journal = OpenOk(file);
        ASSERT_TRUE(journal);
        for (int i = 0; i < 40; ++i) {
          SearchEntry e = Search(std::string(200, 'a' + i % 26));
          ASSERT_TRUE(journal->AddSearch(e));
        }
      }
      std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
      f.seekp(4096);  // page 2 from its header on
      const std::string junk(3000, '\x5A');
      f.write(junk.data(), static_cast<std::streamsize>(junk.size()));
    } else {
      std::ofstream(file, std::ios::binary) << std::string(8192, 'x');
    }
    const auto before = fs::file_size(file);
    auto opened = Journal::Open(file.wstring());
    ASSERT_EQ(opened.how, Journal::Opened::kReplacedCorrupt) << opened.reason;
    ASSERT_TRUE(opened.journal);
    EXPECT_NE(opened.corruptCopy.find(L"journal.db.corrupt-"), std::wstring::npos);
    EXPECT_EQ(fs::file_size(opened.corruptCopy), before);  // kept whole for a closer look
    EXPECT_EQ(opened.journal->CountEntries(), 0);
    SearchEntry e = Search("新");
    EXPECT_TRUE(opened.journal->AddSearch(e));
  }
}

TEST(JournalFiles, AFullDiskLosesOnlyTheEntryBeingWritten) {
  auto journal = OpenOk(Scratch("full") / "journal.db");
  ASSERT_TRUE(journal);
  WriteSample(*journal);
  journal->LimitPages(12);
  int written = 0;
  SearchEntry e;
  for (int i = 0; i < 200; ++i) {
    e = Search("满" + std::to_string(i));
    for (int r = 0; r < 20; ++r) e.rows.push_back({std::string(300, 'r'), "2020-01-01", std::to_string(r)});
    if (!journal->AddSearch(e)) break;
    ++written;
  }
  ASSERT_LT(written, 200) << "the size limit never stopped a write";
  EXPECT_NE(journal->LastError().find("full"), std::string::npos) << journal->LastError();
  EXPECT_EQ(journal->CountEntries(), 4 + written);
  EXPECT_TRUE(journal->CheckChain().holds);
  // The failed entry left no rows behind, and the last good one kept all of its rows.
  EXPECT_EQ(journal->ReadSearch(4 + written)->rows.size(), written ? 22u : 2u);
  EXPECT_FALSE(journal->ReadSearch(5 + written));
}

TEST(JournalTexts, RoundTripUnchangedAndCutAtTheFirstNul) {
  const std::string awkward[] = {
      "O'Brien \"Ltd\"",          // quotes of both kinds
      "line one\r\nline two\n",   // line breaks
      "\xF0\xA0\x80\x80\xE4\xB6\xAE\xF0\x9F\x98\x80",  // U+20000, U+4DAE, an emoji: none in GBK
      "%_\\ LIKE wildcards",
  };
  auto journal = OpenOk(Scratch("texts") / "journal.db");
  ASSERT_TRUE(journal);
  for (const std::string& text : awkward) {
    SCOPED_TRACE(text);
    SearchEntry e = Search(text);
    e.idNumber = text;
    e.outcome = "failed: " + text;
    ASSERT_TRUE(journal->AddSearch(e));
    const auto back = journal->ReadSearch(e.id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, text);
    EXPECT_EQ(back->idNumber, text);
    EXPECT_EQ(back->outcome, "failed: " + text);
    ASSERT_EQ(back->rows.size(), 2u);
    EXPECT_EQ(back->rows[0].name, text);
    DetailEntry d = Detail(e.id);
    d.text = text;
    ASSERT_TRUE(journal->AddDetail(d));
    EXPECT_EQ(journal->DetailsOf(e.id).at(0).text, text);
    // The filter finds the text literally, wildcards included.
    EXPECT_EQ(journal->FindSearches({text, "", ""}).front(), e.id);
  }
  SearchEntry cut = Search(std::string("before\0after", 12));
  ASSERT_TRUE(journal->AddSearch(cut));
  EXPECT_EQ(journal->ReadSearch(cut.id)->name, "before");
  EXPECT_EQ(cut.chainSha256, journal->ReadSearch(cut.id)->chainSha256);
  EXPECT_TRUE(journal->CheckChain().holds);
}

TEST(JournalQueries, FilterByTextAndDateNewestFirst) {
  auto journal = OpenOk(Scratch("filter") / "journal.db");
  ASSERT_TRUE(journal);
  const struct {
    const char* name;
    const char* at;
  } entries[] = {{"张三", "2026-12-01T10:00:00.000Z"}, {"李四", "2026-12-05T10:00:00.000Z"},
                 {"张三", "2026-12-08T23:59:59.999Z"}, {"王五", "2026-12-09T00:00:00.000Z"}};
  for (const auto& entry : entries) {
    SearchEntry e = Search(entry.name);
    e.atUtc = entry.at;
    ASSERT_TRUE(journal->AddSearch(e));
  }
  const struct {
    SearchFilter filter;
    std::vector<long long> ids;
  } cases[] = {
      {{"", "", ""}, {4, 3, 2, 1}},
      {{"张三", "", ""}, {3, 1}},
      {{"", "2026-12-05", "2026-12-09"}, {3, 2}},
      {{"张三", "2026-12-02", ""}, {3}},
      {{"(2019)京01执2号", "", ""}, {4, 3, 2, 1}},  // a case number among the rows
      {{"无此人", "", ""}, {}},
      {{"", "", "2026-12-05"}, {1}},
      {{"张三", "", "2026-12-08T23:59:59.999Z"}, {1}},  // the end is not in the range
      {{"%", "", ""}, {}},                               // a wildcard is a character to find
  };
  for (const auto& c : cases) {
    EXPECT_EQ(journal->FindSearches(c.filter), c.ids) << c.filter.text << " " << c.filter.fromUtc << " " << c.filter.toUtc;
  }
}

TEST(JournalTexts, MaskKeepsTheFirstSixAndLastFourCharacters) {
  const struct {
    const char* id;
    const char* masked;
  } cases[] = {
      {"110101199003077777", "110101********7777"},
      {"11010119900307777X", "110101********777X"},
      {"12345678901", "123456*8901"},
      {"1234567890", "1234567890"},  // nothing between the kept ends
      {"", ""},
      {"甲乙丙丁戊己庚辛壬癸子丑", "甲乙丙丁戊己**壬癸子丑"},
  };
  for (const auto& c : cases) EXPECT_EQ(MaskIdNumber(c.id), c.masked) << c.id;
}

namespace {
std::vector<std::string> g_notices;
void CollectNotice(const std::string& text) { g_notices.push_back(text); }
}  // namespace

// The program's journal never stops a search: each trouble is told once, and writing goes on
// failing quietly.
TEST(ProgramJournal, TroubleIsToldOnceAndNothingElseChanges) {
  SetJournalNotice(&CollectNotice);
  const fs::path folder = Scratch("program");
  fs::create_directories(folder / "journal.db");  // a folder where the file should be
  struct Case {
    fs::path file;
    std::size_t notices;
    bool writes;
  } cases[] = {
      {folder / "journal.db", 1, false},
      {folder / "ok" / "journal.db", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.string());
    g_notices.clear();
    UseJournalFile(c.file.wstring());
    for (int i = 0; i < 3; ++i) {
      SearchEntry e = Search("张三");
      EXPECT_EQ(RecordSearch(e), c.writes);
    }
    EXPECT_EQ(g_notices.size(), c.notices);
  }
  // A full disk: the first refused write is told, the later ones are not.
  ProgramJournal()->LimitPages(1);
  g_notices.clear();
  for (int i = 0; i < 3; ++i) {
    SearchEntry e = Search(std::string(5000, 'x'));
    EXPECT_FALSE(RecordSearch(e));
  }
  EXPECT_EQ(g_notices.size(), 1u);
  UseJournalFile(L"");
  SetJournalNotice(nullptr);
}
