// A list of parties checked in one go against the simulator, acted out as a user: the
// preview, the progress window, the captcha pause, the report and the rows found.
#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/main_menu.h"
#include "batch/batch_progress.h"
#include "batch/batch_start.h"
#include "runtime/gbk_text.h"
#include "runtime/ui_thread.h"
#include "runtime/units.h"
#include "runtime/window.h"
#include "tests/gui/query_fixture.h"

namespace {

namespace fs = std::filesystem;

// A party of the list and what the report should say of it, from the simulator's register.
struct Expected {
  std::string name, id;  // UTF-8
  std::string status;    // UTF-8
};

class BatchTest : public QueryTest {
 protected:
  void SetUp() override {
    dir = ScratchFolder("batch");
    QueryTest::SetUp();
    Type("Code", "abcd");
  }
  void TearDown() override {
    QueryTest::TearDown();
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }

  fs::path WriteList(const wchar_t* name, const std::string& bytes) const {
    const fs::path path = dir / name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
  }
  // Opens the list as 批量查询… would after the open dialog; the preview, or nullptr.
  HWND Preview(const fs::path& list) const {
    PostToUiThread([path = list.wstring()] { CheckListFile(path); });
    HWND preview = nullptr;
    WaitFor([&] { return (preview = run->FindWindowWithClass(kBatchPreviewClass)) != nullptr; });
    return preview;
  }
  // Shown and painted whole, for a screenshot.
  static void Painted(HWND window) {
    WaitFor([&] { return IsWindowVisible(window) != FALSE; });
    RunOnUiThread([&] { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); });
  }
  void Start(HWND preview) const { PostMessageW(preview, WM_COMMAND, IDOK, 0); }
  HWND Progress() const { return run->FindWindowWithClass(kBatchProgressClass); }
  // The closing message, answered.
  std::string Closing(unsigned milliseconds = 90000) { return MessageAndClose(nullptr, milliseconds); }
  // The report's and the found rows' files in the list's folder.
  fs::path Written(bool foundRows) const {
    for (const auto& entry : fs::directory_iterator(dir)) {
      const std::wstring name = entry.path().filename().wstring();
      if (name.starts_with(L"批量查询_") && name.ends_with(L"_明细.csv") == foundRows && name.ends_with(L".csv"))
        return entry.path();
    }
    return {};
  }
  // The report's row of a party as the simulator's register gives it: every page up to 20.
  std::string ReportRow(const Expected& e) const {
    std::string total, pages, cases;
    if (e.status == Utf8(u8"命中") || e.status == Utf8(u8"未查到")) {
      int fetched = 0, totalPages = 1;
      std::vector<std::string> seen;
      for (int k = 1; k <= totalPages && k <= 20; ++k, ++fetched) {
        const nlohmann::json page = sim.Control("/__sim/expect?pName=" + Encode(e.name) + "&pCardNum=" +
                                                Encode(e.id) + "&currentPage=" + std::to_string(k));
        total = std::to_string(page["total"].get<int>());
        totalPages = page["totalPages"].get<int>();
        for (const auto& row : page["rows"]) {
          const std::string c = row["caseCode"];
          if (c.empty() || std::find(seen.begin(), seen.end(), c) != seen.end()) continue;
          seen.push_back(c);
          cases += (cases.empty() ? "" : Utf8(u8"；")) + c;
        }
      }
      pages = std::to_string(fetched);
    } else if (e.status != Utf8(u8"未查询")) {
      pages = "0";
    }
    return e.name + "," + e.id + "," + e.status + "," + total + "," + pages + "," + cases + "\r\n";
  }
  std::string Report(const std::vector<Expected>& lines) const {
    std::string csv = "\xEF\xBB\xBF" + Utf8(u8"输入名称,输入证件号,状态,结果总数,已获取页数,案号\r\n");
    for (const Expected& e : lines) csv += ReportRow(e);
    return csv;
  }
  static std::string Encode(const std::string& utf8) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : utf8) out += std::string("%") + hex[c >> 4] + hex[c & 15];
    return out;
  }
  // Names and pages of the searches sent, "王五/1" (GBK).
  std::vector<std::string> Asked(size_t from = 0) const {
    std::vector<std::string> asked;
    const auto all = SearchRequests();
    for (size_t i = from; i < all.size(); ++i)
      asked.push_back(Gbk(FormField(all[i], "pName")) + "/" + FormField(all[i], "currentPage"));
    return asked;
  }

  fs::path dir;
};

}  // namespace

