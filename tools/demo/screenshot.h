#pragma once
// A PNG of what the screen shows of a window (BitBlt from the screen, GDI+ PNG encoder).
#include <windows.h>

#include <string>

bool SaveWindowScreenshot(HWND window, const std::wstring& file);
