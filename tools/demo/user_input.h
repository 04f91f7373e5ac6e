#pragma once
// Real input through the system's input queue, as a user gives it.
#include <windows.h>

// Left click (or double click) at client coordinates of `window`.
void ClickAt(HWND window, int x, int y, bool doubleClick = false);
void PressKey(WORD virtualKey);
// The mouse moved to client coordinates of `window`, and the left button alone.
void MoveCursorTo(HWND window, int x, int y);
void LeftButton(bool down);
