// The skinned controls: scrolling a 2,000-row list a page at a time from top to bottom with
// the skin against the same list without it, and repainting a hovered push button against
// a plain BitBlt of its size. Not a test: it prints figures (ratios within one run).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/embedded.h"
#include "runtime/gdiplus_session.h"
#include "gdiplus/graphics_object.h"
#include "skin/backdrop.h"
#include "skin/painters.h"
#include "skin/push_button.h"
#include "skin/skin.h"
#include "skin/skin_core.h"
#include "bench/bench_window.h"

namespace {

constexpr int kRows = 2000;

struct BenchWindow {
  HWND window = nullptr, list = nullptr, button = nullptr;
};

// The main window's list (its place, size and columns) filled with 2,000 rows, and its button.
BenchWindow Make() {
  BenchWindow b;
  b.window = CreateWindowExW(0, WindowClass(), L"bench", WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX, 100, 100, 593, 522,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  b.button = CreateWindowExW(0, L"Button", L"查询", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 447, 60, 136, 25, b.window,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  b.list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 5, 88, 584, 406,
                           b.window, nullptr, GetModuleHandleW(nullptr), nullptr);
  const wchar_t* titles[] = {L"被执行人姓名/名称", L"立案时间", L"案号", L"查看"};
  const int widths[] = {150, 100, 220, 90};
  for (int c = 0; c < 4; ++c) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(titles[c]);
    column.cx = widths[c];
    SendMessageW(b.list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  SendMessageW(b.list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < kRows; ++i) {
    std::wstring name = L"测试人员" + std::to_wstring(i);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = name.data();
    SendMessageW(b.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    std::wstring code = L"(2014)京执字第" + std::to_wstring(i) + L"号";
    item.iSubItem = 2;
    item.pszText = code.data();
    SendMessageW(b.list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(b.list, WM_SETREDRAW, TRUE, 0);
  UpdateWindow(b.window);
  Pump();
  return b;
}

double ScrollThrough(HWND list) {
  SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  UpdateWindow(list);
  const double start = Now();
  int pages = 0;
  for (int last = -1; static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)) != last; ++pages) {
    last = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    UpdateWindow(list);
  }
  const double took = Now() - start;
  std::printf("  %d pages\n", pages);
  return took;
}

}  // namespace

int main() {
  StartGdiplus();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  SkinEngine skin;
  const auto picture = EmbeddedBytes(L"SKIN_IMAGE");
  skin.SetSkinImage({}, std::vector<std::uint8_t>(picture.begin(), picture.end()), RGB(0, 0, 0), RGB(255, 255, 255), 3);
  skin.SetControlVeil(true, 100);

  BenchWindow plain = Make();
  ScrollThrough(plain.list);  // warm-up
  const double plainTime = ScrollThrough(plain.list);
  BenchWindow skinned = Make();
  skin.ApplySkin(skinned.window, 25);
  UpdateWindow(skinned.window);
  ScrollThrough(skinned.list);
  const double skinTime = ScrollThrough(skinned.list);
  std::printf("scrolling %d rows a page at a time: plain %.3f s, skinned %.3f s, ratio %.2f\n", kRows, plainTime,
              skinTime, skinTime / plainTime);

  RECT r{};
  GetClientRect(skinned.button, &r);
  constexpr int kRounds = 500;
  HDC dc = GetDC(skinned.button);
  HDC copy = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, r.right, r.bottom);
  HGDIOBJ old = SelectObject(copy, bitmap);
  double start = Now();
  for (int i = 0; i < kRounds; ++i) BitBlt(dc, 0, 0, r.right, r.bottom, copy, 0, 0, SRCCOPY);
  GdiFlush();
  const double blit = Now() - start;
  start = Now();
  for (int i = 0; i < kRounds; ++i) PaintButtonNow(skinned.button, 0, true);
  GdiFlush();
  const double hover = Now() - start;
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(skinned.button, dc);
  start = Now();
  for (int i = 0; i < 50; ++i) ReleaseBackdrop(PaintBackdrop(skinned.button, r));
  std::printf("  backdrop %.1f us\n", (Now() - start) / 50 * 1e6);
  start = Now();
  for (int i = 0; i < 50; ++i) {
    HDC b = PaintBackdrop(skinned.button, r);
    { DcGraphics g(b); }
    ReleaseBackdrop(b);
  }
  std::printf("  backdrop + graphics %.1f us\n", (Now() - start) / 50 * 1e6);
  std::printf("hovered button repaint: %.1f us against a BitBlt of its size %.1f us, ratio %.1f\n",
              hover / kRounds * 1e6, blit / kRounds * 1e6, hover / blit);
  DestroyWindow(skinned.window);
  DestroyWindow(plain.window);
  return 0;
}
