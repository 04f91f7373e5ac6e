#include "batch/batch_texts.h"

#include "batch/batch_runner.h"

namespace {

std::wstring N(size_t n) { return std::to_wstring(n); }

}  // namespace

std::wstring DurationText(uint64_t milliseconds) {
  const uint64_t seconds = (milliseconds + 999) / 1000;
  if (seconds < 60) return std::to_wstring(seconds) + L" 秒";
  if (seconds < 3600) return std::to_wstring(seconds / 60) + L" 分 " + std::to_wstring(seconds % 60) + L" 秒";
  return std::to_wstring(seconds / 3600) + L" 小时 " + std::to_wstring(seconds % 3600 / 60) + L" 分";
}

uint64_t LeastDuration(size_t parties) { return parties * kPauseBetweenSearches; }

std::wstring ListProblemText(const PartyList& list, const std::wstring& path) {
  const std::wstring file = L"“" + path + L"”";
  switch (list.problem) {
    case ListProblem::None:
      return {};
    case ListProblem::Unreadable:
      return L"无法读取文件" + file + L"。";
    case ListProblem::Empty:
      return L"文件" + file + L"是空的，没有可查询的名称。";
    case ListProblem::Binary:
      return L"文件" + file + L"不是文本文件。请选择 CSV 文件或每行一个名称的文本文件。";
    case ListProblem::TooLarge:
      return L"文件" + file + L"太大（超过 " + N(kLargestListFile >> 20) + L" MB），不像是一份名单。";
    case ListProblem::NoParties:
      return L"文件" + file + L"中没有可查询的名称：" + N(list.skippedNameMissing) + L" 行缺少名称，" +
             N(list.skippedNameTooLong) + L" 行名称过长。";
    case ListProblem::TooMany:
      return L"名单中有 " + N(list.parties.size()) + L" 个查询对象，一次最多查询 " + N(kMostParties) +
             L" 个。请把名单分成几份。";
  }
  return {};
}

std::wstring LongListQuestion(const PartyList& list) {
  return L"名单中有 " + N(list.parties.size()) + L" 个查询对象。每次查询至少间隔 1 秒，全部查完至少需要 " +
         DurationText(LeastDuration(list.parties.size())) + L"。\r\n\r\n是否继续？";
}

std::wstring PreviewText(const PartyList& list) {
  std::wstring text = L"读到 " + N(list.parties.size()) + L" 个查询对象，共 " + N(list.lines.size()) + L" 行";
  text += list.DuplicateLines() ? L"，其中 " + N(list.DuplicateLines()) + L" 行重复（只查一次，报告中逐行列出）。"
                                : std::wstring(L"，没有重复。");
  const size_t skipped = list.skippedEmpty + list.skippedNameMissing + list.skippedNameTooLong;
  text += L"\r\n跳过 " + N(skipped) + L" 行";
  if (skipped) {
    text += L"：空行 " + N(list.skippedEmpty) + L"，缺少名称 " + N(list.skippedNameMissing) + L"，名称过长（超过 " +
            N(kLongestPartyName) + L" 字）" + N(list.skippedNameTooLong);
  }
  text += L"。";
  if (list.headerSkipped) text += L"\r\n第一行是标题，未作为名称查询。";
  text += L"\r\n预计至少需要 " + DurationText(LeastDuration(list.parties.size())) + L"（每次查询至少间隔 1 秒）。";
  return text;
}

std::wstring ClosingText(const BatchEnd& end) {
  const StatusCounts& c = end.counts;
  std::wstring text = end.cancelled ? L"批量查询已取消。" : L"批量查询已完成。";
  text += L"\r\n命中 " + N(c.found) + L" 行，未查到 " + N(c.notFound) + L" 行，失败 " + N(c.failed) + L" 行，未查询 " +
          N(c.notChecked) + L" 行。";
  text += L"\r\n\r\n报告：" + end.report + L"\r\n明细：" + end.foundRows;
  if (end.inDocuments) text += L"\r\n（名单所在的文件夹无法写入，报告保存在“文档”文件夹中。）";
  return text;
}
