#pragma once
// Where the user's own files are: the Documents folder, and the system's dialogs that ask
// for a file to open or a file to save, opened there.
#include <windows.h>

#include <string>

// The user's Documents folder without a closing backslash, or "" when the system has none.
std::wstring DocumentsFolder();

// The filter of the dialogs that save a CSV file.
inline constexpr wchar_t kCsvFilter[] = L"CSV 文件 (*.csv)\0*.csv\0所有文件 (*.*)\0*.*\0";

struct FileQuestion {
  HWND owner = nullptr;
  const wchar_t* title = L"";
  const wchar_t* filter = L"";             // pairs of "label\0pattern\0", ending in "\0"
  std::wstring suggestedName;              // saving: the name the dialog proposes
  const wchar_t* extension = nullptr;      // saving: added to a name typed without one
};

// The chosen file, or "" when the user cancelled. Window thread.
std::wstring AskFileToOpen(const FileQuestion& question);
// Confirms replacing an existing file with the user first.
std::wstring AskFileToSave(const FileQuestion& question);
