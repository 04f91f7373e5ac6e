#include "app/workers.h"

std::mutex& NetworkActionLock() {
  static std::mutex lock;
  return lock;
}

std::atomic<bool>& ProgramClosing() {
  static std::atomic<bool> closing{false};
  return closing;
}
