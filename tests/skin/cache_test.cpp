// The pictures the engine keeps between paints never show stale: after each kind of change a
// button, a list and its header read back exactly as the same controls painted fresh in a new
// window.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/skin/skin_fixture.h"

namespace {

constexpr COLORREF kFirstColour = RGB(200, 200, 200), kSecondColour = RGB(40, 120, 200);

struct Scene {
  RECT button{30, 40, 130, 68};
  RECT list{30, 90, 330, 250};
  std::wstring text = L"查询";
  std::wstring column = L"名称";
  int columnWidth = 120;
  bool focusOnButton = false;
};

struct Made {
  HWND button = nullptr, list = nullptr, header = nullptr;
};

Made Build(TestWindow& window, const Scene& scene) {
  Made m;
  const RECT& b = scene.button;
  m.button = window.AddChild(L"Button", b.left, b.top, b.right - b.left, b.bottom - b.top, BS_PUSHBUTTON);
  SetWindowTextW(m.button, scene.text.c_str());
  const RECT& l = scene.list;
  m.list = window.AddChild(WC_LISTVIEWW, l.left, l.top, l.right - l.left, l.bottom - l.top, LVS_REPORT,
                           WS_EX_CLIENTEDGE);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = scene.columnWidth;
  column.pszText = const_cast<wchar_t*>(scene.column.c_str());
  SendMessageW(m.list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  column.cx = 90;  // a second column: the first one's width shows as its divider's place
  column.pszText = const_cast<wchar_t*>(L"申请号");
  SendMessageW(m.list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  m.header = reinterpret_cast<HWND>(SendMessageW(m.list, LVM_GETHEADER, 0, 0));
  for (int i = 0; i < 5; ++i) {
    std::wstring row = L"第" + std::to_wstring(i) + L"行";
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = row.data();
    SendMessageW(m.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  return m;
}

void RepaintAll(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
}

// The whole window rectangle of a control as it stands on the screen.
std::vector<COLORREF> Pixels(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  std::vector<COLORREF> pixels;
  HDC dc = GetWindowDC(control);
  for (int y = 0; y < r.bottom - r.top; y += 2) {
    for (int x = 0; x < r.right - r.left; x += 2) pixels.push_back(GetPixel(dc, x, y));
  }
  ReleaseDC(control, dc);
  return pixels;
}

int Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  if (a.size() != b.size()) return -1;
  int n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
  return n;
}

}  // namespace

TEST_F(SkinTest, CachedPicturesNeverOutliveWhatTheyShow) {
  struct Case {
    const char* name;
    std::function<void(SkinEngine&, Scene&)> change;  // of the scene and the engine
  };
  const Case cases[] = {
      {"move", [](SkinEngine&, Scene& s) { OffsetRect(&s.button, 37, 5); OffsetRect(&s.list, 11, 13); }},
      {"resize", [](SkinEngine&, Scene& s) { s.button.right += 30; s.list.bottom += 40; }},
      {"picture", [](SkinEngine& e, Scene&) { e.SetSkinImage({}, {}, kSecondColour); }},
      {"veil", [](SkinEngine& e, Scene&) { e.SetControlVeil(true, 40); }},
      {"text", [](SkinEngine&, Scene& s) { s.text = L"另一个"; }},
      {"focus", [](SkinEngine&, Scene& s) { s.focusOnButton = true; }},
      {"column text", [](SkinEngine&, Scene& s) { s.column = L"申请日"; }},
      {"column width", [](SkinEngine&, Scene& s) { s.columnWidth = 180; }},
  };
  for (const Case& c : cases) {
    Skin().SetSkinImage({}, {}, kFirstColour);
    Skin().SetControlVeil(true, 100);
    Scene scene;
    std::vector<COLORREF> changedButton, changedList, changedHeader;
    {
      TestWindow window(420, 300);
      Made m = Build(window, scene);
      Skin().ApplySkin(window.Get(), 25);
      RepaintAll(window.Get());  // the caches now hold the first pictures
      c.change(Skin(), scene);
      const RECT& b = scene.button;
      const RECT& l = scene.list;
      SetWindowPos(m.button, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top, SWP_NOZORDER);
      SetWindowPos(m.list, nullptr, l.left, l.top, l.right - l.left, l.bottom - l.top, SWP_NOZORDER);
      SetWindowTextW(m.button, scene.text.c_str());
      if (scene.focusOnButton) SetFocus(m.button);
      LVCOLUMNW column{};
      column.mask = LVCF_WIDTH | LVCF_TEXT;
      column.cx = scene.columnWidth;
      column.pszText = const_cast<wchar_t*>(scene.column.c_str());
      SendMessageW(m.list, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
      RepaintAll(window.Get());
      changedButton = Pixels(m.button);
      changedList = Pixels(m.list);
      changedHeader = Pixels(m.header);
    }
    Pump();
    TestWindow fresh(420, 300);
    Made m = Build(fresh, scene);
    Skin().ApplySkin(fresh.Get(), 25);
    if (scene.focusOnButton) SetFocus(m.button);
    RepaintAll(fresh.Get());
    EXPECT_EQ(Differences(changedButton, Pixels(m.button)), 0) << c.name;
    EXPECT_EQ(Differences(changedList, Pixels(m.list)), 0) << c.name;
    EXPECT_EQ(Differences(changedHeader, Pixels(m.header)), 0) << c.name;
  }
}
