#include "gdiplus/last_status.h"

namespace {
thread_local gp::Status g_lastStatus = gp::Ok;
}

gp::Status LastStatus() { return g_lastStatus; }

bool RecordStatus(gp::Status status) {
  g_lastStatus = status;
  return status == gp::Ok;
}
