#include "gdiplus/graphics_object.h"

#include "gdiplus/about_point.h"
#include "gdiplus/brush_objects.h"
#include "gdiplus/flat_api.h"
#include "gdiplus/font_objects.h"
#include "runtime/gbk_text.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "gdiplus/region_object.h"
#include "gdiplus/string_format_object.h"

namespace {
gp::GpStringFormat* FormatOf(const StringFormatObject* format) {
  return format != nullptr ? format->Format() : nullptr;
}
gp::GpMetafile* MetafileOf(const ImageObject& image) {
  return static_cast<gp::GpMetafile*>(image.Image());
}
}  // namespace

gp::Status GraphicsObject::DeleteNative(void* handle) {
  return GDIP_CALL(GdipDeleteGraphics, static_cast<gp::GpGraphics*>(handle));
}

bool GraphicsObject::Flush(gp::FlushIntention intention) {
  return GDIP_OK(GdipFlush, Graphics(), intention);
}

bool GraphicsObject::CreateFromHWND(HWND window, bool icm) {
  gp::GpGraphics* graphics = nullptr;
  return Adopt(icm ? GDIP_CALL(GdipCreateFromHWNDICM, window, &graphics)
                   : GDIP_CALL(GdipCreateFromHWND, window, &graphics),
               &graphics);
}

bool GraphicsObject::CreateFromHDC(HDC dc, HANDLE device) {
  gp::GpGraphics* graphics = nullptr;
  return Adopt(device != nullptr ? GDIP_CALL(GdipCreateFromHDC2, dc, device, &graphics)
                                 : GDIP_CALL(GdipCreateFromHDC, dc, &graphics),
               &graphics);
}

bool GraphicsObject::GetImageGraphicsContext(const ImageObject& image) {
  gp::GpGraphics* graphics = nullptr;
  return Adopt(GDIP_CALL(GdipGetImageGraphicsContext, image.Image(), &graphics), &graphics);
}

HDC GraphicsObject::GetDC() { return GDIP_GET(HDC, GdipGetDC, Graphics()); }
bool GraphicsObject::ReleaseDC(HDC dc) { return GDIP_OK(GdipReleaseDC, Graphics(), dc); }

bool GraphicsObject::GetRenderingOrigin(int& x, int& y) {
  return GDIP_OK(GdipGetRenderingOrigin, Graphics(), &x, &y);
}
bool GraphicsObject::SetRenderingOrigin(int x, int y) {
  return GDIP_OK(GdipSetRenderingOrigin, Graphics(), x, y);
}
gp::CompositingMode GraphicsObject::GetCompositingMode() {
  return GDIP_GET(gp::CompositingMode, GdipGetCompositingMode, Graphics());
}
bool GraphicsObject::SetCompositingMode(gp::CompositingMode mode) {
  return GDIP_OK(GdipSetCompositingMode, Graphics(), mode);
}
gp::CompositingQuality GraphicsObject::GetCompositingQuality() {
  return GDIP_GET(gp::CompositingQuality, GdipGetCompositingQuality, Graphics());
}
bool GraphicsObject::SetCompositingQuality(gp::CompositingQuality quality) {
  return GDIP_OK(GdipSetCompositingQuality, Graphics(), quality);
}
bool GraphicsObject::SetTextRenderingHint(gp::TextRenderingHint hint) {
  return GDIP_OK(GdipSetTextRenderingHint, Graphics(), hint);
}
gp::TextRenderingHint GraphicsObject::GetTextRenderingHint() {
  return GDIP_GET(gp::TextRenderingHint, GdipGetTextRenderingHint, Graphics());
}
bool GraphicsObject::SetTextContrast(unsigned contrast) {
  return GDIP_OK(GdipSetTextContrast, Graphics(), contrast);
}
unsigned GraphicsObject::GetTextContrast() {
  return GDIP_GET(UINT, GdipGetTextContrast, Graphics());
}
bool GraphicsObject::SetInterpolationMode(gp::InterpolationMode mode) {
  return GDIP_OK(GdipSetInterpolationMode, Graphics(), mode);
}
gp::InterpolationMode GraphicsObject::GetInterpolationMode() {
  return GDIP_GET(gp::InterpolationMode, GdipGetInterpolationMode, Graphics());
}
bool GraphicsObject::SetSmoothingMode(gp::SmoothingMode mode) {
  return GDIP_OK(GdipSetSmoothingMode, Graphics(), mode);
}
gp::SmoothingMode GraphicsObject::GetSmoothingMode() {
  return GDIP_GET(gp::SmoothingMode, GdipGetSmoothingMode, Graphics());
}
bool GraphicsObject::SetPixelOffsetMode(gp::PixelOffsetMode mode) {
  return GDIP_OK(GdipSetPixelOffsetMode, Graphics(), mode);
}
gp::PixelOffsetMode GraphicsObject::GetPixelOffsetMode() {
  return GDIP_GET(gp::PixelOffsetMode, GdipGetPixelOffsetMode, Graphics());
}

