#include "tools/skin_gallery/gallery.h"

#include <commctrl.h>

#include <vector>

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/image_objects.h"
#include "gdiplus/memory_stream.h"
#include "runtime/embedded.h"
#include "skin/skin.h"

namespace {

constexpr wchar_t kGalleryClass[] = L"VeradinSkinGallery";
constexpr wchar_t kPanelClass[] = L"VeradinSkinGalleryPanel";

SkinEngine* g_skin = nullptr;
HWND g_gallery = nullptr;
int g_captionColour = 0;

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (GetPropW(window, L"GalleryQuits")) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = GalleryProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kGalleryClass;
  RegisterClassExW(&wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = kPanelClass;
  RegisterClassExW(&wc);
}

// A 26 x 18 white glyph with a dark edge, as PNG bytes: a star or a ring.
std::vector<std::uint8_t> DrawGlyph(bool star) {
  BitmapObject bitmap;
  if (!bitmap.CreateBitmapFromScan0(26, 18)) return {};
  {
    GraphicsObject g;
    if (!g.GetImageGraphicsContext(bitmap)) return {};
    g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    g.GraphicsClear(0);
    SolidBrushObject white, shade;
    white.CreateSolidFill(0xFFFFFFFF);
    shade.CreateSolidFill(0x80000000);
    if (star) {
      const gp::PointF points[] = {{13, 2}, {15, 7}, {20, 7}, {16, 10}, {18, 15}, {13, 12}, {8, 15}, {10, 10}, {6, 7}, {11, 7}};
      gp::PointF shadow[10];
      for (int i = 0; i < 10; ++i) shadow[i] = gp::PointF(points[i].X + 1, points[i].Y + 1);
      g.FillPolygon(shade, shadow, 10);
      g.FillPolygon(white, points, 10);
    } else {
      g.FillEllipse(shade, 8, 4, 11, 11);
      g.FillEllipse(white, 7, 3, 11, 11);
      SolidBrushObject hole;
      hole.CreateSolidFill(0xFF3080C0);
      g.FillEllipse(hole, 10, 6, 5, 5);
    }
  }
  MemoryStream stream;
  if (!stream.LoadBytes(nullptr, 0) || !bitmap.SaveImageToStream(stream.Stream(), kImageFormatPng)) return {};
  return stream.ReadBytes();
}

void OnHelp() { MessageBoxW(g_gallery, L"皮肤引擎的全部控件 — every control family of the skin engine.", L"帮助 Help", MB_OK); }
void OnMenu() { MessageBoxW(g_gallery, L"主菜单 Main menu", L"主菜单", MB_OK); }
void OnStar() {
  static const COLORREF colours[] = {RGB(255, 255, 255), RGB(255, 230, 120), RGB(160, 240, 255)};
  g_captionColour = (g_captionColour + 1) % 3;
  if (g_skin) g_skin->SetCaptionStyle(g_gallery, std::nullopt, std::nullopt, colours[g_captionColour]);
}
void OnRing() {
  for (HWND child = GetWindow(g_gallery, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (lstrcmpiW(cls, PROGRESS_CLASSW) == 0) SendMessageW(child, PBM_DELTAPOS, 10, 0);
  }
}

}  // namespace

GalleryWindow::GalleryWindow(SkinEngine& skin, bool quitOnClose) : skin_(skin) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES |
                                             ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&init);
  RegisterClasses();
  const auto picture = EmbeddedBytes(L"SKIN_IMAGE");
  skin_.SetSkinImage({}, std::vector<std::uint8_t>(picture.begin(), picture.end()), RGB(0, 0, 0), 0xFFFFFF, 3);
  skin_.SetControlVeil(true, 100);
  window_ = CreateWindowExW(0, kGalleryClass, L"皮肤画廊 Skin gallery",
                            WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 30, 20, 960, 700, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window_) return;
  if (quitOnClose) SetPropW(window_, L"GalleryQuits", reinterpret_cast<HANDLE>(1));
  font_.reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体"));
  Build();
  g_skin = &skin_;
  g_gallery = window_;
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

