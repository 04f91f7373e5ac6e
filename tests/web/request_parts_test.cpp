// The parts of a request that the loopback tests cannot see: flags, the agent chosen from
// awkward header texts, and the https proxy form (which Wine cannot run).
#include "web/request_parts.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(RequestParts, FlagsOfEachCase) {
  EXPECT_EQ(RequestFlags(false, false, false), 0x80004010u);  // plain GET
  EXPECT_EQ(RequestFlags(true, false, false), 0x80800010u);   // plain https GET
  EXPECT_EQ(RequestFlags(false, true, true), 0x80004010u | 0x00080000u | 0x00200000u);
  EXPECT_STREQ(RequestVerb(0), "GET");
  EXPECT_STREQ(RequestVerb(1), "POST");
  EXPECT_STREQ(RequestVerb(2), "HEAD");
  EXPECT_STREQ(RequestVerb(3), "GET");
  EXPECT_STREQ(RequestVerb(-1), "GET");
  EXPECT_TRUE(IsSecureUrl("HTTPS://x"));
  EXPECT_FALSE(IsSecureUrl("http://x"));
}

TEST(RequestParts, AgentTable) {
  const std::pair<std::string, std::string> cases[] = {
      {"", kDefaultAgent},
      {"Accept: x", kDefaultAgent},
      {"User-Agent: X", "X"},
      {"User-Agent:  X 1 \r\nAccept: y", "X 1"},
      {"Accept: y\r\nUser-Agent: Y", "Y"},       // last line: only its own value
      {"user-agent: Z\r\nAccept: y", "Z"},       // any letter case, never across lines
      {"User-Agent:   \r\nAccept: y", kDefaultAgent},
  };
  for (const auto& [headers, agent] : cases) EXPECT_EQ(ChooseAgent(headers), agent) << headers;
}

TEST(RequestParts, ProxyForms) {
  EXPECT_EQ(ChooseProxy("", false).accessType, 1u);
  EXPECT_EQ(ChooseProxy("", false).name, "");
  EXPECT_EQ(ChooseProxy("10.0.0.1:8080", false).accessType, 3u);
  EXPECT_EQ(ChooseProxy("10.0.0.1:8080", false).name, "http=10.0.0.1:8080");
  EXPECT_EQ(ChooseProxy("10.0.0.1:8080", true).name, "10.0.0.1:8080");
}

// A reply must not be able to write header lines into the next request through a cookie.
TEST(RequestParts, CookiesNeverCarryLineBreaksIntoHeaders) {
  const std::pair<std::string, std::string> returned[] = {
      {"Set-Cookie: A=1; Path=/\r\nSet-Cookie: B=2", "A=1; B=2"},
      {"Set-Cookie: A=1\rX-Injected: 1; Path=/\r\nSet-Cookie: B=2", "B=2"},
      {"Set-Cookie: A=1\nX-Injected: 1\r\nSet-Cookie: B=2; Path=/", "B=2"},
      {"Set-Cookie: A=1\0X: 1; Path=/\r\nSet-Cookie: B=2"s, "B=2"},
  };
  for (const auto& [raw, cookies] : returned) EXPECT_EQ(CollectReturnedCookies(raw), cookies) << raw;

  const std::pair<std::string, std::string> sent[] = {
      {"A=1; B=2", "\r\nCookie: A=1; B=2"},
      {"A=1\r\nX-Injected: 1; B=2", "\r\nCookie: B=2"},
      {"A=1\0; B=2"s, "\r\nCookie: B=2"},
      {"A=\n", ""},
  };
  for (const auto& [cookies, line] : sent) {
    const std::string block = ComposeRequestHeaders("Accept: x", "http://h/", cookies);
    EXPECT_EQ(block, "Accept: x\r\nReferer: http://h/\r\nAccept-Language: zh-cn\r\n"
                     "Content-Type: application/x-www-form-urlencoded" + line);
  }
}

}  // namespace
