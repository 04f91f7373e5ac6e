#include "web/markers.h"

#include <climits>

#include "web/gbk_scan.h"
#include "web/message_pump.h"
#include "web/text_ops.h"

std::string TextBetween(const std::string& text, const std::string& left, const std::string& right,
                        int start, bool ignoreCase) {
  const std::string l = ReplaceText(left, kQuotePlaceholder, "\"");
  const std::string r = ReplaceText(right, kQuotePlaceholder, "\"");
  const int leftAt = FindText(text, l, start, ignoreCase);
  if (leftAt == kNotFound) return {};
  const int inner = leftAt + static_cast<int>(l.size());
  const int rightAt = FindText(text, r, inner, ignoreCase);
  if (rightAt == kNotFound) return {};
  return MiddlePart(text, inner, rightAt - inner);
}

std::string TextAfterLast(const std::string& text, const std::string& marker, std::optional<int> start,
                          bool ignoreCase) {
  const int length = static_cast<int>(text.size());
  const int at = FindLastText(text, marker, start.value_or(length), ignoreCase);
  if (at == kNotFound) return {};
  return RightPart(text, length - static_cast<int>(marker.size()) - at + 1);
}

std::string HeaderValue(const std::string& text) {
  const int colon = FindText(text, ":");
  if (colon == kNotFound) return {};
  return TrimSpaces(RightPart(text, static_cast<int>(text.size()) - colon));
}

int TextBetweenAll(const std::string& text, const std::string& left, const std::string& right,
                   TextArray& items, bool caseSensitive, int maxLength, const std::string& prefix,
                   const std::string& suffix, bool includeLeft, bool includeRight, int start) {
  items.clear();
  // An empty marker would be found everywhere and the walk would never move on.
  if (left.empty() || right.empty()) return 0;
  const bool ignoreCase = !caseSensitive;
  std::size_t pos = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  for (;;) {
    // Called on the window thread, a walk over a page of megabytes would freeze the window:
    // each item lets its pending messages through (on a worker the pump does nothing). Three
    // times, as this routine always has: a handler run by the pump may post messages of its
    // own (a repaint after a resize, a timer), and they are let through before the next item.
    PumpMessages();
    PumpMessages();
    PumpMessages();
    const std::size_t leftAt = gbk::Find(text, left, pos, ignoreCase);
    if (leftAt == gbk::npos) break;
    const std::size_t inner = leftAt + left.size();
    const std::size_t rightAt = gbk::Find(text, right, inner, ignoreCase);
    if (rightAt == gbk::npos) break;
    const std::string_view between = gbk::Trim(std::string_view(text).substr(inner, rightAt - inner));
    if (prefix.empty() && suffix.empty() && between.empty()) {
      pos = inner;
      continue;
    }
    std::string item;
    item.reserve((includeLeft ? left.size() : 0) + prefix.size() + between.size() + suffix.size() +
                 (includeRight ? right.size() : 0));
    if (includeLeft) item += left;
    item += prefix;
    item += between;
    item += suffix;
    if (includeRight) item += right;
    if (maxLength != 0) {
      if (item.size() < static_cast<std::size_t>(maxLength < 0 ? 0 : maxLength)) items.push_back(std::move(item));
      PumpMessages();
    } else {
      items.push_back(std::move(item));
    }
    pos = rightAt;  // the right marker may open the next item
  }
  return items.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(items.size());
}
