#include "app/app_state.h"

namespace {
ApplicationState g_state;
}

ApplicationState& AppState() { return g_state; }

std::mutex& StateLock() {
  static std::mutex lock;
  return lock;
}

void ResetApplicationState() {
  std::lock_guard<std::mutex> lock(StateLock());
  ApplicationState& s = g_state;
  s.gdiplusToken = 0;
  s.appIcon = nullptr;
  s.mainWindow = nullptr;
  s.detailWindow = nullptr;
  s.encodedName.clear();
  s.firstSearchText.clear();
  s.pageJumpText.clear();
  s.firstSearchReply.clear();
  s.pageJumpReply.clear();
  s.names.clear();
  s.dates.clear();
  s.cases.clear();
  s.resultCount.clear();
  s.selectedCase.clear();
  s.idSegment.clear();
  s.selectedId.clear();
  s.detailReply.clear();
  s.detailText.clear();
  s.detailValues = {};
}
