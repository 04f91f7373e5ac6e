#pragma once
// Cutting texts out of pages and header lines by the markers around them.
#include <optional>
#include <string>

#include "web/types.h"

// Lets callers write a double quote inside a marker of TextBetween.
inline constexpr char kQuotePlaceholder[] = "#引号";

// The text between the first left marker at or after `start` and the first right marker
// behind it; "" when either is absent. "#引号" in a marker stands for a double quote.
std::string TextBetween(const std::string& text, const std::string& left, const std::string& right,
                        int start = 1, bool ignoreCase = false);

// The text to the right of the last marker lying wholly within the first start-1 bytes
// (start defaults to the text's length, so a marker ending at the last byte is not seen);
// "" when there is none.
std::string TextAfterLast(const std::string& text, const std::string& marker,
                          std::optional<int> start = std::nullopt, bool ignoreCase = false);

// The text after the first ":", trimmed; "" without a colon.
std::string HeaderValue(const std::string& text);

// Collects every text between a left and a right marker into `items` (emptied first) and
// returns how many there are. Each item is trimmed and gets the prefix and suffix; empty
// items are skipped; the markers are put back around it when asked for; with a maximum
// length other than 0 only items shorter than it are kept. Markers match without regard to
// ASCII case unless `caseSensitive`; they are taken literally. Empty markers collect nothing.
int TextBetweenAll(const std::string& text, const std::string& left, const std::string& right,
                   TextArray& items, bool caseSensitive = false, int maxLength = 0,
                   const std::string& prefix = "", const std::string& suffix = "",
                   bool includeLeft = false, bool includeRight = false, int start = 1);
