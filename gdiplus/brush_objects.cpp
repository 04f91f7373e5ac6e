#include "gdiplus/brush_objects.h"

#include "gdiplus/about_point.h"
#include "gdiplus/flat_api.h"
#include "gdiplus/path_object.h"

namespace {
// Sizes the two arrays to a count GDI+ gave (the latest status says whether it did).
template <typename A, typename B>
bool SizeArrays(int count, std::vector<A>& first, std::vector<B>& second) {
  first.clear();
  second.clear();
  if (LastStatus() != gp::Ok || count < 0) return false;
  first.resize(static_cast<std::size_t>(count));
  second.resize(static_cast<std::size_t>(count));
  return true;
}
}  // namespace

gp::Status BrushObject::DeleteNative(void* handle) {
  return GDIP_CALL(GdipDeleteBrush, static_cast<gp::GpBrush*>(handle));
}
bool BrushObject::CloneBrush(const BrushObject& source) {
  gp::GpBrush* brush = nullptr;
  return Adopt(GDIP_CALL(GdipCloneBrush, source.Brush(), &brush), &brush);
}
gp::BrushType BrushObject::GetBrushType() {
  return GDIP_GET(gp::BrushType, GdipGetBrushType, Brush());
}

bool SolidBrushObject::CreateSolidFill(gp::ARGB colour) {
  gp::GpSolidFill* brush = nullptr;
  return Adopt(GDIP_CALL(GdipCreateSolidFill, colour, &brush), &brush);
}
bool SolidBrushObject::SetSolidFillColor(gp::ARGB colour) {
  return GDIP_OK(GdipSetSolidFillColor, SolidFill(), colour);
}
gp::ARGB SolidBrushObject::GetSolidFillColor() {
  return GDIP_GET(gp::ARGB, GdipGetSolidFillColor, SolidFill());
}

