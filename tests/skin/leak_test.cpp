// No GDI object outlives its use: the process's count stays flat over many paints, hovers
// and whole skin-and-destroy cycles.
#include <windows.h>
#include <commctrl.h>

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

namespace {

// One window of every family of check boxes to up-down controls, worked `rounds` times.
// Buttons and combo boxes toggle and open; trackbars are dragged, progress bars stepped
// and up-down controls clicked `rounds` times each.
void FamilyCycle(SkinEngine& skin, int buttonRounds, int comboRounds, int barRounds) {
  TestWindow window(500, 360);
  HWND w = window.Get();
  HWND check = window.AddChild(L"Button", 10, 40, 120, 20, BS_AUTOCHECKBOX);
  HWND plainCheck = window.AddChild(L"Button", 10, 62, 120, 20, BS_CHECKBOX);
  HWND radio = window.AddChild(L"Button", 10, 84, 120, 20, BS_AUTORADIOBUTTON);
  HWND track = window.AddChild(TRACKBAR_CLASSW, 150, 40, 200, 32, TBS_AUTOTICKS | TBS_ENABLESELRANGE);
  HWND progress = window.AddChild(PROGRESS_CLASSW, 150, 80, 200, 16);
  HWND spin = window.AddChild(UPDOWN_CLASSW, 360, 40, 20, 40);
  HWND combos[] = {window.AddChild(L"ComboBox", 10, 120, 120, 90, CBS_SIMPLE),
                   window.AddChild(L"ComboBox", 150, 120, 120, 150, CBS_DROPDOWN),
                   window.AddChild(L"ComboBox", 290, 120, 120, 150, CBS_DROPDOWNLIST)};
  HWND panel = window.AddChild(L"Static", 10, 230, 200, 100);
  CreateWindowExW(0, L"Button", L"内", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 100, 20, panel, nullptr, nullptr,
                  nullptr);
  HWND group = window.AddChild(L"Button", 220, 230, 150, 100, BS_GROUPBOX);
  HWND tabs = window.AddChild(WC_TABCONTROLW, 380, 230, 110, 100);
  for (HWND combo : combos) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"甲"));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
  }
  SendMessageW(track, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
  SendMessageW(progress, PBM_SETSTEP, 1, 0);
  skin.ApplySkin(w, 25);
  skin.AddContainer(panel, true, static_cast<int>(RGB(255, 255, 255)), 80, true);
  skin.AddContainer(group);
  skin.AddColorKeyedControl(tabs);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (int i = 0; i < buttonRounds; ++i) {
    for (HWND button : {check, plainCheck, radio}) {
      if (i % 50 == 0) SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
      SendMessageW(button, BM_SETCHECK, (i % 2) ? BST_UNCHECKED : BST_CHECKED, 0);
      if (i % 50 == 0) SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    }
  }
  RECT thumb{};
  for (int i = 0; i < barRounds; ++i) {
    SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int tx = (thumb.left + thumb.right) / 2, ty = (thumb.top + thumb.bottom) / 2;
    SendMessageW(track, WM_MOUSEMOVE, 0, MAKELPARAM(tx, ty));
    SendMessageW(track, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tx, ty));
    SendMessageW(track, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((i * 37) % 200, ty));
    SendMessageW(track, WM_LBUTTONUP, 0, MAKELPARAM((i * 37) % 200, ty));
    if (i % 50 == 0) SendMessageW(track, WM_MOUSELEAVE, 0, 0);
    UpdateWindow(track);
    SendMessageW(progress, PBM_STEPIT, 0, 0);
    UpdateWindow(progress);
    const LPARAM half = MAKELPARAM(10, (i % 2) ? 30 : 5);
    SendMessageW(spin, WM_MOUSEMOVE, 0, half);
    SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, half);
    SendMessageW(spin, WM_LBUTTONUP, 0, half);
    UpdateWindow(spin);
    if (i % 100 == 0) {
      RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      Pump();
    }
  }
  for (int i = 0; i < comboRounds; ++i) {
    for (HWND combo : combos) {
      SendMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
      SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
      SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
      SendMessageW(combo, WM_MOUSELEAVE, 0, 0);
      UpdateWindow(combo);
    }
  }
  Pump();
}

}  // namespace

TEST_F(SkinTest, GdiObjectCountStaysFlatOverButtonsAndComboBoxes) {
  InitCommonControls();
  FamilyCycle(Skin(), 4, 2, 2);  // warm-up
  const std::size_t before = LiveGdiObjects();
  FamilyCycle(Skin(), 500, 100, 0);
  for (int i = 0; i < 10; ++i) FamilyCycle(Skin(), 2, 1, 1);
  EXPECT_EQ(LiveGdiObjects(), before);
  EXPECT_TRUE(Engine().windows.empty());
  EXPECT_TRUE(Engine().backdrops.empty());
}

TEST_F(SkinTest, GdiObjectCountStaysFlatOverBarsAndUpDowns) {
  InitCommonControls();
  FamilyCycle(Skin(), 2, 1, 4);  // warm-up
  const std::size_t before = LiveGdiObjects();
  FamilyCycle(Skin(), 0, 0, 500);
  EXPECT_EQ(LiveGdiObjects(), before);
  EXPECT_TRUE(Engine().windows.empty());
  EXPECT_TRUE(Engine().backdrops.empty());
}
