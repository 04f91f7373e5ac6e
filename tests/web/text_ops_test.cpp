// The general text operations: GBK stepping, 1-based positions, -1 for absent.
#include "web/text_ops.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// "\xB0" "b" is one double-byte character whose trail byte is the ASCII letter b.
const std::string kTrailB = "\xB0" "b";

struct FindCase {
  std::string text, sought;
  int start;
  bool ignoreCase;
  int expected;
};

TEST(FindText, RulesTable) {
  const FindCase cases[] = {
      {"abcabc", "c", 1, false, 3},
      {"abcabc", "c", 4, false, 6},
      {"abcabc", "c", 7, false, -1},
      {"abcabc", "c", 0, false, 3},  // a start below 1 counts as 1
      {"abcabc", "", 5, false, 1},   // an empty sought text is found at once
      {"", "", 1, false, -1},
      {"", "a", 1, false, -1},
      {"ABC", "b", 1, false, -1},
      {"ABC", "b", 1, true, 2},
      {"xAxa", "a", 1, true, 2},
      {kTrailB, "b", 1, false, -1},  // never a match beginning on a trail byte
      {kTrailB + "b", "b", 1, false, 3},
      {kTrailB, "B", 1, true, -1},
      {"\xB0" "B", kTrailB, 1, true, -1},  // trail bytes never fold
      {kTrailB, kTrailB, 1, true, 1},
      {kTrailB, "b", 2, false, 2},  // the scan begins at the given byte, whatever it is
      {"中文中文", "文", 1, false, 3},
      {"中文中文", "文", 5, false, 7},
      // 啊啊啊 is B0 A1 B0 A1 B0 A1: "A1 B0" only ever spans two characters.
      {"啊啊啊", "\xA1\xB0", 1, false, -1},
      {"a啊啊啊", "\xA1\xB0\xA1", 1, false, -1},
      {"啊\xA1\xB0", "\xA1\xB0", 1, false, 3},
      {"a\xB0", "\xB0", 1, false, 2},  // a lead byte at the end stands alone
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.expected)
        << "text '" << c.text << "' sought '" << c.sought << "' start " << c.start;
  }
}

TEST(FindLastText, RulesTable) {
  const FindCase cases[] = {
      {"abcabc", "b", INT_MIN, false, 5},  // INT_MIN: no start given (see below)
      {"abcabc", "b", 5, false, 2},        // within the first 4 bytes
      {"abcabc", "b", 6, false, 5},
      {"abcabc", "bc", 6, false, 2},  // "bc" at 5 does not lie wholly in the first 5 bytes
      {"aaa", "aa", INT_MIN, false, 2},
      {"abc", "b", 1, false, -1},
      {"abc", "b", 0, false, -1},
      {"abc", "", INT_MIN, false, -1},
      {"aBab", "B", INT_MIN, true, 4},
      {kTrailB + "x", "b", INT_MIN, false, -1},
      {"文中文中", "文", INT_MIN, false, 5},
  };
  for (const FindCase& c : cases) {
    const auto start = c.start == INT_MIN ? std::nullopt : std::optional<int>(c.start);
    EXPECT_EQ(FindLastText(c.text, c.sought, start, c.ignoreCase), c.expected)
        << "text '" << c.text << "' sought '" << c.sought << "' start " << c.start;
  }
}

TEST(TextParts, LeftRightMiddle) {
  EXPECT_EQ(LeftPart("abc", 2), "ab");
  EXPECT_EQ(LeftPart("abc", 0), "");
  EXPECT_EQ(LeftPart("abc", -1), "");
  EXPECT_EQ(LeftPart("abc", 9), "abc");
  EXPECT_EQ(RightPart("abc", 2), "bc");
  EXPECT_EQ(RightPart("abc", -3), "");
  EXPECT_EQ(RightPart("abc", 9), "abc");
  EXPECT_EQ(MiddlePart("abcdef", 2, 3), "bcd");
  EXPECT_EQ(MiddlePart("abcdef", 6, 5), "f");  // cut at the end
  EXPECT_EQ(MiddlePart("abcdef", 7, 1), "");
  EXPECT_EQ(MiddlePart("abcdef", 0, 2), "");
  EXPECT_EQ(MiddlePart("abcdef", 2, 0), "");
}

