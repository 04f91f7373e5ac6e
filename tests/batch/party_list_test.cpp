// Reading a list of parties: encodings, CSV rules, header, skipped lines, duplicates and
// the files that start nothing.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/party_list.h"

namespace {

// Narrow literals here are GBK; file bytes in UTF-8 are written as u8 literals.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct Line {
  int number;
  const char* name;
  const char* id;
  size_t party;
};

}  // namespace

TEST(PartyList, ReadsEveryFormTheListsComeIn) {
  std::string sixtyOne;
  for (int i = 0; i < 61; ++i) sixtyOne += Utf8(u8"名");
  const struct {
    const char* what;
    std::string bytes;
    PartyList::Encoding encoding;
    bool header;
    std::vector<Line> lines;
    size_t parties, empty, nameMissing, tooLong;
  } cases[] = {
      {"UTF-8 lines", Utf8(u8"王五\n李明\n"), PartyList::Encoding::Utf8, false,
       {{1, "王五", "", 0}, {2, "李明", "", 1}}, 2, 0, 0, 0},
      {"UTF-8 with BOM, CR LF, name and code", "\xEF\xBB\xBF" + Utf8(u8"北京华星科技有限公司,91110000MA01ABCD2X\r\n王五\r\n"),
       PartyList::Encoding::Utf8, false, {{1, "北京华星科技有限公司", "91110000MA01ABCD2X", 0}, {2, "王五", "", 1}}, 2, 0, 0, 0},
      {"GBK: not UTF-8", "王五\r\n赵建国,110105198501011234\r\n", PartyList::Encoding::Gbk, false,
       {{1, "王五", "", 0}, {2, "赵建国", "110105198501011234", 1}}, 2, 0, 0, 0},
      {"header in Chinese", Utf8(u8"姓名,身份证号\n王五,\n"), PartyList::Encoding::Utf8, true, {{2, "王五", "", 0}}, 1, 0, 0, 0},
      {"header in English", Utf8(u8"Name,ID\n王五\n"), PartyList::Encoding::Utf8, true, {{2, "王五", "", 0}}, 1, 0, 0, 0},
      {"header after blank lines", Utf8(u8"\n企业名称\n王五\n"), PartyList::Encoding::Utf8, true, {{3, "王五", "", 0}}, 1, 1, 0, 0},
      {"a first party is no header", Utf8(u8"王五,110105198501011234\n"), PartyList::Encoding::Utf8, false,
       {{1, "王五", "110105198501011234", 0}}, 1, 0, 0, 0},
      {"quoted cells", Utf8(u8"\"张三,李四公司\",\"12\"\"3\"\n \"王五\" ,x\n"), PartyList::Encoding::Utf8, false,
       {{1, "张三,李四公司", "12\"3", 0}, {2, "王五", "x", 1}}, 2, 0, 0, 0},
      {"a line break inside quotes", Utf8(u8"\"甲\r\n乙\",1\r\n丙\r\n"), PartyList::Encoding::Utf8, false,
       {{1, "甲\r\n乙", "1", 0}, {3, "丙", "", 1}}, 2, 0, 0, 0},
      {"cells past the second are ignored", Utf8(u8"王五,1,北京,备注\n"), PartyList::Encoding::Utf8, false,
       {{1, "王五", "1", 0}}, 1, 0, 0, 0},
      {"tab-separated", Utf8(u8"王五\t110105\n李明\n"), PartyList::Encoding::Utf8, false,
       {{1, "王五", "110105", 0}, {2, "李明", "", 1}}, 2, 0, 0, 0},
      {"skipped lines", Utf8(u8"王五\n\n \u3000 \n,110105\n,,\n") + sixtyOne + "\n" + Utf8(u8"李明"),
       PartyList::Encoding::Utf8, false, {{1, "王五", "", 0}, {7, "李明", "", 1}}, 2, 3, 1, 1},
      {"duplicates checked once", Utf8(u8"王五\n李明\n王五\n 王五 \n王五,123\n李明,91ab\n李明,91AB\n"),
       PartyList::Encoding::Utf8, false,
       {{1, "王五", "", 0}, {2, "李明", "", 1}, {3, "王五", "", 0}, {4, "王五", "", 0}, {5, "王五", "123", 2},
        {6, "李明", "91ab", 3}, {7, "李明", "91AB", 3}},
       4, 0, 0, 0},
      {"UTF-16 from a spreadsheet", std::string("\xFF\xFE\x8B\x73\x94\x4E\x0D\x00\x0A\x00", 10),
       PartyList::Encoding::Utf16, false, {{1, "王五", "", 0}}, 1, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PartyList list = ReadPartyList(c.bytes);
    EXPECT_EQ(list.problem, ListProblem::None);
    EXPECT_EQ(list.encoding, c.encoding);
    EXPECT_EQ(list.headerSkipped, c.header);
    ASSERT_EQ(list.lines.size(), c.lines.size());
    for (size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(list.lines[i].lineNumber, c.lines[i].number) << i;
      EXPECT_EQ(list.lines[i].input.name, c.lines[i].name) << i;
      EXPECT_EQ(list.lines[i].input.id, c.lines[i].id) << i;
      EXPECT_EQ(list.lines[i].party, c.lines[i].party) << i;
    }
    EXPECT_EQ(list.parties.size(), c.parties);
    EXPECT_EQ(list.DuplicateLines(), c.lines.size() - c.parties);
    EXPECT_EQ(list.skippedEmpty, c.empty);
    EXPECT_EQ(list.skippedNameMissing, c.nameMissing);
    EXPECT_EQ(list.skippedNameTooLong, c.tooLong);
  }
}

TEST(PartyList, FilesThatStartNothing) {
  std::string many, most;
  for (size_t i = 0; i < kMostParties; ++i) most += "p" + std::to_string(i) + "\n";
  many = most + "one more\n";
  const struct {
    const char* what;
    std::string bytes;
    ListProblem problem;
  } cases[] = {
      {"empty file", "", ListProblem::Empty},
      {"blank lines", "\r\n \r\n\t\r\n", ListProblem::Empty},
      {"a BOM alone", "\xEF\xBB\xBF", ListProblem::Empty},
      {"a picture", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), ListProblem::Binary},
      {"control bytes", "abc\x01\x02\x03", ListProblem::Binary},
      {"neither UTF-8 nor GBK", "\xFF\xFF\xFF\xFF", ListProblem::Binary},
      {"odd UTF-16", std::string("\xFF\xFE\x8B", 3), ListProblem::Binary},
      {"only IDs", ",110105\n,91110000\n", ListProblem::NoParties},
      {"only a header", Utf8(u8"姓名,证件号\n"), ListProblem::NoParties},
      {"2,000 parties", most, ListProblem::None},
      {"2,001 parties", many, ListProblem::TooMany},
      {"duplicates do not count twice", most + "p0\np1\n", ListProblem::None},
      {"too large", std::string(kLargestListFile + 1, 'a'), ListProblem::TooLarge},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadPartyList(c.bytes).problem, c.problem);
  }
}

TEST(PartyList, FileThatCannotBeReadIsSaidSo) {
  EXPECT_EQ(ReadPartyListFile(L"C:\\no such folder\\名单.csv").problem, ListProblem::Unreadable);
  wchar_t folder[MAX_PATH] = {}, path[MAX_PATH] = {};
  ASSERT_TRUE(GetTempPathW(MAX_PATH, folder));
  ASSERT_TRUE(GetTempFileNameW(folder, L"lst", 0, path));
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, "\xCD\xF5\xCE\xE5\r\n", 6, &written, nullptr);
  CloseHandle(file);
  const PartyList list = ReadPartyListFile(path);
  DeleteFileW(path);
  ASSERT_EQ(list.parties.size(), 1u);
  EXPECT_EQ(list.parties[0].name, "王五");
}
