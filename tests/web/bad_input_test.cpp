// Damaged and hostile input: truncated texts, lone lead bytes, NUL bytes, invalid UTF-8,
// positions and markers out of range, odd URLs. Defined results, no crash, and every
// result a piece of the text it came from.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "web/codepage.h"
#include "web/cookies.h"
#include "web/markers.h"
#include "web/text_ops.h"
#include "web/url.h"

namespace {

// The obvious search: walk character by character and compare. The library's search
// skips ahead and checks character boundaries afterwards; both must agree.
int ReferenceFind(const std::string& text, const std::string& sought, bool ignoreCase) {
  const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
  for (std::size_t i = 0; i + sought.size() <= text.size();) {
    bool match = true;
    for (std::size_t j = 0; j < sought.size() && match;) {
      const auto t = static_cast<unsigned char>(text[i + j]), s = static_cast<unsigned char>(sought[j]);
      if (s >= 0x80) {
        match = t == s && (j + 1 >= sought.size() || text[i + j + 1] == sought[j + 1]);
        j += 2;
      } else {
        match = ignoreCase ? fold(t) == fold(s) : t == s;
        ++j;
      }
    }
    if (match) return static_cast<int>(i) + 1;
    i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
  }
  return -1;
}

// A small alphabet of ASCII letters, trail-byte look-alikes and lead bytes, so that
// matches across character boundaries are frequent.
std::string RandomGbkish(std::uint32_t& seed, std::size_t length) {
  static const unsigned char kAlphabet[] = {'a', 'A', 'b', ' ', 0xB0, 0xA1, 0xD6, '[', 0x00};
  std::string text;
  for (std::size_t i = 0; i < length; ++i) {
    seed = seed * 1664525u + 1013904223u;
    text += static_cast<char>(kAlphabet[(seed >> 16) % sizeof kAlphabet]);
  }
  return text;
}

TEST(BadInput, SearchAgreesWithCharacterWalk) {
  std::uint32_t seed = 12345;
  for (int round = 0; round < 3000; ++round) {
    const std::string text = RandomGbkish(seed, 1 + round % 40);
    const std::string sought = RandomGbkish(seed, 1 + round % 3);
    const bool ignoreCase = round % 2 == 1;
    ASSERT_EQ(FindText(text, sought, 1, ignoreCase), ReferenceFind(text, sought, ignoreCase))
        << "round " << round;
  }
}

TEST(BadInput, EveryCutOfAPageGivesPiecesOfIt) {
  const std::string page =
      "<tr><td class=\"n\">张三</td><td>2023-01-02</td><td>（2023）京01执1号</td>"
      "<td><a href=\"#\" id=\"7\">查看</a></td></tr>\xA1\xA1 \xB0";
  for (std::size_t cut = 0; cut <= page.size(); ++cut) {
    const std::string text = page.substr(0, cut);
    TextArray items;
    TextBetweenAll(text, "<td>", "</td>", items);
    for (const std::string& item : items) EXPECT_NE(text.find(item), std::string::npos) << cut;
    const std::string between = TextBetween(text, "id=#引号", "#引号");
    EXPECT_NE(text.find(between), std::string::npos);
    EXPECT_NE(text.find(TextAfterLast(text, "id=\"")), std::string::npos);
    EXPECT_NE(text.find(TrimSpaces(text)), std::string::npos);
    for (const std::string& piece : SplitText(text, "</td>")) EXPECT_NE(text.find(piece), std::string::npos);
    const int last = FindLastText(text, "td");
    EXPECT_TRUE(last == -1 || text.compare(last - 1, 2, "td") == 0);
    EXPECT_LE(ToLowerText(text).size(), text.size());
  }
}

TEST(BadInput, PositionsAndMarkersOutOfRange) {
  const std::string text = "abc";
  for (const int start : {INT_MIN, -1, 0, 4, 5, INT_MAX}) {
    EXPECT_EQ(FindText(text, "c", start), start <= 1 ? 3 : -1) << start;
    EXPECT_EQ(FindLastText(text, "a", start), start >= 2 ? 1 : -1) << start;
    EXPECT_EQ(MiddlePart(text, start, INT_MAX), start >= 1 && start <= 3 ? text.substr(start - 1) : "");
    TextArray items;
    EXPECT_EQ(TextBetweenAll("[a]", "[", "]", items, false, 0, "", "", false, false, start), start <= 1 ? 1 : 0);
  }
  EXPECT_EQ(FindText("ab", "abc"), -1);
  EXPECT_EQ(FindLastText("ab", "abc"), -1);
  EXPECT_EQ(TextBetween("ab", "abc", "x"), "");
  EXPECT_EQ(TextAfterLast("ab", "abcd"), "");
  EXPECT_EQ(ReplaceText("abc", "b", "x", INT_MAX), "abc");
  EXPECT_EQ(SplitText("a,b", ",", -5), (TextArray{"a", "b"}));
  EXPECT_EQ(LeftPart(text, INT_MIN), "");
  EXPECT_EQ(RightPart(text, INT_MAX), text);
}

TEST(BadInput, LoneLeadBytesAndNulBytes) {
  EXPECT_EQ(FindText("a\xB0", "\xB0"), 2);
  EXPECT_EQ(TrimSpaces("a \xA1"), "a \xA1");
  EXPECT_EQ(ToLowerText("A\xB0"), "a\xB0");
  EXPECT_EQ(RemoveSpaces("\xB0"), "\xB0");
  EXPECT_EQ(ToInteger("\xA3"), 0);
  EXPECT_EQ(LeftPart(GbkToUtf8("a\xB0"), 1), "a");
  const std::string withNul("a\0b</i>", 7);
  EXPECT_EQ(FindText(withNul, "b"), 3);
  EXPECT_EQ(TextBetween(withNul, "a", "</i>"), std::string("\0b", 2));
  EXPECT_EQ(Utf8ToGbk(std::string("ab\0cd", 5)), "ab");  // a text ends at its first NUL
  EXPECT_EQ(UrlEncode(std::string("a\0", 2)), "%61%00");
}

TEST(BadInput, InvalidUtf8KeepsTheValidParts) {
  for (const std::string& bad : {std::string("a\xFF" "b"), std::string("a\xC3\x28" "b"), std::string("a\xE4\xB8"),
                                 std::string("a\xED\xA0\x80" "b"), std::string("a\xF8\x88\x80\x80\x80" "b")}) {
    const std::string gbk = Utf8ToGbk(bad);
    EXPECT_EQ(gbk.substr(0, 1), "a") << bad;
    EXPECT_EQ(gbk.find('\0'), std::string::npos);
  }
}

TEST(BadInput, OddUrls) {
  for (const std::string& url : {std::string(""), std::string("http://"), std::string("https://"), std::string(":"),
                                  std::string("/"), std::string("http://:80/"), std::string("http://[::1]:8080/x"),
                                  std::string("http://h:99999999999/"), std::string("\xB0"), std::string("http://\xB0/")}) {
    const std::string host = UrlHost(url, true);
    EXPECT_EQ(host.find('/'), std::string::npos) << url;
    const std::string path = UrlPath(url);
    ASSERT_FALSE(path.empty()) << url;
    EXPECT_EQ(path[0], '/') << url;
    UrlPort(url);
  }
  EXPECT_EQ(UrlPort("http://h:99999999999/"), INT_MAX);
  EXPECT_EQ(UrlHost(""), "");
}

TEST(BadInput, CookieTextsOfSeparatorsOnly) {
  std::string oldCookies = ";;; ;", newCookies = "=;=deleted;";
  EXPECT_EQ(MergeCookies(oldCookies, newCookies), "=");
}

}  // namespace
