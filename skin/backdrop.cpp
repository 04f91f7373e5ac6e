#include "skin/backdrop.h"
#include "skin/backdrop_cache.h"

#include <commctrl.h>

#include <algorithm>

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "skin/frame_paint.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/window_parts.h"
#include "skin/skin_core.h"
#include "skin/veil.h"

namespace {

ContainerRecord* ContainerAt(int skinIndex, int containerIndex) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return nullptr;
  auto& list = record->List(Family::Container);
  if (containerIndex < 1 || containerIndex > static_cast<int>(list.size())) return nullptr;
  return static_cast<ContainerRecord*>(list[containerIndex - 1].get());
}

// A registered container of any skin window: (skin index, container index), or zeros.
std::pair<int, int> FindContainer(HWND window) {
  if (!EngineRunning()) return {0, 0};
  for (size_t s = 0; s < Engine().windows.size(); ++s) {
    auto& list = Engine().windows[s]->List(Family::Container);
    for (size_t c = 0; c < list.size(); ++c) {
      if (list[c]->window == window) return {static_cast<int>(s) + 1, static_cast<int>(c) + 1};
    }
  }
  return {0, 0};
}

void LayTint(HDC dc, const ContainerRecord& container, int w, int h) {
  if (container.value == 0) return;
  PixelGraphics drawing(dc);
  GraphicsObject& graphics = drawing.Get();
  SolidBrushObject brush;
  if (!drawing.Ok() || !brush.CreateSolidFill(ToArgb(container.value, container.alpha))) return;
  if (container.isGroupBox) {
    PathObject path;
    MakeRoundedPath(path, 0, 5, static_cast<float>(w), static_cast<float>(h - 6), 5);
    graphics.FillPath(brush, path);
  } else {
    graphics.FillRectangleI(brush, 0, 0, w, h);
  }
}

HDC NewBackdropDc(int w, int h) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = std::max(w, 1);
  info.bmiHeader.biHeight = -std::max(h, 1);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  ++EngineCounters().dibSections;
  HBITMAP bitmap = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (!bitmap) {
    if (dc) DeleteDC(dc);
    return nullptr;
  }
  HGDIOBJ previous = SelectObject(dc, bitmap);
  const BackdropEntry entry{dc, bitmap, previous, bits, std::max(w, 1), std::max(h, 1)};
  auto& list = Engine().backdrops;
  auto known = std::find_if(list.begin(), list.end(), [dc](const BackdropEntry& e) { return e.dc == dc; });
  if (known != list.end()) {
    *known = entry;
  } else {
    list.push_back(entry);
  }
  return dc;
}

// The skin window's back buffer, composed now when no paint has made it yet.
HDC BackBufferOf(int skinIndex) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record) return nullptr;
  if (!record->backBuffer.Dc()) PaintWholeWindow(skinIndex, nullptr, false);
  return record->backBuffer.Dc();
}

}  // namespace

BackdropSource FindBackdropSource(HWND window) {
  BackdropSource source;
  if (const int index = FindSkinWindow(window)) {
    source.direct = true;
    source.skinIndex = index;
    return source;
  }
  for (HWND up = GetParent(window); up; up = GetParent(up)) {
    if (const int index = FindSkinWindow(up)) {
      source.direct = true;
      source.skinIndex = index;
      return source;
    }
    const auto [skinIndex, containerIndex] = FindContainer(up);
    if (containerIndex) {
      source.skinIndex = skinIndex;
      source.containerIndex = containerIndex;
      return source;
    }
  }
  return source;
}

const ContainerRecord* ContainerTintOf(HWND window, const BackdropSource& source) {
  if (source.direct) {
    const auto [s, c] = FindContainer(window);
    return ContainerAt(s, c);
  }
  return ContainerAt(source.skinIndex, source.containerIndex);
}

RECT RectInSkinWindow(HWND window) {
  const int index = FindSkinnedAncestor(window);
  SkinWindow* record = SkinWindowAt(index);
  if (!record || record->window == window) return RECT{};
  return RectRelativeTo(record->window, window);
}

