// The report and the rows found, byte for byte, their names and their folder.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <string>

#include "batch/batch_job.h"
#include "batch/batch_report.h"

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace

TEST(BatchReport, OneRowPerLineWithEveryStatus) {
  // Lines: 王五, 李明, =cmd, 王五 again, 赵建国 (failed), 孙志强 (cancelled before it).
  const PartyList list = ReadPartyList(Utf8(u8"姓名,证件号\n王五\n李明,\"1,2\"\n=cmd\n王五\n赵建国\n孙志强\n"));
  ASSERT_EQ(list.parties.size(), 5u);
  std::vector<PartyOutcome> outcomes(5);
  outcomes[0] = {PartyStatus::Found, "", 2, 1, 1,
                 {{"王五", "2019年03月05日", "（2019）京01执1号", 1}, {"王五", "2020年01月02日", "", 1}}};
  outcomes[1] = {PartyStatus::Found, "", 350, 35, 20,
                 {{"李明华", "2019年03月05日", "（2019）京01执7号", 1}, {"李明军", "", "（2019）京01执7号", 2},
                  {"李明", "", "（2020）京02执8号", 20}}};
  outcomes[2] = {PartyStatus::NotFound, "", 0, 0, 1, {}};
  outcomes[3] = {PartyStatus::Failed, "查询服务出错（HTTP 500）", 0, 0, 0, {}};
  // outcomes[4] stays NotChecked.

  EXPECT_EQ(ReportCsv(list, outcomes),
            "\xEF\xBB\xBF" + Utf8(u8"输入名称,输入证件号,状态,结果总数,已获取页数,案号\r\n"
                                  u8"王五,,命中,2,1,（2019）京01执1号\r\n"
                                  u8"李明,\"1,2\",命中,350,20（共 35 页，其余未获取）,（2019）京01执7号；（2020）京02执8号\r\n"
                                  u8"'=cmd,,未查到,0,1,\r\n"
                                  u8"王五,,命中,2,1,（2019）京01执1号\r\n"
                                  u8"赵建国,,失败: 查询服务出错（HTTP 500）,,0,\r\n"
                                  u8"孙志强,,未查询,,,\r\n"));
  EXPECT_EQ(FoundRowsCsv(list, outcomes),
            "\xEF\xBB\xBF" + Utf8(u8"输入行,名称,立案时间,案号,页码\r\n"
                                  u8"2,王五,2019年03月05日,（2019）京01执1号,1\r\n"
                                  u8"2,王五,2020年01月02日,,1\r\n"
                                  u8"3,李明华,2019年03月05日,（2019）京01执7号,1\r\n"
                                  u8"3,李明军,,（2019）京01执7号,2\r\n"
                                  u8"3,李明,,（2020）京02执8号,20\r\n"
                                  u8"5,王五,2019年03月05日,（2019）京01执1号,1\r\n"
                                  u8"5,王五,2020年01月02日,,1\r\n"));
  const StatusCounts counts = CountStatuses(list, outcomes);
  EXPECT_EQ(counts.found, 3u);  // the duplicate line counts for itself
  EXPECT_EQ(counts.notFound, 1u);
  EXPECT_EQ(counts.failed, 1u);
  EXPECT_EQ(counts.notChecked, 1u);
}

TEST(BatchReport, NamedByTheTimeTheBatchEnded) {
  const SYSTEMTIME t{2026, 12, 3, 9, 8, 5, 7, 0};
  EXPECT_EQ(ReportFileName(t), L"批量查询_20261209-080507.csv");
  EXPECT_EQ(FoundRowsFileName(ReportFileName(t)), L"批量查询_20261209-080507_明细.csv");
}

TEST(BatchReport, WrittenBesideTheListOrInDocuments) {
  wchar_t temp[MAX_PATH] = {};
  ASSERT_TRUE(GetTempPathW(MAX_PATH, temp));
  bool inDocuments = true;
  EXPECT_EQ(ReportFolder(std::wstring(temp) + L"名单.csv", inDocuments), temp);
  EXPECT_FALSE(inDocuments);
  wchar_t documents[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)));
  EXPECT_EQ(ReportFolder(L"C:\\no such folder\\名单.csv", inDocuments), std::wstring(documents) + L"\\");
  EXPECT_TRUE(inDocuments);
}
