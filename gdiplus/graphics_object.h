#pragma once
// A GDI+ graphics: the surface the skin engine draws on (a window, a DC or an image).
#include <string>
#include <vector>

#include "gdiplus/drawing_object.h"

class BrushObject;
class FontObject;
class ImageObject;
class PathObject;
class PenObject;
class RegionObject;
class StringFormatObject;

class GraphicsObject : public DrawingObject {
 public:
  GraphicsObject() = default;
  GraphicsObject(GraphicsObject&&) = default;
  GraphicsObject& operator=(GraphicsObject&&) = default;
  ~GraphicsObject() override { ReleaseHeld(); }

  gp::GpGraphics* Graphics() const { return static_cast<gp::GpGraphics*>(GetNative()); }

  bool DeleteGraphics() { return DeleteHeld(); }
  bool Flush(gp::FlushIntention intention = gp::FlushIntentionFlush);
  bool CreateFromHWND(HWND window, bool icm = false);
  // With a device handle the graphics is made by CreateFromHDC2.
  bool CreateFromHDC(HDC dc, HANDLE device = nullptr);
  bool GetImageGraphicsContext(const ImageObject& image);
  HDC GetDC();
  bool ReleaseDC(HDC dc);

  bool GetRenderingOrigin(int& x, int& y);
  bool SetRenderingOrigin(int x, int y);
  gp::CompositingMode GetCompositingMode();
  bool SetCompositingMode(gp::CompositingMode mode);
  gp::CompositingQuality GetCompositingQuality();
  bool SetCompositingQuality(gp::CompositingQuality quality);
  bool SetTextRenderingHint(gp::TextRenderingHint hint);
  gp::TextRenderingHint GetTextRenderingHint();
  bool SetTextContrast(unsigned contrast);
  unsigned GetTextContrast();
  bool SetInterpolationMode(gp::InterpolationMode mode);
  gp::InterpolationMode GetInterpolationMode();
  bool SetSmoothingMode(gp::SmoothingMode mode);
  gp::SmoothingMode GetSmoothingMode();
  bool SetPixelOffsetMode(gp::PixelOffsetMode mode);
  gp::PixelOffsetMode GetPixelOffsetMode();

