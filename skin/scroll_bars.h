#pragma once
// The painted scroll bars of list controls: their geometry from the control's scroll
// information, their look, and the arithmetic between thumb place and scroll position.
// Part of the list-control family. Internal to skin/.
#include <windows.h>

enum class BarPart : int { None = 0, ArrowBack, PageBack, Thumb, PageForward, ArrowForward };

struct BarGeometry {
  RECT bar{};           // the whole bar, window coordinates
  bool vertical = true;
  int start = 0;        // first pixel of the bar along its axis
  int length = 0;       // along the axis
  int arrow = 0;        // length of each arrow button
  int track = 0;        // between the arrows
  bool thumbShown = false;
  int thumbStart = 0;   // along the axis, from the bar's start
  int thumbLength = 0;
  int minPos = 0, maxPos = 0;  // the positions the thumb can stand for
};

inline constexpr int kMinThumb = 10;

// Geometry of a bar laid out in `bar` with the control's scroll information.
BarGeometry ComputeBarGeometry(const RECT& bar, bool vertical, const SCROLLINFO& info);
// The scroll position a thumb starting `thumbStart` pixels into the bar stands for.
int PositionForThumb(const BarGeometry& g, int thumbStart);
// The part under a point along the bar's axis (window coordinates of that axis).
BarPart PartAt(const BarGeometry& g, int along);
// The bar of a window (SB_VERT or SB_HORZ) in window coordinates; false when not shown.
bool BarRectInWindow(HWND window, int bar, RECT& rect);
// Paints one bar into the window DC over the skin: veiled track, glass thumb, arrows.
void PaintScrollBar(HWND window, HDC windowDc, const BarGeometry& g, BarPart hot, BarPart pressed);
// Fills the corner between two bars with the veil.
void PaintBarCorner(HWND window, HDC windowDc, const RECT& corner);
