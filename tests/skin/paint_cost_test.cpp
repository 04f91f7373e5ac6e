// What the engine's paints cost in counts that do not depend on the machine: a window skinned
// before it shows is composed once, a scroll step asks the window server for nothing and makes
// no bitmap, a row count that brings and takes the scroll bar makes no new bitmap once its
// pictures exist, and the veil laid by table is byte for byte the veil GDI+ lays.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "gdiplus/brush_objects.h"
#include "runtime/embedded.h"
#include "skin/veil.h"
#include "tests/skin/message_count.h"
#include "tests/skin/skin_fixture.h"

namespace {

void UseSkinPicture(SkinEngine& skin) {
  const auto bytes = EmbeddedBytes(L"SKIN_IMAGE");
  skin.SetSkinImage({}, std::vector<std::uint8_t>(bytes.begin(), bytes.end()), RGB(0, 0, 0), RGB(255, 255, 255), 3);
}

// An owner-data report list of four columns whose parent gives no texts (the rows are blank).
HWND OwnerDataList(TestWindow& window, int rows) {
  HWND list = window.AddChild(WC_LISTVIEWW, 5, 88, 380, 220, LVS_REPORT | LVS_OWNERDATA, WS_EX_CLIENTEDGE);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int c = 0; c < 4; ++c) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 90;
    column.pszText = const_cast<wchar_t*>(L"列");
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  SendMessageW(list, LVM_SETITEMCOUNT, rows, 0);
  return list;
}

// The list in a skinned window, painted whole once.
HWND SkinnedOwnerDataList(SkinEngine& skin, TestWindow& window, int rows) {
  HWND list = OwnerDataList(window, rows);
  skin.ApplySkin(window.Get(), 25);
  RedrawWindow(window.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  return list;
}

// Nothing made afresh and nothing asked of the window server.
void ExpectNothingMade(const PaintCounters& made) {
  EXPECT_EQ(made.dibSections, 0);
  EXPECT_EQ(made.gdiplusCalls, 0);
  EXPECT_EQ(made.composes, 0);
  EXPECT_EQ(made.classLookups, 0);
  EXPECT_EQ(made.propertyLookups, 0);
}

// What the engine counted while `work` ran.
PaintCounters CountedOver(const std::function<void()>& work) {
  const PaintCounters before = ReadPaintCounters();
  work();
  return ReadPaintCounters() - before;
}

}  // namespace

// Every alpha the veil may take, over every value a channel may hold and in a block inside a
// larger picture: the table gives what the fill gives, and nothing outside the block moves.
TEST_F(SkinTest, VeilByTableEqualsTheFillItReplaces) {
  constexpr int kWidth = 97, kHeight = 31;
  std::mt19937 random(7);
  std::vector<std::uint32_t> picture(kWidth * kHeight);
  for (std::uint32_t& p : picture) p = random();
  struct Case {
    int alpha;
    RECT block;
  };
  const Case cases[] = {{0, {0, 0, kWidth, kHeight}}, {1, {0, 0, kWidth, kHeight}}, {100, {0, 0, kWidth, kHeight}},
                        {160, {3, 5, 60, 29}},        {254, {96, 0, 97, 31}},         {255, {10, 10, 11, 11}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.alpha);
    std::vector<std::uint32_t> byFill = picture, byTable = picture;
    const RECT& b = c.block;
    {
      PixelGraphics g(byFill.data(), kWidth, kHeight);
      SolidBrushObject veil;
      ASSERT_TRUE(g.Ok() && veil.CreateSolidFill(ToArgb(RGB(255, 255, 255), c.alpha)));
      g.Get().FillRectangleI(veil, b.left, b.top, b.right - b.left, b.bottom - b.top);
    }
    ASSERT_TRUE(LayVeilOnPixels(byTable.data(), kWidth, b.left, b.top, b.right - b.left, b.bottom - b.top, c.alpha));
    int differing = 0;
    for (size_t i = 0; i < picture.size(); ++i) differing += byFill[i] != byTable[i];
    EXPECT_EQ(differing, 0);
  }
}

// A window of the main window's kinds of controls, skinned before it shows, is composed once
// and painted once on its way to the screen, and all its controls' veiled backdrops come from
// one veiled copy of its back buffer.
TEST_F(SkinTest, AWindowSkinnedBeforeItShowsIsComposedAndPaintedOnce) {
  UseSkinPicture(Skin());
  TestWindow window(400, 330, WS_POPUP | WS_MINIMIZEBOX);
  window.AddChild(L"Static", 10, 34, 90, 24);
  window.AddChild(L"Edit", 108, 34, 160, 25, 0, WS_EX_CLIENTEDGE);
  window.AddChild(L"Edit", 108, 61, 160, 25, 0, WS_EX_CLIENTEDGE);
  window.AddChild(L"Button", 280, 60, 100, 25, BS_PUSHBUTTON);
  OwnerDataList(window, 2000);
  MessageCount paints({WM_PAINT});
  const PaintCounters made = CountedOver([&] {
    Skin().ApplySkin(window.Get(), 25);
    ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
    UpdateWindow(window.Get());
    RedrawWindow(window.Get(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
  });
  EXPECT_EQ(paints.Of(window.Get(), WM_PAINT), 1);
  EXPECT_EQ(made.composes, 1);
  EXPECT_EQ(made.veiledBuffers, 1);
  EXPECT_EQ(made.propertyLookups, 0);
}

// Page, line and wheel steps once the list has shown each: no class name or property asked,
// no bitmap made, no GDI+ call, no new composition.
TEST_F(SkinTest, AScrollStepAsksNothingAndMakesNoBitmap) {
  TestWindow window(400, 330);
  HWND list = SkinnedOwnerDataList(Skin(), window, 2000);
  RECT r{};
  GetWindowRect(list, &r);
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"page", [&] { SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0); }},
      {"line", [&] { SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0); }},
      {"wheel",
       [&] {
         SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                      MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
       }},
  };
  for (const auto& [name, step] : steps) {
    SCOPED_TRACE(name);
    const auto stepAndPaint = [&] {
      step();
      UpdateWindow(list);
    };
    stepAndPaint();
    const PaintCounters made = CountedOver([&] {
      for (int i = 0; i < 5; ++i) stepAndPaint();
    });
    ExpectNothingMade(made);
  }
}

// A search empties the list and hands it a new count: the scroll bar comes and goes, and once
// the list has shown both shapes, neither makes a bitmap, a GDI+ call or a new composition.
TEST_F(SkinTest, ARowCountThatBringsTheScrollBarMakesNoNewPictures) {
  TestWindow window(400, 330);
  HWND list = SkinnedOwnerDataList(Skin(), window, 10);
  const auto handOver = [&](int rows) {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(list, LVM_SETITEMCOUNT, rows, LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    Pump();
  };
  handOver(2000);
  handOver(10);
  const PaintCounters made = CountedOver([&] {
    for (int rows : {2000, 10, 2000, 10, 2000}) handOver(rows);
  });
  EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL);
  ExpectNothingMade(made);
}
