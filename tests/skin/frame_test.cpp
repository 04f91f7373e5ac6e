// The skinned top-level window: records, caption layout and hit tests, the window procedure's
// handling of each message and what it passes on.
#include <windows.h>
#include <commctrl.h>

#include "runtime/gdiplus_session.h"
#include "skin/frame_paint.h"
#include "tests/skin/skin_fixture.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

int g_deactivations = 0;
void CountDeactivation() { ++g_deactivations; }

}  // namespace

TEST_F(SkinTest, CaptionStripFollowsTheWindowsBoxes) {
  struct Case {
    DWORD boxes;
    int captionAsked, stripWidth, buttons, captionHeight;
  } cases[] = {
      {0, 25, 41, 1, 25},                               // close only: 38 + 0 + 3
      {WS_MINIMIZEBOX, 10, 68, 2, 25},                  // below 25 is raised to 25
      {WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 30, 95, 3, 30},  // 26 + 26 + 38 + 2 + 3
  };
  for (const Case& c : cases) {
    TestWindow window(400, 300, WS_POPUP | WS_VISIBLE | c.boxes);
    Skin().ApplySkin(window.Get(), c.captionAsked);
    SkinWindow& record = RecordOf(window.Get());
    EXPECT_EQ(record.stripWidth, c.stripWidth);
    ASSERT_EQ(record.buttons.size(), static_cast<size_t>(c.buttons));
    EXPECT_EQ(record.captionHeight, c.captionHeight);
    EXPECT_EQ(record.buttons.back().kind, CaptionKind::Close);
    // Every button, the 40-pixel close button included, lies inside the client area.
    const CaptionButton& close = record.buttons.back();
    EXPECT_EQ(close.w, 40);
    EXPECT_LE(close.x + close.w, 400 - kFrameBorder);
    EXPECT_GE(record.buttons.front().x, record.stripLeft);
    EXPECT_TRUE(GetWindowLongPtrW(window.Get(), GWL_STYLE) & WS_SYSMENU);
  }
}

TEST_F(SkinTest, SkinningTwiceChangesNothing) {
  TestWindow window(300, 200);
  Skin().ApplySkin(window.Get(), 25);
  const LONG_PTR proc = GetWindowLongPtrW(window.Get(), GWLP_WNDPROC);
  Skin().ApplySkin(window.Get(), 40);
  EXPECT_EQ(Engine().windows.size(), 1u);
  EXPECT_EQ(GetWindowLongPtrW(window.Get(), GWLP_WNDPROC), proc);
  EXPECT_EQ(RecordOf(window.Get()).captionHeight, 25);
}

TEST_F(SkinTest, DestroyingTheFirstWindowRenumbersTheSecond) {
  auto first = std::make_unique<TestWindow>(300, 200);
  TestWindow second(300, 200);
  Skin().ApplySkin(first->Get(), 25);
  Skin().ApplySkin(second.Get(), 25);
  HWND control = second.AddChild(L"Static", 10, 40, 50, 20);
  auto record = std::make_unique<ControlRecord>();
  record->window = control;
  const int listIndex = AddFamilyRecord(2, Family::PushButton, std::move(record));
  SetPropValue(control, kPropSkinIndex, 2);
  SetPropValue(control, kPropListIndex, listIndex);

  first.reset();
  ASSERT_EQ(Engine().windows.size(), 1u);
  EXPECT_EQ(GetPropValue(second.Get(), kPropListIndex), 1);
  EXPECT_EQ(GetPropValue(control, kPropSkinIndex), 1);
  EXPECT_EQ(FindSkinWindow(second.Get()), 1);
}

