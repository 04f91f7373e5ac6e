#pragma once
// The program's one converter between multi-byte texts and UTF-16: GBK texts for Unicode
// windows and GDI+, UTF-8 of the service's replies. The code page is always named (936 or
// 65001), so texts read right whatever the system's page is. A text ends at its first NUL,
// as a NUL-terminated text would; what a page cannot hold becomes its default character.
#include <string>
#include <string_view>

constexpr unsigned kCodePageGbk = 936;
constexpr unsigned kCodePageUtf8 = 65001;

std::wstring ToUtf16(std::string_view text, unsigned codePage);
std::string FromUtf16(std::wstring_view wide, unsigned codePage);

inline std::wstring GbkToWide(std::string_view gbk) { return ToUtf16(gbk, kCodePageGbk); }
inline std::string WideToGbk(std::wstring_view wide) { return FromUtf16(wide, kCodePageGbk); }
// UTF-8: the form of the files the program writes for other tools (the journal, receipts).
inline std::wstring Utf8ToWide(std::string_view utf8) { return ToUtf16(utf8, kCodePageUtf8); }
inline std::string WideToUtf8(std::wstring_view wide) { return FromUtf16(wide, kCodePageUtf8); }
