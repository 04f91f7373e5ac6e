// The messages the engine's procedures pass on, hand to the system and answer with pixels,
// in order, for the list's frame and scroll steps, the caption, and the focus and hover of
// the controls. Only what the behaviour needs is pinned; what Wine adds around it is ignored
// or marked as allowed.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/skin/message_log.h"
#include "tests/skin/skin_fixture.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

void MoveCursorAway() { SetCursorPos(5, 1000); }

void PutCursorOver(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// A report list of the given rows; a column wider than the list brings the horizontal bar.
HWND ReportList(TestWindow& window, int x, int y, int rows, int columnWidth) {
  HWND list = window.AddChild(WC_LISTVIEWW, x, y, 300, 180, LVS_REPORT, WS_EX_CLIENTEDGE);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = columnWidth;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < rows; ++i) {
    LVITEMW item{};
    item.iItem = i;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  return list;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class MessageSequenceTest : public SkinTest {
 protected:
  // Logs the window and the given children on both sides of the engine, which skins them.
  void SkinLogged(TestWindow& window, std::initializer_list<std::pair<HWND, const char*>> children) {
    log_.Under(window.Get(), "frame");
    for (const auto& [child, name] : children) log_.Under(child, name);
    Skin().ApplySkin(window.Get(), 25);
    log_.Over(window.Get());
    for (const auto& [child, name] : children) log_.Over(child);
    MoveCursorAway();
    UpdateWindow(window.Get());
    Pump();
    log_.Clear();
  }
  // Nothing of a control's step repaints the whole skinned window.
  std::vector<Expect> FrameUntouched(HWND frame) {
    return {{frame, Via::Sent, WM_PAINT, kNever}, {frame, Via::Sent, WM_ERASEBKGND, kNever}};
  }
  MessageLog log_;
};

std::vector<Expect> operator+(std::vector<Expect> a, const std::vector<Expect>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

// The frame ring is the engine's: the list's own procedure never sees WM_NCPAINT, and the
// system is handed only the scroll bars and the corner between them to draw.
TEST_F(MessageSequenceTest, ListFramePaintHandsTheSystemOnlyItsBars) {
  TestWindow window(640, 260);
  HWND bars = ReportList(window, 10, 40, 300, 400);
  HWND none = ReportList(window, 320, 40, 3, 100);
  SkinLogged(window, {{bars, "bars"}, {none, "plain"}});
  const struct {
    const char* what;
    void (*act)(HWND);
  } ways[] = {
      {"whole frame", [](HWND l) { SendMessageW(l, WM_NCPAINT, 1, 0); }},
      {"system's update", [](HWND l) { RedrawWindow(l, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); }},
  };
  for (const auto& way : ways) {
    for (HWND list : {bars, none}) {
      const std::string what = std::string(way.what) + ", " + log_.NameOf(list);
      log_.Clear();
      way.act(list);
      log_.ExpectSequence({{list, Via::Sent, WM_NCPAINT},
                           {list, Via::Pixels, 0, kAnywhere | kMany},  // the ring
                           {list, Via::Passed, WM_NCPAINT, kNever}},
                          what);
      RECT outer{}, client{};
      GetWindowRect(list, &outer);
      GetClientRect(list, &client);
      MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
      const int midX = (outer.left + outer.right) / 2, midY = (outer.top + outer.bottom) / 2;
      SCROLLBARINFO v{}, h{};
      v.cbSize = h.cbSize = sizeof v;
      GetScrollBarInfo(list, OBJID_VSCROLL, &v);
      GetScrollBarInfo(list, OBJID_HSCROLL, &h);
      const bool hasBars = list == bars;
      ASSERT_EQ(hasBars, !(v.rgstate[0] & STATE_SYSTEM_INVISIBLE)) << what;
      // Each pixel of the ring, outside and inside, on all four sides.
      const POINT ring[] = {{outer.left, midY},      {client.left - 1, midY},
                            {midX, outer.top},       {midX, client.top - 1},
                            {outer.right - 1, midY}, {hasBars ? v.rcScrollBar.right : client.right, midY},
                            {midX, outer.bottom - 1}, {midX, hasBars ? h.rcScrollBar.bottom : client.bottom}};
      const auto handed = log_.Of(list, Via::Default, WM_NCPAINT);
      if (hasBars) {
        EXPECT_EQ(handed.size(), 1u) << what << ": the system draws the bars, once";
      }
      for (const Logged& l : handed) {
        auto region = static_cast<HRGN>(l.region.get());
        ASSERT_NE(region, nullptr) << what << ": a region, not the whole frame";
        for (const POINT& p : ring) EXPECT_FALSE(PtInRegion(region, p.x, p.y)) << what << " ring " << p.x << "," << p.y;
        const POINT vBar = Centre(v.rcScrollBar), hBar = Centre(h.rcScrollBar);
        for (const POINT& p : {vBar, hBar, POINT{vBar.x, hBar.y}}) {
          EXPECT_TRUE(!hasBars || PtInRegion(region, p.x, p.y)) << what << " bar " << p.x << "," << p.y;
        }
      }
    }
  }
}

// A scroll step is passed on once and repaints the list's rows once, through the engine's
// picture; neither the frame ring nor the skinned window is painted again for it.
TEST_F(MessageSequenceTest, ScrollStepsPassOnOnceAndRepaintOnlyTheRows) {
  TestWindow window(400, 300);
  HWND list = ReportList(window, 10, 40, 500, 400);
  SkinLogged(window, {{list, "list"}});
  RECT r{};
  GetWindowRect(list, &r);
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  } steps[] = {
      {"line down", WM_VSCROLL, SB_LINEDOWN, 0},
      {"page down", WM_VSCROLL, SB_PAGEDOWN, 0},
      {"line right", WM_HSCROLL, SB_LINERIGHT, 0},
      {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), At(r.left + 100, r.top + 80)},
  };
  for (const auto& s : steps) {
    log_.Clear();
    SendMessageW(list, s.message, s.wParam, s.lParam);
    UpdateWindow(list);
    Pump();
    log_.ExpectSequence(std::vector<Expect>{{list, Via::Sent, s.message, kWParam, s.wParam},
                                            {list, Via::Passed, s.message, kWParam, s.wParam},
                                            {list, Via::Sent, WM_PAINT},
                                            // the rows are painted into the engine's picture
                                            {list, Via::Passed, WM_PAINT, kNonZeroW},
                                            {list, Via::Sent, WM_NCPAINT, kNever}} +
                            FrameUntouched(window.Get()),
                        s.what);
  }
}

// The caption: activation and hit tests are the system's alone; a new title repaints the
// title, not the window; a caption button acts on a release over itself, and a cancelled
// mode withdraws its press.
TEST_F(MessageSequenceTest, CaptionMessages) {
  TestWindow window(300, 200, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX);
  HWND w = window.Get();
  SkinLogged(window, {});
  const SkinWindow& record = RecordOf(w);
  ASSERT_EQ(record.buttons.size(), 2u);
  const auto centreOf = [&](const CaptionButton& b) { return At(static_cast<int>(b.x + b.w / 2), 10); };
  const LPARAM onMinimize = centreOf(record.buttons[0]);
  const std::vector<Expect> noFullRepaint = {{w, Via::Sent, WM_PAINT, kNever}, {w, Via::Sent, WM_ERASEBKGND, kNever}};

  SendMessageW(w, WM_NCACTIVATE, FALSE, 0);
  SendMessageW(w, WM_NCACTIVATE, TRUE, 0);
  Pump();
  log_.ExpectSequence(std::vector<Expect>{{w, Via::Sent, WM_NCACTIVATE, kWParam, FALSE},
                                          {w, Via::Passed, WM_NCACTIVATE, kWParam, FALSE},
                                          {w, Via::Sent, WM_NCACTIVATE, kWParam, TRUE},
                                          {w, Via::Passed, WM_NCACTIVATE, kWParam, TRUE},
                                          {w, Via::Pixels, 0, kNever}} +
                          noFullRepaint,
                      "activation");

  for (const CaptionButton& b : record.buttons) {
    log_.Clear();
    POINT p{static_cast<int>(b.x + b.w / 2), 10};
    ClientToScreen(w, &p);
    // The caption is client area: the press comes as WM_LBUTTONDOWN, which the engine reads.
    EXPECT_EQ(SendMessageW(w, WM_NCHITTEST, 0, At(p.x, p.y)), HTCLIENT);
    log_.ExpectSequence({{w, Via::Sent, WM_NCHITTEST}, {w, Via::Passed, WM_NCHITTEST}, {w, Via::Pixels, 0, kNever}},
                        "hit test");
  }

  log_.Clear();
  SetWindowTextW(w, L"新标题 Title");
  Pump();
  log_.ExpectSequence(std::vector<Expect>{{w, Via::Sent, WM_SETTEXT},
                                          {w, Via::Pixels, 0, kAnywhere | kMany},  // the title
                                          {w, Via::Passed, WM_SETTEXT}} +
                          noFullRepaint,
                      "title");
  for (const Logged& l : log_.Of(w, Via::Pixels)) {
    EXPECT_LT(l.pixels.top, record.captionHeight) << "only the title is copied";
    EXPECT_LT(l.pixels.bottom - l.pixels.top, 100);
  }
  const auto sent = log_.Of(w, Via::Sent, WM_SETTEXT), passed = log_.Of(w, Via::Passed, WM_SETTEXT);
  if (!sent.empty() && !passed.empty()) {
    EXPECT_EQ(sent[0].lParam, passed[0].lParam) << "the text passes on as it came";
  }

  // Press and release on the minimize button: one command, capture taken and given back.
  log_.Clear();
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, onMinimize);
  EXPECT_EQ(GetCapture(), w);
  log_.ExpectSequence({{w, Via::Sent, WM_LBUTTONDOWN},
                       {w, Via::Pixels, 0, kAnywhere | kMany},  // the pressed look
                       {w, Via::Passed, WM_LBUTTONDOWN},
                       {w, Via::Sent, WM_NCLBUTTONDOWN, kNever},  // no move starts
                       {w, Via::Sent, WM_SYSCOMMAND, kNever}},
                      "press");
  log_.Clear();
  SendMessageW(w, WM_LBUTTONUP, 0, onMinimize);
  EXPECT_NE(GetCapture(), w);
  log_.ExpectSequence({{w, Via::Sent, WM_LBUTTONUP},
                       {w, Via::Sent, WM_CAPTURECHANGED, kMay},
                       {w, Via::Sent, WM_SYSCOMMAND, kAnywhere | kWParam, SC_MINIMIZE},
                       {w, Via::Passed, WM_SYSCOMMAND, kAnywhere | kWParam, SC_MINIMIZE},
                       {w, Via::Pixels, 0, kAnywhere | kMany},  // the pressed look goes
                       {w, Via::Passed, WM_LBUTTONUP}},
                      "release");
  ShowWindow(w, SW_RESTORE);
  Pump();

  // A cancelled mode (a menu, another window taking the capture) withdraws the press.
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, onMinimize);
  log_.Clear();
  SendMessageW(w, WM_CANCELMODE, 0, 0);
  EXPECT_NE(GetCapture(), w);
  log_.ExpectSequence({{w, Via::Sent, WM_CANCELMODE},
                       {w, Via::Pixels, 0, kAnywhere | kMany},  // the pressed look goes
                       {w, Via::Passed, WM_CANCELMODE}},
                      "cancel");
  log_.Clear();
  SendMessageW(w, WM_LBUTTONUP, 0, onMinimize);
  log_.ExpectSequence({{w, Via::Sent, WM_LBUTTONUP},
                       {w, Via::Passed, WM_LBUTTONUP},
                       {w, Via::Sent, WM_SYSCOMMAND, kNever},
                       {w, Via::Pixels, 0, kNever}},
                      "release after cancel");
  EXPECT_FALSE(IsIconic(w));
}

