#pragma once
// Trackbars and progress bars, painted whole (client and frame) from their own state.
#include <windows.h>

#include "skin/backdrop_cache.h"
#include "skin/control_paint.h"
#include "skin/skin_core.h"

struct TrackbarRecord : ControlRecord {
  bool vertical = false;
  int tickPlacement = 1;  // 0 top/left, 1 bottom/right, 2 both, 3 none
  HoverTracker hover{HoverOwner::Trackbar};
  bool selectionRange = false;
  CachedBackdrop behind;  // the skin behind the whole window
  StatePictures faces;    // painted per hover state; the look holds the channel, thumb and ticks
};

struct ProgressRecord : ControlRecord {
  bool vertical = false;
  CachedBackdrop behind;
  StatePictures faces;  // the look holds the filled length
};

void InstallTrackbars(int skinIndex, HWND parent);
void InstallProgressBars(int skinIndex, HWND parent);
LRESULT CALLBACK TrackbarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The one paint routine of each: the whole window's picture into `dc`.
void PaintTrackbar(HWND window, HDC dc, DcOrigin origin);
void PaintProgressBar(HWND window, HDC dc, DcOrigin origin);

int TickPlacementOf(LONG_PTR style);
// The pixel along a channel from `start` to `end` that stands for `value` of the range
// low..high; an empty range puts every value at the start.
int ValueToPixel(int value, int low, int high, int start, int end);
// How much of an inner length a progress bar fills at `position` of low..high (clamped);
// an empty range fills nothing.
int ProgressFillLength(int position, int low, int high, int innerLength);
