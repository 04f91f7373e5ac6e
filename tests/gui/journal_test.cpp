// The search journal seen from the program: searches, page jumps and detail views leave
// their entries; receipts; the menu and the history window.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>

#include "app/history_window.h"
#include "app/main_menu.h"
#include "app/receipt.h"
#include "journal/entry_text.h"
#include "journal/program_journal.h"
#include "journal/sha256.h"
#include "runtime/ui_thread.h"
#include "tests/gui/query_fixture.h"
#include "web/codepage.h"

namespace fs = std::filesystem;

namespace {
constexpr char kId[] = "110101199003077777";
constexpr char kMaskedId[] = "110101********7777";

fs::path Scratch(const std::string& name) { return ScratchFolder("journal-" + name); }

std::string U8(const std::string& gbk) { return GbkToUtf8(gbk); }

class JournalTest : public QueryTest {
 protected:
  void SetUp() override {
    // A journal of this test's own, so that entries are counted from 1.
    journalFile = Scratch("file") / "journal.db";
    UseJournalFile(journalFile.wstring());
    QueryTest::SetUp();
  }
  void TearDown() override {
    QueryTest::TearDown();
    UseJournalFile(L"");
  }
  Journal& TheJournal() {
    Journal* journal = ProgramJournal();
    EXPECT_NE(journal, nullptr);
    return *journal;
  }
  void PageJump(const std::string& page) {
    const int before = Searches();
    Type("跳转页码", page);
    BringToFront(main);
    ClickAt(main, 200, 45);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return Searches() > before; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return RunningWorkers() == 0; }));
  }
  void ExpectRows(const SearchEntry& entry, const nlohmann::json& expected) {
    ASSERT_EQ(entry.rows.size(), expected["rows"].size());
    for (size_t i = 0; i < entry.rows.size(); ++i) {
      EXPECT_EQ(entry.rows[i].name, expected["rows"][i]["name"].get<std::string>());
      EXPECT_EQ(entry.rows[i].caseNumber, expected["rows"][i]["caseCode"].get<std::string>());
    }
  }
  // The history window, opened through the program menu's entry.
  HWND OpenHistory() {
    RunOnUiThread([] { RunMainMenuEntry(L"查询记录"); });
    HWND history = nullptr;
    WaitFor([&] { return (history = HistoryWindow()) != nullptr; }, 5000);
    return history;
  }
  int ListCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }
  // Runs a menu entry that may ask or tell something: queued, so that its message box does not
  // hold the test.
  void StartMenuEntry(const wchar_t* text) {
    PostToUiThread([entry = std::wstring(text)] { RunMainMenuEntry(entry); });
  }
  // Answers the next message box with `button` and gives its text.
  std::string Answer(int button) {
    HWND box = run->WaitForMessageBox(5000);
    if (!box) return "(no message box)";
    const std::string text = MessageBoxText(box);
    AnswerMessageBox(box, button);
    WaitFor([&] { return !IsWindow(box); });
    return text;
  }
  // Edits the file from outside, as someone tampering with it would.
  void EditJournalFile(const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open16(journalFile.wstring().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  }

  fs::path journalFile;
};
}  // namespace

TEST_F(JournalTest, SearchPageJumpDetailAndRefusalEachLeaveTheirEntry) {
  Search("李明", "abcd");
  PageJump("2");
  HWND detail = OpenRow(3);
  ASSERT_NE(detail, nullptr);
  Continue(detail, "abcd");
  const std::string shown = WindowTextGbk(FindUnit(detail, "编辑框1"));
  PostMessageW(detail, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(detail); }));
  Search("王五", "zzzz");
  EXPECT_EQ(MessageAndClose("Fail!"), kRefused);

  Journal& journal = TheJournal();
  const nlohmann::json page1 = sim.Expect("李明"), page2 = sim.Expect("李明", 2);
  const auto first = journal.ReadSearch(1), jump = journal.ReadSearch(2), refused = journal.ReadSearch(4);
  ASSERT_TRUE(first && jump && refused);
  EXPECT_EQ(first->name, U8("李明"));
  EXPECT_EQ(first->idNumber, "");
  EXPECT_EQ(first->host, sim.Address());
  EXPECT_EQ(first->page, 1);
  EXPECT_EQ(first->total, page1["total"].get<long long>());
  EXPECT_EQ(first->outcome, "rows");
  EXPECT_EQ(first->replySha256.size(), 64u);
  SYSTEMTIME at;
  EXPECT_TRUE(ParseUtcStamp(first->atUtc, at)) << first->atUtc;
  ExpectRows(*first, page1);
  EXPECT_EQ(jump->page, 2);
  EXPECT_EQ(jump->idNumber, "");  // a page jump sends no ID number
  ExpectRows(*jump, page2);
  const auto details = journal.DetailsOf(2);
  ASSERT_EQ(details.size(), 1u);
  EXPECT_EQ(details[0].id, 3);
  EXPECT_EQ(details[0].caseNumber, page2["rows"][3]["caseCode"].get<std::string>());
  EXPECT_EQ(details[0].text, U8(shown));
  EXPECT_EQ(details[0].recordId, page2["rows"][3]["id"].dump());
  EXPECT_EQ(refused->outcome, "refused-captcha");
  EXPECT_EQ(refused->total, -1);
  EXPECT_TRUE(refused->rows.empty());
  const ChainReport report = journal.CheckChain();
  EXPECT_TRUE(report.holds);
  EXPECT_EQ(report.entries, 4);
}

