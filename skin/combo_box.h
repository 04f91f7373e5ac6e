#pragma once
// Combo boxes of the three styles, painted whole by the engine: frame, drop-down button
// with its arrow, and the text of a drop-down list; the edit field and a simple combo's
// list show through a colour key.
#include <windows.h>

#include "skin/skin_core.h"

struct ComboRecord : ControlRecord {
  bool focused = false;
};

inline constexpr int kHotKindCombo = 3;
// The colour that stands for "the child's own picture" in a combo box's composition.
inline constexpr COLORREF kComboKey = RGB(255, 0, 255);

void InstallComboBoxes(int skinIndex, HWND parent);
LRESULT CALLBACK ComboWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Hot and focused default to the record's state when not given (-1).
void PaintCombo(int skinIndex, int comboIndex, int hot = -1, int focused = -1);
// Where the drop-down button lies in a combo box of the window size and style; empty for
// CBS_SIMPLE.
RECT ComboButtonRect(int width, int height, LONG_PTR style);
