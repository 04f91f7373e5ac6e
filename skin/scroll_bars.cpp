#include "skin/scroll_bars.h"

#include <algorithm>

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "skin/painters.h"
#include "skin/skin_core.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void FillVeil(GraphicsObject& g, int w, int h) {
  SolidBrushObject veil;
  const int alpha = Engine().veilAlphaGiven ? Engine().veilAlpha : 255;
  if (veil.CreateSolidFill(ToArgb(kWhite, alpha))) g.FillRectangleI(veil, 0, 0, w, h);
}

// A small solid triangle pointing back (up or left) or forward (down or right).
void PaintArrow(GraphicsObject& g, float cx, float cy, bool vertical, bool forward, std::uint32_t argb) {
  const float s = 3.5f;
  gp::PointF p[3];
  if (vertical) {
    const float tip = forward ? cy + s / 2 : cy - s / 2, base = forward ? cy - s / 2 : cy + s / 2;
    p[0] = {cx - s, base}; p[1] = {cx + s, base}; p[2] = {cx, tip};
  } else {
    const float tip = forward ? cx + s / 2 : cx - s / 2, base = forward ? cx - s / 2 : cx + s / 2;
    p[0] = {base, cy - s}; p[1] = {base, cy + s}; p[2] = {tip, cy};
  }
  SolidBrushObject brush;
  if (brush.CreateSolidFill(argb)) g.FillPolygon(brush, p, 3);
}

// A rounded rectangle with a soft fill, used for the thumb and lit arrow buttons.
void PaintKnob(GraphicsObject& g, float x, float y, float w, float h, int strength, bool outlined) {
  if (w < 3 || h < 3) return;
  PathObject round;
  round.CreatePath();
  AddRoundedRectPath(round, x, y, w - 1, h - 1, 4);
  FillGradient(g, {x, y}, {x + (w > h ? 0 : w), y + (w > h ? h : 0)}, ToArgb(kBlack, strength),
               ToArgb(kBlack, strength + 25), &round);
  PathObject gloss;
  gloss.CreatePath();
  AddRoundedRectPath(gloss, x + 1, y + 1, w - 3, h - 3, 3);
  StrokePath(g, gloss, ToArgb(kWhite, 70));
  StrokePath(g, round, outlined ? ToArgb(Engine().accentColour, 230) : ToArgb(kBlack, 90));
}

}  // namespace

BarGeometry ComputeBarGeometry(const RECT& bar, bool vertical, const SCROLLINFO& info) {
  BarGeometry g;
  g.bar = bar;
  g.vertical = vertical;
  const int thickness = static_cast<int>(vertical ? bar.right - bar.left : bar.bottom - bar.top);
  g.start = vertical ? bar.top : bar.left;
  g.length = std::max(0, static_cast<int>(vertical ? bar.bottom - bar.top : bar.right - bar.left));
  g.arrow = std::min(thickness, g.length / 2);
  g.track = std::max(0, g.length - 2 * g.arrow);
  g.minPos = info.nMin;
  const int page = static_cast<int>(info.nPage);
  g.maxPos = std::max(info.nMin, info.nMax - std::max(page - 1, 0));
  const long long range = static_cast<long long>(info.nMax) - info.nMin + 1;
  if (range <= 0 || g.maxPos <= g.minPos || g.track < kMinThumb) return g;  // nothing to scroll
  int thumb = page > 0 ? static_cast<int>(static_cast<long long>(g.track) * page / range) : thickness;
  thumb = std::clamp(thumb, kMinThumb, g.track);
  if (thumb >= g.track) return g;
  g.thumbShown = true;
  g.thumbLength = thumb;
  const int pos = std::clamp(info.nPos, g.minPos, g.maxPos);
  const long long free = g.track - thumb;
  g.thumbStart = g.arrow + static_cast<int>((free * (pos - g.minPos) + (g.maxPos - g.minPos) / 2) /
                                            (g.maxPos - g.minPos));
  return g;
}

int PositionForThumb(const BarGeometry& g, int thumbStart) {
  if (!g.thumbShown) return g.minPos;
  const int free = g.track - g.thumbLength;
  const int offset = std::clamp(thumbStart - g.arrow, 0, free);
  if (free <= 0) return g.minPos;
  return g.minPos + static_cast<int>((static_cast<long long>(offset) * (g.maxPos - g.minPos) + free / 2) / free);
}

