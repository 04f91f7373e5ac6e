#include "app/export_file.h"

#include <algorithm>
#include <iterator>

#include "app/export_job.h"

std::wstring SystemReason(DWORD error) {
  wchar_t text[512] = {};
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                           static_cast<DWORD>(std::size(text)), nullptr);
  while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L' ' || text[n - 1] == L'.')) --n;
  return std::wstring(text, n) + (n ? L"（错误 " : L"错误 ") + Number(error) + (n ? L"）" : L"");
}

DWORD PendingFile::Open(const std::wstring& target) {
  target_ = target;
  temp_ = target + L"." + Number(GetCurrentProcessId()) + L".tmp";
  file_.reset(CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file_.get() != INVALID_HANDLE_VALUE) return 0;
  const DWORD error = GetLastError();
  file_.reset();
  temp_.clear();
  return error;
}

DWORD PendingFile::Write(const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file_.get(), bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_DISK_FULL;
    done += written;
  }
  return 0;
}

DWORD PendingFile::Commit() {
  if (!FlushFileBuffers(file_.get())) return GetLastError();
  file_.reset();
  if (!MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return GetLastError();
  temp_.clear();
  return 0;
}

void PendingFile::Discard() {
  file_.reset();
  if (!temp_.empty()) DeleteFileW(temp_.c_str());
  temp_.clear();
}
