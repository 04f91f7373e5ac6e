#include "skin/text_painters.h"

#include <algorithm>
#include <cmath>

#include "gdiplus/brush_objects.h"
#include "gdiplus/font_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/string_format_object.h"
#include "runtime/embedded.h"
#include "runtime/gbk_text.h"
#include "runtime/handles.h"
#include "skin/skin_core.h"

std::string ControlTextGbk(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  wide.resize(static_cast<size_t>(std::max(GetWindowTextW(window, wide.data(), length + 1), 0)));
  return WideToGbk(wide);
}

bool MakeFont(FontObject& font, const std::string& face, float size, int style) {
  if (size <= 0) size = 12;
  const std::string name = face.empty() ? std::string("宋体") : face;
  for (const gp::Unit unit : {gp::UnitDisplay, gp::UnitPixel}) {
    if (font.CreateFont(name, size, style, unit)) return true;
  }
  FontFamilyObject generic;
  return generic.GetGenericFontFamilySansSerif() && font.CreateFont(generic, size, style, gp::UnitPixel);
}

float MeasureControlText(GraphicsObject& graphics, const std::string& text, const std::string& face, int size,
                         int style) {
  FontObject font;
  if (text.empty() || !MakeFont(font, face, static_cast<float>(size), style)) return 0;
  gp::RectF bounds{};
  if (!graphics.MeasureString(text, font, gp::RectF(0, 0, 10000, 1000), nullptr, bounds)) return 0;
  return bounds.Width;
}

int MeasureTextWidth(const std::string& text, const std::string& face, int size, int style) {
  if (text.empty()) return 0;
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  GraphicsObject graphics;
  if (!dc || !graphics.CreateFromHDC(dc.get())) return 0;
  return static_cast<int>(MeasureControlText(graphics, text, face, size, style));
}

void DrawControlText(GraphicsObject& graphics, const std::string& text, const std::string& face, int size,
                     int style, std::uint32_t argb, const gp::RectF& layout, int align, int lineAlign) {
  if (text.empty() || layout.Width <= 0 || layout.Height <= 0) return;
  FontObject font;
  SolidBrushObject ink;
  StringFormatObject format;
  if (!MakeFont(font, face, static_cast<float>(size), style) || !ink.CreateSolidFill(argb) ||
      !format.CreateStringFormat(gp::StringFormatFlagsNoWrap)) {
    return;
  }
  format.SetStringFormatAlign(static_cast<gp::StringAlignment>(align));
  format.SetStringFormatLineAlign(static_cast<gp::StringAlignment>(lineAlign));
  format.SetStringFormatHotkeyPrefix(gp::HotkeyPrefixHide);
  graphics.SetTextRenderingHint(gp::TextRenderingHintAntiAlias);
  graphics.DrawString(text, font, layout, &format, ink);
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