bool LinearBrushObject::CreateLineBrush(const gp::PointF& from, const gp::PointF& to,
                                        gp::ARGB fromColour, gp::ARGB toColour,
                                        gp::WrapMode wrap) {
  gp::GpLineGradient* brush = nullptr;
  return Adopt(GDIP_CALL(GdipCreateLineBrush, &from, &to, fromColour, toColour, wrap, &brush),
               &brush);
}
bool LinearBrushObject::CreateLineBrushI(const gp::Point& from, const gp::Point& to,
                                         gp::ARGB fromColour, gp::ARGB toColour,
                                         gp::WrapMode wrap) {
  gp::GpLineGradient* brush = nullptr;
  return Adopt(GDIP_CALL(GdipCreateLineBrushI, &from, &to, fromColour, toColour, wrap, &brush),
               &brush);
}
bool LinearBrushObject::CreateLineBrushFromRect(const gp::RectF& rect, gp::ARGB fromColour,
                                                gp::ARGB toColour, gp::LinearGradientMode mode,
                                                gp::WrapMode wrap) {
  gp::GpLineGradient* brush = nullptr;
  return Adopt(
      GDIP_CALL(GdipCreateLineBrushFromRect, &rect, fromColour, toColour, mode, wrap, &brush),
      &brush);
}
bool LinearBrushObject::CreateLineBrushFromRectI(const gp::Rect& rect, gp::ARGB fromColour,
                                                 gp::ARGB toColour, gp::LinearGradientMode mode,
                                                 gp::WrapMode wrap) {
  gp::GpLineGradient* brush = nullptr;
  return Adopt(
      GDIP_CALL(GdipCreateLineBrushFromRectI, &rect, fromColour, toColour, mode, wrap, &brush),
      &brush);
}
bool LinearBrushObject::CreateLineBrushFromRectWithAngle(const gp::RectF& rect,
                                                         gp::ARGB fromColour, gp::ARGB toColour,
                                                         float angle, bool angleIsScalable,
                                                         gp::WrapMode wrap) {
  gp::GpLineGradient* brush = nullptr;
  return Adopt(GDIP_CALL(GdipCreateLineBrushFromRectWithAngle, &rect, fromColour, toColour,
                         angle, angleIsScalable, wrap, &brush),
               &brush);
}
bool LinearBrushObject::CreateLineBrushFromRectWithAngleI(const gp::Rect& rect,
                                                          gp::ARGB fromColour,
                                                          gp::ARGB toColour, float angle,
                                                          bool angleIsScalable,
                                                          gp::WrapMode wrap) {
  gp::GpLineGradient* brush = nullptr;
  return Adopt(GDIP_CALL(GdipCreateLineBrushFromRectWithAngleI, &rect, fromColour, toColour,
                         angle, angleIsScalable, wrap, &brush),
               &brush);
}
bool LinearBrushObject::GetLineColors(gp::ARGB& fromColour, gp::ARGB& toColour) {
  gp::ARGB colours[2] = {0, 0};
  const bool ok = GDIP_OK(GdipGetLineColors, LineGradient(), colours);
  fromColour = colours[0];
  toColour = colours[1];
  return ok;
}
bool LinearBrushObject::SetLineColors(gp::ARGB fromColour, gp::ARGB toColour) {
  return GDIP_OK(GdipSetLineColors, LineGradient(), fromColour, toColour);
}
gp::RectF LinearBrushObject::GetLineRect() {
  return GDIP_GET(gp::RectF, GdipGetLineRect, LineGradient());
}
gp::Rect LinearBrushObject::GetLineRectI() {
  return GDIP_GET(gp::Rect, GdipGetLineRectI, LineGradient());
}
bool LinearBrushObject::SetLineGammaCorrection(bool useGamma) {
  return GDIP_OK(GdipSetLineGammaCorrection, LineGradient(), useGamma);
}
bool LinearBrushObject::GetLineGammaCorrection() {
  return GDIP_GET(BOOL, GdipGetLineGammaCorrection, LineGradient());
}
bool LinearBrushObject::SetLineBlend(const float* factors, const float* positions, int count) {
  return GDIP_OK(GdipSetLineBlend, LineGradient(), factors, positions, count);
}
int LinearBrushObject::GetLineBlendCount() {
  return GDIP_GET(INT, GdipGetLineBlendCount, LineGradient());
}
bool LinearBrushObject::GetLineBlend(std::vector<float>& factors, std::vector<float>& positions) {
  const int count = GetLineBlendCount();
  return SizeArrays(count, factors, positions) &&
         GDIP_OK(GdipGetLineBlend, LineGradient(), factors.data(), positions.data(), count);
}
bool LinearBrushObject::SetLinePresetBlend(const gp::ARGB* colours, const float* positions,
                                           int count) {
  return GDIP_OK(GdipSetLinePresetBlend, LineGradient(), colours, positions, count);
}
int LinearBrushObject::GetLinePresetBlendCount() {
  return GDIP_GET(INT, GdipGetLinePresetBlendCount, LineGradient());
}
bool LinearBrushObject::GetLinePresetBlend(std::vector<gp::ARGB>& colours,
                                           std::vector<float>& positions) {
  const int count = GetLinePresetBlendCount();
  return SizeArrays(count, colours, positions) &&
         GDIP_OK(GdipGetLinePresetBlend, LineGradient(), colours.data(), positions.data(),
                 count);
}
bool LinearBrushObject::SetLineSigmaBlend(float focus, float scale) {
  return GDIP_OK(GdipSetLineSigmaBlend, LineGradient(), focus, scale);
}
bool LinearBrushObject::SetLineLinearBlend(float focus, float scale) {
  return GDIP_OK(GdipSetLineLinearBlend, LineGradient(), focus, scale);
}
gp::WrapMode LinearBrushObject::GetLineWrapMode() {
  return GDIP_GET(gp::WrapMode, GdipGetLineWrapMode, LineGradient());
}
bool LinearBrushObject::SetLineWrapMode(gp::WrapMode wrap) {
  return GDIP_OK(GdipSetLineWrapMode, LineGradient(), wrap);
}
bool LinearBrushObject::GetLineTransform(gp::GpMatrix* matrix) {
  return GDIP_OK(GdipGetLineTransform, LineGradient(), matrix);
}
bool LinearBrushObject::SetLineTransform(const gp::GpMatrix* matrix) {
  return GDIP_OK(GdipSetLineTransform, LineGradient(), matrix);
}
bool LinearBrushObject::ResetLineTransform() {
  return GDIP_OK(GdipResetLineTransform, LineGradient());
}
bool LinearBrushObject::MultiplyLineTransform(const gp::GpMatrix* matrix,
                                              gp::MatrixOrder order) {
  return GDIP_OK(GdipMultiplyLineTransform, LineGradient(), matrix, order);
}
bool LinearBrushObject::TranslateLineTransform(float dx, float dy, gp::MatrixOrder order) {
  return GDIP_OK(GdipTranslateLineTransform, LineGradient(), dx, dy, order);
}
bool LinearBrushObject::ScaleLineTransform(float sx, float sy, gp::MatrixOrder order) {
  return GDIP_OK(GdipScaleLineTransform, LineGradient(), sx, sy, order);
}
bool LinearBrushObject::ScaleLineTransformAt(float sx, float sy, float px, float py,
                                             gp::MatrixOrder order) {
  return AboutPoint(
      px, py, order, [&](float dx, float dy) { return TranslateLineTransform(dx, dy, order); },
      [&] { return ScaleLineTransform(sx, sy, order); });
}
bool LinearBrushObject::RotateLineTransform(float angle, gp::MatrixOrder order) {
  return GDIP_OK(GdipRotateLineTransform, LineGradient(), angle, order);
}
bool LinearBrushObject::RotateLineTransformAt(float angle, float px, float py,
                                              gp::MatrixOrder order) {
  return AboutPoint(
      px, py, order, [&](float dx, float dy) { return TranslateLineTransform(dx, dy, order); },
      [&] { return RotateLineTransform(angle, order); });
}

