#include "skin/check_radio.h"

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "skin/backdrop.h"
#include "skin/button_kinds.h"
#include "skin/family_painters.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kGlow = 0xDDCA22;


CheckRadioRecord* RecordOf(HWND window) {
  return static_cast<CheckRadioRecord*>(FamilyRecordOf(window, Family::CheckRadio));
}

// What both painters share: backdrop, disabled face, text right of the mark, the copy to
// the window. `mark` draws the box or circle at (x, y) of the 13-pixel mark cell.
template <typename Mark>
void PaintButtonFrame(HWND window, UINT state, Mark mark) {
  CheckRadioRecord* record = RecordOf(window);
  if (!record) return;
  RECT client{};
  GetClientRect(window, &client);
  const int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
  HDC backdrop = PaintBackdrop(window, client);
  if (!backdrop) return;
  if (!IsWindowEnabled(window)) state |= ODS_DISABLED;
  {
    GraphicsObject g;
    if (g.CreateFromHDC(backdrop)) {
      g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
      const float x = 0, markTop = static_cast<float>((h - 13) / 2);
      if (state & ODS_DISABLED) {
        PathObject rounded;
        MakeRoundedPath(rounded, 0, 0, static_cast<float>(w - 1), static_cast<float>(h - 1), 5);
        PaintDisabledFace(g, rounded, 0, 0, static_cast<float>(w), static_cast<float>(h));
      }
      mark(g, x, markTop, h, state);
      DrawControlText(g, ControlTextOf(window), record->font.face, record->font.size, record->font.style,
                      ToArgb(TextColourOf(window)),
                      gp::RectF(x + 17, 2, static_cast<float>(w - 19), static_cast<float>(h - 2)), 0, 1);
    }
  }
  {
    WindowDc dc(window);
    if (dc.Get()) BitBlt(dc.Get(), 0, 0, w, h, backdrop, 0, 0, SRCCOPY);
  }
  ReleaseBackdrop(backdrop);
}

void PaintNow(HWND window, const CheckRadioRecord& record, UINT state) {
  if (record.variant == CheckRadioRecord::Radio) {
    PaintRadioButton(window, state);
  } else {
    PaintCheckBox(window, state);
  }
}

}  // namespace

void InstallCheckAndRadioButtons(int skinIndex, HWND parent) {
  if (!EngineRunning() || !Engine().tintSwitch) return;
  for (HWND child = FindWindowExW(parent, nullptr, L"Button", nullptr); child;
       child = FindWindowExW(parent, child, L"Button", nullptr)) {
    const LONG kind = ButtonKind(GetWindowLongPtrW(child, GWL_STYLE));
    if (!IsCheckBoxKind(kind) && !IsAutoRadioKind(kind)) continue;
    if (FindInFamilyList(skinIndex, Family::CheckRadio, child)) continue;
    auto owned = std::make_unique<CheckRadioRecord>();
    CheckRadioRecord& record = *owned;
    record.variant = IsCheckBoxKind(kind) ? CheckRadioRecord::CheckBox : CheckRadioRecord::Radio;
    record.parent = parent;
    record.focused = GetFocus() == child;
    record.font = ReadControlFont(child);
    if (record.font.face.empty()) record.font.face = "宋体";
    if (record.font.size == 0) record.font.size = 12;
    const int index = AddFamilyRecord(skinIndex, Family::CheckRadio, std::move(owned));
    if (index) SubclassControl(child, record, skinIndex, index, CheckRadioWndProc);
  }
}

