// The skinned frame across transitions a user causes: hovers over the caption buttons (with
// the real cursor and step by step through a fade), repeated title changes. Each compares
// what the screen shows before and after, so it holds whatever the engine keeps inside.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "skin/frame_paint.h"
#include "tests/skin/skin_fixture.h"
#include "tools/demo/screenshot.h"
#include "tools/demo/user_input.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// The client pixels of `area` as the screen shows them, row by row.
std::vector<std::uint32_t> ReadClient(HWND window, RECT area) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                    static_cast<const std::uint32_t*>(bits) + static_cast<size_t>(w) * h);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  for (auto& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// Columns (relative to the area) where two readings differ, for the failure message.
std::string DifferingColumns(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, int width) {
  std::string columns;
  for (int x = 0; x < width; ++x) {
    for (size_t i = static_cast<size_t>(x); i < a.size(); i += static_cast<size_t>(width)) {
      if (a[i] != b[i]) {
        columns += std::to_string(x) + " ";
        break;
      }
    }
  }
  return columns;
}

// A 17 x 17 icon of half-transparent white: every draw over itself shows.
HICON SoftIcon() {
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = 17;
  header.bV5Height = -17;
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int i = 0; i < 17 * 17; ++i) pixels[i] = 0x80808080;  // premultiplied white at alpha 128
  HBITMAP mask = CreateBitmap(17, 17, 1, 1, nullptr);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  return icon;
}

class FrameTransitionTest : public SkinTest {
 protected:
  HWND Show(TestWindow& window) {
    HWND w = window.Get();
    Skin().SetSkinImage({}, {}, RGB(40, 70, 110), RGB(220, 30, 40));
    Skin().ApplySkin(w, 25);
    SetForegroundWindow(w);  // hover tracking ends at once in a window that is not in front
    UpdateWindow(w);
    Pump();
    return w;
  }
  // The caption strip with two pixels left of it, where the first separator and sheen lie.
  RECT StripArea(HWND w) {
    const SkinWindow& record = RecordOf(w);
    RECT client{};
    GetClientRect(w, &client);
    return {record.stripLeft - 2, 0, client.right, 23};
  }
  POINT CentreOf(HWND w, size_t button) {
    const CaptionButton& b = RecordOf(w).buttons[button];
    return {static_cast<int>(b.x + b.w / 2), static_cast<int>(b.y + b.h / 2)};
  }
};

}  // namespace

