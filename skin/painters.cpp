#include "skin/painters.h"

#include <algorithm>

#include "gdiplus/brush_objects.h"
#include "gdiplus/font_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "runtime/gbk_text.h"
#include "skin/backdrop.h"
#include "skin/skin_core.h"

void AddTopRoundedPath(PathObject& path, float x, float y, float w, float h, float corner) {
  path.AddPathLine(x, y + h, x, y + corner);
  path.AddPathArc(x, y, corner, corner, 180, 90);
  path.AddPathLine(x + corner, y, x + w - corner, y);
  path.AddPathArc(x + w - corner, y, corner, corner, 270, 90);
  path.AddPathLine(x + w, y + corner, x + w, y + h);
}

void GlowPath(GraphicsObject& graphics, const PathObject& path, int passes, COLORREF colour, int alpha) {
  PenObject pen;
  if (!pen.CreatePen1(ToArgb(colour, alpha), 1)) return;
  for (int width = 1; width <= passes; ++width) {
    pen.SetPenWidth(static_cast<float>(width));
    graphics.DrawPath(pen, path);
  }
}

void FillGradient(GraphicsObject& graphics, gp::PointF from, gp::PointF to, std::uint32_t fromArgb,
                  std::uint32_t toArgb, const PathObject* path, const gp::RectF& rect) {
  if (from.X == to.X && from.Y == to.Y) to.Y += 1;  // GDI+ refuses a gradient of no length
  LinearBrushObject brush;
  if (!brush.CreateLineBrush(from, to, fromArgb, toArgb, gp::WrapModeTileFlipXY)) return;
  if (path) {
    graphics.FillPath(brush, *path);
  } else {
    graphics.FillRectangle(brush, rect);
  }
}

void FillSolid(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb) {
  SolidBrushObject brush;
  if (brush.CreateSolidFill(argb)) graphics.FillPath(brush, path);
}

void StrokePath(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb, float width) {
  PenObject pen;
  if (pen.CreatePen1(argb, width)) graphics.DrawPath(pen, path);
}

int MakeCaptionFont(FontObject& font, const std::string& face, float size, int style) {
  if (size <= 0) size = 12;
  const std::string name = face.empty() ? std::string("宋体") : face;
  for (const gp::Unit unit : {gp::UnitDisplay, gp::UnitPixel}) {
    if (font.CreateFont(name, size, style, unit)) return static_cast<int>(unit);
  }
  FontFamilyObject generic;
  if (generic.GetGenericFontFamilySansSerif() && font.CreateFont(generic, size, style, gp::UnitPixel)) {
    return static_cast<int>(gp::UnitPixel);
  }
  return 0;
}

int MeasureTextWidth(const std::string& text, const std::string& face, int size, int style) {
  if (text.empty()) return 0;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return 0;
  int width = 0;
  {
    GraphicsObject graphics;
    FontObject font;
    gp::RectF bounds{};
    if (graphics.CreateFromHDC(dc) && MakeCaptionFont(font, face, static_cast<float>(size), style) &&
        graphics.MeasureString(text, font, gp::RectF{0, 0, 10000, 1000}, nullptr, bounds)) {
      width = static_cast<int>(bounds.Width);
    }
  }
  DeleteDC(dc);
  return width;
}

std::string ControlTextGbk(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  wide.resize(static_cast<size_t>(std::max(GetWindowTextW(window, wide.data(), length + 1), 0)));
  return WideToGbk(wide);
}

RECT ClientRectInWindow(HWND window) {
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const LONG left = origin.x - outer.left, top = origin.y - outer.top;
  return RECT{left, top, left + client.right, top + client.bottom};
}

namespace {

SIZE ScrollBarSizes(HWND window) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  SIZE sizes{0, 0};
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if ((style & WS_VSCROLL) && GetScrollBarInfo(window, OBJID_VSCROLL, &info)) {
    sizes.cx = info.rcScrollBar.right - info.rcScrollBar.left;
  }
  info = {};
  info.cbSize = sizeof info;
  if ((style & WS_HSCROLL) && GetScrollBarInfo(window, OBJID_HSCROLL, &info)) {
    sizes.cy = info.rcScrollBar.bottom - info.rcScrollBar.top;
  }
  return sizes;
}

}  // namespace

HRGN ScrollBarRegion(HWND window) {
  HRGN region = nullptr;
  for (const LONG object : {OBJID_HSCROLL, OBJID_VSCROLL}) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(window, object, &info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) ||
        IsRectEmpty(&info.rcScrollBar)) {
      continue;
    }
    HRGN bar = CreateRectRgnIndirect(&info.rcScrollBar);
    if (!region) {
      region = bar;
    } else {
      CombineRgn(region, region, bar, RGN_OR);
      DeleteObject(bar);
    }
  }
  return region;
}

RECT ClientAndBarsInWindow(HWND window) {
  RECT inner = ClientRectInWindow(window);
  const SIZE bars = ScrollBarSizes(window);
  inner.right += bars.cx;
  inner.bottom += bars.cy;
  return inner;
}

void TrackLeave(HWND window) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  TrackMouseEvent(&track);
}

ScopedBackdrop::ScopedBackdrop(HWND window, const RECT& rect) : dc_(PaintBackdrop(window, rect)) {}
ScopedBackdrop::~ScopedBackdrop() { ReleaseBackdrop(dc_); }

DcGraphics::DcGraphics(HDC dc) : graphics_(std::make_unique<GraphicsObject>()) {
  DIBSECTION dib{};
  HGDIOBJ bitmap = dc ? GetCurrentObject(dc, OBJ_BITMAP) : nullptr;
  if (bitmap && GetObjectW(bitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits && dib.dsBm.bmBitsPixel == 32 &&
      dib.dsBmih.biHeight < 0) {
    image_ = std::make_unique<BitmapObject>();
    if (image_->CreateBitmapFromScan0(dib.dsBm.bmWidth, dib.dsBm.bmHeight, dib.dsBm.bmWidthBytes,
                                      PixelFormat32bppRGB, static_cast<std::uint8_t*>(dib.dsBm.bmBits)) &&
        graphics_->GetImageGraphicsContext(*image_)) {
      return;
    }
    graphics_ = std::make_unique<GraphicsObject>();
    image_.reset();
  }
  if (dc) graphics_->CreateFromHDC(dc);
}

DcGraphics::~DcGraphics() {
  graphics_.reset();  // the graphics goes before the bitmap it draws on
  image_.reset();
}

bool DcGraphics::Ok() const { return graphics_->Graphics() != nullptr; }