LRESULT CALLBACK CheckRadioWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CheckRadioRecord* record = RecordOf(window);
  if (!record) return CallPrevious(window, message, wParam, lParam);
  SkinWindow* skin = SkinWindowAt(SkinIndexOf(window));
  const WNDPROC previous = record->previous;
  const int index = ListIndexOf(window);
  // The button's own procedure draws itself outside WM_PAINT when its state changes; the
  // skinned picture is laid over it right after.
  auto passAndRepaint = [&](UINT state) {
    const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
    if (CheckRadioRecord* again = RecordOf(window)) PaintNow(window, *again, state);
    return result;
  };
  switch (message) {
    case WM_NCDESTROY:
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    case WM_MOVE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_SETFOCUS:
      record->focused = true;
      return passAndRepaint(0);
    case WM_KILLFOCUS:
      record->focused = false;
      return passAndRepaint(0);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      PaintNow(window, *record, 0);
      return 0;
    }
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_NCPAINT:
      return 1;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (wParam != VK_SPACE) break;
      return passAndRepaint(record->variant == CheckRadioRecord::Radio ? ODS_SELECTED : 0);
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
      return passAndRepaint(record->variant == CheckRadioRecord::Radio ? ODS_SELECTED : 0);
    case WM_LBUTTONUP:
      if (skin) skin->lastHotControl = 0;
      return passAndRepaint(0);
    case WM_LBUTTONDBLCLK:
      return 0;  // a double click is not a second click
    case WM_MOUSEMOVE: {
      TrackLeave(window);
      if (skin) {
        skin->hotControl = index;
        if (skin->lastHotControl != index || skin->hotKind != kHotKindCheckRadio) {
          PaintNow(window, *record, ODS_HOTLIGHT);
          skin->lastHotControl = index;
          skin->hotKind = kHotKindCheckRadio;
        }
      }
      break;
    }
    case WM_MOUSELEAVE:
      if (skin) skin->lastHotControl = 0;
      PaintNow(window, *record, record->focused ? ODS_FOCUS : 0);
      break;
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

void PaintCheckBox(HWND window, UINT state) {
  PaintButtonFrame(window, state, [window](GraphicsObject& g, float x, float top, int, UINT s) {
    if (s & ODS_DISABLED) return;
    if (ImageObject* empty = NamedGlyph(L"CHECK_EMPTY")) g.DrawImageRect(*empty, x, top, 13, 13);
    if (SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      if (ImageObject* checked = NamedGlyph(L"CHECK_CHECKED")) g.DrawImageRect(*checked, x, top, 13, 13);
    }
    if (s & ODS_HOTLIGHT) {
      PathObject box;
      box.CreatePath();
      box.AddPathRectangle(x, top, 13, 13);
      FillGradient(g, &box, x + 3, top + 1, x + 11, top + 12, ToArgb(Engine().accentColour, 100), ToArgb(kBlack, 0));
      GlowPath(g, box, 2, kGlow, 30);
    }
  });
}

void PaintRadioButton(HWND window, UINT state) {
  PaintButtonFrame(window, state, [window](GraphicsObject& g, float x, float top, int, UINT s) {
    if (s & ODS_DISABLED) return;
    const float cx = x + 2, cy = top;  // the 12-pixel circle's box
    PathObject outer;
    outer.CreatePath();
    outer.AddPathEllipse(cx, cy, 12, 12);
    if (s & ODS_HOTLIGHT) {
      FillPathSolid(g, outer, ToArgb(Engine().accentColour, 100));
      GlowPath(g, outer, 2, kGlow, 40);
    }
    SolidBrushObject white;
    if (white.CreateSolidFill(ToArgb(kWhite))) g.FillEllipse(white, cx + 1.5f, cy + 1.5f, 9, 9);
    OutlinePath(g, outer, ToArgb(kBlack, 200));
    if (SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      PathObject dot;
      dot.CreatePath();
      dot.AddPathEllipse(cx + 3, cy + 3, 6, 6);
      PathBrushObject fill;
      if (fill.CreatePathGradientFromPath(dot)) {
        gp::ARGB surround = ToArgb(0x808000);
        int count = 1;
        fill.SetPathGradientCenterColor(ToArgb(kWhite));
        fill.SetPathGradientSurroundColorsWithCount(&surround, count, &count);
        g.FillPath(fill, dot);
      }
    }
  });
}
