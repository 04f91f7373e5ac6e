#include "skin/up_down.h"

#include <commctrl.h>

#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "skin/backdrop.h"
#include "skin/family_painters.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

UpDownRecord* RecordAt(int skinIndex, int index) {
  SkinWindow* skin = SkinWindowAt(skinIndex);
  if (!skin) return nullptr;
  auto& list = skin->List(Family::UpDown);
  if (index < 1 || index > static_cast<int>(list.size()) || !list[index - 1]->window) return nullptr;
  return static_cast<UpDownRecord*>(list[index - 1].get());
}

SIZE WindowSize(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

int UpDownHalfAt(int width, int height, bool horizontal, int x, int y) {
  const int half = ((horizontal ? width : height) + 1) / 2;
  return half < (horizontal ? x : y) ? 1 : 0;
}

int HitTestUpDownHalf(int skinIndex, int upDownIndex, LPARAM point) {
  UpDownRecord* record = RecordAt(skinIndex, upDownIndex);
  if (!record) return 0;
  const SIZE size = WindowSize(record->window);
  return UpDownHalfAt(size.cx, size.cy, record->horizontal, XOf(point), YOf(point));
}

void InstallUpDowns(int skinIndex, HWND parent) {
  if (!EngineRunning() || !Engine().tintSwitch) return;
  for (HWND child = FindWindowExW(parent, nullptr, UPDOWN_CLASSW, nullptr); child;
       child = FindWindowExW(parent, child, UPDOWN_CLASSW, nullptr)) {
    if (FindInFamilyList(skinIndex, Family::UpDown, child)) continue;
    auto owned = std::make_unique<UpDownRecord>();
    UpDownRecord& record = *owned;
    record.horizontal = (GetWindowLongPtrW(child, GWL_STYLE) & UDS_HORZ) != 0;
    const int index = AddFamilyRecord(skinIndex, Family::UpDown, std::move(owned));
    if (index) SubclassControl(child, record, skinIndex, index, UpDownWndProc);
  }
}

LRESULT CALLBACK UpDownWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* record = static_cast<UpDownRecord*>(FamilyRecordOf(window, Family::UpDown));
  if (!record) return CallPrevious(window, message, wParam, lParam);
  const WNDPROC previous = record->previous;
  const int skinIndex = SkinIndexOf(window);
  const int index = ListIndexOf(window);
  SkinWindow* skin = SkinWindowAt(skinIndex);
  switch (message) {
    case WM_NCDESTROY:
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    case WM_MOUSEMOVE: {
      TrackLeave(window);
      const int half = HitTestUpDownHalf(skinIndex, index, lParam);
      if (skin) {
        skin->hotControl = index;
        if (skin->lastHotControl != index || skin->hotKind != kHotKindUpDown || half != record->hotHalf || !record->hot) {
          record->hot = true;
          record->hotHalf = half;
          PaintUpDown(skinIndex, index, 1, -1, &lParam);
          skin->lastHotControl = index;
          skin->hotKind = kHotKindUpDown;
        }
      }
      break;
    }
    case WM_MOUSELEAVE:
      if (skin) skin->lastHotControl = 0;
      record->hot = false;
      PaintUpDown(skinIndex, index, 0);
      break;
    case WM_MOVE:
      PaintUpDown(skinIndex, index);
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      PaintUpDown(skinIndex, index);
      return 0;
    }
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_NCPAINT:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
      record->buttonDown = message == WM_LBUTTONDOWN;
      record->hotHalf = HitTestUpDownHalf(skinIndex, index, lParam);
      // The control draws its pressed arrow itself: the skinned picture goes over it.
      const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
      if (RecordAt(skinIndex, index) == record) PaintUpDown(skinIndex, index, -1, -1, &lParam);
      return result;
    }
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

void PaintUpDown(int skinIndex, int upDownIndex, int hot, int pressed, const LPARAM* point) {
  UpDownRecord* record = RecordAt(skinIndex, upDownIndex);
  if (!record) return;
  HWND window = record->window;
  const SIZE size = WindowSize(window);
  const int w = size.cx, h = size.cy;
  if (w <= 0 || h <= 0) return;
  const bool isHot = hot >= 0 ? hot > 0 : record->hot;
  const bool isPressed = pressed >= 0 ? pressed > 0 : record->buttonDown;
  const bool horizontal = record->horizontal;
  int lit = record->hotHalf;
  if (point) lit = UpDownHalfAt(w, h, horizontal, XOf(*point), YOf(*point));
  HDC backdrop = PaintBackdrop(window, RECT{0, 0, w, h});
  if (!backdrop) return;
  {
    GraphicsObject g;
    if (g.CreateFromHDC(backdrop)) {
      g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
      PathObject whole;
      MakeRoundedPath(whole, 0, 0, static_cast<float>(w - 1), static_cast<float>(h - 1), 3);
      FillPathSolid(g, whole, ToArgb(kWhite, 160));
      const int split = ((horizontal ? w : h) + 1) / 2;
      for (int half = 0; half < 2; ++half) {
        float x, y, hw, hh;
        if (horizontal) {
          x = half ? static_cast<float>(split) : 0;
          y = 0;
          hw = static_cast<float>(half ? w - split : split) - 1;
          hh = static_cast<float>(h - 1);
        } else {
          x = 0;
          y = half ? static_cast<float>(split) : 0;
          hw = static_cast<float>(w - 1);
          hh = static_cast<float>(half ? h - split : split) - 1;
        }
        if (hw < 1 || hh < 1) continue;
        PathObject shape;
        MakeRoundedPath(shape, x, y, hw, hh, 3);
        const float x2 = horizontal ? x + hw : x, y2 = horizontal ? y : y + hh;
        if ((isHot || isPressed) && half == lit) {
          if (isPressed) {
            FillGradient(g, &shape, x, y, x2, y2, ToArgb(Engine().accentColour, 100), ToArgb(kWhite, 150));
          } else {
            FillGradient(g, &shape, x, y, x2, y2, ToArgb(kWhite, 100), ToArgb(Engine().accentColour, 150));
          }
          OutlinePath(g, shape, ToArgb(Engine().accentColour, 200));
        } else {
          const int top = (!horizontal && half == 0) ? 60 : 20;
          FillGradient(g, &shape, x, y, x2, y2, ToArgb(kWhite, top), ToArgb(Engine().accentColour, 100));
          OutlinePath(g, shape, ToArgb(kBlack, 100));
        }
        const wchar_t* glyph = horizontal ? (half ? L"ARROW_RIGHT" : L"ARROW_LEFT") : (half ? L"ARROW_DOWN" : L"ARROW_UP");
        g.SetSmoothingMode(gp::SmoothingModeNone);
        DrawGlyphCentred(g, NamedGlyph(glyph), x, y, hw + 1, hh + 1);
        g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
      }
    }
  }
  if (HDC dc = GetWindowDC(window)) {
    BitBlt(dc, 0, 0, w, h, backdrop, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
  }
  ReleaseBackdrop(backdrop);
}
