// JPEG through libjpeg. Its errors leave ReadJpegSamples by longjmp, so that function holds
// only plain C data; the decompressor and the sample buffer live in a record of the caller.
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

#include <climits>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "pictures/picture_decoders.h"

namespace {

// Room for a progressive picture of the largest accepted size, four components.
constexpr long kJpegMemoryLimit = 160L * 1024 * 1024;
// Real progressive files have about ten scans; each scan, even an empty one, makes the decoder
// walk the whole picture, so a file of thousands of scans would take minutes.
constexpr int kMaxJpegScans = 256;

struct JpegErrors {
  jpeg_error_mgr manager;  // first: libjpeg hands the callbacks a pointer to it
  std::jmp_buf jump;
};

struct JpegRead {
  const std::uint8_t* data;
  std::size_t size;
  jpeg_decompress_struct decompressor;
  JpegErrors errors;
  jpeg_progress_mgr progress;
  unsigned width;
  unsigned height;
  int components;          // 1 grey, 3 RGB, 4 CMYK
  bool invertedCmyk;       // Adobe's writers store CMYK inverted
  unsigned char* samples;  // width * height * components bytes, top-down; malloc'd
};

[[noreturn]] void OnJpegError(j_common_ptr common) {
  std::longjmp(reinterpret_cast<JpegErrors*>(common->err)->jump, 1);
}

// Level -1 is a warning: the data was damaged and libjpeg patched over it (for a truncated
// file, the source manager invents the end marker). Higher levels are traces.
void OnJpegMessage(j_common_ptr common, int level) {
  if (level < 0) ++common->err->num_warnings;
}

void OnJpegOutput(j_common_ptr) {}

void OnJpegProgress(j_common_ptr common) {
  if (reinterpret_cast<j_decompress_ptr>(common)->input_scan_number > kMaxJpegScans)
    OnJpegError(common);
}

bool Damaged(const JpegRead* read) { return read->errors.manager.num_warnings != 0; }

bool ReadJpegSamples(JpegRead* read) {
  j_decompress_ptr cinfo = &read->decompressor;
  std::memset(cinfo, 0, sizeof *cinfo);  // so that destroying after an early error is safe
  cinfo->err = jpeg_std_error(&read->errors.manager);
  read->errors.manager.error_exit = OnJpegError;
  read->errors.manager.emit_message = OnJpegMessage;
  read->errors.manager.output_message = OnJpegOutput;
  if (setjmp(read->errors.jump)) {
    jpeg_destroy_decompress(cinfo);
    std::free(read->samples);
    read->samples = nullptr;
    return false;
  }
  jpeg_create_decompress(cinfo);
  cinfo->mem->max_memory_to_use = kJpegMemoryLimit;
  read->progress.progress_monitor = OnJpegProgress;
  cinfo->progress = &read->progress;
  jpeg_mem_src(cinfo, read->data, static_cast<unsigned long>(read->size));
  jpeg_read_header(cinfo, TRUE);
  if (Damaged(read) || !PictureSizeAllowed(cinfo->image_width, cinfo->image_height)) {
    OnJpegError(reinterpret_cast<j_common_ptr>(cinfo));
  }
  switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE: cinfo->out_color_space = JCS_GRAYSCALE; break;
    case JCS_YCbCr:
    case JCS_RGB: cinfo->out_color_space = JCS_RGB; break;
    case JCS_CMYK:
    case JCS_YCCK: cinfo->out_color_space = JCS_CMYK; break;
    default: OnJpegError(reinterpret_cast<j_common_ptr>(cinfo));
  }
  read->invertedCmyk = cinfo->saw_Adobe_marker;
  jpeg_start_decompress(cinfo);

  const unsigned width = cinfo->output_width;
  const unsigned height = cinfo->output_height;
  const int components = cinfo->output_components;
  const int expected = cinfo->out_color_space == JCS_GRAYSCALE ? 1
                       : cinfo->out_color_space == JCS_RGB     ? 3
                                                               : 4;
  if (Damaged(read) || !PictureSizeAllowed(width, height) || components != expected)
    OnJpegError(reinterpret_cast<j_common_ptr>(cinfo));
  // Sides and count are capped above, so this product fits in 32 bits.
  const std::size_t stride = static_cast<std::size_t>(width) * components;
  read->samples = static_cast<unsigned char*>(std::malloc(stride * height));
  if (read->samples == nullptr) OnJpegError(reinterpret_cast<j_common_ptr>(cinfo));

  while (cinfo->output_scanline < height) {
    JSAMPROW row = read->samples + stride * cinfo->output_scanline;
    // The memory source never suspends, so no rows means something is wrong.
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1 || Damaged(read))
      OnJpegError(reinterpret_cast<j_common_ptr>(cinfo));
  }
  jpeg_finish_decompress(cinfo);  // reads on to the end marker: a cut file warns here
  if (Damaged(read)) OnJpegError(reinterpret_cast<j_common_ptr>(cinfo));
  jpeg_destroy_decompress(cinfo);
  read->width = width;
  read->height = height;
  read->components = components;
  return true;
}

unsigned ScaleByte(unsigned a, unsigned b) { return (a * b + 127) / 255; }

std::uint32_t CmykToRgb(const unsigned char* s, bool inverted) {
  if (inverted)  // stored values are 255 - ink
    return PackRgb(ScaleByte(s[0], s[3]), ScaleByte(s[1], s[3]), ScaleByte(s[2], s[3]));
  return PackRgb(ScaleByte(255 - s[0], 255 - s[3]), ScaleByte(255 - s[1], 255 - s[3]),
                 ScaleByte(255 - s[2], 255 - s[3]));
}

struct FreeDeleter {
  void operator()(unsigned char* p) const { std::free(p); }
};

}  // namespace

DecodedPicture DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  if (size > ULONG_MAX) return {};  // libjpeg counts in unsigned long, 32 bits on Windows
  // Heap-allocated: the decompressor is large, and its address must stay fixed across setjmp.
  const auto read = std::make_unique<JpegRead>();
  read->data = data;
  read->size = size;
  if (!ReadJpegSamples(read.get())) return {};
  const std::unique_ptr<unsigned char, FreeDeleter> samples(read->samples);

  DecodedPicture picture;
  const std::size_t count = static_cast<std::size_t>(read->width) * read->height;
  picture.pixels.resize(count);
  const unsigned char* s = samples.get();
  for (std::size_t i = 0; i < count; ++i, s += read->components) {
    switch (read->components) {
      case 1: picture.pixels[i] = PackRgb(s[0], s[0], s[0]); break;
      case 3: picture.pixels[i] = PackRgb(s[0], s[1], s[2]); break;
      default: picture.pixels[i] = CmykToRgb(s, read->invertedCmyk); break;
    }
  }
  picture.width = static_cast<int>(read->width);
  picture.height = static_cast<int>(read->height);
  return picture;
}
