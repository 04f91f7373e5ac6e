#pragma once
// Export of every page of the last search to one CSV file. A worker fetches the pages one at
// a time with the page-jump request while a small window shows the progress; the window
// thread never waits for it.
#include <windows.h>

#include <string>

// "失信被执行人_<name>_<yyyy-mm-dd>.csv"; characters a file name cannot hold become "_".
std::wstring DefaultExportFileName(const std::string& searchedName, const SYSTEMTIME& day);

// Window thread. The result menu's entry: asks for the file with the Save As dialog (in the
// Documents folder, under the default name), then exports into it.
void ExportSearchWithDialog();
// Window thread. Exports into `path` without the dialog. Nothing starts when there is no
// search to export, an export runs already, or the user declines a very long export.
void ExportSearchTo(const std::wstring& path);

bool ExportRunning();
