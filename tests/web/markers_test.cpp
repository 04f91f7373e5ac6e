// Cutting texts out by markers.
#include "web/markers.h"

#include <gtest/gtest.h>

#include "web/message_pump.h"

namespace {

TEST(TextBetween, MarkersTable) {
  struct Case {
    std::string text, left, right;
    int start;
    bool ignoreCase;
    std::string expected;
  };
  const Case cases[] = {
      {"a=\"x\"", "=#引号", "#引号", 1, false, "x"},
      {"<b>x</b>", "<b>", "</b>", 1, false, "x"},
      {"<b>x</b>", "</b>", "<b>", 1, false, ""},  // left marker at the very end
      {"<b>x", "<b>", "</b>", 1, false, ""},
      {"<b></b>", "<b>", "</b>", 1, false, ""},
      {"[a][b]", "[", "]", 2, false, "b"},
      {"<B>x</b>", "<b>", "</B>", 1, true, "x"},
      {"<B>x</b>", "<b>", "</B>", 1, false, ""},
      {"\xB0[x]", "[", "]", 1, false, ""},  // "[" there is a trail byte
      {"名称：张三；", "名称：", "；", 1, false, "张三"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextBetween(c.text, c.left, c.right, c.start, c.ignoreCase), c.expected) << c.text;
  }
}

TEST(TextAfterLast, LastMarkerInRegion) {
  EXPECT_EQ(TextAfterLast("<a href=\"/x?id=\"abc", "id=\""), "abc");
  EXPECT_EQ(TextAfterLast("a=1&a=2", "a="), "2");
  EXPECT_EQ(TextAfterLast("xid=\"", "id=\""), "");  // ends at the last byte: outside the region
  EXPECT_EQ(TextAfterLast("a=1&a=2", "a=", 5), "1&a=2");
  EXPECT_EQ(TextAfterLast("A=1&a=2", "A=", std::nullopt, true), "2");
  EXPECT_EQ(TextAfterLast("abc", "x"), "");
  EXPECT_EQ(TextAfterLast("\xB0=x", "="), "");  // "=" there is a trail byte
}

TEST(HeaderValue, AfterFirstColon) {
  EXPECT_EQ(HeaderValue("Name:  v  "), "v");
  EXPECT_EQ(HeaderValue("a: b: c"), "b: c");
  EXPECT_EQ(HeaderValue("x:"), "");
  EXPECT_EQ(HeaderValue("no colon"), "");
}

TEST(TextBetweenAll, CollectsTrimmedNonEmptyItems) {
  TextArray items = {"stale"};
  EXPECT_EQ(TextBetweenAll("<td>a</td><TD> b </td><td> </td><td>张三</td>", "<td>", "</td>", items), 3);
  EXPECT_EQ(items, (TextArray{"a", "b", "张三"}));
  EXPECT_EQ(TextBetweenAll("<TD>a</td>", "<td>", "</td>", items, true), 0);
  EXPECT_TRUE(items.empty());
}

TEST(TextBetweenAll, RightMarkerMayOpenTheNextItem) {
  TextArray items;
  EXPECT_EQ(TextBetweenAll("|a|b|", "|", "|", items), 2);
  EXPECT_EQ(items, (TextArray{"a", "b"}));
}

TEST(TextBetweenAll, MaximumLengthIsExclusive) {
  TextArray items;
  const std::string cell18(18, 'x'), cell17(17, 'y');
  EXPECT_EQ(TextBetweenAll("<i>" + cell18 + "</i><i>" + cell17 + "</i>", "<i>", "</i>", items, false, 18), 1);
  EXPECT_EQ(items, TextArray{cell17});
}

TEST(TextBetweenAll, DecorationsAndStart) {
  TextArray items;
  TextBetweenAll("<i>a</i><i></i>", "<i>", "</i>", items, false, 0, "[", "]", true, true);
  EXPECT_EQ(items, (TextArray{"<i>[a]</i>", "<i>[]</i>"}));  // prefix and suffix make an item non-empty
  TextBetweenAll("<i>a</i><i>b</i>", "<i>", "</i>", items, false, 0, "", "", false, false, 2);
  EXPECT_EQ(items, TextArray{"b"});
  // The length tested includes the markers put back: "<i>a</i>" is 8 bytes.
  EXPECT_EQ(TextBetweenAll("<i>a</i>", "<i>", "</i>", items, false, 9, "", "", true, true), 1);
  EXPECT_EQ(TextBetweenAll("<i>a</i>", "<i>", "</i>", items, false, 8, "", "", true, true), 0);
}

TEST(TextBetweenAll, EmptyMarkersCollectNothing) {
  TextArray items;
  EXPECT_EQ(TextBetweenAll("abc", "", "c", items), 0);
  EXPECT_EQ(TextBetweenAll("abc", "a", "", items), 0);
}

int g_pumped = 0;

TEST(TextBetweenAll, LetsMessagesThroughWhileCollecting) {
  g_pumped = 0;
  SetMessagePump([] { ++g_pumped; });
  TextArray items;
  TextBetweenAll("<i>a</i><i>b</i>", "<i>", "</i>", items);
  SetMessagePump(nullptr);
  EXPECT_GE(g_pumped, 3 * 2);
  const int before = g_pumped;
  TextBetweenAll("<i>a</i>", "<i>", "</i>", items);
  EXPECT_EQ(g_pumped, before);  // uninstalled again
}

}  // namespace
