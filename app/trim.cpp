// Working-set trimming when the application is deactivated: the carried tool empties the
// process's working set from outside; where the tool cannot be placed, the process trims
// itself. Why a tool and not the in-process call first: this is how the program has always
// trimmed, and users know the empty.exe it leaves in the Windows directory.
#include "app/trim.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "runtime/embedded.h"
#include "runtime/handles.h"

namespace {

constexpr DWORD kToolWaitMs = 30000;  // the tool ends in moments; never hold a thread forever

struct Bytes {
  const unsigned char* data = nullptr;
  DWORD size = 0;
};

Bytes CarriedTool() {
  const auto tool = EmbeddedBytes(L"TRIM_TOOL");
  return {tool.data(), static_cast<DWORD>(tool.size())};
}

bool FileHolds(const std::wstring& path, const Bytes& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || file.get() == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart != bytes.size) return false;
  std::vector<unsigned char> content(bytes.size);
  DWORD read = 0;
  if (!ReadFile(file.get(), content.data(), bytes.size, &read, nullptr) || read != bytes.size) return false;
  return std::equal(content.begin(), content.end(), bytes.data);
}

enum class ToolFile { Ours, Missing, Foreign };

ToolFile LookAtToolFile(const std::wstring& path, const Bytes& bytes) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ToolFile::Missing;
  }
  return FileHolds(path, bytes) ? ToolFile::Ours : ToolFile::Foreign;
}

// Writes the tool beside its final place and moves it there in one step, so that two
// deactivations in quick succession never run a half-written file. The move never
// replaces: a file that appeared meanwhile is run only if it is ours.
bool PlaceTool(const std::wstring& path, const Bytes& bytes) {
  const std::wstring temporary = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                                 std::to_wstring(GetCurrentThreadId()) + L".tmp";
  {
    UniqueHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || file.get() == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data, bytes.size, &written, nullptr) || written != bytes.size) {
      file.reset();
      DeleteFileW(temporary.c_str());
      return false;
    }
  }
  if (!MoveFileExW(temporary.c_str(), path.c_str(), 0)) {
    DeleteFileW(temporary.c_str());
    return FileHolds(path, bytes);  // another thread may have placed it meanwhile
  }
  return true;
}

bool RunHidden(const std::wstring& path) {
  std::wstring commandLine = L"\"" + path + L"\" " + std::to_wstring(GetCurrentProcessId());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
  WaitForSingleObject(processHandle.get(), kToolWaitMs);
  return true;
}

void TrimOwnWorkingSet() { SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1)); }

std::atomic<int> g_trimsRunning{0};

DWORD WINAPI TrimThread(void*) {
  TrimWorkingSet();
  --g_trimsRunning;
  return 0;
}

}  // namespace

void TrimWorkingSet() {
  wchar_t windir[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(L"windir", windir, MAX_PATH);
  const Bytes tool = CarriedTool();
  // Without a Windows directory to write to (no "windir", or an ordinary user's rights),
  // no executable is written anywhere else: the process trims itself.
  if (n == 0 || n >= MAX_PATH || !tool.data) {
    TrimOwnWorkingSet();
    return;
  }
  const std::wstring path = std::wstring(windir) + L"\\empty.exe";
  // Only the carried tool is ever run, and ours is written only where no file is: another
  // file of that name may be the system's own tool, which is neither run nor replaced.
  const ToolFile found = LookAtToolFile(path, tool);
  const bool ready = found == ToolFile::Ours || (found == ToolFile::Missing && PlaceTool(path, tool));
  if (!ready || !RunHidden(path)) TrimOwnWorkingSet();
}

void OnApplicationDeactivated() {
  // A main window that is going away (hidden first, then destroyed) also deactivates the
  // application; there is nothing left to trim for then.
  HWND main = AppState().mainWindow;
  if (!main || !IsWindowVisible(main)) return;
  ++g_trimsRunning;
  if (!SHCreateThread(TrimThread, nullptr, 0, nullptr)) --g_trimsRunning;
}

bool WaitForTrims(unsigned milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (g_trimsRunning.load() > 0) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
  return true;
}
