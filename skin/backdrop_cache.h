#pragma once
// Pictures kept between paints of one control: the (veiled) skin behind it, and what was
// painted over that per state. Each is used only while its key matches: the key holds
// everything that makes the picture stale, so nothing needs to be told to drop it.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
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

// Folds what a picture shows into one number for StatePictures' `look`.
class LookHash {
 public:
  LookHash& Add(std::size_t v) {
    value_ ^= v + 0x9E3779B9u + (value_ << 6) + (value_ >> 2);
    return *this;
  }
  LookHash& Add(int v) { return Add(static_cast<std::size_t>(static_cast<unsigned>(v))); }
  LookHash& Add(const RECT& r) { return Add(static_cast<int>(r.left)).Add(static_cast<int>(r.top)).Add(static_cast<int>(r.right)).Add(static_cast<int>(r.bottom)); }
  LookHash& Add(const std::string& text) { return Add(std::hash<std::string>{}(text)); }
  std::size_t Value() const { return value_; }

 private:
  std::size_t value_ = 0;
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
