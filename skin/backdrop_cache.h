#pragma once
// Pictures kept between paints of one control: the (veiled) skin behind it, and what was
// painted over that per state. Each is used only while its key matches: the key holds
// everything that makes the picture stale, so nothing needs to be told to drop it.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "skin/skin_core.h"

// The key of the skin behind `rect` (relative to the control's window rectangle); the
// skin index is 0 outside a skinned window.
BackdropKey BackdropKeyOf(HWND window, const RECT& rect, bool veiled);

// The skin behind one rectangle of a control, veiled or not, made again only when stale.
class CachedBackdrop {
 public:
  // nullptr outside a skinned window or when GDI refuses a bitmap. The picture lies at the
  // surface's origin; the surface may be larger than the rectangle.
  const Surface* Get(HWND window, const RECT& rect, bool veiled);
  void Drop() { valid_ = false; }

 private:
  Surface surface_;
  BackdropKey key_;
  bool valid_ = false;
};

// Pictures painted over a backdrop, the last two per state; `look` stands for everything else
// the painter used (text, font, colours), so a change of any of them makes a new picture.
class StatePictures {
 public:
  // The picture of `state` painted for this key and look, or nullptr.
  const Surface* Find(int state, const BackdropKey& key, std::size_t look) const;
  // A surface of w x h to paint the picture of `state` into; it is found from now on.
  Surface* Store(int state, const BackdropKey& key, std::size_t look, int width, int height);
  // Forgets the picture of `state` (one that could not be painted whole).
  void Drop(int state);

 private:
  struct Entry {
    int state = 0;
    BackdropKey key;
    std::size_t look = 0;
    Surface surface;
  };
  std::vector<std::unique_ptr<Entry>> entries_;
};
