#pragma once
// What the parts of the export share: the one export that may run, and small helpers.
#include <windows.h>

#include <atomic>
#include <string>

#include "runtime/handles.h"

struct SearchToExport {
  std::string name, encodedName, card, code;
  int pages = 0;  // to fetch: all, or the first 100 when the user chose so
};

// The one export that may run. Written by the window thread before the worker starts; the
// worker reads it, and the progress window reaches its cancel event.
struct ExportJob {
  SearchToExport search;
  std::wstring path;
  UniqueHandle cancel{CreateEventW(nullptr, TRUE, FALSE, nullptr)};  // 取消 or the program closing
  std::atomic<bool> finishing{false};  // the worker itself takes the progress window away
  std::atomic<bool> abandoned{false};  // the progress window went with the main window
  HWND progress = nullptr;             // window thread only
  std::atomic<bool> running{false};
};
ExportJob& TheExport();

// A message box over the program's windows, from any thread; the button chosen.
int Tell(const std::wstring& text, const std::string& title, UINT flags);

inline std::wstring Number(long long n) { return std::to_wstring(n); }

// True once the export is to stop, waiting up to `waitMilliseconds` for that.
bool Cancelled(DWORD waitMilliseconds = 0);

struct Pager {
  int current = 0, total = 0;
};
// " 2/3 共23" (or the count label's " 2/3 共23条").
Pager ReadPager(const std::string& text);
