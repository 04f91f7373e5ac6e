// What the parent side of WM_CTLCOLOR* leaves behind, and the place of an edit's client area
// beside a scroll bar.
#include <windows.h>

#include "skin/backdrop.h"
#include "skin/window_parts.h"
#include "tests/skin/gdi_objects.h"
#include "tests/skin/skin_fixture.h"

TEST_F(SkinTest, ControlsThatComeAndGoLeaveNoBrushesOrProperties) {
  TestWindow window(300, 200);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  const auto comeAndGo = [&](const wchar_t* cls, UINT colourMessage) {
    HWND control = window.AddChild(cls, 10, 40, 120, 24);
    HDC dc = GetDC(control);
    SendMessageW(window.Get(), colourMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    ReleaseDC(control, dc);
    Skin().SetEditTextColor(control, RGB(10, 20, 30));
    DestroyWindow(control);
  };
  comeAndGo(L"Static", WM_CTLCOLORSTATIC);  // GDI+ and GDI make their lasting objects once
  const std::size_t before = LiveGdiObjects();
  for (int i = 0; i < 200; ++i) {
    comeAndGo(L"Static", WM_CTLCOLORSTATIC);
    comeAndGo(L"Button", WM_CTLCOLORBTN);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
  EXPECT_TRUE(RecordOf(window.Get()).brushes.empty());
  EXPECT_TRUE(Engine().textColours.empty());
}

TEST_F(SkinTest, EditClientAreaBesideItsScrollBarIsWhereTheSystemPutIt) {
  TestWindow window(300, 200);
  HWND edit = window.AddChild(L"Edit", 10, 40, 150, 80, ES_MULTILINE | WS_VSCROLL, WS_EX_CLIENTEDGE);
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetScrollBarInfo(edit, OBJID_VSCROLL, &bar));
  RECT outer{};
  GetWindowRect(edit, &outer);
  const RECT area = ClientRectInWindow(edit);
  const int edge = GetSystemMetrics(SM_CXEDGE);
  EXPECT_EQ(area.left, edge);
  EXPECT_EQ(area.right, bar.rcScrollBar.left - outer.left) << "bar " << bar.rcScrollBar.right - bar.rcScrollBar.left;
}
