// The families painted whole by the engine give one picture whichever way it is asked for
// (a paint on the screen, a print into a memory DC), and paint an unchanged state again by
// a copy of the picture they keep.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "skin/paint_counters.h"
#include "tests/skin/skin_fixture.h"

namespace {

// A picture read back whole: a surface of the control's client size filled with a colour no
// family paints, so that a print that leaves pixels out is seen.
class Capture {
 public:
  Capture(int w, int h) {
    surface_.Create(w, h);
    auto* bits = static_cast<DWORD*>(surface_.Bits());
    for (int i = 0; bits && i < w * h; ++i) bits[i] = 0x00123456;
  }
  HDC Dc() const { return surface_.Dc(); }
  // Pixels whose colour (alpha aside) differs from the other capture's.
  int Differences(const Capture& other) const {
    GdiFlush();
    const auto* a = static_cast<const DWORD*>(surface_.Bits());
    const auto* b = static_cast<const DWORD*>(other.surface_.Bits());
    if (!a || !b) return -1;
    int n = 0;
    for (int i = 0; i < surface_.Width() * surface_.Height(); ++i) n += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
    return n;
  }

 private:
  Surface surface_;
};

SIZE ClientSize(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  return SIZE{r.right, r.bottom};
}

void RepaintNow(HWND control) {
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  Pump();
}

class PaintRoutesTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    Skin().SetSkinImage({}, {}, RGB(60, 110, 170), RGB(255, 0, 0));
    InitCommonControls();
  }
};

}  // namespace

TEST_F(PaintRoutesTest, PaintAndPrintShowOnePictureAndAnUnchangedStateIsACopy) {
  struct Case {
    const char* name;
    const wchar_t* className;
    RECT place;
    DWORD style;
    std::function<void(HWND)> fill;
    bool hovers;
  };
  const Case cases[] = {
      {"drop-down list", L"ComboBox", {20, 30, 180, 54}, CBS_DROPDOWNLIST | WS_VSCROLL,
       [](HWND c) {
         SendMessageW(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"第一项"));
         SendMessageW(c, CB_SETCURSEL, 0, 0);
       },
       true},
      {"check box", L"Button", {20, 70, 180, 91}, BS_AUTOCHECKBOX,
       [](HWND c) {
         SetWindowTextW(c, L"记住我");
         SendMessageW(c, BM_SETCHECK, BST_CHECKED, 0);
       },
       true},
      {"radio button", L"Button", {20, 100, 180, 121}, BS_AUTORADIOBUTTON,
       [](HWND c) { SetWindowTextW(c, L"全部"); }, true},
      {"trackbar", TRACKBAR_CLASSW, {200, 30, 380, 60}, TBS_AUTOTICKS,
       [](HWND c) {
         SendMessageW(c, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
         SendMessageW(c, TBM_SETPOS, TRUE, 3);
       },
       true},
      {"up-down", UPDOWN_CLASSW, {200, 80, 220, 120}, 0, [](HWND) {}, true},
      {"progress bar", PROGRESS_CLASSW, {200, 140, 380, 156}, 0,
       [](HWND c) { SendMessageW(c, PBM_SETPOS, 40, 0); }, false},
  };
  TestWindow window(420, 220);
  std::vector<HWND> controls;
  for (const Case& c : cases) {
    const RECT& r = c.place;
    controls.push_back(window.AddChild(c.className, r.left, r.top, r.right - r.left, r.bottom - r.top, c.style));
    c.fill(controls.back());
  }
  Skin().ApplySkin(window.Get(), 25);
  RedrawWindow(window.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  SetCursorPos(5, 1000);  // the hover tracking must not end the tests' hovers at once
  for (size_t i = 0; i < controls.size(); ++i) {
    const Case& c = cases[i];
    HWND control = controls[i];
    SCOPED_TRACE(c.name);
    const SIZE size = ClientSize(control);
    ASSERT_GT(size.cx, 0);
    ASSERT_GT(size.cy, 0);
    RepaintNow(control);

    // What WM_PAINT put on the screen against what WM_PRINTCLIENT puts into a memory DC.
    Capture screen(size.cx, size.cy), printed(size.cx, size.cy);
    {
      HDC dc = GetDC(control);
      BitBlt(screen.Dc(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
      ReleaseDC(control, dc);
    }
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.Dc()), PRF_CLIENT);
    EXPECT_EQ(printed.Differences(screen), 0);

    // The same state painted again, by either route, is one copy: no bitmap, no GDI+.
    Capture again(size.cx, size.cy), lit(size.cx, size.cy), after(size.cx, size.cy);
    const PaintCounters before = ReadPaintCounters();
    RepaintNow(control);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(again.Dc()), PRF_CLIENT);
    const PaintCounters repeat = ReadPaintCounters() - before;
    EXPECT_EQ(repeat.dibSections, 0);
    EXPECT_EQ(repeat.gdiplusCalls, 0);
    EXPECT_EQ(again.Differences(printed), 0);

    if (!c.hovers) continue;
    // Hover paints its own picture once; the second hover is a copy again, and leaving
    // shows the plain picture as before.
    SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageW(control, WM_MOUSELEAVE, 0, 0);
    const PaintCounters beforeSecond = ReadPaintCounters();
    SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(lit.Dc()), PRF_CLIENT);
    SendMessageW(control, WM_MOUSELEAVE, 0, 0);
    const PaintCounters secondHover = ReadPaintCounters() - beforeSecond;
    EXPECT_EQ(secondHover.dibSections, 0);
    EXPECT_EQ(secondHover.gdiplusCalls, 0);
    EXPECT_GT(lit.Differences(printed), 0) << "the hover shows";
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(after.Dc()), PRF_CLIENT);
    EXPECT_EQ(after.Differences(printed), 0);
  }
}
