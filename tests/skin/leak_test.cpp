// No GDI object outlives its use: the process's count stays flat over many paints, hovers
// and whole skin-and-destroy cycles.
#include "skin/backdrop.h"
#include "tests/skin/gdi_objects.h"
#include "tests/skin/skin_fixture.h"

namespace {

void Cycle(SkinEngine& skin, int repaints, int hovers) {
  TestWindow window(320, 240, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  HWND label = window.AddChild(L"Static", 10, 40, 100, 20);
  HWND edit = window.AddChild(L"Edit", 10, 70, 100, 24, 0, WS_EX_CLIENTEDGE);
  skin.ApplySkin(window.Get(), 25);
  HWND w = window.Get();
  UpdateWindow(w);
  SkinWindow& record = *SkinWindowAt(FindSkinWindow(w));
  for (int i = 0; i < repaints; ++i) {
    record.needsFullRepaint = (i % 2) == 0;  // full and cached paints in turn
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DeleteObject(BackdropBitmap(label));
  }
  SendMessageW(w, WM_MOUSEHOVER, 0, 0);
  for (int i = 0; i < hovers; ++i) {
    const CaptionButton& b = record.buttons[i % record.buttons.size()];
    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<int>(b.x + 8), 10));
    SendMessageW(w, WM_TIMER, reinterpret_cast<WPARAM>(w), 0);
    if (i % 50 == 49) SendMessageW(w, WM_MOUSELEAVE, 0, 0);
  }
  SetWindowTextW(w, L"新标题");
  {
    WindowDc dc(edit);
    SendMessageW(w, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(edit));
  }
  Pump();
}

}  // namespace

TEST_F(SkinTest, GdiObjectCountStaysFlat) {
  Cycle(Skin(), 4, 4);  // warm-up: Wine caches a few objects on first use
  const std::size_t before = LiveGdiObjects();
  ASSERT_GT(before, 0u);
  Cycle(Skin(), 500, 500);
  for (int i = 0; i < 50; ++i) Cycle(Skin(), 2, 2);
  EXPECT_EQ(LiveGdiObjects(), before);
  EXPECT_TRUE(Engine().windows.empty());
  EXPECT_TRUE(Engine().backdrops.empty());
}
