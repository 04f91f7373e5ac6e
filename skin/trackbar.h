#pragma once
// Trackbars and progress bars, painted whole (client and frame) from their own state.
#include <windows.h>

#include "skin/skin_core.h"

struct TrackbarRecord : ControlRecord {
  bool vertical = false;
  int tickPlacement = 1;  // 0 top/left, 1 bottom/right, 2 both, 3 none
  bool hot = false;
  bool selectionRange = false;
};

struct ProgressRecord : ControlRecord {
  bool vertical = false;
};

inline constexpr int kHotKindTrackbar = 2;

void InstallTrackbars(int skinIndex, HWND parent);
void InstallProgressBars(int skinIndex, HWND parent);
LRESULT CALLBACK TrackbarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PaintTrackbar(int skinIndex, int trackbarIndex);
void PaintProgressBar(int skinIndex, int progressIndex);

int TickPlacementOf(LONG_PTR style);
// The pixel along a channel from `start` to `end` that stands for `value` of the range
// low..high; an empty range puts every value at the start.
int ValueToPixel(int value, int low, int high, int start, int end);
// How much of an inner length a progress bar fills at `position` of low..high (clamped);
// an empty range fills nothing.
int ProgressFillLength(int position, int low, int high, int innerLength);
