// Check boxes, radio buttons, combo boxes, trackbars, progress bars and up-down controls:
// which controls each installer takes, the arithmetic of their geometry, and what they
// paint, read back from the screen at places that no font touches.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "skin/check_radio.h"
#include "skin/combo_box.h"
#include "skin/trackbar.h"
#include "skin/up_down.h"
#include "tests/skin/skin_fixture.h"

namespace {

const COLORREF kDark = RGB(20, 40, 90);
const COLORREF kAccent = RGB(255, 0, 0);

COLORREF PixelOf(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

int Brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }
// How much redder than it is blue-green: the red accent shows through.
int Redness(COLORREF c) { return GetRValue(c) - (GetGValue(c) + GetBValue(c)) / 2; }

class FamiliesTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    Skin().SetSkinImage({}, {}, kDark, kAccent);
    InitCommonControls();
  }
  // Skins the window and lets every control paint itself.
  void SkinAndPaint(TestWindow& window) {
    Skin().ApplySkin(window.Get(), 25);
    RedrawWindow(window.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
  }
  template <typename Record>
  Record& RecordIn(HWND window, Family family, HWND control) {
    auto& list = RecordOf(window).List(family);
    const int index = FindInFamilyList(1, family, control);
    EXPECT_GE(index, 1);
    return static_cast<Record&>(*list[index - 1]);
  }
};

}  // namespace

TEST(SkinArithmetic, ChannelProgressHalvesAndCaptions) {
  struct Pixel {
    int value, low, high, start, end, expected;
  } pixels[] = {
      {0, 0, 10, 8, 108, 8},    {10, 0, 10, 8, 108, 108}, {5, 0, 10, 8, 108, 58},
      {-3, 0, 10, 8, 108, 8},   {99, 0, 10, 8, 108, 108},  // clamped to the range
      {7, 7, 7, 8, 108, 8},     {3, 9, 2, 8, 108, 8},      // empty or reversed range: no division
      {150, 100, 200, 0, 300, 150}, {4, 0, 8, 200, 40, 120},  // a vertical channel may run upward
  };
  for (const Pixel& p : pixels) {
    EXPECT_EQ(ValueToPixel(p.value, p.low, p.high, p.start, p.end), p.expected) << p.value << " in " << p.low << ".." << p.high;
  }
  struct Fill {
    int position, low, high, inner, expected;
  } fills[] = {
      {0, 0, 100, 200, 0},   {100, 0, 100, 200, 200}, {50, 0, 100, 200, 100}, {-20, -40, 0, 100, 50},
      {5, 5, 5, 200, 0},     {120, 0, 100, 200, 200}, {-1, 0, 100, 200, 0},   {7, 0, 100, 0, 0},
      {65535, 0, 65535, 178, 178},  // no overflow at the largest 16-bit range
  };
  for (const Fill& f : fills) {
    EXPECT_EQ(ProgressFillLength(f.position, f.low, f.high, f.inner), f.expected) << f.position << " in " << f.low << ".." << f.high;
  }
  struct Half {
    int w, h;
    bool horizontal;
    int x, y, expected;
  } halves[] = {
      {20, 40, false, 5, 19, 0}, {20, 40, false, 5, 20, 0}, {20, 40, false, 5, 21, 1},
      {20, 41, false, 5, 21, 0}, {20, 41, false, 5, 22, 1},  // an odd height rounds its middle up
      {40, 20, true, 20, 5, 0},  {40, 20, true, 21, 5, 1},  {40, 20, true, 0, 19, 0},
  };
  for (const Half& h : halves) {
    EXPECT_EQ(UpDownHalfAt(h.w, h.h, h.horizontal, h.x, h.y), h.expected) << h.x << "," << h.y;
  }
  EXPECT_EQ(TickPlacementOf(TBS_NOTICKS | TBS_TOP), 3);
  EXPECT_EQ(TickPlacementOf(TBS_TOP | TBS_BOTH), 0);
  EXPECT_EQ(TickPlacementOf(TBS_BOTH), 2);
  EXPECT_EQ(TickPlacementOf(TBS_BOTTOM), 1);
  EXPECT_EQ(ComboButtonRect(120, 24, CBS_SIMPLE).right, 0) << "a simple combo box has no button";
  const RECT dropdown = ComboButtonRect(120, 24, CBS_DROPDOWN), list = ComboButtonRect(120, 24, CBS_DROPDOWNLIST);
  EXPECT_EQ(dropdown.right - dropdown.left, 18);
  EXPECT_EQ(list.right - list.left, 17);
  EXPECT_EQ(list.right, 117) << "3 pixels inside the frame";
}

