#include "app/app_state.h"

#include "app/service.h"

namespace {

ApplicationState g_state;

const std::string& TextOnce(const ByteSet& reply, std::optional<std::string>& text) {
  if (!text) text = ReplyText(reply);
  return *text;
}

}  // namespace

ApplicationState& AppState() { return g_state; }

const std::string& FirstSearchText() { return TextOnce(g_state.firstSearchReply, g_state.firstSearchText); }
const std::string& PageJumpText() { return TextOnce(g_state.pageJumpReply, g_state.pageJumpText); }

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
