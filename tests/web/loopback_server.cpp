#include "loopback_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cctype>
#include <cstdlib>

namespace {

constexpr int kReceiveTimeoutMs = 5000;
constexpr std::size_t kMaxRequestBytes = 16 * 1024 * 1024;

struct WinsockUser {
  WinsockUser() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockUser() { WSACleanup(); }
};

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

SOCKET LoopbackSocket(int port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<u_short>(port));
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  return s;
}

int LocalPort(SOCKET s) {
  sockaddr_in address = {};
  int length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

// Splits what was received so far into a request; false while it is incomplete.
bool ParseRequest(const std::string& raw, RecordedRequest& request) {
  const std::size_t headerEnd = raw.find("\r\n\r\n");
  if (headerEnd == std::string::npos) return false;
  request = RecordedRequest();
  request.raw = raw;
  std::size_t lineStart = 0;
  bool first = true;
  while (lineStart < headerEnd) {
    std::size_t lineEnd = raw.find("\r\n", lineStart);
    std::string line = raw.substr(lineStart, lineEnd - lineStart);
    if (first) {
      request.requestLine = line;
      first = false;
    } else {
      request.headerLines.push_back(line);
    }
    lineStart = lineEnd + 2;
  }
  const std::size_t length = std::strtoul(request.Header("Content-Length").c_str(), nullptr, 10);
  if (raw.size() < headerEnd + 4 + length) return false;
  request.body = raw.substr(headerEnd + 4, length);
  return true;
}

}  // namespace

std::vector<std::string> RecordedRequest::HeaderValues(const std::string& name) const {
  std::vector<std::string> values;
  for (const std::string& line : headerLines) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || !EqualsIgnoringCase(line.substr(0, colon), name)) continue;
    const std::size_t start = line.find_first_not_of(' ', colon + 1);
    values.push_back(start == std::string::npos ? std::string() : line.substr(start));
  }
  return values;
}

std::string RecordedRequest::Header(const std::string& name) const {
  const std::vector<std::string> values = HeaderValues(name);
  return values.empty() ? std::string() : values.front();
}

std::string HttpReply(int status, const std::string& reason, const std::string& headers, const std::string& body) {
  return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\n" + headers +
         "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

LoopbackServer::LoopbackServer(Responder responder) : responder_(std::move(responder)) {
  static WinsockUser winsock;
  SOCKET s = LoopbackSocket(0);
  listen(s, 8);
  listener_ = s;
  port_ = LocalPort(s);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  thread_.join();
  closesocket(static_cast<SOCKET>(listener_));
}

std::string LoopbackServer::Url(const std::string& pathAndQuery) const {
  return "http://127.0.0.1:" + std::to_string(port_) + pathAndQuery;
}

std::vector<RecordedRequest> LoopbackServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void LoopbackServer::Serve() {
  const SOCKET listener = static_cast<SOCKET>(listener_);
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_) return;
    }
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener, &ready);
    timeval wait = {0, 50 * 1000};
    if (select(0, &ready, nullptr, nullptr, &wait) != 1) continue;
    const SOCKET client = accept(listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    HandleConnection(client);
  }
}

void LoopbackServer::HandleConnection(unsigned long long handle) {
  const SOCKET client = static_cast<SOCKET>(handle);
  const DWORD timeout = kReceiveTimeoutMs;
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  std::string raw;
  RecordedRequest request;
  bool complete = false;
  char chunk[16384];
  while (!complete && raw.size() < kMaxRequestBytes) {
    const int got = recv(client, chunk, sizeof chunk, 0);
    if (got <= 0) break;
    raw.append(chunk, static_cast<std::size_t>(got));
    // A TLS client hello (record type 0x16) is recorded as it is; nothing answers it.
    if (static_cast<unsigned char>(raw[0]) == 0x16) break;
    complete = ParseRequest(raw, request);
  }
  if (!complete) {
    request = RecordedRequest();
    request.raw = raw;
  }
  if (!raw.empty()) {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
  }
  Reply reply;
  if (complete) reply = responder_(request);
  if (reply.reset) {
    const linger abort = {1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
  } else {
    for (std::size_t sent = 0; sent < reply.bytes.size();) {
      const int n = send(client, reply.bytes.data() + sent, static_cast<int>(reply.bytes.size() - sent), 0);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    shutdown(client, SD_SEND);
  }
  closesocket(client);
}

int UnusedLoopbackPort() {
  static WinsockUser winsock;
  const SOCKET s = LoopbackSocket(0);
  const int port = LocalPort(s);
  closesocket(s);
  return port;
}