TEST_F(FamiliesTest, InstallersTakeTheirKindsOnce) {
  TestWindow window(400, 300);
  struct Child {
    DWORD style;
    Family family;  // Family::Count: left alone
  } buttons[] = {
      {BS_AUTOCHECKBOX, Family::CheckRadio}, {BS_CHECKBOX, Family::CheckRadio}, {BS_AUTORADIOBUTTON, Family::CheckRadio},
      {BS_AUTO3STATE, Family::Count},        {BS_3STATE, Family::Count},        {BS_RADIOBUTTON, Family::Count},
      {BS_GROUPBOX, Family::Count},          {BS_OWNERDRAW, Family::Count},
  };
  std::vector<HWND> made;
  for (size_t i = 0; i < std::size(buttons); ++i) {
    made.push_back(window.AddChild(L"Button", 10, 30 + static_cast<int>(i) * 22, 120, 20, buttons[i].style));
  }
  HWND combos[] = {window.AddChild(L"ComboBox", 150, 30, 100, 80, CBS_SIMPLE),
                   window.AddChild(L"ComboBox", 150, 120, 100, 80, CBS_DROPDOWN),
                   window.AddChild(L"ComboBox", 150, 150, 100, 80, CBS_DROPDOWNLIST)};
  HWND vertical = window.AddChild(TRACKBAR_CLASSW, 260, 30, 30, 100, TBS_VERT | TBS_BOTH | TBS_ENABLESELRANGE);
  HWND progress = window.AddChild(PROGRESS_CLASSW, 300, 30, 20, 100, PBS_VERTICAL);
  HWND spin = window.AddChild(UPDOWN_CLASSW, 330, 30, 40, 20, UDS_HORZ);
  Skin().ApplySkin(window.Get(), 25);
  for (size_t i = 0; i < made.size(); ++i) {
    const bool taken = FindInFamilyList(1, Family::CheckRadio, made[i]) > 0;
    EXPECT_EQ(taken, buttons[i].family == Family::CheckRadio) << "style " << buttons[i].style;
    EXPECT_EQ(GetWindowLongPtrW(made[i], GWL_STYLE) & 0xF, static_cast<LONG_PTR>(buttons[i].style)) << "never made owner-drawn";
  }
  EXPECT_EQ(RecordIn<CheckRadioRecord>(window.Get(), Family::CheckRadio, made[0]).variant, CheckRadioRecord::CheckBox);
  EXPECT_EQ(RecordIn<CheckRadioRecord>(window.Get(), Family::CheckRadio, made[2]).variant, CheckRadioRecord::Radio);
  for (HWND combo : combos) EXPECT_GE(FindInFamilyList(1, Family::Combo, combo), 1);
  auto& track = RecordIn<TrackbarRecord>(window.Get(), Family::Trackbar, vertical);
  EXPECT_TRUE(track.vertical);
  EXPECT_TRUE(track.selectionRange);
  EXPECT_EQ(track.tickPlacement, 2);
  EXPECT_TRUE(RecordIn<ProgressRecord>(window.Get(), Family::Progress, progress).vertical);
  EXPECT_TRUE(RecordIn<UpDownRecord>(window.Get(), Family::UpDown, spin).horizontal);
  EXPECT_EQ(GetPropValue(spin, kPropSkinIndex), 1);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(spin, GWLP_WNDPROC)), UpDownWndProc);

  // Running the installers again takes nothing twice.
  const size_t counts[] = {RecordOf(window.Get()).List(Family::CheckRadio).size(),
                           RecordOf(window.Get()).List(Family::Combo).size()};
  RunInstallers(1, window.Get());
  EXPECT_EQ(RecordOf(window.Get()).List(Family::CheckRadio).size(), counts[0]);
  EXPECT_EQ(RecordOf(window.Get()).List(Family::Combo).size(), counts[1]);

  // With the tint switch off nothing is installed.
  Skin().SetControlVeil(false);
  TestWindow plain(200, 100);
  HWND box = plain.AddChild(L"Button", 10, 30, 100, 20, BS_AUTOCHECKBOX);
  HWND bar = plain.AddChild(PROGRESS_CLASSW, 10, 60, 100, 16);
  Skin().ApplySkin(plain.Get(), 25);
  EXPECT_EQ(FindInFamilyList(2, Family::CheckRadio, box), 0);
  EXPECT_EQ(FindInFamilyList(2, Family::Progress, bar), 0);
}

