#pragma once
// Up-down (spin) controls: two rounded halves with arrows, lit under the pointer.
#include <windows.h>

#include "skin/skin_core.h"

struct UpDownRecord : ControlRecord {
  bool hot = false;
  int hotHalf = 0;  // 0 up or left, 1 down or right
  bool buttonDown = false;
  bool horizontal = false;
};

inline constexpr int kHotKindUpDown = 8;

void InstallUpDowns(int skinIndex, HWND parent);
LRESULT CALLBACK UpDownWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The half of the control a point lies in: 1 past the middle, else 0.
int HitTestUpDownHalf(int skinIndex, int upDownIndex, LPARAM point);
int UpDownHalfAt(int width, int height, bool horizontal, int x, int y);
// Hot and pressed default to the record's (-1); `point` picks the lit half when given.
void PaintUpDown(int skinIndex, int upDownIndex, int hot = -1, int pressed = -1, const LPARAM* point = nullptr);
