// The skinned controls of the main window as a user sees them: screenshots of the window
// with results, the Query button hovered and pressed, an edit box focused and the list
// scrolled, and the checks of the window's behaviour that the skin must not change.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "runtime/units.h"
#include "tests/gui/query_fixture.h"

namespace {

class SkinControlsTest : public QueryTest {
 protected:
  void TearDown() override {
    sim.Control("/__sim/config?bench_rows=0");
    QueryTest::TearDown();
  }
  // Moves the real cursor to client coordinates of the main window.
  void PointAt(int x, int y) {
    POINT p{x, y};
    ClientToScreen(main, &p);
    SetCursorPos(p.x, p.y);
    Sleep(150);
  }
};

}  // namespace

TEST_F(SkinControlsTest, ResultsHoverPressAndFocusAsAUserSeesThem) {
  Search("李明");
  ASSERT_GT(ListRowCount(list), 0);
  EXPECT_EQ(Searches(), 1);  // one click, one search, through the owner-drawn button
  PointAt(5, 300);
  SaveScreenshot(main, "skin_results");

  PointAt(500, 70);  // over 查询
  SaveScreenshot(main, "skin_query_hovered");
  POINT p{500, 70};
  ClientToScreen(main, &p);
  INPUT down{};
  down.type = INPUT_MOUSE;
  down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &down, sizeof down);
  Sleep(250);
  SaveScreenshot(main, "skin_query_pressed");
  // Released off the button: no click, so no second search.
  PointAt(5, 300);
  INPUT up{};
  up.type = INPUT_MOUSE;
  up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &up, sizeof up);
  Sleep(300);
  EXPECT_EQ(Searches(), 1);

  BringToFront(main);
  ClickAt(main, 150, 46);  // into Name
  Sleep(250);
  SaveScreenshot(main, "skin_edit_focused");
}

TEST_F(SkinControlsTest, ALongListScrolledToTheMiddleAndTheEnd) {
  sim.Control("/__sim/config?bench_rows=2000");
  Search("李明", "abcd", "", 90000);
  ASSERT_TRUE(WaitFor([&] { return ListRowCount(list) == 2000; }, 60000));
  BringToFront(main);
  SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
  SendMessageW(list, LVM_ENSUREVISIBLE, 1000, FALSE);
  Sleep(300);
  SaveScreenshot(main, "skin_list_scrolled");
  SendMessageW(list, LVM_ENSUREVISIBLE, 1999, FALSE);
  Sleep(300);
  SaveScreenshot(main, "skin_list_end");
  // The list still reads as before through its own messages.
  EXPECT_FALSE(ListGetCell(list, 1999, 0).empty());
}
