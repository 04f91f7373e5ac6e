#include "runtime/gbk_text.h"

#include <climits>

#include <windows.h>

// Sizes are measured first with the page converted with, so the result is allocated once
// at its own size.

std::wstring ToUtf16(std::string_view text, unsigned codePage) {
  text = text.substr(0, text.find('\0'));
  if (text.empty() || text.size() > INT_MAX) return {};
  const int bytes = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(codePage, 0, text.data(), bytes, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), bytes, wide.data(), n);
  return wide;
}

std::string FromUtf16(std::wstring_view wide, unsigned codePage) {
  wide = wide.substr(0, wide.find(L'\0'));
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int chars = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(codePage, 0, wide.data(), chars, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string text(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), chars, text.data(), n, nullptr, nullptr);
  return text;
}
