// The painted scroll bars: geometry and thumb arithmetic, and a long list followed by its
// bars through keys, the wheel, page clicks and a thumb drag.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "skin/list_control.h"
#include "skin/scroll_bars.h"
#include "tests/skin/gdi_objects.h"
#include "tests/skin/skin_fixture.h"

namespace {

SCROLLINFO Info(int min, int max, int page, int pos) {
  SCROLLINFO s{};
  s.cbSize = sizeof s;
  s.fMask = SIF_ALL;
  s.nMin = min;
  s.nMax = max;
  s.nPage = static_cast<UINT>(page);
  s.nPos = pos;
  return s;
}

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

LPARAM ClientAt(HWND control, int x, int y) {
  POINT p{x, y};
  RECT r{};
  GetWindowRect(control, &r);
  p.x += r.left;
  p.y += r.top;
  ScreenToClient(control, &p);
  return MAKELPARAM(p.x, p.y);
}

}  // namespace

TEST(ScrollBarGeometry, ThumbFollowsThePositionAtTheEndsAndTheMiddle) {
  const RECT bar{100, 20, 116, 220};  // 16 wide, 200 long: arrows 16, track 168
  const struct {
    SCROLLINFO info;
    bool shown;
    int thumbStart, thumbLength;
  } cases[] = {
      {Info(0, 1999, 20, 0), true, 16, 10},       // 2,000 rows: the thumb is held at its least length
      {Info(0, 1999, 20, 1980), true, 174, 10},   // the last page: the thumb touches the lower arrow
      {Info(0, 1999, 20, 990), true, 95, 10},     // the middle
      {Info(0, 1999, 20, 5000), true, 174, 10},   // a position past the end is held at the end
      {Info(0, 99, 50, 25), true, 58, 84},        // half the range on a page: half the track
      {Info(0, 19, 20, 0), false, 0, 0},          // everything on one page: no thumb
      {Info(10, 10, 0, 10), false, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.info.nMax << "/" << c.info.nPage << " at " << c.info.nPos);
    const BarGeometry g = ComputeBarGeometry(bar, true, c.info);
    EXPECT_EQ(g.arrow, 16);
    EXPECT_EQ(g.track, 168);
    ASSERT_EQ(g.thumbShown, c.shown);
    if (!c.shown) continue;
    EXPECT_EQ(g.thumbStart, c.thumbStart);
    EXPECT_EQ(g.thumbLength, c.thumbLength);
    // Thumb place and position convert back and forth.
    EXPECT_EQ(PositionForThumb(g, g.thumbStart), std::min(c.info.nPos, g.maxPos));
  }
  const BarGeometry g = ComputeBarGeometry(bar, true, Info(0, 1999, 20, 990));
  EXPECT_EQ(PositionForThumb(g, 0), 0);     // dragged above the track
  EXPECT_EQ(PositionForThumb(g, 500), 1980);  // and below it
  const struct {
    int along;
    BarPart part;
  } parts[] = {{19, BarPart::None},       {20, BarPart::ArrowBack},   {35, BarPart::ArrowBack},
               {36, BarPart::PageBack},   {114, BarPart::PageBack},   {115, BarPart::Thumb},
               {124, BarPart::Thumb},     {125, BarPart::PageForward}, {203, BarPart::PageForward},
               {204, BarPart::ArrowForward}, {219, BarPart::ArrowForward}, {220, BarPart::None}};
  for (const auto& p : parts) EXPECT_EQ(PartAt(g, p.along), p.part) << p.along;
  // A bar shorter than two arrows gives each arrow half and no track.
  const BarGeometry tiny = ComputeBarGeometry(RECT{0, 0, 16, 20}, true, Info(0, 99, 10, 0));
  EXPECT_EQ(tiny.arrow, 10);
  EXPECT_FALSE(tiny.thumbShown);
}

TEST_F(SkinTest, PaintedBarsFollowALongListAtEveryStep) {
  TestWindow window(400, 320);
  HWND list = LongList(window, 2000);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  Pump();
  BarGeometry g;
  ASSERT_TRUE(ListBarGeometry(list, SB_VERT, g));
  ASSERT_TRUE(g.thumbShown);
  const auto thumbAt = [&] {
    BarGeometry now;
    ListBarGeometry(list, SB_VERT, now);
    return now.thumbStart;
  };
  const auto pageKeyDown = [&] {
    SendMessageW(list, WM_KEYDOWN, VK_NEXT, 0);
    SendMessageW(list, WM_KEYUP, VK_NEXT, 0);
  };
  // Keys, then the wheel, each move the thumb the way the list went.
  SetFocus(list);
  int last = thumbAt();
  pageKeyDown();
  pageKeyDown();
  EXPECT_GT(Top(list), 0);
  EXPECT_GT(thumbAt(), last);
  last = thumbAt();
  SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA * 3)), ScreenAt(list, 100, 100));
  EXPECT_GE(thumbAt(), last);
  // Page clicks on the track below the thumb reach the end; the thumb then touches the arrow.
  ListControlRecord& record = *static_cast<ListControlRecord*>(FamilyRecordOf(list, Family::ListControl));
  const int x = (g.bar.left + g.bar.right) / 2;
  for (int i = 0, last = -1; i < 400 && Top(list) != last; ++i) {
    last = Top(list);
    BarGeometry now;
    ListBarGeometry(list, SB_VERT, now);
    const int below = std::min(now.start + now.thumbStart + now.thumbLength + 2, now.start + now.length - now.arrow - 1);
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, ScreenAt(list, x, below));
    SendMessageW(list, WM_LBUTTONUP, 0, ClientAt(list, x, below));
  }
  EXPECT_GE(Top(list), 1980 - 30);
  BarGeometry end;
  ListBarGeometry(list, SB_VERT, end);
  EXPECT_EQ(end.thumbStart + end.thumbLength, end.arrow + end.track);
  EXPECT_EQ(record.painted[SB_VERT].pos, GetScrollPos(list, SB_VERT));
  // The thumb dragged to the middle brings the middle rows.
  ListBarGeometry(list, SB_VERT, g);
  const int grab = g.start + g.thumbStart + g.thumbLength / 2;
  SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, ScreenAt(list, x, grab));
  EXPECT_EQ(GetCapture(), list);
  const int middle = g.start + g.arrow + (g.track - g.thumbLength) / 2 + g.thumbLength / 2;
  SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, ClientAt(list, x, middle));
  SendMessageW(list, WM_LBUTTONUP, 0, ClientAt(list, x, middle));
  EXPECT_NE(GetCapture(), list);
  const int page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_NEAR(Top(list), (2000 - page) / 2, 25);
  EXPECT_EQ(record.dragBar, -1);
  // The thumb on the screen is where the geometry says: darker than the track beside it.
  ListBarGeometry(list, SB_VERT, g);
  HDC dc = GetWindowDC(list);
  const COLORREF thumb = GetPixel(dc, x, g.start + g.thumbStart + g.thumbLength / 2);
  const int trackY = g.thumbStart > g.arrow + 20 ? g.start + g.arrow + 5 : g.start + g.length - g.arrow - 5;
  const COLORREF track = GetPixel(dc, x, trackY);
  ReleaseDC(list, dc);
  EXPECT_LT(GetRValue(thumb) + GetGValue(thumb) + GetBValue(thumb), GetRValue(track) + GetGValue(track) + GetBValue(track) - 30)
      << std::hex << thumb << " " << track;
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
