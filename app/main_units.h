#pragma once
// The units of the two windows that the code reads and writes, each reached by its purpose.
// The templates keep the units' own names (templates.cpp), which callers and checks read.
#include <windows.h>

#include "app/app_state.h"
#include "runtime/window.h"

// The main window.
inline HWND ResultList() { return FindUnit(AppState().mainWindow, "超级列表框1"); }
inline HWND NameField() { return FindUnit(AppState().mainWindow, "Name"); }
inline HWND IdNumberField() { return FindUnit(AppState().mainWindow, "IDNum"); }
inline HWND CaptchaCodeField() { return FindUnit(AppState().mainWindow, "Code"); }
inline HWND QueryButton() { return FindUnit(AppState().mainWindow, "Query"); }
inline HWND CaptchaPicture() { return FindUnit(AppState().mainWindow, "CodeImg"); }
inline HWND PageNumberField() { return FindUnit(AppState().mainWindow, "跳转页码"); }
inline HWND ResultCountLabel() { return FindUnit(AppState().mainWindow, "透明标签4"); }

// The detail window.
inline HWND DetailText() { return FindUnit(AppState().detailWindow, "编辑框1"); }
inline HWND DetailCaptchaCodeField() { return FindUnit(AppState().detailWindow, "编辑框2"); }
inline HWND DetailCaptchaPicture() { return FindUnit(AppState().detailWindow, "CodeImg"); }
inline HWND DetailTitle() { return FindUnit(AppState().detailWindow, "透明标签1"); }
