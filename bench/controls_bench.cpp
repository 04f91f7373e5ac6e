// The skinned result list against a plain list view of the program's shape (owner data, four
// columns, grid lines, the program's font, 2,000 rows): page, line and wheel steps, each sent
// and painted at once, in interleaved rounds; and the hovered 查询 against a copy of its size
// to the screen. Not a test: it prints medians, ratios and the engine's counters per step.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_window.h"
#include "runtime/embedded.h"
#include "runtime/fonts.h"
#include "runtime/gdiplus_session.h"
#include "skin/skin.h"

namespace {

constexpr int kRows = 2000;
constexpr int kRounds = 5, kStepsPerRound = 12;
const FontSpec kListFont{"YaHei Consolas Hybrid", 16, Pitch::FixedModern};

// The parent answers the list's requests for its rows, as the program's window does.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
    if (info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT)) {
      static wchar_t text[64];
      const int row = info->item.iItem;
      switch (info->item.iSubItem) {
        case 0: swprintf(text, 64, L"测试人员%d", row); break;
        case 1: swprintf(text, 64, L"2014-03-%02d", row % 28 + 1); break;
        case 2: swprintf(text, 64, L"(2014)京执字第%05d号", row); break;
        default: swprintf(text, 64, L"查看"); break;
      }
      info->item.pszText = text;
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* ParentClass() {
  static const wchar_t* name = BenchClass(L"VeradinBenchListParent", ParentProc, true);
  return name;
}

struct ListWindow {
  HWND window = nullptr, list = nullptr, button = nullptr;
  UniqueFont font;
};

void MakeListWindow(ListWindow& b, int x) {
  b.window = CreateWindowExW(0, ParentClass(), L"bench", WS_POPUP | WS_MINIMIZEBOX | WS_CLIPSIBLINGS, x, 60, 593,
                             522, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  b.button = CreateWindowExW(0, L"Button", L"查询", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 447, 60, 136, 25, b.window,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  b.list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_AUTOARRANGE | LVS_OWNERDATA, 5, 88,
                           584, 406, b.window, nullptr, GetModuleHandleW(nullptr), nullptr);
  b.font = CreateUnitFont(kListFont);
  SendMessageW(b.list, WM_SETFONT, reinterpret_cast<WPARAM>(b.font.get()), TRUE);
  SendMessageW(b.list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP);
  const wchar_t* titles[] = {L"被执行人\\单位名", L"立案时间", L"案号", L"详细信息"};
  const int widths[] = {230, 100, 150, 100};
  for (int c = 0; c < 4; ++c) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(titles[c]);
    column.cx = widths[c];
    SendMessageW(b.list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  SendMessageW(b.list, LVM_SETITEMCOUNT, kRows, 0);
}

void ShowNow(HWND window) {
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
}

using Step = std::function<void(HWND list)>;

struct StepResult {
  std::vector<double> times;
  PaintCounters counters;
  int steps = 0;
};

// kStepsPerRound steps from the top, each sent and painted before the next one.
void RunSteps(HWND list, const Step& step, StepResult& result) {
  SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  UpdateWindow(list);
  Pump();
  const PaintCounters before = ReadPaintCounters();
  for (int i = 0; i < kStepsPerRound; ++i) {
    const double start = Now();
    step(list);
    UpdateWindow(list);
    result.times.push_back(Now() - start);
  }
  result.counters = result.counters + (ReadPaintCounters() - before);
  result.steps += kStepsPerRound;
  Pump();
}

int PaintsPerStep(HWND list, const Step& step) {
  SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  UpdateWindow(list);
  Pump();
  PaintMessageCount count(list);
  for (int i = 0; i < kStepsPerRound; ++i) {
    step(list);
    UpdateWindow(list);
  }
  return count.Paints();
}

void CompareSteps(const char* name, const Step& step, HWND plain, HWND skinned) {
  StepResult p, s;
  for (int round = 0; round < kRounds; ++round) {
    // Alternate which goes first, so that neither gains from the other's warm caches.
    if (round % 2) {
      RunSteps(plain, step, p);
      RunSteps(skinned, step, s);
    } else {
      RunSteps(skinned, step, s);
      RunSteps(plain, step, p);
    }
  }
  const double mp = Median(p.times), ms = Median(s.times);
  std::printf("%-11s skinned %7.3f ms, plain %7.3f ms, ratio %5.2f\n", name, ms * 1e3, mp * 1e3, ms / mp);
  PrintCounters(s.counters, s.steps);
  std::printf("    paint messages per step: skinned %.2f, plain %.2f\n",
              PaintsPerStep(skinned, step) / static_cast<double>(kStepsPerRound),
              PaintsPerStep(plain, step) / static_cast<double>(kStepsPerRound));
}

void WheelNotch(HWND list) {
  RECT r{};
  GetWindowRect(list, &r);
  SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
               MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

// Messages of the kinds a frame change brings, as the list, its header and its parent get them.
void PrintFrameMessages(const MessageCount& count, const char* name, const HWND (&windows)[3], int steps) {
  static const char* const who[] = {"list", "header", "parent"};
  static const std::pair<UINT, const char*> kinds[] = {
      {WM_NCCALCSIZE, "nccalc"}, {WM_NCPAINT, "ncpaint"}, {WM_ERASEBKGND, "erase"}, {WM_PAINT, "paint"},
      {WM_STYLECHANGED, "style"}, {WM_WINDOWPOSCHANGED, "posch"}, {WM_SIZE, "size"}, {WM_HSCROLL, "hscroll"}, {WM_VSCROLL, "vscroll"}, {WM_NOTIFY, "notify"}};
  std::printf("    %s messages per step:", name);
  for (int w = 0; w < 3; ++w) {
    std::printf(" %s", who[w]);
    for (const auto& [message, kind] : kinds) {
      if (const int n = count.Of(windows[w], message)) std::printf(" %s %.1f", kind, n / static_cast<double>(steps));
    }
    std::printf(";");
  }
  std::printf("\n");
}

// The row count handed over as the program does it (the list emptied first, then the new
// count without scrolling and the list invalidated), painted at once; for `rows` rows.
double HandOver(HWND list, int rows) {
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  UpdateWindow(GetParent(list));
  Pump();
  const double start = Now();
  SendMessageW(list, LVM_SETITEMCOUNT, rows, LVSICF_NOSCROLL);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  Pump();
  return Now() - start;
}

// Each list takes 10 rows and 2,000 rows in turn, in interleaved rounds.
void CompareHandOver(const ListWindow& plain, const ListWindow& skinned) {
  std::vector<double> times[2][2];  // [skinned][2,000 rows]
  PaintCounters counters[2];        // the skinned list's, for 10 and 2,000 rows
  for (int round = 0; round < kRounds * 2; ++round) {
    for (int big = 0; big < 2; ++big) {
      const int rows = big ? kRows : 10;
      const PaintCounters before = ReadPaintCounters();
      times[1][big].push_back(HandOver(skinned.list, rows));
      counters[big] = counters[big] + (ReadPaintCounters() - before);
      times[0][big].push_back(HandOver(plain.list, rows));
    }
  }
  for (int skin = 1; skin >= 0; --skin) {
    const double small = Median(times[skin][0]), large = Median(times[skin][1]);
    std::printf("row count %s: 10 rows %.3f ms, %d rows %.3f ms, ratio %.2f\n", skin ? "skinned" : "plain  ",
                small * 1e3, kRows, large * 1e3, large / small);
  }
  std::printf("    skinned 10 rows:");
  PrintCounters(counters[0], kRounds * 2);
  std::printf("    skinned %d rows:", kRows);
  PrintCounters(counters[1], kRounds * 2);
  for (const ListWindow* w : {&skinned, &plain}) {
    const HWND windows[3] = {w->list, reinterpret_cast<HWND>(SendMessageW(w->list, LVM_GETHEADER, 0, 0)), w->window};
    MessageCount count({WM_NCCALCSIZE, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT, WM_STYLECHANGED, WM_WINDOWPOSCHANGED,
                        WM_SIZE, WM_HSCROLL, WM_VSCROLL, WM_NOTIFY});
    for (int i = 0; i < kRounds; ++i) HandOver(w->list, kRows);
    PrintFrameMessages(count, w == &skinned ? "skinned 2,000 rows" : "plain 2,000 rows", windows, kRounds);
  }
  HandOver(skinned.list, kRows);
  HandOver(plain.list, kRows);
}

// The skinned button painted hot and plain in turn by the mouse's arrival and leave, against
// a window DC taken, a copy of the button's size and the DC released.
void CompareHover(HWND button) {
  RECT r{};
  GetWindowRect(button, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(button);
  HDC copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(copy, bitmap);
  ReleaseDC(button, screen);
  std::vector<double> hover, blit;
  PaintCounters counters;
  int steps = 0;
  for (int round = 0; round < kRounds; ++round) {
    const PaintCounters before = ReadPaintCounters();
    for (int i = 0; i < kStepsPerRound; ++i) {
      double start = Now();
      SendMessageW(button, i % 2 ? WM_MOUSELEAVE : WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
      GdiFlush();
      hover.push_back(Now() - start);
      start = Now();
      HDC dc = GetWindowDC(button);
      BitBlt(dc, 0, 0, w, h, copy, 0, 0, SRCCOPY);
      ReleaseDC(button, dc);
      GdiFlush();
      blit.push_back(Now() - start);
    }
    counters = counters + (ReadPaintCounters() - before);
    steps += kStepsPerRound;
    Pump();  // the leave notices the tracking posted
  }
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  const double mh = Median(hover), mb = Median(blit);
  std::printf("%-11s skinned %7.3f ms, copy %7.3f ms, ratio %5.2f\n", "hover Query", mh * 1e3, mb * 1e3, mh / mb);
  PrintCounters(counters, steps);
}

}  // namespace

int main() {
  StartGdiplus();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  SkinEngine skin;
  const auto picture = EmbeddedBytes(L"SKIN_IMAGE");
  skin.SetSkinImage({}, std::vector<std::uint8_t>(picture.begin(), picture.end()), RGB(0, 0, 0), RGB(255, 255, 255), 3);
  skin.SetControlVeil(true, 100);

  ListWindow plain, skinned;
  MakeListWindow(plain, 20);
  MakeListWindow(skinned, 660);
  ShowNow(plain.window);
  skin.ApplySkin(skinned.window, 25);
  ShowNow(skinned.window);

  std::printf("result list, %d rows, median of %d steps:\n", kRows, kRounds * kStepsPerRound);
  CompareSteps("page down", [](HWND l) { SendMessageW(l, WM_VSCROLL, SB_PAGEDOWN, 0); }, plain.list, skinned.list);
  CompareSteps("line down", [](HWND l) { SendMessageW(l, WM_VSCROLL, SB_LINEDOWN, 0); }, plain.list, skinned.list);
  CompareSteps("wheel notch", WheelNotch, plain.list, skinned.list);
  CompareHover(skinned.button);
  CompareHandOver(plain, skinned);

  DestroyWindow(skinned.window);
  DestroyWindow(plain.window);
  return 0;
}
