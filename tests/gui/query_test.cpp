// The Query client's whole job against the register-service simulator, acted out as a user.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <string>
#include <vector>

#include "runtime/gbk_text.h"
#include "runtime/threads.h"
#include "runtime/units.h"
#include "runtime/window.h"
#include "tests/gui/gui_harness.h"
#include "tests/gui/query_fixture.h"
#include "tests/gui/simulator_client.h"

namespace {

std::string ExpectedDetail(const nlohmann::json& record) {
  static const char* const keys[12] = {"iname", "age", "cardNum", "courtName", "areaName", "gistId",
                                       "regDate", "caseCode", "gistUnit", "duty", "disruptTypeName",
                                       "publishDate"};
  static const char* const labels[12] = {"姓名：", "年龄：", "身份证号/社会组织代码证号：", "执行法院：", "省份：",
                                         "执行依据文号：", "立案时间：", "案号：", "做出执行依据单位：",
                                         "生效法律文书确定的义务：", "失信被执行人行为具体情形：", "发布时间："};
  std::string text;
  for (int i = 0; i < 12; ++i) {
    const auto& v = record.contains(keys[i]) ? record[keys[i]] : nlohmann::json();
    text += labels[i] + (v.is_string() ? Gbk(v) : v.is_null() ? std::string() : v.dump()) + "\r\n";
  }
  return text;
}

// What an edit box shows as line breaks: every bare LF as CR LF.
std::string WithCrLf(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

}  // namespace

TEST_F(QueryTest, AcceptingFetchesOneCaptchaWithThisRunsIdentifier) {
  const auto captchas = sim.Requests("/captchaNew.do");
  ASSERT_EQ(captchas.size(), 1u);
  EXPECT_EQ(captchas[0]["method"], "GET");
  EXPECT_TRUE(std::regex_match(FormField(captchas[0], "captchaId"), std::regex("[0-9a-f]{32}")));
  SaveScreenshot(main, "main_with_captcha");
}

TEST_F(QueryTest, SearchFillsTheListAndTheCount) {
  Search("李明");
  const nlohmann::json expected = sim.Expect("李明");
  ExpectRowsOf(expected);
  EXPECT_EQ(WindowTextGbk(Unit("透明标签4")), Gbk(expected["count"]) + "条");
  const auto search = sim.Requests("/findDisNew").back();
  EXPECT_EQ(search["method"], "POST");
  const std::string id = FormField(sim.Requests("/captchaNew.do")[0], "captchaId");
  EXPECT_EQ(search["body"], "pName=%E6%9D%8E%E6%98%8E&pCardNum=&pProvince=0&pCode=abcd&captchaId=" + id);
  SaveScreenshot(main, "result_list");
}

TEST_F(QueryTest, FormBodiesEncodeEveryValue) {
  const std::string id = FormField(sim.Requests("/captchaNew.do")[0], "captchaId");
  Search("ab");
  EXPECT_EQ(sim.Requests("/findDisNew").back()["body"],
            "pName=%61%62&pCardNum=&pProvince=0&pCode=abcd&captchaId=" + id);
  Search("");
  EXPECT_EQ(sim.Requests("/findDisNew").back()["body"], "pName=&pCardNum=&pProvince=0&pCode=abcd&captchaId=" + id);
  // A typed "&" or "=" stays inside its field.
  Search("ab", "ab&pName=x", "11-0105.X");
  EXPECT_EQ(sim.Requests("/findDisNew").back()["body"],
            "pName=%61%62&pCardNum=11-0105.X&pProvince=0&pCode=ab%26pName%3Dx&captchaId=" + id);
  MessageAndClose("Fail!");
}

TEST_F(QueryTest, RefusedCodeIsReportedAndTheListStaysEmpty) {
  Search("李明", "zzzz");
  EXPECT_EQ(MessageAndClose("Fail!"), kRefused);
  EXPECT_EQ(ListRowCount(list), 0);
  EXPECT_EQ(WindowTextGbk(Unit("透明标签4")), "N/A");
  EXPECT_EQ(sim.Requests("/captchaNew.do").size(), 1u);  // no new captcha by itself
}

TEST_F(QueryTest, PageJumpReplacesTheRowsAndEveryPageOpensItsOwnRecords) {
  Search("李明");
  Type("跳转页码", "2");
  BringToFront(main);
  ClickAt(main, 200, 45);  // focus in the name box: Enter still turns the page
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return Searches() >= 2; }, 5000));
  ASSERT_TRUE(WaitFor([&] { return RunningWorkers() == 0; }));
  const auto jump = sim.Requests("/findDisNew")[1];
  EXPECT_EQ(jump["body"].get<std::string>().rfind("currentPage=2&pName=%E6%9D%8E%E6%98%8E&pCardNum=&pProvince=0&pCode=abcd&captchaId=", 0), 0u);
  const nlohmann::json page2 = sim.Expect("李明", 2);
  ExpectRowsOf(page2);

  // A row of the jumped-to page opens its own record.
  HWND detail = OpenRow(3);
  ASSERT_NE(detail, nullptr);
  Continue(detail, "abcd");
  EXPECT_EQ(FormField(sim.Requests("/disDetailNew").back(), "id"), page2["rows"][3]["id"].dump());
  PostMessageW(detail, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(detail); }));
}

