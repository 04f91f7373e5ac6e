#include "runtime/gbk_text.h"

#include <climits>

#include <windows.h>

namespace {
constexpr UINT kGbk = 936;
}

std::wstring GbkToWide(std::string_view gbk) {
  gbk = gbk.substr(0, gbk.find('\0'));
  if (gbk.empty() || gbk.size() > INT_MAX) return {};
  const int bytes = static_cast<int>(gbk.size());
  const int n = MultiByteToWideChar(kGbk, 0, gbk.data(), bytes, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(kGbk, 0, gbk.data(), bytes, wide.data(), n);
  return wide;
}

std::string WideToGbk(std::wstring_view wide) {
  wide = wide.substr(0, wide.find(L'\0'));
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int chars = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(kGbk, 0, wide.data(), chars, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string gbk(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(kGbk, 0, wide.data(), chars, gbk.data(), n, nullptr, nullptr);
  return gbk;
}
