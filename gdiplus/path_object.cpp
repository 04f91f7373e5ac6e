#include "gdiplus/path_object.h"

#include <algorithm>

#include "gdiplus/flat_api.h"
#include "gdiplus/font_objects.h"
#include "runtime/gbk_text.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/pen_object.h"
#include "gdiplus/string_format_object.h"

namespace {
// The layout GdipGetPathData fills (GDI+'s PathData without its owning members).
struct PathDataBuffers {
  INT count;
  gp::PointF* points;
  BYTE* types;
};

gp::GpStringFormat* FormatOf(const StringFormatObject* format) {
  return format != nullptr ? format->Format() : nullptr;
}
}  // namespace

gp::Status PathObject::DeleteNative(void* handle) {
  return GDIP_CALL(GdipDeletePath, static_cast<gp::GpPath*>(handle));
}

bool PathObject::CreatePath(gp::FillMode mode) {
  gp::GpPath* path = nullptr;
  return Adopt(GDIP_CALL(GdipCreatePath, mode, &path), &path);
}
bool PathObject::CreatePath2(const gp::PointF* points, const std::uint8_t* types, int count,
                             gp::FillMode mode) {
  gp::GpPath* path = nullptr;
  return Adopt(GDIP_CALL(GdipCreatePath2, points, types, count, mode, &path), &path);
}
bool PathObject::CreatePath2I(const gp::Point* points, const std::uint8_t* types, int count,
                              gp::FillMode mode) {
  gp::GpPath* path = nullptr;
  return Adopt(GDIP_CALL(GdipCreatePath2I, points, types, count, mode, &path), &path);
}
bool PathObject::ClonePath(const PathObject& source) {
  gp::GpPath* path = nullptr;
  return Adopt(GDIP_CALL(GdipClonePath, source.Path(), &path), &path);
}
bool PathObject::ResetPath() { return GDIP_OK(GdipResetPath, Path()); }
gp::FillMode PathObject::GetPathFillMode() {
  return GDIP_GET(gp::FillMode, GdipGetPathFillMode, Path());
}
bool PathObject::SetPathFillMode(gp::FillMode mode) {
  return GDIP_OK(GdipSetPathFillMode, Path(), mode);
}
bool PathObject::GetPathData(std::vector<gp::PointF>& points, std::vector<std::uint8_t>& types) {
  points.clear();
  types.clear();
  const int count = GetPointCount();
  if (LastStatus() != gp::Ok) return false;
  points.resize(static_cast<std::size_t>(count));
  types.resize(static_cast<std::size_t>(count));
  PathDataBuffers data{count, points.data(), types.data()};
  if (!GDIP_OK(GdipGetPathData, Path(), reinterpret_cast<gp::GpPathData*>(&data))) {
    points.clear();
    types.clear();
    return false;
  }
  return true;
}
std::vector<std::uint8_t> PathObject::GetPathTypes() {
  std::vector<std::uint8_t> types(static_cast<std::size_t>(std::max(GetPointCount(), 0)));
  if (LastStatus() != gp::Ok ||
      !GDIP_OK(GdipGetPathTypes, Path(), types.data(), static_cast<int>(types.size())))
    types.clear();
  return types;
}
std::vector<gp::PointF> PathObject::GetPathPoints() {
  std::vector<gp::PointF> points(static_cast<std::size_t>(std::max(GetPointCount(), 0)));
  if (LastStatus() != gp::Ok ||
      !GDIP_OK(GdipGetPathPoints, Path(), points.data(), static_cast<int>(points.size())))
    points.clear();
  return points;
}
std::vector<gp::Point> PathObject::GetPathPointsI() {
  std::vector<gp::Point> points(static_cast<std::size_t>(std::max(GetPointCount(), 0)));
  if (LastStatus() != gp::Ok ||
      !GDIP_OK(GdipGetPathPointsI, Path(), points.data(), static_cast<int>(points.size())))
    points.clear();
  return points;
}
bool PathObject::StartPathFigure() { return GDIP_OK(GdipStartPathFigure, Path()); }
bool PathObject::ClosePathFigure() { return GDIP_OK(GdipClosePathFigure, Path()); }
bool PathObject::ClosePathFigures() { return GDIP_OK(GdipClosePathFigures, Path()); }
bool PathObject::SetPathMarker() { return GDIP_OK(GdipSetPathMarker, Path()); }
bool PathObject::ClearPathMarkers() { return GDIP_OK(GdipClearPathMarkers, Path()); }
bool PathObject::ReversePath() { return GDIP_OK(GdipReversePath, Path()); }
gp::PointF PathObject::GetPathLastPoint() {
  return GDIP_GET(gp::PointF, GdipGetPathLastPoint, Path());
}

