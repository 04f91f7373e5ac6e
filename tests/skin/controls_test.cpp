// The skinned controls of a window: which ones each installer takes, what their procedures
// do with the mouse, the keys and the paints, what they pass on, and the painted states as
// pixels at places no font touches.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "skin/edit_box.h"
#include "skin/header.h"
#include "skin/list_control.h"
#include "skin/push_button.h"
#include "tests/skin/message_log.h"
#include "tests/skin/skin_fixture.h"

namespace {

constexpr COLORREF kAccent = RGB(220, 30, 40);  // far from the skin colour and the veil

// A pixel of the control as the screen shows it (window coordinates).
COLORREF PixelOf(HWND control, int x, int y) {
  HDC dc = GetWindowDC(control);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(control, dc);
  return c;
}

// The colour is mostly the accent: red well above green and blue.
bool LooksAccent(COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 120 && GetBValue(c) < 120; }

void MarkPixel(HWND control, int x, int y) {
  HDC dc = GetWindowDC(control);
  SetPixel(dc, x, y, RGB(0, 255, 0));
  ReleaseDC(control, dc);
}

void PutCursorOver(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class ControlsTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    Skin().SetSkinImage({}, {}, RGB(20, 40, 60), kAccent);
  }
  int Count(HWND skinned, Family family) {
    return static_cast<int>(RecordOf(skinned).List(family).size());
  }
};

}  // namespace

TEST_F(ControlsTest, InstallersTakeTheirClassesAndStyles) {
  struct Case {
    const wchar_t* cls;
    DWORD style;
    Family family;
    bool taken;
  } cases[] = {
      {L"Button", BS_PUSHBUTTON, Family::PushButton, true},
      {L"Button", BS_DEFPUSHBUTTON, Family::PushButton, true},
      {L"Button", BS_USERBUTTON, Family::PushButton, true},
      {L"Button", BS_GROUPBOX, Family::PushButton, false},
      {L"Button", BS_3STATE, Family::PushButton, false},
      {L"Button", BS_AUTOCHECKBOX, Family::PushButton, false},
      {L"Button", BS_OWNERDRAW, Family::PushButton, false},
      {L"Edit", ES_AUTOHSCROLL, Family::Edit, true},
      {L"ListBox", 0, Family::ListControl, true},
      {L"ListBox", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, Family::ListControl, true},
      {WC_LISTVIEWW, LVS_REPORT, Family::ListControl, true},
      {WC_LISTVIEWW, LVS_REPORT | kListViewKeepsSystemLook, Family::ListControl, false},
      {WC_TREEVIEWW, 0, Family::ListControl, true},
      {L"ComboBox", CBS_SIMPLE, Family::ListControl, true},           // its list is a child
      {L"ComboBox", CBS_DROPDOWNLIST, Family::ListControl, false},    // its list is not
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.cls, c.cls + wcslen(c.cls)) << " style " << std::hex << c.style);
    TestWindow window(300, 200);
    HWND control = window.AddChild(c.cls, 10, 40, 120, 80, c.style, WS_EX_CLIENTEDGE);
    Skin().ApplySkin(window.Get(), 25);
    EXPECT_EQ(Count(window.Get(), c.family), c.taken ? 1 : 0);
    if (c.family == Family::PushButton) {
      EXPECT_EQ((GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW, c.taken || c.style == BS_OWNERDRAW);
    }
  }
}

TEST_F(ControlsTest, ListViewHeadersAreTakenWithTheirList) {
  TestWindow window(300, 200);
  HWND list = window.AddChild(WC_LISTVIEWW, 10, 40, 200, 100, LVS_REPORT, WS_EX_CLIENTEDGE);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = 80;
  column.pszText = const_cast<wchar_t*>(L"名称");
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  Skin().ApplySkin(window.Get(), 25);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  ASSERT_EQ(Count(window.Get(), Family::Header), 1);
  EXPECT_EQ(RecordOf(window.Get()).List(Family::Header)[0]->window, header);
  // The transparent rows of the veiled look.
  EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0)), CLR_NONE);
}

