#pragma once
// The white veil laid over the skin behind controls. It gives the same bytes as a GDI+ fill
// of white at the veil's alpha over opaque pixels, but by table: that fill costs many
// milliseconds per control under Wine, and each colour channel's result depends only on the
// channel's own value, so one fill of 256 pixels tells every result.
#include <windows.h>

#include <cstdint>

// Veils a w x h block at (x, y) of a 32-bit top-down pixel buffer of `width` pixels a row.
// False when the table cannot be made (GDI+ refused); the pixels are then untouched.
bool LayVeilOnPixels(void* bits, int width, int x, int y, int w, int h, int alpha);
// Lays the veil, at the engine's alpha, over w x h at the origin of a DC's bitmap: by table
// when it is a 32-bit top-down DIB section (every backdrop and surface), else by a fill.
bool LayVeil(HDC dc, int w, int h);

// Copies the skin behind `rect` of a control (relative to its window rectangle) under the veil
// into `target` at (x, y). Without a container's tint in between, from one veiled copy of the
// skin window's back buffer that all its controls share. False outside a skinned window.
bool CopyVeiledBackdrop(HWND window, const RECT& rect, HDC target, int x, int y);
