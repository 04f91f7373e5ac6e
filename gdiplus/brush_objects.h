#pragma once
// GDI+ brushes: the members every brush has, and the solid, linear-gradient and
// path-gradient kinds the skin engine fills with.
#include <vector>

#include "gdiplus/drawing_object.h"

class PathObject;

class BrushObject : public DrawingObject {
 public:
  BrushObject() = default;
  BrushObject(BrushObject&&) = default;
  BrushObject& operator=(BrushObject&&) = default;
  ~BrushObject() override { ReleaseHeld(); }

  gp::GpBrush* Brush() const { return static_cast<gp::GpBrush*>(GetNative()); }

  bool DeleteBrush() { return DeleteHeld(); }
  // This wrapper gets a copy of the source's brush.
  bool CloneBrush(const BrushObject& source);
  gp::BrushType GetBrushType();

 protected:
  gp::Status DeleteNative(void* handle) override;
};

class SolidBrushObject : public BrushObject {
 public:
  gp::GpSolidFill* SolidFill() const { return static_cast<gp::GpSolidFill*>(GetNative()); }

  bool CreateSolidFill(gp::ARGB colour);
  bool SetSolidFillColor(gp::ARGB colour);
  gp::ARGB GetSolidFillColor();
};

class LinearBrushObject : public BrushObject {
 public:
  gp::GpLineGradient* LineGradient() const {
    return static_cast<gp::GpLineGradient*>(GetNative());
  }

  bool CreateLineBrush(const gp::PointF& from, const gp::PointF& to, gp::ARGB fromColour,
                       gp::ARGB toColour, gp::WrapMode wrap = gp::WrapModeTile);
  bool CreateLineBrushI(const gp::Point& from, const gp::Point& to, gp::ARGB fromColour,
                        gp::ARGB toColour, gp::WrapMode wrap = gp::WrapModeTile);
  bool CreateLineBrushFromRect(const gp::RectF& rect, gp::ARGB fromColour, gp::ARGB toColour,
                               gp::LinearGradientMode mode,
                               gp::WrapMode wrap = gp::WrapModeTile);
  bool CreateLineBrushFromRectI(const gp::Rect& rect, gp::ARGB fromColour, gp::ARGB toColour,
                                gp::LinearGradientMode mode,
                                gp::WrapMode wrap = gp::WrapModeTile);
  bool CreateLineBrushFromRectWithAngle(const gp::RectF& rect, gp::ARGB fromColour,
                                        gp::ARGB toColour, float angle, bool angleIsScalable,
                                        gp::WrapMode wrap = gp::WrapModeTile);
  bool CreateLineBrushFromRectWithAngleI(const gp::Rect& rect, gp::ARGB fromColour,
                                         gp::ARGB toColour, float angle, bool angleIsScalable,
                                         gp::WrapMode wrap = gp::WrapModeTile);
  bool GetLineColors(gp::ARGB& fromColour, gp::ARGB& toColour);
  bool SetLineColors(gp::ARGB fromColour, gp::ARGB toColour);
  gp::RectF GetLineRect();
  gp::Rect GetLineRectI();
  bool SetLineGammaCorrection(bool useGamma);
  bool GetLineGammaCorrection();
  bool SetLineBlend(const float* factors, const float* positions, int count);
  int GetLineBlendCount();
  bool GetLineBlend(std::vector<float>& factors, std::vector<float>& positions);
  bool SetLinePresetBlend(const gp::ARGB* colours, const float* positions, int count);
  int GetLinePresetBlendCount();
  bool GetLinePresetBlend(std::vector<gp::ARGB>& colours, std::vector<float>& positions);
  bool SetLineSigmaBlend(float focus, float scale);
  bool SetLineLinearBlend(float focus, float scale);
  gp::WrapMode GetLineWrapMode();
  bool SetLineWrapMode(gp::WrapMode wrap);
  bool GetLineTransform(gp::GpMatrix* matrix);
  bool SetLineTransform(const gp::GpMatrix* matrix);
  bool ResetLineTransform();
  bool MultiplyLineTransform(const gp::GpMatrix* matrix,
                             gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool TranslateLineTransform(float dx, float dy, gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool ScaleLineTransform(float sx, float sy, gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool ScaleLineTransformAt(float sx, float sy, float px, float py,
                            gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool RotateLineTransform(float angle, gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool RotateLineTransformAt(float angle, float px, float py,
                             gp::MatrixOrder order = gp::MatrixOrderPrepend);
};

class PathBrushObject : public BrushObject {
 public:
  gp::GpPathGradient* PathGradient() const {
    return static_cast<gp::GpPathGradient*>(GetNative());
  }

  bool CreatePathGradient(const gp::PointF* points, int count,
                          gp::WrapMode wrap = gp::WrapModeClamp);
  bool CreatePathGradientI(const gp::Point* points, int count,
                           gp::WrapMode wrap = gp::WrapModeClamp);
  bool CreatePathGradientFromPath(const PathObject& path);
  gp::ARGB GetPathGradientCenterColor();
  bool SetPathGradientCenterColor(gp::ARGB colour);
  int GetPathGradientPointCount();
  int GetPathGradientSurroundColorCount();
  std::vector<gp::ARGB> GetPathGradientSurroundColorsWithCount();
  // Gives how many colours GDI+ took through `taken` when asked.
  bool SetPathGradientSurroundColorsWithCount(const gp::ARGB* colours, int count,
                                              int* taken = nullptr);
  // Into a path the caller made.
  bool GetPathGradientPath(PathObject& path);
  bool SetPathGradientPath(const PathObject& path);
  gp::PointF GetPathGradientCenterPoint();
  gp::Point GetPathGradientCenterPointI();
  bool SetPathGradientCenterPoint(const gp::PointF& centre);
  bool SetPathGradientCenterPoint(const gp::Point& centre);
  gp::RectF GetPathGradientRect();
  gp::Rect GetPathGradientRectI();
  bool SetPathGradientGammaCorrection(bool useGamma);
  bool GetPathGradientGammaCorrection();
  int GetPathGradientBlendCount();
  bool SetPathGradientBlend(const float* factors, const float* positions, int count);
  bool GetPathGradientBlend(std::vector<float>& factors, std::vector<float>& positions);
  int GetPathGradientPresetBlendCount();
  bool SetPathGradientPresetBlend(const gp::ARGB* colours, const float* positions, int count);
  bool GetPathGradientPresetBlend(std::vector<gp::ARGB>& colours, std::vector<float>& positions);
  bool SetPathGradientSigmaBlend(float focus, float scale);
  bool SetPathGradientLinearBlend(float focus, float scale);
  bool GetPathGradientFocusScales(float& x, float& y);
  bool SetPathGradientFocusScales(float x, float y);
  gp::WrapMode GetPathGradientWrapMode();
  bool SetPathGradientWrapMode(gp::WrapMode wrap);
  bool GetPathGradientTransform(gp::GpMatrix* matrix);
  bool SetPathGradientTransform(gp::GpMatrix* matrix);
  bool ResetPathGradientTransform();
  bool MultiplyPathGradientTransform(const gp::GpMatrix* matrix,
                                     gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool TranslatePathGradientTransform(float dx, float dy,
                                      gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool ScalePathGradientTransform(float sx, float sy,
                                  gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool ScalePathGradientTransformAt(float sx, float sy, float px, float py,
                                    gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool RotatePathGradientTransform(float angle, gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool RotatePathGradientTransformAt(float angle, float px, float py,
                                     gp::MatrixOrder order = gp::MatrixOrderPrepend);
};
