#pragma once
// The Query client's process-wide state. Workers run one network action at a time (see
// workers.h), so the state they write is never written by two threads at once.
#include <windows.h>

#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "web/types.h"

// The values a run writes; a new run starts from a fresh set.
struct ApplicationValues {
  ULONG_PTR gdiplusToken = 0;
  HICON appIcon = nullptr;

  std::string encodedName;
  // The search whose rows are shown, for the export of every page: the name as typed, the
  // form-encoded captcha code and ID number (empty after a page jump, which sends none).
  std::string searchedName, searchCode, searchCard;
  // The replies of the last first-page search and page jump, as they came. Their GBK texts
  // are made only when the detail view first looks a record up in them (see SearchText).
  ByteSet firstSearchReply, pageJumpReply;
  std::optional<std::string> firstSearchText, pageJumpText;
  std::string resultCount;

  std::string selectedCase, idSegment, selectedId;
  ByteSet detailReply;
  std::string detailText;
  std::array<std::string, 12> detailValues;
};

struct ApplicationState : ApplicationValues {
  // Set on the window thread, read by workers.
  std::atomic<HWND> mainWindow{nullptr};
  std::atomic<HWND> detailWindow{nullptr};
};

ApplicationState& AppState();
// Guards the result page texts and the selection, which the window thread reads while a
// worker may write them; held only for copies, never across a request or a window call.
std::mutex& StateLock();
// The GBK text of the last first-page search's or page jump's reply, made on the first call
// after the reply came. Call with StateLock() held.
const std::string& FirstSearchText();
const std::string& PageJumpText();
// Start-up: fresh state with the three empty lists. Shutdown: every item released.
void ResetApplicationState();
