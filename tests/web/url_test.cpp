// Host, port and object path of a URL, and percent-encoding.
#include "web/url.h"

#include <gtest/gtest.h>

namespace {

TEST(Url, HostPortPathTable) {
  struct Case {
    std::string url, host, hostWithPort;
    int port;
    std::string path;
  };
  const Case cases[] = {
      {"HTTP://Example.ORG:8080/a?b", "example.org", "example.org:8080", 8080, "/a?b"},
      {"example.org/x", "example.org", "example.org", 80, "/x"},
      {"http://example.org", "example.org", "example.org", 80, "/"},
      {"https://host/x", "host", "host", 443, "/x"},
      {"https://host:8443/x", "host", "host:8443", 8443, "/x"},
      {"HTTPS://S/Path/To?Q=A", "s", "s", 443, "/Path/To?Q=A"},
      // The host ends only at "/": a query right after it stays in the host.
      {"http://h?x=1", "h?x=1", "h?x=1", 80, "/"},
      // A host whose name also occurs in the scheme still gets its own path.
      {"http://t/x", "t", "t", 80, "/x"},
      {"https://p:81/q", "p", "p:81", 81, "/q"},
      // User information is not recognised: it becomes part of the host.
      {"http://user:pw@host/x", "user", "user:pw@host", 0, "/x"},
      {"http://h:abc/", "h", "h:abc", 0, "/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
    EXPECT_EQ(UrlHost(c.url, true), c.hostWithPort) << c.url;
    EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
    EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
  }
}

TEST(UrlEncode, BytesAndSafeCharacters) {
  EXPECT_EQ(UrlEncode("a b"), "%61%20%62");
  EXPECT_EQ(UrlEncode("a b", true), "a%20b");
  EXPECT_EQ(UrlEncode("_~", true), "%5F%7E");
  EXPECT_EQ(UrlEncode("-.09AZaz", true), "-.09AZaz");
  EXPECT_EQ(UrlEncode("\x0A"), "%0A");
  EXPECT_EQ(UrlEncode(""), "");
  EXPECT_EQ(UrlEncode("中文"), "%D6%D0%CE%C4");
  EXPECT_EQ(UrlEncode("中文", false, true), "%E4%B8%AD%E6%96%87");
  EXPECT_EQ(UrlEncode("张a", true, true), "%E5%BC%A0a");
}

}  // namespace
