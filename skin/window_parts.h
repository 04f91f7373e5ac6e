#pragma once
// Where the parts of a control's window lie (client area, scroll bars); the DC over the
// whole window (WholeWindowDc) comes with it. Family-neutral.
#include <windows.h>

#include "runtime/handles.h"

// The window rectangle's size.
SIZE WindowSizeOf(HWND window);
// Where the client area lies inside the window rectangle, read from the window itself (the
// border and the scroll bars as the system laid them out).
RECT ClientRectInWindow(HWND window);
// The client area and the visible scroll bars, in window coordinates.
RECT ClientAndBarsInWindow(HWND window);
// The screen rectangles of the window's visible scroll bars as one region (the caller
// deletes it); nullptr when it has none.
HRGN ScrollBarRegion(HWND window);
