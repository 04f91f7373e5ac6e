#pragma once
// Check boxes and auto radio buttons, painted by the engine over the skinned background.
#include <windows.h>

#include "skin/skin_core.h"

struct CheckRadioRecord : ControlRecord {
  enum Variant { Radio = 4, CheckBox = 5 };
  int variant = CheckBox;
  bool focused = false;
  HWND parent = nullptr;  // the window that was searched
  ControlFont font;
};

// The hot kind of the skin window record while a check box or radio button is lit.
inline constexpr int kHotKindCheckRadio = 5;

void InstallCheckAndRadioButtons(int skinIndex, HWND parent);
LRESULT CALLBACK CheckRadioWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// `state` holds ODS_* bits: ODS_HOTLIGHT lights the box, ODS_DISABLED greys it.
void PaintCheckBox(HWND window, UINT state);
void PaintRadioButton(HWND window, UINT state);
