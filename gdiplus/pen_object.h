#pragma once
// A GDI+ pen: outlines and glows of the skinned controls.
#include <vector>

#include "gdiplus/drawing_object.h"

class BrushObject;

class PenObject : public DrawingObject {
 public:
  PenObject() = default;
  PenObject(PenObject&&) = default;
  PenObject& operator=(PenObject&&) = default;
  ~PenObject() override { ReleaseHeld(); }

  gp::GpPen* Pen() const { return static_cast<gp::GpPen*>(GetNative()); }

  bool DeletePen() { return DeleteHeld(); }
  bool CreatePen1(gp::ARGB colour, float width, gp::Unit unit = gp::UnitWorld);
  bool CreatePen2(const BrushObject& brush, float width, gp::Unit unit = gp::UnitWorld);
  // This wrapper gets a copy of the source's pen.
  bool ClonePen(const PenObject& source);
  float GetPenWidth();
  bool SetPenWidth(float width);
  gp::Unit GetPenUnit();
  bool SetPenUnit(gp::Unit unit);
  bool SetPenLineCap197819(gp::LineCap startCap, gp::LineCap endCap, gp::DashCap dashCap);
  // The same cap at both ends, flat dashes.
  bool SetPenLineCap197819(gp::LineCap cap);
  bool SetPenStartCap(gp::LineCap cap);
  bool SetPenEndCap(gp::LineCap cap);
  bool SetPenDashCap197819(gp::DashCap cap);
  gp::LineCap GetPenStartCap();
  gp::LineCap GetPenEndCap();
  gp::DashCap GetPenDashCap197819();
  bool GetPenDashCap197819(gp::DashCap& cap);
  bool SetPenLineJoin(gp::LineJoin join);
  gp::LineJoin GetPenLineJoin();
  bool SetPenCustomStartCap(gp::GpCustomLineCap* cap);
  // A copy the caller deletes (GdipDeleteCustomLineCap); null when the pen has none.
  gp::GpCustomLineCap* GetPenCustomStartCap();
  bool SetPenCustomEndCap(gp::GpCustomLineCap* cap);
  gp::GpCustomLineCap* GetPenCustomEndCap();
  bool SetPenMiterLimit(float limit);
  float GetPenMiterLimit();
  bool SetPenMode(gp::PenAlignment alignment);
  gp::PenAlignment GetPenMode();
  bool SetPenTransform(gp::GpMatrix* matrix);
  bool GetPenTransform(gp::GpMatrix* matrix);
  bool ResetPenTransform();
  bool MultiplyPenTransform(const gp::GpMatrix* matrix,
                            gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool RotatePenTransform(float angle, gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool RotatePenTransformAt(float angle, float px, float py,
                            gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool ScalePenTransform(float sx, float sy, gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool ScalePenTransformAt(float sx, float sy, float px, float py,
                           gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool TranslatePenTransform(float dx, float dy, gp::MatrixOrder order = gp::MatrixOrderPrepend);
  gp::ARGB GetPenColor();
  bool SetPenColor(gp::ARGB colour);
  bool SetPenBrushFill(const BrushObject& brush);
  // Into `brush`, which then owns a copy of the pen's brush.
  bool GetPenBrushFill(BrushObject& brush);
  gp::PenType GetPenFillType();
  bool SetPenDashStyle(gp::DashStyle style);
  gp::DashStyle GetPenDashStyle();
  float GetPenDashOffset();
  bool SetPenDashOffset(float offset);
  std::vector<float> GetPenDashArray();
  bool SetPenDashArray(const float* dashes, int count);
  bool SetPenCompoundArray(const float* positions, int count);
  std::vector<float> GetPenCompoundArray();

 protected:
  gp::Status DeleteNative(void* handle) override;
};
