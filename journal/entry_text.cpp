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
