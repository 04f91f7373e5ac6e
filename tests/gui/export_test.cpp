// Copying rows and exporting every page of a search, acted out against the simulator.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/export.h"
#include "runtime/gbk_text.h"
#include "runtime/threads.h"
#include "runtime/ui_thread.h"
#include "runtime/units.h"
#include "runtime/window.h"
#include "tests/gui/query_fixture.h"

namespace {

namespace fs = std::filesystem;

// The file's first line, and the line of a simulator row (UTF-8 JSON) on page k.
std::string CsvHeader() { return "\xEF\xBB\xBF" + Utf8(u8"被执行人/单位名,立案时间,案号,页码\r\n"); }
std::string CsvLine(const nlohmann::json& row, int k) {
  return row["name"].get<std::string>() + "," + row["date"].get<std::string>() + "," +
         row["caseCode"].get<std::string>() + "," + std::to_string(k) + "\r\n";
}

std::wstring ClipboardText() {
  std::wstring text = L"(no clipboard)";
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void PressWithCtrl(WORD key) {
  INPUT input[4] = {};
  for (INPUT& i : input) i.type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[3].ki.wVk = VK_CONTROL;
  input[1].ki.wVk = input[2].ki.wVk = key;
  input[2].ki.dwFlags = input[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, input, sizeof(INPUT));
}

class ExportTest : public QueryTest {
 protected:
  void SetUp() override {
    dir = ScratchFolder("export");
    QueryTest::SetUp();
  }
  void TearDown() override {
    QueryTest::TearDown();
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }

  void Export(const fs::path& path) {
    PostToUiThread([file = path.wstring()] { ExportSearchTo(file); });
  }
  // The export's closing message: its text, answered with OK.
  std::string Outcome(const char* expectedTitle) { return MessageAndClose(expectedTitle, 30000); }
  // The file the export should write from the simulator's pages 1 to `pages` of `name`.
  std::string ExpectedCsv(const std::string& name, int pages) const {
    std::string csv = CsvHeader();
    for (int k = 1; k <= pages; ++k) {
      const nlohmann::json page = sim.Expect(name, k);
      for (const auto& row : page["rows"]) csv += CsvLine(row, k);
    }
    return csv;
  }
  // The page numbers the export asked for, after the first `skip` searches.
  std::vector<std::string> ExportedPages(size_t skip = 1) const {
    std::vector<std::string> pages;
    const auto all = SearchRequests();
    for (size_t i = skip; i < all.size(); ++i) pages.push_back(FormField(all[i], "currentPage"));
    return pages;
  }
  HWND ProgressWindow() const { return run->FindWindowWithClass(L"VeradinExportProgress"); }

  HWND OpenMenu() const {
    RECT rc;
    GetWindowRect(list, &rc);
    PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(rc.left + 60, rc.top + 60));
    HWND popup = nullptr;
    WaitFor([&] { return (popup = run->FindWindowWithClass(L"#32768")) != nullptr; }, 5000);
    return popup;
  }
  // Which of the menu's entries can be chosen, separators left out.
  std::vector<bool> EnabledEntries(HWND popup) const {
    std::vector<bool> enabled;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
      if (!(state & MF_SEPARATOR)) enabled.push_back(!(state & (MF_GRAYED | MF_DISABLED)));
    }
    return enabled;
  }
  void CloseMenu(HWND popup) const {
    RunOnUiThread([] { EndMenu(); });
    WaitFor([&] { return !IsWindowVisible(popup); }, 5000);
  }

  fs::path dir;
};

}  // namespace

TEST_F(ExportTest, EveryPageOnceInPageOrderWithTheSearchsSessionAndCode) {
  Search("李明");
  // Page 2 comes slowly, so that the progress window can be seen while the main window works.
  sim.Control("/__sim/fault?kind=delay&seconds=1&path=/findDisNew&page=2");
  const fs::path file = dir / L"失信被执行人_李明.csv";
  Export(file);
  HWND progress = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (progress = ProgressWindow()) != nullptr; }));
  ASSERT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(progress, 101)).find(L"第 2 页，共 3 页") != std::wstring::npos; }));
  EXPECT_EQ(WindowText(GetDlgItem(progress, IDCANCEL)), L"取消");
  DWORD_PTR ignored = 0;
  EXPECT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored));  // not blocked
  SaveScreenshot(main, "export_progress");  // the progress window over the main window

  EXPECT_EQ(Outcome("提示："), "已导出全部 3 页，共 23 行结果，保存在：\r\n" + WideToGbk(file.wstring()));
  EXPECT_EQ(FileBytes(file), ExpectedCsv("李明", 3));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary file left
  const auto searches = SearchRequests();
  ASSERT_EQ(searches.size(), 4u);
  const std::string id = FormField(searches[0], "captchaId");
  for (int k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(searches[k]["body"], "currentPage=" + std::to_string(k) +
                                       "&pName=%E6%9D%8E%E6%98%8E&pCardNum=&pProvince=0&pCode=abcd&captchaId=" + id);
    EXPECT_EQ(searches[k]["jsessionid"], searches[0]["jsessionid"]);
  }
}

TEST_F(ExportTest, SearchWithAnIdNumberExportsOnlyItsOwnRows) {
  const nlohmann::json first = sim.Expect("王五")["rows"][0];
  const std::string card = Gbk(sim.Record(first["id"].dump())["cardNum"]);
  Search("王五", "abcd", card);
  ASSERT_EQ(ListRowCount(list), 1);
  const fs::path file = dir / "wang.csv";
  Export(file);
  EXPECT_EQ(Outcome("提示："), "已导出全部 1 页，共 1 行结果，保存在：\r\n" + WideToGbk(file.wstring()));
  EXPECT_EQ(FileBytes(file), CsvHeader() + CsvLine(first, 1));
  EXPECT_EQ(Gbk(FormField(SearchRequests().back(), "pCardNum")), card);
}

