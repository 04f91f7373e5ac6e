// Every wrapped GDI+ function called once on valid objects, so that a wrong binding or
// argument order shows without a hand-written test per forwarding method. Set/Get pairs
// are checked as round trips. Where Wine's GDI+ cannot do a call, the table records the
// status it gives ("Wine: ...").
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "gdiplus/brush_objects.h"
#include "gdiplus/flat_api.h"
#include "gdiplus/font_objects.h"
#include "runtime/gbk_text.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "gdiplus/region_object.h"
#include "gdiplus/string_format_object.h"
#include "test_support.h"

namespace {

// Valid objects of every kind, made afresh for each call.
struct Objects {
  BitmapObject bitmap = MakeBitmap(32, 32);
  GraphicsObject graphics;
  PathObject path;
  PenObject pen;
  SolidBrushObject solid;
  LinearBrushObject linear;
  PathBrushObject pathBrush;
  FontFamilyObject family;
  FontObject font;
  StringFormatObject format;
  RegionObject region;
  ImageObject image;
  ImageObject animation;
  gp::GpMatrix* matrix = nullptr;
  gp::PointF points[4] = {{1, 1}, {10, 2}, {20, 15}, {5, 25}};
  gp::Point pointsI[4] = {{1, 1}, {10, 2}, {20, 15}, {5, 25}};
  gp::RectF rects[2] = {{1, 1, 5, 5}, {10, 10, 5, 5}};
  gp::Rect rectsI[2] = {{1, 1, 5, 5}, {10, 10, 5, 5}};

