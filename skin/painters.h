#pragma once
// The drawing kit every family paints with: outlines (rounded, open-topped), fills (solid,
// gradient), strokes and glows, and the disabled face. Family-neutral; texts, fonts and
// glyphs are in skin/text_painters.h.
#include <windows.h>

#include <cstdint>

#include "gdiplus/gdiplus_headers.h"

class GraphicsObject;
class PathObject;

// A fresh path holding the rounded rectangle (AddRoundedRectPath).
void MakeRoundedPath(PathObject& path, float x, float y, float width, float height, float corner);
// The top of a rounded rectangle, open at the bottom: left side up, top-left arc, top
// edge, top-right arc, right side down.
void AddTopRoundedPath(PathObject& path, float x, float y, float w, float h, float corner);

// A linear gradient between two points over a path (or, with no path, a rectangle). Past
// its ends the gradient mirrors instead of starting again, so the last row keeps its colour.
// Two equal points are taken one pixel apart downward (GDI+ refuses a gradient of no length).
void FillGradient(GraphicsObject& graphics, gp::PointF from, gp::PointF to, std::uint32_t fromArgb,
                  std::uint32_t toArgb, const PathObject* path, const gp::RectF& rect = {});
// A top-to-bottom gradient over the rectangle (or the shape inside it) that spans one pixel
// more at each end, so neither the first nor the last row is exactly an end colour.
void FillVertical(GraphicsObject& graphics, float x, float y, float w, float h, std::uint32_t fromArgb,
                  std::uint32_t toArgb, const PathObject* shape = nullptr);
// A one-colour fill of a path.
void FillSolid(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb);
// A one-pixel (or wider) outline of a path.
void StrokePath(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb, float width = 1);
// Strokes the path `passes` times with pens 1, 2, ... pixels wide in one colour.
void GlowPath(GraphicsObject& graphics, const PathObject& path, int passes, COLORREF colour, int alpha);

// The face of a disabled control: grey ground, a faint gloss and a dim outline.
void PaintDisabledFace(GraphicsObject& graphics, const PathObject& rounded, float x, float y, float width,
                       float height);
