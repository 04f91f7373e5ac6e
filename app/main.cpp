#include <windows.h>

#include "app/routines.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunVeradin(); }
