#pragma once
// The skin engine in the application's life: created at start-up, given its start values,
// skinning the main window before the disclaimer opens, released at shutdown.
#include <windows.h>

// Start-up, before GDI+ starts: the engine object with fresh settings and lists.
void CreateSkinEngine();
// Start-up, once the icon is loaded: the engine-wide start values.
void SetSkinStartValues(HICON icon);
// The main window's look: the built-in skin picture, the veil, then the window itself.
void SkinMainWindow(HWND main);
// Shutdown, after the application state is released: the engine goes, then GDI+.
void ReleaseSkinEngine();
