// The bench itself: every suite starts by checking that Wine gives the code page it expects.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>

TEST(Environment, AnsiCodePageFollowsTheLocale) {
  const char* locale = std::getenv("VERADIN_LOCALE");
  ASSERT_NE(locale, nullptr) << "run the tests through ctest";
  const UINT expected = std::string(locale).rfind("zh_CN", 0) == 0 ? 936 : 1252;
  EXPECT_EQ(GetACP(), expected);
}
