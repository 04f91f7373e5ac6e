#pragma once
// The GBK-aware search under every text routine. A GBK character is one byte below 0x80,
// or a lead byte of 0x80 or more and the byte after it, so a match may never begin on a
// trail byte; only ASCII letters outside double-byte characters fold when case is ignored.
#include <cstddef>
#include <string_view>

namespace gbk {

constexpr std::size_t npos = std::string_view::npos;

inline bool IsLeadByte(unsigned char b) { return b >= 0x80; }

// Byte length of the character at `i` (a lead byte at the very end stands alone).
inline std::size_t CharLength(std::string_view text, std::size_t i) {
  return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Byte length of the space at `i`: 1 for 0x20, 2 for the full-width space A1 A1, else 0.
inline std::size_t SpaceLength(std::string_view text, std::size_t i) {
  const auto b = static_cast<unsigned char>(text[i]);
  if (b == 0x20) return 1;
  if (b == 0xA1 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA1) return 2;
  return 0;
}

// 0-based index of the first occurrence of `sought` at or after `from` that begins on a
// character boundary, characters being counted from `from`; npos when absent or when
// `sought` is empty. Linear in the bytes scanned.
std::size_t Find(std::string_view text, std::string_view sought, std::size_t from, bool ignoreCase);

// Like Find, but the last occurrence lying wholly within text[0, end).
std::size_t FindLast(std::string_view text, std::string_view sought, std::size_t end, bool ignoreCase);

// The view without leading and trailing spaces (0x20 and A1 A1).
std::string_view Trim(std::string_view text);

}  // namespace gbk
