// The skinned main window's painting: a full paint and a cached paint beside a plain BitBlt
// of the window's size, and a window of the main window's shape made and shown with and
// without the skin. Not a test: it prints figures (ratios within one run).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "runtime/embedded.h"
#include "runtime/gdiplus_session.h"
#include "skin/backdrop.h"
#include "skin/frame_paint.h"
#include "skin/skin.h"
#include "skin/skin_core.h"
#include "bench/bench_window.h"

namespace {

constexpr int kWidth = 593, kHeight = 522;

// A window with the main window's size and kinds of units.
HWND MakeMainLikeWindow() {
  HWND w = CreateWindowExW(0, WindowClass(), L"Veradin_Veradin Search_2.0.2017",
                           WS_POPUP | WS_MINIMIZEBOX | WS_CLIPSIBLINGS, 100, 100, kWidth, kHeight, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  auto child = [w](const wchar_t* cls, const wchar_t* text, int x, int y, int cx, int cy, DWORD ex = 0) {
    CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE, x, y, cx, cy, w, nullptr, GetModuleHandleW(nullptr), nullptr);
  };
  child(L"Static", L"姓名/名称：", 10, 34, 92, 24);
  child(L"Edit", L"", 108, 34, 163, 25, WS_EX_CLIENTEDGE);
  child(L"Static", L"验证码：", 276, 33, 72, 24);
  child(L"Edit", L"", 343, 32, 96, 25, WS_EX_CLIENTEDGE);
  child(L"Static", L"身份证号/组织代码证号：", 9, 61, 200, 24);
  child(L"Edit", L"", 215, 61, 224, 25, WS_EX_CLIENTEDGE);
  child(L"Button", L"查询", 447, 60, 136, 25);
  child(WC_LISTVIEWW, L"", 5, 88, 584, 406, WS_EX_CLIENTEDGE);
  child(L"Edit", L"", 435, 496, 48, 24, WS_EX_CLIENTEDGE);
  child(L"Static", L"N/A", 488, 496, 100, 24);
  return w;
}

double ShowWindowCost(SkinEngine* skin, const std::vector<std::uint8_t>& picture, int rounds) {
  const double start = Now();
  for (int i = 0; i < rounds; ++i) {
    HWND w = MakeMainLikeWindow();
    ShowWindow(w, SW_SHOW);
    if (skin) {
      skin->SetSkinImage({}, picture, RGB(0, 0, 0), RGB(255, 255, 255), 3);
      skin->SetControlVeil(true, 100);
      skin->ApplySkin(w, 25);
    }
    UpdateWindow(w);
    RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    DestroyWindow(w);
  }
  return (Now() - start) / rounds;
}

}  // namespace

int main() {
  if (!StartGdiplus()) return 1;
  const auto bytes = EmbeddedBytes(L"SKIN_IMAGE");
  const std::vector<std::uint8_t> picture(bytes.begin(), bytes.end());
  {
    SkinEngine skin;
    skin.SetSkinImage({}, picture, RGB(0, 0, 0), RGB(255, 255, 255), 3);
    skin.SetControlVeil(true, 100);
    HWND w = MakeMainLikeWindow();
    ShowWindow(w, SW_SHOW);
    skin.ApplySkin(w, 25);
    UpdateWindow(w);
    Pump();
    const int index = FindSkinWindow(w);
    HDC dc = GetDC(w);
    HDC plain = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, kWidth, kHeight);
    HGDIOBJ old = SelectObject(plain, bitmap);

    const int rounds = 200;
    double t = Now();
    for (int i = 0; i < rounds / 10; ++i) PaintWholeWindow(index, dc, true);
    const double full = (Now() - t) / (rounds / 10);
    t = Now();
    for (int i = 0; i < rounds; ++i) PaintFromBackBuffer(index, dc);
    const double cached = (Now() - t) / rounds;
    t = Now();
    for (int i = 0; i < rounds; ++i) BitBlt(dc, 0, 0, kWidth, kHeight, plain, 0, 0, SRCCOPY);
    const double blit = (Now() - t) / rounds;
    t = Now();
    HDC back = SkinWindowAt(index)->backBuffer.Dc();
    for (int i = 0; i < rounds; ++i) BitBlt(dc, 0, 0, kWidth, kHeight, back, 0, 0, SRCCOPY);
    const double backBlit = (Now() - t) / rounds;
    t = Now();
    for (int i = 0; i < rounds; ++i) {
      HDC clipped = GetDC(w);
      ExcludeChildren(w, clipped);
      ReleaseDC(w, clipped);
    }
    const double exclude = (Now() - t) / rounds;
    t = Now();
    for (int i = 0; i < rounds; ++i) {
      HDC clipped = GetDC(w);
      ReleaseDC(w, clipped);
    }
    const double getdc = (Now() - t) / rounds;
    std::printf("  GetDC+exclude %.3f ms, GetDC alone %.3f ms\n", exclude * 1e3, getdc * 1e3);
    std::printf("  BitBlt of the back buffer alone %.3f ms\n", backBlit * 1e3);
    std::printf("main window %dx%d: full paint %.2f ms, cached paint %.3f ms, plain BitBlt %.3f ms\n", kWidth,
                kHeight, full * 1e3, cached * 1e3, blit * 1e3);
    std::printf("  cached paint / BitBlt %.2f, full paint / BitBlt %.1f\n", cached / blit, full / blit);
    SelectObject(plain, old);
    DeleteObject(bitmap);
    DeleteDC(plain);
    ReleaseDC(w, dc);
    DestroyWindow(w);

    const double skinned = ShowWindowCost(&skin, picture, 10);
    const double bare = ShowWindowCost(nullptr, picture, 10);
    std::printf("make and show the main window: skinned %.1f ms, plain %.1f ms, ratio %.2f\n", skinned * 1e3,
                bare * 1e3, skinned / bare);
  }
  return 0;
}
