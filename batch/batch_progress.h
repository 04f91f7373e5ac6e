#pragma once
// The progress window of a batch: the party being checked, k of n, a bar, the time spent
// and left, and 取消. Window thread only.
#include <windows.h>

#include <functional>

#include "batch/batch_runner.h"

inline constexpr wchar_t kBatchProgressClass[] = L"VeradinBatchProgress";
// Control ids, for tests: the party, k of n, the times.
inline constexpr int kProgressParty = 101, kProgressCount = 102, kProgressBar = 103, kProgressTimes = 104;

// `onCancel` runs on 取消 or the close box; `onGone` when the window goes without the batch
// having taken it away (its owner, the main window, closed).
HWND CreateBatchProgress(HWND owner, size_t parties, std::function<void()> onCancel, std::function<void()> onGone);
void ShowBatchProgress(HWND window, const BatchProgress& progress);
// The batch took the window away itself: onGone is not called.
void CloseBatchProgress(HWND window);
