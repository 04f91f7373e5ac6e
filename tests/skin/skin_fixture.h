#pragma once
// A skin engine over test windows on the test's own thread, and a record of every message
// that reaches the window procedure the engine replaced.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "skin/skin.h"
#include "skin/skin_core.h"

struct SeenMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Messages the test windows' own procedure received, in order.
std::vector<SeenMessage>& Seen();
bool SawMessage(UINT message, WPARAM wParam, LPARAM lParam);

// A plain popup window of a recording class, destroyed with the object.
class TestWindow {
 public:
  TestWindow(int width, int height, DWORD style = WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND Get() const { return window_; }
  // A child control of a standard class.
  HWND AddChild(const wchar_t* className, int x, int y, int w, int h, DWORD style = 0, DWORD exStyle = 0);

 private:
  HWND window_;
};

// Delivers what is queued for the thread (paints, timers, posted messages).
void Pump();
// Keeps delivering for a while, so that timers run (a caption fade takes eight 20 ms steps).
void PumpFor(DWORD milliseconds);
// build/screenshots/<code page>/, made when missing.
std::filesystem::path ScreenshotDir();

class SkinTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The engine with the application's veil: switch on, alpha given.
  SkinEngine& Skin() { return *engine_; }
  SkinWindow& RecordOf(HWND window);
  void ResetEngine() { engine_.reset(); }

 private:
  std::unique_ptr<SkinEngine> engine_;
};
