// Folding a response's cookies into the caller's cookie text.
#include "web/cookies.h"

#include <gtest/gtest.h>

namespace {

struct MergeCase {
  std::string oldCookies, newCookies, merged;
};

TEST(MergeCookies, MergeTable) {
  const MergeCase cases[] = {
      {"A=1; B=2; C=3", "B=9; C=deleted; D=4", "B=9; D=4; A=1"},
      {"SID=old; X=1", "SID=deleted", "X=1"},
      {"sid=1", "SID=2", "SID=2; sid=1"},  // names are case-sensitive
      {"", "T=a b", "T=ab"},
      {"", "X=1;X=1", "X=1"},
      {"", "X=1;X=2", "X=1; X=2"},
      {"A=1; A=2", "", "A=1"},  // among old pairs of one name the first wins
      {"A=1;B=2 ", "", "A=1; B=2"},
      {"", "", ""},
      {"", "A=1;;;B=2", "A=1; ; B=2"},  // empty pieces leave at most one empty item
      {"\xA1\xA1" "A=1", "", "A=1"},    // the full-width space is a space too
      {"flag; A=1", "flag", "flag; A=1"},
  };
  for (const MergeCase& c : cases) {
    std::string oldCookies = c.oldCookies, newCookies = c.newCookies;
    EXPECT_EQ(MergeCookies(oldCookies, newCookies), c.merged) << c.oldCookies << " + " << c.newCookies;
    EXPECT_EQ(oldCookies, c.merged);
  }
}

TEST(MergeCookies, NewTextKeepsItsSpacelessForm) {
  std::string oldCookies = "A=1; B=2; C=3", newCookies = "B=9; C=deleted; D=4";
  MergeCookies(oldCookies, newCookies);
  EXPECT_EQ(newCookies, "B=9;C=deleted;D=4");
}

TEST(CookieName, BeforeFirstEquals) {
  EXPECT_EQ(CookieName(" a =1"), "a");
  EXPECT_EQ(CookieName("a=b=c"), "a");
  EXPECT_EQ(CookieName("flag"), "flag");
  EXPECT_EQ(CookieName("=v"), "");
  EXPECT_TRUE(HasCookieName({"x=1", "SID=2"}, "SID"));
  EXPECT_FALSE(HasCookieName({"x=1", "SID=2"}, "sid"));
}

TEST(DedupeList, FirstOccurrenceKept) {
  EXPECT_EQ(DedupeList("a; b; a; c; b", "; "), "a; b; c");
  EXPECT_EQ(DedupeList("", "; "), "");
  EXPECT_EQ(DedupeList("a;a", ""), "a;a");
  EXPECT_EQ(IndexOfText({"a", "b", "a"}, "a"), 1);
  EXPECT_EQ(IndexOfText({"a", "b", "a"}, "b"), 2);
  EXPECT_EQ(IndexOfText({"a", "b"}, "B"), -1);
  EXPECT_EQ(IndexOfText({}, ""), -1);
}

}  // namespace