// Focus and hover of an edit, a push button and a list: each message passed on once, the
// control repainted on entering and leaving each state, a second move inside painting
// nothing, and the skinned window itself never repainted for it.
TEST_F(MessageSequenceTest, FocusAndHoverOfControls) {
  TestWindow window(420, 300);
  HWND edit = window.AddChild(L"Edit", 130, 40, 120, 24, 0, WS_EX_CLIENTEDGE);
  HWND button = window.AddChild(L"Button", 20, 40, 90, 28, BS_PUSHBUTTON);
  HWND list = ReportList(window, 20, 90, 40, 100);
  SetWindowTextW(button, L"查询");
  SkinLogged(window, {{edit, "edit"}, {button, "button"}, {list, "list"}});
  const std::vector<Expect> frame = FrameUntouched(window.Get());
  for (HWND c : {edit, button, list}) {
    const std::string name = log_.NameOf(c);
    const auto step = [&](UINT message, bool paints, const char* what) {
      log_.ExpectSequence(std::vector<Expect>{{c, Via::Sent, message},
                                              {c, Via::Passed, message},
                                              {c, Via::Pixels, 0, paints ? kAnywhere | kMany : kNever}} +
                              frame,
                          name + " " + what);
      log_.Clear();
    };
    SetFocus(c);
    Pump();
    step(WM_SETFOCUS, true, "focus in");
    SetFocus(window.Get());
    Pump();
    step(WM_KILLFOCUS, true, "focus out");

    // The real cursor enters, so that the system keeps the leave tracking; where it sends no
    // move of its own, the test sends one.
    PutCursorOver(c);
    PumpFor(50);
    if (log_.Of(c, Via::Sent, WM_MOUSEMOVE).empty()) SendMessageW(c, WM_MOUSEMOVE, 0, At(5, 5));
    Pump();
    step(WM_MOUSEMOVE, true, "enter");
    SendMessageW(c, WM_MOUSEMOVE, 0, At(7, 6));
    Pump();
    step(WM_MOUSEMOVE, false, "move inside");
    SendMessageW(c, WM_MOUSELEAVE, 0, 0);
    Pump();
    step(WM_MOUSELEAVE, true, "leave");
    // The system's own leave, for the cursor gone, comes before the next control is entered.
    MoveCursorAway();
    for (int i = 0; i < 50 && log_.Of(c, Via::Sent, WM_MOUSELEAVE).empty(); ++i) PumpFor(20);
    log_.Clear();
  }
}

