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
  static_cast<ApplicationValues&>(g_state) = ApplicationValues{};
  g_state.mainWindow = nullptr;
  g_state.detailWindow = nullptr;
}
