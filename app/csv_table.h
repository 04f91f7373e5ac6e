#pragma once
// Rows of a CSV file as spreadsheet programs read them: UTF-8 (the file starts with a
// byte-order mark, so Chinese opens correctly), cells quoted where RFC 4180 needs it, CR LF
// line ends, and no cell that a spreadsheet would run as a formula.
#include <string>
#include <vector>

inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// One cell of the program's text (GBK) as it stands in the file (UTF-8).
std::string CsvCell(const std::string& gbk);
// The cells separated by commas, ended by CR LF.
std::string CsvRow(const std::vector<std::string>& gbkCells);