TEST_F(BatchTest, FivePartiesGiveTheExpectedReportASecondApart) {
  const nlohmann::json org = sim.Expect("北京华星科技有限公司")["rows"][0];
  const std::string code = sim.Record(org["id"].dump())["cardNum"];
  const fs::path list = WriteList(L"供应商.csv", "\xEF\xBB\xBF" + Utf8(u8"王五\r\n李明\r\n慕容晓晓\r\n北京华星科技有限公司,") +
                                                   code + Utf8(u8"\r\n赵建国\r\n"));
  HWND preview = Preview(list);
  ASSERT_NE(preview, nullptr);
  EXPECT_NE(WindowText(GetDlgItem(preview, kPreviewText)).find(L"读到 5 个查询对象，共 5 行，没有重复。"), std::wstring::npos);
  EXPECT_EQ(WindowText(GetDlgItem(preview, kPreviewCode)), L"abcd");  // the main window's code
  Painted(preview);
  SaveScreenshot(main, "batch_preview");
  Start(preview);

  HWND progress = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (progress = Progress()) != nullptr; }));
  ASSERT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(progress, kProgressCount)) == L"第 2 个，共 5 个"; }));
  EXPECT_EQ(WindowText(GetDlgItem(progress, kProgressParty)), L"正在查询：李明");
  EXPECT_FALSE(IsWindowEnabled(FindUnit(main, "Query")));  // the main window's own search waits
  Painted(progress);
  SaveScreenshot(main, "batch_progress");

  const std::string closing = Closing();
  EXPECT_NE(closing.find("命中 4 行，未查到 1 行，失败 0 行，未查询 0 行。"), std::string::npos) << closing;
  EXPECT_TRUE(IsWindowEnabled(FindUnit(main, "Query")));
  const std::string hit = Utf8(u8"命中");
  EXPECT_EQ(FileBytes(Written(false)), Report({{Utf8(u8"王五"), "", hit},
                                              {Utf8(u8"李明"), "", hit},
                                              {Utf8(u8"慕容晓晓"), "", Utf8(u8"未查到")},
                                              {Utf8(u8"北京华星科技有限公司"), code, hit},
                                              {Utf8(u8"赵建国"), "", hit}}));
  // The rows found: 2 + 23 + 0 + 1 + 3, each with its input line and page.
  const std::string rows = FileBytes(Written(true));
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 1 + 29);
  EXPECT_NE(rows.find("\r\n2," + Utf8(u8"李明")), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);  // no temporary file left

  const auto searches = SearchRequests();
  EXPECT_EQ(Asked(), (std::vector<std::string>{"王五/1", "李明/1", "李明/2", "李明/3", "慕容晓晓/1",
                                               "北京华星科技有限公司/1", "赵建国/1"}));
  EXPECT_EQ(FormField(searches[5], "pCardNum"), code);
  for (size_t i = 1; i < searches.size(); ++i)
    EXPECT_GE(searches[i]["time"].get<double>() - searches[i - 1]["time"].get<double>(), 1.0) << i;
}

TEST_F(BatchTest, ExpiredCaptchaPausesAndResumesOnTheSameParty) {
  const fs::path list = WriteList(L"名单.txt", Utf8(u8"王五\n李明\n赵建国\n"));
  HWND preview = Preview(list);
  ASSERT_NE(preview, nullptr);
  Start(preview);
  // Once 王五 is asked, the code expires before 李明's turn a second later.
  ASSERT_TRUE(WaitFor([&] { return SearchRequests().size() == 1; }));
  sim.Control("/__sim/clock?advance=400");
  HWND pause = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (pause = run->OtherRuntimeWindow()) != nullptr; }, 20000));
  EXPECT_EQ(WindowTextGbk(FindUnit(pause, "透明标签2")), "第 2 个（共 3 个）：李明");
  ASSERT_TRUE(WaitFor([&] { return sim.Requests("/captchaNew.do").size() == 2; }));  // a fresh picture
  ASSERT_TRUE(WaitFor([&] { return !PictureIsEmpty(FindUnit(pause, "CodeImg")); }));
  Painted(pause);
  SaveScreenshot(main, "batch_captcha_pause");
  const size_t before = SearchRequests().size();
  SetWindowTextW(FindUnit(pause, "编辑框1"), L"abcd");
  PostMessageW(FindUnit(pause, "继续"), BM_CLICK, 0, 0);

  const std::string closing = Closing();
  EXPECT_NE(closing.find("命中 3 行，未查到 0 行，失败 0 行，未查询 0 行。"), std::string::npos) << closing;
  EXPECT_EQ(before, 2u);
  EXPECT_EQ(Asked(), (std::vector<std::string>{"王五/1", "李明/1", "李明/1", "李明/2", "李明/3", "赵建国/1"}));
  const std::string hit = Utf8(u8"命中");
  EXPECT_EQ(FileBytes(Written(false)),
            Report({{Utf8(u8"王五"), "", hit}, {Utf8(u8"李明"), "", hit}, {Utf8(u8"赵建国"), "", hit}}));
}

