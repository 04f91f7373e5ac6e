#include "gdiplus/image_objects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gdiplus/brush_objects.h"
#include "gdiplus/flat_api.h"
#include "runtime/gbk_text.h"
#include "gdiplus/graphics_object.h"

namespace {

// The class identifier of the installed encoder for a format identifier given as text.
bool FindEncoder(const std::string& format, CLSID& encoder) {
  GUID wanted{};
  const std::wstring text = GbkToWide(format);
  if (text.empty() || FAILED(CLSIDFromString(text.c_str(), &wanted)))
    return RecordStatus(gp::InvalidParameter);
  UINT count = 0;
  UINT size = 0;
  if (!GDIP_OK(GdipGetImageEncodersSize, &count, &size)) return false;
  if (count == 0 || size < count * sizeof(gp::ImageCodecInfo))
    return RecordStatus(gp::UnknownImageFormat);
  // ImageCodecInfo records are followed by the strings they point into.
  std::vector<std::uint64_t> buffer((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
  auto* codecs = reinterpret_cast<gp::ImageCodecInfo*>(buffer.data());
  if (!GDIP_OK(GdipGetImageEncoders, count, size, codecs)) return false;
  for (UINT i = 0; i < count; ++i) {
    if (IsEqualGUID(codecs[i].FormatID, wanted)) {
      encoder = codecs[i].Clsid;
      return true;
    }
  }
  return RecordStatus(gp::UnknownImageFormat);
}

// A matrix for the span of one operation.
class ScopedMatrix {
 public:
  ScopedMatrix() { status_ = GDIP_CALL(GdipCreateMatrix, &matrix_); }
  ScopedMatrix(const ScopedMatrix&) = delete;
  ScopedMatrix& operator=(const ScopedMatrix&) = delete;
  ~ScopedMatrix() {
    if (matrix_ != nullptr) GDIP_CALL(GdipDeleteMatrix, matrix_);
  }
  gp::Status status() const { return status_; }
  gp::GpMatrix* get() const { return matrix_; }

 private:
  gp::GpMatrix* matrix_ = nullptr;
  gp::Status status_ = gp::GenericError;
};

}  // namespace

// Images.

gp::Status ImageObject::DeleteNative(void* handle) {
  // The image first: GDI+ may still read the stream while it disposes.
  const gp::Status status = GDIP_CALL(GdipDisposeImage, static_cast<gp::GpImage*>(handle));
  stream_.Release();
  return status;
}

bool ImageObject::LoadImageFromFile(const std::string& fileName, bool icm) {
  return LoadImageFromFile(GbkToWide(fileName), icm);
}
bool ImageObject::LoadImageFromFile(const std::wstring& fileName, bool icm) {
  gp::GpImage* image = nullptr;
  return Adopt(icm ? GDIP_CALL(GdipLoadImageFromFileICM, fileName.c_str(), &image)
                   : GDIP_CALL(GdipLoadImageFromFile, fileName.c_str(), &image),
               &image);
}
bool ImageObject::LoadImageFromBytes(const void* data, std::size_t size, bool icm) {
  MemoryStream stream;
  if (stream.LoadBytes(data, size) == nullptr) return RecordStatus(gp::OutOfMemory);
  gp::GpImage* image = nullptr;
  return AdoptWithStream(icm ? GDIP_CALL(GdipLoadImageFromStreamICM, stream.Stream(), &image)
                             : GDIP_CALL(GdipLoadImageFromStream, stream.Stream(), &image),
                         &image, stream);
}
bool ImageObject::CloneImage(const ImageObject& source) {
  gp::GpImage* image = nullptr;
  return Adopt(GDIP_CALL(GdipCloneImage, source.Image(), &image), &image);
}
ByteSet ImageObject::GetEncoderParameterList(const CLSID& encoder) {
  const UINT size = GDIP_GET(UINT, GdipGetEncoderParameterListSize, Image(), &encoder);
  if (LastStatus() != gp::Ok || size == 0) return {};
  ByteSet block(size);
  if (!GDIP_OK(GdipGetEncoderParameterList, Image(), &encoder, size,
               reinterpret_cast<gp::EncoderParameters*>(block.data())))
    return {};
  return block;
}
bool ImageObject::SaveImageToFile(const std::string& fileName, const std::string& format,
                                  const gp::EncoderParameters* parameters) {
  return SaveImageToFile(GbkToWide(fileName), format, parameters);
}
bool ImageObject::SaveImageToFile(const std::wstring& fileName, const std::string& format,
                                  const gp::EncoderParameters* parameters) {
  CLSID encoder{};
  return FindEncoder(format, encoder) &&
         GDIP_OK(GdipSaveImageToFile, Image(), fileName.c_str(), &encoder, parameters);
}
bool ImageObject::SaveImageToStream(IStream* stream, const std::string& format,
                                    const gp::EncoderParameters* parameters) {
  CLSID encoder{};
  return FindEncoder(format, encoder) &&
         GDIP_OK(GdipSaveImageToStream, Image(), stream, &encoder, parameters);
}
bool ImageObject::SaveAdd(const gp::EncoderParameters* parameters) {
  return GDIP_OK(GdipSaveAdd, Image(), parameters);
}
bool ImageObject::SaveAddImage(const ImageObject& frame,
                               const gp::EncoderParameters* parameters) {
  return GDIP_OK(GdipSaveAddImage, Image(), frame.Image(), parameters);
}
gp::ImageType ImageObject::GetImageType() {
  return GDIP_GET(gp::ImageType, GdipGetImageType, Image());
}
bool ImageObject::GetImageDimension(float& width, float& height) {
  return GDIP_OK(GdipGetImageDimension, Image(), &width, &height);
}
bool ImageObject::GetImageBounds(gp::RectF& bounds, gp::Unit& unit) {
  return GDIP_OK(GdipGetImageBounds, Image(), &bounds, &unit);
}
unsigned ImageObject::GetImageWidth() { return GDIP_GET(UINT, GdipGetImageWidth, Image()); }
unsigned ImageObject::GetImageHeight() { return GDIP_GET(UINT, GdipGetImageHeight, Image()); }
float ImageObject::GetImageHorizontalResolution() {
  return GDIP_GET(float, GdipGetImageHorizontalResolution, Image());
}
float ImageObject::GetImageVerticalResolution() {
  return GDIP_GET(float, GdipGetImageVerticalResolution, Image());
}
unsigned ImageObject::GetImageFlags() { return GDIP_GET(UINT, GdipGetImageFlags, Image()); }
GUID ImageObject::GetImageRawFormat() { return GDIP_GET(GUID, GdipGetImageRawFormat, Image()); }
gp::PixelFormat ImageObject::GetImagePixelFormat() {
  return GDIP_GET(gp::PixelFormat, GdipGetImagePixelFormat, Image());
}
ByteSet ImageObject::GetImagePalette() {
  const INT size = GDIP_GET(INT, GdipGetImagePaletteSize, Image());
  if (LastStatus() != gp::Ok || size <= 0) return {};
  ByteSet palette(static_cast<std::size_t>(size));
  if (!GDIP_OK(GdipGetImagePalette, Image(), reinterpret_cast<gp::ColorPalette*>(palette.data()),
               size))
    return {};
  return palette;
}
bool ImageObject::SetImagePalette(const gp::ColorPalette* palette) {
  return GDIP_OK(GdipSetImagePalette, Image(), palette);
}
bool ImageObject::GetImageThumbnail(unsigned width, unsigned height, ImageObject& thumbnail) {
  gp::GpImage* image = nullptr;
  if (!GDIP_OK(GdipGetImageThumbnail, Image(), width, height, &image, nullptr, nullptr))
    return false;
  thumbnail.SetNative(image);
  return true;
}
unsigned ImageObject::ImageGetFrameCount(const GUID& dimension) {
  return GDIP_GET(UINT, GdipImageGetFrameCount, Image(), &dimension);
}
std::vector<GUID> ImageObject::ImageGetFrameDimensionsList() {
  const UINT count = GDIP_GET(UINT, GdipImageGetFrameDimensionsCount, Image());
  if (LastStatus() != gp::Ok || count == 0) return {};
  std::vector<GUID> dimensions(count);
  if (!GDIP_OK(GdipImageGetFrameDimensionsList, Image(), dimensions.data(), count)) return {};
  return dimensions;
}
bool ImageObject::ImageSelectActiveFrame(const GUID& dimension, unsigned index) {
  return GDIP_OK(GdipImageSelectActiveFrame, Image(), &dimension, index);
}
bool ImageObject::ImageRotateFlip(gp::RotateFlipType type) {
  return GDIP_OK(GdipImageRotateFlip, Image(), type);
}
bool ImageObject::GetFrameDelays(std::vector<int>& delays) {
  delays.clear();
  const ByteSet item = GetPropertyItem(kPropertyTagFrameDelay);
  if (item.size() < sizeof(gp::PropertyItem)) return false;
  gp::PropertyItem header;
  std::memcpy(&header, item.data(), sizeof header);
  // The value sits inside the block GDI+ filled; never read past that block.
  const auto* block = item.data();
  const auto* value = static_cast<const std::uint8_t*>(header.value);
  if (value < block || value > block + item.size()) return false;
  const std::size_t available = static_cast<std::size_t>(block + item.size() - value);
  const std::size_t count = std::min<std::size_t>(header.length, available) / 4;
  delays.resize(count);
  std::memcpy(delays.data(), value, count * 4);
  return true;
}
ByteSet ImageObject::GetPropertyItem(PROPID id) {
  const UINT size = GDIP_GET(UINT, GdipGetPropertyItemSize, Image(), id);
  if (LastStatus() != gp::Ok || size < sizeof(gp::PropertyItem)) return {};
  ByteSet item(size);
  if (!GDIP_OK(GdipGetPropertyItem, Image(), id, size,
               reinterpret_cast<gp::PropertyItem*>(item.data())))
    return {};
  return item;
}
bool ImageObject::SetPropertyItem(const gp::PropertyItem& item) {
  return GDIP_OK(GdipSetPropertyItem, Image(), &item);
}
bool ImageObject::RemovePropertyItem(PROPID id) {
  return GDIP_OK(GdipRemovePropertyItem, Image(), id);
}
std::vector<PROPID> ImageObject::GetPropertyIdList() {
  const UINT count = GDIP_GET(UINT, GdipGetPropertyCount, Image());
  if (LastStatus() != gp::Ok || count == 0) return {};
  std::vector<PROPID> ids(count);
  if (!GDIP_OK(GdipGetPropertyIdList, Image(), count, ids.data())) return {};
  return ids;
}

// Bitmaps.

bool BitmapObject::CreateBitmapFromFile(const std::string& fileName, bool icm) {
  return CreateBitmapFromFile(GbkToWide(fileName), icm);
}
bool BitmapObject::CreateBitmapFromFile(const std::wstring& fileName, bool icm) {
  gp::GpBitmap* bitmap = nullptr;
  return Adopt(icm ? GDIP_CALL(GdipCreateBitmapFromFileICM, fileName.c_str(), &bitmap)
                   : GDIP_CALL(GdipCreateBitmapFromFile, fileName.c_str(), &bitmap),
               &bitmap);
}
bool BitmapObject::CreateBitmapFromBytes(const void* data, std::size_t size, bool icm) {
  MemoryStream stream;
  if (stream.LoadBytes(data, size) == nullptr) return RecordStatus(gp::OutOfMemory);
  gp::GpBitmap* bitmap = nullptr;
  return AdoptWithStream(icm ? GDIP_CALL(GdipCreateBitmapFromStreamICM, stream.Stream(), &bitmap)
                             : GDIP_CALL(GdipCreateBitmapFromStream, stream.Stream(), &bitmap),
                         &bitmap, stream);
}
bool BitmapObject::CreateBitmapFromScan0(int width, int height, int stride,
                                         gp::PixelFormat format, std::uint8_t* scan0) {
  gp::GpBitmap* bitmap = nullptr;
  return Adopt(GDIP_CALL(GdipCreateBitmapFromScan0, width, height, stride, format, scan0, &bitmap),
               &bitmap);
}
bool BitmapObject::CreateBitmapFromScan0(int width, int height, gp::PixelFormat format) {
  return CreateBitmapFromScan0(width, height, 0, format, nullptr);
}
bool BitmapObject::CreateBitmapFromGraphics(int width, int height,
                                            const GraphicsObject& graphics) {
  gp::GpBitmap* bitmap = nullptr;
  return Adopt(
      GDIP_CALL(GdipCreateBitmapFromGraphics, width, height, graphics.Graphics(), &bitmap),
      &bitmap);
}
bool BitmapObject::CreateBitmapFromGdiDib(const BITMAPINFO* info, void* bits) {
  gp::GpBitmap* bitmap = nullptr;
  return Adopt(GDIP_CALL(GdipCreateBitmapFromGdiDib, info, bits, &bitmap), &bitmap);
}
bool BitmapObject::CreateBitmapFromHBITMAP(HBITMAP gdiBitmap, HPALETTE palette) {
  gp::GpBitmap* bitmap = nullptr;
  return Adopt(GDIP_CALL(GdipCreateBitmapFromHBITMAP, gdiBitmap, palette, &bitmap), &bitmap);
}
bool BitmapObject::CreateBitmapFromHICON(HICON icon) {
  gp::GpBitmap* bitmap = nullptr;
  return Adopt(GDIP_CALL(GdipCreateBitmapFromHICON, icon, &bitmap), &bitmap);
}
bool BitmapObject::CreateBitmapFromResource(HINSTANCE module, const wchar_t* name) {
  gp::GpBitmap* bitmap = nullptr;
  return Adopt(GDIP_CALL(GdipCreateBitmapFromResource, module, name, &bitmap), &bitmap);
}
HBITMAP BitmapObject::CreateHBITMAPFromBitmap(gp::ARGB background) {
  HBITMAP bitmap = nullptr;
  GDIP_OK(GdipCreateHBITMAPFromBitmap, Bitmap(), &bitmap, background);
  return bitmap;
}
HICON BitmapObject::CreateHICONFromBitmap() {
  return GDIP_GET(HICON, GdipCreateHICONFromBitmap, Bitmap());
}
bool BitmapObject::CloneBitmapArea(float x, float y, float width, float height,
                                   gp::PixelFormat format, const BitmapObject& source) {
  gp::GpBitmap* bitmap = nullptr;
  return Adopt(GDIP_CALL(GdipCloneBitmapArea, x, y, width, height, format, source.Bitmap(),
                         &bitmap),
               &bitmap);
}
bool BitmapObject::CloneBitmapAreaI(int x, int y, int width, int height, gp::PixelFormat format,
                                    const BitmapObject& source) {
  gp::GpBitmap* bitmap = nullptr;
  return Adopt(GDIP_CALL(GdipCloneBitmapAreaI, x, y, width, height, format, source.Bitmap(),
                         &bitmap),
               &bitmap);
}
bool BitmapObject::BitmapLockBits(const gp::Rect* rect, unsigned flags, gp::PixelFormat format,
                                  gp::BitmapData& data) {
  return GDIP_OK(GdipBitmapLockBits, Bitmap(), rect, flags, format, &data);
}
bool BitmapObject::BitmapUnlockBits(gp::BitmapData& data) {
  return GDIP_OK(GdipBitmapUnlockBits, Bitmap(), &data);
}
gp::ARGB BitmapObject::BitmapGetPixel(int x, int y) {
  return GDIP_GET(gp::ARGB, GdipBitmapGetPixel, Bitmap(), x, y);
}
bool BitmapObject::BitmapSetPixel(int x, int y, gp::ARGB colour) {
  return GDIP_OK(GdipBitmapSetPixel, Bitmap(), x, y, colour);
}
bool BitmapObject::BitmapSetResolution(float dpiX, float dpiY) {
  return GDIP_OK(GdipBitmapSetResolution, Bitmap(), dpiX, dpiY);
}
bool BitmapObject::BitmapApplyEffect(gp::CGpEffect* effect, RECT* area, bool useAuxData,
                                     void** auxData, int* auxDataSize) {
  return GDIP_OK(GdipBitmapApplyEffect, Bitmap(), effect, area, useAuxData, auxData,
                 auxDataSize);
}

gp::Size BitmapObject::RotatedSize(float width, float height, float angle) {
  const double radians = angle * 3.1415926535 / 180.0;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  const double xs[4] = {0.0, width * c, width * c - height * s, -height * s};
  const double ys[4] = {0.0, width * s, width * s + height * c, height * c};
  const double boxWidth = *std::max_element(xs, xs + 4) - *std::min_element(xs, xs + 4);
  const double boxHeight = *std::max_element(ys, ys + 4) - *std::min_element(ys, ys + 4);
  // Whole pixels that hold the box; the tolerance absorbs the rounding of sine and cosine
  // so that a quarter turn of 100 x 50 is 50 x 100, not 51 x 101.
  return gp::Size(static_cast<INT>(std::ceil(boxWidth - 1e-3)),
                  static_cast<INT>(std::ceil(boxHeight - 1e-3)));
}

bool BitmapObject::RotateBitmap(float angle, std::optional<gp::ARGB> background,
                                std::optional<gp::InterpolationMode> mode,
                                std::optional<gp::Size> size) {
  const unsigned width = GetImageWidth();
  if (LastStatus() != gp::Ok) return false;
  const unsigned height = GetImageHeight();
  if (LastStatus() != gp::Ok) return false;
  const gp::Size target = size ? *size
                               : RotatedSize(static_cast<float>(width),
                                             static_cast<float>(height), angle);
  const float dpiX = GetImageHorizontalResolution();
  const float dpiY = GetImageVerticalResolution();

  BitmapObject rotated;
  if (!rotated.CreateBitmapFromScan0(target.Width, target.Height, PixelFormat32bppARGB) ||
      !rotated.BitmapSetResolution(dpiX, dpiY))
    return false;
  {
    GraphicsObject graphics;
    if (!graphics.GetImageGraphicsContext(rotated)) return false;
    if (background) {
      SolidBrushObject brush;
      if (!brush.CreateSolidFill(*background) ||
          !graphics.FillRectangleI(brush, 0, 0, target.Width, target.Height))
        return false;
    }
    if (mode && !graphics.SetInterpolationMode(*mode)) return false;
    // The old image's centre goes to the origin, turns, and lands on the new centre.
    ScopedMatrix matrix;
    if (!RecordStatus(matrix.status()) ||
        !GDIP_OK(GdipTranslateMatrix, matrix.get(), -(width / 2.0f), -(height / 2.0f),
                 gp::MatrixOrderAppend) ||
        !GDIP_OK(GdipRotateMatrix, matrix.get(), angle, gp::MatrixOrderAppend) ||
        !GDIP_OK(GdipTranslateMatrix, matrix.get(), target.Width / 2.0f, target.Height / 2.0f,
                 gp::MatrixOrderAppend) ||
        !graphics.SetWorldTransform(matrix.get()))
      return false;
    // At its pixel size: a plain DrawImage would scale by the resolution.
    if (!graphics.DrawImageRectI(*this, 0, 0, static_cast<int>(width),
                                 static_cast<int>(height)) ||
        !graphics.ResetWorldTransform() || !graphics.DeleteGraphics())
      return false;
  }
  SetNative(rotated.Detach());
  return true;
}
