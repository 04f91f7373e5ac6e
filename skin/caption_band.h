#pragma once
// The band along the foot of a skinned window: its rectangle and cells, its cache (the
// picture under it, so the band redraws without the background), and the windows docked
// between the caption and it. Internal to skin/.
#include <windows.h>

#include <vector>

class GraphicsObject;
struct SkinWindow;

struct BandLayout {
  RECT band{};              // client coordinates; empty without a band
  std::vector<RECT> cells;  // one per item, left to right
};

// Cells of fixed width keep it; cells of width 0 share what is left evenly, the last one
// taking the odd pixels. Nothing is laid out for a band that does not fit.
BandLayout LayOutBand(int clientWidth, int clientHeight, int bandHeight, const std::vector<int>& widths);
// Where a window docked at `top` goes: two pixels in from the sides, down to the band.
RECT DockedRect(int clientWidth, int clientHeight, int top, int bandHeight);
void DockWindows(const SkinWindow& record, int clientWidth, int clientHeight);

// Keeps the back buffer's picture under the band; called by the full paint before the band
// (or anything else) is laid over it.
void CacheBandBackground(SkinWindow& record);
// Draws the band into the back buffer: with `graphics` as part of a full paint, without it
// restored from the cache first and then shown on the screen.
void PaintBand(int skinIndex, GraphicsObject* graphics);
