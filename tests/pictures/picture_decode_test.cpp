// Decoded pixels of known pictures: PngSuite, libjpeg-turbo's test image, and pictures made
// here with the libraries' own encoders for the colour spaces and sizes the corpora lack.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "tests/pictures/picture_corpus.h"

namespace {

const std::string kSuite = "png-src/contrib/pngsuite/";

std::uint32_t At(const DecodedPicture& p, int x, int y) { return p.pixels[y * p.width + x]; }

std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return r << 16 | g << 8 | b; }

// PngSuite's 16-bit gradients step by 65535/31, rounded; a 16-bit value v shows as v/257 rounded.
unsigned Gradient16As8(int step) { return ((65535u * step + 15) / 31 * 255 + 32767) / 65535; }

TEST(PictureDecode, PngGradientsDecodeExactly) {
  const DecodedPicture grey = Decode(ReadCorpus(kSuite + "basn0g02.png"));  // 2-bit, 4x4 blocks
  const DecodedPicture rgb = Decode(ReadCorpus(kSuite + "basn2c16.png"));   // 16 bits a channel
  ASSERT_TRUE(grey.width == 32 && grey.height == 32 && rgb.width == 32 && rgb.height == 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const unsigned g = (x / 4 + y / 4) % 4 * 85;
      EXPECT_EQ(At(grey, x, y), Rgb(g, g, g)) << x << "," << y;
      const unsigned blue = Gradient16As8(x + y > 31 ? x + y - 31 : 0);
      EXPECT_EQ(At(rgb, x, y), Rgb(Gradient16As8(31 - x), Gradient16As8(31 - y), blue))
          << x << "," << y;
    }
  }
}

TEST(PictureDecode, PngPixelsBlendOverTheBackground) {
  // Expected values worked out from the files' samples, their palettes and tRNS, over 0x3366CC.
  const struct {
    const char* file;
    int x, y;
    std::uint32_t rgb;
  } cases[] = {
      {"basn3p04.png", 0, 0, 0xFF0000},  {"basn3p04.png", 7, 0, 0xFF6600},
      {"basn3p04.png", 31, 31, 0xFF00BB}, {"basn6a08.png", 0, 0, 0x3366CC},
      {"basn6a08.png", 1, 0, 0x3963C6},  {"basn6a08.png", 31, 0, 0xFF0008},
      {"basn6a16.png", 8, 8, 0x9DB562},  {"basn6a16.png", 31, 16, 0x3366CC},
      {"basn4a08.png", 7, 1, 0x5F86D5},  {"basn4a16.png", 3, 8, 0x3D66B8},
      {"basn0g16.png", 7, 16, 0x5F5F5F}, {"ftbbn3p08.png", 0, 0, 0x3366CC},
      {"ftbbn3p08.png", 15, 2, 0xC9C9C9}, {"ftbbn0g04.png", 0, 0, 0x3366CC},
      {"ftbbn0g04.png", 16, 16, 0x999999}, {"ftbwn0g16.png", 0, 0, 0x3366CC},
      {"ftbwn0g16.png", 16, 16, 0x9E9E9E}, {"ftbrn2c08.png", 0, 0, 0x3366CC},
      {"ftbrn2c08.png", 16, 16, 0x9E9E9E},
  };
  for (const auto& c : cases) {
    const DecodedPicture picture = Decode(ReadCorpus(kSuite + c.file), 0x3366CC);
    ASSERT_EQ(picture.width, 32) << c.file;
    EXPECT_EQ(At(picture, c.x, c.y), c.rgb) << c.file << " at " << c.x << "," << c.y;
  }
}

TEST(PictureDecode, InterlacedPngMatchesItsTwin) {
  auto files = CorpusFiles("png-src/contrib/pngsuite", ".png");
  const auto more = CorpusFiles("png-src/contrib/pngsuite/interlaced", ".png");
  files.insert(files.end(), more.begin(), more.end());
  int twins = 0;
  for (const std::string& path : files) {
    const std::string name = path.substr(path.rfind('/') + 1);
    if (name[0] != 'i') continue;
    const DecodedPicture interlaced = Decode(ReadCorpus(path));
    const DecodedPicture plain = Decode(ReadCorpus(kSuite + name.substr(1)));
    ASSERT_FALSE(interlaced.Empty()) << name;
    EXPECT_EQ(interlaced.width, plain.width) << name;
    EXPECT_EQ(interlaced.pixels, plain.pixels) << name;
    ++twins;
  }
  EXPECT_GE(twins, 30);
}

