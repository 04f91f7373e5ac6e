#pragma once
// Starting a batch: the list chosen with the open dialog, read, refused with a reason or
// previewed with its counts and the captcha field, then started.
#include <string>

// Start-up: adds 批量查询… to the program menu.
void AddBatchMenuEntry();
// Window thread. The program menu's 批量查询….
void OpenBatchWithDialog();
// Window thread. The same from the list's path on.
void CheckListFile(const std::wstring& path);

inline constexpr wchar_t kBatchPreviewClass[] = L"VeradinBatchPreview";
// Control ids of the preview, for tests: its text and the captcha field.
inline constexpr int kPreviewText = 201, kPreviewCode = 202;