TEST_F(QueryTest, CtrlDoubleClickOpensTheRowDoubleClickedNotTheFirstSelected) {
  Search("李明");
  const nlohmann::json expected = sim.Expect("李明");
  auto rowPoint = [&](int row) {
    RECT rc{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
    return POINT{rc.left + 40, (rc.top + rc.bottom) / 2};
  };
  BringToFront(main);
  POINT first = rowPoint(1);
  MapWindowPoints(list, main, &first, 1);
  ClickApart(main, first.x, first.y);
  ASSERT_TRUE(WaitFor([&] { return ListSelectedRow(list) == 1; }));
  // Ctrl held through a double click on row 4. Under Wine the mouse input that SendInput
  // gives drops a Ctrl pressed the same way, so the list gets the clicks with the key flag.
  const POINT fifth = rowPoint(4);
  const LPARAM at = MAKELPARAM(fifth.x, fifth.y);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at);
  PostMessageW(list, WM_LBUTTONUP, MK_CONTROL, at);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL, at);
  PostMessageW(list, WM_LBUTTONUP, MK_CONTROL, at);
  HWND detail = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (detail = run->OtherRuntimeWindow()) != nullptr; }, 5000));
  ASSERT_EQ(ListSelectedRow(list), 1) << "row 1 is still the first selected";
  Continue(detail, "abcd");
  EXPECT_EQ(FormField(sim.Requests("/disDetailNew").back(), "id"), expected["rows"][4]["id"].dump());
  PostMessageW(detail, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(detail); }));
}

TEST_F(QueryTest, EnterTypedIntoAnotherWindowStartsNoSearch) {
  HWND other = CreateWindowExW(0, L"Static", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  BringToFront(other);
  PressKey(VK_RETURN);
  Sleep(2500);  // more than two ticks of the poll
  EXPECT_EQ(Searches(), 0);
  DestroyWindow(other);
  // And the key pressed meanwhile does not count once the main window is back in front.
  BringToFront(main);
  Sleep(1500);
  EXPECT_EQ(Searches(), 0);
}

TEST_F(QueryTest, SecondClickWhileSearchingDoesNotMixTwoPages) {
  sim.Control("/__sim/fault?kind=delay&seconds=2&path=/findDisNew&count=1");
  Type("Name", "李明");
  Type("Code", "abcd");
  BringToFront(main);
  ClickApart(main, 515, 72);
  ClickApart(main, 515, 72);  // while the first search still waits
  ASSERT_TRUE(WaitFor([&] { return Searches() == 2 && RunningWorkers() == 0; }, 15000));
  ExpectRowsOf(sim.Expect("李明"));  // one page of ten rows, not twenty
}

TEST_F(QueryTest, ShortNamesKeepEveryCaseNumberOnItsRow) {
  Search("王五");
  ExpectRowsOf(sim.Expect("王五"));
}

TEST_F(QueryTest, DetailShowsTheRecordsTwelveLines) {
  Search("北京华星科技有限公司");
  const nlohmann::json expected = sim.Expect("北京华星科技有限公司");
  HWND detail = OpenRow(0);
  ASSERT_NE(detail, nullptr);
  ASSERT_TRUE(WaitFor([&] { return sim.Requests("/captchaNew.do").size() == 2; }));
  ASSERT_TRUE(WaitFor([&] { return !PictureIsEmpty(FindUnit(detail, "CodeImg")); }));
  EXPECT_FALSE(PictureIsEmpty(Unit("CodeImg")));
  Continue(detail, "ABCD");  // codes compare without regard to case
  const std::string id = expected["rows"][0]["id"].dump();
  const auto request = sim.Requests("/disDetailNew").back();
  EXPECT_EQ(request["path"], "/disDetailNew?id=" + id + "&pCode=ABCD&captchaId=" +
                                 FormField(sim.Requests("/captchaNew.do")[0], "captchaId"));
  EXPECT_EQ(WindowTextGbk(FindUnit(detail, "透明标签1")),
            "您正在查看：" + Gbk(expected["rows"][0]["caseCode"]) + "的详细信息");
  // The escaped quote in this record's duty comes out whole.
  EXPECT_EQ(WindowTextGbk(FindUnit(detail, "编辑框1")), ExpectedDetail(sim.Record(id)));
  SaveScreenshot(detail, "detail_record");
  PostMessageW(detail, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(detail); }));
  EXPECT_EQ(Rows().size(), expected["rows"].size());  // the list is as it was
}

