#pragma once
// The thin ring a control's frame shows around its inner area (client area and scroll bars):
// painted once per state over the veiled skin behind the control (white without the veil),
// kept while that skin, the control's place and the accent colour stay, and copied to the
// screen with the inner area clipped out. Internal to skin/.
#include <windows.h>

#include <cstdint>

#include "skin/backdrop_cache.h"

enum class RingState : int { Plain = 0, Focused = 1, Hot = 2 };

struct RingLook {
  bool veiled = true;   // over the veiled skin; over white otherwise
  int accentAlpha = 200;  // the outline's alpha when hot or focused (in the accent colour)
  int plainAlpha = 90;    // and otherwise (black)
};

class FrameRing {
 public:
  // Shows the ring of `state` on the window's whole-window DC; `inner` is in window coordinates.
  void Paint(HWND window, RingState state, const RECT& inner, const RingLook& look);

 private:
  const Surface* Picture(HWND window, RingState state, const RingLook& look, int w, int h);
  StatePictures pictures_;
};