TEST_F(ControlsTest, ColoursOfOwnerDrawnListsAndComboEditsStayTheirOwn) {
  TestWindow window(300, 200);
  HWND owned = window.AddChild(L"ListBox", 10, 40, 100, 60, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
  HWND combo = window.AddChild(L"ComboBox", 120, 40, 100, 100, CBS_DROPDOWN);
  HWND comboEdit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  HWND plain = window.AddChild(L"ListBox", 10, 110, 100, 60);
  Skin().ApplySkin(window.Get(), 25);
  HDC dc = GetDC(window.Get());
  const LRESULT hollow = reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
  EXPECT_NE(SendMessageW(window.Get(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(owned)), hollow);
  EXPECT_EQ(SendMessageW(window.Get(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(plain)), hollow);
  // The combo box's edit is skinned (veil given) but its colours come from the box's parent as before.
  ASSERT_NE(comboEdit, nullptr);
  EXPECT_EQ(FindInFamilyList(1, Family::Edit, comboEdit), 1);
  const LRESULT before = DefWindowProcW(window.Get(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(comboEdit));
  EXPECT_EQ(SendMessageW(window.Get(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(comboEdit)),
            before);
  ReleaseDC(window.Get(), dc);
}

TEST_F(ControlsTest, UnhandledMessagesReachThePreviousProcedureUnchanged) {
  TestWindow window(400, 300);
  HWND button = window.AddChild(L"Button", 10, 40, 80, 26, BS_PUSHBUTTON);
  HWND edit = window.AddChild(L"Edit", 100, 40, 100, 24, 0, WS_EX_CLIENTEDGE);
  HWND list = window.AddChild(WC_LISTVIEWW, 10, 80, 200, 120, LVS_REPORT, WS_EX_CLIENTEDGE);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 80;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  MessageLog log;
  for (HWND c : {button, edit, list, header}) log.Under(c, "control");
  Skin().ApplySkin(window.Get(), 25);
  const struct {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  } messages[] = {{WM_USER + 7, 0x1234, 0x5678}, {WM_GETTEXTLENGTH, 0, 0}, {WM_CHAR, 'a', 0x1E0001},
                  {WM_KEYDOWN, VK_HOME, 0x470001}, {WM_SETFOCUS, 0, 0}};
  for (HWND c : {button, edit, list, header}) {
    for (const auto& m : messages) {
      log.Clear();
      SendMessageW(c, m.message, m.wParam, m.lParam);
      EXPECT_TRUE(log.Saw(c, Via::Passed, m.message, m.wParam, m.lParam)) << ClassOf(c) << " message " << std::hex << m.message;
    }
  }
  // What the engine answers itself never reaches the control: the button's double click.
  log.Clear();
  EXPECT_EQ(SendMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)), 0);
  EXPECT_FALSE(log.Saw(button, Via::Passed, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)));
}

TEST_F(ControlsTest, ADoubleClickOnAButtonIsOneClick) {
  TestWindow window(300, 200);
  HWND button = window.AddChild(L"Button", 10, 40, 80, 26, BS_DEFPUSHBUTTON);
  Skin().ApplySkin(window.Get(), 25);
  Seen().clear();
  const LPARAM at = MAKELPARAM(20, 10);
  for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) SendMessageW(button, m, 0, at);
  Pump();
  int clicks = 0;
  for (const SeenMessage& m : Seen()) {
    if (m.message == WM_COMMAND && reinterpret_cast<HWND>(m.lParam) == button && HIWORD(m.wParam) == BN_CLICKED) ++clicks;
  }
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, EnteringAControlRepaintsItOnceAndLeavingRestoresIt) {
  TestWindow window(400, 300);
  HWND button = window.AddChild(L"Button", 20, 40, 90, 28, BS_PUSHBUTTON);
  HWND edit = window.AddChild(L"Edit", 130, 40, 120, 24, 0, WS_EX_CLIENTEDGE);
  HWND list = window.AddChild(L"ListBox", 20, 90, 150, 100, 0, WS_EX_CLIENTEDGE);
  SetWindowTextW(button, L"查询");
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  Pump();
  struct Case {
    HWND control;
    int x, y;  // a pixel of the outline in window coordinates
  } cases[] = {{button, 45, 0}, {edit, 60, 1}, {list, 75, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(ClassOf(c.control));
    RECT r{};
    GetWindowRect(c.control, &r);
    PutCursorOver(c.control);
    const COLORREF before = PixelOf(c.control, c.x, c.y);
    EXPECT_FALSE(LooksAccent(before));
    SendMessageW(c.control, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(LooksAccent(PixelOf(c.control, c.x, c.y))) << std::hex << PixelOf(c.control, c.x, c.y);
    // Further moves inside paint nothing: a mark on the outline stays.
    MarkPixel(c.control, c.x, c.y);
    for (int i = 0; i < 5; ++i) SendMessageW(c.control, WM_MOUSEMOVE, 0, MAKELPARAM(6 + i, 6));
    EXPECT_EQ(PixelOf(c.control, c.x, c.y), RGB(0, 255, 0));
    SetCursorPos(5, 1000);
    SendMessageW(c.control, WM_MOUSELEAVE, 0, 0);
    Pump();
    EXPECT_FALSE(LooksAccent(PixelOf(c.control, c.x, c.y)));
  }
}

TEST_F(ControlsTest, FocusShowsTheGlowOnButtonsAndTheAccentOnFrames) {
  TestWindow window(400, 300);
  HWND button = window.AddChild(L"Button", 20, 40, 90, 28, BS_PUSHBUTTON);
  HWND edit = window.AddChild(L"Edit", 130, 40, 120, 24, 0, WS_EX_CLIENTEDGE);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  SetCursorPos(5, 1000);
  const COLORREF plainButton = PixelOf(button, 45, 1);
  const COLORREF plainEdit = PixelOf(edit, 60, 0);
  SetFocus(button);
  SendMessageW(button, WM_MOUSELEAVE, 0, 0);  // a focused button the mouse leaves keeps its glow
  Pump();
  const COLORREF glow = PixelOf(button, 45, 1);
  // 0xDDCA22 is cyan: blue and green rise against the plain outline, red does not.
  EXPECT_GT(GetBValue(glow), GetBValue(plainButton) + 20) << std::hex << glow << " " << plainButton;
  EXPECT_GT(GetBValue(glow), GetRValue(glow));
  SetFocus(edit);
  Pump();
  EXPECT_TRUE(LooksAccent(PixelOf(edit, 60, 0))) << std::hex << PixelOf(edit, 60, 0) << " " << plainEdit;
  SetFocus(button);
  Pump();
  EXPECT_EQ(PixelOf(edit, 60, 0), plainEdit);
}

TEST_F(ControlsTest, PressedButtonsAndChangedTextsArePainted) {
  TestWindow window(300, 200);
  HWND button = window.AddChild(L"Button", 20, 40, 90, 28, BS_PUSHBUTTON);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  SetCursorPos(5, 1000);
  const COLORREF normal = PixelOf(button, 45, 20);
  SendMessageW(button, BM_SETSTATE, TRUE, 0);
  Pump();
  const COLORREF pressed = PixelOf(button, 45, 20);
  EXPECT_NE(pressed, normal);  // the accent-to-white fill of the pressed look
  SendMessageW(button, BM_SETSTATE, FALSE, 0);
  Pump();
  EXPECT_EQ(PixelOf(button, 45, 20), normal);
  SetWindowTextW(button, L"新文字");
  auto* record = static_cast<ButtonRecord*>(FamilyRecordOf(button, Family::PushButton));
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->text, "新文字");
}

TEST_F(ControlsTest, HeaderHitTestsLeaveTheDividersUnlit) {
  TestWindow window(400, 300);
  HWND header = window.AddChild(WC_HEADERW, 10, 40, 300, 24, HDS_BUTTONS);
  for (int width : {100, 50}) {
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_TEXT;
    item.cxy = width;
    item.pszText = const_cast<wchar_t*>(L"列");
    SendMessageW(header, HDM_INSERTITEMW, 10, reinterpret_cast<LPARAM>(&item));
  }
  Skin().ApplySkin(window.Get(), 25);
  const struct {
    int x, item;
  } cases[] = {{4, 0}, {5, 1}, {50, 1}, {95, 1}, {96, 0}, {104, 0}, {105, 2}, {145, 2}, {146, 0}, {200, 0}};
  for (const auto& c : cases) EXPECT_EQ(HitTestHeaderItem(header, c.x), c.item) << "x " << c.x;

  auto* record = static_cast<HeaderRecord*>(FamilyRecordOf(header, Family::Header));
  ASSERT_NE(record, nullptr);
  PutCursorOver(header);
  SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(120, 10));
  EXPECT_EQ(record->hotItem, 2);
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 10));
  EXPECT_EQ(record->pressedItem, 2);
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(120, 10));
  EXPECT_EQ(record->pressedItem, 0);
  SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(98, 10));
  EXPECT_EQ(record->hotItem, 0);
}