TEST_F(QueryTest, RefusedDetailCodeLeavesTheTextEmpty) {
  Search("王五");
  HWND detail = OpenRow(0);
  ASSERT_NE(detail, nullptr);
  Continue(detail, "zzzz");
  EXPECT_EQ(MessageAndClose("提示："), "返回‘{}’验证码错误，请重新输入！");
  EXPECT_EQ(WindowTextGbk(FindUnit(detail, "编辑框1")), "");
  EXPECT_EQ(WindowTextGbk(FindUnit(detail, "透明标签1")), "请输入验证码后继续！");
  PostMessageW(detail, WM_CLOSE, 0, 0);
}

TEST_F(QueryTest, RowWithoutDateOpensNothing) {
  Search("孙志强");
  const std::vector<Row> rows = Rows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[3][1], "");
  OpenRow(3);
  EXPECT_EQ(MessageAndClose("Fail:"), "所选信息不可为空！");
  EXPECT_EQ(run->OtherRuntimeWindow(), nullptr);
}

TEST_F(QueryTest, RowWithoutCaseNumberOpensNothingAndBareLineFeedsShowAsLines) {
  Search("吴德华");
  const std::vector<Row> rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_NE(rows[1][1], "");
  EXPECT_EQ(rows[1][2], "");
  OpenRow(1);  // no case number to look the record up by: not the first record of the page
  EXPECT_EQ(MessageAndClose("Fail:"), "所选信息不可为空！");
  EXPECT_EQ(run->OtherRuntimeWindow(), nullptr);
  EXPECT_TRUE(sim.Requests("/disDetailNew").empty());

  // The first record's duty has lines that end in a bare LF.
  HWND detail = OpenRow(0);
  ASSERT_NE(detail, nullptr);
  Continue(detail, "abcd");
  const nlohmann::json record = sim.Record(sim.Expect("吴德华")["rows"][0]["id"].dump());
  ASSERT_NE(record["duty"].get<std::string>().find('\n'), std::string::npos);
  HWND text = FindUnit(detail, "编辑框1");
  EXPECT_EQ(WindowTextGbk(text), WithCrLf(ExpectedDetail(record)));
  EXPECT_GT(SendMessageW(text, EM_GETLINECOUNT, 0, 0), 12);
  SaveScreenshot(detail, "detail_line_breaks");
  PostMessageW(detail, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(detail); }));
}

TEST_F(QueryTest, SearchesAskedWhileOneRunsEndWithTheOneAskedLast) {
  // Long enough for the later clicks, each a double-click time apart, to come while it waits.
  sim.Control("/__sim/fault?kind=delay&seconds=4&path=/findDisNew&count=1");
  Type("Code", "abcd");
  BringToFront(main);
  int asked = 0;
  for (const char* name : {"王五", "赵建国", "李明"}) {
    Type("Name", name);
    const int before = RunningWorkers();
    ClickApart(main, 515, 72);
    ASSERT_TRUE(WaitFor([&] { return RunningWorkers() > before; }));  // the click has asked
    if (++asked == 1) {
      ASSERT_TRUE(WaitFor([&] { return Searches() == 1; }));  // held by the delay
    }
  }
  ASSERT_TRUE(WaitFor([&] { return RunningWorkers() == 0; }, 15000));
  const auto searches = sim.Requests("/findDisNew");
  ASSERT_EQ(searches.size(), 2u);  // the one in between was overtaken before it was sent
  EXPECT_EQ(searches[1]["body"].get<std::string>().rfind("pName=%E6%9D%8E%E6%98%8E&", 0), 0u);
  ExpectRowsOf(sim.Expect("李明"));
}

TEST_F(QueryTest, ClosingWhileSearchingLeavesNoWorkerAndSendsNoQueuedSearch) {
  sim.Control("/__sim/fault?kind=delay&seconds=6&path=/findDisNew&count=1");
  Type("Name", "李明");
  Type("Code", "abcd");
  BringToFront(main);
  ClickApart(main, 515, 72);
  ASSERT_TRUE(WaitFor([&] { return Searches() == 1; }));  // inside WinINet, held by the delay
  const int before = RunningWorkers();
  ClickApart(main, 515, 72);  // queued behind it
  ASSERT_TRUE(WaitFor([&] { return RunningWorkers() > before; }));
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(run->WaitForEnd(30000));
  EXPECT_EQ(run->WorkersAtEnd(), 0);
  EXPECT_EQ(Searches(), 1);
}

