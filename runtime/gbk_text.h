#pragma once
// Conversions between the program's GBK texts and the UTF-16 of Unicode windows and GDI+.
// Code page 936 is named explicitly, so texts read right whatever the system's page is.
// A text ends at its first NUL, as a NUL-terminated text would.
#include <string>
#include <string_view>

std::wstring GbkToWide(std::string_view gbk);
std::string WideToGbk(std::wstring_view wide);
