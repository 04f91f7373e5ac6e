#include "skin/veil.h"

#include <algorithm>
#include <array>
#include <map>

#include "gdiplus/brush_objects.h"
#include "skin/backdrop.h"
#include "skin/frame_paint.h"
#include "skin/palette.h"
#include "skin/skin_core.h"

namespace {

// What the fill leaves of each channel value (blue, green, red, and the fourth byte).
using VeilTable = std::array<std::array<std::uint8_t, 256>, 4>;

// The fill itself over one pixel of each value, in all four bytes at once, read back.
bool MeasureVeil(int alpha, VeilTable& table) {
  std::array<std::uint32_t, 256> strip{};
  for (std::uint32_t v = 0; v < 256; ++v) strip[v] = v << 24 | v << 16 | v << 8 | v;
  {
    PixelGraphics g(strip.data(), 256, 1);
    SolidBrushObject veil;
    if (!g.Ok() || !veil.CreateSolidFill(ToArgb(palette::kWhite, alpha)) ||
        !g.Get().FillRectangleI(veil, 0, 0, 256, 1)) {
      return false;
    }
  }
  for (int v = 0; v < 256; ++v) {
    for (int byte = 0; byte < 4; ++byte) table[byte][v] = static_cast<std::uint8_t>(strip[v] >> (8 * byte));
  }
  return true;
}

const VeilTable* TableFor(int alpha) {
  // A process knows one or two veils; the tables stay for its life.
  static std::map<int, VeilTable> tables;
  const auto found = tables.find(alpha);
  if (found != tables.end()) return &found->second;
  VeilTable table;
  if (!MeasureVeil(alpha, table)) return nullptr;
  return &tables.emplace(alpha, table).first->second;
}

// The skin window's back buffer under the veil, made again only when either has changed.
const Surface* VeiledBackBuffer(int skinIndex) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return nullptr;
  if (!record->backBuffer.Dc()) PaintWholeWindow(skinIndex, nullptr, false);
  const Surface& back = record->backBuffer;
  if (!back.Dc()) return nullptr;
  Surface& veiled = record->veiledBuffer;
  const int alpha = Engine().veilAlpha;
  const bool sameSize = veiled.Dc() && veiled.Width() == back.Width() && veiled.Height() == back.Height();
  if (sameSize && record->veiledGeneration == record->backBufferGeneration && record->veiledAlpha == alpha) {
    return &veiled;
  }
  if (!sameSize && !veiled.Create(back.Width(), back.Height())) return nullptr;
  ++EngineCounters().veiledBuffers;
  BitBlt(veiled.Dc(), 0, 0, back.Width(), back.Height(), back.Dc(), 0, 0, SRCCOPY);
  if (!LayVeilOnPixels(veiled.Bits(), veiled.Width(), 0, 0, veiled.Width(), veiled.Height(), alpha)) {
    veiled.Reset();
    return nullptr;
  }
  record->veiledGeneration = record->backBufferGeneration;
  record->veiledAlpha = alpha;
  return &veiled;
}

}  // namespace

bool CopyVeiledBackdrop(HWND window, const RECT& rect, HDC target, int x, int y) {
  if (!EngineRunning() || !target) return false;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return false;
  const BackdropSource source = FindBackdropSource(window);
  if (!source.skinIndex) return false;
  const ContainerRecord* tint = ContainerTintOf(window, source);
  if (!tint || tint->value == 0) {
    const Surface* veiled = VeiledBackBuffer(source.skinIndex);
    if (!veiled) return false;
    const RECT offset = source.direct ? RectInSkinWindow(window) : RectInRoot(window);
    return BitBlt(target, x, y, w, h, veiled->Dc(), offset.left + rect.left, offset.top + rect.top, SRCCOPY) != 0;
  }
  // The tint lies under the veil: this control's own copy, tinted, then veiled.
  const ScopedBackdrop tinted(window, rect);
  return tinted && LayVeil(tinted.Get(), w, h) && BitBlt(target, x, y, w, h, tinted.Get(), 0, 0, SRCCOPY);
}

bool LayVeilOnPixels(void* bits, int width, int x, int y, int w, int h, int alpha) {
  if (!bits || w <= 0 || h <= 0) return true;
  const VeilTable* table = TableFor(std::clamp(alpha, 0, 255));
  if (!table) return false;
  GdiFlush();  // GDI's pending drawing reaches the pixels first
  auto* rows = static_cast<std::uint8_t*>(bits);
  for (int row = y; row < y + h; ++row) {
    std::uint8_t* p = rows + (static_cast<std::size_t>(row) * width + x) * 4;
    for (int i = 0; i < w * 4; ++i) p[i] = (*table)[i & 3][p[i]];
  }
  return true;
}

bool LayVeil(HDC dc, int w, int h) {
  DIBSECTION dib{};
  HGDIOBJ bitmap = dc ? GetCurrentObject(dc, OBJ_BITMAP) : nullptr;
  if (bitmap && GetObjectW(bitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits && dib.dsBm.bmBitsPixel == 32 &&
      dib.dsBmih.biHeight < 0) {
    return LayVeilOnPixels(dib.dsBm.bmBits, dib.dsBm.bmWidth, 0, 0, std::min(w, static_cast<int>(dib.dsBm.bmWidth)),
                           std::min(h, static_cast<int>(dib.dsBm.bmHeight)), Engine().veilAlpha);
  }
  // Not pixels of ours: the fill itself, through the DC.
  PixelGraphics drawing(dc);
  SolidBrushObject veil;
  return drawing.Ok() && veil.CreateSolidFill(ToArgb(palette::kWhite, Engine().veilAlpha)) &&
         drawing.Get().FillRectangleI(veil, 0, 0, w, h);
}
