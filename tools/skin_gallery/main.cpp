// The skin gallery: every control family of the skin engine in one skinned window.
// skin_gallery.exe                 opens the gallery until it is closed
// skin_gallery.exe --shots DIR     saves screenshots of it into DIR and closes it
#include <windows.h>

#include <string>

#include "runtime/gdiplus_session.h"
#include "skin/skin.h"
#include "tools/demo/screenshot.h"
#include "tools/skin_gallery/gallery.h"

namespace {

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < milliseconds) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring shots;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::wstring(argv[i]) == L"--shots") shots = argv[i + 1];
  }
  if (!StartGdiplus()) return 1;
  int result = 0;
  {
    SkinEngine skin;
    GalleryWindow gallery(skin, true);
    if (!gallery.Get()) return 1;
    if (!shots.empty()) {
      PumpFor(1500);
      const bool saved = SaveWindowScreenshot(gallery.Get(), shots + L"\\gallery.png");
      // The same window with the pointer over a few controls: their lit look.
      for (const char* name : {"check.auto", "combo.list", "track.bottom", "updown.vertical"}) {
        if (HWND control = gallery.Control(name)) SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
      }
      PumpFor(300);
      const bool hovered = SaveWindowScreenshot(gallery.Get(), shots + L"\\gallery_hover.png");
      result = saved && hovered ? 0 : 2;
    } else {
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  return result;
}
