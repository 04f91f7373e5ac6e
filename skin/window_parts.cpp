#include "skin/window_parts.h"

#include <initializer_list>

SIZE WindowSizeOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT ClientRectInWindow(HWND window) {
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const LONG left = origin.x - outer.left, top = origin.y - outer.top;
  return RECT{left, top, left + client.right, top + client.bottom};
}

namespace {

SIZE ScrollBarSizes(HWND window) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  SIZE sizes{0, 0};
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if ((style & WS_VSCROLL) && GetScrollBarInfo(window, OBJID_VSCROLL, &info)) {
    sizes.cx = info.rcScrollBar.right - info.rcScrollBar.left;
  }
  info = {};
  info.cbSize = sizeof info;
  if ((style & WS_HSCROLL) && GetScrollBarInfo(window, OBJID_HSCROLL, &info)) {
    sizes.cy = info.rcScrollBar.bottom - info.rcScrollBar.top;
  }
  return sizes;
}

}  // namespace

HRGN ScrollBarRegion(HWND window) {
  HRGN region = nullptr;
  for (const LONG object : {OBJID_HSCROLL, OBJID_VSCROLL}) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(window, object, &info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) ||
        IsRectEmpty(&info.rcScrollBar)) {
      continue;
    }
    HRGN bar = CreateRectRgnIndirect(&info.rcScrollBar);
    if (!region) {
      region = bar;
    } else {
      CombineRgn(region, region, bar, RGN_OR);
      DeleteObject(bar);
    }
  }
  return region;
}

RECT ClientAndBarsInWindow(HWND window) {
  RECT inner = ClientRectInWindow(window);
  const SIZE bars = ScrollBarSizes(window);
  inner.right += bars.cx;
  inner.bottom += bars.cy;
  return inner;
}