bool GraphicsObject::SetWorldTransform(gp::GpMatrix* matrix) {
  return GDIP_OK(GdipSetWorldTransform, Graphics(), matrix);
}
bool GraphicsObject::GetWorldTransform(gp::GpMatrix* matrix) {
  return GDIP_OK(GdipGetWorldTransform, Graphics(), matrix);
}
bool GraphicsObject::ResetWorldTransform() {
  return GDIP_OK(GdipResetWorldTransform, Graphics());
}
bool GraphicsObject::MultiplyWorldTransform(const gp::GpMatrix* matrix, gp::MatrixOrder order) {
  return GDIP_OK(GdipMultiplyWorldTransform, Graphics(), matrix, order);
}
bool GraphicsObject::TranslateWorldTransform(float dx, float dy, gp::MatrixOrder order) {
  return GDIP_OK(GdipTranslateWorldTransform, Graphics(), dx, dy, order);
}
bool GraphicsObject::ScaleWorldTransform(float sx, float sy, gp::MatrixOrder order) {
  return GDIP_OK(GdipScaleWorldTransform, Graphics(), sx, sy, order);
}
bool GraphicsObject::ScaleWorldTransformAt(float sx, float sy, float px, float py,
                                           gp::MatrixOrder order) {
  return AboutPoint(
      px, py, order, [&](float dx, float dy) { return TranslateWorldTransform(dx, dy, order); },
      [&] { return ScaleWorldTransform(sx, sy, order); });
}
bool GraphicsObject::RotateWorldTransform(float angle, gp::MatrixOrder order) {
  return GDIP_OK(GdipRotateWorldTransform, Graphics(), angle, order);
}
bool GraphicsObject::RotateWorldTransformAt(float angle, float px, float py,
                                            gp::MatrixOrder order) {
  return AboutPoint(
      px, py, order, [&](float dx, float dy) { return TranslateWorldTransform(dx, dy, order); },
      [&] { return RotateWorldTransform(angle, order); });
}
bool GraphicsObject::SetPageUnit(gp::Unit unit) {
  return GDIP_OK(GdipSetPageUnit, Graphics(), unit);
}
gp::Unit GraphicsObject::GetPageUnit() { return GDIP_GET(gp::Unit, GdipGetPageUnit, Graphics()); }
bool GraphicsObject::SetPageScale(float scale) {
  return GDIP_OK(GdipSetPageScale, Graphics(), scale);
}
float GraphicsObject::GetPageScale() { return GDIP_GET(float, GdipGetPageScale, Graphics()); }
float GraphicsObject::GetDpiX() { return GDIP_GET(float, GdipGetDpiX, Graphics()); }
float GraphicsObject::GetDpiY() { return GDIP_GET(float, GdipGetDpiY, Graphics()); }
bool GraphicsObject::TransformPoints(gp::CoordinateSpace to, gp::CoordinateSpace from,
                                     gp::PointF* points, int count) {
  return GDIP_OK(GdipTransformPoints, Graphics(), to, from, points, count);
}
bool GraphicsObject::TransformPointsI(gp::CoordinateSpace to, gp::CoordinateSpace from,
                                      gp::Point* points, int count) {
  return GDIP_OK(GdipTransformPointsI, Graphics(), to, from, points, count);
}
bool GraphicsObject::GetNearestColor(gp::ARGB& colour) {
  return GDIP_OK(GdipGetNearestColor, Graphics(), &colour);
}

