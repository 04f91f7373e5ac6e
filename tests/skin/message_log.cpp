#include "tests/skin/message_log.h"

#include <cstdio>
#include <map>

namespace {

MessageLog* g_log = nullptr;

// The next procedure of each logging procedure, per window. They outlive a log: the engine
// keeps the procedure under its own as the one it hands messages to.
std::map<HWND, WNDPROC>& Next(Via via) {
  static std::map<HWND, WNDPROC> under, over;
  return via == Via::Passed ? under : over;
}

LRESULT Forward(Via via, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& next = Next(via);
  const auto it = next.find(window);
  const WNDPROC proc = it == next.end() ? nullptr : it->second;
  if (message == WM_NCDESTROY && it != next.end()) next.erase(it);
  if (g_log) g_log->Add({window, via, message, wParam, lParam, {}, nullptr});
  return proc ? CallWindowProcW(proc, window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK UnderProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return Forward(Via::Passed, w, m, wp, lp); }
LRESULT CALLBACK OverProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return Forward(Via::Sent, w, m, wp, lp); }

// Import-table slots of this executable that hold the given function.
std::vector<void**> SlotsOf(void* function) {
  std::vector<void**> slots;
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress || !function) return slots;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); t->u1.Function; ++t) {
      if (reinterpret_cast<void*>(t->u1.Function) == function) slots.push_back(reinterpret_cast<void**>(&t->u1.Function));
    }
  }
  return slots;
}

void Write(void** slot, void* value) {
  DWORD old = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return;
  *slot = value;
  VirtualProtect(slot, sizeof *slot, old, &old);
}

// One function of a system DLL replaced in the import table while a log runs.
struct Patch {
  const wchar_t* dll;
  const char* name;
  void* replacement;
  void* original;
  std::vector<void**> slots;
};

// The system's functions, in the order of Patches().
enum Hooked { kDefProc, kBitBlt, kPatBlt, kStretchBlt, kTransparentBlt, kHooked };
void* g_original[kHooked] = {};

template <typename F>
F Original(Hooked which) {
  return reinterpret_cast<F>(g_original[which]);
}

using DefProc = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
using BitBltProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, DWORD);
using PatBltProc = BOOL(WINAPI*)(HDC, int, int, int, int, DWORD);
using StretchProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, DWORD);
using KeyedProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

void LogPixels(HDC dc, int x, int y, int w, int h) {
  if (!g_log) return;
  if (HWND window = WindowFromDC(dc)) g_log->Add({window, Via::Pixels, 0, 0, 0, RECT{x, y, x + w, y + h}, nullptr});
}

LRESULT WINAPI LoggedDefProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_log) {
    Logged entry{window, Via::Default, message, wParam, lParam, {}, nullptr};
    if (message == WM_NCPAINT && wParam > 1) {
      HRGN copy = CreateRectRgn(0, 0, 0, 0);
      if (copy && CombineRgn(copy, reinterpret_cast<HRGN>(wParam), nullptr, RGN_COPY) != ERROR) {
        entry.region.reset(copy, [](void* r) { DeleteObject(static_cast<HGDIOBJ>(r)); });
      } else if (copy) {
        DeleteObject(copy);
      }
    }
    g_log->Add(std::move(entry));
  }
  return Original<DefProc>(kDefProc)(window, message, wParam, lParam);
}

BOOL WINAPI LoggedBitBlt(HDC d, int x, int y, int w, int h, HDC s, int sx, int sy, DWORD rop) {
  LogPixels(d, x, y, w, h);
  return Original<BitBltProc>(kBitBlt)(d, x, y, w, h, s, sx, sy, rop);
}

BOOL WINAPI LoggedPatBlt(HDC d, int x, int y, int w, int h, DWORD rop) {
  LogPixels(d, x, y, w, h);
  return Original<PatBltProc>(kPatBlt)(d, x, y, w, h, rop);
}

BOOL WINAPI LoggedStretchBlt(HDC d, int x, int y, int w, int h, HDC s, int sx, int sy, int sw, int sh, DWORD rop) {
  LogPixels(d, x, y, w, h);
  return Original<StretchProc>(kStretchBlt)(d, x, y, w, h, s, sx, sy, sw, sh, rop);
}

