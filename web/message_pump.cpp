#include "web/message_pump.h"

#include <atomic>

namespace {
// Installed once from the window thread, called from any worker: an atomic is enough.
std::atomic<MessagePump> g_pump{nullptr};
}  // namespace

void SetMessagePump(MessagePump pump) { g_pump.store(pump, std::memory_order_release); }

void PumpMessages() {
  if (MessagePump pump = g_pump.load(std::memory_order_acquire)) pump();
}
