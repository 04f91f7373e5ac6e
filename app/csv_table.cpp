#include "app/csv_table.h"

#include <string_view>

#include "web/codepage.h"

std::string CsvCell(const std::string& gbk) {
  std::string cell = GbkToUtf8(gbk);
  // A cell opening with one of these is read as a formula (a tab or CR before one too). A
  // leading apostrophe makes Excel and LibreOffice take the cell as text: they show it with
  // the apostrophe and never evaluate it. The visible apostrophe also tells the reader that
  // the cell was changed, where an invisible leading tab would not.
  if (!cell.empty() && std::string_view("=+-@\t\r").find(cell[0]) != std::string_view::npos) cell.insert(0, 1, '\'');
  if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string CsvRow(const std::vector<std::string>& gbkCells) {
  std::string row;
  for (size_t i = 0; i < gbkCells.size(); ++i) {
    if (i) row += ',';
    row += CsvCell(gbkCells[i]);
  }
  return row + "\r\n";
}
