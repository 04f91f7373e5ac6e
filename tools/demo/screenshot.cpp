#include "tools/demo/screenshot.h"

#include <objidl.h>
#include <gdiplus.h>

#include <vector>

#include "runtime/handles.h"

namespace {
bool PngEncoder(CLSID& clsid) {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}
}  // namespace

bool SaveWindowScreenshot(HWND window, const std::wstring& file) {
  RECT rc;
  if (!GetWindowRect(window, &rc)) return false;
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  bool saved = false;
  {
    WindowDc screen(nullptr);
    HDC memory = CreateCompatibleDC(screen.Get());
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), w, h));
    HGDIOBJ old = SelectObject(memory, bitmap.get());
    BitBlt(memory, 0, 0, w, h, screen.Get(), rc.left, rc.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    Gdiplus::Bitmap image(bitmap.get(), nullptr);
    CLSID png;
    saved = PngEncoder(png) && image.Save(file.c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  return saved;
}
