#pragma once
// A log of what happens to a few windows, in order, and a check of it against a table of
// expected entries. Four things are logged per window:
//   Sent     the message arrived at the window (a procedure over the engine's);
//   Passed   the engine handed it on to the procedure it replaced (one under the engine's);
//   Default  code of this program handed it to DefWindowProcW;
//   Pixels   code of this program copied pixels onto a DC of the window (BitBlt, PatBlt,
//            StretchBlt, TransparentBlt), whichever message it happened in.
// The last two are seen through this executable's import table, so the system's own calls
// stay out of the log.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

enum class Via { Sent, Passed, Default, Pixels };

struct Logged {
  HWND window;
  Via via;
  UINT message;  // 0 for Pixels
  WPARAM wParam;
  LPARAM lParam;
  RECT pixels;                   // Pixels: the destination rectangle in the DC's coordinates
  std::shared_ptr<void> region;  // Default WM_NCPAINT: a copy of the region it was given
};

// Flags of an expected entry.
enum : unsigned {
  kMay = 1,          // may be missing
  kMany = 2,         // may come more than once in a row
  kWParam = 4,       // wParam must equal the entry's
  kLParam = 8,       // lParam must equal the entry's
  kNonZeroW = 16,    // wParam must not be 0
  kAnywhere = 32,    // counted wherever it comes, not in the order
  kNever = 64,       // must not come at all
};

struct Expect {
  HWND window;
  Via via;
  UINT message;
  unsigned flags = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class MessageLog {
 public:
  MessageLog();  // starts watching the import table
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // Before the engine takes the window: what the engine passes on is logged.
  void Under(HWND window, const char* name);
  // After: what arrives is logged.
  void Over(HWND window);

  void Clear() { entries_.clear(); }
  const std::vector<Logged>& Entries() const { return entries_; }
  std::vector<Logged> Of(HWND window, Via via, UINT message = 0) const;
  bool Saw(HWND window, Via via, UINT message, WPARAM wParam, LPARAM lParam) const;

  // The entries that the table names (window, via, message) compared with it; a mismatch
  // prints the table and the log.
  void ExpectSequence(const std::vector<Expect>& table, const std::string& what) const;

  // Used by the logging procedures and hooks.
  void Add(Logged entry);
  std::string NameOf(HWND window) const;

 private:
  std::vector<Logged> entries_;
  std::vector<std::pair<HWND, std::string>> names_;
};
