#pragma once
// Drives the real program from a test thread as a user would: it runs the program's window
// thread beside the test, finds its windows and message boxes, types, clicks, presses keys,
// and takes screenshots. Every wait has a deadline so that a missed window fails the test.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "tools/demo/user_input.h"

// Waits until `condition` holds or the time is up; pumps nothing (the program has its own thread).
bool WaitFor(const std::function<bool()>& condition, unsigned milliseconds = 10000);

class ProgramRun {
 public:
  // Starts the program on a thread of its own, pointed at the service at `service`
  // ("host:port"); by default a closed local port, so that nothing leaves the machine.
  explicit ProgramRun(const std::string& service = "127.0.0.1:1");
  ~ProgramRun();  // closes whatever is left and waits for the program to end

  DWORD ThreadId() const { return threadId_; }
  bool Ended() const { return ended_; }
  // Workers of the program still running when it had ended (valid once Ended()).
  int WorkersAtEnd() const { return workersAtEnd_; }
  bool WaitForEnd(unsigned milliseconds = 10000);

  // Top-level windows of the program's thread.
  HWND FindWindowWithClass(const wchar_t* className) const;
  HWND WaitForMessageBox(unsigned milliseconds = 10000) const;
  HWND MainWindow() const;
  // The runtime window other than the main one (the detail window), or nullptr.
  HWND OtherRuntimeWindow() const;

 private:
  std::thread thread_;
  DWORD threadId_ = 0;
  volatile bool ended_ = false;
  volatile int workersAtEnd_ = 0;
};

// Answers the disclaimer with Yes and returns the main window; nullptr when no disclaimer came.
HWND AcceptDisclaimer(ProgramRun& run);

std::wstring WindowText(HWND window);
std::string WindowTextGbk(HWND window);
// The message text of a standard message box.
std::string MessageBoxText(HWND box);
void AnswerMessageBox(HWND box, int buttonId);

// A click that the system never joins to the one before into a double click: it waits out
// the double-click time since the last such click. (A double click on 查询 counts once.)
void ClickApart(HWND window, int x, int y);

// Makes `window` the foreground window (input then goes to it).
void BringToFront(HWND window);

// build/screenshots/<locale>/, made when missing.
std::filesystem::path ScreenshotFolder();
// Writes build/screenshots/<locale>/<name>.png of what the screen shows of `window`.
bool SaveScreenshot(HWND window, const std::string& name);

// The file's bytes, or "(no file)".
std::string FileBytes(const std::filesystem::path& path);
// A UTF-8 literal as the std::string that the simulator's JSON holds.
std::string Utf8(const char8_t* text);
// A fresh, empty folder of this test process under the temporary folder.
std::filesystem::path ScratchFolder(const std::string& name);
