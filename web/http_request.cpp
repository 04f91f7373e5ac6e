#include "web/http_request.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>

#include "web/cookies.h"
#include "web/request_parts.h"
#include "web/url.h"

namespace {

struct InternetCloser {
  void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
// One owner per WinINet handle; declared session, connection, request, so that they close
// in the reverse order on every path.
using InternetHandle = std::unique_ptr<void, InternetCloser>;

// The sessions of requests in flight, so that AbortHttpRequests can close them from another
// thread. Whoever takes a session out of the set closes it: the request when it ends, or
// the abort, which makes the request's blocking calls return with an error.
std::mutex g_sessionsLock;
std::set<HINTERNET> g_sessions;
bool g_refusing = false;

struct SessionCloser {
  void operator()(HINTERNET handle) const {
    std::lock_guard<std::mutex> lock(g_sessionsLock);
    if (g_sessions.erase(handle)) InternetCloseHandle(handle);
  }
};
using SessionHandle = std::unique_ptr<void, SessionCloser>;

SessionHandle OpenSession(const char* agent, DWORD accessType, const char* proxy, const char* bypass) {
  std::lock_guard<std::mutex> lock(g_sessionsLock);
  if (g_refusing) return nullptr;
  HINTERNET session = InternetOpenA(agent, accessType, proxy, bypass, 0);
  if (session) g_sessions.insert(session);
  return SessionHandle(session);
}

constexpr DWORD kReadChunk = 1024;
constexpr DWORD kHeaderBuffer = 5000;

// A URL that would put something else on the wire than the caller meant is not sent: CR or
// LF would split the Referer line, user information would turn into the host name, and a
// port out of range would be cut to another port.
bool IsSendable(const std::string& url, const std::string& host, int port) {
  if (url.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return false;
  if (host.empty() || UrlHost(url, true).find('@') != std::string::npos) return false;
  return port >= 1 && port <= 65535;
}

// The raw response headers, read whole however long they are; "" when there is no reply.
std::string QueryRawHeaders(HINTERNET request) {
  DWORD size = kHeaderBuffer;
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::string buffer(size, '\0');
    DWORD length = size;
    if (HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr)) {
      buffer.resize(std::min<std::size_t>(std::strlen(buffer.c_str()), size));
      return buffer;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length <= size) return {};
    size = length + 1;
  }
  return {};
}

ByteSet ReadBody(HINTERNET request) {
  ByteSet body;
  unsigned char chunk[kReadChunk] = {};
  for (;;) {
    DWORD count = 0;
    if (!InternetReadFile(request, chunk, kReadChunk, &count) || count == 0) break;
    body.insert(body.end(), chunk, chunk + count);
  }
  return body;
}

}  // namespace

ByteSet HttpRequest(const std::string& url, int method, const std::string& body, std::string* cookies,
                    std::string* returnedCookies, std::string* headers, std::string* responseHeaders,
                    bool noRedirect, ByteSet* bodyBytes, const std::string& proxy) {
  const char* verb = RequestVerb(method);
  const bool secure = IsSecureUrl(url);
  const std::string host = UrlHost(url);
  const int port = UrlPort(url);
  if (!IsSendable(url, host, port)) return {};

  const std::string callerHeaders = headers ? *headers : std::string();
  const ProxySetting proxySetting = ChooseProxy(proxy, secure);
  const bool viaProxy = proxySetting.accessType == INTERNET_OPEN_TYPE_PROXY;
  SessionHandle session = OpenSession(ChooseAgent(callerHeaders).c_str(), proxySetting.accessType,
                                      viaProxy ? proxySetting.name.c_str() : nullptr, viaProxy ? "" : nullptr);
  if (!session) return {};
  InternetHandle connection(InternetConnectA(session.get(), host.c_str(), static_cast<INTERNET_PORT>(port), nullptr,
                                             nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};
  const DWORD flags = RequestFlags(secure, cookies != nullptr, noRedirect);
  InternetHandle request(
      HttpOpenRequestA(connection.get(), verb, UrlPath(url).c_str(), "HTTP/1.1", nullptr, nullptr, flags, 0));
  if (!request) return {};

  const std::string block = ComposeRequestHeaders(callerHeaders, url, cookies ? *cookies : std::string());
  if (headers) *headers = block;
  const DWORD blockLength = static_cast<DWORD>(block.size());
  BOOL sent = FALSE;
  if (method == 1 || method == 2) {
    ByteSet localBytes;
    ByteSet& payload = bodyBytes ? *bodyBytes : localBytes;
    if (payload.empty()) payload.assign(body.c_str(), body.c_str() + std::strlen(body.c_str()));
    sent = HttpSendRequestA(request.get(), block.c_str(), blockLength, payload.empty() ? nullptr : payload.data(),
                            static_cast<DWORD>(payload.size()));
  } else {
    sent = HttpSendRequestA(request.get(), block.c_str(), blockLength, const_cast<char*>(""), 0);
  }

  // A request that got no reply (refused, reset, TLS failure) has no body and no headers;
  // Wine would still hand out a bare CR LF as its raw headers.
  ByteSet response;
  std::string raw;
  if (sent) {
    response = ReadBody(request.get());
    raw = NormaliseSetCookie(QueryRawHeaders(request.get()));
  }
  request.reset();
  connection.reset();
  session.reset();

  std::string setCookies = CollectReturnedCookies(raw);
  if (cookies) MergeCookies(*cookies, setCookies);
  if (responseHeaders) *responseHeaders = raw;
  if (returnedCookies) *returnedCookies = setCookies;
  return response;
}

void AbortHttpRequests() {
  std::lock_guard<std::mutex> lock(g_sessionsLock);
  g_refusing = true;
  for (HINTERNET session : g_sessions) InternetCloseHandle(session);
  g_sessions.clear();
}

void AllowHttpRequests() {
  std::lock_guard<std::mutex> lock(g_sessionsLock);
  g_refusing = false;
}