TEST_F(SkinTest, HitTestsAndResizeZones) {
  TestWindow window(400, 300, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  Skin().ApplySkin(window.Get(), 25);
  const SkinWindow& record = RecordOf(window.Get());
  const int index = FindSkinWindow(window.Get());
  for (size_t i = 0; i < record.buttons.size(); ++i) {
    const CaptionButton& b = record.buttons[i];
    EXPECT_EQ(HitTestCaptionButton(index, static_cast<int>(b.x + b.w / 2), 10), static_cast<int>(i) + 1);
    EXPECT_EQ(HitTestCaptionButton(index, static_cast<int>(b.x), 10), 0) << "edges are outside";
  }
  const CaptionButton& close = record.buttons.back();
  EXPECT_EQ(HitTestCaptionButton(index, static_cast<int>(close.x + 39), 10), 3) << "close is 40 wide";
  EXPECT_EQ(HitTestCaptionButton(index, 100, 10), 0);
  EXPECT_EQ(HitTestCaptionButton(index, static_cast<int>(close.x + 10), 23), 0) << "below the strip";
  EXPECT_EQ(FindMaximizeButton(index), 2);

  struct Zone {
    int x, y, zone;
  } zones[] = {
      {2, 5, WMSZ_TOPLEFT},  // 2 pixels from the left, within 10 of the top: a corner
      {1, 100, WMSZ_LEFT},       {398, 100, WMSZ_RIGHT},      {100, 2, WMSZ_TOP},
      {100, 298, WMSZ_BOTTOM},   {395, 5, WMSZ_TOPRIGHT},     {5, 295, WMSZ_BOTTOMLEFT},
      {395, 295, WMSZ_BOTTOMRIGHT}, {100, 100, 0},            {4, 100, 0},
  };
  for (const Zone& z : zones) EXPECT_EQ(ResizeZone(z.x, z.y, 400, 300), z.zone) << z.x << "," << z.y;
}

TEST_F(SkinTest, PressesOnCaptionAndBorderMoveOrResize) {
  struct Case {
    bool borderResize;
    int x, y;
    UINT message;  // 0: the press starts nothing of the engine's own
    WPARAM wParam;
  } cases[] = {
      {true, 100, 10, WM_NCLBUTTONDOWN, HTCAPTION},     {true, 1, 100, WM_SYSCOMMAND, SC_SIZE + WMSZ_LEFT},
      {true, 2, 5, WM_SYSCOMMAND, SC_SIZE + WMSZ_TOPLEFT}, {true, 395, 195, WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT},
      {true, 100, 100, 0, 0},                           {false, 1, 100, 0, 0},
      {false, 2, 5, WM_NCLBUTTONDOWN, HTCAPTION},
  };
  for (const Case& c : cases) {
    TestWindow window(400, 200);
    SkinOptions options;
    options.borderResize = c.borderResize;
    Skin().ApplySkin(window.Get(), 25, options);
    Seen().clear();
    SendMessageW(window.Get(), WM_LBUTTONDOWN, MK_LBUTTON, At(c.x, c.y));
    SendMessageW(window.Get(), WM_LBUTTONUP, 0, At(c.x, c.y));
    bool moved = false;
    for (const SeenMessage& m : Seen()) {
      moved = moved || m.message == WM_NCLBUTTONDOWN || (m.message == WM_SYSCOMMAND && (m.wParam & 0xFFF0) == SC_SIZE);
    }
    if (c.message) {
      EXPECT_TRUE(SawMessage(c.message, c.wParam, 0)) << c.x << "," << c.y;
    } else {
      EXPECT_FALSE(moved) << c.x << "," << c.y;
    }
  }
  // A press on a caption button starts no move.
  TestWindow window(400, 200);
  Skin().ApplySkin(window.Get(), 25);
  const CaptionButton close = RecordOf(window.Get()).buttons.back();
  Seen().clear();
  SendMessageW(window.Get(), WM_LBUTTONDOWN, MK_LBUTTON, At(static_cast<int>(close.x + 20), 10));
  EXPECT_FALSE(SawMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0));
  ReleaseCapture();
}

