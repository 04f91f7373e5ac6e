// What the history window asks of the journal to show its first screen (the matching ids,
// newest first, and the summaries of the 30 rows that fit), over 10,000 entries beside 100
// entries written the same way. Each entry is a search with ten result rows, as the program
// writes them. The filled files are kept in the temporary folder and reused by later runs.
// Not a test: run it by hand and read the ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "journal/journal.h"

namespace {

constexpr int kVisibleRows = 30;

double MedianSeconds(const std::function<void()>& work) {
  std::vector<double> runs;
  for (int run = 0; run < 9; ++run) {
    // <chrono> cannot be compiled with the GBK execution charset (its micro sign).
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    runs.push_back(static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

std::string AtUtc(int i) {  // one entry every ten minutes from 2026-01-01
  char text[32];
  const int minutes = i * 10;
  std::snprintf(text, sizeof text, "2026-%02d-%02dT%02d:%02d:00.000Z", 1 + minutes / (60 * 24 * 28) % 12,
                1 + minutes / (60 * 24) % 28, minutes / 60 % 24, minutes % 60);
  return text;
}

SearchEntry Entry(int i) {
  SearchEntry e;
  e.atUtc = AtUtc(i);
  e.name = "\xE5\xBC\xA0\xE4\xB8\x89" + std::to_string(i % 500);  // 张三<n>
  e.idNumber = i % 3 ? "" : "11010519491231002X";
  e.host = "127.0.0.1:8080";
  e.total = 10;
  e.outcome = "rows";
  e.replySha256 = std::string(64, 'a');
  for (int r = 0; r < 10; ++r) {
    e.rows.push_back({e.name + "\xE5\x85\xAC\xE5\x8F\xB8" + std::to_string(r), "2023-01-10",  // 公司
                      "(2023)\xE4\xBA\xAC" + std::to_string(1000 + i * 10 + r)});               // 京
  }
  return e;
}

std::unique_ptr<Journal> Filled(int entries) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"veradin_history_bench_" + std::to_wstring(entries) + L".db";
  auto opened = Journal::Open(path);
  if (!opened.journal) return nullptr;
  auto journal = std::move(opened.journal);
  if (journal->CountEntries() != entries) {
    journal->Clear();
    std::printf("  writing %d entries (once; kept in %ls)...\n", entries, path.c_str());
    for (int i = 0; i < entries; ++i) {
      SearchEntry e = Entry(i);
      if (!journal->AddSearch(e)) return nullptr;
    }
  }
  return journal;
}

// The first screen: the ids that match and the summaries of the rows that fit. Gives how
// many ids matched.
std::size_t FirstScreen(Journal& journal, const SearchFilter& filter) {
  const auto ids = journal.FindSearches(filter);
  for (std::size_t i = 0; i < ids.size() && i < kVisibleRows; ++i) journal.ReadSearch(ids[i], false);
  return ids.size();
}

}  // namespace

int main() {
  auto small = Filled(100);
  auto large = Filled(10000);
  if (!small || !large) {
    std::printf("history_bench: the journals could not be written\n");
    return 1;
  }
  struct Case {
    const char* what;
    SearchFilter filter;
  };
  const Case cases[] = {
      {"no filter", {}},
      {"text in a row's case number", {"\xE4\xBA\xAC" "1000", "", ""}},
      {"text matching nothing", {"no such party", "", ""}},
      {"eight hours' dates", {"", "2026-01-01T00:00:00.000Z", "2026-01-01T08:00:00.000Z"}},
  };
  std::printf("history window's first screen (ids + %d summaries): 10,000 entries / 100 entries\n", kVisibleRows);
  for (const Case& c : cases) {
    std::size_t smallIds = 0, largeIds = 0;
    const double smallTime = MedianSeconds([&] { smallIds = FirstScreen(*small, c.filter); });
    const double largeTime = MedianSeconds([&] { largeIds = FirstScreen(*large, c.filter); });
    std::printf("  %-30s %8.2f ms / %6.2f ms = %6.1fx   ids %zu / %zu, summaries read %zu / %zu\n", c.what,
                largeTime * 1e3, smallTime * 1e3, largeTime / smallTime, largeIds, smallIds,
                std::min<std::size_t>(largeIds, kVisibleRows), std::min<std::size_t>(smallIds, kVisibleRows));
  }
  return 0;
}
