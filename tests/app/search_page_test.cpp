// Reading result pages from the reply's UTF-8 bytes. Each page of the table is also read the
// way the program read it before, through the page's GBK text, and both must agree: cutting
// the UTF-8 bytes has to give exactly the cells that cutting the GBK text gave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/search_page.h"
#include "app/service.h"
#include "runtime/gbk_text.h"
#include "web/codepage.h"
#include "web/markers.h"

namespace {

// Pages are written as UTF-8 literals: narrow literals here are GBK.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string Name(const std::string& name) {
  return Utf8(u8"<td nowrap=\"nowrap\" align=\"left\"><a title=\"") + name + "\">x</a></td>\n";
}
std::string Date(const std::string& date) { return Utf8(u8"<td align=\"center\">") + date + "</td>\n"; }
std::string Case(const std::string& number) { return Utf8(u8"<td nowrap=\"nowrap\" align=\"left\">") + number + "</td>\n"; }
std::string Row(const std::string& name, const std::string& date, const std::string& number) {
  return "<tr>" + Name(name) + Date(date) + Case(number) + "</tr>\n";
}

// The reading of a page through its GBK text, as the program did it before.
std::vector<ResultCells> ReadThroughGbk(const ByteSet& reply) {
  const std::string page = Utf8ToGbk(std::string(ReplyPage(reply)));
  TextArray names, dates, cases;
  TextBetweenAll(page, "<td nowrap=\"nowrap\" align=\"left\"><a title=\"", "\">", names);
  TextBetweenAll(page, "<td align=\"center\">20", "</td>", dates, false, 18, "20");
  TextBetweenAll(page, "<td nowrap=\"nowrap\" align=\"left\">", "</td>", cases, false, 26);
  std::erase_if(cases, [](const std::string& c) { return c.find('<') != std::string::npos; });
  std::vector<ResultCells> rows;
  for (size_t i = 0; i < names.size(); ++i) {
    ResultCells& row = rows.emplace_back();
    row.push_back(GbkToWide(names[i]));
    row.push_back(i < dates.size() ? GbkToWide(dates[i]) : L"");
    if (i < cases.size()) {
      row.push_back(GbkToWide(cases[i]));
      row.push_back(L"双击查看详情");
    }
  }
  return rows;
}

ByteSet Bytes(const std::string& text) { return ByteSet(text.begin(), text.end()); }

const std::wstring kHint = L"双击查看详情";

