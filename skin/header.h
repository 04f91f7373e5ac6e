#pragma once
// The column header of list views (and stand-alone headers) painted by the engine: veiled
// skin, a soft accent gradient, hover and pressed shades, dividers, icons and captions.
// Internal to skin/.
#include <windows.h>

#include <string>

#include <map>
#include <memory>

#include "gdiplus/font_objects.h"
#include "skin/backdrop_cache.h"
#include "skin/skin_core.h"

struct HeaderRecord : ControlRecord {
  HoverTracker hover{HoverOwner::Header};
  int hotItem = 0;  // 1-based, 0 for none
  int lastPaintedHotItem = 0;
  bool clickable = false;
  bool insideList = false;  // the header of a list view: its last item reaches the list's right edge
  int pressedItem = 0;
  bool buttonDown = false;
  std::string face;
  int style = 0;
  int size = 0;
  // Made at the first paint, with the measured caption widths (face look-ups are slow
  // under Wine).
  std::unique_ptr<FontObject> font;
  std::map<std::string, int> widths;
  // The whole header painted, per hot and pressed item. A picture is stale when the skin
  // behind it changes (back buffer written, header moved or resized, veil, tint: the key),
  // when an item's text, width, alignment or image changes, a column is added or removed,
  // the list's width changes the last item's reach, or the accent colour or font changes
  // (the look). A picture drawn again by the image list under the same index is not seen.
  StatePictures pictures;
};

void InstallHeaders(int skinIndex, HWND parent);
LRESULT CALLBACK HeaderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The 1-based item under x (client coordinates); 0 within 5 pixels of a divider or past the items.
int HitTestHeaderItem(HWND header, int x);
// Paints every item into `dc`, or into the header's own DC when none is given.
void PaintHeader(HWND header, HDC dc);
// Where an item's icon and caption start (icon width, margin, caption width, item width).
int HeaderContentStart(int format, int iconWidth, int margin, int textWidth, int itemWidth);