BOOL WINAPI LoggedTransparentBlt(HDC d, int x, int y, int w, int h, HDC s, int sx, int sy, int sw, int sh, UINT key) {
  LogPixels(d, x, y, w, h);
  return Original<KeyedProc>(kTransparentBlt)(d, x, y, w, h, s, sx, sy, sw, sh, key);
}

std::vector<Patch>& Patches() {
  static std::vector<Patch> patches{
      {L"user32.dll", "DefWindowProcW", reinterpret_cast<void*>(LoggedDefProc), nullptr, {}},
      {L"gdi32.dll", "BitBlt", reinterpret_cast<void*>(LoggedBitBlt), nullptr, {}},
      {L"gdi32.dll", "PatBlt", reinterpret_cast<void*>(LoggedPatBlt), nullptr, {}},
      {L"gdi32.dll", "StretchBlt", reinterpret_cast<void*>(LoggedStretchBlt), nullptr, {}},
      {L"msimg32.dll", "TransparentBlt", reinterpret_cast<void*>(LoggedTransparentBlt), nullptr, {}},
  };
  return patches;
}

void Install() {
  for (int i = 0; i < kHooked; ++i) {
    Patch& p = Patches()[i];
    HMODULE dll = LoadLibraryW(p.dll);  // already loaded: the executable imports it
    p.original = dll ? reinterpret_cast<void*>(GetProcAddress(dll, p.name)) : nullptr;
    g_original[i] = p.original;
    p.slots = SlotsOf(p.original);
    for (void** slot : p.slots) Write(slot, p.replacement);
  }
}

void Uninstall() {
  for (Patch& p : Patches()) {
    for (void** slot : p.slots) Write(slot, p.original);
    p.slots.clear();
  }
}

const char* ViaName(Via via) {
  switch (via) {
    case Via::Sent: return "sent   ";
    case Via::Passed: return "passed ";
    case Via::Default: return "default";
    case Via::Pixels: return "pixels ";
  }
  return "?";
}

std::string MessageName(UINT message) {
  static const std::map<UINT, const char*> names{
      {WM_MOVE, "WM_MOVE"},           {WM_SIZE, "WM_SIZE"},
      {WM_SETFOCUS, "WM_SETFOCUS"},   {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_SETTEXT, "WM_SETTEXT"},     {WM_PAINT, "WM_PAINT"},
      {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_CANCELMODE, "WM_CANCELMODE"},
      {WM_NCHITTEST, "WM_NCHITTEST"}, {WM_NCPAINT, "WM_NCPAINT"},
      {WM_NCACTIVATE, "WM_NCACTIVATE"}, {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
      {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_HSCROLL, "WM_HSCROLL"},
      {WM_VSCROLL, "WM_VSCROLL"},     {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"}, {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
      {WM_MOUSELEAVE, "WM_MOUSELEAVE"}, {WM_DRAWITEM, "WM_DRAWITEM"},
  };
  const auto it = names.find(message);
  if (it != names.end()) return it->second;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%04x", message);
  return hex;
}

bool Names(const Expect& e, const Logged& l) {
  return e.window == l.window && e.via == l.via && (e.via == Via::Pixels || e.message == l.message);
}

bool Matches(const Expect& e, const Logged& l) {
  return Names(e, l) && (!(e.flags & kWParam) || e.wParam == l.wParam) && (!(e.flags & kLParam) || e.lParam == l.lParam) &&
         (!(e.flags & kNonZeroW) || l.wParam != 0);
}

}  // namespace

MessageLog::MessageLog() {
  if (!g_log) Install();
  g_log = this;
}

MessageLog::~MessageLog() {
  for (auto& [window, name] : names_) {
    auto& over = Next(Via::Sent);
    const auto it = over.find(window);
    if (it != over.end() && IsWindow(window) &&
        GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(OverProc)) {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second));
      over.erase(it);
    }
  }
  g_log = nullptr;
  Uninstall();
}

void MessageLog::Under(HWND window, const char* name) {
  names_.emplace_back(window, name);
  Next(Via::Passed)[window] =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UnderProc)));
}

void MessageLog::Over(HWND window) {
  Next(Via::Sent)[window] =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OverProc)));
}

