#pragma once
// pictures/ holds the picture decoders: bytes in, pixels out, no window code.
// Decodes the JPEG and PNG pictures that picture boxes show, safely: any damaged,
// truncated or oversized input gives an empty picture, never a crash or a huge allocation.
#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedPicture {
  int width = 0;
  int height = 0;
  // Top-down rows, one 0x00RRGGBB value a pixel (B, G, R, 0 in memory: a 32-bit DIB row);
  // transparency is already blended over the background colour given to DecodePicture.
  std::vector<std::uint32_t> pixels;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// Largest picture accepted, per side and in total; a captcha or skin picture is far smaller.
constexpr int kMaxPictureSide = 8192;
constexpr std::size_t kMaxPicturePixels = 16u * 1024u * 1024u;

// Recognises the format by its signature (PNG or JPEG); anything else gives an empty picture.
DecodedPicture DecodePicture(const std::uint8_t* data, std::size_t size,
                             std::uint32_t backgroundRgb = 0xFFFFFF);
