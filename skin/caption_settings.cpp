// Changing a skinned window's caption and background after it was skinned: custom caption
// buttons, caption font and colours, a picture of its own, the help and menu callbacks.
#include <algorithm>

#include "gdiplus/image_objects.h"
#include "skin/frame_paint.h"
#include "skin/skin.h"
#include "skin/skin_core.h"

SkinWindow* SkinnedWindow(HWND window, int* index) {
  if (!EngineRunning() || !window) return nullptr;
  const int i = static_cast<int>(GetPropValue(window, kPropListIndex));
  SkinWindow* record = SkinWindowAt(i);
  if (!record || record->window != window) return nullptr;
  if (index) *index = i;
  return record;
}

namespace {

RECT ButtonRect(const CaptionButton& b) {
  return RECT{static_cast<LONG>(b.x), static_cast<LONG>(b.y), static_cast<LONG>(b.x + b.w), static_cast<LONG>(b.y + b.h)};
}

}  // namespace

bool SkinEngine::AddCaptionButton(HWND window, const std::vector<std::uint8_t>& image, const std::string& tooltip,
                                  SkinCallback callback) {
  int index = 0;
  SkinWindow* record = SkinnedWindow(window, &index);
  if (!record) return false;
  CaptionButton button;
  button.kind = CaptionKind::Custom;
  button.width = 26;
  button.height = 18;
  button.tooltip = tooltip;
  button.callback = callback;
  if (!image.empty()) {
    auto picture = std::make_shared<ImageObject>();
    if (picture->LoadImageFromBytes(image)) button.image = std::move(picture);  // else a button without a glyph
  }
  // The tools are numbered by button; every number moves one up, so they are made afresh.
  for (size_t i = 0; i < record->buttons.size(); ++i) record->tooltip.DelTool(i + 1);
  record->buttons.insert(record->buttons.begin(), std::move(button));
  record->stripWidth += 27;
  record->hoveredButton = 0;
  record->fadeIn = {};
  record->fadeOut = {};
  LayOutCaption(index);
  for (size_t i = 0; i < record->buttons.size(); ++i) {
    record->tooltip.AddTool(ButtonRect(record->buttons[i]), record->buttons[i].tooltip, i + 1);
  }
  record->needsFullRepaint = true;
  InvalidateRect(window, nullptr, FALSE);
  return true;
}

bool SkinEngine::SetCaptionStyle(HWND window, std::optional<std::string> face, std::optional<int> size,
                                 std::optional<COLORREF> textColour, std::optional<COLORREF> shadeColour,
                                 std::optional<int> style) {
  int index = 0;
  SkinWindow* record = SkinnedWindow(window, &index);
  if (!record) return false;
  if (face) record->captionFace = *face;
  if (size) record->captionSize = *size;
  if (textColour) record->captionText = *textColour;
  if (shadeColour) record->captionShade = *shadeColour;
  if (style) record->captionStyle = *style;
  if (record->showTitle) PaintCaptionTitle(index, nullptr, nullptr);
  return true;
}

bool SkinEngine::SetWindowImage(HWND window, const std::vector<std::uint8_t>& image, std::optional<int> blendMode) {
  SkinWindow* record = SkinnedWindow(window);
  if (!record) return false;
  record->blendMode = blendMode.value_or(record->blendMode);
  SetOwnImage(*record, image);
  record->needsFullRepaint = true;
  InvalidateRect(window, nullptr, FALSE);
  return true;
}

bool SkinEngine::SetHelpCallback(HWND window, SkinCallback callback) {
  SkinWindow* record = SkinnedWindow(window);
  if (!record) return false;
  record->helpCallback = callback;
  return true;
}

bool SkinEngine::SetMenuCallback(HWND window, SkinCallback callback) {
  SkinWindow* record = SkinnedWindow(window);
  if (!record) return false;
  record->menuCallback = callback;
  return true;
}

bool SkinEngine::GetCaptionStripRect(HWND window, RECT& strip) const {
  SkinWindow* record = SkinnedWindow(window);
  if (!record) return false;
  strip = RECT{record->stripLeft, record->stripTop, record->stripLeft + record->stripWidth, record->stripTop + 22};
  return true;
}