void MessageLog::Add(Logged entry) {
  for (const auto& named : names_) {
    if (named.first == entry.window) {
      entries_.push_back(std::move(entry));
      return;
    }
  }
}

std::string MessageLog::NameOf(HWND window) const {
  for (const auto& [w, name] : names_) {
    if (w == window) return name;
  }
  return "?";
}

std::vector<Logged> MessageLog::Of(HWND window, Via via, UINT message) const {
  std::vector<Logged> found;
  for (const Logged& l : entries_) {
    if (l.window == window && l.via == via && (via == Via::Pixels || l.message == message)) found.push_back(l);
  }
  return found;
}

bool MessageLog::Saw(HWND window, Via via, UINT message, WPARAM wParam, LPARAM lParam) const {
  for (const Logged& l : Of(window, via, message)) {
    if (l.wParam == wParam && l.lParam == lParam) return true;
  }
  return false;
}

void MessageLog::ExpectSequence(const std::vector<Expect>& table, const std::string& what) const {
  // Only what the table names is compared: the rest is the system's business.
  std::vector<const Logged*> seen;
  for (const Logged& l : entries_) {
    for (const Expect& e : table) {
      if (Names(e, l)) {
        seen.push_back(&l);
        break;
      }
    }
  }
  std::string fault;
  std::vector<bool> used(seen.size(), false);
  for (const Expect& e : table) {
    if (!(e.flags & (kAnywhere | kNever))) continue;
    int count = 0;
    for (size_t j = 0; j < seen.size(); ++j) {
      if (!used[j] && ((e.flags & kNever) ? Names(e, *seen[j]) : Matches(e, *seen[j]))) {
        used[j] = true;
        ++count;
      }
    }
    const bool ok = (e.flags & kNever) ? count == 0 : (count >= 1 || (e.flags & kMay)) && (count <= 1 || (e.flags & kMany));
    if (!ok && fault.empty()) {
      fault = NameOf(e.window) + " " + ViaName(e.via) + " " + MessageName(e.message) + " came " + std::to_string(count) + " times";
    }
  }
  std::vector<const Logged*> ordered;
  for (size_t j = 0; j < seen.size(); ++j) {
    if (!used[j]) ordered.push_back(seen[j]);
  }
  size_t j = 0;
  for (const Expect& e : table) {
    if (e.flags & (kAnywhere | kNever) || !fault.empty()) continue;
    if (j < ordered.size() && Matches(e, *ordered[j])) {
      ++j;
      while ((e.flags & kMany) && j < ordered.size() && Matches(e, *ordered[j])) ++j;
    } else if (!(e.flags & kMay)) {
      fault = "expected " + NameOf(e.window) + " " + ViaName(e.via) + " " + MessageName(e.message) + " at entry " +
              std::to_string(j);
    }
  }
  if (fault.empty() && j != ordered.size()) fault = "unexpected entry " + std::to_string(j);
  if (fault.empty()) return;
  std::string dump = what + ": " + fault + "\n  expected:\n";
  for (const Expect& e : table) {
    char line[160];
    std::snprintf(line, sizeof line, "    %-6s %s %-18s flags %02x w %llx l %llx\n", NameOf(e.window).c_str(), ViaName(e.via),
                  MessageName(e.message).c_str(), e.flags, static_cast<unsigned long long>(e.wParam),
                  static_cast<unsigned long long>(e.lParam));
    dump += line;
  }
  dump += "  logged (the watched windows' first 300 entries):\n";
  for (size_t n = 0; n < entries_.size() && n < 300; ++n) {
    const Logged& l = entries_[n];
    char line[160];
    if (l.via == Via::Pixels) {
      std::snprintf(line, sizeof line, "    %-6s %s (%ld,%ld)-(%ld,%ld)\n", NameOf(l.window).c_str(), ViaName(l.via),
                    l.pixels.left, l.pixels.top, l.pixels.right, l.pixels.bottom);
    } else {
      std::snprintf(line, sizeof line, "    %-6s %s %-18s w %llx l %llx\n", NameOf(l.window).c_str(), ViaName(l.via),
                    MessageName(l.message).c_str(), static_cast<unsigned long long>(l.wParam),
                    static_cast<unsigned long long>(l.lParam));
    }
    dump += line;
  }
  ADD_FAILURE() << dump;
}
