// HttpRequest against a server inside this process that records the exact request bytes.
// What Wine's WinINet does where it may differ from Windows is said beside the assertion.
#include "web/http_request.h"

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>

#include "loopback_server.h"

namespace {

const std::string kAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

std::string Text(const ByteSet& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string PathOf(const RecordedRequest& request) {
  const std::size_t start = request.requestLine.find(' ') + 1;
  return request.requestLine.substr(start, request.requestLine.rfind(' ') - start);
}

std::string DefaultBlock(const std::string& url) {
  return "Accept: */*\r\nReferer: " + url +
         "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
}

// A server that answers by path (query included), "hello" to anything else.
class RoutedServer : public LoopbackServer {
 public:
  explicit RoutedServer(std::map<std::string, Reply> routes = {})
      : LoopbackServer([routes](const RecordedRequest& request) {
          const auto route = routes.find(PathOf(request));
          return route != routes.end() ? route->second : Reply{HttpReply(200, "OK", "", "hello")};
        }) {}
};

TEST(HttpRequest, GetSendsTheDefaultBlockInItsOrder) {
  RoutedServer server;
  const std::string url = server.Url("/a/b?c=1&d=%E4");
  std::string headers, responseHeaders;
  const ByteSet body = HttpRequest(url, 0, "", nullptr, nullptr, &headers, &responseHeaders);

  EXPECT_EQ(Text(body), "hello");
  EXPECT_EQ(headers, DefaultBlock(url));
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  const RecordedRequest& request = requests[0];
  EXPECT_EQ(request.requestLine, "GET /a/b?c=1&d=%E4 HTTP/1.1");
  // WinINet puts Host and User-Agent first and then the block exactly as composed.
  EXPECT_NE(request.raw.find("\r\n" + DefaultBlock(url) + "\r\n\r\n"), std::string::npos) << request.raw;
  EXPECT_EQ(request.HeaderValues("User-Agent"), std::vector<std::string>{kAgent});
  EXPECT_EQ(request.Header("Host"), "127.0.0.1:" + std::to_string(server.port()));
  EXPECT_TRUE(request.HeaderValues("Cookie").empty());
  EXPECT_EQ(responseHeaders.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << responseHeaders;
}

TEST(HttpRequest, PostSendsBodyAndReportsTheBytesSent) {
  RoutedServer server;
  const std::string url = server.Url("/findDisNew");
  ByteSet bodyBytes;
  std::string headers;
  HttpRequest(url, 1, "pName=%E5&pCode=ab12", nullptr, nullptr, &headers, nullptr, false, &bodyBytes);
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  const RecordedRequest& request = requests[0];
  EXPECT_EQ(request.requestLine, "POST /findDisNew HTTP/1.1");
  EXPECT_EQ(request.body, "pName=%E5&pCode=ab12");
  EXPECT_EQ(request.Header("Content-Length"), "20");
  EXPECT_NE(request.raw.find("\r\n" + DefaultBlock(url) + "\r\n"), std::string::npos) << request.raw;
  EXPECT_EQ(Text(bodyBytes), "pName=%E5&pCode=ab12");
}

TEST(HttpRequest, BodyBytesTakePrecedenceAndMayHoldAnyByte) {
  RoutedServer server;
  ByteSet bodyBytes = {'x', 0, 0xFF, 'y'};
  HttpRequest(server.Url("/"), 1, "ignored=1", nullptr, nullptr, nullptr, nullptr, false, &bodyBytes);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].body, std::string("x\0\xFFy", 4));
  EXPECT_EQ(bodyBytes, (ByteSet{'x', 0, 0xFF, 'y'}));
}

TEST(HttpRequest, CallerAcceptLines) {
  RoutedServer server;
  const std::string url = server.Url("/");
  std::string upper = "Accept: text/html", lower = "accept: text/html";
  HttpRequest(url, 0, "", nullptr, nullptr, &upper);
  HttpRequest(url, 0, "", nullptr, nullptr, &lower);
  const std::string defaults = DefaultBlock(url).substr(std::string("Accept: */*").size());
  EXPECT_EQ(upper, "Accept: text/html" + defaults);
  EXPECT_EQ(lower, "accept: text/html\r\nAccept: */*" + defaults);  // the test for "Accept:" is case-sensitive
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Requests()[0].HeaderValues("Accept"), std::vector<std::string>{"text/html"});
  // Both lines are handed to WinINet; Wine adds request headers with "replace", so the later
  // "Accept: */*" takes the place of the caller's line on the wire.
  EXPECT_EQ(server.Requests()[1].HeaderValues("Accept"), std::vector<std::string>{"*/*"});
}

