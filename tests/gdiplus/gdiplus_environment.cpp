// Starts GDI+ once for the suite, as the program's start-up does, and checks the bench.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gdiplus/gdiplus_headers.h"

namespace {

class GdiplusEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    gp::GdiplusStartupInput input;
    ASSERT_EQ(gp::GdiplusStartup(&token_, &input, nullptr), gp::Ok);
  }
  void TearDown() override { gp::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace

TEST(Environment, AnsiCodePageFollowsTheLocale) {
  const char* locale = std::getenv("VERADIN_LOCALE");
  ASSERT_NE(locale, nullptr) << "run the tests through ctest";
  const UINT expected = std::string(locale).rfind("zh_CN", 0) == 0 ? 936 : 1252;
  EXPECT_EQ(GetACP(), expected);
}
