// Hostile bytes for the picture decoder: each gives an empty picture, or (a JPEG whose
// flipped byte still decodes) a well-formed one; never a crash or a hang.
#include <gtest/gtest.h>

#include "tests/pictures/picture_corpus.h"

namespace {

std::vector<std::string> CorpusPictures() {
  auto files = CorpusFiles("png-src/contrib/pngsuite", ".png");
  for (const auto& more : {CorpusFiles("png-src/contrib/pngsuite/interlaced", ".png"),
                           CorpusFiles("jpeg-src/testimages", ".jpg")})
    files.insert(files.end(), more.begin(), more.end());
  return files;
}

// Fixed-seed pseudo-random numbers, so that a failure replays.
struct Lcg {
  std::uint32_t state;
  std::uint32_t Next() { return (state = state * 1664525u + 1013904223u) >> 8; }
};

TEST(PictureDamage, NonPicturesGiveNothing) {
  Lcg random{1};
  std::vector<std::uint8_t> noise(4096);
  for (auto& b : noise) b = random.Next() & 0xFF;
  const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  const std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF};
  const auto join = [](std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const std::vector<std::uint8_t> inputs[] = {
      {}, noise, png, jpeg, join(png, noise), join(jpeg, noise), {'G', 'I', 'F', '8', '9', 'a'}};
  for (const auto& input : inputs) EXPECT_TRUE(Decode(input).Empty()) << input.size() << " bytes";
  EXPECT_TRUE(DecodePicture(nullptr, 100).Empty());
}

TEST(PictureDamage, EveryCutFileGivesNothing) {
  const auto files = CorpusPictures();
  ASSERT_GE(files.size(), 60u);
  for (const std::string& path : files) {
    const std::vector<std::uint8_t> bytes = ReadCorpus(path);
    const std::size_t n = bytes.size();
    ASSERT_GT(n, 64u) << path;
    // Inside the signature, the header, the data, the final chunk or marker, the last byte.
    for (const std::size_t cut : {std::size_t{1}, std::size_t{8}, std::size_t{9}, std::size_t{33},
                                  n / 4, n / 2, n - 13, n - 12, n - 3, n - 1}) {
      const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + cut);
      EXPECT_TRUE(Decode(head).Empty()) << path << " cut at " << cut;
    }
  }
}

TEST(PictureDamage, FlippedBytes) {
  Lcg random{7};
  for (const std::string& path : CorpusPictures()) {
    const std::vector<std::uint8_t> bytes = ReadCorpus(path);
    const bool png = path.ends_with(".png");
    for (int i = 0; i < 24; ++i) {
      std::vector<std::uint8_t> damaged = bytes;
      const std::size_t at = random.Next() % damaged.size();
      damaged[at] ^= 1 + random.Next() % 255;
      const DecodedPicture picture = Decode(damaged);
      // Every PNG byte is under a CRC or a structural check, and what libpng merely warns
      // about still rejects the file. JPEG data has no checksum: a flip may decode.
      if (png) {
        EXPECT_TRUE(picture.Empty()) << path << " flipped at " << at;
      } else if (!picture.Empty()) {
        EXPECT_LE(picture.width, kMaxPictureSide) << path;
        EXPECT_LE(picture.height, kMaxPictureSide) << path;
        EXPECT_EQ(picture.pixels.size(), std::size_t(picture.width) * picture.height) << path;
      }
    }
  }
}

TEST(PictureDamage, LibpngCrashersGiveNothing) {
  const auto files = CorpusFiles("png-src/contrib/testpngs/crashers", ".png");
  ASSERT_GE(files.size(), 20u);
  for (const std::string& path : files) {
    const DecodedPicture picture = Decode(ReadCorpus(path));
    if (path.ends_with("/empty_ancillary_chunks.png")) {
      // Only chunks that the decoder skips are broken; the 1x1 picture itself is sound.
      EXPECT_EQ(picture.width * picture.height, 1) << path;
    } else {
      EXPECT_TRUE(picture.Empty()) << path;
    }
  }
}

}  // namespace
