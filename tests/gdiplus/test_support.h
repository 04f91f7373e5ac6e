#pragma once
// Shared by the drawing-object tests: pixels read back through LockBits, PNG bytes made by
// GDI+ itself, and a scratch folder.
#include <cstdint>
#include <string>
#include <vector>

#include "gdiplus/image_objects.h"

// Every pixel of a bitmap as 32-bit ARGB, row by row (empty when the bitmap cannot be read).
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
  std::uint32_t At(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};
Pixels ReadPixels(BitmapObject& bitmap);

// A width x height 32-bit ARGB bitmap filled with one colour.
BitmapObject MakeBitmap(int width, int height, std::uint32_t argb = 0xFFFFFFFF);

// The bitmap encoded by GDI+'s PNG encoder.
std::vector<std::uint8_t> EncodePng(BitmapObject& bitmap);

// Channels of an ARGB value.
inline int Alpha(std::uint32_t c) { return static_cast<int>(c >> 24); }
inline int Red(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int Green(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int Blue(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

// A fresh, empty folder for files a test writes (UTF-16 path).
std::wstring ScratchFolder(const wchar_t* name);