GalleryWindow::~GalleryWindow() {
  if (window_ && IsWindow(window_)) {
    RemovePropW(window_, L"GalleryQuits");
    DestroyWindow(window_);
  }
  if (g_gallery == window_) {
    g_gallery = nullptr;
    g_skin = nullptr;
  }
}

HWND GalleryWindow::Control(const std::string& name) const {
  auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

HWND GalleryWindow::Add(const std::string& name, HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style,
                        int x, int y, int w, int h, DWORD exStyle) {
  HWND control = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + controls_.size())),
                                 GetModuleHandleW(nullptr), nullptr);
  if (control && font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  controls_[name] = control;
  return control;
}

void GalleryWindow::Build() {
  HWND w = window_;
  // Left column: buttons, edits, combo boxes.
  Add("push.default", w, L"Button", L"确定 OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 20, 44, 90, 26);
  Add("push.plain", w, L"Button", L"取消 Cancel", BS_PUSHBUTTON | WS_TABSTOP, 118, 44, 90, 26);
  HWND disabled = Add("push.disabled", w, L"Button", L"禁用 Off", BS_PUSHBUTTON, 216, 44, 70, 26);
  EnableWindow(disabled, FALSE);
  HWND autoCheck = Add("check.auto", w, L"Button", L"自动复选 Auto check", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 80, 150, 20);
  SendMessageW(autoCheck, BM_SETCHECK, BST_CHECKED, 0);
  Add("check.plain", w, L"Button", L"复选框 Check box", BS_CHECKBOX, 20, 102, 150, 20);
  HWND three = Add("check.three", w, L"Button", L"三态 Three-state", BS_AUTO3STATE, 20, 124, 150, 20);
  SendMessageW(three, BM_SETCHECK, BST_INDETERMINATE, 0);
  HWND radio1 = Add("radio.first", w, L"Button", L"单选一 Radio one", BS_AUTORADIOBUTTON | WS_GROUP, 176, 80, 130, 20);
  Add("radio.second", w, L"Button", L"单选二 Radio two", BS_AUTORADIOBUTTON, 176, 102, 130, 20);
  SendMessageW(radio1, BM_SETCHECK, BST_CHECKED, 0);
  Add("edit.single", w, L"Edit", L"单行编辑 Single line", ES_AUTOHSCROLL | WS_TABSTOP, 20, 154, 266, 24,
      WS_EX_CLIENTEDGE);
  Add("edit.multi", w, L"Edit", L"多行编辑框\r\nMulti-line edit\r\n第三行 third line\r\n4\r\n5\r\n6",
      ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, 20, 186, 266, 74, WS_EX_CLIENTEDGE);
  const wchar_t* items[] = {L"北京 Beijing", L"上海 Shanghai", L"广州 Guangzhou", L"深圳 Shenzhen"};
  HWND simple = Add("combo.simple", w, L"ComboBox", L"", CBS_SIMPLE | WS_TABSTOP, 20, 270, 130, 96);
  HWND dropdown = Add("combo.dropdown", w, L"ComboBox", L"", CBS_DROPDOWN | WS_TABSTOP, 160, 270, 126, 160);
  HWND list = Add("combo.list", w, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_TABSTOP, 160, 304, 126, 160);
  for (HWND combo : {simple, dropdown, list}) {
    for (const wchar_t* item : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
  }
  // Middle column: list-type controls.
  HWND listBox = Add("listbox", w, L"ListBox", L"", LBS_NOTIFY | WS_VSCROLL, 310, 44, 150, 90, WS_EX_CLIENTEDGE);
  for (const wchar_t* item : items) SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessageW(listBox, LB_SETCURSEL, 0, 0);
  HWND listView = Add("listview", w, WC_LISTVIEWW, L"", LVS_REPORT, 310, 142, 300, 120, WS_EX_CLIENTEDGE);
  const wchar_t* headers[] = {L"姓名 Name", L"日期 Date", L"案号 Case"};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 95;
    column.pszText = const_cast<wchar_t*>(headers[i]);
    SendMessageW(listView, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  const wchar_t* rows[][3] = {{L"李明", L"2019-05-01", L"(2019)京01执1号"}, {L"王五", L"2020-11-12", L"(2020)沪02执7号"},
                              {L"赵建国", L"2021-03-08", L"(2021)粤03执9号"}};
  for (int r = 0; r < 3; ++r) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = r;
    item.pszText = const_cast<wchar_t*>(rows[r][0]);
    SendMessageW(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int c = 1; c < 3; ++c) {
      item.iSubItem = c;
      item.pszText = const_cast<wchar_t*>(rows[r][c]);
      SendMessageW(listView, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
    }
  }
  HWND tree = Add("treeview", w, WC_TREEVIEWW, L"", TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 470, 44, 140, 90,
                  WS_EX_CLIENTEDGE);
  TVINSERTSTRUCTW insert{};
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<wchar_t*>(L"法院 Courts");
  auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  for (const wchar_t* child : {L"北京 Beijing", L"上海 Shanghai"}) {
    insert.hParent = root;
    insert.item.pszText = const_cast<wchar_t*>(child);
    SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
  }
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  HWND ip = Add("ipaddress", w, WC_IPADDRESSW, L"", 0, 310, 270, 150, 24);
  SendMessageW(ip, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 10));
  Add("datetime", w, DATETIMEPICK_CLASSW, L"", DTS_SHORTDATEFORMAT, 470, 270, 140, 24);
  // Right column: trackbars, progress bars, up-down controls.
  struct Track {
    const char* name;
    DWORD style;
    int x, y, w, h;
  } tracks[] = {
      {"track.bottom", TBS_AUTOTICKS | TBS_BOTTOM, 630, 44, 180, 32},
      {"track.top", TBS_AUTOTICKS | TBS_TOP, 630, 80, 180, 32},
      {"track.both", TBS_AUTOTICKS | TBS_BOTH, 630, 116, 180, 40},
      {"track.selection", TBS_NOTICKS | TBS_ENABLESELRANGE, 630, 160, 180, 30},
      {"track.right", TBS_AUTOTICKS | TBS_VERT | TBS_RIGHT, 820, 44, 34, 150},
      {"track.left", TBS_AUTOTICKS | TBS_VERT | TBS_LEFT, 858, 44, 34, 150},
      {"track.vboth", TBS_AUTOTICKS | TBS_VERT | TBS_BOTH, 896, 44, 42, 150},
  };
  int position = 2;
  for (const Track& t : tracks) {
    HWND bar = Add(t.name, w, TRACKBAR_CLASSW, L"", t.style | WS_TABSTOP, t.x, t.y, t.w, t.h);
    SendMessageW(bar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
    SendMessageW(bar, TBM_SETPOS, TRUE, position);
    position = (position + 3) % 11;
  }
  SendMessageW(Control("track.selection"), TBM_SETSEL, TRUE, MAKELPARAM(3, 7));
  struct Bar {
    const char* name;
    DWORD style;
    int position, x, y, w, h;
  } bars[] = {
      {"progress.empty", 0, 0, 630, 204, 180, 16},       {"progress.part", 0, 40, 630, 226, 180, 16},
      {"progress.full", 0, 100, 630, 248, 180, 16},      {"progress.vlow", PBS_VERTICAL, 30, 820, 204, 18, 80},
      {"progress.vhigh", PBS_VERTICAL, 75, 846, 204, 18, 80},
  };
  for (const Bar& b : bars) {
    HWND bar = Add(b.name, w, PROGRESS_CLASSW, L"", b.style, b.x, b.y, b.w, b.h);
    SendMessageW(bar, PBM_SETPOS, b.position, 0);
  }
  Add("updown.vertical", w, UPDOWN_CLASSW, L"", 0, 878, 204, 20, 40);
  Add("updown.horizontal", w, UPDOWN_CLASSW, L"", UDS_HORZ, 878, 250, 40, 20);
  HWND buddy = Add("updown.buddy.edit", w, L"Edit", L"5", ES_NUMBER, 630, 274, 80, 24, WS_EX_CLIENTEDGE);
  HWND spin = Add("updown.buddied", w, UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 0, 0);
  SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageW(spin, UDM_SETRANGE32, 0, 99);
  SendMessageW(spin, UDM_SETPOS32, 0, 5);

  // Bottom row: a group box and a tinted panel, each a container with its own controls,
  // and a colour-keyed tab control.
  HWND group = Add("group", w, L"Button", L"分组框 Group box", BS_GROUPBOX | BS_LEFT, 20, 380, 266, 150);
  Add("group.check", group, L"Button", L"组内复选 In the group", BS_AUTOCHECKBOX, 14, 26, 160, 20);
  Add("group.radio", group, L"Button", L"组内单选 Radio", BS_AUTORADIOBUTTON, 14, 50, 160, 20);
  HWND groupBar = Add("group.progress", group, PROGRESS_CLASSW, L"", 0, 14, 80, 230, 14);
  SendMessageW(groupBar, PBM_SETPOS, 60, 0);
  Add("group.edit", group, L"Edit", L"组内编辑 edit", ES_AUTOHSCROLL, 14, 104, 230, 24, WS_EX_CLIENTEDGE);

  HWND panel = Add("panel", w, kPanelClass, L"", 0, 300, 380, 340, 150);
  Add("panel.push", panel, L"Button", L"面板按钮 Panel", BS_PUSHBUTTON, 12, 12, 110, 26);
  HWND panelCheck = Add("panel.check", panel, L"Button", L"面板复选 Check", BS_AUTOCHECKBOX, 132, 14, 190, 20);
  SendMessageW(panelCheck, BM_SETCHECK, BST_CHECKED, 0);
  HWND panelCombo = Add("panel.combo", panel, L"ComboBox", L"", CBS_DROPDOWNLIST, 12, 48, 150, 120);
  for (const wchar_t* item : items) SendMessageW(panelCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessageW(panelCombo, CB_SETCURSEL, 2, 0);
  HWND panelTrack = Add("panel.track", panel, TRACKBAR_CLASSW, L"", TBS_AUTOTICKS, 172, 44, 156, 32);
  SendMessageW(panelTrack, TBM_SETRANGE, FALSE, MAKELPARAM(0, 20));
  SendMessageW(panelTrack, TBM_SETPOS, TRUE, 14);
  HWND panelBar = Add("panel.progress", panel, PROGRESS_CLASSW, L"", 0, 12, 88, 230, 16);
  SendMessageW(panelBar, PBM_SETPOS, 80, 0);
  Add("panel.updown", panel, UPDOWN_CLASSW, L"", 0, 260, 84, 20, 40);
  Add("panel.edit", panel, L"Edit", L"面板编辑 Panel edit", ES_AUTOHSCROLL, 12, 114, 230, 24, WS_EX_CLIENTEDGE);

  HWND tabs = Add("tabs", w, WC_TABCONTROLW, L"", 0, 654, 380, 284, 150);
  const wchar_t* tabNames[] = {L"色键 Keyed", L"标签 Tab", L"第三 Third"};
  for (int i = 0; i < 3; ++i) {
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(tabNames[i]);
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
  }
  Add("label", w, L"Static", L"静态文本 A static label over the skin", 0, 20, 548, 400, 20);

  SkinOptions options;
  options.showHelp = true;
  options.showMenu = true;
  skin_.ApplySkin(w, 30, options);
  skin_.AddContainer(group);
  skin_.AddContainer(panel, true, static_cast<int>(RGB(255, 255, 255)), 70, true);
  skin_.AddColorKeyedControl(tabs);
  skin_.SetHelpCallback(w, OnHelp);
  skin_.SetMenuCallback(w, OnMenu);
  skin_.AddCaptionButton(w, DrawGlyph(false), "换色 Progress", OnRing);
  skin_.AddCaptionButton(w, DrawGlyph(true), "标题颜色 Caption colour", OnStar);
  // The band along the foot, and a label docked above it that follows the window's size.
  skin_.SetBand(w, 24, {{"就绪 Ready", 120}, {"皮肤画廊：每一族控件 Every control family", 0}, {"960 x 700", 90}});
  skin_.DockInWindow(w, Control("label"), 548);
}