std::vector<std::uint8_t> ReadPpmPixels(const std::string& relative, int* width, int* height) {
  const std::vector<std::uint8_t> bytes = ReadCorpus(relative);
  int maxValue = 0, headerLength = 0;
  const std::string head(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 32));
  if (std::sscanf(head.c_str(), "P6 %d %d %d%n", width, height, &maxValue, &headerLength) != 3)
    return {};
  return {bytes.begin() + headerLength + 1, bytes.end()};
}

TEST(PictureDecode, JpegMatchesLibjpegsOwnDecode) {
  int width = 0, height = 0;
  const auto ppm = ReadPpmPixels("jpeg-src/testimages/testorig.ppm", &width, &height);
  const DecodedPicture picture = Decode(ReadCorpus("jpeg-src/testimages/testorig.jpg"));
  ASSERT_EQ(picture.width, width);
  ASSERT_EQ(picture.height, height);
  ASSERT_EQ(ppm.size(), picture.pixels.size() * 3);
  int worst = 0;
  for (std::size_t i = 0; i < ppm.size(); ++i) {
    const int ours = picture.pixels[i / 3] >> (16 - 8 * (i % 3)) & 0xFF;
    worst = std::max(worst, std::abs(ours - ppm[i]));
  }
  EXPECT_LE(worst, 3);  // the reference decode was made by a build that rounds a little differently
  // Another encoding of the picture, once Huffman- and once arithmetic-coded.
  const DecodedPicture huffman = Decode(ReadCorpus("jpeg-src/testimages/testimgint.jpg"));
  ASSERT_EQ(huffman.width, width);
  EXPECT_EQ(Decode(ReadCorpus("jpeg-src/testimages/testimgari.jpg")).pixels, huffman.pixels);
}

// A flat picture made by libjpeg's encoder; `sample` holds one pixel's components.
std::vector<std::uint8_t> EncodeJpeg(int width, int height, J_COLOR_SPACE space,
                                     const std::vector<unsigned char>& sample, bool progressive,
                                     const std::vector<jpeg_scan_info>& scans = {}) {
  jpeg_compress_struct c{};
  jpeg_error_mgr errors{};
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&c, &out, &outSize);
  c.image_width = width;
  c.image_height = height;
  c.input_components = static_cast<int>(sample.size());
  c.in_color_space = space;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  if (progressive) jpeg_simple_progression(&c);
  if (!scans.empty()) {
    c.scan_info = scans.data();
    c.num_scans = static_cast<int>(scans.size());
  }
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), sample.begin(), sample.end());
  for (JSAMPROW r = row.data(); c.next_scanline < c.image_height;) jpeg_write_scanlines(&c, &r, 1);
  jpeg_finish_compress(&c);
  std::vector<std::uint8_t> bytes(out, out + outSize);
  std::free(out);
  jpeg_destroy_compress(&c);
  return bytes;
}

TEST(PictureDecode, JpegColourSpaces) {
  const struct {
    J_COLOR_SPACE space;
    std::vector<unsigned char> sample;
    bool progressive;
    std::uint32_t rgb;
  } cases[] = {
      {JCS_GRAYSCALE, {200}, false, 0xC8C8C8},
      {JCS_RGB, {200, 40, 90}, false, 0xC8285A},
      {JCS_RGB, {200, 40, 90}, true, 0xC8285A},
      // libjpeg's encoder writes the Adobe marker, so CMYK is stored inverted: 255 - ink.
      {JCS_CMYK, {0, 255, 255, 255}, false, 0x00FFFF},
      {JCS_CMYK, {255, 128, 255, 200}, true, 0xC864C8},
  };
  for (const auto& c : cases) {
    const DecodedPicture picture = Decode(EncodeJpeg(16, 16, c.space, c.sample, c.progressive));
    ASSERT_EQ(picture.width, 16);
    for (int shift = 0; shift <= 16; shift += 8)
      EXPECT_NEAR(int(At(picture, 8, 8) >> shift & 0xFF), int(c.rgb >> shift & 0xFF), 3)
          << "space " << c.space << " channel shift " << shift;
  }
}

