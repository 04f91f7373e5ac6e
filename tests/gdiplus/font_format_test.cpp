// Fonts and string formats: face names converted from GBK, LOGFONT records, default fonts,
// and values GDI+ rejects.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gdiplus/font_objects.h"
#include "runtime/gbk_text.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/string_format_object.h"
#include "test_support.h"

namespace {

const std::string kSongTi = "宋体";  // GBK bytes

TEST(StringFormat, RejectedValuesLeaveTheFormatAsItWas) {
  StringFormatObject format;
  ASSERT_TRUE(format.CreateStringFormat());
  ASSERT_TRUE(format.SetStringFormatAlign(gp::StringAlignmentCenter));
  ASSERT_TRUE(format.SetStringFormatLineAlign(gp::StringAlignmentFar));

  EXPECT_FALSE(format.SetStringFormatLineAlign(static_cast<gp::StringAlignment>(3)));
  EXPECT_EQ(LastStatus(), gp::InvalidParameter);
  EXPECT_EQ(format.GetStringFormatLineAlign(), gp::StringAlignmentFar);

  EXPECT_FALSE(format.SetStringFormatAlign(static_cast<gp::StringAlignment>(3)));
  EXPECT_EQ(LastStatus(), gp::InvalidParameter);
  EXPECT_EQ(format.GetStringFormatAlign(), gp::StringAlignmentCenter);
}

TEST(StringFormat, AGenericFormatIsACopySoChangingItChangesNoOtherUser) {
  StringFormatObject mine;
  ASSERT_TRUE(mine.StringFormatGetGenericTypographic());
  const int flags = mine.GetStringFormatFlags();
  ASSERT_TRUE(mine.SetStringFormatAlign(gp::StringAlignmentFar));
  ASSERT_TRUE(mine.SetStringFormatFlags(flags | gp::StringFormatFlagsNoWrap));
  ASSERT_TRUE(mine.DeleteStringFormat());

  StringFormatObject again;
  ASSERT_TRUE(again.StringFormatGetGenericTypographic());
  EXPECT_EQ(again.GetStringFormatAlign(), gp::StringAlignmentNear);
  EXPECT_EQ(again.GetStringFormatFlags(), flags);
  StringFormatObject plain;
  ASSERT_TRUE(plain.StringFormatGetGenericDefault());
  EXPECT_EQ(plain.GetStringFormatAlign(), gp::StringAlignmentNear);
}

TEST(Font, FamilyNamesAreGbkBothWays) {
  FontFamilyObject family;
  ASSERT_TRUE(family.CreateFontFamilyFromName(kSongTi)) << "status " << LastStatus();
  FontFamilyObject wide;
  ASSERT_TRUE(wide.CreateFontFamilyFromName(std::wstring(L"宋体")));
  const std::wstring name = family.GetFamilyNameWide();
  EXPECT_FALSE(name.empty());
  EXPECT_EQ(name, wide.GetFamilyNameWide());
  EXPECT_EQ(family.GetFamilyName(), WideToGbk(name));
  EXPECT_TRUE(family.IsStyleAvailable(gp::FontStyleRegular));
  EXPECT_GT(family.GetEmHeight(gp::FontStyleRegular), 0);
  EXPECT_GT(family.GetLineSpacing(gp::FontStyleRegular), 0);
}

TEST(Font, AMissingFaceFailsWithFamilyNotFound) {
  FontObject font;
  EXPECT_FALSE(font.CreateFont("没有这种字体", 12));
  EXPECT_EQ(LastStatus(), gp::FontFamilyNotFound);
  EXPECT_TRUE(font.Empty());
}

TEST(Font, ByNameCarriesSizeStyleAndUnit) {
  FontObject font;
  ASSERT_TRUE(font.CreateFont(kSongTi, 14, gp::FontStyleBold, gp::UnitPixel));
  EXPECT_FLOAT_EQ(font.GetFontSize(), 14);
  EXPECT_EQ(font.GetFontStyle(), gp::FontStyleBold);
  EXPECT_EQ(font.GetFontUnit(), gp::UnitPixel);
  FontFamilyObject family;
  ASSERT_TRUE(font.GetFamily(family));
  FontFamilyObject expected;
  ASSERT_TRUE(expected.CreateFontFamilyFromName(kSongTi));
  EXPECT_EQ(family.GetFamilyNameWide(), expected.GetFamilyNameWide());
  EXPECT_GT(font.GetFontHeightGivenDPI(96), 14.0f);
}

TEST(Font, TheDefaultFontComesFromTheSystem) {
  FontObject font;
  if (!font.CreateDefaultFont() && GetACP() == 1252) {
    // Wine: under a Western locale the GUI font's face (MS Shell Dlg) becomes Tahoma or
    // Microsoft Sans Serif, which the bench lacks; GDI+ refuses the non-TrueType stand-in.
    EXPECT_EQ(LastStatus(), gp::NotTrueTypeFont);
    EXPECT_TRUE(font.Empty());
    GTEST_SKIP() << "no TrueType face for the default GUI font here";
  }
  ASSERT_FALSE(font.Empty()) << "status " << LastStatus();
  EXPECT_GT(font.GetFontSize(), 0);
  FontFamilyObject family;
  ASSERT_TRUE(font.GetFamily(family));
  EXPECT_FALSE(family.GetFamilyNameWide().empty());
}

// The family name a font ended up with.
std::wstring FamilyOf(FontObject& font) {
  FontFamilyObject family;
  return font.GetFamily(family) ? family.GetFamilyNameWide() : std::wstring();
}

TEST(Font, LogfontRecordsKeepAChineseFaceOnAnyCodePage) {
  HDC screen = GetDC(nullptr);
  FontFamilyObject songTi;
  ASSERT_TRUE(songTi.CreateFontFamilyFromName(kSongTi));
  const std::wstring expected = songTi.GetFamilyNameWide();

  LOGFONTA narrow{};
  narrow.lfHeight = -16;
  narrow.lfWeight = FW_BOLD;
  std::memcpy(narrow.lfFaceName, kSongTi.data(), kSongTi.size());
  FontObject fromNarrow;
  ASSERT_TRUE(fromNarrow.CreateFontFromLogfontA(screen, &narrow)) << "status " << LastStatus();
  EXPECT_EQ(FamilyOf(fromNarrow), expected);
  EXPECT_EQ(fromNarrow.GetFontStyle() & gp::FontStyleBold, gp::FontStyleBold);

  HFONT gdiFont = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0,
                              0, 0, L"宋体");
  FontObject fromHandle;
  ASSERT_TRUE(fromHandle.CreateFontFromHFont(screen, gdiFont));
  EXPECT_EQ(FamilyOf(fromHandle), expected);
  DeleteObject(gdiFont);

  // The record read back names the same face, in GBK for the narrow form.
  BitmapObject bitmap = MakeBitmap(2, 2);
  GraphicsObject graphics;
  ASSERT_TRUE(graphics.GetImageGraphicsContext(bitmap));
  LOGFONTW wideRecord{};
  LOGFONTA narrowRecord{};
  ASSERT_TRUE(fromHandle.GetLogFontW(graphics, wideRecord));
  ASSERT_TRUE(fromHandle.GetLogFontA(graphics, narrowRecord));
  EXPECT_EQ(std::string(narrowRecord.lfFaceName), WideToGbk(wideRecord.lfFaceName));
  EXPECT_EQ(narrowRecord.lfHeight, wideRecord.lfHeight);

  // Without a record or handle the DC's own font is used.
  FontObject fromDc;
  EXPECT_TRUE(fromDc.CreateFontFromLogfontA(screen, nullptr));
  EXPECT_TRUE(fromDc.CreateFontFromHFont(screen, nullptr));
  ReleaseDC(nullptr, screen);
}

}  // namespace
