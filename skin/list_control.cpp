#include "skin/list_control.h"

#include <commctrl.h>

#include <algorithm>

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/pen_object.h"
#include "skin/backdrop.h"
#include "skin/painters.h"
#include "skin/skin.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr gp::ARGB kMagenta = 0xFFFF00FF;
constexpr int kHotKindList = 4;
constexpr UINT kArrowScrollMessage = 0x8002;
// Timers of the family, clear of the ids the common controls use for themselves.
constexpr UINT_PTR kRepeatTimer = 0x5C4B0001;
constexpr UINT_PTR kHoverTimer = 0x5C4B0002;
constexpr UINT kFirstRepeat = 400, kNextRepeat = 50, kHoverPoll = 100;

ListControlRecord* RecordOf(HWND window) {
  return static_cast<ListControlRecord*>(FamilyRecordOf(window, Family::ListControl));
}

bool IsOwnerDrawnListBox(HWND window) {
  return (GetWindowLongW(window, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

void Register(int skinIndex, HWND control) {
  if (FindInFamilyList(skinIndex, Family::ListControl, control)) return;
  auto owned = std::make_unique<ListControlRecord>();
  ListControlRecord& record = *owned;
  const int index = AddFamilyRecord(skinIndex, Family::ListControl, std::move(owned));
  if (!index) return;
  SubclassControl(control, record, skinIndex, index, ListControlWndProc);
  // The frame and bars are ours from now on.
  SetWindowPos(control, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BarSnapshot SnapshotOf(HWND window, int bar) {
  BarSnapshot s;
  RECT rect{};
  if (!BarRectInWindow(window, bar, rect)) return s;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  s.shown = true;
  if (GetScrollInfo(window, bar, &info)) {
    s.min = info.nMin;
    s.max = info.nMax;
    s.page = static_cast<int>(info.nPage);
    s.pos = info.nPos;
  }
  return s;
}

void PaintBars(HWND window, ListControlRecord& record) {
  WholeWindowDc dc(window);
  if (!dc.Get()) return;
  RECT rects[2]{};
  bool shown[2]{};
  for (int bar : {SB_HORZ, SB_VERT}) {
    record.painted[bar] = SnapshotOf(window, bar);
    BarGeometry g;
    if (!(shown[bar] = ListBarGeometry(window, bar, g))) continue;
    rects[bar] = g.bar;
    if (record.dragBar == bar && record.dragPart == BarPart::Thumb && g.thumbShown) {
      g.thumbStart = record.dragThumbStart;  // the thumb stays under the pointer
    }
    const BarPart hot = record.hotBar == bar ? record.hotPart : BarPart::None;
    const BarPart pressed = record.dragBar == bar ? record.dragPart : BarPart::None;
    PaintScrollBar(window, dc.Get(), g, hot, pressed);
  }
  if (shown[SB_HORZ] && shown[SB_VERT]) {
    PaintBarCorner(window, dc.Get(), RECT{rects[SB_VERT].left, rects[SB_HORZ].top, rects[SB_VERT].right,
                                          rects[SB_HORZ].bottom});
  }
}

// Repaints the bars when the control changed its scroll state (the system may have drawn
// its own bars meanwhile) and the whole client area when the position moved: rows copied
// by scrolling would carry the skin behind them to the wrong place.
void FollowScrollState(HWND window, ListControlRecord& record, bool force) {
  const BarSnapshot now[2] = {SnapshotOf(window, SB_HORZ), SnapshotOf(window, SB_VERT)};
  const bool moved = now[0].pos != record.painted[0].pos || now[1].pos != record.painted[1].pos;
  if (!force && now[0] == record.painted[0] && now[1] == record.painted[1]) return;
  if (moved && Engine().veilAlphaGiven) InvalidateRect(window, nullptr, FALSE);
  PaintBars(window, record);
}

POINT WindowPointOfClient(HWND window, LPARAM lParam) {
  const RECT client = ClientRectInWindow(window);
  return POINT{XOf(lParam) + client.left, YOf(lParam) + client.top};
}

POINT WindowPointOfScreen(HWND window, LPARAM lParam) {
  RECT outer{};
  GetWindowRect(window, &outer);
  return POINT{XOf(lParam) - outer.left, YOf(lParam) - outer.top};
}

// The bar and part under a point in window coordinates.
std::pair<int, BarPart> BarPartAt(HWND window, POINT p) {
  for (int bar : {SB_VERT, SB_HORZ}) {
    BarGeometry g;
    if (!ListBarGeometry(window, bar, g) || !PtInRect(&g.bar, p)) continue;
    return {bar, PartAt(g, bar == SB_VERT ? p.y : p.x)};
  }
  return {-1, BarPart::None};
}

UINT ScrollMessage(int bar) { return bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL; }

void SendScrollCode(HWND window, int bar, int code, int position = 0) {
  SendMessageW(window, ScrollMessage(bar), MAKEWPARAM(code, position & 0xFFFF), 0);
}

void StepPart(HWND window, int bar, BarPart part) {
  switch (part) {
    case BarPart::ArrowBack: SendScrollCode(window, bar, SB_LINEUP); break;
    case BarPart::ArrowForward: SendScrollCode(window, bar, SB_LINEDOWN); break;
    case BarPart::PageBack: SendScrollCode(window, bar, SB_PAGEUP); break;
    case BarPart::PageForward: SendScrollCode(window, bar, SB_PAGEDOWN); break;
    default: break;
  }
}

// Pixels one unit of a list view's scroll position stands for: rows in report view (and
// columns across in list view) are whole steps, the icon views scroll by pixels.
int ListViewUnit(HWND list, int bar) {
  const DWORD view = GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK;
  if (view == LVS_REPORT && bar == SB_VERT) {
    RECT item{LVIR_BOUNDS, 0, 0, 0};
    if (SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item))) return std::max(1L, item.bottom - item.top);
  }
  if (view == LVS_LIST && bar == SB_HORZ) {
    return std::max(1, static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)));
  }
  return 1;
}

// Moves the control's view so that it shows scroll position `position` of the bar.
void ScrollTo(HWND window, int bar, int position) {
  if (IsClass(window, "syslistview32")) {
    // A list view reads a thumb drag from the system's own tracking state, which no
    // painted bar has; it is moved by the difference instead.
    const int current = GetScrollPos(window, bar);
    if (position == current) return;
    const int delta = (position - current) * ListViewUnit(window, bar);
    SendMessageW(window, LVM_SCROLL, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0);
    return;
  }
  SendScrollCode(window, bar, SB_THUMBTRACK, position);
}

void EndDrag(HWND window, ListControlRecord& record) {
  const int bar = record.dragBar;
  const BarPart part = record.dragPart;
  record.dragBar = -1;
  record.dragPart = BarPart::None;
  KillTimer(window, kRepeatTimer);
  if (bar < 0) return;
  if (part == BarPart::Thumb && !IsClass(window, "syslistview32")) {
    SendScrollCode(window, bar, SB_THUMBPOSITION, record.dragPosition);
  }
  SendScrollCode(window, bar, SB_ENDSCROLL);
  if (RecordOf(window)) PaintBars(window, record);
}

void StartDrag(HWND window, ListControlRecord& record, POINT p) {
  const auto [bar, part] = BarPartAt(window, p);
  if (bar < 0 || part == BarPart::None) return;
  BarGeometry g;
  if (!ListBarGeometry(window, bar, g)) return;
  record.dragBar = bar;
  record.dragPart = part;
  const int along = (bar == SB_VERT ? p.y : p.x) - g.start;
  record.grabOffset = along - g.thumbStart;
  record.dragThumbStart = g.thumbStart;
  record.dragPosition = GetScrollPos(window, bar);
  SetCapture(window);
  if (part == BarPart::Thumb) {
    PaintBars(window, record);
    return;
  }
  StepPart(window, bar, part);
  SetTimer(window, kRepeatTimer, kFirstRepeat, nullptr);
  if (RecordOf(window)) PaintBars(window, record);
}

void DragTo(HWND window, ListControlRecord& record, POINT p) {
  BarGeometry g;
  if (!ListBarGeometry(window, record.dragBar, g) || !g.thumbShown) return;
  const int along = (record.dragBar == SB_VERT ? p.y : p.x) - g.start;
  const int free = g.track - g.thumbLength;
  record.dragThumbStart = std::clamp(along - record.grabOffset, g.arrow, g.arrow + free);
  const int position = PositionForThumb(g, record.dragThumbStart);
  if (position != record.dragPosition) {
    record.dragPosition = position;
    ScrollTo(window, record.dragBar, position);
  }
  if (RecordOf(window)) PaintBars(window, record);
}

// A page step repeats only while the pointer stays on that side of the thumb.
void RepeatStep(HWND window, ListControlRecord& record) {
  SetTimer(window, kRepeatTimer, kNextRepeat, nullptr);
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT outer{};
  GetWindowRect(window, &outer);
  const POINT p{cursor.x - outer.left, cursor.y - outer.top};
  const auto [bar, part] = BarPartAt(window, p);
  if (bar == record.dragBar && part == record.dragPart) StepPart(window, record.dragBar, record.dragPart);
}

void SetHot(HWND window, ListControlRecord& record, SkinWindow& skin, int index) {
  skin.hotControl = index;
  if (index >= 1 && (skin.lastHotControl != index || skin.hotKind != kHotKindList || !record.hot)) {
    record.hot = true;
    PaintListFrame(window, true, record.focused);
    skin.lastHotControl = index;
    skin.hotKind = kHotKindList;
  }
}

void ClearHot(HWND window, ListControlRecord& record, SkinWindow& skin) {
  if (skin.hotKind == kHotKindList && skin.lastHotControl == GetPropValue(window, kPropListIndex)) {
    skin.lastHotControl = 0;
  }
  record.hot = false;
  PaintListFrame(window, false, record.focused);
}

bool CursorInsideWindow(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT outer{};
  GetWindowRect(window, &outer);
  return PtInRect(&outer, cursor) != FALSE;
}

void SetHotBarPart(HWND window, ListControlRecord& record, int bar, BarPart part) {
  if (record.hotBar == bar && record.hotPart == part) return;
  record.hotBar = bar;
  record.hotPart = part;
  PaintBars(window, record);
}

void StartHoverPolling(HWND window, ListControlRecord& record) {
  if (record.hoverPolling) return;
  record.hoverPolling = true;
  SetTimer(window, kHoverTimer, kHoverPoll, nullptr);
}

// While the pointer is over the frame, a bar or a child window the control gets no mouse
// messages of its own: the pointer is looked at until it leaves the whole window.
void PollHover(HWND window, ListControlRecord& record, SkinWindow& skin) {
  if (CursorInsideWindow(window)) {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT outer{};
    GetWindowRect(window, &outer);
    const auto [bar, part] = BarPartAt(window, POINT{cursor.x - outer.left, cursor.y - outer.top});
    if (record.dragBar < 0) SetHotBarPart(window, record, bar, part);
    return;
  }
  record.hoverPolling = false;
  KillTimer(window, kHoverTimer);
  if (record.dragBar < 0) SetHotBarPart(window, record, -1, BarPart::None);
  if (record.hot) ClearHot(window, record, skin);
}

// The control's rows drawn by the control itself into the veiled skin behind its client
// area, then copied to the screen around its child windows (the header paints itself).
void PaintOverSkin(HWND window, ListControlRecord& record) {
  PAINTSTRUCT ps;
  HDC paint = BeginPaint(window, &ps);
  const RECT r = ClientRectInWindow(window);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (paint && w > 0 && h > 0) {
    ScopedBackdrop backdrop(window, r);
    if (backdrop.Get()) {
      {
        DcGraphics gOwner(backdrop.Get());
        GraphicsObject& g = gOwner.Get();
        SolidBrushObject veil;
        if (gOwner.Ok() && veil.CreateSolidFill(ToArgb(kWhite, Engine().veilAlpha))) {
          g.FillRectangleI(veil, 0, 0, w, h);
        }
      }
      CallWindowProcW(record.previous, window, WM_PAINT, reinterpret_cast<WPARAM>(backdrop.Get()), 0);
      ExcludeChildren(window, paint);
      BitBlt(paint, 0, 0, w, h, backdrop.Get(), 0, 0, SRCCOPY);
    }
  }
  EndPaint(window, &ps);
}

// A tree view paints on magenta; its picture is keyed onto the veiled skin.
void PaintTreeOverSkin(HWND window, ListControlRecord& record) {
  PAINTSTRUCT ps;
  HDC paint = BeginPaint(window, &ps);
  const RECT r = ClientRectInWindow(window);
  const int w = r.right - r.left, h = r.bottom - r.top;
  Surface picture;
  if (paint && picture.Create(w, h)) {
    CallWindowProcW(record.previous, window, WM_PAINT, reinterpret_cast<WPARAM>(picture.Dc()), 0);
    ScopedBackdrop backdrop(window, r);
    if (backdrop.Get()) {
      {
        DcGraphics gOwner(backdrop.Get());
        GraphicsObject& g = gOwner.Get();
        SolidBrushObject veil;
        if (gOwner.Ok() && veil.CreateSolidFill(ToArgb(kWhite, Engine().veilAlpha))) {
          g.FillRectangleI(veil, 0, 0, w, h);
        }
      }
      TransparentBlt(backdrop.Get(), 0, 0, w, h, picture.Dc(), 0, 0, w, h, RGB(255, 0, 255));
      ExcludeChildren(window, paint);
      BitBlt(paint, 0, 0, w, h, backdrop.Get(), 0, 0, SRCCOPY);
    }
  }
  EndPaint(window, &ps);
}

}  // namespace

