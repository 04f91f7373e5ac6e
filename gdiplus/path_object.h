#pragma once
// A GDI+ path: the outlines (rounded rectangles, arcs, text) the skin engine fills and strokes.
#include <string>
#include <vector>

#include "gdiplus/drawing_object.h"

class FontFamilyObject;
class GraphicsObject;
class PenObject;
class StringFormatObject;

class PathObject : public DrawingObject {
 public:
  PathObject() = default;
  PathObject(PathObject&&) = default;
  PathObject& operator=(PathObject&&) = default;
  ~PathObject() override { ReleaseHeld(); }

  gp::GpPath* Path() const { return static_cast<gp::GpPath*>(GetNative()); }

  bool DeletePath() { return DeleteHeld(); }
  bool CreatePath(gp::FillMode mode = gp::FillModeAlternate);
  bool CreatePath2(const gp::PointF* points, const std::uint8_t* types, int count,
                   gp::FillMode mode = gp::FillModeAlternate);
  bool CreatePath2I(const gp::Point* points, const std::uint8_t* types, int count,
                    gp::FillMode mode = gp::FillModeAlternate);
  // This wrapper gets a copy of the source's path (the source may be this wrapper).
  bool ClonePath(const PathObject& source);
  bool ResetPath();
  gp::FillMode GetPathFillMode();
  bool SetPathFillMode(gp::FillMode mode);
  bool GetPathData(std::vector<gp::PointF>& points, std::vector<std::uint8_t>& types);
  std::vector<std::uint8_t> GetPathTypes();
  std::vector<gp::PointF> GetPathPoints();
  std::vector<gp::Point> GetPathPointsI();
  bool StartPathFigure();
  bool ClosePathFigure();
  bool ClosePathFigures();
  bool SetPathMarker();
  bool ClearPathMarkers();
  bool ReversePath();
  gp::PointF GetPathLastPoint();

  bool AddPathLine(float x1, float y1, float x2, float y2);
  bool AddPathLineI(int x1, int y1, int x2, int y2);
  bool AddPathLine2(const gp::PointF* points, int count);
  bool AddPathLine2I(const gp::Point* points, int count);
  bool AddPathArc(float x, float y, float width, float height, float startAngle,
                  float sweepAngle);
  bool AddPathArcI(int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool AddPathBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                     float y4);
  bool AddPathBezierI(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  bool AddPathBeziers(const gp::PointF* points, int count);
  bool AddPathBeziersI(const gp::Point* points, int count);
  bool AddPathCurve(const gp::PointF* points, int count);
  bool AddPathCurve2(const gp::PointF* points, int count, float tension);
  bool AddPathCurve3(const gp::PointF* points, int count, int offset, int segments,
                     float tension);
  bool AddPathCurveI(const gp::Point* points, int count);
  bool AddPathCurve2I(const gp::Point* points, int count, float tension);
  bool AddPathCurve3I(const gp::Point* points, int count, int offset, int segments,
                      float tension);
  bool AddPathClosedCurve(const gp::PointF* points, int count);
  bool AddPathClosedCurveI(const gp::Point* points, int count);
  bool AddPathClosedCurve2(const gp::PointF* points, int count, float tension);
  bool AddPathClosedCurve2I(const gp::Point* points, int count, float tension);
  bool AddPathRectangle(float x, float y, float width, float height);
  // A closed rectangle whose corners are quarter ellipses of `percent` (clamped to 1..100)
  // of the width and of the height; at 100 the four arcs make one ellipse.
  bool AddRoundedRectangle(float x, float y, float width, float height, int percent);
  bool AddPathRectangles(const gp::RectF* rects, int count);
  bool AddPathRectangleI(int x, int y, int width, int height);
  bool AddPathRectanglesI(const gp::Rect* rects, int count);
  bool AddPathEllipse(float x, float y, float width, float height);
  bool AddPathEllipseI(int x, int y, int width, int height);
  bool AddPathPie(float x, float y, float width, float height, float startAngle,
                  float sweepAngle);
  bool AddPathPieI(int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool AddPathPolygon(const gp::PointF* points, int count);
  bool AddPathPolygonI(const gp::Point* points, int count);
  bool AddPathPath(const PathObject& other, bool connect);
  // GBK text in a layout rectangle, or from an origin. The format may be null.
  bool AddPathString(const std::string& text, const FontFamilyObject& family, int style,
                     float emSize, const gp::RectF& layout, const StringFormatObject* format);
  bool AddPathString(const std::string& text, const FontFamilyObject& family, int style,
                     float emSize, float x, float y, const StringFormatObject* format);
  bool AddPathStringI(const std::string& text, const FontFamilyObject& family, int style,
                      float emSize, const gp::Rect& layout, const StringFormatObject* format);
  bool AddPathStringI(const std::string& text, const FontFamilyObject& family, int style,
                      float emSize, int x, int y, const StringFormatObject* format);

  bool TransformPath(gp::GpMatrix* matrix);
  gp::RectF GetPathWorldBounds(const gp::GpMatrix* matrix = nullptr,
                               const PenObject* pen = nullptr);
  gp::Rect GetPathWorldBoundsI(const gp::GpMatrix* matrix = nullptr,
                               const PenObject* pen = nullptr);
  bool FlattenPath(gp::GpMatrix* matrix = nullptr, float flatness = 0.25f);
  bool WidenPath(const PenObject& pen, gp::GpMatrix* matrix = nullptr, float flatness = 0.25f);
  bool WindingModeOutline(gp::GpMatrix* matrix = nullptr, float flatness = 0.25f);
  bool WarpPath(gp::GpMatrix* matrix, const gp::PointF* points, int count, float srcX,
                float srcY, float srcWidth, float srcHeight,
                gp::WarpMode mode = gp::WarpModePerspective, float flatness = 0.25f);
  int GetPointCount();
  bool IsVisiblePathPoint(float x, float y, const GraphicsObject* graphics = nullptr);
  bool IsVisiblePathPointI(int x, int y, const GraphicsObject* graphics = nullptr);
  bool IsOutlineVisiblePathPoint(float x, float y, const PenObject& pen,
                                 const GraphicsObject* graphics = nullptr);
  bool IsOutlineVisiblePathPointI(int x, int y, const PenObject& pen,
                                  const GraphicsObject* graphics = nullptr);

 protected:
  gp::Status DeleteNative(void* handle) override;
};
