#pragma once
// Folding the cookies a response set into a cookie text the caller keeps: "name=value"
// pairs joined by ";". Only names and values count: no expiry, domain or path.
#include <string>

#include "web/types.h"

// Removes every space from both texts (and leaves them so), lets a new pair replace old
// pairs of its name, drops pairs whose value is "deleted" and exact repeats. New pairs come
// first, surviving old ones after them, joined by "; ". The result is also written into
// `oldCookies`.
std::string MergeCookies(std::string& oldCookies, std::string& newCookies);

// The text before the first "=", trimmed; a pair without "=" is its own name.
std::string CookieName(const std::string& pair);

// True when some pair of the list has exactly that name (case-sensitive).
bool HasCookieName(const TextArray& pairs, const std::string& name);

// The items of the text, split at `separator`, each kept once in first-seen order.
std::string DedupeList(const std::string& text, const std::string& separator);

// 1-based index of the first element equal to the text (case-sensitive), -1 when absent.
int IndexOfText(const TextArray& list, const std::string& text);