TEST(TrimSpaces, HalfAndFullWidthSpaces) {
  const std::string full = "\xA1\xA1";
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces(full + " a" + full + "b " + full + full), "a" + full + "b");
  EXPECT_EQ(TrimSpaces("\tx\r\n"), "\tx\r\n");  // only 0x20 and A1 A1 are spaces
  EXPECT_EQ(TrimSpaces("   "), "");
  // B0 A1 A1 A1 is the character B0 A1 and a full-width space; B0 A1 A1 ends in a lone A1.
  EXPECT_EQ(TrimSpaces("\xB0\xA1\xA1\xA1"), "\xB0\xA1");
  EXPECT_EQ(TrimSpaces("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
  EXPECT_EQ(TrimSpaces("\xB0 "), "\xB0 ");  // 0x20 as a trail byte is no space
}

TEST(RemoveSpaces, EverywhereButInsideCharacters) {
  EXPECT_EQ(RemoveSpaces(" a\xA1\xA1" "b c "), "abc");
  EXPECT_EQ(RemoveSpaces("\xB0\xA1\xA1\xA1"), "\xB0\xA1");
  EXPECT_EQ(RemoveSpaces("T=a b"), "T=ab");
}

TEST(ReplaceText, CountStartCaseAndNoRescan) {
  EXPECT_EQ(ReplaceText("a-b-c", "-", "+"), "a+b+c");
  EXPECT_EQ(ReplaceText("a-b-c", "-", "+", 1, 1), "a+b-c");
  EXPECT_EQ(ReplaceText("a-b-c", "-", "+", 3), "a-b+c");
  EXPECT_EQ(ReplaceText("a-b-c", "-"), "abc");
  EXPECT_EQ(ReplaceText("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceText("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceText("set-cookie SET-COOKIE", "Set-Cookie", "Set-Cookie", 1, kAll, false),
            "Set-Cookie Set-Cookie");
  EXPECT_EQ(ReplaceText("SET-COOKIE", "Set-Cookie", "x"), "SET-COOKIE");
  EXPECT_EQ(ReplaceText(kTrailB + "b", "b", "x"), kTrailB + "x");
}

TEST(SplitText, PiecesTable) {
  struct Case {
    std::string text, separator;
    int maxCount;
    TextArray expected;
  };
  const Case cases[] = {
      {"a,,b,", ",", kAll, {"a", "", "b"}},
      {",a", ",", kAll, {"", "a"}},
      {"a,b,c", ",", 2, {"a", "b"}},
      {"", ",", kAll, {}},
      {"abc", "", kAll, {"abc"}},
      {"a\r\nb\r\n\r\nc", "\r\n", kAll, {"a", "b", "", "c"}},
      {kTrailB + "XbY", "b", kAll, {kTrailB + "X", "Y"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitText(c.text, c.separator, c.maxCount), c.expected) << c.text;
}

TEST(ToLowerText, AsciiOnly) {
  EXPECT_EQ(ToLowerText("ABC中Z"), "abc中z");
  EXPECT_EQ(ToLowerText("\x81" "A" "B"), "\x81" "A" "b");  // the trail byte A stays
}

TEST(ToInteger, LeadingNumber) {
  const std::pair<std::string, int> cases[] = {
      {"123", 123},          {" -42x", -42},     {"+7", 7},         {"abc", 0},
      {"", 0},               {"１２３", 123},    {"－５", -5},      {"＋８", 8},
      {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"8080/", 8080},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ToInteger(text), value) << text;
}

}  // namespace
