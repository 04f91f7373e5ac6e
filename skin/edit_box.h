#pragma once
// Edit boxes over the skin: a thin painted frame that lights up on hover and focus, the
// veiled skin behind the text, and repaints wherever typing or scrolling would leave old
// pixels on the transparent background. Internal to skin/.
#include <windows.h>

#include "skin/frame_ring.h"
#include "skin/skin_core.h"

struct EditRecord : ControlRecord {
  HoverTracker hover{HoverOwner::Edit};
  bool focused = false;
  bool mouseDown = false;
  FrameRing frame;  // the frame painted per state (plain, focused, hot)
};

// The edit half: every "Edit" child (and, with the veil given, the edit of a combo box).
void InstallEditAndComboBoxes(int skinIndex, HWND parent);
LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PaintEditFrame(HWND window, bool focused, bool hot);
// The veiled skin behind the client area: into `dc` at its origin, or into the window DC at
// the client area's place.
void PaintControlBackground(HWND window, HDC dc, bool intoDc);
