// The band along a skinned window's foot: its cells' layout, the windows docked above it as
// the window resizes, and a cell's new text redrawn over the band's own background.
#include <windows.h>

#include "skin/caption_band.h"
#include "skin/frame_paint.h"
#include "tests/skin/skin_fixture.h"

namespace {

struct Cell {
  int left, right;
};

}  // namespace

TEST(CaptionBand, CellsShareWhatFixedWidthsLeave) {
  struct Case {
    const char* name;
    int width, height, band;
    std::vector<int> widths;
    std::vector<Cell> cells;  // top and bottom are the band's, two pixels in
  } cases[] = {
      // Band from x = 3 to 397; cells from 7, gaps of 4, 386 pixels to share.
      {"one shared", 400, 300, 24, {0}, {{7, 393}}},
      {"fixed and shared", 400, 300, 24, {100, 0, 50}, {{7, 107}, {111, 339}, {343, 393}}},
      {"two shared, odd pixels last", 400, 300, 24, {0, 0, 0}, {{7, 133}, {137, 263}, {267, 393}}},
      {"fixed wider than the band", 100, 300, 24, {200, 0}, {{7, 207}, {211, 211}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BandLayout layout = LayOutBand(c.width, c.height, c.band, c.widths);
    EXPECT_EQ(layout.band.left, kFrameBorder);
    EXPECT_EQ(layout.band.right, c.width - kFrameBorder);
    EXPECT_EQ(layout.band.bottom, c.height - kFrameBorder);
    EXPECT_EQ(layout.band.top, c.height - kFrameBorder - c.band);
    ASSERT_EQ(layout.cells.size(), c.cells.size());
    for (size_t i = 0; i < c.cells.size(); ++i) {
      EXPECT_EQ(layout.cells[i].left, c.cells[i].left) << i;
      EXPECT_EQ(layout.cells[i].right, c.cells[i].right) << i;
      EXPECT_EQ(layout.cells[i].top, layout.band.top + 2);
      EXPECT_EQ(layout.cells[i].bottom, layout.band.bottom - 2);
    }
  }
  EXPECT_TRUE(LayOutBand(400, 300, 0, {0}).cells.empty()) << "no band, no cells";
  EXPECT_TRUE(LayOutBand(400, 10, 24, {0}).cells.empty()) << "a band taller than the window";
}

TEST_F(SkinTest, DockedWindowsFollowTheSizeDownToTheBand) {
  TestWindow window(400, 300);
  HWND w = window.Get();
  HWND docked = window.AddChild(L"Static", 0, 0, 10, 10);
  Skin().ApplySkin(w, 25);
  EXPECT_FALSE(Skin().DockInWindow(w, GetDesktopWindow(), 40)) << "only the window's own children";
  ASSERT_TRUE(Skin().DockInWindow(w, docked, 40));
  ASSERT_TRUE(Skin().SetBand(w, 24, {{"就绪", 80}, {"", 0}}));
  struct Size {
    int width, height;
  } sizes[] = {{400, 300}, {520, 410}, {300, 200}};
  for (const Size& s : sizes) {
    SetWindowPos(w, nullptr, 0, 0, s.width, s.height, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{}, placed{};
    GetClientRect(w, &client);
    GetWindowRect(docked, &placed);
    MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&placed), 2);
    const RECT expected = DockedRect(client.right, client.bottom, 40, 24);
    EXPECT_TRUE(EqualRect(&placed, &expected)) << s.width << "x" << s.height << ": " << placed.left << ","
                                               << placed.top << "," << placed.right << "," << placed.bottom;
    EXPECT_EQ(placed.bottom, client.bottom - 24 - 3);
  }
}

TEST_F(SkinTest, ANewCellTextRedrawsOverTheBandsOwnBackground) {
  TestWindow window(400, 300);
  HWND w = window.Get();
  Skin().SetSkinImage({}, {}, RGB(40, 70, 110));
  Skin().ApplySkin(w, 25);
  Skin().SetBand(w, 24, {{"就绪 Ready", 120}, {"", 0}});
  UpdateWindow(w);
  auto band = [&] {
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(w);
    for (int y = 300 - 3 - 24; y < 300 - 3; y += 2) {
      for (int x = 3; x < 397; x += 3) pixels.push_back(GetPixel(dc, x, y));
    }
    ReleaseDC(w, dc);
    return pixels;
  };
  const auto before = band();
  EXPECT_NE(before[0], RGB(40, 70, 110)) << "the band lies over the skin colour";
  const char* texts[] = {"查询中…… Searching", "", "共 10 条 10 rows"};
  for (int round = 0; round < 4; ++round) {
    for (const char* text : texts) ASSERT_TRUE(Skin().SetBandItemText(w, 1, text));
  }
  EXPECT_NE(band(), before) << "the new text shows";
  Skin().SetBandItemText(w, 1, "");
  EXPECT_TRUE(band() == before) << "the band under the text is the band's, not the texts' before it";
  EXPECT_FALSE(Skin().SetBandItemText(w, 2, "x")) << "no such cell";
}