bool GraphicsObject::DrawLine(const PenObject& pen, float x1, float y1, float x2, float y2) {
  return GDIP_OK(GdipDrawLine, Graphics(), pen.Pen(), x1, y1, x2, y2);
}
bool GraphicsObject::DrawLineI(const PenObject& pen, int x1, int y1, int x2, int y2) {
  return GDIP_OK(GdipDrawLineI, Graphics(), pen.Pen(), x1, y1, x2, y2);
}
bool GraphicsObject::DrawLines(const PenObject& pen, const gp::PointF* points, int count) {
  return GDIP_OK(GdipDrawLines, Graphics(), pen.Pen(), points, count);
}
bool GraphicsObject::DrawLinesI(const PenObject& pen, const gp::Point* points, int count) {
  return GDIP_OK(GdipDrawLinesI, Graphics(), pen.Pen(), points, count);
}
bool GraphicsObject::DrawArc(const PenObject& pen, float x, float y, float width, float height,
                             float startAngle, float sweepAngle) {
  return GDIP_OK(GdipDrawArc, Graphics(), pen.Pen(), x, y, width, height, startAngle,
                 sweepAngle);
}
bool GraphicsObject::DrawArcI(const PenObject& pen, int x, int y, int width, int height,
                              float startAngle, float sweepAngle) {
  return GDIP_OK(GdipDrawArcI, Graphics(), pen.Pen(), x, y, width, height, startAngle,
                 sweepAngle);
}
bool GraphicsObject::DrawBezier(const PenObject& pen, float x1, float y1, float x2, float y2,
                                float x3, float y3, float x4, float y4) {
  return GDIP_OK(GdipDrawBezier, Graphics(), pen.Pen(), x1, y1, x2, y2, x3, y3, x4, y4);
}
bool GraphicsObject::DrawBezierI(const PenObject& pen, int x1, int y1, int x2, int y2, int x3,
                                 int y3, int x4, int y4) {
  return GDIP_OK(GdipDrawBezierI, Graphics(), pen.Pen(), x1, y1, x2, y2, x3, y3, x4, y4);
}
bool GraphicsObject::DrawBeziers(const PenObject& pen, const gp::PointF* points, int count) {
  return GDIP_OK(GdipDrawBeziers, Graphics(), pen.Pen(), points, count);
}
bool GraphicsObject::DrawBeziersI(const PenObject& pen, const gp::Point* points, int count) {
  return GDIP_OK(GdipDrawBeziersI, Graphics(), pen.Pen(), points, count);
}
bool GraphicsObject::DrawRectangle(const PenObject& pen, float x, float y, float width,
                                   float height) {
  return GDIP_OK(GdipDrawRectangle, Graphics(), pen.Pen(), x, y, width, height);
}
bool GraphicsObject::DrawRectangleI(const PenObject& pen, int x, int y, int width, int height) {
  return GDIP_OK(GdipDrawRectangleI, Graphics(), pen.Pen(), x, y, width, height);
}
bool GraphicsObject::DrawRectangles(const PenObject& pen, const gp::RectF* rects, int count) {
  return GDIP_OK(GdipDrawRectangles, Graphics(), pen.Pen(), rects, count);
}
bool GraphicsObject::DrawRectanglesI(const PenObject& pen, const gp::Rect* rects, int count) {
  return GDIP_OK(GdipDrawRectanglesI, Graphics(), pen.Pen(), rects, count);
}
bool GraphicsObject::DrawEllipse(const PenObject& pen, float x, float y, float width,
                                 float height) {
  return GDIP_OK(GdipDrawEllipse, Graphics(), pen.Pen(), x, y, width, height);
}
bool GraphicsObject::DrawEllipseI(const PenObject& pen, int x, int y, int width, int height) {
  return GDIP_OK(GdipDrawEllipseI, Graphics(), pen.Pen(), x, y, width, height);
}
bool GraphicsObject::DrawPie(const PenObject& pen, float x, float y, float width, float height,
                             float startAngle, float sweepAngle) {
  return GDIP_OK(GdipDrawPie, Graphics(), pen.Pen(), x, y, width, height, startAngle,
                 sweepAngle);
}
bool GraphicsObject::DrawPieI(const PenObject& pen, int x, int y, int width, int height,
                              float startAngle, float sweepAngle) {
  return GDIP_OK(GdipDrawPieI, Graphics(), pen.Pen(), x, y, width, height, startAngle,
                 sweepAngle);
}
bool GraphicsObject::DrawPolygon(const PenObject& pen, const gp::PointF* points, int count) {
  return GDIP_OK(GdipDrawPolygon, Graphics(), pen.Pen(), points, count);
}
bool GraphicsObject::DrawPolygonI(const PenObject& pen, const gp::Point* points, int count) {
  return GDIP_OK(GdipDrawPolygonI, Graphics(), pen.Pen(), points, count);
}
bool GraphicsObject::DrawPath(const PenObject& pen, const PathObject& path) {
  return GDIP_OK(GdipDrawPath, Graphics(), pen.Pen(), path.Path());
}
bool GraphicsObject::DrawCurve(const PenObject& pen, const gp::PointF* points, int count) {
  return GDIP_OK(GdipDrawCurve, Graphics(), pen.Pen(), points, count);
}
bool GraphicsObject::DrawCurveI(const PenObject& pen, const gp::Point* points, int count) {
  return GDIP_OK(GdipDrawCurveI, Graphics(), pen.Pen(), points, count);
}
bool GraphicsObject::DrawCurve2(const PenObject& pen, const gp::PointF* points, int count,
                                float tension) {
  return GDIP_OK(GdipDrawCurve2, Graphics(), pen.Pen(), points, count, tension);
}
bool GraphicsObject::DrawCurve2I(const PenObject& pen, const gp::Point* points, int count,
                                 float tension) {
  return GDIP_OK(GdipDrawCurve2I, Graphics(), pen.Pen(), points, count, tension);
}
bool GraphicsObject::DrawCurve3(const PenObject& pen, const gp::PointF* points, int count,
                                int offset, int segments, float tension) {
  return GDIP_OK(GdipDrawCurve3, Graphics(), pen.Pen(), points, count, offset, segments,
                 tension);
}
bool GraphicsObject::DrawCurve3I(const PenObject& pen, const gp::Point* points, int count,
                                 int offset, int segments, float tension) {
  return GDIP_OK(GdipDrawCurve3I, Graphics(), pen.Pen(), points, count, offset, segments,
                 tension);
}
bool GraphicsObject::DrawClosedCurve(const PenObject& pen, const gp::PointF* points,
                                     int count) {
  return GDIP_OK(GdipDrawClosedCurve, Graphics(), pen.Pen(), points, count);
}
bool GraphicsObject::DrawClosedCurveI(const PenObject& pen, const gp::Point* points,
                                      int count) {
  return GDIP_OK(GdipDrawClosedCurveI, Graphics(), pen.Pen(), points, count);
}
bool GraphicsObject::DrawClosedCurve2(const PenObject& pen, const gp::PointF* points, int count,
                                      float tension) {
  return GDIP_OK(GdipDrawClosedCurve2, Graphics(), pen.Pen(), points, count, tension);
}
bool GraphicsObject::DrawClosedCurve2I(const PenObject& pen, const gp::Point* points, int count,
                                       float tension) {
  return GDIP_OK(GdipDrawClosedCurve2I, Graphics(), pen.Pen(), points, count, tension);
}