TEST_F(BatchTest, ServerErrorRetriedThenFailedOthersUnaffected) {
  const fs::path list = WriteList(L"名单.csv", Utf8(u8"王五\n赵建国\n慕容晓晓\n"));
  sim.Fault("http500", "/findDisNew", 2);
  HWND preview = Preview(list);
  ASSERT_NE(preview, nullptr);
  Start(preview);
  const std::string closing = Closing();
  EXPECT_NE(closing.find("命中 1 行，未查到 1 行，失败 1 行，未查询 0 行。"), std::string::npos) << closing;
  EXPECT_EQ(Asked(), (std::vector<std::string>{"王五/1", "王五/1", "赵建国/1", "慕容晓晓/1"}));
  const auto searches = SearchRequests();
  EXPECT_GE(searches[1]["time"].get<double>() - searches[0]["time"].get<double>(), 5.0);  // the retry waits
  EXPECT_EQ(FileBytes(Written(false)),
            Report({{Utf8(u8"王五"), "", Utf8(u8"失败: 查询服务出错（HTTP 500）")},
                    {Utf8(u8"赵建国"), "", Utf8(u8"命中")},
                    {Utf8(u8"慕容晓晓"), "", Utf8(u8"未查到")}}));
}

TEST_F(BatchTest, CancelAfterTwoLeavesTheRestUnchecked) {
  const fs::path list = WriteList(L"名单.csv", Utf8(u8"王五\n赵建国\n慕容晓晓\n孙志强\n吴德华\n"));
  HWND preview = Preview(list);
  ASSERT_NE(preview, nullptr);
  Start(preview);
  ASSERT_TRUE(WaitFor([&] { return SearchRequests().size() == 2; }));
  sim.Control("/__sim/fault?kind=delay&seconds=2&path=/findDisNew");  // a third search would still be on its way
  HWND progress = Progress();
  ASSERT_NE(progress, nullptr);
  PostMessageW(progress, WM_COMMAND, IDCANCEL, 0);
  const std::string closing = Closing();
  EXPECT_NE(closing.find("批量查询已取消。"), std::string::npos) << closing;
  EXPECT_NE(closing.find("命中 2 行，未查到 0 行，失败 0 行，未查询 3 行。"), std::string::npos) << closing;
  const std::string hit = Utf8(u8"命中"), not_checked = Utf8(u8"未查询");
  EXPECT_EQ(FileBytes(Written(false)), Report({{Utf8(u8"王五"), "", hit},
                                              {Utf8(u8"赵建国"), "", hit},
                                              {Utf8(u8"慕容晓晓"), "", not_checked},
                                              {Utf8(u8"孙志强"), "", not_checked},
                                              {Utf8(u8"吴德华"), "", not_checked}}));
  EXPECT_TRUE(IsWindowEnabled(FindUnit(main, "Query")));
}

TEST_F(BatchTest, GbkListWithHeaderAndDuplicatesChecksEachPartyOnce) {
  // Narrow literals are GBK bytes: this file is what a Chinese spreadsheet program saves.
  const fs::path list = WriteList(L"gbk.csv", "姓名,身份证号\r\n王五,\r\n赵建国\r\n\r\n王五\r\n,110105\r\n赵建国\r\n");
  HWND preview = Preview(list);
  ASSERT_NE(preview, nullptr);
  const std::wstring text = WindowText(GetDlgItem(preview, kPreviewText));
  EXPECT_NE(text.find(L"读到 2 个查询对象，共 4 行，其中 2 行重复"), std::wstring::npos) << WideToGbk(text);
  EXPECT_NE(text.find(L"跳过 2 行：空行 1，缺少名称 1"), std::wstring::npos) << WideToGbk(text);
  EXPECT_NE(text.find(L"第一行是标题"), std::wstring::npos);
  Start(preview);
  const std::string closing = Closing();
  EXPECT_NE(closing.find("命中 4 行"), std::string::npos) << closing;
  EXPECT_EQ(Asked(), (std::vector<std::string>{"王五/1", "赵建国/1"}));
  const std::string hit = Utf8(u8"命中");
  EXPECT_EQ(FileBytes(Written(false)), Report({{Utf8(u8"王五"), "", hit},
                                              {Utf8(u8"赵建国"), "", hit},
                                              {Utf8(u8"王五"), "", hit},
                                              {Utf8(u8"赵建国"), "", hit}}));
}

