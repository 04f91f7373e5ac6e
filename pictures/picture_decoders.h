#pragma once
// The per-format decoders behind DecodePicture, and what they share. Internal to pictures/.
#include <cstddef>
#include <cstdint>

#include "pictures/picture_decode.h"

// Each decoder gets bytes whose signature already matched its format.
DecodedPicture DecodePng(const std::uint8_t* data, std::size_t size, std::uint32_t backgroundRgb);
DecodedPicture DecodeJpeg(const std::uint8_t* data, std::size_t size);

// Sides checked before multiplying, so the product cannot overflow even in 32 bits.
inline bool PictureSizeAllowed(std::uint64_t width, std::uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

inline std::uint32_t PackRgb(unsigned r, unsigned g, unsigned b) {
  return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}

// One 8-bit RGBA pixel over the background, each channel rounded to nearest.
inline std::uint32_t BlendOver(unsigned r, unsigned g, unsigned b, unsigned a,
                               std::uint32_t backgroundRgb) {
  const auto mix = [a](unsigned fg, unsigned bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
  return PackRgb(mix(r, backgroundRgb >> 16 & 0xFF), mix(g, backgroundRgb >> 8 & 0xFF),
                 mix(b, backgroundRgb & 0xFF));
}
