#pragma once
// The Enter key of the page jump. The system's "pressed since the last query" bit would
// carry an Enter pressed in a message box of the program (or in another program) over to
// the next tick, when the main window is in front again; so the window thread notes each
// Enter that goes down while the main window is in front, and the tick takes that note.
#include <windows.h>

class EnterKeyWatch {
 public:
  EnterKeyWatch();  // watches the calling (window) thread's keyboard input
  ~EnterKeyWatch();
  EnterKeyWatch(const EnterKeyWatch&) = delete;
  EnterKeyWatch& operator=(const EnterKeyWatch&) = delete;

 private:
  HHOOK hook_;
};

// True once for every Enter pressed in the main window since the previous call.
bool TakeEnterPress();
