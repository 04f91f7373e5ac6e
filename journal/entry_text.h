#pragma once
// Small texts about entries: the time stamp form and the masked ID number.
#include <windows.h>

#include <string>

// "YYYY-MM-DDTHH:MM:SS.mmmZ" of a UTC time.
std::string UtcStamp(const SYSTEMTIME& utc);
// Now, in that form.
std::string UtcStampNow();

// Reads a stamp of that form; false when the text is not one.
bool ParseUtcStamp(const std::string& stamp, SYSTEMTIME& utc);
// "YYYY-MM-DD HH:MM:SS" of a stamp in the computer's local time; the stamp itself when it
// cannot be read.
std::string LocalTimeText(const std::string& stamp);
// The stamp of the local midnight that starts `localDay` (its date fields only), for
// comparing with stored stamps.
std::string UtcStampOfLocalDay(const SYSTEMTIME& localDay);

// The first 6 and the last 4 characters kept, every character between them '*'. Counts
// UTF-8 characters, not bytes, so a stray non-ASCII character is never cut in half.
std::string MaskIdNumber(const std::string& utf8);
