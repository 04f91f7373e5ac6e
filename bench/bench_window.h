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

// A plain top-level window class on the face colour.
inline const wchar_t* WindowClass() {
  static const wchar_t* name = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"VeradinBenchWindow";
    RegisterClassExW(&wc);
    return L"VeradinBenchWindow";
  }();
  return name;
}
