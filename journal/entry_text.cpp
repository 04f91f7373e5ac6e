#include "journal/entry_text.h"

#include <cstdio>
#include <vector>

std::string UtcStamp(const SYSTEMTIME& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute, t.wSecond, t.wMilliseconds);
  return text;
}

std::string UtcStampNow() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return UtcStamp(now);
}

bool ParseUtcStamp(const std::string& stamp, SYSTEMTIME& t) {
  unsigned y, mo, d, h, mi, s, ms;
  char tail = 0;
  if (std::sscanf(stamp.c_str(), "%4u-%2u-%2uT%2u:%2u:%2u.%3u%c", &y, &mo, &d, &h, &mi, &s, &ms, &tail) != 8 ||
      tail != 'Z')
    return false;
  t = SYSTEMTIME{static_cast<WORD>(y), static_cast<WORD>(mo), 0, static_cast<WORD>(d),
                 static_cast<WORD>(h), static_cast<WORD>(mi), static_cast<WORD>(s), static_cast<WORD>(ms)};
  FILETIME check;
  return SystemTimeToFileTime(&t, &check) != 0;
}

std::string LocalTimeText(const std::string& stamp) {
  SYSTEMTIME utc, local;
  if (!ParseUtcStamp(stamp, utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return stamp;
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", local.wYear, local.wMonth, local.wDay,
                local.wHour, local.wMinute, local.wSecond);
  return text;
}

std::string UtcStampOfLocalDay(const SYSTEMTIME& localDay) {
  SYSTEMTIME midnight{localDay.wYear, localDay.wMonth, 0, localDay.wDay, 0, 0, 0, 0};
  SYSTEMTIME utc;
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &midnight, &utc)) utc = midnight;
  return UtcStamp(utc);
}

std::string MaskIdNumber(const std::string& utf8) {
  std::vector<std::string> chars;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t n = 1;
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    if (lead >= 0xF0) n = 4;
    else if (lead >= 0xE0) n = 3;
    else if (lead >= 0xC0) n = 2;
    chars.push_back(utf8.substr(i, n));
    i += n;
  }
  std::string masked;
  for (std::size_t i = 0; i < chars.size(); ++i)
    masked += (i < 6 || i + 4 >= chars.size()) ? chars[i] : std::string("*");
  return masked;
}