TEST_F(SkinTest, UnhandledMessagesReachThePreviousProcedureUnchanged) {
  TestWindow window(300, 200);
  Skin().ApplySkin(window.Get(), 25);
  HWND w = window.Get();
  struct Sent {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  } passed[] = {
      {WM_USER + 7, 0x1234, 0x5678}, {WM_KEYDOWN, VK_F5, 0x3F0001}, {WM_MOUSEWHEEL, 0x780000, At(50, 60)},
      {WM_VSCROLL, SB_LINEDOWN, 0},  {WM_TIMER, 77, 0},             {WM_COMMAND, MAKEWPARAM(5, 0), 0},
      {WM_SYSCOMMAND, SC_KEYMENU, 0}, {WM_MOUSEMOVE, 0, At(20, 100)}, {WM_NCHITTEST, 0, At(60, 60)},
  };
  for (const Sent& s : passed) {
    Seen().clear();
    SendMessageW(w, s.message, s.wParam, s.lParam);
    EXPECT_TRUE(SawMessage(s.message, s.wParam, s.lParam)) << std::hex << s.message;
  }
  // Painted and erased by the engine alone.
  Seen().clear();
  EXPECT_EQ(SendMessageW(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(GetDC(w)), 0), 1);
  InvalidateRect(w, nullptr, FALSE);
  UpdateWindow(w);
  for (const SeenMessage& m : Seen()) {
    EXPECT_NE(m.message, static_cast<UINT>(WM_ERASEBKGND));
    EXPECT_NE(m.message, static_cast<UINT>(WM_PAINT));
  }
  // A window whose record names it no more hands everything on, WM_ERASEBKGND included.
  SkinWindow& record = RecordOf(w);
  record.window = nullptr;
  Seen().clear();
  SendMessageW(w, WM_ERASEBKGND, 0, 0);
  EXPECT_TRUE(SawMessage(WM_ERASEBKGND, 0, 0));
  record.window = w;
}

TEST_F(SkinTest, MinMaxInfoAndSystemCommands) {
  TestWindow window(300, 200, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  Skin().ApplySkin(window.Get(), 25);
  SkinWindow& record = RecordOf(window.Get());
  record.screenWidth = 1111;  // the size recorded at skinning, whatever the screen is now
  record.screenHeight = 777;
  MINMAXINFO info{};
  SendMessageW(window.Get(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMaxTrackSize.x, 1111);
  EXPECT_EQ(info.ptMaxTrackSize.y, 777);
  EXPECT_EQ(info.ptMinTrackSize.x, 200);
  EXPECT_EQ(info.ptMinTrackSize.y, 150);

  // A double click below the caption does nothing of the engine's own.
  Seen().clear();
  SendMessageW(window.Get(), WM_LBUTTONDBLCLK, 0, At(100, 120));
  EXPECT_FALSE(SawMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0));
  // On the caption it maximizes, and restores the second time.
  SendMessageW(window.Get(), WM_LBUTTONDBLCLK, 0, At(100, 10));
  EXPECT_TRUE(SawMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0));
  EXPECT_TRUE(record.maximized);
  SendMessageW(window.Get(), WM_LBUTTONDBLCLK, 0, At(100, 10));
  EXPECT_TRUE(SawMessage(WM_SYSCOMMAND, SC_RESTORE, 0));
  EXPECT_FALSE(RecordOf(window.Get()).maximized);
}

TEST_F(SkinTest, CaptionButtonsActOnReleaseOverThemselves) {
  auto window = std::make_unique<TestWindow>(300, 200, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX);
  HWND w = window->Get();
  Skin().ApplySkin(w, 25);
  UpdateWindow(w);
  const CaptionButton minimize = RecordOf(w).buttons[0];
  const CaptionButton close = RecordOf(w).buttons[1];
  const LPARAM onMinimize = At(static_cast<int>(minimize.x + 10), 10);
  const LPARAM onClose = At(static_cast<int>(close.x + 20), 10);

  Seen().clear();
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, onMinimize);
  SendMessageW(w, WM_LBUTTONUP, 0, At(100, 100));  // released elsewhere: withdrawn
  EXPECT_FALSE(SawMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0));
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, onMinimize);
  SendMessageW(w, WM_LBUTTONUP, 0, onMinimize);
  EXPECT_TRUE(SawMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0));
  ShowWindow(w, SW_RESTORE);

  // Close destroys the window inside the procedure; nothing of its record is used after.
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, onClose);
  SendMessageW(w, WM_LBUTTONUP, 0, onClose);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_TRUE(Engine().windows.empty());

  // Out of range and unset callbacks do nothing.
  TestWindow other(300, 200);
  Skin().ApplySkin(other.Get(), 25);
  Skin().OnCaptionButton(1, 0);
  Skin().OnCaptionButton(1, 5);
  Skin().OnCaptionButton(7, 1);
  EXPECT_TRUE(IsWindow(other.Get()));
}