bool PathObject::AddPathLine(float x1, float y1, float x2, float y2) {
  return GDIP_OK(GdipAddPathLine, Path(), x1, y1, x2, y2);
}
bool PathObject::AddPathLineI(int x1, int y1, int x2, int y2) {
  return GDIP_OK(GdipAddPathLineI, Path(), x1, y1, x2, y2);
}
bool PathObject::AddPathLine2(const gp::PointF* points, int count) {
  return GDIP_OK(GdipAddPathLine2, Path(), points, count);
}
bool PathObject::AddPathLine2I(const gp::Point* points, int count) {
  return GDIP_OK(GdipAddPathLine2I, Path(), points, count);
}
bool PathObject::AddPathArc(float x, float y, float width, float height, float startAngle,
                            float sweepAngle) {
  return GDIP_OK(GdipAddPathArc, Path(), x, y, width, height, startAngle, sweepAngle);
}
bool PathObject::AddPathArcI(int x, int y, int width, int height, float startAngle,
                             float sweepAngle) {
  return GDIP_OK(GdipAddPathArcI, Path(), x, y, width, height, startAngle, sweepAngle);
}
bool PathObject::AddPathBezier(float x1, float y1, float x2, float y2, float x3, float y3,
                               float x4, float y4) {
  return GDIP_OK(GdipAddPathBezier, Path(), x1, y1, x2, y2, x3, y3, x4, y4);
}
bool PathObject::AddPathBezierI(int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                                int y4) {
  return GDIP_OK(GdipAddPathBezierI, Path(), x1, y1, x2, y2, x3, y3, x4, y4);
}
bool PathObject::AddPathBeziers(const gp::PointF* points, int count) {
  return GDIP_OK(GdipAddPathBeziers, Path(), points, count);
}
bool PathObject::AddPathBeziersI(const gp::Point* points, int count) {
  return GDIP_OK(GdipAddPathBeziersI, Path(), points, count);
}
bool PathObject::AddPathCurve(const gp::PointF* points, int count) {
  return GDIP_OK(GdipAddPathCurve, Path(), points, count);
}
bool PathObject::AddPathCurve2(const gp::PointF* points, int count, float tension) {
  return GDIP_OK(GdipAddPathCurve2, Path(), points, count, tension);
}
bool PathObject::AddPathCurve3(const gp::PointF* points, int count, int offset, int segments,
                               float tension) {
  return GDIP_OK(GdipAddPathCurve3, Path(), points, count, offset, segments, tension);
}
bool PathObject::AddPathCurveI(const gp::Point* points, int count) {
  return GDIP_OK(GdipAddPathCurveI, Path(), points, count);
}
bool PathObject::AddPathCurve2I(const gp::Point* points, int count, float tension) {
  return GDIP_OK(GdipAddPathCurve2I, Path(), points, count, tension);
}
bool PathObject::AddPathCurve3I(const gp::Point* points, int count, int offset, int segments,
                                float tension) {
  return GDIP_OK(GdipAddPathCurve3I, Path(), points, count, offset, segments, tension);
}
bool PathObject::AddPathClosedCurve(const gp::PointF* points, int count) {
  return GDIP_OK(GdipAddPathClosedCurve, Path(), points, count);
}
bool PathObject::AddPathClosedCurveI(const gp::Point* points, int count) {
  return GDIP_OK(GdipAddPathClosedCurveI, Path(), points, count);
}
bool PathObject::AddPathClosedCurve2(const gp::PointF* points, int count, float tension) {
  return GDIP_OK(GdipAddPathClosedCurve2, Path(), points, count, tension);
}
bool PathObject::AddPathClosedCurve2I(const gp::Point* points, int count, float tension) {
  return GDIP_OK(GdipAddPathClosedCurve2I, Path(), points, count, tension);
}
bool PathObject::AddPathRectangle(float x, float y, float width, float height) {
  return GDIP_OK(GdipAddPathRectangle, Path(), x, y, width, height);
}

