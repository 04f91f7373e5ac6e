#include "gdiplus/region_object.h"

#include <algorithm>

#include "gdiplus/flat_api.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"

gp::Status RegionObject::DeleteNative(void* handle) {
  return GDIP_CALL(GdipDeleteRegion, static_cast<gp::GpRegion*>(handle));
}
bool RegionObject::CreateRegion() {
  gp::GpRegion* region = nullptr;
  return Adopt(GDIP_CALL(GdipCreateRegion, &region), &region);
}
bool RegionObject::CreateRegionRect(const gp::RectF& rect) {
  gp::GpRegion* region = nullptr;
  return Adopt(GDIP_CALL(GdipCreateRegionRect, &rect, &region), &region);
}
bool RegionObject::CreateRegionRectI(const gp::Rect& rect) {
  gp::GpRegion* region = nullptr;
  return Adopt(GDIP_CALL(GdipCreateRegionRectI, &rect, &region), &region);
}
bool RegionObject::CreateRegionPath(const PathObject& path) {
  gp::GpRegion* region = nullptr;
  return Adopt(GDIP_CALL(GdipCreateRegionPath, path.Path(), &region), &region);
}
bool RegionObject::CreateRegionHrgn(HRGN hrgn) {
  gp::GpRegion* region = nullptr;
  return Adopt(GDIP_CALL(GdipCreateRegionHrgn, hrgn, &region), &region);
}
bool RegionObject::CreateRegionRgnData(const std::uint8_t* data, int size) {
  gp::GpRegion* region = nullptr;
  return Adopt(GDIP_CALL(GdipCreateRegionRgnData, data, size, &region), &region);
}
bool RegionObject::CloneRegion(const RegionObject& source) {
  gp::GpRegion* region = nullptr;
  return Adopt(GDIP_CALL(GdipCloneRegion, source.Region(), &region), &region);
}
bool RegionObject::SetInfinite() { return GDIP_OK(GdipSetInfinite, Region()); }
bool RegionObject::SetEmpty() { return GDIP_OK(GdipSetEmpty, Region()); }
bool RegionObject::CombineRegionRect(const gp::RectF& rect, gp::CombineMode mode) {
  return GDIP_OK(GdipCombineRegionRect, Region(), &rect, mode);
}
bool RegionObject::CombineRegionRectI(const gp::Rect& rect, gp::CombineMode mode) {
  return GDIP_OK(GdipCombineRegionRectI, Region(), &rect, mode);
}
bool RegionObject::CombineRegionRegion(const RegionObject& other, gp::CombineMode mode) {
  return GDIP_OK(GdipCombineRegionRegion, Region(), other.Region(), mode);
}
bool RegionObject::CombineRegionPath(const PathObject& path, gp::CombineMode mode) {
  return GDIP_OK(GdipCombineRegionPath, Region(), path.Path(), mode);
}
bool RegionObject::TranslateRegion(float dx, float dy) {
  return GDIP_OK(GdipTranslateRegion, Region(), dx, dy);
}
bool RegionObject::TranslateRegionI(int dx, int dy) {
  return GDIP_OK(GdipTranslateRegionI, Region(), dx, dy);
}
bool RegionObject::TransformRegion(gp::GpMatrix* matrix) {
  return GDIP_OK(GdipTransformRegion, Region(), matrix);
}
gp::RectF RegionObject::GetRegionBounds(const GraphicsObject& graphics) {
  return GDIP_GET(gp::RectF, GdipGetRegionBounds, Region(), graphics.Graphics());
}
gp::Rect RegionObject::GetRegionBoundsI(const GraphicsObject& graphics) {
  return GDIP_GET(gp::Rect, GdipGetRegionBoundsI, Region(), graphics.Graphics());
}
unsigned RegionObject::GetRegionDataSize() {
  return GDIP_GET(UINT, GdipGetRegionDataSize, Region());
}
ByteSet RegionObject::GetRegionData() {
  ByteSet data(GetRegionDataSize());
  if (LastStatus() != gp::Ok) return {};
  UINT filled = 0;
  if (!GDIP_OK(GdipGetRegionData, Region(), data.data(), static_cast<UINT>(data.size()),
               &filled))
    return {};
  data.resize(std::min<std::size_t>(filled, data.size()));
  return data;
}
HRGN RegionObject::GetRegionHRgn(const GraphicsObject* graphics) {
  return GDIP_GET(HRGN, GdipGetRegionHRgn, Region(), NativeOf<gp::GpGraphics>(graphics));
}
bool RegionObject::IsEmptyRegion(const GraphicsObject& graphics) {
  return GDIP_GET(BOOL, GdipIsEmptyRegion, Region(), graphics.Graphics());
}
bool RegionObject::IsInfiniteRegion(const GraphicsObject& graphics) {
  return GDIP_GET(BOOL, GdipIsInfiniteRegion, Region(), graphics.Graphics());
}
bool RegionObject::IsEqualRegion(const RegionObject& other, const GraphicsObject& graphics) {
  return GDIP_GET(BOOL, GdipIsEqualRegion, Region(), other.Region(), graphics.Graphics());
}
bool RegionObject::IsVisibleRegionPoint(float x, float y, const GraphicsObject* graphics) {
  return GDIP_GET(BOOL, GdipIsVisibleRegionPoint, Region(), x, y,
                  NativeOf<gp::GpGraphics>(graphics));
}
bool RegionObject::IsVisibleRegionPointI(int x, int y, const GraphicsObject* graphics) {
  return GDIP_GET(BOOL, GdipIsVisibleRegionPointI, Region(), x, y,
                  NativeOf<gp::GpGraphics>(graphics));
}
bool RegionObject::IsVisibleRegionRect(float x, float y, float width, float height,
                                       const GraphicsObject* graphics) {
  return GDIP_GET(BOOL, GdipIsVisibleRegionRect, Region(), x, y, width, height,
                  NativeOf<gp::GpGraphics>(graphics));
}
bool RegionObject::IsVisibleRegionRectI(int x, int y, int width, int height,
                                        const GraphicsObject* graphics) {
  return GDIP_GET(BOOL, GdipIsVisibleRegionRectI, Region(), x, y, width, height,
                  NativeOf<gp::GpGraphics>(graphics));
}
unsigned RegionObject::GetRegionScansCount(gp::GpMatrix* matrix) {
  UINT count = 0;
  GDIP_OK(GdipGetRegionScansCount, Region(), &count, matrix);
  return count;
}
std::vector<gp::RectF> RegionObject::GetRegionScans(gp::GpMatrix* matrix) {
  std::vector<gp::RectF> scans(GetRegionScansCount(matrix));
  if (LastStatus() != gp::Ok) return {};
  INT count = 0;
  if (!GDIP_OK(GdipGetRegionScans, Region(), scans.data(), &count, matrix)) return {};
  scans.resize(std::min<std::size_t>(static_cast<std::size_t>(count), scans.size()));
  return scans;
}
std::vector<gp::Rect> RegionObject::GetRegionScansI(gp::GpMatrix* matrix) {
  std::vector<gp::Rect> scans(GetRegionScansCount(matrix));
  if (LastStatus() != gp::Ok) return {};
  INT count = 0;
  if (!GDIP_OK(GdipGetRegionScansI, Region(), scans.data(), &count, matrix)) return {};
  scans.resize(std::min<std::size_t>(static_cast<std::size_t>(count), scans.size()));
  return scans;
}
