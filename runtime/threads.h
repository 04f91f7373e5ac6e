#pragma once
// Worker threads started on a routine without parameter; the thread handle is closed at
// once. The count of running workers lets shutdown and tests wait for quiet.
using ThreadRoutine = void (*)();

bool StartThread(ThreadRoutine routine);
int RunningWorkers();
// Waits until no worker runs or the time is up; true when none runs.
bool WaitForWorkers(unsigned milliseconds);