bool PathObject::AddRoundedRectangle(float x, float y, float width, float height, int percent) {
  const int p = std::clamp(percent, 1, 100);
  // The corner ellipse's size is cut to whole units, as the painters expect.
  const float cw = static_cast<float>(static_cast<int>(width * p / 100.0f));
  const float ch = static_cast<float>(static_cast<int>(height * p / 100.0f));
  return AddPathArc(x + width - cw, y, cw, ch, 270.0f, 90.0f) &&
         AddPathArc(x + width - cw, y + height - ch, cw, ch, 0.0f, 90.0f) &&
         AddPathArc(x, y + height - ch, cw, ch, 90.0f, 90.0f) &&
         AddPathArc(x, y, cw, ch, 180.0f, 90.0f) && ClosePathFigure();
}

bool PathObject::AddPathRectangles(const gp::RectF* rects, int count) {
  return GDIP_OK(GdipAddPathRectangles, Path(), rects, count);
}
bool PathObject::AddPathRectangleI(int x, int y, int width, int height) {
  return GDIP_OK(GdipAddPathRectangleI, Path(), x, y, width, height);
}
bool PathObject::AddPathRectanglesI(const gp::Rect* rects, int count) {
  return GDIP_OK(GdipAddPathRectanglesI, Path(), rects, count);
}
bool PathObject::AddPathEllipse(float x, float y, float width, float height) {
  return GDIP_OK(GdipAddPathEllipse, Path(), x, y, width, height);
}
bool PathObject::AddPathEllipseI(int x, int y, int width, int height) {
  return GDIP_OK(GdipAddPathEllipseI, Path(), x, y, width, height);
}
bool PathObject::AddPathPie(float x, float y, float width, float height, float startAngle,
                            float sweepAngle) {
  return GDIP_OK(GdipAddPathPie, Path(), x, y, width, height, startAngle, sweepAngle);
}
bool PathObject::AddPathPieI(int x, int y, int width, int height, float startAngle,
                             float sweepAngle) {
  return GDIP_OK(GdipAddPathPieI, Path(), x, y, width, height, startAngle, sweepAngle);
}
bool PathObject::AddPathPolygon(const gp::PointF* points, int count) {
  return GDIP_OK(GdipAddPathPolygon, Path(), points, count);
}
bool PathObject::AddPathPolygonI(const gp::Point* points, int count) {
  return GDIP_OK(GdipAddPathPolygonI, Path(), points, count);
}
bool PathObject::AddPathPath(const PathObject& other, bool connect) {
  return GDIP_OK(GdipAddPathPath, Path(), other.Path(), connect);
}
bool PathObject::AddPathString(const std::string& text, const FontFamilyObject& family,
                               int style, float emSize, const gp::RectF& layout,
                               const StringFormatObject* format) {
  const std::wstring wide = GbkToWide(text);
  return GDIP_OK(GdipAddPathString, Path(), wide.c_str(), static_cast<int>(wide.size()),
                 family.Family(), style, emSize, &layout, FormatOf(format));
}
bool PathObject::AddPathString(const std::string& text, const FontFamilyObject& family,
                               int style, float emSize, float x, float y,
                               const StringFormatObject* format) {
  return AddPathString(text, family, style, emSize, gp::RectF(x, y, 0.0f, 0.0f), format);
}
bool PathObject::AddPathStringI(const std::string& text, const FontFamilyObject& family,
                                int style, float emSize, const gp::Rect& layout,
                                const StringFormatObject* format) {
  const std::wstring wide = GbkToWide(text);
  return GDIP_OK(GdipAddPathStringI, Path(), wide.c_str(), static_cast<int>(wide.size()),
                 family.Family(), style, emSize, &layout, FormatOf(format));
}
bool PathObject::AddPathStringI(const std::string& text, const FontFamilyObject& family,
                                int style, float emSize, int x, int y,
                                const StringFormatObject* format) {
  return AddPathStringI(text, family, style, emSize, gp::Rect(x, y, 0, 0), format);
}