  Objects() {
    EXPECT_TRUE(graphics.GetImageGraphicsContext(bitmap));
    EXPECT_TRUE(path.CreatePath());
    EXPECT_TRUE(path.AddPathRectangle(2, 2, 20, 20));
    EXPECT_TRUE(pen.CreatePen1(0xFF000000, 2));
    EXPECT_TRUE(solid.CreateSolidFill(0xFF336699));
    EXPECT_TRUE(linear.CreateLineBrush({0, 0}, {32, 0}, 0xFF000000, 0xFFFFFFFF));
    EXPECT_TRUE(pathBrush.CreatePathGradient(points, 3));
    EXPECT_TRUE(family.CreateFontFamilyFromName("宋体"));
    EXPECT_TRUE(font.CreateFont(family, 12));
    EXPECT_TRUE(format.CreateStringFormat());
    EXPECT_TRUE(region.CreateRegionRect(gp::RectF(0, 0, 10, 10)));
    BitmapObject source = MakeBitmap(8, 6, 0xFF00FF00);
    EXPECT_TRUE(image.LoadImageFromBytes(EncodePng(source)));
    EXPECT_EQ(GDIP_CALL(GdipCreateMatrix, &matrix), gp::Ok);
  }
  ~Objects() { GDIP_CALL(GdipDeleteMatrix, matrix); }
};

HWND Window() {
  static const HWND window = CreateWindowExW(0, L"STATIC", L"smoke", WS_OVERLAPPEDWINDOW, 0, 0,
                                             100, 100, nullptr, nullptr, nullptr, nullptr);
  return window;
}

// A recorded metafile with one rectangle in it, held by an image wrapper.
ImageObject Metafile() {
  ImageObject metafile;
  HDC screen = GetDC(nullptr);
  gp::GpMetafile* recorded = nullptr;
  const gp::RectF frame(0, 0, 10, 10);
  if (GDIP_CALL(GdipRecordMetafile, screen, gp::EmfTypeEmfPlusDual, &frame,
                gp::MetafileFrameUnitPixel, nullptr, &recorded) == gp::Ok) {
    metafile.SetNative(recorded);
    GraphicsObject g;
    SolidBrushObject brush;
    g.GetImageGraphicsContext(metafile);
    brush.CreateSolidFill(0xFF000000);
    g.FillRectangle(brush, 1, 1, 5, 5);
  }
  ReleaseDC(nullptr, screen);
  return metafile;
}

BOOL CALLBACK EveryRecord(gp::EmfPlusRecordType, unsigned, unsigned, const unsigned char*, void*) {
  return TRUE;
}

std::vector<std::uint8_t> FontFileBytes() {
  std::ifstream file("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf", std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::uint8_t> Gif() {
  // 1 x 1, two frames (the animation of the image tests).
  std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,
                                   0, 0, 0, 0xFF, 0xFF, 0xFF};
  for (int i = 0; i < 2; ++i) {
    const std::uint8_t frame[] = {0x21, 0xF9, 0x04, 0x00, 10, 0x00, 0x00, 0x00, 0x2C, 0, 0, 0,
                                  0,    1,    0,    1,    0,  0x00, 0x02, 0x02, 0x44, 0x01, 0x00};
    gif.insert(gif.end(), frame, frame + sizeof frame);
  }
  gif.push_back(0x3B);
  return gif;
}

template <typename T>
std::optional<bool> Result(const T& value) {
  if constexpr (std::is_same_v<T, bool>) return value;
  return std::nullopt;
}

struct Entry {
  const char* call;
  std::function<std::optional<bool>(Objects&)> run;
  gp::Status expected;
};

#define E(expr) {#expr, [](Objects& o) -> std::optional<bool> { (void)o; return Result(expr); }, gp::Ok}
// A call Wine's GDI+ cannot make: the status it gives instead.
#define WINE(status, expr) \
  {#expr, [](Objects& o) -> std::optional<bool> { (void)o; return Result(expr); }, gp::status}
#define BLOCK(name, ...) \
  {name, [](Objects& o) -> std::optional<bool> { (void)o; __VA_ARGS__ }, gp::Ok}
#define WINE_BLOCK(status, name, ...) \
  {name, [](Objects& o) -> std::optional<bool> { (void)o; __VA_ARGS__ }, gp::status}

const std::vector<Entry>& Table();

TEST(Smoke, EveryWrappedFunctionAnswersAsExpected) {
  gdip_flat::StartTrace();
  for (const Entry& entry : Table()) {
    Objects objects;
    const std::optional<bool> result = entry.run(objects);
    const gp::Status status = LastStatus();
    EXPECT_EQ(status, entry.expected) << entry.call;
    if (result) {
      EXPECT_EQ(*result, entry.expected == gp::Ok) << entry.call;
    }
  }
  const std::vector<std::string> trace = gdip_flat::StopTrace();
  // Every flat function the layer's sources name must have been reached.
  const std::set<std::string> called(trace.begin(), trace.end());
  const char* const wrapped[] = {
#include "wrapped_functions.inc"
  };
  // Reached only after a call that Wine refuses.
  const std::set<std::string> unreachable = {"GdipGetEncoderParameterList"};
  for (const char* name : wrapped) {
    if (!unreachable.count(name)) {
      EXPECT_TRUE(called.count(name)) << name << " never called";
    }
  }
}

TEST(Smoke, AllocAndFreeReachGdiplus) {
  void* block = DrawingObject::Alloc(64);
  ASSERT_NE(block, nullptr);
  std::fill_n(static_cast<char*>(block), 64, 'x');
  DrawingObject::Free(block);
  DrawingObject::Free(nullptr);
}

const std::vector<Entry>& Table() {
  static const std::vector<Entry> table = {
      // Graphics.
      E(o.graphics.Flush()),
      E(o.graphics.CreateFromHWND(Window())),
      E(o.graphics.CreateFromHWND(Window(), true)),
      BLOCK("CreateFromHDC", HDC dc = GetDC(nullptr);
            bool ok = o.graphics.CreateFromHDC(dc) && o.graphics.DeleteGraphics();
            ReleaseDC(nullptr, dc); return ok;),
      BLOCK("CreateFromHDC with a device", HDC dc = GetDC(nullptr);
            bool ok = o.graphics.CreateFromHDC(dc, GetCurrentProcess());
            ReleaseDC(nullptr, dc); return ok;),
      BLOCK("GetDC/ReleaseDC", HDC dc = o.graphics.GetDC();
            if (dc == nullptr) return false; return o.graphics.ReleaseDC(dc);),
      BLOCK("RenderingOrigin", int x = 0, y = 0;
            return o.graphics.SetRenderingOrigin(3, 4) && o.graphics.GetRenderingOrigin(x, y) &&
                   x == 3 && y == 4;),
      E(o.graphics.SetCompositingMode(gp::CompositingModeSourceCopy) &&
        o.graphics.GetCompositingMode() == gp::CompositingModeSourceCopy),
      E(o.graphics.SetCompositingQuality(gp::CompositingQualityHighQuality) &&
        o.graphics.GetCompositingQuality() == gp::CompositingQualityHighQuality),
      E(o.graphics.SetTextRenderingHint(gp::TextRenderingHintAntiAlias) &&
        o.graphics.GetTextRenderingHint() == gp::TextRenderingHintAntiAlias),
      E(o.graphics.SetTextContrast(7) && o.graphics.GetTextContrast() == 7),
      E(o.graphics.SetInterpolationMode(gp::InterpolationModeBilinear) &&
        o.graphics.GetInterpolationMode() == gp::InterpolationModeBilinear),
      E(o.graphics.SetSmoothingMode(gp::SmoothingModeAntiAlias) &&
        o.graphics.GetSmoothingMode() == gp::SmoothingModeAntiAlias),
      E(o.graphics.SetPixelOffsetMode(gp::PixelOffsetModeHalf) &&
        o.graphics.GetPixelOffsetMode() == gp::PixelOffsetModeHalf),
      E(o.graphics.SetWorldTransform(o.matrix) && o.graphics.GetWorldTransform(o.matrix)),
      E(o.graphics.ResetWorldTransform()),
      E(o.graphics.MultiplyWorldTransform(o.matrix, gp::MatrixOrderAppend)),
      E(o.graphics.TranslateWorldTransform(1, 2)),
      E(o.graphics.ScaleWorldTransform(2, 3)),
      E(o.graphics.ScaleWorldTransformAt(2, 3, 5, 5, gp::MatrixOrderAppend)),
      E(o.graphics.RotateWorldTransform(30)),
      E(o.graphics.RotateWorldTransformAt(30, 5, 5)),
      E(o.graphics.SetPageUnit(gp::UnitPixel) && o.graphics.GetPageUnit() == gp::UnitPixel),
      E(o.graphics.SetPageScale(2) && o.graphics.GetPageScale() == 2),
      E(o.graphics.GetDpiX() > 0),
      E(o.graphics.GetDpiY() > 0),
      E(o.graphics.TransformPoints(gp::CoordinateSpaceDevice, gp::CoordinateSpaceWorld, o.points, 4)),
      E(o.graphics.TransformPointsI(gp::CoordinateSpaceDevice, gp::CoordinateSpaceWorld, o.pointsI, 4)),
      BLOCK("GetNearestColor", gp::ARGB c = 0xFF123456; return o.graphics.GetNearestColor(c);),
      E(o.graphics.DrawLine(o.pen, 0, 0, 10, 10)),
      E(o.graphics.DrawLineI(o.pen, 0, 0, 10, 10)),
      E(o.graphics.DrawLines(o.pen, o.points, 4)),
      E(o.graphics.DrawLinesI(o.pen, o.pointsI, 4)),
      E(o.graphics.DrawArc(o.pen, 0, 0, 10, 10, 0, 90)),
      E(o.graphics.DrawArcI(o.pen, 0, 0, 10, 10, 0, 90)),
      E(o.graphics.DrawBezier(o.pen, 0, 0, 5, 5, 10, 0, 15, 5)),
      E(o.graphics.DrawBezierI(o.pen, 0, 0, 5, 5, 10, 0, 15, 5)),
      E(o.graphics.DrawBeziers(o.pen, o.points, 4)),
      E(o.graphics.DrawBeziersI(o.pen, o.pointsI, 4)),
      E(o.graphics.DrawRectangle(o.pen, 1, 1, 5, 5)),
      E(o.graphics.DrawRectangleI(o.pen, 1, 1, 5, 5)),
      E(o.graphics.DrawRectangles(o.pen, o.rects, 2)),
      E(o.graphics.DrawRectanglesI(o.pen, o.rectsI, 2)),
      E(o.graphics.DrawEllipse(o.pen, 1, 1, 5, 5)),
      E(o.graphics.DrawEllipseI(o.pen, 1, 1, 5, 5)),
      E(o.graphics.DrawPie(o.pen, 1, 1, 9, 9, 0, 45)),
      E(o.graphics.DrawPieI(o.pen, 1, 1, 9, 9, 0, 45)),
      E(o.graphics.DrawPolygon(o.pen, o.points, 4)),
      E(o.graphics.DrawPolygonI(o.pen, o.pointsI, 4)),
      E(o.graphics.DrawPath(o.pen, o.path)),
      E(o.graphics.DrawCurve(o.pen, o.points, 4)),
      E(o.graphics.DrawCurveI(o.pen, o.pointsI, 4)),
      E(o.graphics.DrawCurve2(o.pen, o.points, 4, 0.5f)),
      E(o.graphics.DrawCurve2I(o.pen, o.pointsI, 4, 0.5f)),
      E(o.graphics.DrawCurve3(o.pen, o.points, 4, 1, 2, 0.5f)),
      E(o.graphics.DrawCurve3I(o.pen, o.pointsI, 4, 1, 2, 0.5f)),
      E(o.graphics.DrawClosedCurve(o.pen, o.points, 4)),
      E(o.graphics.DrawClosedCurveI(o.pen, o.pointsI, 4)),
      E(o.graphics.DrawClosedCurve2(o.pen, o.points, 4, 0.5f)),
      E(o.graphics.DrawClosedCurve2I(o.pen, o.pointsI, 4, 0.5f)),
      E(o.graphics.GraphicsClear(0xFF808080)),
      E(o.graphics.FillRectangle(o.solid, 1, 1, 5, 5)),
      E(o.graphics.FillRectangle(o.linear, gp::RectF(1, 1, 5, 5))),
      E(o.graphics.FillRectangleI(o.pathBrush, 1, 1, 5, 5)),
      E(o.graphics.FillRectangles(o.solid, o.rects, 2)),
      E(o.graphics.FillRectanglesI(o.solid, o.rectsI, 2)),
      E(o.graphics.FillPolygon(o.solid, o.points, 4, gp::FillModeWinding)),
      E(o.graphics.FillPolygonI(o.solid, o.pointsI, 4)),
      E(o.graphics.FillEllipse(o.solid, 1, 1, 5, 5)),
      E(o.graphics.FillEllipseI(o.solid, 1, 1, 5, 5)),
      E(o.graphics.FillPie(o.solid, 1, 1, 9, 9, 0, 45)),
      E(o.graphics.FillPieI(o.solid, 1, 1, 9, 9, 0, 45)),
      E(o.graphics.FillPath(o.solid, o.path)),
      E(o.graphics.FillClosedCurve(o.solid, o.points, 4)),
      E(o.graphics.FillClosedCurve2(o.solid, o.points, 4, 0.5f)),
      E(o.graphics.FillClosedCurveI(o.solid, o.pointsI, 4)),
      E(o.graphics.FillClosedCurve2I(o.solid, o.pointsI, 4, 0.5f, gp::FillModeWinding)),
      E(o.graphics.FillRegion(o.solid, o.region)),
      E(o.graphics.DrawString("中文", o.font, gp::RectF(0, 0, 32, 32), &o.format, o.solid)),
      E(o.graphics.DrawString("ab", o.font, 1, 1, nullptr, o.solid)),
      BLOCK("MeasureString", gp::RectF bounds; int fitted = 0, lines = 0;
            return o.graphics.MeasureString("中文", o.font, gp::RectF(0, 0, 100, 100), &o.format,
                                            bounds, &fitted, &lines) &&
                   fitted == 2 && bounds.Width > 0;),
      BLOCK("MeasureString at a point", gp::RectF bounds;
            return o.graphics.MeasureString("ab", o.font, 0, 0, nullptr, bounds) &&
                   bounds.Width > 0;),
      BLOCK("MeasureCharacterRanges", const gp::CharacterRange ranges[] = {{0, 1}, {1, 1}};
            std::vector<RegionObject> regions;
            return o.format.SetStringFormatMeasurableCharacterRanges(2, ranges) &&
                   o.graphics.MeasureCharacterRanges("中文", o.font, gp::RectF(0, 0, 100, 100),
                                                     o.format, regions) &&
                   regions.size() == 2;),
      BLOCK("MeasureCharacterRanges into regions", const gp::CharacterRange range(0, 1);
            RegionObject region;
            gp::GpRegion* handle = nullptr;
            if (!o.format.SetStringFormatMeasurableCharacterRanges(1, &range) ||
                !region.CreateRegion())
              return false;
            handle = region.Region();
            return o.graphics.MeasureCharacterRanges("a", o.font, gp::RectF(0, 0, 50, 50),
                                                     o.format, 1, &handle);),
      BLOCK("DrawDriverString", const std::uint16_t text[] = {'a', 'b'};
            const gp::PointF at[] = {{1, 10}, {8, 10}};
            return o.graphics.DrawDriverString(text, 2, o.font, o.solid, at,
                                               gp::DriverStringOptionsCmapLookup);),
      BLOCK("DrawDriverString GBK", const gp::PointF at[] = {{1, 10}, {12, 10}};
            return o.graphics.DrawDriverString("中文", o.font, o.solid, at,
                                               gp::DriverStringOptionsCmapLookup);),
      E(o.graphics.DrawImage(o.image, 1, 1)),
      E(o.graphics.DrawImageI(o.image, 1, 1)),
      E(o.graphics.DrawImageRect(o.image, 1, 1, 4, 4)),
      E(o.graphics.DrawImageRectI(o.image, 1, 1, 4, 4)),
      BLOCK("DrawCachedBitmap", gp::GpCachedBitmap* cached = nullptr;
            if (GDIP_CALL(GdipCreateCachedBitmap, o.bitmap.Bitmap(), o.graphics.Graphics(),
                          &cached) != gp::Ok)
              return false;
            const bool ok = o.graphics.DrawCachedBitmap(cached, 0, 0);
            GDIP_CALL(GdipDeleteCachedBitmap, cached); return ok;),
      E(o.graphics.DrawImageRectRect(o.image, 0, 0, 8, 8, 0, 0, 4, 4)),
      E(o.graphics.DrawImageRectRectI(o.image, 0, 0, 8, 8, 0, 0, 4, 4)),
      E(o.graphics.DrawImagePoints(o.image, o.points, 3)),
      E(o.graphics.DrawImagePointsI(o.image, o.pointsI, 3)),
      E(o.graphics.DrawImagePointRect(o.image, 1, 1, 0, 0, 4, 4)),
      E(o.graphics.DrawImagePointRectI(o.image, 1, 1, 0, 0, 4, 4)),
      E(o.graphics.DrawImageRectRect(o.image, gp::RectF(0, 0, 8, 8), gp::RectF(0, 0, 4, 4))),
      E(o.graphics.DrawImageRectRectI(o.image, gp::Rect(0, 0, 8, 8), gp::Rect(0, 0, 4, 4))),
      E(o.graphics.DrawImagePointsRect(o.image, o.points, 3, 0, 0, 4, 4)),
      E(o.graphics.DrawImagePointsRectI(o.image, o.pointsI, 3, 0, 0, 4, 4)),
      E(o.graphics.EnumerateMetafileDestPoint(Metafile(), gp::PointF(0, 0), EveryRecord)),
      E(o.graphics.EnumerateMetafileDestPointI(Metafile(), gp::Point(0, 0), EveryRecord)),
      // Wine: the enumerations marked NotImplemented exist only as stubs that would abort
      // the process; the layer refuses them under Wine.
      WINE(NotImplemented, o.graphics.EnumerateMetafileDestPoints(Metafile(), o.points, 3, EveryRecord)),
      WINE(NotImplemented, o.graphics.EnumerateMetafileDestPointsI(Metafile(), o.pointsI, 3, EveryRecord)),
      E(o.graphics.EnumerateMetafileDestRect(Metafile(), gp::RectF(0, 0, 9, 9), EveryRecord)),
      E(o.graphics.EnumerateMetafileDestRectI(Metafile(), gp::Rect(0, 0, 9, 9), EveryRecord)),
      WINE(NotImplemented, o.graphics.EnumerateMetafileSrcRectDestPoint(Metafile(), gp::PointF(0, 0),
                                                     gp::RectF(0, 0, 5, 5), gp::UnitPixel,
                                                     EveryRecord)),
      WINE(NotImplemented, o.graphics.EnumerateMetafileSrcRectDestPointI(Metafile(), gp::Point(0, 0),
                                                      gp::Rect(0, 0, 5, 5), gp::UnitPixel,
                                                      EveryRecord)),
      E(o.graphics.EnumerateMetafileSrcRectDestPoints(Metafile(), o.points, 3,
                                                      gp::RectF(0, 0, 5, 5), gp::UnitPixel,
                                                      EveryRecord)),
      WINE(NotImplemented, o.graphics.EnumerateMetafileSrcRectDestPointsI(Metafile(), o.pointsI, 3,
                                                       gp::Rect(0, 0, 5, 5), gp::UnitPixel,
                                                       EveryRecord)),
      E(o.graphics.EnumerateMetafileSrcRectDestRect(Metafile(), gp::RectF(0, 0, 9, 9),
                                                    gp::RectF(0, 0, 5, 5), gp::UnitPixel,
                                                    EveryRecord)),
      E(o.graphics.EnumerateMetafileSrcRectDestRectI(Metafile(), gp::Rect(0, 0, 9, 9),
                                                     gp::Rect(0, 0, 5, 5), gp::UnitPixel,
                                                     EveryRecord)),
      BLOCK("SetClipGraphics", GraphicsObject other;
            return other.GetImageGraphicsContext(o.bitmap) && o.graphics.SetClipGraphics(other);),
      E(o.graphics.SetClipPath(o.path)),
      E(o.graphics.SetClipRect(1, 1, 5, 5, gp::CombineModeIntersect)),
      E(o.graphics.SetClipRectI(1, 1, 5, 5)),
      E(o.graphics.SetClipRegion(o.region)),
      BLOCK("SetClipHrgn", HRGN rgn = CreateRectRgn(0, 0, 5, 5);
            const bool ok = o.graphics.SetClipHrgn(rgn); DeleteObject(rgn); return ok;),
      E(o.graphics.ResetClip()),
      E(o.graphics.TranslateClip(1, 2)),
      E(o.graphics.TranslateClipI(1, 2)),
      BLOCK("GetClip", RegionObject clip;
            return clip.CreateRegion() && o.graphics.SetClipRectI(2, 2, 4, 4) &&
                   o.graphics.GetClip(clip) && clip.IsVisibleRegionPoint(3, 3) &&
                   !clip.IsVisibleRegionPoint(9, 9);),
      E(o.graphics.SetClipRectI(2, 3, 4, 5) && o.graphics.GetClipBounds().Width == 4),
      E(o.graphics.SetClipRectI(2, 3, 4, 5) && o.graphics.GetClipBoundsI().Height == 5),
      E(o.graphics.GetVisibleClipBounds().Width == 32),
      E(o.graphics.GetVisibleClipBoundsI().Height == 32),
      E(!o.graphics.IsClipEmpty()),
      E(!o.graphics.IsVisibleClipEmpty()),
      E(o.graphics.IsVisiblePoint(3, 3)),
      E(!o.graphics.IsVisiblePointI(40, 3)),
      E(o.graphics.IsVisibleRect(3, 3, 2, 2)),
      E(o.graphics.IsVisibleRectI(3, 3, 2, 2)),
      BLOCK("Save/RestoreGraphics", const gp::GraphicsState state = o.graphics.SaveGraphics();
            return LastStatus() == gp::Ok && o.graphics.RestoreGraphics(state);),
      BLOCK("BeginContainer", const gp::GraphicsContainer c = o.graphics.BeginContainer(
                                  gp::RectF(0, 0, 8, 8), gp::RectF(0, 0, 4, 4), gp::UnitPixel);
            return LastStatus() == gp::Ok && o.graphics.EndContainer(c);),
      BLOCK("BeginContainerI", const gp::GraphicsContainer c = o.graphics.BeginContainerI(
                                   gp::Rect(0, 0, 8, 8), gp::Rect(0, 0, 4, 4), gp::UnitPixel);
            return LastStatus() == gp::Ok && o.graphics.EndContainer(c);),
      BLOCK("BeginContainer2", const gp::GraphicsContainer c = o.graphics.BeginContainer2();
            return LastStatus() == gp::Ok && o.graphics.EndContainer(c);),
      // Wine: GdipComment is a stub.
      WINE_BLOCK(NotImplemented, "Comment", const std::uint8_t data[] = {1, 2, 3, 4};
            return o.graphics.Comment(4, data);),

      // Paths.
      E(o.path.CreatePath(gp::FillModeWinding) && o.path.GetPathFillMode() == gp::FillModeWinding),
      BLOCK("CreatePath2", const std::uint8_t types[] = {0, 1, 1, 1};
            return o.path.CreatePath2(o.points, types, 4) && o.path.GetPointCount() == 4;),
      BLOCK("CreatePath2I", const std::uint8_t types[] = {0, 1, 1, 1};
            return o.path.CreatePath2I(o.pointsI, types, 4) && o.path.GetPointCount() == 4;),
      BLOCK("ClonePath", PathObject copy;
            return copy.ClonePath(o.path) && copy.GetPointCount() == 4;),
      E(o.path.ResetPath() && o.path.GetPointCount() == 0),
      E(o.path.SetPathFillMode(gp::FillModeWinding) && o.path.GetPathFillMode() == gp::FillModeWinding),
      BLOCK("GetPathData", std::vector<gp::PointF> points; std::vector<std::uint8_t> types;
            return o.path.GetPathData(points, types) && points.size() == 4 &&
                   points[0].X == 2 && types.size() == 4;),
      E(o.path.GetPathTypes().size() == 4),
      E(o.path.GetPathPoints()[2].X == 22),
      E(o.path.GetPathPointsI()[2].Y == 22),
      E(o.path.StartPathFigure()),
      E(o.path.ClosePathFigure()),
      E(o.path.ClosePathFigures()),
      E(o.path.SetPathMarker()),
      E(o.path.ClearPathMarkers()),
      E(o.path.ReversePath()),
      E(o.path.GetPathLastPoint().Y == 22),
      E(o.path.AddPathLine(0, 0, 5, 5) && o.path.GetPointCount() == 6),
      E(o.path.AddPathLineI(0, 0, 5, 5) && o.path.GetPointCount() == 6),
      E(o.path.AddPathLine2(o.points, 4)),
      E(o.path.AddPathLine2I(o.pointsI, 4)),
      E(o.path.AddPathArc(0, 0, 10, 10, 0, 90)),
      E(o.path.AddPathArcI(0, 0, 10, 10, 0, 90)),
      E(o.path.AddPathBezier(0, 0, 1, 1, 2, 2, 3, 3)),
      E(o.path.AddPathBezierI(0, 0, 1, 1, 2, 2, 3, 3)),
      E(o.path.AddPathBeziers(o.points, 4)),
      E(o.path.AddPathBeziersI(o.pointsI, 4)),
      E(o.path.AddPathCurve(o.points, 4)),
      E(o.path.AddPathCurve2(o.points, 4, 0.5f)),
      E(o.path.AddPathCurve3(o.points, 4, 1, 2, 0.5f)),
      E(o.path.AddPathCurveI(o.pointsI, 4)),
      E(o.path.AddPathCurve2I(o.pointsI, 4, 0.5f)),
      E(o.path.AddPathCurve3I(o.pointsI, 4, 1, 2, 0.5f)),
      E(o.path.AddPathClosedCurve(o.points, 4)),
      E(o.path.AddPathClosedCurveI(o.pointsI, 4)),
      E(o.path.AddPathClosedCurve2(o.points, 4, 0.5f)),
      E(o.path.AddPathClosedCurve2I(o.pointsI, 4, 0.5f)),
      E(o.path.AddPathRectangle(1, 1, 3, 3) && o.path.GetPointCount() == 8),
      E(o.path.AddRoundedRectangle(1, 1, 20, 10, 30)),
      E(o.path.AddPathRectangles(o.rects, 2) && o.path.GetPointCount() == 12),
      E(o.path.AddPathRectangleI(1, 1, 3, 3) && o.path.GetPointCount() == 8),
      E(o.path.AddPathRectanglesI(o.rectsI, 2) && o.path.GetPointCount() == 12),
      E(o.path.AddPathEllipse(1, 1, 5, 5)),
      E(o.path.AddPathEllipseI(1, 1, 5, 5)),
      E(o.path.AddPathPie(1, 1, 9, 9, 0, 90)),
      E(o.path.AddPathPieI(1, 1, 9, 9, 0, 90)),
      E(o.path.AddPathPolygon(o.points, 4)),
      E(o.path.AddPathPolygonI(o.pointsI, 4)),
      BLOCK("AddPathPath", PathObject other;
            return other.CreatePath() && other.AddPathLine(0, 0, 1, 1) &&
                   o.path.AddPathPath(other, false) && o.path.GetPointCount() == 6;),
      E(o.path.AddPathString("中文", o.family, gp::FontStyleRegular, 12, gp::RectF(0, 0, 50, 20),
                             &o.format) &&
        o.path.GetPointCount() > 10),
      // Wine: GdipAddPathString refuses a null string format (Windows takes the default).
      WINE(InvalidParameter, o.path.AddPathString("ab", o.family, 0, 12, 0, 0, nullptr)),
      E(o.path.AddPathString("ab", o.family, gp::FontStyleBold, 12, 0, 0, &o.format)),
      WINE(InvalidParameter, o.path.AddPathStringI("中文", o.family, gp::FontStyleRegular, 12,
                                                   gp::Rect(0, 0, 50, 20), nullptr)),
      E(o.path.AddPathStringI("中文", o.family, gp::FontStyleRegular, 12, gp::Rect(0, 0, 50, 20),
                              &o.format)),
      E(o.path.AddPathStringI("ab", o.family, gp::FontStyleRegular, 12, 1, 1, &o.format)),
      E(o.path.TransformPath(o.matrix)),
      E(o.path.GetPathWorldBounds(o.matrix, &o.pen).Width > 20),
      E(o.path.GetPathWorldBoundsI().Width == 20),
      E(o.path.FlattenPath(o.matrix)),
      E(o.path.WidenPath(o.pen)),
      // Wine: GdipWindingModeOutline is a stub.
      WINE(NotImplemented, o.path.WindingModeOutline()),
      // Wine: GdipWarpPath is a stub.
      WINE_BLOCK(NotImplemented, "WarpPath", const gp::PointF to[] = {{0, 0}, {40, 0}, {0, 40}, {40, 40}};
            return o.path.WarpPath(nullptr, to, 4, 0, 0, 32, 32);),
      E(o.path.GetPointCount() == 4),
      E(o.path.IsVisiblePathPoint(5, 5, &o.graphics)),
      E(!o.path.IsVisiblePathPointI(30, 30)),
      E(o.path.IsOutlineVisiblePathPoint(2, 10, o.pen, &o.graphics)),
      E(!o.path.IsOutlineVisiblePathPointI(10, 10, o.pen)),

      // Brushes.
      BLOCK("CloneBrush", BrushObject copy;
            return copy.CloneBrush(o.linear) && copy.GetBrushType() == gp::BrushTypeLinearGradient;),
      E(o.solid.GetBrushType() == gp::BrushTypeSolidColor),
      E(o.solid.CreateSolidFill(0x80112233) && o.solid.GetSolidFillColor() == 0x80112233),
      E(o.solid.SetSolidFillColor(0xFF445566) && o.solid.GetSolidFillColor() == 0xFF445566),
      E(o.linear.CreateLineBrush({0, 0}, {5, 5}, 1, 2, gp::WrapModeTileFlipX)),
      E(o.linear.CreateLineBrushI({0, 0}, {5, 5}, 1, 2)),
      E(o.linear.CreateLineBrushFromRect(gp::RectF(0, 0, 5, 5), 1, 2, gp::LinearGradientModeVertical)),
      E(o.linear.CreateLineBrushFromRectI(gp::Rect(0, 0, 5, 5), 1, 2, gp::LinearGradientModeHorizontal)),
      E(o.linear.CreateLineBrushFromRectWithAngle(gp::RectF(0, 0, 5, 5), 1, 2, 30, true)),
      E(o.linear.CreateLineBrushFromRectWithAngleI(gp::Rect(0, 0, 5, 5), 1, 2, 30, false)),
      BLOCK("LineColors", gp::ARGB a = 0, b = 0;
            return o.linear.SetLineColors(0xFF010203, 0xFF040506) && o.linear.GetLineColors(a, b) &&
                   a == 0xFF010203 && b == 0xFF040506;),
      E(o.linear.GetLineRect().Width == 32),
      E(o.linear.GetLineRectI().Width == 32),
      E(o.linear.SetLineGammaCorrection(true) && o.linear.GetLineGammaCorrection()),
      BLOCK("LineBlend", const float f[] = {0, 0.5f, 1}; const float p[] = {0, 0.3f, 1};
            std::vector<float> factors, positions;
            return o.linear.SetLineBlend(f, p, 3) && o.linear.GetLineBlendCount() == 3 &&
                   o.linear.GetLineBlend(factors, positions) && positions[1] == 0.3f;),
      BLOCK("LinePresetBlend", const gp::ARGB c[] = {1, 2, 3}; const float p[] = {0, 0.4f, 1};
            std::vector<gp::ARGB> colours; std::vector<float> positions;
            return o.linear.SetLinePresetBlend(c, p, 3) && o.linear.GetLinePresetBlendCount() == 3 &&
                   o.linear.GetLinePresetBlend(colours, positions) && colours[1] == 2u;),
      E(o.linear.SetLineSigmaBlend(0.5f, 1)),
      E(o.linear.SetLineLinearBlend(0.5f, 1)),
      E(o.linear.SetLineWrapMode(gp::WrapModeTileFlipXY) &&
        o.linear.GetLineWrapMode() == gp::WrapModeTileFlipXY),
      E(o.linear.SetLineTransform(o.matrix) && o.linear.GetLineTransform(o.matrix)),
      E(o.linear.ResetLineTransform()),
      E(o.linear.MultiplyLineTransform(o.matrix)),
      E(o.linear.TranslateLineTransform(1, 1)),
      E(o.linear.ScaleLineTransform(2, 2)),
      E(o.linear.ScaleLineTransformAt(2, 2, 3, 3)),
      // Wine: GdipRotateLineTransform is a stub.
      WINE(NotImplemented, o.linear.RotateLineTransform(30)),
      WINE(NotImplemented, o.linear.RotateLineTransformAt(30, 3, 3)),
      E(o.pathBrush.CreatePathGradient(o.points, 4, gp::WrapModeTile)),
      E(o.pathBrush.CreatePathGradientI(o.pointsI, 4)),
      E(o.pathBrush.CreatePathGradientFromPath(o.path) && o.pathBrush.GetPathGradientPointCount() == 4),
      E(o.pathBrush.SetPathGradientCenterColor(0xFF00FF00) &&
        o.pathBrush.GetPathGradientCenterColor() == 0xFF00FF00),
      E(o.pathBrush.GetPathGradientPointCount() == 3),
      E(o.pathBrush.GetPathGradientSurroundColorCount() == 3),
      BLOCK("SurroundColors", const gp::ARGB colours[] = {0xFF000001, 0xFF000002, 0xFF000003};
            int taken = 0;
            return o.pathBrush.SetPathGradientSurroundColorsWithCount(colours, 3, &taken) &&
                   taken == 3 &&
                   o.pathBrush.GetPathGradientSurroundColorsWithCount() ==
                       std::vector<gp::ARGB>(colours, colours + 3);),
      // Wine: GdipGetPathGradientPath and GdipSetPathGradientPath are stubs.
      WINE_BLOCK(NotImplemented, "GetPathGradientPath", PathObject shape;
                 return shape.CreatePath() && o.pathBrush.GetPathGradientPath(shape);),
      WINE(NotImplemented, o.pathBrush.SetPathGradientPath(o.path)),
      E(o.pathBrush.GetPathGradientCenterPoint().X > 0),
      E(o.pathBrush.GetPathGradientCenterPointI().X > 0),
      E(o.pathBrush.SetPathGradientCenterPoint(gp::PointF(4, 5)) &&
        o.pathBrush.GetPathGradientCenterPoint().Y == 5),
      E(o.pathBrush.SetPathGradientCenterPoint(gp::Point(6, 7)) &&
        o.pathBrush.GetPathGradientCenterPointI().X == 6),
      E(o.pathBrush.GetPathGradientRect().Width == 19),
      E(o.pathBrush.GetPathGradientRectI().Height == 14),
      E(o.pathBrush.SetPathGradientGammaCorrection(true) && o.pathBrush.GetPathGradientGammaCorrection()),
      BLOCK("PathGradientBlend", const float f[] = {0, 1}; const float p[] = {0, 1};
            std::vector<float> factors, positions;
            return o.pathBrush.SetPathGradientBlend(f, p, 2) &&
                   o.pathBrush.GetPathGradientBlendCount() == 2 &&
                   o.pathBrush.GetPathGradientBlend(factors, positions) && factors[1] == 1;),
      BLOCK("PathGradientPresetBlend", const gp::ARGB c[] = {5, 6}; const float p[] = {0, 1};
            std::vector<gp::ARGB> colours; std::vector<float> positions;
            return o.pathBrush.SetPathGradientPresetBlend(c, p, 2) &&
                   o.pathBrush.GetPathGradientPresetBlendCount() == 2 &&
                   o.pathBrush.GetPathGradientPresetBlend(colours, positions) && colours[0] == 5u;),
      E(o.pathBrush.SetPathGradientSigmaBlend(0.5f, 1)),
      E(o.pathBrush.SetPathGradientLinearBlend(0.5f, 1)),
      BLOCK("FocusScales", float x = 0, y = 0;
            return o.pathBrush.SetPathGradientFocusScales(0.25f, 0.5f) &&
                   o.pathBrush.GetPathGradientFocusScales(x, y) && x == 0.25f && y == 0.5f;),
      E(o.pathBrush.SetPathGradientWrapMode(gp::WrapModeTileFlipY) &&
        o.pathBrush.GetPathGradientWrapMode() == gp::WrapModeTileFlipY),
      E(o.pathBrush.SetPathGradientTransform(o.matrix) && o.pathBrush.GetPathGradientTransform(o.matrix)),
      E(o.pathBrush.ResetPathGradientTransform()),
      E(o.pathBrush.MultiplyPathGradientTransform(o.matrix)),
      E(o.pathBrush.TranslatePathGradientTransform(1, 1)),
      E(o.pathBrush.ScalePathGradientTransform(2, 2)),
      E(o.pathBrush.ScalePathGradientTransformAt(2, 2, 3, 3)),
      E(o.pathBrush.RotatePathGradientTransform(30)),
      E(o.pathBrush.RotatePathGradientTransformAt(30, 3, 3)),

      // Pens.
      E(o.pen.CreatePen2(o.linear, 3) && o.pen.GetPenFillType() == gp::PenTypeLinearGradient),
      BLOCK("ClonePen", PenObject copy; return copy.ClonePen(o.pen) && copy.GetPenWidth() == 2;),
      E(o.pen.SetPenWidth(4) && o.pen.GetPenWidth() == 4),
      // Wine: GdipSetPenUnit exists only as a stub that would abort the process.
      WINE(NotImplemented, o.pen.SetPenUnit(gp::UnitPixel)),
      E(o.pen.GetPenUnit() == gp::UnitWorld),
      E(o.pen.SetPenLineCap197819(gp::LineCapRound, gp::LineCapSquare, gp::DashCapTriangle) &&
        o.pen.GetPenStartCap() == gp::LineCapRound && o.pen.GetPenEndCap() == gp::LineCapSquare &&
        o.pen.GetPenDashCap197819() == gp::DashCapTriangle),
      E(o.pen.SetPenLineCap197819(gp::LineCapTriangle) && o.pen.GetPenEndCap() == gp::LineCapTriangle),
      E(o.pen.SetPenStartCap(gp::LineCapSquare) && o.pen.GetPenStartCap() == gp::LineCapSquare),
      E(o.pen.SetPenEndCap(gp::LineCapRound) && o.pen.GetPenEndCap() == gp::LineCapRound),
      BLOCK("PenDashCap", gp::DashCap cap = gp::DashCapFlat;
            return o.pen.SetPenDashCap197819(gp::DashCapRound) && o.pen.GetPenDashCap197819(cap) &&
                   cap == gp::DashCapRound;),
      E(o.pen.SetPenLineJoin(gp::LineJoinRound) && o.pen.GetPenLineJoin() == gp::LineJoinRound),
      BLOCK("PenCustomCaps", gp::GpCustomLineCap* cap = nullptr;
            if (GDIP_CALL(GdipCreateCustomLineCap, nullptr, o.path.Path(), gp::LineCapFlat, 0,
                          &cap) != gp::Ok)
              return false;
            bool ok = o.pen.SetPenCustomStartCap(cap) && o.pen.SetPenCustomEndCap(cap);
            GDIP_CALL(GdipDeleteCustomLineCap, cap);
            gp::GpCustomLineCap* start = o.pen.GetPenCustomStartCap();
            ok = ok && start != nullptr;
            GDIP_CALL(GdipDeleteCustomLineCap, start);
            gp::GpCustomLineCap* end = o.pen.GetPenCustomEndCap();
            ok = ok && end != nullptr;
            GDIP_CALL(GdipDeleteCustomLineCap, end);
            return ok;),
      E(o.pen.SetPenMiterLimit(7) && o.pen.GetPenMiterLimit() == 7),
      E(o.pen.SetPenMode(gp::PenAlignmentInset) && o.pen.GetPenMode() == gp::PenAlignmentInset),
      E(o.pen.SetPenTransform(o.matrix) && o.pen.GetPenTransform(o.matrix)),
      E(o.pen.ResetPenTransform()),
      E(o.pen.MultiplyPenTransform(o.matrix)),
      E(o.pen.RotatePenTransform(30)),
      E(o.pen.RotatePenTransformAt(30, 2, 2)),
      E(o.pen.ScalePenTransform(2, 2)),
      E(o.pen.ScalePenTransformAt(2, 2, 1, 1)),
      E(o.pen.TranslatePenTransform(1, 1)),
      E(o.pen.SetPenColor(0xFF0A0B0C) && o.pen.GetPenColor() == 0xFF0A0B0C),
      BLOCK("PenBrushFill", BrushObject fill;
            return o.pen.SetPenBrushFill(o.linear) && o.pen.GetPenBrushFill(fill) &&
                   fill.GetBrushType() == gp::BrushTypeLinearGradient;),
      E(o.pen.GetPenFillType() == gp::PenTypeSolidColor),
      E(o.pen.SetPenDashStyle(gp::DashStyleDot) && o.pen.GetPenDashStyle() == gp::DashStyleDot),
      E(o.pen.SetPenDashOffset(1.5f) && o.pen.GetPenDashOffset() == 1.5f),
      BLOCK("PenDashArray", const float dashes[] = {2, 1, 3};
            return o.pen.SetPenDashArray(dashes, 3) &&
                   o.pen.GetPenDashArray() == std::vector<float>(dashes, dashes + 3);),
      BLOCK("PenCompoundArray", const float parts[] = {0, 0.3f, 0.7f, 1};
            return o.pen.SetPenCompoundArray(parts, 4) &&
                   o.pen.GetPenCompoundArray() == std::vector<float>(parts, parts + 4);),

      // Fonts, families and collections.
      E(o.font.CreateFont("宋体", 9, gp::FontStyleItalic, gp::UnitPixel) &&
        o.font.GetFontStyle() == gp::FontStyleItalic),
      E(o.font.CreateFont(std::wstring(L"宋体"), 9)),
      BLOCK("CreateFontFromDC", HDC dc = GetDC(nullptr); const bool ok = o.font.CreateFontFromDC(dc);
            ReleaseDC(nullptr, dc); return ok;),
      BLOCK("CreateFontFromLogfontW", HDC dc = GetDC(nullptr); LOGFONTW record{};
            record.lfHeight = -12; wcscpy(record.lfFaceName, L"SimSun");
            const bool ok = o.font.CreateFontFromLogfontW(dc, &record);
            ReleaseDC(nullptr, dc); return ok;),
      BLOCK("CloneFont", FontObject copy;
            return copy.CloneFont(o.font) && copy.GetFontSize() == 12;),
      BLOCK("GetLogFont", LOGFONTA a{}; LOGFONTW w{};
            return o.font.GetLogFontA(o.graphics, a) && o.font.GetLogFontW(o.graphics, w) &&
                   w.lfHeight != 0;),
      E(o.font.GetFontSize() == 12),
      E(o.font.GetFontUnit() == gp::UnitPoint),
      E(o.font.GetFontHeight(&o.graphics) > 12),
      E(o.font.GetFontHeightGivenDPI(72) > 12),
      BLOCK("GetFamily", FontFamilyObject f; return o.font.GetFamily(f) && !f.Empty();),
      BLOCK("CloneFontFamily", FontFamilyObject copy;
            return copy.CloneFontFamily(o.family) &&
                   copy.GetFamilyNameWide() == o.family.GetFamilyNameWide();),
      E(!o.family.GetFamilyName(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)).empty()),
      E(o.family.IsStyleAvailable(gp::FontStyleRegular)),
      E(o.family.GetEmHeight(gp::FontStyleRegular) > 0),
      E(o.family.GetCellAscent(gp::FontStyleRegular) > 0),
      E(o.family.GetCellDescent(gp::FontStyleRegular) > 0),
      E(o.family.GetLineSpacing(gp::FontStyleRegular) > 0),
      // The bench's prefix maps the generic faces to the Liberation fonts.
      E(o.family.GetGenericFontFamilySansSerif()),
      E(o.family.GetGenericFontFamilySerif()),
      E(o.family.GetGenericFontFamilyMonospace()),
      BLOCK("NewInstalledFontCollection", FontCollectionObject fonts;
            return fonts.NewInstalledFontCollection() && fonts.GetFontCollectionFamilyCount() > 0;),
      BLOCK("PrivateAddFontFile", FontCollectionObject fonts;
            return fonts.NewPrivateFontCollection() &&
                   fonts.PrivateAddFontFile("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf") &&
                   fonts.GetFontCollectionFamilyCount() == 1;),
      BLOCK("PrivateAddMemoryFont", FontCollectionObject fonts;
            const std::vector<std::uint8_t> bytes = FontFileBytes();
            FontFamilyObject family;
            return fonts.NewPrivateFontCollection() &&
                   fonts.PrivateAddMemoryFont(bytes.data(), static_cast<int>(bytes.size())) &&
                   fonts.GetFontCollectionFamilyList().size() == 1 &&
                   family.CreateFontFamilyFromName("DejaVu Sans", &fonts) &&
                   o.font.CreateFont("DejaVu Sans", 10, 0, gp::UnitPoint, &fonts);),

      // String formats.
      E(o.format.CreateStringFormat(gp::StringFormatFlagsNoWrap, LANG_NEUTRAL) &&
        o.format.GetStringFormatFlags() == gp::StringFormatFlagsNoWrap),
      E(o.format.StringFormatGetGenericDefault()),
      E(o.format.StringFormatGetGenericTypographic()),
      BLOCK("CloneStringFormat", StringFormatObject copy;
            return o.format.SetStringFormatAlign(gp::StringAlignmentFar) &&
                   copy.CloneStringFormat(o.format) &&
                   copy.GetStringFormatAlign() == gp::StringAlignmentFar;),
      E(o.format.SetStringFormatFlags(gp::StringFormatFlagsNoClip) &&
        o.format.GetStringFormatFlags() == gp::StringFormatFlagsNoClip),
      E(o.format.SetStringFormatAlign(gp::StringAlignmentCenter) &&
        o.format.GetStringFormatAlign() == gp::StringAlignmentCenter),
      E(o.format.SetStringFormatLineAlign(gp::StringAlignmentFar) &&
        o.format.GetStringFormatLineAlign() == gp::StringAlignmentFar),
      E(o.format.SetStringFormatTrimming(gp::StringTrimmingEllipsisWord) &&
        o.format.GetStringFormatTrimming() == gp::StringTrimmingEllipsisWord),
      E(o.format.SetStringFormatHotkeyPrefix(gp::HotkeyPrefixShow) &&
        o.format.GetStringFormatHotkeyPrefix() == gp::HotkeyPrefixShow),
      BLOCK("TabStops", const float stops[] = {10, 20}; float first = 0; std::vector<float> read;
            return o.format.SetStringFormatTabStops(1, 2, stops) &&
                   o.format.GetStringFormatTabStops(first, read) && read.size() == 2;),
      BLOCK("DigitSubstitution", LANGID language = 0;
            gp::StringDigitSubstitute substitute = gp::StringDigitSubstituteUser;
            return o.format.SetStringFormatDigitSubstitution(LANG_CHINESE,
                                                             gp::StringDigitSubstituteNational) &&
                   o.format.GetStringFormatDigitSubstitution(language, substitute) &&
                   language == LANG_CHINESE && substitute == gp::StringDigitSubstituteNational;),
      BLOCK("CharacterRanges", const gp::CharacterRange r(0, 2);
            return o.format.SetStringFormatMeasurableCharacterRanges(1, &r) &&
                   o.format.GetStringFormatMeasurableCharacterRangeCount() == 1;),

      // Images.
      BLOCK("LoadImageFromFile", const std::wstring file = ScratchFolder(L"smoke") + L"\\a.png";
            ImageObject icm;
            return o.image.SaveImageToFile(file, kImageFormatPng) &&
                   o.image.LoadImageFromFile(file) && icm.LoadImageFromFile(WideToGbk(file), true) &&
                   icm.GetImageWidth() == 8;),
      E(o.image.LoadImageFromBytes(EncodePng(o.bitmap), true) && o.image.GetImageWidth() == 32),
      BLOCK("CloneImage", ImageObject copy; return copy.CloneImage(o.image) && copy.GetImageWidth() == 8;),
      // Wine: GdipGetEncoderParameterListSize is a stub (and the list one would abort).
      WINE_BLOCK(NotImplemented, "GetEncoderParameterList", CLSID jpeg{};
            CLSIDFromString(L"{557CF401-1A04-11D3-9A73-0000F81EF32E}", &jpeg);
            return !o.image.GetEncoderParameterList(jpeg).empty();),
      BLOCK("SaveImageToStream", MemoryStream stream; stream.LoadBytes(nullptr, 0);
            return o.image.SaveImageToStream(stream.Stream(), kImageFormatJpeg) && stream.Size() > 0;),
      // No multi-frame save is under way (and no parameters are given).
      {"SaveAdd", [](Objects& o) -> std::optional<bool> { return o.image.SaveAdd(nullptr); },
       gp::InvalidParameter},
      {"SaveAddImage",
       [](Objects& o) -> std::optional<bool> { return o.image.SaveAddImage(o.bitmap, nullptr); },
       gp::InvalidParameter},
      E(o.image.GetImageType() == gp::ImageTypeBitmap),
      BLOCK("GetImageDimension", float w = 0, h = 0;
            return o.image.GetImageDimension(w, h) && w > 0 && h > 0;),
      BLOCK("GetImageBounds", gp::RectF bounds; gp::Unit unit = gp::UnitWorld;
            return o.image.GetImageBounds(bounds, unit) && bounds.Width == 8 && unit == gp::UnitPixel;),
      E(o.image.GetImageWidth() == 8),
      E(o.image.GetImageHeight() == 6),
      E(o.image.GetImageHorizontalResolution() > 0),
      E(o.image.GetImageVerticalResolution() > 0),
      E(o.image.GetImageFlags() != 0),
      BLOCK("GetImageRawFormat", GUID png{};
            CLSIDFromString(L"{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}", &png);
            return IsEqualGUID(o.image.GetImageRawFormat(), png);),
      E(o.bitmap.GetImagePixelFormat() == PixelFormat32bppARGB),
      BLOCK("ImagePalette", BitmapObject indexed;
            if (!indexed.CreateBitmapFromScan0(4, 4, PixelFormat8bppIndexed)) return false;
            const ByteSet palette = indexed.GetImagePalette();
            return palette.size() >= sizeof(gp::ColorPalette) &&
                   indexed.SetImagePalette(reinterpret_cast<const gp::ColorPalette*>(palette.data()));),
      BLOCK("GetImageThumbnail", ImageObject thumb;
            return o.image.GetImageThumbnail(4, 3, thumb) && thumb.GetImageWidth() == 4;),
      BLOCK("Frames", ImageObject gif;
            if (!gif.LoadImageFromBytes(Gif())) return false;
            const std::vector<GUID> dims = gif.ImageGetFrameDimensionsList();
            return dims.size() == 1 && gif.ImageGetFrameCount(dims[0]) == 2 &&
                   gif.ImageSelectActiveFrame(dims[0], 1);),
      E(o.bitmap.ImageRotateFlip(gp::Rotate90FlipNone) && o.bitmap.GetImageWidth() == 32),
      BLOCK("GetFrameDelays", ImageObject gif; std::vector<int> delays;
            return gif.LoadImageFromBytes(Gif()) && gif.GetFrameDelays(delays) && delays.size() == 2;),
      BLOCK("PropertyItems", ImageObject gif;
            if (!gif.LoadImageFromBytes(Gif())) return false;
            const std::vector<PROPID> ids = gif.GetPropertyIdList();
            return !ids.empty() && !gif.GetPropertyItem(ids[0]).empty();),
      BLOCK("SetPropertyItem", std::int32_t v = 5; gp::PropertyItem item{};
            item.id = 0x5100; item.length = 4; item.type = 4; item.value = &v;
            return o.image.SetPropertyItem(item);),
      // Wine: GdipRemovePropertyItem is a stub.
      WINE(NotImplemented, o.image.RemovePropertyItem(0x5100)),

      // Bitmaps.
      BLOCK("CreateBitmapFromFile", const std::wstring file = ScratchFolder(L"smoke") + L"\\b.bmp";
            BitmapObject icm;
            return o.bitmap.SaveImageToFile(file) && o.bitmap.CreateBitmapFromFile(file) &&
                   icm.CreateBitmapFromFile(WideToGbk(file), true) && icm.GetImageWidth() == 32;),
      E(o.bitmap.CreateBitmapFromBytes(EncodePng(o.bitmap), true)),
      E(o.bitmap.CreateBitmapFromBytes(EncodePng(o.bitmap)) && o.bitmap.GetImageWidth() == 32),
      BLOCK("CreateBitmapFromScan0 with pixels", std::vector<std::uint8_t> pixels(4 * 4 * 4, 0x7F);
            return o.bitmap.CreateBitmapFromScan0(4, 4, 16, PixelFormat32bppARGB, pixels.data()) &&
                   o.bitmap.BitmapGetPixel(1, 1) == 0x7F7F7F7F;),
      E(o.bitmap.CreateBitmapFromGraphics(5, 6, o.graphics) && o.bitmap.GetImageHeight() == 6),
      BLOCK("CreateBitmapFromGdiDib", BITMAPINFO info{}; std::uint32_t bits[4] = {0x00FF0000, 0, 0, 0};
            info.bmiHeader.biSize = sizeof info.bmiHeader; info.bmiHeader.biWidth = 2;
            info.bmiHeader.biHeight = 2; info.bmiHeader.biPlanes = 1; info.bmiHeader.biBitCount = 32;
            return o.bitmap.CreateBitmapFromGdiDib(&info, bits) && o.bitmap.GetImageWidth() == 2;),
      BLOCK("HICON round trip", HICON icon = o.bitmap.CreateHICONFromBitmap();
            if (icon == nullptr) return false;
            const bool ok = o.bitmap.CreateBitmapFromHICON(icon); DestroyIcon(icon); return ok;),
      BLOCK("HBITMAP round trip", HBITMAP gdi = o.bitmap.CreateHBITMAPFromBitmap(0xFFFFFFFF);
            if (gdi == nullptr) return false;
            const bool ok = o.bitmap.CreateBitmapFromHBITMAP(gdi); DeleteObject(gdi); return ok;),
      E(o.bitmap.CreateBitmapFromResource(nullptr, MAKEINTRESOURCEW(32754))),
      BLOCK("CloneBitmapArea", BitmapObject part;
            return part.CloneBitmapArea(1, 1, 4, 5, PixelFormat32bppARGB, o.bitmap) &&
                   part.GetImageHeight() == 5;),
      BLOCK("CloneBitmapAreaI", BitmapObject part;
            return part.CloneBitmapAreaI(1, 1, 4, 5, PixelFormat24bppRGB, o.bitmap) &&
                   part.GetImageWidth() == 4;),
      BLOCK("LockBits", gp::BitmapData data{}; gp::Rect area(0, 0, 2, 2);
            return o.bitmap.BitmapLockBits(&area, gp::ImageLockModeWrite, PixelFormat32bppARGB, data) &&
                   o.bitmap.BitmapUnlockBits(data);),
      E(o.bitmap.BitmapSetPixel(3, 3, 0xFF010203) && o.bitmap.BitmapGetPixel(3, 3) == 0xFF010203),
      E(o.bitmap.BitmapSetResolution(150, 75) && o.bitmap.GetImageVerticalResolution() == 75),
      // Wine: effects are not implemented.
      WINE(NotImplemented, o.bitmap.BitmapApplyEffect(nullptr, nullptr, false, nullptr, nullptr)),
      E(o.bitmap.RotateBitmap(90)),

      // Regions.
      E(o.region.CreateRegion() && o.region.IsInfiniteRegion(o.graphics)),
      E(o.region.CreateRegionRectI(gp::Rect(1, 2, 3, 4)) && o.region.GetRegionBoundsI(o.graphics).Y == 2),
      E(o.region.CreateRegionPath(o.path) && o.region.IsVisibleRegionPoint(5, 5)),
      BLOCK("CreateRegionHrgn", HRGN rgn = CreateRectRgn(0, 0, 4, 4);
            const bool ok = o.region.CreateRegionHrgn(rgn) && o.region.IsVisibleRegionPointI(2, 2);
            DeleteObject(rgn); return ok;),
      BLOCK("RegionData", const ByteSet data = o.region.GetRegionData(); RegionObject copy;
            return !data.empty() && o.region.GetRegionDataSize() == data.size() &&
                   copy.CreateRegionRgnData(data.data(), static_cast<int>(data.size())) &&
                   copy.IsEqualRegion(o.region, o.graphics);),
      BLOCK("CloneRegion", RegionObject copy;
            return copy.CloneRegion(o.region) && copy.IsEqualRegion(o.region, o.graphics);),
      E(o.region.SetInfinite() && o.region.IsInfiniteRegion(o.graphics)),
      E(o.region.SetEmpty() && o.region.IsEmptyRegion(o.graphics)),
      E(o.region.CombineRegionRect(gp::RectF(20, 20, 5, 5), gp::CombineModeUnion) &&
        o.region.IsVisibleRegionRect(21, 21, 1, 1)),
      E(o.region.CombineRegionRectI(gp::Rect(0, 0, 5, 5), gp::CombineModeExclude) &&
        !o.region.IsVisibleRegionRectI(1, 1, 1, 1, &o.graphics)),
      BLOCK("CombineRegionRegion", RegionObject other;
            return other.CreateRegionRect(gp::RectF(20, 0, 5, 5)) &&
                   o.region.CombineRegionRegion(other, gp::CombineModeUnion) &&
                   o.region.IsVisibleRegionPoint(22, 2, &o.graphics);),
      E(o.region.CombineRegionPath(o.path, gp::CombineModeXor)),
      E(o.region.TranslateRegion(5, 5) && o.region.GetRegionBounds(o.graphics).X == 5),
      E(o.region.TranslateRegionI(5, 5) && o.region.IsVisibleRegionPointI(12, 12, &o.graphics)),
      E(o.region.TransformRegion(o.matrix)),
      BLOCK("GetRegionHRgn", HRGN rgn = o.region.GetRegionHRgn(&o.graphics);
            const bool ok = rgn != nullptr && PtInRegion(rgn, 3, 3); DeleteObject(rgn); return ok;),
      E(o.region.GetRegionScansCount(o.matrix) == 1),
      E(o.region.GetRegionScans(o.matrix).size() == 1),
      E(o.region.GetRegionScansI(o.matrix)[0].Width == 10),
  };
  return table;
}

}  // namespace