bool GraphicsObject::GraphicsClear(gp::ARGB colour) {
  return GDIP_OK(GdipGraphicsClear, Graphics(), colour);
}
bool GraphicsObject::FillRectangle(const BrushObject& brush, float x, float y, float width,
                                   float height) {
  return GDIP_OK(GdipFillRectangle, Graphics(), brush.Brush(), x, y, width, height);
}
bool GraphicsObject::FillRectangle(const BrushObject& brush, const gp::RectF& rect) {
  return GDIP_OK(GdipFillRectangle, Graphics(), brush.Brush(), rect.X, rect.Y, rect.Width,
                 rect.Height);
}
bool GraphicsObject::FillRectangleI(const BrushObject& brush, int x, int y, int width,
                                    int height) {
  return GDIP_OK(GdipFillRectangleI, Graphics(), brush.Brush(), x, y, width, height);
}
bool GraphicsObject::FillRectangles(const BrushObject& brush, const gp::RectF* rects,
                                    int count) {
  return GDIP_OK(GdipFillRectangles, Graphics(), brush.Brush(), rects, count);
}
bool GraphicsObject::FillRectanglesI(const BrushObject& brush, const gp::Rect* rects,
                                     int count) {
  return GDIP_OK(GdipFillRectanglesI, Graphics(), brush.Brush(), rects, count);
}
bool GraphicsObject::FillPolygon(const BrushObject& brush, const gp::PointF* points, int count,
                                 gp::FillMode mode) {
  return GDIP_OK(GdipFillPolygon, Graphics(), brush.Brush(), points, count, mode);
}
bool GraphicsObject::FillPolygonI(const BrushObject& brush, const gp::Point* points, int count,
                                  gp::FillMode mode) {
  return GDIP_OK(GdipFillPolygonI, Graphics(), brush.Brush(), points, count, mode);
}
bool GraphicsObject::FillEllipse(const BrushObject& brush, float x, float y, float width,
                                 float height) {
  return GDIP_OK(GdipFillEllipse, Graphics(), brush.Brush(), x, y, width, height);
}
bool GraphicsObject::FillEllipseI(const BrushObject& brush, int x, int y, int width,
                                  int height) {
  return GDIP_OK(GdipFillEllipseI, Graphics(), brush.Brush(), x, y, width, height);
}
bool GraphicsObject::FillPie(const BrushObject& brush, float x, float y, float width,
                             float height, float startAngle, float sweepAngle) {
  return GDIP_OK(GdipFillPie, Graphics(), brush.Brush(), x, y, width, height, startAngle,
                 sweepAngle);
}
bool GraphicsObject::FillPieI(const BrushObject& brush, int x, int y, int width, int height,
                              float startAngle, float sweepAngle) {
  return GDIP_OK(GdipFillPieI, Graphics(), brush.Brush(), x, y, width, height, startAngle,
                 sweepAngle);
}
bool GraphicsObject::FillPath(const BrushObject& brush, const PathObject& path) {
  return GDIP_OK(GdipFillPath, Graphics(), brush.Brush(), path.Path());
}
bool GraphicsObject::FillClosedCurve(const BrushObject& brush, const gp::PointF* points,
                                     int count) {
  return GDIP_OK(GdipFillClosedCurve, Graphics(), brush.Brush(), points, count);
}
bool GraphicsObject::FillClosedCurve2(const BrushObject& brush, const gp::PointF* points,
                                      int count, float tension, gp::FillMode mode) {
  return GDIP_OK(GdipFillClosedCurve2, Graphics(), brush.Brush(), points, count, tension, mode);
}
bool GraphicsObject::FillClosedCurveI(const BrushObject& brush, const gp::Point* points,
                                      int count) {
  return GDIP_OK(GdipFillClosedCurveI, Graphics(), brush.Brush(), points, count);
}
bool GraphicsObject::FillClosedCurve2I(const BrushObject& brush, const gp::Point* points,
                                       int count, float tension, gp::FillMode mode) {
  return GDIP_OK(GdipFillClosedCurve2I, Graphics(), brush.Brush(), points, count, tension,
                 mode);
}
bool GraphicsObject::FillRegion(const BrushObject& brush, const RegionObject& region) {
  return GDIP_OK(GdipFillRegion, Graphics(), brush.Brush(), region.Region());
}