TEST_F(FrameTransitionTest, StripReadsBackAsBeforeAfterHoversWithTheRealCursor) {
  TestWindow window(420, 260, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  HWND w = Show(window);
  const RECT strip = StripArea(w);
  MoveCursorTo(w, 100, 150);
  PumpFor(100);
  const auto before = ReadClient(w, strip);
  for (int round = 0; round < 12; ++round) {
    for (size_t button : {size_t{0}, size_t{2}, size_t{1}}) {
      const POINT p = CentreOf(w, button);
      MoveCursorTo(w, p.x, p.y);
      PumpFor(60);  // part of the fade, so fade-in and fade-out overlap
    }
    MoveCursorTo(w, 100, 150);
    PumpFor(40);
  }
  MoveCursorTo(w, 100, 150);
  PumpFor(400);
  const auto after = ReadClient(w, strip);
  EXPECT_TRUE(before == after) << "columns changed: " << DifferingColumns(before, after, strip.right - strip.left);
  SaveWindowScreenshot(w, (ScreenshotDir() / "caption_after_hovers.png").wstring());
  SetCursorPos(5, 1000);
}

TEST_F(FrameTransitionTest, AWholeFadeInAndOutShowsTheHoverAndLeavesNoTrace) {
  TestWindow window(420, 260, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  HWND w = Show(window);
  SetCursorPos(5, 1000);  // the real cursor stays away; the messages below stand for it
  const RECT strip = StripArea(w);
  const int width = strip.right - strip.left;
  const auto before = ReadClient(w, strip);
  // The accent is red, as is the close button's shade: every fade step adds red.
  for (size_t button : {size_t{0}, size_t{1}, size_t{2}}) {
    SCOPED_TRACE(testing::Message() << "button " << button);
    const POINT p = CentreOf(w, button);
    SendMessageW(w, WM_MOUSEHOVER, 0, 0);
    SendMessageW(w, WM_MOUSEMOVE, 0, At(p.x, p.y));
    int previousRed = -1;
    const size_t at = static_cast<size_t>(p.y - strip.top) * width + (p.x - 6 - strip.left);
    for (int step = 1; step <= 8; ++step) {
      SendMessageW(w, WM_TIMER, reinterpret_cast<WPARAM>(w), 0);
      const int red = static_cast<int>((ReadClient(w, strip)[at] >> 16) & 0xFF);  // 0x00RRGGBB
      EXPECT_GE(red, previousRed) << "the shade deepens at step " << step;
      previousRed = red;
    }
    EXPECT_NE(ReadClient(w, strip), before) << "the hover shows";
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    for (int step = 0; step < 9; ++step) SendMessageW(w, WM_TIMER, reinterpret_cast<WPARAM>(w), 0);
    const auto after = ReadClient(w, strip);
    EXPECT_TRUE(after == before) << "columns changed: " << DifferingColumns(before, after, width);
  }
}

TEST_F(FrameTransitionTest, RepeatedTitlesLeaveTheIconAsItWas) {
  TestWindow window(420, 260, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX);
  Skin().SetApplicationIcon(SoftIcon(), true);
  HWND w = Show(window);
  const RECT icon{kFrameBorder + 6, 0, kFrameBorder + 6 + 17, 25};  // every row the icon may touch
  const auto first = ReadClient(w, icon);
  const wchar_t* titles[] = {L"查询", L"A longer title 标题", L"", L"皮肤测试 Skin"};
  for (int round = 0; round < 5; ++round) {
    for (const wchar_t* title : titles) SetWindowTextW(w, title);
  }
  // What the window keeps shows at its next paint (another window passing over it).
  InvalidateRect(w, nullptr, FALSE);
  UpdateWindow(w);
  const auto after = ReadClient(w, icon);
  EXPECT_TRUE(first == after) << "columns changed: " << DifferingColumns(first, after, icon.right - icon.left);
}

TEST_F(FrameTransitionTest, APressOnTheTopEdgeAboveAButtonLeavesNoCapture) {
  TestWindow window(420, 260, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  HWND edit = window.AddChild(L"Edit", 20, 60, 160, 24, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
  HWND w = Show(window);
  const POINT close = CentreOf(w, 2);
  // The top edge resizes; its loop takes the button-up, so only the press reaches the window.
  Seen().clear();
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(close.x, 2));
  EXPECT_TRUE(SawMessage(WM_SYSCOMMAND, SC_SIZE + WMSZ_TOP, 0));
  EXPECT_EQ(GetCapture(), nullptr) << "a resize is not also a press on the button";
  ClickAt(edit, 30, 10);
  PumpFor(100);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(GetCapture(), nullptr);
  SetCursorPos(5, 1000);
}

TEST_F(FrameTransitionTest, APressedCaptionButtonLetsGoWhenTheMouseIsTakenAway) {
  struct Case {
    const char* name;
    void (*takeAway)(HWND skinned, HWND other);
  } cases[] = {
      {"cancel mode", [](HWND skinned, HWND) { SendMessageW(skinned, WM_CANCELMODE, 0, 0); }},
      {"capture taken", [](HWND, HWND other) { SetCapture(other); }},  // the system sends WM_CAPTURECHANGED
      {"deactivated", [](HWND skinned, HWND other) { SendMessageW(skinned, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(other)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow other(100, 100, WS_POPUP);
    TestWindow window(420, 260, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX);
    HWND w = Show(window);
    SetCursorPos(5, 1000);
    const RECT strip = StripArea(w);
    const auto before = ReadClient(w, strip);
    const POINT minimize = CentreOf(w, 0);
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(minimize.x, minimize.y));
    ASSERT_EQ(GetCapture(), w);
    c.takeAway(w, other.Get());
    EXPECT_NE(GetCapture(), w);
    ReleaseCapture();
    EXPECT_TRUE(ReadClient(w, strip) == before) << "the pressed look is gone";
    Seen().clear();
    SendMessageW(w, WM_LBUTTONUP, 0, At(minimize.x, minimize.y));
    EXPECT_FALSE(SawMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0)) << "the withdrawn press clicks nothing";
  }
}

namespace {

// A work area changed for one test and put back after it, with a taskbar window where the
// work area leaves room (the engine once measured that window instead of the work area).
class TaskbarAt {
 public:
  explicit TaskbarAt(RECT work) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved_, 0);
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, 0);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&wc);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    RECT bar{0, 0, sw, sh};
    if (work.left > 0) bar.right = work.left;
    else if (work.top > 0) bar.bottom = work.top;
    else if (work.right < sw) bar.left = work.right;
    else bar.top = work.bottom;
    tray_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, bar.left, bar.top, bar.right - bar.left,
                            bar.bottom - bar.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~TaskbarAt() {
    DestroyWindow(tray_);
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved_, 0);
  }
  TaskbarAt(const TaskbarAt&) = delete;
  TaskbarAt& operator=(const TaskbarAt&) = delete;

 private:
  RECT saved_{};
  HWND tray_ = nullptr;
};

}  // namespace

TEST_F(FrameTransitionTest, MaximizeFillsTheWorkAreaBesideATaskbarOnAnySide) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  const struct Case {
    const char* side;
    RECT work;
  } cases[] = {
      {"left", {90, 0, sw, sh}},
      {"right", {0, 0, sw - 70, sh}},
      {"top", {0, 30, sw, sh}},
      {"bottom", {0, 0, sw, sh - 40}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side);
    TaskbarAt taskbar(c.work);
    TestWindow window(420, 260, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    HWND w = Show(window);
    Skin().OnCaptionButton(FindSkinWindow(w), FindMaximizeButton(FindSkinWindow(w)));
    Pump();
    RECT placed{};
    GetWindowRect(w, &placed);
    EXPECT_EQ(placed.left, c.work.left);
    EXPECT_EQ(placed.top, c.work.top);
    EXPECT_EQ(placed.right, c.work.right);
    EXPECT_EQ(placed.bottom, c.work.bottom);
    // The system's own maximize to the whole screen is brought back into the work area too.
    ShowWindow(w, SW_RESTORE);
    SetWindowPos(w, nullptr, 0, 0, sw, sh, SWP_NOZORDER);
    GetWindowRect(w, &placed);
    EXPECT_EQ(placed.left, c.work.left);
    EXPECT_EQ(placed.bottom, c.work.bottom);
  }
}
