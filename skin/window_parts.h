#pragma once
// Where the parts of a control's window lie (client area, scroll bars) and a DC over the
// whole window. Family-neutral.
#include <windows.h>

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

// GetWindowDC of a window (its non-client area included), released when it goes.
class WholeWindowDc {
 public:
  explicit WholeWindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~WholeWindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WholeWindowDc(const WholeWindowDc&) = delete;
  WholeWindowDc& operator=(const WholeWindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};
