// Registered containers and colour-keyed controls: their records and properties, the
// children they hand to the installers, their tint, docking, and the group box's caption.
#include <windows.h>
#include <commctrl.h>

#include "skin/backdrop.h"
#include "skin/container.h"
#include "tests/skin/skin_fixture.h"

namespace {

COLORREF DcPixel(HDC dc, int x, int y) { return GetPixel(dc, x, y); }

}  // namespace

TEST(SkinArithmetic, GroupBoxCaptionPlace) {
  struct Case {
    LONG_PTR style;
    int expected;
  } cases[] = {
      {BS_GROUPBOX | BS_CENTER, 70},  // (200 - 60) / 2
      {BS_GROUPBOX | BS_LEFT, 10},
      {BS_GROUPBOX | BS_RIGHT, 130},  // 200 - 60 - 10
      {BS_GROUPBOX, 130},             // neither bit: the right edge, as the left bit is not set
  };
  for (const Case& c : cases) EXPECT_EQ(GroupBoxCaptionX(c.style, 200, 60), c.expected) << std::hex << c.style;
}

TEST_F(SkinTest, ContainersSkinTheirChildrenOnce) {
  InitCommonControls();
  TestWindow window(400, 300);
  HWND panel = window.AddChild(L"Static", 20, 40, 200, 150);
  HWND check = CreateWindowExW(0, L"Button", L"内", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 100, 20, panel,
                               nullptr, nullptr, nullptr);
  HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 40, 100, 16, panel, nullptr, nullptr,
                             nullptr);
  HWND group = window.AddChild(L"Button", 240, 40, 140, 100, BS_GROUPBOX);
  Skin().ApplySkin(window.Get(), 25);
  EXPECT_EQ(FindInFamilyList(1, Family::CheckRadio, check), 0) << "not a direct child of the window";
  const int index = Skin().AddContainer(panel, true, static_cast<int>(RGB(255, 0, 0)), 255);
  ASSERT_EQ(index, 1);
  EXPECT_GE(FindInFamilyList(1, Family::CheckRadio, check), 1);
  EXPECT_GE(FindInFamilyList(1, Family::Progress, bar), 1);
  EXPECT_EQ(GetPropValue(check, kPropSkinIndex), 1);
  EXPECT_EQ(GetPropValue(panel, kPropListIndex), 1);
  EXPECT_EQ(GetPropValue(panel, kPropSkinIndex), 1);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(panel, GWLP_WNDPROC)), ContainerWndProc);
  // A second registration changes nothing.
  const size_t records = RecordOf(window.Get()).List(Family::CheckRadio).size();
  EXPECT_EQ(Skin().AddContainer(panel, false, 0, 10), 1);
  EXPECT_EQ(RecordOf(window.Get()).List(Family::Container).size(), 1u);
  EXPECT_EQ(RecordOf(window.Get()).List(Family::CheckRadio).size(), records);
  auto& container = static_cast<ContainerRecord&>(*RecordOf(window.Get()).List(Family::Container)[0]);
  EXPECT_TRUE(container.drawBackground);
  EXPECT_EQ(container.alpha, 255);

  // The tint lies over the backdrop of the container's children.
  UpdateWindow(window.Get());
  HDC behind = PaintBackdrop(bar, RECT{0, 0, 10, 10});
  ASSERT_NE(behind, nullptr);
  EXPECT_EQ(DcPixel(behind, 5, 5), RGB(255, 0, 0));
  ReleaseBackdrop(behind);
  EXPECT_TRUE(Skin().SetContainerAlpha(panel, 0));
  behind = PaintBackdrop(bar, RECT{0, 0, 10, 10});
  EXPECT_NE(DcPixel(behind, 5, 5), RGB(255, 0, 0)) << "a clear tint shows the skin";
  ReleaseBackdrop(behind);

  // A group box keeps its font; without a tint SetContainerAlpha does nothing.
  EXPECT_EQ(Skin().AddContainer(group), 2);
  auto& box = static_cast<ContainerRecord&>(*RecordOf(window.Get()).List(Family::Container)[1]);
  EXPECT_TRUE(box.isGroupBox);
  EXPECT_FALSE(box.fontFace.empty());
  EXPECT_GT(box.fontSize, 0);
  EXPECT_FALSE(Skin().SetContainerAlpha(group, 10));
  EXPECT_EQ(box.alpha, 255);
  RedrawWindow(window.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_FALSE(container.needsFullRedraw);
}

