#include "batch/batch_report.h"

#include <algorithm>
#include <cwchar>

#include "app/csv_table.h"

namespace {

constexpr char kCaseSeparator[] = "；";

const PartyOutcome& OutcomeOf(const ListLine& line, const std::vector<PartyOutcome>& outcomes) {
  static const PartyOutcome notChecked;
  return line.party < outcomes.size() ? outcomes[line.party] : notChecked;
}

std::string PagesText(const PartyOutcome& o) {
  if (o.status == PartyStatus::NotChecked) return {};
  std::string text = std::to_string(o.pagesFetched);
  if (o.status != PartyStatus::Failed && o.totalPages > o.pagesFetched)
    text += "（共 " + std::to_string(o.totalPages) + " 页，其余未获取）";
  return text;
}

// Each case number once, in the order found: the same case can stand on several rows.
std::string CaseNumbers(const PartyOutcome& o) {
  std::vector<std::string> seen;
  std::string text;
  for (const FoundRow& row : o.rows) {
    if (row.caseNumber.empty() || std::find(seen.begin(), seen.end(), row.caseNumber) != seen.end()) continue;
    seen.push_back(row.caseNumber);
    if (!text.empty()) text += kCaseSeparator;
    text += row.caseNumber;
  }
  return text;
}

}  // namespace

std::string StatusText(const PartyOutcome& outcome) {
  switch (outcome.status) {
    case PartyStatus::Found:
      return "命中";
    case PartyStatus::NotFound:
      return "未查到";
    case PartyStatus::Failed:
      return "失败: " + outcome.reason;
    case PartyStatus::NotChecked:
      break;
  }
  return "未查询";
}

std::string ReportCsv(const PartyList& list, const std::vector<PartyOutcome>& outcomes) {
  std::string csv = kUtf8Bom + CsvRow({"输入名称", "输入证件号", "状态", "结果总数", "已获取页数", "案号"});
  for (const ListLine& line : list.lines) {
    const PartyOutcome& o = OutcomeOf(line, outcomes);
    const bool answered = o.status == PartyStatus::Found || o.status == PartyStatus::NotFound;
    csv += CsvRow({line.input.name, line.input.id, StatusText(o), answered ? std::to_string(o.total) : std::string(),
                   PagesText(o), CaseNumbers(o)});
  }
  return csv;
}

std::string FoundRowsCsv(const PartyList& list, const std::vector<PartyOutcome>& outcomes) {
  std::string csv = kUtf8Bom + CsvRow({"输入行", "名称", "立案时间", "案号", "页码"});
  for (const ListLine& line : list.lines)
    for (const FoundRow& row : OutcomeOf(line, outcomes).rows)
      csv += CsvRow({std::to_string(line.lineNumber), row.name, row.date, row.caseNumber, std::to_string(row.page)});
  return csv;
}

std::wstring ReportFileName(const SYSTEMTIME& t) {
  wchar_t stamp[32] = {};
  std::swprintf(stamp, std::size(stamp), L"%04d%02d%02d-%02d%02d%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return std::wstring(L"批量查询_") + stamp + L".csv";
}

std::wstring FoundRowsFileName(const std::wstring& reportName) {
  const std::wstring stem = reportName.ends_with(L".csv") ? reportName.substr(0, reportName.size() - 4) : reportName;
  return stem + L"_明细.csv";
}

StatusCounts CountStatuses(const PartyList& list, const std::vector<PartyOutcome>& outcomes) {
  StatusCounts counts;
  for (const ListLine& line : list.lines) {
    switch (OutcomeOf(line, outcomes).status) {
      case PartyStatus::Found: ++counts.found; break;
      case PartyStatus::NotFound: ++counts.notFound; break;
      case PartyStatus::Failed: ++counts.failed; break;
      case PartyStatus::NotChecked: ++counts.notChecked; break;
    }
  }
  return counts;
}