  bool SetWorldTransform(gp::GpMatrix* matrix);
  bool GetWorldTransform(gp::GpMatrix* matrix);
  bool ResetWorldTransform();
  bool MultiplyWorldTransform(const gp::GpMatrix* matrix,
                              gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool TranslateWorldTransform(float dx, float dy,
                               gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool ScaleWorldTransform(float sx, float sy, gp::MatrixOrder order = gp::MatrixOrderPrepend);
  // Scales about the point (px, py), which stays where it is.
  bool ScaleWorldTransformAt(float sx, float sy, float px, float py,
                             gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool RotateWorldTransform(float angle, gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool RotateWorldTransformAt(float angle, float px, float py,
                              gp::MatrixOrder order = gp::MatrixOrderPrepend);
  bool SetPageUnit(gp::Unit unit);
  gp::Unit GetPageUnit();
  bool SetPageScale(float scale);
  float GetPageScale();
  float GetDpiX();
  float GetDpiY();
  bool TransformPoints(gp::CoordinateSpace to, gp::CoordinateSpace from, gp::PointF* points,
                       int count);
  bool TransformPointsI(gp::CoordinateSpace to, gp::CoordinateSpace from, gp::Point* points,
                        int count);
  // In and out: the colour asked for, then the nearest one the device has.
  bool GetNearestColor(gp::ARGB& colour);

  bool DrawLine(const PenObject& pen, float x1, float y1, float x2, float y2);
  bool DrawLineI(const PenObject& pen, int x1, int y1, int x2, int y2);
  bool DrawLines(const PenObject& pen, const gp::PointF* points, int count);
  bool DrawLinesI(const PenObject& pen, const gp::Point* points, int count);
  bool DrawArc(const PenObject& pen, float x, float y, float width, float height,
               float startAngle, float sweepAngle);
  bool DrawArcI(const PenObject& pen, int x, int y, int width, int height, float startAngle,
                float sweepAngle);
  bool DrawBezier(const PenObject& pen, float x1, float y1, float x2, float y2, float x3,
                  float y3, float x4, float y4);
  bool DrawBezierI(const PenObject& pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                   int y4);
  bool DrawBeziers(const PenObject& pen, const gp::PointF* points, int count);
  bool DrawBeziersI(const PenObject& pen, const gp::Point* points, int count);
  bool DrawRectangle(const PenObject& pen, float x, float y, float width, float height);
  bool DrawRectangleI(const PenObject& pen, int x, int y, int width, int height);
  bool DrawRectangles(const PenObject& pen, const gp::RectF* rects, int count);
  bool DrawRectanglesI(const PenObject& pen, const gp::Rect* rects, int count);
  bool DrawEllipse(const PenObject& pen, float x, float y, float width, float height);
  bool DrawEllipseI(const PenObject& pen, int x, int y, int width, int height);
  bool DrawPie(const PenObject& pen, float x, float y, float width, float height,
               float startAngle, float sweepAngle);
  bool DrawPieI(const PenObject& pen, int x, int y, int width, int height, float startAngle,
                float sweepAngle);
  bool DrawPolygon(const PenObject& pen, const gp::PointF* points, int count);
  bool DrawPolygonI(const PenObject& pen, const gp::Point* points, int count);
  bool DrawPath(const PenObject& pen, const PathObject& path);
  bool DrawCurve(const PenObject& pen, const gp::PointF* points, int count);
  bool DrawCurveI(const PenObject& pen, const gp::Point* points, int count);
  bool DrawCurve2(const PenObject& pen, const gp::PointF* points, int count, float tension);
  bool DrawCurve2I(const PenObject& pen, const gp::Point* points, int count, float tension);
  bool DrawCurve3(const PenObject& pen, const gp::PointF* points, int count, int offset,
                  int segments, float tension);
  bool DrawCurve3I(const PenObject& pen, const gp::Point* points, int count, int offset,
                   int segments, float tension);
  bool DrawClosedCurve(const PenObject& pen, const gp::PointF* points, int count);
  bool DrawClosedCurveI(const PenObject& pen, const gp::Point* points, int count);
  bool DrawClosedCurve2(const PenObject& pen, const gp::PointF* points, int count,
                        float tension);
  bool DrawClosedCurve2I(const PenObject& pen, const gp::Point* points, int count,
                         float tension);

  bool GraphicsClear(gp::ARGB colour);
  bool FillRectangle(const BrushObject& brush, float x, float y, float width, float height);
  bool FillRectangle(const BrushObject& brush, const gp::RectF& rect);
  bool FillRectangleI(const BrushObject& brush, int x, int y, int width, int height);
  bool FillRectangles(const BrushObject& brush, const gp::RectF* rects, int count);
  bool FillRectanglesI(const BrushObject& brush, const gp::Rect* rects, int count);
  bool FillPolygon(const BrushObject& brush, const gp::PointF* points, int count,
                   gp::FillMode mode = gp::FillModeAlternate);
  bool FillPolygonI(const BrushObject& brush, const gp::Point* points, int count,
                    gp::FillMode mode = gp::FillModeAlternate);
  bool FillEllipse(const BrushObject& brush, float x, float y, float width, float height);
  bool FillEllipseI(const BrushObject& brush, int x, int y, int width, int height);
  bool FillPie(const BrushObject& brush, float x, float y, float width, float height,
               float startAngle, float sweepAngle);
  bool FillPieI(const BrushObject& brush, int x, int y, int width, int height,
                float startAngle, float sweepAngle);
  bool FillPath(const BrushObject& brush, const PathObject& path);
  bool FillClosedCurve(const BrushObject& brush, const gp::PointF* points, int count);
  bool FillClosedCurve2(const BrushObject& brush, const gp::PointF* points, int count,
                        float tension, gp::FillMode mode = gp::FillModeAlternate);
  bool FillClosedCurveI(const BrushObject& brush, const gp::Point* points, int count);
  bool FillClosedCurve2I(const BrushObject& brush, const gp::Point* points, int count,
                         float tension, gp::FillMode mode = gp::FillModeAlternate);
  bool FillRegion(const BrushObject& brush, const RegionObject& region);

  // Texts are GBK. The format may be null (GDI+'s default layout).
  bool DrawString(const std::string& text, const FontObject& font, const gp::RectF& layout,
                  const StringFormatObject* format, const BrushObject& brush);
  bool DrawString(const std::string& text, const FontObject& font, float x, float y,
                  const StringFormatObject* format, const BrushObject& brush);
  bool MeasureString(const std::string& text, const FontObject& font, const gp::RectF& layout,
                     const StringFormatObject* format, gp::RectF& bounds,
                     int* codepointsFitted = nullptr, int* linesFilled = nullptr);
  bool MeasureString(const std::string& text, const FontObject& font, float x, float y,
                     const StringFormatObject* format, gp::RectF& bounds);
  // One region per measurable character range of the format, into caller-made regions.
  bool MeasureCharacterRanges(const std::string& text, const FontObject& font,
                              const gp::RectF& layout, const StringFormatObject& format,
                              int regionCount, gp::GpRegion** regions);
  // The same, making as many regions as the format has ranges.
  bool MeasureCharacterRanges(const std::string& text, const FontObject& font,
                              const gp::RectF& layout, const StringFormatObject& format,
                              std::vector<RegionObject>& regions);
  bool DrawDriverString(const std::uint16_t* text, int length, const FontObject& font,
                        const BrushObject& brush, const gp::PointF* positions, int flags,
                        const gp::GpMatrix* matrix = nullptr);
  // One position per UTF-16 unit of the converted text.
  bool DrawDriverString(const std::string& text, const FontObject& font,
                        const BrushObject& brush, const gp::PointF* positions, int flags,
                        const gp::GpMatrix* matrix = nullptr);

  bool DrawImage(const ImageObject& image, float x, float y);
  bool DrawImageI(const ImageObject& image, int x, int y);
  bool DrawImageRect(const ImageObject& image, float x, float y, float width, float height);
  bool DrawImageRectI(const ImageObject& image, int x, int y, int width, int height);
  bool DrawCachedBitmap(gp::GpCachedBitmap* cached, int x, int y);
  bool DrawImageRectRect(const ImageObject& image, float dstX, float dstY, float dstWidth,
                         float dstHeight, float srcX, float srcY, float srcWidth,
                         float srcHeight, gp::Unit srcUnit = gp::UnitPixel,
                         const gp::GpImageAttributes* attributes = nullptr,
                         gp::DrawImageAbort callback = nullptr, void* callbackData = nullptr);
  bool DrawImageRectRectI(const ImageObject& image, int dstX, int dstY, int dstWidth,
                          int dstHeight, int srcX, int srcY, int srcWidth, int srcHeight,
                          gp::Unit srcUnit = gp::UnitPixel,
                          const gp::GpImageAttributes* attributes = nullptr,
                          gp::DrawImageAbort callback = nullptr, void* callbackData = nullptr);
  bool DrawImagePoints(const ImageObject& image, const gp::PointF* points, int count);
  bool DrawImagePointsI(const ImageObject& image, const gp::Point* points, int count);
  bool DrawImagePointRect(const ImageObject& image, float x, float y, float srcX, float srcY,
                          float srcWidth, float srcHeight, gp::Unit srcUnit = gp::UnitPixel);
  bool DrawImagePointRectI(const ImageObject& image, int x, int y, int srcX, int srcY,
                           int srcWidth, int srcHeight, gp::Unit srcUnit = gp::UnitPixel);
  bool DrawImageRectRect(const ImageObject& image, const gp::RectF& dst, const gp::RectF& src,
                         gp::Unit srcUnit = gp::UnitPixel,
                         const gp::GpImageAttributes* attributes = nullptr,
                         gp::DrawImageAbort callback = nullptr, void* callbackData = nullptr);
  bool DrawImageRectRectI(const ImageObject& image, const gp::Rect& dst, const gp::Rect& src,
                          gp::Unit srcUnit = gp::UnitPixel,
                          const gp::GpImageAttributes* attributes = nullptr,
                          gp::DrawImageAbort callback = nullptr, void* callbackData = nullptr);
  bool DrawImagePointsRect(const ImageObject& image, const gp::PointF* points, int count,
                           float srcX, float srcY, float srcWidth, float srcHeight,
                           gp::Unit srcUnit = gp::UnitPixel,
                           const gp::GpImageAttributes* attributes = nullptr,
                           gp::DrawImageAbort callback = nullptr, void* callbackData = nullptr);
  bool DrawImagePointsRectI(const ImageObject& image, const gp::Point* points, int count,
                            int srcX, int srcY, int srcWidth, int srcHeight,
                            gp::Unit srcUnit = gp::UnitPixel,
                            const gp::GpImageAttributes* attributes = nullptr,
                            gp::DrawImageAbort callback = nullptr,
                            void* callbackData = nullptr);

  // The metafile is an image wrapper holding a GpMetafile.
  bool EnumerateMetafileDestPoint(const ImageObject& metafile, const gp::PointF& dest,
                                  gp::EnumerateMetafileProc callback, void* data = nullptr,
                                  const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileDestPointI(const ImageObject& metafile, const gp::Point& dest,
                                   gp::EnumerateMetafileProc callback, void* data = nullptr,
                                   const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileDestPoints(const ImageObject& metafile, const gp::PointF* dest,
                                   int count, gp::EnumerateMetafileProc callback,
                                   void* data = nullptr,
                                   const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileDestPointsI(const ImageObject& metafile, const gp::Point* dest,
                                    int count, gp::EnumerateMetafileProc callback,
                                    void* data = nullptr,
                                    const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileDestRect(const ImageObject& metafile, const gp::RectF& dest,
                                 gp::EnumerateMetafileProc callback, void* data = nullptr,
                                 const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileDestRectI(const ImageObject& metafile, const gp::Rect& dest,
                                  gp::EnumerateMetafileProc callback, void* data = nullptr,
                                  const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestPoint(const ImageObject& metafile, const gp::PointF& dest,
                                         const gp::RectF& src, gp::Unit srcUnit,
                                         gp::EnumerateMetafileProc callback,
                                         void* data = nullptr,
                                         const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestPointI(const ImageObject& metafile, const gp::Point& dest,
                                          const gp::Rect& src, gp::Unit srcUnit,
                                          gp::EnumerateMetafileProc callback,
                                          void* data = nullptr,
                                          const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestPoints(const ImageObject& metafile, const gp::PointF* dest,
                                          int count, const gp::RectF& src, gp::Unit srcUnit,
                                          gp::EnumerateMetafileProc callback,
                                          void* data = nullptr,
                                          const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestPointsI(const ImageObject& metafile, const gp::Point* dest,
                                           int count, const gp::Rect& src, gp::Unit srcUnit,
                                           gp::EnumerateMetafileProc callback,
                                           void* data = nullptr,
                                           const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestRect(const ImageObject& metafile, const gp::RectF& dest,
                                        const gp::RectF& src, gp::Unit srcUnit,
                                        gp::EnumerateMetafileProc callback,
                                        void* data = nullptr,
                                        const gp::GpImageAttributes* attributes = nullptr);
  bool EnumerateMetafileSrcRectDestRectI(const ImageObject& metafile, const gp::Rect& dest,
                                         const gp::Rect& src, gp::Unit srcUnit,
                                         gp::EnumerateMetafileProc callback,
                                         void* data = nullptr,
                                         const gp::GpImageAttributes* attributes = nullptr);

  bool SetClipGraphics(const GraphicsObject& source,
                       gp::CombineMode mode = gp::CombineModeReplace);
  bool SetClipPath(const PathObject& path, gp::CombineMode mode = gp::CombineModeReplace);
  bool SetClipRect(float x, float y, float width, float height,
                   gp::CombineMode mode = gp::CombineModeReplace);
  bool SetClipRectI(int x, int y, int width, int height,
                    gp::CombineMode mode = gp::CombineModeReplace);
  bool SetClipRegion(const RegionObject& region, gp::CombineMode mode = gp::CombineModeReplace);
  bool SetClipHrgn(HRGN region, gp::CombineMode mode = gp::CombineModeReplace);
  bool ResetClip();
  bool TranslateClip(float dx, float dy);
  bool TranslateClipI(int dx, int dy);
  // Into a region the caller made.
  bool GetClip(RegionObject& region);
  gp::RectF GetClipBounds();
  gp::Rect GetClipBoundsI();
  gp::RectF GetVisibleClipBounds();
  gp::Rect GetVisibleClipBoundsI();
  bool IsClipEmpty();
  bool IsVisibleClipEmpty();
  bool IsVisiblePoint(float x, float y);
  bool IsVisiblePointI(int x, int y);
  bool IsVisibleRect(float x, float y, float width, float height);
  bool IsVisibleRectI(int x, int y, int width, int height);

  gp::GraphicsState SaveGraphics();
  bool RestoreGraphics(gp::GraphicsState state);
  gp::GraphicsContainer BeginContainer(const gp::RectF& dst, const gp::RectF& src,
                                       gp::Unit unit);
  gp::GraphicsContainer BeginContainerI(const gp::Rect& dst, const gp::Rect& src,
                                        gp::Unit unit);
  gp::GraphicsContainer BeginContainer2();
  bool EndContainer(gp::GraphicsContainer container);
  bool Comment(unsigned size, const std::uint8_t* data);

 protected:
  gp::Status DeleteNative(void* handle) override;
};
