#include "tests/skin/skin_fixture.h"

#include <cstdlib>
#include <string>

#include "runtime/gdiplus_session.h"

namespace {

std::vector<SeenMessage> g_seen;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_seen.push_back({window, message, wParam, lParam});
  // Recorded, not run: the system's move and size loops would wait for a real button-up.
  if (message == WM_NCLBUTTONDOWN) return 0;
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SIZE) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* RecordingClass() {
  static const wchar_t* name = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"SkinTestWindow";
    RegisterClassExW(&wc);
    return L"SkinTestWindow";
  }();
  return name;
}

}  // namespace

std::vector<SeenMessage>& Seen() { return g_seen; }

bool SawMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const SeenMessage& m : g_seen) {
    if (m.message == message && m.wParam == wParam && m.lParam == lParam) return true;
  }
  return false;
}

TestWindow::TestWindow(int width, int height, DWORD style) {
  window_ = CreateWindowExW(0, RecordingClass(), L"皮肤测试 Skin", style, 40, 40, width, height, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
}

TestWindow::~TestWindow() {
  if (IsWindow(window_)) DestroyWindow(window_);
}

HWND TestWindow::AddChild(const wchar_t* className, int x, int y, int w, int h, DWORD style, DWORD exStyle) {
  return CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, window_, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    Pump();
    Sleep(5);
  }
}

std::filesystem::path ScreenshotDir() {
  const char* locale = std::getenv("VERADIN_LOCALE");
  const auto dir = std::filesystem::path(VERADIN_BINARY_DIR) / "screenshots" /
                   (locale && std::string(locale).rfind("zh", 0) == 0 ? "cp936" : "cp1252");
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  return dir;
}

void SkinTest::SetUp() {
  ASSERT_NE(StartGdiplus(), 0u);
  engine_ = std::make_unique<SkinEngine>();
  engine_->SetControlVeil(true, 100);
  g_seen.clear();
}

void SkinTest::TearDown() {
  Pump();
  engine_.reset();  // shuts GDI+ down
}

SkinWindow& SkinTest::RecordOf(HWND window) {
  SkinWindow* record = SkinWindowAt(FindSkinWindow(window));
  EXPECT_NE(record, nullptr);
  return *record;
}
