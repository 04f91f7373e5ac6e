#pragma once
// The gallery: one skinned window that holds every control family of the skin engine, so
// that a person (and the tests) can see the whole engine at work.
#include <windows.h>

#include <map>
#include <string>

#include "runtime/handles.h"

class SkinEngine;

class GalleryWindow {
 public:
  // Sets the program's skin picture and veil on `skin`, builds the window and skins it.
  // With `quitOnClose` closing the window ends the thread's message loop.
  GalleryWindow(SkinEngine& skin, bool quitOnClose);
  ~GalleryWindow();
  GalleryWindow(const GalleryWindow&) = delete;
  GalleryWindow& operator=(const GalleryWindow&) = delete;

  HWND Get() const { return window_; }
  // A control by its gallery name ("check.auto", "combo.simple", ...), or nullptr.
  HWND Control(const std::string& name) const;
  const std::map<std::string, HWND>& Controls() const { return controls_; }

 private:
  HWND Add(const std::string& name, HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y,
           int w, int h, DWORD exStyle = 0);
  void Build();

  SkinEngine& skin_;
  HWND window_ = nullptr;
  UniqueFont font_;
  std::map<std::string, HWND> controls_;
};
