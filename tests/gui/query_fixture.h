#pragma once
// The fixture of the tests that start the program: started against the simulator with the
// disclaimer accepted and the first captcha shown, and the steps of a user (type the form,
// search, open a row, continue, answer a message).
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "runtime/gbk_text.h"
#include "runtime/threads.h"
#include "runtime/units.h"
#include "runtime/window.h"
#include "tests/gui/gui_harness.h"
#include "tests/gui/simulator_client.h"

inline constexpr char kRefused[] = "验证码错误或验证码已过期，请重新输入！";
inline constexpr char kHint[] = "双击查看详情";

using Row = std::array<std::string, 4>;

class QueryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim.Available()) << "VERADIN_SIM is not set: run the tests through scripts/test.sh";
    run = std::make_unique<ProgramRun>(sim.Address());
    main = AcceptDisclaimer(*run);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return sim.Requests("/captchaNew.do").size() == 1; }));
    ASSERT_TRUE(WaitFor([&] { return !PictureIsEmpty(Unit("CodeImg")); }));
    list = Unit("超级列表框1");
  }
  void TearDown() override { run.reset(); }

  HWND Unit(const char* name) const { return FindUnit(main, name); }
  void Type(const char* unit, const std::string& gbk) const {
    SetWindowTextW(Unit(unit), GbkToWide(gbk).c_str());
  }
  // The program has handled what it was asked: no worker runs, or one waits for a message.
  bool Settled() const { return RunningWorkers() == 0 || run->FindWindowWithClass(L"#32770") != nullptr; }
  std::vector<nlohmann::json> SearchRequests() const { return sim.Requests("/findDisNew"); }
  int Searches() const { return static_cast<int>(SearchRequests().size()); }
  // Types the form, clicks Query and waits until the reply has been handled.
  void Search(const std::string& name, const std::string& code = "abcd", const std::string& id = "",
              unsigned settle = 10000) {
    Type("Name", name);
    Type("IDNum", id);
    Type("Code", code);
    const int before = Searches();
    BringToFront(main);
    ClickApart(main, 515, 72);
    ASSERT_TRUE(WaitFor([&] { return Searches() > before; }));  // WinINet may send a POST again after a reset
    ASSERT_TRUE(WaitFor([&] { return Settled(); }, settle));
  }
  std::vector<Row> Rows() const {
    std::vector<Row> rows(static_cast<size_t>(ListRowCount(list)));
    for (size_t r = 0; r < rows.size(); ++r)
      for (int c = 0; c < 4; ++c) rows[r][static_cast<size_t>(c)] = ListGetCell(list, static_cast<int>(r), c);
    return rows;
  }
  void ExpectRowsOf(const nlohmann::json& expected) const {
    const std::vector<Row> rows = Rows();
    ASSERT_EQ(rows.size(), expected["rows"].size());
    for (size_t i = 0; i < rows.size(); ++i) {
      const auto& e = expected["rows"][i];
      SCOPED_TRACE(i);
      EXPECT_EQ(rows[i][0], Gbk(e["name"]));
      EXPECT_EQ(rows[i][1], Gbk(e["date"]));
      EXPECT_EQ(rows[i][2], Gbk(e["caseCode"]));
      EXPECT_EQ(rows[i][3], kHint);
    }
  }
  HWND OpenRow(int row) {
    RECT rc{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
    POINT p{rc.left + 40, (rc.top + rc.bottom) / 2};
    MapWindowPoints(list, main, &p, 1);
    BringToFront(main);
    ClickAt(main, p.x, p.y, /*doubleClick=*/true);
    HWND detail = nullptr;
    WaitFor([&] { return (detail = run->OtherRuntimeWindow()) != nullptr; }, 5000);
    return detail;
  }
  // In the open detail window: types the code, clicks 继续 and waits for the reply.
  void Continue(HWND detail, const std::string& code) {
    const size_t before = sim.Requests("/disDetailNew").size();
    SetWindowTextW(FindUnit(detail, "编辑框2"), GbkToWide(code).c_str());
    BringToFront(detail);
    ClickAt(detail, 260, 376);
    ASSERT_TRUE(WaitFor([&] { return sim.Requests("/disDetailNew").size() == before + 1; }));
    ASSERT_TRUE(WaitFor([&] { return Settled(); }));
  }
  // The text of the next message box (with its title checked when one is given), answered OK.
  std::string MessageAndClose(const char* expectedTitle, unsigned wait = 5000) {
    HWND box = run->WaitForMessageBox(wait);
    if (!box) return "(no message box)";
    if (expectedTitle) {
      EXPECT_EQ(WindowTextGbk(box), expectedTitle);
    }
    const std::string text = MessageBoxText(box);
    AnswerMessageBox(box, IDOK);
    WaitFor([&] { return !IsWindow(box); });
    return text;
  }

  SimulatorClient sim;
  std::unique_ptr<ProgramRun> run;
  HWND main = nullptr, list = nullptr;
};
