// Colour analysis and preparation of skin pictures.
#include <algorithm>
#include <cstdlib>

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/memory_stream.h"
#include "skin/skin_core.h"

namespace {

// The C runtime's generator after srand(seed), without touching the process's own
// sequence: the sample points are the same on every run and every machine.
int FirstRandom(unsigned seed) {
  seed = seed * 214013u + 2531011u;
  return static_cast<int>((seed >> 16) & 0x7FFF);
}

bool LoadPicture(BitmapObject& picture, const ByteSet& bytes, const std::wstring& fileName) {
  if (!fileName.empty()) return picture.CreateBitmapFromFile(fileName);
  return !bytes.empty() && picture.CreateBitmapFromBytes(bytes);
}

}  // namespace

COLORREF AnalyseImageColour(const ByteSet& bytes, const std::wstring& fileName, int samples) {
  BitmapObject picture;
  if (samples < 1 || !LoadPicture(picture, bytes, fileName)) return 0;
  const int width = static_cast<int>(picture.GetImageWidth());
  const int height = static_cast<int>(picture.GetImageHeight());
  if (width < 1 || height < 1) return 0;  // a picture without pixels has no colour
  unsigned long long red = 0, green = 0, blue = 0;
  for (int i = 1; i <= samples; ++i) {
    const int x = std::abs(FirstRandom(3u * static_cast<unsigned>(i))) % width;
    const int y = std::abs(FirstRandom(static_cast<unsigned>(i))) % height;
    const std::uint32_t argb = picture.BitmapGetPixel(x, y);
    red += (argb >> 16) & 0xFF;
    green += (argb >> 8) & 0xFF;
    blue += argb & 0xFF;
  }
  return RGB(red / samples, green / samples, blue / samples);
}

ByteSet PrepareSkinImage(const ByteSet& bytes, const std::wstring& fileName, COLORREF colour, bool blend) {
  BitmapObject picture;
  if (!LoadPicture(picture, bytes, fileName)) return {};
  const int width = static_cast<int>(picture.GetImageWidth());
  const int height = static_cast<int>(picture.GetImageHeight());
  BitmapObject canvas;
  if (width < 1 || height < 1 || !canvas.CreateBitmapFromScan0(width, height)) return {};
  {
    GraphicsObject graphics;
    if (!graphics.GetImageGraphicsContext(canvas)) return {};
    graphics.SetInterpolationMode(static_cast<gp::InterpolationMode>(3));
    graphics.DrawImageRectI(picture, 0, 0, width, height);
    // Fades a sixth of the way in from the right and bottom edges, where the window's
    // caption buttons and status texts sit: toward white, or toward the picture's own colour.
    const std::uint32_t inner = ToArgb(colour, 0);
    const std::uint32_t outer = blend ? ToArgb(RGB(255, 255, 255), 160) : ToArgb(colour, 160);
    const float bandX = std::max(1.0f, width / 6.0f), bandY = std::max(1.0f, height / 6.0f);
    LinearBrushObject right, bottom;
    if (right.CreateLineBrushFromRect({width - bandX, 0, bandX + 1, static_cast<float>(height)}, inner, outer,
                                      gp::LinearGradientModeHorizontal)) {
      graphics.FillRectangle(right, width - bandX, 0, bandX, static_cast<float>(height));
    }
    if (bottom.CreateLineBrushFromRect({0, height - bandY, static_cast<float>(width), bandY + 1}, inner, outer,
                                       gp::LinearGradientModeVertical)) {
      graphics.FillRectangle(bottom, 0, height - bandY, static_cast<float>(width), bandY);
    }
  }
  MemoryStream stream;
  if (!stream.LoadBytes(nullptr, 0) || !canvas.SaveImageToStream(stream.Stream(), kImageFormatPng)) return {};
  return stream.ReadBytes();
}
