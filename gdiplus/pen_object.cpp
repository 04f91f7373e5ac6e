#include "gdiplus/pen_object.h"

#include "gdiplus/about_point.h"
#include "gdiplus/brush_objects.h"
#include "gdiplus/flat_api.h"

gp::Status PenObject::DeleteNative(void* handle) {
  return GDIP_CALL(GdipDeletePen, static_cast<gp::GpPen*>(handle));
}

bool PenObject::CreatePen1(gp::ARGB colour, float width, gp::Unit unit) {
  gp::GpPen* pen = nullptr;
  return Adopt(GDIP_CALL(GdipCreatePen1, colour, width, unit, &pen), &pen);
}
bool PenObject::CreatePen2(const BrushObject& brush, float width, gp::Unit unit) {
  gp::GpPen* pen = nullptr;
  return Adopt(GDIP_CALL(GdipCreatePen2, brush.Brush(), width, unit, &pen), &pen);
}
bool PenObject::ClonePen(const PenObject& source) {
  gp::GpPen* pen = nullptr;
  return Adopt(GDIP_CALL(GdipClonePen, source.Pen(), &pen), &pen);
}
float PenObject::GetPenWidth() { return GDIP_GET(float, GdipGetPenWidth, Pen()); }
bool PenObject::SetPenWidth(float width) { return GDIP_OK(GdipSetPenWidth, Pen(), width); }
gp::Unit PenObject::GetPenUnit() { return GDIP_GET(gp::Unit, GdipGetPenUnit, Pen()); }
bool PenObject::SetPenUnit(gp::Unit unit) { return GDIP_OK(GdipSetPenUnit, Pen(), unit); }
bool PenObject::SetPenLineCap197819(gp::LineCap startCap, gp::LineCap endCap,
                                    gp::DashCap dashCap) {
  return GDIP_OK(GdipSetPenLineCap197819, Pen(), startCap, endCap, dashCap);
}
bool PenObject::SetPenLineCap197819(gp::LineCap cap) {
  return SetPenLineCap197819(cap, cap, gp::DashCapFlat);
}
bool PenObject::SetPenStartCap(gp::LineCap cap) { return GDIP_OK(GdipSetPenStartCap, Pen(), cap); }
bool PenObject::SetPenEndCap(gp::LineCap cap) { return GDIP_OK(GdipSetPenEndCap, Pen(), cap); }
bool PenObject::SetPenDashCap197819(gp::DashCap cap) {
  return GDIP_OK(GdipSetPenDashCap197819, Pen(), cap);
}
gp::LineCap PenObject::GetPenStartCap() {
  return GDIP_GET(gp::LineCap, GdipGetPenStartCap, Pen());
}
gp::LineCap PenObject::GetPenEndCap() { return GDIP_GET(gp::LineCap, GdipGetPenEndCap, Pen()); }
gp::DashCap PenObject::GetPenDashCap197819() {
  return GDIP_GET(gp::DashCap, GdipGetPenDashCap197819, Pen());
}
bool PenObject::GetPenDashCap197819(gp::DashCap& cap) {
  return GDIP_OK(GdipGetPenDashCap197819, Pen(), &cap);
}
bool PenObject::SetPenLineJoin(gp::LineJoin join) {
  return GDIP_OK(GdipSetPenLineJoin, Pen(), join);
}
gp::LineJoin PenObject::GetPenLineJoin() {
  return GDIP_GET(gp::LineJoin, GdipGetPenLineJoin, Pen());
}
bool PenObject::SetPenCustomStartCap(gp::GpCustomLineCap* cap) {
  return GDIP_OK(GdipSetPenCustomStartCap, Pen(), cap);
}
gp::GpCustomLineCap* PenObject::GetPenCustomStartCap() {
  return GDIP_GET(gp::GpCustomLineCap*, GdipGetPenCustomStartCap, Pen());
}
bool PenObject::SetPenCustomEndCap(gp::GpCustomLineCap* cap) {
  return GDIP_OK(GdipSetPenCustomEndCap, Pen(), cap);
}
gp::GpCustomLineCap* PenObject::GetPenCustomEndCap() {
  return GDIP_GET(gp::GpCustomLineCap*, GdipGetPenCustomEndCap, Pen());
}
bool PenObject::SetPenMiterLimit(float limit) {
  return GDIP_OK(GdipSetPenMiterLimit, Pen(), limit);
}
float PenObject::GetPenMiterLimit() { return GDIP_GET(float, GdipGetPenMiterLimit, Pen()); }
bool PenObject::SetPenMode(gp::PenAlignment alignment) {
  return GDIP_OK(GdipSetPenMode, Pen(), alignment);
}
gp::PenAlignment PenObject::GetPenMode() {
  return GDIP_GET(gp::PenAlignment, GdipGetPenMode, Pen());
}
bool PenObject::SetPenTransform(gp::GpMatrix* matrix) {
  return GDIP_OK(GdipSetPenTransform, Pen(), matrix);
}
bool PenObject::GetPenTransform(gp::GpMatrix* matrix) {
  return GDIP_OK(GdipGetPenTransform, Pen(), matrix);
}
bool PenObject::ResetPenTransform() { return GDIP_OK(GdipResetPenTransform, Pen()); }
bool PenObject::MultiplyPenTransform(const gp::GpMatrix* matrix, gp::MatrixOrder order) {
  return GDIP_OK(GdipMultiplyPenTransform, Pen(), matrix, order);
}
bool PenObject::RotatePenTransform(float angle, gp::MatrixOrder order) {
  return GDIP_OK(GdipRotatePenTransform, Pen(), angle, order);
}
bool PenObject::RotatePenTransformAt(float angle, float px, float py, gp::MatrixOrder order) {
  return AboutPoint(
      px, py, order, [&](float dx, float dy) { return TranslatePenTransform(dx, dy, order); },
      [&] { return RotatePenTransform(angle, order); });
}
bool PenObject::ScalePenTransform(float sx, float sy, gp::MatrixOrder order) {
  return GDIP_OK(GdipScalePenTransform, Pen(), sx, sy, order);
}
bool PenObject::ScalePenTransformAt(float sx, float sy, float px, float py,
                                    gp::MatrixOrder order) {
  return AboutPoint(
      px, py, order, [&](float dx, float dy) { return TranslatePenTransform(dx, dy, order); },
      [&] { return ScalePenTransform(sx, sy, order); });
}
bool PenObject::TranslatePenTransform(float dx, float dy, gp::MatrixOrder order) {
  return GDIP_OK(GdipTranslatePenTransform, Pen(), dx, dy, order);
}
gp::ARGB PenObject::GetPenColor() { return GDIP_GET(gp::ARGB, GdipGetPenColor, Pen()); }
bool PenObject::SetPenColor(gp::ARGB colour) { return GDIP_OK(GdipSetPenColor, Pen(), colour); }
bool PenObject::SetPenBrushFill(const BrushObject& brush) {
  return GDIP_OK(GdipSetPenBrushFill, Pen(), brush.Brush());
}
bool PenObject::GetPenBrushFill(BrushObject& brush) {
  gp::GpBrush* fill = nullptr;
  if (!GDIP_OK(GdipGetPenBrushFill, Pen(), &fill)) return false;
  brush.SetNative(fill);
  return true;
}
gp::PenType PenObject::GetPenFillType() { return GDIP_GET(gp::PenType, GdipGetPenFillType, Pen()); }
bool PenObject::SetPenDashStyle(gp::DashStyle style) {
  return GDIP_OK(GdipSetPenDashStyle, Pen(), style);
}
gp::DashStyle PenObject::GetPenDashStyle() {
  return GDIP_GET(gp::DashStyle, GdipGetPenDashStyle, Pen());
}
float PenObject::GetPenDashOffset() { return GDIP_GET(float, GdipGetPenDashOffset, Pen()); }
bool PenObject::SetPenDashOffset(float offset) {
  return GDIP_OK(GdipSetPenDashOffset, Pen(), offset);
}
std::vector<float> PenObject::GetPenDashArray() {
  const int count = GDIP_GET(INT, GdipGetPenDashCount, Pen());
  std::vector<float> dashes;
  if (LastStatus() != gp::Ok || count <= 0) return dashes;
  dashes.resize(static_cast<std::size_t>(count));
  if (!GDIP_OK(GdipGetPenDashArray, Pen(), dashes.data(), count)) dashes.clear();
  return dashes;
}
bool PenObject::SetPenDashArray(const float* dashes, int count) {
  return GDIP_OK(GdipSetPenDashArray, Pen(), dashes, count);
}
bool PenObject::SetPenCompoundArray(const float* positions, int count) {
  return GDIP_OK(GdipSetPenCompoundArray, Pen(), positions, count);
}
std::vector<float> PenObject::GetPenCompoundArray() {
  const int count = GDIP_GET(INT, GdipGetPenCompoundCount, Pen());
  std::vector<float> positions;
  if (LastStatus() != gp::Ok || count <= 0) return positions;
  positions.resize(static_cast<std::size_t>(count));
  if (!GDIP_OK(GdipGetPenCompoundArray, Pen(), positions.data(), count)) positions.clear();
  return positions;
}
