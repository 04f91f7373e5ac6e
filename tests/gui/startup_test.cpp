// Start-up, the disclaimer, the two window templates and the window rules, driven as a user.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/templates.h"
#include "runtime/ui_thread.h"
#include "runtime/window.h"
#include "tests/gui/gui_harness.h"

namespace {

constexpr char kDisclaimer[] =
    "在使用前请务必阅读并同意本声明：\r\n"
    "1、本软件未经过最高人民法院授权，您要是使用的话就意味着您要承担一切可能的法律责任。\r\n"
    "2、软件处在测试阶段并不是很稳定，您要是使用就意味着您要经历各种BUG。” \r\n"
    "点击‘是’即代表您已经阅读并同意本协议，点击‘否’意味着您并不认可此协议也就意味着您将不会使用本软件！";

struct ExpectedUnit {
  const char* name;
  const wchar_t* className;
  RECT place;  // left, top, right, bottom in the parent's client coordinates
  const wchar_t* text;
};

// What a user sees, written independently of the templates (texts as UTF-16 literals).
const ExpectedUnit kMainUnits[] = {
    {"透明标签1", L"Static", {10, 34, 102, 58}, L"姓名/名称："},
    {"Name", L"Edit", {108, 34, 271, 59}, L""},
    {"透明标签3", L"Static", {276, 33, 348, 57}, L"验证码："},
    {"Code", L"Edit", {343, 32, 439, 57}, L""},
    {"CodeImg", L"Static", {447, 31, 583, 56}, L""},
    {"透明标签2", L"Static", {9, 61, 209, 85}, L"身份证号/组织代码证号："},
    {"IDNum", L"Edit", {215, 61, 439, 86}, L""},
    {"Query", L"Button", {447, 60, 583, 85}, L"查询"},
    {"超级列表框1", L"SysListView32", {5, 88, 589, 494}, L""},
    {"跳转页码", L"Edit", {435, 496, 483, 520}, L""},
    {"透明标签4", L"Static", {488, 496, 588, 520}, L"N/A"},
};

const ExpectedUnit kDetailUnits[] = {
    {"外形框1", L"Static", {0, 0, 304, 424}, L""},
    {"透明标签1", L"Static", {4, 2, 300, 34}, L"请输入验证码后继续！"},
    {"编辑框1", L"Edit", {2, 32, 302, 352}, L""},
    {"CodeImg", L"Static", {4, 357, 120, 395}, L""},
    {"编辑框2", L"Edit", {122, 360, 218, 392}, L""},
    {"按钮1", L"Button", {224, 360, 296, 392}, L"继续"},
    {"透明标签2", L"Static", {0, 395, 304, 419}, L"查看完后可按“ESC”键退出"},
};

RECT PlaceInParent(HWND unit) {
  RECT rc;
  GetWindowRect(unit, &rc);
  MapWindowPoints(HWND_DESKTOP, GetParent(unit), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void ExpectUnits(HWND window, const ExpectedUnit* units, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const ExpectedUnit& e = units[i];
    SCOPED_TRACE(e.name);
    HWND unit = FindUnit(window, e.name);
    ASSERT_NE(unit, nullptr);
    wchar_t className[64] = {};
    GetClassNameW(unit, className, 64);
    EXPECT_STREQ(className, e.className);
    const RECT rc = PlaceInParent(unit);
    EXPECT_EQ(rc.left, e.place.left);
    EXPECT_EQ(rc.top, e.place.top);
    EXPECT_EQ(rc.right, e.place.right);
    EXPECT_EQ(rc.bottom, e.place.bottom);
    EXPECT_EQ(WindowText(unit), e.text);
    EXPECT_TRUE(IsWindowVisible(unit));
  }
}

SIZE WindowSize(HWND window) {
  RECT rc;
  GetWindowRect(window, &rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

// Opens the detail window modally over the main window, as the list's double-click does.
HWND OpenDetailWindow(ProgramRun& run, HWND main) {
  PostToUiThread([main] { ShowModalWindow(DetailWindowTemplate(), main); });
  HWND detail = nullptr;
  WaitFor([&] { return (detail = run.OtherRuntimeWindow()) != nullptr; });
  return detail;
}

}  // namespace

TEST(Startup, DisclaimerShowsItsTextOverTheMainWindow) {
  ProgramRun run;
  HWND box = run.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), kDisclaimer);
  EXPECT_EQ(WindowText(box), L"提示");
  EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
  EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
  EXPECT_EQ(GetDlgItem(box, IDOK), nullptr);
  HWND main = run.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(WindowText(main), L"Veradin_Veradin Search_2.0.2017");
  SaveScreenshot(box, "disclaimer");
}

TEST(Startup, DecliningTheDisclaimerEndsTheProgram) {
  ProgramRun run;
  HWND box = run.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDNO);
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.MainWindow(), nullptr);
}