TEST(HttpRequest, UserAgentComesFromTheCallersLine) {
  RoutedServer server;
  const std::string url = server.Url("/");
  std::string only = "User-Agent: X", last = "Accept: y\r\nuser-agent: Y 2";
  HttpRequest(url, 0, "", nullptr, nullptr, &only);
  HttpRequest(url, 0, "", nullptr, nullptr, &last);
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Requests()[0].HeaderValues("User-Agent"), std::vector<std::string>{"X"});
  // The caller's line is sent too; Wine lets it replace the agent's line rather than add one.
  EXPECT_EQ(server.Requests()[1].HeaderValues("User-Agent"), std::vector<std::string>{"Y 2"});
}

TEST(HttpRequest, SetCookieLinesInAnyLetterCase) {
  // Cookies stay in WinINet's store for the process: each test keeps them to its own paths.
  RoutedServer server({{"/c", {HttpReply(200, "OK", "set-cookie: S=abc; path=/c\r\nSET-COOKIE: T=1; Path=/c\r\n", "ok")}},
                       {"/none", {HttpReply(200, "OK", "X-A: 1\r\n", "ok")}}});
  std::string returned = "stale", responseHeaders;
  HttpRequest(server.Url("/c"), 0, "", nullptr, &returned, nullptr, &responseHeaders);
  EXPECT_EQ(returned, "S=abc; T=1");
  EXPECT_NE(responseHeaders.find("Set-Cookie: S=abc; path=/c\r\n"), std::string::npos) << responseHeaders;
  EXPECT_NE(responseHeaders.find("Set-Cookie: T=1; Path=/c\r\n"), std::string::npos) << responseHeaders;
  HttpRequest(server.Url("/none"), 0, "", nullptr, &returned);
  EXPECT_EQ(returned, "");
}

TEST(HttpRequest, CookieJarIsSentAndReceivesTheReplysCookies) {
  RoutedServer server({{"/jar", {HttpReply(200, "OK", "Set-Cookie: B=3; Path=/\r\nSet-Cookie: C=deleted\r\n", "ok")}}});
  std::string jar = "A=1; B=2; C=0", returned;
  HttpRequest(server.Url("/jar"), 0, "", &jar, &returned);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].HeaderValues("Cookie"), std::vector<std::string>{"A=1; B=2; C=0"});
  EXPECT_EQ(jar, "B=3; A=1");
  EXPECT_EQ(returned, "B=3;C=deleted");  // the merge leaves the returned cookies without spaces
}

TEST(HttpRequest, WinInetCarriesTheSessionCookieWithoutAJar) {
  RoutedServer server({{"/session/start", {HttpReply(200, "OK", "Set-Cookie: SID=s1; Path=/session\r\n", "")}},
                       {"/session/jar", {HttpReply(200, "OK", "Set-Cookie: JAR=j; Path=/session\r\n", "")}}});
  std::string returned;
  HttpRequest(server.Url("/session/start"), 0, "", nullptr, &returned);
  EXPECT_EQ(returned, "SID=s1");
  HttpRequest(server.Url("/session/next"), 0);
  std::string jar;  // an empty jar still switches WinINet's store off, both ways
  HttpRequest(server.Url("/session/jar"), 0, "", &jar);
  HttpRequest(server.Url("/session/last"), 0);
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_TRUE(requests[0].HeaderValues("Cookie").empty());
  EXPECT_EQ(requests[1].HeaderValues("Cookie"), std::vector<std::string>{"SID=s1"});
  EXPECT_TRUE(requests[2].HeaderValues("Cookie").empty());
  EXPECT_EQ(jar, "JAR=j");
  EXPECT_EQ(requests[3].HeaderValues("Cookie"), std::vector<std::string>{"SID=s1"});
}

