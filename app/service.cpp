#include "app/service.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <cstring>

#include "web/codepage.h"
#include "web/url.h"

namespace {
std::string g_host = kServiceHost;
std::string g_captchaId;

std::string NewCaptchaId() {
  unsigned char random[16] = {};
  if (BCryptGenRandom(nullptr, random, sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0) {
    // No system generator: still unique enough between runs and machines.
    const ULONGLONG mix = GetTickCount64() ^ (static_cast<ULONGLONG>(GetCurrentProcessId()) << 32);
    std::memcpy(random, &mix, sizeof mix);
  }
  static const char digits[] = "0123456789abcdef";
  std::string id;
  for (unsigned char b : random) {
    id += digits[b >> 4];
    id += digits[b & 15];
  }
  return id;
}
}  // namespace

void InitialiseService() {
  char value[256] = {};
  const DWORD n = GetEnvironmentVariableA("VERADIN_SERVICE", value, sizeof value);
  g_host = (n > 0 && n < sizeof value) ? std::string(value, n) : std::string(kServiceHost);
  g_captchaId = NewCaptchaId();
}

std::string ServiceUrl(const std::string& pathAndQuery) { return "http://" + g_host + pathAndQuery; }

const std::string& ServiceHost() { return g_host; }

const std::string& CaptchaId() { return g_captchaId; }

std::string FormValue(const std::string& text) { return UrlEncode(text, /*keepSafe=*/true, /*utf8=*/true); }

std::string_view ReplyPage(const ByteSet& reply) {
  const auto end = std::find(reply.begin(), reply.end(), 0);
  return {reinterpret_cast<const char*>(reply.data()), static_cast<std::size_t>(end - reply.begin())};
}

std::string ReplyText(const ByteSet& reply) { return FromUtf16(ToUtf16(ReplyPage(reply), kCodePageUtf8), kCodePageGbk); }
