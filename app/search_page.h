#pragma once
// The page-jump request and the reading of a result page, shared by the searches and the
// export of every page. A page is read as the service sent it: the reply's UTF-8 bytes up to
// the first NUL. The list markers are ASCII and begin with a byte below 0x40 ("<" or "\""),
// which is never inside a UTF-8 sequence nor a GBK trail byte, so cutting the UTF-8 bytes
// gives exactly the cells that cutting the page's GBK text gives; only the cells cut are
// converted.
#include <string>
#include <string_view>
#include <vector>

#include "web/types.h"

// The form body of a page jump. `encodedName` is the percent-encoded name, `card` and `code`
// the form-encoded ID number (empty for the page jump itself) and captcha code, `page` the
// page number as typed.
std::string PageJumpBody(const std::string& encodedName, const std::string& card, const std::string& code,
                         const std::string& page);

// Whether the page holds a GBK text (looked for in its UTF-8 form).
bool PageHolds(std::string_view page, const std::string& gbkText);

// A page the service made from the search: it carries result rows or the pager's count.
bool IsResultPage(std::string_view page);

// The rows of a result page, each cell in UTF-16 as the list shows it: the name, the filing
// date (empty when the page has fewer dates), and, where the page has one, the case number
// and the hint "双击查看详情". Cells are trimmed of spaces and U+3000; dates of 18 GBK bytes
// or more and case numbers of 26 or more are not cells; what GBK cannot hold (bytes that are
// no UTF-8 among them) reads as GBK's default character, as in the page's GBK text.
using ResultCells = std::vector<std::wstring>;
std::vector<ResultCells> ScrapeResultRows(std::string_view page);

// The pager's text in GBK, " 2/3 共23" for page 2 of 3 holding 23 results; "" when there is none.
std::string ResultPagerText(std::string_view page);
