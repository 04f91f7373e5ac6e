#pragma once
// The runtime's own conversions between the program's GBK texts and the UTF-16 of
// Unicode windows. Code page 936 is named explicitly so texts read right on any system.
#include <string>

std::wstring GbkToWide(const std::string& gbk);
std::string WideToGbk(const std::wstring& wide);
