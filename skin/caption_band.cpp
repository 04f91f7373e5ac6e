#include "skin/caption_band.h"

#include <algorithm>
#include <optional>

#include "gdiplus/graphics_object.h"
#include "gdiplus/pen_object.h"
#include "skin/backdrop.h"
#include "skin/frame_paint.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/skin.h"
#include "skin/skin_core.h"

namespace {

constexpr int kCellGap = 4;
constexpr int kBandInset = 4;  // cells start this far in from the band's ends
constexpr COLORREF kBandText = RGB(255, 255, 255);
constexpr COLORREF kBandShade = RGB(128, 128, 128);
constexpr int kBandFontSize = 12;

BandLayout LayoutOf(const SkinWindow& record) {
  RECT client{};
  GetClientRect(record.window, &client);
  std::vector<int> widths;
  for (const BandItem& item : record.bandItems) widths.push_back(item.width);
  return LayOutBand(client.right, client.bottom, record.bandHeight, widths);
}

void FillBand(GraphicsObject& g, const RECT& band) {
  const float x = static_cast<float>(band.left), y = static_cast<float>(band.top);
  const float w = static_cast<float>(band.right - band.left), h = static_cast<float>(band.bottom - band.top);
  FillVertical(g, x, y, w, h, ToArgb(palette::kBlack, 40), ToArgb(palette::kBlack, 110));
  PenObject edge;
  if (edge.CreatePen1(ToArgb(kBandText, 90), 1)) g.DrawLine(edge, x, y, x + w - 1, y);
}

}  // namespace

BandLayout LayOutBand(int clientWidth, int clientHeight, int bandHeight, const std::vector<int>& widths) {
  BandLayout layout;
  const int left = kFrameBorder, right = clientWidth - kFrameBorder;
  const int bottom = clientHeight - kFrameBorder, top = bottom - bandHeight;
  if (bandHeight <= 0 || right - left <= 2 * kBandInset || top < 0) return layout;
  layout.band = {left, top, right, bottom};
  int fixed = 0, shared = 0;
  for (int w : widths) {
    if (w > 0) fixed += w;
    else ++shared;
  }
  const int gaps = widths.empty() ? 0 : static_cast<int>(widths.size() - 1) * kCellGap;
  const int rest = std::max(0, right - left - 2 * kBandInset - fixed - gaps);
  int x = left + kBandInset, sharesLeft = shared;
  for (int w : widths) {
    int width = w;
    if (w <= 0) {
      width = sharesLeft == 1 ? rest - (rest / shared) * (shared - 1) : rest / shared;
      --sharesLeft;
    }
    layout.cells.push_back({x, top + 2, x + width, bottom - 2});
    x += width + kCellGap;
  }
  return layout;
}

RECT DockedRect(int clientWidth, int clientHeight, int top, int bandHeight) {
  return {2, top, clientWidth - 2, clientHeight - bandHeight - 3};
}

void DockWindows(const SkinWindow& record, int clientWidth, int clientHeight) {
  for (const auto& [docked, top] : record.docked) {
    if (!docked) continue;
    const RECT r = DockedRect(clientWidth, clientHeight, top, record.bandHeight);
    MoveWindow(docked, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
}

void CacheBandBackground(SkinWindow& record) {
  const BandLayout layout = LayoutOf(record);
  const int w = layout.band.right - layout.band.left, h = layout.band.bottom - layout.band.top;
  if (w <= 0 || h <= 0 || !record.backBuffer.Dc()) return;
  // Stale with the window's size, the skin picture or a new band: every one brings a full paint.
  if (record.bandCache.Width() != w || record.bandCache.Height() != h) record.bandCache.Create(w, h);
  if (record.bandCache.Dc()) {
    BitBlt(record.bandCache.Dc(), 0, 0, w, h, record.backBuffer.Dc(), layout.band.left, layout.band.top, SRCCOPY);
  }
}

void PaintBand(int skinIndex, GraphicsObject* graphics) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record || record->bandHeight <= 0 || !record->backBuffer.Dc()) return;
  const BandLayout layout = LayoutOf(*record);
  const RECT& band = layout.band;
  const int w = band.right - band.left, h = band.bottom - band.top;
  if (w <= 0 || h <= 0) return;
  std::optional<PixelGraphics> own;
  if (!graphics) {
    if (!record->bandCache.Dc() || record->bandCache.Width() != w || record->bandCache.Height() != h) return;
    BitBlt(record->backBuffer.Dc(), band.left, band.top, w, h, record->bandCache.Dc(), 0, 0, SRCCOPY);
    own.emplace(record->backBuffer);
    if (!own->Ok()) return;
    graphics = &own->Get();
  }
  GraphicsObject& g = *graphics;
  g.SetClipRectI(band.left, band.top, w, h);
  FillBand(g, band);
  PenObject separator;
  separator.CreatePen1(ToArgb(kBandText, 60), 1);
  for (size_t i = 0; i < layout.cells.size(); ++i) {
    const RECT& c = layout.cells[i];
    if (i > 0) g.DrawLine(separator, static_cast<float>(c.left - kCellGap / 2), static_cast<float>(c.top),
                          static_cast<float>(c.left - kCellGap / 2), static_cast<float>(c.bottom - 1));
    const float textTop = static_cast<float>(c.top + (c.bottom - c.top - kBandFontSize) / 2 - 1);
    DrawShadedText(g, record->bandItems[i].text, static_cast<float>(c.left + 2), textTop,
                   static_cast<float>(c.right - c.left - 2), static_cast<float>(kBandFontSize + 4), kBandText,
                   kBandShade, "宋体", static_cast<float>(kBandFontSize), 0);
  }
  g.ResetClip();
  if (own) {
    own.reset();
    DcExcludingChildren screen(record->window);
    if (screen.Get()) BitBlt(screen.Get(), band.left, band.top, w, h, record->backBuffer.Dc(), band.left, band.top, SRCCOPY);
  }
}

bool SkinEngine::SetBand(HWND window, int height, std::vector<BandItem> items) {
  SkinWindow* record = SkinnedWindow(window);
  if (!record) return false;
  record->bandHeight = std::max(0, height);
  record->bandItems = std::move(items);
  RECT client{};
  GetClientRect(window, &client);
  DockWindows(*record, client.right, client.bottom);
  record->needsFullRepaint = true;
  InvalidateRect(window, nullptr, FALSE);
  return true;
}

bool SkinEngine::SetBandItemText(HWND window, int item, const std::string& text) {
  int index = 0;
  SkinWindow* record = SkinnedWindow(window, &index);
  if (!record || item < 0 || item >= static_cast<int>(record->bandItems.size())) return false;
  record->bandItems[static_cast<size_t>(item)].text = text;
  if (!record->needsFullRepaint) PaintBand(index, nullptr);
  return true;
}

bool SkinEngine::DockInWindow(HWND window, HWND child, int top) {
  SkinWindow* record = SkinnedWindow(window);
  if (!record || !child || GetParent(child) != window) return false;
  record->docked.push_back({child, top});
  RECT client{};
  GetClientRect(window, &client);
  DockWindows(*record, client.right, client.bottom);
  return true;
}