std::vector<std::uint8_t> EncodeGreyPng(int width, int height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_GRAY;
  const std::vector<png_byte> pixels(static_cast<std::size_t>(width) * height, 0x80);
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
  std::vector<std::uint8_t> bytes(size);
  png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr);
  bytes.resize(size);
  return bytes;
}

void AppendPngChunk(std::vector<std::uint8_t>& png, const char* type,
                    const std::vector<std::uint8_t>& data) {
  for (int shift = 24; shift >= 0; shift -= 8) png.push_back(data.size() >> shift & 0xFF);
  const std::size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  const uLong crc = crc32(0, png.data() + start, static_cast<uInt>(png.size() - start));
  for (int shift = 24; shift >= 0; shift -= 8) png.push_back(crc >> shift & 0xFF);
}

TEST(PictureDecode, SizeLimits) {
  const struct {
    int width, height;
    bool shown;
  } cases[] = {{8192, 1, true}, {8193, 1, false}, {1, 8193, false}, {8192, 2049, false}};
  for (const auto& c : cases) {
    const DecodedPicture png = Decode(EncodeGreyPng(c.width, c.height));
    const DecodedPicture jpeg = Decode(EncodeJpeg(c.width, c.height, JCS_GRAYSCALE, {128}, false));
    EXPECT_EQ(png.Empty(), !c.shown) << c.width << "x" << c.height;
    EXPECT_EQ(jpeg.Empty(), !c.shown) << c.width << "x" << c.height;
    if (c.shown) {
      EXPECT_EQ(png.pixels.size(), std::size_t(c.width) * c.height);
    }
  }

  // Headers that announce far more than they hold: 100000 x 100000 in a PNG, and in JPEG
  // (whose sides are 16-bit) the most a SOF can say, and 8192 x 8192.
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  AppendPngChunk(png, "IHDR", {0, 1, 0x86, 0xA0, 0, 1, 0x86, 0xA0, 8, 2, 0, 0, 0});
  AppendPngChunk(png, "IEND", {});
  EXPECT_TRUE(Decode(png).Empty());
  const std::uint8_t sof0[] = {0xFF, 0xC0};
  for (const unsigned side : {65535u, 8192u}) {
    std::vector<std::uint8_t> jpeg = EncodeJpeg(8, 8, JCS_RGB, {1, 2, 3}, false);
    const auto sof = std::search(jpeg.begin(), jpeg.end(), std::begin(sof0), std::end(sof0));
    ASSERT_NE(sof, jpeg.end());
    sof[5] = sof[7] = side >> 8;  // height, then width, after the length and the precision
    sof[6] = sof[8] = side & 0xFF;
    EXPECT_TRUE(Decode(jpeg).Empty());
  }
}

TEST(PictureDecode, JpegWithHundredsOfScansIsRefused) {
  // Grey, each AC coefficient in its own band, refined bit by bit: 1 + 63 * 6 = 379 scans.
  std::vector<jpeg_scan_info> scans = {{1, {0}, 0, 0, 0, 0}};
  for (int k = 1; k < 64; ++k) {
    scans.push_back({1, {0}, k, k, 0, 5});
    for (int bit = 5; bit > 0; --bit) scans.push_back({1, {0}, k, k, bit, bit - 1});
  }
  EXPECT_TRUE(Decode(EncodeJpeg(16, 16, JCS_GRAYSCALE, {99}, true, scans)).Empty());
  scans.resize(64);  // the same picture in 64 scans is ordinary
  for (int k = 1; k < 64; ++k) scans[k] = {1, {0}, k, k, 0, 0};
  EXPECT_EQ(Decode(EncodeJpeg(16, 16, JCS_GRAYSCALE, {99}, true, scans)).width, 16);
}

}  // namespace
