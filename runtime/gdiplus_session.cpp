#include "runtime/gdiplus_session.h"

#include <objidl.h>
#include <gdiplus.h>

#include <atomic>

namespace {
std::atomic<ULONG_PTR> g_token{0};
}

ULONG_PTR StartGdiplus() {
  if (const ULONG_PTR running = g_token.load()) return running;
  Gdiplus::GdiplusStartupInput input;  // version 1, no callback, background thread, codecs
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 0;
  g_token = token;
  return token;
}

bool ShutdownGdiplus() {
  const ULONG_PTR token = g_token.exchange(0);
  if (!token) return false;
  Gdiplus::GdiplusShutdown(token);
  return true;
}

bool GdiplusRunning() { return g_token.load() != 0; }
