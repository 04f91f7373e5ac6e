#include <windows.h>

#include "app/startup.h"

// The process ends here rather than by returning: a worker that outlived even the
// shutdown's wait then never meets static objects that the exit would destroy.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { ExitProcess(static_cast<UINT>(RunVeradin())); }