HDC PaintBackdrop(HWND window, const RECT& rect) {
  if (!EngineRunning()) return nullptr;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const BackdropSource source = FindBackdropSource(window);
  if (!source.skinIndex) return nullptr;
  HDC from = BackBufferOf(source.skinIndex);
  if (!from) return nullptr;
  HDC dc = NewBackdropDc(w, h);
  if (!dc) return nullptr;
  if (source.direct) {
    const RECT offset = RectInSkinWindow(window);
    BitBlt(dc, 0, 0, w, h, from, offset.left + rect.left, offset.top + rect.top, SRCCOPY);
    const auto [s, c] = FindContainer(window);
    if (ContainerRecord* own = ContainerAt(s, c)) LayTint(dc, *own, w, h);
  } else {
    const RECT offset = RectInRoot(window);
    BitBlt(dc, 0, 0, w, h, from, offset.left + rect.left, offset.top + rect.top, SRCCOPY);
    if (ContainerRecord* container = ContainerAt(source.skinIndex, source.containerIndex)) {
      LayTint(dc, *container, w, h);
    }
  }
  return dc;
}

bool ReleaseBackdrop(HDC dc) {
  if (!dc || !EngineRunning()) return false;
  auto& list = Engine().backdrops;
  auto it = std::find_if(list.begin(), list.end(), [dc](const BackdropEntry& e) { return e.dc == dc; });
  if (it == list.end()) return false;
  SelectObject(it->dc, it->previous);
  DeleteObject(it->bitmap);
  DeleteDC(it->dc);
  list.erase(it);
  return true;
}

HBITMAP BackdropBitmap(HWND window) {
  const RECT r = ClientRectInWindow(window);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0 || !EngineRunning()) return nullptr;
  // Of the back buffer's kind (32 bits a pixel), as the pattern brushes made from it expect.
  HDC back = BackBufferOf(FindBackdropSource(window).skinIndex);
  UniqueMemoryDc copy(back ? CreateCompatibleDC(back) : nullptr);
  UniqueBitmap bitmap(copy ? CreateCompatibleBitmap(back, w, h) : nullptr);
  if (!bitmap) return nullptr;
  HGDIOBJ previous = SelectObject(copy.get(), bitmap.get());
  const bool copied = CopyVeiledBackdrop(window, r, copy.get(), 0, 0);
  SelectObject(copy.get(), previous);
  return copied ? bitmap.release() : nullptr;
}

ScopedBackdrop ControlBackdrop(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  ScopedBackdrop backdrop(window, RECT{0, 0, w, h});
  if (backdrop) LayVeil(backdrop.Get(), w, h);
  return backdrop;
}

bool HasTransparentExStyle(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; }

void ExcludeChildren(HWND window, HDC dc) {
  // The system clips every child out of such a window's DCs already.
  if (GetWindowLongW(window, GWL_STYLE) & WS_CLIPCHILDREN) return;
  POINT origin{0, 0};  // the client area's place on the screen, asked once for all children
  ClientToScreen(window, &origin);
  // One region for all children, applied in one call: each clip change of a window DC is
  // costly, and a cached paint must stay close to a plain copy.
  HRGN children = nullptr;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (!(style & WS_VISIBLE) || HasTransparentExStyle(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    OffsetRect(&r, -origin.x, -origin.y);
    if (!children) {
      children = CreateRectRgnIndirect(&r);
    } else if (HRGN one = CreateRectRgnIndirect(&r)) {
      CombineRgn(children, children, one, RGN_OR);
      DeleteObject(one);
    }
  }
  if (children) {
    ExtSelectClipRgn(dc, children, RGN_DIFF);
    DeleteObject(children);
  }
}

void InvalidateVisibleChildren(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
  }
}

DcExcludingChildren::DcExcludingChildren(HWND window) : window_(window), dc_(GetDC(window)) {
  if (dc_) ExcludeChildren(window, dc_);
}

DcExcludingChildren::~DcExcludingChildren() {
  if (dc_) ReleaseDC(window_, dc_);
}

