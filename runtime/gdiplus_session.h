#pragma once
// GDI+ for the whole process: started once at start-up and shut down exactly once, by
// whichever of its owners comes last to it (the skin engine, or the shutdown routine).
#include <windows.h>

// Starts GDI+; gives the token, or 0 when it could not start.
ULONG_PTR StartGdiplus();
// Shuts GDI+ down if it runs; true only for the call that did it.
bool ShutdownGdiplus();
bool GdiplusRunning();