TEST(HttpRequest, RedirectsFollowedUnlessSwitchedOff) {
  RoutedServer server({{"/old", {HttpReply(302, "Found", "Location: /new\r\n", "moved")}},
                       {"/new", {HttpReply(200, "OK", "", "arrived")}}});
  std::string responseHeaders;
  EXPECT_EQ(Text(HttpRequest(server.Url("/old"), 0, "", nullptr, nullptr, nullptr, &responseHeaders)), "arrived");
  EXPECT_EQ(responseHeaders.rfind("HTTP/1.1 200", 0), 0u);
  EXPECT_EQ(Text(HttpRequest(server.Url("/old"), 0, "", nullptr, nullptr, nullptr, &responseHeaders, true)), "moved");
  EXPECT_EQ(responseHeaders.rfind("HTTP/1.1 302", 0), 0u);
  ASSERT_EQ(server.Requests().size(), 3u);
  EXPECT_EQ(PathOf(server.Requests()[1]), "/new");
}

TEST(HttpRequest, ErrorPageIsTheBody) {
  RoutedServer server({{"/missing", {HttpReply(404, "Not Found", "", "no such page")}}});
  std::string responseHeaders;
  EXPECT_EQ(Text(HttpRequest(server.Url("/missing"), 0, "", nullptr, nullptr, nullptr, &responseHeaders)),
            "no such page");
  EXPECT_EQ(responseHeaders.rfind("HTTP/1.1 404", 0), 0u);
}

TEST(HttpRequest, RequestsAreNeverServedFromACache) {
  RoutedServer server;
  HttpRequest(server.Url("/same"), 0);
  HttpRequest(server.Url("/same"), 0);
  EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(HttpRequest, HeadersLongerThanFiveThousandBytesAreReadWhole) {
  std::string filler;
  for (int i = 0; i < 200; ++i) filler += "X-Filler-" + std::to_string(i) + ": " + std::string(40, 'f') + "\r\n";
  RoutedServer server({{"/big", {HttpReply(200, "OK", filler + "Set-Cookie: LATE=1; Path=/big\r\n", "body")}}});
  std::string returned, responseHeaders;
  const ByteSet body = HttpRequest(server.Url("/big"), 0, "", nullptr, &returned, nullptr, &responseHeaders);
  EXPECT_EQ(Text(body), "body");
  EXPECT_GT(responseHeaders.size(), 10000u);
  EXPECT_EQ(returned, "LATE=1");
}

TEST(HttpRequest, FiveMegabyteBodyIsReadWhole) {
  std::string big(5 * 1024 * 1024 + 17, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 7 + i / 1024) % 251);
  RoutedServer server({{"/big", {HttpReply(200, "OK", "", big)}}});
  const ByteSet body = HttpRequest(server.Url("/big"), 0);
  ASSERT_EQ(body.size(), big.size());
  EXPECT_TRUE(std::equal(body.begin(), body.end(), big.begin(), [](unsigned char a, char b) {
    return a == static_cast<unsigned char>(b);
  }));
}

TEST(HttpRequest, NulBytesInAReplyArriveAsBytes) {
  RoutedServer server({{"/nul", {HttpReply(200, "OK", "", std::string("a\0b\0", 4))}}});
  EXPECT_EQ(HttpRequest(server.Url("/nul"), 0), (ByteSet{'a', 0, 'b', 0}));
}

struct FailedCall {
  ByteSet body = {1};
  std::string returned = "stale", responseHeaders = "stale", headers;
};

void ExpectNoReply(const FailedCall& call) {
  EXPECT_TRUE(call.body.empty());
  EXPECT_EQ(call.responseHeaders, "");
  EXPECT_EQ(call.returned, "");
}

TEST(HttpRequest, RefusedConnectionGivesNothing) {
  FailedCall call;
  const std::string url = "http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/x";
  call.body = HttpRequest(url, 0, "", nullptr, &call.returned, &call.headers, &call.responseHeaders);
  ExpectNoReply(call);
  EXPECT_EQ(call.headers, DefaultBlock(url));
}

