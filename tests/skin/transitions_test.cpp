// Transitions of skinned windows that a steady-state check cannot see: a new skin picture on
// a window already shown, a window destroyed before another, a container's tint coming and
// going, a double click on a glass button. Each is checked through what the windows receive
// and what the screen shows, not through the engine's records.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/skin/skin_fixture.h"
#include "tools/demo/user_input.h"

namespace {

COLORREF ScreenPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

// One notification a control sends its parent, as WM_COMMAND carries it.
struct Command {
  WORD code;
  bool operator==(const Command& other) const { return code == other.code; }
};

std::string Dump(const std::vector<Command>& commands) {
  std::string text;
  for (const Command& c : commands) text += std::to_string(c.code) + " ";
  return text.empty() ? "(none)" : text;
}

}  // namespace

TEST_F(SkinTest, ANewPictureReachesAWindowAlreadyShown) {
  TestWindow window(300, 200);
  HWND w = window.Get();
  Skin().SetSkinImage({}, {}, RGB(200, 30, 30));
  Skin().ApplySkin(w, 25);
  UpdateWindow(w);
  Pump();
  const COLORREF before = ScreenPixel(w, 150, 120);
  EXPECT_GT(GetRValue(before), 150);
  Skin().SetSkinImage({}, {}, RGB(30, 30, 200));  // the test invalidates nothing itself
  PumpFor(50);
  const COLORREF after = ScreenPixel(w, 150, 120);
  EXPECT_GT(GetBValue(after), 150) << std::hex << after;
  EXPECT_LT(GetRValue(after), 100) << std::hex << after;
}

TEST_F(SkinTest, AColourKeyedControlOfTheSecondWindowIsRenumberedUnderItsOwnNames) {
  InitCommonControls();
  auto first = std::make_unique<TestWindow>(300, 200);
  TestWindow second(300, 200);
  HWND tabs = second.AddChild(WC_TABCONTROLW, 20, 40, 200, 120);
  Skin().ApplySkin(first->Get(), 25);
  Skin().ApplySkin(second.Get(), 25);
  ASSERT_EQ(Skin().AddColorKeyedControl(tabs), 1);
  ASSERT_EQ(GetPropA(tabs, "Kj_FuID"), reinterpret_cast<HANDLE>(2));
  const HANDLE ownIndex = GetPropA(tabs, "Hw_FuID");  // what the colour-keyed control carries as a control, if anything
  first.reset();
  struct Property {
    const char* name;
    HANDLE expected;
  } properties[] = {
      {"Kj_FuID", reinterpret_cast<HANDLE>(1)},
      {"Kj_lbID", reinterpret_cast<HANDLE>(1)},
      {"Hw_FuID", ownIndex ? reinterpret_cast<HANDLE>(1) : nullptr},
  };
  for (const Property& p : properties) EXPECT_EQ(GetPropA(tabs, p.name), p.expected) << p.name;
  // And it still paints over the second window's skin.
  RedrawWindow(tabs, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump();
  EXPECT_TRUE(IsWindow(tabs));
}

TEST_F(SkinTest, AContainersOwnTintShowsInItsBackground) {
  Skin().SetSkinImage({}, {}, RGB(40, 70, 110));
  struct Case {
    const char* name;
    int tint;
    int alpha;
  } cases[] = {{"untinted", 0, 255}, {"tinted red", static_cast<int>(RGB(255, 0, 0)), 200}};
  COLORREF seen[2] = {};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(cases[i].name);
    TestWindow window(300, 200);
    HWND panel = window.AddChild(L"Static", 20, 40, 200, 120);
    CreateWindowExW(0, L"Button", L"内", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 80, 100, 20, panel, nullptr,
                    nullptr, nullptr);
    Skin().ApplySkin(window.Get(), 25);
    ASSERT_NE(Skin().AddContainer(panel, true, cases[i].tint, cases[i].alpha), 0);
    RedrawWindow(window.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    seen[i] = ScreenPixel(panel, 100, 30);
  }
  EXPECT_GT(GetRValue(seen[1]), GetRValue(seen[0]) + 60) << std::hex << seen[0] << " " << seen[1];
  EXPECT_LT(GetBValue(seen[1]), GetBValue(seen[0])) << std::hex << seen[0] << " " << seen[1];
}

TEST_F(SkinTest, ADoubleClickOnAGlassButtonSendsOneClick) {
  TestWindow window(300, 200);
  HWND button = window.AddChild(L"Button", 40, 60, 120, 30, BS_PUSHBUTTON);
  Skin().ApplySkin(window.Get(), 25);
  SetForegroundWindow(window.Get());
  UpdateWindow(window.Get());
  Pump();
  Seen().clear();
  ClickAt(button, 60, 15, /*doubleClick=*/true);
  PumpFor(200);
  std::vector<Command> sent;
  for (const SeenMessage& m : Seen()) {
    if (m.message == WM_COMMAND && reinterpret_cast<HWND>(m.lParam) == button) sent.push_back({HIWORD(m.wParam)});
  }
  const std::vector<Command> expected = {{BN_CLICKED}};  // no second click, no BN_DOUBLECLICKED either
  EXPECT_TRUE(sent == expected) << "sent: " << Dump(sent) << " expected: " << Dump(expected);
  SetCursorPos(5, 1000);
}

TEST_F(SkinTest, AHeaderItemPressedDiffersFromHoveredAndItsLastItemReachesTheEdge) {
  Skin().SetSkinImage({}, {}, RGB(40, 70, 110), RGB(220, 30, 40));
  TestWindow window(400, 300);
  HWND list = window.AddChild(WC_LISTVIEWW, 10, 40, 300, 150, LVS_REPORT, WS_EX_CLIENTEDGE);
  for (int width : {100, 60}) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = width;
    SendMessageW(list, LVM_INSERTCOLUMNW, 9, reinterpret_cast<LPARAM>(&column));
  }
  Skin().ApplySkin(window.Get(), 25);
  SetForegroundWindow(window.Get());
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  RedrawWindow(window.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  RECT bar{};
  GetClientRect(header, &bar);
  const int y = bar.bottom - 4;  // below any caption text
  // Past the last item the header goes on in the last item's face, not in the list's ground.
  const COLORREF lastItem = ScreenPixel(header, 150, y);
  EXPECT_EQ(ScreenPixel(header, 250, y), lastItem) << std::hex << ScreenPixel(header, 250, y) << " " << lastItem;

  const COLORREF plain = ScreenPixel(header, 80, y);
  POINT over{80, y};
  ClientToScreen(header, &over);
  SetCursorPos(over.x, over.y);
  SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(80, y));
  Pump();
  const COLORREF hovered = ScreenPixel(header, 80, y);
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, y));
  Pump();
  const COLORREF pressed = ScreenPixel(header, 80, y);
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(80, y));
  SetCursorPos(5, 1000);
  EXPECT_NE(hovered, plain) << std::hex << hovered;
  EXPECT_NE(pressed, hovered) << std::hex << pressed;
  EXPECT_NE(pressed, plain) << std::hex << pressed;
}