TEST_F(ExportTest, FailureOnAPageKeepsThePagesBeforeAndSaysWhichFailed) {
  Search("李明");
  sim.Control("/__sim/fault?kind=busy&count=-1&path=/findDisNew&page=2");
  const fs::path file = dir / "li.csv";
  Export(file);
  const std::string message = Outcome("Fail!");
  EXPECT_NE(message.find("第 2 页获取失败"), std::string::npos) << message;
  EXPECT_NE(message.find("前 1 页的 10 行结果"), std::string::npos) << message;
  EXPECT_EQ(FileBytes(file), ExpectedCsv("李明", 1));
  EXPECT_EQ(ExportedPages(), (std::vector<std::string>{"1", "2"}));
}

TEST_F(ExportTest, CancelStopsAtThePageOnItsWayAndKeepsTheOnesBefore) {
  Search("李明");
  sim.Control("/__sim/fault?kind=delay&seconds=3&path=/findDisNew&page=2");
  const fs::path file = dir / "li.csv";
  Export(file);
  ASSERT_TRUE(WaitFor([&] { return ExportedPages() == std::vector<std::string>{"1", "2"}; }));
  HWND progress = ProgressWindow();
  ASSERT_NE(progress, nullptr);
  PostMessageW(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
  const std::string message = Outcome("提示：");
  EXPECT_NE(message.find("已取消"), std::string::npos) << message;
  EXPECT_NE(message.find("前 1 页的 10 行结果"), std::string::npos) << message;
  EXPECT_EQ(FileBytes(file), ExpectedCsv("李明", 1));
  EXPECT_EQ(ExportedPages().size(), 2u);  // page 3 was never asked for
  EXPECT_EQ(ProgressWindow(), nullptr);
}

TEST_F(ExportTest, FileThatCannotBeWrittenIsNamedAndNoneIsLeft) {
  Search("王五");
  // A folder that is gone, and a name that a folder holds (the rename at the end fails).
  // Wine lets the rename replace a read-only file, which Windows refuses, so that case is not here.
  const fs::path missing = dir / "gone" / "wang.csv";
  const fs::path taken = dir / "wang.csv";
  fs::create_directory(taken);
  for (const fs::path& file : {missing, taken}) {
    SCOPED_TRACE(file.string());
    Export(file);
    const std::string message = Outcome("Fail!");
    EXPECT_EQ(message.rfind("无法写入文件：\r\n" + WideToGbk(file.wstring()) + "\r\n", 0), 0u) << message;
    EXPECT_GT(message.size(), WideToGbk(file.wstring()).size() + 20);  // and the system's reason
  }
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_TRUE(fs::is_directory(taken));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary file left
  EXPECT_EQ(SearchRequests().size(), 2u);  // a folder that is gone is found before any page is asked for
}

TEST_F(ExportTest, MoreThanAHundredPagesAreFetchedOnlyWhenTheUserAgrees) {
  Search("李明");
  {
    std::lock_guard<std::mutex> lock(StateLock());
    AppState().resultCount = " 1/150 共1500条";
  }
  const fs::path file = dir / "many.csv";
  Export(file);
  HWND box = run->WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(MessageBoxText(box).find("共有 150 页"), std::string::npos);
  AnswerMessageBox(box, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  Sleep(500);
  EXPECT_EQ(ProgressWindow(), nullptr);
  EXPECT_EQ(SearchRequests().size(), 1u);
  EXPECT_FALSE(fs::exists(file));
}

TEST_F(ExportTest, CopyPutsTheSelectedOrEveryRowOnTheClipboard) {
  Search("王五");
  const nlohmann::json rows = sim.Expect("王五")["rows"];
  ASSERT_EQ(rows.size(), 2u);
  std::wstring lines[2];
  for (int i = 0; i < 2; ++i)
    lines[i] = GbkToWide(Gbk(rows[i]["name"]) + "\t" + Gbk(rows[i]["date"]) + "\t" + Gbk(rows[i]["caseCode"]) + "\r\n");

  RECT rc{LVIR_BOUNDS, 0, 0, 0};
  SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rc));
  POINT p{rc.left + 40, (rc.top + rc.bottom) / 2};
  MapWindowPoints(list, main, &p, 1);
  BringToFront(main);
  ClickAt(main, p.x, p.y);
  ASSERT_TRUE(WaitFor([&] { return ListSelectedRow(list) == 1; }));
  PressWithCtrl('C');
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == lines[1]; }, 5000)) << WideToGbk(ClipboardText());

  PressWithCtrl('A');
  ASSERT_TRUE(WaitFor([&] { return SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) == 2; }, 5000));
  PressWithCtrl('C');
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == lines[0] + lines[1]; }, 5000)) << WideToGbk(ClipboardText());
}

TEST_F(ExportTest, MenuEntriesAreGreyUntilASearchShowsRows) {
  HWND popup = OpenMenu();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(EnabledEntries(popup), (std::vector<bool>{false, false, false, false}));
  CloseMenu(popup);

  Search("李明", "zzzz");  // refused: the last search failed
  Outcome("Fail!");
  popup = OpenMenu();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(EnabledEntries(popup), (std::vector<bool>{false, false, false, false}));
  CloseMenu(popup);

  Search("李明");
  popup = OpenMenu();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(EnabledEntries(popup), (std::vector<bool>{false, true, true, true}));  // nothing selected yet
  SaveScreenshot(main, "result_menu");  // the menu over the list
  CloseMenu(popup);
}
