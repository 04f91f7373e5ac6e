// The skinned list controls: the system's scroll bars inside the engine's frame ring, and a
// long list scrolled through without a growing GDI count.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "skin/list_control.h"
#include "tests/skin/gdi_objects.h"
#include "tests/skin/skin_fixture.h"

namespace {

HWND LongList(TestWindow& window, int rows) {
  HWND list = window.AddChild(WC_LISTVIEWW, 10, 40, 300, 220, LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = 400;  // wider than the list: a horizontal bar too
  column.pszText = const_cast<wchar_t*>(L"名称");
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < rows; ++i) {
    std::wstring text = L"第" + std::to_wstring(i) + L"行";
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = text.data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  return list;
}

int Top(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)); }

// Screen point of a window-coordinate point of the control.
LPARAM ScreenAt(HWND control, int x, int y) {
  RECT r{};
  GetWindowRect(control, &r);
  return MAKELPARAM(r.left + x, r.top + y);
}

}  // namespace

// The list keeps the system's scroll bars: they are drawn by the system inside the engine's
// ring, and the wheel, the keys and a click on the bar scroll the list as they would unskinned.
TEST_F(SkinTest, ListsShowTheSystemsScrollBarsInsideTheRing) {
  TestWindow window(400, 320);
  HWND list = LongList(window, 2000);
  TestWindow plain(400, 320);
  HWND plainWindowList = LongList(plain, 2000);
  Skin().ApplySkin(window.Get(), 25);
  for (HWND w : {window.Get(), plain.Get()}) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  Pump();
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &bar));
  RECT outer{};
  GetWindowRect(list, &outer);
  // The middle of the thumb and of the down arrow read the same as in the plain list.
  const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2 - outer.left;
  const int thumbY = bar.rcScrollBar.top - outer.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
  const int arrowY = bar.rcScrollBar.bottom - outer.top - 3;
  HDC skinned = GetWindowDC(list), system = GetWindowDC(plainWindowList);
  for (const int y : {thumbY, arrowY}) EXPECT_EQ(GetPixel(skinned, x, y), GetPixel(system, x, y)) << y;
  // The ring is the engine's: its corner differs from the system's client edge.
  EXPECT_NE(GetPixel(skinned, 0, 0), GetPixel(system, 0, 0));
  ReleaseDC(list, skinned);
  ReleaseDC(plainWindowList, system);

  const auto top = [&] { return Top(list); };
  SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), ScreenAt(list, 100, 100));
  EXPECT_GT(top(), 0);
  const int afterWheel = top();
  SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(top(), afterWheel);
}

TEST_F(SkinTest, ScrollingALongListLeavesTheGdiCountFlat) {
  TestWindow window(400, 320);
  HWND list = LongList(window, 2000);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  const auto scrollThrough = [&] {
    SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    for (int i = 0; i < 120 && Top(list) + 30 < 2000; ++i) {
      SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
      UpdateWindow(list);
    }
  };
  scrollThrough();
  // Once hovered and repainted, every picture the list keeps has been made.
  SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(10, 30));
  SendMessageW(list, WM_MOUSELEAVE, 0, 0);
  SetFocus(list);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const std::size_t before = LiveGdiObjects();
  scrollThrough();
  for (int i = 0; i < 500; ++i) {
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(10 + i % 50, 30));
    SendMessageW(list, WM_MOUSELEAVE, 0, 0);
    if (i % 10 == 0) RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
  EXPECT_TRUE(Engine().backdrops.empty());
}
