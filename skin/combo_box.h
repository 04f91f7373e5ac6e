#pragma once
// Combo boxes of the three styles, painted whole by the engine: frame, drop-down button
// with its arrow, and the text of a drop-down list; the edit field and a simple combo's
// list show through a colour key.
#include <windows.h>

#include "skin/backdrop_cache.h"
#include "skin/control_paint.h"
#include "skin/palette.h"
#include "skin/skin_core.h"

struct ComboRecord : ControlRecord {
  HoverTracker hover{HoverOwner::Combo};
  bool focused = false;
  CachedBackdrop behind;  // the skin behind the whole window
  StatePictures faces;    // painted per hover and focus; the look holds the text and the children's places
};

// The colour that stands for "the child's own picture" in a combo box's composition.
inline constexpr COLORREF kComboKey = palette::kChildKey;

void InstallComboBoxes(int skinIndex, HWND parent);
LRESULT CALLBACK ComboWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The one paint routine: the whole window's picture, as the record's hover and focus say,
// into `dc`; the children's places are left to them.
void PaintCombo(HWND combo, HDC dc, DcOrigin origin);
// Where the drop-down button lies in a combo box of the window size and style; empty for
// CBS_SIMPLE.
RECT ComboButtonRect(int width, int height, LONG_PTR style);
