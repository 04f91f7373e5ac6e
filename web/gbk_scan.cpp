#include "web/gbk_scan.h"

#include <cstring>

namespace gbk {
namespace {

inline unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
inline bool IsAsciiLetter(unsigned char c) { return Fold(c) >= 'a' && Fold(c) <= 'z'; }

bool MatchesAt(const unsigned char* t, const unsigned char* s, std::size_t m, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(t, s, m) == 0;
  for (std::size_t j = 0; j < m;) {
    if (IsLeadByte(s[j])) {  // a double-byte character compares exactly, trail byte included
      if (t[j] != s[j] || (j + 1 < m && t[j + 1] != s[j + 1])) return false;
      j += 2;
    } else {
      if (Fold(t[j]) != Fold(s[j])) return false;
      ++j;
    }
  }
  return true;
}

// Finds the next byte equal to `a` or `b` in [pos, end), remembering the next hit of each
// so that a byte that is rare in one case and common in the other stays linear.
class CandidateScanner {
 public:
  CandidateScanner(const unsigned char* t, std::size_t end, unsigned char a, unsigned char b)
      : t_(t), end_(end), a_(a), b_(b), twoBytes_(a != b) {}

  // `pos` never decreases between calls. npos once a byte has no hit left stays npos.
  std::size_t Next(std::size_t pos) {
    if (!scanned_ || nextA_ < pos) nextA_ = Scan(pos, a_);
    if (twoBytes_ && (!scanned_ || nextB_ < pos)) nextB_ = Scan(pos, b_);
    scanned_ = true;
    if (!twoBytes_) return nextA_;
    return nextA_ < nextB_ ? nextA_ : nextB_;
  }

 private:
  std::size_t Scan(std::size_t pos, unsigned char c) const {
    if (pos >= end_) return npos;
    const void* hit = std::memchr(t_ + pos, c, end_ - pos);
    return hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - t_) : npos;
  }

  const unsigned char* t_;
  std::size_t end_;
  unsigned char a_, b_;
  bool twoBytes_;
  std::size_t nextA_ = npos, nextB_ = npos;
  bool scanned_ = false;
};

}  // namespace

std::size_t Find(std::string_view text, std::string_view sought, std::size_t from, bool ignoreCase) {
  const std::size_t n = text.size(), m = sought.size();
  if (m == 0 || from > n || m > n - from) return npos;
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const auto* s = reinterpret_cast<const unsigned char*>(sought.data());
  const unsigned char first = s[0];
  const unsigned char other = ignoreCase && IsAsciiLetter(first) ? first ^ 0x20 : first;
  // A match begins at most at n - m; the scanner looks one past it.
  CandidateScanner scanner(t, n - m + 1, first, other);

  // Byte matches are found first, as fast as a plain search; only they are checked for a
  // character boundary. A byte below 0x80 always ends a character, so the run of high
  // bytes just before a match decides: an even run means it starts one. `boundary` is a
  // known character start that only moves forward, so the backward walks add up to at
  // most the bytes scanned.
  std::size_t boundary = from;
  for (std::size_t pos = from;;) {
    std::size_t c;
    if (!ignoreCase) {
      c = text.find(sought, pos);
    } else {
      c = scanner.Next(pos);
      if (c != npos && !MatchesAt(t + c, s, m, true)) {
        pos = c + 1;
        continue;
      }
    }
    if (c == npos) return npos;
    std::size_t q = c;
    while (q > boundary && IsLeadByte(t[q - 1])) --q;
    if (((c - q) & 1) == 0) return c;
    boundary = c + 1;  // c is a trail byte, so the next character starts after it
    pos = c + 1;
  }
}

std::size_t FindLast(std::string_view text, std::string_view sought, std::size_t end, bool ignoreCase) {
  if (end > text.size()) end = text.size();
  const std::string_view region = text.substr(0, end);
  std::size_t last = npos;
  for (std::size_t from = 0;;) {
    const std::size_t hit = Find(region, sought, from, ignoreCase);
    if (hit == npos) return last;
    last = hit;
    from = hit + CharLength(region, hit);  // the next search starts on the next character
  }
}

std::string_view Trim(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    const std::size_t space = SpaceLength(text, i);
    if (space == 0) break;
    i += space;
  }
  const std::size_t begin = i;
  std::size_t end = begin;
  // Trailing spaces are found walking forward: "B0 A1 A1" ends in a character B0 A1, not in
  // a full-width space.
  while (i < n) {
    const std::size_t space = SpaceLength(text, i);
    if (space != 0) {
      i += space;
    } else {
      i += CharLength(text, i);
      end = i;
    }
  }
  return text.substr(begin, end - begin);
}

}  // namespace gbk
