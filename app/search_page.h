#pragma once
// The page-jump request and the reading of a result page, shared by the page jump and the
// export of every page.
#include <string>

#include "web/types.h"

// The form body of a page jump. `encodedName` is the percent-encoded name, `card` and `code`
// the form-encoded ID number (empty for the page jump itself) and captcha code, `page` the
// page number as typed.
std::string PageJumpBody(const std::string& encodedName, const std::string& card, const std::string& code,
                         const std::string& page);

// The rows of a result page: names, filing dates and case numbers (lists may differ in length).
void ScrapeResultRows(const std::string& page, TextArray& names, TextArray& dates, TextArray& cases);

// The pager's text, " 2/3 共23" for page 2 of 3 holding 23 results; "" when there is none.
std::string ResultPagerText(const std::string& page);
