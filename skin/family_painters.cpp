#include "skin/family_painters.h"

#include <algorithm>
#include <cmath>

#include "gdiplus/brush_objects.h"
#include "gdiplus/font_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "gdiplus/string_format_object.h"
#include "runtime/embedded.h"
#include "runtime/gbk_text.h"
#include "skin/skin_core.h"

void MakeRoundedPath(PathObject& path, float x, float y, float width, float height, float corner) {
  path.CreatePath();
  AddRoundedRectPath(path, x, y, width, height, corner);
}

void FillGradient(GraphicsObject& graphics, const PathObject* path, float x1, float y1, float x2, float y2,
                  std::uint32_t from, std::uint32_t to) {
  if (x1 == x2 && y1 == y2) return;  // no direction: GDI+ refuses such a brush
  LinearBrushObject brush;
  if (!brush.CreateLineBrush(gp::PointF(x1, y1), gp::PointF(x2, y2), from, to)) return;
  // Clamp beyond the end points: a tiled gradient would start over past the last row.
  brush.SetLineWrapMode(gp::WrapModeTileFlipXY);
  if (path) {
    graphics.FillPath(brush, *path);
  } else {
    graphics.FillRectangle(brush, std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1) + 1, std::fabs(y2 - y1) + 1);
  }
}

void OutlinePath(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb, float width) {
  PenObject pen;
  if (pen.CreatePen1(argb, width)) graphics.DrawPath(pen, path);
}

void FillPathSolid(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb) {
  SolidBrushObject brush;
  if (brush.CreateSolidFill(argb)) graphics.FillPath(brush, path);
}

void PaintDisabledFace(GraphicsObject& graphics, const PathObject& rounded, float x, float y, float width,
                       float height) {
  SolidBrushObject grey;
  if (grey.CreateSolidFill(ToArgb(RGB(0xC0, 0xC0, 0xC0)))) graphics.FillRectangle(grey, x, y, width, height);
  LinearBrushObject gloss;
  if (height > 0 && gloss.CreateLineBrush(gp::PointF(x, y), gp::PointF(x, y + height), ToArgb(RGB(255, 255, 255), 50),
                                          ToArgb(RGB(255, 255, 255), 50))) {
    const gp::ARGB colours[3] = {ToArgb(RGB(255, 255, 255), 50), ToArgb(RGB(0, 0, 0), 10),
                                 ToArgb(RGB(255, 255, 255), 50)};
    const float positions[3] = {0.0f, 0.6f, 1.0f};
    gloss.SetLinePresetBlend(colours, positions, 3);
    graphics.FillPath(gloss, rounded);
  }
  OutlinePath(graphics, rounded, ToArgb(RGB(0, 0, 0), 80));
}

namespace {

bool MakeFont(FontObject& font, const std::string& face, int size, int style) {
  const float pixels = static_cast<float>(size > 0 ? size : 12);
  if (!face.empty() && font.CreateFont(face, pixels, style, gp::UnitPixel)) return true;
  FontFamilyObject generic;
  return generic.GetGenericFontFamilySansSerif() && font.CreateFont(generic, pixels, style, gp::UnitPixel);
}

}  // namespace

void DrawControlText(GraphicsObject& graphics, const std::string& text, const std::string& face, int size,
                     int style, std::uint32_t argb, const gp::RectF& layout, int align, int lineAlign) {
  if (text.empty() || layout.Width <= 0 || layout.Height <= 0) return;
  FontObject font;
  SolidBrushObject ink;
  StringFormatObject format;
  if (!MakeFont(font, face, size, style) || !ink.CreateSolidFill(argb) || !format.CreateStringFormat(gp::StringFormatFlagsNoWrap)) {
    return;
  }
  format.SetStringFormatAlign(static_cast<gp::StringAlignment>(align));
  format.SetStringFormatLineAlign(static_cast<gp::StringAlignment>(lineAlign));
  format.SetStringFormatHotkeyPrefix(gp::HotkeyPrefixHide);
  graphics.SetTextRenderingHint(gp::TextRenderingHintAntiAlias);
  graphics.DrawString(text, font, layout, &format, ink);
}

float MeasureControlText(GraphicsObject& graphics, const std::string& text, const std::string& face, int size,
                         int style) {
  FontObject font;
  if (text.empty() || !MakeFont(font, face, size, style)) return 0;
  gp::RectF bounds{};
  if (!graphics.MeasureString(text, font, gp::RectF(0, 0, 10000, 1000), nullptr, bounds)) return 0;
  return bounds.Width;
}

ImageObject* NamedGlyph(const wchar_t* name) {
  if (!EngineRunning() || !name) return nullptr;
  auto& cache = Engine().namedGlyphs;
  auto found = cache.find(name);
  if (found != cache.end()) return found->second.get();
  std::unique_ptr<ImageObject> picture;
  const auto bytes = EmbeddedBytes(name);
  if (!bytes.empty()) {
    picture = std::make_unique<ImageObject>();
    if (!picture->LoadImageFromBytes(bytes.data(), bytes.size())) picture.reset();
  }
  ImageObject* result = picture.get();
  cache.emplace(name, std::move(picture));  // a missing glyph is looked for once
  return result;
}

void DrawGlyphCentred(GraphicsObject& graphics, ImageObject* glyph, float x, float y, float width, float height) {
  if (!glyph || glyph->Empty()) return;
  const float gw = static_cast<float>(glyph->GetImageWidth()), gh = static_cast<float>(glyph->GetImageHeight());
  graphics.DrawImageRect(*glyph, std::floor(x + (width - gw) / 2), std::floor(y + (height - gh) / 2), gw, gh);
}

std::string ControlTextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  wide.resize(static_cast<size_t>(GetWindowTextW(window, wide.data(), length + 1)));
  return WideToGbk(wide);
}
