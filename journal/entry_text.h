#pragma once
// Small texts about entries: the time stamp form and the masked ID number.
#include <windows.h>

#include <string>

// "YYYY-MM-DDTHH:MM:SS.mmmZ" of a UTC time.
std::string UtcStamp(const SYSTEMTIME& utc);
// Now, in that form.
std::string UtcStampNow();

// The first 6 and the last 4 characters kept, every character between them '*'. Counts
// UTF-8 characters, not bytes, so a stray non-ASCII character is never cut in half.
std::string MaskIdNumber(const std::string& utf8);
