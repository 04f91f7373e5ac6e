#include "tests/skin/gdi_objects.h"

#include <windows.h>
#include <winternl.h>
// NtCurrentTeb's inline reader trips -Warray-bounds inside the MinGW header where it is used.
#pragma GCC diagnostic ignored "-Warray-bounds"

#include <cstdint>

namespace {

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace

std::size_t LiveGdiObjects() {
  if (!UnderWine()) return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  // Wine points PEB.GdiSharedHandleTable at its table: 0x10000 entries of 24 bytes; the
  // type byte (offset 14) is non-zero for a live object, bit 0x80 of byte 12 marks stock ones.
  const auto* peb = reinterpret_cast<const std::uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
  const std::size_t offset = sizeof(void*) == 8 ? 0xF8 : 0x94;
  const auto* table = *reinterpret_cast<const std::uint8_t* const*>(peb + offset);
  if (!table) return 0;
  std::size_t live = 0;
  for (std::size_t i = 0; i < 0x10000; ++i) {
    const std::uint8_t* entry = table + i * 24;
    if (entry[14] != 0 && !(entry[12] & 0x80)) ++live;
  }
  return live;
}