TEST(SearchPage, CellsAreCutFromTheUtf8BytesAsFromTheGbkText) {
  const std::string name18 = Utf8(u8"一二三四五六七八九");  // 18 GBK bytes
  const std::string name19 = Utf8(u8"一二三四五六七八九a");
  const std::string case25 = Utf8(u8"(2017)京0105执12087号一ab");  // 25 GBK bytes
  const std::string case26 = Utf8(u8"(2017)京0105执12087号一abc");
  const struct {
    const char* what;
    std::string page;
    std::vector<ResultCells> rows;
  } cases[] = {
      {"one whole row",
       Row(Utf8(u8"王五"), Utf8(u8"2017年09月18日"), Utf8(u8"(2017)京0105执12087号")),
       {{L"王五", L"2017年09月18日", L"(2017)京0105执12087号", kHint}}},
      {"markers in upper case",
       Utf8(u8"<TD NOWRAP=\"NOWRAP\" ALIGN=\"LEFT\"><A TITLE=\"李四\">x</a></TD><TD ALIGN=\"CENTER\">2016年</TD>"),
       {{L"李四", L"2016年"}}},
      {"U+3000 and spaces at both ends are trimmed, inside they stay",
       Row(Utf8(u8"\u3000 张\u3000三 \u3000"), Utf8(u8"2017年\u3000 "), Utf8(u8"\u3000(2017)京1号 ")),
       {{L"张\x3000三", L"2017年", L"(2017)京1号", kHint}}},
      {"a cell of spaces only is no cell; a date of spaces only is \"20\"",
       Name(Utf8(u8" \u3000 ")) + Row(Utf8(u8"赵六"), "20 ", "(2017)1"),
       {{L"赵六", L"20", L"(2017)1", kHint}}},
      {"the short name's cell is no case number",
       Utf8(u8"<td nowrap=\"nowrap\" align=\"left\"><a title=\"王五\">王五</a></td>") + Date("2017") + Case("(1)"),
       {{L"王五", L"2017", L"(1)", kHint}}},
      {"names have no length limit: 18 and 19 GBK bytes",
       Name(name18) + Name(name19),
       {{GbkToWide(Utf8ToGbk(name18)), L""}, {GbkToWide(Utf8ToGbk(name19)), L""}}},
      {"a date of 17 GBK bytes is kept, of 18 not",
       Name("a") + Date(Utf8(u8"2017年09月18日 1")) + Name("b") + Date(Utf8(u8"2017年09月18日 12")) +
           Name("c") + Date(Utf8(u8"2017年09月18日 123")),
       {{L"a", L"2017年09月18日 1"}, {L"b", L"2017年09月18日 12"}, {L"c", L""}}},
      {"a case number of 25 GBK bytes is kept, of 26 not",
       Name("a") + Case(case25) + Name("b") + Case(case26),
       {{L"a", L"", GbkToWide(Utf8ToGbk(case25)), kHint}, {L"b", L""}}},
      {"lists of unequal length fill only the cells they have",
       Name("a") + Name("b") + Name("c") + Date("2001") + Case("(9)"),
       {{L"a", L"2001", L"(9)", kHint}, {L"b", L""}, {L"c", L""}}},
      {"bytes that are no UTF-8, and characters GBK lacks, read as GBK's default character",
       Name("\xE4\xB8" "x") + Name("\xFF") + Name(Utf8(u8"a\u0E01b")) + Name("\xE4\xB8\xAD\xE6"),
       {{L"?x", L""}, {L"?", L""}, {L"a?b", L""}, {L"中?", L""}}},
      {"a page without rows", "<html>nothing</html>", {}},
      {"a left marker without its right one", Utf8(u8"<td nowrap=\"nowrap\" align=\"left\"><a title=\"a"), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ByteSet reply = Bytes(c.page);
    const std::vector<ResultCells> rows = ScrapeResultRows(ReplyPage(reply));
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(rows, ReadThroughGbk(reply));
  }
}

TEST(SearchPage, APageEndsAtItsFirstNul) {
  std::string page = Row("a", "2001", "(1)") + std::string(1, '\0') + Row("b", "2002", "(2)");
  const ByteSet reply = Bytes(page);
  EXPECT_EQ(ReplyPage(reply).size(), page.find('\0'));
  const std::vector<ResultCells> rows = ScrapeResultRows(ReplyPage(reply));
  EXPECT_EQ(rows, (std::vector<ResultCells>{{L"a", L"2001", L"(1)", kHint}}));
  EXPECT_EQ(rows, ReadThroughGbk(reply));
  EXPECT_TRUE(ReplyPage(Bytes(std::string("\0abc", 4))).empty());
}

TEST(SearchPage, PagerRefusalAndResultPagesAreFoundInTheUtf8Form) {
  const std::string pager = Utf8(u8"<input type=\"text\" /> 页 2/3 共23条</div>");
  EXPECT_EQ(ResultPagerText(pager), " 2/3 共23");
  EXPECT_EQ(ResultPagerText(Utf8(u8"type=\"text\" /> 页 2/3 共23")), "");  // no right marker
  EXPECT_EQ(ResultPagerText("<html></html>"), "");
  EXPECT_TRUE(IsResultPage(pager));
  EXPECT_TRUE(IsResultPage(Name("a")));
  EXPECT_FALSE(IsResultPage("<html>busy</html>"));
  EXPECT_FALSE(IsResultPage(""));
  const std::string refused = Utf8(u8"<p>验证码错误或验证码已过期，请重新输入！</p>");
  EXPECT_TRUE(PageHolds(refused, "验证码错误或验证码已过期，请重新输入！"));
  EXPECT_FALSE(PageHolds(pager, "验证码错误或验证码已过期，请重新输入！"));
}

}  // namespace
