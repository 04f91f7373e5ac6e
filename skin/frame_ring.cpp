#include "skin/frame_ring.h"

#include "gdiplus/graphics_object.h"
#include "gdiplus/pen_object.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/veil.h"
#include "skin/window_parts.h"

const Surface* FrameRing::Picture(HWND window, RingState state, const RingLook& look, int w, int h) {
  const RECT whole{0, 0, w, h};
  const BackdropKey key = BackdropKeyOf(window, whole, look.veiled);
  if (!key.skinIndex) return nullptr;
  const int s = static_cast<int>(state);
  const COLORREF accent = Engine().accentColour;
  const std::size_t inks =
      LookHash().Add(static_cast<std::size_t>(accent)).Add(look.accentAlpha).Add(look.plainAlpha).Value();
  if (const Surface* kept = pictures_.Find(s, key, inks)) return kept;
  Surface* fresh = pictures_.Store(s, key, inks, w, h);
  if (!fresh) return nullptr;
  // Straight from the window's shared veiled buffer: a copy of its own would be one more bitmap.
  if (!look.veiled || !CopyVeiledBackdrop(window, whole, fresh->Dc(), 0, 0)) {
    PatBlt(fresh->Dc(), 0, 0, w, h, WHITENESS);
  }
  PixelGraphics g(*fresh);
  PenObject pen;
  if (!g.Ok()) {
    pictures_.Drop(s);
    return nullptr;
  }
  switch (state) {
    case RingState::Hot:
      if (pen.CreatePen1(ToArgb(accent, look.accentAlpha), 2)) g.Get().DrawRectangleI(pen, 1, 1, w - 2, h - 2);
      break;
    case RingState::Focused:
      if (pen.CreatePen1(ToArgb(accent, look.accentAlpha), 1)) g.Get().DrawRectangleI(pen, 0, 0, w - 1, h - 1);
      break;
    case RingState::Plain:
      if (pen.CreatePen1(ToArgb(palette::kBlack, look.plainAlpha), 1)) g.Get().DrawRectangleI(pen, 0, 0, w - 1, h - 1);
      break;
  }
  return fresh;
}

void FrameRing::Paint(HWND window, RingState state, const RECT& inner, const RingLook& look) {
  RECT outer{};
  GetWindowRect(window, &outer);
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  if (w <= 0 || h <= 0) return;
  const Surface* ring = Picture(window, state, look, w, h);
  if (!ring) return;
  WholeWindowDc dc(window);
  if (!dc.Get()) return;
  ExcludeClipRect(dc.Get(), inner.left, inner.top, inner.right, inner.bottom);
  BitBlt(dc.Get(), 0, 0, w, h, ring->Dc(), 0, 0, SRCCOPY);
}
