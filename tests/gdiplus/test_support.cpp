#include "test_support.h"

#include <cstring>

#include "gdiplus/graphics_object.h"
#include "gdiplus/brush_objects.h"

Pixels ReadPixels(BitmapObject& bitmap) {
  Pixels pixels;
  const int width = static_cast<int>(bitmap.GetImageWidth());
  const int height = static_cast<int>(bitmap.GetImageHeight());
  gp::Rect all(0, 0, width, height);
  gp::BitmapData data{};
  if (width <= 0 || height <= 0 ||
      !bitmap.BitmapLockBits(&all, gp::ImageLockModeRead, PixelFormat32bppARGB, data))
    return pixels;
  pixels.width = width;
  pixels.height = height;
  pixels.argb.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(data.Scan0) + y * data.Stride;
    std::memcpy(&pixels.argb[static_cast<std::size_t>(y) * width], row, width * 4u);
  }
  bitmap.BitmapUnlockBits(data);
  return pixels;
}

BitmapObject MakeBitmap(int width, int height, std::uint32_t argb) {
  BitmapObject bitmap;
  bitmap.CreateBitmapFromScan0(width, height, PixelFormat32bppARGB);
  GraphicsObject graphics;
  graphics.GetImageGraphicsContext(bitmap);
  graphics.GraphicsClear(argb);
  return bitmap;
}

std::vector<std::uint8_t> EncodePng(BitmapObject& bitmap) {
  MemoryStream stream;
  stream.LoadBytes(nullptr, 0);
  if (!bitmap.SaveImageToStream(stream.Stream(), kImageFormatPng)) return {};
  return stream.ReadBytes();
}

std::wstring ScratchFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"veradin-gdiplus-" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  // Leftovers of an earlier run.
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return folder;
}
