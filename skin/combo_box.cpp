#include "skin/combo_box.h"

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "runtime/gbk_text.h"
#include "skin/backdrop.h"
#include "skin/family_painters.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

ComboRecord* RecordOf(HWND window) { return static_cast<ComboRecord*>(FamilyRecordOf(window, Family::Combo)); }

// The text a drop-down list shows: its selected item.
std::string SelectedText(HWND combo) {
  const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (selected < 0) return {};
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, selected, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return WideToGbk(text);
}

// The edit field of a combo box gets the skin behind it through a pattern brush.
LRESULT EditColour(int skinIndex, HWND edit, HDC dc) {
  SkinWindow* record = SkinWindowAt(skinIndex);
  SetTextColor(dc, TextColourOf(edit));
  SetBkMode(dc, TRANSPARENT);
  ControlBrush& held = record->brushes[edit];
  HBITMAP bitmap = BackdropBitmap(edit);
  HBRUSH brush = bitmap ? CreatePatternBrush(bitmap) : nullptr;
  if (brush) {
    held.Replace(brush, false, bitmap);
  } else {
    if (bitmap) DeleteObject(bitmap);
    held.Replace(static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)), true, nullptr);
  }
  SetPropValue(edit, kPropBrush, reinterpret_cast<LONG_PTR>(held.brush));
  SetPropValue(edit, kPropBrushBitmap, reinterpret_cast<LONG_PTR>(held.bitmap.get()));
  return reinterpret_cast<LRESULT>(held.brush);
}

void PaintFromWindow(HWND window, int hot = -1, int focused = -1) {
  PaintCombo(SkinIndexOf(window),
             ListIndexOf(window), hot, focused);
}

}  // namespace

RECT ComboButtonRect(int width, int height, LONG_PTR style) {
  if (!(style & 0x2)) return RECT{};
  const int buttonWidth = (style & 0x3) == CBS_DROPDOWNLIST ? 17 : 18;
  // The button keeps to the combo's one-line part; a drop-down combo is never taller.
  return RECT{width - 3 - buttonWidth, 3, width - 3, height - 3};
}

void InstallComboBoxes(int skinIndex, HWND parent) {
  if (!EngineRunning() || !Engine().tintSwitch) return;
  for (HWND combo = FindWindowExW(parent, nullptr, L"ComboBox", nullptr); combo;
       combo = FindWindowExW(parent, combo, L"ComboBox", nullptr)) {
    if (FindInFamilyList(skinIndex, Family::Combo, combo)) continue;
    auto owned = std::make_unique<ComboRecord>();
    ComboRecord& record = *owned;
    record.focused = GetFocus() == combo || IsChild(combo, GetFocus());
    const int index = AddFamilyRecord(skinIndex, Family::Combo, std::move(owned));
    if (!index) continue;
    SubclassControl(combo, record, skinIndex, index, ComboWndProc);
    // The edit field of a drop-down combo is an edit box of its own, with tinting on.
    if (TintingOn() && FindWindowExW(combo, nullptr, L"Edit", nullptr) && InstallerFor(Family::Edit)) {
      InstallerFor(Family::Edit)(skinIndex, combo);
    }
  }
}

