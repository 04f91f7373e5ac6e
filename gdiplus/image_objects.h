#pragma once
// GDI+ images and bitmaps: skin pictures and glyphs loaded from bytes or files, bitmaps
// drawn on and turned into HBITMAPs. An image loaded from bytes keeps its stream for as
// long as it lives, because GDI+ reads the stream lazily.
#include <optional>
#include <string>
#include <vector>

#include "gdiplus/drawing_object.h"
#include "gdiplus/memory_stream.h"

class GraphicsObject;

// Format identifiers of the encoders GDI+ ships with.
inline constexpr const char* kImageFormatBmp = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* kImageFormatJpeg = "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* kImageFormatPng = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* kImageFormatGif = "{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* kImageFormatTiff = "{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}";

// The property that holds an animation's frame delays.
inline constexpr PROPID kPropertyTagFrameDelay = 0x5100;

class ImageObject : public DrawingObject {
 public:
  ImageObject() = default;
  ImageObject(ImageObject&&) = default;
  ImageObject& operator=(ImageObject&&) = default;
  ~ImageObject() override { ReleaseHeld(); }

  gp::GpImage* Image() const { return static_cast<gp::GpImage*>(GetNative()); }
  const MemoryStream& Stream() const { return stream_; }

  // Disposes the image, then lets go of the stream it was read from.
  bool DisposeImage() { return DeleteHeld(); }
  // The file name is GBK (or UTF-16 in the wide form).
  bool LoadImageFromFile(const std::string& fileName, bool icm = false);
  bool LoadImageFromFile(const std::wstring& fileName, bool icm = false);
  // The bytes are copied; the caller may free them as soon as this returns.
  bool LoadImageFromBytes(const void* data, std::size_t size, bool icm = false);
  bool LoadImageFromBytes(const std::vector<std::uint8_t>& bytes, bool icm = false) {
    return LoadImageFromBytes(bytes.data(), bytes.size(), icm);
  }
  bool CloneImage(const ImageObject& source);
  // The encoder's parameter block (an EncoderParameters record) as bytes.
  ByteSet GetEncoderParameterList(const CLSID& encoder);
  // Saves through the installed encoder whose format identifier (text, such as
  // kImageFormatPng) is given. Without such an encoder nothing is written and the result
  // is false with UnknownImageFormat (InvalidParameter for a malformed identifier).
  bool SaveImageToFile(const std::string& fileName, const std::string& format = kImageFormatBmp,
                       const gp::EncoderParameters* parameters = nullptr);
  bool SaveImageToFile(const std::wstring& fileName, const std::string& format = kImageFormatBmp,
                       const gp::EncoderParameters* parameters = nullptr);
  bool SaveImageToStream(IStream* stream, const std::string& format = kImageFormatBmp,
                         const gp::EncoderParameters* parameters = nullptr);
  bool SaveAdd(const gp::EncoderParameters* parameters);
  bool SaveAddImage(const ImageObject& frame, const gp::EncoderParameters* parameters);
  gp::ImageType GetImageType();
  bool GetImageDimension(float& width, float& height);
  bool GetImageBounds(gp::RectF& bounds, gp::Unit& unit);
  unsigned GetImageWidth();
  unsigned GetImageHeight();
  float GetImageHorizontalResolution();
  float GetImageVerticalResolution();
  unsigned GetImageFlags();
  GUID GetImageRawFormat();
  gp::PixelFormat GetImagePixelFormat();
  // A ColorPalette record as bytes.
  ByteSet GetImagePalette();
  bool SetImagePalette(const gp::ColorPalette* palette);
  // Into `thumbnail`, which then owns the new image.
  bool GetImageThumbnail(unsigned width, unsigned height, ImageObject& thumbnail);
  unsigned ImageGetFrameCount(const GUID& dimension);
  std::vector<GUID> ImageGetFrameDimensionsList();
  bool ImageSelectActiveFrame(const GUID& dimension, unsigned index);
  bool ImageRotateFlip(gp::RotateFlipType type);
  // One delay per frame in hundredths of a second; false when the image has none.
  bool GetFrameDelays(std::vector<int>& delays);
  // A PropertyItem record followed by its value, as bytes; empty when absent.
  ByteSet GetPropertyItem(PROPID id);
  bool SetPropertyItem(const gp::PropertyItem& item);
  bool RemovePropertyItem(PROPID id);
  std::vector<PROPID> GetPropertyIdList();

 protected:
  gp::Status DeleteNative(void* handle) override;
  // Constructor-like methods over bytes end here: the new image replaces the old one
  // (and its stream) and keeps `stream` for its own life.
  template <typename Handle>
  bool AdoptWithStream(gp::Status status, Handle* const* handle, MemoryStream& stream) {
    if (!AdoptHandle(status, *handle)) return false;
    stream_ = std::move(stream);
    return true;
  }

 private:
  MemoryStream stream_;
};

class BitmapObject : public ImageObject {
 public:
  gp::GpBitmap* Bitmap() const { return static_cast<gp::GpBitmap*>(GetNative()); }

  bool CreateBitmapFromFile(const std::string& fileName, bool icm = false);
  bool CreateBitmapFromFile(const std::wstring& fileName, bool icm = false);
  bool CreateBitmapFromBytes(const void* data, std::size_t size, bool icm = false);
  bool CreateBitmapFromBytes(const std::vector<std::uint8_t>& bytes, bool icm = false) {
    return CreateBitmapFromBytes(bytes.data(), bytes.size(), icm);
  }
  bool CreateBitmapFromScan0(int width, int height, int stride, gp::PixelFormat format,
                             std::uint8_t* scan0);
  // GDI+ allocates the pixels (zero: transparent black).
  bool CreateBitmapFromScan0(int width, int height,
                             gp::PixelFormat format = PixelFormat32bppARGB);
  bool CreateBitmapFromGraphics(int width, int height, const GraphicsObject& graphics);
  bool CreateBitmapFromGdiDib(const BITMAPINFO* info, void* bits);
  bool CreateBitmapFromHBITMAP(HBITMAP bitmap, HPALETTE palette = nullptr);
  bool CreateBitmapFromHICON(HICON icon);
  bool CreateBitmapFromResource(HINSTANCE module, const wchar_t* name);
  // GDI objects the caller deletes; null on failure.
  HBITMAP CreateHBITMAPFromBitmap(gp::ARGB background = 0);
  HICON CreateHICONFromBitmap();
  bool CloneBitmapArea(float x, float y, float width, float height, gp::PixelFormat format,
                       const BitmapObject& source);
  bool CloneBitmapAreaI(int x, int y, int width, int height, gp::PixelFormat format,
                        const BitmapObject& source);
  bool BitmapLockBits(const gp::Rect* rect, unsigned flags, gp::PixelFormat format,
                      gp::BitmapData& data);
  bool BitmapUnlockBits(gp::BitmapData& data);
  gp::ARGB BitmapGetPixel(int x, int y);
  bool BitmapSetPixel(int x, int y, gp::ARGB colour);
  bool BitmapSetResolution(float dpiX, float dpiY);
  bool BitmapApplyEffect(gp::CGpEffect* effect, RECT* area, bool useAuxData, void** auxData,
                         int* auxDataSize);

  // Replaces the image by a 32-bit ARGB bitmap of it rotated by `angle` degrees
  // (clockwise) about its centre, centred in a bitmap of `size` (default: RotatedSize).
  // The corners are filled with `background`, or left transparent. On failure the old
  // image stays.
  bool RotateBitmap(float angle, std::optional<gp::ARGB> background = std::nullopt,
                    std::optional<gp::InterpolationMode> mode = std::nullopt,
                    std::optional<gp::Size> size = std::nullopt);
  // The size of the box around a width x height rectangle rotated by `angle` degrees.
  static gp::Size RotatedSize(float width, float height, float angle);
};
