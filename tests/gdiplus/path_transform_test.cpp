// Rounded rectangles read back from the path, and scaling and rotating about a point for
// every object kind that has a transform.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gdiplus/brush_objects.h"
#include "gdiplus/flat_api.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "test_support.h"

namespace {

struct RoundedCase {
  int percent;
  float x, y, width, height;
  float cornerWidth, cornerHeight;  // the corner ellipse expected
};

TEST(AddRoundedRectangle, ArcsReadBackFromThePath) {
  const RoundedCase cases[] = {
      {50, 10, 20, 200, 100, 100, 50},
      {0, 10, 20, 200, 100, 2, 1},        // clamped up to 1
      {-7, 0, 0, 300, 300, 3, 3},         // clamped up to 1
      {150, 10, 20, 200, 100, 200, 100},  // clamped down to 100: one ellipse
      {100, 0, 0, 60, 40, 60, 40},
      {33, 0, 0, 150, 70, 49, 23},        // 49.5 and 23.1 cut to whole units
  };
  for (const RoundedCase& c : cases) {
    SCOPED_TRACE("percent " + std::to_string(c.percent));
    PathObject path;
    ASSERT_TRUE(path.CreatePath());
    ASSERT_TRUE(path.AddRoundedRectangle(c.x, c.y, c.width, c.height, c.percent));
    const std::vector<gp::PointF> points = path.GetPathPoints();
    const std::vector<std::uint8_t> types = path.GetPathTypes();
    // Four quarter arcs of one Bezier each; GDI+ drops a joining point that repeats the
    // previous arc's end, so 13 to 16 points.
    ASSERT_GE(points.size(), 13u);
    ASSERT_LE(points.size(), 16u);
    ASSERT_EQ(types.size(), points.size());
    EXPECT_EQ(types.back() & gp::PathPointTypeCloseSubpath, gp::PathPointTypeCloseSubpath);

    const float r = c.x + c.width, b = c.y + c.height;
    const float hw = c.cornerWidth / 2, hh = c.cornerHeight / 2;
    // Start and end of each arc, in order: top-right from 270, bottom-right from 0,
    // bottom-left from 90, top-left from 180.
    const gp::PointF expected[8] = {
        {r - hw, c.y}, {r, c.y + hh}, {r, b - hh}, {r - hw, b},
        {c.x + hw, b}, {c.x, b - hh}, {c.x, c.y + hh}, {c.x + hw, c.y},
    };
    std::size_t next = 0;
    for (const gp::PointF& want : expected) {
      while (next < points.size() &&
             !(std::abs(points[next].X - want.X) < 0.01 && std::abs(points[next].Y - want.Y) < 0.01))
        ++next;
      EXPECT_LT(next, points.size()) << "missing (" << want.X << ", " << want.Y << ")";
    }
    const gp::RectF bounds = path.GetPathWorldBounds();
    EXPECT_NEAR(bounds.X, c.x, 0.01);
    EXPECT_NEAR(bounds.Y, c.y, 0.01);
    EXPECT_NEAR(bounds.Width, c.width, 0.01);
    EXPECT_NEAR(bounds.Height, c.height, 0.01);
  }
}

TEST(AddRoundedRectangle, OnAnEmptyWrapperFailsWithoutCrashing) {
  PathObject path;
  EXPECT_FALSE(path.AddRoundedRectangle(0, 0, 10, 10, 20));
  EXPECT_EQ(LastStatus(), gp::InvalidParameter);
}

// A transform under test: an object that already carries a translation by (100, 0), the
// scale or rotation about a point, and a way to read the resulting matrix.
struct Transformable {
  std::function<bool(bool scale, gp::MatrixOrder order)> aboutPoint;
  std::function<bool(gp::GpMatrix*)> read;
  std::shared_ptr<void> keep;
};

constexpr float kPx = 30, kPy = 40;

Transformable GraphicsKind() {
  auto bitmap = std::make_shared<BitmapObject>(MakeBitmap(4, 4));
  auto g = std::shared_ptr<GraphicsObject>(new GraphicsObject, [bitmap](GraphicsObject* p) { delete p; });
  EXPECT_TRUE(g->GetImageGraphicsContext(*bitmap));
  EXPECT_TRUE(g->TranslateWorldTransform(100, 0));
  return {[g](bool scale, gp::MatrixOrder o) {
            return scale ? g->ScaleWorldTransformAt(2, 2, kPx, kPy, o)
                         : g->RotateWorldTransformAt(90, kPx, kPy, o);
          },
          [g](gp::GpMatrix* m) { return g->GetWorldTransform(m); }, g};
}

Transformable PenKind() {
  auto pen = std::make_shared<PenObject>();
  EXPECT_TRUE(pen->CreatePen1(0xFF000000, 1));
  EXPECT_TRUE(pen->TranslatePenTransform(100, 0));
  return {[pen](bool scale, gp::MatrixOrder o) {
            return scale ? pen->ScalePenTransformAt(2, 2, kPx, kPy, o)
                         : pen->RotatePenTransformAt(90, kPx, kPy, o);
          },
          [pen](gp::GpMatrix* m) { return pen->GetPenTransform(m); }, pen};
}

Transformable LineBrushKind() {
  auto brush = std::make_shared<LinearBrushObject>();
  EXPECT_TRUE(brush->CreateLineBrush({0, 0}, {10, 0}, 0xFF000000, 0xFFFFFFFF));
  EXPECT_TRUE(brush->TranslateLineTransform(100, 0));
  return {[brush](bool scale, gp::MatrixOrder o) {
            return scale ? brush->ScaleLineTransformAt(2, 2, kPx, kPy, o)
                         : brush->RotateLineTransformAt(90, kPx, kPy, o);
          },
          [brush](gp::GpMatrix* m) { return brush->GetLineTransform(m); }, brush};
}

Transformable PathBrushKind() {
  auto brush = std::make_shared<PathBrushObject>();
  const gp::PointF triangle[] = {{0, 0}, {10, 0}, {5, 10}};
  EXPECT_TRUE(brush->CreatePathGradient(triangle, 3));
  EXPECT_TRUE(brush->TranslatePathGradientTransform(100, 0));
  return {[brush](bool scale, gp::MatrixOrder o) {
            return scale ? brush->ScalePathGradientTransformAt(2, 2, kPx, kPy, o)
                         : brush->RotatePathGradientTransformAt(90, kPx, kPy, o);
          },
          [brush](gp::GpMatrix* m) { return brush->GetPathGradientTransform(m); }, brush};
}

// Where the matrix takes the pivot and the point 10 to its right.
std::vector<gp::PointF> Apply(gp::GpMatrix* matrix) {
  std::vector<gp::PointF> points = {{kPx, kPy}, {kPx + 10, kPy}};
  EXPECT_EQ(GDIP_CALL(GdipTransformMatrixPoints, matrix, points.data(), 2), gp::Ok);
  return points;
}

TEST(TransformAboutAPoint, KeepsThePivotAndHonoursTheMatrixOrder) {
  struct Kind {
    const char* name;
    Transformable (*make)();
    bool rotates;
  };
  const Kind kinds[] = {{"graphics", GraphicsKind, true},
                        {"pen", PenKind, true},
                        // Wine: GdipRotateLineTransform is a stub that answers NotImplemented.
                        {"linear brush", LineBrushKind, false},
                        {"path brush", PathBrushKind, true}};
  struct Expectation {
    bool scale;
    gp::MatrixOrder order;
    gp::PointF pivot, right;  // offsets from the pivot
  };
  // Prepend: the operation comes before the existing translation, so the pivot only moves
  // by that translation. Append: it comes after, about the pivot, moving the translated
  // points (a quarter turn takes +x to +y on a y-down surface).
  const Expectation expectations[] = {
      {true, gp::MatrixOrderPrepend, {100, 0}, {120, 0}},
      {true, gp::MatrixOrderAppend, {200, 0}, {220, 0}},
      {false, gp::MatrixOrderPrepend, {100, 0}, {100, 10}},
      {false, gp::MatrixOrderAppend, {0, 100}, {0, 110}},
  };
  for (const Kind& kind : kinds) {
    for (const Expectation& e : expectations) {
      SCOPED_TRACE(std::string(kind.name) + (e.scale ? " scale " : " rotate ") +
                   (e.order == gp::MatrixOrderAppend ? "append" : "prepend"));
      Transformable object = kind.make();
      if (!e.scale && !kind.rotates) {
        EXPECT_FALSE(object.aboutPoint(e.scale, e.order));
        EXPECT_EQ(LastStatus(), gp::NotImplemented);
        continue;
      }
      ASSERT_TRUE(object.aboutPoint(e.scale, e.order)) << "status " << LastStatus();
      gp::GpMatrix* matrix = nullptr;
      ASSERT_EQ(GDIP_CALL(GdipCreateMatrix, &matrix), gp::Ok);
      ASSERT_TRUE(object.read(matrix));
      const std::vector<gp::PointF> moved = Apply(matrix);
      GDIP_CALL(GdipDeleteMatrix, matrix);
      EXPECT_NEAR(moved[0].X - kPx, e.pivot.X, 0.01);
      EXPECT_NEAR(moved[0].Y - kPy, e.pivot.Y, 0.01);
      EXPECT_NEAR(moved[1].X - kPx, e.right.X, 0.01);
      EXPECT_NEAR(moved[1].Y - kPy, e.right.Y, 0.01);
    }
  }
}

}  // namespace
