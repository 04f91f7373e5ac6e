// The main window in its skin, as a user sees it: region, caption buttons with their tips,
// hover and pressed looks, the veil under the labels; screenshots of each state.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/gbk_text.h"
#include "runtime/threads.h"
#include "runtime/ui_thread.h"
#include "runtime/units.h"
#include "runtime/window.h"
#include "tests/gui/gui_harness.h"
#include "tests/gui/simulator_client.h"

namespace {

struct Tip {
  std::wstring text;
  RECT rect;
};

void AddTips(HWND tooltip, HWND main, std::vector<Tip>& tips) {
  const int count = static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[80] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.lpszText = text;  // the control writes the tip into our own buffer
    if (SendMessageW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&info)) && info.hwnd == main) {
      tips.push_back({text, info.rect});
    }
  }
}

BOOL CALLBACK CollectTooltip(HWND window, LPARAM list) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The caption buttons' tips, read from the tooltip windows of the program's thread (the
// list view has one of its own).
std::vector<Tip> CaptionTips(const ProgramRun& run, HWND main) {
  std::vector<HWND> tooltips;
  EnumThreadWindows(run.ThreadId(), CollectTooltip, reinterpret_cast<LPARAM>(&tooltips));
  std::vector<Tip> tips;
  for (HWND tooltip : tooltips) AddTips(tooltip, main, tips);
  return tips;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

int Sum(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

class SkinLook : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim.Available()) << "VERADIN_SIM is not set: run the tests through scripts/test.sh";
    run = std::make_unique<ProgramRun>(sim.Address());
    box = run->WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    main = run->MainWindow();
    ASSERT_NE(main, nullptr);
  }
  void Accept() {
    AnswerMessageBox(box, IDYES);
    ASSERT_TRUE(WaitFor([&] { return run->FindWindowWithClass(L"#32770") == nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return RunningWorkers() == 0; }));
    BringToFront(main);
    Sleep(300);
  }

  SimulatorClient sim;
  std::unique_ptr<ProgramRun> run;
  HWND box = nullptr;
  HWND main = nullptr;
};

}  // namespace

TEST_F(SkinLook, DisclaimerOpensOverTheSkinnedWindow) {
  // Rounded region: the corner pixel is not the window's.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(main, region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_TRUE(PtInRegion(region, 296, 260));
  DeleteObject(region);

  // The program menu, minimize and close, with their tips, inside the window's width.
  const std::vector<Tip> tips = CaptionTips(*run, main);
  ASSERT_EQ(tips.size(), 3u);
  EXPECT_EQ(tips[0].text, L"菜单");
  EXPECT_EQ(tips[1].text, L"最小化");
  EXPECT_EQ(tips[2].text, L"关闭");
  EXPECT_LT(tips[0].rect.right, tips[1].rect.left + 1);
  EXPECT_EQ(tips[2].rect.right - tips[2].rect.left, 40);
  EXPECT_LE(tips[2].rect.right, 593);
  EXPECT_LE(tips[1].rect.bottom, 25);

  // The border line is darker than the picture just inside it.
  EXPECT_LT(Sum(ScreenPixel(main, 0, 150)), Sum(ScreenPixel(main, 6, 150)));
  SaveScreenshot(main, "skin_main_disclaimer");
  AnswerMessageBox(box, IDYES);
}

TEST_F(SkinLook, VeilLiesUnderTheLabels) {
  Accept();
  // "N/A" sits at the left of its label; its right end shows the veiled picture, lighter
  // than the bare picture in the gap just above the label.
  const COLORREF veiled = ScreenPixel(main, 584, 512);
  const COLORREF bare = ScreenPixel(main, 584, 495);
  EXPECT_GT(Sum(veiled), Sum(bare) + 40) << std::hex << veiled << " " << bare;
  SaveScreenshot(main, "skin_main");
}

TEST_F(SkinLook, CaptionButtonsHoverPressAndAct) {
  Accept();
  const std::vector<Tip> tips = CaptionTips(*run, main);
  ASSERT_EQ(tips.size(), 3u);
  const RECT menu = tips[0].rect, minimize = tips[1].rect, close = tips[2].rect;
  const int closeX = close.left + 4, closeY = (close.top + close.bottom) / 2;
  const COLORREF before = ScreenPixel(main, closeX, closeY);

  auto redness = [](COLORREF c) { return GetRValue(c) - GetGValue(c); };
  MoveCursorTo(main, 300, 300);  // a move from elsewhere, so that the window sees one
  Sleep(100);
  MoveCursorTo(main, (close.left + close.right) / 2, closeY);
  // The fade takes eight 20 ms steps; a loaded machine may deliver them late.
  EXPECT_TRUE(WaitFor([&] { return redness(ScreenPixel(main, closeX, closeY)) > redness(before) + 20; }, 5000))
      << "the close button turns red under the mouse";
  Sleep(200);
  SaveScreenshot(main, "skin_close_hovered");

  // Pressed, then released off the button: the press is withdrawn.
  const int minimizeX = (minimize.left + minimize.right) / 2, minimizeY = (minimize.top + minimize.bottom) / 2;
  MoveCursorTo(main, minimizeX, minimizeY);
  Sleep(100);
  LeftButton(true);
  Sleep(300);
  SaveScreenshot(main, "skin_minimize_pressed");
  MoveCursorTo(main, 300, 300);
  Sleep(100);
  LeftButton(false);
  Sleep(300);
  EXPECT_FALSE(IsIconic(main));

  // The menu button opens the program menu.
  ClickAt(main, (menu.left + menu.right) / 2, (menu.top + menu.bottom) / 2);
  HWND popup = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (popup = run->FindWindowWithClass(L"#32768")) != nullptr; }, 5000));
  if (popup) {
    SaveScreenshot(main, "skin_program_menu");
    RunOnUiThread([] { EndMenu(); });
    WaitFor([&] { return !IsWindowVisible(popup); }, 5000);
  }

  // A whole click minimizes; the close button closes and ends the program.
  ClickAt(main, minimizeX, minimizeY);
  EXPECT_TRUE(WaitFor([&] { return IsIconic(main) != 0; }, 5000));
  ShowWindow(main, SW_RESTORE);
  BringToFront(main);
  ASSERT_TRUE(WaitFor([&] { return !IsIconic(main); }, 5000));
  Sleep(300);
  ClickAt(main, (close.left + close.right) / 2, closeY);
  EXPECT_TRUE(run->WaitForEnd(10000));
}

TEST_F(SkinLook, ResultsReadOverTheSkin) {
  Accept();
  SetWindowTextW(FindUnit(main, "Name"), GbkToWide("李明").c_str());
  SetWindowTextW(FindUnit(main, "Code"), L"abcd");
  BringToFront(main);
  ClickApart(main, 515, 72);
  HWND list = FindUnit(main, "超级列表框1");
  ASSERT_TRUE(WaitFor([&] { return ListRowCount(list) == 10 && RunningWorkers() == 0; }));
  Sleep(300);
  SaveScreenshot(main, "skin_main_results");
}