bool GraphicsObject::DrawString(const std::string& text, const FontObject& font,
                                const gp::RectF& layout, const StringFormatObject* format,
                                const BrushObject& brush) {
  const std::wstring wide = GbkToWide(text);
  return GDIP_OK(GdipDrawString, Graphics(), wide.c_str(), static_cast<int>(wide.size()),
                 font.Font(), &layout, FormatOf(format), brush.Brush());
}
bool GraphicsObject::DrawString(const std::string& text, const FontObject& font, float x,
                                float y, const StringFormatObject* format,
                                const BrushObject& brush) {
  return DrawString(text, font, gp::RectF(x, y, 0.0f, 0.0f), format, brush);
}
bool GraphicsObject::MeasureString(const std::string& text, const FontObject& font,
                                   const gp::RectF& layout, const StringFormatObject* format,
                                   gp::RectF& bounds, int* codepointsFitted, int* linesFilled) {
  const std::wstring wide = GbkToWide(text);
  return GDIP_OK(GdipMeasureString, Graphics(), wide.c_str(), static_cast<int>(wide.size()),
                 font.Font(), &layout, FormatOf(format), &bounds, codepointsFitted,
                 linesFilled);
}
bool GraphicsObject::MeasureString(const std::string& text, const FontObject& font, float x,
                                   float y, const StringFormatObject* format,
                                   gp::RectF& bounds) {
  return MeasureString(text, font, gp::RectF(x, y, 0.0f, 0.0f), format, bounds);
}
bool GraphicsObject::MeasureCharacterRanges(const std::string& text, const FontObject& font,
                                            const gp::RectF& layout,
                                            const StringFormatObject& format, int regionCount,
                                            gp::GpRegion** regions) {
  const std::wstring wide = GbkToWide(text);
  return GDIP_OK(GdipMeasureCharacterRanges, Graphics(), wide.c_str(),
                 static_cast<int>(wide.size()), font.Font(), layout, format.Format(),
                 regionCount, regions);
}
bool GraphicsObject::MeasureCharacterRanges(const std::string& text, const FontObject& font,
                                            const gp::RectF& layout,
                                            const StringFormatObject& format,
                                            std::vector<RegionObject>& regions) {
  regions.clear();
  const int count =
      GDIP_GET(INT, GdipGetStringFormatMeasurableCharacterRangeCount, format.Format());
  if (LastStatus() != gp::Ok) return false;
  std::vector<gp::GpRegion*> handles;
  regions.resize(static_cast<std::size_t>(count));
  for (RegionObject& region : regions) {
    if (!region.CreateRegion()) {
      regions.clear();
      return false;
    }
    handles.push_back(region.Region());
  }
  return MeasureCharacterRanges(text, font, layout, format, count, handles.data());
}
bool GraphicsObject::DrawDriverString(const std::uint16_t* text, int length,
                                      const FontObject& font, const BrushObject& brush,
                                      const gp::PointF* positions, int flags,
                                      const gp::GpMatrix* matrix) {
  return GDIP_OK(GdipDrawDriverString, Graphics(), text, length, font.Font(), brush.Brush(),
                 positions, flags, matrix);
}
bool GraphicsObject::DrawDriverString(const std::string& text, const FontObject& font,
                                      const BrushObject& brush, const gp::PointF* positions,
                                      int flags, const gp::GpMatrix* matrix) {
  const std::wstring wide = GbkToWide(text);
  return DrawDriverString(reinterpret_cast<const std::uint16_t*>(wide.c_str()),
                          static_cast<int>(wide.size()), font, brush, positions, flags, matrix);
}