BarPart PartAt(const BarGeometry& g, int along) {
  const int at = along - g.start;
  if (at < 0 || at >= g.length) return BarPart::None;
  if (at < g.arrow) return BarPart::ArrowBack;
  if (at >= g.length - g.arrow) return BarPart::ArrowForward;
  if (!g.thumbShown) return BarPart::None;
  if (at < g.thumbStart) return BarPart::PageBack;
  if (at < g.thumbStart + g.thumbLength) return BarPart::Thumb;
  return BarPart::PageForward;
}

bool BarRectInWindow(HWND window, int bar, RECT& rect) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (!(style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) return false;
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (!GetScrollBarInfo(window, bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) return false;
  if ((info.rgstate[0] & STATE_SYSTEM_INVISIBLE) || IsRectEmpty(&info.rcScrollBar)) return false;
  RECT outer{};
  GetWindowRect(window, &outer);
  rect = info.rcScrollBar;
  OffsetRect(&rect, -outer.left, -outer.top);
  return true;
}

void PaintScrollBar(HWND window, HDC windowDc, const BarGeometry& g, BarPart hot, BarPart pressed) {
  const int w = g.bar.right - g.bar.left, h = g.bar.bottom - g.bar.top;
  if (w <= 0 || h <= 0) return;
  ScopedBackdrop backdrop(window, g.bar);
  if (!backdrop.Get()) return;
  {
    DcGraphics grOwner(backdrop.Get());
    if (!grOwner.Ok()) return;
    GraphicsObject& gr = grOwner.Get();
    FillVeil(gr, w, h);
    SolidBrushObject groove;
    if (groove.CreateSolidFill(ToArgb(kBlack, 18))) gr.FillRectangleI(groove, 0, 0, w, h);
    gr.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    const float thickness = static_cast<float>(g.vertical ? w : h);
    const float arrow = static_cast<float>(g.arrow);
    const float length = static_cast<float>(g.length);
    auto box = [&](float along, float size, float& x, float& y, float& bw, float& bh) {
      x = g.vertical ? 1.0f : along;
      y = g.vertical ? along : 1.0f;
      bw = g.vertical ? thickness - 2 : size;
      bh = g.vertical ? size : thickness - 2;
    };
    struct ArrowButton {
      BarPart part;
      float along;
      bool forward;
    } arrows[] = {{BarPart::ArrowBack, 0, false}, {BarPart::ArrowForward, length - arrow, true}};
    for (const ArrowButton& a : arrows) {
      float x, y, bw, bh;
      box(a.along + 1, arrow - 2, x, y, bw, bh);
      if (a.part == pressed) {
        PaintKnob(gr, x, y, bw, bh, 80, true);
      } else if (a.part == hot) {
        PaintKnob(gr, x, y, bw, bh, 35, true);
      }
      const float cx = g.vertical ? thickness / 2 : a.along + arrow / 2;
      const float cy = g.vertical ? a.along + arrow / 2 : thickness / 2;
      const bool enabled = g.thumbShown;
      PaintArrow(gr, cx, cy, g.vertical, a.forward, ToArgb(kBlack, enabled ? 170 : 60));
    }
    if (g.thumbShown) {
      float x, y, bw, bh;
      box(static_cast<float>(g.thumbStart), static_cast<float>(g.thumbLength), x, y, bw, bh);
      const bool lit = hot == BarPart::Thumb || pressed == BarPart::Thumb;
      PaintKnob(gr, x, y, bw, bh, pressed == BarPart::Thumb ? 110 : lit ? 85 : 60, lit);
    }
  }
  BitBlt(windowDc, g.bar.left, g.bar.top, w, h, backdrop.Get(), 0, 0, SRCCOPY);
}

void PaintBarCorner(HWND window, HDC windowDc, const RECT& corner) {
  const int w = corner.right - corner.left, h = corner.bottom - corner.top;
  if (w <= 0 || h <= 0) return;
  ScopedBackdrop backdrop(window, corner);
  if (!backdrop.Get()) return;
  {
    DcGraphics grOwner(backdrop.Get());
    if (!grOwner.Ok()) return;
    GraphicsObject& gr = grOwner.Get();
    FillVeil(gr, w, h);
  }
  BitBlt(windowDc, corner.left, corner.top, w, h, backdrop.Get(), 0, 0, SRCCOPY);
}
