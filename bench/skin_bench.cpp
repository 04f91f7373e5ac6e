// The skinned main window: a cached paint through a real WM_PAINT against a plain window whose
// WM_PAINT copies a prepared bitmap of the same size, and a window of the main window's shape
// made and shown with the skin against the same window without it, in interleaved rounds.
// Not a test: it prints medians, ratios and the engine's counters.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "bench/bench_window.h"
#include "runtime/embedded.h"
#include "runtime/gdiplus_session.h"
#include "skin/skin.h"

namespace {

constexpr int kWidth = 593, kHeight = 522;
constexpr int kRounds = 9;

HBITMAP g_prepared = nullptr;  // what the plain window's paint copies

LRESULT CALLBACK CopyingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, g_prepared);
    BitBlt(dc, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    EndPaint(window, &ps);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* CopyingClass() {
  static const wchar_t* name = BenchClass(L"VeradinBenchCopying", CopyingProc, false);
  return name;
}

// A window with the main window's size and kinds of units, not yet shown.
HWND MakeMainLikeWindow(const wchar_t* cls, int x) {
  // Children clipped, as the skinned window's paints are.
  HWND w = CreateWindowExW(0, cls, L"Veradin_Veradin Search_2.0.2017",
                           WS_POPUP | WS_MINIMIZEBOX | WS_CLIPSIBLINGS | (cls == CopyingClass() ? WS_CLIPCHILDREN : 0),
                           x, 60, kWidth, kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  auto child = [w](const wchar_t* c, const wchar_t* text, int x, int y, int cx, int cy, DWORD ex = 0,
                   DWORD style = 0) {
    CreateWindowExW(ex, c, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, w, nullptr, GetModuleHandleW(nullptr),
                    nullptr);
  };
  child(L"Static", L"姓名/名称：", 10, 34, 92, 24);
  child(L"Edit", L"", 108, 34, 163, 25, WS_EX_CLIENTEDGE);
  child(L"Static", L"验证码：", 276, 33, 72, 24);
  child(L"Edit", L"", 343, 32, 96, 25, WS_EX_CLIENTEDGE);
  child(L"Static", L"身份证号/组织代码证号：", 9, 61, 200, 24);
  child(L"Edit", L"", 215, 61, 224, 25, WS_EX_CLIENTEDGE);
  child(L"Button", L"查询", 447, 60, 136, 25);
  child(WC_LISTVIEWW, L"", 5, 88, 584, 406, WS_EX_CLIENTEDGE, LVS_REPORT | LVS_OWNERDATA);
  child(L"Edit", L"", 435, 496, 48, 24, WS_EX_CLIENTEDGE);
  child(L"Static", L"N/A", 488, 496, 100, 24);
  return w;
}

void ShowNow(HWND w) {
  ShowWindow(w, SW_SHOWNOACTIVATE);
  UpdateWindow(w);
  RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
}

// The stages of one start-up, in the order they run.
constexpr const char* kStageNames[] = {"make", "skin", "show", "update", "redraw"};
constexpr int kStages = 5;

struct StartUpRun {
  double stages[kStages] = {};
  PaintCounters counters[kStages];
  int mainPaints = 0, allPaints = 0;  // paint messages of the main window / of every window
  double Whole() const {
    double sum = 0;
    for (double t : stages) sum += t;
    return sum;
  }
};

// Made, skinned as the program does it, shown and painted whole; then destroyed (untimed).
StartUpRun StartUp(SkinEngine* skin) {
  StartUpRun run;
  int stage = 0;
  double mark = Now();
  PaintCounters counted = ReadPaintCounters();
  auto endStage = [&] {
    const double now = Now();
    const PaintCounters c = ReadPaintCounters();
    run.stages[stage] = now - mark;
    run.counters[stage] = c - counted;
    ++stage;
    counted = c;
    mark = Now();
  };
  HWND w = MakeMainLikeWindow(WindowClass(), 660);
  endStage();
  {
    PaintMessageCount paints(w);
    mark = Now();
    if (skin) skin->ApplySkin(w, 25);  // before the window first shows, as the program does
    endStage();
    ShowWindow(w, SW_SHOWNOACTIVATE);
    endStage();
    UpdateWindow(w);
    endStage();
    RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    endStage();
    run.mainPaints = paints.Paints();
    run.allPaints = paints.AllPaints();
  }
  DestroyWindow(w);
  Pump();
  return run;
}

void PrintStartUp(const char* name, const std::vector<StartUpRun>& runs) {
  std::vector<double> whole;
  for (const StartUpRun& r : runs) whole.push_back(r.Whole());
  std::printf("  %s: %.2f ms;", name, Median(whole) * 1e3);
  for (int k = 0; k < kStages; ++k) {
    std::vector<double> t;
    for (const StartUpRun& r : runs) t.push_back(r.stages[k]);
    std::printf(" %s %.2f;", kStageNames[k], Median(t) * 1e3);
  }
  std::printf(" paint messages: main window %d, all windows %d\n", runs.back().mainPaints, runs.back().allPaints);
  for (int k = 0; k < kStages; ++k) {
    PaintCounters sum;
    for (const StartUpRun& r : runs) sum = sum + r.counters[k];
    if (sum.gdiplusCalls || sum.dibSections || sum.propertyLookups || sum.classLookups) {
      std::printf("    %-6s", kStageNames[k]);
      PrintCounters(sum, static_cast<int>(runs.size()));
    }
  }
}

// One invalidation of the whole window and its WM_PAINT, sent at once.
double PaintOnce(HWND w) {
  const double start = Now();
  InvalidateRect(w, nullptr, FALSE);
  UpdateWindow(w);
  GdiFlush();
  return Now() - start;
}

}  // namespace

int main() {
  if (!StartGdiplus()) return 1;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  const auto bytes = EmbeddedBytes(L"SKIN_IMAGE");
  const std::vector<std::uint8_t> picture(bytes.begin(), bytes.end());
  SkinEngine skin;
  skin.SetSkinImage({}, picture, RGB(0, 0, 0), RGB(255, 255, 255), 3);
  skin.SetControlVeil(true, 100);
  {
    HWND skinned = MakeMainLikeWindow(WindowClass(), 660);
    skin.ApplySkin(skinned, 25);
    ShowNow(skinned);
    HWND plain = MakeMainLikeWindow(CopyingClass(), 20);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    g_prepared = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);  // as the back buffer is
    ShowNow(plain);
    std::vector<double> cached, copied;
    PaintCounters counters;
    for (int round = 0; round < kRounds; ++round) {
      for (int i = 0; i < 10; ++i) {
        const PaintCounters before = ReadPaintCounters();
        cached.push_back(PaintOnce(skinned));
        counters = counters + (ReadPaintCounters() - before);
        copied.push_back(PaintOnce(plain));
      }
      Pump();
    }
    const double mc = Median(cached), mp = Median(copied);
    std::printf("cached paint of the %dx%d window: skinned %.3f ms, copying %.3f ms, ratio %.2f\n", kWidth, kHeight,
                mc * 1e3, mp * 1e3, mc / mp);
    PrintCounters(counters, static_cast<int>(cached.size()));
    DestroyWindow(plain);
    DestroyWindow(skinned);
    DeleteObject(g_prepared);
    Pump();
  }
  std::vector<StartUpRun> skinnedRuns, plainRuns;
  PaintCounters counters;
  StartUp(&skin);  // the first one decodes the picture and loads the glyphs
  StartUp(nullptr);
  for (int round = 0; round < kRounds; ++round) {
    const PaintCounters before = ReadPaintCounters();
    skinnedRuns.push_back(StartUp(&skin));
    counters = counters + (ReadPaintCounters() - before);
    plainRuns.push_back(StartUp(nullptr));
  }
  std::vector<double> skinnedTimes, plainTimes;
  for (const StartUpRun& r : skinnedRuns) skinnedTimes.push_back(r.Whole());
  for (const StartUpRun& r : plainRuns) plainTimes.push_back(r.Whole());
  const double ms = Median(skinnedTimes), mp = Median(plainTimes);
  std::printf("start-up to the shown window: skinned %.2f ms, plain %.2f ms, ratio %.2f\n", ms * 1e3, mp * 1e3,
              ms / mp);
  PrintCounters(counters, kRounds);
  PrintStartUp("skinned", skinnedRuns);
  PrintStartUp("plain", plainRuns);
  return 0;
}
