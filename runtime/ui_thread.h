#pragma once
// The window thread and the work handed to it. Every window of the program belongs to one
// thread; other threads reach it only through RunOnUiThread, which carries a call over and
// waits for it. The window thread never waits for a worker, so this cannot deadlock, also
// while the window thread sits in a modal loop (message box, modal window, move loop).
#include <functional>

// Makes the calling thread the window thread (creates the hidden host window). Pair with
// StopUiThread on the same thread.
bool StartUiThread();
void StopUiThread();

bool IsUiThread();

// Runs `work` on the window thread and returns once it has run: at once when called there.
// Returns false (and runs nothing) when there is no window thread any more.
bool RunOnUiThread(const std::function<void()>& work);

// Queues `work` for the window thread and returns at once; false when there is none.
bool PostToUiThread(std::function<void()> work);

// Handles the messages already waiting for the calling thread and returns at once.
void PumpPendingMessages();
// The same on the window thread; elsewhere nothing: a worker has no windows to keep alive,
// and asking the system for its (empty) queue in a tight loop only costs time.
void PumpIfUiThread();
