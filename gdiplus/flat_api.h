#pragma once
// Binding of the GDI+ flat functions. Every function is looked up in gdiplus.dll by name
// at its first use, with the type MinGW's own declaration gives it, so that
//  - the program still loads where a GDI+ lacks some function (that call then reports
//    NotImplemented instead of the whole exe failing to start), and
//  - a wrong argument list does not compile.
// One idiom serves every thin wrapper method:
//     return GDIP_OK(GdipSetPenWidth, Pen(), width);
// calls the function, records its status for LastStatus() and returns status == Ok.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "gdiplus/gdiplus_headers.h"
#include "gdiplus/last_status.h"

namespace gdip_flat {

// A function name as a template argument, so that each name gets its own cached entry.
template <std::size_t N>
struct Name {
  char text[N];
  constexpr Name(const char (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
  }
};

// The address of a gdiplus.dll export, or null when the library or the name is missing.
FARPROC Resolve(const char* name);

// Names of the flat functions called on this thread while tracing is on; lets tests see
// which GDI+ calls a wrapper made (a delete that must not happen, one that must).
void StartTrace();
std::vector<std::string> StopTrace();
void TraceCall(const char* name);
extern thread_local bool g_tracing;
// Flat functions called so far in the process: a count the benchmarks print beside their
// times, since it does not depend on the machine.
extern long long g_callCount;

template <typename Fn, Name N>
Fn Entry() {
  // Through void(*)(), the generic function pointer type, as GetProcAddress results go.
  static const Fn fn = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(Resolve(N.text)));
  return fn;
}

template <typename Fn, Name N, typename... A>
gp::Status Call(A&&... args) {
  if (g_tracing) TraceCall(N.text);
  ++g_callCount;
  const Fn fn = Entry<Fn, N>();
  if (fn == nullptr) return gp::NotImplemented;
  return fn(std::forward<A>(args)...);
}

}  // namespace gdip_flat

// The typed entry of a flat function (null when gdiplus.dll lacks it).
#define GDIP_ENTRY(name) (::gdip_flat::Entry<decltype(&::Gdiplus::DllExports::name), #name>())
// Calls a flat function and gives its status.
#define GDIP_CALL(name, ...) \
  (::gdip_flat::Call<decltype(&::Gdiplus::DllExports::name), #name>(__VA_ARGS__))
// Calls a flat function, records its status and tells whether it is Ok.
#define GDIP_OK(name, ...) (::RecordStatus(GDIP_CALL(name, __VA_ARGS__)))
// Getters: calls a flat function whose last argument receives one value, records the
// status and gives the value read (value-initialised when the call failed).
#define GDIP_GET(type, name, ...)        \
  ([&] {                                 \
    type gdipValue{};                    \
    GDIP_OK(name, __VA_ARGS__, &gdipValue); \
    return gdipValue;                    \
  }())
