// CSV cells and rows as a spreadsheet reads them, and the export's default file name.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "app/csv_table.h"
#include "app/export.h"

namespace {

// Expected file bytes are written as UTF-8 literals: narrow literals here are GBK.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace

TEST(CsvTable, CellsAreQuotedAndNeutralisedAsSpreadsheetsNeed) {
  const struct {
    const char* gbk;
    std::string utf8;
  } cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"\"", "\"\"\"\""},
      {"line\r\nbreak", "\"line\r\nbreak\""},
      {"cr\ronly", "\"cr\ronly\""},
      {"lf\nonly", "\"lf\nonly\""},
      {"=1+2", "'=1+2"},
      {"+86 10", "'+86 10"},
      {"-5", "'-5"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"\t=cmd", "'\t=cmd"},
      {"=HYPERLINK(\"x\",\"y\")", "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},  // neutralised, then quoted
      {"a=b", "a=b"},  // only a leading sign makes a formula
      {"李明华", Utf8(u8"李明华")},
      {"（2019）京0105执1234号", Utf8(u8"（2019）京0105执1234号")},
      {"北京，朝阳", Utf8(u8"北京，朝阳")},  // a full-width comma needs no quotes
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.gbk);
    EXPECT_EQ(CsvCell(c.gbk), c.utf8);
  }
}

TEST(CsvTable, RowsEndWithCrLfAndChineseRoundTripsThroughTheBytes) {
  const std::string row = CsvRow({"李明华", "2019年03月05日", "", "a,b", "3"});
  EXPECT_EQ(row, Utf8(u8"李明华,2019年03月05日,,\"a,b\",3\r\n"));
  // The bytes, as a spreadsheet decodes them: 李 is E6 9D 8E in UTF-8.
  EXPECT_EQ(row.substr(0, 3), "\xE6\x9D\x8E");
  wchar_t wide[64] = {};
  ASSERT_GT(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, row.data(), static_cast<int>(row.size()), wide, 64), 0);
  EXPECT_EQ(std::wstring(wide).substr(0, 3), L"李明华");
  EXPECT_EQ(CsvRow({}), "\r\n");
  EXPECT_EQ(std::string(kUtf8Bom), "\xEF\xBB\xBF");
}

TEST(ExportFileName, DatedAndSafeForAnyFolder) {
  const SYSTEMTIME day{2024, 3, 0, 7, 0, 0, 0, 0};
  const struct {
    const char* name;
    const wchar_t* file;
  } cases[] = {
      {"李明", L"失信被执行人_李明_2024-03-07.csv"},
      {"北京华星科技有限公司", L"失信被执行人_北京华星科技有限公司_2024-03-07.csv"},
      {"a/b\\c:d*e?f\"g<h>i|j", L"失信被执行人_a_b_c_d_e_f_g_h_i_j_2024-03-07.csv"},
      {"tab\there", L"失信被执行人_tab_here_2024-03-07.csv"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DefaultExportFileName(c.name, day), c.file);
  }
  // A very long name is cut so that the path stays within what the system takes.
  EXPECT_EQ(DefaultExportFileName(std::string(400, 'x'), day), L"失信被执行人_" + std::wstring(100, L'x') + L"_2024-03-07.csv");
}
