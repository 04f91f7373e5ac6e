#include "gdiplus/flat_api.h"

#include <cstring>

namespace gdip_flat {

thread_local bool g_tracing = false;
long long g_callCount = 0;

namespace {
thread_local std::vector<std::string> g_trace;

HMODULE Library() {
  // Loaded once and kept for the life of the process, as GDI+ itself must be.
  static const HMODULE module = LoadLibraryW(L"gdiplus.dll");
  return module;
}

// Names Wine's gdiplus.dll (8.0) exports only as stubs that abort the process when called.
// Under Wine they count as missing, so such a call reports NotImplemented instead.
constexpr const char* kWineStubs[] = {
    "GdipConvertToEmfPlusToStream",
    "GdipCreateBitmapFromDirectDrawSurface",
    "GdipDrawImageFX",
    "GdipEnumerateMetafileDestPoints",
    "GdipEnumerateMetafileDestPointsI",
    "GdipEnumerateMetafileSrcRectDestPoint",
    "GdipEnumerateMetafileSrcRectDestPointI",
    "GdipEnumerateMetafileSrcRectDestPointsI",
    "GdipFindNextImageItem",
    "GdipGetCustomLineCapStrokeCaps",
    "GdipGetEffectParameterSize",
    "GdipGetEffectParameters",
    "GdipGetEncoderParameterList",
    "GdipPlayTSClientRecord",
    "GdipSetPenUnit",
};

bool UnderWine() {
  static const bool wine = [] {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

bool IsWineStub(const char* name) {
  if (!UnderWine()) return false;
  for (const char* stub : kWineStubs) {
    if (std::strcmp(stub, name) == 0) return true;
  }
  return false;
}
}  // namespace

FARPROC Resolve(const char* name) {
  const HMODULE module = Library();
  if (module == nullptr || IsWineStub(name)) return nullptr;
  return GetProcAddress(module, name);
}

void StartTrace() {
  g_trace.clear();
  g_tracing = true;
}

std::vector<std::string> StopTrace() {
  g_tracing = false;
  return std::exchange(g_trace, {});
}

void TraceCall(const char* name) { g_trace.emplace_back(name); }

}  // namespace gdip_flat
