// GBK, UTF-8 and UTF-16. Registered under code page 936 and again under 1252: the results
// must not depend on the system's ANSI page.
#include "web/codepage.h"

#include <gtest/gtest.h>

namespace {

const std::string kGbk = "\xD6\xD0\xCE\xC4";               // 中文
const std::string kUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";      // 中文

TEST(CodePage, GbkAndUtf8RoundTrip) {
  EXPECT_EQ(GbkToUtf8(kGbk), kUtf8);
  EXPECT_EQ(Utf8ToGbk(kUtf8), kGbk);
  EXPECT_EQ(GbkToUtf8("plain ASCII 123"), "plain ASCII 123");
  EXPECT_EQ(Utf8ToGbk("plain ASCII 123"), "plain ASCII 123");
  EXPECT_EQ(GbkToUtf8(""), "");
  EXPECT_EQ(Utf8ToGbk(""), "");
}

TEST(CodePage, LongChineseTextNeedsMoreRoomInUtf8) {
  // Three UTF-8 bytes for every two GBK bytes: a measure taken in a single-byte system
  // page would leave too little room.
  std::string gbk, utf8;
  for (int i = 0; i < 5000; ++i) {
    gbk += kGbk;
    utf8 += kUtf8;
  }
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
  EXPECT_EQ(Utf8ToGbk(utf8), gbk);
}

TEST(CodePage, WideDataIsUtf16LittleEndianWithItsNul) {
  EXPECT_EQ(ToWide(kGbk, kCodePageGbk), (ByteSet{0x2D, 0x4E, 0x87, 0x65, 0, 0}));
  EXPECT_EQ(ToWide(kUtf8), (ByteSet{0x2D, 0x4E, 0x87, 0x65, 0, 0}));
  EXPECT_TRUE(ToWide("").empty());
  EXPECT_EQ(FromWide({0x2D, 0x4E, 0x87, 0x65, 0, 0}, kCodePageUtf8), kUtf8);
  // Without a NUL unit the data ends at its end; an odd last byte is dropped; a NUL unit ends it.
  EXPECT_EQ(FromWide({'A', 0, 'B', 0}, kCodePageUtf8), "AB");
  EXPECT_EQ(FromWide({'A', 0, 'B'}, kCodePageUtf8), "A");
  EXPECT_EQ(FromWide({'A', 0, 0, 0, 'B', 0}, kCodePageUtf8), "A");
  EXPECT_EQ(FromWide({}, kCodePageUtf8), "");
}

TEST(CodePage, CharactersGbkCannotHoldBecomeItsDefaultCharacter) {
  const std::string thai = "\xE0\xB8\x81";  // U+0E01 has no GBK form
  EXPECT_EQ(Utf8ToGbk("a" + thai + "b"), "a?b");
}

}  // namespace
