#pragma once
// Receipts of a search (保存查询凭证): a PNG picture of the result and a UTF-8 text beside
// it that names the query, the service, the time, the rows, the journal entry and its chain
// value, and the picture's SHA-256, so that the picture can be tied to the journal later.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "journal/entry.h"

struct ReceiptFiles {
  std::wstring png, txt;
};

// "<name>_<yyyymmdd-hhmmss>" of the entry's local time; characters a file name cannot hold
// become "_".
std::wstring ReceiptBaseName(const SearchEntry& entry);

// The text file's bytes (UTF-8, CR LF). The ID number masked unless `fullId`.
std::string ReceiptText(const SearchEntry& entry, const std::wstring& pngName, const std::string& pngSha256,
                        bool fullId);

// The main window as the screen shows it, as PNG bytes; empty when it cannot be taken.
std::vector<std::uint8_t> CaptureWindowPng(HWND window);
// A journal entry's rows drawn in the main window's layout, as PNG bytes.
std::vector<std::uint8_t> RenderEntryPng(const SearchEntry& entry, bool fullId);

// Writes both files into `folder`, each under a temporary name renamed when complete.
// Returns false with a reason (GBK) when either could not be written; then neither stays.
bool WriteReceipt(const std::wstring& folder, const SearchEntry& entry, const std::vector<std::uint8_t>& png,
                  bool fullId, ReceiptFiles& files, std::string& reason);

// Window thread. Asks for the folder (Documents first) and writes the receipt of the search
// the main window shows (a picture of the main window) or of a journal entry (its rendering).
void SaveMainReceiptWithDialog();
void SaveEntryReceiptWithDialog(HWND owner, long long entryId, bool fullId);
// The same without the dialog (tests): the file names written, or empty names on failure.
ReceiptFiles SaveMainReceiptTo(const std::wstring& folder);
ReceiptFiles SaveEntryReceiptTo(const std::wstring& folder, long long entryId, bool fullId);

bool CanSaveMainReceipt();
