#include "web/codepage.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>

// Sizes are measured with the code page converted with, so the buffer always fits.

ByteSet ToWide(const std::string& text, unsigned codePage) {
  const int length = static_cast<int>(std::min<std::size_t>(std::strlen(text.c_str()), INT_MAX - 1));
  if (length == 0) return {};
  const int units = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::wstring buffer(static_cast<std::size_t>(units) + 1, L'\0');  // + the NUL unit
  MultiByteToWideChar(codePage, 0, text.data(), length, buffer.data(), units);
  ByteSet wide(buffer.size() * 2);
  for (std::size_t i = 0; i < buffer.size(); ++i) {
    wide[2 * i] = static_cast<unsigned char>(buffer[i] & 0xFF);
    wide[2 * i + 1] = static_cast<unsigned char>((buffer[i] >> 8) & 0xFF);
  }
  return wide;
}

std::string FromWide(const ByteSet& wide, unsigned codePage) {
  // Read the units ourselves: the data need not hold a NUL unit, and an odd last byte is
  // not half a character to guess at.
  std::wstring units;
  units.reserve(wide.size() / 2);
  for (std::size_t i = 0; i + 1 < wide.size(); i += 2) {
    const wchar_t unit = static_cast<wchar_t>(wide[i] | (wide[i + 1] << 8));
    if (unit == L'\0') break;
    units += unit;
  }
  if (units.empty() || units.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int count = static_cast<int>(units.size());
  const int bytes = WideCharToMultiByte(codePage, 0, units.data(), count, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string text(static_cast<std::size_t>(bytes), '\0');
  const int written = WideCharToMultiByte(codePage, 0, units.data(), count, text.data(), bytes, nullptr, nullptr);
  text.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return text;
}

namespace {

// From one code page to another through UTF-16, up to the text's first NUL: the same as
// FromWide(ToWide(...)), without the byte set between them. A result page is megabytes, so
// the buffers are sized from the bounds rather than by a measuring pass: a byte never
// makes more than one UTF-16 unit, and a unit never more than three bytes (UTF-8) or two
// (GBK).
std::string Convert(const std::string& text, unsigned from, unsigned to) {
  const std::size_t length = std::min<std::size_t>(std::strlen(text.c_str()), INT_MAX / 3);
  if (length == 0) return {};
  std::wstring units(length, L'\0');
  const int count = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(length), units.data(),
                                        static_cast<int>(length));
  if (count <= 0) return {};
  std::string out(static_cast<std::size_t>(count) * 3, '\0');
  const int written = WideCharToMultiByte(to, 0, units.data(), count, out.data(), static_cast<int>(out.size()),
                                          nullptr, nullptr);
  out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return out;
}

}  // namespace

std::string GbkToUtf8(const std::string& gbk) { return Convert(gbk, kCodePageGbk, kCodePageUtf8); }

std::string Utf8ToGbk(const std::string& utf8) { return Convert(utf8, kCodePageUtf8, kCodePageGbk); }