TEST_F(SkinTest, ContainerDocksItsWindowsAndAnswersItsChildren) {
  TestWindow window(400, 300);
  HWND panel = window.AddChild(L"Static", 20, 40, 200, 150);
  HWND docked = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, panel, nullptr, nullptr, nullptr);
  HWND label = CreateWindowExW(0, L"Static", L"标签", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, panel, nullptr, nullptr, nullptr);
  Skin().ApplySkin(window.Get(), 25);
  ASSERT_EQ(Skin().AddContainer(panel), 1);
  EXPECT_FALSE(Skin().DockInContainer(panel, window.Get(), 5)) << "only its own children";
  ASSERT_TRUE(Skin().DockInContainer(panel, docked, 30));
  RECT r = RectRelativeTo(panel, docked);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right, 198);
  EXPECT_EQ(r.bottom, 150);
  MoveWindow(panel, 20, 40, 260, 180, TRUE);
  r = RectRelativeTo(panel, docked);
  EXPECT_EQ(r.right, 258);
  EXPECT_EQ(r.bottom, 180);

  // The container answers its children's colour requests like the skinned window does.
  HDC dc = GetDC(label);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetPropValue(label, kPropBrush)), brush);
  ReleaseDC(label, dc);

  // Text colours: a combo box's go to its edit field.
  HWND combo = window.AddChild(L"ComboBox", 240, 40, 100, 100, CBS_DROPDOWN);
  HWND comboEdit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  ASSERT_TRUE(Skin().SetEditTextColor(combo, RGB(1, 2, 3)));
  EXPECT_EQ(GetPropValue(comboEdit, kPropTextColour), static_cast<LONG_PTR>(RGB(1, 2, 3)));
  ASSERT_TRUE(Skin().SetEditTextColor(label, RGB(4, 5, 6)));
  EXPECT_EQ(GetPropValue(label, kPropTextColour), static_cast<LONG_PTR>(RGB(4, 5, 6)));
}

TEST_F(SkinTest, ColourKeyedControlsAndTheirRelease) {
  InitCommonControls();
  TestWindow window(400, 300);
  HWND tabs = window.AddChild(WC_TABCONTROLW, 20, 40, 200, 120);
  HWND holder = window.AddChild(WC_TABCONTROLW, 240, 40, 150, 120);
  HWND inner = CreateWindowExW(0, L"Button", L"内", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 40, 100, 20, holder,
                               nullptr, nullptr, nullptr);
  Skin().ApplySkin(window.Get(), 25);
  ASSERT_EQ(Skin().AddColorKeyedControl(tabs), 1);
  EXPECT_EQ(Skin().AddColorKeyedControl(tabs), 1) << "once";
  EXPECT_EQ(GetPropValue(tabs, kPropKeyedListIndex), 1);
  EXPECT_EQ(GetPropValue(tabs, kPropKeyedSkinIndex), 1);
  EXPECT_NE(GetPropValue(tabs, kPropKeyedPrevious), 0);
  auto& keyed = static_cast<ColorKeyedRecord&>(*RecordOf(window.Get()).List(Family::ColorKeyed)[0]);
  EXPECT_EQ(keyed.key, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPropValue(tabs, kPropListIndex), 0) << "no container: it has no children";
  // With children it is a container too (no background of its own), and they are skinned.
  ASSERT_EQ(Skin().AddColorKeyedControl(holder, RGB(1, 2, 3)), 2);
  EXPECT_GE(FindInFamilyList(1, Family::CheckRadio, inner), 1);
  ASSERT_EQ(RecordOf(window.Get()).List(Family::Container).size(), 1u);
  EXPECT_FALSE(static_cast<ContainerRecord&>(*RecordOf(window.Get()).List(Family::Container)[0]).drawBackground);
  RedrawWindow(window.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  // Destroyed: every property gone and the procedures restored before the control ends.
  DestroyWindow(holder);
  EXPECT_EQ(RecordOf(window.Get()).List(Family::ColorKeyed)[1]->window, nullptr);
  EXPECT_EQ(RecordOf(window.Get()).List(Family::Container)[0]->window, nullptr);
  DestroyWindow(tabs);
  EXPECT_EQ(RecordOf(window.Get()).List(Family::ColorKeyed)[0]->window, nullptr);
}
