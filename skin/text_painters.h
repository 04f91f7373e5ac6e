#pragma once
// Texts, fonts and glyphs for the families: a control's text as GBK, its font for GDI+,
// drawing and measuring it, and the embedded PNG glyphs. Family-neutral.
#include <windows.h>

#include <cstdint>
#include <string>

#include "gdiplus/gdiplus_headers.h"

class FontObject;
class GraphicsObject;
class ImageObject;

// The window text as GBK.
std::string ControlTextGbk(HWND window);

// A control's font: its face (宋体 when none is given) at `size` pixels (12 when none),
// the generic sans-serif family when the face is missing. The display unit is asked for
// first; GDI+ refuses it for fonts (it is no font unit) and pixels are then taken, which is
// what a size read from a control's font means. False when no font could be made.
bool MakeFont(FontObject& font, const std::string& face, float size, int style);
// Width of the text's bounding box in that font; 0 for no text.
int MeasureTextWidth(const std::string& text, const std::string& face, int size, int style);
// The same measured on a graphics the caller holds (no DC of its own), unrounded.
float MeasureControlText(GraphicsObject& graphics, const std::string& text, const std::string& face, int size,
                         int style);

// A control's text in its own font, with the horizontal and vertical alignment given
// (0 near, 1 centre, 2 far).
void DrawControlText(GraphicsObject& graphics, const std::string& text, const std::string& face, int size,
                     int style, std::uint32_t argb, const gp::RectF& layout, int align, int lineAlign);

// An embedded PNG glyph by resource name, decoded once per engine; nullptr when missing.
ImageObject* NamedGlyph(const wchar_t* name);
// Draws it at its own size centred in the rectangle (on whole pixels, so it stays crisp).
void DrawGlyphCentred(GraphicsObject& graphics, ImageObject* glyph, float x, float y, float width, float height);
