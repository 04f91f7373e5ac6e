#include "web/cookies.h"

#include <algorithm>
#include <climits>

#include "web/text_ops.h"

namespace {

bool IsDeleted(const std::string& pair) { return RightPart(pair, 8) == "=deleted"; }

// Each item followed by the separator, the last separator cut off.
std::string Join(const TextArray& items, const std::string& separator) {
  std::string out;
  for (const std::string& item : items) {
    out += item;
    out += separator;
  }
  out.resize(out.size() - std::min(out.size(), separator.size()));
  return out;
}

}  // namespace

std::string MergeCookies(std::string& oldCookies, std::string& newCookies) {
  oldCookies = RemoveSpaces(oldCookies);
  newCookies = RemoveSpaces(newCookies);
  TextArray merged = SplitText(newCookies, ";");
  for (const std::string& pair : SplitText(oldCookies, ";")) {
    // `merged` grows as old pairs are kept, so the first of several old pairs of a name wins.
    if (!HasCookieName(merged, CookieName(pair))) merged.push_back(pair);
  }
  TextArray kept;
  for (std::string& pair : merged) {
    if (!IsDeleted(pair)) kept.push_back(std::move(pair));
  }
  oldCookies = DedupeList(Join(kept, "; "), "; ");
  return oldCookies;
}

std::string CookieName(const std::string& pair) {
  const int equals = FindText(pair, "=");
  return TrimSpaces(equals == kNotFound ? pair : LeftPart(pair, equals - 1));
}

bool HasCookieName(const TextArray& pairs, const std::string& name) {
  for (const std::string& pair : pairs) {
    if (CookieName(pair) == name) return true;
  }
  return false;
}

std::string DedupeList(const std::string& text, const std::string& separator) {
  TextArray kept;
  for (std::string& item : SplitText(text, separator)) {
    if (IndexOfText(kept, item) == kNotFound) kept.push_back(std::move(item));
  }
  return Join(kept, separator);
}

int IndexOfText(const TextArray& list, const std::string& text) {
  for (std::size_t i = 0; i < list.size() && i < static_cast<std::size_t>(INT_MAX); ++i) {
    if (list[i] == text) return static_cast<int>(i) + 1;
  }
  return kNotFound;
}