TEST(HttpRequest, ResetConnectionGivesNothing) {
  RoutedServer server({{"/reset", Reply{"", true}}});
  FailedCall call;
  call.body = HttpRequest(server.Url("/reset"), 0, "", nullptr, &call.returned, nullptr, &call.responseHeaders);
  ExpectNoReply(call);
  EXPECT_GE(server.Requests().size(), 1u);  // WinINet may try a reset request once more
}

// Wine hands out WinINet handles as the lowest free slots of its handle table, so an
// Internet handle left open by a request (its children close with it) pushes up the last
// of a run of handles opened here. Wine's GetProcessHandleCount is a stub, and WinINet
// handles are no kernel handles anyway.
std::uintptr_t LastOfSixteenHandles() {
  HINTERNET probes[16];
  for (HINTERNET& probe : probes) probe = InternetOpenA("probe", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  for (HINTERNET probe : probes) InternetCloseHandle(probe);
  return reinterpret_cast<std::uintptr_t>(probes[15]);
}

TEST(HttpRequest, RequestsLeaveNoHandlesBehind) {
  RoutedServer server({{"/reset", Reply{"", true}}});
  const std::string refused = "http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/";
  const auto before = LastOfSixteenHandles();
  HttpRequest(refused, 0);
  HttpRequest(server.Url("/reset"), 0);
  HttpRequest(server.Url("/ok"), 1, "a=1");
  HttpRequest("http://name.invalid/", 0);
  EXPECT_EQ(LastOfSixteenHandles(), before);
}

TEST(HttpRequest, HttpsUsesTlsOnTheGivenPort) {
  // No TLS server here: it is enough that a TLS client hello (record type 0x16) arrives.
  RoutedServer server;
  FailedCall call;
  call.body = HttpRequest("https://127.0.0.1:" + std::to_string(server.port()) + "/s", 0, "", nullptr,
                          &call.returned, nullptr, &call.responseHeaders);
  ExpectNoReply(call);
  ASSERT_GE(server.Requests().size(), 1u);
  EXPECT_EQ(static_cast<unsigned char>(server.Requests()[0].raw[0]), 0x16);
}

TEST(HttpRequest, HttpProxyGetsTheWholeUrlOnTheDefaultPort) {
  // The "http=" form of the proxy name. (An https request through a proxy makes Wine 8's
  // WinINet abort on an assertion in netconnection.c, so that form is checked without
  // the network only, in RequestParts.ProxyForms.)
  RoutedServer server({{"http://example.invalid:80/x?y=1", {HttpReply(200, "OK", "", "via proxy")}}});
  const std::string proxy = "127.0.0.1:" + std::to_string(server.port());
  const ByteSet body = HttpRequest("http://example.invalid/x?y=1", 0, "", nullptr, nullptr, nullptr, nullptr, false,
                                   nullptr, proxy);
  EXPECT_EQ(Text(body), "via proxy");
  ASSERT_EQ(server.Requests().size(), 1u);
  // Wine writes the default port into the absolute URL; the host line has none.
  EXPECT_EQ(server.Requests()[0].requestLine, "GET http://example.invalid:80/x?y=1 HTTP/1.1");
  EXPECT_EQ(server.Requests()[0].Header("Host"), "example.invalid");
}

TEST(HttpRequest, UrlsThatWouldSendSomethingElseAreNotSent) {
  RoutedServer server;
  const std::string port = std::to_string(server.port());
  const std::string urls[] = {
      "http://127.0.0.1:" + port + "/x\r\nX-Injected: 1",
      "http://127.0.0.1:" + std::to_string(server.port() + 65536) + "/",  // would wrap to our port
      "http://user:pw@127.0.0.1:" + port + "/",
      "http://127.0.0.1:port/",
      "",
  };
  for (const std::string& url : urls) {
    std::string responseHeaders = "untouched";
    EXPECT_TRUE(HttpRequest(url, 0, "", nullptr, nullptr, nullptr, &responseHeaders).empty()) << url;
    EXPECT_EQ(responseHeaders, "untouched") << url;
  }
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
