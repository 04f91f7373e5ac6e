#include "batch/party_list.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <string_view>

#include "runtime/gbk_text.h"
#include "runtime/handles.h"
#include "web/codepage.h"
#include "web/text_ops.h"

namespace {

bool Decodes(const std::string& bytes, UINT codePage) {
  return bytes.empty() || MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                              static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

// Bytes no text file holds: control characters other than tab, line ends, form feed and
// the old end-of-file mark.
bool HasBinaryBytes(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != 0x1A;
  });
}

// The file's text in GBK, or false when it is no text.
bool DecodeList(const std::string& bytes, PartyList& list, std::string& gbk) {
  const auto starts = [&](std::string_view mark) { return std::string_view(bytes).starts_with(mark); };
  if (starts("\xFF\xFE") || starts("\xFE\xFF")) {  // "Unicode text" as spreadsheet programs save it
    if (bytes.size() % 2) return false;
    std::wstring wide((bytes.size() - 2) / 2, L'\0');
    const bool big = starts("\xFE\xFF");
    for (size_t i = 0; i < wide.size(); ++i) {
      const auto hi = static_cast<unsigned char>(bytes[2 + 2 * i + (big ? 0 : 1)]);
      const auto lo = static_cast<unsigned char>(bytes[2 + 2 * i + (big ? 1 : 0)]);
      wide[i] = static_cast<wchar_t>(hi << 8 | lo);
      if (wide[i] == 0) return false;
    }
    list.encoding = PartyList::Encoding::Utf16;
    gbk = WideToGbk(wide);
    return !HasBinaryBytes(gbk);
  }
  const std::string text = starts("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
  if (text.find('\0') != std::string::npos || HasBinaryBytes(text)) return false;
  if (Decodes(text, kCodePageUtf8)) {
    list.encoding = PartyList::Encoding::Utf8;
    gbk = Utf8ToGbk(text);
    return true;
  }
  if (!Decodes(text, kCodePageGbk)) return false;
  list.encoding = PartyList::Encoding::Gbk;
  gbk = text;
  return true;
}

struct Record {
  int lineNumber = 0;
  std::vector<std::string> cells;
};

// RFC 4180 records: a quoted cell may hold the separator, doubled quotes and line breaks.
// Every byte these rules look at is below 0x40, which no GBK trail byte is.
std::vector<Record> SplitRecords(const std::string& text, char separator) {
  std::vector<Record> records;
  Record record{1, {""}};
  int line = 1;
  bool quoted = false, cellStart = true;
  const auto endRecord = [&] {
    records.push_back(std::move(record));
    record = Record{line, {""}};
    cellStart = true;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        record.cells.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
        record.cells.back() += c;
      }
      continue;
    }
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++line;
      endRecord();
    } else if (c == separator) {
      record.cells.emplace_back();
      cellStart = true;
    } else if (c == '"' && cellStart) {
      quoted = true;
      cellStart = false;
    } else {
      // Spaces before an opening quote are tolerated, as spreadsheet programs do.
      if (c != ' ' && c != '\t') cellStart = false;
      record.cells.back() += c;
    }
  }
  if (record.cells.size() > 1 || !record.cells[0].empty()) records.push_back(std::move(record));
  return records;
}

std::string Trim(std::string cell) {
  std::erase(cell, '\f');
  std::erase(cell, '\v');
  for (;;) {
    std::string trimmed = TrimSpaces(cell);
    while (!trimmed.empty() && (trimmed.front() == '\t' || trimmed.front() == '\r' || trimmed.front() == '\n'))
      trimmed.erase(0, 1);
    while (!trimmed.empty() && (trimmed.back() == '\t' || trimmed.back() == '\r' || trimmed.back() == '\n'))
      trimmed.pop_back();
    if (trimmed == cell) return cell;
    cell = std::move(trimmed);
  }
}

bool HasDigit(const std::string& text) { return text.find_first_of("0123456789") != std::string::npos; }

// A first line such as "姓名,身份证号" or "name,id": the column titles, not a party.
bool IsHeader(const std::string& name, const std::string& id) {
  static const char* const kNameTitles[] = {"name", "名称", "姓名", "名字", "姓名/名称", "名称/姓名", "被执行人",
                                            "当事人", "被执行人/单位名", "被执行人\\单位名", "单位名", "单位", "主体",
                                            "party"};
  const std::string lower = ToLowerText(name);
  for (const char* title : kNameTitles)
    if (lower == title) return true;
  const size_t characters = GbkToWide(name).size();
  if (characters <= 8 && (lower.ends_with("名称") || lower.ends_with("姓名"))) return true;
  // Every ID number and organisation code has digits; a title of that column has none.
  const std::string lowerId = ToLowerText(id);
  return !id.empty() && !HasDigit(id) &&
         (lowerId == "id" || lowerId == "code" || FindText(id, "证") != kNotFound ||
          FindText(id, "号") != kNotFound || FindText(id, "代码") != kNotFound);
}

std::string DuplicateKey(const PartyQuery& party) {
  std::string id;
  for (char c : party.id) id += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return party.name + '\n' + id;
}

}  // namespace

PartyList ReadPartyList(const std::string& bytes) {
  PartyList list;
  if (bytes.empty()) {
    list.problem = ListProblem::Empty;
    return list;
  }
  if (bytes.size() > kLargestListFile) {
    list.problem = ListProblem::TooLarge;
    return list;
  }
  std::string text;
  if (!DecodeList(bytes, list, text)) {
    list.problem = ListProblem::Binary;
    return list;
  }
  // Comma-separated as a rule; a list pasted from a spreadsheet separates by tabs.
  const char separator = text.find(',') == std::string::npos && text.find('\t') != std::string::npos ? '\t' : ',';
  std::map<std::string, size_t> seen;
  bool first = true;
  for (const Record& record : SplitRecords(text, separator)) {
    const std::string name = Trim(record.cells[0]);
    const std::string id = record.cells.size() > 1 ? Trim(record.cells[1]) : std::string();
    if (name.empty() && id.empty()) {
      ++list.skippedEmpty;
      continue;
    }
    if (first) {
      first = false;
      if (IsHeader(name, id)) {
        list.headerSkipped = true;
        continue;
      }
    }
    if (name.empty()) {
      // The service needs a name: an ID number alone finds nothing.
      ++list.skippedNameMissing;
      continue;
    }
    if (GbkToWide(name).size() > kLongestPartyName) {
      ++list.skippedNameTooLong;
      continue;
    }
    ListLine line{record.lineNumber, {name, id}, list.parties.size()};
    const auto [it, added] = seen.emplace(DuplicateKey(line.input), list.parties.size());
    if (added) list.parties.push_back(line.input);
    line.party = it->second;
    list.lines.push_back(std::move(line));
  }
  if (list.lines.empty()) {
    list.problem = list.skippedNameMissing || list.skippedNameTooLong || list.headerSkipped ? ListProblem::NoParties
                                                                                           : ListProblem::Empty;
  } else if (list.parties.size() > kMostParties) {
    list.problem = ListProblem::TooMany;
  }
  return list;
}

PartyList ReadPartyListFile(const std::wstring& path) {
  PartyList unreadable;
  unreadable.problem = ListProblem::Unreadable;
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return unreadable;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return unreadable;
  if (size.QuadPart > static_cast<LONGLONG>(kLargestListFile)) {
    PartyList large;
    large.problem = ListProblem::TooLarge;
    return large;
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                         read != bytes.size()))
    return unreadable;
  return ReadPartyList(bytes);
}
