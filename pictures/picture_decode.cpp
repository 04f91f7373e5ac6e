#include "pictures/picture_decode.h"

#include <cstring>
#include <new>

#include "pictures/picture_decoders.h"

namespace {

const std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Start of image followed by the first marker's lead byte.
const std::uint8_t kJpegSignature[] = {0xFF, 0xD8, 0xFF};

template <std::size_t N>
bool StartsWith(const std::uint8_t* data, std::size_t size, const std::uint8_t (&signature)[N]) {
  return size >= N && std::memcmp(data, signature, N) == 0;
}

}  // namespace

DecodedPicture DecodePicture(const std::uint8_t* data, std::size_t size,
                             std::uint32_t backgroundRgb) {
  if (data == nullptr) return {};
  try {
    if (StartsWith(data, size, kPngSignature)) return DecodePng(data, size, backgroundRgb);
    if (StartsWith(data, size, kJpegSignature)) return DecodeJpeg(data, size);
  } catch (const std::bad_alloc&) {
    // The decoders free their own buffers; only the output vector can throw here.
  }
  return {};
}
