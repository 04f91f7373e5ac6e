// Images and bitmaps: loading from bytes the caller frees, saving by format identifier,
// rotating, HBITMAP round trips, and the memory stream under them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gdiplus/brush_objects.h"
#include "runtime/gbk_text.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/memory_stream.h"
#include "test_support.h"

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;

// 37 x 23, blue with a red 5 x 5 block in the top-left corner.
BitmapObject Sample() {
  BitmapObject bitmap = MakeBitmap(37, 23, kBlue);
  GraphicsObject graphics;
  SolidBrushObject red;
  EXPECT_TRUE(graphics.GetImageGraphicsContext(bitmap));
  EXPECT_TRUE(red.CreateSolidFill(kRed));
  EXPECT_TRUE(graphics.FillRectangleI(red, 0, 0, 5, 5));
  return bitmap;
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         p[3];
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(ImageFromBytes, MatchesThePngHeaderAndDrawsAfterTheCallerFreedTheBytes) {
  BitmapObject source = Sample();
  const std::vector<std::uint8_t> png = EncodePng(source);
  ASSERT_GT(png.size(), 24u);
  const std::uint32_t headerWidth = BigEndian32(&png[16]);
  const std::uint32_t headerHeight = BigEndian32(&png[20]);
  ASSERT_EQ(headerWidth, 37u);

  ImageObject image;
  {
    auto bytes = std::make_unique<std::uint8_t[]>(png.size());
    std::memcpy(bytes.get(), png.data(), png.size());
    ASSERT_TRUE(image.LoadImageFromBytes(bytes.get(), png.size()));
    std::memset(bytes.get(), 0xEE, png.size());  // scribble, then free
  }
  EXPECT_EQ(image.GetImageWidth(), headerWidth);
  EXPECT_EQ(image.GetImageHeight(), headerHeight);

  BitmapObject target = MakeBitmap(37, 23, 0xFFFFFFFF);
  GraphicsObject graphics;
  ASSERT_TRUE(graphics.GetImageGraphicsContext(target));
  ASSERT_TRUE(graphics.DrawImageRectI(image, 0, 0, 37, 23));
  ASSERT_TRUE(graphics.DeleteGraphics());
  const Pixels p = ReadPixels(target);
  EXPECT_EQ(p.At(2, 2), kRed);
  EXPECT_EQ(p.At(20, 12), kBlue);
}

TEST(ImageFromBytes, BitmapFromBytesGivesItsPixels) {
  BitmapObject source = Sample();
  BitmapObject copy;
  ASSERT_TRUE(copy.CreateBitmapFromBytes(EncodePng(source)));
  const Pixels p = ReadPixels(copy);
  ASSERT_EQ(p.width, 37);
  EXPECT_EQ(p.At(4, 4), kRed);
  EXPECT_EQ(p.At(5, 5), kBlue);
  EXPECT_EQ(copy.BitmapGetPixel(0, 0), kRed);
}

TEST(ImageFromBytes, DamagedBytesFailAndKeepTheImageHeld) {
  BitmapObject source = Sample();
  std::vector<std::uint8_t> png = EncodePng(source);
  ImageObject image;
  ASSERT_TRUE(image.LoadImageFromBytes(png));
  void* held = image.GetNative();

  const std::vector<std::vector<std::uint8_t>> damaged = {
      {},                                                // nothing
      std::vector<std::uint8_t>(png.begin(), png.begin() + 30),  // cut inside the header
      std::vector<std::uint8_t>(100, 0x42),              // not a picture
  };
  for (const auto& bytes : damaged) {
    SCOPED_TRACE(bytes.size());
    EXPECT_FALSE(image.LoadImageFromBytes(bytes));
    EXPECT_NE(LastStatus(), gp::Ok);  // GDI+ decodes through WIC: any failure will do
    EXPECT_EQ(image.GetNative(), held);
    EXPECT_EQ(image.GetImageWidth(), 37u);
  }
}

TEST(SaveImage, UnknownOrMalformedFormatIdentifiersWriteNothing) {
  const std::wstring folder = ScratchFolder(L"save");
  BitmapObject bitmap = Sample();
  const struct {
    const char* format;
    gp::Status status;
  } cases[] = {
      {"{12345678-1234-1234-1234-123456789ABC}", gp::UnknownImageFormat},
      {"image/png", gp::InvalidParameter},
      {"", gp::InvalidParameter},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    const std::wstring file = folder + L"\\unknown.img";
    EXPECT_FALSE(bitmap.SaveImageToFile(file, c.format));
    EXPECT_EQ(LastStatus(), c.status);
    EXPECT_FALSE(FileExists(file));
  }
}

// Whether Wine can make a file with a Chinese name here: the cp936 run of the bench sets a
// locale that glibc does not have, and Wine then refuses every non-ASCII file name.
bool ChineseFileNamesWork(const std::wstring& folder) {
  const std::wstring probe = folder + L"\\探针.txt";
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  DeleteFileW(probe.c_str());
  return true;
}

TEST(SaveImage, ToAGbkFileNameAndBackForEachEncoder) {
  const std::wstring folder = ScratchFolder(L"formats");
  if (!ChineseFileNamesWork(folder)) GTEST_SKIP() << "Wine here cannot name files in Chinese";
  BitmapObject bitmap = Sample();
  const struct {
    const char* format;
    bool readable;
  } formats[] = {{kImageFormatPng, true},
                 {kImageFormatBmp, true},
                 {kImageFormatJpeg, true},
                 // Wine: the GIF encoder writes the 24-byte header only.
                 {kImageFormatGif, false},
                 {kImageFormatTiff, true}};
  int n = 0;
  for (const auto& f : formats) {
    SCOPED_TRACE(f.format);
    // A Chinese file name given as GBK; it must reach the file system unchanged on any
    // system code page.
    const std::string name = WideToGbk(folder) + "\\图片" + std::to_string(++n) + ".img";
    ASSERT_TRUE(bitmap.SaveImageToFile(name, f.format)) << "status " << LastStatus();
    EXPECT_TRUE(FileExists(folder + L"\\图片" + std::to_wstring(n) + L".img"));
    ImageObject loaded;
    if (!f.readable) {
      EXPECT_FALSE(loaded.LoadImageFromFile(name));
      continue;
    }
    ASSERT_TRUE(loaded.LoadImageFromFile(name));
    EXPECT_EQ(loaded.GetImageWidth(), 37u);
    EXPECT_EQ(loaded.GetImageHeight(), 23u);
    BitmapObject pixels;
    ASSERT_TRUE(pixels.CreateBitmapFromFile(name));
    EXPECT_GT(Red(pixels.BitmapGetPixel(1, 1)), 200) << "the red corner survived";
  }
  // The default is BMP.
  const std::wstring bmp = folder + L"\\default.bmp";
  ASSERT_TRUE(bitmap.SaveImageToFile(bmp));
  ImageObject loaded;
  ASSERT_TRUE(loaded.LoadImageFromFile(bmp));
  const GUID raw = loaded.GetImageRawFormat();
  GUID bmpFormat{};
  ASSERT_EQ(CLSIDFromString(GbkToWide(kImageFormatBmp).c_str(), &bmpFormat), S_OK);
  EXPECT_TRUE(IsEqualGUID(raw, bmpFormat));
}

TEST(SaveImage, ToAStreamGivesTheEncodedBytes) {
  BitmapObject bitmap = Sample();
  MemoryStream stream;
  ASSERT_NE(stream.LoadBytes(nullptr, 0), nullptr);
  ASSERT_TRUE(bitmap.SaveImageToStream(stream.Stream(), kImageFormatPng));
  const std::vector<std::uint8_t> bytes = stream.ReadBytes();
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(std::memcmp(bytes.data(), "\x89PNG\r\n\x1A\n", 8), 0);
  EXPECT_EQ(stream.Size(), bytes.size());
}

TEST(RotateBitmap, AQuarterTurnSwapsTheSidesAndMovesTheCorners) {
  BitmapObject bitmap = MakeBitmap(100, 50, kBlue);
  {
    GraphicsObject graphics;
    SolidBrushObject red;
    ASSERT_TRUE(graphics.GetImageGraphicsContext(bitmap));
    ASSERT_TRUE(red.CreateSolidFill(kRed));
    ASSERT_TRUE(graphics.FillRectangleI(red, 0, 0, 10, 10));
  }
  ASSERT_TRUE(bitmap.BitmapSetResolution(120, 120));
  ASSERT_TRUE(bitmap.RotateBitmap(90));
  EXPECT_EQ(bitmap.GetImageWidth(), 50u);
  EXPECT_EQ(bitmap.GetImageHeight(), 100u);
  EXPECT_FLOAT_EQ(bitmap.GetImageHorizontalResolution(), 120);
  const Pixels p = ReadPixels(bitmap);
  // Clockwise: the top-left corner goes to the top-right.
  EXPECT_EQ(p.At(45, 5), kRed);
  EXPECT_EQ(p.At(5, 5), kBlue);
  EXPECT_EQ(p.At(25, 90), kBlue);
}

TEST(RotateBitmap, CornersTakeTheBackgroundOrStayTransparent) {
  BitmapObject plain = MakeBitmap(40, 40, kBlue);
  ASSERT_TRUE(plain.RotateBitmap(45));
  EXPECT_EQ(plain.GetImageWidth(), 57u);
  EXPECT_EQ(Alpha(ReadPixels(plain).At(0, 0)), 0);
  EXPECT_EQ(ReadPixels(plain).At(28, 28), kBlue);

  BitmapObject filled = MakeBitmap(40, 40, kBlue);
  ASSERT_TRUE(filled.RotateBitmap(45, kGreen, gp::InterpolationModeNearestNeighbor));
  EXPECT_EQ(ReadPixels(filled).At(0, 0), kGreen);

  BitmapObject sized = MakeBitmap(40, 20, kBlue);
  ASSERT_TRUE(sized.RotateBitmap(0, std::nullopt, std::nullopt, gp::Size(60, 30)));
  EXPECT_EQ(sized.GetImageWidth(), 60u);
  EXPECT_EQ(ReadPixels(sized).At(30, 15), kBlue) << "centred";
}

TEST(RotateBitmap, FailureKeepsTheOldImage) {
  BitmapObject bitmap = MakeBitmap(10, 10, kBlue);
  void* held = bitmap.GetNative();
  EXPECT_FALSE(bitmap.RotateBitmap(30, std::nullopt, std::nullopt, gp::Size(0, 5)));
  EXPECT_EQ(bitmap.GetNative(), held);
  EXPECT_EQ(bitmap.GetImageWidth(), 10u);
  BitmapObject empty;
  EXPECT_FALSE(empty.RotateBitmap(90));
}

TEST(RotatedSize, IsTheBoxAroundTheTurnedRectangle) {
  const struct {
    float width, height, angle;
    int boxWidth, boxHeight;
  } cases[] = {
      {100, 50, 0, 100, 50},   {100, 50, 90, 50, 100},  {100, 50, 180, 100, 50},
      {100, 50, 270, 50, 100}, {100, 50, -90, 50, 100}, {40, 40, 45, 57, 57},
      {100, 50, 30, 112, 94},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.angle);
    const gp::Size size = BitmapObject::RotatedSize(c.width, c.height, c.angle);
    EXPECT_EQ(size.Width, c.boxWidth);
    EXPECT_EQ(size.Height, c.boxHeight);
  }
}

