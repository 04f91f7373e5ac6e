#pragma once
// Every network action runs on a worker thread of its own, and only one at a time: two
// searches started back to back never mix their pages in the list or in the state. Once
// the program closes, a worker still waiting for its turn does nothing.
#include <atomic>
#include <mutex>

#include "runtime/threads.h"

std::mutex& NetworkActionLock();

// Set at shutdown: no new network action starts after it.
std::atomic<bool>& ProgramClosing();

template <ThreadRoutine routine>
void RunSerialised() {
  std::lock_guard<std::mutex> lock(NetworkActionLock());
  if (ProgramClosing()) return;
  routine();
}

// Starts `routine` on a new thread, serialised with every other network action.
template <ThreadRoutine routine>
void StartWorker() {
  if (!ProgramClosing()) StartThread(&RunSerialised<routine>);
}
