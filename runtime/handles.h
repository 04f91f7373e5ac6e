#pragma once
// Move-only owners of Win32 handles: each handle has exactly one owner that releases it.
#include <windows.h>
#include <memory>
#include <type_traits>

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct GdiObjectDeleter {
  void operator()(HGDIOBJ h) const {
    if (h) DeleteObject(h);
  }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct MemoryDcDeleter {
  void operator()(HDC h) const {
    if (h) DeleteDC(h);
  }
};
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

struct IconDestroyer {
  void operator()(HICON h) const {
    if (h) DestroyIcon(h);
  }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

struct WindowDestroyer {
  void operator()(HWND h) const {
    if (h && IsWindow(h)) DestroyWindow(h);
  }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// A screen or window DC borrowed with GetDC and handed back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : WindowDc(window, GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 protected:
  WindowDc(HWND window, HDC dc) : window_(window), dc_(dc) {}

 private:
  HWND window_;
  HDC dc_;
};

// The same with GetWindowDC: the whole window, its non-client area included.
class WholeWindowDc : public WindowDc {
 public:
  explicit WholeWindowDc(HWND window) : WindowDc(window, GetWindowDC(window)) {}
};
