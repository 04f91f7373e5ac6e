#pragma once
// What the window benchmarks share: a clock, a message pump and a plain window class.
#include <windows.h>

inline double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Registers a window class of this process under `name` (a later call for the same name
// registers nothing) and gives the name.
inline const wchar_t* BenchClass(const wchar_t* name, WNDPROC procedure, bool faceColour) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = faceColour ? reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1) : nullptr;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);  // already registered: harmless failure
  return name;
}

// A plain top-level window class on the face colour.
inline const wchar_t* WindowClass() {
  static const wchar_t* name = BenchClass(L"VeradinBenchWindow", DefWindowProcW, true);
  return name;
}

#include <algorithm>
#include <cstdio>
#include <vector>

#include "skin/paint_counters.h"
#include "tests/skin/message_count.h"

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The engine's counters per step over `steps` steps.
inline void PrintCounters(const PaintCounters& c, int steps) {
  const double n = steps > 0 ? steps : 1;
  std::printf("    per step: %.1f GDI+ calls, %.2f DIB sections, %.1f property look-ups, %.1f class look-ups, "
              "%.2f keyed copies, %.2f composes, %.2f veiled buffers\n",
              c.gdiplusCalls / n, c.dibSections / n, c.propertyLookups / n, c.classLookups / n, c.keyedCopies / n,
              c.composes / n, c.veiledBuffers / n);
}

// The paint messages (WM_PAINT, WM_NCPAINT, WM_ERASEBKGND) windows get while it lives.
class PaintMessageCount {
 public:
  explicit PaintMessageCount(HWND window) : window_(window) {}
  int Paints() const { return count_.Of(window_); }
  int AllPaints() const { return count_.Of(nullptr); }

 private:
  HWND window_;
  MessageCount count_{{WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}};
};
