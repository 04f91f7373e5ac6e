// What the wrappers draw, read back pixel by pixel: the fills and outlines the skin engine
// paints its controls with, and GBK text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gdiplus/brush_objects.h"
#include "gdiplus/flat_api.h"
#include "gdiplus/font_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "gdiplus/string_format_object.h"
#include "test_support.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlack = 0xFF000000;

bool Near(std::uint32_t actual, std::uint32_t expected, int tolerance) {
  return std::abs(Alpha(actual) - Alpha(expected)) <= tolerance &&
         std::abs(Red(actual) - Red(expected)) <= tolerance &&
         std::abs(Green(actual) - Green(expected)) <= tolerance &&
         std::abs(Blue(actual) - Blue(expected)) <= tolerance;
}

struct Canvas {
  BitmapObject bitmap;
  GraphicsObject graphics;
  Canvas(int width, int height) : bitmap(MakeBitmap(width, height, kWhite)) {
    EXPECT_TRUE(graphics.GetImageGraphicsContext(bitmap));
  }
  Pixels Read() {
    graphics.Flush(gp::FlushIntentionSync);
    return ReadPixels(bitmap);
  }
};

TEST(Drawing, FilledRoundedRectangleLeavesItsCornersOpen) {
  Canvas canvas(100, 60);
  PathObject path;
  SolidBrushObject brush;
  ASSERT_TRUE(path.CreatePath());
  ASSERT_TRUE(path.AddRoundedRectangle(10, 10, 80, 40, 50));
  ASSERT_TRUE(brush.CreateSolidFill(kBlack));
  ASSERT_TRUE(canvas.graphics.FillPath(brush, path));
  const Pixels p = canvas.Read();
  EXPECT_EQ(p.At(50, 30), kBlack) << "centre";
  EXPECT_EQ(p.At(50, 11), kBlack) << "middle of the top edge";
  EXPECT_EQ(p.At(11, 30), kBlack) << "middle of the left edge";
  EXPECT_EQ(p.At(12, 12), kWhite) << "top-left corner, outside the arc";
  EXPECT_EQ(p.At(87, 47), kWhite) << "bottom-right corner, outside the arc";
  EXPECT_EQ(p.At(5, 5), kWhite) << "outside the rectangle";
}

TEST(Drawing, LinearGradientRunsFromItsFirstColourToItsSecond) {
  Canvas canvas(101, 4);
  LinearBrushObject brush;
  ASSERT_TRUE(brush.CreateLineBrush({0, 0}, {101, 0}, 0xFFFF0000, 0xFF0000FF));
  ASSERT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 101, 4));
  const Pixels p = canvas.Read();
  EXPECT_TRUE(Near(p.At(0, 2), 0xFFFF0000, 8)) << std::hex << p.At(0, 2);
  EXPECT_TRUE(Near(p.At(100, 2), 0xFF0000FF, 8)) << std::hex << p.At(100, 2);
  EXPECT_TRUE(Near(p.At(50, 2), 0xFF800080, 12)) << std::hex << p.At(50, 2);
  // Monotonic: red falls and blue rises along the way.
  for (int x = 10; x <= 100; x += 10) {
    EXPECT_LE(Red(p.At(x, 2)), Red(p.At(x - 10, 2)));
    EXPECT_GE(Blue(p.At(x, 2)), Blue(p.At(x - 10, 2)));
  }
}

TEST(Drawing, PresetBlendSetsTheColourInTheMiddle) {
  Canvas canvas(101, 4);
  LinearBrushObject brush;
  ASSERT_TRUE(brush.CreateLineBrush({0, 0}, {101, 0}, kBlack, kBlack));
  const gp::ARGB colours[] = {0xFFFFFFFF, 0xFF00FF00, 0xFFFFFFFF};
  const float positions[] = {0.0f, 0.5f, 1.0f};
  ASSERT_TRUE(brush.SetLinePresetBlend(colours, positions, 3));
  ASSERT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 101, 4));
  const Pixels p = canvas.Read();
  EXPECT_TRUE(Near(p.At(50, 2), 0xFF00FF00, 12)) << std::hex << p.At(50, 2);
  EXPECT_TRUE(Near(p.At(0, 2), kWhite, 12)) << std::hex << p.At(0, 2);
}