TEST_F(ControlsTest, OnlyAClickableHeaderShowsHover) {
  for (const bool clickable : {true, false}) {
    SCOPED_TRACE(clickable);
    TestWindow window(400, 300);
    HWND header = window.AddChild(WC_HEADERW, 10, 40, 300, 24, clickable ? HDS_BUTTONS : 0);
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = 120;
    SendMessageW(header, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    Skin().ApplySkin(window.Get(), 25);
    UpdateWindow(window.Get());
    Pump();
    const COLORREF plain = PixelOf(header, 60, 20);
    PutCursorOver(header);
    SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(60, 10));
    EXPECT_EQ(PixelOf(header, 60, 20) != plain, clickable);
    SetCursorPos(5, 1000);
    SendMessageW(header, WM_MOUSELEAVE, 0, 0);
  }
}

TEST_F(ControlsTest, HeaderContentStartsByAlignment) {
  const struct {
    int format, icon, margin, text, width, start;
  } cases[] = {
      {HDF_LEFT, 0, 6, 40, 100, 6},    {HDF_RIGHT, 0, 6, 40, 100, 60},  {HDF_CENTER, 0, 6, 40, 100, 27},
      {HDF_RIGHT, 16, 6, 80, 100, 6},  // icon + margin + text do not fit: starts at the margin
      {HDF_CENTER, 16, 6, 78, 100, 6}, {HDF_RIGHT, 16, 6, 40, 100, 44},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HeaderContentStart(c.format, c.icon, c.margin, c.text, c.width), c.start)
        << c.format << " " << c.icon << " " << c.text;
  }
}