bool GraphicsObject::DrawImage(const ImageObject& image, float x, float y) {
  return GDIP_OK(GdipDrawImage, Graphics(), image.Image(), x, y);
}
bool GraphicsObject::DrawImageI(const ImageObject& image, int x, int y) {
  return GDIP_OK(GdipDrawImageI, Graphics(), image.Image(), x, y);
}
bool GraphicsObject::DrawImageRect(const ImageObject& image, float x, float y, float width,
                                   float height) {
  return GDIP_OK(GdipDrawImageRect, Graphics(), image.Image(), x, y, width, height);
}
bool GraphicsObject::DrawImageRectI(const ImageObject& image, int x, int y, int width,
                                    int height) {
  return GDIP_OK(GdipDrawImageRectI, Graphics(), image.Image(), x, y, width, height);
}
bool GraphicsObject::DrawCachedBitmap(gp::GpCachedBitmap* cached, int x, int y) {
  return GDIP_OK(GdipDrawCachedBitmap, Graphics(), cached, x, y);
}
bool GraphicsObject::DrawImageRectRect(const ImageObject& image, float dstX, float dstY,
                                       float dstWidth, float dstHeight, float srcX, float srcY,
                                       float srcWidth, float srcHeight, gp::Unit srcUnit,
                                       const gp::GpImageAttributes* attributes,
                                       gp::DrawImageAbort callback, void* callbackData) {
  return GDIP_OK(GdipDrawImageRectRect, Graphics(), image.Image(), dstX, dstY, dstWidth,
                 dstHeight, srcX, srcY, srcWidth, srcHeight, srcUnit, attributes, callback,
                 callbackData);
}
bool GraphicsObject::DrawImageRectRectI(const ImageObject& image, int dstX, int dstY,
                                        int dstWidth, int dstHeight, int srcX, int srcY,
                                        int srcWidth, int srcHeight, gp::Unit srcUnit,
                                        const gp::GpImageAttributes* attributes,
                                        gp::DrawImageAbort callback, void* callbackData) {
  return GDIP_OK(GdipDrawImageRectRectI, Graphics(), image.Image(), dstX, dstY, dstWidth,
                 dstHeight, srcX, srcY, srcWidth, srcHeight, srcUnit, attributes, callback,
                 callbackData);
}
bool GraphicsObject::DrawImagePoints(const ImageObject& image, const gp::PointF* points,
                                     int count) {
  return GDIP_OK(GdipDrawImagePoints, Graphics(), image.Image(), points, count);
}
bool GraphicsObject::DrawImagePointsI(const ImageObject& image, const gp::Point* points,
                                      int count) {
  return GDIP_OK(GdipDrawImagePointsI, Graphics(), image.Image(), points, count);
}
bool GraphicsObject::DrawImagePointRect(const ImageObject& image, float x, float y, float srcX,
                                        float srcY, float srcWidth, float srcHeight,
                                        gp::Unit srcUnit) {
  return GDIP_OK(GdipDrawImagePointRect, Graphics(), image.Image(), x, y, srcX, srcY, srcWidth,
                 srcHeight, srcUnit);
}
bool GraphicsObject::DrawImagePointRectI(const ImageObject& image, int x, int y, int srcX,
                                         int srcY, int srcWidth, int srcHeight,
                                         gp::Unit srcUnit) {
  return GDIP_OK(GdipDrawImagePointRectI, Graphics(), image.Image(), x, y, srcX, srcY,
                 srcWidth, srcHeight, srcUnit);
}
bool GraphicsObject::DrawImageRectRect(const ImageObject& image, const gp::RectF& dst,
                                       const gp::RectF& src, gp::Unit srcUnit,
                                       const gp::GpImageAttributes* attributes,
                                       gp::DrawImageAbort callback, void* callbackData) {
  return DrawImageRectRect(image, dst.X, dst.Y, dst.Width, dst.Height, src.X, src.Y, src.Width,
                           src.Height, srcUnit, attributes, callback, callbackData);
}
bool GraphicsObject::DrawImageRectRectI(const ImageObject& image, const gp::Rect& dst,
                                        const gp::Rect& src, gp::Unit srcUnit,
                                        const gp::GpImageAttributes* attributes,
                                        gp::DrawImageAbort callback, void* callbackData) {
  return DrawImageRectRectI(image, dst.X, dst.Y, dst.Width, dst.Height, src.X, src.Y,
                            src.Width, src.Height, srcUnit, attributes, callback, callbackData);
}
bool GraphicsObject::DrawImagePointsRect(const ImageObject& image, const gp::PointF* points,
                                         int count, float srcX, float srcY, float srcWidth,
                                         float srcHeight, gp::Unit srcUnit,
                                         const gp::GpImageAttributes* attributes,
                                         gp::DrawImageAbort callback, void* callbackData) {
  return GDIP_OK(GdipDrawImagePointsRect, Graphics(), image.Image(), points, count, srcX, srcY,
                 srcWidth, srcHeight, srcUnit, attributes, callback, callbackData);
}
bool GraphicsObject::DrawImagePointsRectI(const ImageObject& image, const gp::Point* points,
                                          int count, int srcX, int srcY, int srcWidth,
                                          int srcHeight, gp::Unit srcUnit,
                                          const gp::GpImageAttributes* attributes,
                                          gp::DrawImageAbort callback, void* callbackData) {
  return GDIP_OK(GdipDrawImagePointsRectI, Graphics(), image.Image(), points, count, srcX,
                 srcY, srcWidth, srcHeight, srcUnit, attributes, callback, callbackData);
}

