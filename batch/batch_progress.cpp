#include "batch/batch_progress.h"

#include <commctrl.h>

#include <memory>

#include "batch/batch_texts.h"
#include "runtime/small_window.h"
#include "runtime/gbk_text.h"

namespace {

constexpr int kWidth = 380, kHeight = 150;

// Set on the window while the batch itself takes it away.
constexpr wchar_t kClosingProperty[] = L"VeradinBatchClosing";

struct ProgressHandlers {
  std::function<void()> onCancel, onGone;
};

// What the batch said last and when, so that the times run on between two parties (one
// party of 20 pages takes 20 seconds and more). Window thread only; one batch at a time.
struct LastProgress {
  BatchProgress progress;
  ULONGLONG at = 0;
};
LastProgress g_last;

void ShowTimes(HWND window) {
  if (!IsWindowEnabled(GetDlgItem(window, IDCANCEL)) || !g_last.at) return;  // cancelling, or not started
  const uint64_t since = GetTickCount64() - g_last.at;
  const uint64_t left = g_last.progress.remaining > since ? g_last.progress.remaining - since : 0;
  SetControlText(window, kProgressTimes,
                 L"已用 " + DurationText(g_last.progress.elapsed + since) + L"，预计还需 " + DurationText(left));
}

}  // namespace

HWND CreateBatchProgress(HWND owner, size_t parties, std::function<void()> onCancel, std::function<void()> onGone) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  auto handlers = std::make_shared<ProgressHandlers>(ProgressHandlers{std::move(onCancel), std::move(onGone)});
  HWND window = CreateSmallWindow(owner, kBatchProgressClass, L"批量查询", kWidth, kHeight,
                                  [handlers](HWND w, int id) {
                                    if (id == IDCANCEL && IsWindowEnabled(GetDlgItem(w, IDCANCEL))) {
                                      SetControlText(w, kProgressTimes, L"正在取消……");
                                      EnableWindow(GetDlgItem(w, IDCANCEL), FALSE);
                                      handlers->onCancel();
                                    } else if (id == kTimerTick) {
                                      ShowTimes(w);
                                    } else if (id == kDestroyed) {
                                      if (!RemovePropW(w, kClosingProperty)) handlers->onGone();
                                    }
                                  });
  if (!window) return nullptr;
  AddControl(window, L"Static", L"正在准备……", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kProgressParty, 16, 12, 348, 22);
  AddControl(window, L"Static", L"第 1 个，共 " + std::to_wstring(parties) + L" 个", SS_LEFT | SS_NOPREFIX,
             kProgressCount, 16, 36, 348, 22);
  HWND bar = AddControl(window, PROGRESS_CLASSW, L"", 0, kProgressBar, 16, 62, 348, 18);
  SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(parties));
  AddControl(window, L"Static", L"", SS_LEFT | SS_NOPREFIX, kProgressTimes, 16, 88, 348, 22);
  AddControl(window, L"Button", L"取消", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 284, 112, 80, 28);
  g_last = {};
  SetTimer(window, 1, 1000, nullptr);
  // Shown without taking the focus from the main window.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void ShowBatchProgress(HWND window, const BatchProgress& p) {
  if (!IsWindow(window)) return;
  SetControlText(window, kProgressParty, L"正在查询：" + GbkToWide(p.name));
  SetControlText(window, kProgressCount,
                 L"第 " + std::to_wstring(p.party + 1) + L" 个，共 " + std::to_wstring(p.parties) + L" 个");
  SendDlgItemMessageW(window, kProgressBar, PBM_SETPOS, p.party, 0);
  g_last = {p, GetTickCount64()};
  ShowTimes(window);
}

void CloseBatchProgress(HWND window) {
  if (!IsWindow(window)) return;
  SetPropW(window, kClosingProperty, reinterpret_cast<HANDLE>(1));
  DestroyWindow(window);
}
