#pragma once
// Push buttons as rounded glass buttons: owner-drawn, painted over the skin when their
// parent gets WM_DRAWITEM, lit on hover and glowing with the focus. Internal to skin/.
#include <windows.h>

#include <string>

#include <memory>

#include "gdiplus/font_objects.h"
#include "skin/backdrop_cache.h"
#include "skin/skin_core.h"

struct ButtonRecord : ControlRecord {
  HoverTracker hover{HoverOwner::PushButton};
  int variant = 0;  // 0 push button; the check and radio variants come with their family
  std::string text;  // GBK, kept up to date on WM_SETTEXT
  bool focused = false;
  HWND parent = nullptr;
  std::string face;
  int size = 12;
  int style = 0;
  // Made at the first paint: looking a face up by name is slow under Wine.
  std::unique_ptr<FontObject> font;
  StatePictures faces;  // the painted button per state word
};

// BS_PUSHBUTTON, BS_DEFPUSHBUTTON and BS_USERBUTTON, not yet owner-drawn.
bool IsSkinnablePushButton(LONG style);
void InstallPushButtons(int skinIndex, HWND parent);
LRESULT CALLBACK ButtonWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_DRAWITEM of the parent, for a button of the family.
void PaintOwnerDrawnButton(const DRAWITEMSTRUCT& item);
// The engine's own repaint (hover, leave): the state word is made here.
void PaintButtonNow(HWND window, UINT state, bool hot);
void PaintPushButton(HWND window, HDC dc, UINT state, const RECT& rect);
