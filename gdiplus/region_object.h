#pragma once
// A GDI+ region: window shapes and clipping areas.
#include <vector>

#include "gdiplus/drawing_object.h"

class GraphicsObject;
class PathObject;

class RegionObject : public DrawingObject {
 public:
  RegionObject() = default;
  RegionObject(RegionObject&&) = default;
  RegionObject& operator=(RegionObject&&) = default;
  ~RegionObject() override { ReleaseHeld(); }

  gp::GpRegion* Region() const { return static_cast<gp::GpRegion*>(GetNative()); }

  bool DeleteRegion() { return DeleteHeld(); }
  // An infinite region.
  bool CreateRegion();
  bool CreateRegionRect(const gp::RectF& rect);
  bool CreateRegionRectI(const gp::Rect& rect);
  bool CreateRegionPath(const PathObject& path);
  bool CreateRegionHrgn(HRGN region);
  bool CreateRegionRgnData(const std::uint8_t* data, int size);
  bool CloneRegion(const RegionObject& source);
  bool SetInfinite();
  bool SetEmpty();
  bool CombineRegionRect(const gp::RectF& rect, gp::CombineMode mode);
  bool CombineRegionRectI(const gp::Rect& rect, gp::CombineMode mode);
  bool CombineRegionRegion(const RegionObject& other, gp::CombineMode mode);
  bool CombineRegionPath(const PathObject& path, gp::CombineMode mode);
  bool TranslateRegion(float dx, float dy);
  bool TranslateRegionI(int dx, int dy);
  bool TransformRegion(gp::GpMatrix* matrix);
  // Graphics arguments give the device space; GDI+ needs one for bounds and HRGNs.
  gp::RectF GetRegionBounds(const GraphicsObject& graphics);
  gp::Rect GetRegionBoundsI(const GraphicsObject& graphics);
  unsigned GetRegionDataSize();
  ByteSet GetRegionData();
  // A GDI region the caller deletes (null for an infinite region).
  HRGN GetRegionHRgn(const GraphicsObject* graphics = nullptr);
  bool IsEmptyRegion(const GraphicsObject& graphics);
  bool IsInfiniteRegion(const GraphicsObject& graphics);
  bool IsEqualRegion(const RegionObject& other, const GraphicsObject& graphics);
  bool IsVisibleRegionPoint(float x, float y, const GraphicsObject* graphics = nullptr);
  bool IsVisibleRegionPointI(int x, int y, const GraphicsObject* graphics = nullptr);
  bool IsVisibleRegionRect(float x, float y, float width, float height,
                           const GraphicsObject* graphics = nullptr);
  bool IsVisibleRegionRectI(int x, int y, int width, int height,
                            const GraphicsObject* graphics = nullptr);
  // Scans under a transform (null: identity).
  unsigned GetRegionScansCount(gp::GpMatrix* matrix);
  std::vector<gp::RectF> GetRegionScans(gp::GpMatrix* matrix);
  std::vector<gp::Rect> GetRegionScansI(gp::GpMatrix* matrix);

 protected:
  gp::Status DeleteNative(void* handle) override;
};
