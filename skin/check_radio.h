#pragma once
// Check boxes and auto radio buttons, painted by the engine over the skinned background.
#include <windows.h>

#include "skin/backdrop_cache.h"
#include "skin/skin_core.h"

struct CheckRadioRecord : ControlRecord {
  enum Variant { Radio = 4, CheckBox = 5 };
  int variant = CheckBox;
  bool focused = false;
  HWND parent = nullptr;  // the window that was searched
  ControlFont font;
  HoverTracker hover{HoverOwner::CheckRadio};
  CachedBackdrop behind;  // the skin behind the button
  StatePictures faces;    // painted per hot, disabled and checked state
};

void InstallCheckAndRadioButtons(int skinIndex, HWND parent);
LRESULT CALLBACK CheckRadioWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The one paint routine of both: the button's picture into `dc` (client and window
// coincide). `state` holds ODS_* bits: ODS_HOTLIGHT lights the mark (so does the hover the
// record tracks), ODS_DISABLED greys it.
void PaintCheckOrRadio(HWND window, HDC dc, UINT state);