TEST_F(QueryTest, RepeatedCaseNumberResolvesToTheFirstRecord) {
  Search("赵建国");
  const nlohmann::json expected = sim.Expect("赵建国");
  ASSERT_EQ(Rows()[0][2], Rows()[2][2]);
  for (int row : {0, 2}) {
    HWND detail = OpenRow(row);
    ASSERT_NE(detail, nullptr);
    Continue(detail, "abcd");
    EXPECT_EQ(FormField(sim.Requests("/disDetailNew").back(), "id"), expected["rows"][0]["id"].dump());
    PostMessageW(detail, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(detail); }));
  }
}

TEST_F(QueryTest, ServiceFailuresAreReportedNotShownAsEmptyResults) {
  const struct {
    const char* fault;
    const char* expected;
  } cases[] = {
      {"http500", "查询服务没有按预期应答（可能正忙），请稍后重试。"},
      {"busy", "查询服务没有按预期应答（可能正忙），请稍后重试。"},
      {"reset", "无法连接到查询服务，请检查网络后重试。"},
      {"garbage", nullptr},  // WinINet's reading of garbage varies: either message will do
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    sim.Fault(c.fault, "/findDisNew", -1);  // every try: WinINet may send a POST again after a reset
    Search("李明");
    const std::string message = MessageAndClose("Fail!");
    if (c.expected) {
      EXPECT_EQ(message, c.expected);
    } else {
      EXPECT_NE(message, "(no message box)");
    }
    EXPECT_EQ(ListRowCount(list), 0);
    EXPECT_EQ(WindowTextGbk(Unit("透明标签4")), "N/A");
    sim.Fault("none");
  }
}

TEST_F(QueryTest, UnreadableCaptchaShowsTheFailurePicture) {
  sim.Fault("html-captcha");
  BringToFront(main);
  ClickAt(main, 515, 43);  // the captcha picture
  ASSERT_TRUE(WaitFor([&] { return sim.Requests("/captchaNew.do").size() == 2; }));
  ASSERT_TRUE(WaitFor([&] { return RunningWorkers() == 0; }));
  EXPECT_FALSE(PictureIsEmpty(Unit("CodeImg")));  // the picture that asks for another click
}

TEST_F(QueryTest, SessionCookieTravelsFromCaptchaToSearch) {
  sim.Control("/__sim/config?strict_cookie=1");
  ClickAt(main, 515, 43);  // a captcha fetched under the strict rule
  ASSERT_TRUE(WaitFor([&] { return sim.Requests("/captchaNew.do").size() == 2; }));
  ASSERT_TRUE(WaitFor([&] { return RunningWorkers() == 0; }));
  Search("王五");
  EXPECT_EQ(Rows().size(), 2u);
  EXPECT_FALSE(sim.Requests("/findDisNew").back().value("jsessionid", "").empty());
}

TEST(QueryRuns, EachRunHasItsOwnCaptchaIdentifier) {
  SimulatorClient sim;
  ASSERT_TRUE(sim.Available());
  std::string ids[2];
  for (std::string& id : ids) {
    ProgramRun run(sim.Address());
    ASSERT_NE(AcceptDisclaimer(run), nullptr);
    ASSERT_TRUE(WaitFor([&] { return !sim.Requests("/captchaNew.do").empty(); }));
    id = FormField(sim.Requests("/captchaNew.do").back(), "captchaId");
    sim.Control("/__sim/log/clear");
  }
  EXPECT_NE(ids[0], ids[1]);
}

// Enter that answers a message box of the program belongs to that box: it starts no page
// jump once the main window is in front again.
TEST(QueryRuns, EnterThatAnswersAMessageBoxStartsNoPageJump) {
  SimulatorClient sim;
  ASSERT_TRUE(sim.Available());
  ProgramRun run(sim.Address());
  HWND box = run.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  HWND main = run.MainWindow();
  const auto searches = [&] { return sim.Requests("/findDisNew").size(); };
  const auto answerWithEnter = [&](HWND messageBox) {
    BringToFront(messageBox);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(messageBox); }));
    BringToFront(main);
    Sleep(2500);  // more than two ticks of the poll
  };
  answerWithEnter(box);  // the disclaimer: Yes is its default button
  ASSERT_TRUE(WaitFor([&] { return sim.Requests("/captchaNew.do").size() == 1; }));
  EXPECT_EQ(searches(), 0u);

  SetWindowTextW(FindUnit(main, "Name"), L"x");
  SetWindowTextW(FindUnit(main, "Code"), L"zzzz");
  ClickApart(main, 515, 72);
  box = run.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), kRefused);
  answerWithEnter(box);
  EXPECT_EQ(searches(), 1u);
}

TEST(QueryRuns, DecliningTheDisclaimerSendsNothing) {
  SimulatorClient sim;
  ASSERT_TRUE(sim.Available());
  {
    ProgramRun run(sim.Address());
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDNO);
    ASSERT_TRUE(run.WaitForEnd());
  }
  EXPECT_TRUE(sim.Control("/__sim/log").empty());
}
