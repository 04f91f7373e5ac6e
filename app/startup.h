#pragma once
// app/ holds the Query client: its windows' handlers and workers, one feature a file group.
// Start-up, the main window's own handlers, and shutdown.

// The whole run: start-up, the main window's message loop, shutdown; the exit code.
int RunVeradin();
void ShutdownApplication();

// Main window handlers (window thread).
void PrepareMainWindow();  // the main window's menus and skin, before it shows
void ShowDisclaimer();
void LockMainWindowSize();
void PollEnterKey();  // the timer's tick: an Enter pressed since the last one jumps to the page
