#pragma once
// How a family that paints a control whole hands its picture out: one paint routine per
// family takes a DC and where that DC's origin lies, and serves WM_PAINT (BeginPaint's DC,
// clipped to the update region, or the DC a caller put in wParam), WM_PRINTCLIENT (the
// given DC) and the paints that must show at once on hover or press (the window's own DC).
#include <windows.h>

#include "skin/backdrop_cache.h"
#include "skin/window_parts.h"

// Where a DC handed to a paint routine has its origin.
enum class DcOrigin { Client, Window };

// Copies a picture of the whole window rectangle (w x h) into `dc`: as it is into a window
// DC, shifted by the client area's place into a client DC.
inline void CopyWindowPicture(HWND window, HDC dc, DcOrigin origin, HDC picture, int w, int h) {
  POINT at{0, 0};
  if (origin == DcOrigin::Client) {
    const RECT client = ClientRectInWindow(window);
    at = POINT{-client.left, -client.top};
  }
  BitBlt(dc, at.x, at.y, w, h, picture, 0, 0, SRCCOPY);
}

// Answers WM_PAINT and WM_PRINTCLIENT through `paint(window, dc, origin)`; false for any
// other message.
template <typename Paint>
bool ServePaint(HWND window, UINT message, WPARAM wParam, Paint&& paint) {
  if (message == WM_PRINTCLIENT || (message == WM_PAINT && wParam)) {
    paint(window, reinterpret_cast<HDC>(wParam), DcOrigin::Client);
    return true;
  }
  if (message != WM_PAINT) return false;
  PAINTSTRUCT ps;
  if (HDC dc = BeginPaint(window, &ps)) {
    paint(window, dc, DcOrigin::Client);
    EndPaint(window, &ps);
  }
  return true;
}

// Paints now, through the window's own DC (non-client area included).
template <typename Paint>
void PaintAtOnce(HWND window, Paint&& paint) {
  WholeWindowDc dc(window);
  if (dc.Get()) paint(window, dc.Get(), DcOrigin::Window);
}

// The picture of the whole window in `state` for this look: the kept one, else the skin
// behind the control (kept too) with `draw(graphics)` over it, kept from now on. Null outside
// a skinned window or when nothing could be painted.
template <typename Draw>
const Surface* FaceOf(HWND window, CachedBackdrop& behind, StatePictures& faces, int state, std::size_t look, int w,
                      int h, Draw&& draw) {
  const RECT all{0, 0, w, h};
  const BackdropKey key = BackdropKeyOf(window, all, false);
  if (!key.skinIndex) return nullptr;
  if (const Surface* kept = faces.Find(state, key, look)) return kept;
  const Surface* skin = behind.Get(window, all, false);
  Surface* face = skin ? faces.Store(state, key, look, w, h) : nullptr;
  if (!face) return nullptr;
  BitBlt(face->Dc(), 0, 0, w, h, skin->Dc(), 0, 0, SRCCOPY);
  PixelGraphics g(*face);
  if (!g.Ok()) {
    faces.Drop(state);
    return nullptr;
  }
  draw(g.Get());
  return face;
}