LRESULT CALLBACK ComboWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ComboRecord* record = RecordOf(window);
  if (!record) return CallPrevious(window, message, wParam, lParam);
  const int skinIndex = SkinIndexOf(window);
  const int index = ListIndexOf(window);
  SkinWindow* skin = SkinWindowAt(skinIndex);
  const WNDPROC previous = record->previous;
  switch (message) {
    case WM_NCDESTROY:
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    case WM_MOVE:
      PaintFromWindow(window);
      break;
    case WM_SETFOCUS:
      record->focused = true;
      PaintFromWindow(window, -1, 1);
      break;
    case WM_KILLFOCUS: {
      record->focused = false;
      const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
      if (RecordOf(window)) PaintFromWindow(window, -1, 0);
      return result;
    }
    case WM_SETTEXT:
      if (FindWindowExW(window, nullptr, L"Edit", nullptr)) InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      PaintFromWindow(window);
      return 0;
    }
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_NCPAINT: {
      const LRESULT result = DefWindowProcW(window, WM_NCPAINT, static_cast<WPARAM>(-1), lParam);
      PaintFromWindow(window);
      return result;
    }
    case WM_COMMAND:
      if (TintingOn() && IsClass(reinterpret_cast<HWND>(lParam), "edit")) {
        const UINT code = HIWORD(wParam);
        if (code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE) {
          InvalidateRect(reinterpret_cast<HWND>(lParam), nullptr, TRUE);
        }
      }
      break;
    case WM_CTLCOLOREDIT:
      if (TintingOn() && skin && lParam) return EditColour(skinIndex, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
      break;
    case WM_MOUSEMOVE:
      TrackLeave(window);
      if (skin) {
        skin->hotControl = index;
        if (index >= 1 && (skin->lastHotControl != index || skin->hotKind != kHotKindCombo)) {
          PaintFromWindow(window, 1);
          skin->lastHotControl = index;
          skin->hotKind = kHotKindCombo;
        }
      }
      break;
    case WM_MOUSELEAVE:
      PaintFromWindow(window, 0);
      if (skin) skin->lastHotControl = 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case CB_SETCURSEL:
    case CB_SHOWDROPDOWN:
    case WM_ENABLE: {
      // The combo's own procedure may draw its button or text outside WM_PAINT.
      const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
      if (RecordOf(window)) PaintFromWindow(window);
      return result;
    }
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

void PaintCombo(int skinIndex, int comboIndex, int hot, int focused) {
  SkinWindow* skin = SkinWindowAt(skinIndex);
  if (!skin) return;
  auto& list = skin->List(Family::Combo);
  if (comboIndex < 1 || comboIndex > static_cast<int>(list.size())) return;
  auto& record = static_cast<ComboRecord&>(*list[comboIndex - 1]);
  HWND combo = record.window;
  if (!combo) return;
  const bool isHot = hot > 0;
  const bool isFocused = focused >= 0 ? focused > 0 : record.focused;
  RECT outer{};
  GetWindowRect(combo, &outer);
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  if (w <= 0 || h <= 0) return;
  const LONG_PTR style = GetWindowLongPtrW(combo, GWL_STYLE);
  HDC backdrop = PaintBackdrop(combo, RECT{0, 0, w, h});
  if (!backdrop) return;
  {
    GraphicsObject g;
    if (g.CreateFromHDC(backdrop)) {
      SolidBrushObject veil;
      if (veil.CreateSolidFill(ToArgb(kWhite, TintingOn() ? Engine().veilAlpha : 255))) g.FillRectangleI(veil, 0, 0, w, h);
      // The children draw themselves: their places keep the key colour.
      for (HWND child = GetWindow(combo, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r = RectRelativeTo(combo, child);
        if (IsClass(child, "combolbox")) InflateRect(&r, -2, -2);
        g.SetClipRectI(r.left, r.top, r.right - r.left, r.bottom - r.top);
        g.GraphicsClear(0xFF000000u | GetRValue(kComboKey) << 16 | GetGValue(kComboKey) << 8 | GetBValue(kComboKey));
        g.ResetClip();
      }
      g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
      PenObject frame;
      if (frame.CreatePen1((isHot || isFocused) ? ToArgb(Engine().accentColour, 200) : ToArgb(kBlack, 80), 1)) {
        g.SetSmoothingMode(gp::SmoothingModeNone);
        g.DrawRectangleI(frame, 0, 0, w - 1, h - 1);
        g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
      }
      const RECT button = ComboButtonRect(w, h, style);
      if (button.right > button.left) {
        // A drop-down combo's height is its one-line part; a list hangs below it as a popup.
        const float bx = static_cast<float>(button.left), by = static_cast<float>(button.top);
        const float bw = static_cast<float>(button.right - button.left), bh = static_cast<float>(button.bottom - button.top);
        PathObject shape, inner;
        MakeRoundedPath(shape, bx, by, bw - 1, bh - 1, 4);
        MakeRoundedPath(inner, bx + 1, by + 1, bw - 3, bh - 3, 1);
        FillGradient(g, &inner, bx, by, bx, by + bh, ToArgb(kWhite, 100), ToArgb(Engine().accentColour, isHot ? 150 : 30));
        OutlinePath(g, shape, isHot ? ToArgb(Engine().accentColour, 200) : ToArgb(kBlack, 80));
        g.SetSmoothingMode(gp::SmoothingModeNone);
        DrawGlyphCentred(g, NamedGlyph(L"ARROW_DOWN"), bx, by, bw - 1, bh - 1);
        if ((style & 0x3) == CBS_DROPDOWNLIST) {
          DrawControlText(g, SelectedText(combo), "宋体", 12,
                          0, ToArgb(TextColourOf(combo)),
                          gp::RectF(4, 1, bx - 6, static_cast<float>(h - 2)), 0, 1);
        }
      }
    }
  }
  {
    HDC dc = GetWindowDC(combo);
    if (dc) {
      ++EngineCounters().keyedCopies;
      TransparentBlt(dc, 0, 0, w, h, backdrop, 0, 0, w, h, kComboKey);
      ReleaseDC(combo, dc);
    }
  }
  ReleaseBackdrop(backdrop);
}