bool AnswerControlColour(int skinIndex, UINT message, HDC dc, HWND control, LRESULT& result) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  if (!record || !TintingOn() || !control) return false;
  bool pattern = false;
  switch (message) {
    case WM_CTLCOLOREDIT:
      // The edit of a combo box keeps its box's colours.
      if (IsClass(GetParent(control), "combobox")) return false;
      pattern = true;
      break;
    case WM_CTLCOLORLISTBOX:
      if (!IsClass(control, "listbox") ||
          (GetWindowLongW(control, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) {
        return false;
      }
      break;
    case WM_CTLCOLORBTN:
      break;
    case WM_CTLCOLORSTATIC:
      pattern = true;
      break;
    default:
      return false;
  }
  SetTextColor(dc, TextColourOf(control));
  SetBkMode(dc, TRANSPARENT);
  ControlBrush& held = record->brushes[control];
  if (pattern) {
    // The brush handed out last still shows the skin behind the control until that goes stale.
    // A fresh brush each time, but from the picture kept since the last answer while that
    // picture still shows what is behind the control.
    const BackdropKey key = BackdropKeyOf(control, ClientRectInWindow(control), true);
    if (held.bitmap && held.key == key) {
      if (HBRUSH brush = CreatePatternBrush(held.bitmap.get())) {
        held.Replace(brush, false, held.bitmap.release());
        SetPropValue(control, kPropBrush, reinterpret_cast<LONG_PTR>(held.brush));
        result = reinterpret_cast<LRESULT>(held.brush);
        return true;
      }
    }
    held.key = key;
    HBITMAP bitmap = BackdropBitmap(control);
    HBRUSH brush = bitmap ? CreatePatternBrush(bitmap) : nullptr;
    if (!brush) {
      if (bitmap) DeleteObject(bitmap);
      held.Replace(static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)), true, nullptr);
    } else {
      held.Replace(brush, false, bitmap);
    }
  } else {
    held.Replace(static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)), true, nullptr);
  }
  SetPropValue(control, kPropBrush, reinterpret_cast<LONG_PTR>(held.brush));
  SetPropValue(control, kPropBrushBitmap, reinterpret_cast<LONG_PTR>(held.bitmap.get()));
  result = reinterpret_cast<LRESULT>(held.brush);
  return true;
}

void RepaintChangedControl(WPARAM wParam, LPARAM lParam) {
  HWND control = reinterpret_cast<HWND>(lParam);
  if (!TintingOn() || !control) return;
  const UINT code = HIWORD(wParam);
  const std::string cls = ClassOf(control);
  const bool changed =
      (cls == "edit" && (code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE)) ||
      (cls == "listbox" && (code == LBN_SELCHANGE || code == LBN_SELCANCEL)) ||
      (cls == "combobox" && (code == CBN_KILLFOCUS || code == CBN_SELCHANGE));
  if (changed) InvalidateRect(control, nullptr, TRUE);
}

namespace {

}  // namespace

bool AnswerChildMessage(int skinIndex, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      return AnswerControlColour(skinIndex, message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                 result);
    case WM_DRAWITEM: {
      // The structure lives in this process: the message is sent, never posted.
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (OwnerDrawnButtonPainter() && item) OwnerDrawnButtonPainter()(*item);
      return false;
    }
    case WM_NOTIFY: {
      if (const auto* header = reinterpret_cast<const NMHDR*>(lParam)) {
        const UINT code = header->code;
        if (code == TVN_ITEMEXPANDINGA || code == TVN_ITEMEXPANDEDA || code == TVN_ITEMEXPANDINGW ||
            code == TVN_ITEMEXPANDEDW) {
          InvalidateRect(header->hwndFrom, nullptr, TRUE);
        }
      }
      return false;
    }
    case WM_COMMAND:
      RepaintChangedControl(wParam, lParam);
      return false;
    case WM_PARENTNOTIFY: {
      HWND child = reinterpret_cast<HWND>(lParam);
      // A child that got colours from us takes its brush and properties with it.
      if (LOWORD(wParam) == WM_DESTROY) ForgetControlColour(child);
      // A transparent child made after skinning shows the skin behind it: the window's
      // paints stop clipping its children out.
      SkinWindow* skin = SkinWindowAt(skinIndex);
      if (LOWORD(wParam) == WM_CREATE && skin && GetParent(child) == skin->window && HasTransparentExStyle(child)) {
        const LONG_PTR style = GetWindowLongPtrW(skin->window, GWL_STYLE);
        if (style & WS_CLIPCHILDREN) SetWindowLongPtrW(skin->window, GWL_STYLE, style & ~WS_CLIPCHILDREN);
      }
      return false;
    }
    default:
      return false;
  }
}
