#pragma once
// An HTTP server on 127.0.0.1 inside the test process: it records the exact bytes of every
// request it receives and answers each with a reply the test crafts. One connection at a
// time, closed after each reply, every wait bounded.
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct RecordedRequest {
  std::string raw;          // everything received, byte for byte
  std::string requestLine;  // "GET /path HTTP/1.1"
  std::vector<std::string> headerLines;  // in the order sent, without CR LF
  std::string body;

  // Values of the header lines with that name (any letter case), in order.
  std::vector<std::string> HeaderValues(const std::string& name) const;
  std::string Header(const std::string& name) const;  // the first value, "" when absent
};

struct Reply {
  std::string bytes;   // sent as they are
  bool reset = false;  // abort the connection instead (the client sees a reset)
};

// A complete reply with Content-Length and "Connection: close"; `headers` are extra lines,
// each ending in CR LF.
std::string HttpReply(int status, const std::string& reason, const std::string& headers, const std::string& body);

class LoopbackServer {
 public:
  using Responder = std::function<Reply(const RecordedRequest&)>;

  explicit LoopbackServer(Responder responder);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  std::string Url(const std::string& pathAndQuery) const;  // http://127.0.0.1:port/...
  std::vector<RecordedRequest> Requests() const;

 private:
  void Serve();
  void HandleConnection(unsigned long long client);

  Responder responder_;
  unsigned long long listener_;
  int port_ = 0;
  bool stopping_ = false;
  mutable std::mutex mutex_;
  std::vector<RecordedRequest> requests_;
  std::thread thread_;
};

// A loopback port that nothing listens on: connecting to it is refused.
int UnusedLoopbackPort();
