#include "app/search_page.h"

#include <algorithm>
#include <cstring>

#include "app/service.h"
#include "runtime/gbk_text.h"
#include "web/codepage.h"

namespace {

std::string_view Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// The list's markers. Each begins with a byte that has no case.
const std::string_view kNameLeft = Utf8(u8"<td nowrap=\"nowrap\" align=\"left\"><a title=\"");
const std::string_view kNameRight = Utf8(u8"\">");
const std::string_view kDateLeft = Utf8(u8"<td align=\"center\">20");
const std::string_view kCaseLeft = Utf8(u8"<td nowrap=\"nowrap\" align=\"left\">");
const std::string_view kCellRight = Utf8(u8"</td>");
// The pager's, matched as they are.
const std::string_view kCountLeft = Utf8(u8"type=\"text\" /> 页");
const std::string_view kCountRight = Utf8(u8"条");

constexpr std::size_t kLongestDate = 18;  // GBK bytes, "20" included: a cell this long is no date
constexpr std::size_t kLongestCase = 26;  // GBK bytes: a cell this long is no case number

char Folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The first `marker` at or after `from`, ASCII letters matching in either case; npos when
// there is none. UTF-8 sequences are bytes of 0x80 and above and match only themselves.
std::size_t FindMarker(std::string_view page, std::string_view marker, std::size_t from) {
  const std::size_t n = marker.size();
  while (from < page.size() && page.size() - from >= n) {
    const void* hit = std::memchr(page.data() + from, marker[0], page.size() - from - n + 1);
    if (!hit) break;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - page.data());
    std::size_t i = 1;
    while (i < n && Folded(page[at + i]) == Folded(marker[i])) ++i;
    if (i == n) return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

bool IsTrimmed(wchar_t c) { return c == L' ' || c == L'\x3000'; }

// GBK's byte length of a unit it surely holds the same (ASCII, U+3000, the unified
// ideographs, the full-width forms); 0 for any other.
std::size_t SureGbkLength(wchar_t c) {
  if (c < 0x80) return 1;
  if (c == 0x3000 || (c >= 0x4E00 && c <= 0x9FA5) || (c >= 0xFF01 && c <= 0xFF5E)) return 2;
  return 0;
}

struct Cell {
  std::wstring text;
  std::size_t gbkBytes = 0;
};

// Cut bytes as the page's GBK text shows them, trimmed. A cell of other characters (or of
// bytes that are no UTF-8) goes through GBK once, so it reads as before, "?" and all.
Cell ReadCell(std::string_view bytes) {
  Cell cell{ToUtf16(bytes, kCodePageUtf8)};
  std::wstring& text = cell.text;
  const auto first = std::find_if_not(text.begin(), text.end(), IsTrimmed);
  const auto last = std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), IsTrimmed).base();
  text.erase(last, text.end());
  text.erase(text.begin(), first);
  for (wchar_t c : text) {
    const std::size_t n = SureGbkLength(c);
    if (n == 0) {
      const std::string gbk = WideToGbk(text);
      return {GbkToWide(gbk), gbk.size()};
    }
    cell.gbkBytes += n;
  }
  return cell;
}

// Every cell between a left and a right marker, in page order. An empty cell is skipped
// unless there is a prefix; with a limit, only cells shorter than it (prefix included, in
// GBK bytes) are kept. The right marker may open the next cell.
std::vector<std::wstring> CollectCells(std::string_view page, std::string_view left, std::string_view right,
                                       std::wstring_view prefix = {}, std::size_t limit = 0) {
  std::vector<std::wstring> cells;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t leftAt = FindMarker(page, left, pos);
    if (leftAt == std::string_view::npos) break;
    const std::size_t inner = leftAt + left.size();
    const std::size_t rightAt = FindMarker(page, right, inner);
    if (rightAt == std::string_view::npos) break;
    Cell cell = ReadCell(page.substr(inner, rightAt - inner));
    if (prefix.empty() && cell.text.empty()) {
      pos = inner;
      continue;
    }
    if (limit == 0 || prefix.size() + cell.gbkBytes < limit) {  // the prefix is ASCII
      cell.text.insert(0, prefix);
      cells.push_back(std::move(cell.text));
    }
    pos = rightAt;
  }
  return cells;
}

}  // namespace

std::string PageJumpBody(const std::string& encodedName, const std::string& card, const std::string& code,
                         const std::string& page) {
  return "currentPage=" + FormValue(page) + "&pName=" + encodedName + "&pCardNum=" + card + "&pProvince=0&pCode=" +
         code + "&captchaId=" + CaptchaId();
}

bool PageHolds(std::string_view page, const std::string& gbkText) {
  return page.find(GbkToUtf8(gbkText)) != std::string_view::npos;
}

bool IsResultPage(std::string_view page) {
  // Rows, when there are any, are found near the top; the pager only at the end.
  return FindMarker(page, kNameLeft, 0) != std::string_view::npos || page.find(kCountLeft) != std::string_view::npos;
}

std::vector<ResultCells> ScrapeResultRows(std::string_view page) {
  std::vector<std::wstring> names = CollectCells(page, kNameLeft, kNameRight);
  std::vector<std::wstring> dates = CollectCells(page, kDateLeft, kCellRight, L"20", kLongestDate);
  std::vector<std::wstring> cases = CollectCells(page, kCaseLeft, kCellRight, {}, kLongestCase);
  // The name cell of a short name (<a title="王五">王五</a>) opens like a case-number cell and
  // is short enough to pass its length rule; a cell whose text holds markup is no case number.
  std::erase_if(cases, [](const std::wstring& cell) { return cell.find(L'<') != std::wstring::npos; });

  std::vector<ResultCells> rows(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    // Lists of unequal length fill only the cells they have: no row borrows another's value.
    ResultCells& row = rows[i];
    row.reserve(4);
    row.push_back(std::move(names[i]));
    row.push_back(i < dates.size() ? std::move(dates[i]) : std::wstring());
    if (i < cases.size()) {
      row.push_back(std::move(cases[i]));
      row.push_back(L"双击查看详情");
    }
  }
  return rows;
}

std::string ResultPagerText(std::string_view page) {
  const std::size_t left = page.find(kCountLeft);
  if (left == std::string_view::npos) return {};
  const std::size_t inner = left + kCountLeft.size();
  const std::size_t right = page.find(kCountRight, inner);
  if (right == std::string_view::npos) return {};
  return Utf8ToGbk(std::string(page.substr(inner, right - inner)));
}
