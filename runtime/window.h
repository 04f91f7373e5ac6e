#pragma once
// runtime/ holds the window-unit runtime (this header, units.h) and the process services
// beside it: threads, the window thread, embedded resources, the GDI+ session, handle owners.
// Loading window templates, finding units, and the message loops that apply the Esc rule:
// Esc in a window closes it unless the unit with the focus takes the key itself.
#include <windows.h>

#include "runtime/window_template.h"

// Creates the window and its units, centres it (on the screen, or over `owner`), shows it
// and then runs its created event. With `quitOnDestroy` the thread's message loop ends when
// the window is destroyed. Returns the window, or nullptr.
HWND LoadWindow(const WindowSpec& design, HWND owner = nullptr, bool quitOnDestroy = false);

// Loads the window modal to `owner` and returns once it is closed.
void ShowModalWindow(const WindowSpec& design, HWND owner);

// Keys a window takes before the unit with the focus sees them (menu shortcuts): the handler
// returns true for a message it took. One handler for the thread's loops; null for none.
using ShortcutHandler = bool (*)(const MSG& msg);
void SetShortcutHandler(ShortcutHandler handler);

// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

// The unit of that name (GBK) in a loaded window, or nullptr.
HWND FindUnit(HWND window, const char* name);

// The window whose event routine is running on this thread (its created event included),
// or nullptr outside an event.
HWND EventWindow();

// The top-level runtime window that a unit belongs to.
HWND WindowOfUnit(HWND unit);
