#include "runtime/picture_box.h"

#include <algorithm>

#include "runtime/embedded.h"
#include "runtime/gbk_text.h"

void PaintPictureBox(HWND box, const DecodedPicture& picture) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(box, &ps);
  RECT rc;
  GetClientRect(box, &rc);
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (!picture.Empty()) {
    const int boxW = rc.right - rc.left, boxH = rc.bottom - rc.top;
    const double scale = std::min({1.0, static_cast<double>(boxW) / picture.width,
                                   static_cast<double>(boxH) / picture.height});
    const int w = std::max(1, static_cast<int>(picture.width * scale + 0.5));
    const int h = std::max(1, static_cast<int>(picture.height * scale + 0.5));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, (boxW - w) / 2, (boxH - h) / 2, w, h, 0, 0, picture.width, picture.height,
                  picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  }
  EndPaint(box, &ps);
}

DecodedPicture DecodePictureResource(const char* resourceName) {
  const auto bytes = EmbeddedBytes(GbkToWide(resourceName).c_str());
  if (bytes.empty()) return {};
  return DecodePicture(bytes.data(), bytes.size(), kPictureBackground);
}
