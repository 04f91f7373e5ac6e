// PNG through libpng. Every error path of libpng leaves ReadPngRgba by longjmp, so that
// function holds only plain C data, and the buffers it allocates are reachable from the
// state record, which lives in the caller.
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "pictures/picture_decoders.h"

namespace {

// The size cap holds for every chunk but image data, skipped ones included (libpng refuses a
// longer chunk outright); the count caps how many ancillary chunks libpng would keep.
constexpr png_uint_32 kPngChunkCacheMax = 64;
constexpr png_alloc_size_t kPngChunkMallocMax = 8u * 1024 * 1024;

struct PngRead {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t offset;
  int warnings;
  png_uint_32 width;
  png_uint_32 height;
  unsigned char* rgba;  // width * height * 4 bytes, top-down; malloc'd
  png_bytep* rows;      // row pointers into rgba while reading; malloc'd
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* read = static_cast<PngRead*>(png_get_io_ptr(png));
  if (count > read->size - read->offset) png_error(png, "read past the end of the data");
  std::memcpy(out, read->data + read->offset, count);
  read->offset += count;
}

void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// A damaged captcha is worse than none, so damage that libpng could step over rejects the
// file too: its "benign" errors are made errors, and any warning (a bad ancillary CRC) counts.
void OnPngWarning(png_structp png, png_const_charp) {
  ++static_cast<PngRead*>(png_get_error_ptr(png))->warnings;
}

void FreeBuffers(PngRead* read) {
  std::free(read->rows);
  std::free(read->rgba);
  read->rows = nullptr;
  read->rgba = nullptr;
}

// Decodes into read->rgba as 8-bit RGBA, whatever the file's colour type and depth.
bool ReadPngRgba(PngRead* read) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, read, OnPngError, OnPngWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    FreeBuffers(read);
    return false;
  }
  png_set_read_fn(png, read, ReadFromMemory);
  png_set_benign_errors(png, 0);
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  png_set_chunk_cache_max(png, kPngChunkCacheMax);
  png_set_chunk_malloc_max(png, kPngChunkMallocMax);
  // Skip every ancillary chunk except tRNS: the picture box ignores the file's gamma, colour
  // profile, texts and background, and skipped chunks cannot fault.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_read_info(png, info);

  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (!PictureSizeAllowed(width, height)) png_error(png, "picture too large");

  png_set_expand(png);    // palette to RGB, grey to 8 bits, tRNS to alpha
  png_set_scale_16(png);  // rounded, not the top byte only
  png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // opaque alpha where the file has none
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  const size_t rowBytes = png_get_rowbytes(png, info);
  if (png_get_channels(png, info) != 4 || png_get_bit_depth(png, info) != 8 ||
      rowBytes != static_cast<size_t>(width) * 4 || height > SIZE_MAX / rowBytes ||
      height > SIZE_MAX / sizeof(png_bytep))
    png_error(png, "unexpected row layout");
  read->rgba = static_cast<unsigned char*>(std::malloc(rowBytes * height));
  read->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (read->rgba == nullptr || read->rows == nullptr) png_error(png, "out of memory");
  for (png_uint_32 y = 0; y < height; ++y) read->rows[y] = read->rgba + rowBytes * y;

  png_read_image(png, read->rows);
  png_read_end(png, nullptr);  // a file cut after its image data is still a damaged file
  png_destroy_read_struct(&png, &info, nullptr);
  std::free(read->rows);
  read->rows = nullptr;
  if (read->warnings != 0) {
    FreeBuffers(read);
    return false;
  }
  read->width = width;
  read->height = height;
  return true;
}

struct FreeDeleter {
  void operator()(unsigned char* p) const { std::free(p); }
};

}  // namespace

DecodedPicture DecodePng(const std::uint8_t* data, std::size_t size, std::uint32_t backgroundRgb) {
  PngRead read{data, size, 0, 0, 0, 0, nullptr, nullptr};
  if (!ReadPngRgba(&read)) return {};
  const std::unique_ptr<unsigned char, FreeDeleter> rgba(read.rgba);

  DecodedPicture picture;
  const std::size_t count = static_cast<std::size_t>(read.width) * read.height;
  picture.pixels.resize(count);
  const unsigned char* p = rgba.get();
  for (std::size_t i = 0; i < count; ++i, p += 4)
    picture.pixels[i] = BlendOver(p[0], p[1], p[2], p[3], backgroundRgb);
  picture.width = static_cast<int>(read.width);
  picture.height = static_cast<int>(read.height);
  return picture;
}