bool HasSkinnableBorder(HWND window) {
  if (GetWindowLongW(window, GWL_STYLE) & WS_BORDER) return true;
  const DWORD ex = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  for (const DWORD bits : {WS_EX_WINDOWEDGE, WS_EX_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE, WS_EX_DLGMODALFRAME,
                           WS_EX_PALETTEWINDOW}) {
    if ((ex & bits) == bits) return true;
  }
  return false;
}

RECT ListInnerRect(HWND window) { return ClientAndBarsInWindow(window); }

bool ListBarGeometry(HWND window, int bar, BarGeometry& geometry) {
  RECT rect{};
  if (!BarRectInWindow(window, bar, rect)) return false;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(window, bar, &info)) info = SCROLLINFO{sizeof info, 0, 0, 0, 0, 0, 0};
  geometry = ComputeBarGeometry(rect, bar == SB_VERT, info);
  return true;
}

void PaintListScrollBars(HWND window) {
  if (ListControlRecord* record = RecordOf(window)) PaintBars(window, *record);
}

void InstallListControls(int skinIndex, HWND parent) {
  if (!EngineRunning() || !Engine().tintSwitch) return;
  const bool veil = Engine().veilAlphaGiven;
  for (HWND c = FindWindowExW(parent, nullptr, L"ListBox", nullptr); c; c = FindWindowExW(parent, c, L"ListBox", nullptr)) {
    Register(skinIndex, c);
  }
  for (HWND combo = FindWindowExW(parent, nullptr, L"ComboBox", nullptr); combo;
       combo = FindWindowExW(parent, combo, L"ComboBox", nullptr)) {
    HWND list = FindWindowExW(combo, nullptr, L"ComboLBox", nullptr);
    if (list && !(GetWindowLongW(list, GWL_STYLE) & LBS_OWNERDRAWFIXED)) Register(skinIndex, list);
  }
  for (HWND c = FindWindowExW(parent, nullptr, WC_LISTVIEWW, nullptr); c; c = FindWindowExW(parent, c, WC_LISTVIEWW, nullptr)) {
    if (GetWindowLongW(c, GWL_STYLE) & kListViewKeepsSystemLook) continue;
    if (veil) SendMessageW(c, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    Register(skinIndex, c);
  }
  for (HWND c = FindWindowExW(parent, nullptr, WC_TREEVIEWW, nullptr); c; c = FindWindowExW(parent, c, WC_TREEVIEWW, nullptr)) {
    if (veil) SendMessageW(c, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(RGB(255, 0, 255)));
    Register(skinIndex, c);
  }
  for (const wchar_t* cls : {WC_IPADDRESSW, DATETIMEPICK_CLASSW}) {
    for (HWND c = FindWindowExW(parent, nullptr, cls, nullptr); c; c = FindWindowExW(parent, c, cls, nullptr)) {
      Register(skinIndex, c);
    }
  }
}

void PaintListFrame(HWND window, bool hot, bool focused) {
  RECT outer{};
  GetWindowRect(window, &outer);
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  if (w <= 0 || h <= 0) return;
  const RECT inner = ListInnerRect(window);
  ScopedBackdrop backdrop(window, RECT{0, 0, w, h});
  if (!backdrop.Get()) return;
  {
    DcGraphics gOwner(backdrop.Get());
    if (!gOwner.Ok()) return;
    GraphicsObject& g = gOwner.Get();
    if (IsClass(window, "combolbox") || !HasSkinnableBorder(window)) {
      g.GraphicsClear(kMagenta);
    } else {
      g.SetClipRectI(0, 0, w, h, gp::CombineModeReplace);
      g.SetClipRectI(inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top, gp::CombineModeXor);
      if (Engine().veilAlphaGiven) {
        SolidBrushObject veil;
        if (veil.CreateSolidFill(ToArgb(kWhite, Engine().veilAlpha))) g.FillRectangleI(veil, 0, 0, w, h);
      } else {
        g.GraphicsClear(ToArgb(kWhite));
      }
      g.ResetClip();
      g.SetClipRectI(inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top, gp::CombineModeReplace);
      g.GraphicsClear(kMagenta);
      g.ResetClip();
      PenObject pen;
      const COLORREF accent = Engine().accentColour;
      if (hot) {
        if (pen.CreatePen1(ToArgb(accent, 200), 2)) g.DrawRectangleI(pen, 1, 1, w - 2, h - 2);
      } else if (focused) {
        if (pen.CreatePen1(ToArgb(accent, 200), 1)) g.DrawRectangleI(pen, 0, 0, w - 1, h - 1);
      } else if (pen.CreatePen1(ToArgb(kBlack, 90), 1)) {
        g.DrawRectangleI(pen, 0, 0, w - 1, h - 1);
      }
    }
  }
  WholeWindowDc dc(window);
  if (!dc.Get()) return;
  ExcludeClipRect(dc.Get(), inner.left, inner.top, inner.right, inner.bottom);
  TransparentBlt(dc.Get(), 0, 0, w, h, backdrop.Get(), 0, 0, w, h, RGB(255, 0, 255));
}

LRESULT CALLBACK ListControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ListControlRecord* record = RecordOf(window);
  if (!record) return CallPrevious(window, message, wParam, lParam);
  SkinWindow& skin = *SkinWindowAt(static_cast<int>(GetPropValue(window, kPropSkinIndex)));
  const int index = static_cast<int>(GetPropValue(window, kPropListIndex));
  const WNDPROC previous = record->previous;
  const bool veil = Engine().veilAlphaGiven;
  const bool dragging = record->dragBar >= 0;
  bool forceBars = false;
  switch (message) {
    case WM_MOUSEMOVE:
      if (dragging) {
        if (record->dragPart == BarPart::Thumb) DragTo(window, *record, WindowPointOfClient(window, lParam));
        return 0;
      }
      TrackLeave(window);
      SetHot(window, *record, skin, index);
      if (record->hotBar >= 0) SetHotBarPart(window, *record, -1, BarPart::None);
      break;
    case WM_MOUSELEAVE:
      if (CursorInsideWindow(window)) {
        StartHoverPolling(window, *record);  // over the frame, a bar or the header
      } else if (record->hot) {
        ClearHot(window, *record, skin);
      }
      break;
    case WM_NCMOUSEMOVE:
      SetHot(window, *record, skin, index);
      StartHoverPolling(window, *record);
      if (wParam == HTVSCROLL || wParam == HTHSCROLL) {
        const auto [bar, part] = BarPartAt(window, WindowPointOfScreen(window, lParam));
        if (!dragging) SetHotBarPart(window, *record, bar, part);
        return 0;
      }
      if (!dragging) SetHotBarPart(window, *record, -1, BarPart::None);
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTVSCROLL || wParam == HTHSCROLL) {
        if (GetFocus() != window && (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP)) SetFocus(window);
        StartDrag(window, *record, WindowPointOfScreen(window, lParam));
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (dragging) {
        ReleaseCapture();  // WM_CAPTURECHANGED ends the drag
        if (record->dragBar >= 0) EndDrag(window, *record);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (dragging) {
        EndDrag(window, *record);
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kRepeatTimer) {
        if (dragging) {
          RepeatStep(window, *record);
        } else {
          KillTimer(window, kRepeatTimer);
        }
        return 0;
      }
      if (wParam == kHoverTimer) {
        PollHover(window, *record, skin);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      record->focused = true;
      PaintListFrame(window, record->hot, true);
      break;
    case WM_KILLFOCUS:
      record->focused = false;
      PaintListFrame(window, record->hot, false);
      break;
    case WM_MOVE:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
      if (veil) InvalidateRect(window, nullptr, TRUE);
      forceBars = message != WM_MOVE;
      break;
    case WM_SIZE:
    case WM_SETREDRAW:
      forceBars = true;
      break;
    case WM_KEYDOWN:
      if (wParam >= VK_LEFT && wParam <= VK_DOWN) record->arrowScrolling = true;
      break;
    case WM_KEYUP:
      if (!dragging && GetCapture() == window) ReleaseCapture();
      record->arrowScrolling = false;
      break;
    case kArrowScrollMessage:
      if (veil && record->arrowScrolling) InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_NCPAINT:
      // The frame and the bars are painted here; nothing of the system's look is left.
      PaintListFrame(window, record->hot, record->focused);
      PaintBars(window, *record);
      return 0;
    case WM_PAINT: {
      PaintListFrame(window, record->hot, record->focused);
      const std::string cls = ClassOf(window);
      if (veil && cls == "systreeview32") {
        PaintTreeOverSkin(window, *record);
        FollowScrollState(window, *record, false);
        return 0;
      }
      if (veil && (cls == "syslistview32" || cls == "listbox" || cls == "combolbox")) {
        PaintOverSkin(window, *record);
        FollowScrollState(window, *record, false);
        return 0;
      }
      break;
    }
    case WM_ERASEBKGND:
      if (veil) {
        const std::string cls = ClassOf(window);
        HDC dc = reinterpret_cast<HDC>(wParam);
        const bool ownerDrawn = (cls == "listbox" || cls == "combolbox") && IsOwnerDrawnListBox(window);
        if (cls == "systreeview32" || cls == "syslistview32" || (cls == "listbox" && !ownerDrawn)) {
          SetBkMode(dc, TRANSPARENT);
          return 1;
        }
        if (cls != "combolbox" && !ownerDrawn) {
          SetBkMode(dc, TRANSPARENT);
          const RECT r = ClientRectInWindow(window);
          ScopedBackdrop backdrop(window, r);
          if (backdrop.Get()) BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, backdrop.Get(), 0, 0, SRCCOPY);
          return static_cast<LRESULT>(SetTextColor(dc, static_cast<COLORREF>(GetPropValue(window, kPropTextColour))));
        }
      }
      break;
    case WM_NCDESTROY: {
      KillTimer(window, kRepeatTimer);
      KillTimer(window, kHoverTimer);
      if (skin.hotKind == kHotKindList && skin.lastHotControl == index) skin.lastHotControl = 0;
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    default:
      break;
  }
  const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
  if (ListControlRecord* still = RecordOf(window)) FollowScrollState(window, *still, forceBars);
  return result;
}
