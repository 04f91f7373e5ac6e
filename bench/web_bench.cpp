// Throughput of the scraping routines on a result page of 2,000 rows (about 2 MB) and of
// find on 2 MB of GBK text, each beside a floor over the same bytes in the same run: the
// same walk done with plain memchr-based searching (std::string_view::find), std::search,
// and one memchr pass. Not a test: run it by hand and read the ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "web/markers.h"
#include "web/text_ops.h"

namespace {

volatile std::size_t g_sink;  // keeps the measured work from being optimised away

double BestSeconds(const std::function<void()>& work) {
  double best = 1e9;
  for (int run = 0; run < 7; ++run) {
    // <chrono> cannot be compiled with the GBK execution charset (its micro sign).
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    best = std::min(best, static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
  }
  return best;
}

std::string GbkCharacter(unsigned seed) {  // one GB2312 hanzi: lead B0..D7, trail A1..FE
  return {static_cast<char>(0xB0 + seed % 40), static_cast<char>(0xA1 + (seed / 40) % 94)};
}

std::string ResultPage(int rows) {
  std::string page = "<html><head><title>查询结果</title></head><body><table class=\"list\">\n";
  for (int i = 0; i < rows; ++i) {
    std::string name;
    for (unsigned k = 0; k < 4; ++k) name += GbkCharacter(i * 7u + k * 13u);
    std::string row = "<tr class=\"Row\" onmouseover=\"this.className='hover'\">";
    row += "<td class=\"name\">" + name + "有限公司</td>";
    row += "<td class=\"date\">2023年01月" + std::to_string(10 + i % 18) + "日</td>";
    row += "<td class=\"case\">（2023）京0105执" + std::to_string(1000 + i) + "号</td>";
    row += "<td><a href=\"javascript:void(0);\" id=\"" + std::to_string(900000 + i) + "\">查看</a></td>";
    while (row.size() < 1040) row += "<span style=\"display:none\">说明文字 notes " + GbkCharacter(i + row.size()) + "</span>";
    page += row + "</tr>\n";
  }
  return page + "</table></body></html>";
}

std::string GbkText(std::size_t bytes) {
  std::string text;
  text.reserve(bytes + 16);
  for (unsigned i = 0; text.size() < bytes; ++i) {
    text += GbkCharacter(i * 2654435761u >> 7);
    if (i % 37 == 0) text += ", ";
  }
  return text;
}

void Report(const char* what, std::size_t bytes, double seconds, double floorSeconds, const char* floorName) {
  const double mb = bytes / (1024.0 * 1024.0);
  std::printf("%-44s %8.1f MB/s   floor %-26s %8.1f MB/s   ratio %.2f\n", what, mb / seconds, floorName,
              mb / floorSeconds, seconds / floorSeconds);
}

}  // namespace

int main() {
  const std::string page = ResultPage(2000);
  const std::string left = "<td class=\"name\">", right = "</td>";
  std::printf("result page: %zu bytes, 2000 rows\n", page.size());

  TextArray items;
  const double between = BestSeconds([&] { g_sink = TextBetweenAll(page, left, right, items); });
  const double betweenExact = BestSeconds([&] { g_sink = TextBetweenAll(page, left, right, items, true); });
  std::printf("items found: %zu\n", items.size());
  const double walkFloor = BestSeconds([&] {
    const std::string_view view = page;
    std::vector<std::string> found;
    for (std::size_t pos = 0;;) {
      const std::size_t l = view.find(left, pos);
      if (l == std::string_view::npos) break;
      const std::size_t r = view.find(right, l + left.size());
      if (r == std::string_view::npos) break;
      found.emplace_back(view.substr(l + left.size(), r - l - left.size()));
      pos = r;
    }
    g_sink = found.size();
  });
  const double memchrFloor = BestSeconds([&] {
    std::size_t count = 0;
    for (const char* p = page.data(); (p = static_cast<const char*>(std::memchr(p, '<', page.data() + page.size() - p)));
         ++p)
      ++count;
    g_sink = count;
  });
  Report("TextBetweenAll (markers in any case)", page.size(), between, walkFloor, "string_view::find walk");
  Report("TextBetweenAll (case-sensitive)", page.size(), betweenExact, walkFloor, "string_view::find walk");
  Report("TextBetweenAll (markers in any case)", page.size(), between, memchrFloor, "memchr of '<'");

  const std::string text = GbkText(2 * 1024 * 1024);
  const std::string word = "\xD6\xD0\xCE\xC4";  // 中文, placed once at the very end
  const std::string haystack = text + word;
  std::printf("GBK text: %zu bytes\n", haystack.size());
  const double find = BestSeconds([&] { g_sink = FindText(haystack, word); });
  const double searchFloor =
      BestSeconds([&] { g_sink = std::search(haystack.begin(), haystack.end(), word.begin(), word.end()) - haystack.begin(); });
  const double viewFloor = BestSeconds([&] { g_sink = std::string_view(haystack).find(word); });
  Report("FindText (a hanzi word at the end)", haystack.size(), find, searchFloor, "std::search");
  Report("FindText (a hanzi word at the end)", haystack.size(), find, viewFloor, "string_view::find");

  const std::string ascii = haystack + "Veradin";
  const double findAscii = BestSeconds([&] { g_sink = FindText(ascii, "veradin", 1, true); });
  const double asciiFloor = BestSeconds([&] { g_sink = std::string_view(ascii).find("Veradin"); });
  Report("FindText (ASCII word, case ignored)", ascii.size(), findAscii, asciiFloor, "string_view::find");
  const double last = BestSeconds([&] { g_sink = FindLastText(haystack, word); });
  Report("FindLastText (the same word)", haystack.size(), last, viewFloor, "string_view::find");
  return 0;
}
