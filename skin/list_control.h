#pragma once
// List boxes, list views, tree views, IP-address and date-time controls over the skin: a
// thin frame that lights up on hover and focus, painted scroll bars, and, with the veil
// given, the control's own rows drawn over the veiled skin. Internal to skin/.
#include <windows.h>

#include "skin/scroll_bars.h"
#include "skin/skin_core.h"

struct BarSnapshot {
  bool shown = false;
  int min = 0, max = 0, page = 0, pos = 0;
  bool operator==(const BarSnapshot&) const = default;
};

struct ListControlRecord : ControlRecord {
  bool focused = false;
  bool hot = false;
  bool arrowScrolling = false;
  bool hoverPolling = false;  // the pointer is over the frame, a bar or a child
  BarSnapshot painted[2];     // SB_HORZ, SB_VERT as last painted
  // Scroll-bar interaction: the bar (SB_HORZ / SB_VERT, -1 for none) and its parts.
  int hotBar = -1;
  BarPart hotPart = BarPart::None;
  int dragBar = -1;
  BarPart dragPart = BarPart::None;
  int grabOffset = 0;  // pointer's distance from the thumb's start when it was taken
  int dragThumbStart = 0;
  int dragPosition = 0;
};

void InstallListControls(int skinIndex, HWND parent);
LRESULT CALLBACK ListControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PaintListFrame(HWND window, bool hot, bool focused);
// The client area and the visible scroll bars, in window coordinates.
RECT ListInnerRect(HWND window);
bool HasSkinnableBorder(HWND window);
// Paints both bars (and the corner between them) as the control's scroll information says.
void PaintListScrollBars(HWND window);
// The geometry of one bar of a control as it stands; false when the bar is not shown.
bool ListBarGeometry(HWND window, int bar, BarGeometry& geometry);