TEST_F(ControlsTest, ListFramesFollowTheBorderStyle) {
  const struct {
    DWORD style, exStyle;
    bool framed;
  } cases[] = {{0, WS_EX_CLIENTEDGE, true}, {WS_BORDER, 0, true}, {0, WS_EX_DLGMODALFRAME, true}, {0, 0, false}};
  for (const auto& c : cases) {
    TestWindow window(300, 200);
    HWND list = window.AddChild(L"ListBox", 10, 40, 120, 80, c.style, c.exStyle);
    EXPECT_EQ(HasSkinnableBorder(list), c.framed);
    Skin().ApplySkin(window.Get(), 25);
    // The inner area (client and bars) lies inside the frame on every side.
    const RECT inner = ListInnerRect(list);
    RECT outer{};
    GetWindowRect(list, &outer);
    const int border = c.framed ? 1 : 0;
    EXPECT_GE(inner.left, border);
    EXPECT_GE(inner.top, border);
    EXPECT_LE(inner.right, outer.right - outer.left - border);
    EXPECT_LE(inner.bottom, outer.bottom - outer.top - border);
  }
}

TEST_F(ControlsTest, DestroyedControlsLeaveNothingForLaterPaints) {
  TestWindow window(400, 300);
  HWND button = window.AddChild(L"Button", 20, 40, 90, 28, BS_PUSHBUTTON);
  HWND edit = window.AddChild(L"Edit", 130, 40, 120, 24, 0, WS_EX_CLIENTEDGE);
  HWND list = window.AddChild(L"ListBox", 20, 90, 150, 100, 0, WS_EX_CLIENTEDGE);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  {
    HDC dc = GetDC(edit);
    SendMessageW(window.Get(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
    ReleaseDC(edit, dc);
  }
  SkinWindow& skin = RecordOf(window.Get());
  for (HWND c : {button, edit, list}) {
    PutCursorOver(c);
    SendMessageW(c, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(skin.hover.control, c);
    DestroyWindow(c);
    EXPECT_EQ(skin.hover.control, nullptr);
  }
  EXPECT_EQ(skin.brushes.count(edit), 0u);  // the edit's brush went with it, once
  for (Family f : {Family::PushButton, Family::Edit, Family::ListControl}) {
    for (const auto& record : skin.List(f)) EXPECT_EQ(record->window, nullptr);
  }
  // A button made after skinning stays an ordinary button and still clicks.
  HWND late = window.AddChild(L"Button", 20, 40, 90, 28, BS_PUSHBUTTON);
  Seen().clear();
  SendMessageW(late, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(late, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  UpdateWindow(window.Get());
  EXPECT_TRUE(SawMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(late)));
  EXPECT_EQ(GetWindowLongW(late, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}