TEST_F(FamiliesTest, CheckAndRadioStatesArePaintedAtTheMark) {
  TestWindow window(300, 200);
  HWND check = window.AddChild(L"Button", 10, 40, 150, 21, BS_AUTOCHECKBOX);
  HWND radio = window.AddChild(L"Button", 10, 80, 150, 21, BS_AUTORADIOBUTTON);
  SkinAndPaint(window);
  const int top = (21 - 13) / 2;
  // The tick of the checked glyph crosses (5, 8) of the 13-pixel box; the empty box is pale there.
  const COLORREF emptyBox = PixelOf(check, 5, top + 8);
  EXPECT_GT(Brightness(emptyBox), 600);
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  const COLORREF ticked = PixelOf(check, 5, top + 8);
  EXPECT_LT(GetRValue(ticked), 150) << "teal tick";
  EXPECT_GT(GetGValue(ticked), GetRValue(ticked) + 40);
  // A click toggles it back through the button's own procedure, and the picture follows.
  SendMessageW(check, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(check, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_GT(Brightness(PixelOf(check, 5, top + 8)), 600);
  // Beyond the mark and the text the skin shows through (dark, not the face colour).
  EXPECT_LT(Brightness(PixelOf(check, 148, 1)), 200);

  // Radio: a white disc, with a teal dot when checked.
  const int cx = 2 + 6, cy = top + 6;
  EXPECT_GT(Brightness(PixelOf(radio, cx + 2, cy)), 700);
  SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
  const COLORREF dot = PixelOf(radio, cx + 2, cy);
  EXPECT_LT(GetRValue(dot), 200);
  EXPECT_GT(GetGValue(dot), GetRValue(dot));
  // Hot: the accent lies over the box.
  const int beforeHot = Redness(PixelOf(check, 1, top + 1));
  SendMessageW(check, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_GT(Redness(PixelOf(check, 1, top + 1)), beforeHot + 20);
  EXPECT_EQ(RecordOf(window.Get()).hover.owner, HoverOwner::CheckRadio);
  SendMessageW(check, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(RecordOf(window.Get()).hover.control, nullptr);
  EXPECT_LE(Redness(PixelOf(check, 1, top + 1)), beforeHot + 5);
  // A double click is not a second click.
  Seen().clear();
  EXPECT_EQ(SendMessageW(check, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3)), 0);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(FamiliesTest, TrackbarThumbFollowsThePosition) {
  TestWindow window(400, 300);
  HWND horizontal = window.AddChild(TRACKBAR_CLASSW, 20, 40, 200, 32, TBS_AUTOTICKS);
  HWND vertical = window.AddChild(TRACKBAR_CLASSW, 260, 40, 34, 200, TBS_VERT | TBS_AUTOTICKS);
  HWND empty = window.AddChild(TRACKBAR_CLASSW, 20, 120, 200, 32, TBS_ENABLESELRANGE);
  for (HWND bar : {horizontal, vertical}) SendMessageW(bar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
  SendMessageW(empty, TBM_SETRANGE, FALSE, MAKELPARAM(5, 5));
  SendMessageW(empty, TBM_SETSEL, FALSE, MAKELPARAM(5, 5));
  SkinAndPaint(window);
  for (HWND bar : {horizontal, vertical}) {
    RECT channel{};
    SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    for (int position : {0, 50, 100}) {
      SendMessageW(bar, TBM_SETPOS, TRUE, position);
      UpdateWindow(bar);
      RECT thumb{};
      SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
      const int tx = (thumb.left + thumb.right) / 2, ty = (thumb.top + thumb.bottom) / 2;
      // The knob is white over the dark skin; the far end of the channel is not.
      EXPECT_GT(Brightness(PixelOf(bar, tx, ty - 2)), 450) << "position " << position;
      const bool vert = bar == vertical;
      const int distant = position < 50 ? 190 : 10;
      const COLORREF away = vert ? PixelOf(bar, tx, distant) : PixelOf(bar, distant, ty - 2);
      EXPECT_LT(Brightness(away), Brightness(PixelOf(bar, tx, ty - 2)) - 100) << "position " << position;
    }
  }
  // An empty range paints without dividing by zero.
  InvalidateRect(empty, nullptr, TRUE);
  UpdateWindow(empty);
  EXPECT_TRUE(IsWindow(empty));
  // Hover lights the trackbar once; leaving puts it out.
  auto& record = RecordIn<TrackbarRecord>(window.Get(), Family::Trackbar, horizontal);
  SendMessageW(horizontal, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_TRUE(record.hover.Inside());
  EXPECT_EQ(RecordOf(window.Get()).hover.owner, HoverOwner::Trackbar);
  SendMessageW(horizontal, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(record.hover.Inside());
}

TEST_F(FamiliesTest, ProgressFillFollowsThePosition) {
  TestWindow window(400, 300);
  HWND across = window.AddChild(PROGRESS_CLASSW, 20, 40, 200, 18);
  HWND upward = window.AddChild(PROGRESS_CLASSW, 260, 40, 18, 200, PBS_VERTICAL);
  HWND empty = window.AddChild(PROGRESS_CLASSW, 20, 80, 200, 18);
  SendMessageW(empty, PBM_SETRANGE32, 5, 5);
  SkinAndPaint(window);
  struct Case {
    HWND bar;
    int position;
    POINT start, middle, end;  // near the low end, the middle, near the high end
    bool filledStart, filledMiddle, filledEnd;
  } cases[] = {
      {across, 0, {4, 9}, {100, 9}, {195, 9}, false, false, false},
      {across, 50, {4, 9}, {90, 9}, {195, 9}, true, true, false},
      {across, 100, {4, 9}, {100, 9}, {195, 9}, true, true, true},
      {upward, 30, {9, 195}, {9, 100}, {9, 4}, true, false, false},
      {upward, 100, {9, 195}, {9, 100}, {9, 4}, true, true, true},
  };
  for (const Case& c : cases) {
    SendMessageW(c.bar, PBM_SETPOS, c.position, 0);
    UpdateWindow(c.bar);
    const POINT at[] = {c.start, c.middle, c.end};
    const bool filled[] = {c.filledStart, c.filledMiddle, c.filledEnd};
    for (int i = 0; i < 3; ++i) {
      const int red = Redness(PixelOf(c.bar, at[i].x, at[i].y));
      if (filled[i]) {
        EXPECT_GT(red, 60) << "position " << c.position << " point " << i;
      } else {
        EXPECT_LT(red, 20) << "position " << c.position << " point " << i;
      }
    }
  }
  // Low equal to high: nothing filled, nothing divided by zero.
  SendMessageW(empty, PBM_SETPOS, 5, 0);
  UpdateWindow(empty);
  EXPECT_LT(Redness(PixelOf(empty, 100, 9)), 20);
}

TEST_F(FamiliesTest, UpDownLightsAndPressesTheHalfUnderThePointer) {
  TestWindow window(300, 200);
  HWND spin = window.AddChild(UPDOWN_CLASSW, 40, 40, 20, 40);
  SendMessageW(spin, UDM_SETRANGE32, 0, 100);
  SkinAndPaint(window);
  auto& record = RecordIn<UpDownRecord>(window.Get(), Family::UpDown, spin);
  const int index = FindInFamilyList(1, Family::UpDown, spin);
  EXPECT_EQ(HitTestUpDownHalf(1, index, MAKELPARAM(10, 5)), 0);
  EXPECT_EQ(HitTestUpDownHalf(1, index, MAKELPARAM(10, 35)), 1);
  EXPECT_EQ(HitTestUpDownHalf(1, 99, MAKELPARAM(10, 35)), 0) << "an index past the list";
  const int upperQuiet = Redness(PixelOf(spin, 3, 16)), lowerQuiet = Redness(PixelOf(spin, 3, 36));
  SendMessageW(spin, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
  EXPECT_TRUE(record.hover.Inside());
  EXPECT_EQ(record.hotHalf, 0);
  EXPECT_GT(Redness(PixelOf(spin, 3, 16)), upperQuiet + 15) << "the upper half is lit";
  SendMessageW(spin, WM_MOUSEMOVE, 0, MAKELPARAM(10, 35));
  EXPECT_EQ(record.hotHalf, 1);
  EXPECT_GT(Redness(PixelOf(spin, 3, 36)), lowerQuiet + 15) << "the light follows the pointer";
  EXPECT_LE(Redness(PixelOf(spin, 3, 16)), upperQuiet + 5);
  // Pressed, the half's gradient turns round: the accent lies at its top instead of its foot.
  const int hotTop = Redness(PixelOf(spin, 3, 22));
  SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 35));
  EXPECT_TRUE(record.buttonDown);
  EXPECT_GT(Redness(PixelOf(spin, 3, 22)), hotTop + 15);
  SendMessageW(spin, WM_LBUTTONUP, 0, MAKELPARAM(10, 35));
  EXPECT_FALSE(record.buttonDown);
  SendMessageW(spin, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(record.hover.Inside());
  EXPECT_LE(Redness(PixelOf(spin, 3, 36)), lowerQuiet + 5) << "both halves unlit after leaving";
}

TEST_F(FamiliesTest, ComboBoxesOfEachStyle) {
  TestWindow window(400, 300);
  HWND simple = window.AddChild(L"ComboBox", 20, 40, 120, 100, CBS_SIMPLE);
  HWND dropdown = window.AddChild(L"ComboBox", 160, 40, 120, 150, CBS_DROPDOWN);
  HWND list = window.AddChild(L"ComboBox", 160, 100, 120, 150, CBS_DROPDOWNLIST);
  for (HWND combo : {simple, dropdown, list}) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"甲 first"));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"乙 second"));
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
  }
  SkinAndPaint(window);
  RECT r{};
  GetWindowRect(list, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  // The drop-down button's arrow: a black pixel at the middle of the button.
  const RECT button = ComboButtonRect(w, h, CBS_DROPDOWNLIST);
  const int ax = (button.left + button.right - 1) / 2, ay = (button.top + button.bottom - 1) / 2;
  EXPECT_LT(Brightness(PixelOf(list, ax, ay - 1)), 120) << "arrow";
  EXPECT_GT(Brightness(PixelOf(list, button.left + 3, ay + 5)), 250) << "button face";
  // Hover outlines the frame in the accent colour.
  const int quiet = Redness(PixelOf(list, w / 2, 0));
  SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_GT(Redness(PixelOf(list, w / 2, 0)), quiet + 30);
  EXPECT_EQ(RecordOf(window.Get()).hover.owner, HoverOwner::Combo);
  SendMessageW(list, WM_MOUSELEAVE, 0, 0);
  EXPECT_LE(Redness(PixelOf(list, w / 2, 0)), quiet + 5);
  // The edit of a drop-down combo gets the skin behind it from the combo box.
  HWND edit = FindWindowExW(dropdown, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  HDC dc = GetDC(edit);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(dropdown, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(edit)));
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetPropValue(edit, kPropBrush)), brush);
  ReleaseDC(edit, dc);
  // Opening and closing the list keeps the combo box skinned.
  SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_LT(Brightness(PixelOf(list, ax, ay - 1)), 120);
}
