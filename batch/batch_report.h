#pragma once
// The two files a batch leaves: the report (one row per line of the list) and the rows
// found (one row per result row), both as CSV through the export's writer.
#include <windows.h>

#include <string>
#include <vector>

#include "batch/batch_runner.h"
#include "batch/party_list.h"

// 命中, 未查到, "失败: <reason>" or 未查询 (GBK).
std::string StatusText(const PartyOutcome& outcome);

// The files' bytes, byte-order mark included.
std::string ReportCsv(const PartyList& list, const std::vector<PartyOutcome>& outcomes);
std::string FoundRowsCsv(const PartyList& list, const std::vector<PartyOutcome>& outcomes);

// "批量查询_<yyyymmdd-hhmmss>.csv" and its companion "…_明细.csv".
std::wstring ReportFileName(const SYSTEMTIME& time);
std::wstring FoundRowsFileName(const std::wstring& reportName);

// Lines of the list by status, each duplicate line counted.
struct StatusCounts {
  size_t found = 0, notFound = 0, failed = 0, notChecked = 0;
};
StatusCounts CountStatuses(const PartyList& list, const std::vector<PartyOutcome>& outcomes);
