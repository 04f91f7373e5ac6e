#include "runtime/ui_thread.h"

#include <windows.h>

#include <atomic>
#include <memory>

namespace {

constexpr UINT kRunMessage = WM_APP + 0x101;
constexpr UINT kPostedMessage = WM_APP + 0x102;
constexpr wchar_t kHostClass[] = L"VeradinUiHost";

std::atomic<HWND> g_host{nullptr};
std::atomic<DWORD> g_uiThreadId{0};

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunMessage) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 1;
  }
  if (message == kPostedMessage) {
    std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(lParam));
    (*work)();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool StartUiThread() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kHostClass;
  RegisterClassExW(&wc);  // fails harmlessly when already registered by an earlier run
  HWND host = CreateWindowExW(0, kHostClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
  if (!host) return false;
  g_uiThreadId = GetCurrentThreadId();
  g_host = host;
  return true;
}

void StopUiThread() {
  HWND host = g_host.exchange(nullptr);
  g_uiThreadId = 0;
  if (!host) return;
  MSG msg;  // work posted but never run is released, not leaked
  while (PeekMessageW(&msg, host, kPostedMessage, kPostedMessage, PM_REMOVE)) {
    delete reinterpret_cast<std::function<void()>*>(msg.lParam);
  }
  DestroyWindow(host);
}

bool IsUiThread() { return g_uiThreadId.load() == GetCurrentThreadId(); }

bool RunOnUiThread(const std::function<void()>& work) {
  if (IsUiThread()) {
    work();
    return true;
  }
  HWND host = g_host.load();
  if (!host) return false;
  return SendMessageW(host, kRunMessage, 0, reinterpret_cast<LPARAM>(&work)) == 1;
}

bool PostToUiThread(std::function<void()> work) {
  HWND host = g_host.load();
  if (!host) return false;
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  if (!PostMessageW(host, kPostedMessage, 0, reinterpret_cast<LPARAM>(owned.get()))) return false;
  owned.release();  // the host takes it
  return true;
}

void PumpIfUiThread() {
  if (IsUiThread()) PumpPendingMessages();
}

void PumpPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Not ours to take: leave it for the loop that owns the thread.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