TEST_F(JournalTest, ReceiptsCarryThePicturesHashAndTheMaskedId) {
  Search("王五", "abcd", kId);
  const fs::path folders[] = {Scratch("receipt-main"), Scratch("receipt-entry")};
  ReceiptFiles main, entry;
  RunOnUiThread([&] {
    main = SaveMainReceiptTo(folders[0].wstring());
    entry = SaveEntryReceiptTo(folders[1].wstring(), 1, /*fullId=*/false);
  });
  const auto saved = TheJournal().ReadSearch(1);
  ASSERT_TRUE(saved);
  for (const ReceiptFiles* files : {&main, &entry}) {
    ASSERT_FALSE(files->png.empty());
    const std::string png = FileBytes(files->png), text = FileBytes(files->txt);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_NE(text.find(U8("截图 SHA-256：") + Sha256Hex(png)), std::string::npos) << text;
    EXPECT_NE(text.find(kMaskedId), std::string::npos);
    EXPECT_EQ(text.find(kId), std::string::npos);
    EXPECT_NE(text.find(saved->chainSha256), std::string::npos);
    EXPECT_NE(text.find(U8("王五")), std::string::npos);
  }
  // Nothing half-written is left behind.
  for (const fs::path& folder : folders)
    for (const auto& file : fs::directory_iterator(folder)) EXPECT_NE(file.path().extension(), ".tmp");
  fs::copy_file(main.png, ScreenshotFolder() / "receipt_main_window.png", fs::copy_options::overwrite_existing);
  fs::copy_file(entry.png, ScreenshotFolder() / "receipt_history_entry.png", fs::copy_options::overwrite_existing);
}

TEST_F(JournalTest, MenuHoldsTheJournalEntriesAndCtrlHOpensTheHistory) {
  const std::vector<std::wstring> expected = {L"查询记录\tCtrl+H", L"保存查询凭证\tCtrl+S", L"校验查询记录",
                                              L"清除查询记录…"};
  const auto texts = MainMenuTexts();
  ASSERT_GE(texts.size(), expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), texts.begin()));
  BringToFront(main);
  ClickAt(main, 200, 45);
  keybd_event(VK_CONTROL, 0, 0, 0);
  PressKey('H');
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  EXPECT_TRUE(WaitFor([] { return HistoryWindow() != nullptr; }, 5000));
  EXPECT_EQ(WindowTextGbk(Unit("Name")), "");  // Ctrl+H reached no edit box as a backspace
  SaveScreenshot(main, "main_window_menu_button");
}

TEST_F(JournalTest, CheckAndClearThroughTheMenu) {
  Search("李明", "abcd");
  Search("王五", "abcd", kId);
  StartMenuEntry(L"校验查询记录");
  EXPECT_EQ(MessageAndClose("校验查询记录"), "校验通过：全部 2 条记录都与校验链相符。");

  EditJournalFile("UPDATE searches SET name = 'x' WHERE id = 2");
  StartMenuEntry(L"校验查询记录");
  const std::string broken = MessageAndClose("校验查询记录");
  EXPECT_EQ(broken.rfind("校验未通过：第一条不符的记录是查询记录，编号 2（按写入顺序第 2 条）。", 0), 0u) << broken;

  // Clearing asks first, naming the count; No keeps everything.
  StartMenuEntry(L"清除查询记录…");
  EXPECT_EQ(Answer(IDNO).rfind("确定要清除全部 2 条查询记录吗？", 0), 0u);
  EXPECT_EQ(TheJournal().CountEntries(), 2);
  StartMenuEntry(L"清除查询记录…");
  Answer(IDYES);
  EXPECT_TRUE(WaitFor([&] { return TheJournal().CountEntries() == 0; }, 5000));
  StartMenuEntry(L"清除查询记录…");
  EXPECT_EQ(MessageAndClose("提示"), "查询记录是空的。");

  // A new chain starts and holds.
  Search("赵建国", "abcd");
  StartMenuEntry(L"校验查询记录");
  EXPECT_EQ(MessageAndClose("校验查询记录"), "校验通过：全部 1 条记录都与校验链相符。");
}

