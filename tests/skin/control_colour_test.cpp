// What the parent side of WM_CTLCOLOR* leaves behind, the place of an edit's client area
// beside a scroll bar, and the messages a skinned list passes on to its own procedure.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "skin/backdrop.h"
#include "skin/window_parts.h"
#include "tests/skin/gdi_objects.h"
#include "tests/skin/skin_fixture.h"

namespace {

std::vector<SeenMessage> g_passedOn;
WNDPROC g_listProc = nullptr;

// Sits under the engine: records what the engine passes on to the list's own procedure.
LRESULT CALLBACK RecordingListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCPAINT || message == WM_PAINT || message == WM_ERASEBKGND || message == WM_VSCROLL ||
      message == WM_MOUSEMOVE || message == WM_MOUSELEAVE) {
    g_passedOn.push_back({window, message, wParam, lParam});
  }
  return CallWindowProcW(g_listProc, window, message, wParam, lParam);
}

struct Expected {
  UINT message;
  bool optional;
  enum { AnyWParam, ZeroWParam, NonZeroWParam } wParam;
};

// Wine's message-sequence check: the messages in order, optional ones may be missing; on a
// mismatch the whole sequence is printed.
void ExpectSequence(const std::vector<SeenMessage>& seen, const std::vector<Expected>& expected, const char* what) {
  size_t i = 0;
  bool ok = true;
  for (const Expected& e : expected) {
    const bool matches = i < seen.size() && seen[i].message == e.message &&
                         (e.wParam == Expected::AnyWParam || (e.wParam == Expected::ZeroWParam) == (seen[i].wParam == 0));
    if (matches) {
      ++i;
    } else if (!e.optional) {
      ok = false;
      break;
    }
  }
  ok = ok && i == seen.size();
  if (!ok) {
    std::string dump;
    for (const SeenMessage& m : seen) dump += std::to_string(m.message) + "(" + std::to_string(m.wParam) + ") ";
    ADD_FAILURE() << what << ": " << dump;
  }
}

}  // namespace

TEST_F(SkinTest, ControlsThatComeAndGoLeaveNoBrushesOrProperties) {
  TestWindow window(300, 200);
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  const auto comeAndGo = [&](const wchar_t* cls, UINT colourMessage) {
    HWND control = window.AddChild(cls, 10, 40, 120, 24);
    HDC dc = GetDC(control);
    SendMessageW(window.Get(), colourMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    ReleaseDC(control, dc);
    Skin().SetEditTextColor(control, RGB(10, 20, 30));
    DestroyWindow(control);
  };
  comeAndGo(L"Static", WM_CTLCOLORSTATIC);  // GDI+ and GDI make their lasting objects once
  const std::size_t before = LiveGdiObjects();
  for (int i = 0; i < 200; ++i) {
    comeAndGo(L"Static", WM_CTLCOLORSTATIC);
    comeAndGo(L"Button", WM_CTLCOLORBTN);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
  EXPECT_TRUE(RecordOf(window.Get()).brushes.empty());
  EXPECT_TRUE(Engine().textColours.empty());
}

TEST_F(SkinTest, EditClientAreaBesideItsScrollBarIsWhereTheSystemPutIt) {
  TestWindow window(300, 200);
  HWND edit = window.AddChild(L"Edit", 10, 40, 150, 80, ES_MULTILINE | WS_VSCROLL, WS_EX_CLIENTEDGE);
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetScrollBarInfo(edit, OBJID_VSCROLL, &bar));
  RECT outer{};
  GetWindowRect(edit, &outer);
  const RECT area = ClientRectInWindow(edit);
  const int edge = GetSystemMetrics(SM_CXEDGE);
  EXPECT_EQ(area.left, edge);
  EXPECT_EQ(area.right, bar.rcScrollBar.left - outer.left) << "bar " << bar.rcScrollBar.right - bar.rcScrollBar.left;
}

TEST_F(SkinTest, SkinnedListPassesOnItsMessagesButNotTheFrame) {
  TestWindow window(400, 300);
  HWND list = window.AddChild(WC_LISTVIEWW, 10, 40, 300, 200, LVS_REPORT, WS_EX_CLIENTEDGE);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 120;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageW(list, LVM_SETITEMCOUNT, 500, 0);
  for (int i = 0; i < 500; ++i) {
    LVITEMW item{};
    item.iItem = i;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  g_listProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingListProc)));
  Skin().ApplySkin(window.Get(), 25);
  UpdateWindow(window.Get());
  Pump();

  struct Step {
    const char* what;
    void (*act)(HWND);
    std::vector<Expected> passedOn;
  };
  const Step steps[] = {
      {"frame", [](HWND l) { SendMessageW(l, WM_NCPAINT, 1, 0); }, {}},
      {"line down",
       [](HWND l) {
         SendMessageW(l, WM_VSCROLL, SB_LINEDOWN, 0);
         UpdateWindow(l);
       },
       // The rows are painted into the engine's picture, never straight to the screen.
       {{WM_VSCROLL, false, Expected::AnyWParam},
        {WM_NCPAINT, true, Expected::AnyWParam},
        {WM_ERASEBKGND, true, Expected::AnyWParam},
        {WM_PAINT, false, Expected::NonZeroWParam}}},
      {"hover",
       [](HWND l) {
         SendMessageW(l, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
         SendMessageW(l, WM_MOUSELEAVE, 0, 0);
       },
       {{WM_MOUSEMOVE, false, Expected::AnyWParam}, {WM_MOUSELEAVE, false, Expected::AnyWParam}}},
  };
  for (const Step& s : steps) {
    g_passedOn.clear();
    s.act(list);
    ExpectSequence(g_passedOn, s.passedOn, s.what);
  }
}
