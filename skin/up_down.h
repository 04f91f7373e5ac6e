#pragma once
// Up-down (spin) controls: two rounded halves with arrows, lit under the pointer.
#include <windows.h>

#include "skin/backdrop_cache.h"
#include "skin/control_paint.h"
#include "skin/skin_core.h"

struct UpDownRecord : ControlRecord {
  HoverTracker hover{HoverOwner::UpDown};
  int hotHalf = 0;  // 0 up or left, 1 down or right
  bool buttonDown = false;
  bool horizontal = false;
  CachedBackdrop behind;  // the skin behind the whole window
  StatePictures faces;    // painted per hover, press and lit half
};

void InstallUpDowns(int skinIndex, HWND parent);
LRESULT CALLBACK UpDownWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The half of the control a point lies in: 1 past the middle, else 0.
int HitTestUpDownHalf(int skinIndex, int upDownIndex, LPARAM point);
int UpDownHalfAt(int width, int height, bool horizontal, int x, int y);
// The one paint routine: the whole window's picture, lit as the record says, into `dc`.
void PaintUpDown(HWND window, HDC dc, DcOrigin origin);
