#pragma once
// Working-set trimming when the application is deactivated.

// Worker: empties the process's working set.
void TrimWorkingSet();
// The skin engine's deactivation handler (window thread): starts a trimming run.
void OnApplicationDeactivated();
// Waits until no trimming run is left (the tool it started has ended); true when none is.
bool WaitForTrims(unsigned milliseconds);
