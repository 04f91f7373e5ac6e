#include "runtime/threads.h"

#include <windows.h>

#include <atomic>

#include "runtime/handles.h"
#include "runtime/ui_thread.h"

namespace {

std::atomic<int> g_running{0};

DWORD WINAPI ThreadEntry(LPVOID parameter) {
  reinterpret_cast<ThreadRoutine>(parameter)();
  --g_running;
  return 0;
}

}  // namespace

bool StartThread(ThreadRoutine routine) {
  ++g_running;
  UniqueHandle thread(CreateThread(nullptr, 0, ThreadEntry, reinterpret_cast<LPVOID>(routine), 0,
                                   nullptr));
  if (!thread) {
    --g_running;
    return false;
  }
  return true;
}

int RunningWorkers() { return g_running.load(); }

bool WaitForWorkers(unsigned milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (g_running.load() > 0) {
    if (GetTickCount64() >= deadline) return false;
    // Workers may be waiting for this thread's windows: keep serving them while waiting.
    PumpPendingMessages();
    Sleep(5);
  }
  return true;
}
