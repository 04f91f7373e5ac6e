#include "app/workers.h"

std::mutex& NetworkActionLock() {
  static std::mutex lock;
  return lock;
}
