#pragma once
// The picture behind a control: a copy of its skinned window's back buffer under the
// control, with the tint of an enclosing container, and the drawing routines that every
// family and the parent-side colour handling share. Internal to skin/.
#include <windows.h>

#include "skin/skin_core.h"

// A memory DC of the rectangle's size (relative to the window rectangle's top-left corner)
// holding the background behind it, or nullptr outside a skinned window. Free it with
// ReleaseBackdrop; the families hold it in a ScopedBackdrop.
HDC PaintBackdrop(HWND window, const RECT& rect);
bool ReleaseBackdrop(HDC dc);

// The one owner of a backdrop: released when it goes, whatever path the paint takes.
class ScopedBackdrop {
 public:
  ScopedBackdrop() = default;
  // PaintBackdrop of the rectangle.
  ScopedBackdrop(HWND window, const RECT& rect) : dc_(PaintBackdrop(window, rect)) {}
  ~ScopedBackdrop() { ReleaseBackdrop(dc_); }
  ScopedBackdrop(ScopedBackdrop&& other) noexcept : dc_(other.dc_) { other.dc_ = nullptr; }
  ScopedBackdrop& operator=(ScopedBackdrop&& other) noexcept {
    if (this != &other) {
      ReleaseBackdrop(dc_);
      dc_ = other.dc_;
      other.dc_ = nullptr;
    }
    return *this;
  }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_ = nullptr;
};

// The background behind the window's client area under the white veil; the caller owns it.
HBITMAP BackdropBitmap(HWND window);
// The backdrop of the whole window rectangle with the white veil over it.
ScopedBackdrop ControlBackdrop(HWND window);

struct BackdropSource {
  bool direct = false;
  int skinIndex = 0;
  int containerIndex = 0;
};
BackdropSource FindBackdropSource(HWND window);
// The container whose tint lies over the window's backdrop (its own, when it is one), or nullptr.
const ContainerRecord* ContainerTintOf(HWND window, const BackdropSource& source);
RECT RectInSkinWindow(HWND window);

// Clips the visible children without WS_EX_TRANSPARENT out of `dc`.
void ExcludeChildren(HWND window, HDC dc);
bool HasTransparentExStyle(HWND window);
void InvalidateVisibleChildren(HWND window);

// GetDC of a window with its children clipped out, released when it goes.
class DcExcludingChildren {
 public:
  explicit DcExcludingChildren(HWND window);
  ~DcExcludingChildren();
  DcExcludingChildren(const DcExcludingChildren&) = delete;
  DcExcludingChildren& operator=(const DcExcludingChildren&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The parent side of WM_CTLCOLOR*: a transparent look for a child of a skinned window or
// container. False when the previous procedure should answer.
bool AnswerControlColour(int skinIndex, UINT message, HDC dc, HWND control, LRESULT& result);
// Everything a skinned window or container does for its children's messages: the colours
// of WM_CTLCOLOR* (true, with the brush in `result`), and the owner-drawn buttons of
// WM_DRAWITEM, the tree views of WM_NOTIFY and the changed controls of WM_COMMAND, which
// then go on to the previous procedure (false).
bool AnswerChildMessage(int skinIndex, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The parent side of WM_COMMAND: with tinting on, a control whose text or selection changed
// is repainted whole, so that no old text stays on its transparent background.
void RepaintChangedControl(WPARAM wParam, LPARAM lParam);
