#include "tests/gui/gui_harness.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/startup.h"
#include "runtime/gbk_text.h"
#include "runtime/handles.h"
#include "runtime/threads.h"
#include "tools/demo/screenshot.h"

bool WaitFor(const std::function<bool()>& condition, unsigned milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
  return true;
}

ProgramRun::ProgramRun(const std::string& service) {
  SetEnvironmentVariableA("VERADIN_SERVICE", service.c_str());
  volatile DWORD id = 0;
  thread_ = std::thread([this, &id] {
    id = GetCurrentThreadId();
    RunVeradin();
    workersAtEnd_ = RunningWorkers();
    ended_ = true;
  });
  WaitFor([&] { return id != 0; });
  threadId_ = id;
}

ProgramRun::~ProgramRun() {
  if (!ended_) {
    // Answer a disclaimer still open, then close every window that is left.
    for (int i = 0; i < 5 && !ended_; ++i) {
      if (HWND box = FindWindowWithClass(L"#32770")) AnswerMessageBox(box, IDNO);
      if (HWND other = OtherRuntimeWindow()) PostMessageW(other, WM_CLOSE, 0, 0);
      if (HWND main = MainWindow()) PostMessageW(main, WM_CLOSE, 0, 0);
      WaitForEnd(2000);
    }
  }
  if (thread_.joinable()) {
    if (ended_) {
      thread_.join();
    } else {
      thread_.detach();  // a hung program: the test has failed already; do not hang too
    }
  }
  WaitForWorkers(10000);  // the next test starts from quiet
}

bool ProgramRun::WaitForEnd(unsigned milliseconds) { return WaitFor([this] { return ended_; }, milliseconds); }

namespace {
struct Search {
  const wchar_t* className;
  HWND found;
  HWND exclude;
};

BOOL CALLBACK FindByClass(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (window != search->exclude && wcscmp(name, search->className) == 0 && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND ProgramRun::FindWindowWithClass(const wchar_t* className) const {
  Search search{className, nullptr, nullptr};
  EnumThreadWindows(threadId_, FindByClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ProgramRun::WaitForMessageBox(unsigned milliseconds) const {
  HWND box = nullptr;
  WaitFor([&] { return (box = FindWindowWithClass(L"#32770")) != nullptr; }, milliseconds);
  return box;
}

namespace {
// The main window is the runtime window with a caption.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (wcscmp(name, L"VeradinWindow") == 0 && GetWindowTextLengthW(window) > 0) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND ProgramRun::MainWindow() const {
  HWND main = nullptr;
  EnumThreadWindows(threadId_, FindMainWindow, reinterpret_cast<LPARAM>(&main));
  return main;
}

HWND ProgramRun::OtherRuntimeWindow() const {
  Search search{L"VeradinWindow", nullptr, MainWindow()};
  EnumThreadWindows(threadId_, FindByClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[4096] = {};
  GetWindowTextW(window, buffer, 4096);
  return buffer;
}

std::string WindowTextGbk(HWND window) { return WideToGbk(WindowText(window)); }

std::string MessageBoxText(HWND box) { return WindowTextGbk(GetDlgItem(box, 0xFFFF)); }

void AnswerMessageBox(HWND box, int buttonId) { PostMessageW(box, WM_COMMAND, buttonId, 0); }

void BringToFront(HWND window) {
  SetForegroundWindow(window);
  WaitFor([&] { return GetForegroundWindow() == window; }, 2000);
}

std::filesystem::path ScreenshotFolder() {
  const char* locale = std::getenv("VERADIN_LOCALE");
  const std::filesystem::path dir = std::filesystem::path(VERADIN_BINARY_DIR) / "screenshots" /
                                    (locale && std::string(locale).rfind("zh", 0) == 0 ? "cp936" : "cp1252");
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  return dir;
}

bool SaveScreenshot(HWND window, const std::string& name) {
  return SaveWindowScreenshot(window, (ScreenshotFolder() / (name + ".png")).wstring());
}

void ClickApart(HWND window, int x, int y) {
  static ULONGLONG last = 0;
  const ULONGLONG gap = GetDoubleClickTime() + 100u;
  const ULONGLONG since = GetTickCount64() - last;
  if (since < gap) Sleep(static_cast<DWORD>(gap - since));
  ClickAt(window, x, y);
  last = GetTickCount64();
}

HWND AcceptDisclaimer(ProgramRun& run) {
  HWND box = run.WaitForMessageBox();
  if (!box) return nullptr;
  AnswerMessageBox(box, IDYES);
  WaitFor([&] { return run.FindWindowWithClass(L"#32770") == nullptr; });
  return run.MainWindow();
}

std::string FileBytes(const std::filesystem::path& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(no file)";
  char buffer[65536];
  DWORD n = 0;
  while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
  CloseHandle(file);
  return bytes;
}

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::filesystem::path ScratchFolder(const std::string& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path folder =
      std::filesystem::path(temp) / ("veradin-gui-" + name + "-" + std::to_string(GetCurrentProcessId()));
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::filesystem::create_directories(folder);
  return folder;
}