TEST(FrameDelays, AStillPictureHasNone) {
  BitmapObject source = Sample();
  ImageObject image;
  ASSERT_TRUE(image.LoadImageFromBytes(EncodePng(source)));
  std::vector<int> delays = {7};
  EXPECT_FALSE(image.GetFrameDelays(delays));
  EXPECT_TRUE(delays.empty());
}

// A 1 x 1 animated GIF of two frames shown for 7 and 25 hundredths of a second.
std::vector<std::uint8_t> AnimatedGif() {
  std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,
                                   0, 0, 0, 0xFF, 0xFF, 0xFF};
  const std::uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E',
                               '2', '.', '0', 0x03, 0x01, 0x00, 0x00, 0x00};
  gif.insert(gif.end(), loop, loop + sizeof loop);
  for (std::uint8_t delay : {7, 25}) {
    const std::uint8_t frame[] = {0x21, 0xF9, 0x04, 0x00, delay, 0x00, 0x00, 0x00,  // control
                                  0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00,              // descriptor
                                  0x02, 0x02, 0x44, 0x01, 0x00};                   // pixels
    gif.insert(gif.end(), frame, frame + sizeof frame);
  }
  gif.push_back(0x3B);
  return gif;
}

TEST(FrameDelays, AreReadFromAnAnimation) {
  ImageObject image;
  ASSERT_TRUE(image.LoadImageFromBytes(AnimatedGif())) << "status " << LastStatus();
  const std::vector<GUID> dimensions = image.ImageGetFrameDimensionsList();
  ASSERT_EQ(dimensions.size(), 1u);
  EXPECT_EQ(image.ImageGetFrameCount(dimensions[0]), 2u);
  std::vector<int> delays;
  ASSERT_TRUE(image.GetFrameDelays(delays));
  EXPECT_EQ(delays, (std::vector<int>{7, 25}));
  EXPECT_TRUE(image.ImageSelectActiveFrame(dimensions[0], 1));
}

