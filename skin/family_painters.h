#pragma once
// Drawing pieces that the check, combo, trackbar, progress, up-down and container families
// share: rounded paths, gradient fills, the disabled face, control texts and the embedded
// glyphs. Family-neutral: nothing here knows a control class. The glass, glow and frame
// painters are in skin/painters.h, which this header brings along.
#include <windows.h>

#include <cstdint>
#include <string>

#include "gdiplus/gdiplus_headers.h"
#include "skin/painters.h"

class GraphicsObject;
class ImageObject;
class PathObject;

// A fresh path holding the rounded rectangle (AddRoundedRectPath).
void MakeRoundedPath(PathObject& path, float x, float y, float width, float height, float corner);
// Fills the path (or, without one, the rectangle of the two points' span) with a linear
// gradient from `from` at point (x1, y1) to `to` at point (x2, y2).
void FillGradient(GraphicsObject& graphics, const PathObject* path, float x1, float y1, float x2, float y2,
                  std::uint32_t from, std::uint32_t to);
void OutlinePath(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb, float width = 1);
void FillPathSolid(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb);
// The face of a disabled control: grey ground, a faint gloss and a dim outline.
void PaintDisabledFace(GraphicsObject& graphics, const PathObject& rounded, float x, float y, float width,
                       float height);

// A control's text in its own font (a generic face when that one is missing), with the
// horizontal and vertical alignment given (0 near, 1 centre, 2 far).
void DrawControlText(GraphicsObject& graphics, const std::string& text, const std::string& face, int size,
                     int style, std::uint32_t argb, const gp::RectF& layout, int align, int lineAlign);
// Its measured width in pixels (0 when nothing can be measured).
float MeasureControlText(GraphicsObject& graphics, const std::string& text, const std::string& face, int size,
                         int style);

// An embedded PNG glyph by resource name, decoded once per engine; nullptr when missing.
ImageObject* NamedGlyph(const wchar_t* name);
// Draws it at its own size centred in the rectangle (on whole pixels, so it stays crisp).
void DrawGlyphCentred(GraphicsObject& graphics, ImageObject* glyph, float x, float y, float width, float height);

// The window text of a control as GBK.
std::string ControlTextOf(HWND window);