TEST(MainWindow, EveryUnitIsInPlaceWithItsText) {
  ProgramRun run;
  HWND main = AcceptDisclaimer(run);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowSize(main).cx, 593);
  EXPECT_EQ(WindowSize(main).cy, 522);
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  ExpectUnits(main, kMainUnits, std::size(kMainUnits));

  HWND list = FindUnit(main, "超级列表框1");
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 4);
  const wchar_t* titles[] = {L"被执行人\\单位名", L"立案时间", L"案号", L"详细信息"};
  const int widths[] = {230, 100, 150, 100};
  for (int i = 0; i < 4; ++i) {
    wchar_t text[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = 64;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(text, titles[i]);
    EXPECT_EQ(column.cx, widths[i]);
  }
  const LONG listStyle = GetWindowLongW(list, GWL_STYLE);
  EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(listStyle & LVS_SINGLESEL);  // Ctrl+A selects every row for copying
  EXPECT_FALSE(listStyle & LVS_SHOWSELALWAYS);
  EXPECT_FALSE(listStyle & (LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_EDITLABELS | LVS_NOCOLUMNHEADER));
  const DWORD ex = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(ex & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP),
            static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP));
  EXPECT_FALSE(ex & LVS_EX_CHECKBOXES);

  // Fonts: GB2312 character set, height given in pixels.
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(FindUnit(main, "Name"), WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(FindUnit(main, "透明标签4"), WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -14);
  SaveScreenshot(main, "main_window");
}

TEST(MainWindow, KeepsItsSizeWhateverIsDoneToIt) {
  ProgramRun run;
  HWND main = AcceptDisclaimer(run);
  ASSERT_NE(main, nullptr);
  SetWindowPos(main, nullptr, 0, 0, 800, 300, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(WaitFor([&] { return WindowSize(main).cx == 593 && WindowSize(main).cy == 522; }, 3000));
  ShowWindow(main, SW_MAXIMIZE);
  EXPECT_TRUE(WaitFor([&] { return WindowSize(main).cx == 593 && WindowSize(main).cy == 522; }, 3000));
}

TEST(MainWindow, EscEndsTheProgram) {
  ProgramRun run;
  HWND main = AcceptDisclaimer(run);
  ASSERT_NE(main, nullptr);
  BringToFront(main);
  SetFocus(nullptr);
  ClickAt(main, 150, 45);  // into the name box
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(run.WaitForEnd());
}

TEST(DetailWindow, EveryUnitIsInPlaceAndEscClosesOnlyIt) {
  ProgramRun run;
  HWND main = AcceptDisclaimer(run);
  ASSERT_NE(main, nullptr);
  HWND detail = OpenDetailWindow(run, main);
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(WindowSize(detail).cx, 304);
  EXPECT_EQ(WindowSize(detail).cy, 424);
  EXPECT_EQ(WindowText(detail), L"");
  EXPECT_FALSE(IsWindowEnabled(main));  // modal
  ExpectUnits(detail, kDetailUnits, std::size(kDetailUnits));
  // The shape box holds the other units.
  HWND shape = FindUnit(detail, "外形框1");
  EXPECT_EQ(GetParent(FindUnit(detail, "按钮1")), shape);
  EXPECT_EQ(GetParent(FindUnit(detail, "编辑框1")), shape);
  const LONG editStyle = GetWindowLongW(FindUnit(detail, "编辑框1"), GWL_STYLE);
  EXPECT_TRUE(editStyle & ES_MULTILINE);
  EXPECT_TRUE(editStyle & ES_READONLY);
  EXPECT_TRUE(editStyle & WS_VSCROLL);
  SaveScreenshot(detail, "detail_window");

  BringToFront(detail);
  RECT rc;
  GetWindowRect(FindUnit(detail, "编辑框1"), &rc);
  ClickAt(detail, 100, 100);  // into the read-only text: Esc still closes
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(detail); }));
  EXPECT_TRUE(IsWindow(main));
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_FALSE(run.Ended());
}

// Pressing the left button on the title or the background asks the system to drag the
// window: the window receives WM_NCLBUTTONDOWN with HTCAPTION. The message is recorded and
// not passed on, because Wine's move loop on a bare X server cannot be driven reliably.
LRESULT CALLBACK RecordCaptionPress(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR counter) {
  if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION) {
    InterlockedIncrement(reinterpret_cast<volatile LONG*>(counter));
    return 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

TEST(DetailWindow, PressingTitleOrBackgroundStartsADrag) {
  ProgramRun run;
  HWND main = AcceptDisclaimer(run);
  ASSERT_NE(main, nullptr);
  HWND detail = OpenDetailWindow(run, main);
  ASSERT_NE(detail, nullptr);
  volatile LONG presses = 0;
  RunOnUiThread([&] { SetWindowSubclass(detail, RecordCaptionPress, 1, reinterpret_cast<DWORD_PTR>(&presses)); });
  // A click that only brings the window to the front under a busy X server is repeated.
  const auto pressAt = [&](int x, int y, LONG expected) {
    for (int attempt = 0; attempt < 3 && presses < expected; ++attempt) {
      BringToFront(detail);
      ClickAt(detail, x, y);
      WaitFor([&] { return presses >= expected; }, 2000);
    }
    return presses == expected;
  };
  EXPECT_TRUE(pressAt(150, 12, 1));   // the title label
  EXPECT_TRUE(pressAt(150, 354, 2));  // the shape box between the text and the captcha
  ClickAt(detail, 170, 376);  // the captcha box: no drag
  Sleep(300);
  EXPECT_EQ(presses, 2);
  RunOnUiThread([&] { RemoveWindowSubclass(detail, RecordCaptionPress, 1); });
}
