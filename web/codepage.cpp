#include "web/codepage.h"

ByteSet ToWide(const std::string& text, unsigned codePage) {
  const std::wstring units = ToUtf16(text, codePage);
  if (units.empty()) return {};
  ByteSet wide((units.size() + 1) * 2, 0);  // + the NUL unit
  for (std::size_t i = 0; i < units.size(); ++i) {
    wide[2 * i] = static_cast<unsigned char>(units[i] & 0xFF);
    wide[2 * i + 1] = static_cast<unsigned char>((units[i] >> 8) & 0xFF);
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
  return FromUtf16(units, codePage);
}

std::string GbkToUtf8(const std::string& gbk) { return FromUtf16(ToUtf16(gbk, kCodePageGbk), kCodePageUtf8); }

std::string Utf8ToGbk(const std::string& utf8) { return FromUtf16(ToUtf16(utf8, kCodePageUtf8), kCodePageGbk); }