bool GraphicsObject::EnumerateMetafileDestPoint(const ImageObject& metafile,
                                                const gp::PointF& dest,
                                                gp::EnumerateMetafileProc callback, void* data,
                                                const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileDestPoint, Graphics(), MetafileOf(metafile), dest,
                 callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileDestPointI(const ImageObject& metafile,
                                                 const gp::Point& dest,
                                                 gp::EnumerateMetafileProc callback, void* data,
                                                 const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileDestPointI, Graphics(), MetafileOf(metafile), dest,
                 callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileDestPoints(const ImageObject& metafile,
                                                 const gp::PointF* dest, int count,
                                                 gp::EnumerateMetafileProc callback, void* data,
                                                 const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileDestPoints, Graphics(), MetafileOf(metafile), dest, count,
                 callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileDestPointsI(const ImageObject& metafile,
                                                  const gp::Point* dest, int count,
                                                  gp::EnumerateMetafileProc callback,
                                                  void* data,
                                                  const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileDestPointsI, Graphics(), MetafileOf(metafile), dest,
                 count, callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileDestRect(const ImageObject& metafile,
                                               const gp::RectF& dest,
                                               gp::EnumerateMetafileProc callback, void* data,
                                               const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileDestRect, Graphics(), MetafileOf(metafile), dest,
                 callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileDestRectI(const ImageObject& metafile,
                                                const gp::Rect& dest,
                                                gp::EnumerateMetafileProc callback, void* data,
                                                const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileDestRectI, Graphics(), MetafileOf(metafile), dest,
                 callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileSrcRectDestPoint(
    const ImageObject& metafile, const gp::PointF& dest, const gp::RectF& src, gp::Unit srcUnit,
    gp::EnumerateMetafileProc callback, void* data, const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileSrcRectDestPoint, Graphics(), MetafileOf(metafile), dest,
                 src, srcUnit, callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileSrcRectDestPointI(
    const ImageObject& metafile, const gp::Point& dest, const gp::Rect& src, gp::Unit srcUnit,
    gp::EnumerateMetafileProc callback, void* data, const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileSrcRectDestPointI, Graphics(), MetafileOf(metafile),
                 dest, src, srcUnit, callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileSrcRectDestPoints(
    const ImageObject& metafile, const gp::PointF* dest, int count, const gp::RectF& src,
    gp::Unit srcUnit, gp::EnumerateMetafileProc callback, void* data,
    const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileSrcRectDestPoints, Graphics(), MetafileOf(metafile), dest,
                 count, src, srcUnit, callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileSrcRectDestPointsI(
    const ImageObject& metafile, const gp::Point* dest, int count, const gp::Rect& src,
    gp::Unit srcUnit, gp::EnumerateMetafileProc callback, void* data,
    const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileSrcRectDestPointsI, Graphics(), MetafileOf(metafile),
                 dest, count, src, srcUnit, callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileSrcRectDestRect(
    const ImageObject& metafile, const gp::RectF& dest, const gp::RectF& src, gp::Unit srcUnit,
    gp::EnumerateMetafileProc callback, void* data, const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileSrcRectDestRect, Graphics(), MetafileOf(metafile), dest,
                 src, srcUnit, callback, data, attributes);
}
bool GraphicsObject::EnumerateMetafileSrcRectDestRectI(
    const ImageObject& metafile, const gp::Rect& dest, const gp::Rect& src, gp::Unit srcUnit,
    gp::EnumerateMetafileProc callback, void* data, const gp::GpImageAttributes* attributes) {
  return GDIP_OK(GdipEnumerateMetafileSrcRectDestRectI, Graphics(), MetafileOf(metafile), dest,
                 src, srcUnit, callback, data, attributes);
}

bool GraphicsObject::SetClipGraphics(const GraphicsObject& source, gp::CombineMode mode) {
  return GDIP_OK(GdipSetClipGraphics, Graphics(), source.Graphics(), mode);
}
bool GraphicsObject::SetClipPath(const PathObject& path, gp::CombineMode mode) {
  return GDIP_OK(GdipSetClipPath, Graphics(), path.Path(), mode);
}
bool GraphicsObject::SetClipRect(float x, float y, float width, float height,
                                 gp::CombineMode mode) {
  return GDIP_OK(GdipSetClipRect, Graphics(), x, y, width, height, mode);
}
bool GraphicsObject::SetClipRectI(int x, int y, int width, int height, gp::CombineMode mode) {
  return GDIP_OK(GdipSetClipRectI, Graphics(), x, y, width, height, mode);
}
bool GraphicsObject::SetClipRegion(const RegionObject& region, gp::CombineMode mode) {
  return GDIP_OK(GdipSetClipRegion, Graphics(), region.Region(), mode);
}
bool GraphicsObject::SetClipHrgn(HRGN region, gp::CombineMode mode) {
  return GDIP_OK(GdipSetClipHrgn, Graphics(), region, mode);
}
bool GraphicsObject::ResetClip() { return GDIP_OK(GdipResetClip, Graphics()); }
bool GraphicsObject::TranslateClip(float dx, float dy) {
  return GDIP_OK(GdipTranslateClip, Graphics(), dx, dy);
}
bool GraphicsObject::TranslateClipI(int dx, int dy) {
  return GDIP_OK(GdipTranslateClipI, Graphics(), dx, dy);
}
bool GraphicsObject::GetClip(RegionObject& region) {
  return GDIP_OK(GdipGetClip, Graphics(), region.Region());
}
gp::RectF GraphicsObject::GetClipBounds() {
  return GDIP_GET(gp::RectF, GdipGetClipBounds, Graphics());
}
gp::Rect GraphicsObject::GetClipBoundsI() {
  return GDIP_GET(gp::Rect, GdipGetClipBoundsI, Graphics());
}
gp::RectF GraphicsObject::GetVisibleClipBounds() {
  return GDIP_GET(gp::RectF, GdipGetVisibleClipBounds, Graphics());
}
gp::Rect GraphicsObject::GetVisibleClipBoundsI() {
  return GDIP_GET(gp::Rect, GdipGetVisibleClipBoundsI, Graphics());
}
bool GraphicsObject::IsClipEmpty() { return GDIP_GET(BOOL, GdipIsClipEmpty, Graphics()); }
bool GraphicsObject::IsVisibleClipEmpty() {
  return GDIP_GET(BOOL, GdipIsVisibleClipEmpty, Graphics());
}
bool GraphicsObject::IsVisiblePoint(float x, float y) {
  return GDIP_GET(BOOL, GdipIsVisiblePoint, Graphics(), x, y);
}
bool GraphicsObject::IsVisiblePointI(int x, int y) {
  return GDIP_GET(BOOL, GdipIsVisiblePointI, Graphics(), x, y);
}
bool GraphicsObject::IsVisibleRect(float x, float y, float width, float height) {
  return GDIP_GET(BOOL, GdipIsVisibleRect, Graphics(), x, y, width, height);
}
bool GraphicsObject::IsVisibleRectI(int x, int y, int width, int height) {
  return GDIP_GET(BOOL, GdipIsVisibleRectI, Graphics(), x, y, width, height);
}

gp::GraphicsState GraphicsObject::SaveGraphics() {
  return GDIP_GET(gp::GraphicsState, GdipSaveGraphics, Graphics());
}
bool GraphicsObject::RestoreGraphics(gp::GraphicsState state) {
  return GDIP_OK(GdipRestoreGraphics, Graphics(), state);
}
gp::GraphicsContainer GraphicsObject::BeginContainer(const gp::RectF& dst, const gp::RectF& src,
                                                     gp::Unit unit) {
  return GDIP_GET(gp::GraphicsContainer, GdipBeginContainer, Graphics(), &dst, &src, unit);
}
gp::GraphicsContainer GraphicsObject::BeginContainerI(const gp::Rect& dst, const gp::Rect& src,
                                                      gp::Unit unit) {
  return GDIP_GET(gp::GraphicsContainer, GdipBeginContainerI, Graphics(), &dst, &src, unit);
}
gp::GraphicsContainer GraphicsObject::BeginContainer2() {
  return GDIP_GET(gp::GraphicsContainer, GdipBeginContainer2, Graphics());
}
bool GraphicsObject::EndContainer(gp::GraphicsContainer container) {
  return GDIP_OK(GdipEndContainer, Graphics(), container);
}
bool GraphicsObject::Comment(unsigned size, const std::uint8_t* data) {
  return GDIP_OK(GdipComment, Graphics(), size, data);
}
