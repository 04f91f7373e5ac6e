#pragma once
// The history window 查询记录: every search of the journal, newest first, filtered by text
// and by a range of local dates; the entry chosen shows its rows and detail views, and can
// be copied, re-searched in the main window, given a receipt, or exported with others.
#include <windows.h>

#include <string>
#include <vector>

// Control ids (tests find the controls by them).
enum HistoryControl : int {
  kHistoryFilter = 101,
  kHistoryFrom,
  kHistoryTo,
  kHistoryFullId,
  kHistoryEntries,
  kHistoryRows,
  kHistoryDetails,
  kHistoryCopy,
  kHistoryReceipt,
  kHistoryResearch,
  kHistoryExport,
  kHistoryStatus,
};

// Window thread. Opens the window, or brings the open one to the front.
void OpenHistoryWindow();
HWND HistoryWindow();
// Reads the journal again when the window is open (after clearing).
void RefreshHistoryWindow();

// Window thread. The selected entries of the list to `path` as CSV (the writer of the
// result export; one line per result row). 0 or the system's error code.
DWORD ExportHistoryTo(const std::wstring& path, const std::vector<long long>& entryIds, bool fullId);
