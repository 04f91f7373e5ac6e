#pragma once
// The units of the two windows that the routines read and write, found by their names.
#include <windows.h>

#include "app/app_state.h"
#include "runtime/window.h"

inline HWND MainUnit(const char* name) { return FindUnit(AppState().mainWindow, name); }
inline HWND DetailUnit(const char* name) { return FindUnit(AppState().detailWindow, name); }