TEST(MemoryStream, HoldsACopyOfTheBytes) {
  std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5};
  MemoryStream stream;
  ASSERT_NE(stream.LoadBytes(bytes), nullptr);
  bytes[0] = 99;
  EXPECT_EQ(stream.ReadBytes(), (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(stream.Size(), 5u);
  EXPECT_NE(stream.Block(), nullptr);

  ASSERT_NE(stream.LoadBytes(bytes, 2), nullptr);
  EXPECT_EQ(stream.ReadBytes(), (std::vector<std::uint8_t>{99, 2}));
  ASSERT_NE(stream.LoadBytes(bytes, 1000), nullptr) << "a length past the end is cut";
  EXPECT_EQ(stream.Size(), 5u);

  stream.Release();
  EXPECT_EQ(stream.Stream(), nullptr);
  EXPECT_EQ(stream.Size(), 0u);
  EXPECT_TRUE(stream.ReadBytes().empty());
}

TEST(MemoryStream, AttachTakesAReferenceAndFindsTheBlock) {
  IStream* raw = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &raw), S_OK);
  ULONG written = 0;
  ASSERT_EQ(raw->Write("abc", 3, &written), S_OK);
  {
    MemoryStream stream;
    EXPECT_TRUE(stream.AttachStream(raw));
    EXPECT_EQ(stream.ReadBytes(), (std::vector<std::uint8_t>{'a', 'b', 'c'}));
    // The read leaves the position where it was.
    LARGE_INTEGER zero{};
    ULARGE_INTEGER position{};
    raw->Seek(zero, STREAM_SEEK_CUR, &position);
    EXPECT_EQ(position.QuadPart, 3u);
  }
  EXPECT_EQ(raw->Release(), 0u) << "the wrapper gave its reference back";
  MemoryStream none;
  EXPECT_FALSE(none.AttachStream(nullptr));
}

}  // namespace
