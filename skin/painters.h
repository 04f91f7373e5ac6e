#pragma once
// Drawing pieces the control families share: open and rounded outlines, glows, gradient
// fills, caption fonts and text measuring. Family-neutral; every family may include it.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "gdiplus/gdiplus_headers.h"

class FontObject;
class GraphicsObject;
class BitmapObject;
class PathObject;

// The top of a rounded rectangle, open at the bottom: left side up, top-left arc, top
// edge, top-right arc, right side down.
void AddTopRoundedPath(PathObject& path, float x, float y, float w, float h, float corner);
// Strokes the path `passes` times with pens 1, 2, ... pixels wide in one colour.
void GlowPath(GraphicsObject& graphics, const PathObject& path, int passes, COLORREF colour, int alpha);
// A linear gradient between two points over a path (or, with no path, a rectangle). Past
// its ends the gradient mirrors instead of starting again, so the last row keeps its colour.
void FillGradient(GraphicsObject& graphics, gp::PointF from, gp::PointF to, std::uint32_t fromArgb,
                  std::uint32_t toArgb, const PathObject* path, const gp::RectF& rect = {});
// A one-colour fill of a path.
void FillSolid(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb);
// A one-pixel (or wider) outline of a path.
void StrokePath(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb, float width = 1);

// The font of a control caption. The unit asked for first is the display unit; GDI+ refuses
// it for fonts (it is no font unit), and then pixels are used, which is what the size read
// from the control's font means. A missing face falls back to the generic sans-serif family.
// Gives the unit that was taken (0 when no font could be made).
int MakeCaptionFont(FontObject& font, const std::string& face, float size, int style);
// Width of the text's bounding box in that font, measured on a memory DC; 0 for no text.
int MeasureTextWidth(const std::string& text, const std::string& face, int size, int style);

// The window text as GBK.
std::string ControlTextGbk(HWND window);
// Where the client area lies inside the window rectangle, read from the window itself (the
// border and the scroll bars as the system laid them out).
RECT ClientRectInWindow(HWND window);
// The client area and the visible scroll bars, in window coordinates.
RECT ClientAndBarsInWindow(HWND window);
// The screen rectangles of the window's visible scroll bars as one region (the caller
// deletes it); nullptr when it has none.
HRGN ScrollBarRegion(HWND window);
// Tracks the mouse leaving `window` (one WM_MOUSELEAVE).
void TrackLeave(HWND window);

// GetWindowDC of a window (its non-client area included), released when it goes.
class WholeWindowDc {
 public:
  explicit WholeWindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~WholeWindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WholeWindowDc(const WholeWindowDc&) = delete;
  WholeWindowDc& operator=(const WholeWindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A backdrop (PaintBackdrop) released in the same paint, whatever path the paint takes.
class ScopedBackdrop {
 public:
  ScopedBackdrop(HWND window, const RECT& rect);
  ~ScopedBackdrop();
  ScopedBackdrop(const ScopedBackdrop&) = delete;
  ScopedBackdrop& operator=(const ScopedBackdrop&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A GDI+ graphics over a memory DC. When the DC holds a top-down 32-bit DIB section the
// graphics draws straight into its pixels (Wine's GDI+ is many times faster on a bitmap
// than on a DC); otherwise it draws through the DC.
class DcGraphics {
 public:
  explicit DcGraphics(HDC dc);
  DcGraphics(const DcGraphics&) = delete;
  DcGraphics& operator=(const DcGraphics&) = delete;
  ~DcGraphics();
  bool Ok() const;
  GraphicsObject& Get() { return *graphics_; }

 private:
  std::unique_ptr<BitmapObject> image_;
  std::unique_ptr<GraphicsObject> graphics_;
};