TEST_F(BatchTest, BadListsStartNothingAndTheMenuOffersTheBatch) {
  const struct {
    const wchar_t* file;
    std::string bytes;
    const char* says;
  } cases[] = {
      {L"empty.csv", "", "是空的"},
      {L"picture.csv", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "不是文本文件"},
      {L"ids.csv", ",110105\r\n", "缺少名称"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    PostToUiThread([path = WriteList(c.file, c.bytes).wstring()] { CheckListFile(path); });
    const std::string says = Closing(10000);
    EXPECT_NE(says.find(c.says), std::string::npos) << says;
  }
  PostToUiThread([path = (dir / L"missing.csv").wstring()] { CheckListFile(path); });
  EXPECT_NE(Closing(10000).find("无法读取文件"), std::string::npos);

  // A long list asks first, naming the time; No starts nothing.
  std::string many;
  for (int i = 0; i < 201; ++i) many += "p" + std::to_string(i) + "\n";
  PostToUiThread([path = WriteList(L"many.csv", many).wstring()] { CheckListFile(path); });
  HWND question = run->WaitForMessageBox();
  ASSERT_NE(question, nullptr);
  EXPECT_NE(MessageBoxText(question).find("201 个查询对象。每次查询至少间隔 1 秒，全部查完至少需要 3 分 21 秒"),
            std::string::npos)
      << MessageBoxText(question);
  AnswerMessageBox(question, IDNO);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(question); }));
  EXPECT_EQ(run->FindWindowWithClass(kBatchPreviewClass), nullptr);
  EXPECT_TRUE(SearchRequests().empty());

  // The program menu of the caption's button holds the entry.
  PostToUiThread([] { ShowMainMenu(); });
  HWND popup = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (popup = run->FindWindowWithClass(L"#32768")) != nullptr; }, 5000));
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  bool offered = false;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t entry[64] = {};
    GetMenuStringW(menu, i, entry, 64, MF_BYPOSITION);
    offered = offered || std::wstring(entry) == L"批量查询…";
  }
  EXPECT_TRUE(offered);
  RunOnUiThread([] { EndMenu(); });
}

TEST_F(BatchTest, ClosingTheProgramEndsTheBatchAndKeepsWhatWasChecked) {
  const fs::path list = WriteList(L"名单.csv", Utf8(u8"王五\n赵建国\n慕容晓晓\n"));
  HWND preview = Preview(list);
  ASSERT_NE(preview, nullptr);
  Start(preview);
  // The second search reaching the service means the first party is done; the second may
  // or may not be when the program closes, the third never starts.
  ASSERT_TRUE(WaitFor([&] { return SearchRequests().size() == 2; }));
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(run->WaitForEnd(20000));
  EXPECT_EQ(run->WorkersAtEnd(), 0);
  const std::string report = FileBytes(Written(false));
  EXPECT_NE(report.find(Utf8(u8"王五,,命中")), std::string::npos) << report;
  EXPECT_NE(report.find(Utf8(u8"慕容晓晓,,未查询")), std::string::npos) << report;
}

TEST_F(BatchTest, CancelAtTheCaptchaPauseEndsTheBatchAsCancelled) {
  SetWindowTextW(FindUnit(main, "Code"), L"wrong");  // refused at once
  const fs::path list = WriteList(L"名单.csv", Utf8(u8"王五\n赵建国\n"));
  HWND preview = Preview(list);
  ASSERT_NE(preview, nullptr);
  Start(preview);
  HWND pause = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (pause = run->OtherRuntimeWindow()) != nullptr; }, 20000));
  EXPECT_EQ(WindowTextGbk(FindUnit(pause, "透明标签2")), "第 1 个（共 2 个）：王五");
  PostMessageW(FindUnit(pause, "取消"), BM_CLICK, 0, 0);
  const std::string closing = Closing();
  EXPECT_NE(closing.find("批量查询已取消。"), std::string::npos) << closing;
  EXPECT_NE(closing.find("未查询 2 行。"), std::string::npos) << closing;
  EXPECT_EQ(SearchRequests().size(), 1u);
}