TEST_F(JournalTest, HistoryFiltersOpensCopiesAndSearchesAgain) {
  Search("李明", "abcd");
  Search("王五", "abcd", kId);  // no record carries this number: an entry without rows
  Search("赵建国", "abcd");
  HWND history = OpenHistory();
  ASSERT_NE(history, nullptr);
  HWND entries = GetDlgItem(history, kHistoryEntries), rows = GetDlgItem(history, kHistoryRows);
  ASSERT_EQ(ListCount(entries), 3);
  // Newest first, the ID masked.
  auto cell = [&](HWND list, int row, int column) { return ListGetCell(list, row, column); };
  EXPECT_EQ(cell(entries, 0, 1), "赵建国");
  EXPECT_EQ(cell(entries, 1, 2), kMaskedId);
  SendMessageW(GetDlgItem(history, kHistoryFullId), BM_CLICK, 0, 0);
  EXPECT_EQ(cell(entries, 1, 2), kId);
  SendMessageW(GetDlgItem(history, kHistoryFullId), BM_CLICK, 0, 0);

  SetWindowTextW(GetDlgItem(history, kHistoryFilter), L"李明");
  ASSERT_TRUE(WaitFor([&] { return ListCount(entries) == 1; }, 5000));
  // Opening the entry shows its rows.
  LVITEMW select{};
  select.stateMask = select.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(entries, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&select));
  const nlohmann::json page1 = sim.Expect("李明");
  ASSERT_TRUE(WaitFor([&] { return ListCount(rows) == static_cast<int>(page1["rows"].size()); }, 5000));
  EXPECT_EQ(cell(rows, 0, 2), Gbk(page1["rows"][0]["caseCode"]));
  SaveScreenshot(history, "history_window");

  // Copy puts the rows on the clipboard.
  SendMessageW(GetDlgItem(history, kHistoryCopy), BM_CLICK, 0, 0);
  std::wstring clip;
  if (OpenClipboard(nullptr)) {
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      clip = static_cast<const wchar_t*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
  }
  EXPECT_EQ(clip.rfind(GbkToWide(Gbk(page1["rows"][0]["name"])), 0), 0u) << WideToGbk(clip);

  // 重新查询 fills the main form and leaves the captcha to the user.
  Type("Name", "别的");
  Type("IDNum", kId);
  Type("Code", "abcd");
  SendMessageW(GetDlgItem(history, kHistoryResearch), BM_CLICK, 0, 0);
  EXPECT_EQ(WindowTextGbk(Unit("Name")), "李明");
  EXPECT_EQ(WindowTextGbk(Unit("IDNum")), "");
  EXPECT_EQ(WindowTextGbk(Unit("Code")), "");

  // Export of entries: the header, one line per row, one line for an entry without rows.
  const fs::path csv = Scratch("export") / "history.csv";
  DWORD error = 1;
  RunOnUiThread([&] { error = ExportHistoryTo(csv.wstring(), {1, 2}, false); });
  EXPECT_EQ(error, 0u);
  const std::string bytes = FileBytes(csv);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 2 + static_cast<long>(page1["rows"].size()));
  EXPECT_NE(bytes.find(kMaskedId), std::string::npos);

  // A date range that ends before today holds nothing.
  SYSTEMTIME day{2001, 1, 0, 1, 0, 0, 0, 0};
  SendMessageW(GetDlgItem(history, kHistoryTo), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&day));
  NMHDR change{GetDlgItem(history, kHistoryTo), kHistoryTo, DTN_DATETIMECHANGE};
  SendMessageW(history, WM_NOTIFY, kHistoryTo, reinterpret_cast<LPARAM>(&change));
  EXPECT_EQ(ListCount(entries), 0);
  PostMessageW(history, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([] { return HistoryWindow() == nullptr; }, 5000));
}
