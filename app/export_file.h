#pragma once
// The file an export writes: a temporary file beside the chosen one (one volume, so the final
// rename is atomic). The chosen name appears only complete; a file already there stays as
// it was until then, and whatever fails leaves no half-written file behind.
#include <windows.h>

#include <string>

#include "runtime/handles.h"

class PendingFile {
 public:
  PendingFile() = default;
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() { Discard(); }

  // Each returns 0 or the system's error code.
  DWORD Open(const std::wstring& target);
  DWORD Write(const std::string& bytes);
  DWORD Commit();
  void Discard();

 private:
  std::wstring target_, temp_;
  UniqueHandle file_;
};

// The system's text for an error code, with the code.
std::wstring SystemReason(DWORD error);