TEST_F(SkinTest, CaptionHoverFadesInAndStopsItsTimer) {
  TestWindow window(300, 200);
  HWND w = window.Get();
  Skin().ApplySkin(w, 25);
  UpdateWindow(w);
  SkinWindow& record = RecordOf(w);
  const CaptionButton close = record.buttons.back();
  SendMessageW(w, WM_MOUSEHOVER, 0, 0);
  SendMessageW(w, WM_MOUSEMOVE, 0, At(static_cast<int>(close.x + 20), 10));
  EXPECT_EQ(record.hoveredButton, 2);
  EXPECT_TRUE(record.fadeTimerRunning);
  for (int i = 0; i < 8; ++i) SendMessageW(w, WM_TIMER, reinterpret_cast<WPARAM>(w), 0);
  EXPECT_EQ(record.fadeIn.step, 8);
  // Leaving: the fade-out runs its eight steps and the timer stops itself.
  SendMessageW(w, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(record.hoveredButton, 0);
  for (int i = 0; i < 9; ++i) SendMessageW(w, WM_TIMER, reinterpret_cast<WPARAM>(w), 0);
  EXPECT_FALSE(record.fadeTimerRunning);
  EXPECT_EQ(record.fadeOut.button, 0);
  EXPECT_EQ(record.fadeIn.button, 0);
  // A leave with nothing hovered is harmless.
  SendMessageW(w, WM_MOUSELEAVE, 0, 0);
}

TEST_F(SkinTest, OneTrimPerDeactivation) {
  TestWindow window(300, 200);
  g_deactivations = 0;
  Skin().SetDeactivationHandler(CountDeactivation);
  Skin().ApplySkin(window.Get(), 25);
  SendMessageW(window.Get(), WM_ACTIVATEAPP, FALSE, 0);
  SendMessageW(window.Get(), WM_ACTIVATEAPP, FALSE, 0);  // the system may repeat it
  EXPECT_EQ(g_deactivations, 1);
  SendMessageW(window.Get(), WM_ACTIVATEAPP, TRUE, 0);
  SendMessageW(window.Get(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(g_deactivations, 2);
  EXPECT_TRUE(SawMessage(WM_ACTIVATEAPP, FALSE, 0));
}

TEST_F(SkinTest, ChangedEditRepaintsOnlyWhileTinting) {
  struct Case {
    bool on;
    bool alphaGiven;
    bool repainted;
  } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
  for (const Case& c : cases) {
    TestWindow window(300, 200);
    HWND edit = window.AddChild(L"Edit", 10, 40, 120, 24);
    Skin().ApplySkin(window.Get(), 25);
    if (c.alphaGiven) {
      Skin().SetControlVeil(c.on, 100);
    } else {
      Skin().SetControlVeil(c.on);
    }
    UpdateWindow(edit);
    ValidateRect(edit, nullptr);
    SendMessageW(window.Get(), WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
    RECT update{};
    EXPECT_EQ(GetUpdateRect(edit, &update, FALSE) != 0, c.repainted) << c.on << c.alphaGiven;
    Skin().SetControlVeil(true, 100);
  }
}

TEST_F(SkinTest, GdiplusShutsDownOnceAfterEveryPicture) {
  {
    TestWindow window(300, 200);
    Skin().ApplySkin(window.Get(), 25);
    UpdateWindow(window.Get());
  }
  ResetEngine();  // records, glyphs and the skin picture go, then GDI+
  EXPECT_FALSE(GdiplusRunning());
  EXPECT_FALSE(ShutdownGdiplus()) << "the application's own shutdown finds nothing left to do";
}
