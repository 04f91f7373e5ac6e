#pragma once
// The export's progress window: page k of n, a bar, and 取消. It never takes the focus.
#include <windows.h>

// Window thread. The window over `owner`, or nullptr.
HWND CreateProgressWindow(HWND owner, int pages);
// Worker: page k of n, the bar at the pages done.
void ShowProgress(int page, int pages, int done);
