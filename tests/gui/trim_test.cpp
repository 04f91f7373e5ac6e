// Working-set trimming when another program becomes the active one.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "runtime/handles.h"
#include "runtime/threads.h"
#include "runtime/ui_thread.h"
#include "tests/gui/gui_harness.h"

namespace {

std::string CarriedTool() {
  HRSRC found = FindResourceW(nullptr, L"TRIM_TOOL", MAKEINTRESOURCEW(10));
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return data ? std::string(data, SizeofResource(nullptr, found)) : std::string();
}

// Every process this test process starts, through a job's notifications.
class ChildWatch {
 public:
  ChildWatch() : job_(CreateJobObjectW(nullptr, nullptr)), port_(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1)) {
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT link{job_.get(), port_.get()};
    ok_ = SetInformationJobObject(job_.get(), JobObjectAssociateCompletionPortInformation, &link, sizeof link) &&
          AssignProcessToJobObject(job_.get(), GetCurrentProcess());
  }
  bool Ok() const { return ok_; }
  // Image paths of the processes started since the last call.
  std::vector<std::wstring> Started(DWORD waitMs) {
    std::vector<std::wstring> images;
    DWORD code;
    ULONG_PTR key;
    LPOVERLAPPED data;
    while (GetQueuedCompletionStatus(port_.get(), &code, &key, &data, waitMs)) {
      if (code != JOB_OBJECT_MSG_NEW_PROCESS) continue;
      const DWORD pid = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(data));
      if (pid == GetCurrentProcessId()) continue;
      UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
      wchar_t image[MAX_PATH] = L"?";
      DWORD size = MAX_PATH;
      if (process) QueryFullProcessImageNameW(process.get(), 0, image, &size);
      images.push_back(image);
    }
    return images;
  }

 private:
  UniqueHandle job_, port_;
  bool ok_ = false;
};

// Counts the times the window saw the application go from active to inactive.
LRESULT CALLBACK CountDeactivations(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
  if (message == WM_ACTIVATEAPP) {
    auto* state = reinterpret_cast<volatile LONG*>(data);  // [0] active, [1] deactivations
    if (!wParam && state[0]) InterlockedIncrement(&state[1]);
    state[0] = wParam != 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

class TrimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A directory per test: a process that ran the tool may keep its file open for a while.
    dir = std::filesystem::path(VERADIN_BINARY_DIR) / "trim_windir" /
          ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::error_code error;
    std::filesystem::remove_all(dir, error);
    std::filesystem::create_directories(dir, error);
    SetEnvironmentVariableW(L"windir", dir.wstring().c_str());
    tool = dir / "empty.exe";
  }
  void TearDown() override { SetEnvironmentVariableW(L"windir", L"C:\\windows"); }

  // Starts the program, accepts, and makes another window the active one.
  void Deactivate(ProgramRun& run) {
    HWND main = AcceptDisclaimer(run);
    ASSERT_NE(main, nullptr);
    RunOnUiThread([&] { SetWindowSubclass(main, CountDeactivations, 7, reinterpret_cast<DWORD_PTR>(activity)); });
    BringToFront(main);
    HWND other = CreateWindowExW(0, L"Static", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    BringToFront(other);
    WaitFor([&] { return std::filesystem::exists(tool); }, 5000);
    WaitFor([&] { return RunningWorkers() == 0; }, 3000);
    Sleep(500);
    DestroyWindow(other);
  }

  std::filesystem::path dir, tool;
  volatile LONG activity[2] = {1, 0};
};

}  // namespace

TEST_F(TrimTest, DeactivationWritesAndRunsTheCarriedTool) {
  ChildWatch watch;
  ProgramRun run;
  Deactivate(run);
  ASSERT_TRUE(std::filesystem::exists(tool));
  EXPECT_EQ(FileBytes(tool), CarriedTool());
  ASSERT_GE(activity[1], 1);
  // The tool ran, and nothing else did. (Wine gives a console program a conhost.exe, and a
  // process that has ended before it is looked at shows no image. Wine may also report one
  // switch to another window as two deactivations, so runs are not counted exactly here.)
  if (watch.Ok()) {
    const std::vector<std::wstring> started = watch.Started(2000);
    EXPECT_GE(started.size(), 1u);
    for (const std::wstring& image : started) {
      EXPECT_TRUE(image.ends_with(L"\\empty.exe") || image.ends_with(L"\\conhost.exe") || image == L"?")
          << std::string(image.begin(), image.end());
    }
  }
  // A second deactivation runs the file as it is.
  const LONG before = activity[1];
  const auto written = std::filesystem::last_write_time(tool);
  Sleep(1100);
  HWND main = run.MainWindow();
  BringToFront(main);
  HWND other = CreateWindowExW(0, L"Static", L"x", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
  BringToFront(other);
  Sleep(1500);
  DestroyWindow(other);
  EXPECT_EQ(std::filesystem::last_write_time(tool), written);
  EXPECT_GT(activity[1], before);
}

TEST_F(TrimTest, AForeignFileOfThatNameIsNeitherReplacedNorRun) {
  // It may be the system's own tool of that name: the program trims itself instead.
  const std::string foreign = "MZ not the carried tool";
  {
    std::ofstream out(tool, std::ios::binary);
    out << foreign;
  }
  ChildWatch watch;
  ProgramRun run;
  Deactivate(run);
  ASSERT_GE(activity[1], 1);
  EXPECT_EQ(FileBytes(tool), foreign);
  if (watch.Ok()) {
    for (const std::wstring& image : watch.Started(1000))
      EXPECT_FALSE(image.ends_with(L"\\empty.exe")) << std::string(image.begin(), image.end());
  }
}

TEST_F(TrimTest, WithoutAWindowsDirectoryNothingIsWritten) {
  ProgramRun run;
  SetEnvironmentVariableW(L"windir", nullptr);
  Deactivate(run);
  EXPECT_FALSE(std::filesystem::exists(tool));
  EXPECT_TRUE(std::filesystem::is_empty(dir));
}
