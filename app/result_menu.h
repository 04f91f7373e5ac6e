#pragma once
// The result list's context menu (copy the selected rows, copy the page, export every page),
// its keyboard shortcuts Ctrl+C and Ctrl+A, and the copying of rows to the clipboard.
#include <windows.h>

// Window thread, once the main window's units exist.
void InstallResultMenu(HWND list);

// Window thread. Puts the rows on the clipboard as Unicode text: name, filing date and case number
// separated by tabs, each row ended by CR LF. False when there is no row or no clipboard.
bool CopyRows(HWND list, bool selectedOnly);
