#include "skin/up_down.h"

#include <commctrl.h>

#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "skin/control_paint.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/text_painters.h"

namespace {

using palette::kBlack;
using palette::kWhite;

UpDownRecord* RecordAt(int skinIndex, int index) {
  SkinWindow* skin = SkinWindowAt(skinIndex);
  if (!skin) return nullptr;
  auto& list = skin->List(Family::UpDown);
  if (index < 1 || index > static_cast<int>(list.size()) || !list[index - 1]->window) return nullptr;
  return static_cast<UpDownRecord*>(list[index - 1].get());
}

// The two rounded halves with their arrows; the lit half (hot or pressed) in the accent.
void DrawUpDown(GraphicsObject& g, int w, int h, bool horizontal, bool hot, bool pressed, int lit) {
  g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
  PathObject whole;
  MakeRoundedPath(whole, 0, 0, static_cast<float>(w - 1), static_cast<float>(h - 1), 3);
  FillSolid(g, whole, ToArgb(kWhite, 160));
  const COLORREF accent = Engine().accentColour;
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
    const gp::PointF from{x, y}, to{horizontal ? x + hw : x, horizontal ? y : y + hh};
    if ((hot || pressed) && half == lit) {
      if (pressed) {
        FillGradient(g, from, to, ToArgb(accent, 100), ToArgb(kWhite, 150), &shape);
      } else {
        FillGradient(g, from, to, ToArgb(kWhite, 100), ToArgb(accent, 150), &shape);
      }
      StrokePath(g, shape, ToArgb(accent, 200));
    } else {
      const int top = (!horizontal && half == 0) ? 60 : 20;
      FillGradient(g, from, to, ToArgb(kWhite, top), ToArgb(accent, 100), &shape);
      StrokePath(g, shape, ToArgb(kBlack, 100));
    }
    const wchar_t* glyph = horizontal ? (half ? L"ARROW_RIGHT" : L"ARROW_LEFT") : (half ? L"ARROW_DOWN" : L"ARROW_UP");
    g.SetSmoothingMode(gp::SmoothingModeNone);
    DrawGlyphCentred(g, NamedGlyph(glyph), x, y, hw + 1, hh + 1);
    g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
  }
}

}  // namespace

int UpDownHalfAt(int width, int height, bool horizontal, int x, int y) {
  const int half = ((horizontal ? width : height) + 1) / 2;
  return half < (horizontal ? x : y) ? 1 : 0;
}

int HitTestUpDownHalf(int skinIndex, int upDownIndex, LPARAM point) {
  UpDownRecord* record = RecordAt(skinIndex, upDownIndex);
  if (!record) return 0;
  const SIZE size = WindowSizeOf(record->window);
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
  switch (message) {
    case WM_NCDESTROY:
      record->hover.Forget(window);
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    case WM_MOUSEMOVE: {
      const int half = HitTestUpDownHalf(skinIndex, index, lParam);
      // Moving from one half to the other lights the other one.
      if (record->hover.Enter(window) || half != record->hotHalf) {
        record->hotHalf = half;
        PaintAtOnce(window, PaintUpDown);
      }
      break;
    }
    case WM_MOUSELEAVE:
      if (record->hover.Leave(window)) PaintAtOnce(window, PaintUpDown);
      break;
    case WM_MOVE:
      PaintAtOnce(window, PaintUpDown);
      break;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      ServePaint(window, message, wParam, PaintUpDown);
      return 0;
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
      if (RecordAt(skinIndex, index) == record) PaintAtOnce(window, PaintUpDown);
      return result;
    }
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

void PaintUpDown(HWND window, HDC dc, DcOrigin origin) {
  auto* record = static_cast<UpDownRecord*>(FamilyRecordOf(window, Family::UpDown));
  if (!record || !dc) return;
  const SIZE size = WindowSizeOf(window);
  const int w = size.cx, h = size.cy;
  if (w <= 0 || h <= 0) return;
  const bool hot = record->hover.Inside(), pressed = record->buttonDown;
  // Only a lit half tells the halves apart.
  const int lit = (hot || pressed) ? record->hotHalf : 0;
  const int state = (hot ? 1 : 0) | (pressed ? 2 : 0) | lit << 2;
  const std::size_t look = LookHash().Add(static_cast<int>(Engine().accentColour)).Add(record->horizontal ? 1 : 0).Value();
  const Surface* face = FaceOf(window, record->behind, record->faces, state, look, w, h, [&](GraphicsObject& g) {
    DrawUpDown(g, w, h, record->horizontal, hot, pressed, lit);
  });
  if (face) CopyWindowPicture(window, dc, origin, face->Dc(), w, h);
}
