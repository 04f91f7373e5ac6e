#pragma once
// Counts the messages of some kinds that windows of this thread get, whether sent (as
// UpdateWindow and RDW_UPDATENOW send paints) or taken from the queue, while the object
// lives. One at a time per thread. Shared by the tests and the benchmarks.
#include <windows.h>

#include <map>
#include <utility>
#include <vector>

class MessageCount {
 public:
  explicit MessageCount(std::vector<UINT> kinds) : kinds_(std::move(kinds)) {
    active_ = this;
    sent_ = SetWindowsHookExW(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
    queued_ = SetWindowsHookExW(WH_GETMESSAGE, Queued, nullptr, GetCurrentThreadId());
  }
  ~MessageCount() {
    UnhookWindowsHookEx(sent_);
    UnhookWindowsHookEx(queued_);
    active_ = nullptr;
  }
  MessageCount(const MessageCount&) = delete;
  MessageCount& operator=(const MessageCount&) = delete;

  // Of one kind to one window; of every counted kind to one window (nullptr: to any window).
  int Of(HWND window, UINT message) const {
    const auto found = counts_.find({window, message});
    return found == counts_.end() ? 0 : found->second;
  }
  int Of(HWND window) const {
    int sum = 0;
    for (const auto& [key, n] : counts_) sum += window == nullptr || key.first == window ? n : 0;
    return sum;
  }

 private:
  void Note(HWND window, UINT message) {
    for (UINT kind : kinds_) {
      if (kind == message) ++counts_[{window, message}];
    }
  }
  static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && active_) active_->Note(m->hwnd, m->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK Queued(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && active_) active_->Note(m->hwnd, m->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline MessageCount* active_ = nullptr;
  std::vector<UINT> kinds_;
  std::map<std::pair<HWND, UINT>, int> counts_;
  HHOOK sent_ = nullptr, queued_ = nullptr;
};
