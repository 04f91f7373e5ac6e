#include "skin/list_control.h"

#include <commctrl.h>

#include <algorithm>

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "skin/backdrop.h"
#include "skin/palette.h"
#include "skin/veil.h"
#include "skin/window_parts.h"
#include "skin/skin.h"

namespace {

using palette::kBlack;
using palette::kWhite;
constexpr UINT kArrowScrollMessage = 0x8002;

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
  const std::string cls = ClassOf(control);
  record.kind = cls == "listbox"         ? ListKind::ListBox
                : cls == "combolbox"     ? ListKind::ComboList
                : cls == "syslistview32" ? ListKind::ListView
                : cls == "systreeview32" ? ListKind::TreeView
                                         : ListKind::Other;
  SubclassControl(control, record, skinIndex, index, ListControlWndProc);
  // The frame keeps its size, so only its look is new: a shown control repaints its ring.
  if (IsWindowVisible(control)) RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// The system's part of the non-client area: the scroll bars and the corner between them,
// in screen coordinates; nullptr when the control shows no bar.
HRGN BarsRegion(HWND window) {
  if (!(GetWindowLongW(window, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL))) return nullptr;
  RECT outer{};
  GetWindowRect(window, &outer);
  RECT inner = ListInnerRect(window);
  RECT client = ClientRectInWindow(window);
  if (EqualRect(&inner, &client)) return nullptr;
  OffsetRect(&inner, outer.left, outer.top);
  OffsetRect(&client, outer.left, outer.top);
  HRGN bars = CreateRectRgnIndirect(&inner);
  HRGN clientRegion = CreateRectRgnIndirect(&client);
  if (bars && clientRegion) CombineRgn(bars, bars, clientRegion, RGN_DIFF);
  if (clientRegion) DeleteObject(clientRegion);
  return bars;
}

// The control's rows drawn by the control itself over the veiled skin behind its client
// area (kept between paints), then copied to the screen around its child windows (the
// header paints itself). Only the update region is drawn and copied.
void PaintOverSkin(HWND window, ListControlRecord& record) {
  PAINTSTRUCT ps;
  HDC paint = BeginPaint(window, &ps);
  const RECT r = ClientRectInWindow(window);
  const int w = r.right - r.left, h = r.bottom - r.top;
  Surface& rows = record.rowsPicture;
  const Surface* behind = paint && w > 0 && h > 0 ? record.rowsBackdrop.Get(window, r, true) : nullptr;
  if (behind && rows.Cover(w, h)) {
    const RECT& u = ps.rcPaint;
    BitBlt(rows.Dc(), u.left, u.top, u.right - u.left, u.bottom - u.top, behind->Dc(), u.left, u.top, SRCCOPY);
    IntersectClipRect(rows.Dc(), u.left, u.top, u.right, u.bottom);
    CallWindowProcW(record.previous, window, WM_PAINT, reinterpret_cast<WPARAM>(rows.Dc()), 0);
    SelectClipRgn(rows.Dc(), nullptr);
    ExcludeChildren(window, paint);
    BitBlt(paint, u.left, u.top, u.right - u.left, u.bottom - u.top, rows.Dc(), u.left, u.top, SRCCOPY);
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
      LayVeil(backdrop.Get(), w, h);
      ++EngineCounters().keyedCopies;
      TransparentBlt(backdrop.Get(), 0, 0, w, h, picture.Dc(), 0, 0, w, h, palette::kChildKey);
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

RECT ListInnerRect(HWND window) {
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  LONG innerWidth = client.right, innerHeight = client.bottom;
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  if ((style & WS_VSCROLL) && GetScrollBarInfo(window, OBJID_VSCROLL, &bar)) {
    innerWidth += bar.rcScrollBar.right - bar.rcScrollBar.left;
  }
  bar = SCROLLBARINFO{};
  bar.cbSize = sizeof bar;
  if ((style & WS_HSCROLL) && GetScrollBarInfo(window, OBJID_HSCROLL, &bar)) {
    innerHeight += bar.rcScrollBar.bottom - bar.rcScrollBar.top;
  }
  // The border is taken as equal on both sides: the inner area is centred.
  const LONG left = (outer.right - outer.left - innerWidth) / 2, top = (outer.bottom - outer.top - innerHeight) / 2;
  return RECT{left, top, left + innerWidth, top + innerHeight};
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
    if (veil) SendMessageW(c, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(palette::kChildKey));
    Register(skinIndex, c);
  }
  for (const wchar_t* cls : {WC_IPADDRESSW, DATETIMEPICK_CLASSW}) {
    for (HWND c = FindWindowExW(parent, nullptr, cls, nullptr); c; c = FindWindowExW(parent, c, cls, nullptr)) {
      Register(skinIndex, c);
    }
  }
}

void PaintListFrame(HWND window, bool hot, bool focused) {
  // A combo box's list and a control without a border show no frame.
  ListControlRecord* record = RecordOf(window);
  if (!record || record->kind == ListKind::ComboList || !HasSkinnableBorder(window)) return;
  const RingState state = hot ? RingState::Hot : focused ? RingState::Focused : RingState::Plain;
  record->frame.Paint(window, state, ListInnerRect(window), RingLook{Engine().veilAlphaGiven, 200, 90});
}

LRESULT CALLBACK ListControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ListControlRecord* record = RecordOf(window);
  if (!record) return CallPrevious(window, message, wParam, lParam);
  const WNDPROC previous = record->previous;
  const bool veil = Engine().veilAlphaGiven;
  switch (message) {
    case WM_MOUSEMOVE:
      if (record->hover.Enter(window)) PaintListFrame(window, true, record->focused);
      break;
    case WM_MOUSELEAVE:
      if (record->hover.Leave(window)) PaintListFrame(window, false, record->focused);
      break;
    case WM_SETFOCUS:
      record->focused = true;
      PaintListFrame(window, record->hover.Inside(), true);
      break;
    case WM_KILLFOCUS:
      record->focused = false;
      PaintListFrame(window, record->hover.Inside(), false);
      break;
    case WM_MOVE:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
      // Rows moved by scrolling would carry the skin behind them to the wrong place.
      if (veil) InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_KEYDOWN:
      if (wParam >= VK_LEFT && wParam <= VK_DOWN) record->arrowScrolling = true;
      break;
    case WM_KEYUP:
      if (GetCapture() == window) ReleaseCapture();
      record->arrowScrolling = false;
      break;
    case kArrowScrollMessage:
      if (veil && record->arrowScrolling) InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_NCPAINT: {
      // The frame ring is ours; the system draws its scroll bars inside it.
      PaintListFrame(window, record->hover.Inside(), record->focused);
      HRGN bars = BarsRegion(window);
      if (!bars) return 0;  // nothing of the system's is left to draw
      const LRESULT result = DefWindowProcW(window, WM_NCPAINT, reinterpret_cast<WPARAM>(bars), lParam);
      DeleteObject(bars);
      return result;
    }
    case WM_PAINT: {
      PaintListFrame(window, record->hover.Inside(), record->focused);
      const ListKind kind = record->kind;
      if (veil && kind == ListKind::TreeView) {
        PaintTreeOverSkin(window, *record);
        return 0;
      }
      if (veil && (kind == ListKind::ListView || kind == ListKind::ListBox || kind == ListKind::ComboList)) {
        PaintOverSkin(window, *record);
        return 0;
      }
      break;
    }
    case WM_ERASEBKGND:
      if (veil) {
        const ListKind kind = record->kind;
        HDC dc = reinterpret_cast<HDC>(wParam);
        const bool ownerDrawn =
            (kind == ListKind::ListBox || kind == ListKind::ComboList) && IsOwnerDrawnListBox(window);
        if (kind == ListKind::TreeView || kind == ListKind::ListView || (kind == ListKind::ListBox && !ownerDrawn)) {
          SetBkMode(dc, TRANSPARENT);
          return 1;
        }
        if (kind != ListKind::ComboList && !ownerDrawn) {
          SetBkMode(dc, TRANSPARENT);
          const RECT r = ClientRectInWindow(window);
          ScopedBackdrop backdrop(window, r);
          if (backdrop.Get()) BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, backdrop.Get(), 0, 0, SRCCOPY);
          return static_cast<LRESULT>(SetTextColor(dc, TextColourOf(window)));
        }
      }
      break;
    case WM_NCDESTROY: {
      record->hover.Forget(window);
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}
