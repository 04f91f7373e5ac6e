#pragma once
// Every network action runs on a worker thread of its own, and only one at a time: two
// searches started back to back never mix their pages in the list or in the state.
#include <mutex>

#include "runtime/threads.h"

std::mutex& NetworkActionLock();

template <ThreadRoutine routine>
void RunSerialised() {
  std::lock_guard<std::mutex> lock(NetworkActionLock());
  routine();
}

// Starts `routine` on a new thread, serialised with every other network action.
template <ThreadRoutine routine>
void StartWorker() {
  StartThread(&RunSerialised<routine>);
}
