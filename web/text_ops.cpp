#include "web/text_ops.h"

#include <climits>
#include <string_view>

#include "web/gbk_scan.h"

namespace {

int ToPosition(std::size_t index) {
  return index == gbk::npos || index >= static_cast<std::size_t>(INT_MAX) ? kNotFound
                                                                         : static_cast<int>(index) + 1;
}

}  // namespace

int FindText(const std::string& text, const std::string& sought, int start, bool ignoreCase) {
  if (sought.empty()) return text.empty() ? kNotFound : 1;
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  return ToPosition(gbk::Find(text, sought, from, ignoreCase));
}

int FindLastText(const std::string& text, const std::string& sought, std::optional<int> start,
                 bool ignoreCase) {
  if (sought.empty()) return kNotFound;
  std::size_t end = text.size();
  if (start) end = *start <= 1 ? 0 : static_cast<std::size_t>(*start) - 1;
  return ToPosition(gbk::FindLast(text, sought, end, ignoreCase));
}

std::string LeftPart(const std::string& text, int n) {
  if (n <= 0) return {};
  return text.substr(0, static_cast<std::size_t>(n));
}

std::string RightPart(const std::string& text, int n) {
  if (n <= 0) return {};
  const std::size_t count = static_cast<std::size_t>(n);
  return count >= text.size() ? text : text.substr(text.size() - count);
}

std::string MiddlePart(const std::string& text, int start, int n) {
  if (start < 1 || n <= 0 || static_cast<std::size_t>(start) > text.size()) return {};
  return text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n));
}

std::string TrimSpaces(const std::string& text) { return std::string(gbk::Trim(text)); }

std::string RemoveSpaces(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t space = gbk::SpaceLength(text, i)) {
      i += space;
      continue;
    }
    const std::size_t len = gbk::CharLength(text, i);
    out.append(text, i, len);
    i += len;
  }
  return out;
}

std::string ReplaceText(const std::string& text, const std::string& sought, const std::string& replacement,
                        int start, int count, bool caseSensitive) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (sought.empty() || from >= text.size()) return text;
  std::string out(text, 0, from);
  std::size_t pos = from;
  for (int done = 0; count <= kAll || done < count; ++done) {
    const std::size_t hit = gbk::Find(text, sought, pos, !caseSensitive);
    if (hit == gbk::npos) break;
    out.append(text, pos, hit - pos);
    out += replacement;
    pos = hit + sought.size();
  }
  out.append(text, pos, std::string::npos);
  return out;
}

TextArray SplitText(const std::string& text, const std::string& separator, int maxCount) {
  TextArray pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.push_back(text);
    return pieces;
  }
  const std::size_t limit = maxCount <= kAll ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(maxCount);
  std::size_t pos = 0;
  while (pieces.size() < limit) {
    const std::size_t hit = gbk::Find(text, separator, pos, false);
    if (hit == gbk::npos) {
      if (pos < text.size()) pieces.push_back(text.substr(pos));
      break;
    }
    pieces.push_back(text.substr(pos, hit - pos));
    pos = hit + separator.size();
  }
  return pieces;
}

std::string ToLowerText(const std::string& text) {
  std::string out = text;
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t len = gbk::CharLength(out, i);
    if (len == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] + ('a' - 'A'));
    i += len;
  }
  return out;
}

int ToInteger(const std::string& text) {
  // Full-width forms are A3 B0..B9 (digits), A3 AB (plus) and A3 AD (minus).
  std::string ascii;
  ascii.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = gbk::CharLength(text, i);
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto trail = len == 2 ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9) {
      ascii += static_cast<char>('0' + (trail - 0xB0));
    } else if (lead == 0xA3 && trail == 0xAB) {
      ascii += '+';
    } else if (lead == 0xA3 && trail == 0xAD) {
      ascii += '-';
    } else {
      ascii.append(text, i, len);
    }
    i += len;
  }
  std::size_t i = 0;
  while (i < ascii.size() && (ascii[i] == ' ' || (ascii[i] >= '\t' && ascii[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
  long long value = 0;
  for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
    value = value * 10 + (ascii[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;  // clamped below
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}
