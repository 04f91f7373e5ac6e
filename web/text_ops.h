#pragma once
// The general text operations on GBK texts. Positions are 1-based byte positions and -1
// means "not found"; searches step over double-byte characters, so a match never begins on
// a trail byte; a space is 0x20 or the full-width space A1 A1; ignoring case folds ASCII
// letters only. A NUL byte is an ordinary byte here. Byte routines: no window code.
#include <optional>
#include <string>

#include "web/types.h"

constexpr int kNotFound = -1;
constexpr int kAll = 0;  // count / maximum count: no limit

// First occurrence at or after `start` (a start below 1 counts as 1). An empty `sought`
// gives 1 for a non-empty text, -1 for an empty one.
int FindText(const std::string& text, const std::string& sought, int start = 1, bool ignoreCase = false);

// Last occurrence lying wholly within the first start-1 bytes, or within the whole text
// when no start is given. An empty `sought` gives -1.
int FindLastText(const std::string& text, const std::string& sought,
                 std::optional<int> start = std::nullopt, bool ignoreCase = false);

// First / last n bytes: n <= 0 gives "", n beyond the length the whole text.
std::string LeftPart(const std::string& text, int n);
std::string RightPart(const std::string& text, int n);

// n bytes from the 1-based start, cut at the end; "" for a start outside the text or n <= 0.
std::string MiddlePart(const std::string& text, int start, int n);

std::string TrimSpaces(const std::string& text);
std::string RemoveSpaces(const std::string& text);

// Replaces up to `count` occurrences (kAll or less: every one) that begin at or after
// `start`, left to right, never rescanning replaced text. An empty `sought` changes nothing.
std::string ReplaceText(const std::string& text, const std::string& sought,
                        const std::string& replacement = "", int start = 1, int count = kAll,
                        bool caseSensitive = true);

// Pieces between separators. Empty pieces between two separators stay, a trailing empty
// piece is dropped; an empty text gives no pieces, an empty separator the whole text; at
// most `maxCount` pieces when it is above 0, the rest of the text being dropped.
TextArray SplitText(const std::string& text, const std::string& separator = ",", int maxCount = kAll);

// ASCII A-Z lowered; double-byte characters untouched, trail bytes included.
std::string ToLowerText(const std::string& text);

// Full-width digits and signs read as ASCII ones, then the leading decimal integer after
// any ASCII white space, with an optional sign; 0 when there is none; clamped to int.
int ToInteger(const std::string& text);