TEST(Drawing, PenOutlineColoursTheEdgeOnly) {
  Canvas canvas(40, 40);
  PenObject pen;
  ASSERT_TRUE(pen.CreatePen1(0xFF00FF00, 1));
  ASSERT_TRUE(canvas.graphics.DrawRectangleI(pen, 10, 10, 20, 20));
  const Pixels p = canvas.Read();
  EXPECT_EQ(p.At(10, 20), 0xFF00FF00u) << "left edge";
  EXPECT_EQ(p.At(30, 20), 0xFF00FF00u) << "right edge";
  EXPECT_EQ(p.At(20, 10), 0xFF00FF00u) << "top edge";
  EXPECT_EQ(p.At(20, 30), 0xFF00FF00u) << "bottom edge";
  EXPECT_EQ(p.At(20, 20), kWhite) << "inside";
  EXPECT_EQ(p.At(5, 5), kWhite) << "outside";
}

TEST(Drawing, PathGradientHasItsCentreColourAtTheCentre) {
  Canvas canvas(41, 41);
  PathObject circle;
  ASSERT_TRUE(circle.CreatePath());
  ASSERT_TRUE(circle.AddPathEllipse(0, 0, 41, 41));
  PathBrushObject brush;
  ASSERT_TRUE(brush.CreatePathGradientFromPath(circle));
  ASSERT_TRUE(brush.SetPathGradientCenterColor(0xFFFF0000));
  const gp::ARGB surround = 0xFF0000FF;
  ASSERT_TRUE(brush.SetPathGradientSurroundColorsWithCount(&surround, 1));
  ASSERT_TRUE(canvas.graphics.FillPath(brush, circle));
  const Pixels p = canvas.Read();
  // The centre lies between pixels, so the nearest pixel is only nearly the centre colour.
  EXPECT_TRUE(Near(p.At(20, 20), 0xFFFF0000, 40)) << std::hex << p.At(20, 20);
  EXPECT_GT(Blue(p.At(20, 2)), Blue(p.At(20, 20))) << "bluer towards the rim";
}

// Draws a text through the wrapper (GBK) or straight through GDI+ (UTF-16).
Pixels RenderText(const std::string* gbk, const std::wstring* wide) {
  Canvas canvas(120, 40);
  FontObject font;
  SolidBrushObject brush;
  EXPECT_TRUE(font.CreateFont("宋体", 20, gp::FontStyleRegular, gp::UnitPixel));
  EXPECT_TRUE(brush.CreateSolidFill(kBlack));
  const gp::RectF layout(0, 0, 120, 40);
  if (gbk != nullptr) {
    EXPECT_TRUE(canvas.graphics.DrawString(*gbk, font, layout, nullptr, brush));
  } else {
    EXPECT_EQ(GDIP_CALL(GdipDrawString, canvas.graphics.Graphics(), wide->c_str(),
                        static_cast<int>(wide->size()), font.Font(), &layout, nullptr,
                        brush.Brush()),
              gp::Ok);
  }
  return canvas.Read();
}

int DarkPixels(const Pixels& p) {
  int dark = 0;
  for (std::uint32_t c : p.argb) dark += Red(c) < 128 ? 1 : 0;
  return dark;
}

TEST(Drawing, GbkTextDrawsTheSameCharactersAsItsUnicodeForm) {
  const std::string gbk = "中文测试";  // GBK bytes (exec charset)
  ASSERT_EQ(gbk, std::string("\xD6\xD0\xCE\xC4\xB2\xE2\xCA\xD4"));
  const std::wstring wide = L"中文测试";
  const Pixels viaWrapper = RenderText(&gbk, nullptr);
  const Pixels direct = RenderText(nullptr, &wide);
  EXPECT_GT(DarkPixels(direct), 50) << "the font has no Chinese glyphs";
  EXPECT_EQ(viaWrapper.argb, direct.argb) << "the GBK text was converted wrongly";
}

TEST(Drawing, EmptyTextDrawsNothing) {
  const std::string empty;
  const Pixels p = RenderText(&empty, nullptr);
  EXPECT_EQ(DarkPixels(p), 0);
}

TEST(Drawing, ClipLimitsAFill) {
  Canvas canvas(20, 20);
  SolidBrushObject brush;
  ASSERT_TRUE(brush.CreateSolidFill(kBlack));
  ASSERT_TRUE(canvas.graphics.SetClipRectI(0, 0, 10, 20));
  ASSERT_TRUE(canvas.graphics.FillRectangleI(brush, 0, 0, 20, 20));
  const Pixels p = canvas.Read();
  EXPECT_EQ(p.At(5, 10), kBlack);
  EXPECT_EQ(p.At(15, 10), kWhite);
}

}  // namespace