bool PathBrushObject::CreatePathGradient(const gp::PointF* points, int count,
                                         gp::WrapMode wrap) {
  gp::GpPathGradient* brush = nullptr;
  return Adopt(GDIP_CALL(GdipCreatePathGradient, points, count, wrap, &brush), &brush);
}
bool PathBrushObject::CreatePathGradientI(const gp::Point* points, int count,
                                          gp::WrapMode wrap) {
  gp::GpPathGradient* brush = nullptr;
  return Adopt(GDIP_CALL(GdipCreatePathGradientI, points, count, wrap, &brush), &brush);
}
bool PathBrushObject::CreatePathGradientFromPath(const PathObject& path) {
  gp::GpPathGradient* brush = nullptr;
  return Adopt(GDIP_CALL(GdipCreatePathGradientFromPath, path.Path(), &brush), &brush);
}
gp::ARGB PathBrushObject::GetPathGradientCenterColor() {
  return GDIP_GET(gp::ARGB, GdipGetPathGradientCenterColor, PathGradient());
}
bool PathBrushObject::SetPathGradientCenterColor(gp::ARGB colour) {
  return GDIP_OK(GdipSetPathGradientCenterColor, PathGradient(), colour);
}
int PathBrushObject::GetPathGradientPointCount() {
  return GDIP_GET(INT, GdipGetPathGradientPointCount, PathGradient());
}
int PathBrushObject::GetPathGradientSurroundColorCount() {
  return GDIP_GET(INT, GdipGetPathGradientSurroundColorCount, PathGradient());
}
std::vector<gp::ARGB> PathBrushObject::GetPathGradientSurroundColorsWithCount() {
  // GDI+ wants room for one colour per point of the path.
  const int count = GetPathGradientPointCount();
  std::vector<gp::ARGB> colours;
  if (LastStatus() != gp::Ok || count <= 0) return colours;
  colours.resize(static_cast<std::size_t>(count));
  int filled = count;
  if (!GDIP_OK(GdipGetPathGradientSurroundColorsWithCount, PathGradient(), colours.data(),
               &filled))
    colours.clear();
  return colours;
}
bool PathBrushObject::SetPathGradientSurroundColorsWithCount(const gp::ARGB* colours, int count,
                                                             int* taken) {
  int n = count;
  const bool ok =
      GDIP_OK(GdipSetPathGradientSurroundColorsWithCount, PathGradient(), colours, &n);
  if (taken != nullptr) *taken = n;
  return ok;
}
bool PathBrushObject::GetPathGradientPath(PathObject& path) {
  return GDIP_OK(GdipGetPathGradientPath, PathGradient(), path.Path());
}
bool PathBrushObject::SetPathGradientPath(const PathObject& path) {
  return GDIP_OK(GdipSetPathGradientPath, PathGradient(), path.Path());
}
gp::PointF PathBrushObject::GetPathGradientCenterPoint() {
  return GDIP_GET(gp::PointF, GdipGetPathGradientCenterPoint, PathGradient());
}
gp::Point PathBrushObject::GetPathGradientCenterPointI() {
  return GDIP_GET(gp::Point, GdipGetPathGradientCenterPointI, PathGradient());
}
bool PathBrushObject::SetPathGradientCenterPoint(const gp::PointF& centre) {
  return GDIP_OK(GdipSetPathGradientCenterPoint, PathGradient(), &centre);
}
bool PathBrushObject::SetPathGradientCenterPoint(const gp::Point& centre) {
  return GDIP_OK(GdipSetPathGradientCenterPointI, PathGradient(), &centre);
}
gp::RectF PathBrushObject::GetPathGradientRect() {
  return GDIP_GET(gp::RectF, GdipGetPathGradientRect, PathGradient());
}
gp::Rect PathBrushObject::GetPathGradientRectI() {
  return GDIP_GET(gp::Rect, GdipGetPathGradientRectI, PathGradient());
}
bool PathBrushObject::SetPathGradientGammaCorrection(bool useGamma) {
  return GDIP_OK(GdipSetPathGradientGammaCorrection, PathGradient(), useGamma);
}
bool PathBrushObject::GetPathGradientGammaCorrection() {
  return GDIP_GET(BOOL, GdipGetPathGradientGammaCorrection, PathGradient());
}
int PathBrushObject::GetPathGradientBlendCount() {
  return GDIP_GET(INT, GdipGetPathGradientBlendCount, PathGradient());
}
bool PathBrushObject::SetPathGradientBlend(const float* factors, const float* positions,
                                           int count) {
  return GDIP_OK(GdipSetPathGradientBlend, PathGradient(), factors, positions, count);
}
bool PathBrushObject::GetPathGradientBlend(std::vector<float>& factors,
                                           std::vector<float>& positions) {
  const int count = GetPathGradientBlendCount();
  return SizeArrays(count, factors, positions) &&
         GDIP_OK(GdipGetPathGradientBlend, PathGradient(), factors.data(), positions.data(),
                 count);
}
int PathBrushObject::GetPathGradientPresetBlendCount() {
  return GDIP_GET(INT, GdipGetPathGradientPresetBlendCount, PathGradient());
}
bool PathBrushObject::SetPathGradientPresetBlend(const gp::ARGB* colours,
                                                 const float* positions, int count) {
  return GDIP_OK(GdipSetPathGradientPresetBlend, PathGradient(), colours, positions, count);
}
bool PathBrushObject::GetPathGradientPresetBlend(std::vector<gp::ARGB>& colours,
                                                 std::vector<float>& positions) {
  const int count = GetPathGradientPresetBlendCount();
  return SizeArrays(count, colours, positions) &&
         GDIP_OK(GdipGetPathGradientPresetBlend, PathGradient(), colours.data(),
                 positions.data(), count);
}
bool PathBrushObject::SetPathGradientSigmaBlend(float focus, float scale) {
  return GDIP_OK(GdipSetPathGradientSigmaBlend, PathGradient(), focus, scale);
}
bool PathBrushObject::SetPathGradientLinearBlend(float focus, float scale) {
  return GDIP_OK(GdipSetPathGradientLinearBlend, PathGradient(), focus, scale);
}
bool PathBrushObject::GetPathGradientFocusScales(float& x, float& y) {
  return GDIP_OK(GdipGetPathGradientFocusScales, PathGradient(), &x, &y);
}
bool PathBrushObject::SetPathGradientFocusScales(float x, float y) {
  return GDIP_OK(GdipSetPathGradientFocusScales, PathGradient(), x, y);
}
gp::WrapMode PathBrushObject::GetPathGradientWrapMode() {
  return GDIP_GET(gp::WrapMode, GdipGetPathGradientWrapMode, PathGradient());
}
bool PathBrushObject::SetPathGradientWrapMode(gp::WrapMode wrap) {
  return GDIP_OK(GdipSetPathGradientWrapMode, PathGradient(), wrap);
}
bool PathBrushObject::GetPathGradientTransform(gp::GpMatrix* matrix) {
  return GDIP_OK(GdipGetPathGradientTransform, PathGradient(), matrix);
}
bool PathBrushObject::SetPathGradientTransform(gp::GpMatrix* matrix) {
  return GDIP_OK(GdipSetPathGradientTransform, PathGradient(), matrix);
}
bool PathBrushObject::ResetPathGradientTransform() {
  return GDIP_OK(GdipResetPathGradientTransform, PathGradient());
}
bool PathBrushObject::MultiplyPathGradientTransform(const gp::GpMatrix* matrix,
                                                    gp::MatrixOrder order) {
  return GDIP_OK(GdipMultiplyPathGradientTransform, PathGradient(), matrix, order);
}
bool PathBrushObject::TranslatePathGradientTransform(float dx, float dy,
                                                     gp::MatrixOrder order) {
  return GDIP_OK(GdipTranslatePathGradientTransform, PathGradient(), dx, dy, order);
}
bool PathBrushObject::ScalePathGradientTransform(float sx, float sy, gp::MatrixOrder order) {
  return GDIP_OK(GdipScalePathGradientTransform, PathGradient(), sx, sy, order);
}
bool PathBrushObject::ScalePathGradientTransformAt(float sx, float sy, float px, float py,
                                                   gp::MatrixOrder order) {
  return AboutPoint(
      px, py, order,
      [&](float dx, float dy) { return TranslatePathGradientTransform(dx, dy, order); },
      [&] { return ScalePathGradientTransform(sx, sy, order); });
}
bool PathBrushObject::RotatePathGradientTransform(float angle, gp::MatrixOrder order) {
  return GDIP_OK(GdipRotatePathGradientTransform, PathGradient(), angle, order);
}
bool PathBrushObject::RotatePathGradientTransformAt(float angle, float px, float py,
                                                    gp::MatrixOrder order) {
  return AboutPoint(
      px, py, order,
      [&](float dx, float dy) { return TranslatePathGradientTransform(dx, dy, order); },
      [&] { return RotatePathGradientTransform(angle, order); });
}