bool PathObject::TransformPath(gp::GpMatrix* matrix) {
  return GDIP_OK(GdipTransformPath, Path(), matrix);
}
gp::RectF PathObject::GetPathWorldBounds(const gp::GpMatrix* matrix, const PenObject* pen) {
  gp::RectF bounds;
  GDIP_OK(GdipGetPathWorldBounds, Path(), &bounds, matrix, NativeOf<gp::GpPen>(pen));
  return bounds;
}
gp::Rect PathObject::GetPathWorldBoundsI(const gp::GpMatrix* matrix, const PenObject* pen) {
  gp::Rect bounds;
  GDIP_OK(GdipGetPathWorldBoundsI, Path(), &bounds, matrix, NativeOf<gp::GpPen>(pen));
  return bounds;
}
bool PathObject::FlattenPath(gp::GpMatrix* matrix, float flatness) {
  return GDIP_OK(GdipFlattenPath, Path(), matrix, flatness);
}
bool PathObject::WidenPath(const PenObject& pen, gp::GpMatrix* matrix, float flatness) {
  return GDIP_OK(GdipWidenPath, Path(), pen.Pen(), matrix, flatness);
}
bool PathObject::WindingModeOutline(gp::GpMatrix* matrix, float flatness) {
  return GDIP_OK(GdipWindingModeOutline, Path(), matrix, flatness);
}
bool PathObject::WarpPath(gp::GpMatrix* matrix, const gp::PointF* points, int count,
                          float srcX, float srcY, float srcWidth, float srcHeight,
                          gp::WarpMode mode, float flatness) {
  return GDIP_OK(GdipWarpPath, Path(), matrix, points, count, srcX, srcY, srcWidth, srcHeight,
                 mode, flatness);
}
int PathObject::GetPointCount() { return GDIP_GET(INT, GdipGetPointCount, Path()); }
bool PathObject::IsVisiblePathPoint(float x, float y, const GraphicsObject* graphics) {
  return GDIP_GET(BOOL, GdipIsVisiblePathPoint, Path(), x, y,
                  NativeOf<gp::GpGraphics>(graphics));
}
bool PathObject::IsVisiblePathPointI(int x, int y, const GraphicsObject* graphics) {
  return GDIP_GET(BOOL, GdipIsVisiblePathPointI, Path(), x, y,
                  NativeOf<gp::GpGraphics>(graphics));
}
bool PathObject::IsOutlineVisiblePathPoint(float x, float y, const PenObject& pen,
                                           const GraphicsObject* graphics) {
  return GDIP_GET(BOOL, GdipIsOutlineVisiblePathPoint, Path(), x, y, pen.Pen(),
                  NativeOf<gp::GpGraphics>(graphics));
}
bool PathObject::IsOutlineVisiblePathPointI(int x, int y, const PenObject& pen,
                                            const GraphicsObject* graphics) {
  return GDIP_GET(BOOL, GdipIsOutlineVisiblePathPointI, Path(), x, y, pen.Pen(),
                  NativeOf<gp::GpGraphics>(graphics));
}
