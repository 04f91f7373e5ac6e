#pragma once
// List boxes, list views, tree views, IP-address and date-time controls over the skin: a
// thin frame that lights up on hover and focus around the system's own scroll bars, and,
// with the veil given, the control's own rows drawn over the veiled skin. Internal to skin/.
#include <windows.h>

#include "skin/backdrop_cache.h"
#include "skin/frame_ring.h"
#include "skin/skin_core.h"

// Which standard control a list-family record skins, read once when it is installed.
enum class ListKind : int { Other, ListBox, ComboList, ListView, TreeView };

struct ListControlRecord : ControlRecord {
  ListKind kind = ListKind::Other;
  bool focused = false;
  HoverTracker hover{HoverOwner::List};
  bool arrowScrolling = false;
  CachedBackdrop rowsBackdrop;   // the veiled skin behind the client area
  Surface rowsPicture;           // the rows drawn over it, made once per size
  FrameRing frame;               // the ring painted per state (plain, focused, hot)
};

void InstallListControls(int skinIndex, HWND parent);
LRESULT CALLBACK ListControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PaintListFrame(HWND window, bool hot, bool focused);
// The client area and the visible scroll bars, in window coordinates.
RECT ListInnerRect(HWND window);
bool HasSkinnableBorder(HWND window);
