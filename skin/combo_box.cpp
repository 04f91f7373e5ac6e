#include "skin/combo_box.h"

#include <vector>

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "runtime/gbk_text.h"
#include "skin/backdrop.h"
#include "skin/control_paint.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/text_painters.h"

namespace {

using palette::kBlack;
using palette::kWhite;

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

void PaintFromWindow(HWND window) { PaintAtOnce(window, PaintCombo); }

// The places of the combo's visible children, which keep the key colour: each shows its own
// picture through it (the list of a simple combo inside its 2-pixel frame).
std::vector<RECT> ChildPlaces(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo, &info);
  std::vector<RECT> places;
  for (HWND child = GetWindow(combo, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r = RectRelativeTo(combo, child);
    if (child == info.hwndList) InflateRect(&r, -2, -2);
    places.push_back(r);
  }
  return places;
}

void DrawCombo(GraphicsObject& g, HWND combo, const std::vector<RECT>& children, const std::string& text,
               COLORREF ink, int w, int h, bool hot, bool focused) {
  const COLORREF accent = Engine().accentColour;
  const LONG_PTR style = GetWindowLongPtrW(combo, GWL_STYLE);
  SolidBrushObject veil;
  if (veil.CreateSolidFill(ToArgb(kWhite, TintingOn() ? Engine().veilAlpha : 255))) g.FillRectangleI(veil, 0, 0, w, h);
  for (const RECT& r : children) {
    g.SetClipRectI(r.left, r.top, r.right - r.left, r.bottom - r.top);
    g.GraphicsClear(ToArgb(kComboKey));
    g.ResetClip();
  }
  PenObject frame;
  if (frame.CreatePen1((hot || focused) ? ToArgb(accent, 200) : ToArgb(kBlack, 80), 1)) {
    g.SetSmoothingMode(gp::SmoothingModeNone);
    g.DrawRectangleI(frame, 0, 0, w - 1, h - 1);
  }
  g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
  const RECT button = ComboButtonRect(w, h, style);
  if (button.right <= button.left) return;
  // A drop-down combo's height is its one-line part; a list hangs below it as a popup.
  const float bx = static_cast<float>(button.left), by = static_cast<float>(button.top);
  const float bw = static_cast<float>(button.right - button.left), bh = static_cast<float>(button.bottom - button.top);
  PathObject shape, inner;
  MakeRoundedPath(shape, bx, by, bw - 1, bh - 1, 4);
  MakeRoundedPath(inner, bx + 1, by + 1, bw - 3, bh - 3, 1);
  FillGradient(g, {bx, by}, {bx, by + bh}, ToArgb(kWhite, 100), ToArgb(accent, hot ? 150 : 30), &inner);
  StrokePath(g, shape, hot ? ToArgb(accent, 200) : ToArgb(kBlack, 80));
  g.SetSmoothingMode(gp::SmoothingModeNone);
  DrawGlyphCentred(g, NamedGlyph(L"ARROW_DOWN"), bx, by, bw - 1, bh - 1);
  if ((style & 0x3) == CBS_DROPDOWNLIST) {
    DrawControlText(g, text, "宋体", 12, 0, ToArgb(ink), gp::RectF(4, 1, bx - 6, static_cast<float>(h - 2)), 0, 1);
  }
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
  SkinWindow* skin = SkinWindowAt(skinIndex);
  const WNDPROC previous = record->previous;
  switch (message) {
    case WM_NCDESTROY:
      record->hover.Forget(window);
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    case WM_MOVE:
      PaintFromWindow(window);
      break;
    case WM_SETFOCUS:
      record->focused = true;
      PaintFromWindow(window);
      break;
    case WM_KILLFOCUS: {
      record->focused = false;
      const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
      if (RecordOf(window)) PaintFromWindow(window);
      return result;
    }
    case WM_SETTEXT:
      if (FindWindowExW(window, nullptr, L"Edit", nullptr)) InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      ServePaint(window, message, wParam, PaintCombo);
      return 0;
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
      if (record->hover.Enter(window)) PaintFromWindow(window);
      break;
    case WM_MOUSELEAVE:
      if (record->hover.Leave(window)) PaintFromWindow(window);
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

void PaintCombo(HWND combo, HDC dc, DcOrigin origin) {
  ComboRecord* record = RecordOf(combo);
  if (!record || !dc) return;
  const SIZE size = WindowSizeOf(combo);
  const int w = size.cx, h = size.cy;
  if (w <= 0 || h <= 0) return;
  const bool hot = record->hover.Inside(), focused = record->focused;
  const bool dropDownList = (GetWindowLongPtrW(combo, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
  const std::string text = dropDownList ? SelectedText(combo) : std::string();
  const COLORREF ink = TextColourOf(combo);
  const std::vector<RECT> children = ChildPlaces(combo);
  LookHash look;
  look.Add(text).Add(static_cast<int>(ink)).Add(static_cast<int>(Engine().accentColour));
  look.Add(TintingOn() ? Engine().veilAlpha : 255).Add(static_cast<int>(GetWindowLongPtrW(combo, GWL_STYLE) & 0x3));
  for (const RECT& r : children) look.Add(r);
  const int state = (hot ? 1 : 0) | (focused ? 2 : 0);
  const Surface* face = FaceOf(combo, record->behind, record->faces, state, look.Value(), w, h, [&](GraphicsObject& g) {
    DrawCombo(g, combo, children, text, ink, w, h, hot, focused);
  });
  if (!face) return;
  POINT at{0, 0};
  if (origin == DcOrigin::Client) {
    const RECT client = ClientRectInWindow(combo);
    at = POINT{-client.left, -client.top};
  }
  ++EngineCounters().keyedCopies;
  TransparentBlt(dc, at.x, at.y, w, h, face->Dc(), 0, 0, w, h, kComboKey);
}
