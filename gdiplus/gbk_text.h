#pragma once
// Texts reach GDI+ (drawn strings, face and file names) as UTF-16 converted from GBK with
// code page 936 named explicitly, so Chinese comes out right whatever the system page is.
#include <string>
#include <string_view>

// Stops at the first NUL, as a NUL-terminated text would.
std::wstring WideFromGbk(std::string_view gbk);
std::string GbkFromWide(std::wstring_view wide);