// The hover of one control is not another's to end: a button's leave that comes late (the
// system's, after the cursor has moved on into the list) leaves the list's hover as it is,
// so the next move inside the list paints nothing.
TEST_F(MessageSequenceTest, ALateLeaveOfAnotherControlKeepsTheHover) {
  TestWindow window(420, 300);
  HWND button = window.AddChild(L"Button", 20, 40, 90, 28, BS_PUSHBUTTON);
  HWND edit = window.AddChild(L"Edit", 130, 40, 120, 24, 0, WS_EX_CLIENTEDGE);
  HWND list = ReportList(window, 20, 90, 40, 100);
  SkinLogged(window, {{button, "button"}, {edit, "edit"}, {list, "list"}});
  for (HWND hovered : {edit, list}) {
    SendMessageW(button, WM_MOUSEMOVE, 0, At(5, 5));
    SendMessageW(hovered, WM_MOUSEMOVE, 0, At(5, 5));
    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    log_.Clear();
    SendMessageW(hovered, WM_MOUSEMOVE, 0, At(7, 6));
    log_.ExpectSequence({{hovered, Via::Sent, WM_MOUSEMOVE},
                         {hovered, Via::Passed, WM_MOUSEMOVE},
                         {hovered, Via::Pixels, 0, kNever}},
                        log_.NameOf(hovered) + " moved inside after the button's late leave");
    SendMessageW(hovered, WM_MOUSELEAVE, 0, 0);
  }
}
